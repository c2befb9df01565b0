// The update-UI table puts check marks on popup menus as they open, both for
// a sent WM_INITMENUPOPUP and for the program's real context menu tracked
// through CSubMenuImpl.
#include "TestWindows.h"

#include "framework/ModuleInstance.h"
#include "framework/SubMenu.h"
#include "framework/UniqueHandle.h"
#include "framework/UpdateUI.h"
#include "framework/WindowImpl.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

using gvt::test::CTestWindow;

namespace {

constexpr UINT kOtherItem = 0x7001;

class CMenuOwner : public gvt::CWindowImpl<CMenuOwner>, public gvt::CSubMenuImpl<CMenuOwner> {
public:
    BEGIN_UPDATE_UI_MAP(CMenuOwner)
        UPDATE_ELEMENT(ID_TOPMOST, UPDUI_MENUPOPUP)
    END_UPDATE_UI_MAP()

    BEGIN_MSG_MAP(CMenuOwner)
        CHAIN_MSG_MAP_MEMBER(UpdateUI)
        MSG_WM_INITMENUPOPUP(OnInitMenuPopup)
    END_MSG_MAP()

    gvt::CUpdateUI<CMenuOwner> UpdateUI;
    int Popups = 0;
    bool CheckedWhenOpen = false;
    bool CloseAtOnce = false;

private:
    void OnInitMenuPopup(HMENU popup, UINT, bool, BOOL&)
    {
        ++Popups;
        CheckedWhenOpen = (::GetMenuState(popup, ID_TOPMOST, MF_BYCOMMAND) & MF_CHECKED) != 0;
        if (CloseAtOnce)
            ::PostMessageW(m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    }
};

bool IsChecked(HMENU menu, UINT id)
{
    return (::GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

TEST(UpdateUI, TheTableKnowsOnlyItsElements)
{
    gvt::CUpdateUI<CMenuOwner> table;
    EXPECT_FALSE(table.UIGetCheck(ID_TOPMOST));
    EXPECT_TRUE(table.UISetCheck(ID_TOPMOST, true));
    EXPECT_TRUE(table.UIGetCheck(ID_TOPMOST));
    EXPECT_FALSE(table.UISetCheck(kOtherItem, true));
    EXPECT_FALSE(table.UIGetCheck(kOtherItem));
}

TEST(UpdateUI, OpeningAPopupAppliesTheChecksAndPassesTheMessageOn)
{
    CTestWindow window(L"STATIC", WS_POPUP);
    CMenuOwner owner;
    ASSERT_TRUE(owner.SubclassWindow(window));

    gvt::CUniqueMenu menu(::CreatePopupMenu());
    ::AppendMenuW(menu.get(), MF_STRING, ID_TOPMOST, L"Top");
    ::AppendMenuW(menu.get(), MF_STRING | MF_CHECKED, kOtherItem, L"Other");

    owner.UpdateUI.UISetCheck(ID_TOPMOST, true);
    ::SendMessageW(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu.get()), 0);
    EXPECT_TRUE(IsChecked(menu.get(), ID_TOPMOST));
    EXPECT_TRUE(owner.CheckedWhenOpen);
    EXPECT_EQ(1, owner.Popups);
    // Items outside the table are left as they are.
    EXPECT_TRUE(IsChecked(menu.get(), kOtherItem));

    owner.UpdateUI.UISetCheck(ID_TOPMOST, false);
    ::SendMessageW(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu.get()), 0);
    EXPECT_FALSE(IsChecked(menu.get(), ID_TOPMOST));

    // The window menu is not the table's.
    owner.UpdateUI.UISetCheck(ID_TOPMOST, true);
    ::SendMessageW(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu.get()), MAKELPARAM(0, TRUE));
    EXPECT_FALSE(IsChecked(menu.get(), ID_TOPMOST));
}

TEST(UpdateUI, TheTrackedContextMenuOpensWithTheCheckMark)
{
    CTestWindow window(L"STATIC", WS_POPUP | WS_VISIBLE);
    CMenuOwner owner;
    ASSERT_TRUE(owner.SubclassWindow(window));
    gvt::CUniqueMenu menu(::LoadMenuW(gvt::ModuleInstance(), MAKEINTRESOURCEW(IDR_MAIN_MENU)));
    ASSERT_TRUE(menu);

    owner.CloseAtOnce = true;
    owner.UpdateUI.UISetCheck(ID_TOPMOST, true);
    EXPECT_TRUE(owner.TrackSubMenu(menu.get(), 0, gvt::ContextMenuPoint(window, POINT{-1, -1})));
    EXPECT_EQ(1, owner.Popups);
    EXPECT_TRUE(owner.CheckedWhenOpen);

    // There is no second submenu to track.
    EXPECT_FALSE(owner.TrackSubMenu(menu.get(), 1, POINT{20, 20}));
    gvt::test::PumpMessages();
}

TEST(ContextMenuPoint, TheKeyboardPointIsTheClientOrigin)
{
    CTestWindow window(L"STATIC", WS_POPUP | WS_CAPTION);
    POINT origin = {0, 0};
    ::ClientToScreen(window, &origin);
    const POINT keyboard = gvt::ContextMenuPoint(window, POINT{-1, -1});
    EXPECT_EQ(origin.x, keyboard.x);
    EXPECT_EQ(origin.y, keyboard.y);

    const POINT mouse = gvt::ContextMenuPoint(window, POINT{-1, 40});
    EXPECT_EQ(-1, mouse.x);
    EXPECT_EQ(40, mouse.y);
}

}  // namespace
