// The Timer toolbar and the clock's once-a-second update.
#include "TimerToolBar.h"

#include "BrindlemarkDoc.h"
#include "MainFrame.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CTimerToolBar, CXTPToolBar)

BEGIN_MESSAGE_MAP(CTimerToolBar, CXTPToolBar)
    ON_WM_TIMER()
END_MESSAGE_MAP()

CTimerToolBar::CTimerToolBar() : m_nDisplayMode(cdmElapsed)
{
}

void AFXAPI CTimerToolBar::SplitSeconds(int nTotal, int& nHours, int& nMinutes, int& nSeconds)
{
    if (nTotal < 0)
        nTotal = 0;
    nSeconds = nTotal % 60;
    nMinutes = (nTotal - nSeconds) / 60;
    nHours = nMinutes / 60;
    nMinutes %= 60;
}

void CTimerToolBar::GetElapsedTime(int& nHours, int& nMinutes, int& nSeconds)
{
    CBrindlemarkDoc* pDoc = GetGameDoc();
    SplitSeconds(pDoc != NULL ? pDoc->m_nClockSeconds : 0, nHours, nMinutes, nSeconds);
}

int CTimerToolBar::GetRemainingSeconds()
{
    CBrindlemarkDoc* pDoc = GetGameDoc();
    if (pDoc == NULL)
        return 0;
    int nRemaining = pDoc->GetCurrent().m_GradeInfo.m_nMinutesToComplete * 60 - pDoc->m_nClockSeconds;
    return nRemaining > 0 ? nRemaining : 0;
}

void CTimerToolBar::GetRemainingTime(int& nHours, int& nMinutes, int& nSeconds)
{
    SplitSeconds(GetRemainingSeconds(), nHours, nMinutes, nSeconds);
}

void CTimerToolBar::GetTargetTime(int& nHours, int& nMinutes, int& nSeconds)
{
    CBrindlemarkDoc* pDoc = GetGameDoc();
    nHours = 0;
    nMinutes = pDoc != NULL ? pDoc->GetCurrent().m_GradeInfo.m_nMinutesToComplete : 0;
    nSeconds = 0;
}

void CTimerToolBar::GetDisplayTime(int& nHours, int& nMinutes, int& nSeconds)
{
    switch (m_nDisplayMode)
    {
    case cdmRemaining:
        GetRemainingTime(nHours, nMinutes, nSeconds);
        break;
    case cdmTarget:
        GetTargetTime(nHours, nMinutes, nSeconds);
        break;
    default:
        GetElapsedTime(nHours, nMinutes, nSeconds);
        break;
    }
}

void CTimerToolBar::OnClockTick()
{
    CBrindlemarkDoc* pDoc = GetGameDoc();
    CMainFrame* pFrame = GetMainFrame();
    if (pDoc == NULL || pFrame == NULL || pDoc->m_bPaused || pDoc->GetCurrent().m_nGameState != htgsPlaying)
        return;

    int nHours, nMinutes, nSeconds;
    GetDisplayTime(nHours, nMinutes, nSeconds);
    // All three fields are stored, so a change of the hours alone shows too.
    pFrame->m_wndClock.SetTime(nHours, nMinutes, nSeconds);

    // The time-up waits until the player is back at the board: the solution
    // shown and its question asked under an open question or dialog would
    // stack a second question on the first, whose command still runs. The
    // tick repeats every second, so it comes at the first tick after.
    if (GetRemainingSeconds() == 0 && !pDoc->IsSolved() && pDoc->IsForceComplete() && pFrame->IsPlayerAtBoard())
        pDoc->ShowSolution(TRUE);
}

void CTimerToolBar::OnTimer(UINT_PTR nIDEvent)
{
    CXTPToolBar::OnTimer(nIDEvent);
    if (nIDEvent == IDT_CLOCK_DISPLAY)
        OnClockTick();
}
