// The probe caches and the fingerprint on real GDI, over fonts the tests
// load privately, and the registered font files in a registry key and a
// folder of the test's own.
#include "fonts/CharSets.h"
#include "fonts/FontCatalogue.h"
#include "fonts/FontFingerprint.h"
#include "fonts/FontOrder.h"
#include "fonts/GdiFontSource.h"
#include "support/PrivateFonts.h"
#include "support/TestLanguage.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

using gvt::CFontCatalogue;
using gvt::CFontDigest;
using gvt::CGdiFontSource;
using gvt::EqualLogFont;

namespace {

const std::initializer_list<const wchar_t*> kFontFiles = {
    gvt::test::kDejaVuSans, gvt::test::kDejaVuSansBold, gvt::test::kDejaVuSansOblique,
    gvt::test::kDejaVuSansBoldOblique, L"Z:\\usr\\share\\wine\\fonts\\sserife.fon",
    L"Z:\\usr\\share\\fonts\\opentype\\ipafont-gothic\\ipag.ttf",
};

// A copy of a DejaVu font under another family name, so that no font of the
// system's is the same face.
class CRenamedFont {
public:
    CRenamedFont()
    {
        std::ifstream in("Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSerif.ttf", std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        for (const std::string& from : {std::string("D\0e\0j\0a\0V\0u", 11), std::string("DejaVu")}) {
            std::string to = from;
            to[from.size() == 6 ? 4 : 8] = 'W';
            for (std::size_t at = bytes.find(from); at != std::string::npos; at = bytes.find(from, at + 1))
                bytes.replace(at, from.size(), to);
        }
        wchar_t temp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        m_path = std::wstring(temp) + L"gvt-renamed-" + std::to_wstring(::GetCurrentProcessId()) + L".ttf";
        std::ofstream(m_path.c_str(), std::ios::binary) << bytes;
    }
    ~CRenamedFont() { ::DeleteFileW(m_path.c_str()); }
    const std::wstring& Path() const noexcept { return m_path; }

private:
    std::wstring m_path;
};

bool IsLoadedFace(const LOGFONTW& lf)
{
    const std::wstring name = lf.lfFaceName;
    return name == L"DejaVu Sans" || name == L"MS Sans Serif" || name == gvt::test::Pick(L"IPAゴシック", L"IPAGothic") ||
           name == gvt::test::Pick(L"@IPAゴシック", L"@IPAGothic");
}

// The records of the loaded faces, in list order.
CLogFontList Loaded(const CLogFontList& list)
{
    CLogFontList loaded;
    for (const CLogFontPtr& record : list)
        if (IsLoadedFace(*record))
            loaded.push_back(record);
    return loaded;
}

std::string Describe(const LOGFONTW& lf)
{
    char text[128];
    std::snprintf(text, sizeof text, "%ls cs=%u w=%ld i=%u", lf.lfFaceName, lf.lfCharSet, lf.lfWeight, lf.lfItalic);
    return text;
}

void ExpectSameRecords(const CLogFontList& expected, const CLogFontList& actual)
{
    ASSERT_FALSE(expected.empty()) << "none of the loaded faces is listed";
    ASSERT_EQ(expected.size(), actual.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_TRUE(EqualLogFont(*expected[i], *actual[i]))
            << "at " << i << ": " << Describe(*expected[i]) << " expected, " << Describe(*actual[i]) << " found";
}

gvt::CFontFilter Setting(int charSet, int tategaki = 0, FontType3 type = FontType3::UNDEF)
{
    gvt::CFontFilter setting;
    setting.CharSet = charSet;
    setting.Tategaki = tategaki;
    setting.Type = type;
    return setting;
}

// The GDI source, counting its probes.
class CCountingSource : public CGdiFontSource {
public:
    using CGdiFontSource::CGdiFontSource;
    bool Probe(const LOGFONTW& lf, gvt::CRenderedStyle& style) override
    {
        ++Probes;
        return CGdiFontSource::Probe(lf, style);
    }
    std::size_t Probes = 0;
};

CLogFontList Uncached(const gvt::CFontFilter& setting)
{
    CGdiFontSource source;
    CFontCatalogue fresh;
    return Loaded(fresh.Reload(true, setting, source));
}

std::uint64_t Fingerprint()
{
    const HDC dc = ::GetDC(nullptr);
    const std::uint64_t value = gvt::InstalledFontsFingerprint(dc);
    ::ReleaseDC(nullptr, dc);
    return value;
}

class GdiProbeCache : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_fonts = std::make_unique<gvt::test::CPrivateFonts>(kFontFiles); }
    static void TearDownTestSuite() { s_fonts.reset(); }
    void SetUp() override { ASSERT_TRUE(s_fonts->Missing().empty()) << "cannot load " << s_fonts->Missing(); }

    static inline std::unique_ptr<gvt::test::CPrivateFonts> s_fonts;
};

}  // namespace

