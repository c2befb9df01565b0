// The sample-text combo on the real main dialog: typing, choosing, Enter
// into the history, the wheel, and the exact search of its open list; and the
// options the dialog does not use, on a combo of its own.
#include "ControlsTestHost.h"

#include "framework/UniqueHandle.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using gvt::test::EditOf;
using gvt::test::Items;
using gvt::test::Notify;
using gvt::test::Pump;
using gvt::test::Replace;
using gvt::test::Type;
using Strings = std::vector<std::wstring>;

// Fills a history so that it reads `texts` from the most recent.
void Fill(CMruStrings& list, const Strings& texts)
{
    for (auto it = texts.rbegin(); it != texts.rend(); ++it)
        list.Add(*it);
}

Strings Texts(const CMruStrings& list)
{
    Strings texts;
    for (const auto& entry : list)
        texts.push_back(entry->Text());
    return texts;
}

std::vector<int> Codes(const std::vector<gvt::test::CChangeEvent>& events)
{
    std::vector<int> codes;
    for (const auto& event : events)
        codes.push_back(event.code);
    return codes;
}

struct CEnterLog {
    std::vector<gvt::KeyEvent> keys;
    void OnEnter(gvt::CFontListControls<CFontListDlgSetting>::CSampleTextSender&, gvt::KeyEvent& key)
    {
        keys.push_back(key);
    }
};

class ComboBoxString : public gvt::test::CHostTest {
protected:
    void Open()
    {
        CHostTest::Open();
        combo = host.GetDlgItem(IDC_SAMPLE_TEXT);
        edit = EditOf(combo);
        ASSERT_NE(nullptr, edit);
    }
    int Selected() { return static_cast<int>(::SendMessageW(combo, CB_GETCURSEL, 0, 0)); }
    std::wstring Shown() { return gvt::CWindowW(combo).GetWindowTextW(); }
    DWORD EditSelection() { return static_cast<DWORD>(::SendMessageW(combo, CB_GETEDITSEL, 0, 0)); }
    // A key-down as the dialog's loop gets it; true when the dialog consumed it.
    bool PreTranslateKey(HWND target, WPARAM key, LPARAM data)
    {
        MSG msg = {target, WM_KEYDOWN, key, data, 0, {}};
        if (host.PreTranslateMessage(&msg))
            return true;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
        Pump();
        return false;
    }
    void Wheel(short delta) { ::SendMessageW(combo, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), 0); }

    HWND combo = nullptr;
    HWND edit = nullptr;
};

TEST_F(ComboBoxString, TheItemsAreTheHistoryAndStartShowsTheSampleText)
{
    Fill(host.Setting.SampleTexts, {L"one", L"two", L"three"});
    host.Setting.SampleText = L"two";
    Open();
    EXPECT_EQ((Strings{L"one", L"two", L"three"}), Items(combo));
    EXPECT_EQ(1, Selected());
    EXPECT_EQ(L"two", Shown());
    EXPECT_TRUE(host.Events.empty());
}

TEST_F(ComboBoxString, AnUnlistedSampleTextShowsAsEditText)
{
    Fill(host.Setting.SampleTexts, {L"one"});
    host.Setting.SampleText = L"One";
    Open();
    EXPECT_EQ(-1, Selected());
    EXPECT_EQ(L"One", Shown());
}

TEST_F(ComboBoxString, TheSampleTextFollowsEveryKeystroke)
{
    Open();
    Type(edit, L"abc");
    EXPECT_EQ(L"abc", host.Setting.SampleText);
    ASSERT_EQ(3u, host.Events.size());
    EXPECT_EQ(L"a", host.Seen[0].SampleText);
    EXPECT_EQ(L"ab", host.Seen[1].SampleText);
    EXPECT_EQ(L"abc", host.Seen[2].SampleText);
    EXPECT_EQ((std::vector<int>{5, 5, 5}), Codes(host.Events));
    EXPECT_EQ("OnSampleText", host.Events[0].listener);
    EXPECT_EQ(&host.SampleText, host.Events[0].sender);
    EXPECT_TRUE(host.Setting.SampleTexts.Count() == 0);  // the control never adds to the history
}

TEST_F(ComboBoxString, TypedTextLosesItsSurroundingBlanks)
{
    Open();
    Type(edit, L"  abc  ");
    EXPECT_EQ(L"  abc  ", Shown());
    EXPECT_EQ(L"abc", host.Setting.SampleText);
    EXPECT_EQ(3u, host.Events.size());  // the blanks alone change nothing
}

