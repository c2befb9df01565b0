#include "fonts/FontReading.h"

#include "base/WorkerThread.h"
#include "fonts/FontCatalogue.h"
#include "framework/DebugLog.h"

#include <utility>

namespace gvt {

void CFontReading::CacheFileRead(CCacheFileRead read)
{
    Hand([&](CReadNews& news) { news.CacheFile = std::move(read); }, true);
}

void CFontReading::CharSetsFound(CCharSetChoices choices)
{
    Hand([&](CReadNews& news) { news.CharSets = std::move(choices); }, true);
}

void CFontReading::Fingerprinted(const CFontsFingerprint& fingerprint, bool stale)
{
    Hand(
        [&](CReadNews& news) {
            news.Fingerprint = fingerprint;
            news.Stale = news.Stale || stale;
        },
        true);
}

void CFontReading::Counted(std::size_t total)
{
    Hand([&](CReadNews& news) { news.Total = total; }, false);
}

void CFontReading::Found(const CFoundFace& face)
{
    Hand(
        [&](CReadNews& news) {
            news.Faces.push_back(face);
            ++news.Done;
        },
        false);
}

void CFontReading::Skipped()
{
    Hand([](CReadNews& news) { ++news.Done; }, false);
}

void CFontReading::Completed()
{
    Hand([](CReadNews& news) { news.Complete = true; }, false);
}

namespace {

// Every style the face is probed for; answered turns false when a probe
// failed. Stops early, answered false, once `giveUp` says so.
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
            if (giveUp()) {
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


struct CFaceCollector final : CFontSink {
    DWORD Mask = 0;
    std::vector<std::pair<LOGFONTW, DWORD>> Faces;

    void OnFace(const LOGFONTW& lf, DWORD fontType) override
    {
        if (!CFontCatalogue::Excludes(Mask, lf, fontType))
            Faces.emplace_back(lf, fontType);
    }
};

// The cache file, if it matches this program and the fonts' quick stamp,
// handed over at once; Known then holds it until the fingerprint confirms it.
void StartProgram(CFontSource& source, CReadJob& job, CFontReading& reading)
{
    CProbeCacheStamp stamp;
    stamp.ProgramVersion = job.ProgramVersion;
    CCacheFileRead read;
    std::uint64_t written = 0;
    bool matches = false;
    if (!job.CacheFile.empty()) {
        stamp.Files = source.FilesFingerprint();
        matches = ReadProbeCache(job.CacheFile, stamp, read.Cache, read.Names, &written);
    }
    if (matches)
        job.Known = read.Cache;
    reading.CacheFileRead(std::move(read));
    if (job.AwaitWindow)
        reading.AwaitProceed(kAwaitWindowLimit);
    if (reading.Cancelled())
        return;
    reading.CharSetsFound(source.CharSets());
    if (job.CacheFile.empty() || reading.Cancelled())
        return;
    const CFontsFingerprint fingerprint{stamp.Files, source.Fingerprint()};
    const bool stale = !matches || fingerprint.Whole != written;
    if (stale)
        job.Known.Clear();
    reading.Fingerprinted(fingerprint, stale);
}

void Refresh(CFontSource& source, const CReadJob& job, CFontReading& reading)
{
    reading.CharSetsFound(source.CharSets());
    if (!job.CacheFile.empty() && !reading.Cancelled())
        reading.Fingerprinted({source.FilesFingerprint(), source.Fingerprint()}, false);
}

}  // namespace

void ReadFonts(CFontSource& source, CReadJob job, CFontReading& reading)
{
    struct CFinish {
        CFontReading& Reading;
        ~CFinish() { Reading.Finish(); }
    } const finish{reading};
    const COpenFontSource open(source);
    source.StopWhen([&reading] { return reading.Cancelled(); });
    // Fonts added for the process alone can bring character sets too, but
    // the list comes first: their enumeration waits until every face is read.
    const bool charSetsLast = job.Refresh && !job.RefreshFingerprint;
    if (job.Start)
        StartProgram(source, job, reading);
    else if (job.Refresh && !charSetsLast)
        Refresh(source, job, reading);
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
    if (charSetsLast)
        reading.CharSetsFound(source.CharSets());
    reading.Completed();
}

bool StartReadingThread(std::function<std::unique_ptr<CFontSource>()> makeSource, CReadJob job,
                        const std::shared_ptr<CFontReading>& reading)
{
    return StartWorkerThread(
        [makeSource = std::move(makeSource), job = std::move(job), reading]() mutable {
            const std::unique_ptr<CFontSource> source = makeSource();
            ReadFonts(*source, std::move(job), *reading);
        },
        [reading] { reading->Finish(); }, L"the font reading thread");
}

}  // namespace gvt
