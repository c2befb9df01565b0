// Which faces come from the added font files: every face name a file holds
// (as GDI lists it, so also its vertical "@" twin) leads to the files that
// hold it. Names compare as GDI compares them: without case, and only as far
// as a LOGFONT holds them.
#pragma once

#include "fonts/FontAdding.h"

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

namespace gvt {

class CAddedFaces {
public:
    void Add(const CAddedFile& file);
    void Clear() noexcept;

    // Whether the face comes from an added file, and from which, in the
    // order added.
    bool Holds(const wchar_t* faceName) const;
    std::vector<std::wstring> FilesOf(const wchar_t* faceName) const;

    // Every added file, in the order added, as the system was given it.
    const std::vector<std::wstring>& Files() const noexcept { return m_files; }
    // The faces the files hold.
    std::size_t FaceCount() const noexcept { return m_faceCount; }
    bool Empty() const noexcept { return m_files.empty(); }

private:
    static std::wstring Key(const wchar_t* faceName);

    std::vector<std::wstring> m_files;
    std::size_t m_faceCount = 0;
    std::unordered_map<std::wstring, std::vector<std::size_t>> m_faces;
};

}  // namespace gvt
