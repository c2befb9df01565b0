// The settings file as a whole: the exact text a write produces, reading it
// back, the questions at start and the failures at exit.
#include "SettingsTestSupport.h"

#include "base/AtomicFile.h"
#include "base/Exception.h"
#include "base/SystemErrorText.h"
#include "resources/resource.h"
#include "settings/AppInfo.h"
#include "settings/AppSetting.h"
#include "settings/SettingsFile.h"
#include "settings/XmlDocument.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

namespace {

using gvt::test::Formatted;
using gvt::test::ReadBytes;
using gvt::test::Utf8;
using gvt::test::WriteBytes;

const char kZeroLogFont[] =
    "<lfHeight>0</lfHeight><lfWidth>0</lfWidth><lfEscapement>0</lfEscapement><lfOrientation>0</lfOrientation>"
    "<lfWeight>0</lfWeight><lfItalic>00</lfItalic><lfUnderline>00</lfUnderline><lfStrikeOut>00</lfStrikeOut>"
    "<lfCharSet>00</lfCharSet><lfOutPrecision>00</lfOutPrecision><lfClipPrecision>00</lfClipPrecision>"
    "<lfQuality>00</lfQuality><lfPitchAndFamily>00</lfPitchAndFamily><lfFaceName/>";

// What the platform's DOM writes for the default record: a line feed after
// the declaration and after the root, nothing between the elements.
std::string DefaultFile()
{
    return std::string("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                       "<GlyvanterSettings xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                       "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\">"
                       "<Version>1.0.0.0</Version><MainFrame><TopMost>false</TopMost></MainFrame>"
                       "<FontListDlg><CharSet>0</CharSet><Tategaki>0</Tategaki><Type>UNDEF</Type><Size>22</Size>"
                       "<Weight>UNDEF</Weight><Italic>UNDEF</Italic><SampleText/>"
                       "<SampleTexts><SaveContents>true</SaveContents><Items/><MaxSize>20</MaxSize></SampleTexts>"
                       "<WindowLayout><Maximized>false</Maximized>"
                       "<Rect><left>0</left><top>0</top><right>0</right><bottom>0</bottom></Rect></WindowLayout>"
                       "</FontListDlg><LogFont>") +
           kZeroLogFont + "</LogFont><TopLogFont>" + kZeroLogFont + "</TopLogFont></GlyvanterSettings>\n";
}

std::vector<std::wstring> Texts(const CMruStrings& list)
{
    std::vector<std::wstring> texts;
    for (const CMruStrings::Entry& entry : list)
        texts.push_back(entry->Text());
    return texts;
}

// A record that differs from the defaults everywhere.
CAppSetting Changed()
{
    CAppSetting setting;
    setting.TopMost = true;
    CFontListDlgSetting& list = setting.FontListDlg;
    list.CharSet = 128;
    list.Tategaki = 1;
    list.Type = FontType3::VECTOR;
    list.Size = -40;
    list.Weight = FontWeight4::LIGHTER;
    list.Italic = FontItalic3::OFF;
    list.GlyphFilter = true;
    list.SampleText = L"<日本&語>";
    for (const wchar_t* text : {L"first", L"second \"quoted\"", L"third"})
        list.SampleTexts.Items().push_back(boost::make_shared<const CSameNamedString>(text));
    list.SampleTexts.MaxSize = 9;
    list.WindowLayout.Maximized = true;
    list.WindowLayout.Rect = RECT{-8, 16, 1024, 768};
    list.AddedFonts = {L"D:\\Type <&> Fonts", L"\\\\server\\share\\x.ttc"};
    list.OnlyAddedFonts = true;
    setting.LogFont.lfHeight = -22;
    setting.LogFont.lfWeight = 700;
    setting.LogFont.lfItalic = 1;
    setting.LogFont.lfCharSet = SHIFTJIS_CHARSET;
    setting.LogFont.lfPitchAndFamily = 0x31;
    std::wcscpy(setting.LogFont.lfFaceName, L"ＭＳ 明朝");
    setting.TopLogFont.lfHeight = -13;
    std::wcscpy(setting.TopLogFont.lfFaceName, L"@Arial Unicode MS");
    return setting;
}

void ExpectSameFont(const LOGFONTW& a, const LOGFONTW& b)
{
    EXPECT_EQ(a.lfHeight, b.lfHeight);
    EXPECT_EQ(a.lfWidth, b.lfWidth);
    EXPECT_EQ(a.lfEscapement, b.lfEscapement);
    EXPECT_EQ(a.lfOrientation, b.lfOrientation);
    EXPECT_EQ(a.lfWeight, b.lfWeight);
    EXPECT_EQ(a.lfItalic, b.lfItalic);
    EXPECT_EQ(a.lfUnderline, b.lfUnderline);
    EXPECT_EQ(a.lfStrikeOut, b.lfStrikeOut);
    EXPECT_EQ(a.lfCharSet, b.lfCharSet);
    EXPECT_EQ(a.lfOutPrecision, b.lfOutPrecision);
    EXPECT_EQ(a.lfClipPrecision, b.lfClipPrecision);
    EXPECT_EQ(a.lfQuality, b.lfQuality);
    EXPECT_EQ(a.lfPitchAndFamily, b.lfPitchAndFamily);
    EXPECT_STREQ(a.lfFaceName, b.lfFaceName);
}

void ExpectSameFontList(const CFontListDlgSetting& a, const CFontListDlgSetting& b)
{
    EXPECT_EQ(a.CharSet, b.CharSet);
    EXPECT_EQ(a.Tategaki, b.Tategaki);
    EXPECT_EQ(a.Type, b.Type);
    EXPECT_EQ(a.Size, b.Size);
    EXPECT_EQ(a.Weight, b.Weight);
    EXPECT_EQ(a.Italic, b.Italic);
    EXPECT_EQ(a.GlyphFilter, b.GlyphFilter);
    EXPECT_EQ(a.SampleText, b.SampleText);
    EXPECT_EQ(Texts(a.SampleTexts), Texts(b.SampleTexts));
    EXPECT_EQ(a.SampleTexts.MaxSize, b.SampleTexts.MaxSize);
    EXPECT_EQ(a.SampleTexts.SaveContents, b.SampleTexts.SaveContents);
    EXPECT_EQ(a.WindowLayout.Maximized, b.WindowLayout.Maximized);
    EXPECT_EQ(a.WindowLayout.Rect.left, b.WindowLayout.Rect.left);
    EXPECT_EQ(a.WindowLayout.Rect.top, b.WindowLayout.Rect.top);
    EXPECT_EQ(a.WindowLayout.Rect.right, b.WindowLayout.Rect.right);
    EXPECT_EQ(a.WindowLayout.Rect.bottom, b.WindowLayout.Rect.bottom);
    EXPECT_EQ(a.AddedFonts, b.AddedFonts);
    EXPECT_EQ(a.OnlyAddedFonts, b.OnlyAddedFonts);
}

void ExpectSame(const CAppSetting& a, const CAppSetting& b)
{
    EXPECT_EQ(a.TopMost, b.TopMost);
    ExpectSameFontList(a.FontListDlg, b.FontListDlg);
    ExpectSameFont(a.LogFont, b.LogFont);
    ExpectSameFont(a.TopLogFont, b.TopLogFont);
}

void Replace(std::string& text, const std::string& from, const std::string& to)
{
    const std::size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
}

// The settings of the run point into a scratch folder, with a recording
// message service and a record of their own.
class SettingsFile : public testing::Test {
protected:
    void SetUp() override
    {
        m_savedInfo = CAppInfo::Instance();
        CAppInfo::Instance().SettingsFolder = m_folder.Path();
        CAppInfo::Instance().ProductName = L"Glyvanter";
        CAppSetting::SetInstance(&m_setting);
    }
    void TearDown() override
    {
        CAppSetting::SetInstance(nullptr);
        CAppInfo::Instance() = m_savedInfo;
    }

