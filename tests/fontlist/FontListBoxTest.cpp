// The font list box in the main dialog's template: row count and height,
// the records behind the rows, and the rows kept on their fonts when the
// list or the size changes.
#include "FontListHost.h"

#include "fonts/FontOrder.h"
#include "support/PrivateFonts.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

using gvt::test::CMutableRecord;
using gvt::test::MakeRecord;

namespace {

// "Face 1" to "Face <faces>", each in regular and bold, in the font order.
std::vector<CMutableRecord> RegularAndBold(int faces, LONG height = 12)
{
    std::vector<CMutableRecord> records;
    for (int i = 1; i <= faces; ++i) {
        records.push_back(MakeRecord(L"Face " + std::to_wstring(i), FW_NORMAL, 0, height));
        records.push_back(MakeRecord(L"Face " + std::to_wstring(i), FW_BOLD, 0, height));
    }
    return records;
}

CLogFontList Shared(const std::vector<CMutableRecord>& records)
{
    return CLogFontList(records.begin(), records.end());
}

// New records with the same values, as a new enumeration makes them.
CLogFontList Fresh(const std::vector<CMutableRecord>& records)
{
    CLogFontList fresh;
    for (const CMutableRecord& r : records)
        fresh.push_back(CLogFontPtr(new CLogFontW(*r)));
    return fresh;
}

// What the weight filter "bolder" keeps.
CLogFontList BoldOnly(const std::vector<CMutableRecord>& records)
{
    CLogFontList bold;
    for (const CMutableRecord& r : records)
        if (r->lfWeight > FW_NORMAL)
            bold.push_back(CLogFontPtr(new CLogFontW(*r)));
    return bold;
}

void SetHeight(const std::vector<CMutableRecord>& records, LONG height)
{
    for (const CMutableRecord& r : records)
        r->lfHeight = height;
}

::testing::AssertionResult SameFont(const CLogFontW& expected, const CLogFontPtr& actual)
{
    if (!actual)
        return ::testing::AssertionFailure() << "no record, expected " << expected.lfFaceName;
    if (!gvt::EqualLogFont(expected, *actual))
        return ::testing::AssertionFailure() << actual->lfFaceName << " " << actual->lfWeight << ", expected "
                                             << expected.lfFaceName << " " << expected.lfWeight;
    return ::testing::AssertionSuccess();
}

}  // namespace

class FontListBox : public gvt::test::FontListFixture {
protected:
    int ExpectedRowHeight(LONG size) const { return 2 + gvt::test::ListFontHeight(list) + 1 + size + 2; }
};

TEST_F(FontListBox, ShowsOneRowPerRecordAsTallAsCaptionGapAndSample)
{
    const auto records = RegularAndBold(20);
    list.SetItems(Shared(records));
    EXPECT_EQ(40, list.GetCount());
    EXPECT_EQ(ExpectedRowHeight(12), list.GetItemHeight(0));
    EXPECT_EQ(ExpectedRowHeight(12), list.GetItemHeight(39));
    ASSERT_EQ(40U, list.GetItems().size());
    EXPECT_EQ(records[7].get(), list.GetItems()[7].get());  // shared, not copied
}

TEST_F(FontListBox, TheRowHeightFollowsTheSizeUpTo255)
{
    const auto records = RegularAndBold(5, 12);
    list.SetItems(Shared(records));
    SetHeight(records, 40);
    list.Refresh(true);
    EXPECT_EQ(ExpectedRowHeight(40), list.GetItemHeight(0));
    SetHeight(records, 300);
    list.Refresh(true);
    EXPECT_EQ(255, list.GetItemHeight(0));
}

// The selected row starts within the list's client area, so that closing
// and reopening shows the same rows.
bool SelectionInView(gvt::CFontListBox& list)
{
    RECT client{}, row{};
    list.GetClientRect(&client);
    list.SendMessageW(LB_GETITEMRECT, list.GetCurSel(), reinterpret_cast<LPARAM>(&row));
    return row.top >= 0 && row.top < client.bottom;
}

