// Button themes.
#include "XTButtonTheme.h"

#include "XTButton.h"
#include "XTPDCHelpers.h"
#include "XTPDrawHelpers.h"

// Visual-styles part and states of a push button.
#define XT_BP_PUSHBUTTON 1
#define XT_PBS_NORMAL 1
#define XT_PBS_HOT 2
#define XT_PBS_PRESSED 3
#define XT_PBS_DISABLED 4
#define XT_PBS_DEFAULTED 5

/////////////////////////////////////////////////////////////////////////////
// CXTButtonTheme

CXTButtonTheme::CXTButtonTheme() : m_bShowImage(TRUE), m_bOffsetHiliteText(TRUE), m_pFont(NULL)
{
    m_nTheme = xtThemeDefault;
}

CXTButtonTheme::~CXTButtonTheme()
{
}

void CXTButtonTheme::RefreshMetrics()
{
    CXTThemeManagerStyle::RefreshMetrics();
    m_crBack.SetStandardValue(GetXTPSysColor(COLOR_3DFACE));
    m_crText.SetStandardValue(GetXTPSysColor(COLOR_BTNTEXT));
    m_crTextDisabled.SetStandardValue(GetXTPSysColor(COLOR_GRAYTEXT));
    m_crBorderHilite.SetStandardValue(GetXTPSysColor(COLOR_3DFACE));
    m_crBorderShadow.SetStandardValue(GetXTPSysColor(COLOR_3DSHADOW));
    m_crBorder3DHilite.SetStandardValue(GetXTPSysColor(COLOR_3DHIGHLIGHT));
    m_crBorder3DShadow.SetStandardValue(GetXTPSysColor(COLOR_3DDKSHADOW));
}

BOOL CXTButtonTheme::UseHotTracking(CXTButton* pButton)
{
    if (UseVisualStyles(pButton))
        return TRUE;
    return pButton != NULL && (pButton->GetStyleFlags() & (BS_XT_FLAT | BS_XT_SEMIFLAT)) != 0;
}

BOOL CXTButtonTheme::UseVisualStyles(CXTButton* pButton)
{
    if (pButton == NULL || (pButton->GetStyleFlags() & BS_XT_WINXP_COMPAT) == 0)
        return FALSE;
    if (!m_themeButton.IsValid())
        m_themeButton.OpenThemeData(pButton->GetSafeHwnd(), L"BUTTON");
    return m_themeButton.IsAppThemeReady() && m_themeButton.IsValid();
}

BOOL CXTButtonTheme::GetShowImage()
{
    return m_bShowImage;
}

void CXTButtonTheme::SetShowImage(BOOL bShowImage)
{
    m_bShowImage = bShowImage;
}

CFont* CXTButtonTheme::GetFont(CXTButton* pButton)
{
    if (m_pFont != NULL && m_pFont->GetSafeHandle() != NULL)
        return m_pFont;
    return pButton != NULL && ::IsWindow(pButton->GetSafeHwnd()) ? pButton->GetFont() : NULL;
}

void CXTButtonTheme::SetFont(CFont* pFont)
{
    if (pFont != NULL && pFont->GetSafeHandle() != NULL)
        m_pFont = pFont;
}

void CXTButtonTheme::SetColors(COLORREF clrFace, COLORREF clrHilite, COLORREF clrShadow, COLORREF clrText)
{
    SetBackColor(clrFace);
    SetTextColor(clrText);
    SetHiliteColor(clrHilite);
    SetShadowColor(clrShadow);
}

void CXTButtonTheme::SetBackColor(COLORREF clrFace)
{
    m_crBack.SetCustomValue(clrFace);
}

COLORREF CXTButtonTheme::GetBackColor()
{
    return m_crBack;
}

void CXTButtonTheme::SetHiliteColor(COLORREF clrHilite)
{
    m_crBorderHilite.SetCustomValue(clrHilite);
}

