// A drop-down list of named values (font type, weight filter, italic
// filter) bound to one int member of the settings.
#pragma once

#include "controls/ComboBoxOps.h"
#include "controls/EventListener.h"
#include "controls/SettingSetter.h"
#include "framework/WindowImpl.h"

#include <windows.h>

namespace gvt {

// S is the settings record, N the table of named values, T the value type.
template <class S, class N, class T>
class CComboBoxEnum : public CWindowImpl<CComboBoxEnum<S, N, T>, CComboBoxW>, public CSettingSetter<S, T> {
public:
    using Getter = typename CSettingSetter<S, T>::Getter;
    using Setter = typename CSettingSetter<S, T>::Setter;

    // The selection is applied from a message the combo posts to itself, so
    // that the apply sees the combo after it has finished its own update.
    BEGIN_MSG_MAP(CComboBoxEnum)
        REFLECTED_COMMAND_CODE_HANDLER(CBN_SELCHANGE, OnSelect)
        REFLECTED_COMMAND_CODE_HANDLER(CBN_SELENDOK, OnSelect)
        REFLECTED_COMMAND_CODE_HANDLER(CBN_SELENDCANCEL, OnSelect)
        MESSAGE_HANDLER(WM_DEFERRED_APPLY, OnApply)
    END_MSG_MAP()

    // Binds to the member behind getter and setter, takes over the combo and
    // adds one item per table entry, in table order. The table must outlive
    // the combo.
    bool Attach(HWND combo, S* setting, Getter getter, Setter setter, const N* table);

    using CChangedListeners = CEventListeners<CComboBoxEnum>;
    template <class L, class U>
    bool AddListener(L* object, void (U::*function)(CComboBoxEnum& sender))
    {
        return m_changed.AddListener(object, function);
    }
    CChangedListeners& ChangedListeners() noexcept { return m_changed; }

    // Selects the first entry of the member's value, or nothing.
    void SelectFromSetting();
    // Writes the selected entry's value; one changed event when it differs.
    void Apply();

private:
    LRESULT OnSelect(WORD code, WORD id, HWND control, BOOL& bHandled);
    LRESULT OnApply(UINT msg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);

    CChangedListeners m_changed;
    const N* m_table = nullptr;
};

}  // namespace gvt
