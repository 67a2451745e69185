// Splitter containers (rows and columns of children with bars between
// them), their bars with tracking, and the client container.
#include "XTPDockingPaneSplitterContainer.h"

#include "XTPDockingPaneLayout.h"
#include "XTPDockingPaneManager.h"
#include "XTPDockingPanePaintManager.h"

#include <XTPDrawHelpers.h>
#include <XTPPropExchange.h>
#include <XTPResourceManager.h>
#include <afxpriv.h>

#include <algorithm>

namespace
{
const LPCTSTR kSplitterClass = _T("XTPDockingPaneSplitter");

int SplitterSize(const CXTPDockingPaneManager* pManager)
{
    return pManager != NULL && pManager->GetPaintManager() != NULL ? pManager->GetPaintManager()->GetSplitterSize()
                                                                   : 4;
}

LONG AlongMin(const MINMAXINFO& mmi, BOOL bHoriz)
{
    return bHoriz ? mmi.ptMinTrackSize.x : mmi.ptMinTrackSize.y;
}

LONG AlongMax(const MINMAXINFO& mmi, BOOL bHoriz)
{
    return bHoriz ? mmi.ptMaxTrackSize.x : mmi.ptMaxTrackSize.y;
}

void SetAlongDocking(CXTPDockingPaneBase* pPane, BOOL bHoriz, LONGLONG nLength)
{
    LONG n = (LONG)std::max(0LL, std::min(nLength, (LONGLONG)XTP_DOCKINGPANE_MAXSIZE));
    if (bHoriz)
        pPane->SetDockingSize(n, pPane->m_szDocking.cy);
    else
        pPane->SetDockingSize(pPane->m_szDocking.cx, n);
}

CPoint PointFromLParam(LPARAM lParam)
{
    return CPoint((int)(short)LOWORD(lParam), (int)(short)HIWORD(lParam));
}

// The length of the next child in a row shared by ShareRoom: a fixed child
// (negative length) keeps its bound, the others take their share of what is
// left, which the call takes off the pool.
LONGLONG NextShare(const CXTPDockingPaneBase* pChild, LONGLONG& nTotal, LONGLONG& nAvailable)
{
    if (pChild->m_nLength <= 0)
        return -pChild->m_nLength;
    const LONGLONG nLength = nTotal != 0 ? nAvailable * pChild->m_nLength / nTotal : 0;
    nTotal -= pChild->m_nLength;
    nAvailable = std::max(0LL, nAvailable - nLength);
    return nLength;
}
} // namespace

//////////////////////////////////////////////////////////////////////////
// CXTPDockingPaneClientContainer

CXTPDockingPaneClientContainer::CXTPDockingPaneClientContainer(CXTPDockingPaneLayout* pLayout)
    : CXTPDockingPaneBase(xtpPaneTypeClientContainer, pLayout)
{
}

void CXTPDockingPaneClientContainer::GetMinMaxInfo(LPMINMAXINFO pMinMaxInfo) const
{
    CXTPDockingPaneBase::GetMinMaxInfo(pMinMaxInfo);
}

BOOL CXTPDockingPaneClientContainer::IsHidden() const
{
    return CXTPDockingPaneBase::IsHidden();
}

CXTPDockingPaneBase* CXTPDockingPaneClientContainer::Clone(CXTPDockingPaneLayout* pLayout, CXTPPaneToPaneMap* pMap,
                                                           DWORD dwIgnoredOptions)
{
    return CXTPDockingPaneBase::Clone(pLayout, pMap, dwIgnoredOptions);
}

//////////////////////////////////////////////////////////////////////////
// CXTPDockingPaneSplitterWnd

BEGIN_MESSAGE_MAP(CXTPDockingPaneSplitterWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CXTPDockingPaneSplitterWnd::CXTPDockingPaneSplitterWnd()
    : m_pContainer(NULL), m_pFirst(NULL), m_pSecond(NULL), m_pManager(NULL), m_hCursor(NULL), m_bHorizontal(FALSE)
{
}

BOOL CXTPDockingPaneSplitterWnd::Create(CXTPDockingPaneSplitterContainer* pContainer, CXTPDockingPaneBase* pFirst,
                                        CXTPDockingPaneBase* pSecond)
{
    m_pContainer = pContainer;
    m_pFirst = pFirst;
    m_pSecond = pSecond;
    m_pManager = pContainer->GetDockingPaneManager();
    m_bHorizontal = !pContainer->IsHoriz();
    m_hCursor = XTPResourceManager()->LoadCursor(pContainer->IsHoriz() ? XTP_IDC_HSPLITBAR : XTP_IDC_VSPLITBAR);
    CWnd* pSite = pContainer->GetDockingSite();
    if (pSite == NULL || pSite->GetSafeHwnd() == NULL)
        return FALSE;
    return CreateEx(0, kSplitterClass, _T("Splitter"), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                    CRect(0, 0, 0, 0), pSite, 0);
}

BOOL CXTPDockingPaneSplitterWnd::Create(CXTPDockingPaneManager* pManager, BOOL bHorizontal)
{
    m_pManager = pManager;
    m_bHorizontal = bHorizontal;
    CWnd* pSite = pManager->GetSite();
    if (pSite == NULL || pSite->GetSafeHwnd() == NULL)
        return FALSE;
    return CreateEx(0, kSplitterClass, _T("Splitter"), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                    CRect(0, 0, 0, 0), pSite, 0);
}

void CXTPDockingPaneSplitterWnd::OnPaint()
{
    CPaintDC dc(this);
    CXTPDockingPanePaintManager* pPaintManager = m_pManager != NULL ? m_pManager->GetPaintManager() : NULL;
    if (pPaintManager != NULL)
        pPaintManager->DrawSplitter(&dc, this);
}

BOOL CXTPDockingPaneSplitterWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

BOOL CXTPDockingPaneSplitterWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    CRect rcRange;
    if (m_pContainer != NULL && m_pManager != NULL && !m_pManager->IsSplittersLocked() && m_hCursor != NULL &&
        GetTrackingRange(rcRange))
    {
        ::SetCursor(m_hCursor);
        return TRUE;
    }
    return (BOOL)Default();
}

