#include "support/FakeFontSource.h"

#include <boost/make_shared.hpp>

#include <cwchar>
#include <string>

namespace gvt::test {

LOGFONTW EnumeratedFont(const wchar_t* faceName, BYTE charSet)
{
    LOGFONTW lf{};
    lf.lfHeight = 16;
    lf.lfWidth = 7;
    lf.lfEscapement = 0;
    lf.lfOrientation = 0;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = charSet;
    lf.lfOutPrecision = OUT_STROKE_PRECIS;
    lf.lfClipPrecision = CLIP_STROKE_PRECIS;
    lf.lfQuality = DRAFT_QUALITY;
    lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    std::wcsncpy(lf.lfFaceName, faceName, LF_FACESIZE - 1);
    return lf;
}

void CFakeFontSource::Open()
{
    ++Opens;
    m_open = true;
}

void CFakeFontSource::Close() noexcept
{
    ++Closes;
    m_open = false;
}

void CFakeFontSource::Enumerate(BYTE charSet, CFontSink& sink)
{
    if (!m_open)
        ++CallsWhileClosed;
    EnumeratedCharSets.push_back(charSet);
    for (const CFakeFace& face : Faces) {
        if (charSet != DEFAULT_CHARSET && face.Lf.lfCharSet != charSet)
            continue;
        m_current = &face;
        sink.OnFace(face.Lf, face.Type);
    }
    m_current = nullptr;
}

bool CFakeFontSource::Probe(const LOGFONTW& lf, CRenderedStyle& style)
{
    if (!m_open)
        ++CallsWhileClosed;
    if (++ProbeCount == ThrowAtProbe)
        throw std::runtime_error("probe");
    if (AtProbe)
        AtProbe(ProbeCount);
    if (ProbeDelay)
        ::Sleep(ProbeDelay);
    if (!ThrowingFace.empty() && ThrowingFace == lf.lfFaceName)
        throw std::runtime_error("damaged face");
    if (RecordProbes)
        Probes.push_back(lf);
    const CFakeFace* face = Find(lf);
    if (FailingProbes > 0) {
        --FailingProbes;
        return false;
    }
    if (!face || face->Styles == 0)
        return false;
    const bool italic = lf.lfItalic != 0;
    if (lf.lfWeight % 100 == 0 && lf.lfWeight >= 100 && lf.lfWeight <= 900) {
        if (face->Styles & Style(lf.lfWeight, italic)) {
            style = {lf.lfWeight, italic};
            return true;
        }
        if (face->Styles & Style(lf.lfWeight, !italic)) {
            style = {lf.lfWeight, !italic};
            return true;
        }
    }
    const int lowest = __builtin_ctz(face->Styles) / 2;
    style = {(lowest + 1) * 100, italic};
    return true;
}

std::uint64_t CFakeFontSource::Fingerprint()
{
    if (!m_open)
        ++CallsWhileClosed;
    ++Fingerprints;
    std::uint64_t hash = 14695981039346656037ull;
    const auto add = [&](const void* data, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i)
            hash = (hash ^ static_cast<const unsigned char*>(data)[i]) * 1099511628211ull;
    };
    for (const CFakeFace& face : Faces) {
        add(&face.Lf, sizeof face.Lf);
        add(&face.Type, sizeof face.Type);
        add(&face.Styles, sizeof face.Styles);
    }
    return hash;
}

CCharSetChoices CFakeFontSource::CharSets()
{
    CCharSetChoices choices;
    for (const CFakeFace& face : Faces)
        InsertCharSet(choices, boost::make_shared<CCharSet>(CharSetOfFont(face.Lf, std::to_wstring(face.Lf.lfCharSet).c_str())));
    return choices;
}

const CFakeFace* CFakeFontSource::Find(const LOGFONTW& lf) const noexcept
{
    const auto same = [&](const CFakeFace& face) {
        return face.Lf.lfCharSet == lf.lfCharSet && std::wcscmp(face.Lf.lfFaceName, lf.lfFaceName) == 0;
    };
    if (m_current && same(*m_current))
        return m_current;
    for (const CFakeFace& face : Faces)
        if (same(face))
            return &face;
    return nullptr;
}

}  // namespace gvt::test
