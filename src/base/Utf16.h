// UTF-16 surrogate pairs: a character beyond the Basic Multilingual Plane is
// a high surrogate followed by a low one.
#pragma once

namespace gvt {

constexpr bool IsHighSurrogate(wchar_t c) noexcept
{
    return c >= 0xD800 && c <= 0xDBFF;
}

constexpr bool IsLowSurrogate(wchar_t c) noexcept
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

// The character of a high and a low surrogate.
constexpr char32_t CombineSurrogates(wchar_t high, wchar_t low) noexcept
{
    return 0x10000 + ((static_cast<char32_t>(high) - 0xD800) << 10) + (static_cast<char32_t>(low) - 0xDC00);
}

}  // namespace gvt
