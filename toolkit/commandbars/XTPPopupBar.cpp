// Popup bars and popup toolbars: opening, placement, layout, short menus,
// scrolling, animation and tear-off.
#include "XTPPopupBar.h"
#include "XTPControls.h"
#include "XTPControlPopup.h"
#include "XTPCommandBars.h"
#include "XTPCommandBarsOptions.h"
#include "XTPShortcutManager.h"
#include "XTPToolBar.h"
#include "XTPPaintManager.h"
#include "XTPShadowManager.h"
#include "XTPSoundManager.h"
#include "XTPToolTipContext.h"
#include "XTPSystemHelpers.h"
#include "XTPDCHelpers.h"
#include "XTPImageManager.h"

XTP_IMPLEMENT_DYNCREATE_NESTED(CXTPPopupBar, CControlExpandButton, CXTPControlButton)
IMPLEMENT_DYNCREATE(CXTPPopupBar, CXTPCommandBar)
IMPLEMENT_DYNCREATE(CXTPPopupToolBar, CXTPPopupBar)

#define XTP_POPUPBAR_CLASSNAME _T("XTPPopupBar")
#define XTP_SCROLLAREA_HEIGHT 16

BEGIN_MESSAGE_MAP(CXTPPopupBar, CXTPCommandBar)
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSEACTIVATE()
    ON_WM_LBUTTONDOWN()
    ON_WM_TIMER()
    ON_WM_NCACTIVATE()
    ON_WM_NCCREATE()
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
END_MESSAGE_MAP()

//////////////////////////////////////////////////////////////////////////
// The expand button of a short menu

CXTPPopupBar::CControlExpandButton::CControlExpandButton()
{
    m_nId = XTP_ID_POPUPBAR_EXPAND;
    m_dwFlags = 0x5A;
    m_controlType = xtpControlButton;
}

void CXTPPopupBar::CControlExpandButton::OnExecute()
{
    CXTPPopupBar* pPopupBar = DYNAMIC_DOWNCAST(CXTPPopupBar, m_pParent);
    if (pPopupBar != NULL)
        pPopupBar->ExpandBar();
}

CSize CXTPPopupBar::CControlExpandButton::GetSize(CDC* pDC)
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    return pPaintManager->DrawExpandOrHideButton(pDC, 1, this, m_pParent, FALSE, NULL);
}

void CXTPPopupBar::CControlExpandButton::Draw(CDC* pDC)
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    pPaintManager->DrawExpandOrHideButton(pDC, 1, this, m_pParent, TRUE, NULL);
}

//////////////////////////////////////////////////////////////////////////
// CXTPPopupBar

CXTPPopupBar::CXTPPopupBar()
    : m_pControlPopup(NULL)
    , m_ptPopup(0, 0)
    , m_rcExclude(0, 0, 0, 0)
    , m_popupFlags(0)
    , m_bDynamicLayout(FALSE)
    , m_bCollapsed(FALSE)
    , m_bExpanded(FALSE)
    , m_bExpanding(FALSE)
    , m_bTearOffPopup(FALSE)
    , m_rcTearOffGripper(0, 0, 0, 0)
    , m_bTearOffSelected(FALSE)
    , m_bTearOffPressed(FALSE)
    , m_nTearOffTimer(0)
    , m_szTearOffBar(0, 0)
    , m_pTearOffBar(NULL)
    , m_nTearOffID(0)
    , m_nTearOffWidth(0)
    , m_bShowShadow(TRUE)
    , m_rcBorders(2, 4, 2, 4)
    , m_bDoubleGripper(FALSE)
    , m_bContextMenu(FALSE)
    , m_bScrolling(FALSE)
    , m_nFirstVisible(0)
    , m_nLastVisible(0)
    , m_bMultiColumn(FALSE)
    , m_nTrackFlags(0)
    , m_pReturnCmd(NULL)
    , m_bOwnLoop(FALSE)
    , m_bKeyboardTips(FALSE)
    , m_nTipsLevelBack(0)
    , m_nShowFullTimer(0)
{
    m_barType = xtpBarTypePopup;
    m_barPosition = xtpBarPopup;
    m_scrollDown.rc.SetRectEmpty();
    m_scrollDown.nTimer = 0;
    m_scrollDown.nIDEvent = XTP_TID_SCROLLDOWN;
    m_scrollUp.rc.SetRectEmpty();
    m_scrollUp.nTimer = 0;
    m_scrollUp.nIDEvent = XTP_TID_SCROLLUP;
}

CXTPPopupBar::~CXTPPopupBar()
{
    RemoveTearOff();
    XTPShadowsManager()->RemoveShadow(this);
}

CXTPPopupBar* AFX_CDECL CXTPPopupBar::CreatePopupBar(CXTPCommandBars* pCommandBars)
{
    CRuntimeClass* pClass = pCommandBars != NULL ? pCommandBars->GetBarClass(CXTPCommandBars::classPopupBar)
                                                 : RUNTIME_CLASS(CXTPPopupBar);
    CXTPPopupBar* pPopupBar = NULL;
    if (pClass != NULL && pClass->IsDerivedFrom(RUNTIME_CLASS(CXTPPopupBar)))
        pPopupBar = (CXTPPopupBar*)pClass->CreateObject();
    if (pPopupBar == NULL)
        pPopupBar = new CXTPPopupBar();
    pPopupBar->SetCommandBars(pCommandBars);
    return pPopupBar;
}

BOOL CXTPPopupBar::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CWnd::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext);
}

BOOL CXTPPopupBar::DestroyWindow()
{
    if (m_hWnd == NULL)
        return FALSE;
    // Hosted windows go back to the site, hidden, so they survive the popup.
    CWnd* pSite = GetSite();
    HWND hWndChild = ::GetWindow(m_hWnd, GW_CHILD);
    while (hWndChild != NULL)
    {
        HWND hWndNext = ::GetWindow(hWndChild, GW_HWNDNEXT);
        ::ShowWindow(hWndChild, SW_HIDE);
        ::SetParent(hWndChild, pSite != NULL ? pSite->GetSafeHwnd() : NULL);
        hWndChild = hWndNext;
    }
    return CWnd::DestroyWindow();
}

BOOL CXTPPopupBar::IsVisible() const
{
    return m_hWnd != NULL && ::IsWindowVisible(m_hWnd);
}

CXTPCommandBar* CXTPPopupBar::GetParentCommandBar() const
{
    return m_pControlPopup != NULL ? m_pControlPopup->GetParent() : NULL;
}

CRect CXTPPopupBar::GetBorders()
{
    if (m_barType == xtpBarTypeNormal)
        return m_rcBorders;
    return GetPaintManager()->GetCommandBarBorders(this);
}

void CXTPPopupBar::DelayRedraw()
{
    Redraw();
}

void CXTPPopupBar::AdjustExcludeRect(CRect& rc, BOOL bVertical)
{
    if (m_pControlPopup != NULL)
        m_pControlPopup->AdjustExcludeRect(rc, bVertical);
}

void CXTPPopupBar::SetTearOffPopup(LPCTSTR lpszCaption, UINT nID, int nWidth)
{
    m_bTearOffPopup = TRUE;
    m_strTearOffCaption = lpszCaption;
    m_nTearOffID = nID;
    m_nTearOffWidth = nWidth;
}

