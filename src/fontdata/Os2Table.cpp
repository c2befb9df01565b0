#include "fontdata/Os2Table.h"

namespace gvt {

namespace {

constexpr std::size_t kVersion0End = 62;     // through the vendor id
constexpr std::size_t kCodePagesEnd = 86;    // version 1 adds the code pages

}  // namespace

EEmbedding COs2Table::Embedding() const noexcept
{
    if (FsType & 0x8)
        return EEmbedding::Editable;
    if (FsType & 0x4)
        return EEmbedding::PreviewAndPrint;
    if (FsType & 0x2)
        return EEmbedding::Restricted;
    return EEmbedding::Installable;
}

std::optional<COs2Table> ReadOs2Table(CByteReader os2)
{
    if (os2.Size() < kVersion0End)
        return std::nullopt;
    COs2Table table{*os2.U16(8), {}, {}, std::nullopt};
    for (std::size_t i = 0; i < 4; ++i)
        table.UnicodeRanges[i] = *os2.U32(42 + 4 * i);
    for (std::size_t i = 58; i < kVersion0End; ++i)
        table.VendorId.push_back(static_cast<wchar_t>(*os2.U8(i)));
    table.VendorId.erase(table.VendorId.find_last_not_of(std::wstring(L" \0", 2)) + 1);
    if (*os2.U16(0) >= 1 && os2.Size() >= kCodePagesEnd)
        table.CodePageRanges = std::array<std::uint32_t, 2>{*os2.U32(78), *os2.U32(82)};
    return table;
}

}  // namespace gvt
