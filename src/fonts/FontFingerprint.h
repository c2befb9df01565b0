// A digest of the installed fonts: every face the system enumerates in every
// character set with its type and metrics, and every font file registered for
// the machine and for the user with its name, size, last-write and change
// time and identity on its volume. A font added, removed or replaced changes
// it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

namespace gvt {

// Items in any order give the same value; an item added twice counts twice.
class CFontDigest {
public:
    // One item from its pieces, hashed eight bytes at a time.
    class CItem {
    public:
        CItem& Add(const void* data, std::size_t size) noexcept;
        // Fixed-width values only: the 32-bit and the 64-bit build must
        // compute the same digest, so a handle or a size_t never goes in.
        template <typename T>
        CItem& Add(const T& value) noexcept
        {
            static_assert(!std::is_pointer_v<T>, "a pointer's width depends on the build");
            return Add(&value, sizeof value);
        }
        // The text up to its terminator, at most `capacity` units.
        CItem& AddText(const wchar_t* text, std::size_t capacity) noexcept;
        std::uint64_t Value() const noexcept;

    private:
        void Mix(const unsigned char* bytes, std::size_t words) noexcept;

        std::uint64_t m_hash = 0x243F6A8885A308D3ull;
        std::uint64_t m_total = 0;
        std::size_t m_used = 0;
        unsigned char m_buffer[256];
    };

    void Add(const CItem& item) { m_items.push_back(item.Value()); }
    // Every item of the other digest, as if added here.
    void Add(const CFontDigest& other) { m_items.insert(m_items.end(), other.m_items.begin(), other.m_items.end()); }
    bool Empty() const noexcept { return m_items.empty(); }
    std::uint64_t Value() const;

private:
    std::vector<std::uint64_t> m_items;
};

// The system's Fonts folder; empty when the system does not say.
std::wstring FontsFolder();
// Where fonts installed for the user alone go (Windows 10 1809 on).
std::wstring UserFontsFolder();

// The registry keys of the machine's and the user's fonts.
constexpr const wchar_t* kFontsKey = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";

// One face as EnumFontFamiliesExW reports it: the ENUMLOGFONTEXW, the type
// and the metrics, with the TrueType ones when the type says so.
void AddEnumeratedFace(CFontDigest& digest, const LOGFONTW& lf, const TEXTMETRICW& tm, DWORD type);

// The faces of all character sets as EnumFontFamiliesExW reports them on dc.
void AddEnumeratedFonts(HDC dc, CFontDigest& digest);

// The values under root\subKey: the value name, the file it names and that
// file's size, last-write and change time, volume serial number and file
// index (or that it is missing). File names without a folder are looked up
// in one listing of fontsFolder. False, with the digest incomplete, when
// `stop` said so before a value.
bool AddRegisteredFontFiles(HKEY root, const wchar_t* subKey, const std::wstring& fontsFolder, CFontDigest& digest,
                            const std::function<bool()>& stop = {});

// The font files registered for the machine and for the user, with their
// facts (AddRegisteredFontFiles for both keys).
bool AddRegisteredFonts(CFontDigest& digest, const std::function<bool()>& stop = {});

// What a start checks before it trusts the probe results it kept, quick
// even with thousands of fonts: the fonts keys' value counts and the facts
// of every file in the Fonts folders, the machine's and the user's, from one
// listing each. Enumerating the values one by one is what takes long: under
// Wine most of a second for 10,000. The keys' last-write times are left
// out: Wine writes its own fonts' values again at the start of a process in
// some languages. What this misses (a value changed in place) the whole
// fingerprint catches moments later.
void AddFontsKeyStamp(HKEY root, const wchar_t* subKey, CFontDigest& digest);
void AddFolderFiles(const std::wstring& folder, CFontDigest& digest);
// Both keys and the Fonts folder.
void AddFontsStamp(CFontDigest& digest);

// All of it, for the fonts installed now. The enumeration of dc is taken from
// `enumerated` when the caller has just made it (the character-set box does)
// and it found any face.
std::uint64_t InstalledFontsFingerprint(HDC dc, const CFontDigest* enumerated = nullptr);

}  // namespace gvt
