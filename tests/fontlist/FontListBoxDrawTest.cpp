// Rows of the font list painted into a memory bitmap through the dialog's
// WM_DRAWITEM, compared with the same texts drawn directly, and the real
// paint of the window.
#include "FontListHost.h"

#include "fontlist/RowLayout.h"
#include "support/TestLanguage.h"

#include "support/PrivateFonts.h"

#include <gtest/gtest.h>

#include <memory>

#include <string>
#include <vector>

using gvt::test::CMutableRecord;
using gvt::test::MakeRecord;
using gvt::test::Pick;

namespace {

const std::initializer_list<const wchar_t*> kFontFiles = {
    L"Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans.ttf",
    L"Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans-Bold.ttf",
    L"Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans-Oblique.ttf",
    L"Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans-BoldOblique.ttf",
};

constexpr LONG kSize = 40;
constexpr COLORREF kUnpainted = RGB(1, 2, 3);

void DeleteMemoryDC(HDC dc) noexcept
{
    ::DeleteDC(dc);
}
using CUniqueMemoryDC = gvt::CUniqueHandle<gvt::CHandleTraits<HDC, void (*)(HDC), DeleteMemoryDC>>;

HBITMAP MakeDib(HDC dc, int width, int height, void** bits)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

// A memory DC drawing into a 32-bit bitmap whose pixels the test reads.
class CCanvas {
public:
    CCanvas(int width, int height)
        : m_width(width),
          m_height(height),
          m_dc(::CreateCompatibleDC(nullptr)),
          m_bitmap(MakeDib(m_dc.get(), width, height, &m_bits)),
          m_selectBitmap(m_dc.get(), m_bitmap.get())
    {
        Fill(kUnpainted);
    }

    HDC dc() const noexcept { return m_dc.get(); }
    bool Valid() const noexcept { return m_dc && m_bitmap && m_bits; }
    int Width() const noexcept { return m_width; }
    int Height() const noexcept { return m_height; }

    void Fill(COLORREF colour)
    {
        const gvt::CUniqueBrush brush(::CreateSolidBrush(colour));
        RECT all = {0, 0, m_width, m_height};
        ::FillRect(dc(), &all, brush.get());
        ::GdiFlush();
    }

    COLORREF Pixel(int x, int y) const
    {
        const DWORD p = static_cast<const DWORD*>(m_bits)[y * m_width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }

    // Pixels of the rectangle that are not `colour`.
    int CountOther(const RECT& r, COLORREF colour) const
    {
        int count = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                count += Pixel(x, y) != colour;
        return count;
    }
    int Count(const RECT& r, COLORREF colour) const
    {
        return (r.right - r.left) * (r.bottom - r.top) - CountOther(r, colour);
    }

    // Rows of the rectangle holding a pixel that is not `colour`, from the
    // first to the last.
    int InkHeight(const RECT& r, COLORREF colour) const
    {
        int first = -1;
        int last = -1;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (Pixel(x, y) != colour) {
                    if (first < 0)
                        first = y;
                    last = y;
                }
        return first < 0 ? 0 : last - first + 1;
    }

    bool SameIn(const CCanvas& other, const RECT& r) const
    {
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (Pixel(x, y) != other.Pixel(x, y))
                    return false;
        return true;
    }

private:
    int m_width;
    int m_height;
    void* m_bits = nullptr;
    CUniqueMemoryDC m_dc;
    gvt::CUniqueBitmap m_bitmap;
    gvt::CSelectObject m_selectBitmap;
};

}  // namespace

class FontListBoxDrawing : public gvt::test::FontListFixture {
protected:
    static void SetUpTestSuite() { s_fonts = std::make_unique<gvt::test::CPrivateFonts>(kFontFiles); }
    static void TearDownTestSuite() { s_fonts.reset(); }

    void SetUp() override
    {
        ASSERT_TRUE(s_fonts->Missing().empty()) << "cannot load " << s_fonts->Missing();
        FontListFixture::SetUp();
        records = {MakeRecord(L"DejaVu Sans", FW_NORMAL, 0, kSize), MakeRecord(L"DejaVu Sans", FW_BOLD, 255, kSize)};
        list.SetItems(CLogFontList(records.begin(), records.end()));
        list.SetSampleText(L"Hg");

        RECT client = {};
        list.GetClientRect(&client);
        width = client.right;
        height = list.GetItemHeight(0);
        captionHeight = gvt::test::ListFontHeight(list);
        caption = RECT{2, 2, width - 2, 2 + captionHeight};
        sample = RECT{2, 2 + captionHeight + 1, width - 2, height - 2};
        ASSERT_GT(sample.bottom, sample.top);
    }

