// Stand-ins for the metafile renderer that never answer: built with
// BM_TAKES_CALL 0 it never takes the call (it waits until it is ended);
// with 1 it takes the call as the renderer does and then ends without an
// answer, with the code a program ended from outside gets.
#include <afxwin.h>

#include <cwchar>

#include "XTPMetafileRenderer.h"

extern "C" int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
#if BM_TAKES_CALL
    // "<program>" <name of the block> <milliseconds>
    LPCWSTR p = ::GetCommandLineW();
    p = wcschr(p + 1, L'"');
    wchar_t szName[128] = L"";
    unsigned long nLimit = 0;
    if (p == NULL || swscanf(p + 1, L"%127ls %lu", szName, &nLimit) != 2)
        return 2;
    HANDLE hMapping = ::OpenFileMappingW(FILE_MAP_READ | FILE_MAP_WRITE, FALSE, szName);
    XTP_METAFILE_RENDER_BLOCK* pHeader =
        hMapping != NULL ? (XTP_METAFILE_RENDER_BLOCK*)::MapViewOfFile(hMapping, FILE_MAP_WRITE, 0, 0, 0) : NULL;
    if (pHeader == NULL)
        return 2;
    ::InterlockedExchange(&pHeader->nStarted, 1);
    ::Sleep(100);
    return 1;
#else
    ::Sleep(INFINITE);
    return 0;
#endif
}
