// Ribbon groups: layout, reduction and scrolling of the groups area.
#include "XTPRibbonGroups.h"

#include <algorithm>

#include "XTPCommandBar.h"
#include "XTPControl.h"
#include "XTPControlPopup.h"
#include "XTPControls.h"
#include "XTPDCHelpers.h"
#include "XTPRibbonBar.h"
#include "XTPRibbonControls.h"
#include "XTPRibbonTab.h"
#include "XTPRibbonTheme.h"

IMPLEMENT_DYNCREATE(CXTPRibbonGroup, CCmdTarget)

namespace
{
// The gap between two visible groups.
const int kGroupGap = 7;

// The theme of the ribbon a group belongs to (a shared ribbon theme without one).
CXTPRibbonTheme* GroupTheme(const CXTPRibbonGroup* pGroup)
{
    CXTPRibbonBar* pRibbon = pGroup->GetRibbonBar();
    return pRibbon != NULL ? pRibbon->GetRibbonPaintManager() : NULL;
}

int ButtonHeight(const CXTPRibbonGroup* pGroup)
{
    CXTPRibbonTheme* pTheme = GroupTheme(pGroup);
    return pTheme != NULL ? pTheme->GetButtonHeight() : 22;
}

int CaptionHeight(const CXTPRibbonGroup* pGroup)
{
    CXTPRibbonTheme* pTheme = GroupTheme(pGroup);
    return pTheme != NULL ? pTheme->GetGroupCaptionHeight() : 17;
}
} // namespace

//////////////////////////////////////////////////////////////////////////
// CXTPRibbonGroup

CXTPRibbonGroup::CXTPRibbonGroup()
    : m_nIndex(-1), m_pGroups(NULL), m_rcGroup(0, 0, 0, 0), m_pParentBar(NULL), m_pRibbonBar(NULL), m_nId(0),
      m_nIconId(0), m_pControlGroupPopup(NULL), m_pControlGroupOption(NULL), m_bReduced(FALSE),
      m_bShowOptionButton(FALSE), m_bVisible(TRUE), m_bCenterColumns(FALSE), m_bCenterColumnsOverride(FALSE),
      m_nReduceLevel(0)
{
}

CXTPRibbonGroup::~CXTPRibbonGroup()
{
    RestoreStyles();
    RemoveAllControls();
    if (m_pControlGroupPopup != NULL)
    {
        m_pControlGroupPopup->SetPopupGroup(NULL);
        m_pControlGroupPopup->InternalRelease();
        m_pControlGroupPopup = NULL;
    }
    if (m_pControlGroupOption != NULL)
    {
        CXTPControl* pOption = m_pControlGroupOption;
        m_pControlGroupOption = NULL;
        ReleaseOwnControl(pOption);
    }
}

void CXTPRibbonGroup::ReleaseOwnControl(CXTPControl* pControl)
{
    pControl->SetRibbonGroup(NULL);
    CXTPControls* pControls = pControl->GetControls();
    if (pControls != NULL)
        pControls->Remove(pControl);
    pControl->InternalRelease();
}

void CXTPRibbonGroup::SetID(int nId)
{
    if (m_pControlGroupOption != NULL && m_pControlGroupOption->GetID() == m_nId)
        m_pControlGroupOption->SetID(nId);
    m_nId = nId;
}

void CXTPRibbonGroup::SetCaption(LPCTSTR lpszCaption)
{
    m_strCaption = lpszCaption != NULL ? lpszCaption : _T("");
    if (m_pControlGroupPopup != NULL)
        m_pControlGroupPopup->SetCaption(m_strCaption);
    if (m_pControlGroupOption != NULL)
        m_pControlGroupOption->SetCaption(m_strCaption);
}

CXTPRibbonTab* CXTPRibbonGroup::GetRibbonTab() const
{
    return m_pGroups != NULL ? m_pGroups->GetParentTab() : NULL;
}

void CXTPRibbonGroup::SetRect(int nLeft, int nTop, int nRight, int nBottom)
{
    m_rcGroup.SetRect(nLeft, nTop, nRight, nBottom);
}

BOOL CXTPRibbonGroup::IsVisible() const
{
    if (m_pParentBar != NULL && m_pParentBar != (CXTPCommandBar*)m_pRibbonBar)
        return TRUE;
    if (m_pRibbonBar == NULL || !m_bVisible)
        return FALSE;
    CXTPRibbonTab* pTab = GetRibbonTab();
    return pTab != NULL && m_pRibbonBar->GetSelectedTab() == pTab;
}

