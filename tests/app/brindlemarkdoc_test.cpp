// The game's document in the running game: new puzzles (and cancelling
// them), the save prompt, saving and loading with the clock, branches with
// undo, revert to start, the solution, own-puzzle entry and the aids.
// ctest: lock registry
#include "support/answering.h"
#include "support/gameapp.h"
#include "support/large_grids.h"
#include "support/tempfolder.h"
#include "support/watchdog.h"

#include "ApplicationInfo.h"
#include "CreateProgress.h"

#include <algorithm>

using testsupport::GameApp;
using testsupport::Script;

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

const char kModified[] = "The current grid has been modified.\n\nWould you like to save it?";
const char kSolved[] = "The current puzzle has been solved.\n\nWould you like to start another?";

// Presses Cancel in the progress window as soon as it is made: a thread
// hook sees the dialog created, and the generator's first pump delivers
// the posted Cancel.
class CancelProgress
{
public:
    CancelProgress() { s_hHook = ::SetWindowsHookExA(WH_CBT, &HookProc, NULL, ::GetCurrentThreadId()); }
    ~CancelProgress() { ::UnhookWindowsHookEx(s_hHook); }
    static int Cancelled() { return s_nCancelled; }

private:
    static LRESULT CALLBACK HookProc(int nCode, WPARAM wParam, LPARAM lParam)
    {
        if (nCode == HCBT_CREATEWND)
        {
            CBT_CREATEWNDA* pCreate = (CBT_CREATEWNDA*)lParam;
            if (pCreate->lpcs->lpszName != NULL && !IS_INTRESOURCE(pCreate->lpcs->lpszName) &&
                strcmp(pCreate->lpcs->lpszName, "Create Progress") == 0)
            {
                ::PostMessageA((HWND)wParam, WM_COMMAND, IDCANCEL, 0);
                s_nCancelled++;
            }
        }
        return ::CallNextHookEx(s_hHook, nCode, wParam, lParam);
    }
    static HHOOK s_hHook;
    static int s_nCancelled;
};
HHOOK CancelProgress::s_hHook = NULL;
int CancelProgress::s_nCancelled = 0;

// TRUE when a shown top-level window of this thread has the caption (the
// progress window of New Puzzle is kept hidden between generations).
struct FindCaption
{
    const char* pszCaption;
    bool bFound;
};

BOOL CALLBACK FindCaptionProc(HWND hWnd, LPARAM lParam)
{
    FindCaption* pFind = (FindCaption*)lParam;
    char szText[128] = "";
    ::GetWindowTextA(hWnd, szText, sizeof(szText));
    if (strcmp(szText, pFind->pszCaption) == 0 && ::IsWindowVisible(hWnd))
        pFind->bFound = true;
    return TRUE;
}

bool ThreadHasWindow(const char* pszCaption)
{
    FindCaption find = {pszCaption, false};
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindCaptionProc, (LPARAM)&find);
    return find.bFound;
}

std::string LastLine(const std::string& text)
{
    std::string trimmed = text;
    while (!trimmed.empty() && (trimmed.back() == '\n' || trimmed.back() == '\r'))
        trimmed.pop_back();
    size_t n = trimmed.find_last_of('\n');
    return n == std::string::npos ? trimmed : trimmed.substr(n + 1);
}
} // namespace

TEST(BrindlemarkDoc, NewPuzzleMakesAPuzzleOfTheChosenProfiles)
{
    GameApp game;
    ASSERT_TRUE(game.Started());
    EXPECT_EQ(0, game.Puzzle().m_nGameState);

    ASSERT_TRUE(game.NewPuzzle(2, 1));   // Difficult, Printing
    CHTDataContainer& puzzle = game.Puzzle();
    EXPECT_EQ(1, Script().nNewPuzzleAsked);
    EXPECT_EQ(15, puzzle.m_nColumns);
    EXPECT_EQ(15, puzzle.m_nRows);
    EXPECT_EQ(CString("Difficult"), puzzle.m_GradeInfo.m_strProfileName);
    EXPECT_EQ(CString("Printing"), puzzle.m_AppearanceInfo.m_strProfileName);
    EXPECT_EQ(RGB(100, 100, 100), puzzle.m_crBorder);
    EXPECT_TRUE(puzzle.m_bModified);
    EXPECT_EQ(0, game.Doc()->m_nClockSeconds);
    EXPECT_FALSE(game.Doc()->m_bPaused);
    EXPECT_EQ(0, game.Doc()->m_Controller.m_listSavedStates.GetCount());
    EXPECT_STREQ("Untitled", game.Doc()->GetTitle());
    // The progress window is gone and the frame is usable again.
    EXPECT_FALSE(ThreadHasWindow("Create Progress"));
    EXPECT_TRUE(game.Frame()->IsWindowEnabled());
    // The board was laid out for it.
    EXPECT_GT(game.View()->m_nSquareSize, 0);

    // Cancel in the new-puzzle dialog changes nothing.
    CHTDataContainer before(game.Puzzle());
    Script().bNewPuzzleOK = false;
    game.Puzzle().m_bModified = FALSE;
    game.Command(ID_NEW_PUZZLE);
    EXPECT_EQ(before.m_nColumns, game.Puzzle().m_nColumns);
    EXPECT_EQ(before.m_listSquares.GetAt(0).m_nNumber, game.Puzzle().m_listSquares.GetAt(0).m_nNumber);
}

