// Message maps: each window class lists the messages it handles between
// BEGIN_MSG_MAP and END_MSG_MAP, which expand to its
//
//   BOOL ProcessWindowMessage(HWND, UINT, WPARAM, LPARAM, LRESULT& result, DWORD mapId = 0)
//
// The entries are tried in order. A handler gets `BOOL& bHandled`, already
// TRUE; it sets it FALSE to leave the message to the entries after it, so a
// derived class that chains its base (CHAIN_MSG_MAP) sees every message first
// and passes on what it does not consume. A map that returns FALSE leaves the
// message to the window's default processing.
//
// Handler signatures:
//   MESSAGE_HANDLER, MESSAGE_RANGE_HANDLER:
//       LRESULT f(UINT msg, WPARAM, LPARAM, BOOL& bHandled)
//   COMMAND_HANDLER, COMMAND_ID_HANDLER and the REFLECTED_COMMAND_* forms:
//       LRESULT f(WORD code, WORD id, HWND control, BOOL& bHandled)
//   REFLECTED_NOTIFY_CODE_HANDLER:
//       LRESULT f(int id, NMHDR* header, BOOL& bHandled)
//   The typed MSG_* crackers list theirs beside each macro.
//
// <windowsx.h> is not used for the parameter unpacking: its SubclassWindow
// macro would rename CWindowImpl's member of that name.
#pragma once

#include "framework/Reflection.h"

#include <windows.h>

namespace gvt {

// Signed client or screen coordinates packed into an LPARAM.
inline POINT PointFromLParam(LPARAM lParam) noexcept
{
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace gvt

#define BEGIN_MSG_MAP(theClass)                                                                 \
public:                                                                                         \
    BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult, \
                              DWORD dwMsgMapID = 0)                                             \
    {                                                                                           \
        BOOL bHandled = TRUE;                                                                   \
        static_cast<void>(hWnd);                                                                \
        static_cast<void>(uMsg);                                                                \
        static_cast<void>(wParam);                                                              \
        static_cast<void>(lParam);                                                              \
        static_cast<void>(lResult);                                                             \
        static_cast<void>(bHandled);                                                            \
        if (dwMsgMapID == 0) {

// A second map of the same class, reached through CHAIN_MSG_MAP_ALT.
#define ALT_MSG_MAP(mapId) \
    }                      \
    if (dwMsgMapID == (mapId)) {

#define END_MSG_MAP() \
    }                 \
    return FALSE;     \
    }

// Runs `call` for `condition`; returns when the handler left bHandled TRUE.
#define GVT_MSG_ENTRY(condition, call) \
    if (condition) {                   \
        bHandled = TRUE;               \
        call;                          \
        if (bHandled)                  \
            return TRUE;               \
    }

#define MESSAGE_HANDLER(msg, func) GVT_MSG_ENTRY(uMsg == (msg), lResult = func(uMsg, wParam, lParam, bHandled))

// The range test is written so that a range from 0 draws no warning.
#define MESSAGE_RANGE_HANDLER(msgFirst, msgLast, func)                                           \
    GVT_MSG_ENTRY(UINT(uMsg - UINT(msgFirst)) <= UINT(UINT(msgLast) - UINT(msgFirst)), \
                  lResult = func(uMsg, wParam, lParam, bHandled))

#define GVT_COMMAND_CALL(func) \
    lResult = func(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam), bHandled)

#define COMMAND_HANDLER(id, code, func) \
    GVT_MSG_ENTRY(uMsg == WM_COMMAND && LOWORD(wParam) == (id) && HIWORD(wParam) == (code), GVT_COMMAND_CALL(func))

#define COMMAND_ID_HANDLER(id, func) \
    GVT_MSG_ENTRY(uMsg == WM_COMMAND && LOWORD(wParam) == (id), GVT_COMMAND_CALL(func))

#define GVT_NOTIFY_CALL(func) \
    lResult = func(static_cast<int>(wParam), reinterpret_cast<NMHDR*>(lParam), bHandled)

