// A crafted settings file is refused before the parser sees it, and a save
// that breaks off leaves the old file as it was.
#include "SettingsTestSupport.h"

#include "base/AtomicFile.h"
#include "base/EnsureFolder.h"
#include "base/Exception.h"
#include "base/SystemErrorText.h"
#include "resources/resource.h"
#include "settings/SafeXmlFile.h"
#include "settings/XmlDocument.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cwchar>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

using gvt::test::CTempFolder;
using gvt::test::Formatted;
using gvt::test::ReadBytes;
using gvt::test::WriteBytes;

// The ASCII text in code units of the given width, the character's byte at
// position inside each unit.
std::string Encode(const std::string& text, std::size_t width, std::size_t position)
{
    std::string bytes;
    for (const char c : text) {
        for (std::size_t i = 0; i < width; ++i)
            bytes.push_back(i == position ? c : '\0');
    }
    return bytes;
}

const char kWithInternalSubset[] = "<?xml version=\"1.0\"?>\n<!DOCTYPE r [<!ENTITY a \"x\">]>\n<r>&a;</r>\n";

// Billions of expansions: without the refusal the parse would not end.
std::string EntityExpansionBomb()
{
    std::string text = "<?xml version=\"1.0\"?>\n<!DOCTYPE r [\n<!ENTITY l0 \"lol\">\n";
    for (int i = 1; i < 10; ++i) {
        text += "<!ENTITY l" + std::to_string(i) + " \"";
        for (int j = 0; j < 10; ++j)
            text += "&l" + std::to_string(i - 1) + ";";
        text += "\">\n";
    }
    return text + "]>\n<r>&l9;</r>\n";
}

TEST(DocumentTypeScan, FindsTheDeclarationInEveryCodeUnitLayout)
{
    CTempFolder folder;
    const std::wstring path = folder.File(L"scan.config");
    struct CLayout {
        std::size_t width;
        std::size_t position;
        const char* bom;
        std::size_t bomSize;
    };
    const CLayout layouts[] = {{1, 0, "\xEF\xBB\xBF", 3},
                               {2, 0, "\xFF\xFE", 2},
                               {2, 1, "\xFE\xFF", 2},
                               {4, 0, "\xFF\xFE\0\0", 4},
                               {4, 3, "\0\0\xFE\xFF", 4}};
    for (const CLayout& layout : layouts) {
        SCOPED_TRACE(testing::Message() << "width " << layout.width << ", byte " << layout.position);
        const std::string bom(layout.bom, layout.bomSize);
        bool found = false;
        WriteBytes(path, bom + Encode(kWithInternalSubset, layout.width, layout.position));
        ASSERT_EQ(FindDocumentTypeDeclaration(path, found), S_OK);
        EXPECT_TRUE(found);
        WriteBytes(path, bom + Encode("<?xml version=\"1.0\"?>\n<r>&lt;!DOCTYPE</r>\n", layout.width, layout.position));
        ASSERT_EQ(FindDocumentTypeDeclaration(path, found), S_OK);
        EXPECT_FALSE(found);
    }
}

TEST(DocumentTypeScan, LooksOnlyAtTheProlog)
{
    CTempFolder folder;
    const std::wstring path = folder.File(L"scan.config");
    struct CCase {
        const char* text;
        bool refused;
    };
    const CCase cases[] = {
        {"<?xml version=\"1.0\"?>\n<!-- <!DOCTYPE r> --->\n<r/>", false},
        {"<?xml version=\"1.0\"?>\n<?note <!DOCTYPE r> ?>\n<r/>", false},
        {"<?xml version=\"1.0\"?>\n<r><![CDATA[<!DOCTYPE r>]]></r>", false},
        {"<?xml version=\"1.0\"?>\n<r><!-- <!DOCTYPE r> --></r>\n<!DOCTYPE r>", false},
        {"<?xml version=\"1.0\"?>\n<!-- a - b -- > c -->\n<?a ? > b?><!DOCTYPE r>\n<r/>", true},
        {"<!--x--><!<!DOCTYPE r><r/>", true},
    };
    const std::pair<std::size_t, std::size_t> layouts[] = {{1, 0}, {2, 0}, {2, 1}, {4, 0}, {4, 3}};
    for (const auto& layout : layouts) {
        for (const CCase& c : cases) {
            SCOPED_TRACE(testing::Message() << "width " << layout.first << ", byte " << layout.second << ": " << c.text);
            WriteBytes(path, Encode(c.text, layout.first, layout.second));
            bool found = !c.refused;
            ASSERT_EQ(FindDocumentTypeDeclaration(path, found), S_OK);
            EXPECT_EQ(found, c.refused);
        }
    }
}

