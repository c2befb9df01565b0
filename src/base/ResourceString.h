// Loading string resources by id and formatting messages from them.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

// Fills target with the string resource id of the program's module; raises
// my::CException 58646 when it is missing and 58647 when it is too long.
void LoadResourceString(std::wstring& target, UINT id);

// LoadStringW's shape, so that the growth rule can be driven by a fake.
using StringLoader = int (*)(UINT id, wchar_t* buffer, int size);
// LoadStringW on the program's module.
int LoadModuleString(UINT id, wchar_t* buffer, int size);
// The texts of the loader's own errors, 58646 and 58647, come from messages,
// or are fixed English texts when it lacks them as well: they are never
// loaded through the path that failed, so a missing string cannot recurse.
void LoadResourceString(std::wstring& target, UINT id, StringLoader loader, StringLoader messages = LoadModuleString);

// Convenience form of LoadResourceString.
std::wstring ResourceString(UINT id);

// Formats the resource id with up to five arguments: each "%s" takes the next
// argument (a missing one gives nothing), "%%" gives "%". The result is cut at
// the format's length + 1023 units.
void FormatMessageText(std::wstring& target, UINT id, std::initializer_list<std::wstring> args = {});

// The substitution itself, on a format already loaded.
std::wstring SubstituteArguments(const std::wstring& format, std::initializer_list<std::wstring> args);
