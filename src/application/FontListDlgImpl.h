// The font-list part of the main dialog: settings, catalogue, list box and
// the reactions to the filter controls. T is the final dialog class.
#pragma once

#include "controls/FontListControls.h"
#include "controls/WindowLayoutManager.h"
#include "fontlist/FontListBox.h"
#include "fonts/BestMatch.h"
#include "fonts/FontCatalogue.h"
#include "fonts/GdiFontSource.h"
#include "fonts/GdiGlyphSource.h"
#include "fonts/GlyphCoverage.h"
#include "framework/DialogImpl.h"
#include "framework/DialogResize.h"
#include "framework/Dpi.h"
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
                         public CWindowLayoutManager<T, WM_DEFERRED_SHOW> {
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
        CGdiFontSource source(&m_enumeratedFonts);
        const CLogFontList& filtered = m_catalogue.Reload(enumerate, CatalogueFilter(), source);
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
        CHAIN_MSG_MAP(CWindowLayoutManager<T, WM_DEFERRED_SHOW>)
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
        m_controls.SampleText.FillFromMru();
    }

    HWND SampleTextWindow() const noexcept { return m_controls.SampleText.m_hWnd; }

    // Change listeners of the controls.
    using CControls = CFontListControls<CFontListDlgSetting>;
    void OnCharSetOrType(typename CControls::CCharSetCombo&) { Reload(true); }
    void OnCharSetOrType(typename CControls::CEnumCombo&) { Reload(true); }
    void OnWeightOrItalic(typename CControls::CEnumCombo&) { Reload(false); }
    void OnSize(typename CControls::CSizeSender&)
    {
        // Every record takes the new height; the rows are re-measured and
        // the list keeps its positions.
        m_catalogue.SetHeight(m_setting.Size);
        m_list.Refresh(true);
    }
    void OnSampleText(typename CControls::CSampleTextSender&, SampleTextChange)
    {
        m_list.SetSampleText(m_setting.SampleText);
        if (m_setting.GlyphFilter)
            Reload(false);
        m_list.Invalidate(TRUE);
    }

private:
    BOOL OnInitDialog(HWND, LPARAM, BOOL&)
    {
        this->DlgResize_Init(true, true);
        m_ended = false;
        // Before the saved placement is restored: a restore onto a screen of
        // another DPI rescales from the DPI the window was created at.
        m_dpi = WindowDpi(this->m_hWnd);
        TakeOverDialogDpiScaling(this->m_hWnd);

        // The window is shown in its saved state once the loop runs.
        this->PostDeferredShow();
        this->Restore(RESTORE_FIT_TO_VIRTUAL_SCREEN);
        // On top while still hidden, as a stored placement puts it. Otherwise
        // the show restacks it above the combo boxes' drop-down lists, and
        // Wine, handling the X server's answer after the deferred maximise,
        // takes the window's old X geometry for a restore by the window
        // manager.
        this->SetWindowPos(HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

        m_controls.Bind(*this, &m_setting, this, &m_enumeratedFonts);
        m_list.SubclassWindow(this->GetDlgItem(IDC_FONT_LIST));
        m_list.SetSampleText(m_setting.SampleText);
        const CAppInfo& app = CAppInfo::Instance();
        if (!app.CacheFolder.empty())
            m_catalogue.UseCacheFile(app.FontCacheFilePath(), app.Version);
        Reload(true);

        const CLogFontList& shown = m_list.GetItems();
        const int top = FindBestMatch(shown, TopLogFont);
        m_list.SetTopIndex(top < 0 ? 0 : top);
        const int selected = FindBestMatch(shown, LogFont);
        m_list.SetCurSel(selected < 0 ? 0 : selected);

        ::SetFocus(m_list.m_hWnd);
        return FALSE;
    }

    // The window moved to a screen of another resolution: it takes the size
    // the system suggests, the controls and their font scale with it, and the
    // rows are measured again for the new DPI. Handled here in full, so the
    // dialog manager stays out of it.
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
        // A cache that cannot be written only costs the next run its speed.
        m_catalogue.SaveCache();
        this->EndDialog(id);
        return 0;
    }

    // What of the settings the catalogue lists by.
    CFontFilter CatalogueFilter() const noexcept
    {
        return CFontFilter{m_setting.CharSet, m_setting.Tategaki, m_setting.Type,
                           m_setting.Size,    m_setting.Weight,   m_setting.Italic};
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
    CControls m_controls;
    // The character-set box enumerates every face at start; the probe cache's
    // fingerprint takes that enumeration instead of making its own.
    CFontDigest m_enumeratedFonts;
    CFontCatalogue m_catalogue;
    CGlyphCoverage m_coverage;
    CFontListBox m_list;
    UINT m_dpi = kDefaultDpi;
    bool m_ended = false;
};

}  // namespace gvt
