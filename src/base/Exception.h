// The program's exceptions: each carries its final user text, formatted from
// a string resource when it is raised.
#pragma once

#include "base/SimpleErr.h"

#include <exception>
#include <string>

// A system error code as HRESULT: positive codes get the Win32 facility.
constexpr HRESULT HResultFromWin32(long code) noexcept
{
    return code > 0 ? static_cast<HRESULT>(0x80070000UL | (static_cast<unsigned long>(code) & 0xFFFFUL))
                    : static_cast<HRESULT>(code);
}

// HRESULT of the calling thread's last error.
HRESULT LastErrorResult() noexcept;

namespace my {

class CException : public std::exception, public CSimpleErr {
public:
    // The resource text without arguments; id 0 gives an empty text.
    explicit CException(UINT id);
    // The system text of the code as the one argument.
    CException(UINT id, HRESULT code);
    // The system text of the code, then a.
    CException(UINT id, HRESULT code, const std::wstring& a);
    CException(UINT id, const std::wstring& a);
    CException(UINT id, const std::wstring& a, const std::wstring& b);
    explicit CException(const CSimpleErr& err);

    // A value that does not fit the type it is converted to; `from` and `to`
    // are only the names the message shows.
    static CException CastError(const std::wstring& from, const std::wstring& to, const std::wstring& value);

    ~CException() override = default;

    // The message as UTF-8, for whoever handles it as a std::exception.
    const char* what() const noexcept override;

private:
    mutable std::string m_what;
};

// An input error, with the control whose input caused it.
class CCtrlException : public CException {
public:
    CCtrlException() : CException(0U) {}
    CCtrlException(const CException& e, HWND control) : CException(e), Control(control) {}

    void Clear()
    {
        CSimpleErr::Clear();
        Control = nullptr;
    }

    HWND Control = nullptr;
};

// A failed COM call, by its HRESULT.
class CComException {
public:
    explicit CComException(HRESULT hr) noexcept : Result(hr) {}
    HRESULT Result;
};

}  // namespace my
