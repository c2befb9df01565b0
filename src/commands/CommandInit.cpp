#include "commands/CommandInit.h"

#include "base/ResourceString.h"
#include "commands/CommandTable.h"
#include "resources/resource.h"
#include "settings/AppInfo.h"
#include "settings/AppSetting.h"
#include "settings/SettingsFile.h"

namespace gvt {

void CCommandInit::Execute(bool run)
{
    if (!run)
        return;
    CAppInfo::Instance().Init();
    if (!LoadSettingsAtStart())
        return;
    if (CCommandTable* table = CCommandTable::Instance())
        table->Quit()->SetSkipSave(false);
    // Added last to first, so that the list starts with the first of them.
    CMruStrings& texts = CAppSetting::Instance()->FontListDlg.SampleTexts;
    for (const UINT id : {IDS_SAMPLE_MIXED, IDS_SAMPLE_SYMBOLS, IDS_SAMPLE_LOWER, IDS_SAMPLE_UPPER})
        texts.Add(ResourceString(id));
}

}  // namespace gvt
