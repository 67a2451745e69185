// The floating mini window: its window, top container, title, caption
// presses, themed frame with caption buttons, rolling up, opacity and
// stored form.
#include "XTPDockingPaneMiniWnd.h"

#include "XTPDockingPane.h"
#include "XTPDockingPaneAutoHidePanel.h"
#include "XTPDockingPaneContext.h"
#include "XTPDockingPaneLayout.h"
#include "XTPDockingPaneManager.h"
#include "XTPDockingPanePaintManager.h"
#include "XTPDockingPaneSplitterContainer.h"
#include "XTPDockingPaneTabbedContainer.h"

#include <XTPDCHelpers.h>
#include <XTPDrawHelpers.h>
#include <XTPDockContext.h>
#include <XTPPropExchange.h>
#include <XTPResourceManager.h>
#include <XTPSystemHelpers.h>
#include <XTPToolTipContext.h>
#include <afxpriv.h>

#include <algorithm>

IMPLEMENT_DYNAMIC(CXTPDockingPaneMiniWnd, CMiniFrameWnd)

BOOL CXTPDockingPaneMiniWnd::m_bShowPinButton = TRUE;

namespace
{
const LPCTSTR kMiniWndClass = _T("XTPDockingPaneMiniWnd");
// The replacement text of the system menu's close item, when the program has one.
const UINT kCloseItemText = 61457;
// The themed frame's border, and the leave checks before a window rolls up.
const int kFrameBorder = 3;
const int kLeaveChecks = 6;
const UINT kLeaveCheckPeriod = 100;

enum MiniWndTimer
{
    timerLeaveCheck = 1,
    timerRoll = 3,
    timerHotButton = 2345
};

// Keeps a stored screen coordinate or size within the stored range.
long ClampCoordinate(long n)
{
    return std::max(-(long)XTP_DOCKINGPANE_MAXSIZE, std::min(n, (long)XTP_DOCKINGPANE_MAXSIZE));
}
} // namespace

BEGIN_MESSAGE_MAP(CXTPDockingPaneMiniWnd, CMiniFrameWnd)
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_WM_NCACTIVATE()
    ON_WM_SIZING()
    ON_WM_NCHITTEST()
    ON_WM_NCPAINT()
    ON_WM_NCCALCSIZE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_NCRBUTTONDOWN()
    ON_WM_NCMOUSEMOVE()
    ON_WM_GETMINMAXINFO()
    ON_WM_SETFOCUS()
    ON_WM_TIMER()
END_MESSAGE_MAP()

CXTPDockingPaneMiniWnd::CXTPDockingPaneMiniWnd(CXTPDockingPaneLayout* pLayout)
    : CXTPDockingPaneBase(xtpPaneTypeMiniWnd, pLayout), m_bActive(FALSE), m_rcStored(0, 0, 0, 0),
      m_pTopContainer(NULL), m_bCreated(FALSE), m_nExpandedHeight(0), m_nStepsCount(1), m_nStep(0),
      m_nDeactivationCount(0), m_bCollapsed(FALSE), m_bExpanded(FALSE), m_bSlideOut(FALSE), m_bDelayInvalidate(FALSE),
      m_bInRecalcLayout(FALSE), m_bCloseEnabled(TRUE), m_bCloseKeptForWindowManager(FALSE)
{
    EnableAutomation();
    m_pCaptionButtons = new CXTPDockingPaneCaptionButtons();
    const int ids[] = { XTP_IDS_DOCKINGPANE_CLOSE, XTP_IDS_DOCKINGPANE_AUTOHIDE, XTP_IDS_DOCKINGPANE_MENU };
    for (int nID : ids)
        m_pCaptionButtons->Add(new CXTPDockingPaneCaptionButton(nID, this));
}

CXTPDockingPaneMiniWnd::~CXTPDockingPaneMiniWnd()
{
}

void CXTPDockingPaneMiniWnd::OnFinalRelease()
{
    if (m_hWnd != NULL)
        DestroyWindow();
    delete this;
}

BOOL CXTPDockingPaneMiniWnd::IsThemed() const
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    return pManager != NULL && pManager->m_bThemedFloatingFrames;
}

int CXTPDockingPaneMiniWnd::GetCollapsedHeight() const
{
    CXTPDockingPanePaintManager* pPaintManager = GetPaintManager();
    return (pPaintManager != NULL ? pPaintManager->GetCaptionHeight() : 0) + 8;
}

