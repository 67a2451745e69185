// Context help mode (Shift+F1) driven by real input: the mode runs a loop of
// its own, so the test's steps run one after another from a thread timer that
// loop dispatches. The frame maps Shift+F1 to ID_CONTEXT_HELP.
#pragma once

#include <afxwin.h>

#include "support/keyinput.h"

#include <functional>
#include <vector>

namespace testsupport
{
// A step answers false to be tried again at the next tick.
using HelpModeStep = std::function<bool()>;

struct HelpModeRun
{
    CFrameWnd* pFrame = NULL;
    std::vector<HelpModeStep> steps;
    size_t nNext = 0;
    bool bSeen = false;   // the mode was seen running
    int nTicks = 0;
};

inline HelpModeRun& CurrentHelpModeRun()
{
    static HelpModeRun run;
    return run;
}

inline void CALLBACK RunHelpModeStep(HWND, UINT, UINT_PTR nID, DWORD)
{
    HelpModeRun& run = CurrentHelpModeRun();
    if (++run.nTicks > 150 || run.nNext >= run.steps.size())
    {
        ::KillTimer(NULL, nID);
        return;
    }
    if (run.pFrame == NULL || !run.pFrame->m_bHelpMode)
        return;
    run.bSeen = true;
    if (run.steps[run.nNext]())
        run.nNext++;
}

// Presses Shift+F1 and runs the steps while the mode lasts, then waits for
// the mode to end, calling pump (which dispatches and idles) meanwhile. TRUE
// when the mode ran every step and has ended.
template <class Pump>
bool RunInHelpMode(CFrameWnd* pFrame, std::vector<HelpModeStep> steps, Pump pump)
{
    HelpModeRun& run = CurrentHelpModeRun();
    run = HelpModeRun();
    run.pFrame = pFrame;
    run.steps = std::move(steps);
    UINT_PTR nTimer = ::SetTimer(NULL, 0, 40, RunHelpModeStep);
    PressKeys({ VK_SHIFT, VK_F1 });
    for (int i = 0; i < 150 && !(run.bSeen && !pFrame->m_bHelpMode); i++)
    {
        pump();
        ::Sleep(20);
    }
    ::KillTimer(NULL, nTimer);
    const bool bDone = run.bSeen && run.nNext == run.steps.size() && !pFrame->m_bHelpMode;
    run = HelpModeRun();
    return bDone;
}
} // namespace testsupport
