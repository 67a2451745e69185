// The game's message dialogs.
#include "RookMessageDlgs.h"

#include "GameServices.h"
#include "resource.h"

namespace
{
PFN_SHOWYESNOMESSAGE s_pfnYesNoHandler = NULL;
PFN_SHOWYESNOCANCELMESSAGE s_pfnYesNoCancelHandler = NULL;
}

/////////////////////////////////////////////////////////////////////////////
// CRookInfoMsgDlg

IMPLEMENT_DYNAMIC(CRookInfoMsgDlg, CSubvertedHelpDlg)

CString CRookInfoMsgDlg::s_strOKCaption;

CRookInfoMsgDlg::CRookInfoMsgDlg() : CSubvertedHelpDlg(IDD_INFO_MESSAGE, NULL)
{
}

void CRookInfoMsgDlg::DoDataExchange(CDataExchange* pDX)
{
    CSubvertedHelpDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Text(pDX, IDC_MESSAGE_TEXT, m_strMessage);
}

BOOL CRookInfoMsgDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CreateToolTips(this);
    m_btnOK.SetWindowText(s_strOKCaption);
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// CRookYesNoDlg

IMPLEMENT_DYNAMIC(CRookYesNoDlg, CSubvertedHelpDlg)

CString CRookYesNoDlg::s_strYesCaption;
CString CRookYesNoDlg::s_strNoCaption;

CRookYesNoDlg::CRookYesNoDlg() : CSubvertedHelpDlg(IDD_YESNO_MESSAGE, NULL)
{
}

void CRookYesNoDlg::DoDataExchange(CDataExchange* pDX)
{
    CSubvertedHelpDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnYes);
    DDX_Control(pDX, IDCANCEL, m_btnNo);
    DDX_Text(pDX, IDC_MESSAGE_TEXT, m_strMessage);
}

BOOL CRookYesNoDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CreateToolTips(this);
    CenterOnOwner(this);
    m_btnYes.SetWindowText(s_strYesCaption);
    m_btnNo.SetWindowText(s_strNoCaption);
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// CRookYesNoCancelDlg

IMPLEMENT_DYNAMIC(CRookYesNoCancelDlg, CSubvertedHelpDlg)

BEGIN_MESSAGE_MAP(CRookYesNoCancelDlg, CSubvertedHelpDlg)
    ON_BN_CLICKED(IDYES, OnYes)
    ON_BN_CLICKED(IDNO, OnNo)
END_MESSAGE_MAP()

CString CRookYesNoCancelDlg::s_strYesCaption;
CString CRookYesNoCancelDlg::s_strNoCaption;
CString CRookYesNoCancelDlg::s_strCancelCaption;

CRookYesNoCancelDlg::CRookYesNoCancelDlg() : CSubvertedHelpDlg(IDD_YESNOCANCEL_MESSAGE, NULL)
{
}

void CRookYesNoCancelDlg::DoDataExchange(CDataExchange* pDX)
{
    CSubvertedHelpDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDYES, m_btnYes);
    DDX_Control(pDX, IDNO, m_btnNo);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Text(pDX, IDC_MESSAGE_TEXT, m_strMessage);
}

BOOL CRookYesNoCancelDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CreateToolTips(this);
    CenterOnOwner(this);
    m_btnYes.SetWindowText(s_strYesCaption);
    m_btnNo.SetWindowText(s_strNoCaption);
    m_btnCancel.SetWindowText(s_strCancelCaption);
    return TRUE;
}

void CRookYesNoCancelDlg::OnYes()
{
    EndDialog(IDYES);
}

void CRookYesNoCancelDlg::OnNo()
{
    EndDialog(IDNO);
}

/////////////////////////////////////////////////////////////////////////////
// Show functions

INT_PTR AFXAPI ShowInfoMessageId(UINT nIDString)
{
    return ShowInfoMessage(LoadResourceString(nIDString), true);
}

INT_PTR AFXAPI ShowYesNoMessage(const CString& strMessage, const CString& strYes, const CString& strNo)
{
    if (s_pfnYesNoHandler != NULL)
    {
        CGameDialogScope scope;
        return s_pfnYesNoHandler(strMessage, strYes, strNo);
    }
    CRookYesNoDlg dlg;
    dlg.m_strMessage = strMessage;
    CRookYesNoDlg::s_strYesCaption = strYes;
    CRookYesNoDlg::s_strNoCaption = strNo;
    dlg.m_bNoToolTips = true;
    return dlg.DoModal();
}

INT_PTR AFXAPI ShowYesNoCancelMessage(const CString& strMessage, const CString& strYes, const CString& strNo,
                                      const CString& strCancel)
{
    if (s_pfnYesNoCancelHandler != NULL)
    {
        CGameDialogScope scope;
        return s_pfnYesNoCancelHandler(strMessage, strYes, strNo, strCancel);
    }
    CRookYesNoCancelDlg dlg;
    dlg.m_strMessage = strMessage;
    CRookYesNoCancelDlg::s_strYesCaption = strYes;
    CRookYesNoCancelDlg::s_strNoCaption = strNo;
    CRookYesNoCancelDlg::s_strCancelCaption = strCancel;
    dlg.m_bNoToolTips = true;
    return dlg.DoModal();
}

PFN_SHOWYESNOMESSAGE AFXAPI SetYesNoMessageHandler(PFN_SHOWYESNOMESSAGE pfnHandler)
{
    PFN_SHOWYESNOMESSAGE pfnPrevious = s_pfnYesNoHandler;
    s_pfnYesNoHandler = pfnHandler;
    return pfnPrevious;
}

PFN_SHOWYESNOCANCELMESSAGE AFXAPI SetYesNoCancelMessageHandler(PFN_SHOWYESNOCANCELMESSAGE pfnHandler)
{
    PFN_SHOWYESNOCANCELMESSAGE pfnPrevious = s_pfnYesNoCancelHandler;
    s_pfnYesNoCancelHandler = pfnHandler;
    return pfnPrevious;
}

/////////////////////////////////////////////////////////////////////////////
// Window helpers

void AFXAPI CenterOnOwner(CWnd* pWnd)
{
    if (pWnd == NULL || !::IsWindow(pWnd->GetSafeHwnd()))
        return;
    HWND hOwner = ::GetWindow(pWnd->GetSafeHwnd(), GW_OWNER);
    if (hOwner != NULL && ::IsWindowVisible(hOwner) && !::IsIconic(hOwner))
        pWnd->CenterWindow(CWnd::FromHandle(hOwner));
    else
        CenterOnScreen(pWnd);
}

void AFXAPI CenterOnScreen(CWnd* pWnd)
{
    if (pWnd == NULL || !::IsWindow(pWnd->GetSafeHwnd()))
        return;
    CRect rcClient;
    pWnd->GetClientRect(&rcClient);
    const int x = ::GetSystemMetrics(SM_CXSCREEN) / 2 - rcClient.Width() / 2;
    const int y = ::GetSystemMetrics(SM_CYSCREEN) / 2 - rcClient.Height() / 2;
    pWnd->SetWindowPos(NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}
