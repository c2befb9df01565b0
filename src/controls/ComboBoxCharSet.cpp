#include "controls/ComboBoxCharSet.h"

#include "controls/ComboBoxOps.h"
#include "framework/UniqueHandle.h"
#include "settings/FontListDlgSetting.h"

namespace gvt {

template <class S>
bool CComboBoxCharSet<S>::Attach(HWND combo, S* setting, CFontDigest* digest)
{
    m_charSet.Bind(setting, &CSettingMember<&S::CharSet>::Get, &CSettingMember<&S::CharSet>::Set);
    m_tategaki.Bind(setting, &CSettingMember<&S::Tategaki>::Get, &CSettingMember<&S::Tategaki>::Set);
    if (!this->SubclassWindow(combo))
        return false;

    CClientDC screen(nullptr);
    m_choices = EnumCharSets(screen.get(), digest);
    for (int i = this->GetCount() - 1; i >= 0; --i)
        this->DeleteString(i);
    for (const auto& choice : m_choices)
        this->AddString(choice->Name.c_str());
    AdjustDroppedWidth(*this);
    return true;
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
