// The docking-pane paint themes.
#include "XTPDockingPanePaintThemes.h"

#include "XTPDockingPane.h"
#include "XTPDockingPaneMiniWnd.h"
#include "XTPDockingPaneTabbedContainer.h"

#include <XTPDCHelpers.h>
#include <XTPDrawHelpers.h>
#include <XTPOffice2007Image.h>
#include <XTPSystemHelpers.h>

#include <vssym32.h>

#include <algorithm>

namespace
{
COLORREF Mix(COLORREF clrA, COLORREF clrB, int nWeight)
{
    return CXTPColorManager::MixColors(clrA, clrB, nWeight);
}

// The caption strip of a container along its top (left when vertical)
// edge, from nStart to nEnd pixels from that edge.
CRect StripOf(CRect rc, int nStart, int nEnd, BOOL bVertical)
{
    if (bVertical)
        return CRect(rc.left + nStart, rc.top, rc.left + nEnd, rc.bottom);
    return CRect(rc.left, rc.top + nStart, rc.right, rc.top + nEnd);
}

CString CaptionTitle(CXTPDockingPaneTabbedContainer* pPane)
{
    return pPane->GetSelected() != NULL ? pPane->GetSelected()->GetTitle() : CString();
}

CString WindowTitle(CWnd* pWnd)
{
    CString strTitle;
    if (pWnd->GetSafeHwnd() != NULL)
        pWnd->GetWindowText(strTitle);
    return strTitle;
}
} // namespace

void AFX_CDECL XTPExcludeCorners(CDC* pDC, CRect rc)
{
    pDC->ExcludeClipRect(rc.left, rc.top, rc.left + 1, rc.top + 1);
    pDC->ExcludeClipRect(rc.right - 1, rc.top, rc.right, rc.top + 1);
    pDC->ExcludeClipRect(rc.left, rc.bottom - 1, rc.left + 1, rc.bottom);
    pDC->ExcludeClipRect(rc.right - 1, rc.bottom - 1, rc.right, rc.bottom);
}

//////////////////////////////////////////////////////////////////////////
// Default

CXTPDockingPaneDefaultTheme::CXTPDockingPaneDefaultTheme()
{
    m_nCaptionButtonStyle = 0;
    m_nCaptionFontGap = 5;
    m_pPanelPaintManager->SetAppearance(xtpTabAppearancePropertyPage);
    m_pTabPaintManager->SetAppearance(xtpTabAppearancePropertyPage);
}

BOOL CXTPDockingPaneDefaultTheme::IsCaptionActive(const CXTPDockingPaneTabbedContainer* pPane) const
{
    return m_bHighlightActiveCaption && pPane->IsPaneActive();
}

CRect CXTPDockingPaneDefaultTheme::GetCaptionStrip(CXTPDockingPaneTabbedContainer* pPane, CRect rc, int nStart,
                                                   int nEnd, BOOL bVertical)
{
    return StripOf(rc, nStart, nEnd, bVertical);
}

CRect CXTPDockingPaneDefaultTheme::DrawButtonsIconAndText(CDC* pDC, CXTPDockingPaneBase* pPane, CRect rcCaption,
                                                          const CString& strTitle, COLORREF clrButton,
                                                          COLORREF clrText, int nButtonSize, int nButtonGap,
                                                          BOOL bVertical, int nEndShorten, int nTextIndent,
                                                          int* pTextLength)
{
    CRect rc(rcCaption);
    if (bVertical)
        rc.bottom -= nEndShorten;
    else
        rc.right -= nEndShorten;
    DrawCaptionButtons(pDC, pPane->GetCaptionButtons(), rc, clrButton, nButtonSize, nButtonGap, bVertical);

    if (bVertical)
    {
        rc.top += nTextIndent;
        rc.left += 1;
    }
    else
    {
        rc.left += nTextIndent;
        rc.top += 1;
    }
    DrawCaptionIcon(pDC, pPane, rc, bVertical);
    pDC->SetTextColor(IsCaptionPaneEnabled(pPane) ? clrText : GetColor(COLOR_GRAYTEXT));
    pDC->SetBkMode(TRANSPARENT);
    DrawCaptionText(pDC, strTitle, rc, bVertical);
    if (pTextLength != NULL)
        *pTextLength = DrawCaptionText(pDC, strTitle, rc, bVertical, TRUE);
    return rc;
}

void CXTPDockingPaneDefaultTheme::DrawCaption(CDC* pDC, CXTPDockingPaneTabbedContainer* pPane, CRect rc)
{
    BOOL bVertical = pPane->IsCaptionVertical();
    const int nStart = m_rcCaptionMargin.top, nEnd = nStart + m_nCaptionHeight;
    pDC->FillSolidRect(StripOf(rc, 0, nEnd + 2, bVertical), GetColor(COLOR_BTNFACE));
    CRect rcCaption = GetCaptionStrip(pPane, rc, nStart, nEnd, bVertical);
    DrawCaptionPart(pDC, pPane, rcCaption, CaptionTitle(pPane), IsCaptionActive(pPane), bVertical);
}

