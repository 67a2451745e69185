// CDialog: modal and modeless dialogs from resources or memory templates.
// A modal dialog runs modeless inside the layer's own modal loop, so the
// thread's PreTranslateMessage walk sees its messages.
#include "wndimpl.h"
#include <afxpropsheet.h>

#include <exception>

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

// The dialog object of a window getting WM_INITDIALOG (a property page the
// hook did not see is attached here).
static CDialog* AfxDialogForInit(HWND hWnd, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    CDialog* pDlg = DYNAMIC_DOWNCAST(CDialog, pWnd);
    CWnd* pParent = pWnd == NULL ? CWnd::FromHandlePermanent(::GetParent(hWnd)) : NULL;
    if (pDlg == NULL && lParam != 0 && pParent != NULL && pParent->IsKindOf(RUNTIME_CLASS(CPropertySheet)))
    {
        // A page of one of our sheets whose creation the hook did not see:
        // its page record (lParam) carries the object.
        const PROPSHEETPAGE* ppsp = (const PROPSHEETPAGE*)lParam;
        if (ppsp->pfnDlgProc == &AfxDlgProc && ppsp->lParam != 0)
        {
            CDialog* pPage = DYNAMIC_DOWNCAST(CDialog, (CObject*)ppsp->lParam);
            if (pPage != NULL && pPage->m_hWnd == NULL && pPage->SubclassWindow(hWnd))
                pDlg = pPage;
        }
    }
    return pDlg;
}

// A dialog that its own initialisation neither showed nor moved opens
// centred over its owner, where the player is looking, rather than at the
// position its template gives (usually none: the screen's top-left corner).
// Only hidden top-level dialogs whose owner waits for them (disabled while
// a modal dialog runs) or that have no owner are moved; child dialogs
// (property pages) and modeless windows beside an enabled owner stay put.
void AFXAPI AfxCenterNewDialog(CWnd* pDlg, const RECT& rcBefore, DWORD dwStyleBefore)
{
    HWND hWnd = pDlg->GetSafeHwnd();
    if (hWnd == NULL || (dwStyleBefore & (WS_VISIBLE | WS_CHILD)) != 0)
        return;
    if ((DWORD)::GetWindowLongPtr(hWnd, GWL_STYLE) & (WS_VISIBLE | WS_CHILD))
        return;
    RECT rcNow;
    ::GetWindowRect(hWnd, &rcNow);
    if (rcNow.left != rcBefore.left || rcNow.top != rcBefore.top)
        return;
    HWND hWndOwner = ::GetWindow(hWnd, GW_OWNER);
    if (hWndOwner != NULL && ::IsWindowEnabled(hWndOwner))
        return;
    pDlg->CenterWindow();
}

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    if (message != WM_INITDIALOG)
        return FALSE;   // the object handled everything through its map already

    // The template's picture controls loaded their pictures; nothing else
    // has touched them yet.
    for (HWND hChild = ::GetWindow(hWnd, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        AfxOwnStaticPicture(hChild);

    CDialog* pDlg = NULL;
    try
    {
        pDlg = AfxDialogForInit(hWnd, lParam);
    }
    AFX_BARRIER_CATCH("WM_INITDIALOG", NULL, pDlg = NULL)
    if (pDlg == NULL)
        return TRUE;

    MSG msg;
    ZeroMemory(&msg, sizeof(msg));
    msg.hwnd = hWnd;
    msg.message = message;
    try
    {
        RECT rcBefore;
        ::GetWindowRect(hWnd, &rcBefore);
        const DWORD dwStyleBefore = (DWORD)::GetWindowLongPtr(hWnd, GWL_STYLE);
        const BOOL bFocusDefault = pDlg->OnInitDialog();
        if (::IsWindow(hWnd))
            AfxCenterNewDialog(pDlg, rcBefore, dwStyleBefore);
        return bFocusDefault;
    }
    AFX_BARRIER_CATCH("OnInitDialog", &msg, (void)0)
    // A dialog that failed to initialise does not run.
    if (pDlg->m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        pDlg->EndModalLoop(-1);
    return FALSE;
}

CDialog::CDialog()
    : m_lpszTemplateName(NULL), m_nIDHelp(0), m_lpDialogTemplate(NULL), m_hDialogTemplate(NULL),
      m_lpDialogInit(NULL), m_pParentWnd(NULL), m_hWndTop(NULL)
{
}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd) : CDialog()
{
    m_pParentWnd = pParentWnd;
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName))
        m_nIDHelp = LOWORD((DWORD_PTR)lpszTemplateName);
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : CDialog()
{
    m_pParentWnd = pParentWnd;
    m_lpszTemplateName = MAKEINTRESOURCE(nIDTemplate);
    m_nIDHelp = nIDTemplate;
}

