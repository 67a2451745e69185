// The Office 2003 command-bar theme.
#include "XTPOffice2003Theme.h"

#include <algorithm>

#include "XTPCommandBar.h"
#include "XTPControl.h"
#include "XTPControls.h"
#include "XTPDialogBar.h"
#include "XTPDockBar.h"
#include "XTPDrawHelpers.h"

namespace XTPPaintThemes
{
namespace
{
// The right-hand dock bar is the one whose window style has 0x4000 or 0x0100.
BOOL IsRightDockBar(CWnd* pWnd)
{
    return pWnd != NULL && pWnd->GetSafeHwnd() != NULL && (pWnd->GetStyle() & (0x4000 | 0x0100)) != 0;
}

// The first visible control of a bar, or NULL.
CXTPControl* FirstVisibleControl(CXTPCommandBar* pBar)
{
    CXTPControls* pControls = pBar->GetControls();
    for (int i = 0; pControls != NULL && i < pControls->GetCount(); i++)
    {
        CXTPControl* pControl = pControls->GetAt(i);
        if (pControl != NULL && pControl->IsVisible())
            return pControl;
    }
    return NULL;
}

// The 16 x 16 shaded glyph, column by column (entry i is the pixel
// x = i / 16, y = i % 16): 255 is transparent, any other value the share of
// the light colour (0 the dark rim, higher values lighter towards the middle).
const BYTE kShadedGlyph[256] = {
    255, 255, 48, 36, 33, 30, 27, 24, 21, 18, 15, 12, 9, 15, 255, 255,
    255, 66, 87, 78, 75, 72, 69, 66, 63, 60, 57, 54, 51, 54, 27, 255,
    54, 90, 122, 120, 117, 114, 111, 108, 105, 102, 99, 96, 93, 89, 51, 9,
    45, 84, 123, 162, 159, 156, 153, 150, 147, 144, 141, 138, 135, 90, 45, 0,
    45, 84, 123, 162, 201, 198, 195, 192, 189, 186, 183, 180, 135, 90, 45, 0,
    45, 84, 123, 162, 201, 240, 237, 234, 231, 228, 225, 180, 135, 90, 45, 0,
    45, 84, 123, 162, 201, 240, 240, 240, 240, 240, 225, 180, 135, 90, 45, 0,
    45, 84, 123, 162, 201, 240, 240, 240, 240, 240, 225, 180, 135, 90, 45, 0,
    45, 84, 123, 162, 201, 240, 240, 240, 240, 240, 225, 180, 135, 90, 45, 0,
    45, 84, 123, 162, 201, 240, 240, 240, 240, 240, 225, 180, 135, 90, 45, 0,
    45, 84, 123, 162, 201, 240, 237, 234, 231, 228, 225, 180, 135, 90, 45, 0,
    45, 84, 123, 162, 201, 198, 195, 192, 189, 186, 183, 180, 135, 90, 45, 0,
    45, 84, 123, 162, 159, 156, 153, 150, 147, 144, 141, 138, 135, 90, 45, 0,
    54, 90, 122, 120, 117, 114, 111, 108, 105, 102, 99, 96, 93, 89, 51, 9,
    255, 66, 87, 78, 75, 72, 69, 66, 63, 60, 57, 54, 51, 54, 27, 255,
    255, 255, 48, 36, 33, 30, 27, 24, 21, 18, 15, 12, 9, 15, 255, 255,
};

COLORREF Mix(CXTPPaintManager* pManager, int nA, int nB, int nWeight)
{
    return CXTPColorManager::MixColors(pManager->GetColor(nA), pManager->GetColor(nB), nWeight);
}

// A filled triangle in one colour (pen and brush), without paint-manager state.
void FillTriangle(CDC* pDC, CPoint pt0, CPoint pt1, CPoint pt2, COLORREF clr)
{
    CXTPPenDC pen(pDC->GetSafeHdc(), clr);
    CXTPBrushDC brush(pDC->GetSafeHdc(), clr);
    POINT pts[3] = { pt0, pt1, pt2 };
    pDC->Polygon(pts, 3);
}

// One colour set of the blue, olive and silver schemes.
struct LunaSet
{
    COLORREF dockLight, dockDark;
    COLORREF barLight, barDark;
    float barFactor;
    COLORREF popLight, popDark;
    COLORREF expandLight, expandDark;
    float expandFactor;
    COLORREF expandedLight, expandedDark;
    float expandedFactor;
    COLORREF glyphLight, glyphDark;
    COLORREF faceLight, faceDark;
    COLORREF toolbarEdge, shadow, statusPane, spare, tearOff;
    COLORREF c12, c51, c52, c53, c56;
    COLORREF c30, c31, c32, c33, c36, c38, c39, c40, c41, c43, c47;
};

const LunaSet kLunaSets[3] = {
    // blue
    { RGB(158, 190, 245), RGB(196, 218, 250), RGB(221, 236, 254), RGB(129, 169, 226), 0.75f, RGB(227, 239, 255),
      RGB(147, 181, 231), RGB(117, 166, 241), RGB(0, 53, 145), 0.75f, RGB(203, 221, 246), RGB(121, 161, 220), 0.5f,
      RGB(227, 239, 254), RGB(129, 169, 226), RGB(233, 236, 242), RGB(97, 122, 172), RGB(59, 97, 156),
      RGB(42, 102, 201), RGB(211, 211, 211), RGB(22, 30, 54), RGB(169, 199, 240), RGB(144, 153, 174),
      RGB(216, 231, 252), RGB(158, 190, 245), RGB(203, 225, 252), RGB(189, 211, 247), RGB(196, 219, 249),
      RGB(255, 238, 194), RGB(0, 0, 128), RGB(254, 128, 62), RGB(255, 192, 111), RGB(39, 65, 118),
      RGB(106, 140, 203), RGB(109, 150, 208), RGB(246, 246, 246), RGB(0, 45, 150), RGB(0, 0, 0) },
    // olive
    { RGB(217, 217, 167), RGB(242, 241, 228), RGB(244, 247, 222), RGB(183, 198, 145), 0.3f, RGB(236, 240, 213),
      RGB(194, 206, 159), RGB(176, 194, 140), RGB(96, 119, 107), 0.3f, RGB(230, 230, 209), RGB(164, 180, 120), 0.3f,
      RGB(236, 240, 213), RGB(184, 198, 147), RGB(243, 244, 240), RGB(131, 144, 113), RGB(96, 128, 88),
      RGB(116, 134, 94), RGB(211, 211, 211), RGB(31, 34, 25), RGB(197, 212, 159), RGB(151, 160, 123),
      RGB(226, 231, 191), RGB(171, 192, 138), RGB(216, 227, 182), RGB(222, 227, 189), RGB(209, 222, 173),
      RGB(255, 238, 194), RGB(63, 93, 56), RGB(254, 128, 62), RGB(255, 192, 111), RGB(81, 94, 51),
      RGB(96, 128, 88), RGB(159, 174, 122), RGB(244, 244, 238), RGB(117, 141, 94), RGB(0, 0, 0) },
    // silver (hilite (75, 75, 111))
    { RGB(215, 215, 229), RGB(243, 243, 247), RGB(249, 249, 255), RGB(156, 155, 183), 0.75f, RGB(233, 231, 241),
      RGB(186, 185, 205), RGB(179, 178, 200), RGB(118, 116, 146), 0.75f, RGB(215, 215, 226), RGB(133, 131, 162), 0.5f,
      RGB(232, 232, 241), RGB(176, 174, 197), RGB(247, 245, 249), RGB(122, 121, 153), RGB(124, 124, 148),
      RGB(122, 121, 153), RGB(236, 234, 218), RGB(36, 32, 41), RGB(192, 192, 211), RGB(155, 154, 179),
      RGB(223, 223, 234), RGB(177, 176, 195), RGB(214, 211, 231), RGB(214, 215, 231), RGB(219, 218, 228),
      RGB(255, 238, 194), RGB(75, 75, 111), RGB(254, 128, 62), RGB(255, 192, 111), RGB(84, 84, 117),
      RGB(110, 109, 143), RGB(168, 167, 190), RGB(253, 250, 255), RGB(124, 124, 148), RGB(0, 0, 0) },
};
} // namespace

CXTPOffice2003Theme::CXTPOffice2003Theme()
    : m_bLunaTheme(FALSE)
    , m_bPlainSeparators(FALSE)
{
    m_iconsInfo.bUseFadedIcons = FALSE;
    m_iconsInfo.bIconsWithShadow = FALSE;
    m_grcLunaChecked.SetStandardValue(RGB(255, 213, 140), RGB(255, 173, 85), 0.5f);
    m_grcLunaPushed.SetStandardValue(RGB(254, 142, 75), RGB(255, 207, 139), 0.5f);
    m_grcLunaSelected.SetStandardValue(RGB(255, 242, 200), RGB(255, 212, 151), 0.5f);
}

CXTPOffice2003Theme::~CXTPOffice2003Theme()
{
    m_ilGradientCircle.DeleteImageList();
}

int CXTPOffice2003Theme::BaseTheme()
{
    return xtpThemeOffice2003;
}

void CXTPOffice2003Theme::RefreshMetrics()
{
    RefreshColors();
    CreateShadedGlyph();
}

void CXTPOffice2003Theme::RefreshColors()
{
    CXTPOfficeTheme::RefreshMetrics();

    CWnd* pMainWnd = AfxGetMainWnd();
    m_themeStatusBar.OpenThemeData(pMainWnd != NULL ? pMainWnd->GetSafeHwnd() : NULL, L"STATUS");

    // Defaults from the system colours.
    m_clrMenuExpandedGripper.SetStandardValue(Mix(this, COLOR_WINDOW, XPCOLOR_MENUBAR_EXPANDED, 550),
                                              GetColor(XPCOLOR_MENUBAR_EXPANDED));
    m_clrCommandBar.SetStandardValue(Mix(this, COLOR_3DFACE, COLOR_WINDOW, 205), GetColor(COLOR_3DFACE));
    m_clrDockBar.SetStandardValue(GetColor(COLOR_3DFACE), Mix(this, COLOR_3DFACE, COLOR_WINDOW, 205));
    m_clrTearOffGripper.SetStandardValue(GetColor(XPCOLOR_TOOLBAR_FACE));
    m_clrToolbarShadow.SetStandardValue(GetColor(XPCOLOR_TOOLBAR_FACE));
    m_clrFloatingGripper.SetStandardValue(GetColor(COLOR_3DSHADOW));
    m_clrPopupControl.SetStandardValue(GetColor(XPCOLOR_MENUBAR_FACE), Mix(this, COLOR_WINDOW, COLOR_3DFACE, 550));
    m_clrMenuGlyph.SetStandardValue(GetColor(XPCOLOR_MENUBAR_FACE), Mix(this, COLOR_WINDOW, COLOR_3DFACE, 550));
    m_clrToolbarExpand.SetStandardValue(Mix(this, XPCOLOR_3DFACE, COLOR_3DSHADOW, 51), GetColor(COLOR_3DSHADOW));
    m_bLunaTheme = FALSE;
    m_clrStatusPane.SetStandardValue(Mix(this, COLOR_3DFACE, COLOR_WINDOW, 70));
    m_arrColor[XPCOLOR_SPLITTER_FACE].SetStandardValue(GetColorManager()->GetGradientColor(1).clrDark.GetColor());

    if (CXTPColorManager::IsLowColorDepth(NULL))
    {
        COLORREF clrFace = GetColor(COLOR_3DFACE);
        m_clrCommandBar.SetStandardValueSolid(clrFace);
        m_clrDockBar.SetStandardValueSolid(clrFace);
        m_clrPopupControl.SetStandardValueSolid(clrFace);
        m_clrToolbarExpand.SetStandardValueSolid(clrFace);
    }

    int nScheme = GetCurrentSystemTheme();
    if (nScheme >= xtpSystemThemeBlue && nScheme <= xtpSystemThemeSilver)
    {
        const LunaSet& set = kLunaSets[nScheme - 1];
        m_clrDockBar.SetStandardValue(set.dockLight, set.dockDark, 0.5f);
        m_clrCommandBar.SetStandardValue(set.barLight, set.barDark, set.barFactor);
        m_clrPopupControl.SetStandardValue(set.popLight, set.popDark, 0.5f);
        m_clrToolbarExpand.SetStandardValue(set.expandLight, set.expandDark, set.expandFactor);
        m_clrMenuExpandedGripper.SetStandardValue(set.expandedLight, set.expandedDark, set.expandedFactor);
        m_clrMenuGlyph.SetStandardValue(set.glyphLight, set.glyphDark, 0.5f);
        m_clrDisabledIcon.SetStandardValue(set.faceLight, set.faceDark, 0.5f);
        m_clrToolbarShadow.SetStandardValue(set.toolbarEdge);
        m_clrFloatingGripper.SetStandardValue(set.shadow);
        m_clrStatusPane.SetStandardValue(set.statusPane);
        m_clrSpare = set.spare;
        m_clrTearOffGripper.SetStandardValue(set.tearOff);

        const int indexes[] = { XPCOLOR_TOOLBAR_GRIPPER, XPCOLOR_SEPARATOR, XPCOLOR_DISABLED, XPCOLOR_MENUBAR_FACE,
                                XPCOLOR_MENUBAR_BORDER, XPCOLOR_HIGHLIGHT, XPCOLOR_HIGHLIGHT_BORDER,
                                XPCOLOR_HIGHLIGHT_CHECKED_BORDER, XPCOLOR_HIGHLIGHT_PUSHED_BORDER,
                                XPCOLOR_HIGHLIGHT_PUSHED, XPCOLOR_HIGHLIGHT_CHECKED, XPCOLOR_TOOLBAR_FACE,
                                XPCOLOR_PUSHED_TEXT };
        const COLORREF colors[] = { set.c38, set.c39, set.c40, set.c41, set.c43, set.c31, set.c32, set.c32,
                                    set.c32, set.c33, set.c36, set.c30, set.c47 };
        SetColors(13, indexes, colors);
        m_arrColor[COLOR_APPWORKSPACE].SetStandardValue(set.c12);
        m_arrColor[XPCOLOR_3DFACE].SetStandardValue(set.c51);
        m_arrColor[XPCOLOR_3DSHADOW].SetStandardValue(set.c52);
        m_arrColor[XPCOLOR_EDITCTRLBORDER].SetStandardValue(set.c53);
        m_arrColor[XPCOLOR_LABEL].SetStandardValue(set.c56);
        m_bLunaTheme = TRUE;
    }

    if (m_bLunaTheme)
    {
        const int indexes[] = { XPCOLOR_GRAYTEXT, XPCOLOR_HIGHLIGHT_DISABLED_BORDER, XPCOLOR_TOOLBAR_GRAYTEXT,
                                XPCOLOR_FLOATBAR_BORDER };
        const COLORREF colors[] = { RGB(141, 141, 141), RGB(141, 141, 141), RGB(141, 141, 141),
                                    m_clrFloatingGripper.GetColor() };
        SetColors(4, indexes, colors);
    }
}

void CXTPOffice2003Theme::CreateShadedGlyph()
{
    COLORREF clrLight = m_clrMenuGlyph.clrLight.GetColor();
    COLORREF clrDark = m_clrMenuGlyph.clrDark.GetColor();
    const COLORREF clrTransparent = RGB(0, 255, 0);

    // The picture is written straight into the pixels of a DIB section.
    BITMAPINFO bmi;
    ZeroMemory(&bmi, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = 16;
    bmi.bmiHeader.biHeight = -16;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    DWORD* pPixels = NULL;
    CBitmap bitmap;
    if (!bitmap.Attach(::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(&pPixels), NULL, 0)) ||
        pPixels == NULL)
    {
        TRACE("CreateShadedGlyph: no bitmap for the glyph\n");
        return;
    }
    for (int i = 0; i < 256; i++)
    {
        int s = kShadedGlyph[i];
        COLORREF clr = clrTransparent;
        if (s != 255)
        {
            clr = RGB(GetRValue(clrDark) - (GetRValue(clrDark) - GetRValue(clrLight)) * s / 255,
                      GetGValue(clrDark) - (GetGValue(clrDark) - GetGValue(clrLight)) * s / 255,
                      GetBValue(clrDark) - (GetBValue(clrDark) - GetBValue(clrLight)) * s / 255);
        }
        // Entry i is the pixel (i / 16, i % 16); DIB pixels are 0x00RRGGBB.
        pPixels[(i % 16) * 16 + i / 16] = (GetRValue(clr) << 16) | (GetGValue(clr) << 8) | GetBValue(clr);
    }

    // The list is made once; later refreshes replace its one image.
    if (m_ilGradientCircle.GetSafeHandle() == NULL && !m_ilGradientCircle.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 1))
    {
        TRACE("CreateShadedGlyph: the image list cannot be made\n");
        return;
    }
    if (m_ilGradientCircle.GetImageCount() > 0)
        m_ilGradientCircle.Remove(0);
    m_ilGradientCircle.Add(&bitmap, clrTransparent);
}

