#include "base/Msg.h"

#include "base/CaptureErrors.h"
#include "base/EnsureFolder.h"
#include "base/ResourceString.h"
#include "resources/resource.h"

#include <shlwapi.h>

namespace {
constexpr UINT kAskType = MB_OKCANCEL | MB_ICONEXCLAMATION;

// The file names of an overwrite question, one per line.
template <typename Names>
std::wstring JoinNames(const Names& names)
{
    std::wstring joined;
    for (const std::wstring& name : names) {
        if (!joined.empty())
            joined += L'\n';
        joined += name;
    }
    return joined;
}
}  // namespace

void CMessageBoxMsg::ShowError(const CSimpleErr& err)
{
    Show(err.Message, MB_OK | MB_ICONERROR);
}

int CMessageBoxMsg::Show(const std::wstring& text, UINT type)
{
    if (!m_titlesLoaded) {
        std::wstring error, query;
        LoadResourceString(error, IDS_TITLE_ERROR);
        LoadResourceString(query, IDS_TITLE_QUERY);
        m_errorTitle = std::move(error);
        m_queryTitle = std::move(query);
        m_titlesLoaded = true;
    }
    const std::wstring& title = (type & 0xF0) == MB_ICONERROR ? m_errorTitle : m_queryTitle;
    HWND owner = ::GetActiveWindow();
    if (!owner)
        owner = FallbackOwner;
    return ::MessageBoxW(owner, text.c_str(), title.c_str(), type);
}

namespace gvt {

namespace {
CMsg* g_service = nullptr;
}

CMsg& CMsg::Instance() noexcept
{
    static CMsg service;
    return g_service ? *g_service : service;
}

void CMsg::SetInstance(CMsg* service) noexcept
{
    g_service = service;
}

bool CMsg::AskOkCancel(UINT id, std::initializer_list<std::wstring> args)
{
    std::wstring text;
    FormatMessageText(text, id, args);
    return Show(text, kAskType) == IDOK;
}

int CMsg::Ask(UINT id, const std::wstring& a, const std::wstring& b)
{
    std::wstring text;
    FormatMessageText(text, id, {a, b});
    return Show(text, kAskType);
}

bool CMsg::ConfirmDiscardEdits()
{
    return AskOkCancel(IDS_CONFIRM_DISCARD_EDITS, {});
}

bool CMsg::ConfirmCreateFolder(const std::wstring& path)
{
    return AskOkCancel(IDS_CONFIRM_CREATE_FOLDER, {path});
}

bool CMsg::CreateFolderIfConfirmed(const std::wstring& path)
{
    if (!ConfirmCreateFolder(path))
        return false;
    my::CCtrlException err;
    CaptureErrors(
        [&] {
            const DWORD code = EnsureFolder(path);
            if (code != 0)
                throw my::CException(IDS_ERR_CREATE_FOLDER, HResultFromWin32(static_cast<long>(code)), path);
        },
        err);
    if (!err.HasError())
        return true;
    if (err.Control)
        ::SetFocus(err.Control);
    ShowError(err);
    return false;
}

bool CMsg::ConfirmOverwrite(const std::wstring& path)
{
    return AskOkCancel(IDS_CONFIRM_OVERWRITE, {path});
}

bool CMsg::ConfirmOverwriteIfExists(const std::wstring& path)
{
    if (!::PathFileExistsW(path.c_str()))
        return true;
    return ConfirmOverwrite(path);
}

bool CMsg::ConfirmOverwriteFileList(const std::vector<std::wstring>& names)
{
    return Ask(IDS_CONFIRM_OVERWRITE_FILES, std::to_wstring(names.size()), JoinNames(names)) == IDOK;
}

bool CMsg::ConfirmOverwriteFiles(const std::set<std::wstring>& names, std::size_t count)
{
    return Ask(IDS_CONFIRM_OVERWRITE_FILES, std::to_wstring(count), JoinNames(names)) == IDOK;
}

bool CMsg::ConfirmResetShortcuts()
{
    return AskOkCancel(IDS_CONFIRM_RESET_SHORTCUTS, {});
}

bool CMsg::ConfirmReplaceShortcut(const std::wstring& description)
{
    return AskOkCancel(IDS_CONFIRM_REPLACE_SHORTCUT, {description});
}

bool CMsg::ConfirmContinueAfterLoadError(const CSimpleErr& err)
{
    return AskOkCancel(IDS_CONFIRM_LOAD_ERROR, {err.Message});
}

bool CMsg::ConfirmContinueAfterFileError(const std::wstring& path, const CSimpleErr& err)
{
    return Ask(IDS_CONFIRM_FILE_ERROR, path, err.Message) == IDOK;
}

bool CMsg::ConfirmNewerVersion()
{
    return AskOkCancel(IDS_CONFIRM_NEWER_VERSION, {});
}

bool CMsg::ConfirmAbortPrinting()
{
    std::wstring text;
    FormatMessageText(text, IDS_CONFIRM_ABORT_PRINTING);
    return Show(text, MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

}  // namespace gvt
