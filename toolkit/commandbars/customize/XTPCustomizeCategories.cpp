// Command categories of the customize pages.
#include "XTPCustomizeCategories.h"

#include "XTPControls.h"
#include "XTPDrawHelpers.h"


CString AFX_CDECL XTPStripMenuAmpersands(LPCTSTR lpszCaption)
{
    CString strResult(lpszCaption != NULL ? lpszCaption : _T(""));
    CXTPDrawHelpers::StripMnemonics(strResult);
    return strResult;
}
