// The property grid's view (an owner-drawn list box of the shown items) and
// its tooltip for truncated captions and values.
#include "XTPPropertyGrid.h"
#include "XTPDrawHelpers.h"
#include "XTPResourceManager.h"
#include "XTPImageManager.h"
#include "XTPSystemHelpers.h"

#include <algorithm>

namespace
{
// Keeps the tooltip check from running inside itself.
BOOL s_bToolTipCheck = FALSE;

const char kToolTipClass[] = "XTPPropertyGridToolTip";
} // namespace

//////////////////////////////////////////////////////////////////////////
// CXTPPropertyGridToolTip

CXTPPropertyGridToolTip::CXTPPropertyGridToolTip()
    : m_pGrid(NULL)
{
}

BEGIN_MESSAGE_MAP(CXTPPropertyGridToolTip, CWnd)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_NCHITTEST()
    ON_WM_TIMER()
END_MESSAGE_MAP()

void CXTPPropertyGridToolTip::Create(CXTPPropertyGridView* pParentWnd)
{
    m_pGrid = pParentWnd;
    CXTPDrawHelpers::RegisterWndClass(NULL, kToolTipClass, 0);
    if (!CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kToolTipClass, "", WS_POPUP, CRect(0, 0, 0, 0), pParentWnd, 0))
    {
        TRACE("property grid: the tooltip window could not be created\n");
        return;
    }
    // The tip lies over the row it names: a click on it is a click on the
    // row, and a click anywhere outside open menus closes them.
    CXTPDrawHelpers::MakeClickThrough(m_hWnd);
}

void CXTPPropertyGridToolTip::Activate(BOOL bActive, CXTPPropertyGridItem* /*pItem*/, BOOL /*bValuePart*/)
{
    if (GetSafeHwnd() == NULL)
        return;
    if (bActive)
        SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    else
        ShowWindow(SW_HIDE);
}

BOOL CXTPPropertyGridToolTip::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CXTPPropertyGridToolTip::OnPaint()
{
    CPaintDC dc(this);
    CXTPClientRect rc(this);
    COLORREF clrBack = GetXTPSysColor(COLOR_INFOBK);
    COLORREF clrText = GetXTPSysColor(COLOR_INFOTEXT);
    dc.FillSolidRect(rc, clrBack);
    dc.Draw3dRect(rc, clrText, clrText);

    CString strText;
    GetWindowText(strText);
    CXTPFontDC font(&dc, m_fnt.GetSafeHandle() != NULL ? &m_fnt : NULL, clrText);
    dc.SetBkMode(TRANSPARENT);
    CRect rcText = rc;
    rcText.left += 4;
    dc.DrawText(strText, rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

LRESULT CXTPPropertyGridToolTip::OnNcHitTest(CPoint)
{
    // Clicks fall through to the row under the tip.
    return HTTRANSPARENT;
}

void CXTPPropertyGridToolTip::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kCheckTimer)
    {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    // Another program came in front, or the pointer left without the view
    // hearing of it (it went straight to another window): the tip goes.
    if (!IsWindowVisible() || m_pGrid == NULL || !m_pGrid->IsToolTipWanted())
    {
        KillTimer(kCheckTimer);
        if (m_pGrid != NULL)
        {
            m_pGrid->m_strTipText.Empty();
            m_pGrid->HideToolTip();
        }
    }
}

//////////////////////////////////////////////////////////////////////////
// CXTPPropertyGridView

CXTPPropertyGridView::CXTPPropertyGridView()
    : m_pGrid(NULL), m_bTracking(FALSE), m_dDivider(0.5), m_bVariableSplitterPos(TRUE), m_properetySort(0),
      m_pSelected(NULL), m_nLockUpdate(0), m_nItemHeight(0), m_bDividerMovable(TRUE), m_pFocusedButton(NULL),
      m_pHotButton(NULL), m_nPaintCount(-1), m_szPaintBuffer(0, 0), m_hOldPaintBitmap(NULL)
{
    EnableAutomation();
    m_hCursor = XTPResourceManager()->LoadCursor(XTP_IDC_HSPLITBAR);
    m_pCategories = new CXTPPropertyGridItems();
    m_rcToolTip.SetRectEmpty();
}

CXTPPropertyGridView::~CXTPPropertyGridView()
{
    if (GetSafeHwnd() != NULL)
        DestroyWindow();
    // No refill while the content goes.
    m_nLockUpdate++;
    m_pCategories->Clear();
    m_pCategories->InternalRelease();
    m_pCategories = NULL;
    if (m_wndTip.GetSafeHwnd() != NULL)
        m_wndTip.DestroyWindow();
}

BEGIN_MESSAGE_MAP(CXTPPropertyGridView, CListBox)
    ON_WM_PAINT()
    ON_WM_NCPAINT()
    ON_WM_NCCALCSIZE()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSEWHEEL()
    ON_WM_VSCROLL()
    ON_WM_SETCURSOR()
    ON_WM_SIZE()
    ON_WM_KEYDOWN()
    ON_WM_SYSKEYDOWN()
    ON_WM_KEYUP()
    ON_WM_SYSKEYUP()
    ON_WM_CHAR()
    ON_WM_GETDLGCODE()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_CAPTURECHANGED()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
    ON_CONTROL_REFLECT_EX(LBN_SELCHANGE, OnSelectionChangedReflect)
END_MESSAGE_MAP()

BOOL CXTPPropertyGridView::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CListBox::Create(dwStyle, rect, pParentWnd, nID);
}

CXTPPropertyGridPaintManager* CXTPPropertyGridView::GetPaintManager() const
{
    return m_pGrid != NULL ? m_pGrid->GetPaintManager() : NULL;
}