TEST(BrindlemarkDoc, CancelDuringGenerationKeepsTheOldPuzzleAndGivesTheWindowBack)
{
    GameApp game;
    ASSERT_TRUE(game.NewPuzzle(0));
    CHTDataContainer before(game.Puzzle());
    game.Doc()->m_nClockSeconds = 42;
    game.Doc()->m_bPaused = TRUE;   // the clock must not tick while the generator pumps
    game.Puzzle().m_bModified = FALSE;

    {
        // Shown at once (and so made while the hook watches), not only once
        // the generation has lasted.
        ASSERT_TRUE(CCreateProgress::GetKept() != NULL);
        CCreateProgress::GetKept()->SetShowDelay(0);
        CancelProgress cancel;
        Script().nGrade = 3;
        game.Command(ID_NEW_PUZZLE);
        EXPECT_EQ(1, CancelProgress::Cancelled());
    }
    // The generator stopped on the flag instead of trying for ever.
    EXPECT_EQ(8, game.Puzzle().m_nColumns);
    EXPECT_EQ(before.m_listSquares.GetAt(5).m_nNumber, game.Puzzle().m_listSquares.GetAt(5).m_nNumber);
    EXPECT_EQ(42, game.Doc()->m_nClockSeconds);
    EXPECT_TRUE(game.Doc()->m_bPaused);
    EXPECT_FALSE(ThreadHasWindow("Create Progress"));
    EXPECT_TRUE(game.Frame()->IsWindowEnabled());
}

TEST(BrindlemarkDoc, AModifiedPuzzleAsksBeforeItIsReplaced)
{
    GameApp game;
    ASSERT_TRUE(game.NewPuzzle(0));
    game.Click(0, 0);
    ASSERT_TRUE(game.Puzzle().m_bModified);

    // Cancel: nothing happens.
    Script().asked.clear();
    Script().yesNoCancel = {IDCANCEL};
    game.Command(ID_NEW_PUZZLE);
    ASSERT_EQ(1u, Script().asked.size());
    EXPECT_EQ(kModified, Script().asked[0]);
    EXPECT_EQ("Save|Don't Save|Cancel", Script().captions[0]);
    EXPECT_EQ(0, Script().nNewPuzzleAsked - 1);
    EXPECT_EQ(2, game.StateAt(0, 0));

    // Save, then cancelling the save dialog also stops.
    Script().yesNoCancel = {IDYES};
    Script().files = {""};
    game.Command(ID_NEW_PUZZLE);
    EXPECT_EQ(1, Script().nNewPuzzleAsked);
    EXPECT_EQ("save hti", Script().fileQuestions.back());

    // Don't Save goes on to a new puzzle.
    Script().yesNoCancel = {IDNO};
    game.Command(ID_NEW_PUZZLE);
    EXPECT_EQ(2, Script().nNewPuzzleAsked);
    EXPECT_EQ(0, game.StateAt(0, 0));

    // Loading asks the same; Cancel loads nothing.
    game.Click(1, 1);
    Script().yesNoCancel = {IDCANCEL};
    BYTE bQuiet = FALSE;
    EXPECT_TRUE(game.Doc()->LoadPuzzleFromFile("C:\\nothing.hti", bQuiet));
    EXPECT_EQ(2, game.StateAt(1, 1));

    // Closing the frame asks too; Cancel keeps it open.
    Script().yesNoCancel = {IDCANCEL};
    game.Frame()->SendMessage(WM_CLOSE);
    EXPECT_TRUE(::IsWindow(game.Frame()->GetSafeHwnd()));
    Script().yesNoCancel = {IDCANCEL};
    game.Command(ID_EXIT_GAME);
    EXPECT_TRUE(::IsWindow(game.Frame()->GetSafeHwnd()));
}