void CXTButtonTheme::SetShadowColor(COLORREF clrShadow)
{
    m_crBorderShadow.SetCustomValue(clrShadow);
}

void CXTButtonTheme::SetTextColor(COLORREF clrText)
{
    m_crText.SetCustomValue(clrText);
}

void CXTButtonTheme::CalcCenterPoint(CPoint& ptCenter, int cx, int cy, CXTButton* pButton)
{
    CRect rcClient;
    pButton->GetClientRect(&rcClient);
    if (pButton->GetStyleFlags() & BS_XT_TWOROWS)
        ptCenter.x = (rcClient.Width() - cx) / 2 < 0 ? 0 : (rcClient.Width() - cx) / 2;
    else
        ptCenter.x = pButton->GetBorderGap();
    ptCenter.y = (rcClient.Height() - cy) / 2 < 0 ? 0 : (rcClient.Height() - cy) / 2;
}

void CXTButtonTheme::CalcTextPoint(CPoint& ptText, UINT /*nState*/, CRect rcItem, CSize sizeText,
                                   CXTButton* pButton)
{
    const CRect rcFull = rcItem;
    rcItem.DeflateRect(2, 0);
    if (pButton->IsUserPosition())
    {
        ptText = pButton->GetTextPoint();
        return;
    }

    const CSize sizeImage = pButton->GetImageSize();
    const BOOL bTwoRows = (pButton->GetStyleFlags() & BS_XT_TWOROWS) != 0;
    const int nMargin = pButton->GetBorderGap();

    CalcCenterPoint(ptText, sizeText.cx, sizeText.cy, pButton);
    ptText.x = nMargin;
    if (bTwoRows)
        ptText.y += pButton->GetImageGap() / 2 + sizeImage.cy / 2;

    switch (pButton->GetStyle() & BS_CENTER)
    {
    case BS_LEFT:
        if (!bTwoRows)
            ptText.x += sizeImage.cx + pButton->GetImageGap();
        break;
    case BS_RIGHT:
        ptText.x = rcFull.right - nMargin - sizeText.cx;
        break;
    default:
        if (!bTwoRows)
            ptText.x += sizeImage.cx;
        ptText.x += (rcItem.right - nMargin - sizeText.cx - ptText.x) / 2;
        break;
    }
}

COLORREF CXTButtonTheme::GetTextColor(UINT nState, CXTButton* /*pButton*/)
{
    return (nState & ODS_DISABLED) ? m_crTextDisabled : m_crText;
}

CString AFX_CDECL CXTButtonTheme::GetStrippedText(CXTButton* pButton)
{
    CString strText;
    pButton->GetButtonText(strText, TRUE);
    return strText;
}

void CXTButtonTheme::DrawButtonText(CDC* pDC, UINT nState, CRect& rcItem, CXTButton* pButton)
{
    DrawButtonTextImpl(pDC, nState, rcItem, pButton, TRUE);
}

void CXTButtonTheme::DrawButtonTextImpl(CDC* pDC, UINT nState, CRect& rcItem, CXTButton* pButton,
                                        BOOL bMeasureStripped)
{
    CString strText;
    pButton->GetButtonText(strText, FALSE);
    if (strText.IsEmpty())
        return;
    CString strStripped = strText;
    CXTPDrawHelpers::StripMnemonics(strStripped);

    CXTPFontDC fontDC(pDC, GetFont(pButton));
    const CSize sizeText = pDC->GetTextExtent(bMeasureStripped ? strStripped : strText);

    CPoint ptText;
    CalcTextPoint(ptText, nState, rcItem, sizeText, pButton);
    if (IsPushed(nState) && m_bOffsetHiliteText)
        ptText.Offset(1, 1);

    const COLORREF clrOldText = pDC->SetTextColor(GetTextColor(nState, pButton));
    const UINT nOldAlign = pDC->SetTextAlign(TA_LEFT | TA_TOP);
    // The markers draw the mnemonic underline unless the system hides
    // keyboard cues for this draw.
    // The stripped text is drawn as it is, so that a "&&" left as "&" shows.
    const BOOL bNoAccel = (nState & ODS_NOACCEL) != 0;
    pDC->DrawState(ptText, sizeText, (LPCTSTR)(bNoAccel ? strStripped : strText), DSS_NORMAL, !bNoAccel, 0,
                   (HBRUSH)NULL);
    pDC->SetTextAlign(nOldAlign);
    pDC->SetTextColor(clrOldText);
}

