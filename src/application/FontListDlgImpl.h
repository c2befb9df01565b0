// The font-list part of the main dialog: settings, catalogue, list box and
// the reactions to the filter controls. T is the final dialog class.
#pragma once

#include "controls/FontListControls.h"
#include "controls/WindowLayoutManager.h"
#include "fontlist/FontListBox.h"
#include "base/CountText.h"
#include "base/ResourceString.h"
#include "fonts/AddedFaces.h"
#include "fonts/AddedSummary.h"
#include "fonts/FontAdding.h"
#include "fonts/BestMatch.h"
#include "fonts/FontCatalogue.h"
#include "fonts/FontOrder.h"
#include "fonts/FontReading.h"
#include "fonts/GdiFontSource.h"
#include "fonts/GdiGlyphSource.h"
#include "fonts/GlyphCoverage.h"
#include "fonts/GlyphPass.h"
#include "framework/DialogImpl.h"
#include "framework/DialogResize.h"
#include "framework/Dpi.h"
#include "framework/DebugLog.h"
#include "framework/Reflection.h"
#include "resources/resource.h"
#include "settings/AppInfo.h"
#include "settings/FontListDlgSetting.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace gvt {

// A worker thread tells the dialog that fonts it read, or glyphs it looked
// up, are waiting.
constexpr UINT WM_FONTS_READ = WM_APP + 1;
constexpr UINT WM_GLYPHS_CHECKED = WM_APP + 2;
// ... or that font files it added or removed are waiting.
constexpr UINT WM_FONTS_ADDED = WM_APP + 3;

