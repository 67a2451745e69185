// The docking-pane manager: creating and placing panes, docking, floating,
// showing, closing and hiding them, themes, layouts, the frame's layout
// pass, focus tracking and the owner notifications.
#include "XTPDockingPaneManager.h"

#include "XTPDockingPaneAutoHidePanel.h"
#include "XTPDockingPaneContext.h"
#include "XTPDockingPaneKeyboardHook.h"
#include "XTPDockingPaneMiniWnd.h"
#include "XTPDockingPanePaintThemes.h"
#include "XTPDockingPaneSplitterContainer.h"
#include "XTPDockingPaneTabbedContainer.h"

#include <XTPControl.h>
#include <XTPDrawHelpers.h>
#include <XTPImageManager.h>
#include <XTPToolTipContext.h>
#include <afxpriv.h>
#include <ole2.h>

IMPLEMENT_DYNAMIC(CXTPDockingPaneManager, CWnd)

BEGIN_MESSAGE_MAP(CXTPDockingPaneManager, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdate)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
END_MESSAGE_MAP()

namespace
{
BOOL IsHorizontalDirection(XTPDockingPaneDirection direction)
{
    return direction == xtpPaneDockLeft || direction == xtpPaneDockRight;
}

BOOL IsAfterDirection(XTPDockingPaneDirection direction)
{
    return direction == xtpPaneDockRight || direction == xtpPaneDockBottom;
}

// Gives an object about to be docked, and everything inside it, a docking
// size along both axes where it has none: a pane the default size, a
// container the largest size of what it holds. Floating groups loaded from
// a layout that stored no sizes would otherwise dock 0 pixels wide. The
// client's branch keeps its 0 x 0, which means "all the spare room".
void FillMissingDockingSize(CXTPDockingPaneBase* pBase, int nDepth = 0)
{
    if (pBase == NULL || nDepth > 64 || pBase->GetType() == xtpPaneTypeClientContainer)
        return;
    CSize sz = pBase->m_szDocking;
    if (pBase->GetType() == xtpPaneTypeDockingPane)
    {
        if (sz.cx <= 0 || sz.cy <= 0)
            pBase->SetDockingSize(sz.cx > 0 ? sz.cx : XTP_DOCKINGPANE_DEFAULTCX,
                                  sz.cy > 0 ? sz.cy : XTP_DOCKINGPANE_DEFAULTCY);
        return;
    }
    if (pBase->GetType() != xtpPaneTypeTabbedContainer && pBase->GetType() != xtpPaneTypeSplitterContainer)
        return;
    CSize szLargest(0, 0);
    BOOL bHoldsClient = FALSE;
    const CXTPDockingPaneBaseList& lst = static_cast<CXTPDockingPaneBaseContainer*>(pBase)->GetPanes();
    POSITION pos = lst.GetHeadPosition();
    while (pos != NULL)
    {
        CXTPDockingPaneBase* pChild = lst.GetNext(pos);
        CXTPDockingPaneBaseList lstClient;
        pChild->FindPanes(xtpPaneTypeClientContainer, &lstClient);
        if (pChild->GetType() == xtpPaneTypeClientContainer || !lstClient.IsEmpty())
        {
            bHoldsClient = TRUE;
            continue;
        }
        FillMissingDockingSize(pChild, nDepth + 1);
        szLargest.cx = std::max(szLargest.cx, pChild->m_szDocking.cx);
        szLargest.cy = std::max(szLargest.cy, pChild->m_szDocking.cy);
    }
    if (!bHoldsClient && (sz.cx <= 0 || sz.cy <= 0))
    {
        if (szLargest.cx <= 0)
            szLargest.cx = XTP_DOCKINGPANE_DEFAULTCX;
        if (szLargest.cy <= 0)
            szLargest.cy = XTP_DOCKINGPANE_DEFAULTCY;
        pBase->SetDockingSize(sz.cx > 0 ? sz.cx : szLargest.cx, sz.cy > 0 ? sz.cy : szLargest.cy);
    }
}
} // namespace

CXTPDockingPaneManager::CXTPDockingPaneManager()
    : m_nSplitterGap(22), m_bCloseGroupOnButtonClick(FALSE), m_bHideGroupOnButtonClick(TRUE),
      m_bShowSizeCursorWhileDragging(FALSE), m_szClientMinSize(60, 60), m_nStickyGap(15), m_pSite(NULL),
      m_pLayout(NULL), m_pPaintManager(NULL), m_pActivePane(NULL), m_nClientMargin(0), m_bStickyFloatingFrames(FALSE),
      m_pImageManager(NULL), m_bHideClient(FALSE), m_bSplitterTracker(TRUE), m_bShowMaximizeButton(FALSE),
      m_bLockSplitters(FALSE), m_bAlphaDockingContext(FALSE), m_bShowDockingContextStickers(FALSE),
      m_bShowContentsWhileDragging(FALSE), m_bThemedFloatingFrames(FALSE), m_bSyncActiveFloatingFrames(TRUE),
      m_nFloatingFramesOpacity(255), m_nKeyboardShortcuts(0), m_dwDefaultPaneOptions(0),
      m_captionDirection(xtpPaneCaptionHorizontal), m_nDockingContextStickerStyle(0), m_pDockingContext(NULL),
      m_pToolTipContext(NULL), m_pfnSetLayeredWindowAttributes(NULL), m_hwndLastFocus(NULL),
      m_bAttachingPane(FALSE), m_bLayoutCreated(FALSE), m_bInitialUpdateCalled(FALSE), m_bOleInitialized(FALSE),
      m_bPreviewMode(FALSE)
{
    EnableAutomation();
    m_pPaintManager = new CXTPDockingPaneDefaultTheme();
    m_pPaintManager->SetTheme(xtpPaneThemeDefault);
    m_pPaintManager->RefreshMetrics();
    m_pImageManager = new CXTPImageManager();
    m_pDockingContext = new CXTPDockingPaneContext(this);
    m_pToolTipContext = new CXTPToolTipContext();

    HMODULE hUser32 = ::GetModuleHandle(_T("USER32"));
    if (hUser32 != NULL)
        m_pfnSetLayeredWindowAttributes =
            (PFNSETLAYEREDWINDOWATTRIBUTES)::GetProcAddress(hUser32, "SetLayeredWindowAttributes");

    CXTPDrawHelpers::RegisterWndClass(NULL, _T("XTPDockingPaneSplitter"), 0);
    CXTPDrawHelpers::RegisterWndClass(NULL, _T("XTPDockingPaneTabbedContainer"), CS_DBLCLKS);
    CXTPDrawHelpers::RegisterWndClass(NULL, _T("XTPDockingPaneManager"), 0);
    CXTPDrawHelpers::RegisterWndClass(NULL, _T("XTPDockingPaneAutoHidePanel"), 0);
    CXTPDrawHelpers::RegisterWndClass(NULL, _T("XTPDockingPaneMiniWnd"), CS_DBLCLKS);

    m_bOleInitialized = SUCCEEDED(::OleInitialize(NULL));
}

