// CControlBar: the base of the frame's bars - layout through WM_SIZEPARENT,
// delayed show/hide and command-state updates at idle time.
#include "wndimpl.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEACTIVATE()
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdate)
END_MESSAGE_MAP()

CControlBar::CControlBar()
    : m_dwStyle(0), m_dwDockStyle(0), m_pDockSite(NULL), m_pDockBar(NULL), m_pDockContext(NULL),
      m_bAutoDelete(FALSE), m_cxLeftBorder(6), m_cxRightBorder(6), m_cyTopBorder(1), m_cyBottomBorder(1),
      m_cxDefaultGap(2), m_nMRUWidth(32767), m_nCount(0), m_nStateFlags(0)
{
}

CControlBar::~CControlBar()
{
    // Normally done in OnDestroy; also here for bars deleted without it.
    if (m_pDockSite != NULL)
    {
        m_pDockSite->RemoveControlBar(this);
        m_pDockSite = NULL;
    }
}

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CControlBar::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
    {
        AfxDeferRegisterClass(AFX_WNDCONTROLBAR_REG);
        cs.lpszClass = AFX_WNDCONTROLBAR_CLASS;
    }
    if (!CWnd::PreCreateWindow(cs))
        return FALSE;
    cs.style |= WS_CLIPSIBLINGS;   // bars overlap at their edges
    return TRUE;
}

int CControlBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    // The frame that lays this bar out keeps it in its bar list.
    CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
    if (pParent != NULL && pParent->IsFrameWnd())
    {
        m_pDockSite = static_cast<CFrameWnd*>(pParent);
        m_pDockSite->AddControlBar(this);
    }
    return 0;
}

void CControlBar::OnDestroy()
{
    if (m_pDockSite != NULL)
    {
        m_pDockSite->RemoveControlBar(this);
        m_pDockSite = NULL;
    }
    CWnd::OnDestroy();
}

void CControlBar::SetBarStyle(DWORD dwStyle)
{
    if (m_dwStyle != dwStyle)
    {
        DWORD dwOldStyle = m_dwStyle;
        m_dwStyle = dwStyle;
        OnBarStyleChange(dwOldStyle, dwStyle);
    }
}

CFrameWnd* CControlBar::GetDockingFrame() const
{
    CFrameWnd* pFrameWnd = GetParentFrame();
    if (pFrameWnd == NULL)
        pFrameWnd = m_pDockSite;
    return pFrameWnd;
}

BOOL CControlBar::IsVisible() const
{
    if (m_nStateFlags & delayHide)
        return FALSE;
    return (m_nStateFlags & delayShow) || (GetStyle() & WS_VISIBLE);
}

void CControlBar::DelayShow(BOOL bShow)
{
    m_nStateFlags &= ~(delayHide | delayShow);
    if (bShow && (GetStyle() & WS_VISIBLE) == 0)
        m_nStateFlags |= delayShow;
    else if (!bShow && (GetStyle() & WS_VISIBLE) != 0)
        m_nStateFlags |= delayHide;
}

void CControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom)
{
    m_cxLeftBorder = cxLeft;
    m_cyTopBorder = cyTop;
    m_cxRightBorder = cxRight;
    m_cyBottomBorder = cyBottom;
}

void CControlBar::SetBorders(LPCRECT lpRect)
{
    SetBorders(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    DWORD dwStyle = m_dwStyle;
    if (dwStyle & CBRS_BORDER_LEFT)
        rect.left += ::GetSystemMetrics(SM_CXBORDER);
    if (dwStyle & CBRS_BORDER_TOP)
        rect.top += ::GetSystemMetrics(SM_CYBORDER);
    if (dwStyle & CBRS_BORDER_RIGHT)
        rect.right -= ::GetSystemMetrics(SM_CXBORDER);
    if (dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom -= ::GetSystemMetrics(SM_CYBORDER);

    // The bar's own margins run along its length.
    if (bHorz)
    {
        rect.left += m_cxLeftBorder;
        rect.top += m_cyTopBorder;
        rect.right -= m_cxRightBorder;
        rect.bottom -= m_cyBottomBorder;
    }
    else
    {
        rect.left += m_cyTopBorder;
        rect.top += m_cxLeftBorder;
        rect.right -= m_cyBottomBorder;
        rect.bottom -= m_cxRightBorder;
    }
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size;
    size.cx = (bStretch && bHorz) ? 32767 : 0;
    size.cy = (bStretch && !bHorz) ? 32767 : 0;
    return size;
}

CSize CControlBar::CalcDynamicLayout(int nLength, DWORD nMode)
{
    (void)nLength;
    return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZ) != 0);
}

