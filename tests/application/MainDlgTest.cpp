// The real main dialog in its own loop: each case copies settings in, runs
// DoModal and inspects the window from a timer callback inside the loop,
// then ends it by the way under test. Only the DejaVu faces loaded here are
// asserted on, so the machine's other fonts do not matter.
#include "application/MainDlg.h"
#include "commands/Clipboard.h"
#include "commands/CommandTable.h"
#include "fonts/GdiFontSource.h"
#include "framework/AppModule.h"
#include "framework/Dpi.h"
#include "framework/UniqueHandle.h"
#include "resources/resource.h"
#include "settings/AppInfo.h"
#include "settings/AppSetting.h"
#include "support/FakeFontSource.h"
#include "support/RecordingMsg.h"
#include "support/TestLanguage.h"

#include "support/PrivateFonts.h"

#include <gtest/gtest.h>

#include <memory>

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstring>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr const wchar_t* kFace = L"DejaVu Sans";

// How a case ends the dialog; Leftover cancels it only when the case itself
// did not end it, so that a failing case cannot hang in the loop.
enum class EEnd { Ok, Cancel, Close, SysClose, Leftover };

// Also keeps the message ids of the error boxes it was asked to show.
class CErrorRecorder : public gvt::test::CRecordingMsg {
public:
    void ShowError(const CSimpleErr& err) override
    {
        errorIds.push_back(err.MessageId);
        CRecordingMsg::ShowError(err);
    }

    std::vector<UINT> errorIds;
};

// Handles every message waiting in the thread's queue; a quit message is put
// back for the dialog's loop.
void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

std::optional<std::wstring> ReadClipboardText()
{
    gvt::CClipboardOpener clipboard;
    if (!clipboard.Open(nullptr))
        return std::nullopt;
    gvt::CGlobalLocker lock;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT))
        if (const auto* text = static_cast<const wchar_t*>(lock.Lock(data)))
            return std::wstring(text);
    return std::nullopt;
}

void ClearClipboard()
{
    gvt::CClipboardOpener clipboard;
    ASSERT_TRUE(clipboard.Open(nullptr));
    ::EmptyClipboard();
}

bool QuitPending()
{
    MSG quit;
    return ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != FALSE;
}

bool IsDejaVu(const CLogFontPtr& font)
{
    return font && std::wstring(font->lfFaceName) == kFace;
}

// Row of the DejaVu Sans record with the given weight and italic state; -1
// when it is not listed.
int FindRow(const CLogFontList& items, LONG weight, bool italic)
{
    for (std::size_t i = 0; i < items.size(); ++i)
        if (IsDejaVu(items[i]) && items[i]->lfWeight == weight && (items[i]->lfItalic != 0) == italic)
            return static_cast<int>(i);
    return -1;
}

// Where the menu hook leaves the check mark of the TopMost item.
std::optional<bool>* g_checkMark = nullptr;

// Reads the check mark once the context menu has been prepared, then closes it.
LRESULT CALLBACK ReadCheckMarkAndCloseMenu(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && g_checkMark && call->message == WM_INITMENUPOPUP && !g_checkMark->has_value()) {
        const UINT state = ::GetMenuState(reinterpret_cast<HMENU>(call->wParam), ID_TOPMOST, MF_BYCOMMAND);
        *g_checkMark = state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
        ::EndMenu();
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

class MainDialog : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&controls);
        s_fonts = std::make_unique<gvt::test::CPrivateFonts>(std::initializer_list<const wchar_t*>{
            gvt::test::kDejaVuSans, gvt::test::kDejaVuSansBold, gvt::test::kDejaVuSansOblique,
            gvt::test::kDejaVuSansBoldOblique});
    }
    static void TearDownTestSuite() { s_fonts.reset(); }

    void SetUp() override
    {
        ASSERT_TRUE(s_fonts->Missing().empty()) << "cannot load " << s_fonts->Missing();
        ASSERT_EQ(S_OK, gvt::AppModule().Init());
        CAppSetting::SetInstance(&m_app);
        m_commands.emplace();
        m_app.FontListDlg.SampleText = L"Sample 123";
    }
    void TearDown() override
    {
        m_commands.reset();
        CAppSetting::SetInstance(nullptr);
        gvt::AppModule().Term();
        Pump();
    }

    // Runs the dialog; body runs once inside its loop, then the dialog is
    // ended as asked. Returns DoModal's result.
    INT_PTR Run(gvt::CMainDlg& dialog, EEnd end, const std::function<void(gvt::CMainDlg&)>& body)
    {
        dialog.Setting() = m_app.FontListDlg;
        dialog.LogFont = m_app.LogFont;
        dialog.TopLogFont = m_app.TopLogFont;
        s_dialog = &dialog;
        s_body = body;
        s_end = end;
        s_ran = false;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, OnTimer);
        const INT_PTR result = dialog.DoModal(nullptr);
        ::KillTimer(nullptr, timer);
        s_dialog = nullptr;
        EXPECT_TRUE(s_ran) << "the dialog's loop never ran the checks";
        return result;
    }

    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD)
    {
        if (s_ran || !s_dialog || !s_dialog->IsWindow())
            return;
        s_ran = true;
        ::KillTimer(nullptr, id);
        if (s_waitForFonts)
            WaitForFonts(*s_dialog);
        s_body(*s_dialog);
        const HWND hwnd = s_dialog->m_hWnd;
        switch (s_end) {
        case EEnd::Ok: ::PostMessageW(hwnd, WM_COMMAND, IDOK, 0); break;
        case EEnd::Cancel: ::PostMessageW(hwnd, WM_COMMAND, IDCANCEL, 0); break;
        case EEnd::Close: ::PostMessageW(hwnd, WM_CLOSE, 0, 0); break;
        case EEnd::SysClose: ::PostMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0); break;
        case EEnd::Leftover:
            if (!QuitPending())
                ::PostMessageW(hwnd, WM_COMMAND, IDCANCEL, 0);
            break;
        }
    }

    static HWND Control(gvt::CMainDlg& dialog, int id) { return ::GetDlgItem(dialog.m_hWnd, id); }

    // The fonts are read in the background: the list is complete once the
    // reading has handed everything over.
    static void WaitForFonts(gvt::CMainDlg& dialog)
    {
        const DWORD start = ::GetTickCount();
        do {
            Pump();
        } while (dialog.ReadingFonts() && ::GetTickCount() - start < 60000 && (::Sleep(5), true));
        EXPECT_FALSE(dialog.ReadingFonts()) << "the fonts were still being read after a minute";
    }

    // Picks an entry of a drop-down list the way the user's click does.
    static void Choose(gvt::CMainDlg& dialog, int id, int index)
    {
        const HWND combo = Control(dialog, id);
        ::SendMessageW(combo, CB_SETCURSEL, index, 0);
        ::SendMessageW(dialog.m_hWnd, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
        WaitForFonts(dialog);
    }

    static void SelectRow(gvt::CMainDlg& dialog, int row)
    {
        dialog.FontList().SetCurSel(row);
    }

    static int ItemHeight(gvt::CMainDlg& dialog)
    {
        return static_cast<int>(::SendMessageW(Control(dialog, IDC_FONT_LIST), LB_GETITEMHEIGHT, 0, 0));
    }

    // Types over the size box's text key by key; each prefix ("-", "-5")
    // applies from the message the box posts itself, as the user sees it.
    static void TypeSize(gvt::CMainDlg& dialog, const std::wstring& text)
    {
        const HWND edit = ::GetWindow(Control(dialog, IDC_FONT_SIZE), GW_CHILD);
        ::SendMessageW(edit, EM_SETSEL, 0, -1);
        for (wchar_t unit : text) {
            ::SendMessageW(edit, WM_CHAR, unit, 1);
            Pump();
        }
    }

    static int DialogFontHeight(gvt::CMainDlg& dialog)
    {
        gvt::CClientDC dc(dialog.m_hWnd);
        gvt::CSelectObject font(dc.get(), reinterpret_cast<HFONT>(dialog.SendMessageW(WM_GETFONT)));
        TEXTMETRICW metrics{};
        ::GetTextMetricsW(dc.get(), &metrics);
        return metrics.tmHeight;
    }

    CAppSetting m_app;
    CErrorRecorder m_msg;  // before the commands, which keep the service they were made with
    std::optional<gvt::CCommandTable> m_commands;

    static inline std::unique_ptr<gvt::test::CPrivateFonts> s_fonts;
    static inline gvt::CMainDlg* s_dialog = nullptr;
    static inline std::function<void(gvt::CMainDlg&)> s_body;
    static inline EEnd s_end = EEnd::Leftover;
    static inline bool s_ran = false;
    // Whether the body waits for the fonts to be read.
    static inline bool s_waitForFonts = true;
};

