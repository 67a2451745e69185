// The modeless progress window shown while puzzles are generated: a shaded
// progress bar with moving stripes, stepped after every try, and a Cancel
// button that asks the generator to stop.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include "FennDialog.h"
#include "HTGenerator.h"
#include "MacProgressCtrl.h"
#include "Vant_XTButton.h"
#include "resource.h"

class CCreateProgress : public CFennDialog, public CHTGeneratorProgress
{
public:
    enum { IDD = IDD_CREATE_PROGRESS };

    CCreateProgress();
    virtual ~CCreateProgress();

    // Creates the window (no parent), starts the moving stripes, steps the
    // bar by one and shows it. FALSE when the window cannot be created.
    BOOL Open();
    // Destroys the window and gives the main window back to the player.
    void Close();

    // Makes a puzzle of columns x rows in the container, trying again while
    // a try fails, until one succeeds (TRUE) or the player cancels, the
    // window goes or the program is asked to quit (FALSE; the container is
    // then not to be used).
    BOOL GenerateUntilDone(CHTGenerator& generator, int nColumns, int nRows, CHTDataContainer* pContainer);

    // CHTGeneratorProgress
    virtual BOOL IsCancelled() const;
    virtual void StepProgress();
    // Pumps waiting messages; a quit request or the window's end counts as
    // a cancel, so that no run outlives them.
    virtual void PumpMessages();

public:
    CVant_XTButton m_btnCancel;     // 2
    CMacProgressCtrl m_wndProgress; // 1000
    BYTE m_bCancel;                 // set by Cancel; stays set for the window's life

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    // Cancel sets the flag; the window stays open for its owner to close.
    virtual void OnCancel();
    // Enter does not close the window either.
    virtual void OnOK();
};