template <class T, class TBase = CDialogWT<CWindowW>>
class CFontListDlgImpl : public CModalDialogImpl<T, TBase>,
                         public CDialogResize<T>,
                         public CWindowLayoutManager<T, WM_DEFERRED_SHOW> {
public:
    CFontListDlgImpl() { this->SetLayout(&m_setting.WindowLayout); }
    // A reading still going stops at its next face and posts nothing more.
    ~CFontListDlgImpl()
    {
        if (m_reading)
            m_reading->Cancel();
        if (m_glyphPass)
            m_glyphPass->Cancel();
        if (m_adding)
            m_adding->Cancel();
    }

    CFontListDlgSetting& Setting() noexcept { return m_setting; }
    const CFontListDlgSetting& Setting() const noexcept { return m_setting; }

    CFontListBox& FontList() noexcept { return m_list; }
    const CFontListBox& FontList() const noexcept { return m_list; }

    // Reads the fonts again in the background (true) or only refilters
    // (false) and hands the result to the list box, which keeps its
    // positions by font. The glyph filter comes last, over what the weight
    // and italic filters kept.
    void Reload(bool enumerate)
    {
        if (enumerate) {
            StartReading();
            return;
        }
        m_catalogue.Filter(CatalogueFilter());
        ShowFiltered();
    }

    // Where fonts are read from: GDI, unless a test puts in a source of its
    // own. Each reading makes one, on the thread that reads.
    using CSourceFactory = std::function<std::unique_ptr<CFontSource>()>;
    void SetFontSource(CSourceFactory make) { m_makeSource = std::move(make); }

    // The fonts installed changed, or (installed false) only the fonts added
    // for this run: they are read again in the background, the probe cache
    // answering for the faces it knows, and the selected and top rows stay
    // on their fonts by the rules for the saved ones.
    void RereadFonts(bool installed = true)
    {
        if (const CLogFontPtr selected = m_list.GetSelected()) {
            LogFont = *selected;
            m_userSelected = false;
        }
        if (const CLogFontPtr top = m_list.GetTop()) {
            TopLogFont = *top;
            m_userScrolled = false;
        }
        m_catalogue.FontsChanged(installed);
        StartReading();
    }

    // Adds font files and folders (with their sub-folders) for this run:
    // their faces are listed like installed ones, and the paths are kept in
    // the settings in the order added. The files are loaded in the
    // background, once the installed fonts have been fingerprinted, so that
    // the probe cache's stamp stays theirs. A path added before is skipped.
    void AddFonts(const std::vector<std::wstring>& paths)
    {
        for (const std::wstring& path : paths) {
            const bool known = std::any_of(m_setting.AddedFonts.begin(), m_setting.AddedFonts.end(),
                                           [&](const std::wstring& added) {
                                               return ::CompareStringOrdinal(added.c_str(), -1, path.c_str(), -1,
                                                                             TRUE) == CSTR_EQUAL;
                                           });
            if (path.empty() || known)
                continue;
            m_setting.AddedFonts.push_back(path);
            m_pendingPaths.push_back(path);
        }
        if (this->m_hWnd)
            StartAdding();
    }

    // Removes every added font from the process and forgets the paths; the
    // list returns to the installed fonts. Adding that goes on stops at its
    // next file, and what it added is removed too.
    void RemoveAddedFonts()
    {
        m_setting.AddedFonts.clear();
        m_setting.OnlyAddedFonts = false;
        m_pendingPaths.clear();
        m_removePending = true;
        if (m_adding) {
            m_adding->StopEarly();
            return;
        }
        if (StartAdding())
            return;
        m_removePending = false;
        m_summary = CAddedSummary{};
        m_summaryReady = false;
        Reload(false);
        UpdateProgress();
    }

    // Lists only the faces of the added files, or all again; only while
    // something is added.
    void ToggleOnlyAddedFonts()
    {
        if (m_setting.AddedFonts.empty())
            return;
        m_setting.OnlyAddedFonts = !m_setting.OnlyAddedFonts;
        Reload(false);
    }

    // Which faces come from which added files.
    const CAddedFaces& AddedFaces() const noexcept { return m_added; }
    bool AddingFonts() const noexcept { return m_adding != nullptr; }

    // Whether fonts are being read or glyphs looked up; the list is complete
    // when neither.
    bool ReadingFonts() const noexcept { return m_reading != nullptr || m_glyphPass != nullptr; }

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
        MESSAGE_HANDLER(WM_FONTS_READ, OnFontsRead)
        MESSAGE_HANDLER(WM_GLYPHS_CHECKED, OnGlyphsChecked)
        MESSAGE_HANDLER(WM_FONTS_ADDED, OnFontsAdded)
        MESSAGE_HANDLER(WM_FONTCHANGE, OnFontChange)
        MESSAGE_HANDLER(WM_TIMER, OnTimer)
        MESSAGE_HANDLER(WM_NCACTIVATE, OnNcActivate)
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

        // The character sets come with the first reading.
        m_controls.Bind(*this, &m_setting, this, false);
        m_list.SubclassWindow(this->GetDlgItem(IDC_FONT_LIST));
        m_list.SetSampleText(m_setting.SampleText);
        const CAppInfo& app = CAppInfo::Instance();
        if (!app.CacheFolder.empty())
            m_catalogue.UseCacheFile(app.FontCacheFilePath(), app.Version);
        m_placedSelection.reset();
        m_placedTop.reset();
        m_userSelected = false;
        m_userScrolled = false;
        m_pendingPaths = m_setting.AddedFonts;
        // A file edited to choose only added fonts with none added would
        // list nothing, and the choice could not be taken back.
        if (m_setting.AddedFonts.empty())
            m_setting.OnlyAddedFonts = false;
        StartReading();
        StartAdding();

        ::SetFocus(m_list.m_hWnd);
        return FALSE;
    }

    // Cancels a reading still going, keeps what it found so far, and starts
    // one for the current filter on a thread of its own; the list shows what
    // the cache knows meanwhile. Without a thread the fonts are read here.
    void StartReading()
    {
        StopReading();
        const CFontFilter filter = CatalogueFilter();
        m_catalogue.BeginReading(filter);
        m_confirming = m_catalogue.ListsKnownFaces();
        ShowFiltered();
        PlaceSavedRows(false);
        const HWND window = this->m_hWnd;
        m_reading = std::make_shared<CFontReading>([window] { ::PostMessageW(window, WM_FONTS_READ, 0, 0); });
        m_progress = {0, 0};
        BeginWork();
        CReadJob job = m_catalogue.Job(filter);
        job.AwaitWindow = true;
        if (StartReadingThread(m_makeSource, job, m_reading))
            return;
        job.AwaitWindow = false;
        ShowProgressNow();
        try {
            ReadFonts(*m_makeSource(), job, *m_reading);
        } catch (...) {
            LogCaughtException(L"reading the fonts on the window's thread");
        }
        TakeNews();
    }

    // What a reading cancelled now found so far still goes into the cache.
    void StopReading()
    {
        if (!m_reading)
            return;
        CReadNews news = m_reading->Stop();
        m_reading.reset();
        m_catalogue.Apply(news, CatalogueFilter());
        UpdateProgress();
    }

    // Once ended, the frame is not drawn again as the window goes: under
    // Wine, the default frame drawing waits while a background reading
    // enumerates the fonts for the first time, seconds with thousands.
    LRESULT OnNcActivate(UINT, WPARAM, LPARAM, BOOL& handled) noexcept
    {
        handled = m_ended;
        return TRUE;
    }

    LRESULT OnFontsRead(UINT, WPARAM, LPARAM, BOOL&)
    {
        TakeNews();
        return 0;
    }

    void TakeNews()
    {
        if (!m_reading)
            return;
        CReadNews news = m_reading->Take();
        const bool cacheFileRead = news.CacheFile.has_value();
        if (news.CharSets)
            m_controls.CharSet.SetChoices(std::move(*news.CharSets));
        // Whether the user moved the selection or scrolled since the rows
        // were last placed, before the new rows move anything.
        m_userSelected = m_userSelected || !SameFont(m_list.GetSelected(), m_placedSelection);
        m_userScrolled = m_userScrolled || !SameFont(m_list.GetTop(), m_placedTop);
        m_progress = {news.Done, news.Total};
        const bool finished = news.Finished;
        if (finished)
            m_reading.reset();
        const bool changed = m_catalogue.Apply(news, CatalogueFilter());
        if (cacheFileRead)
            m_confirming = m_catalogue.ListsKnownFaces();
        m_confirming = m_confirming && !news.Stale &&
                       std::none_of(news.Faces.begin(), news.Faces.end(), [](const CFoundFace& face) { return face.Probed; });
        for (const LOGFONTW& gone : m_catalogue.TakeGoneFaces())
            m_coverage.ForgetFace(gone);
        if (changed)
            ShowFiltered();
        PlaceSavedRows(finished);
        UpdateProgress();
        if (!m_adding)
            StartAdding();
        if (cacheFileRead && m_reading) {
            // What the cache knows is drawn before the reading goes on.
            ::RedrawWindow(this->m_hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            m_reading->Proceed();
        }
        if (finished && m_rereadWaiting) {
            m_rereadWaiting = false;
            this->SetTimer(kRereadTimer, kRereadDelay);
        }
    }

    // Starts the queued work on the added fonts: a removal, then the paths
    // waiting. False when there is none, or it must wait for other work or
    // for the installed fonts' fingerprint.
    bool StartAdding()
    {
        if (m_adding || !m_catalogue.Stamped() || (m_pendingPaths.empty() && !m_removePending))
            return false;
        CAddJob job;
        if (m_removePending) {
            job.Remove = m_added.Files();
            m_added.Clear();
            m_summary = CAddedSummary{};
            m_summaryReady = false;
            m_removePending = false;
        }
        job.Add = std::move(m_pendingPaths);
        m_pendingPaths.clear();
        if (job.Remove.empty() && job.Add.empty())
            return false;
        const HWND window = this->m_hWnd;
        job.GiveWay = [window] {
            DWORD_PTR answer = 0;
            ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kGiveWayLimit, &answer);
        };
        m_adding = std::make_shared<CFontAdding>([window] { ::PostMessageW(window, WM_FONTS_ADDED, 0, 0); });
        m_addProgress = {0, 0};
        m_readWhileAdding = false;
        m_removing = !job.Remove.empty();
        BeginWork();
        if (StartAddingThread(job, m_adding))
            return true;
        ShowProgressNow();
        ChangeFontFiles(job, *m_adding);
        TakeAddNews();
        return true;
    }

    LRESULT OnFontsAdded(UINT, WPARAM, LPARAM, BOOL&)
    {
        TakeAddNews();
        return 0;
    }

    // The files added so far join the mapping; once the files are loaded the
    // fonts are read again, and once the work is done the next queued work
    // starts.
    void TakeAddNews()
    {
        if (!m_adding)
            return;
        CAddNews news = m_adding->Take();
        for (const CAddedFile& file : news.Added)
            m_added.Add(file);
        m_summary.Folders += news.Folders;
        m_summary.NamedFiles += news.NamedFiles;
        m_summary.Skipped += news.Skipped;
        m_summary.Missing.insert(m_summary.Missing.end(), news.Missing.begin(), news.Missing.end());
        m_summary.Files = m_added.Files().size();
        m_summary.Faces = m_added.FaceCount();
        m_addProgress = {news.Done, news.Total};
        // The fonts are read again as soon as the files are loaded, unless
        // more work waits; their faces keep coming in meanwhile.
        if (news.Loaded && !m_removePending && m_pendingPaths.empty()) {
            m_readWhileAdding = true;
            RereadFonts(false);
        }
        if (news.Finished) {
            m_adding.reset();
            m_summaryReady = !m_setting.AddedFonts.empty();
            if (!StartAdding() && !m_readWhileAdding)
                RereadFonts(false);
        }
        if (m_setting.OnlyAddedFonts && !news.Added.empty())
            Reload(false);
        UpdateProgress();
    }

    // Installers send a notice per font file: the fonts are read again once
    // the notices have stopped for a moment, and notices during a reading
    // make one more at most, after it.
    LRESULT OnFontChange(UINT, WPARAM, LPARAM, BOOL&)
    {
        this->SetTimer(kRereadTimer, kRereadDelay);
        return 0;
    }

    // Looks up in the background the glyphs the filter does not know yet.
    void StartGlyphPass(std::vector<CGlyphQuestion> questions)
    {
        StopGlyphPass();
        m_glyphPassText = m_setting.SampleText;
        const HWND window = this->m_hWnd;
        m_glyphPass = std::make_shared<CGlyphPass>([window] { ::PostMessageW(window, WM_GLYPHS_CHECKED, 0, 0); });
        BeginWork();
        if (StartGlyphThread([] { return std::make_unique<CGdiGlyphSource>(); }, questions, m_glyphPass))
            return;
        ShowProgressNow();
        CGdiGlyphSource glyphs;
        CheckGlyphs(glyphs, questions, *m_glyphPass);
        TakeGlyphNews();
    }

    // The answers of a pass cancelled now are kept.
    void StopGlyphPass()
    {
        if (!m_glyphPass)
            return;
        const CGlyphNews news = m_glyphPass->Stop();
        m_glyphPass.reset();
        for (const CGlyphAnswer& answer : news.Answers)
            m_coverage.Learn(answer);
        UpdateProgress();
    }

    LRESULT OnGlyphsChecked(UINT, WPARAM, LPARAM, BOOL&)
    {
        TakeGlyphNews();
        return 0;
    }

    // Rows leave the list as their styles are found to lack a character.
    void TakeGlyphNews()
    {
        if (!m_glyphPass)
            return;
        const CGlyphNews news = m_glyphPass->Take();
        for (const CGlyphAnswer& answer : news.Answers)
            m_coverage.Learn(answer);
        m_glyphProgress = {news.Done, news.Total};
        if (news.Finished)
            m_glyphPass.reset();
        ShowFiltered();
        UpdateProgress();
    }

    // The saved selection and top row, as soon as their rows exist and as
    // long as the user has not chosen otherwise; once the list is complete,
    // the best matches, as at every start.
    void PlaceSavedRows(bool complete)
    {
        const CLogFontList& shown = m_list.GetItems();
        // Each row is placed only when it is not there yet: selecting again
        // would scroll the selection back into view over the user's scroll.
        if (!m_userScrolled) {
            int top = FindBestMatch(shown, TopLogFont);
            if (top >= 0 && !complete && !EqualLogFont(*shown[static_cast<std::size_t>(top)], TopLogFont))
                top = -1;
            if (top < 0 && complete)
                top = 0;
            if (top >= 0 && top != m_list.GetTopIndex())
                m_list.SetTopIndex(top);
        }
        if (!m_userSelected) {
            int selected = FindBestMatch(shown, LogFont);
            if (selected >= 0 && !complete && !EqualLogFont(*shown[static_cast<std::size_t>(selected)], LogFont))
                selected = -1;
            if (selected < 0 && complete && !shown.empty())
                selected = 0;
            if (selected >= 0 && selected != m_list.GetCurSel())
                m_list.SetCurSel(selected);
        }
        m_placedSelection = m_list.GetSelected();
        m_placedTop = m_list.GetTop();
    }

    static bool SameFont(const CLogFontPtr& a, const CLogFontPtr& b) noexcept
    {
        return (!a && !b) || (a && b && EqualLogFont(*a, *b));
    }

    // A reading or a glyph pass starts: its progress shows once work has
    // gone on for kProgressDelay, so that quick work shows nothing.
    void BeginWork()
    {
        if (!m_progressDue)
            this->SetTimer(kProgressTimer, kProgressDelay);
    }

    // Work done on this thread shows its progress before it starts.
    void ShowProgressNow()
    {
        this->KillTimer(kProgressTimer);
        m_progressDue = true;
        UpdateProgress();
        ::UpdateWindow(this->GetDlgItem(IDC_STATUS));
    }

    // The progress of the reading, else of the glyph pass; empty when
    // neither goes on, so that the steady state is an empty status line.
    void UpdateProgress()
    {
        if (!m_reading && !m_glyphPass && !m_adding) {
            m_progressDue = false;
            this->KillTimer(kProgressTimer);
        }
        std::wstring text;
        // Once every face is read the list is whole: what is left of the
        // reading (the character sets) is not waited for.
        const bool reading = m_reading && !m_confirming &&
                             (m_progress.second == 0 || m_progress.first < m_progress.second);
        if (m_progressDue && reading && m_progress.second == 0)
            text = ResourceString(IDS_READING_FONTS);
        else if (m_progressDue && reading)
            FormatMessageText(text, IDS_READING_FONTS_COUNT,
                              {CountText(m_progress.first), CountText(m_progress.second)});
        else if (m_progressDue && m_glyphPass)
            FormatMessageText(text, IDS_CHECKING_GLYPHS_COUNT,
                              {CountText(m_glyphProgress.first), CountText(m_glyphProgress.second)});
        else if (m_progressDue && m_adding && m_removing)
            text = ResourceString(IDS_REMOVING_FONTS);
        else if (m_progressDue && m_adding && m_addProgress.second == 0)
            text = ResourceString(IDS_ADDING_FONTS);
        else if (m_progressDue && m_adding)
            FormatMessageText(text, IDS_ADDING_FONTS_COUNT,
                              {CountText(m_addProgress.first), CountText(m_addProgress.second)});
        else if (m_summaryReady)
            text = AddedStatusText(m_summary);
        if (text == m_shownProgress)
            return;
        m_shownProgress = text;
        this->SetDlgItemText(IDC_STATUS, text.c_str());
    }

    LRESULT OnTimer(UINT, WPARAM id, LPARAM, BOOL& bHandled)
    {
        if (id == kProgressTimer) {
            // A reading thread that has not counted the faces yet is still
            // enumerating them, which under Wine holds up every text drawn
            // in the process, for seconds with thousands of fonts: the
            // progress waits for the count rather than freeze the window.
            if (m_reading && m_progress.second == 0 && !m_glyphPass && !m_adding)
                return 0;
            this->KillTimer(kProgressTimer);
            m_progressDue = m_reading || m_glyphPass || m_adding;
            UpdateProgress();
        } else if (id == kRereadTimer) {
            this->KillTimer(kRereadTimer);
            if (m_reading)
                m_rereadWaiting = true;
            else
                RereadFonts();
        } else {
            bHandled = FALSE;
        }
        return 0;
    }

    // The catalogue's list, through the glyph filter when it is on, to the
    // list box. The filter lists from what it knows and asks about the rest
    // in the background; a pass for the same text asks about styles new
    // since it began once it ends, a pass for another text is cancelled.
    // Rows that move because the list changed were not moved by the user.
    void ShowFiltered()
    {
        const bool selectionPlaced = SameFont(m_list.GetSelected(), m_placedSelection);
        const bool topPlaced = SameFont(m_list.GetTop(), m_placedTop);
        CLogFontList onlyAdded;
        if (m_setting.OnlyAddedFonts) {
            for (const CLogFontPtr& font : m_catalogue.Displayed())
                if (m_added.Holds(font->lfFaceName))
                    onlyAdded.push_back(font);
        }
        const CLogFontList& filtered = m_setting.OnlyAddedFonts ? onlyAdded : m_catalogue.Displayed();
        std::vector<CGlyphQuestion> questions;
        if (!m_setting.GlyphFilter) {
            StopGlyphPass();
            m_list.SetItems(filtered);
        } else {
            // A pass going on for this text asks its questions already: the
            // styles it left out are asked about once it ends.
            const bool asked = m_glyphPass && m_glyphPassText == m_setting.SampleText;
            m_list.SetItems(m_coverage.FilterKnown(filtered, m_setting.SampleText, asked ? nullptr : &questions));
        }
        if (selectionPlaced)
            m_placedSelection = m_list.GetSelected();
        if (topPlaced)
            m_placedTop = m_list.GetTop();
        if (m_glyphPass && m_glyphPassText != m_setting.SampleText)
            StopGlyphPass();
        if (!questions.empty() && !m_glyphPass)
            StartGlyphPass(std::move(questions));
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
        // What a reading found so far goes into the cache: the next start
        // probes only the rest. A cache that cannot be written only costs
        // the next run its speed.
        StopReading();
        StopGlyphPass();
        if (m_adding) {
            m_adding->Cancel();
            m_adding.reset();
        }
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

    // The progress line waits this long, so that a quick reading shows none.
    static constexpr UINT_PTR kProgressTimer = 1;
    static constexpr UINT kProgressDelay = 500;  // ms
    // The fonts are read again this long after the last notice of a change.
    static constexpr UINT_PTR kRereadTimer = 2;
    static constexpr UINT kRereadDelay = 500;  // ms
    bool m_rereadWaiting = false;
    // The adding thread waits no longer than this for the window to catch up.
    static constexpr UINT kGiveWayLimit = 200;  // ms

    CFontListDlgSetting m_setting;
    CControls m_controls;
    CFontCatalogue m_catalogue;
    CSourceFactory m_makeSource = [] { return std::make_unique<CGdiFontSource>(); };
    std::shared_ptr<CFontReading> m_reading;
    std::shared_ptr<CGlyphPass> m_glyphPass;
    std::wstring m_glyphPassText;
    // Faces read and faces to read, styles checked and styles to check, and
    // the progress text shown once work has gone on for a while.
    std::pair<std::size_t, std::size_t> m_progress;
    std::pair<std::size_t, std::size_t> m_glyphProgress;
    std::wstring m_shownProgress;
    bool m_progressDue = false;
    // Whether the reading has so far only confirmed the faces the cache
    // listed: the list is whole, so it shows no progress.
    bool m_confirming = false;
    // The rows last placed from the saved fonts, and whether the user has
    // chosen a row or scrolled since: then the saved fonts no longer count.
    CLogFontPtr m_placedSelection;
    CLogFontPtr m_placedTop;
    bool m_userSelected = false;
    bool m_userScrolled = false;
    CGlyphCoverage m_coverage;
    // The added fonts: the mapping of the files added, the work going on
    // (only one at a time) and what waits for it, and the account the
    // status line gives once the work is done.
    CAddedFaces m_added;
    std::shared_ptr<CFontAdding> m_adding;
    bool m_removing = false;
    bool m_readWhileAdding = false;
    std::vector<std::wstring> m_pendingPaths;
    bool m_removePending = false;
    std::pair<std::size_t, std::size_t> m_addProgress;
    CAddedSummary m_summary;
    bool m_summaryReady = false;
    CFontListBox m_list;
    UINT m_dpi = kDefaultDpi;
    bool m_ended = false;
};

}  // namespace gvt
