// What the display shows of the program's windows, and what is asked of the
// desktop's window manager, under Wine on a display with a window manager.
//
// The window manager stacks the program's windows there, and tells Wine
// little of it: a raise by its own keys, a click, a taskbar or its lower
// leaves Wine's order of windows as it was. The display itself knows the
// stacking: the top-level windows of its root, top first, each holding the
// window Wine made for one of the program's windows (inside the window
// manager's frame, or itself a top-level window where none frames it). That
// is read rather than what a window manager says of its stacking, which not
// every window manager keeps true. Wine gives a Windows program no X
// connection of its own (its sockets know no Unix domain), but it starts an
// executable of the host as a host process: the host's xwininfo prints the
// tree of the root window, its xprop the window manager's focus (through
// the host's shell, which writes the output to a file), its xdotool sends
// the requests to activate and to raise.
// A read waits about a tenth of a second at most; its output goes to a file
// of a name no other read (of this start or another) takes, in the
// temporary folder, where the host's shell runs (so no path is written in
// its command line, whatever letters or signs the folder's path holds); the
// shell removes the file itself a few seconds later when the program did
// not take it, and a late output is never read.
// Each window of the program is known to the display by the window Wine made
// for it, which Wine keeps as a property of the window.
#include "wndimpl.h"

#include <algorithm>
#include <initializer_list>
#include <cstdlib>
#include <map>
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

// UTF-8 text (the host's) as UTF-16; empty when it is not UTF-8.
std::wstring FromUtf8(const std::string& str)
{
    const int nChars =
        ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, str.data(), (int)str.size(), NULL, 0);
    if (nChars <= 0)
        return std::wstring();
    std::wstring strWide(nChars, L'\0');
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, str.data(), (int)str.size(), &strWide[0], nChars);
    return strWide;
}

// Runs a host program with the arguments given (one argument each, quoted
// as the system splits a command line), in the folder pszFolder (NULL: the
// program's own), not waiting for it.
BOOL StartHostProgram(const std::wstring& strPath, const std::vector<std::wstring>& args,
                      const WCHAR* pszFolder = NULL)
{
    if (strPath.empty())
        return FALSE;
    std::wstring strLine = L"\"" + strPath + L"\"";
    for (const std::wstring& strArg : args)
    {
        // Backslashes double only before a quote (the run already written
        // once), and a quote is escaped; elsewhere they stand as they are.
        strLine += L" \"";
        size_t nSlashes = 0;
        for (WCHAR ch : strArg)
        {
            if (ch == L'\\')
                nSlashes++;
            else
            {
                if (ch == L'"')
                    strLine.append(nSlashes + 1, L'\\');
                nSlashes = 0;
            }
            strLine += ch;
        }
        strLine.append(nSlashes, L'\\');
        strLine += L"\"";
    }
    std::vector<WCHAR> line(strLine.begin(), strLine.end());
    line.push_back(0);
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    // Wine starts a host program without process or thread handles and
    // leaves stale values in pi: they are not closed.
    PROCESS_INFORMATION pi = {};
    return ::CreateProcessW(NULL, line.data(), NULL, NULL, FALSE, CREATE_NO_WINDOW, NULL, pszFolder, &si, &pi);
}

// The longest a read of the host waits for its output.
const DWORD kReadMilliseconds = 100;
// How long the host's shell keeps an output nobody took.
const char kKeepOutputSeconds[] = "5";

