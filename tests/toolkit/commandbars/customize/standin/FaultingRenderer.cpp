// A stand-in for the metafile renderer that faults at once, the way a
// renderer that meets a fault nobody handles ends: it writes to address 0
// with no handler of its own in place.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    volatile int* pNowhere = NULL;
    *pNowhere = 1;
    return 0;
}
