// The tabbed container: a group of panes with caption, caption buttons and
// tabs; selection, focus tracking, tab presses and caption button clicks.
#include "XTPDockingPaneTabbedContainer.h"

#include "XTPDockingPane.h"
#include "XTPDockingPaneContext.h"
#include "XTPDockingPaneLayout.h"
#include "XTPDockingPaneManager.h"
#include "XTPDockingPaneMiniWnd.h"
#include "XTPDockingPanePaintManager.h"
#include "XTPDockingPaneSplitterContainer.h"

#include <XTPControl.h>
#include <XTPDCHelpers.h>
#include <XTPImageManager.h>
#include <XTPPropExchange.h>
#include <XTPResourceManager.h>
#include <XTPTabPaintManager.h>
#include <XTPToolTipContext.h>
#include <afxpriv.h>

namespace
{
const LPCTSTR kContainerClass = _T("XTPDockingPaneTabbedContainer");

// The panes of a container, copied so that they can leave it meanwhile.
void CopyPanes(const CXTPDockingPaneBaseList& lstSource, CArray<CXTPDockingPane*, CXTPDockingPane*>& arrPanes)
{
    POSITION pos = lstSource.GetHeadPosition();
    while (pos != NULL)
        arrPanes.Add(static_cast<CXTPDockingPane*>(lstSource.GetNext(pos)));
}
} // namespace

BEGIN_MESSAGE_MAP(CXTPDockingPaneTabbedContainer, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_CAPTURECHANGED()
    ON_WM_SETCURSOR()
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
END_MESSAGE_MAP()

DROPEFFECT CXTPDockingPaneTabbedContainer::CContainerDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint point)
{
    CXTPTabPaintManager* pPaintManager = m_pContainer->GetPaintManager();
    if (pPaintManager != NULL && pPaintManager->m_bSelectOnDragOver)
    {
        CXTPTabManagerItem* pItem = m_pContainer->HitTest(point);
        CXTPDockingPane* pPane = pItem != NULL ? (CXTPDockingPane*)pItem->GetData() : NULL;
        if (pPane != NULL && pPane != m_pContainer->GetSelected())
            m_pContainer->SelectPane(pPane, FALSE, FALSE);
    }
    return DROPEFFECT_NONE;
}

CXTPDockingPaneTabbedContainer::CXTPDockingPaneTabbedContainer(CXTPDockingPaneLayout* pLayout)
    : CXTPDockingPaneBaseContainer(xtpPaneTypeTabbedContainer, pLayout), m_pSelectedPane(NULL),
      m_pTrackingPane(NULL), m_pDropTarget(NULL), m_bCaptionVisible(TRUE), m_bMaximized(FALSE), m_nLockReposition(0),
      m_nUpdateTabs(0)
{
    EnableAutomation();
    m_pDropTarget = new CContainerDropTarget(this);
    m_pCaptionButtons = new CXTPDockingPaneCaptionButtons();
    const int ids[] = { XTP_IDS_DOCKINGPANE_CLOSE, XTP_IDS_DOCKINGPANE_MAXIMIZE, XTP_IDS_DOCKINGPANE_RESTORE,
                        XTP_IDS_DOCKINGPANE_AUTOHIDE, XTP_IDS_DOCKINGPANE_MENU };
    for (int nID : ids)
        m_pCaptionButtons->Add(new CXTPDockingPaneCaptionButton(nID, this));
    m_bAllowReorder = FALSE;
}

CXTPDockingPaneTabbedContainer::~CXTPDockingPaneTabbedContainer()
{
    if (m_pDropTarget != NULL)
    {
        m_pDropTarget->Revoke();
        m_pDropTarget->InternalRelease();
    }
}

void CXTPDockingPaneTabbedContainer::OnFinalRelease()
{
    if (m_hWnd != NULL)
        DestroyWindow();
    delete this;
}

void CXTPDockingPaneTabbedContainer::CreateContainerWindow()
{
    if (m_hWnd != NULL || m_pLayout == NULL || m_pLayout->IsUserLayout())
        return;
    CWnd* pSite = m_pDockingSite;
    if (pSite == NULL || pSite->GetSafeHwnd() == NULL)
        return;
    if (!CreateEx(0, kContainerClass, _T(""), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                  CRect(0, 0, 0, 0), pSite, 0))
    {
        TRACE("A docking container window could not be created.\n");
        return;
    }
    m_pDropTarget->Register(this);
}

void CXTPDockingPaneTabbedContainer::Init(CXTPDockingPane* pPane, CWnd* pFrame)
{
    m_pDockingSite = pFrame;
    m_szDocking = pPane->m_szDocking;
    m_rcWindow = pPane->m_rcWindow;
    AddPane(pPane, TRUE);
    SelectPane(pPane, TRUE);
}

void CXTPDockingPaneTabbedContainer::AddPane(CXTPDockingPane* pPane, BOOL bSetFocus)
{
    CreateContainerWindow();
    m_lstPanes.AddTail(pPane);
    pPane->SetParentContainer(this);
    pPane->SetDockingSite(m_pDockingSite);

    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (pManager != NULL)
        pManager->RecalcFrameLayout(this, TRUE);
    SelectPane(pPane, bSetFocus, TRUE);
    if (m_pParentContainer != NULL)
        m_pParentContainer->OnChildVisibilityChanged(this);
}

void CXTPDockingPaneTabbedContainer::RemovePane(CXTPDockingPaneBase* pPane)
{
    POSITION pos = m_lstPanes.Find(pPane);
    if (pos == NULL)
        return;
    m_lstPanes.RemoveAt(pos);
    if (m_pTrackingPane == pPane)
        m_pTrackingPane = NULL;
    UpdateTabs();
    pPane->SetParentContainer(NULL);
    if (m_pParentContainer != NULL)
        m_pParentContainer->OnChildVisibilityChanged(this);
    if (m_lstPanes.IsEmpty() && m_hWnd != NULL)
        DestroyWindow();

    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (pManager != NULL)
        pManager->RecalcFrameLayout(this, TRUE);
    if (pPane == m_pSelectedPane)
    {
        m_pSelectedPane = NULL;
        SelectPane(m_lstPanes.IsEmpty() ? NULL : static_cast<CXTPDockingPane*>(m_lstPanes.GetTail()), TRUE);
    }
}

void CXTPDockingPaneTabbedContainer::SelectPane(CXTPDockingPane* pPane, BOOL bSetFocus, BOOL bDelayRedraw)
{
    if (pPane != m_pSelectedPane)
    {
        m_pSelectedPane = pPane;
        UpdateTabs();
        if (bDelayRedraw)
        {
            CXTPDockingPaneManager* pManager = GetDockingPaneManager();
            if (pManager != NULL)
                pManager->RecalcFrameLayout(this, TRUE);
            if (m_pParentContainer != NULL)
                m_pParentContainer->OnChildVisibilityChanged(this);
        }
        else
        {
            OnChildContainerChanged(this);
        }
    }
    if (bSetFocus)
    {
        CXTPDockingPaneManager* pManager = GetDockingPaneManager();
        if (IsPaneActive() && pManager != NULL)
            pManager->SetActivePane(TRUE, m_pSelectedPane);
        if (m_pSelectedPane != NULL)
            m_pSelectedPane->SetFocus();
    }
}

