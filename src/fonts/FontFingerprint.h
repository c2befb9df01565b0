// A digest of the installed fonts: every face the system enumerates in every
// character set with its type and metrics, and every font file registered for
// the machine and for the user with its name, size and last-write time. A
// font added, removed or replaced changes it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace gvt {

// Items in any order give the same value; an item added twice counts twice.
class CFontDigest {
public:
    // One item from its pieces.
    class CItem {
    public:
        CItem& Add(const void* data, std::size_t size) noexcept;
        template <typename T>
        CItem& Add(const T& value) noexcept
        {
            return Add(&value, sizeof value);
        }
        // The text up to its terminator, at most `capacity` units.
        CItem& AddText(const wchar_t* text, std::size_t capacity) noexcept;
        std::uint64_t Value() const noexcept { return m_hash; }

    private:
        std::uint64_t m_hash = 14695981039346656037ull;
    };

    void Add(const CItem& item) { m_items.push_back(item.Value()); }
    std::uint64_t Value() const;

private:
    std::vector<std::uint64_t> m_items;
};

// The registry keys of the machine's and the user's fonts.
constexpr const wchar_t* kFontsKey = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";

// The faces of all character sets as EnumFontFamiliesExW reports them on dc.
void AddEnumeratedFonts(HDC dc, CFontDigest& digest);

// The values under root\subKey: the value name, the file it names and that
// file's size and last-write time (or that it is missing). A file name
// without a folder is looked up in fontsFolder.
void AddRegisteredFontFiles(HKEY root, const wchar_t* subKey, const std::wstring& fontsFolder, CFontDigest& digest);

// All of it, for the fonts installed now.
std::uint64_t InstalledFontsFingerprint(HDC dc);

}  // namespace gvt