void AFX_CDECL CXTPOffice2003Theme::ExcludeCorners(CDC* pDC, int left, int top, int right, int bottom)
{
    pDC->ExcludeClipRect(left, top, left + 1, top + 1);
    pDC->ExcludeClipRect(right - 1, top, right, top + 1);
    pDC->ExcludeClipRect(left, bottom - 1, left + 1, bottom);
    pDC->ExcludeClipRect(right - 1, bottom - 1, right, bottom);
}

void CXTPOffice2003Theme::FillGradientRectangle(CDC* pDC, CRect rc, const CXTPPaintManagerColorGradient& grc,
                                                BOOL bHorz, int nFrameColor)
{
    XTPDrawHelpers()->GradientFill(pDC, rc, grc, bHorz);
    Draw3dRect(pDC, rc, nFrameColor, nFrameColor);
}

void CXTPOffice2003Theme::FillPopupBarGripper(CDC* pDC, int x, int y, int cx, int cy, BOOL bExpanded)
{
    CRect rc(x, y, x + cx, y + cy);
    XTPDrawHelpers()->GradientFill(pDC, rc, bExpanded ? m_clrMenuExpandedGripper : m_clrCommandBar, TRUE);
}

void CXTPOffice2003Theme::DrawRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                                        BOOL bChecked, BOOL bPopuped, int barType, int barPosition)
{
    if (bPopuped)
    {
        FillGradientRectangle(pDC, rc, m_clrPopupControl, FALSE, XPCOLOR_MENUBAR_BORDER);
        return;
    }
    if (!m_bLunaTheme || barType == 2 || barPosition < 0 || barPosition > 4)
    {
        CXTPOfficeTheme::DrawRectangle(pDC, rc, bSelected, bPressed, bEnabled, bChecked, bPopuped, barType,
                                       barPosition);
        return;
    }

    BOOL bHorz = barPosition == 2 || barPosition == 3;
    if (!bEnabled)
    {
        if (IsKeyboardSelected(bSelected))
            FillGradientRectangle(pDC, rc, bChecked ? m_grcLunaPushed : m_grcLunaSelected, bHorz,
                                  XPCOLOR_HIGHLIGHT_PUSHED_BORDER);
        else if (bChecked)
            FillGradientRectangle(pDC, rc, m_grcLunaChecked, bHorz, XPCOLOR_HIGHLIGHT_DISABLED_BORDER);
        return;
    }
    if (IsKeyboardSelected(bPressed) || (bChecked && bSelected) || (!bChecked && bSelected && bPressed))
        FillGradientRectangle(pDC, rc, m_grcLunaPushed, bHorz, XPCOLOR_HIGHLIGHT_PUSHED_BORDER);
    else if ((bPressed && !bSelected) || (!bChecked && bSelected && !bPressed))
        FillGradientRectangle(pDC, rc, m_grcLunaSelected, bHorz, XPCOLOR_HIGHLIGHT_BORDER);
    else if (bChecked == 2 && !bSelected && !bPressed)
        Rectangle(pDC, rc, XPCOLOR_HIGHLIGHT_PUSHED_BORDER, XPCOLOR_3DFACE);
    else if (bChecked && !bSelected && !bPressed)
        FillGradientRectangle(pDC, rc, m_grcLunaChecked, bHorz, XPCOLOR_HIGHLIGHT_CHECKED_BORDER);
}

