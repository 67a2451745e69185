// The paint manager's drawing and measuring of controls: the dispatcher, the
// base versions of the popup-bar and tool-bar control drawing, the combo box
// and edit label parts, and the caption and text helpers every theme uses.
// One routine both measures (draw FALSE) and draws a control, so that the
// size a bar lays out and the picture never disagree.
#include "XTPPaintManager.h"

#include <algorithm>
#include <vector>

#include "XTPCommandBar.h"
#include "XTPCommandBars.h"
#include "XTPCommandBarsOptions.h"
#include "XTPControl.h"
#include "XTPControlComboBox.h"
#include "XTPControlEdit.h"
#include "XTPDrawHelpers.h"
#include "XTPImageManager.h"
#include "XTPPopupBar.h"

namespace
{
BOOL IsPopupType(XTPControlType type)
{
    return type == xtpControlPopup || type == xtpControlButtonPopup || type == xtpControlSplitButtonPopup;
}

CSize TextExtent(CDC* pDC, const CString& str)
{
    return pDC->GetTextExtent(str.IsEmpty() ? CString(_T(" ")) : str);
}
} // namespace

//////////////////////////////////////////////////////////////////////////
// Dispatcher and shared tests

BOOL AFX_CDECL CXTPPaintManager::IsVerticalBar(CXTPCommandBar* pBar)
{
    return pBar != NULL && (pBar->GetPosition() == xtpBarLeft || pBar->GetPosition() == xtpBarRight);
}

CRect AFX_CDECL CXTPPaintManager::CenteredRect(const CRect& rcCell, CSize sz)
{
    int x = rcCell.left + (rcCell.Width() - sz.cx) / 2;
    int y = rcCell.top + (rcCell.Height() - sz.cy) / 2;
    return CRect(x, y, x + sz.cx, y + sz.cy);
}

CSize AFX_CDECL CXTPPaintManager::GetListBoxIconSize(CXTPCommandBars* pCommandBars)
{
    CSize szIcon = pCommandBars != NULL ? pCommandBars->GetCommandBarsOptions()->szIcons : CSize(16, 16);
    return szIcon == CSize(0, 0) ? CSize(16, 16) : szIcon;
}

CSize AFX_CDECL CXTPPaintManager::GetScaledImageSize(CXTPImageManagerIcon* pImage, int cx)
{
    CSize szExtent = pImage->GetExtent();
    return CSize(cx, szExtent.cx > 0 ? szExtent.cy * cx / szExtent.cx : cx);
}

CSize CXTPPaintManager::DrawControl(CDC* pDC, CXTPControl* pControl, BOOL bDraw)
{
    if (pControl == NULL)
        return CSize(0, 0);
    // The edit and combo-box drawing reads their layout members, so only
    // objects of those classes go there (a plain button may carry their type).
    XTPControlType type = pControl->GetType();
    if (type == xtpControlEdit && pControl->IsKindOf(RUNTIME_CLASS(CXTPControlEdit)))
        return DrawControlEdit(pDC, (CXTPControlEdit*)pControl, bDraw);
    if (type == xtpControlComboBox && pControl->IsKindOf(RUNTIME_CLASS(CXTPControlComboBox)))
        return DrawControlComboBox(pDC, (CXTPControlComboBox*)pControl, bDraw);
    CXTPCommandBar* pBar = pControl->GetParent();
    if (pBar != NULL && pBar->GetType() == xtpBarTypePopup)
        return DrawPopupBarControl(pDC, pControl, bDraw);
    return DrawToolBarControl(pDC, pControl, bDraw);
}

BOOL CXTPPaintManager::IsFlatToolBar(CXTPCommandBar* pBar)
{
    return pBar != NULL && pBar->GetType() == xtpBarTypeMenuBar ? m_bFlatMenuBar : m_bFlatToolBar;
}

BOOL CXTPPaintManager::IsDoubleIconColumn(CXTPCommandBar* pBar)
{
    return pBar != NULL && pBar->IsPopupBar() && ((CXTPPopupBar*)pBar)->IsDoubleGripper();
}

BOOL CXTPPaintManager::IsMnemonicsVisible(CXTPCommandBar* pBar)
{
    if (m_bShowKeyboardCues != -1)
        return m_bShowKeyboardCues != 0;
    return pBar == NULL || pBar->IsKeyboardCuesVisible();
}

BOOL CXTPPaintManager::IsControlEnabled(CXTPControl* pControl)
{
    int nEnabled = pControl->GetEnabled();
    if (pControl->GetType() == xtpControlSplitButtonPopup && nEnabled == 4)
        return FALSE;
    return nEnabled != 0;
}

void CXTPPaintManager::DrawControlEntry(CDC* pDC, CXTPControl* pButton)
{
    CXTPCommandBar* pBar = pButton->GetParent();
    DrawRectangle(pDC, pButton->GetRect(), pButton->GetSelected(), pButton->GetPressed(), pButton->GetEnabled(),
                  pButton->GetChecked(), pButton->GetPopuped(), pBar ? pBar->GetType() : xtpBarTypeNormal,
                  pBar ? pBar->GetPosition() : xtpBarTop);
}