void CXTPRibbonGroup::SetVisible(BOOL bVisible)
{
    if (m_bVisible == bVisible)
        return;
    m_bVisible = bVisible;
    if (m_pParentBar != NULL)
        m_pParentBar->DelayLayout();
}

void CXTPRibbonGroup::ShowOptionButton(BOOL bShow)
{
    if (m_bShowOptionButton == bShow)
        return;
    m_bShowOptionButton = bShow;
    if (m_pControlGroupOption != NULL)
        m_pControlGroupOption->SetHideFlag(xtpHideWrap, !IsOptionButtonVisible());
    if (m_pParentBar != NULL)
        m_pParentBar->DelayLayout();
}

BOOL CXTPRibbonGroup::IsHighlighted() const
{
    return m_pRibbonBar != NULL && m_pRibbonBar->GetHighlightedGroup() == this;
}

CXTPControl* CXTPRibbonGroup::GetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_arrControls.GetSize() ? m_arrControls[nIndex] : NULL;
}

int CXTPRibbonGroup::IndexOf(const CXTPControl* pControl) const
{
    for (INT_PTR i = 0; i < m_arrControls.GetSize(); i++)
    {
        if (m_arrControls[i] == pControl)
            return (int)i;
    }
    return -1;
}

CXTPControl* CXTPRibbonGroup::Add(XTPControlType type, int nId, LPCTSTR lpszCaption, int nBefore)
{
    CXTPControl* pControl = CXTPControls::CreateControl(type, nId, lpszCaption);
    if (pControl == NULL)
        return NULL;
    if (lpszCaption != NULL)
        pControl->SetCaption(lpszCaption);
    return Add(pControl, nId, nBefore);
}

CXTPControl* CXTPRibbonGroup::Add(CXTPControl* pControl, int nId, int nBefore)
{
    if (pControl == NULL)
        return NULL;
    if (m_pParentBar == NULL || m_pParentBar->GetControls() == NULL)
    {
        // A group not yet in a bar cannot hold controls.
        TRACE("CXTPRibbonGroup::Add: the group is not in a bar; control %d dropped\n", nId);
        pControl->InternalRelease();
        return NULL;
    }
    if (nBefore < 0 || nBefore > GetCount())
        nBefore = GetCount();

    // The control goes before the next control of the group in the bar (or
    // at the end of the bar).
    CXTPControls* pControls = m_pParentBar->GetControls();
    int nBarIndex = nBefore < GetCount() ? m_arrControls[nBefore]->GetIndex() : -1;
    pControl->SetRibbonGroup(this);
    m_arrControls.InsertAt(nBefore, pControl);
    pControl->InternalAddRef();     // the group's reference
    pControls->Add(pControl, nId, NULL, nBarIndex);     // takes the caller's reference
    CXTPRibbonTab* pTab = GetRibbonTab();
    if (m_pRibbonBar != NULL && m_pParentBar == m_pRibbonBar && m_pRibbonBar->GetSelectedTab() != pTab)
        pControl->SetHideFlag(xtpHideRibbonTab, TRUE);
    m_pParentBar->DelayLayout();
    return pControl;
}

void CXTPRibbonGroup::RemoveControl(CXTPControl* pControl)
{
    int nIndex = IndexOf(pControl);
    if (nIndex != -1)
        RemoveControlAt(nIndex);
}

void CXTPRibbonGroup::RemoveControlAt(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_arrControls.GetSize())
        return;
    CXTPControl* pControl = m_arrControls[nIndex];
    m_arrControls.RemoveAt(nIndex);
    for (size_t i = 0; i < m_arrSavedStyles.size(); i++)
    {
        if (m_arrSavedStyles[i].first == pControl)
        {
            pControl->m_buttonStyle = m_arrSavedStyles[i].second;
            m_arrSavedStyles.erase(m_arrSavedStyles.begin() + i);
            break;
        }
    }
    pControl->SetRibbonGroup(NULL);
    CXTPControls* pControls = pControl->GetControls();
    if (pControls != NULL)
        pControls->Remove(pControl);
    pControl->InternalRelease();
}

void CXTPRibbonGroup::RemoveAllControls()
{
    while (m_arrControls.GetSize() > 0)
        RemoveControlAt((int)m_arrControls.GetSize() - 1);
}

