// The drag-and-dock context: the modal drag loop, the search for a drop
// target, the outline and translucent feedback, the drop, and the snapping
// of floating windows.
#include "XTPDockingPaneContext.h"

#include "XTPDockingPane.h"
#include "XTPDockingPaneContextStickerWnd.h"
#include "XTPDockingPaneLayout.h"
#include "XTPDockingPaneManager.h"
#include "XTPDockingPaneMiniWnd.h"
#include "XTPDockingPanePaintManager.h"
#include "XTPDockingPaneSplitterContainer.h"
#include "XTPDockingPaneTabbedContainer.h"

#include <algorithm>

#include <XTPDockContext.h>
#include <XTPDrawHelpers.h>
#include <XTPSystemHelpers.h>
#include <XTPTabPaintManager.h>

#include <math.h>
#include <stdlib.h>

#include <algorithm>

namespace
{
// A drag really starts once the cursor moved more than this from the press.
const int kDragThreshold = 4;
// The band along an edge in which a point finds that side.
const double kSideThreshold = 20.0;
// Keyboard moves step this far.
const int kKeyboardStep = 10;
// The translucent preview's opacity (of 255).
const BYTE kPreviewAlpha = 100;

CRect WindowRectOf(HWND hWnd)
{
    CRect rc(0, 0, 0, 0);
    if (hWnd != NULL && ::IsWindow(hWnd))
        ::GetWindowRect(hWnd, &rc);
    return rc;
}

CRect ScreenRectOf(const CXTPDockingPaneBase* pPane)
{
    CRect rc(0, 0, 0, 0);
    if (pPane != NULL)
        pPane->GetScreenRect(&rc);
    return rc;
}

HWND RootOf(HWND hWnd)
{
    return hWnd != NULL ? ::GetAncestor(hWnd, GA_ROOT) : NULL;
}

// Whether two rectangles lie within nGap of each other.
BOOL IsNear(const CRect& rc, const CRect& rcOther, int nGap)
{
    return rc.bottom >= rcOther.top - nGap && rc.top <= rcOther.bottom + nGap && rc.right >= rcOther.left - nGap &&
           rc.left <= rcOther.right + nGap;
}

// The screen point of a mouse message, from its window's client coordinates.
CPoint MessagePoint(const MSG& msg)
{
    CPoint pt((int)(short)LOWORD(msg.lParam), (int)(short)HIWORD(msg.lParam));
    if (msg.hwnd != NULL)
        ::ClientToScreen(msg.hwnd, &pt);
    return pt;
}

const UINT kSideParts[4] = { xtpStickerLeft, xtpStickerRight, xtpStickerTop, xtpStickerBottom };
} // namespace

//////////////////////////////////////////////////////////////////////////
// CXTPDockingPaneContextAlphaWnd

BEGIN_MESSAGE_MAP(CXTPDockingPaneContextAlphaWnd, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

void CXTPDockingPaneContextAlphaWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(rc, ::GetSysColor(COLOR_HIGHLIGHT));
}

//////////////////////////////////////////////////////////////////////////
// CXTPDockingPaneContext

CXTPDockingPaneContext::CXTPDockingPaneContext(CXTPDockingPaneManager* pManager)
    : m_pfnSetLayeredWindowAttributes(NULL), m_bUseDockingStickers(FALSE), m_bUseAlphaContext(FALSE),
      m_rcStickyPane(0, 0, 0, 0), m_pStickyPane(NULL), m_pLastStickyPane(NULL), m_lstStickers(10), m_ptLast(0, 0),
      m_ptSticky(0, 0), m_rectDragFrame(0, 0, 0, 0), m_rectDragFrameScreen(0, 0, 0, 0), m_pManager(pManager),
      m_pPane(NULL), m_bKeyboard(FALSE), m_bDragRemoved(FALSE), m_pContainer(NULL), m_rectContainer(0, 0, 0, 0),
      m_containDirection((XTPDockingPaneDirection)-1), m_bAttach(FALSE), m_bAttachLast(FALSE), m_bFloatable(TRUE),
      m_bDockable(TRUE), m_rectLast(0, 0, 0, 0), m_mapStickerRegions(10), m_plstReusableStickers(NULL), m_pDC(NULL),
      m_rcMiniWndBefore(0, 0, 0, 0), m_bFloatedNow(FALSE), m_bDesktopLocked(FALSE)
{
    m_mapStickerRegions.InitHashTable(17);
    HMODULE hUser32 = ::GetModuleHandle(_T("USER32"));
    if (hUser32 != NULL)
        m_pfnSetLayeredWindowAttributes =
            (PFNSETLAYEREDWINDOWATTRIBUTES)::GetProcAddress(hUser32, "SetLayeredWindowAttributes");
}

CXTPDockingPaneContext::~CXTPDockingPaneContext()
{
    DestroyDockingStickers();
    DeleteStickerRegions();
    ReleaseDesktopDC();
}

void CXTPDockingPaneContext::DeleteStickerRegions()
{
    POSITION pos = m_mapStickerRegions.GetStartPosition();
    while (pos != NULL)
    {
        UINT nKind;
        CRgn* pRgn;
        m_mapStickerRegions.GetNextAssoc(pos, nKind, pRgn);
        delete pRgn;
    }
    m_mapStickerRegions.RemoveAll();
}

int CXTPDockingPaneContext::GetStickerStyle() const
{
    return m_pManager != NULL ? m_pManager->m_nDockingContextStickerStyle : 0;
}

void CXTPDockingPaneContext::CollectPanes(CXTPDockingPaneBase* pPane,
                                          CArray<CXTPDockingPane*, CXTPDockingPane*>& arrPanes) const
{
    arrPanes.RemoveAll();
    if (pPane == NULL)
        return;
    if (pPane->GetType() == xtpPaneTypeDockingPane)
    {
        arrPanes.Add(static_cast<CXTPDockingPane*>(pPane));
        return;
    }
    CXTPDockingPaneBaseList lst;
    pPane->FindPanes(xtpPaneTypeDockingPane, &lst);
    POSITION pos = lst.GetHeadPosition();
    while (pos != NULL)
        arrPanes.Add(static_cast<CXTPDockingPane*>(lst.GetNext(pos)));
}

CXTPDockingPaneMiniWnd* CXTPDockingPaneContext::GetDraggedMiniWnd() const
{
    if (m_pPane == NULL || m_pPane->GetType() != xtpPaneTypeSplitterContainer)
        return NULL;
    CXTPDockingPaneBase* pParent = m_pPane->GetContainer();
    if (pParent == NULL || pParent->GetType() != xtpPaneTypeMiniWnd)
        return NULL;
    return static_cast<CXTPDockingPaneMiniWnd*>(pParent);
}

