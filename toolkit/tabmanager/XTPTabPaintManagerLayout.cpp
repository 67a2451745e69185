// The generic layout and painter of a tab strip: header and client
// rectangles, navigate buttons, item lengths (measured, fixed, compressed,
// shrunk to fit or in rows) and item places, then drawing row by row.
#include "XTPTabPaintManager.h"

#include <algorithm>
#include <vector>

namespace
{
int AlongStart(const CRect& rc, BOOL bHorizontal)
{
    return bHorizontal ? rc.left : rc.top;
}

int AlongLength(const CRect& rc, BOOL bHorizontal)
{
    return bHorizontal ? rc.Width() : rc.Height();
}

// A rectangle from a position along the strip and one across it.
CRect StripRect(BOOL bHorizontal, int nAlong, int nLength, int nAcross, int nDepth)
{
    return bHorizontal ? CRect(nAlong, nAcross, nAlong + nLength, nAcross + nDepth)
                       : CRect(nAcross, nAlong, nAcross + nDepth, nAlong + nLength);
}

// Where the row nearest the client area starts across the strip, and the
// step from one row to the next (rows move away from the client area).
void RowOrigin(XTPTabPosition position, const CRect& rcControl, const CRect& rcMargin, int nButtonHeight, int nGap,
               int nRows, int& nFirst, int& nStep)
{
    switch (position)
    {
    case xtpTabPositionTop:
        nFirst = rcControl.top + rcMargin.top + (nButtonHeight + nGap) * (nRows - 1);
        nStep = -(nButtonHeight + nGap);
        break;
    case xtpTabPositionLeft:
        nFirst = rcControl.left + rcMargin.top + (nButtonHeight + nGap) * (nRows - 1);
        nStep = -(nButtonHeight + nGap);
        break;
    case xtpTabPositionBottom:
        nFirst = rcControl.bottom - (nRows - 1) * nGap - nRows * nButtonHeight - rcMargin.top;
        nStep = nButtonHeight + nGap;
        break;
    default:
        nFirst = rcControl.right - (nRows - 1) * nGap - nRows * nButtonHeight - rcMargin.top;
        nStep = nButtonHeight + nGap;
        break;
    }
}

// Fills the rows of the multi-row layout: items go into row nRow while it
// stays within its target; an item that would pass it is tried as the
// first of the next row. Answers the number of rows used, 0 on failure.
struct CRowFiller
{
    const std::vector<int>& arrLength;
    CXTPTabManager::CRowIndexer::ROW* pRows;
    std::vector<int>& arrRow;
    int nRows;
    int nAvailable;
    BOOL bJustify;

    int Fill(int nRow, int nFirst, int nRemaining)
    {
        const int nCount = (int)arrLength.size();
        int nTarget = bJustify ? std::min(nRemaining / (nRows - nRow), nAvailable) : nAvailable;
        int nRowLength = 0;
        pRows[nRow].nFirstItem = nFirst;
        for (int i = nFirst; i < nCount; i++)
        {
            int nLength = arrLength[i];
            if (nRowLength + nLength > nTarget && i != nFirst && nLength >= 1)
            {
                if (nRow + 1 < nRows)
                {
                    int nUsed = Fill(nRow + 1, i, nRemaining - nRowLength);
                    if (nUsed > 0)
                    {
                        pRows[nRow].nLastItem = i - 1;
                        return nUsed;
                    }
                }
                if (nRowLength + nLength > nAvailable)
                    return 0;
            }
            arrRow[i] = nRow;
            nRowLength += nLength;
        }
        pRows[nRow].nLastItem = nCount - 1;
        return nRow + 1;
    }
};
} // namespace

