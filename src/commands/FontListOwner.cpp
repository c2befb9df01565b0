#include "commands/FontListOwner.h"

#include "base/Exception.h"
#include "resources/resource.h"

namespace gvt {

namespace {
CFontListOwner* g_owner = nullptr;
}

CFontListOwner* FontListOwner() noexcept
{
    return g_owner;
}

CLogFontPtr RequireSelectedFont()
{
    CLogFontPtr font = g_owner ? g_owner->SelectedFont() : CLogFontPtr();
    if (!font)
        throw my::CException(IDS_NO_SELECTION);
    return font;
}

void SetFontListOwner(CFontListOwner* owner) noexcept
{
    g_owner = owner;
}

}  // namespace gvt
