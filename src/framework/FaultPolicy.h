// A hardware fault in the program's own code (an access violation, a
// division by zero) ends the process, wherever it happens. 64-bit Windows
// swallows such faults inside window procedures that the system calls back,
// and Wine swallows them in every callback from the window system, so a
// damaged state would otherwise go on silently.
#pragma once

#include <windows.h>

namespace gvt {

// Whether the code is one of the processor's faults, not a software
// exception such as a C++ throw.
bool IsHardwareFault(DWORD code) noexcept;

// Sets the system's policy for callbacks where it offers one, and installs a
// first handler that writes a line for the debugger and ends the process
// with the fault's code when the faulting instruction lies in the program's
// image. Faults in system libraries are left to their own handlers. Once per
// process; later calls do nothing.
void EndProcessOnProgramFaults() noexcept;

}  // namespace gvt
