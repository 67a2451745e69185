// The floating windows and the panes: floating toolbars and panes stay in
// front of the frame and below the game's dialogs and other programs'
// windows, the keyboard after a floating window was used, and panes
// dragged, floated, docked and restored.
// ctest: run-serial
// ctest: lock registry
#include "brindlemark_fixture.h"
#include "brindlemark_floating.h"

#include "support/canvas.h"
#include "support/hostinput.h"
#include "support/mouseinput.h"
#include "support/snapshot.h"
#include "support/watchdog.h"

#include "resource.h"

#include <algorithm>
#include <cstddef>
#include <fstream>
#include <string>
#include <vector>

using namespace gametest;

namespace gametest
{
// Drags the Timer toolbar out by its gripper (at its left edge) to a screen
// point, where it floats; false when the game shows no Timer toolbar.
bool DragTimerBarOut(const Game& game, POINT ptTo)
{
    HWND hBar = TimerBar(game);
    if (hBar == NULL)
        return false;
    RECT rc;
    ::GetWindowRect(hBar, &rc);
    DragScreen({rc.left + 3, (rc.top + rc.bottom) / 2}, ptTo);
    return true;
}

// The Standard toolbar's window, docked or floating; NULL when it has none.
HWND StandardBar(const Game& game)
{
    for (HWND hWnd : Descendants(game.Frame(), "Standard", "XTPToolBar"))
        return hWnd;
    for (HWND hWnd : TopLevels(game.Pid(), "XTPToolBar"))
        if (WindowText(hWnd) == "Standard")
            return hWnd;
    return NULL;
}

// Clicks the close button at the right of a floating toolbar's caption.
void CloseFloatingBar(HWND hBar)
{
    RECT rc;
    ::GetWindowRect(hBar, &rc);
    ClickScreen({rc.right - 10, rc.top + 9}, false);
}

void GameWithFloatingPanes::Start(bool bTimerToo, bool bOverTheView, bool bStandardToo)
{
    ASSERT_TRUE(watchdog.IsArmed());
    {
        Game first;
        ASSERT_TRUE(first.Frame() != NULL);
        watchdog.AlsoEnd(first.Process());
        if (bTimerToo)
        {
            ASSERT_TRUE(BringFrameToFront(first.Frame())) << "the game cannot be activated";
            ASSERT_TRUE(DragTimerBarOut(first, {500, 400})) << "no Timer toolbar";
            ASSERT_TRUE(IsFloating(TimerBar(first)));
        }
        if (bStandardToo)
        {
            // By its gripper, at its left edge.
            const RECT rcBar = WindowRect(StandardBar(first));
            DragScreen({rcBar.left + 3, (rcBar.top + rcBar.bottom) / 2}, {300, 600});
            ASSERT_TRUE(IsFloating(StandardBar(first))) << "the Standard toolbar does not float";
        }
        ASSERT_EQ(0, first.Close());
    }
    ASSERT_TRUE(ImportRegistryText(kTwoFloatingPanesReg)) << "the stored layout was not imported";
    ASSERT_NO_FATAL_FAILURE(Restart());
    ASSERT_EQ((bTimerToo ? 3u : 2u) + (bStandardToo ? 1u : 0u), panes.size())
        << "the profile panes (and the toolbars) float";
    if (bOverTheView)
    {
        PlaceOverTheView(*pGame, panes);
        ASSERT_TRUE(BringFrameToFront(pGame->Frame())) << "the game cannot be activated";
    }
}

void GameWithFloatingPanes::Restart()
{
    const size_t nBefore = panes.size();
    if (pGame)
    {
        ASSERT_EQ(0, pGame->Close());
    }
    pGame.reset(new Game);
    ASSERT_TRUE(pGame->Frame() != NULL);
    watchdog.AlsoEnd(pGame->Process());
    EXPECT_FALSE(SplashStays(pGame->Pid(), 10000)) << "the splash stays";
    ASSERT_TRUE(BringFrameToFront(pGame->Frame())) << "the game cannot be activated";
    panes = FloatingWindowsOf(*pGame);
    if (nBefore != 0)
    {
        ASSERT_EQ(nBefore, panes.size()) << "the same windows float after a restart";
        for (SeenWindow& pane : panes)
            TakeSignature(pane);   // as they lie, in front
    }
}

void GameWithFloatingPanes::Close()
{
    EXPECT_EQ(0, pGame->Close());
    ClearSettings();
}
} // namespace gametest

TEST_F(Brindlemark, AClosedToolbarComesBackAndFloatingWindowsRestartAboveTheFrame)
{
    {
        Game game;
        ASSERT_TRUE(game.Frame() != NULL);
        HWND hFrame = game.ToFront();

        // The Timer bar dragged out by its gripper floats above the frame.
        ASSERT_TRUE(DragTimerBarOut(game, {500, 400})) << "no Timer toolbar";
        HWND hBar = TimerBar(game);
        ASSERT_TRUE(IsFloating(hBar));
        EXPECT_TRUE(IsAbove(hBar, hFrame));

        // Its X closes it; View > Toolbars lists it, and choosing it brings
        // it back.
        CloseFloatingBar(hBar);
        ASSERT_FALSE(::IsWindowVisible(hBar));
        ::SetForegroundWindow(hFrame);
        PressKeys({VK_MENU, 'V'});
        ASSERT_TRUE(WaitForPopupBar(game.Pid()) != NULL) << "no View menu";
        PressKeys({'T'});   // &Toolbars
        Wait(300);
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "view_toolbars_menu").empty());
        PressKeys({VK_DOWN});   // Standard, then Timer
        PressKeys({VK_RETURN});
        Wait(300);
        EXPECT_TRUE(::IsWindowVisible(hBar)) << "View > Toolbars > Timer";
        EXPECT_TRUE(IsAbove(hBar, hFrame));

        // Closed again, it comes back from the bars' context menu.
        CloseFloatingBar(hBar);
        ASSERT_FALSE(::IsWindowVisible(hBar));
        ::SetForegroundWindow(hFrame);
        std::vector<HWND> bars = Descendants(hFrame, "Standard", "XTPToolBar");
        ASSERT_FALSE(bars.empty());
        RECT rc;
        ::GetWindowRect(bars[0], &rc);
        ClickScreen({rc.right - 30, (rc.top + rc.bottom) / 2}, true);
        HWND hContext = WaitForPopupBar(game.Pid());
        ASSERT_TRUE(hContext != NULL) << "no context menu";
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "toolbars_context_menu").empty());
        PressKeys({VK_DOWN});
        PressKeys({VK_DOWN});   // Standard, then Timer
        PressKeys({VK_RETURN});
        Wait(300);
        EXPECT_TRUE(::IsWindowVisible(hBar)) << "the context menu's Timer";

        // A profile pane left floating too.
        game.Command(ID_DIFFICULTY_PANE);
        std::vector<HWND> containers = Descendants(hFrame, "", "XTPDockingPaneTabbedContainer");
        ASSERT_EQ(1u, containers.size());
        ::PostMessage(containers[0], WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 8));   // its caption
        Wait(500);
        ASSERT_EQ(1u, TopLevels(game.Pid(), "XTPDockingPaneMiniWnd").size());
        EXPECT_EQ(0, game.Close());
    }

    // The next start shows both floating windows where they were, above
    // the frame.
    Game again;
    ASSERT_TRUE(again.Frame() != NULL);
    Wait(300);
    HWND hBar = TimerBar(again);
    ASSERT_TRUE(IsFloating(hBar));
    EXPECT_TRUE(::IsWindowVisible(hBar));
    EXPECT_TRUE(IsAbove(hBar, again.Frame()));
    std::vector<HWND> minis = TopLevels(again.Pid(), "XTPDockingPaneMiniWnd");
    ASSERT_EQ(1u, minis.size());
    EXPECT_TRUE(::IsWindowVisible(minis[0]));
    EXPECT_TRUE(IsAbove(minis[0], again.Frame()));
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(again.Frame(), "floating_windows_after_restart").empty());
    EXPECT_EQ(0, again.Close());
    ClearSettings();
}

namespace
{
// Puts the window over the empty right margin of the board view, then
// reads the screen where it lies: TRUE when the screen shows something
// else there than the view's plain background, that is, the window itself.
bool IsOnScreenOverTheView(HWND hWnd, HWND hView)
{
    RECT rcView;
    ::GetWindowRect(hView, &rcView);
    ::SetWindowPos(hWnd, NULL, rcView.right - 205, rcView.top + 5, 200, 300,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    Wait(500);
    HDC hScreen = ::GetDC(NULL);
    const COLORREF crBackground = ::GetPixel(hScreen, rcView.right - 3, rcView.bottom - 3);
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    int nBackground = 0;
    for (int y = rc.top + 20; y < rc.bottom; y += 40)
        for (int x = rc.left + 10; x < rc.right; x += 30)
            nBackground += ::GetPixel(hScreen, x, y) == crBackground ? 1 : 0;
    ::ReleaseDC(NULL, hScreen);
    return nBackground < 20;
}

// The floating pane lies above the frame and is seen at its centre.
void ExpectFloatingPaneInFront(const Game& game, const char* pszWhen)
{
    HWND hMini = NULL;
    for (int n = 0; n < 40 && hMini == NULL; n++)
    {
        hMini = FloatingPane(game);
        if (hMini == NULL)
            Wait(50);
    }
    ASSERT_TRUE(hMini != NULL) << pszWhen << ": no floating pane";
    // Wine brings the X server's stacking back a little later.
    Wait(500);
    EXPECT_TRUE(IsAbove(hMini, game.Frame())) << pszWhen;
    EXPECT_TRUE(IsOnScreenOverTheView(hMini, game.View())) << pszWhen << ": covered on the screen";
}
} // namespace

// A floating pane stays in front of the game's window as a floating toolbar
// does: after clicks in the window, while it is maximised and restored, and
// after a restart.
TEST_F(Brindlemark, AFloatingPaneStaysInFrontOfTheFrame)
{
    {
        Game game;
        ASSERT_TRUE(game.Frame() != NULL);
        HWND hFrame = game.Frame();
        ::SetForegroundWindow(hFrame);
        game.Command(ID_DIFFICULTY_PANE);
        std::vector<HWND> containers = Descendants(hFrame, "", "XTPDockingPaneTabbedContainer");
        ASSERT_EQ(1u, containers.size());
        ::PostMessage(containers[0], WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 8));   // its caption
        Wait(500);
        ExpectFloatingPaneInFront(game, "floated");
        HWND hMini = FloatingPane(game);
        ASSERT_TRUE(hMini != NULL);

        // A click on the status bar, and one on the board (which, without a
        // puzzle, asks whether to make one: No).
        HWND hStatus = ::GetDlgItem(hFrame, AFX_IDW_STATUS_BAR);
        ASSERT_TRUE(hStatus != NULL);
        RECT rcStatus;
        ::GetWindowRect(hStatus, &rcStatus);
        ClickScreen({rcStatus.right - 100, (rcStatus.top + rcStatus.bottom) / 2}, false);
        ExpectFloatingPaneInFront(game, "a click on the status bar");
        ClickScreen(game.SquareCentre(9, 8, 8), false);
        HWND hAsk = WaitForDialogOtherThan(game.Pid(), NULL, 2000);
        if (hAsk != NULL)
        {
            ClickButton(hAsk, "No");
            Wait(500);
        }
        ExpectFloatingPaneInFront(game, "a click on the board");

        ::ShowWindow(hFrame, SW_MAXIMIZE);
        Wait(800);
        ASSERT_TRUE(::IsZoomed(hFrame));
        ExpectFloatingPaneInFront(game, "maximised");
        ::SetForegroundWindow(hFrame);
        // The maximised frame reaches past the screen's edges: its board view
        // (with the pane over it) is what the screen shows.
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(game.View(), "floating_pane_maximised").empty());
        ::GetWindowRect(hStatus, &rcStatus);
        ClickScreen({rcStatus.right - 100, (rcStatus.top + rcStatus.bottom) / 2}, false);
        ExpectFloatingPaneInFront(game, "a click on the maximised frame");
        ::ShowWindow(hFrame, SW_RESTORE);
        Wait(800);
        ExpectFloatingPaneInFront(game, "restored");
        EXPECT_EQ(0, game.Close());
    }
    // The next start brings it back in front.
    Game again;
    ASSERT_TRUE(again.Frame() != NULL);
    ExpectFloatingPaneInFront(again, "after a restart");
    ::SetForegroundWindow(again.Frame());
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(again.Frame(), "floating_pane_after_restart").empty());
    EXPECT_EQ(0, again.Close());
    ClearSettings();
}

