// Common-control wrappers: list view, header, tab, spin, progress, slider,
// tooltip, toolbar and status bar.
#include <afxcmn.h>

#include "wndimpl.h"

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)
IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)
IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)
IMPLEMENT_DYNAMIC(CToolBarCtrl, CWnd)
IMPLEMENT_DYNAMIC(CStatusBarCtrl, CWnd)

#define BM_SEND(msg, wp, lp) ::SendMessage(m_hWnd, (msg), (WPARAM)(wp), (LPARAM)(lp))

namespace
{
// Registers the common-control classes once.
void InitCommonControlClasses()
{
    static bool s_bDone = false;
    if (s_bDone)
        return;
    INITCOMMONCONTROLSEX icc;
    icc.dwSize = sizeof(icc);
    icc.dwICC = ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_PROGRESS_CLASS |
                ICC_UPDOWN_CLASS | ICC_LISTVIEW_CLASSES;
    ::InitCommonControlsEx(&icc);
    s_bDone = true;
}

CImageList* ImageListOf(HIMAGELIST h)
{
    return h != NULL ? CImageList::FromHandle(h) : NULL;
}

CToolTipCtrl* ToolTipOf(HWND h)
{
    return h != NULL ? static_cast<CToolTipCtrl*>(CWnd::FromHandle(h)) : NULL;
}
} // namespace

// ---------------------------------------------------------------------------
// CListCtrl

CListCtrl::~CListCtrl()
{
    DestroyWindow();
}

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    InitCommonControlClasses();
    return CWnd::Create(WC_LISTVIEW, NULL, dwStyle, rect, pParentWnd, nID);
}

BOOL CListCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    InitCommonControlClasses();
    return CWnd::CreateEx(dwExStyle, WC_LISTVIEW, NULL, dwStyle, rect, pParentWnd, nID);
}

COLORREF CListCtrl::GetBkColor() const { return (COLORREF)BM_SEND(LVM_GETBKCOLOR, 0, 0); }
BOOL CListCtrl::SetBkColor(COLORREF cr) { return (BOOL)BM_SEND(LVM_SETBKCOLOR, 0, cr); }
COLORREF CListCtrl::GetTextColor() const { return (COLORREF)BM_SEND(LVM_GETTEXTCOLOR, 0, 0); }
BOOL CListCtrl::SetTextColor(COLORREF cr) { return (BOOL)BM_SEND(LVM_SETTEXTCOLOR, 0, cr); }
COLORREF CListCtrl::GetTextBkColor() const { return (COLORREF)BM_SEND(LVM_GETTEXTBKCOLOR, 0, 0); }
BOOL CListCtrl::SetTextBkColor(COLORREF cr) { return (BOOL)BM_SEND(LVM_SETTEXTBKCOLOR, 0, cr); }

CImageList* CListCtrl::GetImageList(int nImageList) const
{
    return ImageListOf((HIMAGELIST)BM_SEND(LVM_GETIMAGELIST, nImageList, 0));
}

CImageList* CListCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    return ImageListOf(
        (HIMAGELIST)BM_SEND(LVM_SETIMAGELIST, nImageListType, pImageList->GetSafeHandle()));
}

int CListCtrl::GetItemCount() const { return (int)BM_SEND(LVM_GETITEMCOUNT, 0, 0); }
BOOL CListCtrl::SetItemCount(int nItems) { return (BOOL)BM_SEND(LVM_SETITEMCOUNT, nItems, 0); }

BOOL CListCtrl::GetItem(LVITEM* pItem) const
{
    return pItem != NULL && (BOOL)BM_SEND(LVM_GETITEM, 0, pItem);
}

BOOL CListCtrl::SetItem(const LVITEM* pItem)
{
    return pItem != NULL && (BOOL)BM_SEND(LVM_SETITEM, 0, pItem);
}

BOOL CListCtrl::SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage,
                        UINT nState, UINT nStateMask, LPARAM lParam)
{
    LVITEM item;
    memset(&item, 0, sizeof(item));
    item.mask = nMask;
    item.iItem = nItem;
    item.iSubItem = nSubItem;
    item.state = nState;
    item.stateMask = nStateMask;
    item.pszText = (LPTSTR)lpszItem;
    item.iImage = nImage;
    item.lParam = lParam;
    return (BOOL)BM_SEND(LVM_SETITEM, 0, &item);
}

UINT CListCtrl::GetCallbackMask() const { return (UINT)BM_SEND(LVM_GETCALLBACKMASK, 0, 0); }
BOOL CListCtrl::SetCallbackMask(UINT nMask) { return (BOOL)BM_SEND(LVM_SETCALLBACKMASK, nMask, 0); }

int CListCtrl::GetNextItem(int nItem, int nFlags) const
{
    return (int)BM_SEND(LVM_GETNEXTITEM, nItem, MAKELPARAM(nFlags, 0));
}

POSITION CListCtrl::GetFirstSelectedItemPosition() const
{
    // The position is the item index plus one, so that 0 can end the walk.
    return (POSITION)(INT_PTR)(1 + GetNextItem(-1, LVNI_SELECTED));
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const
{
    int nOldPos = (int)(INT_PTR)pos - 1;
    pos = (POSITION)(INT_PTR)(1 + GetNextItem(nOldPos, LVNI_SELECTED));
    return nOldPos;
}

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const
{
    if (lpRect == NULL)
        return FALSE;
    lpRect->left = (LONG)nCode;
    return (BOOL)BM_SEND(LVM_GETITEMRECT, nItem, lpRect);
}

BOOL CListCtrl::GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) const
{
    RECT rect;
    rect.top = iSubItem;
    rect.left = nArea;
    BOOL bRet = (BOOL)BM_SEND(LVM_GETSUBITEMRECT, iItem, &rect);
    if (bRet)
        ref = rect;
    return bRet;
}

BOOL CListCtrl::SetItemPosition(int nItem, POINT pt)
{
    return (BOOL)BM_SEND(LVM_SETITEMPOSITION32, nItem, &pt);
}

BOOL CListCtrl::GetItemPosition(int nItem, LPPOINT lpPoint) const
{
    return lpPoint != NULL && (BOOL)BM_SEND(LVM_GETITEMPOSITION, nItem, lpPoint);
}

int CListCtrl::GetStringWidth(LPCTSTR lpsz) const
{
    return lpsz != NULL ? (int)BM_SEND(LVM_GETSTRINGWIDTH, 0, lpsz) : 0;
}

CEdit* CListCtrl::GetEditControl() const
{
    HWND h = (HWND)BM_SEND(LVM_GETEDITCONTROL, 0, 0);
    return h != NULL ? static_cast<CEdit*>(CWnd::FromHandle(h)) : NULL;
}

BOOL CListCtrl::GetColumn(int nCol, LVCOLUMN* pColumn) const
{
    return pColumn != NULL && (BOOL)BM_SEND(LVM_GETCOLUMN, nCol, pColumn);
}