void CXTPDockingPaneTabbedContainer::UpdateTabs()
{
    if (m_nUpdateTabs > 0)
        return;
    m_nUpdateTabs++;
    m_nLockReposition++;

    // Items are rebuilt only when the panes or their order changed.
    BOOL bRebuild = GetItemCount() != (int)m_lstPanes.GetCount();
    POSITION pos = m_lstPanes.GetHeadPosition();
    for (int i = 0; !bRebuild && pos != NULL; i++)
        bRebuild = (CXTPDockingPaneBase*)GetItem(i)->GetData() != m_lstPanes.GetNext(pos);
    if (bRebuild)
        DeleteAllItems();

    CXTPTabManagerItem* pSelectedItem = NULL;
    pos = m_lstPanes.GetHeadPosition();
    for (int i = 0; pos != NULL; i++)
    {
        CXTPDockingPane* pPane = static_cast<CXTPDockingPane*>(m_lstPanes.GetNext(pos));
        CXTPTabManagerItem* pItem = bRebuild ? InsertItem(i, NULL) : GetItem(i);
        pItem->m_strCaption = pPane->GetShortTitle();
        pItem->m_clrItem = pPane->GetItemColor();
        pItem->m_strToolTip = pPane->GetTitle();
        pItem->m_bEnabled = (pPane->GetEnabled() & xtpPaneEnabled) != 0;
        pItem->SetData((DWORD_PTR)pPane);
        if (pPane == m_pSelectedPane)
            pSelectedItem = pItem;
    }

    CXTPDockingPaneCaptionButton* pAutoHide = m_pCaptionButtons->Find(XTP_IDS_DOCKINGPANE_AUTOHIDE);
    if (pAutoHide != NULL)
    {
        CWnd* pSite = GetDockingSite();
        BOOL bFloating = pSite != NULL && pSite->IsKindOf(RUNTIME_CLASS(CXTPDockingPaneMiniWnd));
        pAutoHide->SetState(IsAutoHidden() ? 3 : bFloating ? 0 : 1);
    }

    m_nLockReposition--;

    // The tab manager's selection lays the strip out and scrolls the selected
    // tab into view, so a tab half outside the strip shows whole once chosen.
    if (pSelectedItem != m_pSelected)
        CXTPTabManager::SetSelectedItem(pSelectedItem);
    m_nUpdateTabs--;
}

CXTPDockingPane* CXTPDockingPaneTabbedContainer::PaneOfItem(CXTPTabManagerItem* pItem) const
{
    return pItem != NULL ? (CXTPDockingPane*)pItem->GetData() : NULL;
}

CRect CXTPDockingPaneTabbedContainer::GetClientPaneRect(BOOL bApply)
{
    CRect rc(0, 0, m_rcWindow.Width(), m_rcWindow.Height());
    CXTPDockingPanePaintManager* pPaintManager = GetDockingPaintManager();
    if (pPaintManager != NULL)
        pPaintManager->AdjustClientRect(this, rc, bApply);
    return rc;
}

void CXTPDockingPaneTabbedContainer::OnSizeParent(CWnd* pParent, CRect rect, LPVOID lParam)
{
    SetDockingSite(pParent);
    m_rcWindow = rect;
    AFX_SIZEPARENTPARAMS* pParams = (AFX_SIZEPARENTPARAMS*)lParam;
    if (pParams != NULL && pParams->hDWP == NULL)
        return;

    if (m_hWnd != NULL)
    {
        XTPDockingPanePlaceWindow(m_hWnd, rect, TRUE);
        CWnd::Invalidate(FALSE);
    }
    UpdateTabs();

    CRect rcClient = GetClientPaneRect(TRUE);
    rcClient.OffsetRect(rect.TopLeft());
    POSITION pos = m_lstPanes.GetHeadPosition();
    while (pos != NULL)
    {
        CXTPDockingPane* pPane = static_cast<CXTPDockingPane*>(m_lstPanes.GetNext(pos));
        pPane->ShowWindow(pPane == m_pSelectedPane);
        pPane->OnSizeParent(pParent, rcClient, lParam);
    }
}

void CXTPDockingPaneTabbedContainer::OnChildContainerChanged(CXTPDockingPaneBase* pChild)
{
    if (m_hWnd == NULL || m_pParentContainer == NULL || m_nLockReposition > 0)
        return;
    UpdateTabs();
    CRect rcClient = GetClientPaneRect(TRUE);
    if (pChild != NULL)
    {
        rcClient.OffsetRect(m_rcWindow.TopLeft());
        m_nLockReposition++;
        POSITION pos = m_lstPanes.GetHeadPosition();
        while (pos != NULL)
        {
            CXTPDockingPane* pPane = static_cast<CXTPDockingPane*>(m_lstPanes.GetNext(pos));
            pPane->ShowWindow(pPane == m_pSelectedPane);
            pPane->OnSizeParent(GetDockingSite(), rcClient, NULL);
        }
        m_nLockReposition--;
    }
    CWnd::Invalidate(FALSE);
    m_pParentContainer->OnChildContainerChanged(this);
}

void CXTPDockingPaneTabbedContainer::OnParentContainerChanged(CXTPDockingPaneBase* pContainer)
{
    SetDockingSite(pContainer->GetDockingSite());
    m_bCaptionVisible = TRUE;
    if (pContainer->GetType() == xtpPaneTypeAutoHidePanel && m_hWnd != NULL)
        CWnd::ShowWindow(SW_HIDE);
}

void CXTPDockingPaneTabbedContainer::SetDockingSite(CWnd* pFrame)
{
    if (m_hWnd != NULL && pFrame != NULL && pFrame->GetSafeHwnd() != NULL && ::GetParent(m_hWnd) != pFrame->m_hWnd)
        SetParent(pFrame);
    m_pDockingSite = pFrame;
    POSITION pos = m_lstPanes.GetHeadPosition();
    while (pos != NULL)
        m_lstPanes.GetNext(pos)->SetDockingSite(pFrame);
}

BOOL CXTPDockingPaneTabbedContainer::IsAutoHidden() const
{
    return m_pParentContainer != NULL && m_pParentContainer->GetType() == xtpPaneTypeAutoHidePanel;
}

void CXTPDockingPaneTabbedContainer::ShowCaption(BOOL bShow)
{
    if (m_bCaptionVisible == bShow)
        return;
    m_bCaptionVisible = bShow;
    OnChildContainerChanged(this);
}

