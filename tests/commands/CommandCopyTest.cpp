#include "CommandTestSupport.h"
#include "commands/CommandCopy.h"
#include "resources/resource.h"
#include "support/TestLanguage.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <algorithm>

using gvt::test::Pick;
using gvt::test::ReadClipboardText;

namespace {

class CommandCopy : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(window.get(), nullptr);
        gvt::test::PutClipboardText(window.get(), L"known before");
    }

    // What the plain and the styled copy of the font put on the clipboard.
    std::pair<std::optional<std::wstring>, std::optional<std::wstring>> CopyBoth(const CLogFontPtr& font)
    {
        owner.Selected = font;
        plain.Run();
        std::optional<std::wstring> name = ReadClipboardText();
        styled.Run();
        return {name, ReadClipboardText()};
    }

    std::wstring Styled(const wchar_t* face, LONG weight, bool italic)
    {
        owner.Selected = gvt::test::MakeFont(face, weight, italic);
        styled.Run();
        return ReadClipboardText().value_or(L"<nothing>");
    }

    gvt::test::CErrorRecorder msg;
    gvt::test::CTestWindow window;
    gvt::test::CTestFontListOwner owner{window.get()};
    gvt::CCommandCopy plain{false, &msg};
    gvt::CCommandCopy styled{true, &msg};
};

}  // namespace

TEST_F(CommandCopy, NameOnlyOrNameWithWeightAndItalicWord)
{
    const auto [name, withStyle] = CopyBoth(gvt::test::MakeFont(L"Arial", 700, true));
    EXPECT_EQ(name, L"Arial");
    EXPECT_EQ(withStyle, Pick(L"Arial, 太字, 斜体", L"Arial, Bold, Italic"));
    EXPECT_TRUE(msg.boxes.empty());
    EXPECT_EQ(::GetClipboardOwner(), window.get()) << "the dialog's window owns the copied text";
}

TEST_F(CommandCopy, VerticalFaceKeepsItsAtSign)
{
    const auto [name, withStyle] = CopyBoth(gvt::test::MakeFont(L"@MS Mincho", 400, false));
    EXPECT_EQ(name, L"@MS Mincho");
    EXPECT_EQ(withStyle, Pick(L"@MS Mincho, 標準", L"@MS Mincho, Normal"));
}

TEST_F(CommandCopy, WeightNamesOnlyForExactHundreds)
{
    EXPECT_EQ(Styled(L"F", 0, false), L"F, 0");
    EXPECT_EQ(Styled(L"F", 50, false), L"F, 50");
    EXPECT_EQ(Styled(L"F", 550, false), L"F, 550");
    EXPECT_EQ(Styled(L"F", 1000, false), L"F, 1000");
    EXPECT_EQ(Styled(L"F", 100, false), Pick(L"F, 超極細", L"F, Thin"));
    EXPECT_EQ(Styled(L"F", 900, false), Pick(L"F, 超極太", L"F, Heavy"));
    EXPECT_EQ(Styled(L"F", 400, true), Pick(L"F, 標準, 斜体", L"F, Normal, Italic"));
    EXPECT_TRUE(msg.boxes.empty());
}

TEST_F(CommandCopy, FullLengthFaceNameWithoutTerminator)
{
    auto font = boost::make_shared<CLogFontW>();
    std::fill(std::begin(font->lfFaceName), std::end(font->lfFaceName), L'W');
    font->lfWeight = 400;
    owner.Selected = font;
    plain.Run();
    EXPECT_EQ(ReadClipboardText(), std::wstring(LF_FACESIZE, L'W'));
}

TEST_F(CommandCopy, NoSelectionShowsTheErrorAndLeavesTheClipboard)
{
    owner.Selected.reset();
    plain.Run();
    styled.Run();
    ASSERT_EQ(msg.errors.size(), 2U);
    ASSERT_EQ(msg.boxes.size(), 2U);
    EXPECT_EQ(msg.boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(msg.errors[0].MessageId, static_cast<UINT>(IDS_NO_SELECTION));
    EXPECT_EQ(msg.boxes[0].text, Pick(L"選択項目がありません", L"No item is selected."));
    EXPECT_EQ(msg.errors[1].MessageId, msg.errors[0].MessageId);
    EXPECT_EQ(ReadClipboardText(), L"known before");
}

TEST_F(CommandCopy, WithoutARegisteredDialogThereIsNoSelection)
{
    gvt::SetFontListOwner(nullptr);
    plain.Run();
    ASSERT_EQ(msg.errors.size(), 1U);
    EXPECT_EQ(msg.errors[0].MessageId, static_cast<UINT>(IDS_NO_SELECTION));
    EXPECT_EQ(ReadClipboardText(), L"known before");
}

TEST_F(CommandCopy, OffersUnicodeTextOnly)
{
    gvt::test::CClipboardSpy spy;
    owner.Selected = gvt::test::MakeFont(L"Arial", 700, true);
    styled.Run();
    EXPECT_EQ(spy.Formats, std::vector<UINT>{CF_UNICODETEXT}) << "the program places one format";

    // Whatever else the clipboard lists is what the system derives from that text.
    const std::vector<UINT> formats = gvt::test::ClipboardFormats();
    EXPECT_NE(std::find(formats.begin(), formats.end(), CF_UNICODETEXT), formats.end());
    for (UINT f : formats)
        EXPECT_TRUE(f == CF_UNICODETEXT || f == CF_TEXT || f == CF_OEMTEXT || f == CF_LOCALE) << "format " << f;
}

TEST_F(CommandCopy, ClipboardFailureIsShownAndTheCommandStaysUsable)
{
    owner.Selected = gvt::test::MakeFont(L"Arial", 700, false);
    {
        gvt::test::CClipboardSpy spy;
        spy.Failing = "Open";
        plain.Run();
    }
    ASSERT_EQ(msg.errors.size(), 1U);
    EXPECT_EQ(msg.errors[0].MessageId, static_cast<UINT>(IDS_ERR_CLIPBOARD_OPEN));
    EXPECT_EQ(msg.boxes.at(0).text, msg.errors[0].Message);
    EXPECT_EQ(ReadClipboardText(), L"known before");

    plain.Run();
    EXPECT_EQ(ReadClipboardText(), L"Arial");
    EXPECT_EQ(msg.errors.size(), 1U);
}
