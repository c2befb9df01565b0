// Dialogs from the module's resource templates, each driven by a C++ object
// whose message map sees the dialog's messages.
//
//   CDialogWT<TBase>          the dialog window wrapper (GotoDlgCtrl, ...)
//   CDialogImpl<T, TBase>     DoModal through the system's modal loop
//                             (DialogBoxParamW / EndDialog), or Create for a
//                             modeless dialog
//   CModalDialogImpl<T, TBase>
//                             DoModal as a modeless dialog in a loop of its
//                             own, with T's accelerators and pre-translation
//
// T names its template with `enum { IDD = ... };` and handles messages in
// its map; what the map leaves unhandled gets the default dialog processing.
// The object is bound to its window through the dialog's DWLP_USER slot,
// which therefore belongs to the framework.
#pragma once

#include "framework/MessageLoop.h"
#include "framework/MessageMap.h"
#include "framework/Window.h"

#include <windows.h>

#include <string>

namespace gvt {

template <class TBase = CWindowW>
class CDialogWT : public TBase {
public:
    using TBase::TBase;

    // Moves the focus to a control the way the dialog manager does (the
    // default button and edit selection follow).
    void GotoDlgCtrl(HWND control) noexcept
    {
        this->SendMessageW(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    }
    bool SetDefID(UINT id) noexcept { return this->SendMessageW(DM_SETDEFID, id) != FALSE; }
    // Zero when the dialog has no default button.
    UINT GetDefID() const noexcept
    {
        const LRESULT result = this->SendMessageW(DM_GETDEFID);
        return HIWORD(result) == DC_HASDEFID ? LOWORD(result) : 0;
    }
    HWND GetNextDlgTabItem(HWND control, bool previous = false) const noexcept
    {
        return ::GetNextDlgTabItem(this->m_hWnd, control, previous);
    }
    bool MapDialogRect(RECT* rect) const noexcept { return ::MapDialogRect(this->m_hWnd, rect) != FALSE; }
    std::wstring GetDlgItemTextW(int id) const { return CWindowW(this->GetDlgItem(id)).GetWindowTextW(); }
    bool SetDlgItemTextW(int id, const wchar_t* text) noexcept
    {
        return ::SetDlgItemTextW(this->m_hWnd, id, text) != FALSE;
    }
};

// The part of every dialog implementation that does not depend on the
// wrapper type: creation, the dialog procedure, the binding to the window.
class CDialogImplBase {
public:
    CDialogImplBase(const CDialogImplBase&) = delete;
    CDialogImplBase& operator=(const CDialogImplBase&) = delete;

    // The final class's map (BEGIN_MSG_MAP); FALSE leaves the message to the
    // default dialog processing.
    virtual BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                                      DWORD dwMsgMapID = 0) = 0;
    // A dialog window still open is unbound and destroyed.
    virtual ~CDialogImplBase();
    // The procedure that serves the dialog after its first message.
    virtual DLGPROC GetDialogProc() const;

protected:
    explicit CDialogImplBase(HWND& handle) noexcept : m_handle(handle) {}

    // Modeless dialog from template `idd`; null when it cannot be created
    // or the object already has a window.
    HWND CreateFromTemplate(UINT idd, HWND owner) noexcept;
    // The system's modal loop: the value given to EndDialog, or -1 when the
    // dialog cannot be created.
    INT_PTR RunDialogBox(UINT idd, HWND owner) noexcept;
    // Creates the dialog modeless, disables the owner, shows the dialog and
    // runs a message loop (registered with the module) with `filter` until
    // WM_QUIT; then enables the owner and destroys the dialog. False, with
    // nothing shown, when the dialog cannot be created.
    bool RunOwnLoop(UINT idd, HWND owner, CMessageFilter& filter) noexcept;

private:
    static INT_PTR CALLBACK StartDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Bind(HWND hwnd) noexcept;
    void Unbind(HWND hwnd) noexcept;

    HWND& m_handle;  // the wrapper's m_hWnd
};

template <class TBase>
class CDialogImplBaseT : public TBase, public CDialogImplBase {
protected:
    CDialogImplBaseT() noexcept : CDialogImplBase(this->m_hWnd) {}
};

template <class T, class TBase = CDialogWT<CWindowW>>
class CDialogImpl : public CDialogImplBaseT<TBase> {
public:
    INT_PTR DoModal(HWND owner = ::GetActiveWindow()) noexcept { return this->RunDialogBox(T::IDD, owner); }
    bool EndDialog(INT_PTR result) noexcept { return ::EndDialog(this->m_hWnd, result) != FALSE; }

    // A modeless dialog; the caller destroys it (or lets the object do so).
    HWND Create(HWND owner) noexcept { return this->CreateFromTemplate(T::IDD, owner); }
};

// A dialog that runs modal in a loop of its own. Every message of the thread
// goes, in this order and until one consumes it, through
// TranslateAcceleratorW with T::GetAcceleratorTable(), T::PreTranslateMessage
// (default IsDialogMessageW), then TranslateMessage and DispatchMessageW. T
// may hide either hook with a public member of the same signature.
template <class T, class TBase = CDialogWT<CWindowW>>
class CModalDialogImpl : public CDialogImplBaseT<TBase> {
public:
    // The end code given to EndDialog (2, IDCANCEL, when the loop ended
    // otherwise), or 0 when the dialog could not be created.
    INT_PTR DoModal(HWND owner = nullptr) noexcept
    {
        m_endCode = IDCANCEL;
        CLoopFilter filter(static_cast<T&>(*this));
        if (!this->RunOwnLoop(T::IDD, owner, filter))
            return 0;
        return m_endCode;
    }
    // Stores the end code and ends the loop; the loop destroys the window.
    void EndDialog(INT_PTR code) noexcept
    {
        m_endCode = code;
        ::PostQuitMessage(0);
    }

    HACCEL GetAcceleratorTable() const noexcept { return nullptr; }
    BOOL PreTranslateMessage(MSG* msg) { return ::IsDialogMessageW(this->m_hWnd, msg); }

private:
    class CLoopFilter final : public CMessageFilter {
    public:
        explicit CLoopFilter(T& dialog) noexcept : m_dialog(dialog) {}
        BOOL PreTranslateMessage(MSG* msg) override
        {
            const HACCEL accelerators = m_dialog.GetAcceleratorTable();
            if (accelerators && ::TranslateAcceleratorW(m_dialog.m_hWnd, accelerators, msg))
                return TRUE;
            return m_dialog.PreTranslateMessage(msg);
        }

    private:
        T& m_dialog;
    };

    INT_PTR m_endCode = IDCANCEL;
};

}  // namespace gvt