// Runs a command line of the host's shell (ASCII, with no double quote) in
// the temporary folder, and returns all it writes, waiting up to
// dwMilliseconds. Wine cannot tell when a host process ends, nor hand it
// a pipe it writes to: the shell writes the output to a file aside, renames
// it when the command is done, and removes it a few seconds later, and the
// name is waited for. The name holds the process, the time and a count, so
// that no output of another read, of this start or of an earlier one with the
// same process number, is taken for this one's.
BOOL RunOnHostForOutput(const std::string& strCommand, std::string& strOutput,
                        DWORD dwMilliseconds = kReadMilliseconds)
{
    static const char* const shells[] = {"/bin/sh"};
    static const std::wstring strShell = HostProgramPath(shells, 1);
    if (strShell.empty() || strCommand.find('"') != std::string::npos)
        return FALSE;
    WCHAR szTemp[MAX_PATH + 1] = {};
    const DWORD nTemp = ::GetTempPathW(MAX_PATH + 1, szTemp);
    if (nTemp == 0 || nTemp > MAX_PATH)
        return FALSE;
    static LONG s_nCall = 0;
    LARGE_INTEGER liCount = {};
    ::QueryPerformanceCounter(&liCount);
    FILETIME ft = {};
    ::GetSystemTimeAsFileTime(&ft);
    char szName[96];
    snprintf(szName, sizeof(szName), "bm-screen-%lx-%lx%08lx-%lx-%ld.txt", (unsigned long)::GetCurrentProcessId(),
             (unsigned long)ft.dwHighDateTime, (unsigned long)ft.dwLowDateTime, (unsigned long)liCount.LowPart,
             (long)::InterlockedIncrement(&s_nCall));
    const std::string strName = szName;
    // A command that fails (xwininfo meets a window going while it reads
    // the tree) is run again, twice at most, and gives no output if it
    // fails each time; one that hangs is ended.
    const std::string strScript = "T=; command -v timeout >/dev/null 2>&1 && T='timeout 10'; for i in 1 2 3; do if { " +
                                  strCommand + "; } > " + strName + ".part 2>/dev/null; then mv -f " + strName +
                                  ".part " + strName + "; break; fi; done; rm -f " + strName + ".part; sleep " +
                                  kKeepOutputSeconds + "; rm -f " + strName;
    if (!StartHostProgram(strShell, {L"-c", FromUtf8(strScript)}, szTemp))
        return FALSE;
    const std::wstring strFile = std::wstring(szTemp) + FromUtf8(strName);
    HANDLE hFile = INVALID_HANDLE_VALUE;
    const DWORD dwStart = ::GetTickCount();
    for (;;)
    {
        hFile = ::CreateFileW(strFile.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              NULL, OPEN_EXISTING, 0, NULL);
        if (hFile != INVALID_HANDLE_VALUE || ::GetTickCount() - dwStart >= dwMilliseconds)
            break;
        ::Sleep(2);
    }
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;   // late: the shell removes it, and nobody reads it
    strOutput.clear();
    char szBuffer[16384];
    DWORD cbRead = 0;
    BOOL bRead = TRUE;
    while ((bRead = ::ReadFile(hFile, szBuffer, sizeof(szBuffer), &cbRead, NULL)) && cbRead > 0)
        strOutput.append(szBuffer, cbRead);
    ::CloseHandle(hFile);
    ::DeleteFileW(strFile.c_str());
    return bRead;
}

// The host path of a program, found in the usual folders, or NULL when the
// host has none.
const char* HostToolPath(const char* const* paths)
{
    for (int i = 0; i < 3; i++)
        if (!HostProgramPath(&paths[i], 1).empty())
            return paths[i];
    return NULL;
}

const char* XwininfoPath()
{
    static const char* const paths[] = {"/usr/bin/xwininfo", "/usr/local/bin/xwininfo", "/bin/xwininfo"};
    static const char* pszPath = HostToolPath(paths);
    return pszPath;
}

const char* XpropPath()
{
    static const char* const paths[] = {"/usr/bin/xprop", "/usr/local/bin/xprop", "/bin/xprop"};
    static const char* pszPath = HostToolPath(paths);
    return pszPath;
}

const char* const g_xdotoolPaths[] = {"/usr/bin/xdotool", "/usr/local/bin/xdotool", "/bin/xdotool"};

const std::wstring& XdotoolPath()
{
    static const std::wstring strPath = HostProgramPath(g_xdotoolPaths, 3);
    return strPath;
}

const char* XdotoolHostPath()
{
    static const char* pszPath = HostToolPath(g_xdotoolPaths);
    return pszPath;
}

// The display's window Wine made for a top-level window, or 0.
ULONG_PTR DisplayWindowOf(HWND hWnd)
{
    return (ULONG_PTR)::GetPropA(hWnd, "__wine_x11_whole_window");
}

// A tool that failed to answer this many times in a row, and never
// answered, is not asked again (each failure waits its while).
const int kMaxFailedReads = 3;

// How many times in a row each host tool failed to answer, and whether it
// ever answered: one that did (and answers late on a busy machine) is asked
// again; one that never did is not, once it failed kMaxFailedReads times.
struct ToolReads
{
    int nFailed = 0;
    bool bAnswered = false;
};
std::map<std::string, ToolReads> g_toolReads;

// TRUE while a host tool (by its host path) is there and is still asked.
bool IsToolAnswering(const char* pszTool)
{
    if (pszTool == NULL)
        return false;
    auto it = g_toolReads.find(pszTool);
    return it == g_toolReads.end() || it->second.bAnswered || it->second.nFailed < kMaxFailedReads;
}

