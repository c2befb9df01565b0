// Both string tables, read straight from the module's resources with an
// explicit language, so one run checks the Japanese and the English table
// whatever language the process itself runs in.
#include "ModuleResource.h"
#include "fontdata/Os2Names.h"
#include "resources/resource.h"
#include "support/TestLanguage.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr LANGID kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
constexpr LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

// The ids below, and the name of every named bit of a font's Unicode ranges
// and code pages.
std::set<UINT> WithNamedBits(std::set<UINT> ids)
{
    for (unsigned bit : gvt::NamedUnicodeRangeBits({~0u, ~0u, ~0u, ~0u}))
        ids.insert(IDS_UNICODE_RANGE_0 + bit);
    for (unsigned bit : gvt::NamedCodePageBits({~0u, ~0u}))
        ids.insert(IDS_CODE_PAGE_0 + bit);
    return ids;
}

const std::set<UINT> kAllIds = WithNamedBits({
    IDS_MAKER, IDS_PRODUCT, IDS_DISPLAY_NAME, ID_COPY_WITH_STYLE, IDS_SAMPLE_UPPER,
    IDS_SAMPLE_LOWER, IDS_SAMPLE_SYMBOLS, IDS_SAMPLE_MIXED, IDS_NO_SELECTION, IDS_READING_FONTS,
    IDS_READING_FONTS_COUNT, IDS_CHECKING_GLYPHS_COUNT, IDS_PROP_FACE_NAME, IDS_PROP_FULL_NAME,
    IDS_PROP_FAMILY, IDS_PROP_STYLE, IDS_PROP_VERSION, IDS_PROP_DESIGNER, IDS_PROP_MANUFACTURER,
    IDS_PROP_VENDOR, IDS_PROP_COPYRIGHT, IDS_PROP_LICENCE, IDS_PROP_LICENCE_URL, IDS_PROP_EMBEDDING,
    IDS_PROP_FORMAT, IDS_PROP_GLYPHS, IDS_PROP_UNICODE_RANGES, IDS_PROP_CODE_PAGES, IDS_PROP_FILE,
    IDS_PROP_ADDED_FILE, IDS_PROP_UNKNOWN, IDS_EMBED_INSTALLABLE, IDS_EMBED_RESTRICTED,
    IDS_EMBED_PREVIEW_PRINT, IDS_EMBED_EDITABLE, IDS_EMBED_NO_SUBSETTING, IDS_EMBED_BITMAP_ONLY,
    IDS_FORMAT_TRUETYPE, IDS_FORMAT_POSTSCRIPT, IDS_FORMAT_RASTER, IDS_FORMAT_TYPE1, IDS_ERR_XML_EMPTY_PATH,
    IDS_ADDING_FONTS_COUNT,
    IDS_REMOVING_FONTS, IDS_ADDED_STATUS, IDS_ADDED_SKIPPED, IDS_ADDED_NOT_FOUND, IDS_ADDED_BOTH,
    IDS_COUNT_FOLDER, IDS_COUNT_FOLDERS, IDS_COUNT_FILE, IDS_COUNT_FILES, IDS_COUNT_FONT, IDS_COUNT_FONTS, IDS_ADDING_FONTS,
    IDS_TITLE_ERROR,
    IDS_TITLE_QUERY, IDS_ITALIC, IDS_WEIGHT_100, IDS_WEIGHT_200, IDS_WEIGHT_300, IDS_WEIGHT_400,
    IDS_WEIGHT_500, IDS_WEIGHT_600, IDS_WEIGHT_700, IDS_WEIGHT_800, IDS_WEIGHT_900, IDS_TYPE_BOTH,
    IDS_TYPE_RASTER, IDS_TYPE_VECTOR, IDS_WEIGHT_FILTER_ALL, IDS_WEIGHT_FILTER_NORMAL,
    IDS_WEIGHT_FILTER_LIGHTER, IDS_WEIGHT_FILTER_BOLDER, IDS_ITALIC_FILTER_BOTH,
    IDS_ITALIC_FILTER_OFF, IDS_ITALIC_FILTER_ON, IDS_CONFIRM_DISCARD_EDITS,
    IDS_CONFIRM_CREATE_FOLDER, IDS_CONFIRM_OVERWRITE, IDS_CONFIRM_OVERWRITE_FILES,
    IDS_CONFIRM_LOAD_ERROR, IDS_CONFIRM_FILE_ERROR, IDS_CONFIRM_NEWER_VERSION,
    IDS_CONFIRM_RESET_SHORTCUTS, IDS_CONFIRM_REPLACE_SHORTCUT, IDS_CONFIRM_ABORT_PRINTING,
    IDS_ERR_STD_EXCEPTION, IDS_ERR_ATL_EXCEPTION, IDS_ERR_UNKNOWN_EXCEPTION, IDS_ERR_CAST,
    IDS_ERR_GLOBAL_ALLOC, IDS_ERR_GLOBAL_LOCK, IDS_ERR_NUMBER_FORMAT, IDS_ERR_NUMBER_TOO_SMALL,
    IDS_ERR_NUMBER_TOO_LARGE, IDS_ERR_STRING_MISSING, IDS_ERR_STRING_TOO_LONG,
    IDS_ERR_VERSION_SIZE, IDS_ERR_VERSION_MISSING, IDS_ERR_VERSION_VALUE_MISSING,
    IDS_ERR_VERSION_VALUE_EMPTY, IDS_ERR_VERSION_INVALID, IDS_ERR_CLIPBOARD_OPEN,
    IDS_ERR_CLIPBOARD_EMPTY, IDS_ERR_CLIPBOARD_SET, IDS_ERR_CREATE_FOLDER, IDS_ERR_ENUM_VALUE,
    IDS_ERR_ENUM_NAME, IDS_ERR_XML_CREATE, IDS_ERR_XML_CREATE_ROOT, IDS_ERR_XML_SAVE,
    IDS_ERR_XML_SELECT_NODE, IDS_ERR_XML_CREATE_NODE, IDS_ERR_XML_APPEND_NODE,
    IDS_ERR_XML_SET_TEXT, IDS_ERR_XML_LOAD, IDS_ERR_XML_GET_TEXT, IDS_ERR_XML_BOOL,
    IDS_ERR_XML_SELECT_NODES, IDS_ERR_XML_NODES_COUNT, IDS_ERR_XML_NODES_ITEM,
    IDS_ERR_XML_NODE_NOT_FOUND, IDS_ERR_XML_NODES_NOT_FOUND, IDS_ERR_XML_INT, IDS_ERR_XML_LONG,
    IDS_ERR_XML_SIZE, IDS_ERR_XML_BYTE, IDS_ERR_XML_VERSION, IDS_ERR_XML_TOO_LONG, IDS_ERR_REGEX,
    IDS_ERR_REGEX_COLLATE, IDS_ERR_REGEX_CTYPE, IDS_ERR_REGEX_ESCAPE, IDS_ERR_REGEX_BACKREF,
    IDS_ERR_REGEX_BRACK, IDS_ERR_REGEX_PAREN, IDS_ERR_REGEX_BRACE, IDS_ERR_REGEX_BADBRACE,
    IDS_ERR_REGEX_RANGE, IDS_ERR_REGEX_SPACE, IDS_ERR_REGEX_BADREPEAT, IDS_ERR_REGEX_COMPLEXITY,
    IDS_ERR_REGEX_STACK, IDS_ERR_REGEX_BAD_PATTERN,
});

