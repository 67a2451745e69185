// The progress window of puzzle generation.
#include "CreateProgress.h"

#include "GameAccessors.h"
#include "GameServices.h"

namespace
{
CCreateProgress* s_pKept = NULL;
}

CCreateProgress::CCreateProgress()
    : CFennDialog(IDD, NULL), m_bCancel(FALSE), m_nPendingSteps(0), m_dwLastPump(0), m_bKept(FALSE), m_bOpen(FALSE),
      m_bShown(FALSE), m_dwShowDelay(0), m_dwOpenTick(0)
{
    m_bToolTipsCreated = true;
}

CCreateProgress::~CCreateProgress()
{
    if (::IsWindow(m_hWnd))
        DestroyWindow();
}

void CCreateProgress::DoDataExchange(CDataExchange* pDX)
{
    CFennDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_CREATE_PROGRESS_BAR, m_wndProgress);
}

BOOL CCreateProgress::OnInitDialog()
{
    const BOOL bResult = CFennDialog::OnInitDialog();
    // The system's progress control drops the plain border style its
    // template gives it; the bar is drawn inside a one-pixel frame.
    if (::IsWindow(m_wndProgress.GetSafeHwnd()) && !(m_wndProgress.GetStyle() & WS_BORDER))
        m_wndProgress.ModifyStyle(0, WS_BORDER, SWP_FRAMECHANGED);
    return bResult;
}

CCreateProgress* AFX_CDECL CCreateProgress::GetKept()
{
    if (s_pKept == NULL)
    {
        s_pKept = new CCreateProgress();
        s_pKept->m_bKept = TRUE;
        s_pKept->m_dwShowDelay = PROGRESS_SHOW_DELAY_MS;
    }
    return s_pKept->m_bOpen ? NULL : s_pKept;
}

void AFX_CDECL CCreateProgress::DestroyKept()
{
    CCreateProgress* pKept = s_pKept;
    s_pKept = NULL;
    delete pKept;
}

BOOL CCreateProgress::Open()
{
    // A new run: nothing of a last one in the kept window remains.
    m_bCancel = FALSE;
    m_nPendingSteps = 0;
    m_bShown = FALSE;
    m_dwOpenTick = ::GetTickCount();
    m_dwLastPump = m_dwShowDelay != 0 ? m_dwOpenTick : 0;
    m_bOpen = TRUE;
    if (m_dwShowDelay != 0)
        return TRUE;
    if (!ShowNow())
    {
        m_bOpen = FALSE;
        return FALSE;
    }
    return TRUE;
}

BOOL CCreateProgress::ShowNow()
{
    if (!::IsWindow(m_hWnd))
    {
        if (!Create(IDD, NULL))
        {
            TRACE("CCreateProgress: the progress window could not be created\n");
            return FALSE;
        }
    }
    else
    {
        m_wndProgress.SendMessage(PBM_SETPOS, 0, 0);
    }
    m_wndProgress.m_bIndeterminate = TRUE;
    m_wndProgress.m_nIndOffset = 0;
    m_wndProgress.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    m_wndProgress.SetTimer(MAC_PROGRESS_TIMER, MAC_PROGRESS_TIMER_MS, NULL);
    m_wndProgress.SendMessage(PBM_SETSTEP, 1, 0);
    ShowWindow(SW_SHOW);
    // Painted whole at once, bar and border included: the work that follows
    // may run a while before it next pumps messages.
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    m_bShown = TRUE;
    return TRUE;
}

void CCreateProgress::Close()
{
    m_bOpen = FALSE;
    m_bShown = FALSE;
    if (m_bKept && ::IsWindow(m_hWnd))
    {
        m_wndProgress.KillTimer(MAC_PROGRESS_TIMER);
        if (IsWindowVisible())
            ShowWindow(SW_HIDE);
    }
    else if (::IsWindow(m_hWnd))
    {
        DestroyWindow();
    }
    RestoreMainWindow();
}

void CCreateProgress::OnCancel()
{
    m_bCancel = TRUE;
}

void CCreateProgress::OnOK()
{
}

BOOL CCreateProgress::IsCancelled() const
{
    return m_bCancel != 0;
}

void CCreateProgress::StepProgress()
{
    m_nPendingSteps++;
}

void CCreateProgress::PumpMessages()
{
    const DWORD dwNow = ::GetTickCount();
    if (m_dwLastPump != 0 && dwNow - m_dwLastPump < PROGRESS_PUMP_INTERVAL_MS)
        return;
    m_dwLastPump = dwNow;
    // A delayed window shows once the run has taken long enough; should it
    // not come up, the run goes on without it.
    if (m_bOpen && !m_bShown && m_dwShowDelay != 0 && dwNow - m_dwOpenTick >= m_dwShowDelay && !ShowNow())
        m_dwShowDelay = 0;
    // The bar's step is 1 (Open sets it).
    if (m_nPendingSteps > 0 && ::IsWindow(m_wndProgress.GetSafeHwnd()))
        m_wndProgress.SendMessage(PBM_DELTAPOS, m_nPendingSteps, 0);
    m_nPendingSteps = 0;
    PumpWaitingMessages();
    MSG msg;
    // Only a window that was shown can go away under the run.
    if (::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_NOREMOVE) || (m_bShown && !::IsWindow(m_hWnd)))
        m_bCancel = TRUE;
}

BOOL CCreateProgress::GenerateUntilDone(CHTGenerator& generator, int nColumns, int nRows,
                                        CHTDataContainer* pContainer)
{
    while (!IsCancelled())
    {
        if (generator.Generate(this, nColumns, nRows, pContainer))
            return TRUE;
        // A failed try leaves room for the player's answer before the next.
        PumpMessages();
    }
    return FALSE;
}
