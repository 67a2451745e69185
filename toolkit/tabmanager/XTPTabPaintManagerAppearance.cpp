// Appearance sets: the shape and metrics of tabs. Every figure is worked out
// for a strip at the top and turned for the other positions.
#include "XTPTabPaintManager.h"

#include <algorithm>
#include <XTPDrawHelpers.h>

namespace
{
// Maps "along the strip / depth from the strip's outer edge" coordinates of
// a rectangle onto the rectangle as it lies for the strip's position.
class CTabShape
{
public:
    CTabShape(const CRect& rc, XTPTabPosition position) : m_rc(rc), m_position(position) {}

    int Along() const { return Horizontal() ? m_rc.Width() : m_rc.Height(); }
    int Depth() const { return Horizontal() ? m_rc.Height() : m_rc.Width(); }

    // The rectangle [a0, a1) x [d0, d1).
    CRect Rect(int a0, int d0, int a1, int d1) const
    {
        switch (m_position)
        {
        case xtpTabPositionBottom: return CRect(m_rc.left + a0, m_rc.bottom - d1, m_rc.left + a1, m_rc.bottom - d0);
        case xtpTabPositionLeft: return CRect(m_rc.left + d0, m_rc.top + a0, m_rc.left + d1, m_rc.top + a1);
        case xtpTabPositionRight: return CRect(m_rc.right - d1, m_rc.top + a0, m_rc.right - d0, m_rc.top + a1);
        default: return CRect(m_rc.left + a0, m_rc.top + d0, m_rc.left + a1, m_rc.top + d1);
        }
    }
    CPoint Point(int a, int d) const
    {
        CRect rc = Rect(a, d, a + 1, d + 1);
        return rc.TopLeft();
    }
    // A one-pixel line along the strip at depth d, from a0 over nLength pixels.
    void LineAlong(CDC* pDC, int a0, int d, int nLength, COLORREF clr) const
    {
        if (clr != COLORREF_NULL && nLength > 0)
            pDC->FillSolidRect(Rect(a0, d, a0 + nLength, d + 1), clr);
    }
    // A one-pixel line across the strip at a, from depth d0 over nLength pixels.
    void LineAcross(CDC* pDC, int a, int d0, int nLength, COLORREF clr) const
    {
        if (clr != COLORREF_NULL && nLength > 0)
            pDC->FillSolidRect(Rect(a, d0, a + 1, d0 + nLength), clr);
    }

private:
    BOOL Horizontal() const { return CXTPTabPaintManager::IsHorizontalPosition(m_position); }
    CRect m_rc;
    XTPTabPosition m_position;
};

// Narrows the DC's clipping to a polygon or a rounded rectangle given in
// logical coordinates (clip regions are in device coordinates).
void ClipToPolygon(CDC* pDC, const CPoint* pts, int nCount)
{
    CPoint ptsDevice[8];
    for (int i = 0; i < nCount && i < 8; i++)
        ptsDevice[i] = pts[i];
    pDC->LPtoDP(ptsDevice, nCount);
    CRgn rgn;
    rgn.CreatePolygonRgn(ptsDevice, nCount, WINDING);
    pDC->SelectClipRgn(&rgn, RGN_AND);
}

void ClipToRoundRect(CDC* pDC, CRect rc, int nEllipse)
{
    pDC->LPtoDP(&rc);
    CRgn rgn;
    rgn.CreateRoundRectRgn(rc.left, rc.top, rc.right + 1, rc.bottom + 1, nEllipse, nEllipse);
    pDC->SelectClipRgn(&rgn, RGN_AND);
}

// The rectangle grown by n pixels on the side that faces the client area.
CRect GrowTowardsClient(CRect rc, XTPTabPosition position, int n)
{
    CXTPTabPaintManager::InflateRectForPosition(rc, CRect(0, 0, 0, n), position);
    return rc;
}

// A one-pixel line along the client rectangle's edge on the header side.
void DrawHeaderSideEdge(CDC* pDC, const CRect& rc, XTPTabPosition position, COLORREF clr)
{
    switch (position)
    {
    case xtpTabPositionTop: pDC->FillSolidRect(rc.left, rc.top, rc.Width(), 1, clr); break;
    case xtpTabPositionLeft: pDC->FillSolidRect(rc.left, rc.top, 1, rc.Height(), clr); break;
    case xtpTabPositionBottom: pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, clr); break;
    default: pDC->FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), clr); break;
    }
}

