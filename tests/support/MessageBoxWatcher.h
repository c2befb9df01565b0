// Watches the message boxes the calling thread shows: records their title,
// text and owner, and closes each with the given button.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace gvt::test {

class CMessageBoxWatcher {
public:
    struct Box {
        std::wstring title;
        std::wstring text;
        HWND owner;
    };

    explicit CMessageBoxWatcher(int button);
    ~CMessageBoxWatcher();
    CMessageBoxWatcher(const CMessageBoxWatcher&) = delete;
    CMessageBoxWatcher& operator=(const CMessageBoxWatcher&) = delete;

    std::vector<Box> boxes;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    HHOOK m_hook;
    int m_button;
};

}  // namespace gvt::test