TEST_F(FontListBox, ANegativeOrHugeSizeKeepsRowsConsistentAndPositionsOnTheirFonts)
{
    gvt::test::CPrivateFonts fonts({gvt::test::kDejaVuSans});
    ASSERT_TRUE(fonts.Missing().empty()) << "cannot load " << fonts.Missing();
    auto records = RegularAndBold(20);
    records.insert(records.begin(), MakeRecord(L"DejaVu Sans"));  // first in the font order
    list.SetItems(Shared(records));
    // The selected row right below the top one: both stay on screen at the
    // first size, whatever the string table's list font.
    list.SetTopIndex(4);
    list.SetCurSel(5);
    const CLogFontPtr selected = list.GetSelected();
    const CLogFontPtr top = list.GetTop();

    // A negative size is a character height: the row takes the whole line
    // of the first font, which is taller than that by its internal leading.
    SetHeight(records, -50);
    list.Refresh(true);
    EXPECT_GT(list.GetItemHeight(0), ExpectedRowHeight(50));
    EXPECT_LE(list.GetItemHeight(0), 255);
    EXPECT_EQ(41, list.GetCount());
    EXPECT_EQ(selected, list.GetSelected());
    EXPECT_EQ(top, list.GetTop());
    EXPECT_TRUE(SelectionInView(list));

    for (LONG size : {-1000L, LONG_MAX}) {
        SetHeight(records, size);
        list.Refresh(true);
        EXPECT_EQ(255, list.GetItemHeight(0)) << size;
        EXPECT_EQ(selected, list.GetSelected()) << size;
        EXPECT_TRUE(SelectionInView(list)) << size;
    }
    SetHeight(records, LONG_MIN);
    list.Refresh(true);
    EXPECT_GE(list.GetItemHeight(0), ExpectedRowHeight(0));
    EXPECT_LE(list.GetItemHeight(0), 255);
    EXPECT_EQ(selected, list.GetSelected());
}

TEST_F(FontListBox, AnEmptyListShowsNoRowsAndKeepsTheRowHeight)
{
    list.SetItems(Shared(RegularAndBold(5, 30)));
    list.SetItems(CLogFontList());
    EXPECT_EQ(0, list.GetCount());
    EXPECT_EQ(ExpectedRowHeight(30), list.GetItemHeight(0));
    EXPECT_FALSE(list.GetSelected());
    EXPECT_FALSE(list.GetTop());
}

TEST_F(FontListBox, SelectedAndTopAreTheRecordsInThoseRows)
{
    const auto records = RegularAndBold(30);
    list.SetItems(Shared(records));
    EXPECT_FALSE(list.GetSelected());
    list.SetCurSel(25);
    list.SetTopIndex(20);
    EXPECT_EQ(records[25].get(), list.GetSelected().get());
    EXPECT_EQ(records[20].get(), list.GetTop().get());
}

TEST_F(FontListBox, AFirstListStartsAtTheTopWithoutSelection)
{
    list.SetItems(Shared(RegularAndBold(30)));
    EXPECT_EQ(LB_ERR, list.GetCurSel());
    EXPECT_EQ(0, list.GetTopIndex());
    EXPECT_EQ(0, list.GetCaretIndex());
}

TEST_F(FontListBox, ANewListKeepsSelectionCaretAndTopOnTheirFonts)
{
    const auto records = RegularAndBold(60);
    list.SetItems(Shared(records));
    list.SetTopIndex(36);
    list.SetCurSel(41);
    ASSERT_EQ(36, list.GetTopIndex());

    // A new enumeration without the first five faces.
    const std::vector<CMutableRecord> later(records.begin() + 10, records.end());
    list.SetItems(Fresh(later));
    EXPECT_EQ(31, list.GetCurSel());
    EXPECT_EQ(31, list.GetCaretIndex());
    EXPECT_EQ(26, list.GetTopIndex());
    EXPECT_TRUE(SameFont(*records[41], list.GetSelected()));
    EXPECT_TRUE(SameFont(*records[36], list.GetTop()));
}

