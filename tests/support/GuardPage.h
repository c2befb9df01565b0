// A page that the test may use, followed by one it may not touch: whatever
// is placed to end at the boundary makes a read past its end fault at once,
// as an access violation, instead of going unnoticed.
#pragma once

#include "framework/UniqueHandle.h"

#include <cstddef>
#include <new>
#include <type_traits>
#include <vector>

namespace gvt::test {

class CGuardPage {
public:
    // Room for `size` bytes before the boundary, a page at least.
    explicit CGuardPage(std::size_t size = 1);

    // A copy of the bytes ending at the boundary; they must fit.
    const unsigned char* Place(const std::vector<unsigned char>& bytes);

    // A copy of the value ending at the boundary (its size keeps it aligned).
    template <typename T>
    T& Place(const T& value)
    {
        static_assert(std::is_trivially_copyable_v<T> && alignof(T) <= 4);
        return *new (Boundary() - sizeof(T)) T(value);
    }

private:
    unsigned char* Boundary() const noexcept;

    struct CTraits {
        using type = unsigned char*;
        static unsigned char* invalid() noexcept { return nullptr; }
        static void close(unsigned char* pages) noexcept { ::VirtualFree(pages, 0, MEM_RELEASE); }
    };
    CUniqueHandle<CTraits> m_pages;
    std::size_t m_pageSize = 0;
    std::size_t m_usable = 0;
};

}  // namespace gvt::test