namespace gametest
{
// The game's own stored form of both profile panes floating, each in its
// own window (it deletes the stored layout first, as a player's export
// would); imported with the system's registry editor.
const char kTwoFloatingPanesReg[] =
    "Windows Registry Editor Version 5.00\r\n"
    "\r\n"
    "[-HKEY_CURRENT_USER\\Software\\Orrisfield\\Brindlemark\\DockingPaneLayouts\\NormalLayout]\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Orrisfield\\Brindlemark\\DockingPaneLayouts\\NormalLayout\\Summary]\r\n"
    "\"Panes\"=dword:0000000a\r\n"
    "\"TopContainer\"=dword:00000009\r\n"
    "\"Client\"=dword:0000000a\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Orrisfield\\Brindlemark\\DockingPaneLayouts\\NormalLayout\\Pane-1]\r\n"
    "\"Type\"=dword:00000000\r\n"
    "\"ID\"=dword:000003e8\r\n"
    "\"Title\"=\"This puzzle's Appearance Info\"\r\n"
    "\"Options\"=dword:00000001\r\n"
    "\"FloatingHolder\"=dword:00000003\r\n"
    "\"LastHolder\"=dword:00000003\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Orrisfield\\Brindlemark\\DockingPaneLayouts\\NormalLayout\\Pane-2]\r\n"
    "\"Type\"=dword:00000000\r\n"
    "\"ID\"=dword:000003e9\r\n"
    "\"Title\"=\"This puzzle's Difficulty Info\"\r\n"
    "\"Options\"=dword:00000001\r\n"
    "\"FloatingHolder\"=dword:00000006\r\n"
    "\"LastHolder\"=dword:00000006\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Orrisfield\\Brindlemark\\DockingPaneLayouts\\NormalLayout\\Pane-3]\r\n"
    "\"Type\"=dword:00000001\r\n"
    "\"Panes\"=dword:00000001\r\n"
    "\"Selected\"=dword:00000001\r\n"
    "\"Pane-1\"=dword:00000001\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Orrisfield\\Brindlemark\\DockingPaneLayouts\\NormalLayout\\Pane-4]\r\n"
    "\"Type\"=dword:00000002\r\n"
    "\"Panes\"=dword:00000001\r\n"
    "\"Pane-1\"=dword:00000003\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Orrisfield\\Brindlemark\\DockingPaneLayouts\\NormalLayout\\Pane-5]\r\n"
    "\"Type\"=dword:00000003\r\n"
    "\"TopContaner\"=dword:00000004\r\n"
    "\"WindowRectLeftPos\"=dword:000003d4\r\n"
    "\"WindowRectTopPos\"=dword:00000064\r\n"
    "\"WindowRectRightPos\"=dword:0000049c\r\n"
    "\"WindowRectBottomPos\"=dword:00000190\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Orrisfield\\Brindlemark\\DockingPaneLayouts\\NormalLayout\\Pane-6]\r\n"
    "\"Type\"=dword:00000001\r\n"
    "\"Panes\"=dword:00000001\r\n"
    "\"Selected\"=dword:00000002\r\n"
    "\"Pane-1\"=dword:00000002\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Orrisfield\\Brindlemark\\DockingPaneLayouts\\NormalLayout\\Pane-7]\r\n"
    "\"Type\"=dword:00000002\r\n"
    "\"Panes\"=dword:00000001\r\n"
    "\"Pane-1\"=dword:00000006\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Orrisfield\\Brindlemark\\DockingPaneLayouts\\NormalLayout\\Pane-8]\r\n"
    "\"Type\"=dword:00000003\r\n"
    "\"TopContaner\"=dword:00000007\r\n"
    "\"WindowRectLeftPos\"=dword:000003d4\r\n"
    "\"WindowRectTopPos\"=dword:000001c2\r\n"
    "\"WindowRectRightPos\"=dword:0000049c\r\n"
    "\"WindowRectBottomPos\"=dword:000002ee\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Orrisfield\\Brindlemark\\DockingPaneLayouts\\NormalLayout\\Pane-9]\r\n"
    "\"Type\"=dword:00000002\r\n"
    "\"Panes\"=dword:00000001\r\n"
    "\"Pane-1\"=dword:0000000a\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Orrisfield\\Brindlemark\\DockingPaneLayouts\\NormalLayout\\Pane-10]\r\n"
    "\"Type\"=dword:00000004\r\n"
    "\r\n";

// Imports registry text through the system's registry editor; FALSE when
// it could not be run or did not end.
bool ImportRegistryText(const char* pszText)
{
    char szTemp[MAX_PATH];
    ::GetTempPath(MAX_PATH, szTemp);
    const std::string strFile = std::string(szTemp) + "e2e_two_floating_panes.reg";
    std::ofstream(strFile.c_str(), std::ios::binary) << pszText;
    const bool bImported = testsupport::ImportRegFile(strFile);
    ::DeleteFileA(strFile.c_str());
    return bImported;
}

// TRUE while the splash (the game's untitled window of its own class)
// shows, waited for up to nMilliseconds to go.
bool SplashStays(DWORD dwPid, int nMilliseconds)
{
    for (int n = 0; n <= nMilliseconds / 50; n++)
    {
        bool bSplash = false;
        for (HWND hWnd = ::GetWindow(::GetDesktopWindow(), GW_CHILD); hWnd != NULL && !bSplash;
             hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
        {
            DWORD dwOwner = 0;
            ::GetWindowThreadProcessId(hWnd, &dwOwner);
            char szClass[128] = "";
            ::GetClassNameA(hWnd, szClass, sizeof(szClass));
            bSplash = dwOwner == dwPid && ::IsWindowVisible(hWnd) && WindowText(hWnd).empty() &&
                      std::string(szClass).rfind("Afx:", 0) == 0;
        }
        if (!bSplash)
            return false;
        Wait(50);
    }
    return true;
}

// TRUE when the game's frame answers a message within a second.
bool AnswersWithinASecond(HWND hFrame)
{
    DWORD_PTR dwResult = 0;
    return ::SendMessageTimeout(hFrame, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, 1000, &dwResult) != 0;
}

// The screen pixels on a grid over the window's client area (away from
// its edges), top row first.
std::vector<COLORREF> ClientSamples(HWND hWnd)
{
    std::vector<COLORREF> samples;
    RECT rc;
    ::GetClientRect(hWnd, &rc);
    POINT pt = {0, 0};
    ::ClientToScreen(hWnd, &pt);
    HDC hScreen = ::GetDC(NULL);
    for (int y = 4; y < rc.bottom - 3; y += 9)
        for (int x = 4; x < rc.right - 3; x += 9)
            samples.push_back(::GetPixel(hScreen, pt.x + x, pt.y + y));
    ::ReleaseDC(NULL, hScreen);
    return samples;
}

// The share (in hundredths) of the samples that show what the signature
// showed, leaving out those under another visible window of the game
// that lies where it is (an open dialog).
int PercentSeen(const SeenWindow& window, HWND hExcept = NULL)
{
    std::vector<COLORREF> now = ClientSamples(window.hWnd);
    if (now.size() != window.signature.size() || now.empty())
        return 0;
    RECT rc, rcExcept = {};
    ::GetClientRect(window.hWnd, &rc);
    POINT pt = {0, 0};
    ::ClientToScreen(window.hWnd, &pt);
    if (hExcept != NULL)
        ::GetWindowRect(hExcept, &rcExcept);
    int nSame = 0, nAll = 0;
    size_t i = 0;
    for (int y = 4; y < rc.bottom - 3; y += 9)
        for (int x = 4; x < rc.right - 3; x += 9, i++)
        {
            POINT ptScreen = {pt.x + x, pt.y + y};
            if (hExcept != NULL && ::PtInRect(&rcExcept, ptScreen))
                continue;
            nAll++;
            nSame += now[i] == window.signature[i] ? 1 : 0;
        }
    return nAll == 0 ? 100 : nSame * 100 / nAll;
}

// The two floating panes and the floating Timer and Standard toolbars of a
// running game, named; empty names for what is missing.
std::vector<SeenWindow> FloatingWindowsOf(const Game& game)
{
    std::vector<SeenWindow> windows;
    for (HWND hWnd : VisibleTopLevels(game.Pid(), "XTPDockingPaneMiniWnd"))
        windows.push_back(SeenWindow{WindowText(hWnd), hWnd, {}});
    std::sort(windows.begin(), windows.end(),
              [](const SeenWindow& a, const SeenWindow& b) { return a.strName < b.strName; });
    HWND hBar = TimerBar(game);
    if (hBar != NULL && IsFloating(hBar))
        windows.push_back(SeenWindow{"Timer", hBar, {}});
    hBar = StandardBar(game);
    if (hBar != NULL && IsFloating(hBar))
        windows.push_back(SeenWindow{"Standard", hBar, {}});
    return windows;
}

// True when Wine's X11 driver hands this prefix's windows (the game's too)
// to the display's window manager: Wine's default, and the set-up of
// run_with_window_manager.sh; the tests' usual prefix says no.
bool WindowsAreManaged()
{
    HKEY hKey = NULL;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\X11 Driver", 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return true;
    char szValue[16] = "";
    DWORD cb = sizeof(szValue) - 1, dwType = 0;
    const LONG lResult = ::RegQueryValueExA(hKey, "Managed", NULL, &dwType, (BYTE*)szValue, &cb);
    ::RegCloseKey(hKey);
    if (lResult != ERROR_SUCCESS || dwType != REG_SZ)
        return true;
    return strchr("yYtT1", szValue[0]) != NULL && szValue[0] != 0;
}

// Wine's X window of a top-level window of the game; 0 when it has none.
unsigned long XWindowOf(HWND hWnd)
{
    return (unsigned long)(ULONG_PTR)::GetPropA(hWnd, "__wine_x11_whole_window");
}

HWND AboveOnTheDisplay(HWND hFirst, HWND hSecond)
{
    std::string strTree;
    if (!testsupport::RunOnHost("xwininfo -root -tree 2>/dev/null", &strTree, 3000))
        return NULL;
    strTree = "\n" + strTree;
    // The place of the root's child (a line indented by five spaces, top
    // first) that is the window or the window manager's frame around it.
    // With a window manager, a window the root holds itself is not shown:
    // the window manager has not framed it yet, or took it out of its frame
    // as it was hidden, and its place there is no place on the screen.
    const bool bFramed = WindowsAreManaged();
    const size_t nHidden = std::string::npos - 1;
    auto Place = [&strTree, bFramed, nHidden](HWND hWnd) {
        char szId[32];
        snprintf(szId, sizeof(szId), " 0x%lx ", XWindowOf(hWnd));
        const size_t nAt = XWindowOf(hWnd) == 0 ? std::string::npos : strTree.find(szId);
        if (nAt == std::string::npos)
            return nAt;
        const size_t nLine = strTree.rfind("\n     0x", nAt + 1);
        return bFramed && nLine + 5 == nAt ? nHidden : nLine;
    };
    const size_t nFirst = Place(hFirst), nSecond = Place(hSecond);
    if (nFirst == std::string::npos || nSecond == std::string::npos || (nFirst == nHidden && nSecond == nHidden))
        return NULL;
    return nFirst <= nSecond ? hFirst : hSecond;
}

std::vector<HWND> VisibleTopLevelsOfProcess(HWND hWnd)
{
    DWORD dwPid = 0;
    ::GetWindowThreadProcessId(hWnd, &dwPid);
    std::vector<HWND> windows;
    for (HWND hOther = ::GetTopWindow(NULL); hOther != NULL; hOther = ::GetWindow(hOther, GW_HWNDNEXT))
    {
        DWORD dwOtherPid = 0;
        ::GetWindowThreadProcessId(hOther, &dwOtherPid);
        if (hOther != hWnd && dwOtherPid == dwPid && ::IsWindowVisible(hOther) &&
            (::GetWindowLongPtr(hOther, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0)
            windows.push_back(hOther);
    }
    return windows;
}

// Where the display itself shows a top-level window of the game: the
// place of Wine's X window of it, as xwininfo tells. False when that
// cannot be told (no X window, no tool).
bool PlaceOnTheDisplay(HWND hWnd, RECT& rc)
{
    const unsigned long nXWindow = XWindowOf(hWnd);
    char szCommand[64];
    snprintf(szCommand, sizeof(szCommand), "xwininfo -id 0x%lx", nXWindow);
    std::string strOutput;
    if (nXWindow == 0 || !testsupport::RunOnHost(std::string(szCommand) + " 2>/dev/null", &strOutput, 3000))
        return false;
    long nLeft = LONG_MIN, nTop = LONG_MIN, nWidth = -1, nHeight = -1;
    size_t nStart = 0;
    while (nStart < strOutput.size())
    {
        size_t nEnd = strOutput.find('\n', nStart);
        if (nEnd == std::string::npos)
            nEnd = strOutput.size();
        const std::string strLine = strOutput.substr(nStart, nEnd - nStart);
        sscanf(strLine.c_str(), " Absolute upper-left X: %ld", &nLeft);
        sscanf(strLine.c_str(), " Absolute upper-left Y: %ld", &nTop);
        sscanf(strLine.c_str(), " Width: %ld", &nWidth);
        sscanf(strLine.c_str(), " Height: %ld", &nHeight);
        nStart = nEnd + 1;
    }
    if (nLeft == LONG_MIN || nTop == LONG_MIN || nWidth < 0 || nHeight < 0)
        return false;
    rc = {nLeft, nTop, nLeft + nWidth, nTop + nHeight};
    return true;
}

// The display's input focus (the client window holding it, as xdotool
// reports it); 0 when it cannot be read.
unsigned long FocusOnTheDisplay()
{
    std::string strOutput;
    if (!testsupport::RunOnHost("xdotool getwindowfocus 2>/dev/null", &strOutput, 3000))
        return 0;
    return strtoul(strOutput.c_str(), NULL, 10);
}

// The window the display's window manager holds active (the root window's
// _NET_ACTIVE_WINDOW, as xprop tells); 0 when that cannot be told.
unsigned long ActiveOnTheDisplay()
{
    std::string strOutput;
    if (!testsupport::RunOnHost("xprop -root -notype _NET_ACTIVE_WINDOW 2>/dev/null", &strOutput, 3000))
        return 0;
    const size_t nAt = strOutput.find("0x");
    return nAt == std::string::npos ? 0 : strtoul(strOutput.c_str() + nAt, NULL, 16);
}

// Moves a floating window of the game (and sizes it, when cx > 0) and
// waits until it lies there and stays there, for the system and on the
// display. With a window manager the move is a request to it, which the
// display shows a few tenths of a second later: what the screen shows
// there before is not the window. The request is made again while the
// window is not there.
bool MoveTopLevel(HWND hWnd, int x, int y, int cx = 0, int cy = 0)
{
    const UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE | (cx > 0 ? 0 : SWP_NOSIZE);
    for (int nTry = 0; nTry < 5; nTry++)
    {
        ::SetWindowPos(hWnd, NULL, x, y, cx, cy, nFlags);
        int nThere = 0;
        for (int n = 0; n < 40 && nThere < 3; n++)
        {
            Wait(50);
            RECT rc, rcShown;
            ::GetWindowRect(hWnd, &rc);
            bool bThere = rc.left == x && rc.top == y &&
                          (cx <= 0 || (rc.right - rc.left == cx && rc.bottom - rc.top == cy));
            if (bThere && PlaceOnTheDisplay(hWnd, rcShown))
                bThere = ::EqualRect(&rc, &rcShown) != FALSE;
            nThere = bThere ? nThere + 1 : 0;
        }
        if (nThere >= 3)
            return true;
    }
    return false;
}

// Takes what the screen shows of a floating window once it shows the same
// twice in a row.
void TakeSignature(SeenWindow& window)
{
    std::vector<COLORREF> last;
    for (int n = 0; n < 30; n++)
    {
        window.signature = ClientSamples(window.hWnd);
        if (window.signature == last)
            break;
        last = window.signature;
        Wait(150);
    }
}

// Moves each floating window where nothing covers it (the empty screen
// right of and below the frame), takes what the screen shows of it, and
// moves it over the frame's board view: the first pane over the right
// margin, the second over the left margin, the Timer bar over the board,
// the Standard bar over the board's upper part. Each move is waited for
// until the window lies where it was sent, with or without a window manager.
void PlaceOverTheView(const Game& game, std::vector<SeenWindow>& windows)
{
    RECT rcFrame, rcView;
    ::GetWindowRect(game.Frame(), &rcFrame);
    ::GetWindowRect(game.View(), &rcView);
    const POINT aside[] = {{rcFrame.right + 10, 10},
                           {rcFrame.right + 10, 330},
                           {10, rcFrame.bottom + 20},
                           {10, rcFrame.bottom + 110}};
    const POINT over[] = {{rcView.right - 205, rcView.top + 10},
                          {rcView.left + 5, rcView.top + 10},
                          {rcView.left + 230, (rcView.top + rcView.bottom) / 2},
                          {rcView.left + 250, rcView.top + 60}};
    auto PlaceOf = [](const SeenWindow& window, size_t i) -> size_t {
        return window.strName == "Timer" ? 2 : window.strName == "Standard" ? 3 : i;
    };
    for (size_t i = 0; i < windows.size() && i < 4; i++)
    {
        const size_t nPlace = PlaceOf(windows[i], i);
        EXPECT_TRUE(nPlace >= 2 ? MoveTopLevel(windows[i].hWnd, aside[nPlace].x, aside[nPlace].y)
                                : MoveTopLevel(windows[i].hWnd, aside[i].x, aside[i].y, 200, 300))
            << windows[i].strName << " is not moved aside";
    }
    Wait(300);
    for (SeenWindow& window : windows)
        TakeSignature(window);
    for (size_t i = 0; i < windows.size() && i < 4; i++)
    {
        const size_t nPlace = PlaceOf(windows[i], i);
        EXPECT_TRUE(MoveTopLevel(windows[i].hWnd, over[nPlace].x, over[nPlace].y))
            << windows[i].strName << " is not moved over the board";
    }
}

// How much of a window the screen shows, read again while it is less than
// nWanted percent, for at most dwMilliseconds while the display settles.
int PercentSeenWithin(const SeenWindow& window, int nWanted, DWORD dwMilliseconds, HWND hExcept = NULL)
{
    int nSeen = PercentSeen(window, hExcept);
    for (DWORD dwWaited = 0; nSeen < nWanted && dwWaited < dwMilliseconds; dwWaited += 100)
    {
        Wait(100);
        nSeen = PercentSeen(window, hExcept);
    }
    return nSeen;
}

// The game answers within a second, and each floating window is seen in
// front of the frame: the screen where it lies shows what it showed alone
// (most of it: a clock or a selection may have changed), waited for a
// little while the display settles. hExcept: a dialog that may lie over
// part of them.
void ExpectFloatingWindowsInFront(const Game& game, const std::vector<SeenWindow>& windows, const char* pszWhen,
                                  HWND hExcept = NULL)
{
    EXPECT_TRUE(AnswersWithinASecond(game.Frame())) << pszWhen << ": the game does not answer within a second";
    ASSERT_FALSE(windows.empty()) << pszWhen;
    for (const SeenWindow& window : windows)
    {
        ASSERT_TRUE(::IsWindow(window.hWnd)) << pszWhen << ": " << window.strName;
        EXPECT_TRUE(::IsWindowVisible(window.hWnd)) << pszWhen << ": " << window.strName << " hidden";
        const int nSeen = PercentSeenWithin(window, 75, 4000, hExcept);
        EXPECT_GE(nSeen, 75) << pszWhen << ": " << window.strName << " is covered on the screen (" << nSeen
                             << "% of it seen)";
    }
    EXPECT_TRUE(AnswersWithinASecond(game.Frame())) << pszWhen << ": the game does not answer within a second";
}

// The colour dialog of a floating Appearance pane's first colour row: the
// row selected by a click on its value (its name, cut short, shows a tip
// under the pointer), then its "..." button clicked. NULL, with the reason
// as a failure, when the pane shows no such row or no dialog opens.
HWND OpenColourDialogOfThePane(const Game& game, HWND hPane)
{
    std::vector<HWND> lists = Descendants(hPane, "", "ListBox");
    EXPECT_FALSE(lists.empty()) << "the Appearance pane's grid";
    RECT rcRow = {};
    if (lists.empty() || ::SendMessage(lists[0], LB_GETITEMRECT, 1, (LPARAM)&rcRow) == LB_ERR)
    {
        ADD_FAILURE() << "the Appearance pane's first colour row";
        return NULL;
    }
    POINT ptRow = {rcRow.right - 45, (rcRow.top + rcRow.bottom) / 2};
    ::ClientToScreen(lists[0], &ptRow);
    ClickScreen(ptRow, false);
    POINT ptButton = {rcRow.right - 8, (rcRow.top + rcRow.bottom) / 2};
    ::ClientToScreen(lists[0], &ptButton);
    ClickScreen(ptButton, false);
    return WaitForWindow(game.Pid(), "Colors", 5000);
}

bool BringFrameToFront(HWND hFrame);

// Places the floating windows over the board (PlaceOverTheView), activates
// the frame and expects each of them seen in front of it.
void PlaceAndExpectInFront(const Game& game, std::vector<SeenWindow>& windows, const char* pszWhen)
{
    PlaceOverTheView(game, windows);
    EXPECT_TRUE(BringFrameToFront(game.Frame())) << pszWhen << ": the game cannot be activated";
    ExpectFloatingWindowsInFront(game, windows, pszWhen);
}

// Clicks a window's caption (a floating window's or the frame's).
void ClickCaption(HWND hWnd)
{
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    ClickScreen({rc.left + 40, rc.top + 8}, false);
}

// Makes a new puzzle with the New Puzzle dialog, as the frame's command
// opens it; the question to save a puzzle in play is answered Don't Save.
void MakeNewPuzzle(const Game& game, bool bExpectSaveQuestion)
{
    ::PostMessage(game.Frame(), WM_COMMAND, ID_NEW_PUZZLE, 0);
    if (bExpectSaveQuestion)
    {
        HWND hQuestion = WaitForDialogOtherThan(game.Pid(), NULL);
        ASSERT_TRUE(hQuestion != NULL) << "no save question";
        ASSERT_TRUE(WindowText(hQuestion) != "New Puzzle") << "no save question";
        ClickButton(hQuestion, "Don't Save");
        ASSERT_TRUE(WaitUntilGone(hQuestion));
    }
    HWND hDialog = WaitForWindow(game.Pid(), "New Puzzle");
    ASSERT_TRUE(hDialog != NULL);
    Wait(300);
    ClickButton(hDialog, "OK");
    ASSERT_TRUE(WaitUntilGone(hDialog));
    ASSERT_TRUE(WaitForPuzzleMade(game)) << "the puzzle is not made";
    Wait(500);
}
} // namespace gametest

// With both profile panes floating (the stored form that froze the game at
// every start) and the Timer toolbar floating, the game starts and answers,
// and every floating window is seen in front of the frame after clicks on
// each of them and on the frame, after New Puzzle, after two dialogs in a
// row, while and after the colour dialog of a profile row, after maximise
// and restore, and after exit and restarts. A watchdog ends the test (and
// the game) if anything hangs.
TEST_F(Brindlemark, TwoFloatingPanesAndTheFloatingTimerStayInFrontAndTheGameAnswers)
{
    testsupport::Watchdog watchdog("the game with two floating panes and the floating Timer", 280000);
    ASSERT_TRUE(watchdog.IsArmed());
    {
        // One normal start and close, the Timer bar dragged out to float.
        Game first;
        ASSERT_TRUE(first.Frame() != NULL);
        first.ToFront();
        ASSERT_TRUE(DragTimerBarOut(first, {500, 400})) << "no Timer toolbar";
        ASSERT_TRUE(IsFloating(TimerBar(first)));
        EXPECT_EQ(0, first.Close());
    }
    ASSERT_TRUE(ImportRegistryText(kTwoFloatingPanesReg));

    std::vector<SeenWindow> windows;
    {
        Game game;
        ASSERT_TRUE(game.Frame() != NULL) << "the game does not start";
        watchdog.AlsoEnd(game.Process());
        EXPECT_FALSE(SplashStays(game.Pid(), 10000)) << "the splash stays";
        HWND hFrame = game.Frame();
        EXPECT_TRUE(AnswersWithinASecond(hFrame)) << "the start";
        windows = FloatingWindowsOf(game);
        ASSERT_EQ(3u, windows.size()) << "both panes and the Timer bar float";
        EXPECT_EQ("This puzzle's Appearance Info", windows[0].strName);
        EXPECT_EQ("This puzzle's Difficulty Info", windows[1].strName);
        PlaceAndExpectInFront(game, windows, "the start");
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "two_floating_panes_at_start").empty());

        // A click on each floating window, then on the frame's caption.
        for (const SeenWindow& window : windows)
            ClickCaption(window.hWnd);
        ClickCaption(hFrame);
        ExpectFloatingWindowsInFront(game, windows, "clicks on each floating window and the frame's caption");
        ClickCaption(windows[0].hWnd);
        ClickScreen(game.SquareCentre(9, 4, 4), false);   // no puzzle yet: a question
        HWND hAsk = WaitForDialogOtherThan(game.Pid(), NULL, 2000);
        if (hAsk != NULL)
        {
            ClickButton(hAsk, "No");
            EXPECT_TRUE(WaitUntilGone(hAsk));
        }
        ExpectFloatingWindowsInFront(game, windows, "a click on a pane, then on the board");

        // New Puzzle from the frame.
        MakeNewPuzzle(game, false);
        ExpectFloatingWindowsInFront(game, windows, "New Puzzle");

        // The save question, then New Puzzle.
        ::SetForegroundWindow(hFrame);
        ClickScreen(game.SquareCentre(9, 1, 1), true);
        MakeNewPuzzle(game, true);
        ExpectFloatingWindowsInFront(game, windows, "the save question, then New Puzzle");

        // Show Solution, then the question whether to start another.
        ::PostMessage(hFrame, WM_COMMAND, ID_SHOW_SOLUTION, 0);
        HWND hSure = WaitForDialogOtherThan(game.Pid(), NULL);
        ASSERT_TRUE(hSure != NULL) << "Show Solution asks first";
        ClickButton(hSure, "Yes, please");
        ASSERT_TRUE(WaitUntilGone(hSure));
        HWND hSolved = WaitForDialogOtherThan(game.Pid(), NULL);
        ASSERT_TRUE(hSolved != NULL) << "the solved question";
        EXPECT_EQ("The current puzzle has been solved.\n\nWould you like to start another?", MessageText(hSolved));
        ClickButton(hSolved, "No, thanks");
        ASSERT_TRUE(WaitUntilGone(hSolved));
        ExpectFloatingWindowsInFront(game, windows, "Show Solution, then solved");
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "two_floating_panes_after_two_dialogs").empty());