TEST(BrindlemarkDoc, SavingAndLoadingKeepTheClock)
{
    testsupport::CTempFolder folder;
    GameApp game;
    ASSERT_TRUE(game.NewPuzzle(0));
    game.Click(2, 3);
    game.Doc()->m_nClockSeconds = 95;

    // Save (2003) of a puzzle never saved asks for a name.
    std::string path = folder.Path("abc.hti");
    Script().files = {path};
    game.Command(ID_SAVE_PUZZLE);
    EXPECT_EQ("save hti", Script().fileQuestions.back());
    std::string text = testsupport::ReadFileBytes(path);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(0u, text.find("FVH[TRI]2"));
    EXPECT_EQ("95", LastLine(text));
    EXPECT_FALSE(game.Puzzle().m_bModified);
    EXPECT_STREQ("abc.hti", game.Doc()->GetTitle());

    // Ctrl+S (57603) saves to the same file: a real puzzle, never an empty one.
    game.Doc()->m_nClockSeconds = 96;
    size_t nAsked = Script().fileQuestions.size();
    game.Command(ID_FILE_SAVE);
    EXPECT_EQ(nAsked, Script().fileQuestions.size());
    text = testsupport::ReadFileBytes(path);
    EXPECT_EQ(0u, text.find("FVH[TRI]2"));
    EXPECT_EQ("96", LastLine(text));

    // A new puzzle, then loading the file back: the clock, the square and
    // the title return; the started puzzle asks whether to continue.
    ASSERT_TRUE(game.NewPuzzle(1));
    Script().yesNoCancel = {IDNO};   // the new puzzle is not kept
    Script().files = {path};
    Script().bStartAgain = false;
    game.Command(ID_FILE_OPEN);
    EXPECT_EQ(1, Script().nLoadChoicesAsked);
    EXPECT_EQ(96, game.Doc()->m_nClockSeconds);
    EXPECT_EQ(8, game.Puzzle().m_nColumns);
    EXPECT_EQ(2, game.StateAt(2, 3));
    EXPECT_STREQ("abc.hti", game.Doc()->GetTitle());
    EXPECT_EQ(0, game.Doc()->m_Controller.m_listSavedStates.GetCount());

    // Revert to start (confirmed, and enabled once a move was made) clears
    // the clock.
    EXPECT_FALSE(game.IsEnabled(ID_REVERT_TO_START));
    game.Click(0, 0);
    Script().yesNo = {1};
    game.Command(ID_REVERT_TO_START);
    EXPECT_EQ(0, game.Doc()->m_nClockSeconds);
    EXPECT_EQ(0, game.StateAt(2, 3));
}

TEST(BrindlemarkDoc, FilesThatCannotBeReadChangeNothingAndAreReported)
{
    testsupport::CTempFolder folder;
    GameApp game;
    ASSERT_TRUE(game.NewPuzzle(0));
    game.Puzzle().m_bModified = FALSE;
    game.Doc()->m_nClockSeconds = 7;
    CString strTitle = game.Doc()->GetTitle();

    // Another version's file: string 36.
    std::string other = folder.Path("other.hti");
    testsupport::WriteFileBytes(other, "FVH[TRI]1\n9\n9\n1\n");
    BYTE bQuiet = FALSE;
    EXPECT_FALSE(game.Doc()->LoadPuzzleFromFile(other.c_str(), bQuiet));
    ASSERT_EQ(1u, Script().asked.size());
    EXPECT_EQ("This puzzle file was created by a different version and cannot be loaded.", Script().asked[0]);
    EXPECT_EQ(8, game.Puzzle().m_nColumns);
    EXPECT_EQ(7, game.Doc()->m_nClockSeconds);
    EXPECT_EQ(strTitle, game.Doc()->GetTitle());

    // A file that cannot be opened at all is told too.
    std::string missing = folder.Path("missing.hti");
    EXPECT_FALSE(game.Doc()->LoadPuzzleFromFile(missing.c_str(), bQuiet));
    ASSERT_EQ(2u, Script().asked.size());
    EXPECT_NE(std::string::npos, Script().asked[1].find("missing.hti"));

    // A save that fails keeps the puzzle modified and tells why.
    game.Puzzle().m_bModified = TRUE;
    EXPECT_FALSE(game.Doc()->SavePuzzleToFile(folder.Path("no such folder\\x.hti").c_str()));
    EXPECT_TRUE(game.Puzzle().m_bModified);
    EXPECT_EQ(3u, Script().asked.size());
    EXPECT_EQ(strTitle, game.Doc()->GetTitle());
}

