#include "fontdata/FonFile.h"

#include <algorithm>
#include <cstdint>

namespace gvt {

namespace {

// The executable's values are little-endian, as this machine's.
std::optional<std::uint16_t> Word(const CByteReader& bytes, std::size_t offset)
{
    return bytes.Native<std::uint16_t>(offset);
}

std::optional<std::uint32_t> DoubleWord(const CByteReader& bytes, std::size_t offset)
{
    return bytes.Native<std::uint32_t>(offset);
}

constexpr std::uint16_t kFontResource = 0x8008;  // RT_FONT, numbered
constexpr std::size_t kFaceOffsetField = 0x69;   // dfFace in the font header
constexpr std::size_t kMaxFaceLength = 256;
// More type entries than any real file has: a table without its end stops here.
constexpr int kMaxTypes = 256;

// The face name the font resource at `resource` points to, up to its
// terminator; empty when it does not lie within the file.
std::wstring FaceAt(const CByteReader& file, std::size_t resource)
{
    const auto face = DoubleWord(file, resource + kFaceOffsetField);
    if (!face)
        return {};
    std::wstring name;
    for (std::size_t i = 0; i < kMaxFaceLength; ++i) {
        const auto byte = file.Native<unsigned char>(resource + *face + i);
        if (!byte)
            return {};
        if (*byte == 0)
            return name;
        // The names are ASCII in practice; Latin-1 keeps any other byte readable.
        name += static_cast<wchar_t>(*byte);
    }
    return {};
}

}  // namespace

std::vector<std::wstring> FonFaceNames(const CByteReader& file)
{
    std::vector<std::wstring> names;
    const auto mz = Word(file, 0);
    const auto header = DoubleWord(file, 0x3C);
    if (!mz || *mz != 0x5A4D || !header)
        return names;
    const auto ne = Word(file, *header);
    const auto table = Word(file, std::size_t{*header} + 0x24);
    if (!ne || *ne != 0x454E || !table)
        return names;
    std::size_t at = std::size_t{*header} + *table;
    const auto shift = Word(file, at);
    if (!shift || *shift > 16)
        return names;
    at += 2;
    for (int type = 0; type < kMaxTypes; ++type) {
        const auto id = Word(file, at);
        const auto count = Word(file, at + 2);
        if (!id || *id == 0 || !count)
            break;
        at += 8;
        for (std::uint16_t i = 0; i < *count; ++i, at += 12) {
            const auto offset = Word(file, at);
            if (!offset)
                return names;
            if (*id != kFontResource)
                continue;
            const std::wstring name = FaceAt(file, std::size_t{*offset} << *shift);
            if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end())
                names.push_back(name);
        }
    }
    return names;
}

}  // namespace gvt
