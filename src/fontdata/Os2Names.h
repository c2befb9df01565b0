// Which bits of the Unicode ranges and code pages an "OS/2" table declares
// stand for a named range or code page; the names themselves are strings of
// the user interface, one per bit.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace gvt {

// The set bits that have a name, in bit order; reserved bits are passed over.
std::vector<unsigned> NamedUnicodeRangeBits(const std::array<std::uint32_t, 4>& ranges);
std::vector<unsigned> NamedCodePageBits(const std::array<std::uint32_t, 2>& ranges);

}  // namespace gvt
