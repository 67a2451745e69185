// The classic command-bar paint theme.
#include "XTPDefaultTheme.h"

#include <algorithm>

#include "XTPCommandBar.h"
#include "XTPControl.h"
#include "XTPControlComboBox.h"
#include "XTPControlEdit.h"
#include "XTPDrawHelpers.h"
#include "XTPImageManager.h"

namespace XTPPaintThemes
{
CXTPDefaultTheme::CXTPDefaultTheme()
    : m_nMenuTextColor(COLOR_BTNTEXT)
{
    m_iconsInfo.bUseFadedIcons = FALSE;
    m_iconsInfo.bIconsWithShadow = FALSE;
}

CXTPDefaultTheme::~CXTPDefaultTheme()
{
}

int CXTPDefaultTheme::BaseTheme()
{
    return xtpThemeDefault;
}

COLORREF CXTPDefaultTheme::GetRectangleTextColor(BOOL bSelected, BOOL, BOOL bEnabled, BOOL, BOOL, int barType,
                                                 int barPosition)
{
    if (!bEnabled)
        return GetColor(COLOR_GRAYTEXT);
    if (barType == 2)
        return bSelected ? GetColor(COLOR_HIGHLIGHTTEXT) : GetColor(m_nMenuTextColor);
    return barPosition == 5 ? GetColor(m_nMenuTextColor) : GetColor(COLOR_BTNTEXT);
}

void CXTPDefaultTheme::FillCheckerboard(CDC* pDC, CRect rc)
{
    static const WORD kPattern[8] = { 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA };
    CBitmap bitmap;
    if (!bitmap.CreateBitmap(8, 8, 1, 1, kPattern))
        return;
    CBrush brush;
    if (!brush.CreatePatternBrush(&bitmap))
        return;
    COLORREF clrOldBk = pDC->SetBkColor(GetColor(COLOR_3DFACE));
    COLORREF clrOldText = pDC->SetTextColor(GetColor(COLOR_BTNHILIGHT));
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    pDC->PatBlt(rc.left, rc.top, rc.Width(), rc.Height(), PATCOPY);
    pDC->SelectObject(pOldBrush);
    pDC->SetTextColor(clrOldText);
    pDC->SetBkColor(clrOldBk);
}

void CXTPDefaultTheme::DrawRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                                     BOOL bChecked, BOOL bPopuped, int barType, int)
{
    if (barType == 2 && !bChecked)
    {
        if (bSelected || bPressed)
            Rectangle(pDC, rc, COLOR_HIGHLIGHT, COLOR_HIGHLIGHT);
        return;
    }
    if (bEnabled && bChecked)
    {
        if (!bSelected && !bPressed)
            FillCheckerboard(pDC, rc);
        Draw3dRect(pDC, rc, COLOR_3DSHADOW, COLOR_BTNHILIGHT);
        return;
    }
    if (bEnabled && bPopuped)
    {
        Draw3dRect(pDC, rc, COLOR_3DSHADOW, COLOR_BTNHILIGHT);
        return;
    }
    if (bEnabled && IsKeyboardSelected(bPressed))
    {
        Draw3dRect(pDC, rc, COLOR_3DSHADOW, COLOR_BTNHILIGHT);
        return;
    }
    if (bEnabled)
    {
        if (bSelected && bPressed)
            Draw3dRect(pDC, rc, COLOR_3DSHADOW, COLOR_BTNHILIGHT);
        else if (bSelected || bPressed)
            Draw3dRect(pDC, rc, COLOR_BTNHILIGHT, COLOR_3DSHADOW);
        return;
    }
    if (bChecked)
        Draw3dRect(pDC, rc, COLOR_3DSHADOW, COLOR_BTNHILIGHT);
    if (IsKeyboardSelected(bSelected))
        Draw3dRect(pDC, rc, COLOR_3DSHADOW, COLOR_BTNHILIGHT);
}

void CXTPDefaultTheme::RefreshMetrics()
{
    CXTPPaintManager::RefreshMetrics();
    // Floating titles take the active-caption colours.
    m_clrFloatingGripper.SetStandardValue(GetColor(COLOR_ACTIVECAPTION));
    m_clrFloatingGripperText.SetStandardValue(GetColor(COLOR_CAPTIONTEXT));
}

