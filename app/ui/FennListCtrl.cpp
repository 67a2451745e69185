// Owner-drawn report lists.
#include "FennListCtrl.h"

namespace
{
// Text buffers of the drawing and the row building (no heap use per row).
const int kItemTextBuffer = 1000;
const int kHeadingBuffer = 255;

TCHAR s_szShortString[FENN_SHORT_STRING_BUFFER];
}

/////////////////////////////////////////////////////////////////////////////
// CFennListCtrl

IMPLEMENT_DYNAMIC(CFennListCtrl, CListCtrl)

CFennListCtrl::CFennListCtrl()
    : m_clrEvenRowBack(0x00D5FFFF), m_clrOddRowBack(0x00FFFFD9), m_clrEvenRowText(0), m_clrOddRowText(0)
{
}

CFennListCtrl::~CFennListCtrl()
{
}

LPCTSTR AFX_CDECL CFennListCtrl::MakeShortString(CDC* pDC, LPCTSTR lpszLong, int nColumnLen)
{
    static const TCHAR szThreeDots[] = "...";
    if (lpszLong == NULL)
        return "";
    const int nStringLen = lstrlen(lpszLong);
    if (nStringLen == 0 || pDC == NULL)
        return lpszLong;
    HDC hAttribDC = pDC->m_hAttribDC != NULL ? pDC->m_hAttribDC : pDC->GetSafeHdc();
    SIZE size;
    if (!::GetTextExtentPoint32(hAttribDC, lpszLong, nStringLen, &size) || size.cx <= nColumnLen)
        return lpszLong;

    // The dots are measured with their terminating zero, which keeps a
    // little room after them.
    SIZE sizeDots;
    ::GetTextExtentPoint32(hAttribDC, szThreeDots, (int)(sizeof(szThreeDots) / sizeof(TCHAR)), &sizeDots);

    // The longest prefix that fits with the dots, but never more than the
    // buffer holds with them and the terminating zero.
    const int nMaxPrefix = FENN_SHORT_STRING_BUFFER - 4;
    int nKeep = 1;
    for (int i = (nStringLen - 1 < nMaxPrefix ? nStringLen - 1 : nMaxPrefix); i >= 1; i--)
    {
        SIZE sizePrefix;
        ::GetTextExtentPoint32(hAttribDC, lpszLong, i, &sizePrefix);
        if (sizePrefix.cx + sizeDots.cx <= nColumnLen)
        {
            nKeep = i;
            break;
        }
    }
    memcpy(s_szShortString, lpszLong, nKeep * sizeof(TCHAR));
    memcpy(s_szShortString + nKeep, szThreeDots, sizeof(szThreeDots));
    return s_szShortString;
}

