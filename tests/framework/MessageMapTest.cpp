// Message maps on a real subclassed window: the order of chained maps, the
// bHandled flag, alternative maps, and the typed crackers' unpacking of real
// messages.
#include "TestWindows.h"

#include "framework/MessageMap.h"
#include "framework/WindowImpl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using gvt::test::CRecorder;
using gvt::test::CTestWindow;

namespace {

constexpr UINT WM_PROBE = WM_APP + 10;
constexpr UINT WM_MEMBER_PROBE = WM_APP + 11;
constexpr UINT WM_NOBODY = WM_APP + 12;

using CLog = std::vector<std::string>;

class CBaseMap {
public:
    BEGIN_MSG_MAP(CBaseMap)
        MESSAGE_HANDLER(WM_PROBE, OnProbe)
        MESSAGE_HANDLER(WM_MEMBER_PROBE, OnMemberProbe)
    ALT_MSG_MAP(1)
        MESSAGE_HANDLER(WM_NOBODY, OnAltNobody)
    END_MSG_MAP()

    CLog* Log = nullptr;
    BOOL BaseConsumes = TRUE;

private:
    LRESULT OnProbe(UINT, WPARAM, LPARAM, BOOL& bHandled)
    {
        Log->push_back("base");
        bHandled = BaseConsumes;
        return 20;
    }
    LRESULT OnMemberProbe(UINT, WPARAM, LPARAM, BOOL&)
    {
        Log->push_back("base member probe");
        return 21;
    }
    LRESULT OnAltNobody(UINT, WPARAM, LPARAM, BOOL&)
    {
        Log->push_back("base alt");
        return 22;
    }
};

class CMemberMap {
public:
    BEGIN_MSG_MAP(CMemberMap)
        MESSAGE_HANDLER(WM_PROBE, OnProbe)
        MESSAGE_HANDLER(WM_MEMBER_PROBE, OnMemberProbe)
    END_MSG_MAP()

    CLog* Log = nullptr;

private:
    LRESULT OnProbe(UINT, WPARAM, LPARAM, BOOL& bHandled)
    {
        Log->push_back("member");
        bHandled = FALSE;
        return 30;
    }
    LRESULT OnMemberProbe(UINT, WPARAM, LPARAM, BOOL&)
    {
        Log->push_back("member probe");
        return 31;
    }
};

class CDerivedWindow : public gvt::CWindowImpl<CDerivedWindow>, public CBaseMap {
public:
    CDerivedWindow()
    {
        CBaseMap::Log = &Log;
        Member.Log = &Log;
    }

    BEGIN_MSG_MAP(CDerivedWindow)
        MESSAGE_HANDLER(WM_PROBE, OnProbe)
        CHAIN_MSG_MAP_MEMBER(Member)
        CHAIN_MSG_MAP(CBaseMap)
        MESSAGE_HANDLER(WM_PROBE, OnProbeAfterChain)
    ALT_MSG_MAP(7)
        CHAIN_MSG_MAP_ALT(CBaseMap, 1)
    END_MSG_MAP()

    CLog Log;
    BOOL DerivedConsumes = TRUE;
    CMemberMap Member;

private:
    LRESULT OnProbe(UINT, WPARAM, LPARAM, BOOL& bHandled)
    {
        Log.push_back("derived");
        bHandled = DerivedConsumes;
        return 10;
    }
    LRESULT OnProbeAfterChain(UINT, WPARAM, LPARAM, BOOL& bHandled)
    {
        Log.push_back("after chain");
        bHandled = FALSE;
        return 40;
    }
};

class MessageMapChain : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(below.SubclassWindow(window));
        ASSERT_TRUE(derived.SubclassWindow(window));
    }

    CTestWindow window{L"STATIC", WS_POPUP};
    CRecorder below;
    CDerivedWindow derived;
};

TEST_F(MessageMapChain, TheDerivedHandlerThatConsumesStopsTheChain)
{
    EXPECT_EQ(10, ::SendMessageW(window, WM_PROBE, 0, 0));
    EXPECT_EQ((CLog{"derived"}), derived.Log);
    EXPECT_FALSE(below.Saw(WM_PROBE));
}