BOOL CXTPDockingPaneMiniWnd::Create(CRect rc)
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (pManager == NULL || pManager->GetSite() == NULL)
        return FALSE;

    // Kept at least 10 pixels inside the work area, the caption never above it.
    CXTPDockContext::KeepOnScreen(rc);
    CRect rcWork = XTPMonitorFunctions()->GetWorkAreaFromRect(rc);
    if (rc.top < rcWork.top)
        rc.OffsetRect(0, rcWork.top - rc.top);

    DWORD dwStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | MFS_BLOCKSYSMENU;
    if (pManager->m_bSyncActiveFloatingFrames)
        dwStyle |= MFS_SYNCACTIVE;
    DWORD dwExStyle = pManager->IsLayoutRTL() ? WS_EX_LAYOUTRTL : 0;
    if (!CMiniFrameWnd::CreateEx(dwExStyle, kMiniWndClass, _T(""), dwStyle, rc, pManager->GetSite(), 0))
    {
        TRACE("A floating window could not be created.\n");
        return FALSE;
    }
    CMenu* pSysMenu = GetSystemMenu(FALSE);
    if (pSysMenu != NULL)
    {
        pSysMenu->DeleteMenu(SC_MINIMIZE, MF_BYCOMMAND);
        pSysMenu->DeleteMenu(SC_MAXIMIZE, MF_BYCOMMAND);
        pSysMenu->DeleteMenu(SC_RESTORE, MF_BYCOMMAND);
        CString strClose;
        if (XTPResourceManager()->LoadString(&strClose, kCloseItemText) && !strClose.IsEmpty())
            pSysMenu->ModifyMenu(SC_CLOSE, MF_BYCOMMAND | MF_STRING, SC_CLOSE, strClose);
    }
    if (IsThemed())
        ModifyStyle(WS_BORDER | WS_THICKFRAME, 0, SWP_FRAMECHANGED);
    m_rcStored = rc;
    m_bCreated = TRUE;
    UpdateAlpha();
    return TRUE;
}

void CXTPDockingPaneMiniWnd::UpdateAlpha()
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (m_hWnd == NULL || pManager == NULL || pManager->m_pfnSetLayeredWindowAttributes == NULL)
        return;
    int nAlpha = pManager->m_nFloatingFramesOpacity;
    if (nAlpha >= 255)
    {
        if (GetExStyle() & WS_EX_LAYERED)
            ModifyStyleEx(WS_EX_LAYERED, 0);
        return;
    }
    if ((GetExStyle() & WS_EX_LAYERED) == 0)
        ModifyStyleEx(0, WS_EX_LAYERED);
    // Translucent only while inactive.
    pManager->m_pfnSetLayeredWindowAttributes(m_hWnd, 0, (BYTE)(m_bActive ? 255 : std::max(0, nAlpha)), LWA_ALPHA);
}

void CXTPDockingPaneMiniWnd::SetTopPane(CXTPDockingPaneSplitterContainer* pContainer)
{
    m_pTopContainer = pContainer;
    if (pContainer != NULL)
    {
        pContainer->SetParentContainer(this);
        pContainer->SetDockingSite(this);
    }
}

void CXTPDockingPaneMiniWnd::Init(CXTPDockingPaneBase* pPane, CRect rc)
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (pManager == NULL)
        return;
    m_pDockingSite = this;
    Create(rc);

    if (pPane->GetType() == xtpPaneTypeDockingPane)
    {
        CXTPDockingPaneTabbedContainer* pContainer = static_cast<CXTPDockingPaneTabbedContainer*>(
            pManager->OnCreatePane(xtpPaneTypeTabbedContainer, m_pLayout));
        if (pContainer == NULL)
            return;
        pContainer->Init(static_cast<CXTPDockingPane*>(pPane), this);
        pPane = pContainer;
    }
    CXTPDockingPaneSplitterContainer* pSplitter = static_cast<CXTPDockingPaneSplitterContainer*>(
        pManager->OnCreatePane(xtpPaneTypeSplitterContainer, m_pLayout));
    if (pSplitter == NULL)
        return;
    pSplitter->Init(pPane, TRUE, this);
    SetTopPane(pSplitter);
    pPane->OnParentContainerChanged(pSplitter);

    m_bDelayInvalidate = TRUE;
    m_nIdleFlags |= idleLayout | idleNotify;
    if (m_hWnd != NULL)
        PostMessage(WM_IDLEUPDATECMDUI);
    OnChildContainerChanged(NULL);
    OnFocusChanged();
}

void CXTPDockingPaneMiniWnd::FindPanes(XTPDockingPaneType type, CXTPDockingPaneBaseList* pList)
{
    if (type == xtpPaneTypeMiniWnd)
        pList->AddTail(this);
    else if (m_pTopContainer != NULL)
        m_pTopContainer->FindPanes(type, pList);
}

POSITION CXTPDockingPaneMiniWnd::ContainsPane(CXTPDockingPaneBase* pPane) const
{
    if (pPane == this)
        return (POSITION)1;
    return m_pTopContainer != NULL ? m_pTopContainer->ContainsPane(pPane) : NULL;
}

BOOL CXTPDockingPaneMiniWnd::IsHidden() const
{
    return m_pTopContainer == NULL || m_pTopContainer->IsHidden();
}

void CXTPDockingPaneMiniWnd::Invalidate()
{
    if (m_hWnd == NULL)
        return;
    CWnd::Invalidate(FALSE);
    if (IsThemed())
        SendMessage(WM_NCPAINT);
}

void CXTPDockingPaneMiniWnd::OnChildVisibilityChanged(CXTPDockingPaneBase* pChild)
{
    OnChildContainerChanged(pChild);
    OnFocusChanged();
}

void CXTPDockingPaneMiniWnd::UpdateWindowTitle()
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    CXTPDockingPaneBaseList lst;
    FindPanes(xtpPaneTypeTabbedContainer, &lst);
    CString strTitle = pManager != NULL ? pManager->m_strFloatingFrameCaption : CString();
    if (lst.GetCount() == 1)
    {
        CXTPDockingPane* pSelected = static_cast<CXTPDockingPaneTabbedContainer*>(lst.GetHead())->GetSelected();
        strTitle = pSelected != NULL ? pSelected->GetTitle() : CString();
    }
    CString strOld;
    GetWindowText(strOld);
    if (strOld != strTitle)
        SetWindowText(strTitle);
}

