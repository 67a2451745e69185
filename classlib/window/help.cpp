// Context help of a frame and the frame's tooltip texts.
//
// Help mode (Shift+F1, ID_CONTEXT_HELP): the frame runs a loop of its own with
// the help cursor; a left click on one of its windows asks that window, then
// its parents, for a help id (WM_HELPHITTEST with the point in the window's
// client coordinates), a click on a non-client part gives the part's id, and
// the application's WinHelp shows it. A click that a window answers with
// HTMENU (a menu bar, a popup control of a bar) opens the menu instead, so
// that its commands can be chosen: in help mode a chosen command gives its
// help id rather than running. Escape ends the mode.
//
// F1 (ID_HELP): the windows with the mouse capture, the keyboard focus and
// the activation, each with its parents, are asked in turn for their help
// (WM_COMMANDHELP); the frame's own id is the last resort.
#include "wndimpl.h"

#include <afxpriv.h>

#include <commctrl.h>

namespace
{
HCURSOR HelpCursor()
{
    HCURSOR hCursor = ::LoadCursor(NULL, IDC_HELP);
    return hCursor != NULL ? hCursor : ::LoadCursor(NULL, IDC_ARROW);
}

// TRUE when the window is the frame, lies inside it or belongs to it
// (a window of this thread owned by the frame, directly or not).
BOOL BelongsToFrame(HWND hWnd, HWND hWndFrame)
{
    if (hWnd == NULL || ::GetWindowThreadProcessId(hWnd, NULL) != ::GetCurrentThreadId())
        return FALSE;
    for (HWND h = hWnd; h != NULL; h = AfxGetParentOwner(h))
        if (h == hWndFrame)
            return TRUE;
    return FALSE;
}

// The help id of a point in a window's client area: the first window, from
// the one under the point up to the frame, that answers WM_HELPHITTEST, or
// failing that, one that carries a context help id of its own.
DWORD HelpIdOfClientPoint(HWND hWndHit, POINT ptScreen, HWND hWndFrame)
{
    for (HWND h = hWndHit; h != NULL; h = AfxGetParentOwner(h))
    {
        POINT pt = ptScreen;
        ::ScreenToClient(h, &pt);
        DWORD dwContext = (DWORD)::SendMessage(h, WM_HELPHITTEST, 0, MAKELPARAM(pt.x, pt.y));
        if (dwContext == 0)
            dwContext = ::GetWindowContextHelpId(h);
        if (dwContext != 0)
            return dwContext;
        if (h == hWndFrame)
            break;
    }
    return 0;
}

// Asks a window and its parents (or owners) for their help; TRUE when one
// gave it.
BOOL AskForCommandHelp(HWND hWnd)
{
    for (HWND h = hWnd; h != NULL; h = AfxGetParentOwner(h))
    {
        if (::SendMessage(h, WM_COMMANDHELP, 0, 0))
            return TRUE;
        // A plain control with a context help id of its own.
        DWORD dwContext = ::GetWindowContextHelpId(h);
        if (dwContext != 0)
        {
            if (CWinApp* pApp = AfxGetApp())
                pApp->WinHelp(dwContext, HELP_CONTEXT);
            return TRUE;
        }
    }
    return FALSE;
}

BOOL IsMouseMessage(UINT message)
{
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK);
}
} // namespace

// ---------------------------------------------------------------------------
// Help mode

