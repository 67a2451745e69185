// The progress window of puzzle generation.
#include "CreateProgress.h"

#include "GameServices.h"

CCreateProgress::CCreateProgress() : CDialog(IDD, NULL), m_bCancel(FALSE)
{
}

void CCreateProgress::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CREATE_PROGRESS_BAR, m_wndProgress);
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
}
