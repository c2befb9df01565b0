#include "base/ShellOpen.h"

#include <windows.h>
#include <shellapi.h>

namespace gvt {

bool ShellOpen(const std::wstring& file, const std::wstring& parameters)
{
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.lpFile = file.c_str();
    info.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (::ShellExecuteExW(&info))
        return true;
    ::MessageBeep(0);
    return false;
}

}  // namespace gvt
