#include "application/RunApplication.h"

#include <windows.h>
#include <ole2.h>

namespace gvt {

int RunProcess()
{
    ::OleInitialize(nullptr);
    const int result = RunApplication();
    ::OleUninitialize();
    return result;
}

int RunApplication()
{
    return 0;
}

}  // namespace gvt
