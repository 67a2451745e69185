// The progress window around long work.
#include "GameProgress.h"

#include "GameAccessors.h"
#include "MacProgressCtrl.h"

BOOL AFXAPI OpenProgressWindow(CCreateProgress& progress)
{
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd != NULL)
        pMainWnd->EnableWindow(FALSE);
    if (!progress.Create(CCreateProgress::IDD, NULL))
    {
        TRACE("progress window: dialog %d could not be created", (int)CCreateProgress::IDD);
        RestoreMainWindow();
        return FALSE;
    }
    CProgressCtrl& bar = progress.m_wndProgress;
    // The shaded bar shows moving stripes: how long generation takes is not
    // known beforehand.
    CMacProgressCtrl* pShaded = DYNAMIC_DOWNCAST(CMacProgressCtrl, &bar);
    if (pShaded != NULL)
    {
        pShaded->m_bIndeterminate = TRUE;
        pShaded->m_nIndOffset = 0;
    }
    bar.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    if (pShaded != NULL)
        bar.SetTimer(MAC_PROGRESS_TIMER, MAC_PROGRESS_TIMER_MS, NULL);
    bar.SendMessage(PBM_SETSTEP, 1, 0);
    progress.ShowWindow(SW_SHOW);
    return TRUE;
}

void AFXAPI CloseProgressWindow(CCreateProgress& progress)
{
    if (progress.GetSafeHwnd() != NULL)
        progress.DestroyWindow();
    RestoreMainWindow();
}
