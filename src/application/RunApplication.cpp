#include "application/RunApplication.h"

#include "framework/AppModule.h"

#include <windows.h>
#include <ole2.h>

namespace gvt {

int RunProcess()
{
    ::OleInitialize(nullptr);
    AppModule().Init();
    const int result = RunApplication();
    AppModule().Term();
    ::OleUninitialize();
    return result;
}

int RunApplication()
{
    return 0;
}

}  // namespace gvt