void CXTPDockingPaneSplitterWnd::FillUnion(CRect& rcUnion) const
{
    CRect rcFirst, rcSecond;
    m_pFirst->GetScreenRect(&rcFirst);
    m_pSecond->GetScreenRect(&rcSecond);
    rcUnion.UnionRect(rcFirst, rcSecond);
}

BOOL CXTPDockingPaneSplitterWnd::GetTrackingRange(CRect& rcRange)
{
    if (m_pContainer == NULL || m_pFirst == NULL || m_pSecond == NULL || m_pManager == NULL)
        return FALSE;
    const BOOL bHoriz = m_pContainer->IsHoriz();
    const int S = SplitterSize(m_pManager);
    const int M = m_pManager->m_nSplitterGap;

    CRect rcUnion;
    FillUnion(rcUnion);
    MINMAXINFO mmiFirst, mmiSecond;
    m_pFirst->GetMinMaxInfo(&mmiFirst);
    m_pSecond->GetMinMaxInfo(&mmiSecond);

    rcRange = rcUnion;
    if (bHoriz)
    {
        rcRange.left += std::max((int)mmiFirst.ptMinTrackSize.x, M);
        rcRange.right -= std::max((int)mmiSecond.ptMinTrackSize.x + S, M);
        if (rcUnion.Width() > mmiFirst.ptMaxTrackSize.x)
            rcRange.right = std::min(rcRange.right, rcUnion.left + mmiFirst.ptMaxTrackSize.x);
        if (rcUnion.Width() > mmiSecond.ptMaxTrackSize.x)
            rcRange.left = std::max(rcRange.left, rcUnion.right - mmiSecond.ptMaxTrackSize.x - S);
        return rcRange.right > rcRange.left;
    }
    rcRange.top += std::max((int)mmiFirst.ptMinTrackSize.y, M);
    rcRange.bottom -= std::max((int)mmiSecond.ptMinTrackSize.y + S, M);
    if (rcUnion.Height() > mmiFirst.ptMaxTrackSize.y)
        rcRange.bottom = std::min(rcRange.bottom, rcUnion.top + mmiFirst.ptMaxTrackSize.y);
    if (rcUnion.Height() > mmiSecond.ptMaxTrackSize.y)
        rcRange.top = std::max(rcRange.top, rcUnion.bottom - mmiSecond.ptMaxTrackSize.y - S);
    return rcRange.bottom > rcRange.top;
}

void CXTPDockingPaneSplitterWnd::ApplyPosition(int nPos)
{
    if (m_pContainer == NULL || m_pFirst == NULL || m_pSecond == NULL)
        return;
    const BOOL bHoriz = m_pContainer->IsHoriz();
    const int S = SplitterSize(m_pManager);
    CRect rcUnion;
    FillUnion(rcUnion);
    const LONGLONG lo = bHoriz ? rcUnion.left : rcUnion.top;
    const LONGLONG hi = bHoriz ? rcUnion.right : rcUnion.bottom;
    if (hi <= lo)
        return;
    const LONGLONG L = (bHoriz ? m_pFirst->m_szDocking.cx + m_pSecond->m_szDocking.cx
                               : m_pFirst->m_szDocking.cy + m_pSecond->m_szDocking.cy) +
                       (LONGLONG)S;
    // Integer arithmetic: L * (p - lo) / (hi - lo), so that a bar put back
    // where it was gives back the sizes it had.
    LONGLONG nBefore = L * ((LONGLONG)nPos - lo) / (hi - lo);
    if (bHoriz && m_pManager != NULL && m_pManager->IsLayoutRTL())
        nBefore = L - nBefore - S;
    SetAlongDocking(m_pFirst, bHoriz, nBefore);
    SetAlongDocking(m_pSecond, bHoriz, L - nBefore - S);
}

void CXTPDockingPaneSplitterWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_pManager == NULL || m_pManager->IsSplittersLocked() || m_pContainer == NULL)
        return;
    CRect rcRange;
    if (!GetTrackingRange(rcRange))
        return;

    m_pContainer->NormalizeDockingSize();
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);

    if (!m_pManager->IsSplitterTrackerUsed())
    {
        TrackLive(ptScreen, rcRange);
        return;
    }

    CXTPSplitterTracker tracker;
    CRect rcBar;
    CWnd::GetWindowRect(&rcBar);
    const BOOL bHoriz = m_pContainer->IsHoriz();
    if (tracker.Track(this, rcRange, rcBar, ptScreen, bHoriz))
    {
        ApplyPosition(bHoriz ? rcBar.left : rcBar.top);
        m_pManager->RecalcFrameLayout(m_pContainer, TRUE);
    }
}

void CXTPDockingPaneSplitterWnd::TrackLive(CPoint ptScreen, const CRect& rcRange)
{
    const BOOL bHoriz = m_pContainer->IsHoriz();
    CRect rcBar;
    CWnd::GetWindowRect(&rcBar);
    const int nOffset = bHoriz ? ptScreen.x - rcBar.left : ptScreen.y - rcBar.top;
    const HWND hWnd = m_hWnd;
    CXTPDockingPaneManager* pManager = m_pManager;
    CXTPDockingPaneSplitterContainer* pContainer = m_pContainer;

    ::SetCapture(hWnd);
    while (::GetCapture() == hWnd)
    {
        MSG msg;
        if (!XTPDockingPaneGetLoopMessage(&msg))
            break;
        if (msg.message == WM_MOUSEMOVE)
        {
            CPoint pt = PointFromLParam(msg.lParam);
            ::ClientToScreen(msg.hwnd, &pt);
            int nPos = (bHoriz ? pt.x : pt.y) - nOffset;
            nPos = bHoriz ? std::max((int)rcRange.left, std::min(nPos, (int)rcRange.right))
                          : std::max((int)rcRange.top, std::min(nPos, (int)rcRange.bottom));
            ApplyPosition(nPos);
            pManager->RecalcFrameLayout(pContainer, FALSE);
        }
        else if (msg.message == WM_LBUTTONUP || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE))
        {
            break;
        }
        else
        {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
}

//////////////////////////////////////////////////////////////////////////
// CXTPDockingPaneSplitterContainer

CXTPDockingPaneSplitterContainer::CXTPDockingPaneSplitterContainer(CXTPDockingPaneLayout* pLayout)
    : CXTPDockingPaneBaseContainer(xtpPaneTypeSplitterContainer, pLayout), m_bHoriz(FALSE), m_lstSpliters(10),
      m_bRecalcLayout(FALSE)
{
    EnableAutomation();
}

CXTPDockingPaneSplitterContainer::~CXTPDockingPaneSplitterContainer()
{
    DeleteSplitters();
}

void CXTPDockingPaneSplitterContainer::Init(CXTPDockingPaneBase* pPane, BOOL bHoriz, CWnd* pFrame)
{
    m_pDockingSite = pFrame;
    m_bHoriz = bHoriz;
    m_lstPanes.AddTail(pPane);
    pPane->SetParentContainer(this);
    pPane->SetDockingSite(pFrame);
    m_szDocking = pPane->m_szDocking;
}

void CXTPDockingPaneSplitterContainer::AddPane(CXTPDockingPaneBase* pPane, CXTPDockingPaneBase* pNeighbour,
                                               BOOL bAfter)
{
    POSITION pos = pNeighbour != NULL ? m_lstPanes.Find(pNeighbour) : NULL;
    if (pos != NULL)
    {
        if (bAfter)
            m_lstPanes.InsertAfter(pos, pPane);
        else
            m_lstPanes.InsertBefore(pos, pPane);
    }
    else if (bAfter)
    {
        m_lstPanes.AddTail(pPane);
    }
    else
    {
        m_lstPanes.AddHead(pPane);
    }
    pPane->SetParentContainer(this);
    pPane->SetDockingSite(m_pDockingSite);

    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (pManager != NULL)
        pManager->RecalcFrameLayout(this, TRUE);
    RebuildSplitters();
    if (m_pParentContainer != NULL)
        m_pParentContainer->OnChildVisibilityChanged(this);
    pPane->OnParentContainerChanged(this);
}

void CXTPDockingPaneSplitterContainer::RemovePane(CXTPDockingPaneBase* pPane)
{
    POSITION pos = m_lstPanes.Find(pPane);
    if (pos == NULL)
        return;
    m_lstPanes.RemoveAt(pos);
    RebuildSplitters();

    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (pManager != NULL)
        pManager->RecalcFrameLayout(this, TRUE);
    if (m_pParentContainer != NULL)
    {
        m_pParentContainer->OnChildVisibilityChanged(this);
        if (m_lstPanes.IsEmpty())
            m_pParentContainer->RemovePane(this);
    }
    pPane->SetParentContainer(NULL);
}

void CXTPDockingPaneSplitterContainer::ReplacePane(CXTPDockingPaneBase* pPane, CXTPDockingPaneBase* pReplace)
{
    POSITION pos = m_lstPanes.Find(pPane);
    if (pos == NULL)
        return;
    m_lstPanes.SetAt(pos, pReplace);
    pReplace->SetParentContainer(this);
    RebuildSplitters();
    if (m_pParentContainer != NULL)
        m_pParentContainer->OnChildVisibilityChanged(this);
}

void CXTPDockingPaneSplitterContainer::OnChildVisibilityChanged(CXTPDockingPaneBase* pChild)
{
    if (m_pParentContainer != NULL)
        m_pParentContainer->OnChildVisibilityChanged(this);
    RebuildSplitters();
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (pManager != NULL)
        pManager->RecalcFrameLayout(this, TRUE);
}

void CXTPDockingPaneSplitterContainer::OnParentContainerChanged(CXTPDockingPaneBase* pContainer)
{
    m_pDockingSite = pContainer->GetDockingSite();
    RebuildSplitters();
    POSITION pos = m_lstPanes.GetHeadPosition();
    while (pos != NULL)
        m_lstPanes.GetNext(pos)->OnParentContainerChanged(this);
}

void CXTPDockingPaneSplitterContainer::GetVisiblePanes(CXTPDockingPaneBaseList& lst) const
{
    POSITION pos = m_lstPanes.GetHeadPosition();
    while (pos != NULL)
    {
        CXTPDockingPaneBase* pPane = m_lstPanes.GetNext(pos);
        if (!pPane->IsHidden())
            lst.AddTail(pPane);
    }
}

void CXTPDockingPaneSplitterContainer::GetMinMaxInfo(LPMINMAXINFO pMinMaxInfo) const
{
    CXTPDockingPaneBaseList lst;
    GetVisiblePanes(lst);
    CombineMinMaxInfo(lst, NULL, pMinMaxInfo);
}

void CXTPDockingPaneSplitterContainer::CombineMinMaxInfo(CXTPDockingPaneBaseList& lst, CXTPDockingPaneBase* pLeaving,
                                                         LPMINMAXINFO pMinMaxInfo) const
{
    CXTPDockingPaneBase::GetMinMaxInfo(pMinMaxInfo);
    BOOL bFirst = TRUE;
    POSITION pos = lst.GetHeadPosition();
    while (pos != NULL)
    {
        MINMAXINFO mmi;
        GetMinMaxInfoAfterLeaving(lst.GetNext(pos), pLeaving, &mmi);
        if (bFirst)
        {
            pMinMaxInfo->ptMinTrackSize = mmi.ptMinTrackSize;
            pMinMaxInfo->ptMaxTrackSize = mmi.ptMaxTrackSize;
            bFirst = FALSE;
            continue;
        }
        if (m_bHoriz)
        {
            pMinMaxInfo->ptMinTrackSize.x += mmi.ptMinTrackSize.x;
            pMinMaxInfo->ptMaxTrackSize.x += mmi.ptMaxTrackSize.x;
            pMinMaxInfo->ptMinTrackSize.y = std::max(pMinMaxInfo->ptMinTrackSize.y, mmi.ptMinTrackSize.y);
            pMinMaxInfo->ptMaxTrackSize.y = std::min(pMinMaxInfo->ptMaxTrackSize.y, mmi.ptMaxTrackSize.y);
        }
        else
        {
            pMinMaxInfo->ptMinTrackSize.y += mmi.ptMinTrackSize.y;
            pMinMaxInfo->ptMaxTrackSize.y += mmi.ptMaxTrackSize.y;
            pMinMaxInfo->ptMinTrackSize.x = std::max(pMinMaxInfo->ptMinTrackSize.x, mmi.ptMinTrackSize.x);
            pMinMaxInfo->ptMaxTrackSize.x = std::min(pMinMaxInfo->ptMaxTrackSize.x, mmi.ptMaxTrackSize.x);
        }
    }
    if (lst.GetCount() > 1)
    {
        LONG nBars = (LONG)(lst.GetCount() - 1) * SplitterSize(GetDockingPaneManager());
        if (m_bHoriz)
        {
            pMinMaxInfo->ptMinTrackSize.x += nBars;
            pMinMaxInfo->ptMaxTrackSize.x += nBars;
        }
        else
        {
            pMinMaxInfo->ptMinTrackSize.y += nBars;
            pMinMaxInfo->ptMaxTrackSize.y += nBars;
        }
    }
}

void AFX_CDECL CXTPDockingPaneSplitterContainer::GetMinMaxInfoAfterLeaving(CXTPDockingPaneBase* pChild,
                                                                           CXTPDockingPaneBase* pLeaving,
                                                                           LPMINMAXINFO pMinMaxInfo)
{
    // A splitter that the leaving object passes through no longer counts
    // the object's bounds; anything else keeps its own.
    if (pLeaving == NULL || pChild == pLeaving || pChild->GetType() != xtpPaneTypeSplitterContainer ||
        pChild->ContainsPane(pLeaving) == NULL)
    {
        pChild->GetMinMaxInfo(pMinMaxInfo);
        return;
    }
    CXTPDockingPaneSplitterContainer* pSplitter = static_cast<CXTPDockingPaneSplitterContainer*>(pChild);
    CXTPDockingPaneBaseList lst;
    pSplitter->GetRemainingPanes(lst, pLeaving);
    pSplitter->CombineMinMaxInfo(lst, pLeaving, pMinMaxInfo);
}

void AFX_CDECL CXTPDockingPaneSplitterContainer::ShareRoom(CXTPDockingPaneLayout* pLayout, CXTPDockingPaneBaseList& lst,
                                                           CRect rect, BOOL bHoriz, BOOL bWriteBack, LONGLONG& nTotal,
                                                           LONGLONG& nAvailable, CXTPDockingPaneBase* pLeaving)
{
    CXTPDockingPaneManager* pManager = pLayout != NULL ? pLayout->GetManager() : NULL;
    const int S = SplitterSize(pManager);
    CXTPDockingPaneBase* pClient = pLayout != NULL ? pLayout->GetClientPane() : NULL;
    const BOOL bHideClient = pManager != NULL && pManager->IsClientHidden();

    POSITION pos = lst.GetHeadPosition();
    while (pos != NULL)
    {
        CXTPDockingPaneBase* pPane = lst.GetNext(pos);
        MINMAXINFO mmi;
        GetMinMaxInfoAfterLeaving(pPane, pLeaving, &mmi);
        LONGLONG nLength = bHoriz ? pPane->m_szDocking.cx : pPane->m_szDocking.cy;
        nLength = std::min(nLength, (LONGLONG)AlongMax(mmi, bHoriz));
        nLength = std::max(nLength, (LONGLONG)AlongMin(mmi, bHoriz));
        pPane->m_nLength = nLength;
    }

    // The client's branch takes all the spare room.
    CXTPDockingPaneBase* pClientChild = NULL;
    pos = lst.GetHeadPosition();
    while (pos != NULL && pClient != NULL)
    {
        CXTPDockingPaneBase* pPane = lst.GetNext(pos);
        if (pPane->ContainsPane(pClient) == NULL)
            continue;
        if (!bHideClient || (pPane->m_szDocking.cx == 0 && pPane->m_szDocking.cy == 0))
        {
            pClientChild = pPane;
            if (bWriteBack)
                pPane->m_szDocking = CSize(0, 0);
            pPane->m_nLength = 0;
        }
        break;
    }

    nTotal = 0;
    pos = lst.GetHeadPosition();
    while (pos != NULL)
        nTotal += lst.GetNext(pos)->m_nLength;
    nAvailable = (LONGLONG)(bHoriz ? rect.Width() : rect.Height()) - (LONGLONG)(lst.GetCount() - 1) * S;

    if (pClientChild != NULL && nTotal < nAvailable)
    {
        pClientChild->m_nLength = nAvailable - nTotal;
        if (bWriteBack)
            SetAlongDocking(pClientChild, bHoriz, pClientChild->m_nLength);
        nTotal = nAvailable;
    }
    if (nAvailable < 1)
        return;

    // Children whose share passes their bounds are fixed at the bound (a
    // negative length) and leave the pool; the pass starts over after each.
    BOOL bFixed = TRUE;
    while (bFixed)
    {
        bFixed = FALSE;
        pos = lst.GetHeadPosition();
        while (pos != NULL && nTotal != 0)
        {
            CXTPDockingPaneBase* pPane = lst.GetNext(pos);
            if (pPane->m_nLength < 0)
                continue;
            MINMAXINFO mmi;
            GetMinMaxInfoAfterLeaving(pPane, pLeaving, &mmi);
            LONGLONG nShare = nAvailable * pPane->m_nLength / nTotal;
            LONGLONG nBound;
            if (nShare < AlongMin(mmi, bHoriz))
                nBound = AlongMin(mmi, bHoriz);
            else if (nShare > AlongMax(mmi, bHoriz))
                nBound = AlongMax(mmi, bHoriz);
            else
                continue;
            LONGLONG nOld = pPane->m_nLength;
            pPane->m_nLength = -nBound;
            nAvailable -= nBound;
            nTotal -= nOld;
            if (nAvailable < 0)
            {
                // The child just fixed takes the overdraw.
                pPane->m_nLength -= nAvailable;
                nAvailable = 0;
                return;
            }
            bFixed = TRUE;
            break;
        }
    }
}

void AFX_CDECL CXTPDockingPaneSplitterContainer::ShareOut(CXTPDockingPaneLayout* pLayout, CXTPDockingPaneBaseList& lst,
                                                          CRect rect, BOOL bHoriz, BOOL bWriteBack, int nSplitter,
                                                          CXTPDockingPaneBase* pLeaving, CArray<CRect, CRect&>& arrRects)
{
    LONGLONG nTotal = 0, nAvailable = 0;
    ShareRoom(pLayout, lst, rect, bHoriz, bWriteBack, nTotal, nAvailable, pLeaving);
    LONGLONG nStart = bHoriz ? rect.left : rect.top;
    const LONGLONG nEnd = bHoriz ? rect.right : rect.bottom;
    POSITION pos = lst.GetHeadPosition();
    while (pos != NULL)
    {
        const LONGLONG nLength = NextShare(lst.GetNext(pos), nTotal, nAvailable);
        const LONGLONG nFar = pos == NULL ? nEnd : nStart + nLength;
        CRect rcChild = bHoriz ? CRect((int)nStart, rect.top, (int)nFar, rect.bottom)
                               : CRect(rect.left, (int)nStart, rect.right, (int)nFar);
        arrRects.Add(rcChild);
        nStart = nFar + nSplitter;
    }
}

void CXTPDockingPaneSplitterContainer::OnSizeParent(CWnd* pParent, CRect rect, LPVOID lParam)
{
    m_rcWindow = rect;
    m_pDockingSite = pParent;

    CXTPDockingPaneBaseList lst;
    GetVisiblePanes(lst);
    if (lst.IsEmpty())
        return;

    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    CXTPDockingPaneBase* pClient = m_pLayout != NULL ? m_pLayout->GetClientPane() : NULL;
    if (pManager != NULL && pManager->IsClientHidden() && pClient != NULL && ContainsPane(pClient) != NULL)
        pClient->OnSizeParent(pParent, CRect(0, 0, 0, 0), lParam);

    if (lst.GetCount() == 1)
    {
        lst.GetHead()->OnSizeParent(pParent, rect, lParam);
        return;
    }
    if (m_bRecalcLayout)
        return;
    m_bRecalcLayout = TRUE;

    const int S = SplitterSize(pManager);
    CArray<CRect, CRect&> arrRects;
    ShareOut(m_pLayout, lst, rect, m_bHoriz, TRUE, S, NULL, arrRects);

    // A splitter bar after each child but the last.
    CArray<CRect, CRect&> arrBars;
    INT_PTR nChild = 0;
    POSITION pos = lst.GetHeadPosition();
    while (pos != NULL)
    {
        CRect& rcPane = arrRects[nChild++];
        lst.GetNext(pos)->OnSizeParent(pParent, rcPane, lParam);
        if (pos != NULL)
        {
            CRect rcBar = m_bHoriz ? CRect(rcPane.right, rect.top, rcPane.right + S, rect.bottom)
                                   : CRect(rect.left, rcPane.bottom, rect.right, rcPane.bottom + S);
            arrBars.Add(rcBar);
        }
    }

    AFX_SIZEPARENTPARAMS* pParams = (AFX_SIZEPARENTPARAMS*)lParam;
    if (pParams != NULL && pParams->hDWP != NULL)
    {
        int i = 0;
        pos = m_lstSpliters.GetHeadPosition();
        while (pos != NULL && i < arrBars.GetSize())
        {
            CXTPDockingPaneSplitterWnd* pSplitter = m_lstSpliters.GetNext(pos);
            CRect rcBar;
            rcBar.IntersectRect(arrBars[i++], rect);
            if (pSplitter->GetSafeHwnd() != NULL)
            {
                XTPDockingPanePlaceWindow(pSplitter->m_hWnd, rcBar, TRUE);
                pSplitter->CWnd::Invalidate(FALSE);
            }
        }
    }
    m_bRecalcLayout = FALSE;
}

void CXTPDockingPaneSplitterContainer::DeleteSplitters()
{
    while (!m_lstSpliters.IsEmpty())
    {
        CXTPDockingPaneSplitterWnd* pSplitter = m_lstSpliters.RemoveHead();
        if (pSplitter->GetSafeHwnd() != NULL)
            pSplitter->DestroyWindow();
        delete pSplitter;
    }
}

void CXTPDockingPaneSplitterContainer::RebuildSplitters()
{
    if (m_bRecalcLayout || m_pLayout == NULL || m_pLayout->IsUserLayout())
        return;
    DeleteSplitters();
    if (m_lstPanes.GetCount() < 2)
        return;

    CXTPDockingPaneBaseList lst;
    GetVisiblePanes(lst);
    CXTPDockingPaneBase* pPrevious = NULL;
    POSITION pos = lst.GetHeadPosition();
    while (pos != NULL)
    {
        CXTPDockingPaneBase* pPane = lst.GetNext(pos);
        if (pPrevious != NULL)
        {
            CXTPDockingPaneSplitterWnd* pSplitter = new CXTPDockingPaneSplitterWnd();
            if (!pSplitter->Create(this, pPrevious, pPane))
                TRACE("The splitter bar between two docked windows could not be created.\n");
            m_lstSpliters.AddTail(pSplitter);
        }
        pPrevious = pPane;
    }
}

void CXTPDockingPaneSplitterContainer::NormalizeDockingSize()
{
    POSITION pos = m_lstPanes.GetHeadPosition();
    while (pos != NULL)
    {
        CXTPDockingPaneBase* pPane = m_lstPanes.GetNext(pos);
        if (!pPane->IsHidden())
            SetAlongDocking(pPane, m_bHoriz, m_bHoriz ? pPane->m_rcWindow.Width() : pPane->m_rcWindow.Height());
    }
    SetAlongDocking(this, m_bHoriz, m_bHoriz ? m_rcWindow.Width() : m_rcWindow.Height());
}

CXTPDockingPaneBase* CXTPDockingPaneSplitterContainer::Clone(CXTPDockingPaneLayout* pLayout, CXTPPaneToPaneMap* pMap,
                                                             DWORD dwIgnoredOptions)
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    CXTPDockingPaneBase* pBase = pManager != NULL ? pManager->OnCreatePane(xtpPaneTypeSplitterContainer, pLayout)
                                                  : NULL;
    if (pBase == NULL)
        return NULL;
    CXTPDockingPaneSplitterContainer* pClone = static_cast<CXTPDockingPaneSplitterContainer*>(pBase);
    pClone->m_bHoriz = m_bHoriz;
    pClone->m_pDockingSite = pManager->GetSite();
    pClone->m_szDocking = m_szDocking;
    pClone->m_rcWindow = m_rcWindow;
    if (pMap != NULL)
        pMap->SetAt(this, pClone);

    POSITION pos = m_lstPanes.GetHeadPosition();
    while (pos != NULL)
    {
        CXTPDockingPaneBase* pPane = m_lstPanes.GetNext(pos);
        if (pMap == NULL && pPane->IsHidden())
            continue;
        CXTPDockingPaneBase* pChild = pPane->Clone(pLayout, pMap, dwIgnoredOptions);
        if (pChild == NULL)
            continue;
        pClone->m_lstPanes.AddTail(pChild);
        pChild->SetParentContainer(pClone);
        pChild->SetDockingSite(pClone->m_pDockingSite);
    }
    pClone->RebuildSplitters();
    return pClone;
}