CXTPDockingPaneManager::~CXTPDockingPaneManager()
{
    // A manager whose window was never destroyed leaves the keyboard hook here.
    if (m_nKeyboardShortcuts != 0)
        CXTPDockingPaneKeyboardHook::GetThreadHook()->SetupKeyboardHook(this, FALSE);
    if (m_pLayout != NULL)
    {
        m_pLayout->InternalRelease();
        m_pLayout = NULL;
    }
    if (m_pActivePane != NULL)
    {
        m_pActivePane->InternalRelease();
        m_pActivePane = NULL;
    }
    m_pPaintManager->InternalRelease();
    m_pToolTipContext->InternalRelease();
    delete m_pDockingContext;
    m_pImageManager->InternalRelease();
    if (m_bOleInitialized)
        ::OleUninitialize();
}

BOOL CXTPDockingPaneManager::AttachToSite(CWnd* pSite, BOOL bClipChildren)
{
    if (pSite == NULL || !::IsWindow(pSite->GetSafeHwnd()) || m_pSite != NULL)
        return FALSE;
    if (bClipChildren &&
        (pSite->GetStyle() & (WS_CLIPCHILDREN | WS_CLIPSIBLINGS)) != (WS_CLIPCHILDREN | WS_CLIPSIBLINGS))
        pSite->ModifyStyle(0, WS_CLIPCHILDREN | WS_CLIPSIBLINGS);

    m_pSite = pSite;
    if (!CreateEx(0, _T("XTPDockingPaneManager"), _T(""), WS_CHILD, CRect(0, 0, 0, 0), pSite, 0))
    {
        m_pSite = NULL;
        return FALSE;
    }
    m_pLayout = CreateLayout();
    m_pLayout->SetUserLayout(FALSE);

    m_strMove.Empty();
    CMenu* pSysMenu = pSite->GetSystemMenu(FALSE);
    if (pSysMenu != NULL)
        pSysMenu->GetMenuString(SC_MOVE, m_strMove, MF_BYCOMMAND);
    if (m_strMove.IsEmpty())
        m_strMove = _T("&Move");
    return TRUE;
}

CXTPDockingPaneLayout* CXTPDockingPaneManager::CreateLayout()
{
    return new CXTPDockingPaneLayout(this);
}

CXTPDockingPaneBase* CXTPDockingPaneManager::OnCreatePane(XTPDockingPaneType type, CXTPDockingPaneLayout* pLayout)
{
    switch (type)
    {
    case xtpPaneTypeDockingPane: return new CXTPDockingPane(pLayout);
    case xtpPaneTypeTabbedContainer: return new CXTPDockingPaneTabbedContainer(pLayout);
    case xtpPaneTypeSplitterContainer: return new CXTPDockingPaneSplitterContainer(pLayout);
    case xtpPaneTypeMiniWnd: return new CXTPDockingPaneMiniWnd(pLayout);
    case xtpPaneTypeClientContainer: return new CXTPDockingPaneClientContainer(pLayout);
    case xtpPaneTypeAutoHidePanel: return new CXTPDockingPaneAutoHidePanel(pLayout);
    }
    return NULL;
}

CXTPDockingPaneInfoList& CXTPDockingPaneManager::GetPaneList() const
{
    return m_pLayout->GetPaneList();
}

CXTPDockingPaneBase* CXTPDockingPaneManager::GetClientPane() const
{
    return m_pLayout != NULL ? m_pLayout->GetClientPane() : NULL;
}

CXTPDockingPaneSplitterContainer* CXTPDockingPaneManager::GetTopPane() const
{
    return m_pLayout != NULL ? m_pLayout->GetTopPane() : NULL;
}

//////////////////////////////////////////////////////////////////////////
// Placing panes

CXTPDockingPaneTabbedContainer* CXTPDockingPaneManager::WrapInContainer(CXTPDockingPane* pPane, CWnd* pSite)
{
    CXTPDockingPaneBase* pBase = OnCreatePane(xtpPaneTypeTabbedContainer, m_pLayout);
    if (pBase == NULL)
        return NULL;
    CXTPDockingPaneTabbedContainer* pContainer = static_cast<CXTPDockingPaneTabbedContainer*>(pBase);
    pContainer->Init(pPane, pSite);
    return pContainer;
}

void CXTPDockingPaneManager::InsertPane(CXTPDockingPaneBase* pPane, XTPDockingPaneDirection direction,
                                        CXTPDockingPaneBase* pNeighbour)
{
    CXTPDockingPaneSplitterContainer* pTop = m_pLayout->GetTopPane();
    if (pTop == NULL)
        return;
    const BOOL bHoriz = IsHorizontalDirection(direction);
    const BOOL bAfter = IsAfterDirection(direction);

    if (pNeighbour != NULL && pNeighbour->GetType() == xtpPaneTypeDockingPane)
    {
        CXTPDockingPane* pNeighbourPane = static_cast<CXTPDockingPane*>(pNeighbour);
        if (pNeighbourPane->IsClosed() || pNeighbourPane->IsAutoHidden())
            pNeighbour = NULL;
    }
    if (pNeighbour == NULL)
        pNeighbour = pTop;

    FillMissingDockingSize(pPane);
    if (pPane->GetType() == xtpPaneTypeDockingPane)
    {
        CXTPDockingPaneTabbedContainer* pContainer =
            WrapInContainer(static_cast<CXTPDockingPane*>(pPane), pNeighbour->GetDockingSite());
        if (pContainer == NULL)
            return;
        pPane = pContainer;
    }

    if (pNeighbour == pTop)
    {
        if (pTop->IsHoriz() == bHoriz)
        {
            pTop->AddPane(pPane, NULL, bAfter);
        }
        else
        {
            CXTPDockingPaneBase* pBase = OnCreatePane(xtpPaneTypeSplitterContainer, m_pLayout);
            if (pBase == NULL)
                return;
            CXTPDockingPaneSplitterContainer* pSplitter = static_cast<CXTPDockingPaneSplitterContainer*>(pBase);
            pSplitter->Init(pTop, bHoriz, m_pSite);
            pSplitter->AddPane(pPane, NULL, bAfter);
            m_pLayout->m_pTopContainer = pSplitter;
        }
    }
    else
    {
        if (pNeighbour->GetType() == xtpPaneTypeDockingPane && pNeighbour->GetContainer() != NULL)
            pNeighbour = pNeighbour->GetContainer();
        CXTPDockingPaneBase* pParent = pNeighbour->GetContainer();
        if (pParent == NULL || pParent->GetType() != xtpPaneTypeSplitterContainer)
            return;
        CXTPDockingPaneSplitterContainer* pParentSplitter = static_cast<CXTPDockingPaneSplitterContainer*>(pParent);
        if (pParentSplitter->IsHoriz() == bHoriz)
        {
            pParentSplitter->AddPane(pPane, pNeighbour, bAfter);
        }
        else
        {
            CXTPDockingPaneBase* pBase = OnCreatePane(xtpPaneTypeSplitterContainer, m_pLayout);
            if (pBase == NULL)
                return;
            CXTPDockingPaneSplitterContainer* pSplitter = static_cast<CXTPDockingPaneSplitterContainer*>(pBase);
            pSplitter->Init(pNeighbour, bHoriz, pParentSplitter->GetDockingSite());
            pParentSplitter->ReplacePane(pNeighbour, pSplitter);
            pSplitter->AddPane(pPane, pNeighbour, bAfter);
        }
    }
    RecalcFrameLayout(pNeighbour, TRUE);
}

