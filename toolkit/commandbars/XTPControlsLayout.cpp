// The two layouts of a controls collection: popup-menu columns and toolbar
// rows (or columns on a vertically docked bar).
#include "XTPControls.h"
#include "XTPControl.h"
#include "XTPCommandBar.h"
#include "XTPPopupBar.h"
#include "XTPPaintManager.h"
#include "XTPImageManager.h"
#include "XTPDCHelpers.h"
#include "XTPSystemHelpers.h"
#include <algorithm>

static CRect WorkAreaOf(CXTPCommandBar* pParent)
{
    if (pParent != NULL && pParent->GetSafeHwnd() != NULL)
        return XTPMonitorFunctions()->GetWorkAreaFromWnd(pParent);
    CRect rcWork;
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rcWork, 0);
    return rcWork;
}

static CXTPPaintManager* PaintManagerOf(CXTPCommandBar* pParent)
{
    return pParent != NULL ? pParent->GetPaintManager() : CXTPPaintManager::GetGlobalPaintManager();
}

//////////////////////////////////////////////////////////////////////////
// Popup-menu columns

CSize CXTPControls::CalcPopupSize(CDC* pDC, int nMaxHeight, const CRect& rcBorder)
{
    CXTPPaintManager* pPaintManager = PaintManagerOf(m_pParent);
    CRect rcWork = WorkAreaOf(m_pParent);
    CSize szSeparator = pPaintManager->DrawCommandBarSeparator(NULL, m_pParent, NULL, FALSE);
    CXTPPopupBar* pPopupBar = DYNAMIC_DOWNCAST(CXTPPopupBar, m_pParent);
    if (pPopupBar != NULL)
        pPopupBar->m_bMultiColumn = FALSE;

    int x = rcBorder.left;
    int y = rcBorder.top;
    int nColumnWidth = 0;
    int nTallest = 0;
    CArray<CXTPControl*, CXTPControl*> arrPlaced;
    INT_PTR nColumnStart = 0;

    // Gives the finished column's controls the column's width.
    auto finishColumn = [&]() {
        for (INT_PTR k = nColumnStart; k < arrPlaced.GetSize(); k++)
        {
            CRect rc = arrPlaced[k]->GetRect();
            rc.right = rc.left + nColumnWidth;
            arrPlaced[k]->SetRect(rc);
        }
        nTallest = std::max(nTallest, y - (int)rcBorder.top);
    };

    for (int i = 0; i < GetCount(); i++)
    {
        CXTPControl* pControl = m_arrControls[i];
        if (pControl->GetParent() != m_pParent)
            continue;
        pControl->m_dwHideFlags &= ~(DWORD)xtpHideScroll;
        if (!pControl->IsVisible())
            continue;

        CSize sz;
        {
            CXTPFontDC font(pDC, pPaintManager->GetCommandBarFont(m_pParent, pControl->IsItemDefault()));
            sz = pControl->GetSize(pDC);
        }
        pControl->SetWrap(FALSE);

        BOOL bFirst = arrPlaced.GetSize() == 0;
        BOOL bNewColumn = !bFirst && (((pControl->GetFlags() & xtpFlagWrapRow) != 0) ||
                                      (nMaxHeight > 0 && y + sz.cy > nMaxHeight - rcBorder.bottom));
        if (bNewColumn)
        {
            finishColumn();
            y = rcBorder.top;
            x += nColumnWidth + (pControl->GetBeginGroup() ? szSeparator.cx : 0);
            nColumnWidth = 0;
            nColumnStart = arrPlaced.GetSize();
            pControl->SetWrap(TRUE);
            if (pPopupBar != NULL)
                pPopupBar->m_bMultiColumn = TRUE;
        }
        else if (pControl->GetBeginGroup() && !bFirst)
        {
            y += szSeparator.cy;
        }

        // No item is wider than a third of the work area.
        int nMaxWidth = rcWork.Width() / 3;
        if (sz.cx > nMaxWidth)
            sz.cx = nMaxWidth;

        pControl->SetRect(CRect(x, y, x + sz.cx, y + sz.cy));
        y += sz.cy;
        nColumnWidth = std::max(nColumnWidth, (int)sz.cx);
        arrPlaced.Add(pControl);
    }
    finishColumn();

    for (INT_PTR k = 0; k < arrPlaced.GetSize(); k++)
    {
        CRect rc = arrPlaced[k]->GetRect();
        arrPlaced[k]->SetRowRect(CRect(rc.left, rcBorder.top, rc.right, rcBorder.top + nTallest));
    }

    int cx = std::max(24, x - (int)rcBorder.left + nColumnWidth);
    int cy = arrPlaced.GetSize() == 0 ? 22 : nTallest;
    return CSize(cx + rcBorder.left + rcBorder.right, cy + rcBorder.top + rcBorder.bottom);
}

