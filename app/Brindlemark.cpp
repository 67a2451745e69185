// The program: its one application object.  The class library's WinMain
// runs it (InitInstance, the message loop, ExitInstance).
#include "BrindlemarkStartup.h"
#include "GameFailure.h"
#include "FennList.h"

CBrindlemarkApp theApp;

// A failure that nothing catches is told to the player and keeps the
// session's profiles (the program only: test programs that start the game
// in-process keep their own crash handling).
static const bool s_bFailureHandlers = (InstallGameFailureHandlers(), true);

// The C runtime asks for WinMain only after the program's libraries have been
// searched; naming it here makes the linker take the class library's.
extern "C" int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int);
static int (WINAPI* const s_pfnProgramEntry)(HINSTANCE, HINSTANCE, LPSTR, int) __attribute__((used)) = &WinMain;

// The program exports the string item class of its keyed lists (the class is
// declared for export). Its members live in a library object nothing else
// here calls; naming one makes the linker take that object, and with it
// the class's exports.
static CString (CFennCString::*const s_pfnExportedStringItem)() const __attribute__((used)) =
    &CFennCString::GetKeyFieldString;
