#include "fonts/GdiGlyphSource.h"

#include "fontdata/CharacterMap.h"
#include "fonts/GdiFontTable.h"

#include <string>
#include <vector>

namespace gvt {

namespace {

constexpr DWORD kCmapTag = GdiTableTag("cmap");

}  // namespace

void CGdiGlyphSource::FindGlyphs(const LOGFONTW& lf, const std::vector<char32_t>& chars, std::vector<bool>& present)
{
    present.assign(chars.size(), false);
    if (!m_screen)
        m_screen.emplace(nullptr);
    if (!*m_screen)
        return;
    const HDC dc = m_screen->get();
    // The row's own weight and italic: GDI then selects the file it draws
    // that style from, or the regular file for a style it synthesises. The
    // coverage does not depend on the size, which may be any typed value.
    LOGFONTW asked = lf;
    asked.lfHeight = 0;
    asked.lfWidth = 0;
    const CUniqueFont font(::CreateFontIndirectW(&asked));
    if (!font)
        return;
    const CSelectObject selected(dc, font.get());

    const std::vector<unsigned char> cmap = ReadFontTable(dc, kCmapTag);
    const CCharacterMap map(CByteReader(cmap.data(), cmap.size()));
    if (map.IsUnicode()) {
        for (std::size_t i = 0; i < chars.size(); ++i)
            present[i] = map.HasGlyph(chars[i]);
        return;
    }
    std::wstring bmp;
    std::vector<std::size_t> bmpAt;
    for (std::size_t i = 0; i < chars.size(); ++i) {
        if (chars[i] < 0x10000) {
            bmp.push_back(static_cast<wchar_t>(chars[i]));
            bmpAt.push_back(i);
        }
    }
    if (bmp.empty())
        return;
    std::vector<WORD> indices(bmp.size(), 0xFFFF);
    if (::GetGlyphIndicesW(dc, bmp.c_str(), static_cast<int>(bmp.size()), indices.data(),
                           GGI_MARK_NONEXISTING_GLYPHS) != GDI_ERROR)
        for (std::size_t k = 0; k < indices.size(); ++k)
            present[bmpAt[k]] = indices[k] != 0xFFFF;
}

}  // namespace gvt
