// The property grid window: layout of toolbar, view, verb pane and help pane,
// splitter drags, keyboard navigation, themes and the notification to the owner.
#include "XTPPropertyGrid.h"
#include "XTPDrawHelpers.h"
#include "XTPImageManager.h"
#include "XTPResourceManager.h"

namespace
{
const char kGridClass[] = "XTPPropertyGrid";
const int kSplitterHeight = 3;
const int kToolBarHeight = 23;
} // namespace

//////////////////////////////////////////////////////////////////////////
// Verbs

BOOL CXTPPropertyGridVerb::IsFocused() const
{
    CXTPPropertyGrid* pGrid = m_pVerbs != NULL ? m_pVerbs->m_pGrid : NULL;
    return pGrid != NULL && pGrid->GetFocusedVerb() == m_nIndex && ::GetFocus() == pGrid->GetSafeHwnd();
}

CXTPPropertyGridVerbs::CXTPPropertyGridVerbs()
    : m_pGrid(NULL)
{
}

CXTPPropertyGridVerbs::~CXTPPropertyGridVerbs()
{
    for (int i = 0; i < GetCount(); i++)
        m_arrVerbs[i]->InternalRelease();
    m_arrVerbs.RemoveAll();
}

CXTPPropertyGridVerb* CXTPPropertyGridVerbs::Add(LPCTSTR lpszCaption, UINT nID)
{
    CXTPPropertyGridVerb* pVerb = new CXTPPropertyGridVerb();
    pVerb->m_strCaption = lpszCaption != NULL ? lpszCaption : "";
    pVerb->m_nID = nID;
    pVerb->m_nIndex = GetCount();
    pVerb->m_pVerbs = this;
    m_arrVerbs.Add(pVerb);
    if (m_pGrid != NULL)
        m_pGrid->OnVerbsChanged();
    return pVerb;
}

void CXTPPropertyGridVerbs::RemoveAll()
{
    if (IsEmpty())
        return;
    for (int i = 0; i < GetCount(); i++)
        m_arrVerbs[i]->InternalRelease();
    m_arrVerbs.RemoveAll();
    if (m_pGrid != NULL)
        m_pGrid->OnVerbsChanged();
}

CXTPPropertyGridVerb* CXTPPropertyGridVerbs::GetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_arrVerbs[nIndex] : NULL;
}

//////////////////////////////////////////////////////////////////////////
// Toolbar

CXTPPropertyGridToolBar::CXTPPropertyGridToolBar()
{
}

BEGIN_MESSAGE_MAP(CXTPPropertyGridToolBar, CToolBar)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
END_MESSAGE_MAP()

void CXTPPropertyGridToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL /*bDisableIfNoHndler*/)
{
    // The grid handles both buttons and keeps their states itself.
    CToolBar::OnUpdateCmdUI(pTarget, FALSE);
}

BOOL CXTPPropertyGridToolBar::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CXTPPropertyGridToolBar::OnPaint()
{
    CPaintDC dc(this);
    CXTPClientRect rc(this);
    CXTPBufferDC memDC(dc.GetSafeHdc(), rc);
    memDC.FillSolidRect(rc, GetXTPSysColor(COLOR_3DFACE));
    CToolBar::DefWindowProc(WM_PAINT, (WPARAM)memDC.GetSafeHdc(), 0);
}

void CXTPPropertyGridToolBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*)
{
    // No non-client area: the client area is the whole window.
}

//////////////////////////////////////////////////////////////////////////
// CXTPPropertyGrid