CDialog::~CDialog()
{
    if (m_hWnd != NULL && IsMapped())
        DestroyWindow();
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0)
        m_nIDHelp = LOWORD((DWORD_PTR)lpszTemplateName);
    HINSTANCE hInst = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
    HRSRC hResource = ::FindResource(hInst, lpszTemplateName, RT_DIALOG);
    HGLOBAL hTemplate = hResource != NULL ? ::LoadResource(hInst, hResource) : NULL;
    if (hTemplate == NULL)
        return FALSE;
    LPCDLGTEMPLATE lpTemplate = (LPCDLGTEMPLATE)::LockResource(hTemplate);
    if (lpTemplate == NULL)
        return FALSE;
    if (pParentWnd == NULL)
        pParentWnd = m_pParentWnd;
    return CreateDlgIndirect(lpTemplate, pParentWnd, hInst);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCE(nIDTemplate), pParentWnd);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit)
{
    m_lpDialogInit = lpDialogInit;
    if (pParentWnd == NULL)
        pParentWnd = m_pParentWnd;
    return CreateDlgIndirect(lpDialogTemplate, pParentWnd, NULL);
}

BOOL CDialog::CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd)
{
    LPCDLGTEMPLATE lpTemplate = (LPCDLGTEMPLATE)::GlobalLock(hDialogTemplate);
    if (lpTemplate == NULL)
        return FALSE;
    BOOL bResult = CreateIndirect(lpTemplate, pParentWnd, NULL);
    ::GlobalUnlock(hDialogTemplate);
    return bResult;
}

BOOL CDialog::CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst)
{
    if (lpDialogTemplate == NULL)
        return FALSE;
    if (hInst == NULL)
        hInst = AfxGetInstanceHandle();
    m_nModalResult = -1;

    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParam(hInst, lpDialogTemplate, pParentWnd->GetSafeHwnd(), &AfxDlgProc, 0);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();   // creation failed before the window existed
    return hWnd != NULL;
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit)
{
    m_lpDialogTemplate = lpDialogTemplate;
    m_lpDialogInit = lpDialogInit;
    m_pParentWnd = pParentWnd;
    return TRUE;
}

BOOL CDialog::InitModalIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd)
{
    m_hDialogTemplate = hDialogTemplate;
    m_pParentWnd = pParentWnd;
    return TRUE;
}

HWND CDialog::PreModal()
{
    // The owner: the parent given or the main window, its last active popup.
    // The top-level window of its family is disabled too (m_hWndTop).
    return CWnd::GetSafeOwner_(m_pParentWnd->GetSafeHwnd(), &m_hWndTop);
}

void CDialog::PostModal()
{
    if (m_hWndTop != NULL && ::IsWindow(m_hWndTop))
        ::EnableWindow(m_hWndTop, TRUE);
    m_hWndTop = NULL;
}

