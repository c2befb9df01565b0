#include "fonts/ProbeCacheFile.h"

#include "base/AtomicFile.h"
#include "base/Exception.h"
#include "fontdata/ByteReader.h"
#include "fontdata/FaceName.h"
#include "framework/UniqueHandle.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <unordered_set>
#include <vector>

namespace gvt {

namespace {

// Layout, little-endian: magic, format version, program version, font files
// fingerprint, fingerprint, entry count, the entries (a key LOGFONTW, its
// style bits and its font type each), name count, the names (LF_FACESIZE
// units each), and a checksum of everything before it.
constexpr char kMagic[8] = {'G', 'v', 't', 'P', 'r', 'o', 'b', 'e'};
constexpr std::uint32_t kFormatVersion = 2;
constexpr std::size_t kStampedSize = sizeof kMagic + 4 + 8 + 8;
constexpr std::size_t kHeaderSize = kStampedSize + 8 + 4;
constexpr std::size_t kEntrySize = sizeof(LOGFONTW) + 4 + 4;
constexpr std::size_t kNameSize = LF_FACESIZE * sizeof(wchar_t);
constexpr std::size_t kChecksumSize = 8;

// A name as the file keeps it: LF_FACESIZE units, terminated if shorter.
struct CNameField {
    WCHAR Name[LF_FACESIZE];
};
static_assert(sizeof(CNameField) == kNameSize);

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

void PutHeader(std::vector<unsigned char>& bytes, const CProbeCacheStamp& stamp, std::uint32_t count)
{
    bytes.insert(bytes.end(), kMagic, kMagic + sizeof kMagic);
    Put(bytes, kFormatVersion);
    Put(bytes, stamp.ProgramVersion);
    Put(bytes, stamp.Files);
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
                    std::vector<std::wstring>& names, std::uint64_t* fingerprint)
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
    const CByteReader file(bytes.data(), bytes.size());
    const std::size_t checked = bytes.size() - kChecksumSize;
    const auto checksum = file.Native<std::uint64_t>(checked);
    const auto written = file.Native<std::uint64_t>(kStampedSize);
    const auto count = file.Native<std::uint32_t>(kStampedSize + 8);
    if (!checksum || !written || !count || *checksum != Checksum(bytes.data(), checked))
        return false;
    const std::size_t left = bytes.size() - kHeaderSize - 4 - kChecksumSize;
    if (*count > left / kEntrySize)
        return false;
    const std::size_t namesAt = kHeaderSize + *count * kEntrySize;
    const auto nameCount = file.Native<std::uint32_t>(namesAt);
    const std::size_t nameBytes = left - *count * kEntrySize;
    if (!nameCount || nameBytes % kNameSize != 0 || *nameCount != nameBytes / kNameSize)
        return false;

    struct CEntry {
        LOGFONTW Key;
        CProbeCache::CStyles Styles;
        DWORD Type;
    };
    std::vector<CEntry> read(*count);
    std::unordered_set<std::wstring> faces;
    for (std::size_t i = 0; i < read.size(); ++i) {
        const std::size_t at = kHeaderSize + i * kEntrySize;
        const auto key = file.Native<LOGFONTW>(at);
        const auto styles = file.Native<CProbeCache::CStyles>(at + sizeof(LOGFONTW));
        const auto type = file.Native<DWORD>(at + sizeof(LOGFONTW) + 4);
        if (!key || !styles || !type)
            return false;
        read[i] = CEntry{*key, *styles, *type};
        faces.emplace(FaceName(*key));
    }
    // Only the names of the entries' faces are written, each once.
    names.reserve(*nameCount);
    std::unordered_set<std::wstring> named;
    for (std::size_t i = 0; i < *nameCount; ++i) {
        const auto name = file.Native<CNameField>(namesAt + 4 + i * kNameSize);
        if (!name) {
            names.clear();
            return false;
        }
        names.emplace_back(FaceName(name->Name));
        if (faces.count(names.back()) == 0 || !named.insert(names.back()).second) {
            names.clear();
            return false;
        }
    }
    if (fingerprint)
        *fingerprint = *written;
    else if (*written != stamp.Fingerprint)
        return false;

    // What probing can find: keys as CProbeCache::Key makes them, each once,
    // only the eighteen style bits and the font type bits; and never a font set of which no face
    // renders any style or every face renders every one.
    const auto sane = [&] {
        bool anyStyle = false;
        bool allStyles = true;
        for (const CEntry& entry : read) {
            const LOGFONTW key = CProbeCache::Key(entry.Key);
            if ((entry.Styles & ~CProbeCache::AllStyles) != 0 || (entry.Type & ~CProbeCache::AllTypes) != 0 ||
                entry.Key.lfFaceName[0] == L'\0' ||
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
        cache.Add(entry.Key, entry.Styles, entry.Type);
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
    cache.ForEach([&](const LOGFONTW& key, const CProbeCache::CEntry& entry) {
        Put(bytes, key);
        Put(bytes, entry.Styles);
        Put(bytes, entry.Type);
        faces.emplace(FaceName(key));
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