// Chaining: the named base class's map (the name may contain commas), a
// member's map, or an alternative map of either.
#define CHAIN_MSG_MAP(...)                                                        \
    if (__VA_ARGS__::ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult)) \
        return TRUE;

#define CHAIN_MSG_MAP_MEMBER(member)                                              \
    if ((member).ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult)) \
        return TRUE;

#define CHAIN_MSG_MAP_ALT(theChainClass, mapId)                                              \
    if (theChainClass::ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult, mapId)) \
        return TRUE;

// In a parent: sends control notifications back to their control as
// OCM_* messages (see Reflection.h). Put it last, after the parent's own
// handlers. A notification without a sending control goes on unhandled.
#define REFLECT_NOTIFICATIONS()                                               \
    if (::gvt::ReflectNotification(hWnd, uMsg, wParam, lParam, lResult)) \
        return TRUE;

#define REFLECTED_COMMAND_HANDLER(id, code, func) \
    GVT_MSG_ENTRY(uMsg == OCM_COMMAND && LOWORD(wParam) == (id) && HIWORD(wParam) == (code), GVT_COMMAND_CALL(func))

#define REFLECTED_COMMAND_CODE_HANDLER(code, func) \
    GVT_MSG_ENTRY(uMsg == OCM_COMMAND && HIWORD(wParam) == (code), GVT_COMMAND_CALL(func))

#define REFLECTED_NOTIFY_CODE_HANDLER(notifyCode, func)                                                        \
    GVT_MSG_ENTRY(uMsg == OCM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == UINT(notifyCode), \
                  GVT_NOTIFY_CALL(func))

// Typed crackers. Each handler ends with `BOOL& bHandled`.

// BOOL f(HWND focus, LPARAM initParam, BOOL&): TRUE lets the dialog set the
// default focus, FALSE says the handler set it.
#define MSG_WM_INITDIALOG(func)                 \
    GVT_MSG_ENTRY(uMsg == WM_INITDIALOG,        \
                  lResult = static_cast<LRESULT>(func(reinterpret_cast<HWND>(wParam), lParam, bHandled)))

// void f(HWND window, POINT screenPoint, BOOL&); (-1, -1) from the keyboard.
#define MSG_WM_CONTEXTMENU(func)                                                                        \
    GVT_MSG_ENTRY(uMsg == WM_CONTEXTMENU,                                                               \
                  (func(reinterpret_cast<HWND>(wParam), ::gvt::PointFromLParam(lParam), bHandled), \
                   lResult = 0))

// void f(UINT type, SIZE clientSize, BOOL&)
#define MSG_WM_SIZE(func)                                                                             \
    GVT_MSG_ENTRY(uMsg == WM_SIZE,                                                                    \
                  (func(static_cast<UINT>(wParam), SIZE{LOWORD(lParam), HIWORD(lParam)}, bHandled), \
                   lResult = 0))

// void f(MINMAXINFO*, BOOL&)
#define MSG_WM_GETMINMAXINFO(func)       \
    GVT_MSG_ENTRY(uMsg == WM_GETMINMAXINFO, \
                  (func(reinterpret_cast<MINMAXINFO*>(lParam), bHandled), lResult = 0))

// void f(WINDOWPOS*, BOOL&)
#define MSG_WM_WINDOWPOSCHANGED(func)       \
    GVT_MSG_ENTRY(uMsg == WM_WINDOWPOSCHANGED, \
                  (func(reinterpret_cast<WINDOWPOS*>(lParam), bHandled), lResult = 0))

// BOOL f(HWND window, UINT hitTest, UINT mouseMsg, BOOL&): TRUE stops the
// default cursor choice.
#define MSG_WM_SETCURSOR(func)                                                                 \
    GVT_MSG_ENTRY(uMsg == WM_SETCURSOR,                                                        \
                  lResult = static_cast<LRESULT>(func(reinterpret_cast<HWND>(wParam), LOWORD(lParam), \
                                                      HIWORD(lParam), bHandled)))