BOOL CXTPDockingPaneTabbedContainer::IsTabsVisible() const
{
    if (m_hWnd == NULL || IsAutoHidden())
        return FALSE;
    CXTPDockingPanePaintManager* pPaintManager = GetDockingPaintManager();
    return m_lstPanes.GetCount() > 1 || (pPaintManager != NULL && pPaintManager->m_bDrawSingleTab);
}

BOOL CXTPDockingPaneTabbedContainer::IsCaptionVisible() const
{
    CXTPDockingPanePaintManager* pPaintManager = GetDockingPaintManager();
    return m_bCaptionVisible && m_pSelectedPane != NULL && (m_pSelectedPane->GetOptions() & xtpPaneNoCaption) == 0 &&
           pPaintManager != NULL && pPaintManager->m_bShowCaption;
}

BOOL CXTPDockingPaneTabbedContainer::IsCaptionVertical() const
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    int nDirection = pManager != NULL ? pManager->GetCaptionDirection() : xtpPaneCaptionHorizontal;
    switch (nDirection)
    {
    case xtpPaneCaptionHorizontal:
        return FALSE;
    case xtpPaneCaptionAutoByPosition:
    {
        int nSide = m_pLayout != NULL ? m_pLayout->GetPaneDirection(this) : -1;
        return nSide == xtpPaneDockTop || nSide == xtpPaneDockBottom;
    }
    case xtpPaneCaptionAutoBySize:
        return m_rcWindow.Width() > m_rcWindow.Height();
    default:
        return TRUE;
    }
}

BOOL CXTPDockingPaneTabbedContainer::IsMaximizeAllowed() const
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (pManager == NULL || !pManager->m_bShowMaximizeButton || m_pParentContainer == NULL ||
        m_pParentContainer->GetType() != xtpPaneTypeSplitterContainer)
        return FALSE;
    int nTabbed = 0;
    const CXTPDockingPaneBaseList& lst = static_cast<CXTPDockingPaneSplitterContainer*>(m_pParentContainer)->GetPanes();
    POSITION pos = lst.GetHeadPosition();
    while (pos != NULL)
    {
        CXTPDockingPaneBase* pPane = lst.GetNext(pos);
        if (pPane->GetType() == xtpPaneTypeTabbedContainer && !pPane->IsHidden())
            nTabbed++;
    }
    return nTabbed > 1;
}

BOOL CXTPDockingPaneTabbedContainer::IsSiblingMaximized() const
{
    if (m_pParentContainer == NULL || m_pParentContainer->GetType() != xtpPaneTypeSplitterContainer)
        return FALSE;
    const CXTPDockingPaneBaseList& lst = static_cast<CXTPDockingPaneSplitterContainer*>(m_pParentContainer)->GetPanes();
    POSITION pos = lst.GetHeadPosition();
    while (pos != NULL)
    {
        CXTPDockingPaneBase* pPane = lst.GetNext(pos);
        if (pPane != this && pPane->GetType() == xtpPaneTypeTabbedContainer &&
            static_cast<CXTPDockingPaneTabbedContainer*>(pPane)->IsMaximized())
            return TRUE;
    }
    return FALSE;
}

void CXTPDockingPaneTabbedContainer::SetMaximized(BOOL bMaximized)
{
    m_bMaximized = bMaximized;
}

BOOL CXTPDockingPaneTabbedContainer::IsCaptionButtonVisible(CXTPDockingPaneCaptionButton* pButton)
{
    DWORD dwOptions = m_pSelectedPane != NULL ? m_pSelectedPane->GetOptions() : 0;
    switch (pButton->GetID())
    {
    case XTP_IDS_DOCKINGPANE_CLOSE:
        return m_pSelectedPane != NULL && (dwOptions & xtpPaneNoCloseable) == 0;
    case XTP_IDS_DOCKINGPANE_AUTOHIDE:
        return m_pSelectedPane != NULL && (dwOptions & xtpPaneNoHideable) == 0 && (pButton->GetState() & 1) != 0;
    case XTP_IDS_DOCKINGPANE_MENU:
        return m_pSelectedPane != NULL && (dwOptions & xtpPaneHasMenuButton) != 0;
    case XTP_IDS_DOCKINGPANE_MAXIMIZE:
        return IsMaximizeAllowed() && !m_bMaximized;
    case XTP_IDS_DOCKINGPANE_RESTORE:
        return IsMaximizeAllowed() && m_bMaximized;
    }
    return TRUE;
}

void CXTPDockingPaneTabbedContainer::GetMinMaxInfo(LPMINMAXINFO pMinMaxInfo) const
{
    CXTPDockingPaneBase::GetMinMaxInfo(pMinMaxInfo);
    if (IsHidden())
        return;

    if (IsSiblingMaximized())
    {
        if (static_cast<CXTPDockingPaneSplitterContainer*>(m_pParentContainer)->IsHoriz())
            pMinMaxInfo->ptMaxTrackSize.x = 0;
        else
            pMinMaxInfo->ptMaxTrackSize.y = 0;
    }
    else
    {
        BOOL bFirst = TRUE;
        POSITION pos = m_lstPanes.GetHeadPosition();
        while (pos != NULL)
        {
            MINMAXINFO mmi;
            m_lstPanes.GetNext(pos)->GetMinMaxInfo(&mmi);
            if (bFirst)
            {
                pMinMaxInfo->ptMinTrackSize = mmi.ptMinTrackSize;
                pMinMaxInfo->ptMaxTrackSize = mmi.ptMaxTrackSize;
                bFirst = FALSE;
                continue;
            }
            pMinMaxInfo->ptMinTrackSize.x = std::max(pMinMaxInfo->ptMinTrackSize.x, mmi.ptMinTrackSize.x);
            pMinMaxInfo->ptMinTrackSize.y = std::max(pMinMaxInfo->ptMinTrackSize.y, mmi.ptMinTrackSize.y);
            pMinMaxInfo->ptMaxTrackSize.x = std::min(pMinMaxInfo->ptMaxTrackSize.x, mmi.ptMaxTrackSize.x);
            pMinMaxInfo->ptMaxTrackSize.y = std::min(pMinMaxInfo->ptMaxTrackSize.y, mmi.ptMaxTrackSize.y);
        }
    }

    // Room for the caption and the tab row.
    CRect rc(0, 0, 1000, 1000);
    CXTPDockingPanePaintManager* pPaintManager = GetDockingPaintManager();
    if (pPaintManager != NULL)
        pPaintManager->AdjustClientRect(const_cast<CXTPDockingPaneTabbedContainer*>(this), rc, FALSE);
    CSize szExtra(1000 - rc.Width(), 1000 - rc.Height());
    pMinMaxInfo->ptMinTrackSize.x += szExtra.cx;
    pMinMaxInfo->ptMinTrackSize.y += szExtra.cy;
    pMinMaxInfo->ptMaxTrackSize.x += szExtra.cx;
    pMinMaxInfo->ptMaxTrackSize.y += szExtra.cy;
}