DWORD CControlBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout)
{
    // Apply a delayed show/hide now, as part of the layout pass.
    DWORD dwStyle = GetStyle();
    if (m_nStateFlags & (delayHide | delayShow))
    {
        UINT swpFlags = 0;
        if ((m_nStateFlags & delayHide) && (dwStyle & WS_VISIBLE))
            swpFlags = SWP_HIDEWINDOW;
        else if ((m_nStateFlags & delayShow) && !(dwStyle & WS_VISIBLE))
            swpFlags = SWP_SHOWWINDOW;
        if (swpFlags != 0 && lpLayout->hDWP != NULL)
        {
            lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, m_hWnd, NULL, 0, 0, 0, 0,
                                              swpFlags | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            m_nStateFlags &= ~(delayHide | delayShow);
        }
        // Lay out as the bar will be.
        if (swpFlags == SWP_HIDEWINDOW)
            dwStyle &= ~WS_VISIBLE;
        else if (swpFlags == SWP_SHOWWINDOW)
            dwStyle |= WS_VISIBLE;
    }
    // The bar's alignment lives in its bar style.
    return (dwStyle & WS_VISIBLE) | (m_dwStyle & CBRS_ALIGN_ANY);
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* lpLayout = (AFX_SIZEPARENTPARAMS*)lParam;
    if (lpLayout == NULL)
        return 0;
    DWORD dwStyle = RecalcDelayShow(lpLayout);

    if ((dwStyle & WS_VISIBLE) && (dwStyle & CBRS_ALIGN_ANY) != 0)
    {
        CRect rect(lpLayout->rect);
        CSize sizeAvail = rect.Size();

        DWORD dwMode = lpLayout->bStretch ? LM_STRETCH : 0;
        if ((m_dwStyle & CBRS_SIZE_DYNAMIC) && (m_dwStyle & CBRS_FLOATING))
            dwMode |= LM_HORZ | LM_MRUWIDTH;
        else if (dwStyle & CBRS_ORIENT_HORZ)
            dwMode |= LM_HORZ | LM_HORZDOCK;
        else
            dwMode |= LM_VERTDOCK;

        CSize size = CalcDynamicLayout(-1, dwMode);
        size.cx = size.cx < sizeAvail.cx ? size.cx : sizeAvail.cx;
        size.cy = size.cy < sizeAvail.cy ? size.cy : sizeAvail.cy;
        if (size.cx < 0)
            size.cx = 0;
        if (size.cy < 0)
            size.cy = 0;

        if (dwStyle & CBRS_ORIENT_HORZ)
        {
            lpLayout->sizeTotal.cy += size.cy;
            if (size.cx > lpLayout->sizeTotal.cx)
                lpLayout->sizeTotal.cx = size.cx;
            if (dwStyle & CBRS_ALIGN_TOP)
            {
                lpLayout->rect.top += size.cy;
            }
            else if (dwStyle & CBRS_ALIGN_BOTTOM)
            {
                rect.top = rect.bottom - size.cy;
                lpLayout->rect.bottom -= size.cy;
            }
        }
        else if (dwStyle & CBRS_ORIENT_VERT)
        {
            lpLayout->sizeTotal.cx += size.cx;
            if (size.cy > lpLayout->sizeTotal.cy)
                lpLayout->sizeTotal.cy = size.cy;
            if (dwStyle & CBRS_ALIGN_LEFT)
            {
                lpLayout->rect.left += size.cx;
            }
            else if (dwStyle & CBRS_ALIGN_RIGHT)
            {
                rect.left = rect.right - size.cx;
                lpLayout->rect.right -= size.cx;
            }
        }
        rect.right = rect.left + size.cx;
        rect.bottom = rect.top + size.cy;
        // Only moved during a real layout (not a measuring pass).
        AfxRepositionWindow(lpLayout, m_hWnd, &rect);
    }
    return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    // A delayed show/hide happens now.
    BOOL bVis = (GetStyle() & WS_VISIBLE) != 0;
    UINT swpFlags = 0;
    if ((m_nStateFlags & delayHide) && bVis)
        swpFlags = SWP_HIDEWINDOW;
    else if ((m_nStateFlags & delayShow) && !bVis)
        swpFlags = SWP_SHOWWINDOW;
    m_nStateFlags &= ~(delayShow | delayHide);
    if (swpFlags != 0)
        SetWindowPos(NULL, 0, 0, 0, 0, swpFlags | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    // Visible bars update their items against their owner.
    if (GetStyle() & WS_VISIBLE)
    {
        CWnd* pOwner = GetOwner();
        CFrameWnd* pTarget = (pOwner != NULL && pOwner->IsFrameWnd()) ? static_cast<CFrameWnd*>(pOwner)
                                                                     : GetParentFrame();
        if (pTarget != NULL)
            OnUpdateCmdUI(pTarget, (BOOL)wParam);
    }
    return 0;
}

LRESULT CControlBar::OnInitialUpdate(WPARAM, LPARAM)
{
    OnIdleUpdateCmdUI(TRUE, 0);
    return 0;
}

int CControlBar::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT nMsg)
{
    // A docked bar (the status bar among them) activates as any child of
    // the frame does, so a click on it brings an inactive program to the
    // front. Only a floating bar refuses: its small window must not take
    // the activation from the frame it belongs to.
    int nResult = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, nMsg);
    if (!IsFloating() || nResult == MA_NOACTIVATE || nResult == MA_NOACTIVATEANDEAT)
        return nResult;
    return MA_NOACTIVATE;
}

