// Reflection of real control notifications from a dialog to the subclassed
// control that sent them, and the default answer for a control that does
// not handle them.
#include "FrameworkTestIds.h"
#include "TestWindows.h"

#include "framework/DialogImpl.h"
#include "framework/UniqueHandle.h"
#include "framework/WindowImpl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using gvt::test::CRecorder;

namespace {

class CReflectingDlg : public gvt::CDialogImpl<CReflectingDlg> {
public:
    enum { IDD = IDD_TEST_CONTROLS };

    BEGIN_MSG_MAP(CReflectingDlg)
        REFLECT_NOTIFICATIONS()
    END_MSG_MAP()
};

struct CCommandSeen {
    WORD code;
    WORD id;
    HWND control;
};

class CButtonProbe : public gvt::CWindowImpl<CButtonProbe> {
public:
    BEGIN_MSG_MAP(CButtonProbe)
        REFLECTED_COMMAND_CODE_HANDLER(BN_CLICKED, OnClicked)
    END_MSG_MAP()

    std::vector<CCommandSeen> Seen;

private:
    LRESULT OnClicked(WORD code, WORD id, HWND control, BOOL&)
    {
        Seen.push_back(CCommandSeen{code, id, control});
        return 0;
    }
};

class CComboProbe : public gvt::CWindowImpl<CComboProbe, gvt::CComboBoxW> {
public:
    BEGIN_MSG_MAP(CComboProbe)
        REFLECTED_COMMAND_HANDLER(IDC_TEST_COMBO, CBN_SELCHANGE, OnSelChange)
    END_MSG_MAP()

    std::vector<int> Selections;

private:
    LRESULT OnSelChange(WORD, WORD, HWND, BOOL&)
    {
        Selections.push_back(GetCurSel());
        return 0;
    }
};

class CFixedListProbe : public gvt::CWindowImpl<CFixedListProbe, gvt::CListBoxW> {
public:
    BEGIN_MSG_MAP(CFixedListProbe)
        MSG_OCM_DRAWITEM(OnDrawItem)
    END_MSG_MAP()

    std::vector<UINT> Drawn;
    bool ForeignItem = false;

private:
    void OnDrawItem(UINT id, DRAWITEMSTRUCT* item, BOOL&)
    {
        if (item->hwndItem != m_hWnd || id != IDC_TEST_FIXED_LIST || item->CtlType != ODT_LISTBOX)
            ForeignItem = true;
        Drawn.push_back(item->itemID);
    }
};

class CVariableListProbe : public gvt::CWindowImpl<CVariableListProbe, gvt::CListBoxW> {
public:
    BEGIN_MSG_MAP(CVariableListProbe)
        MSG_OCM_MEASUREITEM(OnMeasureItem)
    END_MSG_MAP()

    static constexpr UINT kHeight = 33;

private:
    void OnMeasureItem(UINT, MEASUREITEMSTRUCT* item, BOOL&) { item->itemHeight = kHeight; }
};

class CListViewProbe : public gvt::CWindowImpl<CListViewProbe> {
public:
    BEGIN_MSG_MAP(CListViewProbe)
        REFLECTED_NOTIFY_CODE_HANDLER(LVN_INSERTITEM, OnInsertItem)
    END_MSG_MAP()

    std::vector<int> Inserted;
    HWND From = nullptr;

private:
    LRESULT OnInsertItem(int, NMHDR* header, BOOL&)
    {
        From = header->hwndFrom;
        Inserted.push_back(reinterpret_cast<NMLISTVIEW*>(header)->iItem);
        return 0;
    }
};

// A control class whose map handles nothing.
class CSilent : public gvt::CWindowImpl<CSilent> {
public:
    BEGIN_MSG_MAP(CSilent)
    END_MSG_MAP()
};

class Reflection : public ::testing::Test {
protected:
    void SetUp() override
    {
        gvt::test::InitTestControls();
        ASSERT_TRUE(dialog.Create(nullptr));
        ::ShowWindow(dialog, SW_SHOWNA);
    }
    void TearDown() override { dialog.DestroyWindow(); }