INT_PTR CDialog::DoModal()
{
    LPCDLGTEMPLATE lpDialogTemplate = m_lpDialogTemplate;
    HGLOBAL hDialogTemplate = m_hDialogTemplate;
    HINSTANCE hInst = AfxGetResourceHandle();
    if (m_lpszTemplateName != NULL)
    {
        hInst = AfxFindResourceHandle(m_lpszTemplateName, RT_DIALOG);
        HRSRC hResource = ::FindResource(hInst, m_lpszTemplateName, RT_DIALOG);
        hDialogTemplate = hResource != NULL ? ::LoadResource(hInst, hResource) : NULL;
        if (hDialogTemplate != NULL)
            lpDialogTemplate = (LPCDLGTEMPLATE)::LockResource(hDialogTemplate);
    }
    else if (hDialogTemplate != NULL)
    {
        lpDialogTemplate = (LPCDLGTEMPLATE)::GlobalLock(hDialogTemplate);
    }
    if (lpDialogTemplate == NULL)
        return -1;   // no template

    // The owner is disabled while the dialog runs.
    HWND hWndParent = PreModal();
    AfxUnhookWindowCreate();
    BOOL bEnableParent = FALSE;
    if (hWndParent != NULL && hWndParent != ::GetDesktopWindow() && ::IsWindowEnabled(hWndParent))
    {
        ::EnableWindow(hWndParent, FALSE);
        bEnableParent = TRUE;
    }

    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    try
    {
        if (CreateDlgIndirect(lpDialogTemplate, CWnd::FromHandle(hWndParent), hInst))
        {
            // EndDialog may have run in OnInitDialog already.
            if (m_nFlags & WF_CONTINUEMODAL)
            {
                DWORD dwFlags = MLF_SHOWONIDLE;
                if (GetStyle() & DS_NOIDLEMSG)
                    dwFlags |= MLF_NOIDLEMSG;
                RunModalLoop(dwFlags);
            }
            if (m_hWnd != NULL)
                SetWindowPos(NULL, 0, 0, 0, 0,
                             SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        }
        else
        {
            m_nModalResult = -1;
        }
    }
    AFX_BARRIER_CATCH("DoModal", NULL, m_nModalResult = -1)
    m_nFlags &= ~(WF_CONTINUEMODAL | WF_MODALLOOP);

    // The whole family takes input again before the owner is activated.
    if (bEnableParent)
        ::EnableWindow(hWndParent, TRUE);
    PostModal();
    if (hWndParent != NULL && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndParent);

    DestroyWindow();
    if (m_lpszTemplateName == NULL && m_hDialogTemplate != NULL)
        ::GlobalUnlock(m_hDialogTemplate);
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(nResult);
    else
        m_nModalResult = nResult;
    if (m_hWnd != NULL)
        ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::OnInitDialog()
{
    if (m_lpDialogInit != NULL)
        ExecuteDlgInit(m_lpDialogInit);
    else
        ExecuteDlgInit(m_lpszTemplateName);

    // Members into the controls.
    if (!UpdateData(FALSE))
    {
        EndDialog(-1);
        return FALSE;
    }
    // No help system: a help button is hidden.
    if (HWND hWndHelp = ::GetDlgItem(m_hWnd, ID_HELP))
        ::ShowWindow(hWndHelp, AfxHelpEnabled() ? SW_SHOW : SW_HIDE);
    return TRUE;   // focus on the first control
}

void CDialog::OnOK()
{
    // Ends only when the controls hold valid data.
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::NextDlgCtrl() const
{
    ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 0, 0);
}

void CDialog::PrevDlgCtrl() const
{
    ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 1, 0);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    if (pWndCtrl->GetSafeHwnd() != NULL)
        ::SendMessage(m_hWnd, WM_NEXTDLGCTL, (WPARAM)pWndCtrl->m_hWnd, 1L);
}

void CDialog::SetDefID(UINT nID)
{
    ::SendMessage(m_hWnd, DM_SETDEFID, nID, 0);
}

DWORD CDialog::GetDefID() const
{
    return (DWORD)::SendMessage(m_hWnd, DM_GETDEFID, 0, 0);
}

void CDialog::MapDialogRect(LPRECT lpRect) const
{
    ::MapDialogRect(m_hWnd, lpRect);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    // Dialog keys (Tab, Enter, Esc, mnemonics) for the dialog and its controls.
    return PreTranslateInput(pMsg);
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    // Commands the dialog does not handle get a last chance at the thread
    // (the application).
    if (((UINT)nCode != CN_COMMAND && (UINT)nCode != CN_UPDATE_COMMAND_UI) || !IS_COMMAND_ID(nID))
        return FALSE;
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL)
        return pThread->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    return FALSE;
}
