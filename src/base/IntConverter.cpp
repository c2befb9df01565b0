#include "base/IntConverter.h"

#include "base/Exception.h"
#include "resources/resource.h"

#include <boost/regex.hpp>

namespace {

const wchar_t kSignedPattern[] = L"^((?:\\+?|-?)[0-9]+)(?:\\.?|\\.([0-9]+))$";
const wchar_t kUnsignedPattern[] = L"^(\\+?[0-9]+)(?:\\.?|\\.([0-9]+))$";

// Base-10 conversion of "[+-]digits" that saturates instead of overflowing.
int Saturate(const std::wstring& digits)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < digits.size() && (digits[i] == L'+' || digits[i] == L'-')) {
        negative = digits[i] == L'-';
        ++i;
    }
    long long magnitude = 0;
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    for (; i < digits.size(); ++i) {
        magnitude = magnitude * 10 + (digits[i] - L'0');
        if (magnitude > limit) {
            magnitude = limit;
            break;
        }
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

bool Parse(const wchar_t* pattern, const std::wstring& text, int& value)
{
    // Perl syntax: "^" and "$" also match at line breaks, so the first line
    // that is a number as a whole supplies it.
    const boost::wregex re(pattern);
    boost::wsmatch m;
    if (!boost::regex_search(text, m, re))
        return false;
    value = Saturate(m[1].str());
    return true;
}

}  // namespace

bool ParseSignedNumber(const std::wstring& text, int& value)
{
    return Parse(kSignedPattern, text, value);
}

bool ParseUnsignedNumber(const std::wstring& text, int& value)
{
    return Parse(kUnsignedPattern, text, value);
}

std::wstring CIntConverter<int, 0, 0>::ToText(int value) const
{
    return std::to_wstring(value);
}

int CIntConverter<int, 0, 0>::FromText(const std::wstring& text) const
{
    int value = 0;
    if (!ParseSignedNumber(text, value))
        throw my::CException(IDS_ERR_NUMBER_FORMAT, text);
    if (value < Min)
        throw my::CException(IDS_ERR_NUMBER_TOO_SMALL, text);
    if (value > Max)
        throw my::CException(IDS_ERR_NUMBER_TOO_LARGE, text);
    return value;
}