BOOL CXTPPopupBar::IsTearOffPopup(CString& strCaption, UINT& nID, int& nWidth) const
{
    strCaption = m_strTearOffCaption;
    nID = m_nTearOffID;
    nWidth = m_nTearOffWidth;
    return m_bTearOffPopup;
}

int CXTPPopupBar::GetDefaultItem(BOOL bByPosition) const
{
    for (int i = 0; i < GetControlCount(); i++)
    {
        CXTPControl* pControl = GetControl(i);
        if (pControl->IsVisible() && pControl->IsItemDefault())
            return bByPosition ? i : pControl->GetID();
    }
    return -1;
}

//////////////////////////////////////////////////////////////////////////
// Opening and closing

BOOL CXTPPopupBar::Popup(CXTPControlPopup* pControlPopup, BOOL bSelectFirst)
{
    m_pControlPopup = pControlPopup;
    CXTPCommandBars* pCommandBars = GetCommandBars();

    // A kept window of the other reading order is made again.
    BOOL bRTL = pCommandBars != NULL ? pCommandBars->IsLayoutRTL() : (GetImageManager()->m_nRTLMode == 1);
    if (m_hWnd != NULL && IsLayoutRTL() != bRTL)
        DestroyWindow();
    if (m_hWnd == NULL)
    {
        UINT nClassStyle = CS_DBLCLKS;
        if (pCommandBars == NULL || pCommandBars->GetCommandBarsOptions()->bUseSystemSaveBitsStyle)
            nClassStyle |= CS_SAVEBITS;
        RegisterBarClass(XTP_POPUPBAR_CLASSNAME, nClassStyle);

        DWORD dwExStyle = WS_EX_TOOLWINDOW;
        if (bRTL)
            dwExStyle |= WS_EX_LAYOUTRTL;
        CWnd* pSite = GetSite();
        if (!CreateEx(dwExStyle, XTP_POPUPBAR_CLASSNAME, m_strTitle, 0x86000100, CRect(0, 0, 0, 0),
                      pSite, 0))
        {
            TRACE("CXTPPopupBar::Popup: the popup window could not be created\n");
            m_pControlPopup = NULL;
            return FALSE;
        }
    }

    // The site's handlers below may release every other reference.
    InternalAddRef();
    if (m_pToolTipContext != NULL)
        m_pToolTipContext->CancelToolTips();
    LockRedraw();

    CWnd* pOwner = GetOwnerSite();
    if (pOwner != NULL && pOwner->GetSafeHwnd() != NULL)
        pOwner->SendMessage(WM_XTP_INITCOMMANDSPOPUP, 0, (LPARAM)this);

    m_bTearOffSelected = FALSE;
    m_bCollapsed = FALSE;
    m_bExpanded = IsCustomizeMode() ? TRUE : XTPMouseManager()->IsForceExpanded();
    m_bScrolling = FALSE;
    m_nFirstVisible = 0;

    UpdateFlags();
    CSize sz = CalcDynamicLayout(0, 0);
    CRect rc = CalcPopupRect(sz);
    BOOL bWasVisible = ::IsWindowVisible(m_hWnd);
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, rc.left, rc.top, rc.Width(), rc.Height(),
                   SWP_NOACTIVATE | SWP_SHOWWINDOW | (bWasVisible ? SWP_NOZORDER : 0));

    CXTPCommandBar* pParentBar = m_pControlPopup != NULL ? m_pControlPopup->GetParent() : NULL;
    if (m_pControlPopup != NULL && (pParentBar == NULL || !::IsWindow(pParentBar->GetSafeHwnd())))
    {
        m_nLockRedraw = 0;
        DestroyWindow();
        m_pControlPopup = NULL;
        InternalRelease();
        return FALSE;
    }

    // The first control is chosen only after the command states are updated:
    // a popup window kept from an earlier opening still shows the enabled
    // states of then, and Enter must run what the menu shows now.
    SetTrackingMode(TRUE, FALSE, bSelectFirst);
    m_dwIdleFlags &= ~(DWORD)xtpIdleLayout;
    OnIdleUpdate();
    if (m_hWnd == NULL || !m_bTracking)
    {
        m_nLockRedraw = 0;
        InternalRelease();
        return FALSE;
    }
    if (bSelectFirst)
        SelectFirstEnabled();

    AnimatePopupOpening();
    XTPSoundManager()->PlaySystemSound(xtpSoundMenuPopup);

    if (m_barPosition == xtpBarPopup && m_bShowShadow)
    {
        XTPShadowsManager()->RemoveShadow(this);
        XTPShadowsManager()->SetShadow(this, m_rcExclude);
    }
    m_dwIdleFlags |= xtpIdleLayout;
    UnlockRedraw();
    InternalRelease();
    return TRUE;
}

BOOL CXTPPopupBar::PopupAt(int x, int y, LPCRECT lpExclude)
{
    m_ptPopup = CPoint(x, y);
    if (lpExclude != NULL)
        m_rcExclude = *lpExclude;
    else
        m_rcExclude.SetRectEmpty();
    m_popupFlags = (m_nTrackFlags & TPM_RIGHTALIGN) ? xtpPopupLeft : 0;
    return Popup(NULL, FALSE);
}

BOOL CXTPPopupBar::SetTrackingMode(int bMode, BOOL bSelectFirst, BOOL bKeyboard)
{
    // The parent's and the site's handlers may release this popup.
    InternalAddRef();
    if (!CXTPCommandBar::SetTrackingMode(bMode, bSelectFirst, bKeyboard))
    {
        InternalRelease();
        return FALSE;
    }

    CWnd* pOwner = GetOwnerSite();
    CWnd* pSite = GetSite();
    if (!bMode)
    {
        NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPEND, m_hWnd, OBJID_CLIENT, CHILDID_SELF);
        XTPShadowsManager()->RemoveShadow(this);
        // The button that opened it cast its shadow on its own bar (a
        // toolbar or the menu bar): it goes with the popup.
        CXTPCommandBar* pButtonBar = GetParentCommandBar();
        if (pButtonBar != NULL && !pButtonBar->IsPopupBar())
            XTPShadowsManager()->RemoveShadow(pButtonBar);
        KillScrollTimers();
        m_bKeyboardTips = FALSE;
        m_nTipsLevelBack = 0;
        // The window is hidden and kept for the next opening (making it again
        // costs more than laying the popup out); a popup that hosts windows
        // is destroyed, which gives them back to the site.
        if (m_hWnd != NULL && ::GetWindow(m_hWnd, GW_CHILD) == NULL)
        {
            if (m_nShowFullTimer != 0)
            {
                KillTimer(XTP_TID_SHOWFULLMENU);
                m_nShowFullTimer = 0;
            }
            ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0,
                           SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        else
        {
            DestroyWindow();
        }

        CXTPCommandBar* pParent = GetParentCommandBar();
        if (pParent != NULL)
            pParent->SetPopuped(-1);
        if (pOwner != NULL && pOwner->GetSafeHwnd() != NULL)
            pOwner->SendMessage(WM_XTP_UNINITCOMMANDSPOPUP, 0, (LPARAM)this);
        ::Sleep(0);
        m_pControlPopup = NULL;
    }
    else
    {
        NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPSTART, m_hWnd, OBJID_CLIENT, CHILDID_SELF);
    }
    if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
        pSite->UpdateWindow();
    InternalRelease();
    return TRUE;
}

