// The keyboard on a desktop with a window manager, judged by the display's
// input focus and by a key typed at once on the display's keyboard (Ctrl+O
// opens the Open dialog only when the game has the keyboard): after each of
// the game's dialogs closes, also after a round to another program and
// back and a nested window opened and closed, and when a dialog opens from
// a question; and after Alt+Tab and Shift+Alt+Tab into the game from
// another program covering it or some of its windows. Run by the
// app_brindlemark_test_desktop entries under openbox, icewm and fluxbox;
// skipped where no window manager manages the game's windows.
// ctest: run-serial
// ctest: lock registry
#include "brindlemark_fixture.h"
#include "brindlemark_floating.h"

#include "support/hostinput.h"
#include "support/printer.h"
#include "support/snapshot.h"
#include "support/tempfolder.h"
#include "support/watchdog.h"

#include "resource.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using namespace gametest;

namespace
{
class WindowManagerKeyboard : public Brindlemark
{
protected:
    void SetUp() override
    {
        Brindlemark::SetUp();
        if (!IsSkipped() && !WindowsAreManaged())
            GTEST_SKIP() << "only a window manager hands the keyboard on";
    }
};

// The game's top-level window holding the display's input focus, or NULL.
HWND FocusedGameWindow(const Game& game)
{
    const unsigned long nFocus = FocusOnTheDisplay();
    for (HWND hWnd : TopLevels(game.Pid(), ""))
        if (nFocus != 0 && XWindowOf(hWnd) == nFocus)
            return hWnd;
    return NULL;
}

// Clicks the frame's caption with the display's pointer, as a player
// brings the game to the front, until the game has the display's keyboard
// (the first click may come while the game still starts).
bool ClickTheCaption(const Game& game)
{
    const RECT rc = WindowRect(game.Frame());
    for (int n = 0; n < 3; n++)
    {
        if (!testsupport::DisplayClick({rc.left + 300, rc.top + 10}))
            return false;
        Wait(500);
        if (FocusedGameWindow(game) != NULL)
            return true;
    }
    return false;
}

// Ctrl+O typed on the display's keyboard at once opens the Open dialog,
// which Escape closes: the keyboard is the game's.
void ExpectAKeyReachesTheGame(Game& game, const std::string& strAfter)
{
    Wait(600);   // a player's key right after the dialog closed
    const HWND hFocused = FocusedGameWindow(game);
    EXPECT_TRUE(hFocused != NULL) << strAfter << ": the display's focus is not the game's (0x" << std::hex
                                  << FocusOnTheDisplay() << ")";
    ASSERT_TRUE(testsupport::DisplayKeys("ctrl+o"));
    // The key reached the game if the dialog opens at all: on a loaded
    // machine the Open dialog may take seconds to come up.
    HWND hOpen = WaitForWindow(game.Pid(), "Open", 10000);
    testsupport::SaveScreenSnapshot(game.Frame(), "keyboard_after_a_dialog");
    if (hOpen == NULL)
    {
        const HWND hForeground = ::GetForegroundWindow();
        DWORD dwPid = 0;
        ::GetWindowThreadProcessId(hForeground, &dwPid);
        FAIL() << strAfter << ": Ctrl+O did not reach the game; the display's focus is in \""
               << (hFocused != NULL ? WindowText(hFocused) : std::string("no window of the game"))
               << "\", the system's foreground window is \"" << WindowText(hForeground) << "\" of "
               << (dwPid == game.Pid() ? "the game" : "another program");
    }
    Wait(500);
    ASSERT_TRUE(testsupport::DisplayKeys("Escape"));
    ASSERT_TRUE(WaitUntilGone(hOpen, 5000)) << "Escape did not close the Open dialog " << strAfter;
}

// The window the window manager holds active (its _NET_ACTIVE_WINDOW), or 0.
unsigned long WindowManagersActiveWindow()
{
    std::string strOutput;
    if (!testsupport::RunOnHost("xprop -root -notype _NET_ACTIVE_WINDOW 2>/dev/null", &strOutput, 3000))
        return 0;
    const size_t nHash = strOutput.find('#');
    return nHash == std::string::npos ? 0 : strtoul(strOutput.c_str() + nHash + 1, NULL, 16);
}

// Leaves the dialog for another program's window (clicked) and comes back
// to it by a click or by Alt+Tab; the other program's window stays open
// (hOther).
void RoundToAnotherProgram(const Game& game, HWND hDialog, bool bByAltTab, HWND& hOther)
{
    RECT rc = WindowRect(game.Frame());
    rc = {rc.right - 160, rc.bottom - 160, rc.right + 40, rc.bottom + 40};
    hOther = ShowOtherProgramsWindow(rc, RGB(30, 140, 110));
    PumpFor(600);
    ASSERT_TRUE(testsupport::DisplayClick({rc.right - 30, rc.bottom - 30}));
    PumpFor(600);
    const RECT rcDialog = WindowRect(hDialog);
    ASSERT_TRUE(bByAltTab ? testsupport::DisplayAltTab(1)
                          : testsupport::DisplayClick({(rcDialog.left + rcDialog.right) / 2, rcDialog.top + 8}));
    PumpFor(800);
    ASSERT_EQ(XWindowOf(hDialog), FocusOnTheDisplay()) << "the round did not come back to the dialog";
}

// Clicks a button of a dialog with the display's pointer (where the window
// manager, not the system, knows what lies on top).
void ClickButtonOnTheDisplay(HWND hDialog, int nID)
{
    HWND hButton = ::GetDlgItem(hDialog, nID);
    ASSERT_TRUE(hButton != NULL) << "no button " << nID;
    const RECT rc = WindowRect(hButton);
    ASSERT_TRUE(testsupport::DisplayClick({(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}));
}
} // namespace

// Each dialog of the game closed by Escape on the display's keyboard, with
// the game in front throughout and after a round to another program and
// back (by a click, by Alt+Tab), some after a nested window opened and
// closed: the Open dialog, the
// About box, the Customize sheet (its Reset... question), the Print dialog,
// New Puzzle (its profile list), and the question to begin playing, whose
// Yes opens New Puzzle, which must get the keyboard itself.
TEST_F(WindowManagerKeyboard, AfterEachDialogClosesAKeyTypedAtOnceReachesTheGame)
{
    testsupport::Watchdog watchdog("the keyboard after each dialog", 300000);
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    watchdog.AlsoEnd(game.Process());
    ASSERT_TRUE(testsupport::HasDisplayInput()) << "the display's keyboard cannot be driven (xdotool)";
    // A printer (writing to a file), so that File > Print... opens the
    // Print dialog.
    testsupport::CTempFolder folder;
    testsupport::RemoveLeftoverTestPrinters();
    testsupport::CTestPrinter printer("Brindlemark Test Keyboard", folder.Path("printed.ps"));
    ASSERT_TRUE(printer.Installed()) << "no test printer";
    struct Case
    {
        const char* pszName;
        std::function<HWND()> open;   // opens the dialog: the window, or NULL
        std::function<void(HWND)> nested;   // opens and closes a window from it
    };
    auto Opened = [&](const char* pszKeys, const char* pszTitle) {
        testsupport::DisplayKeys(pszKeys);
        HWND hDialog = WaitForWindow(game.Pid(), pszTitle, 5000);
        Wait(600);
        return hDialog;
    };
    auto Commanded = [&](UINT nID, const char* pszTitle) {
        game.Command(nID);
        HWND hDialog = WaitForWindow(game.Pid(), pszTitle, 5000);
        Wait(600);
        return hDialog;
    };
    auto CloseNested = [&](HWND hOwner) {
        HWND hNested = WaitForDialogOtherThan(game.Pid(), hOwner);
        ASSERT_TRUE(hNested != NULL) << "no nested window";
        Wait(600);
        ASSERT_TRUE(testsupport::DisplayKeys("Escape"));
        ASSERT_TRUE(WaitUntilGone(hNested, 5000)) << "Escape did not close the nested window";
        Wait(400);
    };
    const Case cases[] = {
        {"the Open dialog", [&] { return Opened("ctrl+o", "Open"); }, nullptr},
        {"the About box",
         [&] {
             ::PostMessage(game.Frame(), WM_COMMAND, ID_ABOUT_GAME, 0);
             HWND hAbout = WaitForDialogOtherThan(game.Pid(), NULL);
             Wait(600);
             return hAbout;
         },
         nullptr},
        {"the Customize sheet", [&] { return Commanded(ID_VIEW_CUSTOMIZE, "Customize"); },
         [&](HWND hSheet) {
             HWND hPage = (HWND)::SendMessage(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0);
             HWND hList = ::GetDlgItem(hPage, 100);
             ::SendMessage(hList, LB_SETCURSEL,
                           ::SendMessageA(hList, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM) "Standard"), 0);
             ::PostMessage(hPage, WM_COMMAND, MAKEWPARAM(100, LBN_SELCHANGE), (LPARAM)hList);
             Wait(300);
             const std::vector<HWND> buttons = Descendants(hPage, "R&eset...", "Button");
             ASSERT_FALSE(buttons.empty()) << "no button Reset...";
             ClickButtonOnTheDisplay(hPage, ::GetDlgCtrlID(buttons[0]));
             CloseNested(hSheet);
         }},
        {"the Print dialog", [&] { return Commanded(ID_FILE_PRINT, "Print"); }, nullptr},
        {"New Puzzle", [&] { return Opened("ctrl+n", "New Puzzle"); },
         [&](HWND hNew) {
             ClickButtonOnTheDisplay(hNew, IDC_EDIT_APPEARANCE_PROFILES);
             CloseNested(hNew);
         }},
    };
    // No round, a round back by a click, a round back by Alt+Tab.
    const char* const rounds[] = {"", " after a round to another program and a click back",
                                  " after a round to another program and Alt+Tab back"};
    for (int nRound = 0; nRound < 3; nRound++)
        for (const Case& test : cases)
        {
            const std::string strAfter = std::string(test.pszName) + " closed" + rounds[nRound];
            SCOPED_TRACE(strAfter);
            ASSERT_TRUE(ClickTheCaption(game));
            HWND hDialog = test.open();
            ASSERT_TRUE(hDialog != NULL) << test.pszName << " did not open";
            HWND hOther = NULL;
            if (nRound > 0)
            {
                ASSERT_NO_FATAL_FAILURE(RoundToAnotherProgram(game, hDialog, nRound == 2, hOther));
            }
            if (test.nested)
            {
                ASSERT_NO_FATAL_FAILURE(test.nested(hDialog));
            }
            ASSERT_TRUE(testsupport::DisplayKeys("Escape"));
            ASSERT_TRUE(WaitUntilGone(hDialog, 5000)) << "Escape did not close " << test.pszName;
            ASSERT_NO_FATAL_FAILURE(ExpectAKeyReachesTheGame(game, strAfter));
            if (hOther != NULL)
                ::DestroyWindow(hOther);
        }

