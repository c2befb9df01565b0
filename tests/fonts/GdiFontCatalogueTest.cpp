// The catalogue on real GDI, over fonts the tests load privately. Only those
// faces are looked at: the machine may have any others.
#include "fonts/FontCatalogue.h"
#include "fonts/FontOrder.h"
#include "fonts/GdiFontSource.h"
#include "support/TestLanguage.h"

#include "support/PrivateFonts.h"

#include <gtest/gtest.h>

#include <memory>

#include <cstdio>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

using gvt::CFontCatalogue;
using gvt::CGdiFontSource;
using gvt::CompareLogFont;
using gvt::EqualLogFont;

namespace {

const std::initializer_list<const wchar_t*> kFontFiles = {
    L"Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans.ttf",
    L"Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans-Bold.ttf",
    L"Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans-Oblique.ttf",
    L"Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans-BoldOblique.ttf",
    L"Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans-ExtraLight.ttf",
    L"Z:\\usr\\share\\wine\\fonts\\sserife.fon",
    L"Z:\\usr\\share\\fonts\\opentype\\ipafont-gothic\\ipag.ttf",
};

// The IPA face goes by its Japanese name under the Japanese locale.
std::wstring IpaGothic()
{
    return gvt::test::Pick(L"IPAゴシック", L"IPAGothic");
}

// The families in those files.
const std::set<std::wstring>& LoadedFaces()
{
    static const std::set<std::wstring> faces{L"DejaVu Sans", L"DejaVu Sans Light", L"MS Sans Serif", IpaGothic(),
                                              L"@" + IpaGothic()};
    return faces;
}

bool IsLoadedFace(const LOGFONTW& lf)
{
    return LoadedFaces().count(lf.lfFaceName) != 0;
}

// Every field, for comparing sets of records and for messages.
std::string Key(const LOGFONTW& lf)
{
    char text[200];
    std::snprintf(text, sizeof text, "%ls|h%ld|w%ld|e%ld|o%ld|W%ld|i%u|u%u|s%u|c%u|op%u|cp%u|q%u|pf%u", lf.lfFaceName,
                  lf.lfHeight, lf.lfWidth, lf.lfEscapement, lf.lfOrientation, lf.lfWeight, lf.lfItalic, lf.lfUnderline,
                  lf.lfStrikeOut, lf.lfCharSet, lf.lfOutPrecision, lf.lfClipPrecision, lf.lfQuality,
                  lf.lfPitchAndFamily);
    return text;
}

struct CEnumerated {
    LOGFONTW Lf;
    DWORD Type;
};

int CALLBACK CollectLoaded(const LOGFONTW* lf, const TEXTMETRICW*, DWORD type, LPARAM lParam)
{
    if (IsLoadedFace(*lf))
        reinterpret_cast<std::vector<CEnumerated>*>(lParam)->push_back({*lf, type});
    return 1;
}

// GDI asked directly: the loaded faces of one character set.
std::vector<CEnumerated> EnumerateLoaded(HDC dc, BYTE charSet)
{
    LOGFONTW filter{};
    filter.lfCharSet = charSet;
    std::vector<CEnumerated> faces;
    ::EnumFontFamiliesExW(dc, &filter, CollectLoaded, reinterpret_cast<LPARAM>(&faces), 0);
    return faces;
}

// The styles of the loaded faces that GDI reports back unchanged, with the
// given height: what the catalogue must hold of them.
std::set<std::string> RenderedStyles(BYTE charSet, bool vertical, DWORD skippedType, LONG size)
{
    const HDC dc = ::GetDC(nullptr);
    std::set<std::string> styles;
    for (const CEnumerated& face : EnumerateLoaded(dc, charSet)) {
        if ((face.Lf.lfFaceName[0] == L'@') != vertical || (face.Type & skippedType))
            continue;
        for (LONG weight = 100; weight <= 900; weight += 100)
            for (BYTE italic : {0, 255}) {
                LOGFONTW lf = face.Lf;
                lf.lfWidth = 0;
                lf.lfWeight = weight;
                lf.lfItalic = italic;
                const HFONT font = ::CreateFontIndirectW(&lf);
                const HGDIOBJ old = ::SelectObject(dc, font);
                TEXTMETRICW tm;
                if (::GetTextMetricsW(dc, &tm) && tm.tmWeight == weight && (tm.tmItalic != 0) == (italic != 0)) {
                    lf.lfHeight = size;
                    styles.insert(Key(lf));
                }
                ::SelectObject(dc, old);
                ::DeleteObject(font);
            }
    }
    ::ReleaseDC(nullptr, dc);
    return styles;
}

gvt::CFontFilter Setting(int charSet, int tategaki = 0, FontType3 type = FontType3::UNDEF)
{
    gvt::CFontFilter setting;
    setting.CharSet = charSet;
    setting.Tategaki = tategaki;
    setting.Type = type;
    setting.Size = 22;
    return setting;
}

// The catalogue's records of the loaded faces.
std::vector<CLogFontPtr> LoadedRecords(const CFontCatalogue& catalogue)
{
    std::vector<CLogFontPtr> records;
    for (std::size_t i = 0; i < catalogue.Count(); ++i)
        if (IsLoadedFace(*catalogue.At(i)))
            records.push_back(catalogue.At(i));
    return records;
}

std::set<std::string> Keys(const std::vector<CLogFontPtr>& records)
{
    std::set<std::string> keys;
    for (const CLogFontPtr& record : records)
        keys.insert(Key(*record));
    return keys;
}

bool Has(const std::vector<CLogFontPtr>& records, const std::wstring& face, BYTE charSet, LONG weight, BYTE italic)
{
    for (const CLogFontPtr& record : records)
        if (record->lfFaceName == face && record->lfCharSet == charSet && record->lfWeight == weight &&
            record->lfItalic == italic)
            return true;
    return false;
}

}  // namespace

