// Context menus: a window class mixes in CSubMenuImpl<T> to show one submenu
// of a menu resource as a popup it owns. The chosen command arrives as the
// window's WM_COMMAND; WM_INITMENUPOPUP goes to the window first, so an
// update-UI table in its map sets the check marks as the popup opens.
#pragma once

#include <windows.h>

namespace gvt {

// Shows submenu `index` of `menu` at a screen point (TPM_RIGHTBUTTON) and
// returns when it closes. False when there is no such submenu or it could
// not be shown.
bool TrackSubMenuAt(HWND owner, HMENU menu, int index, POINT screenPoint) noexcept;

// The point of WM_CONTEXTMENU to show a menu at: a menu asked for from the
// keyboard (-1, -1) opens at the window's client origin, in screen
// coordinates; any other point is used as it is.
POINT ContextMenuPoint(HWND window, POINT messagePoint) noexcept;

template <class T>
class CSubMenuImpl {
public:
    virtual bool TrackSubMenu(HMENU menu, int index, POINT screenPoint)
    {
        return TrackSubMenuAt(static_cast<T*>(this)->m_hWnd, menu, index, screenPoint);
    }

protected:
    CSubMenuImpl() = default;
    ~CSubMenuImpl() = default;
};

}  // namespace gvt
