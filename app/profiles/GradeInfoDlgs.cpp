// The difficulty profile list dialog, its list control, the editor and the combo box.
#include "GradeInfoDlgs.h"

#include "ApplicationInfo.h"
#include "ProfileChoosers.h"
#include "ProfileDlgSupport.h"

/////////////////////////////////////////////////////////////////////////////
// CGradeInfoListCtrl

IMPLEMENT_DYNAMIC(CGradeInfoListCtrl, CRookGenericListCtrl)

CGradeInfoListCtrl::CGradeInfoListCtrl()
{
}

void CGradeInfoListCtrl::SetupColumns()
{
    static const ProfileColumn kColumns[] = {
        {IDS_COLUMN_ID, 35}, {IDS_COLUMN_NAME, 145}, {IDS_COLUMNS, 60},
        {IDS_ROWS, 60},      {IDS_TARGET_TIME, 120}, {IDS_FORCE_COMPLETE, 60},
    };
    SetupProfileColumns(*this, kColumns, (int)(sizeof(kColumns) / sizeof(kColumns[0])));
}

void CGradeInfoListCtrl::FillRows()
{
    FillProfileRows(*this, g_ApplicationInfo.m_GradeInfoList);
}

void CGradeInfoListCtrl::AddRow(const CGradeInfo& profile)
{
    CString strText;
    strText.Format("%d", profile.m_nIndex);
    SetItemValue(0, strText);
    SetItemValue(1, profile.m_strProfileName);
    strText.Format("%d", profile.m_nColumns);
    SetItemValue(2, strText);
    strText.Format("%d", profile.m_nRows);
    SetItemValue(3, strText);
    strText.Format("%d", profile.m_nMinutesToComplete);
    SetItemValue(4, strText);
    SetItemValue(5, CString(profile.m_bForceComplete ? "True" : "False"));
    InsertProfileRow(*this, profile.m_nIndex);
}

/////////////////////////////////////////////////////////////////////////////
// CGradeInfoListDlg

IMPLEMENT_DYNAMIC(CGradeInfoListDlg, CRookGenericListDlg)

BEGIN_MESSAGE_MAP(CGradeInfoListDlg, CRookGenericListDlg)
    ON_BN_CLICKED(IDOK, OnSelect)
    ON_BN_CLICKED(IDC_PROFILE_COPY, OnCopy)
END_MESSAGE_MAP()

CGradeInfoListDlg::CGradeInfoListDlg(CWnd* pParentWnd)
    : CRookGenericListDlg(IDD_DIFFICULTY_PROFILE_LIST, pParentWnd), m_bAllowCopy(TRUE)
{
}

CGradeInfoListDlg::~CGradeInfoListDlg()
{
}

void CGradeInfoListDlg::DoDataExchange(CDataExchange* pDX)
{
    CRookGenericListDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROFILE_COPY, m_btnCopy);
    DDX_Control(pDX, IDOK, m_btnSelect);
}

BOOL CGradeInfoListDlg::OnInitDialog()
{
    CRookGenericListDlg::OnInitDialog();
    if (m_btnCopy.GetSafeHwnd() != NULL)
        m_btnCopy.EnableWindow(m_bAllowCopy ? TRUE : FALSE);
    return TRUE;
}

void CGradeInfoListDlg::OnSelect()
{
    ChooseSelectedProfile(*this);
}

void CGradeInfoListDlg::OnCopy()
{
    CopySelectedProfile<CGradeInfo>(*this, g_ApplicationInfo.m_GradeInfoList);
}

/////////////////////////////////////////////////////////////////////////////
// CGradeInfoDlg

IMPLEMENT_DYNAMIC(CGradeInfoDlg, CRookGenericInfoDlg)

BEGIN_MESSAGE_MAP(CGradeInfoDlg, CRookGenericInfoDlg)
    ON_MESSAGE(XTPWM_PROPERTYGRID_NOTIFY, OnGridNotify)
END_MESSAGE_MAP()

CGradeInfoDlg::CGradeInfoDlg(CWnd* pParentWnd)
    : CRookGenericInfoDlg(IDD_DIFFICULTY_PROFILE, pParentWnd)
{
}

CGradeInfoDlg::~CGradeInfoDlg()
{
}

void CGradeInfoDlg::DoDataExchange(CDataExchange* pDX)
{
    CRookGenericInfoDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_PROFILE_GRID_PLACE, m_wndPlaceholder);
}

BOOL CGradeInfoDlg::OnInitDialog()
{
    CRookGenericInfoDlg::OnInitDialog();
    if (!CreateProfileGrid(m_wndGrid, m_wndPlaceholder, this))
        return TRUE;
    m_wndGrid.SetGradeInfo(m_GradeInfo);
    m_wndGrid.RefreshItems(FALSE);
    return TRUE;
}

LRESULT CGradeInfoDlg::OnGridNotify(WPARAM wParam, LPARAM lParam)
{
    if (wParam == XTP_PGN_ITEMVALUE_CHANGED && lParam != 0)
        ApplyGradeInfoEdit(m_GradeInfo, (CXTPPropertyGridItem*)lParam);
    return 0;
}

void CGradeInfoDlg::InitNewProfile()
{
    m_nItemKey = -1;
    m_GradeInfo.CopyFrom(CGradeInfo());
}

void CGradeInfoDlg::LoadProfile(int* pnKey)
{
    LoadListProfile(g_ApplicationInfo.m_GradeInfoList, pnKey, m_GradeInfo, m_nItemKey);
}

void CGradeInfoDlg::DeleteProfile(int* pnKey)
{
    if (pnKey != NULL)
        g_ApplicationInfo.m_GradeInfoList.RemoveProfile(*pnKey);
}

void CGradeInfoDlg::OnOK()
{
    CommitProfileGridEdit(m_wndGrid);
    if (!UpdateData(TRUE))
        return;
    CString strMessage;
    if (!ValidateGradeInfo(m_GradeInfo, TRUE, strMessage))
    {
        ShowInfoMessage(strMessage, true);
        return;
    }
    StoreProfile(g_ApplicationInfo.m_GradeInfoList, m_GradeInfo, m_nEditMode);
    EndDialog(IDOK);
}

/////////////////////////////////////////////////////////////////////////////
// CGradeInfoComboBox

void CGradeInfoComboBox::FillProfiles()
{
    FillProfileCombo(*this, g_ApplicationInfo.m_GradeInfoList);
}
