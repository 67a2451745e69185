// Auto-hidden panes: the panel's groups, layout, drawing and mouse, the
// slide-out window's animation, leave checks, layout, drawing and sizing,
// and the panel's stored form.
#include "XTPDockingPaneAutoHidePanel.h"

#include "XTPDockingPane.h"
#include "XTPDockingPaneLayout.h"
#include "XTPDockingPaneManager.h"
#include "XTPDockingPanePaintManager.h"
#include "XTPDockingPaneSplitterContainer.h"
#include "XTPDockingPaneTabbedContainer.h"

#include <XTPDCHelpers.h>
#include <XTPDrawHelpers.h>
#include <XTPImageManager.h>
#include <XTPPropExchange.h>
#include <XTPResourceManager.h>
#include <XTPTabPaintManager.h>
#include <afxpriv.h>

#include <algorithm>

int CXTPDockingPaneAutoHideWnd::m_nAnimationInterval = 16;
int CXTPDockingPaneAutoHideWnd::m_nAnimationDuration = 128;
double CXTPDockingPaneAutoHideWnd::m_dAnimationSpeed = -1.0;
BOOL CXTPDockingPaneAutoHideWnd::m_bCloseOnLeave = TRUE;
DWORD CXTPDockingPaneAutoHideWnd::m_dwHoverTime = HOVER_DEFAULT;
int CXTPDockingPaneAutoHideWnd::m_nLeaveCheckPeriod = 100;

namespace
{
const LPCTSTR kPanelClass = _T("XTPDockingPaneAutoHidePanel");
// The splitter edge of a slide-out window, on its inner side.
const int kEdge = 4;
// Leave checks before a slide-out window slides in.
const int kLeaveChecks = 6;
// The gap between two tab groups of a panel.
const int kGroupGap = 8;
const UINT kCloseDelay = 50;

BOOL IsHorizontalSide(XTPDockingPaneDirection direction)
{
    return direction == xtpPaneDockTop || direction == xtpPaneDockBottom;
}
} // namespace

//////////////////////////////////////////////////////////////////////////
// Tab groups

CXTPTabPaintManager* CXTPDockingPaneAutoHidePanel::CAutoHidePanelTabManager::GetPaintManager() const
{
    CXTPDockingPanePaintManager* pPaintManager = m_pPanel->CXTPDockingPaneBase::GetPaintManager();
    return pPaintManager != NULL ? pPaintManager->GetAutoHidePaintManager() : NULL;
}

void CXTPDockingPaneAutoHidePanel::CAutoHidePanelTabManager::RedrawControl(LPCRECT lpRect, BOOL bAnimate)
{
    if (m_pPanel->GetSafeHwnd() != NULL)
        m_pPanel->InvalidateRect(lpRect, FALSE);
}

BOOL CXTPDockingPaneAutoHidePanel::CAutoHidePanelTabManager::DrawIcon(CDC* pDC, CPoint pt, CXTPTabManagerItem* pItem,
                                                                      BOOL bDraw, CSize& szIcon) const
{
    if (pItem == NULL)
        return TRUE;
    CXTPTabPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager == NULL || !pPaintManager->m_bShowIcons)
        return FALSE;
    return CXTPDockingPaneTabbedContainer::DrawPaneIcon(pDC, pt, pItem, bDraw, szIcon);
}

XTPTabPosition CXTPDockingPaneAutoHidePanel::CAutoHidePanelTabManager::GetPosition() const
{
    // The tabs face away from the edge they sit on.
    switch (m_pPanel->GetDirection())
    {
    case xtpPaneDockLeft: return xtpTabPositionRight;
    case xtpPaneDockRight: return xtpTabPositionLeft;
    case xtpPaneDockTop: return xtpTabPositionBottom;
    default: return xtpTabPositionTop;
    }
}

void CXTPDockingPaneAutoHidePanel::CAutoHidePanelTabManager::Reposition()
{
    // Items are added while the panel lays its groups out; a change of the
    // paint manager's settings lays them out again.
    if (!m_pPanel->m_bRepositioning)
        m_pPanel->OnChildContainerChanged(NULL);
}

void CXTPDockingPaneAutoHidePanel::CAutoHidePanelTabManagersArray::RemoveAllManagers()
{
    for (int i = 0; i < GetSize(); i++)
        delete GetAt(i);
    RemoveAll();
}

DROPEFFECT CXTPDockingPaneAutoHidePanel::CPanelDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint point)
{
    CXTPDockingPanePaintManager* pPaintManager = m_pPanel->CXTPDockingPaneBase::GetPaintManager();
    if (pPaintManager != NULL && pPaintManager->GetAutoHidePaintManager()->m_bSelectOnDragOver)
    {
        CXTPDockingPane* pPane = m_pPanel->HitTest(point);
        if (pPane != NULL && pPane != m_pPanel->GetShownPane())
            m_pPanel->ShowPane(pPane, FALSE);
    }
    return DROPEFFECT_NONE;
}

//////////////////////////////////////////////////////////////////////////
// The panel

