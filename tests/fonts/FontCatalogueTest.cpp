// The catalogue on a scripted font source.
#include "fonts/FontCatalogue.h"
#include "fonts/FontOrder.h"
#include "support/FakeFontSource.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <utility>
#include <vector>

using gvt::CFontCatalogue;
using gvt::CompareLogFont;
using gvt::EqualLogFont;
using namespace gvt::test;

namespace {

std::string Describe(const LOGFONTW& lf)
{
    char text[128];
    std::snprintf(text, sizeof text, "%ls cs=%u w=%ld i=%u h=%ld", lf.lfFaceName, lf.lfCharSet, lf.lfWeight,
                  lf.lfItalic, lf.lfHeight);
    return text;
}

std::set<std::wstring> FaceNames(const CLogFontList& list)
{
    std::set<std::wstring> names;
    for (const CLogFontPtr& record : list)
        names.insert(record->lfFaceName);
    return names;
}

// (weight, italic) of every record, in list order.
std::vector<std::pair<LONG, int>> Styles(const CLogFontList& list)
{
    std::vector<std::pair<LONG, int>> styles;
    for (const CLogFontPtr& record : list)
        styles.emplace_back(record->lfWeight, record->lfItalic);
    return styles;
}

CLogFontList Records(const CFontCatalogue& catalogue)
{
    CLogFontList records;
    for (std::size_t i = 0; i < catalogue.Count(); ++i)
        records.push_back(catalogue.At(i));
    return records;
}

gvt::CFontFilter Setting(int charSet = DEFAULT_CHARSET, int tategaki = 0, FontType3 type = FontType3::UNDEF)
{
    gvt::CFontFilter setting;
    setting.CharSet = charSet;
    setting.Tategaki = tategaki;
    setting.Type = type;
    return setting;
}

// Sorted by the font order, no two records equal.
void ExpectSortedAndUnique(const CLogFontList& records)
{
    for (std::size_t i = 1; i < records.size(); ++i)
        EXPECT_LE(CompareLogFont(*records[i - 1], *records[i]), 0)
            << Describe(*records[i - 1]) << " before " << Describe(*records[i]);
    for (std::size_t i = 0; i < records.size(); ++i)
        for (std::size_t j = i + 1; j < records.size() && CompareLogFont(*records[i], *records[j]) == 0; ++j)
            EXPECT_FALSE(EqualLogFont(*records[i], *records[j])) << Describe(*records[i]) << " twice";
}

}  // namespace

TEST(FontCatalogueMask, FromTategakiAndType)
{
    EXPECT_EQ(CFontCatalogue::ExclusionMask(Setting(0, 0, FontType3::UNDEF)), 0x1u);
    EXPECT_EQ(CFontCatalogue::ExclusionMask(Setting(0, 1, FontType3::UNDEF)), 0x2u);
    EXPECT_EQ(CFontCatalogue::ExclusionMask(Setting(0, -5, FontType3::UNDEF)), 0x2u) << "any non-zero Tategaki";
    EXPECT_EQ(CFontCatalogue::ExclusionMask(Setting(0, 0, FontType3::RASTER)), 0x9u);
    EXPECT_EQ(CFontCatalogue::ExclusionMask(Setting(0, 0, FontType3::VECTOR)), 0x5u);
    EXPECT_EQ(CFontCatalogue::ExclusionMask(Setting(0, 1, FontType3::RASTER)), 0xAu);
    EXPECT_EQ(CFontCatalogue::ExclusionMask(Setting(0, 1, FontType3::VECTOR)), 0x6u);
    EXPECT_EQ(CFontCatalogue::ExclusionMask(Setting(0, 0, static_cast<FontType3>(3))), 0x1u);
}

class FontCatalogueMaskFaces : public ::testing::Test {
protected:
    void SetUp() override
    {
        source.AddFace(L"Truly", ANSI_CHARSET, TRUETYPE_FONTTYPE, Upright(400));
        source.AddFace(L"@Truly", ANSI_CHARSET, TRUETYPE_FONTTYPE, Upright(400));
        source.AddFace(L"Bitmap", ANSI_CHARSET, RASTER_FONTTYPE, Upright(700));
        source.AddFace(L"Stroke", ANSI_CHARSET, 0, Upright(400));
        source.AddFace(L"@Bitmap", ANSI_CHARSET, RASTER_FONTTYPE, Upright(400));
    }