TEST_F(GdiProbeCache, MemoryAndFileListTheSameAsProbing)
{
    const gvt::CFontFilter settings[] = {Setting(DEFAULT_CHARSET), Setting(SHIFTJIS_CHARSET, 1),
                                            Setting(DEFAULT_CHARSET, 0, FontType3::RASTER), Setting(SHIFTJIS_CHARSET),
                                            Setting(DEFAULT_CHARSET)};
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring file = std::wstring(temp) + L"gvt-gdi-probe-cache-" + std::to_wstring(::GetCurrentProcessId());

    CCountingSource source;
    CFontCatalogue run;
    run.UseCacheFile(file, {1, 0, 0, 0});
    for (const gvt::CFontFilter& setting : settings) {
        SCOPED_TRACE(setting.CharSet);
        ExpectSameRecords(Uncached(setting), Loaded(run.Reload(true, setting, source)));
    }
    const std::size_t probes = source.Probes;
    ExpectSameRecords(Uncached(settings[0]), Loaded(run.Reload(true, settings[0], source)));
    EXPECT_EQ(source.Probes, probes) << "switching back probes nothing";
    ASSERT_EQ(run.SaveCache(), S_OK);

    // The next run starts from the file, as the program does. A fresh Wine
    // prefix may still be registering its own fonts, which changes the
    // fingerprint once: a run that had to probe writes the file anew, and
    // the one after it must probe nothing.
    std::size_t probed = 0;
    for (int run = 0; run < 2; ++run) {
        CCountingSource started;
        CFontCatalogue next;
        next.UseCacheFile(file, {1, 0, 0, 0});
        for (const gvt::CFontFilter& setting : settings)
            ExpectSameRecords(Uncached(setting), Loaded(next.Reload(true, setting, started)));
        probed = started.Probes;
        if (probed == 0)
            break;
        ASSERT_EQ(next.SaveCache(), S_OK);
    }
    EXPECT_EQ(probed, 0u) << "every face was in the file";
    ::DeleteFileW(file.c_str());
}

TEST_F(GdiProbeCache, TheFingerprintFollowsTheInstalledFonts)
{
    const std::uint64_t before = Fingerprint();
    EXPECT_EQ(Fingerprint(), before) << "the same fonts, the same fingerprint";

    const HDC dc = ::GetDC(nullptr);
    CFontDigest enumerated;
    gvt::EnumCharSets(dc, &enumerated);
    EXPECT_EQ(gvt::InstalledFontsFingerprint(dc, &enumerated), before)
        << "the character-set box's enumeration stands for the fingerprint's own";
    ::ReleaseDC(nullptr, dc);

    const CRenamedFont font;
    ASSERT_GT(::AddFontResourceExW(font.Path().c_str(), FR_PRIVATE, nullptr), 0);
    const std::uint64_t added = Fingerprint();
    ::RemoveFontResourceExW(font.Path().c_str(), FR_PRIVATE, nullptr);
    EXPECT_NE(added, before) << "a font added";
    EXPECT_EQ(Fingerprint(), before) << "and removed again";
}

namespace {

// A registry key and a folder of font files of the test's own.
class RegisteredFontFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::wstring id = std::to_wstring(::GetCurrentProcessId());
        subKey = L"Software\\Morvell\\GlyvanterTest" + id + L"\\Fonts";
        wchar_t temp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        folder = std::wstring(temp) + L"gvt-font-files-" + id;
        ::CreateDirectoryW(folder.c_str(), nullptr);
        ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, subKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                    nullptr),
                  ERROR_SUCCESS);
        Write(L"a.ttf", "first font");
        Write(L"b.ttf", "second font");
        Register(L"A (TrueType)", L"a.ttf");
        Register(L"B (TrueType)", folder + L"\\b.ttf");
    }
    void TearDown() override
    {
        ::RegCloseKey(key);
        ::RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\Morvell\\GlyvanterTest" +
                                             std::to_wstring(::GetCurrentProcessId())).c_str());
        for (const wchar_t* name : {L"a.ttf", L"b.ttf", L"c.ttf"})
            ::DeleteFileW((folder + L"\\" + name).c_str());
        ::RemoveDirectoryW(folder.c_str());
    }

    void Write(const std::wstring& name, const std::string& bytes)
    {
        std::ofstream out((folder + L"\\" + name).c_str(), std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    void Register(const std::wstring& name, const std::wstring& file)
    {
        ::RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(file.c_str()),
                         static_cast<DWORD>((file.size() + 1) * sizeof(wchar_t)));
    }
    std::uint64_t Value()
    {
        CFontDigest digest;
        gvt::AddRegisteredFontFiles(HKEY_CURRENT_USER, subKey.c_str(), folder, digest);
        return digest.Value();
    }
    void SetWriteTime(const std::wstring& name, DWORD low)
    {
        const HANDLE file = ::CreateFileW((folder + L"\\" + name).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                          OPEN_EXISTING, 0, nullptr);
        const FILETIME time{low, 0x01D00000};
        ::SetFileTime(file, nullptr, nullptr, &time);
        ::CloseHandle(file);
    }

    std::wstring subKey;
    std::wstring folder;
    HKEY key = nullptr;
};

}  // namespace

