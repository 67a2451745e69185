// Colour sets: every colour of the tab strips and the fills of tab faces,
// state buttons, navigate buttons, header and client area.
#include "XTPTabPaintManager.h"

#include <algorithm>
#include <XTPDrawHelpers.h>
#include <XTPImageManager.h>
#include <XTPOffice2007Image.h>

#include <vssym32.h>

namespace
{
COLORREF Sys(int nIndex)
{
    return GetXTPSysColor(nIndex);
}

// The marker of a dithered fill in a gradient's first colour.
const COLORREF kDitheredFill = (COLORREF)-2;

BOOL IsLunaDisabled(CXTPTabPaintManager* pPaintManager)
{
    return pPaintManager->m_bDisableLunaColors || GetColorManager()->IsLunaColorsDisabled();
}

// A theme colour, 0 when the key is missing.
COLORREF ColorOrZero(CXTPOffice2007ImageStore* pImages, LPCTSTR lpszSection, LPCTSTR lpszKey)
{
    COLORREF clr = pImages->GetImageColor(lpszSection, lpszKey);
    return clr == COLORREF_NULL ? 0 : clr;
}

// Copies one group of navigate-button colours into another.
void CopyColors(CXTPPaintManagerColor* pDest, const CXTPPaintManagerColor* pSrc, int nCount)
{
    for (int i = 0; i < nCount; i++)
        pDest[i] = pSrc[i];
}

void SetColors(CXTPPaintManagerColor* pDest, std::initializer_list<COLORREF> values)
{
    int i = 0;
    for (COLORREF clr : values)
        pDest[i++].SetStandardValue(clr);
}
} // namespace

//////////////////////////////////////////////////////////////////////////
// CColorSet

CXTPTabPaintManager::CColorSet::CColorSet() : m_pPaintManager(NULL)
{
}

void CXTPTabPaintManager::CColorSet::RefreshMetrics()
{
    m_clrHeaderFace.SetStandardValueSolid(Sys(COLOR_BTNFACE));
    m_clrAutoHideFace.SetStandardValueFromGradient(m_clrHeaderFace);
    m_clrFrameBorder.SetStandardValue(Sys(COLOR_BTNSHADOW));
    m_clrControlFace.SetStandardValue(Sys(COLOR_BTNFACE));
    m_clrPaneFace.SetStandardValue(Sys(COLOR_BTNFACE));
    m_clrButtonHighlight.SetStandardValue(Sys(COLOR_BTNHIGHLIGHT));
    m_clrButtonSelected.SetStandardValue(Sys(COLOR_BTNFACE));
    m_clrButtonHighlighted.SetStandardValue(Sys(COLOR_BTNFACE));
    m_clrButtonPressed.SetStandardValue(Sys(COLOR_BTNFACE));
    m_clrButtonNormal.SetStandardValue(Sys(COLOR_BTNFACE));
    m_clrTextNormal.SetStandardValue(Sys(COLOR_BTNTEXT));
    m_clrTextInactive.SetStandardValue(Sys(COLOR_BTNTEXT));
    m_clrTextSelected.SetStandardValue(Sys(COLOR_BTNTEXT));
    m_clrTextHighlight.SetStandardValue(0x800000);
    m_clrTextDisabled.SetStandardValue(Sys(COLOR_GRAYTEXT));
    m_clrStateHighlight.SetStandardValueSolid(Sys(COLOR_WINDOW));
    m_clrStateBorder.SetStandardValueSolid(Sys(COLOR_HIGHLIGHT));
    SetColors(m_csPropertyPage, { Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_BTNSHADOW), Sys(COLOR_3DDKSHADOW) });
    SetColors(m_csPropertyPage2003,
              { Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNFACE), Sys(COLOR_BTNFACE) });
    SetColors(m_csNavigateButton, { Sys(COLOR_BTNTEXT), Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNTEXT), COLORREF_NULL,
                                    COLORREF_NULL, COLORREF_NULL });
    CopyColors(m_csNavigateButtonHot, m_csNavigateButton, 6);
    m_csNavigateButtonHot[3].SetStandardValue(Sys(COLOR_WINDOW));
    m_csNavigateButtonHot[4].SetStandardValue(Sys(COLOR_BTNSHADOW));
}

