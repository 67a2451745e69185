// Tab manager: items, selection, scrolling, navigate buttons and the mouse
// and keyboard loops of a tab strip.
#include "XTPTabManager.h"

#include "XTPTabPaintManager.h"

#include <algorithm>
#include <XTPDrawHelpers.h>
#include <XTPImageManager.h>
#include <XTPResourceManager.h>
#include <XTPToolTipContext.h>

IMPLEMENT_DYNAMIC(CXTPTabManagerItem, CCmdTarget)

namespace
{
const int kNavigateButtonWidth = 14;
const int kNavigateButtonHeight = 15;
const DWORD kRepeatInterval = 20;   // ms between two steps of a held arrow

const COLORREF kAutomaticColors[XTP_TABCOLOR_AUTOMATIC_COUNT] = {
    0xE4A88A, 0x75DBFF, 0x9FCDBD, 0x9F9EF0, 0xE1A6BA, 0xB4BF9A, 0x83B6F7, 0xC0ABD8,
};

CPoint PointFromLParam(LPARAM lParam)
{
    return CPoint((int)(short)LOWORD(lParam), (int)(short)HIWORD(lParam));
}

// Takes the next message of a modal mouse loop. FALSE when WM_QUIT came:
// it is posted again so that the loops around this one end too.
BOOL GetLoopMessage(MSG& msg)
{
    if (::GetMessage(&msg, NULL, 0, 0))
        return TRUE;
    ::PostQuitMessage((int)msg.wParam);
    return FALSE;
}

void RequestMouseLeave(HWND hWnd)
{
    TRACKMOUSEEVENT tme = { sizeof(TRACKMOUSEEVENT), TME_LEAVE, hWnd, 0 };
    ::TrackMouseEvent(&tme);
}

int StripLength(const CRect& rc, XTPTabPosition position)
{
    return CXTPTabPaintManager::IsHorizontalPosition(position) ? rc.Width() : rc.Height();
}
} // namespace

COLORREF AFX_CDECL XTPTabAutomaticColor(int nIndex)
{
    return kAutomaticColors[((nIndex % XTP_TABCOLOR_AUTOMATIC_COUNT) + XTP_TABCOLOR_AUTOMATIC_COUNT) %
                            XTP_TABCOLOR_AUTOMATIC_COUNT];
}

//////////////////////////////////////////////////////////////////////////
// CXTPTabManagerItem

CXTPTabManagerItem::CXTPTabManagerItem()
    : m_nButtonLength(0), m_nContentLength(0), m_nItemWord(-1), m_nIndex(-1), m_bEnabled(TRUE), m_bVisible(TRUE),
      m_dwData(0), m_nImage(0), m_nItemWord2(0), m_rcItem(0, 0, 0, 0), m_clrItem(0), m_pTabManager(NULL),
      m_nItemRow(0), m_bClosable(TRUE), m_nItemWord3(0)
{
    EnableAutomation();
}

CXTPTabManagerItem::~CXTPTabManagerItem()
{
}

CString CXTPTabManagerItem::GetCaption() const
{
    return m_pTabManager != NULL ? m_pTabManager->GetItemCaption(this) : m_strCaption;
}

void CXTPTabManagerItem::SetCaption(LPCTSTR lpszCaption)
{
    CString strCaption(lpszCaption);
    if (strCaption == m_strCaption)
        return;
    m_strCaption = strCaption;
    NotifyOwner();
}

void CXTPTabManagerItem::SetVisible(BOOL bVisible)
{
    if (m_bVisible == bVisible)
        return;
    m_bVisible = bVisible;
    NotifyOwner();
}

void CXTPTabManagerItem::SetEnabled(BOOL bEnabled)
{
    if (m_bEnabled == bEnabled)
        return;
    m_bEnabled = bEnabled;
    NotifyOwner();
}

void CXTPTabManagerItem::SetColor(COLORREF clr)
{
    m_clrItem = clr;
    if (m_pTabManager != NULL)
        m_pTabManager->RedrawControl(m_rcItem, FALSE);
}

COLORREF CXTPTabManagerItem::GetColor()
{
    return m_pTabManager != NULL ? m_pTabManager->GetItemColor(this) : m_clrItem;
}

void CXTPTabManagerItem::Select()
{
    if (m_pTabManager != NULL)
        m_pTabManager->OnSelectItem(this);
}

BOOL CXTPTabManagerItem::IsSelected() const
{
    return m_pTabManager != NULL && m_pTabManager->GetSelectedItem() == this;
}

BOOL CXTPTabManagerItem::IsHighlighted() const
{
    return m_pTabManager != NULL && m_pTabManager->GetHighlightedItem() == this;
}

BOOL CXTPTabManagerItem::IsPressed() const
{
    return m_pTabManager != NULL && m_pTabManager->GetPressedItem() == this;
}

void CXTPTabManagerItem::NotifyOwner()
{
    if (m_pTabManager != NULL)
        m_pTabManager->Reposition();
}

