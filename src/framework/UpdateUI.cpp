#include "framework/UpdateUI.h"

namespace gvt {

CUpdateUITable::CUpdateUITable(CUpdateUIMap map)
{
    for (const CUpdateUIEntry& entry : map)
        m_elements.push_back(CElement{entry.id, entry.type, false});
}

bool CUpdateUITable::UISetCheck(UINT id, bool checked) noexcept
{
    for (CElement& element : m_elements) {
        if (element.id == id) {
            element.checked = checked;
            return true;
        }
    }
    return false;
}

bool CUpdateUITable::UIGetCheck(UINT id) const noexcept
{
    for (const CElement& element : m_elements) {
        if (element.id == id)
            return element.checked;
    }
    return false;
}

void CUpdateUITable::ApplyToMenu(HMENU popup) const noexcept
{
    for (const CElement& element : m_elements) {
        if (element.type & UPDUI_MENUPOPUP)
            ::CheckMenuItem(popup, element.id, MF_BYCOMMAND | (element.checked ? MF_CHECKED : MF_UNCHECKED));
    }
}

}  // namespace gvt