void CXTPRibbonGroup::SetIconId(int nIconId)
{
    m_nIconId = nIconId;
    if (m_pControlGroupPopup != NULL)
        m_pControlGroupPopup->SetIconId(nIconId);
}

void CXTPRibbonGroup::Copy(CXTPRibbonGroup* pGroup)
{
    if (pGroup == NULL || pGroup == this)
        return;
    m_strCaption = pGroup->m_strCaption;
    m_nId = pGroup->m_nId;
    m_nIconId = pGroup->m_nIconId;
    m_bShowOptionButton = pGroup->m_bShowOptionButton;
    m_bVisible = pGroup->m_bVisible;
    m_bCenterColumns = pGroup->m_bCenterColumns;
    m_bCenterColumnsOverride = pGroup->m_bCenterColumnsOverride;
    if (m_pControlGroupPopup != NULL)
    {
        m_pControlGroupPopup->SetCaption(m_strCaption);
        m_pControlGroupPopup->SetIconId(m_nIconId);
    }
    CXTPControl* pSourceOption = pGroup->GetControlGroupOption();
    if (m_pControlGroupOption != NULL && pSourceOption != NULL)
    {
        m_pControlGroupOption->SetID(pSourceOption->GetID());
        m_pControlGroupOption->SetCaption(pSourceOption->GetCaption());
        m_pControlGroupOption->SetTooltip(pSourceOption->GetTooltip());
        m_pControlGroupOption->SetDescription(pSourceOption->GetDescription());
        m_pControlGroupOption->SetEnabled(pSourceOption->GetEnabled());
    }
    RemoveAllControls();
    for (int i = 0; i < pGroup->GetCount(); i++)
    {
        CXTPControl* pSource = pGroup->GetAt(i);
        CXTPControl* pClone = pSource->Clone(TRUE);
        if (pClone == NULL)
            continue;
        pClone->SetHideFlag(xtpHideRibbonTab | xtpHideWrap, FALSE);
        // The copy (a reduced group's popup) shows the control as it was
        // given, not as the source's reduction left it.
        pClone->m_buttonStyle = pGroup->GetOwnStyle(pSource);
        Add(pClone, pSource->GetID());
    }
}

void CXTPRibbonGroup::OnGroupAdded()
{
    // The button that stands for the group when it is reduced.
    if (m_pControlGroupPopup == NULL && m_pParentBar != NULL && m_pParentBar->GetControls() != NULL)
    {
        m_pControlGroupPopup = new CXTPRibbonGroupControlPopup(NULL);
        m_pControlGroupPopup->SetPopupGroup(this);
        m_pControlGroupPopup->SetCaption(m_strCaption);
        m_pControlGroupPopup->SetIconId(m_nIconId);
        m_pControlGroupPopup->SetRibbonGroup(this);
        m_pControlGroupPopup->SetHideFlag(xtpHideWrap, TRUE);
        m_pControlGroupPopup->InternalAddRef();     // the group's reference
        m_pParentBar->GetControls()->Add(m_pControlGroupPopup, m_nId);
        CXTPRibbonTab* pTab = GetRibbonTab();
        if (m_pRibbonBar != NULL && m_pParentBar == m_pRibbonBar && m_pRibbonBar->GetSelectedTab() != pTab)
            m_pControlGroupPopup->SetHideFlag(xtpHideRibbonTab, TRUE);
    }
    // The option button of the caption band, hidden until the group shows it.
    if (m_pControlGroupOption == NULL && m_pParentBar != NULL && m_pParentBar->GetControls() != NULL)
    {
        m_pControlGroupOption = new CXTPRibbonGroupOption();
        m_pControlGroupOption->SetCaption(m_strCaption);
        m_pControlGroupOption->SetRibbonGroup(this);
        m_pControlGroupOption->SetHideFlag(xtpHideWrap, !IsOptionButtonVisible());
        m_pControlGroupOption->InternalAddRef();    // the group's reference
        m_pParentBar->GetControls()->Add(m_pControlGroupOption, m_nId);
        CXTPRibbonTab* pTab = GetRibbonTab();
        if (m_pRibbonBar != NULL && m_pParentBar == m_pRibbonBar && m_pRibbonBar->GetSelectedTab() != pTab)
            m_pControlGroupOption->SetHideFlag(xtpHideRibbonTab, TRUE);
    }
}

