// Tooltip windows for tests that hover with the real pointer (those carry
// "ctest: run-serial"): finding the tip a process shows and reading the tip
// of this process.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>

namespace testsupport
{
struct VisibleTipSearch
{
    DWORD dwPid;
    HWND hTip;
};

inline BOOL CALLBACK FindVisibleTip(HWND hWnd, LPARAM lParam)
{
    VisibleTipSearch* pSearch = (VisibleTipSearch*)lParam;
    DWORD dwPid = 0;
    ::GetWindowThreadProcessId(hWnd, &dwPid);
    char szClass[64] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    // The common control's tip or the toolkit's own (with or without its
    // shadow).
    const bool bTip = lstrcmpiA(szClass, TOOLTIPS_CLASSA) == 0 ||
                      strncmp(szClass, "XTPToolTipContextToolTip", 24) == 0;
    if (dwPid == pSearch->dwPid && ::IsWindowVisible(hWnd) && bTip)
    {
        pSearch->hTip = hWnd;
        return FALSE;
    }
    return TRUE;
}

// The visible tip window of the process, or NULL.
inline HWND VisibleToolTip(DWORD dwPid = ::GetCurrentProcessId())
{
    VisibleTipSearch search = {dwPid, NULL};
    ::EnumWindows(FindVisibleTip, (LPARAM)&search);
    return search.hTip;
}

// The text of the tool a tip window of this process shows now.
inline std::string CurrentToolText(HWND hTip)
{
    char szText[256] = "";
    TOOLINFOA ti;
    ZeroMemory(&ti, sizeof(ti));
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.lpszText = szText;
    if (!::SendMessageA(hTip, TTM_GETCURRENTTOOLA, 0, (LPARAM)&ti))
        return std::string();
    return szText;
}

// Brings the real pointer to the screen point (a little beside it first, so
// the window under it sees a move) and runs pump() until the process shows a
// tip or about nRounds rounds of 20 ms passed; the tip window or NULL.
template <class Pump>
HWND HoverUntilToolTip(POINT pt, Pump pump, DWORD dwPid = ::GetCurrentProcessId(), int nRounds = 200)
{
    const int cxScreen = ::GetSystemMetrics(SM_CXSCREEN), cyScreen = ::GetSystemMetrics(SM_CYSCREEN);
    const POINT steps[2] = {{pt.x - 2, pt.y - 1}, pt};
    for (const POINT& step : steps)
    {
        INPUT input;
        ZeroMemory(&input, sizeof(input));
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        input.mi.dx = (LONG)((step.x * 65536LL + 65535) / cxScreen);
        input.mi.dy = (LONG)((step.y * 65536LL + 65535) / cyScreen);
        ::SendInput(1, &input, sizeof(INPUT));
        for (int i = 0; i < 3; i++)
        {
            pump();
            ::Sleep(20);
        }
    }
    for (int i = 0; i < nRounds; i++)
    {
        HWND hTip = VisibleToolTip(dwPid);
        if (hTip != NULL)
            return hTip;
        pump();
        ::Sleep(20);
    }
    return NULL;
}
} // namespace testsupport
