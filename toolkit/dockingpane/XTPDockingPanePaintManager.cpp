// The docking-pane paint manager: metrics, fonts, colours, caption buttons
// and their glyphs, caption text and icons, splitters.
#include "XTPDockingPanePaintManager.h"

#include "XTPDockingPane.h"
#include "XTPDockingPaneManager.h"
#include "XTPDockingPaneMiniWnd.h"
#include "XTPDockingPaneSplitterContainer.h"
#include "XTPDockingPaneTabbedContainer.h"

#include <XTPDCHelpers.h>
#include <XTPDrawHelpers.h>
#include <XTPImageManager.h>
#include <XTPTabPaintManager.h>

#include <vssym32.h>

#include <algorithm>

namespace
{
// SPI_GETNONCLIENTMETRICS is asked with the layout before the padded-border
// field, which every system answers.
const UINT kNonClientMetricsSize = 340;
const int kMinCaptionTextHeight = 13;
const int kMinTabsHeight = 24;
const LONG kMinVerticalFontHeight = -11;

BOOL IsOwnerActive(const CXTPDockingPaneBase* pOwner)
{
    if (pOwner == NULL)
        return FALSE;
    if (pOwner->GetType() == xtpPaneTypeTabbedContainer)
        return static_cast<const CXTPDockingPaneTabbedContainer*>(pOwner)->IsPaneActive();
    if (pOwner->GetType() == xtpPaneTypeMiniWnd)
        return static_cast<const CXTPDockingPaneMiniWnd*>(pOwner)->IsActive();
    return FALSE;
}

int TextHeightOf(CFont* pFont)
{
    CWindowDC dc(NULL);
    CXTPFontDC font(&dc, pFont);
    return dc.GetTextExtent(CString(" ")).cy;
}
} // namespace

CXTPDockingPanePaintManager::CXTPDockingPanePaintManager()
    : m_bBoldCaptionFont(TRUE), m_bHighlightActiveCaption(TRUE), m_nSplitterSize(4), m_bShowCaption(TRUE),
      m_bDrawSingleTab(FALSE), m_bDrawCaptionIcon(FALSE), m_nCaptionButtonStyle(0), m_dwSplitterStyle(0),
      m_nCaptionHeight(0), m_nCaptionFontGap(5), m_nTabsHeight(0), m_bUseTahomaFont(FALSE), m_bUseStandardFont(TRUE),
      m_pPanelPaintManager(NULL), m_pTabPaintManager(NULL), m_nTheme(0), m_strFontFace(_T("Tahoma")),
      m_rcCaptionMargin(0, 2, 0, 1), m_nLunaColorMode(xtpSystemThemeDefault), m_bLunaColors(FALSE)
{
    EnableAutomation();
    for (int i = 0; i < 63; i++)
        m_arrColor[i] = 0;

    m_pPanelPaintManager = new CXTPTabPaintManager();
    m_pPanelPaintManager->SetLayout(xtpTabLayoutSizeToFit);
    m_pPanelPaintManager->SetPosition(xtpTabPositionBottom);
    m_pPanelPaintManager->m_clientFrame = xtpTabFrameSingleLine;
    m_pPanelPaintManager->m_bBoldSelected = FALSE;
    m_pPanelPaintManager->m_toolBehaviour = xtpTabToolTipAlways;

    m_pTabPaintManager = new CXTPTabPaintManager();
    m_pTabPaintManager->SetLayout(xtpTabLayoutCompressed);
    m_pTabPaintManager->m_clientFrame = xtpTabFrameNone;
    m_pTabPaintManager->m_bBoldSelected = FALSE;
    m_pTabPaintManager->m_bInvertGradient = TRUE;
    m_pTabPaintManager->m_bFillBackground = FALSE;
}