class GdiFontCatalogue : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_fonts = std::make_unique<gvt::test::CPrivateFonts>(kFontFiles); }
    static void TearDownTestSuite() { s_fonts.reset(); }
    void SetUp() override
    {
        ASSERT_TRUE(s_fonts->Missing().empty()) << "cannot load " << s_fonts->Missing();
    }

    // Rebuilds and checks the loaded faces against GDI itself; returns them.
    std::vector<CLogFontPtr> RebuildAndCompare(const gvt::CFontFilter& setting)
    {
        const CLogFontList& shown = catalogue.Reload(true, setting, source);
        EXPECT_EQ(shown.size(), catalogue.Count()) << "no weight or italic filter";
        const std::vector<CLogFontPtr> records = LoadedRecords(catalogue);
        const DWORD skipped = setting.Type == FontType3::RASTER   ? TRUETYPE_FONTTYPE
                              : setting.Type == FontType3::VECTOR ? RASTER_FONTTYPE
                                                                  : 0;
        const std::set<std::string> expected =
            RenderedStyles(static_cast<BYTE>(setting.CharSet), setting.Tategaki != 0, skipped, setting.Size);
        EXPECT_FALSE(expected.empty()) << "GDI itself renders none of the loaded faces";
        EXPECT_EQ(Keys(records), expected);
        EXPECT_EQ(records.size(), expected.size()) << "a style listed twice";
        for (std::size_t i = 1; i < catalogue.Count(); ++i)
            EXPECT_LE(CompareLogFont(*catalogue.At(i - 1), *catalogue.At(i)), 0)
                << Key(*catalogue.At(i - 1)) << " before " << Key(*catalogue.At(i));
        return records;
    }

    static inline std::unique_ptr<gvt::test::CPrivateFonts> s_fonts;
    CGdiFontSource source;
    CFontCatalogue catalogue;
};

TEST_F(GdiFontCatalogue, HoldsExactlyTheStylesGdiRendersUnchanged)
{
    const std::vector<CLogFontPtr> records = RebuildAndCompare(Setting(DEFAULT_CHARSET));
    for (BYTE italic : {0, 255}) {
        EXPECT_TRUE(Has(records, L"DejaVu Sans", ANSI_CHARSET, 400, italic));
        EXPECT_TRUE(Has(records, L"DejaVu Sans", ANSI_CHARSET, 700, italic));
        EXPECT_TRUE(Has(records, L"DejaVu Sans", RUSSIAN_CHARSET, 400, italic)) << "one set of records per character set";
    }
    EXPECT_TRUE(Has(records, L"DejaVu Sans Light", ANSI_CHARSET, 200, 0));
    EXPECT_TRUE(Has(records, L"MS Sans Serif", ANSI_CHARSET, 400, 0));
    EXPECT_FALSE(Has(records, L"@" + IpaGothic(), SHIFTJIS_CHARSET, 400, 0)) << "vertical faces are off";
    for (const CLogFontPtr& record : records) {
        EXPECT_EQ(record->lfHeight, 22);
        EXPECT_EQ(record->lfWidth, 0);
    }
}

TEST_F(GdiFontCatalogue, OneCharacterSetAndItsSize)
{
    gvt::CFontFilter setting = Setting(SHIFTJIS_CHARSET);
    setting.Size = 48;
    const std::vector<CLogFontPtr> records = RebuildAndCompare(setting);
    EXPECT_TRUE(Has(records, IpaGothic(), SHIFTJIS_CHARSET, 400, 0));
    for (std::size_t i = 0; i < catalogue.Count(); ++i)
        EXPECT_EQ(catalogue.At(i)->lfCharSet, SHIFTJIS_CHARSET) << Key(*catalogue.At(i));
}

