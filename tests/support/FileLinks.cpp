#include "support/FileLinks.h"

namespace gvt::test {

namespace {

// Wine makes no symbolic links on the disk and deletes a link's target
// instead of the link, but it follows Unix links and starts Unix programs:
// ln and rm do the work. False when this is not Wine.
bool RunUnixProgram(const char* program, const std::wstring& options, std::initializer_list<std::wstring> paths)
{
    const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
    using UnixName = char*(CDECL*)(const wchar_t*);
    using DosName = wchar_t*(CDECL*)(const char*);
    // Through void (*)(): a function pointer type that any other converts to.
    const auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void (*)()>(::GetProcAddress(kernel, "wine_get_unix_file_name")));
    const auto dosName =
        reinterpret_cast<DosName>(reinterpret_cast<void (*)()>(::GetProcAddress(kernel, "wine_get_dos_file_name")));
    wchar_t* dosProgram = dosName && unixName ? dosName(program) : nullptr;
    if (!dosProgram)
        return false;
    const std::wstring application = dosProgram;
    ::HeapFree(::GetProcessHeap(), 0, dosProgram);
    std::wstring command = L"x " + options;
    for (const std::wstring& path : paths) {
        char* name = unixName(path.c_str());
        std::wstring text(name ? ::MultiByteToWideChar(CP_UTF8, 0, name, -1, nullptr, 0) : 1, L'\0');
        if (name)
            ::MultiByteToWideChar(CP_UTF8, 0, name, -1, &text[0], static_cast<int>(text.size()));
        ::HeapFree(::GetProcessHeap(), 0, name);
        text.pop_back();
        command += L" \"" + text + L"\"";
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(application.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return false;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return true;
}

// A Unix process gives Wine no handle to wait on: its work shows when it is done.
bool AwaitLink(const std::wstring& link, bool present)
{
    for (int i = 0; i < 100; ++i) {
        if ((::GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES) == present)
            return true;
        ::Sleep(50);
    }
    return false;
}

}  // namespace

CSymbolicLink::CSymbolicLink(const std::wstring& link, const std::wstring& target) : m_link(link)
{
    if (RunUnixProgram("/bin/ln", L"-s", {target, link}))
        m_made = AwaitLink(link, true);
    else
        m_made = ::CreateSymbolicLinkW(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) &&
                 ::GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES;
}

CSymbolicLink::~CSymbolicLink()
{
    if (!m_made)
        return;
    if (RunUnixProgram("/bin/rm", L"-f", {m_link}))
        AwaitLink(m_link, false);
    else
        ::DeleteFileW(m_link.c_str());
}

namespace {

// The Unix path of the prefix's drive C, "<prefix>/dosdevices/c:/" as Wine
// gives it, in the DOS form of drive Z, which is the Unix root.
std::wstring DosDevicesFolder()
{
    const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
    using UnixName = char*(CDECL*)(const wchar_t*);
    const auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void (*)()>(::GetProcAddress(kernel, "wine_get_unix_file_name")));
    char* name = unixName ? unixName(L"C:\\") : nullptr;
    if (!name)
        return std::wstring();
    std::string text = name;
    ::HeapFree(::GetProcessHeap(), 0, name);
    const std::size_t drive = text.rfind("/dosdevices/");
    if (drive == std::string::npos)
        return std::wstring();
    text.resize(drive + 11);
    std::wstring folder = L"Z:";
    for (const char c : text)
        folder += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
    return folder;
}

}  // namespace

CNetworkShare::CNetworkShare(const std::wstring& folder)
{
    const std::wstring devices = DosDevicesFolder();
    if (devices.empty())
        return;
    const std::wstring host = L"gvt-host-" + std::to_wstring(::GetCurrentProcessId());
    ::CreateDirectoryW((devices + L"\\unc").c_str(), nullptr);
    m_hostFolder = devices + L"\\unc\\" + host;
    ::CreateDirectoryW(m_hostFolder.c_str(), nullptr);
    m_link.emplace(m_hostFolder + L"\\share", folder);
    if (m_link->Made())
        m_path = L"\\\\" + host + L"\\share";
}

CNetworkShare::~CNetworkShare()
{
    m_link.reset();
    if (!m_hostFolder.empty())
        ::RemoveDirectoryW(m_hostFolder.c_str());
}

}  // namespace gvt::test