namespace
{
// Turns a square 32-bit top-down picture about its main diagonal.
void TransposeBits(const DWORD* pSrc, DWORD* pDest, int nSize)
{
    for (int y = 0; y < nSize; y++)
        for (int x = 0; x < nSize; x++)
            pDest[x * nSize + y] = pSrc[y * nSize + x];
}

} // namespace

void CXTPTabManagerItem::DrawImage(CDC* pDC, CRect rcIcon, CXTPImageManagerIcon* pImage)
{
    if (pImage == NULL || m_pTabManager == NULL)
        return;

    CXTPImageManagerIconHandle& hIcon = !m_bEnabled ? pImage->GetDisabledIcon()
                                        : IsHighlighted() ? pImage->GetHotIcon()
                                        : IsSelected()    ? pImage->GetCheckedIcon()
                                                          : pImage->GetIcon();

    CXTPTabPaintManager* pPaintManager = m_pTabManager->GetPaintManager();
    XTPTabPosition position = m_pTabManager->GetPosition();
    if (rcIcon.Width() == rcIcon.Height() && rcIcon.Width() > 0 && pPaintManager != NULL &&
        pPaintManager->m_bRotateImageOnVerticalDraw &&
        (position == xtpTabPositionLeft || position == xtpTabPositionRight))
    {
        // Background to the first picture, turned into the second, the icon on
        // it, turned back, then put on the DC.
        const int nSize = rcIcon.Width();
        DWORD* pBits1 = NULL;
        DWORD* pBits2 = NULL;
        // Top-down pictures (negative height).
        HBITMAP hBitmap1 = CXTPImageManager::Create32BitDIBSection(pDC->GetSafeHdc(), nSize, -nSize, (LPBYTE*)&pBits1);
        HBITMAP hBitmap2 = CXTPImageManager::Create32BitDIBSection(pDC->GetSafeHdc(), nSize, -nSize, (LPBYTE*)&pBits2);
        if (hBitmap1 != NULL && hBitmap2 != NULL)
        {
            CDC dcMem;
            dcMem.CreateCompatibleDC(pDC);
            HGDIOBJ hOld = ::SelectObject(dcMem.GetSafeHdc(), hBitmap1);
            dcMem.BitBlt(0, 0, nSize, nSize, pDC, rcIcon.left, rcIcon.top, SRCCOPY);
            ::GdiFlush();
            TransposeBits(pBits1, pBits2, nSize);
            ::SelectObject(dcMem.GetSafeHdc(), hBitmap2);
            pImage->Draw(&dcMem, CPoint(0, 0), hIcon, CSize(nSize, nSize));
            ::GdiFlush();
            TransposeBits(pBits2, pBits1, nSize);
            ::SelectObject(dcMem.GetSafeHdc(), hOld);
            ::DrawState(pDC->GetSafeHdc(), NULL, NULL, (LPARAM)hBitmap1, 0, rcIcon.left, rcIcon.top, nSize, nSize,
                        DST_BITMAP);
            ::DeleteObject(hBitmap1);
            ::DeleteObject(hBitmap2);
            return;
        }
        if (hBitmap1 != NULL)
            ::DeleteObject(hBitmap1);
        if (hBitmap2 != NULL)
            ::DeleteObject(hBitmap2);
    }
    pImage->Draw(pDC, rcIcon.TopLeft(), hIcon, rcIcon.Size());
}

//////////////////////////////////////////////////////////////////////////
// Navigate buttons

CXTPTabManager::CNavigateButton::CNavigateButton(CXTPTabManager* pManager, int nID, int nShowMode)
    : m_nID(nID), m_nShowMode(nShowMode), m_nWidth(kNavigateButtonWidth), m_nHeight(kNavigateButtonHeight),
      m_pManager(pManager), m_rcButton(0, 0, 0, 0), m_bEnabled(TRUE), m_bPressed(FALSE), m_bHot(FALSE)
{
}

void CXTPTabManager::CNavigateButton::AdjustWidth(int& nWidth)
{
    if (m_nShowMode == xtpTabNavigateButtonAlways ||
        (m_nShowMode == xtpTabNavigateButtonAutomatic && m_pManager->IsNavigateButtonEnabled(this)))
    {
        XTPTabPosition position = m_pManager->GetPosition();
        nWidth -= CXTPTabPaintManager::IsHorizontalPosition(position) ? m_nWidth : m_nHeight;
    }
}

namespace
{
// Puts a navigate button at the far end of the header and takes its room.
void PlaceNavigateButton(CXTPTabManager::CNavigateButton* pButton, CRect& rcHeader, XTPTabPosition position)
{
    const int cx = pButton->m_nWidth, cy = pButton->m_nHeight;
    if (CXTPTabPaintManager::IsHorizontalPosition(position))
    {
        int nCenter = (rcHeader.top + rcHeader.bottom) / 2;
        pButton->m_rcButton.SetRect(rcHeader.right - cx, nCenter + cy / 2 - cy, rcHeader.right, nCenter + cy / 2);
        rcHeader.right -= cx;
    }
    else
    {
        int nLeft = (rcHeader.left + rcHeader.right) / 2 - cx / 2;
        pButton->m_rcButton.SetRect(nLeft, rcHeader.bottom - cy, nLeft + cx, rcHeader.bottom);
        rcHeader.bottom -= cy;
    }
}
} // namespace