CRect CXTPTabPaintManager::RepositionNavigateButtons(CXTPTabManager* pTabManager, CRect rcControl)
{
    CRect rcHeader = m_pAppearanceSet->GetHeaderRect(rcControl, pTabManager);
    if (IsHorizontalPosition(pTabManager->GetPosition()))
        rcHeader.right -= 1;
    else
        rcHeader.bottom -= 1;
    for (int i = pTabManager->GetNavigateButtonCount() - 1; i >= 0; i--)
        pTabManager->GetNavigateButton(i)->Reposition(rcHeader);
    return rcHeader;
}

void CXTPTabPaintManager::SizeToFit(CXTPTabManager* pTabManager, int nWidth)
{
    const int nCount = pTabManager->GetItemCount();
    int nTotal = pTabManager->GetItemsLength();
    if (nWidth >= nTotal || nCount == 0)
        return;
    if (nCount == 1)
    {
        pTabManager->GetItem(0)->m_nButtonLength = std::max(nWidth, 0);
        return;
    }

    std::vector<CXTPTabManagerItem*> arrSorted;
    for (int i = 0; i < nCount; i++)
        arrSorted.push_back(pTabManager->GetItem(i));
    std::sort(arrSorted.begin(), arrSorted.end(), [](CXTPTabManagerItem* a, CXTPTabManagerItem* b) {
        return a->m_nButtonLength > b->m_nButtonLength;
    });

    int nExcess = nTotal - nWidth;
    for (;;)
    {
        const int nLength = arrSorted[0]->m_nButtonLength;
        int nRun = 1;
        while (nRun < nCount && arrSorted[nRun]->m_nButtonLength == nLength)
            nRun++;
        if (nRun == nCount)
        {
            for (int i = 0; i < nCount; i++)
                arrSorted[i]->m_nButtonLength = nWidth / nCount;
            return;
        }
        const int nNext = arrSorted[nRun]->m_nButtonLength;
        if ((nLength - nNext) * nRun < nExcess)
        {
            nExcess -= (nLength - nNext) * nRun;
            for (int i = 0; i < nRun; i++)
                arrSorted[i]->m_nButtonLength = nNext;
            continue;
        }
        for (int i = 0; i < nRun; i++)
            arrSorted[i]->m_nButtonLength -= nExcess / nRun;
        return;
    }
}

