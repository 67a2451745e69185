// The frame manager: fits the frame window around a ribbon that draws the
// frame's caption.
#include "XTPRibbonFrameManager.h"

#include "XTPRibbonBar.h"
#include "XTPRibbonTheme.h"

namespace
{
typedef HRESULT(WINAPI* PFNDWMISCOMPOSITIONENABLED)(BOOL*);
}

BOOL AFX_CDECL CXTPRibbonFrameManager::IsCompositionEnabled()
{
    // The composition library exists only on newer systems; it is looked up
    // at run time and its absence means no composition.
    static HMODULE s_hDwm = ::LoadLibraryA("dwmapi.dll");
    if (s_hDwm == NULL)
        return FALSE;
    FARPROC pProc = ::GetProcAddress(s_hDwm, "DwmIsCompositionEnabled");
    PFNDWMISCOMPOSITIONENABLED pfn = NULL;
    memcpy(&pfn, &pProc, sizeof(pfn));
    BOOL bEnabled = FALSE;
    return pfn != NULL && SUCCEEDED(pfn(&bEnabled)) && bEnabled;
}

CXTPRibbonFrameManager::CXTPRibbonFrameManager(CWnd* pFrame, CXTPRibbonBar* pRibbonBar)
    : m_hWndFrame(pFrame != NULL ? pFrame->GetSafeHwnd() : NULL), m_pRibbonBar(pRibbonBar), m_bActive(TRUE),
      m_szFrame(0, 0), m_bDelayRecalc(FALSE), m_bInUpdateRegion(FALSE), m_nFrameBorder(0), m_bDwmEnabled(FALSE)
{
    m_bDwmEnabled = IsCompositionEnabled();
    // The frame's messages reach the manager through the ribbon's hook of
    // its site (set when the ribbon was created).
    if (m_hWndFrame != NULL)
        m_bActive = ::GetActiveWindow() == m_hWndFrame;
}

CXTPRibbonFrameManager::~CXTPRibbonFrameManager()
{
}

DWORD CXTPRibbonFrameManager::GetStyle(BOOL bEx) const
{
    if (m_hWndFrame == NULL || !::IsWindow(m_hWndFrame))
        return 0;
    return (DWORD)::GetWindowLongPtr(m_hWndFrame, bEx ? GWL_EXSTYLE : GWL_STYLE);
}

BOOL CXTPRibbonFrameManager::IsMDIMaximized() const
{
    return (GetStyle() & WS_MAXIMIZE) != 0 && (GetStyle(TRUE) & WS_EX_MDICHILD) != 0;
}

BOOL CXTPRibbonFrameManager::IsCaptionVisible() const
{
    if (IsMDIMaximized())
        return FALSE;
    if (m_pRibbonBar == NULL || m_pRibbonBar->GetSafeHwnd() == NULL || !m_pRibbonBar->IsRibbonShown() ||
        !m_pRibbonBar->IsVisible())
        return TRUE;
    return (GetStyle() & WS_MINIMIZE) != 0 && (GetStyle() & WS_CHILD) != 0;
}

int CXTPRibbonFrameManager::GetCaptionHeight() const
{
    if (!IsCaptionVisible() && m_pRibbonBar != NULL)
        return m_pRibbonBar->GetCaptionHeight();
    CXTPRibbonTheme* pTheme = m_pRibbonBar != NULL ? m_pRibbonBar->GetRibbonPaintManager() : NULL;
    return (pTheme != NULL ? pTheme->GetFrameCaptionHeight() : ::GetSystemMetrics(SM_CYCAPTION)) + m_nFrameBorder;
}

BOOL CXTPRibbonFrameManager::HasStatusBar(int* pnHeight) const
{
    CXTPRibbonTheme* pTheme = m_pRibbonBar != NULL ? m_pRibbonBar->GetRibbonPaintManager() : NULL;
    if (pTheme == NULL || !pTheme->m_bFrameStatusBar || m_hWndFrame == NULL)
        return FALSE;
    HWND hWndStatus = ::GetDlgItem(m_hWndFrame, 59393);
    if (hWndStatus == NULL || !::IsWindowVisible(hWndStatus) || ::SendMessage(hWndStatus, 10324, 0, 0) == 0)
        return FALSE;
    if (pnHeight != NULL)
    {
        CRect rc;
        ::GetWindowRect(hWndStatus, &rc);
        *pnHeight = rc.Height();
    }
    return TRUE;
}

void CXTPRibbonFrameManager::DelayRecalcFrame()
{
    m_bDelayRecalc = TRUE;
    if (m_hWndFrame != NULL && ::IsWindow(m_hWndFrame))
        ::PostMessage(m_hWndFrame, 0x0363, 0, 0);
}

