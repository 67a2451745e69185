// The gallery control, its items and the combo box's gallery drop-down.
#include "XTPControlGallery.h"

#include <algorithm>

#include "XTPCommandBar.h"
#include "XTPCommandBars.h"
#include "XTPControls.h"
#include "XTPControlGalleryPaintManager.h"
#include "XTPDrawHelpers.h"
#include "XTPPaintManager.h"
#include "XTPPropExchange.h"

namespace
{
const int kLabelHeight = 19;    // a label's rectangle
const int kLabelStep = 20;      // the step a label takes in the layout
} // namespace

//////////////////////////////////////////////////////////////////////////
// CXTPControlGalleryItem

CXTPControlGalleryItem::CXTPControlGalleryItem()
    : m_nId(0)
    , m_nIndex(-1)
    , m_bLabel(FALSE)
    , m_szItem(0, 0)
    , m_pItems(NULL)
{
}

CXTPControlGalleryItem::~CXTPControlGalleryItem()
{
}

CSize CXTPControlGalleryItem::GetSize()
{
    if (m_bLabel)
        return CSize(0, kLabelHeight);
    if (m_szItem != CSize(0, 0) || m_pItems == NULL)
        return m_szItem;
    return m_pItems->GetItemSize();
}

void CXTPControlGalleryItem::Draw(CDC* pDC, CXTPControlGallery* pGallery, CRect rcItem, BOOL bEnabled,
                                  BOOL bSelected, BOOL bPressed, BOOL bChecked)
{
    CXTPPaintManager* pPaintManager = pGallery->GetPaintManager();
    if (m_bLabel)
    {
        CXTPControlGalleryPaintManager* pGalleryPaintManager = pGallery->GetGalleryPaintManager();
        if (pGalleryPaintManager != NULL)
            pGalleryPaintManager->DrawLabel(pDC, this, rcItem);
        return;
    }
    if (pPaintManager == NULL)
        return;

    // A plain item: the control background of its state and its caption.
    CXTPCommandBar* pParent = pGallery->GetParent();
    int nBarType = pParent != NULL ? (int)pParent->GetType() : 0;
    int nBarPosition = pParent != NULL ? (int)pParent->GetPosition() : 0;
    if (bSelected || bChecked)
        pPaintManager->DrawRectangle(pDC, rcItem, bSelected, bPressed, bEnabled, bChecked, FALSE,
                                     (XTPBarType)nBarType, (XTPBarPosition)nBarPosition);
    COLORREF clrText = pPaintManager->GetRectangleTextColor(bSelected, bPressed, bEnabled, bChecked, FALSE,
                                                            nBarType, nBarPosition);
    CFont* pOldFont = pDC->SelectObject(pPaintManager->GetRegularFont());
    pDC->SetTextColor(clrText);
    pDC->SetBkMode(TRANSPARENT);
    CRect rcText(rcItem);
    rcText.DeflateRect(2, 0);
    pDC->DrawText(m_strCaption, rcText, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    pDC->SelectObject(pOldFont);
}

//////////////////////////////////////////////////////////////////////////
// CXTPControlGalleryItems

CXTPControlGalleryItems::CXTPControlGalleryItems()
    : m_szItem(20, 20)
    , m_bClipItems(TRUE)
{
}

CXTPControlGalleryItems::~CXTPControlGalleryItems()
{
    for (int i = 0; i < (int)m_arrItems.GetSize(); i++)
        m_arrItems[i]->InternalRelease();
    m_arrItems.RemoveAll();
}

CXTPControlGalleryItem* CXTPControlGalleryItems::AddItem(CXTPControlGalleryItem* pItem, int nId)
{
    if (pItem == NULL)
        return NULL;
    if (nId != -1)
        pItem->m_nId = nId;
    pItem->m_pItems = this;
    pItem->m_nIndex = (int)m_arrItems.Add(pItem);
    OnItemsChanged();
    return pItem;
}

CXTPControlGalleryItem* CXTPControlGalleryItems::AddItem(LPCTSTR lpszCaption, int nId)
{
    CXTPControlGalleryItem* pItem = new CXTPControlGalleryItem();
    pItem->m_strCaption = lpszCaption;
    pItem->m_strToolTip = lpszCaption;
    return AddItem(pItem, nId);
}

CXTPControlGalleryItem* CXTPControlGalleryItems::AddLabel(LPCTSTR lpszCaption)
{
    CXTPControlGalleryItem* pItem = new CXTPControlGalleryItem();
    pItem->m_strCaption = lpszCaption;
    pItem->m_bLabel = TRUE;
    return AddItem(pItem, 0);
}

void CXTPControlGalleryItems::Remove(int nIndex)
{
    if (nIndex < 0 || nIndex >= (int)m_arrItems.GetSize())
        return;
    m_arrItems[nIndex]->InternalRelease();
    m_arrItems.RemoveAt(nIndex);
    for (int i = nIndex; i < (int)m_arrItems.GetSize(); i++)
        m_arrItems[i]->m_nIndex = i;
    OnItemsChanged();
}

void CXTPControlGalleryItems::RemoveAll()
{
    for (int i = 0; i < (int)m_arrItems.GetSize(); i++)
        m_arrItems[i]->InternalRelease();
    m_arrItems.RemoveAll();
    OnItemsChanged();
}

CXTPControlGalleryItem* CXTPControlGalleryItems::GetItem(int nIndex) const
{
    if (nIndex < 0 || nIndex >= (int)m_arrItems.GetSize())
        return NULL;
    return m_arrItems[nIndex];
}

BOOL CXTPControlGalleryItems::PreDrawItem(CDC*, CXTPControlGallery*, CXTPControlGalleryItem*, CRect, BOOL, BOOL,
                                          BOOL, BOOL)
{
    return FALSE;
}

void CXTPControlGalleryItems::OnItemsChanged()
{
    for (int i = 0; i < (int)m_arrGalleries.GetSize(); i++)
    {
        m_arrGalleries[i]->Reposition();
        m_arrGalleries[i]->RedrawParent(FALSE);
    }
}

//////////////////////////////////////////////////////////////////////////
// CXTPControlGallery

IMPLEMENT_DYNCREATE(CXTPControlGallery, CXTPControlPopup)

CXTPControlGallery::CXTPControlGallery()
    : m_nChecked(-1)
    , m_nSelectedItem(-1)
    , m_bHideSelection(FALSE)
    , m_bPressed(FALSE)
    , m_nScrollPos(0)
    , m_bKeyboardSelected(FALSE)
    , m_nTotalHeight(0)
    , m_bShowLabels(TRUE)
    , m_bShowScrollBar(TRUE)
    , m_bShowBorders(FALSE)
    , m_rcMargin(0, 0, 0, 0)
    , m_pItems(NULL)
{
    m_nWidth = 120;
    m_nHeight = 60;
    m_controlType = xtpControlGallery;
    m_dwFlags = xtpFlagShowPopupBarTip;
}

namespace {

// Takes a gallery off the list of galleries its items redraw and drops the
// reference the gallery held on them.
void ReleaseItemsOf(CXTPControlGalleryItems* pItems, CXTPControlGallery* pGallery)
{
    for (int i = 0; i < (int)pItems->m_arrGalleries.GetSize(); i++)
    {
        if (pItems->m_arrGalleries[i] == pGallery)
        {
            pItems->m_arrGalleries.RemoveAt(i);
            break;
        }
    }
    pItems->InternalRelease();
}

} // namespace

CXTPControlGallery::~CXTPControlGallery()
{
    // No relayout here: the parent bar may be going too.
    if (m_pItems != NULL)
    {
        ReleaseItemsOf(m_pItems, this);
        m_pItems = NULL;
    }
}

void CXTPControlGallery::SetItems(CXTPControlGalleryItems* pItems)
{
    if (pItems == m_pItems)
        return;
    if (pItems != NULL)
    {
        pItems->InternalAddRef();
        pItems->m_arrGalleries.Add(this);
    }
    if (m_pItems != NULL)
    {
        ReleaseItemsOf(m_pItems, this);
    }
    m_pItems = pItems;
    m_nSelectedItem = -1;
    m_nScrollPos = 0;
    Reposition();
}

int CXTPControlGallery::GetItemCount() const
{
    return m_pItems != NULL ? m_pItems->GetItemCount() : 0;
}

CXTPControlGalleryItem* CXTPControlGallery::GetItem(int nIndex) const
{
    return m_pItems != NULL ? m_pItems->GetItem(nIndex) : NULL;
}

BOOL CXTPControlGallery::HasPopupBar() const
{
    // Any popup bar makes the gallery a drop-down, even one that gets its
    // controls later.
    return m_pCommandBar != NULL;
}

void CXTPControlGallery::SetCommandBar(CXTPCommandBar* pBar)
{
    CXTPControlPopup::SetCommandBar(pBar);
    Reposition();
}

void CXTPControlGallery::RestoreCommandBarList(CXTPCommandBarList* pCommandBarList)
{
    CXTPControlPopup::RestoreCommandBarList(pCommandBarList);
    Reposition();
}

CXTPControlGalleryPaintManager* CXTPControlGallery::GetScrollBarPaintManager() const
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    return pPaintManager != NULL ? pPaintManager->GetGalleryPaintManager() : NULL;
}

