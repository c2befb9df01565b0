// The resize facility on a real resizable dialog: controls follow the client
// size change by their flags, the grip sits in the corner and hides while
// maximised, and the dialog cannot be made smaller than it started.
#include "FrameworkTestIds.h"
#include "TestWindows.h"

#include "framework/DialogImpl.h"
#include "framework/DialogResize.h"

#include <gtest/gtest.h>

#include <map>

namespace {

class CResizeDlg : public gvt::CDialogImpl<CResizeDlg>, public gvt::CDialogResize<CResizeDlg> {
public:
    enum { IDD = IDD_TEST_CONTROLS };

    BEGIN_DLGRESIZE_MAP(CResizeDlg)
        DLGRESIZE_CONTROL(IDC_TEST_EDIT, DLSZ_SIZE_X)
        DLGRESIZE_CONTROL(IDC_TEST_VARIABLE_LIST, DLSZ_SIZE_X | DLSZ_SIZE_Y)
        DLGRESIZE_CONTROL(IDC_TEST_STATIC, DLSZ_MOVE_Y)
        DLGRESIZE_CONTROL(IDC_TEST_LISTVIEW, DLSZ_SIZE_X | DLSZ_MOVE_Y)
        DLGRESIZE_CONTROL(IDOK, DLSZ_MOVE_X | DLSZ_MOVE_Y)
    END_DLGRESIZE_MAP()

    BEGIN_MSG_MAP(CResizeDlg)
        MSG_WM_INITDIALOG(OnInitDialog)
        CHAIN_MSG_MAP(gvt::CDialogResize<CResizeDlg>)
    END_MSG_MAP()

