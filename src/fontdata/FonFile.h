// The face names of a raster font file (.fon): a 16-bit "NE" executable whose
// font resources each begin with a font header that points to the face name.
// Only the bytes given are read; damaged data gives fewer names, never a read
// outside them.
#pragma once

#include "fontdata/ByteReader.h"

#include <string>
#include <vector>

namespace gvt {

// Each face name once, in the order of the resources; empty for anything but
// an NE font file.
std::vector<std::wstring> FonFaceNames(const CByteReader& file);

}  // namespace gvt
