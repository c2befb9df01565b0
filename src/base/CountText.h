// A count as the user's locale writes it: digits grouped with its thousands
// separator, no fraction ("10,000" in English and Japanese).
#pragma once

#include <cstddef>
#include <windows.h>

#include <string>

namespace gvt {

std::wstring CountText(std::size_t count);

// A count with its noun: the string `one` for 1, else the string `many` with
// the count's text for its "%s" ("1 file", "0 files", "1,204 files").
std::wstring CountPhrase(std::size_t count, UINT one, UINT many);

}  // namespace gvt
