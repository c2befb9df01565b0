#include "fonts/FontCatalogue.h"

#include "fonts/FontOrder.h"

#include <boost/make_shared.hpp>

#include <algorithm>
#include <cwchar>

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

DWORD CFontCatalogue::ExclusionMask(const CFontListDlgSetting& setting) noexcept
{
    DWORD mask = setting.Tategaki ? SkipHorizontal : SkipVertical;
    if (setting.Type == FontType3::VECTOR)
        mask |= SkipRaster;
    else if (setting.Type == FontType3::RASTER)
        mask |= SkipTrueType;
    return mask;
}

const CLogFontList& CFontCatalogue::Reload(bool enumerate, const CFontListDlgSetting& setting, CFontSource& source)
{
    const COpenFontSource open(source);
    if (enumerate) {
        // A rebuild cut short leaves nothing half-listed.
        try {
            Rebuild(setting, source);
        } catch (...) {
            m_records.clear();
            m_displayed.clear();
            throw;
        }
    }
    Filter(setting);
    return m_displayed;
}

void CFontCatalogue::SetHeight(int size) noexcept
{
    for (const CRecordPtr& record : m_records)
        record->lfHeight = size;
}

void CFontCatalogue::Rebuild(const CFontListDlgSetting& setting, CFontSource& source)
{
    m_records.clear();
    struct CContext {
        CFontCatalogue& Catalogue;
        ~CContext()
        {
            Catalogue.m_source = nullptr;
            Catalogue.m_mask = 0;
            Catalogue.m_run.Valid = false;
        }
    } const context{*this};
    m_source = &source;
    m_mask = ExclusionMask(setting);
    source.Enumerate(static_cast<BYTE>(setting.CharSet), *this);
    for (const CRecordPtr& record : m_records) {
        record->lfHeight = setting.Size;
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
    ExpandStyles(lf);
}

// Every face taken is probed at the nine standard weights, upright and italic.
void CFontCatalogue::ExpandStyles(const LOGFONTW& enumerated)
{
    FindNameRun(enumerated.lfFaceName);
    LOGFONTW lf = enumerated;
    lf.lfWidth = 0;
    for (LONG weight = FW_THIN; weight <= FW_HEAVY; weight += FW_THIN) {
        lf.lfWeight = weight;
        lf.lfItalic = 0;
        ProbeStyle(lf);
        lf.lfItalic = 255;
        ProbeStyle(lf);
    }
}

// With DEFAULT_CHARSET a face comes once per character set in a row, so the
// run found for the previous face is often the one wanted; and faces often
// come in their order, after every record there is.
void CFontCatalogue::FindNameRun(const wchar_t* faceName)
{
    if (m_run.Valid && std::wcscmp(m_run.Name, faceName) == 0)
        return;
    m_run.Valid = false;
    std::wcsncpy(m_run.Name, faceName, LF_FACESIZE - 1);
    m_run.Name[LF_FACESIZE - 1] = L'\0';
    if (m_records.empty() || CompareFaceNames(m_records.back()->lfFaceName, faceName) < 0) {
        m_run.First = m_run.Last = m_records.size();
    } else {
        const auto first = std::lower_bound(
            m_records.begin(), m_records.end(), faceName,
            [](const CRecordPtr& r, const wchar_t* name) { return CompareFaceNames(r->lfFaceName, name) < 0; });
        const auto last = std::upper_bound(
            first, m_records.end(), faceName,
            [](const wchar_t* name, const CRecordPtr& r) { return CompareFaceNames(name, r->lfFaceName) < 0; });
        m_run.First = static_cast<std::size_t>(first - m_records.begin());
        m_run.Last = static_cast<std::size_t>(last - m_records.begin());
    }
    m_run.Valid = true;
}

bool CFontCatalogue::ProbeStyle(const LOGFONTW& lf)
{
    CRenderedStyle rendered;
    if (!m_source->Probe(lf, rendered))
        return false;
    if (rendered.Weight != lf.lfWeight || rendered.Italic != (lf.lfItalic != 0))
        return false;
    InsertUnique(lf);
    return true;
}

// Inserts at the first record not less than the new one, so among ties the
// one enumerated last stands first. Everything before the name run is less
// and everything after it greater, so the search stays inside the run and
// compares the style alone. The whole tie run is searched for an equal
// record: a style reported again after another character set's twin must not
// be listed twice.
bool CFontCatalogue::InsertUnique(const LOGFONTW& lf)
{
    const auto runFirst = m_records.begin() + static_cast<std::ptrdiff_t>(m_run.First);
    const auto runLast = m_records.begin() + static_cast<std::ptrdiff_t>(m_run.Last);
    const auto notLess = std::lower_bound(runFirst, runLast, lf,
                                          [](const CRecordPtr& r, const LOGFONTW& v) { return CompareStyle(*r, v) < 0; });
    for (auto tie = notLess; tie != runLast && CompareStyle(**tie, lf) == 0; ++tie)
        if (EqualLogFont(**tie, lf))
            return false;

    CRecordPtr record = boost::make_shared<CLogFontW>(lf);
    const auto index = notLess - m_records.begin();
    if (m_records.size() == m_records.capacity())
        m_records.reserve(std::max(m_records.capacity() + m_records.capacity() / 2, m_records.size() + 1));
    m_records.insert(m_records.begin() + index, std::move(record));
    ++m_run.Last;
    return true;
}

void CFontCatalogue::Filter(const CFontListDlgSetting& setting)
{
    m_displayed.clear();
    m_displayed.reserve(m_records.size());
    for (const CRecordPtr& record : m_records)
        if (PassesWeight(setting.Weight, record->lfWeight) && PassesItalic(setting.Italic, record->lfItalic))
            m_displayed.push_back(record);
}

}  // namespace gvt