        // The colour dialog of a colour row of the Appearance pane.
        HWND hColours = OpenColourDialogOfThePane(game, windows[0].hWnd);
        if (hColours == NULL)
            testsupport::SaveScreenSnapshot(hFrame, "two_floating_panes_no_colour_dialog");
        ASSERT_TRUE(hColours != NULL) << "no colour dialog";
        Wait(300);
        ExpectFloatingWindowsInFront(game, windows, "while the colour dialog is open", hColours);
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "two_floating_panes_with_colour_dialog").empty());
        ::PostMessage(hColours, WM_COMMAND, IDCANCEL, 0);
        ASSERT_TRUE(WaitUntilGone(hColours));
        ExpectFloatingWindowsInFront(game, windows, "the colour dialog closed");

        // Maximised and restored.
        ::ShowWindow(hFrame, SW_MAXIMIZE);
        Wait(500);
        ASSERT_TRUE(::IsZoomed(hFrame));
        ExpectFloatingWindowsInFront(game, windows, "maximised");
        ::ShowWindow(hFrame, SW_RESTORE);
        Wait(500);
        ExpectFloatingWindowsInFront(game, windows, "restored");

        // Exit: the puzzle in play is not saved.
        EXPECT_EQ(0, CloseWithoutSaving(game));
    }

    // Plain restarts bring them back where they were, in front.
    for (int nStart = 1; nStart <= 3; nStart++)
    {
        Game again;
        ASSERT_TRUE(again.Frame() != NULL) << "restart " << nStart;
        watchdog.AlsoEnd(again.Process());
        EXPECT_FALSE(SplashStays(again.Pid(), 10000)) << "restart " << nStart << ": the splash stays";
        std::vector<SeenWindow> now = FloatingWindowsOf(again);
        ASSERT_EQ(3u, now.size()) << "restart " << nStart;
        for (size_t i = 0; i < now.size(); i++)
        {
            EXPECT_EQ(windows[i].strName, now[i].strName);
            now[i].signature = windows[i].signature;
        }
        ::SetForegroundWindow(again.Frame());
        const std::string strWhen = "restart " + std::to_string(nStart);
        ExpectFloatingWindowsInFront(again, now, strWhen.c_str());
        if (nStart == 1)
        {
            EXPECT_FALSE(testsupport::SaveScreenSnapshot(again.Frame(), "two_floating_panes_after_restart").empty());
        }
        EXPECT_EQ(0, again.Close());
    }
    ClearSettings();
}

