// The status line's account of the added fonts in the table in force: one
// and many, what was named, and the missing paths named.
#include "fonts/AddedSummary.h"
#include "support/TestLanguage.h"

#include <gtest/gtest.h>

namespace {

using gvt::test::Pick;

TEST(AddedSummary, CountsOneAndManyAndNamesWhatWasNotFound)
{
    const struct {
        gvt::CAddedSummary Summary;
        const wchar_t* Japanese;
        const wchar_t* English;
    } cases[] = {
        {{3, 0, 1180, 1204, 2, {}}, L"3 フォルダー: 1,204 フォントを追加 (1,180 ファイル)、2 ファイルをスキップ",
         L"3 folders: 1,204 fonts added (1,180 files), 2 files skipped"},
        {{0, 1, 1, 1, 0, {}}, L"1 ファイル: 1 フォントを追加 (1 ファイル)", L"1 file: 1 font added (1 file)"},
        {{1, 2, 0, 0, 1, {L"D:\\Old"}},
         L"1 フォルダー と 2 ファイル: 0 フォントを追加 (0 ファイル)、1 ファイルをスキップ、見つかりません: D:\\Old",
         L"1 folder and 2 files: 0 fonts added (0 files), 1 file skipped, not found: D:\\Old"},
        {{0, 0, 0, 0, 4, {L"a", L"b", L"c", L"d"}},
         L"0 ファイル: 0 フォントを追加 (0 ファイル)、4 ファイルをスキップ、見つかりません: a, b, c, ...",
         L"0 files: 0 fonts added (0 files), 4 files skipped, not found: a, b, c, ..."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(gvt::AddedStatusText(c.Summary), Pick(c.Japanese, c.English));
}

}  // namespace
