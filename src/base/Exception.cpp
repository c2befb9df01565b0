#include "base/Exception.h"

#include "base/ResourceString.h"
#include "base/SystemErrorText.h"
#include "resources/resource.h"

HRESULT LastErrorResult() noexcept
{
    return HResultFromWin32(static_cast<long>(::GetLastError()));
}

namespace my {

namespace {
void Fill(CSimpleErr& err, UINT id, HRESULT code)
{
    err.MessageId = id;
    err.Code = code;
}
}  // namespace

CException::CException(UINT id)
{
    Fill(*this, id, 0);
    if (id != 0)
        FormatMessageText(Message, id);
}

CException::CException(UINT id, HRESULT code)
{
    Fill(*this, id, code);
    FormatMessageText(Message, id, {SystemErrorText(code)});
}

CException::CException(UINT id, HRESULT code, const std::wstring& a)
{
    Fill(*this, id, code);
    FormatMessageText(Message, id, {SystemErrorText(code), a});
}

CException::CException(UINT id, const std::wstring& a)
{
    Fill(*this, id, 0);
    FormatMessageText(Message, id, {a});
}

CException::CException(UINT id, const std::wstring& a, const std::wstring& b)
{
    Fill(*this, id, 0);
    FormatMessageText(Message, id, {a, b});
}

CException::CException(const CSimpleErr& err) : CSimpleErr(err) {}

const char* CException::what() const noexcept
{
    try {
        const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, Message.c_str(), -1, nullptr, 0, nullptr, nullptr);
        m_what.assign(bytes > 0 ? static_cast<std::size_t>(bytes) : 1U, '\0');
        if (bytes > 0)
            ::WideCharToMultiByte(CP_UTF8, 0, Message.c_str(), -1, &m_what[0], bytes, nullptr, nullptr);
        return m_what.c_str();
    } catch (...) {
        return "my::CException";
    }
}

CException CException::CastError(const std::wstring& from, const std::wstring& to, const std::wstring& value)
{
    CSimpleErr err;
    err.MessageId = IDS_ERR_CAST;
    FormatMessageText(err.Message, IDS_ERR_CAST, {from, to, value});
    return CException(err);
}

}  // namespace my
