#include "base/TrimBlank.h"

#include <cwctype>

std::wstring TrimBlank(const std::wstring& text)
{
    auto blank = [](wchar_t c) { return std::iswspace(c) || c == L'\r'; };
    std::size_t begin = 0, end = text.size();
    while (begin < end && blank(text[begin]))
        ++begin;
    while (end > begin && blank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}
