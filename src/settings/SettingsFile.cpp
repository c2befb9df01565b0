#include "settings/SettingsFile.h"

#include "base/AtomicFile.h"
#include "base/Exception.h"
#include "base/Msg.h"
#include "resources/resource.h"
#include "settings/AppInfo.h"
#include "settings/AppSetting.h"
#include "settings/SettingsCodecs.h"
#include "settings/ValueCodecs.h"
#include "settings/XmlDocument.h"

#include <shlwapi.h>

namespace {

const wchar_t kRootName[] = L"GlyvanterSettings";

// Parsed before anything is written; the file is the DOM's own serialisation.
const wchar_t kDefaultDocumentText[] =
    L"<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    L"<GlyvanterSettings xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
    L"xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\">\n"
    L"</GlyvanterSettings>\n";

}  // namespace

bool LoadSettingsAtStart()
{
    const std::wstring path = CAppInfo::Instance().SettingsFilePath();
    if (!::PathFileExistsW(path.c_str()))
        return true;
    CXmlDocument doc;
    gvt::CMsg& msg = gvt::CMsg::Instance();
    bool goOn = ReadSettings(doc, path, *CAppSetting::Instance()) || msg.ConfirmContinueAfterLoadError(doc.Error());
    if (goOn && doc.Version > kSettingsVersion)
        goOn = msg.ConfirmNewerVersion();
    return goOn;
}

bool ReadSettings(CXmlDocument& doc, const std::wstring& path, CAppSetting& setting)
{
    CXmlNode root;
    return doc.LoadFile(path) && doc.SelectRoot(kRootName, root) &&
           ReadVersion(doc, root.get(), L"Version", doc.Version) &&
           ReadMainFrame(doc, root.get(), L"MainFrame", setting.TopMost) &&
           ReadFontListDlgSetting(doc, root.get(), L"FontListDlg", setting.FontListDlg) &&
           ReadLogFont(doc, root.get(), L"LogFont", setting.LogFont) &&
           ReadLogFont(doc, root.get(), L"TopLogFont", setting.TopLogFont);
}

bool WriteSettings(CXmlDocument& doc, const std::wstring& path, const CAppSetting& setting)
{
    CXmlNode root;
    return doc.LoadText(kDefaultDocumentText) && doc.SelectRoot(kRootName, root) &&
           WriteVersion(doc, root.get(), L"Version", kSettingsVersion) &&
           WriteMainFrame(doc, root.get(), L"MainFrame", setting.TopMost) &&
           WriteFontListDlgSetting(doc, root.get(), L"FontListDlg", setting.FontListDlg) &&
           WriteLogFont(doc, root.get(), L"LogFont", setting.LogFont) &&
           WriteLogFont(doc, root.get(), L"TopLogFont", setting.TopLogFont) && doc.SaveFile(path);
}

void SaveSettingsAtExit()
{
    const CAppInfo& info = CAppInfo::Instance();
    const std::wstring path = info.SettingsFilePath();
    const DWORD code = gvt::EnsureFolderForSave(path);
    if (code != 0)
        throw my::CException(IDS_ERR_CREATE_FOLDER, HResultFromWin32(static_cast<long>(code)), info.SettingsFolder);
    CXmlDocument doc;
    if (!WriteSettings(doc, path, *CAppSetting::Instance()))
        throw my::CException(doc.Error());
}