//////////////////////////////////////////////////////////////////////////
// Toolbar rows

namespace
{
// One control during the row layout. Along (x) runs the row, across (y)
// stacks the rows; a vertically docked bar swaps the two.
struct LAYOUT_ITEM
{
    CXTPControl* pControl;
    CSize szControl;
    CRect rcControl;
    BOOL bVisible;
    BOOL bBeginGroup;
    BOOL bWrapRow;      // the control's flag 0x80
    BOOL bWrap;         // output: starts a row
    BOOL bHidden;       // output: does not fit
    int nAlong, nAcross;
};

struct ROW_RESULT
{
    int nWidth;     // the longest row
    int nHeight;    // the rows stacked
    int nRows;
    BOOL bHidden;   // something was hidden
};

class CRowLayout
{
public:
    CRowLayout(CArray<LAYOUT_ITEM, LAYOUT_ITEM&>& arr, CSize szSeparator, BOOL bVertical, DWORD dwMode)
        : m_arr(arr), m_bVertical(bVertical), m_dwMode(dwMode)
    {
        m_nSepAlong = bVertical ? szSeparator.cy : szSeparator.cx;
        m_nSepAcross = bVertical ? szSeparator.cx : szSeparator.cy;
    }

    int Along(const CSize& sz) const { return m_bVertical ? sz.cy : sz.cx; }
    int Across(const CSize& sz) const { return m_bVertical ? sz.cx : sz.cy; }

