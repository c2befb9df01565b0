#include "application/RunApplication.h"

#include "application/MainDlg.h"
#include "commands/CommandTable.h"
#include "framework/AppModule.h"
#include "framework/DebugLog.h"
#include "framework/FaultPolicy.h"
#include "settings/AppSetting.h"

#include <windows.h>
#include <gdiplus.h>
#include <ole2.h>

namespace gvt {

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
    ULONG_PTR gdiplusToken = 0;
    const Gdiplus::GdiplusStartupInput gdiplusInput;
    Gdiplus::GdiplusStartup(&gdiplusToken, &gdiplusInput, nullptr);
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
    Gdiplus::GdiplusShutdown(gdiplusToken);
    return 0;
}

}  // namespace gvt
