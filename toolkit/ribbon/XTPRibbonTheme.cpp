// The ribbon paint theme: metrics, fonts and the drawing of the ribbon.
#include "XTPRibbonTheme.h"

#include <algorithm>

#include "XTPCommandBar.h"
#include "XTPCommandBarKeyboardTip.h"
#include "XTPControlComboBox.h"
#include "XTPControlEdit.h"
#include "XTPStatusBar.h"
#include "XTPControl.h"
#include "XTPControls.h"
#include "XTPDCHelpers.h"
#include "XTPDrawHelpers.h"
#include "XTPImageManager.h"
#include "XTPPopupBar.h"
#include "XTPRibbonBar.h"
#include "XTPRibbonGroups.h"
#include "XTPRibbonTab.h"
#include "XTPSystemHelpers.h"

namespace
{
// Fills a rectangle with rounded corners: the face as a vertical gradient
// and a one-pixel border.
void FillRounded(CDC* pDC, CRect rc, COLORREF clrTop, COLORREF clrBottom, COLORREF clrBorder, int nRadius = 5)
{
    if (rc.IsRectEmpty())
        return;
    CRgn rgn;
    rgn.CreateRoundRectRgn(rc.left, rc.top, rc.right + 1, rc.bottom + 1, nRadius, nRadius);
    int nSaved = pDC->SaveDC();
    pDC->SelectClipRgn(&rgn, RGN_AND);
    XTPDrawHelpers()->GradientFill(pDC, rc, clrTop, clrBottom, FALSE);
    pDC->RestoreDC(nSaved);
    CBrush brush;
    brush.CreateSolidBrush(clrBorder);
    pDC->FrameRgn(&rgn, &brush, 1, 1);
}
} // namespace

//////////////////////////////////////////////////////////////////////////
// Tab look

CXTPRibbonTheme::CRibbonAppearanceSet::CRibbonAppearanceSet(CXTPRibbonTheme* pTheme) : m_pTheme(pTheme)
{
    m_rcHeaderMargin.SetRect(0, 1, 0, 0);
}

int CXTPRibbonTheme::CRibbonAppearanceSet::GetButtonHeight(const CXTPTabManager* /*pTabManager*/)
{
    return m_pTheme->GetTabHeight() + 1;
}

void CXTPRibbonTheme::CRibbonAppearanceSet::DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem)
{
    m_pTheme->DrawRibbonTab(pDC, pItem);
    m_pPaintManager->DrawItemIconAndText(pDC, pItem, pItem->GetRect(), TRUE);
}

void CXTPRibbonTheme::CRibbonColorSet::RefreshMetrics()
{
    CColorSetOffice2003::RefreshMetrics();
    m_clrTextNormal.SetStandardValue(m_pTheme->m_clrTabNormalText);
    m_clrTextHighlight.SetStandardValue(m_pTheme->m_clrTabNormalText);
    m_clrTextSelected.SetStandardValue(m_pTheme->m_clrTabSelectedText);
}

//////////////////////////////////////////////////////////////////////////
// Construction and metrics

// The ribbon theme is the theme of id 6 wherever the ribbon is linked in.
namespace
{
CXTPPaintManager* AFX_CDECL CreateRibbonTheme()
{
    return new CXTPRibbonTheme();
}

struct CRibbonThemeRegistrar
{
    CRibbonThemeRegistrar() { CXTPPaintManager::RegisterRibbonTheme(&CreateRibbonTheme); }
} s_ribbonThemeRegistrar;
} // namespace

CXTPRibbonTheme::CXTPRibbonTheme()
    : m_nTabHeight(23), m_nGroupCaptionHeight(17), m_nLargeButtonHeight(22), m_nFontHeight(0),
      m_bHighlightGroups(TRUE), m_pTabPaintManager(NULL)
{
    m_themeCurrent = xtpThemeRibbon;
    // A frame the ribbon draws takes the status bar into its bottom border.
    m_bFrameStatusBar = TRUE;
    m_bClearTypeTextQuality = TRUE;
    m_nSplitButtonDropDownWidth = 12;
    m_nSplitButtonPopupWidth = 26;
    m_strOfficeFont = _T("Segoe UI");
    m_bUseOfficeFont = TRUE;
    m_pTabPaintManager = CreateTabPaintManager();
    RefreshMetrics();
}

CXTPRibbonTheme::~CXTPRibbonTheme()
{
    if (m_pTabPaintManager != NULL)
        m_pTabPaintManager->InternalRelease();
    m_fontGroupCaption.DeleteObject();
}

BOOL CXTPRibbonTheme::DrawPart(CDC* pDC, LPCTSTR lpszName, CRect rc, int nState, int nCount, CRect rcMargins,
                               BOOL bTransparent)
{
    CXTPOffice2007Image* pImage = LoadImage(lpszName);
    if (pImage == NULL)
        return FALSE;
    DrawImagePart(pDC, pImage, rc, nState, nCount, rcMargins, bTransparent);
    return TRUE;
}

COLORREF CXTPRibbonTheme::RibbonColor(LPCTSTR lpszKey) const
{
    // A missing key gives -1: no colour, and what would be drawn in it is not.
    return GetImageColor(_T("Ribbon"), lpszKey);
}

void CXTPRibbonTheme::FillColour(CDC* pDC, const CRect& rc, COLORREF clr)
{
    if (clr != (COLORREF)-1 && !rc.IsRectEmpty())
        pDC->FillSolidRect(rc, clr);
}

CString AFX_CDECL CXTPRibbonTheme::GetContextColorName(int nColor)
{
    static const char* const s_names[] = { "BLUE", "YELLOW", "GREEN", "RED", "PURPLE", "CYAN", "ORANGE" };
    return nColor >= 1 && nColor <= 7 ? CString(s_names[nColor - 1]) : CString();
}

COLORREF AFX_CDECL CXTPRibbonTheme::GetContextColor(int nColor)
{
    static const COLORREF s_colors[] = { RGB(126, 170, 238), RGB(247, 207, 86),  RGB(142, 204, 101),
                                         RGB(236, 122, 110), RGB(176, 140, 226), RGB(96, 202, 222),
                                         RGB(248, 164, 78) };
    return nColor >= 1 && nColor <= 7 ? s_colors[nColor - 1] : RGB(191, 219, 255);
}

void CXTPRibbonTheme::SetFontHeight(int nHeight)
{
    m_nFontHeight = nHeight;
    UpdateFonts();
}

void CXTPRibbonTheme::RefreshMetrics()
{
    CXTPOffice2007Theme::RefreshMetrics();
    // Each colour member and the key of the colour set it is read from.
    static const struct
    {
        COLORREF CXTPRibbonTheme::*pColor;
        LPCTSTR lpszKey;
    } s_keyedColors[] = {
        {&CXTPRibbonTheme::m_clrRibbonFace, _T("RibbonFace")},
        {&CXTPRibbonTheme::m_clrRibbonText, _T("RibbonText")},
        {&CXTPRibbonTheme::m_clrGroupCaptionText, _T("GroupCaptionText")},
        {&CXTPRibbonTheme::m_clrControlEditNormal, _T("ControlEditNormal")},
        {&CXTPRibbonTheme::m_clrMinimizedFrameEdgeHighLight, _T("MinimizedFrameEdgeHighLight")},
        {&CXTPRibbonTheme::m_clrMinimizedFrameEdgeShadow, _T("MinimizedFrameEdgeShadow")},
        {&CXTPRibbonTheme::m_clrTabNormalText, _T("TabNormalText")},
        {&CXTPRibbonTheme::m_clrTabSelectedText, _T("TabSelectedText")},
        {&CXTPRibbonTheme::m_clrGroupBorder, _T("GroupBorder")},
        {&CXTPRibbonTheme::m_clrGroupFaceLight, _T("GroupFaceLight")},
        {&CXTPRibbonTheme::m_clrGroupFaceDark, _T("GroupFaceDark")},
        {&CXTPRibbonTheme::m_clrGroupCaptionLight, _T("GroupCaptionFaceLight")},
        {&CXTPRibbonTheme::m_clrGroupCaptionDark, _T("GroupCaptionFaceDark")},
    };
    for (const auto& entry : s_keyedColors)
        this->*entry.pColor = RibbonColor(entry.lpszKey);
    m_clrGroupsAreaLight = RGB(233, 241, 251);
    m_clrGroupsAreaDark = RGB(201, 220, 245);
    m_clrCaptionLight = RGB(227, 239, 255);
    m_clrCaptionDark = RGB(196, 218, 250);
    m_clrFrameText = m_clrFrameCaptionTextActive != (COLORREF)-1 ? m_clrFrameCaptionTextActive : RGB(62, 106, 170);
    // The three text colours that the Office 2007 refresh sets to black: the
    // text of controls in groups, of menu items and of hot controls.
    GetColorEntry(XPCOLOR_TOOLBAR_TEXT).SetStandardValue(RibbonColor(_T("GroupClientText")));
    GetColorEntry(XPCOLOR_MENUBAR_TEXT).SetStandardValue(RibbonColor(_T("MenuPopupText")));
    GetColorEntry(XPCOLOR_HIGHLIGHT_TEXT).SetStandardValue(RibbonColor(_T("ControlHighlightText")));
    // Menus: a grey border, a lighter face and lighter disabled text, and a
    // plain icon column beside items shown only when expanded.
    GetColorEntry(XPCOLOR_MENUBAR_BORDER).SetStandardValue(RGB(0x86, 0x86, 0x86));
    GetColorEntry(XPCOLOR_MENUBAR_FACE).SetStandardValue(RGB(0xFA, 0xFA, 0xFA));
    GetColorEntry(XPCOLOR_GRAYTEXT).SetStandardValue(RGB(0xA7, 0xA7, 0xA7));
    m_clrMenuExpandedGripper.SetStandardValue((COLORREF)0xEEEEE9, (COLORREF)0xEEEEE9, 0.5f);
    CreateShadedGlyph();
    if (m_pTabPaintManager != NULL)
    {
        m_pTabPaintManager->RefreshMetrics();
        if (m_pTabPaintManager->GetColorSet() != NULL)
            m_pTabPaintManager->GetColorSet()->RefreshMetrics();
    }
}

