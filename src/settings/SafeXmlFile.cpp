#include "settings/SafeXmlFile.h"

#include "base/Exception.h"
#include "framework/UniqueHandle.h"

#include <shlwapi.h>

#include <algorithm>
#include <array>
#include <vector>

namespace {

struct CFileHandleTraits {
    using type = HANDLE;
    static HANDLE invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE h) noexcept { ::CloseHandle(h); }
};
using CUniqueFile = gvt::CUniqueHandle<CFileHandleTraits>;

// "<!DOCTYPE" as the bytes of each code unit width and byte order the parser
// may detect.
std::vector<std::vector<char>> DocumentTypePatterns()
{
    static const char keyword[] = "<!DOCTYPE";
    struct CLayout {
        std::size_t width;
        std::size_t position;  // of the character's byte inside its unit
    };
    const std::array<CLayout, 5> layouts{{{1, 0}, {2, 0}, {2, 1}, {4, 0}, {4, 3}}};
    std::vector<std::vector<char>> patterns;
    for (const CLayout& layout : layouts) {
        std::vector<char> pattern;
        for (const char* c = keyword; *c; ++c) {
            for (std::size_t i = 0; i < layout.width; ++i)
                pattern.push_back(i == layout.position ? *c : '\0');
        }
        patterns.push_back(std::move(pattern));
    }
    return patterns;
}

}  // namespace

HRESULT FindDocumentTypeDeclaration(const std::wstring& path, bool& found)
{
    found = false;
    CUniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file)
        return LastErrorResult();

    static const std::vector<std::vector<char>> patterns = DocumentTypePatterns();
    std::size_t longest = 0;
    for (const auto& pattern : patterns)
        longest = std::max(longest, pattern.size());

    // Each round keeps the last bytes of the previous piece in front, so a
    // keyword that spans two pieces is still seen whole.
    std::vector<char> buffer;
    std::vector<char> piece(kScanChunkSize);
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(file.get(), piece.data(), static_cast<DWORD>(piece.size()), &read, nullptr))
            return LastErrorResult();
        if (read == 0)
            return S_OK;
        buffer.insert(buffer.end(), piece.begin(), piece.begin() + read);
        for (const auto& pattern : patterns) {
            if (std::search(buffer.begin(), buffer.end(), pattern.begin(), pattern.end()) != buffer.end()) {
                found = true;
                return S_OK;
            }
        }
        if (buffer.size() >= longest)
            buffer.erase(buffer.begin(), buffer.end() - static_cast<std::ptrdiff_t>(longest - 1));
    }
}

HRESULT CreateTemporaryBeside(const std::wstring& target, std::wstring& temporary)
{
    const std::size_t separator = target.find_last_of(L"\\/");
    const std::wstring folder = separator == std::wstring::npos ? L"." : target.substr(0, separator + 1);
    std::wstring name(MAX_PATH, L'\0');
    if (::GetTempFileNameW(folder.c_str(), L"gvt", 0, &name[0]) == 0)
        return LastErrorResult();
    name.resize(name.find(L'\0'));
    temporary = std::move(name);
    return S_OK;
}

HRESULT FlushFileToDisk(const std::wstring& path)
{
    CUniqueFile file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file || !::FlushFileBuffers(file.get()))
        return LastErrorResult();
    return S_OK;
}

HRESULT ReplaceWithTemporary(const std::wstring& temporary, const std::wstring& target)
{
    const BOOL done =
        ::PathFileExistsW(target.c_str())
            ? ::ReplaceFileW(target.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
            : ::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    return done ? S_OK : LastErrorResult();
}