CXTPImageManager* CXTPPropertyGridView::GetImageManager() const
{
    if (m_pGrid != NULL && m_pGrid->GetImageManager() != NULL)
        return m_pGrid->GetImageManager();
    return XTPImageManager();
}

LRESULT CXTPPropertyGridView::SendNotifyMessage(WPARAM wParam, LPARAM lParam)
{
    return m_pGrid != NULL ? m_pGrid->SendNotifyMessage(wParam, lParam) : 0;
}

//////////////////////////////////////////////////////////////////////////
// Categories and rows

CXTPPropertyGridItem* CXTPPropertyGridView::InsertCategory(int nIndex, LPCTSTR lpszCaption,
                                                           CXTPPropertyGridItem* pCategory)
{
    if (nIndex < 0 || nIndex > m_pCategories->GetCount())
        nIndex = m_pCategories->GetCount();
    if (pCategory == NULL)
        pCategory = new CXTPPropertyGridItem(lpszCaption);

    SetSortMode(xtpGridSortCategorized, FALSE, TRUE);
    pCategory->SetCategoryOf(this);
    m_pCategories->InsertAt(nIndex, pCategory);

    if (GetSafeHwnd() != NULL)
    {
        int nRow = GetCount();
        for (int i = nIndex + 1; i < m_pCategories->GetCount(); i++)
        {
            CXTPPropertyGridItem* pNext = m_pCategories->GetAt(i);
            if (pNext->IsVisible())
            {
                nRow = pNext->GetIndex();
                break;
            }
        }
        InsertItem(pCategory, nRow);
        RefreshIndexes();
    }
    return pCategory;
}

CXTPPropertyGridItem* CXTPPropertyGridView::AddCategory(LPCTSTR lpszCaption, CXTPPropertyGridItem* pCategory)
{
    return InsertCategory(m_pCategories->GetCount(), lpszCaption, pCategory);
}

int CXTPPropertyGridView::InsertItem(CXTPPropertyGridItem* pItem, int nIndex)
{
    if (IsLocked() || GetSafeHwnd() == NULL || pItem == NULL)
        return 0;
    if (pItem->IsHidden())
        return 0;

    pItem->UpdateFromBoundValue();
    int nRow = (int)SendMessage(LB_INSERTSTRING, (WPARAM)nIndex, (LPARAM)pItem);
    if (nRow < 0)
    {
        TRACE("property grid: a row could not be inserted\n");
        return 0;
    }
    if (GetStyle() & LBS_OWNERDRAWVARIABLE)
    {
        MEASUREITEMSTRUCT mis;
        mis.CtlType = ODT_LISTBOX;
        mis.CtlID = 0;
        mis.itemID = (UINT)nRow;
        mis.itemWidth = 0;
        mis.itemHeight = (UINT)m_nItemHeight;
        mis.itemData = (ULONG_PTR)pItem;
        MeasureItem(&mis);
        SetItemHeight(nRow, mis.itemHeight);
    }
    pItem->SetShownInList(TRUE);
    pItem->m_nIndex = nRow;

    int nCount = 1;
    if (pItem->IsExpanded())
    {
        CXTPPropertyGridItems* pChilds = pItem->GetChilds();
        for (int i = 0; i < pChilds->GetCount(); i++)
            nCount += InsertItem(pChilds->GetAt(i), nRow + nCount);
    }
    return nCount;
}

void CXTPPropertyGridView::RemoveChildren(CXTPPropertyGridItem* pItem)
{
    if (GetSafeHwnd() == NULL || pItem == NULL)
        return;
    int nRow = pItem->GetIndex() + 1;
    while (nRow < GetCount())
    {
        CXTPPropertyGridItem* pChild = GetItem(nRow);
        if (pChild == NULL || !pChild->HasParent(pItem))
            break;
        pChild->SetShownInList(FALSE);
        DeleteString((UINT)nRow);
    }
    RefreshIndexes();
}

void CXTPPropertyGridView::RefreshIndexes()
{
    if (GetSafeHwnd() == NULL)
        return;
    int nCount = GetCount();
    for (int i = 0; i < nCount; i++)
    {
        CXTPPropertyGridItem* pItem = GetItem(i);
        if (pItem != NULL && pItem->m_nIndex != i)
        {
            pItem->m_nIndex = i;
            pItem->OnIndexChanged();
        }
    }
}

CXTPPropertyGridItem* CXTPPropertyGridView::GetItem(int nIndex) const
{
    // While the rows are drawn the count is known (each asking is a message).
    if (GetSafeHwnd() == NULL || nIndex < 0 || nIndex >= (m_nPaintCount >= 0 ? m_nPaintCount : GetCount()))
        return NULL;
    DWORD_PTR dwData = GetItemData(nIndex);
    if (dwData == (DWORD_PTR)LB_ERR)
        return NULL;
    return (CXTPPropertyGridItem*)dwData;
}

CXTPPropertyGridItem* CXTPPropertyGridView::GetSelectedItem()
{
    if (GetSafeHwnd() == NULL)
        return NULL;
    return GetItem(GetCurSel());
}

CXTPPropertyGridItem* CXTPPropertyGridView::ItemFromPoint(CPoint point) const
{
    if (GetSafeHwnd() == NULL)
        return NULL;
    BOOL bOutside = FALSE;
    int nRow = (int)CListBox::ItemFromPoint(point, bOutside);
    if (nRow < 0 || nRow >= GetCount())
        return NULL;
    CRect rcRow;
    if (GetItemRect(nRow, &rcRow) == LB_ERR || point.y < rcRow.top || point.y >= rcRow.bottom)
        return NULL;
    return GetItem(nRow);
}

void CXTPPropertyGridView::ToggleExpandState(int nIndex)
{
    CXTPPropertyGridItem* pItem = GetItem(nIndex);
    if (pItem == NULL)
        return;
    if (pItem->IsExpanded())
        pItem->Collapse();
    else
        pItem->Expand();
}

