// CWnd: window families (parents, owners, frames, descendants), bar layout
// (RepositionBars), centring, dialog-control updates and data exchange.
#include "wndimpl.h"
#include <afxpriv.h>

#include <map>
#include <vector>

HWND AFXAPI AfxGetParentOwner(HWND hWnd)
{
    // The owner kept in the object comes first.
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd != NULL && pWnd->m_hWndOwner != NULL)
        return pWnd->m_hWndOwner;
    return (::GetWindowLongPtr(hWnd, GWL_STYLE) & WS_CHILD) ? ::GetParent(hWnd) : ::GetWindow(hWnd, GW_OWNER);
}

namespace
{
BOOL CALLBACK AddTopLevelWindow(HWND hWnd, LPARAM lParam)
{
    // An enumeration callback: nothing may leave it.
    try
    {
        ((std::vector<HWND>*)lParam)->push_back(hWnd);
        return TRUE;
    }
    catch (...)
    {
        TRACE("listing the top-level windows failed\n");
        return FALSE;
    }
}
} // namespace

std::vector<HWND> AFXAPI AfxGetTopLevelWindows()
{
    std::vector<HWND> windows;
    windows.reserve(64);
    ::EnumWindows(&AddTopLevelWindow, (LPARAM)&windows);
    return windows;
}

BOOL AFXAPI AfxIsDescendant(HWND hWndParent, HWND hWndChild)
{
    while (hWndChild != NULL)
    {
        if (hWndChild == hWndParent)
            return TRUE;
        hWndChild = AfxGetParentOwner(hWndChild);
    }
    return FALSE;
}

int AFXAPI AfxFindAccessKey(LPCTSTR lpszText)
{
    for (int i = 0; lpszText != NULL && lpszText[i] != 0; i++)
    {
        if (lpszText[i] != '&')
            continue;
        if (lpszText[i + 1] != '&')
            return lpszText[i + 1] != 0 ? i + 1 : -1;
        i++; // "&&": a literal '&'
    }
    return -1;
}

void AFXAPI AfxSetWindowText(HWND hWndCtrl, LPCTSTR lpszNew)
{
    if (hWndCtrl == NULL)
        return;
    if (lpszNew == NULL)
        lpszNew = "";
    int nNewLen = lstrlenA(lpszNew);
    char szOld[256];
    // Only short texts are compared in place; long ones are always set.
    if (nNewLen > (int)sizeof(szOld) - 1 || ::GetWindowTextLength(hWndCtrl) != nNewLen ||
        ::GetWindowText(hWndCtrl, szOld, (int)sizeof(szOld)) != nNewLen || lstrcmpA(szOld, lpszNew) != 0)
    {
        ::SetWindowText(hWndCtrl, lpszNew);
    }
}

void AFXAPI AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect)
{
    if (lpLayout != NULL && lpLayout->hDWP == NULL)
        return;   // measuring only
    HWND hWndParent = ::GetParent(hWnd);
    CRect rectOld;
    ::GetWindowRect(hWnd, rectOld);
    ::MapWindowPoints(NULL, hWndParent, (LPPOINT)(LPRECT)rectOld, 2);
    if (::EqualRect(rectOld, lpRect))
        return;
    if (lpLayout != NULL)
        lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, hWnd, NULL, lpRect->left, lpRect->top,
                                          lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
                                          SWP_NOACTIVATE | SWP_NOZORDER);
    else
        ::SetWindowPos(hWnd, NULL, lpRect->left, lpRect->top, lpRect->right - lpRect->left,
                       lpRect->bottom - lpRect->top, SWP_NOACTIVATE | SWP_NOZORDER);
}

// Families ------------------------------------------------------------------------