void CXTPTabPaintManager::RepositionTabControlGeneric(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl)
{
    const XTPTabPosition position = pTabManager->GetPosition();
    const BOOL bHorizontal = IsHorizontalPosition(position);
    const XTPTabLayoutStyle layout = pTabManager->GetLayout();

    if (pTabManager->IsDrawStaticFrame())
        DeflateRectForPosition(rcControl, CRect(2, 1, 2, 2), position);
    DeflateRectForPosition(rcControl, m_rcControlMargin, position);

    if (layout == xtpTabLayoutMultiRow)
    {
        RepositionMultiRow(pTabManager, pDC, rcControl);
        return;
    }

    const int nCount = pTabManager->GetItemCount();
    for (int i = 0; i < nCount; i++)
    {
        CXTPTabManagerItem* pItem = pTabManager->GetItem(i);
        pItem->m_nContentLength = pItem->m_bVisible ? m_pAppearanceSet->GetItemLength(pDC, pItem) : 0;
        pItem->m_nButtonLength = pItem->m_nContentLength + (pItem->m_bVisible ? m_nButtonExtraLength : 0);
    }

    pTabManager->m_rcHeaderRect = m_pAppearanceSet->GetHeaderRect(rcControl, pTabManager);
    if (nCount == 0)
    {
        pTabManager->m_rcHeaderRect = RepositionNavigateButtons(pTabManager, rcControl);
        return;
    }

    const CRect rcMargin = m_pAppearanceSet->GetHeaderMargin();
    const int nButtonHeight = m_pAppearanceSet->GetButtonHeight(pTabManager);
    int nAcross, nStep;
    RowOrigin(position, rcControl, rcMargin, nButtonHeight, 0, 1, nAcross, nStep);

    if (layout == xtpTabLayoutSizeToFit)
    {
        int nWidth = AlongLength(rcControl, bHorizontal) - rcMargin.left - rcMargin.right;
        for (int i = pTabManager->GetNavigateButtonCount() - 1; i >= 0; i--)
            pTabManager->GetNavigateButton(i)->AdjustWidth(nWidth);
        SizeToFit(pTabManager, nWidth);
    }

    CRect rcHeader = RepositionNavigateButtons(pTabManager, rcControl);
    pTabManager->m_rcHeaderRect = rcHeader;

    // A strip scrolled further than its items reach is pulled back so that
    // the last item ends at the visible end.
    int nOffset = pTabManager->m_nScrollDelta;
    int nTotal = pTabManager->GetItemsLength();
    int nVisible = AlongLength(rcHeader, bHorizontal) - rcMargin.left - rcMargin.right;
    if (nOffset < 0 && nOffset + nTotal < nVisible)
    {
        pTabManager->m_nScrollDelta = nVisible - nTotal < 1 ? nVisible - nTotal : 0;
        rcHeader = RepositionNavigateButtons(pTabManager, rcControl);
        pTabManager->m_rcHeaderRect = rcHeader;
    }

    int nAlong = AlongStart(rcHeader, bHorizontal) + pTabManager->m_nScrollDelta + rcMargin.left;
    for (int i = 0; i < nCount; i++)
    {
        CXTPTabManagerItem* pItem = pTabManager->GetItem(i);
        if (layout == xtpTabLayoutRotated)
        {
            // Upright tabs: the button height along the strip, the length
            // across it, anchored at the header's client edge.
            int nLength = pItem->m_nButtonLength;
            CRect rc;
            switch (position)
            {
            case xtpTabPositionTop:
                rc.SetRect(nAlong, rcHeader.bottom - rcMargin.bottom - nLength, nAlong + nButtonHeight,
                           rcHeader.bottom - rcMargin.bottom);
                break;
            case xtpTabPositionBottom:
                rc.SetRect(nAlong, rcHeader.top + rcMargin.bottom, nAlong + nButtonHeight,
                           rcHeader.top + rcMargin.bottom + nLength);
                break;
            case xtpTabPositionLeft:
                rc.SetRect(rcHeader.right - rcMargin.bottom - nLength, nAlong, rcHeader.right - rcMargin.bottom,
                           nAlong + nButtonHeight);
                break;
            default:
                rc.SetRect(rcHeader.left + rcMargin.bottom, nAlong, rcHeader.left + rcMargin.bottom + nLength,
                           nAlong + nButtonHeight);
                break;
            }
            pItem->m_rcItem = rc;
            nAlong += nButtonHeight;
        }
        else
        {
            pItem->m_rcItem = StripRect(bHorizontal, nAlong, pItem->m_nButtonLength, nAcross, nButtonHeight);
            nAlong += pItem->m_nButtonLength;
        }
    }
}