void CXTPTabPaintManager::CColorSet::SetTextColor(CDC* pDC, CXTPTabManagerItem* pItem)
{
    CXTPTabManager* pTabManager = pItem->GetTabManager();
    COLORREF clr;
    if (!pItem->IsEnabled())
        clr = m_clrTextDisabled;
    else if (pTabManager != NULL && !pTabManager->IsActive())
        clr = m_clrTextInactive;
    else if (pItem->IsSelected())
        clr = m_clrTextSelected;
    else if (pItem->IsHighlighted())
        clr = m_clrTextHighlight;
    else
        clr = m_clrTextNormal;
    pDC->SetTextColor(clr);
}

void CXTPTabPaintManager::CColorSet::GradientFill(CDC* pDC, CRect rc, COLORREF clrFirst, COLORREF clrSecond,
                                                  XTPTabPosition position)
{
    if (clrFirst == kDitheredFill)
    {
        XTPFillDitheredRect(pDC, rc);
        return;
    }
    // The first colour lies at the strip's outer edge.
    if (position == xtpTabPositionBottom || position == xtpTabPositionRight)
        std::swap(clrFirst, clrSecond);
    if (m_pPaintManager != NULL && m_pPaintManager->m_bInvertGradient)
        std::swap(clrFirst, clrSecond);
    BOOL bAcrossX = !IsHorizontalPosition(position);
    XTPDrawHelpers()->GradientFill(pDC, rc, clrFirst, clrSecond, bAcrossX);
}

void CXTPTabPaintManager::CColorSet::FillHeader(CDC* pDC, CRect rc, CXTPTabManager* pTabManager)
{
    GradientFill(pDC, rc, m_clrHeaderFace, pTabManager->GetPosition());
}

void CXTPTabPaintManager::CColorSet::FillClient(CDC* pDC, CRect rc, CXTPTabManager* pTabManager)
{
    CXTPTabManagerItem* pSelected = pTabManager->GetSelectedItem();
    pDC->FillSolidRect(rc, pSelected != NULL ? GetItemColor(pSelected) : (COLORREF)m_clrButtonSelected);
}

void CXTPTabPaintManager::CColorSet::FillStateButton(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem)
{
    BOOL bHorizontal = IsHorizontalPosition(pItem->GetTabManager()->GetPosition());
    if (!pItem->IsSelected())
    {
        CRect rcSeparator = bHorizontal ? CRect(rc.right - 2, rc.top + 2, rc.right, rc.bottom - 2)
                                        : CRect(rc.left + 2, rc.bottom - 2, rc.right - 2, rc.bottom);
        pDC->Draw3dRect(rcSeparator, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT));
        return;
    }
    if (m_pPaintManager->m_bOneNoteColors)
        pDC->FillSolidRect(rc, pItem->GetColor());
    else
        GradientFill(pDC, rc, m_clrStateHighlight, pItem->GetTabManager()->GetPosition());
    pDC->Draw3dRect(rc, m_clrStateBorder.clrLight, m_clrStateBorder.clrDark);
}

void CXTPTabPaintManager::CColorSet::FillItemFace(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem)
{
    pDC->FillSolidRect(rc, GetItemColor(pItem));
}

COLORREF CXTPTabPaintManager::CColorSet::GetItemColor(CXTPTabManagerItem* pItem)
{
    if (m_pPaintManager != NULL && m_pPaintManager->m_bOneNoteColors)
        return pItem->GetColor();
    return pItem->IsSelected() ? m_clrButtonSelected : m_clrButtonNormal;
}

