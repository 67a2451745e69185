// What a message sent in the program costs while a frame with floating
// windows lives (everything that follows the frame's windows on the screen
// is at work) against the same with no frame in the thread: whatever the
// frame watches must not make every message of the thread dearer.
#include "bench_ui.h"

#include <afxwin.h>

namespace
{
const int kMessages = 100000;

// 100,000 messages sent to a list box, in milliseconds.
double SendToListBox(HWND hList)
{
    const double dStart = bench_ui::Now();
    for (int i = 0; i < kMessages; i++)
        ::SendMessageA(hList, LB_GETCOUNT, 0, 0);
    return (bench_ui::Now() - dStart) * 1000.0;
}

HWND CreateListBox(HWND hParent)
{
    HWND hList = ::CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | LBS_NOTIFY, 10, 10, 200, 200, hParent,
                                   NULL, NULL, NULL);
    for (int i = 0; i < 20; i++)
        ::SendMessageA(hList, LB_ADDSTRING, 0, (LPARAM) "item");
    return hList;
}

// A frame with a list box and four floating windows of the library over it,
// as the game's panes, Timer and toolbar.
double WithFrame()
{
    CFrameWnd* pFrame = new CFrameWnd;
    if (!pFrame->Create(NULL, "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 700, 500)))
        return 0;
    for (int i = 0; i < 4; i++)
    {
        CMiniFrameWnd* pFloating = new CMiniFrameWnd;
        pFloating->CreateEx(WS_EX_TOOLWINDOW, NULL, "floating", WS_POPUP | WS_CAPTION | WS_VISIBLE,
                            CRect(100 + 120 * i, 100, 250 + 120 * i, 300), pFrame, 0);
    }
    HWND hList = CreateListBox(pFrame->m_hWnd);
    ::SetForegroundWindow(pFrame->m_hWnd);
    ::SetFocus(hList);
    bench_ui::Pump();
    std::vector<double> times;
    for (int i = 0; i < 5; i++)
        times.push_back(SendToListBox(hList));
    pFrame->DestroyWindow();
    bench_ui::Pump();
    return bench_ui::Median(times);
}

// The same list box in a plain window, with no frame in the thread.
double WithoutFrame()
{
    HWND hTop = ::CreateWindowExA(0, "STATIC", "plain", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 700, 500, NULL, NULL,
                                  NULL, NULL);
    HWND hList = CreateListBox(hTop);
    ::SetForegroundWindow(hTop);
    ::SetFocus(hList);
    bench_ui::Pump();
    std::vector<double> times;
    for (int i = 0; i < 5; i++)
        times.push_back(SendToListBox(hList));
    ::DestroyWindow(hTop);
    bench_ui::Pump();
    return bench_ui::Median(times);
}
} // namespace

BM_UI_BENCH(messages)
{
    AfxWinInit(::GetModuleHandleA(NULL), NULL, (LPTSTR) "", SW_SHOWNORMAL);
    const double dPlain = WithoutFrame();
    const double dFrame = WithFrame();
    bench_ui::Report("messages: 100,000 to a list box, no frame", dPlain, "ms", 0);
    bench_ui::Report("messages: the same in a frame with four floating windows", dFrame, "ms", 2 * dPlain);
    bench_ui::Report("messages: with the frame against without", dPlain > 0 ? dFrame / dPlain : 0, "x", 2);
}