TEST_F(MainDialog, EachWayOfEndingGivesItsCodeAndRecordsSelectionTopAndSampleText)
{
    struct Case {
        EEnd end;
        INT_PTR code;
        const char* name;
    };
    for (const Case& c : {Case{EEnd::Ok, 1, "OK"}, Case{EEnd::Cancel, 2, "Cancel"}, Case{EEnd::Close, 2, "WM_CLOSE"},
                          Case{EEnd::SysClose, 2, "SC_CLOSE"}}) {
        SCOPED_TRACE(c.name);
        gvt::CMainDlg dialog;
        const std::wstring text = std::wstring(L"ending by ") + std::wstring(c.name, c.name + strlen(c.name));
        m_app.FontListDlg.SampleText = text;
        CLogFontPtr selected;
        CLogFontPtr top;
        const INT_PTR code = Run(dialog, c.end, [&](gvt::CMainDlg& d) {
            const int row = FindRow(d.FontList().GetItems(), FW_BOLD, false);
            ASSERT_GE(row, 0);
            SelectRow(d, row);
            d.FontList().SetTopIndex(row);
            selected = d.FontList().GetSelected();
            top = d.FontList().GetTop();
        });
        EXPECT_EQ(c.code, code);
        ASSERT_TRUE(selected && top);
        EXPECT_STREQ(selected->lfFaceName, dialog.LogFont.lfFaceName);
        EXPECT_EQ(selected->lfWeight, dialog.LogFont.lfWeight);
        EXPECT_EQ(0, std::memcmp(static_cast<const LOGFONTW*>(selected.get()), &dialog.LogFont, sizeof(LOGFONTW)));
        EXPECT_EQ(0, std::memcmp(static_cast<const LOGFONTW*>(top.get()), &dialog.TopLogFont, sizeof(LOGFONTW)));
        EXPECT_EQ(0, dialog.Setting().SampleTexts.IndexOf(text)) << "the sample text leads the history";
        int copies = 0;
        for (const auto& entry : dialog.Setting().SampleTexts)
            copies += entry->Text() == text;
        EXPECT_EQ(1, copies);
    }
}

TEST_F(MainDialog, EndingWithoutSelectionRecordsZeroFontOfCharSetAndSize)
{
    gvt::CMainDlg dialog;
    m_app.FontListDlg.CharSet = 0x180;  // only the low byte goes into the record
    m_app.FontListDlg.Size = 17;
    // Character set 0x80 may list nothing; the fallback must hold either way.
    const INT_PTR code = Run(dialog, EEnd::Cancel, [&](gvt::CMainDlg& d) {
        SelectRow(d, -1);
        d.FontList().SetTopIndex(0);
    });
    EXPECT_EQ(2, code);
    EXPECT_EQ(0x80, dialog.LogFont.lfCharSet);
    EXPECT_EQ(17, dialog.LogFont.lfHeight);
    EXPECT_EQ(L'\0', dialog.LogFont.lfFaceName[0]);
}

TEST_F(MainDialog, EnterWithoutSelectionShowsTheCopyErrorAndStillEnds)
{
    gvt::CMainDlg dialog;
    const INT_PTR code = Run(dialog, EEnd::Ok, [&](gvt::CMainDlg& d) { SelectRow(d, -1); });
    EXPECT_EQ(1, code);
    ASSERT_EQ(1u, m_msg.errorIds.size());
    EXPECT_EQ(static_cast<UINT>(IDS_NO_SELECTION), m_msg.errorIds[0]);
    EXPECT_EQ(0, dialog.LogFont.lfFaceName[0]);
}

TEST_F(MainDialog, FirstEnterInSampleTextCommitsAndRepeatedEnterPressesTheDefaultButton)
{
    gvt::CMainDlg dialog;
    const std::wstring typed = L"typed in the field";
    bool firstConsumed = false;
    bool openAfterFirst = false;
    int indexAfterFirst = -1;
    bool endedByRepeat = false;
    std::optional<std::wstring> copied;
    const INT_PTR code = Run(dialog, EEnd::Leftover, [&](gvt::CMainDlg& d) {
        const HWND combo = d.SampleTextWindow();
        ASSERT_NE(nullptr, combo);
        const HWND edit = ::GetWindow(combo, GW_CHILD);
        ASSERT_NE(nullptr, edit);
        ::SetFocus(edit);
        ASSERT_EQ(edit, ::GetFocus());
        d.Setting().SampleText = typed;
        const int row = FindRow(d.FontList().GetItems(), FW_BOLD, false);
        ASSERT_GE(row, 0);
        SelectRow(d, row);

        MSG first{edit, WM_KEYDOWN, VK_RETURN, 1, 0, {}};
        firstConsumed = d.PreTranslateMessage(&first) != FALSE;
        Pump();
        openAfterFirst = d.IsWindow() && ::IsWindowVisible(d.m_hWnd) && !d.Setting().SampleTexts.Items().empty();
        indexAfterFirst = d.Setting().SampleTexts.IndexOf(typed);

        ClearClipboard();
        MSG repeat{edit, WM_KEYDOWN, VK_RETURN, 1 | (1L << 30), 0, {}};
        ::SetFocus(edit);
        if (!d.PreTranslateMessage(&repeat)) {
            ::TranslateMessage(&repeat);
            ::DispatchMessageW(&repeat);
        }
        Pump();
        copied = ReadClipboardText();
        endedByRepeat = QuitPending();
    });
    EXPECT_TRUE(firstConsumed);
    EXPECT_TRUE(openAfterFirst);
    EXPECT_EQ(0, indexAfterFirst);
    EXPECT_TRUE(endedByRepeat) << "the repeated Enter did not reach the default button";
    EXPECT_EQ(1, code);
    EXPECT_EQ(std::wstring(kFace), copied.value_or(L"<nothing>"));
}

