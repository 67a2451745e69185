// The paint manager's base drawing of the frame parts of bars: the floating
// title strip, expand and hide buttons, dock-bar and workspace fills, the
// status bar, keyboard tips and the expanding animation of popup bars.
#include "XTPPaintManager.h"

#include <algorithm>
#include <vector>

#include "XTPCommandBar.h"
#include "XTPControl.h"
#include "XTPControls.h"
#include "XTPDockBar.h"
#include "XTPDrawHelpers.h"
#include "XTPImageManager.h"
#include "XTPCommandBarKeyboardTip.h"
#include "XTPStatusBar.h"

namespace
{
// Two strokes one pixel apart: (x, y0) -> (x + dx1, y0 + dy1) -> (x + dx2, y0 + dy2).
void DrawStroke(CDC* pDC, int x, int y, int dx1, int dy1, int dx2, int dy2)
{
    POINT pts[3] = { { x, y }, { x + dx1, y + dy1 }, { x + dx2, y + dy2 } };
    pDC->Polyline(pts, 3);
}
} // namespace

CSize CXTPPaintManager::DrawCommandBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw)
{
    if (pBar == NULL || pBar->GetPosition() != xtpBarFloating)
        return CSize(0, 0);

    CXTPClientRect rcClient(pBar);
    int nHeight = 15;
    if (pDC != NULL)
    {
        CXTPFontDC font(pDC, &m_fontSmCaption);
        nHeight = std::max((int)pDC->GetTextExtent(_T(" ")).cy, 15);
    }
    else
    {
        CClientDC dc(NULL);
        CXTPFontDC font(&dc, &m_fontSmCaption);
        nHeight = std::max((int)dc.GetTextExtent(_T(" ")).cy, 15);
    }
    CRect rcStrip(3, 3, rcClient.right - 3, nHeight + 3);

    if (bDraw && pDC != NULL)
    {
        CXTPFontDC font(pDC, &m_fontSmCaption);
        pDC->SetBkMode(TRANSPARENT);
        pDC->FillSolidRect(rcStrip, m_clrFloatingGripper.GetColor());
        pDC->SetTextColor(m_clrFloatingGripperText.GetColor());
        CRect rcText(5, 3, rcStrip.right - 2 * rcStrip.Height(), rcStrip.bottom);
        pDC->DrawText(pBar->GetTitle(), &rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    return rcStrip.Size();
}

CSize CXTPPaintManager::DrawExpandOrHideButton(CDC* pDC, int nKind, CXTPControl* pButton, CXTPCommandBar* pBar,
                                               BOOL bDraw, LPVOID lpParam)
{
    switch (nKind)
    {
    case 0:     // expand button of a docked tool bar
        if (!bDraw)
        {
            if (pButton != NULL && lpParam != NULL)
            {
                CSize sz = *(CSize*)lpParam;
                BOOL bRow = IsVerticalBar(pBar) || (pBar != NULL && pBar->GetPosition() == xtpBarPopup);
                pButton->SetRect(bRow ? CRect(2, sz.cy - 13, sz.cx - 2, sz.cy - 2)
                                      : CRect(sz.cx - 13, 2, sz.cx - 2, sz.cy - 2));
            }
            return CSize(0, 0);
        }
        if (pDC != NULL && pButton != NULL)
        {
            DrawControlEntry(pDC, pButton);
            COLORREF clr = GetControlTextColor(pButton);
            BOOL bHidden = lpParam != NULL && *(int*)lpParam != 0;
            CRect rc = pButton->GetRect();
            CXTPPenDC pen(pDC->GetSafeHdc(), clr);
            if (!IsVerticalBar(pBar))
            {
                int cx = rc.CenterPoint().x;
                Triangle(pDC, CPoint(cx - 2, rc.bottom - 7), CPoint(cx + 2, rc.bottom - 7), CPoint(cx, rc.bottom - 5),
                         clr);
                if (bHidden)
                {
                    for (int dx : { 2, 3, 6, 7 })
                        DrawStroke(pDC, rc.left + dx, rc.top + 4, 2, 2, -1, 5);
                }
            }
            else
            {
                Triangle(pDC, CPoint(rc.left + 6, rc.top + 3), CPoint(rc.left + 6, rc.top + 7),
                         CPoint(rc.left + 4, rc.top + 5), clr);
                if (bHidden)
                {
                    for (int dy : { 2, 3, 6, 7 })
                        DrawStroke(pDC, rc.right - 8, rc.top + dy, 2, 2, 5, -1);
                }
            }
        }
        return CSize(0, 0);

    case 3:     // expand button in a floating bar's title strip
        if (bDraw && pDC != NULL && pButton != NULL)
        {
            DrawControlEntry(pDC, pButton);
            CRect rc = pButton->GetRect();
            int cx = rc.left + rc.Width() / 2;
            int cy = rc.top + rc.Height() / 2;
            COLORREF clr = (pButton->GetSelected() || pButton->GetPopuped()) ? GetControlTextColor(pButton)
                                                                           : m_clrFloatingGripperText.GetColor();
            Triangle(pDC, CPoint(cx - 3, cy - 2), CPoint(cx + 3, cy - 2), CPoint(cx, cy + 1), clr);
        }
        return CSize(0, 0);

    case 2:     // hide button of a floating bar
        if (bDraw && pDC != NULL && pButton != NULL)
        {
            CFont font;
            font.CreatePointFont(80 * pDC->GetDeviceCaps(LOGPIXELSX) / 96, _T("Marlett"), pDC);
            CFont* pOldFont = pDC->SelectObject(&font);
            DrawControlEntry(pDC, pButton);
            COLORREF clr = (pButton->GetPressed() || pButton->GetSelected()) ? GetControlTextColor(pButton)
                                                                           : m_clrFloatingGripperText.GetColor();
            COLORREF clrOld = pDC->SetTextColor(clr);
            int nOldMode = pDC->SetBkMode(TRANSPARENT);
            CRect rc = pButton->GetRect();
            pDC->DrawText(_T("r"), &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            pDC->SetBkMode(nOldMode);
            pDC->SetTextColor(clrOld);
            pDC->SelectObject(pOldFont);
        }
        return CSize(0, 0);

    case 1:     // expand button at the bottom of a popup bar
        if (bDraw && pDC != NULL && pButton != NULL)
        {
            DrawControlEntry(pDC, pButton);
            CRect rc = pButton->GetRect();
            int cx = rc.CenterPoint().x;
            CXTPPenDC pen(pDC->GetSafeHdc(), RGB(0, 0, 0));
            for (int y : { 2, 3, 6, 7 })
                DrawStroke(pDC, cx - 2, rc.top + y, 2, 2, 5, -1);
        }
        return CSize(0, 12);

    default:
        return CSize(0, 0);
    }
}

void CXTPPaintManager::FillDockBar(CDC* pDC, CXTPDockBar* pBar)
{
    pDC->FillSolidRect(CXTPClientRect(pBar), GetColor(COLOR_3DFACE));
}

void CXTPPaintManager::FillWorkspace(CDC* pDC, CRect rc, CRect)
{
    pDC->FillSolidRect(rc, GetColor(COLOR_APPWORKSPACE));
}

void CXTPPaintManager::FillStatusBar(CDC* pDC, CXTPStatusBar* pBar)
{
    CXTPClientRect rcClient(pBar);
    if (m_themeStatusBar.IsValid())
        m_themeStatusBar.DrawThemeBackground(pDC->GetSafeHdc(), 0, 0, &rcClient, NULL);
    else
        pDC->FillSolidRect(rcClient, GetColor(COLOR_3DFACE));
}

void CXTPPaintManager::DrawStatusBarPaneBorder(CDC* pDC, CRect rc, BOOL bGripperPane)
{
    if (m_themeStatusBar.IsValid())
        m_themeStatusBar.DrawThemeBackground(pDC->GetSafeHdc(), bGripperPane ? 2 : 1, 0, &rc, NULL);
    else
        Draw3dRect(pDC, rc, COLOR_3DSHADOW, COLOR_BTNHILIGHT);
}

void CXTPPaintManager::DrawStatusBarGripper(CDC* pDC, CRect rcClient)
{
    if (m_themeStatusBar.IsValid())
    {
        CRect rcGripper(rcClient.right - 18, rcClient.top, rcClient.right, rcClient.bottom);
        m_themeStatusBar.DrawThemeBackground(pDC->GetSafeHdc(), 3, 0, &rcGripper, NULL);
        return;
    }

    // The lines are placed by the rectangle's size alone.
    int W = rcClient.Width();
    int H = rcClient.Height();
    CXTPPenDC pen(pDC->GetSafeHdc(), GetColor(COLOR_3DSHADOW));
    for (int i = 0; i < 3; i++)
    {
        Line(pDC, W - 3 - 4 * i, H - 2, W - 1, H - 4 - 4 * i);
        Line(pDC, W - 4 - 4 * i, H - 2, W - 1, H - 5 - 4 * i);
    }
    pen.Color(GetColor(COLOR_BTNHILIGHT));
    for (int i = 0; i < 3; i++)
        Line(pDC, W - 5 - 4 * i, H - 2, W - 1, H - 6 - 4 * i);
}

void CXTPPaintManager::DrawStatusBarPaneEntry(CDC* pDC, CRect rcItem, CXTPStatusBarPane* pPane)
{
    CXTPStatusBar* pStatusBar = pPane->GetStatusBar();
    UINT nStyle = pPane->GetStyle();
    BOOL bEnabled = (nStyle & SBPS_DISABLED) == 0;
    BOOL bDrawText = bEnabled || (pStatusBar != NULL && pStatusBar->GetDrawDisabledText());

    COLORREF clrBack = pPane->GetBackgroundColor();
    if (clrBack != COLORREF_NULL)
    {
        CRect rcFill = rcItem;
        if ((nStyle & SBPS_NOBORDERS) == 0)
            rcFill.DeflateRect(1, 1);
        pDC->FillSolidRect(rcFill, clrBack);
    }

    CXTPFontDC font(pDC, pPane->GetTextFont());
    CRect rc = rcItem;
    CRect rcPadding = pPane->GetPadding();
    rc.DeflateRect(rcPadding.left, rcPadding.top, rcPadding.right, rcPadding.bottom);

    CString strText = pPane->GetText();
    CXTPImageManagerIcon* pIcon = pPane->GetImage();
    CSize szIcon = pIcon != NULL ? CSize(pIcon->GetWidth(), pIcon->GetHeight()) : CSize(0, 0);

    int nAlign = pPane->GetTextAlignment();
    if (nAlign == 1 || nAlign == 2)
    {
        int nWidth = strText.IsEmpty() ? 0 : pDC->GetTextExtent(strText).cx;
        if (pIcon != NULL)
            nWidth += szIcon.cx + (strText.IsEmpty() ? 0 : 2);
        if (rc.Width() > nWidth)
        {
            if (nAlign == 2)
                rc.left = rc.right - nWidth;
            else
                rc.left = (rc.left - nWidth + rc.right) / 2;
        }
    }

    if (pIcon != NULL)
    {
        if (szIcon.cx <= rc.Width() && szIcon.cy <= rc.Height())
        {
            CPoint pt(rc.left, rc.top + (rc.Height() - szIcon.cy) / 2);
            pIcon->Draw(pDC, pt, bEnabled ? pIcon->GetIcon() : pIcon->GetDisabledIcon(), szIcon);
        }
        rc.left += szIcon.cx + 2;
    }

    if (bDrawText)
    {
        pDC->SetBkMode(TRANSPARENT);
        COLORREF clrText = pPane->GetTextColor();
        if (!bEnabled)
            clrText = GetColor(COLOR_GRAYTEXT);
        else if (clrText == COLORREF_NULL)
            clrText = m_clrStatusTextColor;
        pDC->SetTextColor(clrText);
        pDC->DrawText(strText, &rc, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
}

void CXTPPaintManager::DrawKeyboardTip(CDC* pDC, CXTPCommandBarKeyboardTip* pWnd, BOOL bSetRegion)
{
    if (bSetRegion || pDC == NULL || pWnd == NULL)
        return;
    CXTPClientRect rc(pWnd);
    CXTPFontDC font(pDC, &m_fontStatus);
    pDC->FillSolidRect(rc, GetColor(COLOR_INFOBK));
    pDC->Draw3dRect(rc, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNSHADOW));
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(GetColor(pWnd->IsEnabled() ? COLOR_INFOTEXT : COLOR_GRAYTEXT));
    pDC->DrawText(pWnd->GetCaption(), &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void CXTPPaintManager::AnimateExpanding(CXTPCommandBar* pCommandBar, CDC* pDestDC, CDC* pSrcDC, BOOL bExpandDown)
{
    int nSteps = m_nAnimationSteps;
    int nTime = m_nAnimationTime;
    if (nSteps < 1 || pCommandBar == NULL || pDestDC == NULL || pSrcDC == NULL)
        return;

    CXTPClientRect rcBar(pCommandBar);
    const int nWidth = rcBar.Width();
    const int nHeight = rcBar.Height();

    // The runs of controls with the same shown-only-when-expanded mark, as
    // strips of the finished picture: [start, end) along the bar and the mark.
    struct Run
    {
        int nStart, nEnd;
        BOOL bExpanded;
    };
    std::vector<Run> runs;
    CXTPControls* pControls = pCommandBar->GetControls();
    int nCount = pControls != NULL ? pControls->GetCount() : 0;
    int nEdge = bExpandDown ? 0 : nHeight;
    for (int n = 0; n < nCount; n++)
    {
        CXTPControl* pControl = pControls->GetAt(bExpandDown ? n : nCount - 1 - n);
        if (pControl == NULL || !pControl->IsVisible())
            continue;
        BOOL bExpanded = pControl->GetExpanded();
        CRect rc = pControl->GetRect();
        int nControlEdge = bExpandDown ? rc.bottom : rc.top;
        if (runs.empty() || runs.back().bExpanded != bExpanded)
            runs.push_back({ nEdge, nControlEdge, bExpanded });
        else
            runs.back().nEnd = nControlEdge;
        nEdge = nControlEdge;
    }
    if (runs.empty())
        return;
    runs.back().nEnd = bExpandDown ? nHeight : 0;

    for (int k = 1; k <= nSteps; k++)
    {
        double f = (double)k / nSteps;
        int y = bExpandDown ? 0 : nHeight;
        for (const Run& run : runs)
        {
            int nSource = bExpandDown ? run.nEnd - run.nStart : run.nStart - run.nEnd;
            if (nSource <= 0)
                continue;
            int nDest = run.bExpanded ? (int)(nSource * f) : nSource;
            if (nDest <= 0)
                continue;
            int ySrc = bExpandDown ? run.nStart : run.nEnd;
            int yDest = bExpandDown ? y : y - nDest;
            pDestDC->StretchBlt(0, yDest, nWidth, nDest, pSrcDC, 0, ySrc, nWidth, nSource, SRCCOPY);
            y = bExpandDown ? y + nDest : y - nDest;
        }
        ::Sleep(nTime / nSteps);
    }
}

void AFX_CDECL CXTPPaintManager::MakeRectOpaque(CDC* pDC, CRect rc)
{
    if (pDC == NULL || rc.IsRectEmpty())
        return;
    LPBYTE pBits = NULL;
    HBITMAP hBitmap = CXTPImageManager::Create32BitDIBSection(pDC->GetSafeHdc(), rc.Width(), rc.Height(), &pBits);
    HDC hMemDC = ::CreateCompatibleDC(pDC->GetSafeHdc());
    if (hBitmap != NULL && hMemDC != NULL && pBits != NULL)
    {
        HGDIOBJ hOld = ::SelectObject(hMemDC, hBitmap);
        ::BitBlt(hMemDC, 0, 0, rc.Width(), rc.Height(), pDC->GetSafeHdc(), rc.left, rc.top, SRCCOPY);
        ::GdiFlush();
        for (long i = 0, n = (long)rc.Width() * rc.Height(); i < n; i++)
            pBits[i * 4 + 3] = 255;
        ::BitBlt(pDC->GetSafeHdc(), rc.left, rc.top, rc.Width(), rc.Height(), hMemDC, 0, 0, SRCCOPY);
        ::SelectObject(hMemDC, hOld);
    }
    if (hMemDC != NULL)
        ::DeleteDC(hMemDC);
    if (hBitmap != NULL)
        ::DeleteObject(hBitmap);
}
