// A four-part version of at most 255 per part, packed into 32 bits with the
// first part in the most significant byte, so that packed values compare in
// version order.
#pragma once

#include <cstdint>

class CVersion {
public:
    constexpr CVersion() noexcept = default;
    constexpr CVersion(std::uint8_t first, std::uint8_t second, std::uint8_t third, std::uint8_t fourth) noexcept
        : m_packed(static_cast<std::uint32_t>(first) << 24 | static_cast<std::uint32_t>(second) << 16 |
                   static_cast<std::uint32_t>(third) << 8 | fourth)
    {
    }
    constexpr explicit CVersion(std::uint32_t packed) noexcept : m_packed(packed) {}

    constexpr std::uint32_t Packed() const noexcept { return m_packed; }
    // Index 0 is the first (most significant) number.
    constexpr std::uint8_t Part(unsigned index) const noexcept
    {
        return static_cast<std::uint8_t>(m_packed >> (24 - 8 * index));
    }

    friend constexpr bool operator==(CVersion a, CVersion b) noexcept { return a.m_packed == b.m_packed; }
    friend constexpr bool operator!=(CVersion a, CVersion b) noexcept { return a.m_packed != b.m_packed; }
    friend constexpr bool operator<(CVersion a, CVersion b) noexcept { return a.m_packed < b.m_packed; }
    friend constexpr bool operator>(CVersion a, CVersion b) noexcept { return a.m_packed > b.m_packed; }

private:
    std::uint32_t m_packed = 0;
};

// The settings format this program reads and writes.
inline constexpr CVersion kSettingsVersion{1, 0, 0, 0};
