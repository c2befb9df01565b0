#include "framework/Reflection.h"

#include "framework/MessageMap.h"

namespace gvt {

namespace {

bool IsReflectable(UINT msg) noexcept
{
    switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_PARENTNOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_COMPAREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return true;
    default:
        return false;
    }
}

// A mouse click tells only where it happened: the control is the visible
// child under that point (in the parent's client coordinates).
HWND ChildAtPoint(HWND parent, LPARAM lParam) noexcept
{
    return ::ChildWindowFromPointEx(parent, PointFromLParam(lParam), CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
}

HWND ItemWindow(HWND parent, WPARAM id, HWND item) noexcept
{
    if (id == 0)
        return nullptr;  // a menu item
    return item ? item : ::GetDlgItem(parent, static_cast<int>(id));
}

HWND SenderOf(HWND parent, UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    switch (msg) {
    case WM_NOTIFY:
        return lParam ? reinterpret_cast<const NMHDR*>(lParam)->hwndFrom : nullptr;
    case WM_PARENTNOTIFY:
        switch (LOWORD(wParam)) {
        case WM_CREATE:
        case WM_DESTROY:
            return reinterpret_cast<HWND>(lParam);
        case WM_LBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_XBUTTONDOWN:
            return ChildAtPoint(parent, lParam);
        default:
            return nullptr;
        }
    case WM_DRAWITEM:
        return ItemWindow(parent, wParam, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem);
    case WM_MEASUREITEM:
        return ItemWindow(parent, wParam, nullptr);
    case WM_COMPAREITEM:
        return ItemWindow(parent, wParam, reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam)->hwndItem);
    case WM_DELETEITEM:
        return ItemWindow(parent, wParam, reinterpret_cast<const DELETEITEMSTRUCT*>(lParam)->hwndItem);
    default:
        // WM_COMMAND, WM_VKEYTOITEM, WM_CHARTOITEM, the scroll messages and
        // WM_CTLCOLOR*: the control is in lParam (null for a menu command,
        // an accelerator or a window's own scroll bar).
        return reinterpret_cast<HWND>(lParam);
    }
}

}  // namespace

HWND ReflectionTarget(HWND parent, UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    if (!IsReflectable(msg))
        return nullptr;
    HWND child = SenderOf(parent, msg, wParam, lParam);
    // The reflected messages carry pointers, so only a window of this thread
    // may receive them; WM_CTLCOLORDLG names the parent itself.
    if (!child || child == parent || ::GetWindowThreadProcessId(child, nullptr) != ::GetCurrentThreadId())
        return nullptr;
    return child;
}

BOOL ReflectNotification(HWND parent, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) noexcept
{
    HWND child = ReflectionTarget(parent, msg, wParam, lParam);
    if (!child)
        return FALSE;
    result = ::SendMessageW(child, OCM__BASE + msg, wParam, lParam);
    return TRUE;
}

bool IsReflectedMessage(UINT msg) noexcept
{
    return msg >= OCM__BASE && IsReflectable(msg - OCM__BASE);
}

BOOL DefaultReflection(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) noexcept
{
    if (!IsReflectedMessage(msg))
        return FALSE;
    result = ::DefWindowProcW(control, msg - OCM__BASE, wParam, lParam);
    return TRUE;
}

}  // namespace gvt
