#include "CommandTestSupport.h"
#include "base/CaptureErrors.h"
#include "commands/Command.h"
#include "commands/CommandTable.h"
#include "resources/resource.h"
#include "support/TestLanguage.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>

using gvt::test::CErrorRecorder;
using gvt::test::Pick;

namespace {

class CTestCommand final : public gvt::CCommand {
public:
    explicit CTestCommand(gvt::CMsg* msg) : CCommand(msg) {}
    void Execute(bool run) override
    {
        runs.push_back(run);
        if (work)
            work();
    }

    std::function<void()> work;
    std::vector<bool> runs;
};

// A service whose error box cannot be shown.
class CBrokenMsg : public gvt::test::CRecordingMsg {
public:
    void ShowError(const CSimpleErr&) override { throw my::CException(IDS_ERR_UNKNOWN_EXCEPTION); }
};

}  // namespace

TEST(CommandRun, ExecutesWithTrueAndShowsNothingWhenAllIsWell)
{
    CErrorRecorder msg;
    CTestCommand command(&msg);
    command.Run();
    EXPECT_EQ(command.runs, std::vector<bool>{true});
    EXPECT_TRUE(msg.boxes.empty());
}

TEST(CommandRun, ShowsEveryKindOfErrorAsAnErrorBox)
{
    CErrorRecorder msg;
    CTestCommand command(&msg);

    command.work = [] { throw my::CException(IDS_ERR_NUMBER_TOO_SMALL, L"-1"); };
    command.Run();
    command.work = [] { throw my::CCtrlException(my::CException(IDS_ERR_NUMBER_FORMAT, L"x"), nullptr); };
    command.Run();
    command.work = [] { throw std::bad_alloc(); };
    command.Run();
    command.work = [] { throw 42; };
    command.Run();

    ASSERT_EQ(msg.errors.size(), 4U);
    ASSERT_EQ(msg.boxes.size(), 4U);
    for (const auto& box : msg.boxes)
        EXPECT_EQ(box.type, static_cast<UINT>(MB_OK | MB_ICONERROR));

    EXPECT_EQ(msg.errors[0].MessageId, static_cast<UINT>(IDS_ERR_NUMBER_TOO_SMALL));
    EXPECT_EQ(msg.boxes[0].text, Pick(L"値が小さすぎます: -1", L"The number is too small: -1"));
    EXPECT_EQ(msg.errors[1].MessageId, static_cast<UINT>(IDS_ERR_NUMBER_FORMAT));
    EXPECT_EQ(msg.boxes[1].text, Pick(L"数値の書式が不正です: x", L"Number format is invalid: x"));
    EXPECT_EQ(msg.errors[2].MessageId, static_cast<UINT>(IDS_ERR_STD_EXCEPTION));
    EXPECT_EQ(msg.boxes[2].text,
              Pick(L"標準エラーが発生しました: ", L"std exception is occurred: ") + WidenWhat(std::bad_alloc().what()));
    EXPECT_EQ(msg.errors[3].MessageId, static_cast<UINT>(IDS_ERR_UNKNOWN_EXCEPTION));
    EXPECT_EQ(msg.boxes[3].text, Pick(L"不明な例外が発生しました", L"Unknown exception is occurred"));
}

TEST(CommandRun, UsesTheServiceItWasMadeWith)
{
    CErrorRecorder own;
    CErrorRecorder registered;  // the process-wide service from here on
    ASSERT_EQ(&gvt::CMsg::Instance(), &registered);
    CTestCommand command(&own);
    command.work = [] { throw 1; };
    command.Run();
    EXPECT_EQ(own.boxes.size(), 1U);
    EXPECT_TRUE(registered.boxes.empty());
}

TEST(CommandRun, NothingEscapesEvenWhenTheBoxFails)
{
    CBrokenMsg msg;
    CTestCommand command(&msg);
    command.work = [] { throw std::runtime_error("boom"); };
    EXPECT_NO_THROW(command.Run());
    EXPECT_EQ(command.runs.size(), 1U);
}

TEST(CommandTable, FiveCommandsInTheirRolesSharingTheService)
{
    EXPECT_EQ(gvt::CCommandTable::Instance(), nullptr);
    CErrorRecorder msg;
    {
        gvt::CCommandTable table;
        EXPECT_EQ(gvt::CCommandTable::Instance(), &table);
        ASSERT_TRUE(table.Init() && table.Quit() && table.Copy() && table.CopyWithStyle() && table.TopMost());
        EXPECT_FALSE(table.Copy()->WithStyle());
        EXPECT_TRUE(table.CopyWithStyle()->WithStyle());
        EXPECT_TRUE(table.Quit()->SkipSave());
        EXPECT_EQ(&table.Init()->Msg(), &msg);
        EXPECT_EQ(&table.Quit()->Msg(), &msg);
        EXPECT_EQ(&table.Copy()->Msg(), &msg);
        EXPECT_EQ(&table.CopyWithStyle()->Msg(), &msg);
        EXPECT_EQ(&table.TopMost()->Msg(), &msg);

        // The dialog keeps commands by shared pointer; they outlive the table.
        boost::shared_ptr<gvt::CCommandCopy> kept = table.Copy();
        EXPECT_EQ(kept.use_count(), 2);
    }
    EXPECT_EQ(gvt::CCommandTable::Instance(), nullptr);
}
