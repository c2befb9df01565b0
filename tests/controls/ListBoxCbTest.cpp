// The exact, case-sensitive search of the combo's list: the search itself,
// and the subclass on a real drop-down list.
#include "controls/ListBoxCb.h"
#include "framework/UniqueHandle.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

namespace {

void DestroyTestWindow(HWND hwnd) noexcept { ::DestroyWindow(hwnd); }
using CUniqueWindow = gvt::CUniqueHandle<gvt::CHandleTraits<HWND, void (*)(HWND), DestroyTestWindow>>;

int Find(const std::vector<std::wstring>& items, int start, const std::wstring& text, int unreadable = -1)
{
    return gvt::FindExactItem(static_cast<int>(items.size()), start, text, [&](int i, std::wstring& item) {
        if (i == unreadable)
            return false;
        item = items.at(static_cast<size_t>(i));
        return true;
    });
}

TEST(FindExactItem, MatchesWholeTextsWithCase)
{
    const std::vector<std::wstring> items = {L"abc", L"ab"};
    EXPECT_EQ(-1, Find(items, -1, L"a"));
    EXPECT_EQ(1, Find(items, -1, L"ab"));
    EXPECT_EQ(-1, Find(items, -1, L"AB"));
    EXPECT_EQ(0, Find(items, -1, L"abc"));
    EXPECT_EQ(-1, Find({}, -1, L""));
    EXPECT_EQ(0, Find({L""}, -1, L""));
}

TEST(FindExactItem, StartsAtTheStartItemAndWrapsAround)
{
    const std::vector<std::wstring> items = {L"x", L"y", L"x", L"z"};
    EXPECT_EQ(2, Find(items, 2, L"x"));  // the start item itself counts
    EXPECT_EQ(0, Find(items, 3, L"x"));  // from the last item round to 0
    EXPECT_EQ(1, Find(items, 3, L"y"));
    EXPECT_EQ(0, Find(items, 0, L"x"));
    EXPECT_EQ(0, Find(items, 7, L"x"));  // beyond the end: only the wrap
    EXPECT_EQ(-1, Find(items, 2, L"w"));
}

TEST(FindExactItem, SkipsItemsThatCannotBeRead)
{
    const std::vector<std::wstring> items = {L"x", L"y", L"x"};
    EXPECT_EQ(2, Find(items, -1, L"x", 0));
    EXPECT_EQ(-1, Find(items, -1, L"y", 1));
}

class ListBoxCb : public ::testing::Test {
protected:
    void SetUp() override
    {
        parent.reset(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 10, 10, 300, 200, nullptr, nullptr,
                                       nullptr, nullptr));
        combo = ::CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN, 5, 5, 200,
                                  150, parent.get(), nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, combo);
        for (const wchar_t* item : {L"abc", L"ab", L"Abc"})
            ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        COMBOBOXINFO info = {};
        info.cbSize = sizeof info;
        ASSERT_TRUE(::SendMessageW(combo, CB_GETCOMBOBOXINFO, 0, reinterpret_cast<LPARAM>(&info)));
        list = info.hwndList;
        ASSERT_TRUE(subclass.SubclassWindow(list));
    }
    void TearDown() override { subclass.UnsubclassWindow(); }

    int Send(HWND window, UINT msg, int start, const wchar_t* text)
    {
        return static_cast<int>(::SendMessageW(window, msg, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(text)));
    }

    CUniqueWindow parent;
    HWND combo = nullptr;
    HWND list = nullptr;
    gvt::CListBoxCb subclass;
};

TEST_F(ListBoxCb, APrefixSearchBecomesAnExactOne)
{
    EXPECT_EQ(-1, Send(list, LB_FINDSTRING, -1, L"a"));
    EXPECT_EQ(1, Send(list, LB_FINDSTRING, -1, L"ab"));
    EXPECT_EQ(-1, Send(list, LB_FINDSTRING, -1, L"AB"));
    EXPECT_EQ(2, Send(list, LB_FINDSTRINGEXACT, -1, L"Abc"));
    EXPECT_EQ(0, Send(list, LB_FINDSTRINGEXACT, 2, L"abc"));  // from the last item round to 0
    // The combo's own searches go through its list.
    EXPECT_EQ(1, Send(combo, CB_FINDSTRING, -1, L"ab"));
    EXPECT_EQ(-1, Send(combo, CB_FINDSTRINGEXACT, -1, L"AB"));
}

TEST_F(ListBoxCb, TheDefaultSearchCanBeHandedBack)
{
    subclass.UseDefaultFind = true;
    const int platform = Send(list, LB_FINDSTRINGEXACT, -1, L"ABC");
    EXPECT_TRUE(platform == 0 || platform == 2) << platform;  // case ignored
    EXPECT_EQ(1, Send(list, LB_FINDSTRING, -1, L"ab"));       // still exact
}

}  // namespace
