// The generic list and info dialogs.
#include "RookGeneric.h"

#include "GameServices.h"
#include "RookMessageDlgs.h"
#include "resource.h"

/////////////////////////////////////////////////////////////////////////////
// CRookGenericListCtrl

IMPLEMENT_DYNAMIC(CRookGenericListCtrl, CFennListCtrlEx)

CRookGenericListCtrl::CRookGenericListCtrl()
{
}

CRookGenericListCtrl::~CRookGenericListCtrl()
{
}

/////////////////////////////////////////////////////////////////////////////
// CRookGenericInfoDlg

IMPLEMENT_DYNAMIC(CRookGenericInfoDlg, CFennDialog)

CRookGenericInfoDlg::CRookGenericInfoDlg(UINT nIDTemplate, CWnd* pParentWnd) : CFennDialog(nIDTemplate, pParentWnd)
{
}

CRookGenericInfoDlg::~CRookGenericInfoDlg()
{
}

/////////////////////////////////////////////////////////////////////////////
// CRookGenericListDlg

IMPLEMENT_DYNAMIC(CRookGenericListDlg, CFennDialog)

BEGIN_MESSAGE_MAP(CRookGenericListDlg, CFennDialog)
    ON_BN_CLICKED(IDC_ROOK_ADD, OnAdd)
    ON_BN_CLICKED(IDC_ROOK_AMEND, OnAmend)
    ON_BN_CLICKED(IDC_ROOK_DELETE, OnDelete)
    ON_NOTIFY(NM_DBLCLK, IDC_ROOK_LIST, OnDblClkList)
END_MESSAGE_MAP()

int CRookGenericListDlg::s_nOpenCount = 0;
int CRookGenericListDlg::s_nFirstTop = 0;

CRookGenericListDlg::CRookGenericListDlg(UINT nIDTemplate, CWnd* pParentWnd)
    : CFennDialog(nIDTemplate, pParentWnd), m_pObjectCreator(NULL), m_nListCtrlType(-1), m_nInfoDlgType(-1),
      m_pListCtrl(NULL), m_pInfoDlg(NULL), m_nSelectedIndex(-1), m_bCounted(false)
{
}

CRookGenericListDlg::~CRookGenericListDlg()
{
    DeleteInfoDlg();
    if (m_pListCtrl != NULL)
    {
        if (m_pListCtrl->GetSafeHwnd() != NULL)
            m_pListCtrl->Detach();
        delete m_pListCtrl;
        m_pListCtrl = NULL;
    }
}

void CRookGenericListDlg::DoDataExchange(CDataExchange* pDX)
{
    CFennDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDCANCEL, m_btnClose);
    DDX_Control(pDX, IDC_ROOK_DELETE, m_btnDelete);
    DDX_Control(pDX, IDC_ROOK_AMEND, m_btnAmend);
    DDX_Control(pDX, IDC_ROOK_ADD, m_btnAdd);
}

BOOL CRookGenericListDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CreateToolTips(this);

    // Nested list dialogs cascade one caption height apart, centred across
    // the screen, below the first one, which opens centred over its owner
    // as every dialog does (placed here, so that the cascade starts from
    // where it really is).
    s_nOpenCount++;
    m_bCounted = true;
    CRect rcWindow;
    if (s_nOpenCount == 1)
    {
        CenterWindow();
        GetWindowRect(&rcWindow);
        s_nFirstTop = rcWindow.top;
    }
    else
    {
        GetWindowRect(&rcWindow);
        const int x = ::GetSystemMetrics(SM_CXSCREEN) / 2 - rcWindow.Width() / 2;
        const int y = s_nFirstTop + (s_nOpenCount - 1) * ::GetSystemMetrics(SM_CYCAPTION);
        SetWindowPos(NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }

    SetWindowText(m_strTitle);

    m_pListCtrl = m_pObjectCreator != NULL ? m_pObjectCreator->CreateListCtrl(&m_nListCtrlType) : NULL;
    if (m_pListCtrl == NULL)
    {
        ShowInfoMessage("Failed to create ListCtrl Obj", true);
        return TRUE;
    }
    HWND hWndList = ::GetDlgItem(m_hWnd, IDC_ROOK_LIST);
    if (hWndList != NULL && m_pListCtrl->Attach(hWndList))
    {
        m_pListCtrl->InitColumns();
        RefreshList();
    }
    else
    {
        TRACE("CRookGenericListDlg: the list control could not be attached to its window\n");
    }
    return TRUE;
}