// The header filled with the colour set's header face, then the client
// frame drawn as one framed rectangle (frame 0) or the header-side edge
// (frame 1). Shared by the sets whose frames are a single colour.
CRect FillHeaderAndFrame(CXTPTabPaintManager* pPaintManager, CXTPTabPaintManager::CAppearanceSet* pSet, CDC* pDC,
                         CXTPTabManager* pTabManager, COLORREF clrFrame, BOOL bFillForSingleLine)
{
    CXTPTabPaintManager::CColorSet* pColorSet = pPaintManager->GetColorSet();
    XTPTabPosition position = pTabManager->GetPosition();
    CRect rcControl = pTabManager->GetControlRect();
    CRect rcHeader = pSet->GetHeaderRect(rcControl, pTabManager);
    pColorSet->FillHeader(pDC, rcHeader, pTabManager);

    CRect rcClient = pSet->GetClientRect(rcControl, pTabManager);
    if (pPaintManager->m_clientFrame == xtpTabFrameBorder)
    {
        pColorSet->FillClient(pDC, rcClient, pTabManager);
        pDC->Draw3dRect(rcClient, clrFrame, clrFrame);
    }
    else if (pPaintManager->m_clientFrame == xtpTabFrameSingleLine)
    {
        if (bFillForSingleLine)
            pColorSet->FillClient(pDC, rcClient, pTabManager);
        DrawHeaderSideEdge(pDC, rcClient, position, clrFrame);
    }
    return rcHeader;
}
} // namespace

//////////////////////////////////////////////////////////////////////////
// CAppearanceSet

CXTPTabPaintManager::CAppearanceSet::CAppearanceSet()
    : m_rcHeaderMargin(0, 0, 0, 0), m_nRowMargin(-2), m_nButtonHeight(0), m_pPaintManager(NULL),
      m_bButtonsReverseZOrder(FALSE)
{
}

CXTPTabPaintManager::CColorSet* CXTPTabPaintManager::CAppearanceSet::GetColorSet() const
{
    return m_pPaintManager->GetColorSet();
}

void CXTPTabPaintManager::CAppearanceSet::RefreshMetrics()
{
    CWindowDC dc(NULL);
    CXTPFontDC font(&dc, m_pPaintManager->GetFont());
    m_nButtonHeight = std::max(18, (int)dc.GetTextExtent(CString(" ")).cy + 3);
}

CRect CXTPTabPaintManager::CAppearanceSet::GetHeaderRect(CRect rcControl, const CXTPTabManager* pTabManager)
{
    CRect rcMargin = GetHeaderMargin();
    int nRows = pTabManager->GetRowCount();
    int nDepth = rcMargin.top + rcMargin.bottom + GetButtonHeight(pTabManager) * nRows + m_nRowMargin * (nRows - 1);
    if (pTabManager->GetLayout() == xtpTabLayoutRotated)
    {
        for (int i = 0; i < pTabManager->GetItemCount(); i++)
            nDepth = std::max(nDepth, pTabManager->GetItem(i)->m_nButtonLength);
    }
    CRect rcHeader(rcControl);
    switch (pTabManager->GetPosition())
    {
    case xtpTabPositionTop: rcHeader.bottom = rcHeader.top + nDepth; break;
    case xtpTabPositionLeft: rcHeader.right = rcHeader.left + nDepth; break;
    case xtpTabPositionBottom: rcHeader.top = rcHeader.bottom - nDepth; break;
    case xtpTabPositionRight: rcHeader.left = rcHeader.right - nDepth; break;
    }
    return rcHeader;
}

CRect CXTPTabPaintManager::CAppearanceSet::GetClientRect(CRect rcControl, const CXTPTabManager* pTabManager)
{
    CRect rcHeader = GetHeaderRect(rcControl, pTabManager);
    CRect rcClient(rcControl);
    switch (pTabManager->GetPosition())
    {
    case xtpTabPositionTop: rcClient.top = rcHeader.bottom - 1; break;
    case xtpTabPositionLeft: rcClient.left = rcHeader.right - 1; break;
    case xtpTabPositionBottom: rcClient.bottom = rcHeader.top + 1; break;
    case xtpTabPositionRight: rcClient.right = rcHeader.left + 1; break;
    }
    return rcClient;
}

CRect CXTPTabPaintManager::CAppearanceSet::GetClientMargin()
{
    return m_pPaintManager->m_rcClientMargin;
}

int CXTPTabPaintManager::CAppearanceSet::GetItemLength(CDC* pDC, CXTPTabManagerItem* pItem)
{
    return m_pPaintManager->DrawItemIconAndText(pDC, pItem, CRect(0, 0, 0, 0), FALSE);
}

