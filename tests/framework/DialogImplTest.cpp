// Dialogs from templates: the own-loop DoModal driven by posted messages
// (accelerators, pre-translation, end codes, the owner, the loop registry),
// the system's modal loop, creation failures, answers through DWLP_MSGRESULT,
// the exception barrier, and the module's bookkeeping of open dialogs.
#include "FrameworkTestIds.h"
#include "TestWindows.h"

#include "framework/AppModule.h"
#include "framework/DialogImpl.h"
#include "framework/MessageLoop.h"
#include "framework/ModuleInstance.h"
#include "framework/UniqueHandle.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

using gvt::test::CTestWindow;

namespace {

constexpr WORD kAcceleratorCommand = 0x5151;
constexpr UINT WM_END_WITH = WM_APP + 20;
constexpr UINT WM_THROWING = WM_APP + 21;
constexpr UINT WM_AFTER_FILTER_THROW = WM_APP + 22;
constexpr UINT WM_IN_LOOP = WM_APP + 23;

using CEvents = std::vector<std::string>;

// A dialog whose WM_INITDIALOG runs a script that posts the messages the
// loop is to handle.
template <UINT Template>
class CLoopDlg : public gvt::CModalDialogImpl<CLoopDlg<Template>> {
    using Base = gvt::CModalDialogImpl<CLoopDlg<Template>>;

public:
    enum { IDD = Template };

    BEGIN_MSG_MAP(CLoopDlg)
        MSG_WM_INITDIALOG(OnInitDialog)
        COMMAND_ID_HANDLER(kAcceleratorCommand, OnCommand)
        COMMAND_ID_HANDLER(ID_EDIT_COPY, OnCommand)
        COMMAND_ID_HANDLER(ID_COPY_WITH_STYLE, OnCommand)
        COMMAND_ID_HANDLER(IDOK, OnOk)
        MESSAGE_HANDLER(WM_END_WITH, OnEndWith)
        MESSAGE_HANDLER(WM_THROWING, OnThrowing)
        MESSAGE_HANDLER(WM_AFTER_FILTER_THROW, OnAfterFilterThrow)
        MESSAGE_HANDLER(WM_IN_LOOP, OnInLoop)
    END_MSG_MAP()

    HACCEL GetAcceleratorTable() const noexcept { return Accelerators; }
    BOOL PreTranslateMessage(MSG* msg)
    {
        if (msg->message == WM_CHAR && msg->wParam == L'q') {
            Events.push_back("consumed q");
            return TRUE;
        }
        if (msg->message == WM_AFTER_FILTER_THROW)
            throw std::runtime_error("filter");
        return Base::PreTranslateMessage(msg);
    }

    std::function<void(CLoopDlg&)> Script;  // in WM_INITDIALOG
    std::function<void(CLoopDlg&)> InLoop;  // on WM_IN_LOOP
    HACCEL Accelerators = nullptr;
    HWND Owner = nullptr;
    HWND Window = nullptr;
    CEvents Events;
    std::wstring EditText;
    bool OwnerEnabledInLoop = true;
    gvt::CMessageLoop* RegisteredLoop = nullptr;

private:
    BOOL OnInitDialog(HWND, LPARAM, BOOL&)
    {
        Window = this->m_hWnd;
        if (Script)
            Script(*this);
        return TRUE;
    }
    LRESULT OnCommand(WORD code, WORD id, HWND, BOOL&)
    {
        Events.push_back((code == 1 ? "accelerator " : "command ") + std::to_string(id));
        return 0;
    }
    LRESULT OnOk(WORD, WORD, HWND, BOOL&)
    {
        EditText = this->GetDlgItemTextW(IDC_TEST_EDIT);
        OwnerEnabledInLoop = ::IsWindowEnabled(Owner) != FALSE;
        RegisteredLoop = gvt::AppModule().GetMessageLoop();
        Events.push_back("ok");
        this->EndDialog(1);
        return 0;
    }
    LRESULT OnEndWith(UINT, WPARAM wParam, LPARAM, BOOL&)
    {
        this->EndDialog(static_cast<INT_PTR>(wParam));
        return 0;
    }
    LRESULT OnThrowing(UINT, WPARAM, LPARAM, BOOL&)
    {
        Events.push_back("throwing");
        throw std::runtime_error("handler");
    }
    LRESULT OnAfterFilterThrow(UINT, WPARAM, LPARAM, BOOL&)
    {
        Events.push_back("dispatched");
        return 0;
    }
    LRESULT OnInLoop(UINT, WPARAM, LPARAM, BOOL&)
    {
        if (InLoop)
            InLoop(*this);
        return 0;
    }
};

using CTestLoopDlg = CLoopDlg<IDD_TEST_CONTROLS>;

class ModuleFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        gvt::test::InitTestControls();
        ASSERT_EQ(S_OK, gvt::AppModule().Init());
    }
    void TearDown() override
    {
        gvt::AppModule().Term();
        gvt::test::PumpMessages();
    }
};

