// The names the program gives to font styles and filter values: the four
// named-value tables, the italic word, and the caption of a font record.
#pragma once

#include "base/NamedInts.h"

#include <windows.h>

#include <string>

// Built during static initialisation, read-only afterwards.
extern const CNamedInts FontTypeNames;
extern const CNamedInts FontWeightFilterNames;
extern const CNamedInts FontItalicNames;
extern const CNamedInts WeightNames;

// Display name of a font weight: the table name for 100, 200, ..., 900, the
// decimal text for every other weight.
std::wstring WeightName(int weight);

namespace gvt {

// String 58439, loaded during static initialisation like the weight names.
const std::wstring& ItalicWord();

// The face name, which may fill the whole array without a terminator.
std::wstring FaceNameOf(const LOGFONTW& lf);

// Face name, weight name and, for italic styles, the italic word, joined by
// ", ". The caption of a list row and the text of "copy with style".
std::wstring FontCaption(const LOGFONTW& lf);

}  // namespace gvt
