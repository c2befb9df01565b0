// Adding font files for this process alone (AddFontResourceExW with
// FR_PRIVATE) and removing them again, on a thread of its own, in steps: the
// paths are walked (fonts/FontFileWalk.h), each file is handed to the
// system, then the faces of the files it took are read from the files. What was done
// is handed over to the window's thread a batch at a time (base/HandOver.h).
#pragma once

#include "base/HandOver.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace gvt {

// One file the system took, with the face names it holds as GDI lists them.
struct CAddedFile {
    std::wstring Path;
    std::vector<std::wstring> Faces;
    std::size_t FaceCount = 0;  // a face with names in two languages is one
};

struct CAddNews : CWorkProgress {
    // Done counts the files tried and removed, Total those to do.
    std::vector<CAddedFile> Added;
    // Every file tried is loaded or skipped: the fonts can be read again,
    // while the faces of the files loaded are still being read.
    bool Loaded = false;
    std::size_t Skipped = 0;  // files the system did not take, folders not listed, paths missing
    std::vector<std::wstring> Missing;
    std::size_t Folders = 0;
    std::size_t NamedFiles = 0;
    std::size_t Removed = 0;
};

// What one run of the worker does: the files to remove first, then the
// paths (files and folders) to add.
struct CAddJob {
    std::vector<std::wstring> Remove;
    std::vector<std::wstring> Add;
    // Waits until the window has caught up with its messages; called after
    // every kGiveWayFiles files the system took. Under Wine each font added
    // holds the system's font lock, and the adding thread takes it again
    // before the window's thread can: a window that needs it (every device
    // context made does) waited for the whole loop otherwise.
    std::function<void()> GiveWay;
};
constexpr std::size_t kGiveWayFiles = 32;

// The worker's side of the hand-over. A worker asked to stop early ends at
// its next file and still hands over, and tells of, all it did: every file
// it added is in the news. Cancel, in contrast, tells nothing more.
class CFontAdding : public CHandOver<CAddNews> {
public:
    using CHandOver::CHandOver;

    void StopEarly() noexcept { m_stopEarly.store(true); }
    bool Stopping() const noexcept { return m_stopEarly.load() || Cancelled(); }

private:
    std::atomic<bool> m_stopEarly{false};
};

// The longest file whose faces are read; a longer one is still added, with
// no faces known.
constexpr std::size_t kMaxFaceFileSize = 64u << 20;

// The face names of the file, read from it as GDI would list them, and how
// many faces it holds; none for a file that cannot be read.
void ReadFacesOfFile(CAddedFile& file);

// Runs the job on the calling thread; ends with adding.Finish().
void ChangeFontFiles(const CAddJob& job, CFontAdding& adding);

// Runs ChangeFontFiles on a thread nobody waits for. False when no thread
// could be started; nothing runs then.
bool StartAddingThread(CAddJob job, const std::shared_ptr<CFontAdding>& adding);

}  // namespace gvt
