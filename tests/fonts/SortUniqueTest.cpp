// The one-sort build of the catalogue against the insertion it replaces: the
// same records in the same order, whatever order they arrive in.
#include "fonts/FontCatalogue.h"
#include "fonts/FontOrder.h"
#include "fonts/SortUnique.h"
#include "support/FakeFontSource.h"

#include <boost/make_shared.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

using gvt::CompareLogFont;
using gvt::EqualLogFont;
using gvt::SortUnique;
using namespace gvt::test;

namespace {

using CRecordPtr = boost::shared_ptr<CLogFontW>;
using CRecords = std::vector<CRecordPtr>;

// Inserting one record at a time at the first position not less than it,
// unless an equal record is already among its ties.
CRecords Inserted(const CRecords& arrivals)
{
    CRecords list;
    for (const CRecordPtr& record : arrivals) {
        const auto at = std::lower_bound(list.begin(), list.end(), record, [](const CRecordPtr& a, const CRecordPtr& b) {
            return CompareLogFont(*a, *b) < 0;
        });
        bool equal = false;
        for (auto tie = at; tie != list.end() && CompareLogFont(**tie, *record) == 0; ++tie)
            equal |= EqualLogFont(**tie, *record);
        if (!equal)
            list.insert(at, record);
    }
    return list;
}

std::string Describe(const LOGFONTW& lf)
{
    char text[160];
    std::snprintf(text, sizeof text, "%ls cs=%u w=%ld i=%u s=%u u=%u h=%ld e=%ld", lf.lfFaceName, lf.lfCharSet,
                  lf.lfWeight, lf.lfItalic, lf.lfStrikeOut, lf.lfUnderline, lf.lfHeight, lf.lfEscapement);
    return text;
}

// The same record objects in the same order.
void ExpectSameList(const CRecords& expected, const CRecords& actual)
{
    ASSERT_EQ(expected.size(), actual.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        ASSERT_EQ(expected[i], actual[i]) << "at " << i << ": " << Describe(*expected[i]) << " expected, "
                                          << Describe(*actual[i]) << " found";
}

// Few values per field, so that ties, twins in other character sets and
// exact repeats are common; names differ in case and in their digit runs.
const std::vector<std::wstring> kNames = {L"Font2", L"FONT2", L"font2", L"Font10", L"Font1", L"@Font2",
                                          L"alpha", L"Alpha", L"Zeta",  L"Font02", L"F 1 0", L"F 10"};

CRecords RandomRecords(std::mt19937& random, std::size_t count, const std::vector<std::wstring>& names = kNames)
{
    const auto pick = [&](std::size_t n) { return static_cast<int>(random() % n); };
    CRecords records;
    for (std::size_t i = 0; i < count; ++i) {
        CLogFontW lf;
        std::wcsncpy(lf.lfFaceName, names[pick(names.size())].c_str(), LF_FACESIZE - 1);
        lf.lfCharSet = static_cast<BYTE>(pick(3) * 100);
        lf.lfWeight = (pick(3) + 3) * 100;
        lf.lfItalic = pick(2) ? 255 : 0;
        lf.lfStrikeOut = pick(6) == 0;
        lf.lfUnderline = pick(6) == 0;
        lf.lfHeight = pick(5) == 0 ? -12 : 16;
        lf.lfEscapement = pick(8) == 0 ? 900 : 0;
        records.push_back(boost::make_shared<CLogFontW>(lf));
    }
    return records;
}

}  // namespace

TEST(SortUnique, GivesTheListOfTheInsertionInAnyOrderOfArrival)
{
    std::mt19937 random(20261208);
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        CRecords arrivals = RandomRecords(random, 1 + random() % 150);
        // Some rounds come in name order, as the faces of one enumeration
        // usually do, and take the path that does not sort the names.
        if (round % 3 == 0)
            std::stable_sort(arrivals.begin(), arrivals.end(), [](const CRecordPtr& a, const CRecordPtr& b) {
                return gvt::CompareFaceNames(a->lfFaceName, b->lfFaceName) < 0;
            });
        const CRecords expected = Inserted(arrivals);
        CRecords sorted = arrivals;
        SortUnique(sorted);
        ExpectSameList(expected, sorted);
    }
    CRecords none;
    SortUnique(none);
    EXPECT_TRUE(none.empty());
}

