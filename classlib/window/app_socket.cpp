// Socket-library start-up for the application.
#include <winsock2.h>
#include "wndimpl.h"

#include <stdlib.h>

static void AfxSocketTerm()
{
    ::WSACleanup();
}

BOOL AFXAPI AfxSocketInit(struct WSAData* lpwsaData)
{
    static BOOL s_bStarted = FALSE;
    WSADATA wsaData;
    if (lpwsaData == NULL)
        lpwsaData = &wsaData;
    if (::WSAStartup(MAKEWORD(1, 1), lpwsaData) != 0)
        return FALSE;
    if (s_bStarted)
    {
        ::WSACleanup();   // one start-up per process is enough
        return TRUE;
    }
    if (LOBYTE(lpwsaData->wVersion) != 1 || HIBYTE(lpwsaData->wVersion) != 1)
    {
        ::WSACleanup();
        return FALSE;
    }
    s_bStarted = TRUE;
    atexit(&AfxSocketTerm);
    return TRUE;
}
