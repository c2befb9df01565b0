// The DOM wrapper against the platform's own parser.
#include "SettingsTestSupport.h"

#include "base/SimpleErr.h"
#include "base/SystemErrorText.h"
#include "framework/UniqueHandle.h"
#include "resources/resource.h"
#include "settings/XmlDocument.h"
#include "support/TestLanguage.h"

#include <gtest/gtest.h>

namespace {

using gvt::test::CParsed;
using gvt::test::CTempFolder;
using gvt::test::Formatted;

const wchar_t kSettingsTree[] =
    L"<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    L"<GlyvanterSettings><FontListDlg><CharSet>128</CharSet><SampleText>abc</SampleText>"
    L"<Items><Item>one</Item><Other>x</Other><Item>two</Item><Item>three</Item></Items>"
    L"</FontListDlg></GlyvanterSettings>\n";

void ExpectError(const CXmlDocument& doc, UINT id, HRESULT code, const std::wstring& message)
{
    EXPECT_EQ(doc.Error().MessageId, id);
    EXPECT_EQ(doc.Error().Code, code);
    EXPECT_EQ(doc.Error().Message, message);
}

TEST(XmlDocumentLoad, AMissingFileIsNotFoundAndCreatesNoDom)
{
    CTempFolder folder;
    const std::wstring path = folder.File(L"absent.config");
    CXmlDocument doc;
    EXPECT_FALSE(doc.LoadFile(path));
    const HRESULT notFound = static_cast<HRESULT>(0x80070002);
    ExpectError(doc, IDS_ERR_XML_LOAD, notFound, Formatted(IDS_ERR_XML_LOAD, {SystemErrorText(notFound), path}));

    CXmlNode root;
    EXPECT_FALSE(doc.SelectRoot(L"GlyvanterSettings", root));
    ExpectError(doc, IDS_ERR_XML_SELECT_NODE, E_POINTER,
                Formatted(IDS_ERR_XML_SELECT_NODE, {SystemErrorText(E_POINTER), L"GlyvanterSettings"}));
}

TEST(XmlDocumentLoad, AFileThatIsNotWellFormedFailsWithTheParsersFalseAndKeepsTheHeldDocument)
{
    CTempFolder folder;
    const std::wstring path = folder.File(L"broken.config");
    gvt::test::WriteBytes(path, "<GlyvanterSettings><Version>1</GlyvanterSettings>");
    CXmlDocument doc;
    ASSERT_TRUE(doc.LoadText(kSettingsTree));
    EXPECT_FALSE(doc.LoadFile(path));
    ExpectError(doc, IDS_ERR_XML_LOAD, S_FALSE, Formatted(IDS_ERR_XML_LOAD, {SystemErrorText(S_FALSE), path}));

    CXmlNode root;
    EXPECT_TRUE(doc.SelectRoot(L"GlyvanterSettings", root));
}

// Names that mean something else in a URL are read as the file they name.
TEST(XmlDocumentLoad, AWellFormedFileIsParsed)
{
    CTempFolder folder;
    for (const wchar_t* name : {L"good.config", L"a#b %41;c.config"}) {
        SCOPED_TRACE(name);
        const std::wstring path = folder.File(name);
        gvt::test::WriteBytes(path, gvt::test::Utf8(kSettingsTree));
        CXmlDocument doc;
        ASSERT_TRUE(doc.LoadFile(path));
        CXmlNode root, list;
        std::wstring text;
        ASSERT_TRUE(doc.SelectRoot(L"GlyvanterSettings", root));
        ASSERT_TRUE(doc.SelectChild(root.get(), L"FontListDlg", list));
        EXPECT_TRUE(doc.ReadText(list.get(), L"SampleText", text));
        EXPECT_EQ(text, L"abc");
        EXPECT_EQ(doc.Error().MessageId, 0u);
    }
}

TEST(XmlDocumentSelect, AMissingRootNamesTheRoot)
{
    CXmlDocument doc;
    ASSERT_TRUE(doc.LoadText(kSettingsTree));
    CXmlNode root;
    EXPECT_FALSE(doc.SelectRoot(L"OtherSettings", root));
    ExpectError(doc, IDS_ERR_XML_NODE_NOT_FOUND, E_FAIL,
                Formatted(IDS_ERR_XML_NODE_NOT_FOUND, {SystemErrorText(E_FAIL), L"OtherSettings"}));
}

TEST(XmlDocumentSelect, AMissingChildNamesItsPathInTheJapaneseTextOnly)
{
    gvt::test::CParsed parsed;
    gvt::test::Parse(parsed, kSettingsTree, L"GlyvanterSettings");
    CXmlDocument& doc = parsed.Doc;
    CXmlNode list, size;
    ASSERT_TRUE(doc.SelectChild(parsed.Root.get(), L"FontListDlg", list));
    EXPECT_FALSE(doc.SelectChild(list.get(), L"Size", size));
    EXPECT_FALSE(size);

    const std::wstring system = SystemErrorText(E_FAIL);
    const std::wstring expected =
        gvt::test::Japanese()
            ? L"XMLドキュメント指定のノードが見つかりません - " + system + L"\n\n#document/GlyvanterSettings/FontListDlg -> Size"
            : L"Failed to select specified node - " + system;
    ExpectError(doc, IDS_ERR_XML_NODE_NOT_FOUND, E_FAIL, expected);
}

TEST(XmlDocumentSelect, HasChildAnswersWithoutRecording)
{
    CParsed parsed;
    gvt::test::Parse(parsed, kSettingsTree, L"GlyvanterSettings");
    CXmlNode list;
    ASSERT_TRUE(parsed.Doc.SelectChild(parsed.Root.get(), L"FontListDlg", list));
    EXPECT_TRUE(parsed.Doc.HasChild(list.get(), L"CharSet"));
    EXPECT_FALSE(parsed.Doc.HasChild(list.get(), L"Type"));
    EXPECT_EQ(parsed.Doc.Error().MessageId, 0u);
}

TEST(XmlDocumentSelect, ChildrenOfANameComeInDocumentOrder)
{
    CParsed parsed;
    gvt::test::Parse(parsed, kSettingsTree, L"GlyvanterSettings");
    CXmlDocument& doc = parsed.Doc;
    CXmlNode list, items;
    ASSERT_TRUE(doc.SelectChild(parsed.Root.get(), L"FontListDlg", list));
    ASSERT_TRUE(doc.SelectChild(list.get(), L"Items", items));
    CXmlNodeList nodes;
    long length = 0;
    ASSERT_TRUE(doc.SelectChildren(items.get(), L"Item", nodes));
    ASSERT_TRUE(doc.GetListLength(nodes.get(), length));
    ASSERT_EQ(length, 3);
    std::vector<std::wstring> texts;
    for (long i = 0; i < length; ++i) {
        CXmlNode item;
        std::wstring text;
        ASSERT_TRUE(doc.GetListItem(nodes.get(), i, item));
        ASSERT_TRUE(doc.ReadText(item.get(), L"", text));
        texts.push_back(text);
    }
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"one", L"two", L"three"}));

    CXmlNode past;
    EXPECT_FALSE(doc.GetListItem(nodes.get(), 3, past));
    EXPECT_EQ(doc.Error().MessageId, static_cast<UINT>(IDS_ERR_XML_NODES_ITEM));
}

