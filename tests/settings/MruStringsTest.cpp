#include "settings/MruStrings.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::wstring> Texts(const CMruStrings& list)
{
    std::vector<std::wstring> texts;
    for (const auto& e : list)
        texts.push_back(e->Text());
    return texts;
}

CMruStrings Abc()
{
    CMruStrings list(3, true);
    list.Add(L"C");
    list.Add(L"B");
    list.Add(L"A");
    return list;
}

using Strings = std::vector<std::wstring>;

}  // namespace

TEST(MruStrings, AddMovesToTheFrontAndCutsTheOldest)
{
    CMruStrings list = Abc();
    ASSERT_EQ(Texts(list), (Strings{L"A", L"B", L"C"}));
    EXPECT_EQ(list.Add(L"C")->Text(), L"C");
    EXPECT_EQ(Texts(list), (Strings{L"C", L"A", L"B"}));
    list.Add(L"D");
    EXPECT_EQ(Texts(list), (Strings{L"D", L"C", L"A"}));
}

TEST(MruStrings, EqualityIsExact)
{
    CMruStrings list(20, true);
    list.Add(L"A");
    list.Add(L"a");
    EXPECT_EQ(Texts(list), (Strings{L"a", L"A"}));
    list.Add(L"abc");
    EXPECT_EQ(list.IndexOf(L"abc "), -1);
    EXPECT_EQ(list.IndexOf(L"abc"), 0);
    EXPECT_EQ(list.IndexOf(L"A"), 2);

    list.Add(L"");
    EXPECT_EQ(list.At(0)->Text(), L"");
    EXPECT_EQ(list.IndexOf(L""), 0);
    EXPECT_EQ(list.Count(), 4U);
}

TEST(MruStrings, MaxSizeZeroKeepsNothing)
{
    CMruStrings list(0, true);
    EXPECT_FALSE(list.Add(L"x"));
    EXPECT_EQ(list.Count(), 0U);
}

TEST(MruStrings, AddOnlyRepairsWhatItTouches)
{
    // Entries loaded from a file are taken as stored, duplicates included.
    CMruStrings list(2, true);
    list.Items().emplace_back(new CSameNamedString(L"x"));
    list.Items().emplace_back(new CSameNamedString(L"x"));
    list.Items().emplace_back(new CSameNamedString(L"y"));
    list.Add(L"x");
    EXPECT_EQ(Texts(list), (Strings{L"x", L"x"}));
}

TEST(MruStrings, CopiesShareTheirEntries)
{
    const CMruStrings list = Abc();
    CMruStrings copy = list;
    EXPECT_EQ(copy.At(0).get(), list.At(0).get());
    copy.Add(L"Z");
    EXPECT_EQ(Texts(list), (Strings{L"A", L"B", L"C"}));
}
