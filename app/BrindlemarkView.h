// The board view: lays the board out to fit its client area, paints it,
// turns clicks into moves through click strategies chosen by the game state,
// shows the board's context menu, prints the current puzzle and makes
// pictures of the board.
#pragma once

#include <afxwin.h>

class CBrindlemarkView;
class CHTDataContainer;

// Left-click strategies: one object per click.
class CLButtonDownHandler_Base
{
public:
    virtual ~CLButtonDownHandler_Base() {}
    virtual void Handle(CBrindlemarkView* pView, UINT nControlFlag, int x, int y) = 0;
};

// Play: undecided or unshaded becomes shaded, shaded becomes undecided;
// then the rule checks, the auto-mark aid and the solved test.
class CLButtonDownHandler_Play : public CLButtonDownHandler_Base
{
public:
    virtual void Handle(CBrindlemarkView* pView, UINT nControlFlag, int x, int y);
};

// Own-puzzle entry: the square's number one up (blank, 1 .. the grid's
// size, blank).
class CLButtonDownHandler_Copy : public CLButtonDownHandler_Base
{
public:
    virtual void Handle(CBrindlemarkView* pView, UINT nControlFlag, int x, int y);
};

class CRButtonDownHandler_Base
{
public:
    virtual ~CRButtonDownHandler_Base() {}
    virtual void Handle(CBrindlemarkView* pView, UINT nControlFlag, int x, int y) = 0;
};

// Play: undecided becomes unshaded, unshaded undecided, shaded unshaded;
// then the rule checks, the auto-mark aid and the solved test, as after a
// left click.
class CRButtonDownHandler_Play : public CRButtonDownHandler_Base
{
public:
    virtual void Handle(CBrindlemarkView* pView, UINT nControlFlag, int x, int y);
};

// Own-puzzle entry: the square's number one down.
class CRButtonDownHandler_Copy : public CRButtonDownHandler_Base
{
public:
    virtual void Handle(CBrindlemarkView* pView, UINT nControlFlag, int x, int y);
};

// The board's place in a client area of cx x cy for a grid of columns x
// rows: at most four fifths of each dimension, centred. A grid without
// columns or rows gets square size 0.
struct CBoardLayout
{
    int nSquareSize;
    int nLeft;
    int nTop;
};
CBoardLayout AFXAPI CalcBoardLayout(int cx, int cy, int nColumns, int nRows);

// The square (column, row) under a client point of a w x h client area;
// (-1, 0) left of or right of the grid, (0, -1) above or below it, and
// (-1, -1) when the square size is 0 (no square is hit).
CPoint AFXAPI HitTestBoard(int w, int h, int nColumns, int nRows, int nSquareSize, CPoint point);

class CBrindlemarkView : public CView
{
    DECLARE_DYNCREATE(CBrindlemarkView)
protected:
    CBrindlemarkView();
public:
    virtual ~CBrindlemarkView();

    virtual void OnDraw(CDC* pDC);
    // The current puzzle on one page, as Print Current Puzzle prints it:
    // direct printing (the command line's /p) and the print preview.
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);

    // (column, row) of the square under a client point, see HitTestBoard.
    CPoint HitTest(CPoint point);
    // Lays the board out for the client size again (WM_SIZE with type 0).
    void RelayoutBoard();
    void ShowBoardContextMenu();

    // Picture export. The kind is 1 for JPEG, anything else BMP.
    bool SavePictureAs(BYTE* pKind);
    // Writes the picture; false (after telling the player why) when it
    // could not be written.
    bool WritePictureFile(LPCTSTR lpszPath, BYTE* pKind);
    bool CopyPictureToClipboard();
    // The board picture: a bitmap compatible with the window, of side
    // square x max(columns, rows) for the largest square that fits the
    // client area, drawn in the render mode. NULL for an empty grid or area.
    HBITMAP MakeBoardPicture(int nRenderMode);

public:
    int m_nSquareSize;
    int m_nBoardLeft;
    int m_nBoardTop;

protected:
    afx_msg void OnFilePrint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // The square of the current puzzle under a client point; NULL outside.
    friend class CLButtonDownHandler_Play;
    friend class CRButtonDownHandler_Play;
};