BEGIN_MESSAGE_MAP(CXTPDockingPaneAutoHidePanel, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_RBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEHOVER()
END_MESSAGE_MAP()

CXTPDockingPaneAutoHidePanel::CXTPDockingPaneAutoHidePanel(CXTPDockingPaneLayout* pLayout)
    : CXTPDockingPaneBaseContainer(xtpPaneTypeAutoHidePanel, pLayout), m_pActiveWnd(NULL),
      m_direction(xtpPaneDockLeft), m_pDropTarget(NULL), m_rcFrameRect(0, 0, 0, 0), m_bRepositioning(FALSE)
{
    EnableAutomation();
    m_pDropTarget = new CPanelDropTarget(this);
}

CXTPDockingPaneAutoHidePanel::~CXTPDockingPaneAutoHidePanel()
{
    if (m_pActiveWnd != NULL)
        CloseActiveWindow();
    m_arrTabManagers.RemoveAllManagers();
    if (m_pDropTarget != NULL)
    {
        m_pDropTarget->Revoke();
        m_pDropTarget->InternalRelease();
    }
}

void CXTPDockingPaneAutoHidePanel::OnFinalRelease()
{
    if (m_pActiveWnd != NULL)
        CloseActiveWindow();
    if (m_hWnd != NULL)
        DestroyWindow();
    delete this;
}

BOOL CXTPDockingPaneAutoHidePanel::Create(CWnd* pParent)
{
    if (pParent == NULL || pParent->GetSafeHwnd() == NULL)
        return FALSE;
    if (!CreateEx(0, kPanelClass, _T(""), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                  CRect(0, 0, 0, 0), pParent, 0))
    {
        TRACE("An auto-hide panel window could not be created.\n");
        return FALSE;
    }
    m_pDropTarget->Register(this);
    return TRUE;
}

void CXTPDockingPaneAutoHidePanel::Invalidate()
{
    if (m_hWnd != NULL)
        CWnd::Invalidate(FALSE);
}

void CXTPDockingPaneAutoHidePanel::AddPane(CXTPDockingPaneBase* pContainer)
{
    m_lstPanes.AddTail(pContainer);
    pContainer->SetParentContainer(this);
    pContainer->SetDockingSite(m_pDockingSite);
    pContainer->OnParentContainerChanged(this);

    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (pManager != NULL)
        pManager->RecalcFrameLayout(NULL, TRUE);
    // The focus leaves a group that goes out of sight.
    HWND hWndContainer = pContainer->GetPaneHwnd();
    HWND hWndFocus = ::GetFocus();
    if (hWndContainer != NULL && hWndFocus != NULL &&
        (hWndFocus == hWndContainer || ::IsChild(hWndContainer, hWndFocus)) && m_pDockingSite != NULL)
        m_pDockingSite->SetFocus();
    Invalidate();
}

void CXTPDockingPaneAutoHidePanel::RemovePane(CXTPDockingPaneBase* pPane)
{
    POSITION pos = m_lstPanes.Find(pPane);
    if (pos == NULL)
        return;
    if (m_pActiveWnd != NULL && m_pActiveWnd->GetContainer() == pPane)
        CloseActiveWindow();
    m_lstPanes.RemoveAt(pos);
    Invalidate();
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (pManager != NULL)
        pManager->RecalcFrameLayout(NULL, TRUE);
    if (m_lstPanes.IsEmpty() && m_hWnd != NULL)
    {
        m_arrTabManagers.RemoveAllManagers();
        DestroyWindow();
    }
    pPane->SetParentContainer(NULL);
}

void CXTPDockingPaneAutoHidePanel::OnChildContainerChanged(CXTPDockingPaneBase* pChild)
{
    if (m_hWnd == NULL)
        return;
    RepositionTabs();
    Invalidate();
}

void CXTPDockingPaneAutoHidePanel::OnChildVisibilityChanged(CXTPDockingPaneBase* pChild)
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (m_pActiveWnd == NULL)
        return;
    if (CXTPDockingPaneAutoHideWnd::m_bCloseOnLeave)
    {
        ClosePane(pManager != NULL && pManager->IsAttaching());
        return;
    }
    if (pManager != NULL)
        pManager->RecalcFrameLayout(NULL, TRUE);
    m_pActiveWnd->RecalcLayout();
}

CXTPDockingPane* CXTPDockingPaneAutoHidePanel::GetShownPane() const
{
    if (m_pActiveWnd == NULL || m_pActiveWnd->GetContainer() == NULL)
        return NULL;
    return m_pActiveWnd->GetContainer()->GetSelected();
}

int CXTPDockingPaneAutoHidePanel::GetPanelThickness()
{
    CXTPDockingPanePaintManager* pPaintManager = CXTPDockingPaneBase::GetPaintManager();
    if (pPaintManager == NULL)
        return 0;
    CXTPTabPaintManager* pTabPaintManager = pPaintManager->GetAutoHidePaintManager();
    CAutoHidePanelTabManager tabs(this);
    CRect rcMargin = pTabPaintManager->GetAppearanceSet()->GetHeaderMargin();
    return pTabPaintManager->GetAppearanceSet()->GetButtonHeight(&tabs) + rcMargin.top + rcMargin.bottom;
}

void CXTPDockingPaneAutoHidePanel::OnSizeParent(CWnd* pParent, CRect rect, LPVOID lParam)
{
    RepositionPanel(pParent, rect, lParam);
}

void CXTPDockingPaneAutoHidePanel::RepositionPanel(CWnd* pParent, CRect& rect, LPVOID lParam)
{
    SetDockingSite(pParent);
    if (IsHidden())
    {
        if (m_pActiveWnd != NULL)
            CloseActiveWindow();
        m_arrTabManagers.RemoveAllManagers();
        if (m_hWnd != NULL)
            DestroyWindow();
        m_rcWindow.SetRectEmpty();
        return;
    }
    if (m_hWnd == NULL && !Create(pParent))
        return;
    if (rect != m_rcFrameRect)
    {
        if (m_pActiveWnd != NULL)
            CloseActiveWindow();
        m_rcFrameRect = rect;
    }

    const int nThickness = GetPanelThickness();
    CRect rcPanel(rect);
    switch (m_direction)
    {
    case xtpPaneDockLeft:
        rcPanel.right = std::min(rect.right, rect.left + nThickness);
        rect.left = rcPanel.right;
        break;
    case xtpPaneDockRight:
        rcPanel.left = std::max(rect.left, rect.right - nThickness);
        rect.right = rcPanel.left;
        break;
    case xtpPaneDockTop:
        rcPanel.bottom = std::min(rect.bottom, rect.top + nThickness);
        rect.top = rcPanel.bottom;
        break;
    default:
        rcPanel.top = std::max(rect.top, rect.bottom - nThickness);
        rect.bottom = rcPanel.top;
        break;
    }
    m_rcWindow = rcPanel;

    AFX_SIZEPARENTPARAMS* pParams = (AFX_SIZEPARENTPARAMS*)lParam;
    if (pParams == NULL || pParams->hDWP != NULL)
    {
        XTPDockingPanePlaceWindow(m_hWnd, rcPanel, FALSE);
        RepositionTabs();
        CWnd::Invalidate(FALSE);
    }
}