// Floating a pane by dragging its caption or by double-clicking it leaves
// the keyboard with the game's frame: Alt takes the menu bar, where Down
// opens the File menu, and Alt+F4 closes the game.
TEST_F(Brindlemark, AfterFloatingAPaneEitherWayTheKeyboardReachesTheMenuBar)
{
    testsupport::Watchdog watchdog("floating panes and the keyboard", 120000);
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    watchdog.AlsoEnd(game.Process());
    HWND hFrame = game.Frame();
    ::SetForegroundWindow(hFrame);
    game.Command(ID_DIFFICULTY_PANE);
    Wait(300);

    // Dragged out by its caption.
    std::vector<HWND> containers = Descendants(hFrame, "", "XTPDockingPaneTabbedContainer");
    ASSERT_EQ(1u, containers.size());
    RECT rc;
    ::GetWindowRect(containers[0], &rc);
    DragScreen({rc.left + 40, rc.top + 8}, {rc.left + 400, rc.top + 200});
    ASSERT_EQ(1u, TopLevels(game.Pid(), "XTPDockingPaneMiniWnd").size()) << "dragged out";
    EXPECT_EQ(hFrame, ::GetForegroundWindow()) << "floated by dragging";
    PressKeys({VK_MENU});
    PressKeys({VK_DOWN});
    EXPECT_TRUE(WaitForPopupBar(game.Pid()) != NULL) << "Alt, then Down, after floating by dragging";
    PressKeys({VK_ESCAPE});
    PressKeys({VK_ESCAPE});
    Wait(300);

    // The other pane, docked, double-clicked on its caption.
    game.Command(ID_APPEARANCE_PANE);
    Wait(300);
    containers = Descendants(hFrame, "", "XTPDockingPaneTabbedContainer");
    ASSERT_EQ(1u, containers.size());
    ::GetWindowRect(containers[0], &rc);
    const POINT ptCaption = {rc.left + 40, rc.top + 8};
    ::SetCursorPos(ptCaption.x, ptCaption.y);
    Wait(100);
    for (int i = 0; i < 2; i++)
        testsupport::SendInputs({testsupport::MouseInput(MOUSEEVENTF_LEFTDOWN, ptCaption),
                                 testsupport::MouseInput(MOUSEEVENTF_LEFTUP, ptCaption)});
    Wait(800);
    ASSERT_EQ(2u, TopLevels(game.Pid(), "XTPDockingPaneMiniWnd").size()) << "floated by the double click";
    EXPECT_EQ(hFrame, ::GetForegroundWindow()) << "floated by a double click";
    PressKeys({VK_MENU});
    PressKeys({VK_DOWN});
    HWND hMenu = WaitForPopupBar(game.Pid());
    EXPECT_TRUE(hMenu != NULL) << "Alt, then Down, after floating by a double click";
    if (hMenu != NULL)
    {
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "file_menu_after_double_click_float").empty());
    }
    PressKeys({VK_ESCAPE});
    PressKeys({VK_ESCAPE});
    Wait(300);

    PressKeys({VK_MENU, VK_F4});
    EXPECT_EQ(0, game.WaitForExit()) << "Alt+F4 closes the game";
    ClearSettings();
}