BOOL CXTPDockingPaneSplitterContainer::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPDockingPaneBase::DoPropExchange(pPX);
    PropExchangeBool(pPX, _T("Horiz"), m_bHoriz, FALSE);

    if (pPX->IsStoring())
    {
        long nCount = (long)m_lstPanes.GetCount();
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

    long nCount = 0;
    PropExchangeLong(pPX, _T("Panes"), nCount);
    for (long i = 1; i <= nCount; i++)
    {
        CString strName;
        strName.Format(_T("Pane-%ld"), i);
        long nIndex = 0;
        PropExchangeLong(pPX, strName, nIndex);
        // A splitter holds tabbed containers, splitters or the client, each
        // placed once, never itself or one of its ancestors.
        CXTPDockingPaneBase* pPane = CXTPDockingPaneLayout::LookupObject(pPX, (int)nIndex);
        if (pPane == NULL || !CXTPDockingPaneLayout::CanAdoptChild(this, pPane))
            return FALSE;
        XTPDockingPaneType type = pPane->GetType();
        if (type != xtpPaneTypeTabbedContainer && type != xtpPaneTypeSplitterContainer &&
            type != xtpPaneTypeClientContainer)
            return FALSE;
        m_lstPanes.AddTail(pPane);
        pPane->SetParentContainer(this);
        pPane->SetDockingSite(m_pDockingSite);
    }
    return TRUE;
}

