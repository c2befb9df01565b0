// The font catalogue: every concrete style (face, character set, weight,
// italic state) that the system really renders, kept sorted by the font order
// and free of equal records, and the displayed list filtered from it.
//
// The faces come from a reading (fonts/FontReading.h), on the window's
// thread with Reload or in batches from a reading thread with BeginReading
// and Apply. While a reading goes on, the faces the probe cache already knows
// for the filter are listed too, so that a list read before shows at once;
// each rebuild puts every record in its final place.
#pragma once

#include "fonts/FaceNameOrder.h"
#include "fonts/FontFilter.h"
#include "fonts/FontReading.h"
#include "fonts/FontSource.h"
#include "fonts/LogFont.h"
#include "fonts/ProbeCache.h"
#include "fonts/ProbeCacheFile.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace gvt {

class CFontCatalogue final {
public:
    // Mask bits that decide which enumerated faces are taken.
    static constexpr DWORD SkipVertical = 0x1;
    static constexpr DWORD SkipHorizontal = 0x2;
    static constexpr DWORD SkipRaster = 0x4;
    static constexpr DWORD SkipTrueType = 0x8;

    static DWORD ExclusionMask(const CFontFilter& filter) noexcept;
    // Whether the mask leaves out an enumerated face of this type.
    static bool Excludes(DWORD mask, const LOGFONTW& lf, DWORD fontType) noexcept;

    // With enumerate, reads the fonts from the source on this thread first;
    // then runs the weight and italic filter. Returns the displayed list,
    // valid until the next call.
    //
    // A face probed once is not probed again while the catalogue lives: the
    // probe cache answers instead, and the list is the same record for record.
    const CLogFontList& Reload(bool enumerate, const CFontFilter& filter, CFontSource& source);

    // Keeps the probe results between runs in this file: it is read by the
    // first reading and used when it was written by this program version from
    // the fonts the source now has (its fingerprint); otherwise everything is
    // probed again. SaveCache writes it.
    void UseCacheFile(const std::wstring& path, const std::array<WORD, 4>& programVersion);
    // Writes the cache file when something was probed since it was read or
    // last written and the fonts have been fingerprinted. S_OK, or the error
    // that left the file as it was: the next run then only probes again, so
    // the caller need not tell the user.
    HRESULT SaveCache();
    const CProbeCache& Cache() const noexcept { return m_cache; }

    // The job for a reading of the filter's fonts; the first one of the
    // catalogue also reads the cache file and fingerprints the fonts.
    CReadJob Job(const CFontFilter& filter) const;
    // Starts a new list for the filter: the faces the cache knows are listed
    // until the reading's faces take their place.
    void BeginReading(const CFontFilter& filter);
    // Takes what a reading handed over. True when the records changed; the
    // displayed list is then filtered again with `filter`. Once news says the
    // reading finished, exactly the faces it found are listed.
    bool Apply(CReadNews& news, const CFontFilter& filter);

    // The fonts installed changed: the next reading enumerates the character
    // sets and fingerprints the fonts again, and once it is complete the
    // faces of its filter that it did not find are gone from the cache.
    // Fonts added for this process alone (`installed` false) leave the
    // fingerprint as it is: it stays the one of the installed fonts, so that
    // the cache file holds whether or not the same fonts are added next time.
    void FontsChanged(bool installed = true) noexcept
    {
        m_fontsChanged = true;
        m_installedChanged = m_installedChanged || installed;
    }
    // Whether the cache file was read and the installed fonts fingerprinted
    // (or there is no file to stamp).
    bool Stamped() const noexcept { return m_cacheFileRead && (m_cacheFile.empty() || m_fingerprinted); }
    // The faces found gone since the last call, as the cache kept them.
    std::vector<LOGFONTW> TakeGoneFaces() { return std::move(m_gone); }

    // Whether the faces the cache knows for the reading's filter are listed.
    bool ListsKnownFaces() const noexcept { return !m_known.empty(); }

    // Gives every record the new height. The displayed list shares the
    // records, so it sees the change too.
    void SetHeight(int size) noexcept;

    // Runs the weight and italic filter again.
    const CLogFontList& Filter(const CFontFilter& filter);
    const CLogFontList& Displayed() const noexcept { return m_displayed; }

    std::size_t Count() const noexcept { return m_records.size(); }
    CLogFontPtr At(std::size_t i) const { return m_records.at(i); }

private:
    using CRecordPtr = boost::shared_ptr<CLogFontW>;

    // The records of a face, in the order the probes find them.
    static void AddRecords(const LOGFONTW& lf, CProbeCache::CStyles styles, std::vector<CRecordPtr>& records);
    // Whether a face the cache holds is one the reading's filter lists.
    bool InFilter(const LOGFONTW& key, DWORD type) const noexcept;
    void ListKnownFaces();
    void ForgetGoneFaces();
    void Rebuild();

    std::vector<CRecordPtr> m_records;
    CLogFontList m_displayed;
    CProbeCache m_cache;
    CFaceNameOrder m_names;

    std::wstring m_cacheFile;
    CProbeCacheStamp m_stamp;
    // Whether the first reading's cache file and fingerprint came in, and
    // whether a fingerprint came in since the file was last written.
    bool m_cacheFileRead = false;
    bool m_fingerprinted = false;
    bool m_stampChanged = false;

    // Set by FontsChanged until a reading after it is complete; while one
    // goes on, the faces it found.
    bool m_fontsChanged = false;
    bool m_installedChanged = false;
    bool m_refreshing = false;
    CProbeCache m_seen;
    std::vector<LOGFONTW> m_gone;

    // The filter of the reading, the records of its faces in the order they
    // came, with their enumerated height, and while it goes on the records
    // of the faces the cache knows.
    CFontFilter m_filter;
    std::vector<CRecordPtr> m_found;
    std::vector<CRecordPtr> m_known;
    bool m_reading = false;
};

}  // namespace gvt