void CXTButtonTheme::CalcImagePoint(CPoint& ptImage, CDC* pDC, UINT /*nState*/, CRect& rcItem, BOOL /*bHasIcon*/,
                                    CXTButton* pButton)
{
    const CString strText = GetStrippedText(pButton);
    CSize sizeText(0, 0);
    if (!strText.IsEmpty())
    {
        CXTPFontDC fontDC(pDC, GetFont(pButton));
        sizeText = pDC->GetTextExtent(strText);
    }

    if (pButton->IsUserPosition())
    {
        ptImage = pButton->GetImagePoint();
        return;
    }

    const CSize sizeImage = pButton->GetImageSize();
    const int nMargin = pButton->GetBorderGap();
    const DWORD dwStyle = pButton->GetStyle();
    CalcCenterPoint(ptImage, sizeImage.cx, sizeImage.cy, pButton);
    ptImage.x = nMargin;

    if (pButton->GetStyleFlags() & BS_XT_TWOROWS)
    {
        if (!strText.IsEmpty())
            ptImage.y -= sizeText.cy / 2 + pButton->GetImageGap() / 2;
        switch (dwStyle & BS_CENTER)
        {
        case BS_LEFT:
            break;
        case BS_RIGHT:
            ptImage.x = rcItem.right - sizeImage.cx - nMargin;
            break;
        default:
            ptImage.x = rcItem.left + (rcItem.Width() - sizeImage.cx) / 2;
            if (ptImage.x < rcItem.left)
                ptImage.x = rcItem.left;
            break;
        }
    }
    else if (strText.IsEmpty())
    {
        if ((dwStyle & BS_CENTER) == BS_CENTER && rcItem.Width() >= sizeImage.cx)
            ptImage.x = (rcItem.Width() - sizeImage.cx) / 2;
        if ((dwStyle & BS_VCENTER) == BS_VCENTER && rcItem.Height() >= sizeImage.cy)
            ptImage.y = (rcItem.Height() - sizeImage.cy) / 2;
    }
}

void CXTButtonTheme::DrawButtonIcon(CDC* pDC, UINT nState, CRect& rcItem, CXTButton* pButton)
{
    CXTPImageManagerIcon* pIcon = pButton->GetIcon();
    if (!m_bShowImage || pIcon == NULL)
        return;

    CPoint ptImage;
    CalcImagePoint(ptImage, pDC, nState, rcItem, TRUE, pButton);
    if (IsPushed(nState))
        ptImage.Offset(1, 1);

    CXTPImageManagerIconHandle* pImage;
    if (nState & ODS_DISABLED)
        pImage = &pIcon->GetDisabledIcon();
    else if (IsPushed(nState))
        pImage = &pIcon->GetPressedIcon();
    else if (pButton->IsHot())
        pImage = &pIcon->GetHotIcon();
    else
        pImage = &pIcon->GetIcon();
    pIcon->Draw(pDC, ptImage, *pImage, pButton->m_sizeImage);
}

void CXTButtonTheme::DrawItem(LPDRAWITEMSTRUCT lpDIS, CXTButton* pButton)
{
    DrawItemImpl(lpDIS, pButton, focusOnFocusChange);
}