CRect CXTPDockingPaneSplitterContainer::GetDockingRect(CXTPDockingPaneBase* pNeighbour,
                                                       XTPDockingPaneDirection direction,
                                                       CXTPDockingPaneBase* pPane) const
{
    // The children that stay once the object has left its place, with the
    // object inserted next to the neighbour, shared out in the room this
    // container will have then; nothing is written back.
    CXTPDockingPaneBaseList lst;
    GetRemainingPanes(lst, pPane);
    POSITION pos = lst.Find(pNeighbour);
    if (pos == NULL)
        return CRect(0, 0, 0, 0);
    if (direction == xtpPaneDockRight || direction == xtpPaneDockBottom)
        lst.InsertAfter(pos, pPane);
    else
        lst.InsertBefore(pos, pPane);
    return PlaceInRect(lst, RectAfterLeaving(this, pPane), m_bHoriz, pPane, pPane);
}

CRect CXTPDockingPaneSplitterContainer::GetEdgeDockingRect(XTPDockingPaneDirection direction,
                                                           CXTPDockingPaneBase* pPane)
{
    // Docked at an edge of the docking area, the object becomes the first
    // or last child of this container when its orientation matches, else
    // one of two in a new container of the other orientation that takes
    // this one's place. Either way the branch holding the client takes the
    // spare room and the object keeps its docking size.
    const BOOL bHoriz = direction == xtpPaneDockLeft || direction == xtpPaneDockRight;
    const BOOL bAfter = direction == xtpPaneDockRight || direction == xtpPaneDockBottom;
    CXTPDockingPaneBaseList lst;
    if (m_bHoriz == bHoriz)
        GetRemainingPanes(lst, pPane);
    else
        lst.AddTail(this);
    if (bAfter)
        lst.AddTail(pPane);
    else
        lst.AddHead(pPane);
    return PlaceInRect(lst, m_rcWindow, bHoriz, pPane, pPane);
}

