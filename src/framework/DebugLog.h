// One line for the debugger about an exception that a barrier caught and did
// not pass on: where it was caught and what it was; or about something the
// program chose not to do. Seen in a debugger or with WINEDEBUG=+debugstr.
#pragma once

#include <exception>
#include <string>

namespace gvt {

// The line LogCaughtException writes for `error`, caught at `where`.
std::wstring CaughtExceptionLine(const wchar_t* where, const std::exception_ptr& error);

// Call only inside a catch block: writes the line for the exception being
// handled through OutputDebugStringW.
void LogCaughtException(const wchar_t* where) noexcept;

// Writes "Glyvanter: " and the text as one line.
void LogLine(const std::wstring& text) noexcept;

}  // namespace gvt
