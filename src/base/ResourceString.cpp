#include "base/ResourceString.h"

#include "base/Exception.h"
#include "base/SystemErrorText.h"
#include "framework/ModuleInstance.h"
#include "resources/resource.h"

#include <cstddef>

namespace {

int LoadFromModule(UINT id, wchar_t* buffer, int size)
{
    return ::LoadStringW(gvt::ModuleInstance(), id, buffer, size);
}

constexpr std::size_t kMaxArguments = 5;
constexpr std::size_t kFormatReserve = 1024;

}  // namespace

void LoadResourceString(std::wstring& target, UINT id, StringLoader loader)
{
    std::size_t size = 256;
    for (;;) {
        target.resize(size);
        const int n = loader(id, &target[0], static_cast<int>(size));
        if (n <= 0) {
            const HRESULT hr = LastErrorResult();
            target.clear();
            throw my::CException(IDS_ERR_STRING_MISSING, hr, std::to_wstring(id));
        }
        // LoadStringW cuts to size - 1 units, so a full buffer may hide more.
        if (static_cast<std::size_t>(n) < size - 1) {
            target.resize(static_cast<std::size_t>(n));
            return;
        }
        if (size > 0x10000) {
            target.clear();
            throw my::CException(IDS_ERR_STRING_TOO_LONG, std::to_wstring(id));
        }
        size *= 10;
    }
}

void LoadResourceString(std::wstring& target, UINT id)
{
    LoadResourceString(target, id, LoadFromModule);
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
