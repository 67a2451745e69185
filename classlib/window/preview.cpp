// Print preview: the frame's preview mode, the preview view and its bar.
#include "wndimpl.h"
#include <afxpreview.h>
#include <afxpriv.h>

#include <math.h>

namespace
{
// Posted to the preview view to leave the preview outside the handler of a
// button (which lives on the bar that goes with the preview); wParam TRUE
// prints afterwards.
const UINT WM_ENDPREVIEW = WM_USER + 0x3A1;

// Grey around the pages, the gap between and around them, and the pages'
// shadow, in screen pixels.
const int kPageGap = 8;
const int kShadow = 3;
// Zoom states: 0 shows whole pages; the last one shows the paper at its
// real size on the screen; the one between lies halfway (geometric mean).
const int kZoomStates = 3;

struct PreviewButton
{
    UINT nID;
    const char* pszText;
};

// The bar's buttons, left to right. The page-count button shows the other
// of its two texts (kTwoPage while one page shows).
const PreviewButton kPreviewButtons[] = {
    {AFX_ID_PREVIEW_PRINT, "&Print..."},   {AFX_ID_PREVIEW_NEXT, "&Next Page"},
    {AFX_ID_PREVIEW_PREV, "Pre&v Page"},   {AFX_ID_PREVIEW_NUMPAGE, "&Two Page"},
    {AFX_ID_PREVIEW_ZOOMIN, "Zoom &In"},   {AFX_ID_PREVIEW_ZOOMOUT, "Zoom &Out"},
    {AFX_ID_PREVIEW_CLOSE, "&Close"},
};
const char kOnePage[] = "&One Page";
const char kTwoPage[] = "&Two Page";

// The access key of a caption ("&Next Page": 'N'), or 0.
char AccessKey(const char* pszText)
{
    int nKey = AfxFindAccessKey(pszText);
    return nKey != -1 ? (char)(UINT_PTR)::CharUpperA((LPSTR)(UINT_PTR)(BYTE)pszText[nKey]) : 0;
}

// The frame whose status bar shows the prompts of a window's frame: the
// frame itself, or, for a frame without a status bar (a document's child
// frame), the top-level frame.
CFrameWnd* MessageFrameOf(CFrameWnd* pFrame)
{
    if (pFrame == NULL || pFrame->GetMessageBar() != NULL)
        return pFrame;
    CFrameWnd* pTop = pFrame->GetTopLevelFrame();
    return pTop != NULL ? pTop : pFrame;
}

// The frame a view's print preview runs in: the application's main frame
// when the view lies inside it (in a multiple-document program the preview
// takes the whole main frame, not the document's child frame), else the
// view's own frame.
CFrameWnd* PreviewFrameOf(CView* pView)
{
    CFrameWnd* pParent = pView->GetParentFrame();
    CFrameWnd* pMain = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
    if (pMain != NULL && pMain->m_hWnd != NULL && ::IsWindow(pMain->m_hWnd) &&
        (pMain == pParent || ::IsChild(pMain->m_hWnd, pView->m_hWnd)))
        return pMain;
    return pParent;
}

// Closing the frame while the preview shows closes the preview.
BOOL CALLBACK PreviewCloseProc(CFrameWnd* pFrameWnd)
{
    CPreviewView* pView = DYNAMIC_DOWNCAST(CPreviewView, pFrameWnd->GetActiveView());
    if (pView == NULL)
        pView = DYNAMIC_DOWNCAST(CPreviewView, pFrameWnd->GetDlgItem(AFX_IDW_PANE_FIRST));
    if (pView == NULL)
    {
        TRACE("print preview: the frame is in preview mode without a preview view");
        return FALSE;
    }
    pView->ClosePreview(FALSE);
    return TRUE;
}
} // namespace

/////////////////////////////////////////////////////////////////////////////
// The frame's preview mode

CPrintPreviewState::CPrintPreviewState()
    : nIDMainPane(0), hWndMainPane(NULL), bMainPaneVisible(FALSE), hMenu(NULL), hAccelTable(NULL),
      pViewActiveOld(NULL), hWndMDIActive(NULL), bMDIMaximized(FALSE), lpfnCloseProc(NULL)
{
}

