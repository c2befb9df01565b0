#include "fontlist/RowLayout.h"

#include "base/Exception.h"
#include "fonts/FontOrder.h"

#include <algorithm>
#include <climits>

namespace gvt {

namespace {

constexpr long long kMaxRowHeight = 255;

// The row height and the row count both raise the cast error with the type
// names "UINT" and "LONG", whatever the value's own type.
my::CException NarrowingError(long long value)
{
    return my::CException::CastError(L"UINT", L"LONG", std::to_wstring(value));
}

// The records are in the font order, so an equal record can only be in the
// run of ties of the wanted one, and that run starts at the first record not
// before it.
std::vector<CLogFontPtr>::const_iterator FirstNotLess(const CLogFontList& records, const CLogFontPtr& wanted)
{
    return std::lower_bound(records.begin(), records.end(), wanted, [](const CLogFontPtr& r, const CLogFontPtr& w) {
        return CompareLogFont(*r, *w) < 0;
    });
}

int FirstEqual(const CLogFontList& records, const CLogFontPtr& wanted)
{
    if (!wanted)
        return -1;
    for (auto tie = FirstNotLess(records, wanted); tie != records.end() && CompareLogFont(**tie, *wanted) == 0; ++tie)
        if (EqualLogFont(**tie, *wanted))
            return static_cast<int>(tie - records.begin());
    return -1;
}

int FirstNotBefore(const CLogFontList& records, const CLogFontPtr& wanted)
{
    if (!wanted || records.empty())
        return 0;
    const auto found = FirstNotLess(records, wanted);
    return found == records.end() ? static_cast<int>(records.size()) - 1 : static_cast<int>(found - records.begin());
}

}  // namespace

CRowRects RowRects(const RECT& row, LONG captionHeight, const CRowSpacing& spacing) noexcept
{
    const LONG left = row.left + spacing.Left;
    const LONG top = row.top + spacing.Top;
    const LONG right = std::max(row.right - spacing.Right, left);
    CRowRects rects;
    rects.Caption = RECT{left, top, right, top + captionHeight};
    rects.Sample = RECT{left, top + captionHeight + spacing.Gap, right, std::max(row.bottom - spacing.Bottom, top)};
    return rects;
}

UINT RowHeight(LONG captionHeight, LONG sampleHeight, const CRowSpacing& spacing) noexcept
{
    const long long height = static_cast<long long>(spacing.Top) + captionHeight + spacing.Gap +
                             std::max(sampleHeight, 0L) + spacing.Bottom;
    return static_cast<UINT>(std::clamp(height, 0LL, kMaxRowHeight));
}

LONG SampleHeight(LONG size, UINT dpi) noexcept
{
    const long long scaled = static_cast<long long>(size) * dpi / USER_DEFAULT_SCREEN_DPI;
    return static_cast<LONG>(std::clamp(scaled, -kMaxRowHeight, kMaxRowHeight));
}

int RowCount(std::size_t count)
{
    if (count > static_cast<std::size_t>(INT_MAX))
        throw NarrowingError(static_cast<long long>(count));
    return static_cast<int>(count);
}

COLORREF GreyOf(COLORREF colour) noexcept
{
    // In thousandths, so the weighted sum is exact before it is truncated; it
    // cannot leave 0..255 since the weights add up to one.
    const unsigned luma =
        (299U * GetRValue(colour) + 587U * GetGValue(colour) + 114U * GetBValue(colour)) / 1000U;
    return RGB(luma, luma, luma);
}

CRowPositions FindRowPositions(const CLogFontList& records, const CRememberedRows& remembered)
{
    return CRowPositions{FirstEqual(records, remembered.Selected), FirstEqual(records, remembered.Caret),
                         FirstNotBefore(records, remembered.Top)};
}

}  // namespace gvt
