#include "support/GuardPage.h"

#include <algorithm>
#include <stdexcept>

namespace gvt::test {

CGuardPage::CGuardPage(std::size_t size)
{
    SYSTEM_INFO info;
    ::GetSystemInfo(&info);
    m_pageSize = info.dwPageSize;
    m_usable = (size + m_pageSize - 1) / m_pageSize * m_pageSize;
    m_pages.reset(static_cast<unsigned char*>(
        ::VirtualAlloc(nullptr, m_usable + m_pageSize, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE)));
    DWORD old = 0;
    if (!m_pages || !::VirtualProtect(Boundary(), m_pageSize, PAGE_NOACCESS, &old))
        throw std::runtime_error("no guard page");
}

unsigned char* CGuardPage::Boundary() const noexcept
{
    return m_pages.get() + m_usable;
}

const unsigned char* CGuardPage::Place(const std::vector<unsigned char>& bytes)
{
    if (bytes.size() > m_usable)
        throw std::length_error("more bytes than the guarded room");
    return std::copy(bytes.begin(), bytes.end(), Boundary() - bytes.size()) - bytes.size();
}

}  // namespace gvt::test
