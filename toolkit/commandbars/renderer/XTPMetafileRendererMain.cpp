// The metafile renderer: draws one metafile a program hands it through a
// shared block onto a bitmap of its own and gives back the pixels. It runs
// apart from the program so that whatever the file makes the system's
// record player do (a fault, a run of minutes, a grab of memory) ends only
// this process. It ends itself on any fault, past its time limit, and when
// it takes more memory than allowed.
#include <afxwin.h>

#include <psapi.h>

#include <cstdio>
#include <cwchar>
#include <cstdlib>
#include <cstring>

#include "XTPImageEditorMetafile.h"
#include "XTPMetafileRenderer.h"

namespace
{
// A fault anywhere ends the process at once with its code: no debugger, no
// message box, nothing left running.
LONG WINAPI EndOnFault(EXCEPTION_POINTERS* pInfo)
{
    const DWORD dwCode = pInfo != NULL && pInfo->ExceptionRecord != NULL ? pInfo->ExceptionRecord->ExceptionCode
                                                                          : (DWORD)EXCEPTION_ACCESS_VIOLATION;
    ::TerminateProcess(::GetCurrentProcess(), dwCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

typedef BOOL(WINAPI* PFNGETPROCESSMEMORYINFO)(HANDLE, PPROCESS_MEMORY_COUNTERS, DWORD);

PFNGETPROCESSMEMORYINFO MemoryInfoEntry()
{
    FARPROC pfn = ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "K32GetProcessMemoryInfo");
    if (pfn == NULL)
    {
        HMODULE hPsapi = ::LoadLibraryA("psapi.dll");
        if (hPsapi != NULL)
            pfn = ::GetProcAddress(hPsapi, "GetProcessMemoryInfo");
    }
    PFNGETPROCESSMEMORYINFO pfnInfo = NULL;
    static_assert(sizeof(pfn) == sizeof(pfnInfo), "entry points are of one size");
    memcpy(&pfnInfo, &pfn, sizeof(pfn));
    return pfnInfo;
}

struct CWatch
{
    DWORD dwStart;
    DWORD dwLimit;
    PFNGETPROCESSMEMORYINFO pfnMemory;
};

// Looks at the clock and the process's memory every few milliseconds and
// ends the process past either limit.
DWORD WINAPI Watch(LPVOID pParam)
{
    const CWatch watch = *static_cast<const CWatch*>(pParam);
    for (;;)
    {
        if (::GetTickCount() - watch.dwStart > watch.dwLimit)
            ::TerminateProcess(::GetCurrentProcess(), xtpRendererOutOfTime);
        if (watch.pfnMemory != NULL)
        {
            PROCESS_MEMORY_COUNTERS counters;
            ZeroMemory(&counters, sizeof(counters));
            counters.cb = sizeof(counters);
            if (watch.pfnMemory(::GetCurrentProcess(), &counters, sizeof(counters)) &&
                (counters.PagefileUsage > XTP_METAFILE_RENDER_MEMORY ||
                 counters.WorkingSetSize > XTP_METAFILE_RENDER_MEMORY))
                ::TerminateProcess(::GetCurrentProcess(), xtpRendererOutOfMemory);
        }
        ::Sleep(5);
    }
}

// Plays the block's metafile onto its pixels; the result and the reason of
// a refusal go into the block.
int Draw(XTP_METAFILE_RENDER_BLOCK* pHeader, BYTE* pBlock)
{
    const int cx = pHeader->cx, cy = pHeader->cy;
    BITMAPINFO bmi;
    ZeroMemory(&bmi, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    HDC hDC = ::CreateCompatibleDC(NULL);
    if (hBitmap == NULL || pBits == NULL || hDC == NULL)
    {
        strncpy(pHeader->szProblem, "no bitmap to draw on", sizeof(pHeader->szProblem) - 1);
        pHeader->nResult = 0;
        return xtpRendererRefused;
    }
    const size_t cbPixels = (size_t)cx * (size_t)cy * 4;
    memcpy(pBits, pBlock + pHeader->offPixels, cbPixels);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    const RECT rcDest = {0, 0, cx, cy};
    CString strProblem;
    const BOOL bPlayed =
        XTPPlayMetafileData(hDC, rcDest, pBlock + pHeader->offData, pHeader->cbData, strProblem);
    ::GdiFlush();
    ::SelectObject(hDC, hOld);
    if (bPlayed)
        memcpy(pBlock + pHeader->offPixels, pBits, cbPixels);
    ::DeleteDC(hDC);
    ::DeleteObject(hBitmap);
    if (!bPlayed)
    {
        strncpy(pHeader->szProblem, (LPCSTR)strProblem, sizeof(pHeader->szProblem) - 1);
        pHeader->nResult = 0;
        return xtpRendererRefused;
    }
    pHeader->nResult = 1;
    return xtpRendererDrawn;
}

// The arguments after the program's own name on a command line.
LPCWSTR SkipProgramName(LPCWSTR p)
{
    if (p == NULL)
        return L"";
    if (*p == L'"')
    {
        for (++p; *p != 0 && *p != L'"'; ++p)
        {
        }
        if (*p == L'"')
            ++p;
    }
    else
    {
        while (*p != 0 && *p != L' ' && *p != L'\t')
            ++p;
    }
    return p;
}

int Run(LPCWSTR lpszArguments)
{
    // "<name of the block> <milliseconds>", read in wide characters as the
    // program wrote them.
    wchar_t szName[128] = L"";
    unsigned long nLimit = 0;
    if (swscanf(lpszArguments, L"%127ls %lu", szName, &nLimit) != 2 || nLimit == 0)
        return xtpRendererBadCall;

    static CWatch s_watch;
    s_watch.dwStart = ::GetTickCount();
    s_watch.dwLimit = (DWORD)nLimit;
    s_watch.pfnMemory = MemoryInfoEntry();
    HANDLE hWatch = ::CreateThread(NULL, 0, Watch, &s_watch, 0, NULL);
    if (hWatch == NULL)
        return xtpRendererBadCall;   // nothing would bound the run
    ::CloseHandle(hWatch);

    HANDLE hMapping = ::OpenFileMappingW(FILE_MAP_READ | FILE_MAP_WRITE, FALSE, szName);
    if (hMapping == NULL)
        return xtpRendererBadCall;
    BYTE* pBlock = (BYTE*)::MapViewOfFile(hMapping, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, 0);
    if (pBlock == NULL)
        return xtpRendererBadCall;
    MEMORY_BASIC_INFORMATION mbi;
    if (::VirtualQuery(pBlock, &mbi, sizeof(mbi)) != sizeof(mbi))
        return xtpRendererBadCall;
    // The block must hold what its header says, wherever it came from.
    XTP_METAFILE_RENDER_BLOCK* pHeader = (XTP_METAFILE_RENDER_BLOCK*)pBlock;
    const ULONGLONG cbView = mbi.RegionSize;
    if (cbView < sizeof(*pHeader) || pHeader->dwSignature != XTP_METAFILE_RENDER_SIGNATURE ||
        pHeader->cbBlock > cbView || pHeader->cx <= 0 || pHeader->cy <= 0 || pHeader->cx > 1024 ||
        pHeader->cy > 1024 || pHeader->offData < sizeof(*pHeader) ||
        (ULONGLONG)pHeader->offData + pHeader->cbData > pHeader->cbBlock || pHeader->offPixels % 4 != 0 ||
        pHeader->offPixels < sizeof(*pHeader) ||
        (ULONGLONG)pHeader->offPixels + (ULONGLONG)pHeader->cx * (ULONGLONG)pHeader->cy * 4 > pHeader->cbBlock)
        return xtpRendererBadCall;
    // The program learns that the call was taken: from here on, an end
    // without an answer is not for want of a renderer.
    ::InterlockedExchange(&pHeader->nStarted, 1);
    return Draw(pHeader, pBlock);
}
} // namespace

extern "C" int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    ::SetUnhandledExceptionFilter(EndOnFault);
    try
    {
        return Run(SkipProgramName(::GetCommandLineW()));
    }
    catch (...)
    {
        // An exception of the class library (out of memory): the program
        // refuses the picture by the exit code.
        return xtpRendererException;
    }
}
