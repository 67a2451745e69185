// The game's last resort for a failure that nothing else caught: a
// processor fault (in any thread of the game), or a C++ exception that
// reached no exception barrier. The profile lists that the player changed in
// the session are written at a normal exit only; here they are stored
// first, then the player is told that the game must close, and it ends.
#pragma once

#include <afxwin.h>

// Installs the handlers for the whole process: the top-level exception
// filter and the C++ terminate handler. Called once at start-up.
void AFXAPI InstallGameFailureHandlers();

// The message for a failure: the fault code and its address (code 0 for a
// C++ exception that nothing caught), and whether the profiles were stored.
CString AFXAPI GameFailureText(DWORD dwCode, const void* pAddress, BOOL bProfilesStored);

// Stores the profile lists (when they were loaded) and tells the player.
// Runs once a process: a second failure while the first is reported only
// waits for it. TRUE when the lists were stored.
BOOL AFXAPI ReportGameFailure(DWORD dwCode, const void* pAddress);

// The top-level exception filter: reports the fault and ends the process
// with the fault's code.
LONG WINAPI GameUnhandledExceptionFilter(EXCEPTION_POINTERS* pInfo);

// Replaces the message box that tells the player (tests); NULL restores it.
// Returns the previous replacement.
typedef void(AFXAPI* PFN_TELLGAMEFAILURE)(const CString& strText);
PFN_TELLGAMEFAILURE AFXAPI SetGameFailureMessageHandler(PFN_TELLGAMEFAILURE pfnHandler);

// Lets the next failure be reported again (tests).
void AFXAPI ResetGameFailureReport();