BOOL CListCtrl::SetColumn(int nCol, const LVCOLUMN* pColumn)
{
    return pColumn != NULL && (BOOL)BM_SEND(LVM_SETCOLUMN, nCol, pColumn);
}

int CListCtrl::GetColumnWidth(int nCol) const { return (int)BM_SEND(LVM_GETCOLUMNWIDTH, nCol, 0); }

BOOL CListCtrl::SetColumnWidth(int nCol, int cx)
{
    return (BOOL)BM_SEND(LVM_SETCOLUMNWIDTH, nCol, MAKELPARAM(cx, 0));
}

BOOL CListCtrl::GetViewRect(LPRECT lpRect) const
{
    return lpRect != NULL && (BOOL)BM_SEND(LVM_GETVIEWRECT, 0, lpRect);
}

int CListCtrl::GetTopIndex() const { return (int)BM_SEND(LVM_GETTOPINDEX, 0, 0); }
int CListCtrl::GetCountPerPage() const { return (int)BM_SEND(LVM_GETCOUNTPERPAGE, 0, 0); }

BOOL CListCtrl::GetOrigin(LPPOINT lpPoint) const
{
    return lpPoint != NULL && (BOOL)BM_SEND(LVM_GETORIGIN, 0, lpPoint);
}

BOOL CListCtrl::SetItemState(int nItem, LVITEM* pItem)
{
    return pItem != NULL && (BOOL)BM_SEND(LVM_SETITEMSTATE, nItem, pItem);
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    LVITEM item;
    memset(&item, 0, sizeof(item));
    item.stateMask = nMask;
    item.state = nState;
    return (BOOL)BM_SEND(LVM_SETITEMSTATE, nItem, &item);
}

UINT CListCtrl::GetItemState(int nItem, UINT nMask) const
{
    return (UINT)BM_SEND(LVM_GETITEMSTATE, nItem, nMask);
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    // The control reports no length: grow the buffer until the text fits.
    CString str;
    LVITEM item;
    memset(&item, 0, sizeof(item));
    item.iSubItem = nSubItem;
    int nLen = 128;
    int nRes;
    do
    {
        nLen *= 2;
        item.cchTextMax = nLen;
        item.pszText = str.GetBuffer(nLen);
        item.pszText[0] = '\0';
        nRes = (int)BM_SEND(LVM_GETITEMTEXT, nItem, &item);
        if (nRes < 0)
            nRes = 0;
        if (nRes > nLen - 1)
            nRes = nLen - 1;
        str.ReleaseBuffer(nRes);
    } while (nRes >= nLen - 1 && nLen < 0x10000);
    return str;
}

int CListCtrl::GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const
{
    if (lpszText == NULL || nLen <= 0)
        return 0;
    LVITEM item;
    memset(&item, 0, sizeof(item));
    item.iSubItem = nSubItem;
    item.cchTextMax = nLen;
    item.pszText = lpszText;
    lpszText[0] = '\0';
    int nRes = (int)BM_SEND(LVM_GETITEMTEXT, nItem, &item);
    if (nRes < 0)
        nRes = 0;
    if (nRes > nLen - 1)
        nRes = nLen - 1;
    lpszText[nRes] = '\0';
    return nRes;
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText)
{
    LVITEM item;
    memset(&item, 0, sizeof(item));
    item.iSubItem = nSubItem;
    item.pszText = (LPTSTR)lpszText;
    return (BOOL)BM_SEND(LVM_SETITEMTEXT, nItem, &item);
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData)
{
    return SetItem(nItem, 0, LVIF_PARAM, NULL, 0, 0, 0, (LPARAM)dwData);
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const
{
    LVITEM item;
    memset(&item, 0, sizeof(item));
    item.iItem = nItem;
    item.mask = LVIF_PARAM;
    if (!BM_SEND(LVM_GETITEM, 0, &item))
        return 0;
    return (DWORD_PTR)item.lParam;
}

UINT CListCtrl::GetSelectedCount() const { return (UINT)BM_SEND(LVM_GETSELECTEDCOUNT, 0, 0); }
int CListCtrl::GetSelectionMark() const { return (int)BM_SEND(LVM_GETSELECTIONMARK, 0, 0); }
int CListCtrl::SetSelectionMark(int iIndex) { return (int)BM_SEND(LVM_SETSELECTIONMARK, 0, iIndex); }

DWORD CListCtrl::GetExtendedStyle() const
{
    return (DWORD)BM_SEND(LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
}

DWORD CListCtrl::SetExtendedStyle(DWORD dwNewStyle)
{
    return (DWORD)BM_SEND(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwNewStyle);
}

CHeaderCtrl* CListCtrl::GetHeaderCtrl() const
{
    HWND h = (HWND)BM_SEND(LVM_GETHEADER, 0, 0);
    return h != NULL ? static_cast<CHeaderCtrl*>(CWnd::FromHandle(h)) : NULL;
}

int CListCtrl::GetHotItem() const { return (int)BM_SEND(LVM_GETHOTITEM, 0, 0); }
int CListCtrl::SetHotItem(int iIndex) { return (int)BM_SEND(LVM_SETHOTITEM, iIndex, 0); }

CToolTipCtrl* CListCtrl::GetToolTips() const
{
    return ToolTipOf((HWND)BM_SEND(LVM_GETTOOLTIPS, 0, 0));
}

CToolTipCtrl* CListCtrl::SetToolTips(CToolTipCtrl* pWndTip)
{
    return ToolTipOf((HWND)BM_SEND(LVM_SETTOOLTIPS, pWndTip->GetSafeHwnd(), 0));
}

int CListCtrl::InsertItem(const LVITEM* pItem)
{
    return pItem != NULL ? (int)BM_SEND(LVM_INSERTITEM, 0, pItem) : -1;
}

int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem)
{
    return InsertItem(LVIF_TEXT, nItem, lpszItem, 0, 0, 0, 0);
}

int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage)
{
    return InsertItem(LVIF_TEXT | LVIF_IMAGE, nItem, lpszItem, 0, 0, nImage, 0);
}

int CListCtrl::InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask,
                          int nImage, LPARAM lParam)
{
    LVITEM item;
    memset(&item, 0, sizeof(item));
    item.mask = nMask;
    item.iItem = nItem;
    item.state = nState;
    item.stateMask = nStateMask;
    item.pszText = (LPTSTR)lpszItem;
    item.iImage = nImage;
    item.lParam = lParam;
    return InsertItem(&item);
}

BOOL CListCtrl::DeleteItem(int nItem) { return (BOOL)BM_SEND(LVM_DELETEITEM, nItem, 0); }
BOOL CListCtrl::DeleteAllItems() { return (BOOL)BM_SEND(LVM_DELETEALLITEMS, 0, 0); }