void CXTPDockingPaneMiniWnd::OnChildContainerChanged(CXTPDockingPaneBase* pChild)
{
    if (m_hWnd == NULL)
        return;
    CXTPDockingPaneBaseList lst;
    FindPanes(xtpPaneTypeTabbedContainer, &lst);
    POSITION pos = lst.GetHeadPosition();
    while (pos != NULL)
        static_cast<CXTPDockingPaneTabbedContainer*>(lst.GetNext(pos))->ShowCaption(lst.GetCount() > 1);
    UpdateWindowTitle();

    if (!IsWindowVisible() && !IsHidden())
        CWnd::ShowWindow(SW_SHOWNOACTIVATE);

    // The close item is there only while some pane can be closed.
    m_bCloseEnabled = FALSE;
    CXTPDockingPaneBaseList lstPanes;
    FindPanes(xtpPaneTypeDockingPane, &lstPanes);
    pos = lstPanes.GetHeadPosition();
    while (pos != NULL)
    {
        if ((static_cast<CXTPDockingPane*>(lstPanes.GetNext(pos))->GetOptions() & xtpPaneNoCloseable) == 0)
            m_bCloseEnabled = TRUE;
    }
    // Under a window manager (Wine's), Alt+F4 in a window that is part of
    // its frame (synchronised with it) reaches the program only as the
    // window manager's request to close the focused window, which the
    // system drops while that window's Close item is greyed; the frame
    // closes on it (CMiniFrameWnd passes it on). There the item stays
    // enabled, and is shown greyed wherever the player sees it (WindowProc).
    m_bCloseKeptForWindowManager =
        !m_bCloseEnabled && (GetStyle() & MFS_SYNCACTIVE) != 0 && AfxWindowManagerStacksWindows();
    HMENU hSysMenu = ::GetSystemMenu(m_hWnd, FALSE);
    if (hSysMenu != NULL)
        ::EnableMenuItem(hSysMenu, SC_CLOSE,
                         MF_BYCOMMAND | (m_bCloseEnabled || m_bCloseKeptForWindowManager ? MF_ENABLED : MF_GRAYED));

    RecalcLayout();
    SendMessage(WM_NCPAINT);
}

void CXTPDockingPaneMiniWnd::OnFocusChanged()
{
    if (m_hWnd == NULL)
        return;
    // Active while the focus is in the window, or in a window it owns (a
    // pane's popup).
    HWND hWndFocus = ::GetFocus();
    BOOL bActive = FALSE;
    for (HWND hWnd = hWndFocus; hWnd != NULL && !bActive; hWnd = ::GetWindow(hWnd, GW_OWNER))
    {
        bActive = hWnd == m_hWnd || ::IsChild(m_hWnd, hWnd);
        HWND hWndParent = ::GetParent(hWnd);
        if (!bActive && hWndParent != NULL)
            bActive = hWndParent == m_hWnd || ::IsChild(m_hWnd, hWndParent);
    }
    if (bActive != m_bActive)
    {
        m_bActive = bActive;
        SendMessage(WM_NCPAINT);
        UpdateAlpha();
    }
}

void CXTPDockingPaneMiniWnd::RemovePane(CXTPDockingPaneBase* pPane)
{
    if (pPane != m_pTopContainer)
        return;
    pPane->SetParentContainer(NULL);
    m_pTopContainer = NULL;
    if (m_hWnd != NULL)
        CWnd::ShowWindow(SW_HIDE);
    if (m_bCollapsed)
        ExpandCollapse();
}

BOOL CXTPDockingPaneMiniWnd::IsCaptionButtonVisible(CXTPDockingPaneCaptionButton* pButton)
{
    switch (pButton->GetID())
    {
    case XTP_IDS_DOCKINGPANE_CLOSE:
        return m_bCloseEnabled;
    case XTP_IDS_DOCKINGPANE_AUTOHIDE:
        pButton->SetState(m_bCollapsed ? 2 : 0);
        return m_bShowPinButton;
    case XTP_IDS_DOCKINGPANE_MENU:
    {
        CXTPDockingPane* pPane = CXTPDockingPanePaintManager::GetCaptionPane(this);
        return pPane != NULL && (pPane->GetOptions() & xtpPaneHasMenuButton) != 0;
    }
    }
    return TRUE;
}

void CXTPDockingPaneMiniWnd::RecalcLayout(BOOL bNotify)
{
    if (m_bInRecalcLayout || m_hWnd == NULL)
        return;
    m_bInRecalcLayout = TRUE;
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    if (m_pTopContainer != NULL && !m_pTopContainer->IsHidden())
    {
        CRect rc;
        GetClientRect(&rc);
        AFX_SIZEPARENTPARAMS layout = {};
        layout.hDWP = ::BeginDeferWindowPos(8);
        layout.rect = rc;
        m_pTopContainer->OnSizeParent(this, rc, &layout);
        if (layout.hDWP != NULL)
            ::EndDeferWindowPos(layout.hDWP);
        m_pTopContainer->m_rcWindow = rc;
    }
    else
    {
        if (IsWindowVisible())
            CWnd::ShowWindow(SW_HIDE);
        if (m_bCollapsed)
            ExpandCollapse();
    }
    m_bInRecalcLayout = FALSE;
}

LRESULT CXTPDockingPaneMiniWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam)
{
    if (m_bDelayInvalidate)
    {
        m_bDelayInvalidate = FALSE;
        OnChildContainerChanged(NULL);
    }
    if (m_nIdleFlags & idleLayout)
        RecalcLayout();
    return CMiniFrameWnd::OnIdleUpdateCmdUI(wParam, lParam);
}

BOOL CXTPDockingPaneMiniWnd::ShowsCloseItem(UINT message, WPARAM wParam)
{
    switch (message)
    {
    case WM_SYSCOMMAND:
        return (wParam & 0xFFF0) == SC_KEYMENU || (wParam & 0xFFF0) == SC_MOUSEMENU;
    case WM_NCPAINT:
    case WM_NCACTIVATE:
    case WM_SETTEXT:
    case WM_SETICON:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_CONTEXTMENU:
        return TRUE;
    }
    return FALSE;
}

LRESULT CXTPDockingPaneMiniWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (pManager != NULL && pManager->GetToolTipContext() != NULL)
        pManager->GetToolTipContext()->FilterToolTipMessage(this, message, wParam, lParam);
    if (!m_bCloseKeptForWindowManager || !ShowsCloseItem(message, wParam))
        return CMiniFrameWnd::WindowProc(message, wParam, lParam);

    // The Close item kept for the window manager is greyed while the
    // system draws the caption's close button, tracks a press on it or
    // shows the system menu, and restored afterwards; the state is set
    // directly, which draws nothing.
    const HWND hWnd = m_hWnd;
    HMENU hSysMenu = ::GetSystemMenu(hWnd, FALSE);
    MENUITEMINFO mii = {};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_STATE;
    if (hSysMenu == NULL || !::GetMenuItemInfo(hSysMenu, SC_CLOSE, FALSE, &mii))
        return CMiniFrameWnd::WindowProc(message, wParam, lParam);
    const UINT nState = mii.fState;
    mii.fState = nState | MFS_GRAYED;
    ::SetMenuItemInfo(hSysMenu, SC_CLOSE, FALSE, &mii);
    const LRESULT lResult = CMiniFrameWnd::WindowProc(message, wParam, lParam);
    // The window (and this object with it) may have gone while it handled
    // the message: only its handles are looked at.
    if (::IsWindow(hWnd) && ::IsMenu(hSysMenu))
    {
        mii.fState = nState;
        ::SetMenuItemInfo(hSysMenu, SC_CLOSE, FALSE, &mii);
    }
    return lResult;
}

//////////////////////////////////////////////////////////////////////////
// Closing, focus and sizes

BOOL CXTPDockingPaneMiniWnd::NotifyPanes(XTPDockingPaneAction action)
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (pManager == NULL)
        return FALSE;
    CXTPDockingPaneBaseList lst;
    FindPanes(xtpPaneTypeDockingPane, &lst);
    POSITION pos = lst.GetHeadPosition();
    while (pos != NULL)
    {
        if (pManager->NotifyAction(action, static_cast<CXTPDockingPane*>(lst.GetNext(pos))))
            return TRUE;
    }
    return FALSE;
}

void CXTPDockingPaneMiniWnd::OnClose()
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (pManager == NULL)
        return;
    CXTPDockingPaneBaseList lst;
    FindPanes(xtpPaneTypeDockingPane, &lst);
    POSITION pos = lst.GetHeadPosition();
    while (pos != NULL)
    {
        CXTPDockingPane* pPane = static_cast<CXTPDockingPane*>(lst.GetNext(pos));
        if ((pPane->GetOptions() & xtpPaneNoCloseable) != 0)
            continue;
        pPane->InternalAddRef();
        if (!pManager->NotifyAction(xtpPaneActionClosing, pPane))
        {
            pManager->ClosePane(pPane);
            pManager->NotifyAction(xtpPaneActionClosed, pPane);
        }
        pPane->InternalRelease();
    }
}

void CXTPDockingPaneMiniWnd::OnDestroy()
{
    CWnd::GetWindowRect(&m_rcStored);
    Default();
}

void CXTPDockingPaneMiniWnd::OnSetFocus(CWnd* pOldWnd)
{
    Default();
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (m_pTopContainer == NULL || pManager == NULL || m_pLayout == NULL || !m_pLayout->IsValid())
        return;
    CXTPDockingPaneBaseList lst;
    FindPanes(xtpPaneTypeTabbedContainer, &lst);
    if (lst.GetCount() == 1)
    {
        CXTPDockingPane* pSelected = static_cast<CXTPDockingPaneTabbedContainer*>(lst.GetHead())->GetSelected();
        if (pSelected != NULL)
            pSelected->SetFocus();
    }
    pManager->CheckFocus();
}

void CXTPDockingPaneMiniWnd::OnSizing(UINT nSide, LPRECT lpRect)
{
    Default();
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (pManager != NULL && pManager->GetDockingContext() != NULL)
        pManager->GetDockingContext()->AdjustSizingRect(this, nSide, lpRect);
}

