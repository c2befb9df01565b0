#include "framework/AppModule.h"

#include <algorithm>
#include <new>

namespace gvt {

HRESULT CAppModule::Init() noexcept
{
    m_mainThreadId = ::GetCurrentThreadId();
    try {
        m_loops = std::make_unique<std::map<DWORD, CMessageLoop*>>();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

void CAppModule::Term() noexcept
{
    // Each destroyed dialog takes itself off the list on its last message;
    // working on a taken-over copy keeps the walk independent of that.
    std::vector<HWND> windows;
    windows.swap(m_owned);
    for (HWND hwnd : windows) {
        if (::IsWindow(hwnd))
            ::DestroyWindow(hwnd);
    }
    m_loops.reset();
    m_mainThreadId = 0;
}

bool CAppModule::AddMessageLoop(CMessageLoop* loop) noexcept
{
    if (!m_loops || !loop)
        return false;
    try {
        return m_loops->emplace(::GetCurrentThreadId(), loop).second;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool CAppModule::RemoveMessageLoop() noexcept
{
    return m_loops && m_loops->erase(::GetCurrentThreadId()) != 0;
}

CMessageLoop* CAppModule::GetMessageLoop(DWORD threadId) const noexcept
{
    if (!m_loops)
        return nullptr;
    const auto it = m_loops->find(threadId);
    return it == m_loops->end() ? nullptr : it->second;
}

bool CAppModule::AddOwnedWindow(HWND hwnd) noexcept
{
    try {
        m_owned.push_back(hwnd);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void CAppModule::RemoveOwnedWindow(HWND hwnd) noexcept
{
    m_owned.erase(std::remove(m_owned.begin(), m_owned.end(), hwnd), m_owned.end());
}

CAppModule& AppModule() noexcept
{
    static CAppModule module;
    return module;
}

}  // namespace gvt
