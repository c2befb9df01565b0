#include "fonts/ProbeCacheFile.h"

#include "base/AtomicFile.h"
#include "base/Exception.h"
#include "framework/UniqueHandle.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <unordered_set>
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
    // Another instance may replace the file while it is read: the rename
    // goes ahead, and this handle still reads the old file, which is whole.
    CUniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
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
    return written == bytes.size() ? S_OK : HRESULT_FROM_WIN32(ERROR_WRITE_FAULT);
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

    struct CEntry {
        LOGFONTW Key;
        CProbeCache::CStyles Styles;
    };
    std::vector<CEntry> read(count);
    std::unordered_set<std::wstring> faces;
    for (CEntry& entry : read) {
        entry.Key = Get<LOGFONTW>(entries);
        entry.Styles = Get<CProbeCache::CStyles>(entries);
        faces.emplace(entry.Key.lfFaceName, ::wcsnlen(entry.Key.lfFaceName, LF_FACESIZE));
    }
    // Only the names of the entries' faces are written, each once.
    names.reserve(nameCount);
    std::unordered_set<std::wstring> named;
    for (std::size_t i = 0; i < nameCount; ++i) {
        const auto* name = reinterpret_cast<const wchar_t*>(at + i * kNameSize);
        names.emplace_back(name, ::wcsnlen(name, LF_FACESIZE));
        if (faces.count(names.back()) == 0 || !named.insert(names.back()).second) {
            names.clear();
            return false;
        }
    }
    if (fingerprint != stamp.Fingerprint)
        return false;

    // What probing can find: keys as CProbeCache::Key makes them, each once,
    // only the eighteen style bits; and never a font set of which no face
    // renders any style or every face renders every one.
    const auto sane = [&] {
        bool anyStyle = false;
        bool allStyles = true;
        for (const CEntry& entry : read) {
            const LOGFONTW key = CProbeCache::Key(entry.Key);
            if ((entry.Styles & ~CProbeCache::AllStyles) != 0 || entry.Key.lfFaceName[0] == L'\0' ||
                std::memcmp(&key, &entry.Key, sizeof key) != 0)
                return false;
            anyStyle = anyStyle || entry.Styles != 0;
            allStyles = allStyles && entry.Styles == CProbeCache::AllStyles;
        }
        return read.empty() || (anyStyle && !(allStyles && read.size() > 1));
    };
    if (!sane())
        return false;
    for (const CEntry& entry : read)
        cache.Add(entry.Key, entry.Styles);
    if (cache.Size() != read.size()) {
        cache.Clear();
        return false;
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
    std::unordered_set<std::wstring> faces;
    cache.ForEach([&](const LOGFONTW& key, CProbeCache::CStyles styles) {
        Put(bytes, key);
        Put(bytes, styles);
        faces.emplace(key.lfFaceName, ::wcsnlen(key.lfFaceName, LF_FACESIZE));
    });
    // Names of faces no longer installed, or never seen by this cache, would
    // only pile up from run to run.
    std::vector<std::wstring> kept;
    for (const std::wstring& name : names)
        if (faces.erase(name) != 0)
            kept.push_back(name);
    Put(bytes, static_cast<std::uint32_t>(kept.size()));
    for (const std::wstring& name : kept) {
        wchar_t fixed[LF_FACESIZE] = {};
        std::copy_n(name.begin(), std::min<std::size_t>(name.size(), LF_FACESIZE), fixed);
        Put(bytes, fixed);
    }
    Put(bytes, Checksum(bytes.data(), bytes.size()));

    if (const DWORD error = EnsureFolderForSave(path))
        return HResultFromWin32(static_cast<long>(error));
    return SaveAtomically(path, [&](const std::wstring& temporary) { return WriteWholeFile(temporary, bytes); });
}

}  // namespace gvt
