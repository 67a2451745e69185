// CPropertySheet and CPropertyPage over the common-controls property sheet.
#include "wndimpl.h"
#include <afxpropsheet.h>

#include <exception>

/////////////////////////////////////////////////////////////////////////////
// CPropertyPage

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

BEGIN_MESSAGE_MAP(CPropertyPage, CDialog)
END_MESSAGE_MAP()

// Called by the sheet just before it creates the page's window: the hook
// then gives the page object its window from the first message on.
static UINT CALLBACK AfxPropPageCallback(HWND hWnd, UINT message, LPPROPSHEETPAGE pPropPage)
{
    (void)hWnd;
    try
    {
        if (message == PSPCB_CREATE && pPropPage != NULL && pPropPage->lParam != 0)
        {
            CPropertyPage* pPage = DYNAMIC_DOWNCAST(CPropertyPage, (CObject*)pPropPage->lParam);
            if (pPage != NULL && pPage->m_hWnd == NULL)
            {
                AfxHookWindowCreate(pPage);
                // Only a child of our sheet is this page.
                if (pPage->m_pSheet != NULL && pPage->m_pSheet->m_hWnd != NULL)
                    AfxGetThreadState()->m_hWndInitParent = pPage->m_pSheet->m_hWnd;
            }
        }
    }
    AFX_BARRIER_CATCH("Property page", NULL, (void)0)
    return TRUE;   // the page may be created
}

CPropertyPage::CPropertyPage() : m_bFirstSetActive(TRUE), m_pSheet(NULL)
{
    ZeroMemory(&m_psp, sizeof(m_psp));
    m_psp.dwSize = sizeof(m_psp);
}

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CPropertyPage()
{
    Construct(nIDTemplate, nIDCaption);
}

CPropertyPage::CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption) : CPropertyPage()
{
    Construct(lpszTemplateName, nIDCaption);
}

CPropertyPage::~CPropertyPage()
{
    if (m_pSheet != NULL)
    {
        // The sheet must not keep a dangling page.
        for (int i = 0; i < m_pSheet->m_pages.GetSize(); ++i)
        {
            if (m_pSheet->m_pages[i] == this)
            {
                m_pSheet->m_pages.RemoveAt(i);
                break;
            }
        }
        m_pSheet = NULL;
    }
}

void CPropertyPage::Construct(UINT nIDTemplate, UINT nIDCaption)
{
    Construct(MAKEINTRESOURCE(nIDTemplate), nIDCaption);
    m_nIDHelp = nIDTemplate;
}

void CPropertyPage::Construct(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    ZeroMemory(&m_psp, sizeof(m_psp));
    m_psp.dwSize = sizeof(m_psp);
    m_psp.dwFlags = PSP_USECALLBACK;
    m_psp.hInstance = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
    m_psp.pszTemplate = lpszTemplateName;
    m_psp.pfnDlgProc = &AfxDlgProc;
    m_psp.lParam = (LPARAM)this;
    m_psp.pfnCallback = &AfxPropPageCallback;
    m_lpszTemplateName = lpszTemplateName;
    if (nIDCaption != 0 && m_strCaption.LoadString(nIDCaption))
    {
        m_psp.pszTitle = m_strCaption;
        m_psp.dwFlags |= PSP_USETITLE;
    }
    m_bFirstSetActive = TRUE;
}

void CPropertyPage::PreProcessPageTemplate()
{
    // The sheet gets the template in memory (a page may have set its own).
    if (!(m_psp.dwFlags & PSP_DLGINDIRECT) && m_psp.pszTemplate != NULL)
    {
        HINSTANCE hInst = m_psp.hInstance != NULL ? m_psp.hInstance : AfxGetResourceHandle();
        HRSRC hResource = ::FindResource(hInst, m_psp.pszTemplate, RT_DIALOG);
        HGLOBAL hTemplate = hResource != NULL ? ::LoadResource(hInst, hResource) : NULL;
        LPCDLGTEMPLATE lpTemplate = hTemplate != NULL ? (LPCDLGTEMPLATE)::LockResource(hTemplate) : NULL;
        if (lpTemplate != NULL)
        {
            m_psp.pResource = lpTemplate;
            m_psp.dwFlags |= PSP_DLGINDIRECT;
        }
    }
    m_psp.dwFlags |= PSP_USECALLBACK;
    m_psp.pfnDlgProc = &AfxDlgProc;
    m_psp.lParam = (LPARAM)this;
    m_psp.pfnCallback = &AfxPropPageCallback;
    if (!m_strCaption.IsEmpty())
    {
        m_psp.pszTitle = m_strCaption;
        m_psp.dwFlags |= PSP_USETITLE;
    }
    m_bFirstSetActive = TRUE;
}