void CXTPTabPaintManager::CColorSet::FillNavigateButtonClassic(CDC* pDC, CXTPTabManager::CNavigateButton* pButton,
                                                                CRect& rc)
{
    if (pButton->IsEnabled() && pButton->IsPressed())
    {
        pDC->Draw3dRect(rc, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT));
        rc.OffsetRect(1, 1);
    }
    else if (pButton->IsEnabled() && pButton->IsHighlighted())
    {
        pDC->Draw3dRect(rc, Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_BTNSHADOW));
    }
    const CXTPPaintManagerColor* pColors = pButton->IsHighlighted() ? m_csNavigateButtonHot : m_csNavigateButton;
    pDC->SetTextColor(pButton->IsEnabled() ? (COLORREF)pColors[0] : (COLORREF)pColors[1]);
}

//////////////////////////////////////////////////////////////////////////
// Default

void CXTPTabPaintManager::CColorSetDefault::RefreshMetrics()
{
    CColorSet::RefreshMetrics();
    m_clrStateHighlight.SetStandardValueSolid(kDitheredFill);
    m_clrStateBorder.SetStandardValueSolid(
        CXTPDrawHelpers::BlendColors(Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT), 0.5f));
    SetColors(m_csNavigateButton, { Sys(COLOR_BTNTEXT), Sys(COLOR_BTNTEXT), Sys(COLOR_BTNTEXT), Sys(COLOR_WINDOW),
                                    Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNSHADOW) });
    CopyColors(m_csNavigateButtonHot, m_csNavigateButton, 3);
    SetColors(m_csNavigateButtonHot + 3, { COLORREF_NULL, COLORREF_NULL, COLORREF_NULL });

    if (m_pPaintManager != NULL && m_pPaintManager->GetAppearance() == xtpTabAppearanceExcel)
    {
        m_clrButtonSelected.SetStandardValue(Sys(COLOR_BTNFACE));
        m_clrButtonNormal.SetStandardValue(Sys(COLOR_WINDOW));
        m_clrFrameBorder.SetStandardValue(Sys(COLOR_BTNTEXT));
    }
}

void CXTPTabPaintManager::CColorSetDefault::FillNavigateButton(CDC* pDC, CXTPTabManager::CNavigateButton* pButton,
                                                               CRect& rc)
{
    FillNavigateButtonClassic(pDC, pButton, rc);
}

//////////////////////////////////////////////////////////////////////////
// Visual Studio

void CXTPTabPaintManager::CColorSetVisualStudio::RefreshMetrics()
{
    CColorSet::RefreshMetrics();
    int nAppearance = m_pPaintManager != NULL ? m_pPaintManager->GetAppearance() : 0;
    if (nAppearance != xtpTabAppearanceExcel && nAppearance != xtpTabAppearanceStateButtons)
        m_clrHeaderFace.SetStandardValueSolid(Sys(XPCOLOR_TAB_INACTIVE_BACK));
    if (nAppearance == xtpTabAppearanceVisualStudio)
    {
        m_clrTextNormal.SetStandardValue(Sys(XPCOLOR_TAB_INACTIVE_TEXT));
        m_clrTextInactive.SetStandardValue(Sys(XPCOLOR_TAB_INACTIVE_TEXT));
    }
    if (CXTPDrawHelpers::IsLowColorDepth())
        m_clrAutoHideFace.SetStandardValueSolid(Sys(COLOR_BTNFACE));
    else
        m_clrAutoHideFace.SetStandardValueSolid(m_clrHeaderFace.clrLight);
}

void CXTPTabPaintManager::CColorSetVisualStudio::FillNavigateButton(CDC* pDC,
                                                                    CXTPTabManager::CNavigateButton* pButton,
                                                                    CRect& rc)
{
    FillNavigateButtonClassic(pDC, pButton, rc);
}

//////////////////////////////////////////////////////////////////////////
// Office 2003

