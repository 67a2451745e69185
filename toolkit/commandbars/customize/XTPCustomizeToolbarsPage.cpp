#include "XTPCustomizeToolbarsPage.h"
#include "XTPCustomizeSheet.h"
#include "XTPCustomizeResource.h"
#include "XTPCommandBars.h"
#include "XTPToolBar.h"
#include "XTPResourceManager.h"

IMPLEMENT_DYNCREATE(CXTPCustomizeToolbarsPage, CPropertyPage)

//////////////////////////////////////////////////////////////////////////
// CXTPCustomizeToolbarsPageCheckListBox

CXTPCustomizeToolbarsPageCheckListBox::CXTPCustomizeToolbarsPageCheckListBox()
    : m_szCheck(13, 13)
{
}

void CXTPCustomizeToolbarsPageCheckListBox::PreSubclassWindow()
{
    CCheckListBox::PreSubclassWindow();
    m_themeButton.OpenThemeData(m_hWnd, L"BUTTON");
    m_szCheck = CSize(13, 13);
    if (m_themeButton.IsValid())
    {
        SIZE sz = {13, 13};
        if (SUCCEEDED(m_themeButton.GetThemePartSize(NULL, 3, 1, NULL, 1 /* TS_TRUE */, &sz)))
            m_szCheck = sz;
    }
}

void CXTPCustomizeToolbarsPageCheckListBox::PreDrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct == NULL)
        return;
    if (!m_themeButton.IsValid())
    {
        // The classic check box of the class library's list.
        CCheckListBox::PreDrawItem(lpDrawItemStruct);
        return;
    }
    DRAWITEMSTRUCT dis = *lpDrawItemStruct;
    if (dis.itemID != (UINT)-1)
    {
        CRect rcItem(dis.rcItem);
        CRect rcArea(rcItem.left, rcItem.top, rcItem.left + m_szCheck.cx + 3, rcItem.bottom);
        ::FillRect(dis.hDC, &rcArea, ::GetSysColorBrush(COLOR_WINDOW));
        int nSpare = (rcItem.Height() - m_szCheck.cy) / 2;
        if (nSpare < 0)
            nSpare = 0;
        CRect rcCheck(rcItem.left + 1, rcItem.top + 1 + nSpare, rcItem.left + 1 + m_szCheck.cx,
                      rcItem.top + 1 + nSpare + m_szCheck.cy);
        m_themeButton.DrawThemeBackground(dis.hDC, 3, GetCheck((int)dis.itemID) == 1 ? 5 : 1, &rcCheck, NULL);
    }
    dis.rcItem.left += m_szCheck.cx + 3;
    DrawItem(&dis);
}

void CXTPCustomizeToolbarsPageCheckListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CCheckListBox::DrawItem(lpDrawItemStruct);
}

//////////////////////////////////////////////////////////////////////////
// CXTPNewToolbarDlg

CXTPNewToolbarDlg::CXTPNewToolbarDlg(CWnd* pParentWnd, CXTPCommandBars* pCommandBars, CXTPToolBar* pBar)
    : m_pToolBar(pBar)
    , m_pCommandBars(pCommandBars)
    , m_nNewID(0)
{
    m_pParentWnd = pParentWnd;
}

INT_PTR CXTPNewToolbarDlg::DoModal()
{
    LPCDLGTEMPLATE lpTemplate = XTPResourceManager()->LoadDialogTemplate(XTP_IDD_NEWTOOLBAR);
    if (lpTemplate == NULL)
    {
        TRACE("CXTPNewToolbarDlg: dialog template 9120 is missing\n");
        return -1;
    }
    InitModalIndirect(lpTemplate, m_pParentWnd);
    return CDialog::DoModal();
}

