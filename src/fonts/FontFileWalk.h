// Finding the font files that paths name: a file is taken as it is, a folder
// with its sub-folders for the files whose extension says font. Links to
// folders (junctions, symbolic links) are not followed and no folder is
// walked twice, so a link loop ends; paths of any length are used in the
// system's long form.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace gvt {

// What walking the named paths found.
struct CFontFileList {
    std::vector<std::wstring> Files;    // in the order found, each once
    std::size_t Folders = 0;            // named paths that were folders
    std::size_t NamedFiles = 0;         // named paths that were files
    std::vector<std::wstring> Missing;  // named paths that do not exist
    std::size_t Unreadable = 0;         // folders that could not be listed
};

// .ttf, .otf, .ttc, .otc and .fon, in any case.
bool IsFontFileName(const std::wstring& name);

// The path made absolute, in the form the system takes for any length:
// "\\?\" before a drive path, "\\?\UNC\" for a share.
std::wstring LongPath(const std::wstring& path);
// The path as the user knows it: without that prefix.
std::wstring ShortPath(const std::wstring& longPath);

// Adds what `path` names to `list`. Stops between folders once `stop` says so.
void CollectFontFiles(const std::wstring& path, CFontFileList& list, const std::function<bool()>& stop);

}  // namespace gvt
