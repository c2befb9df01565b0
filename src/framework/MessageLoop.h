// A thread's message loop with pre-translation filters: each retrieved
// message is offered to the filters (the most recently added first, the
// loop's own filter last) and is translated and dispatched only when none of
// them consumes it.
#pragma once

#include <windows.h>

#include <vector>

namespace gvt {

class CMessageFilter {
public:
    // TRUE consumes the message: it is neither translated nor dispatched.
    virtual BOOL PreTranslateMessage(MSG* msg) = 0;

protected:
    ~CMessageFilter() = default;
};

class CMessageLoop {
public:
    // `own` is the filter of the loop's owner, asked after all added ones.
    explicit CMessageLoop(CMessageFilter* own = nullptr) noexcept : m_own(own) {}

    // False for a null filter, one already added, or no memory.
    bool AddMessageFilter(CMessageFilter* filter) noexcept;
    bool RemoveMessageFilter(CMessageFilter* filter) noexcept;

    // Offers the message to the filters. A filter that throws has not
    // consumed it: the loop goes on.
    BOOL PreTranslateMessage(MSG* msg) noexcept;

    // Retrieves and handles messages until WM_QUIT; returns its exit code.
    int Run() noexcept;

private:
    static BOOL Offer(CMessageFilter* filter, MSG* msg) noexcept;

    CMessageFilter* m_own;
    std::vector<CMessageFilter*> m_filters;
};

}  // namespace gvt
