// The game's last resort for a failure that nothing else caught.
#include "GameFailure.h"

#include <exception>

#include "ApplicationInfo.h"
#include "XTPFaultGuard.h"

namespace
{
PFN_TELLGAMEFAILURE s_pfnTell = NULL;
LONG s_nReporting = 0;
DWORD s_dwTellThreadId = 0;   // the thread that shows the message

// The message box runs in a thread of its own and the failing thread waits
// for it: a message loop on the failing thread would hand timers and paints
// to the game's windows, whose state may be what failed.
DWORD WINAPI TellThread(LPVOID lpParam)
{
    const CString* pText = static_cast<const CString*>(lpParam);
    ::MessageBoxA(NULL, *pText, "Brindlemark", MB_OK | MB_ICONSTOP | MB_SETFOREGROUND | MB_TOPMOST);
    return 0;
}

void TellPlayer(const CString& strText)
{
    if (s_pfnTell != NULL)
    {
        s_pfnTell(strText);
        return;
    }
    HANDLE hThread = ::CreateThread(NULL, 0, &TellThread, (LPVOID)&strText, 0, &s_dwTellThreadId);
    if (hThread == NULL)
    {
        TellThread((LPVOID)&strText);
        return;
    }
    ::WaitForSingleObject(hThread, INFINITE);
    ::CloseHandle(hThread);
}

BOOL StoreProfiles()
{
    if (!g_ApplicationInfo.IsLoaded())
        return FALSE;
    BOOL bStored = FALSE;
    try
    {
        // A fault while writing (the lists may be what failed) ends the
        // write, not the report.
        XTPFaultGuarded("Storing the profiles after a failure", [&]() { bStored = g_ApplicationInfo.SaveToRegistry(); });
    }
    catch (CException* e)
    {
        TRACE_EXCEPTION("Storing the profiles after a failure", e);
        e->Delete();
    }
    catch (...)
    {
        TRACE_EXCEPTION("Storing the profiles after a failure", NULL);
    }
    return bStored;
}

void TerminateHandler()
{
    ReportGameFailure(0, NULL);
    ::TerminateProcess(::GetCurrentProcess(), 3);
}
} // namespace

CString AFXAPI GameFailureText(DWORD dwCode, const void* pAddress, BOOL bProfilesStored)
{
    CString strText;
    if (dwCode != 0)
        strText.Format("Brindlemark has met an unexpected failure (fault 0x%08lX at %p) and must close.",
                       (unsigned long)dwCode, pAddress);
    else
        strText = "Brindlemark has met an unexpected failure and must close.";
    strText += bProfilesStored ? "\n\nYour appearance and difficulty profiles have been saved."
                               : "\n\nChanges to your profiles since the start could not be saved.";
    strText += "\nA puzzle that was not saved is lost.";
    return strText;
}

BOOL AFXAPI ReportGameFailure(DWORD dwCode, const void* pAddress)
{
    if (::InterlockedExchange(&s_nReporting, 1) != 0)
    {
        // Another thread reports already; this one waits for the end of the
        // process. The message's own thread failing ends it at once.
        if (s_pfnTell == NULL && ::GetCurrentThreadId() != s_dwTellThreadId)
            ::Sleep(INFINITE);
        return FALSE;
    }
    TRACE("Unexpected failure: code 0x%08lX at %p; the game ends\n", (unsigned long)dwCode, pAddress);
    const BOOL bStored = StoreProfiles();
    TellPlayer(GameFailureText(dwCode, pAddress, bStored));
    return bStored;
}

LONG WINAPI GameUnhandledExceptionFilter(EXCEPTION_POINTERS* pInfo)
{
    DWORD dwCode = 0xC0000001;
    const void* pAddress = NULL;
    if (pInfo != NULL && pInfo->ExceptionRecord != NULL)
    {
        dwCode = pInfo->ExceptionRecord->ExceptionCode;
        pAddress = pInfo->ExceptionRecord->ExceptionAddress;
    }
    ReportGameFailure(dwCode, pAddress);
    return EXCEPTION_EXECUTE_HANDLER;
}

void AFXAPI InstallGameFailureHandlers()
{
    ::SetUnhandledExceptionFilter(&GameUnhandledExceptionFilter);
    std::set_terminate(&TerminateHandler);
}

PFN_TELLGAMEFAILURE AFXAPI SetGameFailureMessageHandler(PFN_TELLGAMEFAILURE pfnHandler)
{
    PFN_TELLGAMEFAILURE pfnPrevious = s_pfnTell;
    s_pfnTell = pfnHandler;
    return pfnPrevious;
}

void AFXAPI ResetGameFailureReport()
{
    ::InterlockedExchange(&s_nReporting, 0);
}
