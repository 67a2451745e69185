// The scroll logic of a windowless control's vertical scroll bar.
#include "XTPScrollBase.h"

#include <algorithm>

#include "XTPCommandBar.h"
#include "XTPControlGalleryPaintManager.h"
#include "XTPHookManager.h"
#include "XTPPaintManager.h"

namespace
{
// MulDiv that answers 0 for a zero divisor instead of -1.
int SafeMulDiv(int nNumber, int nNumerator, int nDenominator)
{
    if (nDenominator == 0)
        return 0;
    return ::MulDiv(nNumber, nNumerator, nDenominator);
}
} // namespace

CXTPScrollBase::CXTPScrollBase()
    : m_pSBTrack(NULL)
    , m_nScrollBarStyle(0)
{
    ZeroMemory(&m_spi, sizeof(m_spi));
    m_spi.fVert = TRUE;
}

CXTPScrollBase::~CXTPScrollBase()
{
    if (m_pSBTrack != NULL)
    {
        if (m_pSBTrack->hTimerSB != 0 && ::IsWindow(m_pSBTrack->hWndTrack))
            ::KillTimer(m_pSBTrack->hWndTrack, XTP_SCROLLBAR_TIMER);
        delete m_pSBTrack;
        m_pSBTrack = NULL;
    }
}

int CXTPScrollBase::GetScrollBarStyle() const
{
    if (m_nScrollBarStyle != 0)
        return m_nScrollBarStyle;
    CXTPControlGalleryPaintManager* pGalleryPaintManager = GetScrollBarPaintManager();
    CXTPPaintManager* pPaintManager = pGalleryPaintManager != NULL ? pGalleryPaintManager->GetPaintManager() : NULL;
    if (pPaintManager == NULL)
        return 3;
    int nTheme = pPaintManager->BaseTheme();
    if (nTheme == 0)
        return 2;
    if (nTheme == 5 || nTheme == 6)
        return 5;
    return 3;
}

void CXTPScrollBase::CalcScrollBarInfo(const RECT* lprc, SCROLLBARPOSINFO* pSBInfo, const SCROLLINFO* pSI)
{
    pSBInfo->rc = *lprc;
    pSBInfo->pxTop = lprc->top;
    pSBInfo->pxBottom = lprc->bottom;
    pSBInfo->pxLeft = lprc->left;
    pSBInfo->pxRight = lprc->right;
    pSBInfo->pxPopup = 0;

    pSBInfo->posMin = pSI->nMin;
    pSBInfo->posMax = pSI->nMax;
    pSBInfo->page = (int)pSI->nPage;
    pSBInfo->pos = pSI->nPos;
    int nRange = pSI->nMax - pSI->nMin + 1;

    CXTPControlGalleryPaintManager* pPaintManager = GetScrollBarPaintManager();
    int cyArrowMetric = pPaintManager != NULL ? pPaintManager->m_cyVScroll : ::GetSystemMetrics(SM_CYVSCROLL);

    int cpx = lprc->bottom - lprc->top;
    int cpxArrow = std::min(cpx / 2, cyArrowMetric);
    pSBInfo->pxUpArrow = lprc->top + cpxArrow;
    pSBInfo->pxDownArrow = lprc->bottom - cpxArrow;

    pSBInfo->pxThumbLength = cyArrowMetric;
    if (pSBInfo->page != 0 && nRange > 0)
    {
        pSBInfo->pxThumbLength = std::max(SafeMulDiv(pSBInfo->pxDownArrow - pSBInfo->pxUpArrow, pSBInfo->page, nRange),
                                     cyArrowMetric / 2);
    }

    pSBInfo->pxMin = lprc->top + cpxArrow;
    pSBInfo->cpxThumb = lprc->bottom - pSBInfo->pxThumbLength - pSBInfo->pxMin - cpxArrow;

    // A range no longer than the page leaves nothing to scroll: the thumb
    // stands one pixel above the track (the painter hides it). Nothing here
    // divides by the range less the page unless it is positive.
    int nPage = pSBInfo->page != 0 ? pSBInfo->page : 1;
    if (nRange <= nPage)
        pSBInfo->pxThumbTop = pSBInfo->pxMin - 1;
    else
        pSBInfo->pxThumbTop =
            pSBInfo->pxMin + SafeMulDiv(pSBInfo->pos - pSBInfo->posMin, pSBInfo->cpxThumb, nRange - nPage);
    pSBInfo->pxThumbBottom = pSBInfo->pxThumbTop + pSBInfo->pxThumbLength;
}

