// The load-choice question.
#include "PuzzleLoadChoiceDlg.h"

namespace
{
CPuzzleLoadChoiceDlg::PFN_LOADCHOICE s_pfnChoiceHandler = NULL;
}

IMPLEMENT_DYNAMIC(CPuzzleLoadChoiceDlg, CSubvertedHelpDlg)

CPuzzleLoadChoiceDlg::CPuzzleLoadChoiceDlg(CWnd* pParent) : CSubvertedHelpDlg(IDD, pParent), m_bStartAgain(FALSE)
{
}

CPuzzleLoadChoiceDlg::PFN_LOADCHOICE AFXAPI CPuzzleLoadChoiceDlg::SetChoiceHandler(PFN_LOADCHOICE pfnHandler)
{
    PFN_LOADCHOICE pfnPrevious = s_pfnChoiceHandler;
    s_pfnChoiceHandler = pfnHandler;
    return pfnPrevious;
}

BOOL AFXAPI CPuzzleLoadChoiceDlg::AskStartAgain()
{
    if (s_pfnChoiceHandler != NULL)
        return s_pfnChoiceHandler();
    CPuzzleLoadChoiceDlg dlg;
    dlg.DoModal();
    return dlg.m_bStartAgain;
}

void CPuzzleLoadChoiceDlg::DoDataExchange(CDataExchange* pDX)
{
    CSubvertedHelpDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnOK);
}

BOOL CPuzzleLoadChoiceDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CreateToolTips(this);
    m_bToolTipsCreated = true;
    CheckRadioButton(IDC_LOAD_CONTINUE, IDC_LOAD_START_AGAIN, IDC_LOAD_CONTINUE);
    return TRUE;
}

void CPuzzleLoadChoiceDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    m_bStartAgain = GetCheckedRadioButton(IDC_LOAD_CONTINUE, IDC_LOAD_START_AGAIN) == IDC_LOAD_START_AGAIN;
    EndDialog(IDOK);
}

void CPuzzleLoadChoiceDlg::OnCancel()
{
}