BOOL CXTPControlGallery::IsShowBottomSeparator() const
{
    if (m_pParent == NULL || m_pParent->GetType() != xtpBarTypePopup || m_bShowBorders)
        return FALSE;
    CXTPControls* pControls = m_pParent->GetControls();
    if (pControls == NULL)
        return FALSE;
    int nNext = pControls->GetNext(m_nIndex, +1, FALSE);
    return nNext > m_nIndex;
}

void CXTPControlGallery::GetBorders(RECT* pRect) const
{
    CRect rc(0, 0, 0, 0);
    if (m_bShowBorders)
        rc.SetRect(1, 1, 1, 1);
    if (m_bShowScrollBar)
    {
        CXTPControlGalleryPaintManager* pPaintManager = GetScrollBarPaintManager();
        int cxBar = HasPopupBar() ? (pPaintManager != NULL ? pPaintManager->m_cxPopup : 16)
                                            : (pPaintManager != NULL ? pPaintManager->m_cxVScroll
                                                                     : ::GetSystemMetrics(SM_CXVSCROLL));
        rc.right += cxBar;
    }
    if (IsShowBottomSeparator())
        rc.bottom = 2;
    rc.left += m_rcMargin.left;
    rc.top += m_rcMargin.top;
    rc.right += m_rcMargin.right;
    rc.bottom += m_rcMargin.bottom;
    *pRect = rc;
}

CRect CXTPControlGallery::GetItemsRect() const
{
    CRect rcBorders;
    GetBorders(&rcBorders);
    CRect rc(m_rcControl);
    rc.DeflateRect(rcBorders.left, rcBorders.top, rcBorders.right, rcBorders.bottom);
    return rc;
}

void CXTPControlGallery::GetScrollBarRect(RECT* pRect)
{
    CRect rc(0, 0, 0, 0);
    if (m_bShowScrollBar)
    {
        CXTPControlGalleryPaintManager* pPaintManager = GetScrollBarPaintManager();
        int cxBar = HasPopupBar() ? (pPaintManager != NULL ? pPaintManager->m_cxPopup : 16)
                                            : (pPaintManager != NULL ? pPaintManager->m_cxVScroll
                                                                     : ::GetSystemMetrics(SM_CXVSCROLL));
        rc.SetRect(m_rcControl.right - cxBar, m_rcControl.top, m_rcControl.right, m_rcControl.bottom);
        if (m_bShowBorders)
        {
            rc.OffsetRect(-1, 0);
            rc.DeflateRect(0, 1);
        }
        if (IsShowBottomSeparator())
            rc.bottom -= 2;
    }
    *pRect = rc;
}

void CXTPControlGallery::GetScrollInfo(SCROLLINFO* psi)
{
    psi->nMin = 0;
    psi->nMax = std::max(m_nTotalHeight - 1, 0);
    psi->nPage = (UINT)std::max(GetItemsRect().Height(), 0);
    psi->nPos = m_nScrollPos;
}

BOOL CXTPControlGallery::IsScrollBarEnabled() const
{
    return GetEnabled();
}