TEST(XmlDocumentLoad, DocumentTypeTextInACommentOrCDataLoads)
{
    CTempFolder folder;
    const std::wstring path = folder.File(L"text.config");
    for (const std::size_t width : {1, 2}) {
        const std::string bom = width == 1 ? "" : std::string("\xFF\xFE", 2);
        WriteBytes(path, bom + Encode("<?xml version=\"1.0\"?>\n<!-- no <!DOCTYPE r> here -->\n"
                                      "<r><v><![CDATA[<!DOCTYPE r>]]></v></r>\n",
                                      width, 0));
        CXmlDocument doc;
        ASSERT_TRUE(doc.LoadFile(path)) << doc.Error().MessageId;
        CXmlNode root;
        std::wstring text;
        ASSERT_TRUE(doc.SelectRoot(L"r", root));
        EXPECT_TRUE(doc.ReadText(root.get(), L"v", text));
        EXPECT_EQ(text, L"<!DOCTYPE r>");
    }
}

TEST(DocumentTypeScan, SeesADeclarationAcrossTheBoundaryOfTwoPieces)
{
    CTempFolder folder;
    const std::wstring path = folder.File(L"scan.config");
    const std::string keyword = "<!DOCTYPE r>";
    for (std::size_t before = 1; before < keyword.size(); ++before) {
        SCOPED_TRACE(testing::Message() << before << " bytes in the first piece");
        std::string text(kScanChunkSize - before, ' ');
        text += keyword + "<r/>";
        WriteBytes(path, text);
        bool found = false;
        ASSERT_EQ(FindDocumentTypeDeclaration(path, found), S_OK);
        EXPECT_TRUE(found);
    }
    WriteBytes(path, std::string(3 * kScanChunkSize, ' ') + "<r/>");
    bool found = true;
    ASSERT_EQ(FindDocumentTypeDeclaration(path, found), S_OK);
    EXPECT_FALSE(found);
}

