#include "fonts/FontCatalogue.h"

#include "fonts/SortUnique.h"

#include <boost/make_shared.hpp>

namespace gvt {

namespace {

// Values outside the tables filter nothing, as UNDEF does.
bool PassesWeight(FontWeight4 filter, LONG weight) noexcept
{
    switch (filter) {
    case FontWeight4::NORMAL:
        return weight == FW_NORMAL;
    case FontWeight4::LIGHTER:
        return weight < FW_NORMAL;
    case FontWeight4::BOLDER:
        return weight > FW_NORMAL;
    default:
        return true;
    }
}

bool PassesItalic(FontItalic3 filter, BYTE italic) noexcept
{
    switch (filter) {
    case FontItalic3::OFF:
        return italic == 0;
    case FontItalic3::ON:
        return italic != 0;
    default:
        return true;
    }
}

}  // namespace

DWORD CFontCatalogue::ExclusionMask(const CFontFilter& filter) noexcept
{
    DWORD mask = filter.Tategaki ? SkipHorizontal : SkipVertical;
    if (filter.Type == FontType3::VECTOR)
        mask |= SkipRaster;
    else if (filter.Type == FontType3::RASTER)
        mask |= SkipTrueType;
    return mask;
}

bool CFontCatalogue::Excludes(DWORD mask, const LOGFONTW& lf, DWORD fontType) noexcept
{
    const bool vertical = IsVerticalFace(lf.lfFaceName);
    return ((mask & SkipVertical) && vertical) || ((mask & SkipHorizontal) && !vertical) ||
           ((mask & SkipRaster) && (fontType & RASTER_FONTTYPE)) ||
           ((mask & SkipTrueType) && (fontType & TRUETYPE_FONTTYPE));
}

const CLogFontList& CFontCatalogue::Reload(bool enumerate, const CFontFilter& filter, CFontSource& source)
{
    if (enumerate) {
        CFontReading reading;
        BeginReading(filter);
        // A reading cut short leaves nothing half-listed.
        try {
            ReadFonts(source, Job(filter), reading);
        } catch (...) {
            m_reading = false;
            m_found.clear();
            m_known.clear();
            m_records.clear();
            m_displayed.clear();
            throw;
        }
        CReadNews news = reading.Take();
        Apply(news, filter);
    }
    return Filter(filter);
}

void CFontCatalogue::UseCacheFile(const std::wstring& path, const std::array<WORD, 4>& programVersion)
{
    m_cacheFile = path;
    m_stamp.ProgramVersion = programVersion;
    m_cacheFileRead = false;
    m_fingerprinted = false;
}

HRESULT CFontCatalogue::SaveCache()
{
    if (m_cacheFile.empty() || !m_fingerprinted || !(m_cache.Changed() || m_stampChanged))
        return S_OK;
    const HRESULT result = WriteProbeCache(m_cacheFile, m_stamp, m_cache, m_names.Names());
    if (SUCCEEDED(result)) {
        m_cache.MarkSaved();
        m_stampChanged = false;
    }
    return result;
}

CReadJob CFontCatalogue::Job(const CFontFilter& filter) const
{
    CReadJob job;
    job.CharSet = static_cast<BYTE>(filter.CharSet);
    job.Mask = ExclusionMask(filter);
    job.Known = m_cache;
    // Until the fonts are fingerprinted, what the cache holds is not known
    // to hold: a reading cancelled before that leaves it to the next.
    job.Start = !m_cacheFileRead || (!m_cacheFile.empty() && !m_fingerprinted);
    job.CacheFile = m_cacheFile;
    job.ProgramVersion = m_stamp.ProgramVersion;
    job.Refresh = m_fontsChanged && !job.Start;
    job.RefreshFingerprint = m_installedChanged && !job.Start;
    return job;
}

void CFontCatalogue::BeginReading(const CFontFilter& filter)
{
    m_filter = filter;
    m_found.clear();
    m_reading = true;
    m_refreshing = m_fontsChanged;
    m_seen.Clear();
    ListKnownFaces();
    Rebuild();
    Filter(filter);
}

bool CFontCatalogue::Apply(CReadNews& news, const CFontFilter& filter)
{
    bool changed = false;
    if (news.CacheFile && !m_fingerprinted) {
        m_cacheFileRead = true;
        if (!news.CacheFile->Names.empty())
            m_names.Seed(std::move(news.CacheFile->Names));
        m_cache = std::move(news.CacheFile->Cache);
        if (m_reading) {
            ListKnownFaces();
            changed = true;
        }
    }
    if (news.Fingerprint) {
        // The first one is the file's own unless the file is stale.
        m_stampChanged = m_stampChanged || (m_fingerprinted && (m_stamp.Files != news.Fingerprint->Files ||
                                                                m_stamp.Fingerprint != news.Fingerprint->Whole));
        m_stamp.Files = news.Fingerprint->Files;
        m_stamp.Fingerprint = news.Fingerprint->Whole;
        m_fingerprinted = !m_cacheFile.empty();
        // The faces listed from it stay until the reading has found them.
        if (news.Stale)
            m_cache.Clear();
    }
    for (const CFoundFace& face : news.Faces) {
        if (face.Probed)
            m_cache.Add(face.Lf, face.Styles, face.Type);
        if (m_refreshing)
            m_seen.Add(face.Lf, face.Styles, face.Type);
        AddRecords(face.Lf, face.Styles, m_found);
        changed = true;
    }
    if (news.Finished && m_reading) {
        if (m_refreshing && news.Complete) {
            ForgetGoneFaces();
            m_fontsChanged = false;
            m_installedChanged = false;
        }
        m_refreshing = false;
        m_reading = false;
        m_known.clear();
        changed = true;
    }
    if (changed) {
        Rebuild();
        Filter(filter);
    }
    return changed;
}

void CFontCatalogue::SetHeight(int size) noexcept
{
    m_filter.Size = size;
    for (const CRecordPtr& record : m_records)
        record->lfHeight = size;
}

void CFontCatalogue::AddRecords(const LOGFONTW& lf, CProbeCache::CStyles styles, std::vector<CRecordPtr>& records)
{
    LOGFONTW record = lf;
    record.lfWidth = 0;
    for (LONG weight = FW_THIN; weight <= FW_HEAVY; weight += FW_THIN) {
        for (const BYTE italic : {BYTE{0}, BYTE{255}}) {
            if (styles & CProbeCache::Style(weight, italic != 0)) {
                record.lfWeight = weight;
                record.lfItalic = italic;
                records.push_back(boost::make_shared<CLogFontW>(record));
            }
        }
    }
}

bool CFontCatalogue::InFilter(const LOGFONTW& key, DWORD type) const noexcept
{
    const BYTE charSet = static_cast<BYTE>(m_filter.CharSet);
    return (charSet == DEFAULT_CHARSET || key.lfCharSet == charSet) && !Excludes(ExclusionMask(m_filter), key, type);
}

void CFontCatalogue::ListKnownFaces()
{
    m_known.clear();
    m_cache.ForEach([&](const LOGFONTW& key, const CProbeCache::CEntry& entry) {
        if (InFilter(key, entry.Type))
            AddRecords(key, entry.Styles, m_known);
    });
}

void CFontCatalogue::ForgetGoneFaces()
{
    const std::size_t before = m_gone.size();
    CProbeCache::CStyles styles = 0;
    m_cache.ForEach([&](const LOGFONTW& key, const CProbeCache::CEntry& entry) {
        if (InFilter(key, entry.Type) && !m_seen.Find(key, styles))
            m_gone.push_back(key);
    });
    for (std::size_t i = before; i < m_gone.size(); ++i)
        m_cache.Remove(m_gone[i]);
    m_seen.Clear();
}

// The faces found come after the known ones: among equal records the later
// stands first and the others are dropped, so a found face replaces its
// known twin. The records keep the enumerated height while they are sorted;
// the list's records are copies that carry the size.
void CFontCatalogue::Rebuild()
{
    std::vector<CRecordPtr> sorted;
    sorted.reserve(m_known.size() + m_found.size());
    sorted.insert(sorted.end(), m_known.begin(), m_known.end());
    sorted.insert(sorted.end(), m_found.begin(), m_found.end());
    SortUnique(sorted, m_names);
    m_records.clear();
    m_records.reserve(sorted.size());
    for (const CRecordPtr& record : sorted) {
        m_records.push_back(boost::make_shared<CLogFontW>(*record));
        m_records.back()->lfHeight = m_filter.Size;
    }
}

const CLogFontList& CFontCatalogue::Filter(const CFontFilter& filter)
{
    m_displayed.clear();
    m_displayed.reserve(m_records.size());
    for (const CRecordPtr& record : m_records)
        if (PassesWeight(filter.Weight, record->lfWeight) && PassesItalic(filter.Italic, record->lfItalic))
            m_displayed.push_back(record);
    return m_displayed;
}

}  // namespace gvt
