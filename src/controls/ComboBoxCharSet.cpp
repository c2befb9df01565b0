#include "controls/ComboBoxCharSet.h"

#include "controls/ComboBoxOps.h"
#include "settings/FontListDlgSetting.h"

namespace gvt {

template <class S>
bool CComboBoxCharSet<S>::Attach(HWND combo, S* setting)
{
    m_charSet.Bind(setting, &CSettingMember<&S::CharSet>::Get, &CSettingMember<&S::CharSet>::Set);
    m_tategaki.Bind(setting, &CSettingMember<&S::Tategaki>::Get, &CSettingMember<&S::Tategaki>::Set);
    return this->SubclassWindow(combo) != FALSE;
}

template <class S>
void CComboBoxCharSet<S>::SetChoices(CCharSetChoices choices)
{
    m_choices = std::move(choices);
    for (int i = this->GetCount() - 1; i >= 0; --i)
        this->DeleteString(i);
    for (const auto& choice : m_choices)
        this->AddString(choice->Name.c_str());
    AdjustDroppedWidth(*this);
    SelectFromSetting();
}

template <class S>
void CComboBoxCharSet<S>::SelectFromSetting()
{
    const int charSet = m_charSet.Get();
    const int tategaki = m_tategaki.Get();
    int index = -1;
    for (std::size_t i = 0; i < m_choices.size(); ++i) {
        if (m_choices[i]->CharSet == charSet && m_choices[i]->Tategaki == tategaki) {
            index = static_cast<int>(i);
            break;
        }
    }
    this->SetCurSel(index);
}

template <class S>
void CComboBoxCharSet<S>::Apply()
{
    const int index = this->GetCurSel();
    if (index < 0 || static_cast<std::size_t>(index) >= m_choices.size())
        return;
    const CCharSet& choice = *m_choices[static_cast<std::size_t>(index)];
    const bool charSetChanged = m_charSet.Set(choice.CharSet);
    const bool tategakiChanged = m_tategaki.Set(choice.Tategaki);
    if (charSetChanged || tategakiChanged)
        m_changed.Fire(*this);
}

template <class S>
LRESULT CComboBoxCharSet<S>::OnSelect(WORD, WORD, HWND, BOOL&)
{
    Apply();
    return 0;
}

template class CComboBoxCharSet<CFontListDlgSetting>;

}  // namespace gvt