void CFrameWnd::OnSetPreviewMode(BOOL bPreview, void* pvState)
{
    CPrintPreviewState* pState = (CPrintPreviewState*)pvState;
    if (pState == NULL || m_hWnd == NULL)
        return;
    // An MDI frame's main pane is its MDI client, with all the children.
    CMDIFrameWnd* pMDIFrame = dynamic_cast<CMDIFrameWnd*>(this);
    if (pMDIFrame != NULL && (pMDIFrame->m_hWndMDIClient == NULL || !::IsWindow(pMDIFrame->m_hWndMDIClient)))
        pMDIFrame = NULL;
    if (bPreview)
    {
        m_lpfnCloseProc = pState->lpfnCloseProc;
        pState->pViewActiveOld = GetActiveView();
        if (pMDIFrame != NULL)
        {
            BOOL bMaximized = FALSE;
            CMDIChildWnd* pActive = pMDIFrame->MDIGetActive(&bMaximized);
            pState->hWndMDIActive = pActive != NULL ? pActive->m_hWnd : NULL;
            pState->bMDIMaximized = pActive != NULL && bMaximized;
        }

        // The native menu comes off (and is kept, not destroyed).
        pState->hMenu = ::GetMenu(m_hWnd);
        if (pState->hMenu != NULL)
            ::SetMenu(m_hWnd, NULL);

        // No accelerator is translated while the preview shows.
        pState->hAccelTable = m_hAccelTable;
        m_hAccelTable = NULL;

        // The bars hide; the status bar stays.
        pState->hiddenBars.RemoveAll();
        for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL;)
        {
            CControlBar* pBar = (CControlBar*)m_listControlBars.GetNext(pos);
            if (pBar == NULL || pBar->m_hWnd == NULL || !(pBar->GetStyle() & WS_VISIBLE))
                continue;
            UINT nID = pBar->GetDlgCtrlID();
            if (nID == AFX_IDW_STATUS_BAR || nID == AFX_IDW_PREVIEW_BAR)
                continue;
            pBar->ShowWindow(SW_HIDE);
            pState->hiddenBars.Add((void*)pBar->m_hWnd);
        }

        // The main pane steps aside under another id: the preview takes its
        // place in the layout.
        HWND hPane = pMDIFrame != NULL ? pMDIFrame->m_hWndMDIClient : ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST);
        if (hPane != NULL)
        {
            pState->nIDMainPane = (UINT)::GetDlgCtrlID(hPane);
            pState->hWndMainPane = hPane;
            pState->bMainPaneVisible = (::GetWindowLong(hPane, GWL_STYLE) & WS_VISIBLE) != 0;
            ::ShowWindow(hPane, SW_HIDE);
            ::SetWindowLongPtr(hPane, GWLP_ID, AFX_IDW_PANE_SAVE);
        }
    }
    else
    {
        m_lpfnCloseProc = NULL;
        if (pState->hWndMainPane != NULL && ::IsWindow(pState->hWndMainPane))
        {
            ::SetWindowLongPtr(pState->hWndMainPane, GWLP_ID, (LONG_PTR)pState->nIDMainPane);
            if (pState->bMainPaneVisible)
                ::ShowWindow(pState->hWndMainPane, SW_SHOWNA);
        }
        for (INT_PTR i = 0; i < pState->hiddenBars.GetSize(); i++)
        {
            HWND hBar = (HWND)pState->hiddenBars[i];
            if (::IsWindow(hBar))
                ::ShowWindow(hBar, SW_SHOWNA);
        }
        pState->hiddenBars.RemoveAll();
        m_hAccelTable = pState->hAccelTable;
        if (pState->hMenu != NULL && ::IsMenu(pState->hMenu))
            ::SetMenu(m_hWnd, pState->hMenu);
        if (pMDIFrame != NULL)
        {
            // The child that was active is again, maximised as it was (unless
            // it went meanwhile). A menu change asked for meanwhile waits for
            // the next idle pass.
            HWND hActive = pState->hWndMDIActive;
            CMDIChildWnd* pActive = hActive != NULL && ::IsWindow(hActive) &&
                                            ::GetParent(hActive) == pMDIFrame->m_hWndMDIClient
                                        ? DYNAMIC_DOWNCAST(CMDIChildWnd, CWnd::FromHandlePermanent(hActive))
                                        : NULL;
            if (pActive != NULL)
            {
                BOOL bMaximized = FALSE;
                if (pMDIFrame->MDIGetActive(&bMaximized) != pActive)
                    pMDIFrame->MDIActivate(pActive);
                pMDIFrame->MDIGetActive(&bMaximized);
                if (pState->bMDIMaximized && !bMaximized)
                    pMDIFrame->MDIMaximize(pActive);
            }
        }
        RecalcLayout();
    }
}

/////////////////////////////////////////////////////////////////////////////
// CView: the preview commands

void CView::OnFilePrintPreview()
{
    // One preview at a time.
    CFrameWnd* pParent = PreviewFrameOf(this);
    if (pParent != NULL && pParent->m_lpfnCloseProc != NULL)
        return;
    CPrintInfo* pInfo = new CPrintInfo;
    pInfo->m_bPreview = TRUE;
    // No printer: OnPreparePrinting has told the player already.
    if (!OnPreparePrinting(pInfo))
    {
        delete pInfo;
        return;
    }
    if (!DoPrintPreview(pInfo))
        AfxMessageBox(AFX_IDP_COMMAND_FAILURE);
}

BOOL CView::DoPrintPreview(CPrintInfo* pInfo)
{
    CFrameWnd* pParent = PreviewFrameOf(this);
    if (pInfo == NULL)
        return FALSE;
    if (pParent == NULL || pParent->m_lpfnCloseProc != NULL || pInfo->m_pPD->m_pd.hDC == NULL)
    {
        TRACE("print preview: no frame, already previewing or no printer DC");
        delete pInfo;
        return FALSE;
    }

    CPrintPreviewState* pState = new CPrintPreviewState;
    pState->lpfnCloseProc = PreviewCloseProc;
    CPreviewView* pView = new CPreviewView;
    pView->m_pPreviewInfo = pInfo;
    pView->m_pPreviewState = pState;

    pParent->OnSetPreviewMode(TRUE, pState);

    CCreateContext context;
    context.m_pCurrentDoc = GetDocument();
    context.m_pCurrentFrame = pParent;
    context.m_pLastView = this;
    CRect rect;
    pParent->GetClientRect(&rect);
    if (!pView->Create(NULL, NULL, WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, rect, pParent,
                       AFX_IDW_PANE_FIRST, &context))
    {
        TRACE("print preview: the preview window cannot be made");
        pParent->OnSetPreviewMode(FALSE, pState);
        delete pView;   // never had a window: not deleted by itself
        return FALSE;
    }
    pView->m_pToolBar = new CPreviewBar;
    if (!pView->m_pToolBar->Create(pParent, pView) || !pView->SetPrintView(this))
    {
        TRACE("print preview: the preview bar cannot be made or the job not begun");
        pView->m_pPrintView = NULL;   // no OnEndPrinting for a job not begun
        pView->ClosePreview(FALSE);
        return FALSE;
    }

    pParent->SetActiveView(pView);
    pView->SetFocus();
    pParent->RecalcLayout();
    pView->m_pToolBar->OnUpdateCmdUI(pParent, FALSE);
    pView->UpdatePageNumber();
    pParent->UpdateWindow();
    return TRUE;
}

