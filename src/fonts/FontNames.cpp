#include "fonts/FontNames.h"

#include "base/ResourceString.h"
#include "fontdata/FaceName.h"
#include "resources/resource.h"

namespace {

CNamedInts MakeTable(std::initializer_list<std::pair<UINT, int>> rows)
{
    CNamedInts table;
    for (const auto& row : rows)
        table.AddNamed(row.first, row.second);
    return table;
}

CNamedInts MakeWeightNames()
{
    CNamedInts table;
    for (int value = 0; value <= 8; ++value)
        table.AddNamed(IDS_WEIGHT_100 + static_cast<UINT>(value), value);
    return table;
}

}  // namespace

const CNamedInts FontTypeNames = MakeTable({{IDS_TYPE_BOTH, 0}, {IDS_TYPE_RASTER, 1}, {IDS_TYPE_VECTOR, 2}});
const CNamedInts FontWeightFilterNames = MakeTable({{IDS_WEIGHT_FILTER_ALL, 0},
                                                    {IDS_WEIGHT_FILTER_NORMAL, 1},
                                                    {IDS_WEIGHT_FILTER_LIGHTER, 2},
                                                    {IDS_WEIGHT_FILTER_BOLDER, 3}});
const CNamedInts FontItalicNames =
    MakeTable({{IDS_ITALIC_FILTER_BOTH, 0}, {IDS_ITALIC_FILTER_OFF, 1}, {IDS_ITALIC_FILTER_ON, 2}});
const CNamedInts WeightNames = MakeWeightNames();

std::wstring WeightName(int weight)
{
    if (weight >= 100 && weight <= 900 && weight % 100 == 0)
        return WeightNames.NameOf(weight / 100 - 1);
    return std::to_wstring(weight);
}

namespace gvt {

namespace {
const std::wstring g_italicWord = ResourceString(IDS_ITALIC);
}  // namespace

const std::wstring& ItalicWord()
{
    return g_italicWord;
}

std::wstring FaceNameOf(const LOGFONTW& lf)
{
    return std::wstring(FaceName(lf));
}

std::wstring FontCaption(const LOGFONTW& lf)
{
    std::wstring caption = FaceNameOf(lf);
    caption += L", ";
    caption += WeightName(lf.lfWeight);
    if (lf.lfItalic) {
        caption += L", ";
        caption += ItalicWord();
    }
    return caption;
}

}  // namespace gvt
