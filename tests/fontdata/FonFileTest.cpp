// The face names of raster font files, from Wine's own .fon files; cut and
// damaged copies, placed at the end of a guard page, give fewer names and are
// never read past their end.
#include "fontdata/ByteReader.h"
#include "fontdata/FonFile.h"
#include "support/GuardPage.h"
#include "support/PrivateFonts.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::vector<unsigned char> FileBytes(const std::wstring& path)
{
    std::vector<unsigned char> bytes;
    if (FILE* file = ::_wfopen(path.c_str(), L"rb")) {
        unsigned char chunk[4096];
        for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
            bytes.insert(bytes.end(), chunk, chunk + n);
        std::fclose(file);
    }
    return bytes;
}

std::vector<std::wstring> Names(const std::vector<unsigned char>& bytes)
{
    return gvt::FonFaceNames(gvt::CByteReader(bytes.data(), bytes.size()));
}

const wchar_t kSansSerif[] = L"Z:\\usr\\share\\wine\\fonts\\sserife.fon";

TEST(FonFile, EachFaceNameOnceAndNothingFromOtherFiles)
{
    const struct {
        std::wstring Path;
        std::vector<std::wstring> Names;
    } cases[] = {
        {kSansSerif, {L"MS Sans Serif"}},
        {L"Z:\\usr\\share\\wine\\fonts\\coure.fon", {L"Courier"}},
        {gvt::test::GeneratedFont(gvt::test::kGvCoverRegular), {}},
    };
    for (const auto& c : cases) {
        const std::vector<unsigned char> bytes = FileBytes(c.Path);
        ASSERT_GT(bytes.size(), 1000u) << testing::PrintToString(c.Path);
        EXPECT_EQ(Names(bytes), c.Names) << testing::PrintToString(c.Path);
    }
}

TEST(FonFile, CutOrDamagedFilesGiveTheNameOrNothingAndStayInside)
{
    const std::vector<unsigned char> whole = FileBytes(kSansSerif);
    ASSERT_FALSE(whole.empty());
    gvt::test::CGuardPage page(whole.size());
    const std::vector<std::wstring> all = Names(whole);
    for (std::size_t size = 0; size < whole.size(); size += 7) {
        const std::vector<unsigned char> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
        const std::vector<std::wstring> names =
            gvt::FonFaceNames(gvt::CByteReader(page.Place(cut), cut.size()));
        EXPECT_TRUE(names.empty() || names == all) << size;
    }
    // Every byte of the headers and the resource table set to the largest
    // value in turn: offsets, counts and the alignment shift point anywhere,
    // and a name found there is still read within its bounds.
    for (std::size_t at = 0; at < 0x400 && at < whole.size(); ++at) {
        std::vector<unsigned char> damaged = whole;
        damaged[at] = 0xFF;
        const std::vector<std::wstring> names =
            gvt::FonFaceNames(gvt::CByteReader(page.Place(damaged), damaged.size()));
        for (const std::wstring& name : names)
            EXPECT_TRUE(!name.empty() && name.size() <= 256) << at << ": a name within its bounds";
    }
}

}  // namespace
