// Command categories of the customize pages.
#include "XTPCustomizeCategories.h"

#include "XTPControls.h"


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