int CXTPTabPaintManager::CAppearanceSet::GetButtonHeight(const CXTPTabManager* pTabManager)
{
    const CRect& rcMargin = m_pPaintManager->m_rcButtonMargin;
    CSize szMin(0, 0);
    pTabManager->GetItemMetrics(NULL, &szMin, NULL);
    int nHeight = std::max((int)(m_nButtonHeight + rcMargin.top + rcMargin.bottom), (int)szMin.cy);
    if (m_pPaintManager->m_bShowIcons)
    {
        CSize szIcon = m_pPaintManager->m_szIcon;
        pTabManager->DrawIcon(NULL, CPoint(0, 0), NULL, FALSE, szIcon);
        nHeight = std::max(nHeight, (int)(std::max(szIcon.cx, szIcon.cy) + rcMargin.top + rcMargin.bottom + 4));
    }
    return nHeight;
}

CRect CXTPTabPaintManager::CAppearanceSet::GetButtonDrawRect(const CXTPTabManagerItem* pItem)
{
    return pItem->m_rcItem;
}

void CXTPTabPaintManager::CAppearanceSet::DrawTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl)
{
    m_pPaintManager->DrawTabControlGeneric(pTabManager, pDC, rcControl);
}

CRect CXTPTabPaintManager::CAppearanceSet::FillClient(CDC* pDC, CXTPTabManager* pTabManager)
{
    return CRect(0, 0, 0, 0);
}

void CXTPTabPaintManager::CAppearanceSet::RepositionTabControl(CXTPTabManager* pTabManager, CDC* pDC,
                                                               CRect rcControl)
{
    m_pPaintManager->RepositionTabControlGeneric(pTabManager, pDC, rcControl);
}

void CXTPTabPaintManager::CAppearanceSet::AdjustClientRect(CXTPTabManager* pTabManager, CRect& rcClient)
{
    XTPTabPosition position = pTabManager->GetPosition();
    DeflateRectForPosition(rcClient, m_pPaintManager->m_rcControlMargin, position);
    rcClient = GetClientRect(rcClient, pTabManager);
    DeflateRectForPosition(rcClient, GetClientMargin(), position);
    if (m_pPaintManager->m_clientFrame == xtpTabFrameBorder)
        DeflateRectForPosition(rcClient, CRect(2, 2, 2, 2), position);
    else if (m_pPaintManager->m_clientFrame == xtpTabFrameSingleLine)
        DeflateRectForPosition(rcClient, CRect(0, 2, 0, 0), position);
}

void CXTPTabPaintManager::CAppearanceSet::DrawFramePart(CDC* pDC, CRect rc, int nPart)
{
    CColorSet* pColorSet = GetColorSet();
    if (!m_pPaintManager->m_bStaticFrame)
    {
        if (nPart == 1)
            rc.InflateRect(2, 2);
        else if (nPart == 2 || nPart == 3)
            pColorSet->GradientFill(pDC, rc, pColorSet->m_clrHeaderFace, m_pPaintManager->GetPosition());
        return;
    }
    switch (nPart)
    {
    case 0:
        pDC->Draw3dRect(rc, ::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNFACE));
        rc.DeflateRect(1, 1);
        pDC->Draw3dRect(rc, pColorSet->m_clrFrameBorder, pColorSet->m_clrFrameBorder);
        break;
    case 1:
        rc.top -= 1;
        break;
    case 2:
    case 3:
        pDC->FillSolidRect(rc, pColorSet->m_clrControlFace);
        if (nPart == 2)
            pDC->FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), pColorSet->m_clrFrameBorder);
        else
            pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, pColorSet->m_clrFrameBorder);
        break;
    }
}

//////////////////////////////////////////////////////////////////////////
// Property page (0) and property page with the selected tab only (1)

CXTPTabPaintManager::CAppearanceSetPropertyPage::CAppearanceSetPropertyPage()
{
    m_rcHeaderMargin.SetRect(2, 3, 6, 0);
}

CRect CXTPTabPaintManager::CAppearanceSetPropertyPage::GetButtonDrawRect(const CXTPTabManagerItem* pItem)
{
    CRect rc(pItem->m_rcItem);
    rc.InflateRect(2, 2);
    return rc;
}

CRect CXTPTabPaintManager::CAppearanceSetPropertyPage::GetClientMargin()
{
    CRect rc = CAppearanceSet::GetClientMargin();
    if (GetColorSet()->IsThemed() && m_pPaintManager->m_clientFrame == xtpTabFrameBorder)
    {
        rc.right += 2;
        XTPTabPosition position = m_pPaintManager->GetPosition();
        if (position == xtpTabPositionTop || position == xtpTabPositionLeft)
            rc.bottom += 2;
    }
    return rc;
}

