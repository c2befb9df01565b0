#include "CommandTestSupport.h"
#include "base/EnsureFolder.h"
#include "commands/CommandTable.h"
#include "resources/resource.h"
#include "settings/AppInfo.h"
#include "settings/AppSetting.h"
#include "support/TestLanguage.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <shlwapi.h>

using gvt::test::Pick;

namespace {

bool Exists(const std::wstring& path)
{
    return ::PathFileExistsW(path.c_str()) != FALSE;
}

// Deletes a folder with everything below it.
void RemoveTree(const std::wstring& path)
{
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring child = path + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                ::DeleteFileW(child.c_str());
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    ::RemoveDirectoryW(path.c_str());
}

void WriteFile(const std::wstring& path, const char* bytes)
{
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(file, bytes, static_cast<DWORD>(std::strlen(bytes)), &written, nullptr);
    ::CloseHandle(file);
}

// A scratch path below the temporary folder that does not exist yet.
std::wstring ScratchPath()
{
    static int counter = 0;
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    return JoinPath(temp, L"gvt-commands-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                              std::to_wstring(++counter));
}

// The texts at the front of the sample-text history.
std::vector<std::wstring> SampleTexts(const CAppSetting& setting)
{
    std::vector<std::wstring> texts;
    for (const auto& entry : setting.FontListDlg.SampleTexts)
        texts.push_back(entry->Text());
    return texts;
}

const std::vector<std::wstring> kBuiltInTexts = {
    L"ABCDEFGHIJKLMNOPQRSTUVWXYZ",
    L"abcdefghijklmnopqrstuvwxyz",
    L"1234567890.:,:'\"(!?)+-*/=",
    L"Glyvanterで Font の世界が広がります。1234567890",
};

class CommandStartExit : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
        saved = CAppInfo::Instance();
        CAppSetting::SetInstance(&setting);
    }
    void TearDown() override
    {
        CAppSetting::SetInstance(nullptr);
        CAppInfo::Instance() = saved;
        ::OleUninitialize();
    }

    CAppInfo saved;
    CAppSetting setting;
    gvt::test::CErrorRecorder msg;
    gvt::CCommandTable table;
};

// Start-up reads the real per-user folder of the test prefix. Whatever file
// is there is moved aside for the test and put back afterwards, and folders
// the test created are removed again.
class CommandInit : public CommandStartExit {
protected:
    void SetUp() override
    {
        CommandStartExit::SetUp();
        CAppInfo info;
        info.Init();
        folder = info.SettingsFolder;
        file = info.SettingsFilePath();
        aside = file + L".aside";
        folderExisted = Exists(folder);
        makerFolder = folder.substr(0, folder.rfind(L'\\'));
        makerFolderExisted = Exists(makerFolder);
        // An aside file left by an interrupted run is the real one; a file
        // beside it is that run's own.
        if (Exists(aside))
            ::DeleteFileW(file.c_str());
        else if (Exists(file)) {
            ASSERT_TRUE(::MoveFileW(file.c_str(), aside.c_str()));
        }
    }
    void TearDown() override
    {
        ::DeleteFileW(file.c_str());
        if (Exists(aside))
            ::MoveFileW(aside.c_str(), file.c_str());
        if (!folderExisted)
            ::RemoveDirectoryW(folder.c_str());
        if (!makerFolderExisted)
            ::RemoveDirectoryW(makerFolder.c_str());
        CommandStartExit::TearDown();
    }

    std::wstring folder, makerFolder, file, aside;
    bool folderExisted = false;
    bool makerFolderExisted = false;
};

// Exit saving into a scratch folder instead of the per-user one.
class CommandQuit : public CommandStartExit {
protected:
    void SetUp() override
    {
        CommandStartExit::SetUp();
        CAppInfo::Instance().Init();
        scratch = ScratchPath();
        CAppInfo::Instance().SettingsFolder = JoinPath(JoinPath(scratch, L"Morvell"), L"Glyvanter");
    }
    void TearDown() override
    {
        RemoveTree(scratch);
        ::DeleteFileW(scratch.c_str());
        CommandStartExit::TearDown();
    }

