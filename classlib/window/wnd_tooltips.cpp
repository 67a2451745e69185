// The class library's tooltips (CWnd::EnableToolTips): one tip window per
// thread shows the tool that the nearest enabled window's OnToolHitTest
// finds under the mouse.
#include "wndimpl.h"

#include <afxcmn.h>

namespace
{
// Windows with tooltips enabled, so the walk skips the search when none is.
LONG s_nEnabled = 0;

BOOL IsCancelMessage(UINT message)
{
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || message == WM_LBUTTONDOWN ||
           message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDOWN || message == WM_RBUTTONDBLCLK ||
           message == WM_MBUTTONDOWN || message == WM_MBUTTONDBLCLK || message == WM_NCLBUTTONDOWN ||
           message == WM_NCLBUTTONDBLCLK || message == WM_NCRBUTTONDOWN || message == WM_NCRBUTTONDBLCLK ||
           message == WM_NCMBUTTONDOWN || message == WM_NCMBUTTONDBLCLK;
}

BOOL IsTipMessage(UINT message)
{
    return message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE || message == WM_LBUTTONUP ||
           message == WM_RBUTTONUP || message == WM_MBUTTONUP;
}

BOOL IsMouseButtonDown()
{
    return (::GetKeyState(VK_LBUTTON) | ::GetKeyState(VK_RBUTTON) | ::GetKeyState(VK_MBUTTON)) < 0;
}

// Forgets the shown tool (its record is taken off the tip window).
void DropLastTool(AFX_THREAD_STATE* pState)
{
    if (pState->m_pToolTip != NULL && pState->m_pToolTip->GetSafeHwnd() != NULL && pState->m_nLastHit != -1)
        pState->m_pToolTip->SendMessage(TTM_DELTOOLA, 0, (LPARAM)&pState->m_lastInfo);
    pState->m_hWndLastHit = NULL;
    pState->m_nLastHit = -1;
    ZeroMemory(&pState->m_lastInfo, sizeof(pState->m_lastInfo));
}

// The thread's tip window, owned by hWndOwner (made again when its window is
// gone or belongs to another owner).
CToolTipCtrl* ThreadToolTip(AFX_THREAD_STATE* pState, CWnd* pOwner)
{
    CToolTipCtrl* pTip = pState->m_pToolTip;
    if (pTip != NULL && pTip->GetSafeHwnd() != NULL && ::GetWindow(pTip->m_hWnd, GW_OWNER) == pOwner->m_hWnd)
        return pTip;
    DropLastTool(pState);
    if (pTip == NULL)
        pState->m_pToolTip = pTip = new CToolTipCtrl;
    else
        pTip->DestroyWindow();
    if (!pTip->Create(pOwner, TTS_ALWAYSTIP))
    {
        TRACE("The thread's tip window could not be made\n");
        return NULL;
    }
    pTip->SendMessage(TTM_ACTIVATE, FALSE, 0);
    return pTip;
}
} // namespace

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    // A visible child window with an id under the point is the tool; its text
    // comes back as a callback (TTN_NEEDTEXT), which the frame answers from
    // the child's string resource. Disabled children count too, which
    // WindowFromPoint would skip.
    if (m_hWnd == NULL)
        return -1;
    CPoint ptScreen = point;
    ::ClientToScreen(m_hWnd, &ptScreen);
    for (HWND hWndChild = ::GetWindow(m_hWnd, GW_CHILD); hWndChild != NULL;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
    {
        const int nID = ::GetDlgCtrlID(hWndChild);
        if (nID == 0 || (WORD)nID == 0xFFFF || !(::GetWindowLong(hWndChild, GWL_STYLE) & WS_VISIBLE))
            continue;
        CRect rcChild;
        ::GetWindowRect(hWndChild, &rcChild);
        if (!rcChild.PtInRect(ptScreen))
            continue;
        if (pTI != NULL && pTI->cbSize >= TTTOOLINFOA_V1_SIZE)
        {
            pTI->hwnd = m_hWnd;
            pTI->uId = (UINT_PTR)hWndChild;
            pTI->uFlags |= TTF_IDISHWND;
            pTI->lpszText = LPSTR_TEXTCALLBACK;
            // The child's place, for tip windows that track tools by rectangle.
            ::ScreenToClient(m_hWnd, (POINT*)&rcChild.left);
            ::ScreenToClient(m_hWnd, (POINT*)&rcChild.right);
            pTI->rect = rcChild;
            // Tips of anything but buttons are centred below the child.
            if (!(::SendMessage(hWndChild, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON))
                pTI->uFlags |= TTF_NOTBUTTON | TTF_CENTERTIP;
        }
        return nID;
    }
    return -1;
}

BOOL CWnd::EnableToolTips(BOOL bEnable)
{
    if (bEnable)
    {
        if ((m_nFlags & WF_TOOLTIPS) == 0)
        {
            m_nFlags |= WF_TOOLTIPS;
            ::InterlockedIncrement(&s_nEnabled);
        }
        return TRUE;
    }
    if ((m_nFlags & WF_TOOLTIPS) != 0)
    {
        AFX_THREAD_STATE* pState = AfxGetThreadState();
        if (pState->m_hWndLastHit == m_hWnd)
        {
            CancelToolTips();
            DropLastTool(pState);
        }
        m_nFlags &= ~WF_TOOLTIPS;
        ::InterlockedDecrement(&s_nEnabled);
    }
    return TRUE;
}

void PASCAL CWnd::CancelToolTips(BOOL bKeys)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (bKeys && ::GetKeyState(VK_LBUTTON) >= 0 && ::GetKeyState(VK_RBUTTON) >= 0 && ::GetKeyState(VK_MBUTTON) >= 0)
        return;
    if (pState->m_pToolTip != NULL && pState->m_pToolTip->GetSafeHwnd() != NULL)
        pState->m_pToolTip->SendMessage(TTM_ACTIVATE, FALSE, 0);
}