// Runs a host tool (by its host path) with the arguments given (and what
// the shell's command line holds after them; "$T" runs a command ended if
// it hangs), after strFirst when given (a command of the shell line, whose
// output comes first and whose failure does not count), and returns its
// output; FALSE when it cannot be run or does not answer in time.
BOOL ReadFromTool(const char* pszTool, const std::string& strArgs, std::string& strOutput,
                  const std::string& strFirst = std::string())
{
    if (!AfxWindowManagerStacksWindows() || pszTool == NULL)
        return FALSE;
    if (!IsToolAnswering(pszTool))
        return FALSE;
    ToolReads& reads = g_toolReads[pszTool];
    const std::string strCommand = std::string("$T ") + pszTool + " " + strArgs;
    if (!RunOnHostForOutput(strFirst.empty() ? strCommand : strFirst + "; " + strCommand, strOutput))
    {
        if (++reads.nFailed == kMaxFailedReads && !reads.bAnswered)
            TRACE("%s does not answer: not asked again\n", pszTool);
        return FALSE;
    }
    reads.nFailed = 0;
    reads.bAnswered = true;
    return TRUE;
}
} // namespace

namespace
{
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

// "WxH+X+Y" (xwininfo writes a negative place as "+-1").
bool ParseGeometry(const char* psz, RECT& rc)
{
    char* pszEnd = NULL;
    const long cx = strtol(psz, &pszEnd, 10);
    if (*pszEnd != 'x')
        return false;
    const long cy = strtol(pszEnd + 1, &pszEnd, 10);
    long xy[2] = {};
    for (long& n : xy)
    {
        if (*pszEnd != '+' && *pszEnd != '-')
            return false;
        const bool bMinus = *pszEnd == '-';
        n = strtol(pszEnd + 1, &pszEnd, 10);
        if (bMinus)
            n = -n;
    }
    rc = {xy[0], xy[1], xy[0] + cx, xy[1] + cy};
    return true;
}

// xwininfo's tree of the root window: each window on a line of its own,
// "0x<id> "name": ("instance" "Class")  WxH+X+Y  +X+Y" ("(has no name)",
// "()" where it has none), indented by its depth, the root's children (the
// top-level windows) least, each followed by what it holds, top first.
// FALSE when it is not such a tree.
bool ParseDisplayTree(const std::string& strTree, AFX_DISPLAY_TREE& tree)
{
    size_t nTopIndent = std::string::npos;
    for (size_t nStart = 0; nStart < strTree.size();)
    {
        size_t nEnd = strTree.find('\n', nStart);
        if (nEnd == std::string::npos)
            nEnd = strTree.size();
        const size_t nIndent = strTree.find_first_not_of(' ', nStart);
        if (nIndent < nEnd && strTree.compare(nIndent, 2, "0x") == 0)
        {
            const std::string strLine = strTree.substr(nIndent, nEnd - nIndent);
            const ULONG_PTR nId = (ULONG_PTR)strtoul(strLine.c_str(), NULL, 16);
            // The last two words: the place within the parent, then on the
            // screen.
            const size_t nLast = strLine.find_last_not_of(' ');
            const size_t nScreen = strLine.rfind(' ', nLast);
            const size_t nPlace = nScreen == std::string::npos ? std::string::npos
                                                                : strLine.rfind(' ', strLine.find_last_not_of(' ', nScreen));
            const size_t nClass = strLine.rfind(": (", nPlace);
            const bool bClient = nClass != std::string::npos && strLine.compare(nClass + 3, 1, ")") != 0;
            const size_t nDepth = nIndent - nStart;
            if (nTopIndent == std::string::npos || nDepth <= nTopIndent)
            {
                nTopIndent = nDepth;
                AFX_DISPLAY_TOP_LEVEL top;
                top.nId = nId;
                if (nPlace == std::string::npos || !ParseGeometry(strLine.c_str() + nPlace + 1, top.rc))
                    top.rc = RECT();   // seen nowhere: it covers nothing
                tree.topLevels.push_back(top);
            }
            else
                tree.topLevels.back().held.push_back(nId);
            if (bClient)
                tree.topLevels.back().clients.push_back(nId);
        }
        nStart = nEnd + 1;
    }
    return strTree.find("Root window id:") != std::string::npos;
}
} // namespace

int AFX_DISPLAY_TREE::PlaceOf(ULONG_PTR nId) const
{
    for (size_t i = 0; i < topLevels.size() && nId != 0; i++)
        if (topLevels[i].nId == nId ||
            std::find(topLevels[i].held.begin(), topLevels[i].held.end(), nId) != topLevels[i].held.end())
            return (int)i;
    return -1;
}

