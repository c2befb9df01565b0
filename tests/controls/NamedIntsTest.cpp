#include "controls/NamedInts.h"
#include "resources/resource.h"
#include "support/TestLanguage.h"

#include <gtest/gtest.h>

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

}  // namespace

TEST(NamedInts, ProcessTablesHoldTheirTextsInOrder)
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

TEST(NamedInts, WeightNameOnlyForExactHundreds)
{
    EXPECT_EQ(WeightName(100), Pick(L"超極細", L"Thin"));
    EXPECT_EQ(WeightName(400), Pick(L"標準", L"Normal"));
    EXPECT_EQ(WeightName(700), Pick(L"太字", L"Bold"));
    EXPECT_EQ(WeightName(900), Pick(L"超極太", L"Heavy"));
    for (int weight : {0, 50, 450, 550, 1000, -100, 99, 901})
        EXPECT_EQ(WeightName(weight), std::to_wstring(weight));
}

TEST(NamedInts, LookupsOfAbsentValues)
{
    EXPECT_EQ(FontTypeNames.NameOf(5), L"");
    EXPECT_EQ(FontTypeNames.FindValue(5), -1);
    EXPECT_EQ(FontTypeNames.FindValue(2), 2);
    EXPECT_FALSE(FontTypeNames.At(-1));
    EXPECT_FALSE(FontTypeNames.At(3));
}

TEST(NamedInts, FirstMatchWinsAndDefaultNames)
{
    CNamedInts table;
    table.AddNamed(0, 7);
    table.AddNamed(IDS_ITALIC, 7);
    EXPECT_EQ(table.FindValue(7), 0);
    EXPECT_EQ(table.NameOf(7), L"") << "id 0 gives an empty name";
    EXPECT_EQ(table.At(1)->Name, Pick(L"斜体", L"Italic"));

    EXPECT_EQ(CNamedInt(-12).Name, L"-12");
    EXPECT_EQ(CNamedInt(0).Name, L"0");
}

TEST(NamedInts, AddToComboAppendsToTheExistingItems)
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
