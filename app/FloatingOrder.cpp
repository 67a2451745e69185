#include "FloatingOrder.h"

#include "XTPDockingPane.h"
#include "XTPDockingPaneMiniWnd.h"
#include "XTPDockingPaneSplitterContainer.h"
#include "XTPToolBar.h"

#include <vector>

namespace
{
// The longest stored order taken: far more than the names of every window
// that can float.
const int kMaxStoredOrder = 1024;

// The top-level windows the frame owns, from the top of the order down.
std::vector<HWND> OwnedWindows(CFrameWnd* pFrame)
{
    std::vector<HWND> owned;
    for (HWND hWnd : AfxGetTopLevelWindows())
        if (::GetWindow(hWnd, GW_OWNER) == pFrame->GetSafeHwnd())
            owned.push_back(hWnd);
    return owned;
}

// TRUE for a floating window hidden for now that shows again, and is
// restored at the next start: a floating toolbar the player has not closed
// (it hides itself while its frame is not in front, as when the frame is
// hidden on closing with another program's window open) or a pane window
// holding a pane not closed (hidden with its minimised frame).
bool ShowsAgain(HWND hWnd)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (CXTPToolBar* pBar = DYNAMIC_DOWNCAST(CXTPToolBar, pWnd))
        return pBar->GetPosition() == xtpBarFloating && pBar->IsVisible();
    if (CXTPDockingPaneMiniWnd* pMini = DYNAMIC_DOWNCAST(CXTPDockingPaneMiniWnd, pWnd))
        return !pMini->IsHidden();
    return false;
}
} // namespace

CString FloatingWindowName(HWND hWnd)
{
    CString strName;
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (CXTPToolBar* pBar = DYNAMIC_DOWNCAST(CXTPToolBar, pWnd))
    {
        if (pBar->GetPosition() == xtpBarFloating)
            strName.Format("B%u", pBar->GetBarID());
    }
    else if (CXTPDockingPaneMiniWnd* pMini = DYNAMIC_DOWNCAST(CXTPDockingPaneMiniWnd, pWnd))
    {
        CXTPDockingPaneBaseList panes;
        if (pMini->GetTopPane() != NULL)
            pMini->GetTopPane()->FindPanes(xtpPaneTypeDockingPane, &panes);
        if (!panes.IsEmpty())
            strName.Format("P%d", static_cast<CXTPDockingPane*>(panes.GetHead())->GetID());
    }
    return strName;
}

CString GetFloatingOrder(CFrameWnd* pFrame)
{
    CString strOrder;
    if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL)
        return strOrder;
    // The order the screen shows.
    for (HWND hWnd : AfxGetOwnedWindowsInScreenOrder(pFrame->GetSafeHwnd()))
    {
        // A window hidden for now keeps its place in the order.
        if (!::IsWindowVisible(hWnd) && !ShowsAgain(hWnd))
            continue;
        const CString strName = FloatingWindowName(hWnd);
        if (strName.IsEmpty())
            continue;
        if (!strOrder.IsEmpty())
            strOrder += ",";
        strOrder += strName;
    }
    return strOrder;
}

void ApplyFloatingOrder(CFrameWnd* pFrame, const CString& strOrder)
{
    if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL || strOrder.IsEmpty())
        return;
    // A stored value is read in one pass and only as far as a real order
    // reaches (a layout holds few floating windows); a damaged value longer
    // than that is not the player's order and changes nothing.
    if (strOrder.GetLength() > kMaxStoredOrder)
    {
        TRACE("floating order: a stored order of %d characters is passed over\n", strOrder.GetLength());
        return;
    }
    std::vector<CString> names;
    for (int nStart = 0; nStart <= strOrder.GetLength();)
    {
        int nEnd = strOrder.Find(',', nStart);
        if (nEnd < 0)
            nEnd = strOrder.GetLength();
        if (nEnd > nStart)
            names.push_back(strOrder.Mid(nStart, nEnd - nStart));
        nStart = nEnd + 1;
    }
    // Bottom up, each named window goes to the top of the order, and so
    // above the ones placed before it.
    const std::vector<HWND> owned = OwnedWindows(pFrame);
    bool bMoved = false;
    for (auto it = names.rbegin(); it != names.rend(); ++it)
    {
        for (HWND hWnd : owned)
        {
            if (FloatingWindowName(hWnd) != *it)
                continue;
            ::SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
            bMoved = true;
            break;
        }
    }
    // Where the screen does not follow the system's order by itself.
    if (bMoved)
        pFrame->KeepOwnedWindowsInFront();
}
