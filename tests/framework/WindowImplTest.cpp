// Subclassing real windows: the order in which stacked subclasses see a
// message, their removal in any order and on destruction, the final-message
// hook, the previous procedure, and the exception barrier.
#include "TestWindows.h"

#include "framework/FaultPolicy.h"
#include "framework/WindowImpl.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

using gvt::test::CRecorder;
using gvt::test::CTestWindow;

namespace {

constexpr UINT WM_PROBE = WM_APP + 1;
constexpr UINT WM_THROW = WM_APP + 2;

// Appends its name to a shared log for WM_PROBE and lets the message go on.
class CTracer : public gvt::CWindowImpl<CTracer> {
public:
    CTracer(std::vector<std::string>& log, std::string name) : m_log(log), m_name(std::move(name)) {}

    BEGIN_MSG_MAP(CTracer)
        MESSAGE_HANDLER(WM_PROBE, OnProbe)
    END_MSG_MAP()

    void OnFinalMessage(HWND hwnd) override
    {
        FinalWindow = hwnd;
        HandleAtFinal = m_hWnd;
    }

    HWND FinalWindow = nullptr;
    HWND HandleAtFinal = reinterpret_cast<HWND>(1);

private:
    LRESULT OnProbe(UINT, WPARAM, LPARAM, BOOL& bHandled)
    {
        m_log.push_back(m_name);
        bHandled = FALSE;
        return 0;
    }

    std::vector<std::string>& m_log;
    std::string m_name;
};

// comctl32 exports GetWindowSubclass by ordinal only; the x86-64 import
// library has no name for it, so it is looked up as the system loads it.
BOOL QuerySubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id)
{
    using GetWindowSubclassFn = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR*);
    static const auto getWindowSubclass = reinterpret_cast<GetWindowSubclassFn>(
        reinterpret_cast<void (*)()>(::GetProcAddress(::GetModuleHandleW(L"comctl32.dll"), MAKEINTRESOURCEA(411))));
    DWORD_PTR ref = 0;
    return getWindowSubclass(hwnd, proc, id, &ref);
}

bool HasSubclass(HWND hwnd, const gvt::CWindowImplRoot& object)
{
    return QuerySubclass(hwnd, object.GetWindowProc(), reinterpret_cast<UINT_PTR>(&object)) != FALSE;
}

TEST(WindowImplSubclass, LatestSubclassSeesMessagesFirstAndRemovalWorksInAnyOrder)
{
    CTestWindow window(L"STATIC", WS_POPUP);
    std::vector<std::string> log;
    CTracer first(log, "first");
    CTracer second(log, "second");
    CTracer third(log, "third");

    ASSERT_TRUE(first.SubclassWindow(window));
    ASSERT_TRUE(second.SubclassWindow(window));
    ASSERT_TRUE(third.SubclassWindow(window));
    EXPECT_TRUE(HasSubclass(window, first) && HasSubclass(window, second) && HasSubclass(window, third));

    ::SendMessageW(window, WM_PROBE, 0, 0);
    EXPECT_EQ((std::vector<std::string>{"third", "second", "first"}), log);

    // The middle one first, then the oldest: the others keep working.
    log.clear();
    EXPECT_EQ(window.get(), second.UnsubclassWindow());
    EXPECT_EQ(nullptr, second.m_hWnd);
    EXPECT_FALSE(HasSubclass(window, second));
    ::SendMessageW(window, WM_PROBE, 0, 0);
    EXPECT_EQ((std::vector<std::string>{"third", "first"}), log);

    log.clear();
    EXPECT_EQ(window.get(), first.UnsubclassWindow());
    ::SendMessageW(window, WM_PROBE, 0, 0);
    EXPECT_EQ((std::vector<std::string>{"third"}), log);

    // A removed subclass can be installed again, on top.
    log.clear();
    ASSERT_TRUE(first.SubclassWindow(window));
    ::SendMessageW(window, WM_PROBE, 0, 0);
    EXPECT_EQ((std::vector<std::string>{"first", "third"}), log);

    EXPECT_EQ(window.get(), third.UnsubclassWindow());
    EXPECT_EQ(window.get(), first.UnsubclassWindow());
    EXPECT_EQ(nullptr, first.UnsubclassWindow());
    EXPECT_FALSE(HasSubclass(window, first) || HasSubclass(window, second) || HasSubclass(window, third));

    // The window is back to its own procedure.
    ::SetWindowTextW(window, L"plain");
    EXPECT_EQ(L"plain", gvt::CWindowW(window).GetWindowTextW());
}

