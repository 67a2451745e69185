// The common base of panes and containers, container child lists and the
// caption buttons.
#include "XTPDockingPaneBase.h"

#include "XTPDockingPane.h"
#include "XTPDockingPaneLayout.h"
#include "XTPDockingPaneManager.h"
#include "XTPDockingPanePaintManager.h"

#include <XTPDrawHelpers.h>
#include <XTPPropExchange.h>
#include <afxpriv.h>

#include <algorithm>

namespace
{
LONG ClampSize(LONG n)
{
    return std::max(0L, std::min(n, (LONG)XTP_DOCKINGPANE_MAXSIZE));
}

CPoint PointFromLParam(LPARAM lParam)
{
    return CPoint((int)(short)LOWORD(lParam), (int)(short)HIWORD(lParam));
}
} // namespace

BOOL AFX_CDECL XTPDockingPaneDispatchPaints()
{
    // A quit waiting comes out of the paint filter too; it is posted again
    // and left for the caller's loop.
    MSG msg;
    while (::PeekMessage(&msg, NULL, WM_PAINT, WM_PAINT, PM_REMOVE))
    {
        if (msg.message == WM_QUIT)
        {
            AfxPostQuitMessage((int)msg.wParam);
            return FALSE;
        }
        ::DispatchMessage(&msg);
    }
    return TRUE;
}

BOOL AFX_CDECL XTPDockingPaneGetLoopMessage(MSG* pMsg)
{
    if (!XTPDockingPaneDispatchPaints())
        return FALSE;   // the quit is back on the queue
    const BOOL nResult = ::GetMessage(pMsg, NULL, 0, 0);
    if (nResult > 0)
        return TRUE;
    if (nResult == 0)
        AfxPostQuitMessage((int)pMsg->wParam);
    return FALSE;
}

void AFX_CDECL XTPDockingPanePlaceWindow(HWND hWnd, const CRect& rc, BOOL bBottom)
{
    if (hWnd == NULL || !::IsWindow(hWnd))
        return;
    CRect rcNow;
    ::GetWindowRect(hWnd, &rcNow);
    ::MapWindowPoints(NULL, ::GetParent(hWnd), (LPPOINT)&rcNow, 2);
    BOOL bShown = (::GetWindowLong(hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
    if (rcNow == rc && bShown)
        return;
    UINT nFlags = SWP_NOACTIVATE | SWP_SHOWWINDOW | (bBottom ? 0 : SWP_NOZORDER);
    ::SetWindowPos(hWnd, HWND_BOTTOM, rc.left, rc.top, rc.Width(), rc.Height(), nFlags);
}

//////////////////////////////////////////////////////////////////////////
// CXTPDockingPaneBase

CXTPDockingPaneBase::CXTPDockingPaneBase(XTPDockingPaneType type, CXTPDockingPaneLayout* pLayout)
    : m_szDocking(0, 0), m_pLayout(pLayout), m_pParentContainer(NULL), m_pDockingSite(NULL), m_type(type),
      m_rcWindow(0, 0, 0, 0), m_pCaptionButtons(NULL), m_nLength(0), m_nIndex(0)
{
    CXTPDockingPaneManager* pManager = pLayout != NULL ? pLayout->GetManager() : NULL;
    m_pDockingSite = pManager != NULL ? pManager->GetSite() : NULL;
    if (pLayout != NULL)
        pLayout->AddObject(this);
}

CXTPDockingPaneBase::~CXTPDockingPaneBase()
{
    delete m_pCaptionButtons;
}

CXTPDockingPaneManager* CXTPDockingPaneBase::GetDockingPaneManager() const
{
    return m_pLayout != NULL ? m_pLayout->GetManager() : NULL;
}

CXTPDockingPanePaintManager* CXTPDockingPaneBase::GetPaintManager() const
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    return pManager != NULL ? pManager->GetPaintManager() : NULL;
}

void CXTPDockingPaneBase::GetScreenRect(LPRECT lpRect) const
{
    *lpRect = m_rcWindow;
    CWnd* pSite = GetDockingSite();
    if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
        pSite->ClientToScreen(lpRect);
}

void CXTPDockingPaneBase::SetDockingSize(LONG cx, LONG cy)
{
    m_szDocking = CSize(ClampSize(cx), ClampSize(cy));
}

void CXTPDockingPaneBase::Invalidate()
{
    HWND hWnd = GetPaneHwnd();
    if (hWnd != NULL && ::IsWindow(hWnd))
        ::InvalidateRect(hWnd, NULL, FALSE);
}

POSITION CXTPDockingPaneBase::ContainsPane(CXTPDockingPaneBase* pPane) const
{
    return pPane == this ? (POSITION)1 : NULL;
}

void CXTPDockingPaneBase::FindPanes(XTPDockingPaneType type, CXTPDockingPaneBaseList* pList)
{
    if (m_type == type)
        pList->AddTail(this);
}

void CXTPDockingPaneBase::GetMinMaxInfo(LPMINMAXINFO pMinMaxInfo) const
{
    ZeroMemory(pMinMaxInfo, sizeof(MINMAXINFO));
    pMinMaxInfo->ptMaxTrackSize = CPoint(XTP_DOCKINGPANE_MAXSIZE, XTP_DOCKINGPANE_MAXSIZE);
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (m_type == xtpPaneTypeClientContainer && pManager != NULL && !pManager->IsClientHidden())
        pMinMaxInfo->ptMinTrackSize = CPoint(pManager->m_szClientMinSize.cx, pManager->m_szClientMinSize.cy);
}

BOOL CXTPDockingPaneBase::IsHidden() const
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    return m_type == xtpPaneTypeClientContainer && pManager != NULL && pManager->IsClientHidden();
}

