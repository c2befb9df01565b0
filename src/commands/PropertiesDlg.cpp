#include "commands/PropertiesDlg.h"

#include "base/CaptureErrors.h"
#include "base/ShellOpen.h"
#include "commands/Clipboard.h"
#include "fonts/FontProperties.h"

namespace gvt {

BOOL CPropertiesDlg::OnInitDialog(HWND, LPARAM, BOOL&)
{
    CenterWindow(GetParent());
    const CFontFacts facts = ReadFontFacts(m_font);
    m_text = PropertiesText(facts, m_addedFiles, InterfaceNameLanguage());
    SetDlgItemTextW(IDC_PROPERTIES_TEXT, m_text.c_str());
    if (!facts.Files.empty())
        m_file = facts.Files.front();
    else if (!m_addedFiles.empty())
        m_file = m_addedFiles.front();
    ::EnableWindow(GetDlgItem(IDC_PROPERTIES_OPEN_FOLDER), !m_file.empty());
    // The close button has the focus, so that the text is not all selected.
    GotoDlgCtrl(GetDlgItem(IDCANCEL));
    return FALSE;
}

LRESULT CPropertiesDlg::OnCopy(WORD, WORD, HWND, BOOL&)
{
    CSimpleErr err;
    CaptureErrors([this] { SetClipboardText(m_hWnd, m_text); }, err);
    if (err.HasError())
        m_msg.ShowError(err);
    return 0;
}

bool CPropertiesDlg::ShowInFolder(const std::wstring& file)
{
    return ShellOpen(L"explorer.exe", L"/select,\"" + file + L"\"");
}

LRESULT CPropertiesDlg::OnOpenFolder(WORD, WORD, HWND, BOOL&)
{
    ShowInFolder(m_file);
    return 0;
}

LRESULT CPropertiesDlg::OnClose(WORD, WORD id, HWND, BOOL&)
{
    EndDialog(id);
    return 0;
}

}  // namespace gvt
