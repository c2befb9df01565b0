#include "SettingsTestSupport.h"

#include "base/ResourceString.h"

#include <gtest/gtest.h>
#include <objbase.h>

#include <algorithm>
#include <fstream>
#include <iterator>

namespace gvt::test {

namespace {

// The DOM is a COM object: the test program's one thread joins an apartment.
class CComEnvironment : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
    void TearDown() override { ::CoUninitialize(); }
};
::testing::Environment* const g_com = ::testing::AddGlobalTestEnvironment(new CComEnvironment);

}  // namespace

CTempFolder::CTempFolder()
{
    static unsigned counter = 0;
    wchar_t temp[MAX_PATH];
    const DWORD length = ::GetTempPathW(MAX_PATH, temp);
    m_path.assign(temp, length);
    if (!m_path.empty() && m_path.back() == L'\\')
        m_path.pop_back();
    m_path += L"\\gvt-settings-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
    RemoveTree(m_path);
    if (!::CreateDirectoryW(m_path.c_str(), nullptr))
        ADD_FAILURE() << "cannot create the scratch folder";
}

void CTempFolder::RemoveTree(const std::wstring& path)
{
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW((path + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring child = path + L"\\" + name;
            ::SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                ::DeleteFileW(child.c_str());
        } while (::FindNextFileW(find, &data));
        ::FindClose(find);
    }
    ::RemoveDirectoryW(path.c_str());
}

CTempFolder::~CTempFolder()
{
    RemoveTree(m_path);
}

std::vector<std::wstring> CTempFolder::Names() const
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW((m_path + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(name);
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadBytes(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::wstring& path, const std::string& bytes)
{
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        ADD_FAILURE() << "cannot write the test file";
}

std::string Utf8(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &bytes[0], size, nullptr, nullptr);
    return bytes;
}

void Parse(CParsed& parsed, const std::wstring& text, const std::wstring& rootName)
{
    ASSERT_TRUE(parsed.Doc.LoadText(text)) << parsed.Doc.Error().MessageId;
    ASSERT_TRUE(parsed.Doc.SelectRoot(rootName, parsed.Root)) << parsed.Doc.Error().MessageId;
}

int CRecordingMsg::Show(const std::wstring& text, UINT type)
{
    Texts.push_back(text);
    Types.push_back(type);
    if (Answers.empty())
        return IDCANCEL;
    const int answer = Answers.front();
    Answers.pop_front();
    return answer;
}

void CRecordingMsg::Script(std::initializer_list<int> answers)
{
    Texts.clear();
    Types.clear();
    Answers.assign(answers);
}

std::wstring Formatted(UINT id, std::initializer_list<std::wstring> args)
{
    std::wstring text;
    FormatMessageText(text, id, args);
    return text;
}

}  // namespace gvt::test
