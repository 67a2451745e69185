#include "XTPCustomizeDragTracker.h"
#include "XTPCustomizeSheet.h"
#include "XTPCommandBars.h"
#include "XTPCommandBar.h"
#include "XTPControl.h"
#include "XTPResourceManager.h"
#include "XTPCustomizeResource.h"

CXTPCustomizeDragTracker::CXTPCustomizeDragTracker(CXTPCommandBars* pCommandBars)
    : m_pCommandBars(pCommandBars)
    , m_pSheet(NULL)
    , m_pDragged(NULL)
    , m_bMove(FALSE)
    , m_bCopyOnly(FALSE)
    , m_pTarget(NULL)
    , m_ptStart(0, 0)
    , m_hCursorNone(NULL)
    , m_hCursorMove(NULL)
    , m_hCursorCopy(NULL)
{
    m_hCursorNone = XTPResourceManager()->LoadCursor(XTP_IDC_CUSTOMIZE_DRAGNONE);
    m_hCursorMove = XTPResourceManager()->LoadCursor(XTP_IDC_CUSTOMIZE_DRAGMOVE);
    m_hCursorCopy = XTPResourceManager()->LoadCursor(XTP_IDC_CUSTOMIZE_DRAGCOPY);
}

CXTPCustomizeDragTracker::~CXTPCustomizeDragTracker()
{
    m_arrBars.RemoveAll();
}

void CXTPCustomizeDragTracker::Register(CXTPCommandBar* pBar)
{
    if (pBar == NULL)
        return;
    for (int i = 0; i < m_arrBars.GetSize(); i++)
    {
        if (m_arrBars[i] == pBar)
            return;
    }
    m_arrBars.Add(pBar);
}

void CXTPCustomizeDragTracker::Unregister(CXTPCommandBar* pBar)
{
    for (int i = (int)m_arrBars.GetSize() - 1; i >= 0; i--)
    {
        if (m_arrBars[i] == pBar)
            m_arrBars.RemoveAt(i);
    }
    if (m_pTarget == pBar)
        m_pTarget = NULL;
}

CXTPCommandBar* CXTPCustomizeDragTracker::FindDropBar(CPoint ptScreen) const
{
    for (int i = (int)m_arrBars.GetSize() - 1; i >= 0; i--)
    {
        CXTPCommandBar* pBar = m_arrBars[i];
        HWND hWnd = pBar->GetSafeHwnd();
        if (hWnd == NULL || !::IsWindowVisible(hWnd) || !pBar->IsVisible())
            continue;
        CRect rcWindow;
        ::GetWindowRect(hWnd, &rcWindow);
        if (rcWindow.PtInRect(ptScreen))
            return pBar;
    }
    return NULL;
}

void CXTPCustomizeDragTracker::LeaveTarget()
{
    if (m_pTarget != NULL)
    {
        CXTPCommandBar* pOld = m_pTarget;
        m_pTarget = NULL;
        pOld->OnCustomizeDragLeave();
    }
}

void CXTPCustomizeDragTracker::UpdateTarget(CPoint ptScreen)
{
    CXTPCommandBar* pBar = FindDropBar(ptScreen);
    if (pBar != NULL && pBar == m_pTarget)
    {
        CPoint pt = ptScreen;
        pBar->ScreenToClient(&pt);
        pBar->OnCustomizeDragOver(m_pDragged, pt);
    }
    else
    {
        LeaveTarget();
        if (pBar != NULL)
        {
            CPoint pt = ptScreen;
            pBar->ScreenToClient(&pt);
            if (pBar->OnCustomizeDragEnter(m_pDragged, pt))
                m_pTarget = pBar;
        }
    }
    UpdateCursor();
}

BOOL CXTPCustomizeDragTracker::OnBarMouseMove(CXTPCommandBar* pBar, CPoint point)
{
    if (m_pDragged == NULL || pBar == NULL || pBar->GetSafeHwnd() == NULL)
        return FALSE;
    CPoint ptScreen = point;
    pBar->ClientToScreen(&ptScreen);
    UpdateTarget(ptScreen);
    return TRUE;
}

UINT CXTPCustomizeDragTracker::GetCursorId() const
{
    if (m_pTarget == NULL)
        return XTP_IDC_CUSTOMIZE_DRAGNONE;
    if (m_bMove && !m_bCopyOnly)
        return XTP_IDC_CUSTOMIZE_DRAGMOVE;
    return XTP_IDC_CUSTOMIZE_DRAGCOPY;
}

void CXTPCustomizeDragTracker::UpdateCursor()
{
    UINT nId = GetCursorId();
    HCURSOR hCursor = nId == XTP_IDC_CUSTOMIZE_DRAGNONE   ? m_hCursorNone
                      : nId == XTP_IDC_CUSTOMIZE_DRAGMOVE ? m_hCursorMove
                                                          : m_hCursorCopy;
    if (hCursor != NULL)
        ::SetCursor(hCursor);
}

