// What the desktop's window manager reports, and what is asked of it, under
// Wine on a display with a window manager.
//
// The window manager stacks the program's windows there, and tells Wine
// little of it: a raise by its own keys, a click, a taskbar or its lower
// leaves Wine's order of windows as it was. It does report its stacking of
// the windows it manages, on the display's root window
// (_NET_CLIENT_LIST_STACKING, bottom to top), and it takes requests to
// activate a window there (_NET_ACTIVE_WINDOW, as a taskbar sends them).
// Wine gives a Windows program no X connection of its own (its sockets know
// no Unix domain), but it starts an executable of the host as a host
// process: the host's xprop reads the stacking and the focus (through the
// host's shell, which writes the output to a file), its xdotool sends the
// requests to activate and to raise.
// Each window of the program is known to the display by the window Wine made
// for it, which Wine keeps as a property of the window.
#include "wndimpl.h"

#include <algorithm>
#include <initializer_list>
#include <cstdlib>
#include <string>

namespace
{
typedef WCHAR*(CDECL* PFN_WINE_GET_DOS_FILE_NAME)(const char*);

// The host program's path as Wine names it, or empty when the host has no
// such program (or this is not Wine).
std::wstring HostProgramPath(const char* const* ppszUnixPaths, int nCount)
{
    static PFN_WINE_GET_DOS_FILE_NAME pfnDosName =
        (PFN_WINE_GET_DOS_FILE_NAME)::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name");
    if (pfnDosName == NULL)
        return std::wstring();
    for (int i = 0; i < nCount; i++)
    {
        WCHAR* pszDos = pfnDosName(ppszUnixPaths[i]);
        if (pszDos == NULL)
            continue;
        std::wstring strPath(pszDos);
        ::HeapFree(::GetProcessHeap(), 0, pszDos);
        if (::GetFileAttributesW(strPath.c_str()) != INVALID_FILE_ATTRIBUTES)
            return strPath;
    }
    return std::wstring();
}

// Runs a host program with the arguments given, not waiting for it.
BOOL StartHostProgram(const std::wstring& strPath, const std::wstring& strArgs)
{
    if (strPath.empty())
        return FALSE;
    std::wstring strLine = L"\"" + strPath + L"\" " + strArgs;
    std::vector<WCHAR> line(strLine.begin(), strLine.end());
    line.push_back(0);
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    // Wine starts a host program without process or thread handles and
    // leaves stale values in pi: they are not closed.
    PROCESS_INFORMATION pi = {};
    return ::CreateProcessW(NULL, line.data(), NULL, NULL, FALSE, CREATE_NO_WINDOW, NULL, NULL, &si, &pi);
}

typedef char*(CDECL* PFN_WINE_GET_UNIX_FILE_NAME)(const WCHAR*);

// Runs a host program (by its host path) with the arguments given and
// returns the first line it writes, waiting up to dwMilliseconds. Wine
// cannot tell when a host process ends, nor hand it a pipe it writes to:
// the host's shell writes the output to a file aside and renames it when
// the program is done, and the name is waited for.
BOOL RunHostProgramForLine(const char* pszUnixProgram, const char* pszArgs, std::string& strLine,
                           DWORD dwMilliseconds)
{
    static const char* const shells[] = {"/bin/sh"};
    static const std::wstring strShell = HostProgramPath(shells, 1);
    static PFN_WINE_GET_UNIX_FILE_NAME pfnUnixName =
        (PFN_WINE_GET_UNIX_FILE_NAME)::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
    if (strShell.empty() || pfnUnixName == NULL)
        return FALSE;
    static LONG s_nCall = 0;
    WCHAR szTemp[MAX_PATH] = {}, szFile[MAX_PATH + 64] = {};
    if (::GetTempPathW(MAX_PATH, szTemp) == 0)
        return FALSE;
    swprintf(szFile, MAX_PATH + 64, L"%lsbm-wm-%lu-%ld.txt", szTemp, (unsigned long)::GetCurrentProcessId(),
             (long)::InterlockedIncrement(&s_nCall));
    char* pszUnixFile = pfnUnixName(szFile);
    if (pszUnixFile == NULL)
        return FALSE;
    const std::string strUnixFile = pszUnixFile;
    ::HeapFree(::GetProcessHeap(), 0, pszUnixFile);
    if (strUnixFile.find_first_of("'\"") != std::string::npos)
        return FALSE;
    const std::string strCommand = std::string("-c \"") + pszUnixProgram + " " + pszArgs + " > '" + strUnixFile +
                                   ".part' 2>&1; mv '" + strUnixFile + ".part' '" + strUnixFile + "'\"";
    if (!StartHostProgram(strShell, std::wstring(strCommand.begin(), strCommand.end())))
        return FALSE;
    HANDLE hFile = INVALID_HANDLE_VALUE;
    const DWORD dwStart = ::GetTickCount();
    while (hFile == INVALID_HANDLE_VALUE && ::GetTickCount() - dwStart <= dwMilliseconds)
    {
        hFile = ::CreateFileW(szFile, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, NULL, OPEN_EXISTING, 0,
                              NULL);
        if (hFile == INVALID_HANDLE_VALUE)
            ::Sleep(2);
    }
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    char szBuffer[8192];
    DWORD cbRead = 0;
    const BOOL bRead = ::ReadFile(hFile, szBuffer, sizeof(szBuffer) - 1, &cbRead, NULL);
    ::CloseHandle(hFile);
    ::DeleteFileW(szFile);
    if (!bRead)
        return FALSE;
    szBuffer[cbRead] = 0;
    strLine = szBuffer;
    strLine = strLine.substr(0, strLine.find('\n'));
    return TRUE;
}

// The host path of xprop, or NULL when the host has none.
const char* XpropPath()
{
    static const char* const paths[] = {"/usr/bin/xprop", "/usr/local/bin/xprop", "/bin/xprop"};
    static const char* pszPath = [] {
        for (const char* psz : paths)
            if (!HostProgramPath(&psz, 1).empty())
                return psz;
        return (const char*)NULL;
    }();
    return pszPath;
}

const std::wstring& XdotoolPath()
{
    static const char* const paths[] = {"/usr/bin/xdotool", "/usr/local/bin/xdotool", "/bin/xdotool"};
    static const std::wstring strPath = HostProgramPath(paths, 3);
    return strPath;
}

// The display's window Wine made for a top-level window, or 0.
ULONG_PTR DisplayWindowOf(HWND hWnd)
{
    return (ULONG_PTR)::GetPropA(hWnd, "__wine_x11_whole_window");
}

// The stacking failed to be read this many times in a row: not asked again.
int g_nFailedReads = 0;
const int kMaxFailedReads = 3;
} // namespace

