// The board and play: a puzzle made from the New Puzzle dialog, clicked,
// paused and saved with Ctrl+S, a paused board, the time limit and its
// questions, the progress window, and damaged or short-named puzzle files.
// ctest: run-serial
// ctest: lock registry
#include "brindlemark_fixture.h"

#include "support/snapshot.h"

#include "ApplicationInfo.h"
#include "CreateProgress.h"
#include "HTDataContainer.h"
#include "HTFileDialog.h"
#include "HTGenerator.h"
#include "resource.h"

#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

using namespace gametest;

namespace
{
// Lets go of both mouse buttons.
void ReleaseMouseButtons()
{
    INPUT release[2] = {};
    release[0].type = release[1].type = INPUT_MOUSE;
    release[0].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    release[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
    ::SendInput(2, release, sizeof(INPUT));
    Wait(200);
}

// The docked profile panes as an accessibility client in another program
// reads them: each group of the frame is a tab list of one pane (child 2;
// child 1 is the pane's window) named by its title, lying where its window
// lies.
void ExpectPaneGroupsAnswerAccessibilityClients(HWND hFrame)
{
    static const HRESULT s_hrCom = ::CoInitialize(NULL);
    (void)s_hrCom;
    VARIANT self, tab, answer;
    self.vt = tab.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    tab.lVal = 2;
    std::vector<std::wstring> names;
    for (HWND hGroup : Descendants(hFrame, "", "XTPDockingPaneTabbedContainer"))
    {
        IAccessible* pAcc = NULL;
        HRESULT hr = ::AccessibleObjectFromWindow(hGroup, (DWORD)OBJID_CLIENT, IID_IAccessible, (void**)&pAcc);
        ASSERT_TRUE(SUCCEEDED(hr) && pAcc != NULL) << "no accessible object of a pane group, 0x" << std::hex << hr;
        long nCount = 0, x = 0, y = 0, cx = 0, cy = 0;
        EXPECT_TRUE(pAcc->get_accRole(self, &answer) == S_OK && answer.lVal == ROLE_SYSTEM_PAGETABLIST);
        EXPECT_TRUE(pAcc->get_accChildCount(&nCount) == S_OK && nCount == 2);
        BSTR bstr = NULL;
        EXPECT_EQ(S_OK, pAcc->get_accName(tab, &bstr));
        names.push_back(bstr != NULL ? bstr : L"");
        ::SysFreeString(bstr);
        const RECT rc = WindowRect(hGroup);
        EXPECT_EQ(S_OK, pAcc->accLocation(&x, &y, &cx, &cy, self));
        EXPECT_TRUE(x == rc.left && y == rc.top && cx == rc.right - rc.left && cy == rc.bottom - rc.top);
        pAcc->Release();
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ((std::vector<std::wstring>{L"This puzzle's Appearance Info", L"This puzzle's Difficulty Info"}), names);
}
} // namespace

// Puzzle files named on the command line that cannot be played: each says
// what is wrong with it, and the game goes on with its empty board.
TEST_F(Brindlemark, ADamagedPuzzleFileSaysWhatIsWrongAndTheGameGoesOn)
{
    char szTemp[MAX_PATH];
    ::GetTempPath(MAX_PATH, szTemp);
    const std::string strFile = std::string(szTemp) + "e2e_damaged.hti";
    const struct
    {
        const char* pszText;
        const char* pszMessage;
    } files[] = {
        {"FVH[TRI]2\r\n5\r\n5\r\n1\r\n0,0,0,0,0,0,0,0,0,0,0,0,0,1,0,0,0,\r\n",
         "This puzzle file is damaged and cannot be loaded.\n\nThe file ends after line 5, before the puzzle is "
         "complete."},
        {"FVH[TRI]2\r\n500\r\n5\r\n1\r\n",
         "This puzzle file is damaged and cannot be loaded.\n\nLine 2 holds a value that no puzzle can have."},
        {"BM\x1a\x02\r\n", "This file is not a puzzle file and cannot be loaded."},
    };
    for (const auto& file : files)
    {
        std::ofstream(strFile, std::ios::binary) << file.pszText;
        Game game(" \"" + strFile + "\"");
        // The message box, not the splash window, which has no title either.
        HWND hMessage = NULL;
        for (int n = 0; n < 200 && hMessage == NULL; n++)
        {
            HWND hUntitled = WaitForWindow(game.Pid(), "", 50);
            if (hUntitled != NULL && ::GetDlgItem(hUntitled, IDC_MESSAGE_TEXT) != NULL)
                hMessage = hUntitled;
            else
                Wait(50);
        }
        ASSERT_TRUE(hMessage != NULL) << file.pszMessage;
        char szText[512] = "";
        ::GetDlgItemTextA(hMessage, IDC_MESSAGE_TEXT, szText, sizeof(szText));
        EXPECT_STREQ(file.pszMessage, szText);
        ClickButton(hMessage, "OK");
        HWND hFrame = WaitForWindow(game.Pid(), "Untitled - Brindlemark");
        EXPECT_TRUE(hFrame != NULL) << "the game goes on: " << file.pszMessage;
        // One message only: no second one follows the first.
        Wait(500);
        HWND hAnother = WaitForWindow(game.Pid(), "", 10);
        EXPECT_FALSE(hAnother != NULL && ::GetDlgItem(hAnother, IDC_MESSAGE_TEXT) != NULL) << file.pszMessage;
        if (hFrame != NULL)
        {
            ::PostMessage(hFrame, WM_CLOSE, 0, 0);
            EXPECT_EQ(0, game.WaitForExit());
        }
    }
    ::DeleteFile(strFile.c_str());
    ClearSettings();
}

TEST_F(Brindlemark, APuzzleIsMadePlayedPausedAndSavedWithCtrlS)
{
    // A 9 x 9 difficulty profile of the player's own, last in the list.
    g_ApplicationInfo.m_GradeInfoList.LoadFromRegistry();
    CGradeInfo nine = CGradeInfo::MakeEasyProfile();
    nine.m_strProfileName = "Nine";
    nine.m_nColumns = nine.m_nRows = 9;
    g_ApplicationInfo.m_GradeInfoList.AddProfile(nine);
    ASSERT_TRUE(g_ApplicationInfo.m_GradeInfoList.SaveToRegistry());

    char szTemp[MAX_PATH];
    ::GetTempPath(MAX_PATH, szTemp);
    const std::string strFile = std::string(szTemp) + "e2e_puzzle.hti";
    ::DeleteFile(strFile.c_str());

    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    HWND hFrame = game.Frame();
    ::SetForegroundWindow(hFrame);

    // The difficulty profile list, opened from the View menu, only manages
    // the profiles: Copy is not offered. Like every dialog it opens centred
    // over the frame.
    ::PostMessage(hFrame, WM_COMMAND, ID_DIFFICULTY_LIST, 0);
    HWND hList = WaitForWindow(game.Pid(), "Difficulty Profile List");
    ASSERT_TRUE(hList != NULL);
    Wait(300);
    EXPECT_TRUE(IsCentredOver(hList, hFrame));
    ASSERT_TRUE(::GetDlgItem(hList, 1011) != NULL);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hList, 1011)));
    ::PostMessage(hList, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntilGone(hList));

    // Ctrl+N: New Puzzle, centred over the frame; the last difficulty
    // profile, OK.
    ::SetForegroundWindow(hFrame);
    PressKeys({VK_CONTROL, 'N'});
    HWND hDialog = WaitForWindow(game.Pid(), "New Puzzle");
    ASSERT_TRUE(hDialog != NULL);
    Wait(300);
    EXPECT_TRUE(IsCentredOver(hDialog, hFrame));
    HWND hGrades = ::GetDlgItem(hDialog, IDC_DIFFICULTY_PROFILE);
    const int nGrades = (int)::SendMessage(hGrades, CB_GETCOUNT, 0, 0);
    ASSERT_EQ(5, nGrades);
    ::SendMessage(hGrades, CB_SETCURSEL, nGrades - 1, 0);
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hDialog, "new_puzzle_dialog").empty());
    ClickButton(hDialog, "OK");
    ASSERT_TRUE(WaitUntilGone(hDialog));
    // The progress window shows while the puzzle is made, then goes.
    ASSERT_TRUE(WaitForPuzzleMade(game));
    Wait(500);

    // The frame is given back to the player once the progress window goes.
    ::SetForegroundWindow(hFrame);
    for (int n = 0; n < 100 && (!::IsWindowEnabled(hFrame) || ::GetForegroundWindow() != hFrame); n++)
    {
        Wait(50);
        ::SetForegroundWindow(hFrame);
    }
    ASSERT_TRUE(::IsWindowEnabled(hFrame));

    // A button another program left held on the display is let go first.
    ReleaseMouseButtons();

    // Clicks on the board: the left click shades a square, the right click
    // marks another unshaded; each repaints at once.
    int s = 0;
    POINT ptShade = game.SquareCentre(9, 2, 2, &s);
    ASSERT_GT(s, 10);
    POINT ptCorner = {ptShade.x - s / 2 + s / 8, ptShade.y - s / 2 + s / 8};
    const Patch before = ScreenPatch(ptCorner);
    ::SetForegroundWindow(hFrame);
    ClickScreen(ptShade, false);
    const DWORD dwClicked = ::GetTickCount();
    EXPECT_TRUE(before != WaitForPatch(ptCorner, before, false)) << ::GetTickCount() - dwClicked << " ms";
    ClickScreen(game.SquareCentre(9, 3, 2), false);
    // Ctrl+Z takes the last move back.
    POINT ptMarked = game.SquareCentre(9, 6, 6);
    POINT ptMarkedCorner = {ptMarked.x - s / 2 + s / 8, ptMarked.y - s / 2 + s / 8};
    const Patch unmarked = ScreenPatch(ptMarkedCorner);
    ClickScreen(ptMarked, true);
    EXPECT_TRUE(unmarked != WaitForPatch(ptMarkedCorner, unmarked, false));
    ::SetForegroundWindow(hFrame);
    PressKeys({VK_CONTROL, 'Z'});
    EXPECT_TRUE(unmarked == WaitForPatch(ptMarkedCorner, unmarked, true)) << "Ctrl+Z";
    ClickScreen(ptMarked, true);
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "puzzle_in_progress").empty());

    // Pause: the board is hidden until Play.
    const Patch marked = ScreenPatch(ptCorner);   // now beside another shaded square
    game.Command(ID_TIMER_PAUSE);
    EXPECT_TRUE(marked != WaitForPatch(ptCorner, marked, false));
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "paused").empty());
    game.Command(ID_TIMER_PLAY);
    Wait(1200);   // at least a second on the clock
    EXPECT_TRUE(marked == WaitForPatch(ptCorner, marked, true));

    // Ctrl+S on a puzzle never saved asks for a name and writes the puzzle
    // file with the seconds played last.
    ASSERT_TRUE(SaveAsWithCtrlS(game, strFile));
    // The title names the file once it is written.
    char szTitle[256] = "";
    for (int n = 0; n < 300 && strcmp(szTitle, "e2e_puzzle.hti - Brindlemark") != 0; n++)
    {
        Wait(50);
        ::GetWindowText(hFrame, szTitle, sizeof(szTitle));
    }
    std::ifstream file(strFile);
    ASSERT_TRUE(file.good()) << strFile;
    std::string strLine, strLast;
    int nLines = 0;
    while (std::getline(file, strLine))
    {
        if (!strLine.empty() && strLine != "\r")
            strLast = strLine;
        nLines++;
    }
    EXPECT_GT(nLines, 81);
    EXPECT_GE(atoi(strLast.c_str()), 1) << strLast;
    EXPECT_STREQ("e2e_puzzle.hti - Brindlemark", szTitle);

    // The tutorial and the about box show and close.
    ::PostMessage(hFrame, WM_COMMAND, ID_SHOW_TUTORIAL, 0);
    HWND hTutorial = NULL;
    for (int n = 0; n < 100 && hTutorial == NULL; n++)
    {
        HWND hActive = ::GetForegroundWindow();
        DWORD dwPid = 0;
        ::GetWindowThreadProcessId(hActive, &dwPid);
        if (hActive != hFrame && dwPid == game.Pid())
            hTutorial = hActive;
        else
            Wait(50);
    }
    ASSERT_TRUE(hTutorial != NULL);
    Wait(500);
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hTutorial, "tutorial").empty());
    ::PostMessage(hTutorial, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitUntilGone(hTutorial));

    // Both profile panes docked beside the board.
    game.Command(ID_APPEARANCE_PANE);
    game.Command(ID_DIFFICULTY_PANE);
    EXPECT_EQ(2u, Descendants(hFrame, "", "XTPPropertyGrid").size());
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "both_panes_docked").empty());
    ExpectPaneGroupsAnswerAccessibilityClients(hFrame);

    // A colour row's "..." opens the game's own colour dialog: the first
    // colour row of the appearance grid (the grid with the most rows) is
    // selected, then its button, at the row's right end, is clicked.
    // The panes are laid out after their commands, later on a busy machine:
    // the row is clicked once its place on the screen holds still.
    HWND hView = LargestGridView(hFrame);
    ASSERT_TRUE(hView != NULL);
    auto rowOnScreen = [&] {
        RECT rc = {};
        if ((int)::SendMessage(hView, LB_GETITEMRECT, 1, (LPARAM)&rc) == LB_ERR)
            return RECT{};
        ::MapWindowPoints(hView, NULL, (POINT*)&rc, 2);
        return rc;
    };
    RECT rcRow = rowOnScreen();
    for (int n = 0; n < 60; n++)
    {
        Wait(250);
        const RECT rcNow = rowOnScreen();
        if (::EqualRect(&rcNow, &rcRow) && !::IsRectEmpty(&rcNow))
            break;
        rcRow = rcNow;
    }
    ASSERT_FALSE(::IsRectEmpty(&rcRow));
    const POINT ptRow = {rcRow.left + 20, (rcRow.top + rcRow.bottom) / 2};
    ::SetForegroundWindow(hFrame);
    ClickScreen(ptRow, false);
    // The click selects the row, which then shows its "..." button; the
    // button is clicked once the game has taken the first click, where the
    // row is then.
    for (int n = 0; n < 300 && (int)::SendMessage(hView, LB_GETCURSEL, 0, 0) != 1; n++)
        Wait(50);
    ASSERT_EQ(1, (int)::SendMessage(hView, LB_GETCURSEL, 0, 0)) << "the click did not select the colour row";
    rcRow = rowOnScreen();
    const POINT ptButton = {rcRow.right - 6, (rcRow.top + rcRow.bottom) / 2};
    ClickScreen(ptButton, false);
    HWND hColors = WaitForWindow(game.Pid(), "Colors", 15000);
    ASSERT_TRUE(hColors != NULL) << "the click at " << ptButton.x << "," << ptButton.y << " opened no colour dialog";
    Wait(300);
    // Like every dialog it opens centred over the frame, not in the
    // screen's corner.
    EXPECT_TRUE(IsCentredOver(hColors, hFrame));
    // Two tabs, the standard page showing.
    std::vector<HWND> tabs = Descendants(hColors, "", "SysTabControl32");
    ASSERT_EQ(1u, tabs.size());
    EXPECT_EQ(2, (int)::SendMessage(tabs[0], TCM_GETITEMCOUNT, 0, 0));
    EXPECT_EQ(1u, Descendants(hColors, "Standard", "").size());
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hColors, "colour_dialog_from_a_colour_row").empty());
    ClickButton(hColors, "Cancel");
    EXPECT_TRUE(WaitUntilGone(hColors));

    // With the clock running the puzzle is modified again: closing asks,
    // and "Don't Save" leaves.
    ::PostMessage(hFrame, WM_CLOSE, 0, 0);
    HWND hQuestion = NULL;
    for (int n = 0; n < 100 && hQuestion == NULL; n++)
    {
        HWND hActive = ::GetForegroundWindow();
        if (hActive != hFrame && !Descendants(hActive, "Don't Save", "").empty())
            hQuestion = hActive;
        else
            Wait(50);
    }
    ASSERT_TRUE(hQuestion != NULL);
    ClickButton(hQuestion, "Don't Save");
    EXPECT_EQ(0, game.WaitForExit());
    ::DeleteFile(strFile.c_str());
    ClearSettings();
}

