#include "commands/FontListOwner.h"

namespace gvt {

namespace {
CFontListOwner* g_owner = nullptr;
}

CFontListOwner* FontListOwner() noexcept
{
    return g_owner;
}

void SetFontListOwner(CFontListOwner* owner) noexcept
{
    g_owner = owner;
}

}  // namespace gvt
