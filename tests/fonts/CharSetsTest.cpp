// How enumerated fonts become the choices of the character-set box.
#include "fonts/CharSets.h"

#include <gtest/gtest.h>

namespace {

using gvt::CCharSet;
using gvt::CCharSetChoices;

boost::shared_ptr<CCharSet> Choice(int charSet, int tategaki, const wchar_t* name)
{
    auto choice = boost::shared_ptr<CCharSet>(new CCharSet);
    choice->CharSet = charSet;
    choice->Tategaki = tategaki;
    choice->Name = name;
    return choice;
}

TEST(CharSetChoices, AFontGivesItsScriptAndTheVerticalMarkOfItsFace)
{
    LOGFONTW font = {};
    font.lfCharSet = SHIFTJIS_CHARSET;
    lstrcpyW(font.lfFaceName, L"@IPAGothic");
    const CCharSet vertical = gvt::CharSetOfFont(font, L"Japanese");
    EXPECT_EQ(1, vertical.Tategaki);
    EXPECT_EQ(SHIFTJIS_CHARSET, vertical.CharSet);
    EXPECT_EQ(L"Japanese@", vertical.Name);

    font.lfCharSet = ANSI_CHARSET;
    lstrcpyW(font.lfFaceName, L"Arial@");  // only a leading "@" counts
    const CCharSet horizontal = gvt::CharSetOfFont(font, L"Western");
    EXPECT_EQ(0, horizontal.Tategaki);
    EXPECT_EQ(ANSI_CHARSET, horizontal.CharSet);
    EXPECT_EQ(L"Western", horizontal.Name);
}

TEST(CharSetChoices, OrderIsByNumberWithTheVerticalTwinAfterAndTheFirstNameWins)
{
    CCharSetChoices choices;
    EXPECT_TRUE(gvt::InsertCharSet(choices, Choice(186, 0, L"Baltic")));
    EXPECT_TRUE(gvt::InsertCharSet(choices, Choice(128, 1, L"Japanese@")));
    EXPECT_TRUE(gvt::InsertCharSet(choices, Choice(0, 0, L"Western")));
    EXPECT_TRUE(gvt::InsertCharSet(choices, Choice(128, 0, L"Japanese")));
    EXPECT_TRUE(gvt::InsertCharSet(choices, Choice(161, 0, L"Greek")));
    EXPECT_FALSE(gvt::InsertCharSet(choices, Choice(0, 0, L"Other script")));
    EXPECT_FALSE(gvt::InsertCharSet(choices, Choice(128, 1, L"Kanji@")));
    EXPECT_TRUE(gvt::InsertCharSet(choices, Choice(2, 0, L"Symbol")));
    const std::vector<std::wstring> expected{L"Western", L"Symbol", L"Japanese", L"Japanese@", L"Greek", L"Baltic"};
    ASSERT_EQ(choices.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(choices[i]->Name, expected[i]);
}

}  // namespace