void PASCAL CWnd::SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                           BOOL bOnlyPerm)
{
    for (HWND hWndChild = ::GetTopWindow(hWnd); hWndChild != NULL;)
    {
        // Take the next sibling first: the message may destroy the child.
        HWND hWndNext = ::GetWindow(hWndChild, GW_HWNDNEXT);
        if (bOnlyPerm)
        {
            CWnd* pWnd = CWnd::FromHandlePermanent(hWndChild);
            if (pWnd != NULL)
                AfxCallWndProc(pWnd, pWnd->m_hWnd, message, wParam, lParam);
        }
        else
        {
            ::SendMessage(hWndChild, message, wParam, lParam);
        }
        if (bDeep && ::IsWindow(hWndChild) && ::GetTopWindow(hWndChild) != NULL)
            SendMessageToDescendants(hWndChild, message, wParam, lParam, bDeep, bOnlyPerm);
        hWndChild = (hWndNext != NULL && ::IsWindow(hWndNext)) ? hWndNext : NULL;
    }
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    CWnd::SendMessageToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

CWnd* CWnd::GetParentOwner() const
{
    if (GetSafeHwnd() == NULL)
        return NULL;
    HWND hWndParent = m_hWnd;
    HWND hWndT;
    while ((::GetWindowLongPtr(hWndParent, GWL_STYLE) & WS_CHILD) && (hWndT = ::GetParent(hWndParent)) != NULL)
        hWndParent = hWndT;
    return CWnd::FromHandle(hWndParent);
}

CWnd* CWnd::GetTopLevelParent() const
{
    if (GetSafeHwnd() == NULL)
        return NULL;
    HWND hWndParent = m_hWnd;
    HWND hWndT;
    while ((hWndT = AfxGetParentOwner(hWndParent)) != NULL)
        hWndParent = hWndT;
    return CWnd::FromHandle(hWndParent);
}

CWnd* CWnd::GetTopLevelOwner() const
{
    if (GetSafeHwnd() == NULL)
        return NULL;
    HWND hWndOwner = m_hWnd;
    HWND hWndT;
    while ((hWndT = ::GetWindow(hWndOwner, GW_OWNER)) != NULL)
        hWndOwner = hWndT;
    return CWnd::FromHandle(hWndOwner);
}

CWnd* CWnd::EnsureTopLevelParent() const
{
    CWnd* pWnd = GetTopLevelParent();
    return pWnd;
}

BOOL CWnd::IsTopParentActive() const
{
    CWnd* pWndTopLevel = GetTopLevelParent();
    if (pWndTopLevel == NULL)
        return FALSE;
    HWND hWndForeground = ::GetForegroundWindow();
    return hWndForeground != NULL && hWndForeground == ::GetLastActivePopup(pWndTopLevel->m_hWnd);
}

CFrameWnd* CWnd::GetParentFrame() const
{
    if (GetSafeHwnd() == NULL)
        return NULL;
    for (HWND hWnd = ::GetParent(m_hWnd); hWnd != NULL; hWnd = ::GetParent(hWnd))
    {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != NULL && pWnd->IsFrameWnd())
            return static_cast<CFrameWnd*>(pWnd);
    }
    return NULL;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    if (GetSafeHwnd() == NULL)
        return NULL;
    CFrameWnd* pFrameWnd = IsFrameWnd() ? static_cast<CFrameWnd*>(const_cast<CWnd*>(this)) : GetParentFrame();
    if (pFrameWnd != NULL)
    {
        CFrameWnd* pTemp;
        while ((pTemp = pFrameWnd->GetParentFrame()) != NULL)
            pFrameWnd = pTemp;
    }
    return pFrameWnd;
}

namespace
{
// The windows below one window, read in one enumeration (walking them with
// GetTopWindow and GetWindow asks the window server once per step): the
// children of each window, in z-order.
class CDescendants
{
public:
    explicit CDescendants(HWND hRoot) { ::EnumChildWindows(hRoot, &CDescendants::Collect, (LPARAM)this); }
    const std::vector<HWND>* ChildrenOf(HWND hWnd) const
    {
        std::map<HWND, std::vector<HWND>>::const_iterator it = m_children.find(hWnd);
        return it != m_children.end() ? &it->second : NULL;
    }

private:
    static BOOL CALLBACK Collect(HWND hWnd, LPARAM lParam)
    {
        // Depth first, each window's children in z-order.
        reinterpret_cast<CDescendants*>(lParam)->m_children[::GetAncestor(hWnd, GA_PARENT)].push_back(hWnd);
        return TRUE;
    }
    std::map<HWND, std::vector<HWND>> m_children;
};

// The children of hWnd first, then the descendants of each child in turn.
CWnd* AfxFindDescendant(const CDescendants& tree, HWND hWnd, int nID, BOOL bOnlyPerm)
{
    const std::vector<HWND>* pChildren = tree.ChildrenOf(hWnd);
    if (pChildren == NULL)
        return NULL;
    for (HWND hWndChild : *pChildren)
    {
        if ((int)AfxGetDlgCtrlID(hWndChild) == nID)
        {
            CWnd* pWnd = bOnlyPerm ? CWnd::FromHandlePermanent(hWndChild) : CWnd::FromHandle(hWndChild);
            if (pWnd != NULL)
                return pWnd;
        }
    }
    for (HWND hWndChild : *pChildren)
    {
        CWnd* pWnd = AfxFindDescendant(tree, hWndChild, nID, bOnlyPerm);
        if (pWnd != NULL)
            return pWnd;
    }
    return NULL;
}
} // namespace

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const
{
    if (GetSafeHwnd() == NULL)
        return NULL;
    CDescendants tree(m_hWnd);
    return AfxFindDescendant(tree, m_hWnd, nID, bOnlyPerm);
}

