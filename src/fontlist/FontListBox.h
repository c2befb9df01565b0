// The font list: a no-data, fixed-height owner-drawn list box that keeps the
// font records itself and paints each row with its caption and a sample in
// the row's own font. When the records or their height change, the selected,
// caret and top rows stay on the same fonts where they can. Typing the start
// of a face name selects its row; a right click selects the row under the
// pointer before the context menu opens. Samples are drawn at the window's
// DPI, the records keep their size at 96 DPI.
#pragma once

#include "fontlist/RowLayout.h"
#include "fontlist/TypeToFind.h"
#include "fonts/LogFont.h"
#include "framework/Dpi.h"
#include "framework/WindowImpl.h"

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>

namespace gvt {

class CFontListBox : public CWindowImpl<CFontListBox, CListBoxW> {
public:
    BEGIN_MSG_MAP(CFontListBox)
        MSG_OCM_MEASUREITEM(OnMeasureItem)
        MSG_OCM_DRAWITEM(OnDrawItem)
        MSG_WM_CHAR(OnChar)
        MESSAGE_HANDLER(WM_RBUTTONDOWN, OnRightButtonDown)
    END_MSG_MAP()

    // Shows the given records (shared, not copied), keeping the positions.
    void SetItems(const CLogFontList& list);
    // Announces the row count and height again and repaints; keepPositions
    // also keeps the selected, caret and top rows on their fonts. Raises the
    // cast error for a count the list box cannot take, before it changes
    // anything.
    void Refresh(bool keepPositions);
    // Drawn from the next paint on; the caller invalidates.
    void SetSampleText(const std::wstring& text) { m_sampleText = text; }
    const std::wstring& GetSampleText() const noexcept { return m_sampleText; }

    // The records in display order.
    const CLogFontList& GetItems() const noexcept { return m_records; }
    // The record in the selected and in the top visible row; empty when
    // there is none.
    CLogFontPtr GetSelected() const;
    CLogFontPtr GetTop() const;

    // The DPI the rows were last measured for, and the font a row's sample
    // is drawn in: the record at that DPI.
    UINT Dpi() const noexcept { return m_dpi; }
    CLogFontW SampleFont(std::size_t row) const;

    // Sounds when typing finds no face; the system beep unless replaced.
    void SetBeep(std::function<void()> beep) { m_beep = std::move(beep); }

private:
    void OnMeasureItem(UINT id, MEASUREITEMSTRUCT* item, BOOL& bHandled);
    void OnDrawItem(UINT id, DRAWITEMSTRUCT* item, BOOL& bHandled);
    void DrawItem(const DRAWITEMSTRUCT& item);
    // Selects the row as the arrow keys do: caret, scrolling and the
    // selection-change notification to the parent.
    void SelectAsKeyboard(int row);
    void OnChar(UINT ch, UINT, UINT, BOOL& bHandled);
    LRESULT OnRightButtonDown(UINT, WPARAM, LPARAM lParam, BOOL& bHandled);

    CLogFontPtr RecordAt(int index) const;
    CRememberedRows RememberRows() const;
    void RestoreRows(const CRowPositions& positions);
    // Takes the list's text metrics and answers the row height.
    UINT MeasureRows();

    CRowSpacing m_spacing;
    CLogFontList m_records;
    TEXTMETRICW m_metrics{};  // of the list box's font, from the last refresh
    std::wstring m_sampleText;
    UINT m_dpi = kDefaultDpi;
    CTypeToFind m_find;
    std::function<void()> m_beep = [] { ::MessageBeep(MB_OK); };
};

}  // namespace gvt