CPropertySheet* CPropertyPage::GetParentSheet() const
{
    if (m_pSheet != NULL)
        return m_pSheet;
    if (m_hWnd == NULL)
        return NULL;
    return DYNAMIC_DOWNCAST(CPropertySheet, CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
}

void CPropertyPage::CancelToClose()
{
    if (m_hWnd != NULL)
        ::SendMessage(::GetParent(m_hWnd), PSM_CANCELTOCLOSE, 0, 0);
}

void CPropertyPage::SetModified(BOOL bChanged)
{
    if (m_hWnd == NULL)
        return;
    ::SendMessage(::GetParent(m_hWnd), bChanged ? PSM_CHANGED : PSM_UNCHANGED, (WPARAM)m_hWnd, 0);
}

LRESULT CPropertyPage::QuerySiblings(WPARAM wParam, LPARAM lParam)
{
    if (m_hWnd == NULL)
        return 0;
    return ::SendMessage(::GetParent(m_hWnd), PSM_QUERYSIBLINGS, wParam, lParam);
}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset()
{
    OnCancel();
}

void CPropertyPage::OnOK()
{
    // A page does not end anything: the sheet does.
}

void CPropertyPage::OnCancel()
{
}

BOOL CPropertyPage::OnSetActive()
{
    if (m_bFirstSetActive)
        m_bFirstSetActive = FALSE;   // OnInitDialog filled the controls
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    // Invalid data keeps the page (and the sheet) open.
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnQueryCancel()
{
    return TRUE;
}

LRESULT CPropertyPage::OnWizardBack()
{
    return 0;
}

LRESULT CPropertyPage::OnWizardNext()
{
    return 0;
}

BOOL CPropertyPage::OnWizardFinish()
{
    return TRUE;
}

BOOL CPropertyPage::PreTranslateMessage(MSG* pMsg)
{
    // No dialog keys here: the sheet handles them for all its pages.
    return CWnd::PreTranslateMessage(pMsg);
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (CDialog::OnNotify(wParam, lParam, pResult))
        return TRUE;

    NMHDR* pNMHDR = (NMHDR*)lParam;
    if (pNMHDR->hwndFrom != m_hWnd && pNMHDR->hwndFrom != ::GetParent(m_hWnd))
        return FALSE;

    LRESULT lResult = 0;
    switch (pNMHDR->code)
    {
    case PSN_SETACTIVE:
        lResult = OnSetActive() ? 0 : -1;
        break;
    case PSN_KILLACTIVE:
        lResult = OnKillActive() ? FALSE : TRUE;
        break;
    case PSN_APPLY:
        lResult = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        break;
    case PSN_RESET:
        OnReset();
        break;
    case PSN_QUERYCANCEL:
        lResult = OnQueryCancel() ? FALSE : TRUE;
        break;
    case PSN_WIZNEXT:
        lResult = OnWizardNext();
        break;
    case PSN_WIZBACK:
        lResult = OnWizardBack();
        break;
    case PSN_WIZFINISH:
        lResult = OnWizardFinish() ? FALSE : TRUE;
        break;
    case PSN_HELP:
        break;
    default:
        return FALSE;
    }
    // The sheet may read the answer either way.
    ::SetWindowLongPtr(m_hWnd, DWLP_MSGRESULT, lResult);
    if (pResult != NULL)
        *pResult = lResult;
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// CPropertySheet

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
    ON_MESSAGE(PSM_PRESSBUTTON, OnPressButton)
    ON_WM_SYSCOMMAND()
    ON_WM_CLOSE()
END_MESSAGE_MAP()

CPropertySheet::CPropertySheet()
{
    CommonConstruct(NULL, 0);
}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CommonConstruct(pParentWnd, iSelectPage);
    m_strCaption.LoadString(nIDCaption);
    m_psh.pszCaption = m_strCaption;
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CommonConstruct(pParentWnd, iSelectPage);
    m_strCaption = pszCaption;
    m_psh.pszCaption = m_strCaption;
}

void CPropertySheet::Construct(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CommonConstruct(pParentWnd, iSelectPage);
    m_strCaption.LoadString(nIDCaption);
    m_psh.pszCaption = m_strCaption;
}

void CPropertySheet::Construct(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CommonConstruct(pParentWnd, iSelectPage);
    m_strCaption = pszCaption;
    m_psh.pszCaption = m_strCaption;
}

void CPropertySheet::CommonConstruct(CWnd* pParentWnd, UINT iSelectPage)
{
    ZeroMemory(&m_psh, sizeof(m_psh));
    m_psh.dwSize = sizeof(m_psh);
    // No Apply button and no Help button.
    m_psh.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW;
    m_psh.dwFlags &= ~PSH_HASHELP;
    m_psh.hInstance = AfxGetResourceHandle();
    m_psh.nStartPage = iSelectPage;
    m_pParentWnd = pParentWnd;
    m_bStacked = TRUE;
    m_bModeless = FALSE;
    m_ppspArray = NULL;
}

CPropertySheet::~CPropertySheet()
{
    if (m_hWnd != NULL && IsMapped())
        DestroyWindow();
    for (int i = 0; i < m_pages.GetSize(); ++i)
    {
        CPropertyPage* pPage = (CPropertyPage*)m_pages[i];
        if (pPage->m_pSheet == this)
            pPage->m_pSheet = NULL;
    }
    delete[] m_ppspArray;
}

int CPropertySheet::GetPageCount() const
{
    return (int)m_pages.GetSize();
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    if (nPage < 0 || nPage >= (int)m_pages.GetSize())
        return NULL;
    return (CPropertyPage*)m_pages[nPage];
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const
{
    for (int i = 0; i < (int)m_pages.GetSize(); i++)
    {
        if (m_pages[i] == pPage)
            return i;
    }
    return -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    if (m_hWnd == NULL)
        return GetPage((int)m_psh.nStartPage);
    HWND hWndPage = (HWND)::SendMessage(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0);
    if (hWndPage == NULL)
        return NULL;
    for (int i = 0; i < (int)m_pages.GetSize(); i++)
    {
        CPropertyPage* pPage = (CPropertyPage*)m_pages[i];
        if (pPage->m_hWnd == hWndPage)
            return pPage;
    }
    return NULL;
}

int CPropertySheet::GetActiveIndex() const
{
    if (m_hWnd == NULL)
        return (int)m_psh.nStartPage;
    HWND hWndTab = (HWND)::SendMessage(m_hWnd, PSM_GETTABCONTROL, 0, 0);
    return hWndTab != NULL ? (int)::SendMessage(hWndTab, TCM_GETCURSEL, 0, 0) : -1;
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (nPage < 0 || nPage >= (int)m_pages.GetSize())
        return FALSE;
    if (m_hWnd == NULL)
    {
        m_psh.nStartPage = (UINT)nPage;
        return TRUE;
    }
    return (BOOL)::SendMessage(m_hWnd, PSM_SETCURSEL, (WPARAM)nPage, 0);
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage)
{
    return SetActivePage(GetPageIndex(pPage));
}

void CPropertySheet::SetTitle(LPCTSTR lpszText, UINT nStyle)
{
    m_strCaption = lpszText != NULL ? lpszText : "";
    m_psh.dwFlags &= ~PSH_PROPTITLE;
    m_psh.dwFlags |= (nStyle & PSH_PROPTITLE);
    m_psh.pszCaption = m_strCaption;
    if (m_hWnd != NULL)
        ::SendMessage(m_hWnd, PSM_SETTITLE, nStyle, (LPARAM)(LPCTSTR)m_strCaption);
}

CTabCtrl* CPropertySheet::GetTabControl() const
{
    if (m_hWnd == NULL)
        return NULL;
    // A tab control object over the sheet's tab window (a temporary).
    return reinterpret_cast<CTabCtrl*>(CWnd::FromHandle((HWND)::SendMessage(m_hWnd, PSM_GETTABCONTROL, 0, 0)));
}

void CPropertySheet::SetWizardMode()
{
    m_psh.dwFlags |= PSH_WIZARD;
}

void CPropertySheet::SetWizardButtons(DWORD dwFlags)
{
    if (m_hWnd != NULL)
        ::PostMessage(m_hWnd, PSM_SETWIZBUTTONS, 0, (LPARAM)dwFlags);
}

void CPropertySheet::SetFinishText(LPCTSTR lpszText)
{
    if (m_hWnd != NULL)
        ::SendMessage(m_hWnd, PSM_SETFINISHTEXT, 0, (LPARAM)lpszText);
}

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    if (pPage == NULL)
        return;
    m_pages.Add(pPage);
    pPage->m_pSheet = this;
    if (m_hWnd != NULL)
    {
        pPage->PreProcessPageTemplate();
        HPROPSHEETPAGE hPSP = ::CreatePropertySheetPage(&pPage->m_psp);
        if (hPSP == NULL || !::SendMessage(m_hWnd, PSM_ADDPAGE, 0, (LPARAM)hPSP))
        {
            if (hPSP != NULL)
                ::DestroyPropertySheetPage(hPSP);
            m_pages.RemoveAt(m_pages.GetSize() - 1);
            pPage->m_pSheet = NULL;
            AfxThrowResourceException();
        }
    }
}

void CPropertySheet::RemovePage(CPropertyPage* pPage)
{
    int nPage = GetPageIndex(pPage);
    if (nPage >= 0)
        RemovePage(nPage);
}

void CPropertySheet::RemovePage(int nPage)
{
    if (nPage < 0 || nPage >= (int)m_pages.GetSize())
        return;
    CPropertyPage* pPage = (CPropertyPage*)m_pages[nPage];
    if (m_hWnd != NULL)
        ::SendMessage(m_hWnd, PSM_REMOVEPAGE, (WPARAM)nPage, 0);
    m_pages.RemoveAt(nPage);
    if (pPage->m_pSheet == this)
        pPage->m_pSheet = NULL;
}

void CPropertySheet::EndDialog(int nEndID)
{
    CWnd::EndModalLoop(nEndID);
    if (m_bModeless)
        DestroyWindow();
    else if (m_hWnd != NULL)
        ::PostMessage(m_hWnd, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
}

BOOL CPropertySheet::PressButton(int nButton)
{
    if (m_hWnd == NULL)
        return FALSE;
    ::SendMessage(m_hWnd, PSM_PRESSBUTTON, (WPARAM)nButton, 0);
    return TRUE;
}

void CPropertySheet::MapDialogRect(LPRECT lpRect) const
{
    ::MapDialogRect(m_hWnd, lpRect);
}

void CPropertySheet::SendMessageToPages(UINT message, WPARAM wParam, LPARAM lParam)
{
    for (int i = 0; i < (int)m_pages.GetSize(); i++)
    {
        CPropertyPage* pPage = (CPropertyPage*)m_pages[i];
        // Pages not shown yet have no window.
        if (pPage != NULL && pPage->m_hWnd != NULL)
            ::SendMessage(pPage->m_hWnd, message, wParam, lParam);
    }
}

void CPropertySheet::BuildPropPageArray()
{
    delete[] m_ppspArray;
    m_ppspArray = NULL;
    int nPages = (int)m_pages.GetSize();
    if (nPages > 0)
    {
        m_ppspArray = new PROPSHEETPAGE[nPages];
        for (int i = 0; i < nPages; i++)
        {
            CPropertyPage* pPage = (CPropertyPage*)m_pages[i];
            pPage->m_pSheet = this;
            pPage->PreProcessPageTemplate();
            m_ppspArray[i] = pPage->m_psp;
        }
    }
    m_psh.dwFlags |= PSH_PROPSHEETPAGE;
    m_psh.ppsp = m_ppspArray;
    m_psh.nPages = (UINT)nPages;
    if (m_psh.nStartPage >= (UINT)nPages)
        m_psh.nStartPage = 0;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle)
{
    (void)dwStyle;
    (void)dwExStyle;
    if (m_hWnd != NULL)
        return FALSE;
    AfxDeferRegisterClass(AFX_WNDCOMMCTLS_REG);
    m_bModeless = TRUE;
    if (pParentWnd != NULL)
        m_pParentWnd = pParentWnd;
    m_psh.hwndParent = m_pParentWnd->GetSafeHwnd();
    m_psh.pszCaption = m_strCaption;
    BuildPropPageArray();

    m_psh.dwFlags |= PSH_MODELESS;
    AfxHookWindowCreate(this);
    HWND hWnd = (HWND)::PropertySheet(&m_psh);
    AfxUnhookWindowCreate();
    m_psh.dwFlags &= ~PSH_MODELESS;
    return hWnd != NULL && hWnd != (HWND)-1 && m_hWnd == hWnd;
}

INT_PTR CPropertySheet::DoModal()
{
    AfxDeferRegisterClass(AFX_WNDCOMMCTLS_REG);
    BuildPropPageArray();
    m_bModeless = FALSE;

    HWND hWndTop = NULL;
    HWND hWndParent = CWnd::GetSafeOwner_(m_pParentWnd->GetSafeHwnd(), &hWndTop);
    m_psh.hwndParent = hWndParent;
    m_psh.pszCaption = m_strCaption;
    BOOL bEnableParent = FALSE;
    if (hWndParent != NULL && ::IsWindowEnabled(hWndParent))
    {
        ::EnableWindow(hWndParent, FALSE);
        bEnableParent = TRUE;
    }
    HWND hWndCapture = ::GetCapture();
    if (hWndCapture != NULL)
        ::SendMessage(hWndCapture, WM_CANCELMODE, 0, 0);

    // The sheet runs modeless inside our own modal loop.
    m_nModalResult = 0;
    m_nFlags |= WF_CONTINUEMODAL;
    m_psh.dwFlags |= PSH_MODELESS;
    AfxHookWindowCreate(this);
    HWND hWnd = NULL;
    try
    {
        hWnd = (HWND)::PropertySheet(&m_psh);
    }
    AFX_BARRIER_CATCH("PropertySheet", NULL, hWnd = NULL)
    AfxUnhookWindowCreate();
    m_psh.dwFlags &= ~PSH_MODELESS;

    INT_PTR nResult;
    if (hWnd == NULL || hWnd == (HWND)-1 || m_hWnd == NULL)
    {
        m_nFlags &= ~WF_CONTINUEMODAL;
        nResult = -1;
    }
    else
    {
        nResult = m_nModalResult;
        if (ContinueModal())
        {
            DWORD dwFlags = MLF_SHOWONIDLE;
            if (GetStyle() & DS_NOIDLEMSG)
                dwFlags |= MLF_NOIDLEMSG;
            nResult = RunModalLoop(dwFlags);
        }
        else
        {
            nResult = m_nModalResult;
        }
        if (nResult == 0)
            nResult = IDCANCEL;   // closed without a button (the caption's X)
        if (m_hWnd != NULL)
            SetWindowPos(NULL, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    m_nFlags &= ~(WF_CONTINUEMODAL | WF_MODALLOOP);

    // The whole family takes input again before the owner is activated.
    if (bEnableParent)
        ::EnableWindow(hWndParent, TRUE);
    if (hWndTop != NULL && ::IsWindow(hWndTop))
        ::EnableWindow(hWndTop, TRUE);
    if (hWndParent != NULL && m_hWnd != NULL && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndParent);
    if (m_hWnd != NULL)
        DestroyWindow();
    return nResult;
}

BOOL CPropertySheet::ContinueModal()
{
    if (!CWnd::ContinueModal())
        return FALSE;
    // OK, Cancel and Close leave the sheet without a current page.
    return m_hWnd != NULL && ::SendMessage(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0) != 0;
}

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd::OnCommand(wParam, lParam))
        return TRUE;
    // Remember which push button ended the sheet.
    HWND hWndCtrl = (HWND)lParam;
    if (hWndCtrl != NULL && HIWORD(wParam) == BN_CLICKED)
    {
        if (::SendMessage(hWndCtrl, WM_GETDLGCODE, 0, 0) & (DLGC_BUTTON | DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))
        {
            LONG_PTR lStyle = ::GetWindowLongPtr(hWndCtrl, GWL_STYLE) & 0x0F;
            if (lStyle == BS_PUSHBUTTON || lStyle == BS_DEFPUSHBUTTON || lStyle == BS_USERBUTTON ||
                lStyle == BS_OWNERDRAW)
                m_nModalResult = LOWORD(wParam);
        }
    }
    return FALSE;   // the sheet does the rest
}

BOOL CPropertySheet::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (((UINT)nCode != CN_COMMAND && (UINT)nCode != CN_UPDATE_COMMAND_UI) || !IS_COMMAND_ID(nID) || nID == IDOK ||
        nID == IDCANCEL)
        return FALSE;
    CWinThread* pThread = AfxGetThread();
    return pThread != NULL && pThread->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

HWND CPropertySheet::KeepFocusOnShownPage()
{
    if (m_hWnd == NULL)
        return NULL;
    HWND hFocus = ::GetFocus();
    if (hFocus == NULL || !::IsChild(m_hWnd, hFocus))
        return NULL;
    // The sheet's child that holds the focus.
    HWND hHolder = hFocus;
    while (hHolder != NULL && ::GetParent(hHolder) != m_hWnd)
        hHolder = ::GetParent(hHolder);
    HWND hShown = (HWND)::SendMessage(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0);
    if (hHolder == NULL || hShown == NULL || hHolder == hShown || ::IsWindowVisible(hHolder))
        return NULL;
    BOOL bPage = FALSE;
    for (int i = 0; i < GetPageCount() && !bPage; i++)
        bPage = GetPage(i) != NULL && GetPage(i)->m_hWnd == hHolder;
    if (!bPage)
        return NULL;
    // The platform's sheet may leave the focus on a control of the page it
    // hid when the page changes from the keyboard (Ctrl+Tab): dialog keys
    // would then start from the hidden page and reach its access keys and
    // buttons. The focus goes to the first control of the page that shows,
    // else to the tabs.
    HWND hTarget = ::GetNextDlgTabItem(hShown, NULL, FALSE);
    if (hTarget == NULL || !::IsChild(hShown, hTarget))
        hTarget = (HWND)::SendMessage(m_hWnd, PSM_GETTABCONTROL, 0, 0);
    if (hTarget == NULL)
        return NULL;
    ::SendMessage(m_hWnd, WM_NEXTDLGCTL, (WPARAM)hTarget, TRUE);
    return ::GetFocus();
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && pMsg->hwnd != NULL &&
        ::IsChild(m_hWnd, pMsg->hwnd))
    {
        // A key that was meant for a control of a hidden page goes to the
        // control that has the focus now, in the page that shows.
        HWND hMoved = KeepFocusOnShownPage();
        if (hMoved != NULL)
            pMsg->hwnd = hMoved;
    }
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if ((pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) ||
        (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST))
        return (BOOL)::SendMessage(m_hWnd, PSM_ISDIALOGMESSAGE, 0, (LPARAM)pMsg);
    return FALSE;
}

LRESULT CPropertySheet::HandleInitDialog(WPARAM, LPARAM)
{
    // Like a dialog, a modal sheet that its initialisation does not place
    // opens centred over its owner instead of the screen's top-left corner.
    RECT rcBefore;
    ::GetWindowRect(m_hWnd, &rcBefore);
    const DWORD dwStyleBefore = (DWORD)::GetWindowLongPtr(m_hWnd, GWL_STYLE);
    const BOOL bResult = OnInitDialog();
    if (::IsWindow(m_hWnd))
        AfxCenterNewDialog(this, rcBefore, dwStyleBefore);
    return bResult;
}

BOOL CPropertySheet::OnInitDialog()
{
    // The common control sets the sheet up (and creates the first page).
    return (BOOL)Default();
}

LRESULT CPropertySheet::OnPressButton(WPARAM wParam, LPARAM)
{
    // A button pressed by message (not by a click) still decides the result.
    switch (wParam)
    {
    case PSBTN_OK:
        m_nModalResult = IDOK;
        break;
    case PSBTN_CANCEL:
        m_nModalResult = IDCANCEL;
        break;
    case PSBTN_FINISH:
        m_nModalResult = ID_WIZFINISH;
        break;
    default:
        break;
    }
    return Default();
}

void CPropertySheet::OnSysCommand(UINT nID, LPARAM lParam)
{
    if ((nID & 0xFFF0) == SC_CLOSE)
        m_nModalResult = IDCANCEL;
    CWnd::OnSysCommand(nID, lParam);
}

void CPropertySheet::OnClose()
{
    m_nModalResult = IDCANCEL;
    Default();
}

LRESULT CPropertySheet::OnKickIdle(WPARAM wParam, LPARAM lParam)
{
    // After a page change from the keyboard the focus shows on the new page.
    KeepFocusOnShownPage();
    // The current page gets the idle kick (its bars update then).
    CPropertyPage* pPage = GetActivePage();
    if (pPage != NULL && pPage->m_hWnd != NULL)
        return ::SendMessage(pPage->m_hWnd, WM_KICKIDLE, wParam, lParam);
    return 0;
}