HWND CXTPCustomizeDragTracker::GetCaptureWindow(CXTPControl* pControl) const
{
    if (m_pSheet != NULL && m_pSheet->GetSafeHwnd() != NULL)
        return m_pSheet->GetSafeHwnd();
    CWnd* pSite = m_pCommandBars != NULL ? m_pCommandBars->GetSite() : NULL;
    if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
        return pSite->GetSafeHwnd();
    // Bars without a site (tests, tear-off windows) capture on their own bar.
    if (pControl != NULL && pControl->GetParent() != NULL)
        return pControl->GetParent()->GetSafeHwnd();
    return NULL;
}

int CXTPCustomizeDragTracker::Track(CXTPControl* pControl, BOOL bCopyOnly)
{
    HWND hWndCapture = GetCaptureWindow(pControl);
    if (pControl == NULL || hWndCapture == NULL)
        return dropCancelled;
    // No drag while the button editor is open: it would move, copy or
    // delete buttons under it.
    if (m_pSheet != NULL && m_pSheet->GetEditedControl() != NULL)
        return dropCancelled;

    pControl->InternalAddRef();
    m_pDragged = pControl;
    m_bMove = FALSE;
    m_pTarget = NULL;
    m_bCopyOnly = bCopyOnly;
    ::GetCursorPos(&m_ptStart);
    ::SetCapture(hWndCapture);

    int nResult = dropCancelled;
    CPoint ptLast = m_ptStart;
    BOOL bDrop = FALSE;
    BOOL bFirstMove = TRUE;
    while (::GetCapture() == hWndCapture)
    {
        MSG msg;
        while (::PeekMessage(&msg, NULL, WM_PAINT, WM_PAINT, PM_REMOVE))
            ::DispatchMessage(&msg);
        if (!::GetMessage(&msg, NULL, 0, 0))
        {
            ::PostQuitMessage((int)msg.wParam);
            nResult = dropCancelled;
            break;
        }
        if (::GetCapture() != hWndCapture)
        {
            // Lost between two messages: nothing is dropped.
            ::DispatchMessage(&msg);
            nResult = dropCancelled;
            break;
        }

        BOOL bEnd = FALSE;
        switch (msg.message)
        {
        case WM_MOUSEMOVE:
        {
            if (bFirstMove && (msg.wParam & MK_LBUTTON) == 0)
            {
                // The button was not held when the drag began (Enter, a
                // screen reader's default action): there is nothing to drag
                // or drop, and the control stays where it is.
                nResult = dropCancelled;
                bEnd = TRUE;
                break;
            }
            if (bFirstMove)
            {
                bFirstMove = FALSE;
                CXTPCommandBar* pParent = pControl->GetParent();
                if (pParent != NULL && pParent->GetSafeHwnd() != NULL)
                {
                    pParent->SetPopuped(-1);
                    pParent->SetSelected(-1);
                }
            }
            nResult = dropNowhere;
            m_bMove = (msg.wParam & MK_CONTROL) == 0;
            CPoint pt((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
            ::ClientToScreen(msg.hwnd, &pt);
            ptLast = pt;
            UpdateTarget(pt);
            if ((msg.wParam & MK_LBUTTON) == 0)
            {
                bDrop = TRUE;
                bEnd = TRUE;
            }
            break;
        }
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE)
            {
                nResult = dropCancelled;
                bEnd = TRUE;
            }
            else if (msg.wParam == VK_CONTROL && m_bMove)
            {
                m_bMove = FALSE;
                UpdateCursor();
            }
            break;
        case WM_KEYUP:
            if (msg.wParam == VK_CONTROL && !m_bMove)
            {
                m_bMove = TRUE;
                UpdateCursor();
            }
            break;
        case WM_LBUTTONUP:
            ptLast = CPoint((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
            ::ClientToScreen(msg.hwnd, &ptLast);
            bDrop = TRUE;
            bEnd = TRUE;
            break;
        case WM_RBUTTONDOWN:
            nResult = dropCancelled;
            bEnd = TRUE;
            break;
        default:
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
            if (::GetCapture() != hWndCapture)
            {
                // A dispatched message took the capture: drop where we are.
                bDrop = !bFirstMove;
                bEnd = TRUE;
            }
            break;
        }
        if (bEnd)
            break;
    }

    if (bDrop && m_pTarget != NULL)
    {
        DROPEFFECT dropEffect = m_bMove ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
        CPoint ptDrop = ptLast;
        CXTPCommandBar* pTarget = m_pTarget;
        m_pTarget = NULL;
        CPoint ptStart = m_ptStart;
        pTarget->ScreenToClient(&ptDrop);
        pTarget->ScreenToClient(&ptStart);
        pTarget->OnCustomizeDrop(pControl, dropEffect, ptDrop, ptStart);
        // A bar that did not take the control after all leaves it where it
        // was.
        nResult = dropEffect == DROPEFFECT_NONE ? (int)dropCancelled : (int)dropEffect;
    }
    else if (bDrop && nResult == dropNowhere && FindDropBar(ptLast) != NULL)
    {
        // Let go over a bar that refused the control (a list placeholder
        // over a toolbar): the control stays where it was. Only a drop away
        // from every bar takes a control off its bar.
        nResult = dropCancelled;
    }
    LeaveTarget();
    if (::GetCapture() == hWndCapture)
        ::ReleaseCapture();
    ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
    m_pDragged = NULL;
    pControl->InternalRelease();
    return nResult;
}