CXTPPropertyGrid::CXTPPropertyGrid()
    : m_nHelpHeight(58), m_nVerbsHeight(25), m_bHelpVisible(TRUE), m_bHelpSplitter(TRUE),
      m_bToolBarVisible(FALSE), m_bTabItems(FALSE), m_bVerbsVisible(FALSE), m_themeCurrent(xtpGridThemeDefault),
      m_nFocusedVerb(-1), m_pView(NULL), m_bHighlightChanged(FALSE), m_bVariableItemsHeight(FALSE),
      m_bPreSubclassWindow(TRUE), m_bShowInplaceButtonsAlways(FALSE), m_bInternalFocus(FALSE),
      m_nBorderStyle(xtpGridBorderStaticEdge)
{
    CXTPDrawHelpers::RegisterWndClass(NULL, kGridClass, 0);

    m_hCursorSplit = XTPResourceManager()->LoadCursor(XTP_IDC_VSPLITBAR);
    m_hCursorHand = ::LoadCursor(NULL, IDC_HAND);
    if (m_hCursorHand == NULL)
        m_hCursorHand = XTPResourceManager()->LoadCursor(XTP_IDC_HAND);

    m_pVerbs = new CXTPPropertyGridVerbs();
    m_pVerbs->m_pGrid = this;

    m_pPaintManager = new CXTPPropertyGridPaintManager(this);
    m_pPaintManager->RefreshMetrics();

    // The grid's fonts come from the system's icon-title font.
    LOGFONT lf;
    ZeroMemory(&lf, sizeof(lf));
    if (!::SystemParametersInfo(SPI_GETICONTITLELOGFONT, sizeof(LOGFONT), &lf, 0))
        ::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof(LOGFONT), &lf);
    CXTPPropertyGridItemMetrics* pMetrics = m_pPaintManager->GetItemMetrics();
    lf.lfWeight = FW_NORMAL;
    pMetrics->m_xtpFontNormal.CreateFontIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    pMetrics->m_xtpFontBold.CreateFontIndirect(&lf);

    m_pImageManager = new CXTPImageManager();
    m_pInplaceEdit = new CXTPPropertyGridInplaceEdit();
    m_pInplaceListBox = new CXTPPropertyGridInplaceList();
    m_rectTracker.SetRectEmpty();
}

CXTPPropertyGrid::~CXTPPropertyGrid()
{
    delete m_pView;
    m_pView = NULL;
    m_pVerbs->m_pGrid = NULL;
    m_pVerbs->InternalRelease();
    m_pImageManager->InternalRelease();
    delete m_pInplaceEdit;
    delete m_pInplaceListBox;
    delete m_pPaintManager;
    if (m_wndToolbar.GetSafeHwnd() != NULL)
        m_wndToolbar.DestroyWindow();
    if (GetSafeHwnd() != NULL)
        DestroyWindow();
}

BEGIN_MESSAGE_MAP(CXTPPropertyGrid, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_KEYDOWN()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_GETDLGCODE()
    ON_COMMAND(XTP_IDC_SORT_CATEGORIZED, OnSortCategorized)
    ON_COMMAND(XTP_IDC_SORT_ALPHABETIC, OnSortAlphabetic)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, OnToolTipText)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, OnToolTipText)
END_MESSAGE_MAP()

BOOL CXTPPropertyGrid::PreCreateWindow(CREATESTRUCT& cs)
{
    m_bPreSubclassWindow = FALSE;
    return CWnd::PreCreateWindow(cs);
}

void CXTPPropertyGrid::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    if (m_bPreSubclassWindow)
    {
        // A grid placed over an existing window builds its view now.
        CreateViewWindow(0);
        RecalcLayout();
    }
}

BOOL CXTPPropertyGrid::Create(const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwListStyle)
{
    CRect rc(rect);
    if (!CreateEx(0, kGridClass, NULL, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_GROUP | WS_TABSTOP, rc,
                  pParentWnd, nID))
        return FALSE;
    if (!CreateViewWindow(dwListStyle))
        return FALSE;
    Reposition(rc.Width(), rc.Height());
    SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_SHOWWINDOW);
    return TRUE;
}

BOOL CXTPPropertyGrid::CreateViewWindow(DWORD dwListStyle)
{
    if (dwListStyle == 0)
        dwListStyle = LBS_NOINTEGRALHEIGHT | (m_bVariableItemsHeight ? LBS_OWNERDRAWVARIABLE : LBS_OWNERDRAWFIXED);
    m_bVariableItemsHeight = (dwListStyle & LBS_OWNERDRAWVARIABLE) != 0;

    CXTPPropertyGridView& wndView = GetGridView();
    DWORD dwStyle = dwListStyle | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_VSCROLL |
                    WS_TABSTOP | LBS_NOTIFY;
    if (!wndView.Create(dwStyle, CRect(0, 0, 0, 0), this, 0))
    {
        TRACE("property grid: the view window could not be created\n");
        return FALSE;
    }
    wndView.Refresh();
    RefreshMetrics();
    return TRUE;
}

CXTPPropertyGridView* CXTPPropertyGrid::CreateView() const
{
    return new CXTPPropertyGridView();
}

CXTPPropertyGridView& CXTPPropertyGrid::GetGridView()
{
    if (m_pView == NULL)
    {
        m_pView = CreateView();
        m_pView->m_pGrid = this;
    }
    return *m_pView;
}

