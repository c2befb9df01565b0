// The font list: a no-data, fixed-height owner-drawn list box that keeps the
// font records itself and paints each row with its caption and a sample in
// the row's own font. When the records or their height change, the selected,
// caret and top rows stay on the same fonts where they can.
#pragma once

#include "fontlist/RowLayout.h"
#include "fonts/LogFont.h"
#include "framework/WindowImpl.h"

#include <windows.h>

#include <string>

namespace gvt {

class CFontListBox : public CWindowImpl<CFontListBox, CListBoxW> {
public:
    BEGIN_MSG_MAP(CFontListBox)
        MSG_OCM_MEASUREITEM(OnMeasureItem)
        MSG_OCM_DRAWITEM(OnDrawItem)
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

private:
    void OnMeasureItem(UINT id, MEASUREITEMSTRUCT* item, BOOL& bHandled);
    void OnDrawItem(UINT id, DRAWITEMSTRUCT* item, BOOL& bHandled);
    void DrawItem(const DRAWITEMSTRUCT& item);

    CLogFontPtr RecordAt(int index) const;
    CRememberedRows RememberRows() const;
    void RestoreRows(const CRowPositions& positions);
    // Takes the list's text metrics and answers the row height.
    UINT MeasureRows();

    CRowSpacing m_spacing;
    CLogFontList m_records;
    TEXTMETRICW m_metrics{};  // of the list box's font, from the last refresh
    std::wstring m_sampleText;
};

}  // namespace gvt
