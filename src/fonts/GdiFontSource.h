// The font source on GDI: the screen device context, EnumFontFamiliesExW and
// CreateFontIndirectW with GetTextMetricsW. Each source takes its own device
// context, so a worker thread can read fonts with a source of its own.
#pragma once

#include "fonts/FontFingerprint.h"
#include "fonts/FontSource.h"
#include "framework/UniqueHandle.h"

#include <optional>
#include <thread>
#include <utility>

namespace gvt {

class CGdiFontSource : public CFontSource {
public:
    CGdiFontSource() = default;
    ~CGdiFontSource() override;
    CGdiFontSource(const CGdiFontSource&) = delete;
    CGdiFontSource& operator=(const CGdiFontSource&) = delete;

    // Takes the screen device context with GetDC(NULL); Close releases it.
    void Open() override;
    void Close() noexcept override;

    void Enumerate(BYTE charSet, CFontSink& sink) override;
    bool Probe(const LOGFONTW& lf, CRenderedStyle& style) override;
    // Every face of every character set with its metrics, and the font files
    // registered for the machine and the user (see FontFingerprint.h). The
    // enumeration CharSets made, if any, is taken instead of a new one.
    std::uint64_t Fingerprint() override;
    // The fonts keys and the Fonts folder (AddFontsStamp).
    std::uint64_t FilesFingerprint() override;
    // Reads the registered font files for the fingerprint meanwhile, on a
    // thread of their own: it is no font work, which the first enumeration
    // holds up for seconds under Wine with thousands of fonts.
    CCharSetChoices CharSets() override;
    void StopWhen(std::function<bool()> cancelled) override { m_cancelled = std::move(cancelled); }

private:
    void ReadFilesMeanwhile();
    const CFontDigest& Files();

    std::optional<CClientDC> m_screen;
    CFontDigest m_enumerated;
    std::optional<CFontDigest> m_files;
    std::function<bool()> m_cancelled;
    // The thread reading them, and what it read, once it is joined.
    std::thread m_filesReading;
    std::optional<CFontDigest> m_filesRead;
};

}  // namespace gvt
