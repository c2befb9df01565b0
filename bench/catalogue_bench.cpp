// Figures for the font catalogue at scale. Loads N generated faces (see
// make_fonts.py; the folder bench-fonts beside this program's folder) for
// this process only and prints, for N = 1,000 and
// 10,000 and one character set, the times of
//   - the bare probe loop: the GDI calls of a rebuild with nothing kept,
//   - a cold rebuild (no cache; fingerprint taken, as at a first start),
//   - a rebuild from the memory cache (a character-set switch back),
//   - a start-up rebuild from the cache file (fingerprint, read, rebuild),
//   - the build of N faces x 9 character sets arriving in scrambled order,
// each also as a ratio to the bare loop of the same run. As in the program, the
// fingerprint takes the enumeration of all character sets that the
// character-set box makes at every start; that enumeration is shown apart.
//
// With --installed it loads nothing and only times the bare loop over the
// fonts installed for everyone, as the program sees them at a first start:
// once, fresh in this process, also from the start of the process when a
// launcher gave it in GVT_LAUNCH_QPC (see answer_times.cpp). With --add
// FOLDER it first loads the folder's .ttf files in a bare AddFontResourceExW
// loop, timed too, and then runs the bare loop over everything.
#include "fonts/CharSets.h"
#include "fonts/FontCatalogue.h"
#include "fonts/FontFingerprint.h"
#include "fonts/GdiFontSource.h"
#include "support/FakeFontSource.h"

#include "WallClock.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

using gvt::CFontCatalogue;
using namespace gvt::test;

constexpr BYTE kCharSet = ANSI_CHARSET;
constexpr unsigned kFacesPerFolder = 1000;

struct CTimes {
    double Wall = 0;
    double Cpu = 0;
};

