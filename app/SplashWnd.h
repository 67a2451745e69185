// The splash window: the game's picture, shown centred for three seconds
// while the main frame starts. Owned by the frame, it is kept in front of
// it by the frame, as every window the frame owns.
#pragma once

#include <afxwin.h>

class CSplashWnd : public CWnd
{
public:
    CSplashWnd();
    virtual ~CSplashWnd();

    // Lets the next ShowSplashScreen show the window (the frame enables it
    // just before it asks).
    static void AFXAPI EnableSplashScreen(BOOL bEnable = TRUE);
    // Shows the splash window owned by the parent. FALSE when the splash is
    // not enabled, one is already showing, or it cannot be made.
    static BOOL AFXAPI ShowSplashScreen(CWnd* pParentWnd = NULL);
    // The splash window showing now, or NULL.
    static CSplashWnd* AFXAPI GetCurrent();

    // Destroys the window and lets the main window repaint.
    void HideSplashScreen();

public:
    CBitmap m_bitmap;

protected:
    virtual void PostNcDestroy();
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()
};
