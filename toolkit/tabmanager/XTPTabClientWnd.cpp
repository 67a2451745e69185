// Tabbed MDI client: workspaces of tabs standing for MDI children, their
// layout above and beside the children, the refresh, the tab-group commands
// and the keyboard, mouse and tooltips of the strips.
#include "XTPTabClientWnd.h"

#include <afxpriv.h>

#include <algorithm>
#include <XTPDCHelpers.h>
#include <XTPDrawHelpers.h>
#include <XTPToolTipContext.h>

IMPLEMENT_DYNAMIC(CXTPTabClientWnd, CWnd)

BEGIN_MESSAGE_MAP(CXTPTabClientWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_SIZE()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_COMMAND_RANGE(XTP_ID_WORKSPACE_MOVEPREVIOUS, XTP_ID_WORKSPACE_NEWVERTICAL, OnWorkspaceCommand)
    ON_UPDATE_COMMAND_UI_RANGE(XTP_ID_WORKSPACE_MOVEPREVIOUS, XTP_ID_WORKSPACE_NEWVERTICAL, OnUpdateWorkspaceCommand)
    ON_UPDATE_COMMAND_UI_RANGE(ID_WINDOW_ARRANGE, ID_WINDOW_TILE_VERT, OnUpdateArrangeCommand)
END_MESSAGE_MAP()

namespace
{
// The hit-test answer for the strips above the client area: a border the
// system does nothing with, so that the clicks come to this window.
const LRESULT kStripHitTest = HTBORDER;

// What a child pinned to its group's room gives up: no caption buttons to
// minimise or maximise and no sizing border (the system then greys Size,
// Minimize and Maximize in its system menu too).
const DWORD kPinnedStyles = WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME;

// The MDI children of a client window, in the system's order (top first).
void GetMDIChildren(HWND hWndClient, CArray<HWND, HWND>& arrChildren)
{
    for (HWND hWndChild = ::GetWindow(hWndClient, GW_CHILD); hWndChild != NULL;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
    {
        // Icon titles and the like are owned; MDI children are not.
        if (::GetWindow(hWndChild, GW_OWNER) != NULL)
            continue;
        if ((::GetWindowLongPtr(hWndChild, GWL_EXSTYLE) & WS_EX_MDICHILD) == 0 &&
            ::GetWindowLongPtr(hWndChild, GWL_ID) == 0)
            continue;
        arrChildren.Add(hWndChild);
    }
}
} // namespace

//////////////////////////////////////////////////////////////////////////
// CWorkspace

CXTPTabClientWnd::CWorkspace::CWorkspace(CXTPTabClientWnd* pClient)
    : m_pClient(pClient), m_rcWorkspace(0, 0, 0, 0), m_hWndInFront(NULL), m_nChildrenKey(0), m_rcFitted(0, 0, 0, 0),
      m_nFittedKey(0)
{
    // A close button at the end of every strip.
    if (CNavigateButton* pClose = FindNavigateButton(xtpTabNavigateButtonClose))
        pClose->SetShowMode(xtpTabNavigateButtonAlways);
}

CRect CXTPTabClientWnd::CWorkspace::GetStripRect() const
{
    return CRect(m_rcWorkspace.left, m_rcWorkspace.top, m_rcWorkspace.right,
                 m_rcWorkspace.top + m_pClient->GetStripHeight());
}

DWORD_PTR CXTPTabClientWnd::CWorkspace::GetChildrenKey() const
{
    DWORD_PTR nKey = 0;
    for (int j = 0; j < GetItemCount(); j++)
        nKey = nKey * 31 + (DWORD_PTR)GetItem(j)->GetData();
    return nKey;
}

CRect CXTPTabClientWnd::CWorkspace::GetDocumentRect() const
{
    CRect rc(m_rcWorkspace);
    rc.top += m_pClient->GetStripHeight();
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
    return rc;
}

void CXTPTabClientWnd::CWorkspace::Reposition()
{
    if (m_pClient->GetSafeHwnd() == NULL)
        return;
    CClientDC dc(m_pClient);
    GetPaintManager()->RepositionTabControlEntry(this, &dc, m_rcWorkspace);
    RedrawControl(NULL, FALSE);
}

void CXTPTabClientWnd::CWorkspace::RedrawControl(LPCRECT lpRect, BOOL bAnimate)
{
    (void)lpRect;
    (void)bAnimate;
    m_pClient->RedrawStrips();
}

BOOL CXTPTabClientWnd::CWorkspace::DrawIcon(CDC* pDC, CPoint pt, CXTPTabManagerItem* pItem, BOOL bDraw,
                                            CSize& szIcon) const
{
    if (pItem == NULL)
        return TRUE;
    HWND hWnd = (HWND)pItem->GetData();
    if (!::IsWindow(hWnd))
        return FALSE;
    HICON hIcon = (HICON)::SendMessage(hWnd, WM_GETICON, ICON_SMALL, 0);
    if (hIcon == NULL)
        hIcon = (HICON)::GetClassLongPtr(hWnd, GCLP_HICONSM);
    if (hIcon == NULL)
        hIcon = (HICON)::GetClassLongPtr(hWnd, GCLP_HICON);
    if (hIcon == NULL)
        return FALSE;
    if (bDraw)
        ::DrawIconEx(pDC->GetSafeHdc(), pt.x, pt.y, hIcon, szIcon.cx, szIcon.cy, 0, NULL, DI_NORMAL);
    return TRUE;
}

void CXTPTabClientWnd::CWorkspace::OnSelectItem(CXTPTabManagerItem* pItem)
{
    CXTPTabManager::OnSelectItem(pItem);
    HWND hWnd = pItem != NULL ? (HWND)pItem->GetData() : NULL;
    if (!::IsWindow(hWnd) || m_pClient->GetSafeHwnd() == NULL)
        return;
    m_pClient->SendMessage(WM_MDIACTIVATE, (WPARAM)hWnd, 0);
    // A tab shows its document: a minimised one comes back.
    if (::IsWindow(hWnd) && ::IsIconic(hWnd))
        m_pClient->SendMessage(WM_MDIRESTORE, (WPARAM)hWnd, 0);
}

void CXTPTabClientWnd::CWorkspace::OnNavigateButtonClick(int nID)
{
    if (nID != xtpTabNavigateButtonClose)
        return;
    CXTPTabManagerItem* pItem = GetSelectedItem();
    HWND hWnd = pItem != NULL ? (HWND)pItem->GetData() : NULL;
    // Posted: the strip that asked may go with the document.
    if (::IsWindow(hWnd))
        ::PostMessage(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
}

//////////////////////////////////////////////////////////////////////////
// CXTPTabClientWnd

CXTPTabClientWnd::CXTPTabClientWnd()
    : m_pParentFrame(NULL), m_bRefreshing(FALSE), m_bHorizSplitting(FALSE), m_bEnableGroups(FALSE),
      m_nStripHeight(0), m_bInLayout(FALSE), m_pinnedHook(this)
{
    m_pPaintManager = new CXTPTabPaintManager();
    m_pPaintManager->SetAppearance(xtpTabAppearancePropertyPage2003);
    // Document tabs light up under the pointer and always name their document.
    m_pPaintManager->m_bHotTracking = TRUE;
    m_pPaintManager->m_toolBehaviour = xtpTabToolTipAlways;
    m_pToolTipContext = new CXTPToolTipContext();
}

CXTPTabClientWnd::~CXTPTabClientWnd()
{
    // Children still pinned (the window was let go with its groups) leave
    // the hook that refers to this object.
    if (!m_mapPinned.empty())
        XTPHookManager()->RemoveHookAbleFromAll(&m_pinnedHook);
    for (int i = 0; i < GetWorkspaceCount(); i++)
    {
        m_pPaintManager->RemoveAtom(m_arrWorkspace[i]);
        delete m_arrWorkspace[i];
    }
    m_arrWorkspace.RemoveAll();
    m_pPaintManager->InternalRelease();
    m_pToolTipContext->InternalRelease();
}

BOOL CXTPTabClientWnd::Attach(CMDIFrameWnd* pFrame, BOOL bEnableGroups)
{
    if (pFrame == NULL || !::IsWindow(pFrame->m_hWndMDIClient) || m_hWnd != NULL)
        return FALSE;
    if (!SubclassWindow(pFrame->m_hWndMDIClient))
        return FALSE;
    m_pParentFrame = pFrame;
    m_bEnableGroups = bEnableGroups;
    // The strips draw their own edges.
    ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
    Refresh();
    return TRUE;
}

CXTPTabClientWnd::CWorkspace* CXTPTabClientWnd::AddWorkspace()
{
    CWorkspace* pWorkspace = new CWorkspace(this);
    m_arrWorkspace.Add(pWorkspace);
    m_pPaintManager->AddAtom(pWorkspace);
    LayoutWorkspaces();
    return pWorkspace;
}

void CXTPTabClientWnd::RemoveWorkspace(int nIndex)
{
    CWorkspace* pWorkspace = m_arrWorkspace[nIndex];
    m_arrWorkspace.RemoveAt(nIndex);
    m_pPaintManager->RemoveAtom(pWorkspace);
    delete pWorkspace;
}

int CXTPTabClientWnd::FindWorkspaceIndex(const CXTPTabManager* pWorkspace) const
{
    for (int i = 0; i < GetWorkspaceCount(); i++)
    {
        if (static_cast<const CXTPTabManager*>(m_arrWorkspace[i]) == pWorkspace)
            return i;
    }
    return -1;
}

CXTPTabManagerItem* CXTPTabClientWnd::FindItem(HWND hWnd) const
{
    for (int i = 0; i < GetWorkspaceCount(); i++)
    {
        CWorkspace* pWorkspace = m_arrWorkspace[i];
        for (int j = 0; j < pWorkspace->GetItemCount(); j++)
        {
            if ((HWND)pWorkspace->GetItem(j)->GetData() == hWnd)
                return pWorkspace->GetItem(j);
        }
    }
    return NULL;
}

HWND CXTPTabClientWnd::MDIGetActive()
{
    if (m_hWnd == NULL)
        return NULL;
    return (HWND)::SendMessage(m_hWnd, WM_MDIGETACTIVE, 0, 0);
}

CXTPCommandBars* CXTPTabClientWnd::GetCommandBars()
{
    // A frame that hosts command bars answers with them.
    if (m_pParentFrame == NULL || m_pParentFrame->GetSafeHwnd() == NULL)
        return NULL;
    return (CXTPCommandBars*)m_pParentFrame->SendMessage(WM_XTP_GETCOMMANDBARS);
}

// Layout ---------------------------------------------------------------------

void CXTPTabClientWnd::MeasureStrip()
{
    BOOL bItems = FALSE;
    for (int i = 0; i < GetWorkspaceCount(); i++)
        bItems |= m_arrWorkspace[i]->GetItemCount() > 0;

    int nHeight = 0;
    if (bItems)
    {
        // The header the paint manager makes in a roomy workspace.
        // The trial leaves the strip's scroll position as it was: the
        // offset it would pull back for the trial's width is not the one
        // the real width needs.
        CWorkspace* pWorkspace = m_arrWorkspace[0];
        CRect rcSaved = pWorkspace->m_rcWorkspace;
        const int nScrollSaved = pWorkspace->m_nScrollDelta;
        CRect rcMeasure(0, 0, 1000, 1000);
        CClientDC dc(this);
        m_pPaintManager->RepositionTabControlEntry(pWorkspace, &dc, rcMeasure);
        nHeight = pWorkspace->GetHeaderRect().bottom - rcMeasure.top;
        if (nHeight <= 0 || nHeight > rcMeasure.Height() / 2)
            nHeight = pWorkspace->GetClientRect().top - rcMeasure.top;
        pWorkspace->m_rcWorkspace = rcSaved;
        pWorkspace->m_nScrollDelta = nScrollSaved;
    }
    if (nHeight != m_nStripHeight)
    {
        m_nStripHeight = nHeight;
        // The client area shrinks or grows by the strip: the system places
        // maximised and cascaded children in what is left.
        SetWindowPos(NULL, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    }
}

void CXTPTabClientWnd::LayoutWorkspaces()
{
    if (m_hWnd == NULL || m_bInLayout)
        return;
    m_bInLayout = TRUE;
    MeasureStrip();

    CRect rcClient;
    GetClientRect(&rcClient);
    // The first row of strips lies above the client area.
    CRect rcAll(rcClient.left, rcClient.top - m_nStripHeight, rcClient.right, rcClient.bottom);
    const int nCount = GetWorkspaceCount();
    for (int i = 0; i < nCount; i++)
    {
        CRect rc(rcAll);
        if (m_bEnableGroups && nCount > 1)
        {
            // Side by side, or one under another for horizontal groups.
            if (m_bHorizSplitting)
            {
                rc.top = rcAll.top + rcAll.Height() * i / nCount;
                rc.bottom = rcAll.top + rcAll.Height() * (i + 1) / nCount;
            }
            else
            {
                rc.left = rcAll.left + rcAll.Width() * i / nCount;
                rc.right = rcAll.left + rcAll.Width() * (i + 1) / nCount;
            }
        }
        CWorkspace* pWorkspace = m_arrWorkspace[i];
        pWorkspace->m_rcWorkspace = rc;
        CClientDC dc(this);
        m_pPaintManager->RepositionTabControlEntry(pWorkspace, &dc, rc);
        // The selected tab stays in the visible part of the strip, however
        // wide the strip has become.
        if (pWorkspace->GetSelectedItem() != NULL)
            pWorkspace->EnsureVisible(pWorkspace->GetSelectedItem());
    }
    FitChildren();
    m_bInLayout = FALSE;
    RedrawStrips();
}

void CXTPTabClientWnd::FitChildren()
{
    if (!HasGroups())
    {
        // One group: the system lays the children out in the client area,
        // which the strip no longer covers. A child the groups held (where
        // only a program could move it) or that the layout placed and that
        // stayed there fills the whole room now; one the user moved or sized
        // is left where it is. A maximised or minimised one is looked at
        // again once restored: the system puts it back where it was placed.
        std::map<HWND, CPinnedChild> mapWasPinned(m_mapPinned);
        UnpinChildren();
        for (int i = 0; i < GetWorkspaceCount(); i++)
            m_arrWorkspace[i]->m_rcFitted.SetRectEmpty();
        CWorkspace* pWorkspace = GetWorkspaceCount() > 0 ? m_arrWorkspace[0] : NULL;
        // The active document in front, also of one that was in front in its
        // group before the groups went.
        if (pWorkspace != NULL && !m_mapFitted.IsEmpty())
            KeepSelectedInFront(pWorkspace);
        if (pWorkspace == NULL || m_mapFitted.IsEmpty())
        {
            m_mapFitted.RemoveAll();
            return;
        }
        CRect rcDocument = pWorkspace->GetDocumentRect();
        CMap<HWND, HWND, CRect, const CRect&> mapFitted;
        for (int j = 0; j < pWorkspace->GetItemCount(); j++)
        {
            HWND hWndChild = (HWND)pWorkspace->GetItem(j)->GetData();
            CRect rcPlaced;
            if (!::IsWindow(hWndChild) || !m_mapFitted.Lookup(hWndChild, rcPlaced))
                continue;
            if (::IsIconic(hWndChild) || ::IsZoomed(hWndChild))
            {
                mapFitted.SetAt(hWndChild, rcPlaced);
                continue;
            }
            CRect rcChild;
            ::GetWindowRect(hWndChild, &rcChild);
            ScreenToClient(&rcChild);
            if (rcChild != rcPlaced && mapWasPinned.count(hWndChild) == 0)
                continue;
            if (rcChild != rcDocument)
            {
                ::SetWindowPos(hWndChild, NULL, rcDocument.left, rcDocument.top, rcDocument.Width(),
                               rcDocument.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
            }
            mapFitted.SetAt(hWndChild, rcDocument);
        }
        m_mapFitted.RemoveAll();
        POSITION pos = mapFitted.GetStartPosition();
        while (pos != NULL)
        {
            HWND hWnd;
            CRect rc;
            mapFitted.GetNextAssoc(pos, hWnd, rc);
            m_mapFitted.SetAt(hWnd, rc);
        }
        return;
    }
    // Several: each group's children fill its part, its selected one in
    // front; a maximised child would cover the other groups, so none can be
    // maximised while the groups last, and none moved, sized or minimised.
    // A layout runs several times for every document opened: a group whose
    // room and children are as at its last layout has only its selected
    // child looked at (the others are behind it, and are looked at once
    // selected).
    HWND hWndActive = MDIGetActive();
    BOOL bMaximized = hWndActive != NULL && ::IsZoomed(hWndActive);
    if (bMaximized)
        DefWindowProc(WM_MDIRESTORE, (WPARAM)hWndActive, 0);
    for (int i = 0; i < GetWorkspaceCount(); i++)
    {
        CWorkspace* pWorkspace = m_arrWorkspace[i];
        const CRect rcDocument = pWorkspace->GetDocumentRect();
        const DWORD_PTR nChildrenKey = pWorkspace->GetChildrenKey();
        const BOOL bAll = rcDocument != pWorkspace->m_rcFitted || nChildrenKey != pWorkspace->m_nFittedKey;
        CXTPTabManagerItem* pSelected = pWorkspace->GetSelectedItem();
        for (int j = 0; j < pWorkspace->GetItemCount(); j++)
        {
            CXTPTabManagerItem* pItem = pWorkspace->GetItem(j);
            HWND hWndChild = (HWND)pItem->GetData();
            if ((!bAll && pItem != pSelected) || !::IsWindow(hWndChild))
                continue;
            if (::IsIconic(hWndChild) || ::IsZoomed(hWndChild))
                DefWindowProc(WM_MDIRESTORE, (WPARAM)hWndChild, 0);
            const UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE | PinChild(hWndChild);
            CRect rcChild;
            ::GetWindowRect(hWndChild, &rcChild);
            ScreenToClient(&rcChild);
            if (rcChild != rcDocument || (nFlags & SWP_FRAMECHANGED))
            {
                ::SetWindowPos(hWndChild, NULL, rcDocument.left, rcDocument.top, rcDocument.Width(),
                               rcDocument.Height(), nFlags);
            }
            m_mapFitted.SetAt(hWndChild, rcDocument);
        }
        pWorkspace->m_rcFitted = rcDocument;
        pWorkspace->m_nFittedKey = nChildrenKey;
        KeepSelectedInFront(pWorkspace);
    }
}

void CXTPTabClientWnd::KeepSelectedInFront(CWorkspace* pWorkspace)
{
    CXTPTabManagerItem* pSelected = pWorkspace->GetSelectedItem();
    HWND hWndSelected = pSelected != NULL ? (HWND)pSelected->GetData() : NULL;
    // The order of the windows is looked at only when the selected child or
    // the group's children changed since the last look.
    const DWORD_PTR nChildrenKey = pWorkspace->GetChildrenKey();
    if (hWndSelected == pWorkspace->m_hWndInFront && nChildrenKey == pWorkspace->m_nChildrenKey)
        return;
    pWorkspace->m_hWndInFront = hWndSelected;
    pWorkspace->m_nChildrenKey = nChildrenKey;
    if (!::IsWindow(hWndSelected))
        return;
    // Raised only when another child of its group lies above it.
    for (HWND hWnd = ::GetWindow(hWndSelected, GW_HWNDPREV); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDPREV))
    {
        for (int j = 0; j < pWorkspace->GetItemCount(); j++)
        {
            if ((HWND)pWorkspace->GetItem(j)->GetData() == hWnd)
            {
                ::SetWindowPos(hWndSelected, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
                return;
            }
        }
    }
}

UINT CXTPTabClientWnd::PinChild(HWND hWndChild)
{
    if (m_mapPinned.count(hWndChild) != 0)
        return 0;
    CPinnedChild pinned;
    const LONG_PTR dwStyle = ::GetWindowLongPtr(hWndChild, GWL_STYLE);
    pinned.dwStyleTaken = (DWORD)(dwStyle & kPinnedStyles);
    // Move leaves the system menu when the menu is about to show.
    pinned.nMovePosition = -1;
    pinned.nMoveFlags = 0;
    if (pinned.dwStyleTaken != 0)
        ::SetWindowLongPtr(hWndChild, GWL_STYLE, dwStyle & ~(LONG_PTR)kPinnedStyles);
    m_mapPinned[hWndChild] = pinned;
    // Moving with the caption, and the commands by key or by a program.
    XTPHookManager()->SetHook(hWndChild, &m_pinnedHook);
    return pinned.dwStyleTaken != 0 ? SWP_FRAMECHANGED : 0;
}

LRESULT CXTPTabClientWnd::CreatePinnedChild(const MDICREATESTRUCT& mcsAsked)
{
    // A new child joins the first group: it is made in that group's room and
    // without what a pinned child gives up, rather than moved and changed
    // there once made.
    MDICREATESTRUCT mcs = mcsAsked;
    const CRect rcDocument = m_arrWorkspace[0]->GetDocumentRect();
    mcs.x = rcDocument.left;
    mcs.y = rcDocument.top;
    mcs.cx = rcDocument.Width();
    mcs.cy = rcDocument.Height();
    CPinnedChild pinned;
    pinned.dwStyleTaken = mcs.style & kPinnedStyles;
    pinned.nMovePosition = -1;
    pinned.nMoveFlags = 0;
    mcs.style &= ~kPinnedStyles;
    HWND hWndChild = (HWND)CWnd::WindowProc(WM_MDICREATE, 0, (LPARAM)&mcs);
    if (hWndChild != NULL && ::IsWindow(hWndChild) && m_mapPinned.count(hWndChild) == 0)
    {
        // A client without MDIS_ALLCHILDSTYLES gives every child those
        // styles all the same.
        const LONG_PTR dwStyle = ::GetWindowLongPtr(hWndChild, GWL_STYLE);
        if (dwStyle & kPinnedStyles)
        {
            pinned.dwStyleTaken |= (DWORD)(dwStyle & kPinnedStyles);
            ::SetWindowLongPtr(hWndChild, GWL_STYLE, dwStyle & ~(LONG_PTR)kPinnedStyles);
            ::SetWindowPos(hWndChild, NULL, 0, 0, 0, 0,
                           SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        m_mapPinned[hWndChild] = pinned;
        XTPHookManager()->SetHook(hWndChild, &m_pinnedHook);
    }
    if (!m_bRefreshing)
        Refresh(FALSE);
    return (LRESULT)hWndChild;
}

void CXTPTabClientWnd::UnpinChildren()
{
    // Taken out first: giving a frame back lays the child out, which may
    // come back here.
    std::map<HWND, CPinnedChild> mapPinned;
    mapPinned.swap(m_mapPinned);
    for (const auto& entry : mapPinned)
        UnpinChild(entry.first, entry.second);
}

void CXTPTabClientWnd::UnpinChild(HWND hWndChild, const CPinnedChild& pinned)
{
    if (!::IsWindow(hWndChild))
        return;
    XTPHookManager()->RemoveHook(hWndChild, &m_pinnedHook);
    HMENU hSysMenu = pinned.nMovePosition >= 0 ? ::GetSystemMenu(hWndChild, FALSE) : NULL;
    if (hSysMenu != NULL && ::GetMenuState(hSysMenu, SC_MOVE, MF_BYCOMMAND) == (UINT)-1)
    {
        const int nPosition = std::min(pinned.nMovePosition, ::GetMenuItemCount(hSysMenu));
        ::InsertMenuA(hSysMenu, (UINT)nPosition, MF_BYPOSITION | MF_STRING | pinned.nMoveFlags, SC_MOVE,
                      pinned.strMove);
    }
    if (pinned.dwStyleTaken != 0)
    {
        const LONG_PTR dwStyle = ::GetWindowLongPtr(hWndChild, GWL_STYLE);
        ::SetWindowLongPtr(hWndChild, GWL_STYLE, dwStyle | (LONG_PTR)pinned.dwStyleTaken);
        ::SetWindowPos(hWndChild, NULL, 0, 0, 0, 0,
                       SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CXTPTabClientWnd::RemoveMoveCommand(HWND hWndChild, HMENU hSysMenu)
{
    // Move, which the system never greys for a window that is not
    // maximised, leaves the system menu of a pinned child.
    auto it = m_mapPinned.find(hWndChild);
    if (it == m_mapPinned.end() || it->second.nMovePosition >= 0 || hSysMenu == NULL)
        return;
    CPinnedChild& pinned = it->second;
    const int nCount = ::GetMenuItemCount(hSysMenu);
    for (int i = 0; i < nCount; i++)
    {
        if (::GetMenuItemID(hSysMenu, i) != SC_MOVE)
            continue;
        char szText[256] = "";
        ::GetMenuStringA(hSysMenu, (UINT)i, szText, (int)sizeof(szText), MF_BYPOSITION);
        pinned.strMove = szText;
        pinned.nMoveFlags = ::GetMenuState(hSysMenu, (UINT)i, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED | MF_CHECKED);
        if (::DeleteMenu(hSysMenu, (UINT)i, MF_BYPOSITION))
            pinned.nMovePosition = i;
        return;
    }
}

int CXTPTabClientWnd::CPinnedChildHook::OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam,
                                                      LRESULT& lResult)
{
    // The system menu about to show (the system's own items are updated
    // after this, by the window's style).
    if (nMessage == WM_INITMENUPOPUP && HIWORD(lParam) != 0)
        m_pClient->RemoveMoveCommand(hWnd, (HMENU)wParam);
    if (nMessage != WM_SYSCOMMAND)
        return hookContinue;
    switch (wParam & 0xFFF0)
    {
    case SC_MOVE:
    case SC_SIZE:
    case SC_MINIMIZE:
    case SC_MAXIMIZE:
    {
        // A dragged caption or border, the keys and the system menu: a
        // pinned child keeps its group's room.
        if (m_pClient->m_mapPinned.count(hWnd) == 0)
            return hookContinue;
        lResult = 0;
        return hookHandled;
    }
    default:
        return hookContinue;
    }
}

void CXTPTabClientWnd::OnSize(UINT nType, int cx, int cy)
{
    (void)nType;
    (void)cx;
    (void)cy;
    Default();
    LayoutWorkspaces();
}

// Contents ---------------------------------------------------------------------

CString CXTPTabClientWnd::GetChildrenState()
{
    if (m_hWnd == NULL)
        return CString();
    CArray<HWND, HWND> arrChildren;
    GetMDIChildren(m_hWnd, arrChildren);
    CStringArray arrTitles;
    arrTitles.SetSize(arrChildren.GetSize());
    for (INT_PTR i = 0; i < arrChildren.GetSize(); i++)
        CWnd::FromHandle(arrChildren[i])->GetWindowText(arrTitles[i]);
    return FormatChildrenState(arrChildren, arrTitles);
}

CString CXTPTabClientWnd::FormatChildrenState(const CArray<HWND, HWND>& arrChildren, const CStringArray& arrTitles)
{
    BOOL bMaximized = FALSE;
    HWND hWndActive = (HWND)::SendMessage(m_hWnd, WM_MDIGETACTIVE, 0, (LPARAM)&bMaximized);
    CString strState;
    strState.Format("%p:%d|", (void*)hWndActive, bMaximized);
    for (INT_PTR i = 0; i < arrChildren.GetSize(); i++)
    {
        CString strChild;
        strChild.Format("%p=", (void*)arrChildren[i]);
        strState += strChild + arrTitles[i] + "|";
    }
    return strState;
}

void CXTPTabClientWnd::UpdateContents()
{
    if (m_hWnd == NULL)
        return;

    // Items whose windows are gone leave their groups.
    for (int i = 0; i < GetWorkspaceCount(); i++)
    {
        CWorkspace* pWorkspace = m_arrWorkspace[i];
        BOOL bChanged = FALSE;
        for (int j = pWorkspace->GetItemCount() - 1; j >= 0; j--)
        {
            CXTPTabManagerItem* pItem = pWorkspace->GetItem(j);
            HWND hWnd = (HWND)pItem->GetData();
            if (!::IsWindow(hWnd) || ::GetParent(hWnd) != m_hWnd)
            {
                // A window that left the client gets back what the groups
                // took (a destroyed one took its hook along).
                auto itPinned = m_mapPinned.find(hWnd);
                if (itPinned != m_mapPinned.end())
                {
                    const CPinnedChild pinned = itPinned->second;
                    m_mapPinned.erase(itPinned);
                    UnpinChild(hWnd, pinned);
                }
                m_mapFitted.RemoveKey(hWnd);
                if (pWorkspace->GetSelectedItem() == pItem)
                    pWorkspace->m_pSelected = NULL;
                if (pWorkspace->GetHighlightedItem() == pItem)
                    pWorkspace->m_pHighlighted = NULL;
                if (pWorkspace->m_pPressed == pItem)
                    pWorkspace->m_pPressed = NULL;
                pWorkspace->m_arrItems.RemoveAt(j);
                pItem->OnRemoved();
                pItem->InternalRelease();
                bChanged = TRUE;
            }
        }
        if (bChanged)
        {
            pWorkspace->OnItemsChanged();
            // The group shows the next document in place of the closed one.
            if (pWorkspace->GetSelectedItem() == NULL && pWorkspace->GetItemCount() > 0)
                pWorkspace->m_pSelected = pWorkspace->GetItem(0);
        }
    }
    // A group left empty goes, unless it is the only one.
    for (int i = GetWorkspaceCount() - 1; i >= 0 && GetWorkspaceCount() > 1; i--)
    {
        if (m_arrWorkspace[i]->GetItemCount() == 0)
            RemoveWorkspace(i);
    }

    // New children join the first group, in the order they were opened;
    // captions and tooltips follow the window texts.
    CArray<HWND, HWND> arrChildren;
    GetMDIChildren(m_hWnd, arrChildren);
    CStringArray arrTitles;
    arrTitles.SetSize(arrChildren.GetSize());
    HWND hWndActive = MDIGetActive();
    for (INT_PTR n = arrChildren.GetSize() - 1; n >= 0; n--)
    {
        HWND hWndChild = arrChildren[n];
        CXTPTabManagerItem* pItem = FindItem(hWndChild);
        if (pItem == NULL)
        {
            if (GetWorkspaceCount() == 0)
                AddWorkspace();
            pItem = m_arrWorkspace[0]->InsertItem(-1, NULL);
            pItem->SetData((DWORD_PTR)hWndChild);
        }
        CString& strText = arrTitles[n];
        CWnd::FromHandle(hWndChild)->GetWindowText(strText);
        if (pItem->GetCaption() != strText)
            pItem->SetCaption(strText);
        pItem->SetTooltip(strText);
    }
    // The active child's tab is selected, and its group is the active one.
    for (int i = 0; i < GetWorkspaceCount(); i++)
    {
        CWorkspace* pWorkspace = m_arrWorkspace[i];
        CXTPTabManagerItem* pActive = NULL;
        for (int j = 0; j < pWorkspace->GetItemCount(); j++)
        {
            if ((HWND)pWorkspace->GetItem(j)->GetData() == hWndActive)
                pActive = pWorkspace->GetItem(j);
        }
        pWorkspace->SetActive(pActive != NULL || GetWorkspaceCount() == 1);
        if (pActive != NULL && pWorkspace->GetSelectedItem() != pActive)
            pWorkspace->SetSelectedItem(pActive);
    }
    // What the idle pass compares with, from the children just walked.
    m_strLastState = FormatChildrenState(arrChildren, arrTitles);
    LayoutWorkspaces();
}

void CXTPTabClientWnd::Refresh(BOOL bRecalcLayout)
{
    if (m_pParentFrame == NULL || m_bRefreshing)
        return;
    m_bRefreshing = TRUE;

    UpdateContents();

    if (GetWorkspaceCount() > 0 && m_hWnd != NULL)
    {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        if (m_bEnableGroups)
        {
            for (int i = 0; i < GetWorkspaceCount(); i++)
                m_arrWorkspace[i]->HandleMouseMove(m_hWnd, pt);
        }
        else
        {
            m_arrWorkspace[0]->HandleMouseMove(m_hWnd, pt);
        }
    }
    if (m_hWnd != NULL)
        RedrawStrips();

    if (bRecalcLayout && m_hWnd != NULL)
    {
        if (m_bEnableGroups)
            SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOZORDER);
        // The frame is laid out again, which places the client anew: through
        // the command bars when it has them, else directly (a client left
        // at 0 x 0 would hide every document).
        if (GetCommandBars() != NULL || m_bEnableGroups)
            m_pParentFrame->RecalcLayout(FALSE);
    }
    m_bRefreshing = FALSE;
}

LRESULT CXTPTabClientWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    // Children opened, closed, activated or retitled without a message
    // through this window (a click on a child, a new document title).
    if (!m_bRefreshing && GetChildrenState() != m_strLastState)
        Refresh(FALSE);
    return 0;
}

// Tab-group commands -----------------------------------------------------------

BOOL CXTPTabClientWnd::IsWorkspaceActionEnabled(UINT nID, CXTPTabManagerItem** ppItem)
{
    if (!m_bEnableGroups)
        return FALSE;
    HWND hWndActive = MDIGetActive();
    if (hWndActive == NULL)
        return FALSE;
    CXTPTabManagerItem* pItem = FindItem(hWndActive);
    if (pItem == NULL)
        return FALSE;
    if (ppItem != NULL)
        *ppItem = pItem;

    if (nID < XTP_ID_WORKSPACE_MOVEPREVIOUS || nID > XTP_ID_WORKSPACE_NEWVERTICAL)
        return TRUE;

    int nWorkspace = FindWorkspaceIndex(pItem->GetTabManager());
    int nItems = pItem->GetTabManager()->GetItemCount();
    switch (nID)
    {
    case XTP_ID_WORKSPACE_MOVEPREVIOUS:
        return nWorkspace > 0;
    case XTP_ID_WORKSPACE_MOVENEXT:
        return nWorkspace < GetWorkspaceCount() - 1;
    case XTP_ID_WORKSPACE_NEWHORIZONTAL:
        if (GetWorkspaceCount() > 1 && !m_bHorizSplitting)
            return FALSE;
        return nItems > 1;
    default:
        if (GetWorkspaceCount() > 1 && m_bHorizSplitting)
            return FALSE;
        return nItems > 1;
    }
}

void CXTPTabClientWnd::MoveItem(CXTPTabManagerItem* pItem, int nWorkspace, BOOL bInsert)
{
    CWorkspace* pSource = (CWorkspace*)pItem->GetTabManager();
    int nSource = FindWorkspaceIndex(pSource);
    if (nSource < 0)
        return;
    CWorkspace* pTarget = NULL;
    if (bInsert)
    {
        pTarget = new CWorkspace(this);
        m_arrWorkspace.InsertAt(nWorkspace, pTarget);
        m_pPaintManager->AddAtom(pTarget);
    }
    else
    {
        pTarget = m_arrWorkspace[nWorkspace];
    }

    // Out of its group (which shows its next document) into the other.
    pItem->InternalAddRef();
    if (pSource->GetSelectedItem() == pItem)
        pSource->m_pSelected = NULL;
    if (pSource->GetHighlightedItem() == pItem)
        pSource->m_pHighlighted = NULL;
    pSource->m_arrItems.RemoveAt(pItem->GetIndex());
    pSource->OnItemsChanged();
    if (pSource->GetItemCount() > 0)
        pSource->m_pSelected = pSource->GetItem(0);
    pTarget->InsertItem(-1, pItem);
    pTarget->SetSelectedItem(pItem);
    pItem->InternalRelease();

    if (pSource->GetItemCount() == 0)
        RemoveWorkspace(FindWorkspaceIndex(pSource));
}

BOOL CXTPTabClientWnd::DoWorkspaceAction(UINT nID)
{
    CXTPTabManagerItem* pItem = NULL;
    if (!IsWorkspaceActionEnabled(nID, &pItem) || pItem == NULL)
        return FALSE;
    int nWorkspace = FindWorkspaceIndex(pItem->GetTabManager());
    HWND hWndChild = (HWND)pItem->GetData();
    switch (nID)
    {
    case XTP_ID_WORKSPACE_MOVEPREVIOUS:
        MoveItem(pItem, nWorkspace - 1, FALSE);
        break;
    case XTP_ID_WORKSPACE_MOVENEXT:
        MoveItem(pItem, nWorkspace + 1, FALSE);
        break;
    case XTP_ID_WORKSPACE_NEWHORIZONTAL:
    case XTP_ID_WORKSPACE_NEWVERTICAL:
        m_bHorizSplitting = nID == XTP_ID_WORKSPACE_NEWHORIZONTAL;
        MoveItem(pItem, nWorkspace + 1, TRUE);
        break;
    default:
        return FALSE;
    }
    if (GetWorkspaceCount() < 2)
        m_bHorizSplitting = FALSE;
    UpdateContents();
    // The moved document stays the active one, in its new place.
    if (::IsWindow(hWndChild))
        DefWindowProc(WM_MDIACTIVATE, (WPARAM)hWndChild, 0);
    return TRUE;
}

void CXTPTabClientWnd::OnWorkspaceCommand(UINT nID)
{
    DoWorkspaceAction(nID);
}

void CXTPTabClientWnd::OnUpdateWorkspaceCommand(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(IsWorkspaceActionEnabled(pCmdUI->m_nID));
}

void CXTPTabClientWnd::OnUpdateArrangeCommand(CCmdUI* pCmdUI)
{
    // Cascade, tile and arrange icons would be undone at once by the groups,
    // which place every child: they are offered only while there is one.
    pCmdUI->Enable(MDIGetActive() != NULL && !HasGroups());
}

// Keyboard ---------------------------------------------------------------------

LRESULT CXTPTabClientWnd::OnMDINext(WPARAM wParam, LPARAM lParam)
{
    // Ctrl+Tab and Ctrl+F6 go through the tabs in their order, group after
    // group, instead of the system's order of the windows.
    CArray<HWND, HWND> arrOrder;
    for (int i = 0; i < GetWorkspaceCount(); i++)
    {
        for (int j = 0; j < m_arrWorkspace[i]->GetItemCount(); j++)
        {
            HWND hWnd = (HWND)m_arrWorkspace[i]->GetItem(j)->GetData();
            if (::IsWindow(hWnd))
                arrOrder.Add(hWnd);
        }
    }
    HWND hWndFrom = wParam != 0 ? (HWND)wParam : MDIGetActive();
    int nFrom = -1;
    for (int i = 0; i < arrOrder.GetSize(); i++)
    {
        if (arrOrder[i] == hWndFrom)
            nFrom = i;
    }
    if (nFrom < 0 || arrOrder.GetSize() < 2)
        return DefWindowProc(WM_MDINEXT, wParam, lParam);
    int nCount = (int)arrOrder.GetSize();
    int nNext = lParam != 0 ? (nFrom + nCount - 1) % nCount : (nFrom + 1) % nCount;
    DefWindowProc(WM_MDIACTIVATE, (WPARAM)arrOrder[nNext], 0);
    Refresh(FALSE);
    return 0;
}

// Drawing ----------------------------------------------------------------------

void CXTPTabClientWnd::RedrawStrips()
{
    if (m_hWnd == NULL)
        return;
    // The strips in the non-client area and those inside the client.
    ::RedrawWindow(m_hWnd, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
}

void CXTPTabClientWnd::DrawStrips(CDC* pDC, BOOL bNonClient)
{
    for (int i = 0; i < GetWorkspaceCount(); i++)
    {
        CWorkspace* pWorkspace = m_arrWorkspace[i];
        CRect rcStrip = pWorkspace->GetStripRect();
        if (rcStrip.IsRectEmpty() || (rcStrip.top < 0) != bNonClient)
            continue;
        int nSaved = pDC->SaveDC();
        pDC->IntersectClipRect(rcStrip);
        pDC->FillSolidRect(rcStrip, ::GetSysColor(COLOR_APPWORKSPACE));
        m_pPaintManager->DrawTabControl(pWorkspace, pDC, pWorkspace->m_rcWorkspace);
        pDC->RestoreDC(nSaved);
    }
}

void CXTPTabClientWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    dc.FillSolidRect(rcClient, ::GetSysColor(COLOR_APPWORKSPACE));
    DrawStrips(&dc, FALSE);
}

BOOL CXTPTabClientWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

// Mouse --------------------------------------------------------------------------

CXTPTabClientWnd::CWorkspace* CXTPTabClientWnd::StripFromPoint(CPoint point) const
{
    for (int i = 0; i < GetWorkspaceCount(); i++)
    {
        if (m_arrWorkspace[i]->GetStripRect().PtInRect(point))
            return m_arrWorkspace[i];
    }
    return NULL;
}

void CXTPTabClientWnd::UpdateMouse(CPoint point)
{
    for (int i = 0; i < GetWorkspaceCount(); i++)
        m_arrWorkspace[i]->HandleMouseMove(m_hWnd, point);
}

void CXTPTabClientWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    (void)nFlags;
    UpdateMouse(point);
    Default();
}

void CXTPTabClientWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    (void)nFlags;
    CWorkspace* pWorkspace = StripFromPoint(point);
    if (pWorkspace != NULL && pWorkspace->HandleLButtonDown(m_hWnd, point))
        return;
    Default();
}

BOOL CXTPTabClientWnd::IsInHelpMode() const
{
    return m_pParentFrame != NULL && m_pParentFrame->GetSafeHwnd() != NULL && m_pParentFrame->m_bHelpMode;
}

LRESULT CXTPTabClientWnd::HelpHitTest(CPoint point)
{
    // A tab stands for its document: the document's frame answers, else its
    // own context help id. Elsewhere 0, so that this window's context help
    // id or its parent's answer is taken.
    CWorkspace* pWorkspace = StripFromPoint(point);
    CXTPTabManagerItem* pItem = pWorkspace != NULL ? pWorkspace->HitTest(point) : NULL;
    HWND hWndChild = pItem != NULL ? (HWND)pItem->GetData() : NULL;
    if (!::IsWindow(hWndChild))
        return 0;
    LRESULT nContext = ::SendMessage(hWndChild, WM_HELPHITTEST, 0, 0);
    if (nContext == 0)
        nContext = (LRESULT)::GetWindowContextHelpId(hWndChild);
    return nContext;
}

INT_PTR CXTPTabClientWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    CWorkspace* pWorkspace = StripFromPoint(point);
    return pWorkspace != NULL ? pWorkspace->ToolHitTest(m_hWnd, point, pTI) : -1;
}

LRESULT CXTPTabClientWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Tooltips of the strips; those above the client area see the pointer
    // in client coordinates too.
    if (m_pToolTipContext != NULL && m_nStripHeight > 0)
    {
        if (message == WM_NCMOUSEMOVE)
        {
            CPoint pt((int)(short)LOWORD(lParam), (int)(short)HIWORD(lParam));
            ScreenToClient(&pt);
            m_pToolTipContext->FilterToolTipMessage(this, WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
        }
        else
        {
            m_pToolTipContext->FilterToolTipMessage(this, message, wParam, lParam);
        }
    }

    switch (message)
    {
    case WM_NCCALCSIZE:
    {
        LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        // The first row of strips is taken off the top of the client area.
        RECT* pRect = wParam ? &((NCCALCSIZE_PARAMS*)lParam)->rgrc[0] : (RECT*)lParam;
        if (pRect != NULL && m_nStripHeight > 0)
            pRect->top = std::min(pRect->bottom, pRect->top + (LONG)m_nStripHeight);
        return lResult;
    }
    case WM_NCPAINT:
    {
        LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        if (m_nStripHeight > 0)
        {
            // The window DC, with client coordinates for the strips.
            CRect rcWindow;
            GetWindowRect(&rcWindow);
            CPoint ptClient(0, 0);
            ClientToScreen(&ptClient);
            HDC hDC = ::GetWindowDC(m_hWnd);
            if (hDC != NULL)
            {
                CDC* pDC = CDC::FromHandle(hDC);
                int nSaved = pDC->SaveDC();
                ::SetViewportOrgEx(hDC, ptClient.x - rcWindow.left, ptClient.y - rcWindow.top, NULL);
                DrawStrips(pDC, TRUE);
                pDC->RestoreDC(nSaved);
                ::ReleaseDC(m_hWnd, hDC);
            }
        }
        return lResult;
    }
    case WM_NCHITTEST:
    {
        CPoint pt((int)(short)LOWORD(lParam), (int)(short)HIWORD(lParam));
        ScreenToClient(&pt);
        if (pt.y < 0 && StripFromPoint(pt) != NULL)
        {
            // Context help asks the client area for the help of a point:
            // the strips above it answer as a part of it.
            return IsInHelpMode() ? HTCLIENT : kStripHitTest;
        }
        break;
    }
    case WM_HELPHITTEST:
        return HelpHitTest(CPoint((int)(short)LOWORD(lParam), (int)(short)HIWORD(lParam)));
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (wParam == (WPARAM)kStripHitTest)
        {
            CPoint pt((int)(short)LOWORD(lParam), (int)(short)HIWORD(lParam));
            ScreenToClient(&pt);
            CWorkspace* pWorkspace = StripFromPoint(pt);
            if (message == WM_NCMOUSEMOVE)
            {
                UpdateMouse(pt);
                TRACKMOUSEEVENT tme = { sizeof(TRACKMOUSEEVENT), TME_LEAVE | TME_NONCLIENT, m_hWnd, 0 };
                ::TrackMouseEvent(&tme);
                return 0;
            }
            if (pWorkspace != NULL)
                pWorkspace->HandleLButtonDown(m_hWnd, pt);
            return 0;
        }
        break;
    case WM_MOUSELEAVE:
    case WM_NCMOUSELEAVE:
    {
        // Hover ends unless the pointer is still over a strip.
        CPoint pt;
        ::GetCursorPos(&pt);
        if (::WindowFromPoint(pt) != m_hWnd)
            pt = CPoint(-32000, -32000);
        else
            ScreenToClient(&pt);
        UpdateMouse(pt);
        break;
    }
    case WM_MDINEXT:
        return OnMDINext(wParam, lParam);
    case WM_MDIMAXIMIZE:
        // Several groups show their documents side by side, never one over all.
        if (m_bEnableGroups && GetWorkspaceCount() > 1)
            return 0;
        break;
    case WM_MDICASCADE:
    case WM_MDITILE:
    case WM_MDIICONARRANGE:
        // The groups place every child themselves.
        if (HasGroups())
            return 0;
        [[fallthrough]];
    case WM_MDICREATE:
        if (HasGroups() && lParam != 0)
            return CreatePinnedChild(*(const MDICREATESTRUCT*)lParam);
        [[fallthrough]];
    case WM_MDIDESTROY:
    case WM_MDIACTIVATE:
    case WM_MDIRESTORE:
    {
        // The tabs follow at once.
        LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        if (!m_bRefreshing)
            Refresh(FALSE);
        return lResult;
    }
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