// The Timer bar dragged to the frame's left side: its clock display hides
// and the clock's control keeps its place on the bar as a button; dragged
// back to the top the display shows again.
TEST_F(Brindlemark, TheTimerBarDockedAtTheLeftKeepsTheClocksPlaceAsAButton)
{
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    HWND hFrame = game.Frame();
    ::SetForegroundWindow(hFrame);
    Wait(200);
    HWND hBar = TimerBar(game);
    ASSERT_TRUE(hBar != NULL);
    HWND hClock = ::GetWindow(hBar, GW_CHILD);
    ASSERT_TRUE(hClock != NULL) << "the clock display sits on the Timer bar";
    ASSERT_TRUE(::IsWindowVisible(hClock));

    RECT rcBar = WindowRect(hBar), rcView = WindowRect(game.View());
    DragScreen({rcBar.left + 3, (rcBar.top + rcBar.bottom) / 2}, {rcView.left + 2, (rcView.top + rcView.bottom) / 2});
    hBar = TimerBar(game);
    ASSERT_TRUE(hBar != NULL);
    rcBar = WindowRect(hBar);
    ASSERT_FALSE(IsFloating(hBar)) << "the bar floats instead of docking at the left";
    ASSERT_GT(rcBar.bottom - rcBar.top, rcBar.right - rcBar.left) << "docked at a side the bar runs down";
    EXPECT_FALSE(::IsWindowVisible(hClock)) << "the clock display shows on a side bar";
    EXPECT_EQ(hBar, ::GetParent(hClock));
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "timer_bar_docked_left").empty());

    // Back at the top, right of the Standard bar.
    std::vector<HWND> standard = Descendants(hFrame, "Standard", "XTPToolBar");
    ASSERT_FALSE(standard.empty());
    RECT rcStandard = WindowRect(standard[0]);
    DragScreen({(rcBar.left + rcBar.right) / 2, rcBar.top + 3}, {rcStandard.right + 20, (rcStandard.top + rcStandard.bottom) / 2});
    hBar = TimerBar(game);
    rcBar = WindowRect(hBar);
    EXPECT_GT(rcBar.right - rcBar.left, rcBar.bottom - rcBar.top) << "back at the top";
    EXPECT_TRUE(::IsWindowVisible(hClock)) << "the clock display shows again";
    EXPECT_EQ(0, game.Close());
    ClearSettings();
}

