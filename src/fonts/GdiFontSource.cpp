#include "fonts/GdiFontSource.h"

#include "framework/DebugLog.h"

#include <exception>
#include <system_error>

namespace gvt {

namespace {

struct CEnumContext {
    CFontSink& Sink;
    std::exception_ptr Error;
};

// An exception must not unwind through GDI's frames: it is kept, the
// enumeration stopped, and the exception thrown again once GDI has returned.
int CALLBACK EnumProc(const LOGFONTW* lf, const TEXTMETRICW*, DWORD fontType, LPARAM lParam)
{
    auto& context = *reinterpret_cast<CEnumContext*>(lParam);
    try {
        context.Sink.OnFace(*lf, fontType);
        return 1;
    } catch (...) {
        context.Error = std::current_exception();
        return 0;
    }
}

}  // namespace

void CGdiFontSource::Open()
{
    m_screen.emplace(nullptr);
}

void CGdiFontSource::Close() noexcept
{
    m_screen.reset();
}

void CGdiFontSource::Enumerate(BYTE charSet, CFontSink& sink)
{
    if (!m_screen || !*m_screen)
        return;
    LOGFONTW filter{};
    filter.lfCharSet = charSet;
    CEnumContext context{sink, nullptr};
    ::EnumFontFamiliesExW(m_screen->get(), &filter, EnumProc, reinterpret_cast<LPARAM>(&context), 0);
    if (context.Error)
        std::rethrow_exception(context.Error);
}

bool CGdiFontSource::Probe(const LOGFONTW& lf, CRenderedStyle& style)
{
    if (!m_screen || !*m_screen)
        return false;
    const HDC dc = m_screen->get();
    CUniqueFont font(::CreateFontIndirectW(&lf));
    if (!font)
        return false;
    TEXTMETRICW metrics;
    const CSelectObject selected(dc, font.get());
    if (!::GetTextMetricsW(dc, &metrics))
        return false;
    style.Weight = metrics.tmWeight;
    style.Italic = metrics.tmItalic != 0;
    return true;
}

std::uint64_t CGdiFontSource::Fingerprint()
{
    if (!m_screen || !*m_screen)
        return 0;
    CFontDigest digest = m_enumerated;
    if (digest.Empty())
        AddEnumeratedFonts(m_screen->get(), digest);
    digest.Add(Files());
    return digest.Value();
}

std::uint64_t CGdiFontSource::FilesFingerprint()
{
    CFontDigest stamp;
    AddFontsStamp(stamp);
    return stamp.Value();
}

CCharSetChoices CGdiFontSource::CharSets()
{
    if (!m_screen || !*m_screen)
        return {};
    ReadFilesMeanwhile();
    return EnumCharSets(m_screen->get(), &m_enumerated);
}

CGdiFontSource::~CGdiFontSource()
{
    if (m_filesReading.joinable())
        m_filesReading.join();
}

void CGdiFontSource::ReadFilesMeanwhile()
{
    if (m_files || m_filesReading.joinable())
        return;
    try {
        m_filesReading = std::thread([this, cancelled = m_cancelled] {
            try {
                CFontDigest files;
                if (AddRegisteredFonts(files, cancelled))
                    m_filesRead = std::move(files);
            } catch (...) {
                LogCaughtException(L"reading the registered font files");
            }
        });
    } catch (const std::system_error&) {
        LogCaughtException(L"reading the registered font files on a thread of their own");
    }
}

const CFontDigest& CGdiFontSource::Files()
{
    if (m_filesReading.joinable()) {
        m_filesReading.join();
        m_files = std::move(m_filesRead);
    }
    if (!m_files) {
        m_files.emplace();
        AddRegisteredFonts(*m_files);
    }
    return *m_files;
}

}  // namespace gvt
