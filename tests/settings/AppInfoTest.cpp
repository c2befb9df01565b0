// The application information as the start-up command prepares it, from the
// test program, which carries the program's resources.
#include "base/ResourceString.h"
#include "resources/resource.h"
#include "settings/AppInfo.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <array>

namespace {

TEST(AppInfo, TakesNamesFolderVersionAndCopyrightFromTheResources)
{
    CAppInfo info;
    info.Init();
    EXPECT_EQ(info.MakerName, L"Morvell");
    EXPECT_EQ(info.ProductName, L"Glyvanter");
    EXPECT_EQ(info.DisplayName, ResourceString(IDS_DISPLAY_NAME));
    EXPECT_FALSE(info.DisplayName.empty());

    wchar_t appData[MAX_PATH] = {};
    ASSERT_TRUE(::SHGetSpecialFolderPathW(nullptr, appData, CSIDL_APPDATA, FALSE));
    EXPECT_EQ(info.SettingsFolder, std::wstring(appData) + L"\\Morvell\\Glyvanter");
    EXPECT_EQ(info.SettingsFilePath(), info.SettingsFolder + L"\\Glyvanter32.config");
    wchar_t localAppData[MAX_PATH] = {};
    ASSERT_TRUE(::SHGetSpecialFolderPathW(nullptr, localAppData, CSIDL_LOCAL_APPDATA, FALSE));
    EXPECT_EQ(info.CacheFolder, std::wstring(localAppData) + L"\\Morvell\\Glyvanter") << "local, not roaming";
    EXPECT_NE(info.CacheFolder, info.SettingsFolder);
    EXPECT_EQ(info.FontCacheFilePath(), info.CacheFolder + L"\\Glyvanter32.fontcache");

    EXPECT_EQ(info.Version, (std::array<WORD, 4>{1, 0, 0, 0}));
    EXPECT_EQ(info.VersionText(), L"1.0.0.0");
    EXPECT_EQ(info.LegalCopyright, L"Copyright (C) 2026 Morvell");
}

TEST(AppInfo, TheVersionTextJoinsFourNumbers)
{
    CAppInfo info;
    info.Version = {65535, 0, 12, 7};
    EXPECT_EQ(info.VersionText(), L"65535.0.12.7");
}

TEST(AppInfo, AFolderOfItsOwnGetsTheFileNameJoined)
{
    CAppInfo info;
    info.ProductName = L"Glyvanter";
    info.SettingsFolder = L"Morvell\\Glyvanter";
    EXPECT_EQ(info.SettingsFilePath(), L"Morvell\\Glyvanter\\Glyvanter32.config");
    info.SettingsFolder = L"C:\\";
    EXPECT_EQ(info.SettingsFilePath(), L"C:\\Glyvanter32.config");
    EXPECT_EQ(info.FontCacheFilePath(), L"") << "no cache folder, no cache file";
}

}  // namespace
