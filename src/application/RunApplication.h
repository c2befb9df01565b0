// The process entry's work: platform services up, the run, services down.
#pragma once

namespace gvt {

// Starts OLE and the window framework, runs the application, stops them
// again in reverse order. Returns the process exit code, always 0.
int RunProcess();

// The run itself: settings, commands, the main dialog, save. Returns 0.
int RunApplication();

}  // namespace gvt
