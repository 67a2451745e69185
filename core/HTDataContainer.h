// One puzzle position: the grid of squares with the appearance and difficulty
// profiles it was made with, the rule checks on it, and its puzzle file.
#pragma once

#include "AppearanceInfo.h"
#include "GradeInfo.h"
#include "HTSquareData.h"

class CDC;
class CStdioFile;
class CHTGeneratorProgress;

// Game state of a position.
enum HTGameState
{
    htgsNone = 0,      // no game
    htgsPlaying = 1,   // a generated puzzle being played
    htgsCopyMode = 2   // the player types in a puzzle from elsewhere
};

class CHTDataContainer
{
public:
    // Empty 0 x 0 position with default profiles.
    CHTDataContainer();
    CHTDataContainer(const CHTDataContainer& src);
    CHTDataContainer& operator=(const CHTDataContainer& src);
    virtual ~CHTDataContainer();

    // Copies the squares (same order), the flags, size, profiles and time.
    void CopyFrom(const CHTDataContainer& src);

    // Empties the list and creates columns x rows squares, column by column,
    // each with both states 0 and no number.
    void SetGridSize(int nColumns, int nRows);
    // Appends a blank square; FALSE when one with these coordinates exists.
    BOOL AddSquare(int nColumn, int nRow);
    // Copies the square at (column, row); FALSE when there is none.
    BOOL GetSquare(int nColumn, int nRow, CHTSquareData& square) const;
    // The stored square itself, for changes in place; NULL when absent.
    CHTSquareData* FindSquare(int nColumn, int nRow);
    const CHTSquareData* FindSquare(int nColumn, int nRow) const;

    // Copies the profile's eleven square colours into every square and its
    // border colour into this position.
    BOOL ApplySquareColours(const CAppearanceInfo& appearance);
    CAppearanceInfo GetAppearanceInfo() const;
    CGradeInfo GetGradeInfo() const;
    void SetGradeInfo(const CGradeInfo& grade);

    // Every player state 0 and every mark cleared; elapsed time 0.
    void ResetPlayerState();
    // Player states := solution states, marks cleared, the active view
    // repainted.
    void ShowSolution();
    // TRUE when some square's player state is 1 or 2.
    BOOL HasPlayerProgress() const;

    // A blank grid for copy mode, sized and coloured by the profiles of
    // these indexes in the global lists (defaults for an unknown index).
    BOOL CreateEmptyGrid(int nGradeIndex, int nAppearanceIndex);

    // ----- Own-puzzle entry (game state 2)

    // Steps the number of the square at (column, row) by one up (bUp) or
    // down through blank, 1 .. max(columns, rows) and round to blank again.
    // FALSE, with nothing changed, when there is no such square.
    BOOL StepEnteredNumber(int nColumn, int nRow, BOOL bUp);
    // TRUE when some square has no number.
    BOOL HasBlankSquare() const;
    // Makes the entered grid a puzzle to play: solves it by the three
    // rules, stores the solution in the solution states, clears the player
    // states and marks, sets game state 1 with the clock at 0 and the
    // modified flag. FALSE, with nothing changed, outside game state 2, with
    // a square without a number, or when the grid has no solution. A
    // progress keeps its window live during the search and may cancel it
    // (FALSE too; the progress tells the cancel apart).
    BOOL FinalizeEnteredGrid(CHTGeneratorProgress* pProgress = NULL);

    // The outer frame of a board whose top-left square starts at (x, y).
    void DrawBorder(CDC* pDC, int x, int y, int nSquareSize, BOOL bThick) const;

    // ----- Rule checks (bUseSolution: FALSE reads the player state, TRUE the
    // solution state)

    // TRUE when the square is shaded and a side neighbour is shaded too.
    BOOL IsAdjacentShaded(int nColumn, int nRow, BOOL bUseSolution) const;
    BOOL HasAdjacentShaded(BOOL bUseSolution) const;
    // Adjacency mark of every square from the player state.
    void MarkAdjacentShaded();
    // Recomputes the duplicate marks: a number repeated among the squares
    // of a column or row that are not shaded. TRUE when any was marked.
    BOOL MarkDuplicates(BOOL bUseSolution);
    // Recomputes every rule mark from the player state: the island, the
    // duplicate and the adjacency marks, in the order a move checks them.
    // The board and the open dialog's preview both show a position through
    // it, so neither shows a mark that another marking left (a file keeps
    // the marks of the position it was saved from).
    void RefreshRuleMarks();
    // Playing aid: every square not shaded becomes unshaded (1) when a side
    // neighbour is shaded, undecided (0) otherwise.
    void UpdateUnshadedSquares();
    void ClearIslandMarks();
    void ClearDuplicateMarks();
    void ClearAdjacencyMarks();

    // ----- Puzzle file

    // Reads a puzzle file. Nothing in the file is trusted: on any fault the
    // result is FALSE and this position is left as it was. Unless quiet, a
    // file of another version shows a message, and a started puzzle asks
    // whether to continue or start again.
    BOOL ReadFromFile(LPCTSTR lpszPath, BOOL bQuiet);
    // Writes the position. The old file is replaced only when the whole new
    // file was written; on failure the result is FALSE, the old file is left
    // as it was and the modified flag stays set.
    BOOL WriteToFile(LPCTSTR lpszPath);

    // TRUE when the grid holds exactly one square per cell, the size lies
    // within 1..HT_MAX_GRID_SIDE, and the game state, every square state and
    // every number are ones a puzzle file may hold.
    BOOL IsValidGrid() const;

public:
    CHTSquareDataList m_listSquares;
    BYTE m_bModified;
    int m_nGameState;               // HTGameState
    COLORREF m_crBorder;
    CAppearanceInfo m_AppearanceInfo;
    CGradeInfo m_GradeInfo;
    int m_nColumns;
    int m_nRows;
    int m_nElapsedSeconds;          // the game clock; stored last in the file
    BYTE m_bUnshadedUpdate;         // rerun the unshaded update after every play move
};

// Work record of the connectivity check, one per square.
struct ConnectivityRecord
{
    BYTE bLinkUp;      // link to the square above taken
    BYTE bLinkDown;    // link to the square below taken
    BYTE bLinkLeft;    // link to the square on the left taken
    BYTE bLinkRight;   // link to the square on the right taken
    BYTE bReached;     // square reached
};

// Recomputes every island mark; TRUE when the squares that are not shaded
// form one side-connected area.
BOOL AFXAPI AreUnshadedSquaresConnected(CHTDataContainer& container, BOOL bUseSolution);

// Fills from (column, row) across squares that are not shaded, setting the
// reached byte of every square entered (a shaded square is entered but not
// left). The records are columns x rows entries, (column, row) at index
// column * rows + row.
void AFXAPI FloodFillUnshaded(const CHTDataContainer& container, ConnectivityRecord* pRecords, int nColumn,
                              int nRow, BOOL bUseSolution);

// Puzzle file header: "FVH[<tag>]<version>".
void AFXAPI WriteFileHeader(CStdioFile& file, LPCTSTR lpszTag, int nVersion);
// TRUE when the header line names this tag and version.
BOOL AFXAPI CheckFileHeader(const CString& strLine, LPCTSTR lpszTag, int nVersion);
