// What the game's end-to-end tests (app_brindlemark_test) share. They start
// the built Brindlemark.exe as a process and play it from outside as a player
// would, each topic in a file brindlemark_<topic>_test.cpp of its own: here
// are the program as a process (Game), the fixture that starts each test from
// no stored settings (Brindlemark), and the helpers that more than one of
// those files uses to find the game's windows and to play it with real
// pointer and keyboard input. Screens of each step go to the snapshots.
#pragma once

#include "support/registry.h"
#include "support/wndtest.h"

#include <algorithm>
#include <string>
#include <vector>

namespace gametest
{
// The game's key of the player's settings (under HKEY_CURRENT_USER).
inline const char* const kUserKey = testsupport::GameKey();

// The built game beside the test programs: build/app/Brindlemark.exe.
std::string ExePath();

// Waits, pumping this program's own messages meanwhile.
void Wait(int nMilliseconds);

// A visible top-level window of the process with that title, waited for
// (looked for at least once, however short the wait).
HWND WaitForWindow(DWORD dwPid, const std::string& strTitle, int nMilliseconds = 15000);

// TRUE once the window is gone, waiting up to nMilliseconds for the game
// (another process, slower on a busy machine) to close it.
bool WaitUntilGone(HWND hWnd, int nMilliseconds = 15000);

// Waits for a game started by the test itself to end (ending it by force,
// a failure, when it does not) and closes its handles.
void WaitForGameToEnd(PROCESS_INFORMATION& pi);

// The windows below hWnd with that text and of that class (either empty:
// any).
std::vector<HWND> Descendants(HWND hWnd, const std::string& strText, const std::string& strClass);

// Presses a dialog's button, found by its text, as a click would (posted).
void ClickButton(HWND hDialog, const std::string& strText);

// Waits for the game's question or dialog, presses its button of that text
// and waits until it is gone; false when no dialog came or it stayed.
bool AnswerDialog(DWORD dwPid, const std::string& strButton);

// Clicks the left or right button nClicks times at a screen point with the
// real pointer.
void ClickScreen(POINT pt, bool bRight, int nClicks = 1);

// Presses the keys down in order and lets them go in reverse, as a chord.
void PressKeys(std::vector<WORD> keys);

// An 8 x 8 patch of screen pixels from the point down and right: a
// square's fill can be a hatch, so one pixel may read the same before and
// after a change.
typedef std::vector<COLORREF> Patch;

Patch ScreenPatch(POINT pt);

// The screen patch once it is (bEqual) or is no longer (!bEqual) the
// given one: Wine brings another process's painting to the screen a little
// later, and a busy machine later still. The last patch read when that
// does not happen within fifteen seconds.
Patch WaitForPatch(POINT pt, const Patch& patch, bool bEqual);

// TRUE when a window's centre lies within a few pixels of another's.
bool IsCentredOver(HWND hWnd, HWND hOwner);

// Starts the game with the arguments after its path (each with its leading
// space, as " /p \"file\""); pi receives the process and its thread.
bool StartGameWith(const std::string& strArguments, PROCESS_INFORMATION& pi);
// Starts a copy of the game at its wide-character path (a folder of any
// letters); pi receives the process and its thread.
bool StartGameAt(const std::wstring& strExe, PROCESS_INFORMATION& pi);

// The program as a process, its frame found by the title.
class Game
{
public:
    // strTitle: the frame's title to wait for (a puzzle named on the
    // command line titles it with the file's name).
    Game(const std::string& strArguments = std::string(), const std::string& strTitle = "Untitled - Brindlemark")
    {
        if (StartGameWith(strArguments, m_pi))
            WaitForFrame(strTitle);
    }
    // A copy of the game started from its wide-character path.
    explicit Game(const std::wstring& strExe)
    {
        if (StartGameAt(strExe, m_pi))
            WaitForFrame("Untitled - Brindlemark");
    }
    ~Game()
    {
        if (m_pi.hProcess != NULL)
        {
            if (::WaitForSingleObject(m_pi.hProcess, 0) != WAIT_OBJECT_0)
                ::TerminateProcess(m_pi.hProcess, 1);
            ::CloseHandle(m_pi.hThread);
            ::CloseHandle(m_pi.hProcess);
        }
    }
    HWND Frame() const { return m_hWnd; }
    DWORD Pid() const { return m_pi.dwProcessId; }
    HANDLE Handle() const { return m_pi.hProcess; }
    bool IsRunning() const
    {
        return m_pi.hProcess != NULL && ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT;
    }
    HANDLE Process() const { return m_pi.hProcess; }
    void Command(UINT nID)
    {
        ::PostMessage(m_hWnd, WM_COMMAND, nID, 0);
        Wait(300);
    }
    // Closes the frame and waits for the process; its exit code, or -1.
    int Close()
    {
        ::PostMessage(m_hWnd, WM_CLOSE, 0, 0);
        return WaitForExit();
    }
    int WaitForExit()
    {
        if (::WaitForSingleObject(m_pi.hProcess, 20000) != WAIT_OBJECT_0)
            return -1;
        DWORD dwExit = 1;
        ::GetExitCodeProcess(m_pi.hProcess, &dwExit);
        return (int)dwExit;
    }
    // Brings the frame to the front (maximized when bMaximize) and gives it
    // nSettle milliseconds to get there; the frame.
    HWND ToFront(int nSettle = 200, bool bMaximize = false) const
    {
        if (bMaximize)
            ::ShowWindow(m_hWnd, SW_MAXIMIZE);
        ::SetForegroundWindow(m_hWnd);
        Wait(nSettle);
        return m_hWnd;
    }
    HWND View() const { return ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST); }
    // The screen point of a square's centre on an n x n board, laid out as
    // the view lays it out: squares of four fifths of the shorter side,
    // centred.
    POINT SquareCentre(int nSide, int nColumn, int nRow, int* pnSize = NULL)
    {
        RECT rc;
        ::GetClientRect(View(), &rc);
        const int s = std::min(rc.right, rc.bottom) * 4 / 5 / nSide;
        POINT pt = {(rc.right - s * nSide) / 2 + nColumn * s + s / 2, (rc.bottom - s * nSide) / 2 + nRow * s + s / 2};
        ::ClientToScreen(View(), &pt);
        if (pnSize != NULL)
            *pnSize = s;
        return pt;
    }

