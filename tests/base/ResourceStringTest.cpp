#include "TestStrings.h"
#include "base/Exception.h"
#include "base/ResourceString.h"
#include "base/SystemErrorText.h"
#include "resources/resource.h"
#include "support/TestLanguage.h"

#include <gtest/gtest.h>

#include <vector>

using gvt::test::Pick;

namespace {

std::wstring Load(UINT id)
{
    std::wstring s = L"previous";
    LoadResourceString(s, id);
    return s;
}

// Records the buffer sizes the loader asks with and fills every buffer.
std::vector<int> g_sizes;
int FillEverything(UINT, wchar_t* buffer, int size)
{
    g_sizes.push_back(size);
    for (int i = 0; i < size - 1; ++i)
        buffer[i] = L'x';
    buffer[size - 1] = 0;
    return size - 1;
}

int FailWithNotFound(UINT, wchar_t*, int)
{
    ::SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return 0;
}

}  // namespace

TEST(LoadResourceString, LoadsStringsAroundEveryBufferSize)
{
    EXPECT_EQ(Load(IDS_TEST_254), std::wstring(254, L'a'));
    // 255 units fill the first 256-unit buffer and need the second call.
    EXPECT_EQ(Load(IDS_TEST_255), std::wstring(255, L'b'));
    EXPECT_EQ(Load(IDS_TEST_2558), std::wstring(2558, L'c'));
    EXPECT_EQ(Load(IDS_TEST_2559), std::wstring(2559, L'd'));
    EXPECT_EQ(Load(IDS_TEST_30000), std::wstring(30000, L'e'));
}

TEST(LoadResourceString, GrowsTenfoldAndGivesUpAfterTheLargestBuffer)
{
    g_sizes.clear();
    std::wstring s = L"previous";
    try {
        LoadResourceString(s, 4242, FillEverything);
        FAIL() << "a string that never fits must raise";
    } catch (const my::CException& e) {
        EXPECT_EQ(e.MessageId, static_cast<UINT>(IDS_ERR_STRING_TOO_LONG));
        EXPECT_EQ(e.Code, 0);
        EXPECT_EQ(e.Message, Pick(L"文字列リソースが長すぎます\n\nID: 4242", L"Resource string data is too long\n\nID: 4242"));
    }
    EXPECT_EQ(g_sizes, (std::vector<int>{256, 2560, 25600, 256000}));
    EXPECT_TRUE(s.empty());
}

TEST(LoadResourceString, MissingStringRaisesWithSystemTextAndId)
{
    std::wstring s = L"previous";
    try {
        LoadResourceString(s, 4243, FailWithNotFound);
        FAIL() << "a missing string must raise";
    } catch (const my::CException& e) {
        EXPECT_EQ(e.MessageId, static_cast<UINT>(IDS_ERR_STRING_MISSING));
        EXPECT_EQ(e.Code, HResultFromWin32(ERROR_RESOURCE_NAME_NOT_FOUND));
        EXPECT_NE(e.Message.find(L"ID: 4243"), std::wstring::npos) << e.Message;
        EXPECT_EQ(e.Message.find(L"%s"), std::wstring::npos) << e.Message;
    }
    EXPECT_TRUE(s.empty());

    // The real module: an id nobody defined.
    EXPECT_THROW(Load(39999), my::CException);
}

TEST(LoadResourceString, TheLoadersOwnErrorsHaveFixedTextsWhenTheirStringsAreMissingToo)
{
    // A module without any string table: the errors must not load themselves again.
    std::wstring s;
    const HRESULT notFound = HResultFromWin32(ERROR_RESOURCE_NAME_NOT_FOUND);
    try {
        LoadResourceString(s, 4243, FailWithNotFound, FailWithNotFound);
        FAIL() << "a missing string must raise";
    } catch (const my::CException& e) {
        EXPECT_EQ(e.MessageId, static_cast<UINT>(IDS_ERR_STRING_MISSING));
        EXPECT_EQ(e.Code, notFound);
        EXPECT_EQ(e.Message, L"Resource string is missing - " + SystemErrorText(notFound) + L"\n\nID: 4243");
    }
    try {
        LoadResourceString(s, 4242, FillEverything, FailWithNotFound);
        FAIL() << "a string that never fits must raise";
    } catch (const my::CException& e) {
        EXPECT_EQ(e.MessageId, static_cast<UINT>(IDS_ERR_STRING_TOO_LONG));
        EXPECT_EQ(e.Message, L"Resource string data is too long\n\nID: 4242");
    }

    // With the program's table the texts are the table's.
    try {
        Load(39999);
        FAIL() << "39999 is no string of the program";
    } catch (const my::CException& e) {
        EXPECT_EQ(e.Message, Pick(L"文字列リソースが見つかりません - ", L"Resource string is missing - ") +
                                 SystemErrorText(e.Code) + L"\n\nID: 39999");
    }
}

TEST(FormatMessageText, SubstitutesZeroToFiveArguments)
{
    std::wstring s;
    FormatMessageText(s, IDS_TEST_FORMAT);
    EXPECT_EQ(s, L"<|||||> 100% %d");
    FormatMessageText(s, IDS_TEST_FORMAT, {L"a"});
    EXPECT_EQ(s, L"<a|||||> 100% %d");
    FormatMessageText(s, IDS_TEST_FORMAT, {L"a", L"b", L"c", L"d", L"e"});
    EXPECT_EQ(s, L"<a|b|c|d|e|> 100% %d");
    // Never more than five arguments, whatever the caller passes.
    FormatMessageText(s, IDS_TEST_FORMAT, {L"a", L"b", L"c", L"d", L"e", L"f"});
    EXPECT_EQ(s, L"<a|b|c|d|e|> 100% %d");
}

TEST(FormatMessageText, FormatsRealMessagesOfTheTableInForce)
{
    std::wstring s;
    FormatMessageText(s, IDS_ERR_NUMBER_FORMAT, {L"12x"});
    EXPECT_EQ(s, Pick(L"数値の書式が不正です: 12x", L"Number format is invalid: 12x"));
    FormatMessageText(s, IDS_ERR_CREATE_FOLDER, {L"Access is denied.", L"C:\\x"});
    EXPECT_EQ(s, Pick(L"フォルダーの作成に失敗しました - Access is denied.\n\nC:\\x",
                      L"Failed to create folder - Access is denied.\n\nC:\\x"));
}

TEST(FormatMessageText, CutsAtFormatLengthPlus1023)
{
    const std::wstring format = ResourceString(IDS_ERR_NUMBER_FORMAT);
    std::wstring s;
    FormatMessageText(s, IDS_ERR_NUMBER_FORMAT, {std::wstring(5000, L'z')});
    ASSERT_EQ(s.size(), format.size() + 1023);
    EXPECT_EQ(s.substr(0, format.size() - 2), format.substr(0, format.size() - 2));
    EXPECT_EQ(s.back(), L'z');

    // Just inside the budget nothing is cut.
    const std::wstring fits(1023 + 2, L'y');
    FormatMessageText(s, IDS_ERR_NUMBER_FORMAT, {fits});
    EXPECT_EQ(s, format.substr(0, format.size() - 2) + fits);
}

TEST(SubstituteArguments, HandlesPercentSignsLiterally)
{
    EXPECT_EQ(SubstituteArguments(L"%%s", {L"x"}), L"%s");
    EXPECT_EQ(SubstituteArguments(L"%", {L"x"}), L"%");
    EXPECT_EQ(SubstituteArguments(L"a%sb%s", {L"%s"}), L"a%sb");
    EXPECT_EQ(SubstituteArguments(L"", {}), L"");
}
