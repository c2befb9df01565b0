#include "commands/CommandProperties.h"

#include "commands/FontListOwner.h"
#include "commands/PropertiesDlg.h"

namespace gvt {

void CCommandProperties::Execute(bool run)
{
    if (!run)
        return;
    const CLogFontPtr font = RequireSelectedFont();
    CPropertiesDlg dialog(*font, FontListOwner()->AddedFilesOf(*font), Msg());
    dialog.DoModal(FontListOwner()->Window());
}

}  // namespace gvt
