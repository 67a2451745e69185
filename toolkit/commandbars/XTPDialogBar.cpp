// The dialog bar.
#include "XTPDialogBar.h"

#include "XTPCommandBars.h"
#include "XTPControls.h"
#include "XTPDCHelpers.h"
#include "XTPPaintManager.h"

namespace {

const int kCaptionButtonId = 9149;
const int kCaptionPopupId = XTP_ID_DIALOGBAR_CAPTION;

// The "r" of the Marlett font at 8 points for the screen's resolution.
void DrawMarlettGlyph(CDC* pDC, const CRect& rc, LPCTSTR lpszGlyph, COLORREF clr)
{
    CWindowDC dcScreen(NULL);
    CFont font;
    font.CreatePointFont(80 * 96 / dcScreen.GetDeviceCaps(LOGPIXELSY), "Marlett");
    CFont* pOldFont = pDC->SelectObject(&font);
    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    COLORREF clrOld = pDC->SetTextColor(clr);
    CRect rcText = rc;
    pDC->DrawText(lpszGlyph, rcText, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    pDC->SetTextColor(clrOld);
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);
}

} // namespace

//////////////////////////////////////////////////////////////////////////
// Nested classes

XTP_IMPLEMENT_DYNCREATE_NESTED(CXTPDialogBar, CCaptionPopupBar, CXTPPopupBar)
XTP_IMPLEMENT_DYNCREATE_NESTED(CXTPDialogBar, CControlButtonHide, CXTPControlButton)
XTP_IMPLEMENT_DYNCREATE_NESTED(CXTPDialogBar, CControlCaptionPopup, CXTPControlPopup)

CXTPDialogBar::CCaptionPopupBar::CCaptionPopupBar()
{
    m_bShowShadow = TRUE;
}

CXTPDialogBar::CControlButtonHide::CControlButtonHide()
{
    m_nId = kCaptionButtonId;
    LoadPromptTips();
    m_dwFlags = 0x1A;
}

void CXTPDialogBar::CControlButtonHide::OnExecute()
{
    CXTPToolBar* pBar = DYNAMIC_DOWNCAST(CXTPToolBar, m_pParent);
    if (pBar != NULL)
        pBar->SetVisible(FALSE);
}

void CXTPDialogBar::CControlButtonHide::Draw(CDC* pDC)
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    pPaintManager->DrawControlEntry(pDC, this);
    DrawMarlettGlyph(pDC, m_rcControl, "r", pPaintManager->GetControlTextColor(this));
}

CXTPDialogBar::CControlCaptionPopup::CControlCaptionPopup() : m_bHasMenu(FALSE)
{
    m_nId = kCaptionPopupId;
    m_dwFlags = 0x1E;
}

BOOL CXTPDialogBar::CControlCaptionPopup::OnSetPopup(BOOL bPopup)
{
    if (!m_bHasMenu)
        return TRUE;
    return CXTPControlPopup::OnSetPopup(bPopup);
}

void CXTPDialogBar::CControlCaptionPopup::AdjustExcludeRect(CRect& rc, BOOL)
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager != NULL)
        pPaintManager->AdjustExcludeRect(rc, this, FALSE);
}

void CXTPDialogBar::CControlCaptionPopup::Draw(CDC* pDC)
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    COLORREF clrText = ::GetSysColor(COLOR_BTNTEXT);
    if (m_bHasMenu)
    {
        pPaintManager->DrawControlEntry(pDC, this);
        clrText = pPaintManager->GetControlTextColor(this);
    }
    CXTPFontDC font(pDC, pPaintManager->GetRegularFont());
    CRect rcText(m_rcControl.left + 2, m_rcControl.top, m_rcControl.right - (m_bHasMenu ? 15 : 2), m_rcControl.bottom);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(clrText);
    pDC->DrawText(GetCaption(), rcText, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    if (m_bHasMenu)
    {
        int nMiddle = m_rcControl.CenterPoint().y;
        CPoint pt0(m_rcControl.right - 13, nMiddle - 2), pt1(m_rcControl.right - 5, nMiddle - 2),
            pt2((m_rcControl.right - 13 + m_rcControl.right - 5) / 2, nMiddle + 2);
        pPaintManager->Triangle(pDC, pt0, pt1, pt2, clrText);
    }
}

//////////////////////////////////////////////////////////////////////////
// CXTPDialogBar

IMPLEMENT_DYNCREATE(CXTPDialogBar, CXTPToolBar)

BEGIN_MESSAGE_MAP(CXTPDialogBar, CXTPToolBar)
    ON_WM_NCHITTEST()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CXTPDialogBar::CXTPDialogBar()
    : m_rcBorders(3, 3, 3, 3), m_bResizable(TRUE), m_szMinSize(50, 50), m_bCaptionVisible(TRUE), m_bCaptionPopup(TRUE),
      m_nCaptionHeight(0), m_szDockingClient(200, 200), m_szFloatingClient(200, 200), m_hwndChild(NULL),
      m_pPopupBar(NULL), m_bActive(FALSE)
{
    m_pPopupBar = new CCaptionPopupBar();
    m_bCustomizable = FALSE;
    EnableAutomation();
}