// HBRUSH f(HDC, HWND control, BOOL&)
#define MSG_WM_CTLCOLORSTATIC(func)                                                                     \
    GVT_MSG_ENTRY(uMsg == WM_CTLCOLORSTATIC,                                                            \
                  lResult = reinterpret_cast<LRESULT>(                                                   \
                      func(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), bHandled)))

// void f(UINT controlId, DRAWITEMSTRUCT*, BOOL&); answers TRUE.
#define GVT_DRAWITEM_ENTRY(msg, func)                                                                  \
    GVT_MSG_ENTRY(uMsg == (msg),                                                                       \
                  (func(static_cast<UINT>(wParam), reinterpret_cast<DRAWITEMSTRUCT*>(lParam), bHandled), \
                   lResult = TRUE))
#define MSG_OCM_DRAWITEM(func) GVT_DRAWITEM_ENTRY(OCM_DRAWITEM, func)

// void f(UINT controlId, MEASUREITEMSTRUCT*, BOOL&); answers TRUE.
#define GVT_MEASUREITEM_ENTRY(msg, func)                                                                  \
    GVT_MSG_ENTRY(uMsg == (msg),                                                                          \
                  (func(static_cast<UINT>(wParam), reinterpret_cast<MEASUREITEMSTRUCT*>(lParam), bHandled), \
                   lResult = TRUE))
#define MSG_OCM_MEASUREITEM(func) GVT_MEASUREITEM_ENTRY(OCM_MEASUREITEM, func)

// void f(HDC dcOrNull, BOOL&)
#define MSG_WM_PAINT(func) \
    GVT_MSG_ENTRY(uMsg == WM_PAINT, (func(reinterpret_cast<HDC>(wParam), bHandled), lResult = 0))

// void f(HRGN updateRegion, BOOL&)
#define MSG_WM_NCPAINT(func) \
    GVT_MSG_ENTRY(uMsg == WM_NCPAINT, (func(reinterpret_cast<HRGN>(wParam), bHandled), lResult = 0))

// void f(UINT key, UINT repeatCount, UINT keyFlags, BOOL&): the key is the
// virtual-key code (WM_KEYDOWN) or the UTF-16 unit (WM_CHAR); the flags are
// the high word of lParam (scan code, extended bit, KF_REPEAT, ...).
#define GVT_KEY_ENTRY(msg, func)                                                                      \
    GVT_MSG_ENTRY(uMsg == (msg), (func(static_cast<UINT>(wParam), static_cast<UINT>(LOWORD(lParam)), \
                                       static_cast<UINT>(HIWORD(lParam)), bHandled),                \
                                  lResult = 0))
#define MSG_WM_KEYDOWN(func) GVT_KEY_ENTRY(WM_KEYDOWN, func)
#define MSG_WM_CHAR(func) GVT_KEY_ENTRY(WM_CHAR, func)

// void f(UINT keys, short delta, POINT screenPoint, BOOL&); answers 0.
#define MSG_WM_MOUSEWHEEL(func)                                                                   \
    GVT_MSG_ENTRY(uMsg == WM_MOUSEWHEEL,                                                          \
                  (func(GET_KEYSTATE_WPARAM(wParam), GET_WHEEL_DELTA_WPARAM(wParam),            \
                        ::gvt::PointFromLParam(lParam), bHandled),                              \
                   lResult = 0))

// void f(HMENU popup, UINT index, bool windowMenu, BOOL&)
#define MSG_WM_INITMENUPOPUP(func)                                                                 \
    GVT_MSG_ENTRY(uMsg == WM_INITMENUPOPUP,                                                        \
                  (func(reinterpret_cast<HMENU>(wParam), static_cast<UINT>(LOWORD(lParam)),        \
                        HIWORD(lParam) != 0, bHandled),                                            \
                   lResult = 0))
