#include "fontdata/NameTable.h"

#include <optional>
#include <utility>

namespace gvt {

namespace {

constexpr std::size_t kHeader = 6;
constexpr std::size_t kRecord = 12;

constexpr std::uint16_t kUnicode = 0;
constexpr std::uint16_t kMacintosh = 1;
constexpr std::uint16_t kWindows = 3;

// Macintosh Roman from 0x80 up; below it is ASCII.
constexpr char16_t kMacRoman[128] = {
    0x00C4, 0x00C5, 0x00C7, 0x00C9, 0x00D1, 0x00D6, 0x00DC, 0x00E1, 0x00E0, 0x00E2, 0x00E4, 0x00E3, 0x00E5,
    0x00E7, 0x00E9, 0x00E8, 0x00EA, 0x00EB, 0x00ED, 0x00EC, 0x00EE, 0x00EF, 0x00F1, 0x00F3, 0x00F2, 0x00F4,
    0x00F6, 0x00F5, 0x00FA, 0x00F9, 0x00FB, 0x00FC, 0x2020, 0x00B0, 0x00A2, 0x00A3, 0x00A7, 0x2022, 0x00B6,
    0x00DF, 0x00AE, 0x00A9, 0x2122, 0x00B4, 0x00A8, 0x2260, 0x00C6, 0x00D8, 0x221E, 0x00B1, 0x2264, 0x2265,
    0x00A5, 0x00B5, 0x2202, 0x2211, 0x220F, 0x03C0, 0x222B, 0x00AA, 0x00BA, 0x03A9, 0x00E6, 0x00F8, 0x00BF,
    0x00A1, 0x00AC, 0x221A, 0x0192, 0x2248, 0x2206, 0x00AB, 0x00BB, 0x2026, 0x00A0, 0x00C0, 0x00C3, 0x00D5,
    0x0152, 0x0153, 0x2013, 0x2014, 0x201C, 0x201D, 0x2018, 0x2019, 0x00F7, 0x25CA, 0x00FF, 0x0178, 0x2044,
    0x20AC, 0x2039, 0x203A, 0xFB01, 0xFB02, 0x2021, 0x00B7, 0x201A, 0x201E, 0x2030, 0x00C2, 0x00CA, 0x00C1,
    0x00CB, 0x00C8, 0x00CD, 0x00CE, 0x00CF, 0x00CC, 0x00D3, 0x00D4, 0xF8FF, 0x00D2, 0x00DA, 0x00DB, 0x00D9,
    0x0131, 0x02C6, 0x02DC, 0x00AF, 0x02D8, 0x02D9, 0x02DA, 0x00B8, 0x02DD, 0x02DB, 0x02C7,
};

std::optional<std::wstring> Utf16(CByteReader text)
{
    if (text.Size() % 2 != 0)
        return std::nullopt;
    std::wstring decoded;
    for (std::size_t i = 0; i < text.Size(); i += 2)
        decoded.push_back(static_cast<wchar_t>(*text.U16(i)));
    return decoded;
}

std::wstring MacRoman(CByteReader text)
{
    std::wstring decoded;
    for (std::size_t i = 0; i < text.Size(); ++i) {
        const std::uint8_t byte = *text.U8(i);
        decoded.push_back(static_cast<wchar_t>(byte < 0x80 ? byte : kMacRoman[byte - 0x80]));
    }
    return decoded;
}

std::optional<std::wstring> Decode(std::uint16_t platform, std::uint16_t encoding, CByteReader text)
{
    if (platform == kUnicode || (platform == kWindows && (encoding == 0 || encoding == 1 || encoding == 10)))
        return Utf16(text);
    if (platform == kMacintosh && encoding == 0)
        return MacRoman(text);
    return std::nullopt;
}

// 0 for the language asked for, 1 for English, 2 for any other.
int LanguageRank(const CNameRecord& record, ENameLanguage language) noexcept
{
    bool japanese = false;
    bool english = false;
    if (record.Platform == kWindows) {
        japanese = (record.Language & 0x3FF) == 0x11;
        english = (record.Language & 0x3FF) == 0x09;
    } else if (record.Platform == kMacintosh) {
        japanese = record.Language == 11;
        english = record.Language == 0;
    }
    if (language == ENameLanguage::Japanese ? japanese : english)
        return 0;
    return english ? 1 : 2;
}

}  // namespace

CNameTable::CNameTable(CByteReader name)
{
    const std::optional<std::uint16_t> count = name.U16(2);
    const std::optional<std::uint16_t> storage = count ? name.U16(4) : std::nullopt;
    if (!storage || !name.Sub(kHeader, std::size_t{*count} * kRecord))
        return;
    const CByteReader strings = name.From(*storage).value_or(CByteReader());
    for (std::size_t i = 0; i < *count; ++i) {
        const std::size_t at = kHeader + i * kRecord;
        const std::uint16_t platform = *name.U16(at);
        const std::optional<CByteReader> text = strings.Sub(*name.U16(at + 10), *name.U16(at + 8));
        std::optional<std::wstring> decoded = text ? Decode(platform, *name.U16(at + 2), *text) : std::nullopt;
        if (decoded)
            m_records.push_back(CNameRecord{*name.U16(at + 6), platform, *name.U16(at + 4), std::move(*decoded)});
    }
}

const CNameRecord* CNameTable::Find(std::uint16_t nameId, ENameLanguage language) const noexcept
{
    const CNameRecord* best = nullptr;
    int bestRank = 0;
    for (const CNameRecord& record : m_records) {
        if (record.NameId != nameId)
            continue;
        const int rank = 2 * LanguageRank(record, language) + (record.Platform == kWindows ? 0 : 1);
        if (!best || rank < bestRank) {
            best = &record;
            bestRank = rank;
        }
    }
    return best;
}

}  // namespace gvt
