// The flat Office command-bar theme.
#include "XTPOfficeTheme.h"

#include <algorithm>

#include "XTPCommandBar.h"
#include "XTPControl.h"
#include "XTPControlComboBox.h"
#include "XTPControlEdit.h"
#include "XTPControlPopup.h"
#include "XTPDrawHelpers.h"
#include "XTPImageManager.h"
#include "XTPPopupBar.h"

namespace XTPPaintThemes
{
CXTPOfficeTheme::CXTPOfficeTheme()
{
    m_bFlatMenuBar = TRUE;
    m_iconsInfo.bUseFadedIcons = TRUE;
    m_iconsInfo.bUseDisabledIcons = TRUE;
    m_iconsInfo.bIconsWithShadow = TRUE;
    m_iconsInfo.bOfficeStyleDisabledIcons = TRUE;
    m_bEmbossedDisabledText = FALSE;
    m_nPopupBarTextPadding = 8;
    // Popup menus and the control that opened them cast their own shadows.
    m_nThirdFlag = TRUE;
    m_nSpareWord = xtpShadowOfficeAlpha | xtpShadowShowPopupControl;
}

CXTPOfficeTheme::~CXTPOfficeTheme()
{
}

int CXTPOfficeTheme::BaseTheme()
{
    return xtpThemeOffice;
}

COLORREF CXTPOfficeTheme::GetRectangleTextColor(BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                                                BOOL bPopuped, int barType, int barPosition)
{
    if (barType == 2)
        return GetColor(!bEnabled ? XPCOLOR_GRAYTEXT : bSelected ? XPCOLOR_HIGHLIGHT_TEXT : XPCOLOR_MENUBAR_TEXT);
    if (!bEnabled)
        return GetColor(XPCOLOR_TOOLBAR_GRAYTEXT);
    if (bPopuped)
        return GetColor(XPCOLOR_TOOLBAR_TEXT);
    if (bChecked && !bSelected && !bPressed)
        return GetColor(XPCOLOR_HIGHLIGHT_TEXT);
    if (IsKeyboardSelected(bPressed) || (bSelected && (bPressed || bChecked)))
        return GetColor(XPCOLOR_PUSHED_TEXT);
    if (!bSelected && !bPressed)
        return GetColor(barPosition == 5 ? XPCOLOR_MENUBAR_TEXT : XPCOLOR_TOOLBAR_TEXT);
    return GetColor(XPCOLOR_HIGHLIGHT_TEXT);
}

void CXTPOfficeTheme::DrawRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                                    BOOL bChecked, BOOL bPopuped, int, int barPosition)
{
    if (bEnabled)
    {
        if (bPopuped)
            Rectangle(pDC, rc, XPCOLOR_MENUBAR_BORDER, XPCOLOR_TOOLBAR_FACE);
        else if (bChecked && !bPressed)
        {
            if (bSelected)
                Rectangle(pDC, rc, XPCOLOR_HIGHLIGHT_PUSHED_BORDER, XPCOLOR_HIGHLIGHT_PUSHED);
            else
                Rectangle(pDC, rc, XPCOLOR_HIGHLIGHT_CHECKED_BORDER,
                          bChecked == 2 ? XPCOLOR_3DFACE : XPCOLOR_HIGHLIGHT_CHECKED);
        }
        else if (IsKeyboardSelected(bPressed) || (bSelected && bPressed))
            Rectangle(pDC, rc, XPCOLOR_HIGHLIGHT_PUSHED_BORDER, XPCOLOR_HIGHLIGHT_PUSHED);
        else if (bSelected || bPressed)
            Rectangle(pDC, rc, XPCOLOR_HIGHLIGHT_BORDER, XPCOLOR_HIGHLIGHT);
        return;
    }
    if (IsKeyboardSelected(bSelected))
    {
        int nFill = barPosition == 5 ? XPCOLOR_MENUBAR_FACE : bChecked ? XPCOLOR_HIGHLIGHT_PUSHED : XPCOLOR_HIGHLIGHT;
        Rectangle(pDC, rc, XPCOLOR_HIGHLIGHT_BORDER, nFill);
    }
    else if (bChecked)
    {
        Rectangle(pDC, rc, XPCOLOR_HIGHLIGHT_DISABLED_BORDER, barPosition == 5 ? -1 : XPCOLOR_HIGHLIGHT_CHECKED);
    }
}

void CXTPOfficeTheme::DrawImage(CDC* pDC, CPoint pt, CSize sz, CXTPImageManagerIcon* pImage, BOOL bSelected,
                                BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped, BOOL)
{
    DrawImageByState(pDC, pt, sz, pImage, bSelected, bPressed, bEnabled, bChecked, bPopuped, TRUE);
}

