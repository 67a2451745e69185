// Board painting: DrawBoard paints a whole puzzle grid into any DC (the
// board view, the open dialog's preview, printed pages, the clipboard and
// picture files), composing it off-screen and copying it in one blit. Each
// square is drawn by a square painter in the colours it carries from the
// appearance profile, with the rule-break marks the difficulty profile's
// playing aids allow.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

#include "HTDataContainer.h"

// Render modes of DrawBoard.
enum HTRenderMode
{
    htrmScreen = 0,        // the board view
    htrmPreview = 1,       // the open dialog's preview: 10-point numbers, no debug letters
    htrmPrint = 2,         // printed pages: grey outline, fonts fitted to the square
    htrmClipboard = 3,
    htrmPictureFile = 4,
    htrmBookDisconnected = 5
};

// The background of the board and, in print mode, its outline.
#define HT_BOARD_BACK_COLOUR RGB(198, 198, 198)

// Puts a DC into a known state for painting (transparent background, black
// text on white, left-top alignment, a black one-pixel pen, a white brush
// and a 10-point Tahoma font) and restores everything when it goes. The pen
// and brush are the system's stock ones and the font is made once per
// resolution, since a board puts every square into this state.
class CDCStack
{
public:
    explicit CDCStack(CDC* pDC);
    virtual ~CDCStack();

    // The 10-point Tahoma font for the DC's vertical resolution.
    static HFONT AFX_CDECL GetStateFont(CDC* pDC);

private:
    CDCStack(const CDCStack&);
    CDCStack& operator=(const CDCStack&);

    CDC* m_pDC;
    int m_nOldBkMode;
    COLORREF m_clrOldText;
    COLORREF m_clrOldBk;
    UINT m_nOldTextAlign;
    HGDIOBJ m_hOldPen;
    HGDIOBJ m_hOldBrush;
    HGDIOBJ m_hOldFont;
};

// The largest point size (in tenths, 2000 down to 10 in steps of 10) whose
// text height on a memory DC compatible with pDC is strictly below
// nPercent % of nHeight; nFallback when none is.
int AFXAPI FitPointFont(CDC* pDC, LPCTSTR lpszFace, int nHeight, int nPercent, int nFallback);

class CHTSquarePainter_Base
{
public:
    CHTSquarePainter_Base();
    virtual ~CHTSquarePainter_Base();

    // Draws one square into the painter's DC over the square rectangle.
    virtual void DrawSquare(const CHTSquareData& square) = 0;

    // FitPointFont on the painter's DC.
    int FitPointFont(LPCTSTR lpszFace, int nHeight, int nPercent, int nFallback);

public:
    const CHTDataContainer* m_pContainer;
    BYTE m_bPrint;
    CDC* m_pDC;
    RECT m_rcSquare;
    BYTE m_bPreview;
    CFont m_fontNumber;
    LOGFONT m_lfNumber;
    CFont m_fontSmall;
    LOGFONT m_lfSmall;
    int m_nNumberSize;     // points, from the appearance profile
    int m_nSmallSize;      // points, from the appearance profile
    BYTE m_bShowIsland;
    BYTE m_bShowDuplicates;
    BYTE m_bShowAdjacent;

private:
    CHTSquarePainter_Base(const CHTSquarePainter_Base&);
    CHTSquarePainter_Base& operator=(const CHTSquarePainter_Base&);
};

class CHTSquarePainter_Default : public CHTSquarePainter_Base
{
public:
    CHTSquarePainter_Default(const CHTDataContainer* pContainer, BOOL bPrint, CDC* pDC, const RECT& rcSquare,
                             BOOL bPreview);

    virtual void DrawSquare(const CHTSquareData& square);

    // The fill and number colours of a square by its marks and state.
    COLORREF GetFillColour(const CHTSquareData& square) const;
    COLORREF GetNumberColour(const CHTSquareData& square) const;

    struct ColourPair
    {
        COLORREF clrFill;
        COLORREF clrNumber;
    };
    ColourPair GetColourPair(const CHTSquareData& square) const;

    // A pen of a width and colour, and a solid brush of a colour, kept while
    // the painter lives: squares mostly share their colours.
    CPen* GetPen(int nWidth, COLORREF clr);
    CBrush* GetBrush(COLORREF clr);

protected:
    void DrawUndecided(const CHTSquareData& square);
    void DrawUnshaded(const CHTSquareData& square);
    void DrawShaded(const CHTSquareData& square);
    // The routines' common drawing: fill, the cross of an unshaded square,
    // edges, number, debug letters, and the hatch of a shaded one.
    void PaintSquare(const CHTSquareData& square, BOOL bCross, BOOL bHatch);
    void FillSquare(const CHTSquareData& square);
    void DrawSquareEdges(const CHTSquareData& square);
    void DrawNumber(const CHTSquareData& square);
    void DrawDebugInfo(const CHTSquareData& square);

    // Shrinks the number font, fitted to the square's height, until the
    // widest number of the grid fits the square's width: two-digit numbers
    // of a large grid would otherwise reach the square's edges, where the
    // grid's outer border hides part of them.
    void FitNumberFontToWidth(int nTenths);

    int SquareWidth() const { return m_rcSquare.right - m_rcSquare.left; }
    int SquareHeight() const { return m_rcSquare.bottom - m_rcSquare.top; }

private:
    struct CachedPen
    {
        int nWidth;
        COLORREF clr;
        CPen* pPen;
    };
    CArray<CachedPen, const CachedPen&> m_arrPens;
    CMap<COLORREF, COLORREF, CBrush*, CBrush*> m_mapBrushes;
    int m_nNumberHeight;     // text height of the number font; -1 until measured

public:
    virtual ~CHTSquarePainter_Default();
};

// A new default painter; the caller deletes it.
CHTSquarePainter_Base* AFXAPI CreateSquarePainter(const CHTDataContainer* pContainer, BOOL bPrint, CDC* pDC,
                                                  const RECT& rcSquare, BOOL bPreview);

// Paints the grid with squares of nSquareSize pixels whose top-left square
// starts at (nLeft, nTop) into the target rectangle of the DC. Paused, the
// pause picture covers the squares of columns and rows 3 to 5 and no square
// is drawn. A grid with no columns or rows, or a square size below 1, draws
// nothing at all. On a display DC the board is composed off-screen and
// copied in one blit, so it does not flicker; memory, printer and metafile
// DCs are drawn into directly (nobody watches them being drawn, and a
// page-sized picture compatible with a printer is no picture to make).
void AFXAPI DrawBoard(const CHTDataContainer* pContainer, CDC* pDC, const CRect& rcTarget, int nSquareSize,
                      int nRenderMode, int nLeft, int nTop, BOOL bPaused);