void CXTPScrollBase::CalcScrollBar()
{
    CRect rc;
    GetScrollBarRect(&rc);
    SCROLLINFO si;
    ZeroMemory(&si, sizeof(si));
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    GetScrollInfo(&si);
    CalcScrollBarInfo(&rc, &m_spi, &si);
}

int CXTPScrollBase::HitTest(int x, int y) const
{
    CRect rc(m_spi.rc);
    if (!rc.PtInRect(CPoint(x, y)))
        return xtpScrollHitNone;
    if (y < m_spi.pxUpArrow)
        return xtpScrollHitUp;
    if (m_spi.pxPopup > 0 && y > m_spi.pxPopup)
        return xtpScrollHitPopup;
    if (y >= m_spi.pxDownArrow)
        return xtpScrollHitDown;
    if (y < m_spi.pxThumbTop)
        return xtpScrollHitPageUp;
    if (y < m_spi.pxThumbBottom)
        return xtpScrollHitThumb;
    return xtpScrollHitPageDown;
}

int AFX_CDECL CXTPScrollBase::PosFromThumb(const SCROLLBARPOSINFO* pSBInfo, int px)
{
    // The highest position the thumb can stand for.
    int nPosLast = pSBInfo->page != 0 ? pSBInfo->posMax + 1 - pSBInfo->page : pSBInfo->posMax;
    if (nPosLast < pSBInfo->posMin)
        nPosLast = pSBInfo->posMin;

    if (px < pSBInfo->pxMin)
        return pSBInfo->posMin;
    if (px >= pSBInfo->pxMin + pSBInfo->cpxThumb)
        return nPosLast;
    if (pSBInfo->cpxThumb <= 0)
        return pSBInfo->posMin;

    int nPos = pSBInfo->posMin + SafeMulDiv(pSBInfo->posMax - pSBInfo->posMin -
                                                (pSBInfo->page != 0 ? pSBInfo->page - 1 : 0),
                                            px - pSBInfo->pxMin, pSBInfo->cpxThumb);
    return std::max(pSBInfo->posMin, std::min(nPos, nPosLast));
}

void CXTPScrollBase::SetRepeatTimer(UINT nElapse)
{
    if (m_pSBTrack == NULL)
        return;
    m_pSBTrack->nRepeatDelay = nElapse;
    m_pSBTrack->hTimerSB = ::SetTimer(m_pSBTrack->hWndTrack, XTP_SCROLLBAR_TIMER, nElapse, NULL);
}

void CXTPScrollBase::KillRepeatTimer()
{
    if (m_pSBTrack == NULL || m_pSBTrack->hTimerSB == 0)
        return;
    ::KillTimer(m_pSBTrack->hWndTrack, XTP_SCROLLBAR_TIMER);
    m_pSBTrack->hTimerSB = 0;
}