BOOL CXTPPopupBar::SetSelected(int nSelected, BOOL bKeyboard)
{
    BOOL bResult = CXTPCommandBar::SetSelected(nSelected, bKeyboard);
    if (m_hWnd == NULL)
        return bResult;

    CXTPControl* pControl = GetControl(m_nSelected);
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pControl != NULL && pControl->GetID() == XTP_ID_POPUPBAR_EXPAND && !bKeyboard && pCommandBars != NULL &&
        pCommandBars->GetCommandBarsOptions()->bShowFullAfterDelay)
    {
        if (m_nShowFullTimer == 0)
            m_nShowFullTimer = SetTimer(XTP_TID_SHOWFULLMENU, 900, NULL);
    }
    else if (m_nShowFullTimer != 0)
    {
        KillTimer(XTP_TID_SHOWFULLMENU);
        m_nShowFullTimer = 0;
    }
    return bResult;
}

//////////////////////////////////////////////////////////////////////////
// Placement

void CXTPPopupBar::UpdateFlags()
{
    if (m_pControlPopup == NULL)
        return;
    CXTPCommandBar* pParent = m_pControlPopup->GetParent();
    if (pParent == NULL)
        return;

    m_popupFlags = 0;
    if ((m_pControlPopup->GetFlags() & xtpFlagLeftPopup) != 0 || IsLayoutRTL())
        m_popupFlags |= xtpPopupLeft;

    XTPBarPosition posParent = pParent->GetPosition();
    BOOL bFloatingPopupType = posParent == xtpBarFloating && pParent->GetType() == xtpBarTypePopup;
    if ((pParent->GetFlags() & xtpFlagSmartLayout) != 0 && posParent == xtpBarPopup)
        m_popupFlags |= xtpPopupDown;
    else if (posParent != xtpBarLeft && posParent != xtpBarRight && posParent != xtpBarPopup && !bFloatingPopupType)
        m_popupFlags |= xtpPopupDown;

    CXTPPopupBar* pParentPopup = DYNAMIC_DOWNCAST(CXTPPopupBar, pParent);
    if (posParent == xtpBarRight ||
        (pParentPopup != NULL && pParent->GetType() == xtpBarTypePopup && (pParentPopup->m_popupFlags & xtpPopupLeft)))
        m_popupFlags = xtpPopupLeft;

    CRect rc = m_pControlPopup->GetRect();
    // A dialog bar's caption menu drops below its caption wherever the bar sits.
    BOOL bCaptionMenu = pParent->IsDialogBar() && m_pControlPopup->GetID() == XTP_ID_DIALOGBAR_CAPTION;
    if (bCaptionMenu)
    {
        m_popupFlags = (m_popupFlags & xtpPopupLeft) | xtpPopupDown;
        AdjustExcludeRect(rc, FALSE);
    }
    else if (m_pControlPopup->GetType() == xtpControlComboBox && !pParent->IsPopupBar())
    {
        m_popupFlags |= xtpPopupDown;
    }
    else
    {
        BOOL bVertical = posParent == xtpBarLeft || posParent == xtpBarRight || posParent == xtpBarPopup ||
                         bFloatingPopupType;
        AdjustExcludeRect(rc, bVertical);
    }
    if (pParent->GetSafeHwnd() != NULL)
        pParent->ClientToScreen(&rc);
    m_rcExclude = rc;
    m_ptPopup = (m_popupFlags & xtpPopupDown) ? CPoint(rc.left, rc.bottom) : CPoint(rc.right, rc.top);
}

CRect CXTPPopupBar::CalcPopupRect(CSize sz)
{
    CXTPMonitorFunctions* pMonitors = XTPMonitorFunctions();
    CRect rcWork = m_rcExclude.IsRectEmpty() ? pMonitors->GetWorkAreaFromPoint(m_ptPopup)
                                             : pMonitors->GetWorkAreaFromRect(&m_rcExclude);
    rcWork.bottom -= 5;
    CXTPCommandBars* pCommandBars = GetCommandBars();
    BOOL bColumns = (pCommandBars != NULL && pCommandBars->GetCommandBarsOptions()->bWrapLargePopups) ||
                    m_bMultiColumn;

    int cx = sz.cx, cy = sz.cy;
    BOOL bExcludeWidth = m_rcExclude.Width() > 0;
    BOOL bExcludeHeight = m_rcExclude.Height() > 0;
    int x = m_ptPopup.x;
    int y = m_ptPopup.y;
    int nHeight = cy;
    BOOL bScroll = FALSE;
    BOOL bAskColumns = FALSE;

    if (m_popupFlags == (xtpPopupLeft | xtpPopupDown) && bExcludeWidth)
        x = m_rcExclude.right - cx;
    else if ((m_popupFlags & xtpPopupLeft) && bExcludeWidth)
        x = m_rcExclude.left - cx;
    else if (m_popupFlags & xtpPopupLeft)
        x = m_ptPopup.x - cx;

    int nHalfHeight = (rcWork.bottom - rcWork.top) / 2;
    if (!bExcludeHeight && m_ptPopup.y > rcWork.bottom)
    {
        y = m_ptPopup.y - cy;
    }
    else if (y + cy > rcWork.bottom)
    {
        if (!bExcludeHeight)
        {
            y = y < nHalfHeight ? rcWork.bottom - cy : m_ptPopup.y - cy;
        }
        else if ((m_popupFlags & xtpPopupDown) == 0)
        {
            y = rcWork.bottom - cy;
        }
        else
        {
            y = m_rcExclude.top - cy;
            if (y < rcWork.top)
            {
                if (bColumns && m_pControlPopup != NULL)
                {
                    // Beside the control instead.
                    m_popupFlags &= ~(DWORD)xtpPopupDown;
                    CRect rc = m_pControlPopup->GetRect();
                    AdjustExcludeRect(rc, TRUE);
                    if (m_pControlPopup->GetParent() != NULL && m_pControlPopup->GetParent()->GetSafeHwnd() != NULL)
                        m_pControlPopup->GetParent()->ClientToScreen(&rc);
                    m_rcExclude = rc;
                    x = (m_popupFlags & xtpPopupLeft) ? rc.left - cx : rc.right;
                    y = rcWork.bottom - cy;
                }
                else
                {
                    bScroll = TRUE;
                    if ((m_rcExclude.top + m_rcExclude.bottom) / 2 > nHalfHeight)
                    {
                        y = rcWork.top;
                        nHeight = m_rcExclude.top - rcWork.top;
                    }
                    else
                    {
                        y = m_rcExclude.bottom;
                        nHeight = rcWork.bottom - m_rcExclude.bottom;
                    }
                }
            }
        }
    }
    y = std::max(y, (int)rcWork.top);
    if (y + nHeight > rcWork.bottom)
    {
        if (bColumns)
        {
            bAskColumns = TRUE;
        }
        else
        {
            nHeight = rcWork.bottom - y;
            bScroll = TRUE;
        }
    }

    bExcludeWidth = m_rcExclude.Width() > 0;
    if (x + cx > rcWork.right)
    {
        if (!bExcludeWidth && x > rcWork.right)
            x -= cx;
        else if (!bExcludeWidth)
            x = rcWork.right - cx;
        else
        {
            x = ((m_popupFlags & xtpPopupDown) ? rcWork.right : m_rcExclude.left) - cx;
            m_popupFlags |= xtpPopupLeft;
        }
        x = std::max(x, (int)rcWork.left);
    }
    else if (x < rcWork.left)
    {
        if (!bExcludeWidth)
        {
            if (m_popupFlags & xtpPopupLeft)
                x = rcWork.left;
        }
        else
        {
            x = (m_popupFlags & xtpPopupDown) ? rcWork.left : m_rcExclude.right;
        }
        m_popupFlags &= ~(DWORD)xtpPopupLeft;
    }

    if (bAskColumns && !m_bMultiColumn && m_barType == xtpBarTypePopup)
    {
        CSize szColumns = CalcDynamicLayout(rcWork.Height(), 0);
        if (m_bMultiColumn)
            return CalcPopupRect(szColumns);
        nHeight = std::min(nHeight, (int)(rcWork.bottom - y));
        bScroll = TRUE;
    }

    m_bScrolling = bScroll && m_barType == xtpBarTypePopup;
    if (m_bScrolling)
    {
        m_nFirstVisible = 0;
        CSize szScroll(cx, nHeight);
        UpdateScroll(&szScroll, FALSE, FALSE);
    }
    return CRect(x, y, x + cx, y + nHeight);
}