CXTPPropertyGridItem* CXTPPropertyGrid::AddCategory(UINT nID)
{
    CString strCaption;
    if (!XTPResourceManager()->LoadString(&strCaption, nID))
        TRACE("property grid: no string %u for a category\n", nID);
    CXTPPropertyGridItem* pCategory = GetGridView().AddCategory(strCaption);
    pCategory->SetID(nID);
    return pCategory;
}

CXTPPropertyGridItem* CXTPPropertyGrid::AddCategory(LPCTSTR lpszCaption, CXTPPropertyGridItem* pCategory)
{
    return GetGridView().AddCategory(lpszCaption, pCategory);
}

CXTPPropertyGridItem* CXTPPropertyGrid::InsertCategory(int nIndex, LPCTSTR lpszCaption,
                                                       CXTPPropertyGridItem* pCategory)
{
    return GetGridView().InsertCategory(nIndex, lpszCaption, pCategory);
}

CXTPPropertyGridItem* CXTPPropertyGrid::GetSelectedItem()
{
    return GetGridView().GetSelectedItem();
}

CXTPPropertyGridItem* CXTPPropertyGrid::FindItem(UINT nID)
{
    return GetGridView().GetCategories()->FindItem(nID);
}

CXTPPropertyGridItem* CXTPPropertyGrid::FindItem(LPCTSTR lpszCaption)
{
    return GetGridView().GetCategories()->FindItem(lpszCaption);
}

void CXTPPropertyGrid::ResetContent()
{
    m_pVerbs->RemoveAll();
    CXTPPropertyGridView& wndView = GetGridView();
    wndView.Refresh();
    wndView.LockUpdate();
    wndView.GetCategories()->Clear();
    wndView.UnlockUpdate();
}

void CXTPPropertyGrid::ShowHelp(BOOL bShow)
{
    m_bHelpVisible = bShow;
    RecalcLayout();
}

void CXTPPropertyGrid::ShowToolBar(BOOL bShow)
{
    if (bShow && m_wndToolbar.GetSafeHwnd() == NULL && GetSafeHwnd() != NULL)
    {
        if (!m_wndToolbar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_TOOLTIPS) ||
            !m_wndToolbar.LoadToolBar(XTP_IDR_TBAR_PROPGRID))
        {
            TRACE("property grid: the sort toolbar could not be made\n");
            if (m_wndToolbar.GetSafeHwnd() != NULL)
                m_wndToolbar.DestroyWindow();
            return;
        }
        m_wndToolbar.SetOwner(this);
    }
    m_bToolBarVisible = bShow && m_wndToolbar.GetSafeHwnd() != NULL;
    if (m_wndToolbar.GetSafeHwnd() != NULL)
        m_wndToolbar.ShowWindow(m_bToolBarVisible ? SW_SHOW : SW_HIDE);
    if (m_bToolBarVisible)
    {
        int nSort = GetGridView().GetSortMode();
        m_wndToolbar.SendMessage(TB_SETSTATE, XTP_IDC_SORT_CATEGORIZED,
                                 MAKELONG(TBSTATE_ENABLED | (nSort == 0 ? TBSTATE_CHECKED : 0), 0));
        m_wndToolbar.SendMessage(TB_SETSTATE, XTP_IDC_SORT_ALPHABETIC,
                                 MAKELONG(TBSTATE_ENABLED | (nSort == 1 ? TBSTATE_CHECKED : 0), 0));
    }
    RecalcLayout();
}

void CXTPPropertyGrid::SetTheme(int nTheme)
{
    CXTPPropertyGridPaintManager* pPaintManager = NULL;
    switch (nTheme)
    {
    case xtpGridThemeDefault:
        pPaintManager = new CXTPPropertyGridPaintManager(this);
        break;
    case xtpGridThemeNativeWinXP:
        pPaintManager = new CXTPPropertyGridNativeXPTheme(this);
        break;
    case xtpGridThemeOffice2003:
        pPaintManager = new CXTPPropertyGridOffice2003Theme(this);
        break;
    case xtpGridThemeCool:
        pPaintManager = new CXTPPropertyGridCoolTheme(this);
        break;
    case xtpGridThemeSimple:
        pPaintManager = new CXTPPropertyGridSimpleTheme(this);
        break;
    case xtpGridThemeDelphi:
        pPaintManager = new CXTPPropertyGridDelphiTheme(this);
        break;
    case xtpGridThemeWhidbey:
        pPaintManager = new CXTPPropertyGridWhidbeyTheme(this);
        break;
    case xtpGridThemeOfficeXP:
        pPaintManager = new CXTPPropertyGridOfficeXP(this);
        break;
    default:
        break;
    }
    if (pPaintManager != NULL)
        SetCustomTheme(pPaintManager);
    m_themeCurrent = nTheme;
}