CXTPTabPaintManager::CColorSetOffice2003::CColorSetOffice2003() : m_bLunaTheme(FALSE)
{
}

void CXTPTabPaintManager::CColorSetOffice2003::ApplyLunaScheme(int nScheme)
{
    const int s = nScheme - 1;
    static const COLORREF frame[3] = { 0x9C613B, 0x588060, 0x947C7C };
    static const COLORREF dark[3] = { 0x9A3500, 0x6B7760, 0x927476 };
    static const COLORREF light[3] = { 0xF1A675, 0x8CC2B0, 0xCEB9BA };
    static const COLORREF accent[3] = { 0x800000, 0x385D3F, 0x6F4B4B };
    static const COLORREF header[3][2] = { { 0xFADAC4, 0xFEFDFC }, { 0xE4F1F2, 0xFEFEFC }, { 0xF7F3F3, 0xFEFEFC } };
    static const COLORREF normal[3] = { 0xF6C0A2, 0xAADED0, 0xE6D9D9 };
    static const COLORREF highlighted[3] = { 0xC9F0FF, 0xC7F0FF, 0xC2EEFF };
    static const COLORREF autoHide[3][2] = { { 0xF5BE9E, 0xFADAC4 }, { 0xA7D9D9, 0xE4F1F2 }, { 0xE5D7D7, 0xF7F3F3 } };

    m_clrFrameBorder.SetStandardValue(frame[s]);
    m_csPropertyPage2003[1].SetStandardValue(frame[s]);
    m_csPropertyPage[2].SetStandardValue(dark[s]);
    m_csPropertyPage2003[0].SetStandardValue(dark[s]);
    m_csPropertyPage[1].SetStandardValue(light[s]);
    m_csPropertyPage2003[2].SetStandardValue(light[s]);
    m_csPropertyPage2003[3].SetStandardValue(0xFFFFFF);
    m_clrStateHighlight.SetStandardValueSolid(0x6FC0FF);
    m_clrStateBorder.SetStandardValueSolid(accent[s]);
    m_clrLunaAccent.SetStandardValue(accent[s]);
    m_clrHeaderFace.SetStandardValue(header[s][0], header[s][1]);
    m_clrButtonNormal.SetStandardValue(normal[s]);
    m_clrButtonSelected.SetStandardValue(0x73C2FF);
    m_clrButtonHighlighted.SetStandardValue(highlighted[s]);
    m_clrAutoHideFace.SetStandardValue(autoHide[s][0], autoHide[s][1]);
    m_clrButtonPressed.SetStandardValue(0x4B8EFE);
    m_bLunaTheme = TRUE;
}

void CXTPTabPaintManager::CColorSetOffice2003::RefreshMetrics()
{
    CColorSetDefault::RefreshMetrics();
    m_bLunaTheme = FALSE;
    m_clrHeaderFace.SetStandardValue(Sys(COLOR_BTNFACE),
                                     CXTPColorManager::MixColors(Sys(COLOR_BTNFACE), Sys(COLOR_WINDOW), 205), 0.5f);
    m_clrStateHighlight.SetStandardValueSolid(Sys(XPCOLOR_HIGHLIGHT_CHECKED));
    m_clrStateBorder.SetStandardValueSolid(Sys(XPCOLOR_HIGHLIGHT_CHECKED_BORDER));
    m_clrButtonHighlighted.SetStandardValue(Sys(XPCOLOR_HIGHLIGHT_CHECKED));
    m_clrButtonPressed.SetStandardValue(Sys(XPCOLOR_HIGHLIGHT_PUSHED));
    m_clrTextHighlight.SetStandardValue(Sys(COLOR_BTNTEXT));

    int nScheme = IsLunaDisabled(m_pPaintManager) ? 0 : GetColorManager()->GetCurrentSystemTheme();
    if (nScheme >= xtpSystemThemeBlue && nScheme <= xtpSystemThemeSilver)
        ApplyLunaScheme(nScheme);
    else
        m_clrButtonSelected.SetStandardValue(Sys(XPCOLOR_HIGHLIGHT_CHECKED));

    SetColors(m_csNavigateButton,
              { m_clrFrameBorder, m_clrFrameBorder, m_clrFrameBorder, COLORREF_NULL, COLORREF_NULL, COLORREF_NULL });
    CopyColors(m_csNavigateButtonHot, m_csNavigateButton, 6);

    if (m_pPaintManager != NULL && m_pPaintManager->GetAppearance() == xtpTabAppearanceStateButtons)
    {
        m_clrHeaderFace.SetStandardValueSolid(Sys(COLOR_BTNFACE));
        m_clrAutoHideFace.SetStandardValueSolid(Sys(COLOR_BTNFACE));
    }
}