int CListCtrl::FindItem(LVFINDINFO* pFindInfo, int nStart) const
{
    return pFindInfo != NULL ? (int)BM_SEND(LVM_FINDITEM, nStart, pFindInfo) : -1;
}

int CListCtrl::HitTest(LVHITTESTINFO* pHitTestInfo) const
{
    return pHitTestInfo != NULL ? (int)BM_SEND(LVM_HITTEST, 0, pHitTestInfo) : -1;
}

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    LVHITTESTINFO hti;
    memset(&hti, 0, sizeof(hti));
    hti.pt = pt;
    int nRes = (int)BM_SEND(LVM_HITTEST, 0, &hti);
    if (pFlags != NULL)
        *pFlags = hti.flags;
    return nRes;
}

int CListCtrl::SubItemHitTest(LPLVHITTESTINFO pInfo)
{
    return pInfo != NULL ? (int)BM_SEND(LVM_SUBITEMHITTEST, 0, pInfo) : -1;
}

BOOL CListCtrl::EnsureVisible(int nItem, BOOL bPartialOK)
{
    return (BOOL)BM_SEND(LVM_ENSUREVISIBLE, nItem, MAKELPARAM(bPartialOK, 0));
}

BOOL CListCtrl::Scroll(CSize size) { return (BOOL)BM_SEND(LVM_SCROLL, size.cx, size.cy); }
BOOL CListCtrl::RedrawItems(int nFirst, int nLast) { return (BOOL)BM_SEND(LVM_REDRAWITEMS, nFirst, nLast); }
BOOL CListCtrl::Arrange(UINT nCode) { return (BOOL)BM_SEND(LVM_ARRANGE, nCode, 0); }

CEdit* CListCtrl::EditLabel(int nItem)
{
    HWND h = (HWND)BM_SEND(LVM_EDITLABEL, nItem, 0);
    return h != NULL ? static_cast<CEdit*>(CWnd::FromHandle(h)) : NULL;
}

int CListCtrl::InsertColumn(int nCol, const LVCOLUMN* pColumn)
{
    return pColumn != NULL ? (int)BM_SEND(LVM_INSERTCOLUMN, nCol, pColumn) : -1;
}

int CListCtrl::InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem)
{
    LVCOLUMN column;
    memset(&column, 0, sizeof(column));
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.pszText = (LPTSTR)lpszColumnHeading;
    column.fmt = nFormat;
    if (nWidth != -1)
    {
        column.mask |= LVCF_WIDTH;
        column.cx = nWidth;
    }
    if (nSubItem != -1)
    {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = nSubItem;
    }
    return InsertColumn(nCol, &column);
}

BOOL CListCtrl::DeleteColumn(int nCol) { return (BOOL)BM_SEND(LVM_DELETECOLUMN, nCol, 0); }
BOOL CListCtrl::Update(int nItem) { return (BOOL)BM_SEND(LVM_UPDATE, nItem, 0); }

BOOL CListCtrl::SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData)
{
    return pfnCompare != NULL && (BOOL)BM_SEND(LVM_SORTITEMS, dwData, pfnCompare);
}

void CListCtrl::DrawItem(LPDRAWITEMSTRUCT)
{
    // Owner-drawn report views override this.
}

BOOL CListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    return AfxReflectDrawItem(this, lParam, pResult);
}

// ---------------------------------------------------------------------------
// CHeaderCtrl

CHeaderCtrl::~CHeaderCtrl()
{
    DestroyWindow();
}

BOOL CHeaderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    InitCommonControlClasses();
    return CWnd::Create(WC_HEADER, NULL, dwStyle, rect, pParentWnd, nID);
}

int CHeaderCtrl::GetItemCount() const { return (int)BM_SEND(HDM_GETITEMCOUNT, 0, 0); }

BOOL CHeaderCtrl::GetItem(int nPos, HDITEM* pHeaderItem) const
{
    return pHeaderItem != NULL && (BOOL)BM_SEND(HDM_GETITEM, nPos, pHeaderItem);
}

BOOL CHeaderCtrl::SetItem(int nPos, HDITEM* pHeaderItem)
{
    return pHeaderItem != NULL && (BOOL)BM_SEND(HDM_SETITEM, nPos, pHeaderItem);
}

int CHeaderCtrl::InsertItem(int nPos, HDITEM* phdi)
{
    return phdi != NULL ? (int)BM_SEND(HDM_INSERTITEM, nPos, phdi) : -1;
}

BOOL CHeaderCtrl::DeleteItem(int nPos) { return (BOOL)BM_SEND(HDM_DELETEITEM, nPos, 0); }

BOOL CHeaderCtrl::GetItemRect(int nIndex, LPRECT lpRect) const
{
    return lpRect != NULL && (BOOL)BM_SEND(HDM_GETITEMRECT, nIndex, lpRect);
}

BOOL CHeaderCtrl::Layout(HDLAYOUT* pHeaderLayout)
{
    return pHeaderLayout != NULL && (BOOL)BM_SEND(HDM_LAYOUT, 0, pHeaderLayout);
}

CImageList* CHeaderCtrl::SetImageList(CImageList* pImageList)
{
    return ImageListOf((HIMAGELIST)BM_SEND(HDM_SETIMAGELIST, 0, pImageList->GetSafeHandle()));
}

CImageList* CHeaderCtrl::GetImageList() const
{
    return ImageListOf((HIMAGELIST)BM_SEND(HDM_GETIMAGELIST, 0, 0));
}

int CHeaderCtrl::OrderToIndex(int nOrder) const { return (int)BM_SEND(HDM_ORDERTOINDEX, nOrder, 0); }

BOOL CHeaderCtrl::GetOrderArray(LPINT piArray, int iCount) const
{
    return piArray != NULL && iCount > 0 && (BOOL)BM_SEND(HDM_GETORDERARRAY, iCount, piArray);
}

BOOL CHeaderCtrl::SetOrderArray(int iCount, LPINT piArray)
{
    return piArray != NULL && iCount > 0 && (BOOL)BM_SEND(HDM_SETORDERARRAY, iCount, piArray);
}

int CHeaderCtrl::HitTest(LPHDHITTESTINFO pHeaderHitTestInfo)
{
    return pHeaderHitTestInfo != NULL ? (int)BM_SEND(HDM_HITTEST, 0, pHeaderHitTestInfo) : -1;
}

void CHeaderCtrl::DrawItem(LPDRAWITEMSTRUCT)
{
    // Owner-drawn headers override this.
}

BOOL CHeaderCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    return AfxReflectDrawItem(this, lParam, pResult);
}

// ---------------------------------------------------------------------------
// CTabCtrl

CTabCtrl::~CTabCtrl()
{
    DestroyWindow();
}

