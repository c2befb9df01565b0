// The file or files a font comes from: the system says so for the font
// selected into a device context where it can (Windows 8 on, and Wine),
// otherwise the Fonts registry keys of the machine and the user are looked
// up by the font's names.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace gvt {

// Empty when neither knows. names: the full and the face name, tried in turn.
std::vector<std::wstring> FontFilesOf(HDC dc, const std::vector<std::wstring>& names);

// Whether a value name of the Fonts keys, such as "A Bold & B Bold
// (TrueType)", names the font: one of its parts equals one of the names,
// whatever the case.
bool ValueNamesFont(std::wstring_view valueName, const std::vector<std::wstring>& names);

}  // namespace gvt
