// Choosing profiles from the game's dialogs.
#include "ProfileChoosers.h"

#include "ApplicationInfo.h"
#include "GameServices.h"
#include "ObjectCreator.h"
#include "resource.h"

void CAppearanceProfileCombo::FillProfiles()
{
    FillProfileCombo(*this, g_ApplicationInfo.m_AppearanceInfoList);
}

void CGradeProfileCombo::FillProfiles()
{
    FillProfileCombo(*this, g_ApplicationInfo.m_GradeInfoList);
}

INT_PTR AFXAPI RunProfileListDlg(int nKind, CWnd* /*pParentWnd*/, CHTDataContainer* /*pPreview*/,
                                 int* pnSelectedIndex)
{
    if (pnSelectedIndex != NULL)
        *pnSelectedIndex = -1;
    // The profile list dialogs (CAppearanceInfoListDlg, template 110, and
    // CGradeInfoListDlg, template 112) are shown here, with a CObjectCreator,
    // both kinds set to nKind and the title of string 42 or 43.
    TRACE("RunProfileListDlg: the list dialog of kind %d is not part of this program\n", nKind);
    return -1;
}