COLORREF CXTPTabPaintManager::CColorSetOffice2003::GetFaceColor(CXTPTabManagerItem* pItem)
{
    if (pItem->IsPressed())
        return m_clrButtonPressed;
    if (pItem->IsHighlighted())
        return m_clrButtonHighlighted;
    return GetItemColor(pItem);
}

void CXTPTabPaintManager::CColorSetOffice2003::FillGradientFace(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem,
                                                                COLORREF clrFace)
{
    GradientFill(pDC, rc, CXTPColorManager::MixColors(clrFace, RGB(255, 255, 255), 300), clrFace,
                 pItem->GetTabManager()->GetPosition());
}

void CXTPTabPaintManager::CColorSetOffice2003::FillItemFace(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem)
{
    FillGradientFace(pDC, rc, pItem, GetFaceColor(pItem));
}

void CXTPTabPaintManager::CColorSetOffice2003::FillNavigateButton(CDC* pDC,
                                                                  CXTPTabManager::CNavigateButton* pButton, CRect& rc)
{
    if (pButton->IsEnabled() && (pButton->IsPressed() || pButton->IsHighlighted()))
    {
        pDC->FillSolidRect(rc, pButton->IsPressed() ? (COLORREF)m_clrButtonPressed : (COLORREF)m_clrButtonHighlighted);
        pDC->Draw3dRect(rc, m_clrStateBorder.clrLight, m_clrStateBorder.clrLight);
    }
    const CXTPPaintManagerColor* pColors = pButton->IsHighlighted() ? m_csNavigateButtonHot : m_csNavigateButton;
    pDC->SetTextColor(pButton->IsEnabled() ? (COLORREF)pColors[0] : (COLORREF)pColors[1]);
}

//////////////////////////////////////////////////////////////////////////
// Office 2007

void CXTPTabPaintManager::CColorSetOffice2007::RefreshMetrics()
{
    CColorSetOffice2003::RefreshMetrics();
    CXTPOffice2007ImageStore* pImages = XTPOffice2007ImageStore();
    if (pImages != NULL && pImages->IsValid())
    {
        COLORREF clrFrame = pImages->GetImageColor(_T("TabManager"), _T("FrameBorder"));
        COLORREF clrDark = pImages->GetImageColor(_T("TabManager"), _T("DarkShadow"));
        COLORREF clrLight = pImages->GetImageColor(_T("TabManager"), _T("LightShadow"));
        m_clrFrameBorder.SetStandardValue(clrFrame);
        m_csPropertyPage2003[1].SetStandardValue(clrFrame);
        m_csPropertyPage[2].SetStandardValue(clrDark);
        m_csPropertyPage2003[0].SetStandardValue(clrDark);
        m_csPropertyPage[1].SetStandardValue(clrLight);
        m_csPropertyPage2003[2].SetStandardValue(clrLight);
        m_csPropertyPage2003[3].SetStandardValue(0xFFFFFF);
        m_clrHeaderFace.SetStandardValue(pImages->GetImageColor(_T("TabManager"), _T("HeaderFaceLight")),
                                         pImages->GetImageColor(_T("TabManager"), _T("HeaderFaceDark")), 0.5f);
        m_clrAutoHideFace.SetStandardValue(pImages->GetImageColor(_T("TabManager"), _T("AutoHideFaceLight")),
                                           pImages->GetImageColor(_T("TabManager"), _T("AutoHideFaceDark")), 0.5f);
        m_clrButtonNormal.SetStandardValue(ColorOrZero(pImages, _T("Window"), _T("ButtonFace")));
        m_clrButtonSelected.SetStandardValue(ColorOrZero(pImages, _T("Window"), _T("HighlightChecked")));
        m_clrButtonHighlighted.SetStandardValue(ColorOrZero(pImages, _T("Window"), _T("HighlightSelected")));
        m_clrLunaAccent.SetStandardValue(ColorOrZero(pImages, _T("Window"), _T("WindowFrame")));
        m_clrTextHighlight.SetStandardValue(0);
    }
    else
    {
        m_clrButtonPressed.SetStandardValue(Sys(XPCOLOR_HIGHLIGHT_PUSHED));
        m_clrTextHighlight.SetStandardValue(Sys(COLOR_BTNTEXT));
        ApplyLunaScheme(xtpSystemThemeBlue);
    }
}

