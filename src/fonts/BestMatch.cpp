#include "fonts/BestMatch.h"

#include "fontdata/FaceName.h"
#include "fonts/LogFont.h"

#include <string_view>

namespace gvt {

namespace {

struct CSplitName {
    bool Vertical;
    std::wstring_view Base;
};

CSplitName Split(const LOGFONTW& lf) noexcept
{
    std::wstring_view name = FaceName(lf);
    const bool vertical = IsVerticalFace(lf.lfFaceName);
    if (vertical)
        name.remove_prefix(1);
    return CSplitName{vertical, name};
}

// Only A-Z fold, as in the "C" locale: the user's locale must not decide
// whether a recorded face is found again.
wchar_t FoldAscii(wchar_t c) noexcept
{
    return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool SameBaseName(std::wstring_view a, std::wstring_view b) noexcept
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i]))
            return false;
    }
    return true;
}

constexpr int kSameKind = 200;
constexpr int kTwin = 100;

int Score(const LOGFONTW& candidate, const LOGFONTW& wanted, const CSplitName& wantedName) noexcept
{
    const CSplitName name = Split(candidate);
    if (!SameBaseName(name.Base, wantedName.Base))
        return 0;
    int score = name.Vertical == wantedName.Vertical ? kSameKind : kTwin;
    score += candidate.lfStrikeOut == wanted.lfStrikeOut;
    score += candidate.lfUnderline == wanted.lfUnderline;
    score += candidate.lfItalic == wanted.lfItalic;
    score += candidate.lfWeight == wanted.lfWeight;
    score += candidate.lfHeight == wanted.lfHeight;
    return score;
}

}  // namespace

int FindBestMatch(const CLogFontList& list, const LOGFONTW& wanted)
{
    if (wanted.lfFaceName[0] == L'\0')
        return -1;
    const CSplitName wantedName = Split(wanted);
    int best = -1;
    int bestScore = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const int score = Score(*list[i], wanted, wantedName);
        if (score > bestScore) {
            bestScore = score;
            best = static_cast<int>(i);
        }
    }
    return bestScore < kTwin ? -1 : best;
}

}  // namespace gvt