TEST_F(GdiFontCatalogue, RasterTypeDropsTrueType)
{
    const std::vector<CLogFontPtr> records = RebuildAndCompare(Setting(DEFAULT_CHARSET, 0, FontType3::RASTER));
    EXPECT_TRUE(Has(records, L"MS Sans Serif", ANSI_CHARSET, 400, 0));
    for (const CLogFontPtr& record : records)
        EXPECT_STREQ(record->lfFaceName, L"MS Sans Serif");
}

TEST_F(GdiFontCatalogue, VectorTypeDropsRaster)
{
    const std::vector<CLogFontPtr> records = RebuildAndCompare(Setting(DEFAULT_CHARSET, 0, FontType3::VECTOR));
    EXPECT_TRUE(Has(records, L"DejaVu Sans", ANSI_CHARSET, 400, 0));
    EXPECT_FALSE(Has(records, L"MS Sans Serif", ANSI_CHARSET, 400, 0));
}

TEST_F(GdiFontCatalogue, TategakiListsOnlyVerticalFaces)
{
    const std::vector<CLogFontPtr> records = RebuildAndCompare(Setting(SHIFTJIS_CHARSET, 1));
    EXPECT_TRUE(Has(records, L"@" + IpaGothic(), SHIFTJIS_CHARSET, 400, 0));
    for (std::size_t i = 0; i < catalogue.Count(); ++i)
        EXPECT_EQ(catalogue.At(i)->lfFaceName[0], L'@') << Key(*catalogue.At(i));
}

TEST_F(GdiFontCatalogue, RefilterAndResizeReuseTheRecords)
{
    RebuildAndCompare(Setting(ANSI_CHARSET));
    gvt::CFontFilter setting = Setting(ANSI_CHARSET);
    setting.Weight = FontWeight4::BOLDER;
    setting.Italic = FontItalic3::ON;
    const std::size_t total = catalogue.Count();
    const CLogFontList shown = catalogue.Reload(false, setting, source);
    EXPECT_EQ(catalogue.Count(), total);
    bool boldItalicDejaVu = false;
    for (const CLogFontPtr& record : shown) {
        EXPECT_GT(record->lfWeight, 400);
        EXPECT_NE(record->lfItalic, 0);
        boldItalicDejaVu |= std::wstring(record->lfFaceName) == L"DejaVu Sans" && record->lfWeight == 700;
    }
    EXPECT_TRUE(boldItalicDejaVu);

    catalogue.SetHeight(9);
    for (const CLogFontPtr& record : shown)
        EXPECT_EQ(record->lfHeight, 9);
}

namespace {

class CThrowingSink : public gvt::CFontSink {
public:
    void OnFace(const LOGFONTW&, DWORD) override
    {
        ++Calls;
        throw std::runtime_error("sink");
    }
    int Calls = 0;
};

class CCountingSink : public gvt::CFontSink {
public:
    void OnFace(const LOGFONTW&, DWORD) override { ++Calls; }
    int Calls = 0;
};

}  // namespace

TEST_F(GdiFontCatalogue, SourceStopsAtAnExceptionAndPassesItOn)
{
    CThrowingSink throwing;
    source.Open();
    EXPECT_THROW(source.Enumerate(DEFAULT_CHARSET, throwing), std::runtime_error);
    EXPECT_EQ(throwing.Calls, 1);

    CCountingSink counting;
    source.Enumerate(DEFAULT_CHARSET, counting);
    EXPECT_GE(counting.Calls, static_cast<int>(LoadedFaces().size())) << "still usable afterwards";
    source.Close();
}

TEST_F(GdiFontCatalogue, SourceProbesOnlyWhileOpen)
{
    LOGFONTW lf{};
    lf.lfHeight = 20;
    lf.lfWeight = FW_BOLD;
    lf.lfCharSet = ANSI_CHARSET;
    lstrcpyW(lf.lfFaceName, L"DejaVu Sans");
    gvt::CRenderedStyle style;
    EXPECT_FALSE(source.Probe(lf, style));

    source.Open();
    ASSERT_TRUE(source.Probe(lf, style));
    EXPECT_EQ(style.Weight, FW_BOLD);
    EXPECT_FALSE(style.Italic);
    lf.lfWeight = FW_NORMAL;
    lf.lfItalic = 255;
    ASSERT_TRUE(source.Probe(lf, style));
    EXPECT_EQ(style.Weight, FW_NORMAL);
    EXPECT_TRUE(style.Italic);
    source.Close();
    EXPECT_FALSE(source.Probe(lf, style));
}