//////////////////////////////////////////////////////////////////////////
// Layout

void CXTPPopupBar::UpdateShortcuts()
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == NULL || !pCommandBars->GetCommandBarsOptions()->bAutoUpdateShortcuts)
        return;
    CXTPShortcutManager* pShortcuts = pCommandBars->GetShortcutManager();
    for (int i = 0; i < GetControlCount(); i++)
    {
        CXTPControl* pControl = GetControl(i);
        if (pControl->GetParent() != this || pControl->GetID() == 0 || !pControl->IsVisible(xtpHideExpand))
            continue;
        CString strShortcut;
        if (pShortcuts == NULL || !pShortcuts->FindDefaultAccelerator((UINT)pControl->GetID(), strShortcut))
            strShortcut.Empty();
        pControl->SetAutomaticShortcutText(strShortcut);
    }
}

void CXTPPopupBar::DecideHiddenCommands()
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    m_bCollapsed = FALSE;
    if (pCommandBars == NULL)
        return;

    if (pCommandBars->GetCommandBarsOptions()->bAlwaysShowFullMenus)
    {
        for (int i = 0; i < GetControlCount(); i++)
        {
            CXTPControl* pControl = GetControl(i);
            if (pControl->GetParent() == this)
                pControl->SetExpanded(FALSE);
        }
        m_bExpanded = TRUE;
        return;
    }

    BOOL bShown = FALSE;
    for (int i = 0; i < GetControlCount(); i++)
    {
        CXTPControl* pControl = GetControl(i);
        if (pControl->GetParent() != this)
            continue;
        BOOL bOtherwiseVisible = pControl->IsVisible(xtpHideScroll | xtpHideExpand);
        if (!pCommandBars->IsControlHidden(pControl))
        {
            pControl->SetExpanded(FALSE);
            if (pControl->GetID() != XTP_ID_POPUPBAR_EXPAND && bOtherwiseVisible)
                bShown = TRUE;
        }
        else if (bOtherwiseVisible)
        {
            pControl->SetExpanded(TRUE);
        }
    }
    for (int i = 0; i < GetControlCount(); i++)
    {
        CXTPControl* pControl = GetControl(i);
        if (pControl->GetParent() != this)
            continue;
        BOOL bHide = pControl->GetExpanded() && !m_bExpanded && bShown;
        pControl->SetHideFlag(xtpHideExpand, bHide);
        if (bHide)
            m_bCollapsed = TRUE;
    }
}

void CXTPPopupBar::PlaceExpandButton(CSize sz, const CRect& rcBorders)
{
    CXTPControl* pExpand = m_pControls->FindControl(xtpControlError, XTP_ID_POPUPBAR_EXPAND, FALSE, FALSE);
    if (pExpand == NULL)
        return;
    if (!m_bCollapsed)
    {
        pExpand->SetHideFlags(xtpHideGeneric);
        return;
    }
    CSize szExpand = GetPaintManager()->DrawExpandOrHideButton(NULL, 1, NULL, this, FALSE, NULL);
    pExpand->SetHideFlags(0);
    pExpand->SetRect(CRect(rcBorders.left, sz.cy - rcBorders.bottom, sz.cx - rcBorders.right,
                           sz.cy - rcBorders.bottom + szExpand.cy));
}

CSize CXTPPopupBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    (void)dwMode;
    m_bDynamicLayout = TRUE;
    CXTPPaintManager* pPaintManager = GetPaintManager();
    CClientDC dcScreen(NULL);
    CXTPFontDC font(&dcScreen, pPaintManager->GetCommandBarFont(this));

    CRect rcBorders = GetBorders();
    CSize szTearOff(0, 0);
    if (m_bTearOffPopup)
    {
        szTearOff = pPaintManager->DrawTearOffGripper(NULL, CRect(0, 0, 0, 0), FALSE, FALSE, FALSE);
        rcBorders.top += szTearOff.cy;
    }

    CSize sz;
    if (m_barType == xtpBarTypeNormal)
    {
        UpdateShortcuts();
        sz = m_pControls->CalcDynamicSize(&dcScreen, m_nMRUWidth, LM_COMMIT | LM_HORZ | LM_POPUP, rcBorders, 0);
    }
    else
    {
        if (nLength == 0)
        {
            for (int i = 0; i < GetControlCount(); i++)
            {
                if (GetControl(i)->GetParent() == this)
                    GetControl(i)->OnCalcDynamicSize(0);
            }
            DecideHiddenCommands();
            UpdateShortcuts();
        }

        CXTPControl* pExpand = m_pControls->FindControl(xtpControlError, XTP_ID_POPUPBAR_EXPAND, FALSE, FALSE);
        if (!m_bCollapsed)
        {
            if (pExpand != NULL)
                pExpand->SetHideFlags(xtpHideGeneric);
        }
        else
        {
            CSize szExpand = pPaintManager->DrawExpandOrHideButton(NULL, 1, NULL, this, FALSE, NULL);
            rcBorders.bottom += szExpand.cy;
            if (pExpand == NULL)
                pExpand = m_pControls->Add(new CControlExpandButton(), XTP_ID_POPUPBAR_EXPAND, NULL, -1, TRUE);
            pExpand->SetHideFlags(xtpHideGeneric);
        }

        sz = m_pControls->CalcPopupSize(&dcScreen, nLength, rcBorders);
        PlaceExpandButton(sz, rcBorders);
    }
    m_rcTearOffGripper = CRect(rcBorders.left, rcBorders.top - szTearOff.cy, sz.cx - rcBorders.right, rcBorders.top);
    if (!m_bTearOffPopup)
        m_rcTearOffGripper.SetRectEmpty();
    m_bDynamicLayout = FALSE;
    return sz;
}

void CXTPPopupBar::OnControlsChanged()
{
    m_nSelected = -1;
    m_nPopuped = -1;
    DelayLayout();
    OnRecalcLayout();
}

