#include "fontdata/SfntFile.h"

namespace gvt {

namespace {

constexpr std::size_t kDirectoryHeader = 12;
constexpr std::size_t kTableRecord = 16;
constexpr std::size_t kCollectionHeader = 12;

bool IsFaceVersion(std::uint32_t version) noexcept
{
    return version == 0x00010000 || version == TableTag("OTTO") || version == TableTag("true");
}

// The directory of the face at offset; a table whose bytes do not lie in the
// file is left out, and a cut directory gives nothing.
std::optional<CSfntFace> FaceAt(CByteReader file, std::uint32_t offset)
{
    const std::optional<std::uint32_t> version = file.U32(offset);
    const std::optional<std::uint16_t> count = version ? file.U16(std::size_t{offset} + 4) : std::nullopt;
    if (!count || !IsFaceVersion(*version) ||
        !file.Sub(std::size_t{offset} + kDirectoryHeader, std::size_t{*count} * kTableRecord))
        return std::nullopt;
    std::map<std::uint32_t, CByteReader> tables;
    for (std::size_t i = 0; i < *count; ++i) {
        const std::size_t record = std::size_t{offset} + kDirectoryHeader + i * kTableRecord;
        const std::optional<CByteReader> bytes = file.Sub(*file.U32(record + 8), *file.U32(record + 12));
        if (bytes)
            tables.emplace(*file.U32(record), *bytes);
    }
    return CSfntFace(std::move(tables));
}

}  // namespace

std::optional<CByteReader> CSfntFace::Table(std::uint32_t tag) const
{
    const auto found = m_tables.find(tag);
    if (found == m_tables.end())
        return std::nullopt;
    return found->second;
}

std::vector<CSfntFace> SfntFaces(CByteReader file)
{
    std::vector<std::uint32_t> offsets;
    const std::optional<std::uint32_t> version = file.U32(0);
    if (version == TableTag("ttcf")) {
        const std::optional<std::uint32_t> count = file.U32(8);
        if (!count || *count > (file.Size() - kCollectionHeader) / 4)
            return {};
        for (std::size_t i = 0; i < *count; ++i)
            offsets.push_back(*file.U32(kCollectionHeader + 4 * i));
    } else {
        offsets.push_back(0);
    }
    std::vector<CSfntFace> faces;
    for (std::uint32_t offset : offsets) {
        std::optional<CSfntFace> face = FaceAt(file, offset);
        if (!face)
            return {};
        faces.push_back(std::move(*face));
    }
    return faces;
}

}  // namespace gvt
