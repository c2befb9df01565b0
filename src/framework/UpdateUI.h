// The update-UI table: the window keeps the state of its menu commands in
// one place and the table puts it on each popup menu as it opens.
//
//   BEGIN_UPDATE_UI_MAP(CMyDlg)
//       UPDATE_ELEMENT(ID_TOPMOST, UPDUI_MENUPOPUP)
//   END_UPDATE_UI_MAP()
//
// The window holds a CUpdateUI<CMyDlg> member, chains it
// (CHAIN_MSG_MAP_MEMBER) and sets states with UISetCheck; the table applies
// them on WM_INITMENUPOPUP and leaves the message unhandled for the maps
// after it. Menu items are the only kind of element, and a check mark the
// only state.
#pragma once

#include "framework/MessageMap.h"

#include <windows.h>

#include <cstddef>
#include <vector>

#define UPDUI_MENUPOPUP 0x0004

namespace gvt {

struct CUpdateUIEntry {
    UINT id;
    WORD type;
};

class CUpdateUIMap {
public:
    template <size_t N>
    constexpr CUpdateUIMap(const CUpdateUIEntry (&entries)[N]) noexcept : m_entries(entries), m_count(N)
    {
    }
    const CUpdateUIEntry* begin() const noexcept { return m_entries; }
    const CUpdateUIEntry* end() const noexcept { return m_entries + m_count; }

private:
    const CUpdateUIEntry* m_entries;
    size_t m_count;
};

class CUpdateUITable {
public:
    explicit CUpdateUITable(CUpdateUIMap map);

    // False for an id that is not in the table.
    bool UISetCheck(UINT id, bool checked) noexcept;
    bool UIGetCheck(UINT id) const noexcept;
    // Puts the states of the menu elements on a popup menu (and its
    // submenus); items the menu does not have are skipped.
    void ApplyToMenu(HMENU popup) const noexcept;

private:
    struct CElement {
        UINT id;
        WORD type;
        bool checked;
    };
    std::vector<CElement> m_elements;
};

template <class T>
class CUpdateUI : public CUpdateUITable {
public:
    CUpdateUI() : CUpdateUITable(T::GetUpdateUIMap()) {}

    BEGIN_MSG_MAP(CUpdateUI)
        MSG_WM_INITMENUPOPUP(OnUpdateUIInitMenuPopup)
    END_MSG_MAP()

private:
    void OnUpdateUIInitMenuPopup(HMENU popup, UINT, bool windowMenu, BOOL& bHandled) noexcept
    {
        if (!windowMenu)
            ApplyToMenu(popup);
        bHandled = FALSE;
    }
};

}  // namespace gvt

#define BEGIN_UPDATE_UI_MAP(thisClass)                       \
    static ::gvt::CUpdateUIMap GetUpdateUIMap() noexcept \
    {                                                        \
        static const ::gvt::CUpdateUIEntry entries[] = {
#define UPDATE_ELEMENT(id, type) {(id), (type)},
#define END_UPDATE_UI_MAP()              \
    }                                    \
    ;                                    \
    return ::gvt::CUpdateUIMap(entries); \
    }
