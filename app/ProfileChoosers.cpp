// Choosing profiles from the game's dialogs.
#include "ProfileChoosers.h"

#include "AppearanceInfoDlgs.h"
#include "GradeInfoDlgs.h"
#include "GameServices.h"
#include "ObjectCreator.h"
#include "resource.h"

INT_PTR AFXAPI RunProfileListDlg(int nKind, CWnd* pParentWnd, CHTDataContainer* pPreview, int* pnSelectedIndex,
                                 BOOL bAllowCopy)
{
    if (pnSelectedIndex != NULL)
        *pnSelectedIndex = -1;
    CObjectCreator creator;
    CAppearanceInfoListDlg dlgAppearance(pParentWnd);
    CGradeInfoListDlg dlgGrade(pParentWnd);
    CRookGenericListDlg* pDlg;
    if (nKind == htpkAppearance)
    {
        dlgAppearance.SetPreviewContainer(pPreview);
        dlgAppearance.m_strTitle = LoadResourceString(IDS_APPEARANCE_PROFILE_LIST);
        pDlg = &dlgAppearance;
    }
    else if (nKind == htpkDifficulty)
    {
        dlgGrade.m_bAllowCopy = bAllowCopy ? TRUE : FALSE;
        dlgGrade.m_strTitle = LoadResourceString(IDS_DIFFICULTY_PROFILE_LIST);
        pDlg = &dlgGrade;
    }
    else
    {
        TRACE("RunProfileListDlg: no list of kind %d\n", nKind);
        return -1;
    }
    pDlg->m_pObjectCreator = &creator;
    pDlg->m_nListCtrlType = nKind;
    pDlg->m_nInfoDlgType = nKind;
    INT_PTR nResult = pDlg->DoModal();
    if (nResult == IDOK && pnSelectedIndex != NULL)
        *pnSelectedIndex = pDlg->m_nSelectedIndex;
    return nResult;
}