void CView::OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pView)
{
    (void)point;
    OnEndPrinting(pDC, pInfo);
    (void)pView;
}

/////////////////////////////////////////////////////////////////////////////
// CPreviewBar

IMPLEMENT_DYNAMIC(CPreviewBar, CControlBar)

BEGIN_MESSAGE_MAP(CPreviewBar, CControlBar)
END_MESSAGE_MAP()

CPreviewBar::CPreviewBar() : m_pPreview(NULL), m_cyBar(0)
{
    m_bAutoDelete = FALSE;
    m_cxLeftBorder = m_cxRightBorder = 4;
    m_cyTopBorder = m_cyBottomBorder = 3;
}

CPreviewBar::~CPreviewBar()
{
    if (m_hWnd != NULL)
        DestroyWindow();
}

BOOL CPreviewBar::Create(CFrameWnd* pFrame, CPreviewView* pView)
{
    m_pPreview = pView;
    m_dwStyle = CBRS_TOP | CBRS_BORDER_BOTTOM;
    if (!CWnd::Create(NULL, NULL, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 0, 0), pFrame,
                      AFX_IDW_PREVIEW_BAR))
        return FALSE;
    SetOwner(pView);
    // First in the layout: the bar spans the frame's whole width, above
    // whatever else lays itself out along the edges.
    SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    HFONT hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    CClientDC dc(this);
    HGDIOBJ hOld = ::SelectObject(dc.m_hDC, hFont);
    TEXTMETRIC tm;
    ::GetTextMetrics(dc.m_hDC, &tm);
    const int cyButton = tm.tmHeight + 10;
    m_cyBar = cyButton + m_cyTopBorder + m_cyBottomBorder + 2;
    int x = m_cxLeftBorder;
    for (int i = 0; i < kButtons; i++)
    {
        // Wide enough for the longer text of the page-count button.
        int cxText = 0;
        for (const char* pszText : {kPreviewButtons[i].pszText, kPreviewButtons[i].nID == AFX_ID_PREVIEW_NUMPAGE
                                                                    ? kOnePage
                                                                    : kPreviewButtons[i].pszText})
        {
            RECT rc = {0, 0, 0, 0};
            ::DrawTextA(dc.m_hDC, pszText, -1, &rc, DT_CALCRECT | DT_SINGLELINE);
            cxText = rc.right > cxText ? rc.right : cxText;
        }
        int cxButton = cxText + 20;
        if (cxButton < 64)
            cxButton = 64;
        if (!m_aButtons[i].Create("BUTTON", kPreviewButtons[i].pszText, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                  CRect(x, m_cyTopBorder + 1, x + cxButton, m_cyTopBorder + 1 + cyButton), this,
                                  kPreviewButtons[i].nID))
        {
            ::SelectObject(dc.m_hDC, hOld);
            return FALSE;
        }
        m_aButtons[i].SendMessage(WM_SETFONT, (WPARAM)hFont, FALSE);
        x += cxButton + 4;
    }
    ::SelectObject(dc.m_hDC, hOld);
    return TRUE;
}

CWnd* CPreviewBar::GetButton(UINT nID)
{
    for (int i = 0; i < kButtons; i++)
    {
        if (kPreviewButtons[i].nID == nID && m_aButtons[i].m_hWnd != NULL)
            return &m_aButtons[i];
    }
    return NULL;
}

CSize CPreviewBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    (void)bStretch;
    (void)bHorz;
    return CSize(32767, m_cyBar);
}

CSize CPreviewBar::CalcDynamicLayout(int nLength, DWORD nMode)
{
    (void)nLength;
    return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZ) != 0);
}

void CPreviewBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    (void)pTarget;
    if (m_pPreview == NULL || m_pPreview->m_hWnd == NULL)
        return;
    // The states come from the preview view, whatever the frame routes.
    for (int i = 0; i < kButtons; i++)
    {
        if (m_aButtons[i].m_hWnd == NULL)
            continue;
        CCmdUI state;
        state.m_nID = kPreviewButtons[i].nID;
        state.m_pOther = &m_aButtons[i];
        state.m_nIndex = (UINT)i;
        state.m_nIndexMax = kButtons;
        state.DoUpdate(m_pPreview, bDisableIfNoHndler);
    }
}

BOOL CPreviewBar::PreTranslateMessage(MSG* pMsg)
{
    // A button with the focus: the preview's keys still work.
    if (m_pPreview != NULL && m_pPreview->m_hWnd != NULL && m_pPreview->TranslatePreviewKey(pMsg))
        return TRUE;
    return CControlBar::PreTranslateMessage(pMsg);
}

/////////////////////////////////////////////////////////////////////////////
// CPreviewView

IMPLEMENT_DYNCREATE(CPreviewView, CView)