    // A catalogue of its own each time: a face probed before would not be probed again.
    std::set<std::wstring> Listed(int tategaki, FontType3 type)
    {
        source.Probes.clear();
        CFontCatalogue catalogue;
        const std::set<std::wstring> names = FaceNames(catalogue.Reload(true, Setting(0, tategaki, type), source));
        std::set<std::wstring> probed;
        for (const LOGFONTW& lf : source.Probes)
            probed.insert(lf.lfFaceName);
        EXPECT_EQ(probed, names) << "a skipped face is not probed";
        return names;
    }

    CFakeFontSource source;
};

TEST_F(FontCatalogueMaskFaces, EachBitSkipsItsFaces)
{
    using Names = std::set<std::wstring>;
    EXPECT_EQ(Listed(0, FontType3::UNDEF), (Names{L"Truly", L"Bitmap", L"Stroke"}));
    EXPECT_EQ(Listed(1, FontType3::UNDEF), (Names{L"@Truly", L"@Bitmap"}));
    EXPECT_EQ(Listed(0, FontType3::RASTER), (Names{L"Bitmap", L"Stroke"})) << "TrueType dropped, vector kept";
    EXPECT_EQ(Listed(0, FontType3::VECTOR), (Names{L"Truly", L"Stroke"})) << "raster dropped, vector kept";
    EXPECT_EQ(Listed(1, FontType3::RASTER), (Names{L"@Bitmap"}));
    EXPECT_EQ(Listed(1, FontType3::VECTOR), (Names{L"@Truly"}));
}

TEST(FontCatalogueProbe, NineWeightsUprightThenItalic)
{
    CFakeFontSource source;
    LOGFONTW enumerated = EnumeratedFont(L"Face", GREEK_CHARSET);
    enumerated.lfWeight = 700;
    enumerated.lfItalic = 255;
    enumerated.lfEscapement = 30;
    source.AddFace(enumerated, TRUETYPE_FONTTYPE, Upright(400));
    CFontCatalogue catalogue;
    catalogue.Reload(true, Setting(), source);

    ASSERT_EQ(source.Probes.size(), 18u);
    for (std::size_t i = 0; i < source.Probes.size(); ++i) {
        const LOGFONTW& probe = source.Probes[i];
        SCOPED_TRACE(Describe(probe));
        EXPECT_EQ(probe.lfWeight, static_cast<LONG>(i / 2 + 1) * 100);
        EXPECT_EQ(probe.lfItalic, i % 2 ? 255 : 0);
        EXPECT_EQ(probe.lfWidth, 0);
        LOGFONTW asEnumerated = probe;
        asEnumerated.lfWidth = enumerated.lfWidth;
        asEnumerated.lfWeight = enumerated.lfWeight;
        asEnumerated.lfItalic = enumerated.lfItalic;
        EXPECT_TRUE(EqualLogFont(asEnumerated, enumerated)) << "height, character set and the rest as enumerated";
    }
}

TEST(FontCatalogueProbe, KeepsOnlyExactWeightAndItalic)
{
    CFakeFontSource source;
    // Renders 300 italic, 400 upright and 700 both ways; every other weight
    // comes back as 300, and 300 or 400 the other way up with italic flipped.
    source.AddFace(L"Face", ANSI_CHARSET, TRUETYPE_FONTTYPE, Italic(300) | Upright(400) | Both(700));
    source.AddFace(L"Broken", ANSI_CHARSET, TRUETYPE_FONTTYPE, 0);
    CFontCatalogue catalogue;
    const CLogFontList& listed = catalogue.Reload(true, Setting(), source);

    EXPECT_EQ(source.ProbeCount, 36u);
    const std::vector<std::pair<LONG, int>> expected{{400, 0}, {700, 0}, {300, 255}, {700, 255}};
    EXPECT_EQ(Styles(listed), expected);
    EXPECT_EQ(FaceNames(listed), std::set<std::wstring>{L"Face"}) << "a face that cannot be created yields nothing";
}

TEST(FontCatalogueProbe, RecordsKeepTheEnumeratedFieldsWithSizeAndNoWidth)
{
    CFakeFontSource source;
    LOGFONTW enumerated = EnumeratedFont(L"Face", RUSSIAN_CHARSET);
    enumerated.lfEscapement = 450;
    enumerated.lfOrientation = 450;
    enumerated.lfUnderline = 1;
    enumerated.lfStrikeOut = 1;
    source.AddFace(enumerated, TRUETYPE_FONTTYPE, Both(400) | Upright(900));
    gvt::CFontFilter setting = Setting();
    setting.Size = 31;
    CFontCatalogue catalogue;
    const CLogFontList& listed = catalogue.Reload(true, setting, source);

    ASSERT_EQ(listed.size(), 3u);
    for (const CLogFontPtr& record : listed) {
        LOGFONTW expected = enumerated;
        expected.lfHeight = 31;
        expected.lfWidth = 0;
        expected.lfWeight = record->lfWeight;
        expected.lfItalic = record->lfItalic;
        EXPECT_TRUE(EqualLogFont(*record, expected)) << Describe(*record);
    }
}

