#include "support/GuardPage.h"

#include <algorithm>
#include <stdexcept>

namespace gvt::test {

CGuardPage::CGuardPage()
{
    SYSTEM_INFO info;
    ::GetSystemInfo(&info);
    m_pageSize = info.dwPageSize;
    m_pages.reset(static_cast<unsigned char*>(
        ::VirtualAlloc(nullptr, 2 * m_pageSize, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE)));
    DWORD old = 0;
    if (!m_pages || !::VirtualProtect(Boundary(), m_pageSize, PAGE_NOACCESS, &old))
        throw std::runtime_error("no guard page");
}

unsigned char* CGuardPage::Boundary() const noexcept
{
    return m_pages.get() + m_pageSize;
}

const unsigned char* CGuardPage::Place(const std::vector<unsigned char>& bytes)
{
    return std::copy(bytes.begin(), bytes.end(), Boundary() - bytes.size()) - bytes.size();
}

}  // namespace gvt::test
