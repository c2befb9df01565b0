// Remembers where the dialog was: applies the stored placement at start,
// shows the dialog maximised or normal once its loop runs, and records every
// later move, resize and state change.
#pragma once

#include "framework/MessageMap.h"
#include "settings/WindowLayoutSetting.h"

#include <windows.h>

namespace gvt {

// Posted by the dialog to itself during initialisation: show the window in
// its saved state once the message loop runs.
constexpr UINT WM_DEFERRED_SHOW = WM_APP;

// Restore flags.
enum : UINT {
    RESTORE_NOMOVE = 1,                    // keep the current position
    RESTORE_NOSIZE = 2,                    // keep the current size
    RESTORE_FIT_TO_VIRTUAL_SCREEN = 4,     // pull the rectangle into the virtual screen first
};

// The rectangle moved (never resized) into `screen`: up and left by what
// overhangs the bottom and right, then down and right so that the top-left
// corner is inside. A rectangle larger than the screen keeps its top-left
// corner at the screen's and overhangs at the bottom or right.
RECT FitToVirtualScreen(const RECT& rect, const RECT& screen) noexcept;

// The bounding rectangle of all monitors.
RECT VirtualScreenRect() noexcept;

// Puts `window` at the stored normal rectangle (restoring it from maximised
// or minimised first). False, with nothing changed, when nothing is stored.
bool ApplyLayout(HWND window, const CWindowLayoutSetting& layout, UINT flags) noexcept;

// T is the dialog class, Message the private message of the deferred show.
// T chains this map after its own handlers and before the reflection of
// control notifications.
template <class T, UINT Message>
class CWindowLayoutManager {
public:
    BEGIN_MSG_MAP(CWindowLayoutManager)
        MESSAGE_HANDLER(Message, OnDeferredShow)
        MSG_WM_WINDOWPOSCHANGED(OnLayoutWindowPosChanged)
    END_MSG_MAP()

    // The record kept up to date; must outlive the dialog's window.
    void SetLayout(CWindowLayoutSetting* layout) noexcept { m_layout = layout; }
    CWindowLayoutSetting* GetLayout() const noexcept { return m_layout; }

    // Stops recording the placement and posts Message, whose arrival shows
    // the window in its saved state and resumes recording.
    void PostDeferredShow() noexcept
    {
        Pending = true;
        ::PostMessageW(Window(), Message, 0, 0);
    }

    virtual bool Restore(UINT flags) { return m_layout && ApplyLayout(Window(), *m_layout, flags); }
    virtual void Show() { ::ShowWindow(Window(), m_layout && m_layout->Maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL); }
    virtual void Capture()
    {
        if (!m_layout)
            return;
        const HWND window = Window();
        m_layout->Maximized = ::IsZoomed(window) != FALSE;
        if (!m_layout->Maximized && !::IsIconic(window))
            ::GetWindowRect(window, &m_layout->Rect);
    }

    // True until the deferred show has run: placement changes are not
    // recorded meanwhile.
    bool Pending = true;

protected:
    ~CWindowLayoutManager() = default;

private:
    HWND Window() const noexcept { return static_cast<const T*>(this)->m_hWnd; }

    LRESULT OnDeferredShow(UINT, WPARAM, LPARAM, BOOL&)
    {
        Show();
        Pending = false;
        return 0;
    }
    void OnLayoutWindowPosChanged(WINDOWPOS*, BOOL& bHandled)
    {
        if (m_layout && !Pending)
            Capture();
        bHandled = FALSE;
    }

    CWindowLayoutSetting* m_layout = nullptr;
};

}  // namespace gvt
