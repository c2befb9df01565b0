#include "fonts/FontProperties.h"

#include "base/CountText.h"
#include "base/ResourceString.h"
#include "fontdata/FontHeader.h"
#include "fontdata/Os2Names.h"
#include "fontdata/Os2Table.h"
#include "fonts/FontFiles.h"
#include "fonts/FontNames.h"
#include "fonts/GdiFontTable.h"
#include "framework/UniqueHandle.h"
#include "resources/resource.h"

#include <algorithm>
#include <iterator>
#include <optional>

namespace gvt {

namespace {

// The name ids of the texts shown.
enum : std::uint16_t {
    kCopyright = 0,
    kFamily = 1,
    kStyle = 2,
    kFullName = 4,
    kVersion = 5,
    kManufacturer = 8,
    kDesigner = 9,
    kLicence = 13,
    kLicenceUrl = 14,
    kTypographicFamily = 16,
    kTypographicStyle = 17,
};

CByteReader Reader(const std::vector<unsigned char>& bytes) noexcept
{
    return CByteReader(bytes.data(), bytes.size());
}

// Line breaks inside a value as the edit field and the clipboard want them.
std::wstring WithCrLf(const std::wstring& text)
{
    std::wstring result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r' || text[i] == L'\n') {
            result += L"\r\n";
            if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n')
                ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

// The names of the bits, each the string firstId + bit, in bit order.
std::wstring NamesOfBits(const std::vector<unsigned>& bits, UINT firstId)
{
    std::wstring text;
    for (unsigned bit : bits)
        text.append(text.empty() ? L"" : L", ").append(ResourceString(firstId + bit));
    return text;
}

class CLines {
public:
    void Add(UINT label, const std::optional<std::wstring>& value)
    {
        m_text += ResourceString(label) + L": " +
                  (value && !value->empty() ? WithCrLf(*value) : ResourceString(IDS_PROP_UNKNOWN)) + L"\r\n";
    }
    const std::wstring& Text() const noexcept { return m_text; }

private:
    std::wstring m_text;
};

std::wstring EmbeddingText(const COs2Table& os2)
{
    UINT id = IDS_EMBED_INSTALLABLE;
    switch (os2.Embedding()) {
    case EEmbedding::Restricted:
        id = IDS_EMBED_RESTRICTED;
        break;
    case EEmbedding::PreviewAndPrint:
        id = IDS_EMBED_PREVIEW_PRINT;
        break;
    case EEmbedding::Editable:
        id = IDS_EMBED_EDITABLE;
        break;
    case EEmbedding::Installable:
        break;
    }
    std::wstring text = ResourceString(id);
    if (os2.NoSubsetting())
        text += L", " + ResourceString(IDS_EMBED_NO_SUBSETTING);
    if (os2.BitmapOnly())
        text += L", " + ResourceString(IDS_EMBED_BITMAP_ONLY);
    return text;
}

std::optional<std::wstring> FormatText(const CFontFacts& facts)
{
    if (facts.TrueTypeOutlines)
        return ResourceString(IDS_FORMAT_TRUETYPE);
    if (facts.PostScriptOutlines)
        return ResourceString(IDS_FORMAT_POSTSCRIPT);
    if (facts.Type1)
        return ResourceString(IDS_FORMAT_TYPE1);
    if (facts.Raster)
        return ResourceString(IDS_FORMAT_RASTER);
    return std::nullopt;
}

struct CEnumFlags {
    DWORD FontType = 0;
    DWORD NtmFlags = 0;
};

int CALLBACK TakeFlags(const LOGFONTW*, const TEXTMETRICW* tm, DWORD fontType, LPARAM lParam)
{
    auto& flags = *reinterpret_cast<CEnumFlags*>(lParam);
    flags.FontType = fontType;
    // Only TrueType faces come with the extended metrics.
    if (fontType & TRUETYPE_FONTTYPE)
        flags.NtmFlags = reinterpret_cast<const NEWTEXTMETRICW*>(tm)->ntmFlags;
    return 0;
}

}  // namespace

CFontFacts ReadFontFacts(const LOGFONTW& lf)
{
    CFontFacts facts;
    facts.FaceName = FaceNameOf(lf);
    const CClientDC screen(nullptr);
    if (!screen)
        return facts;
    const HDC dc = screen.get();
    const CUniqueFont font(::CreateFontIndirectW(&lf));
    if (!font)
        return facts;
    const CSelectObject selected(dc, font.get());
    facts.Name = ReadFontTable(dc, GdiTableTag("name"));
    facts.Os2 = ReadFontTable(dc, GdiTableTag("OS/2"));
    facts.Head = ReadFontTable(dc, GdiTableTag("head"));
    facts.Maxp = ReadFontTable(dc, GdiTableTag("maxp"));
    facts.TrueTypeOutlines = HasFontTable(dc, GdiTableTag("glyf"));
    facts.PostScriptOutlines = HasFontTable(dc, GdiTableTag("CFF ")) || HasFontTable(dc, GdiTableTag("CFF2"));

    LOGFONTW face{};
    face.lfCharSet = lf.lfCharSet;
    std::copy(std::begin(lf.lfFaceName), std::end(lf.lfFaceName), face.lfFaceName);
    CEnumFlags flags;
    ::EnumFontFamiliesExW(dc, &face, TakeFlags, reinterpret_cast<LPARAM>(&flags), 0);
    facts.Raster = (flags.FontType & RASTER_FONTTYPE) != 0;
    facts.Type1 = (flags.NtmFlags & NTM_TYPE1) != 0;

    const CNameTable names(Reader(facts.Name));
    std::vector<std::wstring> known;
    if (const CNameRecord* full = names.Find(kFullName, ENameLanguage::English))
        known.push_back(full->Text);
    known.push_back(facts.FaceName);
    facts.Files = FontFilesOf(dc, known);
    return facts;
}

ENameLanguage InterfaceNameLanguage()
{
    return PRIMARYLANGID(::GetUserDefaultUILanguage()) == LANG_JAPANESE ? ENameLanguage::Japanese
                                                                        : ENameLanguage::English;
}

std::wstring PropertiesText(const CFontFacts& facts, const std::vector<std::wstring>& addedFiles,
                            ENameLanguage language)
{
    const CNameTable names(Reader(facts.Name));
    const auto name = [&](std::uint16_t id) -> std::optional<std::wstring> {
        if (const CNameRecord* record = names.Find(id, language))
            return record->Text;
        return std::nullopt;
    };
    const auto either = [&](std::uint16_t id, std::uint16_t otherwise) {
        const std::optional<std::wstring> text = name(id);
        return text ? text : name(otherwise);
    };
    const std::optional<COs2Table> os2 = ReadOs2Table(Reader(facts.Os2));
    const std::optional<std::uint32_t> revision = FontRevision(Reader(facts.Head));
    const std::optional<std::uint16_t> glyphs = GlyphCount(Reader(facts.Maxp));

    CLines lines;
    lines.Add(IDS_PROP_FACE_NAME, facts.FaceName);
    lines.Add(IDS_PROP_FULL_NAME, name(kFullName));
    lines.Add(IDS_PROP_FAMILY, either(kTypographicFamily, kFamily));
    lines.Add(IDS_PROP_STYLE, either(kTypographicStyle, kStyle));
    std::optional<std::wstring> version = name(kVersion);
    if (!version && revision)
        version = RevisionText(*revision);
    lines.Add(IDS_PROP_VERSION, version);
    lines.Add(IDS_PROP_DESIGNER, name(kDesigner));
    lines.Add(IDS_PROP_MANUFACTURER, name(kManufacturer));
    lines.Add(IDS_PROP_VENDOR, os2 ? std::optional<std::wstring>(os2->VendorId) : std::nullopt);
    lines.Add(IDS_PROP_COPYRIGHT, name(kCopyright));
    lines.Add(IDS_PROP_LICENCE, name(kLicence));
    lines.Add(IDS_PROP_LICENCE_URL, name(kLicenceUrl));
    lines.Add(IDS_PROP_EMBEDDING, os2 ? std::optional<std::wstring>(EmbeddingText(*os2)) : std::nullopt);
    lines.Add(IDS_PROP_FORMAT, FormatText(facts));
    lines.Add(IDS_PROP_GLYPHS, glyphs ? std::optional<std::wstring>(CountText(*glyphs)) : std::nullopt);
    lines.Add(IDS_PROP_UNICODE_RANGES,
              os2 ? std::optional<std::wstring>(
                        NamesOfBits(NamedUnicodeRangeBits(os2->UnicodeRanges), IDS_UNICODE_RANGE_0))
                  : std::nullopt);
    lines.Add(IDS_PROP_CODE_PAGES,
              os2 && os2->CodePageRanges
                  ? std::optional<std::wstring>(NamesOfBits(NamedCodePageBits(*os2->CodePageRanges), IDS_CODE_PAGE_0))
                  : std::nullopt);
    if (facts.Files.empty())
        lines.Add(IDS_PROP_FILE, std::nullopt);
    for (const std::wstring& file : facts.Files)
        lines.Add(IDS_PROP_FILE, file);
    for (const std::wstring& file : addedFiles)
        lines.Add(IDS_PROP_ADDED_FILE, file);
    return lines.Text();
}

}  // namespace gvt
