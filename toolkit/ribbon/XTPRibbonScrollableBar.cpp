// The part of a bar that shows groups and scrolls them sideways, and its
// scroll buttons with auto-repeat.
#include "XTPRibbonScrollableBar.h"

#include <algorithm>

#include "XTPControls.h"
#include "XTPRibbonBar.h"
#include "XTPRibbonTheme.h"

XTP_IMPLEMENT_DYNCREATE_NESTED(CXTPRibbonScrollableBar, CControlGroupsScroll, CXTPControlButton)

CXTPRibbonScrollableBar::CXTPRibbonScrollableBar()
    : m_nGroupsScrollPos(0), m_pParentBar(NULL), m_pControlScrollGroupsLeft(NULL), m_pControlScrollGroupsRight(NULL)
{
}

void CXTPRibbonScrollableBar::InitScrollableBar(CXTPCommandBar* pParent)
{
    m_pParentBar = pParent;
    m_pControlScrollGroupsLeft = new CControlGroupsScroll(TRUE);
    m_pControlScrollGroupsRight = new CControlGroupsScroll(FALSE);
    pParent->GetControls()->Add(m_pControlScrollGroupsLeft, 0);
    pParent->GetControls()->Add(m_pControlScrollGroupsRight, 0);
}

void CXTPRibbonScrollableBar::ShowScrollableRect(BOOL bShowLeft, BOOL bShowRight)
{
    if (m_pControlScrollGroupsLeft == NULL || m_pControlScrollGroupsRight == NULL)
        return;
    CRect rcGroups = GetGroupsRect();
    m_pControlScrollGroupsLeft->SetHideFlag(xtpHideScroll, !bShowLeft);
    m_pControlScrollGroupsRight->SetHideFlag(xtpHideScroll, !bShowRight);
    m_pControlScrollGroupsLeft->SetRect(CRect(rcGroups.left - 1, rcGroups.top, rcGroups.left + 12, rcGroups.bottom));
    m_pControlScrollGroupsRight->SetRect(
        CRect(rcGroups.right - 12, rcGroups.top, rcGroups.right + 1, rcGroups.bottom));
}

void CXTPRibbonScrollableBar::SetGroupsScrollPos(int nPos)
{
    nPos = std::max(0, nPos);
    if (nPos == m_nGroupsScrollPos)
        return;
    m_nGroupsScrollPos = nPos;
    if (m_pParentBar != NULL)
        m_pParentBar->OnRecalcLayout();
}

int CXTPRibbonScrollableBar::GetShownGroupsScrollPos() const
{
    // The offset asked for may be more than the last layout could show.
    CXTPRibbonTab* pTab = GetShownTab();
    int nShown = pTab != NULL ? pTab->GetGroups()->GetScrollOffset() : m_nGroupsScrollPos;
    return std::min(m_nGroupsScrollPos, nShown);
}

void CXTPRibbonScrollableBar::OnGroupsScroll(BOOL bScrollLeft)
{
    int nPos = GetShownGroupsScrollPos();
    SetGroupsScrollPos(bScrollLeft ? std::max(0, nPos - XTP_RIBBONGROUPSSCROLL_STEP)
                                   : nPos + XTP_RIBBONGROUPSSCROLL_STEP);
}

void CXTPRibbonScrollableBar::EnsureControlVisible(CXTPControl* pControl)
{
    CXTPRibbonGroup* pGroup = pControl != NULL ? pControl->GetRibbonGroup() : NULL;
    if (pGroup == NULL)
        return;
    CXTPRibbonBar* pRibbon = pGroup->GetRibbonBar();
    if (pRibbon != NULL && m_pParentBar == pRibbon && pGroup->GetRibbonTab() != pRibbon->GetSelectedTab() &&
        pGroup->GetRibbonTab() != NULL)
    {
        pRibbon->SetCurSel(pGroup->GetRibbonTab()->GetIndex());
    }
    CRect rcGroups = GetGroupsRect();
    CRect rc = pControl->GetRect();
    BOOL bLeft = m_pControlScrollGroupsLeft != NULL && m_pControlScrollGroupsLeft->IsVisible();
    BOOL bRight = m_pControlScrollGroupsRight != NULL && m_pControlScrollGroupsRight->IsVisible();
    int nPos = GetShownGroupsScrollPos();
    if (bLeft && rc.left < rcGroups.left + 12)
        SetGroupsScrollPos(nPos - (rcGroups.left + 12 - rc.left));
    else if (bRight && rc.right > rcGroups.right)
        SetGroupsScrollPos(nPos + rc.right - rcGroups.right + 12);
}

CXTPRibbonScrollableBar::CControlGroupsScroll::CControlGroupsScroll(BOOL bScrollLeft) : m_bScrollLeft(bScrollLeft)
{
    m_dwFlags = xtpFlagSkipFocus | xtpFlagNoMovable;
    SetHideFlag(xtpHideScroll, TRUE);
}

void CXTPRibbonScrollableBar::CControlGroupsScroll::Draw(CDC* pDC)
{
    CXTPRibbonBar* pRibbon = XTPGetRibbonBar(GetParent());
    CXTPRibbonTheme* pTheme = pRibbon != NULL ? pRibbon->GetRibbonPaintManager() : XTPRibbonSharedTheme();
    pTheme->DrawGroupsScrollButton(pDC, this, m_bScrollLeft);
}

void CXTPRibbonScrollableBar::CControlGroupsScroll::OnClick(BOOL bKeyboard, CPoint /*pt*/)
{
    CXTPCommandBar* pBar = GetParent();
    CXTPRibbonScrollableBar* pScrollable = dynamic_cast<CXTPRibbonScrollableBar*>(pBar);
    if (pBar == NULL || pScrollable == NULL || IsCustomizeMode())
        return;
    if (bKeyboard || pBar->GetSafeHwnd() == NULL)
    {
        pScrollable->OnGroupsScroll(m_bScrollLeft);
        return;
    }

    // Auto-repeat while the button is held: once now, then after four
    // fifths of the double-click time, then every tenth of it.
    InternalAddRef();
    HWND hWnd = pBar->GetSafeHwnd();
    m_nPressed = TRUE;
    pScrollable->OnGroupsScroll(m_bScrollLeft);
    UINT nTime = ::GetDoubleClickTime();
    UINT_PTR nTimer = ::SetTimer(hWnd, XTP_TID_RIBBONGROUPSSCROLL, nTime * 4 / 5, NULL);
    BOOL bFirstTick = TRUE;
    ::SetCapture(hWnd);
    while (::GetCapture() == hWnd && IsVisible())
    {
        MSG msg;
        if (!::GetMessage(&msg, NULL, 0, 0))
        {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (msg.message == WM_TIMER && msg.hwnd == hWnd && msg.wParam == XTP_TID_RIBBONGROUPSSCROLL)
        {
            if (bFirstTick)
            {
                bFirstTick = FALSE;
                nTimer = ::SetTimer(hWnd, XTP_TID_RIBBONGROUPSSCROLL, std::max(1u, nTime / 10), NULL);
            }
            pScrollable->OnGroupsScroll(m_bScrollLeft);
            if (!IsVisible())
                break;
            continue;
        }
        if (msg.message == WM_LBUTTONUP || msg.message == WM_CANCELMODE ||
            (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE))
            break;
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    if (nTimer != 0)
        ::KillTimer(hWnd, XTP_TID_RIBBONGROUPSSCROLL);
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    m_nPressed = FALSE;
    if (GetParent() != NULL)
        RedrawParent(FALSE);
    InternalRelease();
}
