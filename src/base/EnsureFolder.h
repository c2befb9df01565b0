// Creating the settings folder and building paths below it.
#pragma once

#include <windows.h>

#include <string>

// Creates the folder with all missing parents; returns a Win32 error code,
// 0 when the folder exists afterwards.
DWORD EnsureFolder(const std::wstring& path);

// Appends part to base with one backslash between them, unless base is
// empty or already ends in a separator or a drive colon.
std::wstring JoinPath(const std::wstring& base, const std::wstring& part);
