#include "base/VersionInfo.h"

#include "base/Exception.h"
#include "base/IntConverter.h"
#include "base/TrimBlank.h"
#include "resources/resource.h"

#include <cwchar>

namespace {

const wchar_t kTranslation[] = L"\\VarFileInfo\\Translation";

std::wstring Hex4(WORD value)
{
    wchar_t text[5];
    std::swprintf(text, 5, L"%04x", value);
    return text;
}

}  // namespace

CVersionInfo::CVersionInfo(std::wstring path, std::vector<BYTE> block) : m_path(std::move(path)), m_block(std::move(block))
{
}

void CVersionInfo::Load(const std::wstring& path)
{
    m_path = path;
    m_block.clear();
    DWORD handle = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &handle);
    if (size == 0)
        throw my::CException(IDS_ERR_VERSION_SIZE, LastErrorResult(), path);
    m_block.resize(size);
    if (!::GetFileVersionInfoW(path.c_str(), handle, size, m_block.data())) {
        const HRESULT code = LastErrorResult();
        m_block.clear();
        throw my::CException(IDS_ERR_VERSION_MISSING, code, path);
    }
}

std::wstring CVersionInfo::QueryVersionString(const std::wstring& prefix, const std::wstring& name) const
{
    void* value = nullptr;
    UINT length = 0;
    if (m_block.empty() || !::VerQueryValueW(m_block.data(), kTranslation, &value, &length))
        throw my::CException(IDS_ERR_VERSION_VALUE_MISSING, m_path, kTranslation);
    if (length < 4)
        throw my::CException(IDS_ERR_VERSION_VALUE_EMPTY, m_path, kTranslation);

    const auto* entries = static_cast<const WORD*>(value);
    for (UINT i = 0; i < length / 4; ++i) {
        const std::wstring subBlock = prefix + Hex4(entries[2 * i]) + Hex4(entries[2 * i + 1]) + name;
        void* text = nullptr;
        UINT units = 0;
        if (::VerQueryValueW(m_block.data(), subBlock.c_str(), &text, &units) && units != 0) {
            std::wstring result(static_cast<const wchar_t*>(text), units);
            return result.substr(0, result.find(L'\0'));
        }
    }
    throw my::CException(IDS_ERR_VERSION_VALUE_MISSING, m_path, prefix + L"[ALL_TRANSLATES]" + name);
}

std::wstring CVersionInfo::ProductVersionText() const
{
    return QueryVersionString(L"\\StringFileInfo\\", L"\\ProductVersion");
}

std::wstring CVersionInfo::LegalCopyrightText() const
{
    return QueryVersionString(L"\\StringFileInfo\\", L"\\LegalCopyright");
}

std::array<WORD, 4> CVersionInfo::ReadProductVersion() const
{
    const std::wstring text = ProductVersionText();
    int numbers[4] = {0, 0, 0, 0};
    std::size_t begin = 0;
    for (unsigned count = 0; count < 4 && !text.empty(); ++count) {
        const std::size_t end = text.find_first_of(L".,", begin);
        if (!ParseUnsignedNumber(TrimBlank(text.substr(begin, end - begin)), numbers[count]))
            throw my::CException(IDS_ERR_VERSION_INVALID, m_path, text);
        if (end == std::wstring::npos)
            break;
        begin = end + 1;
    }
    std::array<WORD, 4> version{0, 0, 0, 0};
    for (unsigned i = 0; i < 4; ++i) {
        if (numbers[i] > 0xFFFF)
            throw my::CException::CastError(L"DWORD", L"WORD", std::to_wstring(static_cast<unsigned>(numbers[i])));
        version[i] = static_cast<WORD>(numbers[i]);
    }
    return version;
}