CXTPDockingPane* CXTPDockingPaneManager::CreatePane(UINT nID, CRect rc, XTPDockingPaneDirection direction,
                                                    CXTPDockingPaneBase* pNeighbour)
{
    if (m_pLayout == NULL)
        return NULL;
    CXTPDockingPaneBase* pBase = OnCreatePane(xtpPaneTypeDockingPane, m_pLayout);
    if (pBase == NULL)
        return NULL;
    CXTPDockingPane* pPane = static_cast<CXTPDockingPane*>(pBase);
    pPane->SetID((int)nID);
    pPane->SetWindowRect(rc.left, rc.top, rc.right, rc.bottom);
    XTP_DOCKINGPANE_INFO info(pPane);
    m_pLayout->GetPaneList().AddTail(info);
    InsertPane(pPane, direction, pNeighbour);
    UpdatePanes();
    return pPane;
}

void CXTPDockingPaneManager::DockPane(CXTPDockingPaneBase* pPane, XTPDockingPaneDirection direction,
                                      CXTPDockingPaneBase* pNeighbour)
{
    if (pPane == NULL || m_pLayout == NULL)
        return;
    if (pPane->GetType() == xtpPaneTypeSplitterContainer)
    {
        const CXTPDockingPaneBaseList& lst = static_cast<CXTPDockingPaneSplitterContainer*>(pPane)->GetPanes();
        if (lst.GetCount() == 1 && lst.GetHead()->GetType() == xtpPaneTypeTabbedContainer)
            pPane = lst.GetHead();
    }
    if (pPane->GetType() == xtpPaneTypeDockingPane)
    {
        if (pPane->GetContainer() != NULL)
            pPane->GetContainer()->RemovePane(pPane);
    }
    else
    {
        pPane = pPane->Clone(m_pLayout, NULL);
        if (pPane == NULL)
            return;
    }
    InsertPane(pPane, direction, pNeighbour);
    m_pLayout->RemoveEmptyContainers();
    m_hwndLastFocus = NULL;
}

CXTPDockingPaneMiniWnd* CXTPDockingPaneManager::FloatPane(CXTPDockingPaneBase* pPane, CRect rc)
{
    if (pPane == NULL || m_pLayout == NULL)
        return NULL;
    if (pPane->GetType() == xtpPaneTypeDockingPane)
    {
        if (pPane->GetContainer() != NULL)
            pPane->GetContainer()->RemovePane(pPane);
    }
    else
    {
        pPane = pPane->Clone(m_pLayout, NULL);
        if (pPane == NULL)
            return NULL;
    }
    CXTPDockingPaneBase* pBase = OnCreatePane(xtpPaneTypeMiniWnd, m_pLayout);
    if (pBase == NULL)
        return NULL;
    CXTPDockingPaneMiniWnd* pMiniWnd = static_cast<CXTPDockingPaneMiniWnd*>(pBase);
    pMiniWnd->Init(pPane, rc);
    UpdatePanes();
    m_pLayout->RemoveEmptyContainers();
    m_hwndLastFocus = NULL;
    return pMiniWnd;
}

void CXTPDockingPaneManager::AttachPane(CXTPDockingPaneBase* pPane, CXTPDockingPaneBase* pAttachTo)
{
    if (pPane == NULL || pAttachTo == NULL)
        return;
    if (pAttachTo->GetType() == xtpPaneTypeDockingPane)
        pAttachTo = pAttachTo->GetContainer();
    if (pAttachTo == NULL || pAttachTo->GetType() != xtpPaneTypeTabbedContainer)
        return;
    CXTPDockingPaneTabbedContainer* pTarget = static_cast<CXTPDockingPaneTabbedContainer*>(pAttachTo);

    CXTPDockingPaneBaseList lst;
    if (pPane->GetType() == xtpPaneTypeDockingPane)
        lst.AddTail(pPane);
    else
        pPane->FindPanes(xtpPaneTypeDockingPane, &lst);
    POSITION pos = lst.GetHeadPosition();
    while (pos != NULL)
    {
        CXTPDockingPane* pMove = static_cast<CXTPDockingPane*>(lst.GetNext(pos));
        if (pMove->GetContainer() == pTarget)
            continue;
        if (pMove->GetContainer() != NULL)
            pMove->GetContainer()->RemovePane(pMove);
        pTarget->AddPane(pMove);
    }
    UpdatePanes();
}

