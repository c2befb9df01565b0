#include "CommandTestSupport.h"
#include "base/Exception.h"
#include "base/SystemErrorText.h"
#include "commands/Clipboard.h"
#include "resources/resource.h"
#include "support/TestLanguage.h"

#include <gtest/gtest.h>

using gvt::test::CClipboardSpy;
using gvt::test::Pick;
using Calls = std::vector<std::string>;

namespace {

class Clipboard : public ::testing::Test {
protected:
    // Runs the transfer and hands back the error it raised (id 0 for none).
    CSimpleErr Transfer(const std::wstring& text)
    {
        try {
            gvt::SetClipboardText(window.get(), text, spy.Api());
        } catch (const my::CException& e) {
            return e;
        }
        return {};
    }

    gvt::test::CTestWindow window;
    CClipboardSpy spy;
};

}  // namespace

TEST_F(Clipboard, PlacesTheTextWithItsTerminatorAndHandsTheBlockOver)
{
    ASSERT_NE(window.get(), nullptr);
    const std::wstring text = L"Arial, 太字";
    EXPECT_FALSE(Transfer(text).HasError());

    EXPECT_EQ(spy.Calls, (Calls{"Open", "Empty", "Alloc", "Lock", "Unlock", "SetData", "Close"}));
    EXPECT_EQ(spy.AllocFlags, static_cast<UINT>(GMEM_MOVEABLE));
    EXPECT_EQ(spy.AllocBytes, (text.size() + 1) * sizeof(wchar_t));
    EXPECT_TRUE(spy.Freed.empty()) << "the clipboard owns the block after a success";
    EXPECT_EQ(spy.Formats, std::vector<UINT>{CF_UNICODETEXT});
    EXPECT_EQ(gvt::test::ReadClipboardText(), text);
    EXPECT_EQ(::GetClipboardOwner(), window.get());
}

TEST_F(Clipboard, EmptyTextIsATwoByteBlockHoldingTheTerminator)
{
    gvt::test::PutClipboardText(window.get(), L"previous");
    EXPECT_FALSE(Transfer(L"").HasError());
    EXPECT_EQ(spy.AllocBytes, sizeof(wchar_t));
    EXPECT_EQ(gvt::test::ReadClipboardText(), std::wstring());
}

TEST_F(Clipboard, TheDefaultCallsAreTheSystemsOwn)
{
    // Taking the spy away puts the real calls back.
    gvt::SetClipboardApi(nullptr);
    gvt::SetClipboardText(window.get(), L"direct");
    EXPECT_TRUE(spy.Calls.empty());
    EXPECT_EQ(gvt::test::ReadClipboardText(), L"direct");
}

TEST_F(Clipboard, OpenFailureClosesNothing)
{
    gvt::test::PutClipboardText(window.get(), L"kept");
    spy.Failing = "Open";
    const CSimpleErr err = Transfer(L"new");
    const HRESULT code = HResultFromWin32(ERROR_ACCESS_DENIED);
    EXPECT_EQ(err.MessageId, static_cast<UINT>(IDS_ERR_CLIPBOARD_OPEN));
    EXPECT_EQ(err.Code, code);
    EXPECT_EQ(err.Message,
              Pick(L"クリップボードを開けませんでした - ", L"Failed to open clipboard - ") + SystemErrorText(code));
    EXPECT_EQ(spy.Calls, Calls{"Open"});
    EXPECT_EQ(gvt::test::ReadClipboardText(), L"kept");
}

TEST_F(Clipboard, EmptyFailureClosesTheClipboardAgain)
{
    gvt::test::PutClipboardText(window.get(), L"kept");
    spy.Failing = "Empty";
    spy.FailingError = ERROR_CLIPBOARD_NOT_OPEN;
    const CSimpleErr err = Transfer(L"new");
    const HRESULT code = HResultFromWin32(ERROR_CLIPBOARD_NOT_OPEN);
    EXPECT_EQ(err.MessageId, static_cast<UINT>(IDS_ERR_CLIPBOARD_EMPTY));
    EXPECT_EQ(err.Code, code);
    EXPECT_EQ(err.Message,
              Pick(L"クリップボードを空にできませんでした - ", L"Failed to empty clipboard - ") + SystemErrorText(code));
    EXPECT_EQ(spy.Calls, (Calls{"Open", "Empty", "Close"}));
    // Closed for real: another opener gets it.
    EXPECT_EQ(gvt::test::ReadClipboardText(), L"kept");
}