void CXTPPopupBar::OnRecalcLayout()
{
    if (m_bDynamicLayout || m_hWnd == NULL || !m_bTracking)
        return;

    UpdateShortcuts();
    UpdateFlags();
    CSize sz = CalcDynamicLayout(0, 0);
    CRect rc = CalcPopupRect(sz);
    m_dwIdleFlags &= ~(DWORD)xtpIdleLayout;

    CRect rcWindow;
    GetWindowRect(&rcWindow);
    if (rc == rcWindow && !m_bExpanding)
    {
        Redraw();
        return;
    }

    CXTPCommandBars* pCommandBars = GetCommandBars();
    BOOL bTips = pCommandBars != NULL && pCommandBars->GetKeyboardTipsOwner() == this;
    if (bTips)
        pCommandBars->HideKeyboardTips();

    CXTPPaintManager* pPaintManager = GetPaintManager();
    int nAnimation = m_bExpanding ? GetAnimationKind() : 0;
    if (nAnimation >= 2 && nAnimation <= 4)
    {
        // Grow from the short menu to the full one. The menu grows the way
        // its window does: down when its top stays, up when its bottom does.
        BOOL bExpandDown = rc.top >= rcWindow.top;

        // Before the window moves: the screen under the new rectangle and
        // the short menu's image, so that the first frame shows what was
        // there and not whatever the moved window holds.
        CWindowDC dcWindow(this);
        CBitmap bmpScreen;
        {
            CWindowDC dcScreen(NULL);
            bmpScreen.CreateCompatibleBitmap(&dcScreen, std::max(1, rc.Width()), std::max(1, rc.Height()));
        }
        CXTPCompatibleDC dcScreenCopy(&dcWindow, &bmpScreen);
        {
            CWindowDC dcScreen(NULL);
            dcScreenCopy.BitBlt(0, 0, rc.Width(), rc.Height(), &dcScreen, rc.left, rc.top, SRCCOPY);
        }
        dcScreenCopy.BitBlt(rcWindow.left - rc.left, rcWindow.top - rc.top, rcWindow.Width(), rcWindow.Height(),
                            &dcWindow, 0, 0, SRCCOPY);

        SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOREDRAW);
        pPaintManager->SetCommandBarRegion(this);
        {
            CWindowDC dcMoved(this);
            dcMoved.BitBlt(0, 0, rc.Width(), rc.Height(), &dcScreenCopy, 0, 0, SRCCOPY);
        }
        CClientDC dc(this);
        CRect rcClient;
        GetClientRect(&rcClient);
        CBitmap bmpBuffer;
        bmpBuffer.CreateCompatibleBitmap(&dc, std::max(1, rcClient.Width()), std::max(1, rcClient.Height()));
        CXTPCompatibleDC dcBuffer(&dc, &bmpBuffer);
        DrawCommandBar(&dcBuffer, rcClient);
        pPaintManager->AnimateExpanding(this, &dc, &dcBuffer, bExpandDown);
        dc.BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &dcBuffer, 0, 0, SRCCOPY);
        XTPSoundManager()->PlaySystemSound(xtpSoundMenuPopup);
    }
    else
    {
        SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        pPaintManager->SetCommandBarRegion(this);
    }

    if (m_barPosition == xtpBarPopup && m_bShowShadow)
    {
        XTPShadowsManager()->RemoveShadow(this);
        XTPShadowsManager()->SetShadow(this, m_rcExclude);
    }
    if (m_pControlPopup != NULL)
        m_pControlPopup->UpdateShadow();
    Redraw();
    if (bTips)
        PostMessage(WM_TIMER, XTP_TID_SHOWKEYBOARDTIPS);
    m_bExpanding = FALSE;
}

void CXTPPopupBar::ExpandBar()
{
    if (m_bExpanded || !m_bCollapsed)
        return;
    if (m_pToolTipContext != NULL)
        m_pToolTipContext->CancelToolTips();
    m_bExpanding = TRUE;
    m_bExpanded = TRUE;
    SetPopuped(-1);
    SetSelected(-1);
    OnRecalcLayout();
    m_bExpanding = FALSE;
    XTPMouseManager()->SetForceExpanded(TRUE);
}

//////////////////////////////////////////////////////////////////////////
// Animation

int CXTPPopupBar::GetAnimationKind() const
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == NULL)
        return 0;
    int nType = pCommandBars->GetCommandBarsOptions()->animationType;
    if (nType == 0)
    {
        BOOL bAnimation = FALSE;
        if (!::SystemParametersInfo(SPI_GETMENUANIMATION, 0, &bAnimation, 0) || !bAnimation)
            return 0;
        BOOL bFade = FALSE;
        ::SystemParametersInfo(SPI_GETMENUFADE, 0, &bFade, 0);
        return bFade ? 4 : 3;
    }
    if (nType == 1)
    {
        int nRandom = rand() % 3;
        return nRandom == 0 ? 4 : (nRandom == 1 ? 3 : 2);
    }
    return (nType >= 2 && nType <= 4) ? nType : 0;
}

void CXTPPopupBar::AnimatePopupOpening()
{
    CXTPCommandBar* pParent = GetParentCommandBar();
    CXTPPaintManager* pPaintManager = GetPaintManager();
    BOOL bPlay = (pParent == NULL || pParent->m_bEnteredByMouse) && !IsCustomizeMode() &&
                 ::GetWindow(m_hWnd, GW_CHILD) == NULL;
    int nAnimation = bPlay ? GetAnimationKind() : 0;

    if (nAnimation >= 2 && nAnimation <= 4)
    {
        if (m_pControlPopup != NULL)
            m_pControlPopup->RedrawParent(FALSE);
        if (pParent != NULL && pParent->GetSafeHwnd() != NULL)
            pParent->UpdateWindow();
        CWnd* pSite = GetSite();
        if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
            pSite->UpdateWindow();

        CRect rcClient;
        GetClientRect(&rcClient);
        CClientDC dc(this);
        CBitmap bmpBuffer;
        bmpBuffer.CreateCompatibleBitmap(&dc, std::max(1, rcClient.Width()), std::max(1, rcClient.Height()));
        CXTPCompatibleDC dcBuffer(&dc, &bmpBuffer);
        DrawCommandBar(&dcBuffer, rcClient);
        pPaintManager->SetCommandBarRegion(this);
        pPaintManager->AnimatePopup(&dc, &dcBuffer, rcClient, nAnimation);
        dc.BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &dcBuffer, 0, 0, SRCCOPY);
        ValidateRect(NULL);
    }
    else
    {
        pPaintManager->SetCommandBarRegion(this);
    }
    if (pParent != NULL)
        pParent->m_bEnteredByMouse = FALSE;
}

//////////////////////////////////////////////////////////////////////////
// Scrolling

void CXTPPopupBar::KillScrollTimers()
{
    if (m_hWnd == NULL)
        return;
    if (m_scrollDown.nTimer != 0)
        KillTimer(m_scrollDown.nIDEvent);
    if (m_scrollUp.nTimer != 0)
        KillTimer(m_scrollUp.nIDEvent);
    m_scrollDown.nTimer = m_scrollUp.nTimer = 0;
}