BOOL CRookGenericListDlg::DestroyWindow()
{
    if (m_pListCtrl != NULL)
    {
        if (m_pListCtrl->GetSafeHwnd() != NULL)
            m_pListCtrl->Detach();
        delete m_pListCtrl;
        m_pListCtrl = NULL;
    }
    if (m_bCounted)
    {
        s_nOpenCount--;
        m_bCounted = false;
    }
    return CFennDialog::DestroyWindow();
}

void CRookGenericListDlg::RefreshList()
{
    if (m_pListCtrl == NULL || m_pListCtrl->GetSafeHwnd() == NULL)
        return;
    m_pListCtrl->FillList();
    const BOOL bHasRows = m_pListCtrl->GetItemCount() >= 1;
    // A button that loses its enabling while it has the focus (Delete of the
    // last row, pressed from the keyboard) would take the focus with it and
    // leave the dialog deaf to every key, Esc included: the focus moves to
    // the list first.
    const HWND hWndFocus = ::GetFocus();
    if (!bHasRows && hWndFocus != NULL &&
        (hWndFocus == m_btnAmend.GetSafeHwnd() || hWndFocus == m_btnDelete.GetSafeHwnd()))
        GotoDlgCtrl(m_pListCtrl);
    if (::IsWindow(m_btnAmend.GetSafeHwnd()))
        m_btnAmend.EnableWindow(bHasRows);
    if (::IsWindow(m_btnDelete.GetSafeHwnd()))
        m_btnDelete.EnableWindow(bHasRows);
}

CRookGenericInfoDlg* CRookGenericListDlg::CreateInfoDlg()
{
    DeleteInfoDlg();
    m_pInfoDlg = m_pObjectCreator != NULL ? m_pObjectCreator->CreateInfoDlg(&m_nInfoDlgType) : NULL;
    if (m_pInfoDlg == NULL)
        ShowInfoMessage("Failed to create InfoDlg Obj", true);
    return m_pInfoDlg;
}

void CRookGenericListDlg::DeleteInfoDlg()
{
    delete m_pInfoDlg;
    m_pInfoDlg = NULL;
}

int CRookGenericListDlg::GetSelectedRow(UINT nIDNoSelection)
{
    const int nRow = m_pListCtrl->GetNextItem(-1, LVNI_SELECTED);
    if (nRow < 0)
        ShowInfoMessage(LoadResourceString(nIDNoSelection), true);
    return nRow;
}

void CRookGenericListDlg::OnAdd()
{
    if (m_pListCtrl == NULL || m_pListCtrl->GetSafeHwnd() == NULL)
        return;
    if (CreateInfoDlg() == NULL)
        return;
    m_pInfoDlg->m_nEditMode = 0;
    m_pInfoDlg->InitNewItem();
    m_pInfoDlg->m_bNoToolTips = m_bNoToolTips;
    if (m_pInfoDlg->DoModal() == IDOK)
        RefreshList();
    DeleteInfoDlg();
}

void CRookGenericListDlg::OnAmend()
{
    if (m_pListCtrl == NULL || m_pListCtrl->GetSafeHwnd() == NULL)
        return;
    const int nRow = GetSelectedRow(IDS_SELECT_ITEM_AMEND);
    if (nRow < 0)
        return;
    if (CreateInfoDlg() == NULL)
        return;
    int nKey = (int)m_pListCtrl->GetItemData(nRow);
    m_pInfoDlg->LoadItem(&nKey);
    m_pInfoDlg->m_nEditMode = 1;
    m_pInfoDlg->m_bNoToolTips = m_bNoToolTips;
    if (m_pInfoDlg->DoModal() == IDOK)
        RefreshList();
    DeleteInfoDlg();
}

void CRookGenericListDlg::OnDelete()
{
    if (m_pListCtrl == NULL || m_pListCtrl->GetSafeHwnd() == NULL)
        return;
    const int nRow = GetSelectedRow(IDS_SELECT_ITEM_DELETE);
    if (nRow < 0)
        return;
    int nKey = (int)m_pListCtrl->GetItemData(nRow);
    if (CreateInfoDlg() == NULL)
        return;
    if (ShowYesNoMessage(LoadResourceString(IDS_CONFIRM_DELETE), LoadResourceString(IDS_DELETE),
                         LoadResourceString(IDS_DONT_DELETE)) == IDOK)
    {
        m_pInfoDlg->DeleteItem(&nKey);
        RefreshList();
    }
    DeleteInfoDlg();
}

void CRookGenericListDlg::OnDblClkList(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    OnAmend();
    *pResult = 0;
}
