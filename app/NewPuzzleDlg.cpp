// The new-puzzle dialog.
#include "NewPuzzleDlg.h"

#include "GameAccessors.h"
#include "HTDataContainer.h"
#include "ObjectCreator.h"

IMPLEMENT_DYNAMIC(CNewPuzzleDlg, CSubvertedHelpDlg)

BEGIN_MESSAGE_MAP(CNewPuzzleDlg, CSubvertedHelpDlg)
    ON_BN_CLICKED(IDC_EDIT_APPEARANCE_PROFILES, OnEditAppearanceProfiles)
    ON_BN_CLICKED(IDC_EDIT_DIFFICULTY_PROFILES, OnEditDifficultyProfiles)
END_MESSAGE_MAP()

CNewPuzzleDlg::CNewPuzzleDlg(CWnd* pParentWnd)
    : CSubvertedHelpDlg(IDD, pParentWnd), m_nAppearanceIndex(-1), m_nGradeIndex(-1)
{
}

CNewPuzzleDlg::~CNewPuzzleDlg()
{
}

void CNewPuzzleDlg::DoDataExchange(CDataExchange* pDX)
{
    CSubvertedHelpDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_EDIT_APPEARANCE_PROFILES, m_btnEditAppearance);
    DDX_Control(pDX, IDC_EDIT_DIFFICULTY_PROFILES, m_btnEditGrade);
    DDX_Control(pDX, IDC_APPEARANCE_PROFILE, m_cbAppearance);
    DDX_Control(pDX, IDC_DIFFICULTY_PROFILE, m_cbGrade);
}

BOOL CNewPuzzleDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CreateToolTips(this);
    m_bToolTipsCreated = true;
    m_cbAppearance.FillProfiles();
    m_cbGrade.FillProfiles();
    return TRUE;
}

int AFX_CDECL CNewPuzzleDlg::GetSelectedData(CComboBox& combo)
{
    const int nItem = combo.GetCurSel();
    return nItem >= 0 ? (int)combo.GetItemData(nItem) : -1;
}

void CNewPuzzleDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    m_nAppearanceIndex = GetSelectedData(m_cbAppearance);
    m_nGradeIndex = GetSelectedData(m_cbGrade);
    EndDialog(IDOK);
}

void CNewPuzzleDlg::OnEditAppearanceProfiles()
{
    // The list's preview shows a copy of the puzzle now played.
    CHTDataContainer* pCurrent = GetActiveGamePuzzle();
    CHTDataContainer* pPreview = pCurrent != NULL ? new CHTDataContainer(*pCurrent) : new CHTDataContainer;
    int nSelected = -1;
    const INT_PTR nResult = RunProfileListDlg(htpkAppearance, this, pPreview, &nSelected);
    m_cbAppearance.FillProfiles();
    if (nResult == IDOK)
    {
        const DWORD_PTR dwData = (DWORD_PTR)nSelected;
        m_cbAppearance.SelectItemByData(&m_cbAppearance, &dwData);
    }
    delete pPreview;
}

void CNewPuzzleDlg::OnEditDifficultyProfiles()
{
    int nSelected = -1;
    const INT_PTR nResult = RunProfileListDlg(htpkDifficulty, this, NULL, &nSelected);
    m_cbGrade.FillProfiles();
    if (nResult == IDOK)
    {
        const DWORD_PTR dwData = (DWORD_PTR)nSelected;
        m_cbGrade.SelectItemByData(&m_cbGrade, &dwData);
    }
}