void CXTPPopupBar::UpdateScroll(LPSIZE pSize, BOOL bFromBottom, BOOL bRedraw)
{
    CSize sz;
    if (pSize != NULL)
        sz = *pSize;
    else
    {
        CRect rcClient;
        GetClientRect(&rcClient);
        sz = rcClient.Size();
    }
    CRect rcBorders = GetBorders();
    CXTPPaintManager* pPaintManager = GetPaintManager();
    if (m_bTearOffPopup)
        rcBorders.top += pPaintManager->DrawTearOffGripper(NULL, CRect(0, 0, 0, 0), FALSE, FALSE, FALSE).cy;
    if (m_bCollapsed)
        rcBorders.bottom += pPaintManager->DrawExpandOrHideButton(NULL, 1, NULL, this, FALSE, NULL).cy;
    int nSeparator = pPaintManager->DrawCommandBarSeparator(NULL, this, NULL, FALSE).cy;
    int nCount = GetControlCount();
    m_scrollUp.rc.SetRectEmpty();
    m_scrollDown.rc.SetRectEmpty();

    auto isScrollable = [&](int i) {
        CXTPControl* pControl = GetControl(i);
        return pControl->GetParent() == this && pControl->GetID() != XTP_ID_POPUPBAR_EXPAND;
    };
    auto isShown = [&](int i) { return isScrollable(i) && GetControl(i)->IsVisible(xtpHideScroll); };
    auto anyShownIn = [&](int nFrom, int nTo) {
        for (int k = nFrom; k < nTo; k++)
            if (isShown(k))
                return TRUE;
        return FALSE;
    };

    if (!bFromBottom)
    {
        if (m_nFirstVisible == 1)
            m_nFirstVisible = 0;
        int nTop = rcBorders.top + (m_nFirstVisible > 0 ? XTP_SCROLLAREA_HEIGHT : 0);
        int nBottom = sz.cy - rcBorders.bottom;
        int y = nTop;
        BOOL bFirst = TRUE;
        int i = 0;
        for (; i < m_nFirstVisible && i < nCount; i++)
        {
            if (isScrollable(i))
                GetControl(i)->SetHideFlag(xtpHideScroll, TRUE);
        }
        for (i = m_nFirstVisible; i < nCount; i++)
        {
            if (!isScrollable(i))
                continue;
            CXTPControl* pControl = GetControl(i);
            pControl->SetHideFlag(xtpHideScroll, FALSE);
            if (!pControl->IsVisible())
                continue;
            int h = pControl->GetRect().Height();
            int yTop = y + ((pControl->GetBeginGroup() && !bFirst) ? nSeparator : 0);
            int nLimit = anyShownIn(i + 1, nCount) ? nBottom - XTP_SCROLLAREA_HEIGHT : nBottom;
            if (yTop + h > nLimit)
            {
                if (!bFirst)
                    break;
                h = std::max(1, nLimit - yTop);
            }
            pControl->SetRect(CRect(rcBorders.left, yTop, sz.cx - rcBorders.right, yTop + h));
            y = yTop + h;
            bFirst = FALSE;
        }
        m_nLastVisible = i;
        for (; i < nCount; i++)
        {
            if (isScrollable(i))
                GetControl(i)->SetHideFlag(xtpHideScroll, TRUE);
        }
        if (anyShownIn(m_nLastVisible, nCount))
            m_scrollDown.rc = CRect(rcBorders.left, nBottom - XTP_SCROLLAREA_HEIGHT, sz.cx - rcBorders.right, nBottom);
        if (m_nFirstVisible > 0)
            m_scrollUp.rc = CRect(rcBorders.left, rcBorders.top, sz.cx - rcBorders.right,
                                  rcBorders.top + XTP_SCROLLAREA_HEIGHT);
    }
    else
    {
        if (m_nLastVisible >= nCount - 1)
            m_nLastVisible = nCount;
        int nBottom = sz.cy - rcBorders.bottom - (m_nLastVisible < nCount ? XTP_SCROLLAREA_HEIGHT : 0);
        int y = nBottom;
        int i = nCount - 1;
        for (; i >= m_nLastVisible; i--)
        {
            if (isScrollable(i))
                GetControl(i)->SetHideFlag(xtpHideScroll, TRUE);
        }
        BOOL bFirst = TRUE;
        for (i = m_nLastVisible - 1; i >= 0; i--)
        {
            if (!isScrollable(i))
                continue;
            CXTPControl* pControl = GetControl(i);
            pControl->SetHideFlag(xtpHideScroll, FALSE);
            if (!pControl->IsVisible())
                continue;
            int h = pControl->GetRect().Height();
            int nLimit = anyShownIn(0, i) ? rcBorders.top + XTP_SCROLLAREA_HEIGHT : rcBorders.top;
            if (y - h < nLimit && !bFirst)
                break;
            pControl->SetRect(CRect(rcBorders.left, y - h, sz.cx - rcBorders.right, y));
            y -= h;
            if (pControl->GetBeginGroup())
                y -= nSeparator;
            bFirst = FALSE;
        }
        m_nFirstVisible = i + 1;
        for (; i >= 0; i--)
        {
            if (isScrollable(i))
                GetControl(i)->SetHideFlag(xtpHideScroll, TRUE);
        }
        if (m_nFirstVisible > 0 && anyShownIn(0, m_nFirstVisible))
            m_scrollUp.rc = CRect(rcBorders.left, rcBorders.top, sz.cx - rcBorders.right,
                                  rcBorders.top + XTP_SCROLLAREA_HEIGHT);
        if (m_nLastVisible < nCount)
            m_scrollDown.rc = CRect(rcBorders.left, sz.cy - rcBorders.bottom - XTP_SCROLLAREA_HEIGHT,
                                    sz.cx - rcBorders.right, sz.cy - rcBorders.bottom);
    }

    PlaceExpandButton(sz, rcBorders);
    if (bRedraw)
        Redraw();
}

void CXTPPopupBar::EnsureVisible(CXTPControl* pControl)
{
    if (!m_bScrolling || pControl == NULL || (pControl->GetHideFlags() & xtpHideScroll) == 0)
        return;
    int nIndex = pControl->GetIndex();
    if (nIndex >= m_nLastVisible)
    {
        m_nLastVisible = nIndex + 1;
        UpdateScroll(NULL, TRUE, TRUE);
    }
    else
    {
        m_nFirstVisible = nIndex;
        UpdateScroll(NULL, FALSE, TRUE);
    }
}

void CXTPPopupBar::CheckScrollArea(CPoint point)
{
    if (!m_bScrolling)
        return;
    SCROLLINFO_AREA* areas[2] = { &m_scrollDown, &m_scrollUp };
    for (int k = 0; k < 2; k++)
    {
        SCROLLINFO_AREA& area = *areas[k];
        if (!area.rc.IsRectEmpty() && area.rc.PtInRect(point))
        {
            SetPopuped(-1);
            if (area.nTimer == 0)
                area.nTimer = SetTimer(area.nIDEvent, 80, NULL);
        }
        else if (area.nTimer != 0)
        {
            KillTimer(area.nIDEvent);
            area.nTimer = 0;
        }
    }
}

