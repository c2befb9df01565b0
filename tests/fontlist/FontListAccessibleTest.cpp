// The font list as a screen reader sees it through Active Accessibility:
// one child per row named by its caption, states, places, navigation and
// events, errors for ids that name nothing, and a reference that outlives a
// refilter and the window.
#include "FontListHost.h"

#include "framework/ComPtr.h"
#include "support/PrivateFonts.h"
#include "support/TestLanguage.h"

#include <oleacc.h>
#include <gtest/gtest.h>

#include <thread>
#include <utility>
#include <vector>

using gvt::test::CMutableRecord;
using gvt::test::MakeRecord;
using gvt::test::Pick;

namespace {

struct CEvent {
    DWORD Event;
    LONG Child;
    bool operator==(const CEvent& other) const { return Event == other.Event && Child == other.Child; }
};
void PrintTo(const CEvent& e, std::ostream* out) { *out << std::hex << e.Event << std::dec << ":" << e.Child; }

std::vector<CEvent> g_events;
HWND g_watched = nullptr;
// Events about a row that was not yet drawn as it is now.
int g_undrawn = 0;

void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD, DWORD)
{
    if (hwnd != g_watched || object != OBJID_CLIENT)
        return;
    g_events.push_back({event, child});
    RECT update{}, row{}, both{};
    if (child > 0 && ::GetUpdateRect(hwnd, &update, FALSE) &&
        ::SendMessageW(hwnd, LB_GETITEMRECT, child - 1, reinterpret_cast<LPARAM>(&row)) != LB_ERR &&
        ::IntersectRect(&both, &update, &row))
        ++g_undrawn;
}

using CUniqueWinEventHook =
    gvt::CUniqueHandle<gvt::CHandleTraits<HWINEVENTHOOK, decltype(&::UnhookWinEvent), &::UnhookWinEvent>>;

VARIANT Child(long id)
{
    VARIANT child;
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

constexpr long kRow = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
constexpr long kRows = 43;

class FontListAccessible : public gvt::test::FontListFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
        FontListFixture::SetUp();
        ASSERT_TRUE(fonts.Missing().empty()) << "cannot load " << fonts.Missing();
        records = {MakeRecord(L"DejaVu Sans"), MakeRecord(L"DejaVu Sans", FW_BOLD),
                   MakeRecord(L"DejaVu Sans", FW_NORMAL, TRUE)};
        for (int i = 1; i <= 40; ++i)
            records.push_back(MakeRecord(L"Face " + std::to_wstring(i)));
        list.SetItems(CLogFontList(records.begin(), records.end()));
        ASSERT_EQ(S_OK, ::AccessibleObjectFromWindow(list, OBJID_CLIENT, __uuidof(IAccessible), acc.put_void()));
        g_watched = list;
        hook.reset(::SetWinEventHook(EVENT_OBJECT_REORDER, EVENT_OBJECT_SELECTION, nullptr, OnWinEvent,
                                     ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT));
        ASSERT_TRUE(hook);
    }
    void TearDown() override
    {
        acc.reset();
        FontListFixture::TearDown();
        ::OleUninitialize();
    }

    std::wstring Name(long id)
    {
        gvt::CUniqueBstr name;
        EXPECT_TRUE(SUCCEEDED(acc->get_accName(Child(id), name.put()))) << id;
        return name ? name.get() : L"";
    }
    long Answer(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*), long id)
    {
        VARIANT answer;
        EXPECT_EQ(S_OK, (acc.get()->*get)(Child(id), &answer)) << id;
        return answer.vt == VT_I4 ? answer.lVal : -1;
    }
    long State(long id) { return Answer(&IAccessible::get_accState, id); }
    long Navigate(long direction, long from)
    {
        VARIANT to;
        return SUCCEEDED(acc->accNavigate(direction, Child(from), &to)) && to.vt == VT_I4 ? to.lVal : -1;
    }
    RECT Location(long id)
    {
        long left = 0, top = 0, width = 0, height = 0;
        EXPECT_EQ(S_OK, acc->accLocation(&left, &top, &width, &height, Child(id))) << id;
        return RECT{left, top, left + width, top + height};
    }
    RECT ScreenRect(int row)
    {
        RECT rect{};
        list.GetItemRect(row, &rect);
        ::MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    // The events raised by what the test did, delivered through the queue.
    std::vector<CEvent> Events()
    {
        for (int i = 0; i < 5; ++i) {
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                ::DispatchMessageW(&msg);
            ::Sleep(10);
        }
        return std::exchange(g_events, {});
    }

    gvt::test::CPrivateFonts fonts{gvt::test::kDejaVuSans, gvt::test::kDejaVuSansBold,
                                   gvt::test::kDejaVuSansOblique};
    std::vector<CMutableRecord> records;
    gvt::CComPtr<IAccessible> acc;
    CUniqueWinEventHook hook;
};

}  // namespace

