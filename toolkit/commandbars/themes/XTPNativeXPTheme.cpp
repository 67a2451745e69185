// The native visual-styles command-bar theme.
#include "XTPNativeXPTheme.h"

#include <algorithm>

#include "XTPCommandBar.h"
#include "XTPControl.h"
#include "XTPControlEdit.h"
#include "XTPDockBar.h"
#include "XTPDrawHelpers.h"

namespace XTPPaintThemes
{
namespace
{
// Published parts, states and properties of the visual styles.
enum
{
    kRebarBackground = 0,
    kRebarGripper = 1,
    kRebarGripperVert = 2,
    kRebarBand = 3,
    kToolbarBackground = 0,
    kToolbarButton = 1,
    kToolbarSplitButton = 3,
    kToolbarSplitDropDown = 4,
    kToolbarSeparator = 5,
    kToolbarSeparatorVert = 6,
    kComboDropDown = 1,
    kWindowSmallCaption = 2,
    kWindowFrameLeft = 10,
    kWindowFrameRight = 11,
    kWindowFrameBottom = 12,
    kSpinUp = 1,
    kSpinDown = 2,
    kStateNormal = 1,
    kStateHot = 2,
    kStatePressed = 3,
    kStateDisabled = 4,
    kStateChecked = 5,
    kStateHotChecked = 6,
    kPropBorderColor = 3801,
    kPropTextColor = 3803,
    kPropEdgeHighlight = 3805,
    kPropEdgeShadow = 3806,
    kSysBoolFlatMenus = 1001
};

const UINT kSpiGetFlatMenu = 0x1022;

void DrawPart(CXTPWinThemeWrapper& theme, CDC* pDC, int nPart, int nState, const CRect& rc,
              const RECT* pClip = NULL)
{
    theme.DrawThemeBackground(pDC->GetSafeHdc(), nPart, nState, &rc, pClip);
}
} // namespace

CXTPNativeXPTheme::CXTPNativeXPTheme()
    : m_clrEdgeShadowColor(0)
    , m_clrEdgeHighLightColor(0)
    , m_bFlatMenus(TRUE)
{
    m_iconsInfo.bUseFadedIcons = TRUE;
    m_iconsInfo.bIconsWithShadow = FALSE;
    m_nMenuTextColor = COLOR_MENUTEXT;
    m_bThemedStatusBar = TRUE;
    m_bThemedCheckBox = TRUE;
}

CXTPNativeXPTheme::~CXTPNativeXPTheme()
{
    m_themeRebar.CloseThemeData();
    m_themeToolbar.CloseThemeData();
    m_themeComboBox.CloseThemeData();
    m_themeWindow.CloseThemeData();
    m_themeSpin.CloseThemeData();
}

int CXTPNativeXPTheme::BaseTheme()
{
    return xtpThemeNativeWinXP;
}

BOOL CXTPNativeXPTheme::IsThemed()
{
    return m_themeRebar.IsAppThemed() && m_themeToolbar.IsAppThemed();
}

void CXTPNativeXPTheme::RefreshMetrics()
{
    CXTPDefaultTheme::RefreshMetrics();

    CWnd* pMainWnd = AfxGetMainWnd();
    HWND hWnd = pMainWnd != NULL ? pMainWnd->GetSafeHwnd() : NULL;
    m_themeRebar.OpenThemeData(hWnd, L"REBAR");
    m_themeToolbar.OpenThemeData(hWnd, L"TOOLBAR");
    m_themeComboBox.OpenThemeData(hWnd, L"COMBOBOX");
    m_themeWindow.OpenThemeData(hWnd, L"WINDOW");
    m_themeSpin.OpenThemeData(hWnd, L"SPIN");

    m_bFlatMenus = TRUE;
    if (!::SystemParametersInfo(kSpiGetFlatMenu, 0, &m_bFlatMenus, 0))
        m_bFlatMenus = FALSE;

    COLORREF clr = 0;
    if (m_themeRebar.IsAppThemed() && SUCCEEDED(m_themeRebar.GetThemeColor(kRebarBand, 0, kPropEdgeShadow, &clr)))
        m_clrEdgeShadowColor = clr;
    else
        m_clrEdgeShadowColor = GetColor(COLOR_3DSHADOW);
    if (m_themeRebar.IsAppThemed() && SUCCEEDED(m_themeRebar.GetThemeColor(kRebarBand, 0, kPropEdgeHighlight, &clr)))
        m_clrEdgeHighLightColor = clr;
    else
        m_clrEdgeHighLightColor = GetColor(COLOR_BTNHIGHLIGHT);

    if (m_themeToolbar.IsAppThemed() &&
        SUCCEEDED(m_themeToolbar.GetThemeColor(kToolbarBackground, 0, kPropTextColor, &clr)))
        m_arrColor[COLOR_BTNTEXT].SetStandardValue(clr);

    if (!m_bFlatMenus && m_themeRebar.IsAppThemed())
        m_bFlatMenus = m_themeRebar.GetThemeSysBool(kSysBoolFlatMenus);
    if (!m_bFlatMenus)
        m_arrColor[COLOR_MENUHILIGHT].SetStandardValue(GetColor(COLOR_HIGHLIGHT));
}

//////////////////////////////////////////////////////////////////////////
// Controls

void CXTPNativeXPTheme::DrawRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                                      BOOL bChecked, BOOL bPopuped, int barType, int barPosition)
{
    if (!IsThemed())
    {
        CXTPDefaultTheme::DrawRectangle(pDC, rc, bSelected, bPressed, bEnabled, bChecked, bPopuped, barType,
                                        barPosition);
        return;
    }
    if (barType == xtpBarTypePopup && bChecked <= 0)
    {
        if (bSelected || bPressed)
            Rectangle(pDC, rc, COLOR_HIGHLIGHT, COLOR_MENUHILIGHT);
        return;
    }

    // A checked value of 2 (indeterminate) counts as not checked.
    BOOL bCheckedState = bChecked > 0 && bChecked != 2;
    int nState;
    if (!bEnabled)
        nState = bChecked > 0 ? kStatePressed : kStateDisabled;
    else if (bPopuped)
        nState = kStatePressed;
    else if (bCheckedState && !bPressed)
        nState = bSelected ? kStateHotChecked : kStateChecked;
    else if (IsKeyboardSelected(bPressed) || (bSelected && bPressed))
        nState = kStatePressed;
    else
        nState = bSelected ? kStateHot : kStateNormal;
    DrawPart(m_themeToolbar, pDC, kToolbarButton, nState, rc);
}