void CXTPRibbonGroup::OnGroupRemoved()
{
    RemoveAllControls();
    if (m_pControlGroupPopup != NULL)
    {
        CXTPRibbonGroupControlPopup* pPopup = m_pControlGroupPopup;
        pPopup->SetPopupGroup(NULL);
        m_pControlGroupPopup = NULL;
        pPopup->SetRibbonGroup(NULL);
        CXTPControls* pControls = pPopup->GetControls();
        if (pControls != NULL)
            pControls->Remove(pPopup);
        pPopup->InternalRelease();
    }
    if (m_pControlGroupOption != NULL)
    {
        CXTPControl* pOption = m_pControlGroupOption;
        m_pControlGroupOption = NULL;
        ReleaseOwnControl(pOption);
    }
    if (m_pRibbonBar != NULL && m_pRibbonBar->m_pHighlightedGroup == this)
        m_pRibbonBar->m_pHighlightedGroup = NULL;
    m_pGroups = NULL;
}

BOOL CXTPRibbonGroup::IsLargeControl(CXTPControl* pControl) const
{
    return pControl->m_buttonStyle == xtpButtonIconAndCaptionBelow;
}

void CXTPRibbonGroup::SaveStyle(CXTPControl* pControl, XTPButtonStyle styleNew)
{
    BOOL bSaved = FALSE;
    for (size_t i = 0; i < m_arrSavedStyles.size() && !bSaved; i++)
        bSaved = m_arrSavedStyles[i].first == pControl;
    if (!bSaved)
        m_arrSavedStyles.push_back(std::make_pair(pControl, pControl->m_buttonStyle));
    // Set directly: a style change through SetStyle would ask for another layout.
    pControl->m_buttonStyle = styleNew;
}

XTPButtonStyle CXTPRibbonGroup::GetOwnStyle(CXTPControl* pControl) const
{
    for (size_t i = 0; i < m_arrSavedStyles.size(); i++)
    {
        if (m_arrSavedStyles[i].first == pControl)
            return m_arrSavedStyles[i].second;
    }
    return pControl->m_buttonStyle;
}

void CXTPRibbonGroup::RestoreStyles()
{
    for (size_t i = 0; i < m_arrSavedStyles.size(); i++)
    {
        if (IndexOf(m_arrSavedStyles[i].first) != -1)
            m_arrSavedStyles[i].first->m_buttonStyle = m_arrSavedStyles[i].second;
    }
    m_arrSavedStyles.clear();
}

void CXTPRibbonGroup::OnBeforeCalcSize(CDC* /*pDC*/)
{
    // Back to the full layout: the styles the controls were given.
    m_bReduced = FALSE;
    m_nReduceLevel = 0;
    RestoreStyles();
    m_arrRecords.SetSize(m_arrControls.GetSize());
}

void CXTPRibbonGroup::OnAfterCalcSize()
{
}

BOOL CXTPRibbonGroup::Reduce(int nLevel)
{
    switch (nLevel)
    {
    case 0:
    {
        if (m_nReduceLevel >= 1 || m_bReduced)
            return FALSE;
        m_nReduceLevel = 1;
        BOOL bChanged = FALSE;
        for (INT_PTR i = 0; i < m_arrControls.GetSize(); i++)
        {
            CXTPControl* pControl = m_arrControls[i];
            if (IsLargeControl(pControl) && pControl->IsVisible(xtpHideWrap))
            {
                SaveStyle(pControl, xtpButtonIconAndCaption);
                bChanged = TRUE;
            }
        }
        return bChanged;
    }
    case 1:
    {
        if (m_nReduceLevel >= 2 || m_bReduced)
            return FALSE;
        m_nReduceLevel = 2;
        BOOL bChanged = FALSE;
        for (INT_PTR i = 0; i < m_arrControls.GetSize(); i++)
        {
            CXTPControl* pControl = m_arrControls[i];
            // Only a control that shows a picture can give up its caption.
            if (!pControl->IsVisible(xtpHideWrap) || !pControl->HasIcon() || pControl->GetImage(16) == NULL)
                continue;
            XTPButtonStyle style = pControl->m_buttonStyle;
            if (style == xtpButtonIconAndCaption || style == xtpButtonAutomatic || style == xtpButtonCaption)
            {
                SaveStyle(pControl, xtpButtonIcon);
                bChanged = TRUE;
            }
        }
        return bChanged;
    }
    case 3:
        if (m_bReduced || m_pControlGroupPopup == NULL || m_arrControls.GetSize() == 0)
            return FALSE;
        m_bReduced = TRUE;
        m_nReduceLevel = 3;
        return TRUE;
    default:
        return FALSE;
    }
}