void CXTPOfficeTheme::FillPopupBarGripper(CDC* pDC, int x, int y, int cx, int cy, BOOL bExpanded)
{
    pDC->FillSolidRect(x, y, cx, cy, GetColor(bExpanded ? XPCOLOR_MENUBAR_EXPANDED : XPCOLOR_TOOLBAR_FACE));
}

void CXTPOfficeTheme::DrawControlLabelBackground(CDC* pDC, CRect rc)
{
    pDC->FillSolidRect(rc, GetColor(XPCOLOR_LABEL));
}

void CXTPOfficeTheme::DrawStatusBarPaneBorder(CDC* pDC, CRect rc, BOOL)
{
    Draw3dRect(pDC, rc, COLOR_3DSHADOW, COLOR_3DSHADOW);
}

CSize CXTPOfficeTheme::DrawTearOffGripper(CDC* pDC, CRect rcGripper, BOOL bHot, BOOL, BOOL bDraw)
{
    if (bDraw && pDC != NULL)
    {
        // The strip starts one pixel in from the gripper's corner.
        CRect rc(rcGripper.left + 1, rcGripper.top + 1, rcGripper.right + 1, rcGripper.bottom + 1);
        pDC->FillSolidRect(rc, GetColor(XPCOLOR_MENUBAR_FACE));
        rc.DeflateRect(1, 1);
        int xc = rc.CenterPoint().x;
        int w = std::min(rc.Width() / 2 - 10, 16);
        int y0 = rcGripper.top;
        if (bHot)
        {
            Rectangle(pDC, rc, XPCOLOR_HIGHLIGHT_BORDER, XPCOLOR_HIGHLIGHT);
            if (w > 0)
            {
                for (int y = 4; y <= 6; y += 2)
                    HorizontalLine(pDC, xc - w, y0 + y, xc + w, GetColor(XPCOLOR_HIGHLIGHT_TEXT));
            }
        }
        else
        {
            pDC->FillSolidRect(rc, GetColor(XPCOLOR_TOOLBAR_FACE));
            if (w > 0)
            {
                for (int y = 3; y <= 7; y += 2)
                    HorizontalLine(pDC, xc - w, y0 + y, xc + w, GetColor(XPCOLOR_TOOLBAR_GRIPPER));
            }
        }
    }
    return CSize(0, 9);
}

void CXTPOfficeTheme::GetMarkColors(BOOL bSelected, BOOL bPressed, BOOL bEnabled, int& nFrame, int& nFill) const
{
    if (!bEnabled)
    {
        nFrame = XPCOLOR_GRAYTEXT;
        nFill = XPCOLOR_3DFACE;
    }
    else if (bSelected && bPressed)
    {
        nFrame = XPCOLOR_HIGHLIGHT_BORDER;
        nFill = XPCOLOR_HIGHLIGHT_PUSHED;
    }
    else if (bSelected || bPressed)
    {
        nFrame = XPCOLOR_HIGHLIGHT_BORDER;
        nFill = XPCOLOR_HIGHLIGHT;
    }
    else
    {
        nFrame = XPCOLOR_3DSHADOW;
        nFill = COLOR_WINDOW;
    }
}

CSize CXTPOfficeTheme::DrawCheckBoxMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed,
                                        int nChecked, BOOL bEnabled)
{
    if (m_bThemedCheckBox && m_themeButton.IsValid())
        return CXTPPaintManager::DrawCheckBoxMark(pDC, rc, bDraw, bSelected, bPressed, nChecked, bEnabled);
    if (!bDraw || pDC == NULL)
        return CSize(13, 13);

    int nFrame, nFill;
    GetMarkColors(bSelected, bPressed, bEnabled, nFrame, nFill);
    if (bEnabled)
        Rectangle(pDC, rc, nFrame, nFill);
    else
        Draw3dRect(pDC, rc, nFrame, nFrame);

    if (nChecked != 0)
    {
        COLORREF clrMark = GetColor((!bEnabled || nChecked == 2) ? XPCOLOR_GRAYTEXT : COLOR_BTNTEXT);
        CXTPPenDC pen(pDC->GetSafeHdc(), clrMark);
        CPoint c = rc.CenterPoint();
        // The mark keeps its shape on a mirrored DC.
        int nDir = CXTPDrawHelpers::IsContextRTL(pDC) ? -1 : 1;
        for (int i = 0; i < 3; i++)
        {
            POINT pts[3] = { { c.x - 3 * nDir, c.y - 1 + i }, { c.x - 1 * nDir, c.y + 1 + i },
                             { c.x + 4 * nDir, c.y - 4 + i } };
            pDC->Polyline(pts, 3);
        }
    }
    return CSize(13, 13);
}

