// A thread nobody waits for: the window's thread never blocks on a worker, so
// the worker keeps whatever it shares alive itself and ends on its own.
#pragma once

#include <functional>

namespace gvt {

// Runs `work` on a detached thread; an exception that leaves it is logged
// with `what` and then `failed` runs on that thread. False, logged, when no
// thread could be started; nothing runs then.
bool StartWorkerThread(std::function<void()> work, std::function<void()> failed, const wchar_t* what);

}  // namespace gvt