// A square clicked on a paused 5 x 5 board with a one-minute target that
// forces completion: the click plays the square, the game goes on, and its
// lists are still stored at the exit.
TEST_F(Brindlemark, ASquareClickedOnAPausedBoardPlaysItAndTheGameGoesOn)
{
    StoreOnlyDifficultyProfile(5, 1, true);
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    ASSERT_TRUE(MakePuzzleWithCtrlN(game));
    HWND hFrame = game.Frame();
    HWND hTimer = TimerBar(game);
    ASSERT_TRUE(hTimer != NULL);
    ::SetForegroundWindow(hFrame);
    ClickScreen(TimerButton(hTimer, ID_TIMER_REMAINING), false);
    Wait(8000);
    int s = 0;
    POINT pt = game.SquareCentre(5, 0, 0, &s);
    ASSERT_GT(s, 10);
    POINT ptCorner = {pt.x - s / 2 + s / 8, pt.y - s / 2 + s / 8};
    const Patch playing = ScreenPatch(ptCorner);
    ClickScreen(TimerButton(hTimer, ID_TIMER_PAUSE), false);
    // The paused board hides its squares.
    EXPECT_TRUE(playing != WaitForPatch(ptCorner, playing, false)) << "not paused";
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "paused_five_by_five").empty());
    Wait(4000);
    ::SetForegroundWindow(hFrame);
    ClickScreen(pt, false);
    Wait(3000);
    ASSERT_TRUE(game.IsRunning()) << "the game ended after the click";
    // The click played the square on the board shown again.
    EXPECT_TRUE(playing != ScreenPatch(ptCorner)) << "the square was not shaded";
    EXPECT_TRUE(::IsWindowVisible(hFrame));
    ::PostMessage(hFrame, WM_CLOSE, 0, 0);
    HWND hQuestion = WaitForDialogOtherThan(game.Pid(), NULL);
    ASSERT_TRUE(hQuestion != NULL);
    ClickButton(hQuestion, "Don't Save");
    EXPECT_EQ(0, game.WaitForExit());
    // The lists of the session were stored at the exit.
    g_ApplicationInfo.m_GradeInfoList.LoadFromRegistry();
    ASSERT_EQ(1, (int)g_ApplicationInfo.m_GradeInfoList.GetCount());
    EXPECT_EQ(5, g_ApplicationInfo.m_GradeInfoList.GetHead().m_nColumns);
    ClearSettings();
}

