// GDI+ for the whole run of the program. Loading its library is the slowest
// part of a start under Wine (a tenth of a second and more, longer than the
// rest of the program's own start), and nothing draws with GDI+ before the
// window shows: so the library is loaded and GDI+ started on a thread of its
// own while the window is made.
#pragma once

#include "framework/UniqueHandle.h"

#include <windows.h>

#include <thread>

namespace gvt {

class CGdiplusSession {
public:
    // Starts GDI+ (version 1, no debug callback, its background thread and
    // external codecs not suppressed) on a thread of its own, or here when
    // no thread can be started. Whether it started is not checked: the run
    // goes on regardless.
    CGdiplusSession();
    // Waits for the start and shuts GDI+ down.
    ~CGdiplusSession();
    CGdiplusSession(const CGdiplusSession&) = delete;
    CGdiplusSession& operator=(const CGdiplusSession&) = delete;

private:
    void Start() noexcept;

    std::thread m_starting;
    CUniqueModule m_library;
    ULONG_PTR m_token = 0;
};

}  // namespace gvt