TEST(WindowImplSubclass, RefusesASecondWindowAndNonWindows)
{
    CTestWindow one(L"STATIC", WS_POPUP);
    CTestWindow two(L"STATIC", WS_POPUP);
    std::vector<std::string> log;
    CTracer tracer(log, "t");

    EXPECT_FALSE(tracer.SubclassWindow(nullptr));
    ASSERT_TRUE(tracer.SubclassWindow(one));
    EXPECT_FALSE(tracer.SubclassWindow(two));
    EXPECT_EQ(one.get(), tracer.m_hWnd);
    EXPECT_FALSE(HasSubclass(two, tracer));
    EXPECT_TRUE(HasSubclass(one, tracer));
    tracer.UnsubclassWindow();
}

TEST(WindowImplSubclass, DestroyingTheWindowRemovesEverySubclassAndCallsTheFinalHook)
{
    std::vector<std::string> log;
    CTracer lower(log, "lower");
    CTracer upper(log, "upper");
    HWND hwnd = nullptr;
    {
        CTestWindow window(L"EDIT", WS_POPUP);
        hwnd = window;
        ASSERT_TRUE(lower.SubclassWindow(window));
        ASSERT_TRUE(upper.SubclassWindow(window));
    }
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(nullptr, upper.m_hWnd);
    EXPECT_EQ(nullptr, lower.m_hWnd);
    // The hook gets the window that died, after the handle was cleared.
    EXPECT_EQ(hwnd, upper.FinalWindow);
    EXPECT_EQ(hwnd, lower.FinalWindow);
    EXPECT_EQ(nullptr, upper.HandleAtFinal);
    EXPECT_EQ(nullptr, lower.HandleAtFinal);
}

TEST(WindowImplSubclass, AnObjectThatDiesFirstLeavesAWorkingWindow)
{
    CTestWindow window(L"STATIC", WS_POPUP);
    std::vector<std::string> log;
    SUBCLASSPROC proc = nullptr;
    UINT_PTR id = 0;
    {
        CTracer tracer(log, "gone");
        ASSERT_TRUE(tracer.SubclassWindow(window));
        proc = tracer.GetWindowProc();
        id = reinterpret_cast<UINT_PTR>(&tracer);
    }
    EXPECT_FALSE(QuerySubclass(window, proc, id));
    ::SendMessageW(window, WM_PROBE, 0, 0);
    EXPECT_TRUE(log.empty());
    ::SetWindowTextW(window, L"still here");
    EXPECT_EQ(L"still here", gvt::CWindowW(window).GetWindowTextW());
}

// Consumes WM_NCDESTROY itself; the control below must still see it.
class CGreedyDestroy : public gvt::CWindowImpl<CGreedyDestroy> {
public:
    BEGIN_MSG_MAP(CGreedyDestroy)
        MESSAGE_HANDLER(WM_NCDESTROY, OnNcDestroy)
    END_MSG_MAP()

private:
    LRESULT OnNcDestroy(UINT, WPARAM, LPARAM, BOOL&) { return 0; }
};

TEST(WindowImplSubclass, TheLastMessageReachesTheWindowBelowEvenWhenHandled)
{
    CRecorder below;
    CGreedyDestroy greedy;
    {
        CTestWindow window(L"STATIC", WS_POPUP);
        ASSERT_TRUE(below.SubclassWindow(window));
        ASSERT_TRUE(greedy.SubclassWindow(window));
    }
    EXPECT_TRUE(below.Saw(WM_NCDESTROY));
    EXPECT_EQ(nullptr, greedy.m_hWnd);
    EXPECT_EQ(nullptr, below.m_hWnd);
}