void CXTPDockingPaneAutoHidePanel::RepositionTabs()
{
    if (m_bRepositioning)
        return;
    m_arrTabManagers.RemoveAllManagers();
    CXTPDockingPanePaintManager* pPaintManager = CXTPDockingPaneBase::GetPaintManager();
    if (pPaintManager == NULL || m_hWnd == NULL)
        return;
    CXTPTabPaintManager* pTabPaintManager = pPaintManager->GetAutoHidePaintManager();
    CRect rcClient(0, 0, m_rcWindow.Width(), m_rcWindow.Height());
    const BOOL bHorizontal = IsHorizontal();

    // Side panels start below the top panel's strip.
    int nOffset = 0;
    CXTPDockingPaneAutoHidePanel* pTopPanel = m_pLayout != NULL ? m_pLayout->GetAutoHidePanel(xtpPaneDockTop) : NULL;
    if (!bHorizontal && pTopPanel != NULL && !pTopPanel->IsHidden())
        nOffset = GetPanelThickness();

    CRect rcMargin = pTabPaintManager->GetAppearanceSet()->GetHeaderMargin();
    CClientDC dc(this);
    m_bRepositioning = TRUE;
    POSITION pos = m_lstPanes.GetHeadPosition();
    while (pos != NULL)
    {
        CXTPDockingPaneBase* pBase = m_lstPanes.GetNext(pos);
        if (pBase->GetType() != xtpPaneTypeTabbedContainer || pBase->IsHidden())
            continue;
        CXTPDockingPaneTabbedContainer* pContainer = static_cast<CXTPDockingPaneTabbedContainer*>(pBase);
        CAutoHidePanelTabManager* pTabs = new CAutoHidePanelTabManager(this);
        pTabs->SetAllowReorder(FALSE);
        m_arrTabManagers.Add(pTabs);

        int nItem = 0;
        POSITION posPane = pContainer->GetPanes().GetHeadPosition();
        while (posPane != NULL)
        {
            CXTPDockingPane* pPane = static_cast<CXTPDockingPane*>(pContainer->GetPanes().GetNext(posPane));
            CXTPTabManagerItem* pItem = pTabs->InsertItem(nItem++, NULL);
            pItem->SetData((DWORD_PTR)pPane);
            pItem->m_strCaption = pPane->GetTitle();
            pItem->m_clrItem = pPane->GetItemColor();
            pItem->m_bEnabled = (pPane->GetEnabled() & xtpPaneEnabled) != 0;
            if (pPane == pContainer->GetSelected())
                pTabs->m_pSelected = pItem;
        }

        CRect rcGroup(rcClient);
        if (bHorizontal)
            rcGroup.left = nOffset;
        else
            rcGroup.top = nOffset;
        pTabPaintManager->RepositionTabControlEntry(pTabs, &dc, rcGroup);
        nOffset += kGroupGap + pTabs->GetItemsLength() + (bHorizontal ? rcMargin.left + rcMargin.right
                                                                       : rcMargin.top + rcMargin.bottom);
    }
    m_bRepositioning = FALSE;
}

CXTPDockingPane* CXTPDockingPaneAutoHidePanel::HitTest(CPoint point) const
{
    for (int i = 0; i < m_arrTabManagers.GetSize(); i++)
    {
        CXTPTabManagerItem* pItem = m_arrTabManagers[i]->HitTest(point);
        if (pItem != NULL)
            return (CXTPDockingPane*)pItem->GetData();
    }
    return NULL;
}

void CXTPDockingPaneAutoHidePanel::DrawPanel(CDC* pDC, CRect rc)
{
    CXTPDockingPanePaintManager* pPaintManager = CXTPDockingPaneBase::GetPaintManager();
    if (pPaintManager == NULL)
        return;
    CXTPTabPaintManager* pTabPaintManager = pPaintManager->GetAutoHidePaintManager();
    const CXTPPaintManagerColorGradient& grc = pTabPaintManager->GetColorSet()->m_clrAutoHideFace;
    COLORREF clrLight = grc.clrLight, clrDark = grc.clrDark;
    if (clrLight != clrDark)
    {
        // One gradient across the frame; a right panel continues it from
        // the site's left edge.
        CRect rcGradient(rc);
        if (m_direction == xtpPaneDockRight && m_pDockingSite != NULL && m_pDockingSite->GetSafeHwnd() != NULL)
        {
            CRect rcSite;
            m_pDockingSite->GetClientRect(&rcSite);
            m_pDockingSite->ClientToScreen(&rcSite);
            ScreenToClient(&rcSite);
            rcGradient.left = rcSite.left;
        }
        rcGradient.right = rcGradient.left + std::max((int)rcGradient.Width(), ::GetSystemMetrics(SM_CXFULLSCREEN) / 2);
        XTPDrawHelpers()->GradientFillClipped(pDC, rcGradient, clrLight, clrDark, TRUE, rc);
    }
    else
    {
        pDC->FillSolidRect(rc, clrLight);
    }
    for (int i = 0; i < m_arrTabManagers.GetSize(); i++)
        pTabPaintManager->DrawTabControl(m_arrTabManagers[i], pDC, m_arrTabManagers[i]->GetControlRect());
}

void CXTPDockingPaneAutoHidePanel::OnPaint()
{
    CPaintDC dcPaint(this);
    CRect rc;
    GetClientRect(&rc);
    if (rc.IsRectEmpty())
        return;
    CXTPBufferDC dc(dcPaint.GetSafeHdc(), rc);
    DrawPanel(&dc, rc);
}

