// Finding a row by typing: the prefix and its timeout, wrapping, stepping
// with a repeated letter, Backspace, no match, "@" faces and Japanese names.
#include "fontlist/TypeToFind.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <initializer_list>

using gvt::CFindResult;
using gvt::CTypeToFind;
using gvt::FaceStartsWith;

namespace {

constexpr DWORD kTimeout = 1000;

CLogFontList Rows(std::initializer_list<const wchar_t*> faces)
{
    CLogFontList rows;
    for (const wchar_t* face : faces) {
        CLogFontW lf;
        std::wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
        rows.push_back(CLogFontPtr(new CLogFontW(lf)));
    }
    return rows;
}

const CLogFontList kRows = Rows({L"Arial", L"Arial Black", L"Bahnschrift", L"Calibri", L"Cambria", L"Courier New",
                                 L"ＭＳ ゴシック", L"メイリオ", L"游ゴシック"});

// Types the text one character every 100 ms from `start`, following each
// found row as the list does; returns the last result.
CFindResult TypeText(CTypeToFind& find, const wchar_t* text, int& current, DWORD start = 0,
                     const CLogFontList& rows = kRows)
{
    CFindResult result;
    DWORD now = start;
    for (const wchar_t* c = text; *c; ++c, now += 100) {
        result = find.Type(*c, now, kTimeout, rows, current);
        if (result.Kind == CFindResult::Found)
            current = result.Row;
    }
    return result;
}

TEST(TypeToFind, CharactersTypedInQuickSuccessionFormAPrefixIgnoringCase)
{
    CTypeToFind find;
    int current = 0;
    EXPECT_EQ(TypeText(find, L"c", current).Row, 3);
    EXPECT_EQ(TypeText(find, L"O", current, 100).Row, 5) << "\"co\" is Courier New";
    EXPECT_EQ(find.Prefix(), L"cO");

    CTypeToFind again;
    current = 0;
    EXPECT_EQ(TypeText(again, L"CAM", current).Row, 4);
}

TEST(TypeToFind, TheSearchStartsAtTheCurrentRowAndWraps)
{
    CTypeToFind find;
    int current = 1;
    EXPECT_EQ(TypeText(find, L"arial", current).Row, 1) << "the current row itself matches";
    CTypeToFind wrapping;
    current = 5;
    EXPECT_EQ(TypeText(wrapping, L"a", current).Row, 0);
    CTypeToFind none;
    current = -1;
    EXPECT_EQ(TypeText(none, L"b", current).Row, 2) << "without a current row from the first";
}

TEST(TypeToFind, ARepeatedLetterStepsThroughTheFacesWithThatInitial)
{
    CTypeToFind find;
    int current = 0;
    std::vector<int> rows;
    for (DWORD t = 0; t < 500; t += 100)
        rows.push_back(TypeText(find, L"c", current, t).Row);
    EXPECT_EQ(rows, (std::vector<int>{3, 4, 5, 3, 4}));

    // A face in several styles is one step, as in Explorer: from any of its
    // rows to the first row of the next face.
    const CLogFontList styles = Rows({L"Arial", L"DejaVu Sans", L"DejaVu Sans", L"DejaVu Sans", L"DejaVu Sans",
                                      L"DejaVu Serif", L"DejaVu Serif", L"Gadugi"});
    for (const int start : {1, 3}) {
        CTypeToFind steps;
        current = start;
        rows.clear();
        for (DWORD t = 0; t < 300; t += 100)
            rows.push_back(TypeText(steps, L"d", current, t, styles).Row);
        EXPECT_EQ(rows, (std::vector<int>{start, 5, 1})) << "from row " << start;
    }
}

TEST(TypeToFind, APauseLongerThanTheTimeoutStartsANewPrefix)
{
    CTypeToFind find;
    int current = 0;
    TypeText(find, L"c", current);
    EXPECT_EQ(TypeText(find, L"a", current, kTimeout).Row, 3) << "\"ca\" within the timeout";
    EXPECT_EQ(TypeText(find, L"a", current, 2 * kTimeout + 101).Row, 0) << "a new \"a\" after it";
    EXPECT_EQ(find.Prefix(), L"a");
    EXPECT_GE(CTypeToFind::Timeout(), 1000u);
}

TEST(TypeToFind, BackspaceShortensThePrefix)
{
    CTypeToFind find;
    int current = 0;
    ASSERT_EQ(TypeText(find, L"cou", current).Row, 5);
    const CFindResult shorter = find.Backspace(300, kTimeout, kRows, current);
    EXPECT_EQ(shorter.Kind, CFindResult::Found);
    EXPECT_EQ(shorter.Row, 5);
    EXPECT_EQ(find.Prefix(), L"co");
    EXPECT_EQ(TypeText(find, L"b", current, 400).Kind, CFindResult::NotFound);
    EXPECT_EQ(find.Backspace(500, kTimeout, kRows, current).Row, 5);
    find.Backspace(600, kTimeout, kRows, current);
    EXPECT_EQ(find.Backspace(700, kTimeout, kRows, current).Kind, CFindResult::Nothing) << "nothing left to search";
    EXPECT_EQ(find.Backspace(800, kTimeout, kRows, current).Kind, CFindResult::Nothing);
}

TEST(TypeToFind, NoMatchKeepsTheRowAndTheTypedPrefix)
{
    CTypeToFind find;
    int current = 3;
    const CFindResult result = TypeText(find, L"cx", current);
    EXPECT_EQ(result.Kind, CFindResult::NotFound);
    EXPECT_EQ(current, 3);
    EXPECT_EQ(find.Prefix(), L"cx");
    EXPECT_EQ(TypeText(find, L"z", current, kTimeout * 3).Kind, CFindResult::NotFound);
    EXPECT_EQ(CTypeToFind().Type(L'a', 0, kTimeout, CLogFontList(), -1).Kind, CFindResult::NotFound);
}

TEST(TypeToFind, JapaneseNamesMatchWhateverTheWidthOrKanaType)
{
    CTypeToFind find;
    int current = 0;
    EXPECT_EQ(TypeText(find, L"メイ", current).Row, 7);
    CTypeToFind hiragana;
    current = 0;
    EXPECT_EQ(TypeText(hiragana, L"めいりお", current).Row, 7);
    CTypeToFind narrow;
    current = 0;
    EXPECT_EQ(TypeText(narrow, L"ms ご", current).Row, 6);
    CTypeToFind kanji;
    current = 0;
    EXPECT_EQ(TypeText(kanji, L"游", current).Row, 8);
    // A character beyond the plane comes as two messages; the first waits.
    EXPECT_EQ(CTypeToFind().Type(0xD842, 0, kTimeout, kRows, 0).Kind, CFindResult::Nothing);
}

TEST(TypeToFind, ALeadingAtIsSkippedUnlessThePrefixHasOne)
{
    EXPECT_TRUE(FaceStartsWith(L"@MS Gothic", L"ms g"));
    EXPECT_TRUE(FaceStartsWith(L"@MS Gothic", L"@ms"));
    EXPECT_FALSE(FaceStartsWith(L"MS Gothic", L"@ms"));
    EXPECT_FALSE(FaceStartsWith(L"@MS Gothic", L"@@"));
    EXPECT_FALSE(FaceStartsWith(L"Arial", L"Arial Black"));

    const CLogFontList vertical = Rows({L"@Meiryo", L"@MS Gothic", L"@Yu Gothic"});
    CTypeToFind find;
    int current = 0;
    EXPECT_EQ(TypeText(find, L"ms", current, 0, vertical).Row, 1);
    CTypeToFind at;
    current = 2;
    EXPECT_EQ(TypeText(at, L"@m", current, 0, vertical).Row, 0);
}

}  // namespace