TEST_F(MainDialog, RowHeightFollowsTheSizeAndTheFontStaysSelectedAndOnTop)
{
    gvt::CMainDlg dialog;
    m_app.FontListDlg.Size = 22;
    int before = 0;
    int expectedBefore = 0;
    int after = 0;
    int expectedAfter = 0;
    int newSize = 0;
    CLogFontPtr selectedBefore, topBefore, selectedAfter, topAfter;
    Run(dialog, EEnd::Cancel, [&](gvt::CMainDlg& d) {
        const int row = FindRow(d.FontList().GetItems(), FW_NORMAL, true);
        ASSERT_GE(row, 0);
        SelectRow(d, row);
        d.FontList().SetTopIndex(row);
        selectedBefore = d.FontList().GetSelected();
        topBefore = d.FontList().GetTop();
        const int tm = DialogFontHeight(d);
        before = ItemHeight(d);
        expectedBefore = 2 + tm + 1 + d.Setting().Size + 2;

        const HWND size = Control(d, IDC_FONT_SIZE);
        const int index = static_cast<int>(::SendMessageW(size, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                          reinterpret_cast<LPARAM>(L"40")));
        ASSERT_GE(index, 0);
        Choose(d, IDC_FONT_SIZE, index);
        newSize = d.Setting().Size;
        after = ItemHeight(d);
        expectedAfter = 2 + tm + 1 + newSize + 2;
        selectedAfter = d.FontList().GetSelected();
        topAfter = d.FontList().GetTop();
    });
    EXPECT_EQ(expectedBefore, before);
    EXPECT_EQ(40, newSize);
    EXPECT_EQ(expectedAfter, after);
    ASSERT_TRUE(selectedAfter && topAfter && selectedBefore && topBefore);
    EXPECT_STREQ(selectedBefore->lfFaceName, selectedAfter->lfFaceName);
    EXPECT_EQ(selectedBefore->lfWeight, selectedAfter->lfWeight);
    EXPECT_EQ(selectedBefore->lfItalic, selectedAfter->lfItalic);
    EXPECT_EQ(40, selectedAfter->lfHeight);
    EXPECT_STREQ(topBefore->lfFaceName, topAfter->lfFaceName);
    EXPECT_EQ(topBefore->lfWeight, topAfter->lfWeight);
    EXPECT_EQ(topBefore->lfItalic, topAfter->lfItalic);
}

TEST_F(MainDialog, BolderFilterKeepsOnlyHeavierDejaVuStyles)
{
    gvt::CMainDlg dialog;
    int dejaVuBefore = 0;
    int dejaVuAfter = 0;
    std::vector<LONG> weights;
    Run(dialog, EEnd::Cancel, [&](gvt::CMainDlg& d) {
        for (const CLogFontPtr& f : d.FontList().GetItems())
            dejaVuBefore += IsDejaVu(f);
        Choose(d, IDC_WEIGHT, 3);
        for (const CLogFontPtr& f : d.FontList().GetItems())
            if (IsDejaVu(f)) {
                ++dejaVuAfter;
                weights.push_back(f->lfWeight);
            }
    });
    EXPECT_EQ(FontWeight4(3), dialog.Setting().Weight);
    EXPECT_GE(dejaVuBefore, 4) << "regular, bold and both italics";
    EXPECT_GE(dejaVuAfter, 2) << "bold and bold italic stay";
    EXPECT_LT(dejaVuAfter, dejaVuBefore);
    for (LONG w : weights)
        EXPECT_GT(w, 400);
}

TEST_F(MainDialog, CopyAndCopyWithStylePutTheSelectedFontOnTheClipboard)
{
    gvt::CMainDlg dialog;
    std::optional<std::wstring> name, styled;
    Run(dialog, EEnd::Cancel, [&](gvt::CMainDlg& d) {
        const int row = FindRow(d.FontList().GetItems(), FW_BOLD, false);
        ASSERT_GE(row, 0);
        SelectRow(d, row);
        ClearClipboard();
        d.SendMessageW(WM_COMMAND, ID_EDIT_COPY);
        name = ReadClipboardText();
        d.SendMessageW(WM_COMMAND, ID_COPY_WITH_STYLE);
        styled = ReadClipboardText();
    });
    EXPECT_EQ(std::wstring(kFace), name.value_or(L"<nothing>"));
    EXPECT_EQ(std::wstring(kFace) + L", " + gvt::test::Pick(L"太字", L"Bold"), styled.value_or(L"<nothing>"));
    EXPECT_TRUE(m_msg.errorIds.empty());
}

TEST_F(MainDialog, DoubleClickOnTheSelectedRowCopiesAndBelowTheLastRowDoesNothing)
{
    gvt::CMainDlg dialog;
    std::optional<std::wstring> onRow, belowRows;
    bool belowAvailable = false;
    Run(dialog, EEnd::Cancel, [&](gvt::CMainDlg& d) {
        const HWND list = Control(d, IDC_FONT_LIST);
        const auto doubleClickAt = [&](POINT client) {
            ::ClientToScreen(list, &client);
            ::SetCursorPos(client.x, client.y);
            // The handler asks GetMessagePos, so the notification comes
            // through the queue after the cursor has moved.
            ::PostMessageW(d.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_FONT_LIST, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
            Pump();
        };
        const int row = FindRow(d.FontList().GetItems(), FW_BOLD, true);
        ASSERT_GE(row, 0);
        d.FontList().SetTopIndex(row);
        SelectRow(d, row);
        RECT item{};
        ASSERT_NE(LB_ERR, ::SendMessageW(list, LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&item)));
        ClearClipboard();
        doubleClickAt({(item.left + item.right) / 2, (item.top + item.bottom) / 2});
        onRow = ReadClipboardText();

        // Show the last row at the top so that empty space follows it.
        const int last = static_cast<int>(d.FontList().GetItems().size()) - 1;
        SelectRow(d, last);
        d.FontList().SetTopIndex(last);
        RECT lastItem{}, client{};
        ::SendMessageW(list, LB_GETITEMRECT, last, reinterpret_cast<LPARAM>(&lastItem));
        ::GetClientRect(list, &client);
        belowAvailable = lastItem.bottom + 2 < client.bottom;
        ClearClipboard();
        if (belowAvailable)
            doubleClickAt({(client.left + client.right) / 2, (lastItem.bottom + client.bottom) / 2});
        belowRows = ReadClipboardText();
    });
    EXPECT_EQ(std::wstring(kFace), onRow.value_or(L"<nothing>"));
    ASSERT_TRUE(belowAvailable) << "the list shows no empty area below its last row";
    EXPECT_FALSE(belowRows.has_value()) << "copied " << belowRows->size() << " characters";
}

