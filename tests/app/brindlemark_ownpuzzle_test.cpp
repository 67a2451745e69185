// Own puzzles: a grid entered from the menus and by clicks on the board,
// finalized, saved, loaded again and solved.
// ctest: run-serial
// ctest: lock registry
#include "brindlemark_fixture.h"

#include "support/snapshot.h"

#include "HTDataContainer.h"
#include "resource.h"

#include <string>

using namespace gametest;

namespace
{
// The game's message window that is open, its text checked, answered OK.
void ExpectMessageAndAnswerOK(DWORD dwPid, const std::string& strStart, const char* pszWhen)
{
    HWND hMessage = WaitForMessageWindow(dwPid, 10000);
    ASSERT_TRUE(hMessage != NULL) << pszWhen << ": no message";
    Wait(300);
    EXPECT_EQ(0u, MessageText(hMessage).find(strStart)) << pszWhen << ": " << MessageText(hMessage);
    ClickButton(hMessage, "OK");
    EXPECT_TRUE(WaitUntilGone(hMessage)) << pszWhen;
}
} // namespace

// An own puzzle is entered from the File menu, right below New, and the
// Edit menu's Finalize Grid, where the entry's instructions send the
// player, is taken from the keyboard; each menu entry says what it does in
// the status bar.
TEST_F(Brindlemark, AnOwnPuzzleIsEnteredAndFinalizedFromTheMenus)
{
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    HWND hFrame = game.Frame();

    // Without an entered grid Finalize Grid is disabled: its letter runs
    // nothing.
    ChooseWithKeys(hFrame, 'E', {'F'});
    Wait(500);
    EXPECT_TRUE(WaitForMessageWindow(game.Pid(), 500) == NULL) << "Finalize Grid ran on no entered grid";
    PressKeys({VK_ESCAPE});
    PressKeys({VK_ESCAPE});
    Wait(300);
    EXPECT_FALSE(AnyPopupBarVisible(game.Pid()));

    // File, Down: Enter Own Puzzle... is selected and prompts in the status
    // bar; Return opens the New Puzzle dialog.
    ChooseWithKeys(hFrame, 'F', {VK_DOWN});
    EXPECT_EQ("Enter a puzzle from elsewhere into a blank grid",
              WaitForStatusText(hFrame, "Enter a puzzle from elsewhere into a blank grid"));
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "file_menu_enter_own_puzzle").empty());
    PressKeys({VK_RETURN});
    HWND hNew = WaitForWindow(game.Pid(), "New Puzzle", 5000);
    ASSERT_TRUE(hNew != NULL) << "Enter Own Puzzle... opened no New Puzzle dialog";
    Wait(300);
    ClickButton(hNew, "OK");
    ASSERT_TRUE(WaitUntilGone(hNew));
    ExpectMessageAndAnswerOK(game.Pid(), "Enter clues into the blank Grid using the normal point and click method.",
                             "Enter Own Puzzle...");
    EXPECT_EQ("Untitled - Brindlemark", WindowText(hFrame));
    ::SetForegroundWindow(hFrame);
    Wait(300);
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "own_puzzle_blank_grid").empty());

    // Edit, F: Finalize Grid, now enabled, says the grid cannot be solved.
    ChooseWithKeys(hFrame, 'E', {});
    Wait(300);
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "edit_menu_with_finalize_grid").empty());
    PressKeys({'F'});
    ExpectMessageAndAnswerOK(game.Pid(), "Brindlemark could not solve the puzzle.", "Finalize Grid");

    // Edit opens on Copy (Undo is disabled); Down, Down reaches Finalize
    // Grid, which shows its prompt. Escape leaves the menu.
    ChooseWithKeys(hFrame, 'E', {VK_DOWN, VK_DOWN});
    EXPECT_EQ("Check that the entered grid can be solved and make it ready to play",
              WaitForStatusText(hFrame, "Check that the entered grid can be solved and make it ready to play"));
    PressKeys({VK_ESCAPE});
    PressKeys({VK_ESCAPE});

    EXPECT_EQ(0, CloseWithoutSaving(game, 2000));
    ClearSettings();
}

namespace
{
// A 4 x 4 puzzle with one solution, by rows, and that solution.
const char* const kOwnPuzzle[4] = {"1422", "2334", "1442", "4131"};

const char* const kOwnSolution[4] = {"#..#", "..#.", ".#..", "...#"};

// Enters the numbers of the rows with real clicks on a 4 x 4 board: 1 and 2
// by left clicks up from blank, 3 and 4 by right clicks down from blank.
void ClickNumbers(Game& game, int nFirstRow, int nLastRow)
{
    for (int r = nFirstRow; r <= nLastRow; r++)
    {
        for (int c = 0; c < 4; c++)
        {
            const int n = kOwnPuzzle[r][c] - '0';
            const POINT pt = game.SquareCentre(4, c, r);
            const bool bRight = n > 2;
            for (int i = 0; i < (bRight ? 5 - n : n); i++)
            {
                ClickScreen(pt, bRight);
                Wait(60);
            }
        }
    }
}

// The puzzle file as the game wrote it.
bool ReadPuzzle(const std::string& strPath, CHTDataContainer& puzzle)
{
    return puzzle.ReadFromFile(strPath.c_str(), TRUE) != FALSE;
}

std::string NumbersOfRow(const CHTDataContainer& puzzle, int r)
{
    std::string strRow;
    for (int c = 0; c < puzzle.m_nColumns; c++)
    {
        const int n = puzzle.FindSquare(c, r)->m_nNumber;
        strRow += n == HT_NO_NUMBER ? '.' : (char)('0' + n);
    }
    return strRow;
}

// Waits until the frame's title is the given one; the title read last.
std::string WaitForTitle(HWND hFrame, const std::string& strTitle)
{
    std::string strNow = WindowText(hFrame);
    for (int n = 0; n < 200 && strNow != strTitle; n++)
    {
        Wait(50);
        strNow = WindowText(hFrame);
    }
    return strNow;
}
} // namespace

