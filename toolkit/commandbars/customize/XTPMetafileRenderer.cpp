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

// What the renderer's exit code says went wrong.
CString ExitReason(DWORD dwExit)
{
    CString strReason;
    switch (dwExit)
    {
    case xtpRendererBadCall:
        strReason = _T("the metafile renderer did not understand the call");
        break;
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
} // namespace

CString AFX_CDECL XTPMetafileRendererPath()
{
    TCHAR szPath[MAX_PATH + 1] = {0};
    const DWORD nLength = ::GetModuleFileName(NULL, szPath, MAX_PATH);
    if (nLength == 0 || nLength >= MAX_PATH)
        return CString();
    CString strPath(szPath);
    const int nSlash = std::max(strPath.ReverseFind('\\'), strPath.ReverseFind('/'));
    strPath = strPath.Left(nSlash + 1) + XTP_METAFILE_RENDERER_EXE;
    const DWORD dwAttributes = ::GetFileAttributes(strPath);
    if (dwAttributes == INVALID_FILE_ATTRIBUTES || (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return CString();
    return strPath;
}

BOOL AFX_CDECL XTPRenderMetafileApart(const BYTE* pData, size_t nSize, CSize sz, DWORD* pPixels,
                                      CString& strProblem, DWORD dwTimeout)
{
    strProblem.Empty();
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
    const CString strExe = XTPMetafileRendererPath();
    if (strExe.IsEmpty())
    {
        strProblem.Format(_T("the metafile renderer %s is not beside the program"), XTP_METAFILE_RENDERER_EXE);
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
    CString strName;
    strName.Format(_T("XTPMetafileRender.%lu.%lu.%lu"), (unsigned long)::GetCurrentProcessId(),
                   (unsigned long)::InterlockedIncrement(&s_nCalls), (unsigned long)::GetTickCount());
    HANDLE hMapping = ::CreateFileMapping(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE, 0, (DWORD)cbBlock, strName);
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
    CString strCommand;
    strCommand.Format(_T("\"%s\" %s %lu"), (LPCTSTR)strExe, (LPCTSTR)strName, (unsigned long)(dwTimeout + 1000));
    std::vector<TCHAR> command(strCommand.GetLength() + 1);
    memcpy(command.data(), (LPCTSTR)strCommand, command.size() * sizeof(TCHAR));
    STARTUPINFO si;
    ZeroMemory(&si, sizeof(si));
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi;
    ZeroMemory(&pi, sizeof(pi));
    const DWORD dwStart = ::GetTickCount();
    if (!::CreateProcess(strExe, command.data(), NULL, NULL, FALSE, CREATE_SUSPENDED | CREATE_NO_WINDOW, NULL, NULL,
                         &si, &pi))
    {
        strProblem.Format(_T("the metafile renderer did not start (%lu)"), (unsigned long)::GetLastError());
        ::UnmapViewOfFile(pBlock);
        ::CloseHandle(hMapping);
        return FALSE;
    }
    HANDLE hJob = CreateRendererJob();
    if (hJob != NULL && !::AssignProcessToJobObject(hJob, pi.hProcess))
        TRACE("metafile renderer: not kept in a job (%lu)\n", (unsigned long)::GetLastError());
    ::ResumeThread(pi.hThread);
    ::CloseHandle(pi.hThread);

    // Wait for it, answering what comes to this thread meanwhile.
    HCURSOR hOldCursor = ::SetCursor(::LoadCursor(NULL, IDC_WAIT));
    bool bEnded = false, bQuit = false;
    for (;;)
    {
        const DWORD dwElapsed = ::GetTickCount() - dwStart;
        if (dwElapsed >= dwTimeout)
            break;
        const DWORD dwWait =
            ::MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, std::min<DWORD>(dwTimeout - dwElapsed, 50),
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

    BOOL bDrawn = FALSE;
    if (!bEnded)
    {
        ::TerminateProcess(pi.hProcess, xtpRendererOutOfTime);
        ::WaitForSingleObject(pi.hProcess, 1000);
        if (bQuit)
            strProblem = _T("the program is closing");
        else
            strProblem.Format(_T("drawing the picture took longer than %lu ms"), (unsigned long)dwTimeout);
    }
    else
    {
        DWORD dwExit = 0;
        ::GetExitCodeProcess(pi.hProcess, &dwExit);
        if (dwExit == xtpRendererDrawn && pHeader->nResult == 1)
        {
            memcpy(pPixels, pBlock + offPixels, (size_t)cbPixels);
            bDrawn = TRUE;
        }
        else if (dwExit == xtpRendererRefused && pHeader->nResult == 0)
        {
            pHeader->szProblem[sizeof(pHeader->szProblem) - 1] = 0;
            strProblem = pHeader->szProblem;
            if (strProblem.IsEmpty())
                strProblem = _T("the metafile renderer refused the picture");
        }
        else
        {
            strProblem = ExitReason(dwExit);
        }
    }
    ::CloseHandle(pi.hProcess);
    if (hJob != NULL)
        ::CloseHandle(hJob);
    ::UnmapViewOfFile(pBlock);
    ::CloseHandle(hMapping);
    return bDrawn;
}