double CpuNow()
{
    FILETIME created, exited, kernel, user;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto seconds = [](const FILETIME& t) {
        return static_cast<double>((ULONGLONG{t.dwHighDateTime} << 32) | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

template <typename F>
CTimes Measure(F&& f)
{
    const double wall = WallSeconds();
    const double cpu = CpuNow();
    f();
    return CTimes{WallSeconds() - wall, CpuNow() - cpu};
}

// The medians of wall and of CPU time.
CTimes MedianOf(std::vector<CTimes> times)
{
    const std::size_t middle = times.size() / 2;
    std::nth_element(times.begin(), times.begin() + middle, times.end(),
                     [](const CTimes& a, const CTimes& b) { return a.Wall < b.Wall; });
    const double wall = times[middle].Wall;
    std::nth_element(times.begin(), times.begin() + middle, times.end(),
                     [](const CTimes& a, const CTimes& b) { return a.Cpu < b.Cpu; });
    return CTimes{wall, times[middle].Cpu};
}

template <typename F>
CTimes Median(int rounds, F&& f)
{
    std::vector<CTimes> times;
    for (int i = 0; i < rounds; ++i)
        times.push_back(Measure(f));
    return MedianOf(std::move(times));
}

std::wstring FolderOfThisProgram()
{
    std::wstring path(MAX_PATH, L'\0');
    path.resize(::GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size())));
    return path.substr(0, path.find_last_of(L'\\'));
}

// Loads the font files of one folder for this process; returns how many.
unsigned LoadFolder(const std::wstring& folder)
{
    unsigned loaded = 0;
    WIN32_FIND_DATAW found;
    const HANDLE search = ::FindFirstFileW((folder + L"\\*.ttf").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (::AddFontResourceExW((folder + L"\\" + found.cFileName).c_str(), FR_PRIVATE, nullptr) > 0)
            ++loaded;
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return loaded;
}

// The GDI calls of a rebuild without the catalogue: enumerate one character
// set, and for every horizontal face create, select, measure, select back
// and delete 18 fonts.
struct CBareLoop {
    HDC Dc;
    unsigned Faces = 0;
    unsigned Rendered = 0;
};

int CALLBACK BareProbe(const LOGFONTW* enumerated, const TEXTMETRICW*, DWORD, LPARAM lParam)
{
    auto& loop = *reinterpret_cast<CBareLoop*>(lParam);
    if (enumerated->lfFaceName[0] == L'@')
        return 1;
    ++loop.Faces;
    LOGFONTW lf = *enumerated;
    lf.lfWidth = 0;
    for (LONG weight = 100; weight < 1000; weight += 100)
        for (BYTE italic : {0, 255}) {
            lf.lfWeight = weight;
            lf.lfItalic = italic;
            const HFONT font = ::CreateFontIndirectW(&lf);
            if (!font)
                continue;
            const HGDIOBJ old = ::SelectObject(loop.Dc, font);
            TEXTMETRICW tm;
            if (::GetTextMetricsW(loop.Dc, &tm) && tm.tmWeight == weight && (tm.tmItalic != 0) == (italic != 0))
                ++loop.Rendered;
            ::SelectObject(loop.Dc, old);
            ::DeleteObject(font);
        }
    return 1;
}

int CALLBACK CountFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM lParam)
{
    ++*reinterpret_cast<unsigned*>(lParam);
    return 1;
}

// The enumeration alone, of one character set or of all.
unsigned Enumerate(BYTE charSet)
{
    unsigned count = 0;
    const HDC dc = ::GetDC(nullptr);
    LOGFONTW filter{};
    filter.lfCharSet = charSet;
    ::EnumFontFamiliesExW(dc, &filter, CountFace, reinterpret_cast<LPARAM>(&count), 0);
    ::ReleaseDC(nullptr, dc);
    return count;
}

CBareLoop RunBareLoop()
{
    CBareLoop loop{::GetDC(nullptr)};
    LOGFONTW filter{};
    filter.lfCharSet = kCharSet;
    ::EnumFontFamiliesExW(loop.Dc, &filter, BareProbe, reinterpret_cast<LPARAM>(&loop), 0);
    ::ReleaseDC(nullptr, loop.Dc);
    return loop;
}

void Print(const char* what, const CTimes& times, const CTimes& bare)
{
    // Wine counts process time in steps of 10 ms or more: short runs show 0.
    std::printf("  %-44s %9.1f ms  %7.4f x bare (CPU %7.4f x)\n", what, times.Wall * 1000, times.Wall / bare.Wall,
                std::max(0.0, times.Cpu / bare.Cpu));
}

// Faces named "Face n", each in nine character sets and four styles (400
// and 700, upright and italic), all (face, character set) pairs arriving in
// a scrambled order.
CTimes ScrambledBuild(unsigned faces, std::size_t& records)
{
    constexpr BYTE charSets[] = {ANSI_CHARSET,   EASTEUROPE_CHARSET, RUSSIAN_CHARSET, GREEK_CHARSET, TURKISH_CHARSET,
                                 BALTIC_CHARSET, VIETNAMESE_CHARSET, HEBREW_CHARSET,  ARABIC_CHARSET};
    const unsigned entries = faces * 9;
    CFakeFontSource source;
    source.RecordProbes = false;
    source.Faces.reserve(entries);
    for (unsigned i = 0; i < entries; ++i) {
        const unsigned n = static_cast<unsigned>((i * 7919ull) % entries);
        wchar_t name[LF_FACESIZE];
        std::swprintf(name, LF_FACESIZE, L"Face %u", n / 9);
        source.AddFace(name, charSets[n % 9], TRUETYPE_FONTTYPE, Both(400) | Both(700));
    }
    gvt::CFontFilter setting;
    setting.CharSet = DEFAULT_CHARSET;
    CFontCatalogue catalogue;
    const CTimes times = Measure([&] { catalogue.Reload(true, setting, source); });
    records = catalogue.Count();
    return times;
}

void Run(unsigned faces, unsigned loadedFiles, const std::wstring& cacheFile)
{
    gvt::CFontFilter setting;
    setting.CharSet = kCharSet;
    const std::array<WORD, 4> version{1, 0, 0, 0};

    // What the character-set box does at every start, as the program's
    // fingerprint takes it from there.
    gvt::CFontDigest enumerated;
    const CTimes charSetBox = Median(3, [&] {
        const HDC dc = ::GetDC(nullptr);
        gvt::EnumCharSets(dc, &enumerated);
        ::ReleaseDC(nullptr, dc);
    });
    gvt::CGdiFontSource source;
    ::DeleteFileW(cacheFile.c_str());

    // A first pass makes GDI read every face once. Then bare loops and cold
    // rebuilds take turns, so that both see the same load of the machine.
    const CBareLoop bare = RunBareLoop();
    const int rounds = faces < 5000 ? 5 : 3;
    std::vector<CTimes> bares, colds;
    std::optional<CFontCatalogue> cold;
    for (int i = 0; i < rounds; ++i) {
        bares.push_back(Measure([] { RunBareLoop(); }));
        ::DeleteFileW(cacheFile.c_str());
        cold.emplace();
        cold->UseCacheFile(cacheFile, version);
        colds.push_back(Measure([&] { cold->Reload(true, setting, source); }));
    }
    const CTimes bareTimes = MedianOf(bares);
    const CTimes coldTimes = MedianOf(colds);

    const CTimes save = Measure([&] { cold->SaveCache(); });
    const CTimes memory = Median(5, [&] { cold->Reload(true, setting, source); });
    const CTimes disk = Median(3, [&] {
        CFontCatalogue warm;
        gvt::CGdiFontSource started;
        warm.UseCacheFile(cacheFile, version);
        warm.Reload(true, setting, started);
    });
    unsigned oneSet = 0;
    const CTimes enumerateOne = Median(5, [&] { oneSet = Enumerate(kCharSet); });
    const CTimes fingerprint = Median(3, [&] {
        const HDC dc = ::GetDC(nullptr);
        gvt::InstalledFontsFingerprint(dc, &enumerated);
        ::ReleaseDC(nullptr, dc);
    });
    std::size_t scrambledRecords = 0;
    const CTimes scrambled = ScrambledBuild(faces, scrambledRecords);

    WIN32_FILE_ATTRIBUTE_DATA file{};
    ::GetFileAttributesExW(cacheFile.c_str(), GetFileExInfoStandard, &file);
    std::printf("N = %u generated faces (%u files) in character set %u: %u faces enumerated, %u x 18 probes, "
                "%zu records, cache %zu entries, %lu KiB\n",
                faces, loadedFiles, kCharSet, bare.Faces, bare.Faces, cold->Count(), cold->Cache().Size(),
                file.nFileSizeLow / 1024);
    char what[96];
    std::snprintf(what, sizeof what, "bare probe loop (median of %d)", rounds);
    std::printf("  %-44s %9.1f ms\n", what, bareTimes.Wall * 1000);
    std::snprintf(what, sizeof what, "cold rebuild (median of %d)", rounds);
    Print(what, coldTimes, bareTimes);
    Print("writing the cache file", save, bareTimes);
    Print("rebuild from the memory cache (median of 5)", memory, bareTimes);
    Print("start-up rebuild from the cache file (of 3)", disk, bareTimes);
    std::snprintf(what, sizeof what, "enumerating the set alone (%u faces)", oneSet);
    Print(what, enumerateOne, bareTimes);
    Print("fingerprint (given the box's enumeration)", fingerprint, bareTimes);
    Print("character-set box: all sets, with digest", charSetBox, bareTimes);
    std::snprintf(what, sizeof what, "scrambled build, %u x 9 sets, %zu records", faces, scrambledRecords);
    Print(what, scrambled, bareTimes);
    std::fflush(stdout);
    ::DeleteFileW(cacheFile.c_str());
}

// Prints "name value" lines for startup_bench.sh and added_fonts_bench.sh.
int TimeInstalledFonts(const wchar_t* addFolder)
{
    if (addFolder) {
        const double started = WallSeconds();
        const unsigned loaded = LoadFolder(addFolder);
        std::printf("bare_add %.3f\nbare_add_files %u\n", WallSeconds() - started, loaded);
    }
    const double first = WallSeconds();
    const CBareLoop loop = RunBareLoop();
    const double end = WallSeconds();
    std::printf("bare_faces %u\nbare_first %.3f\n", loop.Faces, end - first);
    if (const char* launched = std::getenv("GVT_LAUNCH_QPC")) {
        LARGE_INTEGER frequency;
        ::QueryPerformanceFrequency(&frequency);
        const double start = static_cast<double>(std::strtoll(launched, nullptr, 10)) / frequency.QuadPart;
        std::printf("bare_from_start %.3f\n", end - start);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::string(argv[1]) == "--installed")
        return TimeInstalledFonts(nullptr);
    if (argc > 2 && std::string(argv[1]) == "--add") {
        const std::string folder = argv[2];
        return TimeInstalledFonts(std::wstring(folder.begin(), folder.end()).c_str());
    }

    const std::wstring here = FolderOfThisProgram();
    const std::wstring fonts = here + L"\\..\\bench-fonts";
    const std::wstring cacheFile = here + L"\\catalogue_bench.fontcache";
    unsigned folders = 0;
    unsigned files = 0;
    for (unsigned faces : {1000u, 10000u}) {
        for (; folders < faces / kFacesPerFolder; ++folders) {
            wchar_t name[8];
            std::swprintf(name, 8, L"%02u", folders);
            const unsigned loaded = LoadFolder(fonts + L"\\" + name);
            if (loaded == 0) {
                std::fwprintf(stderr, L"no fonts in %ls\\%ls: run make_fonts.py first\n", fonts.c_str(), name);
                return 1;
            }
            files += loaded;
        }
        Run(faces, files, cacheFile);
    }
    return 0;
}
