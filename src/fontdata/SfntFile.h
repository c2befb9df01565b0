// The faces a font file holds and where each face's tables lie in it: a
// plain TrueType or OpenType file holds one face, a collection one per entry
// of its header.
#pragma once

#include "fontdata/ByteReader.h"

#include <cstdint>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace gvt {

// A table's four-letter tag as the table directory stores it.
constexpr std::uint32_t TableTag(const char (&name)[5]) noexcept
{
    return (std::uint32_t{static_cast<unsigned char>(name[0])} << 24) |
           (std::uint32_t{static_cast<unsigned char>(name[1])} << 16) |
           (std::uint32_t{static_cast<unsigned char>(name[2])} << 8) | static_cast<unsigned char>(name[3]);
}

class CSfntFace {
public:
    explicit CSfntFace(std::map<std::uint32_t, CByteReader> tables) : m_tables(std::move(tables)) {}

    // The bytes of the table with this tag; nothing when the face has no
    // such table or its entry points outside the file.
    std::optional<CByteReader> Table(std::uint32_t tag) const;

private:
    std::map<std::uint32_t, CByteReader> m_tables;
};

// The faces of a font file in its order (a collection's face index). A file
// that is no font file, or whose header or any face's table directory is cut
// or points outside the file, holds none.
std::vector<CSfntFace> SfntFaces(CByteReader file);

}  // namespace gvt
