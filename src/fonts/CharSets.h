// The (character set, vertical writing) pairs that the installed fonts offer,
// as the character-set box lists them.
#pragma once

#include "fonts/FontFingerprint.h"

#include <windows.h>

#include <boost/shared_ptr.hpp>

#include <string>
#include <vector>

namespace gvt {

// One choice of the character-set box.
struct CCharSet {
    int Tategaki = 0;  // 1 for the vertical-writing ("@") faces of the set
    int CharSet = 0;   // 0-255
    std::wstring Name; // the script name, with "@" appended for vertical writing
};

using CCharSetChoices = std::vector<boost::shared_ptr<CCharSet>>;

// The choice one enumerated (face, character set) pair stands for.
CCharSet CharSetOfFont(const LOGFONTW& font, const wchar_t* script);

// Inserts keeping the choices sorted by CharSet, the horizontal entry before
// its vertical twin; a pair already present keeps its first name and the new
// choice is dropped (false).
bool InsertCharSet(CCharSetChoices& choices, const boost::shared_ptr<CCharSet>& choice);

// Every (character set, vertical writing) pair of the fonts installed now,
// enumerated on `dc` for all faces in all character sets. With `digest`, that
// digest becomes the one of this enumeration (see FontFingerprint.h), or
// empty when it could not be made.
CCharSetChoices EnumCharSets(HDC dc, CFontDigest* digest = nullptr);

}  // namespace gvt