void CXTPOffice2003Theme::DrawStatusBarPaneBorder(CDC* pDC, CRect rc, BOOL bGripperPane)
{
    if (m_bThemedStatusBar && m_themeStatusBar.IsValid())
        CXTPOfficeTheme::DrawStatusBarPaneBorder(pDC, rc, bGripperPane);
    else
        pDC->Draw3dRect(rc, m_clrStatusPane.GetColor(), m_clrStatusPane.GetColor());
}

void CXTPOffice2003Theme::DrawStatusBarGripper(CDC* pDC, CRect rcClient)
{
    if (m_themeStatusBar.IsValid())
    {
        CRect rcGripper(rcClient.right - 18, rcClient.top, rcClient.right, rcClient.bottom);
        m_themeStatusBar.DrawThemeBackground(pDC->GetSafeHdc(), 3, 0, &rcGripper, NULL);
        return;
    }
    // Three groups of diagonal lines in the bottom-right corner.
    int x0 = rcClient.left, y0 = rcClient.top;
    int w = rcClient.Width(), h = rcClient.Height();
    CXTPPenDC pen(pDC->GetSafeHdc(), GetColor(COLOR_3DSHADOW));
    for (int k = 0; k < 3; k++)
    {
        for (int j = 0; j < 3; j++)
            Line(pDC, x0 + w - j - 5 * k, y0 + h - 1, x0 + w, y0 + h - 1 - j - 5 * k);
    }
    pen.Color(GetColor(COLOR_BTNHILIGHT));
    for (int k = 0; k < 3; k++)
        Line(pDC, x0 + w - 3 - 5 * k, y0 + h - 1, x0 + w, y0 + h - 4 - 5 * k);
}

