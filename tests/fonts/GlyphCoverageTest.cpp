// Which records the glyph filter keeps: the characters it asks about, the
// cache that asks once per style and character, and real answers from GDI
// for faces loaded by the test, style by style.
#include "fonts/GdiGlyphSource.h"
#include "fonts/GlyphCoverage.h"
#include "support/PrivateFonts.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cwchar>
#include <map>
#include <set>
#include <string>
#include <vector>

using gvt::CGlyphCoverage;
using gvt::CharactersToCover;

namespace {

CLogFontPtr Record(const wchar_t* face, BYTE charSet, LONG weight = FW_NORMAL, BYTE italic = 0)
{
    CLogFontW lf;
    std::wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    lf.lfCharSet = charSet;
    lf.lfWeight = weight;
    lf.lfItalic = italic;
    lf.lfHeight = 22;
    return CLogFontPtr(new CLogFontW(lf));
}

// Faces with the characters they have; every lookup is counted.
class CScriptedGlyphs : public gvt::CGlyphSource {
public:
    void FindGlyphs(const LOGFONTW& lf, const std::vector<char32_t>& chars, std::vector<bool>& present) override
    {
        ++Calls;
        Asked.insert(Asked.end(), chars.begin(), chars.end());
        const std::u32string& has = Faces[lf.lfFaceName];
        for (std::size_t i = 0; i < chars.size(); ++i)
            present[i] = has.find(chars[i]) != std::u32string::npos;
    }

    std::map<std::wstring, std::u32string> Faces;
    int Calls = 0;
    std::vector<char32_t> Asked;
};

std::vector<std::wstring> Names(const CLogFontList& list)
{
    std::vector<std::wstring> names;
    for (const CLogFontPtr& r : list)
        names.push_back(std::wstring(r->lfFaceName) + L"/" + std::to_wstring(r->lfCharSet) + L"/" +
                        std::to_wstring(r->lfWeight) + (r->lfItalic ? L"/i" : L""));
    return names;
}

TEST(CharactersToCover, EachCharacterOnceWithoutSpacesControlsOrBrokenPairs)
{
    EXPECT_EQ(CharactersToCover(L"Aあ A\tあ\r\n\x3000\xA0\x2003" L"B"), (std::vector<char32_t>{U'A', U'あ', U'B'}));
    // A surrogate pair is one character; halves without their partner need no glyph.
    EXPECT_EQ(CharactersToCover(L"\xD83D\xDE00x\xD83D\xDE00"), (std::vector<char32_t>{0x1F600, U'x'}));
    EXPECT_EQ(CharactersToCover(L"\xD842\xDF9F\xDC00z\xD800"), (std::vector<char32_t>{0x20B9F, U'z'}));
    EXPECT_TRUE(CharactersToCover(L"  \t\x3000").empty());
    // A heart with the emoji variation selector needs the heart alone.
    EXPECT_EQ(CharactersToCover(L"\x2764\xFE0F"), (std::vector<char32_t>{0x2764}));
    EXPECT_EQ(CharactersToCover(L"a\x200D\xDB40\xDD00" L"b\xFEFF"), (std::vector<char32_t>{U'a', U'b'}));
}

TEST(NeedsNoGlyph, ControlsSpacesFormatCharactersAndVariationSelectors)
{
    const struct {
        char32_t First;
        char32_t Last;
        bool Expected;
    } cases[] = {
        {0x0000, 0x0020, true},    {0x0021, 0x007E, false},   {0x007F, 0x00A0, true},   {0x00AC, 0x00AC, false},
        {0x00AD, 0x00AD, true},    {0x00AE, 0x05FF, false},   {0x0600, 0x0605, true},   {0x061C, 0x061C, true},
        {0x1680, 0x1680, true},    {0x180B, 0x180F, true},    {0x1810, 0x1FFF, false},  {0x2000, 0x200F, true},
        {0x2010, 0x2027, false},   {0x2028, 0x202F, true},    {0x2030, 0x205E, false},  {0x205F, 0x2064, true},
        {0x2066, 0x206F, true},    {0x2070, 0x2FFF, false},   {0x3000, 0x3000, true},   {0x3001, 0xFDFF, false},
        {0xFE00, 0xFE0F, true},    {0xFE10, 0xFEFE, false},   {0xFEFF, 0xFEFF, true},   {0xFF00, 0xFFF8, false},
        {0xFFF9, 0xFFFB, true},    {0xFFFC, 0x110BC, false},  {0x110BD, 0x110BD, true}, {0x1D173, 0x1D17A, true},
        {0x1F600, 0x1F600, false}, {0xE0001, 0xE0001, true},  {0xE0002, 0xE001F, false}, {0xE0020, 0xE007F, true},
        {0xE0080, 0xE00FF, false}, {0xE0100, 0xE01EF, true},  {0xE01F0, 0x10FFFF, false},
    };
    for (const auto& c : cases)
        for (char32_t ch = c.First; ch <= c.Last; ++ch)
            ASSERT_EQ(gvt::NeedsNoGlyph(ch), c.Expected) << std::hex << "U+" << std::uint32_t(ch);
}

class GlyphCoverage : public ::testing::Test {
protected:
    void SetUp() override
    {
        glyphs.Faces[L"Latin"] = U"ABCabc";
        glyphs.Faces[L"Kana"] = U"ABCあいう";
        glyphs.Faces[L"Emoji"] = U"A\U0001F600";
        records = {Record(L"Emoji", ANSI_CHARSET),          Record(L"Kana", SHIFTJIS_CHARSET),
                   Record(L"Kana", SHIFTJIS_CHARSET, FW_BOLD), Record(L"Kana", ANSI_CHARSET),
                   Record(L"Latin", ANSI_CHARSET),          Record(L"Latin", ANSI_CHARSET, FW_BOLD)};
    }

