// The auto-hide panel: its groups (tabbed containers) and its stored form.
#include "XTPDockingPaneAutoHidePanel.h"

#include "XTPDockingPane.h"
#include "XTPDockingPaneLayout.h"
#include "XTPDockingPaneManager.h"
#include "XTPDockingPaneTabbedContainer.h"

#include <XTPPropExchange.h>

CXTPDockingPaneAutoHidePanel::CXTPDockingPaneAutoHidePanel(CXTPDockingPaneLayout* pLayout)
    : CXTPDockingPaneBaseContainer(xtpPaneTypeAutoHidePanel, pLayout), m_direction(xtpPaneDockLeft)
{
    EnableAutomation();
}

CXTPDockingPaneAutoHidePanel::~CXTPDockingPaneAutoHidePanel()
{
}

void CXTPDockingPaneAutoHidePanel::OnFinalRelease()
{
    if (m_hWnd != NULL)
        DestroyWindow();
    delete this;
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

void CXTPDockingPaneAutoHidePanel::ShowPane(CXTPDockingPane* pPane, BOOL bSetFocus)
{
    CXTPDockingPaneBase* pContainer = pPane != NULL ? pPane->GetContainer() : NULL;
    if (pContainer == NULL || pContainer->GetContainer() != this ||
        pContainer->GetType() != xtpPaneTypeTabbedContainer)
        return;
    static_cast<CXTPDockingPaneTabbedContainer*>(pContainer)->SelectPane(pPane, bSetFocus, TRUE);
}

void CXTPDockingPaneAutoHidePanel::ClosePane(BOOL bDelayed)
{
}

void CXTPDockingPaneAutoHidePanel::RemovePane(CXTPDockingPaneBase* pPane)
{
    POSITION pos = m_lstPanes.Find(pPane);
    if (pos == NULL)
        return;
    m_lstPanes.RemoveAt(pos);
    Invalidate();
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (pManager != NULL)
        pManager->RecalcFrameLayout(NULL, TRUE);
    if (m_lstPanes.IsEmpty() && m_hWnd != NULL)
        DestroyWindow();
    pPane->SetParentContainer(NULL);
}

void CXTPDockingPaneAutoHidePanel::OnSizeParent(CWnd* pParent, CRect rect, LPVOID lParam)
{
    RepositionPanel(pParent, rect, lParam);
}

void CXTPDockingPaneAutoHidePanel::RepositionPanel(CWnd* pParent, CRect& rect, LPVOID lParam)
{
    SetDockingSite(pParent);
    m_rcWindow.SetRectEmpty();
    if (IsHidden() && m_hWnd != NULL)
        DestroyWindow();
}

void CXTPDockingPaneAutoHidePanel::OnChildContainerChanged(CXTPDockingPaneBase* pChild)
{
    Invalidate();
}

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