void CFennListCtrl::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (lpDIS == NULL)
        return;
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const int nItem = (int)lpDIS->itemID;

    TCHAR szBuffer[kItemTextBuffer];
    szBuffer[0] = 0;
    LVITEM lvi;
    memset(&lvi, 0, sizeof(lvi));
    lvi.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE;
    lvi.iItem = nItem;
    lvi.iSubItem = 0;
    lvi.pszText = szBuffer;
    lvi.cchTextMax = kItemTextBuffer;
    lvi.stateMask = 0xFFFF;
    GetItem(&lvi);
    szBuffer[kItemTextBuffer - 1] = 0;

    CRect rcBounds, rcLabel, rcIcon;
    GetItemRect(nItem, rcBounds, LVIR_BOUNDS);
    GetItemRect(nItem, rcLabel, LVIR_LABEL);
    GetItemRect(nItem, rcIcon, LVIR_ICON);

    const BOOL bFocus = ::GetFocus() == m_hWnd;
    const BOOL bHighlight = ((lvi.state & LVIS_SELECTED) && (bFocus || (GetStyle() & LVS_SHOWSELALWAYS))) ||
                            (lvi.state & LVIS_DROPHILITED);
    const BOOL bEven = (nItem % 2) == 0;

    // The texts go over the row's colour, with no box of the DC's own
    // background colour behind them.
    const int nOldBkMode = pDC->SetBkMode(TRANSPARENT);
    COLORREF clrOldText;
    COLORREF clrOldBack = CLR_INVALID;
    if (bHighlight)
    {
        clrOldText = pDC->SetTextColor(::GetSysColor(COLOR_HIGHLIGHTTEXT));
        clrOldBack = pDC->SetBkColor(::GetSysColor(COLOR_HIGHLIGHT));
        pDC->FillSolidRect(&rcBounds, ::GetSysColor(COLOR_HIGHLIGHT));
    }
    else
    {
        clrOldText = pDC->SetTextColor(bEven ? m_clrEvenRowText : m_clrOddRowText);
        CBrush brush(bEven ? m_clrEvenRowBack : m_clrOddRowBack);
        pDC->FillRect(&rcBounds, &brush);
    }

    // Images, when the list has image lists.
    CImageList* pStateImages = GetImageList(LVSIL_STATE);
    CImageList* pSmallImages = GetImageList(LVSIL_SMALL);
    if (pStateImages != NULL || pSmallImages != NULL)
    {
        UINT nStyle = ILD_TRANSPARENT;
        if ((lvi.state & LVIS_CUT) || bHighlight)
            nStyle |= ILD_BLEND50;
        const UINT nStateImage = (lvi.state & LVIS_STATEIMAGEMASK) >> 12;
        if (pStateImages != NULL && nStateImage > 0)
            ::ImageList_Draw(pStateImages->GetSafeHandle(), (int)nStateImage - 1, lpDIS->hDC, lpDIS->rcItem.left,
                             lpDIS->rcItem.top, ILD_TRANSPARENT);
        if (pSmallImages != NULL && (lpDIS->rcItem.right - lpDIS->rcItem.left) > 1)
            ::ImageList_DrawEx(pSmallImages->GetSafeHandle(), lvi.iImage, lpDIS->hDC, rcIcon.left, rcIcon.top, 16,
                               16, ::GetSysColor(COLOR_HIGHLIGHT), ::GetSysColor(COLOR_HIGHLIGHT),
                               nStyle | (lvi.state & LVIS_OVERLAYMASK));
    }

    // The first column: its label, unclipped.
    TCHAR szDraw[FENN_SHORT_STRING_BUFFER];
    CRect rcText = rcLabel;
    rcText.DeflateRect(2, 0);
    lstrcpyn(szDraw, MakeShortString(pDC, szBuffer, rcText.Width()), FENN_SHORT_STRING_BUFFER);
    pDC->DrawText(szDraw, -1, &rcText, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);

    // The further columns, each in its own width, clipped.
    TCHAR szHeading[kHeadingBuffer];
    LVCOLUMN lvc;
    memset(&lvc, 0, sizeof(lvc));
    lvc.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    lvc.pszText = szHeading;
    lvc.cchTextMax = kHeadingBuffer;
    CRect rcColumn = rcLabel;
    rcColumn.left = rcColumn.right = rcLabel.right;
    for (int nColumn = 1; GetColumn(nColumn, &lvc); nColumn++)
    {
        rcColumn.left = rcColumn.right;
        rcColumn.right += lvc.cx;
        szBuffer[0] = 0;
        GetItemText(nItem, nColumn, szBuffer, kItemTextBuffer);
        if (szBuffer[0] == 0)
            continue;
        UINT nJustify = DT_LEFT;
        switch (lvc.fmt & LVCFMT_JUSTIFYMASK)
        {
        case LVCFMT_RIGHT:
            nJustify = DT_RIGHT;
            break;
        case LVCFMT_CENTER:
            nJustify = DT_CENTER;
            break;
        default:
            break;
        }
        CRect rcCell = rcColumn;
        rcCell.DeflateRect(2, 0);
        lstrcpyn(szDraw, MakeShortString(pDC, szBuffer, rcCell.Width()), FENN_SHORT_STRING_BUFFER);
        pDC->DrawText(szDraw, -1, &rcCell, nJustify | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }

    if ((lvi.state & LVIS_FOCUSED) && bFocus)
        pDC->DrawFocusRect(&rcBounds);

    if (clrOldBack != CLR_INVALID)
        pDC->SetBkColor(clrOldBack);
    pDC->SetTextColor(clrOldText);
    pDC->SetBkMode(nOldBkMode);
}