CRect CXTPDockingPaneContext::GetObjectRect(CXTPDockingPaneBase* pPane) const
{
    // The content of a floating window moves with its window.
    CXTPDockingPaneBase* pParent = pPane->GetContainer();
    if (pPane->GetType() == xtpPaneTypeSplitterContainer && pParent != NULL &&
        pParent->GetType() == xtpPaneTypeMiniWnd)
        return WindowRectOf(pParent->GetPaneHwnd());
    HWND hWnd = pPane->GetPaneHwnd();
    if (hWnd != NULL)
        return WindowRectOf(hWnd);
    return ScreenRectOf(pPane);
}

//////////////////////////////////////////////////////////////////////////
// Starting, running and ending the loop

void CXTPDockingPaneContext::Drag(CXTPDockingPaneBase* pPane, CPoint pt)
{
    if (pPane == NULL || m_pManager == NULL || m_pPane != NULL)
        return;
    CWnd* pSite = m_pManager->GetSite();
    if (pSite == NULL || pSite->GetSafeHwnd() == NULL)
        return;
    // The loop cannot run while another window holds the mouse; nothing is
    // locked or shown then.
    if (::GetCapture() != NULL)
    {
        TRACE("A drag was not started: another window holds the mouse.\n");
        return;
    }
    BeginDrag(pPane, pt);
    InitLoop();
    Track();
    ForgetPlaces();
    m_pPane = NULL;
    m_pContainer = NULL;
    m_pStickyPane = m_pLastStickyPane = NULL;
}

void CXTPDockingPaneContext::BeginDrag(CXTPDockingPaneBase* pPane, CPoint pt)
{
    m_bKeyboard = pt == CPoint(-1, -1);
    if (m_bKeyboard)
    {
        CRect rc = GetObjectRect(pPane);
        pt = CPoint(rc.CenterPoint().x, rc.top + 15);
        ::SetCursorPos(pt.x, pt.y);
    }
    m_pPane = pPane;
    m_ptLast = m_ptSticky = pt;
    m_rectDragFrame = GetObjectRect(pPane);
    CXTPDockContext::MoveRectToPoint(m_rectDragFrame, pt);
    m_rectDragFrameScreen = m_rectDragFrame;

    m_pContainer = NULL;
    m_rectContainer.SetRectEmpty();
    m_bAttach = m_bAttachLast = FALSE;
    m_bFloatable = m_bDockable = TRUE;
    m_bUseAlphaContext = m_pManager->m_bAlphaDockingContext && m_pfnSetLayeredWindowAttributes != NULL;
    m_bUseDockingStickers = m_pManager->m_bShowDockingContextStickers && m_bUseAlphaContext;

    CArray<CXTPDockingPane*, CXTPDockingPane*> arrPanes;
    CollectPanes(pPane, arrPanes);
    for (int i = 0; i < arrPanes.GetSize(); i++)
    {
        CXTPDockingPane* pDragged = arrPanes[i];
        if (m_pManager->NotifyAction(xtpPaneActionFloating, pDragged) ||
            (pDragged->GetOptions() & xtpPaneNoFloatable) != 0)
            m_bFloatable = FALSE;
        if ((pDragged->GetOptions() & xtpPaneNoDockable) != 0)
            m_bDockable = FALSE;
    }
    if (m_pManager->m_bShowSizeCursorWhileDragging)
        ::SetCursor(::LoadCursor(NULL, IDC_SIZEALL));
    RememberPlaces();
}

void CXTPDockingPaneContext::InitLoop()
{
    m_rectLast.SetRectEmpty();
    m_rcStickyPane.SetRectEmpty();
    m_pStickyPane = m_pLastStickyPane = NULL;
    m_bDragRemoved = FALSE;
    if (!m_bUseAlphaContext)
    {
        // The windows below the outline are drawn before it is inverted; a
        // quit found here ends the loop at its first message.
        XTPDockingPaneDispatchPaints();
        AcquireDesktopDC();
    }
}

void CXTPDockingPaneContext::AcquireDesktopDC()
{
    if (m_pDC != NULL)
        return;
    HWND hWndDesktop = ::GetDesktopWindow();
    m_bDesktopLocked = ::LockWindowUpdate(hWndDesktop);
    HDC hDC = ::GetDCEx(hWndDesktop, NULL,
                        m_bDesktopLocked ? (DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE) : (DCX_WINDOW | DCX_CACHE));
    if (hDC == NULL)
    {
        TRACE("The drag outline has no desktop DC.\n");
        if (m_bDesktopLocked)
            ::LockWindowUpdate(NULL);
        m_bDesktopLocked = FALSE;
        return;
    }
    m_pDC = new CDC;
    m_pDC->Attach(hDC);
}

void CXTPDockingPaneContext::ReleaseDesktopDC()
{
    if (m_pDC != NULL)
    {
        ::ReleaseDC(::GetDesktopWindow(), m_pDC->Detach());
        delete m_pDC;
        m_pDC = NULL;
    }
    if (m_bDesktopLocked)
    {
        ::LockWindowUpdate(NULL);
        m_bDesktopLocked = FALSE;
    }
}