BOOL CXTPDockingPaneTabbedContainer::CanAttach(CRect& rcClient, CPoint pt) const
{
    BOOL bVertical = IsCaptionVertical();
    CRect rcBand(rcClient);
    if (m_bCaptionVisible)
    {
        CXTPDockingPanePaintManager* pPaintManager = GetDockingPaintManager();
        int nBand = (pPaintManager != NULL ? pPaintManager->GetCaptionHeight() : 0) + 3;
        if (bVertical)
        {
            rcBand.right = rcBand.left + nBand;
            rcClient.left += nBand;
        }
        else
        {
            rcBand.bottom = rcBand.top + nBand;
            rcClient.top += nBand;
        }
    }
    else
    {
        // A floating window's own caption and frame count as the band.
        CRect rcSite(0, 0, 0, 0);
        CWnd* pSite = GetDockingSite();
        if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
            pSite->GetWindowRect(&rcSite);
        rcBand = rcSite;
        if (bVertical)
            rcBand.right = rcClient.left;
        else
            rcBand.bottom = rcClient.top;
    }
    if (rcBand.PtInRect(pt))
        return TRUE;
    if (!IsTabsVisible())
        return FALSE;

    CXTPDockingPanePaintManager* pPaintManager = GetDockingPaintManager();
    int nTabs = pPaintManager != NULL ? pPaintManager->GetTabsHeight() : 0;
    CRect rcTabs(rcClient);
    rcTabs.top = rcClient.bottom - nTabs;
    rcClient.bottom = rcTabs.top;
    return rcTabs.PtInRect(pt);
}

int CXTPDockingPaneTabbedContainer::HitTestPane(CPoint point) const
{
    CXTPDockingPanePaintManager* pPaintManager = GetDockingPaintManager();
    if (IsCaptionVisible() && pPaintManager != NULL)
    {
        CRect rc(0, 0, m_rcWindow.Width(), m_rcWindow.Height());
        CRect rcRest(rc);
        pPaintManager->AdjustCaptionRect(this, rcRest);
        if (IsCaptionVertical())
            rc.right = rcRest.left;
        else
            rc.bottom = rcRest.top;
        if (rc.PtInRect(point))
            return -2;
    }
    if (IsTabsVisible())
    {
        CXTPTabManagerItem* pItem = HitTest(point);
        if (pItem != NULL)
            return pItem->GetIndex();
    }
    return -1;
}

void CXTPDockingPaneTabbedContainer::FocusContainer()
{
    if (m_pSelectedPane != NULL && m_pSelectedPane->HasAttachedWindow())
        m_pSelectedPane->SetFocus();
    else if (m_hWnd != NULL)
        CWnd::SetFocus();
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (pManager != NULL)
        pManager->CheckFocus();
}

void CXTPDockingPaneTabbedContainer::OnFocusChanged()
{
    if (m_hWnd == NULL || IsHidden())
        return;
    HWND hWndFocus = ::GetFocus();
    BOOL bActive = hWndFocus != NULL && (hWndFocus == m_hWnd || ::IsChild(m_hWnd, hWndFocus));
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (bActive != m_bActive)
    {
        m_bActive = bActive;
        if (pManager != NULL)
            pManager->SetActivePane(bActive, m_pSelectedPane);
        CWnd::Invalidate(FALSE);
    }
    else if (bActive && pManager != NULL && pManager->GetActivePane() != m_pSelectedPane)
    {
        pManager->SetActivePane(TRUE, m_pSelectedPane);
    }
}

void CXTPDockingPaneTabbedContainer::Invalidate()
{
    if (m_hWnd != NULL)
        CWnd::Invalidate(FALSE);
}

void CXTPDockingPaneTabbedContainer::Reposition()
{
    if (m_hWnd == NULL || m_nLockReposition > 0)
        return;
    m_nLockReposition++;
    GetClientPaneRect(TRUE);
    m_nLockReposition--;
    CWnd::Invalidate(FALSE);
}

CXTPTabPaintManager* CXTPDockingPaneTabbedContainer::GetPaintManager() const
{
    CXTPDockingPanePaintManager* pPaintManager = GetDockingPaintManager();
    return pPaintManager != NULL ? pPaintManager->GetPanelPaintManager() : NULL;
}

void CXTPDockingPaneTabbedContainer::RedrawControl(LPCRECT lpRect, BOOL bAnimate)
{
    if (m_hWnd != NULL)
        InvalidateRect(lpRect, FALSE);
}

BOOL CXTPDockingPaneTabbedContainer::DrawIcon(CDC* pDC, CPoint pt, CXTPTabManagerItem* pItem, BOOL bDraw,
                                              CSize& szIcon) const
{
    return DrawPaneIcon(pDC, pt, pItem, bDraw, szIcon);
}

BOOL AFX_CDECL CXTPDockingPaneTabbedContainer::DrawPaneIcon(CDC* pDC, CPoint pt, CXTPTabManagerItem* pItem,
                                                            BOOL bDraw, CSize& szIcon)
{
    if (pItem == NULL)
        return TRUE;
    CXTPDockingPane* pPane = (CXTPDockingPane*)pItem->GetData();
    CXTPImageManagerIcon* pImage = pPane != NULL ? pPane->GetIcon(szIcon.cx) : NULL;
    if (pImage == NULL)
        return FALSE;
    if (bDraw)
        pItem->DrawImage(pDC, CRect(pt, szIcon), pImage);
    return TRUE;
}

void CXTPDockingPaneTabbedContainer::OnSelectItem(CXTPTabManagerItem* pItem)
{
    CXTPDockingPane* pPane = PaneOfItem(pItem);
    if (pPane != NULL)
        SelectPane(pPane, TRUE, FALSE);
}

BOOL CXTPDockingPaneTabbedContainer::CanSelectItem(CXTPTabManagerItem* pItem) const
{
    CXTPDockingPane* pPane = PaneOfItem(pItem);
    return pPane != NULL && (pPane->GetEnabled() & xtpPaneEnabled) != 0;
}

