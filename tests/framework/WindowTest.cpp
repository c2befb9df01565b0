// The window wrappers on real controls: texts, list and combo items, edit
// selections, hit testing, and where a window is centred.
#include "TestWindows.h"

#include "framework/Window.h"

#include <gtest/gtest.h>

#include <string>

using gvt::test::CTestWindow;

namespace {

TEST(WindowText, ReadsTheWholeTextAndNothingMore)
{
    CTestWindow window(L"EDIT", WS_POPUP, nullptr, 0, L"");
    gvt::CWindowW wrapper(window);
    EXPECT_EQ(L"", wrapper.GetWindowTextW());

    const std::wstring japanese = L"文字セット(&C): 𠀋";
    ASSERT_TRUE(wrapper.SetWindowTextW(japanese.c_str()));
    EXPECT_EQ(japanese, wrapper.GetWindowTextW());
    EXPECT_EQ(0, ::lstrcmpiW(L"Edit", wrapper.GetClassNameW().c_str()));
}

TEST(WindowRects, TheRectangleInTheParentIsInItsClientCoordinates)
{
    CTestWindow parent(L"STATIC", WS_POPUP | WS_CAPTION | WS_BORDER);
    CTestWindow child(L"STATIC", WS_CHILD, parent);
    ::SetWindowPos(child, nullptr, 13, 17, 40, 30, SWP_NOZORDER);
    RECT rect = {};
    ASSERT_TRUE(gvt::CWindowW(child).GetRectInParent(&rect));
    EXPECT_EQ(13, rect.left);
    EXPECT_EQ(17, rect.top);
    EXPECT_EQ(53, rect.right);
    EXPECT_EQ(47, rect.bottom);
}

TEST(ListBoxWrapper, ItemsTextsAndHitTesting)
{
    CTestWindow list(L"LISTBOX", WS_POPUP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT);
    gvt::CListBoxW box(list);
    EXPECT_EQ(0, box.AddString(L"alpha"));
    EXPECT_EQ(1, box.AddString(L"βeta"));
    EXPECT_EQ(2, box.GetCount());

    std::wstring text = L"unchanged";
    EXPECT_TRUE(box.GetText(1, text));
    EXPECT_EQ(L"βeta", text);
    EXPECT_EQ(4, box.GetTextLen(1));
    EXPECT_FALSE(box.GetText(5, text));

    EXPECT_EQ(LB_ERR, box.GetCurSel());
    box.SetCurSel(1);
    EXPECT_EQ(1, box.GetCurSel());
    EXPECT_EQ(1, box.GetCaretIndex());

    RECT item = {};
    ASSERT_TRUE(box.GetItemRect(1, &item));
    bool outside = true;
    EXPECT_EQ(1, box.ItemFromPoint(POINT{item.left + 2, item.top + 1}, outside));
    EXPECT_FALSE(outside);
    // Below the last row: the nearest item, marked outside.
    EXPECT_EQ(1, box.ItemFromPoint(POINT{item.left + 2, item.bottom + 30}, outside));
    EXPECT_TRUE(outside);
    EXPECT_EQ(1, box.RowAt(POINT{item.left + 2, item.top + 1}));
    EXPECT_EQ(-1, box.RowAt(POINT{item.left + 2, item.bottom + 30}));
}

TEST(ComboBoxWrapper, ItemsEditSelectionAndParts)
{
    CTestWindow combo(L"COMBOBOX", WS_POPUP | CBS_DROPDOWN | WS_VSCROLL);
    gvt::CComboBoxW box(combo);
    box.AddString(L"one");
    box.AddString(L"two");
    std::wstring text;
    EXPECT_TRUE(box.GetLBText(1, text));
    EXPECT_EQ(L"two", text);
    EXPECT_FALSE(box.GetLBText(2, text));
    EXPECT_EQ(3, box.GetLBTextLen(0));

    box.SetWindowTextW(L"hello");
    ASSERT_TRUE(box.SetEditSel(1, 4));
    const DWORD selection = box.GetEditSel();
    EXPECT_EQ(1, LOWORD(selection));
    EXPECT_EQ(4, HIWORD(selection));

    COMBOBOXINFO info;
    ASSERT_TRUE(box.GetComboBoxInfo(&info));
    EXPECT_TRUE(::IsWindow(info.hwndList));
    EXPECT_EQ(0, ::lstrcmpiW(L"Edit", gvt::CWindowW(info.hwndItem).GetClassNameW().c_str()));

    box.SetDroppedWidth(400);
    EXPECT_EQ(400, box.GetDroppedWidth());
}

TEST(EditWrapper, SelectionAndReplacement)
{
    CTestWindow edit(L"EDIT", WS_POPUP | ES_AUTOHSCROLL, nullptr, 0, L"abcdef");
    gvt::CEditW box(edit);
    box.SetSel(2, 4);
    int start = -1;
    int end = -1;
    box.GetSel(start, end);
    EXPECT_EQ(2, start);
    EXPECT_EQ(4, end);
    box.ReplaceSel(L"XY");
    EXPECT_EQ(L"abXYef", box.GetWindowTextW());
}

TEST(CenteredPosition, CentresThenKeepsTheTopLeftCornerInside)
{
    const RECT work = {0, 0, 1000, 800};
    // 200 x 100 centred on a 400 x 300 reference at (100, 100).
    POINT pos = gvt::CenteredPosition(RECT{0, 0, 200, 100}, RECT{100, 100, 500, 400}, work);
    EXPECT_EQ(200, pos.x);
    EXPECT_EQ(200, pos.y);

    // A reference near the bottom-right corner pushes the window back in.
    pos = gvt::CenteredPosition(RECT{0, 0, 200, 100}, RECT{900, 760, 1000, 800}, work);
    EXPECT_EQ(800, pos.x);
    EXPECT_EQ(700, pos.y);

    // Larger than the work area: the top-left corner wins.
    pos = gvt::CenteredPosition(RECT{0, 0, 1200, 900}, RECT{0, 0, 1000, 800}, RECT{50, 40, 1000, 800});
    EXPECT_EQ(50, pos.x);
    EXPECT_EQ(40, pos.y);
}

TEST(CenterWindow, CentresOnAVisibleParent)
{
    CTestWindow parent(L"STATIC", WS_POPUP | WS_VISIBLE);
    ::SetWindowPos(parent, nullptr, 100, 120, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
    CTestWindow popup(L"STATIC", WS_POPUP, parent);
    ::SetWindowPos(popup, nullptr, 0, 0, 100, 50, SWP_NOZORDER | SWP_NOACTIVATE);

    ASSERT_TRUE(gvt::CWindowW(popup).CenterWindow());
    RECT rect;
    ::GetWindowRect(popup, &rect);
    EXPECT_EQ(100 + 200 - 50, rect.left);
    EXPECT_EQ(120 + 150 - 25, rect.top);
    EXPECT_EQ(100, rect.right - rect.left);
}

}  // namespace
