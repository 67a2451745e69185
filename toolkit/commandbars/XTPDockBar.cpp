// Dock bars: rows of toolbars along the frame's edges; and the rebar host.
#include "XTPDockBar.h"
#include "XTPToolBar.h"
#include "XTPMenuBar.h"
#include "XTPCommandBars.h"
#include "XTPPaintManager.h"
#include "XTPDrawHelpers.h"

IMPLEMENT_DYNCREATE(CXTPDockBar, CWnd)
IMPLEMENT_DYNAMIC(CXTPReBar, CReBar)

#define XTP_DOCKBAR_CLASSNAME _T("XTPDockBar")

BEGIN_MESSAGE_MAP(CXTPDockBar, CWnd)
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_ERASEBKGND()
    ON_WM_RBUTTONDOWN()
    ON_WM_NCHITTEST()
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParentMsg)
END_MESSAGE_MAP()

void CXTPDockBar::CDockInfoArray::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << (DWORD)GetSize();
        for (INT_PTR i = 0; i < GetSize(); i++)
        {
            DOCK_INFO& di = ElementAt(i);
            ar << di.rcBar.left << di.rcBar.top << di.rcBar.right << di.rcBar.bottom << (LONG)di.nIndex;
        }
    }
    else
    {
        DWORD dwCount = 0;
        ar >> dwCount;
        if (dwCount > 4096)
            AfxThrowArchiveException(CArchiveException::badIndex);
        SetSize((INT_PTR)dwCount);
        for (INT_PTR i = 0; i < GetSize(); i++)
        {
            DOCK_INFO& di = ElementAt(i);
            LONG nIndex = 0;
            ar >> di.rcBar.left >> di.rcBar.top >> di.rcBar.right >> di.rcBar.bottom >> nIndex;
            di.rcMRUPos = di.rcBar;
            di.nIndex = (int)nIndex;
            di.pBar = NULL;
        }
    }
}

void CXTPDockBar::CDockInfoArray::Sort()
{
    // Stable, by the leading edge; ties keep the bar-list order.
    for (INT_PTR i = 1; i < GetSize(); i++)
    {
        DOCK_INFO di = ElementAt(i);
        INT_PTR j = i - 1;
        while (j >= 0 && ElementAt(j).rcBar.left > di.rcBar.left)
        {
            ElementAt(j + 1) = ElementAt(j);
            j--;
        }
        ElementAt(j + 1) = di;
    }
}

CXTPDockBar::CXTPDockBar(CXTPCommandBars* pCommandBars)
    : m_dwStyle(0)
    , m_pCommandBars(pCommandBars)
    , m_hdwpBars(NULL)
    , m_bBatchMoves(FALSE)
    , m_bBatchBegun(FALSE)
    , m_bOneByOne(FALSE)
{
    m_arrBars.Add(NULL);
}

CXTPDockBar::~CXTPDockBar()
{
}

BOOL CXTPDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    CXTPDrawHelpers::RegisterWndClass(AfxGetInstanceHandle(), XTP_DOCKBAR_CLASSNAME, 0);
    static LPCTSTR s_names[4] = { _T("xtpBarTop"), _T("xtpBarBottom"), _T("xtpBarLeft"), _T("xtpBarRight") };
    LPCTSTR lpszName = s_names[GetPosition()];
    return CWnd::Create(XTP_DOCKBAR_CLASSNAME, lpszName, dwStyle | WS_CLIPSIBLINGS, CRect(0, 0, 0, 0), pParentWnd,
                        nID);
}

XTPBarPosition CXTPDockBar::GetPosition() const
{
    if (m_dwStyle & 0x2800)
        return xtpBarTop;
    if (m_dwStyle & 0x8200)
        return xtpBarBottom;
    if (m_dwStyle & 0x1400)
        return xtpBarLeft;
    return xtpBarRight;
}

CXTPToolBar* CXTPDockBar::GetDockedBar(int nIndex) const
{
    return m_arrBars.GetAt(nIndex);
}

int CXTPDockBar::FindBar(CXTPToolBar* pBar, int nIndexExclude) const
{
    for (int i = 0; i < m_arrBars.GetSize(); i++)
    {
        if (m_arrBars[i] == pBar && i != nIndexExclude)
            return i;
    }
    return -1;
}

