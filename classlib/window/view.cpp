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
    // A document of unknown length prints one page.
    if (pInfo != NULL)
        pInfo->m_bContinuePrinting = pInfo->GetMaxPage() != 0xFFFF || pInfo->m_nCurPage == 1;
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

// Gives the print job the DC of the printer the dialog chose, where it has
// none yet; with no printer to draw on, tells the user and answers FALSE.
static BOOL TakePrinterDC(CPrintDialog* pDlg)
{
    PRINTDLG& pd = pDlg->m_pd;
    if (pd.hDC == NULL)
        pd.hDC = pDlg->GetPrinterDC();
    if (pd.hDC == NULL)
    {
        AfxMessageBox(AFX_IDP_FAILED_TO_START_PRINT);
        return FALSE;
    }
    return TRUE;
}

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo)
{
    if (pInfo == NULL || pInfo->m_pPD == NULL)
        return FALSE;
    CPrintDialog* pDlg = pInfo->m_pPD;
    PRINTDLG& pd = pDlg->m_pd;
    if (pd.nMinPage > pd.nMaxPage)
        pd.nMaxPage = pd.nMinPage;
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return FALSE;

    if (pInfo->m_bPreview || pInfo->m_bDirect)
    {
        if (pd.hDC == NULL)
        {
            const CCommandLineInfo* pCmdInfo = pApp->m_pCmdInfo;
            if (pInfo->m_bDirect && pCmdInfo != NULL &&
                pCmdInfo->m_nShellCommand == CCommandLineInfo::FilePrintTo)
            {
                // /pt: the printer the command line names.
                pd.hDC = ::CreateDC(NULL, pCmdInfo->m_strPrinterName,
                                    pCmdInfo->m_strPortName.IsEmpty() ? NULL : (LPCTSTR)pCmdInfo->m_strPortName,
                                    NULL);
                if (pd.hDC == NULL)
                {
                    TRACE("printing: no printer \"%s\"", (LPCTSTR)pCmdInfo->m_strPrinterName);
                    AfxMessageBox(AFX_IDP_FAILED_TO_START_PRINT);
                    return FALSE;
                }
            }
            // The printer chosen in Print Setup, else the default one. With
            // none, the print dialog tells the player to install a printer,
            // as the print command does.
            else if (!pApp->GetPrinterDeviceDefaults(&pd) && pApp->DoPrintDialog(pDlg) != IDOK)
            {
                return FALSE;
            }
            if (!TakePrinterDC(pDlg))
                return FALSE;
        }
        pd.nFromPage = (WORD)pInfo->GetMinPage();
        pd.nToPage = (WORD)pInfo->GetMaxPage();
        return TRUE;
    }

    // The print dialog, starting from the printer chosen before.
    pd.nFromPage = (WORD)pInfo->GetMinPage();
    pd.nToPage = (WORD)pInfo->GetMaxPage();
    if (pApp->DoPrintDialog(pDlg) != IDOK)
        return FALSE;
    return TakePrinterDC(pDlg);
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

void CView::OnFilePrint()
{
    CPrintInfo printInfo;
    // 57608 and the command line's /p and /pt print without the dialog.
    const MSG* pMsg = GetCurrentMessage();
    if (pMsg != NULL && pMsg->message == WM_COMMAND && LOWORD(pMsg->wParam) == ID_FILE_PRINT_DIRECT)
        printInfo.m_bDirect = TRUE;
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_pCmdInfo != NULL &&
        (pApp->m_pCmdInfo->m_nShellCommand == CCommandLineInfo::FilePrint ||
         pApp->m_pCmdInfo->m_nShellCommand == CCommandLineInfo::FilePrintTo))
        printInfo.m_bDirect = TRUE;

    // Without a printer (or on cancel) the player has been told already.
    if (!OnPreparePrinting(&printInfo) || printInfo.m_pPD->m_pd.hDC == NULL)
        return;

    CDC dcPrint;
    dcPrint.Attach(printInfo.m_pPD->m_pd.hDC);   // the print information deletes it
    dcPrint.m_bPrinting = TRUE;
    OnBeginPrinting(&dcPrint, &printInfo);

    CString strTitle;
    if (m_pDocument != NULL)
        strTitle = m_pDocument->GetTitle();
    if (strTitle.IsEmpty() && GetParentFrame() != NULL)
        GetParentFrame()->GetWindowText(strTitle);
    if (strTitle.GetLength() > 31)
        strTitle.Truncate(31);
    DOCINFO docInfo;
    ZeroMemory(&docInfo, sizeof(docInfo));
    docInfo.cbSize = sizeof(docInfo);
    docInfo.lpszDocName = strTitle;
    if (dcPrint.StartDoc(&docInfo) <= 0)
    {
        OnEndPrinting(&dcPrint, &printInfo);
        dcPrint.Detach();
        AfxMessageBox(AFX_IDP_FAILED_TO_START_PRINT);
        return;
    }

    // The pages asked for in the dialog, else all of them.
    UINT nStart = printInfo.GetMinPage(), nEnd = printInfo.GetMaxPage();
    if (printInfo.m_pPD->PrintRange())
    {
        // Within the document's pages.
        nStart = printInfo.m_pPD->m_pd.nFromPage > nStart ? printInfo.m_pPD->m_pd.nFromPage : nStart;
        nEnd = printInfo.m_pPD->m_pd.nToPage < nEnd ? printInfo.m_pPD->m_pd.nToPage : nEnd;
    }
    BOOL bError = FALSE;
    for (printInfo.m_nCurPage = nStart; printInfo.m_nCurPage <= nEnd; printInfo.m_nCurPage++)
    {
        OnPrepareDC(&dcPrint, &printInfo);
        if (!printInfo.m_bContinuePrinting)
            break;
        printInfo.m_rectDraw.SetRect(0, 0, dcPrint.GetDeviceCaps(HORZRES), dcPrint.GetDeviceCaps(VERTRES));
        dcPrint.DPtoLP(&printInfo.m_rectDraw);
        if (dcPrint.StartPage() <= 0)
        {
            bError = TRUE;
            break;
        }
        OnPrint(&dcPrint, &printInfo);
        if (dcPrint.EndPage() <= 0)
        {
            bError = TRUE;
            break;
        }
        if (printInfo.m_nCurPage == 0xFFFF)
            break;
    }
    if (bError)
        dcPrint.AbortDoc();
    else
        dcPrint.EndDoc();
    OnEndPrinting(&dcPrint, &printInfo);
    dcPrint.Detach();
    if (bError)
        AfxMessageBox(AFX_IDP_FAILED_TO_START_PRINT);
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