// Answers WM_GETTEXTLENGTH with the previous procedure's answer plus 100,
// and throws for WM_THROW and for WM_SETTEXT while asked to.
class CWrapping : public gvt::CWindowImpl<CWrapping> {
public:
    BEGIN_MSG_MAP(CWrapping)
        MESSAGE_HANDLER(WM_GETTEXTLENGTH, OnGetTextLength)
        MESSAGE_HANDLER(WM_SETTEXT, OnSetText)
        MESSAGE_HANDLER(WM_THROW, OnThrow)
    END_MSG_MAP()

    bool ThrowOnSetText = false;
    int Thrown = 0;

private:
    LRESULT OnGetTextLength(UINT msg, WPARAM wParam, LPARAM lParam, BOOL&)
    {
        return DefWindowProc(msg, wParam, lParam) + 100;
    }
    LRESULT OnSetText(UINT, WPARAM, LPARAM, BOOL& bHandled)
    {
        if (ThrowOnSetText) {
            ++Thrown;
            throw std::runtime_error("set text");
        }
        bHandled = FALSE;
        return 0;
    }
    LRESULT OnThrow(UINT, WPARAM, LPARAM, BOOL&)
    {
        ++Thrown;
        throw 42;
    }
};

TEST(WindowImplSubclass, HandlersReachThePreviousProcedure)
{
    CTestWindow window(L"STATIC", WS_POPUP, nullptr, 0, L"abc");
    CWrapping wrapping;
    ASSERT_TRUE(wrapping.SubclassWindow(window));
    EXPECT_EQ(103, ::SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
    wrapping.UnsubclassWindow();
    EXPECT_EQ(3, ::SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
}

TEST(WindowImplSubclass, AThrowingHandlerLeavesTheMessageToTheWindowAndKeepsItWorking)
{
    CTestWindow window(L"STATIC", WS_POPUP, nullptr, 0, L"old");
    CRecorder below;
    CWrapping wrapping;
    ASSERT_TRUE(below.SubclassWindow(window));
    ASSERT_TRUE(wrapping.SubclassWindow(window));

    ::SendMessageW(window, WM_THROW, 0, 0);
    EXPECT_EQ(1, wrapping.Thrown);
    EXPECT_TRUE(below.Saw(WM_THROW));

    wrapping.ThrowOnSetText = true;
    EXPECT_TRUE(::SetWindowTextW(window, L"new"));
    EXPECT_EQ(2, wrapping.Thrown);
    EXPECT_EQ(L"new", gvt::CWindowW(window).GetWindowTextW());

    // Later messages are handled as before.
    EXPECT_EQ(103, ::SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
}

// Writes through a null pointer when the system asks about a move: a fault
// inside a window procedure that the window system calls back.
class CFaulting : public gvt::CWindowImpl<CFaulting> {
public:
    BEGIN_MSG_MAP(CFaulting)
        MESSAGE_HANDLER(WM_WINDOWPOSCHANGING, OnChanging)
    END_MSG_MAP()

private:
    LRESULT OnChanging(UINT, WPARAM, LPARAM, BOOL& bHandled)
    {
        volatile int* nowhere = nullptr;
        *nowhere = 1;
        bHandled = FALSE;
        return 0;
    }
};

// The system would swallow the fault and let a broken program go on.
TEST(WindowImplSubclass, AHardwareFaultInAHandlerEndsTheProcess)
{
    EXPECT_EXIT(
        {
            gvt::EndProcessOnProgramFaults();
            CTestWindow window(L"STATIC", WS_POPUP);
            CFaulting faulting;
            faulting.SubclassWindow(window);
            ::SetWindowPos(window, nullptr, 0, 0, 50, 50, SWP_NOZORDER | SWP_NOACTIVATE);
            std::exit(0);
        },
        ::testing::ExitedWithCode(static_cast<int>(EXCEPTION_ACCESS_VIOLATION)), "");
}

}  // namespace