void CXTButtonTheme::DrawItemImpl(LPDRAWITEMSTRUCT lpDIS, CXTButton* pButton, FocusRule nFocusRule)
{
    if (lpDIS == NULL || pButton == NULL)
        return;
    if (!DrawVisualStylesBackground(lpDIS, pButton))
        DrawButtonBackground(lpDIS, pButton);

    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect rcItem = lpDIS->rcItem;
    const int nOldBkMode = pDC->SetBkMode(TRANSPARENT);

    DrawButtonText(pDC, lpDIS->itemState, rcItem, pButton);
    DrawButtonIcon(pDC, lpDIS->itemState, rcItem, pButton);

    const BOOL bDraw = nFocusRule == focusWhileFocused
                           ? (lpDIS->itemState & ODS_FOCUS) != 0
                           : (pButton->GetStyleFlags() & BS_XT_SHOWFOCUS) && (lpDIS->itemAction & ODA_FOCUS) != 0;
    if (bDraw)
        DrawFocusRect(pDC, lpDIS->itemState, rcItem, pButton);
    pDC->SetBkMode(nOldBkMode);
}

int AFX_CDECL CXTButtonTheme::GetVisualStyleState(UINT nState, CXTButton* pButton, BOOL bCheckedIsPushed)
{
    if (nState & ODS_DISABLED)
        return XT_PBS_DISABLED;
    if (IsPushed(nState) || (bCheckedIsPushed && (nState & ODS_CHECKED)))
        return XT_PBS_PRESSED;
    if (pButton->IsHot())
        return XT_PBS_HOT;
    if (nState & ODS_FOCUS)
        return XT_PBS_DEFAULTED;
    return XT_PBS_NORMAL;
}

BOOL CXTButtonTheme::DrawVisualStylesBackground(LPDRAWITEMSTRUCT lpDIS, CXTButton* pButton)
{
    if (!UseVisualStyles(pButton))
        return FALSE;
    const int nState = GetVisualStyleState(lpDIS->itemState, pButton, FALSE);

    // The parent's button colour shows at the transparent corners.
    HBRUSH hBrush = NULL;
    HWND hWndParent = ::GetParent(pButton->GetSafeHwnd());
    if (hWndParent != NULL)
        hBrush = (HBRUSH)::SendMessage(hWndParent, WM_CTLCOLORBTN, (WPARAM)lpDIS->hDC, (LPARAM)pButton->GetSafeHwnd());
    if (hBrush != NULL)
        ::FillRect(lpDIS->hDC, &lpDIS->rcItem, hBrush);
    else
        CDC::FromHandle(lpDIS->hDC)->FillSolidRect(&lpDIS->rcItem, GetXTPSysColor(COLOR_3DFACE));

    return SUCCEEDED(m_themeButton.DrawThemeBackground(lpDIS->hDC, XT_BP_PUSHBUTTON, nState, &lpDIS->rcItem, NULL));
}

void CXTButtonTheme::DrawButtonBackground(LPDRAWITEMSTRUCT lpDIS, CXTButton* pButton)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect rcItem = lpDIS->rcItem;
    const UINT nState = lpDIS->itemState;
    const BOOL bPushed = IsPushed(nState);
    const BOOL bHot = pButton->IsHot();
    const DWORD dwFlags = pButton->GetStyleFlags();

    pDC->FillSolidRect(&rcItem, m_crBack);
    if ((dwFlags & BS_XT_HILITEPRESSED) && bPushed)
        XTPFillDitheredRect(pDC, &rcItem);

    if (dwFlags & BS_XT_FLAT)
    {
        if (bPushed)
            pDC->Draw3dRect(&rcItem, m_crBorderShadow, m_crBorder3DHilite);
        else if (bHot)
            pDC->Draw3dRect(&rcItem, m_crBorder3DHilite, m_crBorderShadow);
    }
    else if (dwFlags & BS_XT_SEMIFLAT)
    {
        if (bPushed)
            pDC->Draw3dRect(&rcItem, m_crBorderShadow, m_crBorder3DHilite);
        else
            pDC->Draw3dRect(&rcItem, m_crBorder3DHilite, m_crBorderShadow);
    }
    else
    {
        if (nState & ODS_FOCUS)
        {
            pDC->Draw3dRect(&rcItem, m_crBorder3DShadow, m_crBorder3DShadow);
            rcItem.DeflateRect(1, 1);
        }
        if (bPushed)
            pDC->Draw3dRect(&rcItem, m_crBorder3DShadow, m_crBorder3DHilite);
        else
            pDC->Draw3dRect(&rcItem, m_crBorder3DHilite, m_crBorder3DShadow);
        rcItem.DeflateRect(1, 1);
        if (bPushed)
            pDC->Draw3dRect(&rcItem, m_crBorderShadow, m_crBorderHilite);
        else
            pDC->Draw3dRect(&rcItem, m_crBorderHilite, m_crBorderShadow);
    }
}

