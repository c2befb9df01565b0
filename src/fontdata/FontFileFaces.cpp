#include "fontdata/FontFileFaces.h"

#include "fontdata/FonFile.h"

namespace gvt {

std::vector<std::wstring> FontFileFaceNames(const CByteReader& file)
{
    const auto mz = file.Native<std::uint16_t>(0);
    if (mz && *mz == 0x5A4D)
        return FonFaceNames(file);
    return {};
}

}  // namespace gvt