    // Breaks the controls into rows no longer than nWrap and stacks them.
    ROW_RESULT Wrap(int nWrap)
    {
        ROW_RESULT res = { 0, 0, 0, FALSE };
        INT_PTR nCount = m_arr.GetSize();
        for (INT_PTR i = 0; i < nCount; i++)
        {
            m_arr[i].bWrap = FALSE;
            m_arr[i].bHidden = FALSE;
        }

        INT_PTR nRowStart = -1;     // first placed control of the row
        INT_PTR nGroupStart = -1;   // first control of the current group in the row
        int x = 0;
        BOOL bFirstPlaced = TRUE;
        INT_PTR i = 0;
        int nGuard = 0;
        while (i < nCount && nGuard++ < 100000)
        {
            LAYOUT_ITEM& item = m_arr[i];
            if (!item.bVisible)
            {
                i++;
                continue;
            }
            BOOL bNewRow = FALSE;
            if (!bFirstPlaced && item.bWrapRow)
                bNewRow = TRUE;
            if (!bFirstPlaced && (m_dwMode & LM_POPUP) && item.bBeginGroup)
                bNewRow = TRUE;
            if (bNewRow && nRowStart != i)
            {
                StartRow(i, nRowStart, nGroupStart, x);
                continue;
            }

            BOOL bFirstInRow = nRowStart == -1 || nRowStart == i;
            if (nRowStart == -1)
                nRowStart = i;
            int nExtent = Along(item.szControl) + ((item.bBeginGroup && !bFirstInRow) ? m_nSepAlong : 0);
            if (item.bBeginGroup || nGroupStart == -1)
                nGroupStart = i;

            if (!bFirstInRow && x + nExtent > nWrap)
            {
                if (m_dwMode & LM_HIDEWRAP)
                {
                    // This control and those after it up to the next forced
                    // row start do not fit.
                    INT_PTR k = i;
                    for (; k < nCount; k++)
                    {
                        if (k > i && m_arr[k].bVisible && m_arr[k].bWrapRow)
                            break;
                        if (m_arr[k].bVisible)
                            m_arr[k].bHidden = TRUE;
                    }
                    res.bHidden = TRUE;
                    i = k;
                    continue;
                }
                INT_PTR nBreak = (nGroupStart > nRowStart && nGroupStart <= i) ? nGroupStart : i;
                StartRow(nBreak, nRowStart, nGroupStart, x);
                i = nBreak;
                continue;
            }
            item.nAlong = x + ((item.bBeginGroup && !bFirstInRow) ? m_nSepAlong : 0);
            x += nExtent;
            bFirstPlaced = FALSE;
            i++;
        }

        // Stack the rows.
        int nAcross = 0;
        int nLongest = 0;
        int nRows = 0;
        INT_PTR nStart = 0;
        while (nStart < nCount)
        {
            while (nStart < nCount && (!m_arr[nStart].bVisible || m_arr[nStart].bHidden))
                nStart++;
            if (nStart >= nCount)
                break;
            INT_PTR nEnd = nStart + 1;
            while (nEnd < nCount && !(m_arr[nEnd].bVisible && !m_arr[nEnd].bHidden && m_arr[nEnd].bWrap))
                nEnd++;
            if (nRows > 0 && m_arr[nStart].bBeginGroup)
                nAcross += m_nSepAcross;
            int nThick = 0;
            int nLength = 0;
            for (INT_PTR k = nStart; k < nEnd; k++)
            {
                if (!m_arr[k].bVisible || m_arr[k].bHidden)
                    continue;
                nThick = std::max(nThick, Across(m_arr[k].szControl));
                nLength = std::max(nLength, m_arr[k].nAlong + Along(m_arr[k].szControl));
            }
            for (INT_PTR k = nStart; k < nEnd; k++)
                m_arr[k].nAcross = nAcross;
            RowInfo info(nStart, nEnd, nAcross, nThick);
            m_arrRows.SetAtGrow(nRows, info);
            nAcross += nThick;
            nLongest = std::max(nLongest, nLength);
            nRows++;
            nStart = nEnd;
        }
        m_arrRows.SetSize(nRows);
        res.nWidth = nLongest;
        res.nHeight = nAcross;
        res.nRows = nRows;
        return res;
    }

    struct RowInfo
    {
        RowInfo() : nStart(0), nEnd(0), nAcross(0), nThick(0) {}
        RowInfo(INT_PTR s, INT_PTR e, int a, int t) : nStart(s), nEnd(e), nAcross(a), nThick(t) {}
        INT_PTR nStart, nEnd;
        int nAcross, nThick;
    };
    CArray<RowInfo, RowInfo&> m_arrRows;

private:
    void StartRow(INT_PTR i, INT_PTR& nRowStart, INT_PTR& nGroupStart, int& x)
    {
        m_arr[i].bWrap = TRUE;
        nRowStart = i;
        nGroupStart = i;
        x = 0;
    }

    CArray<LAYOUT_ITEM, LAYOUT_ITEM&>& m_arr;
    BOOL m_bVertical;
    DWORD m_dwMode;
    int m_nSepAlong;
    int m_nSepAcross;
};
} // namespace