void CXTPControlGallery::CalcScrollBarInfo(const RECT* lprc, SCROLLBARPOSINFO* pSBInfo, const SCROLLINFO* pSI)
{
    if (!HasPopupBar())
    {
        CXTPScrollBase::CalcScrollBarInfo(lprc, pSBInfo, pSI);
        return;
    }
    // The button column: up, down and "more" below them.
    CXTPControlGalleryPaintManager* pPaintManager = GetScrollBarPaintManager();
    int cyUp = pPaintManager != NULL ? pPaintManager->m_cyPopupUp : 19;
    int cyDown = pPaintManager != NULL ? pPaintManager->m_cyPopupDown : 19;
    int ht = pSBInfo->ht;
    ZeroMemory(pSBInfo, sizeof(SCROLLBARPOSINFO));
    pSBInfo->ht = ht;
    pSBInfo->rc = *lprc;
    pSBInfo->pxTop = lprc->top;
    pSBInfo->pxBottom = lprc->bottom;
    pSBInfo->pxLeft = lprc->left;
    pSBInfo->pxRight = lprc->right;
    pSBInfo->posMin = pSI->nMin;
    pSBInfo->posMax = pSI->nMax;
    pSBInfo->page = (int)pSI->nPage;
    pSBInfo->pos = pSI->nPos;
    pSBInfo->pxUpArrow = lprc->top + cyUp;
    pSBInfo->pxDownArrow = pSBInfo->pxUpArrow;
    pSBInfo->pxPopup = pSBInfo->pxUpArrow + cyDown;
    pSBInfo->pxMin = pSBInfo->pxUpArrow;
    pSBInfo->pxThumbTop = pSBInfo->pxThumbBottom = pSBInfo->pxUpArrow;
    pSBInfo->fVert = TRUE;
}

void CXTPControlGallery::DoScroll(int cmd, int pos)
{
    int nItemHeight = m_pItems != NULL ? m_pItems->GetItemSize().cy : 20;
    int nPage = GetItemsRect().Height();
    int nScrollPos = m_nScrollPos;
    switch (cmd)
    {
    case SB_LINEUP:
        nScrollPos -= nItemHeight;
        break;
    case SB_LINEDOWN:
        nScrollPos += nItemHeight;
        break;
    case SB_PAGEUP:
        nScrollPos -= nPage;
        break;
    case SB_PAGEDOWN:
        nScrollPos += nPage;
        break;
    case SB_THUMBTRACK:
        nScrollPos = pos;
        break;
    case SB_TOP:
        nScrollPos = 0;
        break;
    case SB_BOTTOM:
        nScrollPos = m_nTotalHeight;
        break;
    default:
        break;
    }
    SetScrollPos(nScrollPos);
}

void CXTPControlGallery::RedrawScrollBar()
{
    RedrawParent(TRUE);
}

void CXTPControlGallery::Reposition()
{
    if (m_pParent == NULL || !IsInPlace())
    {
        // Nothing is shown; no position keeps an item that may go meanwhile.
        m_arrItemsPosition.RemoveAll();
        return;
    }

    CRect rcItems = GetItemsRect();
    int nCount = GetItemCount();
    m_arrItemsPosition.SetSize(nCount);
    if (nCount == 0)
    {
        m_nTotalHeight = 0;
        CalcScrollBar();
        return;
    }

    int x = rcItems.left, y = rcItems.top;
    BOOL bNewRow = TRUE;
    BOOL bLastWasItem = FALSE;
    int nRowHeight = 0;
    for (int i = 0; i < nCount; i++)
    {
        CXTPControlGalleryItem* pItem = GetItem(i);
        GALLERYITEM_POSITION& pos = m_arrItemsPosition[i];
        pos.pItem = pItem;
        pos.bBeginRow = FALSE;
        pos.rcItem.SetRectEmpty();

        if (!pItem->IsLabel())
        {
            CSize sz = pItem->GetSize();
            if (sz.cx == 0)
                sz.cx = rcItems.Width();
            if (bNewRow)
            {
                pos.bBeginRow = TRUE;
            }
            else if (x + sz.cx > rcItems.right)
            {
                y += nRowHeight;
                x = rcItems.left;
                pos.bBeginRow = TRUE;
                nRowHeight = 0;
            }
            pos.rcItem.SetRect(x, y, x + sz.cx, y + sz.cy);
            nRowHeight = std::max(nRowHeight, (int)sz.cy);
            x += sz.cx;
            bNewRow = FALSE;
            bLastWasItem = TRUE;
        }
        else if (m_bShowLabels)
        {
            if (!bNewRow)
                y += nRowHeight;
            pos.rcItem.SetRect(rcItems.left, y, rcItems.right, y + kLabelHeight);
            pos.bBeginRow = TRUE;
            y += kLabelStep;
            nRowHeight = 0;
            bNewRow = TRUE;
            x = rcItems.left;
            bLastWasItem = FALSE;
        }
    }
    m_nTotalHeight = y - rcItems.top + (bLastWasItem ? nRowHeight : 0);
    CalcScrollBar();
}

CSize CXTPControlGallery::GetSize(CDC* pDC)
{
    if (IsInPlace())
        return CSize(m_nWidth, m_nHeight);
    // Shown as a popup button, the gallery measures as one: its width and
    // height are those of the items area it shows in place.
    int nWidth = m_nWidth, nHeight = m_nHeight;
    m_nWidth = m_nHeight = 0;
    CSize sz = CXTPControlPopup::GetSize(pDC);
    m_nWidth = nWidth;
    m_nHeight = nHeight;
    return sz;
}

void CXTPControlGallery::SetRect(CRect rcControl)
{
    if (!IsInPlace())
    {
        CXTPControlPopup::SetRect(rcControl);
        return;
    }
    if (m_rcControl == rcControl)
        return;
    m_rcControl = rcControl;
    Reposition();
}

void CXTPControlGallery::SetAction(CXTPControlAction* pAction)
{
    CXTPControlPopup::SetAction(pAction);
    Reposition();
}

void CXTPControlGallery::OnActionChanged(int nProperty)
{
    CXTPControlPopup::OnActionChanged(nProperty);
    Reposition();
}

BOOL CXTPControlGallery::IsSelectable(int nIndex) const
{
    CXTPControlGalleryItem* pItem = GetItem(nIndex);
    return pItem != NULL && !pItem->IsLabel();
}

int CXTPControlGallery::HitTestItem(CPoint point, LPRECT lpRect) const
{
    if (!IsInPlace())
        return -1;
    CRect rcItems = GetItemsRect();
    if (!rcItems.PtInRect(point))
        return -1;
    for (int i = 0; i < (int)m_arrItemsPosition.GetSize(); i++)
    {
        const GALLERYITEM_POSITION& pos = m_arrItemsPosition[i];
        if (pos.rcItem.IsRectEmpty())
            continue;
        CRect rc(pos.rcItem);
        rc.OffsetRect(0, -m_nScrollPos);
        if (rc.top >= rcItems.bottom)
            break;
        if (rc.PtInRect(point))
        {
            if (pos.pItem == NULL || pos.pItem->IsLabel())
                return -1;
            if (lpRect != NULL)
                *lpRect = rc;
            return i;
        }
    }
    return -1;
}