BOOL CXTPScrollBase::BeginTrack(HWND hWnd, int x, int y, SCROLLBARPOSINFO* pSBInfo, BOOL bDirect)
{
    // Only the position along the bar decides the part pressed.
    (void)x;
    if (m_pSBTrack != NULL)
        FinishTrack();

    m_pSBTrack = new SCROLLBARTRACKINFO;
    ZeroMemory(m_pSBTrack, sizeof(SCROLLBARTRACKINFO));
    m_pSBTrack->cmdSB = (UINT)-1;
    m_pSBTrack->hWndTrack = hWnd;
    m_pSBTrack->pSBInfo = pSBInfo;

    // Classify the press (the popup button takes no press here).
    RECT& rcSB = pSBInfo->rc;
    CRect rcPart(rcSB);
    int ht;
    if (y < pSBInfo->pxUpArrow)
    {
        ht = xtpScrollHitUp;
        m_pSBTrack->cmdSB = SB_LINEUP;
        rcPart.bottom = pSBInfo->pxUpArrow;
    }
    else if (y >= pSBInfo->pxDownArrow)
    {
        ht = xtpScrollHitDown;
        m_pSBTrack->cmdSB = SB_LINEDOWN;
        rcPart.top = pSBInfo->pxDownArrow;
    }
    else if (y < pSBInfo->pxThumbTop)
    {
        ht = xtpScrollHitPageUp;
        m_pSBTrack->cmdSB = SB_PAGEUP;
        rcPart.top = pSBInfo->pxUpArrow;
        rcPart.bottom = pSBInfo->pxThumbTop;
    }
    else if (y >= pSBInfo->pxThumbBottom)
    {
        ht = xtpScrollHitPageDown;
        m_pSBTrack->cmdSB = SB_PAGEDOWN;
        rcPart.top = pSBInfo->pxThumbBottom;
        rcPart.bottom = pSBInfo->pxDownArrow;
    }
    else
    {
        ht = xtpScrollHitThumb;
    }
    pSBInfo->ht = ht;

    if (ht == xtpScrollHitThumb || (bDirect && (ht == xtpScrollHitPageUp || ht == xtpScrollHitPageDown)))
    {
        if (pSBInfo->pxDownArrow - pSBInfo->pxUpArrow <= pSBInfo->pxThumbLength)
        {
            // The thumb fills the track: nothing to drag.
            delete m_pSBTrack;
            m_pSBTrack = NULL;
            return FALSE;
        }
        m_pSBTrack->cmdSB = SB_THUMBTRACK;

        // Sideways by 8 bar widths, lengthwise by 2 thumb metrics.
        int cxBar = rcSB.right - rcSB.left;
        int cyThumb = ::GetSystemMetrics(SM_CYVTHUMB);
        m_pSBTrack->rcTrack.left = rcSB.left - 8 * cxBar;
        m_pSBTrack->rcTrack.right = rcSB.right + 8 * cxBar;
        m_pSBTrack->rcTrack.top = rcSB.top - 2 * cyThumb;
        m_pSBTrack->rcTrack.bottom = rcSB.bottom + 2 * cyThumb;

        pSBInfo->pxStart = pSBInfo->pxThumbTop;
        m_pSBTrack->pxOld = pSBInfo->pxThumbTop;
        m_pSBTrack->posOld = pSBInfo->pos;
        m_pSBTrack->posNew = pSBInfo->pos;
        m_pSBTrack->dpxThumb = pSBInfo->pxStart - y;
        m_pSBTrack->bTrackThumb = TRUE;
        pSBInfo->ht = xtpScrollHitThumb;
        if (::IsWindow(hWnd))
            ::SetCapture(hWnd);
        DoScroll(SB_THUMBTRACK, pSBInfo->pos);
        if (m_pSBTrack == NULL)
            return FALSE;
        if (bDirect)
            m_pSBTrack->dpxThumb = -(pSBInfo->pxThumbLength / 2);
    }
    else
    {
        m_pSBTrack->rcTrack = rcPart;
    }

    if (::IsWindow(hWnd))
        ::SetCapture(hWnd);
    OnTrackMessage(WM_LBUTTONDOWN, CPoint(rcSB.left, y));
    return m_pSBTrack != NULL;
}

