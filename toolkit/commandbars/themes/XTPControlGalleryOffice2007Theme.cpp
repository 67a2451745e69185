// The Office 2007 theme's gallery painter.
#include "XTPControlGalleryOffice2007Theme.h"

#include <algorithm>

#include "XTPCommandBar.h"
#include "XTPControlGallery.h"
#include "XTPOffice2007Theme.h"
#include "XTPScrollBase.h"

namespace
{
const COLORREF kMagenta = RGB(255, 0, 255);
const COLORREF kSeparator = RGB(197, 197, 197);
const int kScrollButtonWidth = 15;

// A colour of the theme text, or the fallback when the key is missing.
COLORREF ColorOr(COLORREF clr, COLORREF clrDefault)
{
    return clr == (COLORREF)-1 ? clrDefault : clr;
}
} // namespace

CXTPControlGalleryOffice2007Theme::CXTPControlGalleryOffice2007Theme(CXTPPaintManager* pPaintManager)
    : CXTPControlGalleryPaintManager(pPaintManager)
    , m_clrControlGallerySelected(RGB(255, 255, 255))
    , m_clrControlGalleryNormal(RGB(255, 255, 255))
    , m_clrControlGalleryBorder(RGB(128, 128, 128))
{
}

CXTPOffice2007Theme* CXTPControlGalleryOffice2007Theme::GetTheme() const
{
    return static_cast<CXTPOffice2007Theme*>(m_pPaintManager);
}

void CXTPControlGalleryOffice2007Theme::RefreshMetrics()
{
    CXTPControlGalleryPaintManager::RefreshMetrics();
    m_cxHScroll = m_cyHScroll = m_cxVScroll = m_cyVScroll = 17;
    m_cyPopupUp = 21;
    m_cyPopupDown = 19;

    // A missing key keeps a plain look rather than drawing with -1.
    CXTPOffice2007Theme* pTheme = GetTheme();
    m_clrControlGallerySelected =
        ColorOr(pTheme->GetImageColor(_T("Toolbar"), _T("ControlGallerySelected")), ::GetSysColor(COLOR_WINDOW));
    m_clrControlGalleryNormal =
        ColorOr(pTheme->GetImageColor(_T("Toolbar"), _T("ControlGalleryNormal")), ::GetSysColor(COLOR_WINDOW));
    m_clrControlGalleryBorder =
        ColorOr(pTheme->GetImageColor(_T("Toolbar"), _T("ControlGalleryBorder")), ::GetSysColor(COLOR_BTNSHADOW));
}

void CXTPControlGalleryOffice2007Theme::FillControl(CDC* pDC, CXTPControlGallery* pGallery, CRect rc)
{
    CXTPCommandBar* pParent = pGallery->GetParent();
    COLORREF clrBack;
    if (pParent != NULL && pParent->GetPosition() == xtpBarPopup)
        clrBack = m_pPaintManager->GetColor(41);
    else if (pGallery->GetSelected() && pGallery->GetEnabled())
        clrBack = m_clrControlGallerySelected;
    else
        clrBack = m_clrControlGalleryNormal;

    pDC->FillSolidRect(rc, clrBack);
    if (pGallery->IsShowBorders())
        pDC->Draw3dRect(rc, m_clrControlGalleryBorder, m_clrControlGalleryBorder);
    if (pGallery->IsShowBottomSeparator())
        pDC->FillSolidRect(rc.left, rc.bottom - 2, rc.Width(), 1, kSeparator);
}

void CXTPControlGalleryOffice2007Theme::DrawLabel(CDC* pDC, CXTPControlGalleryItem* pLabel, CRect rc)
{
    pDC->FillSolidRect(rc, m_pPaintManager->GetColor(56));
    pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, kSeparator);

    CFont* pOldFont = pDC->SelectObject(m_pPaintManager->GetRegularBoldFont());
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(m_pPaintManager->GetColor(44));
    CRect rcText(rc);
    rcText.DeflateRect(10, 0);
    pDC->DrawText(pLabel->GetCaption(), rcText, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    pDC->SelectObject(pOldFont);
}

