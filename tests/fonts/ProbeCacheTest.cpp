// Probe results kept in memory for the run and in a file between runs: they
// change how often the source is probed, never what is listed.
#include "base/Exception.h"
#include "fonts/FontCatalogue.h"
#include "fonts/FontOrder.h"
#include "fonts/FontReading.h"
#include "fonts/ProbeCacheFile.h"
#include "support/FakeFontSource.h"
#include "support/FileLinks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

using gvt::CFontCatalogue;
using gvt::EqualLogFont;
using namespace gvt::test;

namespace {

const std::array<WORD, 4> kVersion{1, 0, 0, 0};

// The horizontal faces of AddFaces; the one reported twice is probed once.
constexpr std::size_t kProbesOfAll = 18 * 8;

gvt::CFontFilter Setting(int charSet, int tategaki = 0)
{
    gvt::CFontFilter setting;
    setting.CharSet = charSet;
    setting.Tategaki = tategaki;
    return setting;
}

// Faces with ties across character sets, a face reported twice, names equal
// but for case, and vertical twins.
void AddFaces(CFakeFontSource& source)
{
    for (BYTE charSet : {ANSI_CHARSET, GREEK_CHARSET, RUSSIAN_CHARSET})
        source.AddFace(L"Tied", charSet, TRUETYPE_FONTTYPE, Both(400) | Upright(700));
    source.AddFace(L"Twice", ANSI_CHARSET, TRUETYPE_FONTTYPE, Both(400));
    source.AddFace(L"Zed", ANSI_CHARSET, TRUETYPE_FONTTYPE, Italic(300) | Both(900));
    source.AddFace(L"Twice", ANSI_CHARSET, TRUETYPE_FONTTYPE, Both(400));
    source.AddFace(L"TIED", GREEK_CHARSET, TRUETYPE_FONTTYPE, Upright(400));
    source.AddFace(L"Mincho", SHIFTJIS_CHARSET, TRUETYPE_FONTTYPE, Both(400));
    source.AddFace(L"@Mincho", SHIFTJIS_CHARSET, TRUETYPE_FONTTYPE, Upright(400));
    source.AddFace(L"Bitmap", ANSI_CHARSET, RASTER_FONTTYPE, Upright(700));
}

// What a catalogue that has never probed anything lists.
CLogFontList Uncached(CFakeFontSource& source, const gvt::CFontFilter& setting)
{
    const std::size_t probes = source.ProbeCount;
    CFontCatalogue fresh;
    CLogFontList list = fresh.Reload(true, setting, source);
    source.ProbeCount = probes;
    return list;
}

std::string Describe(const LOGFONTW& lf)
{
    char text[128];
    std::snprintf(text, sizeof text, "%ls cs=%u w=%ld i=%u", lf.lfFaceName, lf.lfCharSet, lf.lfWeight, lf.lfItalic);
    return text;
}

void ExpectSameRecords(const CLogFontList& expected, const CLogFontList& actual)
{
    ASSERT_EQ(expected.size(), actual.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_TRUE(EqualLogFont(*expected[i], *actual[i]))
            << "at " << i << ": " << Describe(*expected[i]) << " expected, " << Describe(*actual[i]) << " found";
}

std::string ReadFile(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::wstring& path, const std::string& bytes)
{
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A folder of its own below the temporary path, with the cache file's path.
class ProbeCacheFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        folder = std::wstring(temp) + L"gvt-probe-cache-" + std::to_wstring(::GetCurrentProcessId());
        file = folder + L"\\Cache\\Glyvanter32.fontcache";
        AddFaces(source);
    }
    void TearDown() override
    {
        ::DeleteFileW(file.c_str());
        ::RemoveDirectoryW(file.c_str());
        ::RemoveDirectoryW((folder + L"\\Cache").c_str());
        ::DeleteFileW((folder + L"\\Blocked").c_str());
        ::RemoveDirectoryW(folder.c_str());
    }

    // A run: a catalogue that uses the file, its first rebuild and its save.
    // Returns the number of probes the rebuild made.
    std::size_t Run(const gvt::CFontFilter& setting, const std::array<WORD, 4>& version = kVersion)
    {
        const std::size_t before = source.ProbeCount;
        CFontCatalogue catalogue;
        catalogue.UseCacheFile(file, version);
        listed = catalogue.Reload(true, setting, source);
        const std::size_t probes = source.ProbeCount - before;
        saved = catalogue.SaveCache();
        return probes;
    }

    // Every face of the character set is probed, and the list is what a
    // catalogue without any cache lists; the file is written again and the
    // next run needs no probe.
    void ExpectFullProbeAndNewFile(const char* what)
    {
        SCOPED_TRACE(what);
        const std::string before = ReadFile(file);
        EXPECT_EQ(Run(Setting(DEFAULT_CHARSET)), kProbesOfAll);
        ExpectSameRecords(Uncached(source, Setting(DEFAULT_CHARSET)), listed);
        EXPECT_EQ(saved, S_OK);
        EXPECT_NE(ReadFile(file), before) << "the cache is written again";
        EXPECT_EQ(Run(Setting(DEFAULT_CHARSET)), 0u);
        ExpectSameRecords(Uncached(source, Setting(DEFAULT_CHARSET)), listed);
    }

    std::wstring folder;
    std::wstring file;
    CFakeFontSource source;
    CLogFontList listed;
    HRESULT saved = E_FAIL;
};

}  // namespace