TEST_F(MainDialog, TopMostCommandSetsTheStyleFlagAndMenuCheckMark)
{
    gvt::CMainDlg dialog;
    bool topBefore = true, topAfter = false;
    std::optional<bool> checked;
    g_checkMark = &checked;
    Run(dialog, EEnd::Cancel, [&](gvt::CMainDlg& d) {
        topBefore = (d.GetExStyle() & WS_EX_TOPMOST) != 0;
        d.SendMessageW(WM_COMMAND, ID_TOPMOST);
        topAfter = (d.GetExStyle() & WS_EX_TOPMOST) != 0;
        const HHOOK hook = ::SetWindowsHookExW(WH_CALLWNDPROCRET, ReadCheckMarkAndCloseMenu, nullptr,
                                               ::GetCurrentThreadId());
        ASSERT_NE(nullptr, hook);
        d.SendMessageW(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(d.m_hWnd), MAKELPARAM(-1, -1));
        ::UnhookWindowsHookEx(hook);
    });
    EXPECT_FALSE(topBefore);
    EXPECT_TRUE(topAfter);
    EXPECT_TRUE(m_app.TopMost);
    g_checkMark = nullptr;
    ASSERT_TRUE(checked.has_value()) << "the context menu was not prepared";
    EXPECT_TRUE(*checked);
}

TEST_F(MainDialog, SavedFontsAreReselectedAndScrolledToTheTop)
{
    LOGFONTW bold{};
    LOGFONTW top{};
    int listed = 0;
    {
        gvt::CMainDlg first;
        Run(first, EEnd::Cancel, [&](gvt::CMainDlg& d) {
            const CLogFontList& items = d.FontList().GetItems();
            listed = static_cast<int>(items.size());
            const int row = FindRow(items, FW_BOLD, false);
            ASSERT_GE(row, 0);
            bold = *items[row];
            // The regular style sorts before the bold one and stays on the
            // same page, so selecting the bold row does not scroll.
            const int topRow = FindRow(items, FW_NORMAL, false);
            ASSERT_GE(topRow, 0);
            ASSERT_LT(topRow, row);
            top = *items[topRow];
        });
    }
    ASSERT_NE(0, bold.lfFaceName[0]);
    m_app.LogFont = bold;
    m_app.TopLogFont = top;
    gvt::CMainDlg dialog;
    CLogFontPtr selected;
    int topIndex = -1;
    int wantedTop = -1;
    int lastPossibleTop = -1;
    Run(dialog, EEnd::Cancel, [&](gvt::CMainDlg& d) {
        selected = d.FontList().GetSelected();
        topIndex = d.FontList().GetTopIndex();
        wantedTop = FindRow(d.FontList().GetItems(), FW_NORMAL, false);
        RECT client{};
        ::GetClientRect(Control(d, IDC_FONT_LIST), &client);
        lastPossibleTop = std::max(0, listed - static_cast<int>(client.bottom - client.top) / std::max(1, ItemHeight(d)));
    });
    ASSERT_TRUE(selected);
    EXPECT_STREQ(kFace, selected->lfFaceName);
    EXPECT_EQ(FW_BOLD, selected->lfWeight);
    EXPECT_EQ(0, selected->lfItalic);
    EXPECT_EQ(std::min(wantedTop, lastPossibleTop), topIndex);
}

// What a start or a size change leaves in the list.
struct CListState {
    int size = 0;
    int count = -1;
    int rows = -1;  // of the catalogue, for comparison with count
    int height = 0;
    int captionHeight = 0;
    CLogFontPtr selected;
    int topIndex = -1;
    int wantedTop = -1;
    int lastPossibleTop = -1;
    bool listHasFocus = false;

    void Take(gvt::CMainDlg& d, HWND list, int itemHeight, int dialogFontHeight)
    {
        size = d.Setting().Size;
        count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
        rows = static_cast<int>(d.FontList().GetItems().size());
        height = itemHeight;
        captionHeight = dialogFontHeight;
        selected = d.FontList().GetSelected();
        topIndex = d.FontList().GetTopIndex();
        wantedTop = FindRow(d.FontList().GetItems(), FW_NORMAL, false);
        RECT client{};
        ::GetClientRect(list, &client);
        lastPossibleTop = std::max(0, rows - static_cast<int>(client.bottom - client.top) / std::max(1, height));
        listHasFocus = ::GetFocus() == list;
    }
    // The rows fit the size: a negative one is a character height, so its
    // line is taller; no row is shorter than its caption or taller than a
    // list box can take.
    void ExpectConsistent() const
    {
        EXPECT_EQ(rows, count);
        if (size >= 0) {
            EXPECT_EQ(std::min(2LL + captionHeight + 1 + size + 2, 255LL), height);
        } else if (size >= -100) {
            EXPECT_GT(height, 2 + captionHeight + 1 + (-size) + 2);
        }
        EXPECT_GE(height, 2 + captionHeight + 1 + 2);
        EXPECT_LE(height, 255);
    }
    void ExpectBoldSelectedAndRegularOnTop() const
    {
        ASSERT_TRUE(selected);
        EXPECT_STREQ(kFace, selected->lfFaceName);
        EXPECT_EQ(FW_BOLD, selected->lfWeight);
        EXPECT_EQ(0, selected->lfItalic);
        EXPECT_EQ(size, selected->lfHeight);
        EXPECT_EQ(std::min(wantedTop, lastPossibleTop), topIndex);
    }
};

TEST_F(MainDialog, ANegativeOrHugeSizeTypedOrStoredKeepsTheListConsistentAndTheStartComplete)
{
    struct Case {
        const wchar_t* typed;  // what fits the size box
        int value;
        int stored;  // what the next start finds in the file
    };
    for (const Case& c : {Case{L"-50", -50, -50}, Case{L"99999", 99999, INT_MAX}, Case{L"-99999", -99999, INT_MIN}}) {
        SCOPED_TRACE(c.stored);
        m_app.FontListDlg.Size = 22;
        // Tall enough for three rows of the largest height.
        m_app.FontListDlg.WindowLayout.Rect = RECT{20, 20, 820, 1000};
        m_app.LogFont = LOGFONTW{};
        m_app.TopLogFont = LOGFONTW{};
        CListState typed;
        gvt::CMainDlg first;
        Run(first, EEnd::Cancel, [&](gvt::CMainDlg& d) {
            const CLogFontList& items = d.FontList().GetItems();
            const int row = FindRow(items, FW_BOLD, false);
            const int topRow = FindRow(items, FW_NORMAL, false);
            ASSERT_GE(topRow, 0);
            ASSERT_GT(row, topRow);
            d.FontList().SetTopIndex(topRow);
            SelectRow(d, row);
            TypeSize(d, c.typed);
            typed.Take(d, Control(d, IDC_FONT_LIST), ItemHeight(d), DialogFontHeight(d));
        });
        EXPECT_EQ(c.value, typed.size);
        typed.ExpectConsistent();
        typed.ExpectBoldSelectedAndRegularOnTop();
        EXPECT_STREQ(kFace, first.LogFont.lfFaceName);
        EXPECT_EQ(FW_BOLD, first.LogFont.lfWeight);
        EXPECT_EQ(c.value, first.LogFont.lfHeight);

        // The next start with such a size stored goes all the way: the fonts
        // found again, the focus in the list, and the font written at exit.
        m_app.FontListDlg = first.Setting();
        m_app.FontListDlg.Size = c.stored;
        m_app.LogFont = first.LogFont;
        m_app.TopLogFont = first.TopLogFont;
        m_app.LogFont.lfHeight = m_app.TopLogFont.lfHeight = c.stored;
        CListState stored;
        gvt::CMainDlg again;
        Run(again, EEnd::Cancel, [&](gvt::CMainDlg& d) {
            stored.Take(d, Control(d, IDC_FONT_LIST), ItemHeight(d), DialogFontHeight(d));
        });
        EXPECT_EQ(c.stored, stored.size);
        stored.ExpectConsistent();
        stored.ExpectBoldSelectedAndRegularOnTop();
        EXPECT_TRUE(stored.listHasFocus);
        EXPECT_EQ(0, std::memcmp(&m_app.LogFont, &again.LogFont, sizeof(LOGFONTW)));
        EXPECT_EQ(0, std::memcmp(&m_app.TopLogFont, &again.TopLogFont, sizeof(LOGFONTW)));
    }
}

}  // namespace

