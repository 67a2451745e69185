// The progress window of puzzle generation.
#include "CreateProgress.h"

#include "GameAccessors.h"
#include "GameServices.h"

CCreateProgress::CCreateProgress() : CFennDialog(IDD, NULL), m_bCancel(FALSE)
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

BOOL CCreateProgress::Open()
{
    if (!Create(IDD, NULL))
    {
        TRACE("CCreateProgress: the progress window could not be created\n");
        return FALSE;
    }
    m_wndProgress.m_bIndeterminate = TRUE;
    m_wndProgress.m_nIndOffset = 0;
    m_wndProgress.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    m_wndProgress.SetTimer(MAC_PROGRESS_TIMER, MAC_PROGRESS_TIMER_MS, NULL);
    m_wndProgress.SendMessage(PBM_SETSTEP, 1, 0);
    ShowWindow(SW_SHOW);
    return TRUE;
}

void CCreateProgress::Close()
{
    if (::IsWindow(m_hWnd))
        DestroyWindow();
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
    if (::IsWindow(m_wndProgress.GetSafeHwnd()))
        m_wndProgress.SendMessage(PBM_STEPIT, 0, 0);
}

void CCreateProgress::PumpMessages()
{
    PumpWaitingMessages();
    MSG msg;
    if (::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_NOREMOVE) || !::IsWindow(m_hWnd))
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
