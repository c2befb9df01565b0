#include "framework/WindowImpl.h"

#include "framework/DebugLog.h"

namespace gvt {

CWindowImplRoot::~CWindowImplRoot()
{
    if (m_handle)
        Release(m_handle);
}

void CWindowImplRoot::OnFinalMessage(HWND) {}

SUBCLASSPROC CWindowImplRoot::GetWindowProc() const
{
    return &CWindowImplRoot::SubclassProc;
}

bool CWindowImplRoot::SubclassWindow(HWND hwnd) noexcept
{
    if (m_handle || !::IsWindow(hwnd))
        return false;
    const SUBCLASSPROC proc = GetWindowProc();
    if (!::SetWindowSubclass(hwnd, proc, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this)))
        return false;
    m_handle = hwnd;
    m_proc = proc;
    return true;
}

HWND CWindowImplRoot::UnsubclassWindow() noexcept
{
    HWND hwnd = m_handle;
    if (hwnd)
        Release(hwnd);
    return hwnd;
}

LRESULT CWindowImplRoot::DefWindowProcW(UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    return ::DefSubclassProc(m_handle, msg, wParam, lParam);
}

void CWindowImplRoot::Release(HWND hwnd) noexcept
{
    ::RemoveWindowSubclass(hwnd, m_proc, reinterpret_cast<UINT_PTR>(this));
    m_handle = nullptr;
    m_proc = nullptr;
}

LRESULT CALLBACK CWindowImplRoot::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                               DWORD_PTR refData)
{
    auto* self = reinterpret_cast<CWindowImplRoot*>(refData);
    LRESULT result = 0;
    BOOL handled = FALSE;
    try {
        handled = self->ProcessWindowMessage(hwnd, msg, wParam, lParam, result);
    } catch (...) {
        // Nothing may unwind through the system's code. A handler that
        // failed has not done its work, so the message gets the processing
        // it would have had without one.
        LogCaughtException(L"subclass procedure");
        handled = FALSE;
        result = 0;
    }

    // The control's own procedure never sees a reflected notification (it
    // would not know it); an unhandled one gets the default answer to the
    // original message. WM_NCDESTROY always goes on, so that the control
    // frees its data whatever the map did.
    if (msg == WM_NCDESTROY)
        result = ::DefSubclassProc(hwnd, msg, wParam, lParam);
    else if (!handled && !DefaultReflection(hwnd, msg, wParam, lParam, result))
        result = ::DefSubclassProc(hwnd, msg, wParam, lParam);

    if (msg == WM_NCDESTROY) {
        // The subclass goes before the window does.
        self->Release(hwnd);
        try {
            self->OnFinalMessage(hwnd);
        } catch (...) {
            // Same rule as above: the hook's failure ends here.
            LogCaughtException(L"final-message hook");
        }
    }
    return result;
}

}  // namespace gvt
