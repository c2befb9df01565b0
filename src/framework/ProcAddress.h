// A function of a system library looked up by name, for one that older
// systems lack or a library loaded only when needed.
#pragma once

#include <windows.h>

namespace gvt {

// Null when the module or the function is not there. FARPROC's own type
// matches no real function, so the cast goes through a plain one.
template <typename Function>
Function ProcAddress(HMODULE module, const char* name) noexcept
{
    return module ? reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name))) : nullptr;
}

}  // namespace gvt