void CXTPPropertyGrid::SetCustomTheme(CXTPPropertyGridPaintManager* pPaintManager)
{
    if (pPaintManager == NULL || pPaintManager == m_pPaintManager)
        return;
    // Fonts and custom colours move on to the new paint manager.
    pPaintManager->AttachItemMetrics(m_pPaintManager->DetachItemMetrics());
    delete m_pPaintManager;
    m_pPaintManager = pPaintManager;
    m_pPaintManager->RefreshMetrics();
    RedrawControl();
}

void CXTPPropertyGrid::SetCustomColors(COLORREF clrHelpBack, COLORREF clrHelpFore, COLORREF clrViewLine,
                                       COLORREF clrViewBack, COLORREF clrViewFore, COLORREF clrCategoryFore)
{
    CXTPPropertyGridItemMetrics* pMetrics = m_pPaintManager->GetItemMetrics();
    pMetrics->m_clrHelpBack.SetCustomValue(clrHelpBack);
    pMetrics->m_clrHelpFore.SetCustomValue(clrHelpFore);
    pMetrics->m_clrLine.SetCustomValue(clrViewLine);
    pMetrics->m_clrBack.SetCustomValue(clrViewBack);
    pMetrics->m_clrFore.SetCustomValue(clrViewFore);
    pMetrics->m_clrCategoryFore.SetCustomValue(clrCategoryFore);
    RedrawControl();
}

void CXTPPropertyGrid::RefreshMetrics()
{
    m_pPaintManager->GetItemMetrics()->Reset();
    m_pPaintManager->RefreshMetrics();
    RedrawControl();
}

void CXTPPropertyGrid::RecalcLayout()
{
    if (GetSafeHwnd() == NULL)
        return;
    CXTPClientRect rc(this);
    Reposition(rc.Width(), rc.Height());
}

