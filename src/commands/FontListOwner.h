// What the commands need of the main dialog: its window and the font in the
// selected row. The dialog registers itself once; commands reach it only here.
#pragma once

#include "fonts/LogFont.h"

#include <windows.h>

namespace gvt {

class CFontListOwner {
public:
    virtual HWND Window() const = 0;
    // Empty when no row is selected.
    virtual CLogFontPtr SelectedFont() const = 0;

protected:
    ~CFontListOwner() = default;
};

// The registered dialog; null before it registers.
CFontListOwner* FontListOwner() noexcept;
void SetFontListOwner(CFontListOwner* owner) noexcept;

}  // namespace gvt
