// The revision of "head" as fonts show it, and the glyph count of both
// kinds of "maxp", from whole, cut and damaged tables.
#include "FontTable.h"
#include "fontdata/FontHeader.h"

#include <gtest/gtest.h>

using gvt::CByteReader;
using gvt::test::CFontTable;

namespace {

CFontTable Head(std::uint32_t revision)
{
    CFontTable table;
    table.U32(0x00010000).U32(revision).U32(0).U32(0x5F0F3CF5, true);
    while (table.Bytes.size() < 54)
        table.U16(0);
    return table;
}

CFontTable Maxp(std::uint32_t version, std::uint16_t glyphs)
{
    CFontTable table;
    table.U32(version, true).U16(glyphs);
    while (version == 0x00010000 && table.Bytes.size() < 32)
        table.U16(0);
    return table;
}

TEST(FontHeader, RevisionWithThreeDecimals)
{
    const struct {
        std::uint32_t Revision;
        const wchar_t* Text;
    } cases[] = {
        {0x00010000, L"1.000"}, {0x00010148, L"1.005"}, {0x00020978, L"2.037"},
        {0x0001FFFF, L"2.000"}, {0x000A0CCD, L"10.050"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(gvt::RevisionText(c.Revision), c.Text);
        const CFontTable head = Head(c.Revision);
        EXPECT_EQ(gvt::FontRevision(CByteReader(head.Bytes.data(), head.Bytes.size())), c.Revision);
    }
}

// Only a whole table of a known kind gives a value: a cut one, one without
// the magic number or of an unknown version gives none.
TEST(FontHeader, CutOrDamagedTablesGiveNothing)
{
    gvt::test::ForEachDamage(Head(0x00010148), [](CByteReader reader, const gvt::test::CDamage& damage) {
        const std::optional<std::uint32_t> revision = gvt::FontRevision(reader);
        if (damage.Size < damage.WholeSize || damage.Structural()) {
            EXPECT_FALSE(revision);
        } else if (damage.Whole()) {
            EXPECT_EQ(revision, 0x00010148u);
        }
    });
    for (std::uint32_t version : {0x00005000u, 0x00010000u}) {
        gvt::test::ForEachDamage(Maxp(version, 321), [](CByteReader reader, const gvt::test::CDamage& damage) {
            const std::optional<std::uint16_t> glyphs = gvt::GlyphCount(reader);
            if (damage.Size < damage.WholeSize || damage.Structural()) {
                EXPECT_FALSE(glyphs);
            } else if (damage.Whole()) {
                EXPECT_EQ(glyphs, 321);
            }
        });
    }
}

}  // namespace
