// The appearance profile list dialog, its list control, the editor and the combo box.
#include "AppearanceInfoDlgs.h"

#include "ApplicationInfo.h"
#include "HTDataContainer.h"
#include "ProfileChoosers.h"
#include "ProfileDlgSupport.h"

/////////////////////////////////////////////////////////////////////////////
// CAppearanceInfoListCtrl

IMPLEMENT_DYNAMIC(CAppearanceInfoListCtrl, CRookGenericListCtrl)

CAppearanceInfoListCtrl::CAppearanceInfoListCtrl()
{
}

void CAppearanceInfoListCtrl::SetupColumns()
{
    static const ProfileColumn kColumns[] = {{IDS_COLUMN_ID, 35}, {IDS_COLUMN_NAME, 60}};
    SetupProfileColumns(*this, kColumns, (int)(sizeof(kColumns) / sizeof(kColumns[0])));
}

void CAppearanceInfoListCtrl::FillRows()
{
    FillProfileRows(*this, g_ApplicationInfo.m_AppearanceInfoList);
}

void CAppearanceInfoListCtrl::AddRow(const CAppearanceInfo& profile)
{
    CString strIndex;
    strIndex.Format("%d", profile.m_nIndex);
    SetItemValue(0, strIndex);
    SetItemValue(1, profile.m_strProfileName);
    InsertProfileRow(*this, profile.m_nIndex);
}

/////////////////////////////////////////////////////////////////////////////
// CAppearanceInfoListDlg

IMPLEMENT_DYNAMIC(CAppearanceInfoListDlg, CRookGenericListDlg)

BEGIN_MESSAGE_MAP(CAppearanceInfoListDlg, CRookGenericListDlg)
    ON_BN_CLICKED(IDOK, OnApply)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_PROFILE_LIST, OnSelChanged)
    ON_BN_CLICKED(IDC_PROFILE_COPY, OnCopy)
    ON_BN_CLICKED(IDC_PROFILE_AMEND, OnAmend)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CAppearanceInfoListDlg::CAppearanceInfoListDlg(CWnd* pParentWnd)
    : CRookGenericListDlg(IDD_APPEARANCE_PROFILE_LIST, pParentWnd), m_pPreviewContainer(NULL)
{
}

CAppearanceInfoListDlg::~CAppearanceInfoListDlg()
{
}

void CAppearanceInfoListDlg::SetPreviewContainer(CHTDataContainer* pContainer)
{
    m_pPreviewContainer = pContainer;
    m_wndPreview.SetContainer(pContainer);
}

void CAppearanceInfoListDlg::DoDataExchange(CDataExchange* pDX)
{
    CRookGenericListDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnApply);
    DDX_Control(pDX, IDC_PROFILE_PREVIEW, m_wndPreview);
    DDX_Control(pDX, IDC_PROFILE_COPY, m_btnCopy);
}

BOOL CAppearanceInfoListDlg::OnInitDialog()
{
    CRookGenericListDlg::OnInitDialog();
    m_wndPreview.SetContainer(m_pPreviewContainer);
    SelectProfileRow(*this, 0);
    UpdatePreview();
    return TRUE;
}

void CAppearanceInfoListDlg::UpdatePreview()
{
    if (m_pListCtrl == NULL || m_pListCtrl->GetSafeHwnd() == NULL)
        return;
    int nRow = m_pListCtrl->GetNextItem(-1, LVNI_SELECTED);
    if (nRow < 0)
        return;
    CAppearanceInfo profile;
    g_ApplicationInfo.m_AppearanceInfoList.FindProfile((int)m_pListCtrl->GetItemData(nRow), profile);
    if (m_pPreviewContainer != NULL)
        m_pPreviewContainer->ApplySquareColours(profile);
    if (m_wndPreview.GetSafeHwnd() != NULL)
        m_wndPreview.Invalidate(TRUE);
}

void CAppearanceInfoListDlg::OnSelChanged(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    UpdatePreview();
    *pResult = 0;
}

