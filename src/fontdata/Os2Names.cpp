#include "fontdata/Os2Names.h"

namespace gvt {

namespace {

// Bits 0 to 122 of the Unicode ranges, each by the first block it stands for.
constexpr std::wstring_view kUnicodeRanges[] = {
    L"Basic Latin", L"Latin-1 Supplement", L"Latin Extended-A", L"Latin Extended-B", L"IPA Extensions",
    L"Spacing Modifier Letters", L"Combining Diacritical Marks", L"Greek and Coptic", L"Coptic", L"Cyrillic",
    L"Armenian", L"Hebrew", L"Vai", L"Arabic", L"NKo", L"Devanagari", L"Bengali", L"Gurmukhi", L"Gujarati",
    L"Oriya", L"Tamil", L"Telugu", L"Kannada", L"Malayalam", L"Thai", L"Lao", L"Georgian", L"Balinese",
    L"Hangul Jamo", L"Latin Extended Additional", L"Greek Extended", L"General Punctuation",
    L"Superscripts and Subscripts", L"Currency Symbols", L"Combining Diacritical Marks for Symbols",
    L"Letterlike Symbols", L"Number Forms", L"Arrows", L"Mathematical Operators", L"Miscellaneous Technical",
    L"Control Pictures", L"Optical Character Recognition", L"Enclosed Alphanumerics", L"Box Drawing",
    L"Block Elements", L"Geometric Shapes", L"Miscellaneous Symbols", L"Dingbats",
    L"CJK Symbols and Punctuation", L"Hiragana", L"Katakana", L"Bopomofo", L"Hangul Compatibility Jamo",
    L"Phags-pa", L"Enclosed CJK Letters and Months", L"CJK Compatibility", L"Hangul Syllables", L"Non-Plane 0",
    L"Phoenician", L"CJK Unified Ideographs", L"Private Use Area", L"CJK Strokes",
    L"Alphabetic Presentation Forms", L"Arabic Presentation Forms-A", L"Combining Half Marks",
    L"Vertical Forms", L"Small Form Variants", L"Arabic Presentation Forms-B", L"Halfwidth and Fullwidth Forms",
    L"Specials", L"Tibetan", L"Syriac", L"Thaana", L"Sinhala", L"Myanmar", L"Ethiopic", L"Cherokee",
    L"Unified Canadian Aboriginal Syllabics", L"Ogham", L"Runic", L"Khmer", L"Mongolian", L"Braille Patterns",
    L"Yi Syllables", L"Tagalog", L"Old Italic", L"Gothic", L"Deseret", L"Byzantine Musical Symbols",
    L"Mathematical Alphanumeric Symbols", L"Private Use (planes 15 and 16)", L"Variation Selectors", L"Tags",
    L"Limbu", L"Tai Le", L"New Tai Lue", L"Buginese", L"Glagolitic", L"Tifinagh", L"Yijing Hexagram Symbols",
    L"Syloti Nagri", L"Linear B Syllabary", L"Ancient Greek Numbers", L"Ugaritic", L"Old Persian", L"Shavian",
    L"Osmanya", L"Cypriot Syllabary", L"Kharoshthi", L"Tai Xuan Jing Symbols", L"Cuneiform",
    L"Counting Rod Numerals", L"Sundanese", L"Lepcha", L"Ol Chiki", L"Saurashtra", L"Kayah Li", L"Rejang",
    L"Cham", L"Ancient Symbols", L"Phaistos Disc", L"Carian", L"Domino Tiles",
};

// Bits 0 to 63 of the code page ranges; the empty ones are reserved.
constexpr std::wstring_view kCodePages[] = {
    L"Latin 1 (1252)", L"Latin 2: Eastern Europe (1250)", L"Cyrillic (1251)", L"Greek (1253)",
    L"Turkish (1254)", L"Hebrew (1255)", L"Arabic (1256)", L"Baltic (1257)", L"Vietnamese (1258)", {}, {}, {},
    {}, {}, {}, {}, L"Thai (874)", L"Japanese (932)", L"Chinese, Simplified (936)", L"Korean Wansung (949)",
    L"Chinese, Traditional (950)", L"Korean Johab (1361)", {}, {}, {}, {}, {}, {}, {}, L"Macintosh Roman",
    L"OEM", L"Symbol", {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, L"IBM Greek (869)",
    L"MS-DOS Russian (866)", L"MS-DOS Nordic (865)", L"Arabic (864)", L"MS-DOS Canadian French (863)",
    L"Hebrew (862)", L"MS-DOS Icelandic (861)", L"MS-DOS Portuguese (860)", L"IBM Turkish (857)",
    L"IBM Cyrillic (855)", L"Latin 2 (852)", L"MS-DOS Baltic (775)", L"Greek (737)", L"Arabic ASMO 708 (708)",
    L"Western European (850)", L"US (437)",
};

template <std::size_t Words, std::size_t Names>
std::vector<std::wstring_view> NamesOfBits(const std::array<std::uint32_t, Words>& bits,
                                           const std::wstring_view (&names)[Names])
{
    std::vector<std::wstring_view> found;
    for (std::size_t bit = 0; bit < Names; ++bit)
        if ((bits[bit / 32] >> (bit % 32) & 1) != 0 && !names[bit].empty())
            found.push_back(names[bit]);
    return found;
}

}  // namespace

std::vector<std::wstring_view> UnicodeRangeNames(const std::array<std::uint32_t, 4>& ranges)
{
    return NamesOfBits(ranges, kUnicodeRanges);
}

std::vector<std::wstring_view> CodePageNames(const std::array<std::uint32_t, 2>& ranges)
{
    return NamesOfBits(ranges, kCodePages);
}

}  // namespace gvt