HWND PASCAL CWnd::GetSafeOwner_(HWND hParent, HWND* pWndTop)
{
    // The parent given, else the main window; a popup cannot be owned by a
    // child, so the first window up that is not one.
    HWND hWnd = hParent;
    if (hWnd == NULL)
    {
        CWnd* pMain = AfxGetMainWnd();
        hWnd = pMain->GetSafeHwnd();
    }
    while (hWnd != NULL && (::GetWindowLongPtr(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);

    // The top-level window that owner's chain ends in (a floating window's
    // frame): the whole family waits for a modal window, not just its owner.
    HWND hWndTop = hWnd;
    for (HWND hWndOwner; hWndTop != NULL && (hWndOwner = ::GetWindow(hWndTop, GW_OWNER)) != NULL;)
        hWndTop = hWndOwner;

    // Without a parent given, the top-level window's last active popup.
    if (hParent == NULL && hWnd != NULL)
        hWnd = ::GetLastActivePopup(hWnd);

    // The caller disables the owner itself; the top-level window is disabled
    // here and handed back for the caller to enable again, unless it is the
    // owner or was disabled already (then it is not this caller's to enable).
    if (pWndTop != NULL)
    {
        *pWndTop = NULL;
        if (hWndTop != NULL && hWndTop != hWnd && ::IsWindowEnabled(hWndTop))
        {
            ::EnableWindow(hWndTop, FALSE);
            *pWndTop = hWndTop;
        }
    }
    return hWnd;
}

CWnd* PASCAL CWnd::GetSafeOwner(CWnd* pParent, HWND* pWndTop)
{
    return CWnd::FromHandle(GetSafeOwner_(pParent->GetSafeHwnd(), pWndTop));
}

// Layout ---------------------------------------------------------------------------

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags, LPRECT lpRectParam,
                          LPCRECT lpRectClient, BOOL bStretch)
{
    AFX_SIZEPARENTPARAMS layout;
    HWND hWndLeftOver = NULL;
    layout.bStretch = bStretch;
    layout.sizeTotal.cx = layout.sizeTotal.cy = 0;
    if (lpRectClient != NULL)
        layout.rect = *lpRectClient;
    else
        ::GetClientRect(m_hWnd, &layout.rect);
    UINT nMode = nFlags & ~reposNoPosLeftOver;
    layout.hDWP = nMode != reposQuery ? ::BeginDeferWindowPos(8) : NULL;

    // Each bar (a child with an object) takes its room in Z order.
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
    {
        UINT nIDC = AfxGetDlgCtrlID(hWndChild);
        CWnd* pWnd = CWnd::FromHandlePermanent(hWndChild);
        if (nIDC == nIDLeftOver)
            hWndLeftOver = hWndChild;
        else if (nIDC >= nIDFirst && nIDC <= nIDLast && pWnd != NULL)
            ::SendMessage(hWndChild, WM_SIZEPARENT, 0, (LPARAM)&layout);
    }

    if (nMode == reposQuery)
    {
        if (lpRectParam != NULL)
        {
            if (bStretch)
                ::CopyRect(lpRectParam, &layout.rect);
            else
                ::SetRect(lpRectParam, 0, 0, layout.sizeTotal.cx, layout.sizeTotal.cy);
        }
        return;
    }

    // The left-over pane (the view) gets the rest.
    if (nIDLeftOver != 0 && hWndLeftOver != NULL && !(nFlags & reposNoPosLeftOver))
    {
        if (nMode == reposExtra && lpRectParam != NULL)
        {
            layout.rect.left += lpRectParam->left;
            layout.rect.top += lpRectParam->top;
            layout.rect.right -= lpRectParam->right;
            layout.rect.bottom -= lpRectParam->bottom;
        }
        CWnd* pLeftOver = CWnd::FromHandle(hWndLeftOver);
        pLeftOver->CalcWindowRect(&layout.rect);
        AfxRepositionWindow(&layout, hWndLeftOver, &layout.rect);
    }

    if (layout.hDWP != NULL)
        ::EndDeferWindowPos(layout.hDWP);
}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    DWORD dwExStyle = GetExStyle();
    if (nAdjustType == 0)
        dwExStyle &= ~WS_EX_CLIENTEDGE;
    ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, dwExStyle);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    DWORD dwStyle = GetStyle();
    HWND hWndCenter = pAlternateOwner->GetSafeHwnd();
    if (pAlternateOwner == NULL)
    {
        if (dwStyle & WS_CHILD)
            hWndCenter = ::GetParent(m_hWnd);
        else
            hWndCenter = ::GetWindow(m_hWnd, GW_OWNER);
        if (hWndCenter != NULL)
        {
            // Centre on the top-level window, unless it is hidden or minimized.
            HWND hWndTemp = (HWND)::SendMessage(hWndCenter, WM_QUERYCENTERWND, 0, 0);
            if (hWndTemp != NULL)
                hWndCenter = hWndTemp;
        }
    }

    CRect rcDlg;
    GetWindowRect(&rcDlg);
    CRect rcArea;
    CRect rcCenter;
    HWND hWndParent;
    if (!(dwStyle & WS_CHILD))
    {
        if (hWndCenter != NULL)
        {
            DWORD dwAlternateStyle = (DWORD)::GetWindowLongPtr(hWndCenter, GWL_STYLE);
            if (!(dwAlternateStyle & WS_VISIBLE) || (dwAlternateStyle & WS_MINIMIZE))
                hWndCenter = NULL;
        }
        ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rcArea, 0);
        if (hWndCenter == NULL)
            rcCenter = rcArea;
        else
            ::GetWindowRect(hWndCenter, &rcCenter);
    }
    else
    {
        hWndParent = ::GetParent(m_hWnd);
        ::GetClientRect(hWndParent, &rcArea);
        if (hWndCenter == NULL)
            hWndCenter = hWndParent;
        ::GetClientRect(hWndCenter, &rcCenter);
        ::MapWindowPoints(hWndCenter, hWndParent, (POINT*)&rcCenter, 2);
    }

    int xLeft = (rcCenter.left + rcCenter.right) / 2 - rcDlg.Width() / 2;
    int yTop = (rcCenter.top + rcCenter.bottom) / 2 - rcDlg.Height() / 2;
    if (xLeft + rcDlg.Width() > rcArea.right)
        xLeft = rcArea.right - rcDlg.Width();
    if (xLeft < rcArea.left)
        xLeft = rcArea.left;
    if (yTop + rcDlg.Height() > rcArea.bottom)
        yTop = rcArea.bottom - rcDlg.Height();
    if (yTop < rcArea.top)
        yTop = rcArea.top;
    SetWindowPos(NULL, xLeft, yTop, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Dialog controls -------------------------------------------------------------------

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    CCmdUI state;
    CWnd wndTemp;   // borrowed handle, not mapped

    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
    {
        wndTemp.m_hWnd = hWndChild;
        state.m_nID = AfxGetDlgCtrlID(hWndChild);
        state.m_pOther = &wndTemp;

        // The control's own update handler first.
        CWnd* pWnd = CWnd::FromHandlePermanent(hWndChild);
        if (pWnd != NULL &&
            pWnd->CCmdTarget::OnCmdMsg(0, (int)MAKELONG(0xFFFF, WM_COMMAND + WM_REFLECT_BASE), &state, NULL))
            continue;

        // Then handlers of this window.
        if (CCmdTarget::OnCmdMsg(state.m_nID, (int)CN_UPDATE_COMMAND_UI, &state, NULL))
            continue;

        // Only push buttons are disabled for lack of a handler: statics,
        // edits and self-checking buttons stay as they are.
        BOOL bDisableTemp = bDisableIfNoHndler;
        if (bDisableTemp)
        {
            if ((::SendMessage(hWndChild, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) == 0)
            {
                bDisableTemp = FALSE;
            }
            else
            {
                UINT nStyle = (UINT)(::GetWindowLongPtr(hWndChild, GWL_STYLE) & 0x0F);
                if (nStyle == (UINT)BS_AUTOCHECKBOX || nStyle == (UINT)BS_AUTO3STATE ||
                    nStyle == (UINT)BS_GROUPBOX || nStyle == (UINT)BS_AUTORADIOBUTTON)
                    bDisableTemp = FALSE;
            }
        }
        state.DoUpdate(pTarget, bDisableTemp);
    }
    wndTemp.m_hWnd = NULL;
}

BOOL CWnd::IsDialogMessage(LPMSG lpMsg)
{
    return ::IsDialogMessage(m_hWnd, lpMsg);
}

BOOL CWnd::PreTranslateInput(LPMSG lpMsg)
{
    if ((lpMsg->message < WM_KEYFIRST || lpMsg->message > WM_KEYLAST) &&
        (lpMsg->message < WM_MOUSEFIRST || lpMsg->message > WM_MOUSELAST))
        return FALSE;
    return IsDialogMessage(lpMsg);
}

// Applies initial control data: records of WORD control id, WORD message,
// DWORD length and the data; a 0 id ends.  With pEnd given (a resource) the
// lengths are checked against it and nothing past it is read.
static BOOL AfxApplyDlgInit(HWND hWnd, const BYTE* p, const BYTE* pEnd)
{
    BOOL bSuccess = TRUE;
    for (;;)
    {
        if (pEnd != NULL && p + sizeof(WORD) > pEnd)
            break;
        WORD nIDC = *(const WORD*)p;
        if (nIDC == 0)
            break;
        if (pEnd != NULL && p + 2 * sizeof(WORD) + sizeof(DWORD) > pEnd)
            return FALSE;
        WORD nMsg = *(const WORD*)(p + 2);
        DWORD dwLen = *(const DWORD*)(p + 4);
        p += 8;
        if (pEnd != NULL && dwLen > (DWORD)(pEnd - p))
            return FALSE;
        // Combo and list strings (16-bit message numbers in the data).
        UINT nMsg32 = nMsg == 0x0403 ? CB_ADDSTRING : nMsg == 0x0401 ? LB_ADDSTRING : nMsg;
        if ((nMsg32 == CB_ADDSTRING || nMsg32 == LB_ADDSTRING) && dwLen > 0 && p[dwLen - 1] == 0)
        {
            if (::SendDlgItemMessage(hWnd, nIDC, nMsg32, 0, (LPARAM)p) < 0)
                bSuccess = FALSE;
        }
        p += dwLen;
    }
    return bSuccess;
}

BOOL CWnd::ExecuteDlgInit(LPCTSTR lpszResourceName)
{
    if (lpszResourceName == NULL)
        return TRUE;
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, MAKEINTRESOURCE(240));
    HRSRC hResource = ::FindResource(hInst, lpszResourceName, MAKEINTRESOURCE(240));
    if (hResource == NULL)
        return TRUE;   // no initial data: nothing to do
    HGLOBAL hData = ::LoadResource(hInst, hResource);
    DWORD dwSize = ::SizeofResource(hInst, hResource);
    const BYTE* lpData = hData != NULL ? (const BYTE*)::LockResource(hData) : NULL;
    if (lpData == NULL)
        return FALSE;
    return AfxApplyDlgInit(m_hWnd, lpData, lpData + dwSize);
}

BOOL CWnd::ExecuteDlgInit(LPVOID lpResource)
{
    if (lpResource == NULL)
        return TRUE;
    return AfxApplyDlgInit(m_hWnd, (const BYTE*)lpResource, NULL);
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);

    // Control notifications sent while the controls are filled are ignored.
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    HWND hWndOldLockout = pState->m_hLockoutNotifyWindow;
    pState->m_hLockoutNotifyWindow = m_hWnd;

    BOOL bOK = FALSE;
    try
    {
        DoDataExchange(&dx);
        bOK = TRUE;
    }
    catch (CUserException* e)
    {
        // Validation failed: the user has been told already.
        e->Delete();
    }
    catch (CException* e)
    {
        e->ReportError(MB_ICONEXCLAMATION, AFX_IDP_INTERNAL_FAILURE);
        e->Delete();
    }
    pState->m_hLockoutNotifyWindow = hWndOldLockout;
    return bOK;
}

void CWnd::DoDataExchange(CDataExchange* pDX)
{
    (void)pDX;
}
