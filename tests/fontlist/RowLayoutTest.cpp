// Row geometry, height, colours and the finding of remembered rows,
// without a window.
#include "fontlist/RowLayout.h"

#include "base/Exception.h"
#include "resources/resource.h"
#include "support/TestLanguage.h"

#include <gtest/gtest.h>

#include <climits>
#include <cwchar>
#include <string>

using gvt::CRowSpacing;
using gvt::test::Pick;

namespace {

CLogFontPtr Record(const wchar_t* face, LONG weight = FW_NORMAL, BYTE italic = 0, LONG height = 12)
{
    CLogFontW lf;
    std::wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    lf.lfWeight = weight;
    lf.lfItalic = italic;
    lf.lfHeight = height;
    lf.lfCharSet = ANSI_CHARSET;
    return CLogFontPtr(new CLogFontW(lf));
}

// A record equal in the font order but not the same record: another
// character set.
CLogFontPtr OtherCharSet(const CLogFontPtr& record)
{
    CLogFontW lf(*record);
    lf.lfCharSet = SHIFTJIS_CHARSET;
    return CLogFontPtr(new CLogFontW(lf));
}

void ExpectRect(const RECT& expected, const RECT& actual)
{
    EXPECT_EQ(expected.left, actual.left);
    EXPECT_EQ(expected.top, actual.top);
    EXPECT_EQ(expected.right, actual.right);
    EXPECT_EQ(expected.bottom, actual.bottom);
}

std::wstring CastMessage(const wchar_t* value)
{
    return std::wstring(Pick(L"UINT から LONG へのキャストはできません: ", L"Cast error UINT to LONG: ")) + value;
}

}  // namespace

TEST(RowRects, CaptionSitsInsideTheMarginsAndTheSampleBelowItAfterTheGap)
{
    const gvt::CRowRects rects = gvt::RowRects(RECT{10, 100, 210, 140}, 13, CRowSpacing{});
    ExpectRect(RECT{12, 102, 208, 115}, rects.Caption);
    ExpectRect(RECT{12, 116, 208, 138}, rects.Sample);
}

TEST(RowRects, OtherMarginsAndGapMoveTheEdges)
{
    const gvt::CRowRects rects = gvt::RowRects(RECT{0, 0, 100, 50}, 10, CRowSpacing{3, 4, 5, 6, 7});
    ExpectRect(RECT{3, 4, 95, 14}, rects.Caption);
    ExpectRect(RECT{3, 21, 95, 44}, rects.Sample);
}

TEST(RowRects, ARowTooSmallForTheMarginsGivesEmptyRectanglesNotInvertedOnes)
{
    const gvt::CRowRects rects = gvt::RowRects(RECT{50, 20, 52, 23}, 13, CRowSpacing{});
    EXPECT_EQ(52, rects.Caption.left);
    EXPECT_EQ(52, rects.Caption.right);
    EXPECT_EQ(52, rects.Sample.right);
    EXPECT_EQ(22, rects.Sample.bottom);  // the inner top, not the row's bottom - 2 = 21
}

TEST(RowHeight, AddsMarginsCaptionGapAndSample)
{
    EXPECT_EQ(30U, gvt::RowHeight(13, 12, CRowSpacing{}));
    EXPECT_EQ(2U + 16 + 1 + 40 + 2, gvt::RowHeight(16, 40, CRowSpacing{}));
    EXPECT_EQ(1U + 2 + 3 + 4 + 5, gvt::RowHeight(2, 4, CRowSpacing{0, 1, 0, 5, 3}));
}

TEST(RowHeight, IsCappedAt255)
{
    EXPECT_EQ(255U, gvt::RowHeight(13, 300, CRowSpacing{}));
    EXPECT_EQ(255U, gvt::RowHeight(13, 255 - 18, CRowSpacing{}));  // exactly 255
    EXPECT_EQ(254U, gvt::RowHeight(13, 254 - 18, CRowSpacing{}));
    EXPECT_EQ(255U, gvt::RowHeight(LONG_MAX, LONG_MAX, CRowSpacing{}));
}

TEST(RowHeight, ANegativeSampleHeightCountsAsNoneSoTheRowStillHoldsItsCaption)
{
    EXPECT_EQ(18U, gvt::RowHeight(13, -1, CRowSpacing{}));
    EXPECT_EQ(18U, gvt::RowHeight(13, -24, CRowSpacing{}));
    EXPECT_EQ(18U, gvt::RowHeight(13, LONG_MIN, CRowSpacing{}));
    EXPECT_EQ(1U + 2 + 3 + 5, gvt::RowHeight(2, -40, CRowSpacing{0, 1, 0, 5, 3}));
}

TEST(SampleHeight, ScalesToTheDpiAndStaysWithinTheTallestRow)
{
    const struct {
        LONG size;
        UINT dpi;
        LONG expected;
    } cases[] = {
        {22, 96, 22},           {22, 144, 33},          {-22, 192, -44},      {0, 144, 0},
        {255, 96, 255},         {200, 144, 255},        {65536, 96, 255},     {-65536, 96, -255},
        {LONG_MAX, 192, 255},   {LONG_MIN, 96, -255},   {LONG_MIN, 192, -255},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, gvt::SampleHeight(c.size, c.dpi)) << c.size << " at " << c.dpi;
}