// An own puzzle is typed into the blank grid with clicks (left up, right
// down, Ctrl+Z takes a click back), saved half done and loaded again in the
// entry, finished, finalized from the Edit menu and then played: the saved
// file holds the puzzle with its solution, and Show Solution ends in the
// solved question.
TEST_F(Brindlemark, AnOwnPuzzleIsClickedInSavedLoadedFinalizedAndSolved)
{
    AddSizedProfile("Four", 4, 4);
    char szTemp[MAX_PATH];
    ::GetTempPath(MAX_PATH, szTemp);
    const std::string strFile = std::string(szTemp) + "e2e_own.hti";
    ::DeleteFile(strFile.c_str());
    {
        Game game;
        ASSERT_TRUE(game.Frame() != NULL);
        HWND hFrame = game.Frame();
        game.Command(ID_PUZZLE_ENTER_OWN);
        HWND hNew = WaitForWindow(game.Pid(), "New Puzzle", 5000);
        ASSERT_TRUE(hNew != NULL);
        Wait(300);
        ChooseLastProfile(hNew);
        ASSERT_TRUE(WaitUntilGone(hNew));
        ExpectMessageAndAnswerOK(game.Pid(), "Enter clues into the blank Grid", "Enter Own Puzzle...");
        ::SetForegroundWindow(hFrame);
        Wait(300);

        // The first two rows, and a click on the third taken back.
        ClickNumbers(game, 0, 1);
        int s = 0;
        const POINT ptTaken = game.SquareCentre(4, 0, 2, &s);
        const POINT ptCorner = {ptTaken.x - s / 4, ptTaken.y - s / 4};
        const Patch blank = ScreenPatch(ptCorner);
        ClickScreen(ptTaken, false);
        EXPECT_TRUE(blank != WaitForPatch(ptCorner, blank, false)) << "the number did not show";
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "own_puzzle_half_entered").empty());
        ::SetForegroundWindow(hFrame);
        PressKeys({VK_CONTROL, 'Z'});
        EXPECT_TRUE(blank == WaitForPatch(ptCorner, blank, true)) << "Ctrl+Z";

        // Ctrl+S saves the grid in the entry.
        ASSERT_TRUE(SaveAsWithCtrlS(game, strFile));
        EXPECT_EQ("e2e_own.hti - Brindlemark", WaitForTitle(hFrame, "e2e_own.hti - Brindlemark"));
        EXPECT_EQ(0, game.Close());
    }
    CHTDataContainer saved;
    ASSERT_TRUE(ReadPuzzle(strFile, saved));
    EXPECT_EQ(htgsCopyMode, saved.m_nGameState);
    EXPECT_EQ(kOwnPuzzle[0], NumbersOfRow(saved, 0));
    EXPECT_EQ(kOwnPuzzle[1], NumbersOfRow(saved, 1));
    EXPECT_EQ("....", NumbersOfRow(saved, 2));

    {
        // Loaded again: still the entry. The last rows, then Edit, F.
        Game game(" \"" + strFile + "\"", "e2e_own.hti - Brindlemark");
        ASSERT_TRUE(game.Frame() != NULL);
        HWND hFrame = game.ToFront(300);
        ClickNumbers(game, 2, 3);
        ::SetForegroundWindow(hFrame);
        ChooseWithKeys(hFrame, 'E', {});
        Wait(300);
        PressKeys({'F'});
        Wait(800);
        HWND hMessage = WaitForMessageWindow(game.Pid(), 500);
        EXPECT_TRUE(hMessage == NULL) << "Finalize Grid: " << (hMessage ? MessageText(hMessage) : "");
        if (hMessage != NULL)
            ClickButton(hMessage, "OK");
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "own_puzzle_finalized").empty());
        ::SetForegroundWindow(hFrame);
        PressKeys({VK_CONTROL, 'S'});
        Wait(800);

        // Show Solution, Yes: the puzzle is solved; No to another.
        game.Command(ID_SHOW_SOLUTION);
        HWND hSure = WaitForMessageWindow(game.Pid(), 5000);
        ASSERT_TRUE(hSure != NULL);
        Wait(300);
        ClickButton(hSure, "Yes, please");
        ASSERT_TRUE(WaitUntilGone(hSure));
        HWND hSolved = WaitForMessageWindow(game.Pid(), 5000);
        ASSERT_TRUE(hSolved != NULL) << "no solved question";
        Wait(300);
        EXPECT_EQ(0u, MessageText(hSolved).find("The current puzzle has been solved."));
        ClickButton(hSolved, "No, thanks");
        ASSERT_TRUE(WaitUntilGone(hSolved));
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "own_puzzle_solution").empty());
        EXPECT_EQ(0, CloseWithoutSaving(game, 3000));
    }
    CHTDataContainer played;
    ASSERT_TRUE(ReadPuzzle(strFile, played));
    EXPECT_EQ(htgsPlaying, played.m_nGameState);
    for (int r = 0; r < 4; r++)
    {
        EXPECT_EQ(kOwnPuzzle[r], NumbersOfRow(played, r));
        std::string strSolution;
        for (int c = 0; c < 4; c++)
            strSolution += played.FindSquare(c, r)->m_nSolutionState == htsShaded ? '#' : '.';
        EXPECT_EQ(kOwnSolution[r], strSolution) << "row " << r;
    }
    EXPECT_FALSE(played.HasPlayerProgress()) << "play starts from a blank board";
    ::DeleteFile(strFile.c_str());
    ClearSettings();
}