TEST(DocumentTypeScan, AFileThatCannotBeOpenedGivesItsError)
{
    CTempFolder folder;
    bool found = true;
    EXPECT_EQ(FindDocumentTypeDeclaration(folder.File(L"absent.config"), found), HResultFromWin32(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(found);
}

class XmlDocumentRefusesDocumentTypes : public testing::TestWithParam<std::string> {};

TEST_P(XmlDocumentRefusesDocumentTypes, AsALoadErrorWithoutParsing)
{
    CTempFolder folder;
    const std::wstring path = folder.File(L"crafted.config");
    WriteBytes(folder.File(L"secret.txt"), "TOP SECRET");
    WriteBytes(folder.File(L"secret.dtd"), "<!ENTITY s \"FROM THE DTD\">");
    WriteBytes(path, GetParam());
    CXmlDocument doc;
    EXPECT_FALSE(doc.LoadFile(path));
    const HRESULT invalid = HResultFromWin32(ERROR_INVALID_DATA);
    EXPECT_EQ(doc.Error().MessageId, static_cast<UINT>(IDS_ERR_XML_LOAD));
    EXPECT_EQ(doc.Error().Code, invalid);
    EXPECT_EQ(doc.Error().Message, Formatted(IDS_ERR_XML_LOAD, {SystemErrorText(invalid), path}));
}

std::string Crafted(const std::string& doctype, const std::string& body)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n" + doctype + "\n<GlyvanterSettings>" + body +
           "</GlyvanterSettings>\n";
}

INSTANTIATE_TEST_SUITE_P(
    CraftedFiles, XmlDocumentRefusesDocumentTypes,
    testing::Values(EntityExpansionBomb(),
                    Crafted("<!DOCTYPE GlyvanterSettings [<!ENTITY e SYSTEM \"secret.txt\">]>", "<Version>&e;</Version>"),
                    Crafted("<!DOCTYPE GlyvanterSettings SYSTEM \"secret.dtd\">", "<Version>&s;</Version>"),
                    Crafted("<!DOCTYPE GlyvanterSettings>", "<Version>1</Version>"),
                    std::string("\xFF\xFE", 2) + Encode(kWithInternalSubset, 2, 0)));

TEST(XmlDocumentLoad, AUtf16FileWithoutDocumentTypeStillLoads)
{
    CTempFolder folder;
    const std::wstring path = folder.File(L"utf16.config");
    WriteBytes(path, std::string("\xFF\xFE", 2) + Encode("<?xml version=\"1.0\"?>\n<r><v>7</v></r>\n", 2, 0));
    CXmlDocument doc;
    ASSERT_TRUE(doc.LoadFile(path)) << doc.Error().MessageId;
    CXmlNode root;
    std::wstring text;
    ASSERT_TRUE(doc.SelectRoot(L"r", root));
    EXPECT_TRUE(doc.ReadText(root.get(), L"v", text));
    EXPECT_EQ(text, L"7");
}

// A document with one element holding text, ready to be saved.
void Prepare(gvt::test::CParsed& parsed, const std::wstring& text)
{
    gvt::test::Parse(parsed, L"<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<r/>");
    ASSERT_TRUE(parsed.Doc.WriteText(parsed.Root.get(), L"v", text));
}

TEST(AtomicSave, CreatesAndThenReplacesTheFileLeavingNothingElse)
{
    CTempFolder folder;
    const std::wstring path = folder.File(L"Glyvanter32.config");
    gvt::test::CParsed first;
    Prepare(first, L"first");
    ASSERT_TRUE(first.Doc.SaveFile(path)) << first.Doc.Error().MessageId;
    EXPECT_NE(ReadBytes(path).find("<v>first</v>"), std::string::npos);

    gvt::test::CParsed second;
    Prepare(second, L"second");
    ASSERT_TRUE(second.Doc.SaveFile(path)) << second.Doc.Error().MessageId;
    EXPECT_NE(ReadBytes(path).find("<v>second</v>"), std::string::npos);
    EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"Glyvanter32.config"});
}

// What the replace step saw when it was called.
struct CSeen {
    std::wstring Temporary;
    std::wstring Target;
    std::string TemporaryBytes;
    std::string TargetBytes;
};
CSeen g_seen;

HRESULT CrashingReplace(gvt::SaveStep step, const std::wstring& temporary, const std::wstring& target)
{
    if (step != gvt::SaveStep::Replace)
        return S_OK;
    g_seen = {temporary, target, ReadBytes(temporary), ReadBytes(target)};
    return HResultFromWin32(ERROR_DISK_FULL);
}

HRESULT WatchingReplace(gvt::SaveStep step, const std::wstring& temporary, const std::wstring& target)
{
    if (step == gvt::SaveStep::Replace)
        g_seen = {temporary, target, ReadBytes(temporary), ReadBytes(target)};
    return S_OK;
}

TEST(AtomicSave, ABrokenReplaceKeepsTheOldFileAndRemovesTheTemporaryOne)
{
    CTempFolder folder;
    const std::wstring path = folder.File(L"Glyvanter32.config");
    const std::string old = "<?xml version=\"1.0\"?>\n<r><v>old</v></r>\n";
    WriteBytes(path, old);

    gvt::test::CSaveStepHookScope crash(CrashingReplace);
    gvt::test::CParsed parsed;
    Prepare(parsed, L"new");
    EXPECT_FALSE(parsed.Doc.SaveFile(path));

    const HRESULT full = HResultFromWin32(ERROR_DISK_FULL);
    EXPECT_EQ(parsed.Doc.Error().MessageId, static_cast<UINT>(IDS_ERR_XML_SAVE));
    EXPECT_EQ(parsed.Doc.Error().Code, full);
    EXPECT_EQ(parsed.Doc.Error().Message, Formatted(IDS_ERR_XML_SAVE, {SystemErrorText(full)}));
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"Glyvanter32.config"});

    // The new document was complete beside the target when the step ran.
    EXPECT_EQ(g_seen.Target, path);
    EXPECT_EQ(g_seen.Temporary.substr(0, folder.Path().size() + 1), folder.Path() + L"\\");
    EXPECT_NE(g_seen.TemporaryBytes.find("<r><v>new</v></r>"), std::string::npos);
    EXPECT_EQ(g_seen.TargetBytes, old);
}