TEST(RowCount, TakesEveryCountUpToIntMaxAndRaisesTheCastErrorBeyond)
{
    EXPECT_EQ(0, gvt::RowCount(0));
    EXPECT_EQ(INT_MAX, gvt::RowCount(static_cast<std::size_t>(INT_MAX)));
    try {
        gvt::RowCount(static_cast<std::size_t>(INT_MAX) + 1);
        FAIL() << "no error";
    } catch (const my::CException& e) {
        EXPECT_EQ(static_cast<UINT>(IDS_ERR_CAST), e.MessageId);
        EXPECT_EQ(CastMessage(std::to_wstring(static_cast<std::size_t>(INT_MAX) + 1).c_str()), e.Message);
    }
}

TEST(GreyOf, WeighsTheChannelsByTheirLumaAndTruncates)
{
    EXPECT_EQ(RGB(0, 0, 0), gvt::GreyOf(RGB(0, 0, 0)));
    EXPECT_EQ(RGB(255, 255, 255), gvt::GreyOf(RGB(255, 255, 255)));
    EXPECT_EQ(RGB(76, 76, 76), gvt::GreyOf(RGB(255, 0, 0)));     // 76.245
    EXPECT_EQ(RGB(149, 149, 149), gvt::GreyOf(RGB(0, 255, 0)));  // 149.685
    EXPECT_EQ(RGB(29, 29, 29), gvt::GreyOf(RGB(0, 0, 255)));     // 29.07
    // The classic highlight blue: 0.299 * 10 + 0.587 * 36 + 0.114 * 106 = 36.206
    EXPECT_EQ(RGB(36, 36, 36), gvt::GreyOf(RGB(10, 36, 106)));
}

TEST(FindRowPositions, FindsEachRememberedFontByEquality)
{
    const CLogFontList old = {Record(L"A"), Record(L"B"), Record(L"C"), Record(L"D")};
    // Fresh records with the same values, in a list that lost "A".
    const CLogFontList fresh = {Record(L"B"), Record(L"C"), Record(L"D")};
    const gvt::CRowPositions p = gvt::FindRowPositions(fresh, gvt::CRememberedRows{old[2], old[3], old[1]});
    EXPECT_EQ(1, p.Selected);
    EXPECT_EQ(2, p.Caret);
    EXPECT_EQ(0, p.Top);
}

TEST(FindRowPositions, AFontThatIsGoneOrWasNotRememberedGivesNoSelectionOrCaret)
{
    const CLogFontList fresh = {Record(L"A"), Record(L"C")};
    const gvt::CRowPositions gone = gvt::FindRowPositions(fresh, gvt::CRememberedRows{Record(L"B"), Record(L"B"), {}});
    EXPECT_EQ(-1, gone.Selected);
    EXPECT_EQ(-1, gone.Caret);
    EXPECT_EQ(0, gone.Top);

    // Equal in the order is not enough: the character set must match too.
    const gvt::CRowPositions other =
        gvt::FindRowPositions(fresh, gvt::CRememberedRows{OtherCharSet(fresh[1]), {}, {}});
    EXPECT_EQ(-1, other.Selected);
    EXPECT_EQ(-1, other.Caret);
}

TEST(FindRowPositions, AnEqualRecordIsFoundAmongItsTies)
{
    // The same style in several character sets: one run of ties.
    CLogFontList fresh = {Record(L"A"), Record(L"B")};
    for (BYTE charSet : {RUSSIAN_CHARSET, GREEK_CHARSET, SHIFTJIS_CHARSET, ANSI_CHARSET}) {
        CLogFontW lf(*Record(L"C"));
        lf.lfCharSet = charSet;
        fresh.push_back(CLogFontPtr(new CLogFontW(lf)));
    }
    fresh.push_back(Record(L"D"));
    for (std::size_t i = 2; i < 6; ++i) {
        const gvt::CRowPositions p =
            gvt::FindRowPositions(fresh, gvt::CRememberedRows{CLogFontPtr(new CLogFontW(*fresh[i])), fresh[i], fresh[i]});
        EXPECT_EQ(static_cast<int>(i), p.Selected);
        EXPECT_EQ(static_cast<int>(i), p.Caret);
        EXPECT_EQ(2, p.Top) << "the first of the ties";
    }
}

TEST(FindRowPositions, TheTopGoesToTheFirstFontNotBeforeTheOldTop)
{
    const CLogFontList fresh = {Record(L"A"), Record(L"B", FW_NORMAL), Record(L"B", FW_BOLD), Record(L"D")};
    const auto topOf = [&](const CLogFontPtr& top) {
        return gvt::FindRowPositions(fresh, gvt::CRememberedRows{{}, {}, top}).Top;
    };
    EXPECT_EQ(1, topOf(Record(L"B", FW_NORMAL)));
    EXPECT_EQ(2, topOf(Record(L"B", FW_SEMIBOLD)));
    EXPECT_EQ(3, topOf(Record(L"C")));
    EXPECT_EQ(1, topOf(OtherCharSet(fresh[1])));  // ties count as not before
    EXPECT_EQ(3, topOf(Record(L"E")));            // all before: the last row
    EXPECT_EQ(0, topOf(Record(L"0")));
}

TEST(FindRowPositions, AnEmptyListPutsTheTopAtRowZero)
{
    const gvt::CRowPositions p = gvt::FindRowPositions({}, gvt::CRememberedRows{Record(L"A"), Record(L"A"), Record(L"A")});
    EXPECT_EQ(-1, p.Selected);
    EXPECT_EQ(-1, p.Caret);
    EXPECT_EQ(0, p.Top);
}
