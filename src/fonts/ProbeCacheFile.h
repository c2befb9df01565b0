// The probe cache kept between runs: a small binary file of the program's
// own, valid only for the installed fonts it was made from. Deleting it is
// always safe; the next run only probes again.
#pragma once

#include "fonts/ProbeCache.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace gvt {

// Which fonts and which program the entries were found with. Files, the
// quick stamp of the installed fonts (CFontSource::FilesFingerprint): a file
// that matches it can be shown before the slower whole fingerprint confirms.
struct CProbeCacheStamp {
    std::uint64_t Fingerprint = 0;
    std::array<WORD, 4> ProgramVersion{0, 0, 0, 0};
    std::uint64_t Files = 0;
};

// Fills the cache from the file when it is whole, was written with this
// format, program version and fingerprint, and holds only what probing can
// find; otherwise, or when the file cannot be read, leaves the cache empty
// and returns false. The face names of the file, in the order it found them,
// come back even when the fingerprint differs: they are checked before they
// are used. A file naming a face it has no entry for gives no names.
// With `fingerprint`, the file's fingerprint is not compared with the
// stamp's but returned there, for the caller to confirm later.
bool ReadProbeCache(const std::wstring& path, const CProbeCacheStamp& stamp, CProbeCache& cache,
                    std::vector<std::wstring>& names, std::uint64_t* fingerprint = nullptr);

// Writes every entry and those of the names that are faces of an entry,
// creating the folder if need be; the file is saved atomically
// (base/AtomicFile.h), so a reader sees the old file or the new one, never a
// part. S_OK, kSaveSkippedForLink, or the error that stopped it, with any old
// file left as it was.
HRESULT WriteProbeCache(const std::wstring& path, const CProbeCacheStamp& stamp, const CProbeCache& cache,
                        const std::vector<std::wstring>& names);

}  // namespace gvt
