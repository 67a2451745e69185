// afxstate.h - the one module state of the program: instance and resource
// handles and the application's name and object.  Included by afx.h.
#ifndef BM_AFXSTATE_H
#define BM_AFXSTATE_H

#include "afxver_.h"

class CWinApp;

struct AFX_MODULE_STATE
{
    CWinApp* m_pCurrentWinApp;          // set by the application object
    HINSTANCE m_hCurrentInstanceHandle;
    HINSTANCE m_hCurrentResourceHandle;
    LPCTSTR m_lpszCurrentAppName;
};

// The module state; handles default to GetModuleHandle(NULL) on first use.
AFX_MODULE_STATE* AFXAPI AfxGetModuleState();
AFX_MODULE_STATE* AFXAPI AfxGetStaticModuleState();
AFX_MODULE_STATE* AFXAPI AfxGetAppModuleState();

HINSTANCE AFXAPI AfxGetInstanceHandle();
void AFXAPI AfxSetInstanceHandle(HINSTANCE hInstance);
HINSTANCE AFXAPI AfxGetResourceHandle();
void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);
// There is one resource module: the name and type are not consulted.
HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);

#endif // BM_AFXSTATE_H
