// The version resource reader, on the test program's own resource and on
// blocks built here byte by byte in the layout VerQueryValueW walks.
#include "base/Exception.h"
#include "base/ResourceString.h"
#include "base/SystemErrorText.h"
#include "base/VersionInfo.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace {

std::wstring Formatted(UINT id, std::initializer_list<std::wstring> args)
{
    std::wstring text;
    FormatMessageText(text, id, args);
    return text;
}

// One node of a version block: wLength, wValueLength, wType, the key with its
// terminator, padding, the value, padding, then the children.
struct CNode {
    std::wstring Key;
    WORD Type = 1;  // 1: text value, counted in UTF-16 units; 0: binary, in bytes
    std::vector<BYTE> Value;
    WORD ValueLength = 0;
    std::vector<CNode> Children;
};

void Pad(std::vector<BYTE>& bytes)
{
    while (bytes.size() % 4 != 0)
        bytes.push_back(0);
}

void PutWord(std::vector<BYTE>& bytes, std::size_t at, WORD value)
{
    bytes[at] = static_cast<BYTE>(value & 0xFF);
    bytes[at + 1] = static_cast<BYTE>(value >> 8);
}

void AppendText(std::vector<BYTE>& bytes, const std::wstring& text)
{
    for (const wchar_t c : text) {
        bytes.push_back(static_cast<BYTE>(c & 0xFF));
        bytes.push_back(static_cast<BYTE>(c >> 8));
    }
}

std::vector<BYTE> Serialize(const CNode& node)
{
    std::vector<BYTE> bytes(6, 0);
    AppendText(bytes, node.Key + L'\0');
    Pad(bytes);
    bytes.insert(bytes.end(), node.Value.begin(), node.Value.end());
    for (const CNode& child : node.Children) {
        Pad(bytes);
        const std::vector<BYTE> serialized = Serialize(child);
        bytes.insert(bytes.end(), serialized.begin(), serialized.end());
    }
    PutWord(bytes, 0, static_cast<WORD>(bytes.size()));
    PutWord(bytes, 2, node.ValueLength);
    PutWord(bytes, 4, node.Type);
    return bytes;
}

// A string value; units is the length the block claims (normally the text
// with its terminator).
CNode String(const std::wstring& key, const std::wstring& text, int units = -1)
{
    CNode node;
    node.Key = key;
    AppendText(node.Value, text + L'\0');
    node.ValueLength = static_cast<WORD>(units < 0 ? text.size() + 1 : static_cast<std::size_t>(units));
    return node;
}

struct CTable {
    std::wstring Key;  // for example 041104b0
    std::vector<std::pair<std::wstring, std::wstring>> Values;
};

// A block with the given string tables; the translation list holds the
// words given, or is absent for nullptr.
std::vector<BYTE> Block(const std::vector<CTable>& tables, const std::vector<WORD>* translation,
                        std::vector<CNode> extra = {})
{
    CNode root;
    root.Key = L"VS_VERSION_INFO";
    root.Type = 0;
    VS_FIXEDFILEINFO fixed{};
    fixed.dwSignature = 0xFEEF04BD;
    fixed.dwStrucVersion = 0x00010000;
    root.Value.assign(reinterpret_cast<const BYTE*>(&fixed), reinterpret_cast<const BYTE*>(&fixed) + sizeof fixed);
    root.ValueLength = sizeof fixed;

    CNode strings;
    strings.Key = L"StringFileInfo";
    for (const CTable& table : tables) {
        CNode node;
        node.Key = table.Key;
        for (const auto& [key, text] : table.Values)
            node.Children.push_back(String(key, text));
        strings.Children.push_back(node);
    }
    for (CNode& node : extra)
        strings.Children.push_back(std::move(node));
    root.Children.push_back(strings);

    CNode vars;
    vars.Key = L"VarFileInfo";
    if (translation) {
        CNode var;
        var.Key = L"Translation";
        var.Type = 0;
        for (const WORD word : *translation) {
            var.Value.push_back(static_cast<BYTE>(word & 0xFF));
            var.Value.push_back(static_cast<BYTE>(word >> 8));
        }
        var.ValueLength = static_cast<WORD>(var.Value.size());
        vars.Children.push_back(var);
    }
    root.Children.push_back(vars);
    return Serialize(root);
}

const std::vector<WORD> kJapanese{0x0411, 1200};
const std::vector<WORD> kJapaneseThenEnglish{0x0411, 1200, 0x0409, 1200};
const wchar_t kPath[] = L"C:\\crafted\\Glyvanter.exe";

