// Text without the white space and carriage returns at both ends.
#pragma once

#include <string>

std::wstring TrimBlank(const std::wstring& text);
