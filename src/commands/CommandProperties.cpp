#include "commands/CommandProperties.h"

#include "base/Exception.h"
#include "commands/FontListOwner.h"
#include "commands/PropertiesDlg.h"
#include "resources/resource.h"

namespace gvt {

void CCommandProperties::Execute(bool run)
{
    if (!run)
        return;
    CFontListOwner* owner = FontListOwner();
    const CLogFontPtr font = owner ? owner->SelectedFont() : CLogFontPtr();
    if (!font)
        throw my::CException(IDS_NO_SELECTION);
    CPropertiesDlg dialog(*font, owner->AddedFilesOf(*font), Msg());
    dialog.DoModal(owner->Window());
}

}  // namespace gvt