TEST_F(ComboBoxString, AnEditChangeToTheSameTextFiresNothing)
{
    host.Setting.SampleText = L"abc";
    Open();
    ::SendMessageW(edit, EM_SETSEL, 2, 3);
    Type(edit, L"c");
    EXPECT_EQ(L"abc", Shown());
    EXPECT_TRUE(host.Events.empty());
}

TEST_F(ComboBoxString, AnEmptyEditAppliesTheEmptyText)
{
    host.Setting.SampleText = L"abc";
    Open();
    Replace(edit, L"");
    EXPECT_EQ(L"", host.Setting.SampleText);
    EXPECT_EQ(1u, host.Events.size());
}

TEST_F(ComboBoxString, AChosenEntryIsAppliedAsItStands)
{
    Fill(host.Setting.SampleTexts, {L"first", L" leading space"});
    Open();
    ::SendMessageW(combo, CB_SETCURSEL, 1, 0);
    Notify(host, combo, CBN_SELCHANGE);  // not this control's business
    Pump();
    EXPECT_TRUE(host.Events.empty());

    Notify(host, combo, CBN_SELENDOK);
    EXPECT_EQ(L"", host.Setting.SampleText);  // posted, applied later
    Pump();
    EXPECT_EQ(L" leading space", host.Setting.SampleText);
    EXPECT_EQ((std::vector<int>{9}), Codes(host.Events));
}

TEST_F(ComboBoxString, EscapeInTheOpenListStillAppliesTheHighlightedEntry)
{
    Fill(host.Setting.SampleTexts, {L"first", L"second"});
    host.Setting.SampleText = L"first";
    Open();
    ::SendMessageW(combo, CB_SETCURSEL, 1, 0);
    Notify(host, combo, CBN_SELENDCANCEL);
    Pump();
    EXPECT_EQ(L"second", host.Setting.SampleText);
    EXPECT_EQ((std::vector<int>{10}), Codes(host.Events));
}

TEST_F(ComboBoxString, TheOpenListHighlightsOnlyAnExactMatch)
{
    Fill(host.Setting.SampleTexts, {L"abc", L"ab"});
    Open();
    ::SetFocus(edit);
    ::SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_TRUE(::SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
    Type(edit, L"a");
    EXPECT_EQ(-1, Selected());
    Type(edit, L"b");
    EXPECT_EQ(1, Selected());
    EXPECT_EQ(L"ab", host.Setting.SampleText);
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
    Type(edit, L"AB");
    EXPECT_EQ(-1, Selected());
    EXPECT_EQ(L"AB", host.Setting.SampleText);
    ::SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
    Pump();
}

TEST_F(ComboBoxString, EnterMovesTheTextToTheFrontOfTheHistory)
{
    Fill(host.Setting.SampleTexts, {L"B", L"A"});
    host.Setting.SampleText = L"A";
    Open();
    ASSERT_EQ(1, Selected());
    ::SetFocus(edit);
    ::SendMessageW(edit, EM_SETSEL, 1, 1);

    EXPECT_TRUE(PreTranslateKey(edit, VK_RETURN, 1));
    EXPECT_EQ((Strings{L"A", L"B"}), Items(combo));
    EXPECT_EQ((Strings{L"A", L"B"}), Texts(host.Setting.SampleTexts));
    EXPECT_EQ(L"A", Shown());
    EXPECT_EQ(MAKELONG(1, 1), static_cast<LONG>(EditSelection()));
    EXPECT_TRUE(host.IsWindow());

    Type(edit, L"new");
    EXPECT_EQ(L"Anew", host.Setting.SampleText);
    EXPECT_TRUE(PreTranslateKey(edit, VK_RETURN, 1));
    EXPECT_EQ((Strings{L"Anew", L"A", L"B"}), Items(combo));
    EXPECT_EQ(L"Anew", Shown());
    EXPECT_EQ(MAKELONG(4, 4), static_cast<LONG>(EditSelection()));  // the caret where it was
}

TEST_F(ComboBoxString, EnterReachingTheEditAppliesAndInsertsNoCharacter)
{
    Open();
    CEnterLog enter;
    host.SampleText.EnterListeners().AddListener(&enter, &CEnterLog::OnEnter);
    Type(edit, L"ab");
    host.Setting.SampleText = L"stale";  // so that the Enter's own apply shows

    ::SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 1);
    ::SendMessageW(edit, WM_CHAR, L'\r', 1);
    Pump();
    EXPECT_EQ(L"ab", Shown());
    EXPECT_EQ(L"ab", host.Setting.SampleText);
    ASSERT_EQ(1u, enter.keys.size());
    EXPECT_EQ(VK_RETURN, enter.keys[0].Key);
    EXPECT_EQ(5, host.Events.back().code);

    // An auto-repeated key-down is no new Enter.
    ::SendMessageW(edit, WM_KEYDOWN, VK_RETURN, MAKELPARAM(1, KF_REPEAT));
    EXPECT_EQ(1u, enter.keys.size());
    // The dialog's rule, too, leaves it to the dialog manager: nothing is stored.
    PreTranslateKey(edit, VK_RETURN, MAKELPARAM(1, KF_REPEAT));
    EXPECT_EQ(0u, host.Setting.SampleTexts.Count());
    EXPECT_EQ(L"ab", Shown());
}

