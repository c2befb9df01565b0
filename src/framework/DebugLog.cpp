#include "framework/DebugLog.h"

#include <windows.h>

#include <typeinfo>

namespace gvt {

namespace {

const wchar_t kLinePrefix[] = L"Glyvanter: ";

// what() texts are UTF-8 where the program writes them; other bytes of a
// library's text come through as they can.
std::wstring FromUtf8(const char* text)
{
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    if (length <= 1)
        return std::wstring();
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text, -1, &wide[0], length);
    wide.resize(static_cast<std::size_t>(length - 1));
    return wide;
}

}  // namespace

std::wstring CaughtExceptionLine(const wchar_t* where, const std::exception_ptr& error)
{
    std::wstring line = kLinePrefix;
    line += where;
    line += L" caught ";
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        line += FromUtf8(typeid(e).name());
        line += L": ";
        line += FromUtf8(e.what());
    } catch (...) {
        line += L"an exception of unknown type";
    }
    line += L'\n';
    return line;
}

void LogCaughtException(const wchar_t* where) noexcept
{
    try {
        ::OutputDebugStringW(CaughtExceptionLine(where, std::current_exception()).c_str());
    } catch (...) {
        // Not even the line could be built: say at least where.
        ::OutputDebugStringW(L"Glyvanter: an exception was caught and its description failed\n");
    }
}

void LogLine(const std::wstring& text) noexcept
{
    try {
        ::OutputDebugStringW((kLinePrefix + text + L'\n').c_str());
    } catch (...) {
        ::OutputDebugStringW(L"Glyvanter: a line could not be built\n");
    }
}

}  // namespace gvt
