#include "controls/EditEx.h"

#include "framework/UniqueHandle.h"

namespace gvt {

namespace {

KeyEvent MakeKeyEvent(UINT key, UINT repeatCount, UINT keyFlags) noexcept
{
    KeyEvent event;
    event.Key = LOWORD(key);
    event.RepeatCount = repeatCount;
    event.KeyFlags = keyFlags;
    return event;
}

}  // namespace

void CEditEx::PaintOverlay(HDC) {}

void CEditEx::OnKeyDown(UINT key, UINT repeatCount, UINT keyFlags, BOOL& bHandled)
{
    KeyEvent event = MakeKeyEvent(key, repeatCount, keyFlags);
    m_keyDown.Fire(*this, event);
    bHandled = event.Handled;
}

void CEditEx::OnChar(UINT key, UINT repeatCount, UINT keyFlags, BOOL& bHandled)
{
    KeyEvent event = MakeKeyEvent(key, repeatCount, keyFlags);
    m_char.Fire(*this, event);
    bHandled = event.Handled;
}

void CEditEx::OnPaint(HDC dc, BOOL&)
{
    // The update region is gone once the edit has painted; keep a copy to
    // clip the overlay to what was really repainted.
    CUniqueRegion update(::CreateRectRgn(0, 0, 1, 1));
    if (update) {
        const int kind = ::GetUpdateRgn(m_hWnd, update.get(), FALSE);
        if (kind == NULLREGION || kind == ERROR)
            update.reset();
    }

    DefWindowProcW(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);

    CClientDC client(m_hWnd);
    if (!client)
        return;
    ::SelectClipRgn(client.get(), update.get());
    PaintOverlay(client.get());
}

}  // namespace gvt