// Told after the combo's own character listener.
struct CCharLog {
    std::vector<gvt::KeyEvent> keys;
    void OnChar(gvt::CEditEx&, gvt::KeyEvent& key) { keys.push_back(key); }
};

TEST_F(ComboBoxString, TheEditAndTheListAreTakenOverAndACarriageReturnIsSwallowed)
{
    Open();
    COMBOBOXINFO info = {};
    ASSERT_TRUE(host.SampleText.GetComboBoxInfo(&info));
    EXPECT_EQ(info.hwndItem, host.SampleText.Edit().m_hWnd);
    EXPECT_EQ(info.hwndList, host.SampleText.DropDownList().m_hWnd);

    CCharLog log;
    host.SampleText.Edit().CharListeners().AddListener(&log, &CCharLog::OnChar);
    ::SendMessageW(edit, WM_CHAR, L'\r', 1);
    ::SendMessageW(edit, WM_CHAR, L'q', 1);
    ASSERT_EQ(2u, log.keys.size());
    EXPECT_TRUE(log.keys[0].Handled);
    EXPECT_FALSE(log.keys[1].Handled);
    EXPECT_EQ(L"q", Shown());
}

TEST_F(ComboBoxString, EnterOutsideTheSampleTextIsNotTheHistorysBusiness)
{
    Open();
    HWND size = host.GetDlgItem(IDC_FONT_SIZE);
    ::SetFocus(EditOf(size));
    Replace(edit, L"kept out");
    PreTranslateKey(EditOf(size), VK_RETURN, 1);
    EXPECT_EQ(0u, host.Setting.SampleTexts.Count());
}

TEST_F(ComboBoxString, TheWheelStepsThroughTheHistory)
{
    Fill(host.Setting.SampleTexts, {L"one", L"two", L"three"});
    host.Setting.SampleText = L"one";
    Open();

    Wheel(WHEEL_DELTA);  // away from the user: nothing more recent than the first
    EXPECT_EQ(L"one", Shown());
    EXPECT_TRUE(host.Events.empty());

    Wheel(-WHEEL_DELTA);
    EXPECT_EQ(L"two", Shown());
    EXPECT_EQ(L"two", host.Setting.SampleText);
    Wheel(-WHEEL_DELTA);
    EXPECT_EQ(L"three", host.Setting.SampleText);
    Wheel(-WHEEL_DELTA);  // past the oldest
    EXPECT_EQ(L"three", Shown());
    Wheel(WHEEL_DELTA);
    EXPECT_EQ(L"two", host.Setting.SampleText);
    EXPECT_EQ((std::vector<int>{0, 0, 0}), Codes(host.Events));

    Replace(edit, L"  unlisted ");
    host.Events.clear();
    Wheel(WHEEL_DELTA);
    EXPECT_EQ(L"  unlisted ", Shown());
    EXPECT_TRUE(host.Events.empty());
    Wheel(-WHEEL_DELTA);  // towards the user: the most recent text
    EXPECT_EQ(L"one", Shown());
    EXPECT_EQ(L"one", host.Setting.SampleText);
}