namespace gametest
{
// A window of this program (another program than the game), filled with one
// colour, activated over the given screen rectangle.
HWND ShowOtherProgramsWindow(const RECT& rc, COLORREF cr)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandle(NULL);
    wc.hbrBackground = ::CreateSolidBrush(cr);
    wc.lpszClassName = kOtherProgramClass;
    ::RegisterClassA(&wc);
    HWND hWnd = ::CreateWindowExA(0, wc.lpszClassName, "Another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, rc.left,
                                  rc.top, rc.right - rc.left, rc.bottom - rc.top, NULL, NULL, wc.hInstance, NULL);
    ::SetForegroundWindow(hWnd);
    return hWnd;
}

// Pumps this program's messages (its own window) for a while.
void PumpFor(DWORD dwMilliseconds)
{
    const DWORD dwEnd = ::GetTickCount() + dwMilliseconds;
    MSG msg;
    do
    {
        while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
            ::DispatchMessage(&msg);
        ::Sleep(10);
    } while ((int)(dwEnd - ::GetTickCount()) > 0);
}

// Activates the game's frame from this program, as a player's click would,
// and waits until the frame has stayed the foreground window for a moment:
// the display's own focus events, still on their way from the window just
// closed, may hand the foreground on once more after the first activation.
bool BringFrameToFront(HWND hFrame)
{
    DWORD dwSince = 0;
    for (int n = 0; n < 100; n++)
    {
        if (::GetForegroundWindow() != hFrame)
        {
            ::SetForegroundWindow(hFrame);
            dwSince = 0;
        }
        else if (dwSince == 0)
            dwSince = ::GetTickCount();
        else if (::GetTickCount() - dwSince >= 400)
            return true;
        PumpFor(50);
    }
    return ::GetForegroundWindow() == hFrame;
}
} // namespace gametest

// The floating Timer toolbar lies in front of the frame, but on the screen
// below the game's own dialogs (the buttons of New Puzzle stay seen with the
// Timer under them) and below another program's window activated over the
// game. Run both on the tests' display without a window manager and, by
// app_brindlemark_test_desktop, on a display with one and the game's windows
// managed by it.
TEST_F(Brindlemark, TheFloatingTimerLiesBelowTheGamesDialogsAndAnotherProgramsWindow)
{
    testsupport::Watchdog watchdog("the floating Timer, a dialog and another program", 150000);
    ASSERT_TRUE(watchdog.IsArmed());
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    watchdog.AlsoEnd(game.Process());
    EXPECT_FALSE(SplashStays(game.Pid(), 10000)) << "the splash stays";
    HWND hFrame = game.ToFront(300);
    ASSERT_TRUE(DragTimerBarOut(game, {500, 400})) << "no Timer toolbar";
    HWND hBar = TimerBar(game);
    ASSERT_TRUE(IsFloating(hBar));
    std::vector<SeenWindow> timer = {SeenWindow{"Timer", hBar, {}}};
    PlaceAndExpectInFront(game, timer, "floated over the board");
    RECT rcOver;
    ::GetWindowRect(hBar, &rcOver);

    // New Puzzle's dialog, taken as it opens (the Timer aside), then with
    // the Timer moved under its middle.
    RECT rcFrame;
    ::GetWindowRect(hFrame, &rcFrame);
    ::SetWindowPos(hBar, NULL, 10, rcFrame.bottom + 20, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
    ::PostMessage(hFrame, WM_COMMAND, ID_NEW_PUZZLE, 0);
    HWND hDialog = WaitForWindow(game.Pid(), "New Puzzle");
    ASSERT_TRUE(hDialog != NULL);
    Wait(800);
    SeenWindow dialog{"New Puzzle", hDialog, ClientSamples(hDialog)};
    RECT rcDialog, rcBar;
    ::GetWindowRect(hDialog, &rcDialog);
    ::GetWindowRect(hBar, &rcBar);
    ::SetWindowPos(hBar, NULL, (rcDialog.left + rcDialog.right) / 2 - (rcBar.right - rcBar.left) / 2,
                   rcDialog.bottom - 40 - (rcBar.bottom - rcBar.top) / 2, 0, 0,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
    Wait(800);
    // Under a window manager the display's stacking tells (the screen is
    // read where the system places the dialog, which icewm shifts).
    if (WindowsAreManaged())
        EXPECT_EQ(hDialog, AboveOnTheDisplay(hDialog, hBar)) << "the Timer lies over the New Puzzle dialog";
    else
    {
        const int nSeen = PercentSeen(dialog);
        EXPECT_GE(nSeen, 95) << "the Timer lies over the New Puzzle dialog (" << nSeen << "% of it seen)";
    }
    testsupport::SaveScreenSnapshot(hFrame, "floating_timer_under_a_dialog");
    ::PostMessage(hDialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntilGone(hDialog));
    ::SetWindowPos(hBar, NULL, rcOver.left, rcOver.top, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
    ExpectFloatingWindowsInFront(game, timer, "the dialog closed");

    // Another program's window activated over the game covers the Timer,
    // and after it is gone and the game is activated the Timer is in front.
    // Then once more, the window shown right as New Puzzle's dialog closes:
    // the game, handing the keyboard on from its closed dialog, must not
    // take it back.
    RECT rcOther = rcOver;
    ::InflateRect(&rcOther, 40, 40);
    const COLORREF crOther = RGB(30, 140, 110);
    const POINT ptMiddle = {(rcOver.left + rcOver.right) / 2, (rcOver.top + rcOver.bottom) / 2};
    for (int nRound = 0; nRound < 2; nRound++)
    {
        SCOPED_TRACE(nRound == 0 ? "activated over the game" : "activated as a dialog of the game closed");
        if (nRound == 1)
        {
            ::PostMessage(hFrame, WM_COMMAND, ID_NEW_PUZZLE, 0);
            hDialog = WaitForWindow(game.Pid(), "New Puzzle");
            ASSERT_TRUE(hDialog != NULL);
            Wait(500);
            ::PostMessage(hDialog, WM_COMMAND, IDCANCEL, 0);
            ASSERT_TRUE(WaitUntilGone(hDialog));
        }
        HWND hOther = ShowOtherProgramsWindow(rcOther, crOther);
        ASSERT_TRUE(hOther != NULL);
        // Under a window manager judged by the display's stacking, and where
        // that puts the Timer above, by what the screen shows in the Timer's
        // middle: the other program's window there is over it (the tree can
        // list a frame of the Timer that does not show).
        auto OtherOnTop = [&]() {
            if (!WindowsAreManaged())
                return ScreenColour(ptMiddle) == crOther;
            const RECT rcBar = WindowRect(hBar);
            return AboveOnTheDisplay(hOther, hBar) == hOther ||
                   ScreenColour({(rcBar.left + rcBar.right) / 2, (rcBar.top + rcBar.bottom) / 2}) == crOther;
        };
        bool bOnTop = false;
        for (int n = 0; n < 30 && !bOnTop; n++)
        {
            PumpFor(100);
            bOnTop = OtherOnTop();
        }
        EXPECT_TRUE(bOnTop) << "the Timer lies over another program's window ("
                            << (AboveOnTheDisplay(hOther, hBar) == NULL ? "the display cannot tell" : "the display says so")
                            << ")";
        PumpFor(1500);   // the game, in the background, puts nothing over it later
        EXPECT_TRUE(OtherOnTop()) << "a second and a half later";
        testsupport::SaveScreenSnapshot(hFrame, "floating_timer_under_another_program");
        ::DestroyWindow(hOther);
        PumpFor(200);
        EXPECT_TRUE(BringFrameToFront(hFrame)) << "the game cannot be activated again";
        ExpectFloatingWindowsInFront(game, timer, "the game activated again");
    }
    EXPECT_EQ(0, game.Close());
    ClearSettings();
}

namespace
{
// One row of screen pixels from x0 to x1 (exclusive) at y.
std::vector<COLORREF> ScreenRow(int x0, int x1, int y)
{
    std::vector<COLORREF> row;
    HDC hScreen = ::GetDC(NULL);
    for (int x = x0; x < x1; x++)
        row.push_back(::GetPixel(hScreen, x, y));
    ::ReleaseDC(NULL, hScreen);
    return row;
}
} // namespace

// Dragged just past the frame's right edge, a docked profile pane shows the
// outline of the strip it will take there, its own width, not the whole
// docking area; dropped, it lands in that strip.
TEST_F(Brindlemark, APaneDraggedToTheFramesEdgeOutlinesTheStripItLandsIn)
{
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    HWND hFrame = game.Frame();
    ChooseProfilePaneEntry(game, false);
    std::vector<HWND> containers = VisibleDescendants(hFrame, "XTPDockingPaneTabbedContainer");
    ASSERT_EQ(1u, containers.size());
    RECT rcPane, rcView;
    ::GetWindowRect(containers[0], &rcPane);
    ::GetWindowRect(game.View(), &rcView);
    const int nWidth = rcPane.right - rcPane.left;
    RECT rcClient;
    ::GetClientRect(hFrame, &rcClient);
    ::MapWindowPoints(hFrame, NULL, (LPPOINT)&rcClient, 2);
    const int y = (rcView.top + rcView.bottom) / 2;
    const std::vector<COLORREF> before = ScreenRow(rcClient.left, rcClient.right, y);

    // Pressed on the caption and carried 10 pixels past the client's right
    // edge, the button still down.
    const POINT ptFrom = {rcPane.left + 30, rcPane.top + 8};
    const POINT ptTo = {rcClient.right + 10, y};
    ::SetCursorPos(ptFrom.x, ptFrom.y);
    Wait(100);
    testsupport::SendInputs({testsupport::MouseInput(MOUSEEVENTF_LEFTDOWN)});
    Wait(100);
    for (int i = 1; i <= 10; i++)
    {
        ::SetCursorPos(ptFrom.x + (ptTo.x - ptFrom.x) * i / 10, ptFrom.y + (ptTo.y - ptFrom.y) * i / 10);
        testsupport::SendInputs({testsupport::MouseInput(MOUSEEVENTF_MOVE)});
        Wait(50);
    }
    Wait(500);
    // The outline's bars are the columns the screen shows changed: its left
    // bar starts one pane width in from the right edge.
    const std::vector<COLORREF> during = ScreenRow(rcClient.left, rcClient.right, y);
    {
        // The screen as it is, without asking the game to paint.
        RECT rcFrame;
        ::GetWindowRect(hFrame, &rcFrame);
        testsupport::Canvas canvas(rcFrame.right - rcFrame.left, rcFrame.bottom - rcFrame.top);
        HDC hScreen = ::GetDC(NULL);
        ::BitBlt(canvas.Handle(), 0, 0, canvas.Width(), canvas.Height(), hScreen, rcFrame.left, rcFrame.top, SRCCOPY);
        ::ReleaseDC(NULL, hScreen);
        ::GdiFlush();
        EXPECT_FALSE(testsupport::SaveSnapshot(canvas, "pane_dragged_past_the_right_edge").empty());
    }
    int nFirstChanged = -1;
    for (size_t x = 0; x < during.size() && nFirstChanged < 0; x++)
        if (during[x] != before[x])
            nFirstChanged = rcClient.left + (int)x;
    testsupport::SendInputs({testsupport::MouseInput(MOUSEEVENTF_LEFTUP)});
    Wait(800);

    containers = VisibleDescendants(hFrame, "XTPDockingPaneTabbedContainer");
    ASSERT_EQ(1u, containers.size());
    RECT rcLanded;
    ::GetWindowRect(containers[0], &rcLanded);
    EXPECT_EQ(rcClient.right, rcLanded.right) << "not docked at the right edge";
    EXPECT_EQ(nWidth, rcLanded.right - rcLanded.left);
    ASSERT_GE(nFirstChanged, 0) << "no outline on the screen";
    EXPECT_LE(abs(nFirstChanged - rcLanded.left), 1) << "the outline starts at " << nFirstChanged
                                                       << ", the pane at " << rcLanded.left;
    EXPECT_EQ(0, game.Close());
    ClearSettings();
}

namespace
{
// Floats the docked container of a profile pane by a double click on its
// caption; TRUE once one more floating pane window shows.
bool FloatPaneContainer(Game& game, UINT nPaneCommand)
{
    const size_t nBefore = TopLevels(game.Pid(), "XTPDockingPaneMiniWnd").size();
    game.Command(nPaneCommand);
    std::vector<HWND> containers = Descendants(game.Frame(), "", "XTPDockingPaneTabbedContainer");
    if (containers.empty())
        return false;
    ::PostMessage(containers[0], WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 8));
    Wait(700);
    return TopLevels(game.Pid(), "XTPDockingPaneMiniWnd").size() > nBefore;
}

// TRUE when the game's window answers a message within five seconds (a
// hung game would block the snapshots, which repaint it).
bool Responds(HWND hWnd)
{
    DWORD_PTR dwResult = 0;
    return ::SendMessageTimeout(hWnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &dwResult) != 0;
}

// With the floating windows of the game up and one of them clicked last,
// New Puzzle opens owned by the game's window and centred on it; when it
// closes the game's window is enabled and the floating windows are still in
// front of it.
void ExpectNewPuzzleOnTheFrameAfterAFloatingClick(Game& game, size_t nPanes, const char* pszWhen)
{
    HWND hFrame = game.Frame();
    // The splash has gone (a look of one turn each time).
    for (int n = 0; n < 300 && WaitForWindow(game.Pid(), "", 50) != NULL; n++)
        Wait(50);
    std::vector<HWND> floating = VisibleTopLevels(game.Pid(), "XTPDockingPaneMiniWnd");
    HWND hTimer = TimerBar(game);
    ASSERT_EQ(nPanes, floating.size()) << pszWhen << ": the panes float";
    ASSERT_TRUE(IsFloating(hTimer)) << pszWhen << ": the Timer toolbar floats";
    floating.push_back(hTimer);

    // Inside the last pane (its grid's lower part), then Ctrl+N.
    RECT rc;
    ::GetWindowRect(floating[nPanes - 1], &rc);
    ClickScreen({(rc.left + rc.right) / 2, rc.bottom - 40}, false);
    ASSERT_TRUE(Responds(hFrame)) << pszWhen << ": the game hangs after the click in the pane";
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, std::string("floating_pane_clicked_") + pszWhen).empty());
    PressKeys({VK_CONTROL, 'N'});
    HWND hNew = WaitForWindow(game.Pid(), "New Puzzle", 5000);
    if (hNew == NULL)
    {
        // The accelerator reaches the game only through its window.
        ::PostMessage(hFrame, WM_COMMAND, ID_NEW_PUZZLE, 0);
        hNew = WaitForWindow(game.Pid(), "New Puzzle", 5000);
    }
    ASSERT_TRUE(hNew != NULL) << pszWhen;
    ASSERT_TRUE(Responds(hFrame)) << pszWhen;
    Wait(500);
    EXPECT_EQ(hFrame, ::GetWindow(hNew, GW_OWNER)) << pszWhen << ": owned by a floating window";
    EXPECT_TRUE(IsCentredOver(hNew, hFrame)) << pszWhen << ": not centred on the game's window";
    for (HWND hWnd : floating)
        EXPECT_TRUE(IsAbove(hNew, hWnd) || !::IsWindowVisible(hWnd)) << pszWhen << ": behind a floating window";
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, std::string("new_puzzle_over_floating_windows_") + pszWhen).empty());
    ClickDialogButton(hNew, IDCANCEL);
    EXPECT_TRUE(WaitUntilGone(hNew)) << pszWhen;
    Wait(500);
    EXPECT_TRUE(::IsWindowEnabled(hFrame)) << pszWhen;
    for (HWND hWnd : floating)
    {
        EXPECT_TRUE(::IsWindowVisible(hWnd)) << pszWhen;
        EXPECT_TRUE(IsAbove(hWnd, hFrame)) << pszWhen << ": a floating window went behind the game's window";
    }
}
} // namespace