CSize CXTPOfficeTheme::DrawRadioButtonMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed,
                                           int nChecked, BOOL bEnabled)
{
    if (m_bThemedCheckBox && m_themeButton.IsValid())
        return CXTPPaintManager::DrawRadioButtonMark(pDC, rc, bDraw, bSelected, bPressed, nChecked, bEnabled);
    if (!bDraw || pDC == NULL)
        return CSize(13, 13);

    int nFrame, nFill;
    GetMarkColors(bSelected, bPressed, bEnabled, nFrame, nFill);
    AlphaEllipse(pDC, rc, GetColor(nFrame), GetColor(nFill));
    if (nChecked != 0)
    {
        COLORREF clrMark = GetColor((!bEnabled || nChecked == 2) ? XPCOLOR_GRAYTEXT : COLOR_BTNTEXT);
        AlphaEllipse(pDC, CRect(rc.left + 4, rc.top + 4, rc.left + 9, rc.top + 9), clrMark, clrMark);
    }
    return CSize(13, 13);
}

CSize CXTPOfficeTheme::DrawDialogBarGripper(CDC* pDC, CXTPCommandBar*, BOOL bDraw)
{
    CSize sz(6, std::max(m_nTextHeight + 4, 22));
    if (bDraw && pDC != NULL)
    {
        for (int y = 6; y < sz.cy - 2; y += 2)
            HorizontalLine(pDC, 3, y, 6, GetColor(XPCOLOR_TOOLBAR_GRIPPER));
    }
    return sz;
}
//////////////////////////////////////////////////////////////////////////
// Controls

CSize CXTPOfficeTheme::DrawPopupBarControl(CDC* pDC, CXTPControl* pButton, BOOL bDraw)
{
    if (!bDraw)
        return CXTPPaintManager::DrawPopupBarControl(pDC, pButton, FALSE);

    CXTPCommandBar* pBar = pButton->GetParent();
    CRect rc = pButton->GetRect();
    XTPControlType type = pButton->GetType();
    BOOL bSelected = pButton->GetSelected();
    BOOL bEnabled = IsControlEnabled(pButton);
    int nChecked = pButton->GetChecked();
    BOOL bDrawIcon = pButton->GetShownStyle() != xtpButtonCaption;
    BOOL bDouble = IsDoubleIconColumn(pBar);
    BOOL bGripper = pBar->GetShowGripper();

    CSize szIcon = GetControlImageSize(pButton);
    int g = std::max((int)szIcon.cx + 4, m_nTextHeight + 4);
    int G = bDouble ? 2 * g : g;
    if (type == xtpControlLabel && !m_bShowLabelIconColumn)
        G = 0;

    if (pButton->GetExpanded() && rc.left < G)
        FillPopupBarGripper(pDC, rc.left - 1, rc.top, G + 1, rc.Height(), TRUE);

    if (type == xtpControlLabel)
    {
        if (!bGripper)
            G = 0;
        CRect rcLabel = rc;
        if (rc.left <= G)
            rcLabel.left = rc.left + G + 1;
        DrawControlLabelBackground(pDC, rcLabel);
    }
    else
    {
        DrawRectangle(pDC, rc, bSelected, FALSE, bEnabled, FALSE, FALSE, xtpBarTypePopup, xtpBarPopup);
    }

    CRect rcCell(rc.left, rc.top, rc.left + g, rc.bottom);
    if (!bGripper)
        rcCell.OffsetRect(m_nPopupBarTextPadding / 2, 0);
    CRect rcCheck = CenteredRect(rcCell, CSize(szIcon.cx + 4, szIcon.cy + 4));
    if (bDouble)
        rcCell.OffsetRect(g, 0);

    if (nChecked)
        DrawRectangle(pDC, rcCheck, bSelected, FALSE, bEnabled, nChecked, FALSE, xtpBarTypePopup, xtpBarPopup);

    BOOL bImage = FALSE;
    if (bDrawIcon && pButton->HasIcon())
    {
        CXTPImageManagerIcon* pImage = pButton->GetImage(szIcon.cx);
        if (pImage != NULL)
        {
            bImage = TRUE;
            CSize szImage = GetScaledImageSize(pImage, szIcon.cx);
            DrawImage(pDC, CenteredRect(rcCell, szImage).TopLeft(), szImage, pImage, bSelected, FALSE, bEnabled,
                      nChecked, FALSE, FALSE);
        }
    }
    if (nChecked && (bDouble || !bImage))
    {
        COLORREF clrMark = bEnabled ? RGB(0, 0, 0) : GetColor(XPCOLOR_DISABLED);
        if (type == xtpControlRadioButton)
            DrawRadioDot(pDC, rcCheck, clrMark);
        else
            DrawCheckMark(pDC, rcCheck, clrMark);
    }

    pDC->SetTextColor(GetControlTextColor(pButton));
    pDC->SetBkMode(TRANSPARENT);
    if (type == xtpControlPopup || type == xtpControlButtonPopup || type == xtpControlSplitButtonPopup)
    {
        if (type == xtpControlSplitButtonPopup && bEnabled)
            DrawDropDownButton(pDC, pButton);
        DrawControlPopupGlyph(pDC, pButton);
    }
    return CXTPPaintManager::DrawPopupBarControl(pDC, pButton, TRUE);
}

