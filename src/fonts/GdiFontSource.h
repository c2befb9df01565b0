// The font source on GDI: the screen device context, EnumFontFamiliesExW and
// CreateFontIndirectW with GetTextMetricsW.
#pragma once

#include "fonts/FontSource.h"
#include "framework/UniqueHandle.h"

#include <optional>

namespace gvt {

class CFontDigest;

class CGdiFontSource : public CFontSource {
public:
    // With the digest of an all-character-set enumeration just made, the
    // fingerprint need not enumerate again.
    explicit CGdiFontSource(const CFontDigest* enumerated = nullptr) noexcept : m_enumerated(enumerated) {}

    // Takes the screen device context with GetDC(NULL); Close releases it.
    void Open() override;
    void Close() noexcept override;

    void Enumerate(BYTE charSet, CFontSink& sink) override;
    bool Probe(const LOGFONTW& lf, CRenderedStyle& style) override;
    // Every face of every character set with its metrics, and the font files
    // registered for the machine and the user (see FontFingerprint.h).
    std::uint64_t Fingerprint() override;

private:
    const CFontDigest* m_enumerated;
    std::optional<CClientDC> m_screen;
};

}  // namespace gvt