void CXTPDockingPaneTabbedContainer::InitFrom(CXTPDockingPaneTabbedContainer* pContainer, CXTPPaneToPaneMap* pMap,
                                              DWORD dwIgnoredOptions)
{
    m_szDocking = pContainer->m_szDocking;
    m_rcWindow = pContainer->m_rcWindow;
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    m_pDockingSite = pManager != NULL ? pManager->GetSite() : NULL;
    m_bCaptionVisible = TRUE;

    CXTPDockingPane* pSelected = NULL;
    // Taking a pane out of the source selects another one there, so the
    // source's selected pane is the one it had before the first pane moved.
    CXTPDockingPane* const pSourceSelected = pContainer->m_pSelectedPane;
    CArray<CXTPDockingPane*, CXTPDockingPane*> arrPanes;
    CopyPanes(pContainer->m_lstPanes, arrPanes);
    // The tabs are made once, after every pane is in: rebuilding them at
    // each pane would cost the square of the number of panes.
    m_nUpdateTabs++;
    for (int i = 0; i < arrPanes.GetSize(); i++)
    {
        CXTPDockingPane* pPane = arrPanes[i];
        if (pMap != NULL)
        {
            CXTPDockingPaneBase* pClone = pPane->Clone(m_pLayout, pMap, dwIgnoredOptions);
            if (pClone == NULL)
                continue;
            AddPane(static_cast<CXTPDockingPane*>(pClone), FALSE);
            if (pPane == pSourceSelected)
                pSelected = static_cast<CXTPDockingPane*>(pClone);
        }
        else if ((pPane->GetOptions() & dwIgnoredOptions) == 0)
        {
            pContainer->RemovePane(pPane);
            AddPane(pPane, FALSE);
            if (pPane == pSourceSelected)
                pSelected = pPane;
        }
    }
    m_nUpdateTabs--;
    UpdateTabs();
    if (pSelected != NULL)
        SelectPane(pSelected, FALSE);
}

CXTPDockingPaneBase* CXTPDockingPaneTabbedContainer::Clone(CXTPDockingPaneLayout* pLayout, CXTPPaneToPaneMap* pMap,
                                                           DWORD dwIgnoredOptions)
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    CXTPDockingPaneBase* pBase = pManager != NULL ? pManager->OnCreatePane(xtpPaneTypeTabbedContainer, pLayout) : NULL;
    if (pBase == NULL)
        return NULL;
    CXTPDockingPaneTabbedContainer* pClone = static_cast<CXTPDockingPaneTabbedContainer*>(pBase);
    if (pMap != NULL)
        pMap->SetAt(this, pClone);
    pClone->InitFrom(this, pMap, dwIgnoredOptions);
    return pClone;
}

BOOL CXTPDockingPaneTabbedContainer::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPDockingPaneBase::DoPropExchange(pPX);

    if (pPX->IsStoring())
    {
        long nCount = (long)m_lstPanes.GetCount();
        long nSelected = m_pSelectedPane != NULL ? m_pSelectedPane->m_nIndex : 0;
        PropExchangeLong(pPX, _T("Panes"), nCount);
        PropExchangeLong(pPX, _T("Selected"), nSelected);
        int i = 1;
        POSITION pos = m_lstPanes.GetHeadPosition();
        while (pos != NULL)
        {
            CString strName;
            strName.Format(_T("Pane-%d"), i++);
            long nIndex = m_lstPanes.GetNext(pos)->m_nIndex;
            PropExchangeLong(pPX, strName, nIndex);
        }
        return TRUE;
    }

    long nCount = 0, nSelected = 0;
    PropExchangeLong(pPX, _T("Panes"), nCount);
    PropExchangeLong(pPX, _T("Selected"), nSelected);
    for (long i = 1; i <= nCount; i++)
    {
        CString strName;
        strName.Format(_T("Pane-%ld"), i);
        long nIndex = 0;
        PropExchangeLong(pPX, strName, nIndex);
        CXTPDockingPaneBase* pPane = CXTPDockingPaneLayout::LookupObject(pPX, (int)nIndex);
        if (pPane == NULL || pPane->GetType() != xtpPaneTypeDockingPane ||
            !CXTPDockingPaneLayout::CanAdoptChild(this, pPane))
            return FALSE;
        m_lstPanes.AddTail(pPane);
        pPane->SetParentContainer(this);
    }
    POSITION pos = m_lstPanes.GetHeadPosition();
    while (pos != NULL)
    {
        CXTPDockingPaneBase* pPane = m_lstPanes.GetNext(pos);
        if (pPane->m_nIndex == nSelected)
            m_pSelectedPane = static_cast<CXTPDockingPane*>(pPane);
    }
    return TRUE;
}

void CXTPDockingPaneTabbedContainer::ClosePaneByButton(CXTPDockingPane* pPane)
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (pPane == NULL || pManager == NULL)
        return;
    pPane->InternalAddRef();
    if (!pManager->NotifyAction(xtpPaneActionClosing, pPane))
    {
        pManager->ClosePane(pPane);
        pManager->NotifyAction(xtpPaneActionClosed, pPane);
    }
    pPane->InternalRelease();
}

void CXTPDockingPaneTabbedContainer::OnCaptionButtonClick(CXTPDockingPaneCaptionButton* pButton)
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (pManager == NULL)
        return;

    switch (pButton->GetID())
    {
    case XTP_IDS_DOCKINGPANE_AUTOHIDE:
        if (IsAutoHidden())
        {
            // Docked back, the group moves away from the pointer: none of
            // its buttons stays hot (no mouse leave comes for a moved window).
            for (int i = 0; i < m_pCaptionButtons->GetSize(); i++)
            {
                m_pCaptionButtons->GetAt(i)->m_bHot = FALSE;
                m_pCaptionButtons->GetAt(i)->m_bPressed = FALSE;
            }
            if (pManager->m_bHideGroupOnButtonClick)
                pManager->ToggleDocking(this);
            else if (m_pSelectedPane != NULL)
                pManager->ToggleDocking(m_pSelectedPane);
        }
        else if (m_pSelectedPane != NULL)
        {
            CXTPDockingPane* pSelected = m_pSelectedPane;
            if (pManager->NotifyAction(xtpPaneActionUnpinning, pSelected))
                return;
            // The size the group has now is the size it slides out with.
            int nSide = m_pLayout != NULL ? m_pLayout->GetPaneDirection(this) : -1;
            BOOL bWidth = nSide == xtpPaneDockLeft || nSide == xtpPaneDockRight;
            int nLength = bWidth ? m_rcWindow.Width() : m_rcWindow.Height();
            if (bWidth)
                SetDockingSize(nLength, m_szDocking.cy);
            else
                SetDockingSize(m_szDocking.cx, nLength);
            POSITION pos = m_lstPanes.GetHeadPosition();
            while (pos != NULL)
            {
                CXTPDockingPaneBase* pPane = m_lstPanes.GetNext(pos);
                if (bWidth)
                    pPane->SetDockingSize(nLength, pPane->m_szDocking.cy);
                else
                    pPane->SetDockingSize(pPane->m_szDocking.cx, nLength);
            }
            pSelected->InternalAddRef();
            pSelected->Hide();
            pManager->NotifyAction(xtpPaneActionUnpinned, pSelected);
            pSelected->InternalRelease();
        }
        break;

    case XTP_IDS_DOCKINGPANE_CLOSE:
        if (pManager->m_bCloseGroupOnButtonClick)
        {
            CArray<CXTPDockingPane*, CXTPDockingPane*> arrPanes;
            CopyPanes(m_lstPanes, arrPanes);
            for (int i = 0; i < arrPanes.GetSize(); i++)
            {
                if ((arrPanes[i]->GetOptions() & xtpPaneNoCloseable) == 0)
                    ClosePaneByButton(arrPanes[i]);
            }
        }
        else
        {
            ClosePaneByButton(m_pSelectedPane);
        }
        break;

    case XTP_IDS_DOCKINGPANE_MAXIMIZE:
        if (m_pParentContainer != NULL && m_pParentContainer->GetType() == xtpPaneTypeSplitterContainer)
        {
            const CXTPDockingPaneBaseList& lst =
                static_cast<CXTPDockingPaneSplitterContainer*>(m_pParentContainer)->GetPanes();
            POSITION pos = lst.GetHeadPosition();
            while (pos != NULL)
            {
                CXTPDockingPaneBase* pPane = lst.GetNext(pos);
                if (pPane->GetType() == xtpPaneTypeTabbedContainer)
                    static_cast<CXTPDockingPaneTabbedContainer*>(pPane)->SetMaximized(pPane == this);
            }
            pManager->RecalcFrameLayout(this, FALSE);
        }
        break;

    case XTP_IDS_DOCKINGPANE_RESTORE:
        m_bMaximized = FALSE;
        pManager->RecalcFrameLayout(this, FALSE);
        break;
    }
}

