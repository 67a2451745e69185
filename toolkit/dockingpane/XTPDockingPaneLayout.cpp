// A docking layout: its objects and pane records, copying, checking,
// storing and reading, removing empty containers, and the frame layout.
#include "XTPDockingPaneLayout.h"

#include <memory>
#include <vector>

#include "XTPDockingPane.h"
#include "XTPDockingPaneAutoHidePanel.h"
#include "XTPDockingPaneManager.h"
#include "XTPDockingPaneMiniWnd.h"
#include "XTPDockingPaneSplitterContainer.h"
#include "XTPDockingPaneTabbedContainer.h"

#include <XTPPropExchange.h>
#include <afxpriv.h>

namespace
{
const long kMaxStoredObjects = XTP_DOCKINGPANE_MAX_STORED_OBJECTS;

typedef CMap<int, int, CXTPDockingPaneBase*, CXTPDockingPaneBase*> CIndexMap;

BOOL IsContainerType(XTPDockingPaneType type)
{
    return type == xtpPaneTypeTabbedContainer || type == xtpPaneTypeSplitterContainer ||
           type == xtpPaneTypeAutoHidePanel;
}

CString SectionName(int nIndex)
{
    CString strName;
    strName.Format(_T("Pane-%d"), nIndex);
    return strName;
}

CXTPDockingPaneBaseContainer* AsContainer(CXTPDockingPaneBase* pPane)
{
    return IsContainerType(pPane->GetType()) ? static_cast<CXTPDockingPaneBaseContainer*>(pPane) : NULL;
}
} // namespace

CXTPDockingPaneLayout::CXTPDockingPaneLayout(CXTPDockingPaneManager* pManager)
    : m_pTopContainer(NULL), m_pClient(NULL), m_lstPanes(10), m_lstStack(10), m_bUserLayout(TRUE),
      m_pManager(pManager)
{
    for (int i = 0; i < 4; i++)
    {
        m_wndPanels[i] = NULL;
        m_wndMargins[i] = NULL;
    }
    if (pManager == NULL)
        return;
    m_pClient = pManager->OnCreatePane(xtpPaneTypeClientContainer, this);
    CXTPDockingPaneBase* pTop = pManager->OnCreatePane(xtpPaneTypeSplitterContainer, this);
    if (m_pClient != NULL && pTop != NULL)
    {
        m_pTopContainer = static_cast<CXTPDockingPaneSplitterContainer*>(pTop);
        m_pTopContainer->Init(m_pClient, TRUE, pManager->GetSite());
    }
}

CXTPDockingPaneLayout::~CXTPDockingPaneLayout()
{
    Clear();
}

BOOL CXTPDockingPaneLayout::IsValid() const
{
    return m_pManager != NULL && m_pTopContainer != NULL &&
           m_pTopContainer->GetType() == xtpPaneTypeSplitterContainer && m_pTopContainer->GetContainer() == NULL &&
           m_pClient != NULL && m_pClient->GetType() == xtpPaneTypeClientContainer;
}

void CXTPDockingPaneLayout::Clear()
{
    m_pTopContainer = NULL;
    m_pClient = NULL;

    // The links go first, so that no object reaches another while they go.
    POSITION pos = m_lstStack.GetHeadPosition();
    while (pos != NULL)
    {
        CXTPDockingPaneBase* pPane = m_lstStack.GetNext(pos);
        pPane->m_pParentContainer = NULL;
        CXTPDockingPaneBaseContainer* pContainer = AsContainer(pPane);
        if (pContainer != NULL)
            pContainer->m_lstPanes.RemoveAll();
        if (pPane->GetType() == xtpPaneTypeMiniWnd)
            static_cast<CXTPDockingPaneMiniWnd*>(pPane)->m_pTopContainer = NULL;
    }
    while (!m_lstStack.IsEmpty())
        m_lstStack.RemoveHead()->Release();

    m_lstPanes.RemoveAll();
    for (int i = 0; i < 4; i++)
        m_wndPanels[i] = NULL;
    DeleteMargins();
}