TEST(AtomicSave, TheTargetChangesOnlyInTheReplaceStep)
{
    CTempFolder folder;
    const std::wstring path = folder.File(L"Glyvanter32.config");
    const std::string old = "<?xml version=\"1.0\"?>\n<r><v>old</v></r>\n";
    WriteBytes(path, old);

    gvt::test::CSaveStepHookScope watch(WatchingReplace);
    gvt::test::CParsed parsed;
    Prepare(parsed, L"new");
    ASSERT_TRUE(parsed.Doc.SaveFile(path));
    EXPECT_EQ(g_seen.TargetBytes, old);
    EXPECT_EQ(ReadBytes(path), g_seen.TemporaryBytes);
    EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"Glyvanter32.config"});
}

TEST(AtomicSave, ATargetHeldOpenByAnotherProgramStaysAndTheTemporaryFileGoes)
{
    CTempFolder folder;
    const std::wstring path = folder.File(L"Glyvanter32.config");
    const std::string old = "<?xml version=\"1.0\"?>\n<r><v>old</v></r>\n";
    WriteBytes(path, old);
    HANDLE held = ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    gvt::test::CParsed parsed;
    Prepare(parsed, L"new");
    const bool saved = parsed.Doc.SaveFile(path);
    ::CloseHandle(held);

    EXPECT_FALSE(saved);
    EXPECT_EQ(parsed.Doc.Error().MessageId, static_cast<UINT>(IDS_ERR_XML_SAVE));
    EXPECT_LT(parsed.Doc.Error().Code, 0);
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"Glyvanter32.config"});
}

TEST(AtomicSave, AMissingFolderFailsBeforeAnythingIsWritten)
{
    CTempFolder folder;
    const std::wstring path = folder.File(L"missing\\Glyvanter32.config");
    gvt::test::CParsed parsed;
    Prepare(parsed, L"new");
    EXPECT_FALSE(parsed.Doc.SaveFile(path));
    EXPECT_EQ(parsed.Doc.Error().MessageId, static_cast<UINT>(IDS_ERR_XML_SAVE));
    EXPECT_LT(parsed.Doc.Error().Code, 0);
    EXPECT_TRUE(folder.Names().empty());
}

const char kOld[] = "<?xml version=\"1.0\"?>\n<r><v>old</v></r>\n";

gvt::SaveStep g_breakAt;

HRESULT FailingStep(gvt::SaveStep step, const std::wstring&, const std::wstring&)
{
    return step == g_breakAt ? E_FAIL : S_OK;
}

// A process killed at that moment runs no code after it.
struct CKilled {};
HRESULT KilledStep(gvt::SaveStep step, const std::wstring&, const std::wstring&)
{
    if (step == g_breakAt)
        throw CKilled();
    return S_OK;
}

TEST(AtomicSave, BrokenOffAtAnyStepTheFileIsTheOldOneAndTheNextSaveCleansUp)
{
    using Step = gvt::SaveStep;
    for (const Step step : {Step::Resolve, Step::Clean, Step::Create, Step::Write, Step::Check, Step::Flush,
                            Step::Replace}) {
        SCOPED_TRACE(testing::Message() << "step " << static_cast<int>(step));
        CTempFolder folder;
        const std::wstring path = folder.File(L"Glyvanter32.config");
        WriteBytes(path, kOld);
        g_breakAt = step;
        {
            gvt::test::CSaveStepHookScope fail(FailingStep);
            gvt::test::CParsed parsed;
            Prepare(parsed, L"new");
            EXPECT_FALSE(parsed.Doc.SaveFile(path));
            EXPECT_EQ(parsed.Doc.Error().MessageId, static_cast<UINT>(IDS_ERR_XML_SAVE));
            EXPECT_EQ(parsed.Doc.Error().Code, E_FAIL);
            EXPECT_EQ(ReadBytes(path), kOld);
            EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"Glyvanter32.config"});
        }
        {
            gvt::test::CSaveStepHookScope kill(KilledStep);
            gvt::test::CParsed parsed;
            Prepare(parsed, L"new");
            EXPECT_THROW(parsed.Doc.SaveFile(path), CKilled);
            EXPECT_EQ(ReadBytes(path), kOld);
        }
        gvt::test::CParsed parsed;
        Prepare(parsed, L"new");
        ASSERT_TRUE(parsed.Doc.SaveFile(path)) << parsed.Doc.Error().MessageId;
        EXPECT_NE(ReadBytes(path).find("<r><v>new</v></r>"), std::string::npos);
        EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"Glyvanter32.config"});
    }
}