COLORREF CXTPPaintManager::GetControlTextColor(CXTPControl* pButton)
{
    CXTPCommandBar* pBar = pButton->GetParent();
    int nEnabled = pButton->GetEnabled();
    BOOL bEnabled = nEnabled != 0;
    if (pButton->GetType() == xtpControlSplitButtonPopup)
    {
        BOOL bLarge = pButton->GetShownStyle() == xtpButtonIconAndCaptionBelow;
        if (nEnabled == 0 || (nEnabled == 3 && bLarge) || (nEnabled == 4 && !bLarge))
            bEnabled = FALSE;
    }
    return GetRectangleTextColor(pButton->GetSelected(), pButton->GetPressed(), bEnabled, pButton->GetChecked(),
                                 pButton->GetPopuped(), pBar ? pBar->GetType() : xtpBarTypeNormal,
                                 pBar ? pBar->GetPosition() : xtpBarTop);
}

CFont* CXTPPaintManager::GetCommandBarFont(CXTPCommandBar* pBar, BOOL bBold)
{
    if (IsVerticalBar(pBar))
        return bBold ? &m_fontVertBold : &m_fontVert;
    return bBold ? &m_fontRegularBold : &m_fontRegular;
}

//////////////////////////////////////////////////////////////////////////
// Sizes

CRect CXTPPaintManager::GetSplitButtonCommandRect(CXTPControl* pButton)
{
    CRect rc = pButton->GetRect();
    CXTPCommandBar* pBar = pButton->GetParent();
    if (pBar != NULL && pBar->GetType() == xtpBarTypePopup)
    {
        rc.right -= m_nSplitButtonPopupWidth;
    }
    else if (pButton->GetShownStyle() == xtpButtonIconAndCaptionBelow)
    {
        int nDropDown = 2 * m_nTextHeight - 17;
        if (IsVerticalBar(pBar))
            rc.left += nDropDown;
        else
            rc.bottom -= nDropDown;
    }
    else
    {
        rc.right -= m_nSplitButtonDropDownWidth + 1;
    }
    return rc;
}

CSize CXTPPaintManager::GetPopupBarIconColumnSize(CXTPCommandBar* pBar)
{
    CSize szIcon = pBar != NULL ? pBar->GetIconSize() : CSize(16, 16);
    return CSize(std::max(m_nTextHeight + 4, (int)szIcon.cx + 4), std::max(m_nTextHeight, (int)szIcon.cy + 6));
}

int CXTPPaintManager::GetPopupBarGripperWidth(CXTPCommandBar* pBar)
{
    if (pBar == NULL || pBar->GetType() != xtpBarTypePopup)
        return 0;
    int nWidth = GetPopupBarIconColumnSize(pBar).cx;
    if (IsDoubleIconColumn(pBar))
        nWidth *= 2;
    return nWidth + 1;
}

CSize CXTPPaintManager::GetControlImageSize(CXTPControl* pControl)
{
    CXTPCommandBar* pBar = pControl->GetParent();
    if (pBar == NULL)
        return CSize(16, 16);
    BOOL bLarge = pControl->GetShownStyle() == xtpButtonIconAndCaptionBelow;
    if (!m_bAutoResizeIcons)
        return bLarge && pBar->GetType() != xtpBarTypePopup ? pBar->GetLargeIconSize() : pBar->GetIconSize();

    if (pBar->m_szIcons != CSize(0, 0))
        return pBar->GetIconSize();
    int nSide = m_nTextHeight - 2;
    if (bLarge)
        nSide = 2 * nSide - 4;
    nSide = nSide / 8 * 8;
    return CSize(nSide, nSide);
}

CSize CXTPPaintManager::AdjustControlSize(CXTPControl* pControl, int cx, int cy, BOOL bVertical)
{
    int nWidth = pControl->GetWidth();
    int nHeight = pControl->GetHeight();
    if (!bVertical)
    {
        if (nWidth > 0)
            cx = nWidth;
        if (nHeight > 0)
            cy = nHeight;
    }
    else
    {
        if (nWidth > 0)
            cy = nWidth;
        if (nHeight > 0)
            cx = nHeight;
    }
    return CSize(cx, cy);
}

//////////////////////////////////////////////////////////////////////////
// Text helpers