void CXTPDockingPaneLayout::DeleteMargins()
{
    for (int i = 0; i < 4; i++)
    {
        if (m_wndMargins[i] != NULL)
        {
            if (m_wndMargins[i]->GetSafeHwnd() != NULL)
                m_wndMargins[i]->DestroyWindow();
            delete m_wndMargins[i];
            m_wndMargins[i] = NULL;
        }
    }
}

void CXTPDockingPaneLayout::RemoveObject(CXTPDockingPaneBase* pPane)
{
    POSITION pos = m_lstStack.Find(pPane);
    if (pos != NULL)
        m_lstStack.RemoveAt(pos);
}

XTP_DOCKINGPANE_INFO* CXTPDockingPaneLayout::FindPaneInfo(const CXTPDockingPane* pPane)
{
    POSITION pos = m_lstPanes.GetHeadPosition();
    while (pos != NULL)
    {
        XTP_DOCKINGPANE_INFO& info = m_lstPanes.GetNext(pos);
        if (info.pPane == pPane)
            return &info;
    }
    return NULL;
}

void CXTPDockingPaneLayout::Copy(const CXTPDockingPaneLayout* pLayout)
{
    Clear();
    CXTPPaneToPaneMap map(10);

    // Every object without a parent is cloned with its subtree.
    POSITION pos = pLayout->m_lstStack.GetHeadPosition();
    while (pos != NULL)
    {
        CXTPDockingPaneBase* pPane = pLayout->m_lstStack.GetNext(pos);
        if (pPane->GetContainer() == NULL)
            pPane->Clone(this, &map);
    }

    auto mapped = [&map](CXTPDockingPaneBase* pPane) -> CXTPDockingPaneBase* {
        CXTPDockingPaneBase* pClone = NULL;
        return pPane != NULL && map.Lookup(pPane, pClone) ? pClone : NULL;
    };
    m_pClient = mapped(pLayout->m_pClient);
    CXTPDockingPaneBase* pTop = mapped(pLayout->m_pTopContainer);
    m_pTopContainer = pTop != NULL && pTop->GetType() == xtpPaneTypeSplitterContainer
                          ? static_cast<CXTPDockingPaneSplitterContainer*>(pTop)
                          : NULL;
    for (int i = 0; i < 4; i++)
        m_wndPanels[i] = static_cast<CXTPDockingPaneAutoHidePanel*>(mapped(pLayout->m_wndPanels[i]));

    pos = pLayout->m_lstPanes.GetHeadPosition();
    while (pos != NULL)
    {
        const XTP_DOCKINGPANE_INFO& source = pLayout->m_lstPanes.GetNext(pos);
        XTP_DOCKINGPANE_INFO info(static_cast<CXTPDockingPane*>(mapped(source.pPane)));
        if (info.pPane == NULL)
            continue;
        info.pFloatingHolder = mapped(source.pFloatingHolder);
        info.pDockingHolder = mapped(source.pDockingHolder);
        info.pLastHolder = mapped(source.pLastHolder);
        m_lstPanes.AddTail(info);
    }
}

//////////////////////////////////////////////////////////////////////////
// Storing and reading

CXTPDockingPaneBase* AFX_CDECL CXTPDockingPaneLayout::LookupObject(CXTPPropExchange* pPX, int nIndex)
{
    CIndexMap* pMap = static_cast<CIndexMap*>(pPX->GetContext());
    CXTPDockingPaneBase* pPane = NULL;
    if (pMap == NULL || nIndex <= 0 || !pMap->Lookup(nIndex, pPane))
        return NULL;
    return pPane;
}

BOOL AFX_CDECL CXTPDockingPaneLayout::CanAdoptChild(const CXTPDockingPaneBase* pContainer,
                                                    const CXTPDockingPaneBase* pChild)
{
    if (pChild == NULL || pChild == pContainer || pChild->GetContainer() != NULL)
        return FALSE;
    // Not an ancestor of the container (the chain is finite: every object
    // placed so far passed this test). The walk is bounded by the depth a
    // layout may have, so reading a layout costs no more than its size
    // times that bound.
    int nDepth = 0;
    for (const CXTPDockingPaneBase* pParent = pContainer->GetContainer(); pParent != NULL;
         pParent = pParent->GetContainer())
    {
        if (pParent == pChild || ++nDepth >= XTP_DOCKINGPANE_MAX_STORED_DEPTH)
            return FALSE;
    }
    return TRUE;
}

