// Which records the glyph filter keeps: the characters it asks about, the
// cache that asks once per face, character set and character, and real
// answers from GDI for faces loaded by the test.
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

CLogFontPtr Record(const wchar_t* face, BYTE charSet, LONG weight = FW_NORMAL)
{
    CLogFontW lf;
    std::wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    lf.lfCharSet = charSet;
    lf.lfWeight = weight;
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
                        std::to_wstring(r->lfWeight));
    return names;
}

TEST(CharactersToCover, EachCharacterOnceWithoutSpacesControlsOrBrokenPairs)
{
    EXPECT_EQ(CharactersToCover(L"Aあ A\tあ\r\n\x3000\xA0\x2003" L"B"), (std::vector<char32_t>{U'A', U'あ', U'B'}));
    // A surrogate pair is one character; halves without their partner need no glyph.
    EXPECT_EQ(CharactersToCover(L"\xD83D\xDE00x\xD83D\xDE00"), (std::vector<char32_t>{0x1F600, U'x'}));
    EXPECT_EQ(CharactersToCover(L"\xD842\xDF9F\xDC00z\xD800"), (std::vector<char32_t>{0x20B9F, U'z'}));
    EXPECT_TRUE(CharactersToCover(L"  \t\x3000").empty());
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

TEST_F(GlyphCoverage, AsksOncePerFaceCharacterSetAndCharacter)
{
    coverage.Filter(records, L"あい", glyphs);
    EXPECT_EQ(glyphs.Calls, 4) << "Emoji, Kana twice (two character sets), Latin; styles share the answer";
    EXPECT_EQ(glyphs.Asked.size(), 8u);

    // The same text again, as when the filter is toggled: only lookups.
    coverage.Filter(records, L"あい", glyphs);
    EXPECT_EQ(glyphs.Calls, 4);

    // Typing one more character asks about that character alone.
    glyphs.Asked.clear();
    const CLogFontList kept = coverage.Filter(records, L"あいう", glyphs);
    EXPECT_EQ(glyphs.Calls, 8);
    EXPECT_EQ(glyphs.Asked, (std::vector<char32_t>(4, U'う')));
    EXPECT_EQ(kept.size(), 3u);

    // Back to an earlier text: everything is known.
    coverage.Filter(records, L"い", glyphs);
    EXPECT_EQ(glyphs.Calls, 8);
}

// A format 12 character map with one group, U+1F600..U+1F602 from glyph 5,
// and one group mapping U+20000 to the missing glyph 0.
std::vector<unsigned char> Format12Cmap()
{
    const std::vector<std::uint32_t> words = {
        // header: version 0, one encoding record (3, 10) at offset 12
        0x00000001, 0x0003000A, 0x0000000C,
        // format 12.0, length 40, language 0, two groups
        0x000C0000, 40, 0, 2,
        0x1F600, 0x1F602, 5,
        0x20000, 0x20000, 0};
    std::vector<unsigned char> bytes;
    for (std::uint32_t w : words)
        for (int shift : {24, 16, 8, 0})
            bytes.push_back(static_cast<unsigned char>(w >> shift));
    return bytes;
}

TEST(CharacterMap, FindsCharactersBeyondThePlaneInFullRangeGroups)
{
    const std::vector<unsigned char> cmap = Format12Cmap();
    EXPECT_TRUE(gvt::CmapHasGlyph(cmap.data(), cmap.size(), 0x1F600));
    EXPECT_TRUE(gvt::CmapHasGlyph(cmap.data(), cmap.size(), 0x1F602));
    EXPECT_FALSE(gvt::CmapHasGlyph(cmap.data(), cmap.size(), 0x1F603));
    EXPECT_FALSE(gvt::CmapHasGlyph(cmap.data(), cmap.size(), 0x20000)) << "glyph 0 is the missing glyph";
    // Cut short, the table maps nothing rather than reading past its end.
    EXPECT_FALSE(gvt::CmapHasGlyph(cmap.data(), cmap.size() - 4, 0x1F600));
    EXPECT_FALSE(gvt::CmapHasGlyph(cmap.data(), 10, 0x1F600));
}

class GdiGlyphs : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_fonts = new gvt::test::CPrivateFonts({gvt::test::kDejaVuSans, gvt::test::kIpaGothic});
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

}  // namespace
