#include "framework/FaultPolicy.h"

#include "framework/ProcAddress.h"

#include <cwchar>
#include <iterator>

namespace gvt {

namespace {

bool InProgramImage(const void* address) noexcept
{
    const auto* base = reinterpret_cast<const unsigned char*>(::GetModuleHandleW(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const auto* at = static_cast<const unsigned char*>(address);
    return at >= base && at < base + nt->OptionalHeader.SizeOfImage;
}

LONG CALLBACK EndOnProgramFault(EXCEPTION_POINTERS* info)
{
    const EXCEPTION_RECORD& record = *info->ExceptionRecord;
    if (!IsHardwareFault(record.ExceptionCode) || !InProgramImage(record.ExceptionAddress))
        return EXCEPTION_CONTINUE_SEARCH;
    // No allocation here: the heap may be what is damaged.
    wchar_t line[96];
    std::swprintf(line, std::size(line), L"Glyvanter: fault %08lx at %p; ending\n",
                  static_cast<unsigned long>(record.ExceptionCode), record.ExceptionAddress);
    ::OutputDebugStringW(line);
    ::TerminateProcess(::GetCurrentProcess(), record.ExceptionCode);
    return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

bool IsHardwareFault(DWORD code) noexcept
{
    switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
    case EXCEPTION_DATATYPE_MISALIGNMENT:
    case EXCEPTION_FLT_DIVIDE_BY_ZERO:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_IN_PAGE_ERROR:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_INT_OVERFLOW:
    case EXCEPTION_PRIV_INSTRUCTION:
    case EXCEPTION_STACK_OVERFLOW:
        return true;
    default:
        return false;
    }
}

void EndProcessOnProgramFaults() noexcept
{
    static const bool installed = [] {
        using CGetPolicy = BOOL(WINAPI*)(LPDWORD);
        using CSetPolicy = BOOL(WINAPI*)(DWORD);
        // Windows 7 SP1 on; the flag's value is the documented one.
        constexpr DWORD kCallbackFilterEnabled = 0x1;
        const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
        const auto getPolicy = ProcAddress<CGetPolicy>(kernel, "GetProcessUserModeExceptionPolicy");
        const auto setPolicy = ProcAddress<CSetPolicy>(kernel, "SetProcessUserModeExceptionPolicy");
        DWORD flags = 0;
        if (getPolicy && setPolicy && getPolicy(&flags))
            setPolicy(flags & ~kCallbackFilterEnabled);
        return ::AddVectoredExceptionHandler(1, EndOnProgramFault) != nullptr;
    }();
    static_cast<void>(installed);
}

}  // namespace gvt
