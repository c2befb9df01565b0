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

const CLogFontList& CFontCatalogue::Reload(bool enumerate, const CFontFilter& filter, CFontSource& source)
{
    const COpenFontSource open(source);
    if (enumerate) {
        // A rebuild cut short leaves nothing half-listed.
        try {
            Rebuild(filter, source);
        } catch (...) {
            m_records.clear();
            m_displayed.clear();
            throw;
        }
    }
    Filter(filter);
    return m_displayed;
}

void CFontCatalogue::UseCacheFile(const std::wstring& path, const std::array<WORD, 4>& programVersion)
{
    m_cacheFile = path;
    m_stamp.ProgramVersion = programVersion;
    m_cacheFileRead = false;
}

HRESULT CFontCatalogue::SaveCache()
{
    if (m_cacheFile.empty() || !m_cacheFileRead || !m_cache.Changed())
        return S_OK;
    const HRESULT result = WriteProbeCache(m_cacheFile, m_stamp, m_cache, m_names.Names());
    if (SUCCEEDED(result))
        m_cache.MarkSaved();
    return result;
}

void CFontCatalogue::SetHeight(int size) noexcept
{
    for (const CRecordPtr& record : m_records)
        record->lfHeight = size;
}

// The file is read once, at the first rebuild after it was named: what this
// run probes afterwards goes into the same cache. Its names are worth taking
// even from other fonts: most are still there, and their order is checked.
void CFontCatalogue::ReadCacheFile(CFontSource& source)
{
    m_stamp.Fingerprint = source.Fingerprint();
    std::vector<std::wstring> names;
    ReadProbeCache(m_cacheFile, m_stamp, m_cache, names);
    if (!names.empty())
        m_names.Seed(std::move(names));
    m_cacheFileRead = true;
}

void CFontCatalogue::Rebuild(const CFontFilter& filter, CFontSource& source)
{
    m_records.clear();
    if (!m_cacheFile.empty() && !m_cacheFileRead)
        ReadCacheFile(source);
    struct CContext {
        CFontCatalogue& Catalogue;
        ~CContext()
        {
            Catalogue.m_source = nullptr;
            Catalogue.m_mask = 0;
        }
    } const context{*this};
    m_source = &source;
    m_mask = ExclusionMask(filter);
    source.Enumerate(static_cast<BYTE>(filter.CharSet), *this);
    SortUnique(m_records, m_names);
    for (const CRecordPtr& record : m_records) {
        record->lfHeight = filter.Size;
        record->lfWidth = 0;
    }
}

void CFontCatalogue::OnFace(const LOGFONTW& lf, DWORD fontType)
{
    if ((m_mask & SkipVertical) && IsVerticalFace(lf.lfFaceName))
        return;
    if ((m_mask & SkipHorizontal) && !IsVerticalFace(lf.lfFaceName))
        return;
    if ((m_mask & SkipRaster) && (fontType & RASTER_FONTTYPE))
        return;
    if ((m_mask & SkipTrueType) && (fontType & TRUETYPE_FONTTYPE))
        return;

    CProbeCache::CStyles styles = 0;
    if (!m_cache.Find(lf, styles)) {
        // A probe that failed (no font, no metrics) says nothing about the
        // face: this rebuild lists what the others found, the next asks again.
        bool answered = true;
        styles = ProbeStyles(lf, answered);
        if (answered)
            m_cache.Add(lf, styles);
    }
    // The records come in the order the probes would find them.
    LOGFONTW record = lf;
    record.lfWidth = 0;
    for (LONG weight = FW_THIN; weight <= FW_HEAVY; weight += FW_THIN) {
        for (const BYTE italic : {BYTE{0}, BYTE{255}}) {
            if (styles & CProbeCache::Style(weight, italic != 0)) {
                record.lfWeight = weight;
                record.lfItalic = italic;
                m_records.push_back(boost::make_shared<CLogFontW>(record));
            }
        }
    }
}

// Every face taken is probed at the nine standard weights, upright and
// italic, and a style counts when the system renders it with exactly the
// weight and italic state asked for.
CProbeCache::CStyles CFontCatalogue::ProbeStyles(const LOGFONTW& enumerated, bool& answered)
{
    LOGFONTW lf = enumerated;
    lf.lfWidth = 0;
    CProbeCache::CStyles styles = 0;
    for (LONG weight = FW_THIN; weight <= FW_HEAVY; weight += FW_THIN) {
        for (const BYTE italic : {BYTE{0}, BYTE{255}}) {
            lf.lfWeight = weight;
            lf.lfItalic = italic;
            CRenderedStyle rendered;
            if (!m_source->Probe(lf, rendered))
                answered = false;
            else if (rendered.Weight == weight && rendered.Italic == (italic != 0))
                styles |= CProbeCache::Style(weight, italic != 0);
        }
    }
    return styles;
}

void CFontCatalogue::Filter(const CFontFilter& filter)
{
    m_displayed.clear();
    m_displayed.reserve(m_records.size());
    for (const CRecordPtr& record : m_records)
        if (PassesWeight(filter.Weight, record->lfWeight) && PassesItalic(filter.Italic, record->lfItalic))
            m_displayed.push_back(record);
}

}  // namespace gvt