CSize CXTPOffice2003Theme::DrawTearOffGripper(CDC* pDC, CRect rcGripper, BOOL bHot, BOOL, BOOL bDraw)
{
    if (bDraw && pDC != NULL)
    {
        CRect rc(rcGripper.left + 1, rcGripper.top + 1, rcGripper.right + 1, rcGripper.bottom + 1);
        pDC->FillSolidRect(rc, GetColor(XPCOLOR_MENUBAR_FACE));
        rc.DeflateRect(1, 1);
        if (bHot)
            Rectangle(pDC, rc, XPCOLOR_HIGHLIGHT_BORDER, XPCOLOR_HIGHLIGHT);
        else
            pDC->FillSolidRect(rc, m_clrTearOffGripper.GetColor());

        int xc = rc.CenterPoint().x;
        int nExtent = std::min(32, rc.Width() / 2 - 10);
        int y0 = rcGripper.top;
        for (int x = xc - nExtent + 3; x - 3 < xc + nExtent; x += 4)
        {
            pDC->FillSolidRect(x - 2, y0 + 5, 2, 2, GetColor(COLOR_BTNHILIGHT));
            pDC->FillSolidRect(x - 3, y0 + 4, 2, 2, GetColor(XPCOLOR_TOOLBAR_GRIPPER));
        }
    }
    return CSize(0, 9);
}

