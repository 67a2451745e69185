// The program: its one application object.  The class library's WinMain
// runs it (InitInstance, the message loop, ExitInstance).
#include "BrindlemarkStartup.h"

CBrindlemarkApp theApp;

// The C runtime asks for WinMain only after the program's libraries have been
// searched; naming it here makes the linker take the class library's.
extern "C" int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int);
static int (WINAPI* const s_pfnProgramEntry)(HINSTANCE, HINSTANCE, LPSTR, int) __attribute__((used)) = &WinMain;
