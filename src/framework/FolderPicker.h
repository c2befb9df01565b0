// The system's folder picker: the file dialog in its folder mode, modal to
// the owner.
#pragma once

#include <windows.h>

#include <string>

namespace gvt {

// The folder chosen, or empty when the user cancelled or the dialog could
// not be shown (the reason then goes to the debug log).
std::wstring PickFolder(HWND owner);

}  // namespace gvt