CXTPDockingPanePaintManager::~CXTPDockingPanePaintManager()
{
    m_pPanelPaintManager->InternalRelease();
    m_pTabPaintManager->InternalRelease();
    m_themeToolbar.CloseThemeData();
    m_themeExplorer.CloseThemeData();
    m_themeButton.CloseThemeData();
    m_themeWindow.CloseThemeData();
}

COLORREF CXTPDockingPanePaintManager::GetColor(int nIndex) const
{
    if (nIndex >= 0 && nIndex < 63)
        return m_arrColor[nIndex];
    return (COLORREF)nIndex;
}

void CXTPDockingPanePaintManager::SetColors(int nCount, const int* pIndices, const COLORREF* pValues)
{
    for (int i = 0; i < nCount; i++)
    {
        if (pIndices[i] >= 0 && pIndices[i] < 63)
            m_arrColor[pIndices[i]] = pValues[i];
    }
}

int CXTPDockingPanePaintManager::GetCurrentSystemTheme() const
{
    CXTPColorManager* pColorManager = GetColorManager();
    if (m_nLunaColorMode == xtpSystemThemeDefault)
        return pColorManager->IsLunaColorsDisabled() ? xtpSystemThemeUnknown : pColorManager->GetCurrentSystemTheme();
    if (m_nLunaColorMode == xtpSystemThemeAuto)
        return pColorManager->GetLunaTheme();
    return m_nLunaColorMode;
}

void CXTPDockingPanePaintManager::RefreshMetrics()
{
    RefreshColorManager();
    for (int i = 0; i < 63; i++)
        m_arrColor[i] = GetXTPSysColor(i);

    m_clrSplitter.SetStandardValue(GetColor(COLOR_BTNSHADOW));
    m_clrSplitterFace.SetStandardValue(GetColor(COLOR_BTNFACE));
    m_clrSplitterGradient.SetStandardValue(
        GetColor(COLOR_BTNFACE), CXTPColorManager::MixColors(GetColor(COLOR_BTNFACE), GetColor(COLOR_WINDOW), 205),
        0.5f);

    if (m_bUseStandardFont)
    {
        NONCLIENTMETRICS ncm;
        ZeroMemory(&ncm, sizeof(ncm));
        ncm.cbSize = kNonClientMetricsSize;
        if (::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &ncm, 0))
        {
            if (!m_bBoldCaptionFont)
                ncm.lfSmCaptionFont.lfWeight = FW_NORMAL;
            SetCaptionFont(&ncm.lfSmCaptionFont, TRUE);
        }
        else
        {
            TRACE("The system's caption font could not be read.\n");
        }
    }

    m_pPanelPaintManager->RefreshMetrics();
    m_pTabPaintManager->RefreshMetrics();
    m_nTabsHeight = std::max(kMinTabsHeight, TextHeightOf(m_pPanelPaintManager->GetFont()) + 10);

    m_themeExplorer.OpenThemeData(NULL, L"EXPLORERBAR");
    m_themeButton.OpenThemeData(NULL, L"BUTTON");
    m_themeToolbar.OpenThemeData(NULL, L"TOOLBAR");
    m_themeWindow.OpenThemeData(NULL, L"WINDOW");
    m_bLunaColors = FALSE;
}

void CXTPDockingPanePaintManager::SetCaptionFont(LOGFONT* pLogFont, BOOL bUseStandardFont)
{
    m_bUseStandardFont = bUseStandardFont;
    LOGFONT lf = *pLogFont;
    if (m_bUseTahomaFont && bUseStandardFont && lf.lfCharSet < 3 && CXTPDrawHelpers::FontExists(_T("Tahoma")))
        lstrcpyn(lf.lfFaceName, _T("Tahoma"), LF_FACESIZE);

    m_fntTitle.DeleteObject();
    m_fntTitle.CreateFontIndirect(&lf);

    lf.lfEscapement = 900;
    lf.lfOrientation = 2700;
    if (lf.lfHeight < 0 && lf.lfHeight > kMinVerticalFontHeight)
        lf.lfHeight = kMinVerticalFontHeight;
    CString strFace = CXTPDrawHelpers::GetDefaultFontName(m_bUseTahomaFont);
    lstrcpyn(lf.lfFaceName, strFace, LF_FACESIZE);
    m_fntTitleVertical.DeleteObject();
    m_fntTitleVertical.CreateFontIndirect(&lf);

    m_nCaptionHeight = m_nCaptionFontGap + std::max(kMinCaptionTextHeight, TextHeightOf(&m_fntTitle));
}