// One language's string table. The resource compiler stores strings in
// blocks of sixteen (block n holds ids 16(n-1) .. 16n-1), each string as a
// length followed by that many UTF-16 units; an absent string has length 0.
// A block without any string of the language does not exist in it at all.
class CStringTable {
public:
    explicit CStringTable(LANGID language)
    {
        std::vector<UINT> blocks;
        ::EnumResourceNamesW(::GetModuleHandleW(nullptr), RT_STRING, CollectBlock,
                             reinterpret_cast<LONG_PTR>(&blocks));
        for (UINT block : blocks) {
            const gvt::test::CResourceBytes bytes =
                gvt::test::ModuleResource(RT_STRING, MAKEINTRESOURCEW(block), language);
            if (!bytes)
                continue;
            const auto* p = reinterpret_cast<const WCHAR*>(bytes.data);
            const WCHAR* end = p + bytes.size / sizeof(WCHAR);
            for (UINT k = 0; k < 16 && p < end; ++k) {
                const UINT length = *p++;
                if (length > static_cast<UINT>(end - p))
                    break;
                if (length != 0)
                    m_strings[(block - 1) * 16 + k] = std::wstring(p, length);
                p += length;
            }
        }
    }

    std::optional<std::wstring> Find(UINT id) const
    {
        const auto it = m_strings.find(id);
        if (it == m_strings.end())
            return std::nullopt;
        return it->second;
    }

    std::set<UINT> Ids() const
    {
        std::set<UINT> ids;
        for (const auto& entry : m_strings)
            ids.insert(entry.first);
        return ids;
    }

    const std::map<UINT, std::wstring>& Strings() const { return m_strings; }

private:
    static BOOL CALLBACK CollectBlock(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param)
    {
        if (IS_INTRESOURCE(name))
            reinterpret_cast<std::vector<UINT>*>(param)->push_back(
                static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name)));
        return TRUE;
    }

    std::map<UINT, std::wstring> m_strings;
};

const CStringTable& JapaneseTable()
{
    static const CStringTable table(kJapanese);
    return table;
}