void AFX_CDECL CXTPOffice2003Theme::DrawExpandGlyph(CDC* pDC, BOOL bVertical, CRect rc, BOOL bHiddenExists,
                                                    COLORREF clr)
{
    CXTPPenDC pen(pDC->GetSafeHdc(), clr);
    if (!bVertical)
    {
        int c = rc.CenterPoint().x;
        pDC->MoveTo(c - 2, rc.bottom - 10);
        pDC->LineTo(c + 3, rc.bottom - 10);
        FillTriangle(pDC, CPoint(c - 2, rc.bottom - 7), CPoint(c + 2, rc.bottom - 7), CPoint(c, rc.bottom - 5), clr);
        if (bHiddenExists)
        {
            for (int dx = 3; dx <= 7; dx += 4)
                FillTriangle(pDC, CPoint(rc.left + dx, rc.top + 5), CPoint(rc.left + dx + 1, rc.top + 6),
                             CPoint(rc.left + dx, rc.top + 7), clr);
        }
    }
    else
    {
        int c = rc.CenterPoint().y;
        pDC->MoveTo(rc.right - 10, c - 2);
        pDC->LineTo(rc.right - 10, c + 3);
        FillTriangle(pDC, CPoint(rc.right - 5, c), CPoint(rc.right - 7, c - 2), CPoint(rc.right - 7, c + 2), clr);
        if (bHiddenExists)
        {
            for (int dy = 3; dy <= 7; dy += 4)
                FillTriangle(pDC, CPoint(rc.left + 5, rc.top + dy), CPoint(rc.left + 6, rc.top + dy + 1),
                             CPoint(rc.left + 7, rc.top + dy), clr);
        }
    }
}
//////////////////////////////////////////////////////////////////////////
// Bars

BOOL CXTPOffice2003Theme::IsThemedFloatingFrame(CXTPCommandBar* pBar)
{
    if (IsFlatToolBar(pBar))
        return FALSE;
    return (pBar->GetFlags() & 0x0F) != 0;
}

CRect CXTPOffice2003Theme::GetCommandBarBorders(CXTPCommandBar* pBar)
{
    if (pBar != NULL && (pBar->GetPosition() == xtpBarTop || pBar->GetPosition() == xtpBarBottom))
        return CRect(4, 2, 2, 2);
    return CXTPOfficeTheme::GetCommandBarBorders(pBar);
}

void CXTPOffice2003Theme::FillDockGradient(CDC* pDC, int xStart, int nWidth, CRect rcClip)
{
    int nHalfScreen = ::GetSystemMetrics(SM_CXFULLSCREEN) / 2;
    CRect rcGradient(xStart, rcClip.top, xStart + std::max(nWidth, nHalfScreen), rcClip.bottom);
    XTPDrawHelpers()->GradientFill(pDC, rcGradient, m_clrDockBar, TRUE, rcClip);
}

