// The drag-and-dock context of a toolbar.
#include "XTPDockContext.h"

#include "XTPCommandBars.h"
#include "XTPCommandBarsOptions.h"
#include "XTPDialogBar.h"
#include "XTPDockBar.h"
#include "XTPHookManager.h"
#include "XTPSystemHelpers.h"
#include "XTPToolBar.h"

namespace {

// The docking permission bit of a dock bar's side.
DWORD DockFlagOf(XTPBarPosition position)
{
    switch (position)
    {
    case xtpBarTop:
        return xtpFlagAlignTop;
    case xtpBarBottom:
        return xtpFlagAlignBottom;
    case xtpBarLeft:
        return xtpFlagAlignLeft;
    case xtpBarRight:
        return xtpFlagAlignRight;
    default:
        return 0;
    }
}

// Lays out any work the frame left for idle time.
void RecalcPendingLayout(CWnd* pSite)
{
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pSite);
    if (pFrame != NULL && pFrame->GetSafeHwnd() != NULL && (pFrame->m_nIdleFlags & CFrameWnd::idleLayout))
    {
        pFrame->m_nIdleFlags &= ~CFrameWnd::idleLayout;
        pFrame->RecalcLayout();
    }
}

} // namespace

CXTPDockContext::CXTPDockContext(CXTPToolBar* pBar)
    : m_pBar(pBar), m_nHitTest(nDragMove), m_ptLast(0, 0), m_uMRUDockPosition(xtpBarTop),
      m_rectMRUDockPos(0, 0, 0, 0), m_ptMRUFloatPos(0, 0), m_rectDragFrame(0, 0, 0, 0), m_rectFloat(0, 0, 0, 0)
{
}

CXTPDockContext::~CXTPDockContext()
{
}

void AFX_CDECL CXTPDockContext::MoveRectToPoint(CRect& rect, CPoint pt)
{
    if (pt.x < rect.left)
        rect.OffsetRect(pt.x - rect.left, 0);
    else if (pt.x >= rect.right)
        rect.OffsetRect(pt.x - rect.right + 1, 0);
    if (pt.y < rect.top)
        rect.OffsetRect(0, pt.y - rect.top);
    else if (pt.y >= rect.bottom)
        rect.OffsetRect(0, pt.y - rect.bottom + 1);
}

void AFX_CDECL CXTPDockContext::KeepOnScreen(CRect& rect)
{
    CRect rcWork = XTPMonitorFunctions()->GetWorkAreaFromRect(&rect);
    if (rect.top > rcWork.bottom - nScreenMargin)
        rect.OffsetRect(0, rcWork.bottom - nScreenMargin - rect.top);
    if (rect.bottom < rcWork.top + nScreenMargin)
        rect.OffsetRect(0, rcWork.top + nScreenMargin - rect.bottom);
    if (rect.left > rcWork.right - nScreenMargin)
        rect.OffsetRect(rcWork.right - nScreenMargin - rect.left, 0);
    if (rect.right < rcWork.left + nScreenMargin)
        rect.OffsetRect(rcWork.left + nScreenMargin - rect.right, 0);
}

void CXTPDockContext::StartDrag(CPoint pt)
{
    XTPBarPosition mruPosition = m_pBar->GetMRUDockPosition();
    CRect rcMRUDock = m_pBar->GetMRUDockRect();
    BOOL bWasFloating = m_pBar->IsFloating();

    m_nHitTest = nDragMove;
    m_ptLast = pt;
    m_pBar->GetWindowRect(&m_rectDragFrame);
    MoveRectToPoint(m_rectDragFrame, pt);
    m_rectFloat = m_rectDragFrame;

    ::SetCursor(::LoadCursor(NULL, IDC_SIZEALL));
    CXTPMouseManager* pMouseManager = XTPMouseManager();
    pMouseManager->LockMouseMove();
    Track();
    pMouseManager->UnlockMouseMove();

    if (m_pBar->IsFloating())
    {
        CRect rcWindow;
        m_pBar->GetWindowRect(&rcWindow);
        m_ptMRUFloatPos = rcWindow.TopLeft();
        m_pBar->SetMRUFloatPoint(m_ptMRUFloatPos);
        // A double click puts it back where it was docked.
        if (!bWasFloating)
        {
            m_pBar->SetMRUDockPosition(mruPosition);
            m_pBar->SetMRUDockRect(rcMRUDock);
        }
    }
}

void CXTPDockContext::StartResize(int nHitTest, CPoint pt)
{
    m_nHitTest = nHitTest;
    m_ptLast = pt;
    m_pBar->GetWindowRect(&m_rectDragFrame);
    m_rectFloat = m_rectDragFrame;
    Track();
    CRect rcWindow;
    m_pBar->GetWindowRect(&rcWindow);
    if (m_pBar->IsFloating())
    {
        m_ptMRUFloatPos = rcWindow.TopLeft();
        m_pBar->SetMRUFloatPoint(m_ptMRUFloatPos);
    }
    m_pBar->SetMRUWidth(rcWindow.Width());
}