TEST_F(FontListAccessible, EveryRowIsAChildNamedByItsCaptionWithTheSampleAsValue)
{
    long count = 0;
    ASSERT_EQ(S_OK, acc->get_accChildCount(&count));
    EXPECT_EQ(kRows, count);
    EXPECT_EQ(std::wstring(L"DejaVu Sans, ") + Pick(L"標準", L"Normal"), Name(1));
    EXPECT_EQ(std::wstring(L"DejaVu Sans, ") + Pick(L"太字", L"Bold"), Name(2));
    EXPECT_EQ(std::wstring(L"DejaVu Sans, ") + Pick(L"標準, 斜体", L"Normal, Italic"), Name(3));
    EXPECT_EQ(std::wstring(L"Face 40, ") + Pick(L"標準", L"Normal"), Name(kRows));
    EXPECT_EQ(ROLE_SYSTEM_LIST, Answer(&IAccessible::get_accRole, CHILDID_SELF));
    EXPECT_EQ(ROLE_SYSTEM_LISTITEM, Answer(&IAccessible::get_accRole, 2));

    gvt::CUniqueBstr value;
    EXPECT_EQ(S_OK, acc->get_accValue(Child(2), value.put()));
    EXPECT_STREQ(L"DejaVu Sans", value.get());
    list.SetSampleText(L"Abc 漢字");
    EXPECT_EQ(S_OK, acc->get_accValue(Child(2), value.put()));
    EXPECT_STREQ(L"Abc 漢字", value.get());

    // The main dialog gives the list no label; a static text before it names it.
    EXPECT_EQ(L"", Name(CHILDID_SELF));
    const HWND label = ::CreateWindowExW(0, L"Static", L"&Fonts", WS_CHILD, 0, 0, 50, 10, dialog, nullptr,
                                         nullptr, nullptr);
    ::SetWindowPos(label, ::GetWindow(list, GW_HWNDPREV), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(L"Fonts", Name(CHILDID_SELF));
}

TEST_F(FontListAccessible, StatesPlacesFocusSelectionAndNavigationAreTheListBoxs)
{
    list.SetCurSel(1);
    list.SetFocus();
    EXPECT_EQ(kRow | STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED, State(2));
    EXPECT_EQ(kRow, State(1));
    EXPECT_EQ(kRow | STATE_SYSTEM_OFFSCREEN, State(kRows));
    for (long id : {2L, kRows}) {
        const RECT drawn = ScreenRect(id - 1), told = Location(id);
        EXPECT_TRUE(::EqualRect(&drawn, &told)) << id;
    }
    RECT client{};
    ::GetClientRect(list, &client);
    ::MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&client), 2);
    EXPECT_GE(Location(kRows).top, client.bottom);

    VARIANT child;
    EXPECT_EQ(S_OK, acc->get_accFocus(&child));
    EXPECT_EQ(2, child.lVal);
    EXPECT_EQ(S_OK, acc->get_accSelection(&child));
    EXPECT_EQ(2, child.lVal);
    const RECT third = Location(3);
    EXPECT_EQ(S_OK, acc->accHitTest((third.left + third.right) / 2, (third.top + third.bottom) / 2, &child));
    EXPECT_EQ(3, child.lVal);
    EXPECT_EQ(S_FALSE, acc->accHitTest(client.left - 5, client.top, &child));

    EXPECT_EQ(1, Navigate(NAVDIR_FIRSTCHILD, CHILDID_SELF));
    EXPECT_EQ(kRows, Navigate(NAVDIR_LASTCHILD, CHILDID_SELF));
    EXPECT_EQ(3, Navigate(NAVDIR_NEXT, 2));
    EXPECT_EQ(-1, Navigate(NAVDIR_PREVIOUS, 1));
    EXPECT_EQ(-1, Navigate(NAVDIR_NEXT, kRows));

    // Without the keyboard focus the row is selected, not focused.
    ::SetFocus(dialog.GetDlgItem(IDC_CHARSET));
    EXPECT_EQ(kRow | STATE_SYSTEM_SELECTED, State(2));
    EXPECT_EQ(S_FALSE, acc->get_accFocus(&child));

    dialog.SelectionChanges = 0;
    EXPECT_EQ(S_OK, acc->accSelect(SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION, Child(30)));
    EXPECT_EQ(29, list.GetCurSel());
    EXPECT_EQ(::GetFocus(), list.m_hWnd);
    EXPECT_EQ(1, dialog.SelectionChanges);
    EXPECT_EQ(kRow | STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED, State(30)) << "scrolled into view";
}

