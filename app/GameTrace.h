// Failure reports of the game window: a line on the debugger output, so a
// failure that the player need not hear about is still recorded somewhere.
#pragma once

#include <afx.h>

// printf-style; a line end is added.
void AFXAPI GameTrace(LPCTSTR lpszFormat, ...) __attribute__((format(printf, 1, 2)));
