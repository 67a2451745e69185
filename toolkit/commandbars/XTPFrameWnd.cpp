// The frame that hosts command bars.
#include "XTPFrameWnd.h"

IMPLEMENT_DYNCREATE(CXTPFrameWnd, CFrameWnd)

BOOL AFX_CDECL XTPFocusWantsKey(const MSG* pMsg)
{
    if (pMsg == NULL || pMsg->message < WM_KEYFIRST || pMsg->message > WM_SYSDEADCHAR)
        return FALSE;
    if (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_TAB || pMsg->wParam == VK_ESCAPE)
        return FALSE;
    HWND hWndFocus = ::GetFocus();
    CWnd* pFocus = hWndFocus != NULL ? CWnd::FromHandlePermanent(hWndFocus) : NULL;
    if (pFocus == NULL)
        return FALSE;
    // The command bars' edit windows are found by their class, which the
    // edit controls register.
    CRuntimeClass* pEditClass = CRuntimeClass::FromName("CXTPEdit");
    return pEditClass != NULL && pFocus->IsKindOf(pEditClass);
}

CXTPFrameWnd::CXTPFrameWnd()
{
}

CXTPFrameWnd::~CXTPFrameWnd()
{
}

namespace
{
// Creates the command bars of a site through their run-time class, attaches
// them and creates the dock bars.
BOOL CreateSiteCommandBars(CWnd* pSite, CXTPCommandBars*& rpCommandBars, CRuntimeClass* pCommandBarsClass)
{
    if (rpCommandBars != NULL)
        return TRUE;
    if (pCommandBarsClass == NULL)
        pCommandBarsClass = RUNTIME_CLASS(CXTPCommandBars);
    if (!pCommandBarsClass->IsDerivedFrom(RUNTIME_CLASS(CXTPCommandBars)))
        return FALSE;
    CXTPCommandBars* pCommandBars = (CXTPCommandBars*)pCommandBarsClass->CreateObject();
    if (pCommandBars == NULL)
        return FALSE;
    rpCommandBars = pCommandBars;
    pCommandBars->SetSite(pSite);
    pCommandBars->CreateDockBars();
    return TRUE;
}
} // namespace

BOOL CXTPFrameWnd::InitCommandBars(CRuntimeClass* pCommandBarsClass)
{
    return CreateSiteCommandBars(this, m_pCommandBars, pCommandBarsClass);
}

IMPLEMENT_DYNCREATE(CXTPMDIFrameWnd, CMDIFrameWnd)

CXTPMDIFrameWnd::CXTPMDIFrameWnd()
{
}

CXTPMDIFrameWnd::~CXTPMDIFrameWnd()
{
}

BOOL CXTPMDIFrameWnd::InitCommandBars(CRuntimeClass* pCommandBarsClass)
{
    return CreateSiteCommandBars(this, m_pCommandBars, pCommandBarsClass);
}