TEST(SortUnique, NamesMetBeforeOrFromAnEarlierRunGiveTheSameList)
{
    // A larger pool, drawn from a little at a time, so that every rebuild
    // brings names the shared order has not met yet.
    std::vector<std::wstring> pool = kNames;
    for (int i = 0; i < 120; ++i)
        pool.push_back((i % 5 ? L"Face " : L"FACE ") + std::to_wstring(i * 37 % 101));
    std::vector<std::wstring> inOrder = pool;
    std::stable_sort(inOrder.begin(), inOrder.end(), [](const std::wstring& a, const std::wstring& b) {
        return gvt::CompareFaceNames(a.c_str(), b.c_str()) < 0;
    });

    gvt::CFaceNameOrder shared;
    gvt::CFaceNameOrder seeded;
    seeded.Seed(inOrder);
    gvt::CFaceNameOrder seededWrongly;
    seededWrongly.Seed(std::vector<std::wstring>(pool.rbegin(), pool.rend()));
    EXPECT_EQ(seededWrongly.Names().size(), pool.size());

    std::mt19937 random(1208);
    for (int round = 0; round < 100; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const std::vector<std::wstring> drawn(pool.begin() + round % 100, pool.begin() + round % 100 + 30);
        const CRecords arrivals = RandomRecords(random, 1 + random() % 120, drawn);
        const CRecords expected = Inserted(arrivals);
        for (gvt::CFaceNameOrder* order : {&shared, &seeded, &seededWrongly}) {
            CRecords sorted = arrivals;
            SortUnique(sorted, *order);
            ExpectSameList(expected, sorted);
        }
    }
}

TEST(SortUnique, ScrambledFacesGiveTheCatalogueOfTheInsertion)
{
    // Faces in three character sets, their names differing in case too, each
    // (face, character set) pair reported in a scrambled order, some twice.
    CFakeFontSource source;
    constexpr unsigned entries = 3 * 400;
    for (unsigned i = 0; i < entries + 40; ++i) {
        const unsigned n = static_cast<unsigned>((i * 7919ull) % entries);
        wchar_t name[LF_FACESIZE];
        std::swprintf(name, LF_FACESIZE, n % 7 ? L"Face %u" : L"FACE %u", n / 3 % 150);
        const BYTE charSets[] = {ANSI_CHARSET, GREEK_CHARSET, RUSSIAN_CHARSET};
        source.AddFace(name, charSets[n % 3], TRUETYPE_FONTTYPE, Both(400) | Upright(700) | Italic(n % 9 * 100 + 100));
    }
    gvt::CFontFilter setting;
    setting.CharSet = DEFAULT_CHARSET;
    gvt::CFontCatalogue catalogue;
    catalogue.Reload(true, setting, source);

    // The records in the order the probes accept them, as the insertion took them.
    CRecords arrivals;
    for (const CFakeFace& face : source.Faces) {
        for (LONG weight = 100; weight <= 900; weight += 100)
            for (const BYTE italic : {0, 255})
                if (face.Styles & Style(weight, italic != 0)) {
                    CLogFontW lf(face.Lf);
                    lf.lfWidth = 0;
                    lf.lfWeight = weight;
                    lf.lfItalic = italic;
                    arrivals.push_back(boost::make_shared<CLogFontW>(lf));
                }
    }
    const CRecords expected = Inserted(arrivals);
    ASSERT_EQ(catalogue.Count(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        CLogFontW lf(*expected[i]);
        lf.lfHeight = setting.Size;
        ASSERT_TRUE(EqualLogFont(*catalogue.At(i), lf)) << "at " << i << ": " << Describe(lf) << " expected, "
                                                        << Describe(*catalogue.At(i)) << " found";
    }
}
