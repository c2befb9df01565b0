#include "fonts/GlyphCoverage.h"

#include "base/Utf16.h"
#include "fontdata/FaceName.h"

#include <algorithm>
#include <cwchar>
#include <functional>
#include <iterator>
#include <string_view>

namespace gvt {

bool NeedsNoGlyph(char32_t c) noexcept
{
    // Control characters (Cc); spaces and separators (Zs, Zl, Zp); format
    // characters (Cf); variation selectors. Sorted, so that the search can
    // stop at the first range that ends at or after c.
    static constexpr struct {
        char32_t First;
        char32_t Last;
    } kRanges[] = {
        {0x0000, 0x0020},   {0x007F, 0x00A0},   {0x00AD, 0x00AD},   {0x0600, 0x0605},   {0x061C, 0x061C},
        {0x06DD, 0x06DD},   {0x070F, 0x070F},   {0x0890, 0x0891},   {0x08E2, 0x08E2},   {0x1680, 0x1680},
        {0x180B, 0x180F},   {0x2000, 0x200F},   {0x2028, 0x202F},   {0x205F, 0x2064},   {0x2066, 0x206F},
        {0x3000, 0x3000},   {0xFE00, 0xFE0F},   {0xFEFF, 0xFEFF},   {0xFFF9, 0xFFFB},   {0x110BD, 0x110BD},
        {0x110CD, 0x110CD}, {0x13430, 0x1343F}, {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A}, {0xE0001, 0xE0001},
        {0xE0020, 0xE007F}, {0xE0100, 0xE01EF},
    };
    const auto range = std::lower_bound(std::begin(kRanges), std::end(kRanges), c,
                                        [](const auto& r, char32_t value) { return r.Last < value; });
    return range != std::end(kRanges) && range->First <= c;
}

std::vector<char32_t> CharactersToCover(const std::wstring& text)
{
    std::vector<char32_t> chars;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            c = CombineSurrogates(text[i], text[i + 1]);
            ++i;
        } else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i])) {
            continue;
        }
        if (!NeedsNoGlyph(c) && std::find(chars.begin(), chars.end(), c) == chars.end())
            chars.push_back(c);
    }
    return chars;
}

std::size_t CGlyphCoverage::CStyleKeyHash::operator()(const CStyleKey& key) const noexcept
{
    const std::wstring_view face(key.Face.data(), ::wcsnlen(key.Face.data(), key.Face.size()));
    return ((std::hash<std::wstring_view>()(face) * 31 + key.CharSet) * 31 + static_cast<std::size_t>(key.Weight)) * 2 +
           key.Italic;
}

CLogFontList CGlyphCoverage::Filter(const CLogFontList& records, const std::wstring& text, CGlyphSource& source)
{
    std::vector<CGlyphQuestion> questions;
    CLogFontList kept = FilterKnown(records, text, &questions);
    if (questions.empty())
        return kept;
    for (const CGlyphQuestion& question : questions) {
        CGlyphAnswer answer{question.Lf, question.Chars, std::vector<bool>(question.Chars.size(), false)};
        source.FindGlyphs(question.Lf, question.Chars, answer.Present);
        Learn(answer);
    }
    return FilterKnown(records, text, nullptr);
}

CLogFontList CGlyphCoverage::FilterKnown(const CLogFontList& records, const std::wstring& text,
                                         std::vector<CGlyphQuestion>* questions)
{
    UseText(text);
    if (m_chars.empty())
        return records;
    CLogFontList kept;
    kept.reserve(records.size());
    // The same style in several sizes or character sets shares the file.
    const LOGFONTW* previous = nullptr;
    EVerdict verdict = EVerdict::Unknown;
    std::vector<char32_t> unknown;
    for (const CLogFontPtr& record : records) {
        if (!previous || previous->lfCharSet != record->lfCharSet || previous->lfWeight != record->lfWeight ||
            (previous->lfItalic != 0) != (record->lfItalic != 0) || FaceName(*previous) != FaceName(*record)) {
            verdict = Verdict(*record, unknown);
            if (verdict == EVerdict::Unknown && questions)
                questions->push_back(CGlyphQuestion{*record, unknown});
        }
        previous = record.get();
        if (verdict != EVerdict::Lacks)
            kept.push_back(record);
    }
    return kept;
}

void CGlyphCoverage::Learn(const CGlyphAnswer& answer)
{
    CStyle& style = m_styles[KeyOf(answer.Lf)];
    for (std::size_t i = 0; i < answer.Chars.size(); ++i)
        style.Glyphs.emplace(answer.Chars[i], i < answer.Present.size() && answer.Present[i]);
    style.Generation = 0;
}

void CGlyphCoverage::ForgetFace(const LOGFONTW& face)
{
    const CStyleKey gone = KeyOf(face);
    for (auto style = m_styles.begin(); style != m_styles.end();) {
        if (style->first.CharSet == gone.CharSet && style->first.Face == gone.Face)
            style = m_styles.erase(style);
        else
            ++style;
    }
}

CGlyphCoverage::CStyleKey CGlyphCoverage::KeyOf(const LOGFONTW& lf)
{
    CStyleKey key{{}, lf.lfCharSet, lf.lfWeight, lf.lfItalic != 0};
    const std::wstring_view face = FaceName(lf);
    std::copy(face.begin(), face.end(), key.Face.begin());
    return key;
}

void CGlyphCoverage::UseText(const std::wstring& text)
{
    if (m_generation == 0 || text != m_text) {
        m_text = text;
        m_chars = CharactersToCover(text);
        ++m_generation;
    }
}

CGlyphCoverage::EVerdict CGlyphCoverage::Verdict(const LOGFONTW& lf, std::vector<char32_t>& unknown)
{
    CStyle& style = m_styles[KeyOf(lf)];
    if (style.Generation == m_generation)
        return style.Verdict;
    unknown.clear();
    EVerdict verdict = EVerdict::Covers;
    for (char32_t c : m_chars) {
        const auto known = style.Glyphs.find(c);
        if (known == style.Glyphs.end()) {
            unknown.push_back(c);
            verdict = EVerdict::Unknown;
        } else if (!known->second) {
            verdict = EVerdict::Lacks;
            break;
        }
    }
    if (verdict != EVerdict::Unknown) {
        style.Generation = m_generation;
        style.Verdict = verdict;
    }
    return verdict;
}

}  // namespace gvt