TEST(BrindlemarkDoc, FilesOpenedByTheClassLibraryGoThroughThePuzzleLoader)
{
    testsupport::CTempFolder folder;
    GameApp game;
    ASSERT_TRUE(game.NewPuzzle(0));
    std::string path = folder.Path("shell.hti");
    ASSERT_TRUE(game.Doc()->SavePuzzleToFile(path.c_str()));
    std::string saved = testsupport::ReadFileBytes(path);

    ASSERT_TRUE(game.NewPuzzle(1));
    game.Puzzle().m_bModified = FALSE;
    EXPECT_TRUE(game.Doc()->OnOpenDocument(path.c_str()));
    EXPECT_EQ(8, game.Puzzle().m_nColumns);
    // The class library's save writes the puzzle, not an empty archive.
    EXPECT_TRUE(game.Doc()->OnSaveDocument(path.c_str()));
    EXPECT_EQ(saved.size(), testsupport::ReadFileBytes(path).size());
}

TEST(BrindlemarkDoc, UndoPastTheBranchPointClosesTheBranch)
{
    GameApp game;
    ASSERT_TRUE(game.NewPuzzle(0));
    EXPECT_TRUE(game.IsEnabled(ID_BRANCH_BEGIN));
    EXPECT_FALSE(game.IsEnabled(ID_BRANCH_ACCEPT));

    // Branch, move, Undo, Undo: no branch is left open.
    game.Command(ID_BRANCH_BEGIN);
    EXPECT_FALSE(game.IsEnabled(ID_BRANCH_BEGIN));
    EXPECT_TRUE(game.IsEnabled(ID_BRANCH_REVERT));
    game.Click(0, 0);
    game.Command(ID_UNDO_MOVE);
    game.Command(ID_UNDO_MOVE);
    EXPECT_FALSE(game.Doc()->m_Controller.IsBranchOpen());
    EXPECT_FALSE(game.IsEnabled(ID_BRANCH_ACCEPT));
    EXPECT_FALSE(game.IsEnabled(ID_BRANCH_REVERT));
    // Revert then does nothing.
    game.Click(1, 1);
    game.Doc()->RevertToBranch();
    EXPECT_EQ(2, game.StateAt(1, 1));
}

TEST(BrindlemarkDoc, RevertReturnsToTheLatestBranchPointOnlyWhenConfirmed)
{
    GameApp game;
    ASSERT_TRUE(game.NewPuzzle(0));
    game.Click(0, 0);
    game.Command(ID_BRANCH_BEGIN);
    game.Click(1, 0);
    game.Doc()->BeginBranch();   // a second branch replaces the first
    game.Click(2, 0);
    game.Click(3, 0);

    // Stop changes nothing.
    Script().yesNo = {2};
    game.Command(ID_BRANCH_REVERT);
    EXPECT_EQ("Reverting is permanent and cannot be undone.\n\nAre you sure?", Script().asked.back());
    EXPECT_EQ("Go Ahead|Stop", Script().captions.back());
    EXPECT_EQ(2, game.StateAt(3, 0));

    Script().yesNo = {1};
    game.Command(ID_BRANCH_REVERT);
    EXPECT_EQ(2, game.StateAt(0, 0));
    EXPECT_EQ(2, game.StateAt(1, 0));
    EXPECT_EQ(0, game.StateAt(2, 0));
    EXPECT_EQ(0, game.StateAt(3, 0));
    EXPECT_FALSE(game.IsEnabled(ID_BRANCH_ACCEPT));
    EXPECT_FALSE(game.IsEnabled(ID_BRANCH_REVERT));

    // Accept empties the undo points.
    game.Command(ID_BRANCH_BEGIN);
    game.Click(4, 4);
    Script().yesNo = {1};
    game.Command(ID_BRANCH_ACCEPT);
    EXPECT_EQ(0, game.Doc()->m_Controller.m_listSavedStates.GetCount());
    EXPECT_FALSE(game.IsEnabled(ID_UNDO_MOVE));
    EXPECT_FALSE(game.IsEnabled(ID_REVERT_TO_START));
}

namespace
{
// Each square's three rule marks are those a fresh check of the player's
// marking gives.
void ExpectMarksOfTheMarking(const CHTDataContainer& position, const char* pszStep)
{
    CHTDataContainer fresh(position);
    AreUnshadedSquaresConnected(fresh, FALSE);
    fresh.MarkDuplicates(FALSE);
    fresh.MarkAdjacentShaded();
    for (INT_PTR i = 0; i < fresh.m_listSquares.GetCount(); i++)
    {
        const CHTSquareData& expected = fresh.m_listSquares.GetAt(i);
        const CHTSquareData* pSquare = position.FindSquare(expected.m_nColumn, expected.m_nRow);
        ASSERT_TRUE(pSquare != NULL) << pszStep;
        EXPECT_TRUE(pSquare->m_bIslandMark == expected.m_bIslandMark &&
                    pSquare->m_bDuplicateMark == expected.m_bDuplicateMark &&
                    pSquare->m_bAdjacencyMark == expected.m_bAdjacencyMark)
            << pszStep << ": square (" << expected.m_nColumn << "," << expected.m_nRow << ")";
    }
}
} // namespace

