#include "CommandTestSupport.h"
#include "commands/CommandTopMost.h"
#include "settings/AppSetting.h"

#include <gtest/gtest.h>

namespace {

bool IsTopMost(HWND hwnd)
{
    return (::GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

class CommandTopMost : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(window.get(), nullptr);
        CAppSetting::SetInstance(&setting);
        ::ShowWindow(window.get(), SW_SHOWNOACTIVATE);
    }
    void TearDown() override { CAppSetting::SetInstance(nullptr); }

    CAppSetting setting;
    gvt::test::CErrorRecorder msg;
    gvt::test::CTestWindow window;
    gvt::test::CTestFontListOwner owner{window.get()};
    gvt::CCommandTopMost command{&msg};
};

}  // namespace

TEST_F(CommandTopMost, TwoRunsRestoreFlagAndStacking)
{
    RECT before{};
    ::GetWindowRect(window.get(), &before);
    ASSERT_FALSE(IsTopMost(window.get()));

    command.Run();
    EXPECT_TRUE(setting.TopMost);
    EXPECT_TRUE(IsTopMost(window.get()));

    command.Run();
    EXPECT_FALSE(setting.TopMost);
    EXPECT_FALSE(IsTopMost(window.get()));

    RECT after{};
    ::GetWindowRect(window.get(), &after);
    EXPECT_TRUE(::EqualRect(&before, &after)) << "neither moved nor sized";
    EXPECT_TRUE(msg.boxes.empty());
}

TEST_F(CommandTopMost, FollowsTheStoredFlag)
{
    // A flag loaded as set is cleared by the first run, and the window with it.
    setting.TopMost = true;
    ::SetWindowPos(window.get(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_TRUE(IsTopMost(window.get()));
    command.Run();
    EXPECT_FALSE(setting.TopMost);
    EXPECT_FALSE(IsTopMost(window.get()));
}

TEST_F(CommandTopMost, ExecuteWithFalseChangesNothing)
{
    command.Execute(false);
    EXPECT_FALSE(setting.TopMost);
    EXPECT_FALSE(IsTopMost(window.get()));
}