//////////////////////////////////////////////////////////////////////////
// Windows XP visual styles

void CXTPTabPaintManager::CColorSetWinXP::RefreshMetrics()
{
    CColorSetDefault::RefreshMetrics();
    m_themeTab.OpenThemeData(NULL, L"TAB");
    m_themeToolbar.OpenThemeData(NULL, L"TOOLBAR");
    if (!m_themeTab.IsValid())
        return;
    SetColors(m_csPropertyPage, { COLORREF_NULL, COLORREF_NULL, COLORREF_NULL });
    m_clrTextHighlight.SetStandardValue(m_clrTextNormal);
    COLORREF clrHint;
    if (SUCCEEDED(m_themeTab.GetThemeColor(TABP_PANE, 0, TMT_FILLCOLORHINT, &clrHint)))
        m_clrPaneFace.SetStandardValue(clrHint);
}

void CXTPTabPaintManager::CColorSetWinXP::DrawRotatedPart(CDC* pDC, CRect rc, int nPart, int nState,
                                                          XTPTabPosition position)
{
    if (position == xtpTabPositionTop)
    {
        m_themeTab.DrawThemeBackground(pDC->GetSafeHdc(), nPart, nState, rc, NULL);
        return;
    }
    // The part is made for a top strip: draw it upright into a DIB, then
    // turn (left, right) or mirror (bottom) it pixel by pixel.
    const BOOL bTurn = !IsHorizontalPosition(position);
    const int cx = bTurn ? rc.Height() : rc.Width();
    const int cy = bTurn ? rc.Width() : rc.Height();
    if (cx <= 0 || cy <= 0)
        return;
    // Top-down pictures (negative heights): the part upright, then the result.
    DWORD* pSrc = NULL;
    DWORD* pDest = NULL;
    HBITMAP hSrc = CXTPImageManager::Create32BitDIBSection(NULL, cx, -cy, (LPBYTE*)&pSrc);
    HBITMAP hDest = CXTPImageManager::Create32BitDIBSection(NULL, rc.Width(), -rc.Height(), (LPBYTE*)&pDest);
    if (hSrc != NULL && hDest != NULL)
    {
        CDC dc;
        dc.CreateCompatibleDC(pDC);
        HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), hSrc);
        CRect rcPart(0, 0, cx, cy);
        m_themeTab.DrawThemeBackground(dc.GetSafeHdc(), nPart, nState, rcPart, NULL);
        ::GdiFlush();
        const int w = rc.Width(), h = rc.Height();
        for (int y = 0; y < h; y++)
        {
            for (int x = 0; x < w; x++)
            {
                int sx, sy;
                if (position == xtpTabPositionBottom)
                    sx = x, sy = cy - 1 - y;
                else if (position == xtpTabPositionLeft)
                    sx = y, sy = x;
                else
                    sx = y, sy = cy - 1 - x;
                pDest[y * w + x] = pSrc[sy * cx + sx];
            }
        }
        ::SelectObject(dc.GetSafeHdc(), hDest);
        pDC->BitBlt(rc.left, rc.top, w, h, &dc, 0, 0, SRCCOPY);
        ::SelectObject(dc.GetSafeHdc(), hOld);
    }
    if (hSrc != NULL)
        ::DeleteObject(hSrc);
    if (hDest != NULL)
        ::DeleteObject(hDest);
}