COLORREF CXTPRibbonTheme::GetControlEditBackColor(CXTPControl* pControl)
{
    if (!pControl->GetEnabled())
        return GetColor(COLOR_BTNFACE);
    if (pControl->GetSelected())
        return GetColor(COLOR_WINDOW);
    CXTPCommandBar* pBar = pControl->GetParent();
    if (pBar != NULL && pBar->GetType() == xtpBarTypePopup)
        return GetColor(41);
    return m_clrControlEditNormal;
}

void CXTPRibbonTheme::UpdateFonts()
{
    NONCLIENTMETRICSA ncm;
    XTPGetNonClientMetrics(ncm);
    int nSize = std::abs((int)ncm.lfMenuFont.lfHeight);
    if (m_nFontHeight > 11)
        nSize = m_nFontHeight;
    if (nSize <= 12)
        nSize = 11;
    int nDpi = 96;
    HDC hDC = ::GetDC(NULL);
    if (hDC != NULL)
    {
        nDpi = std::max(1, ::GetDeviceCaps(hDC, LOGPIXELSY));
        ::ReleaseDC(NULL, hDC);
    }

    LOGFONTA lf;
    ZeroMemory(&lf, sizeof(lf));
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = ncm.lfMenuFont.lfCharSet;
    lf.lfHeight = nSize * 125 / nDpi;
    if (m_bUseOfficeFont && FontExists("Segoe UI"))
        lstrcpynA(lf.lfFaceName, "Segoe UI", LF_FACESIZE);
    else
        lstrcpynA(lf.lfFaceName, ncm.lfMenuFont.lfFaceName, 32);
    BOOL bClearType = FALSE;
    UINT nSmoothing = 0;
    if (m_bClearTypeTextQuality && ::SystemParametersInfoA(0x200A /*SPI_GETFONTSMOOTHINGTYPE*/, 0, &nSmoothing, 0) &&
        nSmoothing == 2)
        bClearType = TRUE;
    lf.lfQuality = bClearType ? 5 : DEFAULT_QUALITY;

    if (m_bUseStandardFont)
        CreateCommandBarFonts(&lf, TRUE);

    int a = nSize * 144 / nDpi;
    m_nTextHeight = std::max(a + 6, 22);
    m_nLargeButtonHeight = std::max(nSize * 195 / nDpi, 22);
    m_nTabHeight = m_nLargeButtonHeight > 22 ? m_nLargeButtonHeight + 2 : 23;
    m_nGroupCaptionHeight = std::max(a, 17);
    m_nSplitButtonDropDownWidth = std::max(m_nTextHeight / 2, 12);

    m_fontGroupCaption.DeleteObject();
    m_fontGroupCaption.CreateFontIndirect(&lf);
    if (m_pTabPaintManager != NULL)
    {
        m_pTabPaintManager->RefreshMetrics();
        // The tab captions keep the ribbon's font: marked as the standard
        // one, the next refresh of the tab paint manager (the theme's own
        // refresh ends with it) would put the system's icon-title font back.
        m_pTabPaintManager->SetFontIndirect(&lf, FALSE);
    }
    // The remaining fonts of the base (icons, status, small caption). The
    // base would build the command-bar fonts again from the system's menu
    // font: they stay the ribbon's, so that its size reaches control text.
    BOOL bUseStandardFont = m_bUseStandardFont;
    m_bUseStandardFont = FALSE;
    CXTPPaintManager::UpdateFonts();
    m_bUseStandardFont = bUseStandardFont;
    // Building the command-bar fonts measured the control height from the
    // font; the ribbon's rule wins.
    m_nTextHeight = std::max(a + 6, 22);
}

CXTPTabPaintManager* CXTPRibbonTheme::CreateTabPaintManager()
{
    CXTPTabPaintManager* pManager = new CXTPTabPaintManager();
    pManager->SetAppearanceSet(new CRibbonAppearanceSet(this));
    pManager->SetLayout(xtpTabLayoutSizeToFit);
    pManager->SetColorSet(new CRibbonColorSet(this));
    pManager->m_bHotTracking = TRUE;
    pManager->m_clientFrame = 1;
    pManager->m_rcButtonMargin.SetRect(0, 2, 0, 2);
    pManager->m_rcButtonTextPadding.SetRect(4, 0, 4, 0);
    pManager->m_bFillBackground = FALSE;
    pManager->m_bDrawTextEndEllipsis = FALSE;
    pManager->m_bDrawTextNoPrefix = FALSE;
    pManager->m_bDrawFocusRect = FALSE;
    pManager->m_nButtonExtraLength = 21;
    pManager->m_toolBehaviour = xtpTabToolTipShrinkedOnly;
    pManager->m_bClearTypeTextQuality = TRUE;
    pManager->m_bClipHeader = FALSE;
    pManager->m_bSelectOnButtonDown = TRUE;
    pManager->m_bBoldSelected = FALSE;
    pManager->RefreshMetrics();
    return pManager;
}

//////////////////////////////////////////////////////////////////////////
// Base operations on the ribbon

void CXTPRibbonTheme::FillCommandBar(CDC* pDC, CXTPCommandBar* pBar)
{
    if (pBar != NULL && pBar->GetType() == xtpBarTypeRibbonPopup && pBar->GetSafeHwnd() != NULL)
    {
        CRect rc;
        pBar->GetClientRect(&rc);
        if (DrawPart(pDC, _T("POPUPBARFRAME"), rc, 0, 1, CRect(4, 4, 4, 4), FALSE))
            return;
        pDC->FillSolidRect(rc, RGB(250, 250, 250));
        pDC->Draw3dRect(rc, RGB(134, 134, 134), RGB(134, 134, 134));
        return;
    }
    CXTPOffice2007Theme::FillCommandBar(pDC, pBar);
}

COLORREF CXTPRibbonTheme::GetControlTextColor(CXTPControl* pButton)
{
    CXTPCommandBar* pBar = pButton->GetParent();
    if (pBar != NULL && pBar->GetType() == xtpBarTypeRibbon && pButton->GetEnabled() && !pButton->GetSelected() &&
        !pButton->GetPressed() && !pButton->GetPopuped() && !pButton->IsInRibbonCaption())
        return m_clrRibbonText;
    return CXTPOffice2007Theme::GetControlTextColor(pButton);
}

void CXTPRibbonTheme::DrawRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                                    BOOL bChecked, BOOL bPopuped, int barType, int barPosition)
{
    if (barType == xtpBarTypePopup)
    {
        // Menu items: the checked mark's box, the selected row.
        if (barPosition == xtpBarPopup)
        {
            if (bChecked && DrawPart(pDC, _T("MENUCHECKEDITEM"), rc, bEnabled ? 0 : 1, 2, CRect(4, 4, 4, 4), FALSE))
                return;
            if (!bChecked && !bSelected)
                return;
            if (!bChecked)
            {
                BOOL bTall = rc.Height() > 32;
                LPCTSTR lpszPart = bEnabled ? (bTall ? _T("MENUSELECTEDITEM54") : _T("MENUSELECTEDITEM22"))
                                            : (bTall ? _T("MENUSELECTEDDISABLEDITEM54")
                                                     : _T("MENUSELECTEDDISABLEDITEM22"));
                if (DrawPart(pDC, lpszPart, rc, 0, 1, CRect(4, 4, 4, 4), FALSE))
                    return;
            }
        }
        CXTPOffice2007Theme::DrawRectangle(pDC, rc, bSelected, bPressed, bEnabled, bChecked, bPopuped, barType,
                                           barPosition);
        return;
    }

    // Bar buttons: hot, pressed, checked (or popped), hot and checked.
    int nState = -1;
    if (!bEnabled)
        nState = IsKeyboardSelected(bSelected) ? 0 : -1;
    else if (bPopuped)
        nState = 2;
    else if (bChecked)
        nState = bSelected && !bPressed ? 3 : 2;
    else if (IsKeyboardSelected(bPressed) || (bSelected && bPressed))
        nState = 1;
    else if (bSelected || bPressed)
        nState = 0;
    if (nState < 0)
        return;
    if (!DrawPart(pDC, rc.Height() > 32 ? _T("TOOLBARBUTTONS50") : _T("TOOLBARBUTTONS22"), rc, nState, 4,
                  CRect(8, 8, 8, 8), FALSE))
        CXTPOffice2007Theme::DrawRectangle(pDC, rc, bSelected, bPressed, bEnabled, bChecked, bPopuped, barType,
                                           barPosition);
}