CVersionInfo WithProductVersion(const std::wstring& text)
{
    return CVersionInfo(kPath, Block({{L"041104b0", {{L"ProductVersion", text}}}}, &kJapanese));
}

template <typename F>
my::CException Raised(F&& work)
{
    try {
        work();
    } catch (const my::CException& e) {
        return e;
    }
    ADD_FAILURE() << "no exception";
    return my::CException(0U);
}

std::wstring OwnPath()
{
    std::wstring path(MAX_PATH, L'\0');
    path.resize(::GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size())));
    return path;
}

TEST(VersionInfoFile, TheProgramsOwnResourceGivesVersionAndCopyright)
{
    CVersionInfo info;
    info.Load(OwnPath());
    EXPECT_EQ(info.Path(), OwnPath());
    EXPECT_EQ(info.ProductVersionText(), L"1.0.0.0");
    EXPECT_EQ(info.LegalCopyrightText(), L"Copyright (C) 2026 Morvell");
    EXPECT_EQ(info.QueryVersionString(L"\\StringFileInfo\\", L"\\CompanyName"), L"Morvell");
    EXPECT_EQ(info.ReadProductVersion(), (std::array<WORD, 4>{1, 0, 0, 0}));
}

TEST(VersionInfoFile, AFileWithoutAVersionResourceFailsToGiveItsSize)
{
    wchar_t folder[MAX_PATH];
    ASSERT_NE(::GetTempPathW(MAX_PATH, folder), 0u);
    const std::wstring base = std::wstring(folder) + L"gvt-version-" + std::to_wstring(::GetCurrentProcessId());
    const std::wstring empty = base + L".bin";
    const std::wstring text = base + L".txt";
    std::ofstream(empty.c_str(), std::ios::binary).close();
    std::ofstream(text.c_str(), std::ios::binary) << "1.0.0.0 is not a version resource";
    const std::wstring absent = base + L"-absent.exe";

    for (const std::wstring& path : {empty, text, absent}) {
        SCOPED_TRACE(testing::PrintToString(path));
        CVersionInfo info;
        const my::CException e = Raised([&] { info.Load(path); });
        EXPECT_EQ(e.MessageId, static_cast<UINT>(IDS_ERR_VERSION_SIZE));
        EXPECT_LT(e.Code, 0);
        EXPECT_EQ(e.Message, Formatted(IDS_ERR_VERSION_SIZE, {SystemErrorText(e.Code), path}));
        // Nothing is left to query.
        EXPECT_EQ(Raised([&] { info.ProductVersionText(); }).MessageId, static_cast<UINT>(IDS_ERR_VERSION_VALUE_MISSING));
    }
    EXPECT_EQ(Raised([&] { CVersionInfo().Load(absent); }).Code, HResultFromWin32(ERROR_FILE_NOT_FOUND));
    ::DeleteFileW(empty.c_str());
    ::DeleteFileW(text.c_str());
}

TEST(VersionInfoQuery, AJapaneseOnlyBlockAnswersUnderItsTranslation)
{
    const CVersionInfo info = WithProductVersion(L"3.1.4.1");
    EXPECT_EQ(info.ProductVersionText(), L"3.1.4.1");
}

TEST(VersionInfoQuery, TheFirstTranslationThatHasTheValueWins)
{
    const CVersionInfo info(kPath, Block({{L"041104b0", {{L"ProductVersion", L"1.0 ja"}}},
                                          {L"040904b0", {{L"ProductVersion", L"1.0 en"}, {L"LegalCopyright", L"(C) en"}}}},
                                         &kJapaneseThenEnglish));
    EXPECT_EQ(info.ProductVersionText(), L"1.0 ja");
    EXPECT_EQ(info.LegalCopyrightText(), L"(C) en");

    const std::vector<WORD> englishFirst{0x0409, 1200, 0x0411, 1200};
    const CVersionInfo reversed(kPath, Block({{L"041104b0", {{L"ProductVersion", L"1.0 ja"}}},
                                              {L"040904b0", {{L"ProductVersion", L"1.0 en"}}}},
                                             &englishFirst));
    EXPECT_EQ(reversed.ProductVersionText(), L"1.0 en");
}

TEST(VersionInfoQuery, AnEmptyValueDoesNotAnswerAndATextEndsAtItsFirstZero)
{
    CNode table;
    table.Key = L"041104b0";
    table.Children.push_back(String(L"ProductVersion", L"", 0));
    const CVersionInfo skipped(kPath, Block({{L"040904b0", {{L"ProductVersion", L"2.0"}}}}, &kJapaneseThenEnglish,
                                            {table}));
    EXPECT_EQ(skipped.ProductVersionText(), L"2.0");

    CNode cut;
    cut.Key = L"041104b0";
    cut.Children.push_back(String(L"ProductVersion", std::wstring(L"4.5\0junk", 8)));
    const CVersionInfo withZero(kPath, Block({}, &kJapanese, {cut}));
    EXPECT_EQ(withZero.ProductVersionText(), L"4.5");
}