BEGIN_MESSAGE_MAP(CPreviewView, CView)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEACTIVATE()
    ON_COMMAND(AFX_ID_PREVIEW_CLOSE, OnPreviewClose)
    ON_COMMAND(AFX_ID_PREVIEW_PRINT, OnPreviewPrint)
    ON_COMMAND(AFX_ID_PREVIEW_NEXT, OnNextPage)
    ON_COMMAND(AFX_ID_PREVIEW_PREV, OnPrevPage)
    ON_COMMAND(AFX_ID_PREVIEW_NUMPAGE, OnNumPageChange)
    ON_COMMAND(AFX_ID_PREVIEW_ZOOMIN, OnZoomIn)
    ON_COMMAND(AFX_ID_PREVIEW_ZOOMOUT, OnZoomOut)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NEXT, OnUpdateNextPage)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_PREV, OnUpdatePrevPage)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NUMPAGE, OnUpdateNumPageChange)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMIN, OnUpdateZoomIn)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMOUT, OnUpdateZoomOut)
    ON_MESSAGE(WM_ENDPREVIEW, OnEndPreviewMsg)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CPreviewView::CPreviewView()
    : m_pPrintView(NULL), m_pPreviewInfo(NULL), m_pPreviewState(NULL), m_pToolBar(NULL), m_nCurrentPage(1),
      m_nPages(1), m_nZoomState(0), m_nNextCache(0), m_nLastPage(UINT_MAX), m_sizePaper(0, 0), m_ptPrintableOffset(0, 0),
      m_sizePrintable(0, 0), m_sizePrinterPPI(0, 0), m_ptScroll(0, 0), m_bClosePosted(FALSE)
{
    for (int i = 0; i < kCachedPages; i++)
    {
        m_aCache[i].nPage = 0;
        m_aCache[i].hEmf = NULL;
    }
}

CPreviewView::~CPreviewView()
{
    FreePages();
    delete m_pToolBar;
    // The printer DC goes with the print information.
    m_dcPrint.Detach();
    delete m_pPreviewInfo;
    delete m_pPreviewState;
}

void CPreviewView::FreePages()
{
    for (int i = 0; i < kCachedPages; i++)
    {
        if (m_aCache[i].hEmf != NULL)
            ::DeleteEnhMetaFile(m_aCache[i].hEmf);
        m_aCache[i].hEmf = NULL;
        m_aCache[i].nPage = 0;
    }
}

BOOL CPreviewView::SetPrintView(CView* pPrintView)
{
    if (pPrintView == NULL || m_pPreviewInfo == NULL || m_pPreviewInfo->m_pPD->m_pd.hDC == NULL)
        return FALSE;
    m_pPrintView = pPrintView;
    HDC hPrinter = m_pPreviewInfo->m_pPD->m_pd.hDC;
    m_dcPrint.Attach(hPrinter);
    m_dcPrint.m_bPrinting = TRUE;

    m_sizePrintable.cx = ::GetDeviceCaps(hPrinter, HORZRES);
    m_sizePrintable.cy = ::GetDeviceCaps(hPrinter, VERTRES);
    m_sizePaper.cx = ::GetDeviceCaps(hPrinter, PHYSICALWIDTH);
    m_sizePaper.cy = ::GetDeviceCaps(hPrinter, PHYSICALHEIGHT);
    m_ptPrintableOffset.x = ::GetDeviceCaps(hPrinter, PHYSICALOFFSETX);
    m_ptPrintableOffset.y = ::GetDeviceCaps(hPrinter, PHYSICALOFFSETY);
    m_sizePrinterPPI.cx = ::GetDeviceCaps(hPrinter, LOGPIXELSX);
    m_sizePrinterPPI.cy = ::GetDeviceCaps(hPrinter, LOGPIXELSY);
    if (m_sizePrintable.cx <= 0 || m_sizePrintable.cy <= 0 || m_sizePrinterPPI.cx <= 0 || m_sizePrinterPPI.cy <= 0)
    {
        TRACE("print preview: the printer reports no page size");
        return FALSE;
    }
    // A device without paper margins: the paper is the printable area.
    if (m_sizePaper.cx < m_sizePrintable.cx || m_sizePaper.cy < m_sizePrintable.cy)
    {
        m_sizePaper = m_sizePrintable;
        m_ptPrintableOffset = CPoint(0, 0);
    }

    m_pPreviewInfo->m_nCurPage = m_pPreviewInfo->GetMinPage();
    m_pPrintView->OnBeginPrinting(&m_dcPrint, m_pPreviewInfo);
    m_nCurrentPage = m_pPreviewInfo->GetMinPage();
    // Two pages at once when the info asks for them and there are two.
    m_nPages = m_pPreviewInfo->m_nNumPreviewPages == 2 ? 2 : 1;
    Invalidate();
    return TRUE;
}

HENHMETAFILE CPreviewView::GetPageMetafile(UINT nPage)
{
    if (m_pPrintView == NULL || m_pPreviewInfo == NULL || m_dcPrint.m_hDC == NULL)
        return NULL;
    if (nPage < m_pPreviewInfo->GetMinPage() || nPage > m_pPreviewInfo->GetMaxPage())
        return NULL;
    if (nPage > m_nLastPage)
        return NULL;
    for (int i = 0; i < kCachedPages; i++)
    {
        if (m_aCache[i].hEmf != NULL && m_aCache[i].nPage == nPage)
            return m_aCache[i].hEmf;
    }

    // The frame of the recording: the printable area in 0.01 mm.
    CRect rcFrame(0, 0, ::MulDiv(m_sizePrintable.cx, 2540, m_sizePrinterPPI.cx),
                  ::MulDiv(m_sizePrintable.cy, 2540, m_sizePrinterPPI.cy));
    CMetaFileDC dc;
    if (!dc.CreateEnhanced(&m_dcPrint, NULL, rcFrame, NULL))
    {
        TRACE("print preview: no recording DC for page %u", nPage);
        return NULL;
    }
    dc.m_bPrinting = TRUE;

    UINT nCurPage = m_pPreviewInfo->m_nCurPage;
    m_pPreviewInfo->m_nCurPage = nPage;
    m_pPreviewInfo->m_bContinuePrinting = TRUE;
    m_pPrintView->OnPrepareDC(&dc, m_pPreviewInfo);
    BOOL bPage = m_pPreviewInfo->m_bContinuePrinting;
    if (bPage)
    {
        m_pPreviewInfo->m_rectDraw.SetRect(0, 0, m_sizePrintable.cx, m_sizePrintable.cy);
        dc.DPtoLP(&m_pPreviewInfo->m_rectDraw);
        m_pPrintView->OnPrint(&dc, m_pPreviewInfo);
    }
    m_pPreviewInfo->m_nCurPage = nCurPage;
    m_pPreviewInfo->m_bContinuePrinting = TRUE;
    HENHMETAFILE hEmf = dc.CloseEnhanced();
    if (!bPage)
    {
        // The view prints no such page: the document ends before it.
        if (hEmf != NULL)
            ::DeleteEnhMetaFile(hEmf);
        if (nPage - 1 < m_nLastPage)
            m_nLastPage = nPage - 1;
        return NULL;
    }
    if (hEmf == NULL)
    {
        TRACE("print preview: page %u could not be recorded", nPage);
        return NULL;
    }
    CPage& slot = m_aCache[m_nNextCache];
    if (slot.hEmf != NULL)
        ::DeleteEnhMetaFile(slot.hEmf);
    slot.nPage = nPage;
    slot.hEmf = hEmf;
    m_nNextCache = (m_nNextCache + 1) % kCachedPages;
    return hEmf;
}

