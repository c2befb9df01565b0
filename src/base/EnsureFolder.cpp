#include "base/EnsureFolder.h"

namespace {

bool IsSeparator(wchar_t c) noexcept
{
    return c == L'\\' || c == L'/';
}

// The end of the part of path that is found, never created: "C:\",
// "\\server\share\", "\\?\C:\", "\\?\UNC\server\share\", "\\?\Volume{...}\";
// 0 for a relative path.
std::size_t RootLength(const std::wstring& path)
{
    const auto afterParts = [&](std::size_t from, int parts) {
        std::size_t at = from;
        for (int i = 0; i < parts && at < path.size(); ++i) {
            while (at < path.size() && !IsSeparator(path[at]))
                ++at;
            if (at < path.size())
                ++at;
        }
        return at;
    };
    if (path.compare(0, 8, L"\\\\?\\UNC\\") == 0)
        return afterParts(8, 2);
    if (path.compare(0, 4, L"\\\\?\\") == 0)
        return afterParts(4, 1);
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]))
        return afterParts(2, 2);
    if (path.size() >= 2 && path[1] == L':')
        return path.size() >= 3 && IsSeparator(path[2]) ? 3 : 2;
    return 0;
}

bool IsFolder(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

DWORD EnsureFolder(const std::wstring& path)
{
    // Checked before anything is made: a folder made for a path that cannot
    // be used would stay behind with a cut name.
    if (path.size() >= kMaxFolderPath)
        return ERROR_FILENAME_EXCED_RANGE;
    std::size_t end = path.size();
    while (end > 0 && IsSeparator(path[end - 1]))
        --end;
    const std::size_t root = RootLength(path);
    if (end <= root && root > 0)
        return IsFolder(path) ? 0 : ERROR_ACCESS_DENIED;
    // Each missing folder of the chain, from the root down.
    for (std::size_t at = root; at < end;) {
        std::size_t next = at;
        while (next < end && !IsSeparator(path[next]))
            ++next;
        const std::wstring part = path.substr(0, next);
        if (next > at && !IsFolder(part) && !::CreateDirectoryW(part.c_str(), nullptr)) {
            const DWORD error = ::GetLastError();
            // Made by someone else meanwhile is fine; a plain file of that
            // name would make every save fail later.
            if (error != ERROR_ALREADY_EXISTS || !IsFolder(part))
                return error;
        }
        at = next + 1;
    }
    return 0;
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

std::wstring FolderOf(const std::wstring& path)
{
    const std::size_t separator = path.find_last_of(L"\\/");
    if (separator == std::wstring::npos)
        return path.size() >= 2 && path[1] == L':' ? path.substr(0, 2) : std::wstring();
    std::size_t end = separator;
    while (end > 0 && IsSeparator(path[end - 1]))
        --end;
    if (end == 0 || path[end - 1] == L':')
        return path.substr(0, end + 1);
    return path.substr(0, end);
}

std::wstring FileNameOf(const std::wstring& path)
{
    const std::size_t separator = path.find_last_of(L"\\/:");
    return separator == std::wstring::npos ? path : path.substr(separator + 1);
}