CRect CXTPControlGallery::GetItemDrawRect(int nIndex) const
{
    if (nIndex < 0 || nIndex >= (int)m_arrItemsPosition.GetSize())
        return CRect(0, 0, 0, 0);
    CRect rc(m_arrItemsPosition[nIndex].rcItem);
    rc.OffsetRect(0, -m_nScrollPos);
    CRect rcClip;
    if (!rcClip.IntersectRect(rc, GetItemsRect()))
        return CRect(0, 0, 0, 0);
    return rcClip;
}

void CXTPControlGallery::SetScrollPos(int nScrollPos)
{
    // The lower bound wins: content shorter than the rectangle stays at 0.
    int nMax = m_nTotalHeight - GetItemsRect().Height();
    if (nScrollPos > nMax)
        nScrollPos = nMax;
    if (nScrollPos < 0)
        nScrollPos = 0;
    if (nScrollPos == m_nScrollPos)
        return;
    m_nScrollPos = nScrollPos;
    Reposition();
    CalcScrollBar();
    RedrawParent(FALSE);
}

void CXTPControlGallery::EnsureVisible(int nIndex)
{
    if (m_pParent == NULL || nIndex < 0 || nIndex >= (int)m_arrItemsPosition.GetSize())
        return;
    CRect rcItems = GetItemsRect();
    CRect rcItem(m_arrItemsPosition[nIndex].rcItem);
    rcItem.OffsetRect(0, -m_nScrollPos);

    if (rcItem.top >= rcItems.top)
    {
        if (rcItem.bottom > rcItems.bottom)
            SetScrollPos(m_nScrollPos + rcItem.bottom - rcItems.bottom);
        return;
    }

    int nScrollTo = m_nScrollPos + rcItem.top - rcItems.top;
    if (m_bShowLabels)
    {
        for (int i = nIndex - 1; i >= 0; i--)
        {
            const GALLERYITEM_POSITION& pos = m_arrItemsPosition[i];
            if (pos.pItem != NULL && pos.pItem->IsLabel())
            {
                int nLabelTop = pos.rcItem.top;
                if (m_arrItemsPosition[nIndex].rcItem.top - nLabelTop <= rcItems.Height() - rcItem.Height())
                    nScrollTo = nLabelTop - (rcItems.top);
                break;
            }
        }
    }
    SetScrollPos(nScrollTo);
}

void CXTPControlGallery::RedrawItem(int nIndex)
{
    CRect rc = GetItemDrawRect(nIndex);
    if (!rc.IsRectEmpty() && m_pParent != NULL && m_pParent->GetSafeHwnd() != NULL)
        m_pParent->Redraw(rc, FALSE);
}

void CXTPControlGallery::SetSelectedItem(int nIndex)
{
    int nOld = m_nSelectedItem;
    m_bHideSelection = FALSE;
    m_bPressed = FALSE;
    m_bKeyboardSelected = TRUE;
    m_nSelectedItem = nIndex;

    if (m_pItems != NULL && m_pItems->IsClipItems())
    {
        RedrawItem(nOld);
        int nScrollPos = m_nScrollPos;
        EnsureVisible(nIndex);
        if (nScrollPos == m_nScrollPos)
            RedrawItem(nIndex);
    }
    else
    {
        EnsureVisible(nIndex);
        RedrawParent(FALSE);
    }

    // The event names the gallery by the object id its bar hands it out
    // under, and the item as its child.
    LONG nObjectId = GetAccessibleObjectId();
    if (nIndex >= 0 && nIndex < GetItemCount() && nObjectId != 0 && m_pParent->GetSafeHwnd() != NULL)
        NotifyWinEvent(EVENT_OBJECT_FOCUS, m_pParent->GetSafeHwnd(), nObjectId, nIndex + 1);
}

int CXTPControlGallery::GetNextEnabledItem(int nIndex, int nDirection) const
{
    int nCount = GetItemCount();
    if (nCount == 0 || nDirection == 0)
        return -1;
    int nStart = nIndex;
    int i = nIndex == -1 && nDirection < 0 ? nCount - 1 : nIndex + nDirection;
    BOOL bWrapped = nIndex == -1;
    for (int nSteps = 0; nSteps <= nCount; nSteps++)
    {
        if (i < 0 || i >= nCount)
        {
            if (bWrapped)
                return -1;
            bWrapped = TRUE;
            i = i < 0 ? nCount - 1 : 0;
        }
        if (i == nStart)
            return nStart;
        if (IsSelectable(i))
            return i;
        i += nDirection;
    }
    return -1;
}

int CXTPControlGallery::FindItem(int nStartAfter, LPCTSTR lpszItem, BOOL bExact) const
{
    int nCount = GetItemCount();
    if (lpszItem == NULL || *lpszItem == 0 || nCount == 0)
        return -1;
    int nLength = lstrlen(lpszItem);
    int nStart = nStartAfter + 1;
    if (nStart < 0 || nStart >= nCount)
        nStart = 0;
    for (int n = 0; n < nCount; n++)
    {
        int i = (nStart + n) % nCount;
        CXTPControlGalleryItem* pItem = GetItem(i);
        if (pItem == NULL)
            continue;
        CString strCaption = pItem->GetCaption();
        if (bExact)
        {
            if (strCaption.CompareNoCase(lpszItem) == 0)
                return i;
        }
        else if (strCaption.GetLength() >= nLength &&
                 ::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, strCaption, nLength, lpszItem, nLength) ==
                     CSTR_EQUAL)
        {
            return i;
        }
    }
    return -1;
}

CString CXTPControlGallery::GetItemText(int nIndex) const
{
    CXTPControlGalleryItem* pItem = GetItem(nIndex);
    return pItem != NULL ? pItem->GetCaption() : CString();
}

int CXTPControlGallery::SetTopIndex(int nIndex)
{
    if (nIndex < 0 || nIndex >= (int)m_arrItemsPosition.GetSize())
        return -1;
    SetScrollPos(m_arrItemsPosition[nIndex].rcItem.top - GetItemsRect().top);
    return 0;
}

BOOL CXTPControlGallery::IsScrollButtonEnabled(int ht) const
{
    if (!GetEnabled())
        return FALSE;
    if (!HasPopupBar())
        return TRUE;
    if (ht == xtpScrollHitUp)
        return m_nScrollPos > 0;
    if (ht == xtpScrollHitDown)
        return m_nScrollPos < m_nTotalHeight - GetItemsRect().Height();
    return TRUE;
}

