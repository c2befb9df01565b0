#include "fonts/FontFingerprint.h"

#include "base/EnsureFolder.h"
#include "framework/DebugLog.h"
#include "framework/UniqueHandle.h"

#include <shlobj.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <cwchar>
#include <unordered_map>

namespace gvt {

namespace {

void AddFace(CFontDigest::CItem& item, const ENUMLOGFONTEXW& face)
{
    const LOGFONTW& lf = face.elfLogFont;
    item.Add(lf.lfHeight).Add(lf.lfWidth).Add(lf.lfEscapement).Add(lf.lfOrientation).Add(lf.lfWeight);
    item.Add(lf.lfItalic).Add(lf.lfUnderline).Add(lf.lfStrikeOut).Add(lf.lfCharSet).Add(lf.lfOutPrecision);
    item.Add(lf.lfClipPrecision).Add(lf.lfQuality).Add(lf.lfPitchAndFamily);
    item.AddText(lf.lfFaceName, LF_FACESIZE);
    item.AddText(face.elfFullName, LF_FULLFACESIZE);
    item.AddText(face.elfStyle, LF_FACESIZE);
    item.AddText(face.elfScript, LF_FACESIZE);
}

// Field by field: the structures have padding that holds anything.
void AddMetrics(CFontDigest::CItem& item, const TEXTMETRICW& tm)
{
    item.Add(tm.tmHeight).Add(tm.tmAscent).Add(tm.tmDescent).Add(tm.tmInternalLeading).Add(tm.tmExternalLeading);
    item.Add(tm.tmAveCharWidth).Add(tm.tmMaxCharWidth).Add(tm.tmWeight).Add(tm.tmOverhang);
    item.Add(tm.tmDigitizedAspectX).Add(tm.tmDigitizedAspectY);
    item.Add(tm.tmFirstChar).Add(tm.tmLastChar).Add(tm.tmDefaultChar).Add(tm.tmBreakChar);
    item.Add(tm.tmItalic).Add(tm.tmUnderlined).Add(tm.tmStruckOut).Add(tm.tmPitchAndFamily).Add(tm.tmCharSet);
}

int CALLBACK DigestFace(const LOGFONTW* lf, const TEXTMETRICW* tm, DWORD type, LPARAM lParam)
{
    // Nothing may unwind through the system's enumeration: a digest that
    // cannot grow any more ends it, and the caller finds it short.
    try {
        AddEnumeratedFace(*reinterpret_cast<CFontDigest*>(lParam), *lf, *tm, type);
        return 1;
    } catch (...) {
        LogCaughtException(L"font digest enumeration");
        return 0;
    }
}

// What tells one font file from another by the same name: a file replaced
// by a copy of the same size and time stamp (unzip and copy tools keep the
// time) is a new file on the volume, with another identity and change time.
struct CFileFacts {
    std::uint64_t Size = 0;
    std::uint64_t Written = 0;
    std::uint64_t Changed = 0;
    std::uint32_t Volume = 0;
    std::uint64_t Id = 0;
};

std::wstring Upper(std::wstring text)
{
    if (!text.empty())
        ::CharUpperBuffW(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

std::uint64_t Join(DWORD high, DWORD low) noexcept
{
    return (std::uint64_t{high} << 32) | low;
}

// The files of one folder by upper-cased name: one listing is far cheaper
// than asking for thousands of files one by one, and it gives each file's
// identity and change time too.
std::unordered_map<std::wstring, CFileFacts> ListFolder(const std::wstring& folder)
{
    std::unordered_map<std::wstring, CFileFacts> files;
    CUniqueFile listed(::CreateFileW(folder.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!listed || !::GetFileInformationByHandle(listed.get(), &info))
        return files;
    // Entries are aligned to eight bytes within the buffer.
    std::vector<std::uint64_t> buffer(64 * 1024 / sizeof(std::uint64_t));
    for (FILE_INFO_BY_HANDLE_CLASS kind = FileIdBothDirectoryRestartInfo;
         ::GetFileInformationByHandleEx(listed.get(), kind, buffer.data(),
                                        static_cast<DWORD>(buffer.size() * sizeof buffer[0]));
         kind = FileIdBothDirectoryInfo) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(buffer.data());
        const std::size_t size = buffer.size() * sizeof buffer[0];
        // Each entry and its name must lie in what the system filled in.
        const auto fits = [&](std::size_t at) {
            constexpr std::size_t name = offsetof(FILE_ID_BOTH_DIR_INFO, FileName);
            if (at > size || size - at < name)
                return false;
            const auto& entry = *reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(bytes + at);
            return entry.FileNameLength <= size - at - name;
        };
        for (std::size_t at = 0; fits(at);) {
            const auto& entry = *reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(bytes + at);
            if (!(entry.FileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                CFileFacts facts;
                facts.Size = static_cast<std::uint64_t>(entry.EndOfFile.QuadPart);
                facts.Written = static_cast<std::uint64_t>(entry.LastWriteTime.QuadPart);
                facts.Changed = static_cast<std::uint64_t>(entry.ChangeTime.QuadPart);
                facts.Volume = info.dwVolumeSerialNumber;
                facts.Id = static_cast<std::uint64_t>(entry.FileId.QuadPart);
                files.emplace(Upper(std::wstring(entry.FileName, entry.FileNameLength / sizeof(wchar_t))), facts);
            }
            if (entry.NextEntryOffset == 0)
                break;
            at += entry.NextEntryOffset;
        }
    }
    return files;
}

void AddFacts(CFontDigest::CItem& item, const CFileFacts& facts)
{
    item.Add(facts.Size).Add(facts.Written).Add(facts.Changed).Add(facts.Volume).Add(facts.Id);
}

bool FileFactsOf(const std::wstring& path, CFileFacts& facts)
{
    CUniqueFile file(::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, 0, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    FILE_BASIC_INFO basic;
    if (!file || !::GetFileInformationByHandle(file.get(), &info) ||
        !::GetFileInformationByHandleEx(file.get(), FileBasicInfo, &basic, sizeof basic))
        return false;
    facts.Size = Join(info.nFileSizeHigh, info.nFileSizeLow);
    facts.Written = Join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime);
    facts.Changed = static_cast<std::uint64_t>(basic.ChangeTime.QuadPart);
    facts.Volume = info.dwVolumeSerialNumber;
    facts.Id = Join(info.nFileIndexHigh, info.nFileIndexLow);
    return true;
}

}  // namespace

std::wstring FontsFolder()
{
    wchar_t folder[MAX_PATH] = {};
    return ::SHGetSpecialFolderPathW(nullptr, folder, CSIDL_FONTS, FALSE) ? folder : L"";
}

std::wstring UserFontsFolder()
{
    wchar_t folder[MAX_PATH] = {};
    return ::SHGetSpecialFolderPathW(nullptr, folder, CSIDL_LOCAL_APPDATA, FALSE)
               ? std::wstring(folder) + L"\\Microsoft\\Windows\\Fonts"
               : L"";
}

CFontDigest::CItem& CFontDigest::CItem::Add(const void* data, std::size_t size) noexcept
{
    const auto* bytes = static_cast<const unsigned char*>(data);
    m_total += size;
    while (size > 0) {
        const std::size_t taken = std::min(size, sizeof m_buffer - m_used);
        std::memcpy(m_buffer + m_used, bytes, taken);
        m_used += taken;
        bytes += taken;
        size -= taken;
        if (m_used == sizeof m_buffer) {
            Mix(m_buffer, sizeof m_buffer / 8);
            m_used = 0;
        }
    }
    return *this;
}

void CFontDigest::CItem::Mix(const unsigned char* bytes, std::size_t words) noexcept
{
    for (std::size_t i = 0; i < words; ++i) {
        std::uint64_t word;
        std::memcpy(&word, bytes + i * 8, 8);
        m_hash = (m_hash ^ word) * 0x9E3779B97F4A7C15ull;
        m_hash ^= m_hash >> 32;
    }
}

std::uint64_t CFontDigest::CItem::Value() const noexcept
{
    CItem last = *this;
    unsigned char tail[sizeof m_buffer + 8] = {};
    std::memcpy(tail, m_buffer, m_used);
    std::memcpy(tail + (m_used + 7) / 8 * 8, &m_total, 8);
    last.Mix(tail, (m_used + 7) / 8 + 1);
    std::uint64_t hash = last.m_hash;
    hash ^= hash >> 33;
    hash *= 0xFF51AFD7ED558CCDull;
    hash ^= hash >> 33;
    return hash;
}

CFontDigest::CItem& CFontDigest::CItem::AddText(const wchar_t* text, std::size_t capacity) noexcept
{
    const std::uint64_t length = ::wcsnlen(text, capacity);
    Add(length);
    return Add(text, length * sizeof(wchar_t));
}

std::uint64_t CFontDigest::Value() const
{
    std::vector<std::uint64_t> items = m_items;
    std::sort(items.begin(), items.end());
    CItem all;
    all.Add(std::uint64_t{items.size()});
    all.Add(items.data(), items.size() * sizeof(std::uint64_t));
    return all.Value();
}

void AddEnumeratedFace(CFontDigest& digest, const LOGFONTW& lf, const TEXTMETRICW& tm, DWORD type)
{
    CFontDigest::CItem item;
    item.Add(type);
    AddFace(item, reinterpret_cast<const ENUMLOGFONTEXW&>(lf));
    AddMetrics(item, tm);
    // Only TrueType faces come with the extended metrics.
    if (type & TRUETYPE_FONTTYPE) {
        const auto& extended = reinterpret_cast<const NEWTEXTMETRICEXW&>(tm);
        const NEWTEXTMETRICW& ntm = extended.ntmTm;
        item.Add(ntm.ntmFlags).Add(ntm.ntmSizeEM).Add(ntm.ntmCellHeight).Add(ntm.ntmAvgWidth);
        item.Add(extended.ntmFontSig);
    }
    digest.Add(item);
}

void AddEnumeratedFonts(HDC dc, CFontDigest& digest)
{
    LOGFONTW filter{};
    filter.lfCharSet = DEFAULT_CHARSET;
    ::EnumFontFamiliesExW(dc, &filter, DigestFace, reinterpret_cast<LPARAM>(&digest), 0);
}

bool AddRegisteredFontFiles(HKEY root, const wchar_t* subKey, const std::wstring& fontsFolder, CFontDigest& digest,
                            const std::function<bool()>& stop)
{
    CUniqueKey key;
    if (::RegOpenKeyExW(root, subKey, 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS)
        return true;
    DWORD values = 0, longestName = 0, longestData = 0;
    if (::RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, &longestName,
                           &longestData, nullptr, nullptr) != ERROR_SUCCESS)
        return true;

    std::unordered_map<std::wstring, CFileFacts> folderFiles;
    bool listed = false;
    std::wstring name(longestName + 1, L'\0');
    std::vector<wchar_t> data(longestData / sizeof(wchar_t) + 2, L'\0');
    for (DWORD i = 0; i < values; ++i) {
        if (stop && stop())
            return false;
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD type = 0;
        DWORD dataSize = static_cast<DWORD>((data.size() - 1) * sizeof(wchar_t));
        if (::RegEnumValueW(key.get(), i, &name[0], &nameLength, nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                            &dataSize) != ERROR_SUCCESS)
            continue;
        data[dataSize / sizeof(wchar_t)] = L'\0';
        std::wstring file(data.data(), ::wcsnlen(data.data(), dataSize / sizeof(wchar_t)));
        if (type == REG_EXPAND_SZ) {
            std::wstring expanded(::ExpandEnvironmentStringsW(file.c_str(), nullptr, 0), L'\0');
            if (!expanded.empty() &&
                ::ExpandEnvironmentStringsW(file.c_str(), &expanded[0], static_cast<DWORD>(expanded.size())) != 0) {
                expanded.resize(::wcslen(expanded.c_str()));
                file = expanded;
            }
        }

        CFileFacts facts;
        bool found = false;
        if (type == REG_SZ || type == REG_EXPAND_SZ) {
            if (file.find_first_of(L"\\/:") == std::wstring::npos) {
                if (!listed) {
                    folderFiles = ListFolder(fontsFolder);
                    listed = true;
                }
                const auto at = folderFiles.find(Upper(file));
                found = at != folderFiles.end();
                if (found)
                    facts = at->second;
            } else {
                found = FileFactsOf(file, facts);
            }
        }
        CFontDigest::CItem item;
        // The predefined keys are 32-bit values, sign-extended in a 64-bit
        // handle: their low half is the same in both builds.
        item.Add(static_cast<std::uint32_t>(reinterpret_cast<ULONG_PTR>(root))).AddText(name.c_str(), nameLength).Add(type).AddText(file.c_str(), file.size()).Add(found);
        if (found)
            AddFacts(item, facts);
        digest.Add(item);
    }
    return true;
}

void AddFontsKeyStamp(HKEY root, const wchar_t* subKey, CFontDigest& digest)
{
    CUniqueKey key;
    DWORD values = 0;
    const bool opened = ::RegOpenKeyExW(root, subKey, 0, KEY_QUERY_VALUE, key.put()) == ERROR_SUCCESS &&
                        ::RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                                           nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    CFontDigest::CItem item;
    item.Add(static_cast<std::uint32_t>(reinterpret_cast<ULONG_PTR>(root))).Add(opened);
    if (opened)
        item.Add(std::uint32_t{values});
    digest.Add(item);
}

void AddFolderFiles(const std::wstring& folder, CFontDigest& digest)
{
    for (const auto& [name, facts] : ListFolder(folder)) {
        CFontDigest::CItem item;
        item.AddText(name.c_str(), name.size());
        AddFacts(item, facts);
        digest.Add(item);
    }
}

void AddFontsStamp(CFontDigest& digest)
{
    AddFontsKeyStamp(HKEY_LOCAL_MACHINE, kFontsKey, digest);
    AddFontsKeyStamp(HKEY_CURRENT_USER, kFontsKey, digest);
    AddFolderFiles(FontsFolder(), digest);
    AddFolderFiles(UserFontsFolder(), digest);
}

bool AddRegisteredFonts(CFontDigest& digest, const std::function<bool()>& stop)
{
    const std::wstring fontsFolder = FontsFolder();
    return AddRegisteredFontFiles(HKEY_LOCAL_MACHINE, kFontsKey, fontsFolder, digest, stop) &&
           AddRegisteredFontFiles(HKEY_CURRENT_USER, kFontsKey, fontsFolder, digest, stop);
}

std::uint64_t InstalledFontsFingerprint(HDC dc, const CFontDigest* enumerated)
{
    CFontDigest digest;
    if (enumerated && !enumerated->Empty())
        digest = *enumerated;
    else
        AddEnumeratedFonts(dc, digest);
    AddRegisteredFonts(digest);
    return digest.Value();
}

}  // namespace gvt
