// The Timer toolbar: Pause and Play, the clock display and the buttons that
// choose what it shows. Once a second it shows the time of the current
// puzzle in the chosen mode, and ends a timed-out game whose difficulty
// profile forces completion by showing the solution.
#pragma once

#include "XTPToolBar.h"

class CBrindlemarkDoc;

// What the clock shows.
enum ClockDisplayMode
{
    cdmElapsed = 0,     // time played
    cdmRemaining = 1,   // time left of the target
    cdmTarget = 2       // the target itself
};

class CTimerToolBar : public CXTPToolBar
{
    DECLARE_DYNCREATE(CTimerToolBar)
public:
    CTimerToolBar();

    // Hours, minutes and seconds for the display mode.
    void GetDisplayTime(int& nHours, int& nMinutes, int& nSeconds);
    void GetElapsedTime(int& nHours, int& nMinutes, int& nSeconds);
    void GetRemainingTime(int& nHours, int& nMinutes, int& nSeconds);
    // The target in minutes, not folded into hours: 60 minutes is 00:60:00.
    void GetTargetTime(int& nHours, int& nMinutes, int& nSeconds);
    // The target minus the time played, never below 0.
    int GetRemainingSeconds();

    // Splits seconds into hours, minutes (below 60) and seconds.
    static void AFXAPI SplitSeconds(int nTotal, int& nHours, int& nMinutes, int& nSeconds);

    // One tick of the clock (timer 1037): shows the time while a puzzle is
    // played and not paused, and ends a forced game whose time is up.
    void OnClockTick();

public:
    int m_nDisplayMode;

protected:
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()
};