namespace {

bool IsIpaGothic(const CLogFontPtr& font)
{
    // Wine reports the localised name to a Japanese user.
    return font && (std::wstring(font->lfFaceName) == L"IPAGothic" || std::wstring(font->lfFaceName) == L"IPAゴシック");
}

int CountIf(const CLogFontList& items, bool (*pred)(const CLogFontPtr&))
{
    return static_cast<int>(std::count_if(items.begin(), items.end(), pred));
}

// Whether the context menu showed the glyph filter's check mark, and which
// row was selected when it opened.
struct CMenuSeen {
    std::optional<bool> GlyphFilterChecked;
    int Selected = -2;
};
CMenuSeen* g_menuSeen = nullptr;
const gvt::CMainDlg* g_menuOwner = nullptr;

LRESULT CALLBACK ReadMenuAndClose(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && g_menuSeen && call->message == WM_INITMENUPOPUP &&
        !g_menuSeen->GlyphFilterChecked.has_value()) {
        const UINT state = ::GetMenuState(reinterpret_cast<HMENU>(call->wParam), ID_GLYPH_FILTER, MF_BYCOMMAND);
        g_menuSeen->GlyphFilterChecked = state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
        g_menuSeen->Selected = g_menuOwner->FontList().GetCurSel();
        ::EndMenu();
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// Opens the context menu as the user's right click does, reads it and closes it.
CMenuSeen RightClickAndReadMenu(gvt::CMainDlg& d, POINT client)
{
    CMenuSeen seen;
    g_menuSeen = &seen;
    g_menuOwner = &d;
    const HHOOK hook =
        ::SetWindowsHookExW(WH_CALLWNDPROCRET, ReadMenuAndClose, nullptr, ::GetCurrentThreadId());
    const HWND list = d.FontList().m_hWnd;
    ::SendMessageW(list, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(client.x, client.y));
    // The button-up's default processing asks the dialog for its menu.
    ::SendMessageW(list, WM_RBUTTONUP, 0, MAKELPARAM(client.x, client.y));
    ::UnhookWindowsHookEx(hook);
    g_menuSeen = nullptr;
    return seen;
}

// Rows arriving while the fonts are read: the saved fonts are placed as soon
// as their rows exist, and a row the user chose or a scroll the user made
// meanwhile is kept, with the rows on screen staying where they are while
// rows arrive above them.
TEST_F(MainDialog, PositionsAreKeptWhileRowsArrive)
{
    const auto face = [](int n) { return L"Row " + std::to_wstring(n); };
    const auto named = [](const CLogFontPtr& font) { return font ? std::wstring(font->lfFaceName) : L"(none)"; };
    const auto saved = [&](int n) {
        LOGFONTW lf = gvt::test::EnumeratedFont(face(n).c_str(), ANSI_CHARSET);
        lf.lfWidth = 0;
        lf.lfHeight = m_app.FontListDlg.Size;
        return lf;
    };
    for (const bool user : {false, true}) {
        SCOPED_TRACE(user ? "the user chooses a row" : "the saved rows");
        // Faces come last name first, so that rows arrive above the others.
        gvt::test::CFakeFontSource source;
        for (int n = 39; n >= 0; --n)
            source.AddFace(face(n).c_str(), ANSI_CHARSET, TRUETYPE_FONTTYPE, gvt::test::Upright(400));
        source.ProbeDelay = 3;
        m_app.LogFont = saved(30);
        // On one page with the selection, which a selection keeps in view.
        m_app.TopLogFont = saved(28);
        gvt::CMainDlg dialog;
        dialog.SetFontSource([source] { return std::make_unique<gvt::test::CFakeFontSource>(source); });
        std::wstring selectedWhileReading, topWhileReading, selectedAtEnd, topAtEnd;
        std::vector<std::wstring> topsAfterScroll;
        s_waitForFonts = false;
        Run(dialog, EEnd::Cancel, [&](gvt::CMainDlg& d) {
            const auto has = [&](int n) {
                const CLogFontList& items = d.FontList().GetItems();
                return std::any_of(items.begin(), items.end(), [&](const CLogFontPtr& f) { return named(f) == face(n); });
            };
            for (const DWORD start = ::GetTickCount(); !has(30) && ::GetTickCount() - start < 20000; ::Sleep(5))
                Pump();
            ASSERT_TRUE(d.ReadingFonts()) << "the reading is slow enough to be watched";
            selectedWhileReading = named(d.FontList().GetSelected());
            if (user) {
                const CLogFontList& items = d.FontList().GetItems();
                const int row = static_cast<int>(std::find_if(items.begin(), items.end(),
                                                              [&](const CLogFontPtr& f) { return named(f) == face(32); }) -
                                                 items.begin());
                SelectRow(d, row);
                d.FontList().SetTopIndex(row);
                while (d.ReadingFonts()) {
                    Pump();
                    topsAfterScroll.push_back(named(d.FontList().GetTop()));
                    ::Sleep(5);
                }
            } else {
                for (const DWORD start = ::GetTickCount(); !has(28) && ::GetTickCount() - start < 20000; ::Sleep(5))
                    Pump();
                topWhileReading = named(d.FontList().GetTop());
            }
            WaitForFonts(d);
            selectedAtEnd = named(d.FontList().GetSelected());
            topAtEnd = named(d.FontList().GetTop());
        });
        s_waitForFonts = true;
        EXPECT_EQ(selectedWhileReading, face(30)) << "selected as soon as its row exists";
        if (user) {
            EXPECT_EQ(selectedAtEnd, face(32));
            EXPECT_EQ(topAtEnd, face(32));
            EXPECT_EQ(std::count(topsAfterScroll.begin(), topsAfterScroll.end(), face(32)),
                      static_cast<std::ptrdiff_t>(topsAfterScroll.size()))
                << "the rows on screen stay while rows arrive above them";
        } else {
            EXPECT_EQ(topWhileReading, face(28)) << "made the top as soon as its row exists";
            EXPECT_EQ(selectedAtEnd, face(30));
            EXPECT_EQ(topAtEnd, face(28));
        }
    }
}

class MainDialogFeatures : public MainDialog {
protected:
    static void SetUpTestSuite()
    {
        MainDialog::SetUpTestSuite();
        s_ipa = std::make_unique<gvt::test::CPrivateFonts>(
            std::initializer_list<const wchar_t*>{gvt::test::kIpaGothic});
    }
    static void TearDownTestSuite()
    {
        s_ipa.reset();
        MainDialog::TearDownTestSuite();
    }
    void SetUp() override
    {
        MainDialog::SetUp();
        ASSERT_TRUE(s_ipa->Missing().empty()) << "cannot load " << s_ipa->Missing();
    }

    static void Type(gvt::CMainDlg& d, const wchar_t* text)
    {
        for (const wchar_t* c = text; *c; ++c)
            d.FontList().SendMessageW(WM_CHAR, *c, 1);
    }

    // As the user's typing changes the field.
    static void TypeSampleText(gvt::CMainDlg& d, const wchar_t* text)
    {
        const HWND combo = d.SampleTextWindow();
        ::SetWindowTextW(combo, text);
        d.SendMessageW(WM_COMMAND, MAKEWPARAM(IDC_SAMPLE_TEXT, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(combo));
        Pump();
    }

    static inline std::unique_ptr<gvt::test::CPrivateFonts> s_ipa;
};

TEST_F(MainDialogFeatures, TypingAFacesFirstLettersSelectsItForTheCopyCommand)
{
    gvt::CMainDlg dialog;
    std::optional<std::wstring> copied, copiedJapanese;
    Run(dialog, EEnd::Cancel, [&](gvt::CMainDlg& d) {
        SelectRow(d, 0);
        ::SetFocus(d.FontList().m_hWnd);
        Type(d, L"dejavu sans");
        ClearClipboard();
        d.SendMessageW(WM_COMMAND, ID_EDIT_COPY);
        copied = ReadClipboardText();

        // IPA Gothic by its Japanese name where Wine gives it one.
        const bool japaneseName = CountIf(d.FontList().GetItems(), [](const CLogFontPtr& f) {
                                      return f && std::wstring(f->lfFaceName) == L"IPAゴシック";
                                  }) > 0;
        Type(d, L"\b\b\b\b\b\b\b\b\b\b\b");
        Type(d, japaneseName ? L"ipaご" : L"ipag");
        ClearClipboard();
        d.SendMessageW(WM_COMMAND, ID_EDIT_COPY);
        copiedJapanese = ReadClipboardText();
    });
    EXPECT_EQ(std::wstring(kFace), copied.value_or(L"<nothing>"));
    ASSERT_TRUE(copiedJapanese.has_value());
    EXPECT_TRUE(*copiedJapanese == L"IPAGothic" || *copiedJapanese == L"IPAゴシック") << copiedJapanese->size();
    EXPECT_TRUE(m_msg.errorIds.empty());
}

TEST_F(MainDialogFeatures, ARightClickSelectsTheRowUnderThePointerBeforeTheMenuOpens)
{
    gvt::CMainDlg dialog;
    CMenuSeen seen;
    int clicked = -1;
    std::optional<std::wstring> copied;
    Run(dialog, EEnd::Cancel, [&](gvt::CMainDlg& d) {
        clicked = FindRow(d.FontList().GetItems(), FW_BOLD, false);
        ASSERT_GE(clicked, 1);
        d.FontList().SetTopIndex(clicked - 1);
        SelectRow(d, clicked - 1);
        RECT item{};
        d.FontList().SendMessageW(LB_GETITEMRECT, clicked, reinterpret_cast<LPARAM>(&item));
        seen = RightClickAndReadMenu(d, {(item.left + item.right) / 2, (item.top + item.bottom) / 2});
        ClearClipboard();
        d.SendMessageW(WM_COMMAND, ID_COPY_WITH_STYLE);
        copied = ReadClipboardText();
    });
    EXPECT_EQ(seen.Selected, clicked) << "the row was selected before the menu opened";
    EXPECT_EQ(std::wstring(kFace) + L", " + gvt::test::Pick(L"太字", L"Bold"), copied.value_or(L"<nothing>"));
}

TEST_F(MainDialogFeatures, TheGlyphFilterKeepsTheFacesThatCanDrawTheSampleAndThePositions)
{
    gvt::CMainDlg dialog;
    m_app.FontListDlg.SampleText = L"あいう";
    int dejaVuBefore = 0, dejaVuOn = 0, ipaOn = 0, dejaVuBack = 0, dejaVuGlyph = 0, dejaVuEmoji = 0, ipaEmoji = 0;
    CLogFontPtr selectedBefore, selectedOn, selectedOff, topBefore, topOff;
    std::optional<bool> checkedOn;
    Run(dialog, EEnd::Cancel, [&](gvt::CMainDlg& d) {
        const CLogFontList& items = d.FontList().GetItems();
        dejaVuBefore = CountIf(items, IsDejaVu);
        const auto ipa = std::find_if(items.begin(), items.end(), IsIpaGothic);
        ASSERT_NE(ipa, items.end());
        const int ipaRow = static_cast<int>(ipa - items.begin());
        // The top font is kept through the filter only while it stays
        // listed: IPAGothic must really be the top row, even where it sorts
        // among the last rows (Japanese names do), so the list shows one row.
        RECT list{};
        d.FontList().GetClientRect(&list);
        d.FontList().SetWindowPos(nullptr, 0, 0, list.right, ItemHeight(d) + 4, SWP_NOMOVE | SWP_NOZORDER);
        d.FontList().SetTopIndex(ipaRow);
        SelectRow(d, ipaRow);
        selectedBefore = d.FontList().GetSelected();
        topBefore = d.FontList().GetTop();
        ASSERT_TRUE(IsIpaGothic(topBefore));

        d.SendMessageW(WM_COMMAND, ID_GLYPH_FILTER);
        WaitForFonts(d);
        dejaVuOn = CountIf(d.FontList().GetItems(), IsDejaVu);
        ipaOn = CountIf(d.FontList().GetItems(), IsIpaGothic);
        selectedOn = d.FontList().GetSelected();
        RECT item{};
        d.FontList().SendMessageW(LB_GETITEMRECT, d.FontList().GetCurSel(), reinterpret_cast<LPARAM>(&item));
        checkedOn = RightClickAndReadMenu(d, {item.left + 5, item.top + 5}).GlyphFilterChecked;

        d.SendMessageW(WM_COMMAND, ID_GLYPH_FILTER);
        dejaVuBack = CountIf(d.FontList().GetItems(), IsDejaVu);
        selectedOff = d.FontList().GetSelected();
        topOff = d.FontList().GetTop();

        // With the filter on, typing in the sample field refilters at once.
        d.SendMessageW(WM_COMMAND, ID_GLYPH_FILTER);
        TypeSampleText(d, L"Glyph");
        WaitForFonts(d);
        dejaVuGlyph = CountIf(d.FontList().GetItems(), IsDejaVu);
        TypeSampleText(d, L"\xD83D\xDE00");  // U+1F600
        WaitForFonts(d);
        dejaVuEmoji = CountIf(d.FontList().GetItems(), IsDejaVu);
        ipaEmoji = CountIf(d.FontList().GetItems(), IsIpaGothic);
    });
    EXPECT_GE(dejaVuBefore, 4);
    EXPECT_EQ(dejaVuOn, 0) << "DejaVu Sans has no kana";
    EXPECT_GE(ipaOn, 1);
    EXPECT_EQ(checkedOn, std::optional<bool>(true));
    EXPECT_EQ(dejaVuGlyph, dejaVuBefore);
    EXPECT_EQ(dejaVuEmoji, dejaVuBefore) << "DejaVu Sans has U+1F600";
    EXPECT_EQ(ipaEmoji, 0);
    EXPECT_EQ(dejaVuBack, dejaVuBefore);
    ASSERT_TRUE(selectedBefore && selectedOn && selectedOff && topOff);
    EXPECT_EQ(selectedOn.get(), selectedBefore.get());
    EXPECT_EQ(selectedOff.get(), selectedBefore.get());
    EXPECT_EQ(topOff.get(), topBefore.get());
    EXPECT_TRUE(dialog.Setting().GlyphFilter) << "toggled three times";
}

TEST_F(MainDialogFeatures, AChangeOfDpiTakesTheSuggestedRectangleAndMeasuresTheRowsAgain)
{
    gvt::CMainDlg dialog;
    RECT suggested{}, after{};
    int height = 0, expected = 0;
    Run(dialog, EEnd::Cancel, [&](gvt::CMainDlg& d) {
        RECT window{};
        ::GetWindowRect(d.m_hWnd, &window);
        suggested = RECT{window.left + 10, window.top + 20, window.right + 200, window.bottom + 150};
        // The system gives the list a larger font at the new DPI.
        LOGFONTW lf{};
        lf.lfHeight = -30;
        ::lstrcpyW(lf.lfFaceName, kFace);
        const gvt::CUniqueFont font(::CreateFontIndirectW(&lf));
        d.FontList().SendMessageW(WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
        const UINT dpi = gvt::WindowDpi(d.m_hWnd);
        d.SendMessageW(WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        ::GetWindowRect(d.m_hWnd, &after);
        height = ItemHeight(d);
        gvt::CClientDC dc(d.FontList().m_hWnd);
        gvt::CSelectObject selected(dc.get(), font.get());
        TEXTMETRICW metrics{};
        ::GetTextMetricsW(dc.get(), &metrics);
        expected = 2 + metrics.tmHeight + 1 + gvt::ScaleToDpi(22, dpi) + 2;
        d.FontList().SendMessageW(WM_SETFONT, 0, FALSE);
    });
    EXPECT_EQ(0, std::memcmp(&suggested, &after, sizeof(RECT)));
    EXPECT_EQ(expected, height);
    EXPECT_GT(height, 2 + 13 + 1 + 22 + 2) << "the larger list font is measured";
}

// 96 -> 144 -> 96 DPI: every control, mapped or not, and its font scale by
// half and come back; the dialog manager does not scale a second time.
TEST_F(MainDialogFeatures, ADpiChangeThereAndBackScalesEveryControlAndItsFont)
{
    gvt::CMainDlg dialog;
    struct CLook {
        RECT CharSet, List;
        LONG FontHeight;
    };
    CLook before{}, larger{}, back{};
    Run(dialog, EEnd::Cancel, [&](gvt::CMainDlg& d) {
        const auto look = [&] {
            CLook l{};
            for (auto [id, rect] : {std::make_pair(IDC_CHARSET, &l.CharSet), std::make_pair(IDC_FONT_LIST, &l.List)}) {
                ::GetWindowRect(d.GetDlgItem(id), rect);
                ::MapWindowPoints(nullptr, d.m_hWnd, reinterpret_cast<POINT*>(rect), 2);
            }
            LOGFONTW lf{};
            ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(d.GetDlgItem(IDC_CHARSET), WM_GETFONT, 0, 0)),
                         sizeof lf, &lf);
            l.FontHeight = std::abs(lf.lfHeight);
            return l;
        };
        const UINT dpi = gvt::WindowDpi(d.m_hWnd);
        RECT window{};
        ::GetWindowRect(d.m_hWnd, &window);
        before = look();
        // What the system suggests: the client area half as large again.
        RECT scaled{};
        ::GetClientRect(d.m_hWnd, &scaled);
        scaled.right = scaled.right * 3 / 2;
        scaled.bottom = scaled.bottom * 3 / 2;
        ::AdjustWindowRectEx(&scaled, d.GetStyle(), FALSE, d.GetExStyle());
        ::OffsetRect(&scaled, window.left - scaled.left, window.top - scaled.top);
        d.SendMessageW(WM_DPICHANGED, MAKEWPARAM(dpi * 3 / 2, dpi * 3 / 2), reinterpret_cast<LPARAM>(&scaled));
        larger = look();
        d.SendMessageW(WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&window));
        back = look();
    });
    // Rounding of dialog units and of the frame the system adds: a few pixels.
    const auto alike = [](LONG a, LONG b) { return std::abs(a - b) <= 5; };
    EXPECT_PRED2(alike, larger.CharSet.left, before.CharSet.left * 3 / 2);
    EXPECT_PRED2(alike, larger.CharSet.right - larger.CharSet.left, (before.CharSet.right - before.CharSet.left) * 3 / 2);
    EXPECT_PRED2(alike, larger.List.top, before.List.top * 3 / 2);
    EXPECT_PRED2(alike, larger.List.right - larger.List.left, (before.List.right - before.List.left) * 3 / 2);
    EXPECT_PRED2(alike, larger.FontHeight, before.FontHeight * 3 / 2);
    for (auto [a, b] : {std::make_pair(back.CharSet, before.CharSet), std::make_pair(back.List, before.List)}) {
        EXPECT_PRED2(alike, a.left, b.left);
        EXPECT_PRED2(alike, a.top, b.top);
        EXPECT_PRED2(alike, a.right, b.right);
        EXPECT_PRED2(alike, a.bottom, b.bottom);
    }
    EXPECT_EQ(back.FontHeight, before.FontHeight);
}

// The probe cache of a run is written when the dialog ends and lets the next
// run list the same rows; a cache folder that cannot be made costs nothing
// but the speed, and says nothing.
TEST_F(MainDialog, FontsInstalledOrRemovedWhileOpenAreFollowedAndAStormOfNoticesIsOneReading)
{
    // Counted on the reading threads, which each make their source.
    auto readings = std::make_shared<std::atomic<int>>(0);
    gvt::CMainDlg dialog;
    dialog.SetFontSource([readings] {
        ++*readings;
        return std::make_unique<gvt::CGdiFontSource>();
    });
    const auto listed = [](gvt::CMainDlg& d) {
        const CLogFontList& items = d.FontList().GetItems();
        return std::any_of(items.begin(), items.end(), [](const CLogFontPtr& font) {
            return std::wstring_view(font->lfFaceName) == L"GvCover";
        });
    };
    const auto followed = [&](gvt::CMainDlg& d, bool expected) {
        for (const DWORD start = ::GetTickCount(); listed(d) != expected && ::GetTickCount() - start < 20000;
             ::Sleep(5))
            Pump();
        WaitForFonts(d);
        return listed(d) == expected;
    };
    Run(dialog, EEnd::Cancel, [&](gvt::CMainDlg& d) {
        ASSERT_FALSE(listed(d));
        const int before = *readings;
        const std::wstring file = gvt::test::GeneratedFont(gvt::test::kGvCoverRegular);
        auto added = std::make_unique<gvt::test::CPrivateFonts>(std::initializer_list<const wchar_t*>{file.c_str()});
        ASSERT_TRUE(added->Missing().empty());
        for (int i = 0; i < 1000; ++i)
            d.SendMessageW(WM_FONTCHANGE);
        EXPECT_TRUE(followed(d, true)) << "listed without a restart";
        EXPECT_GE(*readings - before, 1);
        EXPECT_LE(*readings - before, 2) << "a storm of notices costs a reading or two";

        const CLogFontList& items = d.FontList().GetItems();
        const auto row = std::find_if(items.begin(), items.end(), [](const CLogFontPtr& font) {
            return std::wstring_view(font->lfFaceName) == L"GvCover";
        });
        SelectRow(d, static_cast<int>(row - items.begin()));
        added.reset();
        d.SendMessageW(WM_FONTCHANGE);
        EXPECT_TRUE(followed(d, false)) << "a face removed leaves the list";
        EXPECT_TRUE(d.FontList().GetSelected()) << "and a row near it is selected, as for a saved font gone";
        EXPECT_EQ(::GetWindowTextLengthW(Control(d, IDC_STATUS)), 0);
    });
}

// Files dropped on the window are added as files chosen any other way.
TEST_F(MainDialog, DroppedFontFilesAreAddedListedAloneOnRequestAndRemoved)
{
    const std::wstring file = gvt::test::GeneratedFont(gvt::test::kGvCoverRegular);
    const auto isAdded = [](const CLogFontPtr& font) { return std::wstring_view(font->lfFaceName) == L"GvCover"; };
    const auto settle = [](gvt::CMainDlg& d, const std::function<bool()>& done) {
        for (const DWORD start = ::GetTickCount(); !done() && ::GetTickCount() - start < 20000; ::Sleep(5))
            Pump();
        while (d.AddingFonts() || d.ReadingFonts())
            WaitForFonts(d), Pump();
        return done();
    };
    gvt::CMainDlg dialog;
    Run(dialog, EEnd::Cancel, [&](gvt::CMainDlg& d) {
        // How many rows show an added face, and how many rows there are.
        const auto added = [&d, &isAdded] {
            const CLogFontList& items = d.FontList().GetItems();
            return std::make_pair(std::count_if(items.begin(), items.end(), isAdded), items.size());
        };
        // What the shell hands over: a DROPFILES header and the paths, each
        // ended, and an empty one at the end.
        const std::wstring paths = file + L'\0' + L"Z:\\gvt-no-such-folder" + L'\0' + L'\0';
        const HGLOBAL drop = ::GlobalAlloc(GHND, sizeof(DROPFILES) + paths.size() * sizeof(wchar_t));
        ASSERT_TRUE(drop);
        auto* header = static_cast<DROPFILES*>(::GlobalLock(drop));
        header->pFiles = sizeof(DROPFILES);
        header->fWide = TRUE;
        std::memcpy(header + 1, paths.data(), paths.size() * sizeof(wchar_t));
        ::GlobalUnlock(drop);
        d.SendMessageW(WM_DROPFILES, reinterpret_cast<WPARAM>(drop));
        EXPECT_TRUE(settle(d, [&] { return added().first > 0; })) << "listed";
        EXPECT_NE(::GetWindowTextLengthW(Control(d, IDC_STATUS)), 0) << "the account of what was added";

        d.SendMessageW(WM_COMMAND, ID_ONLY_ADDED_FONTS);
        EXPECT_TRUE(settle(d, [&] {
            const auto [shown, all] = added();
            return all > 0 && static_cast<std::size_t>(shown) == all;
        })) << "only the added faces";
        d.SendMessageW(WM_COMMAND, ID_REMOVE_ADDED_FONTS);
        EXPECT_TRUE(settle(d, [&] {
            const auto [shown, all] = added();
            return all > 0 && shown == 0;
        })) << "the installed fonts again";
    });
}

TEST_F(MainDialog, TheFontCacheIsKeptBetweenRunsAndAnUnwritableFolderIsSilent)
{
    CAppInfo& app = CAppInfo::Instance();
    const CAppInfo saved = app;
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"gvt-dialog-cache-" + std::to_wstring(::GetCurrentProcessId());
    app.ProductName = L"Glyvanter";
    app.CacheFolder = folder + L"\\Morvell\\Glyvanter";

    const auto dejaVuRows = [&](EEnd end) {
        std::vector<std::wstring> rows;
        gvt::CMainDlg dialog;
        Run(dialog, end, [&](gvt::CMainDlg& d) {
            for (const CLogFontPtr& font : d.FontList().GetItems())
                if (IsDejaVu(font))
                    rows.push_back(std::to_wstring(font->lfCharSet) + L"/" + std::to_wstring(font->lfWeight) + L"/" +
                                   std::to_wstring(font->lfItalic));
        });
        return rows;
    };
    const std::vector<std::wstring> first = dejaVuRows(EEnd::Ok);
    EXPECT_FALSE(first.empty());
    EXPECT_TRUE(::PathFileExistsW(app.FontCacheFilePath().c_str())) << "written at the end of the run";
    EXPECT_EQ(dejaVuRows(EEnd::Cancel), first) << "the next run lists the same from the file";

    // A file where the maker's folder should be.
    ::DeleteFileW(app.FontCacheFilePath().c_str());
    ::RemoveDirectoryW(app.CacheFolder.c_str());
    ::RemoveDirectoryW((folder + L"\\Morvell").c_str());
    const HANDLE blocker = ::CreateFileW((folder + L"\\Morvell").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(blocker, INVALID_HANDLE_VALUE);
    ::CloseHandle(blocker);
    EXPECT_EQ(dejaVuRows(EEnd::Ok), first);
    EXPECT_TRUE(m_msg.boxes.empty()) << "no message about the cache";

    ::DeleteFileW((folder + L"\\Morvell").c_str());
    ::RemoveDirectoryW(folder.c_str());
    app = saved;
}

}  // namespace