void CXTPPropertyGrid::RedrawControl()
{
    if (GetSafeHwnd() != NULL)
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void CXTPPropertyGrid::SetBorderStyle(int nStyle)
{
    m_nBorderStyle = nStyle;
    if (m_pView != NULL && m_pView->GetSafeHwnd() != NULL)
        m_pView->SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    RedrawControl();
}

void CXTPPropertyGrid::OnVerbsChanged()
{
    if (GetSafeHwnd() == NULL || m_pView == NULL || m_pView->IsLocked())
        return;
    if (m_bVerbsVisible != !m_pVerbs->IsEmpty())
        RecalcLayout();
    else
        Invalidate(FALSE);
}

//////////////////////////////////////////////////////////////////////////
// Layout and hit testing

void CXTPPropertyGrid::Reposition(int cx, int cy)
{
    if (GetSafeHwnd() == NULL || m_pView == NULL || m_pView->IsLocked())
        return;

    int nTop = 0;
    if (m_bToolBarVisible && m_wndToolbar.GetSafeHwnd() != NULL)
    {
        m_wndToolbar.MoveWindow(1, 1, cx - 2, kToolBarHeight);
        nTop = kToolBarHeight + 2;
    }

    int nBottom = cy;
    if (m_bHelpVisible)
        nBottom -= m_nHelpHeight + kSplitterHeight;
    m_bVerbsVisible = !m_pVerbs->IsEmpty();
    if (m_bVerbsVisible)
        nBottom -= m_nVerbsHeight + kSplitterHeight;
    // Panes taller than the grid leave the view empty, never inverted.
    if (nBottom < nTop)
        nBottom = nTop;

    if (m_pView->GetSafeHwnd() != NULL)
    {
        m_pView->MoveWindow(0, nTop, cx, nBottom - nTop);
        m_pView->Invalidate(FALSE);
    }
    Invalidate(FALSE);
}

CRect CXTPPropertyGrid::GetHelpRect()
{
    CXTPClientRect rc(this);
    rc.top = rc.bottom - m_nHelpHeight;
    return rc;
}

CRect CXTPPropertyGrid::GetVerbsRect()
{
    CXTPClientRect rc(this);
    if (m_bHelpVisible)
        rc.bottom -= m_nHelpHeight + kSplitterHeight;
    rc.top = rc.bottom - m_nVerbsHeight;
    return rc;
}

int CXTPPropertyGrid::HitTest(CPoint pt)
{
    if (GetSafeHwnd() == NULL || (m_pView != NULL && m_pView->IsLocked()))
        return -1;
    CXTPClientRect rc(this);
    if (m_bHelpVisible)
    {
        CRect rcBand(rc.left, rc.bottom - m_nHelpHeight - kSplitterHeight, rc.right, rc.bottom - m_nHelpHeight);
        if (rcBand.PtInRect(pt) && m_bHelpSplitter)
            return 1;
    }
    if (m_bVerbsVisible)
    {
        CRect rcVerbs = GetVerbsRect();
        CRect rcBand(rc.left, rcVerbs.top - kSplitterHeight, rc.right, rcVerbs.top);
        if (rcBand.PtInRect(pt))
            return 2;
        if (rcVerbs.PtInRect(pt))
        {
            CClientDC dc(this);
            int nVerb = m_pPaintManager->DrawVerbs(&dc, rcVerbs, pt, TRUE);
            if (nVerb != -1)
                return 3 + nVerb;
        }
    }
    return -1;
}

int AFX_CDECL CXTPPropertyGrid::ClampSplitterTop(int y, int nLimit)
{
    if (y < 45)
        y = 45;
    if (y > nLimit - 20)
        y = nLimit - 20;
    return y;
}

//////////////////////////////////////////////////////////////////////////
// Messages

void CXTPPropertyGrid::OnPaint()
{
    // With the view alone over the whole client (no tool bar, help or verbs)
    // nothing of the grid itself shows: its update region only needs
    // validating, which spares the paint DC's set-up on every full repaint.
    if (IsClientCoveredByView())
    {
        ValidateRect(NULL);
        return;
    }
    CPaintDC dc(this);
    // Only what the view does not cover needs painting (often nothing).
    CRect rcPaint(dc.m_ps.rcPaint);
    if (rcPaint.IsRectEmpty())
        return;
    CXTPBufferDC memDC(dc.GetSafeHdc(), rcPaint);
    m_pPaintManager->FillPropertyGrid(&memDC);
}

BOOL CXTPPropertyGrid::IsClientCoveredByView()
{
    if (m_pView == NULL || m_pView->GetSafeHwnd() == NULL || !m_pView->IsWindowVisible())
        return FALSE;
    CXTPClientRect rcClient(this);
    CXTPWindowRect rcView(m_pView);
    ScreenToClient(&rcView);
    CRect rcCovered;
    rcCovered.IntersectRect(rcClient, rcView);
    return rcCovered == rcClient;
}

BOOL CXTPPropertyGrid::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CXTPPropertyGrid::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (m_pView != NULL && m_pView->GetSafeHwnd() != NULL)
        Reposition(cx, cy);
}

