// Command categories of the customize pages: a caption and the controls
// listed under it, built from the top-level items of a menu.
#pragma once

#include "XTPCommandBarsDefines.h"
#include <afxtempl.h>

class CXTPCommandBars;
class CXTPControls;

#if __has_include("XTPCustomizeCommandsPage.h")
// The Commands page defines the category record that both pages keep.
#include "XTPCustomizeCommandsPage.h"
#else
#define XTP_CATEGORYINFO_DEFINED_HERE

// One category; it owns its controls collection, bound to the command bars.
struct XTP_COMMANDBARS_CATEGORYINFO
{
    XTP_COMMANDBARS_CATEGORYINFO(LPCTSTR lpszCategory, CXTPCommandBars* pCommandBars);
    ~XTP_COMMANDBARS_CATEGORYINFO();

    CString strCategory;
    CXTPControls* pControls;

private:
    XTP_COMMANDBARS_CATEGORYINFO(const XTP_COMMANDBARS_CATEGORYINFO&);
    XTP_COMMANDBARS_CATEGORYINFO& operator=(const XTP_COMMANDBARS_CATEGORYINFO&);
};
#endif

// A menu caption as a category caption: a single '&' is dropped and "&&"
// becomes "&".
CString AFX_CDECL XTPStripMenuAmpersands(LPCTSTR lpszCaption);