void CXTPDockingPaneMiniWnd::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    Default();
    if (m_pTopContainer == NULL || (m_bCollapsed && !m_bExpanded) || m_bSlideOut || m_hWnd == NULL)
        return;
    CRect rcWindow, rcClient;
    CWnd::GetWindowRect(&rcWindow);
    GetClientRect(&rcClient);
    CSize szExtra(rcWindow.Width() - rcClient.Width(), rcWindow.Height() - rcClient.Height());
    MINMAXINFO mmi;
    m_pTopContainer->GetMinMaxInfo(&mmi);
    lpMMI->ptMinTrackSize.x = std::max(lpMMI->ptMinTrackSize.x, mmi.ptMinTrackSize.x + szExtra.cx);
    lpMMI->ptMinTrackSize.y = std::max(lpMMI->ptMinTrackSize.y, mmi.ptMinTrackSize.y + szExtra.cy);
    lpMMI->ptMaxTrackSize.x = std::min(lpMMI->ptMaxTrackSize.x, mmi.ptMaxTrackSize.x + szExtra.cx);
    lpMMI->ptMaxTrackSize.y = std::min(lpMMI->ptMaxTrackSize.y, mmi.ptMaxTrackSize.y + szExtra.cy);
}

//////////////////////////////////////////////////////////////////////////
// The frame

CPoint CXTPDockingPaneMiniWnd::ScreenToWindowPoint(CPoint pt) const
{
    CRect rcWindow;
    CWnd::GetWindowRect(&rcWindow);
    return CPoint(pt.x - rcWindow.left, pt.y - rcWindow.top);
}

BOOL CXTPDockingPaneMiniWnd::OnNcActivate(BOOL bActive)
{
    if (IsThemed())
    {
        SendMessage(WM_NCPAINT);
        return TRUE;
    }
    return CMiniFrameWnd::OnNcActivate(bActive);
}

void CXTPDockingPaneMiniWnd::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    if (!IsThemed())
    {
        Default();
        return;
    }
    CXTPDockingPanePaintManager* pPaintManager = GetPaintManager();
    RECT& rc = lpncsp->rgrc[0];
    ::InflateRect(&rc, -kFrameBorder, -kFrameBorder);
    rc.top += (pPaintManager != NULL ? pPaintManager->GetCaptionHeight() : 0) + 2;
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
    if (rc.right < rc.left)
        rc.right = rc.left;
}

LRESULT CXTPDockingPaneMiniWnd::OnNcHitTest(CPoint point)
{
    if (!IsThemed())
        return Default();
    CRect rcWindow;
    CWnd::GetWindowRect(&rcWindow);
    if (!rcWindow.PtInRect(point))
        return HTNOWHERE;
    CRect rcInner(rcWindow);
    rcInner.DeflateRect(kFrameBorder, kFrameBorder);
    if (!rcInner.PtInRect(point))
    {
        const BOOL bTop = point.y < rcInner.top, bBottom = point.y >= rcInner.bottom;
        const BOOL bLeft = point.x < rcInner.left, bRight = point.x >= rcInner.right;
        if (bTop)
            return bLeft ? HTTOPLEFT : bRight ? HTTOPRIGHT : HTTOP;
        if (bBottom)
            return bLeft ? HTBOTTOMLEFT : bRight ? HTBOTTOMRIGHT : HTBOTTOM;
        return bLeft ? HTLEFT : HTRIGHT;
    }
    CRect rcClient;
    GetClientRect(&rcClient);
    ClientToScreen(&rcClient);
    if (rcClient.PtInRect(point))
        return HTCLIENT;
    CXTPDockingPanePaintManager* pPaintManager = GetPaintManager();
    int nCaption = (pPaintManager != NULL ? pPaintManager->GetCaptionHeight() : 0) + 4;
    return point.y < rcWindow.top + nCaption ? HTCAPTION : HTNOWHERE;
}

void CXTPDockingPaneMiniWnd::OnNcPaint()
{
    CXTPDockingPanePaintManager* pPaintManager = GetPaintManager();
    if (!IsThemed() || pPaintManager == NULL)
    {
        Default();
        return;
    }
    CWindowDC dcWindow(this);
    CRect rcWindow;
    CWnd::GetWindowRect(&rcWindow);
    CRect rc(0, 0, rcWindow.Width(), rcWindow.Height());
    CRect rcClient;
    GetClientRect(&rcClient);
    ClientToScreen(&rcClient);
    rcClient.OffsetRect(-rcWindow.TopLeft());
    dcWindow.ExcludeClipRect(rcClient);
    CXTPBufferDC dc(dcWindow.GetSafeHdc(), rc);
    pPaintManager->DrawFloatingFrame(&dc, this, rc);
}

INT_PTR CXTPDockingPaneMiniWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    if (!IsThemed() || m_hWnd == NULL)
        return -1;
    // Client coordinates in, buttons in window coordinates.
    CPoint ptScreen(point);
    ClientToScreen(&ptScreen);
    CPoint ptWindow = ScreenToWindowPoint(ptScreen);
    CXTPDockingPaneCaptionButton* pButton = m_pCaptionButtons->HitTest(ptWindow);
    if (pButton == NULL)
        return -1;
    CString strTip;
    if (!XTPResourceManager()->LoadString(&strTip, pButton->GetID()))
        return -1;
    CRect rcButton = pButton->GetRect();
    rcButton.OffsetRect(point - ptWindow);
    CXTPToolTipContext::FillInToolInfo(pTI, m_hWnd, rcButton, pButton->GetID(), strTip);
    return pButton->GetID();
}

void CXTPDockingPaneMiniWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (pManager == NULL)
    {
        Default();
        return;
    }
    if (IsThemed())
    {
        CPoint ptWindow = ScreenToWindowPoint(point);
        CXTPDockingPaneCaptionButton* pButton = m_pCaptionButtons->HitTest(ptWindow);
        if (pButton != NULL && pButton->IsEnabled())
        {
            if (!OnCaptionButtonDown(pButton) && pButton->Click(this, ptWindow, FALSE))
                OnCaptionButtonClick(pButton);
            return;
        }
    }
    if (nHitTest == HTCAPTION)
    {
        CWnd* pTop = GetTopLevelParent();
        if (pTop != NULL)
            pTop->SetActiveWindow();
        BringWindowToTop();
        if (pManager->GetDockingContext() != NULL && m_pTopContainer != NULL)
            pManager->GetDockingContext()->Drag(m_pTopContainer, point);
        return;
    }
    Default();
}

BOOL CXTPDockingPaneMiniWnd::OnCaptionButtonDown(CXTPDockingPaneCaptionButton* pButton)
{
    if (pButton->GetID() != XTP_IDS_DOCKINGPANE_MENU)
        return FALSE;
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    CXTPDockingPane* pPane = CXTPDockingPanePaintManager::GetCaptionPane(this);
    if (pPane == NULL || pManager == NULL)
        return TRUE;
    m_bActive = TRUE;
    CRect rcButton = pButton->GetRect();
    CRect rcWindow;
    CWnd::GetWindowRect(&rcWindow);
    rcButton.OffsetRect(rcWindow.TopLeft());
    XTP_DOCKINGPANE_CLICK menu = { pPane, rcButton.left, rcButton.bottom, rcButton };
    pButton->m_bPressed = TRUE;
    SendMessage(WM_NCPAINT);
    pManager->NotifyOwner(XTP_DPN_CONTEXTMENU, (LPARAM)&menu);
    pButton->m_bPressed = FALSE;
    SendMessage(WM_NCPAINT);
    return TRUE;
}

void CXTPDockingPaneMiniWnd::OnCaptionButtonClick(CXTPDockingPaneCaptionButton* pButton)
{
    switch (pButton->GetID())
    {
    case XTP_IDS_DOCKINGPANE_CLOSE:
        OnClose();
        break;
    case XTP_IDS_DOCKINGPANE_AUTOHIDE:
        ExpandCollapse();
        break;
    }
}

void CXTPDockingPaneMiniWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (nHitTest != HTCAPTION || pManager == NULL)
    {
        Default();
        return;
    }
    if (m_bCollapsed)
        ExpandCollapse();
    else if (m_pTopContainer != NULL)
        pManager->ToggleDocking(m_pTopContainer);
}

void CXTPDockingPaneMiniWnd::OnNcRButtonDown(UINT nHitTest, CPoint point)
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (nHitTest != HTCAPTION || pManager == NULL)
    {
        Default();
        return;
    }
    // The pane to report: the single group's, or the active group's.
    CXTPDockingPane* pPane = NULL;
    CXTPDockingPaneBaseList lst;
    FindPanes(xtpPaneTypeTabbedContainer, &lst);
    POSITION pos = lst.GetHeadPosition();
    while (pos != NULL && pPane == NULL)
    {
        CXTPDockingPaneTabbedContainer* pContainer = static_cast<CXTPDockingPaneTabbedContainer*>(lst.GetNext(pos));
        if (lst.GetCount() == 1 || pContainer->IsPaneActive())
            pPane = pContainer->GetSelected();
    }
    if (pPane == NULL)
    {
        Default();
        return;
    }
    pPane->SetFocus();
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    XTP_DOCKINGPANE_CLICK menu = { pPane, ptCursor.x, ptCursor.y, { 0, 0, 0, 0 } };
    if (pManager->NotifyOwner(XTP_DPN_CONTEXTMENU, (LPARAM)&menu) != 0)
        return;
    Default();
}

//////////////////////////////////////////////////////////////////////////
// Rolling up

void CXTPDockingPaneMiniWnd::SetWindowHeight(int nHeight, UINT nFlags)
{
    CRect rc;
    CWnd::GetWindowRect(&rc);
    SetWindowPos(&CWnd::wndTop, 0, 0, rc.Width(), nHeight, SWP_NOMOVE | nFlags);
}

void CXTPDockingPaneMiniWnd::StopRolling()
{
    if (!m_bSlideOut)
        return;
    KillTimer(timerRoll);
    m_bSlideOut = FALSE;
    NotifyPanes(xtpPaneActionCollapsed);
}