BOOL CXTPDockingPaneLayout::AssignAutoHidePanel(CXTPDockingPaneAutoHidePanel* pPanel)
{
    int nSide = pPanel->GetDirection();
    if (nSide < 0 || nSide > 3 || m_wndPanels[nSide] != NULL)
        return FALSE;
    m_wndPanels[nSide] = pPanel;
    return TRUE;
}

BOOL CXTPDockingPaneLayout::DoPropExchange(CXTPPropExchange* pPX)
{
    if (pPX->IsStoring())
    {
        Save(pPX);
        return TRUE;
    }
    return Load(pPX);
}

void CXTPDockingPaneLayout::Save(CXTPPropExchange* pPX)
{
    pPX->ClearSection();
    RemoveEmptyContainers();

    CXTPPropExchangeSection pxSummary(pPX->OpenSection(_T("Summary")));
    long nCount = (long)m_lstStack.GetCount();
    PropExchangeLong(pxSummary, _T("Panes"), nCount);
    pxSummary->ExchangeSchema();

    // Panes are numbered first (in record order, then any pane without a
    // record), then the other objects, all from 1.
    CArray<CXTPDockingPaneBase*, CXTPDockingPaneBase*> arrOrder;
    POSITION pos = m_lstStack.GetHeadPosition();
    while (pos != NULL)
        m_lstStack.GetNext(pos)->m_nIndex = 0;
    pos = m_lstPanes.GetHeadPosition();
    while (pos != NULL)
    {
        CXTPDockingPane* pPane = m_lstPanes.GetNext(pos).pPane;
        if (pPane != NULL && pPane->m_nIndex == 0)
        {
            arrOrder.Add(pPane);
            pPane->m_nIndex = (int)arrOrder.GetSize();
        }
    }
    for (int nPass = 0; nPass < 2; nPass++)
    {
        pos = m_lstStack.GetHeadPosition();
        while (pos != NULL)
        {
            CXTPDockingPaneBase* pPane = m_lstStack.GetNext(pos);
            BOOL bPane = pPane->GetType() == xtpPaneTypeDockingPane;
            if (pPane->m_nIndex == 0 && bPane == (nPass == 0))
            {
                arrOrder.Add(pPane);
                pPane->m_nIndex = (int)arrOrder.GetSize();
            }
        }
    }

    // Every type first, then every object's values; each section is opened
    // once for both passes (a registry key costs a round trip each time).
    std::vector<std::unique_ptr<CXTPPropExchangeSection>> arrSections;
    for (int i = 0; i < arrOrder.GetSize(); i++)
    {
        arrSections.emplace_back(new CXTPPropExchangeSection(pPX->OpenSection(SectionName(i + 1))));
        // The type is always written (a pane's type 0 is not a default).
        long nType = arrOrder[i]->GetType();
        PropExchangeLongWithDefault(*arrSections.back(), _T("Type"), nType, -1);
    }
    for (int i = 0; i < arrOrder.GetSize(); i++)
        arrOrder[i]->DoPropExchange(*arrSections[i]);

    long nTop = m_pTopContainer != NULL ? m_pTopContainer->m_nIndex : 0;
    long nClient = m_pClient != NULL ? m_pClient->m_nIndex : 0;
    PropExchangeLong(pxSummary, _T("TopContainer"), nTop);
    PropExchangeLong(pxSummary, _T("Client"), nClient);
}

