#include "base/CaptureErrors.h"
#include "base/SystemErrorText.h"
#include "resources/resource.h"
#include "support/TestLanguage.h"

#include <boost/regex.hpp>
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

using gvt::test::Pick;

namespace {

HWND const kControl = reinterpret_cast<HWND>(0x1234);

class CLongWhat : public std::exception {
public:
    const char* what() const noexcept override { return m_text.c_str(); }
    std::string m_text = std::string(300, 'w') + "\xE9";
};

}  // namespace

TEST(CaptureErrors, NothingThrownLeavesAnEmptyRecord)
{
    CSimpleErr err;
    err.MessageId = 7;
    err.Message = L"old";
    bool ran = false;
    CaptureErrors([&] { ran = true; }, err);
    EXPECT_TRUE(ran);
    EXPECT_FALSE(err.HasError());
    EXPECT_EQ(err.Code, 0);
    EXPECT_TRUE(err.Message.empty());
}

TEST(CaptureErrors, ControlVariantKeepsTheControlOfAnInputError)
{
    my::CCtrlException err;
    CaptureErrors([] { throw my::CCtrlException(my::CException(IDS_ERR_NUMBER_FORMAT, L"x"), kControl); }, err);
    EXPECT_EQ(err.MessageId, static_cast<UINT>(IDS_ERR_NUMBER_FORMAT));
    EXPECT_EQ(err.Control, kControl);

    // A plain CException clears the control again.
    CaptureErrors([] { throw my::CException(IDS_ERR_NUMBER_TOO_LARGE, L"9"); }, err);
    EXPECT_EQ(err.MessageId, static_cast<UINT>(IDS_ERR_NUMBER_TOO_LARGE));
    EXPECT_EQ(err.Control, nullptr);
    EXPECT_EQ(err.Message, Pick(L"値が大きすぎます: 9", L"The number is too large: 9"));

    CSimpleErr plain;
    CaptureErrors([] { throw my::CCtrlException(my::CException(IDS_ERR_NUMBER_FORMAT, L"y"), kControl); }, plain);
    EXPECT_EQ(plain.MessageId, static_cast<UINT>(IDS_ERR_NUMBER_FORMAT));
}

TEST(CaptureErrors, RegexErrorsMapToTheirMessages)
{
    CSimpleErr err;
    CaptureErrors([] { boost::wregex unbalanced(L"(abc"); }, err);
    EXPECT_EQ(err.MessageId, static_cast<UINT>(IDS_ERR_REGEX_PAREN));
    EXPECT_EQ(err.Code, 0);
    EXPECT_EQ(err.Message, Pick(L"() の対応がとれていません", L"Mismatched '(' and ')'"));

    CaptureErrors([] { boost::wregex bad(L"a**+"); }, err);
    EXPECT_EQ(err.MessageId, static_cast<UINT>(IDS_ERR_REGEX_BADREPEAT));

    // A code outside the table: the generic message with the library's text.
    CaptureErrors([] { throw boost::regex_error("odd", boost::regex_constants::error_unknown, 0); }, err);
    EXPECT_EQ(err.MessageId, static_cast<UINT>(IDS_ERR_REGEX));
    EXPECT_EQ(err.Message, Pick(L"正規表現エラー: odd", L"Regular expression error: odd"));
}

TEST(CaptureErrors, RegexTableCoversTheKnownCodes)
{
    EXPECT_EQ(RegexErrorMessageId(2), static_cast<UINT>(IDS_ERR_REGEX_BAD_PATTERN));
    EXPECT_EQ(RegexErrorMessageId(3), static_cast<UINT>(IDS_ERR_REGEX_COLLATE));
    EXPECT_EQ(RegexErrorMessageId(13), static_cast<UINT>(IDS_ERR_REGEX_BADREPEAT));
    EXPECT_EQ(RegexErrorMessageId(18), static_cast<UINT>(IDS_ERR_REGEX_COMPLEXITY));
    EXPECT_EQ(RegexErrorMessageId(19), static_cast<UINT>(IDS_ERR_REGEX_STACK));
    for (int code : {0, 1, 14, 15, 16, 17, 20, 21})
        EXPECT_EQ(RegexErrorMessageId(code), 0U) << code;
}

TEST(CaptureErrors, StandardExceptionsCarryTheirWidenedText)
{
    CSimpleErr err;
    CaptureErrors([] { throw std::bad_alloc(); }, err);
    EXPECT_EQ(err.MessageId, static_cast<UINT>(IDS_ERR_STD_EXCEPTION));
    EXPECT_EQ(err.Message, Pick(L"標準エラーが発生しました: ", L"std exception is occurred: ") + WidenWhat(std::bad_alloc().what()));

    CaptureErrors([] { throw CLongWhat(); }, err);
    const std::wstring prefix = Pick(L"標準エラーが発生しました: ", L"std exception is occurred: ");
    ASSERT_EQ(err.Message.size(), prefix.size() + 255);
    EXPECT_EQ(err.Message.back(), L'w');
}

TEST(CaptureErrors, ComAndUnknownExceptions)
{
    CSimpleErr err;
    const HRESULT hr = static_cast<HRESULT>(0x80070005);
    CaptureErrors([&] { throw my::CComException(hr); }, err);
    EXPECT_EQ(err.MessageId, static_cast<UINT>(IDS_ERR_ATL_EXCEPTION));
    EXPECT_EQ(err.Code, hr);
    EXPECT_EQ(err.Message, Pick(L"ATLの例外が発生しました: ", L"ATL exception is occurred: ") + SystemErrorText(hr));

    CaptureErrors([] { throw 42; }, err);
    EXPECT_EQ(err.MessageId, static_cast<UINT>(IDS_ERR_UNKNOWN_EXCEPTION));
    EXPECT_EQ(err.Code, 0);
    EXPECT_EQ(err.Message, Pick(L"不明な例外が発生しました", L"Unknown exception is occurred"));
}

TEST(WidenWhat, MapsEveryByteToOneUnit)
{
    EXPECT_EQ(WidenWhat("abc\xE9\xFF"), std::wstring(L"abc\u00E9\u00FF"));
    EXPECT_EQ(WidenWhat(""), L"");
    EXPECT_EQ(WidenWhat(nullptr), L"");
    EXPECT_EQ(WidenWhat(std::string(255, 'q').c_str()).size(), 255U);
    EXPECT_EQ(WidenWhat(std::string(256, 'q').c_str()).size(), 255U);
}