    // Asks the dialog to draw a row, with the list box's font selected as
    // the list box does before it asks.
    void Draw(CCanvas& canvas, UINT itemId, UINT state)
    {
        DRAWITEMSTRUCT item = {ODT_LISTBOX, IDC_FONT_LIST, itemId, ODA_DRAWENTIRE, state,
                               list.m_hWnd, canvas.dc(), RECT{0, 0, width, height}, 0};
        const gvt::CSelectObject font(canvas.dc(), list.GetFont());
        ::SendMessageW(dialog, WM_DRAWITEM, IDC_FONT_LIST, reinterpret_cast<LPARAM>(&item));
        ::GdiFlush();
    }

    // The row as it should look, drawn here with the texts and fonts the
    // row is made of.
    void DrawExpected(CCanvas& canvas, const std::wstring& captionText, const LOGFONTW& font,
                      const std::wstring& sampleText, COLORREF text, COLORREF background)
    {
        canvas.Fill(background);
        ::SetTextColor(canvas.dc(), text);
        ::SetBkColor(canvas.dc(), background);
        {
            const gvt::CSelectObject listFont(canvas.dc(), list.GetFont());
            RECT r = caption;
            ::DrawTextW(canvas.dc(), captionText.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER);
        }
        const gvt::CUniqueFont rowFont(::CreateFontIndirectW(&font));
        ASSERT_TRUE(rowFont);
        const gvt::CSelectObject select(canvas.dc(), rowFont.get());
        RECT r = sample;
        ::DrawTextW(canvas.dc(), sampleText.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER);
        ::GdiFlush();
    }

    void FocusElsewhere()
    {
        ::SetFocus(dialog.GetDlgItem(IDC_CHARSET));
        ASSERT_EQ(dialog.GetDlgItem(IDC_CHARSET), ::GetFocus());
    }