// New Puzzle chosen after a click on a floating pane opens on the game's
// window, with both profile panes and the Timer toolbar floating, and again
// after a restart that brings them back.
TEST_F(Brindlemark, NewPuzzleOpensOnTheFrameAfterAFloatingPaneWasClicked)
{
    {
        Game game;
        ASSERT_TRUE(game.Frame() != NULL);
        game.ToFront();
        ASSERT_TRUE(DragTimerBarOut(game, {560, 640})) << "no Timer toolbar";
        ASSERT_TRUE(IsFloating(TimerBar(game)));
        ASSERT_TRUE(FloatPaneContainer(game, ID_DIFFICULTY_PANE));
        ASSERT_TRUE(FloatPaneContainer(game, ID_APPEARANCE_PANE));
        // The panes away from the game's centre, each in its own window.
        std::vector<HWND> minis = TopLevels(game.Pid(), "XTPDockingPaneMiniWnd");
        ASSERT_EQ(2u, minis.size());
        ::SetWindowPos(minis[0], NULL, 700, 80, 220, 300, SWP_NOZORDER | SWP_NOACTIVATE);
        ::SetWindowPos(minis[1], NULL, 940, 80, 220, 300, SWP_NOZORDER | SWP_NOACTIVATE);
        Wait(500);
        ExpectNewPuzzleOnTheFrameAfterAFloatingClick(game, 2, "floated");
        EXPECT_EQ(0, game.Close());
    }
    Game again;
    ASSERT_TRUE(again.Frame() != NULL);
    Wait(500);
    ExpectNewPuzzleOnTheFrameAfterAFloatingClick(again, 2, "after_a_restart");
    EXPECT_EQ(0, again.Close());
    ClearSettings();
}

namespace
{
// The floating windows of the game now, each with the signature taken
// before under its name; FALSE (a failure) when one is missing.
bool FindAgain(const Game& game, std::vector<SeenWindow>& windows)
{
    std::vector<SeenWindow> now = FloatingWindowsOf(game);
    for (SeenWindow& window : windows)
    {
        auto it = std::find_if(now.begin(), now.end(), [&](const SeenWindow& w) { return w.strName == window.strName; });
        if (it == now.end())
        {
            ADD_FAILURE() << window.strName << " does not float";
            return false;
        }
        window.hWnd = it->hWnd;
    }
    return true;
}

// Double-clicks the caption of the profile pane docked in the frame (with
// real input), which floats it.
void DoubleClickDockedCaption(const Game& game)
{
    std::vector<HWND> containers = Descendants(game.Frame(), "", "XTPDockingPaneTabbedContainer");
    ASSERT_EQ(1u, containers.size()) << "one docked pane";
    RECT rc;
    ::GetWindowRect(containers[0], &rc);
    const POINT pt = {rc.left + 40, rc.top + 8};
    ::SetCursorPos(pt.x, pt.y);
    Wait(100);
    for (int i = 0; i < 2; i++)
        testsupport::SendInputs({testsupport::MouseInput(MOUSEEVENTF_LEFTDOWN, pt),
                                 testsupport::MouseInput(MOUSEEVENTF_LEFTUP, pt)});
    Wait(800);
}
} // namespace

// With the Timer toolbar floating, a profile pane floated from its docked
// place, and then a second one, shows in front of the frame with the others;
// so do they all after a pane is docked back and floated again, and after a
// start-up message (a puzzle named on the command line that cannot be read)
// was answered. A watchdog ends the test (and the game) if anything hangs.
TEST_F(Brindlemark, FloatingWindowsStayInFrontWhenADockedPaneIsFloatedAndAfterAStartUpMessage)
{
    testsupport::Watchdog watchdog("floating a docked pane beside the floating Timer", 200000);
    ASSERT_TRUE(watchdog.IsArmed());
    std::vector<SeenWindow> windows;
    {
        Game game;
        ASSERT_TRUE(game.Frame() != NULL);
        watchdog.AlsoEnd(game.Process());
        HWND hFrame = game.ToFront();
        ASSERT_TRUE(DragTimerBarOut(game, {500, 400})) << "no Timer toolbar";
        ASSERT_TRUE(IsFloating(TimerBar(game)));

        game.Command(ID_DIFFICULTY_PANE);
        DoubleClickDockedCaption(game);
        ASSERT_EQ(1u, TopLevels(game.Pid(), "XTPDockingPaneMiniWnd").size()) << "the first pane floated";
        windows = FloatingWindowsOf(game);
        ASSERT_EQ(2u, windows.size());
        PlaceAndExpectInFront(game, windows, "the first docked pane floated");

        game.Command(ID_APPEARANCE_PANE);
        DoubleClickDockedCaption(game);
        ASSERT_EQ(2u, TopLevels(game.Pid(), "XTPDockingPaneMiniWnd").size()) << "the second pane floated";
        windows = FloatingWindowsOf(game);
        ASSERT_EQ(3u, windows.size());
        PlaceAndExpectInFront(game, windows, "the second docked pane floated");

        // The first pane docked back by a double click on its window's
        // caption, then floated again from its docked place.
        RECT rc;
        ::GetWindowRect(windows[1].hWnd, &rc);
        const POINT ptCaption = {rc.left + 40, rc.top + 8};
        ::SetCursorPos(ptCaption.x, ptCaption.y);
        Wait(100);
        for (int i = 0; i < 2; i++)
            testsupport::SendInputs({testsupport::MouseInput(MOUSEEVENTF_LEFTDOWN, ptCaption),
                                     testsupport::MouseInput(MOUSEEVENTF_LEFTUP, ptCaption)});
        Wait(800);
        ASSERT_EQ(1u, Descendants(hFrame, "", "XTPDockingPaneTabbedContainer").size()) << "docked back";
        DoubleClickDockedCaption(game);
        ASSERT_TRUE(FindAgain(game, windows));
        ExpectFloatingWindowsInFront(game, windows, "a pane docked back and floated again");
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "docked_pane_floated_beside_the_timer").empty());
        EXPECT_EQ(0, game.Close());
    }

    // A start-up message about a puzzle that cannot be read, answered.
    char szTemp[MAX_PATH];
    ::GetTempPath(MAX_PATH, szTemp);
    const std::string strFile = std::string(szTemp) + "e2e_no_such_floating_puzzle.hti";
    ::DeleteFileA(strFile.c_str());
    Game again(" \"" + strFile + "\"");
    ASSERT_TRUE(again.Frame() != NULL);
    watchdog.AlsoEnd(again.Process());
    HWND hMessage = WaitForMessageWindow(again.Pid(), 10000);
    ASSERT_TRUE(hMessage != NULL) << "no start-up message";
    ClickButton(hMessage, "OK");
    EXPECT_TRUE(WaitUntilGone(hMessage));
    EXPECT_FALSE(SplashStays(again.Pid(), 10000)) << "the splash stays";
    ASSERT_TRUE(FindAgain(again, windows));
    ExpectFloatingWindowsInFront(again, windows, "a start-up message answered");
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(again.Frame(), "floating_windows_after_a_start_up_message").empty());
    EXPECT_EQ(0, again.Close());
    ClearSettings();
}