void CAppearanceInfoListDlg::OnApply()
{
    ChooseSelectedProfile(*this);
}

void CAppearanceInfoListDlg::OnCopy()
{
    CopySelectedProfile<CAppearanceInfo>(*this, g_ApplicationInfo.m_AppearanceInfoList);
}

void CAppearanceInfoListDlg::OnAmend()
{
    if (m_pListCtrl == NULL || m_pListCtrl->GetSafeHwnd() == NULL ||
        m_pListCtrl->GetNextItem(-1, LVNI_SELECTED) < 0)
        return;
    CRookGenericListDlg::OnAmend();
    UpdatePreview();
}

BOOL CAppearanceInfoListDlg::OnHelpInfo(HELPINFO*)
{
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// CAppearanceDlg

IMPLEMENT_DYNAMIC(CAppearanceDlg, CRookGenericInfoDlg)

BEGIN_MESSAGE_MAP(CAppearanceDlg, CRookGenericInfoDlg)
    ON_MESSAGE(XTPWM_PROPERTYGRID_NOTIFY, OnGridNotify)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CAppearanceDlg::CAppearanceDlg(CWnd* pParentWnd)
    : CRookGenericInfoDlg(IDD_APPEARANCE_PROFILE, pParentWnd)
{
}

CAppearanceDlg::~CAppearanceDlg()
{
}

void CAppearanceDlg::DoDataExchange(CDataExchange* pDX)
{
    CRookGenericInfoDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_PROFILE_GRID_PLACE, m_wndPlaceholder);
    DDX_Text(pDX, IDC_PROFILE_NAME, m_strProfileName);
}

BOOL CAppearanceDlg::OnInitDialog()
{
    CRookGenericInfoDlg::OnInitDialog();
    if (!CreateProfileGrid(m_wndGrid, m_wndPlaceholder, this))
        return TRUE;
    m_wndGrid.SetAppearanceInfo(m_AppearanceInfo);
    m_wndGrid.RefreshItems();
    return TRUE;
}

LRESULT CAppearanceDlg::OnGridNotify(WPARAM wParam, LPARAM lParam)
{
    if (wParam == XTP_PGN_ITEMVALUE_CHANGED && lParam != 0)
        ApplyAppearanceEdit(m_AppearanceInfo, (CXTPPropertyGridItem*)lParam);
    return 0;
}

void CAppearanceDlg::InitNewProfile()
{
    m_nItemKey = -1;
    m_strProfileName.Empty();
    m_AppearanceInfo.CopyFrom(CAppearanceInfo());
}

void CAppearanceDlg::LoadProfile(int* pnKey)
{
    if (LoadListProfile(g_ApplicationInfo.m_AppearanceInfoList, pnKey, m_AppearanceInfo, m_nItemKey))
        m_strProfileName = m_AppearanceInfo.m_strProfileName;
}

void CAppearanceDlg::DeleteProfile(int* pnKey)
{
    if (pnKey != NULL)
        g_ApplicationInfo.m_AppearanceInfoList.RemoveProfile(*pnKey);
}

void CAppearanceDlg::OnOK()
{
    CommitProfileGridEdit(m_wndGrid);
    if (!UpdateData(TRUE))
        return;
    if (m_strProfileName.IsEmpty())
    {
        ShowInfoMessage(LoadResourceString(IDS_ENTER_PROFILE_NAME), true);
        return;
    }
    m_AppearanceInfo.m_strProfileName = m_strProfileName;

    StoreProfile(g_ApplicationInfo.m_AppearanceInfoList, m_AppearanceInfo, m_nEditMode);
    EndDialog(IDOK);
}

BOOL CAppearanceDlg::OnHelpInfo(HELPINFO*)
{
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// CAppearanceInfoComboBox

void CAppearanceInfoComboBox::FillProfiles()
{
    FillProfileCombo(*this, g_ApplicationInfo.m_AppearanceInfoList);
}