BOOL CXTPDockingPaneAutoHidePanel::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CXTPDockingPaneAutoHidePanel::OnMouseMove(UINT nFlags, CPoint point)
{
    for (int i = 0; i < m_arrTabManagers.GetSize(); i++)
        m_arrTabManagers[i]->HandleMouseMove(m_hWnd, point);
    if (HitTest(point) != NULL)
    {
        TRACKMOUSEEVENT tme = { sizeof(TRACKMOUSEEVENT), TME_HOVER | TME_LEAVE, m_hWnd,
                                CXTPDockingPaneAutoHideWnd::m_dwHoverTime };
        ::_TrackMouseEvent(&tme);
    }
}

void CXTPDockingPaneAutoHidePanel::OnMouseLeave()
{
    for (int i = 0; i < m_arrTabManagers.GetSize(); i++)
        m_arrTabManagers[i]->HandleMouseMove(m_hWnd, CPoint(-1, -1));
}

void CXTPDockingPaneAutoHidePanel::OnMouseHover(UINT nFlags, CPoint point)
{
    // Pointing at a tab opens its pane only while the program is active.
    CXTPDockingPane* pPane = HitTest(point);
    if (pPane != NULL && CXTPDrawHelpers::IsTopParentActive(m_hWnd) && pPane != GetShownPane())
        ShowPane(pPane, FALSE);
}

void CXTPDockingPaneAutoHidePanel::OnLButtonDown(UINT nFlags, CPoint point)
{
    CXTPDockingPane* pPane = HitTest(point);
    if (pPane == NULL)
        return;
    if (pPane == GetShownPane())
        pPane->SetFocus();
    else
        ShowPane(pPane, TRUE);
}

void CXTPDockingPaneAutoHidePanel::OnRButtonDown(UINT nFlags, CPoint point)
{
    CXTPDockingPane* pPane = HitTest(point);
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (pPane != NULL && pManager != NULL)
        pManager->NotifyOwner(XTP_DPN_RCLICK, (LPARAM)static_cast<CXTPDockingPaneBase*>(pPane));
}

//////////////////////////////////////////////////////////////////////////
// Opening and closing slide-out windows

void CXTPDockingPaneAutoHidePanel::ShowPane(CXTPDockingPane* pPane, BOOL bSetFocus)
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    CXTPDockingPaneBase* pContainer = pPane != NULL ? pPane->GetContainer() : NULL;
    if (pManager == NULL || pContainer == NULL || pContainer->GetContainer() != this ||
        pContainer->GetType() != xtpPaneTypeTabbedContainer || m_pLayout == NULL)
        return;
    CXTPDockingPaneTabbedContainer* pTabbed = static_cast<CXTPDockingPaneTabbedContainer*>(pContainer);

    for (int i = 0; i < 4; i++)
    {
        CXTPDockingPaneAutoHidePanel* pPanel = m_pLayout->GetAutoHidePanel(i);
        if (pPanel != NULL && pPanel->m_pActiveWnd != NULL)
            pPanel->CloseActiveWindow();
    }
    if (pManager->NotifyAction(xtpPaneActionExpanding, pPane))
        return;

    pTabbed->SelectPane(pPane, FALSE, TRUE);
    CXTPDockingPaneAutoHideWnd* pWnd = new CXTPDockingPaneAutoHideWnd(this, pTabbed);
    if (pWnd->GetSafeHwnd() == NULL)
    {
        delete pWnd;
        return;
    }
    m_pActiveWnd = pWnd;
    if (bSetFocus)
        pTabbed->SelectPane(pPane, TRUE, FALSE);
    Invalidate();
    pManager->RecalcFrameLayout(NULL, TRUE);
}

void CXTPDockingPaneAutoHidePanel::ClosePane(BOOL bDelayed)
{
    if (!CXTPDockingPaneAutoHideWnd::m_bCloseOnLeave || m_pActiveWnd == NULL)
        return;
    CXTPDockingPaneAutoHideWnd* pWnd = m_pActiveWnd;
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    CXTPDockingPaneTabbedContainer* pContainer = pWnd->GetContainer();
    if (pContainer != NULL && pManager != NULL)
    {
        CXTPDockingPane* pSelected = pContainer->GetSelected();
        if (pManager->NotifyAction(xtpPaneActionCollapsing, pSelected))
            return;
        pManager->NotifyAction(xtpPaneActionCollapsed, pSelected);
    }
    m_pActiveWnd = NULL;
    if (bDelayed)
    {
        pWnd->ReleaseContainer();
        pWnd->m_pPanel = NULL;
        pWnd->SetTimer(CXTPDockingPaneAutoHideWnd::timerClose, kCloseDelay, NULL);
    }
    else
    {
        pWnd->CloseWindow();
    }
}

void CXTPDockingPaneAutoHidePanel::CloseActiveWindow()
{
    CXTPDockingPaneAutoHideWnd* pWnd = m_pActiveWnd;
    if (pWnd == NULL)
        return;
    m_pActiveWnd = NULL;
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    CXTPDockingPane* pSelected = pWnd->GetContainer() != NULL ? pWnd->GetContainer()->GetSelected() : NULL;
    pWnd->CloseWindow();
    if (pManager != NULL && pSelected != NULL)
        pManager->NotifyAction(xtpPaneActionCollapsed, pSelected);
}

void CXTPDockingPaneAutoHidePanel::OnActiveWndDestroyed(CXTPDockingPaneAutoHideWnd* pWnd)
{
    if (m_pActiveWnd == pWnd)
        m_pActiveWnd = NULL;
}

//////////////////////////////////////////////////////////////////////////
// Copies and the stored form

