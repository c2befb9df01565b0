// The font-list part of the main dialog: settings, catalogue, list box and
// the reactions to the filter controls. T is the final dialog class.
#pragma once

#include "controls/ComboBox4.h"
#include "controls/ComboBoxCharSet.h"
#include "controls/ComboBoxEnum.h"
#include "controls/ComboBoxValue.h"
#include "controls/SettingSetter.h"
#include "controls/WindowLayoutManager.h"
#include "fontlist/FontListBox.h"
#include "fonts/BestMatch.h"
#include "fonts/FontCatalogue.h"
#include "fonts/FontNames.h"
#include "fonts/GdiFontSource.h"
#include "framework/DialogImpl.h"
#include "framework/DialogResize.h"
#include "framework/Reflection.h"
#include "framework/WaitCursor.h"
#include "resources/resource.h"
#include "settings/AppInfo.h"
#include "settings/FontListDlgSetting.h"

#include <optional>

namespace gvt {

template <class T, class TBase = CDialogWT<CWindowW>>
class CFontListDlgImpl : public CModalDialogImpl<T, TBase>,
                         public CDialogResize<T>,
                         public CWindowLayoutManager<T, WM_APP> {
public:
    CFontListDlgImpl() { this->SetLayout(&m_setting.WindowLayout); }

    CFontListDlgSetting& Setting() noexcept { return m_setting; }
    const CFontListDlgSetting& Setting() const noexcept { return m_setting; }

    CFontListBox& FontList() noexcept { return m_list; }
    const CFontListBox& FontList() const noexcept { return m_list; }

    // Re-enumerates (true) or only refilters (false) and hands the result to
    // the list box, which keeps its positions by font.
    void Reload(bool enumerate)
    {
        std::optional<CWaitCursor> wait;
        if (enumerate)
            wait.emplace();
        CGdiFontSource source(&m_enumeratedFonts);
        m_list.SetItems(m_catalogue.Reload(enumerate, m_setting, source));
    }

    LOGFONTW LogFont{};
    LOGFONTW TopLogFont{};

    BEGIN_MSG_MAP(CFontListDlgImpl)
        MSG_WM_INITDIALOG(OnInitDialog)
        COMMAND_ID_HANDLER(IDOK, OnEnd)
        COMMAND_ID_HANDLER(IDCANCEL, OnEnd)
        CHAIN_MSG_MAP(CDialogResize<T>)
        CHAIN_MSG_MAP(CWindowLayoutManager<T, WM_APP>)
        REFLECT_NOTIFICATIONS()
    END_MSG_MAP()

    BEGIN_DLGRESIZE_MAP(CFontListDlgImpl)
        DLGRESIZE_CONTROL(IDC_SAMPLE_TEXT, DLSZ_SIZE_X)
        DLGRESIZE_CONTROL(IDC_FONT_LIST, DLSZ_SIZE_X | DLSZ_SIZE_Y)
        DLGRESIZE_CONTROL(IDC_STATUS, DLSZ_SIZE_X | DLSZ_MOVE_Y)
        DLGRESIZE_CONTROL(IDOK, DLSZ_MOVE_X | DLSZ_MOVE_Y)
        DLGRESIZE_CONTROL(IDCANCEL, DLSZ_MOVE_X | DLSZ_MOVE_Y)
    END_DLGRESIZE_MAP()

    // Enter in the sample-text field keeps the text in the history and
    // rebuilds the drop-down items from it.
    void CommitSampleText()
    {
        m_setting.SampleTexts.Add(m_setting.SampleText);
        m_sampleText.FillFromMru();
    }

    HWND SampleTextWindow() const noexcept { return m_sampleText.m_hWnd; }

    // Change listeners of the controls.
    void OnCharSetOrType(void*, void*) { Reload(true); }
    void OnWeightOrItalic(void*, void*) { Reload(false); }
    void OnSize(void*, void*)
    {
        // Every record takes the new height; the rows are re-measured and
        // the list keeps its positions.
        m_catalogue.SetHeight(m_setting.Size);
        m_list.Refresh(true);
    }
    void OnSampleText(void*, void*)
    {
        m_list.SetSampleText(m_setting.SampleText);
        m_list.Invalidate(TRUE);
    }

private:
    using CSetting = CFontListDlgSetting;
    using CEnumCombo = CComboBoxEnum<CSetting, CNamedInts, int>;

    BOOL OnInitDialog(HWND, LPARAM, BOOL&)
    {
        this->DlgResize_Init(true, true);
        m_ended = false;

        // The window is shown in its saved state once the loop runs.
        this->Pending = true;
        this->PostMessageW(WM_APP, 0, 0);
        this->Restore(4);

        BindControls();
        m_list.SubclassWindow(this->GetDlgItem(IDC_FONT_LIST));
        m_list.SetSampleText(m_setting.SampleText);
        const CAppInfo& app = CAppInfo::Instance();
        if (!app.CacheFolder.empty())
            m_catalogue.UseCacheFile(app.FontCacheFilePath(), app.Version);
        Reload(true);

        const CLogFontList& shown = m_catalogue.Displayed();
        const int top = FindBestMatch(shown, TopLogFont);
        m_list.SetTopIndex(top < 0 ? 0 : top);
        const int selected = FindBestMatch(shown, LogFont);
        m_list.SetCurSel(selected < 0 ? 0 : selected);

        ::SetFocus(m_list.m_hWnd);
        return FALSE;
    }

    void BindControls()
    {
        m_charSet.Attach(this->GetDlgItem(IDC_CHARSET), &m_setting, &m_enumeratedFonts);
        m_charSet.AddListener(this, &CFontListDlgImpl::OnCharSetOrType);
        m_charSet.SelectFromSetting();

        if (HWND type = this->GetDlgItem(IDC_TYPE)) {
            m_type.Attach(type, &m_setting, &CSettingMember<&CSetting::Type>::Get, &CSettingMember<&CSetting::Type>::Set,
                          &FontTypeNames);
            m_type.AddListener(this, &CFontListDlgImpl::OnCharSetOrType);
            m_type.SelectFromSetting();
        }

        m_size.Attach(this->GetDlgItem(IDC_FONT_SIZE), &m_setting);
        m_size.AddListener(this, &CFontListDlgImpl::OnSize);
        m_size.FillList();
        m_size.SelectFromSetting();

        m_weight.Attach(this->GetDlgItem(IDC_WEIGHT), &m_setting, &CSettingMember<&CSetting::Weight>::Get,
                        &CSettingMember<&CSetting::Weight>::Set, &FontWeightFilterNames);
        m_weight.AddListener(this, &CFontListDlgImpl::OnWeightOrItalic);
        m_weight.SelectFromSetting();

        m_italic.Attach(this->GetDlgItem(IDC_ITALIC), &m_setting, &CSettingMember<&CSetting::Italic>::Get,
                        &CSettingMember<&CSetting::Italic>::Set, &FontItalicNames);
        m_italic.AddListener(this, &CFontListDlgImpl::OnWeightOrItalic);
        m_italic.SelectFromSetting();

        m_sampleText.Attach(this->GetDlgItem(IDC_SAMPLE_TEXT), &m_setting, &m_setting.SampleTexts);
        m_sampleText.AddListener(this, &CFontListDlgImpl::OnSampleText);
        m_sampleText.SelectFromSetting();
    }

    LRESULT OnEnd(WORD, WORD id, HWND, BOOL&)
    {
        // A second end command already queued behind the first must not
        // overwrite the end code and the recorded fonts.
        if (m_ended)
            return 0;
        m_ended = true;
        LogFont = Recorded(m_list.GetSelected());
        TopLogFont = Recorded(m_list.GetTop());
        if (id == IDOK)
            m_setting.SampleTexts.Add(m_setting.SampleText);
        // A cache that cannot be written only costs the next run its speed.
        m_catalogue.SaveCache();
        this->EndDialog(id);
        return 0;
    }

    // The record as stored; without one, a zero LOGFONT of the current
    // character set and size.
    LOGFONTW Recorded(const CLogFontPtr& font) const noexcept
    {
        if (font)
            return *font;
        LOGFONTW empty{};
        empty.lfCharSet = static_cast<BYTE>(m_setting.CharSet & 0xFF);
        empty.lfHeight = m_setting.Size;
        return empty;
    }

    CFontListDlgSetting m_setting;
    CComboBoxCharSet<CSetting> m_charSet;
    CEnumCombo m_type;
    CComboBoxInt<CSetting, 0, 0> m_size;
    CEnumCombo m_weight;
    CEnumCombo m_italic;
    CComboBoxString<CSetting, CMruStrings> m_sampleText;
    // The character-set box enumerates every face at start; the probe cache's
    // fingerprint takes that enumeration instead of making its own.
    CFontDigest m_enumeratedFonts;
    CFontCatalogue m_catalogue;
    CFontListBox m_list;
    bool m_ended = false;
};

}  // namespace gvt