namespace gametest
{
// The window of a profile pane that slid out of its tab on the frame's edge
// (a child of the frame that holds the pane's visible grid); NULL when none.
HWND SlidOutPane(HWND hFrame)
{
    for (HWND hGrid : Descendants(hFrame, "", "XTPPropertyGrid"))
    {
        if (!::IsWindowVisible(hGrid))
            continue;
        HWND hWnd = hGrid;
        while (::GetParent(hWnd) != NULL && ::GetParent(hWnd) != hFrame)
            hWnd = ::GetParent(hWnd);
        if (::GetParent(hWnd) == hFrame)
            return hWnd;
    }
    return NULL;
}

// An always-on-top window of another program (this one), filled with one
// colour, shown without activation.
HWND ShowAlwaysOnTopWindow(const RECT& rc, COLORREF cr)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandle(NULL);
    wc.hbrBackground = ::CreateSolidBrush(cr);
    wc.lpszClassName = "BrindlemarkTestAlwaysOnTop";
    ::RegisterClassA(&wc);
    HWND hWnd = ::CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP, rc.left, rc.top,
                                  rc.right - rc.left, rc.bottom - rc.top, NULL, NULL, wc.hInstance, NULL);
    ::ShowWindow(hWnd, SW_SHOWNA);
    return hWnd;
}

COLORREF ScreenColour(POINT pt)
{
    HDC hScreen = ::GetDC(NULL);
    COLORREF cr = ::GetPixel(hScreen, pt.x, pt.y);
    ::ReleaseDC(NULL, hScreen);
    return cr;
}

// The name of the top-level window the display knows as nId, or "".
BOOL CALLBACK FindByDisplayWindow(HWND hWnd, LPARAM lParam)
{
    auto* pFound = reinterpret_cast<std::pair<unsigned long, HWND>*>(lParam);
    if (XWindowOf(hWnd) != pFound->first)
        return TRUE;
    pFound->second = hWnd;
    return FALSE;
}

std::string NameOnTheDisplay(unsigned long nId)
{
    std::pair<unsigned long, HWND> found(nId, NULL);
    ::EnumWindows(&FindByDisplayWindow, (LPARAM)&found);
    return found.second != NULL ? WindowText(found.second) : std::string();
}

// A click on the frame's caption, as a player makes it. Without a window
// manager the game draws the caption and takes the click. With one, the
// caption is the window manager's title bar, which the tests' pointer
// input (given to Wine, not to the display) never reaches: there it would
// land on the desktop behind. A click on the title bar has the window
// manager activate and raise the frame, which the test asks of it through
// Wine by making the frame the foreground window. hDialog: a dialog of
// the game open then, which the window manager activates in the frame's
// place (its own way with a modal dialog of the frame's family).
void ClickTheFramesCaption(HWND hFrame, HWND hDialog = NULL)
{
    if (!WindowsAreManaged())
    {
        ClickCaption(hFrame);
        Wait(300);
        return;
    }
    ::SetForegroundWindow(hFrame);
    for (int n = 0; n < 40 && ::GetForegroundWindow() != hFrame; n++)
        Wait(50);
    EXPECT_EQ(hFrame, ::GetForegroundWindow()) << "the frame is not activated";
    // The window manager holds the frame (or the open dialog) active, as
    // after a click on its title bar.
    const unsigned long nFrame = XWindowOf(hFrame), nDialog = hDialog != NULL ? XWindowOf(hDialog) : 0;
    unsigned long nActive = ActiveOnTheDisplay();
    for (int n = 0; n < 40 && nActive != nFrame && (nDialog == 0 || nActive != nDialog); n++)
    {
        Wait(50);
        nActive = ActiveOnTheDisplay();
    }
    EXPECT_TRUE(nActive == nFrame || (nDialog != 0 && nActive == nDialog))
        << "the window manager does not hold the frame active (0x" << std::hex << nActive << ": \""
        << NameOnTheDisplay(nActive) << "\")";
    Wait(300);
}
} // namespace gametest

// Each floating window (the Timer toolbar and both profile panes) is seen on
// the screen in front of the frame after every path that once put the frame
// over them: a docked pane dragged out to float beside the floating Timer and
// the other pane; then, after a restart with that arrangement, a
// colour dialog opened from a floating pane, then a click on the frame's
// caption, and the dialog closed from code; an always-on-top window of
// another program showing while the frame's caption is clicked, and after
// it is gone; an open menu while the frame's caption is clicked; two
// floating panes overlapping (the screen shows the one the system's order
// puts on top, also after the other was clicked); a docked pane pinned and
// unpinned. The colour dialog stays seen above them all. A watchdog ends
// the test (and the game) if anything hangs. Run both on the tests' display
// without a window manager and, by app_brindlemark_test_desktop, on a
// display with one that manages the game's windows: there a click on the
// frame's caption is the window manager's (see ClickTheFramesCaption), and
// a menu it leaves open is closed with Escape.
TEST_F(Brindlemark, FloatingWindowsAreSeenInFrontOnTheScreenInEveryPath)
{
    testsupport::Watchdog watchdog("the floating windows in every path", 280000);
    ASSERT_TRUE(watchdog.IsArmed());
    {
        // The Timer dragged out, the Difficulty pane docked and floated by a
        // double click, then the docked Appearance pane dragged out of its
        // place by its caption into the board.
        Game first;
        ASSERT_TRUE(first.Frame() != NULL);
        watchdog.AlsoEnd(first.Process());
        HWND hFirstFrame = first.ToFront();
        ASSERT_TRUE(DragTimerBarOut(first, {500, 400})) << "no Timer toolbar";
        ASSERT_TRUE(IsFloating(TimerBar(first)));
        first.Command(ID_DIFFICULTY_PANE);
        DoubleClickDockedCaption(first);
        ASSERT_EQ(1u, TopLevels(first.Pid(), "XTPDockingPaneMiniWnd").size()) << "the Difficulty pane floated";
        std::vector<SeenWindow> before = FloatingWindowsOf(first);
        ASSERT_EQ(2u, before.size());
        PlaceAndExpectInFront(first, before, "the Difficulty pane floated");
        first.Command(ID_APPEARANCE_PANE);
        Wait(500);
        std::vector<HWND> docked = VisibleDescendants(hFirstFrame, "XTPDockingPaneTabbedContainer");
        ASSERT_EQ(1u, docked.size()) << "the Appearance pane docked";
        RECT rcDocked, rcView;
        ::GetWindowRect(docked[0], &rcDocked);
        ::GetWindowRect(first.View(), &rcView);
        DragScreen({rcDocked.left + 40, rcDocked.top + 8}, {(rcView.left + rcView.right) / 2, rcView.top + 80});
        Wait(500);
        ASSERT_EQ(2u, TopLevels(first.Pid(), "XTPDockingPaneMiniWnd").size()) << "the Appearance pane dragged out";
        // The new floating pane lies where it was dropped, over the others.
        HWND hDropped = NULL;
        for (HWND hWnd : TopLevels(first.Pid(), "XTPDockingPaneMiniWnd"))
            if (hWnd != before[0].hWnd && hWnd != before[1].hWnd)
                hDropped = hWnd;
        ASSERT_TRUE(hDropped != NULL);
        ExpectFloatingWindowsInFront(first, before, "a docked pane dragged out to float", hDropped);
        std::vector<SeenWindow> all = FloatingWindowsOf(first);
        ASSERT_EQ(3u, all.size());
        PlaceOverTheView(first, all);
        ExpectFloatingWindowsInFront(first, all, "a docked pane dragged out, all three");
        EXPECT_EQ(0, first.Close());
    }

    // Restarted with both panes and the Timer floating.
    Game game;
    ASSERT_TRUE(game.Frame() != NULL) << "the game does not start";
    watchdog.AlsoEnd(game.Process());
    EXPECT_FALSE(SplashStays(game.Pid(), 10000)) << "the splash stays";
    HWND hFrame = game.Frame();
    // Apart in time, so that two clicks are never a double click.
    auto ClickFrameCaption = [hFrame](HWND hDialog = NULL) {
        Wait(600);
        ClickTheFramesCaption(hFrame, hDialog);
        EXPECT_FALSE(::IsZoomed(hFrame)) << "a click on the caption maximised the frame";
    };
    std::vector<SeenWindow> windows = FloatingWindowsOf(game);
    ASSERT_EQ(3u, windows.size()) << "both panes and the Timer bar float after the restart";
    PlaceAndExpectInFront(game, windows, "the start");

    // A colour dialog opened from the floating Appearance pane (owned by the
    // pane's window), then a click on the frame's caption.
    HWND hColours = OpenColourDialogOfThePane(game, windows[0].hWnd);
    ASSERT_TRUE(hColours != NULL) << "no colour dialog";
    Wait(300);
    SeenWindow colours{"Colors", hColours, {}};
    TakeSignature(colours);
    ClickFrameCaption(hColours);
    ExpectFloatingWindowsInFront(game, windows, "a colour dialog of a floating pane, then the frame's caption",
                                 hColours);
    // The dialog stays above the frame and the floating windows.
    const int nDialogSeen = PercentSeenWithin(colours, 90, 2000);
    EXPECT_GE(nDialogSeen, 90) << "the colour dialog is covered on the screen (" << nDialogSeen << "% of it seen)";
    ::PostMessage(hColours, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntilGone(hColours));
    ExpectFloatingWindowsInFront(game, windows, "the colour dialog closed from code");

    // Another program's always-on-top window, below the frame's status bar
    // (apart from the floating windows), then the frame's caption.
    RECT rcFrame;
    ::GetWindowRect(hFrame, &rcFrame);
    const RECT rcTopmost = {rcFrame.left + 20, rcFrame.bottom + 10, rcFrame.left + 120, rcFrame.bottom + 60};
    const COLORREF crTopmost = RGB(230, 180, 30);
    HWND hTopmost = ShowAlwaysOnTopWindow(rcTopmost, crTopmost);
    ASSERT_TRUE(hTopmost != NULL);
    Wait(300);
    ClickCaption(windows[1].hWnd);   // the frame is activated by the click that follows
    ClickFrameCaption();
    ExpectFloatingWindowsInFront(game, windows, "the frame clicked under another program's always-on-top window");
    EXPECT_EQ(crTopmost, ScreenColour({rcTopmost.left + 50, rcTopmost.top + 25})) << "the always-on-top window";
    ::DestroyWindow(hTopmost);
    ClickCaption(windows[1].hWnd);
    ClickFrameCaption();
    ExpectFloatingWindowsInFront(game, windows, "the always-on-top window gone");

    // The game's own File menu open (a topmost window) when the frame's
    // caption is clicked.
    POINT ptFile = {14, 10};
    ::ClientToScreen(hFrame, &ptFile);
    ClickScreen(ptFile, false);
    HWND hMenu = WaitForPopupBar(game.Pid());
    EXPECT_TRUE(hMenu != NULL) << "the File menu";
    ClickFrameCaption();
    // With a window manager the click on its title bar never reaches the
    // game, and the menu stays open: above the floating windows, which are
    // seen in front of the frame around it, and again once it is closed.
    const HWND hStillOpen = hMenu != NULL && ::IsWindowVisible(hMenu) ? hMenu : NULL;
    ExpectFloatingWindowsInFront(game, windows, "the frame's caption clicked while a menu was open", hStillOpen);
    if (hStillOpen != NULL)
    {
        for (int n = 0; n < 3 && ::IsWindowVisible(hStillOpen); n++)
            PressKeys({VK_ESCAPE});
        EXPECT_FALSE(::IsWindowVisible(hStillOpen)) << "the menu does not close with Escape";
        ExpectFloatingWindowsInFront(game, windows, "the menu closed with Escape");
    }

    // The two panes overlapping: the screen shows the one on top in the
    // system's order over the other, after the frame is clicked, and again
    // after the lower one was clicked (and so went on top).
    RECT rcA, rcD;
    ::GetWindowRect(windows[0].hWnd, &rcA);
    ::GetWindowRect(windows[1].hWnd, &rcD);
    ASSERT_TRUE(MoveTopLevel(windows[1].hWnd, rcA.left - 100, rcA.top + 60)) << "the panes overlapping";
    for (int nRound = 0; nRound < 2; nRound++)
    {
        ClickFrameCaption();
        const bool bDifficultyOnTop = IsAbove(windows[1].hWnd, windows[0].hWnd);
        const SeenWindow& upper = bDifficultyOnTop ? windows[1] : windows[0];
        const SeenWindow& lower = bDifficultyOnTop ? windows[0] : windows[1];
        const std::string strWhen = std::string("overlapping panes, ") + upper.strName + " on top in the order";
        std::vector<SeenWindow> upperAndTimer = {upper, windows[2]};
        std::vector<SeenWindow> lowerOnly = {lower};
        ExpectFloatingWindowsInFront(game, upperAndTimer, strWhen.c_str());
        ExpectFloatingWindowsInFront(game, lowerOnly, strWhen.c_str(), upper.hWnd);
        if (nRound == 0)
        {
            // A click on the lower one, where the upper does not cover it.
            RECT rcLower;
            ::GetWindowRect(lower.hWnd, &rcLower);
            ClickScreen({bDifficultyOnTop ? rcLower.right - 30 : rcLower.left + 30, rcLower.top + 8}, false);
        }
    }
    ASSERT_TRUE(MoveTopLevel(windows[1].hWnd, rcD.left, rcD.top)) << "the panes apart";
    ClickFrameCaption();
    ExpectFloatingWindowsInFront(game, windows, "the panes apart again");
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "floating_windows_in_every_path").empty());

    // The Appearance pane docked back by a double click on its caption,
    // pinned (auto-hidden) and unpinned.
    RECT rc;
    ::GetWindowRect(windows[0].hWnd, &rc);
    const POINT ptCaption2 = {rc.left + 40, rc.top + 8};
    ::SetCursorPos(ptCaption2.x, ptCaption2.y);
    Wait(100);
    for (int i = 0; i < 2; i++)
        testsupport::SendInputs({testsupport::MouseInput(MOUSEEVENTF_LEFTDOWN, ptCaption2),
                                 testsupport::MouseInput(MOUSEEVENTF_LEFTUP, ptCaption2)});
    Wait(800);
    std::vector<HWND> containers = VisibleDescendants(hFrame, "XTPDockingPaneTabbedContainer");
    ASSERT_EQ(1u, containers.size()) << "docked back before the pin";
    std::vector<SeenWindow> others = FloatingWindowsOf(game);
    ASSERT_EQ(2u, others.size());
    for (SeenWindow& window : others)
        for (const SeenWindow& seen : windows)
            if (seen.strName == window.strName)
                window.signature = seen.signature;
    // The floating pane away from the docked pane's caption, over the
    // board's right margin.
    RECT rcBoard;
    ::GetWindowRect(game.View(), &rcBoard);
    for (const SeenWindow& window : others)
    {
        if (window.strName != "Timer")
        {
            EXPECT_TRUE(MoveTopLevel(window.hWnd, rcBoard.right - 205, rcBoard.top + 10)) << window.strName;
        }
    }
    ClickPin(containers[0]);
    ASSERT_EQ(1u, VisibleDescendants(hFrame, "XTPDockingPaneAutoHidePanel").size()) << "pinned";
    ExpectFloatingWindowsInFront(game, others, "a docked pane pinned");
    ::SetForegroundWindow(hFrame);
    std::vector<HWND> panels = VisibleDescendants(hFrame, "XTPDockingPaneAutoHidePanel");
    ASSERT_FALSE(panels.empty());
    RECT rcPanel;
    ::GetWindowRect(panels[0], &rcPanel);
    ::SetCursorPos((rcPanel.left + rcPanel.right) / 2, rcPanel.top + 40);
    HWND hSlid = NULL;
    for (int n = 0; n < 40 && hSlid == NULL; n++)
    {
        Wait(100);
        hSlid = SlidOutPane(hFrame);
    }
    ASSERT_TRUE(hSlid != NULL) << "the pinned pane does not slide out";
    Wait(400);
    ClickPin(hSlid);
    EXPECT_EQ(0u, VisibleDescendants(hFrame, "XTPDockingPaneAutoHidePanel").size()) << "unpinned";
    ExpectFloatingWindowsInFront(game, others, "a pinned pane unpinned");

    EXPECT_EQ(0, CloseWithoutSaving(game, 3000));
    ClearSettings();
}

