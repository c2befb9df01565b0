#include "base/AtomicFile.h"

#include "base/EnsureFolder.h"
#include "base/Exception.h"
#include "framework/DebugLog.h"
#include "framework/UniqueHandle.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <iterator>
#include <utility>

namespace gvt {

namespace {

SaveStepHook g_saveStepHook = nullptr;

const wchar_t kTemporaryExtension[] = L".tmp";

// The rename fails while another program has the file open (a second
// instance reading it at start, a virus scanner, a sync client); such holds
// are short, so it is tried again for a while.
constexpr int kReplaceAttempts = 40;
constexpr DWORD kReplacePause = 50;

// Below this a file that came out short was cut by the disk.
constexpr ULONGLONG kNearlyFullDisk = 1024 * 1024;

// Every instance of the program saves under this name's lock.
const wchar_t kSaveLockName[] = L"Local\\Glyvanter.SettingsSave";
// A save takes milliseconds; an instance holding the lock this long hangs.
constexpr DWORD kSaveLockWait = 5000;

// Held by one save at a time across all running instances, so that removing
// leftovers never takes another instance's file in the middle of its save.
class CSaveLock {
public:
    CSaveLock() : m_mutex(::CreateMutexW(nullptr, FALSE, kSaveLockName))
    {
        // An instance killed while saving abandons the lock; it is free then.
        const DWORD wait = m_mutex ? ::WaitForSingleObject(m_mutex.get(), kSaveLockWait) : WAIT_FAILED;
        m_held = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
    }
    ~CSaveLock()
    {
        if (m_held)
            ::ReleaseMutex(m_mutex.get());
    }
    CSaveLock(const CSaveLock&) = delete;
    CSaveLock& operator=(const CSaveLock&) = delete;

    // False when another instance kept it too long; the save goes on without it.
    bool Held() const noexcept { return m_held; }

private:
    CUniqueKernelObject m_mutex;
    bool m_held = false;
};

HRESULT CheckLength(const std::wstring& path)
{
    return path.size() <= kLongestSavedPath ? S_OK : HResultFromWin32(ERROR_FILENAME_EXCED_RANGE);
}

bool SameLetters(const std::wstring& a, const std::wstring& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](wchar_t x, wchar_t y) { return std::towlower(x) == std::towlower(y); });
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

// The path of the open file with every link resolved: by drive letter or
// share, or, on a volume that has neither, by the volume's own name.
HRESULT FinalPathOf(HANDLE file, std::wstring& path)
{
    for (const DWORD form : {DWORD{VOLUME_NAME_DOS}, DWORD{VOLUME_NAME_GUID}}) {
        std::wstring final(::GetFinalPathNameByHandleW(file, nullptr, 0, form), L'\0');
        const DWORD length =
            final.empty() ? 0 : ::GetFinalPathNameByHandleW(file, &final[0], static_cast<DWORD>(final.size()), form);
        if (length == 0 || length >= final.size()) {
            if (length == 0 && ::GetLastError() == ERROR_PATH_NOT_FOUND && form == VOLUME_NAME_DOS)
                continue;
            return length == 0 ? LastErrorResult() : HResultFromWin32(ERROR_INSUFFICIENT_BUFFER);
        }
        final.resize(length);
        path = form == VOLUME_NAME_DOS ? WithoutLongPathPrefix(final) : final;
        return CheckLength(path);
    }
    return HResultFromWin32(ERROR_PATH_NOT_FOUND);
}

// Whether something that cannot be opened has the name: a symbolic link
// whose target is missing. A probe file made in its place vanishes when
// closed, even if the process ends at once.
bool IsDanglingLink(const std::wstring& path)
{
    CUniqueFile probe(::CreateFileW(path.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return !probe && (::GetLastError() == ERROR_FILE_EXISTS || ::GetLastError() == ERROR_ALREADY_EXISTS);
}

enum class CTarget { Existing, Missing, CreatedThroughLink, LinkWithoutFolder };

// The file a save of path replaces: the final target behind any links, or
// path itself while nothing is there. A target that does not fit in
// MAX_PATH, is read-only or is a folder is refused.
HRESULT ResolveTarget(const std::wstring& path, std::wstring& target, CTarget& kind)
{
    // No access is asked for, so a file another program holds open still resolves.
    CUniqueFile file(::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    kind = CTarget::Existing;
    if (!file) {
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
            return HResultFromWin32(static_cast<long>(error));
        if (!IsDanglingLink(path)) {
            kind = CTarget::Missing;
            target = path;
            return error == ERROR_FILE_NOT_FOUND ? CheckLength(target) : HResultFromWin32(static_cast<long>(error));
        }
        // Opening through the link creates the file it leads to, when that
        // file's folder is there; a rename over the link would replace it.
        file.reset(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            const DWORD created = ::GetLastError();
            if (created != ERROR_FILE_NOT_FOUND && created != ERROR_PATH_NOT_FOUND)
                return HResultFromWin32(static_cast<long>(created));
            kind = CTarget::LinkWithoutFolder;
            return S_OK;
        }
        kind = CTarget::CreatedThroughLink;
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (!::GetFileInformationByHandle(file.get(), &info))
        return LastErrorResult();
    // A rename would replace a read-only file under Wine; Windows refuses it.
    if (info.dwFileAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))
        return HResultFromWin32(ERROR_ACCESS_DENIED);
    return FinalPathOf(file.get(), target);
}

// Removes what earlier interrupted or failed saves of file left in its folder.
void RemoveLeftoverTemporaries(const std::wstring& file)
{
    const std::wstring folder = FolderOf(file);
    const std::wstring name = FileNameOf(file);
    WIN32_FIND_DATAW data;
    CUniqueFind find(::FindFirstFileW(JoinPath(folder, name + L".*.tmp").c_str(), &data));
    if (!find)
        return;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsOwnTemporaryName(data.cFileName, name))
            ::DeleteFileW(JoinPath(folder, data.cFileName).c_str());
    } while (::FindNextFileW(find.get(), &data));
}

// Creates the empty temporary file beside target. A file of that name is
// left from an earlier process with this id, which the clean-up removes
// while it holds the lock; without the lock the save gives up.
HRESULT CreateTemporaryBeside(const std::wstring& target, std::wstring& temporary)
{
    wchar_t process[9];
    std::swprintf(process, std::size(process), L"%lx", static_cast<unsigned long>(::GetCurrentProcessId()));
    const std::wstring name = JoinPath(FolderOf(target), FileNameOf(target)) + L"." + process + kTemporaryExtension;
    CUniqueFile file(
        ::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return LastErrorResult();
    temporary = name;
    return S_OK;
}

// Makes sure the file's data is on the disk before it takes the target's place.
HRESULT FlushFileToDisk(const std::wstring& path)
{
    CUniqueFile file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file || !::FlushFileBuffers(file.get()))
        return LastErrorResult();
    return S_OK;
}

// Puts temporary in the place of target with one rename that overwrites; on
// failure target is as it was.
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

// The file made through a link for this save, taken back when the save fails,
// unless something was written into it meanwhile.
void RemoveIfEmpty(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) && data.nFileSizeHigh == 0 &&
        data.nFileSizeLow == 0)
        ::DeleteFileW(path.c_str());
}

}  // namespace