void CXTPOfficeTheme::DrawDropDownButton(CDC* pDC, CXTPControl* pControl)
{
    CRect rc = pControl->GetRect();
    int d = m_nSplitButtonPopupWidth;
    if (pControl->GetPopuped() && pControl->GetSelected())
        Rectangle(pDC, CRect(rc.right - d, rc.top, rc.right, rc.bottom), XPCOLOR_HIGHLIGHT_BORDER,
                  XPCOLOR_HIGHLIGHT_PUSHED);
    else
        VerticalLine(pDC, rc.right - d, rc.top + 1, rc.bottom - 1,
                     GetColor(pControl->GetSelected() ? XPCOLOR_HIGHLIGHT_BORDER : COLOR_3DSHADOW));
}

void CXTPOfficeTheme::DrawControlPopupGlyph(CDC* pDC, CXTPControl* pControl)
{
    CRect rc = pControl->GetRect();
    int yc = rc.CenterPoint().y;
    BOOL bPushedSplit = pControl->GetType() == xtpControlSplitButtonPopup && IsControlEnabled(pControl) &&
                        pControl->GetPopuped() && pControl->GetSelected();
    COLORREF clr = bPushedSplit ? GetColor(XPCOLOR_PUSHED_TEXT) : GetControlTextColor(pControl);
    Triangle(pDC, CPoint(rc.right - 11, yc - 3), CPoint(rc.right - 8, yc), CPoint(rc.right - 11, yc + 3), clr);
}

void CXTPOfficeTheme::DrawSplitButtonFrame(CDC* pDC, CXTPControl* pButton, CRect rcButton)
{
    CXTPCommandBar* pBar = pButton->GetParent();
    int nPosition = pBar ? pBar->GetPosition() : xtpBarTop;
    BOOL bSelected = pButton->GetSelected(), bPressed = pButton->GetPressed(), bPopuped = pButton->GetPopuped();
    int nEnabled = pButton->GetEnabled();
    int nChecked = pButton->GetChecked();
    BOOL bActive = (bSelected || bPressed) && !bPopuped && nEnabled;

    if (pButton->GetShownStyle() != xtpButtonIconAndCaptionBelow)
    {
        int w = m_nSplitButtonDropDownWidth;
        CRect rcCommand = rcButton;
        if (!bPopuped)
            rcCommand.right -= w;
        DrawRectangle(pDC, rcCommand, bSelected, bPressed, nEnabled, nChecked, bPopuped, xtpBarTypeNormal, nPosition);
        if (bActive)
            DrawRectangle(pDC, CRect(rcButton.right - w - 1, rcButton.top, rcButton.right, rcButton.bottom), TRUE,
                          FALSE, nEnabled, FALSE, FALSE, xtpBarTypeNormal, nPosition);
        BOOL bEnabled = nEnabled != 0 && nEnabled != 3;
        DrawDropDownGlyph(pDC, pButton, CPoint(rcButton.right - 7, rcButton.CenterPoint().y), bSelected, bPopuped,
                          bEnabled, FALSE);
        return;
    }

    int d = 2 * m_nTextHeight - 17;
    BOOL bVertical = IsVerticalBar(pBar);
    BOOL bHotSplit = bSelected && bPressed && !bPopuped && nEnabled;
    DrawRectangle(pDC, rcButton, bSelected, bPressed && !bHotSplit, nEnabled, nChecked, bPopuped, xtpBarTypeNormal,
                  nPosition);
    if (bActive)
    {
        if (bVertical)
            VerticalLine(pDC, rcButton.left + d, rcButton.top, rcButton.bottom, GetColor(XPCOLOR_HIGHLIGHT_BORDER));
        else
            HorizontalLine(pDC, rcButton.left, rcButton.bottom - d - 1, rcButton.right,
                           GetColor(XPCOLOR_HIGHLIGHT_BORDER));
    }
    if (bHotSplit)
    {
        CRect rcCommand = bVertical ? CRect(rcButton.left + d, rcButton.top, rcButton.right, rcButton.bottom)
                                    : CRect(rcButton.left, rcButton.top, rcButton.right, rcButton.bottom - d);
        DrawRectangle(pDC, rcCommand, bSelected, bPressed, nEnabled, nChecked, bPopuped, xtpBarTypeNormal, nPosition);
    }
}