void CXTPPropertyGridView::SetFocusedButton(CXTPPropertyGridInplaceButton* pButton)
{
    if (pButton != NULL && GetSafeHwnd() != NULL)
        SetFocus();
    m_pFocusedButton = pButton;
    if (GetSafeHwnd() != NULL)
        Invalidate(FALSE);
}

//////////////////////////////////////////////////////////////////////////
// Divider

int CXTPPropertyGridView::GetDividerPos() const
{
    if (!m_bVariableSplitterPos)
        return (int)(m_dDivider + 0.5);
    CXTPClientRect rc(this);
    return (int)(m_dDivider * rc.Width() + 0.5);
}

void CXTPPropertyGridView::SetDividerPos(int nDivider)
{
    CXTPClientRect rc(this);
    int nWidth = rc.Width();
    if (m_bVariableSplitterPos)
    {
        double dDivider = nWidth != 0 ? (double)nDivider / nWidth : 0.5;
        if (dDivider < 0.1)
            dDivider = 0.1;
        if (dDivider > 0.85)
            dDivider = 0.85;
        m_dDivider = dDivider;
    }
    else
    {
        if (nDivider < 1)
            nDivider = 1;
        if (nWidth != 0 && nDivider > nWidth)
            nDivider = nWidth;
        m_dDivider = nDivider;
    }
}

BOOL CXTPPropertyGridView::IsDividerZone(CPoint point) const
{
    if (GetCount() == 0 || !m_bDividerMovable)
        return FALSE;
    int nDivider = GetDividerPos();
    return point.x > nDivider - 4 && point.x <= nDivider + 2;
}

//////////////////////////////////////////////////////////////////////////
// Sort modes, refresh, selection

void CXTPPropertyGridView::SetSortMode(int nSort, BOOL bKeepTop, BOOL bRedraw)
{
    if (m_nLockUpdate > 0)
    {
        m_properetySort = nSort;
        return;
    }
    if (nSort == m_properetySort && !bKeepTop)
        return;
    if (GetSafeHwnd() == NULL)
        return;

    if (bRedraw)
        SetRedraw(FALSE);

    CXTPPropertyGridItem* pTop = bKeepTop ? GetItem(GetTopIndex()) : NULL;
    CXTPPropertyGridItem* pSelected = GetSelectedItem();
    if (pTop != NULL)
        pTop->InternalAddRef();
    if (pSelected != NULL)
        pSelected->InternalAddRef();

    Refresh();

    if (nSort == xtpGridSortCategorized)
    {
        for (int i = 0; i < m_pCategories->GetCount(); i++)
            InsertItem(m_pCategories->GetAt(i), GetCount());
    }
    else if (nSort == xtpGridSortAlphabetical || nSort == xtpGridSortNoSort)
    {
        CXTPPropertyGridItems items;
        for (int i = 0; i < m_pCategories->GetCount(); i++)
        {
            CXTPPropertyGridItem* pCategory = m_pCategories->GetAt(i);
            if (!pCategory->IsHidden())
                items.AddTail(pCategory->GetChilds());
        }
        if (nSort == xtpGridSortAlphabetical)
            items.Sort();
        for (int i = 0; i < items.GetCount(); i++)
            InsertItem(items.GetAt(i), GetCount());
        items.RemoveAllPointers();
    }

    RefreshIndexes();
    if (pTop != NULL)
    {
        if (pTop->IsVisible() && pTop->GetGridView() == this)
            SetTopIndex(pTop->GetIndex());
        pTop->InternalRelease();
    }
    if (pSelected != NULL)
    {
        if (pSelected->IsVisible() && pSelected->GetGridView() == this)
            pSelected->Select();
        else
            OnSelectionChanged();
        pSelected->InternalRelease();
    }
    else
        OnSelectionChanged();

    if (bRedraw)
    {
        SetRedraw(TRUE);
        Invalidate(FALSE);
    }

    if (nSort != m_properetySort)
    {
        m_properetySort = nSort;
        if (m_pGrid != NULL)
            m_pGrid->OnSortChanged();
    }
}

void CXTPPropertyGridView::Refresh()
{
    CXTPPropertyGridItem* pSelected = m_pSelected;
    m_pSelected = NULL;
    if (pSelected != NULL)
    {
        pSelected->InternalAddRef();
        pSelected->OnDeselect();
        pSelected->InternalRelease();
    }
    if (m_pGrid != NULL && m_pGrid->GetSafeHwnd() != NULL)
        m_pGrid->OnSelectionChanged(NULL);

    if (GetSafeHwnd() == NULL)
        return;
    int nCount = GetCount();
    for (int i = 0; i < nCount; i++)
    {
        CXTPPropertyGridItem* pItem = GetItem(i);
        if (pItem != NULL)
            pItem->SetShownInList(FALSE);
    }
    ResetContent();

    CXTPPropertyGridPaintManager* pPaintManager = GetPaintManager();
    CFont* pFont = pPaintManager != NULL ? pPaintManager->GetNormalFont() : NULL;
    if (pFont != NULL && pFont->GetSafeHandle() != NULL)
        SetFont(pFont, FALSE);
    CClientDC dc(this);
    CXTPFontDC fontDC(&dc, pFont != NULL && pFont->GetSafeHandle() != NULL ? pFont : NULL);
    m_nItemHeight = dc.GetTextExtent(" ", 1).cy + 4;
    SetItemHeight(0, (UINT)m_nItemHeight);
}

void CXTPPropertyGridView::EndUpdate()
{
    RefreshIndexes();
    SetSortMode(m_properetySort, TRUE, TRUE);
    if (m_pGrid != NULL && m_pGrid->GetSafeHwnd() != NULL)
        m_pGrid->Invalidate(FALSE);
}

