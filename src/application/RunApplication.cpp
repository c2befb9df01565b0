#include "application/RunApplication.h"

#include "application/MainDlg.h"
#include "commands/CommandTable.h"
#include "framework/AppModule.h"
#include "framework/DebugLog.h"
#include "framework/FaultPolicy.h"
#include "framework/UniqueHandle.h"
#include "settings/AppSetting.h"

#include <windows.h>
#include <gdiplus.h>
#include <ole2.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace gvt {

namespace {

// The font files and folders named on the command line, made absolute
// against the current folder, as a drop on the program's icon or "Open with"
// names them.
std::vector<std::wstring> CommandLinePaths()
{
    std::vector<std::wstring> paths;
    int count = 0;
    const CUniqueHLocal arguments(::CommandLineToArgvW(::GetCommandLineW(), &count));
    const auto* argv = static_cast<wchar_t* const*>(arguments.get());
    for (int i = 1; argv && i < count; ++i) {
        const DWORD size = ::GetFullPathNameW(argv[i], 0, nullptr, nullptr);
        std::wstring path(size, L'\0');
        const DWORD length = size ? ::GetFullPathNameW(argv[i], size, &path[0], nullptr) : 0;
        path.resize(length > 0 && length < size ? length : 0);
        paths.push_back(path.empty() ? argv[i] : path);
    }
    return paths;
}

// GDI+ for the run, shut down by its token.
struct CGdiplusTokenTraits {
    using type = ULONG_PTR;
    static constexpr ULONG_PTR invalid() noexcept { return 0; }
    static void close(ULONG_PTR token) noexcept { Gdiplus::GdiplusShutdown(token); }
};

}  // namespace

int RunProcess()
{
    EndProcessOnProgramFaults();
    // Results are not checked: the run goes on with whatever came up.
    ::OleInitialize(nullptr);
    AppModule().Init();
    const int result = RunApplication();
    AppModule().Term();
    ::OleUninitialize();
    return result;
}

int RunApplication()
{
    const Gdiplus::GdiplusStartupInput gdiplusInput;
    CUniqueHandle<CGdiplusTokenTraits> gdiplus;
    Gdiplus::GdiplusStartup(gdiplus.put(), &gdiplusInput, nullptr);
    try {
        CAppSetting setting;
        CAppSetting::SetInstance(&setting);
        {
            CCommandTable commands;
            commands.Init()->Run();
            {
                CMainDlg dialog;
                dialog.Setting() = setting.FontListDlg;
                dialog.LogFont = setting.LogFont;
                dialog.TopLogFont = setting.TopLogFont;
                dialog.AddFonts(CommandLinePaths());

                dialog.DoModal(::GetActiveWindow());

                // Escape and the close box keep the changes just as OK does.
                setting.FontListDlg = dialog.Setting();
                setting.LogFont = dialog.LogFont;
                setting.TopLogFont = dialog.TopLogFont;

                commands.Quit()->Run();
            }
        }
        CAppSetting::SetInstance(nullptr);
    } catch (...) {
        // Only a lack of memory while building the objects gets here; the
        // commands capture and show their own errors.
        LogCaughtException(L"run");
        CAppSetting::SetInstance(nullptr);
    }
    return 0;
}

}  // namespace gvt