// The marks are kept right while the difficulty profile hides them (its
// pane can show them at any moment) and go into the puzzle file as they
// are: after a right click, in the file saved then, after the solution
// the time-up shows and after its undo.
TEST(BrindlemarkDoc, TheRuleMarksHiddenByTheProfileFollowTheMarkingIntoTheFile)
{
    testsupport::CTempFolder folder;
    GameApp game;
    ASSERT_TRUE(game.NewPuzzle(0));
    CGradeInfo grade = game.Puzzle().GetGradeInfo();
    grade.m_bShowIslandSquares = grade.m_bShowUnshadedDups = grade.m_bShowAdjacentShaded = 0;
    game.Puzzle().SetGradeInfo(grade);

    game.Click(1, 0);
    game.Click(0, 1);
    game.Click(1, 1);
    ExpectMarksOfTheMarking(game.Puzzle(), "a corner cut off by adjacent shaded squares");
    game.Click(1, 1, true);
    game.Click(0, 1, true);
    ExpectMarksOfTheMarking(game.Puzzle(), "two of them unshaded by right clicks");

    const std::string path = folder.Path("marks.hti");
    ASSERT_TRUE(game.Doc()->SavePuzzleToFile(path.c_str()));
    CHTDataContainer stored;
    ASSERT_TRUE(stored.ReadFromFile(path.c_str(), TRUE));
    ExpectMarksOfTheMarking(stored, "the saved file");

    Script().yesNo = {2};   // no other puzzle
    game.Doc()->ShowSolution(TRUE);
    EXPECT_EQ(kSolved, Script().asked.back());
    ExpectMarksOfTheMarking(game.Puzzle(), "the solution shown at the time-up");
    game.Command(ID_UNDO_MOVE);
    EXPECT_EQ(htsUnshaded, game.StateAt(0, 1));
    ExpectMarksOfTheMarking(game.Puzzle(), "the solution undone");
}

TEST(BrindlemarkDoc, TheSolutionIsShownOnlyWhenConfirmedAndThenOffersAnother)
{
    GameApp game;
    ASSERT_TRUE(game.NewPuzzle(0));
    Script().yesNo = {2};
    game.Command(ID_SHOW_SOLUTION);
    EXPECT_EQ("Are you sure you want to see the solution and finish the puzzle?", Script().asked.back());
    EXPECT_EQ("Yes, please|No, thanks", Script().captions.back());
    EXPECT_FALSE(game.Doc()->IsSolved());
    EXPECT_EQ(0, game.Doc()->m_Controller.m_listSavedStates.GetCount());

    Script().yesNo = {1, 2};
    game.Command(ID_SHOW_SOLUTION);
    EXPECT_TRUE(game.Doc()->IsSolved());
    EXPECT_EQ(kSolved, Script().asked.back());
    EXPECT_EQ(1, game.Doc()->m_Controller.m_listSavedStates.GetCount());
    // Undo takes the solution back.
    game.Command(ID_UNDO_MOVE);
    EXPECT_FALSE(game.Doc()->IsSolved());
}

namespace
{
int NumberAt(GameApp& game, int nColumn, int nRow)
{
    return game.Puzzle().FindSquare(nColumn, nRow)->m_nNumber;
}

// Fills the entered grid with numbers that repeat in no column or row
// (n = the longer side), then gives (2, 2) the number of (4, 2), which
// also stands at (2, 4): the grid has two solutions, (2, 2) shaded, or
// (4, 2) and (2, 4) shaded.
void EnterTwoSolutionGrid(GameApp& game)
{
    CHTDataContainer& grid = game.Puzzle();
    const int n = std::max(grid.m_nColumns, grid.m_nRows);
    for (int c = 0; c < grid.m_nColumns; c++)
        for (int r = 0; r < grid.m_nRows; r++)
            grid.FindSquare(c, r)->m_nNumber = (c + r) % n + 1;
    grid.FindSquare(2, 2)->m_nNumber = HT_NO_NUMBER;
    // The last square is entered with clicks, as the player does.
    for (int i = 0; i < (4 + 2) % n + 1; i++)
        game.Click(2, 2);
}
} // namespace

