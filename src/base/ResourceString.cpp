#include "base/ResourceString.h"

#include "base/Exception.h"
#include "base/SystemErrorText.h"
#include "framework/ModuleInstance.h"
#include "resources/resource.h"

#include <cstddef>

int LoadModuleString(UINT id, wchar_t* buffer, int size)
{
    return ::LoadStringW(gvt::ModuleInstance(), id, buffer, size);
}

namespace {

constexpr std::size_t kMaxArguments = 5;
constexpr std::size_t kFormatReserve = 1024;

// The loader's own two messages, for when their strings are missing too.
const wchar_t kMissingFallback[] = L"Resource string is missing - %s\n\nID: %s";
const wchar_t kTooLongFallback[] = L"Resource string data is too long\n\nID: %s";

enum class LoadResult { Loaded, Missing, TooLong };

// Fills target; on failure empties it and, for a missing string, keeps the
// system's reason in code.
LoadResult TryLoad(std::wstring& target, UINT id, StringLoader loader, HRESULT& code)
{
    std::size_t size = 256;
    for (;;) {
        target.resize(size);
        const int n = loader(id, &target[0], static_cast<int>(size));
        if (n <= 0) {
            code = LastErrorResult();
            target.clear();
            return LoadResult::Missing;
        }
        // LoadStringW cuts to size - 1 units, so a full buffer may hide more.
        if (static_cast<std::size_t>(n) < size - 1) {
            target.resize(static_cast<std::size_t>(n));
            return LoadResult::Loaded;
        }
        if (size > 0x10000) {
            target.clear();
            return LoadResult::TooLong;
        }
        size *= 10;
    }
}

// The error of the loader itself, formatted without raising another one.
my::CException LoaderError(UINT messageId, HRESULT code, const wchar_t* fallback, StringLoader loader,
                           std::initializer_list<std::wstring> args)
{
    CSimpleErr err;
    err.MessageId = messageId;
    err.Code = code;
    std::wstring format;
    HRESULT ignored = S_OK;
    if (TryLoad(format, messageId, loader, ignored) != LoadResult::Loaded)
        format = fallback;
    err.Message = SubstituteArguments(format, args);
    return my::CException(err);
}

}  // namespace

void LoadResourceString(std::wstring& target, UINT id, StringLoader loader, StringLoader messages)
{
    HRESULT code = S_OK;
    switch (TryLoad(target, id, loader, code)) {
    case LoadResult::Loaded:
        return;
    case LoadResult::Missing:
        throw LoaderError(IDS_ERR_STRING_MISSING, code, kMissingFallback, messages,
                          {SystemErrorText(code), std::to_wstring(id)});
    case LoadResult::TooLong:
        throw LoaderError(IDS_ERR_STRING_TOO_LONG, 0, kTooLongFallback, messages, {std::to_wstring(id)});
    }
}

void LoadResourceString(std::wstring& target, UINT id)
{
    LoadResourceString(target, id, LoadModuleString);
}

std::wstring ResourceString(UINT id)
{
    std::wstring s;
    LoadResourceString(s, id);
    return s;
}

std::wstring SubstituteArguments(const std::wstring& format, std::initializer_list<std::wstring> args)
{
    const std::size_t budget = format.size() + kFormatReserve - 1;
    std::wstring out;
    out.reserve(format.size());
    auto next = args.begin();
    std::size_t used = 0;
    for (std::size_t i = 0; i < format.size() && out.size() < budget; ++i) {
        const wchar_t c = format[i];
        if (c == L'%' && i + 1 < format.size()) {
            const wchar_t conversion = format[i + 1];
            if (conversion == L's') {
                ++i;
                if (next != args.end() && used < kMaxArguments) {
                    out.append(*next);
                    ++next;
                    ++used;
                }
                continue;
            }
            if (conversion == L'%') {
                ++i;
                out.push_back(L'%');
                continue;
            }
        }
        out.push_back(c);
    }
    if (out.size() > budget)
        out.resize(budget);
    return out;
}

void FormatMessageText(std::wstring& target, UINT id, std::initializer_list<std::wstring> args)
{
    std::wstring format;
    LoadResourceString(format, id);
    target = SubstituteArguments(format, args);
}
