// Integer <-> text for the editable size box, with the program's number
// syntax and a range check.
#pragma once

#include <climits>
#include <string>

template <typename T, int Flags1, int Flags2>
class CIntConverter;

template <>
class CIntConverter<int, 0, 0> {
public:
    // Decimal digits, "-" for negatives, nothing locale-dependent.
    std::wstring ToText(int value) const;
    // Raises my::CException 58637 (syntax), 58638 (< Min) or 58639 (> Max).
    int FromText(const std::wstring& text) const;

    int Min = INT_MIN;
    int Max = INT_MAX;
};

using CIntTextConverter = CIntConverter<int, 0, 0>;

// The integer text rules shared with the settings file: a search for the
// number syntax (line anchors), the fraction dropped, saturating at the
// 32-bit limits. False when the text has no such number.
bool ParseSignedNumber(const std::wstring& text, int& value);
bool ParseUnsignedNumber(const std::wstring& text, int& value);