    std::wstring Path() const { return m_folder.File(L"Glyvanter32.config"); }

    // The file text that a write of the changed record produces.
    std::string ChangedFile()
    {
        const std::wstring path = m_folder.File(L"changed.xml");
        CXmlDocument doc;
        EXPECT_TRUE(WriteSettings(doc, path, Changed())) << doc.Error().MessageId;
        std::string text = ReadBytes(path);
        ::DeleteFileW(path.c_str());
        return text;
    }

    // The error a read of the settings file records, from a document of its own.
    std::wstring ReadError()
    {
        CXmlDocument doc;
        CAppSetting scratch;
        EXPECT_FALSE(ReadSettings(doc, Path(), scratch));
        return doc.Error().Message;
    }

    bool Load()
    {
        gvt::test::CMsgScope scope(m_msg);
        return LoadSettingsAtStart();
    }

    gvt::test::CTempFolder m_folder;
    CAppSetting m_setting;
    gvt::test::CRecordingMsg m_msg;
    CAppInfo m_savedInfo;
};

TEST_F(SettingsFile, TheDefaultRecordIsWrittenAsExactlyThisText)
{
    CXmlDocument doc;
    ASSERT_TRUE(WriteSettings(doc, Path(), CAppSetting())) << doc.Error().MessageId;
    EXPECT_EQ(ReadBytes(Path()), DefaultFile());
    EXPECT_EQ(m_folder.Names(), std::vector<std::wstring>{L"Glyvanter32.config"});
}

TEST_F(SettingsFile, TextIsWrittenAsEscapedUtf8)
{
    const std::string text = ChangedFile();
    EXPECT_NE(text.find(Utf8(L"<SampleText>&lt;日本&amp;語")), std::string::npos);
    EXPECT_NE(text.find(Utf8(L"<lfFaceName>ＭＳ 明朝</lfFaceName>")), std::string::npos);
    EXPECT_NE(text.find("<Items><Item>first</Item><Item>second \"quoted\"</Item><Item>third</Item></Items>"),
              std::string::npos);
    EXPECT_NE(text.find("<lfCharSet>80</lfCharSet>"), std::string::npos);
}

TEST_F(SettingsFile, WhatIsWrittenReadsBackInFull)
{
    WriteBytes(Path(), ChangedFile());
    CXmlDocument doc;
    CAppSetting read;
    ASSERT_TRUE(ReadSettings(doc, Path(), read)) << testing::PrintToString(doc.Error().Message);
    ExpectSame(read, Changed());
    EXPECT_EQ(doc.Version, kSettingsVersion);
}

TEST_F(SettingsFile, ElementsAreFoundByNameInAnyOrderAndStrangersAreIgnored)
{
    WriteBytes(Path(), Utf8(L"<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<GlyvanterSettings>\r\n"
                            L"  <TopLogFont><lfFaceName>Top</lfFaceName><lfPitchAndFamily>1</lfPitchAndFamily>"
                            L"<lfQuality>2</lfQuality><lfClipPrecision>3</lfClipPrecision><lfOutPrecision>4</lfOutPrecision>"
                            L"<lfCharSet>5</lfCharSet><lfStrikeOut>6</lfStrikeOut><lfUnderline>7</lfUnderline>"
                            L"<lfItalic>8</lfItalic><lfWeight>9</lfWeight><lfOrientation>10</lfOrientation>"
                            L"<lfEscapement>11</lfEscapement><lfWidth>12</lfWidth><lfHeight>13</lfHeight></TopLogFont>\r\n"
                            L"  <Unknown>ignored</Unknown>\r\n"
                            L"  <LogFont><lfHeight>-1</lfHeight><lfWidth>0</lfWidth><lfEscapement>0</lfEscapement>"
                            L"<lfOrientation>0</lfOrientation><lfWeight>400</lfWeight><lfItalic>0</lfItalic>"
                            L"<lfUnderline>0</lfUnderline><lfStrikeOut>0</lfStrikeOut><lfCharSet>1</lfCharSet>"
                            L"<lfOutPrecision>0</lfOutPrecision><lfClipPrecision>0</lfClipPrecision><lfQuality>0</lfQuality>"
                            L"<lfPitchAndFamily>0</lfPitchAndFamily><lfFaceName>Face</lfFaceName></LogFont>\r\n"
                            L"  <FontListDlg>\r\n    <WindowLayout><Rect><bottom>4</bottom><right>3</right><top>2</top>"
                            L"<left>1</left></Rect><Maximized>false</Maximized></WindowLayout>\r\n"
                            L"    <SampleTexts><MaxSize>3</MaxSize><Items><Item>b</Item><Item>a</Item></Items>"
                            L"<SaveContents>true</SaveContents></SampleTexts>\r\n"
                            L"    <SampleText>sample</SampleText><Italic>ON</Italic><Weight>NORMAL</Weight><Size>18</Size>"
                            L"<Type>RASTER</Type><Tategaki>0</Tategaki><CharSet>2</CharSet>\r\n  </FontListDlg>\r\n"
                            L"  <MainFrame><TopMost>true</TopMost></MainFrame>\r\n  <Version>1.0.0.0</Version>\r\n"
                            L"</GlyvanterSettings>\r\n"));
    CXmlDocument doc;
    ASSERT_TRUE(ReadSettings(doc, Path(), m_setting)) << testing::PrintToString(doc.Error().Message);
    EXPECT_TRUE(m_setting.TopMost);
    const CFontListDlgSetting& list = m_setting.FontListDlg;
    EXPECT_EQ(list.CharSet, 2);
    EXPECT_EQ(list.Type, FontType3::RASTER);
    EXPECT_EQ(list.Size, 18);
    EXPECT_EQ(list.Weight, FontWeight4::NORMAL);
    EXPECT_EQ(list.Italic, FontItalic3::ON);
    EXPECT_EQ(list.SampleText, L"sample");
    EXPECT_EQ(Texts(list.SampleTexts), (std::vector<std::wstring>{L"b", L"a"}));
    EXPECT_EQ(list.SampleTexts.MaxSize, 3u);
    EXPECT_EQ(list.WindowLayout.Rect.left, 1);
    EXPECT_EQ(list.WindowLayout.Rect.bottom, 4);
    EXPECT_EQ(m_setting.LogFont.lfHeight, -1);
    EXPECT_EQ(m_setting.LogFont.lfWeight, 400);
    EXPECT_STREQ(m_setting.LogFont.lfFaceName, L"Face");
    EXPECT_EQ(m_setting.TopLogFont.lfHeight, 13);
    EXPECT_EQ(m_setting.TopLogFont.lfPitchAndFamily, 1);
    EXPECT_STREQ(m_setting.TopLogFont.lfFaceName, L"Top");
}

TEST_F(SettingsFile, AnotherRootOrNoVersionStopsAtOnceWithEveryDefault)
{
    const std::string good = ChangedFile();
    std::string otherRoot = good;
    Replace(otherRoot, "<GlyvanterSettings ", "<OtherSettings ");
    Replace(otherRoot, "</GlyvanterSettings>", "</OtherSettings>");
    std::string noVersion = good;
    Replace(noVersion, "<Version>1.0.0.0</Version>", "");
    for (const std::string& text : {otherRoot, noVersion}) {
        WriteBytes(Path(), text);
        CXmlDocument doc;
        CAppSetting read;
        EXPECT_FALSE(ReadSettings(doc, Path(), read));
        EXPECT_EQ(doc.Error().MessageId, static_cast<UINT>(IDS_ERR_XML_NODE_NOT_FOUND));
        ExpectSame(read, CAppSetting());
        EXPECT_EQ(doc.Version, kSettingsVersion);
    }
}

TEST_F(SettingsFile, ABrokenLogFontKeepsEverythingReadBeforeIt)
{
    std::string text = ChangedFile();
    Replace(text, "<lfItalic>01</lfItalic>", "<lfItalic>1G</lfItalic>");
    WriteBytes(Path(), text);
    CXmlDocument doc;
    CAppSetting read;
    EXPECT_FALSE(ReadSettings(doc, Path(), read));
    EXPECT_EQ(doc.Error().MessageId, static_cast<UINT>(IDS_ERR_XML_BYTE));
    EXPECT_EQ(doc.Error().Message, Formatted(IDS_ERR_XML_BYTE, {L"1G"}));

    const CAppSetting changed = Changed();
    EXPECT_TRUE(read.TopMost);
    ExpectSameFontList(read.FontListDlg, changed.FontListDlg);
    EXPECT_EQ(read.LogFont.lfHeight, changed.LogFont.lfHeight);
    EXPECT_EQ(read.LogFont.lfWeight, changed.LogFont.lfWeight);
    EXPECT_EQ(read.LogFont.lfItalic, 0);
    EXPECT_EQ(read.LogFont.lfCharSet, 0);
    EXPECT_STREQ(read.LogFont.lfFaceName, L"");
    ExpectSameFont(read.TopLogFont, CAppSetting().TopLogFont);
}

TEST_F(SettingsFile, WithoutAFileNothingIsAskedAndTheDefaultsStay)
{
    EXPECT_EQ(CAppInfo::Instance().SettingsFilePath(), Path());
    EXPECT_TRUE(Load());
    EXPECT_TRUE(m_msg.Texts.empty());
    ExpectSame(m_setting, CAppSetting());
}

TEST_F(SettingsFile, AGoodFileIsLoadedWithoutAQuestion)
{
    WriteBytes(Path(), ChangedFile());
    EXPECT_TRUE(Load());
    EXPECT_TRUE(m_msg.Texts.empty());
    ExpectSame(m_setting, Changed());
}

TEST_F(SettingsFile, AReadErrorIsPutToTheUserWhoseOkGoesOn)
{
    std::string text = ChangedFile();
    Replace(text, "<TopMost>true</TopMost>", "<TopMost>True</TopMost>");
    WriteBytes(Path(), text);
    const std::wstring error = ReadError();
    EXPECT_EQ(error, Formatted(IDS_ERR_XML_BOOL, {SystemErrorText(E_FAIL)}));
    for (const int answer : {IDOK, IDCANCEL}) {
        SCOPED_TRACE(answer == IDOK ? "OK" : "Cancel");
        m_msg.Script({answer});
        EXPECT_EQ(Load(), answer == IDOK);
        ASSERT_EQ(m_msg.Texts.size(), 1u);
        EXPECT_EQ(m_msg.Texts[0], Formatted(IDS_CONFIRM_LOAD_ERROR, {error}));
        EXPECT_EQ(m_msg.Types[0], static_cast<UINT>(MB_OKCANCEL | MB_ICONEXCLAMATION));
    }
}

TEST_F(SettingsFile, ANewerVersionAsksWhetherToGoOn)
{
    const std::string good = ChangedFile();
    for (const char* version : {"1.0.0.1", "2", "1.1", "255.0.0.0"}) {
        for (const int answer : {IDOK, IDCANCEL}) {
            SCOPED_TRACE(testing::Message() << version << (answer == IDOK ? " OK" : " Cancel"));
            std::string text = good;
            Replace(text, "<Version>1.0.0.0</Version>", std::string("<Version>") + version + "</Version>");
            WriteBytes(Path(), text);
            m_msg.Script({answer});
            EXPECT_EQ(Load(), answer == IDOK);
            ASSERT_EQ(m_msg.Texts.size(), 1u);
            EXPECT_EQ(m_msg.Texts[0], Formatted(IDS_CONFIRM_NEWER_VERSION));
            EXPECT_EQ(m_msg.Types[0], static_cast<UINT>(MB_OKCANCEL | MB_ICONEXCLAMATION));
            ExpectSame(m_setting, Changed());
        }
    }
}

TEST_F(SettingsFile, TheSameOrAnOlderVersionAsksNothing)
{
    const std::string good = ChangedFile();
    for (const char* version : {"1", "1.0", "1.0.0.0", "0.9.9.9", "0"}) {
        SCOPED_TRACE(version);
        std::string text = good;
        Replace(text, "<Version>1.0.0.0</Version>", std::string("<Version>") + version + "</Version>");
        WriteBytes(Path(), text);
        m_msg.Script({});
        EXPECT_TRUE(Load());
        EXPECT_TRUE(m_msg.Texts.empty());
    }
}

TEST_F(SettingsFile, ANewerFileThatFailsToReadAsksAboutTheErrorFirst)
{
    std::string text = ChangedFile();
    Replace(text, "<Version>1.0.0.0</Version>", "<Version>2.0</Version>");
    Replace(text, "<Size>-40</Size>", "<Size>big</Size>");
    WriteBytes(Path(), text);
    const std::wstring error = ReadError();
    EXPECT_EQ(error, Formatted(IDS_ERR_XML_INT, {L"big"}));

    m_msg.Script({IDOK, IDOK});
    EXPECT_TRUE(Load());
    EXPECT_EQ(m_msg.Texts, (std::vector<std::wstring>{Formatted(IDS_CONFIRM_LOAD_ERROR, {error}),
                                                      Formatted(IDS_CONFIRM_NEWER_VERSION)}));

    m_msg.Script({IDOK, IDCANCEL});
    EXPECT_FALSE(Load());
    EXPECT_EQ(m_msg.Texts.size(), 2u);

    m_msg.Script({IDCANCEL, IDOK});
    EXPECT_FALSE(Load());
    EXPECT_EQ(m_msg.Texts, std::vector<std::wstring>{Formatted(IDS_CONFIRM_LOAD_ERROR, {error})});
}

TEST_F(SettingsFile, AFileWithADocumentTypeIsALoadErrorQuestion)
{
    WriteBytes(Path(), "<?xml version=\"1.0\"?>\n<!DOCTYPE GlyvanterSettings [<!ENTITY v \"9.0\">]>\n"
                       "<GlyvanterSettings><Version>&v;</Version></GlyvanterSettings>\n");
    const HRESULT invalid = HResultFromWin32(ERROR_INVALID_DATA);
    m_msg.Script({IDOK});
    EXPECT_TRUE(Load());
    EXPECT_EQ(m_msg.Texts, std::vector<std::wstring>{Formatted(
                               IDS_CONFIRM_LOAD_ERROR, {Formatted(IDS_ERR_XML_LOAD, {SystemErrorText(invalid), Path()})})});
}

TEST_F(SettingsFile, SavingAtExitCreatesTheFolderChainAndWritesTheRecord)
{
    CAppInfo::Instance().SettingsFolder = m_folder.File(L"Morvell\\Glyvanter");
    m_setting = Changed();
    SaveSettingsAtExit();
    const std::wstring path = m_folder.File(L"Morvell\\Glyvanter\\Glyvanter32.config");
    CXmlDocument doc;
    CAppSetting read;
    ASSERT_TRUE(ReadSettings(doc, path, read)) << testing::PrintToString(doc.Error().Message);
    ExpectSame(read, Changed());
}

TEST_F(SettingsFile, APlainFileInThePlaceOfTheFolderFailsTheSave)
{
    WriteBytes(m_folder.File(L"Morvell"), "not a folder");
    const std::wstring folder = m_folder.File(L"Morvell\\Glyvanter");
    CAppInfo::Instance().SettingsFolder = folder;
    try {
        SaveSettingsAtExit();
        ADD_FAILURE() << "no exception";
    } catch (const my::CException& e) {
        EXPECT_EQ(e.MessageId, static_cast<UINT>(IDS_ERR_CREATE_FOLDER));
        EXPECT_EQ(HRESULT_FACILITY(e.Code), FACILITY_WIN32);
        EXPECT_NE(HRESULT_CODE(e.Code), 0);
        EXPECT_EQ(e.Message, Formatted(IDS_ERR_CREATE_FOLDER, {SystemErrorText(e.Code), folder}));
    }
    EXPECT_EQ(ReadBytes(m_folder.File(L"Morvell")), "not a folder");
}

HRESULT DeniedReplace(gvt::SaveStep step, const std::wstring&, const std::wstring&)
{
    return step == gvt::SaveStep::Replace ? static_cast<HRESULT>(0x80070005) : S_OK;
}

TEST_F(SettingsFile, AFailedWriteAtExitRaisesTheDocumentsErrorAndKeepsTheFile)
{
    const std::string old = ChangedFile();
    WriteBytes(Path(), old);
    gvt::test::CSaveStepHookScope denied(DeniedReplace);
    try {
        SaveSettingsAtExit();
        ADD_FAILURE() << "no exception";
    } catch (const my::CException& e) {
        EXPECT_EQ(e.MessageId, static_cast<UINT>(IDS_ERR_XML_SAVE));
        EXPECT_EQ(e.Code, static_cast<HRESULT>(0x80070005));
        EXPECT_EQ(e.Message, Formatted(IDS_ERR_XML_SAVE, {SystemErrorText(static_cast<HRESULT>(0x80070005))}));
    }
    EXPECT_EQ(ReadBytes(Path()), old);
    EXPECT_EQ(m_folder.Names(), std::vector<std::wstring>{L"Glyvanter32.config"});
}

// Files and folders anywhere below folder.
std::size_t CountEntries(const std::wstring& folder)
{
    std::size_t count = 0;
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..")
            continue;
        ++count;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            count += CountEntries(folder + L"\\" + name);
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    return count;
}

TEST_F(SettingsFile, AFolderTooLongForTheSystemIsASaveErrorWithoutAStrayFolder)
{
    const std::size_t fileName = std::wstring(L"\\Glyvanter32.config").size();
    for (const std::size_t length : {gvt::kLongestSavedPath - fileName, gvt::kLongestSavedPath + 1 - fileName,
                                     std::size_t(248), std::size_t(263)}) {
        SCOPED_TRACE(length);
        // Parts of at most 100 characters: more than a file system allows in one name.
        std::wstring folder = m_folder.Path();
        for (wchar_t part = L'a'; folder.size() < length; ++part)
            folder += L"\\" + std::wstring(std::min<std::size_t>(100, length - folder.size() - 1), part);
        CAppInfo::Instance().SettingsFolder = folder;
        const std::wstring path = CAppInfo::Instance().SettingsFilePath();
        const std::size_t folders = std::count(folder.begin() + static_cast<std::ptrdiff_t>(m_folder.Path().size()),
                                               folder.end(), L'\\');
        if (path.size() <= gvt::kLongestSavedPath) {
            SaveSettingsAtExit();
            EXPECT_EQ(CountEntries(m_folder.Path()), folders + 1);
            EXPECT_EQ(ReadBytes(path), DefaultFile());
            gvt::test::CTempFolder::RemoveTree(folder.substr(0, folder.find(L'\\', m_folder.Path().size() + 1)));
            continue;
        }
        try {
            SaveSettingsAtExit();
            ADD_FAILURE() << "no exception";
        } catch (const my::CException& e) {
            const HRESULT tooLong = HResultFromWin32(ERROR_FILENAME_EXCED_RANGE);
            EXPECT_EQ(e.Message, Formatted(IDS_ERR_CREATE_FOLDER, {SystemErrorText(tooLong), folder}));
        }
        EXPECT_EQ(CountEntries(m_folder.Path()), 0u) << "nothing is created, not even a folder with a cut name";
    }
}

}  // namespace
