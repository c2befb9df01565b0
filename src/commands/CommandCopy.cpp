#include "commands/CommandCopy.h"

#include "base/Exception.h"
#include "commands/Clipboard.h"
#include "commands/FontListOwner.h"
#include "fonts/FontNames.h"
#include "resources/resource.h"


namespace gvt {

void CCommandCopy::Execute(bool run)
{
    if (!run)
        return;
    CFontListOwner* owner = FontListOwner();
    const CLogFontPtr font = owner ? owner->SelectedFont() : CLogFontPtr();
    if (!font)
        throw my::CException(IDS_NO_SELECTION);
    SetClipboardText(owner->Window(), TextOf(*font, m_withStyle));
}

std::wstring CCommandCopy::TextOf(const LOGFONTW& font, bool withStyle)
{
    // The same text as the row's caption.
    return withStyle ? FontCaption(font) : FaceNameOf(font);
}

}  // namespace gvt
