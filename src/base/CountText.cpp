#include "base/CountText.h"

#include "base/ResourceString.h"

#include <windows.h>

namespace gvt {

std::wstring CountText(std::size_t count)
{
    const std::wstring digits = std::to_wstring(count);
    wchar_t separator[8] = L",";
    ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, ARRAYSIZE(separator));
    wchar_t decimal[] = L".";
    NUMBERFMTW format{};
    format.Grouping = 3;
    // Without it, zero has no digit at all.
    format.LeadingZero = 1;
    format.lpDecimalSep = decimal;
    format.lpThousandSep = separator;
    format.NegativeOrder = 1;
    wchar_t text[64];
    if (::GetNumberFormatW(LOCALE_USER_DEFAULT, 0, digits.c_str(), &format, text, ARRAYSIZE(text)) == 0)
        return digits;
    return text;
}

std::wstring CountPhrase(std::size_t count, UINT one, UINT many)
{
    if (count == 1)
        return ResourceString(one);
    std::wstring text;
    FormatMessageText(text, many, {CountText(count)});
    return text;
}

}  // namespace gvt
