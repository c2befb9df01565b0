// The main and About dialog templates of both languages: their headers read
// from the template bytes, their controls from real dialogs created from them.
#include "ModuleResource.h"
#include "framework/UniqueHandle.h"
#include "resources/resource.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr LANGID kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
constexpr LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

void DestroyDialog(HWND hwnd) noexcept { ::DestroyWindow(hwnd); }
using CUniqueDialog = gvt::CUniqueHandle<gvt::CHandleTraits<HWND, void (*)(HWND), DestroyDialog>>;

INT_PTR CALLBACK PassiveDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

CUniqueDialog CreateFromTemplate(UINT id, LANGID language)
{
    const gvt::test::CResourceBytes bytes = gvt::test::ModuleResource(RT_DIALOG, MAKEINTRESOURCEW(id), language);
    if (!bytes)
        return CUniqueDialog();
    return CUniqueDialog(::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr),
                                                      reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data), nullptr,
                                                      PassiveDialogProc, 0));
}

// What an extended dialog template says, read from its bytes: the styles
// as written, before a control adjusts its own at creation.
struct CTemplateItem {
    DWORD style = 0;
    DWORD exStyle = 0;
    int id = 0;
};

struct CDialogTemplate {
    DWORD style = 0;
    short cx = 0;
    short cy = 0;
    WORD pointSize = 0;
    std::wstring caption;
    std::wstring typeface;
    std::vector<CTemplateItem> items;
};

class CTemplateReader {
public:
    CTemplateReader(const BYTE* data, DWORD size) : m_begin(data), m_at(data), m_end(data + size) {}

    bool Fits(size_t bytes) const { return static_cast<size_t>(m_end - m_at) >= bytes; }
    WORD Word() { return Take<WORD>(); }
    DWORD DoubleWord() { return Take<DWORD>(); }

    // Menu, class and title fields: empty, an ordinal, or a text.
    std::wstring NameOrOrdinal()
    {
        if (Fits(2) && *reinterpret_cast<const WORD*>(m_at) == 0xFFFF) {
            m_at += 4;
            return std::wstring();
        }
        return Text();
    }

    std::wstring Text()
    {
        std::wstring text;
        while (Fits(2)) {
            const WORD unit = Word();
            if (unit == 0)
                break;
            text += static_cast<wchar_t>(unit);
        }
        return text;
    }

    void Skip(size_t bytes) { m_at += std::min(bytes, static_cast<size_t>(m_end - m_at)); }
    void AlignToDoubleWord() { Skip((4 - (m_at - m_begin) % 4) % 4); }

private:
    template <typename T>
    T Take()
    {
        if (!Fits(sizeof(T))) {
            m_at = m_end;
            return T();
        }
        T value;
        std::memcpy(&value, m_at, sizeof(T));
        m_at += sizeof(T);
        return value;
    }

    const BYTE* m_begin;
    const BYTE* m_at;
    const BYTE* m_end;
};

CDialogTemplate ReadTemplate(UINT id, LANGID language)
{
    CDialogTemplate result;
    const gvt::test::CResourceBytes bytes = gvt::test::ModuleResource(RT_DIALOG, MAKEINTRESOURCEW(id), language);
    if (!bytes)
        return result;
    CTemplateReader r(bytes.data, bytes.size);
    if (r.Word() != 1 || r.Word() != 0xFFFF)  // version 1 and the extended signature
        return result;
    r.Skip(8);  // help id, extended style
    result.style = r.DoubleWord();
    const WORD count = r.Word();
    r.Skip(4);  // x, y
    result.cx = static_cast<short>(r.Word());
    result.cy = static_cast<short>(r.Word());
    r.NameOrOrdinal();  // menu
    r.NameOrOrdinal();  // window class
    result.caption = r.Text();
    if (result.style & DS_SETFONT) {
        result.pointSize = r.Word();
        r.Skip(4);  // weight, italic, character set
        result.typeface = r.Text();
    }
    for (WORD i = 0; i < count && r.Fits(24); ++i) {
        r.AlignToDoubleWord();
        CTemplateItem item;
        r.Skip(4);  // help id
        item.exStyle = r.DoubleWord();
        item.style = r.DoubleWord();
        r.Skip(8);  // x, y, cx, cy
        item.id = static_cast<int>(r.DoubleWord());
        r.NameOrOrdinal();  // class
        r.NameOrOrdinal();  // title
        r.Skip(r.Word());   // creation data
        result.items.push_back(item);
    }
    return result;
}

