// Message pumps for tests: dispatch what is waiting, for a while or through
// the class library's PreTranslateMessage walk.
#pragma once

#include <afxwin.h>

namespace testsupport
{
// Dispatches waiting messages for about nMilliseconds (0: only what is
// waiting now).
inline void Pump(DWORD nMilliseconds = 50)
{
    DWORD dwStart = ::GetTickCount();
    do
    {
        MSG msg;
        while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        if (nMilliseconds)
            ::Sleep(5);
    } while (::GetTickCount() - dwStart < nMilliseconds);
}

// Dispatches what is queued (without idle processing), through the
// thread's PreTranslateMessage walk like the real loop.  Returns FALSE when
// WM_QUIT was met (it is left in *pQuit).
inline BOOL PumpPending(int nMaxMessages = 10000, MSG* pQuit = NULL)
{
    MSG msg;
    for (int i = 0; i < nMaxMessages && ::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE); ++i)
    {
        if (msg.message == WM_QUIT)
        {
            if (pQuit != NULL)
                *pQuit = msg;
            return FALSE;
        }
        CWinThread* pThread = AfxGetThread();
        if (pThread == NULL || !pThread->PreTranslateMessage(&msg))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }
    return TRUE;
}

// Dispatches what is queued through the class library's PreTranslateMessage
// walk up to hWndStop, for a program without an application object (whose
// loop would otherwise skip the walk, and with it the tooltips it relays).
inline void PumpWalking(HWND hWndStop, int nMaxMessages = 10000)
{
    MSG msg;
    for (int i = 0; i < nMaxMessages && ::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE); ++i)
    {
        if (msg.message == WM_QUIT)
        {
            ::PostQuitMessage((int)msg.wParam);
            return;
        }
        if (!CWnd::WalkPreTranslateTree(hWndStop, &msg))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }
}

// Removes a WM_QUIT left in the queue by a test (main windows post one),
// dispatching the rest.
inline BOOL DrainQuit()
{
    BOOL bSeen = FALSE;
    MSG msg;
    while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
    {
        if (msg.message == WM_QUIT)
            bSeen = TRUE;
        else
        {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }
    return bSeen;
}
} // namespace testsupport