CXTPDockingPane* AFX_CDECL CXTPDockingPanePaintManager::GetCaptionPane(const CXTPDockingPaneBase* pOwner)
{
    if (pOwner == NULL)
        return NULL;
    if (pOwner->GetType() == xtpPaneTypeTabbedContainer)
        return static_cast<const CXTPDockingPaneTabbedContainer*>(pOwner)->GetSelected();
    if (pOwner->GetType() == xtpPaneTypeMiniWnd)
    {
        CXTPDockingPaneBaseList lst;
        const_cast<CXTPDockingPaneBase*>(pOwner)->FindPanes(xtpPaneTypeTabbedContainer, &lst);
        if (lst.GetCount() == 1)
            return static_cast<CXTPDockingPaneTabbedContainer*>(lst.GetHead())->GetSelected();
    }
    return NULL;
}

BOOL AFX_CDECL CXTPDockingPanePaintManager::IsCaptionPaneEnabled(const CXTPDockingPaneBase* pOwner)
{
    CXTPDockingPane* pPane = GetCaptionPane(pOwner);
    return pPane == NULL || (pPane->GetEnabled() & xtpPaneEnabled) != 0;
}

//////////////////////////////////////////////////////////////////////////
// Panes, captions and client rectangles

void CXTPDockingPanePaintManager::DrawPane(CDC* pDC, CXTPDockingPaneTabbedContainer* pPane, CRect rc)
{
    pDC->FillSolidRect(rc, GetColor(COLOR_BTNFACE));
    pDC->SetBkMode(TRANSPARENT);
    if (pPane->IsTabsVisible())
    {
        CRect rcTabs(rc);
        AdjustCaptionRect(pPane, rcTabs);
        m_pPanelPaintManager->DrawTabControl(pPane, pDC, rcTabs);
    }
    if (pPane->IsCaptionVisible())
        DrawCaption(pDC, pPane, rc);
}

void CXTPDockingPanePaintManager::AdjustCaptionRect(const CXTPDockingPaneTabbedContainer* pPane, CRect& rc)
{
    if (!pPane->IsCaptionVisible())
        return;
    int nCaption = m_rcCaptionMargin.top + m_rcCaptionMargin.bottom + m_nCaptionHeight;
    if (pPane->IsCaptionVertical())
        rc.left += nCaption;
    else
        rc.top += nCaption;
}

void CXTPDockingPanePaintManager::AdjustClientRect(CXTPDockingPaneTabbedContainer* pPane, CRect& rect, BOOL bApply)
{
    AdjustCaptionRect(pPane, rect);
    if (!pPane->IsTabsVisible())
        return;
    if (bApply)
    {
        CClientDC dc(pPane);
        m_pPanelPaintManager->RepositionTabControlEntry(pPane, &dc, rect);
    }
    m_pPanelPaintManager->AdjustClientRect(pPane, rect);
}

CRect CXTPDockingPanePaintManager::GetCaptionGripperRect(const CXTPDockingPaneTabbedContainer* pPane)
{
    return CRect(0, 0, 0, 0);
}