const CStringTable& EnglishTable()
{
    static const CStringTable table(kEnglish);
    return table;
}

struct CTexts {
    UINT id;
    const wchar_t* japanese;
    const wchar_t* english;
};

void ExpectTexts(const std::vector<CTexts>& expected)
{
    for (const auto& e : expected) {
        EXPECT_EQ(JapaneseTable().Find(e.id), std::optional<std::wstring>(e.japanese)) << "id " << e.id;
        EXPECT_EQ(EnglishTable().Find(e.id), std::optional<std::wstring>(e.english)) << "id " << e.id;
    }
}

TEST(StringTables, JapaneseTableHoldsExactlyTheIdsOfTheProgram)
{
    EXPECT_EQ(JapaneseTable().Ids(), kAllIds);
    for (const auto& entry : JapaneseTable().Strings())
        EXPECT_FALSE(entry.second.empty()) << "id " << entry.first;
}

TEST(StringTables, EnglishTableHoldsEveryIdOfTheProgramToo)
{
    // A string the English table lacks shows an English user the Japanese
    // text, or no text at all.
    EXPECT_EQ(EnglishTable().Ids(), kAllIds);
    for (const auto& entry : EnglishTable().Strings())
        EXPECT_FALSE(entry.second.empty()) << "id " << entry.first;
}

TEST(StringTables, EscapesBecomeRealLineBreaks)
{
    for (const CStringTable* table : {&JapaneseTable(), &EnglishTable()}) {
        for (const auto& entry : table->Strings()) {
            EXPECT_EQ(entry.second.find(L'\\'), std::wstring::npos) << "id " << entry.first;
            EXPECT_EQ(entry.second.find(L'\r'), std::wstring::npos) << "id " << entry.first;
        }
    }
    ExpectTexts({
        {IDS_CONFIRM_LOAD_ERROR,
         L"設定ファイルの読み込み中に以下のエラーが発生しました。\n設定ファイルを手動で修正したい場合は、キャンセルしてください。\n続行すると、設定の一部もしくは全てが失われます。\n\n%s\n\n続行しますか？",
         L"The following error is occurred.\nIf you want to fix the error manually, you must cancel now.\nIf you continue, some or all settings will be reset to default values.\n\n%s\n\nDo you continue ?"},
        {IDS_CONFIRM_NEWER_VERSION,
         L"新しいバージョン用の設定ファイルが存在します。\nこのまま続けると、設定の一部もしくは全てが失われ、\n古いバージョンの設定ファイルで上書きされます。\n\n続行しますか？",
         L"The config file is of unknown newer version.\nIf you continue to run, some or all settings will be reset to default values,\nand the file will be overwritten as older format.\n\nDo you continue ?"},
        {IDS_ERR_CREATE_FOLDER, L"フォルダーの作成に失敗しました - %s\n\n%s",
         L"Failed to create folder - %s\n\n%s"},
    });
    ExpectTexts({{ID_COPY_WITH_STYLE, L"フォント名, 太さ, スタイルをコピーします\nフォント情報のコピー",
                  L"Copies the font name, weight and style\nCopy font information"}});
}

TEST(StringTables, NamesOfWeightsAndFilterItems)
{
    ExpectTexts({
        {IDS_ITALIC, L"斜体", L"Italic"},
        {IDS_WEIGHT_100, L"超極細", L"Thin"},
        {IDS_WEIGHT_200, L"極細", L"Extra Light"},
        {IDS_WEIGHT_300, L"細字", L"Light"},
        {IDS_WEIGHT_400, L"標準", L"Normal"},
        {IDS_WEIGHT_500, L"中太", L"Medium"},
        {IDS_WEIGHT_600, L"準太字", L"Semi Bold"},
        {IDS_WEIGHT_700, L"太字", L"Bold"},
        {IDS_WEIGHT_800, L"極太", L"Extra Bold"},
        {IDS_WEIGHT_900, L"超極太", L"Heavy"},
        {IDS_TYPE_BOTH, L"全て", L"Both"},
        {IDS_TYPE_RASTER, L"ラスター", L"Raster"},
        {IDS_TYPE_VECTOR, L"ベクター", L"Vector"},
        {IDS_WEIGHT_FILTER_ALL, L"全て", L"All"},
        {IDS_WEIGHT_FILTER_NORMAL, L"標準", L"Normal"},
        {IDS_WEIGHT_FILTER_LIGHTER, L"細字", L"Lighter"},
        {IDS_WEIGHT_FILTER_BOLDER, L"太字", L"Bolder"},
        {IDS_ITALIC_FILTER_BOTH, L"全て", L"Both"},
        {IDS_ITALIC_FILTER_OFF, L"標準", L"No italic"},
        {IDS_ITALIC_FILTER_ON, L"斜体", L"Only italic"},
    });
}