TEST(FontCatalogueOrder, SortedWhateverTheEnumerationOrder)
{
    CFakeFontSource source;
    for (const wchar_t* name : {L"Font10", L"font2", L"@Font3", L"Font1", L"Zeta", L"FONT2", L"alpha", L"Font2"})
        source.AddFace(name, ANSI_CHARSET, TRUETYPE_FONTTYPE, Both(400) | Upright(700));
    CFontCatalogue catalogue;
    const CLogFontList& listed = catalogue.Reload(true, Setting(), source);

    EXPECT_EQ(listed.size(), 7u * 3) << "\"@Font3\" is vertical and skipped";
    ExpectSortedAndUnique(listed);
    const auto position = [&](const wchar_t* name) {
        for (std::size_t i = 0; i < listed.size(); ++i)
            if (std::wstring(listed[i]->lfFaceName) == name)
                return i;
        return listed.size();
    };
    EXPECT_LT(position(L"Font1"), position(L"Font2"));
    EXPECT_LT(position(L"Font2"), position(L"Font10"));
    EXPECT_LT(position(L"alpha"), position(L"Font1"));
    EXPECT_LT(position(L"Font10"), position(L"Zeta"));

    // The three names that differ only in case form one run, ordered by style:
    // all their upright 400 records, then the upright 700, then the italic.
    std::vector<std::size_t> at;
    std::vector<std::pair<LONG, int>> font2Styles;
    for (std::size_t i = 0; i < listed.size(); ++i)
        if (_wcsicmp(listed[i]->lfFaceName, L"font2") == 0) {
            at.push_back(i);
            font2Styles.emplace_back(listed[i]->lfWeight, listed[i]->lfItalic);
        }
    ASSERT_EQ(at.size(), 9u);
    EXPECT_EQ(at.back() - at.front(), 8u);
    const std::vector<std::pair<LONG, int>> expected{{400, 0}, {400, 0}, {400, 0}, {700, 0}, {700, 0},
                                                     {700, 0}, {400, 255}, {400, 255}, {400, 255}};
    EXPECT_EQ(font2Styles, expected);
}

TEST(FontCatalogueOrder, VerticalFacesSortByTheirWholeName)
{
    CFakeFontSource source;
    for (const wchar_t* name : {L"@Font10", L"Font2", L"@Font2", L"@font1"})
        source.AddFace(name, SHIFTJIS_CHARSET, TRUETYPE_FONTTYPE, Upright(400));
    CFontCatalogue catalogue;
    const CLogFontList& listed = catalogue.Reload(true, Setting(SHIFTJIS_CHARSET, 1), source);
    std::vector<std::wstring> names;
    for (const CLogFontPtr& record : listed)
        names.push_back(record->lfFaceName);
    EXPECT_EQ(names, (std::vector<std::wstring>{L"@font1", L"@Font2", L"@Font10"}));
}

TEST(FontCatalogueTies, LastEnumeratedCharacterSetStandsFirst)
{
    CFakeFontSource source;
    for (BYTE charSet : {ANSI_CHARSET, EASTEUROPE_CHARSET, RUSSIAN_CHARSET})
        source.AddFace(L"DejaVu Sans", charSet, TRUETYPE_FONTTYPE, Upright(400) | Upright(700));
    CFontCatalogue catalogue;
    const CLogFontList& listed = catalogue.Reload(true, Setting(), source);

    std::vector<std::pair<LONG, int>> order;
    for (const CLogFontPtr& record : listed)
        order.emplace_back(record->lfWeight, record->lfCharSet);
    const std::vector<std::pair<LONG, int>> expected{{400, RUSSIAN_CHARSET}, {400, EASTEUROPE_CHARSET},
                                                     {400, ANSI_CHARSET},    {700, RUSSIAN_CHARSET},
                                                     {700, EASTEUROPE_CHARSET}, {700, ANSI_CHARSET}};
    EXPECT_EQ(order, expected);
}