void CWnd::FilterToolTipMessage(MSG* pMsg)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    UINT message = pMsg->message;
    if (IsCancelMessage(message))
    {
        CancelToolTips();
        return;
    }
    if (!IsTipMessage(message) || IsMouseButtonDown())
        return;

    CWnd* pOwner = GetTopLevelParent();
    if (pOwner == NULL)
        return;
    CToolTipCtrl* pTip = ThreadToolTip(pState, pOwner);
    if (pTip == NULL)
        return;

    CPoint point = pMsg->pt;
    ScreenToClient(&point);
    TOOLINFO ti;
    ZeroMemory(&ti, sizeof(ti));
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    INT_PTR nHit = OnToolHitTest(point, &ti);

    BOOL bSameTool = pState->m_hWndLastHit == m_hWnd && pState->m_nLastHit == nHit && nHit != -1 &&
                     pState->m_lastInfo.hwnd == ti.hwnd && pState->m_lastInfo.uId == ti.uId;
    if (!bSameTool)
    {
        DropLastTool(pState);
        if (nHit != -1)
        {
            BOOL bAlways = (ti.uFlags & TTF_ALWAYSTIP) != 0;
            ti.uFlags &= ~(TTF_NOTBUTTON | TTF_ALWAYSTIP);
            pTip->SendMessage(TTM_ADDTOOLA, 0, (LPARAM)&ti);
            pTip->SendMessage(TTM_ACTIVATE, bAlways || IsTopParentActive(), 0);
            pState->m_hWndLastHit = m_hWnd;
            pState->m_nLastHit = nHit;
            pState->m_lastInfo = ti;
            pState->m_lastInfo.lpszText = NULL;
        }
        else
        {
            pTip->SendMessage(TTM_ACTIVATE, FALSE, 0);
        }
    }
    if (ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACK)
        free(ti.lpszText);   // OnToolHitTest hands over text it allocated with malloc
    if (nHit != -1)
        pTip->RelayEvent(pMsg);
}

void AFXAPI AfxRelayToolTipMessage(MSG* pMsg)
{
    if (s_nEnabled == 0 || pMsg->hwnd == NULL)
        return;
    UINT message = pMsg->message;
    if (!IsTipMessage(message) && !IsCancelMessage(message))
        return;
    for (HWND hWnd = pMsg->hwnd; hWnd != NULL; hWnd = ::GetParent(hWnd))
    {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != NULL && (pWnd->m_nFlags & WF_TOOLTIPS) != 0)
        {
            pWnd->FilterToolTipMessage(pMsg);
            return;
        }
    }
}
