// The module whose resources the program loads: the executable itself.
#pragma once

#include <windows.h>

namespace gvt {

HINSTANCE ModuleInstance() noexcept;

}  // namespace gvt
