#include "controls/WindowLayoutManager.h"

#include <algorithm>
#include <climits>

namespace gvt {

namespace {

// Moves [low, high) into [first, last) along one axis, keeping its length.
// A stored rectangle may hold any values, so this is done in 64 bits; a
// length that would carry the far edge, or the length itself, past the
// largest coordinate is cut there (the system caps a window's size far
// below that anyway).
void FitSpan(LONG& low, LONG& high, LONG first, LONG last) noexcept
{
    constexpr long long kLargest = LONG_MAX;
    long long start = low;
    if (high > last)
        start -= static_cast<long long>(high) - last;
    if (start < first)
        start = first;
    const long long length = std::min({static_cast<long long>(high) - low, kLargest - start, kLargest});
    low = static_cast<LONG>(start);
    high = static_cast<LONG>(start + length);
}

// The distance from low to high, as far as an int holds it.
int Extent(LONG low, LONG high) noexcept
{
    return static_cast<int>(std::clamp(static_cast<long long>(high) - low, static_cast<long long>(INT_MIN),
                                       static_cast<long long>(INT_MAX)));
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
    return ::SetWindowPos(window, nullptr, rect.left, rect.top, Extent(rect.left, rect.right),
                          Extent(rect.top, rect.bottom), position) != FALSE;
}

}  // namespace gvt
