// The real main dialog template around a CFontListBox, with nothing in the
// dialog but the reflection of notifications, so that the list box gets its
// drawing and measuring requests the way the program's dialog hands them on.
// It counts the list's selection changes.
#pragma once

#include "fontlist/FontListBox.h"
#include "framework/DialogImpl.h"
#include "framework/UniqueHandle.h"
#include "resources/resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cwchar>
#include <string>

namespace gvt::test {

class CListHostDlg : public CDialogImpl<CListHostDlg> {
public:
    enum { IDD = IDD_MAIN };

    BEGIN_MSG_MAP(CListHostDlg)
        COMMAND_HANDLER(IDC_FONT_LIST, LBN_SELCHANGE, OnSelectionChange)
        REFLECT_NOTIFICATIONS()
    END_MSG_MAP()

    int SelectionChanges = 0;

private:
    LRESULT OnSelectionChange(WORD, WORD, HWND, BOOL& bHandled)
    {
        ++SelectionChanges;
        bHandled = FALSE;
        return 0;
    }
};

// A record whose height the test changes in place, as the dialog does with
// the catalogue's records when the size changes.
using CMutableRecord = boost::shared_ptr<CLogFontW>;

inline CMutableRecord MakeRecord(const std::wstring& face, LONG weight = FW_NORMAL, BYTE italic = 0,
                                 LONG height = 12)
{
    CMutableRecord record(new CLogFontW);
    std::wcsncpy(record->lfFaceName, face.c_str(), LF_FACESIZE - 1);
    record->lfWeight = weight;
    record->lfItalic = italic;
    record->lfHeight = height;
    record->lfCharSet = DEFAULT_CHARSET;
    record->lfQuality = DEFAULT_QUALITY;
    return record;
}

// tmHeight of the font the list box draws its captions in.
inline LONG ListFontHeight(HWND list)
{
    CClientDC dc(list);
    CSelectObject font(dc.get(), reinterpret_cast<HFONT>(::SendMessageW(list, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics = {};
    EXPECT_TRUE(::GetTextMetricsW(dc.get(), &metrics));
    return metrics.tmHeight;
}

class FontListFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX init = {sizeof init, ICC_STANDARD_CLASSES};
        ::InitCommonControlsEx(&init);
        ASSERT_TRUE(dialog.Create(nullptr));
        ::ShowWindow(dialog, SW_SHOWNA);
        ASSERT_TRUE(list.SubclassWindow(dialog.GetDlgItem(IDC_FONT_LIST)));
    }
    void TearDown() override { dialog.DestroyWindow(); }

    CListHostDlg dialog;
    CFontListBox list;
};

}  // namespace gvt::test
