#include "controls/ComboBoxEnum.h"

#include "base/NamedInts.h"
#include "settings/FontListDlgSetting.h"

namespace gvt {

template <class S, class N, class T>
bool CComboBoxEnum<S, N, T>::Attach(HWND combo, S* setting, Getter getter, Setter setter, const N* table)
{
    this->Bind(setting, getter, setter);
    m_table = table;
    if (!this->SubclassWindow(combo))
        return false;
    if (m_table)
        m_table->AddToCombo(combo);
    AdjustDroppedWidth(*this);
    return true;
}

template <class S, class N, class T>
void CComboBoxEnum<S, N, T>::SelectFromSetting()
{
    this->SetCurSel(m_table ? m_table->FindValue(this->Get()) : -1);
}

template <class S, class N, class T>
void CComboBoxEnum<S, N, T>::Apply()
{
    if (!m_table)
        return;
    const auto entry = m_table->At(this->GetCurSel());
    if (entry && this->Set(entry->Value))
        m_changed.Fire(*this);
}

template <class S, class N, class T>
LRESULT CComboBoxEnum<S, N, T>::OnSelect(WORD, WORD, HWND, BOOL&)
{
    this->PostMessageW(WM_DEFERRED_APPLY);
    return 0;
}

template <class S, class N, class T>
LRESULT CComboBoxEnum<S, N, T>::OnApply(UINT, WPARAM, LPARAM, BOOL&)
{
    Apply();
    return 0;
}

template class CComboBoxEnum<CFontListDlgSetting, CNamedInts, int>;

}  // namespace gvt
