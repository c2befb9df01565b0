// Typing and right clicks in the font list select rows the way the arrow
// keys do, and rows are drawn and measured at the window's DPI.
#include "FontListHost.h"

#include "framework/Dpi.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

using gvt::test::CMutableRecord;
using gvt::test::MakeRecord;

namespace {

// "Face 1" to "Face 40", then "Other"; the rows do not all fit the list.
std::vector<CMutableRecord> Faces(LONG height = 12)
{
    std::vector<CMutableRecord> records;
    for (int i = 1; i <= 40; ++i)
        records.push_back(MakeRecord(L"Face " + std::to_wstring(i), FW_NORMAL, 0, height));
    records.push_back(MakeRecord(L"Other", FW_NORMAL, 0, height));
    return records;
}

class FontListInput : public gvt::test::FontListFixture {
protected:
    void SetUp() override
    {
        FontListFixture::SetUp();
        records = Faces();
        list.SetItems(CLogFontList(records.begin(), records.end()));
        list.SetBeep([this] { ++beeps; });
        dialog.SelectionChanges = 0;
    }

    void Type(const wchar_t* text)
    {
        for (const wchar_t* c = text; *c; ++c)
            list.SendMessageW(WM_CHAR, *c, 1);
    }

    bool RowVisible(int row)
    {
        RECT item{}, client{};
        list.SendMessageW(LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&item));
        ::GetClientRect(list.m_hWnd, &client);
        return item.top >= client.top && item.bottom <= client.bottom;
    }

    void RightClick(POINT client)
    {
        list.SendMessageW(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(client.x, client.y));
        list.SendMessageW(WM_RBUTTONUP, 0, MAKELPARAM(client.x, client.y));
    }

    std::vector<CMutableRecord> records;
    int beeps = 0;
};

TEST_F(FontListInput, TypingSelectsTheRowAsAKeyboardMoveWould)
{
    list.SetCurSel(0);
    ASSERT_FALSE(RowVisible(40));
    Type(L"oth");
    EXPECT_EQ(list.GetCurSel(), 40);
    EXPECT_EQ(list.GetCaretIndex(), 40);
    EXPECT_TRUE(RowVisible(40)) << "scrolled into view";
    EXPECT_EQ(list.GetSelected().get(), records[40].get());
    EXPECT_EQ(dialog.SelectionChanges, 1) << "only the move to Other notifies";
    EXPECT_EQ(beeps, 0);

    Type(L"\b\b\bface 3");
    EXPECT_EQ(list.GetCurSel(), 2) << "wrapped to Face 3";
    EXPECT_EQ(dialog.SelectionChanges, 3) << "\"f\" moved to Face 1 first";
    Type(L"9");
    EXPECT_EQ(list.GetCurSel(), 38);
    EXPECT_EQ(beeps, 0);
}

TEST_F(FontListInput, NoMatchBeepsOnceAndKeepsTheSelection)
{
    list.SetCurSel(5);
    Type(L"x");
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(list.GetCurSel(), 5);
    EXPECT_EQ(dialog.SelectionChanges, 0);
    // Keys that are not characters of a name go on to the list box.
    Type(L"\r\x1b\x03");
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(list.GetCurSel(), 5);
}

TEST_F(FontListInput, ARightClickSelectsTheRowUnderThePointerButNotBelowTheLastRow)
{
    list.SetCurSel(0);
    RECT row{};
    list.SendMessageW(LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row));
    RightClick({(row.left + row.right) / 2, (row.top + row.bottom) / 2});
    EXPECT_EQ(list.GetCurSel(), 2);
    EXPECT_EQ(list.GetCaretIndex(), 2);
    EXPECT_EQ(dialog.SelectionChanges, 1);
    EXPECT_EQ(::GetFocus(), list.m_hWnd);

    // The last row on top leaves empty space below it.
    list.SetTopIndex(40);
    RECT last{}, client{};
    list.SendMessageW(LB_GETITEMRECT, 40, reinterpret_cast<LPARAM>(&last));
    ::GetClientRect(list.m_hWnd, &client);
    ASSERT_LT(last.bottom + 2, client.bottom);
    RightClick({(client.left + client.right) / 2, (last.bottom + client.bottom) / 2});
    EXPECT_EQ(list.GetCurSel(), 2);
    EXPECT_EQ(dialog.SelectionChanges, 1);
}

// Run at 96 DPI by the suite, and in a prefix of its own with the DPI that
// GVT_TEST_DPI names.
TEST_F(FontListInput, SamplesAreDrawnAtTheWindowDpiWhileTheRecordsKeepTheSize)
{
    const auto sized = Faces(22);
    list.SetItems(CLogFontList(sized.begin(), sized.end()));
    const UINT dpi = list.Dpi();
    if (const char* wanted = std::getenv("GVT_TEST_DPI")) {
        EXPECT_EQ(dpi, static_cast<UINT>(std::atoi(wanted)));
    }
    EXPECT_EQ(dpi, gvt::WindowDpi(list.m_hWnd));
    const LONG expected = ::MulDiv(22, static_cast<int>(dpi), 96);
    if (dpi == 144) {
        EXPECT_EQ(expected, 33);
    }
    EXPECT_EQ(list.SampleFont(0).lfHeight, expected);
    EXPECT_EQ(sized[0]->lfHeight, 22) << "the record keeps the size";
    EXPECT_EQ(list.GetItemHeight(0), 2 + gvt::test::ListFontHeight(list) + 1 + expected + 2);
}

}  // namespace
