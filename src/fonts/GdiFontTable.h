// A table of the font selected into a device context, read whole with
// GetFontData.
#pragma once

#include <windows.h>

#include <vector>

namespace gvt {

// The table tag as GetFontData takes it: the four letters in file order.
constexpr DWORD GdiTableTag(const char (&name)[5]) noexcept
{
    return static_cast<DWORD>(static_cast<unsigned char>(name[0])) |
           static_cast<DWORD>(static_cast<unsigned char>(name[1])) << 8 |
           static_cast<DWORD>(static_cast<unsigned char>(name[2])) << 16 |
           static_cast<DWORD>(static_cast<unsigned char>(name[3])) << 24;
}

// The table as far as GDI really returned it; empty when the font has none.
std::vector<unsigned char> ReadFontTable(HDC dc, DWORD tag);

// Whether the font has the table, without reading it.
bool HasFontTable(HDC dc, DWORD tag);

}  // namespace gvt