BOOL CXTPDockingPaneLayout::Load(CXTPPropExchange* pPX)
{
    if (!pPX->PrepareStore())
        return FALSE;
    Clear();
    if (m_pManager == NULL)
        return FALSE;

    CXTPPropExchangeSection pxSummary(pPX->OpenSection(_T("Summary")));
    long nCount = 0;
    PropExchangeLong(pxSummary, _T("Panes"), nCount);
    if (nCount < 2 || nCount > kMaxStoredObjects)
        return FALSE;
    pxSummary->ExchangeSchema();

    // Each section is opened once for both passes.
    CIndexMap map(10);
    map.InitHashTable((UINT)nCount * 2 + 17);
    std::vector<std::unique_ptr<CXTPPropExchangeSection>> arrSections(nCount + 1);
    int nFloating = 0;
    for (int n = 1; n <= nCount; n++)
    {
        arrSections[n].reset(new CXTPPropExchangeSection(pPX->OpenSection(SectionName(n))));
        CXTPPropExchange* pxPane = *arrSections[n];
        long nType = -1;
        PropExchangeLongWithDefault(pxPane, _T("Type"), nType, -1);
        if (nType < xtpPaneTypeDockingPane || nType > xtpPaneTypeAutoHidePanel)
            return FALSE;
        if (nType == xtpPaneTypeMiniWnd && ++nFloating > XTP_DOCKINGPANE_MAX_STORED_FLOATING)
        {
            TRACE("A stored docking layout with more than %d floating windows is refused.\n",
                  XTP_DOCKINGPANE_MAX_STORED_FLOATING);
            return FALSE;
        }
        CXTPDockingPaneBase* pPane = m_pManager->OnCreatePane((XTPDockingPaneType)nType, this);
        if (pPane == NULL)
            return FALSE;
        pPane->m_nIndex = n;
        map.SetAt(n, pPane);
    }

    // Each object reads its own section, with the number map at hand.
    void* pOldContext = pPX->GetContext();
    pPX->SetContext(&map);
    BOOL bResult = TRUE;
    POSITION pos = m_lstStack.GetHeadPosition();
    while (pos != NULL && bResult)
    {
        CXTPDockingPaneBase* pPane = m_lstStack.GetNext(pos);
        if (pPane->m_nIndex < 1 || pPane->m_nIndex > nCount)
        {
            CXTPPropExchangeSection pxOther(pPX->OpenSection(SectionName(pPane->m_nIndex)));
            bResult = pPane->DoPropExchange(pxOther);
            continue;
        }
        CXTPPropExchange* pxPane = *arrSections[pPane->m_nIndex];
        pxPane->SetContext(&map);
        bResult = pPane->DoPropExchange(pxPane);
    }
    pPX->SetContext(pOldContext);
    if (!bResult)
        return FALSE;

    long nTop = 0, nClient = 0;
    PropExchangeLong(pxSummary, _T("TopContainer"), nTop);
    PropExchangeLong(pxSummary, _T("Client"), nClient);
    CXTPDockingPaneBase* pTop = NULL;
    CXTPDockingPaneBase* pClient = NULL;
    map.Lookup((int)nTop, pTop);
    map.Lookup((int)nClient, pClient);

    // The top container is a splitter nobody holds; the client is a client
    // container that lies inside it.
    if (pTop == NULL || pTop->GetType() != xtpPaneTypeSplitterContainer || pTop->GetContainer() != NULL)
        return FALSE;
    if (pClient == NULL || pClient->GetType() != xtpPaneTypeClientContainer)
        return FALSE;
    CXTPDockingPaneBase* pRoot = pClient;
    for (long nDepth = 0; pRoot->GetContainer() != NULL && nDepth <= nCount; nDepth++)
        pRoot = pRoot->GetContainer();
    if (pRoot != pTop)
        return FALSE;

    // No object may lie deeper than the bound, whatever order the links
    // were read in: the arrangement is walked recursively once applied.
    if (!CheckDepth())
    {
        TRACE("A stored docking layout nested deeper than %d levels is refused.\n",
              XTP_DOCKINGPANE_MAX_STORED_DEPTH);
        return FALSE;
    }

    m_pTopContainer = static_cast<CXTPDockingPaneSplitterContainer*>(pTop);
    m_pClient = pClient;
    return TRUE;
}

