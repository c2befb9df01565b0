#include "base/WorkerThread.h"

#include "framework/DebugLog.h"

#include <string>
#include <system_error>
#include <thread>
#include <utility>

namespace gvt {

bool StartWorkerThread(std::function<void()> work, std::function<void()> failed, const wchar_t* what)
{
    try {
        std::thread([work = std::move(work), failed = std::move(failed), what] {
            try {
                work();
            } catch (...) {
                LogCaughtException(what);
                try {
                    if (failed)
                        failed();
                } catch (...) {
                    LogCaughtException(what);
                }
            }
        }).detach();
        return true;
    } catch (const std::system_error&) {
        LogCaughtException((std::wstring(L"starting ") + what).c_str());
        return false;
    }
}

}  // namespace gvt