CSize CXTPDefaultTheme::DrawTearOffGripper(CDC* pDC, CRect rcGripper, BOOL bHot, BOOL, BOOL bDraw)
{
    if (bDraw && pDC != NULL)
    {
        CRect rc(rcGripper.left, rcGripper.top, rcGripper.right, rcGripper.bottom - 1);
        pDC->FillSolidRect(rc, GetColor(bHot ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    }
    return CSize(0, 8);
}

void CXTPDefaultTheme::DrawImage(CDC* pDC, CPoint pt, CSize sz, CXTPImageManagerIcon* pImage, BOOL bSelected,
                                 BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped, BOOL)
{
    DrawImageByState(pDC, pt, sz, pImage, bSelected, bPressed, bEnabled, bChecked, bPopuped, FALSE);
}

void CXTPDefaultTheme::DrawControlEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected)
{
    if (!bEnabled)
    {
        int nColor = IsKeyboardSelected(bSelected) ? COLOR_3DSHADOW : COLOR_BTNHILIGHT;
        CRect rcInner = rc;
        rcInner.DeflateRect(1, 1);
        Draw3dRect(pDC, rcInner, nColor, nColor);
        return;
    }
    if (bSelected)
        Draw3dRect(pDC, rc, COLOR_3DSHADOW, COLOR_BTNHILIGHT);
    CRect rcInner = rc;
    rcInner.DeflateRect(1, 1);
    Draw3dRect(pDC, rcInner, COLOR_3DFACE, COLOR_3DFACE);
}

void CXTPDefaultTheme::DrawControlComboBoxButton(CDC* pDC, CRect rcBtn, BOOL bEnabled, BOOL bSelected,
                                                 BOOL bDropped)
{
    CRect rc(rcBtn.left + 1, rcBtn.top + 2, rcBtn.right - 2, rcBtn.bottom - 2);
    if (bEnabled)
    {
        Rectangle(pDC, rc, COLOR_3DFACE, COLOR_3DFACE);
        if (bDropped)
        {
            pDC->FillSolidRect(rc.left - 1, rc.top, 1, rc.Height(), GetColor(COLOR_3DFACE));
            Draw3dRect(pDC, rc, COLOR_3DSHADOW, COLOR_BTNHILIGHT);
            rc.OffsetRect(1, 1);
        }
        else if (bSelected)
        {
            pDC->FillSolidRect(rc.left - 1, rc.top, 1, rc.Height(), GetColor(COLOR_3DFACE));
            Draw3dRect(pDC, rc, COLOR_BTNHILIGHT, COLOR_3DSHADOW);
        }
        else
        {
            Draw3dRect(pDC, rc, COLOR_BTNHILIGHT, COLOR_BTNHILIGHT);
        }
    }
    DrawDropDownArrow(pDC, rc, GetColor(COLOR_BTNTEXT));
}

//////////////////////////////////////////////////////////////////////////
// Controls

CSize CXTPDefaultTheme::DrawPopupBarControl(CDC* pDC, CXTPControl* pButton, BOOL bDraw)
{
    if (!bDraw)
        return CXTPPaintManager::DrawPopupBarControl(pDC, pButton, FALSE);

    CXTPCommandBar* pBar = pButton->GetParent();
    CRect rc = pButton->GetRect();
    XTPControlType type = pButton->GetType();
    BOOL bSelected = pButton->GetSelected(), bPopuped = pButton->GetPopuped();
    BOOL bEnabled = IsControlEnabled(pButton);
    int nChecked = pButton->GetChecked();
    BOOL bDrawIcon = pButton->GetShownStyle() != xtpButtonCaption;
    const BOOL bWholeRow = m_bSelectImageInPopupBar;

    CSize szIcon = GetControlImageSize(pButton);
    int g = std::max((int)szIcon.cx + 4, m_nTextHeight);
    CRect rcIcon(rc.left, rc.top, rc.left + g, rc.bottom);
    CRect rcCheck = CenteredRect(rcIcon, CSize(20, 20));
    CRect rcText = rc;

    if (pButton->GetExpanded())
        pDC->FillSolidRect(rc, GetColor(COLOR_3DLIGHT));
    COLORREF clrText = GetControlTextColor(pButton);
    pDC->SetTextColor(clrText);

    if (bWholeRow && bSelected)
        DrawRectangle(pDC, rcText, bSelected, FALSE, bEnabled, FALSE, FALSE, xtpBarTypePopup, xtpBarPopup);
    if (nChecked && !bWholeRow)
    {
        DrawRectangle(pDC, rcIcon, bSelected, FALSE, bEnabled, nChecked, FALSE, xtpBarTypeNormal, xtpBarPopup);
        rcText.left = rcIcon.right + 1;
    }

    BOOL bDouble = IsDoubleIconColumn(pBar);
    if (bDouble)
        rcIcon.OffsetRect(g + 1, 0);

    BOOL bImage = FALSE;
    if (bDrawIcon && pButton->HasIcon())
    {
        CXTPImageManagerIcon* pImage = pButton->GetImage(szIcon.cx);
        if (pImage != NULL)
        {
            bImage = TRUE;
            CSize szImage = GetScaledImageSize(pImage, szIcon.cx);
            if (!bWholeRow)
                DrawRectangle(pDC, rcIcon, bSelected, FALSE, bEnabled, nChecked && !bDouble, FALSE, xtpBarTypeNormal,
                              xtpBarPopup);
            DrawImage(pDC, CenteredRect(rcIcon, szImage).TopLeft(), szImage, pImage, bSelected, FALSE, bEnabled,
                      nChecked, FALSE, FALSE);
            rcText.left = rcIcon.right + 1;
        }
    }

    if (nChecked && (bDouble || !bImage))
    {
        COLORREF clrMark = bWholeRow ? clrText : GetColor(bEnabled ? m_nMenuTextColor : COLOR_GRAYTEXT);
        if (type == xtpControlRadioButton)
            DrawRadioDot(pDC, rcCheck, clrMark);
        else
            DrawCheckMark(pDC, rcCheck, clrMark);
    }
    pDC->SetBkMode(TRANSPARENT);

    if (type == xtpControlPopup || type == xtpControlButtonPopup || type == xtpControlSplitButtonPopup)
    {
        int x = rc.right - 11, yc = rc.CenterPoint().y;
        COLORREF clrTriangle = clrText;
        if (type == xtpControlSplitButtonPopup && bEnabled)
        {
            if (bPopuped && bSelected)
            {
                CRect rcDrop(rc.right - 20, rc.top, rc.right, rc.bottom);
                rcText.right -= 20;
                Draw3dRect(pDC, rcDrop, COLOR_3DSHADOW, COLOR_BTNHILIGHT);
                if (!bWholeRow)
                    DrawRectangle(pDC, rcText, bSelected, FALSE, bEnabled, FALSE, FALSE, xtpBarTypePopup, xtpBarPopup);
                clrTriangle = GetColor(m_nMenuTextColor);
            }
            else if (bSelected)
            {
                DrawRectangle(pDC, rcText, bSelected, FALSE, bEnabled, FALSE, FALSE, xtpBarTypePopup, xtpBarPopup);
                VerticalLine(pDC, rc.right - 20, rc.top + 1, rc.bottom - 1, GetColor(COLOR_3DSHADOW));
            }
            else
            {
                VerticalLine(pDC, rc.right - 20, rc.top + 1, rc.bottom - 1, GetColor(m_nMenuTextColor));
            }
        }
        else if (bSelected && !bWholeRow)
        {
            DrawRectangle(pDC, rcText, bSelected, FALSE, bEnabled, FALSE, FALSE, xtpBarTypePopup, xtpBarPopup);
        }
        Triangle(pDC, CPoint(x, yc - 3), CPoint(x + 3, yc), CPoint(x, yc + 3), clrTriangle);
    }
    else if (bSelected && !bWholeRow)
    {
        DrawRectangle(pDC, rcText, bSelected, FALSE, bEnabled, FALSE, FALSE, xtpBarTypePopup, xtpBarPopup);
    }

    return CXTPPaintManager::DrawPopupBarControl(pDC, pButton, TRUE);
}

void CXTPDefaultTheme::DrawSplitButtonFrame(CDC* pDC, CXTPControl* pButton, CRect rcButton)
{
    CXTPCommandBar* pBar = pButton->GetParent();
    int nPosition = pBar ? pBar->GetPosition() : xtpBarTop;
    BOOL bSelected = pButton->GetSelected(), bPressed = pButton->GetPressed(), bPopuped = pButton->GetPopuped();
    int nEnabled = pButton->GetEnabled();
    int nChecked = pButton->GetChecked();
    BOOL bHighlighted = bSelected || bPopuped;
    BOOL bDropDownActive = (bSelected || bPressed || bPopuped) && nEnabled;

    CRect rcCommand = rcButton, rcDropDown = rcButton;
    if (pButton->GetShownStyle() != xtpButtonIconAndCaptionBelow)
    {
        rcCommand.right -= 12;
        rcDropDown.left = rcDropDown.right - 12;
    }
    else
    {
        int d = 2 * m_nTextHeight - 17;
        if (IsVerticalBar(pBar))
        {
            rcCommand.left += d;
            rcDropDown.right = rcDropDown.left + d;
        }
        else
        {
            rcCommand.bottom -= d;
            rcDropDown.top = rcDropDown.bottom - d;
        }
    }

    DrawRectangle(pDC, rcCommand, bHighlighted, bPressed, nEnabled, nChecked, FALSE, xtpBarTypeNormal, nPosition);
    if (bDropDownActive)
        DrawRectangle(pDC, rcDropDown, TRUE, FALSE, nEnabled, FALSE, bPopuped, xtpBarTypeNormal, nPosition);

    if (pButton->GetShownStyle() != xtpButtonIconAndCaptionBelow)
    {
        BOOL bEnabled = nEnabled != 0 && nEnabled != 3;
        DrawDropDownGlyph(pDC, pButton, CPoint(rcButton.right - 7, rcButton.CenterPoint().y), bSelected, bPopuped,
                          bEnabled, FALSE);
    }
}

CSize CXTPDefaultTheme::DrawControlComboBox(CDC* pDC, CXTPControlComboBox* pControlCombo, BOOL bDraw)
{
    if (!bDraw)
        return CXTPPaintManager::DrawControlComboBox(pDC, pControlCombo, FALSE);

    CXTPFontDC font(pDC, &m_fontIcon);
    CXTPPaintManager::DrawControlComboBox(pDC, pControlCombo, TRUE);

    CRect rc = pControlCombo->GetRect();
    BOOL bEnabled = IsControlEnabled(pControlCombo);
    BOOL bSelected = pControlCombo->GetSelected();
    CRect rcField(rc.left + pControlCombo->GetLabelWidth(), rc.top, rc.right, rc.bottom);
    CRect rcButton(rcField.right - pControlCombo->GetThumbWidth(), rcField.top, rcField.right, rcField.bottom);

    if (bEnabled)
    {
        CRect rcFill = rcField;
        rcFill.DeflateRect(1, 1);
        Rectangle(pDC, rcFill, COLOR_WINDOW, COLOR_WINDOW);
    }
    pControlCombo->DrawEditText(pDC, CRect(rcField.left + 3, rc.top + 1, rcButton.left + 1, rc.bottom - 1));
    DrawControlComboBoxButton(pDC, rcButton, bEnabled, bSelected, pControlCombo->GetDroppedState());
    DrawControlEditFrame(pDC, rcField, bEnabled, bSelected);
    return CSize(0, 0);
}

CSize CXTPDefaultTheme::DrawControlEdit(CDC* pDC, CXTPControlEdit* pControlEdit, BOOL bDraw)
{
    if (!bDraw)
        return CXTPPaintManager::DrawControlEdit(pDC, pControlEdit, FALSE);

    CXTPPaintManager::DrawControlEdit(pDC, pControlEdit, TRUE);
    CRect rc = pControlEdit->GetRect();
    BOOL bEnabled = IsControlEnabled(pControlEdit);
    CRect rcField(rc.left + pControlEdit->GetLabelWidth(), rc.top, rc.right, rc.bottom);
    if (bEnabled)
    {
        CRect rcFill = rcField;
        rcFill.DeflateRect(1, 1);
        Rectangle(pDC, rcFill, COLOR_WINDOW, COLOR_WINDOW);
    }
    DrawControlEditFrame(pDC, rcField, bEnabled, pControlEdit->GetSelected());
    if (pControlEdit->IsSpinButtonsVisible())
        DrawEditSpinButtons(pDC, pControlEdit);
    return CSize(0, 0);
}

void CXTPDefaultTheme::DrawEditSpinButtons(CDC* pDC, CXTPControlEdit* pControlEdit)
{
    CRect rcSpin = pControlEdit->GetSpinButtonsRect();
    if (rcSpin.IsRectEmpty())
        return;
    BOOL bEnabled = IsControlEnabled(pControlEdit);
    BOOL bSelected = pControlEdit->GetSelected();
    int nPressed = pControlEdit->GetPressed();
    int m = rcSpin.CenterPoint().y;
    CRect rcUp(rcSpin.left + 1, rcSpin.top + 1, rcSpin.right - 1, m);
    CRect rcDown(rcSpin.left + 1, m, rcSpin.right - 1, rcSpin.bottom - 1);

    if (bEnabled && bSelected)
    {
        pDC->FillSolidRect(rcSpin, GetColor(COLOR_3DFACE));
        if (nPressed == 3)
            Draw3dRect(pDC, rcUp, COLOR_3DSHADOW, COLOR_WINDOW);
        else
            Draw3dRect(pDC, rcUp, COLOR_WINDOW, COLOR_3DSHADOW);
        if (nPressed == 4)
            Draw3dRect(pDC, rcDown, COLOR_3DSHADOW, COLOR_WINDOW);
        else
            Draw3dRect(pDC, rcDown, COLOR_WINDOW, COLOR_3DSHADOW);
    }
    else if (bEnabled)
    {
        CRect rcInner = rcSpin;
        rcInner.DeflateRect(1, 1);
        Rectangle(pDC, rcInner, COLOR_WINDOW, COLOR_3DFACE);
    }

    COLORREF clr = GetColor(bEnabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    int xc = (rcSpin.left + 1 + rcSpin.right - 1) / 2;
    int y = rcUp.CenterPoint().y;
    Triangle(pDC, CPoint(xc, y - 1), CPoint(xc - 2, y + 1), CPoint(xc + 2, y + 1), clr);
    y = rcDown.CenterPoint().y;
    Triangle(pDC, CPoint(xc, y + 1), CPoint(xc - 2, y - 1), CPoint(xc + 2, y - 1), clr);
}

CSize CXTPDefaultTheme::DrawListBoxControl(CDC* pDC, CXTPControl* pButton, CRect rc, BOOL bSelected, BOOL bEnabled,
                                           CXTPCommandBars* pCommandBars)
{
    CSize szIcon = GetListBoxIconSize(pCommandBars);
    CSize szRow(std::max((int)szIcon.cx + 4, m_nTextHeight), std::max((int)szIcon.cy + 4, m_nTextHeight));
    // Without a DC only the row height is asked for; without a control the
    // row is only filled.
    if (pDC == NULL)
        return szRow;
    pDC->FillSolidRect(rc, GetColor(COLOR_3DFACE));
    if (pButton == NULL)
        return szRow;

    XTPControlType type = pButton->GetType();
    XTPButtonStyle style = pButton->GetShownStyle();
    BOOL bIcon = style == xtpButtonIcon || style == xtpButtonIconAndCaption ||
                 (style == xtpButtonAutomatic && type != xtpControlPopup);
    CRect rcCell(rc.left, rc.top, rc.left + szRow.cx, rc.bottom);
    CRect rcText = rc;
    CXTPImageManagerIcon* pImage = bIcon ? pButton->GetImage(szIcon.cx) : NULL;
    if (pImage != NULL)
    {
        DrawRectangle(pDC, rcCell, bSelected, FALSE, bEnabled, FALSE, FALSE, xtpBarTypeNormal, xtpBarPopup);
        CSize szImage = GetScaledImageSize(pImage, szIcon.cx);
        DrawImage(pDC, CenteredRect(rcCell, szImage).TopLeft(), szImage, pImage, bSelected, FALSE, bEnabled, FALSE,
                  FALSE, FALSE);
        rcText.left = rcCell.right + 1;
    }

    if (bSelected)
        Rectangle(pDC, rcText, COLOR_HIGHLIGHT, COLOR_HIGHLIGHT);
    COLORREF clrText = GetColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
    pDC->SetTextColor(clrText);
    pDC->SetBkMode(TRANSPARENT);

    CXTPFontDC font(pDC, &m_fontRegular);
    CString strCaption = pButton->GetCaption();
    StripMnemonics(strCaption);
    CRect rcCaption(rc.left + szRow.cx + 4, rc.top, rc.right, rc.bottom);
    pDC->DrawText(strCaption, &rcCaption, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);

    int yc = rc.CenterPoint().y;
    if (type == xtpControlPopup || type == xtpControlButtonPopup || type == xtpControlSplitButtonPopup)
    {
        Triangle(pDC, CPoint(rc.right - 7, yc), CPoint(rc.right - 12, yc - 5), CPoint(rc.right - 12, yc + 5), clrText);
        if (type == xtpControlSplitButtonPopup)
            VerticalLine(pDC, rc.right - 20, rc.top + 1, rc.bottom - 1, clrText);
    }
    else if (type == xtpControlComboBox || type == xtpControlEdit)
    {
        int nCaption = pDC->GetTextExtent(strCaption).cx;
        CRect rcField(rc.left + szRow.cx + nCaption + 9, rc.top, rc.right, rc.bottom);
        Rectangle(pDC, rcField, bSelected ? COLOR_HIGHLIGHT : COLOR_3DFACE, COLOR_WINDOW);
        if (type == xtpControlComboBox)
        {
            int nButton = pDC->GetTextExtent(_T(" ")).cy + 2;
            CRect rcButton(rcField.right - nButton, rcField.top, rcField.right, rcField.bottom);
            if (bSelected)
            {
                Rectangle(pDC, rcButton, COLOR_HIGHLIGHT, COLOR_3DFACE);
            }
            else
            {
                CRect rcInner = rcButton;
                rcInner.DeflateRect(2, 2);
                pDC->FillSolidRect(rcInner, GetColor(COLOR_3DFACE));
            }
            rcButton.DeflateRect(1, 1);
            DrawDropDownArrow(pDC, rcButton, GetColor(COLOR_BTNTEXT));
        }
    }
    return szRow;
}

CSize CXTPDefaultTheme::GetPopupBarIconColumnSize(CXTPCommandBar* pBar)
{
    CSize szIcon = pBar != NULL ? pBar->GetIconSize() : CSize(16, 16);
    return CSize(std::max(m_nTextHeight, (int)szIcon.cx + 4), std::max(m_nTextHeight, (int)szIcon.cy + 4));
}

void CXTPDefaultTheme::AdjustExcludeRect(CRect& rc, CXTPControl* pControl, BOOL bVertical)
{
    if (pControl->GetType() == xtpControlComboBox)
        return;
    CXTPCommandBar* pBar = pControl->GetParent();
    if (pBar != NULL && pBar->GetType() == xtpBarTypePopup)
        rc.DeflateRect(1, 0);
    else if (bVertical)
        rc.InflateRect(0, 1);
    else
        rc.InflateRect(1, 0);
}

//////////////////////////////////////////////////////////////////////////
// Bars

void CXTPDefaultTheme::FillCommandBar(CDC* pDC, CXTPCommandBar* pBar)
{
    CXTPClientRect rc(pBar);
    pDC->FillSolidRect(rc, GetColor(COLOR_3DFACE));
    int nPosition = pBar->GetPosition();
    if (nPosition == xtpBarFloating || nPosition == xtpBarPopup)
    {
        Draw3dRect(pDC, rc, COLOR_3DFACE, COLOR_3DDKSHADOW);
        rc.DeflateRect(1, 1);
        Draw3dRect(pDC, rc, COLOR_BTNHILIGHT, COLOR_3DSHADOW);
    }
    else if (!IsFlatToolBar(pBar))
    {
        Draw3dRect(pDC, rc, COLOR_BTNHILIGHT, COLOR_3DSHADOW);
    }
}

CSize CXTPDefaultTheme::DrawCommandBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw)
{
    if (pBar->IsDialogBar())
        return DrawDialogBarGripper(pDC, pBar, bDraw);
    CXTPClientRect rc(pBar);
    switch (pBar->GetPosition())
    {
    case xtpBarFloating:
        return CXTPPaintManager::DrawCommandBarGripper(pDC, pBar, bDraw);
    case xtpBarLeft:
    case xtpBarRight:
        if (bDraw && pDC != NULL)
            Draw3dRect(pDC, CRect(3, 3, rc.Width() - 3, 6), COLOR_BTNHILIGHT, COLOR_3DSHADOW);
        return CSize(0, 8);
    case xtpBarTop:
    case xtpBarBottom:
        if (bDraw && pDC != NULL)
            Draw3dRect(pDC, CRect(3, 3, 6, rc.Height() - 3), COLOR_BTNHILIGHT, COLOR_3DSHADOW);
        return CSize(6, 0);
    default:
        return CSize(0, 0);
    }
}

CSize CXTPDefaultTheme::DrawDialogBarGripper(CDC* pDC, CXTPCommandBar*, BOOL bDraw)
{
    int h = std::max(m_nTextHeight + 4, 22);
    if (bDraw && pDC != NULL)
        Draw3dRect(pDC, CRect(3, 3, 6, h), COLOR_BTNHILIGHT, COLOR_3DSHADOW);
    return CSize(6, h);
}

CSize CXTPDefaultTheme::DrawCommandBarSeparator(CDC* pDC, CXTPCommandBar* pBar, CXTPControl* pControl, BOOL bDraw)
{
    BOOL bPopup = pBar->GetType() == xtpBarTypePopup;
    if (!bDraw || pDC == NULL || pControl == NULL)
        return bPopup ? CSize(8, 8) : CSize(6, 6);

    CRect C = pControl->GetRect();
    CRect R = pControl->GetRowRect();
    BOOL bWrap = pControl->GetWrap();
    CRect rc;
    if (bPopup)
        rc = bWrap ? CRect(C.left - 5, R.top + 3, C.left - 3, R.bottom - 3)
                   : CRect(C.left + 11, C.top - 5, C.right - 11, C.top - 3);
    else if (IsVerticalBar(pBar))
        rc = bWrap ? CRect(R.right + 2, R.top + 4, R.right + 4, R.bottom) : CRect(R.left, C.top - 4, R.right, C.top - 2);
    else
        rc = bWrap ? CRect(R.left + 4, R.top - 4, R.right, R.top - 2) : CRect(C.left - 4, R.top, C.left - 2, R.bottom);
    Draw3dRect(pDC, rc, COLOR_3DSHADOW, COLOR_BTNHILIGHT);
    return CSize(0, 0);
}

CSize CXTPDefaultTheme::DrawExpandOrHideButton(CDC* pDC, int nKind, CXTPControl* pButton, CXTPCommandBar* pBar,
                                               BOOL bDraw, LPVOID lpParam)
{
    if (bDraw && pDC != NULL && pButton != NULL && (nKind == 2 || nKind == 3))
    {
        if (pButton->GetPressed() || pButton->GetSelected() || (nKind == 3 && pButton->GetPopuped()))
            pDC->FillSolidRect(pButton->GetRect(), GetColor(COLOR_3DFACE));
    }
    return CXTPPaintManager::DrawExpandOrHideButton(pDC, nKind, pButton, pBar, bDraw, lpParam);
}

CRect CXTPDefaultTheme::GetCommandBarBorders(CXTPCommandBar* pBar)
{
    if (pBar != NULL && pBar->GetType() == xtpBarTypePopup)
        return CRect(3, 3, 3, 3);
    return CXTPPaintManager::GetCommandBarBorders(pBar);
}
} // namespace XTPPaintThemes
