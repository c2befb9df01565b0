#include "fonts/GdiGlyphSource.h"

#include <cstdint>

namespace gvt {

namespace {

// The table tag as GetFontData takes it: the four letters in file order.
constexpr DWORD kCmapTag = 'c' | ('m' << 8) | ('a' << 16) | (static_cast<DWORD>('p') << 24);

std::uint32_t Read16(const unsigned char* p) noexcept
{
    return (static_cast<std::uint32_t>(p[0]) << 8) | p[1];
}

std::uint32_t Read32(const unsigned char* p) noexcept
{
    return (Read16(p) << 16) | Read16(p + 2);
}

// Format 12: a header of 16 bytes, then groups of start, end and first glyph.
bool Format12HasGlyph(const unsigned char* table, std::size_t size, char32_t c) noexcept
{
    if (size < 16)
        return false;
    const std::uint32_t length = Read32(table + 4);
    const std::uint32_t groups = Read32(table + 12);
    if (length > size || groups > (length - 16) / 12)
        return false;
    // The groups are sorted by their start code.
    std::uint32_t low = 0;
    std::uint32_t high = groups;
    while (low < high) {
        const std::uint32_t middle = low + (high - low) / 2;
        const unsigned char* group = table + 16 + middle * 12;
        const std::uint32_t start = Read32(group);
        const std::uint32_t end = Read32(group + 4);
        if (c < start)
            high = middle;
        else if (c > end)
            low = middle + 1;
        else
            return Read32(group + 8) + (c - start) != 0;
    }
    return false;
}

}  // namespace

bool CmapHasGlyph(const unsigned char* cmap, std::size_t size, char32_t c) noexcept
{
    if (!cmap || size < 4)
        return false;
    const std::uint32_t count = Read16(cmap + 2);
    if (count > (size - 4) / 8)
        return false;
    for (std::uint32_t i = 0; i < count; ++i) {
        const unsigned char* record = cmap + 4 + i * 8;
        const std::uint32_t platform = Read16(record);
        const std::uint32_t encoding = Read16(record + 2);
        const std::uint32_t offset = Read32(record + 4);
        // Windows full Unicode, or Unicode full repertoire.
        const bool fullRange = (platform == 3 && encoding == 10) || (platform == 0 && (encoding == 4 || encoding == 6));
        if (!fullRange || offset > size - 2 || Read16(cmap + offset) != 12)
            continue;
        if (Format12HasGlyph(cmap + offset, size - offset, c))
            return true;
    }
    return false;
}

void CGdiGlyphSource::FindGlyphs(const LOGFONTW& lf, const std::vector<char32_t>& chars, std::vector<bool>& present)
{
    present.assign(chars.size(), false);
    if (!m_screen)
        m_screen.emplace(nullptr);
    if (!*m_screen)
        return;
    const HDC dc = m_screen->get();
    const CUniqueFont font(::CreateFontIndirectW(&lf));
    if (!font)
        return;
    const CSelectObject selected(dc, font.get());

    std::wstring bmp;
    std::vector<std::size_t> bmpAt;
    bool beyond = false;
    for (std::size_t i = 0; i < chars.size(); ++i) {
        if (chars[i] < 0x10000) {
            bmp.push_back(static_cast<wchar_t>(chars[i]));
            bmpAt.push_back(i);
        } else {
            beyond = true;
        }
    }
    if (!bmp.empty()) {
        std::vector<WORD> indices(bmp.size(), 0xFFFF);
        if (::GetGlyphIndicesW(dc, bmp.c_str(), static_cast<int>(bmp.size()), indices.data(),
                               GGI_MARK_NONEXISTING_GLYPHS) != GDI_ERROR)
            for (std::size_t k = 0; k < indices.size(); ++k)
                present[bmpAt[k]] = indices[k] != 0xFFFF;
    }
    if (!beyond)
        return;
    const DWORD size = ::GetFontData(dc, kCmapTag, 0, nullptr, 0);
    if (size == GDI_ERROR || size == 0)
        return;
    std::vector<unsigned char> cmap(size);
    if (::GetFontData(dc, kCmapTag, 0, cmap.data(), size) != size)
        return;
    for (std::size_t i = 0; i < chars.size(); ++i)
        if (chars[i] >= 0x10000)
            present[i] = CmapHasGlyph(cmap.data(), cmap.size(), chars[i]);
}

}  // namespace gvt
