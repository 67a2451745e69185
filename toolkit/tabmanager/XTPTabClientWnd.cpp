// Tabbed MDI client: workspaces of tabs standing for MDI children, their
// refresh and the availability of the tab-group commands.
#include "XTPTabClientWnd.h"

#include <algorithm>
#include <XTPDCHelpers.h>
#include <XTPDrawHelpers.h>

IMPLEMENT_DYNAMIC(CXTPTabClientWnd, CWnd)

BEGIN_MESSAGE_MAP(CXTPTabClientWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_SIZE()
END_MESSAGE_MAP()

//////////////////////////////////////////////////////////////////////////
// CWorkspace

void CXTPTabClientWnd::CWorkspace::Reposition()
{
    if (m_pClient->GetSafeHwnd() == NULL)
        return;
    CClientDC dc(m_pClient);
    GetPaintManager()->RepositionTabControlEntry(this, &dc, m_rcWorkspace);
    m_pClient->InvalidateRect(m_rcWorkspace, FALSE);
}

void CXTPTabClientWnd::CWorkspace::RedrawControl(LPCRECT lpRect, BOOL bAnimate)
{
    if (m_pClient->GetSafeHwnd() != NULL)
        m_pClient->InvalidateRect(lpRect != NULL ? lpRect : (LPCRECT)&m_rcWorkspace, FALSE);
}

BOOL CXTPTabClientWnd::CWorkspace::DrawIcon(CDC* pDC, CPoint pt, CXTPTabManagerItem* pItem, BOOL bDraw,
                                            CSize& szIcon) const
{
    if (pItem == NULL)
        return TRUE;
    HWND hWnd = (HWND)pItem->GetData();
    HICON hIcon = ::IsWindow(hWnd) ? (HICON)::SendMessage(hWnd, WM_GETICON, ICON_SMALL, 0) : NULL;
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
    if (::IsWindow(hWnd) && m_pClient->GetSafeHwnd() != NULL)
        m_pClient->SendMessage(WM_MDIACTIVATE, (WPARAM)hWnd, 0);
}

//////////////////////////////////////////////////////////////////////////
// CXTPTabClientWnd

CXTPTabClientWnd::CXTPTabClientWnd()
    : m_pParentFrame(NULL), m_bRefreshing(FALSE), m_bHorizSplitting(FALSE), m_bEnableGroups(FALSE)
{
    m_pPaintManager = new CXTPTabPaintManager();
    m_pPaintManager->SetAppearance(xtpTabAppearancePropertyPage2003);
}

CXTPTabClientWnd::~CXTPTabClientWnd()
{
    for (int i = 0; i < GetWorkspaceCount(); i++)
    {
        m_pPaintManager->RemoveAtom(m_arrWorkspace[i]);
        delete m_arrWorkspace[i];
    }
    m_arrWorkspace.RemoveAll();
    m_pPaintManager->InternalRelease();
}

BOOL CXTPTabClientWnd::Attach(CMDIFrameWnd* pFrame, BOOL bEnableGroups)
{
    if (pFrame == NULL || !::IsWindow(pFrame->m_hWndMDIClient) || m_hWnd != NULL)
        return FALSE;
    if (!SubclassWindow(pFrame->m_hWndMDIClient))
        return FALSE;
    m_pParentFrame = pFrame;
    m_bEnableGroups = bEnableGroups;
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

void CXTPTabClientWnd::LayoutWorkspaces()
{
    if (m_hWnd == NULL)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    const int nCount = GetWorkspaceCount();
    for (int i = 0; i < nCount; i++)
    {
        CRect rc(rcClient);
        if (m_bEnableGroups && nCount > 1)
        {
            // Side by side, or one under another for horizontal groups.
            if (m_bHorizSplitting)
            {
                rc.top = rcClient.top + rcClient.Height() * i / nCount;
                rc.bottom = rcClient.top + rcClient.Height() * (i + 1) / nCount;
            }
            else
            {
                rc.left = rcClient.left + rcClient.Width() * i / nCount;
                rc.right = rcClient.left + rcClient.Width() * (i + 1) / nCount;
            }
        }
        m_arrWorkspace[i]->m_rcWorkspace = rc;
        m_arrWorkspace[i]->Reposition();
    }
}

void CXTPTabClientWnd::UpdateContents()
{
    if (m_hWnd == NULL)
        return;

    // Items whose windows are gone leave their groups; new children join the
    // first group; captions follow the window texts.
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
                if (pWorkspace->GetSelectedItem() == pItem)
                    pWorkspace->m_pSelected = NULL;
                if (pWorkspace->GetHighlightedItem() == pItem)
                    pWorkspace->m_pHighlighted = NULL;
                pWorkspace->m_arrItems.RemoveAt(j);
                pItem->OnRemoved();
                pItem->InternalRelease();
                bChanged = TRUE;
            }
        }
        if (bChanged)
            pWorkspace->OnItemsChanged();
    }

    HWND hWndActive = MDIGetActive();
    for (HWND hWndChild = ::GetWindow(m_hWnd, GW_CHILD); hWndChild != NULL;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
    {
        if (::GetWindow(hWndChild, GW_OWNER) != NULL)
            continue;   // icon titles and the like
        CXTPTabManagerItem* pItem = FindItem(hWndChild);
        if (pItem == NULL)
        {
            if (GetWorkspaceCount() == 0)
                AddWorkspace();
            pItem = m_arrWorkspace[0]->InsertItem(-1, NULL);
            pItem->SetData((DWORD_PTR)hWndChild);
        }
        CString strText;
        CWnd::FromHandle(hWndChild)->GetWindowText(strText);
        pItem->SetCaption(strText);
        if (hWndChild == hWndActive)
            pItem->GetTabManager()->SetSelectedItem(pItem);
    }
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
        Invalidate(FALSE);

    if (bRecalcLayout && m_hWnd != NULL)
    {
        if (m_bEnableGroups)
            SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOZORDER);
        // The command bars re-lay the frame out when there are any.
        if (GetCommandBars() != NULL)
            m_pParentFrame->RecalcLayout(FALSE);
    }
    m_bRefreshing = FALSE;
}

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

void CXTPTabClientWnd::OnPaint()
{
    CPaintDC dcPaint(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CXTPBufferDC dc(dcPaint.GetSafeHdc(), rcClient);
    dc.FillSolidRect(rcClient, ::GetSysColor(COLOR_APPWORKSPACE));
    for (int i = 0; i < GetWorkspaceCount(); i++)
        m_pPaintManager->DrawTabControl(m_arrWorkspace[i], &dc, m_arrWorkspace[i]->m_rcWorkspace);
}

BOOL CXTPTabClientWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CXTPTabClientWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bEnableGroups)
    {
        for (int i = 0; i < GetWorkspaceCount(); i++)
            m_arrWorkspace[i]->HandleMouseMove(m_hWnd, point);
    }
    Default();
}

void CXTPTabClientWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    for (int i = 0; i < GetWorkspaceCount(); i++)
    {
        if (m_arrWorkspace[i]->m_rcWorkspace.PtInRect(point) && m_arrWorkspace[i]->HandleLButtonDown(m_hWnd, point))
            return;
    }
    Default();
}

void CXTPTabClientWnd::OnSize(UINT nType, int cx, int cy)
{
    Default();
    LayoutWorkspaces();
}
