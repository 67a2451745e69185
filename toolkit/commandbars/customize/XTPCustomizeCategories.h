// Command categories of the customize pages: a caption and the controls
// listed under it, built from the top-level items of a menu.
#pragma once

#include "XTPCommandBarsDefines.h"
#include <afxtempl.h>

class CXTPCommandBars;
class CXTPControls;

// The Commands page defines the category record that both pages keep.
#include "XTPCustomizeCommandsPage.h"

// A menu caption as a category caption: a single '&' is dropped and "&&"
// becomes "&".
CString AFX_CDECL XTPStripMenuAmpersands(LPCTSTR lpszCaption);
