// Printing puzzles: one puzzle in a slot of a page (a banner across the top
// of the slot and the board below it), and puzzle books of newly generated
// puzzles, 1, 2 or 4 to a page, with their solutions after each puzzle,
// after all of them or not at all.
#pragma once

#include <afxwin.h>
#include <afxdlgs.h>

#include "HTDataContainer.h"

class CHTGeneratorProgress;

// Page positions: 0 the whole page; 1, 2 the top and bottom half; 3 to 6
// the quarters (top left, top right, bottom left, bottom right).
enum PrintPagePosition
{
    pppWholePage = 0,
    pppTopHalf = 1,
    pppBottomHalf = 2,
    pppTopLeft = 3,
    pppTopRight = 4,
    pppBottomLeft = 5,
    pppBottomRight = 6
};

// Solutions of a puzzle book.
enum PuzzleBookSolutions
{
    pbsNone = 0,
    pbsAfterEach = 1,
    pbsAfterAll = 2
};

// Where one puzzle goes in its slot of a page.
struct CPrintSlot
{
    CRect rcBanner;     // the banner, stretched to the board's width, its own height
    CRect rcBoard;      // the square board below the banner
};

// The slot of a page position on a page of the given size in device pixels,
// under a banner of the given height. FALSE (and nothing to draw) when the
// position is not 0 to 6 or the page is too small for a board.
BOOL AFXAPI GetPrintSlot(int nPageWidth, int nPageHeight, int nPosition, int nBannerHeight, CPrintSlot& slot);

// Draws one puzzle at a page position of the printer DC (its page size is
// the attribute DC's HORZRES x VERTRES): the banner (bitmap 123) and the
// board in the render mode. Starting and ending pages is the caller's work.
void AFXAPI PrintPuzzleAt(CDC* pDC, CHTDataContainer* pContainer, int nPosition, int nRenderMode);

// Where the pages of a print job start and end. The printer's DC in the
// program; tests count the pages.
class CPrintPageSink
{
public:
    virtual ~CPrintPageSink() {}
    virtual void StartPage(CDC* pDC);
    virtual void EndPage(CDC* pDC);
};

// Prints one puzzle of a book at the position and moves on: starts a page
// when none is open, prints in mode 2 when the puzzle's solution keeps the
// three rules (else mode 5), and ends the page after its last slot. The
// next position follows the layout: 0 stays 0, 1 -> 2 -> 1, 3 -> 4 -> 5 -> 6 -> 3.
void AFXAPI PrintBookPuzzle(BYTE& bPageOpen, int& nPosition, CDC* pDC, CHTDataContainer* pContainer,
                            CPrintPageSink* pPages = NULL);

// Makes one puzzle of the book in the container with the profiles of these
// indexes (the default profile of a kind when the index names none). FALSE
// when the player cancelled in the progress window; the container is then
// not a puzzle.
BOOL AFXAPI GenerateBookPuzzle(int nAppearanceIndex, int nGradeIndex, CHTGeneratorProgress* pProgress,
                               CHTDataContainer* pContainer);

// Generates the puzzles and prints them with their solutions on a started
// document of the DC, stepping the progress and pumping its messages after
// every puzzle printed too. FALSE when the player cancelled, during the
// generation (nothing is printed) or the printing: the caller then aborts
// the document.
BOOL AFXAPI PrintPuzzleBookPages(CDC* pDC, int nCount, BYTE& bPageOpen, int nPerPage, int nAppearanceIndex,
                                 int nGradeIndex, int nSolutions, CHTGeneratorProgress* pProgress,
                                 CPrintPageSink* pPages = NULL);

// The whole puzzle book: asks for the printer, shows the progress window
// while it generates, prints and closes the job. FALSE when the print dialog
// was cancelled; a cancelled generation aborts the print job. The main
// window is disabled meanwhile and given back afterwards.
bool AFXAPI PrintPuzzleBook(int nCount, BYTE* pPageOpen, int nPerPage, int nAppearanceIndex, int nGradeIndex,
                            int nSolutions);

// Prints the current puzzle on one page after asking for the printer.
void AFXAPI PrintCurrentPuzzle(CHTDataContainer* pContainer);
