// A count as the user's locale writes it: digits grouped with its thousands
// separator, no fraction ("10,000" in English and Japanese).
#pragma once

#include <cstddef>
#include <string>

namespace gvt {

std::wstring CountText(std::size_t count);

}  // namespace gvt
