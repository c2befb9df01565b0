// The window framework's bookkeeping for the process: the GUI thread, the
// message loops running on it, and the dialog windows the framework created
// that are still alive. Used from the GUI thread only.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <vector>

namespace gvt {

class CMessageLoop;

class CAppModule {
public:
    CAppModule() = default;
    CAppModule(const CAppModule&) = delete;
    CAppModule& operator=(const CAppModule&) = delete;

    // Records the calling thread as the GUI thread and creates the registry
    // of message loops. E_OUTOFMEMORY when the registry cannot be made.
    HRESULT Init() noexcept;
    // Destroys the framework's dialogs that are still open and frees the
    // registry; Init may be called again afterwards. Only Term destroys
    // windows: static destruction comes too late for that.
    void Term() noexcept;
    bool IsInitialized() const noexcept { return m_loops != nullptr; }
    // Zero when not initialised.
    DWORD GetMainThreadId() const noexcept { return m_mainThreadId; }

    // The loop running on the calling thread. Adding fails when the module
    // is not initialised or the thread already has one (a nested loop runs
    // unregistered); removing removes the calling thread's loop.
    bool AddMessageLoop(CMessageLoop* loop) noexcept;
    bool RemoveMessageLoop() noexcept;
    CMessageLoop* GetMessageLoop(DWORD threadId = ::GetCurrentThreadId()) const noexcept;

    // Dialog windows created by the framework, from their first message to
    // their last.
    bool AddOwnedWindow(HWND hwnd) noexcept;
    void RemoveOwnedWindow(HWND hwnd) noexcept;
    const std::vector<HWND>& OwnedWindows() const noexcept { return m_owned; }

private:
    DWORD m_mainThreadId = 0;
    std::unique_ptr<std::map<DWORD, CMessageLoop*>> m_loops;
    std::vector<HWND> m_owned;
};

// The process-wide instance.
CAppModule& AppModule() noexcept;

}  // namespace gvt
