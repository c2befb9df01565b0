#include "fontdata/FontFileFaces.h"

#include "fontdata/FonFile.h"
#include "fontdata/NameTable.h"
#include "fontdata/SfntFile.h"

#include <algorithm>

namespace gvt {

namespace {

constexpr std::uint16_t kFamilyName = 1;
constexpr std::uint16_t kWindowsPlatform = 3;

void AddOnce(std::vector<std::wstring>& names, const std::wstring& name)
{
    if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end())
        names.push_back(name);
}

}  // namespace

std::vector<std::wstring> FontFileFaceNames(const CByteReader& file, std::size_t* faces)
{
    const auto mz = file.Native<std::uint16_t>(0);
    if (mz && *mz == 0x5A4D) {
        std::vector<std::wstring> names = FonFaceNames(file);
        if (faces)
            *faces = names.size();
        return names;
    }
    std::vector<std::wstring> names;
    const std::vector<CSfntFace> sfnt = SfntFaces(file);
    if (faces)
        *faces = sfnt.size();
    for (const CSfntFace& face : sfnt) {
        const auto table = face.Table(TableTag("name"));
        if (!table)
            continue;
        const CNameTable name(*table);
        // GDI lists a face under its Windows family names, one for each
        // language the font names it in; a font without them under the
        // family name it has.
        bool windows = false;
        for (const CNameRecord& record : name.Records()) {
            if (record.NameId == kFamilyName && record.Platform == kWindowsPlatform) {
                AddOnce(names, record.Text);
                windows = true;
            }
        }
        if (!windows)
            if (const CNameRecord* record = name.Find(kFamilyName, ENameLanguage::English))
                AddOnce(names, record->Text);
    }
    return names;
}

}  // namespace gvt
