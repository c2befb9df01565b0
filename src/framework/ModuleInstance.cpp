#include "framework/ModuleInstance.h"

namespace gvt {

HINSTANCE ModuleInstance() noexcept
{
    // The resources are linked into the executable (the program, or a test
    // program), never into a DLL, so the process module is the right one.
    static const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    return instance;
}

}  // namespace gvt
