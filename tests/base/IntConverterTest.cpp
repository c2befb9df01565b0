#include "base/Exception.h"
#include "base/IntConverter.h"
#include "resources/resource.h"
#include "support/TestLanguage.h"

#include <gtest/gtest.h>

using gvt::test::Pick;

namespace {

UINT ErrorOf(const CIntTextConverter& c, const std::wstring& text)
{
    try {
        c.FromText(text);
    } catch (const my::CException& e) {
        return e.MessageId;
    }
    return 0;
}

}  // namespace

TEST(IntConverter, AcceptsTheNumberSyntax)
{
    const CIntTextConverter c;
    EXPECT_EQ(c.FromText(L"22"), 22);
    EXPECT_EQ(c.FromText(L"+22"), 22);
    EXPECT_EQ(c.FromText(L"-3"), -3);
    EXPECT_EQ(c.FromText(L"007"), 7);
    EXPECT_EQ(c.FromText(L"12."), 12);
    EXPECT_EQ(c.FromText(L"12.75"), 12);
    EXPECT_EQ(c.FromText(L"-12.9"), -12);
    EXPECT_EQ(c.FromText(L"-0.5"), 0);
}

TEST(IntConverter, RejectsEverythingElseWithTheText)
{
    const CIntTextConverter c;
    for (const wchar_t* text : {L".5", L"1e3", L"1,000", L" 12", L"12 ", L"\uFF11\uFF12", L"+-1", L"", L"0x10",
                                L"22px", L"1..2", L"--1"})
        EXPECT_EQ(ErrorOf(c, text), static_cast<UINT>(IDS_ERR_NUMBER_FORMAT)) << text;
    try {
        c.FromText(L"abc");
        FAIL();
    } catch (const my::CException& e) {
        EXPECT_EQ(e.Message, Pick(L"数値の書式が不正です: abc", L"Number format is invalid: abc"));
    }
}

TEST(IntConverter, SaturatesAtTheLimits)
{
    const CIntTextConverter c;
    EXPECT_EQ(c.FromText(L"99999999999"), 2147483647);
    EXPECT_EQ(c.FromText(L"-99999999999"), -2147483647 - 1);
    EXPECT_EQ(c.FromText(L"2147483647"), 2147483647);
    EXPECT_EQ(c.FromText(L"-2147483648"), -2147483647 - 1);
    EXPECT_EQ(c.FromText(L"2147483648"), 2147483647);
    EXPECT_EQ(c.FromText(L"000000000000000000000000000000000001"), 1);
}

TEST(IntConverter, RangeIsCheckedMinFirst)
{
    CIntTextConverter c;
    c.Min = 1;
    c.Max = 100;
    EXPECT_EQ(ErrorOf(c, L"0"), static_cast<UINT>(IDS_ERR_NUMBER_TOO_SMALL));
    EXPECT_EQ(ErrorOf(c, L"101"), static_cast<UINT>(IDS_ERR_NUMBER_TOO_LARGE));
    EXPECT_EQ(c.FromText(L"1"), 1);
    EXPECT_EQ(c.FromText(L"100"), 100);
    c.Min = 10;
    c.Max = 5;
    EXPECT_EQ(ErrorOf(c, L"7"), static_cast<UINT>(IDS_ERR_NUMBER_TOO_SMALL));
    try {
        c.FromText(L"2");
        FAIL();
    } catch (const my::CException& e) {
        EXPECT_EQ(e.Message, Pick(L"値が小さすぎます: 2", L"The number is too small: 2"));
    }
}

TEST(IntConverter, LineAnchorsMatchInsideMultiLineText)
{
    const CIntTextConverter c;
    EXPECT_EQ(c.FromText(L"abc\n22"), 22);
    EXPECT_EQ(c.FromText(L"7\nabc"), 7);
    EXPECT_EQ(c.FromText(L"x 1\n-4.5\n9"), -4);
    EXPECT_EQ(ErrorOf(c, L"a\nb"), static_cast<UINT>(IDS_ERR_NUMBER_FORMAT));
}

TEST(IntConverter, ToTextIsPlainDecimal)
{
    const CIntTextConverter c;
    EXPECT_EQ(c.ToText(48), L"48");
    EXPECT_EQ(c.ToText(-1), L"-1");
    EXPECT_EQ(c.ToText(0), L"0");
    EXPECT_EQ(c.ToText(-2147483647 - 1), L"-2147483648");
    for (int v : {7, -12, 123456})
        EXPECT_EQ(c.FromText(c.ToText(v)), v);
}

TEST(IntConverter, UnsignedRuleRefusesMinus)
{
    int v = 0;
    EXPECT_TRUE(ParseUnsignedNumber(L"+20", v));
    EXPECT_EQ(v, 20);
    EXPECT_FALSE(ParseUnsignedNumber(L"-1", v));
    EXPECT_TRUE(ParseUnsignedNumber(L"4294967296", v));
    EXPECT_EQ(v, 2147483647);
}
