// The character map of a font (its "cmap" table, as stored in the file):
// which code points have a glyph other than the missing glyph 0.
#pragma once

#include "fontdata/ByteReader.h"

#include <cstdint>

namespace gvt {

class CCharacterMap {
public:
    // Takes the first Unicode subtable that holds together, a full-range one
    // (format 12, for characters beyond the Basic Multilingual Plane) before
    // one for the plane alone (format 4). Subtables whose lengths or counts
    // do not fit in the bytes given are passed over.
    explicit CCharacterMap(CByteReader cmap) noexcept;

    // False for a table without a usable Unicode subtable (symbol fonts), or
    // with none at all: such a map has no glyphs.
    bool IsUnicode() const noexcept { return m_format != 0; }

    bool HasGlyph(char32_t c) const noexcept;

private:
    bool Format4HasGlyph(char32_t c) const noexcept;
    bool Format12HasGlyph(char32_t c) const noexcept;

    // Only the subtable's own bytes, as its length field gives them.
    CByteReader m_subtable;
    std::uint16_t m_format = 0;
    std::uint32_t m_count = 0;  // segments (format 4) or groups (format 12)
};

}  // namespace gvt