void CXTPDockingPaneContext::Track()
{
    CWnd* pSite = m_pManager->GetSite();
    if (::GetCapture() != NULL || pSite == NULL || pSite->GetSafeHwnd() == NULL)
    {
        EndLoop();
        return;
    }
    HWND hWndSite = pSite->GetSafeHwnd();
    ::SetCapture(hWndSite);

    BOOL bDrop = FALSE;
    while (::GetCapture() == hWndSite)
    {
        // Quitting ends the drag as a cancel.
        MSG msg;
        if (!XTPDockingPaneGetLoopMessage(&msg))
            break;
        BOOL bEnd = FALSE, bDispatch = FALSE;
        const BOOL bKey = msg.message == WM_KEYDOWN || msg.message == WM_KEYUP;
        if (msg.message == WM_LBUTTONUP)
        {
            bDrop = bEnd = TRUE;
        }
        else if (msg.message == WM_MOUSEMOVE)
        {
            CPoint pt = MessagePoint(msg);
            if (abs(pt.x - m_ptSticky.x) > kDragThreshold || abs(pt.y - m_ptSticky.y) > kDragThreshold)
            {
                Move(pt);
                m_ptSticky = CPoint(0, 0);
            }
        }
        else if (bKey && msg.wParam == VK_ESCAPE)
        {
            bEnd = TRUE;
        }
        else if (bKey && msg.wParam == VK_CONTROL)
        {
            // Ctrl pressed or released: the target is found again.
            Move(m_ptLast);
            m_ptSticky = CPoint(0, 0);
        }
        else if (m_bKeyboard && msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN)
        {
            bDrop = bEnd = TRUE;
        }
        else if (m_bKeyboard && msg.message == WM_KEYDOWN &&
                 (msg.wParam == VK_LEFT || msg.wParam == VK_RIGHT || msg.wParam == VK_UP || msg.wParam == VK_DOWN))
        {
            CPoint pt = m_ptLast;
            pt.x += msg.wParam == VK_LEFT ? -kKeyboardStep : msg.wParam == VK_RIGHT ? kKeyboardStep : 0;
            pt.y += msg.wParam == VK_UP ? -kKeyboardStep : msg.wParam == VK_DOWN ? kKeyboardStep : 0;
            CRect rcWork = XTPMonitorFunctions()->GetWorkAreaFromPoint(pt);
            pt.x = std::max((int)rcWork.left, std::min((int)pt.x, (int)rcWork.right));
            pt.y = std::max((int)rcWork.top, std::min((int)pt.y, (int)rcWork.bottom));
            ::SetCursorPos(pt.x, pt.y);
            Move(pt);
            m_ptSticky = CPoint(0, 0);
        }
        else
        {
            bDispatch = TRUE;
        }
        if (bDispatch)
        {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
        if (bEnd)
            break;
    }

    EndLoop();
    if (bDrop && m_ptSticky == CPoint(0, 0))
        Drop();
    else
        RestorePlaces();
}

void CXTPDockingPaneContext::EndLoop()
{
    CWnd* pSite = m_pManager->GetSite();
    if (pSite != NULL && pSite->GetSafeHwnd() != NULL && ::GetCapture() == pSite->GetSafeHwnd())
        ::ReleaseCapture();
    if (!m_bUseAlphaContext)
        DrawPreview(TRUE);
    ReleaseDesktopDC();
    if (m_wndContext.GetSafeHwnd() != NULL)
        m_wndContext.DestroyWindow();
    if (m_wndAttachedTab.GetSafeHwnd() != NULL)
        m_wndAttachedTab.DestroyWindow();
    DestroyDockingStickers();
    DeleteStickerRegions();
}

void CXTPDockingPaneContext::Drop()
{
    CArray<CXTPDockingPane*, CXTPDockingPane*> arrPanes;
    CollectPanes(m_pPane, arrPanes);
    for (int i = 0; i < arrPanes.GetSize(); i++)
        arrPanes[i]->InternalAddRef();

    XTPDockingPaneAction action;
    XTPDockingPaneDirection direction = m_containDirection;
    if (m_bAttach && m_pContainer != NULL)
    {
        m_pManager->AttachPane(m_pPane, m_pContainer);
        action = xtpPaneActionAttached;
    }
    else if (m_pContainer != NULL)
    {
        CXTPDockingPaneBase* pNeighbour = m_pContainer == m_pManager->GetTopPane() ? NULL : m_pContainer;
        direction = m_pManager->MirrorDirection(m_containDirection);
        m_pManager->DockPane(m_pPane, direction, pNeighbour);
        action = xtpPaneActionDocked;
    }
    else if (m_bFloatable)
    {
        CRect rc = m_rectDragFrame;
        CRect rcWork = XTPMonitorFunctions()->GetWorkAreaFromRect(rc);
        if (rc.top < rcWork.top)
            rc.OffsetRect(0, rcWork.top - rc.top);
        CXTPDockingPaneMiniWnd* pMiniWnd = GetDraggedMiniWnd();
        if (pMiniWnd != NULL)
        {
            if (pMiniWnd->GetSafeHwnd() != NULL)
                pMiniWnd->MoveWindow(rc, TRUE);
        }
        else
        {
            m_pManager->FloatPane(m_pPane, rc);
        }
        action = xtpPaneActionFloated;
    }
    else
    {
        for (int i = 0; i < arrPanes.GetSize(); i++)
            arrPanes[i]->InternalRelease();
        return;
    }

    for (int i = 0; i < arrPanes.GetSize(); i++)
    {
        m_pManager->NotifyAction(action, arrPanes[i], action == xtpPaneActionFloated ? NULL : m_pContainer,
                                 direction);
        arrPanes[i]->InternalRelease();
    }
}

//////////////////////////////////////////////////////////////////////////
// A cancelled drag

void CXTPDockingPaneContext::RememberPlaces()
{
    m_arrPlaces.RemoveAll();
    m_bFloatedNow = FALSE;
    CArray<CXTPDockingPane*, CXTPDockingPane*> arrPanes;
    CollectPanes(m_pPane, arrPanes);
    for (int i = 0; i < arrPanes.GetSize(); i++)
    {
        PANEPLACE place = { arrPanes[i], arrPanes[i]->GetContainer(), arrPanes[i]->IsSelected() };
        arrPanes[i]->InternalAddRef();
        m_arrPlaces.Add(place);
    }
    CXTPDockingPaneMiniWnd* pMiniWnd = GetDraggedMiniWnd();
    m_rcMiniWndBefore = pMiniWnd != NULL ? WindowRectOf(pMiniWnd->GetSafeHwnd()) : CRect(0, 0, 0, 0);
}

void CXTPDockingPaneContext::ForgetPlaces()
{
    for (int i = 0; i < m_arrPlaces.GetSize(); i++)
        m_arrPlaces[i].pPane->InternalRelease();
    m_arrPlaces.RemoveAll();
    m_bFloatedNow = FALSE;
}

void CXTPDockingPaneContext::RestorePlaces()
{
    CXTPDockingPaneLayout* pLayout = m_pManager->GetCurrentLayout();
    if (m_bFloatedNow && pLayout != NULL)
    {
        // The panes go back into the containers they were dragged from.
        for (int i = 0; i < m_arrPlaces.GetSize(); i++)
        {
            PANEPLACE& place = m_arrPlaces[i];
            if (place.pContainer == NULL || place.pPane->GetContainer() == place.pContainer ||
                place.pContainer->GetType() != xtpPaneTypeTabbedContainer ||
                pLayout->GetObjects().Find(place.pContainer) == NULL)
                continue;
            m_pManager->AttachPane(place.pPane, place.pContainer);
        }
        for (int i = 0; i < m_arrPlaces.GetSize(); i++)
        {
            PANEPLACE& place = m_arrPlaces[i];
            if (place.bSelected && place.pPane->GetContainer() == place.pContainer && place.pContainer != NULL)
                static_cast<CXTPDockingPaneTabbedContainer*>(place.pContainer)->SelectPane(place.pPane, FALSE);
        }
        pLayout->RemoveEmptyContainers();
        m_pManager->RecalcFrameLayout(NULL, TRUE);
    }
    else
    {
        // A floating window moved live goes back where it was.
        CXTPDockingPaneMiniWnd* pMiniWnd = GetDraggedMiniWnd();
        if (pMiniWnd != NULL && pMiniWnd->GetSafeHwnd() != NULL && !m_rcMiniWndBefore.IsRectEmpty() &&
            WindowRectOf(pMiniWnd->GetSafeHwnd()) != m_rcMiniWndBefore)
            pMiniWnd->MoveWindow(m_rcMiniWndBefore, TRUE);
    }
}

//////////////////////////////////////////////////////////////////////////
// One step

void CXTPDockingPaneContext::Move(CPoint pt)
{
    if (m_pPane == NULL)
        return;
    m_rectDragFrameScreen.OffsetRect(pt - m_ptLast);
    CRect rcWork = XTPMonitorFunctions()->GetWorkAreaFromRect(m_rectDragFrame);
    CRect rcInside;
    if (rcInside.IntersectRect(m_rectDragFrameScreen, rcWork))
        m_rectDragFrame = m_rectDragFrameScreen;
    CXTPDockContext::KeepOnScreen(m_rectDragFrame);
    if (m_pManager->m_bStickyFloatingFrames && !m_rectDragFrame.IsRectEmpty())
        SnapToNeighbours(m_rectDragFrame);

    m_pContainer = NULL;
    m_rectContainer.SetRectEmpty();
    m_bAttach = FALSE;
    m_pStickyPane = NULL;
    m_rcStickyPane.SetRectEmpty();

    if (::GetKeyState(VK_CONTROL) >= 0 && m_bDockable)
        FindDockTarget(pt);
    m_ptLast = pt;

    if (m_bUseDockingStickers)
    {
        UpdateStickers();
        CXTPDockingPaneContextStickerWnd* pHit = NULL;
        int nPart = 0;
        POSITION pos = m_lstStickers.GetHeadPosition();
        while (pos != NULL && pHit == NULL)
        {
            CXTPDockingPaneContextStickerWnd* pSticker = m_lstStickers.GetNext(pos);
            nPart = pSticker->HitTest(pt);
            if (nPart != 0)
                pHit = pSticker;
        }
        BOOL bAccepted = FALSE;
        if (pHit != NULL)
        {
            CXTPDockingPaneBase* pTarget;
            CRect rcTarget;
            if (pHit->GetKind() & xtpStickerClient)
            {
                pTarget = m_pStickyPane;
                rcTarget = m_rcStickyPane;
            }
            else
            {
                pTarget = m_pManager->GetTopPane();
                rcTarget = ScreenRectOf(pTarget);
            }
            if (nPart == xtpStickerCenter)
            {
                bAccepted = pTarget != NULL && CanAttach(pTarget);
                if (bAccepted)
                {
                    m_pContainer = pTarget;
                    m_rectContainer = rcTarget;
                    m_bAttach = TRUE;
                }
            }
            else if (pTarget != NULL)
            {
                XTPDockingPaneDirection direction = nPart == xtpStickerLeft    ? xtpPaneDockLeft
                                                    : nPart == xtpStickerRight ? xtpPaneDockRight
                                                    : nPart == xtpStickerTop   ? xtpPaneDockTop
                                                                               : xtpPaneDockBottom;
                bAccepted = CanDock(pTarget, direction);
                if (bAccepted)
                {
                    m_pContainer = pTarget;
                    m_containDirection = direction;
                    m_rectContainer = m_pManager->GetDockingRect(
                        m_pPane, direction, pTarget == m_pManager->GetTopPane() ? NULL : pTarget);
                }
            }
            if (!bAccepted)
            {
                m_pContainer = NULL;
                m_bAttach = FALSE;
            }
        }
        HighlightStickers(bAccepted ? pHit : NULL, nPart);
    }
    DrawPreview(FALSE);
}

void CXTPDockingPaneContext::HighlightStickers(CXTPDockingPaneContextStickerWnd* pHit, int nPart)
{
    POSITION pos = m_lstStickers.GetHeadPosition();
    while (pos != NULL)
    {
        CXTPDockingPaneContextStickerWnd* pSticker = m_lstStickers.GetNext(pos);
        pSticker->SetHighlighted(pSticker == pHit ? (UINT)nPart : 0);
    }
}

//////////////////////////////////////////////////////////////////////////
// The drop target

BOOL CXTPDockingPaneContext::CanDock(CXTPDockingPaneBase* pContainer, XTPDockingPaneDirection direction)
{
    CArray<CXTPDockingPane*, CXTPDockingPane*> arrPanes;
    CollectPanes(m_pPane, arrPanes);
    for (int i = 0; i < arrPanes.GetSize(); i++)
    {
        if (m_pManager->NotifyAction(xtpPaneActionDocking, arrPanes[i], pContainer, direction))
            return FALSE;
    }
    return TRUE;
}

BOOL CXTPDockingPaneContext::CanAttach(CXTPDockingPaneBase* pContainer)
{
    CArray<CXTPDockingPane*, CXTPDockingPane*> arrPanes;
    CollectPanes(m_pPane, arrPanes);
    for (int i = 0; i < arrPanes.GetSize(); i++)
    {
        if (m_pManager->NotifyAction(xtpPaneActionAttaching, arrPanes[i], pContainer))
            return FALSE;
    }
    return TRUE;
}

BOOL CXTPDockingPaneContext::IsCandidate(CXTPDockingPaneBase* pContainer) const
{
    if (pContainer == NULL || pContainer->GetType() != xtpPaneTypeTabbedContainer)
        return FALSE;
    CXTPDockingPaneBase* pParent = pContainer->GetContainer();
    if (pParent == NULL || pParent->GetType() != xtpPaneTypeSplitterContainer)
        return FALSE;
    HWND hWnd = pContainer->GetPaneHwnd();
    if (hWnd == NULL || (::GetWindowLong(hWnd, GWL_STYLE) & WS_VISIBLE) == 0)
        return FALSE;
    return m_pPane == NULL || m_pPane->ContainsPane(pContainer) == NULL;
}

BOOL AFX_CDECL CXTPDockingPaneContext::IsAbove(HWND hWndFirst, HWND hWndSecond)
{
    if (hWndFirst == hWndSecond || hWndFirst == NULL)
        return FALSE;
    if (hWndSecond == NULL)
        return TRUE;
    const std::vector<HWND> order = AfxGetTopLevelWindows();
    const auto itFirst = std::find(order.begin(), order.end(), hWndFirst);
    return itFirst != order.end() && std::find(itFirst, order.end(), hWndSecond) != order.end();
}

BOOL CXTPDockingPaneContext::FindSide(CRect rc, CPoint pt, CXTPDockingPaneBase* pContainer, BOOL bInside)
{
    double dThreshold = kSideThreshold, dRatio = 1.0;
    if (bInside && !m_bFloatable)
    {
        // A pane that cannot float docks wherever it is dropped.
        if (rc.Width() > 1 && rc.Height() > 1)
            dRatio = (double)rc.Height() / rc.Width();
        dThreshold = 32000.0;
    }
    if (rc.IsRectEmpty())
        return FALSE;
    CRect rcTest(rc);
    if (!bInside)
        rcTest.InflateRect((int)kSideThreshold, (int)kSideThreshold);
    if (!rcTest.PtInRect(pt))
        return FALSE;

    const double dSign = bInside ? 1.0 : -1.0;
    const XTPDockingPaneDirection sides[4] = { xtpPaneDockTop, xtpPaneDockBottom, xtpPaneDockLeft, xtpPaneDockRight };
    const double distances[4] = { (double)(pt.y - rc.top), (double)(rc.bottom - pt.y), (pt.x - rc.left) * dRatio,
                                  (rc.right - pt.x) * dRatio };
    double dBest = dThreshold;
    int nFound = -1;
    for (int i = 0; i < 4; i++)
    {
        if (fabs(distances[i]) < dBest && distances[i] * dSign >= 0)
        {
            dBest = fabs(distances[i]);
            nFound = i;
        }
    }
    if (nFound < 0 || !CanDock(pContainer, sides[nFound]))
        return FALSE;
    m_pContainer = pContainer;
    m_containDirection = sides[nFound];
    m_rectContainer =
        m_pManager->GetDockingRect(m_pPane, sides[nFound], pContainer == m_pManager->GetTopPane() ? NULL : pContainer);
    return TRUE;
}

void CXTPDockingPaneContext::FindDockTarget(CPoint pt)
{
    CXTPDockingPaneLayout* pLayout = m_pManager->GetCurrentLayout();
    if (pLayout == NULL || m_pPane == NULL)
        return;

    // The containers that may take the drop, each once, in record order.
    CArray<CXTPDockingPaneTabbedContainer*, CXTPDockingPaneTabbedContainer*> arrCandidates;
    POSITION pos = pLayout->GetPaneList().GetHeadPosition();
    while (pos != NULL)
    {
        CXTPDockingPane* pPane = pLayout->GetPaneList().GetNext(pos).pPane;
        if (pPane == NULL || (pPane->GetOptions() & xtpPaneNoDockable) != 0 || !IsCandidate(pPane->GetContainer()))
            continue;
        CXTPDockingPaneTabbedContainer* pContainer =
            static_cast<CXTPDockingPaneTabbedContainer*>(pPane->GetContainer());
        BOOL bListed = FALSE;
        for (int i = 0; i < arrCandidates.GetSize() && !bListed; i++)
            bListed = arrCandidates[i] == pContainer;
        if (!bListed)
            arrCandidates.Add(pContainer);
    }

    // A floating window over the point covers everything below it.
    CXTPDockingPaneTabbedContainer* pCover = NULL;
    for (int i = 0; i < arrCandidates.GetSize(); i++)
    {
        CXTPDockingPaneTabbedContainer* pContainer = arrCandidates[i];
        CWnd* pSite = pContainer->GetDockingSite();
        if (pSite == NULL || !pSite->IsKindOf(RUNTIME_CLASS(CXTPDockingPaneMiniWnd)) ||
            !WindowRectOf(pContainer->GetSafeHwnd()).PtInRect(pt))
            continue;
        if (pCover == NULL || IsAbove(RootOf(pContainer->GetSafeHwnd()), RootOf(pCover->GetSafeHwnd())))
            pCover = pContainer;
    }

    for (int i = 0; i < arrCandidates.GetSize(); i++)
    {
        CXTPDockingPaneTabbedContainer* pContainer = arrCandidates[i];
        if (pCover != NULL && pContainer != pCover)
            continue;
        CRect rcWindow = WindowRectOf(pContainer->GetSafeHwnd());
        CRect rc(rcWindow);
        if (pContainer->CanAttach(rc, pt))
        {
            if (CanAttach(pContainer))
            {
                m_pContainer = pContainer;
                m_rectContainer = rc;
                m_bAttach = TRUE;
                m_pStickyPane = NULL;
                m_rcStickyPane.SetRectEmpty();
                return;
            }
            rc = rcWindow;
        }
        if (m_bUseDockingStickers)
        {
            if (rc.PtInRect(pt) &&
                (m_pStickyPane == NULL || IsAbove(RootOf(pContainer->GetSafeHwnd()), RootOf(m_pStickyPane->GetPaneHwnd()))))
            {
                m_pStickyPane = pContainer;
                m_rcStickyPane = rcWindow;
            }
        }
        else if (FindSide(rc, pt, pContainer, TRUE))
        {
            return;
        }
    }
    if (pCover != NULL)
        return;

    CXTPDockingPaneBase* pClient = pLayout->GetClientPane();
    CXTPDockingPaneBase* pTop = pLayout->GetTopPane();
    if (!m_bUseDockingStickers)
    {
        if (pClient != NULL && !pClient->IsHidden() && FindSide(ScreenRectOf(pClient), pt, pClient, TRUE))
            return;
        if (pTop != NULL)
            FindSide(ScreenRectOf(pTop), pt, pTop, FALSE);
        return;
    }
    if (m_pStickyPane == NULL && m_rcStickyPane.IsRectEmpty())
    {
        CRect rcClient = pClient != NULL && !pClient->IsHidden() ? ScreenRectOf(pClient) : CRect(0, 0, 0, 0);
        if (rcClient.PtInRect(pt))
        {
            m_pStickyPane = pClient;
            m_rcStickyPane = rcClient;
        }
        else if (pTop != NULL && ScreenRectOf(pTop).PtInRect(pt))
        {
            m_rcStickyPane = ScreenRectOf(pTop);
        }
    }
}

//////////////////////////////////////////////////////////////////////////
// Feedback

void AFX_CDECL CXTPDockingPaneContext::BuildOutline(CRgn& rgn, CRect rc, BOOL bAttach)
{
    rgn.CreateRectRgn(0, 0, 0, 0);
    if (rc.IsRectEmpty())
        return;
    struct Frame
    {
        static void Add(CRgn& rgnTo, CRect rcFrame)
        {
            CRgn rgnOuter, rgnInner;
            rgnOuter.CreateRectRgnIndirect(rcFrame);
            rcFrame.DeflateRect(4, 4);
            rgnInner.CreateRectRgnIndirect(rcFrame.IsRectEmpty() ? CRect(0, 0, 0, 0) : rcFrame);
            rgnOuter.CombineRgn(&rgnOuter, &rgnInner, RGN_DIFF);
            rgnTo.CombineRgn(&rgnTo, &rgnOuter, RGN_OR);
        }
    };
    if (!bAttach)
    {
        Frame::Add(rgn, rc);
        return;
    }
    // A body and a tab below it, with the seam between them open.
    int nTabHeight = std::min(20, (int)rc.Height() / 2);
    int nTabWidth = std::min(50, (int)rc.Width() - 5);
    CRect rcBody(rc.left, rc.top, rc.right, rc.bottom - nTabHeight);
    CRect rcTab(rc.left + 5, rc.bottom - nTabHeight - 4, rc.left + 5 + nTabWidth, rc.bottom);
    Frame::Add(rgn, rcBody);
    Frame::Add(rgn, rcTab);
    CRect rcSeam;
    if (rcSeam.IntersectRect(rcBody, rcTab))
    {
        rcSeam.DeflateRect(4, 0);
        if (!rcSeam.IsRectEmpty())
        {
            CRgn rgnSeam;
            rgnSeam.CreateRectRgn(0, 0, 0, 0);
            Frame::Add(rgnSeam, rcSeam);
            rgn.CombineRgn(&rgn, &rgnSeam, RGN_XOR);
        }
    }
}

void CXTPDockingPaneContext::DrawOutline(CRect rc, BOOL bAttach)
{
    if (m_pDC != NULL)
    {
        // Only the parts that changed are inverted.
        CRgn rgnNew, rgnLast, rgnChanged;
        BuildOutline(rgnNew, rc, bAttach);
        BuildOutline(rgnLast, m_rectLast, m_bAttachLast);
        rgnChanged.CreateRectRgn(0, 0, 0, 0);
        rgnChanged.CombineRgn(&rgnNew, &rgnLast, RGN_XOR);
        m_pDC->SelectClipRgn(&rgnChanged);
        CRect rcBox;
        m_pDC->GetClipBox(&rcBox);
        CBrush* pOldBrush = m_pDC->SelectObject(CDC::GetHalftoneBrush());
        m_pDC->PatBlt(rcBox.left, rcBox.top, rcBox.Width(), rcBox.Height(), PATINVERT);
        m_pDC->SelectObject(pOldBrush);
        m_pDC->SelectClipRgn(NULL);
    }
    m_rectLast = rc;
    m_bAttachLast = bAttach;
}

void CXTPDockingPaneContext::ShowPreviewWnd(CXTPDockingPaneContextAlphaWnd& wnd, CRect rc)
{
    if (rc.IsRectEmpty())
    {
        if (wnd.GetSafeHwnd() != NULL)
            wnd.DestroyWindow();
        return;
    }
    if (wnd.GetSafeHwnd() != NULL && WindowRectOf(wnd.GetSafeHwnd()).Size() != rc.Size())
        wnd.DestroyWindow();
    if (wnd.GetSafeHwnd() == NULL)
    {
        LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW));
        if (!wnd.CreateEx(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, lpszClass, _T(""), WS_POPUP, rc,
                          m_pManager->GetSite(), 0))
        {
            TRACE("The drag preview window could not be created.\n");
            return;
        }
        if (m_pfnSetLayeredWindowAttributes != NULL)
            m_pfnSetLayeredWindowAttributes(wnd.GetSafeHwnd(), 0, kPreviewAlpha, LWA_ALPHA);
    }
    wnd.SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void CXTPDockingPaneContext::DrawAlphaPreview(CRect rc)
{
    m_rectLast = rc;
    if (m_bAttach != m_bAttachLast)
    {
        if (!m_bAttach && m_wndAttachedTab.GetSafeHwnd() != NULL)
            m_wndAttachedTab.DestroyWindow();
        m_bAttachLast = m_bAttach;
    }
    CRect rcMain(rc);
    if (m_bAttach && !rc.IsRectEmpty())
    {
        int nTabHeight = std::min(20, (int)rc.Height() / 2);
        int nTabWidth = std::min(50, (int)rc.Width() - 5);
        CRect rcTab;
        CXTPDockingPanePaintManager* pPaintManager = m_pManager->GetPaintManager();
        BOOL bTabsOnTop = pPaintManager != NULL &&
                          pPaintManager->GetPanelPaintManager()->GetPosition() == xtpTabPositionTop &&
                          m_pContainer != NULL && m_pContainer->GetType() == xtpPaneTypeTabbedContainer;
        if (bTabsOnTop)
        {
            int nTop = rc.top;
            if (static_cast<CXTPDockingPaneTabbedContainer*>(m_pContainer)->IsCaptionVisible())
                nTop += 3 + pPaintManager->GetCaptionHeight();
            rcTab.SetRect(rc.left + 5, nTop, rc.left + 5 + nTabWidth, nTop + nTabHeight);
            rcMain.top = rcTab.bottom;
        }
        else
        {
            rcTab.SetRect(rc.left + 5, rc.bottom - nTabHeight, rc.left + 5 + nTabWidth, rc.bottom);
            rcMain.bottom = rcTab.top;
        }
        ShowPreviewWnd(m_wndAttachedTab, rcTab);
    }
    ShowPreviewWnd(m_wndContext, rcMain);
}

