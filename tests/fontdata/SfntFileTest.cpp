// The faces of plain font files and collections, and what is left of them
// when the file is cut or a field is damaged.
#include "FontTable.h"
#include "fontdata/SfntFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using gvt::CByteReader;
using gvt::test::CFontTable;

namespace {

const char* const kTags[] = {"AAAA", "BBBB", "CCCC"};

// The directory of one face; its tables hold the four letters of their tag
// in lower case, one after the other from the offset given.
void Directory(CFontTable& file, const char* version, std::vector<int> tables, std::uint32_t dataAt)
{
    file.Tag(version, true).U16(std::uint16_t(tables.size()), true).U16(0).U16(0).U16(0);
    for (int table : tables)
        file.Tag(kTags[table]).U32(0).U32(dataAt + 4 * table).U32(4);
}

void Data(CFontTable& file)
{
    file.Text("aaaabbbbcccc");
}

// Each face as the tags and bytes of the tables found.
std::vector<std::string> Found(CByteReader file)
{
    std::vector<std::string> faces;
    for (const gvt::CSfntFace& face : gvt::SfntFaces(file)) {
        std::string found;
        for (const char* tag : kTags) {
            const std::optional<CByteReader> table = face.Table(CFontTable::TagOf(tag));
            found += table ? std::string(tag) + " " : "";
            for (std::size_t i = 0; table && i < table->Size(); ++i)
                found += char(*table->U8(i));
            found += table ? " " : "";
        }
        faces.push_back(found);
    }
    return faces;
}

// A plain face with tables A and B (directory ends at 44); a collection
// whose first face has A and B, its second B and C (directories end at 108).
CFontTable Plain(const char* version)
{
    CFontTable file;
    Directory(file, version, {0, 1}, 44);
    Data(file);
    return file;
}

CFontTable Collection()
{
    CFontTable file;
    file.Tag("ttcf", true).U16(1).U16(0).U32(2, true).U32(20, true).U32(64, true);
    Directory(file, "\0\1\0\0", {0, 1}, 108);
    Directory(file, "true", {1, 2}, 108);
    Data(file);
    return file;
}

TEST(SfntFile, PlainFilesHoldOneFaceAndCollectionsOnePerEntry)
{
    const std::vector<std::string> ab = {"AAAA aaaa BBBB bbbb "};
    const struct {
        CFontTable File;
        std::vector<std::string> Expected;
    } cases[] = {
        {Plain("\0\1\0\0"), ab},
        {Plain("OTTO"), ab},
        {Plain("true"), ab},
        {Plain("wOFF"), {}},
        {Collection(), {"AAAA aaaa BBBB bbbb ", "BBBB bbbb CCCC cccc "}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Found(CByteReader(c.File.Bytes.data(), c.File.Bytes.size())), c.Expected);
}

// A file cut inside a directory holds no faces; one cut among the tables'
// data keeps the tables that still lie wholly inside. A wrong version,
// count or face offset changes what is found, and nothing is ever read past
// the end.
TEST(SfntFile, CutOrDamagedFilesKeepOnlyWhatLiesInside)
{
    const struct {
        CFontTable File;
        std::size_t DirectoriesEnd;
    } cases[] = {{Plain("OTTO"), 44}, {Collection(), 108}};
    for (const auto& c : cases) {
        const std::vector<std::string> whole = Found(CByteReader(c.File.Bytes.data(), c.File.Bytes.size()));
        gvt::test::ForEachDamage(c.File, [&](CByteReader reader, const gvt::test::CDamage& damage) {
            const std::vector<std::string> found = Found(reader);
            if (damage.Structural()) {
                EXPECT_NE(found, whole);
            } else if (!damage.Field) {
                std::vector<std::string> expected;
                if (damage.Size >= c.DirectoriesEnd)
                    for (std::string face : whole) {
                        for (int table = 0; table < 3; ++table)
                            if (c.DirectoriesEnd + 4 * table + 4 > damage.Size)
                                face = face.substr(0, face.find(kTags[table]));
                        expected.push_back(face);
                    }
                EXPECT_EQ(found, expected);
            }
        });
    }
}

}  // namespace
