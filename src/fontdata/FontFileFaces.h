// The face names GDI lists for a font file, read from the file's bytes: for
// TrueType and OpenType files and collections the family names (name id 1)
// of the Windows platform in every language, for raster files the face
// names of their font resources.
#pragma once

#include "fontdata/ByteReader.h"

#include <string>
#include <vector>

namespace gvt {

// Each name once; empty for bytes that are no font file. `faces`, when
// given, receives how many faces the file holds (a face with names in two
// languages is one).
std::vector<std::wstring> FontFileFaceNames(const CByteReader& file, std::size_t* faces = nullptr);

}  // namespace gvt