CRect CXTPTabPaintManager::CAppearanceSetPropertyPage::FillClient(CDC* pDC, CXTPTabManager* pTabManager)
{
    CColorSet* pColorSet = GetColorSet();
    XTPTabPosition position = pTabManager->GetPosition();
    CRect rcControl = pTabManager->GetControlRect();
    CRect rcHeader = GrowTowardsClient(GetHeaderRect(rcControl, pTabManager), position, 1);
    pColorSet->FillHeader(pDC, rcHeader, pTabManager);

    CRect rc = GetClientRect(rcControl, pTabManager);
    COLORREF clrLight = pColorSet->m_csPropertyPage[0];
    COLORREF clrShadow = pColorSet->m_csPropertyPage[1];
    COLORREF clrDark = pColorSet->m_csPropertyPage[2];
    if (m_pPaintManager->m_clientFrame == xtpTabFrameBorder)
    {
        pColorSet->FillClient(pDC, rc, pTabManager);
        if (clrLight != COLORREF_NULL && clrDark != COLORREF_NULL)
            pDC->Draw3dRect(rc, clrLight, clrDark);
        if (clrShadow != COLORREF_NULL)
        {
            pDC->FillSolidRect(rc.left + 1, rc.bottom - 2, rc.Width() - 2, 1, clrShadow);
            pDC->FillSolidRect(rc.right - 2, rc.top + 1, 1, rc.Height() - 2, clrShadow);
        }
    }
    else if (m_pPaintManager->m_clientFrame == xtpTabFrameSingleLine)
    {
        switch (position)
        {
        case xtpTabPositionTop:
            if (clrLight != COLORREF_NULL)
                pDC->FillSolidRect(rc.left, rc.top, rc.Width(), 1, clrLight);
            break;
        case xtpTabPositionLeft:
            if (clrLight != COLORREF_NULL)
                pDC->FillSolidRect(rc.left, rc.top, 1, rc.Height(), clrLight);
            break;
        case xtpTabPositionBottom:
            if (clrDark != COLORREF_NULL)
                pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, clrDark);
            if (clrShadow != COLORREF_NULL)
                pDC->FillSolidRect(rc.left, rc.bottom - 2, rc.Width(), 1, clrShadow);
            break;
        default:
            if (clrDark != COLORREF_NULL)
                pDC->FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), clrDark);
            if (clrShadow != COLORREF_NULL)
                pDC->FillSolidRect(rc.right - 2, rc.top, 1, rc.Height(), clrShadow);
            break;
        }
    }
    return rcHeader;
}

void CXTPTabPaintManager::CAppearanceSetPropertyPage::DrawTabShape(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem)
{
    CXTPTabManager* pTabManager = pItem->GetTabManager();
    XTPTabPosition position = pTabManager->GetPosition();
    CColorSet* pColorSet = GetColorSet();
    BOOL bSelected = pItem->IsSelected();
    if (bSelected)
    {
        // The selected tab stands 2 pixels larger to the sides and outwards.
        CXTPTabPaintManager::InflateRectForPosition(rc, CRect(2, 2, 2, 0), position);
    }

    CTabShape shape(rc, position);
    const int L = shape.Along(), D = shape.Depth();
    pColorSet->FillItemFace(pDC, shape.Rect(1, 1, L - 1, D), pItem);

    shape.LineAcross(pDC, 0, 2, D - 2, pColorSet->m_csPropertyPage[0]);
    shape.LineAlong(pDC, 1, 1, 1, pColorSet->m_csPropertyPage[0]);
    shape.LineAlong(pDC, 2, 0, L - 4, pColorSet->m_csPropertyPage[0]);
    shape.LineAlong(pDC, L - 2, 1, 1, pColorSet->m_csPropertyPage[2]);
    shape.LineAcross(pDC, L - 1, 2, D - 3, pColorSet->m_csPropertyPage[2]);
    shape.LineAcross(pDC, L - 2, 2, D - 3, pColorSet->m_csPropertyPage[1]);

    // The selected tab of the row next to the client area opens into it.
    if (bSelected && pItem->m_nItemRow == 0)
    {
        COLORREF clrFace = pColorSet->GetItemColor(pItem);
        shape.LineAlong(pDC, 1, D - 1, L - 3, clrFace);
        shape.LineAlong(pDC, 1, D, L - 3, clrFace);
    }
}

void CXTPTabPaintManager::CAppearanceSetPropertyPage::DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem)
{
    DrawTabShape(pDC, pItem->m_rcItem, pItem);
    m_pPaintManager->DrawItemIconAndText(pDC, pItem, pItem->m_rcItem, TRUE);
}

void CXTPTabPaintManager::CAppearanceSetPropertyPageSelected::DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem)
{
    if (pItem->IsSelected() || pItem->IsHighlighted())
        DrawTabShape(pDC, pItem->m_rcItem, pItem);
    m_pPaintManager->DrawItemIconAndText(pDC, pItem, pItem->m_rcItem, TRUE);
}