BOOL CXTPDockBar::IsMenuBarRowLocked() const
{
    CXTPMenuBar* pMenuBar = m_pCommandBars != NULL ? m_pCommandBars->GetMenuBar() : NULL;
    return pMenuBar != NULL && pMenuBar->GetDockBar() == this && pMenuBar->IsRibbonBar();
}

//////////////////////////////////////////////////////////////////////////
// Docking and removing

int CXTPDockBar::Insert(CXTPToolBar* pBar, CRect rc, CPoint pt)
{
    (void)rc;
    BOOL bHorz = IsHorizontal();
    int nPos = bHorz ? pt.y : pt.x;
    BOOL bMayPrecede = !IsMenuBarRowLocked();

    int nPrevEnd = -1;
    int nPrevFar = 0;
    int nFar = 0;
    BOOL bMenuRow = FALSE;
    for (int i = 0; i < m_arrBars.GetSize(); i++)
    {
        CXTPToolBar* pDocked = m_arrBars[i];
        if (pDocked != NULL)
        {
            if (pDocked->GetSafeHwnd() != NULL && pDocked->IsVisible())
            {
                CRect rcBar;
                pDocked->GetWindowRect(&rcBar);
                ScreenToClient(&rcBar);
                nFar = std::max(nFar, (int)(bHorz ? rcBar.bottom : rcBar.right));
            }
            if (pDocked->GetType() == xtpBarTypeRibbon && pDocked->IsRibbonBar())
                bMenuRow = TRUE;
            continue;
        }

        // The end of a row (index 0: the empty row before everything).
        if (nPos < nFar && !(i == 0 && !bMayPrecede) && !(bMenuRow && !bMayPrecede && nPos == nPrevFar))
        {
            if (i == 0 || nPos == nPrevFar)
            {
                // A row of its own before this one (after the leading row end).
                int nStart = std::max(nPrevEnd + 1, 1);
                m_arrBars.InsertAt(nStart, (CXTPToolBar*)NULL);
                m_arrBars.InsertAt(nStart, pBar);
                return nStart;
            }
            m_arrBars.InsertAt(nPrevEnd + 1, pBar);
            return nPrevEnd + 1;
        }
        nPrevEnd = i;
        nPrevFar = nFar;
        bMenuRow = FALSE;
    }
    m_arrBars.Add(pBar);
    m_arrBars.Add(NULL);
    return (int)m_arrBars.GetSize() - 2;
}

void CXTPDockBar::DockCommandBar(CXTPToolBar* pBar, LPCRECT lpRect)
{
    if (pBar == NULL)
        return;
    int nOld = FindBar(pBar);
    if (nOld != -1 && lpRect == NULL)
        return;
    if (lpRect != NULL && pBar->GetSafeHwnd() != NULL && pBar->GetDockBar() == this)
    {
        CRect rcWindow;
        pBar->GetWindowRect(&rcWindow);
        if (rcWindow == *lpRect)
            return;
    }

    int nNew;
    if (lpRect != NULL)
    {
        CRect rc = *lpRect;
        ScreenToClient(&rc);
        nNew = Insert(pBar, rc, rc.CenterPoint());
        pBar->SetMRUDockRect(rc);
    }
    else
    {
        m_arrBars.Add(pBar);
        m_arrBars.Add(NULL);
        nNew = (int)m_arrBars.GetSize() - 2;
        pBar->SetMRUDockRect(CRect(0, 0, 0, 0));
    }

    if (pBar->GetSafeHwnd() != NULL && m_hWnd != NULL && ::GetParent(pBar->m_hWnd) != m_hWnd)
        pBar->SetParent(this);

    CXTPDockBar* pOldDock = pBar->GetDockBar();
    if (pOldDock == this)
        RemoveCommandBar(pBar, nNew);
    else if (pOldDock != NULL)
        pOldDock->RemoveCommandBar(pBar, -1);
    pBar->SetDockBar(this);

    // Bars that take a whole row stand alone in it.
    if (pBar->GetFlags() & xtpFlagStretched)
    {
        int nIndex = FindBar(pBar);
        if (nIndex > 0 && m_arrBars[nIndex - 1] != NULL)
        {
            m_arrBars.InsertAt(nIndex, (CXTPToolBar*)NULL);
            nIndex++;
        }
        if (nIndex + 1 < m_arrBars.GetSize() && m_arrBars[nIndex + 1] != NULL)
            m_arrBars.InsertAt(nIndex + 1, (CXTPToolBar*)NULL);
    }
    if (m_pCommandBars != NULL)
        m_pCommandBars->RecalcFrameLayout(TRUE);
}