    static inline std::unique_ptr<gvt::test::CPrivateFonts> s_fonts;
    std::vector<CMutableRecord> records;
    int width = 0;
    int height = 0;
    LONG captionHeight = 0;
    RECT caption = {};
    RECT sample = {};
};


TEST_F(FontListBoxDrawing, ARowShowsItsCaptionInTheListFontAndItsSampleInItsOwnFont)
{
    CCanvas row(width, height);
    CCanvas expected(width, height);
    ASSERT_TRUE(row.Valid());
    FocusElsewhere();
    Draw(row, 1, 0);

    const COLORREF window = ::GetSysColor(COLOR_WINDOW);
    EXPECT_EQ(0, row.Count(RECT{0, 0, width, height}, kUnpainted));  // the whole row is painted
    EXPECT_GT(row.CountOther(caption, window), 0);
    EXPECT_GT(row.CountOther(sample, window), 0);
    EXPECT_GT(row.Count(sample, ::GetSysColor(COLOR_WINDOWTEXT)), 0);
    // The sample at Size 40 stands taller than the list's font could draw it.
    EXPECT_GT(row.InkHeight(sample, window), captionHeight + 4);

    const std::wstring captionText =
        std::wstring(L"DejaVu Sans, ") + Pick(L"太字", L"Bold") + L", " + Pick(L"斜体", L"Italic");
    DrawExpected(expected, captionText, *records[1], L"Hg", ::GetSysColor(COLOR_WINDOWTEXT), window);
    EXPECT_TRUE(row.SameIn(expected, caption));
    EXPECT_TRUE(row.SameIn(expected, sample));
    EXPECT_TRUE(row.SameIn(expected, RECT{0, 0, width, height}));
}

TEST_F(FontListBoxDrawing, EachRowUsesTheFontOfItsOwnRecord)
{
    CCanvas regular(width, height);
    CCanvas boldItalic(width, height);
    FocusElsewhere();
    Draw(regular, 0, 0);
    Draw(boldItalic, 1, 0);
    const COLORREF window = ::GetSysColor(COLOR_WINDOW);
    EXPECT_GT(boldItalic.CountOther(sample, window), regular.CountOther(sample, window));

    CCanvas expected(width, height);
    DrawExpected(expected, std::wstring(L"DejaVu Sans, ") + Pick(L"標準", L"Normal"), *records[0], L"Hg",
                 ::GetSysColor(COLOR_WINDOWTEXT), window);
    EXPECT_TRUE(regular.SameIn(expected, RECT{0, 0, width, height}));
}

TEST_F(FontListBoxDrawing, TheDeviceContextGetsItsFontBack)
{
    CCanvas row(width, height);
    const gvt::CSelectObject font(row.dc(), list.GetFont());
    DRAWITEMSTRUCT item = {ODT_LISTBOX, IDC_FONT_LIST, 0, ODA_DRAWENTIRE, 0, list.m_hWnd, row.dc(),
                           RECT{0, 0, width, height}, 0};
    ::SendMessageW(dialog, WM_DRAWITEM, IDC_FONT_LIST, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(static_cast<HGDIOBJ>(list.GetFont()), ::GetCurrentObject(row.dc(), OBJ_FONT));
}

TEST_F(FontListBoxDrawing, ASelectedRowOfTheFocusedListIsHighlighted)
{
    list.SetFocus();
    ASSERT_EQ(list.m_hWnd, ::GetFocus());
    CCanvas row(width, height);
    Draw(row, 0, ODS_SELECTED);

    const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_EQ(highlight, row.Pixel(width - 2, 1));
    EXPECT_EQ(highlight, row.Pixel(1, height - 2));
    EXPECT_GT(row.Count(sample, ::GetSysColor(COLOR_HIGHLIGHTTEXT)), 0);

    CCanvas expected(width, height);
    DrawExpected(expected, std::wstring(L"DejaVu Sans, ") + Pick(L"標準", L"Normal"), *records[0], L"Hg",
                 ::GetSysColor(COLOR_HIGHLIGHTTEXT), highlight);
    EXPECT_TRUE(row.SameIn(expected, RECT{0, 0, width, height}));
}

TEST_F(FontListBoxDrawing, ASelectedRowOfAListWithoutFocusIsGrey)
{
    FocusElsewhere();
    CCanvas row(width, height);
    Draw(row, 0, ODS_SELECTED);

    const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF grey = gvt::GreyOf(highlight);
    ASSERT_NE(highlight, grey);
    EXPECT_EQ(grey, row.Pixel(width - 2, 1));
    EXPECT_EQ(grey, row.Pixel(1, height - 2));
    EXPECT_EQ(0, row.Count(RECT{0, 0, width, height}, highlight));
    EXPECT_GT(row.Count(sample, ::GetSysColor(COLOR_HIGHLIGHTTEXT)), 0);
}

TEST_F(FontListBoxDrawing, ARowThatIsNotSelectedHasTheWindowColourEvenInTheFocusedList)
{
    list.SetFocus();
    CCanvas row(width, height);
    Draw(row, 0, 0);
    const COLORREF window = ::GetSysColor(COLOR_WINDOW);
    EXPECT_EQ(window, row.Pixel(width - 2, 1));
    EXPECT_EQ(window, row.Pixel(1, height - 2));
    EXPECT_EQ(0, row.Count(RECT{0, 0, width, height}, ::GetSysColor(COLOR_HIGHLIGHT)));
}

TEST_F(FontListBoxDrawing, TheCaretRowGetsAFocusRectangleOnItsEdge)
{
    list.SetFocus();
    CCanvas plain(width, height);
    CCanvas focused(width, height);
    Draw(plain, 0, 0);
    Draw(focused, 0, ODS_FOCUS);
    const COLORREF window = ::GetSysColor(COLOR_WINDOW);
    const RECT topEdge = {0, 0, width, 1};
    const RECT leftEdge = {0, 0, 1, height};
    EXPECT_EQ(0, plain.CountOther(topEdge, window));
    EXPECT_EQ(0, plain.CountOther(leftEdge, window));
    EXPECT_GT(focused.CountOther(topEdge, window), 0);
    EXPECT_GT(focused.CountOther(leftEdge, window), 0);
    EXPECT_TRUE(focused.SameIn(plain, RECT{1, 1, width - 1, height - 1}));
}

TEST_F(FontListBoxDrawing, AnEmptySampleTextShowsTheFaceName)
{
    CCanvas empty(width, height);
    CCanvas named(width, height);
    CCanvas other(width, height);
    FocusElsewhere();
    list.SetSampleText(L"");
    Draw(empty, 0, 0);
    list.SetSampleText(L"DejaVu Sans");
    Draw(named, 0, 0);
    list.SetSampleText(L"Hg");
    Draw(other, 0, 0);
    EXPECT_GT(empty.CountOther(sample, ::GetSysColor(COLOR_WINDOW)), 0);
    EXPECT_TRUE(empty.SameIn(named, RECT{0, 0, width, height}));
    EXPECT_FALSE(empty.SameIn(other, sample));
    EXPECT_TRUE(empty.SameIn(other, caption));
}

TEST_F(FontListBoxDrawing, ARowBeyondTheRecordsGetsOnlyItsBackground)
{
    FocusElsewhere();
    for (UINT itemId : {2U, static_cast<UINT>(-1)}) {
        CCanvas row(width, height);
        Draw(row, itemId, ODS_SELECTED);
        EXPECT_EQ(width * height, row.Count(RECT{0, 0, width, height}, gvt::GreyOf(::GetSysColor(COLOR_HIGHLIGHT))))
            << itemId;
    }
}

TEST_F(FontListBoxDrawing, PaintingTheWindowDrawsTheSelectedAndTheOtherRows)
{
    list.SetCurSel(0);
    list.SetFocus();
    ::RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);

    // Read the window's pixels back through a copy of its client area.
    CCanvas screen(width, 2 * height);
    {
        gvt::CClientDC dc(list);
        ASSERT_TRUE(::BitBlt(screen.dc(), 0, 0, width, 2 * height, dc.get(), 0, 0, SRCCOPY));
        ::GdiFlush();
    }
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), screen.Pixel(width - 2, 1));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), screen.Pixel(width - 2, height + 1));
    EXPECT_GT(screen.CountOther(RECT{2, height + 2, width - 2, 2 * height - 2}, ::GetSysColor(COLOR_WINDOW)), 0);
}