//////////////////////////////////////////////////////////////////////////
// Flat (6), property page flat (2), Excel (7)

CXTPTabPaintManager::CAppearanceSetFlat::CAppearanceSetFlat()
{
    m_rcHeaderMargin.SetRect(2, 2, 4, 0);
}

CRect CXTPTabPaintManager::CAppearanceSetFlat::FillClient(CDC* pDC, CXTPTabManager* pTabManager)
{
    return FillHeaderAndFrame(m_pPaintManager, this, pDC, pTabManager, GetColorSet()->m_clrFrameBorder, TRUE);
}

void CXTPTabPaintManager::CAppearanceSetFlat::DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem)
{
    XTPTabPosition position = pItem->GetTabManager()->GetPosition();
    CRect rc(pItem->m_rcItem);
    InflateRectForPosition(rc, CRect(0, 0, 1, pItem->IsSelected() ? 1 : 0), position);
    CColorSet* pColorSet = GetColorSet();
    pColorSet->FillItemFace(pDC, rc, pItem);
    pDC->Draw3dRect(rc, pColorSet->m_clrFrameBorder, pColorSet->m_clrFrameBorder);
    m_pPaintManager->DrawItemIconAndText(pDC, pItem, pItem->m_rcItem, TRUE);
}

CXTPTabPaintManager::CAppearanceSetPropertyPageFlat::CAppearanceSetPropertyPageFlat()
    : m_bRoundedCorners(TRUE), m_bLeftRect(FALSE)
{
    m_rcHeaderMargin.SetRect(2, 2, 4, 0);
}

void CXTPTabPaintManager::CAppearanceSetPropertyPageFlat::DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem)
{
    XTPTabPosition position = pItem->GetTabManager()->GetPosition();
    CColorSet* pColorSet = GetColorSet();
    CRect rc(pItem->m_rcItem);
    InflateRectForPosition(rc, CRect(0, 0, 1, pItem->IsSelected() ? 1 : 0), position);

    if (!m_bRoundedCorners)
    {
        CAppearanceSetFlat::DrawSingleButton(pDC, pItem);
        return;
    }

    // A rounded tab whose corners at the client side stay square.
    CTabShape shape(rc, position);
    int nSaved = pDC->SaveDC();
    CRect rcRound = shape.Rect(0, 0, shape.Along(), shape.Depth() + 4);
    ClipToRoundRect(pDC, rcRound, 6);
    pColorSet->FillItemFace(pDC, rc, pItem);
    CXTPPenDC pen(pDC->GetSafeHdc(), pColorSet->m_clrFrameBorder);
    HGDIOBJ hOldBrush = pDC->SelectStockObject(HOLLOW_BRUSH);
    pDC->RoundRect(rcRound, CPoint(6, 6));
    ::SelectObject(pDC->GetSafeHdc(), hOldBrush);
    pDC->RestoreDC(nSaved);
    if (m_bLeftRect)
        shape.LineAcross(pDC, 0, 0, shape.Depth(), pColorSet->m_clrFrameBorder);
    m_pPaintManager->DrawItemIconAndText(pDC, pItem, pItem->m_rcItem, TRUE);
}

CXTPTabPaintManager::CAppearanceSetExcel::CAppearanceSetExcel()
{
    m_rcHeaderMargin.SetRect(2, 3, 2, 0);
}

CRect CXTPTabPaintManager::CAppearanceSetExcel::GetHeaderMargin()
{
    CRect rc(m_rcHeaderMargin);
    rc.left += m_nButtonHeight / 2;
    rc.right += m_nButtonHeight / 2;
    return rc;
}

CRect CXTPTabPaintManager::CAppearanceSetExcel::GetButtonDrawRect(const CXTPTabManagerItem* pItem)
{
    CRect rc(pItem->m_rcItem);
    XTPTabPosition position = pItem->GetTabManager()->GetPosition();
    int nHalf = (IsHorizontalPosition(position) ? rc.Height() : rc.Width()) / 2;
    InflateRectForPosition(rc, CRect(nHalf, 0, nHalf, 0), position);
    return rc;
}

void CXTPTabPaintManager::CAppearanceSetExcel::DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem)
{
    XTPTabPosition position = pItem->GetTabManager()->GetPosition();
    CColorSet* pColorSet = GetColorSet();
    CRect rc = GetButtonDrawRect(pItem);
    CTabShape shape(rc, position);
    const int L = shape.Along(), D = shape.Depth();
    // A trapezoid narrow at the strip's outer edge.
    CPoint pts[4] = { shape.Point(D / 2, 0), shape.Point(L - D / 2, 0), shape.Point(L, D), shape.Point(0, D) };

    int nSaved = pDC->SaveDC();
    ClipToPolygon(pDC, pts, 4);
    pColorSet->FillItemFace(pDC, rc, pItem);
    pDC->RestoreDC(nSaved);

    CXTPPenDC pen(pDC->GetSafeHdc(), pColorSet->m_clrFrameBorder);
    pDC->MoveTo(pts[3]);
    pDC->LineTo(pts[0]);
    pDC->LineTo(pts[1]);
    pDC->LineTo(pts[2]);
    m_pPaintManager->DrawItemIconAndText(pDC, pItem, pItem->m_rcItem, TRUE);
}

