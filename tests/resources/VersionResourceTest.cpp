// The program's own version resource, read back through the version API the
// About box uses, from the test program that carries the same resources.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

std::vector<BYTE> ReadOwnVersionBlock()
{
    std::wstring path(MAX_PATH, L'\0');
    path.resize(::GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size())));
    DWORD handle = 0;
    std::vector<BYTE> block(::GetFileVersionInfoSizeW(path.c_str(), &handle));
    if (block.empty() || !::GetFileVersionInfoW(path.c_str(), handle, static_cast<DWORD>(block.size()), block.data()))
        block.clear();
    return block;
}

std::wstring QueryText(std::vector<BYTE>& block, const std::wstring& subBlock)
{
    void* value = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(block.data(), subBlock.c_str(), &value, &length) || length == 0)
        return L"<missing>";
    std::wstring text(static_cast<const wchar_t*>(value), length);
    return text.substr(0, text.find(L'\0'));
}

TEST(VersionResource, ListsJapaneseThenEnglishWithTheUnicodeCodePage)
{
    std::vector<BYTE> block = ReadOwnVersionBlock();
    ASSERT_FALSE(block.empty());
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length));
    const auto* words = static_cast<const WORD*>(value);
    const std::vector<WORD> translations(words, words + length / sizeof(WORD));
    EXPECT_EQ(translations, (std::vector<WORD>{0x0411, 1200, 0x0409, 1200}));
}

TEST(VersionResource, BothTranslationsNameTheSameProductAndVersion)
{
    std::vector<BYTE> block = ReadOwnVersionBlock();
    ASSERT_FALSE(block.empty());
    for (const wchar_t* translation : {L"041104b0", L"040904b0"}) {
        const std::wstring prefix = std::wstring(L"\\StringFileInfo\\") + translation + L"\\";
        SCOPED_TRACE(translation);
        EXPECT_EQ(QueryText(block, prefix + L"ProductVersion"), L"1.0.0.0");
        EXPECT_EQ(QueryText(block, prefix + L"FileVersion"), L"1.0.0.0");
        EXPECT_EQ(QueryText(block, prefix + L"ProductName"), L"Glyvanter");
        EXPECT_EQ(QueryText(block, prefix + L"FileDescription"), L"Glyvanter");
        EXPECT_EQ(QueryText(block, prefix + L"InternalName"), L"Glyvanter");
        EXPECT_EQ(QueryText(block, prefix + L"OriginalFilename"), L"Glyvanter.exe");
        EXPECT_EQ(QueryText(block, prefix + L"CompanyName"), L"Morvell");
        EXPECT_EQ(QueryText(block, prefix + L"LegalCopyright"), L"Copyright (C) 2026 Morvell");
    }
}

TEST(VersionResource, FixedPartAgreesWithTheTexts)
{
    std::vector<BYTE> block = ReadOwnVersionBlock();
    ASSERT_FALSE(block.empty());
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\", &value, &length));
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    // 1.0 in the high double word, 0.0 in the low one.
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

}  // namespace
