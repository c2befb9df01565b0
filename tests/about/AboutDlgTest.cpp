#include "about/AboutDlg.h"
#include "settings/AppInfo.h"

#include <gtest/gtest.h>

namespace {

class CAboutDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CAppInfo& info = CAppInfo::Instance();
        m_saved = info;
        info.Version = {1, 0, 0, 0};
        info.LegalCopyright = L"Copyright (C) Test";
        m_owner = ::CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 200, 400, 300,
                                    nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(m_owner);
        ASSERT_TRUE(m_dialog.Create(m_owner));
    }
    void TearDown() override
    {
        if (m_dialog.IsWindow())
            m_dialog.DestroyWindow();
        ::DestroyWindow(m_owner);
        CAppInfo::Instance() = m_saved;
    }

    std::wstring Text(int id) { return gvt::CWindowW(m_dialog.GetDlgItem(id)).GetWindowTextW(); }

    CAppInfo m_saved;
    HWND m_owner = nullptr;
    gvt::CAboutDlg m_dialog;
};

}  // namespace

TEST_F(CAboutDlgTest, ShowsNameVersionAndCopyright)
{
    EXPECT_EQ(Text(IDC_ABOUT_NAME), L"Glyvanter  1.0.0.0");
    EXPECT_EQ(Text(IDC_ABOUT_COPYRIGHT), L"Copyright (C) Test");
}

TEST_F(CAboutDlgTest, CentresOverItsOwner)
{
    RECT owner, dialog;
    ::GetWindowRect(m_owner, &owner);
    ::GetWindowRect(m_dialog, &dialog);
    EXPECT_NEAR((dialog.left + dialog.right) / 2, (owner.left + owner.right) / 2, 1);
    EXPECT_NEAR((dialog.top + dialog.bottom) / 2, (owner.top + owner.bottom) / 2, 1);
}

TEST_F(CAboutDlgTest, LinkIsUnderlinedInTheThemesLinkColourAndShowsTheHand)
{
    HWND link = m_dialog.GetDlgItem(IDC_ABOUT_LINK);
    HFONT font = reinterpret_cast<HFONT>(::SendMessageW(link, WM_GETFONT, 0, 0));
    LOGFONTW lf{};
    ASSERT_EQ(::GetObjectW(font, sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_EQ(lf.lfUnderline, 1);

    // A colour no theme has, so that a fixed one cannot pass.
    const INT element = COLOR_HOTLIGHT;
    const COLORREF themed = ::GetSysColor(element), odd = RGB(1, 2, 3);
    ASSERT_TRUE(::SetSysColors(1, &element, &odd));
    HDC dc = ::GetDC(link);
    const LRESULT brush = ::SendMessageW(m_dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                         reinterpret_cast<LPARAM>(link));
    EXPECT_EQ(::GetTextColor(dc), odd);
    ::SetSysColors(1, &element, &themed);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), ::GetSysColorBrush(COLOR_BTNFACE));
    HWND copyright = m_dialog.GetDlgItem(IDC_ABOUT_COPYRIGHT);
    ::SendMessageW(m_dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(copyright));
    EXPECT_EQ(::GetTextColor(dc), ::GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(::GetBkColor(dc), ::GetSysColor(COLOR_BTNFACE));
    ::ReleaseDC(link, dc);

    EXPECT_TRUE(::SendMessageW(m_dialog, WM_SETCURSOR, reinterpret_cast<WPARAM>(link), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_HAND));
    EXPECT_FALSE(::SendMessageW(m_dialog, WM_SETCURSOR, reinterpret_cast<WPARAM>(copyright),
                                MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
}

namespace {
int g_answer = 0;

// Answers the box from its own loop as soon as it runs.
LRESULT CALLBACK AnswerBox(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE)
        ::PostMessageW(reinterpret_cast<HWND>(wParam), WM_COMMAND, g_answer, 0);
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
}  // namespace

TEST(AboutDlg, OkAndEscapeEndTheModalBox)
{
    for (int id : {IDOK, IDCANCEL}) {
        gvt::CAboutDlg dialog;
        g_answer = id;
        HHOOK hook = ::SetWindowsHookExW(WH_CBT, AnswerBox, nullptr, ::GetCurrentThreadId());
        EXPECT_EQ(dialog.DoModal(nullptr), id == IDOK ? 1 : 2);
        ::UnhookWindowsHookEx(hook);
    }
}
