#include "application/MainDlg.h"

#include "about/AboutDlg.h"
#include "commands/CommandTable.h"
#include "framework/FolderPicker.h"
#include "framework/ModuleInstance.h"
#include "settings/AppSetting.h"

namespace gvt {

namespace {

template <typename T>
void RunCommand(const boost::shared_ptr<T>& command)
{
    if (command)
        command->Run();
}

CCommandTable* Commands() noexcept
{
    return CCommandTable::Instance();
}

}  // namespace

CMainDlg::CMainDlg()
{
    SetFontListOwner(this);
}

CMainDlg::~CMainDlg()
{
    SetFontListOwner(nullptr);
}

BOOL CMainDlg::OnInitDialog(HWND, LPARAM, BOOL& bHandled)
{
    const HINSTANCE instance = ModuleInstance();
    m_accelerators.reset(::LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS)));

    const CAppSetting* app = CAppSetting::Instance();
    const RECT& saved = Setting().WindowLayout.Rect;
    if (saved.left == 0 && saved.top == 0 && saved.right == 0 && saved.bottom == 0)
        CenterWindow();
    SetTopMost(app && app->TopMost);

    m_bigIcon.reset(static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
                                                    ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON), 0)));
    SendMessageW(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_bigIcon.get()));
    m_smallIcon.reset(static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
                                                      ::GetSystemMetrics(SM_CXSMICON),
                                                      ::GetSystemMetrics(SM_CYSMICON), 0)));
    SendMessageW(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_smallIcon.get()));

    m_menu.reset(::LoadMenuW(instance, MAKEINTRESOURCEW(IDR_MAIN_MENU)));
    // Font files and folders dropped on the window are added.
    ::DragAcceptFiles(m_hWnd, TRUE);

    // The font-list part initialises next.
    bHandled = FALSE;
    return TRUE;
}

void CMainDlg::OnContextMenu(HWND, POINT point, BOOL&)
{
    const CAppSetting* app = CAppSetting::Instance();
    m_updateUI.UISetCheck(ID_TOPMOST, app && app->TopMost);
    m_updateUI.UISetCheck(ID_GLYPH_FILTER, Setting().GlyphFilter);
    m_updateUI.UISetCheck(ID_ONLY_ADDED_FONTS, Setting().OnlyAddedFonts);
    const UINT added = Setting().AddedFonts.empty() ? MF_GRAYED : MF_ENABLED;
    if (m_menu) {
        ::EnableMenuItem(m_menu.get(), ID_ONLY_ADDED_FONTS, MF_BYCOMMAND | added);
        ::EnableMenuItem(m_menu.get(), ID_REMOVE_ADDED_FONTS, MF_BYCOMMAND | added);
    }
    if (m_menu)
        TrackSubMenu(m_menu.get(), 0, ContextMenuPoint(m_hWnd, point));
}

LRESULT CMainDlg::OnListDoubleClick(WORD, WORD, HWND, BOOL&)
{
    // Only a double click on the selected row copies; the empty area below
    // the last row does nothing.
    DWORD pos = ::GetMessagePos();
    POINT pt{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
    ::ScreenToClient(FontList().m_hWnd, &pt);
    const int row = FontList().RowAt(pt);
    if (row >= 0 && row == FontList().GetCurSel())
        if (CCommandTable* commands = Commands())
            RunCommand(commands->Copy());
    return 0;
}

LRESULT CMainDlg::OnOk(WORD, WORD, HWND, BOOL& bHandled)
{
    Setting().SampleTexts.Add(Setting().SampleText);
    if (CCommandTable* commands = Commands())
        RunCommand(commands->Copy());
    bHandled = FALSE;
    return 0;
}

LRESULT CMainDlg::OnCancel(WORD, WORD, HWND, BOOL& bHandled)
{
    Setting().SampleTexts.Add(Setting().SampleText);
    bHandled = FALSE;
    return 0;
}

LRESULT CMainDlg::OnCopy(WORD, WORD, HWND, BOOL&)
{
    if (CCommandTable* commands = Commands())
        RunCommand(commands->Copy());
    return 0;
}

LRESULT CMainDlg::OnCopyWithStyle(WORD, WORD, HWND, BOOL&)
{
    if (CCommandTable* commands = Commands())
        RunCommand(commands->CopyWithStyle());
    return 0;
}

LRESULT CMainDlg::OnProperties(WORD, WORD, HWND, BOOL&)
{
    if (CCommandTable* commands = Commands())
        RunCommand(commands->Properties());
    return 0;
}

LRESULT CMainDlg::OnTopMost(WORD, WORD, HWND, BOOL&)
{
    if (CCommandTable* commands = Commands())
        if (commands->TopMost())
            commands->TopMost()->Run();
    return 0;
}

LRESULT CMainDlg::OnGlyphFilter(WORD, WORD, HWND, BOOL&)
{
    ToggleGlyphFilter();
    return 0;
}

LRESULT CMainDlg::OnOnlyAddedFonts(WORD, WORD, HWND, BOOL&)
{
    ToggleOnlyAddedFonts();
    return 0;
}

LRESULT CMainDlg::OnAddFontsFolder(WORD, WORD, HWND, BOOL&)
{
    const std::wstring folder = PickFolder(m_hWnd);
    if (!folder.empty())
        AddFonts({folder});
    return 0;
}

LRESULT CMainDlg::OnRemoveAddedFonts(WORD, WORD, HWND, BOOL&)
{
    RemoveAddedFonts();
    return 0;
}

LRESULT CMainDlg::OnDropFiles(UINT, WPARAM wParam, LPARAM, BOOL&)
{
    const CUniqueDrop drop(reinterpret_cast<HDROP>(wParam));
    std::vector<std::wstring> paths;
    const UINT count = ::DragQueryFileW(drop.get(), 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(::DragQueryFileW(drop.get(), i, nullptr, 0) + 1, L'\0');
        path.resize(::DragQueryFileW(drop.get(), i, &path[0], static_cast<UINT>(path.size())));
        paths.push_back(std::move(path));
    }
    AddFonts(paths);
    return 0;
}

LRESULT CMainDlg::OnAbout(WORD, WORD, HWND, BOOL&)
{
    ShowAboutDialog();
    return 0;
}

BOOL CMainDlg::PreTranslateMessage(MSG* msg)
{
    // A first Enter in the sample-text field commits the text and keeps the
    // dialog open; auto-repeated ones reach the default button.
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN && !(msg->lParam & (1L << 30))) {
        HWND combo = SampleTextWindow();
        HWND focus = ::GetFocus();
        if (combo && focus && (focus == combo || ::IsChild(combo, focus))) {
            CommitSampleText();
            return TRUE;
        }
    }
    return ::IsDialogMessageW(m_hWnd, msg);
}

}  // namespace gvt