void CXTPPropertyGridView::OnSelectionChanged()
{
    CXTPPropertyGridItem* pOld = m_pSelected;
    m_pSelected = NULL;
    if (pOld != NULL)
    {
        pOld->InternalAddRef();
        pOld->OnDeselect();
        pOld->InternalRelease();
    }

    CXTPPropertyGridItem* pItem = GetSelectedItem();
    if (pItem != NULL)
        pItem->OnSelect();
    m_pSelected = pItem;
    if (pItem != NULL && m_pGrid != NULL)
        m_pGrid->OnSelectionChanged(pItem);
}

BOOL CXTPPropertyGridView::OnSelectionChangedReflect()
{
    OnSelectionChanged();
    return TRUE;
}

BOOL CXTPPropertyGridView::PressSelectedComboButton()
{
    CXTPPropertyGridItem* pItem = GetSelectedItem();
    if (pItem == NULL)
        return FALSE;
    CXTPPropertyGridInplaceButton* pButton = pItem->GetInplaceButtons()->Find(XTP_ID_PROPERTYGRID_COMBOBUTTON);
    if (pButton == NULL)
        return FALSE;
    pItem->OnInplaceButtonDown(pButton);
    return TRUE;
}

//////////////////////////////////////////////////////////////////////////
// Drawing

void CXTPPropertyGridView::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CXTPPropertyGridItem* pItem = (CXTPPropertyGridItem*)lpDrawItemStruct->itemData;
    CXTPPropertyGridPaintManager* pPaintManager = GetPaintManager();
    if (lpDrawItemStruct->itemID == (UINT)-1 || pItem == NULL || pPaintManager == NULL)
        return;

    if ((int)lpDrawItemStruct->itemID == (m_nPaintCount >= 0 ? m_nPaintCount : GetCount()) - 1)
    {
        // The client area below the last row takes the view's background.
        CXTPClientRect rcClient(this);
        rcClient.top = lpDrawItemStruct->rcItem.bottom;
        if (!rcClient.IsRectEmpty())
        {
            CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
            pDC->FillSolidRect(rcClient, pPaintManager->GetItemMetrics()->m_clrBack);
        }
    }

    if (m_pGrid != NULL && (m_pGrid->GetStyle() & XTP_PGS_OWNERDRAW) &&
        SendNotifyMessage(XTP_PGN_DRAWITEM, (LPARAM)lpDrawItemStruct) == TRUE)
        return;

    pPaintManager->DrawItem(lpDrawItemStruct);
}

void CXTPPropertyGridView::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (m_nItemHeight > 0)
        lpMeasureItemStruct->itemHeight = (UINT)m_nItemHeight;
    CXTPPropertyGridPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager != NULL && GetSafeHwnd() != NULL && (GetStyle() & LBS_OWNERDRAWVARIABLE))
        pPaintManager->MeasureItem(lpMeasureItemStruct);
}

CDC* CXTPPropertyGridView::GetPaintBuffer(CDC& dcPaint, CSize szClient)
{
    if (m_dcPaintBuffer.GetSafeHdc() == NULL && !m_dcPaintBuffer.CreateCompatibleDC(&dcPaint))
        return NULL;
    if (m_bmpPaintBuffer.GetSafeHandle() == NULL || m_szPaintBuffer != szClient)
    {
        if (m_hOldPaintBitmap != NULL)
            ::SelectObject(m_dcPaintBuffer.GetSafeHdc(), m_hOldPaintBitmap);
        m_hOldPaintBitmap = NULL;
        m_bmpPaintBuffer.DeleteObject();
        m_szPaintBuffer = CSize(0, 0);
        if (!m_bmpPaintBuffer.CreateCompatibleBitmap(&dcPaint, std::max(1, (int)szClient.cx),
                                                     std::max(1, (int)szClient.cy)))
            return NULL;
        m_hOldPaintBitmap = ::SelectObject(m_dcPaintBuffer.GetSafeHdc(), m_bmpPaintBuffer.GetSafeHandle());
        m_szPaintBuffer = szClient;
    }
    return &m_dcPaintBuffer;
}

void CXTPPropertyGridView::OnPaint()
{
    CPaintDC dc(this);
    CXTPClientRect rc(this);
    // The whole view is drawn into the kept buffer, and only the part to
    // paint is copied out (straight onto the screen when no buffer can be
    // made).
    CDC* pBuffer = GetPaintBuffer(dc, rc.Size());
    CDC& memDC = pBuffer != NULL ? *pBuffer : dc;
    CXTPPropertyGridPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager != NULL)
        pPaintManager->FillView(&memDC);

    // The rows in view, each through DrawItem, into the same buffer (as the
    // list box would draw them, without a message to the grid for each).
    int nCount = GetCount();
    int nSelected = GetCurSel();
    int nCaret = GetCaretIndex();
    HWND hWndFocus = ::GetFocus();
    BOOL bFocused = hWndFocus == m_hWnd;
    if (pPaintManager != NULL)
        pPaintManager->BeginViewPaint(hWndFocus);
    m_nPaintCount = nCount;
    for (int nRow = GetTopIndex(); nRow >= 0 && nRow < nCount; nRow++)
    {
        DRAWITEMSTRUCT dis;
        ZeroMemory(&dis, sizeof(dis));
        if (GetItemRect(nRow, &dis.rcItem) == LB_ERR || dis.rcItem.top >= rc.bottom)
            break;
        dis.CtlType = ODT_LISTBOX;
        dis.CtlID = (UINT)GetDlgCtrlID();
        dis.itemID = (UINT)nRow;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = (nRow == nSelected ? ODS_SELECTED : 0) | (bFocused && nRow == nCaret ? ODS_FOCUS : 0);
        dis.hwndItem = m_hWnd;
        dis.hDC = memDC.GetSafeHdc();
        dis.itemData = (ULONG_PTR)GetItemData(nRow);
        DrawItem(&dis);
    }
    m_nPaintCount = -1;
    if (pPaintManager != NULL)
        pPaintManager->EndViewPaint();

    if (pBuffer == NULL)
        return;
    CRect rcPaint(dc.m_ps.rcPaint);
    rcPaint.IntersectRect(rcPaint, rc);
    dc.BitBlt(rcPaint.left, rcPaint.top, rcPaint.Width(), rcPaint.Height(), &memDC, rcPaint.left, rcPaint.top,
              SRCCOPY);
}