void CXTPTabPaintManager::CColorSetWinXP::FillItemFace(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem)
{
    if (!m_themeTab.IsValid())
    {
        CColorSetDefault::FillItemFace(pDC, rc, pItem);
        return;
    }
    CXTPTabManager* pTabManager = pItem->GetTabManager();
    XTPTabPosition position = pTabManager->GetPosition();
    BOOL bSelected = pItem->IsSelected();
    int nState = bSelected ? TIS_SELECTED : pItem->IsHighlighted() ? TIS_HOT : TIS_NORMAL;
    int nPart = TABP_TOPTABITEM;
    if (pItem->GetIndex() == 0)
        nPart = TABP_TOPTABITEMLEFTEDGE;
    else if (pItem->GetIndex() == pTabManager->GetItemCount() - 1 && !bSelected)
        nPart = TABP_TOPTABITEMRIGHTEDGE;
    InflateRectForPosition(rc, CRect(1, 1, 1, bSelected ? 2 : 0), position);
    DrawRotatedPart(pDC, rc, nPart, nState, position);
}

void CXTPTabPaintManager::CColorSetWinXP::FillClient(CDC* pDC, CRect rc, CXTPTabManager* pTabManager)
{
    if (!m_themeTab.IsValid())
        CColorSetDefault::FillClient(pDC, rc, pTabManager);
    else
        m_themeTab.DrawThemeBackground(pDC->GetSafeHdc(), TABP_PANE, 0, rc, NULL);
}

void CXTPTabPaintManager::CColorSetWinXP::DrawClientPane(CDC* pDC, CRect rc, CXTPTabManager* pTabManager)
{
    if (m_themeTab.IsValid() && !rc.IsRectEmpty())
        m_themeTab.DrawThemeBackground(pDC->GetSafeHdc(), TABP_PANE, 0, rc, NULL);
}

void CXTPTabPaintManager::CColorSetWinXP::FillStateButton(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem)
{
    if (!m_themeToolbar.IsValid())
    {
        CColorSetDefault::FillStateButton(pDC, rc, pItem);
        return;
    }
    int nState = pItem->IsSelected() ? TS_CHECKED : pItem->IsHighlighted() ? TS_HOT : TS_NORMAL;
    m_themeToolbar.DrawThemeBackground(pDC->GetSafeHdc(), TP_BUTTON, nState, rc, NULL);
}

void CXTPTabPaintManager::CColorSetWinXP::FillNavigateButton(CDC* pDC, CXTPTabManager::CNavigateButton* pButton,
                                                             CRect& rc)
{
    if (!m_themeToolbar.IsValid())
    {
        CColorSetDefault::FillNavigateButton(pDC, pButton, rc);
        return;
    }
    if (pButton->IsEnabled() && (pButton->IsPressed() || pButton->IsHighlighted()))
        m_themeToolbar.DrawThemeBackground(pDC->GetSafeHdc(), TP_BUTTON, pButton->IsPressed() ? TS_PRESSED : TS_HOT,
                                           rc, NULL);
    pDC->SetTextColor(pButton->IsEnabled() ? (COLORREF)m_csNavigateButton[0] : (COLORREF)m_csNavigateButton[1]);
}

