// The character map reader on tables built here: what it finds in both
// formats, and that damaged or cut tables, placed at the end of a guard page,
// are never read past their end and map nothing.
#include "fontdata/ByteReader.h"
#include "fontdata/CharacterMap.h"
#include "FontTable.h"
#include "support/GuardPage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <map>
#include <vector>

using gvt::CByteReader;
using gvt::CCharacterMap;
using gvt::test::CFontTable;

namespace {

// A table header with one encoding record, whose subtable follows at 12.
CFontTable Header(std::uint16_t platform, std::uint16_t encoding)
{
    CFontTable table;
    table.U16(0).U16(1, true).U16(platform).U16(encoding).U32(12, true);
    return table;
}

// Format 4: A..C by a delta to glyphs 1..3, U+00E9 and U+0100 through the
// glyph array to 7 and 9, U+0101 there to the missing glyph 0, and the final
// segment at U+FFFF.
CFontTable Format4()
{
    CFontTable table = Header(3, 1);
    table.U16(4, true).U16(54, true).U16(0).U16(8, true).U16(8).U16(2).U16(0);
    for (std::uint16_t end : {0x43, 0xE9, 0x101, 0xFFFF})
        table.U16(end);
    table.U16(0);
    for (std::uint16_t start : {0x41, 0xE9, 0x100, 0xFFFF})
        table.U16(start);
    for (std::uint16_t delta : {0x10000 - 0x40, 0, 0, 1})
        table.U16(delta);
    for (std::uint16_t rangeOffset : {0, 6, 6, 0})
        table.U16(rangeOffset);
    for (std::uint16_t glyph : {7, 9, 0})
        table.U16(glyph);
    return table;
}

// Format 12: U+0041 to glyph 1, U+1F600..U+1F602 from glyph 5, U+20000 to the
// missing glyph 0.
CFontTable Format12()
{
    CFontTable table = Header(3, 10);
    table.U16(12, true).U16(0).U32(52, true).U32(0).U32(3, true);
    for (std::uint32_t word : {0x41, 0x41, 1, 0x1F600, 0x1F602, 5, 0x20000, 0x20000, 0})
        table.U32(word);
    return table;
}

const std::vector<char32_t> kProbes = {0, 0x40, 0x41, 0x43, 0x44, 0xE9, 0x100, 0x101,
                                       0xFFFF, 0x1F600, 0x1F602, 0x1F603, 0x20000, 0x10FFFF};

std::map<char32_t, bool> Answers(CByteReader reader)
{
    const CCharacterMap map{reader};
    std::map<char32_t, bool> answers;
    for (char32_t c : kProbes)
        answers[c] = map.HasGlyph(c);
    return answers;
}

std::map<char32_t, bool> Mapped(std::initializer_list<char32_t> present)
{
    std::map<char32_t, bool> answers;
    for (char32_t c : kProbes)
        answers[c] = false;
    for (char32_t c : present)
        answers[c] = true;
    return answers;
}

const std::map<char32_t, bool> kNothing = Mapped({});

TEST(CharacterMap, FindsTheGlyphsOfBothFormatsAndMissingGlyphsAreNone)
{
    const struct {
        const char* Name;
        CFontTable Table;
        std::map<char32_t, bool> Expected;
    } cases[] = {
        {"format 4", Format4(), Mapped({0x41, 0x43, 0xE9, 0x100})},
        {"format 12", Format12(), Mapped({0x41, 0x1F600, 0x1F602})},
    };
    gvt::test::CGuardPage page;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(Answers(CByteReader(page.Place(c.Table.Bytes), c.Table.Bytes.size())), c.Expected);
        EXPECT_TRUE(CCharacterMap(CByteReader(c.Table.Bytes.data(), c.Table.Bytes.size())).IsUnicode());
    }
    // A symbol font's map is no Unicode map.
    CFontTable symbol = Format4();
    symbol.Bytes[7] = 0;
    EXPECT_FALSE(CCharacterMap(CByteReader(symbol.Bytes.data(), symbol.Bytes.size())).IsUnicode());
}

// Every length from nothing to the whole table, each field as it is, 0 and
// all ones: nothing outside the bytes is read (the guard page would fault),
// a cut table maps nothing, and so does a whole one with a wrong count,
// offset, length or format.
TEST(CharacterMap, DamagedOrCutTablesAreNeverReadPastTheirEndAndMapNothing)
{
    for (const CFontTable& table : {Format4(), Format12()}) {
        SCOPED_TRACE(testing::Message() << "format " << int(table.Bytes[13]));
        const std::map<char32_t, bool> whole = Answers(CByteReader(table.Bytes.data(), table.Bytes.size()));
        gvt::test::ForEachDamage(table, [&](CByteReader reader, const gvt::test::CDamage& damage) {
            const std::map<char32_t, bool> answers = Answers(reader);
            if (damage.Size < damage.WholeSize || damage.Structural()) {
                EXPECT_EQ(answers, kNothing);
            } else if (damage.Whole()) {
                EXPECT_EQ(answers, whole);
            }
        });
    }
}

TEST(ByteReader, ReadsOnlyFieldsThatLieWhollyInside)
{
    gvt::test::CGuardPage page;
    const CByteReader reader(page.Place({1, 2, 3, 4, 5, 6}), 6);
    const std::size_t huge = std::numeric_limits<std::size_t>::max();
    EXPECT_EQ(reader.U8(5), std::optional<std::uint8_t>(6));
    EXPECT_FALSE(reader.U8(6));
    EXPECT_EQ(reader.U16(4), std::optional<std::uint16_t>(0x0506));
    EXPECT_EQ(reader.U32(2), std::optional<std::uint32_t>(0x03040506));
    for (std::size_t offset : {std::size_t{5}, std::size_t{6}, huge - 1, huge})
        EXPECT_FALSE(reader.U16(offset)) << offset;
    for (std::size_t offset : {std::size_t{3}, huge - 3})
        EXPECT_FALSE(reader.U32(offset)) << offset;
    // The program's own files keep this (little-endian) machine's order.
    EXPECT_EQ(reader.Native<std::uint16_t>(4), std::optional<std::uint16_t>(0x0605));
    for (std::size_t offset : {std::size_t{3}, huge - 3})
        EXPECT_FALSE(reader.Native<std::uint32_t>(offset)) << offset;
    EXPECT_EQ(reader.Sub(2, 4)->Size(), 4u);
    EXPECT_EQ(reader.Sub(2, 4)->U16(2), std::optional<std::uint16_t>(0x0506));
    EXPECT_FALSE(reader.Sub(2, 5));
    EXPECT_FALSE(reader.Sub(2, huge));
    EXPECT_FALSE(reader.Sub(huge, 2));
    EXPECT_EQ(reader.From(6)->Size(), 0u);
    EXPECT_FALSE(reader.From(7));
}

}  // namespace
