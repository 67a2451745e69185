// The "Standard" page of the colour dialog and its hexagon picker: 144 fixed
// colours as hexagonal cells (a honeycomb of 127 colours, two rows of greys,
// a large white and a large black cell). A click selects a cell, a double
// click or Enter picks it and closes the dialog, and the arrow keys move
// between neighbouring cells.
#pragma once

#include "XTPCommon.h"

#include <afxpropsheet.h>

class CXTColorDialog;

// Message 0x2742: the chosen colour changed (WPARAM the COLORREF).
#define WM_XT_UPDATECOLOR (WM_USER + 9026)

// One cell of the hexagon picker.
struct HEXCOLOR_CELL
{
    int left;       // list index of the neighbour for each arrow key, -1 none
    int up;
    int right;
    int down;
    int bSmall;     // 1 small cell, 0 large
    CPoint* pPoints;   // every pixel the cell covers; the first is the anchor
    int nPoints;
    COLORREF clr;
};

class CXTColorHex : public CStatic
{
    DECLARE_DYNAMIC(CXTColorHex)
public:
    // Number of cells and of the standard colours.
    enum { kCellCount = 144, kWhiteSmall = 63, kWhiteLarge = 142, kBlack = 143 };

    CXTColorHex();
    virtual ~CXTColorHex();

    // Adds SS_NOTIFY; FALSE without a window.
    virtual BOOL SetNotify();
    // TRUE when the colour is one of the 144 cell colours.
    virtual BOOL IsStandardColor(COLORREF clr);

    // The colour becomes the selected colour; with the cells laid out, the
    // selected anchor is that of the last cell of the colour. Nothing is
    // sent, nothing redrawn.
    void SetColor(COLORREF clr);
    COLORREF GetColor() const { return m_clrColor; }
    CPoint GetSelectedAnchor() const { return m_ptSelected; }
    BOOL IsSelectedSmall() const { return m_bSmallCell; }

    // The cells in list order (laid out for the client size on first use).
    int GetCellCount();
    const HEXCOLOR_CELL* GetCell(int nIndex);
    // The list index of the first cell holding the point, -1 for none.
    int CellFromPoint(CPoint pt);
    // The colour at the point (its cell becomes the selected anchor), or
    // (COLORREF)-1 between the cells.
    COLORREF HitTest(CPoint pt);
    // Selects the cell at the point: a new colour is told to the page and
    // drawn at once. A point between the cells changes nothing.
    void SelectAt(CPoint pt);
    // The cell the arrow keys start from (the black cell for a colour
    // outside the table).
    int GetCurrentCell();
    // Moves the selection to the neighbour in the arrow key's direction;
    // FALSE when there is none.
    BOOL MoveSelection(UINT nChar);

    // Frees the cells (the control is their one owner).
    void FreeCells();

    // The honeycomb and the selection outline, as WM_PAINT draws them.
    void DrawPicture(CDC* pDC);

    virtual BOOL PreTranslateMessage(MSG* pMsg);

    // The colour standing for a standard cell, RGB(r, g, b) of the table.
    static COLORREF AFX_CDECL GetStandardColor(int nIndex);

protected:
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PreSubclassWindow();

    void LayoutCells();
    void DrawHoneycomb(CDC* pDC);
    void DrawOutline(CDC* pDC, CPoint ptAnchor, BOOL bSmall);
    // The colour the owning dialog shows as new (the selected colour when
    // the control stands alone).
    COLORREF GetDialogColor();
    void EndDialogOK();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg void OnPrintClient(CDC* pDC, UINT nFlags);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

public:
    CDC m_dcHex;                 // the drawn honeycomb (made on first paint)
    BOOL m_bPreSubclassInit;     // cleared by PreCreateWindow
    BOOL m_bTracking;            // the left button went down in the control
    BOOL m_bSmallCell;           // the selected cell is small
    CPoint m_ptSelected;         // the selected cell's anchor
    COLORREF m_clrColor;         // the selected colour, -1 none
    CList<HEXCOLOR_CELL*, HEXCOLOR_CELL*> m_listCells;

private:
    CBitmap m_bmpHex;
    HBITMAP m_hOldBitmap;
    CSize m_sizeLayout;          // the client size the cells were laid out for
    CArray<HEXCOLOR_CELL*, HEXCOLOR_CELL*> m_arrCells;   // the list, indexed
};

class CXTColorPageStandard : public CPropertyPage
{
    DECLARE_DYNAMIC(CXTColorPageStandard)
public:
    explicit CXTColorPageStandard(CXTColorDialog* pParentSheet = NULL);
    virtual ~CXTColorPageStandard();

    CXTColorHex m_colorHex;
    CXTColorDialog* m_pParentSheet;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    afx_msg LRESULT OnUpdateColor(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// Ends the dialog that holds a colour page's picker with IDOK.
void AFXAPI XTColorPickerEndDialog(CWnd* pPicker);
// The pickers draw through a memory DC of their client size: made by the
// constructor (IsReady() FALSE for an empty client or when it cannot be
// made), copied to the target DC by the destructor.
class CXTColorPaintBuffer
{
public:
    CXTColorPaintBuffer(CWnd* pWnd, CDC* pTarget);
    ~CXTColorPaintBuffer();

    BOOL IsReady() const { return m_bReady; }
    CDC* GetDC() { return &m_dc; }
    const CRect& GetClientRect() const { return m_rcClient; }

private:
    CDC* m_pTarget;
    CRect m_rcClient;
    CDC m_dc;
    CBitmap m_bmp;
    CBitmap* m_pOld;
    BOOL m_bReady;
};

// The pickers' pictures: a 32-bit DIB section of cx x cy, top row first
// (blue, green, red, unused); ppvBits receives its pixels. NULL when the
// system refuses it.
HBITMAP AFXAPI XTColorCreatePictureDib(int cx, int cy, void** ppvBits);
