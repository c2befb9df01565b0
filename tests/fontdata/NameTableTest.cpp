// The name table's records in each encoding the reader knows, which record
// a language gets, and what is left of a cut or damaged table.
#include "FontTable.h"
#include "fontdata/NameTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using gvt::CByteReader;
using gvt::CNameTable;
using gvt::ENameLanguage;
using gvt::test::CFontTable;

namespace {

struct CRecordData {
    std::uint16_t Platform, Encoding, Language, NameId;
    std::string Bytes;
    bool Kept;
};

std::string Utf16(const std::u16string& text)
{
    std::string bytes;
    for (char16_t c : text)
        bytes += {char(c >> 8), char(c & 0xFF)};
    return bytes;
}

// Among them: a Macintosh record in a Japanese encoding the reader does
// not decode and a UTF-16 record of an odd length, both left out.
const std::vector<CRecordData> kRecords = {
    {3, 1, 0x409, 1, Utf16(u"Gv Sample"), true},
    {3, 1, 0x411, 1, Utf16(u"ジーヴイ サンプル"), true},
    {1, 0, 0, 4, "Caf\x8E", true},
    {1, 0, 11, 4, "Mac \x8A", true},
    {3, 1, 0x809, 4, Utf16(u"Gv Sample Full"), true},
    {3, 1, 0x40C, 5, Utf16(u"Version 2,5"), true},
    {1, 1, 11, 1, "\x83\x57", false},
    {0, 3, 0, 6, Utf16(u"GvSample"), true},
    {3, 1, 0x409, 7, "odd", false},
};
constexpr std::size_t kRecordsEnd = 6 + 9 * 12;

CFontTable Table()
{
    CFontTable table;
    table.U16(0).U16(std::uint16_t(kRecords.size()), true).U16(kRecordsEnd, true);
    std::string texts;
    for (const CRecordData& record : kRecords) {
        table.U16(record.Platform).U16(record.Encoding).U16(record.Language).U16(record.NameId);
        table.U16(std::uint16_t(record.Bytes.size())).U16(std::uint16_t(texts.size()));
        texts += record.Bytes;
    }
    return table.Text(texts);
}

std::vector<std::wstring> Texts(const CNameTable& table)
{
    std::vector<std::wstring> texts;
    for (const gvt::CNameRecord& record : table.Records())
        texts.push_back(record.Text);
    return texts;
}

const std::vector<std::wstring> kDecoded = {L"Gv Sample",      L"ジーヴイ サンプル", L"Café",    L"Mac ä",
                                            L"Gv Sample Full", L"Version 2,5",       L"GvSample"};

TEST(NameTable, DecodesEachEncodingAndFindsTheLanguageElseEnglishElseTheFirst)
{
    const CFontTable bytes = Table();
    const CNameTable table(CByteReader(bytes.Bytes.data(), bytes.Bytes.size()));
    EXPECT_EQ(Texts(table), kDecoded);
    const struct {
        std::uint16_t NameId;
        ENameLanguage Language;
        const wchar_t* Expected;
    } cases[] = {
        {1, ENameLanguage::Japanese, L"ジーヴイ サンプル"},
        {1, ENameLanguage::English, L"Gv Sample"},
        {4, ENameLanguage::Japanese, L"Mac ä"},
        // Windows before Macintosh, and any English is English.
        {4, ENameLanguage::English, L"Gv Sample Full"},
        {5, ENameLanguage::Japanese, L"Version 2,5"},
        {6, ENameLanguage::English, L"GvSample"},
        {7, ENameLanguage::English, nullptr},
        {2, ENameLanguage::English, nullptr},
    };
    for (const auto& c : cases) {
        const gvt::CNameRecord* found = table.Find(c.NameId, c.Language);
        EXPECT_EQ(found ? found->Text : L"-", c.Expected ? c.Expected : L"-") << c.NameId;
    }
}

// A table cut inside its records holds none; one cut among the texts keeps
// the records whose text still lies wholly inside; a wrong count or string
// offset changes what is found; nothing is read past the end.
TEST(NameTable, CutOrDamagedTablesKeepOnlyWhatLiesInside)
{
    gvt::test::ForEachDamage(Table(), [&](CByteReader reader, const gvt::test::CDamage& damage) {
        const std::vector<std::wstring> texts = Texts(CNameTable(reader));
        if (damage.Structural()) {
            EXPECT_NE(texts, kDecoded);
        } else if (!damage.Field) {
            std::vector<std::wstring> expected;
            std::size_t end = kRecordsEnd;
            for (std::size_t i = 0, kept = 0; i < kRecords.size() && damage.Size >= kRecordsEnd; ++i) {
                end += kRecords[i].Bytes.size();
                if (kRecords[i].Kept && end <= damage.Size)
                    expected.push_back(kDecoded[kept]);
                kept += kRecords[i].Kept;
            }
            EXPECT_EQ(texts, expected);
        }
    });
}

}  // namespace