CXTPDockingPaneBase* CXTPDockingPaneAutoHidePanel::Clone(CXTPDockingPaneLayout* pLayout, CXTPPaneToPaneMap* pMap,
                                                         DWORD dwIgnoredOptions)
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    CXTPDockingPaneBase* pBase = pManager != NULL ? pManager->OnCreatePane(xtpPaneTypeAutoHidePanel, pLayout) : NULL;
    if (pBase == NULL)
        return NULL;
    CXTPDockingPaneAutoHidePanel* pClone = static_cast<CXTPDockingPaneAutoHidePanel*>(pBase);
    pClone->m_direction = m_direction;
    pClone->m_pDockingSite = m_pDockingSite;
    if (pMap != NULL)
        pMap->SetAt(this, pClone);

    POSITION pos = m_lstPanes.GetHeadPosition();
    while (pos != NULL)
    {
        CXTPDockingPaneBase* pContainer = m_lstPanes.GetNext(pos);
        if (pMap == NULL && pContainer->IsHidden())
            continue;
        CXTPDockingPaneBase* pChild = pContainer->Clone(pLayout, pMap, dwIgnoredOptions);
        if (pChild == NULL)
            continue;
        pClone->m_lstPanes.AddTail(pChild);
        pChild->SetParentContainer(pClone);
        pChild->OnParentContainerChanged(pClone);
    }
    return pClone;
}

BOOL CXTPDockingPaneAutoHidePanel::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPDockingPaneBase::DoPropExchange(pPX);

    if (pPX->IsStoring())
    {
        long nDirection = m_direction;
        long nCount = (long)m_lstPanes.GetCount();
        PropExchangeLong(pPX, _T("Direction"), nDirection);
        PropExchangeLong(pPX, _T("Panes"), nCount);
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

    long nDirection = 0, nCount = 0;
    PropExchangeLong(pPX, _T("Direction"), nDirection);
    if (nDirection < xtpPaneDockLeft || nDirection > xtpPaneDockBottom)
        return FALSE;
    m_direction = (XTPDockingPaneDirection)nDirection;
    PropExchangeLong(pPX, _T("Panes"), nCount);
    for (long i = 1; i <= nCount; i++)
    {
        CString strName;
        strName.Format(_T("Pane-%ld"), i);
        long nIndex = 0;
        PropExchangeLong(pPX, strName, nIndex);
        CXTPDockingPaneBase* pContainer = CXTPDockingPaneLayout::LookupObject(pPX, (int)nIndex);
        if (pContainer == NULL || pContainer->GetType() != xtpPaneTypeTabbedContainer ||
            !CXTPDockingPaneLayout::CanAdoptChild(this, pContainer))
            return FALSE;
        m_lstPanes.AddTail(pContainer);
        pContainer->SetParentContainer(this);
    }
    return m_pLayout != NULL && m_pLayout->AssignAutoHidePanel(this);
}

//////////////////////////////////////////////////////////////////////////
// The slide-out window

IMPLEMENT_DYNAMIC(CXTPDockingPaneAutoHideWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CXTPDockingPaneAutoHideWnd, CMiniFrameWnd)
    ON_WM_CLOSE()
    ON_WM_TIMER()
    ON_WM_MOUSEMOVE()
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CXTPDockingPaneAutoHideWnd::CXTPDockingPaneAutoHideWnd(CXTPDockingPaneAutoHidePanel* pPanel,
                                                       CXTPDockingPaneTabbedContainer* pPane)
    : m_pPane(pPane), m_pPanel(pPanel), m_direction(pPanel->GetDirection()),
      m_bHoriz(IsHorizontalSide(pPanel->GetDirection())), m_nSlideStep(0), m_nStepsCount(1), m_bSlideOut(FALSE),
      m_rcWindow(0, 0, 0, 0), m_nDeactivationCount(kLeaveChecks), m_bTracking(FALSE)
{
    CXTPDockingPaneManager* pManager = pPanel->GetDockingPaneManager();
    CWnd* pSite = pManager != NULL ? pManager->GetSite() : NULL;
    CXTPDockingPaneBase* pTop = pManager != NULL ? pManager->GetTopPane() : NULL;
    if (pSite == NULL || pSite->GetSafeHwnd() == NULL || pTop == NULL)
        return;

    // The extent across the edge: the pane's docking size and its splitter
    // edge, within its tracking sizes and the docking area.
    CXTPDockingPane* pSelected = GetSelectedPane();
    CXTPDockingPaneBase* pSized = pSelected != NULL ? static_cast<CXTPDockingPaneBase*>(pSelected) : pPane;
    MINMAXINFO mmi;
    pSized->GetMinMaxInfo(&mmi);
    int nExtent = (m_bHoriz ? pSized->m_szDocking.cy : pSized->m_szDocking.cx) + kEdge;
    int nMin = (m_bHoriz ? mmi.ptMinTrackSize.y : mmi.ptMinTrackSize.x) + kEdge;
    int nMax = (m_bHoriz ? mmi.ptMaxTrackSize.y : mmi.ptMaxTrackSize.x) + kEdge;
    nExtent = std::max(nMin, std::min(nExtent, nMax));

    CRect rcTop;
    pTop->GetScreenRect(&rcTop);
    const int nAvailable = m_bHoriz ? rcTop.Height() : rcTop.Width();
    nExtent = std::max(std::min(nExtent, nAvailable), std::min(nAvailable, pManager->m_nSplitterGap + kEdge));

    XTPDockingPaneDirection side = m_direction;
    if (pManager->IsLayoutRTL() && (side == xtpPaneDockLeft || side == xtpPaneDockRight))
        side = side == xtpPaneDockLeft ? xtpPaneDockRight : xtpPaneDockLeft;
    CRect rc(rcTop);
    switch (side)
    {
    case xtpPaneDockLeft: rc.right = rc.left + nExtent; break;
    case xtpPaneDockRight: rc.left = rc.right - nExtent; break;
    case xtpPaneDockTop: rc.bottom = rc.top + nExtent; break;
    default: rc.top = rc.bottom - nExtent; break;
    }
    pSite->ScreenToClient(&rc);
    m_rcWindow = rc;

    int nMinExtent, nMaxExtent;
    HCURSOR hCursor = NULL;
    if (!pManager->IsSplittersLocked() && GetResizeLimits(nMinExtent, nMaxExtent))
        hCursor = XTPResourceManager()->LoadCursor(m_bHoriz ? XTP_IDC_VSPLITBAR : XTP_IDC_HSPLITBAR);
    if (hCursor == NULL)
        hCursor = ::LoadCursor(NULL, IDC_ARROW);
    LPCTSTR lpszClass = AfxRegisterWndClass(0, hCursor);
    if (!CMiniFrameWnd::CreateEx(pSite->GetExStyle() & WS_EX_LAYOUTRTL, lpszClass, _T(""),
                                 WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, CRect(0, 0, 0, 0), pSite, 0))
    {
        TRACE("A slide-out window could not be created.\n");
        return;
    }
    // A child window: the mini frame's tool-window style does not apply.
    ModifyStyleEx(WS_EX_TOOLWINDOW, 0);

    m_nStepsCount = 1;
    if (m_dAnimationSpeed != 0 && m_nAnimationInterval != 0)
    {
        if (m_dAnimationSpeed < 0)
            m_nStepsCount = m_nAnimationDuration / m_nAnimationInterval;
        else
            m_nStepsCount = (int)(m_dAnimationSpeed * (m_bHoriz ? rc.Width() : rc.Height()) * 50.0 /
                                  m_nAnimationInterval);
    }
    m_nStepsCount = std::max(1, m_nStepsCount);
    if (m_nStepsCount > 1)
        SetTimer(timerSlideOut, m_nAnimationInterval, NULL);

    pPane->SetDockingSite(this);
    m_nSlideStep = 0;
    DoSlideStep();
    if (pPane->GetSafeHwnd() != NULL)
        pPane->ShowWindow(SW_SHOW);
    RecalcLayout();
    SetTimer(timerLeaveCheck, m_nLeaveCheckPeriod, NULL);
    m_nDeactivationCount = kLeaveChecks;
}

