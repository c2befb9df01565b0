#include "framework/Window.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace gvt {

namespace {

// Reads a text of known length through a buffer one longer, cut at the count
// the call reports (or at its first NUL when it reports none).
template <typename Read>
std::wstring ReadText(int length, Read read)
{
    if (length <= 0)
        return std::wstring();
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    const int copied = read(buffer.data(), length + 1);
    if (copied <= 0)
        return std::wstring();
    return std::wstring(buffer.data(), std::min(static_cast<size_t>(copied), static_cast<size_t>(length)));
}

}  // namespace

std::wstring CWindowW::GetWindowTextW() const
{
    return ReadText(::GetWindowTextLengthW(m_hWnd),
                    [this](wchar_t* buffer, int size) { return ::GetWindowTextW(m_hWnd, buffer, size); });
}

std::wstring CWindowW::GetClassNameW() const
{
    // Class names are at most 256 characters; the buffer leaves room to spare.
    wchar_t buffer[1024] = {};
    const int length = ::GetClassNameW(m_hWnd, buffer, static_cast<int>(std::size(buffer)));
    return std::wstring(buffer, length > 0 ? static_cast<size_t>(length) : 0);
}

bool CWindowW::GetRectInParent(RECT* rect) const noexcept
{
    if (!::GetWindowRect(m_hWnd, rect))
        return false;
    ::MapWindowPoints(nullptr, ::GetAncestor(m_hWnd, GA_PARENT), reinterpret_cast<POINT*>(rect), 2);
    return true;
}

POINT CenteredPosition(const RECT& window, const RECT& center, const RECT& work) noexcept
{
    const LONG width = window.right - window.left;
    const LONG height = window.bottom - window.top;
    POINT pos = {(center.left + center.right) / 2 - width / 2, (center.top + center.bottom) / 2 - height / 2};
    if (pos.x + width > work.right)
        pos.x = work.right - width;
    if (pos.y + height > work.bottom)
        pos.y = work.bottom - height;
    if (pos.x < work.left)
        pos.x = work.left;
    if (pos.y < work.top)
        pos.y = work.top;
    return pos;
}

bool CWindowW::CenterWindow(HWND center) noexcept
{
    if (!center)
        center = ::GetParent(m_hWnd);
    RECT window;
    if (!::GetWindowRect(m_hWnd, &window))
        return false;

    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    RECT reference;
    if (center && ::IsWindowVisible(center) && !::IsIconic(center) && ::GetWindowRect(center, &reference)) {
        ::GetMonitorInfoW(::MonitorFromWindow(center, MONITOR_DEFAULTTONEAREST), &monitor);
    } else {
        ::GetMonitorInfoW(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor);
        reference = monitor.rcWork;
    }

    const POINT pos = CenteredPosition(window, reference, monitor.rcWork);
    return ::SetWindowPos(m_hWnd, nullptr, pos.x, pos.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) != FALSE;
}

int CListBoxW::ItemFromPoint(POINT point, bool& outside) const noexcept
{
    const LRESULT result = SendMessageW(LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
    outside = HIWORD(result) != 0;
    return LOWORD(result);
}

int CListBoxW::RowAt(POINT point) const noexcept
{
    bool outside = false;
    const int row = ItemFromPoint(point, outside);
    RECT item{};
    if (outside || row >= GetCount() ||
        SendMessageW(LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)) == LB_ERR ||
        !::PtInRect(&item, point))
        return -1;
    return row;
}

bool CListBoxW::GetText(int index, std::wstring& text) const
{
    const int length = GetTextLen(index);
    if (length == LB_ERR)
        return false;
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    if (GetText(index, buffer.data()) == LB_ERR)
        return false;
    text.assign(buffer.data());
    return true;
}

bool CComboBoxW::GetLBText(int index, std::wstring& text) const
{
    const int length = GetLBTextLen(index);
    if (length == CB_ERR)
        return false;
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    if (GetLBText(index, buffer.data()) == CB_ERR)
        return false;
    text.assign(buffer.data());
    return true;
}

bool CComboBoxW::GetComboBoxInfo(COMBOBOXINFO* info) const noexcept
{
    info->cbSize = sizeof *info;
    return SendMessageW(CB_GETCOMBOBOXINFO, 0, reinterpret_cast<LPARAM>(info)) != FALSE;
}

void CEditW::GetSel(int& start, int& end) const noexcept
{
    DWORD first = 0;
    DWORD last = 0;
    SendMessageW(EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
    start = static_cast<int>(first);
    end = static_cast<int>(last);
}

void CEditW::SetSel(int start, int end, bool noScroll) noexcept
{
    SendMessageW(EM_SETSEL, start, end);
    if (!noScroll)
        SendMessageW(EM_SCROLLCARET);
}

}  // namespace gvt