int CXTPDockingPanePaintManager::DrawCaptionText(CDC* pDC, const CString& strTitle, CRect rc, BOOL bVertical,
                                                 BOOL bMeasure)
{
    if (strTitle.IsEmpty())
        return 0;
    if (!bVertical)
    {
        CXTPFontDC font(pDC, &m_fntTitle);
        if (bMeasure)
        {
            CRect rcText(0, 0, 0, 0);
            pDC->DrawText(strTitle, rcText, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
            return rcText.Width();
        }
        pDC->DrawText(strTitle, rc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        return 0;
    }
    CXTPFontDC font(pDC, &m_fntTitleVertical);
    int nLength = pDC->GetTextExtent(strTitle).cx;
    if (!bMeasure && rc.Height() > rc.Width())
        CXTPTabPaintManager::DrawVerticalText(pDC, strTitle, rc, TRUE);
    return nLength;
}

void CXTPDockingPanePaintManager::DrawCaptionIcon(CDC* pDC, const CXTPDockingPaneBase* pOwner, CRect& rcCaption,
                                                  BOOL bVertical)
{
    if (!m_bDrawCaptionIcon)
        return;
    CXTPDockingPane* pPane = GetCaptionPane(pOwner);
    CSize szIcon = m_pPanelPaintManager->m_szIcon;
    CXTPImageManagerIcon* pImage = pPane != NULL ? pPane->GetIcon(szIcon.cx) : NULL;
    if (pImage == NULL)
        return;
    CXTPImageManagerIconHandle& hIcon =
        (pPane->GetEnabled() & xtpPaneEnabled) ? pImage->GetIcon() : pImage->GetDisabledIcon();
    if (!bVertical && rcCaption.Width() >= szIcon.cx)
    {
        pImage->Draw(pDC, CPoint(rcCaption.left, rcCaption.CenterPoint().y - szIcon.cy / 2), hIcon, szIcon);
        rcCaption.left += szIcon.cx + 3;
    }
    else if (bVertical && rcCaption.Height() >= szIcon.cy)
    {
        pImage->Draw(pDC, CPoint(rcCaption.CenterPoint().x - szIcon.cy / 2, rcCaption.top), hIcon, szIcon);
        rcCaption.top += szIcon.cy + 3;
    }
}

//////////////////////////////////////////////////////////////////////////
// Caption buttons

void CXTPDockingPanePaintManager::DrawCaptionButtons(CDC* pDC, CXTPDockingPaneCaptionButtons* pButtons,
                                                     CRect& rcCaption, COLORREF clr, int nButtonSize, int nButtonGap,
                                                     BOOL bVertical)
{
    if (pButtons == NULL)
        return;
    CRect rcSlot = bVertical
                       ? CRect((rcCaption.left + rcCaption.right) / 2 - nButtonSize / 2, rcCaption.bottom - nButtonSize,
                               0, 0)
                       : CRect(rcCaption.right - nButtonSize, (rcCaption.top + rcCaption.bottom) / 2 - nButtonSize / 2,
                               0, 0);
    rcSlot.right = rcSlot.left + nButtonSize;
    rcSlot.bottom = rcSlot.top + nButtonSize;

    for (int i = 0; i < pButtons->GetSize(); i++)
    {
        CXTPDockingPaneCaptionButton* pButton = pButtons->GetAt(i);
        if (i == 0)
        {
            CXTPDockingPane* pPane = GetCaptionPane(pButton->GetOwner());
            if (pPane != NULL && (pPane->GetEnabled() & xtpPaneEnableActions) == 0)
                clr = GetColor(COLOR_GRAYTEXT);
        }
        if (pButton->IsVisible())
        {
            pButton->SetRect(rcSlot);
            DrawCaptionButton(pDC, pButton, clr);
            if (bVertical)
                rcSlot.OffsetRect(0, -(nButtonSize + nButtonGap));
            else
                rcSlot.OffsetRect(-(nButtonSize + nButtonGap), 0);
        }
        else
        {
            pButton->SetRect(CRect(0, 0, 0, 0));
        }
    }
    if (bVertical)
        rcCaption.bottom = rcSlot.bottom;
    else
        rcCaption.right = rcSlot.right;
}

void CXTPDockingPanePaintManager::DrawClassicButtonFace(CDC* pDC, CXTPDockingPaneCaptionButton* pButton,
                                                        BOOL& bShiftGlyph)
{
    CRect rc = pButton->GetRect();
    if (pButton->IsPressed())
    {
        pDC->Draw3dRect(rc, GetColor(COLOR_BTNTEXT), GetColor(COLOR_BTNHIGHLIGHT));
        bShiftGlyph = TRUE;
    }
    else if (pButton->IsHighlighted())
    {
        pDC->Draw3dRect(rc, GetColor(COLOR_BTNHIGHLIGHT), GetColor(COLOR_BTNTEXT));
    }
}

COLORREF CXTPDockingPanePaintManager::DrawCaptionButtonFace(CDC* pDC, CXTPDockingPaneCaptionButton* pButton,
                                                            COLORREF clrButton, BOOL& bShiftGlyph)
{
    CRect rc = pButton->GetRect();
    const BOOL bPressed = pButton->IsPressed();
    const BOOL bHot = pButton->IsHighlighted();
    const int nID = pButton->GetID();
    HDC hDC = pDC->GetSafeHdc();
    int nStyle = m_nCaptionButtonStyle;

    if (nStyle == 3)
    {
        if (!m_themeExplorer.IsValid())
        {
            DrawClassicButtonFace(pDC, pButton, bShiftGlyph);
            return clrButton;
        }
        if (nID == XTP_IDS_DOCKINGPANE_CLOSE || nID == XTP_IDS_DOCKINGPANE_AUTOHIDE)
        {
            int nState = bPressed ? 3 : bHot ? 2 : 1;
            if (nID == XTP_IDS_DOCKINGPANE_CLOSE && nState == 1 && m_bHighlightActiveCaption &&
                IsOwnerActive(pButton->GetOwner()))
                nState = 2;
            int nPart = nID == XTP_IDS_DOCKINGPANE_CLOSE ? 2 : 3;
            if (nID == XTP_IDS_DOCKINGPANE_AUTOHIDE && (pButton->GetState() & 2) == 0)
                nState += 3;
            if (SUCCEEDED(m_themeExplorer.DrawThemeBackground(hDC, nPart, nState, rc, NULL)))
                return COLORREF_NULL;
        }
        nStyle = 4;
    }
    if (nStyle == 4)
    {
        if (!m_themeButton.IsValid())
        {
            DrawClassicButtonFace(pDC, pButton, bShiftGlyph);
            return clrButton;
        }
        if (!bPressed && !bHot)
            return clrButton;
        int nState = bPressed ? PBS_PRESSED : PBS_HOT;
        m_themeButton.DrawThemeBackground(hDC, BP_PUSHBUTTON, nState, rc, NULL);
        COLORREF clrText = clrButton;
        m_themeButton.GetThemeColor(BP_PUSHBUTTON, nState, TMT_TEXTCOLOR, &clrText);
        return clrText;
    }
    if (nStyle == 5)
    {
        if (!m_themeToolbar.IsValid())
            DrawClassicButtonFace(pDC, pButton, bShiftGlyph);
        else if (bPressed || bHot)
            m_themeToolbar.DrawThemeBackground(hDC, TP_BUTTON, bPressed ? TS_PRESSED : TS_HOT, rc, NULL);
        return clrButton;
    }
    if (nStyle == 6)
    {
        if (nID != XTP_IDS_DOCKINGPANE_CLOSE || !m_themeWindow.IsValid())
        {
            DrawClassicButtonFace(pDC, pButton, bShiftGlyph);
            return clrButton;
        }
        int nState = bPressed ? 3 : bHot ? 2 : IsOwnerActive(pButton->GetOwner()) ? 1 : 5;
        m_themeWindow.DrawThemeBackground(hDC, WP_SMALLCLOSEBUTTON, nState, rc, NULL);
        return clrButton;
    }
    if (nStyle == 2)
    {
        COLORREF clrGlyph = clrButton;
        if (bHot)
        {
            if (m_bLunaColors)
            {
                XTPDrawHelpers()->GradientFill(pDC, rc, RGB(255, 242, 200), RGB(255, 212, 151), FALSE);
                clrGlyph = 0;
            }
            else
            {
                pDC->FillSolidRect(rc, GetColor(XPCOLOR_HIGHLIGHT));
                clrGlyph = GetColor(XPCOLOR_HIGHLIGHT_TEXT);
            }
            pDC->Draw3dRect(rc, GetColor(XPCOLOR_HIGHLIGHT_BORDER), GetColor(XPCOLOR_HIGHLIGHT_BORDER));
        }
        if (bPressed)
        {
            if (m_bLunaColors)
            {
                XTPDrawHelpers()->GradientFill(pDC, rc, RGB(254, 142, 75), RGB(255, 207, 139), FALSE);
                clrGlyph = 0;
            }
            else
            {
                pDC->FillSolidRect(rc, GetColor(XPCOLOR_HIGHLIGHT_PUSHED));
                clrGlyph = GetColor(XPCOLOR_PUSHED_TEXT);
            }
            pDC->Draw3dRect(rc, GetColor(XPCOLOR_HIGHLIGHT_BORDER), GetColor(XPCOLOR_HIGHLIGHT_BORDER));
        }
        return clrGlyph;
    }
    if (nStyle == 1)
    {
        DrawClassicButtonFace(pDC, pButton, bShiftGlyph);
        return clrButton;
    }

    // Style 0: a push button of the system.
    UINT nState = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (bPressed ? DFCS_PUSHED : 0);
    pDC->DrawFrameControl(rc, DFC_BUTTON, nState);
    bShiftGlyph = bPressed;
    return clrButton;
}

void CXTPDockingPanePaintManager::DrawCaptionButton(CDC* pDC, CXTPDockingPaneCaptionButton* pButton,
                                                    COLORREF clrButton)
{
    BOOL bShiftGlyph = FALSE;
    COLORREF clrGlyph = DrawCaptionButtonFace(pDC, pButton, clrButton, bShiftGlyph);
    if (clrGlyph == COLORREF_NULL)
        return;
    CRect rc = pButton->GetRect();
    CPoint pt((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    if (bShiftGlyph)
        pt.Offset(1, 1);
    DrawCaptionButtonGlyph(pDC, pButton, pt, clrGlyph);
}

void CXTPDockingPanePaintManager::DrawCaptionButtonGlyph(CDC* pDC, CXTPDockingPaneCaptionButton* pButton, CPoint pt,
                                                         COLORREF clr)
{
    const int x = pt.x, y = pt.y;
    CXTPPenDC pen(pDC->GetSafeHdc(), clr);
    auto line = [pDC](int x0, int y0, int x1, int y1) {
        pDC->MoveTo(x0, y0);
        pDC->LineTo(x1, y1);
    };

    switch (pButton->GetID())
    {
    case XTP_IDS_DOCKINGPANE_CLOSE:
        line(x - 4, y - 4, x + 3, y + 3);
        line(x - 4, y + 2, x + 3, y - 5);
        line(x - 3, y - 4, x + 4, y + 3);
        line(x - 3, y + 2, x + 4, y - 5);
        break;

    case XTP_IDS_DOCKINGPANE_AUTOHIDE:
    {
        const int yp = y - 1;
        if (pButton->GetState() & 2)
        {
            // The pin lying.
            line(x - 4, yp, x - 1, yp);
            line(x - 1, yp - 3, x - 1, yp + 4);
            CPoint pts[5] = { CPoint(x - 1, yp + 2), CPoint(x + 3, yp + 2), CPoint(x + 3, yp - 2),
                              CPoint(x - 1, yp - 2), CPoint(x - 1, yp + 2) };
            pDC->Polyline(pts, 5);
            line(x - 1, yp + 1, x + 3, yp + 1);
        }
        else
        {
            // The pin upright.
            line(x - 3, yp + 1, x + 4, yp + 1);
            line(x, yp + 1, x, yp + 5);
            CPoint pts[5] = { CPoint(x - 2, yp + 1), CPoint(x - 2, yp - 4), CPoint(x + 2, yp - 4),
                              CPoint(x + 2, yp + 1), CPoint(x - 2, yp + 1) };
            pDC->Polyline(pts, 5);
            line(x + 1, yp + 1, x + 1, yp - 4);
        }
        break;
    }

    case XTP_IDS_DOCKINGPANE_MAXIMIZE:
        pDC->Draw3dRect(x - 5, y - 5, 9, 9, clr, clr);
        pDC->FillSolidRect(x - 5, y - 5, 9, 2, clr);
        break;

    case XTP_IDS_DOCKINGPANE_RESTORE:
        pDC->Draw3dRect(x - 4, y - 2, 6, 6, clr, clr);
        pDC->FillSolidRect(x - 4, y - 2, 6, 2, clr);
        pDC->FillSolidRect(x - 2, y - 5, 6, 2, clr);
        pDC->FillSolidRect(x + 3, y - 3, 1, 4, clr);
        pDC->SetPixel(x - 2, y - 3, clr);
        pDC->SetPixel(x + 2, y, clr);
        break;

    case XTP_IDS_DOCKINGPANE_MENU:
    {
        CXTPBrushDC brush(pDC->GetSafeHdc(), clr);
        CPoint pts[4] = { CPoint(x - 4, y - 1), CPoint(x - 1, y + 2), CPoint(x, y + 2), CPoint(x + 3, y - 1) };
        pDC->Polygon(pts, 4);
        break;
    }
    }
}

//////////////////////////////////////////////////////////////////////////
// Splitters

void CXTPDockingPanePaintManager::DrawSplitterGradient(CDC* pDC, CRect rc, const CXTPPaintManagerColorGradient& grc,
                                                       CWnd* pSite, BOOL bAcross)
{
    if (CXTPDrawHelpers::IsLowColorDepth(pDC->GetSafeHdc()) || pSite == NULL || pSite->GetSafeHwnd() == NULL)
    {
        pDC->FillSolidRect(rc, grc.clrLight);
        return;
    }
    // rc is given in the site's client coordinates and drawn at its place
    // in the DC, whose origin is the caller's (the viewport offset maps it).
    CRect rcSite;
    pSite->GetWindowRect(&rcSite);
    pSite->ScreenToClient(&rcSite);
    double dExtent = bAcross ? rcSite.Width() : rcSite.Height();
    if (bAcross && rcSite.Width() <= ::GetSystemMetrics(SM_CXFULLSCREEN) / 2)
        dExtent = ::GetSystemMetrics(SM_CXFULLSCREEN) / 2;
    if (dExtent <= 0)
        dExtent = 1;
    double dFrom = bAcross ? (rc.left - rcSite.left) / dExtent : (rc.top - rcSite.top) / dExtent;
    double dTo = bAcross ? (rc.right - rcSite.left) / dExtent : (rc.bottom - rcSite.top) / dExtent;
    dFrom = std::max(0.0, std::min(dFrom, 1.0));
    dTo = std::max(0.0, std::min(dTo, 1.0));
    COLORREF clrFrom = CXTPDrawHelpers::BlendColors(grc.clrDark, grc.clrLight, (float)dFrom);
    COLORREF clrTo = CXTPDrawHelpers::BlendColors(grc.clrDark, grc.clrLight, (float)dTo);
    XTPDrawHelpers()->GradientFill(pDC, rc, clrFrom, clrTo, bAcross);
}

void CXTPDockingPanePaintManager::DrawSplitter(CDC* pDC, CXTPDockingPaneSplitterWnd* pSplitter)
{
    CRect rc;
    pSplitter->GetClientRect(&rc);
    const BOOL bHorizontal = pSplitter->IsHorizontal();
    const DWORD dwStyle = (DWORD)m_dwSplitterStyle;
    const COLORREF clrFace = m_clrSplitterFace;

    if (dwStyle & 0x1)
    {
        pDC->FillSolidRect(rc, clrFace);
        if (bHorizontal)
        {
            pDC->FillSolidRect(rc.left, rc.top, rc.Width(), 1, GetColor(COLOR_BTNHIGHLIGHT));
            pDC->FillSolidRect(rc.left, rc.bottom - 2, rc.Width(), 1, GetColor(XPCOLOR_3DSHADOW));
            pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, GetColor(COLOR_BTNTEXT));
        }
        else
        {
            pDC->FillSolidRect(rc.left, rc.top, 1, rc.Height(), GetColor(COLOR_BTNHIGHLIGHT));
            pDC->FillSolidRect(rc.right - 2, rc.top, 1, rc.Height(), GetColor(XPCOLOR_3DSHADOW));
            pDC->FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), GetColor(COLOR_BTNTEXT));
        }
    }
    else if (dwStyle & 0x2)
    {
        const int h = m_nSplitterSize / 2;
        pDC->FillSolidRect(rc, clrFace);
        const int nDepth = bHorizontal ? rc.Height() : rc.Width();
        for (int i = 0; i < nDepth; i++)
        {
            COLORREF clr = (i == 0 || i == nDepth - 1) ? GetColor(COLOR_3DDKSHADOW)
                           : i < h                     ? GetColor(COLOR_WINDOW)
                                                       : clrFace;
            if (bHorizontal)
                pDC->FillSolidRect(rc.left, rc.top + i, rc.Width(), 1, clr);
            else
                pDC->FillSolidRect(rc.left + i, rc.top, 1, rc.Height(), clr);
        }
    }
    else if (dwStyle & (0x4 | 0x8))
    {
        // The gradient continues from bar to bar across the site.
        CWnd* pSite = pSplitter->GetParent();
        CRect rcInSite(rc);
        if (pSite != NULL)
            pSplitter->MapWindowPoints(pSite, rcInSite);
        int nSaved = pDC->SaveDC();
        pDC->OffsetViewportOrg(rc.left - rcInSite.left, rc.top - rcInSite.top);
        DrawSplitterGradient(pDC, rcInSite, m_clrSplitterGradient, pSite, (dwStyle & 0x4) != 0);
        pDC->RestoreDC(nSaved);
    }
    else
    {
        pDC->FillSolidRect(rc, clrFace);
    }

    CPoint ptCenter = rc.CenterPoint();
    if (dwStyle & 0x100)
    {
        if (bHorizontal)
        {
            pDC->FillSolidRect(ptCenter.x - 5, ptCenter.y - 1, 11, 1, m_clrSplitter);
            pDC->FillSolidRect(ptCenter.x - 5, ptCenter.y + 1, 11, 1, m_clrSplitter);
        }
        else
        {
            pDC->FillSolidRect(ptCenter.x - 1, ptCenter.y - 5, 1, 11, m_clrSplitter);
            pDC->FillSolidRect(ptCenter.x + 1, ptCenter.y - 5, 1, 11, m_clrSplitter);
        }
    }
    if (dwStyle & 0x200)
    {
        const int nHalf = std::min(32, (bHorizontal ? rc.Width() : rc.Height()) / 2 - 2);
        for (int d = -nHalf; d <= nHalf - 2; d += 4)
        {
            int x = bHorizontal ? ptCenter.x + d : ptCenter.x - 1;
            int y = bHorizontal ? ptCenter.y - 1 : ptCenter.y + d;
            pDC->FillSolidRect(x, y, 2, 2, m_clrSplitter);
            pDC->FillSolidRect(x + 1, y + 1, 2, 2, GetColor(COLOR_BTNHIGHLIGHT));
        }
    }
}