    // A click on the board without a puzzle asks "To begin playing...":
    // Yes opens New Puzzle, which takes the keys (Escape closes it).
    ASSERT_TRUE(ClickTheCaption(game));
    ASSERT_TRUE(testsupport::DisplayClick(game.SquareCentre(9, 4, 4)));
    HWND hQuestion = WaitForMessageWindow(game.Pid(), 5000);
    ASSERT_TRUE(hQuestion != NULL) << "no question to begin playing";
    Wait(600);
    ASSERT_TRUE(testsupport::DisplayKeys("Return"));
    HWND hNew = WaitForWindow(game.Pid(), "New Puzzle", 5000);
    ASSERT_TRUE(hNew != NULL) << "Yes did not open New Puzzle";
    Wait(800);
    EXPECT_EQ(XWindowOf(hNew), FocusOnTheDisplay()) << "New Puzzle opened from the question has no keyboard";
    ASSERT_TRUE(testsupport::DisplayKeys("Escape"));
    ASSERT_TRUE(WaitUntilGone(hNew, 5000)) << "Escape typed in New Puzzle did not reach it";
    ASSERT_NO_FATAL_FAILURE(ExpectAKeyReachesTheGame(game, "New Puzzle opened from the question closed"));
    EXPECT_EQ(0, game.Close());
}