BOOL CTabCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    InitCommonControlClasses();
    return CWnd::Create(WC_TABCONTROL, NULL, dwStyle, rect, pParentWnd, nID);
}

CImageList* CTabCtrl::GetImageList() const
{
    return ImageListOf((HIMAGELIST)BM_SEND(TCM_GETIMAGELIST, 0, 0));
}

CImageList* CTabCtrl::SetImageList(CImageList* pImageList)
{
    return ImageListOf((HIMAGELIST)BM_SEND(TCM_SETIMAGELIST, 0, pImageList->GetSafeHandle()));
}

int CTabCtrl::GetItemCount() const { return (int)BM_SEND(TCM_GETITEMCOUNT, 0, 0); }

BOOL CTabCtrl::GetItem(int nItem, TCITEM* pTabCtrlItem) const
{
    return pTabCtrlItem != NULL && (BOOL)BM_SEND(TCM_GETITEM, nItem, pTabCtrlItem);
}

BOOL CTabCtrl::SetItem(int nItem, TCITEM* pTabCtrlItem)
{
    return pTabCtrlItem != NULL && (BOOL)BM_SEND(TCM_SETITEM, nItem, pTabCtrlItem);
}

BOOL CTabCtrl::GetItemRect(int nItem, LPRECT lpRect) const
{
    return lpRect != NULL && (BOOL)BM_SEND(TCM_GETITEMRECT, nItem, lpRect);
}

int CTabCtrl::GetCurSel() const { return (int)BM_SEND(TCM_GETCURSEL, 0, 0); }
int CTabCtrl::SetCurSel(int nItem) { return (int)BM_SEND(TCM_SETCURSEL, nItem, 0); }
void CTabCtrl::SetCurFocus(int nItem) { BM_SEND(TCM_SETCURFOCUS, nItem, 0); }
int CTabCtrl::GetCurFocus() const { return (int)BM_SEND(TCM_GETCURFOCUS, 0, 0); }

CSize CTabCtrl::SetItemSize(CSize size)
{
    DWORD dw = (DWORD)BM_SEND(TCM_SETITEMSIZE, 0, MAKELPARAM(size.cx, size.cy));
    return CSize(LOWORD(dw), HIWORD(dw));
}

void CTabCtrl::SetPadding(CSize size) { BM_SEND(TCM_SETPADDING, 0, MAKELPARAM(size.cx, size.cy)); }
int CTabCtrl::GetRowCount() const { return (int)BM_SEND(TCM_GETROWCOUNT, 0, 0); }

CToolTipCtrl* CTabCtrl::GetToolTips() const
{
    return ToolTipOf((HWND)BM_SEND(TCM_GETTOOLTIPS, 0, 0));
}

void CTabCtrl::SetToolTips(CToolTipCtrl* pWndTip)
{
    BM_SEND(TCM_SETTOOLTIPS, pWndTip->GetSafeHwnd(), 0);
}

int CTabCtrl::SetMinTabWidth(int cx) { return (int)BM_SEND(TCM_SETMINTABWIDTH, 0, cx); }

LONG CTabCtrl::InsertItem(int nItem, TCITEM* pTabCtrlItem)
{
    return pTabCtrlItem != NULL ? (LONG)BM_SEND(TCM_INSERTITEM, nItem, pTabCtrlItem) : -1;
}

LONG CTabCtrl::InsertItem(int nItem, LPCTSTR lpszItem)
{
    TCITEM item;
    memset(&item, 0, sizeof(item));
    item.mask = TCIF_TEXT;
    item.pszText = (LPTSTR)lpszItem;
    return InsertItem(nItem, &item);
}

LONG CTabCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage)
{
    TCITEM item;
    memset(&item, 0, sizeof(item));
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = (LPTSTR)lpszItem;
    item.iImage = nImage;
    return InsertItem(nItem, &item);
}

BOOL CTabCtrl::DeleteItem(int nItem) { return (BOOL)BM_SEND(TCM_DELETEITEM, nItem, 0); }
BOOL CTabCtrl::DeleteAllItems() { return (BOOL)BM_SEND(TCM_DELETEALLITEMS, 0, 0); }
void CTabCtrl::AdjustRect(BOOL bLarger, LPRECT lpRect) { BM_SEND(TCM_ADJUSTRECT, bLarger, lpRect); }
void CTabCtrl::RemoveImage(int nImage) { BM_SEND(TCM_REMOVEIMAGE, nImage, 0); }

int CTabCtrl::HitTest(TCHITTESTINFO* pHitTestInfo) const
{
    return pHitTestInfo != NULL ? (int)BM_SEND(TCM_HITTEST, 0, pHitTestInfo) : -1;
}

void CTabCtrl::DeselectAll(BOOL fExcludeFocus) { BM_SEND(TCM_DESELECTALL, fExcludeFocus, 0); }

BOOL CTabCtrl::HighlightItem(int idItem, BOOL fHighlight)
{
    return (BOOL)BM_SEND(TCM_HIGHLIGHTITEM, idItem, MAKELPARAM(fHighlight, 0));
}

void CTabCtrl::DrawItem(LPDRAWITEMSTRUCT)
{
    // Owner-drawn tab controls override this.
}

BOOL CTabCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    return AfxReflectDrawItem(this, lParam, pResult);
}

// ---------------------------------------------------------------------------
// CSpinButtonCtrl

CSpinButtonCtrl::~CSpinButtonCtrl()
{
    DestroyWindow();
}

BOOL CSpinButtonCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    InitCommonControlClasses();
    return CWnd::Create(UPDOWN_CLASS, NULL, dwStyle, rect, pParentWnd, nID);
}

BOOL CSpinButtonCtrl::SetAccel(int nAccel, UDACCEL* pAccel)
{
    return pAccel != NULL && (BOOL)BM_SEND(UDM_SETACCEL, nAccel, pAccel);
}

UINT CSpinButtonCtrl::GetAccel(int nAccel, UDACCEL* pAccel) const
{
    return (UINT)BM_SEND(UDM_GETACCEL, nAccel, pAccel);
}

int CSpinButtonCtrl::SetBase(int nBase) { return (int)BM_SEND(UDM_SETBASE, nBase, 0); }
UINT CSpinButtonCtrl::GetBase() const { return (UINT)BM_SEND(UDM_GETBASE, 0, 0); }

CWnd* CSpinButtonCtrl::SetBuddy(CWnd* pWndBuddy)
{
    HWND h = (HWND)BM_SEND(UDM_SETBUDDY, pWndBuddy->GetSafeHwnd(), 0);
    return h != NULL ? CWnd::FromHandle(h) : NULL;
}

CWnd* CSpinButtonCtrl::GetBuddy() const
{
    HWND h = (HWND)BM_SEND(UDM_GETBUDDY, 0, 0);
    return h != NULL ? CWnd::FromHandle(h) : NULL;
}