    // A square's rectangle on the screen on a board of nColumns x nRows,
    // as the view lays it out: squares as large as four fifths of each of
    // the view's sides allow, the board centred in the rest.
    RECT SquareRect(int nColumns, int nRows, int nColumn, int nRow) const
    {
        RECT rc;
        ::GetClientRect(View(), &rc);
        const int w = rc.right - rc.right / 5, h = rc.bottom - rc.bottom / 5;
        const int s = std::min(w / nColumns, h / nRows);
        POINT pt = {(w - s * nColumns) / 2 + rc.right / 10 + nColumn * s,
                    (h - s * nRows) / 2 + rc.bottom / 10 + nRow * s};
        ::ClientToScreen(View(), &pt);
        return RECT{pt.x, pt.y, pt.x + s, pt.y + s};
    }

private:
    void WaitForFrame(const std::string& strTitle)
    {
        ::WaitForInputIdle(m_pi.hProcess, 10000);
        m_hWnd = WaitForWindow(m_pi.dwProcessId, strTitle);
        // The splash goes after its own time; the first layout follows 100 ms
        // after the frame.
        for (int n = 0; n < 100 && WaitForWindow(m_pi.dwProcessId, "", 10) != NULL; n++)
            Wait(50);
        Wait(300);
    }

    PROCESS_INFORMATION m_pi = {};
    HWND m_hWnd = NULL;
};

// Removes the game's stored settings and profiles.
void ClearSettings();

// The window class of the windows this program shows as another program's.
extern const char kOtherProgramClass[];

// Destroys this thread's windows shown as another program's that are still
// there.
void CloseOtherProgramsWindows();

// Each test starts the built program from no stored settings.
class Brindlemark : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (::GetFileAttributes(ExePath().c_str()) == INVALID_FILE_ATTRIBUTES)
            GTEST_SKIP() << "the program is not built: " << ExePath();
        ClearSettings();
    }
    // Another program's window a test left (it failed on the way, or kept
    // it to the end) would lie over the next test's game and take its
    // clicks and keyboard.
    void TearDown() override { CloseOtherProgramsWindows(); }
};

// The top-level windows of the process of a class (of any class when none
// is named), visible or not, in Z order from the top.
std::vector<HWND> TopLevels(DWORD dwPid, const std::string& strClass);

// The visible top-level windows of a class of the process.
std::vector<HWND> VisibleTopLevels(DWORD dwPid, const std::string& strClass);

// The first visible top-level window of a class of the process, other than
// hOther, waited for up to nMilliseconds; NULL when none shows.
HWND WaitForVisibleTopLevel(DWORD dwPid, const std::string& strClass, int nMilliseconds, HWND hOther = NULL);

// A window's text (the title of a top-level window).
std::string WindowText(HWND hWnd);

// The Timer toolbar's window, docked or floating; NULL when it has none.
HWND TimerBar(const Game& game);

// Presses the left button at one screen point, moves to another in steps
// and lets go there.
void DragScreen(POINT ptFrom, POINT ptTo);

// TRUE when hWnd lies above hBelow in the Z order of the top-level windows.
bool IsAbove(HWND hWnd, HWND hBelow);

// The visible popup bar of the process (a menu or context menu) that is
// open, waited for; NULL when none opens.
HWND WaitForPopupBar(DWORD dwPid);

// TRUE when the window is a top-level one (a floating bar or pane).
bool IsFloating(HWND hWnd);

