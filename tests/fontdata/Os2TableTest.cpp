// The OS/2 table's embedding permissions, vendor id, the named bits of its
// Unicode ranges and code pages, and what is left of a cut table.
#include "FontTable.h"
#include "fontdata/Os2Names.h"
#include "fontdata/Os2Table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using gvt::CByteReader;
using gvt::EEmbedding;
using gvt::test::CFontTable;

namespace {

// Version 1 with Basic Latin, Hiragana, Domino Tiles and a reserved range;
// Japanese, US and a reserved code page.
CFontTable Os2(std::uint16_t version, std::uint16_t fsType, const char* vendor = "GV\0\0")
{
    CFontTable table;
    table.U16(version).U16(0).U16(0).U16(0).U16(fsType);
    while (table.Bytes.size() < 42)
        table.U16(0);
    table.U32(1).U32(1u << 17).U32(0).U32(1u << 26 | 1u << 31);
    table.Text(std::string(vendor, 4));
    while (table.Bytes.size() < 78)
        table.U16(0);
    return table.U32(1u << 17 | 1u << 9).U32(1u << 31);
}

TEST(Os2Table, PermissionsVendorRangesAndCodePages)
{
    const struct {
        std::uint16_t FsType;
        EEmbedding Embedding;
        bool NoSubsetting, BitmapOnly;
    } cases[] = {
        {0, EEmbedding::Installable, false, false},    {0x2, EEmbedding::Restricted, false, false},
        {0x4, EEmbedding::PreviewAndPrint, false, false}, {0x8, EEmbedding::Editable, false, false},
        {0x6, EEmbedding::PreviewAndPrint, false, false}, {0x30C, EEmbedding::Editable, true, true},
        {0x202, EEmbedding::Restricted, false, true},
    };
    for (const auto& c : cases) {
        const CFontTable bytes = Os2(1, c.FsType);
        const std::optional<gvt::COs2Table> table = gvt::ReadOs2Table(CByteReader(bytes.Bytes.data(), bytes.Bytes.size()));
        ASSERT_TRUE(table);
        EXPECT_EQ(table->Embedding(), c.Embedding) << c.FsType;
        EXPECT_EQ(table->NoSubsetting(), c.NoSubsetting) << c.FsType;
        EXPECT_EQ(table->BitmapOnly(), c.BitmapOnly) << c.FsType;
        EXPECT_EQ(table->VendorId, L"GV");
        EXPECT_EQ(gvt::NamedUnicodeRangeBits(table->UnicodeRanges), (std::vector<unsigned>{0, 49, 122}));
        ASSERT_TRUE(table->CodePageRanges);
        EXPECT_EQ(gvt::NamedCodePageBits(*table->CodePageRanges), (std::vector<unsigned>{17, 63}));
    }
    const CFontTable version0 = Os2(0, 0, "GVT ");
    const std::optional<gvt::COs2Table> table = gvt::ReadOs2Table(CByteReader(version0.Bytes.data(), version0.Bytes.size()));
    ASSERT_TRUE(table);
    EXPECT_EQ(table->VendorId, L"GVT");
    EXPECT_FALSE(table->CodePageRanges);
}

// Cut before the vendor id's end, the table gives nothing; cut before the
// code pages' end, no code pages.
TEST(Os2Table, CutTablesGiveOnlyWhatLiesInside)
{
    gvt::test::ForEachDamage(Os2(1, 0x8), [](CByteReader reader, const gvt::test::CDamage& damage) {
        const std::optional<gvt::COs2Table> table = gvt::ReadOs2Table(reader);
        if (damage.Field)
            return;
        EXPECT_EQ(bool(table), damage.Size >= 62);
        if (table) {
            EXPECT_EQ(bool(table->CodePageRanges), damage.Size == damage.WholeSize);
        }
    });
}

}  // namespace
