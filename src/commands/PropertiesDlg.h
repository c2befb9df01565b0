// The properties of one font: what its tables and the system tell, each on a
// labelled line of a read-only field, with buttons that copy all of it and
// open the folder of its file.
#pragma once

#include "base/Msg.h"
#include "framework/DialogImpl.h"
#include "resources/resource.h"

#include <windows.h>

#include <string>
#include <vector>

namespace gvt {

class CPropertiesDlg : public CDialogImpl<CPropertiesDlg> {
public:
    enum { IDD = IDD_PROPERTIES };

    // addedFiles: the files the user added that hold the face; empty for an
    // installed font.
    CPropertiesDlg(const LOGFONTW& font, std::vector<std::wstring> addedFiles, CMsg& msg)
        : m_font(font), m_addedFiles(std::move(addedFiles)), m_msg(msg)
    {
    }

    BEGIN_MSG_MAP(CPropertiesDlg)
        MSG_WM_INITDIALOG(OnInitDialog)
        COMMAND_ID_HANDLER(IDC_PROPERTIES_COPY, OnCopy)
        COMMAND_ID_HANDLER(IDC_PROPERTIES_OPEN_FOLDER, OnOpenFolder)
        COMMAND_ID_HANDLER(IDOK, OnClose)
        COMMAND_ID_HANDLER(IDCANCEL, OnClose)
    END_MSG_MAP()

    // Opens Explorer on the file's folder with the file selected; a beep
    // when the shell cannot.
    static bool ShowInFolder(const std::wstring& file);

private:
    BOOL OnInitDialog(HWND, LPARAM, BOOL&);
    LRESULT OnCopy(WORD, WORD, HWND, BOOL&);
    LRESULT OnOpenFolder(WORD, WORD, HWND, BOOL&);
    LRESULT OnClose(WORD, WORD id, HWND, BOOL&);

    const LOGFONTW m_font;
    const std::vector<std::wstring> m_addedFiles;
    CMsg& m_msg;
    std::wstring m_text;
    // The file the folder button shows; empty when none is known.
    std::wstring m_file;
};

}  // namespace gvt