namespace
{
// The windows a property of the display's root window lists (xprop's line
// "NAME: window id # 0x..., 0x..."), in its order. FALSE when it cannot be
// read or the window manager does not set it ("NAME:  not found.").
BOOL ReadRootWindowList(const char* pszProperty, std::vector<ULONG_PTR>& ids)
{
    ids.clear();
    if (!AfxWindowManagerStacksWindows() || g_nFailedReads >= kMaxFailedReads)
        return FALSE;
    std::string strLine;
    const std::string strArgs = std::string("-root -notype ") + pszProperty;
    const size_t nHash = XpropPath() != NULL && RunHostProgramForLine(XpropPath(), strArgs.c_str(), strLine, 1000)
                             ? strLine.find('#')
                             : std::string::npos;
    if (nHash == std::string::npos)
    {
        if (++g_nFailedReads == kMaxFailedReads)
            TRACE("what the window manager reports cannot be read: the order is inferred\n");
        return FALSE;
    }
    g_nFailedReads = 0;
    const char* psz = strLine.c_str() + nHash + 1;
    while (*psz != 0)
    {
        char* pszEnd = NULL;
        const unsigned long nId = strtoul(psz, &pszEnd, 16);
        if (pszEnd == psz)
            psz++;
        else
        {
            ids.push_back(nId);
            psz = pszEnd;
        }
    }
    return TRUE;
}

// This thread's top-level window the display knows as nId, or NULL.
HWND OwnWindowOf(ULONG_PTR nId, const std::vector<HWND>& topLevel)
{
    if (nId == 0)
        return NULL;   // none (no window holds the keyboard)
    const DWORD dwThread = ::GetCurrentThreadId();
    for (HWND hWnd : topLevel)
        if (DisplayWindowOf(hWnd) == nId && ::GetWindowThreadProcessId(hWnd, NULL) == dwThread)
            return hWnd;
    return NULL;
}
} // namespace

