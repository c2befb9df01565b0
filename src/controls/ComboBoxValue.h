// An editable combo box for a number (the font size): the list offers
// values, the edit field takes any text, and only a text that converts
// changes the setting. A text that does not convert is kept as an error
// record and announced, never shown in a message box.
#pragma once

#include "base/CaptureErrors.h"
#include "base/Exception.h"
#include "base/IntConverter.h"
#include "controls/ComboBoxOps.h"
#include "controls/EditEx.h"
#include "controls/EventListener.h"
#include "controls/SettingSetter.h"
#include "framework/DebugLog.h"
#include "framework/WindowImpl.h"

#include <windows.h>

#include <string>

namespace gvt {

// S is the settings record, C the converter between the value and its text.
template <class S, class C>
class CComboBoxValue : public CWindowImpl<CComboBoxValue<S, C>, CComboBoxW>,
                       public CSettingSetter<S, int>,
                       public C {
public:
    using Getter = typename CSettingSetter<S, int>::Getter;
    using Setter = typename CSettingSetter<S, int>::Setter;

    // A chosen item applies at once; typed text applies from a posted
    // message, after the edit holds the new text. The notifications also go
    // on to the default handling.
    BEGIN_MSG_MAP(CComboBoxValue)
        REFLECTED_COMMAND_CODE_HANDLER(CBN_SELCHANGE, OnSelect)
        REFLECTED_COMMAND_CODE_HANDLER(CBN_SELENDCANCEL, OnSelect)
        REFLECTED_COMMAND_CODE_HANDLER(CBN_EDITCHANGE, OnEditChange)
        REFLECTED_COMMAND_CODE_HANDLER(CBN_KILLFOCUS, OnKillFocus)
        MESSAGE_HANDLER(WM_DEFERRED_APPLY, OnApply)
    END_MSG_MAP()

    // Binds to the member behind getter and setter and takes over the combo
    // and its edit field. Adds no items.
    bool Attach(HWND combo, S* setting, Getter getter, Setter setter)
    {
        this->Bind(setting, getter, setter);
        if (!this->SubclassWindow(combo))
            return false;
        if (HWND edit = FindEditChild(combo))
            m_edit.SubclassWindow(edit);
        return true;
    }

    using CListeners = CEventListeners<CComboBoxValue>;
    // Listeners get the new LastError.
    using CErrorListeners = CEventListeners<CComboBoxValue, const my::CCtrlException&>;

    template <class L, class U>
    bool AddListener(L* object, void (U::*function)(CComboBoxValue& sender))
    {
        return m_changed.AddListener(object, function);
    }
    CListeners& ChangedListeners() noexcept { return m_changed; }
    CListeners& FocusLostListeners() noexcept { return m_focusLost; }
    CErrorListeners& ErrorChangedListeners() noexcept { return m_errorChanged; }

    // The subclassed edit field (no listeners of its own).
    CEditEx& Edit() noexcept { return m_edit; }

    // Shows the member's value as text (selecting its item when listed).
    void SelectFromSetting()
    {
        try {
            SetText(*this, this->ToText(this->Get()));
        } catch (...) {
            // Nothing to show then; the combo keeps what it shows.
            LogCaughtException(L"size box");
        }
    }

    // Converts the shown text and writes the value when it differs.
    void Apply()
    {
        std::wstring text;
        const int index = this->GetCurSel();
        if (index < 0 || !GetItemText(*this, index, text))
            text = GetText(*this);

        std::wstring current;
        my::CCtrlException error;
        CaptureErrors([&] { current = this->ToText(this->Get()); }, error);
        if (!error.HasError() && text == current)
            return;

        int value = 0;
        CaptureErrors([&] { value = this->FromText(text); }, error);
        if (error.HasError())
            error.Control = this->m_hWnd;
        if (error.HasError() != LastError.HasError()) {
            LastError = error;
            m_errorChanged.Fire(*this, LastError);
        }
        if (!error.HasError() && this->Set(value))
            m_changed.Fire(*this);
    }

    // Set by the first failed conversion after a success (a later failure
    // keeps it); empty again after a success.
    my::CCtrlException LastError;

private:
    LRESULT OnSelect(WORD, WORD, HWND, BOOL& bHandled)
    {
        Apply();
        bHandled = FALSE;
        return 0;
    }
    LRESULT OnEditChange(WORD, WORD, HWND, BOOL& bHandled)
    {
        this->PostMessageW(WM_DEFERRED_APPLY);
        bHandled = FALSE;
        return 0;
    }
    LRESULT OnKillFocus(WORD, WORD, HWND, BOOL& bHandled)
    {
        m_focusLost.Fire(*this);
        bHandled = FALSE;
        return 0;
    }
    LRESULT OnApply(UINT, WPARAM, LPARAM, BOOL&)
    {
        Apply();
        return 0;
    }

    CEditEx m_edit;
    CListeners m_changed;
    CListeners m_focusLost;
    CErrorListeners m_errorChanged;
};

// The size combo: an int member shown through CIntConverter<int, F1, F2>.
template <class S, int F1, int F2>
class CComboBoxInt : public CComboBoxValue<S, CIntConverter<int, F1, F2>> {
public:
    using CValueCombo = CComboBoxValue<S, CIntConverter<int, F1, F2>>;

    // Binds to Size of the settings.
    bool Attach(HWND combo, S* setting)
    {
        return CValueCombo::Attach(combo, setting, &CSettingMember<&S::Size>::Get, &CSettingMember<&S::Size>::Set);
    }

    // The sizes 7 to 48, ascending.
    void FillList()
    {
        for (int size = kFirstListed; size <= kLastListed; ++size)
            this->AddString(this->ToText(size).c_str());
    }

    static constexpr int kFirstListed = 7;
    static constexpr int kLastListed = 48;
};

}  // namespace gvt
