#include "base/EnsureFolder.h"

#include <shlobj.h>
#include <shlwapi.h>

DWORD EnsureFolder(const std::wstring& path)
{
    const std::size_t colon = path.find(L':');
    if (!path.empty() && colon != std::wstring::npos && colon + 2 == path.size() && path[colon + 1] == L'\\') {
        // A drive root cannot be created, only found.
        return ::PathFileExistsW(path.c_str()) ? 0 : ERROR_ACCESS_DENIED;
    }
    const int result = ::SHCreateDirectory(nullptr, path.c_str());
    if (result == ERROR_SUCCESS)
        return 0;
    // "Already exists" is only success when what exists is a folder: a
    // plain file of that name would make every save fail later.
    if (result == ERROR_ALREADY_EXISTS)
        return ::PathIsDirectoryW(path.c_str()) ? 0 : ERROR_ALREADY_EXISTS;
    return static_cast<DWORD>(result);
}

std::wstring JoinPath(const std::wstring& base, const std::wstring& part)
{
    std::wstring joined = base;
    if (!joined.empty()) {
        const wchar_t last = joined.back();
        if (last != L'\\' && last != L'/' && last != L':')
            joined += L'\\';
    }
    joined += part;
    return joined;
}
