// The type, weight and italic combos on the real main dialog: their items,
// the selection shown at start, and the deferred apply of a chosen entry.
#include "ControlsTestHost.h"
#include "support/TestLanguage.h"

#include <gtest/gtest.h>

namespace {

using gvt::test::Items;
using gvt::test::Notify;
using gvt::test::Pick;
using gvt::test::Pump;

class ComboBoxEnum : public gvt::test::CHostTest {
protected:
    HWND Combo(int id) { return host.GetDlgItem(id); }
    void Choose(int id, int index, WORD code)
    {
        ::SendMessageW(Combo(id), CB_SETCURSEL, index, 0);
        Notify(host, Combo(id), code);
    }
    int Selected(int id) { return static_cast<int>(::SendMessageW(Combo(id), CB_GETCURSEL, 0, 0)); }
};

TEST_F(ComboBoxEnum, ItemsAreTheTableTextsInTableOrder)
{
    Open();
    EXPECT_EQ(Items(Combo(IDC_TYPE)),
              (std::vector<std::wstring>{Pick(L"全て", L"Both"), Pick(L"ラスター", L"Raster"),
                                         Pick(L"ベクター", L"Vector")}));
    EXPECT_EQ(Items(Combo(IDC_WEIGHT)),
              (std::vector<std::wstring>{Pick(L"全て", L"All"), Pick(L"標準", L"Normal"), Pick(L"細字", L"Lighter"),
                                         Pick(L"太字", L"Bolder")}));
    EXPECT_EQ(Items(Combo(IDC_ITALIC)),
              (std::vector<std::wstring>{Pick(L"全て", L"Both"), Pick(L"標準", L"No italic"),
                                         Pick(L"斜体", L"Only italic")}));
}

TEST_F(ComboBoxEnum, StartShowsTheSettingsWithoutFiring)
{
    host.Setting.Type = FontType3::VECTOR;
    host.Setting.Weight = FontWeight4::BOLDER;
    host.Setting.Italic = static_cast<FontItalic3>(7);
    Open();
    EXPECT_EQ(2, Selected(IDC_TYPE));
    EXPECT_EQ(3, Selected(IDC_WEIGHT));
    EXPECT_EQ(-1, Selected(IDC_ITALIC));  // a value without an item shows no selection
    EXPECT_TRUE(host.Events.empty());
}

TEST_F(ComboBoxEnum, ChoosingAnEntryAppliesItAfterTheControlHasUpdated)
{
    Open();
    Choose(IDC_WEIGHT, 3, CBN_SELCHANGE);
    EXPECT_EQ(FontWeight4::UNDEF, host.Setting.Weight);  // posted, not yet applied
    EXPECT_TRUE(host.Events.empty());
    Pump();
    EXPECT_EQ(FontWeight4::BOLDER, host.Setting.Weight);
    ASSERT_EQ(1u, host.Events.size());
    EXPECT_EQ(&host.Weight, host.Events[0].sender);
    EXPECT_EQ("OnWeightOrItalic", host.Events[0].listener);
    EXPECT_EQ(FontWeight4::BOLDER, host.Seen[0].Weight);  // written before the listener runs

    // The drop-down closing confirms the same entry: nothing more changes.
    Notify(host, Combo(IDC_WEIGHT), CBN_SELENDOK);
    Pump();
    EXPECT_EQ(1u, host.Events.size());

    Choose(IDC_TYPE, 1, CBN_SELENDOK);
    Pump();
    EXPECT_EQ(FontType3::RASTER, host.Setting.Type);
    Choose(IDC_ITALIC, 2, CBN_SELCHANGE);
    Pump();
    EXPECT_EQ(FontItalic3::ON, host.Setting.Italic);
    ASSERT_EQ(3u, host.Events.size());
    EXPECT_EQ(&host.Type, host.Events[1].sender);
    EXPECT_EQ("OnCharSetOrType", host.Events[1].listener);
    EXPECT_EQ(&host.Italic, host.Events[2].sender);
    EXPECT_EQ("OnWeightOrItalic", host.Events[2].listener);
    // Nothing else was touched.
    EXPECT_EQ(FontWeight4::BOLDER, host.Setting.Weight);
    EXPECT_EQ(22, host.Setting.Size);
}

TEST_F(ComboBoxEnum, TheAlreadySelectedEntryChangesNothing)
{
    host.Setting.Italic = FontItalic3::OFF;
    Open();
    Choose(IDC_ITALIC, 1, CBN_SELCHANGE);
    Notify(host, Combo(IDC_ITALIC), CBN_SELENDOK);
    Pump();
    EXPECT_EQ(FontItalic3::OFF, host.Setting.Italic);
    EXPECT_TRUE(host.Events.empty());
}

TEST_F(ComboBoxEnum, EscapeInTheOpenListStillAppliesTheHighlightedEntry)
{
    Open();
    ::SendMessageW(Combo(IDC_WEIGHT), CB_SHOWDROPDOWN, TRUE, 0);
    Choose(IDC_WEIGHT, 2, CBN_SELENDCANCEL);
    ::SendMessageW(Combo(IDC_WEIGHT), CB_SHOWDROPDOWN, FALSE, 0);
    Pump();
    EXPECT_EQ(FontWeight4::LIGHTER, host.Setting.Weight);
    EXPECT_EQ(1, host.EventsOf(&host.Weight));
}

TEST_F(ComboBoxEnum, SeveralPostedAppliesApplyTheCurrentSelectionOnce)
{
    Open();
    Choose(IDC_TYPE, 1, CBN_SELCHANGE);
    Choose(IDC_TYPE, 2, CBN_SELCHANGE);
    Pump();
    EXPECT_EQ(FontType3::VECTOR, host.Setting.Type);
    EXPECT_EQ(1, host.EventsOf(&host.Type));
}

TEST_F(ComboBoxEnum, NoSelectionAppliesNothing)
{
    host.Setting.Weight = FontWeight4::NORMAL;
    Open();
    Choose(IDC_WEIGHT, -1, CBN_SELCHANGE);
    Pump();
    EXPECT_EQ(FontWeight4::NORMAL, host.Setting.Weight);
    EXPECT_TRUE(host.Events.empty());
}

TEST_F(ComboBoxEnum, TheArrowKeyOfTheClosedListAppliesThroughThePlatformsNotification)
{
    Open();
    ::SetFocus(Combo(IDC_ITALIC));
    ::SendMessageW(Combo(IDC_ITALIC), WM_KEYDOWN, VK_DOWN, 1);
    Pump();
    EXPECT_EQ(1, Selected(IDC_ITALIC));
    EXPECT_EQ(FontItalic3::OFF, host.Setting.Italic);
    EXPECT_EQ(1, host.EventsOf(&host.Italic));
}

}  // namespace
