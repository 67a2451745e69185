// Input through the display itself, for tests that drive the real pointer
// and keyboard (those carry "ctest: run-serial"): the events go to the X
// server (xdotool, run on the host), so a window manager sees them as it sees
// a player's, takes the keys it binds (Alt+F4) and focuses the window
// clicked. SendInput, by contrast, reaches only the program's own queues.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace testsupport
{
// Runs a shell command line on the host (a program of the host started
// through Wine has no process handle to wait on: its output is written
// aside, then renamed, and the name waited for). Its output, or false when
// it could not be run or did not end within the time. bAnswering: the
// calling thread's windows answer their messages meanwhile, as a player's
// program does while it is the one the display's input goes to: one that
// did not would take the events late, after the game had the keyboard (a
// press of Alt, which Wine, one key state for its programs, would then hold
// down for the game too; the window manager's offer of the keyboard,
// refused by then as too old).
inline bool RunOnHost(const std::string& strCommand, std::string* pOutput = NULL, DWORD dwMilliseconds = 5000,
                      bool bAnswering = false)
{
    // Named after the display and the process: test programs on other
    // displays (each with its own Wine prefix) may have the same process id.
    static int s_nCall = 0;
    std::string strDisplay;
    for (const char* psz = getenv("DISPLAY"); psz != NULL && *psz != 0; psz++)
        if (isalnum((unsigned char)*psz))
            strDisplay += *psz;
    char szUnix[160], szDos[200];
    snprintf(szUnix, sizeof(szUnix), "/tmp/bm-hostinput-%s-%lu-%d.txt", strDisplay.c_str(),
             (unsigned long)::GetCurrentProcessId(), s_nCall++);
    snprintf(szDos, sizeof(szDos), "Z:%s", szUnix);
    std::replace(szDos, szDos + strlen(szDos), '/', '\\');
    std::string strLine = std::string("/bin/sh -c \"{ ") + strCommand + "; } > " + szUnix + ".part 2>&1; mv " +
                          szUnix + ".part " + szUnix + "\"";
    std::vector<char> line(strLine.begin(), strLine.end());
    line.push_back(0);
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    // Wine starts a host program without process or thread handles and
    // leaves stale values in pi (seen: a thread "handle" of 2, ids from the
    // stack): closing them could close one of the test's own handles, so
    // they are not closed.
    if (!::CreateProcessA(NULL, line.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return false;
    FILE* pFile = NULL;
    const DWORD dwStart = ::GetTickCount();
    for (;;)
    {
        pFile = fopen(szDos, "r");
        if (pFile != NULL || ::GetTickCount() - dwStart > dwMilliseconds)
            break;
        MSG msg;
        while (bAnswering && ::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
            ::DispatchMessage(&msg);
        ::Sleep(bAnswering ? 10 : 20);
    }
    if (pFile == NULL)
        return false;
    std::string strOutput;
    char szBuffer[256];
    while (fgets(szBuffer, sizeof(szBuffer), pFile) != NULL)
        strOutput += szBuffer;
    fclose(pFile);
    ::DeleteFileA(szDos);
    if (pOutput != NULL)
        *pOutput = strOutput;
    return true;
}

// TRUE when the display's input can be driven (xdotool is installed; the
// set-up script installs it).
inline bool HasDisplayInput()
{
    std::string strOutput;
    return RunOnHost("command -v xdotool || echo missing", &strOutput) &&
           strOutput.find("missing") == std::string::npos && !strOutput.empty();
}

// Moves the display's pointer to a screen point (Wine's screen coordinates
// are the display's) and clicks the left button there.
inline bool DisplayClick(POINT pt, bool bAnswering = false)
{
    char szCommand[128];
    snprintf(szCommand, sizeof(szCommand), "xdotool mousemove %ld %ld click 1", (long)pt.x, (long)pt.y);
    return RunOnHost(szCommand, NULL, 5000, bAnswering);
}

// Moves the display's pointer to a screen point.
inline bool DisplayMove(POINT pt)
{
    char szCommand[128];
    snprintf(szCommand, sizeof(szCommand), "xdotool mousemove %ld %ld", (long)pt.x, (long)pt.y);
    return RunOnHost(szCommand);
}

// Presses the left button at one screen point, moves the pointer to
// another in steps, and lets go there.
inline bool DisplayDrag(POINT ptFrom, POINT ptTo)
{
    std::string strCommand = "xdotool mousemove " + std::to_string(ptFrom.x) + " " + std::to_string(ptFrom.y) +
                             " sleep 0.2 mousedown 1 sleep 0.2";
    for (int i = 1; i <= 5; i++)
        strCommand += " mousemove " + std::to_string(ptFrom.x + (ptTo.x - ptFrom.x) * i / 5) + " " +
                      std::to_string(ptFrom.y + (ptTo.y - ptFrom.y) * i / 5) + " sleep 0.1";
    strCommand += " sleep 0.2 mouseup 1";
    return RunOnHost(strCommand);
}

// Presses a combination of keys on the display's keyboard, in xdotool's
// names ("alt+F4", "Escape"), and lets them go.
inline bool DisplayKeys(const char* pszKeys)
{
    return RunOnHost(std::string("xdotool key ") + pszKeys);
}

// The window manager's window switching pressed on the display's keyboard:
// Alt (and Shift) held, Tab pressed nTabs times, let go.
inline bool DisplayAltTab(int nTabs, bool bShift = false)
{
    std::string strKeys = bShift ? "xdotool keydown shift keydown alt" : "xdotool keydown alt";
    strKeys += " sleep 0.2 key --delay 250";
    for (int i = 0; i < nTabs; i++)
        strKeys += " Tab";
    strKeys += bShift ? " sleep 0.2 keyup alt keyup shift" : " sleep 0.2 keyup alt";
    return RunOnHost(strKeys, NULL, 5000, true);
}
} // namespace testsupport
