#include "controls/ListBoxCb.h"

namespace gvt {

LRESULT CListBoxCb::OnFindString(UINT, WPARAM wParam, LPARAM lParam, BOOL&)
{
    return SendMessageW(LB_FINDSTRINGEXACT, wParam, lParam);
}

LRESULT CListBoxCb::OnFindStringExact(UINT msg, WPARAM wParam, LPARAM lParam, BOOL&)
{
    if (UseDefaultFind)
        return DefWindowProcW(msg, wParam, lParam);
    const wchar_t* text = reinterpret_cast<const wchar_t*>(lParam);
    return FindExactItem(GetCount(), static_cast<int>(wParam), text ? std::wstring(text) : std::wstring(),
                         [this](int i, std::wstring& item) { return GetText(i, item); });
}

}  // namespace gvt
