// The floating mini window: its window, its top container, its title and
// its stored form.
#include "XTPDockingPaneMiniWnd.h"

#include "XTPDockingPane.h"
#include "XTPDockingPaneLayout.h"
#include "XTPDockingPaneManager.h"
#include "XTPDockingPanePaintManager.h"
#include "XTPDockingPaneSplitterContainer.h"
#include "XTPDockingPaneTabbedContainer.h"

#include <XTPPropExchange.h>
#include <XTPSystemHelpers.h>
#include <afxpriv.h>

#include <algorithm>

IMPLEMENT_DYNAMIC(CXTPDockingPaneMiniWnd, CMiniFrameWnd)

namespace
{
const LPCTSTR kMiniWndClass = _T("XTPDockingPaneMiniWnd");

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
END_MESSAGE_MAP()

CXTPDockingPaneMiniWnd::CXTPDockingPaneMiniWnd(CXTPDockingPaneLayout* pLayout)
    : CXTPDockingPaneBase(xtpPaneTypeMiniWnd, pLayout), m_bActive(FALSE), m_rcStored(0, 0, 0, 0),
      m_pTopContainer(NULL), m_nExpandedHeight(0), m_bCollapsed(FALSE), m_bInRecalcLayout(FALSE)
{
    EnableAutomation();
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

BOOL CXTPDockingPaneMiniWnd::Create(CRect rc)
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (pManager == NULL || pManager->GetSite() == NULL)
        return FALSE;

    // Kept at least 10 pixels inside the work area.
    CRect rcWork = XTPMonitorFunctions()->GetWorkAreaFromRect(rc);
    if (rc.left > rcWork.right - 10)
        rc.OffsetRect(rcWork.right - 10 - rc.left, 0);
    if (rc.right < rcWork.left + 10)
        rc.OffsetRect(rcWork.left + 10 - rc.right, 0);
    if (rc.top > rcWork.bottom - 10)
        rc.OffsetRect(0, rcWork.bottom - 10 - rc.top);
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
    }
    m_rcStored = rc;
    return TRUE;
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
    if (m_hWnd != NULL)
        CWnd::Invalidate(FALSE);
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
    BOOL bCanClose = FALSE;
    CXTPDockingPaneBaseList lstPanes;
    FindPanes(xtpPaneTypeDockingPane, &lstPanes);
    pos = lstPanes.GetHeadPosition();
    while (pos != NULL)
    {
        if ((static_cast<CXTPDockingPane*>(lstPanes.GetNext(pos))->GetOptions() & xtpPaneNoCloseable) == 0)
            bCanClose = TRUE;
    }
    CMenu* pSysMenu = GetSystemMenu(FALSE);
    if (pSysMenu != NULL)
        pSysMenu->EnableMenuItem(SC_CLOSE, MF_BYCOMMAND | (bCanClose ? MF_ENABLED : MF_GRAYED));

    RecalcLayout();
    SendMessage(WM_NCPAINT);
}

void CXTPDockingPaneMiniWnd::OnFocusChanged()
{
    if (m_hWnd == NULL)
        return;
    HWND hWndFocus = ::GetFocus();
    BOOL bActive = hWndFocus != NULL && (hWndFocus == m_hWnd || ::IsChild(m_hWnd, hWndFocus));
    if (bActive != m_bActive)
    {
        m_bActive = bActive;
        SendMessage(WM_NCPAINT);
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
    m_bCollapsed = FALSE;
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
    }
    else if (IsWindowVisible())
    {
        CWnd::ShowWindow(SW_HIDE);
    }
    m_bInRecalcLayout = FALSE;
}

LRESULT CXTPDockingPaneMiniWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam)
{
    if (m_nIdleFlags & idleLayout)
        RecalcLayout();
    return CMiniFrameWnd::OnIdleUpdateCmdUI(wParam, lParam);
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
