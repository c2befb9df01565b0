// Last placement of the main dialog: maximised or not, and the normal rectangle.
#pragma once

#include <windows.h>

struct CWindowLayoutSetting {
    bool Maximized = false;
    RECT Rect{0, 0, 0, 0};  // all zero: never stored
};
