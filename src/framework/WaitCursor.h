// Shows the wait cursor for one scope, for work the user has to wait for.
#pragma once

#include <windows.h>

namespace gvt {

class CWaitCursor {
public:
    CWaitCursor() noexcept : m_previous(::SetCursor(::LoadCursorW(nullptr, IDC_WAIT))) {}
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    ~CWaitCursor() { ::SetCursor(m_previous); }

private:
    HCURSOR m_previous;
};

}  // namespace gvt