void CXTPOffice2003Theme::FillDockBar(CDC* pDC, CXTPDockBar* pBar)
{
    CXTPClientRect rc(pBar);
    if (IsRightDockBar(pBar))
        pDC->FillSolidRect(rc, m_clrDockBar.clrDark.GetColor());
    else
        FillDockGradient(pDC, rc.left, rc.Width(), rc);
}

void CXTPOffice2003Theme::FillCommandBar(CDC* pDC, CXTPCommandBar* pBar)
{
    CXTPClientRect rc(pBar);
    int nPosition = pBar->GetPosition();
    CWnd* pParent = pBar->GetParent();

    if (nPosition == xtpBarPopup)
    {
        Rectangle(pDC, rc, XPCOLOR_MENUBAR_BORDER, XPCOLOR_MENUBAR_FACE);
        FillPopupJoin(pDC, pBar, GetColor(XPCOLOR_MENUBAR_FACE));
        return;
    }

    // The dock-bar gradient behind a docked bar continues the dock bar's own
    // shading: it starts at the dock bar's left edge.
    auto fillDockBehind = [&]() {
        if (nPosition != xtpBarFloating && pParent != NULL && pParent->GetSafeHwnd() != NULL)
        {
            CRect rcParent;
            pParent->GetWindowRect(&rcParent);
            pBar->ScreenToClient(&rcParent);
            FillDockGradient(pDC, rcParent.left, rcParent.Width(), rc);
        }
        else
        {
            FillDockGradient(pDC, rc.left, rc.Width(), rc);
        }
    };
    auto drawFloatingFrame = [&]() {
        Draw3dRect(pDC, rc, XPCOLOR_FLOATBAR_BORDER, XPCOLOR_FLOATBAR_BORDER);
        CRect rcInner = rc;
        rcInner.DeflateRect(1, 1);
        Draw3dRect(pDC, rcInner, XPCOLOR_FLOATBAR_BORDER, XPCOLOR_FLOATBAR_BORDER);
        // One pixel inside each corner, on both sides alike.
        COLORREF clr = GetColor(XPCOLOR_FLOATBAR_BORDER);
        pDC->SetPixel(rc.left + 2, rc.top + 2, clr);
        pDC->SetPixel(rc.right - 3, rc.top + 2, clr);
        pDC->SetPixel(rc.left + 2, rc.bottom - 3, clr);
        pDC->SetPixel(rc.right - 3, rc.bottom - 3, clr);
    };

    if (IsFlatToolBar(pBar))
    {
        fillDockBehind();
        if (nPosition == xtpBarFloating)
            drawFloatingFrame();
        return;
    }

    CXTPControl* pFirst = FirstVisibleControl(pBar);
    if (nPosition == xtpBarTop || nPosition == xtpBarBottom)
    {
        pDC->FillSolidRect(rc, GetColor(COLOR_3DFACE));
        int nSaved = pDC->SaveDC();
        if (pParent != NULL && pParent->GetSafeHwnd() != NULL)
            fillDockBehind();
        pDC->ExcludeClipRect(rc.left, rc.top, rc.left + 3, rc.bottom);
        ExcludeCorners(pDC, rc.left + 3, rc.top + 1, rc.right, rc.bottom - 1);
        int B = pFirst != NULL ? pFirst->GetRowRect().bottom + 1 : rc.bottom;
        XTPDrawHelpers()->GradientFill(pDC, CRect(rc.left, rc.top + 1, rc.right, B), m_clrCommandBar, FALSE);
        if (B < rc.bottom - 1)
            pDC->FillSolidRect(rc.left, B, rc.Width(), rc.bottom - 1 - B, m_clrCommandBar.clrDark.GetColor());
        HorizontalLine(pDC, rc.left + 5, rc.bottom - 1, rc.right - 2, m_clrToolbarShadow.GetColor());
        pDC->RestoreDC(nSaved);
        return;
    }
    if (nPosition == xtpBarLeft || nPosition == xtpBarRight)
    {
        pDC->FillSolidRect(rc, GetColor(COLOR_3DFACE));
        int nSaved = pDC->SaveDC();
        if (IsRightDockBar(pParent))
            pDC->FillSolidRect(rc, m_clrDockBar.clrDark.GetColor());
        else
            fillDockBehind();
        pDC->ExcludeClipRect(rc.left, rc.top, rc.right, rc.top + 3);
        ExcludeCorners(pDC, rc.left + 1, rc.top + 3, rc.right - 1, rc.bottom);
        int X = pFirst != NULL ? pFirst->GetRowRect().right + 1 : rc.right;
        XTPDrawHelpers()->GradientFill(pDC, CRect(rc.left + 1, rc.top, X, rc.bottom), m_clrCommandBar, TRUE);
        VerticalLine(pDC, rc.right - 1, rc.top + 5, rc.bottom - 2, m_clrToolbarShadow.GetColor());
        pDC->RestoreDC(nSaved);
        return;
    }
    if (nPosition == xtpBarFloating && IsThemedFloatingFrame(pBar))
    {
        pDC->FillSolidRect(rc, GetColor(XPCOLOR_TOOLBAR_FACE));
        int nCaption = 15;
        {
            CXTPFontDC font(pDC, &m_fontSmCaption);
            nCaption = std::max((int)pDC->GetTextExtent(_T(" ")).cy, 15);
        }
        CRect rcArea(rc.left + 2, rc.top + nCaption + 2, rc.right - 2, rc.bottom - 2);
        int y = rcArea.top;
        CXTPControls* pControls = pBar->GetControls();
        for (int i = 0; pControls != NULL && i < pControls->GetCount(); i++)
        {
            CXTPControl* pControl = pControls->GetAt(i);
            if (pControl == NULL || !pControl->IsVisible() || !pControl->GetWrap())
                continue;
            int yRow = pControl->GetRowRect().top;
            if (yRow > y)
            {
                XTPDrawHelpers()->GradientFill(pDC, CRect(rcArea.left, y, rcArea.right, yRow), m_clrCommandBar, FALSE);
                y = yRow;
            }
        }
        XTPDrawHelpers()->GradientFill(pDC, CRect(rcArea.left, y, rcArea.right, rcArea.bottom), m_clrCommandBar, FALSE);
        drawFloatingFrame();
        return;
    }
    CXTPOfficeTheme::FillCommandBar(pDC, pBar);
}