void CFrameWnd::OnContextHelp()
{
    if (m_bHelpMode || m_hWnd == NULL)
        return;
    // A request to end a mode that has not begun yet is dropped with it.
    MSG msg;
    if (::PeekMessage(&msg, m_hWnd, WM_EXITHELPMODE, WM_EXITHELPMODE, PM_REMOVE))
        return;

    m_bHelpMode = TRUE;
    SetMessageText(AFX_IDS_HELPMODEMESSAGE);
    HCURSOR hCursorOld = ::SetCursor(HelpCursor());
    SetCapture();
    DWORD dwContext = 0;
    // The click that chose the help: its button's release is still taken
    // here, so that it reaches no window once the mode is over.
    BOOL bWaitForRelease = FALSE;
    LONG lIdleCount = 0;
    CWinApp* pApp = AfxGetApp();

    while (m_bHelpMode && m_hWnd != NULL)
    {
        if (!::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE))
        {
            // Idle: the bars update, then wait for the next message.
            if (pApp != NULL && pApp->OnIdle(lIdleCount++))
                continue;
            lIdleCount = 0;
            ::WaitMessage();
            continue;
        }
        if (msg.message == WM_QUIT)
            break;   // left in the queue for the outer loop
        if (msg.message == WM_EXITHELPMODE ||
            ((msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) && msg.wParam == VK_ESCAPE))
        {
            ::PeekMessage(&msg, NULL, msg.message, msg.message, PM_REMOVE);
            break;
        }

        if (bWaitForRelease && IsMouseMessage(msg.message))
        {
            ::PeekMessage(&msg, NULL, msg.message, msg.message, PM_REMOVE);
            if (msg.message == WM_LBUTTONUP || msg.message == WM_NCLBUTTONUP || ::GetKeyState(VK_LBUTTON) >= 0)
                break;
            continue;
        }
        if (IsMouseMessage(msg.message))
        {
            HWND hWndHit = ::WindowFromPoint(msg.pt);
            if (!BelongsToFrame(hWndHit, m_hWnd))
            {
                // Outside the frame's windows the mouse works as usual.
                if (::GetCapture() == m_hWnd)
                    ::ReleaseCapture();
                if (::PeekMessage(&msg, NULL, msg.message, msg.message, PM_REMOVE))
                {
                    ::TranslateMessage(&msg);
                    ::DispatchMessage(&msg);
                }
                continue;
            }
            if (::GetCapture() == NULL)
                SetCapture();
            ::SetCursor(HelpCursor());
            ::PeekMessage(&msg, NULL, msg.message, msg.message, PM_REMOVE);
            if (msg.message != WM_LBUTTONDOWN && msg.message != WM_NCLBUTTONDOWN)
                continue;   // every other mouse message over the frame is eaten

            LRESULT nHit = ::SendMessage(hWndHit, WM_NCHITTEST, 0, MAKELPARAM(msg.pt.x, msg.pt.y));
            if (nHit == HTMENU || nHit == HTSYSMENU)
            {
                // The menu opens; its commands come back as help.
                ::ReleaseCapture();
                ::SendMessage(hWndHit, WM_NCLBUTTONDOWN, (WPARAM)nHit, MAKELPARAM(msg.pt.x, msg.pt.y));
                continue;
            }
            if (nHit == HTCLIENT)
                dwContext = HelpIdOfClientPoint(hWndHit, msg.pt, m_hWnd);
            else
                dwContext = HID_BASE_NCAREAS + (DWORD)nHit;
            if (::GetKeyState(VK_LBUTTON) >= 0)
                break;   // released already
            bWaitForRelease = TRUE;
            continue;
        }

        // Everything else (keys through the accelerators and the bars,
        // painting, timers) runs as usual.
        if (!AfxPumpMessageInto(&msg))
        {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
    }

    const BOOL bStillInMode = m_bHelpMode;
    m_bHelpMode = FALSE;
    if (m_hWnd == NULL)
        return;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    ::SetCursor(hCursorOld != NULL ? hCursorOld : ::LoadCursor(NULL, IDC_ARROW));
    SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    if (bStillInMode && dwContext != 0)
        WinHelp(dwContext, HELP_CONTEXT);
    PostMessage(WM_KICKIDLE);
}

void CFrameWnd::ExitHelpMode()
{
    if (!m_bHelpMode)
        return;
    m_bHelpMode = FALSE;
    if (m_hWnd != NULL)
        PostMessage(WM_EXITHELPMODE);
}