int CSpinButtonCtrl::SetPos(int nPos) { return (short)LOWORD(BM_SEND(UDM_SETPOS, 0, MAKELPARAM(nPos, 0))); }

int CSpinButtonCtrl::GetPos() const
{
    // The high word flags an error; the position is the low word.
    return (short)LOWORD(BM_SEND(UDM_GETPOS, 0, 0));
}

int CSpinButtonCtrl::SetPos32(int nPos) { return (int)BM_SEND(UDM_SETPOS32, 0, nPos); }

int CSpinButtonCtrl::GetPos32(LPBOOL lpbError) const
{
    return (int)BM_SEND(UDM_GETPOS32, 0, lpbError);
}

void CSpinButtonCtrl::SetRange(short nLower, short nUpper)
{
    BM_SEND(UDM_SETRANGE, 0, MAKELPARAM(nUpper, nLower));
}

void CSpinButtonCtrl::SetRange32(int nLower, int nUpper) { BM_SEND(UDM_SETRANGE32, nLower, nUpper); }
DWORD CSpinButtonCtrl::GetRange() const { return (DWORD)BM_SEND(UDM_GETRANGE, 0, 0); }

void CSpinButtonCtrl::GetRange(int& lower, int& upper) const
{
    DWORD dw = GetRange();
    lower = (short)HIWORD(dw);
    upper = (short)LOWORD(dw);
}

void CSpinButtonCtrl::GetRange32(int& lower, int& upper) const
{
    BM_SEND(UDM_GETRANGE32, &lower, &upper);
}

// ---------------------------------------------------------------------------
// CProgressCtrl

CProgressCtrl::~CProgressCtrl()
{
    DestroyWindow();
}

BOOL CProgressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    InitCommonControlClasses();
    return CWnd::Create(PROGRESS_CLASS, NULL, dwStyle, rect, pParentWnd, nID);
}

void CProgressCtrl::SetRange(short nLower, short nUpper)
{
    BM_SEND(PBM_SETRANGE, 0, MAKELPARAM(nLower, nUpper));
}

void CProgressCtrl::SetRange32(int nLower, int nUpper) { BM_SEND(PBM_SETRANGE32, nLower, nUpper); }

void CProgressCtrl::GetRange(int& nLower, int& nUpper) const
{
    PBRANGE range = {0, 0};
    BM_SEND(PBM_GETRANGE, FALSE, &range);
    nLower = range.iLow;
    nUpper = range.iHigh;
}

int CProgressCtrl::GetPos() const { return (int)BM_SEND(PBM_GETPOS, 0, 0); }
int CProgressCtrl::SetPos(int nPos) { return (int)BM_SEND(PBM_SETPOS, nPos, 0); }
int CProgressCtrl::OffsetPos(int nPos) { return (int)BM_SEND(PBM_DELTAPOS, nPos, 0); }
int CProgressCtrl::SetStep(int nStep) { return (int)BM_SEND(PBM_SETSTEP, nStep, 0); }
int CProgressCtrl::StepIt() { return (int)BM_SEND(PBM_STEPIT, 0, 0); }
COLORREF CProgressCtrl::SetBarColor(COLORREF clrBar) { return (COLORREF)BM_SEND(PBM_SETBARCOLOR, 0, clrBar); }
COLORREF CProgressCtrl::SetBkColor(COLORREF clrNew) { return (COLORREF)BM_SEND(PBM_SETBKCOLOR, 0, clrNew); }

// ---------------------------------------------------------------------------
// CSliderCtrl

CSliderCtrl::~CSliderCtrl()
{
    DestroyWindow();
}

BOOL CSliderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    InitCommonControlClasses();
    return CWnd::Create(TRACKBAR_CLASS, NULL, dwStyle, rect, pParentWnd, nID);
}

int CSliderCtrl::GetLineSize() const { return (int)BM_SEND(TBM_GETLINESIZE, 0, 0); }
int CSliderCtrl::SetLineSize(int nSize) { return (int)BM_SEND(TBM_SETLINESIZE, 0, nSize); }
int CSliderCtrl::GetPageSize() const { return (int)BM_SEND(TBM_GETPAGESIZE, 0, 0); }
int CSliderCtrl::SetPageSize(int nSize) { return (int)BM_SEND(TBM_SETPAGESIZE, 0, nSize); }
int CSliderCtrl::GetRangeMax() const { return (int)BM_SEND(TBM_GETRANGEMAX, 0, 0); }
int CSliderCtrl::GetRangeMin() const { return (int)BM_SEND(TBM_GETRANGEMIN, 0, 0); }

void CSliderCtrl::GetRange(int& nMin, int& nMax) const
{
    nMin = GetRangeMin();
    nMax = GetRangeMax();
}

void CSliderCtrl::SetRangeMin(int nMin, BOOL bRedraw) { BM_SEND(TBM_SETRANGEMIN, bRedraw, nMin); }
void CSliderCtrl::SetRangeMax(int nMax, BOOL bRedraw) { BM_SEND(TBM_SETRANGEMAX, bRedraw, nMax); }

void CSliderCtrl::SetRange(int nMin, int nMax, BOOL bRedraw)
{
    SetRangeMin(nMin, FALSE);
    SetRangeMax(nMax, bRedraw);
}

int CSliderCtrl::GetPos() const { return (int)BM_SEND(TBM_GETPOS, 0, 0); }
void CSliderCtrl::SetPos(int nPos) { BM_SEND(TBM_SETPOS, TRUE, nPos); }
void CSliderCtrl::SetTicFreq(int nFreq) { BM_SEND(TBM_SETTICFREQ, nFreq, 0); }
BOOL CSliderCtrl::SetTic(int nTic) { return (BOOL)BM_SEND(TBM_SETTIC, 0, nTic); }
void CSliderCtrl::ClearTics(BOOL bRedraw) { BM_SEND(TBM_CLEARTICS, bRedraw, 0); }
void CSliderCtrl::GetChannelRect(LPRECT lprc) const { BM_SEND(TBM_GETCHANNELRECT, 0, lprc); }
void CSliderCtrl::GetThumbRect(LPRECT lprc) const { BM_SEND(TBM_GETTHUMBRECT, 0, lprc); }

// ---------------------------------------------------------------------------
// CToolTipCtrl

CToolTipCtrl::~CToolTipCtrl()
{
    DestroyWindow();
}

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    InitCommonControlClasses();
    return CWnd::CreateEx(0, TOOLTIPS_CLASS, NULL, WS_POPUP | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, pParentWnd->GetSafeHwnd(), NULL, NULL);
}