void CXTButtonTheme::DrawFocusRect(CDC* pDC, UINT /*nState*/, CRect& rcItem, CXTButton* pButton)
{
    const COLORREF clrOld = pDC->SetTextColor(m_crText);
    CRect rcFocus = rcItem;
    const int nInset = (pButton->GetStyleFlags() & (BS_XT_FLAT | BS_XT_SEMIFLAT)) ? 2 : 4;
    rcFocus.DeflateRect(nInset, nInset);
    pDC->DrawFocusRect(&rcFocus);
    pDC->SetTextColor(clrOld);
}

/////////////////////////////////////////////////////////////////////////////
// CXTButtonThemeOfficeXP

CXTButtonThemeOfficeXP::CXTButtonThemeOfficeXP(BOOL bWordTheme)
    : m_bWordTheme(bWordTheme), m_bFadeIcon(TRUE), m_bShadowIcon(TRUE)
{
    m_nTheme = xtThemeOfficeXP;
    m_bOffsetHiliteText = FALSE;
}

void CXTButtonThemeOfficeXP::RefreshMetrics()
{
    CXTButtonTheme::RefreshMetrics();
    m_crBack.SetStandardValue(GetXTPSysColor(m_bWordTheme ? XPCOLOR_TOOLBAR_FACE : COLOR_3DFACE));
    m_crBackPushed.SetStandardValue(GetXTPSysColor(XPCOLOR_HIGHLIGHT_PUSHED));
    m_crBackHilite.SetStandardValue(GetXTPSysColor(XPCOLOR_HIGHLIGHT));
    m_crBorderShadow.SetStandardValue(GetXTPSysColor(COLOR_3DSHADOW));
    m_crBorderHilite.SetStandardValue(GetXTPSysColor(XPCOLOR_HIGHLIGHT_BORDER));
    m_crText.SetStandardValue(GetXTPSysColor(XPCOLOR_TOOLBAR_TEXT));
    m_crTextHilite.SetStandardValue(GetXTPSysColor(XPCOLOR_HIGHLIGHT_TEXT));
    m_crTextPushed.SetStandardValue(GetXTPSysColor(XPCOLOR_PUSHED_TEXT));
}

BOOL CXTButtonThemeOfficeXP::UseHotTracking(CXTButton* /*pButton*/)
{
    return TRUE;
}

COLORREF CXTButtonThemeOfficeXP::GetTextColor(UINT nState, CXTButton* pButton)
{
    if (nState & ODS_DISABLED)
        return GetXTPSysColor(COLOR_GRAYTEXT);
    if (pButton->IsHot())
        return m_crTextHilite;
    if (nState & ODS_SELECTED)
        return m_crTextPushed;
    return m_crText;
}

void CXTButtonThemeOfficeXP::DrawButtonBackground(LPDRAWITEMSTRUCT lpDIS, CXTButton* pButton)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const CRect rcItem = lpDIS->rcItem;
    const BOOL bPushed = IsPushed(lpDIS->itemState);

    if (!pButton->IsHot() && !bPushed)
    {
        pDC->FillSolidRect(&rcItem, m_crBack);
        if (m_bWordTheme)
            pDC->Draw3dRect(&rcItem, m_crBorderShadow, m_crBorderShadow);
        return;
    }
    pDC->FillSolidRect(&rcItem, bPushed ? m_crBackPushed : m_crBackHilite);
    pDC->Draw3dRect(&rcItem, m_crBorderHilite, m_crBorderHilite);
}