std::size_t g_keptBytes;
HRESULT CutShort(gvt::SaveStep step, const std::wstring& temporary, const std::wstring&)
{
    if (step == gvt::SaveStep::Check) {
        const std::string written = ReadBytes(temporary);
        WriteBytes(temporary, written.substr(0, std::min(g_keptBytes, written.size())));
    }
    return S_OK;
}

TEST(AtomicSave, ATemporaryFileShorterThanTheDocumentKeepsTheOldFile)
{
    CTempFolder folder;
    const std::wstring path = folder.File(L"Glyvanter32.config");
    gvt::test::CSaveStepHookScope cut(CutShort);
    for (const std::size_t kept : {0, 1, 20, 40}) {
        SCOPED_TRACE(kept);
        WriteBytes(path, kOld);
        g_keptBytes = kept;
        gvt::test::CParsed parsed;
        Prepare(parsed, L"new");
        EXPECT_FALSE(parsed.Doc.SaveFile(path));
        // The disk of the test is not full.
        const HRESULT invalid = HResultFromWin32(ERROR_INVALID_DATA);
        EXPECT_EQ(parsed.Doc.Error().Code, invalid);
        EXPECT_EQ(parsed.Doc.Error().Message, Formatted(IDS_ERR_XML_SAVE, {SystemErrorText(invalid)}));
        EXPECT_EQ(ReadBytes(path), kOld);
        EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"Glyvanter32.config"});
    }
}

TEST(AtomicSave, ATextTheParserCannotReadBackKeepsTheOldFile)
{
    CTempFolder folder;
    const std::wstring path = folder.File(L"Glyvanter32.config");
    WriteBytes(path, kOld);
    gvt::test::CParsed parsed;
    Prepare(parsed, L"\xFFFF");
    EXPECT_FALSE(parsed.Doc.SaveFile(path));
    EXPECT_EQ(parsed.Doc.Error().Code, HResultFromWin32(ERROR_INVALID_DATA));
    EXPECT_EQ(ReadBytes(path), kOld);
    EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"Glyvanter32.config"});
}

TEST(AtomicSave, OnlyThisProgramsLeftoversGoAndEverythingElseStays)
{
    CTempFolder folder;
    const std::wstring path = folder.File(L"Glyvanter32.config");
    WriteBytes(path, kOld);
    for (const wchar_t* name : {L"Glyvanter32.config.1.tmp", L"Glyvanter32.config.a2f.tmp", L"GLYVANTER32.CONFIG.BEEF.TMP"})
        WriteBytes(folder.File(name), "");
    WriteBytes(folder.File(L"Glyvanter32.config.3c.tmp"), "<?xml version=\"1.0\"?>\n<r><v>ha");
    // Other programs' temporary files, empty ones of the platform's file
    // replacement, and names that are only like this program's.
    const std::vector<std::wstring> others = {
        L"Glyvanter32.config", L"Glyvanter32.config.123456789.tmp", L"Glyvanter32.config.tmp",
        L"Glyvanter32.config.xyz.tmp", L"Other.config.12.tmp", L"gvt1.tmp", L"gvtA2f.tmp", L"note.tmp",
        L"rf2b1d.tmp"};
    for (std::size_t i = 1; i < others.size(); ++i)
        WriteBytes(folder.File(others[i]), others[i] == L"rf2b1d.tmp" ? "" : "someone else's");
    gvt::test::CParsed parsed;
    Prepare(parsed, L"new");
    ASSERT_TRUE(parsed.Doc.SaveFile(path));
    EXPECT_EQ(folder.Names(), others);
}