std::vector<HWND> Children(HWND dialog)
{
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

std::wstring Text(HWND hwnd)
{
    std::wstring text(::GetWindowTextLengthW(hwnd) + 1, L'\0');
    text.resize(::GetWindowTextW(hwnd, &text[0], static_cast<int>(text.size())));
    return text;
}

std::wstring UpperClassName(HWND hwnd)
{
    wchar_t name[64] = {};
    const int length = ::GetClassNameW(hwnd, name, 64);
    ::CharUpperBuffW(name, static_cast<DWORD>(length));
    return std::wstring(name, length);
}

int ControlId(HWND hwnd) { return static_cast<int>(::GetWindowLongPtrW(hwnd, GWLP_ID)); }
DWORD Style(HWND hwnd) { return static_cast<DWORD>(::GetWindowLongPtrW(hwnd, GWL_STYLE)); }

RECT RectInDialog(HWND dialog, HWND control)
{
    RECT rc{};
    ::GetWindowRect(control, &rc);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// The dialog manager converts a control's position and its size separately.
RECT DialogUnits(HWND dialog, int x, int y, int cx, int cy)
{
    RECT position{x, y, cx, cy};
    ::MapDialogRect(dialog, &position);
    return {position.left, position.top, position.left + position.right, position.top + position.bottom};
}

struct CExpectedControl {
    int id;
    const wchar_t* upperClass;
    const wchar_t* text;  // null: the control shows no template text (combo boxes, list)
};

void ExpectControls(HWND dialog, const std::vector<CExpectedControl>& expected)
{
    const std::vector<HWND> children = Children(dialog);
    ASSERT_EQ(children.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "control " << i);
        EXPECT_EQ(ControlId(children[i]), expected[i].id);
        EXPECT_EQ(UpperClassName(children[i]), expected[i].upperClass);
        if (expected[i].text) {
            EXPECT_EQ(Text(children[i]), expected[i].text);
        }
    }
}

std::vector<CExpectedControl> MainControls(LANGID language)
{
    const bool ja = language == kJapanese;
    return {
        {-1, L"STATIC", ja ? L"文字セット(&C):" : L"&Character set:"},
        {IDC_CHARSET, L"COMBOBOX", nullptr},
        {-1, L"STATIC", ja ? L"タイプ(&T):" : L"&Type:"},
        {IDC_TYPE, L"COMBOBOX", nullptr},
        {-1, L"STATIC", ja ? L"サイズ(&S):" : L"&Size:"},
        {IDC_FONT_SIZE, L"COMBOBOX", nullptr},
        {-1, L"STATIC", ja ? L"太さ(&W):" : L"&Weight:"},
        {IDC_WEIGHT, L"COMBOBOX", nullptr},
        {-1, L"STATIC", ja ? L"斜体(&I):" : L"&Italic:"},
        {IDC_ITALIC, L"COMBOBOX", nullptr},
        {-1, L"STATIC", ja ? L"サンプル文字列(&T):" : L"Sample te&xt:"},
        {IDC_SAMPLE_TEXT, L"COMBOBOX", nullptr},
        {IDC_FONT_LIST, L"LISTBOX", nullptr},
        {IDC_STATUS, L"STATIC", L""},
        {IDOK, L"BUTTON", L"OK"},
        {IDCANCEL, L"BUTTON", ja ? L"キ" : L"Cancel"},
    };
}

TEST(DialogTemplates, HeadsGiveStyleSizeCaptionAndShellFont)
{
    const DWORD mainStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                            WS_MAXIMIZEBOX | DS_SETFONT | DS_FIXEDSYS;
    for (LANGID language : {kJapanese, kEnglish}) {
        SCOPED_TRACE(testing::Message() << "language " << language);
        const CDialogTemplate main = ReadTemplate(IDD_MAIN, language);
        EXPECT_EQ(main.style, mainStyle);
        EXPECT_EQ(main.items.size(), 16u);
        EXPECT_EQ(main.cx, 357);
        EXPECT_EQ(main.cy, 217);
        EXPECT_EQ(main.caption, L"Glyvanter");
        EXPECT_EQ(main.pointSize, 8);
        EXPECT_EQ(main.typeface, L"MS Shell Dlg");

        const CDialogTemplate about = ReadTemplate(IDD_ABOUT, language);
        EXPECT_EQ(about.style, 0x80C800C8u);
        EXPECT_EQ(about.items.size(), 7u);
        EXPECT_EQ(about.cx, 332);
        EXPECT_EQ(about.cy, 108);
        EXPECT_EQ(about.caption, language == kJapanese ? L"バージョン情報" : L"About Glyvanter");
        EXPECT_EQ(about.pointSize, 8);
        EXPECT_EQ(about.typeface, L"MS Shell Dlg");

        const CDialogTemplate properties = ReadTemplate(IDD_PROPERTIES, language);
        EXPECT_EQ(properties.style, about.style);
        EXPECT_EQ(properties.caption, language == kJapanese ? L"フォントのプロパティ" : L"Font Properties");
        EXPECT_EQ(properties.pointSize, 8);
        EXPECT_EQ(properties.typeface, L"MS Shell Dlg");
    }
}

TEST(MainDialogTemplate, HoldsItsControlsInTemplateOrder)
{
    for (LANGID language : {kJapanese, kEnglish}) {
        SCOPED_TRACE(testing::Message() << "language " << language);
        const CUniqueDialog dialog = CreateFromTemplate(IDD_MAIN, language);
        ASSERT_TRUE(dialog);
        ExpectControls(dialog.get(), MainControls(language));
    }
}

void ExpectItemStyles(const CDialogTemplate& dialog, const std::vector<CTemplateItem>& expected)
{
    ASSERT_EQ(dialog.items.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "control " << i);
        EXPECT_EQ(dialog.items[i].id, expected[i].id);
        EXPECT_EQ(dialog.items[i].style, expected[i].style);
        EXPECT_EQ(dialog.items[i].exStyle, expected[i].exStyle);
    }
}

