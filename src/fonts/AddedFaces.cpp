#include "fonts/AddedFaces.h"

#include "fonts/FontFileWalk.h"

#include <windows.h>

#include <cwchar>

namespace gvt {

std::wstring CAddedFaces::Key(const wchar_t* faceName)
{
    if (faceName[0] == L'@')
        ++faceName;
    std::wstring key(faceName, ::wcsnlen(faceName, LF_FACESIZE - 1));
    if (!key.empty())
        ::CharUpperBuffW(&key[0], static_cast<DWORD>(key.size()));
    return key;
}

void CAddedFaces::Add(const CAddedFile& file)
{
    const std::size_t index = m_files.size();
    m_files.push_back(file.Path);
    m_faceCount += file.FaceCount;
    for (const std::wstring& face : file.Faces) {
        std::vector<std::size_t>& files = m_faces[Key(face.c_str())];
        if (files.empty() || files.back() != index)
            files.push_back(index);
    }
}

void CAddedFaces::Clear() noexcept
{
    m_files.clear();
    m_faces.clear();
    m_faceCount = 0;
}

bool CAddedFaces::Holds(const wchar_t* faceName) const
{
    return m_faces.count(Key(faceName)) != 0;
}

std::vector<std::wstring> CAddedFaces::FilesOf(const wchar_t* faceName) const
{
    std::vector<std::wstring> files;
    const auto found = m_faces.find(Key(faceName));
    if (found != m_faces.end())
        for (const std::size_t index : found->second)
            files.push_back(ShortPath(m_files[index]));
    return files;
}

}  // namespace gvt
