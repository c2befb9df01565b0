#include "commands/CommandTopMost.h"

#include "commands/FontListOwner.h"
#include "settings/AppSetting.h"

#include <windows.h>

namespace gvt {

void CCommandTopMost::Execute(bool run)
{
    if (!run)
        return;
    CAppSetting& setting = *CAppSetting::Instance();
    setting.TopMost = !setting.TopMost;
    if (CFontListOwner* owner = FontListOwner())
        ::SetWindowPos(owner->Window(), setting.TopMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace gvt