BOOL CXTPDockingPaneLayout::CheckDepth() const
{
    // Each object's depth is found once: a walk up stops at the first
    // object whose depth is known, so the whole check is linear.
    CMap<const CXTPDockingPaneBase*, const CXTPDockingPaneBase*, int, int> mapDepth(10);
    mapDepth.InitHashTable((UINT)m_lstStack.GetCount() * 2 + 17);
    CArray<const CXTPDockingPaneBase*, const CXTPDockingPaneBase*> arrChain;
    POSITION pos = m_lstStack.GetHeadPosition();
    while (pos != NULL)
    {
        const CXTPDockingPaneBase* pPane = m_lstStack.GetNext(pos);
        arrChain.RemoveAll();
        int nDepth = 0;
        for (const CXTPDockingPaneBase* pCurrent = pPane; pCurrent != NULL; pCurrent = pCurrent->GetContainer())
        {
            if (mapDepth.Lookup(pCurrent, nDepth))
                break;
            arrChain.Add(pCurrent);
            nDepth = -1;   // the root's depth is 0
            if (arrChain.GetSize() > m_lstStack.GetCount())
                return FALSE;   // a cycle; loading refuses those before this
        }
        for (INT_PTR i = arrChain.GetSize() - 1; i >= 0; i--)
        {
            nDepth++;
            if (nDepth >= XTP_DOCKINGPANE_MAX_STORED_DEPTH)
                return FALSE;
            mapDepth.SetAt(arrChain[i], nDepth);
        }
    }
    return TRUE;
}

void CXTPDockingPaneLayout::Serialize(CArchive& ar)
{
    CXTPPropExchangeArchive px(ar);
    DoPropExchange(&px);
}

BOOL CXTPDockingPaneLayout::LoadFromProfile(LPCTSTR lpszSection)
{
    CXTPPropExchangeSection pxLayouts(TRUE, _T("DockingPaneLayouts"));
    if (pxLayouts.GetExchange() == NULL)
        return FALSE;
    CXTPPropExchangeSection px(pxLayouts->OpenSection(lpszSection));
    return px.GetExchange() != NULL && DoPropExchange(px);
}

void CXTPDockingPaneLayout::SaveToProfile(LPCTSTR lpszSection)
{
    CXTPPropExchangeSection pxLayouts(FALSE, _T("DockingPaneLayouts"));
    if (pxLayouts.GetExchange() == NULL)
        return;
    CXTPPropExchangeSection px(pxLayouts->OpenSection(lpszSection));
    if (px.GetExchange() != NULL)
        DoPropExchange(px);
}

//////////////////////////////////////////////////////////////////////////
// Structure

