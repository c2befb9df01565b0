#include "base/CaptureErrors.h"

#include "base/ResourceString.h"
#include "base/SystemErrorText.h"
#include "resources/resource.h"

#include <boost/regex/pattern_except.hpp>

#include <cstring>

namespace {

struct RegexMessage {
    int code;
    UINT id;
};

constexpr RegexMessage kRegexMessages[] = {
    {boost::regex_constants::error_bad_pattern, IDS_ERR_REGEX_BAD_PATTERN},
    {boost::regex_constants::error_collate, IDS_ERR_REGEX_COLLATE},
    {boost::regex_constants::error_ctype, IDS_ERR_REGEX_CTYPE},
    {boost::regex_constants::error_escape, IDS_ERR_REGEX_ESCAPE},
    {boost::regex_constants::error_backref, IDS_ERR_REGEX_BACKREF},
    {boost::regex_constants::error_brack, IDS_ERR_REGEX_BRACK},
    {boost::regex_constants::error_paren, IDS_ERR_REGEX_PAREN},
    {boost::regex_constants::error_brace, IDS_ERR_REGEX_BRACE},
    {boost::regex_constants::error_badbrace, IDS_ERR_REGEX_BADBRACE},
    {boost::regex_constants::error_range, IDS_ERR_REGEX_RANGE},
    {boost::regex_constants::error_space, IDS_ERR_REGEX_SPACE},
    {boost::regex_constants::error_badrepeat, IDS_ERR_REGEX_BADREPEAT},
    {boost::regex_constants::error_complexity, IDS_ERR_REGEX_COMPLEXITY},
    {boost::regex_constants::error_stack, IDS_ERR_REGEX_STACK},
};

void Record(CSimpleErr& err, UINT id, HRESULT code, std::initializer_list<std::wstring> args)
{
    err.MessageId = id;
    err.Code = code;
    FormatMessageText(err.Message, id, args);
}

void Copy(CSimpleErr& err, const CSimpleErr& from)
{
    err.MessageId = from.MessageId;
    err.Code = from.Code;
    err.Message = from.Message;
}

void Translate(CSimpleErr& err, HWND* control)
{
    try {
        throw;
    } catch (const my::CCtrlException& e) {
        Copy(err, e);
        if (control)
            *control = e.Control;
    } catch (const my::CException& e) {
        Copy(err, e);
    } catch (const boost::regex_error& e) {
        const UINT id = RegexErrorMessageId(e.code());
        if (id != 0)
            Record(err, id, 0, {});
        else
            Record(err, IDS_ERR_REGEX, 0, {WidenWhat(e.what())});
    } catch (const std::exception& e) {
        Record(err, IDS_ERR_STD_EXCEPTION, 0, {WidenWhat(e.what())});
    } catch (const my::CComException& e) {
        Record(err, IDS_ERR_ATL_EXCEPTION, e.Result, {SystemErrorText(e.Result)});
    } catch (...) {
        Record(err, IDS_ERR_UNKNOWN_EXCEPTION, 0, {});
    }
}

}  // namespace

namespace detail {

void TranslateCurrentException(CSimpleErr& err, HWND* control) noexcept
{
    if (control)
        *control = nullptr;
    try {
        Translate(err, control);
    } catch (const my::CException& e) {
        // The message of the error could not be formatted (a string resource
        // is missing): that failure is what the user gets to see.
        Copy(err, e);
    } catch (...) {
        err.MessageId = IDS_ERR_UNKNOWN_EXCEPTION;
        err.Code = E_OUTOFMEMORY;
        err.Message.clear();
    }
}

}  // namespace detail

UINT RegexErrorMessageId(int code) noexcept
{
    for (const RegexMessage& m : kRegexMessages)
        if (m.code == code)
            return m.id;
    return 0;
}

std::wstring WidenWhat(const char* what)
{
    std::wstring wide;
    if (!what)
        return wide;
    const std::size_t n = std::min<std::size_t>(std::strlen(what), 255);
    wide.reserve(n);
    for (std::size_t i = 0; i < n; ++i)
        wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(what[i])));
    return wide;
}