void CToolTipCtrl::FillInToolInfo(TOOLINFO& ti, CWnd* pWnd, UINT_PTR nIDTool) const
{
    memset(&ti, 0, sizeof(ti));
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    HWND hWnd = pWnd->GetSafeHwnd();
    if (nIDTool == 0)
    {
        // The window itself is the tool; its parent receives the notifications.
        HWND hParent = hWnd != NULL ? ::GetParent(hWnd) : NULL;
        ti.hwnd = hParent != NULL ? hParent : hWnd;
        ti.uFlags = TTF_IDISHWND;
        ti.uId = (UINT_PTR)hWnd;
    }
    else
    {
        ti.hwnd = hWnd;
        ti.uFlags = 0;
        ti.uId = nIDTool;
    }
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL || nIDText == 0)
        return FALSE;
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    if (lpRectTool != NULL)
        ti.rect = *lpRectTool;
    else if (nIDTool != 0)
        ::GetClientRect(pWnd->m_hWnd, &ti.rect);
    ti.uFlags |= TTF_SUBCLASS;
    ti.hinst = AfxFindResourceHandle(MAKEINTRESOURCE((nIDText >> 4) + 1), RT_STRING);
    ti.lpszText = MAKEINTRESOURCE(nIDText);
    return (BOOL)BM_SEND(TTM_ADDTOOL, 0, &ti);
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL)
        return FALSE;
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    if (lpRectTool != NULL)
        ti.rect = *lpRectTool;
    else if (nIDTool != 0)
        ::GetClientRect(pWnd->m_hWnd, &ti.rect);
    ti.uFlags |= TTF_SUBCLASS;
    ti.hinst = AfxGetResourceHandle();
    ti.lpszText = (LPTSTR)lpszText;
    return (BOOL)BM_SEND(TTM_ADDTOOL, 0, &ti);
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    BM_SEND(TTM_DELTOOL, 0, &ti);
}

void CToolTipCtrl::UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.lpszText = (LPTSTR)lpszText;
    BM_SEND(TTM_UPDATETIPTEXT, 0, &ti);
}

void CToolTipCtrl::UpdateTipText(UINT nIDText, CWnd* pWnd, UINT_PTR nIDTool)
{
    CString str;
    str.LoadString(nIDText);
    UpdateTipText(str, pWnd, nIDTool);
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect)
{
    if (lpRect == NULL)
        return;
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.rect = *lpRect;
    BM_SEND(TTM_NEWTOOLRECT, 0, &ti);
}

void CToolTipCtrl::GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool) const
{
    // The control copies up to 80 characters with no size given; give it
    // far more room than that.
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    char szText[1024];
    szText[0] = '\0';
    ti.lpszText = szText;
    BM_SEND(TTM_GETTEXT, 0, &ti);
    szText[sizeof(szText) - 1] = '\0';
    str = szText;
}

BOOL CToolTipCtrl::GetToolInfo(CToolInfo& ToolInfo, CWnd* pWnd, UINT_PTR nIDTool) const
{
    FillInToolInfo(ToolInfo, pWnd, nIDTool);
    ToolInfo.szText[0] = '\0';
    ToolInfo.lpszText = ToolInfo.szText;
    BOOL bRet = (BOOL)BM_SEND(TTM_GETTOOLINFO, 0, (TOOLINFO*)&ToolInfo);
    ToolInfo.szText[sizeof(ToolInfo.szText) - 1] = '\0';
    return bRet;
}

void CToolTipCtrl::SetToolInfo(LPTOOLINFO lpToolInfo)
{
    if (lpToolInfo == NULL)
        return;
    lpToolInfo->cbSize = TTTOOLINFOA_V2_SIZE;
    BM_SEND(TTM_SETTOOLINFO, 0, lpToolInfo);
}

BOOL CToolTipCtrl::HitTest(CWnd* pWnd, CPoint pt, LPTOOLINFO lpToolInfo) const
{
    if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL || lpToolInfo == NULL)
        return FALSE;
    TTHITTESTINFO hti;
    memset(&hti, 0, sizeof(hti));
    hti.ti.cbSize = TTTOOLINFOA_V2_SIZE;
    hti.hwnd = pWnd->m_hWnd;
    hti.pt = pt;
    if (!BM_SEND(TTM_HITTEST, 0, &hti))
        return FALSE;
    memcpy(lpToolInfo, &hti.ti, TTTOOLINFOA_V2_SIZE);
    return TRUE;
}

int CToolTipCtrl::GetToolCount() const { return (int)BM_SEND(TTM_GETTOOLCOUNT, 0, 0); }

void CToolTipCtrl::RelayEvent(LPMSG lpMsg)
{
    if (lpMsg != NULL && m_hWnd != NULL)
        BM_SEND(TTM_RELAYEVENT, 0, lpMsg);
}

void CToolTipCtrl::Pop() { BM_SEND(TTM_POP, 0, 0); }
void CToolTipCtrl::Activate(BOOL bActivate) { BM_SEND(TTM_ACTIVATE, bActivate, 0); }
void CToolTipCtrl::Update() { BM_SEND(TTM_UPDATE, 0, 0); }
void CToolTipCtrl::SetDelayTime(UINT nDelay) { BM_SEND(TTM_SETDELAYTIME, TTDT_AUTOMATIC, nDelay); }

void CToolTipCtrl::SetDelayTime(DWORD dwDuration, int iTime)
{
    BM_SEND(TTM_SETDELAYTIME, dwDuration, MAKELPARAM(iTime, 0));
}

int CToolTipCtrl::GetDelayTime(DWORD dwDuration) const { return (int)BM_SEND(TTM_GETDELAYTIME, dwDuration, 0); }
int CToolTipCtrl::SetMaxTipWidth(int iWidth) { return (int)BM_SEND(TTM_SETMAXTIPWIDTH, 0, iWidth); }
int CToolTipCtrl::GetMaxTipWidth() const { return (int)BM_SEND(TTM_GETMAXTIPWIDTH, 0, 0); }
void CToolTipCtrl::SetTipBkColor(COLORREF clr) { BM_SEND(TTM_SETTIPBKCOLOR, clr, 0); }
COLORREF CToolTipCtrl::GetTipBkColor() const { return (COLORREF)BM_SEND(TTM_GETTIPBKCOLOR, 0, 0); }
void CToolTipCtrl::SetTipTextColor(COLORREF clr) { BM_SEND(TTM_SETTIPTEXTCOLOR, clr, 0); }
COLORREF CToolTipCtrl::GetTipTextColor() const { return (COLORREF)BM_SEND(TTM_GETTIPTEXTCOLOR, 0, 0); }
void CToolTipCtrl::SetMargin(LPRECT lprc) { BM_SEND(TTM_SETMARGIN, 0, lprc); }
void CToolTipCtrl::GetMargin(LPRECT lprc) const { BM_SEND(TTM_GETMARGIN, 0, lprc); }

// ---------------------------------------------------------------------------
// CToolBarCtrl

CToolBarCtrl::~CToolBarCtrl()
{
    DestroyWindow();
}

