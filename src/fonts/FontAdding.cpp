#include "fonts/FontAdding.h"

#include "base/WorkerThread.h"
#include "fontdata/ByteReader.h"
#include "fontdata/FontFileFaces.h"
#include "fonts/FontFileWalk.h"
#include "framework/DebugLog.h"
#include "framework/UniqueHandle.h"

#include <windows.h>

#include <algorithm>
#include <utility>

namespace gvt {

namespace {

// The whole file, up to kMaxFaceFileSize; empty when it is longer or
// cannot be read.
std::vector<unsigned char> ReadFontFile(const std::wstring& path)
{
    std::vector<unsigned char> bytes;
    CUniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    LARGE_INTEGER size;
    if (!file || !::GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0 ||
        static_cast<unsigned long long>(size.QuadPart) > kMaxFaceFileSize)
        return bytes;
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        const DWORD asked = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        if (!::ReadFile(file.get(), bytes.data() + done, asked, &read, nullptr) || read == 0)
            return {};
        done += read;
    }
    return bytes;
}

// The system's name for the file: the short form where it fits, the long
// form only where it must.
std::wstring SystemPath(const std::wstring& longPath)
{
    const std::wstring path = ShortPath(longPath);
    return path.size() < MAX_PATH ? path : longPath;
}

void Remove(const std::vector<std::wstring>& files, CFontAdding& adding)
{
    for (const std::wstring& file : files) {
        if (adding.Cancelled())
            return;
        const bool removed = ::RemoveFontResourceExW(SystemPath(file).c_str(), FR_PRIVATE, nullptr) != FALSE;
        adding.Hand(
            [&](CAddNews& news) {
                news.Removed += removed ? 1 : 0;
                ++news.Done;
            },
            false);
    }
}

// Hands the file to the system; true when it took it.
bool Add(const std::wstring& file, CFontAdding& adding)
{
    bool taken = false;
    try {
        taken = ::AddFontResourceExW(SystemPath(file).c_str(), FR_PRIVATE, nullptr) > 0;
    } catch (...) {
        LogCaughtException((L"adding the font file " + file).c_str());
    }
    adding.Hand(
        [&](CAddNews& news) {
            news.Skipped += taken ? 0 : 1;
            ++news.Done;
        },
        false);
    return taken;
}

// The faces of the files taken, read from the files. Asked to stop, the
// files not read yet are still handed over, with no faces known, so that
// they can be removed again.
void ReadFaces(std::vector<std::wstring> files, CFontAdding& adding)
{
    for (std::wstring& path : files) {
        CAddedFile added;
        added.Path = std::move(path);
        if (!adding.Stopping()) {
            try {
                ReadFacesOfFile(added);
            } catch (...) {
                LogCaughtException((L"reading the faces of the font file " + added.Path).c_str());
            }
        }
        adding.Hand([&](CAddNews& news) { news.Added.push_back(std::move(added)); }, false);
    }
}

}  // namespace

void ReadFacesOfFile(CAddedFile& file)
{
    const std::vector<unsigned char> bytes = ReadFontFile(file.Path);
    file.Faces = FontFileFaceNames(CByteReader(bytes.data(), bytes.size()), &file.FaceCount);
}

void ChangeFontFiles(const CAddJob& job, CFontAdding& adding)
{
    struct CFinish {
        CFontAdding& Adding;
        ~CFinish() { Adding.Finish(); }
    } const finish{adding};
    adding.Hand([&](CAddNews& news) { news.Total = job.Remove.size(); }, true);
    Remove(job.Remove, adding);

    CFontFileList list;
    for (const std::wstring& path : job.Add) {
        if (adding.Stopping())
            break;
        CollectFontFiles(path, list, [&] { return adding.Stopping(); });
    }
    adding.Hand(
        [&](CAddNews& news) {
            news.Total += list.Files.size();
            news.Skipped += list.Missing.size() + list.Unreadable;
            news.Missing = list.Missing;
            news.Folders = list.Folders;
            news.NamedFiles = list.NamedFiles;
        },
        true);
    // The files are all loaded first, so that the fonts can be read again
    // while their faces are read from the files here.
    std::vector<std::wstring> taken;
    for (const std::wstring& file : list.Files) {
        if (adding.Stopping())
            break;
        if (!Add(file, adding))
            continue;
        taken.push_back(file);
        if (job.GiveWay && taken.size() % kGiveWayFiles == 0)
            job.GiveWay();
    }
    adding.Hand([](CAddNews& news) { news.Loaded = true; }, true);
    ReadFaces(std::move(taken), adding);
}

bool StartAddingThread(CAddJob job, const std::shared_ptr<CFontAdding>& adding)
{
    return StartWorkerThread([job = std::move(job), adding] { ChangeFontFiles(job, *adding); },
                             [adding] { adding->Finish(); }, L"the font adding thread");
}

}  // namespace gvt