void CXTPDockingPaneAutoHideWnd::OnFinalRelease()
{
    if (m_hWnd != NULL)
        DestroyWindow();
    else
        delete this;
}

void CXTPDockingPaneAutoHideWnd::PostNcDestroy()
{
    if (m_pPanel != NULL)
        m_pPanel->OnActiveWndDestroyed(this);
    InternalRelease();
}

CXTPDockingPane* CXTPDockingPaneAutoHideWnd::GetSelectedPane() const
{
    return m_pPane != NULL ? m_pPane->GetSelected() : NULL;
}

CXTPDockingPaneManager* CXTPDockingPaneAutoHideWnd::GetManager() const
{
    return m_pPanel != NULL ? m_pPanel->GetDockingPaneManager() : NULL;
}

void CXTPDockingPaneAutoHideWnd::DoSlideStep()
{
    if (m_hWnd == NULL)
        return;
    CRect rc(m_rcWindow);
    const int s = m_nSlideStep + 1, n = std::max(1, m_nStepsCount);
    switch (m_direction)
    {
    case xtpPaneDockLeft: rc.right = rc.left + m_rcWindow.Width() * s / n; break;
    case xtpPaneDockRight: rc.left = rc.right - m_rcWindow.Width() * s / n; break;
    case xtpPaneDockTop: rc.bottom = rc.top + m_rcWindow.Height() * s / n; break;
    default: rc.top = rc.bottom - m_rcWindow.Height() * s / n; break;
    }
    SetWindowPos(&CWnd::wndTop, rc.left, rc.top, rc.Width(), rc.Height(),
                 SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
    Invalidate(FALSE);
}

void CXTPDockingPaneAutoHideWnd::RecalcLayout(BOOL bNotify)
{
    if (m_hWnd == NULL || m_pPane == NULL)
        return;
    // The container keeps its full size, aligned to the far edge, so that it
    // moves in with the window.
    CRect rcClient;
    GetClientRect(&rcClient);
    CRect rc(rcClient);
    switch (m_direction)
    {
    case xtpPaneDockLeft:
        rc.left = rcClient.Width() - m_rcWindow.Width();
        rc.right = rc.left + m_rcWindow.Width() - kEdge;
        break;
    case xtpPaneDockRight:
        rc.left = kEdge;
        rc.right = m_rcWindow.Width();
        break;
    case xtpPaneDockTop:
        rc.top = rcClient.Height() - m_rcWindow.Height();
        rc.bottom = rc.top + m_rcWindow.Height() - kEdge;
        break;
    default:
        rc.top = kEdge;
        rc.bottom = m_rcWindow.Height();
        break;
    }
    AFX_SIZEPARENTPARAMS layout = {};
    layout.hDWP = ::BeginDeferWindowPos(8);
    layout.rect = rc;
    m_pPane->OnSizeParent(this, rc, &layout);
    if (layout.hDWP != NULL)
        ::EndDeferWindowPos(layout.hDWP);
}

void CXTPDockingPaneAutoHideWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    DrawWindow(&dc, rc);
}

void CXTPDockingPaneAutoHideWnd::DrawWindow(CDC* pDC, CRect rc)
{
    CXTPDockingPaneManager* pManager = GetManager();
    CXTPDockingPanePaintManager* pPaintManager = pManager != NULL ? pManager->GetPaintManager() : NULL;
    if (pPaintManager == NULL)
        return;
    // The face, and the splitter edge on the inner side.
    pDC->FillSolidRect(rc, pPaintManager->GetColor(XPCOLOR_3DFACE));
    switch (m_direction)
    {
    case xtpPaneDockLeft:
        pDC->FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), pPaintManager->GetColor(COLOR_BTNTEXT));
        pDC->FillSolidRect(rc.right - 2, rc.top, 1, rc.Height(), pPaintManager->GetColor(COLOR_BTNSHADOW));
        break;
    case xtpPaneDockRight:
        pDC->FillSolidRect(rc.left + 1, rc.top, 1, rc.Height(), pPaintManager->GetColor(COLOR_BTNHIGHLIGHT));
        break;
    case xtpPaneDockTop:
        pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, pPaintManager->GetColor(COLOR_BTNTEXT));
        pDC->FillSolidRect(rc.left, rc.bottom - 2, rc.Width(), 1, pPaintManager->GetColor(COLOR_BTNSHADOW));
        break;
    default:
        pDC->FillSolidRect(rc.left, rc.top + 1, rc.Width(), 1, pPaintManager->GetColor(COLOR_BTNHIGHLIGHT));
        break;
    }
}

