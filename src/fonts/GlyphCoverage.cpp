#include "fonts/GlyphCoverage.h"

#include "fonts/FontNames.h"

#include <algorithm>
#include <cwchar>
#include <functional>

namespace gvt {

namespace {

bool IsHighSurrogate(wchar_t c) noexcept
{
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(wchar_t c) noexcept
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Control characters (Cc) and the space, line and paragraph separators (Zs,
// Zl, Zp): no font needs a glyph to show them.
bool NeedsNoGlyph(char32_t c) noexcept
{
    return c < 0x20 || (c >= 0x7F && c <= 0xA0) || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 ||
           c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000 || c == 0x20;
}

}  // namespace

std::vector<char32_t> CharactersToCover(const std::wstring& text)
{
    std::vector<char32_t> chars;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            c = 0x10000 + ((static_cast<char32_t>(text[i]) - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i])) {
            continue;
        }
        if (!NeedsNoGlyph(c) && std::find(chars.begin(), chars.end(), c) == chars.end())
            chars.push_back(c);
    }
    return chars;
}

std::size_t CGlyphCoverage::CFaceKeyHash::operator()(const CFaceKey& key) const noexcept
{
    return std::hash<std::wstring>()(key.Face) * 31 + key.CharSet;
}

CLogFontList CGlyphCoverage::Filter(const CLogFontList& records, const std::wstring& text, CGlyphSource& source)
{
    if (m_generation == 0 || text != m_text) {
        m_text = text;
        m_chars = CharactersToCover(text);
        ++m_generation;
    }
    if (m_chars.empty())
        return records;
    CLogFontList kept;
    kept.reserve(records.size());
    // The styles of a face stand together in the font order, so most
    // records share the previous one's verdict.
    const LOGFONTW* previous = nullptr;
    bool covers = false;
    for (const CLogFontPtr& record : records) {
        if (!previous || previous->lfCharSet != record->lfCharSet ||
            std::wcsncmp(previous->lfFaceName, record->lfFaceName, LF_FACESIZE) != 0)
            covers = Covers(*record, source);
        previous = record.get();
        if (covers)
            kept.push_back(record);
    }
    return kept;
}

bool CGlyphCoverage::Covers(const LOGFONTW& lf, CGlyphSource& source)
{
    CFace& face = m_faces[CFaceKey{FaceNameOf(lf), lf.lfCharSet}];
    if (face.Generation == m_generation)
        return face.Covers;

    std::vector<char32_t> unknown;
    for (char32_t c : m_chars)
        if (face.Glyphs.find(c) == face.Glyphs.end())
            unknown.push_back(c);
    if (!unknown.empty()) {
        std::vector<bool> present(unknown.size(), false);
        source.FindGlyphs(lf, unknown, present);
        for (std::size_t i = 0; i < unknown.size(); ++i)
            face.Glyphs.emplace(unknown[i], i < present.size() && present[i]);
    }
    face.Generation = m_generation;
    face.Covers = std::all_of(m_chars.begin(), m_chars.end(), [&](char32_t c) { return face.Glyphs[c]; });
    return face.Covers;
}

}  // namespace gvt
