// Reads a file's version resource: the string values through the block's
// translation list, and the product version as four 16-bit numbers. Every
// failure raises my::CException.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <vector>

class CVersionInfo {
public:
    CVersionInfo() = default;
    // A block as GetFileVersionInfoW returns it, standing for the file path.
    CVersionInfo(std::wstring path, std::vector<BYTE> block);

    // Reads the block of the file: 58793 when it has none, 58794 when it
    // cannot be read.
    void Load(const std::wstring& path);

    // The value under prefix, translation and name, from the first entry of
    // "\VarFileInfo\Translation" that has one, for example prefix
    // "\StringFileInfo\" and name "\ProductVersion". 58795 when there is no
    // translation list or no entry has the value, 58796 when the list is empty.
    std::wstring QueryVersionString(const std::wstring& prefix, const std::wstring& name) const;
    std::wstring ProductVersionText() const;
    std::wstring LegalCopyrightText() const;

    // The product version split at "." and ","; the first four pieces count,
    // missing ones are 0. 58797 for a piece that is no unsigned number, the
    // cast error 58629 for a number above 65535.
    std::array<WORD, 4> ReadProductVersion() const;

    const std::wstring& Path() const noexcept { return m_path; }

private:
    std::wstring m_path;
    std::vector<BYTE> m_block;
};