void CXTPNativeXPTheme::DrawSplitButtonFrame(CDC* pDC, CXTPControl* pButton, CRect rcButton)
{
    if (!IsThemed())
    {
        CXTPDefaultTheme::DrawSplitButtonFrame(pDC, pButton, rcButton);
        return;
    }
    BOOL bSelected = pButton->GetSelected(), bPressed = pButton->GetPressed(), bPopuped = pButton->GetPopuped();
    int nEnabled = pButton->GetEnabled();
    int nChecked = pButton->GetChecked();

    // The parts lie where the hit test finds them: the right 12 pixels, or,
    // with the caption below the icon, the caption strip (its left side on
    // a vertical bar), which draws its own drop-down glyph.
    const BOOL bCaptionBelow = pButton->GetShownStyle() == xtpButtonIconAndCaptionBelow;
    CRect rcCommand = rcButton, rcDropDown = rcButton;
    if (!bCaptionBelow)
    {
        rcCommand.right -= 12;
        rcDropDown.left = rcDropDown.right - 12;
    }
    else
    {
        const int nStrip = 2 * m_nTextHeight - 17;
        if (IsVerticalBar(pButton->GetParent()))
        {
            rcCommand.left += nStrip;
            rcDropDown.right = rcDropDown.left + nStrip;
        }
        else
        {
            rcCommand.bottom -= nStrip;
            rcDropDown.top = rcDropDown.bottom - nStrip;
        }
    }

    int nState;
    if (!nEnabled)
        nState = kStateDisabled;
    else if (bSelected && bPressed)
        nState = kStatePressed;
    else if (nChecked > 0)
        nState = kStateChecked;
    else if (bPopuped || bSelected)
        nState = kStateHot;
    else
        nState = kStateNormal;
    DrawPart(m_themeToolbar, pDC, kToolbarSplitButton, nState, rcCommand);

    int nDropDownState = nEnabled == 3 ? kStateDisabled : bPopuped ? kStatePressed : nState;
    // The style's drop-down part holds an arrow: below a caption that has
    // one already, the strip is drawn as a plain button part.
    DrawPart(m_themeToolbar, pDC, bCaptionBelow ? kToolbarButton : kToolbarSplitDropDown, nDropDownState, rcDropDown);
}