BOOL AFXAPI AfxReadDisplayTree(AFX_DISPLAY_TREE& tree, BOOL bFocus)
{
    tree = AFX_DISPLAY_TREE();
    // The focus (xdotool, a decimal number on a line of its own) comes
    // first, in the same call of the host.
    std::string strFirst;
    if (bFocus)
    {
        if (XdotoolHostPath() == NULL)
            return FALSE;
        strFirst = std::string("$T ") + XdotoolHostPath() + " getwindowfocus";
    }
    std::string strOutput;
    if (!ReadFromTool(XwininfoPath(), "-root -tree", strOutput, strFirst))
        return FALSE;
    if (bFocus)
    {
        char* pszEnd = NULL;
        tree.nFocus = (ULONG_PTR)strtoul(strOutput.c_str(), &pszEnd, 10);
        if (pszEnd == strOutput.c_str() || (*pszEnd != '\n' && *pszEnd != 0))
            return FALSE;
    }
    return ParseDisplayTree(strOutput, tree) && !tree.topLevels.empty();
}

BOOL AFXAPI AfxIsDisplayWindowViewable(ULONG_PTR nId)
{
    char szArgs[40];
    snprintf(szArgs, sizeof(szArgs), "-id 0x%lx", (unsigned long)nId);
    std::string strOutput;
    if (!ReadFromTool(XwininfoPath(), szArgs, strOutput))
        return TRUE;
    return strOutput.find("Map State:") == std::string::npos || strOutput.find("IsViewable") != std::string::npos;
}

BOOL AFXAPI AfxIsScreenStackingReadable()
{
    return AfxWindowManagerStacksWindows() && IsToolAnswering(XwininfoPath());
}

BOOL AFXAPI AfxReadScreenStacking(std::vector<HWND>& order)
{
    order.clear();
    AFX_DISPLAY_TREE tree;
    if (!AfxReadDisplayTree(tree, FALSE))
        return FALSE;
    std::map<ULONG_PTR, int> places;
    for (size_t i = 0; i < tree.topLevels.size(); i++)
    {
        places[tree.topLevels[i].nId] = (int)i;
        for (ULONG_PTR nId : tree.topLevels[i].held)
            places[nId] = (int)i;
    }
    std::vector<std::pair<int, HWND>> shown;
    const DWORD dwThread = ::GetCurrentThreadId();
    for (HWND hWnd : AfxGetTopLevelWindows())
    {
        if (!::IsWindowVisible(hWnd) || ::GetWindowThreadProcessId(hWnd, NULL) != dwThread)
            continue;
        auto it = places.find(DisplayWindowOf(hWnd));
        if (it != places.end())
            shown.push_back({it->second, hWnd});
    }
    // Two of them in one top-level window keep the system's order.
    std::stable_sort(shown.begin(), shown.end(),
                     [](const std::pair<int, HWND>& a, const std::pair<int, HWND>& b) { return a.first < b.first; });
    for (const auto& place : shown)
        order.push_back(place.second);
    return TRUE;
}

int AFXAPI AfxIsWindowManagerFocusOwn()
{
    // xprop's line "_NET_ACTIVE_WINDOW: window id # 0x..."; "not found."
    // where the window manager does not say.
    std::string strLine;
    if (!ReadFromTool(XpropPath(), "-root -notype _NET_ACTIVE_WINDOW", strLine))
        return -1;
    const size_t nHash = strLine.find('#');
    if (nHash == std::string::npos)
        return -1;
    const ULONG_PTR nId = (ULONG_PTR)strtoul(strLine.c_str() + nHash + 1, NULL, 16);
    return OwnWindowOf(nId, AfxGetTopLevelWindows()) != NULL;
}

HWND AFXAPI AfxOwnWindowOfDisplayWindow(ULONG_PTR nId)
{
    return OwnWindowOf(nId, AfxGetTopLevelWindows());
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
    std::vector<std::wstring> args;
    wchar_t szId[32];
    swprintf(szId, 32, L"0x%lx", (unsigned long)nId);
    for (const wchar_t* pszCommand : commands)
    {
        args.push_back(pszCommand);
        args.push_back(szId);
    }
    return StartHostProgram(XdotoolPath(), args);
}
} // namespace

BOOL AFXAPI AfxAskWindowManagerToActivate(HWND hWnd)
{
    return RunXdotoolOnWindow(hWnd, {L"windowactivate"});
}

BOOL AFXAPI AfxAskDisplayToFocus(HWND hWnd)
{
    return RunXdotoolOnWindow(hWnd, {L"windowfocus"});
}
