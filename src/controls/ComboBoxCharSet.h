// The character-set combo box: one item per (character set, vertical
// writing) pair that the installed fonts offer, ordered by character-set
// number; choosing one writes both CharSet and Tategaki of the settings.
#pragma once

#include "controls/EventListener.h"
#include "controls/SettingSetter.h"
#include "fonts/CharSets.h"
#include "framework/WindowImpl.h"

#include <windows.h>

#include <boost/shared_ptr.hpp>

#include <string>
#include <vector>

namespace gvt {

template <class S>
class CComboBoxCharSet : public CWindowImpl<CComboBoxCharSet<S>, CComboBoxW> {
public:
    BEGIN_MSG_MAP(CComboBoxCharSet)
        REFLECTED_COMMAND_CODE_HANDLER(CBN_SELCHANGE, OnSelect)
        REFLECTED_COMMAND_CODE_HANDLER(CBN_SELENDCANCEL, OnSelect)
    END_MSG_MAP()

    // Binds to CharSet and Tategaki of `setting` and takes over the combo;
    // the items come with SetChoices.
    bool Attach(HWND combo, S* setting);
    // Lists the choices (EnumCharSets, or a font reading's) in place of the
    // old ones and selects the setting's pair among them, without firing.
    void SetChoices(CCharSetChoices choices);

    using CChangedListeners = CEventListeners<CComboBoxCharSet>;
    template <class T, class U>
    bool AddListener(T* object, void (U::*function)(CComboBoxCharSet& sender))
    {
        return m_changed.AddListener(object, function);
    }
    CChangedListeners& ChangedListeners() noexcept { return m_changed; }

    // Selects the choice of the setting's pair, or nothing when none matches.
    void SelectFromSetting();
    // Writes the selected choice; one changed event when either member changed.
    void Apply();

    const CCharSetChoices& Choices() const noexcept { return m_choices; }

private:
    LRESULT OnSelect(WORD code, WORD id, HWND control, BOOL& bHandled);

    CSettingSetter<S, int> m_charSet;
    CSettingSetter<S, int> m_tategaki;
    CChangedListeners m_changed;
    CCharSetChoices m_choices;
};

}  // namespace gvt
