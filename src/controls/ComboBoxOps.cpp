#include "controls/ComboBoxOps.h"

#include "framework/UniqueHandle.h"

#include <algorithm>

namespace gvt {

namespace {

// Left and right padding of an item in the drop-down list.
constexpr int kItemMargin = 6;

}  // namespace

bool GetItemText(const CComboBoxW& combo, int index, std::wstring& text)
{
    return combo.GetLBText(index, text);
}

std::wstring GetText(const CWindowW& window)
{
    return window.GetWindowTextW();
}

int FindItemExact(const CComboBoxW& combo, const std::wstring& text)
{
    // CB_FINDSTRINGEXACT ignores case, which would mix up "ab" and "AB".
    return FindExactItem(combo.GetCount(), 0, text,
                         [&](int i, std::wstring& item) { return GetItemText(combo, i, item); });
}

bool SetText(CComboBoxW combo, const std::wstring& text)
{
    if (GetText(combo) == text)
        return true;
    const int index = FindItemExact(combo, text);
    if (index >= 0 && combo.SetCurSel(index) != CB_ERR)
        return true;
    combo.SetCurSel(-1);
    return combo.SetWindowTextIfChanged(text);
}

void AdjustDroppedWidth(CComboBoxW combo)
{
    CClientDC dc(combo);
    if (!dc)
        return;
    CSelectObject font(dc.get(), combo.GetFont());

    int extra = kItemMargin;
    COMBOBOXINFO info = {};
    if (combo.GetComboBoxInfo(&info) && info.hwndList && (CWindowW(info.hwndList).GetStyle() & WS_VSCROLL))
        extra += ::GetSystemMetrics(SM_CXVSCROLL);

    int width = 0;
    const int count = combo.GetCount();
    std::wstring item;
    for (int i = 0; i < count; ++i) {
        if (!GetItemText(combo, i, item))
            continue;
        SIZE size = {};
        if (::GetTextExtentPoint32W(dc.get(), item.c_str(), static_cast<int>(item.size()), &size))
            width = std::max(width, static_cast<int>(size.cx) + extra);
    }

    RECT client = {};
    combo.GetClientRect(&client);
    combo.SetDroppedWidth(static_cast<UINT>(std::max(width, static_cast<int>(client.right - client.left))));
}

HWND FindEditChild(HWND window)
{
    for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (::lstrcmpiW(CWindowW(child).GetClassNameW().c_str(), L"Edit") == 0)
            return child;
    }
    return nullptr;
}

}  // namespace gvt
