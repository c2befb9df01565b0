#include "base/GdiplusSession.h"

#include "framework/DebugLog.h"
#include "framework/ProcAddress.h"

#include <gdiplus.h>

#include <system_error>

namespace gvt {

namespace {

using StartupFunction = Gdiplus::Status(WINAPI*)(ULONG_PTR*, const Gdiplus::GdiplusStartupInput*,
                                                 Gdiplus::GdiplusStartupOutput*);
using ShutdownFunction = void(WINAPI*)(ULONG_PTR);

}  // namespace

CGdiplusSession::CGdiplusSession()
{
    try {
        m_starting = std::thread([this] { Start(); });
    } catch (const std::system_error&) {
        LogCaughtException(L"starting GDI+ on a thread of its own");
        Start();
    }
}

CGdiplusSession::~CGdiplusSession()
{
    if (m_starting.joinable())
        m_starting.join();
    if (!m_library || m_token == 0)
        return;
    if (const auto shutdown = ProcAddress<ShutdownFunction>(m_library.get(), "GdiplusShutdown"))
        shutdown(m_token);
}

void CGdiplusSession::Start() noexcept
{
    m_library.reset(::LoadLibraryW(L"gdiplus.dll"));
    const auto startup = ProcAddress<StartupFunction>(m_library.get(), "GdiplusStartup");
    if (!startup)
        return;
    const Gdiplus::GdiplusStartupInput input;
    startup(&m_token, &input, nullptr);
}

}  // namespace gvt
