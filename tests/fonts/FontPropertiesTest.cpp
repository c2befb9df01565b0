// The properties text of a generated font whose tables the test knows, in
// the language of the test run, and what it says of facts it cannot read.
#include "fonts/FontFiles.h"
#include "fonts/FontProperties.h"
#include "support/PrivateFonts.h"
#include "support/TestLanguage.h"

#include <gtest/gtest.h>

#include <string>

using gvt::test::Pick;

namespace {

LOGFONTW PropsFont()
{
    LOGFONTW lf{};
    lf.lfHeight = -16;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    wcscpy_s(lf.lfFaceName, L"GvProps");
    return lf;
}

// The lines before the file lines, from every table of the font.
std::wstring ExpectedFacts()
{
    return Pick(L"フォント名: GvProps\r\n"
                L"完全な名前: ジーヴイ プロップス 標準\r\n"
                L"ファミリー: ジーヴイ プロップス\r\n"
                L"スタイル: Regular\r\n"
                L"バージョン: Version 2.037\r\n"
                L"デザイナー: Gv Designer\r\n"
                L"製造元: Gv Test Foundry\r\n"
                L"ベンダー ID: GVTF\r\n"
                L"著作権: Copyright (c) 2026 Gv Test Foundry\r\n"
                L"ライセンス: Licensed for tests only.\r\nNo other use.\r\n"
                L"ライセンス URL: https://example.org/gvprops-licence\r\n"
                L"埋め込み: 編集可能, サブセット化不可, ビットマップのみ\r\n"
                L"形式: TrueType アウトライン\r\n"
                L"グリフ数: 4\r\n"
                L"Unicode ブロック: 基本ラテン文字, 数学用英数字記号\r\n"
                L"コードページ: ラテン 1 (1252), 日本語 (932)\r\n",
                L"Face name: GvProps\r\n"
                L"Full name: GvProps Regular\r\n"
                L"Family: GvProps\r\n"
                L"Style: Regular\r\n"
                L"Version: Version 2.037\r\n"
                L"Designer: Gv Designer\r\n"
                L"Manufacturer: Gv Test Foundry\r\n"
                L"Vendor ID: GVTF\r\n"
                L"Copyright: Copyright (c) 2026 Gv Test Foundry\r\n"
                L"Licence: Licensed for tests only.\r\nNo other use.\r\n"
                L"Licence URL: https://example.org/gvprops-licence\r\n"
                L"Embedding: Editable, no subsetting, bitmap only\r\n"
                L"Format: TrueType outlines\r\n"
                L"Glyphs: 4\r\n"
                L"Unicode blocks: Basic Latin, Mathematical Alphanumeric Symbols\r\n"
                L"Code pages: Latin 1 (1252), Japanese (932)\r\n");
}

TEST(FontProperties, TellTheTablesOfAGeneratedFontAndItsFile)
{
    const std::wstring file = gvt::test::GeneratedFont(gvt::test::kGvProps);
    const gvt::test::CPrivateFonts fonts({file.c_str()});
    ASSERT_EQ(fonts.Missing(), L"");
    const gvt::CFontFacts facts = gvt::ReadFontFacts(PropsFont());
    ASSERT_EQ(facts.Files.size(), 1u);
    EXPECT_EQ(::CompareStringOrdinal(facts.Files[0].c_str(), -1, file.c_str(), -1, TRUE), CSTR_EQUAL)
        << testing::PrintToString(facts.Files[0]);
    const std::wstring fileLine = Pick(L"ファイル: ", L"File: ") + facts.Files[0] + L"\r\n";
    EXPECT_EQ(gvt::PropertiesText(facts, {}, gvt::InterfaceNameLanguage()), ExpectedFacts() + fileLine);
    // The files of an added font follow.
    EXPECT_EQ(gvt::PropertiesText(facts, {L"D:\\fonts\\a.ttf"}, gvt::InterfaceNameLanguage()),
              ExpectedFacts() + fileLine + Pick(L"追加したファイル: ", L"Added file: ") + L"D:\\fonts\\a.ttf\r\n");
}

// Tables that are cut or missing give "unknown" on their lines; the version
// falls back from the name table to the header's revision.
TEST(FontProperties, LinesOfDamagedTablesSayUnknown)
{
    const std::wstring file = gvt::test::GeneratedFont(gvt::test::kGvProps);
    const gvt::test::CPrivateFonts fonts({file.c_str()});
    gvt::CFontFacts facts = gvt::ReadFontFacts(PropsFont());
    facts.Name.resize(20);
    facts.Os2.resize(61);
    facts.Maxp.clear();
    facts.TrueTypeOutlines = false;
    facts.Files.clear();
    const std::wstring text = gvt::PropertiesText(facts, {}, gvt::ENameLanguage::English);
    for (const wchar_t* line : {Pick(L"完全な名前: 不明", L"Full name: unknown"), Pick(L"著作権: 不明", L"Copyright: unknown"),
                                Pick(L"ベンダー ID: 不明", L"Vendor ID: unknown"), Pick(L"埋め込み: 不明", L"Embedding: unknown"),
                                Pick(L"形式: 不明", L"Format: unknown"), Pick(L"グリフ数: 不明", L"Glyphs: unknown"),
                                Pick(L"Unicode ブロック: 不明", L"Unicode blocks: unknown"),
                                Pick(L"コードページ: 不明", L"Code pages: unknown"), Pick(L"ファイル: 不明", L"File: unknown")})
        EXPECT_NE(text.find(std::wstring(line) + L"\r\n"), std::wstring::npos) << testing::PrintToString(line);
    EXPECT_NE(text.find(L": 2.037\r\n"), std::wstring::npos) << testing::PrintToString(text);
    EXPECT_EQ(text.find(L"GvProps Regular"), std::wstring::npos);
}

TEST(FontFiles, RegistryValueNamesNameTheFontByAnyOfItsParts)
{
    const std::vector<std::wstring> names = {L"GvProps Regular", L"GvProps"};
    EXPECT_TRUE(gvt::ValueNamesFont(L"GvProps Regular (TrueType)", names));
    EXPECT_TRUE(gvt::ValueNamesFont(L"Other & gvprops (TrueType)", names));
    EXPECT_TRUE(gvt::ValueNamesFont(L"GvProps", names));
    EXPECT_FALSE(gvt::ValueNamesFont(L"GvProps Bold (TrueType)", names));
    EXPECT_FALSE(gvt::ValueNamesFont(L"GvPropsRegular & Other (OpenType)", names));
}

}  // namespace