TEST(ProbeCacheMemory, SwitchingBackProbesNothingAndListsTheSame)
{
    CFakeFontSource source;
    AddFaces(source);
    CFontCatalogue catalogue;
    const gvt::CFontFilter settings[] = {Setting(DEFAULT_CHARSET), Setting(GREEK_CHARSET),
                                            Setting(SHIFTJIS_CHARSET, 1), Setting(DEFAULT_CHARSET),
                                            Setting(GREEK_CHARSET), Setting(SHIFTJIS_CHARSET, 1),
                                            Setting(SHIFTJIS_CHARSET)};
    const std::size_t probesFirst[] = {kProbesOfAll, 0, 18, 0, 0, 0, 0};
    for (std::size_t i = 0; i < std::size(settings); ++i) {
        SCOPED_TRACE(i);
        const std::size_t before = source.ProbeCount;
        const CLogFontList cached = catalogue.Reload(true, settings[i], source);
        EXPECT_EQ(source.ProbeCount - before, probesFirst[i]) << "only faces not probed before are probed";
        ExpectSameRecords(Uncached(source, settings[i]), cached);
    }
    EXPECT_EQ(source.Fingerprints, 0) << "without a file the fonts are not fingerprinted";

    // A face that is enumerated with other fields is another face.
    source.Faces[0].Lf.lfPitchAndFamily ^= 1;
    const std::size_t before = source.ProbeCount;
    ExpectSameRecords(Uncached(source, Setting(ANSI_CHARSET)), catalogue.Reload(true, Setting(ANSI_CHARSET), source));
    EXPECT_EQ(source.ProbeCount - before, 18u);
}

TEST_F(ProbeCacheFile, ANewRunListsTheSameFromTheFileWithoutProbing)
{
    EXPECT_EQ(Run(Setting(DEFAULT_CHARSET)), kProbesOfAll);
    EXPECT_EQ(saved, S_OK);
    const CLogFontList first = listed;
    ExpectSameRecords(Uncached(source, Setting(DEFAULT_CHARSET)), first);

    EXPECT_EQ(Run(Setting(DEFAULT_CHARSET)), 0u);
    ExpectSameRecords(first, listed);
    EXPECT_EQ(Run(Setting(SHIFTJIS_CHARSET, 1)), 18u) << "the vertical face was never probed";
    EXPECT_EQ(Run(Setting(SHIFTJIS_CHARSET, 1)), 0u) << "and is kept from now on";
    ExpectSameRecords(Uncached(source, Setting(SHIFTJIS_CHARSET, 1)), listed);
    EXPECT_EQ(source.CallsWhileClosed, 0) << "the fingerprint is taken while the source is open";
}

