// The status line's account of the added fonts: what was named, how many
// fonts came from how many files, what was skipped, and which named paths
// were not found, e.g. "3 folders: 1,204 fonts added (1,180 files), 2 files
// skipped".
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace gvt {

struct CAddedSummary {
    std::size_t Folders = 0;     // named paths that were folders
    std::size_t NamedFiles = 0;  // named paths that were files
    std::size_t Files = 0;       // files added
    std::size_t Faces = 0;       // face names they hold
    std::size_t Skipped = 0;
    std::vector<std::wstring> Missing;
};

std::wstring AddedStatusText(const CAddedSummary& summary);

}  // namespace gvt
