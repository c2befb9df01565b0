#include "framework/DialogResize.h"

namespace gvt {

RECT ResizedRect(const RECT& original, DWORD flags, int dx, int dy) noexcept
{
    RECT rect = original;
    if (flags & DLSZ_MOVE_X)
        rect.left += dx;
    if (flags & (DLSZ_MOVE_X | DLSZ_SIZE_X))
        rect.right += dx;
    if (flags & DLSZ_MOVE_Y)
        rect.top += dy;
    if (flags & (DLSZ_MOVE_Y | DLSZ_SIZE_Y))
        rect.bottom += dy;
    return rect;
}

void CDialogResizeLayout::Init(HWND dialog, CDlgResizeMap map, bool addGripper, bool useMinTrackSize)
{
    if (m_grip) {
        ::DestroyWindow(m_grip);
        m_grip = nullptr;
    }
    m_controls.clear();
    m_dialog = dialog;

    RECT client = {};
    ::GetClientRect(dialog, &client);
    m_client = SIZE{client.right, client.bottom};

    for (const CDlgResizeEntry& entry : map) {
        if (HWND control = ::GetDlgItem(dialog, entry.id))
            AddControl(control, entry.flags);
    }
    if (addGripper)
        AddGrip();

    RECT window = {};
    ::GetWindowRect(dialog, &window);
    m_minTrack = POINT{window.right - window.left, window.bottom - window.top};
    m_useMinTrack = useMinTrackSize;
}

void CDialogResizeLayout::AddControl(HWND control, DWORD flags)
{
    RECT rect = {};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, m_dialog, reinterpret_cast<POINT*>(&rect), 2);
    m_controls.push_back(CControl{control, flags, rect});
}

void CDialogResizeLayout::AddGrip()
{
    // Given the whole client area, the size box style places the grip in its
    // bottom-right corner at the system's size; from there it moves with the
    // corner. It goes on top so that no stretched control covers it.
    m_grip = ::CreateWindowExW(0, L"SCROLLBAR", nullptr,
                               WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SBS_SIZEGRIP | SBS_SIZEBOXBOTTOMRIGHTALIGN,
                               0, 0, m_client.cx, m_client.cy, m_dialog, nullptr,
                               reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(m_dialog, GWLP_HINSTANCE)), nullptr);
    if (!m_grip)
        return;
    ::SetWindowPos(m_grip, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (::IsZoomed(m_dialog))
        ::ShowWindow(m_grip, SW_HIDE);
    AddControl(m_grip, DLSZ_MOVE_X | DLSZ_MOVE_Y);
}

void CDialogResizeLayout::UpdateLayout(int cx, int cy) noexcept
{
    const int dx = cx - m_client.cx;
    const int dy = cy - m_client.cy;
    for (const CControl& control : m_controls) {
        const RECT rect = ResizedRect(control.rect, control.flags, dx, dy);
        ::SetWindowPos(control.hwnd, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CDialogResizeLayout::Rescale(UINT fromDpi, UINT toDpi) noexcept
{
    if (!m_dialog || fromDpi == 0 || fromDpi == toDpi)
        return;
    const auto scale = [&](LONG& value) {
        value = ::MulDiv(value, static_cast<int>(toDpi), static_cast<int>(fromDpi));
    };
    scale(m_client.cx);
    scale(m_client.cy);
    scale(m_minTrack.x);
    scale(m_minTrack.y);
    for (CControl& control : m_controls) {
        scale(control.rect.left);
        scale(control.rect.top);
        scale(control.rect.right);
        scale(control.rect.bottom);
    }

    const auto mapped = [&](HWND child) {
        for (const CControl& control : m_controls)
            if (control.hwnd == child)
                return true;
        return false;
    };
    for (HWND child = ::GetWindow(m_dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (mapped(child))
            continue;
        RECT rect = {};
        ::GetWindowRect(child, &rect);
        ::MapWindowPoints(nullptr, m_dialog, reinterpret_cast<POINT*>(&rect), 2);
        // A combo box's height is its dropped-down height; the edit part
        // follows the font.
        wchar_t name[16] = {};
        if (::GetClassNameW(child, name, 16) && ::lstrcmpiW(name, L"ComboBox") == 0) {
            RECT dropped = {};
            if (::SendMessageW(child, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped)))
                rect.bottom = rect.top + (dropped.bottom - dropped.top);
        }
        scale(rect.left);
        scale(rect.top);
        scale(rect.right);
        scale(rect.bottom);
        ::SetWindowPos(child, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }

    // The dialog's own answer to WM_GETFONT stays the template's font on
    // some systems, so ours is the current one once we made it.
    const HFONT old = m_font ? m_font.get() : reinterpret_cast<HFONT>(::SendMessageW(m_dialog, WM_GETFONT, 0, 0));
    LOGFONTW lf = {};
    if (!old || ::GetObjectW(old, sizeof lf, &lf) != sizeof lf)
        return;
    scale(lf.lfHeight);
    CUniqueFont font(::CreateFontIndirectW(&lf));
    if (!font)
        return;
    ::SendMessageW(m_dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    for (HWND child = ::GetWindow(m_dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (reinterpret_cast<HFONT>(::SendMessageW(child, WM_GETFONT, 0, 0)) == old)
            ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    // No window uses the previous font of ours any more.
    m_font = std::move(font);
}

void CDialogResizeLayout::OnSize(UINT type, SIZE client) noexcept
{
    if (!m_dialog || type == SIZE_MINIMIZED)
        return;
    if (m_grip) {
        if (type == SIZE_MAXIMIZED)
            ::ShowWindow(m_grip, SW_HIDE);
        else if (type == SIZE_RESTORED)
            ::ShowWindow(m_grip, SW_SHOW);
    }
    UpdateLayout(client.cx, client.cy);
}

bool CDialogResizeLayout::OnGetMinMaxInfo(MINMAXINFO* info) const noexcept
{
    if (!m_dialog || !m_useMinTrack)
        return false;
    info->ptMinTrackSize = m_minTrack;
    return true;
}

}  // namespace gvt