TEST_F(ProbeCacheFile, ChangedFontsMeanAFullProbe)
{
    Run(Setting(DEFAULT_CHARSET));
    source.AddFace(L"Added", ANSI_CHARSET, TRUETYPE_FONTTYPE, Upright(400));
    EXPECT_EQ(Run(Setting(DEFAULT_CHARSET)), kProbesOfAll + 18) << "a font added";
    ExpectSameRecords(Uncached(source, Setting(DEFAULT_CHARSET)), listed);

    source.Faces.pop_back();
    ExpectFullProbeAndNewFile("a font removed");
    source.Faces[3].Styles = Both(400) | Upright(700);
    ExpectFullProbeAndNewFile("a font replaced");
}

TEST_F(ProbeCacheFile, AfterAChangeOnlyNewFacesAreProbedAndAFaceThatComesBackIsProbedAgain)
{
    const gvt::CFontFilter all = Setting(DEFAULT_CHARSET);
    CFontCatalogue catalogue;
    catalogue.UseCacheFile(file, kVersion);
    catalogue.Reload(true, all, source);
    const auto reread = [&] {
        const std::size_t before = source.ProbeCount;
        catalogue.FontsChanged();
        ExpectSameRecords(Uncached(source, all), catalogue.Reload(true, all, source));
        return source.ProbeCount - before;
    };
    source.AddFace(L"Added", ANSI_CHARSET, TRUETYPE_FONTTYPE, Upright(400));
    EXPECT_EQ(reread(), 18u) << "only the new face";
    const CFakeFace added = source.Faces.back();
    source.Faces.pop_back();
    EXPECT_EQ(reread(), 0u);
    EXPECT_EQ(catalogue.TakeGoneFaces().size(), 1u);
    source.Faces.push_back(added);
    EXPECT_EQ(reread(), 18u) << "a face back, from a file that may have changed";
    EXPECT_EQ(catalogue.SaveCache(), S_OK);
    EXPECT_EQ(Run(all), 0u) << "the file holds for the fonts installed now";
}

