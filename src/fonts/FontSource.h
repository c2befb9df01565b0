// What the font catalogue needs from the system: the faces of one character
// set, and how a font is really rendered once created. The GDI implementation
// is CGdiFontSource; tests script their own.
#pragma once

#include "fonts/CharSets.h"

#include <windows.h>

#include <cstdint>
#include <functional>

namespace gvt {

// Receives the enumerated faces.
class CFontSink {
public:
    // lf as enumerated; fontType carries the RASTER_FONTTYPE and TRUETYPE_FONTTYPE bits.
    virtual void OnFace(const LOGFONTW& lf, DWORD fontType) = 0;

protected:
    ~CFontSink() = default;
};

// Weight and italic state of a created font as the system reports them.
struct CRenderedStyle {
    LONG Weight = 0;
    bool Italic = false;
};

class CFontSource {
public:
    virtual ~CFontSource() = default;

    // Takes what enumerating and probing need for one reload (the screen
    // device context) and gives it back; Close is called on every path.
    virtual void Open() = 0;
    virtual void Close() noexcept = 0;

    // Reports every face of the character set, DEFAULT_CHARSET reporting each
    // face once per character set it supports. An exception thrown by the sink
    // ends the enumeration and leaves this call.
    virtual void Enumerate(BYTE charSet, CFontSink& sink) = 0;

    // Creates the font and reads its rendered style; false when no font
    // results or its metrics cannot be read.
    virtual bool Probe(const LOGFONTW& lf, CRenderedStyle& style) = 0;

    // A value that changes whenever the installed fonts change, telling
    // whether probe results kept from an earlier run still hold.
    virtual std::uint64_t Fingerprint() = 0;
    // A value that is quick to take and changes too whenever fonts are
    // installed or removed: whether showing the kept results at once is
    // worth it before Fingerprint confirms them.
    virtual std::uint64_t FilesFingerprint() = 0;

    // The (character set, vertical writing) pairs of all faces, as the
    // character-set box offers them.
    virtual CCharSetChoices CharSets() = 0;

    // Work the source does on threads of its own ends once `cancelled` says
    // so, rather than taking the processor from a window that is closing.
    virtual void StopWhen(std::function<bool()> cancelled) { static_cast<void>(cancelled); }
};

// Keeps a source open for one scope.
class COpenFontSource {
public:
    explicit COpenFontSource(CFontSource& source) : m_source(source) { m_source.Open(); }
    COpenFontSource(const COpenFontSource&) = delete;
    COpenFontSource& operator=(const COpenFontSource&) = delete;
    ~COpenFontSource() { m_source.Close(); }

private:
    CFontSource& m_source;
};

}  // namespace gvt