TEST(FontCatalogueTies, AStyleReportedAgainIsListedOnce)
{
    CFakeFontSource source;
    // Reported again after its twin in another character set, and again right after itself.
    source.AddFace(L"Face", ANSI_CHARSET, TRUETYPE_FONTTYPE, Both(400));
    source.AddFace(L"Face", GREEK_CHARSET, TRUETYPE_FONTTYPE, Both(400));
    source.AddFace(L"Face", ANSI_CHARSET, TRUETYPE_FONTTYPE, Both(400));
    source.AddFace(L"Face", ANSI_CHARSET, TRUETYPE_FONTTYPE, Both(400));
    CFontCatalogue catalogue;
    const CLogFontList& listed = catalogue.Reload(true, Setting(), source);

    std::vector<std::pair<int, int>> order;
    for (const CLogFontPtr& record : listed)
        order.emplace_back(record->lfItalic, record->lfCharSet);
    const std::vector<std::pair<int, int>> expected{
        {0, GREEK_CHARSET}, {0, ANSI_CHARSET}, {255, GREEK_CHARSET}, {255, ANSI_CHARSET}};
    EXPECT_EQ(order, expected);
}

TEST(FontCatalogueReload, EnumeratesTheLowByteOfCharSetOnlyWhenAsked)
{
    CFakeFontSource source;
    source.AddFace(L"Mincho", SHIFTJIS_CHARSET, TRUETYPE_FONTTYPE, Upright(400));
    source.AddFace(L"Sans", ANSI_CHARSET, TRUETYPE_FONTTYPE, Upright(400));
    CFontCatalogue catalogue;
    gvt::CFontFilter setting = Setting(0x100 | SHIFTJIS_CHARSET);

    EXPECT_EQ(FaceNames(catalogue.Reload(true, setting, source)), std::set<std::wstring>{L"Mincho"});
    EXPECT_EQ(source.EnumeratedCharSets, std::vector<BYTE>{SHIFTJIS_CHARSET});
    const std::size_t probes = source.ProbeCount;

    setting.Weight = FontWeight4::BOLDER;
    EXPECT_TRUE(catalogue.Reload(false, setting, source).empty());
    EXPECT_EQ(source.EnumeratedCharSets.size(), 1u) << "a refilter does not enumerate";
    EXPECT_EQ(source.ProbeCount, probes);
    EXPECT_EQ(catalogue.Count(), 1u);

    EXPECT_EQ(source.Opens, 1) << "a refilter does not open the source";
    EXPECT_EQ(source.Closes, 1);
    EXPECT_EQ(source.CallsWhileClosed, 0);
}

TEST(FontCatalogueTies, NamesEqualButForCaseShareOneRun)
{
    CFakeFontSource source;
    source.AddFace(L"Face", ANSI_CHARSET, TRUETYPE_FONTTYPE, Both(400));
    source.AddFace(L"FACE", GREEK_CHARSET, TRUETYPE_FONTTYPE, Both(400));
    CFontCatalogue catalogue;
    const CLogFontList& listed = catalogue.Reload(true, Setting(), source);

    std::vector<std::pair<int, int>> order;
    for (const CLogFontPtr& record : listed)
        order.emplace_back(record->lfItalic, record->lfCharSet);
    const std::vector<std::pair<int, int>> expected{
        {0, GREEK_CHARSET}, {0, ANSI_CHARSET}, {255, GREEK_CHARSET}, {255, ANSI_CHARSET}};
    EXPECT_EQ(order, expected);
}

TEST(FontCatalogueReload, ARebuildStartsFromNothing)
{
    CFakeFontSource source;
    // The next rebuild begins with the face this one ends with.
    source.AddFace(L"Old", ANSI_CHARSET, TRUETYPE_FONTTYPE, Both(400));
    source.AddFace(L"Older", ANSI_CHARSET, TRUETYPE_FONTTYPE, Both(700));
    source.AddFace(L"Old", GREEK_CHARSET, TRUETYPE_FONTTYPE, Both(400));
    CFontCatalogue catalogue;
    const CLogFontList first = catalogue.Reload(true, Setting(), source);
    const CLogFontList again = catalogue.Reload(true, Setting(), source);
    ASSERT_EQ(first.size(), 6u);
    ASSERT_EQ(again.size(), first.size()) << "the same faces give the same catalogue";
    for (std::size_t i = 0; i < first.size(); ++i) {
        EXPECT_TRUE(EqualLogFont(*first[i], *again[i])) << Describe(*first[i]);
        EXPECT_NE(first[i], again[i]) << "new records";
    }
    source.Faces.clear();
    source.AddFace(L"New", ANSI_CHARSET, TRUETYPE_FONTTYPE, Upright(400));
    EXPECT_EQ(FaceNames(catalogue.Reload(true, Setting(), source)), std::set<std::wstring>{L"New"});
    EXPECT_EQ(catalogue.Count(), 1u);

    source.Faces.clear();
    EXPECT_TRUE(catalogue.Reload(true, Setting(), source).empty()) << "no faces, no rows";
    EXPECT_EQ(catalogue.Count(), 0u);
}

