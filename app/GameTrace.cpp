// Failure reports of the game window.
#include "GameTrace.h"

#include <stdarg.h>
#include <stdio.h>

void AFXAPI GameTrace(LPCTSTR lpszFormat, ...)
{
    char szLine[512];
    va_list args;
    va_start(args, lpszFormat);
    int nLength = vsnprintf(szLine, sizeof(szLine) - 2, lpszFormat, args);
    va_end(args);
    if (nLength < 0)
        return;
    if (nLength > (int)sizeof(szLine) - 3)
        nLength = (int)sizeof(szLine) - 3;
    szLine[nLength] = '\n';
    szLine[nLength + 1] = '\0';
    ::OutputDebugStringA(szLine);
}