void CXTPControlGallery::DrawItems(CDC* pDC)
{
    CRect rcItems = GetItemsRect();
    if (rcItems.IsRectEmpty())
        return;

    // Clip in device coordinates, through the viewport origin.
    // The caller's clipping comes back afterwards.
    int nSavedDC = pDC->SaveDC();
    CPoint ptOrg = pDC->GetViewportOrg();
    CRgn rgn;
    CRect rcDevice(rcItems);
    rcDevice.OffsetRect(ptOrg);
    rgn.CreateRectRgnIndirect(&rcDevice);
    pDC->SelectClipRgn(&rgn, RGN_AND);

    int nSelected = m_bHideSelection ? -1 : m_nSelectedItem;
    BOOL bEnabled = GetEnabled();
    for (int i = 0; i < (int)m_arrItemsPosition.GetSize(); i++)
    {
        const GALLERYITEM_POSITION& pos = m_arrItemsPosition[i];
        CRect rcItem(pos.rcItem);
        rcItem.OffsetRect(0, -m_nScrollPos);
        if (rcItem.bottom < rcItems.top)
            continue;
        if (rcItem.IsRectEmpty() || pos.pItem == NULL)
            continue;
        BOOL bSelected = i == nSelected;
        BOOL bPressed = bSelected && m_bPressed;
        BOOL bChecked = pos.pItem->GetID() == m_nChecked;
        if (!m_pItems->PreDrawItem(pDC, this, pos.pItem, rcItem, bEnabled, bSelected, bPressed, bChecked))
            pos.pItem->Draw(pDC, this, rcItem, bEnabled, bSelected, bPressed, bChecked);
        if (rcItem.top > rcItems.bottom)
            break;
    }
    pDC->RestoreDC(nSavedDC);
}

void CXTPControlGallery::Draw(CDC* pDC)
{
    if (!IsInPlace())
    {
        CXTPControlPopup::Draw(pDC);
        return;
    }
    CXTPControlGalleryPaintManager* pGalleryPaintManager = GetGalleryPaintManager();
    if (pGalleryPaintManager == NULL)
        return;
    pGalleryPaintManager->FillControl(pDC, this, m_rcControl);
    if (m_pItems != NULL)
        DrawItems(pDC);
    if (m_bShowScrollBar)
    {
        if (!HasPopupBar())
            pGalleryPaintManager->DrawScrollBar(pDC, this);
        else
            pGalleryPaintManager->DrawScrollButtons(pDC, this);
    }
}

void CXTPControlGallery::OnClick(BOOL bKeyboard, CPoint pt)
{
    if (!IsInPlace())
    {
        CXTPControlPopup::OnClick(bKeyboard, pt);
        return;
    }
    if (IsCustomizeMode())
    {
        if (m_pParent != NULL)
        {
            m_pParent->SetPopuped(-1);
            m_pParent->SetSelected(-1);
        }
        OnCustomizeClick(pt);
        return;
    }
    if (!GetEnabled() || bKeyboard || m_pParent == NULL)
        return;

    OnMouseMove(pt);
    int ht = HitTest(pt);
    if (ht == xtpScrollHitPopup)
    {
        if (HasPopupBar())
            m_pParent->SetPopuped(m_nIndex);
    }
    else if (ht != xtpScrollHitNone)
    {
        PerformTrackInit(m_pParent->GetSafeHwnd(), pt.x, pt.y, &m_spi, ::GetKeyState(VK_SHIFT) < 0);
    }
    else
    {
        m_pParent->SetPopuped(-1);
        if (m_nSelectedItem != -1 && !m_bKeyboardSelected)
        {
            m_bPressed = TRUE;
            RedrawParent(FALSE);
        }
    }
}

void CXTPControlGallery::OnLButtonUp(CPoint point)
{
    if (!IsInPlace())
    {
        CXTPControlPopup::OnLButtonUp(point);
        return;
    }
    if (m_bPressed)
    {
        m_bPressed = FALSE;
        RedrawParent(FALSE);
        OnExecute();
    }
}

void CXTPControlGallery::OnMouseMove(CPoint point)
{
    if (!IsInPlace())
    {
        CXTPControlPopup::OnMouseMove(point);
        return;
    }
    int nIndex = HitTestItem(point);
    BOOL bUnchanged = (nIndex == -1 && m_bKeyboardSelected) ||
                      (nIndex == m_nSelectedItem && !m_bHideSelection && !m_bKeyboardSelected);
    if (!bUnchanged)
    {
        int nOld = m_nSelectedItem;
        m_nSelectedItem = nIndex;
        m_bHideSelection = FALSE;
        m_bKeyboardSelected = FALSE;
        m_bPressed = FALSE;
        if (m_pItems != NULL && m_pItems->IsClipItems())
        {
            RedrawItem(nOld);
            RedrawItem(nIndex);
        }
        else
        {
            RedrawParent(FALSE);
        }
    }

    int ht = HitTest(point);
    if (ht != m_spi.ht)
    {
        m_spi.ht = ht;
        RedrawParent(FALSE);
    }
}

BOOL CXTPControlGallery::OnSetSelected(int bSelected)
{
    if (!IsInPlace())
        return CXTPControlPopup::OnSetSelected(bSelected);
    if (bSelected == 0)
    {
        m_spi.ht = xtpScrollHitNone;
        m_bHideSelection = TRUE;
    }
    else if (bSelected == 2)
    {
        SetSelectedItem(GetNextEnabledItem(-1, +1));
    }
    else if (bSelected == 3)
    {
        SetSelectedItem(GetNextEnabledItem(-1, -1));
    }
    return CXTPControlPopup::OnSetSelected(bSelected);
}