using ModalLoop = ModuleFixture;

TEST_F(ModalLoop, AcceleratorsThenPreTranslationThenDispatchUntilEndDialog)
{
    CTestWindow owner(L"STATIC", WS_POPUP | WS_VISIBLE);
    ACCEL table[] = {{FVIRTKEY, VK_F5, kAcceleratorCommand}};
    gvt::CUniqueAccel accelerators(::CreateAcceleratorTableW(table, 1));

    CTestLoopDlg dialog;
    dialog.Accelerators = accelerators.get();
    dialog.Owner = owner;
    dialog.Script = [](CTestLoopDlg& d) {
        HWND edit = d.GetDlgItem(IDC_TEST_EDIT);
        ::PostMessageW(edit, WM_KEYDOWN, VK_F5, 0x003F0001);
        ::PostMessageW(edit, WM_CHAR, L'q', 1);
        ::PostMessageW(edit, WM_CHAR, L'b', 1);
        ::PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    };

    EXPECT_EQ(1, dialog.DoModal(owner));
    EXPECT_EQ((CEvents{"accelerator " + std::to_string(kAcceleratorCommand), "consumed q", "ok"}), dialog.Events);
    // 'q' never reached the edit; 'b' went through IsDialogMessageW to it.
    EXPECT_EQ(L"b", dialog.EditText);
    EXPECT_FALSE(dialog.OwnerEnabledInLoop);
    EXPECT_NE(nullptr, dialog.RegisteredLoop);

    EXPECT_TRUE(::IsWindowEnabled(owner));
    EXPECT_FALSE(::IsWindow(dialog.Window));
    EXPECT_EQ(nullptr, dialog.m_hWnd);
    EXPECT_EQ(nullptr, gvt::AppModule().GetMessageLoop());
    EXPECT_TRUE(gvt::AppModule().OwnedWindows().empty());
}

TEST_F(ModalLoop, EndsWithTheStoredCodeOrCancelWhenTheLoopEndsOtherwise)
{
    CTestLoopDlg dialog;
    dialog.Script = [](CTestLoopDlg& d) { ::PostMessageW(d.m_hWnd, WM_END_WITH, 5, 0); };
    EXPECT_EQ(5, dialog.DoModal());

    // The same object runs again, with a fresh end code.
    dialog.Script = [](CTestLoopDlg&) { ::PostQuitMessage(0); };
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
}

TEST_F(ModalLoop, AFilterAddedToTheRunningLoopIsAskedBeforeTheDialog)
{
    class CSwallowQ : public gvt::CMessageFilter {
    public:
        BOOL PreTranslateMessage(MSG* msg) override
        {
            if (msg->message != WM_CHAR || msg->wParam != L'q')
                return FALSE;
            ++Swallowed;
            return TRUE;
        }
        int Swallowed = 0;
    } swallow;

    CTestLoopDlg dialog;
    // The loop exists once DoModal runs it: the filter joins from inside,
    // and leaves again on the second call.
    int calls = 0;
    dialog.InLoop = [&swallow, &calls](CTestLoopDlg&) {
        gvt::CMessageLoop* loop = gvt::AppModule().GetMessageLoop();
        ASSERT_NE(nullptr, loop);
        if (++calls == 1) {
            EXPECT_TRUE(loop->AddMessageFilter(&swallow));
            EXPECT_FALSE(loop->AddMessageFilter(&swallow));
        } else {
            EXPECT_TRUE(loop->RemoveMessageFilter(&swallow));
        }
    };
    dialog.Script = [](CTestLoopDlg& d) {
        HWND edit = d.GetDlgItem(IDC_TEST_EDIT);
        ::PostMessageW(d.m_hWnd, WM_IN_LOOP, 0, 0);
        ::PostMessageW(edit, WM_CHAR, L'q', 1);
        ::PostMessageW(d.m_hWnd, WM_IN_LOOP, 0, 0);
        ::PostMessageW(edit, WM_CHAR, L'q', 1);
        ::PostMessageW(d.m_hWnd, WM_END_WITH, 4, 0);
    };
    EXPECT_EQ(4, dialog.DoModal());
    EXPECT_EQ(2, calls);
    EXPECT_EQ(1, swallow.Swallowed);
    EXPECT_EQ((CEvents{"consumed q"}), dialog.Events);
}