    CScriptedGlyphs glyphs;
    CLogFontList records;
    CGlyphCoverage coverage;
};

TEST_F(GlyphCoverage, KeepsTheFacesThatHaveEveryCharacterInTheirOrder)
{
    EXPECT_EQ(Names(coverage.Filter(records, L"あいう", glyphs)),
              (std::vector<std::wstring>{L"Kana/128/400", L"Kana/128/700", L"Kana/0/400"}));
    EXPECT_EQ(Names(coverage.Filter(records, L"Aあ", glyphs)),
              (std::vector<std::wstring>{L"Kana/128/400", L"Kana/128/700", L"Kana/0/400"}));
    EXPECT_EQ(Names(coverage.Filter(records, L"A \xD83D\xDE00", glyphs)), (std::vector<std::wstring>{L"Emoji/0/400"}));
    EXPECT_EQ(Names(coverage.Filter(records, L"ab c", glyphs)),
              (std::vector<std::wstring>{L"Latin/0/400", L"Latin/0/700"}));
    EXPECT_TRUE(coverage.Filter(records, L"Z", glyphs).empty());
}

TEST_F(GlyphCoverage, ATextWithoutCharactersToDrawFiltersNothingAndAsksNothing)
{
    for (const wchar_t* text : {L"", L"   ", L"\t\x3000"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(text)));
        EXPECT_EQ(coverage.Filter(records, text, glyphs), records);
    }
    EXPECT_EQ(glyphs.Calls, 0);
}

TEST_F(GlyphCoverage, AsksOncePerStyleAndCharacter)
{
    // A size of its own shares the style's answer.
    CLogFontW larger(*records.back());
    larger.lfHeight = 40;
    records.push_back(CLogFontPtr(new CLogFontW(larger)));
    coverage.Filter(records, L"あい", glyphs);
    EXPECT_EQ(glyphs.Calls, 6) << "Emoji, Kana in two character sets and two weights, Latin in two weights";
    EXPECT_EQ(glyphs.Asked.size(), 12u);

    // The same text again, as when the filter is toggled: only lookups.
    coverage.Filter(records, L"あい", glyphs);
    EXPECT_EQ(glyphs.Calls, 6);

    // Typing one more character asks about that character alone, and only
    // the styles not known to lack an earlier one: the three kana styles.
    glyphs.Asked.clear();
    const CLogFontList kept = coverage.Filter(records, L"あいう", glyphs);
    EXPECT_EQ(glyphs.Calls, 9);
    EXPECT_EQ(glyphs.Asked, (std::vector<char32_t>(3, U'う')));
    EXPECT_EQ(kept.size(), 3u);

    // Back to an earlier text: everything is known.
    coverage.Filter(records, L"い", glyphs);
    EXPECT_EQ(glyphs.Calls, 9);
}

