// Finding recorded fonts again in a new list.
#include "fonts/BestMatch.h"

#include <gtest/gtest.h>

#include <cwchar>

namespace {

LOGFONTW Font(const wchar_t* face, LONG weight = FW_NORMAL, BYTE italic = 0, LONG height = 20,
              BYTE charSet = ANSI_CHARSET)
{
    LOGFONTW lf = {};
    std::wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    lf.lfWeight = weight;
    lf.lfItalic = italic;
    lf.lfHeight = height;
    lf.lfCharSet = charSet;
    return lf;
}

CLogFontPtr Record(const LOGFONTW& lf)
{
    return CLogFontPtr(new CLogFontW(lf));
}

// The styles of one face in the font order, as the display filter hands them on.
CLogFontList Styles(const wchar_t* face, LONG height = 20)
{
    return {Record(Font(face, FW_NORMAL, 0, height)), Record(Font(face, FW_BOLD, 0, height)),
            Record(Font(face, FW_NORMAL, 255, height)), Record(Font(face, FW_BOLD, 255, height))};
}

CLogFontList Joined(CLogFontList a, const CLogFontList& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace

TEST(FindBestMatch, AListedStyleIsFoundExactly)
{
    const CLogFontList list = Joined(Styles(L"Alpha"), Styles(L"Beta"));
    EXPECT_EQ(7, gvt::FindBestMatch(list, Font(L"Beta", FW_BOLD, 255)));
    EXPECT_EQ(4, gvt::FindBestMatch(list, Font(L"Beta")));
    EXPECT_EQ(1, gvt::FindBestMatch(list, Font(L"Alpha", FW_BOLD)));
}

TEST(FindBestMatch, WithOnlyTheRegularStyleListedTheRegularStyleIsFound)
{
    const CLogFontList list = {Record(Font(L"Alpha")), Record(Font(L"Beta")), Record(Font(L"Gamma"))};
    EXPECT_EQ(1, gvt::FindBestMatch(list, Font(L"Beta", FW_BOLD, 255)));
}

TEST(FindBestMatch, TheMostEqualFieldsWinAndTheFirstOfEqualScores)
{
    const CLogFontList list = Styles(L"Alpha", 12);
    // Bold italic at another size: the bold italic record has three more
    // equal fields than the size alone would give.
    EXPECT_EQ(3, gvt::FindBestMatch(list, Font(L"Alpha", FW_BOLD, 255, 30)));
    // Semi-bold italic: regular italic and bold italic tie, the first wins.
    EXPECT_EQ(2, gvt::FindBestMatch(list, Font(L"Alpha", FW_SEMIBOLD, 255, 12)));

    LOGFONTW underlined = Font(L"Alpha", FW_BOLD, 0, 12);
    underlined.lfUnderline = TRUE;
    underlined.lfStrikeOut = TRUE;
    CLogFontList marked = list;
    marked.push_back(Record(underlined));
    EXPECT_EQ(4, gvt::FindBestMatch(marked, underlined));
    EXPECT_EQ(1, gvt::FindBestMatch(marked, Font(L"Alpha", FW_BOLD, 0, 12)));
}

TEST(FindBestMatch, TheCharacterSetTakesNoPart)
{
    const CLogFontList list = {Record(Font(L"Alpha", FW_NORMAL, 0, 20, ANSI_CHARSET)),
                               Record(Font(L"Alpha", FW_BOLD, 0, 20, SHIFTJIS_CHARSET))};
    EXPECT_EQ(1, gvt::FindBestMatch(list, Font(L"Alpha", FW_BOLD, 0, 20, GREEK_CHARSET)));
}

TEST(FindBestMatch, AVerticalFaceFindsItsHorizontalTwinAndTheReverse)
{
    EXPECT_EQ(2, gvt::FindBestMatch(Styles(L"Gothic"), Font(L"@Gothic", FW_NORMAL, 255)));
    EXPECT_EQ(1, gvt::FindBestMatch(Styles(L"@Gothic"), Font(L"Gothic", FW_BOLD)));
}

TEST(FindBestMatch, AFaceOfTheSameKindWinsOverItsTwinEvenWithFewerEqualFields)
{
    // The vertical face only in its bold style, the horizontal one exactly.
    const CLogFontList list = {Record(Font(L"@Gothic", FW_BOLD, 255, 40)), Record(Font(L"Gothic"))};
    EXPECT_EQ(0, gvt::FindBestMatch(list, Font(L"@Gothic")));
    EXPECT_EQ(1, gvt::FindBestMatch(list, Font(L"Gothic", FW_BOLD, 255, 40)));
}

TEST(FindBestMatch, FaceNamesMatchWithoutLetterCaseButOnlyForAsciiLetters)
{
    const CLogFontList list = {Record(Font(L"Alpha")), Record(Font(L"DEJAVU SANS")), Record(Font(L"\u00C9cole"))};
    EXPECT_EQ(1, gvt::FindBestMatch(list, Font(L"dejavu sans")));
    EXPECT_EQ(-1, gvt::FindBestMatch(list, Font(L"\u00E9cole")));  // É and é stay different
    EXPECT_EQ(2, gvt::FindBestMatch(list, Font(L"\u00C9COLE")));
    EXPECT_EQ(-1, gvt::FindBestMatch(list, Font(L"Alph")));   // a prefix is another face
    EXPECT_EQ(-1, gvt::FindBestMatch(list, Font(L"Alpha ")));
}

TEST(FindBestMatch, AFaceThatIsNotListedMatchesNothing)
{
    EXPECT_EQ(-1, gvt::FindBestMatch(Joined(Styles(L"Alpha"), Styles(L"Beta")), Font(L"Gone", FW_BOLD, 255)));
    EXPECT_EQ(-1, gvt::FindBestMatch(CLogFontList(), Font(L"Alpha")));
}

TEST(FindBestMatch, AnEmptyFaceNameNeverMatches)
{
    // Even a record with an empty name and every field equal.
    LOGFONTW zero = {};
    const CLogFontList list = {Record(zero), Record(Font(L"Alpha"))};
    EXPECT_EQ(-1, gvt::FindBestMatch(list, zero));
    LOGFONTW recorded = {};
    recorded.lfCharSet = SHIFTJIS_CHARSET;
    recorded.lfHeight = 20;
    EXPECT_EQ(-1, gvt::FindBestMatch(list, recorded));
}

TEST(FindBestMatch, AFaceNameFillingTheWholeArrayIsComparedInFull)
{
    LOGFONTW full = Font(L"");
    std::wmemset(full.lfFaceName, L'a', LF_FACESIZE);
    LOGFONTW shorter = full;
    shorter.lfFaceName[LF_FACESIZE - 1] = L'\0';
    const CLogFontList list = {Record(shorter), Record(full)};
    EXPECT_EQ(1, gvt::FindBestMatch(list, full));
    EXPECT_EQ(0, gvt::FindBestMatch(list, shorter));
}