void CXTPControlGalleryOffice2007Theme::GetScrollButtonRects(CXTPControlGallery* pGallery, CRect& rcUp,
                                                             CRect& rcDown, CRect& rcPopup) const
{
    CRect rc = pGallery->GetRect();
    int x = rc.right - kScrollButtonWidth;
    rcUp.SetRect(x, rc.top, rc.right, rc.top + m_cyPopupUp);
    rcDown.SetRect(x, rcUp.bottom, rc.right, rcUp.bottom + m_cyPopupDown);
    rcPopup.SetRect(x, rcDown.bottom, rc.right, std::max((int)rcDown.bottom, (int)rc.bottom));
}

void CXTPControlGalleryOffice2007Theme::DrawScrollButtons(CDC* pDC, CXTPControlGallery* pGallery)
{
    CXTPOffice2007Theme* pTheme = GetTheme();
    CXTPOffice2007Image* pImageUp = pTheme->LoadImage(_T("CONTROLGALLERYUP"));
    if (pImageUp == NULL)
        return;
    CXTPOffice2007Image* pImageDown = pTheme->LoadImage(_T("CONTROLGALLERYDOWN"));
    CXTPOffice2007Image* pImagePopup = pTheme->LoadImage(_T("CONTROLGALLERYPOPUP"));

    CRect rcButtons[3];
    GetScrollButtonRects(pGallery, rcButtons[0], rcButtons[1], rcButtons[2]);
    CXTPOffice2007Image* pImages[3] = {pImageUp, pImageDown, pImagePopup};
    const int nParts[3] = {xtpScrollHitUp, xtpScrollHitDown, xtpScrollHitPopup};

    const SCROLLBARPOSINFO* pSBInfo = pGallery->GetScrollBarPosInfo();
    BOOL bTracking = pGallery->IsTracking();
    BOOL bEnabled = pGallery->GetEnabled();
    for (int i = 0; i < 3; i++)
    {
        int nState;
        if (!bEnabled || (i < 2 && !pGallery->IsScrollButtonEnabled(nParts[i])))
            nState = 4;
        else if (pSBInfo->ht == nParts[i])
            nState = bTracking ? 3 : 2;
        else if (pSBInfo->ht != xtpScrollHitNone || pGallery->GetSelected())
            nState = 1;
        else
            nState = 0;
        CXTPOffice2007Theme::DrawImagePart(pDC, pImages[i], rcButtons[i], nState, 5, CRect(3, 3, 3, 3), TRUE);
    }
}

