// The game's push buttons and their themes.
#include "Vant_XTButton.h"

#include "XTPDCHelpers.h"

namespace
{
// Visual-styles push button: only the part itself, nothing of the parent's
// button colour behind it, so whatever lies under the button shows at its
// transparent corners.
BOOL DrawGameVisualStylesBackground(CXTButtonTheme* pTheme, LPDRAWITEMSTRUCT lpDIS, CXTButton* pButton)
{
    if (!pTheme->UseVisualStyles(pButton))
        return FALSE;
    int nState;
    if (lpDIS->itemState & ODS_DISABLED)
        nState = 4;
    else if (lpDIS->itemState & (ODS_SELECTED | ODS_CHECKED))
        nState = 3;
    else if (pButton->IsHot())
        nState = 2;
    else if (lpDIS->itemState & ODS_FOCUS)
        nState = 5;
    else
        nState = 1;
    return SUCCEEDED(pTheme->m_themeButton.DrawThemeBackground(lpDIS->hDC, 1, nState, &lpDIS->rcItem, NULL));
}

// The light-grey outermost ring of a button.
void DrawGameRing(CDC* pDC, const CRect& rcItem)
{
    CXTPPenDC pen(pDC->GetSafeHdc(), VANT_BUTTON_RING_COLOUR);
    pDC->MoveTo(rcItem.left, rcItem.top);
    pDC->LineTo(rcItem.right - 1, rcItem.top);
    pDC->LineTo(rcItem.right - 1, rcItem.bottom - 1);
    pDC->LineTo(rcItem.left, rcItem.bottom - 1);
    pDC->LineTo(rcItem.left, rcItem.top);
}

// The image of a pressed or checked button is its hot image (the normal
// one when it has none); the pressed and checked variants are never used.
CXTPImageManagerIconHandle& GetGameImage(CXTPImageManagerIcon* pIcon, UINT nState, BOOL bHotShows, BOOL bHot)
{
    if (nState & ODS_DISABLED)
        return pIcon->GetDisabledIcon();
    if (nState & (ODS_SELECTED | ODS_CHECKED))
        return pIcon->GetHotIcon();
    if (bHotShows && bHot)
        return pIcon->GetHotIcon();
    return pIcon->GetIcon();
}

// The image at its layout point. The default look moves a pushed image by
// a pixel, as it does its text, and shows the hot image while hot.
void DrawGameIcon(CXTButtonTheme* pTheme, CDC* pDC, UINT nState, CRect& rcItem, CXTButton* pButton, BOOL bDefaultLook)
{
    CXTPImageManagerIcon* pIcon = pButton->GetIcon();
    if (!pTheme->m_bShowImage || pIcon == NULL)
        return;
    CPoint ptImage;
    pTheme->CalcImagePoint(ptImage, pDC, nState, rcItem, TRUE, pButton);
    if (bDefaultLook && CXTButtonTheme::IsPushed(nState))
        ptImage.Offset(1, 1);
    pIcon->Draw(pDC, ptImage, GetGameImage(pIcon, nState, bDefaultLook, pButton->IsHot()), pButton->m_sizeImage);
}
} // namespace

/////////////////////////////////////////////////////////////////////////////
// CVant_XTButtonTheme

CVant_XTButtonTheme::CVant_XTButtonTheme()
{
}

void CVant_XTButtonTheme::DrawButtonText(CDC* pDC, UINT nState, CRect& rcItem, CXTButton* pButton)
{
    DrawButtonTextImpl(pDC, nState, rcItem, pButton, FALSE);
}

void CVant_XTButtonTheme::DrawButtonIcon(CDC* pDC, UINT nState, CRect& rcItem, CXTButton* pButton)
{
    DrawGameIcon(this, pDC, nState, rcItem, pButton, TRUE);
}

void CVant_XTButtonTheme::DrawItem(LPDRAWITEMSTRUCT lpDIS, CXTButton* pButton)
{
    // A keyboard player sees which button has the focus whatever the
    // button's style flags.
    DrawItemImpl(lpDIS, pButton, focusWhileFocused);
}

BOOL CVant_XTButtonTheme::DrawVisualStylesBackground(LPDRAWITEMSTRUCT lpDIS, CXTButton* pButton)
{
    return DrawGameVisualStylesBackground(this, lpDIS, pButton);
}

