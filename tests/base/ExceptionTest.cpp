#include "base/Exception.h"
#include "base/SystemErrorText.h"
#include "resources/resource.h"
#include "support/TestLanguage.h"

#include <gtest/gtest.h>

using gvt::test::Pick;

namespace {

std::wstring RawSystemText(DWORD number)
{
    wchar_t* buffer = nullptr;
    const DWORD n = ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER, nullptr, number,
                                     0x0400, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = n ? std::wstring(buffer, n) : std::wstring();
    ::LocalFree(buffer);
    return text;
}

}  // namespace

TEST(HResultFromWin32, MapsPositiveCodesOnly)
{
    EXPECT_EQ(HResultFromWin32(5), static_cast<HRESULT>(0x80070005));
    EXPECT_EQ(HResultFromWin32(0x12345), static_cast<HRESULT>(0x80072345));
    EXPECT_EQ(HResultFromWin32(0), 0);
    EXPECT_EQ(HResultFromWin32(-7), -7);
    EXPECT_EQ(HResultFromWin32(static_cast<long>(0x80004005)), static_cast<HRESULT>(0x80004005));
}

TEST(SystemErrorText, TrimsTheSystemText)
{
    const std::wstring raw = RawSystemText(ERROR_ACCESS_DENIED);
    ASSERT_FALSE(raw.empty());
    ASSERT_TRUE(iswspace(raw.back())) << "the system text ends in a line break";
    const std::wstring text = SystemErrorText(static_cast<HRESULT>(0x80070005));
    EXPECT_FALSE(text.empty());
    EXPECT_FALSE(iswspace(text.back()));
    EXPECT_FALSE(iswspace(text.front()));
    EXPECT_NE(raw.find(text), std::wstring::npos);
}

TEST(SystemErrorText, UnknownCodesAreNamedInHex)
{
    EXPECT_EQ(SystemErrorText(static_cast<HRESULT>(0x80041234)), L"Unknown HRESULT: 80041234");
    // Facility 8: only the low 16 bits are looked up and printed.
    EXPECT_EQ(SystemErrorText(static_cast<HRESULT>(0x8008F00D)), L"Unknown HRESULT: f00d");
    EXPECT_EQ(SystemErrorText(static_cast<HRESULT>(0x80080005)), SystemErrorText(static_cast<HRESULT>(0x80070005)));
}

TEST(CException, EveryFormFillsTheRecord)
{
    const my::CException plain(IDS_NO_SELECTION);
    EXPECT_EQ(plain.MessageId, static_cast<UINT>(IDS_NO_SELECTION));
    EXPECT_EQ(plain.Code, 0);
    if (gvt::test::Japanese()) {
        EXPECT_EQ(plain.Message, L"選択項目がありません");
    }

    const my::CException none(0U);
    EXPECT_EQ(none.MessageId, 0U);
    EXPECT_TRUE(none.Message.empty());

    const HRESULT denied = HResultFromWin32(ERROR_ACCESS_DENIED);
    const my::CException withCode(IDS_ERR_CLIPBOARD_OPEN, denied);
    EXPECT_EQ(withCode.Code, denied);
    EXPECT_EQ(withCode.Message,
              Pick(L"クリップボードを開けませんでした - ", L"Failed to open clipboard - ") + SystemErrorText(denied));

    const my::CException withCodeAndArg(IDS_ERR_CREATE_FOLDER, denied, L"C:\\f");
    EXPECT_EQ(withCodeAndArg.Message, Pick(L"フォルダーの作成に失敗しました - ", L"Failed to create folder - ") +
                                          SystemErrorText(denied) + L"\n\nC:\\f");

    const my::CException oneArg(IDS_ERR_NUMBER_TOO_SMALL, L"-1");
    EXPECT_EQ(oneArg.Message, Pick(L"値が小さすぎます: -1", L"The number is too small: -1"));

    const my::CException twoArgs(IDS_ERR_ENUM_NAME, L"FontWeight4", L"Bolder");
    EXPECT_EQ(twoArgs.Message, Pick(L"FontWeight4 として不明な名前 Bolder が指定されました",
                                    L"Unknown name is specified FontWeight4::Bolder"));

    const my::CException cast = my::CException::CastError(L"DWORD", L"WORD", L"70000");
    EXPECT_EQ(cast.MessageId, static_cast<UINT>(IDS_ERR_CAST));
    EXPECT_EQ(cast.Message, Pick(L"DWORD から WORD へのキャストはできません: 70000", L"Cast error DWORD to WORD: 70000"));

    CSimpleErr record;
    record.MessageId = 59015;
    record.Code = 2;
    record.Message = L"as recorded";
    const my::CException copied(record);
    EXPECT_EQ(copied.MessageId, 59015U);
    EXPECT_EQ(copied.Code, 2);
    EXPECT_EQ(copied.Message, L"as recorded");
}

TEST(CException, WhatIsTheCurrentMessageInUtf8)
{
    my::CException error(0U);
    EXPECT_STREQ("", error.what());
    error.Message = L"\u9078\u629E: x";
    EXPECT_STREQ("\xE9\x81\xB8\xE6\x8A\x9E: x", error.what());
}