void CXTButtonThemeOfficeXP::DrawButtonIcon(CDC* pDC, UINT nState, CRect& rcItem, CXTButton* pButton)
{
    CXTPImageManagerIcon* pIcon = pButton->GetIcon();
    if (!m_bShowImage || pIcon == NULL)
        return;

    CPoint ptImage;
    CalcImagePoint(ptImage, pDC, nState, rcItem, TRUE, pButton);
    const CSize sizeImage = pButton->m_sizeImage;

    if (nState & ODS_DISABLED)
    {
        pIcon->Draw(pDC, ptImage, pIcon->GetDisabledIcon(), sizeImage);
    }
    else if (pButton->IsHot())
    {
        if (m_bShadowIcon)
        {
            pIcon->Draw(pDC, CPoint(ptImage.x + 1, ptImage.y + 1), pIcon->GetShadowIcon(), sizeImage);
            pIcon->Draw(pDC, CPoint(ptImage.x - 1, ptImage.y - 1), pIcon->GetHotIcon(), sizeImage);
        }
        else
        {
            pIcon->Draw(pDC, ptImage, pIcon->GetHotIcon(), sizeImage);
        }
    }
    else if (nState & ODS_SELECTED)
    {
        pIcon->Draw(pDC, ptImage, pIcon->GetPressedIcon(), sizeImage);
    }
    else
    {
        pIcon->Draw(pDC, ptImage, m_bFadeIcon ? pIcon->GetFadedIcon() : pIcon->GetIcon(), sizeImage);
    }
}

void CXTButtonThemeOfficeXP::DrawFocusRect(CDC* pDC, UINT nState, CRect& rcItem, CXTButton* pButton)
{
    if (m_bWordTheme && !pButton->IsHot() && !(nState & ODS_SELECTED) &&
        !(pButton->GetStyleFlags() & BS_XT_WINXP_COMPAT))
    {
        const COLORREF clrFrame = GetXTPSysColor(COLOR_HIGHLIGHT);
        CRect rcFrame = rcItem;
        pDC->Draw3dRect(&rcFrame, clrFrame, clrFrame);
        rcFrame.DeflateRect(1, 1);
        pDC->Draw3dRect(&rcFrame, clrFrame, clrFrame);
        return;
    }
    CXTButtonTheme::DrawFocusRect(pDC, nState, rcItem, pButton);
}

void CXTButtonThemeOfficeXP::InitOffice2003(BOOL bWordTheme)
{
    m_nTheme = xtThemeOffice2003;
    m_bWordTheme = bWordTheme;
    m_bOffsetHiliteText = FALSE;
    m_bFadeIcon = FALSE;
    m_bShadowIcon = FALSE;
}

void CXTButtonThemeOfficeXP::SetBorderMode(BOOL bWordTheme)
{
    m_bWordTheme = bWordTheme;
    RefreshMetrics();
}

void CXTButtonThemeOfficeXP::SetPushedBackColor(COLORREF clr)
{
    m_crBackPushed.SetCustomValue(clr);
}

void CXTButtonThemeOfficeXP::SetHotBackColor(COLORREF clr)
{
    m_crBackHilite.SetCustomValue(clr);
}

void CXTButtonThemeOfficeXP::SetPushedTextColor(COLORREF clr)
{
    m_crTextPushed.SetCustomValue(clr);
}

void CXTButtonThemeOfficeXP::SetHotTextColor(COLORREF clr)
{
    m_crTextHilite.SetCustomValue(clr);
}

/////////////////////////////////////////////////////////////////////////////
// CXTButtonThemeOffice2003

CXTButtonThemeOffice2003::CXTButtonThemeOffice2003(BOOL bWordTheme) : CXTButtonThemeOfficeXP(FALSE)
{
    InitOffice2003(bWordTheme);
}

