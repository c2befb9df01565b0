// Filter and display state of the font list dialog.
#pragma once

#include "settings/FontEnums.h"
#include "settings/MruStrings.h"
#include "settings/WindowLayoutSetting.h"

#include <string>

class CFontListDlgSetting {
public:
    CFontListDlgSetting() = default;
    CFontListDlgSetting(const CFontListDlgSetting& other) { *this = other; }
    // Copies every member; the history entries are shared, not deep-copied.
    CFontListDlgSetting& operator=(const CFontListDlgSetting& other);

    int CharSet = 0;
    int Tategaki = 0;
    FontType3 Type = FontType3::UNDEF;
    int Size = 22;
    FontWeight4 Weight = FontWeight4::UNDEF;
    FontItalic3 Italic = FontItalic3::UNDEF;
    // Lists only the fonts that have a glyph for every character of the
    // sample text.
    bool GlyphFilter = false;
    std::wstring SampleText;
    CMruStrings SampleTexts{20, true};
    CWindowLayoutSetting WindowLayout;
};