TEST(XmlDocumentPath, NamesEveryNodeFromTheDocumentDown)
{
    CParsed parsed;
    gvt::test::Parse(parsed, kSettingsTree, L"GlyvanterSettings");
    CXmlNode list, charSet;
    ASSERT_TRUE(parsed.Doc.SelectChild(parsed.Root.get(), L"FontListDlg", list));
    ASSERT_TRUE(parsed.Doc.SelectChild(list.get(), L"CharSet", charSet));
    EXPECT_EQ(CXmlDocument::NodePath(nullptr), L"(!null)");
    EXPECT_EQ(CXmlDocument::NodePath(parsed.Root.get()), L"#document/GlyvanterSettings");
    EXPECT_EQ(CXmlDocument::NodePath(charSet.get()), L"#document/GlyvanterSettings/FontListDlg/CharSet");

    CXmlNode loose;
    ASSERT_TRUE(parsed.Doc.CreateElement(L"Loose", loose));
    EXPECT_EQ(CXmlDocument::NodePath(loose.get()), L"Loose");
}

TEST(XmlDocumentWrite, AChildIsCreatedFilledAndAppended)
{
    CParsed parsed;
    gvt::test::Parse(parsed, L"<r/>");
    CXmlDocument& doc = parsed.Doc;
    ASSERT_TRUE(doc.WriteText(parsed.Root.get(), L"First", L"a < b & \"c\""));
    ASSERT_TRUE(doc.WriteText(parsed.Root.get(), L"Second", L"日本語"));

    // Appended in the order written.
    CXmlNode first, next;
    ASSERT_TRUE(doc.SelectChild(parsed.Root.get(), L"First", first));
    ASSERT_TRUE(SUCCEEDED(first->get_nextSibling(next.put())));
    EXPECT_EQ(CXmlDocument::NodePath(next.get()), L"#document/r/Second");

    std::wstring text;
    EXPECT_TRUE(doc.ReadText(parsed.Root.get(), L"Second", text));
    EXPECT_EQ(text, L"日本語");
    EXPECT_TRUE(doc.ReadText(parsed.Root.get(), L"First", text));
    EXPECT_EQ(text, L"a < b & \"c\"");
}