/////////////////////////////////////////////////////////////////////////////
// CListCtrlColumnInfo

CListCtrlColumnInfo::CListCtrlColumnInfo()
    : m_nColumnID(-1), m_nDisplayPosition(-1), m_nWidth(100), m_bVisible(true), m_nType(1)
{
}

CListCtrlColumnInfo::CListCtrlColumnInfo(int nColumnID, int nDisplayPosition, int nWidth, LPCTSTR lpszHeading,
                                         bool bVisible, int nType)
    : m_nColumnID(nColumnID), m_nDisplayPosition(nDisplayPosition), m_nWidth(nWidth), m_bVisible(bVisible),
      m_nType(nType), m_strHeading(lpszHeading != NULL ? lpszHeading : "")
{
}

CListCtrlColumnInfo::~CListCtrlColumnInfo()
{
}

bool CListCtrlColumnInfo::operator==(const CListCtrlColumnInfo& other) const
{
    return m_nColumnID == other.m_nColumnID && m_nDisplayPosition == other.m_nDisplayPosition &&
           m_nWidth == other.m_nWidth && m_bVisible == other.m_bVisible && m_nType == other.m_nType &&
           m_strHeading == other.m_strHeading && m_strSecondText == other.m_strSecondText &&
           m_strValue == other.m_strValue;
}

/////////////////////////////////////////////////////////////////////////////
// CFennListCtrlEx

IMPLEMENT_DYNAMIC(CFennListCtrlEx, CFennListCtrl)

CFennListCtrlEx::CFennListCtrlEx() : m_nPositionCount(10)
{
    m_arrColumnOrder.SetSize(10);
    for (int i = 0; i < 10; i++)
        m_arrColumnOrder[i] = -1;
}

CFennListCtrlEx::~CFennListCtrlEx()
{
}

int CFennListCtrlEx::GetColumnOrder(int nListColumn) const
{
    if (nListColumn < 0 || nListColumn >= m_arrColumnOrder.GetSize())
        return -1;
    return m_arrColumnOrder[nListColumn];
}

void CFennListCtrlEx::SetColumnOrderSize(const int* pnSize)
{
    if (pnSize == NULL || *pnSize < 0)
        return;
    const int nOldSize = (int)m_arrColumnOrder.GetSize();
    if (*pnSize == nOldSize)
        return;
    m_arrColumnOrder.SetSize(*pnSize);
    for (int i = nOldSize; i < *pnSize; i++)
        m_arrColumnOrder[i] = -1;
}

bool CFennListCtrlEx::FindColumnByPosition(const int* pnPosition, CListCtrlColumnInfo& info)
{
    if (pnPosition == NULL)
        return false;
    for (m_listColumns.m_nCursor = 0; m_listColumns.m_nCursor < m_listColumns.GetCount(); m_listColumns.m_nCursor++)
    {
        const CListCtrlColumnInfo* pRecord = m_listColumns.GetAt(m_listColumns.m_nCursor);
        if (pRecord->m_nDisplayPosition == *pnPosition)
        {
            info = *pRecord;
            return true;
        }
    }
    return false;
}

