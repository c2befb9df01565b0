#include "controls/ComboBoxCharSet.h"

#include "controls/ComboBoxOps.h"
#include "framework/UniqueHandle.h"
#include "settings/FontListDlgSetting.h"

#include <algorithm>

namespace gvt {

namespace {

bool Before(const CCharSet& a, const CCharSet& b) noexcept
{
    if (a.CharSet != b.CharSet)
        return a.CharSet < b.CharSet;
    return a.Tategaki < b.Tategaki;
}

int CALLBACK CollectCharSet(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM context)
{
    // Nothing may unwind through the system's enumeration; a choice that
    // cannot be stored is left out.
    try {
        const auto* extended = reinterpret_cast<const ENUMLOGFONTEXW*>(font);
        auto choice = boost::shared_ptr<CCharSet>(new CCharSet(CharSetOfFont(*font, extended->elfScript)));
        InsertCharSet(*reinterpret_cast<CCharSetChoices*>(context), choice);
    } catch (...) {
    }
    return TRUE;
}

}  // namespace

CCharSet CharSetOfFont(const LOGFONTW& font, const wchar_t* script)
{
    CCharSet choice;
    choice.Tategaki = font.lfFaceName[0] == L'@' ? 1 : 0;
    choice.CharSet = font.lfCharSet;
    choice.Name = script;
    if (choice.Tategaki)
        choice.Name += L'@';
    return choice;
}

bool InsertCharSet(CCharSetChoices& choices, const boost::shared_ptr<CCharSet>& choice)
{
    const auto at = std::lower_bound(choices.begin(), choices.end(), choice,
                                     [](const auto& a, const auto& b) { return Before(*a, *b); });
    if (at != choices.end() && !Before(*choice, **at))
        return false;
    choices.insert(at, choice);
    return true;
}

CCharSetChoices EnumCharSets(HDC dc)
{
    CCharSetChoices choices;
    LOGFONTW request = {};
    request.lfCharSet = DEFAULT_CHARSET;
    ::EnumFontFamiliesExW(dc, &request, CollectCharSet, reinterpret_cast<LPARAM>(&choices), 0);
    return choices;
}

template <class S>
bool CComboBoxCharSet<S>::Attach(HWND combo, S* setting)
{
    m_charSet.Bind(setting, &CSettingMember<&S::CharSet>::Get, &CSettingMember<&S::CharSet>::Set);
    m_tategaki.Bind(setting, &CSettingMember<&S::Tategaki>::Get, &CSettingMember<&S::Tategaki>::Set);
    if (!this->SubclassWindow(combo))
        return false;

    CClientDC screen(nullptr);
    m_choices = EnumCharSets(screen.get());
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
        FireChanged(nullptr);
}

template <class S>
void CComboBoxCharSet<S>::FireChanged(void* argument)
{
    m_changed.Fire(this, argument);
}

template <class S>
LRESULT CComboBoxCharSet<S>::OnSelect(WORD, WORD, HWND, BOOL&)
{
    Apply();
    return 0;
}

template class CComboBoxCharSet<CFontListDlgSetting>;

}  // namespace gvt