void CXTPDockingPaneMiniWnd::ExpandCollapse()
{
    if (m_bCollapsed)
    {
        if (NotifyPanes(xtpPaneActionPinning))
            return;
        if (m_hWnd != NULL)
        {
            // A stored height below the rolled-up one is not restored.
            int nHeight = std::max(m_nExpandedHeight, GetCollapsedHeight());
            CRect rc;
            CWnd::GetWindowRect(&rc);
            if (rc.Height() != nHeight)
                SetWindowHeight(nHeight, SWP_NOZORDER);
            KillTimer(timerLeaveCheck);
            KillTimer(timerRoll);
        }
        m_bCollapsed = m_bExpanded = m_bSlideOut = FALSE;
    }
    else
    {
        if (NotifyPanes(xtpPaneActionUnpinning))
            return;
        int nInterval = CXTPDockingPaneAutoHideWnd::m_nAnimationInterval;
        m_nStepsCount = nInterval > 0 ? std::max(1, CXTPDockingPaneAutoHideWnd::m_nAnimationDuration / nInterval) : 1;
        m_nStep = m_nStepsCount;
        if (m_hWnd != NULL)
        {
            CRect rc;
            CWnd::GetWindowRect(&rc);
            m_nExpandedHeight = rc.Height();
        }
        m_bCollapsed = TRUE;
        StopRolling();
        m_bExpanded = TRUE;
        m_nDeactivationCount = kLeaveChecks;
        if (m_hWnd != NULL)
            SetTimer(timerLeaveCheck, kLeaveCheckPeriod, NULL);
    }
    if (m_hWnd != NULL)
        SendMessage(WM_NCPAINT);
    NotifyPanes(m_bCollapsed ? xtpPaneActionUnpinned : xtpPaneActionPinned);
}

void CXTPDockingPaneMiniWnd::OnTimer(UINT_PTR nIDEvent)
{
    switch (nIDEvent)
    {
    case timerLeaveCheck:
    {
        CPoint pt;
        ::GetCursorPos(&pt);
        CRect rcWindow;
        CWnd::GetWindowRect(&rcWindow);
        HWND hWndFocus = ::GetFocus();
        if ((hWndFocus != NULL && (hWndFocus == m_hWnd || ::IsChild(m_hWnd, hWndFocus))) || m_bSlideOut ||
            rcWindow.PtInRect(pt) || ::GetCapture() != NULL)
            return;
        if (m_nDeactivationCount > 0)
            m_nDeactivationCount--;
        if (m_nDeactivationCount > 0)
            return;
        if (NotifyPanes(xtpPaneActionCollapsing))
        {
            m_nDeactivationCount = kLeaveChecks;
            return;
        }
        if (rcWindow.Height() >= m_nExpandedHeight || m_bExpanded)
        {
            m_nExpandedHeight = rcWindow.Height();
            m_bSlideOut = TRUE;
            SetTimer(timerRoll, CXTPDockingPaneAutoHideWnd::m_nAnimationInterval, NULL);
            KillTimer(timerLeaveCheck);
        }
        return;
    }
    case timerRoll:
        if (!m_bSlideOut)
            return;
        m_nStep--;
        if (m_nStep < 0)
        {
            m_bSlideOut = FALSE;
            m_bExpanded = FALSE;
            KillTimer(timerRoll);
            NotifyPanes(xtpPaneActionCollapsed);
            return;
        }
        SetWindowHeight(std::max(GetCollapsedHeight(), m_nExpandedHeight * m_nStep / std::max(1, m_nStepsCount)),
                        SWP_NOACTIVATE | SWP_NOZORDER);
        return;
    case timerHotButton:
    {
        CPoint pt;
        ::GetCursorPos(&pt);
        CRect rcWindow;
        CWnd::GetWindowRect(&rcWindow);
        CXTPDockingPanePaintManager* pPaintManager = GetPaintManager();
        CRect rcCaption(rcWindow.left, rcWindow.top, rcWindow.right,
                        rcWindow.top + (pPaintManager != NULL ? pPaintManager->GetCaptionHeight() : 0) + 4);
        if (!rcCaption.PtInRect(pt))
        {
            m_pCaptionButtons->CheckForMouseOver(CPoint(-1, -1));
            KillTimer(timerHotButton);
            SendMessage(WM_NCPAINT);
        }
        return;
    }
    }
    CMiniFrameWnd::OnTimer(nIDEvent);
}

void CXTPDockingPaneMiniWnd::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    if (IsThemed())
    {
        if (m_bCollapsed && m_nStep < 1)
        {
            StopRolling();
            if (!NotifyPanes(xtpPaneActionExpanding))
            {
                m_nStep = m_nStepsCount;
                m_bExpanded = TRUE;
                SetWindowHeight(std::max(m_nExpandedHeight, GetCollapsedHeight()), SWP_NOACTIVATE);
                m_nDeactivationCount = kLeaveChecks + 2;
                SetTimer(timerLeaveCheck, kLeaveCheckPeriod, NULL);
                NotifyPanes(xtpPaneActionExpanded);
            }
        }
        if (m_pCaptionButtons->CheckForMouseOver(ScreenToWindowPoint(point)))
        {
            SetTimer(timerHotButton, kLeaveCheckPeriod, NULL);
            SendMessage(WM_NCPAINT);
        }
    }
    Default();
}

