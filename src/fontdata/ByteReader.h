// Fields read from bytes the program did not make itself (a font's tables,
// a file), each read checked against the end of what was really there: a
// field that does not fit gives nothing, so damaged data can make a lookup
// fail but can never make it read past its end. Font tables are big-endian;
// the program's own files keep values as this machine lays them out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <type_traits>

namespace gvt {

class CByteReader {
public:
    CByteReader() noexcept = default;
    CByteReader(const unsigned char* data, std::size_t size) noexcept : m_data(data), m_size(data ? size : 0) {}

    std::size_t Size() const noexcept { return m_size; }

    std::optional<std::uint8_t> U8(std::size_t offset) const noexcept;
    std::optional<std::uint16_t> U16(std::size_t offset) const noexcept;
    std::optional<std::uint32_t> U32(std::size_t offset) const noexcept;

    // A value as this machine lays it out, copied from offset.
    template <typename T>
    std::optional<T> Native(std::size_t offset) const noexcept
    {
        static_assert(std::is_trivially_copyable_v<T>, "only plain values are copied from bytes");
        if (!Fits(offset, sizeof(T)))
            return std::nullopt;
        T value;
        std::memcpy(&value, m_data + offset, sizeof(T));
        return value;
    }

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
