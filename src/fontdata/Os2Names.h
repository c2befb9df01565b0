// The names of the Unicode ranges and code pages an "OS/2" table declares
// by its bits, as the Unicode standard and the code pages call them.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace gvt {

// In bit order; bits without a name (reserved ones) are passed over.
std::vector<std::wstring_view> UnicodeRangeNames(const std::array<std::uint32_t, 4>& ranges);
std::vector<std::wstring_view> CodePageNames(const std::array<std::uint32_t, 2>& ranges);

}  // namespace gvt
