// What the commands need of the main dialog: its window, the font in the
// selected row and the added files its face comes from. The dialog registers itself once; commands reach it only here.
#pragma once

#include "fonts/LogFont.h"

#include <windows.h>

#include <string>
#include <vector>

namespace gvt {

class CFontListOwner {
public:
    virtual HWND Window() const = 0;
    // Empty when no row is selected.
    virtual CLogFontPtr SelectedFont() const = 0;
    // The added font files that hold the font's face, in the order added;
    // empty for a face that comes from no added file.
    virtual std::vector<std::wstring> AddedFilesOf(const LOGFONTW& font) const = 0;

protected:
    ~CFontListOwner() = default;
};

// The registered dialog; null before it registers.
CFontListOwner* FontListOwner() noexcept;
// The font of the registered dialog's selected row; throws the "no item
// selected" error when there is none, so that the dialog is there after.
CLogFontPtr RequireSelectedFont();
void SetFontListOwner(CFontListOwner* owner) noexcept;

}  // namespace gvt