void CXTPDockingPaneContext::FloatNow()
{
    CRect rc(m_rectDragFrame);
    if (rc.top < 0)
        rc.OffsetRect(0, -rc.top);
    CArray<CXTPDockingPane*, CXTPDockingPane*> arrPanes;
    CollectPanes(m_pPane, arrPanes);
    CXTPDockingPaneMiniWnd* pMiniWnd = m_pManager->FloatPane(m_pPane, rc);
    if (pMiniWnd == NULL)
        return;
    m_bFloatedNow = TRUE;
    pMiniWnd->RecalcLayout();
    m_pPane = pMiniWnd->GetTopPane();
    for (int i = 0; i < arrPanes.GetSize(); i++)
        m_pManager->NotifyAction(xtpPaneActionFloated, arrPanes[i]);

    // The new window draws before the drag goes on: one message waiting is
    // handled, unless it is input or a quit, which the drag loop itself must
    // see (a release dispatched here would leave the drag running).
    MSG msg;
    if (::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE) && msg.message != WM_QUIT &&
        !(msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) &&
        !(msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) &&
        ::PeekMessage(&msg, msg.hwnd, msg.message, msg.message, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL)
        pThread->OnIdle(0);
}

void CXTPDockingPaneContext::DrawPreview(BOOL bRemove)
{
    if (bRemove)
    {
        if (!m_bUseAlphaContext && !m_bDragRemoved)
            DrawOutline(CRect(0, 0, 0, 0), FALSE);
        return;
    }

    if (m_pManager->m_bShowContentsWhileDragging && m_pContainer == NULL && m_bFloatable && !m_bAttach &&
        !m_rectDragFrame.IsRectEmpty())
    {
        if (m_wndContext.GetSafeHwnd() != NULL)
            m_wndContext.DestroyWindow();
        if (m_wndAttachedTab.GetSafeHwnd() != NULL)
            m_wndAttachedTab.DestroyWindow();
        if (!m_bUseAlphaContext && !m_bDragRemoved)
        {
            DrawOutline(CRect(0, 0, 0, 0), FALSE);
            ReleaseDesktopDC();
            m_bDragRemoved = TRUE;
        }
        CXTPDockingPaneMiniWnd* pMiniWnd = GetDraggedMiniWnd();
        if (pMiniWnd != NULL)
        {
            if (m_rectDragFrame != m_rectLast && pMiniWnd->GetSafeHwnd() != NULL)
                pMiniWnd->MoveWindow(m_rectDragFrame, TRUE);
        }
        else
        {
            FloatNow();
        }
        m_rectLast = m_rectDragFrame;
        m_bAttachLast = FALSE;
        return;
    }
    if (m_bDragRemoved)
    {
        AcquireDesktopDC();
        m_rectLast.SetRectEmpty();
        m_bDragRemoved = FALSE;
    }

    CRect rc = m_pContainer != NULL ? m_rectContainer : m_rectDragFrame;
    if (!m_bFloatable && m_pContainer == NULL)
        rc.SetRectEmpty();
    if (m_bUseAlphaContext)
        DrawAlphaPreview(rc);
    else
        DrawOutline(rc, m_bAttach);
}

