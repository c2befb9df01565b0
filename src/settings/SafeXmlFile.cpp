#include "settings/SafeXmlFile.h"

#include "base/Exception.h"
#include "framework/UniqueHandle.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cwchar>
#include <cwctype>
#include <iterator>
#include <vector>

namespace {

struct CFileHandleTraits {
    using type = HANDLE;
    static HANDLE invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE h) noexcept { ::CloseHandle(h); }
};
using CUniqueFile = gvt::CUniqueHandle<CFileHandleTraits>;

const wchar_t kTemporaryPrefix[] = L"gvt";
// The platform's file replacement leaves these when it fails half-way.
const wchar_t kReplaceLeftoverPrefix[] = L"rf";
const wchar_t kTemporaryExtension[] = L".tmp";

// The rename fails while another program has the file open (a second
// instance reading it at start, a virus scanner, a sync client); such holds
// are short, so it is tried again for a while.
constexpr int kReplaceAttempts = 40;
constexpr DWORD kReplacePause = 50;

// Below this a settings file that came out short was cut by the disk.
constexpr ULONGLONG kNearlyFullDisk = 1024 * 1024;

// Every instance of the program saves under this name's lock.
const wchar_t kSaveLockName[] = L"Local\\Glyvanter.SettingsSave";
// A save takes milliseconds; an instance holding the lock this long hangs.
constexpr DWORD kSaveLockWait = 5000;

// Follows the prolog in one code unit layout: markup between "<" and ">"
// until the root element's start tag, skipping comments and processing
// instructions, where a document type declaration is only text.
class CPrologScan {
public:
    enum class Outcome { Open, DocumentType, RootElement };

    Outcome Result() const noexcept { return m_outcome; }

    void Feed(std::uint32_t unit) noexcept
    {
        if (m_outcome != Outcome::Open)
            return;
        switch (m_state) {
        case State::Between:
            if (unit == '<')
                m_state = State::Markup;
            break;
        case State::Markup:
            if (unit == '?' || unit == '!') {
                m_state = unit == '?' ? State::Instruction : State::Declaration;
                m_matched = 0;
            } else {
                m_outcome = Outcome::RootElement;
            }
            break;
        case State::Declaration:
            FeedDeclaration(unit);
            break;
        case State::Comment:
            // Ends at "-->".
            if (unit == '>' && m_matched == 2)
                m_state = State::Between;
            m_matched = unit == '-' ? std::min<std::size_t>(m_matched + 1, 2) : 0;
            break;
        case State::Instruction:
            // Ends at "?>".
            if (unit == '>' && m_matched == 1)
                m_state = State::Between;
            m_matched = unit == '?' ? 1 : 0;
            break;
        }
    }

private:
    enum class State { Between, Markup, Declaration, Comment, Instruction };

    // After "<!": "--" opens a comment, "DOCTYPE" is the declaration. Nothing
    // else may stand in a prolog; the parser refuses it, and the scan reads
    // it as text.
    void FeedDeclaration(std::uint32_t unit) noexcept
    {
        static const char comment[] = "--";
        static const char doctype[] = "DOCTYPE";
        if (m_matched == 0)
            m_keyword = unit == '-' ? comment : doctype;
        if (unit != static_cast<unsigned char>(m_keyword[m_matched])) {
            m_state = State::Between;
            Feed(unit);
            return;
        }
        if (m_keyword[++m_matched] != '\0')
            return;
        if (m_keyword == doctype) {
            m_outcome = Outcome::DocumentType;
        } else {
            m_state = State::Comment;
            m_matched = 0;
        }
    }

    State m_state = State::Between;
    Outcome m_outcome = Outcome::Open;
    const char* m_keyword = nullptr;
    std::size_t m_matched = 0;
};

// The bytes of the file read as code units of one width and byte order.
class CLayoutScan {
public:
    CLayoutScan(std::size_t width, bool bigEndian) noexcept : m_width(width), m_bigEndian(bigEndian) {}

    void Feed(unsigned char byte) noexcept
    {
        m_unit = m_bigEndian ? (m_unit << 8) | byte : m_unit | (static_cast<std::uint32_t>(byte) << (8 * m_have));
        if (++m_have < m_width)
            return;
        m_scan.Feed(m_unit);
        m_unit = 0;
        m_have = 0;
    }

    CPrologScan::Outcome Result() const noexcept { return m_scan.Result(); }

private:
    std::size_t m_width;
    bool m_bigEndian;
    std::uint32_t m_unit = 0;
    std::size_t m_have = 0;
    CPrologScan m_scan;
};

std::wstring FolderOf(const std::wstring& path)
{
    const std::size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator + 1);
}

// "\\?\C:\x" is "C:\x" and "\\?\UNC\server\share" is "\\server\share".
std::wstring WithoutLongPathPrefix(const std::wstring& path)
{
    if (path.compare(0, 8, L"\\\\?\\UNC\\") == 0)
        return L"\\\\" + path.substr(8);
    if (path.compare(0, 4, L"\\\\?\\") == 0)
        return path.substr(4);
    return path;
}

// Paths are kept within MAX_PATH: the DOM and the next start read the file
// by a plain path.
HRESULT CheckLength(const std::wstring& path)
{
    return path.size() < MAX_PATH ? S_OK : HResultFromWin32(ERROR_FILENAME_EXCED_RANGE);
}