BOOL CXTPDockBar::RemoveCommandBar(CXTPToolBar* pBar, int nIndexExclude)
{
    int nIndex = FindBar(pBar, nIndexExclude);
    if (nIndex == -1)
        return FALSE;
    m_arrBars.RemoveAt(nIndex);
    if (nIndex > 0 && nIndex < m_arrBars.GetSize() && m_arrBars[nIndex - 1] == NULL && m_arrBars[nIndex] == NULL)
        m_arrBars.RemoveAt(nIndex);
    if (pBar->GetDockBar() == this && FindBar(pBar) == -1)
        pBar->SetDockBar(NULL);
    if (m_pCommandBars != NULL)
        m_pCommandBars->RecalcFrameLayout(TRUE);
    return TRUE;
}

void CXTPDockBar::GetVisibleBarsInRow(int nIndex, CToolBarArray& arrBars) const
{
    arrBars.RemoveAll();
    if (nIndex < 0 || nIndex >= m_arrBars.GetSize())
        return;
    int nStart = nIndex;
    while (nStart > 0 && m_arrBars[nStart - 1] != NULL)
        nStart--;
    for (int i = nStart; i < m_arrBars.GetSize() && m_arrBars[i] != NULL; i++)
    {
        CXTPToolBar* pBar = m_arrBars[i];
        if (pBar->IsVisible())
            arrBars.Add(pBar);
    }
    BOOL bHorz = IsHorizontal();
    for (INT_PTR i = 1; i < arrBars.GetSize(); i++)
    {
        CXTPToolBar* pBar = arrBars[i];
        CRect rcBar;
        pBar->GetWindowRect(&rcBar);
        INT_PTR j = i - 1;
        for (; j >= 0; j--)
        {
            CRect rcOther;
            arrBars[j]->GetWindowRect(&rcOther);
            if ((bHorz ? rcOther.left : rcOther.top) <= (bHorz ? rcBar.left : rcBar.top))
                break;
            arrBars[j + 1] = arrBars[j];
        }
        arrBars[j + 1] = pBar;
    }
}

//////////////////////////////////////////////////////////////////////////
// Layout

DWORD CXTPDockBar::GetBarMode(CXTPToolBar* pBar, BOOL bHorz) const
{
    DWORD dwMode = bHorz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK;
    if (pBar->GetFlags() & xtpFlagStretched)
        dwMode |= LM_STRETCH;
    if (pBar->GetFlags() & xtpFlagHideWrap)
    {
        BOOL bCustomizing = m_pCommandBars != NULL && m_pCommandBars->IsCustomizeMode() &&
                            !m_pCommandBars->IsQuickCustomizeMode();
        if (!bCustomizing)
            dwMode |= LM_HIDEWRAP;
    }
    return dwMode;
}

