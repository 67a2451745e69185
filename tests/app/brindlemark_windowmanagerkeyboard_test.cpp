// The keyboard on a desktop with a window manager, judged by the display's
// input focus and by a key typed at once on the display's keyboard (Ctrl+O
// opens the Open dialog only when the game has the keyboard): after each of
// the game's dialogs closes, also after a round to another program and
// back and a nested window opened and closed, and when a dialog opens from
// a question; and after Alt+Tab into the game from another program. Run by
// app_brindlemark_test_desktop under openbox, icewm and fluxbox; skipped
// where no window manager manages the game's windows.
// ctest: run-serial
// ctest: lock registry
#include "brindlemark_fixture.h"
#include "brindlemark_floating.h"

#include "support/hostinput.h"
#include "support/snapshot.h"
#include "support/watchdog.h"

#include "resource.h"

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
    HWND hOpen = WaitForWindow(game.Pid(), "Open", 3000);
    testsupport::SaveScreenSnapshot(game.Frame(), "keyboard_after_a_dialog");
    ASSERT_TRUE(hOpen != NULL) << strAfter << ": Ctrl+O did not reach the game";
    Wait(500);
    ASSERT_TRUE(testsupport::DisplayKeys("Escape"));
    ASSERT_TRUE(WaitUntilGone(hOpen, 5000)) << "Escape did not close the Open dialog " << strAfter;
}

// The window manager's Alt+Tab, pressed on the display's keyboard.
bool AltTab()
{
    return testsupport::RunOnHost("xdotool keydown alt sleep 0.2 key Tab sleep 0.2 keyup alt");
}

// Leaves the dialog for another program's window (clicked) and comes back
// to it by a click; the other program's window stays open (hOther).
void RoundToAnotherProgram(const Game& game, HWND hDialog, HWND& hOther)
{
    RECT rc = WindowRect(game.Frame());
    rc = {rc.right - 160, rc.bottom - 160, rc.right + 40, rc.bottom + 40};
    hOther = ShowOtherProgramsWindow(rc, RGB(30, 140, 110));
    PumpFor(600);
    ASSERT_TRUE(testsupport::DisplayClick({rc.right - 30, rc.bottom - 30}));
    PumpFor(600);
    const RECT rcDialog = WindowRect(hDialog);
    ASSERT_TRUE(testsupport::DisplayClick({(rcDialog.left + rcDialog.right) / 2, rcDialog.top + 8}));
    PumpFor(800);
    ASSERT_EQ(XWindowOf(hDialog), FocusOnTheDisplay()) << "the click did not come back to the dialog";
}

// TRUE when the display stacks hWnd's top-level window (its own, or the
// window manager's frame around it) above hOther's, read with xwininfo,
// which lists the root's children top first.
bool LiesAbove(HWND hWnd, HWND hOther)
{
    std::string strTree;
    if (!testsupport::RunOnHost("xwininfo -root -tree 2>/dev/null", &strTree, 5000))
        return false;
    auto PlaceOf = [&](HWND h) {
        const size_t nAt = strTree.find(" 0x" + [&] {
            char sz[32];
            snprintf(sz, sizeof(sz), "%lx ", XWindowOf(h));
            return std::string(sz);
        }());
        return nAt == std::string::npos ? std::string::npos : strTree.rfind("\n     0x", nAt);
    };
    return PlaceOf(hWnd) != std::string::npos && PlaceOf(hWnd) < PlaceOf(hOther);
}
} // namespace

// Each dialog of the game closed by Escape on the display's keyboard, with
// the game in front throughout and after a round to another program and
// back, some after a nested window opened and closed: the Open dialog, the
// About box, the Customize sheet (its Reset... question), New Puzzle (its
// profile list), and the question to begin playing, whose Yes opens New
// Puzzle, which must get the keyboard itself.
TEST_F(WindowManagerKeyboard, AfterEachDialogClosesAKeyTypedAtOnceReachesTheGame)
{
    testsupport::Watchdog watchdog("the keyboard after each dialog", 300000);
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    watchdog.AlsoEnd(game.Process());
    ASSERT_TRUE(testsupport::HasDisplayInput()) << "the display's keyboard cannot be driven (xdotool)";
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
        {"the Customize sheet",
         [&] {
             game.Command(ID_VIEW_CUSTOMIZE);
             HWND hSheet = WaitForWindow(game.Pid(), "Customize", 5000);
             Wait(600);
             return hSheet;
         },
         [&](HWND hSheet) {
             HWND hPage = (HWND)::SendMessage(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0);
             HWND hList = ::GetDlgItem(hPage, 100);
             ::SendMessage(hList, LB_SETCURSEL,
                           ::SendMessageA(hList, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM) "Standard"), 0);
             ::PostMessage(hPage, WM_COMMAND, MAKEWPARAM(100, LBN_SELCHANGE), (LPARAM)hList);
             Wait(300);
             const std::vector<HWND> buttons = Descendants(hPage, "R&eset...", "Button");
             ASSERT_FALSE(buttons.empty()) << "no button Reset...";
             ClickDialogButton(hPage, ::GetDlgCtrlID(buttons[0]));
             CloseNested(hSheet);
         }},
        {"New Puzzle", [&] { return Opened("ctrl+n", "New Puzzle"); },
         [&](HWND hNew) {
             ClickDialogButton(hNew, IDC_EDIT_APPEARANCE_PROFILES);
             CloseNested(hNew);
         }},
    };
    for (bool bRound : {false, true})
        for (const Case& test : cases)
        {
            const std::string strAfter =
                std::string(test.pszName) + (bRound ? " closed after a round to another program" : " closed");
            SCOPED_TRACE(strAfter);
            ASSERT_TRUE(ClickTheCaption(game));
            HWND hDialog = test.open();
            ASSERT_TRUE(hDialog != NULL) << test.pszName << " did not open";
            HWND hOther = NULL;
            if (bRound)
            {
                ASSERT_NO_FATAL_FAILURE(RoundToAnotherProgram(game, hDialog, hOther));
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

// Alt+Tab from another program, whose window covers the game's frame and
// floating windows (both profile panes and the Timer): the keyboard is in
// a window of the game that lies above the other program's, and a key
// typed then reaches the game.
TEST_F(WindowManagerKeyboard, AltTabFromAnotherProgramLeavesTheKeyboardInAWindowThePlayerSees)
{
    GameWithFloatingPanes setup("Alt+Tab into the game", 200000);
    ASSERT_NO_FATAL_FAILURE(setup.Start(true, true));
    RECT rc = WindowRect(setup.pGame->Frame());
    ::InflateRect(&rc, 20, 20);
    HWND hOther = ShowOtherProgramsWindow(rc, RGB(30, 140, 110));
    PumpFor(800);
    ASSERT_TRUE(testsupport::DisplayClick({(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}));
    PumpFor(600);
    ASSERT_TRUE(AltTab());
    PumpFor(1000);
    const HWND hFocused = FocusedGameWindow(*setup.pGame);
    ASSERT_TRUE(hFocused != NULL) << "Alt+Tab did not give the game the keyboard";
    EXPECT_TRUE(LiesAbove(hFocused, hOther)) << "the keyboard is in \"" << WindowText(hFocused)
                                             << "\", which the other program covers";
    testsupport::SaveScreenSnapshot(setup.pGame->Frame(), "keyboard_after_alt_tab");
    ASSERT_NO_FATAL_FAILURE(ExpectAKeyReachesTheGame(*setup.pGame, "Alt+Tab into the game"));
    ::DestroyWindow(hOther);
    setup.Close();
}