TEST(BrindlemarkDoc, OwnPuzzleEntryStepsNumbersWithClicksAsUndoSteps)
{
    GameApp game;
    Script().nGrade = 0;
    game.Command(ID_PUZZLE_ENTER_OWN);
    EXPECT_EQ(2, game.Puzzle().m_nGameState);
    EXPECT_EQ(8, game.Puzzle().m_nColumns);
    const int n = std::max(game.Puzzle().m_nColumns, game.Puzzle().m_nRows);
    EXPECT_EQ(0u, Script().asked.back().find("Enter clues into the blank Grid"));
    EXPECT_TRUE(game.IsEnabled(ID_PUZZLE_FINALIZE));
    EXPECT_FALSE(game.Puzzle().m_bModified);

    // Left click: blank, 1, 2; right click: back down, and from blank to
    // the highest number; each click is one undo step and marks the grid
    // modified. The player states stay undecided.
    size_t nAsked = Script().asked.size();
    game.Click(0, 0);
    EXPECT_EQ(1, NumberAt(game, 0, 0));
    game.Click(0, 0);
    EXPECT_EQ(2, NumberAt(game, 0, 0));
    game.Click(0, 0, true);
    game.Click(0, 0, true);
    EXPECT_EQ(HT_NO_NUMBER, NumberAt(game, 0, 0));
    game.Click(0, 0, true);
    EXPECT_EQ(n, NumberAt(game, 0, 0));
    game.Click(0, 0);
    EXPECT_EQ(HT_NO_NUMBER, NumberAt(game, 0, 0)) << "past the grid's size back to blank";
    EXPECT_EQ(6, game.Doc()->m_Controller.m_listSavedStates.GetCount());
    EXPECT_EQ(0, game.StateAt(0, 0));
    EXPECT_TRUE(game.Puzzle().m_bModified);
    EXPECT_EQ(nAsked, Script().asked.size()) << "entering asks nothing";
    game.Command(ID_UNDO_MOVE);
    EXPECT_EQ(n, NumberAt(game, 0, 0));
    EXPECT_EQ(2, game.Puzzle().m_nGameState);

    // The duplicate marks follow the numbers.
    game.Click(3, 0);
    game.Click(0, 0);
    game.Click(0, 0);
    EXPECT_EQ(1, NumberAt(game, 0, 0));
    EXPECT_EQ(1, game.Puzzle().FindSquare(0, 0)->m_bDuplicateMark);
    EXPECT_EQ(1, game.Puzzle().FindSquare(3, 0)->m_bDuplicateMark);
    game.Click(3, 0);
    EXPECT_EQ(0, game.Puzzle().FindSquare(0, 0)->m_bDuplicateMark);

    // A blank square left: the grid cannot be solved, and stays as it was.
    nAsked = Script().asked.size();
    const INT_PTR nUndo = game.Doc()->m_Controller.m_listSavedStates.GetCount();
    game.Command(ID_PUZZLE_FINALIZE);
    EXPECT_EQ(nAsked + 1, Script().asked.size());
    EXPECT_EQ(0u, Script().asked.back().find("Brindlemark could not solve the puzzle."));
    EXPECT_EQ(2, game.Puzzle().m_nGameState);
    EXPECT_EQ(1, NumberAt(game, 0, 0));
    EXPECT_EQ(nUndo, game.Doc()->m_Controller.m_listSavedStates.GetCount());

    // While playing a generated puzzle, finalising shows nothing.
    Script().yesNoCancel = {IDNO};
    ASSERT_TRUE(game.NewPuzzle(0));
    nAsked = Script().asked.size();
    game.Doc()->FinalizeGrid();
    EXPECT_EQ(nAsked, Script().asked.size());
    EXPECT_FALSE(game.IsEnabled(ID_PUZZLE_FINALIZE));
}