TEST_F(RegisteredFontFiles, NameSizeAndTimeOfEveryFileCount)
{
    SetWriteTime(L"a.ttf", 1000);
    SetWriteTime(L"b.ttf", 1000);
    const std::uint64_t before = Value();
    EXPECT_EQ(Value(), before);

    Write(L"a.ttf", "first font, longer");
    SetWriteTime(L"a.ttf", 1000);
    const std::uint64_t resized = Value();
    EXPECT_NE(resized, before) << "a file in the fonts folder changed its size";

    SetWriteTime(L"b.ttf", 2000);
    const std::uint64_t touched = Value();
    EXPECT_NE(touched, resized) << "a file named with its folder changed its time";

    Write(L"c.ttf", "third font");
    EXPECT_EQ(Value(), touched) << "a file that is not registered does not count";
    Register(L"C (TrueType)", L"c.ttf");
    const std::uint64_t registered = Value();
    EXPECT_NE(registered, touched) << "a font registered";

    ::DeleteFileW((folder + L"\\c.ttf").c_str());
    EXPECT_NE(Value(), registered) << "a registered file gone";
    ::RegDeleteValueW(key, L"C (TrueType)");
    EXPECT_EQ(Value(), touched) << "and its registration removed";

    Register(L"A (TrueType)", L"A.TTF");
    EXPECT_NE(Value(), touched) << "the file's name as registered counts";
}

TEST_F(RegisteredFontFiles, AStopLeavesTheDigestIncompleteAndSaysSo)
{
    int asked = 0;
    CFontDigest stopped;
    EXPECT_FALSE(gvt::AddRegisteredFontFiles(HKEY_CURRENT_USER, subKey.c_str(), folder, stopped,
                                             [&asked] { return ++asked > 1; }));
    EXPECT_EQ(asked, 2) << "asked before each value, and not again once it said stop";
    EXPECT_NE(stopped.Value(), Value());
    CFontDigest whole;
    EXPECT_TRUE(gvt::AddRegisteredFontFiles(HKEY_CURRENT_USER, subKey.c_str(), folder, whole, [] { return false; }));
    EXPECT_EQ(whole.Value(), Value());
}

TEST_F(RegisteredFontFiles, TheQuickStampFollowsRegistrationsAndTheFolder)
{
    const auto stamp = [this] {
        CFontDigest digest;
        gvt::AddFontsKeyStamp(HKEY_CURRENT_USER, subKey.c_str(), digest);
        gvt::AddFolderFiles(folder, digest);
        return digest.Value();
    };
    const std::uint64_t before = stamp();
    ::Sleep(20);
    ::RegDeleteValueW(key, L"A (TrueType)");
    Register(L"A (TrueType)", L"a.ttf");
    EXPECT_EQ(stamp(), before) << "the same registrations written again";
    Register(L"C (TrueType)", L"c.ttf");
    const std::uint64_t registered = stamp();
    EXPECT_NE(registered, before) << "a font registered";
    Write(L"c.ttf", "third font");
    EXPECT_NE(stamp(), registered) << "a file in the folder";
}

// Unzip and copy tools keep the time stamp: a file replaced by another of
// the same name, size and time is still another file.
TEST_F(RegisteredFontFiles, AFileReplacedWithTheSameNameSizeAndTimeCounts)
{
    for (const std::wstring name : {L"a.ttf", L"b.ttf"}) {
        SCOPED_TRACE(name);
        SetWriteTime(name, 1000);
        const std::uint64_t before = Value();
        Write(L"c.ttf", name == L"a.ttf" ? "first fonT" : "second fonT");
        SetWriteTime(L"c.ttf", 1000);
        ASSERT_TRUE(::MoveFileExW((folder + L"\\c.ttf").c_str(), (folder + L"\\" + name).c_str(),
                                  MOVEFILE_REPLACE_EXISTING));
        EXPECT_NE(Value(), before);
    }
}

// The 32-bit and the 64-bit build share the cache file, so they must compute
// the same fingerprint for the same fonts: nothing whose width depends on the
// build (a handle, a size_t) may go into it. A registered file that is not
// there gives the same value wherever the test runs; it is the value every
// build computes.
TEST_F(RegisteredFontFiles, TheFingerprintIsTheSameInBothBuilds)
{
    ::RegDeleteValueW(key, L"A (TrueType)");
    ::RegDeleteValueW(key, L"B (TrueType)");
    Register(L"Gone (TrueType)", L"gone.ttf");
    EXPECT_EQ(Value(), 0x6fb2edf3087110c5ull) << std::hex << Value();
}