int CXTPControlGallery::OnHookKeyDown(UINT nChar, LPARAM lParam)
{
    (void)lParam;
    if (!IsInPlace() || m_pParent == NULL || m_pParent->GetSelectedControl() != this)
        return FALSE;
    if (nChar < VK_TAB || nChar > VK_DOWN)
        return FALSE;
    CXTPDrawHelpers::KeyToLayout(m_pParent, nChar);

    int nCount = (int)m_arrItemsPosition.GetSize();
    int nCurrent = (m_nSelectedItem >= 0 && m_nSelectedItem < nCount && !m_bHideSelection) ? m_nSelectedItem : -1;
    CRect rcItems = GetItemsRect();

    switch (nChar)
    {
    case VK_TAB:
    {
        BOOL bShift = ::GetKeyState(VK_SHIFT) < 0;
        int nNext = GetNextEnabledItem(nCurrent, bShift ? -1 : +1);
        if ((bShift && nNext < nCurrent && nNext != -1) || (!bShift && nNext > nCurrent))
        {
            SetSelectedItem(nNext);
            return TRUE;
        }
        return FALSE;
    }

    case VK_RETURN:
        OnExecute();
        return FALSE;

    case VK_PRIOR:
    case VK_NEXT:
    {
        BOOL bUp = nChar == VK_PRIOR;
        if (nCurrent == -1)
            nCurrent = GetNextEnabledItem(-1, bUp ? -1 : +1);
        if (nCurrent == -1)
            return TRUE;
        int nChosen = nCurrent;
        for (int i = nCurrent + (bUp ? -1 : 1); i >= 0 && i < nCount; i += bUp ? -1 : 1)
        {
            if (!IsSelectable(i) || m_arrItemsPosition[i].rcItem.IsRectEmpty())
                continue;
            int nDistance = bUp ? m_arrItemsPosition[nCurrent].rcItem.top - m_arrItemsPosition[i].rcItem.top
                                : m_arrItemsPosition[i].rcItem.bottom - m_arrItemsPosition[nCurrent].rcItem.bottom;
            if (nDistance >= rcItems.Height())
                break;
            nChosen = i;
        }
        SetSelectedItem(nChosen);
        return TRUE;
    }

    case VK_END:
        SetSelectedItem(GetNextEnabledItem(-1, -1));
        return TRUE;

    case VK_HOME:
        SetSelectedItem(GetNextEnabledItem(-1, +1));
        return TRUE;

    case VK_LEFT:
    case VK_RIGHT:
    {
        int cxItem = m_pItems != NULL ? m_pItems->GetItemSize().cx : 0;
        if (cxItem == 0 || 2 * cxItem > rcItems.Width() || nCurrent == -1)
            return TRUE;
        // The row of the current item.
        int nRowStart = nCurrent;
        while (nRowStart > 0 && !m_arrItemsPosition[nRowStart].bBeginRow)
            nRowStart--;
        int nRowEnd = nCurrent;
        while (nRowEnd + 1 < nCount && !m_arrItemsPosition[nRowEnd + 1].bBeginRow)
            nRowEnd++;
        int nNext = nCurrent;
        if (nChar == VK_LEFT)
        {
            do
                nNext = nNext > nRowStart ? nNext - 1 : nRowEnd;
            while (nNext != nCurrent && m_arrItemsPosition[nNext].rcItem.IsRectEmpty());
        }
        else
        {
            do
                nNext = nNext < nRowEnd ? nNext + 1 : nRowStart;
            while (nNext != nCurrent && m_arrItemsPosition[nNext].rcItem.IsRectEmpty());
        }
        SetSelectedItem(nNext);
        return TRUE;
    }

    case VK_UP:
    case VK_DOWN:
    {
        BOOL bUp = nChar == VK_UP;
        if (nCurrent == -1)
        {
            int nFirst = GetNextEnabledItem(-1, bUp ? -1 : +1);
            if (nFirst == -1)
                return FALSE;
            SetSelectedItem(nFirst);
            return TRUE;
        }
        int nLeft = m_arrItemsPosition[nCurrent].rcItem.left;
        for (int i = nCurrent + (bUp ? -1 : 1); i >= 0 && i < nCount; i += bUp ? -1 : 1)
        {
            if (IsSelectable(i) && !m_arrItemsPosition[i].rcItem.IsRectEmpty() &&
                m_arrItemsPosition[i].rcItem.left == nLeft)
            {
                SetSelectedItem(i);
                return TRUE;
            }
        }
        return FALSE;
    }

    default:
        return FALSE;
    }
}

void CXTPControlGallery::OnMouseWheel(short zDelta)
{
    int nStep = 3 * (m_pItems != NULL ? m_pItems->GetItemSize().cy : 20);
    SetScrollPos(m_nScrollPos + (zDelta > 0 ? -nStep : nStep));
}

BOOL CXTPControlGallery::OnHookMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    (void)nFlags;
    (void)pt;
    if (!IsInPlace())
        return FALSE;
    OnMouseWheel(zDelta);
    return TRUE;
}

CString CXTPControlGallery::GetTooltip(LPPOINT pPoint, LPRECT lpRectTip, INT_PTR* pnHit) const
{
    if (!IsInPlace() || pPoint == NULL)
        return CXTPControlPopup::GetTooltip(pPoint, lpRectTip, pnHit);
    CRect rcItem;
    int nIndex = HitTestItem(*pPoint, &rcItem);
    if (nIndex == -1)
        return CString();
    CXTPControlGalleryItem* pItem = GetItem(nIndex);
    if (lpRectTip != NULL)
        *lpRectTip = rcItem;
    if (pnHit != NULL)
        *pnHit = pItem->GetID() + 1;
    return pItem->GetToolTip();
}

void CXTPControlGallery::AdjustExcludeRect(CRect& rc, BOOL bVertical)
{
    if (!IsInPlace())
    {
        CXTPControlPopup::AdjustExcludeRect(rc, bVertical);
        return;
    }
    // The popup opens over the gallery. The rectangle stays in the parent
    // bar's client coordinates: the popup bar converts it to the screen.
    rc.SetRect(m_rcControl.left - 1, m_rcControl.top, m_rcControl.left - 1, m_rcControl.top);
}

void CXTPControlGallery::Copy(CXTPControl* pControl, BOOL bRecursive)
{
    CXTPControlPopup::Copy(pControl, bRecursive);
    CXTPControlGallery* pGallery = DYNAMIC_DOWNCAST(CXTPControlGallery, pControl);
    if (pGallery == NULL)
        return;
    m_bShowLabels = pGallery->m_bShowLabels;
    m_bShowBorders = pGallery->m_bShowBorders;
    m_bShowScrollBar = pGallery->m_bShowScrollBar;
    m_rcMargin = pGallery->m_rcMargin;
    SetItems(pGallery->m_pItems);
}

void CXTPControlGallery::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPControlPopup::DoPropExchange(pPX);
    PropExchangeBool(pPX, _T("ShowLabels"), m_bShowLabels, TRUE);
    PropExchangeBool(pPX, _T("ShowBorders"), m_bShowBorders, TRUE);
    PropExchangeBool(pPX, _T("ShowScrollBar"), m_bShowScrollBar, TRUE);
    RECT rcMargin = m_rcMargin;
    PropExchangeRect(pPX, _T("GalleryMargin"), rcMargin, CRect(0, 0, 0, 0));
    m_rcMargin = rcMargin;
}

CXTPControl* CXTPControlGallery::Clone(BOOL bRecursive)
{
    CXTPControlGallery* pGallery = (CXTPControlGallery*)GetRuntimeClass()->CreateObject();
    if (pGallery == NULL)
        pGallery = new CXTPControlGallery();
    pGallery->Copy(this, bRecursive);
    return pGallery;
}

//////////////////////////////////////////////////////////////////////////
// Accessibility

