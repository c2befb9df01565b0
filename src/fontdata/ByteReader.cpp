#include "fontdata/ByteReader.h"

namespace gvt {

std::optional<std::uint8_t> CByteReader::U8(std::size_t offset) const noexcept
{
    if (!Fits(offset, 1))
        return std::nullopt;
    return m_data[offset];
}

std::optional<std::uint16_t> CByteReader::U16(std::size_t offset) const noexcept
{
    if (!Fits(offset, 2))
        return std::nullopt;
    return static_cast<std::uint16_t>((m_data[offset] << 8) | m_data[offset + 1]);
}

std::optional<std::uint32_t> CByteReader::U32(std::size_t offset) const noexcept
{
    const std::optional<std::uint16_t> high = U16(offset);
    const std::optional<std::uint16_t> low = high ? U16(offset + 2) : std::nullopt;
    if (!low)
        return std::nullopt;
    return (static_cast<std::uint32_t>(*high) << 16) | *low;
}

std::optional<CByteReader> CByteReader::Sub(std::size_t offset, std::size_t length) const noexcept
{
    if (!Fits(offset, length))
        return std::nullopt;
    return CByteReader(m_data + offset, length);
}

std::optional<CByteReader> CByteReader::From(std::size_t offset) const noexcept
{
    if (offset > m_size)
        return std::nullopt;
    return CByteReader(m_data + offset, m_size - offset);
}

}  // namespace gvt
