// Which fonts can draw a text: the characters a font must have, what the
// system is asked about them, and a cache that asks it once per style (face,
// character set, weight and italic) and character, so that refiltering costs
// only lookups.
#pragma once

#include "fonts/LogFont.h"

#include <windows.h>

#include <array>
#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

namespace gvt {

// Characters that are shown without a glyph of their own: control
// characters, spaces and separators, format characters (zero-width joiner
// and space, byte order mark, soft hyphen and every other one of category Cf)
// and variation selectors.
bool NeedsNoGlyph(char32_t c) noexcept;

// The code points of the text a font must have glyphs for, each once, in
// the order they first appear. A surrogate pair is one code point; the
// characters above and unpaired surrogates need no glyph.
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

// A style whose glyphs for some characters of the text are not known yet,
// and what the system answered: Present[i] for Chars[i].
struct CGlyphQuestion {
    LOGFONTW Lf{};
    std::vector<char32_t> Chars;
};
struct CGlyphAnswer {
    LOGFONTW Lf{};
    std::vector<char32_t> Chars;
    std::vector<bool> Present;
};

class CGlyphCoverage {
public:
    // The records whose style has a glyph for every character of the text,
    // in their order; all of them when the text has no character that needs
    // one. The styles of a face may come from files of their own, each with
    // its own characters, so each style is asked about separately; only
    // characters never asked about for a style go to the source, in one call
    // per style.
    CLogFontList Filter(const CLogFontList& records, const std::wstring& text, CGlyphSource& source);

    // The same from what is known alone, asking nobody: records of styles
    // known to lack a character of the text go, and a style not known yet
    // stays and is put once into `questions` with the characters not known
    // for it. A style known to lack one character is asked about no other.
    CLogFontList FilterKnown(const CLogFontList& records, const std::wstring& text,
                             std::vector<CGlyphQuestion>* questions);
    // Keeps what the system answered.
    void Learn(const CGlyphAnswer& answer);
    // Forgets every style of a face that is gone: if it comes back, its file
    // may have other glyphs.
    void ForgetFace(const LOGFONTW& face);

private:
    // Without a string of its own: a filter asks about every record, tens
    // of thousands of them, at every batch of answers.
    struct CStyleKey {
        std::array<wchar_t, LF_FACESIZE> Face{};
        BYTE CharSet;
        LONG Weight;
        bool Italic;
        bool operator==(const CStyleKey& other) const noexcept
        {
            return CharSet == other.CharSet && Weight == other.Weight && Italic == other.Italic && Face == other.Face;
        }
    };
    struct CStyleKeyHash {
        std::size_t operator()(const CStyleKey& key) const noexcept;
    };
    enum class EVerdict { Covers, Lacks, Unknown };
    struct CStyle {
        std::unordered_map<char32_t, bool> Glyphs;
        // The verdict on the characters of generation Generation.
        unsigned Generation = 0;
        EVerdict Verdict = EVerdict::Unknown;
    };

    static CStyleKey KeyOf(const LOGFONTW& lf);
    void UseText(const std::wstring& text);
    // The style's verdict; for Unknown, `unknown` gets the characters to ask.
    EVerdict Verdict(const LOGFONTW& lf, std::vector<char32_t>& unknown);

    std::unordered_map<CStyleKey, CStyle, CStyleKeyHash> m_styles;
    std::wstring m_text;
    std::vector<char32_t> m_chars;
    // Counts the texts seen, so that a style's verdict on an earlier text is
    // recognised as stale; 0 before the first.
    unsigned m_generation = 0;
};

}  // namespace gvt
