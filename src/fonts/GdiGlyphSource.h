// Glyph lookups on GDI: the font that GDI selects for the row's own style
// (face, weight and italic) is asked through its character map ("cmap"
// table, read with GetFontData); fonts without a Unicode map, such as raster
// and symbol fonts, through GetGlyphIndicesW for the Basic Multilingual Plane.
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

}  // namespace gvt