TEST(VersionInfoQuery, AMissingOrEmptyTranslationListOrValueIsRaised)
{
    const my::CException noList =
        Raised([] { CVersionInfo(kPath, Block({{L"041104b0", {{L"ProductVersion", L"1"}}}}, nullptr)).ProductVersionText(); });
    EXPECT_EQ(noList.MessageId, static_cast<UINT>(IDS_ERR_VERSION_VALUE_MISSING));
    EXPECT_EQ(noList.Message, Formatted(IDS_ERR_VERSION_VALUE_MISSING, {kPath, L"\\VarFileInfo\\Translation"}));

    const std::vector<WORD> half{0x0411};
    const my::CException shortList =
        Raised([&] { CVersionInfo(kPath, Block({{L"041104b0", {{L"ProductVersion", L"1"}}}}, &half)).ProductVersionText(); });
    EXPECT_EQ(shortList.MessageId, static_cast<UINT>(IDS_ERR_VERSION_VALUE_EMPTY));
    EXPECT_EQ(shortList.Message, Formatted(IDS_ERR_VERSION_VALUE_EMPTY, {kPath, L"\\VarFileInfo\\Translation"}));

    const my::CException nowhere = Raised([] {
        CVersionInfo(kPath, Block({{L"041104b0", {{L"ProductVersion", L"1"}}}}, &kJapaneseThenEnglish)).LegalCopyrightText();
    });
    EXPECT_EQ(nowhere.MessageId, static_cast<UINT>(IDS_ERR_VERSION_VALUE_MISSING));
    EXPECT_EQ(nowhere.Message,
              Formatted(IDS_ERR_VERSION_VALUE_MISSING, {kPath, L"\\StringFileInfo\\[ALL_TRANSLATES]\\LegalCopyright"}));
}

TEST(VersionInfoProductVersion, SplitsAtPointsAndCommasIntoFourNumbers)
{
    const std::pair<const wchar_t*, std::array<WORD, 4>> cases[] = {
        {L"1, 0, 0, 0", {1, 0, 0, 0}},   {L"2.5", {2, 5, 0, 0}},         {L"1,0,0,0,9", {1, 0, 0, 0}},
        {L"1,0,0,0,junk", {1, 0, 0, 0}}, {L" 3 .\t4\r\n", {3, 4, 0, 0}}, {L"+7", {7, 0, 0, 0}},
        {L"", {0, 0, 0, 0}},             {L"65535.1.2,3", {65535, 1, 2, 3}}};
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(text)));
        EXPECT_EQ(WithProductVersion(text).ReadProductVersion(), expected);
    }
}

TEST(VersionInfoProductVersion, APieceThatIsNoNumberIsInvalid)
{
    for (const wchar_t* text : {L"1a", L"1,,2", L"1.-2", L"1.", L"x.1", L"1 2"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(text)));
        const my::CException e = Raised([&] { WithProductVersion(text).ReadProductVersion(); });
        EXPECT_EQ(e.MessageId, static_cast<UINT>(IDS_ERR_VERSION_INVALID));
        EXPECT_EQ(e.Message, Formatted(IDS_ERR_VERSION_INVALID, {kPath, text}));
    }
}

TEST(VersionInfoProductVersion, ANumberAboveAWordIsACastError)
{
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"70000", L"70000"}, {L"1.2.3.65536", L"65536"}, {L"99999999999", L"2147483647"}};
    for (const auto& [piece, number] : cases) {
        // A lambda may not capture a structured binding before C++20.
        const wchar_t* const text = piece;
        SCOPED_TRACE(testing::PrintToString(std::wstring(text)));
        const my::CException e = Raised([&] { WithProductVersion(text).ReadProductVersion(); });
        EXPECT_EQ(e.MessageId, static_cast<UINT>(IDS_ERR_CAST));
        EXPECT_EQ(e.Message, Formatted(IDS_ERR_CAST, {L"DWORD", L"WORD", number}));
    }
    // Every piece is parsed before any is narrowed.
    EXPECT_EQ(Raised([] { WithProductVersion(L"70000.1a").ReadProductVersion(); }).MessageId,
              static_cast<UINT>(IDS_ERR_VERSION_INVALID));
}

}  // namespace
