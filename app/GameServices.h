// Game-wide services: the string loader, the message pump used during long
// work, the information message box, and the puzzle core's services built
// on them.
#pragma once

#include <afxwin.h>

// The string-table entry of an id, read through a buffer of 1000 characters;
// "String not found: <id>" when there is none.
CString AFXAPI LoadResourceString(UINT nID);

// Dispatches every waiting message of the thread through the application's
// pump, then runs its idle processing until that has nothing left to do. If
// the quit message is taken, it is posted again and pumping stops.
void AFXAPI PumpWaitingMessages();

// Shows the modal information box with the message and one button captioned
// with string 3500. Returns IDOK for the button, IDCANCEL for Esc or the
// close box.
INT_PTR AFXAPI ShowInfoMessage(const CString& strMessage, bool bNoToolTips = true);

// Replaces the information box (tests and unattended runs, where a modal box
// would block); NULL restores it. Returns the previous replacement.
typedef INT_PTR(AFXAPI* PFN_SHOWINFOMESSAGE)(const CString& strMessage, bool bNoToolTips);
PFN_SHOWINFOMESSAGE AFXAPI SetInfoMessageHandler(PFN_SHOWINFOMESSAGE pfnHandler);

// Hands the puzzle core the game's services (the string loader, the
// information box and the load-choice question); the application does this
// first thing at start-up.
void AFXAPI ConnectCoreServices();
