// The classic command-bar paint theme.
#include "XTPDefaultTheme.h"

namespace XTPPaintThemes
{
namespace
{
BOOL IsKeyboardValue(BOOL bValue)
{
    return bValue == 2 || bValue == 3;
}
} // namespace

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
    if (bEnabled && IsKeyboardValue(bPressed))
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
    if (IsKeyboardValue(bSelected))
        Draw3dRect(pDC, rc, COLOR_3DSHADOW, COLOR_BTNHILIGHT);
}

// The operations below depend on the control and bar classes of the command
// bars; they answer empty results until those classes draw through them.

void CXTPDefaultTheme::DrawSplitButtonFrame(CDC*, CXTPControl*, CRect)
{
}

CSize CXTPDefaultTheme::DrawListBoxControl(CDC*, CXTPControl*, CRect, BOOL, BOOL, CXTPCommandBars*)
{
    return CSize(0, 0);
}

void CXTPDefaultTheme::FillCommandBar(CDC*, CXTPCommandBar*)
{
}

CSize CXTPDefaultTheme::DrawCommandBarSeparator(CDC*, CXTPCommandBar*, CXTPControl*, BOOL)
{
    return CSize(0, 0);
}

void CXTPDefaultTheme::AdjustExcludeRect(CRect&, CXTPControl*, BOOL)
{
}

CSize CXTPDefaultTheme::DrawTearOffGripper(CDC*, CRect, BOOL, BOOL, BOOL)
{
    return CSize(0, 0);
}

void CXTPDefaultTheme::DrawImage(CDC*, CPoint, CSize, CXTPImageManagerIcon*, BOOL, BOOL, BOOL, BOOL, BOOL, BOOL)
{
}

CSize CXTPDefaultTheme::DrawDialogBarGripper(CDC*, CXTPCommandBar*, BOOL)
{
    return CSize(0, 0);
}
} // namespace XTPPaintThemes
