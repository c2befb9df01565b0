#include "support/PrivateFonts.h"

#include <windows.h>

namespace gvt::test {

CPrivateFonts::CPrivateFonts(std::initializer_list<const wchar_t*> files)
{
    for (const wchar_t* file : files) {
        m_files.emplace_back(file);
        m_loaded.push_back(::AddFontResourceExW(file, FR_PRIVATE, nullptr) > 0);
    }
}

CPrivateFonts::~CPrivateFonts()
{
    for (std::size_t i = 0; i < m_files.size(); ++i)
        if (m_loaded[i])
            ::RemoveFontResourceExW(m_files[i].c_str(), FR_PRIVATE, nullptr);
}

std::wstring CPrivateFonts::Missing() const
{
    for (std::size_t i = 0; i < m_files.size(); ++i)
        if (!m_loaded[i])
            return m_files[i];
    return std::wstring();
}

std::wstring GeneratedFont(const wchar_t* file)
{
    std::wstring path(MAX_PATH, L'\0');
    path.resize(::GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size())));
    path.erase(path.find_last_of(L'\\') + 1);
    return path + L"test-fonts\\" + file;
}

}  // namespace gvt::test