TEST_F(MessageMapChain, UnhandledGoesOnToTheMemberAndThenTheBase)
{
    derived.DerivedConsumes = FALSE;
    EXPECT_EQ(20, ::SendMessageW(window, WM_PROBE, 0, 0));
    EXPECT_EQ((CLog{"derived", "member", "base"}), derived.Log);
    EXPECT_FALSE(below.Saw(WM_PROBE));
}

TEST_F(MessageMapChain, WhatNoMapConsumesReachesTheWindowsOwnProcedure)
{
    derived.DerivedConsumes = FALSE;
    derived.BaseConsumes = FALSE;
    // The default procedure of a static answers 0 to a private message.
    EXPECT_EQ(0, ::SendMessageW(window, WM_PROBE, 0, 0));
    EXPECT_EQ((CLog{"derived", "member", "base", "after chain"}), derived.Log);
    EXPECT_TRUE(below.Saw(WM_PROBE));

    EXPECT_TRUE(::SetWindowTextW(window, L"through"));
    EXPECT_EQ(L"through", gvt::CWindowW(window).GetWindowTextW());
}

TEST_F(MessageMapChain, AMemberThatConsumesHidesTheBase)
{
    EXPECT_EQ(31, ::SendMessageW(window, WM_MEMBER_PROBE, 0, 0));
    EXPECT_EQ((CLog{"member probe"}), derived.Log);
}

TEST_F(MessageMapChain, AlternativeMapsAreReachedOnlyByTheirNumber)
{
    ::SendMessageW(window, WM_NOBODY, 0, 0);
    EXPECT_TRUE(derived.Log.empty());
    EXPECT_TRUE(below.Saw(WM_NOBODY));

    LRESULT result = 0;
    EXPECT_TRUE(derived.ProcessWindowMessage(window, WM_NOBODY, 0, 0, result, 7));
    EXPECT_EQ(22, result);
    EXPECT_EQ((CLog{"base alt"}), derived.Log);
    // Map 7 has nothing for the main map's messages.
    EXPECT_FALSE(derived.ProcessWindowMessage(window, WM_PROBE, 0, 0, result, 7));
}

// Records what each cracker unpacked from the messages the system sends.
class CCracked : public gvt::CWindowImpl<CCracked> {
public:
    BEGIN_MSG_MAP(CCracked)
        MSG_WM_CONTEXTMENU(OnContextMenu)
        MSG_WM_MOUSEWHEEL(OnMouseWheel)
        MSG_WM_KEYDOWN(OnKeyDown)
        MSG_WM_CHAR(OnChar)
        MSG_WM_SIZE(OnSize)
        MSG_WM_GETMINMAXINFO(OnGetMinMaxInfo)
        MSG_WM_WINDOWPOSCHANGED(OnWindowPosChanged)
        MSG_WM_SETCURSOR(OnSetCursor)
        MSG_WM_PAINT(OnPaint)
    END_MSG_MAP()

    POINT ContextPoint = {};
    HWND ContextWindow = nullptr;
    short WheelDelta = 0;
    UINT WheelKeys = 0;
    POINT WheelPoint = {};
    UINT Key = 0;
    UINT Repeat = 0;
    UINT KeyFlags = 0;
    UINT Char = 0;
    UINT SizeType = 0xFFFF;
    SIZE Size = {};
    int MinMaxCalls = 0;
    WINDOWPOS LastPos = {};
    UINT HitTest = 0;
    UINT MouseMsg = 0;
    int Paints = 0;

private:
    void OnContextMenu(HWND window, POINT point, BOOL&)
    {
        ContextWindow = window;
        ContextPoint = point;
    }
    void OnMouseWheel(UINT keys, short delta, POINT point, BOOL&)
    {
        WheelKeys = keys;
        WheelDelta = delta;
        WheelPoint = point;
    }
    void OnKeyDown(UINT key, UINT repeat, UINT flags, BOOL&)
    {
        Key = key;
        Repeat = repeat;
        KeyFlags = flags;
    }
    void OnChar(UINT ch, UINT, UINT, BOOL&) { Char = ch; }
    void OnSize(UINT type, SIZE size, BOOL& bHandled)
    {
        SizeType = type;
        Size = size;
        bHandled = FALSE;
    }
    void OnGetMinMaxInfo(MINMAXINFO*, BOOL& bHandled)
    {
        ++MinMaxCalls;
        bHandled = FALSE;
    }
    void OnWindowPosChanged(WINDOWPOS* pos, BOOL& bHandled)
    {
        LastPos = *pos;
        bHandled = FALSE;
    }
    BOOL OnSetCursor(HWND, UINT hitTest, UINT mouseMsg, BOOL&)
    {
        HitTest = hitTest;
        MouseMsg = mouseMsg;
        return TRUE;
    }
    void OnPaint(HDC, BOOL&)
    {
        PAINTSTRUCT ps;
        ::BeginPaint(m_hWnd, &ps);
        ::EndPaint(m_hWnd, &ps);
        ++Paints;
    }
};

