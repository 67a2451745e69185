// The modeless progress window shown while puzzles are generated: a
// progress bar stepped after every try and a Cancel button that asks the
// generator to stop.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include "HTGenerator.h"
#include "resource.h"

class CCreateProgress : public CDialog, public CHTGeneratorProgress
{
public:
    enum { IDD = IDD_CREATE_PROGRESS };

    CCreateProgress();

    // CHTGeneratorProgress
    virtual BOOL IsCancelled() const;
    virtual void StepProgress();
    virtual void PumpMessages();

public:
    CProgressCtrl m_wndProgress;    // control 1000
    BYTE m_bCancel;                 // set by Cancel; stays set for the window's life

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    // Cancel sets the flag; the window stays open for its owner to close.
    virtual void OnCancel();
    // Enter does not close the window either.
    virtual void OnOK();
};
