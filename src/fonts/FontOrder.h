// The order in which fonts are listed, and when two font records are the same.
#pragma once

#include <windows.h>

namespace gvt {

// Natural order of the face names (digit runs by value, letters without case),
// then strike-out, underline, italic, weight and height ascending; the first
// difference decides. The character set and the remaining fields take no part,
// so the same style in two character sets compares zero.
int CompareLogFont(const LOGFONTW& a, const LOGFONTW& b) noexcept;

// The two halves of that order: the face names alone, and the style fields
// alone (for records whose names compare zero).
int CompareFaceNames(const wchar_t* a, const wchar_t* b) noexcept;
int CompareStyle(const LOGFONTW& a, const LOGFONTW& b) noexcept;

// All thirteen numeric fields equal and lstrcmpW finds the face names equal.
bool EqualLogFont(const LOGFONTW& a, const LOGFONTW& b) noexcept;

}  // namespace gvt
