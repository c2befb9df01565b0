#include "fontlist/FontListBox.h"

#include "fonts/FontNames.h"
#include "framework/UniqueHandle.h"

#include <algorithm>
#include <climits>

namespace gvt {

namespace {

// What the dialog manager asks before any record is known; the real height
// comes with the first refresh.
constexpr UINT kMeasuredWidth = 100;
constexpr UINT kMeasuredHeight = 60;

COLORREF BackgroundColour(bool selected, bool focused) noexcept
{
    if (!selected)
        return ::GetSysColor(COLOR_WINDOW);
    const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    return focused ? highlight : GreyOf(highlight);
}

// A negative size is a character height: the font's line is taller by its
// internal leading, and the sample needs the whole line.
LONG LineHeight(HDC dc, const CLogFontW& record) noexcept
{
    const CUniqueFont rowFont(::CreateFontIndirectW(&record));
    const CSelectObject select(dc, rowFont.get());
    TEXTMETRICW metrics = {};
    if (rowFont && ::GetTextMetricsW(dc, &metrics))
        return metrics.tmHeight;
    return record.lfHeight == LONG_MIN ? LONG_MAX : -record.lfHeight;
}

void DrawLine(HDC dc, const std::wstring& text, RECT rect) noexcept
{
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_SINGLELINE | DT_VCENTER);
}

}  // namespace

void CFontListBox::SetItems(const CLogFontList& list)
{
    const CRememberedRows remembered = RememberRows();
    m_records = list;
    Refresh(false);
    RestoreRows(FindRowPositions(m_records, remembered));
}

void CFontListBox::Refresh(bool keepPositions)
{
    // What can fail comes before the control changes: it never shows the
    // new rows at the old height.
    const int count = RowCount(m_records.size());
    const UINT height = m_records.empty() ? 0 : MeasureRows();
    CRememberedRows remembered;
    if (keepPositions)
        remembered = RememberRows();
    SetCount(count);
    if (keepPositions)
        RestoreRows(FindRowPositions(m_records, remembered));
    if (!m_records.empty())
        SetItemHeight(0, height);
    Invalidate(true);
}

CLogFontPtr CFontListBox::GetSelected() const
{
    return RecordAt(GetCurSel());
}

CLogFontPtr CFontListBox::GetTop() const
{
    return RecordAt(GetTopIndex());
}

CLogFontPtr CFontListBox::RecordAt(int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= m_records.size())
        return CLogFontPtr();
    return m_records[static_cast<std::size_t>(index)];
}

CRememberedRows CFontListBox::RememberRows() const
{
    return CRememberedRows{RecordAt(GetCurSel()), RecordAt(GetCaretIndex()), RecordAt(GetTopIndex())};
}

void CFontListBox::RestoreRows(const CRowPositions& positions)
{
    const int last = static_cast<int>(m_records.size()) - 1;
    const int top = std::min(positions.Top, last);
    if (positions.Selected < 0) {
        // Nothing to select, but the keyboard goes on from the old font. A
        // shrinking count may have left an unrelated row selected.
        SetCurSel(-1);
        SetCaretIndex(std::max(0, std::min(positions.Caret, last)), TRUE);
        SetTopIndex(top);
    } else {
        SetTopIndex(top);
        SetCurSel(positions.Selected);
    }
}

UINT CFontListBox::MeasureRows()
{
    CClientDC dc(m_hWnd);
    CSelectObject font(dc.get(), GetFont());
    ::GetTextMetricsW(dc.get(), &m_metrics);
    // Every record carries the chosen size, so the first one stands for all.
    const CLogFontW& first = *m_records.front();
    const LONG sample = first.lfHeight < 0 ? LineHeight(dc.get(), first) : first.lfHeight;
    return RowHeight(m_metrics.tmHeight, sample, m_spacing);
}

void CFontListBox::OnMeasureItem(UINT id, MEASUREITEMSTRUCT* item, BOOL& bHandled)
{
    if (id == 0) {
        bHandled = FALSE;
        return;
    }
    item->itemWidth = kMeasuredWidth;
    item->itemHeight = kMeasuredHeight;
}

void CFontListBox::OnDrawItem(UINT id, DRAWITEMSTRUCT* item, BOOL& bHandled)
{
    if (id == 0) {
        bHandled = FALSE;
        return;
    }
    DrawItem(*item);
}

void CFontListBox::DrawItem(const DRAWITEMSTRUCT& item)
{
    const HDC dc = item.hDC;
    RECT row = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const bool focused = ::GetFocus() == m_hWnd;
    const COLORREF text = ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    const COLORREF background = BackgroundColour(selected, focused);

    const COLORREF previous = ::SetBkColor(dc, background);
    if (previous != CLR_INVALID) {
        ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &row, nullptr, 0, nullptr);
        ::SetBkColor(dc, previous);
    }
    if (item.itemState & ODS_FOCUS)
        ::DrawFocusRect(dc, &row);
    ::SetTextColor(dc, text);
    ::SetBkColor(dc, background);

    if (item.itemID >= m_records.size())
        return;
    const CLogFontW& record = *m_records[item.itemID];
    const CRowRects rects = RowRects(row, m_metrics.tmHeight, m_spacing);
    DrawLine(dc, FontCaption(record), rects.Caption);

    // A font that cannot be created leaves the sample in the list's font.
    const CUniqueFont rowFont(::CreateFontIndirectW(&record));
    const CSelectObject select(dc, rowFont.get());
    DrawLine(dc, m_sampleText.empty() ? FaceNameOf(record) : m_sampleText, rects.Sample);
}

}  // namespace gvt
