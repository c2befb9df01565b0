// The few facts the program shows from a font's header tables: the
// revision in "head" and the glyph count in "maxp".
#pragma once

#include "fontdata/ByteReader.h"

#include <cstdint>
#include <optional>
#include <string>

namespace gvt {

// The font revision, a 16.16 fixed-point number; nothing for a table too
// short or without the header's magic number.
std::optional<std::uint32_t> FontRevision(CByteReader head);
// The revision as fonts give it, with three decimals: "1.005".
std::wstring RevisionText(std::uint32_t revision);

// Nothing for a table of an unknown version or too short for it.
std::optional<std::uint16_t> GlyphCount(CByteReader maxp);

}  // namespace gvt
