// Choosing profiles from the game's dialogs.
#include "ProfileChoosers.h"

#include "AppearanceInfoDlgs.h"
#include "ApplicationInfo.h"
#include "GradeInfoDlgs.h"
#include "GameServices.h"
#include "ObjectCreator.h"
#include "resource.h"

int AFXAPI GetSelectedItemData(CComboBox& combo)
{
    const int nItem = combo.GetCurSel();
    return nItem == CB_ERR ? -1 : (int)combo.GetItemData(nItem);
}

namespace
{
INT_PTR AFXAPI ShowProfileListDlg(int nKind, CWnd* pParentWnd, CHTDataContainer* pPreview, int* pnSelectedIndex,
                                  BOOL bAllowCopy);

PFN_RUNPROFILELIST s_pfnRunProfileList = &ShowProfileListDlg;
} // namespace

PFN_RUNPROFILELIST AFXAPI SetProfileListHandler(PFN_RUNPROFILELIST pfnRun)
{
    PFN_RUNPROFILELIST pfnPrevious = s_pfnRunProfileList;
    s_pfnRunProfileList = pfnRun != NULL ? pfnRun : &ShowProfileListDlg;
    return pfnPrevious;
}

INT_PTR AFXAPI RunProfileListDlg(int nKind, CWnd* pParentWnd, CHTDataContainer* pPreview, int* pnSelectedIndex,
                                 BOOL bAllowCopy)
{
    if (pnSelectedIndex != NULL)
        *pnSelectedIndex = -1;
    const INT_PTR nResult = s_pfnRunProfileList(nKind, pParentWnd, pPreview, pnSelectedIndex, bAllowCopy);
    // The list as the player left it is stored at once, not only at a
    // normal exit: a session that ends otherwise keeps it too.
    if (g_ApplicationInfo.IsLoaded())
    {
        if (nKind == htpkAppearance)
            g_ApplicationInfo.m_AppearanceInfoList.SaveToRegistry();
        else if (nKind == htpkDifficulty)
            g_ApplicationInfo.m_GradeInfoList.SaveToRegistry();
    }
    return nResult;
}

namespace
{
INT_PTR AFXAPI ShowProfileListDlg(int nKind, CWnd* pParentWnd, CHTDataContainer* pPreview, int* pnSelectedIndex,
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
} // namespace
