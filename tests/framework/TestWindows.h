// Helpers of the framework's tests: real windows that clean up after
// themselves, and a subclass that records what reaches it.
#pragma once

#include "framework/WindowImpl.h"

#include <windows.h>
#include <commctrl.h>

#include <vector>

namespace gvt::test {

// A window made with CreateWindowExW and destroyed with its guard.
class CTestWindow {
public:
    CTestWindow(const wchar_t* className, DWORD style, HWND parent = nullptr, int id = 0,
                const wchar_t* text = L"")
        : m_hwnd(::CreateWindowExW(0, className, text, style, 10, 10, 200, 120, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr),
                                   nullptr))
    {
    }
    CTestWindow(const CTestWindow&) = delete;
    CTestWindow& operator=(const CTestWindow&) = delete;
    ~CTestWindow()
    {
        if (::IsWindow(m_hwnd))
            ::DestroyWindow(m_hwnd);
    }
    HWND get() const noexcept { return m_hwnd; }
    operator HWND() const noexcept { return m_hwnd; }

private:
    HWND m_hwnd;
};

// Handles every queued message of the thread.
inline void PumpMessages()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// The classes of the common controls the test dialog uses.
inline void InitTestControls()
{
    INITCOMMONCONTROLSEX init = {sizeof init, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&init);
}

// Consumes nothing; remembers every message it sees in the window's chain.
class CRecorder : public CWindowImpl<CRecorder> {
public:
    BEGIN_MSG_MAP(CRecorder)
        MESSAGE_RANGE_HANDLER(0, 0xFFFF, OnAny)
    END_MSG_MAP()

    bool Saw(UINT msg) const
    {
        for (UINT seen : Messages) {
            if (seen == msg)
                return true;
        }
        return false;
    }

    std::vector<UINT> Messages;

private:
    LRESULT OnAny(UINT msg, WPARAM, LPARAM, BOOL& bHandled)
    {
        Messages.push_back(msg);
        bHandled = FALSE;
        return 0;
    }
};

}  // namespace gvt::test