void CXTPRibbonTheme::SetCommandBarRegion(CXTPCommandBar* pCommandBar)
{
    if (pCommandBar == NULL || pCommandBar->GetType() != xtpBarTypeRibbonPopup || pCommandBar->GetSafeHwnd() == NULL)
    {
        CXTPOffice2007Theme::SetCommandBarRegion(pCommandBar);
        return;
    }
    CRect rc;
    pCommandBar->GetWindowRect(&rc);
    CRgn rgn;
    rgn.CreateRectRgn(0, 0, rc.Width(), rc.Height());
    CRgn rgnCorner;
    rgnCorner.CreateRectRgn(0, 0, 1, 1);
    rgn.CombineRgn(&rgn, &rgnCorner, RGN_DIFF);
    rgnCorner.SetRectRgn(rc.Width() - 1, 0, rc.Width(), 1);
    rgn.CombineRgn(&rgn, &rgnCorner, RGN_DIFF);
    rgnCorner.SetRectRgn(0, rc.Height() - 1, 1, rc.Height());
    rgn.CombineRgn(&rgn, &rgnCorner, RGN_DIFF);
    rgnCorner.SetRectRgn(rc.Width() - 1, rc.Height() - 1, rc.Width(), rc.Height());
    rgn.CombineRgn(&rgn, &rgnCorner, RGN_DIFF);
    if (pCommandBar->SetWindowRgn((HRGN)rgn.Detach(), FALSE) == 0)
        TRACE("CXTPRibbonTheme: the popup's region was refused\n");
}

//////////////////////////////////////////////////////////////////////////
// Controls, marks, menus and the status bar

namespace
{
const COLORREF kKey = RGB(255, 0, 255);
// Menus: the line under a label, the separator, and the icon column with
// its two edge columns.
const COLORREF kMenuLine = RGB(0xC5, 0xC5, 0xC5);
const COLORREF kMenuLineLight = RGB(0xF5, 0xF5, 0xF5);
const COLORREF kIconColumn = (COLORREF)0xEEEEE9;

BOOL IsLarge(CXTPControl* pControl)
{
    return pControl->GetShownStyle() == xtpButtonIconAndCaptionBelow;
}

// Whether a control begins a run of grouped controls: its begin-group or
// wrap flag; a large control stands alone.
BOOL StartsRun(CXTPControl* pControl)
{
    return pControl->GetBeginGroup() || pControl->GetWrap() || IsLarge(pControl);
}

// The next (nStep 1) or previous (-1) visible control of a group, NULL when none.
CXTPControl* NeighbourInGroup(CXTPRibbonGroup* pGroup, int nIndex, int nStep)
{
    for (int i = nIndex + nStep; i >= 0 && i < pGroup->GetCount(); i += nStep)
    {
        CXTPControl* pControl = pGroup->GetAt(i);
        if (pControl != NULL && pControl->IsVisible())
            return pControl;
    }
    return NULL;
}

// A part of a picture drawn at its own size with its top-left at pt, magenta
// transparent; FALSE without the picture.
BOOL DrawGlyphPart(CDC* pDC, CXTPOffice2007Image* pImage, CPoint pt, int nState, int nCount)
{
    if (pImage == NULL)
        return FALSE;
    CRect rcSrc = pImage->GetSource(nState, nCount);
    pImage->DrawImageTransparent(pDC, CRect(pt, rcSrc.Size()), rcSrc, CRect(0, 0, 0, 0), kKey);
    return TRUE;
}
} // namespace

void CXTPRibbonTheme::DrawPartWithGlyphBand(CDC* pDC, CXTPOffice2007Image* pImage, CRect rc, int nState,
                                            int nCount, int nBand)
{
    DrawImagePart(pDC, pImage, rc, nState, nCount, CRect(2, 2, 2, 2), FALSE);
    CRect rcSrc = pImage->GetSource(nState, nCount);
    if (rcSrc.Height() == rc.Height() || rcSrc.Height() < nBand + 4 || rc.Height() < nBand + 2)
        return;
    int ySrc = rcSrc.top + (rcSrc.Height() - nBand) / 2;
    int yDest = rc.top + (rc.Height() - nBand) / 2;
    pImage->DrawImage(pDC, CRect(rc.left, yDest, rc.right, yDest + nBand),
                      CRect(rcSrc.left, ySrc, rcSrc.right, ySrc + nBand), CRect(2, 0, 2, 0));
}

BOOL CXTPRibbonTheme::GetGroupRunPosition(CXTPControl* pControl, BOOL& bFirst, BOOL& bLast, BOOL& bGrouped) const
{
    bFirst = bLast = TRUE;
    bGrouped = FALSE;
    CXTPRibbonGroup* pGroup = pControl->GetRibbonGroup();
    if (pGroup == NULL || IsLarge(pControl))
        return FALSE;
    int nIndex = pGroup->IndexOf(pControl);
    if (nIndex < 0)
        return FALSE;   // the group's own popup and option buttons
    CXTPControl* pPrev = NeighbourInGroup(pGroup, nIndex, -1);
    CXTPControl* pNext = NeighbourInGroup(pGroup, nIndex, 1);
    bFirst = StartsRun(pControl) || pPrev == NULL || IsLarge(pPrev);
    bLast = pNext == NULL || StartsRun(pNext);
    // The run is a group of its own when its first control says so.
    CXTPControl* pFirst = pControl;
    int i = nIndex;
    while (!StartsRun(pFirst))
    {
        CXTPControl* pPrevious = NeighbourInGroup(pGroup, i, -1);
        if (pPrevious == NULL || IsLarge(pPrevious))
            break;
        pFirst = pPrevious;
        i = pGroup->IndexOf(pPrevious);
    }
    bGrouped = pFirst->GetBeginGroup() && !(bFirst && bLast);
    return TRUE;
}

int AFX_CDECL CXTPRibbonTheme::GetSpecialState(BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                                               BOOL bPopuped, BOOL bGrouped)
{
    if (!bEnabled)
        return bGrouped || IsKeyboardSelected(bSelected) ? 5 : -1;
    if (bPopuped)
        return 2;
    if (bChecked)
        return bSelected && !bPressed ? 4 : (bSelected || bPressed ? 2 : 3);
    if (IsKeyboardSelected(bPressed) || (bSelected && bPressed))
        return 2;
    if (bSelected || bPressed)
        return 1;
    return bGrouped ? 0 : -1;
}

void CXTPRibbonTheme::DrawControlEntry(CDC* pDC, CXTPControl* pButton)
{
    BOOL bFirst, bLast, bGrouped;
    if (GetGroupRunPosition(pButton, bFirst, bLast, bGrouped))
    {
        // A control that is not part of a group of several is drawn whole.
        if (!bGrouped)
            bFirst = bLast = TRUE;
        LPCTSTR lpszPart = bFirst && bLast ? _T("TOOLBARBUTTONSSPECIALSINGLE")
                           : bFirst        ? _T("TOOLBARBUTTONSSPECIALLEFT")
                           : bLast         ? _T("TOOLBARBUTTONSSPECIALRIGHT")
                                           : _T("TOOLBARBUTTONSSPECIALCENTER");
        CXTPOffice2007Image* pImage = LoadImage(lpszPart);
        if (pImage != NULL)
        {
            int nState = GetSpecialState(pButton->GetSelected(), pButton->GetPressed(), pButton->GetEnabled(),
                                         pButton->GetChecked(), pButton->GetPopuped(), bGrouped);
            if (nState >= 0)
                DrawImagePart(pDC, pImage, pButton->GetRect(), nState, 6, CRect(3, 3, 3, 3), TRUE);
            return;
        }
    }
    CXTPOffice2007Theme::DrawControlEntry(pDC, pButton);
}