void CXTPDockingPaneBase::OnSizeParent(CWnd* pParent, CRect rect, LPVOID lParam)
{
    m_rcWindow = rect;
}

void CXTPDockingPaneBase::OnChildContainerChanged(CXTPDockingPaneBase* pChild)
{
    if (m_pParentContainer != NULL)
        m_pParentContainer->OnChildContainerChanged(this);
}

BOOL CXTPDockingPaneBase::DoPropExchange(CXTPPropExchange* pPX)
{
    long cx = m_szDocking.cx, cy = m_szDocking.cy;
    PropExchangeLong(pPX, _T("DockingCX"), cx);
    PropExchangeLong(pPX, _T("DockingCY"), cy);
    if (pPX->IsLoading())
        SetDockingSize(cx, cy);   // a stored size is kept within range
    return TRUE;
}

CXTPDockingPaneBase* CXTPDockingPaneBase::Clone(CXTPDockingPaneLayout* pLayout, CXTPPaneToPaneMap* pMap,
                                                DWORD dwIgnoredOptions)
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    CXTPDockingPaneBase* pClone = pManager != NULL ? pManager->OnCreatePane(m_type, pLayout) : NULL;
    if (pClone != NULL)
    {
        pClone->m_szDocking = m_szDocking;
        pClone->m_rcWindow = m_rcWindow;
        if (pMap != NULL)
            pMap->SetAt(this, pClone);
    }
    return pClone;
}

//////////////////////////////////////////////////////////////////////////
// CXTPDockingPaneBaseContainer

POSITION CXTPDockingPaneBaseContainer::ContainsPane(CXTPDockingPaneBase* pPane) const
{
    if (pPane == this)
        return (POSITION)1;
    POSITION pos = m_lstPanes.GetHeadPosition();
    while (pos != NULL)
    {
        POSITION posChild = pos;
        if (m_lstPanes.GetNext(pos)->ContainsPane(pPane) != NULL)
            return posChild;
    }
    return NULL;
}

void CXTPDockingPaneBaseContainer::FindPanes(XTPDockingPaneType type, CXTPDockingPaneBaseList* pList)
{
    if (m_type == type && !IsHidden())
        pList->AddTail(this);
    POSITION pos = m_lstPanes.GetHeadPosition();
    while (pos != NULL)
        m_lstPanes.GetNext(pos)->FindPanes(type, pList);
}

BOOL CXTPDockingPaneBaseContainer::IsHidden() const
{
    POSITION pos = m_lstPanes.GetHeadPosition();
    while (pos != NULL)
    {
        if (!m_lstPanes.GetNext(pos)->IsHidden())
            return FALSE;
    }
    return TRUE;
}

//////////////////////////////////////////////////////////////////////////
// Caption buttons

CXTPDockingPaneCaptionButton::CXTPDockingPaneCaptionButton(int nID, CXTPDockingPaneBase* pOwner)
    : m_rcButton(0, 0, 0, 0), m_pOwner(pOwner), m_nID(nID), m_bPressed(FALSE), m_bHot(FALSE), m_dwState(0)
{
}