void CXTPDockingPaneManager::ShowPane(CXTPDockingPane* pPane, BOOL bSetFocus)
{
    if (pPane == NULL || m_pLayout == NULL)
        return;

    if (pPane->GetContainer() == NULL)
    {
        // A closed pane goes back where it was last; one that never was
        // anywhere docks at the frame's left.
        XTP_DOCKINGPANE_INFO* pInfo = m_pLayout->FindPaneInfo(pPane);
        CXTPDockingPaneBase* pHolder = pInfo != NULL ? pInfo->pLastHolder : NULL;
        if (pHolder != NULL && pHolder->GetType() == xtpPaneTypeTabbedContainer)
            static_cast<CXTPDockingPaneTabbedContainer*>(pHolder)->AddPane(pPane, bSetFocus);
        else
            InsertPane(pPane, xtpPaneDockLeft, NULL);
        UpdatePanes();
    }

    CXTPDockingPaneBase* pContainer = pPane->GetContainer();
    if (pContainer != NULL && pContainer->GetType() == xtpPaneTypeTabbedContainer)
    {
        static_cast<CXTPDockingPaneTabbedContainer*>(pContainer)->SelectPane(pPane, bSetFocus);
        CXTPDockingPaneBase* pHolder = pContainer->GetContainer();
        if (pHolder != NULL && pHolder->GetType() == xtpPaneTypeAutoHidePanel)
            static_cast<CXTPDockingPaneAutoHidePanel*>(pHolder)->ShowPane(pPane, bSetFocus);
        CWnd* pSite = pContainer->GetDockingSite();
        if (pSite != NULL && pSite->IsKindOf(RUNTIME_CLASS(CXTPDockingPaneMiniWnd)) && !pSite->IsWindowVisible())
            pSite->ShowWindow(SW_SHOWNOACTIVATE);
    }
    if (m_bLayoutCreated)
        pPane->ShowWindow(TRUE);
    if (bSetFocus)
        pPane->SetFocus();
}

void CXTPDockingPaneManager::ClosePane(CXTPDockingPane* pPane)
{
    if (pPane == NULL)
        return;
    pPane->InternalAddRef();
    if (NotifyOwner(XTP_DPN_CLOSEPANE, (LPARAM)pPane) != -1 && pPane->GetContainer() != NULL)
        pPane->GetContainer()->RemovePane(pPane);
    pPane->InternalRelease();
}

void CXTPDockingPaneManager::HidePane(CXTPDockingPaneBase* pPane)
{
    if (pPane == NULL || m_pLayout == NULL)
        return;
    if (m_bHideGroupOnButtonClick && pPane->GetType() == xtpPaneTypeDockingPane && pPane->GetContainer() != NULL)
        pPane = pPane->GetContainer();

    CXTPDockingPaneBase* pGroup = pPane->GetType() == xtpPaneTypeDockingPane ? pPane->GetContainer() : pPane;
    CXTPDockingPaneBase* pPanel = pGroup != NULL ? pGroup->GetContainer() : NULL;
    if (pPanel != NULL && pPanel->GetType() == xtpPaneTypeAutoHidePanel)
    {
        static_cast<CXTPDockingPaneAutoHidePanel*>(pPanel)->ClosePane();
        return;
    }
    m_pLayout->HideToAutoHide(pPane);
    RecalcFrameLayout(NULL, TRUE);
}

BOOL CXTPDockingPaneManager::ToggleDockingPane(CXTPDockingPane* pPane, CXTPDockingPaneBase* pHolder, BOOL bFloat)
{
    const BOOL bFloating = pPane->IsFloating();
    const BOOL bAutoHidden = pPane->IsAutoHidden();
    const DWORD dwOptions = pPane->GetOptions();
    XTPDockingPaneAction action;
    if (bFloating)
    {
        if (dwOptions & xtpPaneNoDockable)
            return FALSE;
        action = xtpPaneActionDocking;
    }
    else if (bAutoHidden)
    {
        action = xtpPaneActionPinning;
    }
    else
    {
        if (dwOptions & xtpPaneNoFloatable)
            return FALSE;
        action = xtpPaneActionFloating;
    }
    if (NotifyAction(action, pPane))
        return FALSE;

    if (pHolder != NULL && pHolder != pPane->GetContainer())
    {
        m_bAttachingPane = TRUE;
        AttachPane(pPane, pHolder);
        m_bAttachingPane = FALSE;
    }
    else
    {
        CRect rc(0, 0, 0, 0);
        if (pPane->GetContainer() != NULL)
            pPane->GetContainer()->GetScreenRect(&rc);
        else
            pPane->GetScreenRect(&rc);
        FloatPane(pPane, rc);
    }
    NotifyAction((XTPDockingPaneAction)(action + 1), pPane);
    return TRUE;
}

void CXTPDockingPaneManager::ToggleDocking(CXTPDockingPaneBase* pPane)
{
    if (pPane == NULL || m_pLayout == NULL)
        return;
    ToggleDockingOf(pPane);
    // A pane that had the keyboard focus takes it into its new floating
    // window, which then holds the activation: Alt would open that window's
    // own menu and Alt+F4 would not reach the frame. The frame stays active,
    // as it does when a pane is floated by dragging.
    HWND hWndActive = ::GetActiveWindow();
    CWnd* pActive = hWndActive != NULL ? CWnd::FromHandlePermanent(hWndActive) : NULL;
    CWnd* pTopLevel = m_pSite != NULL && m_pSite->GetSafeHwnd() != NULL ? m_pSite->GetTopLevelParent() : NULL;
    if (pTopLevel != NULL && pActive != NULL && pActive != pTopLevel &&
        pActive->IsKindOf(RUNTIME_CLASS(CXTPDockingPaneMiniWnd)) &&
        static_cast<CXTPDockingPaneMiniWnd*>(pActive)->GetDockingPaneManager() == this && pTopLevel->IsWindowEnabled())
    {
        pTopLevel->SetActiveWindow();
    }
}

