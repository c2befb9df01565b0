#include "fontlist/FontListAccessible.h"

#include "fontlist/FontListBox.h"
#include "framework/DebugLog.h"

#include <string>
#include <utility>

namespace gvt {

namespace {

// The text answers: S_FALSE for none, as the system's objects answer.
HRESULT GiveText(const std::wstring& text, BSTR* out) noexcept
{
    if (text.empty())
        return S_FALSE;
    *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT GiveChild(long id, VARIANT* out) noexcept
{
    out->vt = VT_I4;
    out->lVal = id;
    return S_OK;
}

HRESULT GiveNothing(VARIANT* out) noexcept
{
    out->vt = VT_EMPTY;
    return S_FALSE;
}

// A control is named by the static text just before it in the z-order (the
// dialog's tab order), without the "&" of its mnemonic.
std::wstring LabelOf(HWND window)
{
    const CWindowW label(::GetWindow(window, GW_HWNDPREV));
    if (!label.m_hWnd || ::lstrcmpiW(label.GetClassNameW().c_str(), L"Static") != 0)
        return std::wstring();
    switch (label.GetStyle() & SS_TYPEMASK) {
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT:
    case SS_SIMPLE:
    case SS_LEFTNOWORDWRAP:
        break;
    default:
        return std::wstring();
    }
    const std::wstring text = label.GetWindowTextW();
    std::wstring name;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size())
            ++i;
        name += text[i];
    }
    return name;
}

bool RowInView(const CFontListBox& list, int row) noexcept
{
    RECT item{}, client{}, both{};
    return list.GetItemRect(row, &item) && list.GetClientRect(&client) && ::IntersectRect(&both, &item, &client);
}

}  // namespace

CComPtr<CFontListAccessible> CFontListAccessible::Create(CFontListBox& list)
{
    // Without the system's object the list still answers for itself and its
    // rows; only the way up and to its siblings is missing.
    CComPtr<IAccessible> standard;
    if (FAILED(::CreateStdAccessibleObject(list.m_hWnd, OBJID_CLIENT, __uuidof(IAccessible), standard.put_void())))
        standard.reset();
    return CComPtr<CFontListAccessible>::Attach(new CFontListAccessible(list, std::move(standard)));
}

CFontListAccessible::CFontListAccessible(CFontListBox& list, CComPtr<IAccessible> standard) noexcept
    : m_thread(::GetCurrentThreadId()), m_list(&list), m_standard(std::move(standard))
{
}

void CFontListAccessible::Disconnect() noexcept
{
    m_list = nullptr;
    m_standard.reset();
    // Clients in other processes get RPC_E_DISCONNECTED from now on.
    ::CoDisconnectObject(static_cast<IAccessible*>(this), 0);
}

template <typename F>
HRESULT CFontListAccessible::Answer(const wchar_t* where, F&& answer) noexcept
{
    if (::GetCurrentThreadId() != m_thread)
        return RPC_E_WRONG_THREAD;
    if (!m_list)
        return CO_E_OBJNOTCONNECTED;
    try {
        return answer(*m_list);
    } catch (...) {
        LogCaughtException(where);
        return E_FAIL;
    }
}

bool CFontListAccessible::RowOf(const VARIANT& child, int& row) const noexcept
{
    if (child.vt == VT_EMPTY) {
        row = -1;
        return true;
    }
    if (child.vt != VT_I4 || child.lVal < 0 || static_cast<unsigned long>(child.lVal) > m_list->GetItems().size())
        return false;
    row = static_cast<int>(child.lVal) - 1;
    return true;
}

HRESULT CFontListAccessible::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (IsEqualIID(iid, __uuidof(IUnknown)) || IsEqualIID(iid, __uuidof(IDispatch)) ||
        IsEqualIID(iid, __uuidof(IAccessible))) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG CFontListAccessible::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_references));
}

ULONG CFontListAccessible::Release()
{
    const LONG left = ::InterlockedDecrement(&m_references);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

HRESULT CFontListAccessible::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT CFontListAccessible::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}

HRESULT CFontListAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

HRESULT CFontListAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    return E_NOTIMPL;
}

HRESULT CFontListAccessible::get_accParent(IDispatch** parent)
{
    if (!parent)
        return E_POINTER;
    *parent = nullptr;
    return Answer(L"accessible parent", [&](CFontListBox&) {
        return m_standard ? m_standard->get_accParent(parent) : S_FALSE;
    });
}

HRESULT CFontListAccessible::get_accChildCount(long* count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return Answer(L"accessible child count", [&](CFontListBox& list) {
        *count = RowCount(list.GetItems().size());
        return S_OK;
    });
}