class GdiGlyphs : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static const std::wstring regular = gvt::test::GeneratedFont(gvt::test::kGvCoverRegular);
        static const std::wstring bold = gvt::test::GeneratedFont(gvt::test::kGvCoverBold);
        s_fonts = new gvt::test::CPrivateFonts(
            {gvt::test::kDejaVuSans, gvt::test::kIpaGothic, regular.c_str(), bold.c_str()});
    }
    static void TearDownTestSuite()
    {
        delete s_fonts;
        s_fonts = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(s_fonts->Missing().empty()) << "cannot load " << s_fonts->Missing(); }

    static inline gvt::test::CPrivateFonts* s_fonts = nullptr;
};

TEST_F(GdiGlyphs, KanaIsFoundInIpaGothicOnlyAndCharactersBeyondThePlaneInTheirFaces)
{
    const CLogFontList records = {Record(L"DejaVu Sans", ANSI_CHARSET), Record(L"IPAGothic", SHIFTJIS_CHARSET)};
    gvt::CGdiGlyphSource source;
    CGlyphCoverage coverage;
    const std::vector<std::wstring> dejaVu = {L"DejaVu Sans/0/400"};
    const std::vector<std::wstring> ipa = {L"IPAGothic/128/400"};
    const std::vector<std::wstring> both = {L"DejaVu Sans/0/400", L"IPAGothic/128/400"};
    EXPECT_EQ(Names(coverage.Filter(records, L"あいう", source)), ipa);
    EXPECT_EQ(Names(coverage.Filter(records, L"Aあ", source)), ipa);
    EXPECT_EQ(Names(coverage.Filter(records, L"Glyph", source)), both);
    EXPECT_EQ(Names(coverage.Filter(records, L"\xD83D\xDE00", source)), dejaVu) << "U+1F600";
    EXPECT_EQ(Names(coverage.Filter(records, L"\xD842\xDF9F", source)), ipa) << "U+20B9F";
    EXPECT_TRUE(coverage.Filter(records, L"あ\xD83D\xDE00", source).empty());
}

// GvCover's Regular has U+00E9 and U+1D5A0, its Bold U+00F1 and U+1D5D4;
// its obliques are made by GDI from those files and have their characters.
TEST_F(GdiGlyphs, EachStyleHasTheCharactersOfTheFileGdiDrawsItFrom)
{
    const CLogFontList records = {Record(L"GvCover", ANSI_CHARSET), Record(L"GvCover", ANSI_CHARSET, FW_NORMAL, 255),
                                  Record(L"GvCover", ANSI_CHARSET, FW_BOLD),
                                  Record(L"GvCover", ANSI_CHARSET, FW_BOLD, 255)};
    const std::vector<std::wstring> regular = {L"GvCover/0/400", L"GvCover/0/400/i"};
    const std::vector<std::wstring> bold = {L"GvCover/0/700", L"GvCover/0/700/i"};
    const struct {
        const wchar_t* Text;
        std::vector<std::wstring> Expected;
    } cases[] = {
        {L"A", {L"GvCover/0/400", L"GvCover/0/400/i", L"GvCover/0/700", L"GvCover/0/700/i"}},
        {L"A\xE9", regular},
        {L"\xD835\xDDA0", regular},
        {L"\xF1", bold},
        {L"\xD835\xDDD4", bold},
        {L"\xE9\xF1", {}},
    };
    gvt::CGdiGlyphSource source;
    CGlyphCoverage coverage;
    for (const auto& c : cases)
        EXPECT_EQ(Names(coverage.Filter(records, c.Text, source)), c.Expected) << testing::PrintToString(std::wstring(c.Text));
}

}  // namespace
