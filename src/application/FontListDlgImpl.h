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
#include "fonts/GdiGlyphSource.h"
#include "fonts/GlyphCoverage.h"
#include "framework/DialogImpl.h"
#include "framework/DialogResize.h"
#include "framework/Dpi.h"
#include "framework/Reflection.h"
#include "framework/WaitCursor.h"
#include "resources/resource.h"
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
    // the list box, which keeps its positions by font. The glyph filter
    // comes last, over what the weight and italic filters kept.
    void Reload(bool enumerate)
    {
        std::optional<CWaitCursor> wait;
        if (enumerate)
            wait.emplace();
        CGdiFontSource source;
        const CLogFontList& filtered = m_catalogue.Reload(enumerate, m_setting, source);
        if (!m_setting.GlyphFilter) {
            m_list.SetItems(filtered);
            return;
        }
        CGdiGlyphSource glyphs;
        m_list.SetItems(m_coverage.Filter(filtered, m_setting.SampleText, glyphs));
    }

    // Lists only the fonts that can draw the sample text, or all again.
    void ToggleGlyphFilter()
    {
        m_setting.GlyphFilter = !m_setting.GlyphFilter;
        Reload(false);
    }

    LOGFONTW LogFont{};
    LOGFONTW TopLogFont{};

    BEGIN_MSG_MAP(CFontListDlgImpl)
        MSG_WM_INITDIALOG(OnInitDialog)
        COMMAND_ID_HANDLER(IDOK, OnEnd)
        COMMAND_ID_HANDLER(IDCANCEL, OnEnd)
        MESSAGE_HANDLER(WM_DPICHANGED, OnDpiChanged)
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
        if (m_setting.GlyphFilter)
            Reload(false);
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
        Reload(true);
        m_dpi = WindowDpi(this->m_hWnd);

        const CLogFontList& shown = m_list.GetItems();
        const int top = FindBestMatch(shown, TopLogFont);
        m_list.SetTopIndex(top < 0 ? 0 : top);
        const int selected = FindBestMatch(shown, LogFont);
        m_list.SetCurSel(selected < 0 ? 0 : selected);

        ::SetFocus(m_list.m_hWnd);
        return FALSE;
    }

    void BindControls()
    {
        m_charSet.Attach(this->GetDlgItem(IDC_CHARSET), &m_setting);
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

    // The window moved to a screen of another resolution: it takes the size
    // the system suggests, and the rows are measured again for the new DPI.
    LRESULT OnDpiChanged(UINT, WPARAM wParam, LPARAM lParam, BOOL&)
    {
        const UINT dpi = LOWORD(wParam);
        this->DlgResize_Rescale(m_dpi, dpi);
        m_dpi = dpi;
        const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
        ::SetWindowPos(this->m_hWnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                       suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
        m_list.Refresh(true);
        return 0;
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
    CFontCatalogue m_catalogue;
    CGlyphCoverage m_coverage;
    CFontListBox m_list;
    UINT m_dpi = kDefaultDpi;
    bool m_ended = false;
};

}  // namespace gvt