TEST_F(Clipboard, AllocationFailureFreesNothingAndCloses)
{
    spy.Failing = "Alloc";
    const CSimpleErr err = Transfer(L"new");
    EXPECT_EQ(err.MessageId, static_cast<UINT>(IDS_ERR_GLOBAL_ALLOC));
    EXPECT_EQ(err.Code, 0);
    EXPECT_EQ(err.Message, Pick(L"メモリーの確保に失敗しました（GlobalAlloc）", L"Failed to allocate memory (GlobalAlloc)"));
    EXPECT_EQ(spy.Calls, (Calls{"Open", "Empty", "Alloc", "Close"}));
    EXPECT_TRUE(gvt::test::ClipboardFormats().empty()) << "the emptied clipboard stays empty";
}

TEST_F(Clipboard, LockFailureFreesTheBlockAndCloses)
{
    spy.Failing = "Lock";
    const CSimpleErr err = Transfer(L"new");
    EXPECT_EQ(err.MessageId, static_cast<UINT>(IDS_ERR_GLOBAL_LOCK));
    EXPECT_EQ(err.Code, 0);
    EXPECT_EQ(err.Message,
              Pick(L"メモリーのアドレスが取得できませんでした (GlobalLock)", L"Failed to lock memory (GlobalLock)"));
    EXPECT_EQ(spy.Calls, (Calls{"Open", "Empty", "Alloc", "Lock", "Free", "Close"}));
    ASSERT_NE(spy.Allocated, nullptr);
    EXPECT_EQ(spy.Freed, std::vector<HGLOBAL>{spy.Allocated});
}

TEST_F(Clipboard, SetDataFailureFreesTheBlockAndCloses)
{
    spy.Failing = "SetData";
    spy.FailingError = ERROR_NOT_ENOUGH_MEMORY;
    const CSimpleErr err = Transfer(L"new");
    const HRESULT code = HResultFromWin32(ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(err.MessageId, static_cast<UINT>(IDS_ERR_CLIPBOARD_SET));
    EXPECT_EQ(err.Code, code);
    EXPECT_EQ(err.Message,
              Pick(L"クリップボードへのコピーに失敗しました - ", L"Failed to set clipboard data - ") + SystemErrorText(code));
    EXPECT_EQ(spy.Calls, (Calls{"Open", "Empty", "Alloc", "Lock", "Unlock", "SetData", "Free", "Close"}));
    ASSERT_NE(spy.Allocated, nullptr);
    EXPECT_EQ(spy.Freed, std::vector<HGLOBAL>{spy.Allocated});
}

TEST(ClipboardGuards, GiveBackOnlyWhatTheyHold)
{
    CClipboardSpy spy;
    {
        gvt::CClipboardOpener opener(spy.Api());
        gvt::CGlobalMemory memory(spy.Api());
        gvt::CGlobalLocker locker(spy.Api());
    }
    EXPECT_TRUE(spy.Calls.empty()) << "guards that took nothing give nothing back";

    {
        gvt::CGlobalMemory memory(spy.Api());
        HGLOBAL block = memory.Alloc(GMEM_MOVEABLE, 8);
        ASSERT_NE(block, nullptr);
        gvt::CGlobalLocker locker(spy.Api());
        EXPECT_NE(locker.Lock(block), nullptr);
    }
    EXPECT_EQ(spy.Calls, (Calls{"Alloc", "Lock", "Unlock", "Free"})) << "undone in reverse order";

    spy.Calls.clear();
    HGLOBAL kept = nullptr;
    {
        gvt::CGlobalMemory memory(spy.Api());
        memory.Alloc(GMEM_MOVEABLE, 8);
        kept = memory.Release();
    }
    EXPECT_EQ(spy.Calls, Calls{"Alloc"}) << "a released block is not freed";
    ASSERT_NE(kept, nullptr);
    ::GlobalFree(kept);
}
