#include "commands/CommandTopMost.h"

#include "commands/FontListOwner.h"
#include "framework/Window.h"
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
        CWindowW(owner->Window()).SetTopMost(setting.TopMost);
}

}  // namespace gvt
