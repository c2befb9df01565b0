// A dialog over the real main template that binds the controls with the main
// dialog's own binder, after the layout as the main dialog does; control
// notifications are reflected, and the Enter rule of the dialog's
// pre-translation applies. Every change event is recorded with the control
// that sent it.
#pragma once

#include "controls/FontListControls.h"
#include "controls/WindowLayoutManager.h"
#include "framework/DialogImpl.h"
#include "framework/DialogResize.h"
#include "resources/resource.h"
#include "settings/FontListDlgSetting.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace gvt::test {

// Handles every queued message of the thread, so posted applies run.
inline void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

struct CChangeEvent {
    const void* sender;
    std::string listener;
    int code;  // the sample text's change code; -1 for the other controls
};

// Written as a template over the final class, like the main dialog, so that
// its listeners are member functions of a class template.
template <class T>
class CControlsHostImpl : public CDialogImpl<T>,
                          public CDialogResize<T>,
                          public CWindowLayoutManager<T, WM_DEFERRED_SHOW>,
                          public CFontListControls<CFontListDlgSetting> {
public:
    enum { IDD = IDD_MAIN };

    CControlsHostImpl() { this->SetLayout(&Setting.WindowLayout); }

    BEGIN_DLGRESIZE_MAP(CControlsHostImpl)
        DLGRESIZE_CONTROL(IDC_SAMPLE_TEXT, DLSZ_SIZE_X)
        DLGRESIZE_CONTROL(IDC_FONT_LIST, DLSZ_SIZE_X | DLSZ_SIZE_Y)
        DLGRESIZE_CONTROL(IDC_STATUS, DLSZ_SIZE_X | DLSZ_MOVE_Y)
        DLGRESIZE_CONTROL(IDOK, DLSZ_MOVE_X | DLSZ_MOVE_Y)
        DLGRESIZE_CONTROL(IDCANCEL, DLSZ_MOVE_X | DLSZ_MOVE_Y)
    END_DLGRESIZE_MAP()

    BEGIN_MSG_MAP(CControlsHostImpl)
        MSG_WM_INITDIALOG(OnInitDialog)
        CHAIN_MSG_MAP(CDialogResize<T>)
        CHAIN_MSG_MAP(CWindowLayoutManager<T, WM_DEFERRED_SHOW>)
        REFLECT_NOTIFICATIONS()
    END_MSG_MAP()

    // The main dialog's rule: a first Enter key-down in the sample-text
    // field stores the text in the history and goes no further.
    BOOL PreTranslateMessage(MSG* msg)
    {
        if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN && !(msg->lParam & (1 << 30))) {
            const HWND focus = ::GetFocus();
            if (focus && (focus == SampleText.m_hWnd || SampleText.IsChild(focus))) {
                Setting.SampleTexts.Add(Setting.SampleText);
                SampleText.FillFromMru();
                return TRUE;
            }
        }
        return ::IsDialogMessageW(this->m_hWnd, msg);
    }

    // Change events of one control.
    int EventsOf(const void* control) const
    {
        int count = 0;
        for (const CChangeEvent& event : Events)
            count += event.sender == control ? 1 : 0;
        return count;
    }

    CFontListDlgSetting Setting;

    std::vector<CChangeEvent> Events;
    // What the listeners saw of the settings when they ran.
    std::vector<CFontListDlgSetting> Seen;

    // The binder's listeners.
    using CControls = CFontListControls<CFontListDlgSetting>;
    void OnCharSetOrType(typename CControls::CCharSetCombo& sender) { Record(&sender, "OnCharSetOrType", -1); }
    void OnCharSetOrType(typename CControls::CEnumCombo& sender) { Record(&sender, "OnCharSetOrType", -1); }
    void OnSize(typename CControls::CSizeSender& sender) { Record(&sender, "OnSize", -1); }
    void OnWeightOrItalic(typename CControls::CEnumCombo& sender) { Record(&sender, "OnWeightOrItalic", -1); }
    void OnSampleText(typename CControls::CSampleTextSender& sender, SampleTextChange change)
    {
        Record(&sender, "OnSampleText", change);
    }

private:
    BOOL OnInitDialog(HWND, LPARAM, BOOL&)
    {
        this->DlgResize_Init();
        this->PostDeferredShow();
        this->Restore(RESTORE_FIT_TO_VIRTUAL_SCREEN);
        CControls::Bind(*this, &Setting, this);
        return TRUE;
    }

    void Record(const void* sender, const char* listener, int code)
    {
        Events.push_back(CChangeEvent{sender, listener, code});
        Seen.push_back(Setting);
    }
};

class CControlsHost : public CControlsHostImpl<CControlsHost> {
};

// The notification a combo box sends its parent, delivered as the platform does.
inline void Notify(HWND dialog, HWND combo, WORD code)
{
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(combo), code), reinterpret_cast<LPARAM>(combo));
}

// The edit field of an editable combo box.
inline HWND EditOf(HWND combo)
{
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    ::SendMessageW(combo, CB_GETCOMBOBOXINFO, 0, reinterpret_cast<LPARAM>(&info));
    return info.hwndItem;
}

// Types text into an edit field, one character message per unit, the
// posted applies running after each.
inline void Type(HWND edit, const std::wstring& text)
{
    for (wchar_t unit : text) {
        ::SendMessageW(edit, WM_CHAR, unit, 1);
        Pump();
    }
}

// Replaces an edit field's whole text in one change, as a paste would.
inline void Replace(HWND edit, const std::wstring& text)
{
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
    ::SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    Pump();
}

inline std::wstring ItemText(HWND combo, int index)
{
    std::wstring text;
    CComboBoxW(combo).GetLBText(index, text);
    return text;
}

inline std::vector<std::wstring> Items(HWND combo)
{
    std::vector<std::wstring> items;
    const int count = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        items.push_back(ItemText(combo, i));
    return items;
}

// Opens the host with the settings a test put into it, shown as the
// dialog's loop shows it, the deferred show done.
class CHostTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX init = {sizeof init, ICC_STANDARD_CLASSES};
        ::InitCommonControlsEx(&init);
    }
    void TearDown() override
    {
        if (host.IsWindow())
            host.DestroyWindow();
        Pump();
        // Every control gave its window back when the window went.
        for (HWND control : {host.CharSet.m_hWnd, host.Type.m_hWnd, host.Size.m_hWnd, host.Size.Edit().m_hWnd,
                             host.Weight.m_hWnd, host.Italic.m_hWnd, host.SampleText.m_hWnd,
                             host.SampleText.Edit().m_hWnd, host.SampleText.DropDownList().m_hWnd})
            EXPECT_EQ(nullptr, control);
    }
    void Open()
    {
        ASSERT_TRUE(host.Create(nullptr));
        host.ShowWindow(SW_SHOW);
        Pump();
    }

    CControlsHost host;
};

}  // namespace gvt::test