BOOL CXTPPropertyGrid::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT)
    {
        CXTPClientCursorPos pt(this);
        int nHit = HitTest(pt);
        if ((nHit == 1 || nHit == 2) && m_hCursorSplit != NULL)
        {
            ::SetCursor(m_hCursorSplit);
            return TRUE;
        }
        if (nHit >= 3 && m_hCursorHand != NULL)
        {
            ::SetCursor(m_hCursorHand);
            return TRUE;
        }
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CXTPPropertyGrid::OnLButtonDown(UINT nFlags, CPoint point)
{
    int nHit = HitTest(point);
    if (nHit >= 3)
    {
        m_nFocusedVerb = nHit - 3;
        m_bInternalFocus = TRUE;
        SetFocus();
        m_bInternalFocus = FALSE;
        Invalidate(FALSE);
        return;
    }
    SetFocus();
    if (nHit != 1 && nHit != 2)
    {
        CWnd::OnLButtonDown(nFlags, point);
        return;
    }
    TrackSplitter(nHit, point);
}

void CXTPPropertyGrid::TrackSplitter(int nHit, CPoint point)
{
    CXTPClientRect rcClient(this);
    int nLimit = nHit == 1 ? rcClient.bottom
                           : rcClient.bottom - (m_bHelpVisible ? m_nHelpHeight + kSplitterHeight : 0);

    SetCapture();
    ModifyStyle(WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0);

    CWindowDC dc(this);
    CBrush brush(GetXTPSysColor(COLOR_3DFACE));
    CBrush* pOldBrush = dc.SelectObject(&brush);
    int nTop = ClampSplitterTop(point.y, nLimit);
    m_rectTracker.SetRect(rcClient.left, nTop, rcClient.right, nTop + kSplitterHeight);
    dc.PatBlt(m_rectTracker.left, m_rectTracker.top, m_rectTracker.Width(), m_rectTracker.Height(), PATINVERT);

    BOOL bApply = FALSE;
    MSG msg;
    while (XTPPropertyGridNextCaptureMessage(m_hWnd, msg))
    {
        if (msg.message == WM_MOUSEMOVE)
        {
            CPoint pt((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
            ::MapWindowPoints(msg.hwnd, m_hWnd, &pt, 1);
            nTop = ClampSplitterTop(pt.y, nLimit);
            if (nTop != m_rectTracker.top)
            {
                dc.PatBlt(m_rectTracker.left, m_rectTracker.top, m_rectTracker.Width(), m_rectTracker.Height(),
                          PATINVERT);
                m_rectTracker.SetRect(rcClient.left, nTop, rcClient.right, nTop + kSplitterHeight);
                dc.PatBlt(m_rectTracker.left, m_rectTracker.top, m_rectTracker.Width(), m_rectTracker.Height(),
                          PATINVERT);
            }
            continue;
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)
            break;
        if (msg.message == WM_LBUTTONUP)
        {
            bApply = TRUE;
            break;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }

    dc.PatBlt(m_rectTracker.left, m_rectTracker.top, m_rectTracker.Width(), m_rectTracker.Height(), PATINVERT);
    dc.SelectObject(pOldBrush);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();

    if (bApply)
    {
        int nHeight = nLimit - m_rectTracker.top - 2;
        if (nHit == 1)
            m_nHelpHeight = nHeight;
        else
            m_nVerbsHeight = nHeight;
        Reposition(rcClient.Width(), rcClient.Height());
    }
    Invalidate(FALSE);
    ModifyStyle(0, WS_CLIPCHILDREN | WS_CLIPSIBLINGS);
}

void CXTPPropertyGrid::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_nFocusedVerb != -1 && HitTest(point) == m_nFocusedVerb + 3)
        OnVerbClick(m_nFocusedVerb, point);
    CWnd::OnLButtonUp(nFlags, point);
}

void CXTPPropertyGrid::OnVerbClick(int nIndex, CPoint pt)
{
    CXTPPropertyGridVerb* pVerb = m_pVerbs->GetAt(nIndex);
    if (pVerb == NULL)
        AfxThrowInvalidArgException();
    ClientToScreen(&pt);
    pVerb->m_ptClick = pt;
    SendNotifyMessage(XTP_PGN_VERB_CLICK, (LPARAM)pVerb);
}

void CXTPPropertyGrid::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    int nCount = m_pVerbs->GetCount();
    if (m_nFocusedVerb == -1 || nCount == 0)
    {
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    if (m_nFocusedVerb >= nCount)
        m_nFocusedVerb = nCount - 1;

    BOOL bShift = ::GetKeyState(VK_SHIFT) < 0;
    switch (nChar)
    {
    case VK_TAB:
        if (!bShift)
        {
            if (m_nFocusedVerb + 1 < nCount)
                m_nFocusedVerb++;
            else
            {
                OnNavigate(xtpGridNavigateVerbs, TRUE);
                return;
            }
        }
        else
        {
            if (m_nFocusedVerb > 0)
                m_nFocusedVerb--;
            else
            {
                OnNavigate(xtpGridNavigateVerbs, FALSE);
                return;
            }
        }
        break;
    case VK_RIGHT:
    case VK_DOWN:
        m_nFocusedVerb = (m_nFocusedVerb + 1) % nCount;
        break;
    case VK_LEFT:
    case VK_UP:
        m_nFocusedVerb = (m_nFocusedVerb + nCount - 1) % nCount;
        break;
    case VK_RETURN:
    {
        CPoint pt = m_pVerbs->GetAt(m_nFocusedVerb)->m_ptClick;
        ScreenToClient(&pt);
        OnVerbClick(m_nFocusedVerb, pt);
        break;
    }
    default:
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    Invalidate(FALSE);
}

void CXTPPropertyGrid::OnSetFocus(CWnd* pOldWnd)
{
    CWnd::OnSetFocus(pOldWnd);
    if (m_bInternalFocus)
        return;
    BOOL bShift = ::GetKeyState(VK_SHIFT) < 0;
    if (pOldWnd != NULL && bShift && pOldWnd == GetNextTabWindow(TRUE))
        OnNavigate(xtpGridNavigateNextControl, FALSE);
    else if (pOldWnd != NULL && !bShift && pOldWnd == GetNextTabWindow(FALSE))
        OnNavigate(xtpGridNavigatePrevControl, TRUE);
    else if (m_pView != NULL && m_pView->GetSafeHwnd() != NULL)
        m_pView->SetFocus();
}

void CXTPPropertyGrid::OnKillFocus(CWnd* pNewWnd)
{
    CWnd::OnKillFocus(pNewWnd);
    m_nFocusedVerb = -1;
    Invalidate(FALSE);
}

void CXTPPropertyGrid::OnSysColorChange()
{
    CWnd::OnSysColorChange();
    m_pPaintManager->RefreshMetrics();
}

UINT CXTPPropertyGrid::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS;
}

void CXTPPropertyGrid::OnSortCategorized()
{
    GetGridView().SetSortMode(xtpGridSortCategorized, FALSE, TRUE);
}

void CXTPPropertyGrid::OnSortAlphabetic()
{
    GetGridView().SetSortMode(xtpGridSortAlphabetical, FALSE, TRUE);
}

BOOL CXTPPropertyGrid::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    UINT nID = (UINT)pNMHDR->idFrom;
    CString strTip;
    if (!XTPResourceManager()->LoadString(&strTip, nID))
        return FALSE;
    if (pNMHDR->code == TTN_NEEDTEXTA)
    {
        NMTTDISPINFOA* pInfo = (NMTTDISPINFOA*)pNMHDR;
        lstrcpynA(pInfo->szText, strTip, (int)sizeof(pInfo->szText));
        pInfo->lpszText = pInfo->szText;
    }
    else
    {
        NMTTDISPINFOW* pInfo = (NMTTDISPINFOW*)pNMHDR;
        int n = ::MultiByteToWideChar(CP_ACP, 0, strTip, -1, pInfo->szText,
                                      (int)(sizeof(pInfo->szText) / sizeof(WCHAR)));
        pInfo->szText[n > 0 ? n - 1 : 0] = L'\0';
        pInfo->lpszText = pInfo->szText;
    }
    *pResult = 0;
    // The tip window stays on top without taking the activation.
    ::SetWindowPos(pNMHDR->hwndFrom, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE);
    return TRUE;
}

//////////////////////////////////////////////////////////////////////////
// Notifications

LRESULT CXTPPropertyGrid::SendNotifyMessage(WPARAM wParam, LPARAM lParam)
{
    if (GetSafeHwnd() == NULL)
        return 0;
    CWnd* pOwner = GetOwner();
    if (pOwner == NULL || pOwner->GetSafeHwnd() == NULL)
        return 0;
    return pOwner->SendMessage(XTPWM_PROPERTYGRID_NOTIFY, wParam, lParam);
}

void CXTPPropertyGrid::OnSelectionChanged(CXTPPropertyGridItem* pItem)
{
    if (pItem != NULL)
        SendNotifyMessage(XTP_PGN_SELECTION_CHANGED, (LPARAM)pItem);
    if (GetSafeHwnd() != NULL && m_bHelpVisible)
    {
        CRect rcHelp = GetHelpRect();
        InvalidateRect(rcHelp, FALSE);
    }
}

void CXTPPropertyGrid::OnSortChanged()
{
    if (m_bToolBarVisible && m_wndToolbar.GetSafeHwnd() != NULL)
    {
        int nSort = GetGridView().GetSortMode();
        m_wndToolbar.SendMessage(TB_SETSTATE, XTP_IDC_SORT_CATEGORIZED,
                                 MAKELONG(TBSTATE_ENABLED | (nSort == 0 ? TBSTATE_CHECKED : 0), 0));
        m_wndToolbar.SendMessage(TB_SETSTATE, XTP_IDC_SORT_ALPHABETIC,
                                 MAKELONG(TBSTATE_ENABLED | (nSort == 1 ? TBSTATE_CHECKED : 0), 0));
    }
    OnSelectionChanged(NULL);
    SendNotifyMessage(XTP_PGN_SORTORDER_CHANGED, (LPARAM)GetDlgCtrlID());
}

//////////////////////////////////////////////////////////////////////////
// Keyboard navigation

CWnd* CXTPPropertyGrid::GetNextTabWindow(BOOL bForward)
{
    CWnd* pParent = GetParent();
    if (pParent == NULL)
        return NULL;
    if ((pParent->GetStyle() & WS_CHILD) && (pParent->GetExStyle() & WS_EX_CONTROLPARENT) &&
        pParent->GetParent() != NULL)
        pParent = pParent->GetParent();
    HWND hWnd = ::GetNextDlgTabItem(pParent->GetSafeHwnd(), m_hWnd, !bForward);
    if (hWnd == NULL || hWnd == m_hWnd || ::IsChild(m_hWnd, hWnd))
        return NULL;
    return CWnd::FromHandle(hWnd);
}

void CXTPPropertyGrid::OnNavigate(int nCurrentPos, BOOL bForward, CXTPPropertyGridItem* pItem)
{
    CXTPPropertyGridView& wndView = GetGridView();
    if (pItem == NULL)
        pItem = wndView.GetSelectedItem();

    int nPos = nCurrentPos;
    // The walk visits each position at most a few times; a bound keeps a
    // grid where nothing takes the focus from circling.
    for (int nStep = 0; nStep < 32; nStep++)
    {
        nPos += bForward ? 1 : -1;
        if (nPos < xtpGridNavigatePrevControl || nPos > xtpGridNavigateNextControl || nPos == nCurrentPos)
            return;

        switch (nPos)
        {
        case xtpGridNavigatePrevControl:
        {
            CWnd* pWnd = GetNextTabWindow(FALSE);
            if (pWnd != NULL)
            {
                pWnd->SetFocus();
                return;
            }
            nPos = xtpGridNavigateNextControl;  // the next step backward is the verbs
            break;
        }

        case xtpGridNavigateBeforeRows:
            if (m_bTabItems && wndView.GetCount() > 0)
            {
                if (bForward)
                {
                    wndView.SetCurSel(0);
                    wndView.OnSelectionChanged();
                    wndView.SetFocus();
                    return;
                }
                int nSel = wndView.GetCurSel();
                if (nSel == 0)
                    break;
                int nRow = nSel == LB_ERR ? 0 : nSel - 1;
                wndView.SetCurSel(nRow);
                wndView.OnSelectionChanged();
                wndView.SetFocus();
                pItem = wndView.GetItem(nRow);
                nPos = xtpGridNavigateNextRow;  // the next step backward is the buttons
            }
            break;

        case xtpGridNavigateView:
            wndView.SetFocusedButton(NULL);
            wndView.SetFocus();
            return;

        case xtpGridNavigateEdit:
            if (pItem != NULL && (pItem->GetFlags() & xtpPropertyGridItemEdit))
            {
                pItem->OnSelect();
                pItem->SetFocusToInplaceControl();
                return;
            }
            break;

        case xtpGridNavigateButtons:
            if (pItem != NULL && pItem->IsInplaceButtonVisible())
            {
                CXTPPropertyGridInplaceButtons* pButtons = pItem->GetInplaceButtons();
                CXTPPropertyGridInplaceButton* pFocused = wndView.GetFocusedButton();
                int nIndex = (pFocused != NULL && pFocused->GetItem() == pItem) ? pFocused->GetIndex() : -1;
                if (nIndex == -1)
                {
                    wndView.SetFocusedButton(pButtons->GetAt(bForward ? 0 : pButtons->GetCount() - 1));
                    return;
                }
                nIndex += bForward ? 1 : -1;
                if (nIndex >= 0 && nIndex < pButtons->GetCount())
                {
                    wndView.SetFocusedButton(pButtons->GetAt(nIndex));
                    return;
                }
                wndView.ForgetButton(pFocused);
            }
            break;

        case xtpGridNavigateNextRow:
            if (m_bTabItems && wndView.GetCount() > 0)
            {
                if (bForward)
                {
                    int nSel = wndView.GetCurSel();
                    int nNext = nSel == LB_ERR ? 0 : nSel + 1;
                    if (nNext < wndView.GetCount())
                    {
                        wndView.SetCurSel(nNext);
                        wndView.OnSelectionChanged();
                        wndView.SetFocus();
                        return;
                    }
                }
                else
                {
                    int nLast = wndView.GetCount() - 1;
                    wndView.SetCurSel(nLast);
                    wndView.OnSelectionChanged();
                    wndView.SetFocus();
                    pItem = wndView.GetItem(nLast);
                }
            }
            break;

        case xtpGridNavigateVerbs:
            if (!m_pVerbs->IsEmpty())
            {
                m_nFocusedVerb = bForward ? 0 : m_pVerbs->GetCount() - 1;
                m_bInternalFocus = TRUE;
                SetFocus();
                m_bInternalFocus = FALSE;
                Invalidate(FALSE);
                return;
            }
            break;

        case xtpGridNavigateNextControl:
        {
            CWnd* pWnd = GetNextTabWindow(TRUE);
            if (pWnd != NULL)
            {
                pWnd->SetFocus();
                return;
            }
            nPos = xtpGridNavigatePrevControl;  // the next step forward is before the rows
            break;
        }
        }
    }
}
