// The sample-text combo box: an editable drop-down whose items are a
// most-recently-used list. The setting follows the typing keystroke by
// keystroke; the list itself is only ever changed by the dialog.
#pragma once

#include "base/CaptureErrors.h"
#include "base/Exception.h"
#include "base/TrimBlank.h"
#include "controls/ComboBoxOps.h"
#include "controls/EditEx.h"
#include "controls/EventListener.h"
#include "controls/ListBoxCb.h"
#include "controls/SettingSetter.h"
#include "framework/WindowImpl.h"
#include "settings/MruStrings.h"

#include <windows.h>

#include <string>

namespace gvt {

// What caused a change of the sample text: the argument of the changed event.
enum SampleTextChange : int {
    SAMPLE_CHANGE_WHEEL = 0,
    SAMPLE_CHANGE_FOCUS_LOST = 4,
    SAMPLE_CHANGE_EDIT = 5,  // typing, or Enter
    SAMPLE_CHANGE_SELECTED = 9,
    SAMPLE_CHANGE_CANCELLED = 10,
};

// S is the settings record (its SampleText is bound), L the list of texts,
// Eq the equality of texts, T the value type of the binding.
template <class S, class L, class Eq, class T>
class CComboBox4 : public CWindowImpl<CComboBox4<S, L, Eq, T>, CComboBoxW> {
public:
    explicit CComboBox4(bool applyWhileTyping = true, bool applyOnFocusLost = false,
                        bool refillOnDropDown = false) noexcept
        : ApplyWhileTyping(applyWhileTyping), ApplyOnFocusLost(applyOnFocusLost), RefillOnDropDown(refillOnDropDown)
    {
    }

    BEGIN_MSG_MAP(CComboBox4)
        REFLECTED_COMMAND_CODE_HANDLER(CBN_SELENDOK, OnSelEndOk)
        REFLECTED_COMMAND_CODE_HANDLER(CBN_SELENDCANCEL, OnSelEndCancel)
        REFLECTED_COMMAND_CODE_HANDLER(CBN_EDITCHANGE, OnEditChange)
        REFLECTED_COMMAND_CODE_HANDLER(CBN_DROPDOWN, OnDropDown)
        REFLECTED_COMMAND_CODE_HANDLER(CBN_KILLFOCUS, OnKillFocus)
        MESSAGE_HANDLER(WM_DEFERRED_APPLY, OnApply)
        MSG_WM_NCPAINT(OnNcPaint)
        MSG_WM_MOUSEWHEEL(OnMouseWheel)
    END_MSG_MAP()

    // Binds to SampleText of `setting` and to `list`, takes over the combo,
    // its drop-down list and its edit field, and fills the items from the list.
    bool Attach(HWND combo, S* setting, L* list)
    {
        m_binding.Bind(setting, &CSettingMember<&S::SampleText>::Get, &CSettingMember<&S::SampleText>::Set);
        m_list = list;
        if (!this->SubclassWindow(combo))
            return false;
        COMBOBOXINFO info = {};
        if (this->GetComboBoxInfo(&info)) {
            if (info.hwndList)
                m_listBox.SubclassWindow(info.hwndList);
            if (info.hwndItem)
                m_edit.SubclassWindow(info.hwndItem);
        }
        m_edit.KeyDownListeners().AddListener(this, &CComboBox4::OnEditKeyDown);
        m_edit.CharListeners().AddListener(this, &CComboBox4::OnEditChar);
        FillFromMru();
        return true;
    }

    using CChangedListeners = CEventListeners<CComboBox4, SampleTextChange>;
    // Listeners get the key event of the Enter key.
    using CEnterListeners = CEventListeners<CComboBox4, KeyEvent&>;
    using CFocusLostListeners = CEventListeners<CComboBox4>;

    template <class O, class U>
    bool AddListener(O* object, void (U::*function)(CComboBox4& sender, SampleTextChange change))
    {
        return m_changed.AddListener(object, function);
    }
    CChangedListeners& ChangedListeners() noexcept { return m_changed; }
    CEnterListeners& EnterListeners() noexcept { return m_enter; }
    CFocusLostListeners& FocusLostListeners() noexcept { return m_focusLost; }

    // The subclassed edit field and drop-down list.
    CEditEx& Edit() noexcept { return m_edit; }
    CListBoxCb& DropDownList() noexcept { return m_listBox; }

    // Rebuilds the items from the list, most recent first, keeping the shown
    // text and the edit selection.
    void FillFromMru()
    {
        const std::wstring shown = ShownText(false);
        const DWORD selection = this->GetEditSel();
        for (int i = this->GetCount() - 1; i >= 0; --i)
            this->DeleteString(i);
        for (const auto& entry : *m_list)
            this->AddString(entry->Text().c_str());
        AdjustDroppedWidth(*this);
        SetText(*this, shown);
        this->SendMessageW(CB_SETEDITSEL, 0, static_cast<LPARAM>(selection));
    }

    // Shows SampleText: its item when listed, else as edit text.
    void SelectFromSetting()
    {
        const int index = m_list->IndexOf(m_binding.Get());
        if (index < 0)
            SetText(*this, m_binding.Get());
        else
            this->SetCurSel(index);
    }