//////////////////////////////////////////////////////////////////////////
// Sticky floating windows

void CXTPDockingPaneContext::GetFloatingRects(CArray<CRect, CRect&>& arrRects, CWnd* pExcept) const
{
    arrRects.RemoveAll();
    CWnd* pSite = m_pManager->GetSite();
    if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
    {
        CRect rc = WindowRectOf(pSite->GetSafeHwnd());
        arrRects.Add(rc);
    }
    CXTPDockingPaneLayout* pLayout = m_pManager->GetCurrentLayout();
    if (pLayout == NULL)
        return;
    POSITION pos = pLayout->GetObjects().GetHeadPosition();
    while (pos != NULL)
    {
        CXTPDockingPaneBase* pPane = pLayout->GetObjects().GetNext(pos);
        if (pPane->GetType() != xtpPaneTypeMiniWnd)
            continue;
        HWND hWnd = pPane->GetPaneHwnd();
        if (hWnd == NULL || !::IsWindowVisible(hWnd) || (pExcept != NULL && hWnd == pExcept->GetSafeHwnd()))
            continue;
        CRect rc = WindowRectOf(hWnd);
        arrRects.Add(rc);
    }
}

void CXTPDockingPaneContext::SnapToNeighbours(CRect& rc)
{
    const int d = m_pManager->m_nStickyGap;
    CRect rcWork = XTPMonitorFunctions()->GetWorkAreaFromRect(rc);
    if (abs(rcWork.top - rc.top) < d)
        rc.OffsetRect(0, rcWork.top - rc.top);
    if (abs(rc.bottom - rcWork.bottom) < d)
        rc.OffsetRect(0, rcWork.bottom - rc.bottom);
    if (abs(rcWork.right - rc.right) < d)
        rc.OffsetRect(rcWork.right - rc.right, 0);
    if (abs(rc.left - rcWork.left) < d)
        rc.OffsetRect(rcWork.left - rc.left, 0);

    CWnd* pOwn = m_pPane != NULL ? m_pPane->GetDockingSite() : NULL;
    CArray<CRect, CRect&> arrRects;
    GetFloatingRects(arrRects, pOwn);
    for (int i = 0; i < arrRects.GetSize(); i++)
    {
        const CRect& o = arrRects[i];
        if (!IsNear(rc, o, d))
            continue;
        if (abs(rc.top - o.bottom) < d)
            rc.OffsetRect(0, o.bottom - rc.top);
        if (abs(rc.bottom - o.top) < d)
            rc.OffsetRect(0, o.top - rc.bottom);
        if (abs(rc.right - o.left) < d)
            rc.OffsetRect(o.left - rc.right, 0);
        if (abs(rc.left - o.right) < d)
            rc.OffsetRect(o.right - rc.left, 0);
        if (abs(rc.left - o.left) < d)
            rc.OffsetRect(o.left - rc.left, 0);
        if (abs(rc.right - o.right) < d)
            rc.OffsetRect(o.right - rc.right, 0);
    }
}