BOOL CPreviewView::PageExists(UINT nPage)
{
    return GetPageMetafile(nPage) != NULL;
}

int CPreviewView::GetPageCountShown() const
{
    return m_nZoomState == 0 ? m_nPages : 1;
}

double CPreviewView::GetScale()
{
    // Screen pixels per printer pixel.
    CRect rcClient;
    GetClientRect(&rcClient);
    if (m_sizePaper.cx <= 0 || m_sizePaper.cy <= 0)
        return 0.0;
    const int nSlots = GetPageCountShown();
    int cxAvail = (rcClient.Width() - kPageGap * (nSlots + 1) - kShadow * nSlots) / nSlots;
    int cyAvail = rcClient.Height() - 2 * kPageGap - kShadow;
    if (cxAvail < 1)
        cxAvail = 1;
    if (cyAvail < 1)
        cyAvail = 1;
    double fit = (double)cxAvail / m_sizePaper.cx;
    double fitY = (double)cyAvail / m_sizePaper.cy;
    if (fitY < fit)
        fit = fitY;
    if (m_nZoomState == 0)
        return fit;
    CClientDC dcScreen(NULL);
    double real = (double)::GetDeviceCaps(dcScreen.m_hDC, LOGPIXELSX) / m_sizePrinterPPI.cx;
    // Never smaller than the whole page, even on a large screen.
    if (real < fit * 2)
        real = fit * 2;
    if (m_nZoomState >= kZoomStates - 1)
        return real;
    return sqrt(fit * real);
}

CSize CPreviewView::GetZoomedPaperSize()
{
    double scale = GetScale();
    return CSize((int)(m_sizePaper.cx * scale + 0.5), (int)(m_sizePaper.cy * scale + 0.5));
}

void CPreviewView::GetPageRects(int nSlot, CRect& rcPaper, CRect& rcPrintable)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    const double scale = GetScale();
    const CSize sizePaper = GetZoomedPaperSize();
    const int nSlots = GetPageCountShown();
    const int cxAll = nSlots * (sizePaper.cx + kShadow) + (nSlots - 1) * kPageGap;
    const int cyAll = sizePaper.cy + kShadow;
    // Centred while it fits; else from the margin, moved by the scroll bars.
    int x = cxAll + 2 * kPageGap <= rcClient.Width() ? (rcClient.Width() - cxAll) / 2 : kPageGap - m_ptScroll.x;
    int y = cyAll + 2 * kPageGap <= rcClient.Height() ? (rcClient.Height() - cyAll) / 2 : kPageGap - m_ptScroll.y;
    x += nSlot * (sizePaper.cx + kShadow + kPageGap);
    rcPaper.SetRect(x, y, x + sizePaper.cx, y + sizePaper.cy);
    rcPrintable.left = x + (int)(m_ptPrintableOffset.x * scale + 0.5);
    rcPrintable.top = y + (int)(m_ptPrintableOffset.y * scale + 0.5);
    rcPrintable.right = rcPrintable.left + (int)(m_sizePrintable.cx * scale + 0.5);
    rcPrintable.bottom = rcPrintable.top + (int)(m_sizePrintable.cy * scale + 0.5);
}

void CPreviewView::DrawPreview(CDC* pDC)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    pDC->FillSolidRect(&rcClient, ::GetSysColor(COLOR_APPWORKSPACE));
    const int nSlots = GetPageCountShown();
    for (int nSlot = 0; nSlot < nSlots; nSlot++)
    {
        const UINT nPage = m_nCurrentPage + (UINT)nSlot;
        HENHMETAFILE hEmf = GetPageMetafile(nPage);
        if (hEmf == NULL && nSlot > 0)
            break;   // no second page: one page shows
        CRect rcPaper, rcPrintable;
        GetPageRects(nSlot, rcPaper, rcPrintable);
        // The shadow, the paper and its edge.
        pDC->FillSolidRect(rcPaper.left + kShadow, rcPaper.bottom, rcPaper.Width(), kShadow,
                           ::GetSysColor(COLOR_3DDKSHADOW));
        pDC->FillSolidRect(rcPaper.right, rcPaper.top + kShadow, kShadow, rcPaper.Height(),
                           ::GetSysColor(COLOR_3DDKSHADOW));
        pDC->FillSolidRect(&rcPaper, RGB(255, 255, 255));
        CBrush brEdge(RGB(0, 0, 0));
        pDC->FrameRect(&rcPaper, &brEdge);
        if (hEmf == NULL)
            continue;
        int nSaved = pDC->SaveDC();
        pDC->IntersectClipRect(rcPaper.left + 1, rcPaper.top + 1, rcPaper.right - 1, rcPaper.bottom - 1);
        // Shrunk pictures keep their thin lines.
        ::SetStretchBltMode(pDC->m_hDC, HALFTONE);
        ::SetBrushOrgEx(pDC->m_hDC, 0, 0, NULL);
        if (!::PlayEnhMetaFile(pDC->m_hDC, hEmf, &rcPrintable))
            TRACE("print preview: page %u could not be shown", nPage);
        pDC->RestoreDC(nSaved);
    }
}

