// Which fonts can draw a text: the characters a face must have, what the
// system is asked about them, and a cache that asks it once per face,
// character set and character, so that refiltering costs only lookups.
#pragma once

#include "fonts/LogFont.h"

#include <windows.h>

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

namespace gvt {

// The code points of the text a face must have glyphs for, each once, in
// the order they first appear. A surrogate pair is one code point; spaces,
// control characters and unpaired surrogates need no glyph.
std::vector<char32_t> CharactersToCover(const std::wstring& text);

// Answers whether fonts have glyphs. The GDI implementation is
// CGdiGlyphSource; tests script their own.
class CGlyphSource {
public:
    virtual ~CGlyphSource() = default;

    // present[i] tells whether the font of lf has a glyph for chars[i]; a
    // font that cannot be created has none.
    virtual void FindGlyphs(const LOGFONTW& lf, const std::vector<char32_t>& chars, std::vector<bool>& present) = 0;
};

class CGlyphCoverage {
public:
    // The records whose face and character set have a glyph for every
    // character of the text, in their order; all of them when the text has
    // no character that needs one. Only characters never asked about for a
    // face and character set go to the source, in one call per face.
    CLogFontList Filter(const CLogFontList& records, const std::wstring& text, CGlyphSource& source);

private:
    struct CFaceKey {
        std::wstring Face;
        BYTE CharSet;
        bool operator==(const CFaceKey& other) const noexcept
        {
            return CharSet == other.CharSet && Face == other.Face;
        }
    };
    struct CFaceKeyHash {
        std::size_t operator()(const CFaceKey& key) const noexcept;
    };
    struct CFace {
        std::unordered_map<char32_t, bool> Glyphs;
        // Whether the face covers the characters of generation Generation.
        unsigned Generation = 0;
        bool Covers = false;
    };

    bool Covers(const LOGFONTW& lf, CGlyphSource& source);

    std::unordered_map<CFaceKey, CFace, CFaceKeyHash> m_faces;
    std::wstring m_text;
    std::vector<char32_t> m_chars;
    // Counts the texts seen, so that a face's verdict on an earlier text is
    // recognised as stale; 0 before the first.
    unsigned m_generation = 0;
};

}  // namespace gvt
