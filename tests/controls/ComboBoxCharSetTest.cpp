// The character-set combo on the real dialog: its order, its start
// selection and the single change event.
#include "ControlsTestHost.h"

#include "framework/UniqueHandle.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>

namespace {

using gvt::CCharSet;
using gvt::CCharSetChoices;
using gvt::test::Items;
using gvt::test::Notify;

std::vector<std::wstring> Names(const CCharSetChoices& choices)
{
    std::vector<std::wstring> names;
    for (const auto& choice : choices)
        names.push_back(choice->Name);
    return names;
}

using CPairs = std::map<std::pair<int, int>, std::wstring>;

int CALLBACK CollectPair(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM context)
{
    const auto* extended = reinterpret_cast<const ENUMLOGFONTEXW*>(font);
    reinterpret_cast<CPairs*>(context)->emplace(
        std::make_pair(int(font->lfCharSet), font->lfFaceName[0] == L'@' ? 1 : 0), extended->elfScript);
    return TRUE;
}

// The platform's own account of the installed (character set, vertical)
// pairs, with the script name first enumerated for each.
CPairs EnumeratedPairs()
{
    CPairs pairs;
    gvt::CClientDC screen(nullptr);
    LOGFONTW request = {};
    request.lfCharSet = DEFAULT_CHARSET;
    ::EnumFontFamiliesExW(screen.get(), &request, CollectPair, reinterpret_cast<LPARAM>(&pairs), 0);
    return pairs;
}

class ComboBoxCharSet : public gvt::test::CHostTest {
protected:
    HWND Combo() { return host.GetDlgItem(IDC_CHARSET); }
    int Selected() { return static_cast<int>(::SendMessageW(Combo(), CB_GETCURSEL, 0, 0)); }
    int IndexOf(int charSet, int tategaki)
    {
        const CCharSetChoices& choices = host.CharSet.Choices();
        for (size_t i = 0; i < choices.size(); ++i) {
            if (choices[i]->CharSet == charSet && choices[i]->Tategaki == tategaki)
                return static_cast<int>(i);
        }
        return -1;
    }
    // The highest character set that has a vertical-writing twin, or -1.
    int CharSetWithTwin()
    {
        int found = -1;
        for (const auto& choice : host.CharSet.Choices()) {
            if (choice->Tategaki == 1 && IndexOf(choice->CharSet, 0) >= 0)
                found = choice->CharSet;
        }
        return found;
    }
    void Choose(int index, WORD code)
    {
        ::SendMessageW(Combo(), CB_SETCURSEL, index, 0);
        Notify(host, Combo(), code);
    }
};

TEST_F(ComboBoxCharSet, OneItemPerInstalledPairInNumberOrder)
{
    Open();
    const CCharSetChoices& choices = host.CharSet.Choices();
    ASSERT_FALSE(choices.empty());
    EXPECT_EQ(Names(choices), Items(Combo()));

    CPairs shown;
    for (size_t i = 0; i < choices.size(); ++i) {
        const CCharSet& choice = *choices[i];
        if (i > 0) {
            const CCharSet& before = *choices[i - 1];
            EXPECT_TRUE(before.CharSet < choice.CharSet ||
                        (before.CharSet == choice.CharSet && before.Tategaki < choice.Tategaki))
                << "item " << i;
        }
        std::wstring script = choice.Name;
        if (choice.Tategaki) {
            ASSERT_FALSE(script.empty());
            EXPECT_EQ(L'@', script.back());
            script.pop_back();
        }
        shown.emplace(std::make_pair(choice.CharSet, choice.Tategaki), script);
    }
    EXPECT_EQ(EnumeratedPairs(), shown);
}

TEST_F(ComboBoxCharSet, StartSelectsTheSettingsPairWithoutFiring)
{
    host.Setting.CharSet = ANSI_CHARSET;
    Open();
    ASSERT_GE(IndexOf(ANSI_CHARSET, 0), 0);
    EXPECT_EQ(IndexOf(ANSI_CHARSET, 0), Selected());
    EXPECT_TRUE(host.Events.empty());
}

TEST_F(ComboBoxCharSet, APairWithoutAChoiceShowsNoSelection)
{
    host.Setting.CharSet = DEFAULT_CHARSET;  // a request value, never a font's
    Open();
    EXPECT_EQ(-1, Selected());
    Choose(-1, CBN_SELCHANGE);
    EXPECT_EQ(DEFAULT_CHARSET, host.Setting.CharSet);
    EXPECT_TRUE(host.Events.empty());
}

TEST_F(ComboBoxCharSet, TheVerticalTwinChangesOnlyTategakiWithOneEvent)
{
    Open();
    const int charSet = CharSetWithTwin();
    ASSERT_GE(charSet, 0) << "no font with vertical-writing faces is installed";
    host.Setting.CharSet = charSet;
    host.CharSet.SelectFromSetting();

    Choose(IndexOf(charSet, 1), CBN_SELCHANGE);  // applied at once
    EXPECT_EQ(charSet, host.Setting.CharSet);
    EXPECT_EQ(1, host.Setting.Tategaki);
    ASSERT_EQ(1, host.EventsOf(&host.CharSet));
    EXPECT_EQ("OnCharSetOrType", host.Events[0].listener);

    // Escape in the open list: the highlighted twin is applied.
    Choose(IndexOf(charSet, 0), CBN_SELENDCANCEL);
    EXPECT_EQ(0, host.Setting.Tategaki);
    EXPECT_EQ(2, host.EventsOf(&host.CharSet));

    Choose(IndexOf(charSet, 0), CBN_SELCHANGE);
    EXPECT_EQ(2, host.EventsOf(&host.CharSet));
}

TEST_F(ComboBoxCharSet, ChangingBothMembersIsStillOneEvent)
{
    Open();
    const int charSet = CharSetWithTwin();
    ASSERT_GT(charSet, 0) << "no font with vertical-writing faces outside character set 0";
    ASSERT_EQ(0, host.Setting.CharSet);
    Choose(IndexOf(charSet, 1), CBN_SELCHANGE);
    EXPECT_EQ(charSet, host.Setting.CharSet);
    EXPECT_EQ(1, host.Setting.Tategaki);
    EXPECT_EQ(1, host.EventsOf(&host.CharSet));
    EXPECT_EQ(charSet, host.Seen[0].CharSet);
    EXPECT_EQ(1, host.Seen[0].Tategaki);
}

}  // namespace