void CPreviewView::OnDraw(CDC* pDC)
{
    DrawPreview(pDC);
}

void CPreviewView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    (void)pDC;
    (void)pInfo;
}

BOOL CPreviewView::OnEraseBkgnd(CDC* pDC)
{
    (void)pDC;
    return TRUE;   // painted whole, through a bitmap
}

void CPreviewView::OnPaint()
{
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.IsRectEmpty())
        return;
    // Drawn off screen and copied, so zooming and paging do not flicker.
    CDC dcMem;
    CBitmap bmp;
    if (dcMem.CreateCompatibleDC(&dc) && bmp.CreateCompatibleBitmap(&dc, rcClient.Width(), rcClient.Height()))
    {
        CBitmap* pOld = dcMem.SelectObject(&bmp);
        DrawPreview(&dcMem);
        dc.BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &dcMem, 0, 0, SRCCOPY);
        dcMem.SelectObject(pOld);
    }
    else
        DrawPreview(&dc);
}

void CPreviewView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    UpdateScrollBars();
    Invalidate();
}

void CPreviewView::UpdateScrollBars()
{
    if (m_hWnd == NULL)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    CSize sizePaper = GetZoomedPaperSize();
    int cxAll = sizePaper.cx + kShadow + 2 * kPageGap;
    int cyAll = sizePaper.cy + kShadow + 2 * kPageGap;
    if (m_nZoomState == 0)
        cxAll = cyAll = 0;   // whole pages: no scrolling
    SCROLLINFO si;
    ZeroMemory(&si, sizeof(si));
    si.cbSize = sizeof(si);
    si.fMask = SIF_PAGE | SIF_RANGE | SIF_POS;
    // Horizontal
    int nMaxX = cxAll > rcClient.Width() ? cxAll - rcClient.Width() : 0;
    m_ptScroll.x = m_ptScroll.x < 0 ? 0 : (m_ptScroll.x > nMaxX ? nMaxX : m_ptScroll.x);
    si.nMin = 0;
    si.nMax = nMaxX > 0 ? cxAll - 1 : 0;
    si.nPage = nMaxX > 0 ? (UINT)rcClient.Width() : 0;
    si.nPos = m_ptScroll.x;
    ::SetScrollInfo(m_hWnd, SB_HORZ, &si, TRUE);
    // Vertical
    int nMaxY = cyAll > rcClient.Height() ? cyAll - rcClient.Height() : 0;
    m_ptScroll.y = m_ptScroll.y < 0 ? 0 : (m_ptScroll.y > nMaxY ? nMaxY : m_ptScroll.y);
    si.nMax = nMaxY > 0 ? cyAll - 1 : 0;
    si.nPage = nMaxY > 0 ? (UINT)rcClient.Height() : 0;
    si.nPos = m_ptScroll.y;
    ::SetScrollInfo(m_hWnd, SB_VERT, &si, TRUE);
}

void CPreviewView::ScrollBy(int dx, int dy)
{
    m_ptScroll.x += dx;
    m_ptScroll.y += dy;
    UpdateScrollBars();
    Invalidate();
}

static int ScrollDelta(HWND hWnd, int nBar, UINT nSBCode, int nLine)
{
    SCROLLINFO si;
    ZeroMemory(&si, sizeof(si));
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    ::GetScrollInfo(hWnd, nBar, &si);
    switch (nSBCode)
    {
    case SB_LINEUP:
        return -nLine;
    case SB_LINEDOWN:
        return nLine;
    case SB_PAGEUP:
        return -(int)si.nPage;
    case SB_PAGEDOWN:
        return (int)si.nPage;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        return si.nTrackPos - si.nPos;
    case SB_TOP:
        return -si.nPos;
    case SB_BOTTOM:
        return si.nMax - si.nPos;
    default:
        return 0;
    }
}

void CPreviewView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    (void)nPos;
    (void)pScrollBar;
    ScrollBy(ScrollDelta(m_hWnd, SB_HORZ, nSBCode, 20), 0);
}

void CPreviewView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    (void)nPos;
    (void)pScrollBar;
    if (m_nZoomState == 0)
    {
        // Whole pages: the wheel and the bar move between pages.
        if (nSBCode == SB_LINEDOWN || nSBCode == SB_PAGEDOWN)
            OnNextPage();
        else if (nSBCode == SB_LINEUP || nSBCode == SB_PAGEUP)
            OnPrevPage();
        return;
    }
    ScrollBy(0, ScrollDelta(m_hWnd, SB_VERT, nSBCode, 20));
}

BOOL CPreviewView::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    (void)nFlags;
    (void)pt;
    if (m_nZoomState == 0)
        OnVScroll(zDelta < 0 ? SB_LINEDOWN : SB_LINEUP, 0, NULL);
    else
        ScrollBy(0, -zDelta * 60 / WHEEL_DELTA);
    return TRUE;
}

int CPreviewView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    // The preview keeps the keyboard; it is the frame's active view already.
    int nResult = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (nResult != MA_NOACTIVATE && nResult != MA_NOACTIVATEANDEAT)
        SetFocus();
    return nResult;
}