void CXTPRibbonTheme::DrawSplitButtonFrame(CDC* pDC, CXTPControl* pButton, CRect rcButton)
{
    CXTPCommandBar* pBar = pButton->GetParent();
    BOOL bLarge = IsLarge(pButton);
    BOOL bFirst = TRUE, bLast = TRUE, bGrouped = FALSE;
    BOOL bRow = !bLarge && GetGroupRunPosition(pButton, bFirst, bLast, bGrouped);
    if (bRow && !bGrouped)
        bFirst = bLast = TRUE;
    LPCTSTR lpszCommand, lpszDropDown;
    if (bRow)
    {
        lpszCommand = bFirst ? _T("TOOLBARBUTTONSSPECIALSPLITLEFT") : _T("TOOLBARBUTTONSSPECIALSPLITCENTER");
        lpszDropDown =
            bLast ? _T("TOOLBARBUTTONSSPECIALSPLITDROPDOWNRIGHT") : _T("TOOLBARBUTTONSSPECIALSPLITDROPDOWNCENTER");
    }
    else if (bLarge)
    {
        lpszCommand = _T("TOOLBARBUTTONSSPLIT50");
        lpszDropDown = _T("TOOLBARBUTTONSSPLITDROPDOWN50");
    }
    else
    {
        lpszCommand = _T("TOOLBARBUTTONSSPLIT22");
        lpszDropDown = _T("TOOLBARBUTTONSSPLITDROPDOWN22");
    }
    CXTPOffice2007Image* pCommand = LoadImage(lpszCommand);
    CXTPOffice2007Image* pDropDown = LoadImage(lpszDropDown);
    if (pCommand == NULL || pDropDown == NULL || (bLarge && IsVerticalBar(pBar)))
    {
        CXTPOffice2007Theme::DrawSplitButtonFrame(pDC, pButton, rcButton);
        return;
    }

    // The drop-down part: the split width at the right of a small button,
    // the two caption lines at the bottom of a large one.
    CRect rcCommand = rcButton, rcDropDown = rcButton;
    if (bLarge)
        rcCommand.bottom = rcDropDown.top = rcButton.bottom - (2 * m_nTextHeight - 17);
    else
        rcCommand.right = rcDropDown.left = rcButton.right - m_nSplitButtonDropDownWidth;

    BOOL bSelected = pButton->GetSelected(), bPressed = pButton->GetPressed(), bPopuped = pButton->GetPopuped();
    int nEnabled = pButton->GetEnabled();
    BOOL bEnabled = nEnabled != 0;
    BOOL bChecked = pButton->GetChecked() != 0;
    int nCommand = -1, nDropDown = -1;
    if (bRow)
    {
        // Normal, hot, pressed, checked, hot and checked, disabled.
        if (bPopuped && bEnabled)
        {
            nCommand = bChecked ? 4 : 1;
            nDropDown = 2;
        }
        else
        {
            nCommand = GetSpecialState(bSelected, bPressed, bEnabled, bChecked, FALSE, bGrouped);
            nDropDown = GetSpecialState(bSelected, FALSE, bEnabled, FALSE, FALSE, bGrouped);
        }
    }
    else if (bEnabled || IsKeyboardSelected(bSelected))
    {
        // Beside a hot part, hot, pressed, checked, hot and checked, popped.
        if (!bEnabled)
            nCommand = nDropDown = 0;
        else if (bPopuped)
        {
            nCommand = bChecked ? 3 : 0;
            nDropDown = 5;
        }
        else if (bSelected && bPressed)
        {
            nCommand = 2;
            nDropDown = 0;
        }
        else if (bSelected || bPressed)
        {
            nCommand = bChecked ? 4 : 1;
            nDropDown = 1;
        }
        else if (bChecked)
        {
            nCommand = 3;
            nDropDown = 0;
        }
    }
    CRect rcMargins(2, 2, 2, 2);
    if (nCommand >= 0)
        DrawImagePart(pDC, pCommand, rcCommand, nCommand, 6, rcMargins, bRow);
    if (nDropDown >= 0)
        DrawImagePart(pDC, pDropDown, rcDropDown, nDropDown, 6, rcMargins, bRow);
    // A large button's glyph comes with its caption.
    if (!bLarge)
        DrawDropDownGlyph(pDC, pButton, rcDropDown.CenterPoint(), bSelected, bPopuped, bEnabled && nEnabled != 3,
                          FALSE);
}

// The border of an edit or combo-box field: the edit border colour, the
// highlight border while hot or open, the disabled colour when disabled.
static COLORREF FieldBorderColor(CXTPPaintManager* pTheme, BOOL bEnabled, BOOL bHot)
{
    if (!bEnabled)
        return pTheme->GetColor(XPCOLOR_DISABLED);
    return pTheme->GetColor(bHot ? XPCOLOR_HIGHLIGHT_BORDER : XPCOLOR_EDITCTRLBORDER);
}

CSize CXTPRibbonTheme::DrawControlComboBox(CDC* pDC, CXTPControlComboBox* pControlCombo, BOOL bDraw)
{
    CXTPOffice2007Image* pButtonImage = bDraw ? LoadImage(_T("TOOLBARBUTTONSCOMBODROPDOWN")) : NULL;
    if (!bDraw || pButtonImage == NULL)
        return CXTPOffice2007Theme::DrawControlComboBox(pDC, pControlCombo, bDraw);

    CXTPFontDC font(pDC, &m_fontIcon);
    CXTPPaintManager::DrawControlComboBox(pDC, pControlCombo, TRUE);
    CRect rc = pControlCombo->GetRect();
    BOOL bEnabled = IsControlEnabled(pControlCombo);
    BOOL bSelected = pControlCombo->GetSelected() != 0;
    BOOL bDropped = pControlCombo->GetDroppedState();
    CRect rcField(rc.left + pControlCombo->GetLabelWidth(), rc.top, rc.right, rc.bottom);
    CRect rcButton(rcField.right - pControlCombo->GetThumbWidth(), rcField.top, rcField.right, rcField.bottom);

    pDC->FillSolidRect(rcField, GetControlEditBackColor(pControlCombo));
    COLORREF clrBorder = FieldBorderColor(this, bEnabled, bSelected || bDropped);
    pDC->Draw3dRect(rcField, clrBorder, clrBorder);
    rcButton.DeflateRect(1, 1);
    // The button keeps its picture's width, and the band of the picture that
    // holds the arrow is laid over the middle at its own height, so that the
    // arrow is not squeezed.
    rcButton.left = std::min((int)rcButton.left, (int)rcButton.right - pButtonImage->GetWidth());
    if (bEnabled)
        DrawPartWithGlyphBand(pDC, pButtonImage, rcButton, bSelected || bDropped ? 1 : 0, 2, 6);
    else
        DrawDropDownArrow(pDC, rcButton, GetColor(XPCOLOR_DISABLED));
    pControlCombo->DrawEditText(pDC, CRect(rcField.left + 3, rc.top + 1, rcButton.left, rc.bottom - 1));
    return CSize(0, 0);
}

CSize CXTPRibbonTheme::DrawControlEdit(CDC* pDC, CXTPControlEdit* pControlEdit, BOOL bDraw)
{
    BOOL bSpin = pControlEdit->IsSpinButtonsVisible();
    CXTPOffice2007Image* pSpin = bDraw && bSpin ? LoadImage(_T("TOOLBARBUTTONSPIN")) : NULL;
    if (!bDraw || (bSpin && pSpin == NULL))
        return CXTPOffice2007Theme::DrawControlEdit(pDC, pControlEdit, bDraw);

    CXTPPaintManager::DrawControlEdit(pDC, pControlEdit, TRUE);
    CRect rc = pControlEdit->GetRect();
    BOOL bEnabled = IsControlEnabled(pControlEdit);
    int nSelected = pControlEdit->GetSelected();
    CRect rcField(rc.left + pControlEdit->GetLabelWidth(), rc.top, rc.right, rc.bottom);
    pDC->FillSolidRect(rcField, GetControlEditBackColor(pControlEdit));
    COLORREF clrBorder = FieldBorderColor(this, bEnabled, nSelected != 0);
    pDC->Draw3dRect(rcField, clrBorder, clrBorder);
    if (!bSpin)
        return CSize(0, 0);

    // Up then down: normal, hot, pressed, disabled, beside a hot part.
    CRect rcSpin = pControlEdit->GetSpinButtonsRect();
    int yMiddle = rcSpin.CenterPoint().y;
    int nPressed = pControlEdit->GetPressed();
    for (int nPart = 3; nPart <= 4; nPart++)
    {
        CRect rcPart = rcSpin;
        if (nPart == 3)
            rcPart.bottom = yMiddle;
        else
            rcPart.top = yMiddle;
        int nState = !bEnabled ? 3 : nPressed == nPart ? 2 : nSelected == nPart ? 1 : nSelected != 0 ? 4 : 0;
        DrawPartWithGlyphBand(pDC, pSpin, rcPart, nState + (nPart == 4 ? 5 : 0), 10, 4);
    }
    return CSize(0, 0);
}

COLORREF CXTPRibbonTheme::GetRectangleTextColor(BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                                                BOOL bPopuped, int barType, int /*barPosition*/)
{
    if (barType == xtpBarTypePopup)
        return GetColor(bEnabled ? XPCOLOR_MENUBAR_TEXT : XPCOLOR_GRAYTEXT);
    if (barType == xtpBarTypeMenuBar && bEnabled && !bSelected && !bPressed && !bChecked && !bPopuped)
        return m_clrMenuBarText;
    return GetColor(bEnabled ? XPCOLOR_TOOLBAR_TEXT : XPCOLOR_TOOLBAR_GRAYTEXT);
}

CSize CXTPRibbonTheme::DrawCommandBarSeparator(CDC* pDC, CXTPCommandBar* pBar, CXTPControl* pControl, BOOL bDraw)
{
    if (pBar->GetType() != xtpBarTypePopup)
        return CXTPOffice2007Theme::DrawCommandBarSeparator(pDC, pBar, pControl, bDraw);
    CSize sz = CXTPOffice2007Theme::DrawCommandBarSeparator(pDC, pBar, pControl, FALSE);
    if (!bDraw || pDC == NULL || pControl == NULL)
        return sz;
    // A grey line with a light line under it, right of the icon column.
    CRect rcControl = pControl->GetRect();
    CRect rcRow = pControl->GetRowRect();
    if (pControl->GetWrap())
    {
        pDC->FillSolidRect(rcControl.left - 2, rcRow.top - 1, 1, rcRow.Height() + 2, kMenuLine);
        pDC->FillSolidRect(rcControl.left - 1, rcRow.top - 1, 1, rcRow.Height() + 2, kMenuLineLight);
    }
    else
    {
        int x = GetPopupBarGripperWidth(pBar) + m_nPopupBarTextPadding + rcControl.left - 1;
        int cx = rcControl.right + 1 - x;
        pDC->FillSolidRect(x, rcControl.top - 2, cx, 1, kMenuLine);
        pDC->FillSolidRect(x, rcControl.top - 1, cx, 1, kMenuLineLight);
    }
    return CSize(0, 0);
}

void CXTPRibbonTheme::DrawStatusBarGripper(CDC* pDC, CRect rcClient)
{
    CXTPOffice2007Image* pImage = LoadImage(_T("STATUSBARGRIPPER"));
    if (pImage == NULL)
    {
        CXTPOffice2007Theme::DrawStatusBarGripper(pDC, rcClient);
        return;
    }
    CRect rcSrc = pImage->GetSource(0, 1);
    DrawGlyphPart(pDC, pImage, CPoint(rcClient.right - rcSrc.Width(), rcClient.bottom - rcSrc.Height()), 0, 1);
}