// A damaged face must not stop the reading: it is left out, not cached, and
// asked again by the next reading.
TEST(FontCatalogueReload, AFaceWhoseProbingThrowsIsSkipped)
{
    CFakeFontSource source;
    source.AddFace(L"A", ANSI_CHARSET, TRUETYPE_FONTTYPE, Both(400));
    source.AddFace(L"B", ANSI_CHARSET, TRUETYPE_FONTTYPE, Both(400));
    source.AddFace(L"C", ANSI_CHARSET, TRUETYPE_FONTTYPE, Both(400));
    source.ThrowingFace = L"B";
    CFontCatalogue catalogue;
    EXPECT_EQ(FaceNames(catalogue.Reload(true, Setting(), source)), (std::set<std::wstring>{L"A", L"C"}));
    EXPECT_EQ(source.Opens, source.Closes);
    EXPECT_EQ(catalogue.Cache().Size(), 2u);

    source.ThrowingFace.clear();
    EXPECT_EQ(FaceNames(catalogue.Reload(true, Setting(), source)), (std::set<std::wstring>{L"A", L"B", L"C"}));
    EXPECT_EQ(catalogue.Count(), 6u);
}

// So must a face that takes too long, such as one on a share that stopped
// answering: it is left out once its probes outlast the limit.
TEST(FontCatalogueReload, AFaceWhoseProbingTakesTooLongIsSkipped)
{
    CFakeFontSource source;
    for (const wchar_t* name : {L"A", L"Slow", L"C"})
        source.AddFace(name, ANSI_CHARSET, TRUETYPE_FONTTYPE, Both(400));
    source.AtProbe = [](std::size_t probe) {
        if (probe == 19)
            ::Sleep(100);
    };
    CFontCatalogue catalogue;
    gvt::CReadJob job = catalogue.Job(Setting());
    job.SlowFaceLimit = 50;
    gvt::CFontReading reading;
    catalogue.BeginReading(Setting());
    gvt::ReadFonts(source, job, reading);
    gvt::CReadNews news = reading.Take();
    catalogue.Apply(news, Setting());
    EXPECT_EQ(FaceNames(catalogue.Displayed()), (std::set<std::wstring>{L"A", L"C"}));
    EXPECT_EQ(news.Done, 3u) << "the skipped face counts as read";
    EXPECT_LT(source.ProbeCount, 18u * 3) << "its probing stopped at the limit";
}

class FontCatalogueFilter : public ::testing::Test {
protected:
    void SetUp() override
    {
        source.AddFace(L"Light", ANSI_CHARSET, TRUETYPE_FONTTYPE, Both(300) | Upright(700));
        source.AddFace(L"Normal", ANSI_CHARSET, TRUETYPE_FONTTYPE, Both(400));
        source.AddFace(L"Ranged", ANSI_CHARSET, TRUETYPE_FONTTYPE, Upright(100) | Italic(500) | Upright(900));
        catalogue.Reload(true, Setting(), source);
    }

    // (weight, italic) of the displayed records.
    std::vector<std::pair<LONG, int>> Shown(int weight, int italic)
    {
        gvt::CFontFilter setting = Setting();
        setting.Weight = static_cast<FontWeight4>(weight);
        setting.Italic = static_cast<FontItalic3>(italic);
        const CLogFontList& shown = catalogue.Reload(false, setting, source);
        // Whatever passes is shown in catalogue order, sharing the records.
        std::size_t at = 0;
        for (const CLogFontPtr& record : shown) {
            while (at < catalogue.Count() && catalogue.At(at) != record)
                ++at;
            EXPECT_LT(at, catalogue.Count()) << Describe(*record) << " is not the catalogue's record in order";
        }
        return Styles(shown);
    }

    CFakeFontSource source;
    CFontCatalogue catalogue;
};

