// Font tables built field by field for the reader tests, and the damages a
// table is put through: each field set to 0 and to all ones, and every cut
// from nothing to the whole, each placed to end at a guard page so that a
// read past the end faults at once.
#pragma once

#include "fontdata/ByteReader.h"
#include "support/GuardPage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace gvt::test {

// Big-endian fields with where each one lies; structural ones (counts,
// offsets, lengths, formats) make the table unusable whenever they are wrong.
class CFontTable {
public:
    struct CField {
        std::size_t Offset;
        int Width;
        bool Structural;
    };

    CFontTable& U16(std::uint32_t value, bool structural = false) { return Put(value, 2, structural); }
    CFontTable& U32(std::uint32_t value, bool structural = false) { return Put(value, 4, structural); }
    CFontTable& Tag(const char* tag, bool structural = false) { return U32(TagOf(tag), structural); }
    CFontTable& Text(const std::string& bytes)
    {
        Bytes.insert(Bytes.end(), bytes.begin(), bytes.end());
        return *this;
    }

    // The four letters of a tag as a number.
    static std::uint32_t TagOf(const char* tag)
    {
        return std::uint32_t(tag[0]) << 24 | std::uint32_t(tag[1]) << 16 | std::uint32_t(tag[2]) << 8 | tag[3];
    }

    std::vector<unsigned char> Bytes;
    std::vector<CField> Fields;

private:
    CFontTable& Put(std::uint32_t value, int width, bool structural)
    {
        Fields.push_back(CField{Bytes.size(), width, structural});
        for (int shift = 8 * (width - 1); shift >= 0; shift -= 8)
            Bytes.push_back(static_cast<unsigned char>(value >> shift));
        return *this;
    }
};

// What a damaged copy is: the field changed (none for the table as it is),
// and how many bytes of it are left.
struct CDamage {
    const CFontTable::CField* Field;
    std::uint32_t Value;
    std::size_t Size;
    std::size_t WholeSize;

    bool Whole() const noexcept { return !Field && Size == WholeSize; }
    bool Structural() const noexcept { return Field && Field->Structural && Size == WholeSize; }
};

// Calls check(reader, damage) for each damaged copy of the table.
template <typename Check>
void ForEachDamage(const CFontTable& table, Check check)
{
    CGuardPage page;
    std::vector<std::pair<const CFontTable::CField*, std::uint32_t>> damages = {{nullptr, 0}};
    for (const CFontTable::CField& field : table.Fields)
        for (std::uint32_t value : {0u, std::numeric_limits<std::uint32_t>::max()})
            damages.emplace_back(&field, value);
    for (const auto& [field, value] : damages) {
        std::vector<unsigned char> bytes = table.Bytes;
        if (field)
            for (int k = 0; k < field->Width; ++k)
                bytes[field->Offset + k] = static_cast<unsigned char>(value >> (8 * (field->Width - 1 - k)));
        for (std::size_t size = 0; size <= bytes.size(); ++size) {
            SCOPED_TRACE(testing::Message() << "field at " << (field ? field->Offset : 0) << " = " << value << ", "
                                            << size << " of " << bytes.size() << " bytes");
            const std::vector<unsigned char> cut(bytes.begin(), bytes.begin() + size);
            check(CByteReader(page.Place(cut), size), CDamage{field, value, size, bytes.size()});
        }
    }
}

}  // namespace gvt::test
