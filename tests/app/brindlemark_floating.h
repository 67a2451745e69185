// What the game's end-to-end tests of its floating windows share (defined in
// brindlemark_floating_test.cpp): the stored form of both profile panes
// floating, what the screen shows of each floating window, moving them and
// judging them in front of the frame, another program's windows, and asking
// the display itself (xwininfo, xprop) through a command of the host.
#pragma once

#include "brindlemark_fixture.h"

#include "support/watchdog.h"

#include <memory>

#include <string>
#include <vector>

namespace gametest
{
// The game's own stored form of both profile panes floating, each in its
// own window; import it with ImportRegistryText before the game starts.
extern const char kTwoFloatingPanesReg[];

// Imports registry text through the system's registry editor; FALSE when
// it could not be run or did not end.
bool ImportRegistryText(const char* pszText);

// TRUE while the game's splash shows, waited for up to nMilliseconds to go.
bool SplashStays(DWORD dwPid, int nMilliseconds);

// TRUE when the game's frame answers a message within a second.
bool AnswersWithinASecond(HWND hFrame);

// A floating window of the game and what the screen showed of its client
// area while nothing could cover it.
struct SeenWindow
{
    std::string strName;
    HWND hWnd;
    std::vector<COLORREF> signature;
};

// The screen pixels on a grid over the window's client area.
std::vector<COLORREF> ClientSamples(HWND hWnd);

// The share (in hundredths) of the samples that show what the signature
// showed, leaving out those under hExcept (NULL: none).
int PercentSeen(const SeenWindow& window, HWND hExcept);

// The two floating panes and the floating Timer and Standard toolbars of a
// running game.
std::vector<SeenWindow> FloatingWindowsOf(const Game& game);

// True when Wine hands this prefix's windows to the display's window manager.
bool WindowsAreManaged();

// Wine's X window of a top-level window of the game; 0 when it has none.
unsigned long XWindowOf(HWND hWnd);

// Which of two top-level windows the display stacks above the other, read
// from the root window's tree (the same under any window manager and with
// none); NULL when the display cannot tell.
HWND AboveOnTheDisplay(HWND hFirst, HWND hSecond);

// The visible top-level windows of hWnd's process other than hWnd and its
// always-on-top ones (tips, menus).
std::vector<HWND> VisibleTopLevelsOfProcess(HWND hWnd);

// The window the display's window manager holds active; 0 when unknown.
unsigned long ActiveOnTheDisplay();

// The display's input focus (the client window holding it); 0 when unknown.
unsigned long FocusOnTheDisplay();

// Moves a top-level window (and sizes it, when cx > 0) and waits until it
// lies there for the system and on the display.
bool MoveTopLevel(HWND hWnd, int x, int y, int cx, int cy);

// Takes what the screen shows of a floating window once it is steady.
void TakeSignature(SeenWindow& window);

// Moves the floating windows aside, takes their signatures, and moves them
// over the frame's board view.
void PlaceOverTheView(const Game& game, std::vector<SeenWindow>& windows);

// Each floating window is seen in front of the frame (75% of it at least,
// leaving out what lies under hExcept), and the game answers.
void ExpectFloatingWindowsInFront(const Game& game, const std::vector<SeenWindow>& windows, const char* pszWhen,
                                  HWND hExcept);

// A window of this program (another program than the game), filled with
// one colour, activated over the given screen rectangle.
HWND ShowOtherProgramsWindow(const RECT& rc, COLORREF cr);

// An always-on-top window of another program (this one), filled with one
// colour, shown without activation.
HWND ShowAlwaysOnTopWindow(const RECT& rc, COLORREF cr);

// Pumps this program's messages for a while.
void PumpFor(DWORD dwMilliseconds);

// Activates the game's frame from this program and waits until it stays
// the foreground window for a moment.
bool BringFrameToFront(HWND hFrame);

// A click on the frame's caption as a player makes it, with or without a
// window manager (see its definition); hDialog: a dialog of the game open
// then, or NULL.
void ClickTheFramesCaption(HWND hFrame, HWND hDialog);

COLORREF ScreenColour(POINT pt);

// Opens the colour dialog of a floating Appearance pane's first colour row
// (its "..." button); the dialog, or NULL with the reason as a failure.
HWND OpenColourDialogOfThePane(const Game& game, HWND hPane);

// Drags the Timer toolbar out by its gripper to a screen point, where it
// floats; false when the game shows no Timer toolbar.
bool DragTimerBarOut(const Game& game, POINT ptTo);

// The game with both profile panes floating, each in its own window, as a
// player leaves them: their stored form imported after a first run (in
// which the Timer is dragged out to float too, when asked), and the game
// started again and brought to the front. A watchdog ends the test and the
// game if anything hangs.
struct GameWithFloatingPanes
{
    testsupport::Watchdog watchdog;
    std::unique_ptr<Game> pGame;
    std::vector<SeenWindow> panes;   // Appearance, Difficulty (and the Timer, the Standard bar)

    GameWithFloatingPanes(const char* pszWhat, DWORD dwMilliseconds) : watchdog(pszWhat, dwMilliseconds) {}

    // Starts as above; bOverTheView: the floating windows are then placed
    // over the board, their pictures taken, and the game activated again;
    // bStandardToo: the Standard toolbar is dragged out to float too.
    void Start(bool bTimerToo, bool bOverTheView, bool bStandardToo = false);

    // Closes the game (it closes cleanly) and starts it again: its floating
    // windows come back where they were and are seen as they lie then.
    void Restart();

    // Closes the game (it closes cleanly) and removes its stored layout.
    void Close();
};
} // namespace gametest