int CXTPRibbonGroup::CalcSize(CDC* pDC)
{
    return LayoutControls(pDC);
}

int CXTPRibbonGroup::LayoutControls(CDC* pDC)
{
    const int nButtonHeight = ButtonHeight(this);
    const int nContentHeight = 3 * nButtonHeight;
    m_arrRecords.SetSize(m_arrControls.GetSize());

    // The reduced group shows only its button.
    if (m_pControlGroupPopup != NULL)
        m_pControlGroupPopup->SetHideFlag(xtpHideWrap, !m_bReduced);
    if (m_pControlGroupOption != NULL)
        m_pControlGroupOption->SetHideFlag(xtpHideWrap, !IsOptionButtonVisible());
    if (m_bReduced && m_pControlGroupPopup != NULL)
    {
        for (INT_PTR i = 0; i < m_arrControls.GetSize(); i++)
        {
            m_arrControls[i]->SetHideFlag(xtpHideWrap, TRUE);
            m_arrRecords[i].bHidden = TRUE;
            m_arrRecords[i].rcControl.SetRectEmpty();
        }
        CSize sz = m_pControlGroupPopup->GetSize(pDC);
        m_pControlGroupPopup->m_rcControl = CRect(0, 0, sz.cx, sz.cy);
        return sz.cx;
    }

    int x = 0;
    int nColumn = -1;
    int nRow = 3;           // rows used in the current small column
    int nColumnWidth = 0;
    int nColumnLeft = 0;
    for (INT_PTR i = 0; i < m_arrControls.GetSize(); i++)
    {
        CXTPControl* pControl = m_arrControls[i];
        XTP_RIBBONGROUP_CONTROLRECORD& rec = m_arrRecords[i];
        pControl->SetHideFlag(xtpHideWrap, FALSE);
        rec.bHidden = !pControl->IsVisible(xtpHideRibbonTab);
        if (rec.bHidden)
        {
            rec.rcControl.SetRectEmpty();
            rec.nColumn = nColumn;
            continue;
        }
        pControl->OnCalcDynamicSize(0);
        CSize sz = pControl->GetSize(pDC);
        if (IsLargeControl(pControl))
        {
            // A column of its own, the whole content high.
            x = nColumnLeft + nColumnWidth + (nColumn >= 0 ? 2 : 0);
            nColumn++;
            nColumnLeft = x;
            nColumnWidth = sz.cx;
            nRow = 3;
            rec.rcControl = CRect(x, 0, x + sz.cx, nContentHeight);
        }
        else
        {
            // A control taller than a row (a gallery) takes as many rows of
            // the column as it covers; one that does not fit in the rows
            // left starts a new column.
            int nHeight = std::min((int)sz.cy, nContentHeight);
            int nRows = nButtonHeight > 0 ? std::max(1, (nHeight + nButtonHeight - 1) / nButtonHeight) : 1;
            nRows = std::min(nRows, 3);
            if (nRow + nRows > 3 || (pControl->GetBeginGroup() && nRow > 0))
            {
                x = nColumnLeft + nColumnWidth + (nColumn >= 0 ? 2 : 0);
                nColumn++;
                nColumnLeft = x;
                nColumnWidth = 0;
                nRow = 0;
            }
            rec.rcControl = CRect(nColumnLeft, nRow * nButtonHeight, nColumnLeft + sz.cx, nRow * nButtonHeight + nHeight);
            nColumnWidth = std::max(nColumnWidth, (int)sz.cx);
            nRow += nRows;
        }
        rec.nColumn = nColumn;
    }
    int nContentWidth = nColumnLeft + nColumnWidth;

    // The caption must fit under the controls.
    int nCaptionWidth = 0;
    CXTPRibbonTheme* pTheme = GroupTheme(this);
    if (pDC != NULL && !m_strCaption.IsEmpty())
    {
        CString strCaption = m_strCaption;
        CXTPPaintManager::StripMnemonics(strCaption);
        CXTPFontDC font(pDC, pTheme != NULL ? pTheme->GetGroupCaptionFont() : NULL);
        nCaptionWidth = pDC->GetTextExtent(strCaption).cx + 10;
        if (m_bShowOptionButton)
            nCaptionWidth += CaptionHeight(this) + 1;
    }
    return std::max(nContentWidth + 4, nCaptionWidth);
}