void CXTPDockingPaneManager::ToggleDockingOf(CXTPDockingPaneBase* pPane)
{
    if (pPane->GetType() == xtpPaneTypeDockingPane)
    {
        CXTPDockingPane* pDockingPane = static_cast<CXTPDockingPane*>(pPane);
        BOOL bDocked = !pDockingPane->IsFloating() && !pDockingPane->IsAutoHidden();
        ToggleDockingPane(pDockingPane, GetPaneHolder(pDockingPane, bDocked), bDocked);
        return;
    }

    CArray<CXTPDockingPane*, CXTPDockingPane*> arrPanes;
    CXTPDockingPaneBaseList lst;
    pPane->FindPanes(xtpPaneTypeDockingPane, &lst);
    POSITION pos = lst.GetHeadPosition();
    while (pos != NULL)
        arrPanes.Add(static_cast<CXTPDockingPane*>(lst.GetNext(pos)));
    if (arrPanes.GetSize() == 0)
        return;

    CXTPDockingPane* pFocused = NULL;
    CXTPDockingPane* pSelected = NULL;
    for (int i = 0; i < arrPanes.GetSize(); i++)
    {
        if (arrPanes[i]->IsFocus())
            pFocused = arrPanes[i];
        if (arrPanes[i]->IsSelected() && pSelected == NULL)
            pSelected = arrPanes[i];
    }
    BOOL bDocked = !arrPanes[0]->IsFloating() && !arrPanes[0]->IsAutoHidden();

    for (int i = 0; i < arrPanes.GetSize(); i++)
        arrPanes[i]->InternalAddRef();
    CXTPDockingPaneBase* pPrevious = NULL;
    for (int i = 0; i < arrPanes.GetSize(); i++)
    {
        CXTPDockingPane* pToggle = arrPanes[i];
        CXTPDockingPaneBase* pHolder = GetPaneHolder(pToggle, bDocked);
        if (pHolder == NULL)
            pHolder = pPrevious;
        if (!ToggleDockingPane(pToggle, pHolder, bDocked))
        {
            if (pFocused == pToggle)
                pFocused = NULL;
            if (pSelected == pToggle)
                pSelected = NULL;
            continue;
        }
        pPrevious = pToggle->GetContainer();
    }
    CXTPDockingPane* pShow = pFocused != NULL ? pFocused : pSelected;
    if (pShow != NULL)
        ShowPane(pShow, TRUE);
    for (int i = 0; i < arrPanes.GetSize(); i++)
        arrPanes[i]->InternalRelease();
    m_pLayout->RemoveEmptyContainers();
    m_hwndLastFocus = NULL;
}

void CXTPDockingPaneManager::DestroyPane(CXTPDockingPane* pPane)
{
    if (pPane == NULL || m_pLayout == NULL)
        return;
    if (pPane == m_pActivePane)
        SetActivePane(FALSE, pPane);
    m_pLayout->DestroyPane(pPane);
    RecalcFrameLayout(NULL, FALSE);
}

CXTPDockingPane* CXTPDockingPaneManager::FindPane(int nID) const
{
    if (m_pLayout == NULL)
        return NULL;
    const CXTPDockingPaneInfoList& lst = m_pLayout->GetPaneList();
    POSITION pos = lst.GetHeadPosition();
    while (pos != NULL)
    {
        CXTPDockingPane* pPane = lst.GetNext(pos).pPane;
        if (pPane != NULL && pPane->GetID() == nID)
            return pPane;
    }
    return NULL;
}

CXTPDockingPaneBase* CXTPDockingPaneManager::GetPaneHolder(CXTPDockingPane* pPane, BOOL bFloating)
{
    XTP_DOCKINGPANE_INFO* pInfo = m_pLayout != NULL ? m_pLayout->FindPaneInfo(pPane) : NULL;
    if (pInfo == NULL)
        return NULL;
    return bFloating ? pInfo->pFloatingHolder : pInfo->pDockingHolder;
}

void CXTPDockingPaneManager::UpdatePanes()
{
    if (m_pLayout != NULL)
        m_pLayout->UpdateHolders();
}

//////////////////////////////////////////////////////////////////////////
// Themes and layouts

void CXTPDockingPaneManager::SetTheme(int nTheme)
{
    CXTPDockingPanePaintManager* pPaintManager;
    switch (nTheme)
    {
    case xtpPaneThemeOffice: pPaintManager = new CXTPDockingPaneOfficeTheme(); break;
    case xtpPaneThemeOffice2003: pPaintManager = new CXTPDockingPaneOffice2003Theme(); break;
    case xtpPaneThemeNativeWinXP: pPaintManager = new CXTPDockingPaneNativeXPTheme(); break;
    case xtpPaneThemeGrippered: pPaintManager = new CXTPDockingPaneGripperedTheme(); break;
    case xtpPaneThemeVisio: pPaintManager = new CXTPDockingPaneVisioTheme(); break;
    case xtpPaneThemeWhidbey: pPaintManager = new CXTPDockingPaneWhidbeyTheme(); break;
    case xtpPaneThemeShortcutBar2003: pPaintManager = new CXTPDockingPaneShortcutBar2003Theme(); break;
    case xtpPaneThemeExplorer: pPaintManager = new CXTPDockingPaneExplorerTheme(); break;
    case xtpPaneThemeVisualStudio2005: pPaintManager = new CXTPDockingPaneVisualStudio2005Theme(); break;
    case xtpPaneThemeOffice2007: pPaintManager = new CXTPDockingPaneOffice2007Theme(); break;
    default: pPaintManager = new CXTPDockingPaneDefaultTheme(); break;
    }
    if (m_pPaintManager != NULL)
        m_pPaintManager->InternalRelease();
    m_pPaintManager = pPaintManager;
    m_pPaintManager->SetTheme(nTheme);
    m_pPaintManager->RefreshMetrics();
    if (nTheme == xtpPaneThemeVisualStudio2005)
        m_nDockingContextStickerStyle = 1;
    RedrawPanes();
}

int CXTPDockingPaneManager::GetCurrentTheme() const
{
    return m_pPaintManager != NULL ? m_pPaintManager->GetTheme() : xtpPaneThemeDefault;
}

void CXTPDockingPaneManager::GetLayout(CXTPDockingPaneLayout* pLayout) const
{
    if (pLayout != NULL && m_pLayout != NULL && pLayout != m_pLayout)
        pLayout->Copy(m_pLayout);
}

void CXTPDockingPaneManager::SetLayout(const CXTPDockingPaneLayout* pLayout)
{
    if (pLayout == NULL || !pLayout->IsValid() || m_pLayout == NULL || pLayout == m_pLayout)
        return;

    if (m_pActivePane != NULL)
    {
        CXTPDockingPane* pActive = m_pActivePane;
        m_pActivePane = NULL;
        pActive->InternalRelease();
    }
    // The hosted windows go back to the site; the new panes ask for them.
    POSITION pos = m_pLayout->GetPaneList().GetHeadPosition();
    while (pos != NULL)
    {
        CXTPDockingPane* pPane = m_pLayout->GetPaneList().GetNext(pos).pPane;
        if (pPane != NULL)
            pPane->Detach();
    }
    m_pLayout->Copy(pLayout);
    m_hwndLastFocus = NULL;
    RedrawPanes();
}

//////////////////////////////////////////////////////////////////////////
// Layout of the site