void CXTPPopupBar::DrawScrollArrows(CDC* pDC)
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    COLORREF clr = pPaintManager->GetColor(COLOR_BTNTEXT);
    if (!m_scrollDown.rc.IsRectEmpty())
    {
        CPoint pt = m_scrollDown.rc.CenterPoint();
        pPaintManager->Triangle(pDC, CPoint(pt.x - 3, pt.y - 1), CPoint(pt.x + 3, pt.y - 1), CPoint(pt.x, pt.y + 2),
                                clr);
    }
    if (!m_scrollUp.rc.IsRectEmpty())
    {
        CPoint pt = m_scrollUp.rc.CenterPoint();
        pPaintManager->Triangle(pDC, CPoint(pt.x - 3, pt.y + 1), CPoint(pt.x + 3, pt.y + 1), CPoint(pt.x, pt.y - 2),
                                clr);
    }
}

//////////////////////////////////////////////////////////////////////////
// Drawing

void CXTPPopupBar::DrawCommandBar(CDC* pDC, CRect rcClipBox)
{
    CXTPCommandBar::DrawCommandBar(pDC, rcClipBox);
    if (pDC == NULL)
        return;
    if (m_bTearOffPopup && !m_rcTearOffGripper.IsRectEmpty())
        GetPaintManager()->DrawTearOffGripper(pDC, m_rcTearOffGripper, m_bTearOffSelected, m_bTearOffPressed, TRUE);
    if (m_bScrolling)
        DrawScrollArrows(pDC);
}

BOOL CXTPPopupBar::IsPointInBar(CPoint ptScreen) const
{
    if (!CXTPCommandBar::IsPointInBar(ptScreen))
        return FALSE;
    HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
    int nType = ::GetWindowRgn(m_hWnd, hRgn);
    BOOL bInside = TRUE;
    if (nType != ERROR && nType != NULLREGION)
    {
        CRect rcWindow;
        ::GetWindowRect(m_hWnd, &rcWindow);
        bInside = ::PtInRegion(hRgn, ptScreen.x - rcWindow.left, ptScreen.y - rcWindow.top);
    }
    ::DeleteObject(hRgn);
    return bInside;
}

//////////////////////////////////////////////////////////////////////////
// Keyboard and mouse

int CXTPPopupBar::OnHookKeyDown(UINT nChar, LPARAM lParam)
{
    if (nChar == VK_DOWN && m_bCollapsed && !m_bExpanded && m_nLockTracking == 0 && !IsCustomizeMode())
    {
        int nNext = m_pControls->GetNext(m_nSelected, +1);
        BOOL bWraps = m_nSelected != -1 && nNext != -1 && nNext <= m_nSelected;
        CXTPControl* pNext = GetControl(nNext);
        if (::GetKeyState(VK_CONTROL) < 0 || bWraps || (pNext != NULL && pNext->GetID() == XTP_ID_POPUPBAR_EXPAND))
            ExpandBar();
    }
    return CXTPCommandBar::OnHookKeyDown(nChar, lParam);
}

void CXTPPopupBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_nLockTracking > 0)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.PtInRect(point))
    {
        CXTPCommandBar* pParent = GetParentCommandBar();
        if (pParent != NULL && m_pControlPopup != NULL && pParent->GetSelected() != m_pControlPopup->GetIndex())
            pParent->SetSelected(m_pControlPopup->GetIndex(), FALSE);
    }
    CheckScrollArea(point);
    if (!m_scrollDown.rc.IsRectEmpty() && m_scrollDown.rc.PtInRect(point))
        return;
    if (!m_scrollUp.rc.IsRectEmpty() && m_scrollUp.rc.PtInRect(point))
        return;

    if (m_bTearOffPopup && !IsCustomizeMode() && m_rcTearOffGripper.PtInRect(point) && !m_bTearOffSelected)
    {
        SetSelected(-1);
        SetPopuped(-1);
        m_bTearOffSelected = TRUE;
        m_nTearOffTimer = SetTimer(XTP_TID_TEAROFFSELECTED, 80, NULL);
        Redraw(m_rcTearOffGripper);
    }
    CXTPCommandBar::OnMouseMove(nFlags, point);
}

int CXTPPopupBar::OnMouseActivate(CWnd*, UINT, UINT)
{
    return MA_NOACTIVATE;
}

void CXTPPopupBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_bTearOffPopup && !IsCustomizeMode() && m_rcTearOffGripper.PtInRect(point))
    {
        TrackTearOff();
        return;
    }
    CXTPCommandBar::OnLButtonDown(nFlags, point);
}

BOOL CXTPPopupBar::OnNcActivate(BOOL bActive)
{
    if (bActive)
        return FALSE;
    return (BOOL)Default();
}

BOOL CXTPPopupBar::OnNcCreate(LPCREATESTRUCT lpCreateStruct)
{
    return CWnd::OnNcCreate(lpCreateStruct);
}

LRESULT CXTPPopupBar::OnFloatStatus(WPARAM wParam, LPARAM)
{
    return ((CWnd::GetStyle() & MFS_SYNCACTIVE) != 0 && (wParam & FS_SYNCACTIVE) != 0) ? 1 : 0;
}

void CXTPPopupBar::OnTimer(UINT_PTR nIDEvent)
{
    switch (nIDEvent)
    {
    case XTP_TID_SCROLLDOWN:
        if (m_nLastVisible < GetControlCount())
        {
            m_nLastVisible++;
            UpdateScroll(NULL, TRUE, TRUE);
        }
        if (m_nLastVisible >= GetControlCount() || m_scrollDown.rc.IsRectEmpty())
        {
            KillTimer(XTP_TID_SCROLLDOWN);
            m_scrollDown.nTimer = 0;
        }
        return;

    case XTP_TID_SCROLLUP:
        if (m_nFirstVisible > 0)
        {
            m_nFirstVisible--;
            UpdateScroll(NULL, FALSE, TRUE);
        }
        if (m_nFirstVisible <= 0)
        {
            KillTimer(XTP_TID_SCROLLUP);
            m_scrollUp.nTimer = 0;
        }
        return;

    case XTP_TID_TEAROFFSELECTED:
    {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        if (!m_rcTearOffGripper.PtInRect(pt))
        {
            KillTimer(XTP_TID_TEAROFFSELECTED);
            m_nTearOffTimer = 0;
            m_bTearOffSelected = FALSE;
            Redraw(m_rcTearOffGripper);
        }
        return;
    }

    case XTP_TID_SHOWFULLMENU:
    {
        KillTimer(XTP_TID_SHOWFULLMENU);
        m_nShowFullTimer = 0;
        CXTPControl* pSelected = GetSelectedControl();
        if (pSelected != NULL && pSelected->GetID() == XTP_ID_POPUPBAR_EXPAND)
            pSelected->OnExecute();
        return;
    }

    default:
        CXTPCommandBar::OnTimer(nIDEvent);
    }
}

//////////////////////////////////////////////////////////////////////////
// Tear-off

void CXTPPopupBar::RemoveTearOff()
{
    if (m_pTearOffBar != NULL)
    {
        CXTPToolBar* pBar = m_pTearOffBar;
        m_pTearOffBar = NULL;
        pBar->InternalRelease();
    }
}