void CXTPRibbonGroup::CenterColumn(int nFirst, int nLast, int nAvailable)
{
    int nSum = 0;
    int nCount = 0;
    for (int i = nFirst; i <= nLast; i++)
    {
        if (!m_arrRecords[i].bHidden)
        {
            nSum += m_arrRecords[i].rcControl.Height();
            nCount++;
        }
    }
    if (nCount == 0 || nSum >= nAvailable)
        return;
    // An even spread: each record moves by one gap more than the one above.
    int nGap = (nAvailable - nSum) / (nCount + 1);
    int nStep = 0;
    for (int i = nFirst; i <= nLast; i++)
    {
        if (m_arrRecords[i].bHidden)
            continue;
        nStep++;
        m_arrRecords[i].rcControl.OffsetRect(0, nGap * nStep);
    }
}

void CXTPRibbonGroup::RepositionControls(CDC* pDC, int nWidth, int x, int y)
{
    CXTPRibbonBar* pRibbon = m_pRibbonBar;
    int nHeight = pRibbon != NULL ? pRibbon->CalcGroupsHeight() : 3 * 22 + 17 + 10;
    int nCaptionHeight = CaptionHeight(this);
    int nInnerHeight = nHeight - 7;
    int nContent = nInnerHeight - nCaptionHeight - 3;
    BOOL bCenter = m_bCenterColumns && !m_bCenterColumnsOverride;

    if (m_bReduced && m_pControlGroupPopup != NULL)
    {
        CRect rc = m_pControlGroupPopup->m_rcControl;
        rc.OffsetRect(x + 2, y + 2);
        rc.bottom = std::min((int)rc.bottom, y + nInnerHeight);
        m_pControlGroupPopup->SetRect(rc);
        SetRect(x, y, x + nWidth + 5, y + nInnerHeight);
        return;
    }

    int nFirst = -1;
    int nKey = INT_MIN;
    for (int i = 0; i < (int)m_arrRecords.GetSize(); i++)
    {
        XTP_RIBBONGROUP_CONTROLRECORD& rec = m_arrRecords[i];
        if (rec.bHidden)
            continue;
        if (bCenter && rec.nColumn != nKey)
        {
            if (nFirst != -1)
                CenterColumn(nFirst, i - 1, nContent);
            nFirst = i;
            nKey = rec.nColumn;
        }
    }
    if (bCenter && nFirst != -1)
        CenterColumn(nFirst, (int)m_arrRecords.GetSize() - 1, nContent);

    for (int i = 0; i < (int)m_arrRecords.GetSize() && i < (int)m_arrControls.GetSize(); i++)
    {
        XTP_RIBBONGROUP_CONTROLRECORD& rec = m_arrRecords[i];
        CXTPControl* pControl = m_arrControls[i];
        if (rec.bHidden)
            continue;
        CRect rc = rec.rcControl;
        rc.OffsetRect(x + 2, y + 2);
        rec.rcWrap = CRect(x, y, x + nWidth, y - nCaptionHeight + nInnerHeight);
        pControl->SetRowRect(rec.rcWrap);
        pControl->SetWrap(FALSE);
        pControl->SetRect(rc);
    }
    SetRect(x, y, x + nWidth + 5, y + nInnerHeight);

    // The option button stands at the right of the caption band, centred
    // in it.
    if (m_pControlGroupOption != NULL && IsOptionButtonVisible())
    {
        CSize sz = m_pControlGroupOption->GetSize(pDC);
        CRect rcBand(m_rcGroup.left + 1, m_rcGroup.bottom - nCaptionHeight, m_rcGroup.right - 1, m_rcGroup.bottom - 1);
        int nTop = rcBand.top + (rcBand.Height() - sz.cy) / 2;
        m_pControlGroupOption->SetRect(CRect(rcBand.right - sz.cx, nTop, rcBand.right, nTop + sz.cy));
    }
}

