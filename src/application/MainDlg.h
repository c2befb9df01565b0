// The program's window: the font list dialog with its context menu, its
// shortcuts and the commands behind them.
#pragma once

#include "application/FontListDlgImpl.h"
#include "commands/FontListOwner.h"
#include "framework/SubMenu.h"
#include "framework/UniqueHandle.h"
#include "framework/UpdateUI.h"

namespace gvt {

class CMainDlg : public CFontListDlgImpl<CMainDlg, CDialogWT<CWindowW>>,
                 public CSubMenuImpl<CMainDlg>,
                 public CFontListOwner {
    using Base = CFontListDlgImpl<CMainDlg, CDialogWT<CWindowW>>;

public:
    enum { IDD = IDD_MAIN };

    CMainDlg();
    ~CMainDlg() override;

    // The message loop's hooks.
    HACCEL GetAcceleratorTable() const noexcept { return m_accelerators.get(); }
    BOOL PreTranslateMessage(MSG* msg);

    // What the commands ask of the dialog.
    HWND Window() const override { return m_hWnd; }
    CLogFontPtr SelectedFont() const override { return FontList().GetSelected(); }
    std::vector<std::wstring> AddedFilesOf(const LOGFONTW& font) const override
    {
        return AddedFaces().FilesOf(font.lfFaceName);
    }

    BEGIN_UPDATE_UI_MAP(CMainDlg)
        UPDATE_ELEMENT(ID_TOPMOST, UPDUI_MENUPOPUP)
        UPDATE_ELEMENT(ID_GLYPH_FILTER, UPDUI_MENUPOPUP)
        UPDATE_ELEMENT(ID_ONLY_ADDED_FONTS, UPDUI_MENUPOPUP)
    END_UPDATE_UI_MAP()

    BEGIN_MSG_MAP(CMainDlg)
        MSG_WM_INITDIALOG(OnInitDialog)
        MSG_WM_CONTEXTMENU(OnContextMenu)
        COMMAND_HANDLER(IDC_FONT_LIST, LBN_DBLCLK, OnListDoubleClick)
        COMMAND_ID_HANDLER(IDOK, OnOk)
        COMMAND_ID_HANDLER(IDCANCEL, OnCancel)
        COMMAND_ID_HANDLER(ID_EDIT_COPY, OnCopy)
        COMMAND_ID_HANDLER(ID_COPY_WITH_STYLE, OnCopyWithStyle)
        COMMAND_ID_HANDLER(ID_FONT_PROPERTIES, OnProperties)
        COMMAND_ID_HANDLER(ID_TOPMOST, OnTopMost)
        COMMAND_ID_HANDLER(ID_GLYPH_FILTER, OnGlyphFilter)
        COMMAND_ID_HANDLER(ID_ONLY_ADDED_FONTS, OnOnlyAddedFonts)
        COMMAND_ID_HANDLER(ID_ADD_FONTS_FOLDER, OnAddFontsFolder)
        COMMAND_ID_HANDLER(ID_REMOVE_ADDED_FONTS, OnRemoveAddedFonts)
        MESSAGE_HANDLER(WM_DROPFILES, OnDropFiles)
        COMMAND_ID_HANDLER(ID_APP_ABOUT, OnAbout)
        CHAIN_MSG_MAP_MEMBER(m_updateUI)
        CHAIN_MSG_MAP(Base)
    END_MSG_MAP()

private:
    BOOL OnInitDialog(HWND focus, LPARAM, BOOL& bHandled);
    void OnContextMenu(HWND, POINT point, BOOL&);
    LRESULT OnListDoubleClick(WORD, WORD, HWND, BOOL&);
    LRESULT OnOk(WORD, WORD, HWND, BOOL& bHandled);
    LRESULT OnCancel(WORD, WORD, HWND, BOOL& bHandled);
    LRESULT OnCopy(WORD, WORD, HWND, BOOL&);
    LRESULT OnCopyWithStyle(WORD, WORD, HWND, BOOL&);
    LRESULT OnProperties(WORD, WORD, HWND, BOOL&);
    LRESULT OnTopMost(WORD, WORD, HWND, BOOL&);
    LRESULT OnGlyphFilter(WORD, WORD, HWND, BOOL&);
    LRESULT OnOnlyAddedFonts(WORD, WORD, HWND, BOOL&);
    LRESULT OnAddFontsFolder(WORD, WORD, HWND, BOOL&);
    LRESULT OnRemoveAddedFonts(WORD, WORD, HWND, BOOL&);
    LRESULT OnDropFiles(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnAbout(WORD, WORD, HWND, BOOL&);

    CUpdateUI<CMainDlg> m_updateUI;
    CUniqueMenu m_menu;
    CUniqueAccel m_accelerators;
    CUniqueIcon m_bigIcon;
    CUniqueIcon m_smallIcon;
};

}  // namespace gvt
