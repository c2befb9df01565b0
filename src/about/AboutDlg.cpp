#include "about/AboutDlg.h"

#include "base/ResourceString.h"
#include "base/ShellOpen.h"
#include "base/TrimBlank.h"
#include "settings/AppInfo.h"

namespace gvt {

BOOL CAboutDlg::OnInitDialog(HWND, LPARAM, BOOL&)
{
    CenterWindow(GetParent());

    const CAppInfo& info = CAppInfo::Instance();
    CWindowW(GetDlgItem(IDC_ABOUT_NAME))
        .SetWindowTextIfChanged(ResourceString(IDS_DISPLAY_NAME) + L"  " + info.VersionText());
    if (HWND copyright = GetDlgItem(IDC_ABOUT_COPYRIGHT))
        CWindowW(copyright).SetWindowTextIfChanged(info.LegalCopyright);

    LOGFONTW lf{};
    if (::GetObjectW(GetFont(), sizeof lf, &lf) == sizeof lf) {
        lf.lfUnderline = 1;
        m_linkFont.reset(::CreateFontIndirectW(&lf));
        ::SendMessageW(GetDlgItem(IDC_ABOUT_LINK), WM_SETFONT, reinterpret_cast<WPARAM>(m_linkFont.get()), TRUE);
    }
    return TRUE;
}

BOOL CAboutDlg::OnSetCursor(HWND window, UINT, UINT, BOOL& bHandled)
{
    if (window != GetDlgItem(IDC_ABOUT_LINK)) {
        bHandled = FALSE;
        return FALSE;
    }
    ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
    return TRUE;
}

HBRUSH CAboutDlg::OnCtlColorStatic(HDC dc, HWND control, BOOL&)
{
    // The theme's link colour, which high-contrast themes keep readable.
    ::SetTextColor(dc, ::GetSysColor(control == GetDlgItem(IDC_ABOUT_LINK) ? COLOR_HOTLIGHT : COLOR_BTNTEXT));
    ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
    return ::GetSysColorBrush(COLOR_BTNFACE);
}

bool CAboutDlg::OpenLink(const std::wstring& address)
{
    return ShellOpen(address);
}

LRESULT CAboutDlg::OnLink(WORD, WORD, HWND, BOOL&)
{
    // Any notification of the link opens it: a double click opens it twice.
    OpenLink(TrimBlank(CWindowW(GetDlgItem(IDC_ABOUT_LINK)).GetWindowTextW()));
    return 0;
}

LRESULT CAboutDlg::OnClose(WORD, WORD id, HWND, BOOL&)
{
    EndDialog(id == IDOK ? 1 : 2);
    return 0;
}

void ShowAboutDialog()
{
    CAboutDlg dialog;
    dialog.DoModal(::GetActiveWindow());
}

}  // namespace gvt
