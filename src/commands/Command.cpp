#include "commands/Command.h"

#include "base/CaptureErrors.h"
#include "base/Msg.h"
#include "framework/DebugLog.h"

namespace gvt {

void CCommand::Run() noexcept
{
    my::CCtrlException err;
    CaptureErrors([this] { Execute(true); }, err);
    if (!err.HasError())
        return;
    try {
        m_msg->ShowError(err);
    } catch (...) {
        // The error box itself failed (its title could not be loaded): there
        // is no other way left to tell the user.
        LogCaughtException(L"command");
    }
}

}  // namespace gvt
