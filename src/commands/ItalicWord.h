// The word that marks an italic style in copied texts and captions.
#pragma once

#include <string>

namespace gvt {

// String 58439, loaded on first use and kept for the process; raises
// my::CException when the string cannot be loaded (the next call tries again).
const std::wstring& ItalicWord();

}  // namespace gvt