namespace
{
// Writes a 5 x 5 puzzle file whose difficulty profile has a one-minute
// target and forces completion, played for nSeconds already.
bool WriteTimedPuzzle(const std::string& strFile, int nSeconds)
{
    CHTDataContainer puzzle;
    CHTGenerator generator;
    bool bMade = false;
    for (int i = 0; i < 50 && !bMade; i++)
        bMade = generator.Generate(NULL, 5, 5, &puzzle) != FALSE;
    if (!bMade)
        return false;
    CGradeInfo grade = CGradeInfo::MakeEasyProfile();
    grade.m_strProfileName = "Timed";
    grade.m_nColumns = grade.m_nRows = 5;
    grade.m_nMinutesToComplete = 1;
    grade.m_bForceComplete = 1;
    CAppearanceInfo appearance;
    puzzle.ApplySquareColours(appearance);
    puzzle.m_AppearanceInfo.CopyFrom(appearance);
    puzzle.SetGradeInfo(grade);
    puzzle.m_nGameState = htgsPlaying;
    puzzle.m_nElapsedSeconds = nSeconds;
    return puzzle.WriteToFile(strFile.c_str()) != FALSE;
}

// The one dialog of the game that is open: it is the only one, its text
// (when a message) is the one given, and it lies owned by the game's
// window, centred on it, in front of it.
HWND ExpectOnlyDialog(const Game& game, const char* pszWhat, const char* pszMessage)
{
    HWND hDialog = WaitForDialogOtherThan(game.Pid(), NULL, 10000);
    EXPECT_TRUE(hDialog != NULL) << pszWhat << ": nothing opened";
    if (hDialog == NULL)
        return NULL;
    Wait(500);
    const std::vector<HWND> dialogs = VisibleDialogs(game.Pid());
    EXPECT_EQ(1u, dialogs.size()) << pszWhat << ": questions stacked";
    if (pszMessage != NULL)
    {
        EXPECT_EQ(pszMessage, MessageText(hDialog)) << pszWhat;
    }
    EXPECT_EQ(game.Frame(), ::GetWindow(hDialog, GW_OWNER)) << pszWhat << ": not owned by the game's window";
    EXPECT_TRUE(IsCentredOver(hDialog, game.Frame())) << pszWhat << ": not centred on the game's window";
    EXPECT_TRUE(IsAbove(hDialog, game.Frame())) << pszWhat << ": behind the game's window";
    EXPECT_FALSE(::IsWindowEnabled(game.Frame())) << pszWhat << ": the game's window does not wait for it";
    return hDialog;
}

const char kGridModified[] = "The current grid has been modified.\n\nWould you like to save it?";

const char kPuzzleSolved[] = "The current puzzle has been solved.\n\nWould you like to start another?";
} // namespace

// A forced one-minute game whose time runs out while the save question of
// New Puzzle is open: the solution and its question wait until the player
// is back at the board, then come alone; every question and dialog is owned
// by the game's window, in front of it, and the game's window is the
// player's again at the end.
TEST_F(Brindlemark, TheTimeUpWaitsBehindAnOpenQuestionAndAsksAlone)
{
    StoreOnlyDifficultyProfile(5, 1, true);
    char szTemp[MAX_PATH];
    ::GetTempPath(MAX_PATH, szTemp);
    const std::string strFile = std::string(szTemp) + "e2e_timed.hti";
    // 50 of the 60 seconds played: the time runs out about ten seconds
    // after the start.
    ASSERT_TRUE(WriteTimedPuzzle(strFile, 50));
    Game game(" \"" + strFile + "\"", "e2e_timed.hti - Brindlemark");
    ASSERT_TRUE(game.Frame() != NULL);
    HWND hFrame = game.Frame();
    ::SetForegroundWindow(hFrame);
    Wait(1500);   // a tick of the clock: the puzzle asks to be saved

    // Ctrl+N asks to save the grid; the time runs out behind the question.
    PressKeys({VK_CONTROL, 'N'});
    HWND hSave = ExpectOnlyDialog(game, "the save question of New Puzzle", kGridModified);
    ASSERT_TRUE(hSave != NULL);
    Wait(12000);
    EXPECT_EQ(1u, VisibleDialogs(game.Pid()).size()) << "a question opened on the save question";
    EXPECT_TRUE(::IsWindow(hSave));
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "time_up_behind_the_save_question").empty());

    // Cancel: back at the board, the solution is shown and the one question
    // of the time-up asks.
    ClickDialogButton(hSave, IDCANCEL);
    EXPECT_TRUE(WaitUntilGone(hSave));
    HWND hSolved = ExpectOnlyDialog(game, "the time-up's question", kPuzzleSolved);
    ASSERT_TRUE(hSolved != NULL);
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "time_up_question").empty());

    // "Yes, please": the grid is asked about again, then New Puzzle opens,
    // each alone and in front of the game's window.
    ClickDialogButton(hSolved, IDOK);
    EXPECT_TRUE(WaitUntilGone(hSolved));
    HWND hSaveAgain = ExpectOnlyDialog(game, "the save question after Yes, please", kGridModified);
    ASSERT_TRUE(hSaveAgain != NULL);
    ClickDialogButton(hSaveAgain, IDNO);   // Don't Save
    EXPECT_TRUE(WaitUntilGone(hSaveAgain));
    HWND hNew = ExpectOnlyDialog(game, "New Puzzle", NULL);
    ASSERT_TRUE(hNew != NULL);
    EXPECT_EQ("New Puzzle", WindowText(hNew));
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "new_puzzle_after_the_time_up").empty());
    ClickDialogButton(hNew, IDOK);
    EXPECT_TRUE(WaitUntilGone(hNew));
    WaitForPuzzleMade(game);

    // The new board is the player's: the window is enabled, no question is
    // left anywhere, and a click shades a square.
    for (int n = 0; n < 100 && !::IsWindowEnabled(hFrame); n++)
        Wait(50);
    EXPECT_TRUE(::IsWindowEnabled(hFrame));
    EXPECT_TRUE(VisibleDialogs(game.Pid()).empty()) << "a question was left open";
    EXPECT_TRUE(TopLevels(game.Pid(), "#32770").empty()) << "a question was left behind the window";
    ::SetForegroundWindow(hFrame);
    int s = 0;
    POINT pt = game.SquareCentre(5, 2, 2, &s);
    POINT ptCorner = {pt.x - s / 2 + s / 8, pt.y - s / 2 + s / 8};
    const Patch before = ScreenPatch(ptCorner);
    ClickScreen(pt, false);
    EXPECT_TRUE(before != WaitForPatch(ptCorner, before, false)) << "the new board ignores clicks";
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "new_board_after_the_time_up").empty());

    ::PostMessage(hFrame, WM_CLOSE, 0, 0);
    HWND hQuestion = WaitForDialogOtherThan(game.Pid(), NULL);
    ASSERT_TRUE(hQuestion != NULL);
    ClickButton(hQuestion, "Don't Save");
    EXPECT_EQ(0, game.WaitForExit());
    ::DeleteFile(strFile.c_str());
    ClearSettings();
}