// A window's rectangle on the screen.
RECT WindowRect(HWND hWnd);

// The visible dialog of the process that is not hOther, waited for.
HWND WaitForDialogOtherThan(DWORD dwPid, HWND hOther, int nMilliseconds = 5000);

// The text of a message dialog's message.
std::string MessageText(HWND hDialog);

// TRUE when a popup bar (a menu) of the process shows.
bool AnyPopupBarVisible(DWORD dwPid);

// Chooses a menu command as a keyboard player does: Alt, the menu's letter,
// then the keys given (arrows, ending with Return), each pressed and let go.
void ChooseWithKeys(HWND hFrame, WORD chMenu, const std::vector<WORD>& keys);

// The game's first visible floating pane window, or NULL.
HWND FloatingPane(const Game& game);

// The window that has the keyboard focus in the game's thread.
HWND FocusOf(HWND hWnd);

// The visible message window of the process (wherever it lies in the
// order of windows), waited for.
HWND WaitForMessageWindow(DWORD dwPid, int nMilliseconds);

// The visible windows of a class inside the frame.
std::vector<HWND> VisibleDescendants(HWND hFrame, const std::string& strClass);

// View > Appearance Profile > "Show this puzzle's Appearance Info pane..."
// or View > Difficulty Profile > "Show this puzzle's Difficulty Info
// pane...", chosen with the keys.
void ChooseProfilePaneEntry(const Game& game, bool bDifficulty);

// Clicks the pin at the right end of a docked pane's caption.
void ClickPin(HWND hContainer);

// Empties the stored difficulty list and stores one profile of its own: a
// square grid of that side with a target time, forcing completion.
void StoreOnlyDifficultyProfile(int nSide, int nMinutes, bool bForceComplete);

// The centre of a button of the Timer toolbar docked in the frame, where
// its layout puts it (texts below the icons): Pause and Play after the
// gripper, the clock, then the three display modes.
POINT TimerButton(HWND hBar, UINT nID);

// Waits, up to a minute, until the New Puzzle dialog hNew (if any) is gone
// and no progress window of the game shows: the puzzle is made. True then.
bool WaitForPuzzleMade(const Game& game, HWND hNew = NULL);

// Ctrl+N, OK in the New Puzzle dialog (the first difficulty profile), and
// the wait for the progress window; TRUE once the frame is the player's
// again.
bool MakePuzzleWithCtrlN(Game& game);

// The visible dialogs (class #32770) of the process.
std::vector<HWND> VisibleDialogs(DWORD dwPid);

// Clicks a dialog's button where it lies on the screen.
void ClickDialogButton(HWND hDialog, int nID);

// The status text once it is the given one, or the last read within five
// seconds: the prompt follows the menu's selection a little later.
std::string WaitForStatusText(HWND hFrame, const std::string& strText);

// Makes a puzzle from the New Puzzle dialog (Ctrl+N, OK) and waits until
// the frame is the player's again; false when that did not happen.
bool MakePuzzle(Game& game);

// TRUE when the game's keyboard focus is the window or lies inside it.
bool HasFocusIn(HWND hFrame, HWND hWnd);

// A point in the lower part of a window: in a profile pane, the grid's
// empty area or its last rows.
POINT LowerMiddle(HWND hWnd);

// Stores a difficulty profile of the given size last in the player's list;
// the New Puzzle dialog then offers it last.
void AddSizedProfile(const char* pszName, int nColumns, int nRows);

// Chooses the last difficulty profile in a New Puzzle dialog and presses OK.
void ChooseLastProfile(HWND hDialog);

// The list box that is the view of the grid with the most rows among the
// frame's property grids.
HWND LargestGridView(HWND hFrame);

// Closes the game, answering a save question with Don't Save when one
// comes within nMilliseconds; the game's exit code, or -1.
int CloseWithoutSaving(Game& game, int nMilliseconds = 5000);

// The name box of a file dialog: the combo box of the dialog laid out with
// places, or the edit box; NULL when it has neither.
HWND FileNameBox(HWND hDialog);

// Ctrl+S on a puzzle not saved before: the Save As dialog gets the path in
// its name box, and OK. False, with the reason as a failure, when the
// dialog or its name box does not show.
bool SaveAsWithCtrlS(const Game& game, const std::string& strFile);

// Presses a button of a page or dialog by its text, through its parent;
// false when it has no such button.
bool PressChildButton(HWND hTop, const std::string& strText);

// Opens the Customize sheet (View > Toolbars > Customize...) and brings it
// to the front once it is there; NULL when it did not open.
HWND OpenCustomize(Game& game);

// A file of the bytes in the program's temporary folder; its path.
std::string WriteTempFile(const char* pszName, const std::vector<BYTE>& data);

// The button editor's Import: the file dialog gets the path and OK.
void ImportIntoEditor(DWORD dwPid, HWND hEditor, const std::string& strPath);
} // namespace gametest