TEST(BrindlemarkDoc, AFinalizedGridIsPlayedAndSolvedByTheRules)
{
    GameApp game;
    Script().nGrade = 0;
    game.Command(ID_PUZZLE_ENTER_OWN);
    ASSERT_EQ(2, game.Puzzle().m_nGameState);

    // Every number repeated in its row: no solution, nothing changes.
    CHTDataContainer& grid = game.Puzzle();
    for (INT_PTR i = 0; i < grid.m_listSquares.GetCount(); i++)
        grid.m_listSquares.GetAt(i).m_nNumber = 1;
    size_t nAsked = Script().asked.size();
    game.Command(ID_PUZZLE_FINALIZE);
    EXPECT_EQ(nAsked + 1, Script().asked.size());
    EXPECT_EQ(0u, Script().asked.back().find("Brindlemark could not solve the puzzle."));
    EXPECT_EQ(2, game.Puzzle().m_nGameState);

    EnterTwoSolutionGrid(game);
    game.Doc()->m_nClockSeconds = 40;
    nAsked = Script().asked.size();
    game.Command(ID_PUZZLE_FINALIZE);
    EXPECT_EQ(nAsked, Script().asked.size()) << "a solved grid is ready to play without a word";
    ASSERT_EQ(1, game.Puzzle().m_nGameState);
    EXPECT_EQ(0, game.Doc()->m_nClockSeconds);
    EXPECT_EQ(0, game.Doc()->m_Controller.m_listSavedStates.GetCount());
    EXPECT_TRUE(game.Puzzle().m_bModified);
    EXPECT_FALSE(game.IsEnabled(ID_PUZZLE_FINALIZE));
    EXPECT_TRUE(game.IsEnabled(ID_SHOW_SOLUTION));
    EXPECT_EQ(1, game.Puzzle().FindSquare(2, 2)->m_bDuplicateMark) << "the rule marks show from the start";

    // The grid has two solutions; the one not stored is solved as well.
    const bool bStoredShadesCentre = game.Puzzle().FindSquare(2, 2)->m_nSolutionState == htsShaded;
    Script().yesNo = {2};
    if (bStoredShadesCentre)
    {
        game.Click(4, 2);
        EXPECT_FALSE(game.Doc()->IsSolved()) << "not solved after one of the two squares";
        game.Click(2, 4);
    }
    else
        game.Click(2, 2);
    EXPECT_EQ(kSolved, Script().asked.back());
    EXPECT_TRUE(game.Doc()->IsSolved());

    // Show Solution gives the stored one, which is solved too.
    Script().yesNo = {1, 2};
    game.Command(ID_SHOW_SOLUTION);
    EXPECT_EQ(kSolved, Script().asked.back());
    EXPECT_EQ(bStoredShadesCentre ? htsShaded : htsUndecided, game.StateAt(2, 2));
}

// Finalizing the largest grid, which the solver takes seconds for: the game
// keeps answering all along, the progress window comes up with its Cancel,
// and the grid becomes the puzzle; cancelled, it stays as entered.
TEST(BrindlemarkDoc, ALargeGridIsFinalizedWithTheGameAnsweringOrCancelled)
{
    testsupport::Watchdog watchdog("finalizing a 64 x 64 grid", 120000);
    ASSERT_TRUE(watchdog.IsArmed());
    GameApp game;
    Script().nGrade = 0;
    game.Command(ID_PUZZLE_ENTER_OWN);
    ASSERT_EQ(htgsCopyMode, game.Puzzle().m_nGameState);
    testsupport::MakeSlowLargeGrid(game.Puzzle());

    {
        CancelProgress cancel;
        const int nCancelled = CancelProgress::Cancelled();
        const size_t nAsked = Script().asked.size();
        game.Command(ID_PUZZLE_FINALIZE);
        EXPECT_EQ(nCancelled + 1, CancelProgress::Cancelled()) << "the progress window came up";
        EXPECT_EQ(nAsked, Script().asked.size()) << "a cancel is told nothing";
    }
    EXPECT_EQ(htgsCopyMode, game.Puzzle().m_nGameState) << "the grid stays as entered";
    EXPECT_EQ(testsupport::kSlowGridSide, game.Puzzle().m_nColumns);
    EXPECT_FALSE(ThreadHasWindow("Create Progress"));
    EXPECT_TRUE(game.Frame()->IsWindowEnabled());

    // Another thread sends to the frame all through the search; every send
    // is answered (none waits as long as a second).
    testsupport::CAnswerWatch watch(game.Frame()->GetSafeHwnd());
    const size_t nAsked = Script().asked.size();
    game.Command(ID_PUZZLE_FINALIZE);
    watch.Stop();
    EXPECT_EQ(0, watch.Unanswered()) << "longest wait " << watch.LongestWait() << " ms";
    EXPECT_GT(watch.Answered(), 20) << "answered while the grid was solved";
    EXPECT_EQ(nAsked, Script().asked.size());
    ASSERT_EQ(htgsPlaying, game.Puzzle().m_nGameState);
    EXPECT_FALSE(ThreadHasWindow("Create Progress"));
    EXPECT_TRUE(game.Frame()->IsWindowEnabled());
    CHTDataContainer solved(game.Puzzle());
    EXPECT_FALSE(solved.MarkDuplicates(TRUE));
    EXPECT_FALSE(solved.HasAdjacentShaded(TRUE));
    EXPECT_TRUE(AreUnshadedSquaresConnected(solved, TRUE));
}

