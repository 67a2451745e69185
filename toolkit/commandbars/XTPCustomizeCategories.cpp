// Command categories of the customize pages.
#include "XTPCustomizeCategories.h"

#include "XTPControls.h"

#ifdef XTP_CATEGORYINFO_DEFINED_HERE
XTP_COMMANDBARS_CATEGORYINFO::XTP_COMMANDBARS_CATEGORYINFO(LPCTSTR lpszCategory, CXTPCommandBars* pCommandBars)
    : strCategory(lpszCategory), pControls(new CXTPControls)
{
    pControls->SetCommandBars(pCommandBars);
}

XTP_COMMANDBARS_CATEGORYINFO::~XTP_COMMANDBARS_CATEGORYINFO()
{
    pControls->InternalRelease();
}
#endif

CString AFX_CDECL XTPStripMenuAmpersands(LPCTSTR lpszCaption)
{
    CString strResult;
    if (lpszCaption == NULL)
        return strResult;
    for (LPCTSTR p = lpszCaption; *p != 0; p++)
    {
        if (*p == '&')
        {
            // "&&" stands for one '&'; a single '&' only marks the access key.
            if (p[1] == '&')
            {
                strResult += '&';
                p++;
            }
            continue;
        }
        strResult += *p;
    }
    return strResult;
}