CString AFX_CDECL CXTPNewToolbarDlg::ProposeName(CXTPCommandBars* pCommandBars)
{
    CString strFormat;
    XTPResourceManager()->LoadString(&strFormat, XTP_IDS_CUSTOM_BAR);
    for (int n = 1;; n++)
    {
        CString strName;
        strName.Format(strFormat, n);
        BOOL bTaken = FALSE;
        for (int i = 0; pCommandBars != NULL && i < pCommandBars->GetCount() && !bTaken; i++)
            bTaken = pCommandBars->GetAt(i)->GetTitle() == strName;
        if (!bTaken)
            return strName;
    }
}

UINT AFX_CDECL CXTPNewToolbarDlg::CheckName(CXTPCommandBars* pCommandBars, CXTPToolBar* pRenamed,
                                           const CString& strName, UINT& nNewID)
{
    if (strName.IsEmpty())
        return XTP_IDS_ERROR_BLANKNAME;
    nNewID = pRenamed == NULL ? 0xE800 : 0;
    int nCount = pCommandBars != NULL ? pCommandBars->GetCount() : 0;
    for (int i = 0; i < nCount; i++)
    {
        CXTPToolBar* pBar = pCommandBars->GetAt(i);
        if (pRenamed == NULL && pBar->GetBarID() == nNewID)
        {
            // The id is taken: try the next one from the first bar again.
            nNewID++;
            if (nNewID >= 0xE8FF)
                return XTP_IDS_ERROR_LIMIT;
            i = -1;
            continue;
        }
        if (pBar != pRenamed && pBar->GetTitle() == strName)
            return XTP_IDS_ERROR_EXISTS;
    }
    return 0;
}

BOOL CXTPNewToolbarDlg::OnInitDialog()
{
    if (m_pToolBar != NULL)
    {
        m_strToolbar = m_pToolBar->GetTitle();
        CString strCaption;
        XTPResourceManager()->LoadString(&strCaption, XTP_IDS_RENAMETOOLBAR);
        SetWindowText(strCaption);
    }
    else
    {
        m_strToolbar = ProposeName(m_pCommandBars);
    }
    return CDialog::OnInitDialog();
}

void CXTPNewToolbarDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, XTP_IDC_CUSTOMIZE_LIST, m_strToolbar);
}

void CXTPNewToolbarDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    UINT nID = 0;
    UINT nError = CheckName(m_pCommandBars, m_pToolBar, m_strToolbar, nID);
    if (nError == 0)
    {
        m_nNewID = nID;
        EndDialog(IDOK);
        return;
    }
    CString strMessage;
    XTPResourceManager()->LoadString(&strMessage, nError);
    if (nError == XTP_IDS_ERROR_EXISTS)
    {
        CString strFormat = strMessage;
        strMessage.Format(strFormat, (LPCTSTR)m_strToolbar);
    }
    AfxMessageBox(strMessage, MB_ICONHAND);
    if (nError == XTP_IDS_ERROR_LIMIT)
        EndDialog(IDCANCEL);
}

//////////////////////////////////////////////////////////////////////////
// CXTPCustomizeToolbarsPage

BEGIN_MESSAGE_MAP(CXTPCustomizeToolbarsPage, CPropertyPage)
    ON_LBN_SELCHANGE(XTP_IDC_CUSTOMIZE_LIST, OnSelectionChanged)
    ON_CONTROL(CLBN_CHKCHANGE, XTP_IDC_CUSTOMIZE_LIST, OnCheckChanged)
    ON_BN_CLICKED(XTP_IDC_CUSTOMIZE_NEW, OnNewToolbar)
    ON_BN_CLICKED(XTP_IDC_CUSTOMIZE_RENAME, OnRenameToolbar)
    ON_BN_CLICKED(XTP_IDC_CUSTOMIZE_DELETEBAR, OnDeleteToolbar)
    ON_BN_CLICKED(XTP_IDC_CUSTOMIZE_RESET, OnResetToolbar)
END_MESSAGE_MAP()

CXTPCustomizeToolbarsPage::CXTPCustomizeToolbarsPage(CXTPCustomizeSheet* pSheet)
    : CPropertyPage(XTP_IDD_PAGE_TOOLBARS)
    , m_pSheet(pSheet)
{
}