void CXTPDockingPaneTabbedContainer::OnCaptionLButtonDown(CPoint ptScreen)
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (pManager == NULL || m_pSelectedPane == NULL || (::GetKeyState(VK_LBUTTON) & 0x8000) == 0)
        return;
    if (pManager->NotifyAction(xtpPaneActionDragging, m_pSelectedPane))
        return;
    if (pManager->GetDockingContext() != NULL)
        pManager->GetDockingContext()->Drag(this, ptScreen);
}

void CXTPDockingPaneTabbedContainer::EndPress()
{
    m_pTrackingPane = NULL;
    m_arrTabRects.RemoveAll();
    if (m_hWnd != NULL && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void CXTPDockingPaneTabbedContainer::OnLButtonDown(UINT nFlags, CPoint point)
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (pManager == NULL)
        return;

    CXTPDockingPaneCaptionButton* pButton = m_pCaptionButtons->HitTest(point);
    if (pButton != NULL)
    {
        FocusContainer();
        if (!pButton->IsEnabled())
            return;
        if (pButton->GetID() == XTP_IDS_DOCKINGPANE_MENU)
        {
            if (m_pSelectedPane == NULL)
                return;
            CRect rcButton = pButton->GetRect();
            ClientToScreen(&rcButton);
            XTP_DOCKINGPANE_CLICK menu = { m_pSelectedPane, rcButton.left, rcButton.bottom, rcButton };
            pButton->m_bPressed = TRUE;
            pButton->Redraw();
            UpdateWindow();
            pManager->NotifyOwner(XTP_DPN_CONTEXTMENU, (LPARAM)&menu);
            pButton->m_bPressed = FALSE;
            pButton->Redraw();
            return;
        }
        if (pButton->Click(this, point))
            OnCaptionButtonClick(pButton);
        return;
    }

    if (HandleLButtonDown(m_hWnd, point, TRUE))
        return;

    int nHit = HitTestPane(point);
    if (nHit >= 0)
    {
        CXTPDockingPane* pPane = PaneOfItem(GetItem(nHit));
        if (pPane == NULL)
            return;
        if (!pManager->NotifyAction(xtpPaneActionDragging, pPane))
        {
            m_arrTabRects.SetSize(GetItemCount());
            for (int i = 0; i < GetItemCount(); i++)
                m_arrTabRects[i] = GetItem(i)->GetRect();
            SelectPane(pPane, TRUE, FALSE);
            if (m_hWnd == NULL)
                return;
            m_pTrackingPane = pPane;
            SetCapture();
        }
        else
        {
            SelectPane(pPane, TRUE, FALSE);
        }
        return;
    }

    FocusContainer();
    if (nHit == -2 && !IsAutoHidden())
    {
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        OnCaptionLButtonDown(ptScreen);
    }
}

void CXTPDockingPaneTabbedContainer::OnLButtonUp(UINT nFlags, CPoint point)
{
    EndPress();
}

void CXTPDockingPaneTabbedContainer::OnCaptureChanged(CWnd* pWnd)
{
    m_pTrackingPane = NULL;
    m_arrTabRects.RemoveAll();
}

void CXTPDockingPaneTabbedContainer::OnMouseMove(UINT nFlags, CPoint point)
{
    HandleMouseMove(m_hWnd, point);
    m_pCaptionButtons->CheckForMouseOver(point);

    if (m_pTrackingPane == NULL)
        return;
    if (::GetCapture() != m_hWnd)
    {
        EndPress();
        return;
    }

    // The pressed tab follows the mouse over the others' places.
    for (int i = 0; i < m_arrTabRects.GetSize(); i++)
    {
        if (!m_arrTabRects[i].PtInRect(point))
            continue;
        POSITION posOver = m_lstPanes.FindIndex(i);
        POSITION posPressed = m_lstPanes.Find(m_pTrackingPane);
        if (posOver != NULL && posPressed != NULL && posOver != posPressed)
        {
            CXTPDockingPaneBase* pOver = m_lstPanes.GetAt(posOver);
            m_lstPanes.SetAt(posOver, m_pTrackingPane);
            m_lstPanes.SetAt(posPressed, pOver);
            UpdateTabs();
            OnChildContainerChanged(this);
        }
        return;
    }

    // Off the tab row: a drag of the pressed pane.
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    CXTPDockingPane* pPane = m_pTrackingPane;
    if (pManager == NULL || pManager->NotifyAction(xtpPaneActionDetaching, pPane))
        return;
    EndPress();
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    if (pManager->GetDockingContext() != NULL)
        pManager->GetDockingContext()->Drag(pPane, ptScreen);
}

void CXTPDockingPaneTabbedContainer::OnMouseLeave()
{
    OnMouseMove(0, CPoint(-1, -1));
}

void CXTPDockingPaneTabbedContainer::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (m_pCaptionButtons->HitTest(point) != NULL)
        return;
    for (int i = 0; i < GetNavigateButtonCount(); i++)
    {
        if (GetNavigateButton(i)->GetRect().PtInRect(point))
            return;
    }
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (pManager == NULL)
        return;
    int nHit = HitTestPane(point);
    if (nHit == -2)
    {
        if (IsAutoHidden() && m_pSelectedPane != NULL && (m_pSelectedPane->GetOptions() & xtpPaneNoHideable) != 0)
            return;
        pManager->ToggleDocking(this);
    }
    else if (nHit >= 0)
    {
        CXTPDockingPane* pPane = PaneOfItem(GetItem(nHit));
        if (pPane != NULL)
            pManager->ToggleDocking(pPane);
    }
}

