// Operations every combo box of the dialog needs on its window: item and
// window texts, a case-sensitive item search, showing a text, and a drop-down
// list wide enough for its items.
#pragma once

#include "framework/Window.h"

#include <windows.h>

#include <string>

namespace gvt {

// Posted by a combo box to itself: apply the selection once the control has
// finished its own update. wParam carries the cause where the combo has one.
constexpr UINT WM_DEFERRED_APPLY = WM_APP;

// The text of item `index`, cut at its first NUL; false when the item
// cannot be read.
bool GetItemText(const CComboBoxW& combo, int index, std::wstring& text);

// The window text (for an editable combo: its edit field's text).
std::wstring GetText(const CWindowW& window);

// The first of `count` items, from `start` on and then (only when start > 0)
// from 0 up to start, whose text equals `text` exactly; -1 when none.
// `read(i, itemText)` gives an item's text, false when it cannot be read.
template <class Read>
int FindExactItem(int count, int start, const std::wstring& text, Read read)
{
    const int first = start >= 0 ? start : 0;
    std::wstring item;
    for (int i = first; i < count; ++i) {
        if (read(i, item) && item == text)
            return i;
    }
    if (start > 0) {
        for (int i = 0; i < first && i < count; ++i) {
            if (read(i, item) && item == text)
                return i;
        }
    }
    return -1;
}

// The first item whose text is exactly `text` (case-sensitive), or -1.
// Items that cannot be read are skipped.
int FindItemExact(const CComboBoxW& combo, const std::wstring& text);

// Shows `text`: selects the item of exactly that text, or clears the
// selection and puts the text into the window. Nothing when already shown.
bool SetText(CComboBoxW combo, const std::wstring& text);

// Widens the drop-down list to its widest item (at least the combo's width).
void AdjustDroppedWidth(CComboBoxW combo);

// The first child of `window` of the class "Edit" (any case), or null.
HWND FindEditChild(HWND window);

}  // namespace gvt