CXTPCustomizeToolbarsPage::~CXTPCustomizeToolbarsPage()
{
}

CXTPCommandBars* CXTPCustomizeToolbarsPage::GetCommandBars() const
{
    return m_pSheet != NULL ? m_pSheet->GetCommandBars() : NULL;
}

void CXTPCustomizeToolbarsPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, XTP_IDC_CUSTOMIZE_LIST, m_checkList);
    DDX_Control(pDX, XTP_IDC_CUSTOMIZE_RESET, m_btnReset);
    DDX_Control(pDX, XTP_IDC_CUSTOMIZE_RENAME, m_btnRename);
    DDX_Control(pDX, XTP_IDC_CUSTOMIZE_DELETEBAR, m_btnDelete);
    DDX_Control(pDX, XTP_IDC_CUSTOMIZE_NEW, m_btnNew);
}

BOOL CXTPCustomizeToolbarsPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != NULL && pCommandBars->IsLayoutRTL())
        m_checkList.ModifyStyleEx(0, WS_EX_LAYOUTRTL);
    RefreshToolbarsList();
    return FALSE;
}

CXTPToolBar* CXTPCustomizeToolbarsPage::GetSelectedToolBar() const
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == NULL || m_checkList.GetSafeHwnd() == NULL)
        return NULL;
    int nSel = m_checkList.GetCurSel();
    if (nSel == LB_ERR)
        return NULL;
    int nIndex = (int)m_checkList.GetItemData(nSel);
    if (nIndex < 0 || nIndex >= pCommandBars->GetCount())
        return NULL;
    return pCommandBars->GetAt(nIndex);
}

void CXTPCustomizeToolbarsPage::RefreshToolbarsList()
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == NULL || m_checkList.GetSafeHwnd() == NULL)
        return;
    int nSel = m_checkList.GetCurSel();
    int nSelIndex = nSel != LB_ERR ? (int)m_checkList.GetItemData(nSel) : -1;
    int nTop = m_checkList.GetTopIndex();

    m_checkList.SetRedraw(FALSE);
    m_checkList.ResetContent();
    for (int i = 0; i < pCommandBars->GetCount(); i++)
    {
        CXTPToolBar* pBar = pCommandBars->GetAt(i);
        if (!pBar->IsCustomizable() || !(pBar->IsCloseable() || pBar->IsVisible()))
            continue;
        int nItem = m_checkList.AddString(pBar->GetTitle());
        m_checkList.SetItemData(nItem, (DWORD_PTR)i);
        m_checkList.SetCheck(nItem, pBar->IsVisible() ? 1 : 0);
        if (i == nSelIndex)
            m_checkList.SetCurSel(nItem);
    }
    if (nTop != LB_ERR && m_checkList.GetTopIndex() != nTop)
        m_checkList.SetTopIndex(nTop);
    m_checkList.SetRedraw(TRUE);
    m_checkList.Invalidate();
    RefreshButtons();
}

void CXTPCustomizeToolbarsPage::RefreshButtons()
{
    if (m_btnReset.GetSafeHwnd() == NULL)
        return;
    CXTPToolBar* pBar = GetSelectedToolBar();
    m_btnReset.EnableWindow(pBar != NULL && pBar->IsBuiltIn());
    m_btnRename.EnableWindow(pBar != NULL && !pBar->IsBuiltIn());
    m_btnDelete.EnableWindow(pBar != NULL && !pBar->IsBuiltIn());
}

void CXTPCustomizeToolbarsPage::OnSelectionChanged()
{
    RefreshButtons();
}