void CXTPDockingPaneSplitterContainer::GetRemainingPanes(CXTPDockingPaneBaseList& lst,
                                                         CXTPDockingPaneBase* pLeaving) const
{
    // A child that the object empties as it leaves (its own group, or a
    // branch holding nothing else) has no place in the row any more.
    CXTPDockingPaneBaseList lstVisible;
    GetVisiblePanes(lstVisible);
    POSITION pos = lstVisible.GetHeadPosition();
    while (pos != NULL)
    {
        CXTPDockingPaneBase* pChild = lstVisible.GetNext(pos);
        if (pLeaving == NULL || !IsEmptiedBy(pChild, pLeaving))
            lst.AddTail(pChild);
    }
}

CRect AFX_CDECL CXTPDockingPaneSplitterContainer::RectAfterLeaving(const CXTPDockingPaneBase* pObject,
                                                                   CXTPDockingPaneBase* pLeaving)
{
    // The outermost splitter of a docking area keeps its rectangle; below
    // it each container's rectangle is its share of its parent's, shared
    // among the children that stay.
    CXTPDockingPaneBase* pParent = pObject->GetContainer();
    if (pParent == NULL || pParent->GetType() != xtpPaneTypeSplitterContainer)
        return pObject->m_rcWindow;
    const CXTPDockingPaneSplitterContainer* pSplitter = static_cast<CXTPDockingPaneSplitterContainer*>(pParent);
    CXTPDockingPaneBaseList lst;
    pSplitter->GetRemainingPanes(lst, pLeaving);
    return pSplitter->PlaceInRect(lst, RectAfterLeaving(pSplitter, pLeaving), pSplitter->m_bHoriz,
                                  const_cast<CXTPDockingPaneBase*>(pObject), pLeaving, FALSE);
}