int CXTPDockBar::AdjustRow(CToolBarArray& arrRow, CPoint pt, int nLength, BOOL bHorz,
                           AFX_SIZEPARENTPARAMS* lpLayout, int& nRemove)
{
    nRemove = -1;
    int nOffset = bHorz ? pt.y : pt.x;
    CDockInfoArray arr;
    for (INT_PTR k = 0; k < arrRow.GetSize(); k++)
    {
        CXTPToolBar* pBar = arrRow[k];
        CSize sz = pBar->CalcDockingLayout(nLength, GetBarMode(pBar, bHorz));
        CRect rcMRU = pBar->GetMRUDockRect();
        int nStart = bHorz ? rcMRU.left : rcMRU.top;
        // Worked along x: a vertical dock bar's rectangles are turned.
        CRect rc(nStart, nOffset, nStart + (bHorz ? sz.cx : sz.cy), nOffset + (bHorz ? sz.cy : sz.cx));
        DOCK_INFO di(pBar, rc, FindBar(pBar));
        arr.Add(di);
    }
    arr.Sort();
    INT_PTR nCount = arr.GetSize();

    // Remove overlaps: the bar earlier in the bar list keeps its place.
    int nEdge = 0;
    int nPrevIndex = -1;
    BOOL bPush = TRUE;
    for (INT_PTR k = 0; k < nCount; k++)
    {
        DOCK_INFO& di = arr[k];
        if (di.rcBar.left < nEdge)
        {
            if (di.nIndex > nPrevIndex || bPush)
            {
                di.rcBar.OffsetRect(nEdge - di.rcBar.left, 0);
                bPush = TRUE;
            }
            else
                bPush = FALSE;
        }
        else
            bPush = FALSE;
        nEdge = di.rcBar.right;
        nPrevIndex = di.nIndex;
    }
    int nLimit = nLength;
    nPrevIndex = -1;
    bPush = TRUE;
    for (INT_PTR k = nCount - 1; k >= 0; k--)
    {
        DOCK_INFO& di = arr[k];
        if (di.rcBar.right > nLimit)
        {
            if (di.nIndex > nPrevIndex || bPush)
            {
                di.rcBar.OffsetRect(nLimit - di.rcBar.right, 0);
                bPush = TRUE;
            }
            else
                bPush = FALSE;
        }
        else
            bPush = FALSE;
        nLimit = di.rcBar.left;
        nPrevIndex = di.nIndex;
    }
    nEdge = 0;
    for (INT_PTR k = 0; k < nCount; k++)
    {
        DOCK_INFO& di = arr[k];
        if (di.rcBar.left < nEdge)
            di.rcBar.OffsetRect(nEdge - di.rcBar.left, 0);
        nEdge = di.rcBar.right;
    }

    // Squeeze the line when it is still too long.
    if (nCount > 0 && arr[nCount - 1].rcBar.right > nLength)
    {
        int nTotal = 0;
        for (INT_PTR k = 0; k < nCount; k++)
        {
            DOCK_INFO& di = arr[k];
            DWORD dwMode = GetBarMode(di.pBar, bHorz);
            if (dwMode & LM_HIDEWRAP)
            {
                CSize szMin = di.pBar->CalcDockingLayout(1, dwMode);
                di.nMinWidth = bHorz ? szMin.cx : szMin.cy;
            }
            else
            {
                // A bar that cannot shrink needs the whole line: beside
                // others it goes to a line of its own.
                di.nMinWidth = nLength;
            }
            di.nTotlaMinWidth = nTotal;
            nTotal += di.nMinWidth;
        }
        nLimit = nLength;
        for (INT_PTR k = nCount - 1; k >= 0; k--)
        {
            DOCK_INFO& di = arr[k];
            int nStart = std::min((int)di.rcMRUPos.left, (int)di.rcBar.left);
            nStart = std::max(nStart, nLimit - di.rcBar.Width());
            nStart = std::max(nStart, di.nTotlaMinWidth);
            if (nLimit - nStart < di.nMinWidth)
                nStart = nLimit - di.nMinWidth;
            if ((nLimit - nStart < di.nMinWidth || nStart < di.nTotlaMinWidth) && nCount > 1)
            {
                CXTPToolBar* pLast = arr[nCount - 1].pBar;
                for (INT_PTR r = 0; r < arrRow.GetSize(); r++)
                {
                    if (arrRow[r] == pLast)
                        nRemove = (int)r;
                }
                return 0;
            }
            di.rcBar.left = std::max(nStart, 0);
            di.rcBar.right = nLimit;
            nLimit = di.rcBar.left;
        }
    }

    // Each bar at its final length; the line is as thick as its thickest bar.
    int nThick = 0;
    CArray<CSize, CSize> arrSizes;
    arrSizes.SetSize(nCount);
    for (INT_PTR k = 0; k < nCount; k++)
    {
        DOCK_INFO& di = arr[k];
        CSize sz = di.pBar->CalcDockingLayout(di.rcBar.Width(), GetBarMode(di.pBar, bHorz));
        arrSizes[k] = sz;
        nThick = std::max(nThick, (int)(bHorz ? sz.cy : sz.cx));
    }

    if (lpLayout != NULL && lpLayout->hDWP != NULL)
    {
        for (INT_PTR k = 0; k < nCount; k++)
        {
            DOCK_INFO& di = arr[k];
            CXTPToolBar* pBar = di.pBar;
            DWORD dwMode = GetBarMode(pBar, bHorz);
            int nLeft = di.rcBar.left;
            int nBarLength = di.rcBar.Width();
            if (pBar->GetFlags() & xtpFlagStretchedShared)
            {
                nLeft = k > 0 ? arr[k - 1].rcBar.right : 0;
                int nRight = k + 1 < nCount ? arr[k + 1].rcBar.left : nLength;
                nBarLength = std::max(0, nRight - nLeft);
                dwMode |= LM_STRETCH;
                di.rcBar.left = nLeft;
                di.rcBar.right = nRight;
            }
            CSize sz = pBar->CalcDockingLayout(nBarLength, dwMode | LM_COMMIT, nThick);
            CRect rcBar = bHorz ? CRect(nLeft, nOffset, nLeft + sz.cx, nOffset + sz.cy)
                                : CRect(nOffset, nLeft, nOffset + sz.cx, nLeft + sz.cy);
            pBar->SetMRUDockPosition(GetPosition());
            pBar->m_barPosition = GetPosition();
            if (pBar->GetSafeHwnd() != NULL)
            {
                CRect rcWindow;
                pBar->GetWindowRect(&rcWindow);
                ScreenToClient(&rcWindow);
                if (rcWindow != rcBar)
                {
                    if (m_bBatchMoves && !m_bBatchBegun)
                    {
                        m_hdwpBars = ::BeginDeferWindowPos((int)m_arrBars.GetSize());
                        m_bBatchBegun = TRUE;
                    }
                    if (m_hdwpBars != NULL)
                    {
                        m_hdwpBars = ::DeferWindowPos(m_hdwpBars, pBar->m_hWnd, NULL, rcBar.left, rcBar.top,
                                                      rcBar.Width(), rcBar.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
                        m_arrMoved.Add(pBar);
                    }
                    else
                    {
                        pBar->SetWindowPos(NULL, rcBar.left, rcBar.top, rcBar.Width(), rcBar.Height(),
                                           SWP_NOZORDER | SWP_NOACTIVATE);
                        pBar->Redraw();
                    }
                }
            }
        }
    }
    return nThick;
}

int CXTPDockBar::AdjustRowWithWrap(CToolBarArray& arrRow, CPoint pt, int nLength, BOOL bHorz,
                                   AFX_SIZEPARENTPARAMS* lpLayout)
{
    CToolBarArray arrLine;
    arrLine.Copy(arrRow);
    CToolBarArray arrOverflow;
    int nTotal = 0;
    int nGuard = 0;
    while (arrLine.GetSize() > 0 && nGuard++ < 1000)
    {
        int nRemove = -1;
        CPoint ptLine = bHorz ? CPoint(pt.x, pt.y + nTotal) : CPoint(pt.x + nTotal, pt.y);
        int nThick = AdjustRow(arrLine, ptLine, nLength, bHorz, lpLayout, nRemove);
        if (nRemove != -1)
        {
            arrOverflow.InsertAt(0, arrLine[nRemove]);
            arrLine.RemoveAt(nRemove);
            continue;
        }
        nTotal += nThick;
        arrLine.Copy(arrOverflow);
        arrOverflow.RemoveAll();
    }
    return nTotal;
}

CSize CXTPDockBar::CalcDynamicLayout(int nLength, DWORD dwMode, AFX_SIZEPARENTPARAMS* lpLayout)
{
    BOOL bHorz = IsHorizontal();
    CSize sz(0, 0);
    if (dwMode & LM_STRETCH)
        sz = bHorz ? CSize(32767, 0) : CSize(0, 32767);

    // Committing moves every bar in one batch.
    BOOL bBatch = lpLayout != NULL && lpLayout->hDWP != NULL && !m_bBatchMoves && !m_bOneByOne;
    if (bBatch)
    {
        m_arrMoved.RemoveAll();
        m_hdwpBars = NULL;
        m_bBatchMoves = TRUE;
        m_bBatchBegun = FALSE;
    }

    int nOffset = 0;
    CToolBarArray arrRow;
    for (int i = 0; i < m_arrBars.GetSize(); i++)
    {
        CXTPToolBar* pBar = m_arrBars[i];
        if (pBar != NULL)
        {
            if (pBar->IsVisible() && pBar->GetSafeHwnd() != NULL)
                arrRow.Add(pBar);
            continue;
        }
        if (arrRow.GetSize() == 0)
            continue;
        CPoint pt = bHorz ? CPoint(0, nOffset) : CPoint(nOffset, 0);
        nOffset += AdjustRowWithWrap(arrRow, pt, nLength, bHorz, lpLayout);
        arrRow.RemoveAll();
    }
    if (bBatch)
    {
        HDWP hdwp = m_hdwpBars;
        BOOL bBegun = m_bBatchBegun;
        m_hdwpBars = NULL;
        m_bBatchMoves = FALSE;
        m_bBatchBegun = FALSE;
        // A batch that failed on the way has been freed by the system; the
        // bars are then moved one by one.
        if (bBegun && (hdwp == NULL || !::EndDeferWindowPos(hdwp)))
        {
            ::OutputDebugStringA("CXTPDockBar: the batched move of the bars failed; moving them one by one\n");
            m_arrMoved.RemoveAll();
            m_bOneByOne = TRUE;
            sz = CalcDynamicLayout(nLength, dwMode, lpLayout);
            m_bOneByOne = FALSE;
            return sz;
        }
        for (INT_PTR k = 0; k < m_arrMoved.GetSize(); k++)
            m_arrMoved[k]->Redraw();
        m_arrMoved.RemoveAll();
    }
    if (bHorz)
        sz.cy = std::max((int)sz.cy, nOffset);
    else
        sz.cx = std::max((int)sz.cx, nOffset);
    return sz;
}

LRESULT CXTPDockBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* pLayout = (AFX_SIZEPARENTPARAMS*)lParam;
    if (pLayout == NULL || m_hWnd == NULL || (GetStyle() & WS_VISIBLE) == 0)
        return 0;

    BOOL bHorz = IsHorizontal();
    CRect rc = pLayout->rect;
    int nLength = bHorz ? rc.Width() : rc.Height();
    DWORD dwMode = pLayout->bStretch ? LM_STRETCH : 0;
    if ((m_dwStyle & 4) && (m_dwStyle & 1))
        dwMode |= LM_HORZ | LM_MRUWIDTH;
    else
        dwMode |= bHorz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK;

    CSize sz = CalcDynamicLayout(nLength, dwMode, pLayout);
    sz.cx = std::min((int)sz.cx, rc.Width());
    sz.cy = std::min((int)sz.cy, rc.Height());

    CRect rcDock = rc;
    switch (GetPosition())
    {
    case xtpBarTop:
        rcDock.bottom = rc.top + sz.cy;
        pLayout->rect.top += sz.cy;
        break;
    case xtpBarBottom:
        rcDock.top = rc.bottom - sz.cy;
        pLayout->rect.bottom -= sz.cy;
        break;
    case xtpBarLeft:
        rcDock.right = rc.left + sz.cx;
        pLayout->rect.left += sz.cx;
        break;
    default:
        rcDock.left = rc.right - sz.cx;
        pLayout->rect.right -= sz.cx;
        break;
    }
    if (bHorz)
    {
        pLayout->sizeTotal.cy += sz.cy;
        pLayout->sizeTotal.cx = std::max((int)pLayout->sizeTotal.cx, (int)sz.cx);
    }
    else
    {
        pLayout->sizeTotal.cx += sz.cx;
        pLayout->sizeTotal.cy = std::max((int)pLayout->sizeTotal.cy, (int)sz.cy);
    }
    if (pLayout->hDWP != NULL)
    {
        // A dock bar already in place is neither moved nor repainted: each
        // move and invalidation is a trip to the window server.
        CRect rcOld;
        GetWindowRect(&rcOld);
        ::MapWindowPoints(NULL, ::GetParent(m_hWnd), (LPPOINT)(LPRECT)rcOld, 2);
        if (rcOld != rcDock)
        {
            pLayout->hDWP = ::DeferWindowPos(pLayout->hDWP, m_hWnd, NULL, rcDock.left, rcDock.top, rcDock.Width(),
                                             rcDock.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
            Invalidate(FALSE);
        }
    }
    return 0;
}

LRESULT CXTPDockBar::OnSizeParentMsg(WPARAM wParam, LPARAM lParam)
{
    return OnSizeParent(wParam, lParam);
}

//////////////////////////////////////////////////////////////////////////
// Messages

void CXTPDockBar::OnPaint()
{
    CPaintDC dc(this);
    CXTPPaintManager* pPaintManager =
        m_pCommandBars != NULL ? m_pCommandBars->GetPaintManager() : CXTPPaintManager::GetGlobalPaintManager();
    pPaintManager->FillDockBar(&dc, this);
}

LRESULT CXTPDockBar::OnPrintClient(WPARAM wParam, LPARAM lParam)
{
    CDC* pDC = CDC::FromHandle((HDC)wParam);
    if (pDC == NULL)
        return 0;
    CXTPPaintManager* pPaintManager =
        m_pCommandBars != NULL ? m_pCommandBars->GetPaintManager() : CXTPPaintManager::GetGlobalPaintManager();
    pPaintManager->FillDockBar(pDC, this);
    if (lParam & PRF_CHILDREN)
    {
        for (HWND hWndChild = ::GetWindow(m_hWnd, GW_CHILD); hWndChild != NULL;
             hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
        {
            if (!::IsWindowVisible(hWndChild))
                continue;
            CRect rcChild;
            ::GetWindowRect(hWndChild, &rcChild);
            ScreenToClient(&rcChild);
            POINT ptOld;
            ::OffsetViewportOrgEx(pDC->GetSafeHdc(), rcChild.left, rcChild.top, &ptOld);
            ::SendMessage(hWndChild, WM_PRINTCLIENT, wParam, lParam);
            ::SetViewportOrgEx(pDC->GetSafeHdc(), ptOld.x, ptOld.y, NULL);
        }
    }
    return 1;
}

BOOL CXTPDockBar::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CXTPDockBar::OnRButtonDown(UINT, CPoint point)
{
    if (m_pCommandBars == NULL)
        return;
    ClientToScreen(&point);
    m_pCommandBars->ShowToolbarsContextMenu(NULL, point.x, point.y);
}

LRESULT CXTPDockBar::OnNcHitTest(CPoint point)
{
    if (GetPosition() == xtpBarTop && IsMenuBarRowLocked())
        return HTTRANSPARENT;
    return CWnd::OnNcHitTest(point);
}

//////////////////////////////////////////////////////////////////////////
// CXTPReBar

CXTPReBar::CXTPReBar()
{
}

BOOL CXTPReBar::AddToolBar(CXTPToolBar* pToolBar, DWORD dwStyle)
{
    if (pToolBar == NULL || pToolBar->GetSafeHwnd() == NULL || m_hWnd == NULL)
        return FALSE;
    CSize sz = pToolBar->CalcDockingLayout(32000, LM_HORZ | LM_HORZDOCK | LM_COMMIT);
    pToolBar->SetWindowPos(NULL, 0, 0, sz.cx, sz.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (pToolBar->GetDockBar() != NULL)
        pToolBar->GetDockBar()->RemoveCommandBar(pToolBar);
    pToolBar->SetDockBar(NULL);
    pToolBar->SetShowGripper(FALSE);
    if (!AddBar(pToolBar, NULL, NULL, dwStyle))
        return FALSE;
    int nBand = (int)::SendMessage(m_hWnd, RB_GETBANDCOUNT, 0, 0) - 1;
    REBARBANDINFO rbbi;
    memset(&rbbi, 0, sizeof(rbbi));
    rbbi.cbSize = REBARBANDINFOA_V3_SIZE;
    rbbi.fMask = RBBIM_ID;
    rbbi.wID = pToolBar->GetBarID();
    ::SendMessage(m_hWnd, RB_SETBANDINFO, (WPARAM)nBand, (LPARAM)&rbbi);
    return TRUE;
}

int CXTPReBar::FindBand(CXTPToolBar* pToolBar) const
{
    if (m_hWnd == NULL || pToolBar == NULL)
        return -1;
    int nCount = (int)::SendMessage(m_hWnd, RB_GETBANDCOUNT, 0, 0);
    for (int i = nCount - 1; i >= 0; i--)
    {
        REBARBANDINFO rbbi;
        memset(&rbbi, 0, sizeof(rbbi));
        rbbi.cbSize = REBARBANDINFOA_V3_SIZE;
        rbbi.fMask = RBBIM_CHILD;
        if (::SendMessage(m_hWnd, RB_GETBANDINFO, (WPARAM)i, (LPARAM)&rbbi) && rbbi.hwndChild == pToolBar->m_hWnd)
            return i;
    }
    return -1;
}

void CXTPReBar::DeleteToolBar(CXTPToolBar* pToolBar)
{
    int nBand = FindBand(pToolBar);
    if (nBand != -1)
        ::SendMessage(m_hWnd, RB_DELETEBAND, (WPARAM)nBand, 0);
}