    std::wstring scratch;
};

}  // namespace

TEST_F(CommandInit, WithoutAFileEnablesSavingAndAddsTheBuiltInTexts)
{
    setting.FontListDlg.SampleTexts.Add(L"mine");
    table.Init()->Run();

    EXPECT_TRUE(msg.boxes.empty());
    EXPECT_FALSE(table.Quit()->SkipSave());
    EXPECT_EQ(CAppInfo::Instance().SettingsFilePath(), file);
    std::vector<std::wstring> expected = kBuiltInTexts;
    expected.push_back(L"mine");
    EXPECT_EQ(SampleTexts(setting), expected);
    EXPECT_FALSE(Exists(file)) << "start-up reads, it never writes";
}

TEST_F(CommandInit, RefusedLoadQuestionKeepsSavingDisabled)
{
    ASSERT_EQ(EnsureFolder(folder), 0U);
    WriteFile(file, "this is not a settings file");
    msg.answers.push_back(IDCANCEL);
    table.Init()->Run();

    ASSERT_EQ(msg.boxes.size(), 1U);
    EXPECT_EQ(msg.boxes[0].type, static_cast<UINT>(MB_OKCANCEL | MB_ICONEXCLAMATION));
    EXPECT_EQ(msg.boxes[0].text.rfind(Pick(L"設定ファイルの読み込み中に以下のエラーが発生しました。",
                                           L"The following error is occurred."),
                                      0),
              0U)
        << msg.boxes[0].text;
    EXPECT_TRUE(msg.errors.empty()) << "a question, not an error";
    EXPECT_TRUE(table.Quit()->SkipSave());
    EXPECT_TRUE(SampleTexts(setting).empty());
}

TEST_F(CommandInit, AcceptedLoadQuestionEnablesSaving)
{
    ASSERT_EQ(EnsureFolder(folder), 0U);
    WriteFile(file, "<broken");
    msg.answers.push_back(IDOK);
    table.Init()->Run();

    EXPECT_EQ(msg.boxes.size(), 1U);
    EXPECT_FALSE(table.Quit()->SkipSave());
    EXPECT_EQ(SampleTexts(setting), kBuiltInTexts);
}

TEST_F(CommandQuit, SkippedSaveTouchesNoFile)
{
    ASSERT_TRUE(table.Quit()->SkipSave());
    table.Quit()->Run();
    EXPECT_FALSE(Exists(scratch)) << "not even the folder chain is created";
    EXPECT_TRUE(msg.boxes.empty());
}

TEST_F(CommandQuit, EnabledSaveCreatesTheFolderChainAndTheFile)
{
    table.Quit()->SetSkipSave(false);
    setting.TopMost = true;
    table.Quit()->Run();
    EXPECT_TRUE(msg.boxes.empty());
    const std::wstring file = CAppInfo::Instance().SettingsFilePath();
    ASSERT_TRUE(Exists(file));
    std::ifstream in(file.c_str(), std::ios::binary);
    const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(content.find("<GlyvanterSettings"), std::string::npos);
    EXPECT_NE(content.find("<TopMost>true</TopMost>"), std::string::npos) << content;
}

TEST_F(CommandQuit, SaveErrorIsShownByTheCommandItself)
{
    // A plain file where a parent of the settings folder should be.
    WriteFile(scratch, "in the way");
    table.Quit()->SetSkipSave(false);
    EXPECT_NO_THROW(table.Quit()->Execute(true));

    ASSERT_EQ(msg.errors.size(), 1U);
    EXPECT_EQ(msg.errors[0].MessageId, static_cast<UINT>(IDS_ERR_CREATE_FOLDER));
    ASSERT_EQ(msg.boxes.size(), 1U);
    EXPECT_EQ(msg.boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    const std::wstring& text = msg.boxes[0].text;
    EXPECT_EQ(text.rfind(Pick(L"フォルダーの作成に失敗しました - ", L"Failed to create folder - "), 0), 0U) << text;
    EXPECT_NE(text.find(scratch), std::wstring::npos) << text;
}
