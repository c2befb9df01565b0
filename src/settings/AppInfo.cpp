#include "settings/AppInfo.h"

#include "base/EnsureFolder.h"
#include "base/ResourceString.h"
#include "base/VersionInfo.h"
#include "framework/ModuleInstance.h"
#include "resources/resource.h"

#include <shlobj.h>

void CAppInfo::Init()
{
    LoadResourceString(MakerName, IDS_MAKER);
    LoadResourceString(ProductName, IDS_PRODUCT);
    LoadResourceString(DisplayName, IDS_DISPLAY_NAME);

    wchar_t folder[MAX_PATH] = {};
    // Without the application-data folder the settings live below the
    // current directory.
    SettingsFolder = ::SHGetSpecialFolderPathW(nullptr, folder, CSIDL_APPDATA, TRUE) ? folder : L"";
    SettingsFolder = JoinPath(JoinPath(SettingsFolder, MakerName), ProductName);
    // What can be found again at any time stays on this machine; without the
    // folder nothing is kept.
    wchar_t local[MAX_PATH] = {};
    CacheFolder = ::SHGetSpecialFolderPathW(nullptr, local, CSIDL_LOCAL_APPDATA, FALSE)
                      ? JoinPath(JoinPath(local, MakerName), ProductName)
                      : L"";

    std::wstring module(MAX_PATH, L'\0');
    module.resize(::GetModuleFileNameW(gvt::ModuleInstance(), &module[0], static_cast<DWORD>(module.size())));
    CVersionInfo info;
    info.Load(module);
    Version = info.ReadProductVersion();
    LegalCopyright = info.LegalCopyrightText();
}

std::wstring CAppInfo::VersionText() const
{
    std::wstring text;
    for (const WORD part : Version) {
        if (!text.empty())
            text += L'.';
        text += std::to_wstring(part);
    }
    return text;
}

std::wstring CAppInfo::SettingsFilePath() const
{
    return JoinPath(SettingsFolder, ProductName + L"32" + L".config");
}

std::wstring CAppInfo::FontCacheFilePath() const
{
    return CacheFolder.empty() ? L"" : JoinPath(CacheFolder, ProductName + L"32" + L".fontcache");
}

CAppInfo& CAppInfo::Instance() noexcept
{
    static CAppInfo info;
    return info;
}
