// Everything the settings file keeps, in one process-wide record.
#pragma once

#include "settings/FontListDlgSetting.h"

#include <windows.h>

class CAppSetting {
public:
    CAppSetting() = default;

    bool TopMost = false;
    CFontListDlgSetting FontListDlg;
    LOGFONTW LogFont{};
    LOGFONTW TopLogFont{};

    // The one record of the run; set by the run before anything reads it.
    static CAppSetting* Instance() noexcept { return s_instance; }
    static void SetInstance(CAppSetting* setting) noexcept { s_instance = setting; }

private:
    static inline CAppSetting* s_instance = nullptr;
};
