// The question asked when a loaded puzzle has already been started: continue
// from the saved position, or start again from the beginning.
#pragma once

#include <afxwin.h>

#include "FennDialog.h"
#include "Vant_XTButton.h"
#include "resource.h"

class CPuzzleLoadChoiceDlg : public CSubvertedHelpDlg
{
    DECLARE_DYNAMIC(CPuzzleLoadChoiceDlg)
public:
    enum { IDD = IDD_LOAD_CHOICE };

    explicit CPuzzleLoadChoiceDlg(CWnd* pParent = NULL);

    // Shows the question (or its replacement, see SetChoiceHandler). TRUE
    // when the player chose to start the puzzle again.
    static BOOL AFXAPI AskStartAgain();

    // Replaces the question (tests and unattended runs, where a modal
    // dialog would block); NULL restores it. Returns the previous one. The
    // replacement returns TRUE for "start again".
    typedef BOOL(AFXAPI* PFN_LOADCHOICE)();
    static PFN_LOADCHOICE AFXAPI SetChoiceHandler(PFN_LOADCHOICE pfnHandler);

    virtual BOOL OnInitDialog();

public:
    BYTE m_bStartAgain;         // set on OK: TRUE when "start again" is chosen
    CVant_XTButton m_btnOK;     // 1

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void OnOK();
    // Esc and the close box do nothing: the dialog is left only with OK.
    virtual void OnCancel();
};