TEST(AtomicSave, TheTemporaryFileIsNamedAfterTheTargetAndThisProcess)
{
    CTempFolder folder;
    const std::wstring path = folder.File(L"Glyvanter32.config");
    gvt::test::CSaveStepHookScope watch(WatchingReplace);
    gvt::test::CParsed parsed;
    Prepare(parsed, L"new");
    ASSERT_TRUE(parsed.Doc.SaveFile(path));
    wchar_t process[9];
    std::swprintf(process, 9, L"%lx", static_cast<unsigned long>(::GetCurrentProcessId()));
    EXPECT_EQ(g_seen.Temporary, path + L"." + process + L".tmp");
    EXPECT_TRUE(gvt::IsOwnTemporaryName(FileNameOf(g_seen.Temporary), L"Glyvanter32.config"));
}

TEST(AtomicSave, ThroughASymbolicLinkTheTargetIsReplacedAndTheLinkStays)
{
    CTempFolder synced;
    CTempFolder settings;
    const std::wstring link = settings.File(L"Glyvanter32.config");
    const std::wstring target = synced.File(L"Glyvanter32.config");
    WriteBytes(target, kOld);
    const gvt::test::CSymbolicLink made(link, target);
    if (!made.Made())
        GTEST_SKIP() << "no symbolic links here";
    WriteBytes(synced.File(L"Glyvanter32.config.9.tmp"), "left over");
    WriteBytes(settings.File(L"Glyvanter32.config.8.tmp"), "left over before links were followed");

    for (const wchar_t* text : {L"first", L"second"}) {
        gvt::test::CParsed parsed;
        Prepare(parsed, text);
        ASSERT_TRUE(parsed.Doc.SaveFile(link)) << parsed.Doc.Error().MessageId;
        const std::string written = ReadBytes(target);
        EXPECT_NE(written.find(gvt::test::Utf8(text)), std::string::npos);
        EXPECT_EQ(ReadBytes(link), written);
    }
    // Writing through the link reaches the target only while it is a link.
    WriteBytes(link, "through the link");
    EXPECT_EQ(ReadBytes(target), "through the link");
    EXPECT_EQ(settings.Names(), std::vector<std::wstring>{L"Glyvanter32.config"});
    EXPECT_EQ(synced.Names(), std::vector<std::wstring>{L"Glyvanter32.config"});
}

