// Font files loaded for the test process alone (FR_PRIVATE) for as long as
// the object lives, so that tests assert on faces they know.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

namespace gvt::test {

class CPrivateFonts {
public:
    explicit CPrivateFonts(std::initializer_list<const wchar_t*> files);
    ~CPrivateFonts();
    CPrivateFonts(const CPrivateFonts&) = delete;
    CPrivateFonts& operator=(const CPrivateFonts&) = delete;

    // The first file that could not be loaded; empty when all were.
    std::wstring Missing() const;

private:
    std::vector<std::wstring> m_files;
    std::vector<bool> m_loaded;
};

// The DejaVu Sans family as the tests use it: regular, bold and the obliques.
constexpr const wchar_t* kDejaVuSans = L"Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans.ttf";
constexpr const wchar_t* kDejaVuSansBold = L"Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans-Bold.ttf";
constexpr const wchar_t* kDejaVuSansOblique = L"Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans-Oblique.ttf";
constexpr const wchar_t* kDejaVuSansBoldOblique =
    L"Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans-BoldOblique.ttf";
// IPA Gothic: kana and kanji, U+20B9F beyond the Basic Multilingual Plane,
// but no emoji; DejaVu Sans has U+1F600 and no kana.
constexpr const wchar_t* kIpaGothic = L"Z:\\usr\\share\\fonts\\opentype\\ipafont-gothic\\ipag.ttf";

// A font that make_test_fonts.py wrote into the folder test-fonts beside the
// test programs.
std::wstring GeneratedFont(const wchar_t* file);
constexpr const wchar_t* kGvCoverRegular = L"GvCover-Regular.ttf";
constexpr const wchar_t* kGvCoverBold = L"GvCover-Bold.ttf";
// A face whose names, version, licence and permissions the tests know.
constexpr const wchar_t* kGvProps = L"GvProps-Regular.ttf";

}  // namespace gvt::test