void CXTPDockingPaneManager::RecalcFrameLayout(CXTPDockingPaneBase* pPane, BOOL bDelay)
{
    CWnd* pSite = pPane != NULL ? pPane->GetDockingSite() : m_pSite;
    if (pSite == NULL || !::IsWindow(pSite->GetSafeHwnd()))
        return;
    if (pSite->IsFrameWnd())
    {
        CFrameWnd* pFrame = static_cast<CFrameWnd*>(pSite);
        if (bDelay)
        {
            pFrame->m_nIdleFlags |= CFrameWnd::idleLayout;
            pFrame->PostMessage(WM_IDLEUPDATECMDUI);
        }
        else
        {
            pFrame->RecalcLayout();
        }
        return;
    }
    CRect rc;
    pSite->GetClientRect(&rc);
    LPARAM lParam = MAKELPARAM(rc.Width(), rc.Height());
    if (!bDelay)
    {
        pSite->SendMessage(WM_SIZE, SIZE_RESTORED, lParam);
        return;
    }
    MSG msg;
    if (!::PeekMessage(&msg, pSite->GetSafeHwnd(), WM_SIZE, WM_SIZE, PM_NOREMOVE))
        pSite->PostMessage(WM_SIZE, SIZE_RESTORED, lParam);
}

void CXTPDockingPaneManager::RedrawPanes()
{
    if (m_hWnd == NULL || m_pLayout == NULL)
        return;
    // The site itself too: when a layout without panes replaces one with
    // panes, the client area takes the room back.
    RecalcFrameLayout(NULL, TRUE);
    POSITION pos = m_pLayout->GetPaneList().GetHeadPosition();
    while (pos != NULL)
    {
        CXTPDockingPane* pPane = m_pLayout->GetPaneList().GetNext(pos).pPane;
        if (pPane == NULL)
            continue;
        RecalcFrameLayout(pPane, TRUE);
        CXTPDockingPaneMiniWnd* pMiniWnd = DYNAMIC_DOWNCAST(CXTPDockingPaneMiniWnd, pPane->GetDockingSite());
        if (pMiniWnd != NULL)
            pMiniWnd->OnThemedChanged();
    }
}

BOOL CXTPDockingPaneManager::IsSitePreviewing() const
{
    // The class library's frame has a close procedure exactly while a
    // print preview runs in it.
    if (m_pSite == NULL || m_pSite->GetSafeHwnd() == NULL || !m_pSite->IsFrameWnd())
        return FALSE;
    return static_cast<CFrameWnd*>(m_pSite)->m_lpfnCloseProc != NULL;
}

BOOL CXTPDockingPaneManager::IsPaneWindow(HWND hWnd) const
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == NULL)
        return FALSE;
    if (CXTPDockingPaneBase* pBase = dynamic_cast<CXTPDockingPaneBase*>(pWnd))
        return pBase->GetDockingPaneManager() == this;
    // Splitter bars and slide-outs are children of the site; the site has
    // one manager.
    return dynamic_cast<CXTPDockingPaneSplitterWnd*>(pWnd) != NULL ||
           pWnd->IsKindOf(RUNTIME_CLASS(CXTPDockingPaneAutoHideWnd));
}

namespace
{
struct OwnedWindows
{
    HWND hOwner;
    CArray<HWND, HWND> windows;
};

BOOL CALLBACK CollectOwnedWindow(HWND hWnd, LPARAM lParam)
{
    OwnedWindows* pOwned = (OwnedWindows*)lParam;
    if (::GetWindow(hWnd, GW_OWNER) == pOwned->hOwner)
        pOwned->windows.Add(hWnd);
    return TRUE;
}
} // namespace

