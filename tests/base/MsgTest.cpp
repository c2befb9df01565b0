#include "base/Exception.h"
#include "base/Msg.h"
#include "base/ResourceString.h"
#include "resources/resource.h"
#include "support/MessageBoxWatcher.h"
#include "support/RecordingMsg.h"
#include "support/TestLanguage.h"

#include <gtest/gtest.h>

#include <shlwapi.h>

using gvt::test::CMessageBoxWatcher;
using gvt::test::CRecordingMsg;
using gvt::test::Pick;

namespace {

constexpr UINT kAsk = MB_OKCANCEL | MB_ICONEXCLAMATION;

std::wstring TempFolder(const wchar_t* leaf)
{
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + leaf;
}

}  // namespace

TEST(MessageBoxMsg, TitleFollowsTheIconAndOwnerTheActiveWindow)
{
    gvt::CMsg service;
    {
        CMessageBoxWatcher watcher(IDOK);
        EXPECT_EQ(service.Show(L"first", MB_OK | MB_ICONERROR), IDOK);
        EXPECT_EQ(service.Show(L"second", kAsk), IDOK);
        CSimpleErr empty;
        empty.MessageId = 1;
        service.ShowError(empty);
        ASSERT_EQ(watcher.boxes.size(), 3U);
        EXPECT_EQ(watcher.boxes[0].title, Pick(L"エラー", L"Error"));
        EXPECT_EQ(watcher.boxes[0].text, L"first");
        EXPECT_EQ(watcher.boxes[1].title, Pick(L"確認", L"Query"));
        EXPECT_EQ(watcher.boxes[2].title, Pick(L"エラー", L"Error"));
        EXPECT_EQ(watcher.boxes[2].text, L"");
        EXPECT_EQ(watcher.boxes[0].owner, nullptr) << "no active window, no fallback: no owner";
    }

    HWND fallback = ::CreateWindowExW(0, L"STATIC", L"fallback", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                                      nullptr, nullptr);
    service.FallbackOwner = fallback;
    {
        CMessageBoxWatcher watcher(IDCANCEL);
        EXPECT_EQ(service.Show(L"owned", kAsk), IDCANCEL);
        ASSERT_EQ(watcher.boxes.size(), 1U);
        EXPECT_EQ(watcher.boxes[0].owner, fallback);
    }

    HWND active = ::CreateWindowExW(0, L"STATIC", L"active", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 80, 80, nullptr,
                                    nullptr, nullptr, nullptr);
    ::SetActiveWindow(active);
    ASSERT_EQ(::GetActiveWindow(), active);
    {
        CMessageBoxWatcher watcher(IDOK);
        service.Show(L"active owner", kAsk);
        ASSERT_EQ(watcher.boxes.size(), 1U);
        EXPECT_EQ(watcher.boxes[0].owner, active);
    }
    ::DestroyWindow(active);
    ::DestroyWindow(fallback);
}

TEST(MessageBoxMsg, QuestionClosedWithCancelIsARefusal)
{
    gvt::CMsg service;
    CMessageBoxWatcher watcher(IDCANCEL);
    EXPECT_FALSE(service.ConfirmNewerVersion());
    ASSERT_EQ(watcher.boxes.size(), 1U);
    EXPECT_EQ(watcher.boxes[0].text, ResourceString(IDS_CONFIRM_NEWER_VERSION));
}

TEST(Msg, QuestionsAskOkCancelAndOnlyOkConsents)
{
    CRecordingMsg msg;
    CSimpleErr err;
    err.MessageId = 59015;
    err.Message = L"broken file";

    msg.answers = {IDOK, IDCANCEL, IDYES, 0};
    EXPECT_TRUE(msg.ConfirmContinueAfterLoadError(err));
    EXPECT_FALSE(msg.ConfirmContinueAfterLoadError(err));
    EXPECT_FALSE(msg.ConfirmNewerVersion()) << "IDYES is not consent";
    EXPECT_FALSE(msg.ConfirmNewerVersion()) << "a failed box is a refusal";
    ASSERT_EQ(msg.boxes.size(), 4U);
    for (const auto& box : msg.boxes)
        EXPECT_EQ(box.type, kAsk);

    std::wstring expected;
    FormatMessageText(expected, IDS_CONFIRM_LOAD_ERROR, {L"broken file"});
    EXPECT_EQ(msg.boxes[0].text, expected);
    EXPECT_NE(expected.find(L"\n\nbroken file\n\n"), std::wstring::npos);
    EXPECT_EQ(msg.boxes[2].text, ResourceString(IDS_CONFIRM_NEWER_VERSION));
}

TEST(Msg, EveryPromptHasATextInTheTableInForce)
{
    CRecordingMsg msg;
    msg.ConfirmDiscardEdits();
    msg.ConfirmCreateFolder(L"C:\\x");
    msg.ConfirmOverwrite(L"C:\\x");
    msg.ConfirmResetShortcuts();
    msg.ConfirmReplaceShortcut(L"Ctrl+C");
    msg.ConfirmAbortPrinting();
    ASSERT_EQ(msg.boxes.size(), 6U);
    EXPECT_EQ(msg.boxes[0].text, Pick(L"編集内容が失われますが、よろしいですか？",
                                      L"Your changes will be lost. Do you continue ?"));
    EXPECT_EQ(msg.boxes[1].text, Pick(L"指定のフォルダーは存在しません。作成しますか？\n\nC:\\x",
                                      L"The folder does not exist. Do you want to create it ?\n\nC:\\x"));
    EXPECT_EQ(msg.boxes[2].text, Pick(L"同名のファイルがあります。上書きしますか？\n\nC:\\x",
                                      L"A file of the same name exists. Do you want to overwrite it ?\n\nC:\\x"));
    EXPECT_EQ(msg.boxes[3].text,
              Pick(L"ショートカットキーの設定をディフォルトに戻します。\n編集内容が失われますが、よろしいですか？",
                   L"The shortcut keys will be reset to their defaults.\nYour changes will be lost. Do you continue ?"));
    EXPECT_EQ(msg.boxes[4].text, Pick(L"指定のショートカットキーは登録済みです。\nCtrl+C\n\n上書きしますか？",
                                      L"The shortcut key is already assigned.\nCtrl+C\n\nDo you want to overwrite it ?"));
    EXPECT_EQ(msg.boxes[5].text,
              Pick(L"印刷中です。中断しますか？", L"Printing is in progress. Do you want to stop it ?"));
}