TEST(MessageMapCrackers, UnpackTheParametersOfRealMessages)
{
    // A sizing frame, so that moving asks for the tracking sizes.
    CTestWindow window(L"STATIC", WS_POPUP | WS_THICKFRAME);
    CCracked cracked;
    ASSERT_TRUE(cracked.SubclassWindow(window));

    // Keyboard context menu: (-1, -1) stays signed.
    ::SendMessageW(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window.get()), MAKELPARAM(-1, -1));
    EXPECT_EQ(window.get(), cracked.ContextWindow);
    EXPECT_EQ(-1, cracked.ContextPoint.x);
    EXPECT_EQ(-1, cracked.ContextPoint.y);

    // A wheel turn towards the user at a point left of the primary screen.
    EXPECT_EQ(0, ::SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, -WHEEL_DELTA), MAKELPARAM(-5, 7)));
    EXPECT_EQ(-WHEEL_DELTA, cracked.WheelDelta);
    EXPECT_EQ(static_cast<UINT>(MK_CONTROL), cracked.WheelKeys);
    EXPECT_EQ(-5, cracked.WheelPoint.x);
    EXPECT_EQ(7, cracked.WheelPoint.y);

    // An auto-repeated Enter: the repeat bit is in the flags.
    ::SendMessageW(window, WM_KEYDOWN, VK_RETURN, MAKELPARAM(3, KF_REPEAT | 0x1C));
    EXPECT_EQ(static_cast<UINT>(VK_RETURN), cracked.Key);
    EXPECT_EQ(3U, cracked.Repeat);
    EXPECT_EQ(static_cast<UINT>(KF_REPEAT | 0x1C), cracked.KeyFlags);
    ::SendMessageW(window, WM_CHAR, 0x3042, 1);
    EXPECT_EQ(0x3042U, cracked.Char);

    // Resizing sends WM_GETMINMAXINFO, WM_WINDOWPOSCHANGED and WM_SIZE.
    ASSERT_TRUE(::SetWindowPos(window, nullptr, 20, 30, 180, 90, SWP_NOZORDER | SWP_NOACTIVATE));
    RECT client;
    ::GetClientRect(window, &client);
    EXPECT_EQ(static_cast<UINT>(SIZE_RESTORED), cracked.SizeType);
    EXPECT_EQ(client.right, cracked.Size.cx);
    EXPECT_EQ(client.bottom, cracked.Size.cy);
    EXPECT_GT(cracked.MinMaxCalls, 0);
    EXPECT_EQ(20, cracked.LastPos.x);
    EXPECT_EQ(30, cracked.LastPos.y);
    EXPECT_EQ(180, cracked.LastPos.cx);

    EXPECT_EQ(TRUE, ::SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window.get()),
                                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(static_cast<UINT>(HTCLIENT), cracked.HitTest);
    EXPECT_EQ(static_cast<UINT>(WM_MOUSEMOVE), cracked.MouseMsg);

    ::ShowWindow(window, SW_SHOWNA);
    ::InvalidateRect(window, nullptr, TRUE);
    ::UpdateWindow(window);
    EXPECT_GT(cracked.Paints, 0);
    // The handler validated the window: no further paint is pending.
    RECT update;
    EXPECT_FALSE(::GetUpdateRect(window, &update, FALSE));
}

}  // namespace