CXTPDialogBar::~CXTPDialogBar()
{
    if (m_pPopupBar != NULL)
        m_pPopupBar->InternalRelease();
}

void CXTPDialogBar::SetChild(CWnd* pChildWnd)
{
    m_hwndChild = pChildWnd->GetSafeHwnd();
    if (m_hwndChild != NULL && m_hWnd != NULL)
    {
        ::SetParent(m_hwndChild, m_hWnd);
        PlaceChild();
    }
}

int CXTPDialogBar::MeasureCaption()
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    CWindowDC dc(NULL);
    CXTPFontDC font(&dc, pPaintManager->GetCommandBarFont(this));
    return pPaintManager->DrawCommandBarGripper(NULL, this, FALSE).cy;
}

CRect CXTPDialogBar::GetClientMargins()
{
    CRect rc = m_rcBorders;
    if (m_bCaptionVisible)
        rc.top += MeasureCaption();
    return rc;
}

CSize CXTPDialogBar::CalcLayout(int nLength, DWORD dwMode, CSize szClient)
{
    CSize size(szClient.cx + m_rcBorders.left + m_rcBorders.right, szClient.cy + m_rcBorders.top + m_rcBorders.bottom);
    if (!m_bCaptionVisible)
        return size;

    int nCaption = MeasureCaption();
    m_nCaptionHeight = nCaption + m_rcBorders.top;
    size.cy += nCaption;
    if (dwMode & LM_STRETCH)
    {
        if (dwMode & LM_VERTDOCK)
            size.cy = std::max((int)size.cy, nLength);
        else
            size.cx = std::max((int)size.cx, nLength);
    }
    if (dwMode & LM_HORZ)
        size.cx = std::min((int)size.cx, nLength);
    else
        size.cy = std::min((int)size.cy, nLength);

    int nMiddle = m_rcBorders.top - 8 + nCaption / 2 + 8;
    int nRight = size.cx - m_rcBorders.right;

    CXTPControl* pHide = m_pControls->FindControl(kCaptionButtonId);
    if (m_bCloseable && pHide == NULL)
        pHide = m_pControls->Add(new CControlButtonHide(), kCaptionButtonId, NULL, -1, TRUE);
    if (pHide != NULL)
    {
        pHide->SetHideFlags(m_bCloseable ? 0 : xtpHideGeneric);
        if (m_bCloseable)
        {
            pHide->SetRect(CRect(nRight - 16, nMiddle - 8, nRight, nMiddle + 8));
            nRight -= 16;
        }
    }

    CControlCaptionPopup* pPopup = DYNAMIC_DOWNCAST(CControlCaptionPopup, m_pControls->FindControl(kCaptionPopupId));
    if (pPopup == NULL)
    {
        pPopup = new CControlCaptionPopup();
        m_pControls->Add(pPopup, kCaptionPopupId, NULL, 0, TRUE);
        pPopup->SetCommandBar(m_pPopupBar);
    }
    pPopup->m_bHasMenu = m_bCaptionPopup && m_pPopupBar->GetControlCount() > 0;
    pPopup->SetRect(CRect(m_rcBorders.left, nMiddle - 8, nRight, nMiddle + 8));
    pPopup->SetCaption(m_strCaption.IsEmpty() ? (LPCTSTR)m_strTitle : (LPCTSTR)m_strCaption);
    return size;
}

CSize CXTPDialogBar::CalcDockingLayout(int nLength, DWORD dwMode, int /*nWidth*/)
{
    return CalcLayout(nLength, dwMode, m_szDockingClient);
}

CSize CXTPDialogBar::CalcDynamicLayout(int /*nLength*/, DWORD dwMode)
{
    return CalcLayout(32000, dwMode, m_szFloatingClient);
}

int CXTPDialogBar::HitTestCaption(CPoint point) const
{
    CRect rcClient;
    GetClientRect(&rcClient);
    rcClient.bottom = rcClient.top + m_nCaptionHeight;
    return rcClient.PtInRect(point) ? 1 : -2;
}

int CXTPDialogBar::HitTestTrackedPoint(CPoint ptScreen)
{
    if (m_hWnd == NULL || !::IsWindowVisible(m_hWnd))
        return 0;
    CPoint pt = ptScreen;
    ::ScreenToClient(m_hWnd, &pt);
    return HitTestCaption(pt);
}