HRESULT CFontListAccessible::get_accChild(VARIANT child, IDispatch** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    // Rows are simple elements: the client asks this object about them.
    return Answer(L"accessible child", [&](CFontListBox&) {
        int row = -1;
        return RowOf(child, row) && row >= 0 ? S_FALSE : E_INVALIDARG;
    });
}

HRESULT CFontListAccessible::get_accName(VARIANT child, BSTR* name)
{
    if (!name)
        return E_POINTER;
    *name = nullptr;
    return Answer(L"accessible name", [&](CFontListBox& list) {
        int row = -1;
        if (!RowOf(child, row))
            return E_INVALIDARG;
        return GiveText(row < 0 ? LabelOf(list.m_hWnd) : list.RowCaption(static_cast<std::size_t>(row)), name);
    });
}

HRESULT CFontListAccessible::get_accValue(VARIANT child, BSTR* value)
{
    if (!value)
        return E_POINTER;
    *value = nullptr;
    return Answer(L"accessible value", [&](CFontListBox& list) {
        int row = -1;
        if (!RowOf(child, row))
            return E_INVALIDARG;
        return row < 0 ? S_FALSE : GiveText(list.RowSample(static_cast<std::size_t>(row)), value);
    });
}

HRESULT CFontListAccessible::get_accDescription(VARIANT child, BSTR* description)
{
    if (!description)
        return E_POINTER;
    *description = nullptr;
    return Answer(L"accessible description", [&](CFontListBox&) {
        int row = -1;
        return RowOf(child, row) ? S_FALSE : E_INVALIDARG;
    });
}

HRESULT CFontListAccessible::get_accRole(VARIANT child, VARIANT* role)
{
    if (!role)
        return E_POINTER;
    ::VariantInit(role);
    return Answer(L"accessible role", [&](CFontListBox&) {
        int row = -1;
        if (!RowOf(child, row))
            return E_INVALIDARG;
        return GiveChild(row < 0 ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_LISTITEM, role);
    });
}

HRESULT CFontListAccessible::get_accState(VARIANT child, VARIANT* state)
{
    if (!state)
        return E_POINTER;
    ::VariantInit(state);
    return Answer(L"accessible state", [&](CFontListBox& list) {
        int row = -1;
        if (!RowOf(child, row))
            return E_INVALIDARG;
        const bool focused = ::GetFocus() == list.m_hWnd;
        long flags = STATE_SYSTEM_FOCUSABLE;
        if (row < 0) {
            flags |= (focused ? STATE_SYSTEM_FOCUSED : 0) | (list.IsWindowVisible() ? 0 : STATE_SYSTEM_INVISIBLE) |
                     (list.IsWindowEnabled() ? 0 : STATE_SYSTEM_UNAVAILABLE);
        } else {
            flags |= STATE_SYSTEM_SELECTABLE | (row == list.GetCurSel() ? STATE_SYSTEM_SELECTED : 0) |
                     (focused && row == list.GetCaretIndex() ? STATE_SYSTEM_FOCUSED : 0) |
                     (RowInView(list, row) ? 0 : STATE_SYSTEM_OFFSCREEN);
        }
        return GiveChild(flags, state);
    });
}

HRESULT CFontListAccessible::get_accHelp(VARIANT child, BSTR* help)
{
    if (!help)
        return E_POINTER;
    *help = nullptr;
    return Answer(L"accessible help", [&](CFontListBox&) {
        int row = -1;
        return RowOf(child, row) ? S_FALSE : E_INVALIDARG;
    });
}

HRESULT CFontListAccessible::get_accHelpTopic(BSTR* file, VARIANT child, long* topic)
{
    if (!file || !topic)
        return E_POINTER;
    *file = nullptr;
    *topic = 0;
    return Answer(L"accessible help topic", [&](CFontListBox&) {
        int row = -1;
        return RowOf(child, row) ? S_FALSE : E_INVALIDARG;
    });
}

HRESULT CFontListAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut)
{
    if (!shortcut)
        return E_POINTER;
    *shortcut = nullptr;
    // The list's shortcut is its label's mnemonic, which the system's
    // object knows how to say; rows have none.
    return Answer(L"accessible keyboard shortcut", [&](CFontListBox&) {
        int row = -1;
        if (!RowOf(child, row))
            return E_INVALIDARG;
        return row < 0 && m_standard ? m_standard->get_accKeyboardShortcut(child, shortcut) : S_FALSE;
    });
}

HRESULT CFontListAccessible::get_accFocus(VARIANT* child)
{
    if (!child)
        return E_POINTER;
    ::VariantInit(child);
    return Answer(L"accessible focus", [&](CFontListBox& list) {
        if (::GetFocus() != list.m_hWnd)
            return GiveNothing(child);
        const int caret = list.GetCaretIndex();
        const bool onRow = caret >= 0 && static_cast<std::size_t>(caret) < list.GetItems().size();
        return GiveChild(onRow ? caret + 1 : CHILDID_SELF, child);
    });
}