// A double click on a square is two clicks: it shades and unshades (left)
// or marks and unmarks (right), so the square looks as before; a triple
// click leaves it changed.
TEST_F(Brindlemark, QuickClicksOnASquareAreEachAClick)
{
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    HWND hFrame = game.Frame();
    ASSERT_TRUE(MakePuzzle(game));
    // A button another program left held on the display is let go first.
    ReleaseMouseButtons();

    for (bool bRight : {false, true})
    {
        const char* pszButton = bRight ? "right" : "left";
        int s = 0;
        POINT pt = game.SquareCentre(9, bRight ? 6 : 2, bRight ? 6 : 2, &s);
        ASSERT_GT(s, 10);
        POINT ptCorner = {pt.x - s / 2 + s / 8, pt.y - s / 2 + s / 8};
        ::SetForegroundWindow(hFrame);
        Wait(200);
        const Patch before = ScreenPatch(ptCorner);

        // A single click changes the square; another one takes it back.
        ClickScreen(pt, bRight);
        EXPECT_TRUE(before != WaitForPatch(ptCorner, before, false)) << pszButton << ": a click changed nothing";
        Wait(600);   // longer than a double click's time
        ClickScreen(pt, bRight);
        EXPECT_TRUE(before == WaitForPatch(ptCorner, before, true)) << pszButton << ": a second click";
        Wait(600);

        // A double click: two changes, the square as before.
        ClickScreen(pt, bRight, 2);
        Wait(1000);
        EXPECT_TRUE(before == ScreenPatch(ptCorner)) << pszButton << ": the double click's second click was lost";
        Wait(600);
        // A triple click: three changes, the square changed.
        ClickScreen(pt, bRight, 3);
        EXPECT_TRUE(before != WaitForPatch(ptCorner, before, false)) << pszButton << ": a triple click";
        EXPECT_FALSE(
            testsupport::SaveScreenSnapshot(hFrame, bRight ? "after_right_triple_click" : "after_left_triple_click")
                .empty());
        Wait(600);
    }

    ::PostMessage(hFrame, WM_CLOSE, 0, 0);
    HWND hQuestion = WaitForDialogOtherThan(game.Pid(), NULL, 5000);
    ASSERT_TRUE(hQuestion != NULL) << "the moves were not asked to be saved";
    ClickButton(hQuestion, "Don't Save");
    EXPECT_EQ(0, game.WaitForExit());
    ClearSettings();
}

// Ctrl+O, "kb1" typed and Enter opens kb1.hti of the folder the dialog
// shows, as the open dialog's default extension promises.
TEST_F(Brindlemark, ANameTypedWithoutItsExtensionOpensThePuzzle)
{
    char szTemp[MAX_PATH];
    ::GetTempPath(MAX_PATH, szTemp);
    const std::string strFolder = std::string(szTemp) + "e2e_open_folder";
    ::CreateDirectory(strFolder.c_str(), NULL);
    const std::string strFile = strFolder + "\\kb1.hti";
    {
        CHTGenerator generator;
        CHTDataContainer puzzle;
        while (!generator.Generate(NULL, 9, 9, &puzzle))
            ;
        ASSERT_TRUE(puzzle.WriteToFile(strFile.c_str()));
    }
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    HWND hFrame = game.Frame();
    ::SetForegroundWindow(hFrame);
    Wait(200);
    PressKeys({VK_CONTROL, 'O'});
    HWND hOpen = WaitForWindow(game.Pid(), "Open", 5000);
    ASSERT_TRUE(hOpen != NULL);
    Wait(500);
    HWND hName = FileNameBox(hOpen);
    ASSERT_TRUE(hName != NULL);
    // The dialog goes to the folder (it opens in the one used last), then
    // the player clicks into the empty name box and types.
    ::SendMessage(hName, WM_SETTEXT, 0, (LPARAM)strFolder.c_str());
    ::PostMessage(hOpen, WM_COMMAND, IDOK, 0);
    Wait(800);
    ASSERT_TRUE(::IsWindow(hOpen));
    ::SendMessage(hName, WM_SETTEXT, 0, (LPARAM)"");
    ::SetForegroundWindow(hOpen);
    RECT rcName;
    ::GetWindowRect(hName, &rcName);
    ClickScreen(POINT{rcName.left + 20, (rcName.top + rcName.bottom) / 2}, false);
    Wait(200);
    for (WORD vk : {'K', 'B', '1'})
        PressKeys({vk});
    Wait(200);
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hOpen, "open_dialog_name_without_extension").empty());
    PressKeys({VK_RETURN});
    char szTitle[256] = "";
    for (int n = 0; n < 200 && strcmp(szTitle, "kb1.hti - Brindlemark") != 0; n++)
    {
        Wait(50);
        ::GetWindowText(hFrame, szTitle, sizeof(szTitle));
    }
    EXPECT_STREQ("kb1.hti - Brindlemark", szTitle);
    HWND hMessage = WaitForDialogOtherThan(game.Pid(), NULL, 300);
    EXPECT_TRUE(hMessage == NULL) << "a message came up: " << WindowText(hMessage);
    if (hMessage != NULL)
        ::PostMessage(hMessage, WM_COMMAND, IDCANCEL, 0);
    if (::IsWindow(hOpen))
        ::PostMessage(hOpen, WM_COMMAND, IDCANCEL, 0);
    // The clock has run on the loaded puzzle: the game asks to save it.
    EXPECT_EQ(0, CloseWithoutSaving(game));
    ::DeleteFile(strFile.c_str());
    ::RemoveDirectory(strFolder.c_str());
    ClearSettings();
}

namespace
{
// Holds another program's thread still while it lives, and lets it run in
// short steps. What the test reads while the thread is held (the screen,
// windows' places and styles, which ask nothing of the thread) cannot change
// under it, however long the reading takes on a busy machine; the thread
// gets only the steps the test gives it.
class ThreadHold
{
public:
    explicit ThreadHold(HWND hWndOfThread)
        : m_hThread(::OpenThread(THREAD_SUSPEND_RESUME, FALSE, ::GetWindowThreadProcessId(hWndOfThread, NULL))),
          m_bHeld(false)
    {
        if (m_hThread != NULL)
            m_bHeld = ::SuspendThread(m_hThread) != (DWORD)-1;
    }
    ~ThreadHold()
    {
        if (m_bHeld)
            ::ResumeThread(m_hThread);
        if (m_hThread != NULL)
            ::CloseHandle(m_hThread);
    }
    bool IsOn() const { return m_bHeld; }
    // Lets the thread run about a millisecond, then holds it again.
    void Step()
    {
        ::ResumeThread(m_hThread);
        ::Sleep(1);
        ::SuspendThread(m_hThread);
    }
    // Steps the thread, holding it nHoldMs between steps, until the
    // condition holds (read while the thread is held) or nMilliseconds have
    // passed; the condition's last value.
    template <class F>
    bool StepUntil(F condition, int nHoldMs, int nMilliseconds)
    {
        const DWORD dwStart = ::GetTickCount();
        while (!condition())
        {
            if (::GetTickCount() - dwStart > (DWORD)nMilliseconds)
                return condition();
            Step();
            ::Sleep(nHoldMs);
        }
        return true;
    }

private:
    HANDLE m_hThread;
    bool m_bHeld;
};
} // namespace

