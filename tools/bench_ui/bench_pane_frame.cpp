#include "bench_pane_frame.h"

#include <XTPDockingPane.h>

namespace bench_ui
{
IMPLEMENT_DYNCREATE(CBenchPaneView, CView)

BOOL CBenchPaneFrame::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != XTPWM_DOCKINGPANE_NOTIFY)
        return CFrameWnd::OnWndMsg(message, wParam, lParam, pResult);
    *pResult = 0;
    if (wParam == XTP_DPN_SHOWWINDOW)
    {
        CXTPDockingPane* pPane = (CXTPDockingPane*)lParam;
        if (!pPane->HasAttachedWindow())
        {
            HWND hWnd = ::CreateWindowExA(0, "STATIC", pPane->GetTitle(), WS_CHILD, 0, 0, 0, 0, m_hWnd, NULL,
                                          ::GetModuleHandleA(NULL), NULL);
            pPane->AttachWindow(hWnd);
        }
        *pResult = TRUE;
    }
    return TRUE;
}
} // namespace bench_ui
