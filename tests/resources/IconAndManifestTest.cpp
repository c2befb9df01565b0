// The program icon (the sizes the window and the About box ask for, with an
// alpha channel) and the application manifest.
#include "ModuleResource.h"
#include "framework/UniqueHandle.h"
#include "resources/resource.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>

namespace {

constexpr LANGID kNeutral = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);

#pragma pack(push, 2)
struct CGroupIconEntry {
    BYTE width;
    BYTE height;
    BYTE colours;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

// Image size (256 for the stored 0) to its group entry.
std::map<int, CGroupIconEntry> GroupEntries()
{
    std::map<int, CGroupIconEntry> entries;
    const gvt::test::CResourceBytes group =
        gvt::test::ModuleResource(RT_GROUP_ICON, MAKEINTRESOURCEW(IDI_APP), kNeutral);
    if (!group || group.size < 6)
        return entries;
    const WORD count = *reinterpret_cast<const WORD*>(group.data + 4);
    for (WORD i = 0; i < count && 6 + (i + 1) * sizeof(CGroupIconEntry) <= group.size; ++i) {
        const auto* entry = reinterpret_cast<const CGroupIconEntry*>(group.data + 6 + i * sizeof(CGroupIconEntry));
        entries[entry->width == 0 ? 256 : entry->width] = *entry;
    }
    return entries;
}

TEST(ApplicationIcon, HoldsSmallAndLargeImagesInThirtyTwoBits)
{
    const std::map<int, CGroupIconEntry> entries = GroupEntries();
    for (int size : {16, 32, 48}) {
        const auto it = entries.find(size);
        ASSERT_NE(it, entries.end()) << size;
        EXPECT_EQ(it->second.height, size);
        EXPECT_EQ(it->second.bitCount, 32) << size;

        const gvt::CUniqueIcon icon(static_cast<HICON>(
            ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, size, size, 0)));
        EXPECT_TRUE(icon) << size;
    }
}

TEST(ApplicationIcon, SmallImagesAreTransparentAroundAnOpaqueSquare)
{
    const std::map<int, CGroupIconEntry> entries = GroupEntries();
    for (int size : {16, 32, 48}) {
        SCOPED_TRACE(testing::Message() << size << " pixels");
        const auto it = entries.find(size);
        ASSERT_NE(it, entries.end());
        const gvt::test::CResourceBytes image =
            gvt::test::ModuleResource(RT_ICON, MAKEINTRESOURCEW(it->second.id), kNeutral);
        ASSERT_TRUE(image);
        ASSERT_GE(image.size, sizeof(BITMAPINFOHEADER) + size * size * 4u);
        const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(image.data);
        EXPECT_EQ(header->biWidth, size);
        EXPECT_EQ(header->biHeight, 2 * size);  // colour rows, then the mask rows
        EXPECT_EQ(header->biBitCount, 32);
        // Bottom-up rows of BGRA: alpha of a corner and of the centre.
        const BYTE* pixels = image.data + header->biSize;
        const auto alpha = [&](int x, int y) { return pixels[((size - 1 - y) * size + x) * 4 + 3]; };
        EXPECT_EQ(alpha(0, 0), 0);
        EXPECT_EQ(alpha(size - 1, size - 1), 0);
        EXPECT_EQ(alpha(size / 2, size / 2), 255);
    }
}

TEST(Manifest, AsksForCommonControlsSixAsInvokerAndPerMonitorDpiAwareness)
{
    const gvt::test::CResourceBytes bytes =
        gvt::test::ModuleResource(RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID, kNeutral);
    ASSERT_TRUE(bytes);
    const std::string manifest(reinterpret_cast<const char*>(bytes.data), bytes.size);
    for (const char* part : {
             "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
             "level=\"asInvoker\"",
             "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // Windows 7
             "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // Windows 8
             "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // Windows 8.1
             "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // Windows 10 and 11
             // Per-monitor v2, falling back to the system DPI where that is unknown.
             "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true</dpiAware>",
             "<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">PerMonitorV2, "
             "System</dpiAwareness>",
         })
        EXPECT_NE(manifest.find(part), std::string::npos) << part;
}

// The system ignores a dependency whose processor architecture is not the
// process's own: a 64-bit process then runs on version 5 of the controls from
// the system folder, without visual styles or Ctrl+A in edit boxes. Version
// 6 is the side-by-side one.
TEST(Manifest, ThisProcessRunsOnTheSideBySideCommonControls)
{
    const HMODULE controls = ::LoadLibraryW(L"comctl32.dll");
    ASSERT_NE(controls, nullptr);
    wchar_t path[MAX_PATH] = {};
    ASSERT_NE(::GetModuleFileNameW(controls, path, MAX_PATH), 0u);
    ::CharLowerW(path);
    EXPECT_NE(std::wstring(path).find(L"\\winsxs\\"), std::wstring::npos) << path;
}

}  // namespace