TEST_F(ModalLoop, AMissingTemplateGivesZeroAndLeavesNothingBehind)
{
    CTestWindow owner(L"STATIC", WS_POPUP | WS_VISIBLE);
    CLoopDlg<IDD_TEST_MISSING> missing;
    EXPECT_EQ(0, missing.DoModal(owner));
    EXPECT_TRUE(::IsWindowEnabled(owner));
    EXPECT_EQ(nullptr, missing.m_hWnd);
    EXPECT_TRUE(gvt::AppModule().OwnedWindows().empty());

    // Nothing of the failed creation is left to confuse the next one.
    CTestLoopDlg dialog;
    dialog.Script = [](CTestLoopDlg& d) { ::PostMessageW(d.m_hWnd, WM_END_WITH, 6, 0); };
    EXPECT_EQ(6, dialog.DoModal(owner));
    EXPECT_NE(nullptr, dialog.Window);
}

TEST_F(ModalLoop, ThrowingHandlersAndFiltersDoNotStopTheLoop)
{
    CTestLoopDlg dialog;
    dialog.Script = [](CTestLoopDlg& d) {
        ::PostMessageW(d.m_hWnd, WM_THROWING, 0, 0);
        ::PostMessageW(d.m_hWnd, WM_AFTER_FILTER_THROW, 0, 0);
        ::PostMessageW(d.m_hWnd, WM_END_WITH, 3, 0);
    };
    EXPECT_EQ(3, dialog.DoModal());
    // The message whose filter threw was still dispatched.
    EXPECT_EQ((CEvents{"throwing", "dispatched"}), dialog.Events);
}

TEST_F(ModalLoop, TheProgramsTemplateAndAcceleratorTableWork)
{
    gvt::CUniqueAccel accelerators(::LoadAcceleratorsW(gvt::ModuleInstance(), MAKEINTRESOURCEW(IDR_ACCELERATORS)));
    ASSERT_TRUE(accelerators);

    CLoopDlg<IDD_MAIN> dialog;
    dialog.Accelerators = accelerators.get();
    dialog.Script = [](CLoopDlg<IDD_MAIN>& d) {
        HWND list = d.GetDlgItem(IDC_FONT_LIST);
        ::PostMessageW(list, WM_KEYDOWN, 'C', 0x002E0001);
        ::PostMessageW(d.m_hWnd, WM_END_WITH, 1, 0);
    };

    // Ctrl held down for the thread while the loop runs.
    BYTE saved[256];
    ASSERT_TRUE(::GetKeyboardState(saved));
    BYTE keys[256];
    std::copy(std::begin(saved), std::end(saved), keys);
    keys[VK_CONTROL] = 0x80;
    keys[VK_LCONTROL] = 0x80;
    ASSERT_TRUE(::SetKeyboardState(keys));
    const INT_PTR code = dialog.DoModal();
    ::SetKeyboardState(saved);

    EXPECT_EQ(1, code);
    EXPECT_EQ((CEvents{"accelerator " + std::to_string(ID_EDIT_COPY)}), dialog.Events);
}

// A dialog run by the system's modal loop: it ends itself with 7 as soon as
// its first posted message arrives.
template <UINT Template>
class CBoxDlg : public gvt::CDialogImpl<CBoxDlg<Template>> {
public:
    enum { IDD = Template };

    BEGIN_MSG_MAP(CBoxDlg)
        MSG_WM_INITDIALOG(OnInitDialog)
        COMMAND_ID_HANDLER(IDOK, OnOk)
    END_MSG_MAP()

    bool OwnerEnabledInLoop = true;
    HWND Owner = nullptr;

private:
    BOOL OnInitDialog(HWND, LPARAM, BOOL&)
    {
        this->PostMessageW(WM_COMMAND, IDOK);
        return TRUE;
    }
    LRESULT OnOk(WORD, WORD, HWND, BOOL&)
    {
        OwnerEnabledInLoop = ::IsWindowEnabled(Owner) != FALSE;
        this->EndDialog(7);
        return 0;
    }
};

TEST_F(ModuleFixture, SystemModalDialogsReturnTheEndDialogValue)
{
    CTestWindow owner(L"STATIC", WS_POPUP | WS_VISIBLE);
    CBoxDlg<IDD_TEST_CONTROLS> box;
    box.Owner = owner;
    EXPECT_EQ(7, box.DoModal(owner));
    EXPECT_FALSE(box.OwnerEnabledInLoop);
    EXPECT_TRUE(::IsWindowEnabled(owner));
    EXPECT_EQ(nullptr, box.m_hWnd);
    EXPECT_TRUE(gvt::AppModule().OwnedWindows().empty());

    CBoxDlg<IDD_TEST_MISSING> missing;
    EXPECT_EQ(-1, missing.DoModal(owner));
}