BOOL AFXAPI AfxReadWindowManagerStacking(std::vector<HWND>& order)
{
    order.clear();
    std::vector<ULONG_PTR> stacking;   // bottom to top
    if (!ReadRootWindowList("_NET_CLIENT_LIST_STACKING", stacking))
        return FALSE;
    const std::vector<HWND> topLevel = AfxGetTopLevelWindows();
    for (auto it = stacking.rbegin(); it != stacking.rend(); ++it)
        if (HWND hWnd = OwnWindowOf(*it, topLevel))
            order.push_back(hWnd);
    return TRUE;
}

int AFXAPI AfxIsWindowManagerFocusOwn()
{
    std::vector<ULONG_PTR> active;
    if (!ReadRootWindowList("_NET_ACTIVE_WINDOW", active))
        return -1;
    return !active.empty() && OwnWindowOf(active[0], AfxGetTopLevelWindows()) != NULL;
}

namespace
{
// Runs the host's xdotool with the commands given, each on the display's
// window of hWnd's top-level window, one after the other.
BOOL RunXdotoolOnWindow(HWND hWnd, std::initializer_list<const wchar_t*> commands)
{
    if (!AfxWindowManagerStacksWindows() || hWnd == NULL)
        return FALSE;
    const ULONG_PTR nId = DisplayWindowOf(::GetAncestor(hWnd, GA_ROOT));
    if (nId == 0)
        return FALSE;
    std::wstring strArgs;
    for (const wchar_t* pszCommand : commands)
    {
        wchar_t szId[32];
        swprintf(szId, 32, L" 0x%lx", (unsigned long)nId);
        strArgs += std::wstring(strArgs.empty() ? L"" : L" ") + pszCommand + szId;
    }
    return StartHostProgram(XdotoolPath(), strArgs);
}
} // namespace

BOOL AFXAPI AfxAskWindowManagerToActivate(HWND hWnd)
{
    return RunXdotoolOnWindow(hWnd, {L"windowactivate"});
}

BOOL AFXAPI AfxAskWindowManagerToRaise(const HWND* phWnd, int nCount)
{
    if (!AfxWindowManagerStacksWindows() || phWnd == NULL || nCount <= 0)
        return FALSE;
    // One request after the other, bottom up: each raised window comes over
    // the ones raised before it.
    std::wstring strArgs;
    for (int i = nCount; i-- > 0;)
    {
        const ULONG_PTR nId = DisplayWindowOf(phWnd[i]);
        if (nId == 0)
            continue;
        wchar_t szId[32];
        swprintf(szId, 32, L"0x%lx", (unsigned long)nId);
        strArgs += std::wstring(strArgs.empty() ? L"" : L" ") + L"windowraise " + szId;
    }
    return !strArgs.empty() && StartHostProgram(XdotoolPath(), strArgs);
}

BOOL AFXAPI AfxRunHostCommandForLine(const char* pszCommand, std::string& strLine, DWORD dwMilliseconds)
{
    return pszCommand != NULL && RunHostProgramForLine(pszCommand, "", strLine, dwMilliseconds);
}

BOOL AFXAPI AfxAskDisplayToFocus(HWND hWnd, BOOL bRaise)
{
    return bRaise ? RunXdotoolOnWindow(hWnd, {L"windowraise", L"windowfocus"})
                  : RunXdotoolOnWindow(hWnd, {L"windowfocus"});
}