// Whether name is a temporary file of an earlier save: prefix, one to four
// hexadecimal digits, ".tmp", in any case.
bool IsTemporaryName(const std::wstring& name, const std::wstring& prefix)
{
    const std::size_t extension = std::size(kTemporaryExtension) - 1;
    if (name.size() < prefix.size() + 1 + extension || name.size() > prefix.size() + 4 + extension)
        return false;
    const auto sameLetters = [](const std::wstring& a, const std::wstring& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                          [](wchar_t x, wchar_t y) { return std::towlower(x) == std::towlower(y); });
    };
    const std::wstring digits = name.substr(prefix.size(), name.size() - prefix.size() - extension);
    return sameLetters(name.substr(0, prefix.size()), prefix) &&
           sameLetters(name.substr(name.size() - extension), kTemporaryExtension) &&
           std::all_of(digits.begin(), digits.end(), [](wchar_t c) { return std::iswxdigit(c) != 0; });
}

}  // namespace

HRESULT FindDocumentTypeDeclaration(const std::wstring& path, bool& found)
{
    found = false;
    CUniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file)
        return LastErrorResult();

    // The parser may read the file in any of these; each is followed on its own.
    std::array<CLayoutScan, 5> scans{{{1, false}, {2, false}, {2, true}, {4, false}, {4, true}}};
    std::vector<unsigned char> piece(kScanChunkSize);
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(file.get(), piece.data(), static_cast<DWORD>(piece.size()), &read, nullptr))
            return LastErrorResult();
        for (CLayoutScan& scan : scans) {
            for (DWORD i = 0; i < read && scan.Result() == CPrologScan::Outcome::Open; ++i)
                scan.Feed(piece[i]);
        }
        found = std::any_of(scans.begin(), scans.end(), [](const CLayoutScan& scan) {
            return scan.Result() == CPrologScan::Outcome::DocumentType;
        });
        const bool decided = std::none_of(scans.begin(), scans.end(), [](const CLayoutScan& scan) {
            return scan.Result() == CPrologScan::Outcome::Open;
        });
        if (found || decided || read == 0)
            return S_OK;
    }
}

HRESULT ResolveSaveTarget(const std::wstring& path, std::wstring& target)
{
    // No access is asked for, so a file another program holds open still resolves.
    CUniqueFile file(::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file) {
        if (::GetLastError() != ERROR_FILE_NOT_FOUND)
            return LastErrorResult();
        target = path;
        return CheckLength(target);
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (!::GetFileInformationByHandle(file.get(), &info))
        return LastErrorResult();
    // A rename would replace a read-only file under Wine; Windows refuses it.
    if (info.dwFileAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))
        return HResultFromWin32(ERROR_ACCESS_DENIED);

    std::wstring final(::GetFinalPathNameByHandleW(file.get(), nullptr, 0, VOLUME_NAME_DOS), L'\0');
    if (final.empty())
        return LastErrorResult();
    const DWORD length =
        ::GetFinalPathNameByHandleW(file.get(), &final[0], static_cast<DWORD>(final.size()), VOLUME_NAME_DOS);
    if (length == 0 || length >= final.size())
        return length == 0 ? LastErrorResult() : HResultFromWin32(ERROR_INSUFFICIENT_BUFFER);
    final.resize(length);
    target = WithoutLongPathPrefix(final);
    return CheckLength(target);
}

void RemoveLeftoverTemporaries(const std::wstring& target)
{
    const std::wstring folder = FolderOf(target);
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW((folder + L"*.tmp").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = data.cFileName;
        const bool empty = data.nFileSizeHigh == 0 && data.nFileSizeLow == 0;
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            (IsTemporaryName(name, kTemporaryPrefix) || (empty && IsTemporaryName(name, kReplaceLeftoverPrefix))))
            ::DeleteFileW((folder + name).c_str());
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
}

HRESULT CreateTemporaryBeside(const std::wstring& target, std::wstring& temporary)
{
    const std::wstring folder = FolderOf(target);
    const unsigned start = (::GetTickCount() ^ ::GetCurrentProcessId()) & 0xFFFF;
    for (unsigned attempt = 0; attempt < 0x10000; ++attempt) {
        wchar_t unique[5];
        std::swprintf(unique, std::size(unique), L"%x", (start + attempt) & 0xFFFF);
        const std::wstring name = folder + kTemporaryPrefix + unique + kTemporaryExtension;
        const HRESULT fits = CheckLength(name);
        if (FAILED(fits))
            return fits;
        CUniqueFile file(
            ::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) {
            temporary = name;
            return S_OK;
        }
        if (::GetLastError() != ERROR_FILE_EXISTS && ::GetLastError() != ERROR_ALREADY_EXISTS)
            return LastErrorResult();
    }
    return HResultFromWin32(ERROR_FILE_EXISTS);
}

HRESULT UnreadableSaveReason(const std::wstring& written)
{
    ULARGE_INTEGER available{};
    const bool full = ::GetDiskFreeSpaceExW(FolderOf(written).c_str(), &available, nullptr, nullptr) &&
                      available.QuadPart < kNearlyFullDisk;
    return HResultFromWin32(full ? ERROR_DISK_FULL : ERROR_INVALID_DATA);
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
    for (int attempt = 1;; ++attempt) {
        if (::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return S_OK;
        const DWORD error = ::GetLastError();
        if ((error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) || attempt == kReplaceAttempts)
            return HResultFromWin32(static_cast<long>(error));
        ::Sleep(kReplacePause);
    }
}

CSaveLock::CSaveLock() : m_mutex(::CreateMutexW(nullptr, FALSE, kSaveLockName))
{
    // An instance killed while saving abandons the lock; it is free then.
    const DWORD wait = m_mutex ? ::WaitForSingleObject(m_mutex.get(), kSaveLockWait) : WAIT_FAILED;
    m_held = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
}

CSaveLock::~CSaveLock()
{
    if (m_held)
        ::ReleaseMutex(m_mutex.get());
}
