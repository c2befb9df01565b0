// The font source on GDI: the screen device context, EnumFontFamiliesExW and
// CreateFontIndirectW with GetTextMetricsW.
#pragma once

#include "fonts/FontSource.h"
#include "framework/UniqueHandle.h"

#include <optional>

namespace gvt {

class CGdiFontSource : public CFontSource {
public:
    // Takes the screen device context with GetDC(NULL); Close releases it.
    void Open() override;
    void Close() noexcept override;

    void Enumerate(BYTE charSet, CFontSink& sink) override;
    bool Probe(const LOGFONTW& lf, CRenderedStyle& style) override;
    // Every face of every character set with its metrics, and the font files
    // registered for the machine and the user (see FontFingerprint.h).
    std::uint64_t Fingerprint() override;

private:
    std::optional<CClientDC> m_screen;
};

}  // namespace gvt
