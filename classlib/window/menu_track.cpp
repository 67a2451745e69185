// CMenu members that need a window: pop-up tracking.
#include <afxwin.h>

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    HWND hWnd = pWnd->GetSafeHwnd();
    if (m_hMenu == NULL || hWnd == NULL)
        return FALSE;
    // With TPM_RETURNCMD the result is the chosen command, 0 for none.
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, hWnd, lpRect);
}

BOOL CMenu::TrackPopupMenuEx(UINT fuFlags, int x, int y, CWnd* pWnd, LPTPMPARAMS lptpm)
{
    HWND hWnd = pWnd->GetSafeHwnd();
    if (m_hMenu == NULL || hWnd == NULL)
        return FALSE;
    return ::TrackPopupMenuEx(m_hMenu, fuFlags, x, y, hWnd, lptpm);
}
