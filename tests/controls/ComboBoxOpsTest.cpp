// The common combo operations on real combo boxes: exact item search,
// showing a text, the drop-down width and the edit child.
#include "controls/ComboBoxOps.h"
#include "framework/UniqueHandle.h"
#include "framework/WindowImpl.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

namespace {

void DestroyTestWindow(HWND hwnd) noexcept { ::DestroyWindow(hwnd); }
using CUniqueWindow = gvt::CUniqueHandle<gvt::CHandleTraits<HWND, void (*)(HWND), DestroyTestWindow>>;

// Counts the WM_SETTEXT a window receives.
class CSetTextCounter : public gvt::CWindowImpl<CSetTextCounter> {
public:
    BEGIN_MSG_MAP(CSetTextCounter)
        MESSAGE_HANDLER(WM_SETTEXT, OnSetText)
    END_MSG_MAP()

    int count = 0;

private:
    LRESULT OnSetText(UINT, WPARAM, LPARAM, BOOL& bHandled)
    {
        ++count;
        bHandled = FALSE;
        return 0;
    }
};

class ComboBoxOps : public ::testing::Test {
protected:
    void SetUp() override
    {
        parent.reset(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 10, 10, 400, 300, nullptr, nullptr,
                                       nullptr, nullptr));
        ASSERT_TRUE(parent);
    }
    HWND AddChild(const wchar_t* className, DWORD style, int width = 120)
    {
        HWND child = ::CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | style, 10, 10, width, 200,
                                       parent.get(), nullptr, nullptr, nullptr);
        ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        return child;
    }
    gvt::CComboBoxW AddCombo(DWORD style, std::initializer_list<const wchar_t*> items, int width = 120)
    {
        gvt::CComboBoxW combo(AddChild(L"COMBOBOX", style | WS_VSCROLL, width));
        for (const wchar_t* item : items)
            combo.AddString(item);
        return combo;
    }

    CUniqueWindow parent;
};

TEST_F(ComboBoxOps, ItemTextAndWindowText)
{
    gvt::CComboBoxW combo = AddCombo(CBS_DROPDOWN, {L"first", L""});
    std::wstring text = L"stale";
    EXPECT_TRUE(gvt::GetItemText(combo, 0, text));
    EXPECT_EQ(L"first", text);
    EXPECT_TRUE(gvt::GetItemText(combo, 1, text));
    EXPECT_EQ(L"", text);
    EXPECT_FALSE(gvt::GetItemText(combo, 2, text));

    combo.SetWindowTextW(L"typed");
    EXPECT_EQ(L"typed", gvt::GetText(combo));
}

TEST_F(ComboBoxOps, FindItemExactMindsCase)
{
    gvt::CComboBoxW combo = AddCombo(CBS_DROPDOWN, {L"abc", L"ABC", L"ab"});
    EXPECT_EQ(1, gvt::FindItemExact(combo, L"ABC"));
    EXPECT_EQ(0, gvt::FindItemExact(combo, L"abc"));
    EXPECT_EQ(2, gvt::FindItemExact(combo, L"ab"));
    EXPECT_EQ(-1, gvt::FindItemExact(combo, L"AB"));
    EXPECT_EQ(-1, gvt::FindItemExact(combo, L"ab "));
}

TEST_F(ComboBoxOps, SetTextSelectsTheExactItemOrShowsTheText)
{
    gvt::CComboBoxW combo = AddCombo(CBS_DROPDOWN, {L"abc", L"ABC"});
    EXPECT_TRUE(gvt::SetText(combo, L"ABC"));
    EXPECT_EQ(1, combo.GetCurSel());

    EXPECT_TRUE(gvt::SetText(combo, L"Abc"));
    EXPECT_EQ(-1, combo.GetCurSel());
    EXPECT_EQ(L"Abc", gvt::GetText(combo));

    // Already shown: left as it is, even though an item now matches.
    combo.AddString(L"Abc");
    EXPECT_TRUE(gvt::SetText(combo, L"Abc"));
    EXPECT_EQ(-1, combo.GetCurSel());
}

TEST_F(ComboBoxOps, SetTextOnADropDownListWithoutTheItemClearsTheSelection)
{
    gvt::CComboBoxW combo = AddCombo(CBS_DROPDOWNLIST, {L"one", L"two"});
    combo.SetCurSel(1);
    gvt::SetText(combo, L"three");
    EXPECT_EQ(-1, combo.GetCurSel());
    gvt::SetText(combo, L"one");
    EXPECT_EQ(0, combo.GetCurSel());
}

TEST_F(ComboBoxOps, SetWindowTextIfChangedSkipsAnEqualText)
{
    CSetTextCounter counter;
    HWND edit = AddChild(L"EDIT", 0);
    ASSERT_TRUE(counter.SubclassWindow(edit));
    EXPECT_TRUE(gvt::CWindowW(edit).SetWindowTextIfChanged(L"text"));
    EXPECT_EQ(1, counter.count);
    EXPECT_TRUE(gvt::CWindowW(edit).SetWindowTextIfChanged(L"text"));
    EXPECT_EQ(1, counter.count);
    EXPECT_TRUE(gvt::CWindowW(edit).SetWindowTextIfChanged(L"Text"));
    EXPECT_EQ(2, counter.count);
}

TEST_F(ComboBoxOps, TheDroppedWidthFitsTheWidestItemButNeverShrinksBelowTheCombo)
{
    const wchar_t* wide = L"A rather long item text that does not fit";
    gvt::CComboBoxW combo = AddCombo(CBS_DROPDOWNLIST, {L"short", wide}, 80);
    gvt::AdjustDroppedWidth(combo);

    int extent = 0;
    {
        gvt::CClientDC dc(combo);
        gvt::CSelectObject font(dc.get(), combo.GetFont());
        SIZE size = {};
        ::GetTextExtentPoint32W(dc.get(), wide, lstrlenW(wide), &size);
        extent = size.cx;
    }
    COMBOBOXINFO info = {};
    ASSERT_TRUE(combo.GetComboBoxInfo(&info));
    const int scroll = (gvt::CWindowW(info.hwndList).GetStyle() & WS_VSCROLL) ? ::GetSystemMetrics(SM_CXVSCROLL) : 0;
    EXPECT_EQ(extent + 6 + scroll, combo.GetDroppedWidth());

    gvt::CComboBoxW narrow = AddCombo(CBS_DROPDOWNLIST, {L"a", L"b"}, 150);
    gvt::AdjustDroppedWidth(narrow);
    RECT client = {};
    narrow.GetClientRect(&client);
    EXPECT_EQ(client.right, narrow.GetDroppedWidth());
}

TEST_F(ComboBoxOps, FindEditChildFindsTheEditAmongTheChildren)
{
    gvt::CComboBoxW editable = AddCombo(CBS_DROPDOWN, {});
    COMBOBOXINFO info = {};
    ASSERT_TRUE(editable.GetComboBoxInfo(&info));
    EXPECT_EQ(info.hwndItem, gvt::FindEditChild(editable));

    EXPECT_EQ(nullptr, gvt::FindEditChild(AddCombo(CBS_DROPDOWNLIST, {})));

    AddChild(L"STATIC", 0);
    HWND edit = AddChild(L"eDiT", 0);
    EXPECT_EQ(edit, gvt::FindEditChild(parent.get()));
}

}  // namespace
