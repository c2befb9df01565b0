#include "support/MessageBoxWatcher.h"

namespace gvt::test {

namespace {
thread_local CMessageBoxWatcher* t_watcher = nullptr;

std::wstring TextOf(HWND hwnd)
{
    wchar_t buffer[4096] = {};
    ::GetWindowTextW(hwnd, buffer, 4096);
    return buffer;
}

// The text of a message box is its static control with id 0xFFFF.
std::wstring MessageOf(HWND box)
{
    HWND text = ::GetDlgItem(box, 0xFFFF);
    return text ? TextOf(text) : std::wstring();
}

}  // namespace

CMessageBoxWatcher::CMessageBoxWatcher(int button) : m_button(button)
{
    t_watcher = this;
    m_hook = ::SetWindowsHookExW(WH_CBT, Hook, nullptr, ::GetCurrentThreadId());
}

CMessageBoxWatcher::~CMessageBoxWatcher()
{
    ::UnhookWindowsHookEx(m_hook);
    t_watcher = nullptr;
}

LRESULT CALLBACK CMessageBoxWatcher::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    CMessageBoxWatcher* self = t_watcher;
    if (code == HCBT_ACTIVATE && self) {
        HWND box = reinterpret_cast<HWND>(wParam);
        wchar_t cls[64] = {};
        ::GetClassNameW(box, cls, 64);
        if (std::wstring(cls) == L"#32770") {
            self->boxes.push_back({TextOf(box), MessageOf(box), ::GetWindow(box, GW_OWNER)});
            ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(self->m_button, BN_CLICKED), 0);
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace gvt::test
