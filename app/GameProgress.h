// The progress window around long work (a new puzzle, a puzzle book): opened
// before the generator runs, with the main window disabled, and closed after
// it, giving the main window back.
#pragma once

#include "CreateProgress.h"

// Disables the main window, creates the modeless progress window (no
// parent), starts its bar's moving stripes and shows it. FALSE when the
// window cannot be created; the main window is then given back at once.
BOOL AFXAPI OpenProgressWindow(CCreateProgress& progress);

// Destroys the progress window and gives the main window back.
void AFXAPI CloseProgressWindow(CCreateProgress& progress);
