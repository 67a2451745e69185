// The painter of gallery controls.
#include "XTPControlGalleryPaintManager.h"

#include <algorithm>

#include "XTPCommandBar.h"
#include "XTPControlGallery.h"
#include "XTPPaintManager.h"
#include "XTPScrollBase.h"

CXTPControlGalleryPaintManager::CXTPControlGalleryPaintManager(CXTPPaintManager* pPaintManager)
    : m_cxHScroll(16)
    , m_cyHScroll(16)
    , m_cyVScroll(16)
    , m_cxVScroll(16)
    , m_cyPopupUp(19)
    , m_cyPopupDown(19)
    , m_cxPopup(16)
    , m_pPaintManager(pPaintManager)
{
}

CXTPControlGalleryPaintManager::~CXTPControlGalleryPaintManager()
{
}

void CXTPControlGalleryPaintManager::RefreshMetrics()
{
    m_cxHScroll = ::GetSystemMetrics(SM_CXHSCROLL);
    m_cyHScroll = ::GetSystemMetrics(SM_CYHSCROLL);
    m_cxVScroll = ::GetSystemMetrics(SM_CXVSCROLL);
    m_cyVScroll = ::GetSystemMetrics(SM_CYVSCROLL);
    m_themeScrollBar.OpenThemeData(NULL, L"SCROLLBAR");
    m_cyPopupUp = 19;
    m_cyPopupDown = 19;
    m_cxPopup = 16;
}

//////////////////////////////////////////////////////////////////////////
// Drawing

BOOL AFX_CDECL CXTPControlGalleryPaintManager::IsScrollBarUsable(CXTPScrollBase* pScroll)
{
    const SCROLLBARPOSINFO* pSBInfo = pScroll->GetScrollBarPosInfo();
    return pSBInfo->posMax - pSBInfo->posMin - pSBInfo->page + 1 > 0 && pScroll->IsScrollBarEnabled();
}

void AFX_CDECL CXTPControlGalleryPaintManager::GetScrollBarStates(CXTPScrollBase* pScroll, int& nPressed, int& nHot)
{
    const SCROLLBARPOSINFO* pSBInfo = pScroll->GetScrollBarPosInfo();
    SCROLLBARTRACKINFO* pTrack = pScroll->GetScrollBarTrackInfo();
    nPressed = xtpScrollHitNone;
    nHot = xtpScrollHitNone;
    if (pTrack != NULL)
    {
        if (pTrack->bTrackThumb || pTrack->fHitOld)
            nPressed = pSBInfo->ht;
    }
    else
    {
        nHot = pSBInfo->ht;
    }
}

void AFX_CDECL CXTPControlGalleryPaintManager::GetScrollBarParts(CXTPScrollBase* pScroll, BOOL bThumb,
                                                                 SCROLLBARPARTS& parts)
{
    const SCROLLBARPOSINFO* pSBInfo = pScroll->GetScrollBarPosInfo();
    CRect rc(pSBInfo->rc);
    parts.rcUp.SetRect(rc.left, rc.top, rc.right, pSBInfo->pxUpArrow);
    parts.rcDown.SetRect(rc.left, pSBInfo->pxDownArrow, rc.right, rc.bottom);
    parts.rcTrack.SetRect(rc.left, pSBInfo->pxUpArrow, rc.right, pSBInfo->pxDownArrow);
    if (bThumb)
    {
        parts.rcPageUp.SetRect(rc.left, pSBInfo->pxUpArrow, rc.right, pSBInfo->pxThumbTop);
        parts.rcThumb.SetRect(rc.left, pSBInfo->pxThumbTop, rc.right, pSBInfo->pxThumbBottom);
        parts.rcPageDown.SetRect(rc.left, pSBInfo->pxThumbBottom, rc.right, pSBInfo->pxDownArrow);
    }
    else
    {
        parts.rcPageUp = parts.rcTrack;
        parts.rcThumb.SetRectEmpty();
        parts.rcPageDown.SetRectEmpty();
    }
}

void CXTPControlGalleryPaintManager::DrawLabel(CDC* pDC, CXTPControlGalleryItem* pLabel, CRect rc)
{
    CXTPPaintManager* pPaintManager = m_pPaintManager;
    pDC->FillSolidRect(rc, pPaintManager->GetColor(56));
    pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, pPaintManager->GetColor(52));

    CFont* pOldFont = pDC->SelectObject(pPaintManager->GetIconBoldFont());
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(pPaintManager->GetColor(44));
    CRect rcText(rc);
    rcText.DeflateRect(10, 0);
    pDC->DrawText(pLabel->GetCaption(), rcText, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    pDC->SelectObject(pOldFont);
}

