#include "fonts/FontFileWalk.h"

#include "framework/UniqueHandle.h"

#include <windows.h>

#include <cstdint>
#include <set>
#include <unordered_set>
#include <utility>

namespace gvt {

namespace {

constexpr wchar_t kLongPrefix[] = L"\\\\?\\";
constexpr wchar_t kLongUncPrefix[] = L"\\\\?\\UNC\\";

bool StartsWith(const std::wstring& text, const wchar_t* prefix)
{
    return text.compare(0, std::wcslen(prefix), prefix) == 0;
}

// A folder's identity on its volume; false when it cannot be opened.
bool FolderIdentity(const std::wstring& folder, std::pair<std::uint32_t, std::uint64_t>& id)
{
    CUniqueFile handle(::CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!handle || !::GetFileInformationByHandle(handle.get(), &info))
        return false;
    id = {info.dwVolumeSerialNumber, (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
    return true;
}

}  // namespace

bool IsFontFileName(const std::wstring& name)
{
    const std::size_t dot = name.find_last_of(L'.');
    if (dot == std::wstring::npos || name.find_first_of(L"\\/", dot) != std::wstring::npos)
        return false;
    std::wstring extension = name.substr(dot + 1);
    for (wchar_t& c : extension)
        if (c >= L'A' && c <= L'Z')
            c = static_cast<wchar_t>(c - L'A' + L'a');
    return extension == L"ttf" || extension == L"otf" || extension == L"ttc" || extension == L"otc" ||
           extension == L"fon";
}

std::wstring LongPath(const std::wstring& path)
{
    if (path.empty() || StartsWith(path, kLongPrefix))
        return path;
    const DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    const DWORD length = size ? ::GetFullPathNameW(path.c_str(), size, &full[0], nullptr) : 0;
    if (length == 0 || length >= size)
        return path;
    full.resize(length);
    if (StartsWith(full, L"\\\\"))
        return kLongUncPrefix + full.substr(2);
    return kLongPrefix + full;
}

std::wstring ShortPath(const std::wstring& longPath)
{
    if (StartsWith(longPath, kLongUncPrefix))
        return L"\\\\" + longPath.substr(std::wcslen(kLongUncPrefix));
    if (StartsWith(longPath, kLongPrefix))
        return longPath.substr(std::wcslen(kLongPrefix));
    return longPath;
}

void CollectFontFiles(const std::wstring& path, CFontFileList& list, const std::function<bool()>& stop)
{
    const std::wstring named = LongPath(path);
    const DWORD attributes = ::GetFileAttributesW(named.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        list.Missing.push_back(path);
        return;
    }
    std::unordered_set<std::wstring> listed(list.Files.begin(), list.Files.end());
    const auto take = [&](std::wstring file) {
        if (listed.insert(file).second)
            list.Files.push_back(std::move(file));
    };
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        ++list.NamedFiles;
        take(named);
        return;
    }
    ++list.Folders;
    std::set<std::pair<std::uint32_t, std::uint64_t>> walked;
    std::vector<std::wstring> folders{named};
    while (!folders.empty() && !stop()) {
        std::wstring folder = std::move(folders.back());
        folders.pop_back();
        std::pair<std::uint32_t, std::uint64_t> id;
        if (FolderIdentity(folder, id) && !walked.insert(id).second)
            continue;
        if (folder.back() != L'\\')
            folder += L'\\';
        WIN32_FIND_DATAW found;
        CUniqueFind search(::FindFirstFileExW((folder + L'*').c_str(), FindExInfoBasic, &found,
                                              FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
        if (!search) {
            ++list.Unreadable;
            continue;
        }
        // Sub-folders are walked in the order listed: they go on the stack
        // last first.
        std::vector<std::wstring> inner;
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                    inner.push_back(folder + name);
            } else if (IsFontFileName(name)) {
                take(folder + name);
            }
        } while (::FindNextFileW(search.get(), &found));
        folders.insert(folders.end(), inner.rbegin(), inner.rend());
    }
}

}  // namespace gvt
