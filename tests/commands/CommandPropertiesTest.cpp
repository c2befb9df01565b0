// The properties command: without a selection it tells so; with one it
// shows the dialog, whose field holds the font's version and file and whose
// buttons copy all of it and know the file's folder.
#include "CommandTestSupport.h"
#include "commands/CommandProperties.h"
#include "resources/resource.h"
#include "support/PrivateFonts.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct CSeen {
    HWND Owner;
    std::wstring Text;
    std::optional<std::wstring> Copied;
    bool FolderButton = false;
};
CSeen* g_seen = nullptr;

// Runs inside the dialog's modal loop: reads the dialog, copies, closes.
void CALLBACK LookAtDialog(HWND, UINT, UINT_PTR id, DWORD)
{
    const HWND dialog = ::GetLastActivePopup(g_seen->Owner);
    if (dialog == g_seen->Owner)
        return;
    ::KillTimer(nullptr, id);
    std::wstring text(::GetWindowTextLengthW(::GetDlgItem(dialog, IDC_PROPERTIES_TEXT)) + 1, L'\0');
    text.resize(::GetDlgItemTextW(dialog, IDC_PROPERTIES_TEXT, &text[0], static_cast<int>(text.size())));
    g_seen->Text = text;
    g_seen->FolderButton = ::IsWindowEnabled(::GetDlgItem(dialog, IDC_PROPERTIES_OPEN_FOLDER)) != FALSE;
    ::SendMessageW(dialog, WM_COMMAND, IDC_PROPERTIES_COPY, 0);
    g_seen->Copied = gvt::test::ReadClipboardText();
    ::SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

TEST(CommandProperties, ShowsTheSelectedFontsVersionAndFileAndCopiesThem)
{
    gvt::test::CErrorRecorder msg;
    gvt::test::CTestWindow window;
    gvt::test::CTestFontListOwner owner(window.get());
    gvt::CCommandProperties command(&msg);

    command.Run();
    ASSERT_EQ(msg.errors.size(), 1u);
    EXPECT_EQ(msg.errors[0].MessageId, static_cast<UINT>(IDS_NO_SELECTION));

    const std::wstring file = gvt::test::GeneratedFont(gvt::test::kGvProps);
    const gvt::test::CPrivateFonts fonts({file.c_str()});
    owner.Selected = gvt::test::MakeFont(L"GvProps", FW_NORMAL, false);
    owner.Added = {L"D:\\Added\\GvProps-Regular.ttf"};
    CSeen seen{window.get(), L"", std::nullopt};
    g_seen = &seen;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, LookAtDialog);
    command.Run();
    ::KillTimer(nullptr, timer);
    g_seen = nullptr;

    EXPECT_EQ(msg.errors.size(), 1u);
    EXPECT_NE(seen.Text.find(L": Version 2.037\r\n"), std::wstring::npos) << testing::PrintToString(seen.Text);
    EXPECT_NE(seen.Text.find(L"\\GvProps-Regular.ttf\r\n"), std::wstring::npos);
    EXPECT_NE(seen.Text.find(L": D:\\Added\\GvProps-Regular.ttf"), std::wstring::npos) << "the added file";
    EXPECT_EQ(seen.Copied, seen.Text);
    EXPECT_TRUE(seen.FolderButton);
}

}  // namespace