//////////////////////////////////////////////////////////////////////////
// Whidbey

CXTPTabPaintManager::CColorSetWhidbey::CColorSetWhidbey() : m_bLunaTheme(FALSE), m_bGradientHeader(FALSE)
{
}

void CXTPTabPaintManager::CColorSetWhidbey::RefreshMetrics()
{
    CColorSet::RefreshMetrics();
    m_bLunaTheme = FALSE;
    m_bGradientHeader = FALSE;
    m_clrButtonSelected.SetStandardValue(Sys(COLOR_WINDOW));
    m_clrTextSelected.SetStandardValue(Sys(COLOR_WINDOWTEXT));
    m_clrButtonHighlighted.SetStandardValue(Sys(XPCOLOR_HIGHLIGHT_CHECKED));
    m_clrButtonPressed.SetStandardValue(Sys(XPCOLOR_HIGHLIGHT_PUSHED));
    m_clrTextHighlight.SetStandardValue(Sys(COLOR_BTNTEXT));

    int nScheme = GetColorManager()->GetCurrentSystemTheme();
    if (IsLunaDisabled(m_pPaintManager))
    {
        if (nScheme == xtpSystemThemeBlue || nScheme == xtpSystemThemeOlive)
        {
            m_clrHeaderFace.SetStandardValueSolid(0xD5E2E4);
        }
        else if (nScheme == xtpSystemThemeSilver)
        {
            m_clrButtonNormal.SetStandardValue(0xF8F5F5);
            m_clrHeaderFace.SetStandardValueSolid(0xEEEEEE);
            m_bGradientHeader = TRUE;
        }
        m_clrFrameBorder.SetStandardValue(Sys(XPCOLOR_STATICFRAME));
        m_csPropertyPage2003[1].SetStandardValue(Sys(XPCOLOR_STATICFRAME));
        return;
    }

    // Otherwise the whole Office 2003 refresh, applied onto this set.
    CColorSetOffice2003 office;
    office.m_pPaintManager = m_pPaintManager;
    office.RefreshMetrics();
    m_clrHeaderFace = office.m_clrHeaderFace;
    m_clrAutoHideFace = office.m_clrAutoHideFace;
    m_clrFrameBorder = office.m_clrFrameBorder;
    m_clrButtonSelected = office.m_clrButtonSelected;
    m_clrButtonHighlighted = office.m_clrButtonHighlighted;
    m_clrButtonPressed = office.m_clrButtonPressed;
    m_clrButtonNormal = office.m_clrButtonNormal;
    m_clrTextHighlight = office.m_clrTextHighlight;
    m_clrStateHighlight = office.m_clrStateHighlight;
    m_clrStateBorder = office.m_clrStateBorder;
    CopyColors(m_csPropertyPage, office.m_csPropertyPage, 3);
    CopyColors(m_csPropertyPage2003, office.m_csPropertyPage2003, 4);
    CopyColors(m_csNavigateButton, office.m_csNavigateButton, 6);
    CopyColors(m_csNavigateButtonHot, office.m_csNavigateButtonHot, 6);
    m_bLunaTheme = office.m_bLunaTheme;
}

void CXTPTabPaintManager::CColorSetWhidbey::FillItemFace(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem)
{
    COLORREF clrFace = pItem->IsHighlighted() ? (COLORREF)m_clrButtonHighlighted : GetItemColor(pItem);
    if (m_bGradientHeader)
        GradientFill(pDC, rc, CXTPColorManager::MixColors(clrFace, RGB(255, 255, 255), 300), clrFace,
                     pItem->GetTabManager()->GetPosition());
    else
        pDC->FillSolidRect(rc, clrFace);
}

void CXTPTabPaintManager::CColorSetWhidbey::FillNavigateButton(CDC* pDC, CXTPTabManager::CNavigateButton* pButton,
                                                               CRect& rc)
{
    FillNavigateButtonClassic(pDC, pButton, rc);
}
