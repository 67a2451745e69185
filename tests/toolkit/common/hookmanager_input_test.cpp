// ctest: run-serial (drives the real pointer, keyboard or foreground window)
// Keyboard and mouse managers: keys reach a tracking bar through the thread
// hooks, clicks elsewhere close tracked popups, trusted windows, locks and
// the mouse-leave watch. Real input goes through SendInput on Xvfb.
#include <gtest/gtest.h>

#include "XTPHookManager.h"
#include "support/fakebar.h"
#include "support/keyinput.h"
#include "support/testwindows.h"

#include <vector>

using testsupport::SendKey;
using FakeBar = testsupport::FakeBar;

namespace
{
std::vector<UINT> g_windowKeys;
void LogKeys(HWND, UINT nMsg, WPARAM wParam, LPARAM)
{
    if (nMsg == WM_KEYDOWN || nMsg == WM_SYSKEYDOWN)
        g_windowKeys.push_back((UINT)wParam);
}

// What the system sends each top-level window of a thread whose program
// loses the activation.
BOOL CALLBACK SendDeactivateApp(HWND hWnd, LPARAM)
{
    ::SendMessageA(hWnd, WM_ACTIVATEAPP, FALSE, 0);
    return TRUE;
}

void ClickAt(int x, int y)
{
    ::SetCursorPos(x, y);
    testsupport::Pump(30);
    INPUT in[2] = {};
    in[0].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].type = INPUT_MOUSE;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, in, sizeof(INPUT));
    testsupport::Pump(100);
}

class InputTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_windowKeys.clear();
        testsupport::MessageLog() = LogKeys;
        m_hWndMain = testsupport::CreatePlainWindow(50, 50, 300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        ::SetForegroundWindow(m_hWndMain);
        ::SetActiveWindow(m_hWndMain);
        ::SetFocus(m_hWndMain);
        testsupport::Pump(50);
    }
    void TearDown() override
    {
        XTPMouseManager()->CloseAllTracked();
        testsupport::MessageLog() = NULL;
        testsupport::DestroyQuietly(m_hWndMain);
        testsupport::Pump(20);
    }
    HWND m_hWndMain = NULL;
};
} // namespace

TEST_F(InputTest, KeyboardHooksExistExactlyWhileClientsAreHooked)
{
    FakeBar a(500, 500, 50, 50), b(600, 500, 50, 50);
    EXPECT_FALSE(XTPKeyboardManager()->IsKeyboardHooked());
    XTPKeyboardManager()->HookKeyboard(&a);
    XTPKeyboardManager()->HookKeyboard(&b);
    XTPKeyboardManager()->HookKeyboard(&a);
    EXPECT_TRUE(XTPKeyboardManager()->IsKeyboardHooked());
    EXPECT_EQ(2, XTPKeyboardManager()->GetHookCount());
    XTPKeyboardManager()->UnhookKeyboard(&a);
    EXPECT_TRUE(XTPKeyboardManager()->IsKeyboardHooked());
    XTPKeyboardManager()->UnhookKeyboard(&b);
    EXPECT_FALSE(XTPKeyboardManager()->IsKeyboardHooked());
}

TEST_F(InputTest, KeysReachTheNewestTrackingBarAndAreSwallowed)
{
    FakeBar older(500, 500, 50, 50), newer(600, 500, 50, 50);
    older.Track();
    newer.Track();

    SendKey('A', false);
    SendKey('A', true);
    testsupport::Pump(150);

    EXPECT_EQ(std::vector<UINT>({ 'A' }), newer.m_keys);
    EXPECT_TRUE(older.m_keys.empty());
    EXPECT_TRUE(g_windowKeys.empty()) << "the handled key must not reach the focus window";
}

TEST_F(InputTest, StopAnswerPassesTheKeyOn)
{
    FakeBar bar(500, 500, 50, 50);
    bar.m_nKeyAnswer = CXTPHookManagerHookAble::hookStop;
    bar.Track();

    SendKey('B', false);
    SendKey('B', true);
    testsupport::Pump(150);

    EXPECT_EQ(std::vector<UINT>({ 'B' }), bar.m_keys);
    EXPECT_EQ(std::vector<UINT>({ 'B' }), g_windowKeys);
}