void CXTPDockingPaneContext::AdjustSizingRect(CWnd* pWnd, UINT nSide, LPRECT lpRect)
{
    if (m_pManager == NULL || !m_pManager->m_bStickyFloatingFrames || lpRect == NULL)
        return;
    const int d = m_pManager->m_nStickyGap;
    const BOOL bTop = nSide == WMSZ_TOP || nSide == WMSZ_TOPLEFT || nSide == WMSZ_TOPRIGHT;
    const BOOL bBottom = nSide == WMSZ_BOTTOM || nSide == WMSZ_BOTTOMLEFT || nSide == WMSZ_BOTTOMRIGHT;
    const BOOL bLeft = nSide == WMSZ_LEFT || nSide == WMSZ_TOPLEFT || nSide == WMSZ_BOTTOMLEFT;
    const BOOL bRight = nSide == WMSZ_RIGHT || nSide == WMSZ_TOPRIGHT || nSide == WMSZ_BOTTOMRIGHT;

    CRect rc(lpRect);
    CArray<CRect, CRect&> arrRects;
    GetFloatingRects(arrRects, pWnd);
    for (int i = 0; i < arrRects.GetSize(); i++)
    {
        const CRect& o = arrRects[i];
        if (!IsNear(rc, o, d))
            continue;
        if (bTop && abs(rc.top - o.bottom) < d)
            rc.top = o.bottom;
        if (bBottom && abs(rc.bottom - o.top) < d)
            rc.bottom = o.top;
        if (bLeft && abs(rc.left - o.left) < d)
            rc.left = o.left;
        if (bLeft && abs(rc.left - o.right) < d)
            rc.left = o.right;
        if (bRight && abs(rc.right - o.left) < d)
            rc.right = o.left;
        if (bRight && abs(rc.right - o.right) < d)
            rc.right = o.right;
    }
    *lpRect = rc;
}

