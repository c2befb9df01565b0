#include "fonts/ProbeCache.h"

#include "fontdata/FaceName.h"

#include <algorithm>
#include <cstring>

namespace gvt {

LOGFONTW CProbeCache::Key(const LOGFONTW& enumerated) noexcept
{
    LOGFONTW key = enumerated;
    key.lfWidth = 0;
    key.lfWeight = 0;
    key.lfItalic = 0;
    const std::size_t length = FaceName(key).size();
    std::fill(key.lfFaceName + length, key.lfFaceName + LF_FACESIZE, L'\0');
    return key;
}

bool CProbeCache::CKey::operator==(const CKey& other) const noexcept
{
    return std::memcmp(&Lf, &other.Lf, sizeof Lf) == 0;
}

bool CProbeCache::Find(const LOGFONTW& enumerated, CStyles& styles) const
{
    const auto found = m_entries.find(CKey{Key(enumerated)});
    if (found == m_entries.end())
        return false;
    styles = found->second.Styles;
    return true;
}

void CProbeCache::Add(const LOGFONTW& enumerated, CStyles styles, DWORD type)
{
    m_entries[CKey{Key(enumerated)}] = CEntry{styles & AllStyles, type & AllTypes};
    m_changed = true;
}

void CProbeCache::Remove(const LOGFONTW& enumerated)
{
    if (m_entries.erase(CKey{Key(enumerated)}) != 0)
        m_changed = true;
}

void CProbeCache::Clear() noexcept
{
    m_entries.clear();
    m_changed = false;
}

}  // namespace gvt