void CXTPDockingPaneCaptionButton::SetRect(CRect rc)
{
    if (m_pOwner == NULL || rc == m_rcButton)
        return;
    m_rcButton = rc;
    m_pOwner->OnCaptionButtonRectChanged(this);
}

BOOL CXTPDockingPaneCaptionButton::IsVisible()
{
    return m_pOwner != NULL && m_pOwner->IsCaptionButtonVisible(this);
}

BOOL CXTPDockingPaneCaptionButton::IsEnabled() const
{
    CXTPDockingPane* pPane = CXTPDockingPanePaintManager::GetCaptionPane(m_pOwner);
    return pPane == NULL || (pPane->GetEnabled() & xtpPaneEnableActions) != 0;
}

void CXTPDockingPaneCaptionButton::Redraw()
{
    if (m_pOwner != NULL)
        m_pOwner->Invalidate();
}

BOOL CXTPDockingPaneCaptionButton::CheckForMouseOver(CPoint pt)
{
    if (!PtInRect(pt) && m_bHot)
    {
        m_bHot = FALSE;
        Redraw();
    }
    if (!m_bHot && PtInRect(pt) && IsEnabled())
    {
        HWND hWnd = m_pOwner != NULL ? m_pOwner->GetPaneHwnd() : NULL;
        if (hWnd != NULL)
        {
            TRACKMOUSEEVENT tme = { sizeof(TRACKMOUSEEVENT), TME_LEAVE, hWnd, 0 };
            ::_TrackMouseEvent(&tme);
        }
        m_bHot = TRUE;
        Redraw();
        return TRUE;
    }
    return FALSE;
}

BOOL CXTPDockingPaneCaptionButton::Click(CWnd* pWnd, CPoint pt, BOOL bWindowCoordinates)
{
    if (::GetCapture() != NULL || pWnd == NULL || pWnd->GetSafeHwnd() == NULL)
        return FALSE;
    HWND hWnd = pWnd->GetSafeHwnd();
    ::SetCapture(hWnd);
    BOOL bClick = FALSE;

    while (::GetCapture() == hWnd)
    {
        BOOL bPressed = PtInRect(pt);
        if (bPressed != m_bPressed)
        {
            m_bPressed = bPressed;
            Redraw();
        }
        MSG msg;
        if (!XTPDockingPaneGetLoopMessage(&msg))
            break;
        BOOL bEnd = FALSE;
        switch (msg.message)
        {
        case WM_MOUSEMOVE:
            pt = PointFromLParam(msg.lParam);
            if (!bWindowCoordinates)
            {
                ::ClientToScreen(hWnd, &pt);
                CXTPDrawHelpers::ScreenToWindow(pWnd, &pt);
            }
            break;
        case WM_LBUTTONUP:
            bClick = m_bPressed;
            bEnd = TRUE;
            break;
        case WM_CANCELMODE:
        case WM_RBUTTONDOWN:
            bEnd = TRUE;
            break;
        case WM_KEYDOWN:
            bEnd = msg.wParam == VK_ESCAPE;
            break;
        case WM_NCMOUSEMOVE:
            break;
        default:
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
            break;
        }
        if (bEnd)
            break;
    }

    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    m_bPressed = FALSE;
    CheckForMouseOver(pt);
    Redraw();
    return bClick;
}

CXTPDockingPaneCaptionButtons::~CXTPDockingPaneCaptionButtons()
{
    for (int i = 0; i < GetSize(); i++)
        delete GetAt(i);
}

BOOL CXTPDockingPaneCaptionButtons::CheckForMouseOver(CPoint pt)
{
    BOOL bHot = FALSE;
    for (int i = 0; i < GetSize(); i++)
    {
        if (GetAt(i)->CheckForMouseOver(pt))
            bHot = TRUE;
    }
    return bHot;
}

CXTPDockingPaneCaptionButton* CXTPDockingPaneCaptionButtons::HitTest(CPoint pt) const
{
    for (int i = 0; i < GetSize(); i++)
    {
        CXTPDockingPaneCaptionButton* pButton = GetAt(i);
        if (!pButton->GetRect().IsRectEmpty() && pButton->PtInRect(pt))
            return pButton;
    }
    return NULL;
}

CXTPDockingPaneCaptionButton* CXTPDockingPaneCaptionButtons::Find(int nID) const
{
    for (int i = 0; i < GetSize(); i++)
    {
        if (GetAt(i)->GetID() == nID)
            return GetAt(i);
    }
    return NULL;
}
