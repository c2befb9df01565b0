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

int CALLBACK CollectCharSet(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM context)
{
    // Nothing may unwind through the system's enumeration; a choice that
    // cannot be stored is left out.
    try {
        const auto* extended = reinterpret_cast<const ENUMLOGFONTEXW*>(font);
        auto choice = boost::shared_ptr<CCharSet>(new CCharSet(CharSetOfFont(*font, extended->elfScript)));
        InsertCharSet(*reinterpret_cast<CCharSetChoices*>(context), choice);
    } catch (...) {
        LogCaughtException(L"character-set enumeration");
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

CCharSetChoices EnumCharSets(HDC dc)
{
    CCharSetChoices choices;
    LOGFONTW request = {};
    request.lfCharSet = DEFAULT_CHARSET;
    ::EnumFontFamiliesExW(dc, &request, CollectCharSet, reinterpret_cast<LPARAM>(&choices), 0);
    return choices;
}

}  // namespace gvt