void CXTPDockContext::Track()
{
    if (::GetCapture() != NULL || m_pBar->GetSafeHwnd() == NULL)
        return;
    m_pBar->SetCapture();
    CXTPCommandBars* pCommandBars = m_pBar->GetCommandBars();
    if (pCommandBars == NULL)
    {
        ::ReleaseCapture();
        return;
    }
    CWnd* pSite = pCommandBars->GetSite();

    while (::GetCapture() == m_pBar->GetSafeHwnd())
    {
        MSG msg;
        while (::PeekMessageA(&msg, NULL, WM_PAINT, WM_PAINT, PM_REMOVE))
            ::DispatchMessageA(&msg);
        if (!::GetMessageA(&msg, NULL, 0, 0))
        {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (msg.message == WM_LBUTTONUP)
            break;
        if (msg.message == WM_MOUSEMOVE)
        {
            CPoint pt((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
            ::ClientToScreen(msg.hwnd, &pt);
            if (pt != m_ptLast)
                OnMouseMoveTo(pt);
            else
                ::DispatchMessageA(&msg);
        }
        else if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)
        {
            if (msg.wParam == VK_ESCAPE)
                break;
        }
        else if (msg.message != WM_KEYUP && msg.message != WM_SYSKEYUP && msg.message != WM_CHAR)
        {
            ::DispatchMessageA(&msg);
        }
        RecalcPendingLayout(pSite);
        if (m_pBar->GetSafeHwnd() == NULL)
            break;
    }

    if (m_pBar->GetSafeHwnd() != NULL && ::GetCapture() == m_pBar->GetSafeHwnd())
        ::ReleaseCapture();
    pCommandBars->GetCommandBarsOptions()->bDirtyState = TRUE;
}

void CXTPDockContext::OnMouseMoveTo(CPoint pt)
{
    if (m_nHitTest == nDragMove)
        Move(pt);
    else if (m_pBar->IsDialogBar())
        Stretch(pt);
    else
        Resize(pt);
}

void CXTPDockContext::Move(CPoint pt)
{
    CPoint ptOffset = pt - m_ptLast;
    m_rectDragFrame.OffsetRect(ptOffset);
    m_rectFloat.OffsetRect(ptOffset);

    CXTPCommandBars* pCommandBars = m_pBar->GetCommandBars();
    if (pCommandBars == NULL)
        return;
    CXTPDockBar* pDockBar = pCommandBars->CanDock(pt, m_pBar->GetDockBar());
    if (pDockBar != NULL && (m_pBar->GetFlags() & DockFlagOf(pDockBar->GetPosition())))
    {
        BOOL bSameDock = pDockBar == m_pBar->GetDockBar() && !m_pBar->IsFloating();
        pCommandBars->DockCommandBar(m_pBar, &m_rectDragFrame, pDockBar);
        if (!bSameDock)
        {
            pCommandBars->RecalcFrameLayout(FALSE);
            m_pBar->GetWindowRect(&m_rectDragFrame);
        }
    }
    else if (m_pBar->GetFlags() & xtpFlagFloating)
    {
        if (!m_pBar->IsFloating())
        {
            pCommandBars->FloatCommandBar(m_pBar);
            CSize sz = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
            m_rectFloat = CRect(m_rectFloat.TopLeft(), sz);
            MoveRectToPoint(m_rectFloat, pt);
        }
        KeepOnScreen(m_rectFloat);
        m_pBar->SetWindowPos(NULL, m_rectFloat.left, m_rectFloat.top, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    m_ptLast = pt;
}

void CXTPDockContext::Resize(CPoint pt)
{
    CRect rcWindow;
    m_pBar->GetWindowRect(&rcWindow);
    int nLength = 0;
    DWORD dwMode = 0;
    switch (m_nHitTest)
    {
    case HTLEFT:
        nLength = rcWindow.right - pt.x;
        dwMode = LM_HORZ | LM_COMMIT;
        break;
    case HTRIGHT:
        nLength = pt.x - rcWindow.left;
        dwMode = LM_HORZ | LM_COMMIT;
        break;
    case HTTOP:
        nLength = rcWindow.bottom - pt.y;
        dwMode = LM_HORZ | LM_LENGTHY | LM_COMMIT;
        break;
    default:
        nLength = pt.y - rcWindow.top;
        dwMode = LM_HORZ | LM_LENGTHY | LM_COMMIT;
        break;
    }
    if (nLength < 0)
        nLength = 0;
    CSize sz = m_pBar->CalcDynamicLayout(nLength, dwMode);
    m_ptLast = pt;
    if (sz == rcWindow.Size())
        return;

    CRect rcNew = rcWindow;
    switch (m_nHitTest)
    {
    case HTRIGHT:
    case HTBOTTOM:
        rcNew = CRect(rcWindow.TopLeft(), sz);
        break;
    case HTLEFT:
        rcNew = CRect(rcWindow.right - sz.cx, rcWindow.top, rcWindow.right, rcWindow.top + sz.cy);
        break;
    case HTTOP:
        rcNew = CRect(rcWindow.left, rcWindow.bottom - sz.cy, rcWindow.left + sz.cx, rcWindow.bottom);
        break;
    default:
        break;   // a corner keeps the window's rectangle
    }
    CRect rcWork = XTPMonitorFunctions()->GetWorkAreaFromRect(&rcNew);
    CRect rcMeet;
    if (rcMeet.IntersectRect(rcNew, rcWork))
    {
        m_pBar->MoveWindow(rcNew);
        m_pBar->Redraw();
    }
}

void CXTPDockContext::Stretch(CPoint pt)
{
    CRect rcWindow;
    m_pBar->GetWindowRect(&rcWindow);
    CRect rcNew = rcWindow;
    if (m_nHitTest == HTLEFT || m_nHitTest == HTTOPLEFT || m_nHitTest == HTBOTTOMLEFT)
        rcNew.left = pt.x;
    if (m_nHitTest == HTRIGHT || m_nHitTest == HTTOPRIGHT || m_nHitTest == HTBOTTOMRIGHT)
        rcNew.right = pt.x;
    if (m_nHitTest == HTTOP || m_nHitTest == HTTOPLEFT || m_nHitTest == HTTOPRIGHT)
        rcNew.top = pt.y;
    if (m_nHitTest == HTBOTTOM || m_nHitTest == HTBOTTOMLEFT || m_nHitTest == HTBOTTOMRIGHT)
        rcNew.bottom = pt.y;
    m_ptLast = pt;
    if (rcNew.Size() == rcWindow.Size())
        return;
    CRect rcWork = XTPMonitorFunctions()->GetWorkAreaFromRect(&rcNew);
    CRect rcMeet;
    CXTPDialogBar* pDialogBar = DYNAMIC_DOWNCAST(CXTPDialogBar, m_pBar);
    if (pDialogBar != NULL && rcMeet.IntersectRect(rcNew, rcWork))
    {
        pDialogBar->OnResize(rcNew, m_nHitTest);
        pDialogBar->Redraw();
    }
}

BOOL CXTPDockContext::ToggleDocking()
{
    CXTPCommandBars* pCommandBars = m_pBar->GetCommandBars();
    if (pCommandBars == NULL)
        return FALSE;

    if (!m_pBar->IsFloating())
    {
        if (!(m_pBar->GetFlags() & xtpFlagFloating) || !pCommandBars->GetCommandBarsOptions()->bDblClickFloat)
            return FALSE;
        CPoint pt = m_ptMRUFloatPos;
        if (pt.x <= 0 || pt.y <= 0)
        {
            // Never floated: it floats where it is docked.
            CRect rcDock = m_pBar->GetMRUDockRect();
            CXTPDockBar* pDockBar = m_pBar->GetDockBar();
            if (!rcDock.IsRectEmpty() && pDockBar != NULL && pDockBar->GetSafeHwnd() != NULL)
            {
                pDockBar->ClientToScreen(&rcDock);
                pt = rcDock.TopLeft();
            }
            else
            {
                CRect rcWindow;
                m_pBar->GetWindowRect(&rcWindow);
                pt = rcWindow.TopLeft();
            }
        }
        pCommandBars->FloatCommandBar(m_pBar);
        CSize sz = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
        m_pBar->SetWindowPos(NULL, pt.x, pt.y, sz.cx, sz.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    else
    {
        if (!(m_pBar->GetFlags() & xtpFlagAlignAny))
            return FALSE;
        XTPBarPosition position = m_pBar->GetMRUDockPosition();
        if (!(m_pBar->GetFlags() & DockFlagOf(position)))
        {
            for (int i = xtpBarTop; i <= xtpBarRight; i++)
            {
                if (m_pBar->GetFlags() & DockFlagOf((XTPBarPosition)i))
                {
                    position = (XTPBarPosition)i;
                    break;
                }
            }
        }
        CXTPDockBar* pDockBar = pCommandBars->GetDockBar(position);
        CRect rcDock = m_pBar->GetMRUDockRect();
        if (pDockBar != NULL && pDockBar->GetSafeHwnd() != NULL && !rcDock.IsRectEmpty())
        {
            pDockBar->ClientToScreen(&rcDock);
            pCommandBars->DockCommandBar(m_pBar, &rcDock, pDockBar);
        }
        else
        {
            pCommandBars->DockCommandBar(m_pBar, NULL, pDockBar);
        }
        pCommandBars->RecalcFrameLayout(FALSE);
    }
    pCommandBars->GetCommandBarsOptions()->bDirtyState = TRUE;
    return TRUE;
}
