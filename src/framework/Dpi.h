// The resolution a window is drawn at. Layouts in this program are given in
// pixels at 96 DPI and scaled to the window's DPI when they are used.
#pragma once

#include <windows.h>

namespace gvt {

constexpr UINT kDefaultDpi = USER_DEFAULT_SCREEN_DPI;

// GetDpiForWindow where the system has it (Windows 10 version 1607 on),
// otherwise the screen's LOGPIXELSY; 96 when neither answers.
UINT WindowDpi(HWND window) noexcept;

// Keeps the dialog manager out of a dialog's DPI changes (Windows 10 version
// 1703 on): a dialog that rescales itself on WM_DPICHANGED must not be
// rescaled a second time. Nothing where the system does not offer it.
void TakeOverDialogDpiScaling(HWND dialog) noexcept;

// A length in pixels at 96 DPI, at the given DPI (MulDiv, rounded).
inline LONG ScaleToDpi(LONG value, UINT dpi) noexcept
{
    return ::MulDiv(value, static_cast<int>(dpi), static_cast<int>(kDefaultDpi));
}

}  // namespace gvt
