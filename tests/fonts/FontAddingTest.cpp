// Adding the generated folder "added" (see make_test_fonts.py) for the test
// process: which files are found and taken, which faces come from which
// file (checked against what GDI then lists), what is skipped, and that
// removing takes every face away again.
#include "fonts/AddedFaces.h"
#include "fonts/FontAdding.h"
#include "fonts/FontFileWalk.h"
#include "support/PrivateFonts.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

int CALLBACK CollectFace(const LOGFONTW* lf, const TEXTMETRICW*, DWORD, LPARAM lParam)
{
    reinterpret_cast<std::set<std::wstring>*>(lParam)->insert(lf->lfFaceName);
    return 1;
}

// Every face name GDI lists, vertical twins included.
std::set<std::wstring> ListedFaces()
{
    std::set<std::wstring> faces;
    const HDC dc = ::GetDC(nullptr);
    LOGFONTW filter{};
    filter.lfCharSet = DEFAULT_CHARSET;
    ::EnumFontFamiliesExW(dc, &filter, CollectFace, reinterpret_cast<LPARAM>(&faces), 0);
    ::ReleaseDC(nullptr, dc);
    return faces;
}

std::wstring FileName(const std::wstring& path)
{
    return path.substr(path.find_last_of(L'\\') + 1);
}

std::vector<std::wstring> Names(const std::vector<std::wstring>& paths)
{
    std::vector<std::wstring> names;
    for (const std::wstring& path : paths)
        names.push_back(FileName(path));
    std::sort(names.begin(), names.end());
    return names;
}

bool Generated(const std::wstring& face)
{
    return face.find(L"GvAdded") != std::wstring::npos;
}

// Removes the files again; no generated face may be left listed.
gvt::CAddNews Remove(const std::vector<std::wstring>& files)
{
    gvt::CAddJob removal;
    removal.Remove = files;
    gvt::CFontAdding removing;
    gvt::ChangeFontFiles(removal, removing);
    const std::set<std::wstring> left = ListedFaces();
    EXPECT_EQ(std::count_if(left.begin(), left.end(), Generated), 0);
    return removing.Take();
}

TEST(FontAdding, AFolderAddsWhatTheSystemTakesAndEachFaceKnowsItsFiles)
{
    // GvCover Regular is there before, as an installed font would be.
    const gvt::test::CPrivateFonts installed({gvt::test::GeneratedFont(gvt::test::kGvCoverRegular).c_str()});
    ASSERT_EQ(installed.Missing(), L"");
    const std::set<std::wstring> before = ListedFaces();
    ASSERT_EQ(std::count_if(before.begin(), before.end(), Generated), 0);

    const std::wstring missing = gvt::test::GeneratedFont(L"no such folder");
    const std::wstring share = L"\\\\gvt-no-such-host\\fonts";
    gvt::CAddJob job;
    job.Add = {gvt::test::GeneratedFont(L"added"), missing, share};
    gvt::CFontAdding adding;
    gvt::ChangeFontFiles(job, adding);
    const gvt::CAddNews news = adding.Take();
    EXPECT_TRUE(news.Finished);
    EXPECT_EQ(news.Folders, 1u);
    EXPECT_EQ(news.NamedFiles, 0u);
    EXPECT_EQ(news.Missing, (std::vector<std::wstring>{missing, share}));
    // The cut, the empty and the text file with a font's name, the missing
    // folder and the share of a host that is not there; the link back up
    // walks nothing twice.
    EXPECT_EQ(news.Skipped, 5u);
    EXPECT_EQ(news.Done, 9u);
    EXPECT_EQ(news.Total, 9u);
    gvt::CAddedFaces faces;
    std::vector<std::wstring> files;
    for (const gvt::CAddedFile& file : news.Added) {
        faces.Add(file);
        files.push_back(file.Path);
    }
    EXPECT_EQ(Names(files), (std::vector<std::wstring>{L"GvAdded-Deep.ttf", L"GvAdded-Local.ttf", L"GvAdded-One.ttf",
                                                       L"GvAdded-Pair.ttc", L"GvCover-Regular.ttf", L"coure.fon"}));

    // Two in the collection, one each in four files, Courier in the raster
    // file.
    EXPECT_EQ(faces.FaceCount(), 7u);
    EXPECT_EQ(Names(faces.FilesOf(L"GvAdded Pair B")), std::vector<std::wstring>{L"GvAdded-Pair.ttc"});
    EXPECT_EQ(Names(faces.FilesOf(L"@gvadded one")), std::vector<std::wstring>{L"GvAdded-One.ttf"});
    EXPECT_EQ(Names(faces.FilesOf(L"GvCover")), std::vector<std::wstring>{L"GvCover-Regular.ttf"});
    EXPECT_EQ(Names(faces.FilesOf(L"Courier")), std::vector<std::wstring>{L"coure.fon"});
    EXPECT_TRUE(faces.Holds(L"GvAdded Local") && faces.Holds(L"GvAdded ローカル"));
    EXPECT_FALSE(faces.Holds(L"DejaVu Sans"));
    const std::vector<std::wstring> deep = faces.FilesOf(L"GvAdded Deep");
    ASSERT_EQ(deep.size(), 1u);
    EXPECT_GT(deep[0].size(), static_cast<std::size_t>(MAX_PATH));
    EXPECT_NE(deep[0].compare(0, 4, L"\\\\?\\"), 0) << "named as the user knows it";

    // Whatever GDI lists now and did not before comes from an added file,
    // under whichever of its names the locale picks.
    const std::set<std::wstring> after = ListedFaces();
    for (const std::wstring& face : after)
        if (!before.count(face)) {
            EXPECT_TRUE(faces.Holds(face.c_str())) << testing::PrintToString(face);
        }
    for (const wchar_t* face : {L"GvAdded One", L"GvAdded Pair A", L"GvAdded Pair B", L"GvAdded Deep"})
        EXPECT_EQ(after.count(face), 1u) << testing::PrintToString(std::wstring(face));
    EXPECT_TRUE(after.count(L"GvAdded Local") + after.count(L"GvAdded ローカル") == 1);

    const gvt::CAddNews removed = Remove(faces.Files());
    EXPECT_TRUE(removed.Finished);
    EXPECT_EQ(ListedFaces().count(L"GvCover"), 1u) << "the installed one stays";
}

