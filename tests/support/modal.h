// Driving modal dialogs from tests: a thread timer, which fires inside any
// modal loop, hands the dialog in front to a callback once it exists. The
// callback presses a button, reads the controls or takes a snapshot.
#pragma once

#include <windows.h>

#include <functional>

namespace testsupport
{
class ModalDriver
{
public:
    // Runs pfnAction on the next dialog of this thread that is enabled and
    // not hOwner (the owner a nested dialog disables), checking every 20 ms.
    explicit ModalDriver(std::function<void(HWND)> pfnAction, HWND hExclude = NULL)
        : m_pfnAction(pfnAction), m_hExclude(hExclude)
    {
        Current() = this;
        m_nTimer = ::SetTimer(NULL, 0, 20, &ModalDriver::TimerProc);
    }
    ~ModalDriver()
    {
        if (m_nTimer != 0)
            ::KillTimer(NULL, m_nTimer);
        if (Current() == this)
            Current() = NULL;
    }

    bool HasRun() const { return m_bRun; }

    // The front dialog of the thread: an enabled "#32770" window.
    static HWND FindDialog(HWND hExclude)
    {
        FindData data = {hExclude, NULL};
        ::EnumThreadWindows(::GetCurrentThreadId(), &FindProc, (LPARAM)&data);
        return data.hFound;
    }

    // Shows and paints the dialog (a modal dialog shows only when idle).
    static void ShowNow(HWND hDlg)
    {
        if (!::IsWindowVisible(hDlg))
            ::ShowWindow(hDlg, SW_SHOWNA);
        ::RedrawWindow(hDlg, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    }

    // Clicks a dialog button through its BN_CLICKED notification.
    static void Press(HWND hDlg, int nID)
    {
        ::PostMessage(hDlg, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)::GetDlgItem(hDlg, nID));
    }

private:
    struct FindData
    {
        HWND hExclude;
        HWND hFound;
    };
    static BOOL CALLBACK FindProc(HWND hWnd, LPARAM lParam)
    {
        FindData* pData = (FindData*)lParam;
        char szClass[16] = "";
        ::GetClassNameA(hWnd, szClass, sizeof(szClass));
        if (hWnd != pData->hExclude && lstrcmpA(szClass, "#32770") == 0 && ::IsWindowEnabled(hWnd))
        {
            pData->hFound = hWnd;
            return FALSE;
        }
        return TRUE;
    }
    static ModalDriver*& Current()
    {
        static ModalDriver* s_pCurrent = NULL;
        return s_pCurrent;
    }
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD)
    {
        ModalDriver* pDriver = Current();
        if (pDriver == NULL || pDriver->m_bRun)
            return;
        HWND hDlg = FindDialog(pDriver->m_hExclude);
        if (hDlg == NULL)
            return;
        pDriver->m_bRun = true;
        ::KillTimer(NULL, pDriver->m_nTimer);
        pDriver->m_nTimer = 0;
        pDriver->m_pfnAction(hDlg);
    }

    std::function<void(HWND)> m_pfnAction;
    HWND m_hExclude;
    UINT_PTR m_nTimer = 0;
    bool m_bRun = false;
};

// Runs a step on a thread timer every 20 ms, also inside any modal loop
// (a menu's own loop, a drag), until the step answers true or the object
// goes. One at a time.
class TimerSteps
{
public:
    explicit TimerSteps(std::function<bool()> pfnStep) : m_pfnStep(pfnStep)
    {
        Current() = this;
        m_nTimer = ::SetTimer(NULL, 0, 20, &TimerSteps::TimerProc);
    }
    ~TimerSteps() { Stop(); }

    bool IsDone() const { return m_nTimer == 0; }
    void Stop()
    {
        if (m_nTimer != 0)
            ::KillTimer(NULL, m_nTimer);
        m_nTimer = 0;
        if (Current() == this)
            Current() = NULL;
    }

private:
    static TimerSteps*& Current()
    {
        static TimerSteps* s_pCurrent = NULL;
        return s_pCurrent;
    }
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD)
    {
        TimerSteps* pSteps = Current();
        if (pSteps == NULL || pSteps->m_bInStep)
            return;
        pSteps->m_bInStep = true;
        bool bDone = pSteps->m_pfnStep();
        pSteps->m_bInStep = false;
        if (bDone)
            pSteps->Stop();
    }

    std::function<bool()> m_pfnStep;
    UINT_PTR m_nTimer = 0;
    bool m_bInStep = false;
};
} // namespace testsupport