void CPreviewView::OnLButtonDown(UINT nFlags, CPoint point)
{
    (void)nFlags;
    // A click on a page zooms in there; at the largest zoom back to whole pages.
    if (m_nZoomState < kZoomStates - 1)
        SetZoomState(m_nZoomState + 1, point);
    else
        SetZoomState(0, point);
}

void CPreviewView::SetZoomState(int nZoom, CPoint ptClient)
{
    if (nZoom < 0 || nZoom >= kZoomStates || nZoom == m_nZoomState)
        return;
    // The point under the cursor (or the centre) stays where it is.
    CRect rcPaper, rcPrintable;
    GetPageRects(0, rcPaper, rcPrintable);
    double fx = rcPaper.Width() > 0 ? (double)(ptClient.x - rcPaper.left) / rcPaper.Width() : 0.5;
    double fy = rcPaper.Height() > 0 ? (double)(ptClient.y - rcPaper.top) / rcPaper.Height() : 0.5;
    fx = fx < 0 ? 0 : (fx > 1 ? 1 : fx);
    fy = fy < 0 ? 0 : (fy > 1 ? 1 : fy);
    m_nZoomState = nZoom;
    m_ptScroll = CPoint(0, 0);
    CSize sizePaper = GetZoomedPaperSize();
    m_ptScroll.x = kPageGap + (int)(fx * sizePaper.cx) - ptClient.x;
    m_ptScroll.y = kPageGap + (int)(fy * sizePaper.cy) - ptClient.y;
    UpdateScrollBars();
    Invalidate();
    if (m_pToolBar != NULL && m_pToolBar->m_hWnd != NULL)
        m_pToolBar->OnUpdateCmdUI(NULL, FALSE);
    UpdatePageNumber();
}

void CPreviewView::SetCurrentPage(UINT nPage)
{
    if (nPage == m_nCurrentPage || !PageExists(nPage))
        return;
    m_nCurrentPage = nPage;
    m_ptScroll = CPoint(0, 0);
    UpdateScrollBars();
    Invalidate();
    if (m_pToolBar != NULL && m_pToolBar->m_hWnd != NULL)
        m_pToolBar->OnUpdateCmdUI(NULL, FALSE);
    UpdatePageNumber();
}

void CPreviewView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    (void)pSender;
    (void)lHint;
    (void)pHint;
    // The document changed: its pages are recorded again when shown.
    FreePages();
    m_nLastPage = UINT_MAX;
    Invalidate();
    UpdatePageNumber();
}

UINT CPreviewView::GetPagesDisplayed()
{
    return GetPageCountShown() == 2 && PageExists(m_nCurrentPage + 1) ? 2 : 1;
}

void CPreviewView::UpdatePageNumber()
{
    if (m_pPreviewInfo == NULL || m_bClosePosted)
        return;
    OnDisplayPageNumber(m_nCurrentPage, GetPagesDisplayed());
}

void CPreviewView::OnDisplayPageNumber(UINT nPage, UINT nPagesDisplayed)
{
    CFrameWnd* pFrame = MessageFrameOf(GetParentFrame());
    if (pFrame == NULL || m_pPreviewInfo == NULL)
        return;
    const int nLine = nPagesDisplayed == 1 ? 0 : 1;
    CString strFormat;
    if (!AfxExtractSubString(strFormat, m_pPreviewInfo->m_strPageDesc, nLine) || strFormat.IsEmpty())
    {
        TRACE("print preview: the page description has no line %d", nLine);
        return;
    }
    CString strText;
    if (nLine == 0)
        strText.Format(strFormat, nPage);
    else
        strText.Format(strFormat, nPage, nPage + nPagesDisplayed - 1);
    pFrame->SetMessageText(strText);
}

LRESULT CPreviewView::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    // Whatever put the idle prompt back ("Ready": a menu or a tooltip
    // ending) gives way to the pages in view again.
    CFrameWnd* pFrame = MessageFrameOf(GetParentFrame());
    if (pFrame != NULL && pFrame->m_nIDLastMessage == AFX_IDS_IDLEMESSAGE)
        UpdatePageNumber();
    return 0;
}