BOOL CControlBar::OnEraseBkgnd(CDC* pDC)
{
    return CWnd::OnEraseBkgnd(pDC);
}

void CControlBar::OnPaint()
{
    // Bars over a common control let the control paint itself.
    if (m_pfnSuper != NULL)
    {
        Default();
        return;
    }
    CPaintDC dc(this);
    DoPaint(&dc);
}

void CControlBar::DoPaint(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    DrawBorders(pDC, rect);
}

void CControlBar::DrawBorders(CDC* pDC, CRect& rect)
{
    DWORD dwStyle = m_dwStyle;
    if (!(dwStyle & CBRS_BORDER_ANY))
        return;
    COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    COLORREF clrHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    int cxBorder = ::GetSystemMetrics(SM_CXBORDER);
    int cyBorder = ::GetSystemMetrics(SM_CYBORDER);
    if (dwStyle & CBRS_BORDER_TOP)
        pDC->FillSolidRect(rect.left, rect.top, rect.Width(), cyBorder, clrShadow);
    if (dwStyle & CBRS_BORDER_BOTTOM)
        pDC->FillSolidRect(rect.left, rect.bottom - cyBorder, rect.Width(), cyBorder, clrHilite);
    if (dwStyle & CBRS_BORDER_LEFT)
        pDC->FillSolidRect(rect.left, rect.top, cxBorder, rect.Height(), clrShadow);
    if (dwStyle & CBRS_BORDER_RIGHT)
        pDC->FillSolidRect(rect.right - cxBorder, rect.top, cxBorder, rect.Height(), clrHilite);
    CalcInsideRect(rect, (dwStyle & CBRS_ORIENT_HORZ) != 0);
}

LRESULT CControlBar::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    // Notifications of the bar's controls (and of the bar itself when it is
    // a common control) go on to the owner, which runs the commands.
    switch (nMsg)
    {
    case WM_NOTIFY:
    case WM_COMMAND:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    {
        LRESULT lResult = 0;
        if (OnWndMsg(nMsg, wParam, lParam, &lResult))
            return lResult;
        CWnd* pOwner = GetOwner();
        if (pOwner != NULL && pOwner->m_hWnd != NULL && pOwner->m_hWnd != m_hWnd)
            return pOwner->SendMessage(nMsg, wParam, lParam);
        break;
    }
    default:
        break;
    }
    return CWnd::WindowProc(nMsg, wParam, lParam);
}

BOOL CControlBar::PreTranslateMessage(MSG* pMsg)
{
    return CWnd::PreTranslateMessage(pMsg);
}