void CXTPDockingPaneLayout::RemoveEmptyContainers()
{
    BOOL bRemoved = TRUE;
    while (bRemoved)
    {
        bRemoved = FALSE;

        // Holders named by pane records and the containers panes sit in stay.
        CMapPtrToPtr mapKeep;
        POSITION pos = m_lstPanes.GetHeadPosition();
        while (pos != NULL)
        {
            const XTP_DOCKINGPANE_INFO& info = m_lstPanes.GetNext(pos);
            for (CXTPDockingPaneBase* pHolder : { info.pFloatingHolder, info.pDockingHolder, info.pLastHolder })
            {
                if (pHolder != NULL)
                    mapKeep.SetAt(pHolder, pHolder);
            }
            if (info.pPane != NULL && info.pPane->GetContainer() != NULL)
                mapKeep.SetAt(info.pPane->GetContainer(), info.pPane);
        }
        pos = m_lstStack.GetHeadPosition();
        while (pos != NULL)
        {
            CXTPDockingPaneBase* pPane = m_lstStack.GetNext(pos);
            if (pPane->GetType() == xtpPaneTypeDockingPane && pPane->GetContainer() != NULL)
                mapKeep.SetAt(pPane->GetContainer(), pPane);
        }

        pos = m_lstStack.GetHeadPosition();
        while (pos != NULL)
        {
            POSITION posCurrent = pos;
            CXTPDockingPaneBase* pPane = m_lstStack.GetNext(pos);
            void* pValue = NULL;
            BOOL bRemove = FALSE;
            BOOL bLeaveParent = FALSE;

            switch (pPane->GetType())
            {
            case xtpPaneTypeTabbedContainer:
                bRemove = bLeaveParent = !mapKeep.Lookup(pPane, pValue);
                break;
            case xtpPaneTypeSplitterContainer:
            {
                CXTPDockingPaneSplitterContainer* pSplitter = static_cast<CXTPDockingPaneSplitterContainer*>(pPane);
                CXTPDockingPaneBase* pParent = pSplitter->GetContainer();
                if (pSplitter->IsEmpty())
                {
                    bRemove = bLeaveParent = TRUE;
                }
                else if (pSplitter->GetPanes().GetCount() == 1 && pParent != NULL &&
                         pParent->GetType() == xtpPaneTypeSplitterContainer &&
                         static_cast<CXTPDockingPaneSplitterContainer*>(pParent)->GetPanes().GetCount() == 1)
                {
                    // A chain of single children collapses by one level.
                    CXTPDockingPaneSplitterContainer* pParentSplitter =
                        static_cast<CXTPDockingPaneSplitterContainer*>(pParent);
                    CXTPDockingPaneBase* pChild = pSplitter->m_lstPanes.RemoveHead();
                    pParentSplitter->m_lstPanes.SetAt(pParentSplitter->m_lstPanes.GetHeadPosition(), pChild);
                    pChild->SetParentContainer(pParentSplitter);
                    pSplitter->m_pParentContainer = NULL;
                    pParentSplitter->RebuildSplitters();
                    bRemove = TRUE;
                }
                break;
            }
            case xtpPaneTypeMiniWnd:
                bRemove = static_cast<CXTPDockingPaneMiniWnd*>(pPane)->GetTopPane() == NULL;
                break;
            default:
                break;
            }
            if (!bRemove)
                continue;
            if (bLeaveParent && pPane->GetContainer() != NULL)
                pPane->GetContainer()->RemovePane(pPane);
            if (pPane == m_pTopContainer)
                m_pTopContainer = NULL;
            for (int i = 0; i < 4; i++)
            {
                if (m_wndPanels[i] == pPane)
                    m_wndPanels[i] = NULL;
            }
            m_lstStack.RemoveAt(posCurrent);
            pPane->Release();
            bRemoved = TRUE;
        }
    }
}

void CXTPDockingPaneLayout::DestroyPane(CXTPDockingPane* pPane)
{
    if (pPane == NULL)
        return;
    if (pPane->GetContainer() != NULL)
        pPane->GetContainer()->RemovePane(pPane);
    POSITION pos = m_lstPanes.GetHeadPosition();
    while (pos != NULL)
    {
        POSITION posCurrent = pos;
        if (m_lstPanes.GetNext(pos).pPane == pPane)
            m_lstPanes.RemoveAt(posCurrent);
    }
    RemoveObject(pPane);
    pPane->Release();
    RemoveEmptyContainers();
}

int CXTPDockingPaneLayout::GetPaneDirection(const CXTPDockingPaneBase* pPane) const
{
    if (pPane == NULL)
        return -1;
    const CXTPDockingPaneBase* pCurrent = pPane;
    for (INT_PTR nDepth = 0; nDepth <= m_lstStack.GetCount(); nDepth++)
    {
        switch (pCurrent->GetType())
        {
        case xtpPaneTypeMiniWnd:
            return 4;
        case xtpPaneTypeAutoHidePanel:
            return static_cast<const CXTPDockingPaneAutoHidePanel*>(pCurrent)->GetDirection();
        case xtpPaneTypeClientContainer:
            return -1;
        default:
            break;
        }
        const CXTPDockingPaneBase* pParent = pCurrent->GetContainer();
        if (pParent == NULL)
            return -1;
        if (pParent->GetType() == xtpPaneTypeSplitterContainer && m_pClient != NULL)
        {
            const CXTPDockingPaneSplitterContainer* pSplitter =
                static_cast<const CXTPDockingPaneSplitterContainer*>(pParent);
            POSITION posClient = pSplitter->ContainsPane(m_pClient);
            if (posClient != NULL)
            {
                const CXTPDockingPaneBaseList& lst = pSplitter->GetPanes();
                BOOL bBefore = FALSE;
                POSITION pos = lst.GetHeadPosition();
                while (pos != NULL && pos != posClient)
                {
                    if (lst.GetNext(pos) == pCurrent)
                    {
                        bBefore = TRUE;
                        break;
                    }
                }
                if (pSplitter->IsHoriz())
                    return bBefore ? xtpPaneDockLeft : xtpPaneDockRight;
                return bBefore ? xtpPaneDockTop : xtpPaneDockBottom;
            }
        }
        pCurrent = pParent;
    }
    return -1;
}

