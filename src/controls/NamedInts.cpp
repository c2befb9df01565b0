#include "controls/NamedInts.h"

#include "commands/ResourceString.h"
#include "resources/resource.h"

CNamedInt::CNamedInt(int value) : Name(std::to_wstring(value)), Value(value) {}

void CNamedInt::SetName(UINT id)
{
    if (id == 0)
        Name.clear();
    else
        LoadResourceString(Name, id);
}

void CNamedInts::AddNamed(UINT id, int value)
{
    auto entry = boost::shared_ptr<CNamedInt>(new CNamedInt(value));
    entry->SetName(id);
    m_entries.push_back(entry);
}

int CNamedInts::FindValue(int value) const
{
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i]->Value == value)
            return static_cast<int>(i);
    return -1;
}

std::wstring CNamedInts::NameOf(int value) const
{
    const int i = FindValue(value);
    return i < 0 ? std::wstring() : m_entries[static_cast<std::size_t>(i)]->Name;
}

CNamedInts::Entry CNamedInts::At(int index) const
{
    if (index < 0 || index >= Count())
        return Entry();
    return m_entries[static_cast<std::size_t>(index)];
}

LRESULT CNamedInts::AddToCombo(HWND combo) const
{
    LRESULT result = CB_ERR;
    for (const Entry& e : m_entries)
        result = ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e->Name.c_str()));
    return result;
}

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