CSize CXTPOffice2003Theme::DrawCommandBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw)
{
    if (pBar->IsDialogBar())
        return DrawDialogBarGripper(pDC, pBar, bDraw);
    int nPosition = pBar->GetPosition();
    if ((pBar->GetType() == xtpBarTypePopup && nPosition == xtpBarPopup) || nPosition == xtpBarFloating)
        return CXTPOfficeTheme::DrawCommandBarGripper(pDC, pBar, bDraw);

    CXTPClientRect rc(pBar);
    COLORREF clrLight = GetColor(COLOR_WINDOW), clrDark = GetColor(XPCOLOR_TOOLBAR_GRIPPER);
    if (nPosition == xtpBarLeft || nPosition == xtpBarRight)
    {
        if (bDraw && pDC != NULL && rc.Width() >= 13)
        {
            for (int x = 8; x - 3 < rc.Width() - 7; x += 4)
            {
                pDC->FillSolidRect(x - 2, 7, 2, 2, clrLight);
                pDC->FillSolidRect(x - 3, 6, 2, 2, clrDark);
            }
        }
        return CSize(0, 9);
    }
    if (nPosition == xtpBarTop || nPosition == xtpBarBottom)
    {
        if (bDraw && pDC != NULL && rc.Height() >= 13)
        {
            for (int y = 8; y - 3 < rc.Height() - 7; y += 4)
            {
                pDC->FillSolidRect(7, y - 2, 2, 2, clrLight);
                pDC->FillSolidRect(6, y - 3, 2, 2, clrDark);
            }
        }
        return CSize(6, 0);
    }
    return CSize(0, 0);
}

CSize CXTPOffice2003Theme::DrawDialogBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw)
{
    CSize sz(8, std::max(m_nTextHeight + 6, 25));
    if (!bDraw || pDC == NULL)
        return sz;

    CXTPClientRect rcClient(pBar);
    CRect rc = rcClient;
    rc.DeflateRect(3, 3);
    rc.bottom = std::min((int)rc.bottom, (int)rc.top + (int)sz.cy);
    BOOL bActive = pBar->IsDialogBar() && ((CXTPDialogBar*)pBar)->IsActive();
    if (!bActive)
        XTPDrawHelpers()->GradientFill(pDC, rc, m_clrCommandBar, FALSE);
    else if (m_bLunaTheme)
        XTPDrawHelpers()->GradientFill(pDC, rc, m_grcLunaChecked, FALSE);
    else
        pDC->FillSolidRect(rc, GetColor(XPCOLOR_HIGHLIGHT_CHECKED));

    COLORREF clrLight = GetColor(COLOR_WINDOW), clrDark = GetColor(XPCOLOR_TOOLBAR_GRIPPER);
    for (int y = rc.top + 4; y < rc.bottom - 5; y += 4)
    {
        pDC->FillSolidRect(6, y + 1, 2, 2, clrLight);
        pDC->FillSolidRect(5, y, 2, 2, clrDark);
    }
    return sz;
}

CSize CXTPOffice2003Theme::DrawCommandBarSeparator(CDC* pDC, CXTPCommandBar* pBar, CXTPControl* pControl, BOOL bDraw)
{
    int nPosition = pBar->GetPosition();
    BOOL bFloatingToolBar = nPosition == xtpBarFloating && pBar->GetType() != xtpBarTypePopup;
    BOOL bOwn = bFloatingToolBar || (nPosition >= xtpBarTop && nPosition <= xtpBarRight);
    if (!bOwn)
        return CXTPOfficeTheme::DrawCommandBarSeparator(pDC, pBar, pControl, bDraw);
    if (!bDraw || pDC == NULL || pControl == NULL)
        return bFloatingToolBar ? CSize(6, 0) : CXTPOfficeTheme::DrawCommandBarSeparator(pDC, pBar, pControl, FALSE);

    CRect C = pControl->GetRect();
    CRect row = pControl->GetRowRect();
    BOOL bWrap = pControl->GetWrap();
    CXTPPenDC pen(pDC->GetSafeHdc(), GetColor(XPCOLOR_SEPARATOR));
    auto light = [&](int x0, int y0, int x1, int y1) {
        pen.Color(GetColor(COLOR_BTNHILIGHT));
        Line(pDC, x0, y0, x1, y1);
        pen.Color(GetColor(XPCOLOR_SEPARATOR));
    };

    if (nPosition == xtpBarLeft || nPosition == xtpBarRight)
    {
        if (!bWrap)
        {
            Line(pDC, row.left + 4, C.top - 4, row.right - 4, C.top - 4);
            if (!m_bPlainSeparators)
                light(row.left + 5, C.top - 3, row.right - 3, C.top - 3);
        }
        else
        {
            Line(pDC, row.right + 2, row.top + 4, row.right + 2, row.bottom);
            light(row.right + 3, row.top + 5, row.right + 3, row.bottom);
        }
    }
    else if (!bWrap)
    {
        Line(pDC, C.left - 4, row.top + 4, C.left - 4, row.bottom - 4);
        if (!m_bPlainSeparators)
            light(C.left - 3, row.top + 5, C.left - 3, row.bottom - 3);
    }
    else if (!bFloatingToolBar)
    {
        Line(pDC, row.left + 4, row.top - 4, row.right, row.top - 4);
        light(row.left + 5, row.top - 3, row.right, row.top - 3);
    }
    return CSize(0, 0);
}

