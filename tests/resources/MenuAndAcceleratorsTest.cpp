// The context menu of both languages and the shortcut table, loaded the way
// the main dialog loads them.
#include "ModuleResource.h"
#include "framework/UniqueHandle.h"
#include "resources/resource.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

namespace {

constexpr LANGID kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
constexpr LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

gvt::CUniqueMenu LoadContextMenu(LANGID language)
{
    const gvt::test::CResourceBytes bytes =
        gvt::test::ModuleResource(RT_MENU, MAKEINTRESOURCEW(IDR_MAIN_MENU), language);
    if (!bytes)
        return gvt::CUniqueMenu();
    return gvt::CUniqueMenu(::LoadMenuIndirectW(bytes.data));
}

struct CItem {
    UINT id;  // 0 for a separator
    std::wstring text;

    bool operator==(const CItem& other) const { return id == other.id && text == other.text; }
};

std::ostream& operator<<(std::ostream& os, const CItem& item)
{
    return os << "{" << item.id << ", " << testing::PrintToString(item.text) << "}";
}

std::vector<CItem> Items(HMENU menu)
{
    std::vector<CItem> items;
    for (int i = 0, n = ::GetMenuItemCount(menu); i < n; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID;
        ::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        if (info.fType & MFT_SEPARATOR) {
            items.push_back({0, L""});
            continue;
        }
        wchar_t text[128] = {};
        ::GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
        items.push_back({info.wID, text});
    }
    return items;
}

TEST(ContextMenu, FirstSubmenuHoldsTheCommandsInBothLanguages)
{
    const std::vector<CItem> japanese = {
        {ID_EDIT_COPY, L"コピー(&C)\tCtrl+C"},
        {ID_COPY_WITH_STYLE, L"スタイルも含めてコピー\tShift+Ctrl+C"},
        {ID_FONT_PROPERTIES, L"プロパティ(&R)...\tAlt+Enter"},
        {0, L""},
        {ID_GLYPH_FILTER, L"サンプル文字列を表示できるフォントのみ\tCtrl+G"},
        {ID_ONLY_ADDED_FONTS, L"追加したフォントのみ\tCtrl+L"},
        {0, L""},
        {ID_ADD_FONTS_FOLDER, L"フォルダーからフォントを追加..."},
        {ID_REMOVE_ADDED_FONTS, L"追加したフォントを外す"},
        {0, L""},
        {ID_TOPMOST, L"常に最前面に表示(&T)"},
        {0, L""},
        {ID_APP_ABOUT, L"バージョン情報(&A)..."},
    };
    const std::vector<CItem> english = {
        {ID_EDIT_COPY, L"&Copy\tCtrl+C"},
        {ID_COPY_WITH_STYLE, L"Copy with st&yle\tShift+Ctrl+C"},
        {ID_FONT_PROPERTIES, L"P&roperties...\tAlt+Enter"},
        {0, L""},
        {ID_GLYPH_FILTER, L"Only fonts that can show the sample text\tCtrl+G"},
        {ID_ONLY_ADDED_FONTS, L"Only added fonts\tCtrl+L"},
        {0, L""},
        {ID_ADD_FONTS_FOLDER, L"Add fonts from a folder..."},
        {ID_REMOVE_ADDED_FONTS, L"Remove added fonts"},
        {0, L""},
        {ID_TOPMOST, L"Always on &top"},
        {0, L""},
        {ID_APP_ABOUT, L"&About Glyvanter..."},
    };
    for (const auto& [language, expected] : {std::make_pair(kJapanese, japanese), std::make_pair(kEnglish, english)}) {
        SCOPED_TRACE(testing::Message() << "language " << language);
        const gvt::CUniqueMenu menu = LoadContextMenu(language);
        ASSERT_TRUE(menu);
        ASSERT_EQ(::GetMenuItemCount(menu.get()), 1);
        const HMENU popup = ::GetSubMenu(menu.get(), 0);
        ASSERT_NE(popup, nullptr);
        EXPECT_EQ(Items(popup), expected);
    }
}

std::vector<ACCEL> AcceleratorEntries()
{
    const gvt::CUniqueAccel table(
        ::LoadAcceleratorsW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_ACCELERATORS)));
    if (!table)
        return {};
    std::vector<ACCEL> entries(::CopyAcceleratorTableW(table.get(), nullptr, 0));
    entries.resize(::CopyAcceleratorTableW(table.get(), entries.data(), static_cast<int>(entries.size())));
    return entries;
}

// A menu item whose command has a letter shortcut names it after a tab, as
// the system's own menus do.
TEST(ContextMenu, EveryItemWithALetterShortcutShowsIt)
{
    for (const LANGID language : {kJapanese, kEnglish}) {
        const gvt::CUniqueMenu menu = LoadContextMenu(language);
        ASSERT_TRUE(menu);
        const std::vector<CItem> items = Items(::GetSubMenu(menu.get(), 0));
        for (const ACCEL& a : AcceleratorEntries()) {
            if (a.key < 'A' || a.key > 'Z')
                continue;
            std::wstring shortcut = L"\t";
            shortcut += (a.fVirt & FSHIFT) ? L"Shift+" : L"";
            shortcut += (a.fVirt & FCONTROL) ? L"Ctrl+" : L"";
            shortcut += static_cast<wchar_t>(a.key);
            const auto item = std::find_if(items.begin(), items.end(), [&](const CItem& i) { return i.id == a.cmd; });
            ASSERT_NE(item, items.end()) << a.cmd;
            EXPECT_TRUE(item->text.size() > shortcut.size() &&
                        item->text.compare(item->text.size() - shortcut.size(), shortcut.size(), shortcut) == 0)
                << language << ": " << testing::PrintToString(item->text);
        }
    }
}

TEST(Accelerators, MapTheCopyKeysBothFiltersPropertiesAndBothHelpKeys)
{
    const std::vector<ACCEL> entries = AcceleratorEntries();

    using CKey = std::tuple<BYTE, WORD, WORD>;  // modifier flags, key, command
    std::vector<CKey> got;
    for (const ACCEL& a : entries)
        got.emplace_back(static_cast<BYTE>(a.fVirt & (FVIRTKEY | FSHIFT | FCONTROL | FALT)), a.key, a.cmd);
    std::vector<CKey> want = {
        {FVIRTKEY | FCONTROL, 'C', ID_EDIT_COPY},
        {FVIRTKEY | FSHIFT | FCONTROL, 'C', ID_COPY_WITH_STYLE},
        {FVIRTKEY | FCONTROL, 'G', ID_GLYPH_FILTER},
        {FVIRTKEY | FALT, VK_RETURN, ID_FONT_PROPERTIES},
        {FVIRTKEY | FCONTROL, 'L', ID_ONLY_ADDED_FONTS},
        {FVIRTKEY | FALT, VK_OEM_2, ID_HELP_INDEX},
        {FVIRTKEY | FSHIFT | FALT, VK_OEM_2, ID_HELP_INDEX},
    };
    std::sort(got.begin(), got.end());
    std::sort(want.begin(), want.end());
    EXPECT_EQ(got, want);
}

}  // namespace