void CXTPDialogBar::PlaceChild()
{
    if (m_hwndChild == NULL || !::IsWindow(m_hwndChild) || m_hWnd == NULL)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    CRect rcMargins = GetClientMargins();
    ::SetWindowPos(m_hwndChild, NULL, rcMargins.left, rcMargins.top,
                   std::max(0L, rcClient.Width() - rcMargins.left - rcMargins.right),
                   std::max(0L, rcClient.Height() - rcMargins.top - rcMargins.bottom), SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(m_hwndChild, NULL, FALSE);
}

void CXTPDialogBar::OnSize(UINT nType, int cx, int cy)
{
    CXTPToolBar::OnSize(nType, cx, cy);
    PlaceChild();
}

LRESULT CXTPDialogBar::OnNcHitTest(CPoint point)
{
    if (!m_bResizable)
        return CXTPToolBar::OnNcHitTest(point);
    CRect rc;
    GetWindowRect(&rc);
    rc.DeflateRect(3, 3);

    if (m_barPosition == xtpBarFloating)
    {
        if (point.y < rc.top)
            return point.x < rc.left ? HTTOPLEFT : point.x >= rc.right ? HTTOPRIGHT : HTTOP;
        if (point.y >= rc.bottom)
            return point.x < rc.left ? HTBOTTOMLEFT : point.x >= rc.right ? HTBOTTOMRIGHT : HTBOTTOM;
        if (point.x < rc.left)
            return HTLEFT;
        if (point.x >= rc.right)
            return HTRIGHT;
        return CXTPToolBar::OnNcHitTest(point);
    }

    BOOL bStretched = (m_dwFlags & xtpFlagStretched) != 0;
    if (m_barPosition == xtpBarBottom)
    {
        if (point.y < rc.top)
            return HTTOP;
    }
    else if (point.y >= rc.bottom && !(bStretched && IsVerticalPosition(m_barPosition)))
    {
        return HTBOTTOM;
    }
    if (m_barPosition == xtpBarRight)
    {
        if (point.x < rc.left)
            return HTLEFT;
    }
    else if (point.x >= rc.right)
    {
        if (!(bStretched && !IsVerticalPosition(m_barPosition)))
            return HTRIGHT;
    }
    return CXTPToolBar::OnNcHitTest(point);
}

void CXTPDialogBar::OnResize(CRect rcNew, int nHitTest)
{
    if (rcNew.Width() < m_szMinSize.cx || rcNew.Height() < m_szMinSize.cy)
        return;
    CRect rcMargins = GetClientMargins();
    if (m_barPosition != xtpBarFloating)
    {
        if (nHitTest == HTLEFT || nHitTest == HTRIGHT)
            m_szDockingClient.cx = rcNew.Width() - rcMargins.left - rcMargins.right;
        else
            m_szDockingClient.cy = rcNew.Height() - rcMargins.top - rcMargins.bottom;
        OnRecalcLayout();
        return;
    }
    m_szFloatingClient = CSize(rcNew.Width() - rcMargins.left - rcMargins.right,
                               rcNew.Height() - rcMargins.top - rcMargins.bottom);
    CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
    MoveWindow(rcNew);
    Redraw();
}

void CXTPDialogBar::OnIdleUpdate()
{
    HWND hWndFocus = ::GetFocus();
    BOOL bActive = FALSE;
    if (hWndFocus != NULL && m_hWnd != NULL)
    {
        HWND hWndOwner = ::GetWindow(hWndFocus, GW_OWNER);
        if (hWndOwner == NULL)
            hWndOwner = ::GetParent(hWndFocus);
        bActive = hWndFocus == m_hWnd || ::IsChild(m_hWnd, hWndFocus) ||
                  (hWndOwner != NULL && (hWndOwner == m_hWnd || ::IsChild(m_hWnd, hWndOwner)));
    }
    if (bActive != m_bActive)
    {
        m_bActive = bActive;
        Redraw();
    }
    CXTPToolBar::OnIdleUpdate();
}

void CXTPDialogBar::Copy(CXTPCommandBar* pCommandBar, BOOL bRecursive)
{
    CXTPToolBar::Copy(pCommandBar, bRecursive);
    CXTPDialogBar* pDialogBar = DYNAMIC_DOWNCAST(CXTPDialogBar, pCommandBar);
    if (pDialogBar == NULL)
        return;
    m_rcBorders = pDialogBar->m_rcBorders;
    m_bResizable = pDialogBar->m_bResizable;
    m_szMinSize = pDialogBar->m_szMinSize;
    m_bCaptionVisible = pDialogBar->m_bCaptionVisible;
    m_bCaptionPopup = pDialogBar->m_bCaptionPopup;
    m_szDockingClient = pDialogBar->m_szDockingClient;
    m_szFloatingClient = pDialogBar->m_szFloatingClient;
    m_strCaption = pDialogBar->m_strCaption;
}

CXTPCommandBar* CXTPDialogBar::Clone(BOOL bRecursive)
{
    CXTPDialogBar* pClone = new CXTPDialogBar();
    pClone->Copy(this, bRecursive);
    return pClone;
}