TEST(AtomicSave, AReadOnlyFileOrAFolderInThePlaceOfTheFileIsNotReplaced)
{
    CTempFolder folder;
    const std::wstring readOnly = folder.File(L"read-only.config");
    WriteBytes(readOnly, kOld);
    ASSERT_TRUE(::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    const std::wstring folderPath = folder.File(L"folder.config");
    ASSERT_TRUE(::CreateDirectoryW(folderPath.c_str(), nullptr));
    for (const std::wstring& path : {readOnly, folderPath}) {
        gvt::test::CParsed parsed;
        Prepare(parsed, L"new");
        EXPECT_FALSE(parsed.Doc.SaveFile(path));
        EXPECT_EQ(parsed.Doc.Error().Code, HResultFromWin32(ERROR_ACCESS_DENIED));
    }
    EXPECT_EQ(ReadBytes(readOnly), kOld);
    EXPECT_EQ(::GetFileAttributesW(folderPath.c_str()) & FILE_ATTRIBUTE_DIRECTORY, static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(folder.Names(), (std::vector<std::wstring>{L"folder.config", L"read-only.config"}));
}

// A link whose target is missing (a synced folder not mounted yet) stays a
// link: its target is created when the target's folder is there; otherwise
// nothing is saved. Wine shows such a link to no call that looks for it.
TEST(AtomicSave, ALinkWhoseTargetIsMissingStaysALink)
{
    for (const bool folderThere : {true, false}) {
        SCOPED_TRACE(folderThere ? "the target's folder is there" : "the target's folder is missing");
        CTempFolder synced;
        CTempFolder settings;
        const std::wstring folder = synced.File(L"mounted");
        const std::wstring target = folder + L"\\Glyvanter32.config";
        const std::wstring link = settings.File(L"Glyvanter32.config");
        ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
        WriteBytes(target, kOld);
        const gvt::test::CSymbolicLink made(link, target);
        if (!made.Made())
            GTEST_SKIP() << "no symbolic links here";
        ASSERT_TRUE(::DeleteFileW(target.c_str()));
        ASSERT_TRUE(folderThere || ::RemoveDirectoryW(folder.c_str()));

        gvt::test::CParsed parsed;
        Prepare(parsed, L"new");
        EXPECT_TRUE(parsed.Doc.SaveFile(link)) << parsed.Doc.Error().MessageId;
        if (folderThere) {
            EXPECT_NE(ReadBytes(target).find("<r><v>new</v></r>"), std::string::npos);
            EXPECT_EQ(settings.Names(), std::vector<std::wstring>{L"Glyvanter32.config"});
        } else {
            // Neither a plain file in the link's place nor a folder for the target.
            EXPECT_EQ(settings.Names(), std::vector<std::wstring>{});
            EXPECT_EQ(synced.Names(), std::vector<std::wstring>{});
            ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
        }
        // Writing through the link reaches the target only while it is a link.
        WriteBytes(link, "through the link");
        EXPECT_EQ(ReadBytes(target), "through the link");
    }
}

// A network path, which has no drive letter, saves as a local one: Wine
// maps \\host\share to a folder through its dosdevices. A volume mounted
// without a letter cannot be made under Wine.
TEST(AtomicSave, ANetworkPathSavesLikeALocalOne)
{
    CTempFolder folder;
    const gvt::test::CNetworkShare share(folder.Path());
    if (share.Path().empty())
        GTEST_SKIP() << "no network path here";
    const std::wstring path = share.Path() + L"\\Glyvanter32.config";
    gvt::test::CSaveStepHookScope watch(WatchingReplace);
    for (const wchar_t* text : {L"first", L"second"}) {
        gvt::test::CParsed parsed;
        Prepare(parsed, text);
        ASSERT_TRUE(parsed.Doc.SaveFile(path)) << testing::PrintToString(parsed.Doc.Error().Message);
        EXPECT_NE(ReadBytes(folder.File(L"Glyvanter32.config")).find(gvt::test::Utf8(text)), std::string::npos);
        EXPECT_TRUE(gvt::IsOwnTemporaryName(FileNameOf(g_seen.Temporary), L"Glyvanter32.config"));
    }
    EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"Glyvanter32.config"});
}

TEST(AtomicSave, TwoInstancesSavingAtOnceBothSucceedAndAReaderAlwaysFindsAWholeFile)
{
    CTempFolder folder;
    const std::wstring path = folder.File(L"Glyvanter32.config");
    WriteBytes(path, kOld);
    std::atomic<int> failedSaves{0};
    std::atomic<int> running{2};
    const auto writer = [&](int number) {
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        for (int i = 0; i < 20; ++i) {
            CXmlDocument doc;
            CXmlNode root;
            const bool saved = doc.LoadText(L"<?xml version=\"1.0\"?>\n<r/>") && doc.SelectRoot(L"r", root) &&
                               doc.WriteText(root.get(), L"v", std::to_wstring(number * 100 + i)) && doc.SaveFile(path);
            failedSaves += saved ? 0 : 1;
        }
        --running;
        ::CoUninitialize();
    };
    std::thread first(writer, 1);
    std::thread second(writer, 2);
    // A reader as most programs open files, sharing reading and writing only,
    // again and again.
    int reads = 0;
    int missing = 0;
    int cutShort = 0;
    while (running > 0) {
        HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            missing += ::GetLastError() == ERROR_FILE_NOT_FOUND ? 1 : 0;
            continue;
        }
        char bytes[4096];
        DWORD read = 0;
        ::ReadFile(file, bytes, sizeof bytes, &read, nullptr);
        ::CloseHandle(file);
        ++reads;
        cutShort += std::string(bytes, read).find("</r>") == std::string::npos ? 1 : 0;
        ::Sleep(1);
    }
    first.join();
    second.join();
    EXPECT_EQ(failedSaves, 0);
    EXPECT_EQ(missing, 0);
    EXPECT_EQ(cutShort, 0) << "of " << reads << " reads";
    EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"Glyvanter32.config"});
}

}  // namespace
