// The services the puzzle core uses, and their windowless answers.
#include "HTCoreServices.h"

namespace
{
CHTCoreServices* s_pServices = NULL;
}

CHTCoreServices& AFXAPI CHTCoreServices::Get()
{
    static CHTWindowlessServices s_windowless;
    return s_pServices != NULL ? *s_pServices : s_windowless;
}

CHTCoreServices* AFXAPI CHTCoreServices::Set(CHTCoreServices* pServices)
{
    CHTCoreServices* pPrevious = s_pServices;
    s_pServices = pServices;
    return pPrevious;
}

CString CHTWindowlessServices::LoadResourceString(UINT nID)
{
    CString strText;
    if (!strText.LoadString(nID))
        strText.Format("String not found: %d", (int)nID);
    return strText;
}

INT_PTR CHTWindowlessServices::ShowInfoMessage(const CString& strMessage)
{
    ::OutputDebugStringA(strMessage + "\n");
    return IDOK;
}

BOOL CHTWindowlessServices::AskStartAgain()
{
    return FALSE;
}
