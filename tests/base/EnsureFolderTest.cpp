#include "base/EnsureFolder.h"

#include <gtest/gtest.h>

#include <shlwapi.h>

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

TEST(EnsureFolder, DriveRootsAreOnlyLookedFor)
{
    EXPECT_EQ(EnsureFolder(L"C:\\"), 0U);
    EXPECT_EQ(EnsureFolder(L"Q:\\"), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}