TEST_F(ComboBoxString, AnEditSelectionCollapsesWhenTheFocusIsElsewhere)
{
    host.Setting.SampleText = L"abcdef";
    Open();
    ::SetFocus(edit);
    ::SendMessageW(combo, CB_SETEDITSEL, 0, MAKELPARAM(1, 4));
    ::SendMessageW(combo, WM_NCPAINT, 1, 0);
    EXPECT_EQ(static_cast<DWORD>(MAKELONG(1, 4)), EditSelection());

    ::SetFocus(host.GetDlgItem(IDC_FONT_LIST));
    ::SendMessageW(combo, CB_SETEDITSEL, 0, MAKELPARAM(1, 4));
    ::SendMessageW(combo, WM_NCPAINT, 1, 0);
    EXPECT_EQ(0u, EditSelection());
}

// A sample-text combo with the options the dialog leaves off, in a window
// that reflects its notifications.
class CReflector : public gvt::CWindowImpl<CReflector> {
public:
    BEGIN_MSG_MAP(CReflector)
        REFLECT_NOTIFICATIONS()
    END_MSG_MAP()
};

using CSampleCombo = gvt::CComboBox4<CFontListDlgSetting, CMruStrings, CSameTextValue, const std::wstring&>;

struct CChangeLog {
    std::vector<int> codes;
    void OnChanged(CSampleCombo&, gvt::SampleTextChange change) { codes.push_back(change); }
};

void DestroyTestWindow(HWND hwnd) noexcept { ::DestroyWindow(hwnd); }
using CUniqueWindow = gvt::CUniqueHandle<gvt::CHandleTraits<HWND, void (*)(HWND), DestroyTestWindow>>;

class ComboBoxStringOptions : public ::testing::Test {
protected:
    void Make(CSampleCombo& sample)
    {
        parent.reset(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 10, 10, 300, 200, nullptr, nullptr,
                                       nullptr, nullptr));
        ASSERT_TRUE(reflector.SubclassWindow(parent.get()));
        combo = ::CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN, 5, 5, 200,
                                  150, parent.get(), reinterpret_cast<HMENU>(IDC_SAMPLE_TEXT), nullptr, nullptr);
        Fill(setting.SampleTexts, {L"one", L"two"});
        setting.SampleText = L"one";
        ASSERT_TRUE(sample.Attach(combo, &setting, &setting.SampleTexts));
        sample.AddListener(&log, &CChangeLog::OnChanged);
        sample.SelectFromSetting();
        edit = EditOf(combo);
    }
    void TearDown() override
    {
        if (combo)
            ::DestroyWindow(combo);
        Pump();
    }

    CUniqueWindow parent;
    CReflector reflector;
    CFontListDlgSetting setting;
    CChangeLog log;
    HWND combo = nullptr;
    HWND edit = nullptr;
};

TEST_F(ComboBoxStringOptions, WithoutApplyWhileTypingTheFocusLossShowsTheSettingAgain)
{
    CSampleCombo sample(false, false, false);
    Make(sample);
    Type(edit, L"x");
    EXPECT_EQ(L"one", setting.SampleText);
    Notify(parent.get(), combo, CBN_KILLFOCUS);
    EXPECT_EQ(L"one", gvt::CWindowW(combo).GetWindowTextW());

    // Enter still takes the text, without telling the listeners.
    Replace(edit, L"typed");
    ::SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(L"typed", setting.SampleText);
    EXPECT_TRUE(log.codes.empty());

    // Neither does the wheel apply.
    ::SendMessageW(combo, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_EQ(L"one", gvt::CWindowW(combo).GetWindowTextW());
    EXPECT_EQ(L"typed", setting.SampleText);
}

TEST_F(ComboBoxStringOptions, ApplyOnFocusLostAppliesWithItsCode)
{
    CSampleCombo sample(false, true, false);
    Make(sample);
    Replace(edit, L"lost");
    Notify(parent.get(), combo, CBN_KILLFOCUS);
    EXPECT_EQ(L"lost", setting.SampleText);
    EXPECT_EQ((std::vector<int>{4}), log.codes);
}

TEST_F(ComboBoxStringOptions, RefillOnDropDownRebuildsTheItems)
{
    CSampleCombo sample(true, false, true);
    Make(sample);
    setting.SampleTexts.Add(L"three");
    Notify(parent.get(), combo, CBN_DROPDOWN);
    EXPECT_EQ((Strings{L"three", L"one", L"two"}), Items(combo));
    EXPECT_EQ(1, static_cast<int>(::SendMessageW(combo, CB_GETCURSEL, 0, 0)));
}

}  // namespace
