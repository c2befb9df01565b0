// Reading the fonts of one character set: enumerating the faces, probing the
// ones the probe cache does not know, and handing what was found over to the
// window's thread a batch at a time. ReadFonts does the work on whatever
// thread calls it; CFontReading is the hand-over (base/HandOver.h), the only
// state the reading thread and the window's thread share.
#pragma once

#include "base/HandOver.h"
#include "fonts/CharSets.h"
#include "fonts/FontSource.h"
#include "fonts/ProbeCache.h"
#include "fonts/ProbeCacheFile.h"

#include <windows.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace gvt {

// One face as a reading found it.
struct CFoundFace {
    LOGFONTW Lf{};  // as enumerated
    DWORD Type = 0;
    CProbeCache::CStyles Styles = 0;
    // Probed by this reading, every probe answered: a result for the cache.
    bool Probed = false;
};

// What the first reading of a run of the program also finds out.
struct CCacheFileRead {
    CProbeCache Cache;  // empty when the file did not match the program and the font files
    std::vector<std::wstring> Names;
};

// The fonts installed, as the cache file's stamp keeps them.
struct CFontsFingerprint {
    std::uint64_t Files = 0;  // the quick one (CFontSource::FilesFingerprint)
    std::uint64_t Whole = 0;
};

// Longer than this on one face, and the face is skipped: a damaged file or a
// font on a network share that stopped answering must not hold up the rest.
constexpr DWORD kSlowFaceLimit = 3000;  // ms
constexpr DWORD kAwaitWindowLimit = 1000;  // ms

// What one reading is asked to do.
struct CReadJob {
    BYTE CharSet = DEFAULT_CHARSET;
    DWORD Mask = 0;  // CFontCatalogue::ExclusionMask
    // Faces that need no probe.
    CProbeCache Known;
    // At the start of the program: the cache file is read on the reading
    // thread (it matters only if it matches the program version), the
    // character sets are enumerated and the fonts fingerprinted, and Known
    // becomes what the file holds if the fingerprint confirms it.
    bool Start = false;
    std::wstring CacheFile;
    std::array<WORD, 4> ProgramVersion{0, 0, 0, 0};
    // After the fonts changed: the character sets are enumerated and the
    // fonts fingerprinted again, and Known still answers for every face that
    // is found again.
    bool Refresh = false;
    // With Refresh: the fingerprint too; not after fonts were only added for
    // the process, whose character sets are enumerated after the faces.
    bool RefreshFingerprint = true;
    // On a thread of its own, the start waits after handing the cache file
    // over until the window has drawn it (CFontReading::Proceed), at most
    // kAwaitWindowLimit: the first enumeration of every character set can
    // hold up all other font work of the process for seconds (Wine, with
    // thousands of fonts), the window's first paint included.
    bool AwaitWindow = false;
    DWORD SlowFaceLimit = kSlowFaceLimit;
};

// Everything handed over since the last Take.
struct CReadNews : CWorkProgress {
    std::optional<CCacheFileRead> CacheFile;
    std::optional<CCharSetChoices> CharSets;
    // Stale when the cache file it was compared with does not hold for the
    // fonts installed now.
    std::optional<CFontsFingerprint> Fingerprint;
    bool Stale = false;
    // Done counts the faces read, Total the faces enumerated.
    std::vector<CFoundFace> Faces;
    // Every face enumerated was read or skipped: a face not among them is
    // gone. Not so for a reading cancelled or cut short.
    bool Complete = false;
};

// The reading thread's side of the hand-over.
class CFontReading : public CHandOver<CReadNews> {
public:
    using CHandOver::CHandOver;

    void CacheFileRead(CCacheFileRead read);
    void CharSetsFound(CCharSetChoices choices);
    void Fingerprinted(const CFontsFingerprint& fingerprint, bool stale);
    void Counted(std::size_t total);
    void Found(const CFoundFace& face);
    void Skipped();
    void Completed();
};

// Reads the fonts as `job` says, on the calling thread, with `source` opened
// and closed by this call. A face whose probing throws or takes longer than
// the job's SlowFaceLimit is skipped and named in the debug log. Stops early once
// `reading` is cancelled; ends with reading.Finish() on every path but an
// exception from the enumeration itself, which passes on.
void ReadFonts(CFontSource& source, CReadJob job, CFontReading& reading);

// Runs ReadFonts on a thread of its own, with a source made on that thread
// (so with a device context of its own). Nobody waits for the thread: it
// keeps the reading alive until it ends, and a cancelled one ends at its next
// face. False when no thread could be started; nothing runs then.
bool StartReadingThread(std::function<std::unique_ptr<CFontSource>()> makeSource, CReadJob job,
                        const std::shared_ptr<CFontReading>& reading);


}  // namespace gvt