//////////////////////////////////////////////////////////////////////////
// Property page 2003 (3) and Visual Studio 2005 (9): polygon tabs

CXTPTabPaintManager::CAppearanceSetPropertyPage2003::CAppearanceSetPropertyPage2003()
    : m_bDoubleHighlightedBorder(FALSE)
{
    m_rcHeaderMargin.SetRect(2, 3, 6, 0);
}

CRect CXTPTabPaintManager::CAppearanceSetPropertyPage2003::GetHeaderMargin()
{
    CRect rc(m_rcHeaderMargin);
    rc.left += m_nButtonHeight;
    return rc;
}

CRect CXTPTabPaintManager::CAppearanceSetPropertyPage2003::GetButtonDrawRect(const CXTPTabManagerItem* pItem)
{
    CRect rc(pItem->m_rcItem);
    XTPTabPosition position = pItem->GetTabManager()->GetPosition();
    int nDepth = IsHorizontalPosition(position) ? rc.Height() : rc.Width();
    InflateRectForPosition(rc, CRect(nDepth, 0, 2, 0), position);
    return rc;
}

int CXTPTabPaintManager::CAppearanceSetPropertyPage2003::GetTabOutline(CRect rc, CPoint* pts, BOOL bSelected)
{
    // Along / depth pairs: a slanted leading edge, a straight trailing one.
    const int L = rc.Width(), D = rc.Height();
    pts[0] = CPoint(0, D);
    pts[1] = CPoint(D - 2, 2);
    pts[2] = CPoint(D + 2, 0);
    pts[3] = CPoint(L - 3, 0);
    pts[4] = CPoint(L - 1, 2);
    pts[5] = CPoint(L - 1, D);
    return 6;
}

void CXTPTabPaintManager::CAppearanceSetPropertyPage2003::DrawPolygonTab(CDC* pDC, CXTPTabManagerItem* pItem,
                                                                         CRect rc)
{
    XTPTabPosition position = pItem->GetTabManager()->GetPosition();
    CColorSet* pColorSet = GetColorSet();
    CTabShape shape(rc, position);
    CPoint ptsAlong[8];
    int nCount = GetTabOutline(CRect(0, 0, shape.Along(), shape.Depth()), ptsAlong, pItem->IsSelected());
    CPoint pts[8];
    for (int i = 0; i < nCount; i++)
        pts[i] = shape.Point(ptsAlong[i].x, ptsAlong[i].y);

    int nSaved = pDC->SaveDC();
    ClipToPolygon(pDC, pts, nCount);
    pColorSet->FillItemFace(pDC, rc, pItem);
    pDC->RestoreDC(nSaved);

    BOOL bSelected = pItem->IsSelected();
    COLORREF clrBorder = bSelected ? pColorSet->m_csPropertyPage2003[1] : pColorSet->m_csPropertyPage2003[0];
    if (clrBorder == COLORREF_NULL)
        clrBorder = pColorSet->m_clrFrameBorder;
    CXTPPenDC pen(pDC->GetSafeHdc(), clrBorder);
    pDC->Polyline(pts, nCount);
    if (m_bDoubleHighlightedBorder && pItem->IsHighlighted())
    {
        pen.Color(pColorSet->m_csPropertyPage2003[2]);
        for (int i = 0; i < nCount; i++)
            pts[i] = shape.Point(ptsAlong[i].x + (i < nCount / 2 ? 1 : -1), ptsAlong[i].y + 1);
        pDC->Polyline(pts, nCount);
    }
    COLORREF clrLight = pColorSet->m_csPropertyPage2003[3];
    if (bSelected && clrLight != COLORREF_NULL && pItem->m_nItemRow == 0)
        shape.LineAlong(pDC, 1, shape.Depth() - 1, shape.Along() - 2, pColorSet->GetItemColor(pItem));
}

CRect CXTPTabPaintManager::CAppearanceSetPropertyPage2003::FillClient(CDC* pDC, CXTPTabManager* pTabManager)
{
    COLORREF clrFrame = GetColorSet()->m_csPropertyPage2003[1];
    return FillHeaderAndFrame(m_pPaintManager, this, pDC, pTabManager, clrFrame, FALSE);
}