void CXTPControlGalleryPaintManager::FillControl(CDC* pDC, CXTPControlGallery* pGallery, CRect rc)
{
    pDC->FillSolidRect(rc, m_pPaintManager->GetColor(41));
    if (pGallery->IsShowBorders())
        pDC->Draw3dRect(rc, m_pPaintManager->GetColor(52), m_pPaintManager->GetColor(52));
    if (pGallery->IsShowBottomSeparator())
        pDC->FillSolidRect(rc.left, rc.bottom - 2, rc.Width(), 1, m_pPaintManager->GetColor(39));
}

namespace
{
// A "MARLETT" arrow glyph centred in a button.
void DrawArrowGlyph(CDC* pDC, CRect rc, BOOL bUp, BOOL bEnabled)
{
    int nSize = std::min(rc.Width(), rc.Height());
    if (nSize < 6)
        return;
    CFont font;
    font.CreateFont(nSize - 4, 0, 0, 0, FW_NORMAL, 0, 0, 0, SYMBOL_CHARSET, 0, 0, 0, 0, _T("MARLETT"));
    CFont* pOldFont = pDC->SelectObject(&font);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(bEnabled ? RGB(0, 0, 0) : ::GetSysColor(COLOR_BTNSHADOW));
    CRect rcGlyph(rc.left + (rc.Width() - nSize) / 2 + 2, rc.top + (rc.Height() - nSize) / 2 + 2, 0, 0);
    rcGlyph.right = rcGlyph.left + nSize;
    rcGlyph.bottom = rcGlyph.top + nSize;
    pDC->DrawText(bUp ? _T("5") : _T("6"), 1, rcGlyph, DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
    pDC->SelectObject(pOldFont);
}
} // namespace

void CXTPControlGalleryPaintManager::DrawScrollBar(CDC* pDC, CXTPScrollBase* pScroll)
{
    const SCROLLBARPOSINFO* pSBInfo = pScroll->GetScrollBarPosInfo();
    CRect rcBar(pSBInfo->rc);
    if (rcBar.Width() <= 0 || rcBar.Height() <= 0)
        return;

    BOOL bEnabled = IsScrollBarUsable(pScroll);
    int nPressed, nHot;
    GetScrollBarStates(pScroll, nPressed, nHot);
    BOOL bThumb = bEnabled && pSBInfo->pxThumbBottom <= pSBInfo->pxDownArrow && pSBInfo->pxThumbTop >= pSBInfo->pxMin;
    SCROLLBARPARTS parts;
    GetScrollBarParts(pScroll, bThumb, parts);

    int nStyle = pScroll->GetScrollBarStyle();
    if (nStyle == 3 && m_themeScrollBar.IsAppThemeReady())
    {
        HDC hDC = pDC->GetSafeHdc();
        int nUpState = !bEnabled ? 4 : nPressed == xtpScrollHitUp ? 3 : nHot == xtpScrollHitUp ? 2 : 1;
        int nDownState = !bEnabled ? 8 : nPressed == xtpScrollHitDown ? 7 : nHot == xtpScrollHitDown ? 6 : 5;
        m_themeScrollBar.DrawThemeBackground(hDC, 1, nUpState, parts.rcUp, NULL);
        int nPageUpState = !bEnabled ? 4 : nPressed == xtpScrollHitPageUp ? 3 : nHot == xtpScrollHitPageUp ? 2 : 1;
        int nPageDownState =
            !bEnabled ? 4 : nPressed == xtpScrollHitPageDown ? 3 : nHot == xtpScrollHitPageDown ? 2 : 1;
        if (!parts.rcPageUp.IsRectEmpty())
            m_themeScrollBar.DrawThemeBackground(hDC, 6, nPageUpState, parts.rcPageUp, NULL);
        if (!parts.rcThumb.IsRectEmpty())
        {
            int nThumbState = nPressed == xtpScrollHitThumb ? 3 : nHot == xtpScrollHitThumb ? 2 : 1;
            m_themeScrollBar.DrawThemeBackground(hDC, 3, nThumbState, parts.rcThumb, NULL);
            if (parts.rcThumb.Height() > 13)
                m_themeScrollBar.DrawThemeBackground(hDC, 9, nThumbState, parts.rcThumb, NULL);
        }
        if (!parts.rcPageDown.IsRectEmpty())
            m_themeScrollBar.DrawThemeBackground(hDC, 7, nPageDownState, parts.rcPageDown, NULL);
        m_themeScrollBar.DrawThemeBackground(hDC, 1, nDownState, parts.rcDown, NULL);
        return;
    }

    // The arrows.
    for (int i = 0; i < 2; i++)
    {
        BOOL bUp = i == 0;
        CRect rc = bUp ? parts.rcUp : parts.rcDown;
        BOOL bArrowPressed = nPressed == (bUp ? xtpScrollHitUp : xtpScrollHitDown);
        if (rc.IsRectEmpty())
            continue;
        if (nStyle == 2)
        {
            pDC->FillSolidRect(rc, ::GetSysColor(COLOR_3DFACE));
            if (bArrowPressed)
                pDC->Draw3dRect(rc, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_3DHIGHLIGHT));
            else
                pDC->Draw3dRect(rc, ::GetSysColor(COLOR_3DHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
            DrawArrowGlyph(pDC, rc, bUp, bEnabled);
        }
        else
        {
            UINT nState = (bUp ? DFCS_SCROLLUP : DFCS_SCROLLDOWN) | (bArrowPressed ? DFCS_PUSHED : 0) |
                          (bEnabled ? 0 : DFCS_INACTIVE);
            pDC->DrawFrameControl(rc, DFC_SCROLL, nState);
        }
    }

    // The track, with the brush the bar's window gives for scroll bars.
    CXTPCommandBar* pParent = pScroll->GetParentWindow();
    HBRUSH hBrush = NULL;
    if (pParent != NULL && pParent->GetSafeHwnd() != NULL)
        hBrush = (HBRUSH)::DefWindowProc(pParent->GetSafeHwnd(), WM_CTLCOLORSCROLLBAR, (WPARAM)pDC->GetSafeHdc(),
                                         (LPARAM)pParent->GetSafeHwnd());
    if (hBrush == NULL)
        hBrush = ::GetSysColorBrush(COLOR_SCROLLBAR);
    if (!parts.rcTrack.IsRectEmpty())
        ::FillRect(pDC->GetSafeHdc(), parts.rcTrack, hBrush);
    if (nPressed == xtpScrollHitPageUp && !parts.rcPageUp.IsRectEmpty())
        pDC->InvertRect(parts.rcPageUp);
    if (nPressed == xtpScrollHitPageDown && !parts.rcPageDown.IsRectEmpty())
        pDC->InvertRect(parts.rcPageDown);

    if (!parts.rcThumb.IsRectEmpty())
    {
        CRect rcThumb(parts.rcThumb);
        pDC->FillSolidRect(rcThumb, ::GetSysColor(COLOR_3DFACE));
        if (nStyle == 2)
            pDC->Draw3dRect(rcThumb, ::GetSysColor(COLOR_3DHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
        else
            pDC->DrawEdge(rcThumb, EDGE_RAISED, BF_RECT | BF_ADJUST);
    }
}

void CXTPControlGalleryPaintManager::DrawScrollButtons(CDC* pDC, CXTPControlGallery* pGallery)
{
    const SCROLLBARPOSINFO* pSBInfo = pGallery->GetScrollBarPosInfo();
    CRect rcBar(pSBInfo->rc);
    if (rcBar.IsRectEmpty())
        return;
    pDC->FillSolidRect(rcBar, m_pPaintManager->GetColor(30));

    int nPressed, nHot;
    GetScrollBarStates(pGallery, nPressed, nHot);
    BOOL bControlEnabled = pGallery->GetEnabled();

    CRect rcButtons[3] = {CRect(rcBar.left, rcBar.top, rcBar.right, pSBInfo->pxUpArrow),
                          CRect(rcBar.left, pSBInfo->pxUpArrow, rcBar.right, pSBInfo->pxPopup),
                          CRect(rcBar.left, pSBInfo->pxPopup, rcBar.right, rcBar.bottom)};
    const int nParts[3] = {xtpScrollHitUp, xtpScrollHitDown, xtpScrollHitPopup};
    for (int i = 0; i < 3; i++)
    {
        CRect rc = rcButtons[i];
        if (rc.IsRectEmpty())
            continue;
        BOOL bEnabled = bControlEnabled && (i == 2 || pGallery->IsScrollButtonEnabled(nParts[i]));
        BOOL bPressed = bEnabled && nPressed == nParts[i];
        BOOL bHot = bEnabled && !bPressed && nHot == nParts[i];
        m_pPaintManager->DrawRectangle(pDC, rc, bHot, bPressed, bEnabled, FALSE, FALSE, xtpBarTypeNormal,
                                       xtpBarPopup);
        COLORREF clr = m_pPaintManager->GetRectangleTextColor(bHot, bPressed, bEnabled, FALSE, FALSE,
                                                              xtpBarTypeNormal, xtpBarPopup);
        CPoint pt = rc.CenterPoint();
        if (i == 0)
            m_pPaintManager->Triangle(pDC, CPoint(pt.x - 4, pt.y + 2), CPoint(pt.x + 4, pt.y + 2),
                                      CPoint(pt.x, pt.y - 2), clr);
        else if (i == 1)
            m_pPaintManager->Triangle(pDC, CPoint(pt.x - 4, pt.y - 2), CPoint(pt.x + 4, pt.y - 2),
                                      CPoint(pt.x, pt.y + 2), clr);
        else
        {
            m_pPaintManager->Triangle(pDC, CPoint(pt.x - 4, pt.y - 1), CPoint(pt.x + 4, pt.y - 1),
                                      CPoint(pt.x, pt.y + 3), clr);
            pDC->FillSolidRect(pt.x - 4, pt.y - 4, 9, 2, clr);
        }
    }
}
