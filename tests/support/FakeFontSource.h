// A scripted font source: a fixed list of faces, each with the styles that
// the "system" renders unchanged, and counters of what the catalogue asked.
#pragma once

#include "fonts/FontSource.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace gvt::test {

// A set of the eighteen standard styles: weights 100..900, upright or italic.
using CStyleSet = std::uint32_t;

constexpr CStyleSet Style(LONG weight, bool italic) noexcept
{
    return CStyleSet{1} << ((weight / 100 - 1) * 2 + (italic ? 1 : 0));
}
constexpr CStyleSet Upright(LONG weight) noexcept { return Style(weight, false); }
constexpr CStyleSet Italic(LONG weight) noexcept { return Style(weight, true); }
constexpr CStyleSet Both(LONG weight) noexcept { return Upright(weight) | Italic(weight); }

// A LOGFONTW as the enumeration reports it: the name, the character set and
// distinctive values in the fields the catalogue keeps as enumerated.
LOGFONTW EnumeratedFont(const wchar_t* faceName, BYTE charSet);

struct CFakeFace {
    LOGFONTW Lf;
    DWORD Type;
    // Styles rendered as asked. Any other weight is rendered as the face's
    // lowest style weight; a weight it has only the other way up comes back
    // with the italic state flipped. An empty set: no font can be created.
    CStyleSet Styles;
};

class CFakeFontSource : public CFontSource {
public:
    void AddFace(const LOGFONTW& lf, DWORD type, CStyleSet styles) { Faces.push_back(CFakeFace{lf, type, styles}); }
    void AddFace(const wchar_t* faceName, BYTE charSet, DWORD type, CStyleSet styles)
    {
        AddFace(EnumeratedFont(faceName, charSet), type, styles);
    }

    void Open() override;
    void Close() noexcept override;
    void Enumerate(BYTE charSet, CFontSink& sink) override;
    bool Probe(const LOGFONTW& lf, CRenderedStyle& style) override;
    // Changes with any change of the faces.
    std::uint64_t Fingerprint() override;
    std::uint64_t FilesFingerprint() override { return Files; }
    // One choice per character set of the faces, named by its number.
    CCharSetChoices CharSets() override;

    std::vector<CFakeFace> Faces;

    // What the catalogue did.
    int Opens = 0;
    int Closes = 0;
    int CallsWhileClosed = 0;
    std::vector<BYTE> EnumeratedCharSets;
    std::size_t ProbeCount = 0;
    int Fingerprints = 0;
    bool RecordProbes = true;
    std::vector<LOGFONTW> Probes;

    // The probe with this number (1 = the first) throws; 0 never.
    std::size_t ThrowAtProbe = 0;
    // This many of the next probes fail, as when the system could create no
    // font for a moment.
    std::size_t FailingProbes = 0;
    // Every probe takes this long (ms); every probe of the face with this
    // name throws.
    DWORD ProbeDelay = 0;
    std::wstring ThrowingFace;
    // Called with the probe's number (1 = the first) before it is answered.
    std::function<void(std::size_t)> AtProbe;
    // What the registered font files fingerprint to.
    std::uint64_t Files = 1;

private:
    const CFakeFace* Find(const LOGFONTW& lf) const noexcept;

    bool m_open = false;
    const CFakeFace* m_current = nullptr;
};

}  // namespace gvt::test