void CXTPDockingPaneManager::OnSetPreviewMode(BOOL bPreview)
{
    if (bPreview == m_bPreviewMode)
        return;
    m_bPreviewMode = bPreview;
    if (!bPreview)
    {
        // Back as they were; the frame's layout pass places them again.
        for (INT_PTR i = 0; i < m_arrPreviewHidden.GetSize(); i++)
        {
            HWND hWnd = (HWND)m_arrPreviewHidden[i];
            if (::IsWindow(hWnd))
                ::ShowWindow(hWnd, SW_SHOWNA);
        }
        m_arrPreviewHidden.RemoveAll();
        return;
    }

    m_arrPreviewHidden.RemoveAll();
    HWND hSite = m_pSite != NULL ? m_pSite->GetSafeHwnd() : NULL;
    if (hSite == NULL || m_pLayout == NULL)
        return;
    // A pane slid out of its auto-hide panel slides back in first.
    for (int nSide = 0; nSide < 4; nSide++)
    {
        CXTPDockingPaneAutoHidePanel* pPanel = m_pLayout->GetAutoHidePanel(nSide);
        if (pPanel != NULL && pPanel->GetActiveWnd() != NULL)
            pPanel->CloseActiveWindow();
    }
    // The windows of the panes on the frame, and the floating ones it owns.
    OwnedWindows owned;
    owned.hOwner = hSite;
    for (HWND hChild = ::GetWindow(hSite, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        owned.windows.Add(hChild);
    ::EnumThreadWindows(::GetWindowThreadProcessId(hSite, NULL), &CollectOwnedWindow, (LPARAM)&owned);
    for (INT_PTR i = 0; i < owned.windows.GetSize(); i++)
    {
        HWND hWnd = owned.windows[i];
        if (!::IsWindowVisible(hWnd) || !IsPaneWindow(hWnd))
            continue;
        ::ShowWindow(hWnd, SW_HIDE);
        m_arrPreviewHidden.Add((void*)hWnd);
    }
}

LRESULT CXTPDockingPaneManager::OnSizeParent(WPARAM, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* pParams = (AFX_SIZEPARENTPARAMS*)lParam;
    if (pParams == NULL || m_pLayout == NULL)
        return 0;
    // During a print preview the panes step aside and the preview takes
    // all the room.
    OnSetPreviewMode(IsSitePreviewing());
    if (m_bPreviewMode)
        return 0;
    if (m_pLayout->GetTopPane() != NULL)
        m_pLayout->OnSizeParent(m_pSite, pParams->rect, pParams);
    UpdatePanes();
    m_bLayoutCreated = TRUE;

    // The view takes the client container's place (nothing while hidden).
    CXTPDockingPaneBase* pClient = m_pLayout->GetClientPane();
    if (pClient == NULL || pClient->IsHidden())
        ::SetRectEmpty(&pParams->rect);
    else
        pParams->rect = pClient->GetPaneWindowRect();
    return 0;
}

//////////////////////////////////////////////////////////////////////////
// Notifications, activation and focus

LRESULT CXTPDockingPaneManager::NotifyOwner(UINT nCode, LPARAM lParam)
{
    HWND hWndOwner = m_hWndOwner != NULL ? m_hWndOwner : m_pSite->GetSafeHwnd();
    if (hWndOwner == NULL || !::IsWindow(hWndOwner))
        return 0;
    return ::SendMessage(hWndOwner, XTPWM_DOCKINGPANE_NOTIFY, (WPARAM)nCode, lParam);
}

BOOL CXTPDockingPaneManager::NotifyAction(XTPDockingPaneAction action, CXTPDockingPane* pPane,
                                          CXTPDockingPaneBase* pDockContainer, XTPDockingPaneDirection dockDirection)
{
    XTP_DOCKINGPANE_ACTION record;
    record.action = action;
    record.bCancel = pPane != NULL && (pPane->GetEnabled() & xtpPaneEnableActions) == 0;
    record.pPane = pPane;
    record.pDockContainer = pDockContainer;
    record.dockDirection = dockDirection;
    NotifyOwner(XTP_DPN_ACTION, (LPARAM)&record);
    return record.bCancel;
}

void CXTPDockingPaneManager::SetActivePane(BOOL bActive, CXTPDockingPane* pPane)
{
    if (bActive)
    {
        if (pPane == m_pActivePane)
            return;
        if (m_pActivePane != NULL)
        {
            CXTPDockingPane* pOld = m_pActivePane;
            m_pActivePane = NULL;
            NotifyAction(xtpPaneActionDeactivated, pOld);
            pOld->InternalRelease();
        }
        if (pPane != NULL)
        {
            pPane->InternalAddRef();
            m_pActivePane = pPane;
            NotifyAction(xtpPaneActionActivated, pPane);
        }
    }
    else if (pPane != NULL && pPane == m_pActivePane)
    {
        m_pActivePane = NULL;
        NotifyAction(xtpPaneActionDeactivated, pPane);
        pPane->InternalRelease();
    }
}

void CXTPDockingPaneManager::CheckFocus()
{
    if (m_pLayout == NULL)
        return;
    HWND hWndFocus = ::GetFocus();
    if (hWndFocus == m_hwndLastFocus)
        return;
    m_hwndLastFocus = hWndFocus;
    POSITION pos = m_pLayout->GetObjects().GetHeadPosition();
    while (pos != NULL)
    {
        CXTPDockingPaneBase* pPane = m_pLayout->GetObjects().GetNext(pos);
        if (pPane->GetType() == xtpPaneTypeTabbedContainer || pPane->GetType() == xtpPaneTypeMiniWnd)
            pPane->OnFocusChanged();
    }
}

LRESULT CXTPDockingPaneManager::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    CheckFocus();
    return 0;
}

LRESULT CXTPDockingPaneManager::OnInitialUpdate(WPARAM, LPARAM)
{
    if (m_pSite != NULL && m_pSite->IsFrameWnd())
    {
        CFrameWnd* pFrame = static_cast<CFrameWnd*>(m_pSite);
        if (pFrame->m_nIdleFlags & CFrameWnd::idleLayout)
            pFrame->RecalcLayout();
    }
    CheckFocus();
    if (m_pLayout != NULL)
    {
        POSITION pos = m_pLayout->GetObjects().GetHeadPosition();
        while (pos != NULL)
        {
            CXTPDockingPaneBase* pPane = m_pLayout->GetObjects().GetNext(pos);
            if (pPane->GetType() != xtpPaneTypeMiniWnd)
                continue;
            CXTPDockingPaneMiniWnd* pMiniWnd = static_cast<CXTPDockingPaneMiniWnd*>(pPane);
            if (pMiniWnd->GetSafeHwnd() == NULL)
                continue;
            if (pMiniWnd->m_nIdleFlags & CFrameWnd::idleLayout)
                pMiniWnd->RecalcLayout();
            pMiniWnd->SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
        }
    }
    m_bInitialUpdateCalled = TRUE;
    return 0;
}

void CXTPDockingPaneManager::OnSysColorChange()
{
    RefreshColorManager();
    if (m_pPaintManager != NULL)
        m_pPaintManager->RefreshMetrics();
    RedrawPanes();
}

void CXTPDockingPaneManager::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    if (m_pPaintManager != NULL)
        m_pPaintManager->RefreshMetrics();
    RedrawPanes();
}