void CXTPRibbonGroup::Draw(CDC* pDC, CRect rcClipBox)
{
    CXTPRibbonTheme* pTheme = GroupTheme(this);
    if (pTheme != NULL)
        pTheme->DrawGroup(pDC, this);
    CXTPPaintManager* pPaintManager = m_pParentBar != NULL ? m_pParentBar->GetPaintManager() : NULL;
    CXTPFontDC font(pDC, pPaintManager != NULL ? pPaintManager->GetCommandBarFont(m_pParentBar) : NULL);
    for (INT_PTR i = 0; i < m_arrControls.GetSize(); i++)
    {
        CXTPControl* pControl = m_arrControls[i];
        CRect rcIntersect;
        if (pControl->IsVisible() && rcIntersect.IntersectRect(pControl->GetRect(), rcClipBox))
            pControl->Draw(pDC);
    }
    if (m_bReduced && m_pControlGroupPopup != NULL && m_pControlGroupPopup->IsVisible())
        m_pControlGroupPopup->Draw(pDC);
    if (m_pControlGroupOption != NULL && IsOptionButtonVisible() && m_pControlGroupOption->IsVisible())
        m_pControlGroupOption->Draw(pDC);
}

//////////////////////////////////////////////////////////////////////////
// CXTPRibbonGroups

CXTPRibbonGroups::CXTPRibbonGroups(CXTPRibbonTab* pParentTab)
    : m_nLastReduceCalls(0), m_pParentTab(pParentTab), m_nScrollOffset(0)
{
}

CXTPRibbonGroups::~CXTPRibbonGroups()
{
    RemoveAll();
}

CXTPRibbonGroup* CXTPRibbonGroups::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        AfxThrowInvalidArgException();
    return m_arrGroups[nIndex];
}

void CXTPRibbonGroups::RefreshIndexes()
{
    for (INT_PTR i = 0; i < m_arrGroups.GetSize(); i++)
        m_arrGroups[i]->m_nIndex = (int)i;
}

CXTPRibbonGroup* CXTPRibbonGroups::InsertAt(int nIndex, CXTPRibbonGroup* pGroup)
{
    if (pGroup == NULL)
        return NULL;
    if (nIndex < 0 || nIndex > GetCount())
        nIndex = GetCount();
    pGroup->m_pGroups = this;
    pGroup->m_pRibbonBar = m_pParentTab != NULL ? m_pParentTab->GetRibbonBar() : NULL;
    pGroup->m_pParentBar = m_pParentTab != NULL ? m_pParentTab->GetParentBar() : NULL;
    m_arrGroups.InsertAt(nIndex, pGroup);
    RefreshIndexes();
    pGroup->OnGroupAdded();
    if (pGroup->m_pParentBar != NULL)
        pGroup->m_pParentBar->DelayLayout();
    return pGroup;
}

void CXTPRibbonGroups::Remove(CXTPRibbonGroup* pGroup)
{
    for (INT_PTR i = 0; i < m_arrGroups.GetSize(); i++)
    {
        if (m_arrGroups[i] == pGroup)
        {
            m_arrGroups.RemoveAt(i);
            RefreshIndexes();
            pGroup->OnGroupRemoved();
            pGroup->InternalRelease();
            return;
        }
    }
}

void CXTPRibbonGroups::RemoveAll()
{
    CArray<CXTPRibbonGroup*, CXTPRibbonGroup*> arrGroups;
    arrGroups.Copy(m_arrGroups);
    m_arrGroups.RemoveAll();
    for (INT_PTR i = 0; i < arrGroups.GetSize(); i++)
    {
        arrGroups[i]->OnGroupRemoved();
        arrGroups[i]->InternalRelease();
    }
    m_nScrollOffset = 0;
}

void CXTPRibbonGroups::Copy(CXTPRibbonGroups* pGroups)
{
    RemoveAll();
    if (pGroups == NULL)
        return;
    for (int i = 0; i < pGroups->GetCount(); i++)
    {
        CXTPRibbonGroup* pSource = pGroups->GetAt(i);
        CXTPRibbonGroup* pGroup = (CXTPRibbonGroup*)pSource->GetRuntimeClass()->CreateObject();
        if (pGroup == NULL)
            continue;
        InsertAt(i, pGroup);
        pGroup->Copy(pSource);
        pGroup->m_pGroups = this;
    }
}

CXTPRibbonGroup* CXTPRibbonGroups::HitTest(CPoint point) const
{
    for (INT_PTR i = 0; i < m_arrGroups.GetSize(); i++)
    {
        CXTPRibbonGroup* pGroup = m_arrGroups[i];
        if (pGroup->IsVisible() && pGroup->GetRect().PtInRect(point))
            return pGroup;
    }
    return NULL;
}

CXTPRibbonGroup* CXTPRibbonGroups::FindGroup(int nId) const
{
    for (INT_PTR i = 0; i < m_arrGroups.GetSize(); i++)
    {
        if (m_arrGroups[i]->GetID() == nId)
            return m_arrGroups[i];
    }
    return NULL;
}

