// The drop-down list of the sample-text combo: every search the combo makes
// in it is exact and case-sensitive, so typing a prefix never highlights a
// longer text of the history.
#pragma once

#include "controls/ComboBoxOps.h"
#include "framework/WindowImpl.h"

#include <windows.h>

namespace gvt {

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