TEST(FontAdding, StoppedOnceLoadedItStillTellsOfEveryFileTheSystemTook)
{
    gvt::CAddJob job;
    job.Add = {gvt::test::GeneratedFont(L"added")};
    std::vector<std::wstring> files;
    std::size_t faces = 0;
    gvt::CFontAdding* self = nullptr;
    gvt::CFontAdding adding([&] {
        const gvt::CAddNews news = self->Take();
        if (news.Loaded)
            self->StopEarly();
        for (const gvt::CAddedFile& file : news.Added) {
            files.push_back(file.Path);
            faces += file.FaceCount;
        }
    });
    self = &adding;
    gvt::ChangeFontFiles(job, adding);
    EXPECT_EQ(files.size(), 6u) << "every file taken, so that it can be removed";
    EXPECT_EQ(faces, 0u) << "no face read once asked to stop";

    EXPECT_EQ(Remove(files).Removed, 6u);
}

// The window gets its turn after every few files the system took, with
// those files handed over already.
TEST(FontAdding, TheAddingGivesWayToTheWindowBetweenFiles)
{
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"gvt-give-way-" + std::to_wstring(::GetCurrentProcessId());
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    std::vector<std::wstring> files;
    for (std::size_t i = 0; i <= 2 * gvt::kGiveWayFiles; ++i) {
        files.push_back(folder + L"\\copy" + std::to_wstring(i) + L".ttf");
        const std::wstring font = gvt::test::GeneratedFont(gvt::test::kGvCoverRegular);
        ASSERT_TRUE(::CopyFileW(font.c_str(), files.back().c_str(), TRUE));
    }
    gvt::CAddJob job;
    job.Add = {folder};
    gvt::CFontAdding adding;
    std::vector<std::size_t> doneAtTurns;
    job.GiveWay = [&] { doneAtTurns.push_back(adding.Take().Done); };
    gvt::ChangeFontFiles(job, adding);
    EXPECT_EQ(doneAtTurns, (std::vector<std::size_t>{gvt::kGiveWayFiles, 2 * gvt::kGiveWayFiles}));

    // Wine takes copies of a face it has, and then keeps only the first.
    Remove(files);
    for (const std::wstring& file : files)
        ::DeleteFileW(file.c_str());
    ::RemoveDirectoryW(folder.c_str());
}

TEST(FontAdding, OnlyFontFileNamesAreTakenFromFolders)
{
    for (const wchar_t* name : {L"a.ttf", L"B.OTF", L"c.Ttc", L"d.otc", L"e.fon", L"x\\f.ttf"})
        EXPECT_TRUE(gvt::IsFontFileName(name)) << testing::PrintToString(std::wstring(name));
    for (const wchar_t* name : {L"a.txt", L"ttf", L"a.ttf.bak", L"a.ttf\\b", L"a.fnt", L"a."})
        EXPECT_FALSE(gvt::IsFontFileName(name)) << testing::PrintToString(std::wstring(name));
}

}  // namespace
