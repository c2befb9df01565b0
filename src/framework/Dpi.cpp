#include "framework/Dpi.h"

#include "framework/ProcAddress.h"
#include "framework/UniqueHandle.h"

namespace gvt {

UINT WindowDpi(HWND window) noexcept
{
    using CGetDpiForWindow = UINT(WINAPI*)(HWND);
    // Looked up once: older systems do not have it.
    static const auto getDpiForWindow =
        ProcAddress<CGetDpiForWindow>(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow");
    if (getDpiForWindow && window)
        if (const UINT dpi = getDpiForWindow(window))
            return dpi;
    const CClientDC screen(nullptr);
    if (screen)
        if (const int dpi = ::GetDeviceCaps(screen.get(), LOGPIXELSY); dpi > 0)
            return static_cast<UINT>(dpi);
    return kDefaultDpi;
}

void TakeOverDialogDpiScaling(HWND dialog) noexcept
{
    using CSetDialogDpiChangeBehavior = BOOL(WINAPI*)(HWND, int, int);
    // DDC_DISABLE_ALL, in headers only for Windows 10 version 1703 on.
    constexpr int kDisableAll = 1;
    static const auto setBehavior =
        ProcAddress<CSetDialogDpiChangeBehavior>(::GetModuleHandleW(L"user32.dll"), "SetDialogDpiChangeBehavior");
    if (setBehavior)
        setBehavior(dialog, kDisableAll, kDisableAll);
}

}  // namespace gvt
