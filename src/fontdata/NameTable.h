// The texts of a font's "name" table (family, style, version, copyright,
// licence and so on), decoded from the encodings fonts use for them.
#pragma once

#include "fontdata/ByteReader.h"

#include <cstdint>
#include <string>
#include <vector>

namespace gvt {

struct CNameRecord {
    std::uint16_t NameId;
    std::uint16_t Platform;
    std::uint16_t Language;
    std::wstring Text;
};

// The languages the program speaks, which are the ones it looks for first.
enum class ENameLanguage { English, Japanese };

class CNameTable {
public:
    // Windows and Unicode platform records (UTF-16BE) and Macintosh Roman
    // ones; records in other encodings, and records whose text does not lie
    // in the table, are left out. A table whose header or record array is
    // cut holds none.
    explicit CNameTable(CByteReader name);

    const std::vector<CNameRecord>& Records() const noexcept { return m_records; }

    // The record of the name id in the language given, else in English, else
    // the first there is; Windows records before others of a language.
    // Nothing when the table has no record of the id.
    const CNameRecord* Find(std::uint16_t nameId, ENameLanguage language) const noexcept;

private:
    std::vector<CNameRecord> m_records;
};

}  // namespace gvt