void CXTPScrollBase::OnTrackMessage(UINT message, CPoint pt)
{
    if (m_pSBTrack == NULL)
        return;
    if (m_pSBTrack->bTrackThumb)
        TrackThumb(message, pt);
    else
        TrackArrowOrPage(message, pt);
}

void CXTPScrollBase::TrackArrowOrPage(UINT message, CPoint pt)
{
    if (m_pSBTrack == NULL)
        return;
    if (message != 0 && HIBYTE(message) != HIBYTE(WM_MOUSEFIRST))
        return;

    SCROLLBARPOSINFO* pSBInfo = m_pSBTrack->pSBInfo;
    // The page parts follow the thumb as it moves.
    if (m_pSBTrack->cmdSB == SB_PAGEUP)
        m_pSBTrack->rcTrack.bottom = pSBInfo->pxThumbTop;
    else if (m_pSBTrack->cmdSB == SB_PAGEDOWN)
        m_pSBTrack->rcTrack.top = pSBInfo->pxThumbBottom;

    BOOL bInside = ::PtInRect(&m_pSBTrack->rcTrack, pt);
    BOOL bChanged = bInside != m_pSBTrack->fHitOld;
    if (bChanged)
    {
        m_pSBTrack->fHitOld = bInside;
        RedrawScrollBar();
        if (m_pSBTrack == NULL)
            return;
    }

    switch (message)
    {
    case WM_LBUTTONDOWN:
        if (bInside && bChanged)
        {
            DoScroll((int)m_pSBTrack->cmdSB, 0);
            if (m_pSBTrack != NULL)
                SetRepeatTimer(::GetDoubleClickTime() * 4 / 5);
        }
        break;

    case WM_MOUSEMOVE:
        if (bInside && bChanged)
        {
            DoScroll((int)m_pSBTrack->cmdSB, 0);
            if (m_pSBTrack != NULL)
                SetRepeatTimer(::GetDoubleClickTime() / 10);
        }
        break;

    case WM_LBUTTONUP:
        EndTracking();
        break;

    default:
        break;
    }
}

void CXTPScrollBase::OnTrackTimer()
{
    if (m_pSBTrack == NULL || m_pSBTrack->bTrackThumb)
        return;
    CPoint pt;
    ::GetCursorPos(&pt);
    if (::IsWindow(m_pSBTrack->hWndTrack))
        ::ScreenToClient(m_pSBTrack->hWndTrack, &pt);
    OnTrackTimerAt(pt);
}

void CXTPScrollBase::OnTrackTimerAt(CPoint pt)
{
    if (m_pSBTrack == NULL || m_pSBTrack->bTrackThumb)
        return;
    TrackArrowOrPage(0, pt);
    if (m_pSBTrack != NULL && m_pSBTrack->fHitOld)
    {
        SetRepeatTimer(::GetDoubleClickTime() / 10);
        DoScroll((int)m_pSBTrack->cmdSB, 0);
    }
}

void CXTPScrollBase::TrackThumb(UINT message, CPoint pt)
{
    if (m_pSBTrack == NULL)
        return;
    if (HIBYTE(message) != HIBYTE(WM_MOUSEFIRST))
        return;

    SCROLLBARPOSINFO* pSBInfo = m_pSBTrack->pSBInfo;
    int px;
    if (::PtInRect(&m_pSBTrack->rcTrack, pt))
    {
        px = m_pSBTrack->dpxThumb + pt.y;
        px = std::max(pSBInfo->pxMin, std::min(px, pSBInfo->pxMin + pSBInfo->cpxThumb));
    }
    else
    {
        // Far away: the thumb goes back to where the drag began.
        px = pSBInfo->pxStart;
    }
    MoveThumb(px);
    if (m_pSBTrack == NULL)
        return;

    if (message == WM_LBUTTONUP || (m_pSBTrack->bCheckButton && ::GetKeyState(VK_LBUTTON) >= 0))
        EndTracking();
}

