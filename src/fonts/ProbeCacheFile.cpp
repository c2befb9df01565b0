#include "fonts/ProbeCacheFile.h"

#include "base/EnsureFolder.h"
#include "base/Exception.h"
#include "framework/UniqueHandle.h"
#include "settings/SafeXmlFile.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <vector>

namespace gvt {

namespace {

// Layout, little-endian: magic, format version, program version, fingerprint,
// entry count, the entries (a key LOGFONTW and its style bits each), name
// count, the names (LF_FACESIZE units each), and a checksum of everything
// before it.
constexpr char kMagic[8] = {'G', 'v', 't', 'P', 'r', 'o', 'b', 'e'};
constexpr std::uint32_t kFormatVersion = 1;
constexpr std::size_t kStampedSize = sizeof kMagic + 4 + 8;
constexpr std::size_t kHeaderSize = kStampedSize + 8 + 4;
constexpr std::size_t kEntrySize = sizeof(LOGFONTW) + 4;
constexpr std::size_t kNameSize = LF_FACESIZE * sizeof(wchar_t);
constexpr std::size_t kChecksumSize = 8;

struct CFileTraits {
    using type = HANDLE;
    static HANDLE invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE h) noexcept { ::CloseHandle(h); }
};
using CUniqueFile = CUniqueHandle<CFileTraits>;

std::uint64_t Checksum(const unsigned char* data, std::size_t size) noexcept
{
    std::uint64_t hash = 14695981039346656037ull;
    for (std::size_t i = 0; i < size; ++i)
        hash = (hash ^ data[i]) * 1099511628211ull;
    return hash;
}

template <typename T>
void Put(std::vector<unsigned char>& bytes, const T& value)
{
    const auto* p = reinterpret_cast<const unsigned char*>(&value);
    bytes.insert(bytes.end(), p, p + sizeof value);
}

template <typename T>
T Get(const unsigned char*& at) noexcept
{
    T value;
    std::memcpy(&value, at, sizeof value);
    at += sizeof value;
    return value;
}

void PutHeader(std::vector<unsigned char>& bytes, const CProbeCacheStamp& stamp, std::uint32_t count)
{
    bytes.insert(bytes.end(), kMagic, kMagic + sizeof kMagic);
    Put(bytes, kFormatVersion);
    Put(bytes, stamp.ProgramVersion);
    Put(bytes, stamp.Fingerprint);
    Put(bytes, count);
}

bool ReadWholeFile(const std::wstring& path, std::vector<unsigned char>& bytes)
{
    CUniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    LARGE_INTEGER size;
    // Far more than any real cache: a file that size is not ours.
    constexpr LONGLONG kLargest = 256ll << 20;
    if (!file || !::GetFileSizeEx(file.get(), &size) || size.QuadPart > kLargest)
        return false;
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    return bytes.empty() ||
           (::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
            read == bytes.size());
}

HRESULT WriteWholeFile(const std::wstring& path, const std::vector<unsigned char>& bytes)
{
    CUniqueFile file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file || !::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
        return LastErrorResult();
    if (written != bytes.size())
        return HRESULT_FROM_WIN32(ERROR_WRITE_FAULT);
    if (!::FlushFileBuffers(file.get()))
        return LastErrorResult();
    return S_OK;
}

std::wstring FolderOf(const std::wstring& path)
{
    const std::size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator);
}

}  // namespace

bool ReadProbeCache(const std::wstring& path, const CProbeCacheStamp& stamp, CProbeCache& cache,
                    std::vector<std::wstring>& names)
{
    cache.Clear();
    names.clear();
    std::vector<unsigned char> bytes;
    if (!ReadWholeFile(path, bytes) || bytes.size() < kHeaderSize + 4 + kChecksumSize)
        return false;

    std::vector<unsigned char> expected;
    PutHeader(expected, stamp, 0);
    if (std::memcmp(bytes.data(), expected.data(), kStampedSize) != 0)
        return false;
    const unsigned char* end = bytes.data() + bytes.size() - kChecksumSize;
    if (Get<std::uint64_t>(end) != Checksum(bytes.data(), bytes.size() - kChecksumSize))
        return false;
    const unsigned char* at = bytes.data() + kStampedSize;
    const auto fingerprint = Get<std::uint64_t>(at);
    const std::size_t count = Get<std::uint32_t>(at);
    const std::size_t left = bytes.size() - kHeaderSize - 4 - kChecksumSize;
    if (count > left / kEntrySize)
        return false;
    const unsigned char* entries = at;
    at += count * kEntrySize;
    const std::size_t nameCount = Get<std::uint32_t>(at);
    const std::size_t nameBytes = left - count * kEntrySize;
    if (nameBytes % kNameSize != 0 || nameCount != nameBytes / kNameSize)
        return false;

    names.reserve(nameCount);
    for (std::size_t i = 0; i < nameCount; ++i) {
        const auto* name = reinterpret_cast<const wchar_t*>(at + i * kNameSize);
        names.emplace_back(name, ::wcsnlen(name, LF_FACESIZE));
    }
    if (fingerprint != stamp.Fingerprint)
        return false;
    for (std::size_t i = 0; i < count; ++i) {
        const LOGFONTW key = Get<LOGFONTW>(entries);
        cache.Add(key, Get<CProbeCache::CStyles>(entries));
    }
    cache.MarkSaved();
    return true;
}

HRESULT WriteProbeCache(const std::wstring& path, const CProbeCacheStamp& stamp, const CProbeCache& cache,
                        const std::vector<std::wstring>& names)
{
    std::vector<unsigned char> bytes;
    bytes.reserve(kHeaderSize + cache.Size() * kEntrySize + 4 + names.size() * kNameSize + kChecksumSize);
    PutHeader(bytes, stamp, static_cast<std::uint32_t>(cache.Size()));
    cache.ForEach([&](const LOGFONTW& key, CProbeCache::CStyles styles) {
        Put(bytes, key);
        Put(bytes, styles);
    });
    Put(bytes, static_cast<std::uint32_t>(names.size()));
    for (const std::wstring& name : names) {
        wchar_t fixed[LF_FACESIZE] = {};
        std::copy_n(name.begin(), std::min<std::size_t>(name.size(), LF_FACESIZE), fixed);
        Put(bytes, fixed);
    }
    Put(bytes, Checksum(bytes.data(), bytes.size()));

    const std::wstring folder = FolderOf(path);
    if (!folder.empty()) {
        if (const DWORD error = EnsureFolder(folder))
            return HRESULT_FROM_WIN32(error);
    }
    std::wstring temporary;
    HRESULT result = CreateTemporaryBeside(path, temporary);
    if (FAILED(result))
        return result;
    result = WriteWholeFile(temporary, bytes);
    if (SUCCEEDED(result))
        result = ReplaceWithTemporary(temporary, path);
    if (FAILED(result))
        ::DeleteFileW(temporary.c_str());
    return result;
}

}  // namespace gvt