void CXTPTabManager::CNavigateButton::Reposition(CRect& rcHeader)
{
    if (m_nShowMode == xtpTabNavigateButtonNone ||
        (m_nShowMode == xtpTabNavigateButtonAutomatic && !m_pManager->IsNavigateButtonEnabled(this)))
    {
        m_rcButton.SetRectEmpty();
        return;
    }
    PlaceNavigateButton(this, rcHeader, m_pManager->GetPosition());
}

void CXTPTabManager::CNavigateButton::OnExecute(BOOL bTick)
{
    if (!bTick)
        m_pManager->OnNavigateButtonClick(m_nID);
}

void CXTPTabManager::CNavigateButton::Draw(CDC* pDC)
{
    if (m_rcButton.IsRectEmpty())
        return;
    CRect rc(m_rcButton);
    CXTPTabPaintManager* pPaintManager = m_pManager->GetPaintManager();
    if (pPaintManager != NULL)
        pPaintManager->FillNavigateButton(pDC, this, rc);

    COLORREF clrGlyph = pDC->GetTextColor();
    CXTPPenDC pen(pDC->GetSafeHdc(), clrGlyph);
    if (m_bEnabled)
    {
        CXTPBrushDC brush(pDC->GetSafeHdc(), clrGlyph);
        DrawGlyph(pDC, rc);
    }
    else
    {
        HGDIOBJ hOldBrush = ::SelectObject(pDC->GetSafeHdc(), ::GetStockObject(HOLLOW_BRUSH));
        DrawGlyph(pDC, rc);
        ::SelectObject(pDC->GetSafeHdc(), hOldBrush);
    }
}

void CXTPTabManager::CNavigateButton::PerformClick(HWND hWnd, CPoint pt)
{
    if (::GetCapture() != NULL || !m_bEnabled)
        return;

    ::SetCapture(hWnd);
    BOOL bClick = FALSE;
    DWORD dwLastTick = ::GetTickCount();
    m_bPressed = m_rcButton.PtInRect(pt);
    m_pManager->RedrawControl(m_rcButton, TRUE);

    while (::GetCapture() == hWnd)
    {
        // Held down, the button repeats whether or not the pointer is on it,
        // until a layout pass disables it.
        if (m_bEnabled && ::GetTickCount() - dwLastTick > kRepeatInterval)
        {
            dwLastTick = ::GetTickCount();
            OnExecute(TRUE);
        }
        BOOL bPressed = m_rcButton.PtInRect(pt);
        if (bPressed != m_bPressed)
        {
            m_bPressed = bPressed;
            m_pManager->RedrawControl(m_rcButton, TRUE);
        }

        MSG msg;
        if (!::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE))
        {
            // Nothing queued: sleep a little, the repeat keeps its pace.
            ::MsgWaitForMultipleObjects(0, NULL, FALSE, 5, QS_ALLINPUT);
            continue;
        }
        if (!GetLoopMessage(msg))
            break;

        BOOL bEnd = FALSE;
        switch (msg.message)
        {
        case WM_MOUSEMOVE:
            pt = PointFromLParam(msg.lParam);
            break;
        case WM_LBUTTONUP:
            pt = PointFromLParam(msg.lParam);
            bClick = m_rcButton.PtInRect(pt);
            bEnd = TRUE;
            break;
        case WM_RBUTTONDOWN:
        case WM_CANCELMODE:
            bEnd = TRUE;
            break;
        case WM_KEYDOWN:
            bEnd = msg.wParam == VK_ESCAPE;
            break;
        default:
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
            break;
        }
        if (bEnd)
            break;
    }

    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    m_bPressed = FALSE;
    m_pManager->HandleMouseMove(hWnd, pt);
    m_pManager->RedrawControl(NULL, FALSE);
    if (bClick)
        OnExecute(FALSE);
}

void CXTPTabManager::CNavigateButtonArrow::AdjustWidth(int& nWidth)
{
    if (m_nShowMode == xtpTabNavigateButtonAlways)
    {
        XTPTabPosition position = m_pManager->GetPosition();
        nWidth -= CXTPTabPaintManager::IsHorizontalPosition(position) ? m_nWidth : m_nHeight;
    }
}

