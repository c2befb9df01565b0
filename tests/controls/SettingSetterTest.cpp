// The setting binding: reads through its getter, writes through its setter
// only when the value changes, and the member accessors it is built from.
#include "controls/SettingSetter.h"
#include "settings/FontListDlgSetting.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using gvt::CSettingMember;
using gvt::CSettingSetter;

struct CRecord {
    int Value = 5;
};

int g_writes = 0;
int ReadValue(const CRecord& record) { return record.Value; }
void WriteValue(CRecord& record, int value)
{
    ++g_writes;
    record.Value = value;
}

TEST(SettingSetter, WritesOnlyAChange)
{
    g_writes = 0;
    CRecord first;
    CRecord second;
    CSettingSetter<CRecord, int> binding(&second, ReadValue, WriteValue);
    EXPECT_TRUE(binding.IsBound());
    EXPECT_EQ(5, binding.Get());
    EXPECT_FALSE(binding.Set(5));
    EXPECT_EQ(0, g_writes);
    EXPECT_TRUE(binding.Set(7));
    EXPECT_EQ(1, g_writes);
    EXPECT_EQ(7, second.Value);
    EXPECT_EQ(5, first.Value);

    binding.Bind(&first, ReadValue, WriteValue);
    EXPECT_EQ(&first, binding.Setting());
    EXPECT_EQ(5, binding.Get());
    EXPECT_FALSE((CSettingSetter<CRecord, int>().IsBound()));
}

TEST(SettingSetter, NumbersAndEnumerationsAreSeenAsInt)
{
    CFontListDlgSetting setting;
    CSettingSetter<CFontListDlgSetting, int> size(&setting, &CSettingMember<&CFontListDlgSetting::Size>::Get,
                                                 &CSettingMember<&CFontListDlgSetting::Size>::Set);
    EXPECT_FALSE(size.Set(22));
    EXPECT_TRUE(size.Set(9));
    EXPECT_EQ(9, setting.Size);

    CSettingSetter<CFontListDlgSetting, int> weight(&setting, &CSettingMember<&CFontListDlgSetting::Weight>::Get,
                                                   &CSettingMember<&CFontListDlgSetting::Weight>::Set);
    EXPECT_EQ(0, weight.Get());
    EXPECT_TRUE(weight.Set(3));
    EXPECT_EQ(FontWeight4::BOLDER, setting.Weight);
    EXPECT_EQ(3, weight.Get());
    EXPECT_FALSE(weight.Set(3));
}

TEST(SettingSetter, TextsCompareExactly)
{
    CFontListDlgSetting setting;
    using Text = CSettingMember<&CFontListDlgSetting::SampleText>;
    CSettingSetter<CFontListDlgSetting, const std::wstring&> text(&setting, &Text::Get, &Text::Set);
    EXPECT_FALSE(text.Set(L""));
    EXPECT_TRUE(text.Set(L"abc"));
    EXPECT_EQ(L"abc", setting.SampleText);
    EXPECT_EQ(&setting.SampleText, &text.Get());  // a reference to the member itself
    EXPECT_FALSE(text.Set(L"abc"));
    EXPECT_TRUE(text.Set(L"ABC"));
    EXPECT_TRUE(text.Set(L"ABC "));
    EXPECT_EQ(L"ABC ", setting.SampleText);

    Text::Set(setting, setting.SampleText);  // assigning the member to itself
    EXPECT_EQ(L"ABC ", setting.SampleText);
}

}  // namespace
