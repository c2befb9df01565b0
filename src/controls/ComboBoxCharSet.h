// The character-set combo box: one item per (character set, vertical
// writing) pair that the installed fonts offer, ordered by character-set
// number; choosing one writes both CharSet and Tategaki of the settings.
#pragma once

#include "controls/EventListener.h"
#include "controls/SettingSetter.h"
#include "framework/WindowImpl.h"

#include <windows.h>

#include <boost/shared_ptr.hpp>

#include <string>
#include <vector>

namespace gvt {

// One choice of the combo.
struct CCharSet {
    int Tategaki = 0;  // 1 for the vertical-writing ("@") faces of the set
    int CharSet = 0;   // 0-255
    std::wstring Name; // the script name, with "@" appended for vertical writing
};

using CCharSetChoices = std::vector<boost::shared_ptr<CCharSet>>;

// The choice one enumerated (face, character set) pair stands for.
CCharSet CharSetOfFont(const LOGFONTW& font, const wchar_t* script);

// Inserts keeping the choices sorted by CharSet, the horizontal entry before
// its vertical twin; a pair already present keeps its first name and the new
// choice is dropped (false).
bool InsertCharSet(CCharSetChoices& choices, const boost::shared_ptr<CCharSet>& choice);

// Every (character set, vertical writing) pair of the fonts installed now,
// enumerated on `dc` for all faces in all character sets.
CCharSetChoices EnumCharSets(HDC dc);

template <class S>
class CComboBoxCharSet : public CWindowImpl<CComboBoxCharSet<S>, CComboBoxW> {
public:
    BEGIN_MSG_MAP(CComboBoxCharSet)
        REFLECTED_COMMAND_CODE_HANDLER(CBN_SELCHANGE, OnSelect)
        REFLECTED_COMMAND_CODE_HANDLER(CBN_SELENDCANCEL, OnSelect)
    END_MSG_MAP()

    // Binds to CharSet and Tategaki of `setting`, takes over the combo and
    // fills it with the character sets of the installed fonts.
    bool Attach(HWND combo, S* setting);

    template <class T, class U>
    bool AddListener(T* object, void (U::*function)(void* sender, void* argument))
    {
        return m_changed.AddListener(object, function);
    }
    CEventListeners& ChangedListeners() noexcept { return m_changed; }

    // Selects the choice of the setting's pair, or nothing when none matches.
    void SelectFromSetting();
    // Writes the selected choice; one changed event when either member changed.
    void Apply();

    const CCharSetChoices& Choices() const noexcept { return m_choices; }

    virtual void FireChanged(void* argument);

private:
    LRESULT OnSelect(WORD code, WORD id, HWND control, BOOL& bHandled);

    CSettingSetter<S, int> m_charSet;
    CSettingSetter<S, int> m_tategaki;
    CEventListeners m_changed;
    CCharSetChoices m_choices;
};

}  // namespace gvt