void CFrameWnd::OnUpdateContextHelp(CCmdUI* pCmdUI)
{
    CFrameWnd* pFrame = GetTopLevelFrame();
    pCmdUI->SetCheck(pFrame != NULL && pFrame->m_bHelpMode);
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // In help mode a command from a menu or a key gives its help.
    UINT nID = LOWORD(wParam);
    CFrameWnd* pFrame = GetTopLevelFrame();
    if (pFrame != NULL && pFrame->m_bHelpMode && lParam == 0 && nID != ID_HELP && nID != ID_DEFAULT_HELP &&
        nID != ID_CONTEXT_HELP)
    {
        if (!SendMessage(WM_COMMANDHELP, 0, HID_BASE_COMMAND + nID))
            SendMessage(WM_COMMAND, ID_DEFAULT_HELP);
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

// ---------------------------------------------------------------------------
// F1

void CFrameWnd::OnHelp()
{
    if (m_bHelpMode)
        return;
    if (AskForCommandHelp(::GetCapture()) || AskForCommandHelp(::GetFocus()))
        return;
    CWnd* pTop = GetTopLevelParent();
    if (pTop != NULL && AskForCommandHelp(::GetLastActivePopup(pTop->m_hWnd)))
        return;
    SendMessage(WM_COMMANDHELP, 0, m_nIDHelp != 0 ? HID_BASE_RESOURCE + m_nIDHelp : 0);
}

LRESULT CFrameWnd::OnCommandHelp(WPARAM, LPARAM lParam)
{
    // Without an id: the menu item being chosen, else the frame's own.
    if (lParam == 0)
    {
        if (m_nIDTracking != 0 && m_nIDTracking != AFX_IDS_IDLEMESSAGE)
            lParam = HID_BASE_COMMAND + m_nIDTracking;
        else if (m_nIDHelp != 0)
            lParam = HID_BASE_RESOURCE + m_nIDHelp;
    }
    if (lParam == 0)
        return FALSE;
    WinHelp((DWORD_PTR)lParam, HELP_CONTEXT);
    return TRUE;
}

LRESULT CFrameWnd::OnHelpHitTest(WPARAM, LPARAM)
{
    return m_nIDHelp != 0 ? (LRESULT)(HID_BASE_RESOURCE + m_nIDHelp) : 0;
}

void CWnd::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    // Showing help ends help mode, and the menus, captures and other
    // tracking modes the help was asked from: nothing stays open to run a
    // command with a later click.
    CWnd* pTop = GetTopLevelParent();
    if (pTop != NULL && pTop->IsFrameWnd())
        static_cast<CFrameWnd*>(pTop)->ExitHelpMode();
    if (IsFrameWnd())
        static_cast<CFrameWnd*>(this)->ExitHelpMode();
    if (m_hWnd != NULL)
    {
        SendMessage(WM_CANCELMODE);
        if (pTop != NULL && pTop->m_hWnd != m_hWnd)
            pTop->SendMessage(WM_CANCELMODE);
        HWND hWndCapture = ::GetCapture();
        if (hWndCapture != NULL && ::GetWindowThreadProcessId(hWndCapture, NULL) == ::GetCurrentThreadId())
            ::SendMessage(hWndCapture, WM_CANCELMODE, 0, 0);
    }
    if (CWinApp* pApp = AfxGetApp())
        pApp->WinHelp(dwData, nCmd);
}

// ---------------------------------------------------------------------------
// Tooltip texts

BOOL CFrameWnd::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    if (pNMHDR == NULL)
        return FALSE;
    UINT_PTR nID = pNMHDR->idFrom;
    const BOOL bAnsi = pNMHDR->code == TTN_NEEDTEXTA;
    UINT uFlags = bAnsi ? ((NMTTDISPINFOA*)pNMHDR)->uFlags : ((NMTTDISPINFOW*)pNMHDR)->uFlags;
    if (uFlags & TTF_IDISHWND)
        nID = (UINT_PTR)::GetDlgCtrlID((HWND)nID);
    if (nID == 0 || nID > 0xFFFF)
        return FALSE;
    // The tooltip is the string's second line; without a string the tool
    // is someone else's.
    CString strFull;
    if (!strFull.LoadString((UINT)nID))
        return FALSE;
    CString strTip;
    AfxExtractSubString(strTip, strFull, 1, '\n');
    if (bAnsi)
    {
        NMTTDISPINFOA* pInfo = (NMTTDISPINFOA*)pNMHDR;
        lstrcpynA(pInfo->szText, strTip, (int)(sizeof(pInfo->szText) / sizeof(pInfo->szText[0])));
        pInfo->lpszText = pInfo->szText;
        pInfo->hinst = NULL;
    }
    else
    {
        NMTTDISPINFOW* pInfo = (NMTTDISPINFOW*)pNMHDR;
        ::MultiByteToWideChar(CP_ACP, 0, strTip, -1, pInfo->szText,
                              (int)(sizeof(pInfo->szText) / sizeof(pInfo->szText[0])));
        pInfo->szText[sizeof(pInfo->szText) / sizeof(pInfo->szText[0]) - 1] = 0;
        pInfo->lpszText = pInfo->szText;
        pInfo->hinst = NULL;
    }
    if (pResult != NULL)
        *pResult = 0;
    // The tip shows above the frame's other pop-up windows.
    ::SetWindowPos(pNMHDR->hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE | SWP_NOOWNERZORDER);
    return TRUE;
}
