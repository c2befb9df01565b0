#include "fonts/FontOrder.h"

#include "settings/LogFontFields.h"

#include <shlwapi.h>

namespace gvt {

namespace {

template <typename T>
int Ascending(T a, T b) noexcept
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

template <typename T>
bool Same(T a, T b) noexcept
{
    return a == b;
}

bool Same(const WCHAR (&a)[LF_FACESIZE], const WCHAR (&b)[LF_FACESIZE]) noexcept
{
    return ::lstrcmpW(a, b) == 0;
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
    return EachField(kLogFontFields, [&](const auto& field) { return Same(a.*field.Ptr, b.*field.Ptr); });
}

}  // namespace gvt
