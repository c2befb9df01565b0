#include "framework/MessageLoop.h"

#include "framework/DebugLog.h"

#include <algorithm>
#include <new>

namespace gvt {

bool CMessageLoop::AddMessageFilter(CMessageFilter* filter) noexcept
{
    if (!filter || filter == m_own || std::find(m_filters.begin(), m_filters.end(), filter) != m_filters.end())
        return false;
    try {
        m_filters.push_back(filter);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool CMessageLoop::RemoveMessageFilter(CMessageFilter* filter) noexcept
{
    const auto it = std::find(m_filters.begin(), m_filters.end(), filter);
    if (it == m_filters.end())
        return false;
    m_filters.erase(it);
    return true;
}

BOOL CMessageLoop::Offer(CMessageFilter* filter, MSG* msg) noexcept
{
    try {
        return filter->PreTranslateMessage(msg);
    } catch (...) {
        // Not consumed; the message goes on to the next filter.
        LogCaughtException(L"message filter");
        return FALSE;
    }
}

BOOL CMessageLoop::PreTranslateMessage(MSG* msg) noexcept
{
    // By index: a filter may remove itself (or others) while it runs.
    for (size_t i = m_filters.size(); i > 0; --i) {
        if (i <= m_filters.size() && Offer(m_filters[i - 1], msg))
            return TRUE;
    }
    return m_own && Offer(m_own, msg);
}

int CMessageLoop::Run() noexcept
{
    MSG msg = {};
    // GetMessageW fails (-1) only for an invalid window filter, and none is
    // given, so anything but a positive result is WM_QUIT.
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace gvt