void CXTPPaintManager::DrawControlText(CDC* pDC, const CString& strText, CRect& rcText, UINT nFormat, BOOL bDraw,
                                       BOOL bSelected, BOOL bEnabled)
{
    if (!bDraw)
    {
        pDC->DrawText(strText, &rcText, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
        return;
    }
    if (!bEnabled && !bSelected && m_bEmbossedDisabledText)
    {
        COLORREF clrOld = pDC->SetTextColor(GetColor(COLOR_BTNHILIGHT));
        CRect rcShadow = rcText;
        rcShadow.OffsetRect(1, 1);
        pDC->DrawText(strText, &rcShadow, nFormat | DT_SINGLELINE | DT_VCENTER);
        pDC->SetTextColor(clrOld);
    }
    pDC->DrawText(strText, &rcText, nFormat | DT_SINGLELINE | DT_VCENTER);
}

void AFX_CDECL CXTPPaintManager::SplitCaption(const CString& strCaption, CString& strLine1, CString& strLine2)
{
    strLine1 = strCaption;
    strLine2.Empty();
    const int nLength = strCaption.GetLength();
    if (nLength < 4 || strCaption.Find(_T(' '), 1) < 0)
        return;

    // Search outward from the middle; only indices inside the text are read.
    const int nMiddle = nLength / 2;
    for (int i = 0; i <= nMiddle - 1; i++)
    {
        const int candidates[2] = { nMiddle - i, nMiddle + i + 1 };
        for (int nIndex : candidates)
        {
            if (nIndex >= 0 && nIndex < nLength && strCaption[nIndex] == _T(' '))
            {
                strLine1 = strCaption.Left(nIndex);
                strLine2 = strCaption.Mid(nIndex + 1);
                return;
            }
        }
    }
}

void CXTPPaintManager::DrawTextOnGlass(CDC* pDC, const CString& strText, CRect rcText, UINT nFormat, BOOL bGlass)
{
    if (bGlass)
    {
        CXTPWinThemeWrapper themeGlobals;
        themeGlobals.OpenThemeData(NULL, L"GLOBALS");
        if (themeGlobals.IsValid() && themeGlobals.IsAppThemed())
        {
            struct PaintParams
            {
                DWORD cbSize;
                DWORD dwFlags;
                const RECT* prcExclude;
                const void* pBlendFunction;
            } params = { sizeof(PaintParams), 0, NULL, NULL };
            HDC hBufferDC = NULL;
            XTP_HPAINTBUFFER hBuffer =
                themeGlobals.BeginBufferedPaint(pDC->GetSafeHdc(), &rcText, 1 /* top-down DIB */, &params, &hBufferDC);
            if (hBuffer != NULL && hBufferDC != NULL)
            {
                ::BitBlt(hBufferDC, rcText.left, rcText.top, rcText.Width(), rcText.Height(), pDC->GetSafeHdc(),
                         rcText.left, rcText.top, SRCCOPY);
                HGDIOBJ hOldFont = ::SelectObject(hBufferDC, ::GetCurrentObject(pDC->GetSafeHdc(), OBJ_FONT));
                // The text-options record: size 64, composited text in the DC's colour.
                struct TextOptions
                {
                    DWORD dwSize;
                    DWORD dwFlags;
                    COLORREF crText;
                    BYTE reserved[64 - 12];
                } options;
                ZeroMemory(&options, sizeof(options));
                options.dwSize = 64;
                options.dwFlags = 0x2000 /* composited */ | 0x1 /* text colour */;
                options.crText = pDC->GetTextColor();
                int nWide = ::MultiByteToWideChar(CP_ACP, 0, strText, strText.GetLength(), NULL, 0);
                std::vector<WCHAR> wide(nWide + 1, L'\0');
                ::MultiByteToWideChar(CP_ACP, 0, strText, strText.GetLength(), wide.data(), nWide);
                themeGlobals.DrawThemeTextEx(hBufferDC, 0, 0, wide.data(), nWide, nFormat, &rcText, &options);
                ::SelectObject(hBufferDC, hOldFont);
                themeGlobals.EndBufferedPaint(hBuffer, TRUE);
                return;
            }
        }
    }
    pDC->DrawText(strText, &rcText, nFormat);
}

void CXTPPaintManager::DrawCaptionWithPrefix(CDC* pDC, CXTPControl* pButton, const CString& strCaption,
                                             const CString& strStripped, CRect rcText, BOOL bVertical,
                                             BOOL bCentered)
{
    BOOL bUnderlines = IsMnemonicsVisible(pButton->GetParent());
    UINT nFormat = DT_SINGLELINE | (bCentered ? DT_CENTER : 0);

    if (!IsControlEnabled(pButton) && m_bEmbossedDisabledText)
    {
        COLORREF clrOld = pDC->SetTextColor(GetColor(COLOR_BTNHILIGHT));
        CRect rcShadow = rcText;
        rcShadow.OffsetRect(1, 1);
        UINT nShadowFormat = nFormat | DT_NOPREFIX | (bVertical ? DT_NOCLIP : DT_VCENTER);
        pDC->DrawText(strStripped, &rcShadow, nShadowFormat);
        pDC->SetTextColor(clrOld);
    }

    if (bVertical)
    {
        pDC->DrawText(strStripped, &rcText, nFormat | DT_NOPREFIX | DT_NOCLIP);
        return;
    }
    nFormat |= DT_VCENTER;
    if (!bUnderlines)
        nFormat |= DT_NOPREFIX;
    DrawTextOnGlass(pDC, bUnderlines ? strCaption : strStripped, rcText, nFormat, pButton->IsInRibbonCaption());
}

CSize CXTPPaintManager::DrawControlCaption(CDC* pDC, CXTPControl* pButton, CRect rcText, BOOL bDraw,
                                           BOOL bVertical, BOOL bCentered, BOOL bTriangle)
{
    CString strCaption = pButton->GetCaption();
    CString strStripped = strCaption;
    StripMnemonics(strStripped);
    CSize szText = TextExtent(pDC, strStripped);
    int nTriangle = bTriangle ? (m_bWideCaptionSpacing ? 8 : 10) : 0;

    if (!bDraw)
        return bVertical ? CSize(szText.cy, szText.cx + nTriangle) : CSize(szText.cx + nTriangle, szText.cy);

    if (!bVertical)
    {
        int nWidth = szText.cx + (bTriangle ? 5 : 0);
        int x = bCentered ? rcText.left + (rcText.Width() - nWidth) / 2 : rcText.left;
        // The text starts where it was measured to start and may use the
        // control's room up to its right edge: drawn glyphs can reach a few
        // pixels past the measured extent (larger text settings), and a
        // clip at exactly that extent would cut the last letter.
        CRect rc(x, rcText.top, std::max(x + (int)szText.cx, (int)rcText.right), rcText.bottom);
        DrawCaptionWithPrefix(pDC, pButton, strCaption, strStripped, rc, FALSE, FALSE);
        if (bTriangle)
            DrawDropDownGlyph(pDC, pButton, CPoint(x + szText.cx + 5, rcText.CenterPoint().y), pButton->GetSelected(),
                              pButton->GetPopuped(), IsControlEnabled(pButton), FALSE);
    }
    else
    {
        int nLength = szText.cx + (bTriangle ? 5 : 0);
        int x = rcText.right - (rcText.right - szText.cy - rcText.left + 1) / 2;
        int y = bCentered ? rcText.top + (rcText.Height() - nLength) / 2 : rcText.top;
        CRect rc(x, y, x + szText.cy, y + szText.cx);
        DrawCaptionWithPrefix(pDC, pButton, strCaption, strStripped, rc, TRUE, FALSE);
        if (bTriangle)
            DrawDropDownGlyph(pDC, pButton, CPoint(rcText.CenterPoint().x, y + szText.cx + 5 - 1),
                              pButton->GetSelected(), pButton->GetPopuped(), IsControlEnabled(pButton), TRUE);
    }
    return CSize(0, 0);
}

CSize CXTPPaintManager::DrawTwoLineText(CDC* pDC, CXTPControl* pButton, CRect rcText, BOOL bDraw, BOOL bVertical,
                                        BOOL bDropDown)
{
    CString strLine1, strLine2;
    SplitCaption(pButton->GetCaption(), strLine1, strLine2);

    if (!bDraw)
    {
        int cx1 = TextExtent(pDC, strLine1).cx;
        int cx2 = strLine2.IsEmpty() ? 0 : pDC->GetTextExtent(strLine2).cx;
        int cx = std::max(cx1, cx2 + (bDropDown ? 8 : 0));
        return bVertical ? CSize(24, cx) : CSize(cx, 24);
    }

    CString strStripped1 = strLine1, strStripped2 = strLine2;
    StripMnemonics(strStripped1);
    StripMnemonics(strStripped2);
    int cx1 = pDC->GetTextExtent(strStripped1).cx;
    int cx2 = strStripped2.IsEmpty() ? 0 : pDC->GetTextExtent(strStripped2).cx;
    int nGlyph = bDropDown ? 9 : 0;
    BOOL bSelected = pButton->GetSelected(), bPopuped = pButton->GetPopuped();
    BOOL bEnabled = IsControlEnabled(pButton);

    if (!bVertical)
    {
        int yMiddle = rcText.CenterPoint().y;
        CRect rcLine1(rcText.left, rcText.top, rcText.right, yMiddle + 1);
        DrawCaptionWithPrefix(pDC, pButton, strLine1, strStripped1, rcLine1, FALSE, TRUE);

        CRect rcLower(rcText.left, yMiddle + 1, rcText.right, rcText.bottom);
        int x2 = rcLower.left + (rcLower.Width() - (cx2 + nGlyph)) / 2;
        if (!strLine2.IsEmpty())
            DrawCaptionWithPrefix(pDC, pButton, strLine2, strStripped2,
                                  CRect(x2, rcLower.top, std::max(x2 + cx2, (int)rcLower.right), rcLower.bottom),
                                  FALSE, FALSE);
        if (bDropDown)
        {
            CPoint pt(strLine2.IsEmpty() ? rcText.CenterPoint().x - 1 : x2 + cx2 + nGlyph - 4,
                      rcLower.CenterPoint().y);
            DrawDropDownGlyph(pDC, pButton, pt, bSelected, bPopuped, bEnabled, FALSE);
        }
    }
    else
    {
        // Line 1 in the right half of the column, line 2 in the left half;
        // both run down the bar.
        int xMiddle = rcText.CenterPoint().x;
        int cy = pDC->GetTextExtent(_T(" ")).cy;
        int y1 = rcText.top + (rcText.Height() - cx1) / 2;
        DrawCaptionWithPrefix(pDC, pButton, strLine1, strStripped1, CRect(rcText.right - (rcText.right - xMiddle - cy) / 2,
                              y1, rcText.right, y1 + cx1), TRUE, FALSE);
        int y2 = rcText.top + (rcText.Height() - (cx2 + nGlyph)) / 2;
        int x2 = xMiddle - (xMiddle - rcText.left - cy) / 2;
        if (!strLine2.IsEmpty())
            DrawCaptionWithPrefix(pDC, pButton, strLine2, strStripped2, CRect(x2, y2, x2 + cy, y2 + cx2), TRUE, FALSE);
        if (bDropDown)
        {
            CPoint pt((rcText.left + xMiddle) / 2, strLine2.IsEmpty() ? rcText.CenterPoint().y - 1 : y2 + cx2 + nGlyph - 4);
            DrawDropDownGlyph(pDC, pButton, pt, bSelected, bPopuped, bEnabled, TRUE);
        }
    }
    return CSize(0, 0);
}

CSize CXTPPaintManager::LayoutCaptionWithImage(CDC* pDC, CXTPControl* pButton, CRect rcButton, BOOL bDraw,
                                               BOOL bTriangle, int nButtonWidth, int nButtonHeight, BOOL bImage)
{
    BOOL bVertical = IsVerticalBar(pButton->GetParent());
    CSize szText = DrawControlCaption(pDC, pButton, rcButton, FALSE, bVertical, FALSE, bTriangle);

    if (!bVertical)
    {
        if (bDraw)
        {
            CRect rcText = rcButton;
            if (bImage)
                rcText.left += m_bWideCaptionSpacing ? nButtonWidth : nButtonWidth - 1;
            DrawControlCaption(pDC, pButton, rcText, TRUE, FALSE, !bImage, bTriangle);
        }
        if (bImage)
            return CSize(szText.cx + nButtonWidth + (m_bWideCaptionSpacing ? 4 : 3),
                         std::max((int)szText.cy + 6, nButtonHeight));
        return CSize(szText.cx + 8, std::max((int)szText.cy + 6, nButtonHeight));
    }

    if (bDraw)
    {
        CRect rcText = rcButton;
        if (bImage)
            rcText.top += nButtonHeight;
        DrawControlCaption(pDC, pButton, rcText, TRUE, TRUE, !bImage, bTriangle);
    }
    if (bImage)
        return CSize(std::max((int)szText.cx + 6, nButtonWidth), szText.cy + nButtonHeight + 3);
    return CSize(std::max((int)szText.cx + 6, nButtonWidth), szText.cy + 8);
}

//////////////////////////////////////////////////////////////////////////
// Controls on popup bars

CSize CXTPPaintManager::DrawPopupBarControl(CDC* pDC, CXTPControl* pButton, BOOL bDraw)
{
    CXTPCommandBar* pBar = pButton->GetParent();
    CXTPFontDC font(pDC, GetCommandBarFont(pBar, pButton->GetDefaultItem()));

    CSize szColumn = GetPopupBarIconColumnSize(pBar);
    int w = szColumn.cx * (IsDoubleIconColumn(pBar) ? 2 : 1);
    int h = szColumn.cy;
    XTPControlType type = pButton->GetType();
    XTPButtonStyle style = pButton->GetShownStyle();
    if (type == xtpControlLabel)
    {
        if (!m_bShowLabelIconColumn)
            w = 0;
        if (style == xtpButtonCaption)
            h = m_nTextHeight;
    }

    CRect rc = pButton->GetRect();
    CString strCaption = pButton->GetCaption();
    CString strShortcut = type == xtpControlButton ? pButton->GetShortcutText() : CString();
    BOOL bShortcut = !strShortcut.IsEmpty();
    BOOL bEnabled = IsControlEnabled(pButton);
    BOOL bSelected = pButton->GetSelected();

    UINT nFormat = DT_END_ELLIPSIS;
    if (!IsMnemonicsVisible(pBar))
    {
        StripMnemonics(strCaption);
        nFormat |= DT_NOPREFIX;
    }

    CRect rcText(rc.left + m_nPopupBarTextPadding + w, rc.top, rc.right, rc.bottom);
    CRect rcShortcut(rc.left + w + 8, rc.top, rc.right - 19, rc.bottom);
    CSize szShortcut(0, 0);
    if (bShortcut)
    {
        // The single-line extent of the text as drawn (markers removed).
        CString strMeasured = strShortcut;
        StripMnemonics(strMeasured);
        szShortcut = pDC->GetTextExtent(strMeasured);
        rcText.right -= 19 + szShortcut.cx;
    }

    CString strDescription = pButton->GetDescription();
    if (style == xtpButtonCaptionAndDescription && !strDescription.IsEmpty())
    {
        int nFirstLine = pDC->GetTextExtent(_T(" ")).cy + 10;
        font.SetFont(&m_fontRegularBold);
        CRect rcCaption(0, 0, 0, 0);
        DrawControlText(pDC, strCaption, rcCaption, nFormat, FALSE, bSelected, bEnabled);
        CSize szCaption = rcCaption.Size();

        if (bDraw)
        {
            CRect rcLine(rcText.left, rc.top, rcText.right, rc.top + nFirstLine);
            DrawControlText(pDC, strCaption, rcLine, nFormat, TRUE, bSelected, bEnabled);
            if (bShortcut)
            {
                CRect rcKey(rcShortcut.left, rc.top, rcShortcut.right, rc.top + nFirstLine);
                DrawControlText(pDC, strShortcut, rcKey, DT_RIGHT, TRUE, bSelected, bEnabled);
            }
            font.SetFont(&m_fontRegular);
            CRect rcDescription(rcText.left, rc.top + nFirstLine - 2, rc.right - 10, rc.bottom);
            pDC->DrawText(strDescription, &rcDescription, DT_WORDBREAK | DT_NOPREFIX);
            return CSize(0, 0);
        }

        font.SetFont(&m_fontRegular);
        CSize szDescription = pDC->GetTextExtent(strDescription);
        CRect rcTwoLines(0, 0, (szDescription.cx + 20) / 2, 0);
        pDC->DrawText(_T("1\n2"), &rcTwoLines, DT_CALCRECT | DT_WORDBREAK);
        int cy = std::max((int)(rcTwoLines.Height() + szCaption.cy + 19), h);
        int cx = std::max(m_nPopupBarTextPadding + w + 32 + szCaption.cx + szShortcut.cx,
                          szDescription.cx / 2 + m_nPopupBarTextPadding + w + 32);
        return AdjustControlSize(pButton, cx, cy, FALSE);
    }

    if (bDraw)
    {
        DrawControlText(pDC, strCaption, rcText, nFormat, TRUE, bSelected, bEnabled);
        if (bShortcut)
            DrawControlText(pDC, strShortcut, rcShortcut, DT_RIGHT, TRUE, bSelected, bEnabled);
        return CSize(0, 0);
    }

    CRect rcCaption(0, 0, 0, 0);
    DrawControlText(pDC, strCaption, rcCaption, nFormat, FALSE, bSelected, bEnabled);
    int cx = m_nPopupBarTextPadding + rcCaption.Width() + szShortcut.cx + w + 32;
    return AdjustControlSize(pButton, cx, h, FALSE);
}

//////////////////////////////////////////////////////////////////////////
// Controls on tool bars and the menu bar

CSize CXTPPaintManager::DrawCheckControl(CDC* pDC, CXTPControl* pButton, CRect rc, BOOL bDraw, BOOL bVertical)
{
    CXTPCommandBar* pBar = pButton->GetParent();
    BOOL bRadio = pButton->GetType() == xtpControlRadioButton;
    BOOL bEnabled = IsControlEnabled(pButton);
    CSize szMark = bRadio ? DrawRadioButtonMark(pDC, CRect(0, 0, 0, 0), FALSE, FALSE, FALSE, 0, bEnabled)
                          : DrawCheckBoxMark(pDC, CRect(0, 0, 0, 0), FALSE, FALSE, FALSE, 0, bEnabled);

    CSize szText = DrawControlCaption(pDC, pButton, rc, FALSE, bVertical, FALSE, FALSE);
    if (!bDraw)
    {
        if (bVertical)
            return AdjustControlSize(pButton, szText.cx, szText.cy + szMark.cy + 5, bVertical);
        return AdjustControlSize(pButton, szText.cx + szMark.cx + 5, szText.cy, bVertical);
    }

    pDC->SetTextColor(GetRectangleTextColor(FALSE, FALSE, bEnabled, FALSE, FALSE, pBar->GetType(),
                                            pBar->GetPosition()));
    CRect rcMark, rcText = rc;
    if (!bVertical)
    {
        int y = rc.top + (rc.Height() - szMark.cy) / 2;
        rcMark = CRect(rc.left + 3, y, rc.left + 3 + szMark.cx, y + szMark.cy);
        rcText.left += szMark.cx + 5;
    }
    else
    {
        int x = rc.left + (rc.Width() - szMark.cx) / 2;
        rcMark = CRect(x, rc.top + 3, x + szMark.cx, rc.top + 3 + szMark.cy);
        rcText.top += szMark.cy + 5;
    }
    if (bRadio)
        DrawRadioButtonMark(pDC, rcMark, TRUE, pButton->GetSelected(), pButton->GetPressed(), pButton->GetChecked(),
                            bEnabled);
    else
        DrawCheckBoxMark(pDC, rcMark, TRUE, pButton->GetSelected(), pButton->GetPressed(), pButton->GetChecked(),
                         bEnabled);
    DrawControlCaption(pDC, pButton, rcText, TRUE, bVertical, FALSE, FALSE);

    if (IsKeyboardSelected(pButton->GetSelected()))
    {
        CRect rcFocus = rcText;
        if (!bVertical)
            rcFocus.right = std::min((int)rcFocus.right, (int)(rcText.left + szText.cx + 2));
        COLORREF clrOldText = pDC->SetTextColor(GetColor(COLOR_BTNTEXT));
        COLORREF clrOldBk = pDC->SetBkColor(GetColor(COLOR_3DFACE));
        pDC->DrawFocusRect(rcFocus);
        pDC->SetBkColor(clrOldBk);
        pDC->SetTextColor(clrOldText);
    }
    return CSize(0, 0);
}

CSize CXTPPaintManager::DrawToolBarControl(CDC* pDC, CXTPControl* pButton, BOOL bDraw)
{
    CXTPCommandBar* pBar = pButton->GetParent();
    XTPControlType type = pButton->GetType();
    if (type == xtpControlComboBox || type == xtpControlEdit || type == xtpControlCustom)
        return CSize(0, 0);

    CXTPFontDC font(pDC, GetCommandBarFont(pBar, pButton->GetDefaultItem()));
    CRect rc = bDraw ? pButton->GetRect() : CRect(0, 0, 0, 0);
    CSize szIcon = GetControlImageSize(pButton);
    CSize szButton = pBar->GetButtonSize();
    BOOL bVertical = IsVerticalBar(pBar);
    XTPButtonStyle style = pButton->GetShownStyle();
    BOOL bSelected = pButton->GetSelected(), bPressed = pButton->GetPressed(), bPopuped = pButton->GetPopuped();
    BOOL bEnabled = IsControlEnabled(pButton);
    int nChecked = pButton->GetChecked();
    BOOL bMenuBar = pBar->GetType() == xtpBarTypeMenuBar;

    CXTPImageManagerIcon* pImage = NULL;
    BOOL bDrawImage = style == xtpButtonIcon || style == xtpButtonIconAndCaption ||
                      style == xtpButtonIconAndCaptionBelow || (style == xtpButtonAutomatic && type != xtpControlPopup);
    if (bDrawImage && pButton->GetIconId() != 0)
        pImage = pButton->GetImage(szIcon.cx);
    bDrawImage = pImage != NULL;

    pDC->SetBkMode(TRANSPARENT);
    if (type == xtpControlCheckBox || type == xtpControlRadioButton)
        return DrawCheckControl(pDC, pButton, rc, bDraw, bVertical);

    if (bDraw)
    {
        if (type == xtpControlSplitButtonPopup)
            DrawSplitButtonFrame(pDC, pButton, rc);
        else if (!pButton->HasOwnBackground())
            DrawControlEntry(pDC, pButton);
        pDC->SetTextColor(GetControlTextColor(pButton));
    }

    CSize szImage = bDrawImage ? GetScaledImageSize(pImage, szIcon.cx) : CSize(szIcon.cx, 0);
    BOOL bCaption = pButton->IsCaptionVisible();

    // Large button: the icon above, two lines of caption below.
    if (style == xtpButtonIconAndCaptionBelow)
    {
        int nStrip = 2 * m_nTextHeight - 17;
        CSize sz(std::max(2 * m_nTextHeight - 3, 42), m_nEditHeight > 0 ? 3 * m_nEditHeight : 3 * m_nTextHeight);
        BOOL bDropDown = IsPopupType(type) || pButton->HasDropDownGlyph();
        if (bVertical)
            sz = CSize(sz.cy, sz.cx);
        if (bDraw)
        {
            if (bDrawImage)
            {
                CPoint pt = bVertical ? CPoint(rc.left + nStrip + 4, rc.top + (rc.Height() - szImage.cy) / 2)
                                      : CPoint(rc.left + (rc.Width() - szImage.cx) / 2, rc.top + 3);
                DrawImage(pDC, pt, szImage, pImage, bSelected, bPressed, bEnabled, nChecked, bPopuped, TRUE);
            }
            CRect rcText = bVertical ? CRect(rc.left, rc.top, rc.left + nStrip, rc.bottom)
                                     : CRect(rc.left, rc.bottom - 1 - nStrip, rc.right, rc.bottom - 1);
            DrawTwoLineText(pDC, pButton, rcText, TRUE, bVertical, bDropDown);
            return CSize(0, 0);
        }
        CSize szText = DrawTwoLineText(pDC, pButton, rc, FALSE, bVertical, bDropDown);
        if (bVertical)
            sz.cy = std::max(sz.cy, szText.cy + 6);
        else
            sz.cx = std::max(sz.cx, szText.cx + 5);
        return AdjustControlSize(pButton, sz.cx, sz.cy, bVertical);
    }

    // Text below icons: the caption centred under the icon.
    if (pBar->GetShowTextBelowIcons() && bDrawImage)
    {
        font.SetFont(pButton->GetDefaultItem() ? &m_fontRegularBold : &m_fontRegular);
        BOOL bSplit = type == xtpControlSplitButtonPopup;
        if (bDraw)
        {
            CRect rcButton = rc;
            if (bSplit)
                rcButton.right -= m_nSplitButtonDropDownWidth;
            CPoint pt(rcButton.left + (rcButton.Width() - szImage.cx) / 2, rcButton.top + 4);
            DrawImage(pDC, pt, szImage, pImage, bSelected, bPressed, bEnabled, nChecked, bPopuped, TRUE);
            CRect rcText(rcButton.left, rcButton.top + szButton.cy - 4, rcButton.right, rcButton.bottom);
            DrawControlCaption(pDC, pButton, rcText, TRUE, FALSE, TRUE, FALSE);
            return CSize(0, 0);
        }
        CSize szText = DrawControlCaption(pDC, pButton, rc, FALSE, FALSE, TRUE, FALSE);
        int cy = szButton.cy + szText.cy;
        int cx = std::max((int)szButton.cx, (int)szText.cx + 10) + (bSplit ? 11 : 0);
        cx = std::max(cx, cy);
        return AdjustControlSize(pButton, cx, cy, FALSE);
    }

    if (bDraw && bDrawImage)
    {
        CPoint pt = bVertical ? CPoint(rc.left + (rc.Width() - szImage.cx) / 2, rc.top + 3)
                              : CPoint(rc.left + 3, rc.top + (rc.Height() - szImage.cy) / 2);
        if (!bCaption && (type == xtpControlButton || type == xtpControlButtonPopup))
        {
            if (bVertical)
                pt.y = rc.CenterPoint().y - szImage.cy / 2;
            else
                pt.x = rc.CenterPoint().x - szImage.cx / 2;
        }
        DrawImage(pDC, pt, szImage, pImage, bSelected, bPressed, bEnabled, nChecked, bPopuped, TRUE);
    }

    CSize sz(0, 0);
    switch (type)
    {
    case xtpControlPopup:
        if (!bDrawImage)
        {
            sz = DrawControlCaption(pDC, pButton, rc, FALSE, bVertical, TRUE, TRUE);
            if (bDraw)
                DrawControlCaption(pDC, pButton, rc, TRUE, bVertical, TRUE, !bMenuBar);
            sz += CSize(6, 6);
        }
        else if (!bCaption)
        {
            if (bDraw)
            {
                CPoint pt(rc.right - 7, rc.CenterPoint().y);
                Triangle(pDC, CPoint(pt.x - 2, pt.y - 1), CPoint(pt.x + 2, pt.y - 1), CPoint(pt.x, pt.y + 1),
                         pDC->GetTextColor());
            }
            sz = CSize(szButton.cy + 7, szButton.cy);
        }
        else
        {
            sz = LayoutCaptionWithImage(pDC, pButton, rc, bDraw, !bMenuBar, szButton.cx, szButton.cy, TRUE);
        }
        break;

    case xtpControlSplitButtonPopup:
        if (!bDrawImage)
            szButton = CSize(22, 22);
        if (!bCaption)
        {
            sz = CSize(szButton.cx + m_nSplitButtonDropDownWidth, szButton.cy);
        }
        else
        {
            CRect rcCommand = rc;
            rcCommand.right -= m_nSplitButtonDropDownWidth;
            sz = LayoutCaptionWithImage(pDC, pButton, rcCommand, bDraw, FALSE, szButton.cx, szButton.cy, bDrawImage);
            sz.cx += m_nSplitButtonDropDownWidth;
        }
        break;

    case xtpControlButton:
    case xtpControlButtonPopup:
    case xtpControlLabel:
    case xtpControlGallery:
        if (!bCaption)
            sz = szButton;
        else
            sz = LayoutCaptionWithImage(pDC, pButton, rc, bDraw, FALSE, bDrawImage ? szButton.cx : 22, szButton.cy,
                                        bDrawImage);
        break;

    default:
        break;
    }
    return bDraw ? CSize(0, 0) : AdjustControlSize(pButton, sz.cx, sz.cy, bVertical);
}

//////////////////////////////////////////////////////////////////////////
// Combo box and edit label parts

CSize CXTPPaintManager::DrawControlFieldLabel(CDC* pDC, CXTPControl* pControl, BOOL bDraw, BOOL bImageVisible,
                                              int& nLabelWidth, BOOL& bLayoutChanged, int* pnThumbWidth)
{
    CXTPCommandBar* pBar = pControl->GetParent();
    BOOL bPopupBar = pBar != NULL && pBar->GetType() == xtpBarTypePopup;
    BOOL bEnabled = IsControlEnabled(pControl);

    if (bDraw)
    {
        if (bPopupBar)
        {
            DrawPopupBarControl(pDC, pControl, TRUE);
            return CSize(0, 0);
        }
        CRect rc = pControl->GetRect();
        int xLabel = rc.left + 2;
        if (bImageVisible)
        {
            CSize szIcon = pBar->GetIconSize();
            CXTPImageManagerIcon* pImage = pControl->GetImage(szIcon.cx);
            if (pImage != NULL)
            {
                CSize szImage = GetScaledImageSize(pImage, szIcon.cx);
                DrawImage(pDC, CPoint(rc.left + 3, rc.top + (rc.Height() - szImage.cy) / 2), szImage, pImage, FALSE,
                          FALSE, bEnabled, FALSE, FALSE, TRUE);
            }
            xLabel = rc.left + szIcon.cx + 6;
        }
        if (pControl->IsCaptionVisible())
        {
            CXTPFontDC font(pDC, m_fontRegular.GetSafeHandle() != NULL
                                     ? &m_fontRegular
                                     : (CFont*)CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)));
            pDC->SetBkMode(TRANSPARENT);
            pDC->SetTextColor(
                GetRectangleTextColor(FALSE, FALSE, bEnabled, FALSE, FALSE, pBar->GetType(), pBar->GetPosition()));
            DrawControlCaption(pDC, pControl, CRect(xLabel, rc.top, rc.right, rc.bottom), TRUE, FALSE, FALSE, FALSE);
        }
        return CSize(0, 0);
    }

    CString strCaption = pControl->GetCaption();
    StripMnemonics(strCaption);

    int cy;
    {
        CXTPFontDC font(pDC, &m_fontIcon);
        cy = m_nEditHeight > 0 ? m_nEditHeight : pDC->GetTextExtent(_T(" ")).cy + 8;
        if (pnThumbWidth != NULL)
        {
            TEXTMETRIC tm;
            pDC->GetTextMetrics(&tm);
            int nThumb = std::max(2 * (int)tm.tmAveCharWidth + 4, 15);
            if (nThumb != *pnThumbWidth)
            {
                *pnThumbWidth = nThumb;
                bLayoutChanged = TRUE;
            }
        }
    }

    CXTPFontDC font(pDC, &m_fontRegular);
    BOOL bCaption = pControl->IsCaptionVisible();
    if (bCaption && m_nEditHeight <= 0)
        cy = std::max(cy, (int)pDC->GetTextExtent(_T(" ")).cy + 8);
    int nCaptionWidth = pDC->GetTextExtent(strCaption).cx + 5;

    int nLabel;
    CSize sz;
    if (bPopupBar)
    {
        int nGripper = GetPopupBarGripperWidth(pBar);
        nLabel = m_nPopupBarTextPadding + nGripper + nCaptionWidth;
        sz = CSize(pControl->GetWidth() + nGripper, cy);
    }
    else
    {
        nLabel = (bCaption ? nCaptionWidth : 0) + (bImageVisible ? pBar->GetIconSize().cx + 4 : 0);
        if (bImageVisible)
            cy = std::max(cy, (int)pBar->GetButtonSize().cy);
        sz = CSize(pControl->GetWidth(), cy);
    }
    if (nLabel != nLabelWidth)
    {
        nLabelWidth = nLabel;
        bLayoutChanged = TRUE;
    }
    return sz;
}

CSize CXTPPaintManager::DrawControlComboBox(CDC* pDC, CXTPControlComboBox* pControlCombo, BOOL bDraw)
{
    return DrawControlFieldLabel(pDC, pControlCombo, bDraw, pControlCombo->IsImageVisible(),
                                 pControlCombo->m_nLabelWidth, pControlCombo->m_bDelayReposition,
                                 &pControlCombo->m_nThumbWidth);
}

CSize CXTPPaintManager::DrawControlEdit(CDC* pDC, CXTPControlEdit* pControlEdit, BOOL bDraw)
{
    return DrawControlFieldLabel(pDC, pControlEdit, bDraw, pControlEdit->IsImageVisible(),
                                 pControlEdit->m_nLabelWidth, pControlEdit->m_bDelayReposition, NULL);
}

COLORREF CXTPPaintManager::GetControlEditBackColor(CXTPControl* pControl)
{
    return GetColor(IsControlEnabled(pControl) ? COLOR_WINDOW : COLOR_3DFACE);
}