    // Takes the shown text into SampleText: a chosen entry as it stands, a
    // typed text without surrounding blanks. With `notify`, a change fires
    // the changed event with `change`.
    void Apply(bool notify, SampleTextChange change)
    {
        my::CCtrlException ignored;
        CaptureErrors(
            [&] {
                const int index = this->GetCurSel();
                std::wstring text;
                if (index >= 0 && static_cast<std::size_t>(index) < m_list->Count())
                    text = m_list->At(static_cast<std::size_t>(index))->Text();
                else
                    text = ShownText(true);
                if (!Eq()(text, m_binding.Get())) {
                    m_binding.Set(text);
                    if (notify)
                        m_changed.Fire(*this, change);
                }
            },
            ignored);
    }

    // Apply on every edit change (keystroke by keystroke); else the shown
    // text goes back to the setting when the combo loses the focus.
    const bool ApplyWhileTyping;
    // Apply when the combo loses the focus.
    const bool ApplyOnFocusLost;
    // Rebuild the items each time the drop-down opens.
    const bool RefillOnDropDown;

protected:
    void OnEditKeyDown(CEditEx&, KeyEvent& event)
    {
        if (event.Key == VK_RETURN && !(event.KeyFlags & KF_REPEAT)) {
            Apply(ApplyWhileTyping, SAMPLE_CHANGE_EDIT);
            m_enter.Fire(*this, event);
        }
    }
    // The edit never gets a carriage return: Enter is no character of a
    // sample text.
    void OnEditChar(CEditEx&, KeyEvent& event)
    {
        if (event.Key == L'\r')
            event.Handled = true;
    }

private:
    // The selected item's text, else the window text (trimmed if asked).
    std::wstring ShownText(bool trimmed) const
    {
        std::wstring text;
        const int index = this->GetCurSel();
        if (index >= 0 && GetItemText(*this, index, text))
            return text;
        text = GetText(*this);
        return trimmed ? TrimBlank(text) : text;
    }

    LRESULT OnSelEndOk(WORD, WORD, HWND, BOOL&)
    {
        this->PostMessageW(WM_DEFERRED_APPLY, SAMPLE_CHANGE_SELECTED);
        return 0;
    }
    LRESULT OnSelEndCancel(WORD, WORD, HWND, BOOL&)
    {
        this->PostMessageW(WM_DEFERRED_APPLY, SAMPLE_CHANGE_CANCELLED);
        return 0;
    }
    LRESULT OnEditChange(WORD, WORD, HWND, BOOL&)
    {
        if (ApplyWhileTyping)
            Apply(true, SAMPLE_CHANGE_EDIT);
        return 0;
    }
    LRESULT OnDropDown(WORD, WORD, HWND, BOOL&)
    {
        if (RefillOnDropDown) {
            FillFromMru();
            SelectFromSetting();
        }
        return 0;
    }
    LRESULT OnKillFocus(WORD, WORD, HWND, BOOL&)
    {
        if (ApplyOnFocusLost)
            Apply(true, SAMPLE_CHANGE_FOCUS_LOST);
        else if (!ApplyWhileTyping)
            SelectFromSetting();
        m_focusLost.Fire(*this);
        return 0;
    }
    LRESULT OnApply(UINT, WPARAM wParam, LPARAM, BOOL&)
    {
        Apply(true, static_cast<SampleTextChange>(wParam));
        return 0;
    }

    // A selection left in the edit would stay highlighted while another
    // control has the focus.
    void OnNcPaint(HRGN, BOOL& bHandled)
    {
        const HWND focus = ::GetFocus();
        if (this->GetEditSel() != 0 && focus != this->m_hWnd && !this->IsChild(focus))
            this->SendMessageW(CB_SETEDITSEL, 0, 0);
        bHandled = FALSE;
    }

    // Away from the user (positive delta) goes to more recent texts.
    void OnMouseWheel(UINT, short delta, POINT, BOOL&)
    {
        if (delta == 0)
            return;
        const int index = m_list->IndexOf(ShownText(true));
        const int next = delta > 0 ? index - 1 : index + 1;
        if (next < 0 || static_cast<std::size_t>(next) >= m_list->Count())
            return;
        const std::wstring text = m_list->At(static_cast<std::size_t>(next))->Text();
        SetText(*this, text);
        if (::GetFocus() == this->m_hWnd)
            this->SetEditSel(0, -1);
        if (ApplyWhileTyping && m_binding.Set(text))
            m_changed.Fire(*this, SAMPLE_CHANGE_WHEEL);
    }

    CSettingSetter<S, T> m_binding;
    L* m_list = nullptr;
    CListBoxCb m_listBox;
    CEditEx m_edit;
    CChangedListeners m_changed;
    CEnterListeners m_enter;
    CFocusLostListeners m_focusLost;
};

// The dialog's sample-text combo.
template <class S, class L>
class CComboBoxString : public CComboBox4<S, L, CSameTextValue, const std::wstring&> {
public:
    using CSampleCombo = CComboBox4<S, L, CSameTextValue, const std::wstring&>;
};

}  // namespace gvt