// A puzzle that takes a while to make shows the progress window with its
// shaded bar: a border round the bar, and diagonal stripes that move. Even
// the largest grid is made in a few tens of milliseconds, so the game's
// thread is held from the OK on and let run only in short steps: the window
// shows once the show delay has passed (a delay on the clock, which runs on
// while the thread is held), and the bar is read while the thread is held.
TEST_F(Brindlemark, TheProgressWindowShowsItsBorderedMovingBar)
{
    AddSizedProfile("Huge", HT_MAX_GRID_SIDE, HT_MAX_GRID_SIDE);
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    HWND hFrame = game.Frame();
    ::SetForegroundWindow(hFrame);
    PressKeys({VK_CONTROL, 'N'});
    HWND hDialog = WaitForWindow(game.Pid(), "New Puzzle");
    ASSERT_TRUE(hDialog != NULL);
    Wait(300);
    // The pixels of a patch in the dialog's face colour.
    auto faceIn = [](const Patch& patch) {
        int nFace = 0;
        for (COLORREF clr : patch)
            nFace += clr == ::GetSysColor(COLOR_BTNFACE);
        return nFace;
    };
    HWND hProgress = NULL;
    Patch first, second;
    COLORREF clrBorder = 0;
    int nFrameOff = 0;
    RECT rcBar = {};
    {
        // The last profile, chosen while the game runs; OK is posted once
        // the game's thread is held.
        HWND hGrades = ::GetDlgItem(hDialog, IDC_DIFFICULTY_PROFILE);
        ::SendMessage(hGrades, CB_SETCURSEL, ::SendMessage(hGrades, CB_GETCOUNT, 0, 0) - 1, 0);
        ThreadHold hold(hFrame);
        ASSERT_TRUE(hold.IsOn());
        ClickButton(hDialog, "OK");
        // The dialog goes, in steps; the generation starts at once after it.
        ASSERT_TRUE(hold.StepUntil([&] { return !::IsWindow(hDialog); }, 5, 30000)) << "the dialog stayed";
        // The show delay passes with the thread held; the next step's first
        // pass of the message pump shows the window.
        ::Sleep(PROGRESS_SHOW_DELAY_MS + 100);
        const bool bShown = hold.StepUntil(
            [&] {
                HWND hFound = ::FindWindowA(NULL, "Create Progress");
                if (hFound != NULL && ::IsWindowVisible(hFound))
                    hProgress = hFound;
                return hProgress != NULL;
            },
            30, 15000);
        ASSERT_TRUE(bShown) << "the progress window did not show";
        HWND hBar = ::GetDlgItem(hProgress, IDC_CREATE_PROGRESS_BAR);
        ASSERT_TRUE(hBar != NULL);
        ::GetWindowRect(hBar, &rcBar);
        const POINT ptBar = {rcBar.left + 30, rcBar.top + 3};
        // The window reaches the screen in a step or a few, the dialog's
        // face before the bar drawn on it, and what lay below it before
        // either. The bar is read once it shows more than the face and has
        // changed since the last step: drawn, or its stripes moved (each
        // step comes more than a stripe period after the last).
        auto isBar = [&](const Patch& patch) { return faceIn(patch) < (int)patch.size() / 2; };
        Patch previous = ScreenPatch(ptBar);
        hold.StepUntil(
            [&] {
                first = ScreenPatch(ptBar);
                const bool bDrawn = isBar(previous) && isBar(first) && first != previous;
                previous = first;
                return bDrawn;
            },
            30, 5000);
        // The frame: the top row and the left column of the bar's window in
        // one colour (the stripes cross both where there is no frame).
        HDC hScreen = ::GetDC(NULL);
        clrBorder = ::GetPixel(hScreen, rcBar.left, rcBar.top);
        for (int x = rcBar.left; x < rcBar.right; x++)
            nFrameOff += ::GetPixel(hScreen, x, rcBar.top) != clrBorder;
        for (int y = rcBar.top; y < rcBar.bottom; y++)
            nFrameOff += ::GetPixel(hScreen, rcBar.left, y) != clrBorder;
        ::ReleaseDC(NULL, hScreen);
        // The stripes move on the next steps.
        hold.StepUntil(
            [&] {
                second = ScreenPatch(ptBar);
                return second != first;
            },
            30, 5000);
        ASSERT_TRUE(::IsWindowVisible(hProgress)) << "the puzzle was made before the bar could be read";
        RECT rcProgress = {};
        ::GetWindowRect(hProgress, &rcProgress);
        EXPECT_FALSE(testsupport::SaveScreenPart(rcProgress, "progress_window_new_puzzle").empty());
    }
    EXPECT_LT(faceIn(first), (int)first.size() / 2) << "the bar shows the dialog's face";
    EXPECT_NE(::GetSysColor(COLOR_BTNFACE), clrBorder) << "no border round the bar";
    EXPECT_EQ(0, nFrameOff) << "no border round the bar";
    EXPECT_TRUE(first != second) << "the stripes stood still";

    for (int n = 0; n < 200 && ::IsWindowVisible(hProgress); n++)
        Wait(50);
    EXPECT_EQ(0, CloseWithoutSaving(game));
    ClearSettings();
}

