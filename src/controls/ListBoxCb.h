// The drop-down list of the sample-text combo: every search the combo makes
// in it is exact and case-sensitive, so typing a prefix never highlights a
// longer text of the history.
#pragma once

#include "framework/WindowImpl.h"

#include <windows.h>

#include <string>

namespace gvt {

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

class CListBoxCb : public CWindowImpl<CListBoxCb, CListBoxW> {
public:
    BEGIN_MSG_MAP(CListBoxCb)
        MESSAGE_HANDLER(LB_FINDSTRING, OnFindString)
        MESSAGE_HANDLER(LB_FINDSTRINGEXACT, OnFindStringExact)
    END_MSG_MAP()

    // Leaves exact searches to the list's own (case-insensitive) procedure.
    bool UseDefaultFind = false;

private:
    LRESULT OnFindString(UINT msg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnFindStringExact(UINT msg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
};

}  // namespace gvt
