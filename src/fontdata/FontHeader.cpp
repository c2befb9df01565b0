#include "fontdata/FontHeader.h"

namespace gvt {

namespace {

constexpr std::size_t kHeadSize = 54;
constexpr std::uint32_t kMagic = 0x5F0F3CF5;
// Fonts with PostScript outlines have the short table, TrueType ones the long.
constexpr std::uint32_t kMaxpShort = 0x00005000;
constexpr std::size_t kMaxpShortSize = 6;
constexpr std::uint32_t kMaxpLong = 0x00010000;
constexpr std::size_t kMaxpLongSize = 32;

}  // namespace

std::optional<std::uint32_t> FontRevision(CByteReader head)
{
    if (head.Size() < kHeadSize || head.U32(12) != kMagic)
        return std::nullopt;
    return head.U32(4);
}

std::wstring RevisionText(std::uint32_t revision)
{
    const std::uint32_t thousandths = static_cast<std::uint32_t>(((revision & 0xFFFFu) * 1000u + 0x8000u) >> 16);
    const std::uint32_t whole = (revision >> 16) + thousandths / 1000;
    std::wstring fraction = std::to_wstring(thousandths % 1000);
    return std::to_wstring(whole) + L"." + std::wstring(3 - fraction.size(), L'0') + fraction;
}

std::optional<std::uint16_t> GlyphCount(CByteReader maxp)
{
    const std::optional<std::uint32_t> version = maxp.U32(0);
    if ((version == kMaxpShort && maxp.Size() >= kMaxpShortSize) ||
        (version == kMaxpLong && maxp.Size() >= kMaxpLongSize))
        return maxp.U16(4);
    return std::nullopt;
}

}  // namespace gvt
