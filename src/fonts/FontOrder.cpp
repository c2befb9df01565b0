#include "fonts/FontOrder.h"

#include "fontdata/FaceName.h"
#include "settings/LogFontFields.h"

#include <shlwapi.h>

#include <algorithm>
#include <string_view>

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

// The system's comparisons read up to a terminator, which a face name that
// fills its array lacks: they get a terminated copy.
class CTerminatedName {
public:
    explicit CTerminatedName(const WCHAR (&faceName)[LF_FACESIZE]) noexcept
    {
        const std::wstring_view name = FaceName(faceName);
        *std::copy(name.begin(), name.end(), m_text) = L'\0';
    }
    const wchar_t* c_str() const noexcept { return m_text; }

private:
    wchar_t m_text[LF_FACESIZE + 1];
};

bool Same(const WCHAR (&a)[LF_FACESIZE], const WCHAR (&b)[LF_FACESIZE]) noexcept
{
    // Most names compared are the same name: the system's comparison,
    // slow by comparison, is asked only about different ones.
    if (FaceName(a) == FaceName(b))
        return true;
    return ::lstrcmpW(CTerminatedName(a).c_str(), CTerminatedName(b).c_str()) == 0;
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
    if (const int byName = CompareFaceNames(CTerminatedName(a.lfFaceName).c_str(), CTerminatedName(b.lfFaceName).c_str()))
        return byName;
    return CompareStyle(a, b);
}

bool EqualLogFont(const LOGFONTW& a, const LOGFONTW& b) noexcept
{
    return EachField(kLogFontFields, [&](const auto& field) { return Same(a.*field.Ptr, b.*field.Ptr); });
}

}  // namespace gvt
