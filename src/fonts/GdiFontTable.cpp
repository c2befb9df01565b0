#include "fonts/GdiFontTable.h"

#include <algorithm>

namespace gvt {

std::vector<unsigned char> ReadFontTable(HDC dc, DWORD tag)
{
    const DWORD size = ::GetFontData(dc, tag, 0, nullptr, 0);
    if (size == GDI_ERROR || size == 0)
        return {};
    std::vector<unsigned char> table(size);
    const DWORD read = ::GetFontData(dc, tag, 0, table.data(), size);
    table.resize(read == GDI_ERROR ? 0 : std::min<DWORD>(read, size));
    return table;
}

bool HasFontTable(HDC dc, DWORD tag)
{
    const DWORD size = ::GetFontData(dc, tag, 0, nullptr, 0);
    return size != GDI_ERROR && size != 0;
}

}  // namespace gvt
