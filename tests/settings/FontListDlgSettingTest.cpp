#include "settings/AppSetting.h"
#include "settings/FontListDlgSetting.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// A record whose every member differs from the defaults.
CFontListDlgSetting Changed()
{
    CFontListDlgSetting setting;
    setting.CharSet = SHIFTJIS_CHARSET;
    setting.Tategaki = 1;
    setting.Type = FontType3::VECTOR;
    setting.Size = 40;
    setting.Weight = FontWeight4::BOLDER;
    setting.Italic = FontItalic3::ON;
    setting.GlyphFilter = true;
    setting.SampleText = L"Sample";
    setting.SampleTexts.MaxSize = 3;
    setting.SampleTexts.SaveContents = false;
    setting.SampleTexts.Add(L"older");
    setting.SampleTexts.Add(L"newer");
    setting.WindowLayout.Maximized = true;
    setting.WindowLayout.Rect = RECT{10, 20, 300, 400};
    return setting;
}

void ExpectSameMembers(const CFontListDlgSetting& a, const CFontListDlgSetting& b)
{
    EXPECT_EQ(a.CharSet, b.CharSet);
    EXPECT_EQ(a.Tategaki, b.Tategaki);
    EXPECT_EQ(a.Type, b.Type);
    EXPECT_EQ(a.Size, b.Size);
    EXPECT_EQ(a.Weight, b.Weight);
    EXPECT_EQ(a.Italic, b.Italic);
    EXPECT_EQ(a.GlyphFilter, b.GlyphFilter);
    EXPECT_EQ(a.SampleText, b.SampleText);
    EXPECT_EQ(a.SampleTexts.MaxSize, b.SampleTexts.MaxSize);
    EXPECT_EQ(a.SampleTexts.SaveContents, b.SampleTexts.SaveContents);
    ASSERT_EQ(a.SampleTexts.Count(), b.SampleTexts.Count());
    for (std::size_t i = 0; i < a.SampleTexts.Count(); ++i)
        EXPECT_EQ(a.SampleTexts.At(i), b.SampleTexts.At(i)) << "entry " << i << " is the same shared string";
    EXPECT_EQ(a.WindowLayout.Maximized, b.WindowLayout.Maximized);
    EXPECT_TRUE(std::memcmp(&a.WindowLayout.Rect, &b.WindowLayout.Rect, sizeof(RECT)) == 0);
}

}  // namespace

TEST(FontListDlgSetting, Defaults)
{
    const CFontListDlgSetting setting;
    EXPECT_EQ(setting.CharSet, 0);
    EXPECT_EQ(setting.Tategaki, 0);
    EXPECT_EQ(setting.Type, FontType3::UNDEF);
    EXPECT_EQ(setting.Size, 22);
    EXPECT_EQ(setting.Weight, FontWeight4::UNDEF);
    EXPECT_EQ(setting.Italic, FontItalic3::UNDEF);
    EXPECT_FALSE(setting.GlyphFilter);
    EXPECT_TRUE(setting.SampleText.empty());
    EXPECT_EQ(setting.SampleTexts.Count(), 0u);
    EXPECT_EQ(setting.SampleTexts.MaxSize, 20u);
    EXPECT_TRUE(setting.SampleTexts.SaveContents);
    EXPECT_FALSE(setting.WindowLayout.Maximized);
    EXPECT_EQ(setting.WindowLayout.Rect.left, 0);
    EXPECT_EQ(setting.WindowLayout.Rect.top, 0);
    EXPECT_EQ(setting.WindowLayout.Rect.right, 0);
    EXPECT_EQ(setting.WindowLayout.Rect.bottom, 0);
}

TEST(FontListDlgSetting, AppSettingDefaults)
{
    const CAppSetting app;
    EXPECT_FALSE(app.TopMost);
    EXPECT_EQ(app.FontListDlg.Size, 22);
    EXPECT_EQ(app.FontListDlg.SampleTexts.MaxSize, 20u);
    const LOGFONTW zero{};
    EXPECT_EQ(std::memcmp(&app.LogFont, &zero, sizeof zero), 0);
    EXPECT_EQ(std::memcmp(&app.TopLogFont, &zero, sizeof zero), 0);
}

TEST(FontListDlgSetting, AssignmentCopiesEveryMemberAndSharesTheEntries)
{
    const CFontListDlgSetting source = Changed();
    CFontListDlgSetting target;
    target = source;
    ExpectSameMembers(target, source);
    EXPECT_EQ(target.SampleTexts.At(0)->Text(), L"newer");
    EXPECT_EQ(target.SampleTexts.At(1)->Text(), L"older");

    const CFontListDlgSetting copied(source);
    ExpectSameMembers(copied, source);
}

TEST(FontListDlgSetting, TargetWithMoreEntriesEndsWithTheSourcesOnly)
{
    CFontListDlgSetting target;
    for (const wchar_t* text : {L"a", L"b", L"c", L"d", L"e"})
        target.SampleTexts.Add(text);
    CFontListDlgSetting source;
    source.SampleTexts.Add(L"x");
    source.SampleTexts.Add(L"c");
    target = source;
    ASSERT_EQ(target.SampleTexts.Count(), 2u);
    EXPECT_EQ(target.SampleTexts.At(0), source.SampleTexts.At(0));
    EXPECT_EQ(target.SampleTexts.At(1), source.SampleTexts.At(1));

    target = CFontListDlgSetting();
    EXPECT_EQ(target.SampleTexts.Count(), 0u) << "an empty list empties the target";
}

TEST(FontListDlgSetting, CopyKeepsNoLinkToTheSource)
{
    CFontListDlgSetting source = Changed();
    CFontListDlgSetting target;
    target = source;
    source.SampleTexts.Add(L"later");
    source.SampleText = L"changed";
    EXPECT_EQ(target.SampleTexts.Count(), 2u);
    EXPECT_EQ(target.SampleText, L"Sample");
}

TEST(FontListDlgSetting, SelfAssignmentIsHarmless)
{
    CFontListDlgSetting setting = Changed();
    const CFontListDlgSetting before = setting;
    CFontListDlgSetting& alias = setting;
    setting = alias;
    ExpectSameMembers(setting, before);
}

TEST(FontListDlgSetting, MaxSizeZeroKeepsNoEntries)
{
    CFontListDlgSetting setting;
    setting.SampleTexts.MaxSize = 0;
    setting.SampleTexts.Add(L"text");
    EXPECT_EQ(setting.SampleTexts.Count(), 0u);

    CFontListDlgSetting copy;
    copy = setting;
    EXPECT_EQ(copy.SampleTexts.MaxSize, 0u);
    copy.SampleTexts.Add(L"other");
    EXPECT_EQ(copy.SampleTexts.Count(), 0u);
}
