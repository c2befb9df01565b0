#include "base/EnsureFolder.h"
#include "support/FileLinks.h"

#include <gtest/gtest.h>

#include <shlwapi.h>

#include <utility>

namespace {

std::wstring Temp(const wchar_t* leaf)
{
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    return JoinPath(temp, leaf);
}

}  // namespace

TEST(JoinPath, InsertsOneBackslashUnlessThereIsASeparator)
{
    EXPECT_EQ(JoinPath(L"C:\\Users\\me", L"Morvell"), L"C:\\Users\\me\\Morvell");
    EXPECT_EQ(JoinPath(L"C:\\Users\\me\\", L"Morvell"), L"C:\\Users\\me\\Morvell");
    EXPECT_EQ(JoinPath(L"C:/x/", L"y"), L"C:/x/y");
    EXPECT_EQ(JoinPath(L"C:", L"y"), L"C:y");
    EXPECT_EQ(JoinPath(L"", L"Morvell"), L"Morvell");
    EXPECT_EQ(JoinPath(JoinPath(L"", L"Morvell"), L"Glyvanter"), L"Morvell\\Glyvanter");
}

TEST(FolderOf, GivesTheFolderWithoutItsClosingSeparatorButARootWithIt)
{
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"C:\\Users\\me\\x.config", L"C:\\Users\\me"},
        {L"C:\\Users\\me\\", L"C:\\Users\\me"},
        {L"C:\\x.config", L"C:\\"},
        {L"C:x.config", L"C:"},
        {L"x.config", L""},
        {L"\\\\server\\share\\x.config", L"\\\\server\\share"},
        {L"\\\\?\\Volume{1}\\x.config", L"\\\\?\\Volume{1}"},
        {L"a/b/x.config", L"a/b"},
    };
    for (const auto& [path, folder] : cases)
        EXPECT_EQ(FolderOf(path), folder) << path;
    EXPECT_EQ(FileNameOf(L"\\\\server\\share\\x.config"), L"x.config");
}

TEST(EnsureFolder, CreatesTheWholeChainAndAcceptsAnExistingFolder)
{
    const std::wstring root = Temp(L"gvt-ensure");
    const std::wstring chain = root + L"\\a\\b\\c";
    EXPECT_EQ(EnsureFolder(chain), 0U);
    EXPECT_TRUE(::PathIsDirectoryW(chain.c_str()));
    EXPECT_EQ(EnsureFolder(chain), 0U) << "an existing folder is fine";
    ::RemoveDirectoryW(chain.c_str());
    ::RemoveDirectoryW((root + L"\\a\\b").c_str());
    ::RemoveDirectoryW((root + L"\\a").c_str());
    ::RemoveDirectoryW(root.c_str());
}

TEST(EnsureFolder, APlainFileInTheWayIsAnError)
{
    const std::wstring file = Temp(L"gvt-ensure-file");
    HANDLE h = ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    ::CloseHandle(h);
    EXPECT_NE(EnsureFolder(file), 0U) << "the file itself has the folder's name";
    EXPECT_NE(EnsureFolder(file + L"\\below"), 0U) << "a parent is a file";
    ::DeleteFileW(file.c_str());
}

TEST(EnsureFolder, RootsAreOnlyLookedFor)
{
    EXPECT_EQ(EnsureFolder(L"C:\\"), 0U);
    EXPECT_EQ(EnsureFolder(L"Q:\\"), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(EnsureFolder(L"\\\\gvt-no-such-host\\share"), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

TEST(EnsureFolder, CreatesTheChainBelowANetworkShare)
{
    const std::wstring root = Temp(L"gvt-ensure-share");
    ASSERT_TRUE(::CreateDirectoryW(root.c_str(), nullptr));
    {
        const gvt::test::CNetworkShare share(root);
        if (share.Path().empty()) {
            ::RemoveDirectoryW(root.c_str());
            GTEST_SKIP() << "no network path here";
        }
        EXPECT_EQ(EnsureFolder(share.Path()), 0U);
        EXPECT_EQ(EnsureFolder(share.Path() + L"\\Morvell\\Glyvanter"), 0U);
        EXPECT_TRUE(::PathIsDirectoryW((root + L"\\Morvell\\Glyvanter").c_str()));
    }
    ::RemoveDirectoryW((root + L"\\Morvell\\Glyvanter").c_str());
    ::RemoveDirectoryW((root + L"\\Morvell").c_str());
    ::RemoveDirectoryW(root.c_str());
}

TEST(EnsureFolder, APathTooLongCreatesNothing)
{
    const std::wstring root = Temp(L"gvt-ensure-long");
    const std::wstring tooLong = root + L"\\" + std::wstring(kMaxFolderPath - root.size(), L'x');
    EXPECT_EQ(EnsureFolder(tooLong), static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE));
    EXPECT_FALSE(::PathFileExistsW(root.c_str()));
}
