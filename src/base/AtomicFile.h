// Saving a file in one step: the new content is written to a temporary file
// in the target's folder, flushed, read back where the caller asks, and then
// renamed over the target, so that a reader and the file after a crash see
// the old content or the new one, never a part. The settings file and the
// font cache are saved this way.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace gvt {

// The steps of a save, in their order.
enum class SaveStep { Resolve, Clean, Create, Write, Check, Flush, Replace };

// Runs before each step with the temporary file (empty until it is created)
// and the target; a failure stops the save there. Tests use it to break a
// save off at every step.
using SaveStepHook = HRESULT (*)(SaveStep step, const std::wstring& temporary, const std::wstring& target);
// Returns the hook used before; nullptr removes it.
SaveStepHook SetSaveStepHook(SaveStepHook hook) noexcept;

// A step the caller supplies: writes the file or checks what was written.
using CFileStep = std::function<HRESULT(const std::wstring& temporary)>;

// The longest path a file saved atomically may have: its temporary file,
// named after it with "." and the process id in up to eight hexadecimal
// digits and ".tmp" added, must fit in MAX_PATH too. Paths are kept within
// MAX_PATH because the settings parser and the next start read the file by
// a plain path.
constexpr std::size_t kLongestSavedPath = MAX_PATH - 1 - (1 + 8 + 4);

// Creates the folder of path as EnsureFolder does, but nothing at all when
// path is longer than kLongestSavedPath: the file could not be saved, and
// a folder made for it would stay behind with a cut name. A Win32 error
// code, 0 when the folder is there; 0 for a path without a folder.
DWORD EnsureFolderForSave(const std::wstring& path);

// What SaveAtomically returns when path is a symbolic link whose target's
// folder is missing (a synced folder not mounted): the link is kept and
// nothing is written, which the debug log says.
constexpr HRESULT kSaveSkippedForLink = S_FALSE;

// Saves into path with write (and check, when given). A symbolic link stays
// a link: the file it leads to is written, and created when it is missing
// but its folder is there. A read-only file or a folder in the place of the
// file is refused at once. Removes what earlier interrupted saves of this
// program left beside path and its target. S_OK, kSaveSkippedForLink, or the
// error that stopped it, with the target as it was and no temporary file left.
HRESULT SaveAtomically(const std::wstring& path, const CFileStep& write, const CFileStep& check = nullptr);

// Whether name is a temporary file that a save of the file targetName makes
// in its folder: targetName, ".", the process id in hexadecimal, ".tmp". No
// other program's file has such a name.
bool IsOwnTemporaryName(const std::wstring& name, const std::wstring& targetName);

// Why a file that was written does not read back as it should: the disk ran
// full (ERROR_DISK_FULL), or the content cannot be read back (ERROR_INVALID_DATA).
HRESULT UnreadableSaveReason(const std::wstring& written);

}  // namespace gvt
