// Shared include for the toolkit's foundation: the class library's window and
// control layers plus a few toolkit-wide definitions.
#pragma once

#include <afxwin.h>


#ifndef AFX_CDECL
#define AFX_CDECL __cdecl
#endif

// A COLORREF with every bit set means "unset: use the default" throughout the toolkit.
#ifndef COLORREF_NULL
#define COLORREF_NULL ((COLORREF)-1)
#endif

// Image states used by the image manager, the command bars and the paint themes.
enum XTPImageState
{
    xtpImageNormal = 0,
    xtpImageDisabled = 1,
    xtpImageHot = 2,
    xtpImageChecked = 3,
    xtpImagePressed = 4
};
