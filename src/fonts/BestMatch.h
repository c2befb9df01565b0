// Finding a recorded font again in a freshly enumerated list, where the same
// style may now have another character set or only its vertical (or
// horizontal) twin may be listed.
#pragma once

#include "fonts/LogFont.h"

#include <windows.h>

namespace gvt {

// The position of the record that best matches `wanted`, or -1 when no
// record has its face (compared without the "@" of vertical faces and
// without letter case) or its face name is empty. A face of the same kind
// beats its twin; then the most equal style fields (strike-out, underline,
// italic, weight, height) win, the first of equals.
int FindBestMatch(const CLogFontList& list, const LOGFONTW& wanted);

}  // namespace gvt
