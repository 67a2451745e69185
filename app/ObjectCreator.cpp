// The game's object creator.
//
// The profile editors (their list controls CAppearanceInfoListCtrl and
// CGradeInfoListCtrl, and their editors CAppearanceDlg and CGradeInfoDlg)
// are created here, one per kind; until they are part of the program every
// kind answers null and the list dialogs say that they could not create
// their objects.
#include "ObjectCreator.h"

CObjectCreator::CObjectCreator()
{
}

CObjectCreator::~CObjectCreator()
{
}

CRookGenericListCtrl* CObjectCreator::CreateListCtrl(int* pnType)
{
    if (pnType == NULL || (*pnType != htpkAppearance && *pnType != htpkDifficulty))
        return NULL;
    TRACE("CObjectCreator: no list control of kind %d in this program\n", *pnType);
    return NULL;
}

CRookGenericInfoDlg* CObjectCreator::CreateInfoDlg(int* pnType)
{
    if (pnType == NULL || (*pnType != htpkAppearance && *pnType != htpkDifficulty))
        return NULL;
    TRACE("CObjectCreator: no profile editor of kind %d in this program\n", *pnType);
    return NULL;
}

CObject* CObjectCreator::CreateOtherObject(int* /*pnType*/)
{
    return NULL;
}
