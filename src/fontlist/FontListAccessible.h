// The font list as screen readers and magnifiers see it through Active
// Accessibility: a list with one simple child per row (child id = row + 1)
// named by the row's caption, with the sample as its value. The system's
// own object for a list box takes the rows' names from item texts, which a
// no-data list does not keep, so the list box hands out this one.
//
// It keeps nothing about the rows: every call reads the list box, so a
// client holding it sees the rows shown now. Once the list box lets it go
// (its window is destroyed), every call answers CO_E_OBJNOTCONNECTED; calls
// from a thread other than the window's answer RPC_E_WRONG_THREAD.
#pragma once

#include "framework/ComPtr.h"

#include <windows.h>
#include <oleacc.h>

namespace gvt {

class CFontListBox;

class CFontListAccessible final : public IAccessible {
public:
    // The object for the list box's window; the list box keeps the first
    // reference and disconnects it before its window goes.
    static CComPtr<CFontListAccessible> Create(CFontListBox& list);
    void Disconnect() noexcept;

    CFontListAccessible(const CFontListAccessible&) = delete;
    CFontListAccessible& operator=(const CFontListAccessible&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch: clients call the IAccessible methods directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

private:
    CFontListAccessible(CFontListBox& list, CComPtr<IAccessible> standard) noexcept;
    ~CFontListAccessible() = default;

    // Runs `answer` on the window's thread while connected; an exception
    // is logged and answered E_FAIL, never passed to the client.
    template <typename F>
    HRESULT Answer(const wchar_t* where, F&& answer) noexcept;
    // The row a child id names, -1 for the list itself; false for an id
    // that names nothing.
    bool RowOf(const VARIANT& child, int& row) const noexcept;

    LONG m_references = 1;
    const DWORD m_thread;
    CFontListBox* m_list;
    // The system's object for the list's window: the list's parent and its
    // place among its siblings come from there.
    CComPtr<IAccessible> m_standard;
};

}  // namespace gvt