TEST_F(InputTest, AltClosesTheTrackedBars)
{
    FakeBar bar(500, 500, 50, 50);
    bar.Track();

    SendKey(VK_MENU, false);
    testsupport::Pump(100);
    SendKey(VK_MENU, true);
    testsupport::Pump(100);

    EXPECT_EQ(1, bar.m_nExits);
    EXPECT_FALSE(XTPMouseManager()->IsTracked(&bar));
    EXPECT_FALSE(XTPKeyboardManager()->IsKeyboardHooked());
}

TEST_F(InputTest, AltIsAnOrdinaryKeyWhileTheMouseIsHeld)
{
    FakeBar bar(500, 500, 50, 50);
    bar.Track();
    XTPMouseManager()->LockMouseMove();

    SendKey(VK_MENU, false);
    testsupport::Pump(100);
    SendKey(VK_MENU, true);
    testsupport::Pump(100);
    XTPMouseManager()->UnlockMouseMove();

    EXPECT_EQ(0, bar.m_nExits);
    EXPECT_EQ(std::vector<UINT>({ VK_MENU }), bar.m_keys);
}

TEST_F(InputTest, LosingApplicationActivationClosesEveryTrackedPopup)
{
    FakeBar a(500, 500, 50, 50), b(600, 500, 50, 50);
    a.Track();
    b.Track();
    // As the system tells it: to every top-level window of the thread.
    ::EnumThreadWindows(::GetCurrentThreadId(), &SendDeactivateApp, 0);
    EXPECT_EQ(1, a.m_nExits);
    EXPECT_EQ(1, b.m_nExits);
    EXPECT_EQ(0, XTPMouseManager()->GetTrackArray().GetSize());
}

namespace
{
// A window of another thread of the program, which pumps its messages
// until it is told to end.
struct OtherThreadWindow
{
    HWND hWnd = NULL;
    HANDLE hThread = NULL;
    HANDLE hReady = NULL;
    DWORD dwThreadId = 0;

