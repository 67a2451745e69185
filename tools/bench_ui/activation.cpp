// Activation of a frame that owns floating windows: another program (here a
// second thread with its own window and queue) activates the frame and then
// itself, round after round; a round ends once the frame has handled its
// activation and everything it posted for it (the restack of the windows it
// owns). Measured with the restack as the platform asks for it, and without.
#include "bench_ui.h"

#include <afxwin.h>

#include <stdio.h>

namespace
{
const UINT kRoundDone = WM_APP + 0x51;

struct FrameThread
{
    HWND hFrame = NULL;
    DWORD dwThread = 0;
    HANDLE hReady = ::CreateEventA(NULL, FALSE, FALSE, NULL);
    HANDLE hRoundDone = ::CreateEventA(NULL, FALSE, FALSE, NULL);
    HANDLE hThread = NULL;

    static DWORD WINAPI Run(void* pv)
    {
        FrameThread* p = (FrameThread*)pv;
        CFrameWnd* pFrame = new CFrameWnd;
        if (!pFrame->Create(NULL, "activated", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 700, 500)))
        {
            ::SetEvent(p->hReady);
            return 1;
        }
        p->hFrame = pFrame->m_hWnd;
        // Three floating windows over it, as the game's panes and Timer.
        for (int i = 0; i < 3; i++)
            ::CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | WS_VISIBLE | WS_BORDER, 100 + 120 * i, 100,
                              150, 200, p->hFrame, NULL, NULL, NULL);
        ::SetEvent(p->hReady);
        MSG msg;
        while (::GetMessage(&msg, NULL, 0, 0) > 0)
        {
            if (msg.hwnd == NULL && msg.message == kRoundDone)
            {
                ::SetEvent(p->hRoundDone);
                continue;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
        if (::IsWindow(p->hFrame))
            ::DestroyWindow(p->hFrame);
        return 0;
    }
};

double ActivationRoundMs(int nRounds)
{
    FrameThread frame;
    frame.hThread = ::CreateThread(NULL, 0, &FrameThread::Run, &frame, 0, &frame.dwThread);
    ::WaitForSingleObject(frame.hReady, 10000);
    if (frame.hFrame == NULL)
    {
        printf("  the frame could not be created\n");
        return 0;
    }
    HWND hOther = ::CreateWindowExA(0, "STATIC", "another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 300, 400,
                                    300, NULL, NULL, NULL, NULL);
    ::SetForegroundWindow(hOther);
    bench_ui::Pump();
    const double dStart = bench_ui::Now();
    for (int i = 0; i < nRounds; i++)
    {
        ::SetForegroundWindow(frame.hFrame);
        DWORD_PTR dwResult = 0;
        ::SendMessageTimeoutA(frame.hFrame, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &dwResult);
        // Posted after whatever the activation posted: handled after it.
        ::PostThreadMessageA(frame.dwThread, kRoundDone, 0, 0);
        ::WaitForSingleObject(frame.hRoundDone, 2000);
        ::SetForegroundWindow(hOther);
        bench_ui::Pump();
    }
    const double dMs = (bench_ui::Now() - dStart) * 1000.0 / nRounds;
    ::DestroyWindow(hOther);
    ::PostThreadMessageA(frame.dwThread, WM_QUIT, 0, 0);
    ::WaitForSingleObject(frame.hThread, 10000);
    ::CloseHandle(frame.hThread);
    ::CloseHandle(frame.hReady);
    ::CloseHandle(frame.hRoundDone);
    return dMs;
}
} // namespace

BM_UI_BENCH(activation)
{
    AfxWinInit(::GetModuleHandleA(NULL), NULL, (LPTSTR) "", SW_SHOWNORMAL);
    const double dRestacked = ActivationRoundMs(1000);
    bench_ui::Report("activation: the frame and another program in turn, a round", dRestacked, "ms", 20);
    AfxSetOwnedWindowsRestacked(0);
    const double dPlain = ActivationRoundMs(1000);
    AfxSetOwnedWindowsRestacked(-1);
    bench_ui::Report("activation: the same with no restack (as on Windows)", dPlain, "ms", 20);
}
