#include "framework/SubMenu.h"

namespace gvt {

bool TrackSubMenuAt(HWND owner, HMENU menu, int index, POINT screenPoint) noexcept
{
    HMENU popup = ::GetSubMenu(menu, index);
    if (!popup)
        return false;
    return ::TrackPopupMenu(popup, TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y, 0, owner, nullptr) != FALSE;
}

POINT ContextMenuPoint(HWND window, POINT messagePoint) noexcept
{
    if (messagePoint.x != -1 || messagePoint.y != -1)
        return messagePoint;
    POINT origin = {0, 0};
    ::ClientToScreen(window, &origin);
    return origin;
}

}  // namespace gvt