void CXTPTabPaintManager::CAppearanceSetPropertyPage2003::DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem)
{
    DrawPolygonTab(pDC, pItem, GetButtonDrawRect(pItem));
    m_pPaintManager->DrawItemIconAndText(pDC, pItem, pItem->m_rcItem, TRUE);
}

CXTPTabPaintManager::CAppearanceSetVisualStudio2005::CAppearanceSetVisualStudio2005()
{
    m_bButtonsReverseZOrder = TRUE;
}

CRect CXTPTabPaintManager::CAppearanceSetVisualStudio2005::GetHeaderMargin()
{
    CRect rc(m_rcHeaderMargin);
    rc.left += m_nButtonHeight / 2;
    return rc;
}

CRect CXTPTabPaintManager::CAppearanceSetVisualStudio2005::GetButtonDrawRect(const CXTPTabManagerItem* pItem)
{
    CRect rc(pItem->m_rcItem);
    XTPTabPosition position = pItem->GetTabManager()->GetPosition();
    int nHalf = (IsHorizontalPosition(position) ? rc.Height() : rc.Width()) / 2;
    InflateRectForPosition(rc, CRect(nHalf, 0, nHalf, 0), position);
    return rc;
}

int CXTPTabPaintManager::CAppearanceSetVisualStudio2005::GetTabOutline(CRect rc, CPoint* pts, BOOL bSelected)
{
    const int L = rc.Width(), D = rc.Height();
    pts[0] = CPoint(0, D);
    pts[1] = CPoint(D - 3, 3);
    pts[2] = CPoint(D + 1, 0);
    pts[3] = CPoint(L - D / 2 - 2, 0);
    pts[4] = CPoint(L - D / 2, 2);
    pts[5] = CPoint(L - D / 2, D);
    return 6;
}

//////////////////////////////////////////////////////////////////////////
// State buttons (4)

CXTPTabPaintManager::CAppearanceSetStateButtons::CAppearanceSetStateButtons()
{
    m_rcHeaderMargin.SetRect(2, 2, 4, 2);
    m_nRowMargin = 0;
}

CRect CXTPTabPaintManager::CAppearanceSetStateButtons::FillClient(CDC* pDC, CXTPTabManager* pTabManager)
{
    return GetHeaderRect(pTabManager->GetControlRect(), pTabManager);
}

void CXTPTabPaintManager::CAppearanceSetStateButtons::DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem)
{
    GetColorSet()->FillStateButton(pDC, pItem->m_rcItem, pItem);
    m_pPaintManager->DrawItemIconAndText(pDC, pItem, pItem->m_rcItem, TRUE);
}

//////////////////////////////////////////////////////////////////////////
// Visual Studio (5)

CRect CXTPTabPaintManager::CAppearanceSetVisualStudio::FillClient(CDC* pDC, CXTPTabManager* pTabManager)
{
    CColorSet* pColorSet = GetColorSet();
    XTPTabPosition position = pTabManager->GetPosition();
    CRect rcControl = pTabManager->GetControlRect();
    CRect rcHeader = GetHeaderRect(rcControl, pTabManager);
    pColorSet->FillHeader(pDC, rcHeader, pTabManager);

    CRect rc = GetClientRect(rcControl, pTabManager);
    COLORREF clrLight = pColorSet->m_clrButtonHighlight, clrDark = pColorSet->m_clrTextSelected;
    if (m_pPaintManager->m_clientFrame == xtpTabFrameBorder)
    {
        pColorSet->FillClient(pDC, rc, pTabManager);
        pDC->Draw3dRect(rc, clrLight, clrDark);
    }
    else if (m_pPaintManager->m_clientFrame == xtpTabFrameSingleLine)
    {
        BOOL bLightSide = position == xtpTabPositionTop || position == xtpTabPositionLeft;
        DrawHeaderSideEdge(pDC, rc, position, bLightSide ? clrLight : clrDark);
    }
    return rcHeader;
}

void CXTPTabPaintManager::CAppearanceSetVisualStudio::DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem)
{
    XTPTabPosition position = pItem->GetTabManager()->GetPosition();
    CColorSet* pColorSet = GetColorSet();
    CRect rc(pItem->m_rcItem);
    if (pItem->IsSelected())
    {
        rc = GrowTowardsClient(rc, position, 1);
        pColorSet->FillItemFace(pDC, rc, pItem);
        pDC->Draw3dRect(rc, pColorSet->m_clrButtonHighlight, pColorSet->m_clrTextSelected);
    }
    else
    {
        CTabShape shape(rc, position);
        shape.LineAcross(pDC, shape.Along() - 1, 2, shape.Depth() - 4, pColorSet->m_clrFrameBorder);
    }
    m_pPaintManager->DrawItemIconAndText(pDC, pItem, pItem->m_rcItem, TRUE);
}

