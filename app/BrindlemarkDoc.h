// The game's one document: the puzzle being played with its undo points and
// branch point, the game clock and the pause flag, and every game operation
// the commands, the board and the clock ask for.
#pragma once

#include <afxwin.h>

#include "GameAccessors.h"
#include "HTDataController.h"

class CBrindlemarkDoc : public CDocument, public CHTPuzzleSource
{
    DECLARE_DYNCREATE(CBrindlemarkDoc)
public:
    CBrindlemarkDoc();
    virtual ~CBrindlemarkDoc();

    // ----- New, load, save

    // Offers to save a modified puzzle, asks for the profiles and makes a
    // puzzle with them.
    void NewPuzzle();
    // Makes a puzzle to the difficulty profile of that index in the colours
    // of the appearance profile of that index (the default profile of a kind
    // when the index names none), behind the progress window. FALSE when the
    // player cancelled: the current puzzle, clock and title stay as they were.
    BOOL GeneratePuzzle(int nGradeIndex, int nAppearanceIndex);
    // Asks whether to save a modified position: FALSE when the player
    // cancels (or cancels the save), TRUE to go on.
    BOOL QuerySaveModified(CHTDataContainer& position);
    // The open dialog, then LoadPuzzleFromFile. FALSE when it is cancelled.
    BOOL LoadPuzzle(BYTE& bQuiet);
    // Installs the puzzle of the file (quiet: no question and no message).
    // TRUE when it was installed or the player cancelled at the save prompt;
    // FALSE when the file could not be read (the current puzzle stays).
    BOOL LoadPuzzleFromFile(LPCTSTR lpszPath, BYTE& bQuiet);
    // The save dialog, then SavePuzzleToFile. TRUE when saved.
    BOOL SavePuzzleAs();
    // Writes the puzzle with the clock to the file. TRUE when written; a
    // failure is told to the player and changes nothing.
    BOOL SavePuzzleToFile(LPCTSTR lpszPath);
    // Saves to the puzzle's file, or asks for one when it has none.
    BOOL SavePuzzle();

    // ----- Branches, revert, solution

    // Undo: the position before the last move comes back.
    void UndoMove();
    void BeginBranch();
    void AcceptBranch();
    void RevertToBranch();
    void RevertToStart();
    void ShowSolution(BOOL bForce);
    BOOL IsForceComplete();
    BOOL IsSolved();
    // Offers another puzzle when the current one is solved.
    void CheckSolved();
    // The end of a move of the player's on the board (a left or a right
    // click while playing): the rule marks, the auto-mark aid, the modified
    // flag, the solved test, and the board repainted.
    void FinishPlayMove();
    // Recomputes every rule mark of the current position from the player's
    // marking with CHTDataContainer::RefreshRuleMarks, as the open dialog's
    // preview does for a file. Whatever changes the marking (a move, undo, a
    // revert, the solution, a loaded file, a new grid) ends here, so the
    // board never shows a mark that an earlier position left.
    void RefreshRuleMarks();
    void SetPaused(BOOL bPaused);
    // The frame's profile panes (those whose windows exist) and its clock
    // display show the current position's profiles. Whatever makes another
    // position current (a new document, a puzzle made, read or entered, an
    // earlier position brought back, another profile applied) ends here, so
    // no window of the game keeps the profiles of a position the board no
    // longer shows.
    void ShowCurrentProfiles();

    // ----- Own-puzzle entry and the unshaded-square aids

    BOOL EnterOwnPuzzle();
    // Solves the entered grid and makes it the puzzle to play; TRUE when it
    // did. A grid with a blank square or no solution is told to the player
    // and stays as it was.
    BOOL FinalizeGrid();
    // A click on a square of the entered grid: its number one up or down
    // (blank, 1 .. the grid's size, blank), as one undo step. FALSE outside
    // the entry or the grid.
    BOOL StepEnteredNumber(int nColumn, int nRow, BOOL bUp);
    void UpdateUnshadedSquares();
    void SetAutoMark(BOOL bOn);

    // ----- Helpers of the operations

    CHTDataContainer& GetCurrent() { return m_Controller.m_CurrentState; }
    virtual CHTDataContainer* GetCurrentPuzzle() { return &m_Controller.m_CurrentState; }
    // The board view repaints (bErase: with its background).
    void InvalidateBoard(BOOL bErase = TRUE);

    // The document keeps its puzzle in its own file format; the class
    // library's archive never reads or writes it.
    virtual void Serialize(CArchive& ar);
    // A file opened by the class library (the shell, the recent files) goes
    // through the puzzle loader, a save through the puzzle writer.
    virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
    // A new document (the one made at the start): the frame shows its
    // position's profiles.
    virtual BOOL OnNewDocument();
    virtual BOOL OnSaveDocument(LPCTSTR lpszPathName);

public:
    CHTDataController m_Controller;
    int m_nClockSeconds;        // seconds played on this puzzle
    BYTE m_bPaused;
    CString m_strPuzzlePath;    // the file last saved or loaded; empty for a new puzzle

protected:
    // The title from a file's name and extension.
    void SetTitleFromPath(LPCTSTR lpszPath);
    // Lays the view out for its client size again.
    void RelayoutBoard();
    // Refits the board's number font through the main frame.
    void FitNumberFont();

    afx_msg void OnFileSave();
    afx_msg void OnFileSaveAs();
    DECLARE_MESSAGE_MAP()
};

// The active document of the main window as the game's document; NULL
// without one.
CBrindlemarkDoc* AFXAPI GetGameDoc();