void CXTPTabManager::CNavigateButtonArrow::Reposition(CRect& rcHeader)
{
    XTPTabLayoutStyle layout = m_pManager->GetLayout();
    if (layout == xtpTabLayoutMultiRow)
    {
        m_rcButton.SetRectEmpty();
        return;
    }
    if (m_nShowMode != xtpTabNavigateButtonAutomatic)
    {
        CNavigateButton::Reposition(rcHeader);
        return;
    }
    if (layout == xtpTabLayoutSizeToFit)
    {
        m_rcButton.SetRectEmpty();
        return;
    }

    XTPTabPosition position = m_pManager->GetPosition();
    CXTPTabPaintManager* pPaintManager = m_pManager->GetPaintManager();
    CRect rcMargin = pPaintManager != NULL ? pPaintManager->GetAppearanceSet()->GetHeaderMargin() : CRect(0, 0, 0, 0);
    int nOffset = m_pManager->GetScrollOffset();
    int nStrip = StripLength(rcHeader, position);
    if (m_pManager->GetItemsLength() + nOffset - rcMargin.left - 1 > nStrip - rcMargin.left - rcMargin.right ||
        nOffset < 0)
    {
        PlaceNavigateButton(this, rcHeader, position);
    }
    else
    {
        m_rcButton.SetRectEmpty();
    }
}

void CXTPTabManager::CNavigateButtonArrow::OnExecute(BOOL bTick)
{
    if (bTick)
        m_pManager->ScrollByStep(m_nID == xtpTabNavigateButtonLeft ? 0 : 1);
}

CXTPTabManager::CNavigateButtonArrowLeft::CNavigateButtonArrowLeft(CXTPTabManager* pManager, int nShowMode)
    : CNavigateButtonArrow(pManager, xtpTabNavigateButtonLeft, nShowMode)
{
    XTPResourceManager()->LoadString(&m_strToolTip, XTP_IDS_TABNAVIGATEBUTTON_LEFT);
}

void CXTPTabManager::CNavigateButtonArrowLeft::Reposition(CRect& rcHeader)
{
    m_bEnabled = m_pManager->GetScrollOffset() < 0;
    CNavigateButtonArrow::Reposition(rcHeader);
}