TEST_F(FontListAccessible, IdsThatNameNoRowAndOtherThreadsGetErrors)
{
    for (long id : {-1L, kRows + 1, 100000L}) {
        gvt::CUniqueBstr name;
        VARIANT answer;
        EXPECT_EQ(E_INVALIDARG, acc->get_accName(Child(id), name.put())) << id;
        EXPECT_EQ(E_INVALIDARG, acc->get_accState(Child(id), &answer)) << id;
        EXPECT_EQ(E_INVALIDARG, acc->accNavigate(NAVDIR_NEXT, Child(id), &answer)) << id;
        EXPECT_EQ(E_INVALIDARG, acc->accSelect(SELFLAG_TAKESELECTION, Child(id))) << id;
    }
    EXPECT_EQ(E_INVALIDARG, acc->accSelect(SELFLAG_ADDSELECTION, Child(1)));

    HRESULT elsewhere = S_OK;
    std::thread([&] {
        long count = 0;
        elsewhere = acc->get_accChildCount(&count);
    }).join();
    EXPECT_EQ(RPC_E_WRONG_THREAD, elsewhere);
}

TEST_F(FontListAccessible, FocusAndSelectionEventsFollowKeysTypingClicksAndRefilters)
{
    list.SetCurSel(0);
    list.SetFocus();
    Events();
    g_undrawn = 0;
    list.SendMessageW(WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ((std::vector<CEvent>{{EVENT_OBJECT_FOCUS, 2}, {EVENT_OBJECT_SELECTION, 2}}), Events());
    list.SendMessageW(WM_CHAR, L'f', 1);
    EXPECT_EQ((std::vector<CEvent>{{EVENT_OBJECT_FOCUS, 4}, {EVENT_OBJECT_SELECTION, 4}}), Events());
    const RECT fifth = Location(5);
    POINT point{(fifth.left + fifth.right) / 2, (fifth.top + fifth.bottom) / 2};
    list.ScreenToClient(&point);
    list.SendMessageW(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    list.SendMessageW(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    EXPECT_EQ((std::vector<CEvent>{{EVENT_OBJECT_FOCUS, 5}, {EVENT_OBJECT_SELECTION, 5}}), Events());

    // Two rows go: the selected font moves up by two.
    list.SetItems(CLogFontList(records.begin() + 2, records.end()));
    EXPECT_EQ((std::vector<CEvent>{{EVENT_OBJECT_REORDER, CHILDID_SELF},
                                   {EVENT_OBJECT_FOCUS, 3},
                                   {EVENT_OBJECT_SELECTION, 3}}),
              Events());

    ::SetFocus(dialog.GetDlgItem(IDC_CHARSET));
    Events();
    list.SetCurSel(9);
    EXPECT_EQ((std::vector<CEvent>{{EVENT_OBJECT_SELECTION, 10}}), Events()) << "no focus event without the focus";
    EXPECT_EQ(0, g_undrawn);
}

TEST_F(FontListAccessible, AHeldReferenceSeesTheNewRowsAndFailsOnceTheWindowIsGone)
{
    list.SetItems(CLogFontList(records.begin() + 10, records.end()));
    long count = 0;
    EXPECT_EQ(S_OK, acc->get_accChildCount(&count));
    EXPECT_EQ(kRows - 10, count);
    EXPECT_EQ(std::wstring(L"Face 8, ") + Pick(L"標準", L"Normal"), Name(1));
    gvt::CUniqueBstr name;
    EXPECT_EQ(E_INVALIDARG, acc->get_accName(Child(kRows), name.put()));

    dialog.DestroyWindow();
    EXPECT_EQ(CO_E_OBJNOTCONNECTED, acc->get_accChildCount(&count));
    EXPECT_EQ(CO_E_OBJNOTCONNECTED, acc->get_accName(Child(1), name.put()));
}