void CXTPDockingPaneAutoHideWnd::ReleaseContainer()
{
    CXTPDockingPaneTabbedContainer* pPane = m_pPane;
    m_pPane = NULL;
    if (pPane == NULL)
        return;
    HWND hWndContainer = pPane->GetSafeHwnd();
    if (hWndContainer != NULL && ::GetParent(hWndContainer) == m_hWnd)
    {
        pPane->ShowWindow(SW_HIDE);
        CXTPDockingPaneManager* pManager = GetManager();
        pPane->SetDockingSite(pManager != NULL ? pManager->GetSite() : NULL);
    }
}

void CXTPDockingPaneAutoHideWnd::CloseWindow()
{
    if (m_hWnd != NULL)
        ShowWindow(SW_HIDE);
    ReleaseContainer();
    // The panel may go before the window has closed.
    if (m_pPanel != NULL)
        m_pPanel->OnActiveWndDestroyed(this);
    m_pPanel = NULL;
    if (m_hWnd != NULL)
        PostMessage(WM_CLOSE);
}

void CXTPDockingPaneAutoHideWnd::OnClose()
{
    DestroyWindow();
}

void CXTPDockingPaneAutoHideWnd::CheckLeave()
{
    CXTPDockingPaneManager* pManager = GetManager();
    CPoint pt;
    ::GetCursorPos(&pt);
    CRect rcWindow, rcPanel;
    GetWindowRect(&rcWindow);
    if (m_pPanel->GetSafeHwnd() != NULL)
        m_pPanel->GetWindowRect(&rcPanel);
    else
        rcPanel.SetRectEmpty();
    HWND hWndFocus = ::GetFocus();
    HWND hWndContainer = m_pPane->GetSafeHwnd();
    BOOL bActive = hWndFocus != NULL && hWndContainer != NULL &&
                   (hWndFocus == hWndContainer || ::IsChild(hWndContainer, hWndFocus));

    if (bActive || rcWindow.PtInRect(pt) || rcPanel.PtInRect(pt))
    {
        m_nDeactivationCount = kLeaveChecks;
        if (m_bSlideOut)
        {
            // The mouse came back: slide out again.
            KillTimer(timerSlideIn);
            m_bSlideOut = FALSE;
            SetTimer(timerSlideOut, m_nAnimationInterval, NULL);
        }
        return;
    }
    if (m_bSlideOut)
        return;
    if (m_nDeactivationCount > 0)
        m_nDeactivationCount--;
    if (m_nDeactivationCount > 0)
        return;
    if (m_bCloseOnLeave && pManager != NULL && !pManager->NotifyAction(xtpPaneActionCollapsing, GetSelectedPane()))
    {
        m_bSlideOut = TRUE;
        KillTimer(timerSlideOut);
        SetTimer(timerSlideIn, m_nAnimationInterval, NULL);
    }
    else
    {
        m_nDeactivationCount = kLeaveChecks;
    }
}

void CXTPDockingPaneAutoHideWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == timerClose)
    {
        KillTimer(timerClose);
        CloseWindow();
        return;
    }
    if (nIDEvent != timerLeaveCheck && nIDEvent != timerSlideOut && nIDEvent != timerSlideIn)
    {
        CMiniFrameWnd::OnTimer(nIDEvent);
        return;
    }
    if (m_pPane == NULL || m_pPanel == NULL || m_pPanel->GetActiveWnd() != this)
        return;
    CXTPDockingPaneManager* pManager = GetManager();

    // The owner may close the window while it is told; the object stays
    // until the handler is done.
    InternalAddRef();
    switch (nIDEvent)
    {
    case timerLeaveCheck:
        if (!m_bTracking)
            CheckLeave();
        break;
    case timerSlideOut:
        if (m_bSlideOut)
            break;
        m_nSlideStep++;
        if (m_nSlideStep >= m_nStepsCount)
        {
            m_nSlideStep = m_nStepsCount - 1;
            KillTimer(timerSlideOut);
            if (pManager != NULL)
                pManager->NotifyAction(xtpPaneActionExpanded, GetSelectedPane());
        }
        else
        {
            DoSlideStep();
        }
        break;
    case timerSlideIn:
        m_nSlideStep--;
        if (m_nSlideStep < 0)
        {
            m_bSlideOut = FALSE;
            KillTimer(timerSlideIn);
            CXTPDockingPane* pSelected = GetSelectedPane();
            if (pManager != NULL)
                pManager->NotifyAction(xtpPaneActionCollapsed, pSelected);
            CloseWindow();
        }
        else
        {
            DoSlideStep();
        }
        break;
    }
    InternalRelease();
}

void CXTPDockingPaneAutoHideWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bSlideOut && m_pPane != NULL && m_pPanel != NULL && m_pPanel->GetActiveWnd() == this && !m_bTracking)
        CheckLeave();
    CMiniFrameWnd::OnMouseMove(nFlags, point);
}

//////////////////////////////////////////////////////////////////////////
// Sizing by the splitter edge

BOOL CXTPDockingPaneAutoHideWnd::GetResizeLimits(int& nMinExtent, int& nMaxExtent) const
{
    CXTPDockingPaneManager* pManager = GetManager();
    CXTPDockingPaneBase* pTop = pManager != NULL ? pManager->GetTopPane() : NULL;
    if (pTop == NULL)
        return FALSE;
    CRect rcTop;
    pTop->GetScreenRect(&rcTop);
    const int m = pManager->m_nSplitterGap;
    MINMAXINFO mmi;
    CXTPDockingPane* pSelected = GetSelectedPane();
    if (pSelected != NULL)
        pSelected->GetMinMaxInfo(&mmi);
    else
        m_pPane->GetMinMaxInfo(&mmi);
    const int nAvailable = m_bHoriz ? rcTop.Height() : rcTop.Width();
    nMinExtent = std::max((int)(m_bHoriz ? mmi.ptMinTrackSize.y : mmi.ptMinTrackSize.x), m + kEdge);
    nMaxExtent = std::min((int)(m_bHoriz ? mmi.ptMaxTrackSize.y : mmi.ptMaxTrackSize.x) + kEdge,
                          nAvailable - (m + kEdge));
    return nMaxExtent >= nMinExtent;
}

