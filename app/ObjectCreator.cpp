// The game's object creator: the profile editors' list controls and editors,
// one per kind.
#include "ObjectCreator.h"

#include "AppearanceInfoDlgs.h"
#include "GradeInfoDlgs.h"

#include <new>

CObjectCreator::CObjectCreator()
{
}

CObjectCreator::~CObjectCreator()
{
}

CRookGenericListCtrl* CObjectCreator::CreateListCtrl(int* pnType)
{
    if (pnType == NULL)
        return NULL;
    if (*pnType == htpkAppearance)
        return new (std::nothrow) CAppearanceInfoListCtrl();
    if (*pnType == htpkDifficulty)
        return new (std::nothrow) CGradeInfoListCtrl();
    return NULL;
}

CRookGenericInfoDlg* CObjectCreator::CreateInfoDlg(int* pnType)
{
    if (pnType == NULL)
        return NULL;
    if (*pnType == htpkAppearance)
        return new (std::nothrow) CAppearanceDlg();
    if (*pnType == htpkDifficulty)
        return new (std::nothrow) CGradeInfoDlg();
    return NULL;
}

CObject* CObjectCreator::CreateOtherObject(int* /*pnType*/)
{
    return NULL;
}
