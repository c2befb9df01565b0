#include "fonts/BestMatch.h"
#include "fonts/FontNames.h"
#include "fonts/FontOrder.h"
#include "fonts/GlyphCoverage.h"
#include "fonts/SortUnique.h"
#include "support/FakeFontSource.h"
#include "support/GuardPage.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <iterator>

using gvt::CompareLogFont;
using gvt::EqualLogFont;
using gvt::test::EnumeratedFont;

namespace {

int Sign(int value)
{
    return (value > 0) - (value < 0);
}

// The order of two fonts that differ only in their names.
int CompareNames(const wchar_t* a, const wchar_t* b)
{
    return CompareLogFont(EnumeratedFont(a, ANSI_CHARSET), EnumeratedFont(b, ANSI_CHARSET));
}

}  // namespace

TEST(CompareLogFont, FaceNamesInNaturalOrder)
{
    EXPECT_LT(CompareNames(L"Font2", L"Font10"), 0);
    EXPECT_GT(CompareNames(L"Font10", L"Font2"), 0);
    EXPECT_LT(CompareNames(L"Font 9 Sans", L"Font 10 Sans"), 0);
    EXPECT_LT(CompareNames(L"Arial", L"arial black"), 0);
    EXPECT_LT(CompareNames(L"b", L"C"), 0) << "letters compare without regard to case";
    EXPECT_EQ(CompareNames(L"Font2", L"FONT2"), 0);
    EXPECT_EQ(CompareNames(L"Same", L"Same"), 0);

    // A leading "@" takes part: a vertical face is not its horizontal twin.
    EXPECT_NE(CompareNames(L"@IPAGothic", L"IPAGothic"), 0);
    EXPECT_EQ(Sign(CompareNames(L"@IPAGothic", L"IPAGothic")), -Sign(CompareNames(L"IPAGothic", L"@IPAGothic")));
    EXPECT_LT(CompareNames(L"@Font2", L"@Font10"), 0);
}

TEST(CompareLogFont, NamesEqualButForCaseFallThroughToTheStyle)
{
    LOGFONTW upper = EnumeratedFont(L"DEJAVU SANS", ANSI_CHARSET);
    LOGFONTW lower = EnumeratedFont(L"dejavu sans", ANSI_CHARSET);
    upper.lfWeight = FW_BOLD;
    lower.lfWeight = FW_NORMAL;
    EXPECT_GT(CompareLogFont(upper, lower), 0);
    EXPECT_LT(CompareLogFont(lower, upper), 0);
}

// Each field decides against every field after it: a is smaller in the
// deciding field and larger in all the later ones.
TEST(CompareLogFont, FieldsDecideInTheirOrder)
{
    struct CStep {
        const char* Field;
        void (*MakeSmaller)(LOGFONTW&);
    };
    const CStep steps[] = {
        {"name", [](LOGFONTW& lf) { lf.lfFaceName[0] = L'A'; }},
        {"lfStrikeOut", [](LOGFONTW& lf) { lf.lfStrikeOut = 0; }},
        {"lfUnderline", [](LOGFONTW& lf) { lf.lfUnderline = 0; }},
        {"lfItalic", [](LOGFONTW& lf) { lf.lfItalic = 0; }},
        {"lfWeight", [](LOGFONTW& lf) { lf.lfWeight = 100; }},
        {"lfHeight", [](LOGFONTW& lf) { lf.lfHeight = -30; }},
    };
    for (std::size_t decider = 0; decider < std::size(steps); ++decider) {
        LOGFONTW a = EnumeratedFont(L"Z", ANSI_CHARSET);
        a.lfStrikeOut = a.lfUnderline = a.lfItalic = 255;
        a.lfWeight = 900;
        a.lfHeight = 30;
        LOGFONTW b = a;
        b.lfStrikeOut = b.lfUnderline = b.lfItalic = 1;
        b.lfWeight = 200;
        b.lfHeight = 20;
        b.lfFaceName[0] = L'B';
        for (std::size_t i = 0; i < decider; ++i) {
            steps[i].MakeSmaller(a);
            steps[i].MakeSmaller(b);
        }
        steps[decider].MakeSmaller(a);
        EXPECT_LT(CompareLogFont(a, b), 0) << steps[decider].Field;
        EXPECT_GT(CompareLogFont(b, a), 0) << steps[decider].Field;
    }
}

TEST(CompareLogFont, BytesUnsignedWeightAndHeightSigned)
{
    LOGFONTW upright = EnumeratedFont(L"Face", ANSI_CHARSET);
    LOGFONTW italic = upright;
    italic.lfItalic = 255;
    upright.lfItalic = 1;
    EXPECT_LT(CompareLogFont(upright, italic), 0) << "255 is the largest italic value, not -1";

    LOGFONTW negative = upright;
    negative.lfHeight = -12;
    LOGFONTW positive = upright;
    positive.lfHeight = 10;
    EXPECT_LT(CompareLogFont(negative, positive), 0);

    negative.lfWeight = -1;
    EXPECT_LT(CompareLogFont(negative, upright), 0);
}