TEST_F(ProbeCacheFile, ABrokenOrForeignFileMeansAFullProbe)
{
    Run(Setting(DEFAULT_CHARSET));
    const std::string good = ReadFile(file);
    ASSERT_GT(good.size(), 100u);

    WriteFile(file, good.substr(0, good.size() - 1));
    ExpectFullProbeAndNewFile("one byte short");
    WriteFile(file, good.substr(0, 30));
    ExpectFullProbeAndNewFile("cut inside the header");
    WriteFile(file, "");
    ExpectFullProbeAndNewFile("empty");
    WriteFile(file, good + "x");
    ExpectFullProbeAndNewFile("one byte too many");

    std::string garbage = good;
    for (std::size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<char>(i * 131 + 7);
    WriteFile(file, garbage);
    ExpectFullProbeAndNewFile("garbage");

    std::string flipped = good;
    flipped[good.size() / 2] ^= 0x10;
    WriteFile(file, flipped);
    ExpectFullProbeAndNewFile("one entry changed");

    std::string format = good;
    format[8] ^= 0x03;
    WriteFile(file, format);
    ExpectFullProbeAndNewFile("another format version");

    const std::string current = ReadFile(file);
    EXPECT_EQ(Run(Setting(DEFAULT_CHARSET), {1, 0, 1, 0}), kProbesOfAll) << "written by another program version";
    ExpectSameRecords(Uncached(source, Setting(DEFAULT_CHARSET)), listed);
    EXPECT_NE(ReadFile(file), current);
}

TEST_F(ProbeCacheFile, AnUnwritableFolderOnlyCostsTheSpeed)
{
    // The cache folder's place is taken by a file, so nothing can be written there.
    ::CreateDirectoryW(folder.c_str(), nullptr);
    WriteFile(folder + L"\\Blocked", "not a folder");
    file = folder + L"\\Blocked\\Glyvanter32.fontcache";
    EXPECT_EQ(Run(Setting(DEFAULT_CHARSET)), kProbesOfAll);
    EXPECT_TRUE(FAILED(saved));
    ExpectSameRecords(Uncached(source, Setting(DEFAULT_CHARSET)), listed);
    EXPECT_EQ(Run(Setting(DEFAULT_CHARSET)), kProbesOfAll);
    ExpectSameRecords(Uncached(source, Setting(DEFAULT_CHARSET)), listed);
}

// The 32-bit and the 64-bit build share the cache file: for the same entry
// and names both must write the same bytes, so each reads what the other
// wrote. The file ends in a checksum of everything before it; the value here
// is what every build computes, and changes only with the format.
TEST_F(ProbeCacheFile, BothBuildsWriteTheSameBytes)
{
    LOGFONTW face{};
    face.lfCharSet = SHIFTJIS_CHARSET;
    face.lfPitchAndFamily = FF_ROMAN | VARIABLE_PITCH;
    ::wcscpy(face.lfFaceName, L"Shared");
    gvt::CProbeCache cache;
    cache.Add(face, gvt::CProbeCache::Style(400, false) | gvt::CProbeCache::Style(700, true), TRUETYPE_FONTTYPE);
    const gvt::CProbeCacheStamp stamp{0x0123456789ABCDEFull, {1, 2, 3, 4}, 0x0FEDCBA987654321ull};
    ASSERT_EQ(gvt::WriteProbeCache(file, stamp, cache, {L"Shared", L"Other"}), S_OK);
    const std::string bytes = ReadFile(file);
    ASSERT_GE(bytes.size(), 8u);
    std::uint64_t checksum = 0;
    std::memcpy(&checksum, bytes.data() + bytes.size() - 8, 8);
    EXPECT_EQ(checksum, 0x6f185d7801c510e6ull) << std::hex << checksum;

    gvt::CProbeCache read;
    std::vector<std::wstring> names;
    ASSERT_TRUE(gvt::ReadProbeCache(file, stamp, read, names));
    gvt::CProbeCache::CStyles styles = 0;
    EXPECT_TRUE(read.Find(face, styles));
    EXPECT_EQ(styles, gvt::CProbeCache::Style(400, false) | gvt::CProbeCache::Style(700, true));
    EXPECT_EQ(names, std::vector<std::wstring>{L"Shared"}) << "a name without an entry is not written";
}

namespace {

// The file's checksum made again after its bytes were changed on purpose.
void Reseal(std::string& bytes)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (std::size_t i = 0; i < bytes.size() - 8; ++i)
        hash = (hash ^ static_cast<unsigned char>(bytes[i])) * 1099511628211ull;
    std::memcpy(&bytes[bytes.size() - 8], &hash, 8);
}

// Offsets in the file: header, then entries of a LOGFONTW and style bits.
constexpr std::size_t kEntries = 40;
constexpr std::size_t kEntry = sizeof(LOGFONTW) + 8;

std::uint32_t EntryCount(const std::string& bytes)
{
    std::uint32_t count = 0;
    std::memcpy(&count, bytes.data() + kEntries - 4, 4);
    return count;
}

void SetStyles(std::string& bytes, std::size_t entry, std::uint32_t styles)
{
    std::memcpy(&bytes[kEntries + entry * kEntry + sizeof(LOGFONTW)], &styles, 4);
}

}  // namespace

