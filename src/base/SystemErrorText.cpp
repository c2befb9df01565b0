#include "base/SystemErrorText.h"

#include "base/TrimBlank.h"
#include "framework/UniqueHandle.h"

std::wstring SystemErrorText(HRESULT code)
{
    DWORD number = static_cast<DWORD>(code);
    // Facility 8 (FACILITY_WINDOWS) codes are looked up, and named when
    // unknown, by their low word alone.
    if ((number & 0x1FFF0000UL) == 0x00080000UL)
        number &= 0xFFFFUL;

    std::wstring text;
    wchar_t* buffer = nullptr;
    const DWORD n = ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER, nullptr, number,
                                     MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    gvt::CUniqueHLocal owner(buffer);
    if (n != 0 && buffer)
        text.assign(buffer, n);
    else {
        wchar_t hex[16];
        ::wsprintfW(hex, L"%lx", static_cast<unsigned long>(number));
        text = L"Unknown HRESULT: ";
        text += hex;
    }

    return TrimBlank(text);
}