int CXTPRibbonGroups::CalcTotalWidth(const int* pWidths) const
{
    // Gaps only between groups that take room.
    int nTotal = 0;
    int nVisible = 0;
    for (int i = 0; i < GetCount(); i++)
    {
        if (pWidths[i] == 0)
            continue;
        nTotal += pWidths[i];
        nVisible++;
    }
    return nVisible > 1 ? nTotal + kGroupGap * (nVisible - 1) : nTotal;
}

CXTPRibbonScrollableBar* CXTPRibbonGroups::GetScrollableBar() const
{
    CXTPCommandBar* pBar = m_pParentTab != NULL ? m_pParentTab->GetParentBar() : NULL;
    return dynamic_cast<CXTPRibbonScrollableBar*>(pBar);
}

void CXTPRibbonGroups::Reposition(CDC* pDC, int nWidth, int /*nHeight*/, CRect rcMargins)
{
    CXTPRibbonScrollableBar* pScrollable = GetScrollableBar();
    m_nLastReduceCalls = 0;
    const int nCount = GetCount();
    if (nCount == 0)
    {
        m_nScrollOffset = 0;
        if (pScrollable != NULL)
            pScrollable->ShowScrollableRect(FALSE, FALSE);
        return;
    }

    CArray<int, int> arrWidths;
    arrWidths.SetSize(nCount);
    for (int i = 0; i < nCount; i++)
    {
        CXTPRibbonGroup* pGroup = m_arrGroups[i];
        if (pGroup->IsVisible())
            pGroup->OnBeforeCalcSize(pDC);
    }
    for (int i = 0; i < nCount; i++)
    {
        CXTPRibbonGroup* pGroup = m_arrGroups[i];
        arrWidths[i] = pGroup->IsVisible() ? std::max(0, pGroup->CalcSize(pDC)) : 0;
    }

    // Reduction: all level-0 steps, the rightmost group first, before any
    // level-1 step, and so on; it stops below the available width, when no
    // group reduces any more, or after 4 x groups steps at most.
    const int nAvailable = nWidth - rcMargins.right - rcMargins.left;
    int nTotal = CalcTotalWidth(arrWidths.GetData());
    if (nTotal > nAvailable)
    {
        int nSteps = 0;
        const int nMaxSteps = 4 * nCount;
        while (nTotal >= nAvailable && nSteps < nMaxSteps)
        {
            BOOL bReduced = FALSE;
            for (int nLevel = 0; nLevel <= 3 && !bReduced; nLevel++)
            {
                for (int i = nCount - 1; i >= 0; i--)
                {
                    CXTPRibbonGroup* pGroup = m_arrGroups[i];
                    if (!pGroup->IsVisible())
                        continue;
                    m_nLastReduceCalls++;
                    if (pGroup->Reduce(nLevel))
                    {
                        arrWidths[i] = std::max(0, pGroup->CalcSize(pDC));
                        bReduced = TRUE;
                        break;
                    }
                }
            }
            if (!bReduced)
                break;
            nSteps++;
            nTotal = CalcTotalWidth(arrWidths.GetData());
        }
    }

    // Scrolling.
    nTotal = CalcTotalWidth(arrWidths.GetData());
    int nOffset = 0;
    if (nTotal > nAvailable)
    {
        int nWanted = pScrollable != NULL ? pScrollable->GetGroupsScrollPos() : m_nScrollOffset;
        nOffset = std::max(0, std::min(nWanted, nTotal - nAvailable));
    }
    // The offset shown is kept here; the bar keeps the one asked for, so a
    // layout wide enough to need none does not lose it.
    m_nScrollOffset = nOffset;
    if (pScrollable != NULL)
        pScrollable->ShowScrollableRect(nOffset >= 1, nTotal - nOffset - nAvailable >= 1);

    int x = rcMargins.left - nOffset;
    for (int i = 0; i < nCount; i++)
    {
        CXTPRibbonGroup* pGroup = m_arrGroups[i];
        if (!pGroup->IsVisible())
            continue;
        pGroup->RepositionControls(pDC, arrWidths[i], x, rcMargins.top);
        x += arrWidths[i] + kGroupGap;
    }
    for (int i = 0; i < nCount; i++)
    {
        CXTPRibbonGroup* pGroup = m_arrGroups[i];
        if (pGroup->IsVisible())
            pGroup->OnAfterCalcSize();
    }
}
