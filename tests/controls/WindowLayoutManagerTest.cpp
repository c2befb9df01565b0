// The layout manager: the fit into the virtual screen as a pure function,
// and on the real main dialog the restore at start, the deferred show, the
// recording of later placements and the resize rules.
#include "ControlsTestHost.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>

namespace {

using gvt::FitToVirtualScreen;
using gvt::test::Pump;

const RECT kScreen = {0, 0, 1920, 1080};

void ExpectRect(const RECT& expected, const RECT& actual)
{
    EXPECT_EQ(expected.left, actual.left);
    EXPECT_EQ(expected.top, actual.top);
    EXPECT_EQ(expected.right, actual.right);
    EXPECT_EQ(expected.bottom, actual.bottom);
}

TEST(FitToVirtualScreen, ARectangleInsideStaysWhereItIs)
{
    ExpectRect(RECT{100, 100, 600, 500}, FitToVirtualScreen(RECT{100, 100, 600, 500}, kScreen));
    ExpectRect(kScreen, FitToVirtualScreen(kScreen, kScreen));
}

TEST(FitToVirtualScreen, AnOverhangIsMovedBackKeepingTheSize)
{
    ExpectRect(RECT{1420, 680, 1920, 1080}, FitToVirtualScreen(RECT{1800, 900, 2300, 1300}, kScreen));
    ExpectRect(RECT{0, 0, 500, 400}, FitToVirtualScreen(RECT{-200, -300, 300, 100}, kScreen));
}

TEST(FitToVirtualScreen, ALargerRectangleKeepsItsTopLeftCornerInside)
{
    ExpectRect(RECT{0, 0, 2050, 100}, FitToVirtualScreen(RECT{-50, 0, 2000, 100}, kScreen));
    ExpectRect(RECT{0, 0, 2050, 100}, FitToVirtualScreen(RECT{200, 0, 2250, 100}, kScreen));
    ExpectRect(RECT{10, 0, 110, 1200}, FitToVirtualScreen(RECT{10, 50, 110, 1250}, kScreen));
}

TEST(FitToVirtualScreen, AScreenThatDoesNotStartAtTheOrigin)
{
    const RECT screen = {-1280, -200, 1920, 1080};
    ExpectRect(RECT{-1280, -200, -780, 200}, FitToVirtualScreen(RECT{-1500, -400, -1000, 0}, screen));
    ExpectRect(RECT{-1000, -100, -500, 300}, FitToVirtualScreen(RECT{-1000, -100, -500, 300}, screen));
}

TEST(FitToVirtualScreen, ExtremeCoordinatesNeitherOverflowNorLeaveTheScreen)
{
    // Moved without wrapping round; a side too long for the coordinate range
    // ends at the largest coordinate.
    ExpectRect(RECT{0, 0, INT_MAX, 100}, FitToVirtualScreen(RECT{INT_MIN + 1, 0, INT_MAX, 100}, kScreen));
    ExpectRect(RECT{0, 0, INT_MAX, INT_MAX}, FitToVirtualScreen(RECT{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, kScreen));
    ExpectRect(RECT{1420, 680, 1920, 1080},
               FitToVirtualScreen(RECT{INT_MAX - 500, INT_MAX - 400, INT_MAX, INT_MAX}, kScreen));
    ExpectRect(RECT{0, 0, 500, 400}, FitToVirtualScreen(RECT{INT_MIN, INT_MIN, INT_MIN + 500, INT_MIN + 400}, kScreen));
    // Left of the origin the width itself is what must stay representable.
    const RECT screen = {-1280, -200, 1920, 1080};
    ExpectRect(RECT{-1280, -200, INT_MAX - 1280, INT_MAX - 200},
               FitToVirtualScreen(RECT{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, screen));
}

RECT WindowRect(HWND hwnd)
{
    RECT rect = {};
    ::GetWindowRect(hwnd, &rect);
    return rect;
}

SIZE SizeOf(const RECT& rect)
{
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

class WindowLayoutManager : public gvt::test::CHostTest {
protected:
    // The size the dialog is created with, from a dialog of its own.
    static SIZE InitialSize()
    {
        gvt::test::CControlsHost probe;
        if (!probe.Create(nullptr))
            return SIZE{};
        const SIZE size = SizeOf(WindowRect(probe));
        probe.DestroyWindow();
        Pump();
        return size;
    }
    // A stored rectangle larger than the dialog's minimum, at (x, y).
    static RECT Stored(int x, int y)
    {
        const SIZE size = InitialSize();
        return RECT{x, y, x + size.cx + 40, y + size.cy + 30};
    }
    CWindowLayoutSetting& Layout() { return host.Setting.WindowLayout; }
};

TEST_F(WindowLayoutManager, TheStoredPlacementIsPulledIntoTheVirtualScreenAtStart)
{
    const RECT screen = gvt::VirtualScreenRect();
    RECT stored = Stored(0, 0);
    const SIZE size = SizeOf(stored);
    ::OffsetRect(&stored, screen.right - size.cx / 2, screen.bottom - size.cy / 2);
    Layout().Rect = stored;
    Open();
    ExpectRect(RECT{screen.right - size.cx, screen.bottom - size.cy, screen.right, screen.bottom}, WindowRect(host));
    EXPECT_FALSE(host.IsZoomed());
    EXPECT_FALSE(host.Pending);
}

TEST_F(WindowLayoutManager, AnyStoredRectangleOpensAWindowOnTheScreen)
{
    const RECT screen = gvt::VirtualScreenRect();
    const SIZE largest = {::GetSystemMetrics(SM_CXMAXTRACK), ::GetSystemMetrics(SM_CYMAXTRACK)};
    const SIZE initial = InitialSize();
    for (const RECT& stored : {RECT{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, RECT{INT_MIN + 1, 0, INT_MAX, 100},
                               RECT{INT_MAX - 700, INT_MAX - 500, INT_MAX, INT_MAX},
                               RECT{INT_MIN, INT_MIN, INT_MIN + 700, INT_MIN + 500}}) {
        SCOPED_TRACE(testing::Message() << stored.left << ", " << stored.top << ", " << stored.right << ", "
                                        << stored.bottom);
        gvt::test::CControlsHost dialog;
        dialog.Setting.WindowLayout.Rect = stored;
        ASSERT_TRUE(dialog.Create(nullptr));
        dialog.ShowWindow(SW_SHOW);
        Pump();
        const RECT placed = WindowRect(dialog);
        EXPECT_TRUE(dialog.IsWindowVisible());
        EXPECT_FALSE(dialog.Pending);
        POINT corner = {placed.left, placed.top};
        EXPECT_TRUE(::PtInRect(&screen, corner)) << placed.left << ", " << placed.top;
        EXPECT_GE(SizeOf(placed).cx, initial.cx);
        EXPECT_GE(SizeOf(placed).cy, initial.cy);
        EXPECT_LE(SizeOf(placed).cx, largest.cx);
        EXPECT_LE(SizeOf(placed).cy, largest.cy);
        dialog.DestroyWindow();
        Pump();
    }
}

TEST_F(WindowLayoutManager, WithoutTheFitAnExtremeRectangleStillGivesTheLargestSize)
{
    Open();
    const RECT before = WindowRect(host);
    Layout().Rect = RECT{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    ASSERT_TRUE(host.Restore(gvt::RESTORE_NOMOVE));
    // The size the system allows, not a width that wrapped round to nothing.
    EXPECT_EQ(before.left, WindowRect(host).left);
    EXPECT_EQ(::GetSystemMetrics(SM_CXMAXTRACK), SizeOf(WindowRect(host)).cx);
    EXPECT_EQ(::GetSystemMetrics(SM_CYMAXTRACK), SizeOf(WindowRect(host)).cy);
}

TEST_F(WindowLayoutManager, NothingStoredLeavesTheDialogWhereItIsAndMovesAreRecordedAfterTheShow)
{
    ASSERT_TRUE(host.Create(nullptr));
    EXPECT_FALSE(host.Restore(gvt::RESTORE_FIT_TO_VIRTUAL_SCREEN));
    const RECT created = WindowRect(host);
    EXPECT_TRUE(host.Pending);

    // Before the deferred show nothing is recorded.
    host.SetWindowPos(nullptr, created.left + 30, created.top + 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ExpectRect(RECT{0, 0, 0, 0}, Layout().Rect);

    host.ShowWindow(SW_SHOW);
    Pump();
    EXPECT_FALSE(host.Pending);
    EXPECT_TRUE(host.IsWindowVisible());
    host.SetWindowPos(nullptr, 70, 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ExpectRect(WindowRect(host), Layout().Rect);
    EXPECT_EQ(70, Layout().Rect.left);
    EXPECT_FALSE(Layout().Maximized);
}

TEST_F(WindowLayoutManager, RestoreHonoursTheKeepFlags)
{
    Open();
    const RECT before = WindowRect(host);
    const RECT stored = Stored(before.left + 50, before.top + 40);
    Layout().Rect = stored;
    ASSERT_TRUE(host.Restore(gvt::RESTORE_NOMOVE));
    EXPECT_EQ(before.left, WindowRect(host).left);
    EXPECT_EQ(SizeOf(stored).cx, SizeOf(WindowRect(host)).cx);

    Layout().Rect = Stored(before.left + 10, before.top + 10);
    const RECT sized = WindowRect(host);
    ASSERT_TRUE(host.Restore(gvt::RESTORE_NOSIZE));
    EXPECT_EQ(before.left + 10, WindowRect(host).left);
    EXPECT_EQ(SizeOf(sized).cx, SizeOf(WindowRect(host)).cx);
}

TEST_F(WindowLayoutManager, AMaximisedPlacementShowsMaximisedAndRestoresToTheNormalRectangle)
{
    const RECT stored = Stored(60, 50);
    Layout().Rect = stored;
    Layout().Maximized = true;
    Open();
    EXPECT_TRUE(host.IsZoomed());
    EXPECT_TRUE(Layout().Maximized);
    ExpectRect(stored, Layout().Rect);

    host.ShowWindow(SW_RESTORE);
    EXPECT_FALSE(host.IsZoomed());
    ExpectRect(stored, WindowRect(host));
    EXPECT_FALSE(Layout().Maximized);
    ExpectRect(stored, Layout().Rect);
}

TEST_F(WindowLayoutManager, MaximisingAndMinimisingKeepTheLastNormalRectangle)
{
    const RECT stored = Stored(60, 50);
    Layout().Rect = stored;
    Open();
    ExpectRect(stored, WindowRect(host));

    host.ShowWindow(SW_MAXIMIZE);
    ASSERT_TRUE(host.IsZoomed());
    EXPECT_TRUE(Layout().Maximized);
    ExpectRect(stored, Layout().Rect);

    host.ShowWindow(SW_MINIMIZE);
    ASSERT_TRUE(host.IsIconic());
    EXPECT_FALSE(Layout().Maximized);  // so the next start opens normal
    ExpectRect(stored, Layout().Rect);

    host.ShowWindow(SW_RESTORE);
    host.ShowWindow(SW_RESTORE);
    EXPECT_FALSE(host.IsZoomed());
    EXPECT_FALSE(host.IsIconic());
    ExpectRect(stored, Layout().Rect);
}

TEST_F(WindowLayoutManager, TheDialogCannotBeDraggedSmallerThanItsInitialSize)
{
    Open();
    const SIZE initial = SizeOf(WindowRect(host));
    host.SetWindowPos(nullptr, 0, 0, initial.cx / 2, initial.cy / 3, SWP_NOMOVE | SWP_NOZORDER);
    const SIZE size = SizeOf(WindowRect(host));
    EXPECT_EQ(initial.cx, size.cx);
    EXPECT_EQ(initial.cy, size.cy);
}

TEST_F(WindowLayoutManager, GrowingTheDialogStretchesTheListAndKeepsTheFilterRow)
{
    Open();
    const int ids[] = {IDC_CHARSET, IDC_FONT_SIZE, IDC_SAMPLE_TEXT, IDC_FONT_LIST, IDC_STATUS, IDOK, IDCANCEL};
    std::map<int, RECT> before;
    for (int id : ids)
        gvt::CWindowW(host.GetDlgItem(id)).GetRectInParent(&before[id]);
    RECT client = {};
    host.GetClientRect(&client);

    const SIZE initial = SizeOf(WindowRect(host));
    host.SetWindowPos(nullptr, 0, 0, initial.cx + 120, initial.cy + 80, SWP_NOMOVE | SWP_NOZORDER);
    RECT grown = {};
    host.GetClientRect(&grown);
    const int dx = grown.right - client.right;
    const int dy = grown.bottom - client.bottom;
    ASSERT_GT(dx, 0);
    ASSERT_GT(dy, 0);

    auto now = [&](int id) {
        RECT rect = {};
        gvt::CWindowW(host.GetDlgItem(id)).GetRectInParent(&rect);
        return rect;
    };
    auto shifted = [&](int id, int left, int top, int right, int bottom) {
        const RECT& r = before[id];
        return RECT{r.left + left, r.top + top, r.right + right, r.bottom + bottom};
    };
    ExpectRect(before[IDC_CHARSET], now(IDC_CHARSET));
    ExpectRect(before[IDC_FONT_SIZE], now(IDC_FONT_SIZE));
    ExpectRect(shifted(IDC_SAMPLE_TEXT, 0, 0, dx, 0), now(IDC_SAMPLE_TEXT));
    ExpectRect(shifted(IDC_FONT_LIST, 0, 0, dx, dy), now(IDC_FONT_LIST));
    ExpectRect(shifted(IDC_STATUS, 0, dy, dx, dy), now(IDC_STATUS));
    ExpectRect(shifted(IDOK, dx, dy, dx, dy), now(IDOK));
    ExpectRect(shifted(IDCANCEL, dx, dy, dx, dy), now(IDCANCEL));
}

}  // namespace
