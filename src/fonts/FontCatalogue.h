// The font catalogue: every concrete style (face, character set, weight,
// italic state) that the system really renders, kept sorted by the font order
// and free of equal records, and the displayed list filtered from it.
#pragma once

#include "fonts/FaceNameOrder.h"
#include "fonts/FontSource.h"
#include "fonts/LogFont.h"
#include "fonts/ProbeCache.h"
#include "fonts/ProbeCacheFile.h"
#include "fonts/FontFilter.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace gvt {

class CFontCatalogue final : private CFontSink {
public:
    // Mask bits that decide which enumerated faces are taken.
    static constexpr DWORD SkipVertical = 0x1;
    static constexpr DWORD SkipHorizontal = 0x2;
    static constexpr DWORD SkipRaster = 0x4;
    static constexpr DWORD SkipTrueType = 0x8;

    static DWORD ExclusionMask(const CFontFilter& filter) noexcept;

    // With enumerate, rebuilds the catalogue from the source first; then runs
    // the weight and italic filter. The source is open for the whole call.
    // Returns the displayed list, valid until the next call.
    //
    // A face probed once is not probed again while the catalogue lives: the
    // probe cache answers instead, and the list is the same record for record.
    const CLogFontList& Reload(bool enumerate, const CFontFilter& filter, CFontSource& source);

    // Keeps the probe results between runs in this file: it is read at the
    // next rebuild and used when it was written by this program version from
    // the fonts the source now has (its fingerprint); otherwise everything is
    // probed again. SaveCache writes it.
    void UseCacheFile(const std::wstring& path, const std::array<WORD, 4>& programVersion);
    // Writes the cache file when something was probed since it was read or
    // last written. S_OK, or the error that left the file as it was: the next
    // run then only probes again, so the caller need not tell the user.
    HRESULT SaveCache();
    const CProbeCache& Cache() const noexcept { return m_cache; }

    // Gives every record the new height. The displayed list shares the
    // records, so it sees the change too.
    void SetHeight(int size) noexcept;

    const CLogFontList& Displayed() const noexcept { return m_displayed; }

    std::size_t Count() const noexcept { return m_records.size(); }
    CLogFontPtr At(std::size_t i) const { return m_records.at(i); }

private:
    using CRecordPtr = boost::shared_ptr<CLogFontW>;

    void Rebuild(const CFontFilter& filter, CFontSource& source);
    void ReadCacheFile(CFontSource& source);
    void OnFace(const LOGFONTW& lf, DWORD fontType) override;
    // answered turns false when a probe failed.
    CProbeCache::CStyles ProbeStyles(const LOGFONTW& enumerated, bool& answered);
    void Filter(const CFontFilter& filter);

    std::vector<CRecordPtr> m_records;
    CLogFontList m_displayed;
    CProbeCache m_cache;
    CFaceNameOrder m_names;

    std::wstring m_cacheFile;
    CProbeCacheStamp m_stamp;
    bool m_cacheFileRead = false;

    // Valid only while an enumeration runs: the source and the mask. The
    // records are collected in the order they come and sorted at the end.
    CFontSource* m_source = nullptr;
    DWORD m_mask = 0;
};

}  // namespace gvt
