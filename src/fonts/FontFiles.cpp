#include "fonts/FontFiles.h"

#include "fonts/FontFingerprint.h"
#include "framework/ProcAddress.h"
#include "framework/UniqueHandle.h"

#include <algorithm>
#include <cwchar>
#include <utility>

namespace gvt {

namespace {

// The shapes of the two gdi32 calls, which its headers do not declare.
struct CRealizationInfo {
    DWORD Size;
    DWORD Flags;
    DWORD CacheNumber;
    DWORD InstanceId;
    DWORD Unknown;
    WORD FaceIndex;
    WORD Simulations;
};

struct CFileInfo {
    FILETIME WriteTime;
    LARGE_INTEGER Size;
    WCHAR Path[1];
};

using CGetFontRealizationInfo = BOOL(WINAPI*)(HDC, CRealizationInfo*);
using CGetFontFileInfo = BOOL(WINAPI*)(DWORD, DWORD, CFileInfo*, SIZE_T, SIZE_T*);

// A font drawn from more files than this (a Type 1 font has two) is not
// looked at further.
constexpr DWORD kMostFiles = 8;

template <typename T>
T Gdi32Function(const char* name) noexcept
{
    return ProcAddress<T>(::GetModuleHandleW(L"gdi32.dll"), name);
}

// The path as Explorer and the user know it: the system may give it in the
// kernel's form, "\??\C:\..." or "\??\UNC\server\...".
std::wstring DosPath(std::wstring path)
{
    for (const std::wstring_view prefix : {L"\\??\\", L"\\\\?\\"}) {
        if (path.compare(0, prefix.size(), prefix) != 0)
            continue;
        path.erase(0, prefix.size());
        if (path.compare(0, 4, L"UNC\\") == 0)
            path.replace(0, 4, L"\\\\");
        break;
    }
    return path;
}

std::vector<std::wstring> SystemFiles(HDC dc)
{
    const auto realization = Gdi32Function<CGetFontRealizationInfo>("GetFontRealizationInfo");
    const auto fileInfo = Gdi32Function<CGetFontFileInfo>("GetFontFileInfo");
    CRealizationInfo info{};
    info.Size = sizeof info;
    std::vector<std::wstring> files;
    if (!realization || !fileInfo || !realization(dc, &info))
        return files;
    for (DWORD index = 0; index < kMostFiles; ++index) {
        SIZE_T needed = 0;
        std::vector<unsigned char> buffer(sizeof(CFileInfo) + MAX_PATH * sizeof(WCHAR));
        if (!fileInfo(info.InstanceId, index, reinterpret_cast<CFileInfo*>(buffer.data()), buffer.size(), &needed)) {
            if (needed <= buffer.size())
                break;
            buffer.resize(needed);
            if (!fileInfo(info.InstanceId, index, reinterpret_cast<CFileInfo*>(buffer.data()), buffer.size(), &needed))
                break;
        }
        const std::size_t room = (buffer.size() - offsetof(CFileInfo, Path)) / sizeof(WCHAR);
        const auto* path = reinterpret_cast<const WCHAR*>(buffer.data() + offsetof(CFileInfo, Path));
        std::wstring file = DosPath(std::wstring(path, ::wcsnlen(path, room)));
        // Wine answers every index with the first file.
        if (std::find(files.begin(), files.end(), file) != files.end())
            break;
        files.push_back(std::move(file));
    }
    return files;
}

// The file of the first value of root's Fonts key that names the font; a
// file without a folder lies in the Fonts folder.
std::wstring RegisteredFile(HKEY root, const std::vector<std::wstring>& names)
{
    CUniqueKey key;
    if (::RegOpenKeyExW(root, kFontsKey, 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS)
        return L"";
    wchar_t name[16384];
    wchar_t data[MAX_PATH * 2];
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = ARRAYSIZE(name);
        DWORD dataSize = sizeof data - sizeof(wchar_t);
        DWORD type = 0;
        const LSTATUS status = ::RegEnumValueW(key.get(), i, name, &nameLength, nullptr, &type,
                                               reinterpret_cast<BYTE*>(data), &dataSize);
        if (status == ERROR_NO_MORE_ITEMS)
            return L"";
        if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ) ||
            !ValueNamesFont(std::wstring_view(name, nameLength), names))
            continue;
        std::wstring file(data, ::wcsnlen(data, dataSize / sizeof(wchar_t)));
        if (type == REG_EXPAND_SZ) {
            wchar_t expanded[MAX_PATH * 2];
            const DWORD length = ::ExpandEnvironmentStringsW(file.c_str(), expanded, ARRAYSIZE(expanded));
            if (length != 0 && length <= ARRAYSIZE(expanded))
                file = expanded;
        }
        if (file.find_first_of(L"\\/:") == std::wstring::npos)
            file = FontsFolder() + L"\\" + file;
        return file;
    }
}

}  // namespace

bool ValueNamesFont(std::wstring_view valueName, const std::vector<std::wstring>& names)
{
    const std::size_t open = valueName.rfind(L" (");
    if (open != std::wstring_view::npos && valueName.back() == L')')
        valueName = valueName.substr(0, open);
    for (std::size_t start = 0; start <= valueName.size();) {
        std::size_t end = valueName.find(L" & ", start);
        if (end == std::wstring_view::npos)
            end = valueName.size();
        const std::wstring_view part = valueName.substr(start, end - start);
        for (const std::wstring& name : names)
            if (!name.empty() && ::CompareStringOrdinal(part.data(), static_cast<int>(part.size()), name.c_str(),
                                                        static_cast<int>(name.size()), TRUE) == CSTR_EQUAL)
                return true;
        start = end + 3;
    }
    return false;
}

std::vector<std::wstring> FontFilesOf(HDC dc, const std::vector<std::wstring>& names)
{
    std::vector<std::wstring> files = SystemFiles(dc);
    if (!files.empty())
        return files;
    for (const HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        std::wstring file = RegisteredFile(root, names);
        if (!file.empty())
            return {file};
    }
    return {};
}

}  // namespace gvt