namespace
{
// The player's marking kept beside the game's, move for move: a left or a
// right click, the auto-mark aid, and the board it should show.
class MarkingModel
{
public:
    explicit MarkingModel(const CHTDataContainer& position) : m_position(position) {}
    CHTDataContainer& Position() { return m_position; }
    CHTSquareData& Square(int c, int r) { return *m_position.FindSquare(c, r); }
    void Left(int c, int r)
    {
        int& nState = Square(c, r).m_nPlayerState;
        nState = nState == htsShaded ? htsUndecided : htsShaded;
        AfterMove();
    }
    void Right(int c, int r)
    {
        int& nState = Square(c, r).m_nPlayerState;
        nState = nState == htsUnshaded ? htsUndecided : htsUnshaded;
        AfterMove();
    }
    // The rule marks of the marking as a left click leaves them.
    void MarkAsAMoveDoes()
    {
        AreUnshadedSquaresConnected(m_position, FALSE);
        m_position.MarkDuplicates(FALSE);
        m_position.MarkAdjacentShaded();
    }

private:
    void AfterMove()
    {
        if (m_position.m_bUnshadedUpdate)
            m_position.UpdateUnshadedSquares();
    }
    CHTDataContainer m_position;
};

// A square as the board shows it: its fill (the colour of the first rule
// mark the difficulty profile shows, else of its state) and whether the
// unshaded cross lies on it.
struct SquareLook
{
    COLORREF crFill;
    bool bCross;
    bool operator!=(const SquareLook& other) const { return crFill != other.crFill || bCross != other.bCross; }
};

SquareLook ExpectedLook(const CHTSquareData& square, const CGradeInfo& grade)
{
    SquareLook look = {square.m_nPlayerState == htsShaded ? square.m_crShadedFill : square.m_crUnshadedFill,
                       square.m_nPlayerState == htsUnshaded};
    if (grade.m_bShowIslandSquares && square.m_bIslandMark)
        look.crFill = square.m_crIslandFill;
    else if (grade.m_bShowUnshadedDups && square.m_bDuplicateMark)
        look.crFill = square.m_crUnshadedDupFill;
    else if (grade.m_bShowAdjacentShaded && square.m_bAdjacencyMark)
        look.crFill = square.m_crAdjacentShadedFill;
    return look;
}

// The look of a square of side s at (x, y) of a picture of the board: the
// fill read between the board's border and the cross, the cross found by its
// pen in the square's border colour around the upper end of a diagonal (a
// shaded square, whose fill may be that colour, is judged by its fill alone:
// the colour seen most, between the lines of its hatching).
SquareLook SeenLook(const testsupport::Canvas& board, int x, int y, int s, const CHTSquareData& square)
{
    const int d = (4 + s / 10) / 2 + 1;
    SquareLook look = {board.Pixel(x + d, y + d), false};
    if (square.m_nPlayerState == htsShaded)
    {
        look.crFill = board.MostCommon({x + 1, y + 1, x + s - 1, y + s - 1});
        return look;
    }
    int nPen = 0;
    for (int dy = -4; dy <= 4; dy++)
        for (int dx = -4; dx <= 4; dx++)
            nPen += board.Pixel(x + s / 4 + dx, y + s / 4 + dy) == square.m_crSquareBorder;
    look.bCross = nPen >= 20;
    return look;
}

// Waits until the board whose first square lies at rcFirst on the screen
// shows every square as the marking reached by left clicks alone shows it,
// then reports each square that does not; the board's picture is saved as
// the step's snapshot.
void ExpectSquaresShow(const RECT& rcFirst, MarkingModel& model, const std::string& strStep)
{
    model.MarkAsAMoveDoes();
    CHTDataContainer& position = model.Position();
    const int nColumns = position.m_nColumns, nRows = position.m_nRows;
    const int s = rcFirst.right - rcFirst.left;
    testsupport::Canvas board(s * nColumns, s * nRows);
    std::vector<std::string> wrong;
    for (int nTry = 0; nTry < 50 && (nTry == 0 || !wrong.empty()); nTry++)
    {
        if (nTry > 0)
            Wait(100);
        HDC hScreen = ::GetDC(NULL);
        ::BitBlt(board.Handle(), 0, 0, s * nColumns, s * nRows, hScreen, rcFirst.left, rcFirst.top, SRCCOPY);
        ::ReleaseDC(NULL, hScreen);
        wrong.clear();
        for (int c = 0; c < nColumns; c++)
            for (int r = 0; r < nRows; r++)
            {
                const CHTSquareData& square = model.Square(c, r);
                const SquareLook expected = ExpectedLook(square, position.m_GradeInfo);
                const SquareLook seen = SeenLook(board, c * s, r * s, s, square);
                if (seen != expected)
                {
                    char szWrong[200];
                    sprintf(szWrong,
                            "(%d,%d) state %d, marks island %d duplicate %d adjacent %d: fill RGB %d,%d,%d cross %d, "
                            "expected RGB %d,%d,%d cross %d",
                            c, r, square.m_nPlayerState, square.m_bIslandMark, square.m_bDuplicateMark,
                            square.m_bAdjacencyMark, GetRValue(seen.crFill), GetGValue(seen.crFill),
                            GetBValue(seen.crFill), seen.bCross, GetRValue(expected.crFill),
                            GetGValue(expected.crFill), GetBValue(expected.crFill), expected.bCross);
                    wrong.push_back(szWrong);
                }
            }
    }
    for (const std::string& strWrong : wrong)
        ADD_FAILURE() << strStep << ": " << strWrong;
    EXPECT_FALSE(testsupport::SaveSnapshot(board, "rule_marks_" + strStep).empty());
}

void ExpectBoardShows(Game& game, MarkingModel& model, const std::string& strStep)
{
    const RECT rcFirst = game.SquareRect(model.Position().m_nColumns, model.Position().m_nRows, 0, 0);
    ASSERT_GE(rcFirst.right - rcFirst.left, 60) << strStep << ": the squares are too small to judge";
    ExpectSquaresShow(rcFirst, model, strStep);
}

// The same for the board drawn small in the Open dialog's preview pane.
void ExpectPreviewShows(HWND hPane, MarkingModel& model, const std::string& strStep)
{
    RECT rcPane = {};
    ::GetClientRect(hPane, &rcPane);
    int s = 0, x = 0, y = 0;
    ASSERT_TRUE(CHTPreviewCtrl::CalcLayout(rcPane.right, rcPane.bottom, model.Position().m_nColumns,
                                           model.Position().m_nRows, s, x, y))
        << strStep << ": the preview pane has no room for the board";
    POINT pt = {x, y};
    ::ClientToScreen(hPane, &pt);
    ExpectSquaresShow(RECT{pt.x, pt.y, pt.x + s, pt.y + s}, model, strStep);
}

// A 5 x 5 puzzle in the standard appearance whose difficulty profile shows
// every rule mark and offers both unshaded-square aids.
CHTDataContainer MakeMarksPuzzle()
{
    CHTDataContainer puzzle;
    CHTGenerator generator;
    while (!generator.Generate(NULL, 5, 5, &puzzle))
        ;
    CGradeInfo grade = CGradeInfo::MakeEasyProfile();
    grade.m_strProfileName = "Marks";
    grade.m_nColumns = grade.m_nRows = 5;
    const CAppearanceInfo appearance = CAppearanceInfo::MakeStandardProfile();
    puzzle.ApplySquareColours(appearance);
    puzzle.m_AppearanceInfo.CopyFrom(appearance);
    puzzle.SetGradeInfo(grade);
    puzzle.m_nGameState = htgsPlaying;
    puzzle.ResetPlayerState();
    MarkingModel fresh(puzzle);
    fresh.MarkAsAMoveDoes();
    return fresh.Position();
}
} // namespace