namespace
{
// The item a child id names: -1 for the gallery itself, -2 for none.
int AccessibleItem(const CXTPControlGallery* pGallery, VARIANT* pvarChild)
{
    long nChild = CXTPAccessible::GetChildIndex(pvarChild);
    if (nChild == CHILDID_SELF)
        return -1;
    if (nChild < 1 || nChild > pGallery->GetItemCount())
        return -2;
    return (int)nChild - 1;
}
} // namespace

HRESULT CXTPControlGallery::GetAccessibleChildCount(long* pcountChildren)
{
    if (!IsInPlace())
        return CXTPControlPopup::GetAccessibleChildCount(pcountChildren);
    if (pcountChildren == NULL)
        return E_INVALIDARG;
    *pcountChildren = GetItemCount();
    return S_OK;
}

HRESULT CXTPControlGallery::GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild)
{
    if (!IsInPlace())
        return CXTPControlPopup::GetAccessibleChild(varChild, ppdispChild);
    if (ppdispChild == NULL)
        return E_INVALIDARG;
    *ppdispChild = NULL;
    // Items are simple elements of the gallery, not objects of their own.
    return AccessibleItem(this, &varChild) == -2 ? E_INVALIDARG : S_FALSE;
}

HRESULT CXTPControlGallery::GetAccessibleName(VARIANT varChild, BSTR* pszName)
{
    int nItem = IsInPlace() ? AccessibleItem(this, &varChild) : -1;
    if (nItem == -1)
        return CXTPControlPopup::GetAccessibleName(varChild, pszName);
    if (pszName == NULL || nItem < 0)
        return E_INVALIDARG;
    CXTPControlGalleryItem* pItem = GetItem(nItem);
    // The caption without its access key's marks; a caption of marks alone
    // names nothing, and the tip names the item.
    CString strName = pItem->GetCaption();
    CXTPDrawHelpers::StripMnemonics(strName);
    if (strName.IsEmpty())
        strName = pItem->GetToolTip();
    *pszName = strName.AllocSysString();
    return S_OK;
}

BOOL CXTPControlGallery::IsAccessibleNameMnemonic(VARIANT varChild)
{
    int nItem = IsInPlace() ? AccessibleItem(this, &varChild) : -1;
    if (nItem == -1)
        return CXTPControlPopup::IsAccessibleNameMnemonic(varChild);
    // An item named by its tip, which keeps its marks, as a control's does.
    CXTPControlGalleryItem* pItem = GetItem(nItem);
    if (pItem == NULL)
        return FALSE;
    CString strCaption = pItem->GetCaption();
    CXTPDrawHelpers::StripMnemonics(strCaption);
    return strCaption.IsEmpty();
}

HRESULT CXTPControlGallery::GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole)
{
    if (!IsInPlace())
        return CXTPControlPopup::GetAccessibleRole(varChild, pvarRole);
    int nItem = AccessibleItem(this, &varChild);
    if (pvarRole == NULL || nItem == -2)
        return E_INVALIDARG;
    pvarRole->vt = VT_I4;
    pvarRole->lVal = nItem == -1 ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_LISTITEM;
    return S_OK;
}

HRESULT CXTPControlGallery::GetAccessibleState(VARIANT varChild, VARIANT* pvarState)
{
    int nItem = IsInPlace() ? AccessibleItem(this, &varChild) : -1;
    if (nItem == -1)
        return CXTPControlPopup::GetAccessibleState(varChild, pvarState);
    if (pvarState == NULL || nItem < 0)
        return E_INVALIDARG;
    long nState = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
    if (nItem == m_nSelectedItem && !m_bHideSelection)
        nState |= STATE_SYSTEM_FOCUSED;
    if (GetItem(nItem)->GetID() == m_nChecked)
        nState |= STATE_SYSTEM_SELECTED;
    // An item of a gallery off the screen (on a ribbon tab not selected, in
    // a closed popup), or scrolled out of the gallery's view, is not seen.
    if (!IsAccessibleOnScreen() || GetItemDrawRect(nItem).IsRectEmpty())
        nState |= STATE_SYSTEM_INVISIBLE;
    pvarState->vt = VT_I4;
    pvarState->lVal = nState;
    return S_OK;
}

HRESULT CXTPControlGallery::GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction)
{
    int nItem = IsInPlace() ? AccessibleItem(this, &varChild) : -1;
    if (nItem == -1)
        return CXTPControlPopup::GetAccessibleDefaultAction(varChild, pszDefaultAction);
    if (pszDefaultAction == NULL || nItem < 0)
        return E_INVALIDARG;
    *pszDefaultAction = CString(_T("Click")).AllocSysString();
    return S_OK;
}

HRESULT CXTPControlGallery::AccessibleSelect(long flagsSelect, VARIANT varChild)
{
    int nItem = IsInPlace() ? AccessibleItem(this, &varChild) : -1;
    if (nItem == -1)
        return CXTPControlPopup::AccessibleSelect(flagsSelect, varChild);
    if (nItem < 0)
        return E_INVALIDARG;
    SetSelectedItem(nItem);
    return S_OK;
}

HRESULT CXTPControlGallery::AccessibleDoDefaultAction(VARIANT varChild)
{
    int nItem = IsInPlace() ? AccessibleItem(this, &varChild) : -1;
    if (nItem == -1)
        return CXTPControlPopup::AccessibleDoDefaultAction(varChild);
    if (nItem < 0)
        return E_INVALIDARG;
    std::shared_ptr<CXTPControlGallery> pGallery = KeepAlive(this);
    std::shared_ptr<CXTPControlGalleryItem> pItem = KeepAlive(GetItem(nItem));
    return PostDefaultAction([pGallery, pItem] {
        // The item is found again: the gallery's items may have changed.
        for (int i = 0; pGallery->IsInPlace() && i < pGallery->GetItemCount(); i++)
        {
            if (pGallery->GetItem(i) == pItem.get())
            {
                pGallery->SetSelectedItem(i);
                return;
            }
        }
    });
}

HRESULT CXTPControlGallery::AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                               VARIANT varChild)
{
    int nItem = IsInPlace() ? AccessibleItem(this, &varChild) : -1;
    if (nItem == -1)
        return CXTPControlPopup::AccessibleLocation(pxLeft, pyTop, pcxWidth, pcyHeight, varChild);
    if (pxLeft == NULL || pyTop == NULL || pcxWidth == NULL || pcyHeight == NULL || nItem < 0)
        return E_INVALIDARG;
    *pxLeft = *pyTop = *pcxWidth = *pcyHeight = 0;
    CRect rc = GetItemDrawRect(nItem);
    if (rc.IsRectEmpty() || !IsAccessibleOnScreen())
        return S_OK;
    m_pParent->ClientToScreen(&rc);
    *pxLeft = rc.left;
    *pyTop = rc.top;
    *pcxWidth = rc.Width();
    *pcyHeight = rc.Height();
    return S_OK;
}