BOOL CXTPDockingPaneManager::IsLayoutRTL() const
{
    return m_pSite != NULL && m_pSite->GetSafeHwnd() != NULL && (m_pSite->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
}

XTPDockingPaneDirection CXTPDockingPaneManager::MirrorDirection(XTPDockingPaneDirection direction) const
{
    if (!IsLayoutRTL())
        return direction;
    if (direction == xtpPaneDockLeft)
        return xtpPaneDockRight;
    if (direction == xtpPaneDockRight)
        return xtpPaneDockLeft;
    return direction;
}

int CXTPDockingPaneManager::GetPaneDirection(const CXTPDockingPaneBase* pPane) const
{
    return m_pLayout != NULL ? m_pLayout->GetPaneDirection(pPane) : -1;
}

CRect CXTPDockingPaneManager::GetDockingRect(CXTPDockingPaneBase* pPane, XTPDockingPaneDirection direction,
                                             CXTPDockingPaneBase* pNeighbour)
{
    CRect rcEmpty(0, 0, 0, 0);
    if (pPane == NULL || m_pLayout == NULL)
        return rcEmpty;
    // A floating window's content that is one group docks as that group
    // (DockPane), with the group's docking size.
    if (pPane->GetType() == xtpPaneTypeSplitterContainer)
    {
        const CXTPDockingPaneBaseList& lst = static_cast<CXTPDockingPaneSplitterContainer*>(pPane)->GetPanes();
        if (lst.GetCount() == 1 && lst.GetHead()->GetType() == xtpPaneTypeTabbedContainer)
            pPane = lst.GetHead();
    }
    // The strip shown is the one the pane will take: docking fills in a
    // missing size the same way.
    FillMissingDockingSize(pPane);
    if (pNeighbour == NULL || pNeighbour == m_pLayout->GetTopPane())
    {
        // The frame's edge: the pane keeps its docking size and the client's
        // branch takes the rest, as the layout will share it after the dock.
        CXTPDockingPaneSplitterContainer* pTop = m_pLayout->GetTopPane();
        if (pTop == NULL)
            return rcEmpty;
        return pTop->GetEdgeDockingRect(direction, pPane);
    }
    if (pNeighbour->GetType() == xtpPaneTypeDockingPane && pNeighbour->GetContainer() != NULL &&
        pNeighbour->GetContainer()->GetType() == xtpPaneTypeTabbedContainer)
        pNeighbour = pNeighbour->GetContainer();
    CXTPDockingPaneBase* pParent = pNeighbour->GetContainer();
    if (pParent == NULL)
        return rcEmpty;
    if (pParent->GetType() == xtpPaneTypeSplitterContainer &&
        static_cast<CXTPDockingPaneSplitterContainer*>(pParent)->IsHoriz() == IsHorizontalDirection(direction))
        return static_cast<CXTPDockingPaneSplitterContainer*>(pParent)->GetDockingRect(pNeighbour, direction, pPane);
    return CXTPDockingPaneSplitterContainer::GetSplitRect(pNeighbour, direction, pPane);
}

//////////////////////////////////////////////////////////////////////////
// System commands: the next and previous pane, and the pane menu

void CXTPDockingPaneManager::EnableKeyboardNavigate(int nOptions)
{
    if (m_hWnd == NULL)
        return;
    m_nKeyboardShortcuts = nOptions;
    CXTPDockingPaneKeyboardHook::GetThreadHook()->SetupKeyboardHook(this, nOptions != 0);
}

BOOL CXTPDockingPaneManager::OnNextPane(BOOL bNext)
{
    if (m_pLayout == NULL || m_pLayout->GetPaneList().IsEmpty())
        return FALSE;
    CArray<CXTPDockingPane*, CXTPDockingPane*> arrPanes;
    POSITION pos = m_pLayout->GetPaneList().GetHeadPosition();
    while (pos != NULL)
        arrPanes.Add(m_pLayout->GetPaneList().GetNext(pos).pPane);
    const int nCount = (int)arrPanes.GetSize();

    int nActive = -1;
    for (int i = 0; i < nCount; i++)
    {
        if (arrPanes[i] == m_pActivePane)
            nActive = i;
    }
    const int nStep = bNext ? 1 : -1;
    if (nActive >= 0)
    {
        // Once round, ending with the active pane itself.
        for (int k = 1; k <= nCount; k++)
        {
            CXTPDockingPane* pPane = arrPanes[((nActive + nStep * k) % nCount + nCount) % nCount];
            if (pPane != NULL && (pPane->GetEnabled() & xtpPaneEnabled) != 0)
            {
                ShowPane(pPane, TRUE);
                return TRUE;
            }
        }
        return FALSE;
    }
    for (int i = bNext ? 0 : nCount - 1; i >= 0 && i < nCount; i += nStep)
    {
        CXTPDockingPane* pPane = arrPanes[i];
        if (pPane != NULL && (pPane->GetEnabled() & xtpPaneEnabled) != 0)
        {
            ShowPane(pPane, TRUE);
            return TRUE;
        }
    }
    return FALSE;
}

void CXTPDockingPaneManager::ShowPaneMenu()
{
    CXTPDockingPane* pPane = m_pActivePane;
    if (pPane == NULL || pPane->IsClosed() || pPane->IsAutoHidden())
        return;
    CXTPDockingPaneBase* pContainer = pPane->GetContainer();
    CPoint pt(0, 0);
    if (pPane->IsFloating())
    {
        CWnd* pSite = pContainer->GetDockingSite();
        if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
            pSite->ClientToScreen(&pt);
    }
    else
    {
        CRect rc;
        pContainer->GetScreenRect(&rc);
        pt = rc.TopLeft();
    }
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    menu.AppendMenu(MF_STRING, SC_MOVE, m_strMove);
    UINT nCmd = (UINT)menu.TrackPopupMenu(TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN, pt.x, pt.y, this);
    if (nCmd == SC_MOVE && m_pDockingContext != NULL)
        m_pDockingContext->Drag(pContainer, CPoint(-1, -1));
}

LRESULT CXTPDockingPaneManager::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY && m_nKeyboardShortcuts != 0)
    {
        m_nKeyboardShortcuts = 0;
        CXTPDockingPaneKeyboardHook::GetThreadHook()->SetupKeyboardHook(this, FALSE);
    }
    if (message == WM_SYSCOMMAND)
    {
        UINT nCommand = (UINT)(wParam & 0xFFF0);
        if ((nCommand == SC_NEXTWINDOW || nCommand == SC_PREVWINDOW) && OnNextPane(nCommand == SC_NEXTWINDOW))
            return 0;
        if (nCommand == SC_KEYMENU && lParam == '-')
        {
            ShowPaneMenu();
            return 0;
        }
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

//////////////////////////////////////////////////////////////////////////
// Accessibility

LRESULT CXTPDockingPaneManager::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    if ((LONG)lParam != OBJID_CLIENT)
        return Default();
    return LresultFromObject(IID_IAccessible, wParam, GetAccessible());
}

DWORD CXTPDockingPaneManager::InternalQueryInterface(const void* iid, LPVOID* ppvObj)
{
    return XTPQueryAccessible(this, GetAccessible(), iid, ppvObj);
}

HRESULT CXTPDockingPaneManager::GetAccessibleChildCount(long* pcountChildren)
{
    *pcountChildren = m_pLayout != NULL ? (long)m_pLayout->GetPaneList().GetCount() : 0;
    return S_OK;
}

HRESULT CXTPDockingPaneManager::GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild)
{
    *ppdispChild = NULL;
    long nChild = GetChildIndex(&varChild);
    POSITION pos = m_pLayout != NULL && nChild > 0 ? m_pLayout->GetPaneList().FindIndex(nChild - 1) : NULL;
    if (pos == NULL)
        return E_INVALIDARG;
    CXTPDockingPane* pPane = m_pLayout->GetPaneList().GetAt(pos).pPane;
    if (pPane == NULL)
        return E_INVALIDARG;
    *ppdispChild = pPane->GetIDispatch(TRUE);
    return S_OK;
}

HRESULT CXTPDockingPaneManager::GetAccessibleName(VARIANT varChild, BSTR* pszName)
{
    *pszName = ::SysAllocString(L"XTPDockingPaneManager");
    return S_OK;
}

HRESULT CXTPDockingPaneManager::GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole)
{
    pvarRole->vt = VT_I4;
    pvarRole->lVal = ROLE_SYSTEM_PROPERTYPAGE;
    return S_OK;
}

HRESULT CXTPDockingPaneManager::AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                                   VARIANT varChild)
{
    *pxLeft = 0;
    *pyTop = 0;
    *pcxWidth = 10;
    *pcyHeight = 10;
    return S_OK;
}