SaveStepHook SetSaveStepHook(SaveStepHook hook) noexcept
{
    return std::exchange(g_saveStepHook, hook);
}

bool IsOwnTemporaryName(const std::wstring& name, const std::wstring& targetName)
{
    const std::size_t extension = std::size(kTemporaryExtension) - 1;
    if (name.size() < targetName.size() + 2 + extension || !SameLetters(name.substr(0, targetName.size()), targetName) ||
        name[targetName.size()] != L'.' || !SameLetters(name.substr(name.size() - extension), kTemporaryExtension))
        return false;
    const std::wstring number = name.substr(targetName.size() + 1, name.size() - targetName.size() - 1 - extension);
    return number.size() <= 8 && std::all_of(number.begin(), number.end(), [](wchar_t c) { return std::iswxdigit(c) != 0; });
}

DWORD EnsureFolderForSave(const std::wstring& path)
{
    if (path.size() > kLongestSavedPath)
        return ERROR_FILENAME_EXCED_RANGE;
    const std::wstring folder = FolderOf(path);
    return folder.empty() ? 0 : EnsureFolder(folder);
}

HRESULT UnreadableSaveReason(const std::wstring& written)
{
    // A share's root needs its closing backslash here.
    const std::wstring folder = FolderOf(written);
    ULARGE_INTEGER available{};
    const bool full =
        ::GetDiskFreeSpaceExW(folder.empty() ? nullptr : JoinPath(folder, L"").c_str(), &available, nullptr, nullptr) &&
        available.QuadPart < kNearlyFullDisk;
    return HResultFromWin32(full ? ERROR_DISK_FULL : ERROR_INVALID_DATA);
}

HRESULT SaveAtomically(const std::wstring& path, const CFileStep& write, const CFileStep& check)
{
    const CSaveLock lock;
    std::wstring target = path;
    std::wstring temporary;
    CTarget kind = CTarget::Existing;
    HRESULT hr = S_OK;
    const auto run = [&](SaveStep step, auto&& action) {
        if (SUCCEEDED(hr) && g_saveStepHook)
            hr = g_saveStepHook(step, temporary, target);
        if (SUCCEEDED(hr))
            hr = action();
    };
    run(SaveStep::Resolve, [&] { return ResolveTarget(path, target, kind); });
    if (SUCCEEDED(hr) && kind == CTarget::LinkWithoutFolder) {
        LogLine(L"not saved: " + path + L" is a link to a file whose folder is missing; the link is kept");
        return kSaveSkippedForLink;
    }
    run(SaveStep::Clean, [&] {
        // Beside the link too: saves before links were followed left theirs there.
        if (lock.Held()) {
            RemoveLeftoverTemporaries(path);
            RemoveLeftoverTemporaries(target);
        }
        return S_OK;
    });
    run(SaveStep::Create, [&] { return CreateTemporaryBeside(target, temporary); });
    run(SaveStep::Write, [&] { return write(temporary); });
    run(SaveStep::Check, [&] { return check ? check(temporary) : S_OK; });
    run(SaveStep::Flush, [&] { return FlushFileToDisk(temporary); });
    run(SaveStep::Replace, [&] { return ReplaceWithTemporary(temporary, target); });
    if (SUCCEEDED(hr))
        return S_OK;
    if (!temporary.empty())
        ::DeleteFileW(temporary.c_str());
    if (kind == CTarget::CreatedThroughLink)
        RemoveIfEmpty(target);
    return hr;
}

}  // namespace gvt
