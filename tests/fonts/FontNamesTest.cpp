// The named-value tables, weight names and captions the program shows.
#include "fonts/FontNames.h"

#include "fonts/LogFont.h"
#include "support/TestLanguage.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

using gvt::test::Pick;

namespace {

std::vector<std::pair<std::wstring, int>> Rows(const CNamedInts& table)
{
    std::vector<std::pair<std::wstring, int>> rows;
    for (int i = 0; i < table.Count(); ++i)
        rows.emplace_back(table.At(i)->Name, table.At(i)->Value);
    return rows;
}

using RowList = std::vector<std::pair<std::wstring, int>>;

CLogFontPtr Record(const wchar_t* face, LONG weight = FW_NORMAL, BYTE italic = 0)
{
    CLogFontW lf;
    std::wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    lf.lfWeight = weight;
    lf.lfItalic = italic;
    return CLogFontPtr(new CLogFontW(lf));
}

}  // namespace

TEST(FontNames, ProcessTablesHoldTheirTextsInOrder)
{
    EXPECT_EQ(Rows(FontTypeNames), (RowList{{Pick(L"全て", L"Both"), 0},
                                            {Pick(L"ラスター", L"Raster"), 1},
                                            {Pick(L"ベクター", L"Vector"), 2}}));
    EXPECT_EQ(Rows(FontWeightFilterNames), (RowList{{Pick(L"全て", L"All"), 0},
                                                    {Pick(L"標準", L"Normal"), 1},
                                                    {Pick(L"細字", L"Lighter"), 2},
                                                    {Pick(L"太字", L"Bolder"), 3}}));
    EXPECT_EQ(Rows(FontItalicNames), (RowList{{Pick(L"全て", L"Both"), 0},
                                              {Pick(L"標準", L"No italic"), 1},
                                              {Pick(L"斜体", L"Only italic"), 2}}));
    ASSERT_EQ(WeightNames.Count(), 9);
    EXPECT_EQ(WeightNames.At(0)->Name, Pick(L"超極細", L"Thin"));
    EXPECT_EQ(WeightNames.At(5)->Name, Pick(L"準太字", L"Semi Bold"));
    EXPECT_EQ(WeightNames.At(8)->Name, Pick(L"超極太", L"Heavy"));
}

TEST(FontNames, WeightNameOnlyForExactHundreds)
{
    EXPECT_EQ(WeightName(100), Pick(L"超極細", L"Thin"));
    EXPECT_EQ(WeightName(400), Pick(L"標準", L"Normal"));
    EXPECT_EQ(WeightName(700), Pick(L"太字", L"Bold"));
    EXPECT_EQ(WeightName(900), Pick(L"超極太", L"Heavy"));
    for (int weight : {0, 50, 450, 550, 1000, -100, 99, 901})
        EXPECT_EQ(WeightName(weight), std::to_wstring(weight));
}

TEST(FontNames, LookupsOfAbsentValues)
{
    EXPECT_EQ(FontTypeNames.NameOf(5), L"");
    EXPECT_EQ(FontTypeNames.FindValue(5), -1);
    EXPECT_EQ(FontTypeNames.FindValue(2), 2);
    EXPECT_FALSE(FontTypeNames.At(-1));
    EXPECT_FALSE(FontTypeNames.At(3));
}

TEST(FontNames, AddToComboAppendsToTheExistingItems)
{
    HWND combo = ::CreateWindowExW(0, L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_POPUP, 0, 0, 100, 200, nullptr,
                                   nullptr, nullptr, nullptr);
    ASSERT_TRUE(combo);
    EXPECT_EQ(CNamedInts().AddToCombo(combo), CB_ERR);
    ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"first"));
    EXPECT_EQ(FontWeightFilterNames.AddToCombo(combo), 4);
    ASSERT_EQ(::SendMessageW(combo, CB_GETCOUNT, 0, 0), 5);
    wchar_t text[64] = {};
    ::SendMessageW(combo, CB_GETLBTEXT, 4, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(std::wstring(text), Pick(L"太字", L"Bolder"));
    ::DestroyWindow(combo);
}

TEST(FontCaption, JoinsFaceWeightNameAndItalicWord)
{
    EXPECT_EQ(std::wstring(L"DejaVu Sans, ") + Pick(L"太字", L"Bold") + L", " + Pick(L"斜体", L"Italic"),
              gvt::FontCaption(*Record(L"DejaVu Sans", FW_BOLD, 255)));
    EXPECT_EQ(std::wstring(L"DejaVu Sans, ") + Pick(L"標準", L"Normal"),
              gvt::FontCaption(*Record(L"DejaVu Sans", FW_NORMAL, 0)));
    EXPECT_EQ(std::wstring(L"@Gothic, ") + Pick(L"超極細", L"Thin") + L", " + Pick(L"斜体", L"Italic"),
              gvt::FontCaption(*Record(L"@Gothic", 100, 1)));
}

TEST(FontCaption, AnUnnamedWeightIsWrittenAsItsNumber)
{
    EXPECT_EQ(L"Face, 450", gvt::FontCaption(*Record(L"Face", 450)));
    EXPECT_EQ(L"Face, 0", gvt::FontCaption(*Record(L"Face", 0)));
}

TEST(FontCaption, AFaceNameFillingTheWholeArrayEndsWithTheArray)
{
    CLogFontW lf;
    std::wmemset(lf.lfFaceName, L'x', LF_FACESIZE);
    lf.lfWeight = 123;
    const std::wstring face(LF_FACESIZE, L'x');
    EXPECT_EQ(face, gvt::FaceNameOf(lf));
    EXPECT_EQ(face + L", 123", gvt::FontCaption(lf));
}
