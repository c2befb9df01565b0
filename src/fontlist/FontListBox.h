// The font list: a no-data, fixed-height owner-drawn list box that keeps the
// font records itself and paints each row with its caption and a sample in
// the row's own font. When the records or their height change, the selected,
// caret and top rows stay on the same fonts where they can. Typing the start
// of a face name selects its row; a right click selects the row under the
// pointer before the context menu opens. Samples are drawn at the window's
// DPI, the records keep their size at 96 DPI.
//
// Screen readers and magnifiers get the list's own accessible object, and
// events: once the list box is done with a message that moved the caret or
// the selection, and the new row is drawn, focus (while the list has the
// keyboard focus) and selection for the row's child id; reorder when the rows
// change.
#pragma once

#include "fontlist/FontListAccessible.h"
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
        // The window's own messages run through the list box's map and
        // procedure inside OnOwnMessage, which announces moves afterwards.
        GVT_MSG_ENTRY(uMsg < OCM__BASE && uMsg != WM_NCDESTROY,
                      lResult = OnOwnMessage(uMsg, wParam, lParam, bHandled))
        MSG_OCM_MEASUREITEM(OnMeasureItem)
        MSG_OCM_DRAWITEM(OnDrawItem)
    ALT_MSG_MAP(kOwnMessages)
        MSG_WM_CHAR(OnChar)
        MESSAGE_HANDLER(WM_RBUTTONDOWN, OnRightButtonDown)
        MESSAGE_HANDLER(WM_GETOBJECT, OnGetObject)
        MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
    END_MSG_MAP()

    CFontListBox() = default;
    ~CFontListBox() override;

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
    // A row's texts as drawn: the caption, and the sample text (the face
    // name when there is none).
    std::wstring RowCaption(std::size_t row) const;
    std::wstring RowSample(std::size_t row) const;

    // Selects the row as the arrow keys do: caret, scrolling and the
    // selection-change notification to the parent.
    void SelectAsKeyboard(int row);

    // Sounds when typing finds no face; the system beep unless replaced.
    void SetBeep(std::function<void()> beep) { m_beep = std::move(beep); }

private:
    void OnMeasureItem(UINT id, MEASUREITEMSTRUCT* item, BOOL& bHandled);
    void OnDrawItem(UINT id, DRAWITEMSTRUCT* item, BOOL& bHandled);
    void DrawItem(const DRAWITEMSTRUCT& item);
    void OnChar(UINT ch, UINT, UINT, BOOL& bHandled);
    LRESULT OnRightButtonDown(UINT, WPARAM, LPARAM lParam, BOOL& bHandled);
    LRESULT OnOwnMessage(UINT msg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnGetObject(UINT, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled);

    // Raises the focus and selection events for rows that took the caret
    // or the selection since the last call, unless the list box is inside a
    // message or change of its own, or the row waits to be painted: the
    // message after it, or the paint, announces it then.
    void AnnounceMoves() noexcept;
    void RaiseMoveEvents() noexcept;
    bool AwaitsPaint(int row) const noexcept;
    void DisconnectAccessible() noexcept;

    // Counts the messages and changes of the list box under way; the
    // outermost announces the moves when it ends.
    class CChange {
    public:
        explicit CChange(CFontListBox& list) noexcept : m_list(list) { ++m_list.m_changes; }
        ~CChange()
        {
            if (--m_list.m_changes == 0)
                m_list.AnnounceMoves();
        }
        CChange(const CChange&) = delete;
        CChange& operator=(const CChange&) = delete;

    private:
        CFontListBox& m_list;
    };

    // A row announced to accessibility clients, with its font: a row of
    // the same number that shows another font is another row to them.
    struct CAnnouncedRow {
        int Row = -1;
        CLogFontPtr Font;
    };
    CAnnouncedRow AnnouncedRow(int row) const;
    static bool SameRow(const CAnnouncedRow& a, const CAnnouncedRow& b) noexcept;

    static constexpr DWORD kOwnMessages = 1;

    CLogFontPtr RecordAt(int index) const;
    CRememberedRows RememberRows() const;
    // What the client area shows: the fonts of the rows from the top row
    // down as far as it reaches, the selected and the caret row among them
    // (-1 for none), and the row height.
    struct CShownRows {
        CLogFontList Fonts;
        int Selected = -1;
        int Caret = -1;
        int Height = 0;
    };
    CShownRows ShownRows() const;
    static bool SameShownRows(const CShownRows& a, const CShownRows& b) noexcept;
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
    CComPtr<CFontListAccessible> m_accessible;  // made when first asked for
    int m_changes = 0;
    CAnnouncedRow m_focus;  // -1 while the list has no keyboard focus
    CAnnouncedRow m_selection;
};

}  // namespace gvt