CSize CXTPOffice2003Theme::DrawExpandOrHideButton(CDC* pDC, int nKind, CXTPControl* pButton, CXTPCommandBar* pBar,
                                                  BOOL bDraw, LPVOID lpParam)
{
    if (nKind == 0)
    {
        int nPosition = pBar ? pBar->GetPosition() : xtpBarTop;
        BOOL bVertical = nPosition == xtpBarLeft || nPosition == xtpBarRight || nPosition == xtpBarPopup;
        if (!bDraw)
        {
            if (pButton != NULL && lpParam != NULL)
            {
                CSize sz = *(CSize*)lpParam;
                pButton->SetRect(bVertical ? CRect(0, sz.cy - 12, sz.cx, sz.cy) : CRect(sz.cx - 12, 1, sz.cx, sz.cy));
            }
            return CSize(0, 0);
        }
        if (pDC == NULL || pButton == NULL)
            return CSize(0, 0);

        CRect rc = pButton->GetRect();
        int nSaved = pDC->SaveDC();
        if (!bVertical)
        {
            pDC->ExcludeClipRect(rc.right - 1, rc.top, rc.right, rc.top + 1);
            pDC->ExcludeClipRect(rc.right - 1, rc.bottom - 1, rc.right, rc.bottom);
            pDC->ExcludeClipRect(rc.left, rc.top + 1, rc.left + 1, rc.bottom - 1);
        }
        else
        {
            pDC->ExcludeClipRect(rc.left, rc.bottom - 1, rc.left + 1, rc.bottom);
            pDC->ExcludeClipRect(rc.right - 1, rc.bottom - 1, rc.right, rc.bottom);
            pDC->ExcludeClipRect(rc.left + 1, rc.top, rc.right - 1, rc.top + 1);
        }
        BOOL bPopuped = pButton->GetPopuped();
        BOOL bHot = pButton->GetSelected();
        if (bPopuped)
        {
            if (m_bLunaTheme)
                XTPDrawHelpers()->GradientFill(pDC, rc, m_grcLunaPushed, bVertical);
            else
                pDC->FillSolidRect(rc, GetColor(XPCOLOR_HIGHLIGHT_CHECKED));
        }
        else if (bHot)
        {
            if (m_bLunaTheme)
                XTPDrawHelpers()->GradientFill(pDC, rc, m_grcLunaSelected, bVertical);
            else
                pDC->FillSolidRect(rc, GetColor(XPCOLOR_HIGHLIGHT));
        }
        else
        {
            XTPDrawHelpers()->GradientFill(pDC, rc, m_clrToolbarExpand, bVertical);
        }
        COLORREF clrGlyph = GetColor(bHot && !bPopuped ? XPCOLOR_HIGHLIGHT_TEXT : XPCOLOR_TOOLBAR_TEXT);
        BOOL bHidden = lpParam != NULL && *(int*)lpParam != 0;
        CRect rcShadow = rc;
        rcShadow.OffsetRect(1, 1);
        DrawExpandGlyph(pDC, bVertical, rcShadow, bHidden, GetColor(COLOR_BTNHILIGHT));
        DrawExpandGlyph(pDC, bVertical, rc, bHidden, clrGlyph);
        pDC->RestoreDC(nSaved);
        return CSize(0, 0);
    }
    if (nKind == 1)
    {
        if (bDraw && pDC != NULL && pButton != NULL)
        {
            DrawControlEntry(pDC, pButton);
            CRect rc = pButton->GetRect();
            int c = rc.CenterPoint().x;
            if (m_ilGradientCircle.GetSafeHandle() != NULL)
                m_ilGradientCircle.Draw(pDC, 0, CPoint(c - 7, rc.top + 1), ILD_NORMAL);
            CXTPPenDC pen(pDC->GetSafeHdc(), RGB(0, 0, 0));
            for (int dy : { 0, 1, 4, 5 })
            {
                POINT pts[3] = { { c - 2, rc.top + 5 + dy }, { c, rc.top + 7 + dy }, { c + 3, rc.top + 4 + dy } };
                pDC->Polyline(pts, 3);
            }
        }
        return CSize(0, 18);
    }
    return CXTPOfficeTheme::DrawExpandOrHideButton(pDC, nKind, pButton, pBar, bDraw, lpParam);
}
} // namespace XTPPaintThemes
