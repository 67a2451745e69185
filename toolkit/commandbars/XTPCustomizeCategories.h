// Command categories of the customize pages: a caption and the controls
// listed under it, built from the top-level items of a menu.
#pragma once

#include "XTPCommandBarsDefines.h"
#include <afxtempl.h>

class CXTPCommandBars;
class CXTPControls;

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

// The categories of one page, in insertion order; the array owns them.
typedef CArray<XTP_COMMANDBARS_CATEGORYINFO*, XTP_COMMANDBARS_CATEGORYINFO*> CXTPCommandBarsCategoryArray;

// A menu caption as a category caption: a single '&' is dropped and "&&"
// becomes "&".
CString AFX_CDECL XTPStripMenuAmpersands(LPCTSTR lpszCaption);