void CXTButtonThemeOffice2003::RefreshMetrics()
{
    CXTButtonThemeOfficeXP::RefreshMetrics();
    m_crBack.SetStandardValue(GetXTPSysColor(COLOR_3DFACE));

    const int nScheme = GetColorManager()->GetCurrentSystemTheme();
    if (nScheme == xtpSystemThemeBlue || nScheme == xtpSystemThemeOlive || nScheme == xtpSystemThemeSilver)
    {
        m_crBackHilite.SetStandardValue(RGB(255, 238, 194));
        m_crBackPushed.SetStandardValue(RGB(254, 128, 62));
        m_crText.SetStandardValue(RGB(0, 0, 0));
        m_crTextHilite.SetStandardValue(RGB(0, 0, 0));
        m_crTextPushed.SetStandardValue(RGB(0, 0, 0));
        switch (nScheme)
        {
        case xtpSystemThemeBlue:
            m_crBack.SetStandardValue(RGB(169, 199, 240));
            m_crBorderShadow.SetStandardValue(RGB(127, 157, 185));
            m_crBorderHilite.SetStandardValue(RGB(0, 0, 128));
            break;
        case xtpSystemThemeOlive:
            m_crBack.SetStandardValue(RGB(197, 212, 159));
            m_crBorderShadow.SetStandardValue(RGB(164, 185, 127));
            m_crBorderHilite.SetStandardValue(RGB(63, 93, 56));
            break;
        default:
            // The silver border is the command bars' silver highlight border.
            m_crBack.SetStandardValue(RGB(192, 192, 211));
            m_crBorderShadow.SetStandardValue(RGB(165, 172, 178));
            m_crBorderHilite.SetStandardValue(RGB(75, 75, 111));
            break;
        }
    }
    if (!m_bWordTheme)
        m_crBack.SetStandardValue(GetXTPSysColor(COLOR_3DFACE));
}

void CXTButtonThemeOffice2003::DrawButtonBackground(LPDRAWITEMSTRUCT lpDIS, CXTButton* pButton)
{
    const BOOL bPushed = IsPushed(lpDIS->itemState);
    if (!pButton->IsHot() && !bPushed)
    {
        CXTButtonThemeOfficeXP::DrawButtonBackground(lpDIS, pButton);
        return;
    }
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const CRect rcItem = lpDIS->rcItem;
    XTPDrawHelpers()->GradientFill(pDC, &rcItem, GetColorManager()->GetGradientColor(bPushed ? 8 : 9), FALSE);
    pDC->Draw3dRect(&rcItem, m_crBorderHilite, m_crBorderHilite);
}

void CXTButtonThemeOffice2003::DrawButtonIcon(CDC* pDC, UINT nState, CRect& rcItem, CXTButton* pButton)
{
    CXTPImageManagerIcon* pIcon = pButton->GetIcon();
    if (!m_bShowImage || pIcon == NULL)
        return;
    CPoint ptImage;
    CalcImagePoint(ptImage, pDC, nState, rcItem, TRUE, pButton);
    CXTPImageManagerIconHandle& hImage = (nState & ODS_DISABLED) ? pIcon->GetDisabledIcon()
                                         : (nState & ODS_SELECTED) ? pIcon->GetPressedIcon()
                                                                   : pIcon->GetIcon();
    pIcon->Draw(pDC, ptImage, hImage, pButton->m_sizeImage);
}

/////////////////////////////////////////////////////////////////////////////
// CXTButtonThemeFactory

IMPLEMENT_DYNCREATE(CXTButtonThemeFactory, CXTThemeManagerStyleFactory)

CXTThemeManagerStyle* CXTButtonThemeFactory::CreateTheme(int nTheme)
{
    return CreateButtonThemeOf<CXTButtonTheme, CXTButtonThemeOfficeXP, CXTButtonThemeOffice2003>(nTheme);
}
