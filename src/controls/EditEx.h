// An edit field (inside a combo box) whose key-down and character messages
// are events: a listener may mark one handled so that the edit never sees
// it. After the edit's own painting an overridable step may draw over it.
#pragma once

#include "controls/EventListener.h"
#include "framework/WindowImpl.h"

#include <windows.h>

namespace gvt {

// The argument of the key-down and character events.
struct KeyEvent {
    bool Handled = false;    // set by a listener to consume the message
    WORD Key = 0;            // virtual-key code (key-down) or UTF-16 unit (character)
    DWORD RepeatCount = 0;   // low word of lParam
    DWORD KeyFlags = 0;      // high word of lParam: scan code, KF_EXTENDED, KF_REPEAT, ...
};

class CEditEx : public CWindowImpl<CEditEx, CEditW> {
public:
    BEGIN_MSG_MAP(CEditEx)
        MSG_WM_KEYDOWN(OnKeyDown)
        MSG_WM_CHAR(OnChar)
        MSG_WM_PAINT(OnPaint)
    END_MSG_MAP()

    // Drawn after the edit has painted itself, clipped to the area that was
    // to be painted. Draws nothing here.
    virtual void PaintOverlay(HDC dc);

    using CKeyListeners = CEventListeners<CEditEx, KeyEvent&>;
    CKeyListeners& KeyDownListeners() noexcept { return m_keyDown; }
    CKeyListeners& CharListeners() noexcept { return m_char; }

private:
    void OnKeyDown(UINT key, UINT repeatCount, UINT keyFlags, BOOL& bHandled);
    void OnChar(UINT key, UINT repeatCount, UINT keyFlags, BOOL& bHandled);
    void OnPaint(HDC dc, BOOL& bHandled);

    CKeyListeners m_keyDown;
    CKeyListeners m_char;
};

}  // namespace gvt