// Each name sits at its own bit, the reserved bits between them skipped.
TEST(StringTables, NamesOfUnicodeRangesAndCodePagesByBit)
{
    ExpectTexts({
        {IDS_UNICODE_RANGE_0, L"基本ラテン文字", L"Basic Latin"},
        {IDS_UNICODE_RANGE_0 + 57, L"第 0 面以外", L"Non-Plane 0"},
        {IDS_UNICODE_RANGE_0 + 59, L"CJK 統合漢字", L"CJK Unified Ideographs"},
        {IDS_UNICODE_RANGE_0 + 103, L"ウガリット文字", L"Ugaritic"},
        {IDS_UNICODE_RANGE_0 + 122, L"ドミノ牌", L"Domino Tiles"},
        {IDS_CODE_PAGE_0 + 8, L"ベトナム語 (1258)", L"Vietnamese (1258)"},
        {IDS_CODE_PAGE_0 + 16, L"タイ語 (874)", L"Thai (874)"},
        {IDS_CODE_PAGE_0 + 19, L"韓国語 (ワンソン) (949)", L"Korean Wansung (949)"},
        {IDS_CODE_PAGE_0 + 29, L"Macintosh 欧文", L"Macintosh Roman"},
        {IDS_CODE_PAGE_0 + 48, L"IBM ギリシャ語 (869)", L"IBM Greek (869)"},
        {IDS_CODE_PAGE_0 + 63, L"米国 (437)", L"US (437)"},
    });
}

TEST(StringTables, NamesAndSampleTextsAreTheSameInBothTables)
{
    ExpectTexts({
        {IDS_MAKER, L"Morvell", L"Morvell"},
        {IDS_PRODUCT, L"Glyvanter", L"Glyvanter"},
        {IDS_DISPLAY_NAME, L"Glyvanter", L"Glyvanter"},
        {IDS_SAMPLE_UPPER, L"ABCDEFGHIJKLMNOPQRSTUVWXYZ", L"ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
        {IDS_SAMPLE_LOWER, L"abcdefghijklmnopqrstuvwxyz", L"abcdefghijklmnopqrstuvwxyz"},
        {IDS_SAMPLE_SYMBOLS, L"1234567890.:,:'\"(!?)+-*/=", L"1234567890.:,:'\"(!?)+-*/="},
        {IDS_SAMPLE_MIXED, L"Glyvanterで Font の世界が広がります。1234567890",
         L"Glyvanterで Font の世界が広がります。1234567890"},
    });
}

TEST(StringTables, MessagesKeepTheirExactPunctuationAndSpaces)
{
    ExpectTexts({
        {IDS_TITLE_ERROR, L"エラー", L"Error"},
        {IDS_TITLE_QUERY, L"確認", L"Query"},
        {IDS_ERR_REGEX_PAREN, L"() の対応がとれていません", L"Mismatched '(' and ')'"},
        {IDS_ERR_REGEX_BRACE, L"{} の対応がとれていません", L"Mismatched '{' and '}' "},
        {IDS_ERR_REGEX_BAD_PATTERN, L"正規表現が不正です", L"Other unspecified errors "},
        {IDS_ERR_CAST, L"%s から %s へのキャストはできません: %s", L"Cast error %s to %s: %s"},
        {IDS_ERR_GLOBAL_ALLOC, L"メモリーの確保に失敗しました（GlobalAlloc）",
         L"Failed to allocate memory (GlobalAlloc)"},
    });
    ExpectTexts({
        {IDS_NO_SELECTION, L"選択項目がありません", L"No item is selected."},
        {IDS_READING_FONTS_COUNT, L"フォントを読み込んでいます... %s / %s", L"Reading fonts... %s of %s"},
        {IDS_CHECKING_GLYPHS_COUNT, L"グリフを確認しています... %s / %s", L"Checking glyphs... %s of %s"},
        {IDS_CONFIRM_ABORT_PRINTING, L"印刷中です。中断しますか？", L"Printing is in progress. Do you want to stop it ?"},
    });
}

TEST(StringTables, LoadStringReadsTheTableOfTheUserLanguage)
{
    const CStringTable& table = gvt::test::Japanese() ? JapaneseTable() : EnglishTable();
    for (UINT id : {IDS_TITLE_ERROR, IDS_WEIGHT_700, IDS_CONFIRM_LOAD_ERROR, IDS_ERR_REGEX_BAD_PATTERN, IDS_NO_SELECTION}) {
        const wchar_t* text = nullptr;
        const int length = ::LoadStringW(::GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
        ASSERT_GT(length, 0) << "id " << id;
        EXPECT_EQ(std::optional<std::wstring>(std::wstring(text, length)), table.Find(id)) << "id " << id;
    }
}

}  // namespace
