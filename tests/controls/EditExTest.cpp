// The edit subclass on a real edit field: key-down and character events
// that may consume the message, and the overlay step after the edit's own
// painting, clipped to what was repainted.
#include "controls/EditEx.h"
#include "framework/UniqueHandle.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

namespace {

void DestroyTestWindow(HWND hwnd) noexcept { ::DestroyWindow(hwnd); }
using CUniqueWindow = gvt::CUniqueHandle<gvt::CHandleTraits<HWND, void (*)(HWND), DestroyTestWindow>>;

struct CKeyLog {
    std::vector<gvt::KeyEvent> seen;
    std::vector<const gvt::CEditEx*> senders;
    WORD consume = 0;  // the key this log marks handled

    void OnKey(gvt::CEditEx& sender, gvt::KeyEvent& event)
    {
        seen.push_back(event);
        senders.push_back(&sender);
        if (event.Key == consume)
            event.Handled = true;
    }
};

// Remembers what the overlay step could draw on.
class COverlayEdit : public gvt::CEditEx {
public:
    void PaintOverlay(HDC dc) override
    {
        RECT clip = {};
        clipKind = ::GetClipBox(dc, &clip);
        clipBox = clip;
        stillToPaint = ::GetUpdateRect(m_hWnd, nullptr, FALSE) != FALSE;
        ++calls;
    }

    int calls = 0;
    int clipKind = ERROR;
    RECT clipBox = {};
    bool stillToPaint = true;
};

class EditEx : public ::testing::Test {
protected:
    void SetUp() override
    {
        parent.reset(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 10, 10, 300, 100, nullptr, nullptr,
                                       nullptr, nullptr));
        edit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 5, 5, 200, 24,
                                 parent.get(), nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, edit);
    }
    std::wstring Text() { return gvt::CWindowW(edit).GetWindowTextW(); }
    int Caret()
    {
        DWORD start = 0;
        ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
        return static_cast<int>(start);
    }

    CUniqueWindow parent;
    HWND edit = nullptr;
};

TEST_F(EditEx, KeyDownIsAnEventThatMayConsumeTheKey)
{
    gvt::CEditEx subclass;
    CKeyLog log;
    log.consume = VK_HOME;
    ASSERT_TRUE(subclass.SubclassWindow(edit));
    subclass.KeyDownListeners().AddListener(&log, &CKeyLog::OnKey);
    ::SetWindowTextW(edit, L"abc");
    ::SendMessageW(edit, EM_SETSEL, 3, 3);

    const UINT flags = KF_REPEAT | KF_EXTENDED | 0x4B;
    ::SendMessageW(edit, WM_KEYDOWN, VK_LEFT, MAKELPARAM(2, flags));
    ASSERT_EQ(1u, log.seen.size());
    EXPECT_EQ(VK_LEFT, log.seen[0].Key);
    EXPECT_EQ(2u, log.seen[0].RepeatCount);
    EXPECT_EQ(flags, log.seen[0].KeyFlags);
    EXPECT_FALSE(log.seen[0].Handled);
    EXPECT_EQ(&subclass, log.senders[0]);
    EXPECT_EQ(2, Caret());  // not handled: the edit moved its caret

    ::SendMessageW(edit, WM_KEYDOWN, VK_HOME, 1);
    EXPECT_EQ(2u, log.seen.size());
    EXPECT_EQ(2, Caret());  // handled: the edit never saw it
}

TEST_F(EditEx, CharactersAreEventsInListenerOrder)
{
    gvt::CEditEx subclass;
    CKeyLog first;
    CKeyLog second;
    second.consume = L'x';
    ASSERT_TRUE(subclass.SubclassWindow(edit));
    subclass.CharListeners().AddListener(&first, &CKeyLog::OnKey);
    subclass.CharListeners().AddListener(&second, &CKeyLog::OnKey);
    for (wchar_t unit : std::wstring(L"axb"))
        ::SendMessageW(edit, WM_CHAR, unit, 1);
    EXPECT_EQ(L"ab", Text());
    ASSERT_EQ(3u, first.seen.size());
    EXPECT_EQ(L'x', first.seen[1].Key);
    EXPECT_FALSE(first.seen[1].Handled);  // told before the one that consumes it
    EXPECT_EQ(3u, second.seen.size());
}

TEST_F(EditEx, WithoutListenersTheEditBehavesAsBefore)
{
    gvt::CEditEx subclass;
    ASSERT_TRUE(subclass.SubclassWindow(edit));
    for (wchar_t unit : std::wstring(L"xy"))
        ::SendMessageW(edit, WM_CHAR, unit, 1);
    ::SendMessageW(edit, WM_KEYDOWN, VK_HOME, 1);
    ::SendMessageW(edit, WM_CHAR, L'w', 1);
    EXPECT_EQ(L"wxy", Text());
}

TEST_F(EditEx, TheOverlayFollowsTheEditsPaintingClippedToTheRepaintedArea)
{
    COverlayEdit subclass;
    ASSERT_TRUE(subclass.SubclassWindow(edit));
    ::SetWindowTextW(edit, L"painted");
    ::UpdateWindow(edit);
    subclass.calls = 0;

    RECT part = {3, 2, 40, 12};
    ::InvalidateRect(edit, &part, FALSE);
    ::UpdateWindow(edit);
    ASSERT_EQ(1, subclass.calls);
    EXPECT_FALSE(subclass.stillToPaint);
    EXPECT_EQ(SIMPLEREGION, subclass.clipKind);
    EXPECT_TRUE(::EqualRect(&part, &subclass.clipBox));

    ::InvalidateRect(edit, nullptr, FALSE);
    ::UpdateWindow(edit);
    RECT client = {};
    ::GetClientRect(edit, &client);
    EXPECT_EQ(2, subclass.calls);
    EXPECT_TRUE(::EqualRect(&client, &subclass.clipBox));
}

}  // namespace