void CXTPTabPaintManager::RepositionMultiRow(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl)
{
    const XTPTabPosition position = pTabManager->GetPosition();
    const BOOL bHorizontal = IsHorizontalPosition(position);
    const int nCount = pTabManager->GetItemCount();

    pTabManager->m_nScrollDelta = 0;
    CRect rcHeader = RepositionNavigateButtons(pTabManager, rcControl);
    const CRect rcMargin = m_pAppearanceSet->GetHeaderMargin();
    const int nAvailable = AlongLength(rcHeader, bHorizontal) - rcMargin.left - rcMargin.right;

    std::vector<int> arrLength(nCount);
    int nTotal = 0;
    for (int i = 0; i < nCount; i++)
    {
        CXTPTabManagerItem* pItem = pTabManager->GetItem(i);
        pItem->m_nContentLength = pItem->m_bVisible ? m_pAppearanceSet->GetItemLength(pDC, pItem) : 0;
        pItem->m_nButtonLength = pItem->m_nContentLength;
        arrLength[i] = pItem->m_nButtonLength;
        nTotal += arrLength[i];
    }

    // A greedy pass counts the rows.
    int nRows = 1, nRunning = 0;
    for (int i = 0; i < nCount; i++)
    {
        if (nRunning + arrLength[i] > nAvailable && nRunning > 0)
        {
            nRows++;
            nRunning = 0;
        }
        nRunning += arrLength[i];
    }

    CXTPTabManager::CRowIndexer::ROW* pRows = pTabManager->m_pRowIndexer->CreateIndexer(nRows);
    std::vector<int> arrRow(nCount, 0);
    if (nRows > 1)
    {
        CRowFiller filler = { arrLength, pRows, arrRow, nRows, nAvailable, m_bMultiRowJustified };
        int nUsed = filler.Fill(0, 0, nTotal);
        if (nUsed <= 0)
        {
            // No balanced split: fill the rows greedily.
            int nRow = 0;
            nRunning = 0;
            pRows[0].nFirstItem = 0;
            for (int i = 0; i < nCount; i++)
            {
                if (nRunning + arrLength[i] > nAvailable && nRunning > 0 && nRow + 1 < nRows)
                {
                    pRows[nRow].nLastItem = i - 1;
                    pRows[++nRow].nFirstItem = i;
                    nRunning = 0;
                }
                arrRow[i] = nRow;
                nRunning += arrLength[i];
            }
            pRows[nRow].nLastItem = nCount - 1;
            nUsed = nRow + 1;
        }
        if (nUsed != nRows)
        {
            std::vector<CXTPTabManager::CRowIndexer::ROW> arrSaved(pRows, pRows + nUsed);
            nRows = nUsed;
            pRows = pTabManager->m_pRowIndexer->CreateIndexer(nRows);
            for (int r = 0; r < nRows; r++)
                pRows[r] = arrSaved[r];
        }
    }

    // The selected item's row moves next to the client area.
    if (!m_bMultiRowFixedSelection && nRows > 1 && pTabManager->GetSelectedItem() != NULL)
    {
        int nSelectedRow = arrRow[pTabManager->GetSelectedIndex()];
        if (nSelectedRow != 0)
        {
            std::swap(pRows[0], pRows[nSelectedRow]);
            for (int i = 0; i < nCount; i++)
            {
                if (arrRow[i] == nSelectedRow)
                    arrRow[i] = 0;
                else if (arrRow[i] == 0)
                    arrRow[i] = nSelectedRow;
            }
        }
    }

    // The header grows with the rows.
    rcHeader = RepositionNavigateButtons(pTabManager, rcControl);
    pTabManager->m_rcHeaderRect = rcHeader;

    const int nButtonHeight = m_pAppearanceSet->GetButtonHeight(pTabManager);
    int nFirstAcross, nStep;
    RowOrigin(position, rcControl, rcMargin, nButtonHeight, m_pAppearanceSet->m_nRowMargin, nRows, nFirstAcross,
              nStep);

    const BOOL bJustify = m_bMultiRowJustified && nRows > 1;
    for (int r = 0; r < nRows; r++)
    {
        int nAcross = nFirstAcross + nStep * r;
        int nStart = AlongStart(rcHeader, bHorizontal) + rcMargin.left;
        int nAlong = nStart;
        int nLeft = 0;   // items of the row not yet placed
        int nRest = 0;   // and their lengths
        for (int i = pRows[r].nFirstItem; i <= pRows[r].nLastItem && i < nCount; i++)
        {
            nLeft++;
            nRest += arrLength[i];
        }
        for (int i = pRows[r].nFirstItem; i <= pRows[r].nLastItem && i < nCount; i++)
        {
            CXTPTabManagerItem* pItem = pTabManager->GetItem(i);
            int nLength = arrLength[i];
            if (bJustify && nLeft > 0)
            {
                int nExtra = (nAvailable - (nAlong - nStart) - nRest) / nLeft;
                nLength += std::max(nExtra, 0);
            }
            nRest -= arrLength[i];
            nLeft--;
            pItem->m_nButtonLength = nLength;
            pItem->m_nItemRow = r;
            pItem->m_rcItem = StripRect(bHorizontal, nAlong, nLength, nAcross, nButtonHeight);
            nAlong += nLength;
        }
    }
}