TEST(CompareLogFont, IgnoresCharSetAndTheOtherFields)
{
    const LOGFONTW a = EnumeratedFont(L"Face", ANSI_CHARSET);
    LOGFONTW b = a;
    b.lfCharSet = SHIFTJIS_CHARSET;
    b.lfWidth = 99;
    b.lfEscapement = 900;
    b.lfOrientation = 900;
    b.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    b.lfClipPrecision = CLIP_LH_ANGLES;
    b.lfQuality = CLEARTYPE_QUALITY;
    b.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    EXPECT_EQ(CompareLogFont(a, b), 0);
    EXPECT_EQ(CompareLogFont(b, a), 0);
    EXPECT_FALSE(EqualLogFont(a, b));
}

TEST(EqualLogFont, EveryNumericFieldAndTheName)
{
    const LOGFONTW base = EnumeratedFont(L"DejaVu Sans", EASTEUROPE_CHARSET);
    EXPECT_TRUE(EqualLogFont(base, base));

    void (*const changes[])(LOGFONTW&) = {
        [](LOGFONTW& lf) { ++lf.lfHeight; },       [](LOGFONTW& lf) { ++lf.lfWidth; },
        [](LOGFONTW& lf) { ++lf.lfEscapement; },   [](LOGFONTW& lf) { ++lf.lfOrientation; },
        [](LOGFONTW& lf) { ++lf.lfWeight; },       [](LOGFONTW& lf) { ++lf.lfItalic; },
        [](LOGFONTW& lf) { ++lf.lfUnderline; },    [](LOGFONTW& lf) { ++lf.lfStrikeOut; },
        [](LOGFONTW& lf) { ++lf.lfCharSet; },      [](LOGFONTW& lf) { ++lf.lfOutPrecision; },
        [](LOGFONTW& lf) { ++lf.lfClipPrecision; }, [](LOGFONTW& lf) { ++lf.lfQuality; },
        [](LOGFONTW& lf) { ++lf.lfPitchAndFamily; },
        [](LOGFONTW& lf) { lf.lfFaceName[0] = L'd'; },
        [](LOGFONTW& lf) { lf.lfFaceName[11] = L'X'; },
    };
    for (std::size_t i = 0; i < std::size(changes); ++i) {
        LOGFONTW changed = base;
        changes[i](changed);
        EXPECT_FALSE(EqualLogFont(base, changed)) << "change " << i;
        EXPECT_FALSE(EqualLogFont(changed, base)) << "change " << i;
    }
}

TEST(EqualLogFont, NameEndsAtItsTerminator)
{
    LOGFONTW a = EnumeratedFont(L"Face", ANSI_CHARSET);
    LOGFONTW b = a;
    std::wmemcpy(a.lfFaceName + 5, L"left", 5);
    std::wmemcpy(b.lfFaceName + 5, L"over", 5);
    EXPECT_TRUE(EqualLogFont(a, b));
    EXPECT_EQ(CompareLogFont(a, b), 0);
}

// Names that fill the whole array, each ending where a page that may not be
// read begins: every reader of face names stops at the array's end.
TEST(FaceNames, ANameFillingTheArrayIsNeverReadPastItsEnd)
{
    struct CEveryGlyph : gvt::CGlyphSource {
        void FindGlyphs(const LOGFONTW&, const std::vector<char32_t>& chars, std::vector<bool>& present) override
        {
            present.assign(chars.size(), true);
        }
    } everyGlyph;
    LOGFONTW full = EnumeratedFont(L"", ANSI_CHARSET);
    std::wmemset(full.lfFaceName, L'x', LF_FACESIZE);
    gvt::test::CGuardPage pages[2];
    CLogFontW& a = pages[0].Place(CLogFontW(full));
    full.lfFaceName[LF_FACESIZE - 1] = L'y';
    CLogFontW& b = pages[1].Place(CLogFontW(full));
    const auto share = [](CLogFontW& lf) { return boost::shared_ptr<CLogFontW>(&lf, [](CLogFontW*) {}); };

    EXPECT_LT(CompareLogFont(a, b), 0);
    EXPECT_TRUE(EqualLogFont(a, a));
    EXPECT_FALSE(EqualLogFont(a, b));
    std::vector<boost::shared_ptr<CLogFontW>> sorted = {share(b), share(a)};
    gvt::SortUnique(sorted);
    EXPECT_EQ(sorted.front().get(), &a);
    EXPECT_EQ(gvt::FaceNameOf(b), std::wstring(LF_FACESIZE - 1, L'x') + L'y');
    const CLogFontList list = {share(a), share(b)};
    EXPECT_EQ(gvt::FindBestMatch(list, b), 1);
    EXPECT_EQ(gvt::CGlyphCoverage().Filter(list, L"x", everyGlyph), list);
}