//////////////////////////////////////////////////////////////////////////
// Visio (8): full-width bars stacked from the top, the selected item's page
// opening below its bar.

CXTPTabPaintManager::CAppearanceSetVisio::CAppearanceSetVisio()
{
    m_rcHeaderMargin.SetRect(0, 0, 0, 0);
}

CRect CXTPTabPaintManager::CAppearanceSetVisio::GetHeaderRect(CRect rcControl, const CXTPTabManager* pTabManager)
{
    return CRect(0, 0, 0, 0);
}

CRect CXTPTabPaintManager::CAppearanceSetVisio::GetClientRect(CRect rcControl, const CXTPTabManager* pTabManager)
{
    int nSelected = pTabManager->GetSelectedIndex();
    if (nSelected < 0)
        return rcControl;
    const int nCount = pTabManager->GetItemCount();
    const int B = GetButtonHeight(pTabManager);
    const BOOL bNoFrame = m_pPaintManager->m_clientFrame == xtpTabFrameNone;
    CRect rc(rcControl);
    rc.top = rcControl.top + 1 + (nSelected + 1) * B;
    rc.bottom = std::max(rcControl.bottom - (nCount - nSelected - 1) * B, rc.top + B);
    if (nSelected == nCount - 1 && !bNoFrame)
        rc.bottom -= 1;
    if (!bNoFrame)
        rc.DeflateRect(1, 0);
    return rc;
}

void CXTPTabPaintManager::CAppearanceSetVisio::RepositionTabControl(CXTPTabManager* pTabManager, CDC* pDC,
                                                                    CRect rcControl)
{
    pTabManager->m_rcHeaderRect.SetRectEmpty();
    const int nCount = pTabManager->GetItemCount();
    const int B = GetButtonHeight(pTabManager);
    const int nIndent = m_pPaintManager->m_clientFrame == xtpTabFrameNone ? 0 : 1;
    const int nSelected = pTabManager->GetSelectedIndex();
    int y = rcControl.top + 1;
    for (int i = 0; i < nCount; i++)
    {
        CXTPTabManagerItem* pItem = pTabManager->GetItem(i);
        pItem->m_nContentLength = pItem->m_bVisible ? GetItemLength(pDC, pItem) : 0;
        pItem->m_nButtonLength = rcControl.Width() - 2 * nIndent;
        if (nSelected >= 0 && i == nSelected + 1)
            y = std::min(std::max(y, (int)(rcControl.bottom - (nCount - i) * B)), (int)rcControl.bottom - 1);
        pItem->m_rcItem.SetRect(rcControl.left + nIndent, y, rcControl.right - nIndent, y + B);
        y += B;
    }
}

void CXTPTabPaintManager::CAppearanceSetVisio::AdjustClientRect(CXTPTabManager* pTabManager, CRect& rcClient)
{
    rcClient.DeflateRect(m_pPaintManager->m_rcControlMargin);
    rcClient = GetClientRect(rcClient, pTabManager);
    DeflateRectForPosition(rcClient, GetClientMargin(), pTabManager->GetPosition());
}

void CXTPTabPaintManager::CAppearanceSetVisio::DrawTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl)
{
    CColorSet* pColorSet = GetColorSet();
    if (m_pPaintManager->m_bFillBackground)
        pDC->FillSolidRect(rcControl, pColorSet->m_clrControlFace);
    pDC->SetBkMode(TRANSPARENT);
    if (m_pPaintManager->m_clientFrame != xtpTabFrameNone)
        pDC->Draw3dRect(rcControl, pColorSet->m_clrFrameBorder, pColorSet->m_clrFrameBorder);

    int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(rcControl);
    for (int i = 0; i < pTabManager->GetItemCount(); i++)
    {
        CXTPTabManagerItem* pItem = pTabManager->GetItem(i);
        if (pItem->m_bVisible)
            DrawSingleButton(pDC, pItem);
    }
    pDC->RestoreDC(nSaved);
}

void CXTPTabPaintManager::CAppearanceSetVisio::DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem)
{
    CColorSet* pColorSet = GetColorSet();
    CRect rc(pItem->m_rcItem);
    pColorSet->FillItemFace(pDC, rc, pItem);
    pDC->Draw3dRect(rc, pColorSet->m_csPropertyPage[0] != COLORREF_NULL ? (COLORREF)pColorSet->m_csPropertyPage[0]
                                                                          : ::GetSysColor(COLOR_BTNHIGHLIGHT),
                    pColorSet->m_clrFrameBorder);
    m_pPaintManager->DrawItemIconAndText(pDC, pItem, rc, TRUE);
}