void CXTPPropertyGridView::OnNcPaint()
{
    // The default painting draws only scroll bars and system frames; a view
    // without either has nothing for it (and it costs a window DC).
    const DWORD dwFrames = WS_VSCROLL | WS_HSCROLL | WS_BORDER | WS_DLGFRAME | WS_THICKFRAME;
    const DWORD dwExFrames = WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME;
    if ((GetStyle() & dwFrames) != 0 || (GetExStyle() & dwExFrames) != 0)
        Default();
    CXTPPropertyGridPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager == NULL)
        return;
    CWindowDC dc(this);
    CXTPWindowRect rc(this);
    rc.OffsetRect(-rc.left, -rc.top);
    pPaintManager->DrawBorder(&dc, rc, FALSE);
}

void CXTPPropertyGridView::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    CXTPPropertyGridPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager != NULL && lpncsp != NULL)
        pPaintManager->DrawBorder(NULL, lpncsp->rgrc[0], TRUE);
    CListBox::OnNcCalcSize(bCalcValidRects, lpncsp);
}

BOOL CXTPPropertyGridView::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

//////////////////////////////////////////////////////////////////////////
// Mouse

void CXTPPropertyGridView::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (IsDividerZone(point))
    {
        SetFocus();
        SetCapture();
        if (m_pSelected != NULL)
            m_pSelected->OnValidateEdit();
        m_bTracking = TRUE;
        return;
    }

    CXTPPropertyGridItem* pItem = ItemFromPoint(point);
    if (pItem != NULL)
    {
        SetFocus();
        if (::GetFocus() != m_hWnd)
            return;
        if (ItemFromPoint(point) == pItem)
        {
            pItem->InternalAddRef();
            pItem->OnLButtonDown(nFlags, point);
            pItem->InternalRelease();
            return;
        }
    }
    CListBox::OnLButtonDown(nFlags, point);
}

void CXTPPropertyGridView::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bTracking)
    {
        m_bTracking = FALSE;
        ReleaseCapture();
    }
    CXTPPropertyGridItem* pItem = ItemFromPoint(point);
    if (pItem != NULL)
        pItem->OnLButtonUp(nFlags, point);
    CListBox::OnLButtonUp(nFlags, point);
}

void CXTPPropertyGridView::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    // A second quick click on a shown in-place button (the drop-down or
    // "..." button) presses it again, as a first click would: it is not a
    // double click on the row, which would step the row's value.
    CXTPPropertyGridItem* pItem = ItemFromPoint(point);
    if (pItem != NULL && pItem->IsSelected() && pItem->IsInplaceButtonVisible() &&
        pItem->GetInplaceButtons()->HitTest(point) != NULL)
    {
        OnLButtonDown(nFlags, point);
        return;
    }
    CListBox::OnLButtonDblClk(nFlags, point);
    pItem = ItemFromPoint(point);
    if (pItem == NULL)
        return;
    pItem->InternalAddRef();
    pItem->OnLButtonDblClk(nFlags, point);
    if (ItemFromPoint(point) == pItem)
        SendNotifyMessage(XTP_PGN_DBLCLICK, (LPARAM)pItem);
    pItem->InternalRelease();
}

void CXTPPropertyGridView::OnRButtonDown(UINT nFlags, CPoint point)
{
    CListBox::OnRButtonDown(nFlags, point);
    CXTPPropertyGridItem* pItem = ItemFromPoint(point);
    if (pItem == NULL)
        return;
    pItem->InternalAddRef();
    pItem->OnRButtonDown(nFlags, point);
    if (ItemFromPoint(point) == pItem)
        SendNotifyMessage(XTP_PGN_RCLICK, (LPARAM)pItem);
    pItem->InternalRelease();
}

void CXTPPropertyGridView::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bTracking)
    {
        SetDividerPos(point.x);
        if (m_pSelected != NULL)
            m_pSelected->OnSelect();
        Invalidate(FALSE);
        return;
    }

    CXTPPropertyGridItem* pItem = ItemFromPoint(point);
    CXTPPropertyGridInplaceButton* pHot = pItem != NULL ? pItem->GetInplaceButtons()->HitTest(point) : NULL;
    if (pHot != m_pHotButton)
    {
        m_pHotButton = pHot;
        Invalidate(FALSE);
        TRACKMOUSEEVENT tme = { sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_hWnd, 0 };
        ::_TrackMouseEvent(&tme);
    }
    if ((nFlags & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0)
        ShowToolTip(point);
    CListBox::OnMouseMove(nFlags, point);
}

LRESULT CXTPPropertyGridView::OnMouseLeave(WPARAM, LPARAM)
{
    m_pHotButton = NULL;
    Invalidate(FALSE);
    HideToolTip();
    return 0;
}

