#include "fonts/CharSets.h"

#include "fonts/LogFont.h"
#include "framework/DebugLog.h"

#include <algorithm>

namespace gvt {

namespace {

bool Before(const CCharSet& a, const CCharSet& b) noexcept
{
    if (a.CharSet != b.CharSet)
        return a.CharSet < b.CharSet;
    return a.Tategaki < b.Tategaki;
}

struct CCollected {
    CCharSetChoices Choices;
    CFontDigest* Digest;
};

int CALLBACK CollectCharSet(const LOGFONTW* font, const TEXTMETRICW* metrics, DWORD type, LPARAM context)
{
    auto& collected = *reinterpret_cast<CCollected*>(context);
    // Nothing may unwind through the system's enumeration; a choice that
    // cannot be stored is left out. A digest that cannot grow is emptied and
    // given up: an empty one is never taken for the fonts'.
    try {
        const auto* extended = reinterpret_cast<const ENUMLOGFONTEXW*>(font);
        auto choice = boost::shared_ptr<CCharSet>(new CCharSet(CharSetOfFont(*font, extended->elfScript)));
        InsertCharSet(collected.Choices, choice);
    } catch (...) {
        LogCaughtException(L"character-set enumeration");
    }
    try {
        if (collected.Digest)
            AddEnumeratedFace(*collected.Digest, *font, *metrics, type);
    } catch (...) {
        LogCaughtException(L"font digest of the character-set enumeration");
        *collected.Digest = CFontDigest();
        collected.Digest = nullptr;
    }
    return TRUE;
}

}  // namespace

CCharSet CharSetOfFont(const LOGFONTW& font, const wchar_t* script)
{
    CCharSet choice;
    choice.Tategaki = IsVerticalFace(font.lfFaceName) ? 1 : 0;
    choice.CharSet = font.lfCharSet;
    choice.Name = script;
    if (choice.Tategaki)
        choice.Name += L'@';
    return choice;
}

bool InsertCharSet(CCharSetChoices& choices, const boost::shared_ptr<CCharSet>& choice)
{
    const auto at = std::lower_bound(choices.begin(), choices.end(), choice,
                                     [](const auto& a, const auto& b) { return Before(*a, *b); });
    if (at != choices.end() && !Before(*choice, **at))
        return false;
    choices.insert(at, choice);
    return true;
}

CCharSetChoices EnumCharSets(HDC dc, CFontDigest* digest)
{
    if (digest)
        *digest = CFontDigest();
    CCollected collected{CCharSetChoices(), digest};
    LOGFONTW request = {};
    request.lfCharSet = DEFAULT_CHARSET;
    ::EnumFontFamiliesExW(dc, &request, CollectCharSet, reinterpret_cast<LPARAM>(&collected), 0);
    return std::move(collected.Choices);
}

}  // namespace gvt
