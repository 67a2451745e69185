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

#define PROGRESS_PUMP_INTERVAL_MS 10
// The kept window of New Puzzle shows only once a generation has run this
// long: most puzzles are made in a few milliseconds, and a window that
// flashes up and goes again costs the player more than the puzzle.
#define PROGRESS_SHOW_DELAY_MS 150

class CCreateProgress : public CFennDialog, public CHTGeneratorProgress
{
public:
    enum { IDD = IDD_CREATE_PROGRESS };

    CCreateProgress();
    virtual ~CCreateProgress();

    // Creates the window (no parent), starts the moving stripes, steps the
    // bar by one and shows it. FALSE when the window cannot be created.
    // With a show delay the window is made and shown by the first pump
    // after the delay instead (never, for a run that ends sooner).
    BOOL Open();
    // Destroys the window (hides the kept one) and gives the main window
    // back to the player.
    void Close();
    // Milliseconds from Open to showing the window; 0 shows it at once.
    void SetShowDelay(DWORD dwDelayMs) { m_dwShowDelay = dwDelayMs; }
    BOOL IsShown() const { return m_bShown; }

    // The window New Puzzle uses: made when first shown and then kept hidden
    // between generations, since creating and destroying the dialog with its
    // controls each time costs more than the generation itself; it shows
    // after PROGRESS_SHOW_DELAY_MS. NULL while it is open (a generation
    // runs); the caller then makes its own.
    static CCreateProgress* AFX_CDECL GetKept();
    // Destroys the kept window; the document does so when it goes.
    static void AFX_CDECL DestroyKept();

    // Makes a puzzle of columns x rows in the container, trying again while
    // a try fails, until one succeeds (TRUE) or the player cancels, the
    // window goes or the program is asked to quit (FALSE; the container is
    // then not to be used).
    BOOL GenerateUntilDone(CHTGenerator& generator, int nColumns, int nRows, CHTDataContainer* pContainer);

    // CHTGeneratorProgress
    virtual BOOL IsCancelled() const;
    // Counts a step; the bar takes the steps counted when messages are
    // next pumped.
    virtual void StepProgress();
    // Pumps waiting messages, at most every PROGRESS_PUMP_INTERVAL_MS: a
    // try of the generator takes microseconds, a pass of the message loop
    // with its idle work far longer, and the stripes and the Cancel button
    // need no more. A quit request or the window's end counts as a cancel,
    // so that no run outlives them.
    virtual void PumpMessages();

public:
    CVant_XTButton m_btnCancel;     // 2
    CMacProgressCtrl m_wndProgress; // 1000
    BYTE m_bCancel;                 // set by Cancel; stays set for the window's life

protected:
    int m_nPendingSteps;            // steps not yet given to the bar
    DWORD m_dwLastPump;             // tick of the last pump; 0 before the first
    BOOL m_bKept;                   // the kept window: Close hides it
    BOOL m_bOpen;                   // between Open and Close
    BOOL m_bShown;                  // shown since Open
    DWORD m_dwShowDelay;            // see SetShowDelay
    DWORD m_dwOpenTick;             // tick of Open

    // Creates the window when needed, starts the stripes and shows it.
    BOOL ShowNow();

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    // Gives the bar back the border its template asks for.
    virtual BOOL OnInitDialog();
    // Cancel sets the flag; the window stays open for its owner to close.
    virtual void OnCancel();
    // Enter does not close the window either.
    virtual void OnOK();
};