BOOL CToolBarCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    InitCommonControlClasses();
    if (!CWnd::Create(TOOLBARCLASSNAME, NULL, dwStyle, rect, pParentWnd, nID))
        return FALSE;
    SetButtonStructSize(sizeof(TBBUTTON));
    return TRUE;
}

BOOL CToolBarCtrl::IsButtonEnabled(int nID) const { return (BOOL)BM_SEND(TB_ISBUTTONENABLED, nID, 0); }
BOOL CToolBarCtrl::IsButtonChecked(int nID) const { return (BOOL)BM_SEND(TB_ISBUTTONCHECKED, nID, 0); }
BOOL CToolBarCtrl::IsButtonPressed(int nID) const { return (BOOL)BM_SEND(TB_ISBUTTONPRESSED, nID, 0); }
BOOL CToolBarCtrl::IsButtonHidden(int nID) const { return (BOOL)BM_SEND(TB_ISBUTTONHIDDEN, nID, 0); }

BOOL CToolBarCtrl::IsButtonIndeterminate(int nID) const
{
    return (BOOL)BM_SEND(TB_ISBUTTONINDETERMINATE, nID, 0);
}

BOOL CToolBarCtrl::SetState(int nID, UINT nState) { return (BOOL)BM_SEND(TB_SETSTATE, nID, MAKELPARAM(nState, 0)); }
int CToolBarCtrl::GetState(int nID) const { return (int)BM_SEND(TB_GETSTATE, nID, 0); }

BOOL CToolBarCtrl::GetButton(int nIndex, LPTBBUTTON lpButton) const
{
    return lpButton != NULL && (BOOL)BM_SEND(TB_GETBUTTON, nIndex, lpButton);
}

int CToolBarCtrl::GetButtonCount() const { return (int)BM_SEND(TB_BUTTONCOUNT, 0, 0); }

BOOL CToolBarCtrl::GetItemRect(int nIndex, LPRECT lpRect) const
{
    return lpRect != NULL && (BOOL)BM_SEND(TB_GETITEMRECT, nIndex, lpRect);
}

BOOL CToolBarCtrl::GetRect(int nID, LPRECT lpRect) const
{
    return lpRect != NULL && (BOOL)BM_SEND(TB_GETRECT, nID, lpRect);
}

void CToolBarCtrl::SetButtonStructSize(int nSize) { BM_SEND(TB_BUTTONSTRUCTSIZE, nSize, 0); }

BOOL CToolBarCtrl::SetButtonSize(CSize size)
{
    return (BOOL)BM_SEND(TB_SETBUTTONSIZE, 0, MAKELPARAM(size.cx, size.cy));
}

CSize CToolBarCtrl::GetButtonSize() const
{
    DWORD dw = (DWORD)BM_SEND(TB_GETBUTTONSIZE, 0, 0);
    return CSize(LOWORD(dw), HIWORD(dw));
}

BOOL CToolBarCtrl::SetBitmapSize(CSize size)
{
    return (BOOL)BM_SEND(TB_SETBITMAPSIZE, 0, MAKELPARAM(size.cx, size.cy));
}

CToolTipCtrl* CToolBarCtrl::GetToolTips() const { return ToolTipOf((HWND)BM_SEND(TB_GETTOOLTIPS, 0, 0)); }
void CToolBarCtrl::SetToolTips(CToolTipCtrl* pTip) { BM_SEND(TB_SETTOOLTIPS, pTip->GetSafeHwnd(), 0); }
void CToolBarCtrl::SetOwner(CWnd* pWnd) { BM_SEND(TB_SETPARENT, pWnd->GetSafeHwnd(), 0); }

void CToolBarCtrl::SetRows(int nRows, BOOL bLarger, LPRECT lpRect)
{
    BM_SEND(TB_SETROWS, MAKEWPARAM(nRows, bLarger), lpRect);
}

int CToolBarCtrl::GetRows() const { return (int)BM_SEND(TB_GETROWS, 0, 0); }
BOOL CToolBarCtrl::SetCmdID(int nIndex, UINT nID) { return (BOOL)BM_SEND(TB_SETCMDID, nIndex, nID); }
UINT CToolBarCtrl::GetBitmapFlags() const { return (UINT)BM_SEND(TB_GETBITMAPFLAGS, 0, 0); }

CImageList* CToolBarCtrl::GetImageList() const
{
    return ImageListOf((HIMAGELIST)BM_SEND(TB_GETIMAGELIST, 0, 0));
}

CImageList* CToolBarCtrl::SetImageList(CImageList* pImageList)
{
    return ImageListOf((HIMAGELIST)BM_SEND(TB_SETIMAGELIST, 0, pImageList->GetSafeHandle()));
}

CImageList* CToolBarCtrl::GetDisabledImageList() const
{
    return ImageListOf((HIMAGELIST)BM_SEND(TB_GETDISABLEDIMAGELIST, 0, 0));
}

CImageList* CToolBarCtrl::SetDisabledImageList(CImageList* pImageList)
{
    return ImageListOf((HIMAGELIST)BM_SEND(TB_SETDISABLEDIMAGELIST, 0, pImageList->GetSafeHandle()));
}

CImageList* CToolBarCtrl::GetHotImageList() const
{
    return ImageListOf((HIMAGELIST)BM_SEND(TB_GETHOTIMAGELIST, 0, 0));
}

CImageList* CToolBarCtrl::SetHotImageList(CImageList* pImageList)
{
    return ImageListOf((HIMAGELIST)BM_SEND(TB_SETHOTIMAGELIST, 0, pImageList->GetSafeHandle()));
}

DWORD CToolBarCtrl::GetStyle() const { return (DWORD)BM_SEND(TB_GETSTYLE, 0, 0); }
void CToolBarCtrl::SetStyle(DWORD dwStyle) { BM_SEND(TB_SETSTYLE, 0, dwStyle); }
DWORD CToolBarCtrl::GetExtendedStyle() const { return (DWORD)BM_SEND(TB_GETEXTENDEDSTYLE, 0, 0); }
DWORD CToolBarCtrl::SetExtendedStyle(DWORD dwExStyle) { return (DWORD)BM_SEND(TB_SETEXTENDEDSTYLE, 0, dwExStyle); }

BOOL CToolBarCtrl::GetButtonInfo(int nID, TBBUTTONINFO* ptbbi) const
{
    if (ptbbi == NULL)
        return FALSE;
    ptbbi->cbSize = sizeof(TBBUTTONINFO);
    return (BOOL)(BM_SEND(TB_GETBUTTONINFO, nID, ptbbi) != -1);
}

BOOL CToolBarCtrl::SetButtonInfo(int nID, TBBUTTONINFO* ptbbi)
{
    if (ptbbi == NULL)
        return FALSE;
    ptbbi->cbSize = sizeof(TBBUTTONINFO);
    return (BOOL)BM_SEND(TB_SETBUTTONINFO, nID, ptbbi);
}