//////////////////////////////////////////////////////////////////////////
// Stickers

void CXTPDockingPaneContext::DestroyDockingStickers()
{
    while (!m_lstStickers.IsEmpty())
    {
        CXTPDockingPaneContextStickerWnd* pSticker = m_lstStickers.RemoveHead();
        if (pSticker->GetSafeHwnd() != NULL)
            pSticker->DestroyWindow();
        delete pSticker;
    }
}

CRgn* CXTPDockingPaneContext::GetStickerRegion(UINT nKind)
{
    CRgn* pRgn = NULL;
    if (m_mapStickerRegions.Lookup(nKind, pRgn))
        return pRgn;
    pRgn = new CRgn;
    if (!CXTPDockingPaneContextStickerWnd::CreateStickerRegion(pRgn, nKind, GetStickerStyle()))
    {
        delete pRgn;
        return NULL;
    }
    m_mapStickerRegions.SetAt(nKind, pRgn);
    return pRgn;
}

CXTPDockingPaneContextStickerWnd* CXTPDockingPaneContext::CreateStickerWnd(CRect rc, UINT nKind)
{
    if (nKind == xtpStickerNone || nKind == xtpStickerClient)
        return NULL;
    if (m_plstReusableStickers != NULL)
    {
        POSITION pos = m_plstReusableStickers->GetHeadPosition();
        while (pos != NULL)
        {
            POSITION posThis = pos;
            CXTPDockingPaneContextStickerWnd* pOld = m_plstReusableStickers->GetNext(pos);
            if (pOld->GetKind() != nKind || pOld->GetSafeHwnd() == NULL)
                continue;
            m_plstReusableStickers->RemoveAt(posThis);
            CRect rcOld;
            pOld->GetWindowRect(&rcOld);
            if (rcOld != rc || !pOld->IsWindowVisible())
                pOld->SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(),
                                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
            m_lstStickers.AddTail(pOld);
            return pOld;
        }
    }
    CXTPDockingPaneContextStickerWnd* pSticker = new CXTPDockingPaneContextStickerWnd(this);
    pSticker->m_typeSticker = nKind;
    LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW));
    if (!pSticker->CreateEx(WS_EX_TOOLWINDOW, lpszClass, _T(""), WS_POPUP, rc, m_pManager->GetSite(), 0))
    {
        TRACE("A docking sticker could not be created.\n");
        delete pSticker;
        return NULL;
    }
    CRgn* pRgn = GetStickerRegion(nKind);
    if (pRgn != NULL)
    {
        CRgn rgnCopy;
        rgnCopy.CreateRectRgn(0, 0, 0, 0);
        rgnCopy.CopyRgn(pRgn);
        // The window owns the region from now on.
        if (pSticker->SetWindowRgn((HRGN)rgnCopy.Detach(), FALSE) == 0)
            TRACE("A docking sticker keeps its rectangular shape.\n");
    }
    pSticker->SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    m_lstStickers.AddTail(pSticker);
    return pSticker;
}

