// The popup bar the command bars' mouse manager tracks innermost: the one a
// test's next click or key goes to while menus are open.
#pragma once

#include <XTPCommandBar.h>
#include <XTPHookManager.h>
#include <XTPPopupBar.h>

namespace testsupport
{
// The popup bar tracked last (the innermost open popup), or NULL.
inline CXTPPopupBar* InnermostTrackedPopup()
{
    const CXTPMouseManager::CTrackArray& arr = XTPMouseManager()->GetTrackArray();
    for (INT_PTR i = arr.GetSize() - 1; i >= 0; i--)
    {
        CXTPCommandBar* pBar = static_cast<CXTPCommandBar*>(arr[i]);
        if (pBar->IsPopupBar())
            return (CXTPPopupBar*)pBar;
    }
    return NULL;
}
} // namespace testsupport
