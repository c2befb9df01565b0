// What a font's "OS/2" table says about its use: how it may be embedded in
// documents, its maker's vendor id, and the Unicode ranges and code pages it
// declares to cover.
#pragma once

#include "fontdata/ByteReader.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace gvt {

// The usage permission of embedding, from the most restricted up.
enum class EEmbedding { Restricted, PreviewAndPrint, Editable, Installable };

struct COs2Table {
    std::uint16_t FsType;
    // Four letters, trailing blanks and zeros taken off.
    std::wstring VendorId;
    std::array<std::uint32_t, 4> UnicodeRanges;
    // Declared from table version 1 on.
    std::optional<std::array<std::uint32_t, 2>> CodePageRanges;

    // Several permission bits at once (which fonts should not set) grant
    // the least restricted of them.
    EEmbedding Embedding() const noexcept;
    bool NoSubsetting() const noexcept { return (FsType & 0x100) != 0; }
    bool BitmapOnly() const noexcept { return (FsType & 0x200) != 0; }
};

// Nothing for a table too short for the fields up to the vendor id.
std::optional<COs2Table> ReadOs2Table(CByteReader os2);

}  // namespace gvt