TEST(BrindlemarkDoc, AGridSavedWhileEnteredLoadsBackForEntry)
{
    testsupport::CTempFolder folder;
    GameApp game;
    Script().nGrade = 0;
    game.Command(ID_PUZZLE_ENTER_OWN);
    EnterTwoSolutionGrid(game);
    game.Click(0, 0, true); // (0, 0) blank again
    ASSERT_EQ(HT_NO_NUMBER, NumberAt(game, 0, 0));

    const std::string path = folder.Path("entered.hti");
    ASSERT_TRUE(game.Doc()->SavePuzzleToFile(path.c_str()));
    Script().yesNoCancel = {IDNO};
    ASSERT_TRUE(game.NewPuzzle(0));
    BYTE bQuiet = FALSE;
    ASSERT_TRUE(game.Doc()->LoadPuzzleFromFile(path.c_str(), bQuiet));
    EXPECT_EQ(2, game.Puzzle().m_nGameState);
    EXPECT_EQ(HT_NO_NUMBER, NumberAt(game, 0, 0));
    EXPECT_EQ(NumberAt(game, 4, 2), NumberAt(game, 2, 2));
    EXPECT_TRUE(game.IsEnabled(ID_PUZZLE_FINALIZE));

    // Finished with a click and finalized: a puzzle, saved and loaded as one.
    game.Click(0, 0);
    EXPECT_EQ(1, NumberAt(game, 0, 0));
    game.Command(ID_PUZZLE_FINALIZE);
    ASSERT_EQ(1, game.Puzzle().m_nGameState);
    const std::string played = folder.Path("played.hti");
    ASSERT_TRUE(game.Doc()->SavePuzzleToFile(played.c_str()));
    CHTDataContainer stored(game.Puzzle());
    Script().yesNoCancel = {IDNO};
    ASSERT_TRUE(game.NewPuzzle(0));
    ASSERT_TRUE(game.Doc()->LoadPuzzleFromFile(played.c_str(), bQuiet));
    EXPECT_EQ(1, game.Puzzle().m_nGameState);
    for (INT_PTR i = 0; i < stored.m_listSquares.GetCount(); i++)
    {
        const CHTSquareData& square = stored.m_listSquares.GetAt(i);
        const CHTSquareData* pLoaded = game.Puzzle().FindSquare(square.m_nColumn, square.m_nRow);
        ASSERT_TRUE(pLoaded != NULL);
        EXPECT_EQ(square.m_nNumber, pLoaded->m_nNumber);
        EXPECT_EQ(square.m_nSolutionState, pLoaded->m_nSolutionState);
    }
}

TEST(BrindlemarkDoc, TheAidsFollowTheDifficultyProfile)
{
    GameApp game;
    ASSERT_TRUE(game.NewPuzzle(3));   // Fiendish: neither aid
    size_t nAsked = Script().asked.size();
    game.Command(ID_AUTOMARK_UNSHADED);
    EXPECT_EQ(0u, Script().asked.back().find("'AutoMark Unshaded Squares' is disabled"));
    EXPECT_FALSE(game.Puzzle().m_bUnshadedUpdate);
    game.Command(ID_UPDATE_UNSHADED);
    EXPECT_EQ(0u, Script().asked.back().find("'Update Unshaded Squares' is disabled"));
    EXPECT_EQ(nAsked + 2, Script().asked.size());

    ASSERT_TRUE(game.NewPuzzle(0));   // Easy: both
    game.Command(ID_AUTOMARK_UNSHADED);
    EXPECT_TRUE(game.Puzzle().m_bUnshadedUpdate);
    EXPECT_EQ(1, game.CheckOf(ID_AUTOMARK_UNSHADED));
    game.Command(ID_AUTOMARK_UNSHADED);
    EXPECT_FALSE(game.Puzzle().m_bUnshadedUpdate);

    // Update Unshaded answered No pushes nothing and keeps the pause.
    game.Click(0, 0);
    game.Doc()->m_bPaused = TRUE;
    INT_PTR nSaved = game.Doc()->m_Controller.m_listSavedStates.GetCount();
    Script().yesNo = {2};
    game.Command(ID_UPDATE_UNSHADED);
    EXPECT_EQ(nSaved, game.Doc()->m_Controller.m_listSavedStates.GetCount());
    EXPECT_TRUE(game.Doc()->m_bPaused);
    // Yes marks the neighbours of the shaded square.
    Script().yesNo = {1};
    game.Command(ID_UPDATE_UNSHADED);
    EXPECT_EQ(nSaved + 1, game.Doc()->m_Controller.m_listSavedStates.GetCount());
    EXPECT_FALSE(game.Doc()->m_bPaused);
    EXPECT_EQ(1, game.StateAt(1, 0));
    EXPECT_EQ(1, game.StateAt(0, 1));
    EXPECT_EQ(0, game.StateAt(5, 5));
}