BOOL CXTPNativeXPTheme::IsFlatMenuBarItem(CXTPControl* pButton)
{
    CXTPCommandBar* pBar = pButton->GetParent();
    return IsThemed() && pBar != NULL && pButton->GetType() == xtpControlPopup &&
           pBar->GetType() == xtpBarTypeMenuBar && IsFlatToolBar(pBar) && pBar->GetPosition() != xtpBarPopup;
}

void CXTPNativeXPTheme::DrawControlEntry(CDC* pDC, CXTPControl* pButton)
{
    if (!IsFlatMenuBarItem(pButton))
    {
        CXTPPaintManager::DrawControlEntry(pDC, pButton);
        return;
    }
    if (pButton->GetSelected() || pButton->GetPopuped() || pButton->GetPressed())
        pDC->FillSolidRect(pButton->GetRect(), GetColor(COLOR_HIGHLIGHT));
}

COLORREF CXTPNativeXPTheme::GetControlTextColor(CXTPControl* pButton)
{
    if (IsFlatMenuBarItem(pButton) && (pButton->GetSelected() || pButton->GetPopuped() || pButton->GetPressed()))
        return GetColor(COLOR_HIGHLIGHTTEXT);
    return CXTPPaintManager::GetControlTextColor(pButton);
}

void CXTPNativeXPTheme::AdjustExcludeRect(CRect& rc, CXTPControl* pControl, BOOL bVertical)
{
    if (!IsThemed())
    {
        CXTPDefaultTheme::AdjustExcludeRect(rc, pControl, bVertical);
        return;
    }
    if (pControl->GetType() == xtpControlComboBox)
        return;
    CXTPCommandBar* pBar = pControl->GetParent();
    if (pBar != NULL && pBar->GetType() == xtpBarTypePopup)
        rc.InflateRect(-3, 3);
}

CSize CXTPNativeXPTheme::DrawExpandOrHideButton(CDC* pDC, int nKind, CXTPControl* pButton, CXTPCommandBar* pBar,
                                                BOOL bDraw, LPVOID lpParam)
{
    if ((nKind == 2 || nKind == 3) && m_themeToolbar.IsAppThemed())
        return CXTPPaintManager::DrawExpandOrHideButton(pDC, nKind, pButton, pBar, bDraw, lpParam);
    return CXTPDefaultTheme::DrawExpandOrHideButton(pDC, nKind, pButton, pBar, bDraw, lpParam);
}

void CXTPNativeXPTheme::DrawControlEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected)
{
    if (!m_themeComboBox.IsAppThemed())
    {
        CXTPDefaultTheme::DrawControlEditFrame(pDC, rc, bEnabled, bSelected);
        return;
    }
    COLORREF clrBorder = 0;
    if (FAILED(m_themeComboBox.GetThemeColor(kComboDropDown, bEnabled ? kStateNormal : kStateDisabled,
                                             kPropBorderColor, &clrBorder)))
        clrBorder = GetColor(COLOR_3DSHADOW);
    pDC->Draw3dRect(rc, clrBorder, clrBorder);
}

void CXTPNativeXPTheme::DrawControlComboBoxButton(CDC* pDC, CRect rcBtn, BOOL bEnabled, BOOL bSelected,
                                                  BOOL bDropped)
{
    if (!m_themeComboBox.IsAppThemed())
    {
        CXTPDefaultTheme::DrawControlComboBoxButton(pDC, rcBtn, bEnabled, bSelected, bDropped);
        return;
    }
    int nState = !bEnabled ? kStateDisabled : bDropped ? kStatePressed : bSelected ? kStateHot : kStateNormal;
    CRect rc(rcBtn.left - 2, rcBtn.top + 1, rcBtn.right - 1, rcBtn.bottom - 1);
    DrawPart(m_themeComboBox, pDC, kComboDropDown, nState, rc);
}

