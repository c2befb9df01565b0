// What the catalogue lists by: the character set and vertical faces it
// enumerates, the font type, the size every record carries, and the weight
// and italic filters. The dialog's settings hold these among much else; the
// catalogue needs no more than this.
#pragma once

#include "settings/FontEnums.h"

namespace gvt {

struct CFontFilter {
    int CharSet = 0;
    int Tategaki = 0;
    FontType3 Type = FontType3::UNDEF;
    int Size = 0;
    FontWeight4 Weight = FontWeight4::UNDEF;
    FontItalic3 Italic = FontItalic3::UNDEF;
};

}  // namespace gvt
