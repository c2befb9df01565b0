// Names, settings folder, version and copyright of the program, prepared once
// by the start-up command.
#pragma once

#include <windows.h>

#include <array>
#include <string>

class CAppInfo {
public:
    std::wstring MakerName;    // string 130
    std::wstring ProductName;  // string 131
    std::wstring DisplayName;  // string 134
    std::wstring SettingsFolder;
    // In the local (not roaming) application-data folder; empty when there is none.
    std::wstring CacheFolder;
    std::array<WORD, 4> Version{0, 0, 0, 0};
    std::wstring LegalCopyright;

    // Loads the names and finds the settings folder; then reads the version
    // and copyright from the program's own version resource (raises on error).
    void Init();

    // "1.0.0.0"
    std::wstring VersionText() const;
    // The settings file path: SettingsFolder joined with ProductName + "32.config".
    std::wstring SettingsFilePath() const;
    // The font probe cache: CacheFolder joined with ProductName + "32.fontcache";
    // empty without a cache folder.
    std::wstring FontCacheFilePath() const;

    static CAppInfo& Instance() noexcept;
};
