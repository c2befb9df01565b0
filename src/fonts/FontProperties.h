// What the properties of a font tell: its names, version, makers, licence,
// embedding permissions, format, glyph count, declared coverage and files,
// each on a labelled line in the program's language.
#pragma once

#include "fontdata/NameTable.h"

#include <windows.h>

#include <string>
#include <vector>

namespace gvt {

// The raw facts, read once from the system; the tables stay as the font
// has them, so that only the bounded readers look into them.
struct CFontFacts {
    std::wstring FaceName;
    std::vector<unsigned char> Name, Os2, Head, Maxp;
    bool TrueTypeOutlines = false;
    bool PostScriptOutlines = false;
    bool Raster = false;
    bool Type1 = false;
    std::vector<std::wstring> Files;
};

// The facts of the font GDI selects for the row's style.
CFontFacts ReadFontFacts(const LOGFONTW& lf);

// Japanese when the program speaks it (its string tables follow the
// user's interface language), English otherwise.
ENameLanguage InterfaceNameLanguage();

// One "label: value" line for each fact, a line for each file and, when
// the font comes from files the user added, one for each of those; lines
// end with CR LF. A fact a table does not give reads "unknown".
std::wstring PropertiesText(const CFontFacts& facts, const std::vector<std::wstring>& addedFiles,
                            ENameLanguage language);

}  // namespace gvt
