// Figures for the font catalogue: its overhead over the bare GDI calls it
// makes, and its time and memory on a scripted source of 1,000 to 50,000 faces.
#include "fonts/FontCatalogue.h"
#include "fonts/GdiFontSource.h"
#include "support/FakeFontSource.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using gvt::CFontCatalogue;
using namespace gvt::test;

double Now()
{
    static const double frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / frequency;
}

template <typename F>
double Seconds(F&& f)
{
    const double start = Now();
    f();
    return Now() - start;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

PROCESS_MEMORY_COUNTERS_EX Memory()
{
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                           sizeof counters);
    return counters;
}

double MiB(SIZE_T bytes)
{
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

// Loads every font file under the folder and its sub-folders for this process only.
void LoadFonts(const std::wstring& folder, std::vector<std::wstring>& loaded)
{
    WIN32_FIND_DATAW found;
    const HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        const std::wstring path = folder + L"\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            LoadFonts(path, loaded);
            continue;
        }
        const std::wstring::size_type dot = name.rfind(L'.');
        const std::wstring extension = dot == std::wstring::npos ? L"" : name.substr(dot);
        if ((_wcsicmp(extension.c_str(), L".ttf") == 0 || _wcsicmp(extension.c_str(), L".otf") == 0 ||
             _wcsicmp(extension.c_str(), L".ttc") == 0 || _wcsicmp(extension.c_str(), L".fon") == 0) &&
            ::AddFontResourceExW(path.c_str(), FR_PRIVATE, nullptr) > 0)
            loaded.push_back(path);
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

// The GDI calls of a rebuild without the catalogue: enumerate, and for every
// horizontal face create, select, measure, select back and delete 18 fonts.
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

CBareLoop RunBareLoop()
{
    CBareLoop loop{::GetDC(nullptr)};
    LOGFONTW filter{};
    filter.lfCharSet = DEFAULT_CHARSET;
    ::EnumFontFamiliesExW(loop.Dc, &filter, BareProbe, reinterpret_cast<LPARAM>(&loop), 0);
    ::ReleaseDC(nullptr, loop.Dc);
    return loop;
}

void BenchGdi()
{
    std::vector<std::wstring> loaded;
    LoadFonts(L"Z:\\usr\\share\\fonts", loaded);
    LoadFonts(L"Z:\\usr\\share\\wine\\fonts", loaded);

    CFontListDlgSetting setting;
    setting.CharSet = DEFAULT_CHARSET;
    gvt::CGdiFontSource source;
    CFontCatalogue catalogue;

    // A first pass of each fills GDI's caches.
    const CBareLoop bare = RunBareLoop();
    catalogue.Reload(true, setting, source);

    constexpr int rounds = 7;
    std::vector<double> bareTimes, catalogueTimes;
    for (int i = 0; i < rounds; ++i) {
        bareTimes.push_back(Seconds([] { RunBareLoop(); }));
        catalogueTimes.push_back(Seconds([&] { catalogue.Reload(true, setting, source); }));
    }
    const double bareMs = Median(bareTimes) * 1000;
    const double catalogueMs = Median(catalogueTimes) * 1000;
    std::printf("GDI: %zu font files loaded, %u faces enumerated, %u x 18 = %u probes, %u rendered unchanged, "
                "%zu records\n",
                loaded.size(), bare.Faces, bare.Faces, bare.Faces * 18, bare.Rendered, catalogue.Count());
    std::printf("GDI: median of %d rounds: bare loop %.1f ms, Reload(true) %.1f ms, ratio %.3f (overhead %+.1f %%)\n",
                rounds, bareMs, catalogueMs, catalogueMs / bareMs, (catalogueMs / bareMs - 1) * 100);
    const double refilterMs = Seconds([&] { catalogue.Reload(false, setting, source); }) * 1000;
    std::printf("GDI: Reload(false) %.3f ms\n", refilterMs);

    for (const std::wstring& path : loaded)
        ::RemoveFontResourceExW(path.c_str(), FR_PRIVATE, nullptr);
}

// Faces named "Face n" with four styles each (400 and 700, upright and
// italic), enumerated in a scrambled or in their sorted order.
void FillFake(CFakeFontSource& source, unsigned faces, bool scrambled)
{
    source.RecordProbes = false;
    source.Faces.reserve(faces);
    for (unsigned i = 0; i < faces; ++i) {
        const unsigned n = scrambled ? static_cast<unsigned>((i * 7919ull) % faces) : i;
        wchar_t name[LF_FACESIZE];
        std::swprintf(name, LF_FACESIZE, L"Face %u", n);
        source.AddFace(name, ANSI_CHARSET, TRUETYPE_FONTTYPE, Both(400) | Both(700));
    }
}

class CNullSink : public gvt::CFontSink {
public:
    explicit CNullSink(CFakeFontSource& source) : m_source(source) {}
    void OnFace(const LOGFONTW& enumerated, DWORD) override
    {
        LOGFONTW lf = enumerated;
        gvt::CRenderedStyle style;
        for (LONG weight = 100; weight < 1000; weight += 100)
            for (BYTE italic : {0, 255}) {
                lf.lfWeight = weight;
                lf.lfItalic = italic;
                m_source.Probe(lf, style);
            }
    }

private:
    CFakeFontSource& m_source;
};

void BenchFake(unsigned faces, bool scrambled)
{
    CFakeFontSource source;
    FillFake(source, faces, scrambled);
    const SIZE_T before = Memory().PagefileUsage;

    // The source alone: enumeration and 18 probes per face, nothing kept.
    CNullSink sink(source);
    const double sourceMs = Seconds([&] {
                                source.Open();
                                source.Enumerate(DEFAULT_CHARSET, sink);
                                source.Close();
                            }) * 1000;

    CFontListDlgSetting setting;
    setting.CharSet = DEFAULT_CHARSET;
    CFontCatalogue catalogue;
    const double rebuildMs = Seconds([&] { catalogue.Reload(true, setting, source); }) * 1000;
    const SIZE_T after = Memory().PagefileUsage;

    std::vector<double> refilter;
    for (int i = 0; i < 9; ++i) {
        setting.Weight = static_cast<FontWeight4>(i % 4);
        refilter.push_back(Seconds([&] { catalogue.Reload(false, setting, source); }));
    }
    setting.Weight = FontWeight4::UNDEF;
    std::vector<double> unfiltered;
    for (int i = 0; i < 9; ++i)
        unfiltered.push_back(Seconds([&] { catalogue.Reload(false, setting, source); }));

    const double n = static_cast<double>(catalogue.Count());
    const double catalogueUs = (rebuildMs - sourceMs) * 1000;
    std::printf("fake %-9s %6u faces %7zu records: Reload(true) %9.1f ms (source alone %7.1f ms, catalogue "
                "%.3f us/record = %.4f us x log2 n), Reload(false) %.3f ms (no filter %.3f ms), "
                "memory +%.1f MiB, peak private %.1f MiB\n",
                scrambled ? "scrambled" : "sorted", faces, catalogue.Count(), rebuildMs, sourceMs, catalogueUs / n,
                catalogueUs / n / std::log2(n), Median(refilter) * 1000, Median(unfiltered) * 1000,
                MiB(after > before ? after - before : 0), MiB(Memory().PeakPagefileUsage));
}

}  // namespace

int main()
{
    BenchGdi();
    for (bool scrambled : {false, true})
        for (unsigned faces : {1000u, 2500u, 10000u, 50000u})
            BenchFake(faces, scrambled);
    return 0;
}
