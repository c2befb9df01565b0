#include "fonts/FontReading.h"

#include "fonts/FontCatalogue.h"
#include "framework/DebugLog.h"

#include <system_error>
#include <thread>
#include <utility>

namespace gvt {

void CFontReading::Cancel() noexcept
{
    m_cancelled.store(true);
}

CReadNews CFontReading::Take()
{
    const std::lock_guard<std::mutex> lock(m_lock);
    CReadNews news = std::move(m_news);
    m_news = CReadNews{};
    m_news.Done = news.Done;
    m_news.Total = news.Total;
    m_told = false;
    return news;
}

void CFontReading::CacheFileRead(CCacheFileRead read)
{
    std::unique_lock<std::mutex> lock(m_lock);
    m_news.CacheFile = std::move(read);
    Notify(lock, true);
}

void CFontReading::CharSetsFound(CCharSetChoices choices)
{
    std::unique_lock<std::mutex> lock(m_lock);
    m_news.CharSets = std::move(choices);
    Notify(lock, true);
}

void CFontReading::Fingerprinted(std::uint64_t fingerprint, bool stale)
{
    std::unique_lock<std::mutex> lock(m_lock);
    m_news.Fingerprint = fingerprint;
    m_news.Stale = m_news.Stale || stale;
    Notify(lock, true);
}

void CFontReading::Counted(std::size_t total)
{
    std::unique_lock<std::mutex> lock(m_lock);
    m_news.Total = total;
    Notify(lock, false);
}

void CFontReading::Found(const CFoundFace& face)
{
    std::unique_lock<std::mutex> lock(m_lock);
    m_news.Faces.push_back(face);
    ++m_news.Done;
    Notify(lock, false);
}

void CFontReading::Skipped()
{
    std::unique_lock<std::mutex> lock(m_lock);
    ++m_news.Done;
    Notify(lock, false);
}

void CFontReading::Finish()
{
    std::unique_lock<std::mutex> lock(m_lock);
    m_news.Finished = true;
    Notify(lock, true);
}

void CFontReading::Notify(std::unique_lock<std::mutex>& lock, bool now)
{
    if (m_told || m_cancelled.load() || !m_notify)
        return;
    const DWORD tick = ::GetTickCount();
    if (!now && tick - m_lastTold < kBatchInterval)
        return;
    m_told = true;
    m_lastTold = tick;
    lock.unlock();
    m_notify();
}

CProbeCache::CStyles ProbeStyles(CFontSource& source, const LOGFONTW& enumerated, bool& answered,
                                 const std::function<bool()>& giveUp)
{
    // Every style at the nine standard weights, upright and italic, counts
    // when the system renders it with exactly the weight and italic state
    // asked for.
    LOGFONTW lf = enumerated;
    lf.lfWidth = 0;
    CProbeCache::CStyles styles = 0;
    for (LONG weight = FW_THIN; weight <= FW_HEAVY; weight += FW_THIN) {
        for (const BYTE italic : {BYTE{0}, BYTE{255}}) {
            if (giveUp && giveUp()) {
                answered = false;
                return styles;
            }
            lf.lfWeight = weight;
            lf.lfItalic = italic;
            CRenderedStyle rendered;
            if (!source.Probe(lf, rendered))
                answered = false;
            else if (rendered.Weight == weight && rendered.Italic == (italic != 0))
                styles |= CProbeCache::Style(weight, italic != 0);
        }
    }
    return styles;
}

namespace {

struct CFaceCollector final : CFontSink {
    DWORD Mask = 0;
    std::vector<std::pair<LOGFONTW, DWORD>> Faces;

    void OnFace(const LOGFONTW& lf, DWORD fontType) override
    {
        if (!CFontCatalogue::Excludes(Mask, lf, fontType))
            Faces.emplace_back(lf, fontType);
    }
};

// The cache file, if it matches this program and the registered font files,
// handed over at once; Known then holds it until the fingerprint confirms it.
void StartProgram(CFontSource& source, CReadJob& job, CFontReading& reading)
{
    CProbeCacheStamp stamp;
    stamp.ProgramVersion = job.ProgramVersion;
    CCacheFileRead read;
    std::uint64_t written = 0;
    bool matches = false;
    if (!job.CacheFile.empty()) {
        read.Files = stamp.Files = source.FilesFingerprint();
        matches = ReadProbeCache(job.CacheFile, stamp, read.Cache, read.Names, &written);
    }
    if (matches)
        job.Known = read.Cache;
    reading.CacheFileRead(std::move(read));
    if (reading.Cancelled())
        return;
    reading.CharSetsFound(source.CharSets());
    if (job.CacheFile.empty() || reading.Cancelled())
        return;
    const std::uint64_t fingerprint = source.Fingerprint();
    const bool stale = !matches || fingerprint != written;
    if (stale)
        job.Known.Clear();
    reading.Fingerprinted(fingerprint, stale);
}

}  // namespace

void ReadFonts(CFontSource& source, CReadJob job, CFontReading& reading)
{
    struct CFinish {
        CFontReading& Reading;
        ~CFinish() { Reading.Finish(); }
    } const finish{reading};
    const COpenFontSource open(source);
    if (job.Start)
        StartProgram(source, job, reading);
    if (reading.Cancelled())
        return;

    CFaceCollector collector;
    collector.Mask = job.Mask;
    source.Enumerate(job.CharSet, collector);
    reading.Counted(collector.Faces.size());

    for (const auto& [lf, type] : collector.Faces) {
        if (reading.Cancelled())
            return;
        CFoundFace face;
        face.Lf = lf;
        face.Type = type;
        if (job.Known.Find(lf, face.Styles)) {
            reading.Found(face);
            continue;
        }
        // A probe that failed (no font, no metrics) says nothing about the
        // face: the face is listed with what the other probes found and
        // probed again next time. A face that throws or hangs is left out.
        const DWORD started = ::GetTickCount();
        bool slow = false;
        const auto giveUp = [&] {
            slow = slow || ::GetTickCount() - started > job.SlowFaceLimit;
            return slow || reading.Cancelled();
        };
        try {
            bool answered = true;
            face.Styles = ProbeStyles(source, lf, answered, giveUp);
            face.Probed = answered;
        } catch (...) {
            LogCaughtException((L"probing the face " + std::wstring(lf.lfFaceName)).c_str());
            reading.Skipped();
            continue;
        }
        if (reading.Cancelled())
            return;
        if (slow) {
            LogLine(L"skipped the face " + std::wstring(lf.lfFaceName) + L": probing it took too long");
            reading.Skipped();
            continue;
        }
        if (face.Probed)
            job.Known.Add(lf, face.Styles, type);
        reading.Found(face);
    }
}

bool StartReadingThread(std::function<std::unique_ptr<CFontSource>()> makeSource, CReadJob job,
                        const std::shared_ptr<CFontReading>& reading)
{
    try {
        std::thread([makeSource = std::move(makeSource), job = std::move(job), reading]() mutable {
            try {
                const std::unique_ptr<CFontSource> source = makeSource();
                ReadFonts(*source, std::move(job), *reading);
            } catch (...) {
                LogCaughtException(L"the font reading thread");
                reading->Finish();
            }
        }).detach();
        return true;
    } catch (const std::system_error&) {
        LogCaughtException(L"starting the font reading thread");
        return false;
    }
}

}  // namespace gvt
