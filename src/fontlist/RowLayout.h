// The parts of a font list row that need no window: where caption and sample
// go, how tall a row is, its colours, and where the remembered
// rows are found again in a new list.
#pragma once

#include "fonts/LogFont.h"

#include <windows.h>

#include <cstddef>
#include <string>

namespace gvt {

// Pixels between the row's edges and its text, and between caption and sample.
struct CRowSpacing {
    LONG Left = 2;
    LONG Top = 2;
    LONG Right = 2;
    LONG Bottom = 2;
    LONG Gap = 1;
};

struct CRowRects {
    RECT Caption;
    RECT Sample;
};

// Caption on top, captionHeight tall; the sample fills the rest. Neither
// rectangle turns inside out when the row is too small.
CRowRects RowRects(const RECT& row, LONG captionHeight, const CRowSpacing& spacing) noexcept;

// Caption, gap and sample of sampleHeight pixels inside the margins, capped
// at 255, the most a list box row can be. A negative sample height counts as
// none: the row still holds its caption.
UINT RowHeight(LONG captionHeight, LONG sampleHeight, const CRowSpacing& spacing) noexcept;

// The height a sample is drawn at: the chosen size (pixels at 96 DPI, a
// negative one a character height) at the window's DPI, held within the
// tallest row, so that a size typed far out of range costs no more to draw
// than the largest a row can show. Zero stays the font's default size.
LONG SampleHeight(LONG size, UINT dpi) noexcept;

// The row count as the list box takes it; a count beyond INT_MAX raises the
// cast error.
int RowCount(std::size_t count);

// The grey of equal brightness (BT.601 luma), for a selection that has lost
// the focus.
COLORREF GreyOf(COLORREF colour) noexcept;

// The remembered fonts of the selected, caret and top rows; empty when there
// was none.
struct CRememberedRows {
    CLogFontPtr Selected;
    CLogFontPtr Caret;
    CLogFontPtr Top;
};

// Rows to restore; Selected and Caret are -1 when their font is gone.
struct CRowPositions {
    int Selected;
    int Caret;
    int Top;
};

// The records are in the font order, as the catalogue lists them; each
// position is found by binary search. Selected and caret go to the first
// equal record. Top goes to the first record not before the remembered one in
// the font order (the last record when all are before it), or to 0 when
// nothing was remembered.
CRowPositions FindRowPositions(const CLogFontList& records, const CRememberedRows& remembered);

}  // namespace gvt
