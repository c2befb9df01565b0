// Resizable dialogs: a resize map in the dialog class says which controls
// follow the dialog's bottom-right corner, and CDialogResize<T> moves and
// stretches them by the change of the client size since DlgResize_Init.
//
//   BEGIN_DLGRESIZE_MAP(CMyDlg)
//       DLGRESIZE_CONTROL(IDC_LIST, DLSZ_SIZE_X | DLSZ_SIZE_Y)
//       DLGRESIZE_CONTROL(IDOK, DLSZ_MOVE_X | DLSZ_MOVE_Y)
//   END_DLGRESIZE_MAP()
//
// The right edge follows the width change with DLSZ_SIZE_X or DLSZ_MOVE_X,
// the left edge only with DLSZ_MOVE_X; the same for bottom and top with the
// _Y flags. Unmapped controls stay where they are. The dialog chains the
// mix-in's map (CHAIN_MSG_MAP(CDialogResize<T>)) and calls DlgResize_Init
// from WM_INITDIALOG.
#pragma once

#include "framework/MessageMap.h"
#include "framework/UniqueHandle.h"

#include <windows.h>

#include <cstddef>
#include <vector>

#define DLSZ_SIZE_X 0x00000001
#define DLSZ_SIZE_Y 0x00000002
#define DLSZ_MOVE_X 0x00000004
#define DLSZ_MOVE_Y 0x00000008

namespace gvt {

struct CDlgResizeEntry {
    int id;
    DWORD flags;
};

// The entries of a resize map.
class CDlgResizeMap {
public:
    template <size_t N>
    constexpr CDlgResizeMap(const CDlgResizeEntry (&entries)[N]) noexcept : m_entries(entries), m_count(N)
    {
    }
    const CDlgResizeEntry* begin() const noexcept { return m_entries; }
    const CDlgResizeEntry* end() const noexcept { return m_entries + m_count; }

private:
    const CDlgResizeEntry* m_entries;
    size_t m_count;
};

// A control's rectangle after the client area grew by (dx, dy).
RECT ResizedRect(const RECT& original, DWORD flags, int dx, int dy) noexcept;

// The recorded geometry and the size grip of one dialog.
class CDialogResizeLayout {
public:
    CDialogResizeLayout() = default;
    CDialogResizeLayout(const CDialogResizeLayout&) = delete;
    CDialogResizeLayout& operator=(const CDialogResizeLayout&) = delete;

    // Records the client size and every mapped control's rectangle, adds the
    // grip and records the window size as the minimum tracking size.
    void Init(HWND dialog, CDlgResizeMap map, bool addGripper, bool useMinTrackSize);
    // Places the controls for a client area of the given size.
    void UpdateLayout(int cx, int cy) noexcept;
    // WM_SIZE: nothing while minimised; the grip hides while maximised.
    void OnSize(UINT type, SIZE client) noexcept;
    // WM_GETMINMAXINFO: false (not answered) without a minimum.
    bool OnGetMinMaxInfo(MINMAXINFO* info) const noexcept;
    // The window moved to a screen of another DPI: the recorded geometry
    // and the minimum are scaled along with it, every other child moves and
    // grows in place, and the dialog and its children take the dialog font
    // at the new DPI. The window's own size is the caller's (the system
    // suggests one); its WM_SIZE then places the mapped controls.
    void Rescale(UINT fromDpi, UINT toDpi) noexcept;
    HWND Grip() const noexcept { return m_grip; }

private:
    struct CControl {
        HWND hwnd;
        DWORD flags;
        RECT rect;
    };

    void AddControl(HWND control, DWORD flags);
    void AddGrip();

    HWND m_dialog = nullptr;
    SIZE m_client = {};
    POINT m_minTrack = {};
    bool m_useMinTrack = false;
    HWND m_grip = nullptr;
    std::vector<CControl> m_controls;
    // The dialog font made for the current DPI; the template's own font
    // belongs to the dialog manager.
    CUniqueFont m_font;
};

template <class T>
class CDialogResize {
public:
    BEGIN_MSG_MAP(CDialogResize)
        MSG_WM_SIZE(OnDlgResizeSize)
        MSG_WM_GETMINMAXINFO(OnDlgResizeGetMinMaxInfo)
    END_MSG_MAP()

    void DlgResize_Init(bool addGripper = true, bool useMinTrackSize = true)
    {
        m_dlgResize.Init(static_cast<T*>(this)->m_hWnd, T::GetDlgResizeMap(), addGripper, useMinTrackSize);
    }
    void DlgResize_UpdateLayout(int cx, int cy) noexcept { m_dlgResize.UpdateLayout(cx, cy); }
    void DlgResize_Rescale(UINT fromDpi, UINT toDpi) noexcept { m_dlgResize.Rescale(fromDpi, toDpi); }
    HWND DlgResize_Grip() const noexcept { return m_dlgResize.Grip(); }

private:
    // WM_SIZE stays unhandled, so that later maps and the default processing
    // see it as well.
    void OnDlgResizeSize(UINT type, SIZE client, BOOL& bHandled) noexcept
    {
        m_dlgResize.OnSize(type, client);
        bHandled = FALSE;
    }
    void OnDlgResizeGetMinMaxInfo(MINMAXINFO* info, BOOL& bHandled) noexcept
    {
        bHandled = m_dlgResize.OnGetMinMaxInfo(info);
    }

    CDialogResizeLayout m_dlgResize;
};

}  // namespace gvt

#define BEGIN_DLGRESIZE_MAP(thisClass)                        \
    static ::gvt::CDlgResizeMap GetDlgResizeMap() noexcept \
    {                                                         \
        static const ::gvt::CDlgResizeEntry entries[] = {
#define DLGRESIZE_CONTROL(id, flags) {(id), (flags)},
#define END_DLGRESIZE_MAP()              \
    }                                    \
    ;                                    \
    return ::gvt::CDlgResizeMap(entries); \
    }
