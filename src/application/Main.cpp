#include "application/RunApplication.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    return gvt::RunProcess();
}
