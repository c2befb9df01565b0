#include "commands/CommandCopy.h"

#include "commands/Clipboard.h"
#include "commands/FontListOwner.h"
#include "fonts/FontNames.h"

namespace gvt {

void CCommandCopy::Execute(bool run)
{
    if (!run)
        return;
    const CLogFontPtr font = RequireSelectedFont();
    SetClipboardText(FontListOwner()->Window(), TextOf(*font, m_withStyle));
}

std::wstring CCommandCopy::TextOf(const LOGFONTW& font, bool withStyle)
{
    // The same text as the row's caption.
    return withStyle ? FontCaption(font) : FaceNameOf(font);
}

}  // namespace gvt