    bool AddGripper = true;
    bool UseMinTrackSize = true;

private:
    BOOL OnInitDialog(HWND, LPARAM, BOOL&)
    {
        DlgResize_Init(AddGripper, UseMinTrackSize);
        return TRUE;
    }
};

const int kControls[] = {IDC_TEST_BUTTON, IDC_TEST_COMBO,  IDC_TEST_FIXED_LIST, IDC_TEST_VARIABLE_LIST,
                         IDC_TEST_STATIC, IDC_TEST_EDIT,   IDC_TEST_LISTVIEW,   IDOK};

std::map<int, RECT> ControlRects(HWND dialog)
{
    std::map<int, RECT> rects;
    for (int id : kControls) {
        RECT rect = {};
        gvt::CWindowW(::GetDlgItem(dialog, id)).GetRectInParent(&rect);
        rects[id] = rect;
    }
    return rects;
}

SIZE ClientSize(HWND hwnd)
{
    RECT rect;
    ::GetClientRect(hwnd, &rect);
    return SIZE{rect.right, rect.bottom};
}

SIZE WindowSize(HWND hwnd)
{
    RECT rect;
    ::GetWindowRect(hwnd, &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

RECT Shifted(RECT rect, int left, int top, int right, int bottom)
{
    return RECT{rect.left + left, rect.top + top, rect.right + right, rect.bottom + bottom};
}

void ExpectRect(const RECT& expected, const RECT& actual, int id)
{
    EXPECT_EQ(expected.left, actual.left) << id;
    EXPECT_EQ(expected.top, actual.top) << id;
    EXPECT_EQ(expected.right, actual.right) << id;
    EXPECT_EQ(expected.bottom, actual.bottom) << id;
}

bool IsShown(HWND hwnd)
{
    return (::GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

class DialogResize : public ::testing::Test {
protected:
    void SetUp() override { gvt::test::InitTestControls(); }
    void TearDown() override { dialog.DestroyWindow(); }

    void Open()
    {
        ASSERT_TRUE(dialog.Create(nullptr));
        initialClient = ClientSize(dialog);
        initialWindow = WindowSize(dialog);
        initialRects = ControlRects(dialog);
    }

    CResizeDlg dialog;
    SIZE initialClient = {};
    SIZE initialWindow = {};
    std::map<int, RECT> initialRects;
};

TEST_F(DialogResize, ControlsFollowTheClientSizeChangeByTheirFlags)
{
    Open();
    ASSERT_TRUE(::SetWindowPos(dialog, nullptr, 0, 0, initialWindow.cx + 70, initialWindow.cy + 45,
                               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
    const SIZE client = ClientSize(dialog);
    const int dx = client.cx - initialClient.cx;
    const int dy = client.cy - initialClient.cy;
    ASSERT_GT(dx, 0);
    ASSERT_GT(dy, 0);

    std::map<int, RECT> expected = initialRects;
    expected[IDC_TEST_EDIT] = Shifted(initialRects[IDC_TEST_EDIT], 0, 0, dx, 0);
    expected[IDC_TEST_VARIABLE_LIST] = Shifted(initialRects[IDC_TEST_VARIABLE_LIST], 0, 0, dx, dy);
    expected[IDC_TEST_STATIC] = Shifted(initialRects[IDC_TEST_STATIC], 0, dy, 0, dy);
    expected[IDC_TEST_LISTVIEW] = Shifted(initialRects[IDC_TEST_LISTVIEW], 0, dy, dx, dy);
    expected[IDOK] = Shifted(initialRects[IDOK], dx, dy, dx, dy);
    const std::map<int, RECT> actual = ControlRects(dialog);
    for (int id : kControls)
        ExpectRect(expected[id], actual.at(id), id);

    // Growing further is measured from the initial size, not the last one.
    ASSERT_TRUE(::SetWindowPos(dialog, nullptr, 0, 0, initialWindow.cx + 10, initialWindow.cy + 5,
                               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
    const SIZE smaller = ClientSize(dialog);
    ExpectRect(Shifted(initialRects[IDOK], smaller.cx - initialClient.cx, smaller.cy - initialClient.cy,
                       smaller.cx - initialClient.cx, smaller.cy - initialClient.cy),
               ControlRects(dialog).at(IDOK), IDOK);
}

TEST_F(DialogResize, TheGripSitsInTheCornerAndHidesWhileMaximised)
{
    Open();
    HWND grip = dialog.DlgResize_Grip();
    ASSERT_NE(nullptr, grip);
    EXPECT_EQ(0, ::lstrcmpiW(L"ScrollBar", gvt::CWindowW(grip).GetClassNameW().c_str()));
    EXPECT_TRUE(gvt::CWindowW(grip).GetStyle() & SBS_SIZEGRIP);

    auto expectInCorner = [&]() {
        RECT rect;
        gvt::CWindowW(grip).GetRectInParent(&rect);
        const SIZE client = ClientSize(dialog);
        EXPECT_EQ(client.cx, rect.right);
        EXPECT_EQ(client.cy, rect.bottom);
        EXPECT_GT(rect.right - rect.left, 0);
    };
    expectInCorner();
    EXPECT_TRUE(IsShown(grip));

    ::SetWindowPos(dialog, nullptr, 0, 0, initialWindow.cx + 40, initialWindow.cy + 30,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    expectInCorner();

    dialog.ShowWindow(SW_MAXIMIZE);
    ASSERT_TRUE(dialog.IsZoomed());
    EXPECT_FALSE(IsShown(grip));
    dialog.ShowWindow(SW_RESTORE);
    EXPECT_TRUE(IsShown(grip));
    expectInCorner();
}

TEST_F(DialogResize, MinimisingMovesNothing)
{
    Open();
    ::SetWindowPos(dialog, nullptr, 0, 0, initialWindow.cx + 40, initialWindow.cy + 30,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const std::map<int, RECT> before = ControlRects(dialog);
    dialog.ShowWindow(SW_MINIMIZE);
    ASSERT_TRUE(dialog.IsIconic());
    const std::map<int, RECT> after = ControlRects(dialog);
    for (int id : kControls)
        ExpectRect(before.at(id), after.at(id), id);
}

TEST_F(DialogResize, TheDialogCannotBeMadeSmallerThanAtInit)
{
    Open();
    MINMAXINFO info = {};
    ::SendMessageW(dialog, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(initialWindow.cx, info.ptMinTrackSize.x);
    EXPECT_EQ(initialWindow.cy, info.ptMinTrackSize.y);

    ::SetWindowPos(dialog, nullptr, 0, 0, initialWindow.cx / 2, initialWindow.cy / 2,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const SIZE size = WindowSize(dialog);
    EXPECT_EQ(initialWindow.cx, size.cx);
    EXPECT_EQ(initialWindow.cy, size.cy);
}

TEST_F(DialogResize, AfterAChangeOfDpiTheLayoutAndMinimumAreScaled)
{
    Open();
    dialog.DlgResize_Rescale(96, 144);
    MINMAXINFO info = {};
    ::SendMessageW(dialog, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(::MulDiv(initialWindow.cx, 3, 2), info.ptMinTrackSize.x);
    EXPECT_EQ(::MulDiv(initialWindow.cy, 3, 2), info.ptMinTrackSize.y);

    // At one and a half times the client size the controls stand where the
    // system would have scaled them to, stretched by nothing.
    dialog.DlgResize_UpdateLayout(::MulDiv(initialClient.cx, 3, 2), ::MulDiv(initialClient.cy, 3, 2));
    const std::map<int, RECT> actual = ControlRects(dialog);
    for (int id : {IDC_TEST_EDIT, IDC_TEST_VARIABLE_LIST, IDC_TEST_STATIC, IDOK}) {
        const RECT& r = initialRects[id];
        ExpectRect(RECT{::MulDiv(r.left, 3, 2), ::MulDiv(r.top, 3, 2), ::MulDiv(r.right, 3, 2), ::MulDiv(r.bottom, 3, 2)},
                   actual.at(id), id);
    }
}

TEST_F(DialogResize, WithoutGripOrMinimumNeitherIsThere)
{
    dialog.AddGripper = false;
    dialog.UseMinTrackSize = false;
    Open();
    EXPECT_EQ(nullptr, dialog.DlgResize_Grip());
    EXPECT_EQ(nullptr, ::FindWindowExW(dialog, nullptr, L"ScrollBar", nullptr));

    ::SetWindowPos(dialog, nullptr, 0, 0, initialWindow.cx - 30, initialWindow.cy - 20,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const SIZE size = WindowSize(dialog);
    EXPECT_EQ(initialWindow.cx - 30, size.cx);
    EXPECT_EQ(initialWindow.cy - 20, size.cy);
    // Shrinking moves the controls the other way.
    const SIZE client = ClientSize(dialog);
    ExpectRect(Shifted(initialRects[IDOK], client.cx - initialClient.cx, client.cy - initialClient.cy,
                       client.cx - initialClient.cx, client.cy - initialClient.cy),
               ControlRects(dialog).at(IDOK), IDOK);
}

}  // namespace