void CXTPDockingPaneDefaultTheme::DrawCaptionPart(CDC* pDC, CXTPDockingPaneBase* pPane, CRect rcCaption,
                                                  const CString& strTitle, BOOL bActive, BOOL bVertical)
{
    pDC->FillSolidRect(rcCaption, GetColor(bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    DrawButtonsIconAndText(pDC, pPane, rcCaption, strTitle, GetColor(COLOR_BTNTEXT),
                           GetColor(bActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT), 14, 0, bVertical, 2, 4);
}

void CXTPDockingPaneDefaultTheme::DrawFloatingFrame(CDC* pDC, CXTPDockingPaneMiniWnd* pPane, CRect rc)
{
    pDC->Draw3dRect(rc, GetColor(COLOR_BTNFACE), 0);
    rc.DeflateRect(1, 1);
    pDC->Draw3dRect(rc, GetColor(COLOR_BTNHIGHLIGHT), GetColor(COLOR_BTNSHADOW));
    rc.DeflateRect(1, 1);
    pDC->Draw3dRect(rc, GetColor(COLOR_BTNFACE), GetColor(COLOR_BTNFACE));
    rc.DeflateRect(1, 1);

    CRect rcCaption(rc.left, rc.top, rc.right, rc.top + m_nCaptionHeight + 3);
    pDC->FillSolidRect(rcCaption, GetColor(COLOR_BTNFACE));
    rcCaption.DeflateRect(1, 2);
    BOOL bActive = m_bHighlightActiveCaption && pPane->IsActive();
    DrawCaptionPart(pDC, pPane, rcCaption, WindowTitle(pPane), bActive, FALSE);
}

//////////////////////////////////////////////////////////////////////////
// Grippered

CXTPDockingPaneGripperedTheme::CXTPDockingPaneGripperedTheme()
{
    m_nCaptionButtonStyle = 1;
    m_nCaptionFontGap = 5;
}

void CXTPDockingPaneGripperedTheme::DrawCaption(CDC* pDC, CXTPDockingPaneTabbedContainer* pPane, CRect rc)
{
    BOOL bVertical = pPane->IsCaptionVertical();
    const int nStart = m_rcCaptionMargin.top, nEnd = nStart + m_nCaptionHeight;
    pDC->FillSolidRect(StripOf(rc, 0, nEnd + 2, bVertical), m_clrSplitterFace);
    CRect rcCaption = GetCaptionStrip(pPane, rc, nStart, nEnd, bVertical);
    DrawCaptionPart(pDC, pPane, rcCaption, CaptionTitle(pPane), IsCaptionActive(pPane), bVertical);
}

void CXTPDockingPaneGripperedTheme::DrawCaptionPart(CDC* pDC, CXTPDockingPaneBase* pPane, CRect rcCaption,
                                                    const CString& strTitle, BOOL bActive, BOOL bVertical)
{
    int nTextLength = 0;
    CRect rcText = DrawButtonsIconAndText(pDC, pPane, rcCaption, strTitle, GetColor(COLOR_BTNTEXT),
                                          GetColor(COLOR_BTNTEXT), 14, 2, bVertical, 2, 4, &nTextLength);

    // Two raised bars from after the text to the end of the strip.
    if (!bVertical)
    {
        int x0 = strTitle.IsEmpty() ? rcCaption.left + 4 : rcText.left + nTextLength + 4;
        int x1 = rcText.right;
        int cy = rcCaption.CenterPoint().y;
        if (x1 > x0)
        {
            pDC->Draw3dRect(x0, cy - 3, x1 - x0, 3, GetColor(COLOR_BTNHIGHLIGHT), GetColor(COLOR_BTNSHADOW));
            pDC->Draw3dRect(x0, cy + 1, x1 - x0, 3, GetColor(COLOR_BTNHIGHLIGHT), GetColor(COLOR_BTNSHADOW));
        }
    }
    else
    {
        int y0 = strTitle.IsEmpty() ? rcCaption.top + 4 : rcText.top + nTextLength + 4;
        int y1 = rcText.bottom;
        int cx = rcCaption.CenterPoint().x;
        if (y1 > y0)
        {
            pDC->Draw3dRect(cx - 3, y0, 3, y1 - y0, GetColor(COLOR_BTNHIGHLIGHT), GetColor(COLOR_BTNSHADOW));
            pDC->Draw3dRect(cx + 1, y0, 3, y1 - y0, GetColor(COLOR_BTNHIGHLIGHT), GetColor(COLOR_BTNSHADOW));
        }
    }
}

void CXTPDockingPaneGripperedTheme::DrawFloatingFrame(CDC* pDC, CXTPDockingPaneMiniWnd* pPane, CRect rc)
{
    CXTPDockingPaneDefaultTheme::DrawFloatingFrame(pDC, pPane, rc);
}

//////////////////////////////////////////////////////////////////////////
// Explorer

CXTPDockingPaneExplorerTheme::CXTPDockingPaneExplorerTheme()
{
    m_nCaptionButtonStyle = 5;
    m_nCaptionFontGap = 9;
    m_rcCaptionMargin.SetRect(0, 0, 0, 0);
    m_bBoldCaptionFont = FALSE;
}

CXTPDockingPaneExplorerTheme::~CXTPDockingPaneExplorerTheme()
{
    m_themeRebar.CloseThemeData();
}

void CXTPDockingPaneExplorerTheme::RefreshMetrics()
{
    CXTPDockingPaneGripperedTheme::RefreshMetrics();
    m_themeRebar.OpenThemeData(NULL, L"REBAR");
    if (m_themeRebar.IsValid())
    {
        for (CXTPTabPaintManager* pManager : { m_pPanelPaintManager, m_pTabPaintManager })
        {
            pManager->SetAppearance(xtpTabAppearancePropertyPage);
            pManager->SetColor(xtpTabColorWinXP);
            pManager->m_bHotTracking = TRUE;
        }
    }
    else
    {
        m_pTabPaintManager->SetAppearance(xtpTabAppearanceFlat);
        m_pPanelPaintManager->SetAppearance(xtpTabAppearanceVisualStudio);
        m_pTabPaintManager->m_bHotTracking = FALSE;
        m_pPanelPaintManager->m_bHotTracking = FALSE;
    }
}

void CXTPDockingPaneExplorerTheme::DrawCaptionPart(CDC* pDC, CXTPDockingPaneBase* pPane, CRect rcCaption,
                                                   const CString& strTitle, BOOL bActive, BOOL bVertical)
{
    if (m_themeRebar.IsValid())
    {
        // The band background lines up with the site's frame.
        CRect rcBackground(rcCaption);
        CWnd* pSite = pPane->GetDockingSite();
        HWND hWndPane = pPane->GetPaneHwnd();
        if (pSite != NULL && pSite->GetSafeHwnd() != NULL && hWndPane != NULL)
        {
            CRect rcSite;
            pSite->GetClientRect(&rcSite);
            ::MapWindowPoints(pSite->GetSafeHwnd(), hWndPane, (LPPOINT)&rcSite, 2);
            rcBackground.left = rcSite.left;
            rcBackground.right = std::max(rcSite.right, rcCaption.right);
        }
        m_themeRebar.DrawThemeBackground(pDC->GetSafeHdc(), 0, 0, rcBackground, rcCaption);
    }
    DrawButtonsIconAndText(pDC, pPane, rcCaption, strTitle, GetColor(COLOR_BTNTEXT), GetColor(COLOR_BTNTEXT), 16, 2,
                           bVertical, 2, 4);
}

//////////////////////////////////////////////////////////////////////////
// Office

void CXTPDockingPaneOfficeTheme::COfficePanelColorSet::RefreshMetrics()
{
    CXTPTabPaintManager::CColorSetVisualStudio::RefreshMetrics();
    if (m_pPaintManager != NULL && m_pPaintManager->GetAppearance() == xtpTabAppearanceFlat)
    {
        m_clrTextNormal.SetStandardValue(GetXTPSysColor(COLOR_3DDKSHADOW));
        m_clrTextSelected.SetStandardValue(GetXTPSysColor(COLOR_3DDKSHADOW));
    }
}

CXTPDockingPaneOfficeTheme::CXTPDockingPaneOfficeTheme() : m_bGradientCaption(FALSE)
{
    m_nCaptionButtonStyle = 1;
    m_nCaptionFontGap = 5;
    m_bBoldCaptionFont = FALSE;
    m_pPanelPaintManager->SetAppearance(xtpTabAppearanceVisualStudio);
    m_pTabPaintManager->SetAppearance(xtpTabAppearanceFlat);
    m_pTabPaintManager->SetColorSet(new COfficePanelColorSet());
}

void CXTPDockingPaneOfficeTheme::RefreshMetrics()
{
    CXTPDockingPaneGripperedTheme::RefreshMetrics();
    m_clrActiveCaption.SetStandardValue(GetColor(COLOR_ACTIVECAPTION), GetColor(COLOR_GRADIENTACTIVECAPTION), 0.5f);
    m_clrNormalCaption.SetStandardValue(GetColor(COLOR_INACTIVECAPTION), ::GetSysColor(COLOR_GRADIENTINACTIVECAPTION),
                                        0.5f);
    m_clrNormalCaptionText.SetStandardValue(GetColor(COLOR_BTNTEXT));
    m_clrActiveCaptionText.SetStandardValue(GetColor(COLOR_CAPTIONTEXT));
    if (XTPOSVersionInfo()->IsWin95())
    {
        m_clrActiveCaption.SetStandardValueSolid(GetColor(COLOR_ACTIVECAPTION));
        m_clrNormalCaption.SetStandardValueSolid(GetColor(COLOR_INACTIVECAPTION));
    }
}

COLORREF CXTPDockingPaneOfficeTheme::DrawCaptionBackground(CDC* pDC, CRect rcCaption, BOOL bActive, BOOL bVertical)
{
    if (m_bGradientCaption)
    {
        XTPDrawHelpers()->GradientFill(pDC, rcCaption, bActive ? m_clrActiveCaption : m_clrNormalCaption, TRUE);
    }
    else if (bActive)
    {
        pDC->FillSolidRect(rcCaption, m_clrActiveCaption.clrLight);
    }
    else
    {
        COLORREF clr = GetColor(XPCOLOR_3DSHADOW);
        pDC->FillSolidRect(rcCaption.left + 1, rcCaption.top, rcCaption.Width() - 2, 1, clr);
        pDC->FillSolidRect(rcCaption.left + 1, rcCaption.bottom - 1, rcCaption.Width() - 2, 1, clr);
        pDC->FillSolidRect(rcCaption.left, rcCaption.top + 1, 1, rcCaption.Height() - 2, clr);
        pDC->FillSolidRect(rcCaption.right - 1, rcCaption.top + 1, 1, rcCaption.Height() - 2, clr);
    }
    return GetColor(bActive ? COLOR_CAPTIONTEXT : COLOR_BTNTEXT);
}

void CXTPDockingPaneOfficeTheme::DrawCaptionPart(CDC* pDC, CXTPDockingPaneBase* pPane, CRect rcCaption,
                                                 const CString& strTitle, BOOL bActive, BOOL bVertical)
{
    COLORREF clrButton = DrawCaptionBackground(pDC, rcCaption, bActive, bVertical);
    DrawButtonsIconAndText(pDC, pPane, rcCaption, strTitle, clrButton,
                           bActive ? m_clrActiveCaptionText : m_clrNormalCaptionText, 14, 2, bVertical, 2, 4);
}

//////////////////////////////////////////////////////////////////////////
// Office 2003

CXTPDockingPaneOffice2003Theme::CXTPDockingPaneOffice2003Theme()
    : m_bDrawCaptionGripper(TRUE), m_bRoundedCaption(TRUE)
{
    m_nCaptionButtonStyle = 2;
    m_nCaptionFontGap = 7;
    m_bBoldCaptionFont = TRUE;
    for (CXTPTabPaintManager* pManager : { m_pPanelPaintManager, m_pTabPaintManager })
    {
        pManager->SetAppearance(xtpTabAppearancePropertyPageFlat);
        pManager->SetColor(xtpTabColorOffice2003);
        pManager->m_bHotTracking = TRUE;
    }
}

void CXTPDockingPaneOffice2003Theme::ApplyLunaPalette(int nScheme)
{
    struct CPalette
    {
        COLORREF clrInactiveLight, clrInactiveDark;
        float fFactor;
        COLORREF clrSplitterFace;
        COLORREF clr[13];   // colours 38, 39, 40, 41, 43, 31, 32, 37, 50, 33, 36, 30, 47
    };
    static const CPalette palettes[3] = {
        { RGB(221, 236, 254), RGB(129, 169, 226), 0.75f, RGB(216, 231, 252),
          { RGB(39, 65, 118), RGB(106, 140, 203), RGB(109, 150, 208), RGB(246, 246, 246), RGB(0, 45, 150),
            RGB(255, 238, 194), RGB(0, 0, 128), RGB(0, 0, 128), RGB(0, 0, 128), RGB(254, 128, 62),
            RGB(255, 192, 111), RGB(158, 190, 245), RGB(0, 0, 0) } },
        { RGB(244, 247, 222), RGB(183, 198, 145), 0.3f, RGB(226, 231, 191),
          { RGB(81, 94, 51), RGB(96, 128, 88), RGB(159, 174, 122), RGB(244, 244, 238), RGB(117, 141, 94),
            RGB(255, 238, 194), RGB(63, 93, 56), RGB(63, 93, 56), RGB(63, 93, 56), RGB(254, 128, 62),
            RGB(255, 192, 111), RGB(217, 217, 167), RGB(0, 0, 0) } },
        { RGB(249, 249, 255), RGB(156, 155, 183), 0.75f, RGB(223, 223, 234),
          { RGB(84, 84, 117), RGB(110, 109, 143), RGB(168, 167, 190), RGB(253, 250, 255), RGB(124, 124, 148),
            RGB(255, 238, 194), RGB(75, 75, 111), RGB(75, 75, 111), RGB(75, 75, 111), RGB(254, 128, 62),
            RGB(255, 192, 111), RGB(215, 215, 229), RGB(0, 0, 0) } },
    };
    static const int indices[13] = { 38, 39, 40, 41, 43, 31, 32, 37, 50, 33, 36, 30, 47 };
    const CPalette& palette = palettes[nScheme - 1];

    m_clrSplitter.SetStandardValue(GetColor(XPCOLOR_TOOLBAR_GRIPPER));
    m_clrNormalCaption.SetStandardValue(palette.clrInactiveLight, palette.clrInactiveDark, palette.fFactor);
    m_clrSplitterFace.SetStandardValue(palette.clrSplitterFace);
    SetColors(13, indices, palette.clr);
    m_bLunaColors = TRUE;
}

void CXTPDockingPaneOffice2003Theme::RefreshMetrics()
{
    CXTPDockingPaneOfficeTheme::RefreshMetrics();
    m_clrNormalCaption.SetStandardValue(Mix(GetColor(COLOR_BTNFACE), GetColor(COLOR_WINDOW), 205),
                                        GetColor(COLOR_BTNFACE), 0.5f);
    m_clrNormalCaptionText.SetStandardValue(GetColor(COLOR_BTNTEXT));
    m_clrActiveCaptionText.SetStandardValue(GetColor(COLOR_BTNTEXT));
    m_clrActiveCaption.SetStandardValueSolid(GetColor(XPCOLOR_HIGHLIGHT_CHECKED));
    m_bLunaColors = FALSE;

    if (CXTPDrawHelpers::IsLowColorDepth())
    {
        m_clrNormalCaption.SetStandardValueSolid(GetColor(COLOR_BTNFACE));
        m_clrActiveCaption.SetStandardValueSolid(GetColor(COLOR_HIGHLIGHT));
        m_clrActiveCaptionText.SetStandardValue(GetColor(COLOR_HIGHLIGHTTEXT));
    }

    int nScheme = GetCurrentSystemTheme();
    if (nScheme >= xtpSystemThemeBlue && nScheme <= xtpSystemThemeSilver)
    {
        ApplyLunaPalette(nScheme);
        m_clrActiveCaption.SetStandardValue(RGB(255, 213, 140), RGB(255, 166, 76), 0.5f);
        m_clrSplitterGradient.SetStandardValueFromGradient(GetColorManager()->GetGradientColor(1));
    }
}

void CXTPDockingPaneOffice2003Theme::FillCaptionGradient(CDC* pDC, CRect rc, BOOL bActive, BOOL bVertical)
{
    XTPDrawHelpers()->GradientFill(pDC, rc, bActive ? m_clrActiveCaption : m_clrNormalCaption, bVertical);
}

void CXTPDockingPaneOffice2003Theme::DrawCaption(CDC* pDC, CXTPDockingPaneTabbedContainer* pPane, CRect rc)
{
    BOOL bVertical = pPane->IsCaptionVertical();
    BOOL bActive = IsCaptionActive(pPane);
    CRect rcCaption = StripOf(rc, 0, m_nCaptionHeight + 3, bVertical);

    if (m_bRoundedCaption)
    {
        pDC->FillSolidRect(rcCaption, m_clrSplitterFace);
        CRect rcRounded(rcCaption);
        if (bVertical)
            rcRounded.top += 1;
        else
            rcRounded.left += 1;
        int nSaved = pDC->SaveDC();
        XTPExcludeCorners(pDC, rcRounded);
        FillCaptionGradient(pDC, rcRounded, bActive, bVertical);
        pDC->RestoreDC(nSaved);
    }
    else
    {
        FillCaptionGradient(pDC, rcCaption, bActive, bVertical);
        COLORREF clr = GetColor(XPCOLOR_FRAME);
        pDC->FillSolidRect(rcCaption.left, rcCaption.top, 1, rcCaption.Height(), clr);
        pDC->FillSolidRect(rcCaption.left, rcCaption.top, rcCaption.Width(), 1, clr);
        pDC->FillSolidRect(rcCaption.right - 1, rcCaption.top, 1, rcCaption.Height(), clr);
    }
    DrawCaptionPart(pDC, pPane, rcCaption, CaptionTitle(pPane), bActive, bVertical);
}

void CXTPDockingPaneOffice2003Theme::DrawCaptionPart(CDC* pDC, CXTPDockingPaneBase* pPane, CRect rcCaption,
                                                     const CString& strTitle, BOOL bActive, BOOL bVertical)
{
    COLORREF clrText = bActive ? m_clrActiveCaptionText : m_clrNormalCaptionText;
    const int nLength = bVertical ? rcCaption.Height() : rcCaption.Width();
    const int nThickness = bVertical ? rcCaption.Width() : rcCaption.Height();
    int nIndent = 4;
    int nEndShorten = 4;
    if (m_bDrawCaptionGripper && nLength > 7)
    {
        nIndent = 6 + 8;
        nEndShorten += 2;
        if (nThickness > 8)
        {
            for (int d = 5; d < nThickness - 3; d += 4)
            {
                CPoint pt = bVertical ? CPoint(rcCaption.left + d, rcCaption.top + 5)
                                      : CPoint(rcCaption.left + 5, rcCaption.top + d);
                pDC->FillSolidRect(pt.x + 1, pt.y + 1, 2, 2, GetColor(COLOR_WINDOW));
                pDC->FillSolidRect(pt.x, pt.y, 2, 2, GetColor(XPCOLOR_TOOLBAR_GRIPPER));
            }
        }
    }
    DrawButtonsIconAndText(pDC, pPane, rcCaption, strTitle, clrText, clrText, 16, 0, bVertical, nEndShorten,
                           nIndent);
}

CRect CXTPDockingPaneOffice2003Theme::GetCaptionGripperRect(const CXTPDockingPaneTabbedContainer* pPane)
{
    return CRect(0, 0, 10, m_nCaptionHeight);
}

void CXTPDockingPaneOffice2003Theme::DrawFloatingFrame(CDC* pDC, CXTPDockingPaneMiniWnd* pPane, CRect rc)
{
    COLORREF clrBorder = GetColor(XPCOLOR_MENUBAR_BORDER);
    pDC->Draw3dRect(rc, clrBorder, clrBorder);
    rc.DeflateRect(1, 1);
    pDC->Draw3dRect(rc, clrBorder, clrBorder);
    int nSaved = pDC->SaveDC();
    XTPExcludeCorners(pDC, CRect(rc.left - 1, rc.top - 1, rc.right + 1, rc.bottom + 1));
    rc.DeflateRect(1, 1);
    pDC->Draw3dRect(rc, m_clrNormalCaption.clrDark, m_clrNormalCaption.clrDark);
    rc.DeflateRect(1, 1);

    BOOL bActive = m_bHighlightActiveCaption && pPane->IsActive();
    CRect rcCaption(rc.left, rc.top, rc.right, rc.top + m_nCaptionHeight + 3);
    FillCaptionGradient(pDC, rcCaption, bActive, FALSE);
    pDC->SetPixel(rcCaption.left, rcCaption.bottom - 1, m_clrNormalCaption.clrDark);
    pDC->SetPixel(rcCaption.right - 1, rcCaption.bottom - 1, m_clrNormalCaption.clrDark);
    pDC->RestoreDC(nSaved);
    rcCaption.DeflateRect(1, 0);
    DrawCaptionPart(pDC, pPane, rcCaption, WindowTitle(pPane), bActive, FALSE);
}

//////////////////////////////////////////////////////////////////////////
// Shortcut bar 2003

CXTPDockingPaneShortcutBar2003Theme::CXTPDockingPaneShortcutBar2003Theme()
{
    m_nCaptionButtonStyle = 2;
    m_nCaptionFontGap = 3;
    m_bDrawCaptionGripper = FALSE;
    m_bRoundedCaption = FALSE;
}

void CXTPDockingPaneShortcutBar2003Theme::RefreshMetrics()
{
    CXTPDockingPaneOffice2003Theme::RefreshMetrics();
    if (m_bUseStandardFont)
    {
        // A large caption font, kept across later refreshes.
        LOGFONT lf = {};
        ::SystemParametersInfo(SPI_GETICONTITLELOGFONT, sizeof(LOGFONT), &lf, 0);
        lstrcpyn(lf.lfFaceName, _T("Arial"), LF_FACESIZE);
        lf.lfWeight = FW_BOLD;
        lf.lfHeight = 20;
        SetCaptionFont(&lf, FALSE);
    }
    if (m_bLunaColors)
    {
        m_clrNormalCaption.SetStandardValueFromGradient(GetColorManager()->GetGradientColor(0));
        m_clrNormalCaptionText.SetStandardValue(RGB(255, 255, 255));
    }
    else
    {
        m_clrNormalCaption.SetStandardValue(Mix(GetColor(COLOR_BTNSHADOW), GetColor(COLOR_WINDOW), 205),
                                            GetColor(COLOR_BTNSHADOW), 0.5f);
    }
}

//////////////////////////////////////////////////////////////////////////
// Office 2007

CXTPDockingPaneOffice2007Theme::CXTPDockingPaneOffice2007Theme()
{
    m_nCaptionButtonStyle = 2;
    m_nCaptionFontGap = 7;
    m_bRoundedCaption = FALSE;
    m_dwSplitterStyle = 0x8;
    m_pPanelPaintManager->SetColor(xtpTabColorOffice2007);
    m_pTabPaintManager->SetColor(xtpTabColorOffice2007);
}

void CXTPDockingPaneOffice2007Theme::RefreshMetrics()
{
    CXTPDockingPaneOffice2003Theme::RefreshMetrics();
    CXTPOffice2007ImageStore* pImages = XTPOffice2007ImageStore();
    if (pImages != NULL && pImages->IsValid())
    {
        const int indices[5] = { XPCOLOR_FRAME, XPCOLOR_3DFACE, COLOR_BTNHIGHLIGHT, XPCOLOR_TOOLBAR_GRIPPER,
                                 XPCOLOR_MENUBAR_BORDER };
        const COLORREF values[5] = {
            pImages->GetImageColor(_T("Window"), _T("WindowFrame")),
            pImages->GetImageColor(_T("Window"), _T("ButtonFace")),
            pImages->GetImageColor(_T("Window"), _T("EdgeHighLightColor")),
            pImages->GetImageColor(_T("Toolbar"), _T("ToolbarGripper")),
            pImages->GetImageColor(_T("Toolbar"), _T("MenuPopupBorder")),
        };
        SetColors(5, indices, values);
        m_clrSplitterFace.SetStandardValue(pImages->GetImageColor(_T("DockingPane"), _T("Splitter")));
        m_clrSplitter.SetStandardValue(GetColor(XPCOLOR_FRAME));
        m_clrSplitterGradient.SetStandardValue(pImages->GetImageColor(_T("DockingPane"), _T("SplitterLight")),
                                               pImages->GetImageColor(_T("DockingPane"), _T("SplitterDark")), 0.5f);
        m_clrNormalCaption.SetStandardValue(pImages->GetImageColor(_T("DockingPane"), _T("NormalCaptionLight")),
                                            pImages->GetImageColor(_T("DockingPane"), _T("NormalCaptionDark")), 0.25f);
        m_clrNormalCaptionText.SetStandardValue(pImages->GetImageColor(_T("DockingPane"), _T("NormalCaptionText")));
        m_clrActiveCaption.SetStandardValue(pImages->GetImageColor(_T("DockingPane"), _T("ActiveCaptionLight")),
                                            pImages->GetImageColor(_T("DockingPane"), _T("ActiveCaptionDark")), 0.25f);
        m_clrActiveCaptionText.SetStandardValue(pImages->GetImageColor(_T("DockingPane"), _T("ActiveCaptionText")));
        m_bLunaColors = TRUE;
        return;
    }

    // Without the theme resource a fixed blue palette stands in.
    ApplyLunaPalette(xtpSystemThemeBlue);
    m_clrNormalCaption.SetStandardValue(RGB(227, 239, 255), RGB(175, 210, 255), 0.25f);
    const int indices[3] = { XPCOLOR_FRAME, XPCOLOR_3DFACE, COLOR_BTNHIGHLIGHT };
    const COLORREF values[3] = { RGB(101, 147, 207), RGB(191, 219, 255), RGB(255, 255, 255) };
    SetColors(3, indices, values);
    m_clrSplitterFace.SetStandardValue(RGB(216, 231, 252));
    m_clrSplitterGradient.SetStandardValue(RGB(190, 218, 254), RGB(100, 143, 203), 0.5f);
    m_clrActiveCaption.SetStandardValue(RGB(255, 231, 162), RGB(255, 166, 76), 0.5f);
    m_clrNormalCaptionText.SetStandardValue(RGB(8, 55, 114));
    m_clrActiveCaptionText.SetStandardValue(RGB(8, 55, 114));
    m_bLunaColors = TRUE;
}

void CXTPDockingPaneOffice2007Theme::DrawCaption(CDC* pDC, CXTPDockingPaneTabbedContainer* pPane, CRect rc)
{
    BOOL bVertical = pPane->IsCaptionVertical();
    BOOL bActive = IsCaptionActive(pPane);
    CRect rcCaption = StripOf(rc, 0, m_nCaptionHeight + 3, bVertical);
    FillCaptionGradient(pDC, rcCaption, bActive, bVertical);
    COLORREF clrFrame = GetColor(XPCOLOR_FRAME), clrLight = GetColor(COLOR_BTNHIGHLIGHT);
    pDC->FillSolidRect(rcCaption.left, rcCaption.top, rcCaption.Width(), 1, clrFrame);
    pDC->FillSolidRect(rcCaption.left, rcCaption.top, 1, rcCaption.Height(), clrFrame);
    pDC->FillSolidRect(rcCaption.right - 1, rcCaption.top, 1, rcCaption.Height(), clrFrame);
    pDC->FillSolidRect(rcCaption.left + 1, rcCaption.top + 1, rcCaption.Width() - 2, 1, clrLight);
    pDC->FillSolidRect(rcCaption.left + 1, rcCaption.top + 1, 1, rcCaption.Height() - 1, clrLight);
    DrawCaptionPart(pDC, pPane, rcCaption, CaptionTitle(pPane), bActive, bVertical);
}

//////////////////////////////////////////////////////////////////////////
// Visio

CXTPDockingPaneVisioTheme::CXTPDockingPaneVisioTheme()
{
    m_nCaptionButtonStyle = 2;
    m_nCaptionFontGap = 2;
    m_pPanelPaintManager->SetAppearance(xtpTabAppearanceVisio);
    m_pPanelPaintManager->SetPosition(xtpTabPositionTop);
    m_pTabPaintManager->SetAppearance(xtpTabAppearanceFlat);
    m_pTabPaintManager->SetColorSet(new COfficePanelColorSet());
}

void CXTPDockingPaneVisioTheme::DrawGripperLines(CDC* pDC, CRect rcStrip, int nStart, BOOL bActive, BOOL bVertical)
{
    COLORREF clrFirst = GetColor(bActive ? COLOR_BTNTEXT : XPCOLOR_TOOLBAR_GRIPPER);
    COLORREF clrSecond = GetColor(bActive ? COLOR_3DDKSHADOW : XPCOLOR_MENUBAR_FACE);
    if (!bVertical)
    {
        int x0 = rcStrip.left + nStart, x1 = rcStrip.right;
        if (x1 <= x0)
            return;
        int cy = rcStrip.CenterPoint().y;
        pDC->FillSolidRect(x0, cy - 2, x1 - x0, 1, clrFirst);
        pDC->FillSolidRect(x0, cy, x1 - x0, 1, clrFirst);
        pDC->FillSolidRect(x0, cy - 1, x1 - x0, 1, clrSecond);
        pDC->FillSolidRect(x0, cy + 1, x1 - x0, 1, clrSecond);
    }
    else
    {
        int y0 = rcStrip.top + nStart, y1 = rcStrip.bottom;
        if (y1 <= y0)
            return;
        int cx = rcStrip.CenterPoint().x;
        pDC->FillSolidRect(cx - 2, y0, 1, y1 - y0, clrFirst);
        pDC->FillSolidRect(cx, y0, 1, y1 - y0, clrFirst);
        pDC->FillSolidRect(cx - 1, y0, 1, y1 - y0, clrSecond);
        pDC->FillSolidRect(cx + 1, y0, 1, y1 - y0, clrSecond);
    }
}

void CXTPDockingPaneVisioTheme::DrawCaption(CDC* pDC, CXTPDockingPaneTabbedContainer* pPane, CRect rc)
{
    BOOL bVertical = pPane->IsCaptionVertical();
    BOOL bActive = IsCaptionActive(pPane);
    CRect rcCaption = StripOf(rc, 0, m_nCaptionHeight + 3, bVertical);
    DrawCaptionButtons(pDC, pPane->GetCaptionButtons(), rcCaption, 0, 16, 0, bVertical);

    CString strTitle = CaptionTitle(pPane);
    CRect rcText(rcCaption);
    if (bVertical)
        rcText.top += 4;
    else
        rcText.left += 4;
    pDC->SetTextColor(GetColor(IsCaptionPaneEnabled(pPane) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    pDC->SetBkMode(TRANSPARENT);
    DrawCaptionText(pDC, strTitle, rcText, bVertical);
    int nLength = DrawCaptionText(pDC, strTitle, rcText, bVertical, TRUE);
    DrawGripperLines(pDC, rcCaption, strTitle.IsEmpty() ? 4 : 4 + nLength + 10, bActive, bVertical);
}

void CXTPDockingPaneVisioTheme::AdjustCaptionRect(const CXTPDockingPaneTabbedContainer* pPane, CRect& rc)
{
    CXTPDockingPaneOfficeTheme::AdjustCaptionRect(pPane, rc);
    if (pPane->IsCaptionVertical())
        rc.top += 3;
    else
        rc.left += 3;
    rc.right -= 3;
    rc.bottom -= 3;
    if (!pPane->IsCaptionVisible())
        rc.top += 3;
    if (!pPane->IsTabsVisible() && m_pPanelPaintManager->m_clientFrame != xtpTabFrameNone)
        rc.DeflateRect(1, 1);
}

void CXTPDockingPaneVisioTheme::DrawPane(CDC* pDC, CXTPDockingPaneTabbedContainer* pPane, CRect rc)
{
    BOOL bActive = IsCaptionActive(pPane);
    pDC->FillSolidRect(rc, GetColor(bActive ? XPCOLOR_HIGHLIGHT : XPCOLOR_TOOLBAR_FACE));
    pDC->SetBkMode(TRANSPARENT);
    if (pPane->IsCaptionVisible())
    {
        int nBottom = rc.top + m_nCaptionHeight + 3;
        pDC->FillSolidRect(rc.left, nBottom, rc.Width(), 1, m_clrSplitterFace);
        DrawCaption(pDC, pPane, rc);
    }
    CRect rcClient(rc);
    AdjustCaptionRect(pPane, rcClient);
    if (pPane->IsTabsVisible())
    {
        m_pPanelPaintManager->DrawTabControl(pPane, pDC, rcClient);
    }
    else if (m_pPanelPaintManager->m_clientFrame != xtpTabFrameNone)
    {
        CRect rcFrame(rcClient);
        rcFrame.InflateRect(1, 1);
        COLORREF clr = m_pPanelPaintManager->GetColorSet()->m_clrFrameBorder;
        pDC->Draw3dRect(rcFrame, clr, clr);
    }
    COLORREF clrCorner = GetColor(XPCOLOR_3DFACE);
    pDC->SetPixel(rc.left, rc.top, clrCorner);
    pDC->SetPixel(rc.right - 1, rc.top, clrCorner);
    pDC->SetPixel(rc.left, rc.bottom - 1, clrCorner);
    pDC->SetPixel(rc.right - 1, rc.bottom - 1, clrCorner);
}

void CXTPDockingPaneVisioTheme::DrawFloatingFrame(CDC* pDC, CXTPDockingPaneMiniWnd* pPane, CRect rc)
{
    BOOL bActive = m_bHighlightActiveCaption && pPane->IsActive();
    pDC->FillSolidRect(rc, GetColor(bActive ? XPCOLOR_HIGHLIGHT : XPCOLOR_TOOLBAR_FACE));
    pDC->Draw3dRect(rc, GetColor(COLOR_BTNSHADOW), GetColor(COLOR_BTNHIGHLIGHT));
    CRect rcCaption(rc.left + 3, rc.top + 3, rc.right - 3, rc.top + 3 + m_nCaptionHeight + 3);
    DrawCaptionButtons(pDC, pPane->GetCaptionButtons(), rcCaption, GetColor(COLOR_BTNTEXT), 16, 0, FALSE);
    CString strTitle = WindowTitle(pPane);
    pDC->SetTextColor(GetColor(COLOR_BTNTEXT));
    pDC->SetBkMode(TRANSPARENT);
    DrawCaptionText(pDC, strTitle, rcCaption, FALSE);
    int nLength = DrawCaptionText(pDC, strTitle, rcCaption, FALSE, TRUE);
    DrawGripperLines(pDC, rcCaption, strTitle.IsEmpty() ? 4 : nLength + 10, bActive, FALSE);
}

//////////////////////////////////////////////////////////////////////////
// Native XP

CXTPDockingPaneNativeXPTheme::CXTPDockingPaneNativeXPTheme()
{
    m_nCaptionButtonStyle = 3;
    m_nCaptionFontGap = 7;
    m_bGradientCaption = TRUE;
    for (CXTPTabPaintManager* pManager : { m_pPanelPaintManager, m_pTabPaintManager })
    {
        pManager->SetAppearance(xtpTabAppearancePropertyPage);
        pManager->SetColor(xtpTabColorWinXP);
        pManager->m_bHotTracking = TRUE;
    }
}

void CXTPDockingPaneNativeXPTheme::DrawCaption(CDC* pDC, CXTPDockingPaneTabbedContainer* pPane, CRect rc)
{
    if (!m_themeWindow.IsValid())
    {
        CXTPDockingPaneOfficeTheme::DrawCaption(pDC, pPane, rc);
        return;
    }
    BOOL bVertical = pPane->IsCaptionVertical();
    BOOL bActive = IsCaptionActive(pPane);
    const int nStart = m_rcCaptionMargin.top;
    CRect rcCaption = StripOf(rc, nStart, nStart + m_nCaptionHeight + 1, bVertical);
    m_themeWindow.DrawThemeBackground(pDC->GetSafeHdc(), WP_SMALLCAPTION, bActive ? 1 : 2, rcCaption, NULL);
    DrawCaptionPart(pDC, pPane, rcCaption, CaptionTitle(pPane), bActive, bVertical);
}

void CXTPDockingPaneNativeXPTheme::DrawCaptionPart(CDC* pDC, CXTPDockingPaneBase* pPane, CRect rcCaption,
                                                   const CString& strTitle, BOOL bActive, BOOL bVertical)
{
    if (!m_themeWindow.IsValid())
    {
        CXTPDockingPaneOfficeTheme::DrawCaptionPart(pDC, pPane, rcCaption, strTitle, bActive, bVertical);
        return;
    }
    COLORREF clr = GetColor(bActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT);
    DrawButtonsIconAndText(pDC, pPane, rcCaption, strTitle, clr, clr, 16, 3, bVertical, 2, 4);
}

void CXTPDockingPaneNativeXPTheme::DrawFloatingFrame(CDC* pDC, CXTPDockingPaneMiniWnd* pPane, CRect rc)
{
    if (!m_themeWindow.IsValid())
    {
        CXTPDockingPaneGripperedTheme::DrawFloatingFrame(pDC, pPane, rc);
        return;
    }
    BOOL bActive = m_bHighlightActiveCaption && pPane->IsActive();
    HDC hDC = pDC->GetSafeHdc();
    int nState = bActive ? 1 : 2;
    CRect rcCaption(rc.left, rc.top, rc.right, rc.top + m_nCaptionHeight + 3);
    m_themeWindow.DrawThemeBackground(hDC, WP_SMALLFRAMELEFT, nState,
                                      CRect(rc.left, rcCaption.bottom, rc.left + 3, rc.bottom), NULL);
    m_themeWindow.DrawThemeBackground(hDC, WP_SMALLFRAMERIGHT, nState,
                                      CRect(rc.right - 3, rcCaption.bottom, rc.right, rc.bottom), NULL);
    m_themeWindow.DrawThemeBackground(hDC, WP_SMALLFRAMEBOTTOM, nState,
                                      CRect(rc.left, rc.bottom - 3, rc.right, rc.bottom), NULL);
    m_themeWindow.DrawThemeBackground(hDC, WP_SMALLCAPTION, nState, rcCaption, NULL);
    DrawCaptionPart(pDC, pPane, rcCaption, WindowTitle(pPane), bActive, FALSE);
}

//////////////////////////////////////////////////////////////////////////
// Whidbey and the Visual Studio 2005 family

void CXTPDockingPaneWhidbeyTheme::CColorSetWhidbey::RefreshMetrics()
{
    CXTPTabPaintManager::CColorSetOffice2003::RefreshMetrics();
    if (m_bPanelSet)
    {
        m_clrButtonSelected.SetStandardValue(GetXTPSysColor(COLOR_WINDOW));
        m_clrTextSelected.SetStandardValue(GetXTPSysColor(COLOR_WINDOWTEXT));
    }
    else
    {
        m_clrTextSelected.SetStandardValue(GetXTPSysColor(COLOR_3DDKSHADOW));
    }
    m_clrHeaderFace.SetStandardValue(GetXTPSysColor(COLOR_BTNFACE),
                                     Mix(GetXTPSysColor(COLOR_BTNFACE), GetXTPSysColor(COLOR_WINDOW), 205), 0.5f);
    m_clrTextNormal.SetStandardValue(GetXTPSysColor(COLOR_3DDKSHADOW));
    m_bLunaTheme = FALSE;

    int nScheme = GetColorManager()->GetCurrentSystemTheme();
    if (nScheme == xtpSystemThemeBlue || nScheme == xtpSystemThemeOlive)
    {
        m_clrHeaderFace.SetStandardValue(RGB(229, 229, 215), RGB(244, 241, 231));
    }
    else if (nScheme == xtpSystemThemeSilver)
    {
        m_clrButtonNormal.SetStandardValue(RGB(242, 242, 247));
        m_csPropertyPage[0].SetStandardValue(RGB(145, 155, 156));
        m_csPropertyPage[1].SetStandardValue(RGB(145, 155, 156));
        m_csPropertyPage[2].SetStandardValue(RGB(190, 190, 216));
        m_clrHeaderFace.SetStandardValue(RGB(215, 215, 229), RGB(243, 243, 247));
    }
    if (nScheme >= xtpSystemThemeBlue && nScheme <= xtpSystemThemeSilver)
    {
        m_bLunaTheme = TRUE;
        m_clrLunaAccent.SetStandardValue(RGB(255, 255, 255));
    }
    m_clrAutoHideFace.SetStandardValueFromGradient(m_clrHeaderFace);
}

void CXTPDockingPaneWhidbeyTheme::CColorSetWhidbey::FillItemFace(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem)
{
    if (m_bSelectedOnly && !(m_bPanelSet && pItem->IsSelected()))
        return;
    if (m_bLunaTheme)
        CColorSetOffice2003::FillItemFace(pDC, rc, pItem);
    else
        CColorSet::FillItemFace(pDC, rc, pItem);
}

void CXTPDockingPaneWhidbeyTheme::CColorSetWhidbey::FillHeader(CDC* pDC, CRect rc, CXTPTabManager* pTabManager)
{
    // The header continues the splitter gradient of the docking site.
    CXTPDockingPaneTabbedContainer* pContainer = dynamic_cast<CXTPDockingPaneTabbedContainer*>(pTabManager);
    CXTPDockingPanePaintManager* pPaintManager = pContainer != NULL ? pContainer->GetDockingPaintManager() : NULL;
    CWnd* pSite = pContainer != NULL ? pContainer->GetDockingSite() : NULL;
    if (pPaintManager == NULL || pSite == NULL)
    {
        CColorSetOffice2003::FillHeader(pDC, rc, pTabManager);
        return;
    }
    CRect rcInSite(rc);
    rcInSite.OffsetRect(pContainer->GetPaneWindowRect().TopLeft());
    int nSaved = pDC->SaveDC();
    pDC->OffsetViewportOrg(rc.left - rcInSite.left, rc.top - rcInSite.top);
    pPaintManager->DrawSplitterGradient(pDC, rcInSite, m_clrHeaderFace, pSite, TRUE);
    pDC->RestoreDC(nSaved);
}

void CXTPDockingPaneWhidbeyTheme::CColorSetVisualStudio2005::RefreshMetrics()
{
    CColorSetWhidbey::RefreshMetrics();
    m_bLunaTheme = FALSE;
    int nScheme = GetColorManager()->GetCurrentSystemTheme();
    if (nScheme >= xtpSystemThemeBlue && nScheme <= xtpSystemThemeSilver)
    {
        m_clrTextNormal.SetStandardValue(RGB(113, 111, 100));
        if (!m_bPanelSet)
            m_clrTextSelected.SetStandardValue(RGB(113, 111, 100));
    }
}

CXTPDockingPaneWhidbeyTheme::CXTPDockingPaneWhidbeyTheme()
{
    m_nCaptionButtonStyle = 1;
    m_nCaptionFontGap = 5;

    m_pPanelPaintManager->SetAppearance(xtpTabAppearancePropertyPageFlat);
    static_cast<CXTPTabPaintManager::CAppearanceSetPropertyPageFlat*>(m_pPanelPaintManager->GetAppearanceSet())
        ->m_bRoundedCorners = FALSE;
    m_pPanelPaintManager->m_bDisableLunaColors = TRUE;
    m_pPanelPaintManager->SetColorSet(new CColorSetWhidbey(TRUE, FALSE));
    m_pPanelPaintManager->m_bHotTracking = FALSE;
    m_pPanelPaintManager->m_clientFrame = xtpTabFrameNone;

    m_pTabPaintManager->m_bDisableLunaColors = TRUE;
    m_pTabPaintManager->SetAppearance(xtpTabAppearancePropertyPageFlat);
    static_cast<CXTPTabPaintManager::CAppearanceSetPropertyPageFlat*>(m_pTabPaintManager->GetAppearanceSet())
        ->m_bRoundedCorners = FALSE;
    m_pTabPaintManager->SetColorSet(new CColorSetWhidbey(FALSE, FALSE));
    m_pTabPaintManager->m_bHotTracking = FALSE;
    m_pTabPaintManager->SetLayout(xtpTabLayoutAutoSize);

    m_rcCaptionMargin.SetRect(0, 0, 0, 0);
    m_bGradientCaption = TRUE;
    m_bBoldCaptionFont = FALSE;
    m_dwSplitterStyle = 0x4;
    m_nLunaColorMode = xtpSystemThemeUnknown;
}

void CXTPDockingPaneWhidbeyTheme::RefreshMetrics()
{
    CXTPDockingPaneOfficeTheme::RefreshMetrics();
    m_clrNormalCaptionText.SetStandardValue(GetColor(COLOR_INACTIVECAPTIONTEXT));
    int nScheme = GetColorManager()->GetCurrentSystemTheme();
    if (nScheme == xtpSystemThemeBlue || nScheme == xtpSystemThemeOlive)
    {
        m_clrSplitterGradient.SetStandardValue(RGB(229, 229, 215), RGB(244, 241, 231), 0.5f);
        m_clrNormalCaption.SetStandardValue(RGB(216, 215, 198), RGB(238, 239, 229), 0.5f);
        m_clrNormalCaptionText.SetStandardValue(0);
    }
    else if (nScheme == xtpSystemThemeSilver)
    {
        m_clrSplitterGradient.SetStandardValue(RGB(215, 215, 229), RGB(243, 243, 247), 0.5f);
        m_clrNormalCaption.SetStandardValue(RGB(224, 224, 235), RGB(242, 242, 246), 0.5f);
        m_clrActiveCaption.SetStandardValue(RGB(160, 158, 186), RGB(224, 225, 235), 0.5f);
        m_clrNormalCaptionText.SetStandardValue(0);
    }
}

CXTPDockingPaneVisualStudio2005SecondTheme::CXTPDockingPaneVisualStudio2005SecondTheme()
{
    m_nCaptionButtonStyle = 1;
    m_nCaptionFontGap = 5;
    m_pPanelPaintManager->SetAppearance(xtpTabAppearanceVisualStudio2005);
    m_pTabPaintManager->SetAppearance(xtpTabAppearanceVisualStudio2005);
    m_pPanelPaintManager->SetColorSet(new CColorSetWhidbey(TRUE, FALSE));
    m_pTabPaintManager->SetColorSet(new CColorSetWhidbey(TRUE, FALSE));
}

void CXTPDockingPaneVisualStudio2005SecondTheme::RefreshMetrics()
{
    CXTPDockingPaneWhidbeyTheme::RefreshMetrics();
    m_clrNormalCaption.SetStandardValueSolid(GetColor(COLOR_INACTIVECAPTION));
    m_clrActiveCaption.SetStandardValueSolid(GetColor(COLOR_ACTIVECAPTION));
    m_clrCaptionBorder.SetStandardValue(GetColor(COLOR_BTNSHADOW));
    switch (GetColorManager()->GetCurrentSystemTheme())
    {
    case xtpSystemThemeBlue:
        m_clrNormalCaption.SetStandardValueSolid(RGB(204, 199, 186));
        m_clrActiveCaption.SetStandardValue(RGB(59, 128, 237), RGB(49, 106, 197), 0.5f);
        m_clrNormalCaptionText.SetStandardValue(0);
        break;
    case xtpSystemThemeOlive:
        m_clrNormalCaption.SetStandardValueSolid(RGB(204, 199, 186));
        m_clrActiveCaption.SetStandardValue(RGB(182, 195, 146), RGB(145, 160, 117), 0.5f);
        m_clrNormalCaptionText.SetStandardValue(0);
        break;
    case xtpSystemThemeSilver:
        m_clrNormalCaption.SetStandardValueSolid(RGB(240, 240, 245));
        m_clrActiveCaption.SetStandardValue(RGB(211, 212, 221), RGB(166, 165, 191), 0.5f);
        m_clrCaptionBorder.SetStandardValue(RGB(145, 155, 156));
        m_clrNormalCaptionText.SetStandardValue(0);
        break;
    }
}

COLORREF CXTPDockingPaneVisualStudio2005SecondTheme::DrawCaptionBackground(CDC* pDC, CRect rcCaption, BOOL bActive,
                                                                          BOOL bVertical)
{
    XTPDrawHelpers()->GradientFill(pDC, rcCaption, bActive ? m_clrActiveCaption : m_clrNormalCaption, !bVertical);
    COLORREF clr = m_clrCaptionBorder;
    if (!bVertical)
    {
        pDC->FillSolidRect(rcCaption.left, rcCaption.top, 1, rcCaption.Height(), clr);
        pDC->FillSolidRect(rcCaption.left, rcCaption.top, rcCaption.Width(), 1, clr);
        pDC->FillSolidRect(rcCaption.right - 1, rcCaption.top, 1, rcCaption.Height(), clr);
    }
    else
    {
        pDC->FillSolidRect(rcCaption.left, rcCaption.bottom - 1, rcCaption.Width(), 1, clr);
        pDC->FillSolidRect(rcCaption.left, rcCaption.top, 1, rcCaption.Height(), clr);
        pDC->FillSolidRect(rcCaption.left, rcCaption.top, rcCaption.Width(), 1, clr);
    }
    return bActive ? m_clrActiveCaptionText : m_clrNormalCaptionText;
}

CXTPDockingPaneVisualStudio2005Theme::CXTPDockingPaneVisualStudio2005Theme()
{
    CXTPTabPaintManager::CAppearanceSetPropertyPageFlat* pAutoHideSet =
        new CXTPTabPaintManager::CAppearanceSetPropertyPageFlat();
    pAutoHideSet->m_bRoundedCorners = FALSE;
    m_pTabPaintManager->SetAppearanceSet(pAutoHideSet);
    CXTPTabPaintManager::CAppearanceSetPropertyPageFlat* pPanelSet =
        new CXTPTabPaintManager::CAppearanceSetPropertyPageFlat();
    pPanelSet->m_bRoundedCorners = FALSE;
    pPanelSet->m_bLeftRect = TRUE;
    m_pPanelPaintManager->SetAppearanceSet(pPanelSet);

    m_pPanelPaintManager->SetColorSet(new CColorSetVisualStudio2005(TRUE));
    m_pTabPaintManager->SetColorSet(new CColorSetVisualStudio2005(FALSE));
    m_pTabPaintManager->m_bRotateImageOnVerticalDraw = TRUE;
    m_pPanelPaintManager->m_clientFrame = xtpTabFrameSingleLine;
    m_pPanelPaintManager->m_rcClientMargin.top = 1;
}
