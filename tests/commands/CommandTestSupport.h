// Helpers of the command and clipboard tests: a real owner window registered
// as the main dialog, the real clipboard read and written directly, a spy in
// place of the clipboard calls, and a message service that also keeps the
// error records it was asked to show.
#pragma once

#include "commands/Clipboard.h"
#include "commands/FontListOwner.h"
#include "support/RecordingMsg.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace gvt::test {

// A hidden top-level window, destroyed with the object.
class CTestWindow {
public:
    CTestWindow();
    ~CTestWindow();
    CTestWindow(const CTestWindow&) = delete;
    CTestWindow& operator=(const CTestWindow&) = delete;

    HWND get() const noexcept { return m_hwnd; }

private:
    HWND m_hwnd;
};

// Stands for the main dialog while it lives: its window and the selected font.
class CTestFontListOwner final : public gvt::CFontListOwner {
public:
    explicit CTestFontListOwner(HWND window) : m_window(window) { gvt::SetFontListOwner(this); }
    ~CTestFontListOwner() { gvt::SetFontListOwner(nullptr); }
    CTestFontListOwner(const CTestFontListOwner&) = delete;
    CTestFontListOwner& operator=(const CTestFontListOwner&) = delete;

    HWND Window() const override { return m_window; }
    CLogFontPtr SelectedFont() const override { return Selected; }
    std::vector<std::wstring> AddedFilesOf(const LOGFONTW&) const override { return Added; }

    CLogFontPtr Selected;
    std::vector<std::wstring> Added;

private:
    HWND m_window;
};

CLogFontPtr MakeFont(const wchar_t* face, LONG weight, bool italic);

// The CF_UNICODETEXT item of the clipboard, read with the plain system calls;
// nothing when there is none.
std::optional<std::wstring> ReadClipboardText();
// Puts text on the clipboard with the plain system calls; fails the test when
// it cannot.
void PutClipboardText(HWND owner, const std::wstring& text);
// Every format the clipboard offers now.
std::vector<UINT> ClipboardFormats();

// Keeps the records ShowError was given, then shows them as the service does.
class CErrorRecorder : public CRecordingMsg {
public:
    void ShowError(const CSimpleErr& err) override
    {
        errors.push_back(err);
        CRecordingMsg::ShowError(err);
    }

    std::vector<CSimpleErr> errors;
};

// Puts itself in place of the clipboard calls while it lives: records each
// call, passes it on to the system, and makes the one named in Failing fail
// with the last error FailingError instead.
class CClipboardSpy {
public:
    CClipboardSpy();
    ~CClipboardSpy();
    CClipboardSpy(const CClipboardSpy&) = delete;
    CClipboardSpy& operator=(const CClipboardSpy&) = delete;

    const gvt::CClipboardApi& Api() const noexcept { return m_api; }

    std::string Failing;  // "Open", "Empty", "Alloc", "Lock", "SetData" or empty
    DWORD FailingError = ERROR_ACCESS_DENIED;

    std::vector<std::string> Calls;
    UINT AllocFlags = 0;
    SIZE_T AllocBytes = 0;
    HGLOBAL Allocated = nullptr;
    std::vector<HGLOBAL> Freed;
    std::vector<UINT> Formats;  // given to SetClipboardData, successful or not

private:
    bool Fails(const char* call);

    static BOOL WINAPI Open(HWND owner);
    static BOOL WINAPI Empty();
    static HANDLE WINAPI SetData(UINT format, HANDLE data);
    static BOOL WINAPI Close();
    static HGLOBAL WINAPI Alloc(UINT flags, SIZE_T bytes);
    static LPVOID WINAPI Lock(HGLOBAL block);
    static BOOL WINAPI Unlock(HGLOBAL block);
    static HGLOBAL WINAPI Free(HGLOBAL block);

    static CClipboardSpy* s_current;
    gvt::CClipboardApi m_api;
};

}  // namespace gvt::test
