#include "CommandTestSupport.h"

#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include <cstring>
#include <cwchar>

namespace gvt::test {

CTestWindow::CTestWindow()
    : m_hwnd(::CreateWindowExW(0, L"STATIC", L"Glyvanter test owner", WS_POPUP, 10, 10, 200, 100, nullptr,
                               nullptr, ::GetModuleHandleW(nullptr), nullptr))
{
}

CTestWindow::~CTestWindow()
{
    if (m_hwnd)
        ::DestroyWindow(m_hwnd);
}

CLogFontPtr MakeFont(const wchar_t* face, LONG weight, bool italic)
{
    auto font = boost::make_shared<CLogFontW>();
    ::wcsncpy(font->lfFaceName, face, LF_FACESIZE - 1);
    font->lfWeight = weight;
    font->lfItalic = italic ? 1 : 0;
    font->lfHeight = 22;
    return font;
}

std::optional<std::wstring> ReadClipboardText()
{
    if (!::OpenClipboard(nullptr)) {
        ADD_FAILURE() << "the clipboard cannot be opened for reading";
        return std::nullopt;
    }
    std::optional<std::wstring> text;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* p = static_cast<const wchar_t*>(::GlobalLock(data))) {
            text = p;
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

void PutClipboardText(HWND owner, const std::wstring& text)
{
    ASSERT_TRUE(::OpenClipboard(owner));
    ::EmptyClipboard();
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (block) {
        std::memcpy(::GlobalLock(block), text.c_str(), bytes);
        ::GlobalUnlock(block);
        if (!::SetClipboardData(CF_UNICODETEXT, block))
            ::GlobalFree(block);
    }
    ::CloseClipboard();
    ASSERT_EQ(ReadClipboardText(), text);
}

std::vector<UINT> ClipboardFormats()
{
    std::vector<UINT> formats;
    if (!::OpenClipboard(nullptr)) {
        ADD_FAILURE() << "the clipboard cannot be opened for reading";
        return formats;
    }
    for (UINT f = ::EnumClipboardFormats(0); f != 0; f = ::EnumClipboardFormats(f))
        formats.push_back(f);
    ::CloseClipboard();
    return formats;
}

CClipboardSpy* CClipboardSpy::s_current = nullptr;

CClipboardSpy::CClipboardSpy()
{
    m_api.OpenClipboard = Open;
    m_api.EmptyClipboard = Empty;
    m_api.SetClipboardData = SetData;
    m_api.CloseClipboard = Close;
    m_api.GlobalAlloc = Alloc;
    m_api.GlobalLock = Lock;
    m_api.GlobalUnlock = Unlock;
    m_api.GlobalFree = Free;
    s_current = this;
    gvt::SetClipboardApi(&m_api);
}

CClipboardSpy::~CClipboardSpy()
{
    gvt::SetClipboardApi(nullptr);
    s_current = nullptr;
}

bool CClipboardSpy::Fails(const char* call)
{
    Calls.push_back(call);
    if (Failing != call)
        return false;
    ::SetLastError(FailingError);
    return true;
}

BOOL WINAPI CClipboardSpy::Open(HWND owner)
{
    return s_current->Fails("Open") ? FALSE : ::OpenClipboard(owner);
}

BOOL WINAPI CClipboardSpy::Empty()
{
    return s_current->Fails("Empty") ? FALSE : ::EmptyClipboard();
}

HANDLE WINAPI CClipboardSpy::SetData(UINT format, HANDLE data)
{
    s_current->Formats.push_back(format);
    return s_current->Fails("SetData") ? nullptr : ::SetClipboardData(format, data);
}

BOOL WINAPI CClipboardSpy::Close()
{
    s_current->Calls.push_back("Close");
    return ::CloseClipboard();
}

HGLOBAL WINAPI CClipboardSpy::Alloc(UINT flags, SIZE_T bytes)
{
    CClipboardSpy& spy = *s_current;
    spy.AllocFlags = flags;
    spy.AllocBytes = bytes;
    if (spy.Fails("Alloc"))
        return nullptr;
    spy.Allocated = ::GlobalAlloc(flags, bytes);
    return spy.Allocated;
}

LPVOID WINAPI CClipboardSpy::Lock(HGLOBAL block)
{
    return s_current->Fails("Lock") ? nullptr : ::GlobalLock(block);
}

BOOL WINAPI CClipboardSpy::Unlock(HGLOBAL block)
{
    s_current->Calls.push_back("Unlock");
    return ::GlobalUnlock(block);
}

HGLOBAL WINAPI CClipboardSpy::Free(HGLOBAL block)
{
    s_current->Calls.push_back("Free");
    s_current->Freed.push_back(block);
    return ::GlobalFree(block);
}

}  // namespace gvt::test