    CReflectingDlg dialog;
};

TEST_F(Reflection, AButtonClickReachesTheButton)
{
    CButtonProbe button;
    ASSERT_TRUE(button.SubclassWindow(dialog.GetDlgItem(IDC_TEST_BUTTON)));
    ::SendMessageW(button, BM_CLICK, 0, 0);
    ASSERT_EQ(1U, button.Seen.size());
    EXPECT_EQ(BN_CLICKED, button.Seen[0].code);
    EXPECT_EQ(IDC_TEST_BUTTON, button.Seen[0].id);
    EXPECT_EQ(button.m_hWnd, button.Seen[0].control);
}

TEST_F(Reflection, AComboSelectionChangeReachesTheComboBox)
{
    CComboProbe combo;
    ASSERT_TRUE(combo.SubclassWindow(dialog.GetDlgItem(IDC_TEST_COMBO)));
    combo.AddString(L"one");
    combo.AddString(L"two");
    combo.SetCurSel(0);
    ::SendMessageW(combo, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ((std::vector<int>{1}), combo.Selections);
}

TEST_F(Reflection, PaintingAnOwnerDrawnListDrawsItsRowsThroughTheList)
{
    CFixedListProbe list;
    ASSERT_TRUE(list.SubclassWindow(dialog.GetDlgItem(IDC_TEST_FIXED_LIST)));
    ASSERT_EQ(0, list.SetCount(3));
    list.SetItemHeight(0, 16);
    ::RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_FALSE(list.ForeignItem);
    for (UINT row = 0; row < 3; ++row)
        EXPECT_NE(std::find(list.Drawn.begin(), list.Drawn.end(), row), list.Drawn.end()) << row;
}

TEST_F(Reflection, MeasuringReachesTheListFoundByItsId)
{
    CVariableListProbe list;
    ASSERT_TRUE(list.SubclassWindow(dialog.GetDlgItem(IDC_TEST_VARIABLE_LIST)));
    const int measured = list.AddString(L"measured");
    EXPECT_EQ(static_cast<int>(CVariableListProbe::kHeight), list.GetItemHeight(measured));

    // Without the subclass the same request gets the list's own height.
    HWND hwnd = list.UnsubclassWindow();
    const int plain = gvt::CListBoxW(hwnd).AddString(L"plain");
    EXPECT_NE(static_cast<int>(CVariableListProbe::kHeight), gvt::CListBoxW(hwnd).GetItemHeight(plain));
}

TEST_F(Reflection, ANotificationReachesTheControlNamedInItsHeader)
{
    CListViewProbe view;
    ASSERT_TRUE(view.SubclassWindow(dialog.GetDlgItem(IDC_TEST_LISTVIEW)));
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = 0;
    item.pszText = const_cast<wchar_t*>(L"row");
    ASSERT_EQ(0, ::SendMessageW(view, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ((std::vector<int>{0}), view.Inserted);
    EXPECT_EQ(view.m_hWnd, view.From);
}

TEST_F(Reflection, AnUnhandledNotificationGetsTheDefaultAnswerAndNeverReachesTheControl)
{
    HWND label = dialog.GetDlgItem(IDC_TEST_STATIC);
    CRecorder below;
    CSilent silent;
    ASSERT_TRUE(below.SubclassWindow(label));
    ASSERT_TRUE(silent.SubclassWindow(label));

    gvt::CClientDC dc(label);
    const LRESULT expected = ::DefWindowProcW(label, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()),
                                              reinterpret_cast<LPARAM>(label));
    const LRESULT answer = ::SendMessageW(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()),
                                          reinterpret_cast<LPARAM>(label));
    EXPECT_EQ(expected, answer);
    EXPECT_NE(0, answer);
    EXPECT_FALSE(below.Saw(OCM_CTLCOLORSTATIC));

    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_TEST_STATIC, STN_CLICKED), reinterpret_cast<LPARAM>(label));
    EXPECT_FALSE(below.Saw(OCM_COMMAND));
}

TEST_F(Reflection, OnlyNotificationsWithASendingControlHaveATarget)
{
    HWND button = dialog.GetDlgItem(IDC_TEST_BUTTON);
    HWND list = dialog.GetDlgItem(IDC_TEST_VARIABLE_LIST);

    // A menu command or an accelerator has no control.
    EXPECT_EQ(nullptr, gvt::ReflectionTarget(dialog, WM_COMMAND, MAKEWPARAM(100, 0), 0));
    EXPECT_EQ(button, gvt::ReflectionTarget(dialog, WM_COMMAND, MAKEWPARAM(IDC_TEST_BUTTON, BN_CLICKED),
                                            reinterpret_cast<LPARAM>(button)));
    // The dialog's own colour request is not a control's.
    EXPECT_EQ(nullptr, gvt::ReflectionTarget(dialog, WM_CTLCOLORDLG, 0, reinterpret_cast<LPARAM>(dialog.m_hWnd)));

    // Owner-drawn menu items (id 0) are not reflected; list items are found
    // by their control id.
    MEASUREITEMSTRUCT measure = {};
    measure.CtlType = ODT_MENU;
    EXPECT_EQ(nullptr, gvt::ReflectionTarget(dialog, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)));
    measure.CtlType = ODT_LISTBOX;
    measure.CtlID = IDC_TEST_VARIABLE_LIST;
    EXPECT_EQ(list, gvt::ReflectionTarget(dialog, WM_MEASUREITEM, IDC_TEST_VARIABLE_LIST,
                                          reinterpret_cast<LPARAM>(&measure)));

    // A click is reflected to the control under it.
    RECT rect;
    gvt::CWindowW(list).GetRectInParent(&rect);
    const LPARAM inside = MAKELPARAM(rect.left + 3, rect.top + 3);
    EXPECT_EQ(list, gvt::ReflectionTarget(dialog, WM_PARENTNOTIFY, WM_LBUTTONDOWN, inside));

    // Messages that are not notifications are never reflected.
    EXPECT_EQ(nullptr, gvt::ReflectionTarget(dialog, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(button)));
    EXPECT_TRUE(gvt::IsReflectedMessage(OCM_DRAWITEM));
    EXPECT_FALSE(gvt::IsReflectedMessage(OCM__BASE + WM_SETTEXT));
}

}  // namespace