void CXTPRibbonTheme::FillStatusBar(CDC* pDC, CXTPStatusBar* pBar)
{
    CXTPOffice2007Image* pLight = LoadImage(_T("STATUSBARLIGHT"));
    CXTPOffice2007Image* pDark = LoadImage(_T("STATUSBARDARK"));
    CXTPOffice2007Image* pDivider = LoadImage(_T("STATUSBARDEVIDER"));
    if (pLight == NULL || pDark == NULL || pDivider == NULL)
    {
        CXTPOffice2007Theme::FillStatusBar(pDC, pBar);
        return;
    }
    CRect rc;
    pBar->GetClientRect(&rc);
    // The message pane (the last stretching pane, else the first) stands on
    // the light face; the panes right of it on the dark face, beyond a divider.
    int nMessage = -1, nLastVisible = -1;
    for (int i = 0; i < pBar->GetPaneCount(); i++)
    {
        CXTPStatusBarPane* pPane = pBar->GetPane(i);
        if (pPane == NULL || !pPane->IsVisible())
            continue;
        if (nMessage < 0 || (pPane->GetStyle() & XTP_SBPS_STRETCH) != 0)
            nMessage = i;
        nLastVisible = i;
    }
    int xDivider = rc.right;
    if (nMessage >= 0 && nMessage < nLastVisible)
    {
        CRect rcPane;
        pBar->GetItemRect(nMessage, &rcPane);
        xDivider = std::max((int)rc.left, std::min((int)rc.right, (int)rcPane.right));
    }
    CRect rcMargins(0, 1, 0, 1);
    DrawImagePart(pDC, pLight, CRect(rc.left, rc.top, xDivider, rc.bottom), 0, 1, rcMargins, FALSE);
    if (xDivider < rc.right)
    {
        int cxDivider = pDivider->GetWidth();
        DrawImagePart(pDC, pDivider, CRect(xDivider, rc.top, xDivider + cxDivider, rc.bottom), 0, 1, rcMargins,
                      FALSE);
        DrawImagePart(pDC, pDark, CRect(xDivider + cxDivider, rc.top, rc.right, rc.bottom), 0, 1, rcMargins, FALSE);
    }
}

namespace
{
// The row of a check or radio mark's picture before its checked state:
// disabled, pressed, hot, normal.
int MarkStateRow(BOOL bSelected, BOOL bPressed, BOOL bEnabled)
{
    return !bEnabled ? 3 : (bSelected && bPressed ? 2 : (bSelected ? 1 : 0));
}
} // namespace

CSize CXTPRibbonTheme::DrawCheckBoxMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed,
                                        int nChecked, BOOL bEnabled)
{
    CXTPOffice2007Image* pImage = bDraw && pDC != NULL ? LoadImage(_T("TOOLBARBUTTONCHECKBOX")) : NULL;
    if (pImage == NULL)
        return CXTPOffice2007Theme::DrawCheckBoxMark(pDC, rc, bDraw, bSelected, bPressed, nChecked, bEnabled);
    int nCheck = nChecked == 1 ? 1 : (nChecked == 2 ? 2 : 0);
    DrawImagePart(pDC, pImage, rc, MarkStateRow(bSelected, bPressed, bEnabled) + 4 * nCheck, 12, CRect(0, 0, 0, 0),
                  TRUE);
    return CSize(13, 13);
}

CSize CXTPRibbonTheme::DrawRadioButtonMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed,
                                           int nChecked, BOOL bEnabled)
{
    CXTPOffice2007Image* pImage = bDraw && pDC != NULL ? LoadImage(_T("TOOLBARBUTTONRADIOBUTTON")) : NULL;
    if (pImage == NULL)
        return CXTPOffice2007Theme::DrawRadioButtonMark(pDC, rc, bDraw, bSelected, bPressed, nChecked, bEnabled);
    DrawImagePart(pDC, pImage, rc, MarkStateRow(bSelected, bPressed, bEnabled) + (nChecked != 0 ? 4 : 0), 8,
                  CRect(0, 0, 0, 0), TRUE);
    return CSize(13, 13);
}

void CXTPRibbonTheme::FillPopupBarGripper(CDC* pDC, int x, int y, int cx, int cy, BOOL /*bExpanded*/)
{
    pDC->FillSolidRect(x, y, cx, cy, kIconColumn);
    pDC->FillSolidRect(x + cx - 1, y, 1, cy, kMenuLine);
    pDC->FillSolidRect(x + cx, y, 1, cy, kMenuLineLight);
}

void CXTPRibbonTheme::DrawDropDownGlyph(CDC* pDC, CXTPControl* pControl, CPoint pt, BOOL bSelected,
                                        BOOL bPopuped, BOOL bEnabled, BOOL bVert)
{
    CXTPOffice2007Image* pImage = bVert ? NULL : LoadImage(_T("TOOLBARBUTTONDROPDOWNGLYPH"));
    if (pImage == NULL)
    {
        CXTPOffice2007Theme::DrawDropDownGlyph(pDC, pControl, pt, bSelected, bPopuped, bEnabled, bVert);
        return;
    }
    // Normal, hot, pressed, disabled; the point is the middle of the glyph's top row.
    int nState = !bEnabled ? 3 : (bPopuped ? 2 : (bSelected ? 1 : 0));
    CRect rcSrc = pImage->GetSource(nState, 4);
    DrawGlyphPart(pDC, pImage, CPoint(pt.x - rcSrc.Width() / 2, pt.y - 1), nState, 4);
}

