// Reflection of control notifications: a parent hands WM_COMMAND, WM_NOTIFY,
// WM_DRAWITEM and the like back to the control that sent them, as the same
// message plus OCM__BASE, so that a control class handles its own
// notifications. The names and values are the platform's (olectl.h spells
// them the same way, so either header may come first).
#pragma once

#include <windows.h>

#define OCM__BASE (WM_USER+0x1c00)
#define OCM_COMMAND (OCM__BASE + WM_COMMAND)
#define OCM_CTLCOLORSTATIC (OCM__BASE + WM_CTLCOLORSTATIC)
#define OCM_DRAWITEM (OCM__BASE + WM_DRAWITEM)
#define OCM_MEASUREITEM (OCM__BASE + WM_MEASUREITEM)
#define OCM_NOTIFY (OCM__BASE + WM_NOTIFY)

namespace gvt {

// The control a notification comes from, or null when the message is not a
// reflected kind or has no sending control (a menu command, an accelerator,
// a window's own scroll bar, an owner-drawn menu item).
HWND ReflectionTarget(HWND parent, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

// Sends the reflected form of a notification to its control and returns its
// answer in `result`; returns FALSE (nothing sent) when there is no target.
BOOL ReflectNotification(HWND parent, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) noexcept;

// Whether msg is the reflected form of one of the reflected notifications.
bool IsReflectedMessage(UINT msg) noexcept;

// What a control that has no handler for a reflected notification answers:
// the default window procedure's answer to the original message (a brush
// for WM_CTLCOLOR*, 0 for the rest). Returns FALSE for other messages.
BOOL DefaultReflection(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) noexcept;

}  // namespace gvt