TEST(MainDialogTemplate, GivesEachControlTheStyleOfItsRole)
{
    const DWORD shown = WS_CHILD | WS_VISIBLE;
    const DWORD label = shown | SS_LEFT | WS_GROUP;
    const DWORD dropList = shown | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
    const std::vector<CTemplateItem> expected = {
        {label, 0, -1},
        {dropList, 0, IDC_CHARSET},
        {label, 0, -1},
        {dropList, 0, IDC_TYPE},
        {label, 0, -1},
        {shown | CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, WS_EX_RIGHT, IDC_FONT_SIZE},
        {label, 0, -1},
        {dropList, 0, IDC_WEIGHT},
        {label, 0, -1},
        {dropList, 0, IDC_ITALIC},
        {label, 0, -1},
        {shown | CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 0, IDC_SAMPLE_TEXT},
        {shown | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT |
             LBS_NODATA,
         0, IDC_FONT_LIST},
        {shown | SS_LEFT | SS_CENTERIMAGE | WS_GROUP, 0, IDC_STATUS},
        {WS_CHILD | BS_DEFPUSHBUTTON, 0, IDOK},
        {WS_CHILD | BS_PUSHBUTTON, 0, IDCANCEL},
    };
    for (LANGID language : {kJapanese, kEnglish}) {
        SCOPED_TRACE(testing::Message() << "language " << language);
        ExpectItemStyles(ReadTemplate(IDD_MAIN, language), expected);
    }
}

TEST(MainDialogTemplate, VisibleControlsStayInsideTheWindowWithoutOverlapping)
{
    for (LANGID language : {kJapanese, kEnglish}) {
        SCOPED_TRACE(testing::Message() << "language " << language);
        const CUniqueDialog dialog = CreateFromTemplate(IDD_MAIN, language);
        ASSERT_TRUE(dialog);
        RECT client{};
        ::GetClientRect(dialog.get(), &client);
        std::vector<std::pair<int, RECT>> shown;
        for (HWND child : Children(dialog.get())) {
            if (Style(child) & WS_VISIBLE)
                shown.emplace_back(ControlId(child), RectInDialog(dialog.get(), child));
        }
        ASSERT_EQ(shown.size(), 14u);
        for (size_t i = 0; i < shown.size(); ++i) {
            const RECT& a = shown[i].second;
            EXPECT_TRUE(a.left >= client.left && a.top >= client.top && a.right <= client.right &&
                        a.bottom <= client.bottom)
                << "control " << i;
            for (size_t j = i + 1; j < shown.size(); ++j) {
                RECT overlap{};
                EXPECT_FALSE(::IntersectRect(&overlap, &a, &shown[j].second)) << "controls " << i << " and " << j;
            }
        }
        // The list takes the room between the filter row and the status line.
        const RECT list = RectInDialog(dialog.get(), ::GetDlgItem(dialog.get(), IDC_FONT_LIST));
        EXPECT_GT(list.bottom - list.top, (client.bottom - client.top) * 2 / 3);
    }
}

TEST(AboutDialogTemplate, HoldsItsControlsInTemplateOrder)
{
    for (LANGID language : {kJapanese, kEnglish}) {
        SCOPED_TRACE(testing::Message() << "language " << language);
        const CUniqueDialog dialog = CreateFromTemplate(IDD_ABOUT, language);
        ASSERT_TRUE(dialog);
        ExpectControls(dialog.get(), {
                                         {-1, L"BUTTON", L""},
                                         {-1, L"STATIC", nullptr},
                                         {IDC_ABOUT_NAME, L"STATIC", L"Glyvanter"},
                                         {-1, L"STATIC",
                                          language == kJapanese ? L"詳しくはホームページをご覧ください"
                                                                : L"See the home page for details."},
                                         {IDC_ABOUT_LINK, L"STATIC", L"https://glyvanter.example.org/"},
                                         {IDOK, L"BUTTON", L"OK"},
                                         {IDC_ABOUT_COPYRIGHT, L"STATIC", L"Copyright (C) Morvell"},
                                     });
        const std::vector<HWND> children = Children(dialog.get());
        ASSERT_EQ(children.size(), 7u);
        EXPECT_NE(::SendMessageW(children[1], STM_GETICON, 0, 0), 0) << "the program icon is shown";
    }
}