void CXTPDockingPaneLayout::HideToAutoHide(CXTPDockingPaneBase* pPane)
{
    if (m_pManager == NULL || pPane == NULL ||
        (pPane->GetType() != xtpPaneTypeDockingPane && pPane->GetType() != xtpPaneTypeTabbedContainer))
        return;
    int nSide = GetPaneDirection(pPane);
    if (nSide < 0 || nSide > 3)
        nSide = xtpPaneDockLeft;

    CXTPDockingPaneAutoHidePanel* pPanel = m_wndPanels[nSide];
    if (pPanel == NULL)
    {
        CXTPDockingPaneBase* pBase = m_pManager->OnCreatePane(xtpPaneTypeAutoHidePanel, this);
        if (pBase == NULL)
            return;
        pPanel = static_cast<CXTPDockingPaneAutoHidePanel*>(pBase);
        pPanel->SetDirection((XTPDockingPaneDirection)nSide);
        pPanel->SetDockingSite(m_pManager->GetSite());
        m_wndPanels[nSide] = pPanel;
    }

    // The panes that move: the pane itself, or the group's panes that may
    // be hidden.
    CArray<CXTPDockingPane*, CXTPDockingPane*> arrPanes;
    if (pPane->GetType() == xtpPaneTypeDockingPane)
    {
        arrPanes.Add(static_cast<CXTPDockingPane*>(pPane));
    }
    else
    {
        const CXTPDockingPaneBaseList& lst = static_cast<CXTPDockingPaneTabbedContainer*>(pPane)->GetPanes();
        POSITION pos = lst.GetHeadPosition();
        while (pos != NULL)
            arrPanes.Add(static_cast<CXTPDockingPane*>(lst.GetNext(pos)));
    }
    if (arrPanes.GetSize() == 0)
        return;

    // A group of the panel whose first pane shares the docking holder takes them.
    XTP_DOCKINGPANE_INFO* pInfo = FindPaneInfo(arrPanes[0]);
    CXTPDockingPaneBase* pHolder = pInfo != NULL ? pInfo->pDockingHolder : NULL;
    if (pHolder != NULL)
    {
        POSITION pos = pPanel->GetPanes().GetHeadPosition();
        while (pos != NULL)
        {
            CXTPDockingPaneBase* pGroup = pPanel->GetPanes().GetNext(pos);
            if (pGroup->GetType() != xtpPaneTypeTabbedContainer)
                continue;
            CXTPDockingPaneTabbedContainer* pTabbed = static_cast<CXTPDockingPaneTabbedContainer*>(pGroup);
            CXTPDockingPane* pFirst = static_cast<CXTPDockingPane*>(pTabbed->GetFirstPane());
            XTP_DOCKINGPANE_INFO* pFirstInfo = pFirst != NULL ? FindPaneInfo(pFirst) : NULL;
            if (pFirstInfo == NULL || pFirstInfo->pDockingHolder != pHolder)
                continue;
            // The group's selected pane stays selected when it moves: each
            // pane added is selected in turn, and each one taken out of the
            // source selects another one there.
            CXTPDockingPane* pSelected = pPane->GetType() == xtpPaneTypeDockingPane
                                             ? static_cast<CXTPDockingPane*>(pPane)
                                             : static_cast<CXTPDockingPaneTabbedContainer*>(pPane)->GetSelected();
            BOOL bSelectedMoved = FALSE;
            for (int i = 0; i < arrPanes.GetSize(); i++)
            {
                CXTPDockingPane* pMove = arrPanes[i];
                if ((pMove->GetOptions() & xtpPaneNoHideable) != 0)
                    continue;
                if (pMove->GetContainer() != NULL)
                    pMove->GetContainer()->RemovePane(pMove);
                pTabbed->AddPane(pMove, FALSE);
                bSelectedMoved = bSelectedMoved || pMove == pSelected;
            }
            if (bSelectedMoved)
                pTabbed->SelectPane(pSelected, FALSE);
            return;
        }
    }

    CXTPDockingPaneBase* pGroup = NULL;
    if (pPane->GetType() == xtpPaneTypeDockingPane)
    {
        if (pPane->GetContainer() != NULL)
            pPane->GetContainer()->RemovePane(pPane);
        CXTPDockingPaneBase* pBase = m_pManager->OnCreatePane(xtpPaneTypeTabbedContainer, this);
        if (pBase == NULL)
            return;
        CXTPDockingPaneTabbedContainer* pTabbed = static_cast<CXTPDockingPaneTabbedContainer*>(pBase);
        pTabbed->Init(static_cast<CXTPDockingPane*>(pPane), m_pManager->GetSite());
        pGroup = pTabbed;
    }
    else
    {
        pGroup = pPane->Clone(this, NULL, xtpPaneNoHideable);
    }
    if (pGroup != NULL)
        pPanel->AddPane(pGroup);
}

