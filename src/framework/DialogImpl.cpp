#include "framework/DialogImpl.h"

#include "framework/AppModule.h"
#include "framework/DebugLog.h"
#include "framework/ModuleInstance.h"

#include <utility>

namespace gvt {

namespace {

// The object whose dialog is being created on this thread: the dialog's
// first message (WM_SETFONT or WM_INITDIALOG, before any lParam could carry
// a pointer) binds the window to it.
thread_local CDialogImplBase* t_creating = nullptr;

// The messages whose answer is the dialog procedure's return value itself;
// every other answer goes through DWLP_MSGRESULT.
bool AnswersDirectly(UINT msg) noexcept
{
    switch (msg) {
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_INITDIALOG:
    case WM_QUERYDRAGICON:
    case WM_VKEYTOITEM:
        return true;
    default:
        return false;
    }
}

// Clears the creation registration however the creation call ends.
class CCreationScope {
public:
    explicit CCreationScope(CDialogImplBase* dialog) noexcept { t_creating = dialog; }
    CCreationScope(const CCreationScope&) = delete;
    CCreationScope& operator=(const CCreationScope&) = delete;
    ~CCreationScope() { t_creating = nullptr; }
};

}  // namespace

CDialogImplBase::~CDialogImplBase()
{
    if (HWND hwnd = m_handle) {
        Unbind(hwnd);
        ::DestroyWindow(hwnd);
    }
}

DLGPROC CDialogImplBase::GetDialogProc() const
{
    return &CDialogImplBase::DialogProc;
}

// No window-procedure thunk is allocated (the binding is DWLP_USER), so
// creation cannot fail for want of executable memory: there is no
// out-of-memory case to report before the dialog is created.
HWND CDialogImplBase::CreateFromTemplate(UINT idd, HWND owner) noexcept
{
    if (m_handle)
        return nullptr;
    CCreationScope scope(this);
    return ::CreateDialogParamW(ModuleInstance(), MAKEINTRESOURCEW(idd), owner, &StartDialogProc, 0);
}

INT_PTR CDialogImplBase::RunDialogBox(UINT idd, HWND owner) noexcept
{
    if (m_handle)
        return -1;
    CCreationScope scope(this);
    return ::DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(idd), owner, &StartDialogProc, 0);
}

bool CDialogImplBase::RunOwnLoop(UINT idd, HWND owner, CMessageFilter& filter) noexcept
{
    HWND dialog = CreateFromTemplate(idd, owner);
    if (!dialog)
        return false;
    if (owner)
        ::EnableWindow(owner, FALSE);
    ::ShowWindow(dialog, SW_SHOW);

    CMessageLoop loop(&filter);
    const bool registered = AppModule().AddMessageLoop(&loop);
    loop.Run();
    if (registered)
        AppModule().RemoveMessageLoop();

    if (owner)
        ::EnableWindow(owner, TRUE);
    if (::IsWindow(dialog))
        ::DestroyWindow(dialog);
    return true;
}

void CDialogImplBase::Bind(HWND hwnd) noexcept
{
    m_handle = hwnd;
    ::SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(this));
    AppModule().AddOwnedWindow(hwnd);
}

void CDialogImplBase::Unbind(HWND hwnd) noexcept
{
    ::SetWindowLongPtrW(hwnd, DWLP_USER, 0);
    AppModule().RemoveOwnedWindow(hwnd);
    m_handle = nullptr;
}

INT_PTR CALLBACK CDialogImplBase::StartDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CDialogImplBase* self = std::exchange(t_creating, nullptr);
    if (!self)
        return FALSE;
    self->Bind(hwnd);
    const DLGPROC proc = self->GetDialogProc();
    ::SetWindowLongPtrW(hwnd, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(proc));
    return proc(hwnd, msg, wParam, lParam);
}

INT_PTR CALLBACK CDialogImplBase::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<CDialogImplBase*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!self)
        return FALSE;

    LRESULT result = 0;
    BOOL handled = FALSE;
    try {
        handled = self->ProcessWindowMessage(hwnd, msg, wParam, lParam, result);
    } catch (...) {
        // Nothing may unwind through the dialog manager; a failed handler
        // leaves the message to the default dialog processing.
        LogCaughtException(L"dialog procedure");
        handled = FALSE;
    }
    if (msg == WM_NCDESTROY)
        self->Unbind(hwnd);

    // A dialog whose map does not initialise it gets the default focus.
    if (!handled)
        return msg == WM_INITDIALOG ? TRUE : FALSE;
    if (AnswersDirectly(msg))
        return static_cast<INT_PTR>(result);
    ::SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

}  // namespace gvt