TEST_F(FontCatalogueFilter, Weight)
{
    using S = std::vector<std::pair<LONG, int>>;
    const S all{{300, 0}, {700, 0}, {300, 255}, {400, 0}, {400, 255}, {100, 0}, {900, 0}, {500, 255}};
    EXPECT_EQ(Shown(0, 0), all);
    EXPECT_EQ(Shown(1, 0), (S{{400, 0}, {400, 255}}));
    EXPECT_EQ(Shown(2, 0), (S{{300, 0}, {300, 255}, {100, 0}}));
    EXPECT_EQ(Shown(3, 0), (S{{700, 0}, {900, 0}, {500, 255}}));
    EXPECT_EQ(Shown(7, 0), all) << "an unknown weight filters nothing";
    EXPECT_EQ(Shown(-1, 0), all);
}

TEST_F(FontCatalogueFilter, Italic)
{
    using S = std::vector<std::pair<LONG, int>>;
    const S all = Shown(0, 0);
    EXPECT_EQ(Shown(0, 1), (S{{300, 0}, {700, 0}, {400, 0}, {100, 0}, {900, 0}}));
    EXPECT_EQ(Shown(0, 2), (S{{300, 255}, {400, 255}, {500, 255}}));
    EXPECT_EQ(Shown(0, 3), all) << "an unknown italic value filters nothing";
    EXPECT_EQ(Shown(0, 255), all);
}

TEST_F(FontCatalogueFilter, WeightAndItalicTogether)
{
    using S = std::vector<std::pair<LONG, int>>;
    EXPECT_EQ(Shown(3, 2), (S{{500, 255}}));
    EXPECT_EQ(Shown(1, 1), (S{{400, 0}}));
    EXPECT_EQ(Shown(2, 7), (S{{300, 0}, {300, 255}, {100, 0}}));
    EXPECT_EQ(Shown(0, 0).size(), catalogue.Count()) << "the filter never removes from the catalogue";
}

TEST(FontCatalogueSize, AppliedToEveryRecordAndSeenThroughTheList)
{
    CFakeFontSource source;
    source.AddFace(L"A", ANSI_CHARSET, TRUETYPE_FONTTYPE, Both(400) | Both(700));
    source.AddFace(L"B", GREEK_CHARSET, RASTER_FONTTYPE, Upright(400));
    gvt::CFontFilter setting = Setting();
    setting.Size = 40;
    setting.Italic = FontItalic3::OFF;
    CFontCatalogue catalogue;
    const CLogFontList shown = catalogue.Reload(true, setting, source);
    ASSERT_EQ(catalogue.Count(), 5u);
    for (const CLogFontPtr& record : Records(catalogue)) {
        EXPECT_EQ(record->lfHeight, 40);
        EXPECT_EQ(record->lfWidth, 0);
    }

    catalogue.SetHeight(-13);
    for (const CLogFontPtr& record : Records(catalogue)) {
        EXPECT_EQ(record->lfHeight, -13);
        EXPECT_EQ(record->lfWidth, 0);
    }
    ASSERT_EQ(shown.size(), 3u);
    for (const CLogFontPtr& record : shown)
        EXPECT_EQ(record->lfHeight, -13) << "the list shares the records";
    ExpectSortedAndUnique(Records(catalogue));
}

TEST(FontCatalogueGrowth, FiftyThousandRecordsStaySorted)
{
    CFakeFontSource source;
    source.RecordProbes = false;
    // 12,500 faces in a scrambled order, four styles each.
    constexpr unsigned faces = 12500;
    source.Faces.reserve(faces);
    for (unsigned i = 0; i < faces; ++i) {
        const unsigned n = (i * 7919u) % faces;  // 7919 is prime to 12,500: a permutation
        wchar_t name[LF_FACESIZE];
        std::swprintf(name, LF_FACESIZE, L"Face %u", n);
        source.AddFace(name, ANSI_CHARSET, TRUETYPE_FONTTYPE, Both(400) | Both(700));
    }
    CFontCatalogue catalogue;
    const CLogFontList& listed = catalogue.Reload(true, Setting(), source);

    ASSERT_EQ(listed.size(), 50000u);
    ASSERT_EQ(catalogue.Count(), 50000u);
    for (std::size_t i = 1; i < listed.size(); ++i)
        ASSERT_LT(CompareLogFont(*listed[i - 1], *listed[i]), 0)
            << Describe(*listed[i - 1]) << " before " << Describe(*listed[i]);
    EXPECT_STREQ(listed.front()->lfFaceName, L"Face 0");
    EXPECT_STREQ(listed.back()->lfFaceName, L"Face 12499");
}