HRESULT CXTPControlGallery::AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    if (!IsInPlace())
        return CXTPControlPopup::AccessibleHitTest(xLeft, yTop, pvarChild);
    if (pvarChild == NULL)
        return E_INVALIDARG;
    pvarChild->vt = VT_EMPTY;
    if (m_pParent == NULL || m_pParent->GetSafeHwnd() == NULL)
        return S_FALSE;
    CPoint pt(xLeft, yTop);
    m_pParent->ScreenToClient(&pt);
    if (!m_rcControl.PtInRect(pt))
        return S_FALSE;
    int nItem = HitTestItem(pt);
    pvarChild->vt = VT_I4;
    pvarChild->lVal = nItem == -1 ? CHILDID_SELF : nItem + 1;
    return S_OK;
}

//////////////////////////////////////////////////////////////////////////
// CXTPControlComboBoxGalleryPopupBar

IMPLEMENT_DYNCREATE(CXTPControlComboBoxGalleryPopupBar, CXTPControlComboBoxPopupBar)

BEGIN_MESSAGE_MAP(CXTPControlComboBoxGalleryPopupBar, CXTPControlComboBoxPopupBar)
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

CXTPControlComboBoxGalleryPopupBar::CXTPControlComboBoxGalleryPopupBar()
{
}

CXTPControlGallery* CXTPControlComboBoxGalleryPopupBar::GetGalleryControl() const
{
    if (GetControlCount() == 0)
        return NULL;
    return DYNAMIC_DOWNCAST(CXTPControlGallery, GetControl(0));
}

int CXTPControlComboBoxGalleryPopupBar::GetCurSel() const
{
    CXTPControlGallery* pGallery = GetGalleryControl();
    return pGallery != NULL ? pGallery->GetSelectedItem() : -1;
}

int CXTPControlComboBoxGalleryPopupBar::FindString(int nStartAfter, LPCTSTR lpszItem) const
{
    CXTPControlGallery* pGallery = GetGalleryControl();
    return pGallery != NULL ? pGallery->FindItem(nStartAfter, lpszItem, FALSE) : -1;
}

int CXTPControlComboBoxGalleryPopupBar::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const
{
    CXTPControlGallery* pGallery = GetGalleryControl();
    return pGallery != NULL ? pGallery->FindItem(nIndexStart, lpszFind, TRUE) : -1;
}

int CXTPControlComboBoxGalleryPopupBar::SetTopIndex(int nIndex)
{
    CXTPControlGallery* pGallery = GetGalleryControl();
    return pGallery != NULL ? pGallery->SetTopIndex(nIndex) : -1;
}

void CXTPControlComboBoxGalleryPopupBar::SetCurSel(int nIndex)
{
    CXTPControlGallery* pGallery = GetGalleryControl();
    if (pGallery != NULL)
        pGallery->SetSelectedItem(nIndex);
}

void CXTPControlComboBoxGalleryPopupBar::GetText(int nIndex, CString& rString) const
{
    CXTPControlGallery* pGallery = GetGalleryControl();
    rString = pGallery != NULL ? pGallery->GetItemText(nIndex) : CString();
}

BOOL CXTPControlComboBoxGalleryPopupBar::ProcessHookKeyDown(CXTPControlComboBox* pComboBox, UINT nChar,
                                                            LPARAM lParam)
{
    (void)pComboBox;
    CXTPControlGallery* pGallery = GetGalleryControl();
    if (pGallery == NULL || nChar == VK_TAB)
        return FALSE;
    return pGallery->OnHookKeyDown(nChar, lParam);
}

CXTPControlComboBox* CXTPControlComboBoxGalleryPopupBar::GetComboBox() const
{
    return DYNAMIC_DOWNCAST(CXTPControlComboBox, m_pControlPopup);
}

void CXTPControlComboBoxGalleryPopupBar::TakeSelection()
{
    CXTPControlComboBox* pComboBox = GetComboBox();
    if (pComboBox == NULL)
        return;
    pComboBox->OnSelChanged();
    pComboBox->OnExecute();
}

BOOL CXTPControlComboBoxGalleryPopupBar::SetTrackingMode(int bMode, BOOL bSelectFirst, BOOL bKeyboard)
{
    if (!CXTPControlComboBoxPopupBar::SetTrackingMode(bMode, bSelectFirst, bKeyboard))
        return FALSE;
    CXTPControlComboBox* pComboBox = GetComboBox();
    if (bMode)
    {
        CXTPControlGallery* pGallery = GetGalleryControl();
        if (pGallery != NULL)
            SetSelected(pGallery->GetIndex());
        if (pComboBox != NULL)
        {
            pComboBox->UpdatePopupSelection();
            pComboBox->NotifySite(XTP_CBN_DROPDOWN);
        }
    }
    else if (pComboBox != NULL)
    {
        pComboBox->NotifySite(XTP_CBN_CLOSEUP);
    }
    return TRUE;
}

int CXTPControlComboBoxGalleryPopupBar::OnHookKeyDown(UINT nChar, LPARAM lParam)
{
    CXTPControlComboBox* pComboBox = GetComboBox();
    if (nChar == VK_ESCAPE || pComboBox == NULL)
        return CXTPControlComboBoxPopupBar::OnHookKeyDown(nChar, lParam);
    if (nChar == VK_TAB)
        return FALSE;
    if (nChar == VK_RETURN && GetGalleryControl() != NULL && GetSelectedControl() == GetGalleryControl())
    {
        TakeSelection();
        return TRUE;
    }
    CXTPControlGallery* pGallery = GetGalleryControl();
    if (pGallery != NULL && pGallery->OnHookKeyDown(nChar, lParam))
        return TRUE;
    return pComboBox->OnHookKeyDown(nChar, lParam);
}

void CXTPControlComboBoxGalleryPopupBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    CXTPControlGallery* pGallery = GetGalleryControl();
    if (pGallery != NULL && pGallery->GetRect().PtInRect(point) && pGallery->HitTestItem(point) != -1)
    {
        TakeSelection();
        return;
    }
    CXTPControlComboBoxPopupBar::OnLButtonUp(nFlags, point);
}

CXTPCommandBar* CXTPControlComboBoxGalleryPopupBar::Clone(BOOL bRecursive)
{
    CXTPControlComboBoxGalleryPopupBar* pBar = new CXTPControlComboBoxGalleryPopupBar();
    pBar->Copy(this, bRecursive);
    return pBar;
}