// A file with the right fingerprint and checksum is still checked: what no
// probing can find means the file was not written by this program.
TEST_F(ProbeCacheFile, EntriesThatProbingCannotFindMeanAFullProbe)
{
    Run(Setting(DEFAULT_CHARSET));
    const std::string good = ReadFile(file);
    const std::uint32_t count = EntryCount(good);
    ASSERT_GT(count, 2u);
    struct CForgery {
        const char* what;
        void (*forge)(std::string& bytes, std::uint32_t count);
    };
    const CForgery forgeries[] = {
        {"no face renders any style",
         [](std::string& b, std::uint32_t n) { for (std::uint32_t i = 0; i < n; ++i) SetStyles(b, i, 0); }},
        {"every face renders every style",
         [](std::string& b, std::uint32_t n) { for (std::uint32_t i = 0; i < n; ++i) SetStyles(b, i, (1u << 18) - 1); }},
        {"a style bit beyond the eighteen", [](std::string& b, std::uint32_t) { SetStyles(b, 1, 1u << 18); }},
        {"a font type bit GDI never reports",
         [](std::string& b, std::uint32_t) { b[kEntries + sizeof(LOGFONTW) + 4 + 1] = 1; }},
        {"a key with a weight", [](std::string& b, std::uint32_t) { b[kEntries + offsetof(LOGFONTW, lfWeight)] = 1; }},
        {"text after the end of a face name",
         [](std::string& b, std::uint32_t) { b[kEntries + sizeof(LOGFONTW) - 2] = 'x'; }},
        {"one face twice",
         [](std::string& b, std::uint32_t) { std::memcpy(&b[kEntries + kEntry], &b[kEntries], sizeof(LOGFONTW)); }},
        {"a name without an entry",
         [](std::string& b, std::uint32_t n) { b[kEntries + n * kEntry + 4] ^= 0x20; }},
    };
    for (const CForgery& forgery : forgeries) {
        std::string forged = good;
        forgery.forge(forged, count);
        Reseal(forged);
        WriteFile(file, forged);
        ExpectFullProbeAndNewFile(forgery.what);
        EXPECT_EQ(ReadFile(file), good);
    }
}

// A probe that fails says nothing about the face: the run lists what the
// other probes found, and the face is probed again next time.
TEST_F(ProbeCacheFile, AFailedProbeIsNotKept)
{
    source.FailingProbes = 3;
    EXPECT_EQ(Run(Setting(ANSI_CHARSET)), 18u * 4);
    EXPECT_EQ(saved, S_OK);
    EXPECT_EQ(Run(Setting(ANSI_CHARSET)), 18u) << "the face whose probe failed";
    ExpectSameRecords(Uncached(source, Setting(ANSI_CHARSET)), listed);
    EXPECT_EQ(Run(Setting(ANSI_CHARSET)), 0u);
}

// The names section holds only the faces installed now, however many
// other names an earlier file had.
TEST_F(ProbeCacheFile, OnlyTheNamesOfTheInstalledFacesAreWritten)
{
    Run(Setting(DEFAULT_CHARSET));
    source.Faces.erase(source.Faces.begin() + 4, source.Faces.begin() + 6);
    Run(Setting(DEFAULT_CHARSET));
    gvt::CProbeCache cache;
    std::vector<std::wstring> names;
    ASSERT_TRUE(gvt::ReadProbeCache(file, {source.Fingerprint(), kVersion, source.Files}, cache, names));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Bitmap", L"Mincho", L"TIED", L"Tied", L"Twice"}));
}

