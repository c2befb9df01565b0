#include "controls/WindowLayoutManager.h"

namespace gvt {

namespace {

// Moves [low, high) into [first, last) along one axis, keeping its length.
void FitSpan(LONG& low, LONG& high, LONG first, LONG last) noexcept
{
    if (high > last) {
        low -= high - last;
        high = last;
    }
    if (low < first) {
        high += first - low;
        low = first;
    }
}

}  // namespace

RECT FitToVirtualScreen(const RECT& rect, const RECT& screen) noexcept
{
    RECT fitted = rect;
    FitSpan(fitted.top, fitted.bottom, screen.top, screen.bottom);
    FitSpan(fitted.left, fitted.right, screen.left, screen.right);
    return fitted;
}

RECT VirtualScreenRect() noexcept
{
    const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    return RECT{left, top, left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

bool ApplyLayout(HWND window, const CWindowLayoutSetting& layout, UINT flags) noexcept
{
    if (::IsRectEmpty(&layout.Rect))
        return false;
    if (::IsZoomed(window) || ::IsIconic(window))
        ::ShowWindow(window, SW_SHOWNORMAL);

    RECT rect = layout.Rect;
    if (flags & RESTORE_FIT_TO_VIRTUAL_SCREEN)
        rect = FitToVirtualScreen(rect, VirtualScreenRect());

    UINT position = SWP_NOZORDER;
    if (flags & RESTORE_NOMOVE)
        position |= SWP_NOMOVE;
    if (flags & RESTORE_NOSIZE)
        position |= SWP_NOSIZE;
    return ::SetWindowPos(window, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                          position) != FALSE;
}

}  // namespace gvt