void CXTPCustomizeToolbarsPage::OnCheckChanged()
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == NULL)
        return;
    int nSel = m_checkList.GetCaretIndex();
    if (nSel < 0 || nSel >= m_checkList.GetCount())
        nSel = m_checkList.GetCurSel();
    for (int nItem = 0; nItem < m_checkList.GetCount(); nItem++)
    {
        int nIndex = (int)m_checkList.GetItemData(nItem);
        if (nIndex < 0 || nIndex >= pCommandBars->GetCount())
            continue;
        CXTPToolBar* pBar = pCommandBars->GetAt(nIndex);
        BOOL bChecked = m_checkList.GetCheck(nItem) == 1;
        if (bChecked == pBar->IsVisible())
            continue;
        // A bar without a close button cannot be hidden from here.
        if (pBar->IsCloseable())
            pBar->SetVisible(bChecked);
    }
    RefreshToolbarsList();
}

void CXTPCustomizeToolbarsPage::OnNewToolbar()
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == NULL)
        return;
    CXTPNewToolbarDlg dlg(this, pCommandBars);
    if (dlg.DoModal() != IDOK)
        return;
    CXTPToolBar* pBar = pCommandBars->CreateCustomToolBar(dlg.m_strToolbar, dlg.m_nNewID, FALSE);
    if (pBar == NULL)
        return;
    // The new bar is selected in the list.
    int nIndex = pCommandBars->FindIndex(pBar);
    RefreshToolbarsList();
    for (int nItem = 0; nItem < m_checkList.GetCount(); nItem++)
    {
        if ((int)m_checkList.GetItemData(nItem) == nIndex)
        {
            m_checkList.SetCurSel(nItem);
            RefreshButtons();
        }
    }
    CWnd* pSite = pCommandBars->GetSite();
    if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
        pSite->SendMessage(WM_XTP_CUSTOMIZATION_ADDTOOLBAR, 0, (LPARAM)pBar);
}

void CXTPCustomizeToolbarsPage::OnRenameToolbar()
{
    CXTPToolBar* pBar = GetSelectedToolBar();
    if (pBar == NULL || pBar->IsBuiltIn())
        return;
    CXTPNewToolbarDlg dlg(this, GetCommandBars(), pBar);
    if (dlg.DoModal() != IDOK)
        return;
    pBar->SetTitle(dlg.m_strToolbar);
    int nSel = m_checkList.GetCurSel();
    DWORD_PTR dwData = m_checkList.GetItemData(nSel);
    m_checkList.DeleteString(nSel);
    int nItem = m_checkList.InsertString(nSel, pBar->GetTitle());
    m_checkList.SetItemData(nItem, dwData);
    m_checkList.SetCheck(nItem, pBar->IsVisible() ? 1 : 0);
    m_checkList.SetCurSel(nItem);
    RefreshButtons();
}

void CXTPCustomizeToolbarsPage::OnDeleteToolbar()
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    CXTPToolBar* pBar = GetSelectedToolBar();
    if (pBar == NULL || pBar->IsBuiltIn())
        return;
    CString strFormat, strMessage;
    XTPResourceManager()->LoadString(&strFormat, XTP_IDS_DELETETOOLBAR);
    strMessage.Format(strFormat, (LPCTSTR)pBar->GetTitle());
    if (AfxMessageBox(strMessage, MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK)
        return;
    CWnd* pSite = pCommandBars->GetSite();
    if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
        pSite->SendMessage(WM_XTP_CUSTOMIZATION_DELETETOOLBAR, 0, (LPARAM)pBar);
    pCommandBars->Remove(pBar);
    // The frame is laid out again now: its own delayed layout waits for the
    // program's idle time, which does not come while the sheet runs, and
    // the bar's empty dock row would stay until the sheet closes.
    pCommandBars->RecalcFrameLayout(FALSE);
    RefreshToolbarsList();
}

void CXTPCustomizeToolbarsPage::OnResetToolbar()
{
    CXTPToolBar* pBar = GetSelectedToolBar();
    if (pBar == NULL || !pBar->IsBuiltIn())
        return;
    pBar->ResetToolBar(TRUE);
    RefreshToolbarsList();
}
