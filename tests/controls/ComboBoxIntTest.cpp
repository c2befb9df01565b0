// The size combo on the real main dialog: its list, the sizes typed or
// chosen, and texts that do not convert, which change nothing and are only
// kept as the control's last error.
#include "ControlsTestHost.h"
#include "support/MessageBoxWatcher.h"

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

// Records the error-changed and focus-lost events of the size combo.
struct CSizeEvents {
    std::vector<std::wstring> errors;  // the error text each event carried
    std::vector<const void*> senders;
    int focusLost = 0;

    using CSender = gvt::CFontListControls<CFontListDlgSetting>::CSizeSender;
    void OnErrorChanged(CSender& sender, const my::CCtrlException& error)
    {
        senders.push_back(&sender);
        errors.push_back(error.Message);
    }
    void OnFocusLost(CSender&) { ++focusLost; }
};

class ComboBoxInt : public gvt::test::CHostTest {
protected:
    void Open()
    {
        CHostTest::Open();
        combo = host.GetDlgItem(IDC_FONT_SIZE);
        edit = EditOf(combo);
        ASSERT_NE(nullptr, edit);
        host.Size.ErrorChangedListeners().AddListener(&events, &CSizeEvents::OnErrorChanged);
        host.Size.FocusLostListeners().AddListener(&events, &CSizeEvents::OnFocusLost);
    }
    int Selected() { return static_cast<int>(::SendMessageW(combo, CB_GETCURSEL, 0, 0)); }
    int IndexOf(const wchar_t* text)
    {
        return static_cast<int>(::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                               reinterpret_cast<LPARAM>(text)));
    }
    std::wstring Shown() { return gvt::CWindowW(combo).GetWindowTextW(); }
    int Changes() { return host.EventsOf(&host.Size); }

    HWND combo = nullptr;
    HWND edit = nullptr;
    CSizeEvents events;
};

TEST_F(ComboBoxInt, TheListHoldsTheSizesSevenToFortyEightAndStartsAtTheSetting)
{
    Open();
    std::vector<std::wstring> expected;
    for (int size = 7; size <= 48; ++size)
        expected.push_back(std::to_wstring(size));
    EXPECT_EQ(expected, Items(combo));
    EXPECT_EQ(L"22", Shown());
    EXPECT_EQ(IndexOf(L"22"), Selected());
    EXPECT_TRUE(host.Events.empty());
}

TEST_F(ComboBoxInt, ASizeOutsideTheListShowsAsEditText)
{
    host.Setting.Size = 60;
    Open();
    EXPECT_EQ(L"60", Shown());
    EXPECT_EQ(-1, Selected());
}