BOOL CFennListCtrlEx::RebuildColumns()
{
    DeleteAllItems();
    while (DeleteColumn(0))
        ;
    for (int i = 0; i < m_arrColumnOrder.GetSize(); i++)
        m_arrColumnOrder[i] = -1;

    int nInserted = 0;
    TCHAR szHeading[kItemTextBuffer];
    for (int nPosition = 0; nPosition < m_nPositionCount && nInserted < m_listColumns.GetCount(); nPosition++)
    {
        CListCtrlColumnInfo info;
        if (!FindColumnByPosition(&nPosition, info) || !info.m_bVisible)
            continue;
        lstrcpyn(szHeading, info.m_strHeading, kItemTextBuffer);
        LVCOLUMN lvc;
        memset(&lvc, 0, sizeof(lvc));
        lvc.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        lvc.fmt = LVCFMT_LEFT;
        lvc.cx = info.m_nWidth;
        lvc.pszText = szHeading;
        lvc.iSubItem = nInserted;
        if (InsertColumn(nInserted, &lvc) < 0)
        {
            TRACE("CFennListCtrlEx: column %d could not be inserted\n", info.m_nColumnID);
            continue;
        }
        if (nInserted < m_arrColumnOrder.GetSize())
            m_arrColumnOrder[nInserted] = info.m_nColumnID;
        nInserted++;
    }
    FitLastColumn();
    return TRUE;
}

bool CFennListCtrlEx::SetItemValue(const int* pnColumnID, const int* pnType, const CString* pstrText,
                                   const int* pnValue, const BYTE* pbValue)
{
    if (pnColumnID == NULL || pnType == NULL)
        return false;
    CListCtrlColumnInfo* pRecord = m_listColumns.FindByIntKey(pnColumnID);
    if (pRecord == NULL)
        return false;
    switch (*pnType)
    {
    case FENN_VALUE_TEXT:
        if (pstrText == NULL)
            return false;
        pRecord->m_strValue = *pstrText;
        return true;
    case FENN_VALUE_INT:
        if (pnValue == NULL)
            return false;
        pRecord->m_strValue.Format("%d", *pnValue);
        return true;
    case FENN_VALUE_BYTE:
        if (pbValue == NULL)
            return false;
        pRecord->m_strValue.Format("%d", (int)*pbValue);
        return true;
    default:
        return false;
    }
}

bool CFennListCtrlEx::SetItemValue(int nColumnID, const CString& strText)
{
    const int nType = FENN_VALUE_TEXT;
    return SetItemValue(&nColumnID, &nType, &strText, NULL, NULL);
}

int CFennListCtrlEx::InsertRow()
{
    const int nRow = GetItemCount();
    int nResult = nRow;
    int nSubItem = 0;
    TCHAR szValue[kItemTextBuffer];
    for (int nPosition = 0; nPosition < m_nPositionCount; nPosition++)
    {
        CListCtrlColumnInfo info;
        if (!FindColumnByPosition(&nPosition, info) || !info.m_bVisible)
            continue;
        lstrcpyn(szValue, info.m_strValue, kItemTextBuffer);
        LVITEM lvi;
        memset(&lvi, 0, sizeof(lvi));
        lvi.mask = LVIF_TEXT;
        lvi.iItem = nRow;
        lvi.iSubItem = nSubItem;
        lvi.pszText = szValue;
        if (nSubItem == 0)
        {
            if (InsertItem(&lvi) < 0)
                return -1;
        }
        else if (!SetItem(&lvi))
        {
            nResult = -1;
        }
        nSubItem++;
    }
    // Without a visible column no row was inserted.
    return nSubItem > 0 ? nResult : -1;
}

void CFennListCtrlEx::FitLastColumn()
{
    if (!::IsWindow(m_hWnd))
        return;
    int nColumns = 0;
    int nTotal = 0;
    LVCOLUMN lvc;
    memset(&lvc, 0, sizeof(lvc));
    lvc.mask = LVCF_WIDTH;
    while (GetColumn(nColumns, &lvc))
    {
        nTotal += lvc.cx;
        nColumns++;
    }
    if (nColumns < 2)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    const int nDelta = rcClient.Width() - nTotal;
    if (nDelta == 0)
        return;
    // -1 and -2 would ask the list to size the column itself.
    int nWidth = GetColumnWidth(nColumns - 1) + nDelta;
    if (nWidth < 0)
        nWidth = 0;
    SetColumnWidth(nColumns - 1, nWidth);
}