void CXTPDockingPaneTabbedContainer::OnRButtonDown(UINT nFlags, CPoint point)
{
    int nHit = HitTestPane(point);
    if (nHit >= 0)
    {
        CXTPDockingPane* pPane = PaneOfItem(GetItem(nHit));
        if (pPane != NULL)
            SelectPane(pPane, TRUE, FALSE);
    }
    FocusContainer();
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (pManager != NULL)
        pManager->NotifyOwner(XTP_DPN_RCLICK, (LPARAM)static_cast<CXTPDockingPaneBase*>(this));
}

BOOL CXTPDockingPaneTabbedContainer::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    CXTPDockingPanePaintManager* pPaintManager = GetDockingPaintManager();
    if (pManager != NULL && pPaintManager != NULL && pManager->m_bShowSizeCursorWhileDragging)
    {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        if (pPaintManager->GetCaptionGripperRect(this).PtInRect(pt))
        {
            ::SetCursor(::LoadCursor(NULL, IDC_SIZEALL));
            return TRUE;
        }
    }
    return (BOOL)Default();
}

LRESULT CXTPDockingPaneTabbedContainer::OnHelpHitTest(WPARAM, LPARAM lParam)
{
    CPoint point((int)(short)LOWORD(lParam), (int)(short)HIWORD(lParam));
    int nHit = HitTestPane(point);
    CXTPDockingPane* pPane = nHit >= 0 ? PaneOfItem(GetItem(nHit)) : m_pSelectedPane;
    if (pPane == NULL)
        return 0;
    return 0x20000 + (pPane->GetHelpID() != 0 ? pPane->GetHelpID() : pPane->GetID());
}

LRESULT CXTPDockingPaneTabbedContainer::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    if ((LONG)lParam != OBJID_CLIENT)
        return Default();
    return LresultFromObject(IID_IAccessible, wParam, GetAccessible());
}

LRESULT CXTPDockingPaneTabbedContainer::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (pManager != NULL && pManager->GetToolTipContext() != NULL)
        pManager->GetToolTipContext()->FilterToolTipMessage(this, message, wParam, lParam);
    return CWnd::WindowProc(message, wParam, lParam);
}

INT_PTR CXTPDockingPaneTabbedContainer::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    CXTPDockingPaneCaptionButton* pButton = m_pCaptionButtons->HitTest(point);
    if (pButton != NULL)
    {
        CString strTip;
        if (!XTPResourceManager()->LoadString(&strTip, pButton->GetID()))
            return -1;
        CXTPToolTipContext::FillInToolInfo(pTI, m_hWnd, pButton->GetRect(), pButton->GetID(), strTip);
        return pButton->GetID();
    }
    return ToolHitTest(m_hWnd, point, pTI);
}

void CXTPDockingPaneTabbedContainer::OnPaint()
{
    CPaintDC dcPaint(this);
    CRect rc;
    CWnd::GetClientRect(&rc);
    CXTPDockingPanePaintManager* pPaintManager = GetDockingPaintManager();
    if (pPaintManager == NULL || rc.IsRectEmpty())
        return;
    CXTPBufferDC dc(dcPaint.GetSafeHdc(), rc);
    pPaintManager->DrawPane(&dc, this, rc);
}

BOOL CXTPDockingPaneTabbedContainer::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

//////////////////////////////////////////////////////////////////////////
// Accessibility

void CXTPDockingPaneTabbedContainer::Release()
{
    if (m_lstPanes.IsEmpty())
    {
        // The layout may have emptied the list without RemovePane (when it
        // is cleared): nothing is selected, and the window goes now rather
        // than with the last reference, which a client may keep.
        m_pSelectedPane = NULL;
        m_pTrackingPane = NULL;
        if (m_hWnd != NULL)
            DestroyWindow();
    }
    InternalRelease();
}

DWORD CXTPDockingPaneTabbedContainer::InternalQueryInterface(const void* iid, LPVOID* ppvObj)
{
    return XTPQueryAccessible(this, GetAccessible(), iid, ppvObj);
}

LPDISPATCH CXTPDockingPaneTabbedContainer::GetIDispatch(BOOL bAddRef)
{
    IDispatch* pDispatch = GetAccessible();
    if (bAddRef)
        pDispatch->AddRef();
    return pDispatch;
}

CXTPDockingPane* CXTPDockingPaneTabbedContainer::AccessiblePane(long nChild) const
{
    if (nChild == 1)
        return m_pSelectedPane != NULL && m_lstPanes.Find(m_pSelectedPane) != NULL ? m_pSelectedPane : NULL;
    POSITION pos = nChild >= 2 ? m_lstPanes.FindIndex(nChild - 2) : NULL;
    return pos != NULL ? static_cast<CXTPDockingPane*>(m_lstPanes.GetAt(pos)) : NULL;
}

long CXTPDockingPaneTabbedContainer::AccessibleChildOf(CXTPDockingPane* pPane) const
{
    long nChild = 2;
    for (POSITION pos = m_lstPanes.GetHeadPosition(); pos != NULL && pPane != NULL; nChild++)
    {
        if (m_lstPanes.GetNext(pos) == pPane)
            return nChild;
    }
    return 0;
}

void CXTPDockingPaneTabbedContainer::SetAccessibleChild(VARIANT* pvar, long nChild)
{
    CXTPDockingPane* pPane = AccessiblePane(nChild);
    if (nChild == 1 && pPane != NULL)
    {
        pPane->GetAccessibleHostedWindow(pvar);
    }
    else if (nChild >= 2 && pPane != NULL)
    {
        pvar->vt = VT_DISPATCH;
        pvar->pdispVal = pPane->GetIDispatch(TRUE);
    }
    else
    {
        pvar->vt = VT_I4;
        pvar->lVal = nChild;
    }
}

namespace
{
// What a pane answers for a child of its container: the pane itself, or
// (child 1) the pane's hosted window.
VARIANT PaneChild(long nContainerChild)
{
    VARIANT var;
    var.vt = VT_I4;
    var.lVal = nContainerChild == 1 ? 1 : CHILDID_SELF;
    return var;
}
} // namespace

template <class Fn>
HRESULT CXTPDockingPaneTabbedContainer::ForwardToPane(VARIANT varChild, Fn fn)
{
    long nChild = GetChildIndex(&varChild);
    if (nChild == CHILDID_SELF)
        return E_NOTIMPL;
    CXTPDockingPane* pPane = AccessiblePane(nChild);
    return pPane != NULL ? fn(pPane, PaneChild(nChild)) : E_INVALIDARG;
}

HRESULT CXTPDockingPaneTabbedContainer::GetAccessibleParent(IDispatch** ppdispParent)
{
    *ppdispParent = NULL;
    if (m_hWnd == NULL)
        return E_FAIL;
    return AccessibleObjectFromWindow(m_hWnd, (DWORD)OBJID_WINDOW, IID_IDispatch, (void**)ppdispParent);
}