TEST(Msg, EveryPromptFormatsItsOwnMessage)
{
    CRecordingMsg msg;
    CSimpleErr err;
    err.Message = L"E";
    msg.answers = {IDOK, IDOK, IDOK, IDOK, IDOK, IDOK, IDOK, IDOK};
    EXPECT_TRUE(msg.ConfirmContinueAfterFileError(L"C:\\s.config", err));
    EXPECT_TRUE(msg.ConfirmOverwriteFileList({L"a.txt", L"b.txt"}));
    EXPECT_TRUE(msg.ConfirmOverwriteFiles({L"c.txt"}, 1));
    ASSERT_EQ(msg.boxes.size(), 3U);

    std::wstring expected;
    FormatMessageText(expected, IDS_CONFIRM_FILE_ERROR, {L"C:\\s.config", L"E"});
    EXPECT_EQ(msg.boxes[0].text, expected);
    EXPECT_EQ(msg.boxes[1].text, Pick(L"2 個のファイルが上書きされます。上書きしますか？\n\na.txt\nb.txt",
                                      L"2 file(s) will be overwritten. Do you continue ?\n\na.txt\nb.txt"));
    EXPECT_EQ(msg.boxes[2].text, Pick(L"1 個のファイルが上書きされます。上書きしますか？\n\nc.txt",
                                      L"1 file(s) will be overwritten. Do you continue ?\n\nc.txt"));

    CRecordingMsg yesNo;
    yesNo.answers = {IDOK, IDYES};
    EXPECT_FALSE(yesNo.ConfirmAbortPrinting()) << "only IDYES counts here";
    EXPECT_TRUE(yesNo.ConfirmAbortPrinting());
    EXPECT_EQ(yesNo.boxes[0].type, static_cast<UINT>(MB_YESNO | MB_ICONEXCLAMATION));
}

TEST(Msg, ShowErrorUsesTheRecordText)
{
    CRecordingMsg msg;
    CSimpleErr err;
    err.MessageId = IDS_NO_SELECTION;
    err.Message = L"nothing selected";
    msg.ShowError(err);
    ASSERT_EQ(msg.boxes.size(), 1U);
    EXPECT_EQ(msg.boxes[0].text, L"nothing selected");
    EXPECT_EQ(msg.boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
}

TEST(Msg, OverwriteIsAskedOnlyForExistingFiles)
{
    CRecordingMsg msg;
    const std::wstring missing = TempFolder(L"gvt-no-such-file.txt");
    ::DeleteFileW(missing.c_str());
    EXPECT_TRUE(msg.ConfirmOverwriteIfExists(missing));
    EXPECT_TRUE(msg.boxes.empty());

    wchar_t self[MAX_PATH];
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    msg.answers = {IDCANCEL};
    EXPECT_FALSE(msg.ConfirmOverwriteIfExists(self));
    ASSERT_EQ(msg.boxes.size(), 1U);
    std::wstring expected;
    FormatMessageText(expected, IDS_CONFIRM_OVERWRITE, {self});
    EXPECT_EQ(msg.boxes[0].text, expected);
}

TEST(Msg, CreateFolderIfConfirmedCreatesOrReports)
{
    CRecordingMsg msg;
    const std::wstring root = TempFolder(L"gvt-msg-folder");
    const std::wstring nested = root + L"\\a\\b";
    ::RemoveDirectoryW(nested.c_str());
    ::RemoveDirectoryW((root + L"\\a").c_str());
    ::RemoveDirectoryW(root.c_str());

    msg.answers = {IDCANCEL};
    EXPECT_FALSE(msg.CreateFolderIfConfirmed(nested));
    EXPECT_FALSE(::PathFileExistsW(nested.c_str()));

    msg.answers = {IDOK};
    EXPECT_TRUE(msg.CreateFolderIfConfirmed(nested));
    EXPECT_TRUE(::PathIsDirectoryW(nested.c_str()));

    // A plain file where the folder should be: the creation error is shown.
    const std::wstring blocker = root + L"\\file";
    HANDLE f = ::CreateFileW(blocker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ::CloseHandle(f);
    msg.boxes.clear();
    msg.answers = {IDOK};
    EXPECT_FALSE(msg.CreateFolderIfConfirmed(blocker + L"\\below"));
    ASSERT_EQ(msg.boxes.size(), 2U);
    EXPECT_EQ(msg.boxes[1].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_NE(msg.boxes[1].text.find(blocker + L"\\below"), std::wstring::npos) << msg.boxes[1].text;

    ::DeleteFileW(blocker.c_str());
    ::RemoveDirectoryW(nested.c_str());
    ::RemoveDirectoryW((root + L"\\a").c_str());
    ::RemoveDirectoryW(root.c_str());
}