namespace
{
// The visible system menus (Wine's menu windows) of the game.
size_t VisibleSystemMenus(DWORD dwPid)
{
    size_t nVisible = 0;
    for (HWND hWnd : TopLevels(dwPid, "#32768"))
        nVisible += ::IsWindowVisible(hWnd) ? 1 : 0;
    return nVisible;
}
} // namespace

// The keys after a click inside a floating profile pane: the pane's window
// belongs to the game's frame, so Alt, then Down, opens the game's File menu
// (not the system menu of the pane's window), and Alt+F4 closes the game as
// from the frame.
TEST_F(Brindlemark, AfterAClickInAFloatingPaneAltOpensTheFileMenuAndAltF4ClosesTheGame)
{
    testsupport::Watchdog watchdog("keys in a floating pane", 120000);
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    watchdog.AlsoEnd(game.Process());
    HWND hFrame = game.ToFront();
    ASSERT_TRUE(FloatPaneContainer(game, ID_DIFFICULTY_PANE));
    HWND hMini = FloatingPane(game);
    ASSERT_TRUE(hMini != NULL);
    const POINT ptInPane = LowerMiddle(hMini);

    ClickScreen(ptInPane, false);
    EXPECT_TRUE(HasFocusIn(hFrame, hMini)) << "the click gives the pane the keyboard";
    PressKeys({VK_MENU});
    PressKeys({VK_DOWN});
    HWND hMenu = WaitForPopupBar(game.Pid());
    EXPECT_TRUE(hMenu != NULL) << "Alt, then Down, opens the File menu";
    EXPECT_EQ(0u, VisibleSystemMenus(game.Pid())) << "the pane's system menu opened";
    if (hMenu != NULL)
    {
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "file_menu_from_a_floating_pane").empty());
    }
    PressKeys({VK_ESCAPE});
    PressKeys({VK_ESCAPE});
    Wait(300);
    EXPECT_EQ(0u, VisibleSystemMenus(game.Pid()));

    ClickScreen(ptInPane, false);
    EXPECT_TRUE(HasFocusIn(hFrame, hMini));
    PressKeys({VK_MENU, VK_F4});
    EXPECT_EQ(0, game.WaitForExit()) << "Alt+F4 in the floating pane closes the game";
    ClearSettings();
}

// Both panes floating from a stored layout that holds no docking size for
// them: a pane dragged to the frame's left edge docks at a usable width,
// and its edge can be dragged wider.
TEST_F(Brindlemark, APaneDockedFromALayoutWithoutDockingSizesHasAWidthAndWidens)
{
    {
        Game first;
        ASSERT_TRUE(first.Frame() != NULL);
        EXPECT_EQ(0, first.Close());
    }
    ASSERT_TRUE(ImportRegistryText(kTwoFloatingPanesReg));
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    HWND hFrame = game.ToFront(300);
    HWND hMini = FloatingPane(game);
    ASSERT_TRUE(hMini != NULL) << "no floating pane";
    RECT rcMini = WindowRect(hMini), rcView = WindowRect(game.View());
    DragScreen({rcMini.left + 30, rcMini.top + 8}, {rcView.left + 6, (rcView.top + rcView.bottom) / 2});
    Wait(500);
    std::vector<HWND> docked = VisibleDescendants(hFrame, "XTPDockingPaneTabbedContainer");
    ASSERT_EQ(1u, docked.size()) << "the pane did not dock";
    RECT rcPane = WindowRect(docked[0]);
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "pane_docked_without_size").empty());
    EXPECT_GE(rcPane.right - rcPane.left, 100) << "docked at " << rcPane.right - rcPane.left << " px";
    EXPECT_EQ(1u, VisibleDescendants(docked[0], "XTPPropertyGrid").size()) << "the pane's grid does not show";

    // The splitter at its right edge, dragged 80 px to the right.
    rcView = WindowRect(game.View());
    const int nBefore = rcPane.right - rcPane.left;
    const int ySplit = (rcPane.top + rcPane.bottom) / 2;
    const int xSplit = (rcPane.right + rcView.left) / 2;
    DragScreen({xSplit, ySplit}, {xSplit + 80, ySplit});
    Wait(500);
    rcPane = WindowRect(docked[0]);
    EXPECT_GE(rcPane.right - rcPane.left, nBefore + 60) << "the pane did not widen from " << nBefore;
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "pane_docked_without_size_widened").empty());

    // The other floating pane, to the frame's right edge; its splitter
    // dragged 80 px to the left.
    hMini = FloatingPane(game);
    ASSERT_TRUE(hMini != NULL) << "the second pane does not float";
    rcMini = WindowRect(hMini);
    rcView = WindowRect(game.View());
    DragScreen({rcMini.left + 30, rcMini.top + 8}, {rcView.right - 6, (rcView.top + rcView.bottom) / 2});
    Wait(500);
    docked = VisibleDescendants(hFrame, "XTPDockingPaneTabbedContainer");
    ASSERT_EQ(2u, docked.size()) << "the second pane did not dock";
    HWND hRight = WindowRect(docked[0]).left > WindowRect(docked[1]).left ? docked[0] : docked[1];
    RECT rcRight = WindowRect(hRight);
    EXPECT_GE(rcRight.right - rcRight.left, 100) << "docked at " << rcRight.right - rcRight.left << " px";
    rcView = WindowRect(game.View());
    const int nRightBefore = rcRight.right - rcRight.left;
    const int xRightSplit = (rcView.right + rcRight.left) / 2;
    DragScreen({xRightSplit, ySplit}, {xRightSplit - 80, ySplit});
    Wait(500);
    rcRight = WindowRect(hRight);
    EXPECT_GE(rcRight.right - rcRight.left, nRightBefore + 60) << "the pane did not widen from " << nRightBefore;
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "pane_docked_without_size_right").empty());
    EXPECT_EQ(0, game.Close());
    ClearSettings();
}