TEST(XmlDocumentWrite, AnEmptyNameMakesTheParentItsOwnComposite)
{
    CParsed parsed;
    gvt::test::Parse(parsed, L"<r>own</r>");
    CXmlDocument& doc = parsed.Doc;
    CXmlNode read, written;
    ASSERT_TRUE(doc.OpenChildForRead(parsed.Root.get(), L"", read));
    EXPECT_EQ(read.get(), parsed.Root.get());
    ASSERT_TRUE(doc.NewChildForWrite(parsed.Root.get(), L"", written));
    EXPECT_EQ(written.get(), parsed.Root.get());
    // Attaching the parent to itself would be a DOM error; it is left alone.
    EXPECT_TRUE(doc.AttachChild(parsed.Root.get(), written.get()));

    std::wstring text;
    EXPECT_TRUE(doc.ReadText(parsed.Root.get(), L"", text));
    EXPECT_EQ(text, L"own");
}

TEST(XmlDocumentWrite, ANewChildStaysOutOfTheTreeUntilAttached)
{
    CParsed parsed;
    gvt::test::Parse(parsed, L"<r/>");
    CXmlDocument& doc = parsed.Doc;
    CXmlNode child;
    ASSERT_TRUE(doc.NewChildForWrite(parsed.Root.get(), L"Composite", child));
    EXPECT_FALSE(doc.HasChild(parsed.Root.get(), L"Composite"));
    ASSERT_TRUE(doc.AttachChild(parsed.Root.get(), child.get()));
    EXPECT_TRUE(doc.HasChild(parsed.Root.get(), L"Composite"));
}

TEST(XmlDocumentWrite, AppendingTheDocumentBelowAnElementIsRecorded)
{
    CParsed parsed;
    gvt::test::Parse(parsed, L"<r><c/></r>");
    CXmlNode child;
    ASSERT_TRUE(parsed.Doc.SelectChild(parsed.Root.get(), L"c", child));
    gvt::CComPtr<IXMLDOMDocument> document;
    ASSERT_TRUE(SUCCEEDED(child->get_ownerDocument(document.put())));
    EXPECT_FALSE(parsed.Doc.AppendChild(child.get(), document.get()));
    EXPECT_EQ(parsed.Doc.Error().MessageId, static_cast<UINT>(IDS_ERR_XML_APPEND_NODE));
    EXPECT_LT(parsed.Doc.Error().Code, 0);
}

TEST(XmlDocumentWrite, WithoutADocumentNothingCanBeCreatedOrSaved)
{
    CTempFolder folder;
    CXmlDocument doc;
    CXmlNode node;
    EXPECT_FALSE(doc.CreateElement(L"Version", node));
    ExpectError(doc, IDS_ERR_XML_CREATE_NODE, E_POINTER,
                Formatted(IDS_ERR_XML_CREATE_NODE, {SystemErrorText(E_POINTER)}));
    EXPECT_FALSE(doc.SaveFile(folder.File(L"never.config")));
    ExpectError(doc, IDS_ERR_XML_SAVE, E_POINTER, Formatted(IDS_ERR_XML_SAVE, {SystemErrorText(E_POINTER)}));
    EXPECT_TRUE(folder.Names().empty());
}

TEST(XmlDocumentError, EachFormReplacesTheRecord)
{
    CXmlDocument doc;
    const HRESULT denied = static_cast<HRESULT>(0x80070005);
    EXPECT_FALSE(doc.SetError(IDS_ERR_XML_SAVE, denied));
    ExpectError(doc, IDS_ERR_XML_SAVE, denied, Formatted(IDS_ERR_XML_SAVE, {SystemErrorText(denied)}));

    EXPECT_FALSE(doc.SetError(IDS_ERR_XML_LOAD, denied, L"C:\\x.config"));
    ExpectError(doc, IDS_ERR_XML_LOAD, denied, Formatted(IDS_ERR_XML_LOAD, {SystemErrorText(denied), L"C:\\x.config"}));

    EXPECT_FALSE(doc.SetError(IDS_ERR_XML_INT, L"abc"));
    ExpectError(doc, IDS_ERR_XML_INT, 0, Formatted(IDS_ERR_XML_INT, {L"abc"}));

    CSimpleErr raised;
    raised.MessageId = IDS_ERR_ENUM_NAME;
    raised.Code = 7;
    raised.Message = L"as raised";
    EXPECT_FALSE(doc.SetError(raised));
    ExpectError(doc, IDS_ERR_ENUM_NAME, 7, L"as raised");
}

}  // namespace