BOOL CPreviewView::TranslatePreviewKey(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN)
    {
        switch (pMsg->wParam)
        {
        case VK_ESCAPE:
            OnPreviewClose();
            return TRUE;
        case VK_NEXT:
            OnNextPage();
            return TRUE;
        case VK_PRIOR:
            OnPrevPage();
            return TRUE;
        default:
            return FALSE;
        }
    }
    if (pMsg->message == WM_SYSKEYDOWN && (pMsg->lParam & (1 << 29)) != 0 && m_pToolBar != NULL)
    {
        // Alt and a button's access key presses that button when it is enabled.
        for (const PreviewButton& button : kPreviewButtons)
        {
            CWnd* pButton = m_pToolBar->GetButton(button.nID);
            if (pButton == NULL)
                continue;
            CString strText;
            pButton->GetWindowText(strText);
            if (AccessKey(strText) != (char)pMsg->wParam)
                continue;
            if (pButton->IsWindowEnabled())
                PostMessage(WM_COMMAND, MAKEWPARAM(button.nID, BN_CLICKED), (LPARAM)pButton->m_hWnd);
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CPreviewView::PreTranslateMessage(MSG* pMsg)
{
    if (TranslatePreviewKey(pMsg))
        return TRUE;
    return CView::PreTranslateMessage(pMsg);
}

// Commands ---------------------------------------------------------------------

void CPreviewView::OnPreviewClose()
{
    // Posted: the command may come from a button of the bar that goes too.
    if (!m_bClosePosted)
    {
        m_bClosePosted = TRUE;
        PostMessage(WM_ENDPREVIEW, FALSE, 0);
    }
}

void CPreviewView::OnPreviewPrint()
{
    if (!m_bClosePosted)
    {
        m_bClosePosted = TRUE;
        PostMessage(WM_ENDPREVIEW, TRUE, 0);
    }
}

LRESULT CPreviewView::OnEndPreviewMsg(WPARAM wParam, LPARAM)
{
    ClosePreview(wParam != 0);
    return 0;
}

void CPreviewView::ClosePreview(BOOL bThenPrint)
{
    CFrameWnd* pFrame = GetParentFrame();
    CView* pPrintView = m_pPrintView;
    if (pPrintView != NULL)
        pPrintView->OnEndPrintPreview(&m_dcPrint, m_pPreviewInfo, CPoint(0, 0), this);
    m_pPrintView = NULL;

    // The bar and this window step out of the layout before the frame
    // puts its own panes and bars back.
    if (m_pToolBar != NULL && m_pToolBar->m_hWnd != NULL)
        m_pToolBar->DestroyWindow();
    ShowWindow(SW_HIDE);
    ::SetWindowLongPtr(m_hWnd, GWLP_ID, 0);
    CView* pViewOld = m_pPreviewState != NULL ? m_pPreviewState->pViewActiveOld : NULL;
    CFrameWnd* pPrintFrame = pPrintView != NULL && ::IsWindow(pPrintView->m_hWnd) ? pPrintView->GetParentFrame() : NULL;
    if (pFrame != NULL && pPrintFrame != NULL && pPrintFrame != pFrame)
    {
        // The preview ran in the main frame for a view of a child frame (an
        // MDI child): the main frame gets back the active view it had, the
        // print view stays its own frame's, and the keyboard goes to the view
        // of the frame that is active now.
        pFrame->OnSetPreviewMode(FALSE, m_pPreviewState);
        pFrame->SetActiveView(pViewOld != NULL && ::IsWindow(pViewOld->m_hWnd) ? pViewOld : NULL, FALSE);
        if (pPrintFrame->GetActiveView() != pPrintView)
            pPrintFrame->SetActiveView(pPrintView);
        CFrameWnd* pActiveFrame = pFrame->GetActiveFrame();
        CView* pFocus = pActiveFrame != NULL ? pActiveFrame->GetActiveView() : NULL;
        if (pFocus != NULL && ::IsWindow(pFocus->m_hWnd))
            pFocus->SetFocus();
        else
            pFrame->SetFocus();
    }
    else if (pFrame != NULL)
    {
        pFrame->OnSetPreviewMode(FALSE, m_pPreviewState);
        CView* pActivate = pPrintView != NULL ? pPrintView : pViewOld;
        if (pActivate != NULL && ::IsWindow(pActivate->m_hWnd))
        {
            pFrame->SetActiveView(pActivate);
            pActivate->SetFocus();
        }
        else
            pFrame->SetActiveView(NULL);
    }
    DestroyWindow();   // deletes this
    if (pFrame != NULL && ::IsWindow(pFrame->m_hWnd))
    {
        pFrame->RecalcLayout();
        MessageFrameOf(pFrame)->SendMessage(WM_SETMESSAGESTRING, (WPARAM)AFX_IDS_IDLEMESSAGE);
        pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    }
    if (bThenPrint && pPrintView != NULL && ::IsWindow(pPrintView->m_hWnd))
        pPrintView->SendMessage(WM_COMMAND, ID_FILE_PRINT);
}

void CPreviewView::OnNextPage()
{
    if (m_pPreviewInfo == NULL)
        return;
    SetCurrentPage(m_nCurrentPage + 1);
}

void CPreviewView::OnPrevPage()
{
    if (m_pPreviewInfo == NULL || m_nCurrentPage <= m_pPreviewInfo->GetMinPage())
        return;
    SetCurrentPage(m_nCurrentPage - 1);
}

void CPreviewView::OnNumPageChange()
{
    m_nPages = m_nPages == 1 ? 2 : 1;
    if (m_pPreviewInfo != NULL)
        m_pPreviewInfo->m_nNumPreviewPages = (UINT)m_nPages;
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL)
        pApp->m_nNumPreviewPages = m_nPages;
    Invalidate();
    if (m_pToolBar != NULL && m_pToolBar->m_hWnd != NULL)
        m_pToolBar->OnUpdateCmdUI(NULL, FALSE);
    UpdatePageNumber();
}

void CPreviewView::OnZoomIn()
{
    CRect rcClient;
    GetClientRect(&rcClient);
    SetZoomState(m_nZoomState + 1, rcClient.CenterPoint());
}

void CPreviewView::OnZoomOut()
{
    CRect rcClient;
    GetClientRect(&rcClient);
    SetZoomState(m_nZoomState - 1, rcClient.CenterPoint());
}

void CPreviewView::OnUpdateNextPage(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_pPreviewInfo != NULL && PageExists(m_nCurrentPage + (UINT)GetPageCountShown()));
}

void CPreviewView::OnUpdatePrevPage(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_pPreviewInfo != NULL && m_nCurrentPage > m_pPreviewInfo->GetMinPage());
}

void CPreviewView::OnUpdateNumPageChange(CCmdUI* pCmdUI)
{
    pCmdUI->SetText(m_nPages == 1 ? kTwoPage : kOnePage);
    // Two pages side by side only for a document of more than one page.
    BOOL bMore = m_pPreviewInfo != NULL && (m_nPages == 2 || PageExists(m_pPreviewInfo->GetMinPage() + 1));
    pCmdUI->Enable(m_nZoomState == 0 && bMore);
}

void CPreviewView::OnUpdateZoomIn(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_nZoomState < kZoomStates - 1);
}

void CPreviewView::OnUpdateZoomOut(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_nZoomState > 0);
}