void CVant_XTButtonTheme::DrawButtonBackground(LPDRAWITEMSTRUCT lpDIS, CXTButton* pButton)
{
    CXTButtonTheme::DrawButtonBackground(lpDIS, pButton);
    const BOOL bLit = pButton->IsHot() || IsPushed(lpDIS->itemState);
    if ((pButton->GetStyleFlags() & BS_XT_FLAT) && bLit)
        DrawGameRing(CDC::FromHandle(lpDIS->hDC), lpDIS->rcItem);
}

/////////////////////////////////////////////////////////////////////////////
// CVant_XTButtonThemeOfficeXP

CVant_XTButtonThemeOfficeXP::CVant_XTButtonThemeOfficeXP(BOOL bWordTheme) : CXTButtonThemeOfficeXP(bWordTheme)
{
}

void CVant_XTButtonThemeOfficeXP::DrawButtonText(CDC* pDC, UINT nState, CRect& rcItem, CXTButton* pButton)
{
    DrawButtonTextImpl(pDC, nState, rcItem, pButton, FALSE);
}

void CVant_XTButtonThemeOfficeXP::DrawItem(LPDRAWITEMSTRUCT lpDIS, CXTButton* pButton)
{
    // A keyboard player sees which button has the focus whatever the
    // button's style flags.
    DrawItemImpl(lpDIS, pButton, focusWhileFocused);
}

BOOL CVant_XTButtonThemeOfficeXP::DrawVisualStylesBackground(LPDRAWITEMSTRUCT lpDIS, CXTButton* pButton)
{
    return DrawGameVisualStylesBackground(this, lpDIS, pButton);
}

void CVant_XTButtonThemeOfficeXP::DrawButtonBackground(LPDRAWITEMSTRUCT lpDIS, CXTButton* pButton)
{
    if (pButton->IsHot() || (lpDIS->itemState & (ODS_SELECTED | ODS_CHECKED)))
    {
        CXTButtonThemeOfficeXP::DrawButtonBackground(lpDIS, pButton);
        return;
    }
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const CRect rcItem = lpDIS->rcItem;
    pDC->FillSolidRect(&rcItem, m_crBack);
    if (m_bWordTheme)
        pDC->Draw3dRect(&rcItem, m_crBorderShadow, m_crBorderShadow);
    DrawGameRing(pDC, rcItem);
}

/////////////////////////////////////////////////////////////////////////////
// CVant_XTButtonThemeOffice2003

CVant_XTButtonThemeOffice2003::CVant_XTButtonThemeOffice2003(BOOL bWordTheme) : CVant_XTButtonThemeOfficeXP(FALSE)
{
    InitOffice2003(bWordTheme);
}

void CVant_XTButtonThemeOffice2003::RefreshMetrics()
{
    CVant_XTButtonThemeOfficeXP::RefreshMetrics();
    m_crBack.SetStandardValue(::GetSysColor(COLOR_BTNFACE));
}

void CVant_XTButtonThemeOffice2003::DrawButtonIcon(CDC* pDC, UINT nState, CRect& rcItem, CXTButton* pButton)
{
    DrawGameIcon(this, pDC, nState, rcItem, pButton, FALSE);
}

/////////////////////////////////////////////////////////////////////////////
// CVant_XTButtonThemeFactory

IMPLEMENT_DYNCREATE(CVant_XTButtonThemeFactory, CXTThemeManagerStyleFactory)

CXTThemeManagerStyle* CVant_XTButtonThemeFactory::CreateTheme(int nTheme)
{
    return CreateButtonThemeOf<CVant_XTButtonTheme, CVant_XTButtonThemeOfficeXP, CVant_XTButtonThemeOffice2003>(nTheme);
}

/////////////////////////////////////////////////////////////////////////////
// CVant_XTButton

IMPLEMENT_DYNAMIC(CVant_XTButton, CXTButton)

CVant_XTButton::CVant_XTButton()
{
    // The Office XP style flag, then the game's factory in place of the
    // toolkit's: the button's themes come from the game from now on.
    SetStyleFlags(BS_XT_XPFLAT, TRUE);
    SetThemeFactory(&m_themeFactory);
}

CVant_XTButton::~CVant_XTButton()
{
    // The style host must not reach the factory after this member is gone.
    SetThemeFactory(NULL);
}

DWORD CVant_XTButton::GetStyleFlags() const
{
    return m_dwxStyle;
}

BOOL CVant_XTButton::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_SYSCOLORCHANGE || message == WM_SETTINGCHANGE)
    {
        if (CXTButtonTheme* pTheme = GetTheme())
            pTheme->RefreshMetrics();
    }
    return CXTButton::OnWndMsg(message, wParam, lParam, pResult);
}
