#include "fonts/FontOrder.h"

#include <shlwapi.h>

namespace gvt {

namespace {

template <typename T>
int Ascending(T a, T b) noexcept
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

}  // namespace

int CompareFaceNames(const wchar_t* a, const wchar_t* b) noexcept
{
    return ::StrCmpLogicalW(a, b);
}

int CompareStyle(const LOGFONTW& a, const LOGFONTW& b) noexcept
{
    if (const int c = Ascending(a.lfStrikeOut, b.lfStrikeOut))
        return c;
    if (const int c = Ascending(a.lfUnderline, b.lfUnderline))
        return c;
    if (const int c = Ascending(a.lfItalic, b.lfItalic))
        return c;
    if (const int c = Ascending(a.lfWeight, b.lfWeight))
        return c;
    return Ascending(a.lfHeight, b.lfHeight);
}

int CompareLogFont(const LOGFONTW& a, const LOGFONTW& b) noexcept
{
    if (const int byName = CompareFaceNames(a.lfFaceName, b.lfFaceName))
        return byName;
    return CompareStyle(a, b);
}

bool EqualLogFont(const LOGFONTW& a, const LOGFONTW& b) noexcept
{
    return a.lfHeight == b.lfHeight && a.lfWidth == b.lfWidth && a.lfEscapement == b.lfEscapement &&
           a.lfOrientation == b.lfOrientation && a.lfWeight == b.lfWeight && a.lfItalic == b.lfItalic &&
           a.lfUnderline == b.lfUnderline && a.lfStrikeOut == b.lfStrikeOut && a.lfCharSet == b.lfCharSet &&
           a.lfOutPrecision == b.lfOutPrecision && a.lfClipPrecision == b.lfClipPrecision &&
           a.lfQuality == b.lfQuality && a.lfPitchAndFamily == b.lfPitchAndFamily &&
           ::lstrcmpW(a.lfFaceName, b.lfFaceName) == 0;
}

}  // namespace gvt
