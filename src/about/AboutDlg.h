// The About box: icon, name and version, copyright, and the home-page link.
#pragma once

#include "framework/DialogImpl.h"
#include "framework/UniqueHandle.h"
#include "resources/resource.h"

#include <string>

namespace gvt {

class CAboutDlg : public CDialogImpl<CAboutDlg> {
public:
    enum { IDD = IDD_ABOUT };

    BEGIN_MSG_MAP(CAboutDlg)
        MSG_WM_INITDIALOG(OnInitDialog)
        MSG_WM_SETCURSOR(OnSetCursor)
        MSG_WM_CTLCOLORSTATIC(OnCtlColorStatic)
        COMMAND_ID_HANDLER(IDC_ABOUT_LINK, OnLink)
        COMMAND_ID_HANDLER(IDOK, OnClose)
        COMMAND_ID_HANDLER(IDCANCEL, OnClose)
    END_MSG_MAP()

    // The address the link opens; the beep when the shell cannot open it.
    static bool OpenLink(const std::wstring& address);

private:
    BOOL OnInitDialog(HWND, LPARAM, BOOL&);
    BOOL OnSetCursor(HWND window, UINT, UINT, BOOL& bHandled);
    HBRUSH OnCtlColorStatic(HDC dc, HWND control, BOOL&);
    LRESULT OnLink(WORD, WORD, HWND, BOOL&);
    LRESULT OnClose(WORD, WORD id, HWND, BOOL&);

    CUniqueFont m_linkFont;
};

// Runs the About box modally over the active window.
void ShowAboutDialog();

}  // namespace gvt