void CXTPTabManager::CNavigateButtonArrowLeft::DrawGlyph(CDC* pDC, CRect rc)
{
    CPoint c((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    if (CXTPTabPaintManager::IsHorizontalPosition(m_pManager->GetPosition()))
        CXTPDrawHelpers::DrawTriangle(pDC, CPoint(c.x + 2, c.y - 5), CPoint(c.x - 2, c.y - 1), CPoint(c.x + 2, c.y + 3));
    else
        CXTPDrawHelpers::DrawTriangle(pDC, CPoint(c.x - 5, c.y + 2), CPoint(c.x - 1, c.y - 2), CPoint(c.x + 3, c.y + 2));
}

CXTPTabManager::CNavigateButtonArrowRight::CNavigateButtonArrowRight(CXTPTabManager* pManager, int nShowMode)
    : CNavigateButtonArrow(pManager, xtpTabNavigateButtonRight, nShowMode)
{
    XTPResourceManager()->LoadString(&m_strToolTip, XTP_IDS_TABNAVIGATEBUTTON_RIGHT);
}

void CXTPTabManager::CNavigateButtonArrowRight::Reposition(CRect& rcHeader)
{
    XTPTabPosition position = m_pManager->GetPosition();
    CXTPTabPaintManager* pPaintManager = m_pManager->GetPaintManager();
    CRect rcMargin = pPaintManager != NULL ? pPaintManager->GetAppearanceSet()->GetHeaderMargin() : CRect(0, 0, 0, 0);
    m_bEnabled = m_pManager->GetItemsLength() + m_pManager->GetScrollOffset() >
                 StripLength(rcHeader, position) - rcMargin.left - rcMargin.right - 28;
    CNavigateButtonArrow::Reposition(rcHeader);
}

void CXTPTabManager::CNavigateButtonArrowRight::DrawGlyph(CDC* pDC, CRect rc)
{
    CPoint c((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    if (CXTPTabPaintManager::IsHorizontalPosition(m_pManager->GetPosition()))
        CXTPDrawHelpers::DrawTriangle(pDC, CPoint(c.x - 2, c.y - 5), CPoint(c.x + 2, c.y - 1), CPoint(c.x - 2, c.y + 3));
    else
        CXTPDrawHelpers::DrawTriangle(pDC, CPoint(c.x - 5, c.y - 2), CPoint(c.x - 1, c.y + 2), CPoint(c.x + 3, c.y - 2));
}

CXTPTabManager::CNavigateButtonClose::CNavigateButtonClose(CXTPTabManager* pManager, int nShowMode)
    : CNavigateButton(pManager, xtpTabNavigateButtonClose, nShowMode)
{
    XTPResourceManager()->LoadString(&m_strToolTip, XTP_IDS_TABNAVIGATEBUTTON_CLOSE);
}

void CXTPTabManager::CNavigateButtonClose::DrawGlyph(CDC* pDC, CRect rc)
{
    pDC->MoveTo(rc.left + 3, rc.top + 3);
    pDC->LineTo(rc.right - 4, rc.bottom - 5);
    pDC->MoveTo(rc.left + 4, rc.top + 3);
    pDC->LineTo(rc.right - 3, rc.bottom - 5);
    pDC->MoveTo(rc.left + 3, rc.bottom - 6);
    pDC->LineTo(rc.right - 4, rc.top + 2);
    pDC->MoveTo(rc.left + 4, rc.bottom - 6);
    pDC->LineTo(rc.right - 3, rc.top + 2);
}

//////////////////////////////////////////////////////////////////////////
// CRowIndexer

CXTPTabManager::CRowIndexer::CRowIndexer(CXTPTabManager* pManager)
    : m_pManager(pManager), m_nRowCount(0), m_pRows(NULL)
{
    CreateIndexer(1);
}

CXTPTabManager::CRowIndexer::~CRowIndexer()
{
    delete[] m_pRows;
}

CXTPTabManager::CRowIndexer::ROW* CXTPTabManager::CRowIndexer::CreateIndexer(int nRowCount)
{
    if (nRowCount < 0)
        nRowCount = 0;
    if (nRowCount != m_nRowCount)
    {
        delete[] m_pRows;
        m_pRows = nRowCount > 0 ? new ROW[nRowCount] : NULL;
        for (int i = 0; i < nRowCount; i++)
            m_pRows[i].nFirstItem = m_pRows[i].nLastItem = 0;
        m_nRowCount = nRowCount;
    }
    if (m_nRowCount >= 1)
    {
        m_pRows[0].nFirstItem = 0;
        m_pRows[0].nLastItem = m_pManager->GetItemCount() - 1;
    }
    return m_pRows;
}

//////////////////////////////////////////////////////////////////////////
// CXTPTabManager

CXTPTabManager::CXTPTabManager()
    : m_pSelected(NULL), m_pHighlighted(NULL), m_pPressed(NULL), m_nScrollDelta(0), m_bAllowReorder(TRUE),
      m_bActive(TRUE), m_rcHeaderRect(0, 0, 0, 0), m_rcControl(0, 0, 0, 0), m_rcClient(0, 0, 0, 0),
      m_pRowIndexer(NULL), m_nScrollStep(20)
{
    m_arrNavigateButtons.Add(new CNavigateButtonArrowLeft(this, xtpTabNavigateButtonAutomatic));
    m_arrNavigateButtons.Add(new CNavigateButtonArrowRight(this, xtpTabNavigateButtonAutomatic));
    m_arrNavigateButtons.Add(new CNavigateButtonClose(this, xtpTabNavigateButtonNone));
    m_pRowIndexer = new CRowIndexer(this);
}

CXTPTabManager::~CXTPTabManager()
{
    for (int i = 0; i < GetItemCount(); i++)
    {
        m_arrItems[i]->OnRemoved();
        m_arrItems[i]->InternalRelease();
    }
    m_arrItems.RemoveAll();
    for (int i = 0; i < GetNavigateButtonCount(); i++)
        delete m_arrNavigateButtons[i];
    m_arrNavigateButtons.RemoveAll();
    delete m_pRowIndexer;
    m_themeTabControl.CloseThemeData();
}

CString CXTPTabManager::GetItemCaption(const CXTPTabManagerItem* pItem) const
{
    return pItem->m_strCaption;
}

COLORREF CXTPTabManager::GetItemColor(const CXTPTabManagerItem* pItem) const
{
    COLORREF clr = pItem->m_clrItem;
    if (clr >= XTP_TABCOLOR_AUTOMATIC_FIRST && clr < XTP_TABCOLOR_AUTOMATIC_FIRST + XTP_TABCOLOR_AUTOMATIC_COUNT)
        return kAutomaticColors[clr - XTP_TABCOLOR_AUTOMATIC_FIRST];
    return clr;
}

void CXTPTabManager::OnItemsChanged()
{
    for (int i = 0; i < GetItemCount(); i++)
        m_arrItems[i]->m_nIndex = i;
    Reposition();
}

void CXTPTabManager::SetSelectedItem(CXTPTabManagerItem* pItem)
{
    if (pItem == m_pSelected)
        return;
    m_pSelected = pItem;
    Reposition();
    if (pItem != NULL)
        EnsureVisible(pItem);
}

void CXTPTabManager::EnsureVisible(CXTPTabManagerItem* pItem)
{
    CXTPTabPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager == NULL || pItem == NULL)
        return;
    // A scroll can bring the arrows in (the first scroll away from the
    // start) or take them out (back at the start), and the header narrows or
    // widens by them: the item is scrolled again into the header the scroll
    // left, until it stays. An item longer than the header never fits
    // whole, so the passes are bounded.
    for (int nPass = 0; nPass < 4; nPass++)
    {
        const int nOffset = m_nScrollDelta;
        pPaintManager->EnsureVisible(this, pItem);
        if (m_nScrollDelta == nOffset)
            break;
    }
}

void CXTPTabManager::OnItemClick(CXTPTabManagerItem* pItem)
{
    if (pItem != NULL && CanSelectItem(pItem))
        OnSelectItem(pItem);
}

void CXTPTabManager::GetItemMetrics(CSize* pszFixed, CSize* pszMin, CSize* pszMax) const
{
    CXTPTabPaintManager* pPaintManager = GetPaintManager();
    if (pszFixed != NULL)
        *pszFixed = CSize(pPaintManager != NULL ? pPaintManager->m_nFixedTabWidth : 70, 0);
    if (pszMin != NULL)
        *pszMin = CSize(pPaintManager != NULL ? pPaintManager->m_nMinTabWidth : 0, 0);
    if (pszMax != NULL)
        *pszMax = CSize(pPaintManager != NULL ? pPaintManager->m_nMaxTabWidth : 0, 0);
}

BOOL CXTPTabManager::IsDrawStaticFrame() const
{
    CXTPTabPaintManager* pPaintManager = GetPaintManager();
    return pPaintManager != NULL && pPaintManager->m_bStaticFrame;
}

XTPTabPosition CXTPTabManager::GetPosition() const
{
    CXTPTabPaintManager* pPaintManager = GetPaintManager();
    return pPaintManager != NULL ? pPaintManager->GetPosition() : xtpTabPositionTop;
}

XTPTabLayoutStyle CXTPTabManager::GetLayout() const
{
    CXTPTabPaintManager* pPaintManager = GetPaintManager();
    return pPaintManager != NULL ? pPaintManager->GetLayout() : xtpTabLayoutAutoSize;
}

void CXTPTabManager::ScrollByStep(int nDirection)
{
    SetScrollOffset(nDirection == 0 ? m_nScrollDelta + m_nScrollStep : m_nScrollDelta - m_nScrollStep);
}

BOOL CXTPTabManager::IsNavigateButtonEnabled(const CNavigateButton* pButton) const
{
    if (pButton->m_nID == xtpTabNavigateButtonClose)
        return m_pSelected != NULL && m_pSelected->m_bClosable;
    return TRUE;
}

CXTPTabManagerItem* CXTPTabManager::InsertItem(int nItem, CXTPTabManagerItem* pItem)
{
    if (pItem == NULL)
        pItem = new CXTPTabManagerItem();
    pItem->m_pTabManager = this;
    if (nItem < 0 || nItem > GetItemCount())
        nItem = GetItemCount();
    CXTPTabPaintManager* pPaintManager = GetPaintManager();
    int nColor = pPaintManager != NULL ? pPaintManager->TakeAutomaticColor() : 0;
    pItem->m_clrItem = XTP_TABCOLOR_AUTOMATIC_FIRST + (nColor % XTP_TABCOLOR_AUTOMATIC_COUNT);
    m_arrItems.InsertAt(nItem, pItem);
    OnItemsChanged();
    return pItem;
}

void CXTPTabManager::DeleteAllItems()
{
    for (int i = 0; i < GetItemCount(); i++)
    {
        m_arrItems[i]->OnRemoved();
        m_arrItems[i]->InternalRelease();
    }
    m_arrItems.RemoveAll();
    m_pSelected = m_pHighlighted = m_pPressed = NULL;
    OnItemsChanged();
}

void CXTPTabManager::SetCurSel(int nIndex)
{
    if (GetItemCount() == 0)
    {
        SetSelectedItem(NULL);
        return;
    }
    nIndex = std::max(0, std::min(nIndex, GetItemCount() - 1));
    SetSelectedItem(m_arrItems[nIndex]);
}

CXTPTabManagerItem* CXTPTabManager::FindNextFocusable(int nIndex, int nDirection) const
{
    for (int i = nIndex + nDirection; i >= 0 && i < GetItemCount(); i += nDirection)
    {
        CXTPTabManagerItem* pItem = m_arrItems[i];
        if (pItem->m_bVisible && pItem->m_bEnabled)
            return pItem;
    }
    return NULL;
}

void CXTPTabManager::SetScrollOffset(int nOffset)
{
    if (nOffset > 0)
        nOffset = 0;
    if (nOffset == m_nScrollDelta)
        return;
    m_nScrollDelta = nOffset;
    Reposition();
}

int CXTPTabManager::GetItemsLength() const
{
    if (GetLayout() == xtpTabLayoutRotated)
    {
        CXTPTabPaintManager* pPaintManager = GetPaintManager();
        int nButtonHeight = pPaintManager != NULL ? pPaintManager->GetAppearanceSet()->GetButtonHeight(this) : 0;
        return nButtonHeight * GetItemCount();
    }
    int nLength = 0;
    for (int i = 0; i < GetItemCount(); i++)
        nLength += m_arrItems[i]->m_nButtonLength;
    return nLength;
}

CXTPTabManager::CNavigateButton* CXTPTabManager::FindNavigateButton(int nID) const
{
    for (int i = 0; i < GetNavigateButtonCount(); i++)
    {
        if (m_arrNavigateButtons[i]->m_nID == nID)
            return m_arrNavigateButtons[i];
    }
    return NULL;
}

CXTPTabManagerItem* CXTPTabManager::HitTest(CPoint point) const
{
    if (!m_rcControl.PtInRect(point))
        return NULL;
    if (!m_rcHeaderRect.IsRectEmpty() && !m_rcHeaderRect.PtInRect(point))
        return NULL;
    for (int i = 0; i < GetItemCount(); i++)
    {
        CXTPTabManagerItem* pItem = m_arrItems[i];
        if (pItem->m_rcItem.PtInRect(point) && pItem->m_bVisible && pItem->m_bEnabled)
            return pItem;
    }
    return NULL;
}

CRect CXTPTabManager::GetItemDrawRect(CXTPTabManagerItem* pItem) const
{
    CXTPTabPaintManager* pPaintManager = GetPaintManager();
    return pPaintManager != NULL ? pPaintManager->GetAppearanceSet()->GetButtonDrawRect(pItem) : pItem->m_rcItem;
}

void CXTPTabManager::HighlightItem(CXTPTabManagerItem* pItem, HWND hWnd)
{
    if (pItem == m_pHighlighted)
        return;
    if (m_pHighlighted != NULL)
        RedrawControl(GetItemDrawRect(m_pHighlighted), TRUE);
    m_pHighlighted = pItem;
    if (pItem != NULL)
    {
        RedrawControl(GetItemDrawRect(pItem), FALSE);
        if (hWnd != NULL)
            RequestMouseLeave(hWnd);
    }
}

BOOL CXTPTabManager::HandleMouseMove(HWND hWnd, CPoint point)
{
    BOOL bChanged = FALSE;
    if (CXTPDrawHelpers::IsTopParentActive(hWnd) && !IsMouseLocked())
    {
        CXTPTabPaintManager* pPaintManager = GetPaintManager();
        if (pPaintManager != NULL && pPaintManager->m_bHotTracking)
        {
            CXTPTabManagerItem* pItem = HitTest(point);
            if (pItem != m_pHighlighted)
            {
                HighlightItem(pItem, hWnd);
                bChanged = TRUE;
            }
        }
        for (int i = 0; i < GetNavigateButtonCount(); i++)
        {
            CNavigateButton* pButton = m_arrNavigateButtons[i];
            BOOL bOver = pButton->m_rcButton.PtInRect(point);
            if (pButton->m_bHot && !bOver)
            {
                pButton->m_bHot = FALSE;
                RedrawControl(pButton->m_rcButton, TRUE);
                bChanged = TRUE;
            }
            else if (!pButton->m_bHot && bOver && pButton->m_bEnabled)
            {
                pButton->m_bHot = TRUE;
                RedrawControl(pButton->m_rcButton, FALSE);
                RequestMouseLeave(hWnd);
                bChanged = TRUE;
            }
        }
    }
    else if (m_pHighlighted != NULL)
    {
        RedrawControl(GetItemDrawRect(m_pHighlighted), TRUE);
        m_pHighlighted = NULL;
        bChanged = TRUE;
    }
    return bChanged;
}

BOOL CXTPTabManager::HandleLButtonDown(HWND hWnd, CPoint point, BOOL bButtonsOnly)
{
    for (int i = 0; i < GetNavigateButtonCount(); i++)
    {
        CNavigateButton* pButton = m_arrNavigateButtons[i];
        if (pButton->m_rcButton.PtInRect(point))
        {
            pButton->PerformClick(hWnd, point);
            return TRUE;
        }
    }
    if (bButtonsOnly)
        return FALSE;

    CXTPTabManagerItem* pItem = HitTest(point);
    if (pItem == NULL || !CanSelectItem(pItem))
        return FALSE;

    CXTPTabPaintManager* pPaintManager = GetPaintManager();
    if (IsAllowReorder())
        TrackReorder(hWnd, point, pItem);
    else if (pPaintManager == NULL || pPaintManager->m_bSelectOnButtonDown)
        OnSelectItem(pItem);
    else
        TrackClick(hWnd, point, pItem);
    return TRUE;
}

void CXTPTabManager::TrackClick(HWND hWnd, CPoint point, CXTPTabManagerItem* pItem)
{
    CXTPTabPaintManager* pPaintManager = GetPaintManager();
    BOOL bHotTracking = pPaintManager != NULL && pPaintManager->m_bHotTracking;
    m_pPressed = pItem;
    if (bHotTracking)
        m_pHighlighted = pItem;
    Reposition();

    ::SetCapture(hWnd);
    BOOL bRelease = FALSE;
    BOOL bInside = TRUE;
    CPoint pt = point;
    while (::GetCapture() == hWnd)
    {
        MSG msg;
        if (!GetLoopMessage(msg))
            break;
        BOOL bEnd = FALSE;
        switch (msg.message)
        {
        case WM_MOUSEMOVE:
            pt = PointFromLParam(msg.lParam);
            bInside = pItem->m_rcItem.PtInRect(pt);
            if (bHotTracking)
            {
                m_pHighlighted = bInside ? pItem : NULL;
                RedrawControl(pItem->m_rcItem, TRUE);
            }
            break;
        case WM_LBUTTONUP:
            pt = PointFromLParam(msg.lParam);
            bInside = pItem->m_rcItem.PtInRect(pt);
            bRelease = TRUE;
            bEnd = TRUE;
            break;
        case WM_RBUTTONDOWN:
        case WM_CANCELMODE:
            bEnd = TRUE;
            break;
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE)
            {
                bEnd = TRUE;
                break;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
            break;
        default:
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
            break;
        }
        if (bEnd)
            break;
    }

    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    m_pPressed = NULL;
    HandleMouseMove(hWnd, pt);
    RedrawControl(NULL, FALSE);
    if (bRelease && bInside)
        OnSelectItem(pItem);
}

void CXTPTabManager::TrackReorder(HWND hWnd, CPoint point, CXTPTabManagerItem* pItem)
{
    // The dragged tab shows selected meanwhile; the owner hears of one
    // selection, at the end.
    CXTPTabManagerItem* pSelected = m_pSelected;
    CXTPTabPaintManager* pPaintManager = GetPaintManager();
    m_pSelected = pItem;
    if (pPaintManager != NULL && pPaintManager->m_bHotTracking)
        m_pHighlighted = pItem;
    Reposition();

    // The places of the tabs at the start are the drop targets.
    CArray<CRect, CRect&> arrRects;
    arrRects.SetSize(GetItemCount());
    for (int i = 0; i < GetItemCount(); i++)
        arrRects[i] = m_arrItems[i]->m_rcItem;

    ::SetCapture(hWnd);
    CPoint pt = point;
    while (::GetCapture() == hWnd)
    {
        MSG msg;
        if (!GetLoopMessage(msg))
            break;
        BOOL bEnd = FALSE;
        switch (msg.message)
        {
        case WM_MOUSEMOVE:
            pt = PointFromLParam(msg.lParam);
            for (int i = 0; i < arrRects.GetSize() && i < GetItemCount(); i++)
            {
                if (i == pItem->m_nIndex || !arrRects[i].PtInRect(pt))
                    continue;
                int nDragged = pItem->m_nIndex;
                m_arrItems[nDragged] = m_arrItems[i];
                m_arrItems[i] = pItem;
                OnItemsChanged();
                break;
            }
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_CANCELMODE:
            bEnd = TRUE;
            break;
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE)
            {
                bEnd = TRUE;
                break;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
            break;
        default:
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
            break;
        }
        if (bEnd)
            break;
    }

    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    HandleMouseMove(hWnd, pt);
    m_pSelected = pSelected;
    OnSelectItem(pItem);
}

BOOL CXTPTabManager::PerformKeyDown(HWND hWnd, UINT nChar)
{
    const int nCount = GetItemCount();
    if (nCount == 0)
        return FALSE;

    if (hWnd != NULL && (::GetWindowLong(hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0)
    {
        if (nChar == VK_LEFT)
            nChar = VK_RIGHT;
        else if (nChar == VK_RIGHT)
            nChar = VK_LEFT;
    }

    const BOOL bHorizontal = CXTPTabPaintManager::IsHorizontalPosition(GetPosition());
    const int nSelected = GetSelectedIndex();
    switch (nChar)
    {
    case VK_HOME:
        OnItemClick(FindNextFocusable(-1, +1));
        return TRUE;
    case VK_END:
        OnItemClick(FindNextFocusable(nCount, -1));
        return TRUE;
    case VK_LEFT:
    case VK_UP:
        if ((nChar == VK_LEFT) == bHorizontal && nSelected >= 1)
            OnItemClick(FindNextFocusable(nSelected, -1));
        return TRUE;
    case VK_RIGHT:
    case VK_DOWN:
        if ((nChar == VK_RIGHT) == bHorizontal && nSelected >= 0 && nSelected < nCount - 1)
            OnItemClick(FindNextFocusable(nSelected, +1));
        return TRUE;
    }
    return FALSE;
}

INT_PTR CXTPTabManager::ToolHitTest(HWND hWnd, CPoint point, TOOLINFO* pTI) const
{
    if (IsMouseLocked())
        return -1;

    for (int i = 0; i < GetNavigateButtonCount(); i++)
    {
        CNavigateButton* pButton = m_arrNavigateButtons[i];
        if (!pButton->m_rcButton.PtInRect(point))
            continue;
        if (!pButton->m_bEnabled || pButton->m_strToolTip.IsEmpty())
            return -1;
        CXTPToolTipContext::FillInToolInfo(pTI, hWnd, pButton->m_rcButton, i, pButton->m_strToolTip);
        return i;
    }

    CXTPTabPaintManager* pPaintManager = GetPaintManager();
    CXTPTabManagerItem* pItem = HitTest(point);
    if (pItem == NULL || pPaintManager == NULL || pPaintManager->m_toolBehaviour == xtpTabToolTipNever)
        return -1;
    if (pPaintManager->m_toolBehaviour == xtpTabToolTipShrinkedOnly &&
        pItem->m_nButtonLength >= pItem->m_nContentLength)
        return -1;
    CString strTip = GetItemTooltip(pItem);
    if (strTip.IsEmpty())
        return -1;
    CXTPToolTipContext::FillInToolInfoEx(pTI, hWnd, pItem->m_rcItem, pItem->m_nIndex, strTip, pItem->GetCaption(),
                                         strTip, NULL);
    return pItem->m_nIndex;
}