constexpr UINT WM_ANSWER = WM_APP + 30;

class CAnsweringDlg : public gvt::CDialogImpl<CAnsweringDlg> {
public:
    enum { IDD = IDD_TEST_CONTROLS };

    BEGIN_MSG_MAP(CAnsweringDlg)
        MESSAGE_HANDLER(WM_ANSWER, OnAnswer)
        MSG_WM_CTLCOLORSTATIC(OnCtlColorStatic)
        MESSAGE_HANDLER(WM_THROWING, OnThrowing)
    END_MSG_MAP()

    HBRUSH Brush = ::GetSysColorBrush(COLOR_INFOBK);

private:
    LRESULT OnAnswer(UINT, WPARAM wParam, LPARAM, BOOL&) { return static_cast<LRESULT>(wParam) * 2; }
    HBRUSH OnCtlColorStatic(HDC, HWND, BOOL&) { return Brush; }
    LRESULT OnThrowing(UINT, WPARAM, LPARAM, BOOL&) { throw std::runtime_error("dialog handler"); }
};

TEST_F(ModuleFixture, AnswersGoThroughTheResultSlotOrDirectly)
{
    CAnsweringDlg dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    EXPECT_EQ(2468, ::SendMessageW(dialog, WM_ANSWER, 1234, 0));

    HWND label = dialog.GetDlgItem(IDC_TEST_STATIC);
    gvt::CClientDC dc(label);
    EXPECT_EQ(reinterpret_cast<LRESULT>(dialog.Brush),
              ::SendMessageW(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()),
                             reinterpret_cast<LPARAM>(label)));

    // A throwing handler: the default processing answers, the dialog lives on.
    EXPECT_EQ(0, ::SendMessageW(dialog, WM_THROWING, 0, 0));
    EXPECT_EQ(2, ::SendMessageW(dialog, WM_ANSWER, 1, 0));
}

TEST_F(ModuleFixture, DialogHelpersDriveTheDialogManager)
{
    CAnsweringDlg dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    dialog.ShowWindow(SW_SHOW);
    EXPECT_EQ(static_cast<UINT>(IDOK), dialog.GetDefID());
    EXPECT_TRUE(dialog.SetDefID(IDC_TEST_BUTTON));
    EXPECT_EQ(static_cast<UINT>(IDC_TEST_BUTTON), dialog.GetDefID());

    // The focus goes to the control named, not to the next one in order.
    HWND edit = dialog.GetDlgItem(IDC_TEST_EDIT);
    dialog.GotoDlgCtrl(edit);
    EXPECT_EQ(edit, ::GetFocus());
    EXPECT_EQ(dialog.GetDlgItem(IDC_TEST_LISTVIEW), dialog.GetNextDlgTabItem(edit));

    EXPECT_TRUE(dialog.SetDlgItemTextW(IDC_TEST_EDIT, L"set"));
    EXPECT_EQ(L"set", dialog.GetDlgItemTextW(IDC_TEST_EDIT));
    RECT units = {0, 0, 4, 8};
    ASSERT_TRUE(dialog.MapDialogRect(&units));
    EXPECT_GT(units.right, 0);
}

TEST_F(ModuleFixture, TermDestroysTheDialogsStillOpenAndTheObjectsLetGoOfThem)
{
    EXPECT_TRUE(gvt::AppModule().IsInitialized());
    EXPECT_EQ(::GetCurrentThreadId(), gvt::AppModule().GetMainThreadId());

    CAnsweringDlg first;
    CAnsweringDlg second;
    HWND one = first.Create(nullptr);
    HWND two = second.Create(nullptr);
    ASSERT_TRUE(one && two);
    EXPECT_EQ((std::vector<HWND>{one, two}), gvt::AppModule().OwnedWindows());
    // One object cannot hold two dialogs.
    EXPECT_EQ(nullptr, first.Create(nullptr));

    gvt::AppModule().Term();
    EXPECT_FALSE(::IsWindow(one));
    EXPECT_FALSE(::IsWindow(two));
    EXPECT_EQ(nullptr, first.m_hWnd);
    EXPECT_EQ(nullptr, second.m_hWnd);
    EXPECT_FALSE(gvt::AppModule().IsInitialized());
    gvt::CMessageLoop loop;
    EXPECT_FALSE(gvt::AppModule().AddMessageLoop(&loop));
}

TEST_F(ModuleFixture, AnObjectThatDiesClosesItsDialog)
{
    HWND hwnd = nullptr;
    {
        CAnsweringDlg dialog;
        hwnd = dialog.Create(nullptr);
        ASSERT_TRUE(hwnd);
    }
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_TRUE(gvt::AppModule().OwnedWindows().empty());
}

}  // namespace