void CXTPControlGalleryOffice2007Theme::DrawScrollBar(CDC* pDC, CXTPScrollBase* pScroll)
{
    int nStyle = pScroll->GetScrollBarStyle();
    if (nStyle != 5 && nStyle != 6)
    {
        CXTPControlGalleryPaintManager::DrawScrollBar(pDC, pScroll);
        return;
    }
    const SCROLLBARPOSINFO* pSBInfo = pScroll->GetScrollBarPosInfo();
    CRect rcBar(pSBInfo->rc);
    if (rcBar.Height() <= 0 || rcBar.Width() <= 0)
        return;

    BOOL bLight = nStyle == 5;
    BOOL bEnabled = IsScrollBarUsable(pScroll);
    BOOL bThumb = bEnabled && pSBInfo->pxThumbBottom <= pSBInfo->pxDownArrow && pSBInfo->pxThumbTop >= pSBInfo->pxMin;
    SCROLLBARPARTS parts;
    GetScrollBarParts(pScroll, bThumb, parts);
    if (!bThumb)
        parts.rcPageUp.SetRectEmpty();

    CXTPOffice2007Theme* pTheme = GetTheme();
    CXTPOffice2007Image* pGlyphs = pTheme->LoadImage(_T("CONTROLGALLERYSCROLLARROWGLYPHS"));
    CXTPOffice2007Image* pTrack =
        pTheme->LoadImage(bLight ? _T("CONTROLGALLERYSCROLLVERTICALLIGHT") : _T("CONTROLGALLERYSCROLLVERTICALDARK"));
    if (pGlyphs == NULL || pTrack == NULL)
        return;
    CXTPOffice2007Theme::DrawImagePart(pDC, pTrack, rcBar, 0, 2, CRect(1, 0, 1, 0), FALSE);

    int nPressed, nHot;
    GetScrollBarStates(pScroll, nPressed, nHot);
    int nActive = nPressed != xtpScrollHitNone ? nPressed : nHot;

    CXTPOffice2007Image* pArrows = pTheme->LoadImage(bLight ? _T("CONTROLGALLERYSCROLLARROWSVERTICALLIGHT")
                                                            : _T("CONTROLGALLERYSCROLLARROWSVERTICALDARK"));
    if (pArrows != NULL)
    {
        for (int i = 0; i < 2; i++)
        {
            int nPart = i == 0 ? xtpScrollHitUp : xtpScrollHitDown;
            CRect rcArrow = i == 0 ? parts.rcUp : parts.rcDown;
            rcArrow.DeflateRect(1, 0);
            int nState = 0;
            if (bEnabled)
            {
                if (nPressed == nPart)
                    nState = 3;
                else if (nHot == nPart)
                    nState = 2;
                else if (nActive != xtpScrollHitNone)
                    nState = 1;
            }
            if (nState > 0)
                CXTPOffice2007Theme::DrawImagePart(pDC, pArrows, rcArrow, nState, 4, CRect(3, 3, 3, 3), FALSE);

            // The glyph: a 9 x 9 cell, rows counted from 1.
            int nRow = !bEnabled ? 4 : nState > 0 ? 2 : 1;
            if (i == 1)
                nRow += 4;
            CRect rcSrc(0, (nRow - 1) * 9, 9, nRow * 9);
            if (rcSrc.bottom <= pGlyphs->GetHeight() && rcSrc.right <= pGlyphs->GetWidth())
            {
                CPoint pt(rcArrow.CenterPoint().x - 4, rcArrow.CenterPoint().y - 4);
                pGlyphs->DrawImageTransparent(pDC, CRect(pt, CSize(9, 9)), rcSrc, CRect(0, 0, 0, 0), kMagenta);
            }
        }
    }

    if (nPressed == xtpScrollHitPageUp && !parts.rcPageUp.IsRectEmpty())
        CXTPOffice2007Theme::DrawImagePart(pDC, pTrack, parts.rcPageUp, 1, 2, CRect(1, 0, 1, 0), FALSE);
    if (nPressed == xtpScrollHitPageDown && !parts.rcPageDown.IsRectEmpty())
        CXTPOffice2007Theme::DrawImagePart(pDC, pTrack, parts.rcPageDown, 1, 2, CRect(1, 0, 1, 0), FALSE);

    if (!parts.rcThumb.IsRectEmpty())
    {
        CXTPOffice2007Image* pThumb = pTheme->LoadImage(_T("CONTROLGALLERYSCROLLTHUMBVERTICAL"));
        if (pThumb == NULL)
            return;
        int nState = nPressed == xtpScrollHitThumb ? 2 : nHot == xtpScrollHitThumb ? 1 : 0;
        CXTPOffice2007Theme::DrawImagePart(pDC, pThumb, parts.rcThumb, nState, 3, CRect(5, 5, 5, 5), FALSE);
        if (parts.rcThumb.Height() > 10)
        {
            CXTPOffice2007Image* pGripper = pTheme->LoadImage(_T("CONTROLGALLERYSCROLLTHUMBGRIPPERVERTICAL"));
            CPoint ptCentre = parts.rcThumb.CenterPoint();
            CXTPOffice2007Theme::DrawImagePart(pDC, pGripper, CRect(CPoint(ptCentre.x - 3, ptCentre.y - 4), CSize(8, 8)), nState, 3,
                     CRect(0, 0, 0, 0), TRUE);
        }
    }
}
