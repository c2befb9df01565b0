#include "fonts/AddedSummary.h"

#include "base/CountText.h"
#include "base/ResourceString.h"
#include "resources/resource.h"

namespace gvt {

namespace {

// The first few missing paths are named; the rest only counted as skipped.
constexpr std::size_t kNamedMissing = 3;

}  // namespace

std::wstring AddedStatusText(const CAddedSummary& summary)
{
    std::wstring named;
    const std::wstring folders = CountPhrase(summary.Folders, IDS_COUNT_FOLDER, IDS_COUNT_FOLDERS);
    const std::wstring files = CountPhrase(summary.NamedFiles, IDS_COUNT_FILE, IDS_COUNT_FILES);
    if (summary.Folders > 0 && summary.NamedFiles > 0)
        FormatMessageText(named, IDS_ADDED_BOTH, {folders, files});
    else
        named = summary.Folders > 0 ? folders : files;
    std::wstring text;
    FormatMessageText(text, IDS_ADDED_STATUS,
                      {named, CountPhrase(summary.Faces, IDS_COUNT_FONT, IDS_COUNT_FONTS),
                       CountPhrase(summary.Files, IDS_COUNT_FILE, IDS_COUNT_FILES)});
    std::wstring part;
    if (summary.Skipped > 0) {
        FormatMessageText(part, IDS_ADDED_SKIPPED, {CountPhrase(summary.Skipped, IDS_COUNT_FILE, IDS_COUNT_FILES)});
        text += part;
    }
    if (!summary.Missing.empty()) {
        std::wstring paths;
        for (std::size_t i = 0; i < summary.Missing.size() && i < kNamedMissing; ++i)
            paths += (i ? L", " : L"") + summary.Missing[i];
        if (summary.Missing.size() > kNamedMissing)
            paths += L", ...";
        FormatMessageText(part, IDS_ADDED_NOT_FOUND, {paths});
        text += part;
    }
    return text;
}

}  // namespace gvt
