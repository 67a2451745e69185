// Drawing an untrusted metafile in a process of its own: the program's side.
#include "XTPMetafileRenderer.h"

#include "XTPImageEditorMetafile.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace
{
// The shared block's parts start on 16-byte boundaries.
inline ULONGLONG Align16(ULONGLONG n)
{
    return (n + 15) & ~(ULONGLONG)15;
}

// Handles what is sent or posted to this thread and paints its windows;
// keyboard and mouse input stays in the queue for later. FALSE when the
// thread was asked to quit (the request is posted again for the loop that
// owns it).
bool PumpWhileWaiting()
{
    MSG msg;
    // A window that never validates itself would keep this loop busy: a
    // bounded number of messages at a time.
    for (int i = 0; i < 100; i++)
    {
        if (!::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE | PM_QS_PAINT | PM_QS_SENDMESSAGE))
            break;
        if (msg.message == WM_QUIT)
        {
            ::PostQuitMessage((int)msg.wParam);
            return false;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    return true;
}

// Keeps the renderer's processes within a memory limit and ends them when
// the program lets go of them, where the system supports it.
HANDLE CreateRendererJob()
{
    HANDLE hJob = ::CreateJobObject(NULL, NULL);
    if (hJob == NULL)
        return NULL;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits;
    ZeroMemory(&limits, sizeof(limits));
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_PROCESS_MEMORY |
                                              JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION;
    limits.ProcessMemoryLimit = XTP_METAFILE_RENDER_MEMORY;
    if (!::SetInformationJobObject(hJob, JobObjectExtendedLimitInformation, &limits, sizeof(limits)))
        TRACE("metafile renderer: the job's limits were not taken (%lu)\n", (unsigned long)::GetLastError());
    return hJob;
}

// What the renderer's exit code says went wrong with the picture.
CString ExitReason(DWORD dwExit)
{
    CString strReason;
    switch (dwExit)
    {
    case xtpRendererOutOfMemory:
        strReason.Format(_T("drawing the picture took more than %lu MB"),
                         (unsigned long)(XTP_METAFILE_RENDER_MEMORY / (1024 * 1024)));
        break;
    case xtpRendererOutOfTime:
        strReason = _T("drawing the picture took too long");
        break;
    case xtpRendererException:
        strReason = _T("the metafile renderer stopped on an error");
        break;
    default:
        strReason.Format(_T("the picture made the metafile renderer fail (0x%08lX)"), (unsigned long)dwExit);
        break;
    }
    return strReason;
}

// TRUE when the renderer's end, before it took the call, says it never
// worked at all: the system could not load it, or it ended without a word
// in the block although its code claims an answer, or it did not understand
// the call (another program, or one of another version, under its name).
bool EndedWithoutWorking(DWORD dwExit, LONG nResult)
{
    switch (dwExit)
    {
    case 0xC0000135:   // a library it needs is missing
    case 0xC0000139:   // an entry point it needs is missing
    case 0xC0000142:   // a library it needs failed to start
    case 0xC000007B:   // not a program for this system
    case xtpRendererBadCall:
        return true;
    case xtpRendererDrawn:
    case xtpRendererRefused:
        return nResult == -1;
    default:
        return false;
    }
}

// TRUE when the exit code of a renderer that took the call and gave no
// answer is one of its own verdicts on the picture (out of memory or time,
// an error, an abort) or the code of a fault, rather than the code another
// program ended it with.
bool EndedByThePicture(DWORD dwExit)
{
    return dwExit == xtpRendererOutOfMemory || dwExit == xtpRendererOutOfTime || dwExit == xtpRendererException ||
           dwExit == 3 || (dwExit & 0x80000000) != 0;
}

// One run of the renderer. It is started and watched by a thread of its own
// that is its debugger: a fault in the renderer, or in a program put in its
// place, comes to that thread, which ends the process at once, so the
// system shows no crash dialog for it. Shared by that thread and the caller;
// whichever lets go last deletes it.
struct CRendererRun
{
    CRendererRun()
        : hJob(NULL), hStarted(::CreateEvent(NULL, TRUE, FALSE, NULL)), hProcess(NULL), bStarted(false),
          dwStartError(0), dwFault(0), nRefs(2)
    {
    }
    ~CRendererRun()
    {
        if (hProcess != NULL)
            ::CloseHandle(hProcess);
        if (hStarted != NULL)
            ::CloseHandle(hStarted);
    }
    void Release()
    {
        if (::InterlockedDecrement(&nRefs) == 0)
            delete this;
    }

    std::wstring strExe;
    std::wstring strCommand;
    HANDLE hJob;
    HANDLE hStarted;      // set once the start succeeded or failed
    HANDLE hProcess;      // the renderer, once started
    bool bStarted;
    DWORD dwStartError;   // why it did not start
    DWORD dwFault;        // the fault it was ended for, if any
    LONG nRefs;
};

BOOL StartRenderer(CRendererRun* pRun, DWORD dwFlags, PROCESS_INFORMATION& pi)
{
    std::vector<wchar_t> command(pRun->strCommand.begin(), pRun->strCommand.end());
    command.push_back(L'\0');
    STARTUPINFOW si;
    ZeroMemory(&si, sizeof(si));
    si.cb = sizeof(si);
    ZeroMemory(&pi, sizeof(pi));
    return ::CreateProcessW(pRun->strExe.c_str(), command.data(), NULL, NULL, FALSE,
                            dwFlags | CREATE_SUSPENDED | CREATE_NO_WINDOW, NULL, NULL, &si, &pi);
}

// Answers the renderer's debug events until it ends. The breakpoints the
// system stops at as it attaches go on; any other exception goes to the
// renderer's own handlers first, and one they leave unhandled ends the
// process with its code.
void WatchRenderer(CRendererRun* pRun, DWORD dwProcessId)
{
    for (;;)
    {
        DEBUG_EVENT event;
        if (!::WaitForDebugEvent(&event, INFINITE))
        {
            // Nothing to watch with: the caller's wait ends the renderer.
            ::WaitForSingleObject(pRun->hProcess, INFINITE);
            return;
        }
        DWORD dwContinue = DBG_CONTINUE;
        bool bEnded = false;
        switch (event.dwDebugEventCode)
        {
        case CREATE_PROCESS_DEBUG_EVENT:
            if (event.u.CreateProcessInfo.hFile != NULL)
                ::CloseHandle(event.u.CreateProcessInfo.hFile);
            break;
        case LOAD_DLL_DEBUG_EVENT:
            if (event.u.LoadDll.hFile != NULL)
                ::CloseHandle(event.u.LoadDll.hFile);
            break;
        case EXCEPTION_DEBUG_EVENT:
        {
            const DWORD dwCode = event.u.Exception.ExceptionRecord.ExceptionCode;
            if (event.u.Exception.dwFirstChance == 0)
            {
                pRun->dwFault = dwCode;
                ::TerminateProcess(pRun->hProcess, dwCode);
            }
            else if (dwCode == EXCEPTION_BREAKPOINT || dwCode == 0x4000001F /* of a 32-bit process on 64 bits */)
            {
                // The system's own stops as it attaches and loads.
            }
            else
            {
                dwContinue = (DWORD)DBG_EXCEPTION_NOT_HANDLED;
            }
            break;
        }
        case EXIT_PROCESS_DEBUG_EVENT:
            bEnded = event.dwProcessId == dwProcessId;
            break;
        default:
            break;
        }
        ::ContinueDebugEvent(event.dwProcessId, event.dwThreadId, dwContinue);
        if (bEnded)
            return;
    }
}

DWORD WINAPI RunRenderer(LPVOID pParam)
{
    CRendererRun* pRun = static_cast<CRendererRun*>(pParam);
    PROCESS_INFORMATION pi;
    if (!StartRenderer(pRun, 0, pi))
    {
        pRun->dwStartError = ::GetLastError();
        ::SetEvent(pRun->hStarted);
        pRun->Release();
        return 0;
    }
    if (pRun->hJob != NULL && !::AssignProcessToJobObject(pRun->hJob, pi.hProcess))
        TRACE("metafile renderer: not kept in a job (%lu)\n", (unsigned long)::GetLastError());
    pRun->hProcess = pi.hProcess;
    pRun->bStarted = true;
    // Attached before it runs rather than started as a debugged process, so
    // that it runs as fast as on its own (the system checks the heap of a
    // process started under a debugger). Where the system does not let this
    // thread attach, the renderer's own last-chance handler ends it on a
    // fault.
    const bool bDebugged = ::DebugActiveProcess(pi.dwProcessId) != FALSE;
    if (bDebugged)
        ::DebugSetProcessKillOnExit(TRUE);
    ::SetEvent(pRun->hStarted);
    ::ResumeThread(pi.hThread);
    ::CloseHandle(pi.hThread);
    if (bDebugged)
        WatchRenderer(pRun, pi.dwProcessId);
    else
        ::WaitForSingleObject(pi.hProcess, INFINITE);
    pRun->Release();
    return 0;
}

// The program's own path, in wide characters; empty when it cannot be had.
std::wstring ProgramPath()
{
    std::vector<wchar_t> path(MAX_PATH);
    for (;;)
    {
        const DWORD nLength = ::GetModuleFileNameW(NULL, path.data(), (DWORD)path.size());
        if (nLength == 0)
            return std::wstring();
        if (nLength < path.size())
            return std::wstring(path.data(), nLength);
        if (path.size() >= 32768)
            return std::wstring();
        path.resize(path.size() * 2);
    }
}

// The renderer's path as it may be shown to the user.
CString ShownPath(const std::wstring& strPath)
{
    return CString(strPath.c_str());
}
} // namespace

std::wstring AFX_CDECL XTPMetafileRendererPath()
{
    std::wstring strPath = ProgramPath();
    if (strPath.empty())
        return strPath;
    const size_t nSlash = strPath.find_last_of(L"\\/");
    strPath = (nSlash == std::wstring::npos ? std::wstring() : strPath.substr(0, nSlash + 1)) +
              XTP_METAFILE_RENDERER_EXE_W;
    return strPath;
}

BOOL AFX_CDECL XTPRenderMetafileApart(const BYTE* pData, size_t nSize, CSize sz, DWORD* pPixels,
                                      CString& strProblem, DWORD dwTimeout, XTPMetafileRenderFailure* pnFailure)
{
    strProblem.Empty();
    XTPMetafileRenderFailure nFailureIgnored = xtpRenderNoFailure;
    XTPMetafileRenderFailure& nFailure = pnFailure != NULL ? *pnFailure : nFailureIgnored;
    nFailure = xtpRenderPictureRefused;
    // A button image is small; the limit keeps the block's size far from
    // any overflow.
    if (pPixels == NULL || sz.cx <= 0 || sz.cy <= 0 || sz.cx > 1024 || sz.cy > 1024)
    {
        strProblem = _T("nowhere to draw");
        return FALSE;
    }
    // The checks of the whole file refuse most damage at once, without a
    // process.
    if (!XTPCheckMetafileData(pData, nSize, strProblem))
        return FALSE;
    const std::wstring strExe = XTPMetafileRendererPath();
    const DWORD dwAttributes = strExe.empty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesW(strExe.c_str());
    if (dwAttributes == INVALID_FILE_ATTRIBUTES || (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    {
        nFailure = xtpRenderNoRenderer;
        strProblem.Format(_T("the metafile renderer %s is missing"),
                          strExe.empty() ? XTP_METAFILE_RENDERER_EXE : (LPCTSTR)ShownPath(strExe));
        return FALSE;
    }

    const ULONGLONG offData = Align16(sizeof(XTP_METAFILE_RENDER_BLOCK));
    const ULONGLONG offPixels = Align16(offData + nSize);
    const ULONGLONG cbPixels = (ULONGLONG)sz.cx * (ULONGLONG)sz.cy * 4;
    const ULONGLONG cbBlock = offPixels + cbPixels;
    if (cbBlock > 0x7FFFFFFF)
    {
        strProblem = _T("a metafile too large to draw");
        return FALSE;
    }

    // A name of the block no other call uses.
    static LONG s_nCalls = 0;
    wchar_t szName[96];
    _snwprintf(szName, sizeof(szName) / sizeof(szName[0]) - 1, L"XTPMetafileRender.%lu.%lu.%lu",
               (unsigned long)::GetCurrentProcessId(), (unsigned long)::InterlockedIncrement(&s_nCalls),
               (unsigned long)::GetTickCount());
    szName[sizeof(szName) / sizeof(szName[0]) - 1] = 0;
    HANDLE hMapping = ::CreateFileMappingW(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE, 0, (DWORD)cbBlock, szName);
    if (hMapping != NULL && ::GetLastError() == ERROR_ALREADY_EXISTS)
    {
        // Another process made a block of this name: it is not ours to use.
        ::CloseHandle(hMapping);
        hMapping = NULL;
        ::SetLastError(ERROR_ALREADY_EXISTS);
    }
    if (hMapping == NULL)
    {
        strProblem.Format(_T("no shared memory for the picture (%lu)"), (unsigned long)::GetLastError());
        return FALSE;
    }
    BYTE* pBlock = (BYTE*)::MapViewOfFile(hMapping, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, (SIZE_T)cbBlock);
    if (pBlock == NULL)
    {
        strProblem.Format(_T("no shared memory for the picture (%lu)"), (unsigned long)::GetLastError());
        ::CloseHandle(hMapping);
        return FALSE;
    }
    XTP_METAFILE_RENDER_BLOCK* pHeader = (XTP_METAFILE_RENDER_BLOCK*)pBlock;
    ZeroMemory(pHeader, sizeof(*pHeader));
    pHeader->dwSignature = XTP_METAFILE_RENDER_SIGNATURE;
    pHeader->cbBlock = (DWORD)cbBlock;
    pHeader->cx = sz.cx;
    pHeader->cy = sz.cy;
    pHeader->offData = (DWORD)offData;
    pHeader->cbData = (DWORD)nSize;
    pHeader->offPixels = (DWORD)offPixels;
    pHeader->nResult = -1;
    memcpy(pBlock + offData, pData, nSize);
    memcpy(pBlock + offPixels, pPixels, (size_t)cbPixels);

    // The renderer ends itself a while after the program's limit, should
    // the program be gone by then.
    CRendererRun* pRun = new CRendererRun;
    pRun->strExe = strExe;
    wchar_t szArguments[128];
    _snwprintf(szArguments, sizeof(szArguments) / sizeof(szArguments[0]) - 1, L" %ls %lu", szName,
               (unsigned long)(dwTimeout + 1000));
    szArguments[sizeof(szArguments) / sizeof(szArguments[0]) - 1] = 0;
    pRun->strCommand = L"\"" + strExe + L"\"" + szArguments;
    pRun->hJob = CreateRendererJob();
    const DWORD dwStart = ::GetTickCount();
    HANDLE hThread = pRun->hStarted != NULL ? ::CreateThread(NULL, 0, RunRenderer, pRun, 0, NULL) : NULL;
    if (hThread == NULL)
    {
        strProblem.Format(_T("the metafile renderer could not be watched (%lu)"), (unsigned long)::GetLastError());
        if (pRun->hJob != NULL)
            ::CloseHandle(pRun->hJob);
        delete pRun;
        ::UnmapViewOfFile(pBlock);
        ::CloseHandle(hMapping);
        return FALSE;
    }

    // Wait for it, answering what comes to this thread meanwhile. The
    // watching thread ends with the renderer, or at once when it could not
    // start it.
    HCURSOR hOldCursor = ::SetCursor(::LoadCursor(NULL, IDC_WAIT));
    bool bEnded = false, bQuit = false;
    for (;;)
    {
        const DWORD dwElapsed = ::GetTickCount() - dwStart;
        if (dwElapsed >= dwTimeout)
            break;
        const DWORD dwWait =
            ::MsgWaitForMultipleObjects(1, &hThread, FALSE, std::min<DWORD>(dwTimeout - dwElapsed, 50),
                                        QS_POSTMESSAGE | QS_PAINT | QS_SENDMESSAGE | QS_TIMER);
        if (dwWait == WAIT_OBJECT_0)
        {
            bEnded = true;
            break;
        }
        if (dwWait == WAIT_FAILED)
            break;
        if (!PumpWhileWaiting())
        {
            bQuit = true;
            break;
        }
    }
    ::SetCursor(hOldCursor);

    const bool bTimedOut = !bEnded && !bQuit;
    if (!bEnded)
    {
        // Ended here; its watching thread then sees it end.
        if (::WaitForSingleObject(pRun->hStarted, 1000) == WAIT_OBJECT_0 && pRun->bStarted)
            ::TerminateProcess(pRun->hProcess, xtpRendererOutOfTime);
        bEnded = ::WaitForSingleObject(hThread, 2000) == WAIT_OBJECT_0;
    }
    ::CloseHandle(hThread);

    BOOL bDrawn = FALSE;
    if (!bEnded)
    {
        strProblem = _T("the metafile renderer could not be ended");
    }
    else if (!pRun->bStarted)
    {
        nFailure = xtpRenderNoRenderer;
        strProblem.Format(_T("the metafile renderer %s cannot start (%lu)"), (LPCTSTR)ShownPath(strExe),
                          (unsigned long)pRun->dwStartError);
    }
    else
    {
        DWORD dwExit = 0;
        ::GetExitCodeProcess(pRun->hProcess, &dwExit);
        const LONG nResult = pHeader->nResult;
        const bool bTookCall = pHeader->nStarted == 1;
        if (bQuit)
        {
            strProblem = _T("the program is closing");
        }
        else if (bTimedOut && !bTookCall)
        {
            // Whatever the picture, the renderer never came to it.
            nFailure = xtpRenderRendererSilent;
            strProblem.Format(_T("the metafile renderer %s did not take the picture within %lu ms"),
                              (LPCTSTR)ShownPath(strExe), (unsigned long)dwTimeout);
        }
        else if (bTimedOut)
        {
            strProblem.Format(_T("drawing the picture took longer than %lu ms"), (unsigned long)dwTimeout);
        }
        else if (pRun->dwFault != 0)
        {
            strProblem.Format(_T("the picture made the metafile renderer fail (0x%08lX)"),
                              (unsigned long)pRun->dwFault);
        }
        else if (!bTookCall && EndedWithoutWorking(dwExit, nResult))
        {
            nFailure = xtpRenderNoRenderer;
            strProblem.Format(_T("the metafile renderer %s does not work (it ended with 0x%08lX)"),
                              (LPCTSTR)ShownPath(strExe), (unsigned long)dwExit);
        }
        else if (dwExit == xtpRendererDrawn && nResult == 1)
        {
            memcpy(pPixels, pBlock + offPixels, (size_t)cbPixels);
            bDrawn = TRUE;
            nFailure = xtpRenderNoFailure;
        }
        else if (dwExit == xtpRendererRefused && nResult == 0)
        {
            pHeader->szProblem[sizeof(pHeader->szProblem) - 1] = 0;
            strProblem = pHeader->szProblem;
            if (strProblem.IsEmpty())
                strProblem = _T("the metafile renderer refused the picture");
        }
        else if (bTookCall && nResult == -1 && !EndedByThePicture(dwExit))
        {
            // It was drawing when something outside ended it.
            nFailure = xtpRenderRendererEnded;
            strProblem.Format(_T("the metafile renderer %s was ended before it answered (0x%08lX)"),
                              (LPCTSTR)ShownPath(strExe), (unsigned long)dwExit);
        }
        else
        {
            strProblem = ExitReason(dwExit);
        }
    }
    if (pRun->hJob != NULL)
        ::CloseHandle(pRun->hJob);
    pRun->hJob = NULL;
    pRun->Release();
    ::UnmapViewOfFile(pBlock);
    ::CloseHandle(hMapping);
    return bDrawn;
}
