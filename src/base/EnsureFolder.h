// Creating the settings and cache folders and building paths below them.
#pragma once

#include <windows.h>

#include <string>

// The longest folder path that CreateDirectoryW takes without the "\\?\"
// form: room must stay for a file name of 8.3 characters.
constexpr std::size_t kMaxFolderPath = MAX_PATH - 12;

// Creates the folder with all missing parents; returns a Win32 error code,
// 0 when the folder exists afterwards. A path too long to be used whole
// creates nothing. A root (a drive, a network share, a volume) is only
// looked for.
DWORD EnsureFolder(const std::wstring& path);

// Appends part to base with one backslash between them, unless base is
// empty or already ends in a separator or a drive colon.
std::wstring JoinPath(const std::wstring& base, const std::wstring& part);

// The folder that holds path: without the separator before the name, but
// a drive's root keeps its backslash ("C:\"). A path ending in a separator
// names nothing in that folder: "C:\a\" gives "C:\a". Empty when the path
// has no folder.
std::wstring FolderOf(const std::wstring& path);

// What follows the last separator of path.
std::wstring FileNameOf(const std::wstring& path);
