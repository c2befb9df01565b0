// The system's own description of a status code.
#pragma once

#include <windows.h>

#include <string>

std::wstring SystemErrorText(HRESULT code);
