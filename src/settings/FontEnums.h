// The filter enumerations and their value tables: the enumerator names in
// value order, then the enumeration's own name. The file stores the names.
#pragma once

#include <array>

// UNDEF (0) means "no filter" in all three.
enum class FontType3 : int { UNDEF = 0, RASTER = 1, VECTOR = 2 };
enum class FontWeight4 : int { UNDEF = 0, NORMAL = 1, LIGHTER = 2, BOLDER = 3 };
enum class FontItalic3 : int { UNDEF = 0, OFF = 1, ON = 2 };

template <typename E>
struct CEnumTable;

template <>
struct CEnumTable<FontType3> {
    static constexpr std::array<const wchar_t*, 4> Names{L"UNDEF", L"RASTER", L"VECTOR", L"FontType3"};
};
template <>
struct CEnumTable<FontWeight4> {
    static constexpr std::array<const wchar_t*, 5> Names{L"UNDEF", L"NORMAL", L"LIGHTER", L"BOLDER", L"FontWeight4"};
};
template <>
struct CEnumTable<FontItalic3> {
    static constexpr std::array<const wchar_t*, 4> Names{L"UNDEF", L"OFF", L"ON", L"FontItalic3"};
};

// Number of enumerators, and the enumeration's name (the table's last entry).
template <typename E>
constexpr unsigned EnumCount() noexcept
{
    return static_cast<unsigned>(CEnumTable<E>::Names.size() - 1);
}
template <typename E>
constexpr const wchar_t* EnumName() noexcept
{
    return CEnumTable<E>::Names.back();
}