void CXTPDockingPaneAutoHideWnd::ApplyExtent(int nExtent)
{
    CXTPDockingPaneManager* pManager = GetManager();
    switch (m_direction)
    {
    case xtpPaneDockLeft: m_rcWindow.right = m_rcWindow.left + nExtent; break;
    case xtpPaneDockRight: m_rcWindow.left = m_rcWindow.right - nExtent; break;
    case xtpPaneDockTop: m_rcWindow.bottom = m_rcWindow.top + nExtent; break;
    default: m_rcWindow.top = m_rcWindow.bottom - nExtent; break;
    }
    CXTPDockingPane* pSelected = GetSelectedPane();
    CXTPDockingPaneBase* pSized = pSelected != NULL ? static_cast<CXTPDockingPaneBase*>(pSelected) : m_pPane;
    if (m_bHoriz)
        pSized->SetDockingSize(pSized->m_szDocking.cx, nExtent - kEdge);
    else
        pSized->SetDockingSize(nExtent - kEdge, pSized->m_szDocking.cy);
    m_nSlideStep = m_nStepsCount - 1;
    SetWindowPos(NULL, m_rcWindow.left, m_rcWindow.top, m_rcWindow.Width(), m_rcWindow.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    RecalcLayout();
    Invalidate(FALSE);
    if (pManager != NULL)
        pManager->UpdatePanes();
}

void CXTPDockingPaneAutoHideWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    CXTPDockingPaneManager* pManager = GetManager();
    int nMinExtent, nMaxExtent;
    if (pManager == NULL || m_pPane == NULL || pManager->IsSplittersLocked() || !GetResizeLimits(nMinExtent, nMaxExtent))
        return;
    CPoint ptScreen(point);
    ClientToScreen(&ptScreen);
    if (!pManager->IsSplitterTrackerUsed())
    {
        TrackLive(ptScreen, nMinExtent, nMaxExtent);
        return;
    }

    // The bar is the edge strip; its near edge moves within the extents.
    CRect rcFull(m_rcWindow);
    pManager->GetSite()->ClientToScreen(&rcFull);
    CRect rcBar(rcFull), rcAvail(rcFull);
    switch (m_direction)
    {
    case xtpPaneDockLeft:
        rcBar.left = rcFull.right - kEdge;
        rcAvail.left = rcFull.left + nMinExtent - kEdge;
        rcAvail.right = rcFull.left + nMaxExtent - kEdge;
        break;
    case xtpPaneDockRight:
        rcBar.right = rcFull.left + kEdge;
        rcAvail.left = rcFull.right - nMaxExtent;
        rcAvail.right = rcFull.right - nMinExtent;
        break;
    case xtpPaneDockTop:
        rcBar.top = rcFull.bottom - kEdge;
        rcAvail.top = rcFull.top + nMinExtent - kEdge;
        rcAvail.bottom = rcFull.top + nMaxExtent - kEdge;
        break;
    default:
        rcBar.bottom = rcFull.top + kEdge;
        rcAvail.top = rcFull.bottom - nMaxExtent;
        rcAvail.bottom = rcFull.bottom - nMinExtent;
        break;
    }
    m_bTracking = TRUE;
    CXTPSplitterTracker tracker;
    BOOL bMoved = tracker.Track(this, rcAvail, rcBar, ptScreen, !m_bHoriz);
    m_bTracking = FALSE;
    if (!bMoved || m_hWnd == NULL)
        return;
    switch (m_direction)
    {
    case xtpPaneDockLeft: ApplyExtent(rcBar.right - rcFull.left); break;
    case xtpPaneDockRight: ApplyExtent(rcFull.right - rcBar.left); break;
    case xtpPaneDockTop: ApplyExtent(rcBar.bottom - rcFull.top); break;
    default: ApplyExtent(rcFull.bottom - rcBar.top); break;
    }
}

void CXTPDockingPaneAutoHideWnd::TrackLive(CPoint ptScreen, int nMinExtent, int nMaxExtent)
{
    CXTPDockingPaneManager* pManager = GetManager();
    const HWND hWnd = m_hWnd;
    // The extent a screen point gives; the edge keeps its place under the
    // pointer where it was grabbed.
    auto ExtentAt = [this, pManager](CPoint pt) {
        CRect rcFull(m_rcWindow);
        pManager->GetSite()->ClientToScreen(&rcFull);
        switch (m_direction)
        {
        case xtpPaneDockLeft: return (int)(pt.x - rcFull.left);
        case xtpPaneDockRight: return (int)(rcFull.right - pt.x);
        case xtpPaneDockTop: return (int)(pt.y - rcFull.top);
        default: return (int)(rcFull.bottom - pt.y);
        }
    };
    const int nGrab = (m_bHoriz ? m_rcWindow.Height() : m_rcWindow.Width()) - ExtentAt(ptScreen);
    m_bTracking = TRUE;
    ::SetCapture(hWnd);
    while (::GetCapture() == hWnd)
    {
        MSG msg;
        if (!XTPDockingPaneGetLoopMessage(&msg))
            break;
        if (msg.message == WM_LBUTTONUP || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE))
            break;
        if (msg.message != WM_MOUSEMOVE)
        {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
            continue;
        }
        CPoint pt((int)(short)LOWORD(msg.lParam), (int)(short)HIWORD(msg.lParam));
        ::ClientToScreen(msg.hwnd, &pt);
        ApplyExtent(std::max(nMinExtent, std::min(ExtentAt(pt) + nGrab, nMaxExtent)));
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    if (::IsWindow(hWnd))
        m_bTracking = FALSE;
}