void CXTPTabPaintManager::DrawTabControlGeneric(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl)
{
    const XTPTabPosition position = pTabManager->GetPosition();
    if (pTabManager->IsDrawStaticFrame())
    {
        pDC->Draw3dRect(rcControl, m_pColorSet->m_clrFrameBorder, m_pColorSet->m_clrFrameBorder);
        rcControl.DeflateRect(1, 1);
        pDC->Draw3dRect(rcControl, m_pColorSet->m_clrControlFace, m_pColorSet->m_clrControlFace);
        DeflateRectForPosition(rcControl, CRect(1, 0, 1, 1), position);
    }
    if (m_bFillBackground)
        pDC->FillSolidRect(rcControl, m_pColorSet->m_clrControlFace);

    DeflateRectForPosition(rcControl, m_rcControlMargin, position);
    pDC->SetBkMode(TRANSPARENT);
    if (m_bFillBackground)
        m_pAppearanceSet->FillClient(pDC, pTabManager);

    m_pColorSet->DrawClientPane(pDC, pTabManager->m_rcClient, pTabManager);

    int nSaved = pDC->SaveDC();
    if (m_bClipHeader && !pTabManager->m_rcHeaderRect.IsRectEmpty())
        pDC->IntersectClipRect(pTabManager->m_rcHeaderRect);
    CRect rcClipBox;
    pDC->GetClipBox(rcClipBox);
    for (int nRow = pTabManager->GetRowCount() - 1; nRow >= 0; nRow--)
        DrawRowItems(pTabManager, pDC, rcClipBox, nRow);
    pDC->RestoreDC(nSaved);

    for (int i = pTabManager->GetNavigateButtonCount() - 1; i >= 0; i--)
        pTabManager->GetNavigateButton(i)->Draw(pDC);
}

void CXTPTabPaintManager::DrawRowItems(CXTPTabManager* pTabManager, CDC* pDC, const CRect& rcClipBox, int nRow)
{
    CXTPTabManager::CRowIndexer::ROW* pRow = pTabManager->m_pRowIndexer->GetRow(nRow);
    if (pRow == NULL)
        return;
    const int nFirst = pRow->nFirstItem;
    const int nLast = std::min(pRow->nLastItem, pTabManager->GetItemCount() - 1);
    CXTPTabManagerItem* pSelected = pTabManager->GetSelectedItem();

    auto drawItem = [&](int i) {
        CXTPTabManagerItem* pItem = pTabManager->GetItem(i);
        if (pItem == pSelected || !pItem->m_bVisible)
            return;
        CRect rcIntersect;
        if (rcIntersect.IntersectRect(m_pAppearanceSet->GetButtonDrawRect(pItem), rcClipBox))
            m_pAppearanceSet->DrawSingleButton(pDC, pItem);
    };

    int nSelected = pSelected != NULL ? pSelected->m_nIndex : -1;
    if (m_pAppearanceSet->m_bButtonsReverseZOrder && nSelected >= nFirst && nSelected <= nLast)
    {
        for (int i = nFirst; i < nSelected; i++)
            drawItem(i);
        for (int i = nLast; i > nSelected; i--)
            drawItem(i);
    }
    else
    {
        for (int i = nLast; i >= nFirst; i--)
            drawItem(i);
    }

    if (nSelected >= nFirst && nSelected <= nLast && pSelected->m_bVisible)
    {
        CRect rcIntersect;
        if (rcIntersect.IntersectRect(m_pAppearanceSet->GetButtonDrawRect(pSelected), rcClipBox))
            m_pAppearanceSet->DrawSingleButton(pDC, pSelected);
    }
}
