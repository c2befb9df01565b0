// The composite values: their element trees, and how far a read that meets a
// bad child has got.
#include "SettingsTestSupport.h"

#include "framework/UniqueHandle.h"
#include "resources/resource.h"
#include "settings/FontListDlgSetting.h"
#include "settings/LogFontFields.h"
#include "settings/SettingsCodecs.h"
#include "settings/WindowLayoutSetting.h"

#include <boost/make_shared.hpp>

#include <gtest/gtest.h>

#include <cstddef>
#include <cwchar>
#include <string>
#include <vector>

namespace {

using gvt::test::CParsed;
using gvt::test::Formatted;

std::vector<std::wstring> Texts(const CMruStrings& list)
{
    std::vector<std::wstring> texts;
    for (const CMruStrings::Entry& entry : list)
        texts.push_back(entry->Text());
    return texts;
}

void Fill(CMruStrings& list, std::initializer_list<const wchar_t*> texts)
{
    list.Items().clear();
    for (const wchar_t* text : texts)
        list.Items().push_back(boost::make_shared<const CSameNamedString>(text));
}

// The names of the child elements of node, in document order.
std::vector<std::wstring> ChildNames(IXMLDOMNode* node)
{
    std::vector<std::wstring> names;
    CXmlNode child;
    node->get_firstChild(child.put());
    while (child) {
        gvt::CUniqueBstr name;
        child->get_nodeName(name.put());
        names.emplace_back(name.get());
        CXmlNode next;
        child->get_nextSibling(next.put());
        child = next;
    }
    return names;
}

CXmlNode Child(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name)
{
    CXmlNode node;
    EXPECT_TRUE(doc.SelectChild(parent, name, node)) << testing::PrintToString(name);
    return node;
}

LOGFONTW SampleFont()
{
    LOGFONTW font{};
    font.lfHeight = -22;
    font.lfWidth = 3;
    font.lfEscapement = 900;
    font.lfOrientation = -900;
    font.lfWeight = 700;
    font.lfItalic = 1;
    font.lfUnderline = 0x0A;
    font.lfStrikeOut = 0xFF;
    font.lfCharSet = SHIFTJIS_CHARSET;
    font.lfOutPrecision = OUT_TT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = CLEARTYPE_QUALITY;
    font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    std::wcscpy(font.lfFaceName, L"@ＭＳ ゴシック");
    return font;
}

bool SameFont(const LOGFONTW& a, const LOGFONTW& b)
{
    return a.lfHeight == b.lfHeight && a.lfWidth == b.lfWidth && a.lfEscapement == b.lfEscapement &&
           a.lfOrientation == b.lfOrientation && a.lfWeight == b.lfWeight && a.lfItalic == b.lfItalic &&
           a.lfUnderline == b.lfUnderline && a.lfStrikeOut == b.lfStrikeOut && a.lfCharSet == b.lfCharSet &&
           a.lfOutPrecision == b.lfOutPrecision && a.lfClipPrecision == b.lfClipPrecision &&
           a.lfQuality == b.lfQuality && a.lfPitchAndFamily == b.lfPitchAndFamily &&
           std::wcscmp(a.lfFaceName, b.lfFaceName) == 0;
}

TEST(LogFontCodec, WritesTheFourteenMembersInOrderAndReadsThemBack)
{
    CParsed parsed;
    gvt::test::Parse(parsed, L"<r/>");
    const LOGFONTW font = SampleFont();
    ASSERT_TRUE(WriteLogFont(parsed.Doc, parsed.Root.get(), L"LogFont", font));
    const CXmlNode element = Child(parsed.Doc, parsed.Root.get(), L"LogFont");
    EXPECT_EQ(ChildNames(element.get()),
              (std::vector<std::wstring>{L"lfHeight", L"lfWidth", L"lfEscapement", L"lfOrientation", L"lfWeight",
                                         L"lfItalic", L"lfUnderline", L"lfStrikeOut", L"lfCharSet", L"lfOutPrecision",
                                         L"lfClipPrecision", L"lfQuality", L"lfPitchAndFamily", L"lfFaceName"}));
    std::wstring text;
    EXPECT_TRUE(parsed.Doc.ReadText(element.get(), L"lfCharSet", text));
    EXPECT_EQ(text, L"80");
    EXPECT_TRUE(parsed.Doc.ReadText(element.get(), L"lfHeight", text));
    EXPECT_EQ(text, L"-22");

    LOGFONTW read{};
    ASSERT_TRUE(ReadLogFont(parsed.Doc, parsed.Root.get(), L"LogFont", read));
    EXPECT_TRUE(SameFont(read, font));
}

TEST(LogFontCodec, TheFieldsCoverEveryMemberOnceInDeclarationOrder)
{
    const LOGFONTW font{};
    const char* const start = reinterpret_cast<const char*>(&font);
    std::size_t covered = 0;
    EachField(kLogFontFields, [&](const auto& field) {
        const auto& member = font.*field.Ptr;
        EXPECT_EQ(reinterpret_cast<const char*>(&member) - start, static_cast<std::ptrdiff_t>(covered)) << field.Name;
        covered += sizeof member;
        return true;
    });
    EXPECT_EQ(covered, sizeof font);
}

TEST(LogFontCodec, ABadMemberLeavesTheOnesBeforeItReadAndTheRestAsTheyWere)
{
    CParsed parsed;
    gvt::test::Parse(parsed, L"<r><LogFont><lfFaceName>Arial</lfFaceName><lfHeight>-12</lfHeight><lfWidth>4</lfWidth>"
                             L"<lfEscapement>1</lfEscapement><lfOrientation>2</lfOrientation><lfWeight>bold</lfWeight>"
                             L"<lfItalic>01</lfItalic></LogFont></r>");
    LOGFONTW font = SampleFont();
    EXPECT_FALSE(ReadLogFont(parsed.Doc, parsed.Root.get(), L"LogFont", font));
    EXPECT_EQ(parsed.Doc.Error().MessageId, static_cast<UINT>(IDS_ERR_XML_LONG));
    EXPECT_EQ(parsed.Doc.Error().Message, Formatted(IDS_ERR_XML_LONG, {L"bold"}));
    EXPECT_EQ(font.lfHeight, -12);
    EXPECT_EQ(font.lfWidth, 4);
    EXPECT_EQ(font.lfEscapement, 1);
    EXPECT_EQ(font.lfOrientation, 2);
    const LOGFONTW untouched = SampleFont();
    EXPECT_EQ(font.lfWeight, untouched.lfWeight);
    EXPECT_EQ(font.lfItalic, untouched.lfItalic);
    EXPECT_STREQ(font.lfFaceName, untouched.lfFaceName);
}

TEST(RectCodec, ABadMemberLeavesTheStoredRectangleWhileMaximizedIsAlreadyRead)
{
    CParsed parsed;
    gvt::test::Parse(parsed, L"<r><WindowLayout><Maximized>true</Maximized><Rect><left>1</left><top>2</top>"
                             L"<right>3</right><bottom>4x</bottom></Rect></WindowLayout></r>");
    CWindowLayoutSetting layout;
    layout.Rect = RECT{10, 20, 30, 40};
    EXPECT_FALSE(ReadWindowLayout(parsed.Doc, parsed.Root.get(), L"WindowLayout", layout));
    EXPECT_EQ(parsed.Doc.Error().MessageId, static_cast<UINT>(IDS_ERR_XML_LONG));
    EXPECT_EQ(parsed.Doc.Error().Message, Formatted(IDS_ERR_XML_LONG, {L"4x"}));
    EXPECT_TRUE(layout.Maximized);
    EXPECT_EQ(layout.Rect.left, 10);
    EXPECT_EQ(layout.Rect.top, 20);
    EXPECT_EQ(layout.Rect.right, 30);
    EXPECT_EQ(layout.Rect.bottom, 40);
}

TEST(RectCodec, AnEmptyNameReadsAndWritesTheParentItself)
{
    CParsed parsed;
    gvt::test::Parse(parsed, L"<Rect/>", L"Rect");
    ASSERT_TRUE(WriteRect(parsed.Doc, parsed.Root.get(), L"", RECT{-5, 6, 700, 800}));
    EXPECT_EQ(ChildNames(parsed.Root.get()), (std::vector<std::wstring>{L"left", L"top", L"right", L"bottom"}));
    RECT rect{};
    ASSERT_TRUE(ReadRect(parsed.Doc, parsed.Root.get(), L"", rect));
    EXPECT_EQ(rect.left, -5);
    EXPECT_EQ(rect.top, 6);
    EXPECT_EQ(rect.right, 700);
    EXPECT_EQ(rect.bottom, 800);
}

TEST(StringListCodec, WritesEveryEntryFrontFirst)
{
    CParsed parsed;
    gvt::test::Parse(parsed, L"<r/>");
    CMruStrings list(20, true);
    Fill(list, {L"newest", L"", L"oldest <&>"});
    ASSERT_TRUE(WriteStringList(parsed.Doc, parsed.Root.get(), L"SampleTexts", list));
    const CXmlNode element = Child(parsed.Doc, parsed.Root.get(), L"SampleTexts");
    EXPECT_EQ(ChildNames(element.get()), (std::vector<std::wstring>{L"SaveContents", L"Items", L"MaxSize"}));
    const CXmlNode items = Child(parsed.Doc, element.get(), L"Items");
    EXPECT_EQ(ChildNames(items.get()), (std::vector<std::wstring>{L"Item", L"Item", L"Item"}));

    CMruStrings read(1, false);
    Fill(read, {L"stale"});
    ASSERT_TRUE(ReadStringList(parsed.Doc, parsed.Root.get(), L"SampleTexts", read));
    EXPECT_EQ(Texts(read), Texts(list));
    EXPECT_TRUE(read.SaveContents);
    EXPECT_EQ(read.MaxSize, 20u);
}

TEST(StringListCodec, WithoutSaveContentsNoItemsAreWrittenAndReadItemsAreIgnored)
{
    CParsed written;
    gvt::test::Parse(written, L"<r/>");
    CMruStrings list(5, false);
    Fill(list, {L"kept in memory only"});
    ASSERT_TRUE(WriteStringList(written.Doc, written.Root.get(), L"SampleTexts", list));
    const CXmlNode element = Child(written.Doc, written.Root.get(), L"SampleTexts");
    EXPECT_EQ(ChildNames(element.get()), (std::vector<std::wstring>{L"SaveContents", L"MaxSize"}));

    CParsed parsed;
    gvt::test::Parse(parsed, L"<r><SampleTexts><SaveContents>false</SaveContents>"
                             L"<Items><Item>from the file</Item></Items><MaxSize>5</MaxSize></SampleTexts></r>");
    CMruStrings read(20, true);
    Fill(read, {L"a", L"b"});
    ASSERT_TRUE(ReadStringList(parsed.Doc, parsed.Root.get(), L"SampleTexts", read));
    EXPECT_FALSE(read.SaveContents);
    EXPECT_EQ(read.MaxSize, 5u);
    EXPECT_EQ(Texts(read), (std::vector<std::wstring>{L"a", L"b"}));
}

TEST(StringListCodec, MaxSizeCutsTheEntriesReadFromTheBack)
{
    CParsed parsed;
    gvt::test::Parse(parsed, L"<r><SampleTexts><MaxSize>2</MaxSize><Items><Item>1</Item><Item>2</Item><Item>3</Item>"
                             L"<Item>4</Item><Item>5</Item></Items><SaveContents>true</SaveContents></SampleTexts></r>");
    CMruStrings read(20, false);
    ASSERT_TRUE(ReadStringList(parsed.Doc, parsed.Root.get(), L"SampleTexts", read));
    EXPECT_EQ(Texts(read), (std::vector<std::wstring>{L"1", L"2"}));
    EXPECT_EQ(read.MaxSize, 2u);
}

TEST(StringListCodec, MissingItemsStopTheReadAfterSaveContents)
{
    CParsed parsed;
    gvt::test::Parse(parsed, L"<r><SampleTexts><SaveContents>true</SaveContents><MaxSize>3</MaxSize></SampleTexts></r>");
    CMruStrings read(20, false);
    Fill(read, {L"a"});
    EXPECT_FALSE(ReadStringList(parsed.Doc, parsed.Root.get(), L"SampleTexts", read));
    EXPECT_EQ(parsed.Doc.Error().MessageId, static_cast<UINT>(IDS_ERR_XML_NODE_NOT_FOUND));
    EXPECT_TRUE(read.SaveContents);
    EXPECT_EQ(read.MaxSize, 20u);
    EXPECT_EQ(Texts(read), (std::vector<std::wstring>{L"a"}));
}

const wchar_t kFontListDlg[] =
    L"<r><FontListDlg><CharSet>128</CharSet><Tategaki>1</Tategaki>%TYPE%<Size>30</Size><Weight>BOLDER</Weight>"
    L"<Italic>ON</Italic><SampleText>あいう</SampleText><SampleTexts><SaveContents>true</SaveContents>"
    L"<Items><Item>x</Item></Items><MaxSize>7</MaxSize></SampleTexts><WindowLayout><Maximized>true</Maximized>"
    L"<Rect><left>1</left><top>2</top><right>3</right><bottom>4</bottom></Rect></WindowLayout></FontListDlg></r>";

std::wstring FontListDlgText(const std::wstring& type)
{
    std::wstring text = kFontListDlg;
    return text.replace(text.find(L"%TYPE%"), 6, type);
}

TEST(FontListDlgCodec, ATypeIsReadWhenPresentAndOtherwiseKept)
{
    for (const bool withType : {true, false}) {
        SCOPED_TRACE(withType ? "with Type" : "without Type");
        CParsed parsed;
        gvt::test::Parse(parsed, FontListDlgText(withType ? L"<Type>VECTOR</Type>" : L""));
        CFontListDlgSetting setting;
        setting.Type = FontType3::RASTER;
        ASSERT_TRUE(ReadFontListDlgSetting(parsed.Doc, parsed.Root.get(), L"FontListDlg", setting))
            << parsed.Doc.Error().MessageId;
        EXPECT_EQ(setting.Type, withType ? FontType3::VECTOR : FontType3::RASTER);
        EXPECT_EQ(setting.CharSet, 128);
        EXPECT_EQ(setting.Tategaki, 1);
        EXPECT_EQ(setting.Size, 30);
        EXPECT_EQ(setting.Weight, FontWeight4::BOLDER);
        EXPECT_EQ(setting.Italic, FontItalic3::ON);
        EXPECT_EQ(setting.SampleText, L"あいう");
        EXPECT_EQ(Texts(setting.SampleTexts), std::vector<std::wstring>{L"x"});
        EXPECT_EQ(setting.SampleTexts.MaxSize, 7u);
        EXPECT_TRUE(setting.WindowLayout.Maximized);
        EXPECT_EQ(setting.WindowLayout.Rect.bottom, 4);
    }
}

template <typename T>
bool Same(const T& a, const T& b)
{
    return a == b;
}

bool Same(const CMruStrings& a, const CMruStrings& b)
{
    return Texts(a) == Texts(b) && a.MaxSize == b.MaxSize && a.SaveContents == b.SaveContents;
}

bool Same(const CWindowLayoutSetting& a, const CWindowLayoutSetting& b)
{
    return a.Maximized == b.Maximized && ::EqualRect(&a.Rect, &b.Rect);
}

TEST(FontListDlgCodec, EveryFieldOfTheTableRoundTrips)
{
    CFontListDlgSetting written;
    written.CharSet = 134;
    written.Tategaki = 1;
    written.Type = FontType3::RASTER;
    written.Size = 9;
    written.Weight = FontWeight4::NORMAL;
    written.Italic = FontItalic3::OFF;
    written.GlyphFilter = true;
    written.SampleText = L"x";
    Fill(written.SampleTexts, {L"a", L"b"});
    written.SampleTexts.MaxSize = 3;
    written.WindowLayout.Maximized = true;
    written.WindowLayout.Rect = RECT{1, 2, 3, 4};
    written.AddedFonts = {L"D:\\Fonts", L"\\\\?\\E:\\a.ttc"};
    written.OnlyAddedFonts = true;
    CParsed parsed;
    gvt::test::Parse(parsed, L"<r/>");
    ASSERT_TRUE(WriteFontListDlgSetting(parsed.Doc, parsed.Root.get(), L"FontListDlg", written));
    CFontListDlgSetting read;
    ASSERT_TRUE(ReadFontListDlgSetting(parsed.Doc, parsed.Root.get(), L"FontListDlg", read))
        << parsed.Doc.Error().MessageId;

    const CFontListDlgSetting defaults;
    EachField(kFontListDlgFields, [&](const auto& field) {
        EXPECT_FALSE(Same(written.*field.Ptr, defaults.*field.Ptr)) << field.Name << " is set away from its default";
        EXPECT_TRUE(Same(read.*field.Ptr, written.*field.Ptr)) << field.Name;
        return true;
    });
}

TEST(FontListDlgCodec, ABadWeightKeepsWhatWasReadBeforeIt)
{
    std::wstring text = FontListDlgText(L"<Type>RASTER</Type>");
    text.replace(text.find(L"BOLDER"), 6, L"Bolder");
    CParsed parsed;
    gvt::test::Parse(parsed, text);
    CFontListDlgSetting setting;
    EXPECT_FALSE(ReadFontListDlgSetting(parsed.Doc, parsed.Root.get(), L"FontListDlg", setting));
    EXPECT_EQ(parsed.Doc.Error().MessageId, static_cast<UINT>(IDS_ERR_ENUM_NAME));
    EXPECT_EQ(parsed.Doc.Error().Message, Formatted(IDS_ERR_ENUM_NAME, {L"FontWeight4", L"Bolder"}));
    EXPECT_EQ(setting.CharSet, 128);
    EXPECT_EQ(setting.Tategaki, 1);
    EXPECT_EQ(setting.Type, FontType3::RASTER);
    EXPECT_EQ(setting.Size, 30);
    const CFontListDlgSetting defaults;
    EXPECT_EQ(setting.Weight, defaults.Weight);
    EXPECT_EQ(setting.Italic, defaults.Italic);
    EXPECT_EQ(setting.SampleText, defaults.SampleText);
    EXPECT_EQ(setting.WindowLayout.Maximized, defaults.WindowLayout.Maximized);
}

TEST(FontListDlgCodec, TheGlyphFilterIsWrittenAfterItalicOnlyWhileOn)
{
    for (const bool on : {false, true}) {
        SCOPED_TRACE(on ? "on" : "off");
        CParsed parsed;
        gvt::test::Parse(parsed, L"<r/>");
        CFontListDlgSetting setting;
        setting.GlyphFilter = on;
        ASSERT_TRUE(WriteFontListDlgSetting(parsed.Doc, parsed.Root.get(), L"FontListDlg", setting));
        const CXmlNode element = Child(parsed.Doc, parsed.Root.get(), L"FontListDlg");
        std::vector<std::wstring> expected = {L"CharSet", L"Tategaki", L"Type",       L"Size",        L"Weight",
                                              L"Italic",  L"SampleText", L"SampleTexts", L"WindowLayout"};
        if (on)
            expected.insert(expected.begin() + 6, L"GlyphFilter");
        EXPECT_EQ(ChildNames(element.get()), expected);
        if (on) {
            std::wstring text;
            ASSERT_TRUE(parsed.Doc.ReadText(element.get(), L"GlyphFilter", text));
            EXPECT_EQ(text, L"true");
        }
        CFontListDlgSetting read;
        read.GlyphFilter = !on;
        ASSERT_TRUE(ReadFontListDlgSetting(parsed.Doc, parsed.Root.get(), L"FontListDlg", read));
        EXPECT_EQ(read.GlyphFilter, on) << "a file without the element reads as off";
    }
}

TEST(FontListDlgCodec, TheGlyphFilterReadsTrueOrFalseAndAnythingElseIsABoolError)
{
    struct Case {
        const wchar_t* text;
        bool ok;
        bool value;
    };
    for (const Case& c : {Case{L"true", true, true}, Case{L"false", true, false}, Case{L"True", false, false},
                          Case{L"1", false, false}, Case{L"", false, false}, Case{L"yes", false, false}}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
        std::wstring text = FontListDlgText(L"");
        text.insert(text.find(L"<SampleText>"), std::wstring(L"<GlyphFilter>") + c.text + L"</GlyphFilter>");
        CParsed parsed;
        gvt::test::Parse(parsed, text);
        CFontListDlgSetting setting;
        setting.GlyphFilter = !c.value;
        EXPECT_EQ(ReadFontListDlgSetting(parsed.Doc, parsed.Root.get(), L"FontListDlg", setting), c.ok);
        if (c.ok) {
            EXPECT_EQ(setting.GlyphFilter, c.value);
            continue;
        }
        EXPECT_EQ(parsed.Doc.Error().MessageId, static_cast<UINT>(IDS_ERR_XML_BOOL));
        EXPECT_EQ(setting.Italic, FontItalic3::ON) << "what came before is kept";
        EXPECT_EQ(setting.SampleText, CFontListDlgSetting().SampleText) << "what comes after is not read";
    }
}

TEST(FontListDlgCodec, AddedFontsComeLastAndOnlyWhileSomethingIsAdded)
{
    for (const bool added : {false, true}) {
        SCOPED_TRACE(added ? "added" : "nothing added");
        CParsed parsed;
        gvt::test::Parse(parsed, L"<r/>");
        CFontListDlgSetting setting;
        if (added) {
            setting.AddedFonts = {L"C:\\b", L"C:\\a.ttf"};
            setting.OnlyAddedFonts = true;
        }
        ASSERT_TRUE(WriteFontListDlgSetting(parsed.Doc, parsed.Root.get(), L"FontListDlg", setting));
        const CXmlNode element = Child(parsed.Doc, parsed.Root.get(), L"FontListDlg");
        std::vector<std::wstring> expected = {L"CharSet", L"Tategaki",   L"Type",        L"Size",        L"Weight",
                                              L"Italic",  L"SampleText", L"SampleTexts", L"WindowLayout"};
        if (added) {
            expected.push_back(L"AddedFonts");
            expected.push_back(L"OnlyAddedFonts");
            EXPECT_EQ(ChildNames(Child(parsed.Doc, element.get(), L"AddedFonts").get()),
                      (std::vector<std::wstring>{L"Path", L"Path"}));
        }
        EXPECT_EQ(ChildNames(element.get()), expected);
        CFontListDlgSetting read;
        read.AddedFonts = {L"kept?"};
        ASSERT_TRUE(ReadFontListDlgSetting(parsed.Doc, parsed.Root.get(), L"FontListDlg", read));
        EXPECT_EQ(read.AddedFonts, setting.AddedFonts) << "in the order added; missing reads empty";
        EXPECT_EQ(read.OnlyAddedFonts, added);
    }
}

TEST(FontListDlgCodec, DamagedAddedFontsStopTheReadAndLeaveTheListAsItWas)
{
    struct Case {
        std::wstring inner;
        UINT error;
    };
    const std::wstring tooLong(kMaxPathLength + 1, L'x');
    for (const Case& c : {Case{L"", IDS_ERR_XML_NODES_NOT_FOUND}, Case{L"C:\\Fonts", IDS_ERR_XML_NODES_NOT_FOUND},
                          Case{L"<Item>C:\\a</Item>", IDS_ERR_XML_NODES_NOT_FOUND},
                          Case{L"<Path>C:\\a</Path><Item>C:\\b</Item>", IDS_ERR_XML_NODES_NOT_FOUND},
                          Case{L"<Path>C:\\a</Path><Path></Path>", IDS_ERR_XML_EMPTY_PATH},
                          Case{L"<Path>" + tooLong + L"</Path>", IDS_ERR_XML_TOO_LONG}}) {
        SCOPED_TRACE(testing::PrintToString(c.inner.substr(0, 40)));
        std::wstring text = FontListDlgText(L"");
        text.insert(text.find(L"</FontListDlg>"),
                    L"<AddedFonts>" + c.inner + L"</AddedFonts><OnlyAddedFonts>true</OnlyAddedFonts>");
        CParsed parsed;
        gvt::test::Parse(parsed, text);
        CFontListDlgSetting setting;
        setting.AddedFonts = {L"before"};
        EXPECT_FALSE(ReadFontListDlgSetting(parsed.Doc, parsed.Root.get(), L"FontListDlg", setting));
        EXPECT_EQ(parsed.Doc.Error().MessageId, c.error);
        EXPECT_EQ(setting.AddedFonts, std::vector<std::wstring>{L"before"});
        EXPECT_TRUE(setting.WindowLayout.Maximized) << "what came before is kept";
        EXPECT_FALSE(setting.OnlyAddedFonts) << "what comes after is not read";
    }
    // The longest path the system takes still reads.
    std::wstring text = FontListDlgText(L"");
    text.insert(text.find(L"</FontListDlg>"), L"<AddedFonts><Path>" + tooLong.substr(1) + L"</Path></AddedFonts>");
    CParsed parsed;
    gvt::test::Parse(parsed, text);
    CFontListDlgSetting setting;
    ASSERT_TRUE(ReadFontListDlgSetting(parsed.Doc, parsed.Root.get(), L"FontListDlg", setting));
    EXPECT_EQ(setting.AddedFonts, std::vector<std::wstring>{tooLong.substr(1)});
}

TEST(FontListDlgCodec, AFailedWriteAttachesNothing)
{
    CParsed parsed;
    gvt::test::Parse(parsed, L"<r/>");
    CFontListDlgSetting setting;
    setting.Weight = static_cast<FontWeight4>(4);
    EXPECT_FALSE(WriteFontListDlgSetting(parsed.Doc, parsed.Root.get(), L"FontListDlg", setting));
    EXPECT_EQ(parsed.Doc.Error().MessageId, static_cast<UINT>(IDS_ERR_ENUM_VALUE));
    EXPECT_EQ(parsed.Doc.Error().Message, Formatted(IDS_ERR_ENUM_VALUE, {L"FontWeight4", L"4"}));
    EXPECT_TRUE(ChildNames(parsed.Root.get()).empty());
}

TEST(MainFrameCodec, HoldsTopMost)
{
    CParsed parsed;
    gvt::test::Parse(parsed, L"<r/>");
    ASSERT_TRUE(WriteMainFrame(parsed.Doc, parsed.Root.get(), L"MainFrame", true));
    EXPECT_EQ(ChildNames(Child(parsed.Doc, parsed.Root.get(), L"MainFrame").get()),
              std::vector<std::wstring>{L"TopMost"});
    bool topMost = false;
    ASSERT_TRUE(ReadMainFrame(parsed.Doc, parsed.Root.get(), L"MainFrame", topMost));
    EXPECT_TRUE(topMost);
}

}  // namespace
