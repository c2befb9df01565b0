// Figures for the glyph filter: refiltering 10,000 rows once the coverage of
// the sample text is known, against the same refilter without the glyph
// filter (the floor), both ending with the list box taking the rows; and the
// first computation, with a scripted source and with GDI on the installed fonts.
#include "fontlist/FontListBox.h"
#include "fonts/FontCatalogue.h"
#include "fonts/GdiFontSource.h"
#include "fonts/GdiGlyphSource.h"
#include "fonts/GlyphCoverage.h"
#include "support/FakeFontSource.h"

#include "WallClock.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace gvt::test;

template <typename F>
double Milliseconds(F&& f)
{
    const double start = WallSeconds();
    f();
    return (WallSeconds() - start) * 1000;
}

template <typename F>
double MedianMilliseconds(int rounds, F&& f)
{
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i)
        times.push_back(Milliseconds(f));
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Every third face has kana; all have the Latin letters.
class CScriptedGlyphs : public gvt::CGlyphSource {
public:
    void FindGlyphs(const LOGFONTW& lf, const std::vector<char32_t>& chars, std::vector<bool>& present) override
    {
        ++Calls;
        const bool kana = std::wcstoul(lf.lfFaceName + 5, nullptr, 10) % 3 == 0;
        for (std::size_t i = 0; i < chars.size(); ++i)
            present[i] = chars[i] < 0x80 || (kana && chars[i] >= 0x3040 && chars[i] < 0x3100);
    }
    int Calls = 0;
};

// A bare no-data list box for the rows to go to.
HWND MakeListWindow()
{
    return ::CreateWindowExW(0, L"LISTBOX", L"", WS_POPUP | WS_VSCROLL | LBS_NODATA | LBS_OWNERDRAWFIXED | LBS_NOTIFY,
                             0, 0, 600, 400, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
}

struct CFigures {
    std::size_t Rows = 0;
    std::size_t Kept = 0;
    double FirstMs = 0;
    double FloorMs = 0;
    double GlyphMs = 0;
};

// Refilters as the dialog does: the weight and italic filter, then the glyph
// filter or not, then the list box takes the rows.
CFigures Measure(gvt::CFontCatalogue& catalogue, gvt::CFontFilter& setting, gvt::CFontSource& fonts,
                 gvt::CGlyphSource& glyphs, const std::wstring& text)
{
    gvt::CFontListBox list;
    const HWND window = MakeListWindow();
    list.SubclassWindow(window);
    gvt::CGlyphCoverage coverage;
    CFigures figures;
    figures.Rows = catalogue.Reload(false, setting, fonts).size();
    figures.FirstMs = Milliseconds([&] { figures.Kept = coverage.Filter(catalogue.Displayed(), text, glyphs).size(); });
    figures.FloorMs = MedianMilliseconds(9, [&] { list.SetItems(catalogue.Reload(false, setting, fonts)); });
    figures.GlyphMs =
        MedianMilliseconds(9, [&] { list.SetItems(coverage.Filter(catalogue.Reload(false, setting, fonts), text, glyphs)); });
    list.UnsubclassWindow();
    ::DestroyWindow(window);
    return figures;
}

void Print(const char* what, const CFigures& f)
{
    std::printf("%s: %zu rows, %zu kept; first computation %.1f ms; refilter median of 9: floor (no glyph filter) "
                "%.2f ms, glyph filter %.2f ms, ratio %.2f, %s the 50 ms budget\n",
                what, f.Rows, f.Kept, f.FirstMs, f.FloorMs, f.GlyphMs, f.GlyphMs / f.FloorMs,
                f.GlyphMs < 50 ? "within" : "OVER");
}

void BenchScripted()
{
    CFakeFontSource fonts;
    fonts.RecordProbes = false;
    for (unsigned i = 0; i < 2500; ++i) {
        wchar_t name[LF_FACESIZE];
        std::swprintf(name, LF_FACESIZE, L"Face %u", i);
        fonts.AddFace(name, ANSI_CHARSET, TRUETYPE_FONTTYPE, Both(400) | Both(700));
    }
    gvt::CFontFilter setting;
    setting.CharSet = DEFAULT_CHARSET;
    gvt::CFontCatalogue catalogue;
    catalogue.Reload(true, setting, fonts);
    CScriptedGlyphs glyphs;
    Print("scripted, 2,500 faces x 4 styles, sample \"Aあいう\"", Measure(catalogue, setting, fonts, glyphs, L"Aあいう"));
}

void BenchGdi()
{
    gvt::CFontFilter setting;
    setting.CharSet = DEFAULT_CHARSET;
    gvt::CGdiFontSource fonts;
    gvt::CFontCatalogue catalogue;
    catalogue.Reload(true, setting, fonts);
    gvt::CGdiGlyphSource glyphs;
    Print("GDI, installed fonts, sample \"Aあいう\"", Measure(catalogue, setting, fonts, glyphs, L"Aあいう"));
}

}  // namespace

int main()
{
    BenchScripted();
    BenchGdi();
    return 0;
}
