// The file side of the settings document: a file is refused before parsing
// when it declares a document type (entities could reach other files or
// expand without bound), and a saved document replaces its target in one
// rename, so that a crash during the save never leaves a half-written file.
#pragma once

#include "framework/UniqueHandle.h"

#include <windows.h>

#include <cstddef>
#include <string>

// The file is scanned in pieces of this size.
constexpr std::size_t kScanChunkSize = 65536;

// Looks for "<!DOCTYPE" in the prolog, that is before the root element's
// start tag and outside comments and processing instructions, in 8-, 16- and
// 32-bit code units of either byte order. S_OK with found set, or the error
// of reading.
HRESULT FindDocumentTypeDeclaration(const std::wstring& path, bool& found);

// The file a save of path replaces: the final target behind any links, or
// path itself while nothing is there. A target that does not fit in MAX_PATH,
// is read-only or is a folder is refused.
HRESULT ResolveSaveTarget(const std::wstring& path, std::wstring& target);

// Removes what earlier interrupted or failed saves left beside target: this
// program's "gvt*.tmp" files and the empty "rf*.tmp" files of the platform's
// file replacement. Call it only while holding the save lock.
void RemoveLeftoverTemporaries(const std::wstring& target);

// Creates an empty "gvt*.tmp" file with a unique name in the folder of target.
HRESULT CreateTemporaryBeside(const std::wstring& target, std::wstring& temporary);

// Why a file the DOM wrote does not read back as the document: the disk ran
// full (ERROR_DISK_FULL), or the document holds text that cannot be read
// back, such as U+FFFF (ERROR_INVALID_DATA).
HRESULT UnreadableSaveReason(const std::wstring& written);

// Makes sure the file's data is on the disk before it takes the target's place.
HRESULT FlushFileToDisk(const std::wstring& path);

// Puts temporary in the place of target with one rename that overwrites,
// tried again for two seconds while another program holds target open; on
// failure target is as it was.
HRESULT ReplaceWithTemporary(const std::wstring& temporary, const std::wstring& target);

// Held by one save at a time across all running instances, so that removing
// leftovers never takes another instance's file in the middle of its save.
class CSaveLock {
public:
    CSaveLock();
    ~CSaveLock();
    CSaveLock(const CSaveLock&) = delete;
    CSaveLock& operator=(const CSaveLock&) = delete;

    // False when another instance kept it too long; the save goes on without it.
    bool Held() const noexcept { return m_held; }

private:
    static void Close(HANDLE h) noexcept { ::CloseHandle(h); }

    gvt::CUniqueHandle<gvt::CHandleTraits<HANDLE, void (*)(HANDLE), Close>> m_mutex;
    bool m_held = false;
};