void CXTPPropertyGridView::ScrollWithChildren(UINT message, WPARAM wParam, LPARAM lParam)
{
    SetRedraw(FALSE);

    // The floating children (in-place edit, buttons) are moved along with the rows.
    CArray<HWND, HWND> arrChildren;
    CArray<CRect, const CRect&> arrRects;
    for (HWND hWndChild = ::GetWindow(m_hWnd, GW_CHILD); hWndChild != NULL;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
    {
        if (!::IsWindowVisible(hWndChild))
            continue;
        CRect rc;
        ::GetWindowRect(hWndChild, &rc);
        ScreenToClient(&rc);
        arrChildren.Add(hWndChild);
        arrRects.Add(rc);
    }

    CRect rcBefore(0, 0, 0, 0), rcAfter(0, 0, 0, 0);
    if (GetCount() > 0)
        GetItemRect(0, &rcBefore);
    CListBox::DefWindowProc(message, wParam, lParam);
    if (GetCount() > 0)
        GetItemRect(0, &rcAfter);
    int dy = rcAfter.top - rcBefore.top;

    SetRedraw(TRUE);
    for (INT_PTR i = 0; i < arrChildren.GetSize(); i++)
    {
        ::SetWindowPos(arrChildren[i], NULL, arrRects[i].left, arrRects[i].top + dy, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_FRAME | RDW_UPDATENOW);
}

BOOL CXTPPropertyGridView::OnMouseWheel(UINT /*nFlags*/, short /*zDelta*/, CPoint /*pt*/)
{
    const MSG* pMsg = GetCurrentMessage();
    ScrollWithChildren(WM_MOUSEWHEEL, pMsg->wParam, pMsg->lParam);
    return TRUE;
}

void CXTPPropertyGridView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (pScrollBar != NULL)
    {
        CListBox::OnVScroll(nSBCode, nPos, pScrollBar);
        return;
    }
    const MSG* pMsg = GetCurrentMessage();
    ScrollWithChildren(WM_VSCROLL, pMsg->wParam, pMsg->lParam);
}

BOOL CXTPPropertyGridView::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT && m_hCursor != NULL)
    {
        CXTPClientCursorPos pt(this);
        if (IsDividerZone(pt))
        {
            ::SetCursor(m_hCursor);
            return TRUE;
        }
    }
    return CListBox::OnSetCursor(pWnd, nHitTest, message);
}

void CXTPPropertyGridView::OnSize(UINT nType, int cx, int cy)
{
    CListBox::OnSize(nType, cx, cy);
    OnSelectionChanged();
    Invalidate(FALSE);
}

void CXTPPropertyGridView::OnCaptureChanged(CWnd* pWnd)
{
    m_bTracking = FALSE;
    CListBox::OnCaptureChanged(pWnd);
}

//////////////////////////////////////////////////////////////////////////
// Keyboard

void CXTPPropertyGridView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    CXTPPropertyGridItem* pItem = GetSelectedItem();
    if (m_pFocusedButton != NULL && pItem != NULL && m_pFocusedButton->GetItem() == pItem)
    {
        m_pFocusedButton->OnKeyDown(nChar);
        return;
    }

    if ((nChar == VK_RIGHT || nChar == VK_LEFT) && ::GetKeyState(VK_CONTROL) < 0)
    {
        SetDividerPos(GetDividerPos() + (nChar == VK_RIGHT ? 3 : -3));
        if (m_pSelected != NULL)
            m_pSelected->OnSelect();
        Invalidate(FALSE);
        return;
    }

    if (pItem != NULL && (nChar == VK_RIGHT || nChar == VK_LEFT) && pItem->HasChilds())
    {
        if (nChar == VK_RIGHT && !pItem->IsExpanded())
        {
            pItem->Expand();
            return;
        }
        if (nChar == VK_LEFT && pItem->IsExpanded())
        {
            pItem->Collapse();
            return;
        }
    }

    if (nChar == VK_RETURN)
    {
        ToggleExpandState(GetCurSel());
        return;
    }

    if (nChar == VK_F4)
        PressSelectedComboButton();

    pItem = GetSelectedItem();
    if (pItem != NULL && pItem->OnKeyDown(nChar))
        return;
    CListBox::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CXTPPropertyGridView::OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_DOWN || nChar == VK_UP)
        PressSelectedComboButton();
    CListBox::OnSysKeyDown(nChar, nRepCnt, nFlags);
}

void CXTPPropertyGridView::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    CListBox::OnKeyUp(nChar, nRepCnt, nFlags);
}

void CXTPPropertyGridView::OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    CListBox::OnSysKeyUp(nChar, nRepCnt, nFlags);
}

void CXTPPropertyGridView::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (::GetFocus() != m_hWnd || m_bTracking)
        return;

    BOOL bForward = ::GetKeyState(VK_SHIFT) >= 0;
    if (m_pFocusedButton != NULL)
    {
        if (nChar == VK_TAB && m_pGrid != NULL)
            m_pGrid->OnNavigate(bForward ? xtpGridNavigateEdit : xtpGridNavigateNextRow, bForward, NULL);
        return;
    }

    CXTPPropertyGridItem* pItem = GetSelectedItem();
    if (nChar == '+' || nChar == '-')
    {
        if (pItem == NULL)
        {
            CListBox::OnChar(nChar, nRepCnt, nFlags);
            return;
        }
        if (nChar == '+' && pItem->HasChilds() && !pItem->IsExpanded())
        {
            pItem->Expand();
            return;
        }
        if (nChar == '-' && pItem->HasChilds() && pItem->IsExpanded())
        {
            pItem->Collapse();
            return;
        }
    }

    if (nChar == VK_TAB)
    {
        if (m_pGrid != NULL)
            m_pGrid->OnNavigate(xtpGridNavigateView, bForward, NULL);
        return;
    }

    if (pItem == NULL || (nChar == VK_RETURN && pItem->HasChilds()))
    {
        CListBox::OnChar(nChar, nRepCnt, nFlags);
        return;
    }
    pItem->InternalAddRef();
    BOOL bHandled = pItem->OnChar(nChar);
    pItem->InternalRelease();
    if (!bHandled)
        CListBox::OnChar(nChar, nRepCnt, nFlags);
}