void CXTPDockingPaneLayout::UpdateHolders()
{
    POSITION pos = m_lstPanes.GetHeadPosition();
    while (pos != NULL)
    {
        XTP_DOCKINGPANE_INFO& info = m_lstPanes.GetNext(pos);
        CXTPDockingPane* pPane = info.pPane;
        if (pPane == NULL)
            continue;
        CWnd* pSite = pPane->GetDockingSite();
        CXTPDockingPaneBase* pParent = pPane->GetContainer();
        if (pSite == NULL || pParent == NULL)
            continue;
        if (pParent->GetContainer() != NULL && pParent->GetContainer()->GetType() == xtpPaneTypeAutoHidePanel)
            continue;
        info.pLastHolder = pParent;
        if (pSite->IsKindOf(RUNTIME_CLASS(CXTPDockingPaneMiniWnd)))
            info.pFloatingHolder = pParent;
        else
            info.pDockingHolder = pParent;
    }
}

void CXTPDockingPaneLayout::OnSizeParent(CWnd* pParent, CRect rect, LPVOID lParam)
{
    for (int i = 0; i < 4; i++)
    {
        if (m_wndPanels[i] != NULL)
            m_wndPanels[i]->RepositionPanel(pParent, rect, lParam);
    }

    const int nMargin = m_pManager != NULL ? m_pManager->GetClientMargin() : 0;
    CRect rcOuter(rect);
    rect.DeflateRect(nMargin, nMargin);
    AFX_SIZEPARENTPARAMS* pParams = (AFX_SIZEPARENTPARAMS*)lParam;
    if (pParams != NULL && pParams->hDWP != NULL && !m_bUserLayout)
    {
        if (nMargin <= 0)
        {
            DeleteMargins();
        }
        else
        {
            const CRect rcStrips[4] = {
                CRect(rcOuter.left, rcOuter.top, rect.left, rcOuter.bottom),
                CRect(rect.right, rcOuter.top, rcOuter.right, rcOuter.bottom),
                CRect(rect.left, rcOuter.top, rect.right, rect.top),
                CRect(rect.left, rect.bottom, rect.right, rcOuter.bottom),
            };
            for (int i = 0; i < 4; i++)
            {
                if (m_wndMargins[i] == NULL)
                {
                    m_wndMargins[i] = new CXTPDockingPaneSplitterWnd();
                    if (!m_wndMargins[i]->Create(m_pManager, i >= 2))
                        TRACE("A client border bar could not be created.\n");
                }
                XTPDockingPanePlaceWindow(m_wndMargins[i]->GetSafeHwnd(), rcStrips[i], TRUE);
            }
        }
    }

    if (m_pClient != NULL)
        m_pClient->OnSizeParent(pParent, rect, lParam);
    if (m_pTopContainer != NULL)
        m_pTopContainer->OnSizeParent(pParent, rect, lParam);
}
