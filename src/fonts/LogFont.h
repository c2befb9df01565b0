// One concrete font style, exactly the fields of a LOGFONTW, shared by
// reference count between the catalogue, the list box and the commands.
#pragma once

#include <windows.h>

#include <boost/shared_ptr.hpp>

#include <vector>

struct CLogFontW : LOGFONTW {
    CLogFontW() : LOGFONTW{} {}
    explicit CLogFontW(const LOGFONTW& lf) : LOGFONTW(lf) {}
};

// A face for vertical writing has a name beginning with "@".
inline bool IsVerticalFace(const wchar_t* faceName) noexcept
{
    return faceName[0] == L'@';
}

using CLogFontPtr = boost::shared_ptr<const CLogFontW>;
using CLogFontList = std::vector<CLogFontPtr>;