UINT CXTPPropertyGridView::OnGetDlgCode()
{
    return DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
}

void CXTPPropertyGridView::OnSetFocus(CWnd* pOldWnd)
{
    CListBox::OnSetFocus(pOldWnd);
    m_pFocusedButton = NULL;
    Invalidate(FALSE);
}

void CXTPPropertyGridView::OnKillFocus(CWnd* pNewWnd)
{
    CListBox::OnKillFocus(pNewWnd);
    m_pFocusedButton = NULL;
    Invalidate(FALSE);
}

//////////////////////////////////////////////////////////////////////////
// Tooltip

void CXTPPropertyGridView::HideToolTip()
{
    if (m_wndTip.GetSafeHwnd() != NULL && m_wndTip.IsWindowVisible())
    {
        m_wndTip.KillTimer(CXTPPropertyGridToolTip::kCheckTimer);
        m_wndTip.ShowWindow(SW_HIDE);
    }
}

namespace
{
// TRUE when the window in front belongs to this program.
BOOL IsProgramInFront()
{
    HWND hWndForeground = ::GetForegroundWindow();
    DWORD dwProcess = 0;
    if (hWndForeground == NULL || ::GetWindowThreadProcessId(hWndForeground, &dwProcess) == 0)
        return FALSE;
    return dwProcess == ::GetCurrentProcessId();
}
} // namespace

BOOL CXTPPropertyGridView::IsUnderPointer(CPoint ptScreen) const
{
    // The tip itself lets the pointer through (it is transparent to the
    // mouse), so the window found is the top one at the point in the
    // system's order, which the frame keeps as the screen shows it: this
    // view or one of its controls, or a window that covers it.
    HWND hWndAt = ::WindowFromPoint(ptScreen);
    return hWndAt != NULL && (hWndAt == m_hWnd || ::IsChild(m_hWnd, hWndAt));
}

BOOL CXTPPropertyGridView::IsToolTipWanted() const
{
    CPoint ptCursor;
    return IsProgramInFront() && ::GetCursorPos(&ptCursor) && m_rcToolTip.PtInRect(ptCursor) &&
           IsUnderPointer(ptCursor);
}

void CXTPPropertyGridView::HideToolTipOnMessage(UINT message)
{
    if (s_bToolTipCheck || m_wndTip.GetSafeHwnd() == NULL)
        return;
    s_bToolTipCheck = TRUE;
    if (m_wndTip.IsWindowVisible())
    {
        CPoint pt;
        ::GetCursorPos(&pt);
        if (!m_rcToolTip.PtInRect(pt) || m_pHotButton != NULL)
        {
            m_strTipText.Empty();
            HideToolTip();
        }
    }
    switch (message)
    {
    case WM_MOUSEWHEEL:
        m_strTipText.Empty();
        HideToolTip();
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSELEAVE:
        HideToolTip();
        break;
    }
    s_bToolTipCheck = FALSE;
}

void CXTPPropertyGridView::ShowToolTip(CPoint pt)
{
    if (m_pHotButton != NULL)
        return;
    CXTPPropertyGridItem* pItem = ItemFromPoint(pt);
    CXTPPropertyGridPaintManager* pPaintManager = GetPaintManager();
    if (pItem == NULL || pItem->IsCategory() || pPaintManager == NULL)
        return;

    CRect rcRow = pItem->GetItemRect();
    int nDivider = GetDividerPos();
    BOOL bRTL = (GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    BOOL bCaption = pt.x < rcRow.left + nDivider;

    // Only for the program in front, and only where the pointer really is
    // and the view is what shows there: the system also reports a move when
    // a window appears under where it believes the pointer to be, which may
    // be far from the player's or over a window that covers the view.
    if (!IsProgramInFront())
        return;
    CPoint ptCursor;
    if (!::GetCursorPos(&ptCursor) || !IsUnderPointer(ptCursor))
        return;
    ScreenToClient(&ptCursor);
    CXTPClientRect rcClient(this);
    if (!rcClient.PtInRect(ptCursor) || ItemFromPoint(ptCursor) != pItem ||
        (ptCursor.x < rcRow.left + nDivider) != bCaption)
        return;

    CString strText;
    CRect rcText;
    CFont* pFont;
    if (bCaption)
    {
        strText = pItem->GetCaption();
        if (strText == m_strTipText)
            return;
        rcText.SetRect(rcRow.left + XTP_PGI_EXPAND_BORDER * pItem->GetIndent() - 1, rcRow.top - 1,
                       rcRow.left + nDivider, rcRow.bottom);
        pPaintManager->AdjustItemCaptionRect(pItem, rcText);
        pFont = pPaintManager->GetItemFont(pItem, FALSE);
    }
    else
    {
        if (pItem->GetMultiLinesCount() > 1)
            return;
        strText = pItem->GetViewValue();
        if (strText == m_strTipText)
            return;
        CXTPPropertyGrid* pGrid = GetGrid();
        if (pGrid != NULL && ::GetFocus() == pGrid->GetInplaceEdit().GetSafeHwnd() &&
            pGrid->GetInplaceEdit().GetItem() == pItem)
            return;
        rcText = pItem->GetValueRect();
        rcText.left -= 1;
        rcText.bottom += 1;
        rcText.OffsetRect(0, -2);
        pFont = pPaintManager->GetItemFont(pItem, TRUE);
    }

    CClientDC dc(this);
    CXTPFontDC fontDC(&dc, pFont);
    int cxText = dc.GetTextExtent(strText).cx;
    if (cxText + 3 <= rcText.Width())
        return;

    if (bRTL)
    {
        int nRight = bCaption ? rcRow.right - pItem->GetIndent() * XTP_PGI_EXPAND_BORDER - cxText - 7
                              : rcRow.right - cxText - 8;
        rcText.left = nRight;
    }

    if (m_wndTip.GetSafeHwnd() == NULL)
        m_wndTip.Create(this);
    if (m_wndTip.GetSafeHwnd() == NULL)
        return;

    m_strTipText = strText;
    m_wndTip.SetWindowText(strText);
    LOGFONT lf;
    if (pFont != NULL && pFont->GetSafeHandle() != NULL && pFont->GetLogFont(&lf))
    {
        m_wndTip.m_fnt.DeleteObject();
        m_wndTip.m_fnt.CreateFontIndirect(&lf);
    }

    CRect rcScreen = rcText;
    ClientToScreen(&rcScreen);
    rcScreen.right = rcScreen.left + cxText + 8;
    CRect rcWork = XTPMonitorFunctions()->GetWorkAreaFromRect(&rcScreen);
    if (rcScreen.right > rcWork.right)
        rcScreen.OffsetRect(rcWork.right - rcScreen.right, 0);
    if (rcScreen.left < rcWork.left)
        rcScreen.OffsetRect(rcWork.left - rcScreen.left, 0);

    m_wndTip.SetWindowPos(&CWnd::wndTopMost, rcScreen.left, rcScreen.top, rcScreen.Width(), rcScreen.Height(),
                          SWP_NOACTIVATE | SWP_SHOWWINDOW);
    m_wndTip.Invalidate(FALSE);
    m_rcToolTip = rcScreen;
    m_wndTip.SetTimer(CXTPPropertyGridToolTip::kCheckTimer, CXTPPropertyGridToolTip::kCheckMilliseconds, NULL);
    TRACKMOUSEEVENT tme = { sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_hWnd, 0 };
    ::_TrackMouseEvent(&tme);
}

LRESULT CXTPPropertyGridView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    HideToolTipOnMessage(message);
    return CListBox::WindowProc(message, wParam, lParam);
}

