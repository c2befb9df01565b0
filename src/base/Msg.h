// The message service: every error box and every question goes through it,
// so that tests can put a recording service in its place.
#pragma once

#include "base/SimpleErr.h"

#include <set>
#include <string>
#include <vector>

class CMsg {
public:
    virtual void ShowError(const CSimpleErr& err) = 0;
    virtual int Show(const std::wstring& text, UINT type) = 0;
    virtual bool ConfirmDiscardEdits() = 0;
    virtual bool ConfirmCreateFolder(const std::wstring& path) = 0;
    virtual bool CreateFolderIfConfirmed(const std::wstring& path) = 0;
    virtual bool ConfirmOverwrite(const std::wstring& path) = 0;
    virtual bool ConfirmOverwriteIfExists(const std::wstring& path) = 0;
    virtual bool ConfirmOverwriteFileList(const std::vector<std::wstring>& names) = 0;
    virtual bool ConfirmOverwriteFiles(const std::set<std::wstring>& names, std::size_t count) = 0;
    virtual bool ConfirmResetShortcuts() = 0;
    virtual bool ConfirmReplaceShortcut(const std::wstring& description) = 0;
    virtual bool ConfirmContinueAfterLoadError(const CSimpleErr& err) = 0;
    virtual bool ConfirmContinueAfterFileError(const std::wstring& path, const CSimpleErr& err) = 0;
    virtual bool ConfirmNewerVersion() = 0;
    virtual bool ConfirmAbortPrinting() = 0;

protected:
    ~CMsg() = default;
};

// Shows messages with MessageBoxW, titled and owned as the program's boxes are.
class CMessageBoxMsg : public CMsg {
public:
    void ShowError(const CSimpleErr& err) override;
    int Show(const std::wstring& text, UINT type) override;

    HWND FallbackOwner = nullptr;

protected:
    ~CMessageBoxMsg() = default;

private:
    std::wstring m_errorTitle;
    std::wstring m_queryTitle;
    bool m_titlesLoaded = false;
};

namespace gvt {

class CMsg : public CMessageBoxMsg {
public:
    bool ConfirmDiscardEdits() override;
    bool ConfirmCreateFolder(const std::wstring& path) override;
    bool CreateFolderIfConfirmed(const std::wstring& path) override;
    bool ConfirmOverwrite(const std::wstring& path) override;
    bool ConfirmOverwriteIfExists(const std::wstring& path) override;
    bool ConfirmOverwriteFileList(const std::vector<std::wstring>& names) override;
    bool ConfirmOverwriteFiles(const std::set<std::wstring>& names, std::size_t count) override;
    bool ConfirmResetShortcuts() override;
    bool ConfirmReplaceShortcut(const std::wstring& description) override;
    bool ConfirmContinueAfterLoadError(const CSimpleErr& err) override;
    bool ConfirmContinueAfterFileError(const std::wstring& path, const CSimpleErr& err) override;
    bool ConfirmNewerVersion() override;
    bool ConfirmAbortPrinting() override;

    // Formats id with two arguments, asks OK/Cancel, returns MessageBoxW's answer.
    int Ask(UINT id, const std::wstring& a, const std::wstring& b);

    // The process-wide service; tests may put another in its place.
    static CMsg& Instance() noexcept;
    static void SetInstance(CMsg* service) noexcept;

    virtual ~CMsg() = default;

private:
    bool AskOkCancel(UINT id, std::initializer_list<std::wstring> args);
};

}  // namespace gvt