void CXTPDockingPaneMiniWnd::OnThemedChanged()
{
    if (m_hWnd == NULL)
        return;
    const BOOL bThemed = IsThemed();
    if (bThemed)
        ModifyStyle(WS_BORDER | WS_THICKFRAME, 0);
    else
        ModifyStyle(0, WS_BORDER | WS_THICKFRAME);
    if (m_bCollapsed && !bThemed)
        ExpandCollapse();
    SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if (m_bCollapsed && bThemed && m_nStep < 1)
        SetWindowHeight(GetCollapsedHeight(), SWP_NOACTIVATE | SWP_NOZORDER);
}

//////////////////////////////////////////////////////////////////////////
// Copies and the stored form

void CXTPDockingPaneMiniWnd::Copy(CXTPDockingPaneMiniWnd* pSource, CXTPPaneToPaneMap* pMap)
{
    if (pSource->m_pTopContainer != NULL)
    {
        CXTPDockingPaneBase* pClone = pSource->m_pTopContainer->Clone(m_pLayout, pMap);
        if (pClone != NULL)
            SetTopPane(static_cast<CXTPDockingPaneSplitterContainer*>(pClone));
    }
    m_rcStored = pSource->m_rcStored;
    if (pSource->m_hWnd != NULL)
        pSource->CWnd::GetWindowRect(&m_rcStored);
    m_bCollapsed = pSource->m_bCollapsed;
    m_nExpandedHeight = pSource->m_nExpandedHeight;
    if (m_bCollapsed)
    {
        // A rolled-up copy shows its caption only.
        m_rcStored.bottom = m_rcStored.top + GetCollapsedHeight();
        m_nStep = 0;
        m_bExpanded = FALSE;
    }

    if (m_pLayout != NULL && !m_pLayout->IsUserLayout())
    {
        m_pDockingSite = this;
        Create(m_rcStored);
        if (m_pTopContainer != NULL)
        {
            m_pTopContainer->SetDockingSite(this);
            m_pTopContainer->OnParentContainerChanged(this);
        }
        OnChildContainerChanged(NULL);
    }
}

CXTPDockingPaneBase* CXTPDockingPaneMiniWnd::Clone(CXTPDockingPaneLayout* pLayout, CXTPPaneToPaneMap* pMap,
                                                   DWORD dwIgnoredOptions)
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    CXTPDockingPaneBase* pBase = pManager != NULL ? pManager->OnCreatePane(xtpPaneTypeMiniWnd, pLayout) : NULL;
    if (pBase == NULL)
        return NULL;
    CXTPDockingPaneMiniWnd* pClone = static_cast<CXTPDockingPaneMiniWnd*>(pBase);
    if (pMap != NULL)
        pMap->SetAt(this, pClone);
    pClone->Copy(this, pMap);
    return pClone;
}

BOOL CXTPDockingPaneMiniWnd::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPDockingPaneBase::DoPropExchange(pPX);

    if (pPX->IsStoring() && m_hWnd != NULL)
        CWnd::GetWindowRect(&m_rcStored);
    long nTop = m_rcStored.top, nBottom = m_rcStored.bottom, nLeft = m_rcStored.left, nRight = m_rcStored.right;
    PropExchangeLong(pPX, _T("WindowRectTopPos"), nTop);
    PropExchangeLong(pPX, _T("WindowRectBottomPos"), nBottom);
    PropExchangeLong(pPX, _T("WindowRectLeftPos"), nLeft);
    PropExchangeLong(pPX, _T("WindowRectRightPos"), nRight);
    PropExchangeBool(pPX, _T("Collapsed"), m_bCollapsed, FALSE);
    long nExpandedHeight = m_nExpandedHeight;
    PropExchangeLong(pPX, _T("ExpandedHeight"), nExpandedHeight);

    if (pPX->IsStoring())
    {
        long nTopIndex = m_pTopContainer != NULL ? m_pTopContainer->m_nIndex : 0;
        // The stored key keeps its historical spelling: layouts already
        // written use it.
        PropExchangeLong(pPX, _T("TopContaner"), nTopIndex);
        return TRUE;
    }

    // A stored rectangle and height stay within range, the rectangle never
    // inverted.
    nLeft = ClampCoordinate(nLeft);
    nTop = ClampCoordinate(nTop);
    nRight = std::max(nLeft, ClampCoordinate(nRight));
    nBottom = std::max(nTop, ClampCoordinate(nBottom));
    m_rcStored.SetRect(nLeft, nTop, std::min(nRight, nLeft + (long)XTP_DOCKINGPANE_MAXSIZE),
                       std::min(nBottom, nTop + (long)XTP_DOCKINGPANE_MAXSIZE));
    m_nExpandedHeight = std::max(0L, std::min(nExpandedHeight, (long)XTP_DOCKINGPANE_MAXSIZE));

    long nTopIndex = 0;
    PropExchangeLong(pPX, _T("TopContaner"), nTopIndex);
    CXTPDockingPaneBase* pTop = CXTPDockingPaneLayout::LookupObject(pPX, (int)nTopIndex);
    if (pTop == NULL || pTop->GetType() != xtpPaneTypeSplitterContainer || pTop->GetContainer() != NULL)
        return FALSE;
    m_pTopContainer = static_cast<CXTPDockingPaneSplitterContainer*>(pTop);
    m_pTopContainer->SetParentContainer(this);
    return TRUE;
}
