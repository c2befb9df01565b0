// Puts one Unicode text on the system clipboard. Every resource taken on the
// way (the open clipboard, the memory block, its lock) sits in a guard that
// gives it back when an error unwinds the operation.
#pragma once

#include <windows.h>

#include <string>

namespace gvt {

// The system calls the transfer makes, so that a test can make each of them
// fail and watch what is given back.
struct CClipboardApi {
    decltype(&::OpenClipboard) OpenClipboard = ::OpenClipboard;
    decltype(&::EmptyClipboard) EmptyClipboard = ::EmptyClipboard;
    decltype(&::SetClipboardData) SetClipboardData = ::SetClipboardData;
    decltype(&::CloseClipboard) CloseClipboard = ::CloseClipboard;
    decltype(&::GlobalAlloc) GlobalAlloc = ::GlobalAlloc;
    decltype(&::GlobalLock) GlobalLock = ::GlobalLock;
    decltype(&::GlobalUnlock) GlobalUnlock = ::GlobalUnlock;
    decltype(&::GlobalFree) GlobalFree = ::GlobalFree;
};

// The calls in force: the system's own unless a test put others in place.
const CClipboardApi& ClipboardApi() noexcept;
// Null puts the system's calls back. The table must outlive its use.
void SetClipboardApi(const CClipboardApi* api) noexcept;

// The open clipboard; closed again by the destructor unless Close came first.
class CClipboardOpener {
public:
    explicit CClipboardOpener(const CClipboardApi& api = ClipboardApi()) noexcept : m_api(api) {}
    CClipboardOpener(const CClipboardOpener&) = delete;
    CClipboardOpener& operator=(const CClipboardOpener&) = delete;
    virtual ~CClipboardOpener() { Close(); }

    // OpenClipboard with the owner window; false when it failed.
    bool Open(HWND owner) noexcept;
    void Close() noexcept;

private:
    const CClipboardApi& m_api;
    HWND m_owner = nullptr;
    bool m_opened = false;
};

// A global memory block, freed by the destructor unless Release gave it away.
class CGlobalMemory {
public:
    explicit CGlobalMemory(const CClipboardApi& api = ClipboardApi()) noexcept : m_api(api) {}
    CGlobalMemory(const CGlobalMemory&) = delete;
    CGlobalMemory& operator=(const CGlobalMemory&) = delete;
    virtual ~CGlobalMemory();

    // GlobalAlloc; the block (null on failure) is owned from now on.
    HGLOBAL Alloc(UINT flags, SIZE_T bytes) noexcept;
    // Gives up ownership to whoever accepted the block.
    HGLOBAL Release() noexcept;

private:
    const CClipboardApi& m_api;
    HGLOBAL m_handle = nullptr;
};

// The lock on a global memory block, undone by the destructor unless Unlock
// came first.
class CGlobalLocker {
public:
    explicit CGlobalLocker(const CClipboardApi& api = ClipboardApi()) noexcept : m_api(api) {}
    CGlobalLocker(const CGlobalLocker&) = delete;
    CGlobalLocker& operator=(const CGlobalLocker&) = delete;
    virtual ~CGlobalLocker() { Unlock(); }

    // GlobalLock; the address of the block, null when it could not be locked.
    void* Lock(HGLOBAL block) noexcept;
    void Unlock() noexcept;

private:
    const CClipboardApi& m_api;
    HGLOBAL m_handle = nullptr;
};

// Replaces the clipboard's contents with text as CF_UNICODETEXT, owned by the
// owner window. Raises my::CException 58810 (open), 58815 (empty), 58631
// (allocate), 58632 (lock) or 58816 (set).
void SetClipboardText(HWND owner, const std::wstring& text, const CClipboardApi& api = ClipboardApi());

// The inner step, only while the clipboard is open: allocates the block,
// fills it with the text and its terminator and hands it to the clipboard.
void WriteClipboardText(const std::wstring& text, const CClipboardApi& api = ClipboardApi());

}  // namespace gvt
