// What probing found for each enumerated face: which of the eighteen
// standard styles (weights 100 to 900, upright and italic) the system renders
// exactly as asked, and the face's font type, so that a list can be made from
// the cache alone. A face found here is not probed again.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <unordered_map>

namespace gvt {

class CProbeCache {
public:
    // One bit per style; bit (weight / 100 - 1) * 2, plus one for italic.
    using CStyles = std::uint32_t;
    static constexpr CStyles Style(LONG weight, bool italic) noexcept
    {
        return CStyles{1} << ((weight / 100 - 1) * 2 + (italic ? 1 : 0));
    }
    static constexpr CStyles AllStyles = (CStyles{1} << 18) - 1;

    // The key is everything the probes see of a face: the enumerated LOGFONT
    // with width, weight and italic cleared, and nothing after the end of
    // the face name.
    static LOGFONTW Key(const LOGFONTW& enumerated) noexcept;

    // The font type bits the cache keeps (RASTER_, DEVICE_ and TRUETYPE_FONTTYPE).
    static constexpr DWORD AllTypes = RASTER_FONTTYPE | DEVICE_FONTTYPE | TRUETYPE_FONTTYPE;

    struct CEntry {
        CStyles Styles = 0;
        DWORD Type = 0;
    };

    // False when the face has not been probed.
    bool Find(const LOGFONTW& enumerated, CStyles& styles) const;
    // Keeps what probing found; styles outside AllStyles and type bits
    // outside AllTypes are ignored.
    void Add(const LOGFONTW& enumerated, CStyles styles, DWORD type);
    // Forgets a face that is gone, so that it is probed again if it comes back.
    void Remove(const LOGFONTW& enumerated);
    void Clear() noexcept;

    std::size_t Size() const noexcept { return m_entries.size(); }
    // Whether anything was added since the last MarkSaved.
    bool Changed() const noexcept { return m_changed; }
    void MarkSaved() noexcept { m_changed = false; }

    // f(key, entry) for every entry, in no particular order.
    template <typename F>
    void ForEach(F&& f) const
    {
        for (const auto& entry : m_entries)
            f(entry.first.Lf, entry.second);
    }

private:
    struct CKey {
        LOGFONTW Lf;
        bool operator==(const CKey& other) const noexcept;
    };
    struct CHashKey {
        std::size_t operator()(const CKey& key) const noexcept
        {
            return std::hash<std::string_view>()(
                std::string_view(reinterpret_cast<const char*>(&key.Lf), sizeof key.Lf));
        }
    };

    std::unordered_map<CKey, CEntry, CHashKey> m_entries;
    bool m_changed = false;
};

}  // namespace gvt
