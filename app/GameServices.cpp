// Game-wide services.
#include "GameServices.h"

#include "HTCoreServices.h"
#include "PuzzleLoadChoiceDlg.h"
#include "RookMessageDlgs.h"
#include "resource.h"

namespace
{
PFN_SHOWINFOMESSAGE s_pfnInfoMessageHandler = NULL;

// The puzzle core's services, answered by the game window.
class CGameCoreServices : public CHTCoreServices
{
public:
    virtual CString LoadResourceString(UINT nID) { return ::LoadResourceString(nID); }
    virtual INT_PTR ShowInfoMessage(const CString& strMessage) { return ::ShowInfoMessage(strMessage, true); }
    virtual BOOL AskStartAgain() { return CPuzzleLoadChoiceDlg::AskStartAgain(); }
};
} // namespace

CString AFXAPI LoadResourceString(UINT nID)
{
    const int kBufferSize = 1000;
    char szBuffer[kBufferSize];
    szBuffer[0] = '\0';
    int nLength = ::LoadStringA(AfxGetResourceHandle(), nID, szBuffer, kBufferSize);
    if (nLength <= 0)
    {
        CString strMissing;
        strMissing.Format("String not found: %d", (int)nID);
        return strMissing;
    }
    return CString(szBuffer);
}

void AFXAPI PumpWaitingMessages()
{
    CWinApp* pApp = AfxGetApp();
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE))
    {
        if (pApp != NULL)
        {
            if (!pApp->PumpMessage())
            {
                ::PostQuitMessage(0);
                break;
            }
        }
        else
        {
            // No application object (a tool or a test): a plain pump.
            if (!::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
                break;
            if (msg.message == WM_QUIT)
            {
                ::PostQuitMessage(0);
                break;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    if (pApp != NULL)
    {
        LONG lIdleCount = 0;
        while (pApp->OnIdle(lIdleCount++))
            ;
    }
}

PFN_SHOWINFOMESSAGE AFXAPI SetInfoMessageHandler(PFN_SHOWINFOMESSAGE pfnHandler)
{
    PFN_SHOWINFOMESSAGE pfnPrevious = s_pfnInfoMessageHandler;
    s_pfnInfoMessageHandler = pfnHandler;
    return pfnPrevious;
}

INT_PTR AFXAPI ShowInfoMessage(const CString& strMessage, bool bNoToolTips)
{
    if (s_pfnInfoMessageHandler != NULL)
    {
        CGameDialogScope scope;
        return s_pfnInfoMessageHandler(strMessage, bNoToolTips);
    }

    CRookInfoMsgDlg::s_strOKCaption = LoadResourceString(IDS_OK);
    CRookInfoMsgDlg dlg;
    dlg.m_strMessage = strMessage;
    dlg.m_bNoToolTips = bNoToolTips;
    return dlg.DoModal();
}

void AFXAPI ConnectCoreServices()
{
    static CGameCoreServices s_services;
    CHTCoreServices::Set(&s_services);
}
