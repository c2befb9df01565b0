// The face name of a LOGFONTW. It may fill the whole array without a
// terminator, so it is read only through this view, never up to a zero.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string_view>

namespace gvt {

inline std::wstring_view FaceName(const WCHAR (&faceName)[LF_FACESIZE]) noexcept
{
    const wchar_t* const end = std::find(faceName, faceName + LF_FACESIZE, L'\0');
    return std::wstring_view(faceName, static_cast<std::size_t>(end - faceName));
}

inline std::wstring_view FaceName(const LOGFONTW& lf) noexcept
{
    return FaceName(lf.lfFaceName);
}

}  // namespace gvt