HRESULT CXTPDockingPaneTabbedContainer::GetAccessibleChildCount(long* pcountChildren)
{
    *pcountChildren = (long)m_lstPanes.GetCount() + 1;
    return S_OK;
}

HRESULT CXTPDockingPaneTabbedContainer::GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild)
{
    *ppdispChild = NULL;
    long nChild = GetChildIndex(&varChild);
    CXTPDockingPane* pPane = AccessiblePane(nChild);
    if (nChild == 1)
    {
        // Without a hosted window the child is a plain element.
        if (pPane == NULL || !pPane->HasAttachedWindow())
            return S_FALSE;
        return AccessibleObjectFromWindow(pPane->GetChild(), (DWORD)OBJID_WINDOW, IID_IDispatch,
                                          (void**)ppdispChild);
    }
    if (pPane == NULL)
        return E_INVALIDARG;
    *ppdispChild = pPane->GetIDispatch(TRUE);
    return S_OK;
}

HRESULT CXTPDockingPaneTabbedContainer::GetAccessibleName(VARIANT varChild, BSTR* pszName)
{
    if (GetChildIndex(&varChild) == CHILDID_SELF)
    {
        *pszName = ::SysAllocString(L"XTPDockingPaneTabbedContainer");
        return S_OK;
    }
    return ForwardToPane(varChild, [&](CXTPDockingPane* pPane, VARIANT var) {
        return pPane->GetAccessibleName(var, pszName);
    });
}

HRESULT CXTPDockingPaneTabbedContainer::GetAccessibleDescription(VARIANT varChild, BSTR* pszDescription)
{
    return ForwardToPane(varChild, [&](CXTPDockingPane* pPane, VARIANT var) {
        return pPane->GetAccessibleDescription(var, pszDescription);
    });
}

HRESULT CXTPDockingPaneTabbedContainer::GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole)
{
    if (GetChildIndex(&varChild) == CHILDID_SELF)
    {
        pvarRole->vt = VT_I4;
        pvarRole->lVal = ROLE_SYSTEM_PAGETABLIST;
        return S_OK;
    }
    return ForwardToPane(varChild, [&](CXTPDockingPane* pPane, VARIANT var) {
        return pPane->GetAccessibleRole(var, pvarRole);
    });
}

HRESULT CXTPDockingPaneTabbedContainer::GetAccessibleState(VARIANT varChild, VARIANT* pvarState)
{
    return ForwardToPane(varChild, [&](CXTPDockingPane* pPane, VARIANT var) {
        return pPane->GetAccessibleState(var, pvarState);
    });
}

HRESULT CXTPDockingPaneTabbedContainer::GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction)
{
    return ForwardToPane(varChild, [&](CXTPDockingPane* pPane, VARIANT var) {
        return pPane->GetAccessibleDefaultAction(var, pszDefaultAction);
    });
}

HRESULT CXTPDockingPaneTabbedContainer::AccessibleDoDefaultAction(VARIANT varChild)
{
    return ForwardToPane(varChild, [&](CXTPDockingPane* pPane, VARIANT var) {
        return pPane->AccessibleDoDefaultAction(var);
    });
}

HRESULT CXTPDockingPaneTabbedContainer::AccessibleSelect(long flagsSelect, VARIANT varChild)
{
    return ForwardToPane(varChild, [&](CXTPDockingPane* pPane, VARIANT var) {
        return pPane->AccessibleSelect(flagsSelect, var);
    });
}

HRESULT CXTPDockingPaneTabbedContainer::AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth,
                                                           long* pcyHeight, VARIANT varChild)
{
    if (GetChildIndex(&varChild) != CHILDID_SELF)
        return ForwardToPane(varChild, [&](CXTPDockingPane* pPane, VARIANT var) {
            return pPane->AccessibleLocation(pxLeft, pyTop, pcxWidth, pcyHeight, var);
        });
    CRect rc(0, 0, 0, 0);
    if (m_hWnd != NULL)
        CWnd::GetWindowRect(&rc);
    *pxLeft = rc.left;
    *pyTop = rc.top;
    *pcxWidth = rc.Width();
    *pcyHeight = rc.Height();
    return S_OK;
}

HRESULT CXTPDockingPaneTabbedContainer::AccessibleNavigate(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt)
{
    pvarEndUpAt->vt = VT_EMPTY;
    const long nStart = GetChildIndex(&varStart);
    const long nCount = (long)m_lstPanes.GetCount() + 1;
    long nTarget = 0;
    switch (navDir)
    {
    case NAVDIR_FIRSTCHILD:
    case NAVDIR_LASTCHILD:
        if (nStart != CHILDID_SELF)
            return E_INVALIDARG;
        nTarget = navDir == NAVDIR_FIRSTCHILD ? 1 : nCount;
        break;
    case NAVDIR_NEXT:
    case NAVDIR_PREVIOUS:
        // The container's own siblings are for its parent window to name.
        if (nStart == CHILDID_SELF)
            return S_FALSE;
        nTarget = nStart + (navDir == NAVDIR_NEXT ? 1 : -1);
        break;
    case NAVDIR_UP:
    case NAVDIR_DOWN:
    case NAVDIR_LEFT:
    case NAVDIR_RIGHT:
        return S_FALSE;
    default:
        return E_INVALIDARG;
    }
    if (nTarget < 1 || nTarget > nCount)
        return S_FALSE;
    SetAccessibleChild(pvarEndUpAt, nTarget);
    return S_OK;
}

HRESULT CXTPDockingPaneTabbedContainer::AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    pvarChild->vt = VT_EMPTY;
    if (m_hWnd == NULL || !IsWindowVisible())
        return S_FALSE;
    CPoint pt(xLeft, yTop);
    CRect rcWindow;
    CWnd::GetWindowRect(&rcWindow);
    if (!rcWindow.PtInRect(pt))
        return S_FALSE;
    // The shown pane's window answers as child 1, so that a client that
    // follows the pointer goes on into that window (a grid and its rows).
    CXTPDockingPane* pShown = AccessiblePane(1);
    HWND hHosted = pShown != NULL ? pShown->GetChild() : NULL;
    CRect rcHosted;
    if (hHosted != NULL && ::IsWindowVisible(hHosted) && ::GetWindowRect(hHosted, &rcHosted) &&
        rcHosted.PtInRect(pt))
    {
        SetAccessibleChild(pvarChild, 1);
        return S_OK;
    }
    ScreenToClient(&pt);
    // A tab answers its pane; the caption and the rest the container.
    int nHit = HitTestPane(pt);
    long nChild = nHit >= 0 ? AccessibleChildOf(PaneOfItem(GetItem(nHit))) : 0;
    if (nChild >= 2)
    {
        SetAccessibleChild(pvarChild, nChild);
        return S_OK;
    }
    pvarChild->vt = VT_I4;
    pvarChild->lVal = CHILDID_SELF;
    return S_OK;
}