HRESULT CFontListAccessible::get_accSelection(VARIANT* children)
{
    if (!children)
        return E_POINTER;
    ::VariantInit(children);
    return Answer(L"accessible selection", [&](CFontListBox& list) {
        const int selected = list.GetCurSel();
        return selected >= 0 ? GiveChild(selected + 1, children) : GiveNothing(children);
    });
}

HRESULT CFontListAccessible::get_accDefaultAction(VARIANT child, BSTR* action)
{
    if (!action)
        return E_POINTER;
    *action = nullptr;
    return Answer(L"accessible default action", [&](CFontListBox&) {
        int row = -1;
        return RowOf(child, row) ? S_FALSE : E_INVALIDARG;
    });
}

HRESULT CFontListAccessible::accSelect(long flags, VARIANT child)
{
    return Answer(L"accessible select", [&](CFontListBox& list) {
        int row = -1;
        if (!RowOf(child, row))
            return E_INVALIDARG;
        // One row is selected at a time, and it is the caret's row: adding
        // to, extending or removing the selection means nothing here.
        constexpr long kTaken = SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION;
        if (flags == 0 || (flags & ~kTaken) != 0 || (row < 0 && flags != SELFLAG_TAKEFOCUS))
            return E_INVALIDARG;
        if (flags & SELFLAG_TAKEFOCUS)
            list.SetFocus();
        if (row >= 0)
            list.SelectAsKeyboard(row);
        return S_OK;
    });
}

HRESULT CFontListAccessible::accLocation(long* left, long* top, long* width, long* height, VARIANT child)
{
    if (!left || !top || !width || !height)
        return E_POINTER;
    *left = *top = *width = *height = 0;
    return Answer(L"accessible location", [&](CFontListBox& list) {
        int row = -1;
        if (!RowOf(child, row))
            return E_INVALIDARG;
        RECT rect{};
        if (!(row < 0 ? list.GetClientRect(&rect) : list.GetItemRect(row, &rect)))
            return E_FAIL;
        POINT origin{rect.left, rect.top};
        list.ClientToScreen(&origin);
        *left = origin.x;
        *top = origin.y;
        *width = rect.right - rect.left;
        *height = rect.bottom - rect.top;
        return S_OK;
    });
}

HRESULT CFontListAccessible::accNavigate(long direction, VARIANT start, VARIANT* end)
{
    if (!end)
        return E_POINTER;
    ::VariantInit(end);
    return Answer(L"accessible navigation", [&](CFontListBox& list) {
        int row = -1;
        if (!RowOf(start, row))
            return E_INVALIDARG;
        const int count = RowCount(list.GetItems().size());
        if (row < 0) {
            if (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD) {
                if (count == 0)
                    return GiveNothing(end);
                return GiveChild(direction == NAVDIR_FIRSTCHILD ? 1 : count, end);
            }
            // The list's siblings are the dialog's business.
            return m_standard ? m_standard->accNavigate(direction, start, end) : GiveNothing(end);
        }
        switch (direction) {
        case NAVDIR_NEXT:
        case NAVDIR_DOWN:
            return row + 1 < count ? GiveChild(row + 2, end) : GiveNothing(end);
        case NAVDIR_PREVIOUS:
        case NAVDIR_UP:
            return row > 0 ? GiveChild(row, end) : GiveNothing(end);
        case NAVDIR_LEFT:
        case NAVDIR_RIGHT:
            return GiveNothing(end);
        default:
            return E_INVALIDARG;
        }
    });
}

HRESULT CFontListAccessible::accHitTest(long left, long top, VARIANT* child)
{
    if (!child)
        return E_POINTER;
    ::VariantInit(child);
    return Answer(L"accessible hit test", [&](CFontListBox& list) {
        POINT point{left, top};
        RECT client{};
        if (!list.ScreenToClient(&point) || !list.GetClientRect(&client) || !::PtInRect(&client, point))
            return GiveNothing(child);
        const int row = list.RowAt(point);
        return GiveChild(row >= 0 ? row + 1 : CHILDID_SELF, child);
    });
}

HRESULT CFontListAccessible::accDoDefaultAction(VARIANT child)
{
    return Answer(L"accessible default action", [&](CFontListBox&) {
        int row = -1;
        return RowOf(child, row) ? DISP_E_MEMBERNOTFOUND : E_INVALIDARG;
    });
}

HRESULT CFontListAccessible::put_accName(VARIANT, BSTR)
{
    return E_NOTIMPL;
}

HRESULT CFontListAccessible::put_accValue(VARIANT, BSTR)
{
    return E_NOTIMPL;
}

}  // namespace gvt