void CXTPNativeXPTheme::DrawEditSpinButtons(CDC* pDC, CXTPControlEdit* pControlEdit)
{
    if (!IsThemed())
    {
        CXTPDefaultTheme::DrawEditSpinButtons(pDC, pControlEdit);
        return;
    }
    CRect rcSpin = pControlEdit->GetSpinButtonsRect();
    if (rcSpin.IsRectEmpty())
        return;
    BOOL bEnabled = IsControlEnabled(pControlEdit);
    int nSelected = pControlEdit->GetSelected();
    int nPressed = pControlEdit->GetPressed();
    int m = rcSpin.CenterPoint().y;
    CRect rcUp(rcSpin.left, rcSpin.top, rcSpin.right, m);
    CRect rcDown(rcSpin.left, m, rcSpin.right, rcSpin.bottom);

    int nUp = !bEnabled                         ? kStateDisabled
              : nSelected == 3 && nPressed == 3 ? kStatePressed
              : nSelected == 3                  ? kStateHot
                                                : kStateNormal;
    int nDown = !bEnabled                         ? kStateDisabled
                : nSelected == 4 && nPressed == 4 ? kStatePressed
                : nSelected == 4                  ? kStateHot
                                                  : kStateNormal;
    DrawPart(m_themeSpin, pDC, kSpinUp, nUp, rcUp);
    DrawPart(m_themeSpin, pDC, kSpinDown, nDown, rcDown);
}

//////////////////////////////////////////////////////////////////////////
// Bars

void CXTPNativeXPTheme::FillRebarBackground(CDC* pDC, HWND hWnd, HWND hWndRelative)
{
    CRect rcClient;
    ::GetClientRect(hWnd, &rcClient);
    if (!IsThemed())
    {
        pDC->FillSolidRect(rcClient, GetColor(COLOR_3DFACE));
        return;
    }
    CRect rc = rcClient;
    if (hWndRelative != NULL && hWndRelative != hWnd)
    {
        ::GetWindowRect(hWndRelative, &rc);
        ::ScreenToClient(hWnd, (LPPOINT)&rc);
        ::ScreenToClient(hWnd, ((LPPOINT)&rc) + 1);
    }
    DrawPart(m_themeRebar, pDC, kRebarBackground, 0, rc, &rcClient);
}

void CXTPNativeXPTheme::FillCommandBar(CDC* pDC, CXTPCommandBar* pBar)
{
    if (!IsThemed())
    {
        CXTPDefaultTheme::FillCommandBar(pDC, pBar);
        return;
    }
    CXTPClientRect rc(pBar);
    int nPosition = pBar->GetPosition();

    if (nPosition == xtpBarPopup)
    {
        if (!m_bFlatMenus)
        {
            pDC->FillSolidRect(rc, GetColor(COLOR_MENU));
            Draw3dRect(pDC, rc, COLOR_3DFACE, COLOR_3DDKSHADOW);
            CRect rcInner = rc;
            rcInner.DeflateRect(1, 1);
            Draw3dRect(pDC, rcInner, COLOR_BTNHILIGHT, COLOR_3DSHADOW);
        }
        else
        {
            Rectangle(pDC, rc, COLOR_3DSHADOW, COLOR_MENU);
        }
        return;
    }

    if (nPosition == xtpBarFloating)
    {
        if (pBar->IsDialogBar())
        {
            CXTPDefaultTheme::FillCommandBar(pDC, pBar);
            return;
        }
        if (pBar->GetType() == xtpBarTypePopup)
        {
            pDC->FillSolidRect(rc, GetColor(COLOR_MENU));
        }
        else
        {
            pDC->FillSolidRect(rc, GetColor(COLOR_3DFACE));
            DrawPart(m_themeToolbar, pDC, kToolbarBackground, 0, rc);
        }
        DrawPart(m_themeWindow, pDC, kWindowFrameLeft, 1, CRect(rc.left, rc.top, rc.left + 3, rc.bottom));
        DrawPart(m_themeWindow, pDC, kWindowFrameRight, 1, CRect(rc.right - 3, rc.top, rc.right, rc.bottom));
        DrawPart(m_themeWindow, pDC, kWindowFrameBottom, 1, CRect(rc.left, rc.bottom - 3, rc.right, rc.bottom));
        return;
    }

    if (nPosition == xtpBarTop)
    {
        CWnd* pParent = pBar->GetParent();
        FillRebarBackground(pDC, pBar->GetSafeHwnd(), pParent != NULL ? pParent->GetSafeHwnd() : NULL);
    }
    else
    {
        pDC->FillSolidRect(rc, GetColor(COLOR_3DFACE));
    }
    DrawPart(m_themeRebar, pDC, kRebarBand, 0, rc);
    if (!IsFlatToolBar(pBar))
        pDC->Draw3dRect(rc, m_clrEdgeHighLightColor, m_clrEdgeShadowColor);
}

void CXTPNativeXPTheme::FillDockBar(CDC* pDC, CXTPDockBar* pBar)
{
    if (pBar->GetPosition() == xtpBarTop)
    {
        FillRebarBackground(pDC, pBar->GetSafeHwnd(), pBar->GetSafeHwnd());
        return;
    }
    CXTPClientRect rc(pBar);
    pDC->FillSolidRect(rc, GetColor(COLOR_3DFACE));
}

