// The popup showing a tab's groups while the ribbon is minimised.
#include "XTPRibbonTabPopupToolBar.h"

#include <algorithm>

#include "XTPDrawHelpers.h"
#include "XTPRibbonTheme.h"

IMPLEMENT_DYNAMIC(CXTPRibbonTabPopupToolBar, CXTPPopupToolBar)

CXTPRibbonTabPopupToolBar::CXTPRibbonTabPopupToolBar(CXTPRibbonTab* pRibbonTab)
    : m_pRibbonBar(pRibbonTab != NULL ? pRibbonTab->GetRibbonBar() : NULL), m_pRibbonTab(NULL),
      m_rcGroups(0, 0, 0, 0), m_ptPopup(0, 0)
{
    m_barType = xtpBarTypeRibbonPopup;
    m_dwFlags |= xtpFlagSmartLayout;
    InitScrollableBar(this);
    if (m_pRibbonBar != NULL)
        EnableAnimation(m_pRibbonBar->IsAnimationEnabled());
    if (pRibbonTab != NULL)
    {
        m_pRibbonTab = (CXTPRibbonTab*)pRibbonTab->GetRuntimeClass()->CreateObject();
        m_pRibbonTab->m_pParentBar = this;
        m_pRibbonTab->m_pRibbonBar = m_pRibbonBar;
        m_pRibbonTab->Copy(pRibbonTab);
    }
}

CXTPRibbonTabPopupToolBar::~CXTPRibbonTabPopupToolBar()
{
    if (m_pRibbonTab != NULL)
    {
        m_pRibbonTab->GetGroups()->RemoveAll();
        m_pRibbonTab->InternalRelease();
        m_pRibbonTab = NULL;
    }
}

CSize CXTPRibbonTabPopupToolBar::GetButtonSize() const
{
    return m_pRibbonBar != NULL ? m_pRibbonBar->GetButtonSize() : CXTPPopupToolBar::GetButtonSize();
}

CSize CXTPRibbonTabPopupToolBar::CalcDynamicLayout(int /*nLength*/, DWORD /*dwMode*/)
{
    if (m_pRibbonBar == NULL || m_pRibbonBar->GetSafeHwnd() == NULL || m_pRibbonTab == NULL)
        return CSize(0, 0);
    CRect rcRibbon;
    m_pRibbonBar->GetWindowRect(&rcRibbon);
    CRect rcTab = m_pRibbonTab->GetRect();
    CXTPRibbonTab* pSource = m_pRibbonBar->GetSelectedTab();
    if (pSource != NULL)
        rcTab = pSource->GetRect();
    m_pRibbonBar->ClientToScreen(&rcTab);
    CRect rcWork = XTPMonitorFunctions()->GetWorkAreaFromRect(&rcTab);
    int nHeight = m_pRibbonBar->CalcGroupsHeight();
    int nLeft = rcRibbon.left;
    int nWidth = rcRibbon.Width();
    if (nLeft < rcWork.left)
    {
        nWidth -= rcWork.left - nLeft;
        nLeft = rcWork.left;
    }
    nWidth = std::min(nWidth, (int)(rcWork.right - nLeft - 4));
    nWidth = std::max(nWidth, 0);
    int nTop = m_ptPopup.y;
    if (nTop + nHeight > rcWork.bottom)
        nTop = m_rcExclude.top - nHeight;
    m_ptPopup = CPoint(nLeft, nTop);

    m_rcGroups.SetRect(0, 0, nWidth, nHeight);
    CWindowDC dc(NULL);
    CXTPFontDC font(&dc, GetPaintManager()->GetCommandBarFont(this));
    m_pRibbonTab->GetGroups()->Reposition(&dc, nWidth, nHeight, CRect(4, 3, 6, 3));
    return CSize(nWidth, nHeight);
}

CRect CXTPRibbonTabPopupToolBar::CalcPopupRect(CSize sz)
{
    if (m_pControlPopup != NULL && m_pRibbonBar != NULL && m_pRibbonBar->GetSafeHwnd() != NULL)
    {
        CRect rcControl = m_pControlPopup->GetRect();
        m_pRibbonBar->ClientToScreen(&rcControl);
        m_rcExclude = rcControl;
        m_ptPopup.y = rcControl.bottom;
        CalcDynamicLayout(0, 0);
    }
    return CRect(m_ptPopup.x, m_ptPopup.y, m_ptPopup.x + sz.cx, m_ptPopup.y + sz.cy);
}

void CXTPRibbonTabPopupToolBar::DrawCommandBar(CDC* pDC, CRect rcClipBox)
{
    if (m_pRibbonBar == NULL || m_pRibbonTab == NULL)
        return;
    CXTPRibbonTheme* pTheme = m_pRibbonBar->GetRibbonPaintManager();
    pDC->SetBkMode(TRANSPARENT);
    pTheme->FillTabPopupToolBar(pDC, this);
    pTheme->FillGroupsArea(pDC, m_pRibbonTab, m_rcGroups);
    CXTPRibbonGroups* pGroups = m_pRibbonTab->GetGroups();
    CRect rcIntersect;
    for (int i = 0; i < pGroups->GetCount(); i++)
    {
        CXTPRibbonGroup* pGroup = pGroups->GetAt(i);
        if (pGroup->IsVisible() && rcIntersect.IntersectRect(pGroup->GetRect(), rcClipBox))
            pGroup->Draw(pDC, rcClipBox);
    }
    if (m_pControlScrollGroupsLeft->IsVisible())
        m_pControlScrollGroupsLeft->Draw(pDC);
    if (m_pControlScrollGroupsRight->IsVisible())
        m_pControlScrollGroupsRight->Draw(pDC);
}

void CXTPRibbonTabPopupToolBar::OnGroupsScroll(BOOL bScrollLeft)
{
    int nShown = GetShownGroupsScrollPos();
    int nPos = bScrollLeft ? std::max(0, nShown - XTP_RIBBONGROUPSSCROLL_STEP) : nShown + XTP_RIBBONGROUPSSCROLL_STEP;
    if (nPos == m_nGroupsScrollPos)
        return;
    m_nGroupsScrollPos = nPos;
    CalcDynamicLayout(0, 0);
    Invalidate(FALSE);
}

void CXTPRibbonTabPopupToolBar::CreateKeyboardTips()
{
    if (m_pRibbonBar != NULL)
        m_pRibbonBar->CreateGroupKeyboardTips(m_pRibbonTab, this);
}
