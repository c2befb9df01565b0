#include "commands/CommandQuit.h"

#include "base/CaptureErrors.h"
#include "settings/SettingsFile.h"

namespace gvt {

void CCommandQuit::Execute(bool run)
{
    if (!run || m_skipSave)
        return;
    CSimpleErr err;
    CaptureErrors([] { SaveSettingsAtExit(); }, err);
    if (err.HasError())
        Msg().ShowError(err);
}

}  // namespace gvt
