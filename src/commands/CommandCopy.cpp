#include "commands/CommandCopy.h"

#include "commands/Clipboard.h"
#include "commands/Exception.h"
#include "commands/FontListOwner.h"
#include "commands/ItalicWord.h"
#include "controls/NamedInts.h"
#include "resources/resource.h"

#include <cwchar>

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
    std::wstring text(font.lfFaceName, ::wcsnlen(font.lfFaceName, LF_FACESIZE));
    if (withStyle) {
        text += L", ";
        text += WeightName(static_cast<int>(font.lfWeight));
        if (font.lfItalic) {
            text += L", ";
            text += ItalicWord();
        }
    }
    return text;
}

}  // namespace gvt