void CXTPScrollBase::MoveThumb(int px)
{
    if (m_pSBTrack == NULL || px == m_pSBTrack->pxOld)
        return;
    SCROLLBARPOSINFO* pSBInfo = m_pSBTrack->pSBInfo;

    m_pSBTrack->posNew = PosFromThumb(pSBInfo, px);
    if (m_pSBTrack->posNew != m_pSBTrack->posOld)
    {
        DoScroll(SB_THUMBTRACK, m_pSBTrack->posNew);
        if (m_pSBTrack == NULL)
            return;
        m_pSBTrack->posOld = m_pSBTrack->posNew;
    }

    // The host's relayout may have recalculated the record: the thumb
    // follows the cursor, not the position.
    pSBInfo->pxThumbTop = px;
    pSBInfo->pxThumbBottom = px + pSBInfo->pxThumbLength;
    m_pSBTrack->pxOld = px;
    RedrawScrollBar();
}

void CXTPScrollBase::EndTracking()
{
    if (m_pSBTrack == NULL)
        return;
    m_pSBTrack->cmdSB = 0;
    if (::GetCapture() == m_pSBTrack->hWndTrack && m_pSBTrack->hWndTrack != NULL)
        ::ReleaseCapture();

    if (m_pSBTrack == NULL)
        return;
    if (m_pSBTrack->bTrackThumb)
    {
        int nPos = m_pSBTrack->posOld;
        m_pSBTrack->bTrackThumb = FALSE;
        DoScroll(SB_THUMBPOSITION, nPos);
        RedrawScrollBar();
        DoScroll(SB_ENDSCROLL, 0);
        // The press is over: the final thumb place comes from the position.
        CalcScrollBar();
    }
    else
    {
        KillRepeatTimer();
        DoScroll(SB_ENDSCROLL, 0);
    }
}

void CXTPScrollBase::FinishTrack()
{
    if (m_pSBTrack == NULL)
        return;
    HWND hWnd = m_pSBTrack->hWndTrack;
    KillRepeatTimer();
    delete m_pSBTrack;
    m_pSBTrack = NULL;

    if (hWnd != NULL && ::IsWindow(hWnd))
    {
        CPoint pt;
        ::GetCursorPos(&pt);
        ::ScreenToClient(hWnd, &pt);
        m_spi.ht = HitTest(pt);
        RedrawScrollBar();
    }
}

void CXTPScrollBase::PerformTrackInit(HWND hWnd, int x, int y, SCROLLBARPOSINFO* pSBInfo, BOOL bDirect)
{
    if (!BeginTrack(hWnd, x, y, pSBInfo, bDirect))
        return;
    m_pSBTrack->bCheckButton = TRUE;

    CXTPMouseManager* pMouseManager = XTPMouseManager();
    if (pMouseManager != NULL)
        pMouseManager->LockMouseMove();

    BOOL bWindowGone = FALSE;
    while (m_pSBTrack != NULL && ::GetCapture() == hWnd)
    {
        MSG msg;
        if (!::GetMessage(&msg, NULL, 0, 0))
        {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (!::IsWindow(hWnd))
        {
            bWindowGone = TRUE;
            break;
        }
        if (msg.message == WM_TIMER && msg.wParam == XTP_SCROLLBAR_TIMER && msg.hwnd == hWnd)
        {
            OnTrackTimer();
        }
        else if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSEWHEEL)
        {
            CPoint pt(msg.pt);
            ::ScreenToClient(hWnd, &pt);
            OnTrackMessage(msg.message, pt);
        }
        else
        {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }

    if (pMouseManager != NULL)
        pMouseManager->UnlockMouseMove();

    if (bWindowGone || !::IsWindow(hWnd))
    {
        // The window is gone: no final hit test, no redraw.
        if (m_pSBTrack != NULL)
        {
            delete m_pSBTrack;
            m_pSBTrack = NULL;
        }
        return;
    }
    FinishTrack();
}
