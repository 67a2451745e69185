// CView: a document's window inside a frame.
#include "wndimpl.h"
#include <afxdlgs.h>

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_MOUSEACTIVATE()
    ON_MESSAGE_VOID(WM_INITIALUPDATE, OnInitialUpdateMsg)
END_MESSAGE_MAP()

CView::CView() : m_pDocument(NULL)
{
}

CView::~CView()
{
    if (m_pDocument != NULL)
        m_pDocument->RemoveView(this);
}

void CView::PostNcDestroy()
{
    // Views are allocated with new and go with their window.
    delete this;
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
    {
        AfxDeferRegisterClass(AFX_WNDFRAMEORVIEW_REG);
        cs.lpszClass = AFX_WNDFRAMEORVIEW_CLASS;
    }
    // A sunken edge instead of the flat border.
    if (cs.style & WS_BORDER)
    {
        cs.dwExStyle |= WS_EX_CLIENTEDGE;
        cs.style &= ~WS_BORDER;
    }
    return TRUE;
}

int CView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    CCreateContext* pContext = (CCreateContext*)lpcs->lpCreateParams;
    if (pContext != NULL && pContext->m_pCurrentDoc != NULL)
        pContext->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy()
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL && pFrame->GetActiveView() == this)
        pFrame->SetActiveView(NULL);
    CWnd::OnDestroy();
}

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

int CView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    int nResult = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (nResult == MA_NOACTIVATE || nResult == MA_NOACTIVATEANDEAT)
        return nResult;
    // A click makes this the frame's active view, and always gives it the
    // keyboard: an active view that lost the focus to a pane or a floating
    // window is activated again.
    CFrameWnd* pParentFrame = GetParentFrame();
    if (pParentFrame == NULL)
        return nResult;
    if (pParentFrame->GetActiveView() != this)
    {
        pParentFrame->SetActiveView(this);
    }
    else
    {
        HWND hWndFocus = ::GetFocus();
        if (hWndFocus != m_hWnd && !::IsChild(m_hWnd, hWndFocus))
            OnActivateView(TRUE, this, this);
    }
    return nResult;
}

void CView::OnInitialUpdateMsg()
{
    OnInitialUpdate();
}

void CView::OnInitialUpdate()
{
    OnUpdate(NULL, 0, NULL);
}

void CView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    (void)pSender;
    (void)lHint;
    (void)pHint;
    Invalidate(TRUE);
}

BOOL CView::IsSelected(const CObject* pDocItem) const
{
    (void)pDocItem;
    return FALSE;
}

void CView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    (void)pDC;
    (void)pInfo;
}

void CView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    (void)pActivateView;
    (void)pDeactiveView;
    // The active view of an active frame takes the focus.
    if (bActivate && m_hWnd != NULL && IsTopParentActive())
        SetFocus();
}

void CView::OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd)
{
    (void)nState;
    (void)pFrameWnd;
}

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo)
{
    (void)pInfo;
    return FALSE;   // no printing unless the view provides it
}

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo)
{
    if (pInfo == NULL || pInfo->m_pPD == NULL)
        return FALSE;
    CPrintDialog* pDlg = pInfo->m_pPD;
    if (pInfo->m_bPreview || pInfo->m_bDirect)
    {
        if (!pDlg->GetDefaults())
            return FALSE;
    }
    else if (pDlg->DoModal() != IDOK)
    {
        return FALSE;
    }
    if (pDlg->m_pd.hDC == NULL)
        pDlg->m_pd.hDC = pDlg->GetPrinterDC();
    return pDlg->m_pd.hDC != NULL;
}

void CView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    (void)pDC;
    (void)pInfo;
}

void CView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    OnDraw(pDC);
    (void)pInfo;
}

void CView::OnEndPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    (void)pDC;
    (void)pInfo;
}

// Routing: the view, then its document (and the document's template).
BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (m_pDocument != NULL && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return FALSE;
}
