// The diagnostics behind TRACE and ASSERT: formatted lines to the debugger
// output, seen first by an optional hook.
#include <afx.h>

namespace
{
AFX_TRACE_HOOK s_pfnTraceHook = NULL;

void WriteTraceLine(const char* lpszLine)
{
    AFX_TRACE_HOOK pfnHook = s_pfnTraceHook;
    if (pfnHook != NULL)
        pfnHook(lpszLine);
    ::OutputDebugStringA(lpszLine);
}
} // namespace

AFX_TRACE_HOOK AFXAPI AfxSetTraceHook(AFX_TRACE_HOOK pfnHook)
{
    AFX_TRACE_HOOK pfnPrevious = s_pfnTraceHook;
    s_pfnTraceHook = pfnHook;
    return pfnPrevious;
}

void AFX_CDECL AfxTrace(const char* lpszFormat, ...)
{
    // A fixed buffer: tracing runs on failure paths (out of memory
    // included) and must not fail itself. Longer messages are cut.
    char szLine[1024];
    va_list args;
    va_start(args, lpszFormat);
    int nLength = vsnprintf(szLine, sizeof(szLine), lpszFormat != NULL ? lpszFormat : "", args);
    va_end(args);
    if (nLength < 0)
        return;
    WriteTraceLine(szLine);
}

void AFXAPI AfxAssertFailedLine(const char* lpszFileName, int nLine)
{
    AfxTrace("Assertion failed: %s(%d)\n", lpszFileName != NULL ? lpszFileName : "?", nLine);
    if (::IsDebuggerPresent())
        ::DebugBreak();
}

void AFXAPI AfxTraceException(const char* lpszWhere, const CException* e)
{
    char szMessage[512] = "";
    if (e == NULL)
        strcpy(szMessage, "an exception of an unknown kind");
    else if (!e->GetErrorMessage(szMessage, sizeof(szMessage), NULL) || szMessage[0] == '\0')
        snprintf(szMessage, sizeof(szMessage), "a %s", e->GetRuntimeClass()->m_lpszClassName);
    AfxTrace("%s: %s was caught and not passed on\n", lpszWhere != NULL ? lpszWhere : "?", szMessage);
}