TEST_F(ComboBoxInt, EachTypedDigitWritesTheSizeWithOneEvent)
{
    Open();
    gvt::test::CMessageBoxWatcher boxes(IDOK);  // after the host's own activation
    Replace(edit, L"");
    EXPECT_EQ(-1, Selected());
    EXPECT_EQ(22, host.Setting.Size);  // the empty text converts to nothing
    EXPECT_EQ(0, Changes());

    Type(edit, L"1");
    EXPECT_EQ(1, host.Setting.Size);
    EXPECT_EQ(1, Changes());
    Type(edit, L"2");
    EXPECT_EQ(12, host.Setting.Size);
    EXPECT_EQ(2, Changes());
    EXPECT_EQ(12, host.Seen.back().Size);
    EXPECT_EQ("OnSize", host.Events.back().listener);

    // The fraction is dropped, so "12." and "12.5" are still 12.
    Type(edit, L".5");
    EXPECT_EQ(L"12.5", Shown());
    EXPECT_EQ(12, host.Setting.Size);
    EXPECT_EQ(2, Changes());
    EXPECT_FALSE(host.Size.LastError.HasError());
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(ComboBoxInt, AFractionIsCutOff)
{
    Open();
    Replace(edit, L"12.5");
    EXPECT_EQ(12, host.Setting.Size);
    Replace(edit, L"30.");
    EXPECT_EQ(30, host.Setting.Size);
    EXPECT_EQ(2, Changes());
}

TEST_F(ComboBoxInt, TextThatIsNoNumberChangesNothingAndIsOnlyKeptAsTheError)
{
    Open();
    gvt::test::CMessageBoxWatcher boxes(IDOK);  // after the host's own activation
    Replace(edit, L"12 ");
    EXPECT_EQ(22, host.Setting.Size);
    EXPECT_EQ(0, Changes());
    EXPECT_EQ(static_cast<UINT>(IDS_ERR_NUMBER_FORMAT), host.Size.LastError.MessageId);
    EXPECT_NE(std::wstring::npos, host.Size.LastError.Message.find(L"12 "));
    EXPECT_EQ(combo, host.Size.LastError.Control);
    ASSERT_EQ(1u, events.errors.size());
    EXPECT_EQ(host.Size.LastError.Message, events.errors[0]);
    EXPECT_EQ(&host.Size, events.senders[0]);

    // Still an error: nothing new is announced, the first one is kept.
    Replace(edit, L"abc");
    EXPECT_EQ(22, host.Setting.Size);
    EXPECT_EQ(1u, events.errors.size());
    EXPECT_NE(std::wstring::npos, host.Size.LastError.Message.find(L"12 "));

    // A size below the list is fine and leaves the list as it is.
    Replace(edit, L"6");
    EXPECT_EQ(6, host.Setting.Size);
    EXPECT_EQ(1, Changes());
    EXPECT_FALSE(host.Size.LastError.HasError());
    ASSERT_EQ(2u, events.errors.size());
    EXPECT_EQ(L"", events.errors[1]);
    EXPECT_EQ(42, static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0)));
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(ComboBoxInt, AValueOutOfTheConvertersRangeIsAnError)
{
    Open();
    host.Size.Min = 7;
    host.Size.Max = 48;
    Replace(edit, L"6");
    EXPECT_EQ(static_cast<UINT>(IDS_ERR_NUMBER_TOO_SMALL), host.Size.LastError.MessageId);
    EXPECT_EQ(22, host.Setting.Size);
    Replace(edit, L"49");
    EXPECT_EQ(22, host.Setting.Size);
    Replace(edit, L"48");
    EXPECT_EQ(48, host.Setting.Size);
    EXPECT_FALSE(host.Size.LastError.HasError());
}

TEST_F(ComboBoxInt, ChoosingAnItemAppliesAtOnceAndTheCurrentSizeFiresNothing)
{
    Open();
    ::SendMessageW(combo, CB_SETCURSEL, IndexOf(L"22"), 0);
    Notify(host, combo, CBN_SELCHANGE);
    Pump();
    EXPECT_EQ(0, Changes());

    ::SendMessageW(combo, CB_SETCURSEL, IndexOf(L"30"), 0);
    Notify(host, combo, CBN_SELCHANGE);
    EXPECT_EQ(30, host.Setting.Size);  // no posted message needed
    EXPECT_EQ(1, Changes());

    // Escape in the open list keeps the highlighted entry.
    ::SendMessageW(combo, CB_SETCURSEL, IndexOf(L"9"), 0);
    Notify(host, combo, CBN_SELENDCANCEL);
    EXPECT_EQ(9, host.Setting.Size);
    EXPECT_EQ(2, Changes());
}

TEST_F(ComboBoxInt, TypingTheShownSizeAgainChangesNothing)
{
    Open();
    Replace(edit, L"22");
    EXPECT_EQ(0, Changes());
    EXPECT_TRUE(events.errors.empty());

    // Back at the shown size after an error: nothing is converted, so the
    // error stays as it was.
    Replace(edit, L"x");
    ASSERT_EQ(1u, events.errors.size());
    Replace(edit, L"22");
    EXPECT_EQ(1u, events.errors.size());
    EXPECT_TRUE(host.Size.LastError.HasError());
    EXPECT_EQ(0, Changes());
}

TEST_F(ComboBoxInt, LosingTheFocusIsAnnounced)
{
    Open();
    Notify(host, combo, CBN_KILLFOCUS);
    EXPECT_EQ(1, events.focusLost);
    EXPECT_EQ(0, Changes());
}

TEST_F(ComboBoxInt, TheEditFieldBehavesAsAPlainEdit)
{
    Open();
    EXPECT_EQ(edit, host.Size.Edit().m_hWnd);
    EXPECT_EQ(0u, host.Size.Edit().KeyDownListeners().Count());
    Replace(edit, L"");
    ::SendMessageW(edit, WM_CHAR, L'3', 1);
    ::SendMessageW(edit, WM_KEYDOWN, VK_HOME, 1);
    ::SendMessageW(edit, WM_CHAR, L'1', 1);
    Pump();
    EXPECT_EQ(L"13", Shown());
    EXPECT_EQ(13, host.Setting.Size);
}

}  // namespace