void CXTPRibbonFrameManager::UpdateFrameRegion(int cx, int cy, BOOL bForce)
{
    if (m_bInUpdateRegion || m_hWndFrame == NULL || !::IsWindow(m_hWndFrame))
        return;
    if (!bForce && m_szFrame == CSize(cx, cy))
        return;
    m_bInUpdateRegion = TRUE;
    m_szFrame = CSize(cx, cy);
    CRect rcAdjust(0, 0, cx, cy);
    ::AdjustWindowRectEx(&rcAdjust, GetStyle(), FALSE, GetStyle(TRUE));
    m_nFrameBorder = -rcAdjust.left;
    if (m_bDwmEnabled)
    {
        if ((GetStyle() & WS_MAXIMIZE) == 0)
            m_nFrameBorder = 4;
    }
    else if (!IsMDIMaximized())
    {
        HRGN hRgn = NULL;
        CXTPRibbonTheme* pTheme = m_pRibbonBar != NULL ? m_pRibbonBar->GetRibbonPaintManager() : NULL;
        if (GetStyle() & WS_MAXIMIZE)
            hRgn = ::CreateRectRgn(m_nFrameBorder, m_nFrameBorder, cx - m_nFrameBorder, cy - m_nFrameBorder);
        else if (pTheme != NULL)
            hRgn = pTheme->CalcFrameRegion(this, cx, cy);
        if (hRgn == NULL && (GetStyle() & WS_MAXIMIZE) == 0)
            hRgn = ::CreateRoundRectRgn(0, 0, cx + 1, cy + 1, 9, 9);
        // The window owns the region from here on.
        if (hRgn != NULL && ::SetWindowRgn(m_hWndFrame, hRgn, TRUE) == 0)
            ::DeleteObject(hRgn);
    }
    m_bInUpdateRegion = FALSE;
}

void CXTPRibbonFrameManager::UpdateFrameRegion()
{
    if (m_hWndFrame == NULL)
        return;
    CRect rc;
    ::GetWindowRect(m_hWndFrame, &rc);
    UpdateFrameRegion(rc.Width(), rc.Height(), TRUE);
}

void CXTPRibbonFrameManager::RefreshFrame()
{
    if (m_hWndFrame == NULL || !::IsWindow(m_hWndFrame))
        return;
    m_szFrame = CSize(0, 0);
    m_bDelayRecalc = FALSE;
    ::SetWindowPos(m_hWndFrame, NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                                                        SWP_FRAMECHANGED);
    CWnd* pFrame = CWnd::FromHandlePermanent(m_hWndFrame);
    if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        ((CFrameWnd*)pFrame)->RecalcLayout(FALSE);
    else
    {
        CRect rc;
        ::GetClientRect(m_hWndFrame, &rc);
        ::SendMessage(m_hWndFrame, WM_SIZE, 0, MAKELPARAM(rc.Width(), rc.Height()));
    }
    if (m_pRibbonBar != NULL && m_pRibbonBar->GetSafeHwnd() != NULL)
        m_pRibbonBar->Redraw();
}

BOOL CXTPRibbonFrameManager::OnFrameMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& lResult)
{
    if (m_hWndFrame == NULL)
        return FALSE;
    switch (message)
    {
    case WM_NCCALCSIZE:
        if (!IsCaptionVisible() && !m_bDwmEnabled)
        {
            // The client area reaches the top of the window: the ribbon
            // draws the caption; the sizing borders stay.
            NCCALCSIZE_PARAMS* pParams = (NCCALCSIZE_PARAMS*)lParam;
            RECT rcWindow = pParams->rgrc[0];
            lResult = ::DefWindowProc(m_hWndFrame, message, wParam, lParam);
            pParams->rgrc[0].top = rcWindow.top + ((GetStyle() & WS_MAXIMIZE) ? m_nFrameBorder : 0);
            return TRUE;
        }
        return FALSE;
    case WM_NCACTIVATE:
        m_bActive = wParam != 0;
        if (m_pRibbonBar != NULL && m_pRibbonBar->GetSafeHwnd() != NULL)
            m_pRibbonBar->Redraw();
        if (!IsCaptionVisible() && !m_bDwmEnabled)
        {
            ::RedrawWindow(m_hWndFrame, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
            lResult = TRUE;
            return TRUE;
        }
        return FALSE;
    case WM_NCPAINT:
        if (!IsCaptionVisible() && !m_bDwmEnabled && m_pRibbonBar != NULL)
        {
            // The borders in the theme's frame colours around the client area.
            HDC hDC = ::GetWindowDC(m_hWndFrame);
            if (hDC != NULL)
            {
                CRect rcWindow, rcClient;
                ::GetWindowRect(m_hWndFrame, &rcWindow);
                ::GetClientRect(m_hWndFrame, &rcClient);
                ::MapWindowPoints(m_hWndFrame, NULL, (LPPOINT)&rcClient, 2);
                rcClient.OffsetRect(-rcWindow.TopLeft());
                ::ExcludeClipRect(hDC, rcClient.left, rcClient.top, rcClient.right, rcClient.bottom);
                m_pRibbonBar->GetRibbonPaintManager()->DrawFrame(CDC::FromHandle(hDC), this);
                ::ReleaseDC(m_hWndFrame, hDC);
            }
            lResult = 0;
            return TRUE;
        }
        return FALSE;
    case WM_SIZE:
    {
        CRect rc;
        ::GetWindowRect(m_hWndFrame, &rc);
        UpdateFrameRegion(rc.Width(), rc.Height(), FALSE);
        return FALSE;
    }
    case WM_STYLECHANGED:
        UpdateFrameRegion();
        return FALSE;
    case 0x0363:    // the delayed layout
        if (m_bDelayRecalc)
            RefreshFrame();
        return FALSE;
    case WM_NCHITTEST:
        if (!IsCaptionVisible() && m_pRibbonBar != NULL && m_pRibbonBar->GetSafeHwnd() != NULL)
        {
            CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
            CRect rcWindow;
            ::GetWindowRect(m_hWndFrame, &rcWindow);
            lResult = ::DefWindowProc(m_hWndFrame, message, wParam, lParam);
            if (m_bDwmEnabled && (lResult == HTMINBUTTON || lResult == HTMAXBUTTON || lResult == HTCLOSE ||
                                  lResult == HTHELP))
                lResult = HTTRANSPARENT;
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}