// A link in the file's place stays a link, as the settings file's does; a
// folder there is given up at once, and this program's leftovers go.
TEST_F(ProbeCacheFile, ALinkInTheFilesPlaceIsKeptAndAFolderGivenUpAtOnce)
{
    ::CreateDirectoryW(folder.c_str(), nullptr);
    ::CreateDirectoryW((folder + L"\\Cache").c_str(), nullptr);
    const std::wstring target = folder + L"\\Target.fontcache";
    WriteFile(target, "old");
    WriteFile(file + L".1f.tmp", "left over");
    WriteFile(folder + L"\\Cache\\gvt12.tmp", "another program's");
    {
        const gvt::test::CSymbolicLink link(file, target);
        if (!link.Made())
            GTEST_SKIP() << "no symbolic links here";
        Run(Setting(DEFAULT_CHARSET));
        EXPECT_EQ(saved, S_OK);
        EXPECT_EQ(Run(Setting(DEFAULT_CHARSET)), 0u);
        WriteFile(file, "through the link");
        EXPECT_EQ(ReadFile(target), "through the link");
    }
    EXPECT_EQ(::GetFileAttributesW((file + L".1f.tmp").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ReadFile(folder + L"\\Cache\\gvt12.tmp"), "another program's");
    ::DeleteFileW(target.c_str());
    ::DeleteFileW((folder + L"\\Cache\\gvt12.tmp").c_str());

    ASSERT_TRUE(::CreateDirectoryW(file.c_str(), nullptr));
    const ULONGLONG start = ::GetTickCount64();
    Run(Setting(DEFAULT_CHARSET));
    EXPECT_EQ(saved, HResultFromWin32(ERROR_ACCESS_DENIED));
    EXPECT_LT(::GetTickCount64() - start, 1000u) << "no waiting for a rename that cannot be";
}

// A reading on a thread of its own hands over batches that the catalogue
// lists in order as they come, and in the end exactly what a reading on the
// window's thread lists.
TEST_F(ProbeCacheFile, AReadingOnItsOwnThreadListsWhatAReadingHereLists)
{
    for (const gvt::CFontFilter& setting : {Setting(DEFAULT_CHARSET), Setting(SHIFTJIS_CHARSET, 1)}) {
        SCOPED_TRACE(setting.CharSet);
        ::DeleteFileW(file.c_str());
        CFontCatalogue catalogue;
        catalogue.UseCacheFile(file, kVersion);
        const HANDLE told = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
        const auto reading = std::make_shared<gvt::CFontReading>([told] { ::SetEvent(told); });
        catalogue.BeginReading(setting);
        CFakeFontSource prototype = source;
        prototype.ProbeDelay = 1;
        gvt::CReadJob job = catalogue.Job(setting);
        job.AwaitWindow = true;
        ASSERT_TRUE(gvt::StartReadingThread([prototype] { return std::make_unique<CFakeFontSource>(prototype); },
                                            job, reading));
        int batches = 0;
        for (bool finished = false; !finished;) {
            ASSERT_EQ(::WaitForSingleObject(told, 10000), WAIT_OBJECT_0);
            gvt::CReadNews news = reading->Take();
            finished = news.Finished;
            catalogue.Apply(news, setting);
            if (batches == 0) {
                EXPECT_TRUE(news.CacheFile && !news.CharSets);
                EXPECT_EQ(::WaitForSingleObject(told, 200), WAIT_TIMEOUT)
                    << "the enumeration waits until the window has drawn what the cache knows";
                reading->Proceed();
            }
            ++batches;
            for (std::size_t i = 1; i < catalogue.Count(); ++i)
                EXPECT_LE(gvt::CompareLogFont(*catalogue.At(i - 1), *catalogue.At(i)), 0) << "rows in their final order";
        }
        ::CloseHandle(told);
        EXPECT_GE(batches, 2) << "the cache file comes before the faces";
        ExpectSameRecords(Uncached(source, setting), catalogue.Displayed());
        EXPECT_EQ(catalogue.SaveCache(), S_OK);
        EXPECT_EQ(Run(setting), 0u) << "the file holds every face read";
    }
}

// Cancelled at any probe, a reading leaves a cache of the faces it probed
// whole, and nothing else: the next run probes exactly the rest.
TEST_F(ProbeCacheFile, AReadingCancelledAtAnyProbeLeavesACacheTheNextRunCompletes)
{
    for (const std::size_t cut : {std::size_t{1}, std::size_t{18}, std::size_t{19}, std::size_t{18 * 5 + 7},
                                  kProbesOfAll}) {
        SCOPED_TRACE(cut);
        ::DeleteFileW(file.c_str());
        CFontCatalogue catalogue;
        catalogue.UseCacheFile(file, kVersion);
        gvt::CFontReading reading;
        CFakeFontSource cancelling = source;
        cancelling.ProbeCount = 0;
        cancelling.AtProbe = [&](std::size_t probe) {
            if (probe == cut)
                reading.Cancel();
        };
        catalogue.BeginReading(Setting(DEFAULT_CHARSET));
        gvt::ReadFonts(cancelling, catalogue.Job(Setting(DEFAULT_CHARSET)), reading);
        gvt::CReadNews news = reading.Take();
        catalogue.Apply(news, Setting(DEFAULT_CHARSET));
        const std::size_t whole = (cut - 1) / 18;
        EXPECT_EQ(catalogue.Cache().Size(), whole);
        EXPECT_EQ(catalogue.SaveCache(), S_OK);
        EXPECT_EQ(Run(Setting(DEFAULT_CHARSET)), kProbesOfAll - 18 * whole);
        ExpectSameRecords(Uncached(source, Setting(DEFAULT_CHARSET)), listed);
    }
}