BOOL CToolBarCtrl::SetIndent(int iIndent) { return (BOOL)BM_SEND(TB_SETINDENT, iIndent, 0); }
BOOL CToolBarCtrl::SetMaxTextRows(int iMaxRows) { return (BOOL)BM_SEND(TB_SETMAXTEXTROWS, iMaxRows, 0); }
int CToolBarCtrl::GetHotItem() const { return (int)BM_SEND(TB_GETHOTITEM, 0, 0); }
int CToolBarCtrl::SetHotItem(int nHot) { return (int)BM_SEND(TB_SETHOTITEM, nHot, 0); }

BOOL CToolBarCtrl::EnableButton(int nID, BOOL bEnable)
{
    return (BOOL)BM_SEND(TB_ENABLEBUTTON, nID, MAKELPARAM(bEnable, 0));
}

BOOL CToolBarCtrl::CheckButton(int nID, BOOL bCheck)
{
    return (BOOL)BM_SEND(TB_CHECKBUTTON, nID, MAKELPARAM(bCheck, 0));
}

BOOL CToolBarCtrl::PressButton(int nID, BOOL bPress)
{
    return (BOOL)BM_SEND(TB_PRESSBUTTON, nID, MAKELPARAM(bPress, 0));
}

BOOL CToolBarCtrl::HideButton(int nID, BOOL bHide)
{
    return (BOOL)BM_SEND(TB_HIDEBUTTON, nID, MAKELPARAM(bHide, 0));
}

BOOL CToolBarCtrl::Indeterminate(int nID, BOOL bIndeterminate)
{
    return (BOOL)BM_SEND(TB_INDETERMINATE, nID, MAKELPARAM(bIndeterminate, 0));
}

int CToolBarCtrl::AddBitmap(int nNumButtons, UINT nBitmapID)
{
    TBADDBITMAP tbab;
    tbab.hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nBitmapID), RT_BITMAP);
    tbab.nID = nBitmapID;
    return (int)BM_SEND(TB_ADDBITMAP, nNumButtons, &tbab);
}

int CToolBarCtrl::AddBitmap(int nNumButtons, CBitmap* pBitmap)
{
    if (pBitmap == NULL || pBitmap->m_hObject == NULL)
        return -1;
    TBADDBITMAP tbab;
    tbab.hInst = NULL;
    tbab.nID = (UINT_PTR)pBitmap->m_hObject;
    return (int)BM_SEND(TB_ADDBITMAP, nNumButtons, &tbab);
}

BOOL CToolBarCtrl::AddButtons(int nNumButtons, LPTBBUTTON lpButtons)
{
    return lpButtons != NULL && nNumButtons > 0 && (BOOL)BM_SEND(TB_ADDBUTTONS, nNumButtons, lpButtons);
}

BOOL CToolBarCtrl::InsertButton(int nIndex, LPTBBUTTON lpButton)
{
    return lpButton != NULL && (BOOL)BM_SEND(TB_INSERTBUTTON, nIndex, lpButton);
}

BOOL CToolBarCtrl::DeleteButton(int nIndex) { return (BOOL)BM_SEND(TB_DELETEBUTTON, nIndex, 0); }
UINT CToolBarCtrl::CommandToIndex(UINT nID) const { return (UINT)BM_SEND(TB_COMMANDTOINDEX, nID, 0); }
void CToolBarCtrl::AutoSize() { BM_SEND(TB_AUTOSIZE, 0, 0); }

int CToolBarCtrl::HitTest(LPPOINT ppt) const
{
    return ppt != NULL ? (int)BM_SEND(TB_HITTEST, 0, ppt) : -1;
}

// ---------------------------------------------------------------------------
// CStatusBarCtrl

CStatusBarCtrl::~CStatusBarCtrl()
{
    DestroyWindow();
}

BOOL CStatusBarCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    InitCommonControlClasses();
    return CWnd::Create(STATUSCLASSNAME, NULL, dwStyle, rect, pParentWnd, nID);
}

BOOL CStatusBarCtrl::SetText(LPCTSTR lpszText, int nPane, int nType)
{
    return (BOOL)BM_SEND(SB_SETTEXT, (nPane | nType), lpszText != NULL ? lpszText : "");
}

CString CStatusBarCtrl::GetText(int nPane, int* pType) const
{
    CString str;
    int nLength = GetTextLength(nPane, pType);
    LPTSTR pBuffer = str.GetBuffer(nLength + 1);
    pBuffer[0] = '\0';
    BM_SEND(SB_GETTEXT, nPane, pBuffer);
    pBuffer[nLength] = '\0';
    str.ReleaseBuffer();
    return str;
}

int CStatusBarCtrl::GetTextLength(int nPane, int* pType) const
{
    DWORD dw = (DWORD)BM_SEND(SB_GETTEXTLENGTH, nPane, 0);
    if (pType != NULL)
        *pType = (int)HIWORD(dw);
    return (int)LOWORD(dw);
}

BOOL CStatusBarCtrl::SetParts(int nParts, int* pWidths)
{
    return pWidths != NULL && nParts > 0 && (BOOL)BM_SEND(SB_SETPARTS, nParts, pWidths);
}

int CStatusBarCtrl::GetParts(int nParts, int* pParts) const
{
    return (int)BM_SEND(SB_GETPARTS, nParts, pParts);
}

BOOL CStatusBarCtrl::GetBorders(int* pBorders) const
{
    return pBorders != NULL && (BOOL)BM_SEND(SB_GETBORDERS, 0, pBorders);
}

BOOL CStatusBarCtrl::GetBorders(int& nHorz, int& nVert, int& nSpacing) const
{
    int borders[3] = {0, 0, 0};
    BOOL bRet = GetBorders(borders);
    nHorz = borders[0];
    nVert = borders[1];
    nSpacing = borders[2];
    return bRet;
}

void CStatusBarCtrl::SetMinHeight(int nMin) { BM_SEND(SB_SETMINHEIGHT, nMin, 0); }
BOOL CStatusBarCtrl::SetSimple(BOOL bSimple) { return (BOOL)BM_SEND(SB_SIMPLE, bSimple, 0); }
BOOL CStatusBarCtrl::IsSimple() const { return (BOOL)BM_SEND(SB_ISSIMPLE, 0, 0); }

BOOL CStatusBarCtrl::GetRect(int nPane, LPRECT lpRect) const
{
    return lpRect != NULL && (BOOL)BM_SEND(SB_GETRECT, nPane, lpRect);
}

BOOL CStatusBarCtrl::SetIcon(int nPane, HICON hIcon) { return (BOOL)BM_SEND(SB_SETICON, nPane, hIcon); }
void CStatusBarCtrl::SetTipText(int nPane, LPCTSTR pszTipText) { BM_SEND(SB_SETTIPTEXT, nPane, pszTipText); }
