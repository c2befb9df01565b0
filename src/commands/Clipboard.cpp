#include "commands/Clipboard.h"

#include "base/Exception.h"
#include "resources/resource.h"

namespace gvt {

namespace {
const CClipboardApi kSystemApi;
const CClipboardApi* g_api = &kSystemApi;
}  // namespace

const CClipboardApi& ClipboardApi() noexcept
{
    return *g_api;
}

void SetClipboardApi(const CClipboardApi* api) noexcept
{
    g_api = api ? api : &kSystemApi;
}

bool CClipboardOpener::Open(HWND owner) noexcept
{
    m_owner = owner;
    m_opened = m_api.OpenClipboard(owner) != FALSE;
    return m_opened;
}

void CClipboardOpener::Close() noexcept
{
    if (m_opened)
        m_api.CloseClipboard();
    m_opened = false;
}

CGlobalMemory::~CGlobalMemory()
{
    if (m_handle)
        m_api.GlobalFree(m_handle);
    m_handle = nullptr;
}

HGLOBAL CGlobalMemory::Alloc(UINT flags, SIZE_T bytes) noexcept
{
    m_handle = m_api.GlobalAlloc(flags, bytes);
    return m_handle;
}

HGLOBAL CGlobalMemory::Release() noexcept
{
    HGLOBAL handle = m_handle;
    m_handle = nullptr;
    return handle;
}

void* CGlobalLocker::Lock(HGLOBAL block) noexcept
{
    void* address = m_api.GlobalLock(block);
    m_handle = address ? block : nullptr;
    return address;
}

void CGlobalLocker::Unlock() noexcept
{
    if (m_handle)
        m_api.GlobalUnlock(m_handle);
    m_handle = nullptr;
}

void SetClipboardText(HWND owner, const std::wstring& text, const CClipboardApi& api)
{
    CClipboardOpener clipboard(api);
    if (!clipboard.Open(owner))
        throw my::CException(IDS_ERR_CLIPBOARD_OPEN, LastErrorResult());
    if (!api.EmptyClipboard())
        throw my::CException(IDS_ERR_CLIPBOARD_EMPTY, LastErrorResult());
    WriteClipboardText(text, api);
    clipboard.Close();
}

void WriteClipboardText(const std::wstring& text, const CClipboardApi& api)
{
    CGlobalMemory memory(api);
    HGLOBAL block = memory.Alloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    if (!block)
        throw my::CException(IDS_ERR_GLOBAL_ALLOC);
    {
        CGlobalLocker lock(api);
        auto* target = static_cast<wchar_t*>(lock.Lock(block));
        if (!target)
            throw my::CException(IDS_ERR_GLOBAL_LOCK);
        ::lstrcpyW(target, text.c_str());
        lock.Unlock();
    }
    if (!api.SetClipboardData(CF_UNICODETEXT, block))
        throw my::CException(IDS_ERR_CLIPBOARD_SET, LastErrorResult());
    // The clipboard owns the block now.
    memory.Release();
}

}  // namespace gvt
