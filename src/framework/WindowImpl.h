// A C++ object that takes over an existing window (a dialog's control) and
// sees its messages first, through its message map.
//
// Subclassing goes through the common controls' SetWindowSubclass rather
// than per-object thunks: nothing is written to executable memory (so it
// works under DEP and Wine alike), the object is found through the
// subclass's reference data, and several subclasses of one window can be
// removed in any order without breaking the chain.
#pragma once

#include "framework/MessageMap.h"
#include "framework/Window.h"

#include <windows.h>
#include <commctrl.h>

namespace gvt {

// The part of every window implementation that does not depend on the
// wrapper type: the subclass and its window procedure.
class CWindowImplRoot {
public:
    CWindowImplRoot(const CWindowImplRoot&) = delete;
    CWindowImplRoot& operator=(const CWindowImplRoot&) = delete;

    // The final class's map (BEGIN_MSG_MAP); FALSE passes the message on to
    // the window's previous procedure.
    virtual BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                                      DWORD dwMsgMapID = 0) = 0;
    // Removes the subclass if the window still lives.
    virtual ~CWindowImplRoot();
    // Called after the window's last message (WM_NCDESTROY), when the
    // subclass is already gone and the handle cleared.
    virtual void OnFinalMessage(HWND hwnd);
    // The procedure installed by SubclassWindow.
    virtual SUBCLASSPROC GetWindowProc() const;

    // Takes over a window of this thread. Fails when the object already
    // holds a window or the handle is not a window.
    bool SubclassWindow(HWND hwnd) noexcept;
    // Gives the window back to its previous procedure; returns it (null when
    // nothing was subclassed).
    HWND UnsubclassWindow() noexcept;

protected:
    explicit CWindowImplRoot(HWND& handle) noexcept : m_handle(handle) {}

    // The window's previous procedure; only valid while a message of this
    // window is being processed.
    LRESULT DefWindowProcW(UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR refData);
    void Release(HWND hwnd) noexcept;

    HWND& m_handle;  // the wrapper's m_hWnd
    SUBCLASSPROC m_proc = nullptr;
};

// T is the final class; TBase the window wrapper it extends (CWindowW,
// CListBoxW, CComboBoxW, CEditW).
template <class T, class TBase = CWindowW>
class CWindowImpl : public TBase, public CWindowImplRoot {
public:
    CWindowImpl() noexcept : CWindowImplRoot(this->m_hWnd) {}
};

}  // namespace gvt
