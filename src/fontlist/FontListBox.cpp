#include "fontlist/FontListBox.h"

#include "fonts/FontNames.h"
#include "fonts/FontOrder.h"
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
    return -record.lfHeight;
}

// Control characters (C0, DEL and C1) come from keys such as Enter, Escape
// or Ctrl+C; everything else can be part of a face name.
bool IsNameCharacter(UINT ch) noexcept
{
    return ch >= 0x20 && !(ch >= 0x7F && ch <= 0x9F);
}

void DrawLine(HDC dc, const std::wstring& text, RECT rect) noexcept
{
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_SINGLELINE | DT_VCENTER);
}

bool SameFonts(const CLogFontList& a, const CLogFontList& b) noexcept
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const CLogFontPtr& x, const CLogFontPtr& y) { return EqualLogFont(*x, *y); });
}

}  // namespace

CFontListBox::~CFontListBox()
{
    DisconnectAccessible();
}

void CFontListBox::SetItems(const CLogFontList& list)
{
    const CChange change(*this);
    const CRememberedRows remembered = RememberRows();
    const bool reordered = !SameFonts(m_records, list);
    const CShownRows shown = ShownRows();
    CUniqueRegion waiting(::CreateRectRgn(0, 0, 0, 0));
    const bool waitingKnown = waiting && ::GetUpdateRgn(m_hWnd, waiting.get(), FALSE) != ERROR;
    m_records = list;
    Refresh(false);
    RestoreRows(FindRowPositions(m_records, remembered));
    // Rows arriving above or below the screen change nothing on it: it is
    // not painted again (under Wine every new count repaints the whole
    // list), and what was waiting to be painted still waits.
    if (waitingKnown && SameShownRows(ShownRows(), shown)) {
        ::ValidateRect(m_hWnd, nullptr);
        ::InvalidateRgn(m_hWnd, waiting.get(), TRUE);
    }
    if (reordered)
        ::NotifyWinEvent(EVENT_OBJECT_REORDER, m_hWnd, OBJID_CLIENT, CHILDID_SELF);
}

void CFontListBox::Refresh(bool keepPositions)
{
    const CChange change(*this);
    // What can fail comes before the control changes: it never shows the
    // new rows at the old height.
    const int count = RowCount(m_records.size());
    const UINT height = m_records.empty() ? 0 : MeasureRows();
    CRememberedRows remembered;
    if (keepPositions)
        remembered = RememberRows();
    SetCount(count);
    // The rows take their height first: the selection is then kept in view
    // at that height, as a start shows it.
    if (!m_records.empty())
        SetItemHeight(0, height);
    if (keepPositions)
        RestoreRows(FindRowPositions(m_records, remembered));
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

CFontListBox::CShownRows CFontListBox::ShownRows() const
{
    CShownRows shown;
    RECT client{};
    GetClientRect(&client);
    const int top = GetTopIndex();
    shown.Height = m_records.empty() ? 0 : GetItemHeight(0);
    for (int row = top, y = 0; y < client.bottom && shown.Height > 0; ++row, y += shown.Height) {
        const CLogFontPtr font = RecordAt(row);
        if (!font)
            break;
        shown.Fonts.push_back(font);
    }
    const auto onScreen = [&](int row) {
        return row >= top && row - top < static_cast<int>(shown.Fonts.size()) ? row - top : -1;
    };
    shown.Selected = onScreen(GetCurSel());
    shown.Caret = onScreen(GetCaretIndex());
    return shown;
}

bool CFontListBox::SameShownRows(const CShownRows& a, const CShownRows& b) noexcept
{
    return a.Height == b.Height && a.Selected == b.Selected && a.Caret == b.Caret && SameFonts(a.Fonts, b.Fonts);
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
    m_dpi = WindowDpi(m_hWnd);
    // Every record carries the chosen size, so the first one stands for all.
    const CLogFontW first = SampleFont(0);
    const LONG sample = first.lfHeight < 0 ? LineHeight(dc.get(), first) : first.lfHeight;
    return RowHeight(m_metrics.tmHeight, sample, m_spacing);
}

CLogFontW CFontListBox::SampleFont(std::size_t row) const
{
    CLogFontW font(*m_records.at(row));
    font.lfHeight = SampleHeight(font.lfHeight, m_dpi);
    return font;
}

std::wstring CFontListBox::RowCaption(std::size_t row) const
{
    return FontCaption(*m_records.at(row));
}

std::wstring CFontListBox::RowSample(std::size_t row) const
{
    return m_sampleText.empty() ? FaceNameOf(*m_records.at(row)) : m_sampleText;
}

void CFontListBox::SelectAsKeyboard(int row)
{
    if (row == GetCurSel())
        return;
    // In a single-selection list this also moves the caret and scrolls the
    // row into view, but unlike a key press it notifies nobody.
    SetCurSel(row);
    if (GetStyle() & LBS_NOTIFY)
        ::SendMessageW(GetParent(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), LBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(m_hWnd));
}

void CFontListBox::OnChar(UINT ch, UINT, UINT, BOOL& bHandled)
{
    const int selected = GetCurSel();
    const int current = selected >= 0 ? selected : GetCaretIndex();
    CFindResult found;
    if (ch == VK_BACK)
        found = m_find.Backspace(::GetTickCount(), CTypeToFind::Timeout(), m_records, current);
    else if (IsNameCharacter(ch))
        found = m_find.Type(static_cast<wchar_t>(ch), ::GetTickCount(), CTypeToFind::Timeout(), m_records, current);
    else {
        bHandled = FALSE;
        return;
    }
    if (found.Kind == CFindResult::Found)
        SelectAsKeyboard(found.Row);
    else if (found.Kind == CFindResult::NotFound && m_beep)
        m_beep();
}

LRESULT CFontListBox::OnRightButtonDown(UINT, WPARAM, LPARAM lParam, BOOL& bHandled)
{
    // The list box goes on as usual; its button-up brings the context menu.
    bHandled = FALSE;
    const int row = RowAt(PointFromLParam(lParam));
    if (row < 0)
        return 0;
    ::SetFocus(m_hWnd);
    SelectAsKeyboard(row);
    return 0;
}

LRESULT CFontListBox::OnOwnMessage(UINT msg, WPARAM wParam, LPARAM lParam, BOOL&)
{
    const CChange change(*this);
    LRESULT result = 0;
    if (!ProcessWindowMessage(m_hWnd, msg, wParam, lParam, result, kOwnMessages))
        result = DefWindowProcW(msg, wParam, lParam);
    return result;
}

LRESULT CFontListBox::OnGetObject(UINT, WPARAM wParam, LPARAM lParam, BOOL& bHandled)
{
    // The object id comes as a 32-bit value, sign-extended or not.
    if (static_cast<LONG>(lParam) != OBJID_CLIENT) {
        bHandled = FALSE;
        return 0;
    }
    if (!m_accessible)
        m_accessible = CFontListAccessible::Create(*this);
    return ::LresultFromObject(__uuidof(IAccessible), wParam, m_accessible.get());
}

LRESULT CFontListBox::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled)
{
    bHandled = FALSE;
    DisconnectAccessible();
    return 0;
}

