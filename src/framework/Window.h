// Thin, non-owning wrappers over a window handle and the standard controls
// the program talks to. They hold nothing but the handle: copying one copies
// the handle, and destroying one leaves the window alone.
//
// Members whose Win32 names are macros (SendMessage, GetWindowText, ...) are
// declared with their W names, so both spellings reach the same member.
#pragma once

#include <windows.h>

#include <string>

namespace gvt {

class CWindowW {
public:
    HWND m_hWnd = nullptr;

    CWindowW(HWND hwnd = nullptr) noexcept : m_hWnd(hwnd) {}
    CWindowW& operator=(HWND hwnd) noexcept
    {
        m_hWnd = hwnd;
        return *this;
    }
    operator HWND() const noexcept { return m_hWnd; }

    void Attach(HWND hwnd) noexcept { m_hWnd = hwnd; }
    HWND Detach() noexcept
    {
        HWND hwnd = m_hWnd;
        m_hWnd = nullptr;
        return hwnd;
    }

    bool IsWindow() const noexcept { return ::IsWindow(m_hWnd) != FALSE; }
    bool DestroyWindow() noexcept { return ::DestroyWindow(m_hWnd) != FALSE; }

    LRESULT SendMessageW(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const noexcept
    {
        return ::SendMessageW(m_hWnd, msg, wParam, lParam);
    }
    bool PostMessageW(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const noexcept
    {
        return ::PostMessageW(m_hWnd, msg, wParam, lParam) != FALSE;
    }

    // Relatives
    HWND GetDlgItem(int id) const noexcept { return ::GetDlgItem(m_hWnd, id); }
    int GetDlgCtrlID() const noexcept { return ::GetDlgCtrlID(m_hWnd); }
    HWND GetParent() const noexcept { return ::GetParent(m_hWnd); }
    HWND GetWindow(UINT relation) const noexcept { return ::GetWindow(m_hWnd, relation); }
    bool IsChild(HWND hwnd) const noexcept { return ::IsChild(m_hWnd, hwnd) != FALSE; }

    // Text
    int GetWindowTextLengthW() const noexcept { return ::GetWindowTextLengthW(m_hWnd); }
    std::wstring GetWindowTextW() const;
    bool SetWindowTextW(const wchar_t* text) noexcept { return ::SetWindowTextW(m_hWnd, text) != FALSE; }
    // SetWindowTextW only when the text differs, so an equal text neither
    // flickers nor moves an edit's caret.
    bool SetWindowTextIfChanged(const std::wstring& text)
    {
        return GetWindowTextW() == text || SetWindowTextW(text.c_str());
    }
    std::wstring GetClassNameW() const;

    // Styles
    DWORD GetStyle() const noexcept { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const noexcept { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE)); }

    // Position and size
    bool GetWindowRect(RECT* rect) const noexcept { return ::GetWindowRect(m_hWnd, rect) != FALSE; }
    bool GetClientRect(RECT* rect) const noexcept { return ::GetClientRect(m_hWnd, rect) != FALSE; }
    bool SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags) noexcept
    {
        return ::SetWindowPos(m_hWnd, insertAfter, x, y, cx, cy, flags) != FALSE;
    }
    bool SetWindowPos(HWND insertAfter, const RECT& rect, UINT flags) noexcept
    {
        return SetWindowPos(insertAfter, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, flags);
    }
    // Puts the window into or out of the top-most band, keeping its place,
    // size and activation.
    bool SetTopMost(bool topMost) noexcept
    {
        return SetWindowPos(topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                            SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    bool MoveWindow(const RECT& rect, bool repaint = true) noexcept
    {
        return ::MoveWindow(m_hWnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                            repaint) != FALSE;
    }
    // The window rectangle in the client coordinates of its parent.
    bool GetRectInParent(RECT* rect) const noexcept;
    bool ClientToScreen(POINT* point) const noexcept { return ::ClientToScreen(m_hWnd, point) != FALSE; }
    bool ScreenToClient(POINT* point) const noexcept { return ::ScreenToClient(m_hWnd, point) != FALSE; }
    // Centres the window on `center` (default: its parent) within the work
    // area of the nearest monitor; position only.
    bool CenterWindow(HWND center = nullptr) noexcept;

    // State
    bool ShowWindow(int command) noexcept { return ::ShowWindow(m_hWnd, command) != FALSE; }
    bool IsWindowVisible() const noexcept { return ::IsWindowVisible(m_hWnd) != FALSE; }
    bool IsZoomed() const noexcept { return ::IsZoomed(m_hWnd) != FALSE; }
    bool IsIconic() const noexcept { return ::IsIconic(m_hWnd) != FALSE; }
    bool EnableWindow(bool enable = true) noexcept { return ::EnableWindow(m_hWnd, enable) != FALSE; }
    bool IsWindowEnabled() const noexcept { return ::IsWindowEnabled(m_hWnd) != FALSE; }
    HWND SetFocus() noexcept { return ::SetFocus(m_hWnd); }

    // Painting
    bool Invalidate(bool erase = true) noexcept { return ::InvalidateRect(m_hWnd, nullptr, erase) != FALSE; }
    bool InvalidateRect(const RECT* rect, bool erase = true) noexcept
    {
        return ::InvalidateRect(m_hWnd, rect, erase) != FALSE;
    }
    bool UpdateWindow() noexcept { return ::UpdateWindow(m_hWnd) != FALSE; }
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse) noexcept { return ::SetTimer(m_hWnd, id, elapse, nullptr); }
    bool KillTimer(UINT_PTR id) noexcept { return ::KillTimer(m_hWnd, id) != FALSE; }
    HFONT GetFont() const noexcept { return reinterpret_cast<HFONT>(SendMessageW(WM_GETFONT)); }
    void SetFont(HFONT font, bool redraw = true) noexcept
    {
        SendMessageW(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
    }
};

// Where CenterWindow puts a window of the given rectangle: centred on
// `center`, then pushed inside `work` (right and bottom edges first, then left
// and top, so the top-left corner stays visible when the window is larger).
POINT CenteredPosition(const RECT& window, const RECT& center, const RECT& work) noexcept;

class CListBoxW : public CWindowW {
public:
    using CWindowW::CWindowW;

    int GetCount() const noexcept { return static_cast<int>(SendMessageW(LB_GETCOUNT)); }
    // Row count of a no-data list box; LB_ERR or LB_ERRSPACE on failure.
    int SetCount(int count) noexcept { return static_cast<int>(SendMessageW(LB_SETCOUNT, count)); }
    int GetItemHeight(int index) const noexcept { return static_cast<int>(SendMessageW(LB_GETITEMHEIGHT, index)); }
    int SetItemHeight(int index, UINT height) noexcept
    {
        return static_cast<int>(SendMessageW(LB_SETITEMHEIGHT, index, MAKELPARAM(height, 0)));
    }
    bool GetItemRect(int index, RECT* rect) const noexcept
    {
        return SendMessageW(LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(rect)) != LB_ERR;
    }

    int GetCurSel() const noexcept { return static_cast<int>(SendMessageW(LB_GETCURSEL)); }
    int SetCurSel(int index) noexcept { return static_cast<int>(SendMessageW(LB_SETCURSEL, index)); }
    int GetTopIndex() const noexcept { return static_cast<int>(SendMessageW(LB_GETTOPINDEX)); }
    int SetTopIndex(int index) noexcept { return static_cast<int>(SendMessageW(LB_SETTOPINDEX, index)); }
    int GetCaretIndex() const noexcept { return static_cast<int>(SendMessageW(LB_GETCARETINDEX)); }
    // `partialScroll` is the message's lParam: TRUE scrolls only until the
    // item is partly visible, FALSE until it is fully visible.
    int SetCaretIndex(int index, BOOL partialScroll = TRUE) noexcept
    {
        return static_cast<int>(SendMessageW(LB_SETCARETINDEX, index, MAKELPARAM(partialScroll, 0)));
    }
    // The item nearest to a point in client coordinates; `outside` tells
    // whether the point lies outside the client area of every item.
    int ItemFromPoint(POINT point, bool& outside) const noexcept;
    // The row under a point in client coordinates, or -1 where there is none:
    // below the last row the system reports the nearest row, which is not hit.
    int RowAt(POINT point) const noexcept;

    int GetTextLen(int index) const noexcept { return static_cast<int>(SendMessageW(LB_GETTEXTLEN, index)); }
    int GetText(int index, wchar_t* buffer) const noexcept
    {
        return static_cast<int>(SendMessageW(LB_GETTEXT, index, reinterpret_cast<LPARAM>(buffer)));
    }
    // False when the item's text cannot be read.
    bool GetText(int index, std::wstring& text) const;

    int AddString(const wchar_t* text) noexcept
    {
        return static_cast<int>(SendMessageW(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
    }
    int InsertString(int index, const wchar_t* text) noexcept
    {
        return static_cast<int>(SendMessageW(LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text)));
    }
    int DeleteString(int index) noexcept { return static_cast<int>(SendMessageW(LB_DELETESTRING, index)); }
    void ResetContent() noexcept { SendMessageW(LB_RESETCONTENT); }
    int FindStringExact(int start, const wchar_t* text) const noexcept
    {
        return static_cast<int>(SendMessageW(LB_FINDSTRINGEXACT, start, reinterpret_cast<LPARAM>(text)));
    }
};

class CComboBoxW : public CWindowW {
public:
    using CWindowW::CWindowW;

    int GetCount() const noexcept { return static_cast<int>(SendMessageW(CB_GETCOUNT)); }
    int AddString(const wchar_t* text) noexcept
    {
        return static_cast<int>(SendMessageW(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
    }
    int InsertString(int index, const wchar_t* text) noexcept
    {
        return static_cast<int>(SendMessageW(CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text)));
    }
    int DeleteString(int index) noexcept { return static_cast<int>(SendMessageW(CB_DELETESTRING, index)); }
    void ResetContent() noexcept { SendMessageW(CB_RESETCONTENT); }

    int GetCurSel() const noexcept { return static_cast<int>(SendMessageW(CB_GETCURSEL)); }
    int SetCurSel(int index) noexcept { return static_cast<int>(SendMessageW(CB_SETCURSEL, index)); }

    int GetLBTextLen(int index) const noexcept { return static_cast<int>(SendMessageW(CB_GETLBTEXTLEN, index)); }
    int GetLBText(int index, wchar_t* buffer) const noexcept
    {
        return static_cast<int>(SendMessageW(CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(buffer)));
    }
    // False when the item's text cannot be read.
    bool GetLBText(int index, std::wstring& text) const;
    int FindStringExact(int start, const wchar_t* text) const noexcept
    {
        return static_cast<int>(SendMessageW(CB_FINDSTRINGEXACT, start, reinterpret_cast<LPARAM>(text)));
    }

    // Start in the low word, end in the high word.
    DWORD GetEditSel() const noexcept { return static_cast<DWORD>(SendMessageW(CB_GETEDITSEL)); }
    bool SetEditSel(int start, int end) noexcept
    {
        return SendMessageW(CB_SETEDITSEL, 0, MAKELPARAM(start, end)) != CB_ERR;
    }

    int GetDroppedWidth() const noexcept { return static_cast<int>(SendMessageW(CB_GETDROPPEDWIDTH)); }
    int SetDroppedWidth(UINT width) noexcept { return static_cast<int>(SendMessageW(CB_SETDROPPEDWIDTH, width)); }
    bool GetDroppedState() const noexcept { return SendMessageW(CB_GETDROPPEDSTATE) != FALSE; }
    void ShowDropDown(bool show = true) noexcept { SendMessageW(CB_SHOWDROPDOWN, show); }
    // Fills the combo's parts (edit, list, button); sets cbSize itself.
    bool GetComboBoxInfo(COMBOBOXINFO* info) const noexcept;
};

class CEditW : public CWindowW {
public:
    using CWindowW::CWindowW;

    void GetSel(int& start, int& end) const noexcept;
    void SetSel(int start, int end, bool noScroll = false) noexcept;
    void ReplaceSel(const wchar_t* text, bool canUndo = false) noexcept
    {
        SendMessageW(EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text));
    }
};

}  // namespace gvt
