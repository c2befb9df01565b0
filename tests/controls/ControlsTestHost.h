// A dialog over the real main template that binds the controls the way the
// main dialog does: layout first, then each combo box in turn (attach,
// listener, size list, show the setting), control notifications reflected,
// and the Enter rule of the dialog's pre-translation. Every change event is
// recorded with the control that sent it.
#pragma once

#include "controls/ComboBox4.h"
#include "controls/ComboBoxCharSet.h"
#include "controls/ComboBoxEnum.h"
#include "controls/ComboBoxValue.h"
#include "controls/WindowLayoutManager.h"
#include "fonts/FontNames.h"
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
                          public CWindowLayoutManager<T, WM_APP> {
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
        CHAIN_MSG_MAP(CWindowLayoutManager<T, WM_APP>)
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
    CComboBoxCharSet<CFontListDlgSetting> CharSet;
    CComboBoxEnum<CFontListDlgSetting, CNamedInts, int> Type;
    CComboBoxInt<CFontListDlgSetting, 0, 0> Size;
    CComboBoxEnum<CFontListDlgSetting, CNamedInts, int> Weight;
    CComboBoxEnum<CFontListDlgSetting, CNamedInts, int> Italic;
    CComboBoxString<CFontListDlgSetting, CMruStrings> SampleText;

    std::vector<CChangeEvent> Events;
    // What the listeners saw of the settings when they ran.
    std::vector<CFontListDlgSetting> Seen;

private:
    using Dlg = CFontListDlgSetting;

    BOOL OnInitDialog(HWND, LPARAM, BOOL&)
    {
        this->DlgResize_Init();
        this->Pending = true;
        this->PostMessageW(WM_APP);
        this->Restore(RESTORE_FIT_TO_VIRTUAL_SCREEN);

        CharSet.Attach(this->GetDlgItem(IDC_CHARSET), &Setting);
        CharSet.AddListener(this, &CControlsHostImpl::OnCharSetOrType);
        CharSet.SelectFromSetting();
        if (HWND type = this->GetDlgItem(IDC_TYPE)) {
            Type.Attach(type, &Setting, &CSettingMember<&Dlg::Type>::Get, &CSettingMember<&Dlg::Type>::Set,
                        &FontTypeNames);
            Type.AddListener(this, &CControlsHostImpl::OnCharSetOrType);
            Type.SelectFromSetting();
        }
        Size.Attach(this->GetDlgItem(IDC_FONT_SIZE), &Setting);
        Size.AddListener(this, &CControlsHostImpl::OnSize);
        Size.FillList();
        Size.SelectFromSetting();
        Weight.Attach(this->GetDlgItem(IDC_WEIGHT), &Setting, &CSettingMember<&Dlg::Weight>::Get,
                      &CSettingMember<&Dlg::Weight>::Set, &FontWeightFilterNames);
        Weight.AddListener(this, &CControlsHostImpl::OnWeightOrItalic);
        Weight.SelectFromSetting();
        Italic.Attach(this->GetDlgItem(IDC_ITALIC), &Setting, &CSettingMember<&Dlg::Italic>::Get,
                      &CSettingMember<&Dlg::Italic>::Set, &FontItalicNames);
        Italic.AddListener(this, &CControlsHostImpl::OnWeightOrItalic);
        Italic.SelectFromSetting();
        SampleText.Attach(this->GetDlgItem(IDC_SAMPLE_TEXT), &Setting, &Setting.SampleTexts);
        SampleText.AddListener(this, &CControlsHostImpl::OnSampleText);
        SampleText.SelectFromSetting();
        return TRUE;
    }

    void Record(void* sender, const char* listener, int code)
    {
        Events.push_back(CChangeEvent{sender, listener, code});
        Seen.push_back(Setting);
    }
    void OnCharSetOrType(void* sender, void*) { Record(sender, "OnCharSetOrType", -1); }
    void OnSize(void* sender, void*) { Record(sender, "OnSize", -1); }
    void OnWeightOrItalic(void* sender, void*) { Record(sender, "OnWeightOrItalic", -1); }
    void OnSampleText(void* sender, void* argument) { Record(sender, "OnSampleText", *static_cast<int*>(argument)); }
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
        subclassesBefore = CWindowImplRoot::LiveSubclassCount();
    }
    void TearDown() override
    {
        if (host.IsWindow())
            host.DestroyWindow();
        Pump();
        // Every control gave its window back when the window went.
        EXPECT_EQ(subclassesBefore, CWindowImplRoot::LiveSubclassCount());
    }
    void Open()
    {
        ASSERT_TRUE(host.Create(nullptr));
        host.ShowWindow(SW_SHOW);
        Pump();
    }

    CControlsHost host;
    int subclassesBefore = 0;
};

}  // namespace gvt::test
