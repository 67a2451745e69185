// The game's dialog base.
#include "FennDialog.h"

/////////////////////////////////////////////////////////////////////////////
// CRookToolTipHelper

CRookToolTipHelper::CRookToolTipHelper() : m_bToolTipsCreated(false), m_bNoToolTips(false)
{
}

CRookToolTipHelper::~CRookToolTipHelper()
{
    if (::IsWindow(m_wndToolTip.GetSafeHwnd()))
        m_wndToolTip.DestroyWindow();
}

BOOL CRookToolTipHelper::CreateToolTips(CWnd* pDialog)
{
    if (m_bNoToolTips || pDialog == NULL || !::IsWindow(pDialog->GetSafeHwnd()))
        return TRUE;
    if (!::IsWindow(m_wndToolTip.GetSafeHwnd()) && !m_wndToolTip.Create(pDialog, 0))
    {
        TRACE("CRookToolTipHelper: the tooltip control could not be created\n");
        return TRUE;
    }
    m_wndToolTip.SendMessage(TTM_ACTIVATE, TRUE, 0);
    m_wndToolTip.SendMessage(TTM_SETTIPBKCOLOR, ROOK_TOOLTIP_BACK_COLOUR, 0);
    m_wndToolTip.SendMessage(TTM_SETTIPTEXTCOLOR, ROOK_TOOLTIP_TEXT_COLOUR, 0);
    m_bToolTipsCreated = true;

    for (HWND hWndChild = ::GetWindow(pDialog->m_hWnd, GW_CHILD); hWndChild != NULL;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
    {
        const int nID = ::GetDlgCtrlID(hWndChild);
        if (nID == IDOK || nID == IDCANCEL)
        {
            // Strings 1 and 2 are messages of their own, not button tips.
            char szClass[16];
            if (::GetClassNameA(hWndChild, szClass, sizeof(szClass)) > 0 && lstrcmpiA(szClass, "Button") == 0)
                continue;
        }
        if (nID <= 0 || nID > 0xFFFF - 1)
            continue;
        CString strTip;
        if (!strTip.LoadString((UINT)nID) || strTip.IsEmpty())
            continue;
        m_wndToolTip.AddTool(CWnd::FromHandle(hWndChild), strTip);
    }
    return TRUE;
}

BOOL CRookToolTipHelper::RelayToolTipEvent(const MSG* pMsg, CWnd* pDialog)
{
    if (m_bNoToolTips || !m_bToolTipsCreated || pMsg == NULL || pDialog == NULL)
        return TRUE;
    if (pMsg->message < WM_MOUSEFIRST || pMsg->message > WM_MOUSEWHEEL)
        return TRUE;
    if (!::IsWindow(m_wndToolTip.GetSafeHwnd()))
        return TRUE;

    // The tool is the dialog's direct child holding the window under the
    // mouse (an edit inside a combo box shows the combo box's tip).
    MSG msgCopy = *pMsg;
    for (HWND hWndParent = ::GetParent(msgCopy.hwnd); hWndParent != NULL && hWndParent != pDialog->m_hWnd;
         hWndParent = ::GetParent(hWndParent))
    {
        msgCopy.hwnd = hWndParent;
    }
    if (msgCopy.hwnd != NULL)
        m_wndToolTip.SendMessage(TTM_RELAYEVENT, 0, (LPARAM)&msgCopy);
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// CFennDialog

IMPLEMENT_DYNAMIC(CFennDialog, CDialog)

BEGIN_MESSAGE_MAP(CFennDialog, CDialog)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CFennDialog::CFennDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : CDialog(nIDTemplate, pParentWnd), m_nEditMode(0), m_nItemKey(-1)
{
}

CFennDialog::~CFennDialog()
{
}

BOOL CFennDialog::OnInitDialog()
{
    BOOL bResult = CDialog::OnInitDialog();
    CreateToolTips(this);
    return bResult;
}

INT_PTR CFennDialog::DoModal()
{
    CGameDialogScope scope;
    if (m_pParentWnd != NULL)
        return CDialog::DoModal();
    // Given for this run only: the next run looks for the owner again.
    m_pParentWnd = GetGameDialogOwner();
    INT_PTR nResult = -1;
    try
    {
        nResult = CDialog::DoModal();
    }
    catch (...)
    {
        m_pParentWnd = NULL;
        throw;
    }
    m_pParentWnd = NULL;
    return nResult;
}

BOOL CFennDialog::PreTranslateMessage(MSG* pMsg)
{
    RelayToolTipEvent(pMsg, this);
    return CDialog::PreTranslateMessage(pMsg);
}

void CFennDialog::OnDestroy()
{
    if (::IsWindow(m_wndToolTip.GetSafeHwnd()))
        m_wndToolTip.DestroyWindow();
    CDialog::OnDestroy();
}

/////////////////////////////////////////////////////////////////////////////
// Owner and count of the game's dialogs

namespace
{
int s_nOpenGameDialogs = 0;
}

CWnd* AFXAPI GetGameDialogOwner()
{
    CWnd* pMain = AfxGetMainWnd();
    HWND hMain = pMain->GetSafeHwnd();
    if (hMain == NULL)
        return NULL;
    if (::IsWindowEnabled(hMain))
        return pMain;
    // A dialog of the game runs: the one the player last had in front.
    HWND hPopup = ::GetLastActivePopup(hMain);
    if (hPopup != NULL && hPopup != hMain && ::IsWindowVisible(hPopup) && ::IsWindowEnabled(hPopup) &&
        (::GetWindowLongPtr(hPopup, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) == 0)
    {
        return CWnd::FromHandle(hPopup);
    }
    return pMain;
}

CGameDialogScope::CGameDialogScope()
{
    s_nOpenGameDialogs++;
}

CGameDialogScope::~CGameDialogScope()
{
    s_nOpenGameDialogs--;
}

int AFXAPI CGameDialogScope::GetOpenCount()
{
    return s_nOpenGameDialogs;
}

/////////////////////////////////////////////////////////////////////////////
// CSubvertedHelpDlg

IMPLEMENT_DYNAMIC(CSubvertedHelpDlg, CFennDialog)

BEGIN_MESSAGE_MAP(CSubvertedHelpDlg, CFennDialog)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CSubvertedHelpDlg::CSubvertedHelpDlg(UINT nIDTemplate, CWnd* pParentWnd) : CFennDialog(nIDTemplate, pParentWnd)
{
}

BOOL CSubvertedHelpDlg::OnHelpInfo(HELPINFO* /*pHelpInfo*/)
{
    return TRUE;
}