void CFontListBox::DisconnectAccessible() noexcept
{
    if (m_accessible) {
        m_accessible->Disconnect();
        m_accessible.reset();
    }
}

CFontListBox::CAnnouncedRow CFontListBox::AnnouncedRow(int row) const
{
    CAnnouncedRow announced{row, RecordAt(row)};
    if (!announced.Font)
        announced.Row = -1;
    return announced;
}

bool CFontListBox::SameRow(const CAnnouncedRow& a, const CAnnouncedRow& b) noexcept
{
    return a.Row == b.Row && (a.Font == b.Font || (a.Font && b.Font && EqualLogFont(*a.Font, *b.Font)));
}

bool CFontListBox::AwaitsPaint(int row) const noexcept
{
    RECT update{}, item{}, both{};
    return row >= 0 && IsWindowVisible() && ::GetUpdateRect(m_hWnd, &update, FALSE) && GetItemRect(row, &item) &&
           ::IntersectRect(&both, &update, &item);
}

void CFontListBox::AnnounceMoves() noexcept
{
    if (m_changes != 0 || !m_hWnd)
        return;
    // The questions asked are messages of the list box too, and so may be
    // those of a client that a hook calls at once: none of them announces.
    ++m_changes;
    RaiseMoveEvents();
    --m_changes;
}

void CFontListBox::RaiseMoveEvents() noexcept
{
    const CAnnouncedRow focus = AnnouncedRow(::GetFocus() == m_hWnd ? GetCaretIndex() : -1);
    const CAnnouncedRow selection = AnnouncedRow(GetCurSel());
    const bool focusMoved = !SameRow(focus, m_focus);
    const bool selectionMoved = !SameRow(selection, m_selection);
    if ((focusMoved && AwaitsPaint(focus.Row)) || (selectionMoved && AwaitsPaint(selection.Row)))
        return;
    // Focus first, as the system's list boxes do: a screen reader then
    // reads the row once.
    if (focusMoved) {
        m_focus = focus;
        if (focus.Row >= 0)
            ::NotifyWinEvent(EVENT_OBJECT_FOCUS, m_hWnd, OBJID_CLIENT, focus.Row + 1);
    }
    if (selectionMoved) {
        m_selection = selection;
        if (selection.Row >= 0)
            ::NotifyWinEvent(EVENT_OBJECT_SELECTION, m_hWnd, OBJID_CLIENT, selection.Row + 1);
    }
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
    const CRowRects rects = RowRects(row, m_metrics.tmHeight, m_spacing);
    DrawLine(dc, RowCaption(item.itemID), rects.Caption);

    // A font that cannot be created leaves the sample in the list's font.
    const CLogFontW sampleFont = SampleFont(item.itemID);
    const CUniqueFont rowFont(::CreateFontIndirectW(&sampleFont));
    const CSelectObject select(dc, rowFont.get());
    DrawLine(dc, RowSample(item.itemID), rects.Sample);
}

}  // namespace gvt