void CXTPPopupBar::TearOffPopup()
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == NULL)
        return;
    ShowWindow(SW_HIDE);
    XTPShadowsManager()->RemoveShadow(this);

    // The bar torn off before, as long as the bars hold it: with a tear-off
    // id of 0 no bar is found by id, and every tear would make another.
    CXTPToolBar* pBar = NULL;
    if (m_pTearOffBar != NULL && pCommandBars->FindIndex(m_pTearOffBar) != -1)
        pBar = m_pTearOffBar;
    else if (m_nTearOffID != 0)
        pBar = pCommandBars->GetToolBar(m_nTearOffID);
    if (pBar != NULL)
    {
        if (pBar->GetPosition() != xtpBarFloating)
            pBar->SetPosition(xtpBarFloating);
        pBar->SetVisible(TRUE);
    }
    else
    {
        pBar = pCommandBars->CreateCustomToolBar(m_strTearOffCaption, m_nTearOffID, TRUE);
        if (pBar == NULL)
            return;
        pBar->SetMRUWidth(m_nTearOffWidth);
        for (int i = 0; i < GetControlCount(); i++)
        {
            CXTPControl* pControl = GetControl(i);
            if (pControl->GetID() == XTP_ID_POPUPBAR_EXPAND)
                continue;
            CXTPControl* pCopy = pBar->GetControls()->AddClone(pControl, -1, TRUE);
            if (pCopy != NULL)
                pCopy->SetHideFlags(pCopy->GetHideFlags() & ~(DWORD)(xtpHideScroll | xtpHideExpand));
        }
    }
    if (m_pTearOffBar != pBar)
    {
        RemoveTearOff();
        pBar->InternalAddRef();
        m_pTearOffBar = pBar;
    }

    CWnd* pOwner = GetOwnerSite();
    if (pOwner != NULL && pOwner->GetSafeHwnd() != NULL)
        pOwner->SendMessage(WM_XTP_TEAROFFDONE, (WPARAM)pBar, (LPARAM)this);

    m_szTearOffBar = pBar->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
    CPoint pt;
    ::GetCursorPos(&pt);
    if (pBar->GetSafeHwnd() != NULL)
        pBar->SetWindowPos(NULL, pt.x - m_szTearOffBar.cx / 2, pt.y - 10, m_szTearOffBar.cx, m_szTearOffBar.cy,
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void CXTPPopupBar::UndoTearOff()
{
    if (m_hWnd != NULL)
        ::ShowWindow(m_hWnd, SW_SHOWNA);
    // Hidden as the bar's own close button hides it, so that it is not
    // shown again (as a floating bar is when the frame is activated).
    if (m_pTearOffBar != NULL)
        m_pTearOffBar->SetVisible(FALSE);
}

void CXTPPopupBar::TrackTearOff()
{
    HWND hWnd = m_hWnd;
    ::SetCursor(::LoadCursor(NULL, IDC_SIZEALL));
    m_bTearOffPressed = TRUE;
    Redraw(m_rcTearOffGripper);
    UpdateWindow();

    InternalAddRef();
    CRect rcGripper = m_rcTearOffGripper;
    ClientToScreen(&rcGripper);
    CRect rcStay = rcGripper;
    rcStay.InflateRect(10, 10);
    BOOL bTorn = FALSE;

    ::SetCapture(hWnd);
    while (::IsWindow(hWnd) && ::GetCapture() == hWnd)
    {
        MSG msg;
        while (::PeekMessage(&msg, NULL, WM_PAINT, WM_PAINT, PM_REMOVE))
            ::DispatchMessage(&msg);
        if (!::GetMessage(&msg, NULL, 0, 0))
        {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (msg.message == WM_LBUTTONUP)
            break;
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)
            break;
        if (msg.message == WM_MOUSEMOVE)
        {
            CPoint pt;
            ::GetCursorPos(&pt);
            BOOL bInside = rcStay.PtInRect(pt);
            if (!bInside && !bTorn)
            {
                TearOffPopup();
                bTorn = m_pTearOffBar != NULL;
            }
            else if (bInside && bTorn)
            {
                UndoTearOff();
                bTorn = FALSE;
            }
            if (bTorn && m_pTearOffBar != NULL && m_pTearOffBar->GetSafeHwnd() != NULL)
            {
                CRect rcBar;
                m_pTearOffBar->GetWindowRect(&rcBar);
                m_pTearOffBar->SetWindowPos(NULL, pt.x - rcBar.Width() / 2, pt.y - 10, 0, 0,
                                            SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
            }
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    m_bTearOffPressed = FALSE;

    if (bTorn)
    {
        CXTPCommandBars* pCommandBars = GetCommandBars();
        if (pCommandBars != NULL)
            pCommandBars->ClosePopups();
    }
    else if (::IsWindow(hWnd))
    {
        Redraw(m_rcTearOffGripper);
    }
    InternalRelease();
}

//////////////////////////////////////////////////////////////////////////
// Copying

void CXTPPopupBar::Copy(CXTPCommandBar* pCommandBar, BOOL bRecursive)
{
    CXTPCommandBar::Copy(pCommandBar, bRecursive);
    CXTPPopupBar* pPopupBar = DYNAMIC_DOWNCAST(CXTPPopupBar, pCommandBar);
    if (pPopupBar == NULL)
        return;
    m_bTearOffPopup = pPopupBar->m_bTearOffPopup;
    m_strTearOffCaption = pPopupBar->m_strTearOffCaption;
    m_nTearOffID = pPopupBar->m_nTearOffID;
    m_nTearOffWidth = pPopupBar->m_nTearOffWidth;
    m_bShowShadow = pPopupBar->m_bShowShadow;
    m_rcBorders = pPopupBar->m_rcBorders;
    m_bContextMenu = pPopupBar->m_bContextMenu;
}

CXTPCommandBar* CXTPPopupBar::Clone(BOOL bRecursive)
{
    CXTPPopupBar* pPopupBar = (CXTPPopupBar*)GetRuntimeClass()->CreateObject();
    if (pPopupBar == NULL)
        pPopupBar = new CXTPPopupBar();
    pPopupBar->Copy(this, bRecursive);
    return pPopupBar;
}

//////////////////////////////////////////////////////////////////////////
// CXTPPopupToolBar

CXTPPopupToolBar::CXTPPopupToolBar()
{
    m_barType = xtpBarTypeNormal;
}

CXTPPopupToolBar* AFX_CDECL CXTPPopupToolBar::CreatePopupToolBar(CXTPCommandBars* pCommandBars)
{
    CRuntimeClass* pClass = pCommandBars != NULL ? pCommandBars->GetBarClass(CXTPCommandBars::classPopupToolBar)
                                                 : RUNTIME_CLASS(CXTPPopupToolBar);
    CXTPPopupToolBar* pBar = NULL;
    if (pClass != NULL && pClass->IsDerivedFrom(RUNTIME_CLASS(CXTPPopupToolBar)))
        pBar = (CXTPPopupToolBar*)pClass->CreateObject();
    if (pBar == NULL)
        pBar = new CXTPPopupToolBar();
    pBar->SetCommandBars(pCommandBars);
    return pBar;
}

CSize CXTPPopupToolBar::CalcDynamicLayout(int, DWORD)
{
    return CXTPPopupBar::CalcDynamicLayout(0, 0);
}

CXTPCommandBar* CXTPPopupToolBar::Clone(BOOL bRecursive)
{
    CXTPPopupToolBar* pBar = new CXTPPopupToolBar();
    pBar->Copy(this, bRecursive);
    return pBar;
}