CSize CXTPControls::CalcDynamicSize(CDC* pDC, int nLength, DWORD dwMode, const CRect& rcBorder, int nWidth)
{
    CXTPPaintManager* pPaintManager = PaintManagerOf(m_pParent);
    CSize szSeparator = pPaintManager->DrawCommandBarSeparator(NULL, m_pParent, NULL, FALSE);
    for (int i = GetCount() - 1; i >= 0; i--)
        m_arrControls[i]->OnCalcDynamicSize(dwMode);

    BOOL bVertical = (dwMode & LM_VERTDOCK) != 0;
    BOOL bCrossIsHeight = (dwMode & LM_HORZDOCK) != 0 || !bVertical;

    if (GetVisibleCount(FALSE) == 0)
    {
        CSize sz(23, 22);
        if (bCrossIsHeight)
            sz.cy = std::max((int)sz.cy, nWidth);
        else
            sz.cx = std::max((int)sz.cx, nWidth);
        return CSize(sz.cx + rcBorder.left + rcBorder.right, sz.cy + rcBorder.top + rcBorder.bottom);
    }

    DWORD dwBarFlags = m_pParent != NULL ? m_pParent->GetFlags() : 0;
    BOOL bSmartLayout = (dwBarFlags & xtpFlagSmartLayout) != 0;
    if (dwMode & LM_MRUWIDTH)
        nLength = m_pParent != NULL ? m_pParent->GetMRUWidth() : nLength;

    // Large-button groups start with every button large.
    if (bSmartLayout && m_pParent != NULL)
    {
        CSize szLarge = m_pParent->GetLargeIconSize();
        CXTPImageManager* pImageManager = m_pParent->GetImageManager();
        for (int i = 0; i < GetCount(); i++)
        {
            CXTPControl* pControl = m_arrControls[i];
            BOOL bLarge = pControl->GetIconId() > 0 && pImageManager != NULL &&
                          pImageManager->GetImage((UINT)pControl->GetIconId(), szLarge.cx) != NULL;
            pControl->SetInheritedStyle(bLarge ? xtpButtonIconAndCaptionBelow : xtpButtonIconAndCaption);
        }
    }

    CArray<LAYOUT_ITEM, LAYOUT_ITEM&> arr;
    auto measure = [&]() {
        arr.SetSize(GetCount());
        for (int i = 0; i < GetCount(); i++)
        {
            CXTPControl* pControl = m_arrControls[i];
            LAYOUT_ITEM& item = arr[i];
            item.pControl = pControl;
            item.bVisible = pControl->IsVisible(xtpHideWrap);
            item.szControl = item.bVisible ? pControl->GetSize(pDC) : CSize(0, 0);
            item.rcControl = CRect(0, 0, 0, 0);
            item.bBeginGroup = pControl->GetBeginGroup();
            item.bWrapRow = (pControl->GetFlags() & xtpFlagWrapRow) != 0;
            item.bWrap = item.bHidden = FALSE;
            item.nAlong = item.nAcross = 0;
        }
    };
    measure();

    CRowLayout layout(arr, szSeparator, bVertical, dwMode);
    int nInnerLength = bVertical ? nLength - rcBorder.top - rcBorder.bottom : nLength - rcBorder.left - rcBorder.right;
    int nLongestControl = 1;
    int nTotal = 0;
    for (INT_PTR i = 0; i < arr.GetSize(); i++)
    {
        if (!arr[i].bVisible)
            continue;
        nLongestControl = std::max(nLongestControl, layout.Along(arr[i].szControl));
        nTotal += layout.Along(arr[i].szControl) + m_arrControls[(int)i]->GetBeginGroup() * layout.Along(szSeparator);
    }
    nTotal = std::max(nTotal, nLongestControl);

    ROW_RESULT res;
    if (bSmartLayout)
    {
        // Turn large buttons small, three at a time from the end, until the
        // layout fits.
        for (;;)
        {
            res = layout.Wrap(INT_MAX / 2);
            if (res.nWidth <= nInnerLength)
                break;
            int nTurned = 0;
            for (int i = GetCount() - 1; i >= 0 && nTurned < 3; i--)
            {
                if (m_arrControls[i]->GetShownStyle() == xtpButtonIconAndCaptionBelow)
                {
                    m_arrControls[i]->SetInheritedStyle(xtpButtonIconAndCaption);
                    nTurned++;
                }
            }
            if (nTurned == 0)
                break;
            measure();
        }
    }
    else if (dwMode & LM_POPUP)
    {
        int nMRUWidth = m_pParent != NULL ? m_pParent->GetMRUWidth() : 32767;
        res = layout.Wrap(nMRUWidth);
        if (nMRUWidth == 32767 && res.nHeight > 3 * res.nWidth)
        {
            // Search the width at which the layout is about as tall as wide.
            int nLow = nLongestControl, nHigh = nTotal;
            while (nLow < nHigh)
            {
                int nMid = (nLow + nHigh) / 2;
                ROW_RESULT r = layout.Wrap(nMid);
                if (r.nHeight <= r.nWidth)
                    nHigh = nMid;
                else
                    nLow = nMid + 1;
            }
            res = layout.Wrap(nLow);
        }
    }
    else if (dwMode & (LM_HORZDOCK | LM_VERTDOCK))
    {
        res = layout.Wrap(nInnerLength);
    }
    else if (dwMode & LM_LENGTHY)
    {
        // The narrowest width whose height stays within the length.
        int nTarget = nLength - rcBorder.top - rcBorder.bottom;
        int nLow = nLongestControl, nHigh = nTotal;
        while (nLow < nHigh)
        {
            int nMid = (nLow + nHigh) / 2;
            if (layout.Wrap(nMid).nHeight <= nTarget)
                nHigh = nMid;
            else
                nLow = nMid + 1;
        }
        res = layout.Wrap(nLow);
    }
    else
    {
        // The narrowest width that gives as many rows as the length does.
        int nRows = layout.Wrap(nInnerLength).nRows;
        int nLow = nLongestControl, nHigh = std::max(nLongestControl, std::min(nTotal, nInnerLength));
        while (nLow < nHigh)
        {
            int nMid = (nLow + nHigh) / 2;
            if (layout.Wrap(nMid).nRows <= nRows)
                nHigh = nMid;
            else
                nLow = nMid + 1;
        }
        res = layout.Wrap(nLow);
    }
    if (res.bHidden)
        dwMode |= LM_STRETCH;

    // The size, grown to the minimum across and, stretched, to the length.
    CSize szInner = bVertical ? CSize(res.nHeight, res.nWidth) : CSize(res.nWidth, res.nHeight);
    if (bCrossIsHeight)
        szInner.cy = std::max((int)szInner.cy, nWidth);
    else
        szInner.cx = std::max((int)szInner.cx, nWidth);
    if (dwMode & LM_STRETCH)
    {
        if (bVertical)
            szInner.cy = std::max((int)szInner.cy, nInnerLength);
        else
            szInner.cx = std::max((int)szInner.cx, nInnerLength);
    }
    int nRowEnd = bVertical ? szInner.cy : szInner.cx;
    int nAcrossTotal = bVertical ? szInner.cx : szInner.cy;

    // Place: centred across the row unless the bar groups large buttons.
    for (INT_PTR r = 0; r < layout.m_arrRows.GetSize(); r++)
    {
        CRowLayout::RowInfo& row = layout.m_arrRows[r];
        if (dwMode & LM_COMMIT)
        {
            if (!bSmartLayout)
            {
                // Stretched controls share the row's free room.
                int nStretched = 0;
                int nLast = 0;
                for (INT_PTR j = row.nStart; j < row.nEnd; j++)
                {
                    if (!arr[j].bVisible || arr[j].bHidden)
                        continue;
                    nLast = std::max(nLast, arr[j].nAlong + layout.Along(arr[j].szControl));
                    if (arr[j].pControl->GetFlags() & xtpFlagControlStretched)
                        nStretched++;
                }
                int nFree = nRowEnd - nLast;
                if (nStretched > 0 && nFree > 0)
                {
                    int nShift = 0, nSeen = 0;
                    for (INT_PTR j = row.nStart; j < row.nEnd; j++)
                    {
                        LAYOUT_ITEM& item = arr[j];
                        if (!item.bVisible || item.bHidden)
                            continue;
                        item.nAlong += nShift;
                        if (item.pControl->GetFlags() & xtpFlagControlStretched)
                        {
                            nSeen++;
                            int nExtra = nFree / nStretched + (nSeen > nStretched - nFree % nStretched ? 1 : 0);
                            if (bVertical)
                                item.szControl.cy += nExtra;
                            else
                                item.szControl.cx += nExtra;
                            nShift += nExtra;
                        }
                    }
                }
                // Right-aligned controls at the end of the row move to its end.
                INT_PTR k = row.nEnd - 1;
                int nLimit = nRowEnd;
                for (; k >= row.nStart; k--)
                {
                    LAYOUT_ITEM& item = arr[k];
                    if (!item.bVisible || item.bHidden)
                        continue;
                    if ((item.pControl->GetFlags() & xtpFlagRightAlign) == 0)
                        break;
                    int nSize = layout.Along(item.szControl);
                    if (item.nAlong + nSize < nLimit)
                        item.nAlong = nLimit - nSize;
                    nLimit = item.nAlong;
                }
            }
        }
        for (INT_PTR j = row.nStart; j < row.nEnd; j++)
        {
            LAYOUT_ITEM& item = arr[j];
            if (!item.bVisible || item.bHidden)
                continue;
            int nAcross = row.nAcross;
            if (!bSmartLayout)
                nAcross += (row.nThick - layout.Across(item.szControl)) / 2;
            if (bVertical)
            {
                // Columns run from right to left.
                int nColumnLeft = nAcrossTotal - row.nAcross - row.nThick;
                int nLeft = nColumnLeft + (nAcross - row.nAcross);
                item.rcControl = CRect(rcBorder.left + nLeft, rcBorder.top + item.nAlong,
                                       rcBorder.left + nLeft + item.szControl.cx,
                                       rcBorder.top + item.nAlong + item.szControl.cy);
            }
            else
            {
                item.rcControl = CRect(rcBorder.left + item.nAlong, rcBorder.top + nAcross,
                                       rcBorder.left + item.nAlong + item.szControl.cx,
                                       rcBorder.top + nAcross + item.szControl.cy);
            }
        }
    }

    if (dwMode & LM_COMMIT)
    {
        for (INT_PTR i = 0; i < arr.GetSize(); i++)
        {
            LAYOUT_ITEM& item = arr[i];
            CXTPControl* pControl = item.pControl;
            pControl->SetHideFlag(xtpHideWrap, item.bHidden);
            if (!item.bVisible || item.bHidden)
            {
                pControl->SetWrap(FALSE);
                continue;
            }
            pControl->SetRect(item.rcControl);
            pControl->SetWrap(item.bWrap);
            // The row rectangle: the control's extent along, the row's across.
            for (INT_PTR r = 0; r < layout.m_arrRows.GetSize(); r++)
            {
                CRowLayout::RowInfo& row = layout.m_arrRows[r];
                if (i < row.nStart || i >= row.nEnd)
                    continue;
                CRect rcRow = item.rcControl;
                if (bVertical)
                {
                    int nColumnLeft = nAcrossTotal - row.nAcross - row.nThick;
                    rcRow.left = rcBorder.left + nColumnLeft;
                    rcRow.right = rcRow.left + row.nThick;
                }
                else
                {
                    rcRow.top = rcBorder.top + row.nAcross;
                    rcRow.bottom = rcRow.top + row.nThick;
                }
                pControl->SetRowRect(rcRow);
                break;
            }
        }
    }

    return CSize(szInner.cx + rcBorder.left + rcBorder.right, szInner.cy + rcBorder.top + rcBorder.bottom);
}
