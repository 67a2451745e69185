// Print preview: the window that shows a view's printed pages inside its
// frame, the bar of preview commands above it, and what the frame keeps
// while the preview hides its menu, bars and main pane.
//
// A view's OnFilePrintPreview asks for the printer (the one chosen in Print
// Setup, else the default one) through OnPreparePrinting, then the frame
// enters the preview mode and a CPreviewView takes the main pane's place.
// Each page is drawn by the view's own OnPrepareDC/OnPrint into an enhanced
// metafile whose reference device is the printer, so the view draws exactly
// as for paper, and the recording is played scaled to the screen.
#pragma once

#include <afxwin.h>
#include <afxdlgs.h>
#include <afxgdi.h>

// Commands of the preview bar.
#define AFX_ID_PREVIEW_CLOSE    0xE300
#define AFX_ID_PREVIEW_NUMPAGE  0xE301   // one page / two pages
#define AFX_ID_PREVIEW_NEXT     0xE302
#define AFX_ID_PREVIEW_PREV     0xE303
#define AFX_ID_PREVIEW_PRINT    0xE304
#define AFX_ID_PREVIEW_ZOOMIN   0xE305
#define AFX_ID_PREVIEW_ZOOMOUT  0xE306

// What the frame hid on entering the preview mode, given back on leaving.
// The preview runs in the application's main frame (the view's own frame
// when there is none): in a multiple-document program the MDI client with
// all its children steps aside, and the main frame's bars, menu and keys
// are off while it shows.
struct CPrintPreviewState
{
    CPrintPreviewState();

    UINT nIDMainPane;            // the main pane's id (0: there was none)
    HWND hWndMainPane;
    BOOL bMainPaneVisible;
    HMENU hMenu;                 // the frame's native menu, taken off meanwhile
    HACCEL hAccelTable;          // the frame's accelerators, off meanwhile
    CView* pViewActiveOld;
    CPtrArray hiddenBars;        // HWNDs of the control bars hidden
    // An MDI frame: the child that was active, and whether it was maximised.
    HWND hWndMDIActive;
    BOOL bMDIMaximized;
    // Set as the frame's close procedure while the preview runs.
    BOOL (CALLBACK* lpfnCloseProc)(CFrameWnd* pFrameWnd);
};

class CPreviewView;

// The bar of preview commands along the top of the frame: Print...,
// Next Page, Prev Page, One Page/Two Page, Zoom In, Zoom Out and Close.
// Its buttons send their commands to the preview view, which also keeps
// their states up to date.
class CPreviewBar : public CControlBar
{
    DECLARE_DYNAMIC(CPreviewBar)
public:
    CPreviewBar();
    virtual ~CPreviewBar();

    BOOL Create(CFrameWnd* pFrame, CPreviewView* pView);
    // The button of a command, or null.
    CWnd* GetButton(UINT nID);

    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);
    virtual BOOL PreTranslateMessage(MSG* pMsg);

protected:
    enum { kButtons = 7 };
    CWnd m_aButtons[kButtons];
    CFont m_font;
    CPreviewView* m_pPreview;
    int m_cyBar;

    DECLARE_MESSAGE_MAP()
};

class CPreviewView : public CView
{
    DECLARE_DYNCREATE(CPreviewView)
public:
    CPreviewView();
    virtual ~CPreviewView();

    // Starts the print job of the preview on the view that prints: its
    // OnBeginPrinting with the printer DC. FALSE when there is no printer DC.
    BOOL SetPrintView(CView* pPrintView);

    CView* m_pPrintView;             // the view whose pages are shown
    CPrintInfo* m_pPreviewInfo;      // owned, with the printer DC
    CPrintPreviewState* m_pPreviewState;  // owned
    CPreviewBar* m_pToolBar;         // owned; a child of the frame
    CDC m_dcPrint;                   // the printer DC (the info's)

    // State shown.
    UINT m_nCurrentPage;             // first page shown
    int m_nPages;                    // pages side by side: 1 or 2
    int m_nZoomState;                // 0 whole pages, 1 and 2 larger

    UINT GetCurrentPage() const { return m_nCurrentPage; }
    int GetPageCountShown() const;
    // TRUE when the page exists (the view prints it).
    BOOL PageExists(UINT nPage);
    // The recording of a page, made on first use and kept; null when the
    // view prints no such page. The preview owns it.
    HENHMETAFILE GetPageMetafile(UINT nPage);
    // Where the page's paper and printable area lie in the client area,
    // for the slot (0 or 1) it is shown in.
    void GetPageRects(int nSlot, CRect& rcPaper, CRect& rcPrintable);
    // Draws the client area (paper, pages) into any DC: painting and tests.
    void DrawPreview(CDC* pDC);

    // Shows the pages in view in the status bar's message pane: the print
    // info's page description, its first line ("Page %u") for one page,
    // its second ("Pages %u-%u") for two.
    virtual void OnDisplayPageNumber(UINT nPage, UINT nPagesDisplayed);
    // The number of pages in view (two only when the second exists).
    UINT GetPagesDisplayed();
    // Puts the pages in view into the status bar (OnDisplayPageNumber).
    void UpdatePageNumber();

    // Leaves the preview; with bThenPrint the print view's print command
    // (57607) runs once the preview has gone.
    void ClosePreview(BOOL bThenPrint = FALSE);

    virtual void OnDraw(CDC* pDC);
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL);
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Keys of the preview (Escape, Page Up, Page Down, and the bar's
    // access keys with Alt); TRUE when the key was taken.
    BOOL TranslatePreviewKey(MSG* pMsg);

protected:
    enum { kCachedPages = 4 };
    struct CPage
    {
        UINT nPage;
        HENHMETAFILE hEmf;
    };
    CPage m_aCache[kCachedPages];
    int m_nNextCache;
    UINT m_nLastPage;                // the view's last page, once a page it does not print was met
                                     // (UINT_MAX: not met yet)
    CSize m_sizePaper;               // printer pixels
    CPoint m_ptPrintableOffset;      // printer pixels
    CSize m_sizePrintable;           // printer pixels
    CSize m_sizePrinterPPI;
    CPoint m_ptScroll;               // scroll position when zoomed (client pixels)
    BOOL m_bClosePosted;

    void FreePages();
    double GetScale();
    CSize GetZoomedPaperSize();
    void UpdateScrollBars();
    void SetCurrentPage(UINT nPage);
    void SetZoomState(int nZoom, CPoint ptClient);
    void ScrollBy(int dx, int dy);

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnPreviewClose();
    afx_msg void OnPreviewPrint();
    afx_msg void OnNextPage();
    afx_msg void OnPrevPage();
    afx_msg void OnNumPageChange();
    afx_msg void OnZoomIn();
    afx_msg void OnZoomOut();
    afx_msg void OnUpdateNextPage(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePrevPage(CCmdUI* pCmdUI);
    afx_msg void OnUpdateNumPageChange(CCmdUI* pCmdUI);
    afx_msg void OnUpdateZoomIn(CCmdUI* pCmdUI);
    afx_msg void OnUpdateZoomOut(CCmdUI* pCmdUI);
    afx_msg LRESULT OnEndPreviewMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