// Alt+Tab and Shift+Alt+Tab, one to three presses, from another program
// whose window covers the whole game, or only a floating pane (the left
// profile pane, the Timer) and part of the frame: wherever the window
// manager enters the game, the keyboard is in a window of the game that lies
// above the other program's or clear of it, and a key typed then reaches
// the game. Where the presses come round to another program, the window
// manager holds it active and the keyboard stays there.
TEST_F(WindowManagerKeyboard, AltTabFromAnotherProgramLeavesTheKeyboardInAWindowThePlayerSees)
{
    GameWithFloatingPanes setup("Alt+Tab into the game", 600000);
    ASSERT_NO_FATAL_FAILURE(setup.Start(true, true));
    const HWND hFrame = setup.pGame->Frame();
    auto Around = [](HWND hWnd) {
        RECT rc = WindowRect(hWnd);
        ::InflateRect(&rc, 20, 20);
        return rc;
    };
    std::vector<std::pair<std::string, RECT>> covers = {{"the whole game", Around(hFrame)}};
    for (const SeenWindow& pane : setup.panes)
        if (pane.strName.find("Difficulty") != std::string::npos || pane.strName == "Timer")
            covers.push_back({"\"" + pane.strName + "\"", Around(pane.hWnd)});
    ASSERT_EQ(3u, covers.size()) << "the left profile pane or the Timer does not float";
    int nEntered = 0;
    for (const auto& cover : covers)
    {
        HWND hOther = ShowOtherProgramsWindow(cover.second, RGB(30, 140, 110));
        // Where the window manager placed it elsewhere, it is moved there.
        const RECT& rcWanted = cover.second;
        ::SetWindowPos(hOther, NULL, rcWanted.left, rcWanted.top, rcWanted.right - rcWanted.left,
                       rcWanted.bottom - rcWanted.top, SWP_NOZORDER | SWP_NOACTIVATE);
        PumpFor(600);
        const RECT rc = WindowRect(hOther);
        char szActivate[64];
        snprintf(szActivate, sizeof(szActivate), "xdotool windowactivate 0x%lx", XWindowOf(hOther));
        for (bool bShift : {false, true})
            for (int nTabs = 1; nTabs <= 3; nTabs++)
            {
                const std::string strCase = std::string(bShift ? "Shift+" : "") + "Alt+Tab x" +
                                            std::to_string(nTabs) + " from a program covering " + cover.first;
                SCOPED_TRACE(strCase);
                // A while after the last key, the other program comes in
                // front (as by its taskbar button), and the player clicks
                // in it (again where icewm left the keyboard in a window of
                // its own, as it may for any Wine program).
                Wait(600);
                for (int n = 0; n < 3; n++)
                {
                    ASSERT_TRUE(testsupport::RunOnHost(szActivate, NULL, 5000, true));
                    PumpFor(600);
                    ASSERT_TRUE(testsupport::DisplayClick({(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}, true));
                    PumpFor(600);
                    if (XWindowOf(hOther) == FocusOnTheDisplay())
                        break;
                }
                ASSERT_EQ(XWindowOf(hOther), FocusOnTheDisplay()) << "the click did not go to the other program";
                ASSERT_TRUE(testsupport::DisplayAltTab(nTabs, bShift));
                PumpFor(1000);
                // The presses may come round to this program's window, or
                // to another one of this program's (the window manager lists
                // them all).
                const unsigned long nActive = WindowManagersActiveWindow();
                const std::vector<HWND> gameWindows = TopLevels(setup.pGame->Pid(), "");
                if (nActive != 0 && std::none_of(gameWindows.begin(), gameWindows.end(),
                                                 [&](HWND hWnd) { return XWindowOf(hWnd) == nActive; }))
                {
                    EXPECT_EQ(nActive, FocusOnTheDisplay()) << "the other program, active, lost the keyboard";
                    continue;
                }
                nEntered++;
                const HWND hFocused = FocusedGameWindow(*setup.pGame);
                ASSERT_TRUE(hFocused != NULL) << "Alt+Tab did not give the game the keyboard: the display's focus 0x"
                                              << std::hex << FocusOnTheDisplay() << ", the window manager's active "
                                              << "window 0x" << nActive << ", the other program's 0x"
                                              << XWindowOf(hOther) << ", the game's frame 0x" << XWindowOf(hFrame);
                RECT rcBoth, rcFocused = WindowRect(hFocused);
                EXPECT_TRUE(!::IntersectRect(&rcBoth, &rcFocused, &rc) || AboveOnTheDisplay(hFocused, hOther) == hFocused)
                    << "the keyboard is in \"" << WindowText(hFocused) << "\", which the other program covers";
                testsupport::SaveScreenSnapshot(hFrame, "keyboard_after_alt_tab");
                ASSERT_NO_FATAL_FAILURE(ExpectAKeyReachesTheGame(*setup.pGame, strCase));
            }
        ::DestroyWindow(hOther);
        PumpFor(300);
    }
    EXPECT_GE(nEntered, 6) << "Alt+Tab entered the game too seldom to judge";
    setup.Close();
}