TEST(AboutDialogTemplate, GivesEachControlTheStyleOfItsRole)
{
    const DWORD shown = WS_CHILD | WS_VISIBLE;
    const std::vector<CTemplateItem> expected = {
        {shown | BS_GROUPBOX, 0, -1},
        {shown | SS_ICON, 0, -1},
        {shown | SS_LEFT | WS_GROUP, 0, IDC_ABOUT_NAME},
        {shown | SS_LEFT | WS_GROUP, 0, -1},
        {shown | SS_LEFT | SS_NOTIFY | WS_GROUP, 0, IDC_ABOUT_LINK},
        {shown | BS_DEFPUSHBUTTON | WS_TABSTOP, 0, IDOK},
        {shown | SS_LEFT | WS_GROUP, 0, IDC_ABOUT_COPYRIGHT},
    };
    for (LANGID language : {kJapanese, kEnglish}) {
        SCOPED_TRACE(testing::Message() << "language " << language);
        ExpectItemStyles(ReadTemplate(IDD_ABOUT, language), expected);
    }
}

TEST(AboutDialogTemplate, PlacesItsControlsOnTheirRectangles)
{
    struct CPlace {
        int x, y, cx, cy;
    };
    const CPlace places[] = {
        {7, 7, 318, 48}, {19, 23, 20, 20}, {56, 23, 137, 8}, {17, 66, 108, 8},
        {137, 66, 127, 8}, {7, 85, 318, 16}, {56, 35, 164, 8},
    };
    for (LANGID language : {kJapanese, kEnglish}) {
        SCOPED_TRACE(testing::Message() << "language " << language);
        const CUniqueDialog dialog = CreateFromTemplate(IDD_ABOUT, language);
        ASSERT_TRUE(dialog);
        const std::vector<HWND> children = Children(dialog.get());
        ASSERT_EQ(children.size(), 7u);
        for (size_t i = 0; i < children.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "control " << i);
            const RECT want = DialogUnits(dialog.get(), places[i].x, places[i].y, places[i].cx, places[i].cy);
            const RECT got = RectInDialog(dialog.get(), children[i]);
            EXPECT_EQ(got.left, want.left);
            EXPECT_EQ(got.top, want.top);
            if (i != 1) {  // an icon static takes the size of its icon
                EXPECT_EQ(got.right, want.right);
                EXPECT_EQ(got.bottom, want.bottom);
            }
        }
    }
}

// A read-only field that wraps its lines and can be selected, the two
// buttons and the close button that Escape presses.
TEST(PropertiesDialogTemplate, HoldsTheFieldAndItsButtons)
{
    const DWORD shown = WS_CHILD | WS_VISIBLE;
    const std::vector<CTemplateItem> expected = {
        {shown | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_BORDER | WS_VSCROLL | WS_TABSTOP, 0,
         IDC_PROPERTIES_TEXT},
        {shown | BS_PUSHBUTTON | WS_TABSTOP, 0, IDC_PROPERTIES_COPY},
        {shown | BS_PUSHBUTTON | WS_TABSTOP, 0, IDC_PROPERTIES_OPEN_FOLDER},
        {shown | BS_DEFPUSHBUTTON | WS_TABSTOP, 0, IDCANCEL},
    };
    for (LANGID language : {kJapanese, kEnglish}) {
        SCOPED_TRACE(testing::Message() << "language " << language);
        ExpectItemStyles(ReadTemplate(IDD_PROPERTIES, language), expected);
        const CUniqueDialog dialog = CreateFromTemplate(IDD_PROPERTIES, language);
        ASSERT_TRUE(dialog);
        const bool ja = language == kJapanese;
        ExpectControls(dialog.get(), {
                                         {IDC_PROPERTIES_TEXT, L"EDIT", L""},
                                         {IDC_PROPERTIES_COPY, L"BUTTON", ja ? L"コピー(&C)" : L"&Copy"},
                                         {IDC_PROPERTIES_OPEN_FOLDER, L"BUTTON",
                                          ja ? L"フォルダーを開く(&O)" : L"&Open folder"},
                                         {IDCANCEL, L"BUTTON", ja ? L"閉じる" : L"Close"},
                                     });
    }
}

}  // namespace