//////////////////////////////////////////////////////////////////////////
// Accessibility

LRESULT CXTPPropertyGridView::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    if ((LONG)lParam != OBJID_CLIENT)
        return Default();
    LRESULT lResult = LresultFromObject(IID_IAccessible, wParam, (LPUNKNOWN)GetAccessible());
    return lResult > 0 ? lResult : Default();
}

HRESULT CXTPPropertyGridView::GetAccessibleParent(IDispatch** ppdispParent)
{
    if (ppdispParent == NULL)
        return E_POINTER;
    *ppdispParent = NULL;
    if (GetSafeHwnd() == NULL)
        return S_FALSE;
    return AccessibleObjectFromWindow(m_hWnd, (DWORD)OBJID_WINDOW, IID_IDispatch, (void**)ppdispParent);
}

HRESULT CXTPPropertyGridView::GetAccessibleChildCount(long* pcountChildren)
{
    *pcountChildren = GetSafeHwnd() != NULL ? GetCount() : 0;
    return S_OK;
}

HRESULT CXTPPropertyGridView::GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild)
{
    if (ppdispChild == NULL)
        return E_POINTER;
    *ppdispChild = NULL;
    long nChild = GetChildIndex(&varChild);
    CXTPPropertyGridItem* pItem = nChild > 0 ? GetItem((int)nChild - 1) : NULL;
    if (pItem == NULL)
        return E_INVALIDARG;
    *ppdispChild = (IDispatch*)pItem->GetAccessible();
    pItem->ExternalAddRef();
    return S_OK;
}

HRESULT CXTPPropertyGridView::GetAccessibleName(VARIANT, BSTR* pszName)
{
    if (pszName == NULL)
        return E_POINTER;
    *pszName = CString("Properties Window").AllocSysString();
    return S_OK;
}

HRESULT CXTPPropertyGridView::GetAccessibleRole(VARIANT, VARIANT* pvarRole)
{
    pvarRole->vt = VT_I4;
    pvarRole->lVal = ROLE_SYSTEM_TABLE;
    return S_OK;
}

HRESULT CXTPPropertyGridView::GetAccessibleState(VARIANT, VARIANT* pvarState)
{
    pvarState->vt = VT_I4;
    pvarState->lVal = STATE_SYSTEM_FOCUSABLE;
    return S_OK;
}

HRESULT CXTPPropertyGridView::AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                                 VARIANT varChild)
{
    *pxLeft = *pyTop = *pcxWidth = *pcyHeight = 0;
    if (GetSafeHwnd() == NULL)
        return S_OK;
    long nChild = GetChildIndex(&varChild);
    if (nChild > 0)
    {
        CXTPPropertyGridItem* pItem = GetItem((int)nChild - 1);
        return pItem != NULL ? pItem->AccessibleLocation(pxLeft, pyTop, pcxWidth, pcyHeight, varChild) : E_INVALIDARG;
    }
    CXTPWindowRect rc(this);
    *pxLeft = rc.left;
    *pyTop = rc.top;
    *pcxWidth = rc.Width();
    *pcyHeight = rc.Height();
    return S_OK;
}

HRESULT CXTPPropertyGridView::AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    pvarChild->vt = VT_EMPTY;
    if (GetSafeHwnd() == NULL)
        return S_FALSE;
    CPoint pt(xLeft, yTop);
    ScreenToClient(&pt);
    // A row answers its item, the object that names and describes it (the
    // view's own answers are those of the table).
    CXTPPropertyGridItem* pItem = ItemFromPoint(pt);
    if (pItem != NULL)
    {
        pvarChild->vt = VT_DISPATCH;
        pvarChild->pdispVal = (IDispatch*)pItem->GetAccessible();
        pItem->ExternalAddRef();
        return S_OK;
    }
    pvarChild->vt = VT_I4;
    pvarChild->lVal = CHILDID_SELF;
    return S_OK;
}