CSize CXTPOfficeTheme::DrawControlEdit(CDC* pDC, CXTPControlEdit* pControlEdit, BOOL bDraw)
{
    if (!bDraw)
        return CXTPPaintManager::DrawControlEdit(pDC, pControlEdit, FALSE);

    CXTPPaintManager::DrawControlEdit(pDC, pControlEdit, TRUE);
    CXTPCommandBar* pBar = pControlEdit->GetParent();
    CRect rc = pControlEdit->GetRect();
    BOOL bEnabled = IsControlEnabled(pControlEdit);
    BOOL bSelected = pControlEdit->GetSelected();
    BOOL bSpin = pControlEdit->IsSpinButtonsVisible();
    CRect rcField(rc.left + pControlEdit->GetLabelWidth(), rc.top, rc.right, rc.bottom);

    if (bEnabled)
    {
        pDC->FillSolidRect(rcField.left + 1, rc.top + 1, rcField.Width() - (bSpin ? 18 : 2), rc.Height() - 2,
                           GetColor(COLOR_WINDOW));
        if (bSelected)
            Draw3dRect(pDC, rcField, XPCOLOR_HIGHLIGHT_BORDER, XPCOLOR_HIGHLIGHT_BORDER);
        else if (pBar != NULL && pBar->GetType() == xtpBarTypePopup)
            Draw3dRect(pDC, rcField, XPCOLOR_EDITCTRLBORDER, XPCOLOR_EDITCTRLBORDER);
    }
    else
    {
        int nFrame = IsKeyboardSelected(bSelected) ? XPCOLOR_HIGHLIGHT_BORDER : XPCOLOR_DISABLED;
        Rectangle(pDC, CRect(rcField.left + 1, rc.top, rc.right, rc.bottom), nFrame, COLOR_3DFACE);
    }

    if (bSpin)
    {
        CRect rcSpin = pControlEdit->GetSpinButtonsRect();
        int m = rcSpin.CenterPoint().y;
        CRect rcUp(rcSpin.left, rcSpin.top, rcSpin.right, m);
        CRect rcDown(rcSpin.left, m, rcSpin.right, rcSpin.bottom);
        if (bEnabled && bSelected)
        {
            pDC->FillSolidRect(rcSpin, GetColor(XPCOLOR_HIGHLIGHT));
            int nPressed = pControlEdit->GetPressed();
            if (nPressed == 3)
                pDC->FillSolidRect(rcUp, GetColor(XPCOLOR_HIGHLIGHT_PUSHED));
            else if (nPressed == 4)
                pDC->FillSolidRect(rcDown, GetColor(XPCOLOR_HIGHLIGHT_PUSHED));
            VerticalLine(pDC, rcSpin.left, rcSpin.top, rcSpin.bottom, GetColor(XPCOLOR_HIGHLIGHT_BORDER));
            HorizontalLine(pDC, rcSpin.left, m, rcSpin.right, GetColor(XPCOLOR_HIGHLIGHT_BORDER));
        }
        else if (bEnabled)
        {
            Draw3dRect(pDC, rcSpin, COLOR_WINDOW, COLOR_WINDOW);
        }
        COLORREF clr = GetColor(bEnabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
        CPoint pt = rcUp.CenterPoint();
        Triangle(pDC, CPoint(pt.x, pt.y), CPoint(pt.x - 2, pt.y + 2), CPoint(pt.x + 2, pt.y + 2), clr);
        pt = rcDown.CenterPoint();
        Triangle(pDC, CPoint(pt.x, pt.y), CPoint(pt.x - 2, pt.y - 2), CPoint(pt.x + 2, pt.y - 2), clr);
    }
    return CSize(0, 0);
}

CSize CXTPOfficeTheme::DrawControlComboBox(CDC* pDC, CXTPControlComboBox* pControlCombo, BOOL bDraw)
{
    if (!bDraw)
        return CXTPPaintManager::DrawControlComboBox(pDC, pControlCombo, FALSE);

    CXTPFontDC font(pDC, &m_fontIcon);
    CXTPPaintManager::DrawControlComboBox(pDC, pControlCombo, TRUE);

    CXTPCommandBar* pBar = pControlCombo->GetParent();
    BOOL bPopupBar = pBar != NULL && pBar->GetType() == xtpBarTypePopup;
    CRect rc = pControlCombo->GetRect();
    BOOL bEnabled = IsControlEnabled(pControlCombo);
    BOOL bSelected = pControlCombo->GetSelected();
    BOOL bDropped = pControlCombo->GetDroppedState();
    CRect rcField(rc.left + pControlCombo->GetLabelWidth(), rc.top, rc.right, rc.bottom);
    CRect rcButton(rcField.right - pControlCombo->GetThumbWidth(), rcField.top, rcField.right, rcField.bottom);

    if (bEnabled)
    {
        Rectangle(pDC, CRect(rcField.left + 1, rc.top + 1, rcButton.left + 1, rc.bottom - 1), COLOR_WINDOW,
                  COLOR_WINDOW);
        if (bSelected)
        {
            Rectangle(pDC, rcField, XPCOLOR_HIGHLIGHT_BORDER, COLOR_WINDOW);
            DrawRectangle(pDC, rcButton, bSelected, bDropped, bEnabled, FALSE, FALSE,
                          pBar ? pBar->GetType() : xtpBarTypeNormal, pBar ? pBar->GetPosition() : xtpBarTop);
            rcButton.DeflateRect(1, 1);
        }
        else
        {
            rcButton.DeflateRect(1, 1);
            if (bPopupBar)
            {
                Draw3dRect(pDC, rcField, XPCOLOR_EDITCTRLBORDER, XPCOLOR_EDITCTRLBORDER);
                Rectangle(pDC, rcButton, COLOR_WINDOW, XPCOLOR_EDITCTRLBORDER);
            }
            else
            {
                Draw3dRect(pDC, rcButton, COLOR_WINDOW, COLOR_WINDOW);
            }
        }
    }
    else
    {
        int nFrame = IsKeyboardSelected(bSelected) ? XPCOLOR_HIGHLIGHT_BORDER : XPCOLOR_DISABLED;
        Rectangle(pDC, CRect(rcField.left + 1, rc.top, rc.right, rc.bottom), nFrame, COLOR_3DFACE);
        rcButton.DeflateRect(1, 1);
    }

    pControlCombo->DrawEditText(pDC, CRect(rcField.left + 3, rc.top + 1, rcButton.left, rc.bottom - 1));
    int nArrow = !bEnabled ? XPCOLOR_DISABLED
                 : bDropped ? XPCOLOR_PUSHED_TEXT
                 : bSelected ? XPCOLOR_HIGHLIGHT_TEXT
                             : XPCOLOR_TOOLBAR_TEXT;
    DrawDropDownArrow(pDC, rcButton, GetColor(nArrow));
    return CSize(0, 0);
}

CSize CXTPOfficeTheme::DrawListBoxControl(CDC* pDC, CXTPControl* pButton, CRect rc, BOOL bSelected, BOOL bEnabled,
                                          CXTPCommandBars* pCommandBars)
{
    CSize szIcon = GetListBoxIconSize(pCommandBars);
    int nCell = std::max((int)szIcon.cx + 4, m_nTextHeight + 4);
    CSize szRow(nCell, std::max((int)szIcon.cy + 6, m_nTextHeight));
    // Without a DC only the row height is asked for; without a control the
    // row is only filled.
    if (pDC == NULL)
        return szRow;
    pDC->FillSolidRect(rc, GetColor(XPCOLOR_MENUBAR_FACE));
    FillPopupBarGripper(pDC, 0, rc.top, nCell + 1, rc.Height(), FALSE);
    if (pButton == NULL)
        return szRow;

    XTPControlType type = pButton->GetType();
    XTPButtonStyle style = pButton->GetShownStyle();
    if (bSelected)
        DrawRectangle(pDC, rc, bSelected, FALSE, bEnabled, FALSE, FALSE, xtpBarTypePopup, xtpBarPopup);

    BOOL bIcon = style == xtpButtonIcon || style == xtpButtonIconAndCaption ||
                 (style == xtpButtonAutomatic && type != xtpControlPopup);
    CXTPImageManagerIcon* pImage = bIcon ? pButton->GetImage(szIcon.cx) : NULL;
    if (pImage != NULL)
    {
        CSize szImage = GetScaledImageSize(pImage, szIcon.cx);
        DrawImage(pDC, CenteredRect(CRect(rc.left, rc.top, rc.left + nCell, rc.bottom), szImage).TopLeft(), szImage,
                  pImage, bSelected, FALSE, bEnabled, FALSE, FALSE, FALSE);
    }

    COLORREF clrText = GetColor(bSelected ? XPCOLOR_HIGHLIGHT_TEXT : XPCOLOR_MENUBAR_TEXT);
    pDC->SetTextColor(clrText);
    pDC->SetBkMode(TRANSPARENT);
    CXTPFontDC font(pDC, &m_fontRegular);
    CString strCaption = pButton->GetCaption();
    StripMnemonics(strCaption);

    int yc = rc.CenterPoint().y;
    CRect rcCaption(rc.left + nCell + 8, rc.top, rc.right, rc.bottom);
    if (type == xtpControlPopup || type == xtpControlButtonPopup || type == xtpControlSplitButtonPopup)
    {
        rcCaption.right = rc.right - (type == xtpControlSplitButtonPopup ? 20 : 7);
        Triangle(pDC, CPoint(rc.right - 7, yc), CPoint(rc.right - 12, yc - 5), CPoint(rc.right - 12, yc + 5), clrText);
        if (type == xtpControlSplitButtonPopup)
            VerticalLine(pDC, rc.right - 20, rc.top + 1, rc.bottom - 1,
                         GetColor(bSelected ? XPCOLOR_HIGHLIGHT_BORDER : COLOR_3DSHADOW));
    }
    else if (type == xtpControlComboBox || type == xtpControlEdit)
    {
        int nCaption = pDC->GetTextExtent(strCaption).cx;
        CRect rcField(rc.left + nCell + nCaption + 13, rc.top, rc.right, rc.bottom);
        Rectangle(pDC, rcField, bSelected ? XPCOLOR_HIGHLIGHT_BORDER : COLOR_3DFACE, COLOR_WINDOW);
        if (type == xtpControlComboBox)
        {
            int nButton = pDC->GetTextExtent(_T(" ")).cy + 2;
            CRect rcButton(rcField.right - nButton, rcField.top, rcField.right, rcField.bottom);
            if (bSelected)
            {
                DrawRectangle(pDC, rcButton, bSelected, FALSE, bEnabled, FALSE, FALSE, xtpBarTypePopup, xtpBarPopup);
            }
            else
            {
                CRect rcInner = rcButton;
                rcInner.DeflateRect(2, 2);
                pDC->FillSolidRect(rcInner, GetColor(COLOR_3DFACE));
            }
            rcButton.DeflateRect(1, 1);
            DrawDropDownArrow(pDC, rcButton, GetColor(bSelected ? XPCOLOR_HIGHLIGHT_TEXT : XPCOLOR_TOOLBAR_TEXT));
        }
    }
    pDC->DrawText(strCaption, &rcCaption, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    return szRow;
}

void CXTPOfficeTheme::AdjustExcludeRect(CRect& rc, CXTPControl* pControl, BOOL bVertical)
{
    CXTPCommandBar* pBar = pControl->GetParent();
    if (pBar != NULL && pBar->GetType() == xtpBarTypePopup)
        rc.InflateRect(1, 0);
    else if (pControl->GetType() == xtpControlComboBox)
        return;
    else if ((pBar != NULL && (pBar->GetStyle() & 0x200000) != 0 && pBar->GetPosition() == xtpBarPopup) || !bVertical)
        rc.DeflateRect(0, 1);
    else
        rc.DeflateRect(1, 0);
}

//////////////////////////////////////////////////////////////////////////
// Bars

void CXTPOfficeTheme::FillPopupJoin(CDC* pDC, CXTPCommandBar* pBar, COLORREF clr)
{
    if (pBar == NULL || !pBar->IsPopupBar() || pBar->GetSafeHwnd() == NULL)
        return;
    CXTPControlPopup* pControl = ((CXTPPopupBar*)pBar)->GetControlPopup();
    if (pControl == NULL)
        return;
    CXTPCommandBar* pParent = pControl->GetParent();
    if (pParent == NULL || pParent->GetType() == xtpBarTypePopup || pParent->GetSafeHwnd() == NULL)
        return;

    CRect rcControl = pControl->GetRect();
    pParent->ClientToScreen(&rcControl);
    CXTPWindowRect rcPopup(pBar);
    CRect rcJoin;
    if (!rcJoin.IntersectRect(rcControl, rcPopup))
        return;
    pBar->ScreenToClient(&rcJoin);
    if (rcJoin.Width() > 1)
        rcJoin.DeflateRect(1, 0);
    if (rcJoin.Height() > 1)
        rcJoin.DeflateRect(0, 1);
    pDC->FillSolidRect(rcJoin, clr);
}

void CXTPOfficeTheme::FillCommandBar(CDC* pDC, CXTPCommandBar* pBar)
{
    CXTPClientRect rc(pBar);
    int w = rc.Width(), h = rc.Height();
    switch (pBar->GetPosition())
    {
    case xtpBarFloating:
    {
        int nBack = pBar->GetType() == xtpBarTypePopup ? XPCOLOR_MENUBAR_FACE
                    : IsFlatToolBar(pBar)              ? COLOR_3DFACE
                                                       : XPCOLOR_TOOLBAR_FACE;
        Draw3dRect(pDC, rc, XPCOLOR_FLOATBAR_BORDER, XPCOLOR_FLOATBAR_BORDER);
        CRect rcInner = rc;
        rcInner.DeflateRect(1, 1);
        pDC->FillSolidRect(rcInner, GetColor(nBack));
        Draw3dRect(pDC, rcInner, XPCOLOR_FLOATBAR_BORDER, XPCOLOR_FLOATBAR_BORDER);
        COLORREF clrBorder = GetColor(XPCOLOR_FLOATBAR_BORDER);
        pDC->SetPixel(2, 2, clrBorder);
        pDC->SetPixel(w - 3, 2, clrBorder);
        pDC->SetPixel(2, h - 3, clrBorder);
        pDC->SetPixel(w - 3, h - 3, clrBorder);
        break;
    }
    case xtpBarPopup:
        Rectangle(pDC, rc, XPCOLOR_MENUBAR_BORDER, XPCOLOR_MENUBAR_FACE);
        FillPopupJoin(pDC, pBar, GetColor(XPCOLOR_TOOLBAR_FACE));
        break;
    default:
        if (!IsFlatToolBar(pBar))
        {
            pDC->FillSolidRect(rc, GetColor(XPCOLOR_TOOLBAR_FACE));
            Draw3dRect(pDC, rc, COLOR_3DFACE, COLOR_3DFACE);
            COLORREF clrFace = GetColor(COLOR_3DFACE);
            pDC->SetPixel(1, 1, clrFace);
            pDC->SetPixel(w - 2, 1, clrFace);
            pDC->SetPixel(1, h - 2, clrFace);
            pDC->SetPixel(w - 2, h - 2, clrFace);
        }
        else
        {
            pDC->FillSolidRect(rc, GetColor(COLOR_3DFACE));
        }
        break;
    }
}

CSize CXTPOfficeTheme::DrawCommandBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw)
{
    if (pBar->IsDialogBar())
        return DrawDialogBarGripper(pDC, pBar, bDraw);

    CXTPClientRect rc(pBar);
    int nPosition = pBar->GetPosition();
    if (pBar->GetType() == xtpBarTypePopup && nPosition == xtpBarPopup)
    {
        if (bDraw && pDC != NULL)
        {
            CRect rcBorders = pBar->GetBorders();
            FillPopupBarGripper(pDC, rcBorders.left - 1, rcBorders.top, GetPopupBarGripperWidth(pBar),
                                rc.Height() - rcBorders.top - rcBorders.bottom, FALSE);
        }
        return CSize(0, 0);
    }
    if (nPosition == xtpBarFloating)
    {
        CSize sz = CXTPPaintManager::DrawCommandBarGripper(pDC, pBar, bDraw);
        if (bDraw && pDC != NULL && pBar->GetType() == xtpBarTypePopup && pBar->GetShowGripper())
        {
            CRect rcBorders = pBar->GetBorders();
            FillPopupBarGripper(pDC, rcBorders.left - 1, rcBorders.top, GetPopupBarGripperWidth(pBar),
                                rc.Height() - rcBorders.top - rcBorders.bottom, FALSE);
        }
        return sz;
    }
    if (nPosition == xtpBarLeft || nPosition == xtpBarRight)
    {
        if (bDraw && pDC != NULL)
        {
            for (int x = 5; x < rc.Width() - 5; x += 2)
                VerticalLine(pDC, x, 3, 6, GetColor(XPCOLOR_TOOLBAR_GRIPPER));
        }
        return CSize(0, 8);
    }
    if (nPosition == xtpBarTop || nPosition == xtpBarBottom)
    {
        if (bDraw && pDC != NULL)
        {
            for (int y = 5; y < rc.Height() - 5; y += 2)
                HorizontalLine(pDC, 3, y, 6, GetColor(XPCOLOR_TOOLBAR_GRIPPER));
        }
        return CSize(6, 0);
    }
    return CSize(0, 0);
}

CSize CXTPOfficeTheme::DrawCommandBarSeparator(CDC* pDC, CXTPCommandBar* pBar, CXTPControl* pControl, BOOL bDraw)
{
    BOOL bPopup = pBar->GetType() == xtpBarTypePopup;
    if (!bDraw || pDC == NULL || pControl == NULL)
        return bPopup ? CSize(3, 3) : CSize(6, 6);

    CRect C = pControl->GetRect();
    CRect R = pControl->GetRowRect();
    BOOL bWrap = pControl->GetWrap();
    COLORREF clr = GetColor(XPCOLOR_SEPARATOR);
    if (bPopup)
    {
        if (bWrap)
            VerticalLine(pDC, C.left - 2, R.top - 1, R.bottom + 1, clr);
        else
            HorizontalLine(pDC, GetPopupBarGripperWidth(pBar) + m_nPopupBarTextPadding + C.left - 1, C.top - 2,
                           C.right + 1, clr);
    }
    else if (IsVerticalBar(pBar))
    {
        if (bWrap)
            VerticalLine(pDC, R.right + 2, R.top + 4, R.bottom, clr);
        else
            HorizontalLine(pDC, R.left, C.top - 4, R.right, clr);
    }
    else
    {
        if (bWrap)
            HorizontalLine(pDC, R.left, R.top - 4, R.right, clr);
        else
            VerticalLine(pDC, C.left - 4, R.top, R.bottom, clr);
    }
    return CSize(0, 0);
}
} // namespace XTPPaintThemes
