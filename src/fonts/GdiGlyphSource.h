// Glyph lookups on GDI: GetGlyphIndicesW for the Basic Multilingual Plane,
// and the font's own character map (its "cmap" table, read with
// GetFontData) for the characters beyond it.
#pragma once

#include "fonts/GlyphCoverage.h"
#include "framework/UniqueHandle.h"

#include <optional>

namespace gvt {

class CGdiGlyphSource : public CGlyphSource {
public:
    void FindGlyphs(const LOGFONTW& lf, const std::vector<char32_t>& chars, std::vector<bool>& present) override;

private:
    // The screen device context, taken at the first lookup.
    std::optional<CClientDC> m_screen;
};

// Whether a character map ("cmap" table, as stored in the font) maps the
// code point to a glyph other than 0. Reads the full-range subtables
// (format 12) that characters beyond the Basic Multilingual Plane need; a
// map without one, or a damaged one, maps nothing.
bool CmapHasGlyph(const unsigned char* cmap, std::size_t size, char32_t c) noexcept;

}  // namespace gvt