    OtherThreadWindow()
    {
        hReady = ::CreateEventA(NULL, TRUE, FALSE, NULL);
        hThread = ::CreateThread(NULL, 0, &OtherThreadWindow::Run, this, 0, &dwThreadId);
        if (hThread != NULL)
            ::WaitForSingleObject(hReady, 5000);
    }
    ~OtherThreadWindow()
    {
        if (hThread != NULL)
        {
            ::PostThreadMessageA(dwThreadId, WM_QUIT, 0, 0);
            ::WaitForSingleObject(hThread, 5000);
            ::CloseHandle(hThread);
        }
        ::CloseHandle(hReady);
    }
    static DWORD WINAPI Run(LPVOID pParam)
    {
        OtherThreadWindow* pThis = static_cast<OtherThreadWindow*>(pParam);
        pThis->hWnd = testsupport::CreatePlainWindow(400, 300, 200, 150, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        ::SetEvent(pThis->hReady);
        MSG msg;
        while (::GetMessageA(&msg, NULL, 0, 0) > 0)
            ::DispatchMessageA(&msg);
        testsupport::DestroyQuietly(pThis->hWnd);
        return 0;
    }
};
} // namespace

// The program losing the activation to another thread's window closes the
// tracked bars: the activation watch sees it at the bars' top-level windows
// and the active one, and goes (unsubclassing them) once nothing is tracked.
TEST_F(InputTest, AnotherThreadTakingTheActivationClosesTheTrackedBarsAndEndsTheWatch)
{
    FakeBar a(500, 500, 50, 50), b(600, 500, 50, 50);
    a.Track();
    b.Track();
    EXPECT_GE(XTPMouseManager()->GetActivationWatched().GetSize(), 2) << "the bars' windows";
    EXPECT_TRUE(XTPHookManager()->Lookup(a.m_hWnd) != NULL);

    OtherThreadWindow other;
    ASSERT_TRUE(other.hWnd != NULL);
    ::SetForegroundWindow(other.hWnd);
    for (int n = 0; n < 40 && XTPMouseManager()->GetTrackArray().GetSize() > 0; n++)
        testsupport::Pump(50);
    EXPECT_EQ(1, a.m_nExits);
    EXPECT_EQ(1, b.m_nExits);
    EXPECT_EQ(0, XTPMouseManager()->GetTrackArray().GetSize());
    EXPECT_EQ(0, XTPMouseManager()->GetActivationWatched().GetSize());
    EXPECT_TRUE(XTPHookManager()->Lookup(m_hWndMain) == NULL) << "the main window is still subclassed";
    EXPECT_TRUE(XTPHookManager()->Lookup(a.m_hWnd) == NULL) << "a bar's window is still subclassed";
}

TEST_F(InputTest, ClickElsewhereClosesThePopupButClickOnItDoesNot)
{
    FakeBar bar(500, 500, 80, 60);
    bar.Track();

    ClickAt(520, 520);
    EXPECT_EQ(0, bar.m_nExits);
    EXPECT_TRUE(XTPMouseManager()->IsTracked(&bar));

    ClickAt(150, 150);
    EXPECT_EQ(1, bar.m_nExits);
    EXPECT_FALSE(XTPMouseManager()->IsTracked(&bar));
}

TEST_F(InputTest, ClickOnATrustedVisibleWindowLeavesThePopupOpen)
{
    FakeBar bar(500, 500, 80, 60);
    HWND hWndTrusted = testsupport::CreatePlainWindow(700, 100, 100, 100);
    bar.Track();
    XTPMouseManager()->AddTrusted(hWndTrusted);

    ClickAt(750, 150);
    EXPECT_EQ(0, bar.m_nExits);

    ::SetWindowPos(hWndTrusted, NULL, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    testsupport::Pump(30);
    XTPMouseManager()->PreviewMouseMessage(WM_LBUTTONDOWN, CPoint(750, 150));
    EXPECT_EQ(1, bar.m_nExits) << "a hidden trusted window protects nothing";

    XTPMouseManager()->RemoveTrusted(hWndTrusted);
    testsupport::DestroyQuietly(hWndTrusted);
}

TEST_F(InputTest, ButtonUpOutsideKeepsThePopupWhileTheMouseIsHeld)
{
    FakeBar bar(500, 500, 80, 60);
    bar.Track();
    XTPMouseManager()->LockMouseMove();
    XTPMouseManager()->PreviewMouseMessage(WM_LBUTTONUP, CPoint(100, 100));
    EXPECT_EQ(0, bar.m_nExits);
    XTPMouseManager()->UnlockMouseMove();
    XTPMouseManager()->PreviewMouseMessage(WM_LBUTTONUP, CPoint(100, 100));
    EXPECT_EQ(1, bar.m_nExits);
}

TEST_F(InputTest, MovesOutsideReachUnlockedBarsInClientCoordinates)
{
    FakeBar bar(500, 500, 80, 60), locked(600, 500, 80, 60);
    bar.Track();
    locked.Track();
    locked.m_nLockTracking = 1;

    XTPMouseManager()->PreviewMouseMessage(WM_MOUSEMOVE, CPoint(450, 470));
    EXPECT_EQ(1, bar.m_nMoves);
    EXPECT_EQ(CPoint(-50, -30), bar.m_ptLastMove);
    EXPECT_EQ(0, locked.m_nMoves);
}

TEST_F(InputTest, SwallowedButtonUpAfterAPressThatOpenedAPopup)
{
    FakeBar bar(500, 500, 80, 60);
    bar.Track();
    ::SetCursorPos(150, 150);
    testsupport::Pump(30);
    XTPMouseManager()->SetSwallowNextButtonUp();

    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &in, sizeof(INPUT));
    testsupport::Pump(100);

    EXPECT_FALSE(XTPMouseManager()->IsSwallowNextButtonUp());
    EXPECT_EQ(0, bar.m_nExits) << "the swallowed button-up must not close the popup";
}

TEST_F(InputTest, CloseUnlockedTrackedClosesEveryUnlockedBar)
{
    // The first bar is locked; the two after it are not. Leaving tracking
    // mode moves the next bar into the freed place, which must be examined.
    FakeBar first(400, 400, 40, 40), second(450, 400, 40, 40), third(500, 400, 40, 40);
    first.Track();
    second.Track();
    third.Track();
    XTPMouseManager()->LockTracked(TRUE);
    second.m_nLockTracking = 0;
    third.m_nLockTracking = 0;

    XTPMouseManager()->CloseUnlockedTracked();

    EXPECT_EQ(0, first.m_nExits);
    EXPECT_EQ(1, second.m_nExits);
    EXPECT_EQ(1, third.m_nExits);
    ASSERT_EQ(1, XTPMouseManager()->GetTrackArray().GetSize());
    EXPECT_EQ(&first, XTPMouseManager()->GetTrackArray()[0]);
}

TEST_F(InputTest, ClickOnALockedBarClosesTheUnlockedOnes)
{
    FakeBar parent(400, 400, 60, 60), child(500, 400, 60, 60);
    parent.Track();
    child.Track();
    parent.m_nLockTracking = 1;

    XTPMouseManager()->PreviewMouseMessage(WM_LBUTTONDOWN, CPoint(410, 410));
    EXPECT_EQ(0, parent.m_nExits);
    EXPECT_EQ(1, child.m_nExits);
}

TEST_F(InputTest, LocksAndIsMouseLocked)
{
    FakeBar a(400, 400, 40, 40), outsider(500, 400, 40, 40);
    EXPECT_FALSE(XTPMouseManager()->IsMouseLocked(&a)) << "nothing tracked";
    a.Track();
    EXPECT_FALSE(XTPMouseManager()->IsMouseLocked(&a));
    EXPECT_TRUE(XTPMouseManager()->IsMouseLocked(NULL));
    EXPECT_TRUE(XTPMouseManager()->IsMouseLocked(&outsider));
    XTPMouseManager()->LockTracked(TRUE);
    EXPECT_EQ(1, a.m_nLockTracking);
    EXPECT_TRUE(XTPMouseManager()->IsMouseLocked(&a));
    XTPMouseManager()->LockTracked(FALSE);
    XTPMouseManager()->LockTracked(FALSE);
    EXPECT_EQ(0, a.m_nLockTracking) << "unlocking never goes below zero";
}

TEST_F(InputTest, FirstTrackedBarClearsTheKeptSelection)
{
    FakeBar kept(400, 400, 40, 40), popup(500, 400, 40, 40);
    XTPMouseManager()->SetSelectedCommandBar(&kept);
    popup.Track();
    EXPECT_EQ(1, kept.m_nCleared);
    XTPMouseManager()->SetSelectedCommandBar(NULL);
}

namespace
{
std::vector<HWND> g_leaveWindows;
void LogLeave(HWND hWnd, UINT nMsg, WPARAM, LPARAM)
{
    if (nMsg == WM_MOUSELEAVE)
        g_leaveWindows.push_back(hWnd);
}
} // namespace

TEST_F(InputTest, MouseLeaveIsPostedWhenTheCursorLeavesAndSentWhenAnotherIsWatched)
{
    g_leaveWindows.clear();
    testsupport::MessageLog() = LogLeave;
    HWND hWndA = testsupport::CreatePlainWindow(600, 600, 100, 100);
    HWND hWndB = testsupport::CreatePlainWindow(800, 600, 100, 100);

    ::SetCursorPos(650, 650);
    testsupport::Pump(30);
    XTPMouseManager()->TrackMouseLeave(hWndA);
    XTPMouseManager()->OnMouseLeaveTimer();
    testsupport::Pump(20);
    EXPECT_TRUE(g_leaveWindows.empty()) << "the cursor is still inside";
    EXPECT_EQ(hWndA, XTPMouseManager()->GetMouseLeaveWindow());

    XTPMouseManager()->TrackMouseLeave(hWndB);
    ASSERT_EQ(1u, g_leaveWindows.size());
    EXPECT_EQ(hWndA, g_leaveWindows[0]);

    ::SetCursorPos(100, 900);
    testsupport::Pump(30);
    XTPMouseManager()->OnMouseLeaveTimer();
    testsupport::Pump(20);
    ASSERT_EQ(2u, g_leaveWindows.size());
    EXPECT_EQ(hWndB, g_leaveWindows[1]);
    EXPECT_EQ((HWND)NULL, XTPMouseManager()->GetMouseLeaveWindow());

    testsupport::DestroyQuietly(hWndA);
    testsupport::DestroyQuietly(hWndB);
}

TEST_F(InputTest, MouseLeaveTimerForgetsADestroyedWindow)
{
    HWND hWnd = testsupport::CreatePlainWindow(600, 600, 100, 100);
    XTPMouseManager()->TrackMouseLeave(hWnd);
    testsupport::DestroyQuietly(hWnd);
    XTPMouseManager()->OnMouseLeaveTimer();
    EXPECT_EQ((HWND)NULL, XTPMouseManager()->GetMouseLeaveWindow());
}