CSize CXTPNativeXPTheme::DrawCommandBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw)
{
    if (!IsThemed())
        return CXTPDefaultTheme::DrawCommandBarGripper(pDC, pBar, bDraw);
    if (pBar->IsDialogBar())
        return DrawDialogBarGripper(pDC, pBar, bDraw);

    CXTPClientRect rc(pBar);
    switch (pBar->GetPosition())
    {
    case xtpBarTop:
    case xtpBarBottom:
        if (bDraw && pDC != NULL)
            DrawPart(m_themeRebar, pDC, kRebarGripper, 1, CRect(rc.left + 2, rc.top, rc.left + 8, rc.bottom));
        return CSize(8, 0);
    case xtpBarLeft:
    case xtpBarRight:
        if (bDraw && pDC != NULL)
            DrawPart(m_themeRebar, pDC, kRebarGripperVert, 1, CRect(rc.left, rc.top + 2, rc.right, rc.top + 8));
        return CSize(0, 8);
    case xtpBarFloating:
    {
        int h = 0;
        {
            CWindowDC dcScreen(NULL);
            CDC* pMeasureDC = pDC != NULL ? pDC : &dcScreen;
            CXTPFontDC font(pMeasureDC, &m_fontSmCaption);
            h = pMeasureDC->GetTextExtent(_T(" "), 1).cy;
        }
        int nTitle = std::max(15, h);
        CRect rcTitle(0, 0, rc.Width(), nTitle + 3);
        if (bDraw && pDC != NULL)
        {
            CXTPFontDC font(pDC, &m_fontSmCaption);
            DrawPart(m_themeWindow, pDC, kWindowSmallCaption, 1, rcTitle);
            int nOldMode = pDC->SetBkMode(TRANSPARENT);
            pDC->SetTextColor(m_clrFloatingGripperText.GetColor());
            CRect rcText(5, 3, rc.Width() - 2 * rcTitle.Height() + 3, rcTitle.bottom);
            CString strTitle = pBar->GetTitle();
            pDC->DrawText(strTitle, rcText, 0x824);
            pDC->SetBkMode(nOldMode);
        }
        return CSize(rc.Width(), nTitle);
    }
    default:
        return CSize(0, 0);
    }
}

CSize CXTPNativeXPTheme::DrawDialogBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw)
{
    if (!IsThemed())
        return CXTPDefaultTheme::DrawDialogBarGripper(pDC, pBar, bDraw);
    int h = std::max(m_nTextHeight + 4, 22);
    if (bDraw && pDC != NULL)
        DrawPart(m_themeRebar, pDC, kRebarGripper, 1, CRect(2, 3, 8, h));
    return CSize(8, h);
}

CSize CXTPNativeXPTheme::DrawCommandBarSeparator(CDC* pDC, CXTPCommandBar* pBar, CXTPControl* pControl, BOOL bDraw)
{
    if (!IsThemed() || !bDraw || pDC == NULL || pControl == NULL || pBar->GetType() == xtpBarTypePopup ||
        pBar->GetPosition() == xtpBarPopup)
        return CXTPDefaultTheme::DrawCommandBarSeparator(pDC, pBar, pControl, bDraw);

    CRect C = pControl->GetRect();
    CRect R = pControl->GetRowRect();
    BOOL bWrap = pControl->GetWrap();
    int nPosition = pBar->GetPosition();
    BOOL bVertical = nPosition == xtpBarLeft || nPosition == xtpBarRight || nPosition == xtpBarPopup;
    if (bVertical && !bWrap)
        DrawPart(m_themeToolbar, pDC, kToolbarSeparatorVert, 0, CRect(R.left, C.top - 6, R.right, C.top));
    else if (bVertical)
        DrawPart(m_themeToolbar, pDC, kToolbarSeparator, 0, CRect(R.right, R.top + 4, R.right + 5, R.bottom));
    else if (bWrap)
        DrawPart(m_themeToolbar, pDC, kToolbarSeparatorVert, 0, CRect(R.left + 4, R.top - 5, R.right, R.top));
    else
        DrawPart(m_themeToolbar, pDC, kToolbarSeparator, 0, CRect(C.left - 6, R.top, C.left, R.bottom));
    return CSize(0, 0);
}
} // namespace XTPPaintThemes