void CXTPDockingPaneContext::UpdateStickers()
{
    if (m_rcStickyPane.IsRectEmpty())
    {
        DestroyDockingStickers();
        return;
    }
    if (m_pStickyPane == m_pLastStickyPane && !m_lstStickers.IsEmpty())
        return;
    m_pLastStickyPane = m_pStickyPane;
    const int nStyle = GetStickerStyle();

    // The sticker windows shown now are kept for the new set where a sticker
    // of the same kind is wanted (moved when it stands elsewhere): the lone
    // stickers stay where they are from one container to the next, and
    // making a shaped window costs far more than moving one.
    CList<CXTPDockingPaneContextStickerWnd*, CXTPDockingPaneContextStickerWnd*> lstOld(10);
    lstOld.AddTail(&m_lstStickers);
    m_lstStickers.RemoveAll();
    m_plstReusableStickers = &lstOld;
    UpdateStickerSet(nStyle);
    m_plstReusableStickers = NULL;
    while (!lstOld.IsEmpty())
    {
        CXTPDockingPaneContextStickerWnd* pSticker = lstOld.RemoveHead();
        if (pSticker->GetSafeHwnd() != NULL)
            pSticker->DestroyWindow();
        delete pSticker;
    }
}

void CXTPDockingPaneContext::UpdateStickerSet(int nStyle)
{
    if (m_pStickyPane != NULL)
    {
        UINT nKind = xtpStickerClient;
        for (int nSide = 0; nSide < 4; nSide++)
        {
            if (CanDock(m_pStickyPane, (XTPDockingPaneDirection)nSide))
                nKind |= kSideParts[nSide];
        }
        if (m_pStickyPane != m_pManager->GetClientPane() && CanAttach(m_pStickyPane))
            nKind |= xtpStickerCenter;
        CSize sz = CXTPDockingPaneContextStickerWnd::GetStickerSize(nKind, nStyle);
        CPoint ptCenter = m_rcStickyPane.CenterPoint();
        CreateStickerWnd(CRect(CPoint(ptCenter.x - sz.cx / 2, ptCenter.y - sz.cy / 2), sz), nKind);
    }

    CXTPDockingPaneBase* pTop = m_pManager->GetTopPane();
    if (pTop == NULL)
        return;
    CRect rcTop = ScreenRectOf(pTop);
    CPoint ptCenter = rcTop.CenterPoint();
    for (int nSide = 0; nSide < 4; nSide++)
    {
        if (!CanDock(pTop, (XTPDockingPaneDirection)nSide))
            continue;
        UINT nKind = kSideParts[nSide];
        CSize sz = CXTPDockingPaneContextStickerWnd::GetStickerSize(nKind, nStyle);
        CPoint ptAt;
        switch (nSide)
        {
        case xtpPaneDockLeft: ptAt = CPoint(rcTop.left + 16, ptCenter.y - sz.cy / 2); break;
        case xtpPaneDockRight: ptAt = CPoint(rcTop.right - 16 - sz.cx, ptCenter.y - sz.cy / 2); break;
        case xtpPaneDockTop: ptAt = CPoint(ptCenter.x - sz.cx / 2, rcTop.top + 16); break;
        default: ptAt = CPoint(ptCenter.x - sz.cx / 2, rcTop.bottom - 16 - sz.cy); break;
        }
        CreateStickerWnd(CRect(ptAt, sz), nKind);
    }
}
