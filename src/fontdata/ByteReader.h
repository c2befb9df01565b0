// Big-endian fields read from the bytes of a font, each read checked against
// the end of what the system really returned: a field that does not fit
// gives nothing, so a damaged table can make a lookup fail but can never
// make it read past its end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace gvt {

class CByteReader {
public:
    CByteReader() noexcept = default;
    CByteReader(const unsigned char* data, std::size_t size) noexcept : m_data(data), m_size(data ? size : 0) {}

    std::size_t Size() const noexcept { return m_size; }

    std::optional<std::uint16_t> U16(std::size_t offset) const noexcept;
    std::optional<std::uint32_t> U32(std::size_t offset) const noexcept;

    // The length bytes at offset, when they all lie inside.
    std::optional<CByteReader> Sub(std::size_t offset, std::size_t length) const noexcept;
    // The bytes from offset to the end, when offset lies inside.
    std::optional<CByteReader> From(std::size_t offset) const noexcept;

private:
    // Written so that no sum can wrap round.
    bool Fits(std::size_t offset, std::size_t length) const noexcept
    {
        return offset <= m_size && length <= m_size - offset;
    }

    const unsigned char* m_data = nullptr;
    std::size_t m_size = 0;
};

}  // namespace gvt