// Every way the player's marking changes leaves on the board exactly the
// rule marks that the same marking shows when reached by left clicks alone:
// right clicks that unshade a shaded square, Ctrl+Z, a branch reverted and
// one accepted, the auto-mark aid, Update Unshaded Squares, Revert to Start,
// Show Solution, a puzzle file carrying marks of another marking, and
// own-puzzle entry.
TEST_F(Brindlemark, TheRuleMarksFollowEveryChangeOfTheMarking)
{
    char szTemp[MAX_PATH];
    ::GetTempPath(MAX_PATH, szTemp);
    const std::string strFile = std::string(szTemp) + "e2e_marks.hti";
    const std::string strFolder = std::string(szTemp) + "e2e_marks_folder";
    ::CreateDirectory(strFolder.c_str(), NULL);
    const std::string strStarted = strFolder + "\\e2e_marks_started.hti";
    const CHTDataContainer puzzle = MakeMarksPuzzle();
    ASSERT_EQ(RGB(204, 204, 0), puzzle.m_AppearanceInfo.m_crAdjacentShadedFill);
    ASSERT_TRUE(CHTDataContainer(puzzle).WriteToFile(strFile.c_str()));

    Game game(" \"" + strFile + "\"", "e2e_marks.hti - Brindlemark");
    ASSERT_TRUE(game.Frame() != NULL);
    game.ToFront(500, true);
    ReleaseMouseButtons();
    MarkingModel model(puzzle);
    auto click = [&](int c, int r, bool bRight) {
        const RECT rc = game.SquareRect(5, 5, c, r);
        ::SetForegroundWindow(game.Frame());
        ClickScreen({(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}, bRight);
        if (bRight)
            model.Right(c, r);
        else
            model.Left(c, r);
    };
    ExpectBoardShows(game, model, "opened");

    // Two shaded squares side by side, then one of them unshaded.
    click(3, 3, false);
    click(4, 3, false);
    ExpectBoardShows(game, model, "adjacent_shaded");
    click(4, 3, true);
    ExpectBoardShows(game, model, "right_click_unshades_one");
    // A corner cut off, then joined again by a right click.
    click(1, 0, false);
    click(0, 1, false);
    ExpectBoardShows(game, model, "corner_cut_off");
    click(0, 1, true);
    ExpectBoardShows(game, model, "corner_joined_by_a_right_click");

    // Ctrl+Z takes a move back to the position the right click left.
    const CHTDataContainer beforeMove(model.Position());
    click(2, 2, false);
    ::SetForegroundWindow(game.Frame());
    PressKeys({VK_CONTROL, 'Z'});
    model = MarkingModel(beforeMove);
    ExpectBoardShows(game, model, "undo");

    // A branch of a shaded and unshaded square, reverted; then a branch
    // accepted.
    game.Command(ID_BRANCH_BEGIN);
    click(3, 2, false);
    ExpectBoardShows(game, model, "branch");
    click(3, 2, true);
    game.Command(ID_BRANCH_REVERT);
    ASSERT_TRUE(AnswerDialog(game.Pid(), "Go Ahead"));
    model = MarkingModel(beforeMove);
    ExpectBoardShows(game, model, "branch_reverted");
    game.Command(ID_BRANCH_BEGIN);
    click(4, 0, false);
    game.Command(ID_BRANCH_ACCEPT);
    ASSERT_TRUE(AnswerDialog(game.Pid(), "Go Ahead"));
    ExpectBoardShows(game, model, "branch_accepted");

    // With the auto-mark aid on, a right click on a shaded square takes
    // the unshaded marks of its neighbours with it, as a left click does.
    game.Command(ID_AUTOMARK_UNSHADED);
    model.Position().m_bUnshadedUpdate = TRUE;
    click(4, 4, false);
    ExpectBoardShows(game, model, "auto_mark");
    click(4, 4, true);
    ExpectBoardShows(game, model, "auto_mark_right_click");
    game.Command(ID_AUTOMARK_UNSHADED);
    model.Position().m_bUnshadedUpdate = FALSE;
    click(1, 2, true);
    ExpectBoardShows(game, model, "auto_mark_off");

    game.Command(ID_UPDATE_UNSHADED);
    ASSERT_TRUE(AnswerDialog(game.Pid(), "Yes"));
    model.Position().UpdateUnshadedSquares();
    ExpectBoardShows(game, model, "unshaded_squares_updated");

    game.Command(ID_REVERT_TO_START);
    ASSERT_TRUE(AnswerDialog(game.Pid(), "Start"));
    model.Position().ResetPlayerState();
    ExpectBoardShows(game, model, "reverted_to_start");

    // The solution, its question answered No; Ctrl+Z takes it back.
    click(2, 1, false);
    click(2, 2, false);
    const CHTDataContainer beforeSolution(model.Position());
    game.Command(ID_SHOW_SOLUTION);
    ASSERT_TRUE(AnswerDialog(game.Pid(), "Yes, please"));
    ASSERT_EQ(kPuzzleSolved, MessageText(WaitForDialogOtherThan(game.Pid(), NULL, 10000)));
    ASSERT_TRUE(AnswerDialog(game.Pid(), "No, thanks"));
    for (int c = 0; c < 5; c++)
        for (int r = 0; r < 5; r++)
            model.Square(c, r).m_nPlayerState = model.Square(c, r).m_nSolutionState;
    ExpectBoardShows(game, model, "solution");
    ::SetForegroundWindow(game.Frame());
    PressKeys({VK_CONTROL, 'Z'});
    model = MarkingModel(beforeSolution);
    ExpectBoardShows(game, model, "solution_undone");

    // A started puzzle whose file carries the marks of another marking (an
    // adjacent-shaded mark on a lone shaded square, an island mark on a
    // square in the open) is previewed in the Open dialog with the marks of
    // its own marking, each square as the board shows it once opened.
    CHTDataContainer started(puzzle);
    started.FindSquare(3, 3)->m_nPlayerState = htsShaded;
    started.FindSquare(3, 3)->m_bAdjacencyMark = 1;
    started.FindSquare(0, 4)->m_bIslandMark = 1;
    started.FindSquare(4, 3)->m_nPlayerState = htsUnshaded;
    ASSERT_TRUE(started.WriteToFile(strStarted.c_str()));
    ::SetForegroundWindow(game.Frame());
    PressKeys({VK_CONTROL, 'O'});
    HWND hOpen = WaitForWindow(game.Pid(), "Open", 10000);
    ASSERT_TRUE(hOpen != NULL);
    Wait(500);
    HWND hName = FileNameBox(hOpen);
    ASSERT_TRUE(hName != NULL);
    // The dialog goes to the file's folder, where the player clicks the
    // file, the only one in the list.
    ::SendMessage(hName, WM_SETTEXT, 0, (LPARAM)strFolder.c_str());
    ::PostMessage(hOpen, WM_COMMAND, IDOK, 0);
    Wait(800);
    const std::vector<HWND> lists = Descendants(hOpen, "", "SysListView32");
    ASSERT_FALSE(lists.empty()) << "the Open dialog shows no file list";
    ::SetForegroundWindow(hOpen);
    const RECT rcList = WindowRect(lists[0]);
    ClickScreen({rcList.left + 12, rcList.top + 10}, false);
    model = MarkingModel(started);
    ExpectPreviewShows(::GetDlgItem(hOpen, IDC_HT_FILE_PREVIEW), model, "preview_of_started_puzzle");
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hOpen, "open_dialog_preview_of_started_puzzle").empty());
    ::SendMessage(hName, WM_SETTEXT, 0, (LPARAM)strStarted.c_str());
    ::PostMessage(hOpen, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntilGone(hOpen));
    ASSERT_TRUE(AnswerDialog(game.Pid(), "Don't Save"));
    ASSERT_TRUE(AnswerDialog(game.Pid(), "OK"));   // continue the puzzle
    for (int n = 0; n < 100 && WindowText(game.Frame()) != "e2e_marks_started.hti - Brindlemark"; n++)
        Wait(50);
    EXPECT_EQ("e2e_marks_started.hti - Brindlemark", WindowText(game.Frame()));
    ExpectBoardShows(game, model, "opened_started_puzzle");

    // Own-puzzle entry: a blank grid of the first difficulty profile
    // (Easy, 8 x 8) whose numbers the clicks step; two equal numbers in a
    // row are duplicates until one is stepped away.
    Wait(1200);   // a tick of the clock: the loaded puzzle asks to be saved
    game.Command(ID_PUZZLE_ENTER_OWN);
    ASSERT_TRUE(AnswerDialog(game.Pid(), "Don't Save"));
    HWND hNew = WaitForWindow(game.Pid(), "New Puzzle");
    ASSERT_TRUE(hNew != NULL);
    Wait(300);
    ::SendMessage(::GetDlgItem(hNew, IDC_DIFFICULTY_PROFILE), CB_SETCURSEL, 0, 0);
    ::SendMessage(::GetDlgItem(hNew, IDC_APPEARANCE_PROFILE), CB_SETCURSEL, 0, 0);
    ASSERT_TRUE(AnswerDialog(game.Pid(), "OK"));
    ASSERT_TRUE(AnswerDialog(game.Pid(), "OK"));   // the instructions
    CHTDataContainer blank;
    blank.SetGridSize(8, 8);
    blank.ApplySquareColours(CAppearanceInfo::MakeStandardProfile());
    blank.SetGradeInfo(CGradeInfo::MakeEasyProfile());
    model = MarkingModel(blank);
    auto step = [&](int c, int r, bool bUp) {
        const RECT rc = game.SquareRect(8, 8, c, r);
        ::SetForegroundWindow(game.Frame());
        ClickScreen({(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}, !bUp);
        int& nNumber = model.Square(c, r).m_nNumber;
        nNumber = bUp ? (nNumber == HT_NO_NUMBER ? 1 : nNumber + 1) : (nNumber == 1 ? HT_NO_NUMBER : nNumber - 1);
    };
    step(0, 0, true);
    step(5, 0, true);
    ExpectBoardShows(game, model, "own_puzzle_duplicates");
    step(5, 0, false);
    ExpectBoardShows(game, model, "own_puzzle_duplicate_gone");

    EXPECT_EQ(0, CloseWithoutSaving(game));
    ::DeleteFile(strFile.c_str());
    ::DeleteFile(strStarted.c_str());
    ::RemoveDirectory(strFolder.c_str());
    ClearSettings();
}