void CXTPRibbonTheme::DrawKeyboardTip(CDC* pDC, CXTPCommandBarKeyboardTip* pWnd, BOOL bSetRegion)
{
    COLORREF clrLight = GetImageColor(_T("Window"), _T("TooltipLight"));
    COLORREF clrDark = GetImageColor(_T("Window"), _T("TooltipDark"));
    if (bSetRegion || pDC == NULL || pWnd == NULL || clrLight == COLORREF_NULL || clrDark == COLORREF_NULL)
    {
        CXTPOffice2007Theme::DrawKeyboardTip(pDC, pWnd, bSetRegion);
        return;
    }
    CXTPClientRect rc(pWnd);
    CXTPFontDC font(pDC, &m_fontStatus);
    XTPDrawHelpers()->GradientFill(pDC, rc, clrLight, clrDark, FALSE);
    COLORREF clrBorder = GetImageColor(_T("Window"), _T("TooltipBorder"));
    if (clrBorder != COLORREF_NULL)
        pDC->Draw3dRect(rc, clrBorder, clrBorder);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(GetColor(pWnd->IsEnabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    pDC->DrawText(pWnd->GetCaption(), &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void CXTPRibbonTheme::DrawDropDownButton(CDC* pDC, CXTPControl* pControl)
{
    CRect rc = pControl->GetRect();
    CRect rcDropDown(rc.right - m_nSplitButtonPopupWidth, rc.top, rc.right, rc.bottom);
    BOOL bSelected = pControl->GetSelected() != 0;
    int nState = pControl->GetPopuped() && bSelected ? 2 : (bSelected ? 1 : 0);
    if (!DrawPart(pDC, _T("MENUSPLITDROPDOWN"), rcDropDown, nState, 3, CRect(2, 2, 2, 2), FALSE))
        CXTPOffice2007Theme::DrawDropDownButton(pDC, pControl);
}

void CXTPRibbonTheme::DrawControlPopupGlyph(CDC* pDC, CXTPControl* pControl)
{
    CXTPOffice2007Image* pImage = LoadImage(_T("MENUPOPUPGLYPH"));
    if (pImage == NULL)
    {
        CXTPOffice2007Theme::DrawControlPopupGlyph(pDC, pControl);
        return;
    }
    CRect rc = pControl->GetRect();
    int nState = IsControlEnabled(pControl) ? 0 : 1;
    CRect rcSrc = pImage->GetSource(nState, 2);
    DrawGlyphPart(pDC, pImage, CPoint(rc.right - 11, rc.CenterPoint().y - rcSrc.Height() / 2), nState, 2);
}

void CXTPRibbonTheme::DrawControlLabelBackground(CDC* pDC, CRect rc)
{
    pDC->FillSolidRect(rc, GetColor(XPCOLOR_LABEL));
    pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, kMenuLine);
}

//////////////////////////////////////////////////////////////////////////
// The ribbon operations

void CXTPRibbonTheme::FillGroupsArea(CDC* pDC, CXTPRibbonTab* pTab, CRect rcGroups)
{
    if (rcGroups.IsRectEmpty())
        return;
    int nContext = pTab != NULL ? pTab->GetContextColor() : 0;
    CString strPart = _T("RIBBONGROUPS");
    if (nContext >= 1 && nContext <= 7)
        strPart.Format(_T("CONTEXTTAB%sCLIENT"), (LPCTSTR)GetContextColorName(nContext));
    DrawPart(pDC, strPart, rcGroups, 0, 1, CRect(8, 8, 8, 8), FALSE);
}

void CXTPRibbonTheme::FillTabPopupToolBar(CDC* pDC, CXTPPopupBar* pBar)
{
    if (pBar == NULL || pBar->GetSafeHwnd() == NULL)
        return;
    CRect rc;
    pBar->GetClientRect(&rc);
    FillColour(pDC, rc, m_clrRibbonFace);
}

void CXTPRibbonTheme::DrawQuickAccessFrame(CDC* pDC, CXTPRibbonBar* pRibbonBar)
{
    if (pRibbonBar->GetSafeHwnd() == NULL)
        return;
    CRect rc;
    pRibbonBar->GetClientRect(&rc);
    // The ribbon face in two bands: the tab row (below the frame's caption
    // when the ribbon draws the frame) and everything below it.
    int nTop = rc.top + (pRibbonBar->GetFrameManager() != NULL ? m_nFrameCaptionHeight : 0);
    int nTabsBottom = std::min((int)rc.bottom, nTop + m_nTabHeight);
    FillColour(pDC, CRect(rc.left, nTop, rc.right, nTabsBottom), m_clrRibbonFace);
    FillColour(pDC, CRect(rc.left, nTabsBottom, rc.right, rc.bottom), m_clrRibbonFace);
    if (pRibbonBar->IsQuickAccessBelow() && pRibbonBar->IsQuickAccessVisible())
    {
        DrawPart(pDC, _T("RIBBONQUICKACCESSFRAME"), pRibbonBar->GetQuickAccessRect(), 0, 1, CRect(3, 3, 3, 3),
                 FALSE);
    }
    else if (!pRibbonBar->IsQuickAccessBelow() &&
             (!pRibbonBar->IsGroupsVisible() || pRibbonBar->GetSelectedTab() == NULL || pRibbonBar->IsMinimized()))
    {
        FillColour(pDC, CRect(rc.left, rc.bottom - 2, rc.right, rc.bottom - 1), m_clrMinimizedFrameEdgeShadow);
        FillColour(pDC, CRect(rc.left, rc.bottom - 1, rc.right, rc.bottom), m_clrMinimizedFrameEdgeHighLight);
    }
}

void CXTPRibbonTheme::DrawGroup(CDC* pDC, CXTPRibbonGroup* pGroup)
{
    if (pGroup->IsReduced())
        return;
    CRect rc = pGroup->GetRect();
    BOOL bHot = pGroup->IsHighlighted();
    int nContext = pGroup->GetRibbonTab() != NULL ? pGroup->GetRibbonTab()->GetContextColor() : 0;
    CRect rcCaption(rc.left + 1, rc.bottom - m_nGroupCaptionHeight, rc.right - 1, rc.bottom - 1);
    BOOL bContext = nContext >= 1 && nContext <= 7;
    CRect rcClientPart(rc.left, rc.top, rc.right, rc.bottom - m_nGroupCaptionHeight);
    CRect rcCaptionPart(rc.left, rc.bottom - m_nGroupCaptionHeight, rc.right, rc.bottom);
    DrawPart(pDC, bContext ? _T("CONTEXTTABGROUPCLIENT") : _T("RIBBONGROUPCLIENT"), rcClientPart, bHot ? 1 : 0, 2,
             CRect(5, 5, 5, 5), FALSE);
    DrawPart(pDC, bContext ? _T("CONTEXTTABGROUPCAPTION") : _T("RIBBONGROUPCAPTION"), rcCaptionPart, bHot ? 1 : 0, 2,
             CRect(5, 5, 5, 5), FALSE);

    CString strCaption = pGroup->GetCaption();
    CXTPDrawHelpers::StripMnemonics(strCaption);
    CRect rcText = rcCaption;
    rcText.OffsetRect(0, -1);
    if (pGroup->IsOptionButtonVisible())
        rcText.right -= m_nGroupCaptionHeight + 1;
    CXTPFontDC font(pDC, &m_fontGroupCaption);
    pDC->SetTextColor(m_clrGroupCaptionText);
    pDC->SetBkMode(TRANSPARENT);
    if (m_clrGroupCaptionText != (COLORREF)-1)
        pDC->DrawText(strCaption, rcText, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    // The option button is a control of the group and draws itself
    // (DrawGroupOptionButton).
}

CSize CXTPRibbonTheme::DrawGroupPopupButton(CDC* pDC, CXTPControl* pControl, BOOL bDraw)
{
    CXTPRibbonBar* pRibbon = XTPGetRibbonBar(pControl->GetParent());
    BOOL bQuickAccess = pRibbon != NULL && pRibbon->IsQuickAccessControl(pControl);
    if (bQuickAccess || (pControl->GetParent() != NULL && pControl->GetParent()->GetType() != xtpBarTypeRibbon &&
                         pControl->GetRibbonGroup() == NULL))
    {
        // On the quick-access toolbar: its own face, then a tool-bar button
        // with the group's icon.
        if (bDraw && bQuickAccess)
            DrawPart(pDC, _T("RIBBONGROUPQUICKACCESS"), pControl->GetRect(),
                     pControl->GetPopuped() ? 2 : (pControl->GetSelected() ? 1 : 0), 3, CRect(2, 2, 2, 2), FALSE);
        return DrawToolBarControl(pDC, pControl, bDraw);
    }

    // A reduced group's button is as wide as a large button, whatever its caption.
    CSize sz(std::max(2 * GetControlHeight() - 3, 42), 3 * m_nLargeButtonHeight);
    if (!bDraw)
        return sz;

    CRect rc = pControl->GetRect();
    BOOL bSelected = pControl->GetSelected(), bPopuped = pControl->GetPopuped();
    int nContext = pControl->GetRibbonGroup() != NULL && pControl->GetRibbonGroup()->GetRibbonTab() != NULL
                       ? pControl->GetRibbonGroup()->GetRibbonTab()->GetContextColor()
                       : 0;
    CString strPart = _T("RIBBONGROUPBUTTON");
    if (nContext >= 1 && nContext <= 7)
        strPart.Format(_T("CONTEXTTAB%sGROUPBUTTON"), (LPCTSTR)GetContextColorName(nContext));
    DrawPart(pDC, strPart, rc, bPopuped ? 2 : (bSelected ? 1 : 0), 3, CRect(5, 5, 5, 5), FALSE);

    // The group's icon at its own size, centred 4 pixels below the top; a
    // small icon (narrower than 20) sits in a frame 2 pixels below the top
    // and is drawn 9 pixels below it.
    CXTPImageManagerIcon* pImage = pControl->GetIconId() > 0 ? pControl->GetImage(32) : NULL;
    CSize szImage = pImage != NULL ? pImage->GetExtent() : CSize(16, 16);
    if (szImage.cx <= 0 || szImage.cy <= 0)
        szImage = CSize(16, 16);
    int xCentre = rc.CenterPoint().x;
    int yImage = rc.top + 4;
    if (szImage.cx < 20)
    {
        CXTPOffice2007Image* pFrame = LoadImage(_T("RIBBONGROUPBUTTONICON"));
        CSize szFrame = pFrame != NULL ? CSize(pFrame->GetWidth(), pFrame->GetHeight()) : CSize(32, 32);
        CRect rcFrame(CPoint(xCentre - szFrame.cx / 2, rc.top + 2), szFrame);
        if (pFrame != NULL)
            DrawImagePart(pDC, pFrame, rcFrame, 0, 1, CRect(0, 0, 0, 0), FALSE);
        yImage = rc.top + 9;
    }
    CPoint ptImage(xCentre - szImage.cx / 2, yImage);
    if (pImage != NULL)
    {
        pImage->Draw(pDC, ptImage, pImage->GetIcon(), szImage);
    }
    else
    {
        // Without an icon: a small grid standing for the group's controls.
        for (int i = 0; i < 3; i++)
            pDC->FillSolidRect(ptImage.x + 1, ptImage.y + 1 + i * 5, 14, 3, RGB(98, 140, 200));
    }
    CXTPFontDC font(pDC, GetRegularFont());
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(GetControlTextColor(pControl));
    int nStrip = 2 * GetControlHeight() - 17;
    CRect rcText(rc.left, rc.bottom - 1 - nStrip, rc.right, rc.bottom - 1);
    // A caption wider than the button is cut at its edges.
    int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(rc);
    DrawTwoLineText(pDC, pControl, rcText, TRUE, FALSE, TRUE);
    pDC->RestoreDC(nSaved);
    return sz;
}

CSize CXTPRibbonTheme::DrawGroupOptionButton(CDC* pDC, CXTPControl* pControl, BOOL bDraw)
{
    if (bDraw)
    {
        int nState = !pControl->GetEnabled() ? 3 : (pControl->GetPressed() ? 2 : (pControl->GetSelected() ? 1 : 0));
        DrawPart(pDC, _T("RIBBONOPTIONBUTTON"), pControl->GetRect(), nState, 4, CRect(2, 2, 2, 2), TRUE);
    }
    return CSize(15, 14);
}

void CXTPRibbonTheme::DrawRibbonTab(CDC* pDC, CXTPTabManagerItem* pItem)
{
    CRect rc = pItem->GetRect();
    CXTPTabPaintManager::InflateRectForPosition(rc, CRect(0, 1, -1, -1), pItem->GetTabManager()->GetPosition());
    CXTPRibbonTab* pTab = DYNAMIC_DOWNCAST(CXTPRibbonTab, pItem);
    int nContext = pTab != NULL ? pTab->GetContextColor() : 0;
    BOOL bSelected = pItem->IsSelected();
    BOOL bHot = pItem->IsHighlighted();
    CXTPRibbonControlTab* pControlTab = dynamic_cast<CXTPRibbonControlTab*>(pItem->GetTabManager());
    BOOL bFocused = pControlTab != NULL && pControlTab->HasFocus();

    BOOL bPressed = pItem->IsPressed();
    // A colour beyond the seven has no name: "CONTEXTTAB" alone is looked up.
    if (nContext > 0)
    {
        CString strPart;
        strPart.Format(_T("CONTEXTTAB%s"), (LPCTSTR)GetContextColorName(nContext));
        int nState = (bSelected && (bHot || bFocused)) ? 4 : (bSelected ? 3 : (bHot ? 1 : 0));
        DrawPart(pDC, strPart, rc, nState, 5, CRect(5, 5, 5, 5), TRUE);
        CXTPRibbonTabContextHeader* pHeader = pTab->GetContextHeader();
        if (pHeader != NULL && pHeader->m_pFirstTab == pTab)
            DrawPart(pDC, _T("CONTEXTTABSEPARATOR"), CRect(rc.left, rc.top, rc.left + 1, rc.bottom - 1), 0, 1,
                     CRect(0, 0, 0, 0), FALSE);
        if (pHeader != NULL && pHeader->m_pLastTab == pTab)
            DrawPart(pDC, _T("CONTEXTTABSEPARATOR"), CRect(rc.right - 1, rc.top, rc.right, rc.bottom - 1), 0, 1,
                     CRect(0, 0, 0, 0), FALSE);
    }
    else if (bSelected || bHot || bPressed)
    {
        int nState = bSelected && bFocused ? 5 : (bSelected && bHot ? 4 : (bSelected ? 3 : (bPressed ? 2 : 1)));
        DrawPart(pDC, _T("RIBBONTAB"), rc, nState, 6, CRect(5, 5, 5, 5), TRUE);
    }
    // Every tab of a compressed strip, the selected and the hot one too.
    if (pItem->GetButtonLength() < pItem->GetContentLength())
        DrawPart(pDC, _T("RIBBONTABSEPARATOR"), CRect(rc.right, rc.top, rc.right + 1, rc.bottom), 0, 1,
                 CRect(0, 0, 0, 0), FALSE);
}

void CXTPRibbonTheme::FillGroupPopupBar(CDC* pDC, CXTPRibbonGroup* pGroup, CXTPCommandBar* pBar)
{
    pDC->SetBkMode(TRANSPARENT);
    if (pBar->GetSafeHwnd() == NULL)
        return;
    CRect rc;
    pBar->GetClientRect(&rc);
    pDC->FillSolidRect(rc, RGB(0xBF, 0xDB, 0xFF));
    // The group draws its own caption band over this.
    CRect rcGroups = rc;
    rcGroups.InflateRect(3, 3);
    FillGroupsArea(pDC, pGroup != NULL ? pGroup->GetRibbonTab() : NULL, rcGroups);
}

void CXTPRibbonTheme::DrawRibbonCaptionArea(CDC* pDC, CXTPRibbonBar* pRibbonBar)
{
    CRect rc = pRibbonBar->GetCaptionRect();
    // The caption's state follows the frame's activity, as a frame's own caption does.
    BOOL bActive = CXTPDrawHelpers::IsTopParentActive(pRibbonBar->GetSafeHwnd());
    DrawPart(pDC, _T("FRAMETOPCENTER"), rc, bActive ? 0 : 1, 2, CRect(0, 5, 0, 3), FALSE);
    if (!pRibbonBar->IsQuickAccessBelow() && pRibbonBar->IsQuickAccessVisible() &&
        pRibbonBar->GetQuickAccessControls()->GetVisibleCount() > 0)
    {
        CRect rcQuick = pRibbonBar->GetQuickAccessRect();
        rcQuick.left -= 15;
        rcQuick.top = rc.top;
        rcQuick.bottom = rc.bottom;
        DrawPart(pDC, _T("RIBBONQUICKACCESSAREA"), rcQuick, 0, 1, CRect(16, 3, 16, 3), FALSE);
    }
    if (pRibbonBar->GetContextHeaders()->GetCount() > 0)
        DrawContextHeaders(pDC, pRibbonBar);
}

void CXTPRibbonTheme::DrawRibbonFrameCaption(CDC* pDC, CXTPRibbonBar* pRibbonBar, BOOL bActive)
{
    CRect rc = pRibbonBar->GetCaptionRect();
    CXTPRibbonFrameManager* pFrameManager = pRibbonBar->GetFrameManager();
    if (pFrameManager != NULL && pFrameManager->IsDwmEnabled())
        pDC->FillSolidRect(rc, RGB(0, 0, 0));
    else if (LoadImage(_T("FRAMETOPCENTER")) != NULL)
    {
        int nState = bActive ? 0 : 1;
        CXTPOffice2007Image* pLeft = LoadImage(_T("FRAMETOPLEFT"));
        CXTPOffice2007Image* pRight = LoadImage(_T("FRAMETOPRIGHT"));
        int nLeft = pLeft != NULL ? pLeft->GetWidth() : 0;
        int nRight = pRight != NULL ? pRight->GetWidth() : 0;
        DrawPart(pDC, _T("FRAMETOPCENTER"), CRect(rc.left + nLeft, rc.top, rc.right - nRight, rc.bottom), nState, 2,
                 CRect(0, 5, 0, 3), FALSE);
        DrawPart(pDC, _T("FRAMETOPLEFT"), CRect(rc.left, rc.top, rc.left + nLeft, rc.bottom), nState, 2,
                 CRect(0, 5, 0, 3), TRUE);
        DrawPart(pDC, _T("FRAMETOPRIGHT"), CRect(rc.right - nRight, rc.top, rc.right, rc.bottom), nState, 2,
                 CRect(0, 5, 0, 3), TRUE);
    }
    if (!pRibbonBar->IsQuickAccessBelow() && pRibbonBar->IsQuickAccessVisible() &&
        pRibbonBar->GetQuickAccessControls()->GetVisibleCount() > 0)
    {
        // From 15 pixels left of the toolbar to its right, from the frame
        // border down through the caption.
        CRect rcQuick = pRibbonBar->GetQuickAccessRect();
        rcQuick.left -= 15;
        rcQuick.top = rc.top + (pFrameManager != NULL ? pFrameManager->GetFrameBorder() : 0);
        rcQuick.bottom = rc.bottom;
        BOOL bDwm = pFrameManager != NULL && pFrameManager->IsDwmEnabled();
        DrawPart(pDC, bDwm ? _T("RIBBONQUICKACCESSAREADWM") : _T("RIBBONQUICKACCESSAREA"), rcQuick, 0, 1,
                 CRect(16, 3, 16, 3), FALSE);
    }
    if (pRibbonBar->GetSystemButton() == NULL && pFrameManager != NULL)
    {
        HICON hIcon = GetFrameSmallIcon(CWnd::FromHandle(pFrameManager->GetFrameHwnd()));
        int cx = ::GetSystemMetrics(SM_CXSMICON), cy = ::GetSystemMetrics(SM_CYSMICON);
        if (hIcon != NULL)
            ::DrawIconEx(pDC->GetSafeHdc(), rc.left + 10, rc.top + (rc.Height() - cy) / 2, hIcon, cx, cy, 0, NULL,
                         DI_NORMAL);
    }
    if (pRibbonBar->GetContextHeaders()->GetCount() > 0)
        DrawContextHeaders(pDC, pRibbonBar);

    if (pFrameManager != NULL)
    {
        CString strTitle;
        CWnd* pFrame = CWnd::FromHandle(pFrameManager->GetFrameHwnd());
        if (pFrame != NULL)
            pFrame->GetWindowText(strTitle);
        CRect rcTitle = pRibbonBar->GetCaptionTextRect();
        CXTPFontDC font(pDC, GetCaptionFont());
        pDC->SetTextColor(bActive ? m_clrFrameText : RGB(120, 135, 160));
        UINT nFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
        nFormat |= pDC->GetTextExtent(strTitle).cx <= rcTitle.Width() ? DT_CENTER : DT_LEFT;
        pDC->DrawText(strTitle, rcTitle, nFormat);
    }
}

void CXTPRibbonTheme::DrawSystemButton(CDC* pDC, CXTPControl* pControl, CRect rc)
{
    CXTPRibbonBar* pRibbon = XTPGetRibbonBar(pControl->GetParent());
    if (pRibbon == NULL || pRibbon->GetFrameManager() == NULL)
    {
        DrawToolBarControl(pDC, pControl, TRUE);
        return;
    }
    BOOL bPopuped = pControl->GetPopuped(), bSelected = pControl->GetSelected();
    CXTPImageManagerIcon* pLarge = pControl->GetIconId() > 0 ? pControl->GetImage(32) : NULL;
    if (pLarge != NULL && pLarge->GetExtent().cx > 32)
    {
        // A picture of the whole button: drawn alone, centred.
        CSize szIcon = pLarge->GetExtent();
        pLarge->Draw(pDC, CPoint(rc.CenterPoint().x - szIcon.cx / 2, rc.CenterPoint().y - szIcon.cy / 2),
                     pLarge->GetIcon(), szIcon);
        return;
    }
    CXTPOffice2007Image* pFramePart = rc.Width() > 54 && rc.Height() > 54 ? LoadImage(_T("FRAMESYSTEMBUTTON52")) : NULL;
    if (pFramePart == NULL)
        pFramePart = LoadImage(_T("FRAMESYSTEMBUTTON"));
    if (rc.top < 0)
        rc.OffsetRect(0, -rc.top);
    if (pFramePart != NULL)
    {
        CRect rcSrc = pFramePart->GetSource(bPopuped ? 2 : (bSelected ? 1 : 0), 3);
        CRect rcPart(CPoint(rc.CenterPoint().x - rcSrc.Width() / 2, rc.CenterPoint().y - rcSrc.Height() / 2),
                     rcSrc.Size());
        pFramePart->DrawImageTransparent(pDC, rcPart, rcSrc, CRect(0, 0, 0, 0), RGB(255, 0, 255));
    }
    if (pLarge != NULL)
    {
        pLarge->Draw(pDC, CPoint(rc.CenterPoint().x - 16, rc.CenterPoint().y - 16), pLarge->GetIcon(), CSize(32, 32));
    }
    else
    {
        // Without an icon of its own the button shows the frame's.
        HICON hFrameIcon = GetFrameLargeIcon(CWnd::FromHandle(pRibbon->GetFrameManager()->GetFrameHwnd()));
        if (hFrameIcon != NULL)
            ::DrawIconEx(pDC->GetSafeHdc(), rc.CenterPoint().x - 16, rc.CenterPoint().y - 16, hFrameIcon, 32, 32, 0,
                         NULL, DI_NORMAL);
    }
}

void CXTPRibbonTheme::DrawContextHeaders(CDC* pDC, CXTPRibbonBar* pRibbonBar)
{
    CXTPRibbonTabContextHeaders* pHeaders = pRibbonBar->GetContextHeaders();
    CXTPRibbonFrameManager* pFrameManager = pRibbonBar->GetFrameManager();
    int nBorder = pFrameManager != NULL ? pFrameManager->GetFrameBorder() : 0;
    for (int i = 0; i < pHeaders->GetCount(); i++)
    {
        CXTPRibbonTabContextHeader* pHeader = pHeaders->GetAt(i);
        CRect rc = pHeader->m_rcHeader;
        CString strPart;
        strPart.Format(_T("ContextTab%sHeader"), (LPCTSTR)GetContextColorName(pHeader->m_nColor));
        // A theme without this colour's header picture draws no further headers.
        if (!DrawPart(pDC, strPart, rc, 0, 1, CRect(1, 1, 1, 1), FALSE))
            break;
        CRect rcText = rc;
        rcText.left += 6;
        rcText.top += nBorder - 2;
        CXTPFontDC font(pDC, GetCaptionFont());
        COLORREF clrText = m_pTabPaintManager != NULL && m_pTabPaintManager->GetColorSet() != NULL
                               ? (COLORREF)m_pTabPaintManager->GetColorSet()->m_clrTextNormal
                               : m_clrTabNormalText;
        pDC->SetTextColor(clrText);
        pDC->DrawText(pHeader->m_strCaption, rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
}

void CXTPRibbonTheme::DrawQuickAccessPart(CDC* pDC, CXTPControl* pControl, LPCTSTR lpszPart)
{
    // The picture holds the button, glyph included: normal, hot or open
    // state of four, drawn through a buffer whose pixels are made opaque on
    // the caption (where the frame may be glass), magenta transparent.
    CXTPOffice2007Image* pImage = LoadImage(lpszPart);
    if (pImage == NULL)
        return;
    CRect rc = pControl->GetRect();
    if (rc.IsRectEmpty())
        return;
    int nState = pControl->GetPopuped() ? 2 : (pControl->GetSelected() ? 1 : 0);
    CXTPBufferDC dc(pDC->GetSafeHdc(), rc);
    // What lies under the button shows through its transparent pixels.
    ::BitBlt(dc.GetSafeHdc(), rc.left, rc.top, rc.Width(), rc.Height(), pDC->GetSafeHdc(), rc.left, rc.top, SRCCOPY);
    DrawImagePart(&dc, pImage, rc, nState, 4, CRect(2, 2, 2, 2), TRUE);
    if (IsInRibbonCaption(rc, pControl->GetParent()))
        MakeRectOpaque(&dc, rc);
}

void CXTPRibbonTheme::DrawQuickAccessButton(CDC* pDC, CXTPControl* pControl)
{
    DrawQuickAccessPart(pDC, pControl, _T("RIBBONQUICKACCESSBUTTON"));
}

void CXTPRibbonTheme::DrawQuickAccessMoreButton(CDC* pDC, CXTPControl* pControl)
{
    DrawQuickAccessPart(pDC, pControl, _T("RIBBONQUICKACCESSMORE"));
}

BOOL CXTPRibbonTheme::IsInRibbonCaption(const CRect& rc, CXTPCommandBar* pBar) const
{
    CXTPRibbonBar* pRibbon = DYNAMIC_DOWNCAST(CXTPRibbonBar, pBar);
    if (pRibbon == NULL || pRibbon->GetFrameManager() == NULL || !pRibbon->IsCaptionVisible())
        return FALSE;
    CRect rcCommon;
    return rcCommon.IntersectRect(rc, pRibbon->GetCaptionRect());
}

void CXTPRibbonTheme::DrawGroupsScrollButton(CDC* pDC, CXTPControl* pControl, BOOL bScrollLeft)
{
    CRect rc = pControl->GetRect();
    BOOL bPressed = pControl->GetPressed(), bSelected = pControl->GetSelected();
    int nState = bPressed ? 2 : (bSelected ? 1 : 0);
    if (DrawPart(pDC, bScrollLeft ? _T("RIBBONGROUPSSCROLLLEFT") : _T("RIBBONGROUPSSCROLLRIGHT"), rc, nState, 3,
                 CRect(4, 6, 3, 6), FALSE))
    {
        CXTPOffice2007Image* pGlyph =
            LoadImage(bScrollLeft ? _T("RIBBONGROUPSSCROLLLEFTGLYPH") : _T("RIBBONGROUPSSCROLLRIGHTGLYPH"));
        if (pGlyph != NULL)
        {
            CRect rcSrc = pGlyph->GetSource(nState, 3);
            CPoint pt(rc.CenterPoint().x - rcSrc.Width() / 2, rc.CenterPoint().y - rcSrc.Height() / 2);
            pGlyph->DrawImageTransparent(pDC, CRect(pt, rcSrc.Size()), rcSrc, CRect(0, 0, 0, 0), RGB(255, 0, 255));
        }
    }
}

void CXTPRibbonTheme::FillMorePopupToolBar(CDC* pDC, CXTPCommandBar* pBar)
{
    if (pBar->GetSafeHwnd() == NULL)
        return;
    CRect rc;
    pBar->GetClientRect(&rc);
    if (!DrawPart(pDC, _T("MOREPOPUPBARFRAME"), rc, 0, 1, CRect(4, 4, 4, 4), FALSE))
        DrawPart(pDC, _T("POPUPBARFRAME"), rc, 0, 1, CRect(4, 4, 4, 4), FALSE);
}

void CXTPRibbonTheme::DrawCaptionButtonControl(CDC* pDC, CRect rc, int nId, BOOL bSelected, BOOL bPressed,
                                               BOOL bEnabled, BOOL bActive)
{
    if (bEnabled && LoadImage(_T("FRAMECAPTIONBUTTON")) != NULL)
    {
        CXTPOffice2007Theme::DrawFrameCaptionButton(pDC, rc, nId, bSelected, bPressed, bActive);
        return;
    }
    rc.DeflateRect(3, 4, 3, 4);
    if (bEnabled && (bSelected || bPressed))
    {
        if (nId == SC_CLOSE)
            FillRounded(pDC, rc, bPressed ? RGB(200, 70, 50) : RGB(240, 120, 100),
                        bPressed ? RGB(170, 50, 40) : RGB(220, 80, 60), RGB(150, 50, 40), 4);
        else
            DrawRectangle(pDC, rc, bSelected, bPressed, TRUE, FALSE, FALSE, xtpBarTypeRibbon, xtpBarTop);
    }
    COLORREF clr = !bEnabled ? RGB(160, 170, 185) : (bActive ? RGB(44, 70, 120) : RGB(110, 125, 150));
    if (nId == SC_CLOSE && bSelected && bEnabled)
        clr = RGB(255, 255, 255);
    CPoint pt = rc.CenterPoint();
    CXTPPenDC pen(pDC->GetSafeHdc(), clr);
    switch (nId)
    {
    case SC_CLOSE:
        for (int k = 0; k < 2; k++)
        {
            pDC->MoveTo(pt.x - 4 + k, pt.y - 4);
            pDC->LineTo(pt.x + 5 + k, pt.y + 5);
            pDC->MoveTo(pt.x + 4 + k, pt.y - 4);
            pDC->LineTo(pt.x - 5 + k, pt.y + 5);
        }
        break;
    case SC_MAXIMIZE:
        pDC->FillSolidRect(pt.x - 5, pt.y - 4, 10, 2, clr);
        pDC->FillSolidRect(pt.x - 5, pt.y - 4, 1, 9, clr);
        pDC->FillSolidRect(pt.x + 4, pt.y - 4, 1, 9, clr);
        pDC->FillSolidRect(pt.x - 5, pt.y + 4, 10, 1, clr);
        break;
    case SC_RESTORE:
        pDC->FillSolidRect(pt.x - 2, pt.y - 5, 7, 2, clr);
        pDC->FillSolidRect(pt.x + 4, pt.y - 5, 1, 6, clr);
        pDC->FillSolidRect(pt.x - 5, pt.y - 2, 7, 2, clr);
        pDC->FillSolidRect(pt.x - 5, pt.y - 2, 1, 7, clr);
        pDC->FillSolidRect(pt.x + 1, pt.y - 2, 1, 7, clr);
        pDC->FillSolidRect(pt.x - 5, pt.y + 4, 7, 1, clr);
        break;
    case SC_MINIMIZE:
        pDC->FillSolidRect(pt.x - 4, pt.y + 2, 9, 2, clr);
        break;
    default:
        break;
    }
}