BOOL AFX_CDECL CXTPDockingPaneSplitterContainer::IsEmptiedBy(CXTPDockingPaneBase* pChild, CXTPDockingPaneBase* pPane)
{
    if (pChild == pPane)
        return TRUE;
    CXTPDockingPaneBaseList lstPanes;
    pChild->FindPanes(xtpPaneTypeDockingPane, &lstPanes);
    if (lstPanes.IsEmpty())
        return FALSE;
    POSITION pos = lstPanes.GetHeadPosition();
    while (pos != NULL)
    {
        if (pPane->ContainsPane(lstPanes.GetNext(pos)) == NULL)
            return FALSE;
    }
    return TRUE;
}

CRect CXTPDockingPaneSplitterContainer::PlaceInRect(CXTPDockingPaneBaseList& lst, CRect rect, BOOL bHoriz,
                                                    CXTPDockingPaneBase* pObject, CXTPDockingPaneBase* pLeaving,
                                                    BOOL bScreen) const
{
    // The list shared out in the rectangle as the layout pass shares it;
    // the object's place, in screen coordinates with bScreen.
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    const int S = SplitterSize(pManager);
    CRect rcResult(0, 0, 0, 0);
    if (lst.GetCount() == 1)
    {
        // A single child fills the rectangle (the layout pass shares nothing).
        if (lst.GetHead() == pObject)
            rcResult = rect;
    }
    else
    {
        CArray<CRect, CRect&> arrRects;
        ShareOut(m_pLayout, lst, rect, bHoriz, FALSE, S, pLeaving, arrRects);
        INT_PTR nChild = 0;
        for (POSITION pos = lst.GetHeadPosition(); pos != NULL; nChild++)
        {
            if (lst.GetNext(pos) == pObject)
            {
                rcResult = arrRects[nChild];
                break;
            }
        }
    }
    if (bScreen)
    {
        CWnd* pSite = GetDockingSite();
        if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
            pSite->ClientToScreen(&rcResult);
    }
    return rcResult;
}

CRect AFX_CDECL CXTPDockingPaneSplitterContainer::GetSplitRect(CXTPDockingPaneBase* pTarget,
                                                               XTPDockingPaneDirection direction,
                                                               CXTPDockingPaneBase* pPane)
{
    // Docked across the target's row, the object and the target become a
    // two-member row or column in the room the target will have then.
    CXTPDockingPaneBase* pParent = pTarget->GetContainer();
    if (pParent == NULL || pParent->GetType() != xtpPaneTypeSplitterContainer)
        return CRect(0, 0, 0, 0);
    const BOOL bHoriz = direction == xtpPaneDockLeft || direction == xtpPaneDockRight;
    CXTPDockingPaneBaseList lst;
    lst.AddTail(pTarget);
    if (direction == xtpPaneDockRight || direction == xtpPaneDockBottom)
        lst.AddTail(pPane);
    else
        lst.AddHead(pPane);
    return static_cast<CXTPDockingPaneSplitterContainer*>(pParent)->PlaceInRect(
        lst, RectAfterLeaving(pTarget, pPane), bHoriz, pPane, pPane);
}