// Rows arrive in batches while the fonts are read: a batch that leaves the
// rows on screen as they were must not paint the list again, nor drop what
// was waiting to be painted.
TEST_F(FontListBox, OnlyANewListThatChangesTheRowsOnScreenPaintsThem)
{
    const auto records = RegularAndBold(60);
    constexpr std::size_t kNone = 999;
    const struct {
        const char* What;
        std::size_t From, To, Gone;  // the new list: records From to To without Gone
        bool Painted;
    } cases[] = {
        {"rows added below", 10, 120, kNone, false},
        {"rows added above, the top following them", 0, 100, kNone, false},
        {"a row on screen gone", 10, 100, 31, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        std::vector<CMutableRecord> later(records.begin() + c.From, records.begin() + c.To);
        if (c.Gone != kNone)
            later.erase(later.begin() + (c.Gone - c.From));
        list.SetItems(Fresh({records.begin() + 10, records.begin() + 100}));
        list.SetTopIndex(20);
        list.SetCurSel(22);
        list.UpdateWindow();
        const auto waiting = [this] {
            RECT rect{};
            return ::GetUpdateRect(list.m_hWnd, &rect, FALSE) ? rect : RECT{};
        };
        list.SetItems(Fresh(later));
        EXPECT_EQ(waiting().bottom > 0, c.Painted);
        EXPECT_TRUE(SameFont(*records[30], list.GetTop()));

        const RECT corner{0, 0, 5, 5};
        list.UpdateWindow();
        list.InvalidateRect(&corner, FALSE);
        list.SetItems(Fresh(later));
        EXPECT_EQ(waiting().bottom, 5) << "what waited still waits";
    }
}

TEST_F(FontListBox, ChangingTheSizeKeepsTheSameFontSelectedAndOnTop)
{
    const auto records = RegularAndBold(60);
    list.SetItems(Shared(records));
    list.SetTopIndex(50);
    list.SetCurSel(51);
    ASSERT_EQ(50, list.GetTopIndex());

    for (LONG size : {30, 8, 60}) {
        SetHeight(records, size);
        list.Refresh(true);
        EXPECT_EQ(ExpectedRowHeight(size), list.GetItemHeight(0)) << size;
        EXPECT_EQ(records[51].get(), list.GetSelected().get()) << size;
        EXPECT_EQ(records[50].get(), list.GetTop().get()) << size;
    }
}

TEST_F(FontListBox, WhenTheSelectedFontDropsOutNothingIsSelectedAndTheCaretGoesToRowZero)
{
    const auto records = RegularAndBold(30);
    list.SetItems(Shared(records));
    list.SetTopIndex(15);  // Face 8, bold
    list.SetCurSel(18);    // Face 10, regular
    ASSERT_EQ(15, list.GetTopIndex());

    list.SetItems(BoldOnly(records));
    EXPECT_EQ(30, list.GetCount());
    EXPECT_EQ(LB_ERR, list.GetCurSel());
    EXPECT_FALSE(list.GetSelected());
    EXPECT_EQ(0, list.GetCaretIndex());
    EXPECT_EQ(7, list.GetTopIndex());
    EXPECT_TRUE(SameFont(*records[15], list.GetTop()));
}

TEST_F(FontListBox, WithoutSelectionTheCaretStaysOnItsFontIfThatIsListed)
{
    // The list box keeps the caret on the selected row, so only a list
    // without selection has a caret of its own.
    const auto records = RegularAndBold(30);
    list.SetItems(Shared(records));
    list.SetTopIndex(14);    // Face 8, regular
    list.SetCaretIndex(19);  // Face 10, bold
    ASSERT_EQ(LB_ERR, list.GetCurSel());
    ASSERT_EQ(19, list.GetCaretIndex());

    list.SetItems(BoldOnly(records));
    EXPECT_EQ(LB_ERR, list.GetCurSel());
    EXPECT_EQ(9, list.GetCaretIndex());
    // The old top font is gone: the top is the first font after it.
    EXPECT_EQ(7, list.GetTopIndex());
    EXPECT_TRUE(SameFont(*records[15], list.GetTop()));
}

TEST_F(FontListBox, ATopFontAfterEveryListedFontPutsTheLastRowOnTop)
{
    const auto records = RegularAndBold(30);
    list.SetItems(Shared(records));
    list.SetTopIndex(30);
    list.SetCurSel(31);
    ASSERT_EQ(30, list.GetTopIndex());

    // Only faces before the old top are left: the list scrolls as far down
    // as it can, and the selection is gone.
    const std::vector<CMutableRecord> before(records.begin(), records.begin() + 20);
    list.SetItems(Fresh(before));
    EXPECT_EQ(LB_ERR, list.GetCurSel());
    EXPECT_EQ(0, list.GetCaretIndex());
    RECT client = {};
    list.GetClientRect(&client);
    const int visibleRows = (client.bottom - client.top) / list.GetItemHeight(0);
    ASSERT_LT(visibleRows, 20);
    EXPECT_EQ(20 - visibleRows, list.GetTopIndex());
}

TEST_F(FontListBox, MeasuringAnswers100By60ForTheControl)
{
    MEASUREITEMSTRUCT item = {ODT_LISTBOX, IDC_FONT_LIST, 0, 0, 0, 0};
    ::SendMessageW(dialog, WM_MEASUREITEM, IDC_FONT_LIST, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(100U, item.itemWidth);
    EXPECT_EQ(60U, item.itemHeight);

    // A menu's request (id 0) is not the list box's.
    MEASUREITEMSTRUCT menu = {ODT_MENU, 0, 0, 7, 9, 0};
    ::SendMessageW(list, OCM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&menu));
    EXPECT_EQ(7U, menu.itemWidth);
    EXPECT_EQ(9U, menu.itemHeight);
}

TEST_F(FontListBox, TheSampleTextIsKept)
{
    EXPECT_EQ(L"", list.GetSampleText());
    list.SetSampleText(L"Abc 漢字");
    EXPECT_EQ(L"Abc 漢字", list.GetSampleText());
}
