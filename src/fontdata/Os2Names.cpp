#include "fontdata/Os2Names.h"

#include <cstddef>

namespace gvt {

namespace {

// Bits 0 to 122 of the Unicode ranges; 123 to 127 are reserved.
constexpr std::array<std::uint32_t, 4> kNamedUnicodeRanges = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0x07FFFFFF};
// Code pages 0 to 8, 16 to 21, 29 to 31 and 48 to 63; the others are reserved.
constexpr std::array<std::uint32_t, 2> kNamedCodePages = {0xE03F01FF, 0xFFFF0000};

template <std::size_t Words>
std::vector<unsigned> NamedBits(const std::array<std::uint32_t, Words>& bits,
                                const std::array<std::uint32_t, Words>& named)
{
    std::vector<unsigned> found;
    for (unsigned bit = 0; bit < 32 * Words; ++bit)
        if ((bits[bit / 32] & named[bit / 32]) >> (bit % 32) & 1)
            found.push_back(bit);
    return found;
}

}  // namespace

std::vector<unsigned> NamedUnicodeRangeBits(const std::array<std::uint32_t, 4>& ranges)
{
    return NamedBits(ranges, kNamedUnicodeRanges);
}

std::vector<unsigned> NamedCodePageBits(const std::array<std::uint32_t, 2>& ranges)
{
    return NamedBits(ranges, kNamedCodePages);
}

}  // namespace gvt
