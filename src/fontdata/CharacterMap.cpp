#include "fontdata/CharacterMap.h"

#include <optional>

namespace gvt {

namespace {

constexpr std::size_t kFormat4Header = 14;
constexpr std::size_t kFormat12Header = 16;
constexpr std::size_t kGroupSize = 12;

enum class CRange { None, Plane, Full };

// Windows and Unicode platform encodings with Unicode characters.
CRange RangeOf(std::uint16_t platform, std::uint16_t encoding) noexcept
{
    if ((platform == 3 && encoding == 10) || (platform == 0 && (encoding == 4 || encoding == 6)))
        return CRange::Full;
    if ((platform == 3 && encoding == 1) || (platform == 0 && encoding <= 3))
        return CRange::Plane;
    return CRange::None;
}

struct CSubtable {
    CByteReader Bytes;
    std::uint32_t Count;
};

// The segments' four arrays of 16-bit values follow the header and a pad.
std::optional<CSubtable> Format4(CByteReader at) noexcept
{
    const std::optional<std::uint16_t> length = at.U16(2);
    const std::optional<CByteReader> bytes = length ? at.Sub(0, *length) : std::nullopt;
    const std::optional<std::uint16_t> doubled = bytes ? bytes->U16(6) : std::nullopt;
    if (!doubled || *doubled == 0 || *doubled % 2 != 0 || !bytes->Sub(kFormat4Header, 2 + 4 * std::size_t{*doubled}))
        return std::nullopt;
    return CSubtable{*bytes, *doubled / 2u};
}

std::optional<CSubtable> Format12(CByteReader at) noexcept
{
    const std::optional<std::uint32_t> length = at.U32(4);
    const std::optional<CByteReader> bytes = length ? at.Sub(0, *length) : std::nullopt;
    const std::optional<std::uint32_t> groups = bytes ? bytes->U32(12) : std::nullopt;
    if (!groups || bytes->Size() < kFormat12Header || *groups > (bytes->Size() - kFormat12Header) / kGroupSize)
        return std::nullopt;
    return CSubtable{*bytes, *groups};
}

}  // namespace

CCharacterMap::CCharacterMap(CByteReader cmap) noexcept
{
    // The encoding records: platform, encoding and offset of each subtable.
    const std::optional<std::uint16_t> tables = cmap.U16(2);
    if (!tables || !cmap.Sub(4, std::size_t{*tables} * 8))
        return;
    for (const CRange wanted : {CRange::Full, CRange::Plane}) {
        for (std::uint32_t i = 0; i < *tables; ++i) {
            const std::size_t record = 4 + std::size_t{i} * 8;
            const std::optional<std::uint16_t> platform = cmap.U16(record);
            const std::optional<std::uint16_t> encoding = cmap.U16(record + 2);
            const std::optional<std::uint32_t> offset = cmap.U32(record + 4);
            if (!platform || !encoding || !offset || RangeOf(*platform, *encoding) != wanted)
                continue;
            const std::optional<CByteReader> at = cmap.From(*offset);
            const std::optional<std::uint16_t> format = at ? at->U16(0) : std::nullopt;
            std::optional<CSubtable> subtable;
            if (format == 12 && wanted == CRange::Full)
                subtable = Format12(*at);
            else if (format == 4 && wanted == CRange::Plane)
                subtable = Format4(*at);
            if (subtable) {
                m_subtable = subtable->Bytes;
                m_count = subtable->Count;
                m_format = *format;
                return;
            }
        }
    }
}

bool CCharacterMap::HasGlyph(char32_t c) const noexcept
{
    if (m_format == 12)
        return Format12HasGlyph(c);
    if (m_format == 4)
        return Format4HasGlyph(c);
    return false;
}

// Segments sorted by their end code, each mapping start..end either by a
// delta or through the glyph array that its range offset points into.
bool CCharacterMap::Format4HasGlyph(char32_t c) const noexcept
{
    if (c > 0xFFFF)
        return false;
    const std::size_t ends = kFormat4Header;
    const std::size_t starts = ends + 2 + 2 * std::size_t{m_count};
    const std::size_t deltas = starts + 2 * std::size_t{m_count};
    const std::size_t rangeOffsets = deltas + 2 * std::size_t{m_count};
    std::uint32_t low = 0;
    std::uint32_t high = m_count;
    while (low < high) {
        const std::uint32_t middle = low + (high - low) / 2;
        const std::optional<std::uint16_t> end = m_subtable.U16(ends + 2 * std::size_t{middle});
        if (!end)
            return false;
        if (*end < c)
            low = middle + 1;
        else
            high = middle;
    }
    const std::size_t segment = 2 * std::size_t{low};
    const std::optional<std::uint16_t> start = m_subtable.U16(starts + segment);
    const std::optional<std::uint16_t> delta = m_subtable.U16(deltas + segment);
    const std::optional<std::uint16_t> rangeOffset = m_subtable.U16(rangeOffsets + segment);
    if (!rangeOffset || c < *start)
        return false;
    if (*rangeOffset == 0)
        return static_cast<std::uint16_t>(c + *delta) != 0;
    const std::optional<std::uint16_t> glyph =
        m_subtable.U16(rangeOffsets + segment + *rangeOffset + 2 * std::size_t{c - *start});
    return glyph && *glyph != 0 && static_cast<std::uint16_t>(*glyph + *delta) != 0;
}

// Groups of start, end and first glyph, sorted by their start code.
bool CCharacterMap::Format12HasGlyph(char32_t c) const noexcept
{
    std::uint32_t low = 0;
    std::uint32_t high = m_count;
    while (low < high) {
        const std::uint32_t middle = low + (high - low) / 2;
        const std::size_t group = kFormat12Header + std::size_t{middle} * kGroupSize;
        const std::optional<std::uint32_t> start = m_subtable.U32(group);
        const std::optional<std::uint32_t> end = m_subtable.U32(group + 4);
        const std::optional<std::uint32_t> first = m_subtable.U32(group + 8);
        if (!first)
            return false;
        if (c < *start)
            high = middle;
        else if (c > *end)
            low = middle + 1;
        else
            return static_cast<std::uint32_t>(*first + (c - *start)) != 0;
    }
    return false;
}

}  // namespace gvt
