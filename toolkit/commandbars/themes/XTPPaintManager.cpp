// The paint manager of the command bars: data, fonts, metrics, colour table,
// theme factory and the global instance, plus the shape helpers every theme
// shares.
#include "XTPPaintManager.h"

#include <math.h>

#include <algorithm>

#include "XTPControlGalleryPaintManager.h"
#include "XTPDefaultTheme.h"
#include "XTPDrawHelpers.h"
#include "XTPOffice2003Theme.h"
#include "XTPNativeXPTheme.h"
#include "XTPOffice2007Theme.h"
#include "XTPOfficeTheme.h"
#include "XTPWhidbeyTheme.h"
#include "XTPImageManager.h"
#include "XTPSystemHelpers.h"
#include "XTPControl.h"
#include "XTPCommandBar.h"

namespace
{
const BYTE kClearTypeQuality = 5;           // CLEARTYPE_QUALITY
const BYTE kClearTypeNaturalQuality = 6;    // CLEARTYPE_NATURAL_QUALITY

BOOL IsClearTypeSupported()
{
    return XTPOSVersionInfo()->IsClearTypeTextQualitySupported();
}

// Draws a check box or radio button mark: with the "BUTTON" visual style part
// nThemePart when it is in use, otherwise as a frame control of type nFrameType.
// nChecked is 0 (clear), 1 (checked) or 2 (indeterminate).
void DrawButtonMark(CDC* pDC, CRect rc, BOOL bThemed, CXTPWinThemeWrapper& theme, int nThemePart,
                    UINT nFrameType, BOOL bSelected, BOOL bPressed, int nChecked, BOOL bEnabled)
{
    if (bThemed && theme.IsValid())
    {
        int nState = !bEnabled ? 3 : (bSelected && bPressed) ? 2 : bSelected ? 1 : 0;
        if (nChecked == 1)
            nState += 4;
        else if (nChecked == 2)
            nState += 8;
        theme.DrawThemeBackground(pDC->GetSafeHdc(), nThemePart, nState + 1, &rc, NULL);
        return;
    }
    UINT nFlags = nFrameType;
    if (nChecked != 0)
        nFlags |= DFCS_CHECKED;
    if (bPressed)
        nFlags |= DFCS_PUSHED;
    if (!bEnabled || nChecked == 2)
        nFlags |= DFCS_INACTIVE;
    pDC->DrawFrameControl(rc, DFC_BUTTON, nFlags);
}

// The fonts of a paint manager that windows may hold, in a fixed order.
const int kFontCount = 8;
void GetFontHandles(CXTPPaintManager* pManager, HFONT* phFonts)
{
    CFont* fonts[kFontCount] = { pManager->GetRegularFont(), pManager->GetRegularBoldFont(), &pManager->m_fontVert,
                                 &pManager->m_fontVertBold, pManager->GetIconFont(), pManager->GetIconBoldFont(),
                                 pManager->GetSmCaptionFont(), pManager->GetStatusFont() };
    for (int i = 0; i < kFontCount; i++)
        phFonts[i] = (HFONT)fonts[i]->GetSafeHandle();
}

struct FontSwap
{
    HFONT hOld[kFontCount];
    HFONT hNew[kFontCount];
};

BOOL CALLBACK SwapChildFont(HWND hWnd, LPARAM lParam)
{
    const FontSwap* pSwap = reinterpret_cast<const FontSwap*>(lParam);
    HFONT hFont = (HFONT)::SendMessageA(hWnd, WM_GETFONT, 0, 0);
    if (hFont == NULL)
        return TRUE;
    for (int i = 0; i < kFontCount; i++)
    {
        if (hFont == pSwap->hOld[i] && pSwap->hNew[i] != NULL && hFont != pSwap->hNew[i])
        {
            ::SendMessageA(hWnd, WM_SETFONT, (WPARAM)pSwap->hNew[i], TRUE);
            break;
        }
    }
    return TRUE;
}

BOOL CALLBACK SwapWindowFonts(HWND hWnd, LPARAM lParam)
{
    SwapChildFont(hWnd, lParam);
    ::EnumChildWindows(hWnd, SwapChildFont, lParam);
    return TRUE;
}

// Hands every window of this thread that holds one of the old fonts the
// matching new font, so that no window is left with a font that is deleted.
void ReplaceWindowFonts(const FontSwap& swap)
{
    ::EnumThreadWindows(::GetCurrentThreadId(), SwapWindowFonts, reinterpret_cast<LPARAM>(&swap));
}

// Releases the global paint manager when the program ends.
struct CGlobalPaintManagerRelease
{
    ~CGlobalPaintManagerRelease() { CXTPPaintManager::ReleaseGlobalPaintManager(); }
} g_globalPaintManagerRelease;
} // namespace

//////////////////////////////////////////////////////////////////////////
// CXTPPaintManagerFont

BOOL CXTPPaintManagerFont::SetStandardFontIndirect(const LOGFONT* pLogFont)
{
    if (!m_bStandardFont && GetSafeHandle() != NULL)
        return TRUE;
    DeleteObject();
    m_bStandardFont = TRUE;
    return pLogFont != NULL && CreateFontIndirect(pLogFont);
}

BOOL CXTPPaintManagerFont::SetCustomFontIndirect(const LOGFONT* pLogFont)
{
    DeleteObject();
    m_bStandardFont = pLogFont == NULL;
    return pLogFont == NULL || CreateFontIndirect(pLogFont);
}

//////////////////////////////////////////////////////////////////////////
// CXTPPaintManager

CXTPPaintManager* CXTPPaintManager::s_pInstance = NULL;

CXTPPaintManager::CXTPPaintManager()
    : m_clrSpare(0)
    , m_clrStatusTextColor(0)
    , m_bThickCheckMark(FALSE)
    , m_bSecondFlag(TRUE)
    , m_bThemedStatusBar(FALSE)
    , m_bThemedCheckBox(FALSE)
    , m_bClearTypeTextQuality(FALSE)
    , m_bFlatToolBar(FALSE)
    , m_bFlatMenuBar(FALSE)
    , m_nPopupBarTextPadding(4)
    , m_bSelectImageInPopupBar(FALSE)
    , m_nSpareWord(0)
    , m_bWideCaptionSpacing(FALSE)
    , m_bShowLabelIconColumn(TRUE)
    , m_nSplitButtonDropDownWidth(11)
    , m_nSplitButtonPopupWidth(20)
    , m_bAutoResizeIcons(FALSE)
    , m_pGalleryPaintManager(NULL)
    , m_pfnSetLayeredWindowAttributes(NULL)
    , m_nTextHeight(0)
    , m_nEditHeight(0)
    , m_bUseOfficeFont(FALSE)
    , m_strOfficeFont(_T("Tahoma"))
    , m_bUseStandardFont(TRUE)
    , m_bEmbossedDisabledText(TRUE)
    , m_nThirdFlag(0)
    , m_themeCurrent(xtpThemeDefault)
    , m_nAnimationSteps(10)
    , m_nAnimationTime(100)
    , m_bShowKeyboardCues(-1)
    , m_nLunaTheme(xtpSystemThemeDefault)
    , m_bEnableAnimation(FALSE)
    , m_bFrameStatusBar(FALSE)
{
    m_iconsInfo.bUseFadedIcons = FALSE;
    m_iconsInfo.bUseDisabledIcons = FALSE;
    m_iconsInfo.bIconsWithShadow = FALSE;
    m_iconsInfo.bOfficeStyleDisabledIcons = FALSE;

    XTPImageManager()->RefreshAll();
    m_pGalleryPaintManager = new CXTPControlGalleryPaintManager(this);

    HMODULE hUser32 = ::GetModuleHandleA("USER32");
    if (hUser32 != NULL)
    {
        m_pfnSetLayeredWindowAttributes = reinterpret_cast<PFNSETLAYEREDWINDOWATTRIBUTES>(
            ::GetProcAddress(hUser32, "SetLayeredWindowAttributes"));
    }
}

CXTPPaintManager::~CXTPPaintManager()
{
    delete m_pGalleryPaintManager;
    m_pGalleryPaintManager = NULL;
    m_themeStatusBar.CloseThemeData();
    m_themeButton.CloseThemeData();
    m_fontRegular.DeleteObject();
    m_fontRegularBold.DeleteObject();
    m_fontVert.DeleteObject();
    m_fontVertBold.DeleteObject();
    m_fontSmCaption.DeleteObject();
    m_fontIcon.DeleteObject();
    m_fontIconBold.DeleteObject();
    m_fontStatus.DeleteObject();
}

CXTPPaintManager::PFNCREATETHEME CXTPPaintManager::s_pfnCreateRibbonTheme = NULL;

CXTPPaintManager* AFX_CDECL CXTPPaintManager::CreateTheme(int nTheme)
{
    // Ids whose theme class is not built here take the class their theme
    // derives from, with the requested id recorded.
    CXTPPaintManager* pTheme = NULL;
    switch (nTheme)
    {
    case xtpThemeOffice:
        pTheme = new XTPPaintThemes::CXTPOfficeTheme();
        break;
    case xtpThemeOffice2003:
        pTheme = new XTPPaintThemes::CXTPOffice2003Theme();
        break;
    case xtpThemeRibbon:
        pTheme = s_pfnCreateRibbonTheme != NULL ? s_pfnCreateRibbonTheme() : new CXTPOffice2007Theme();
        break;
    case xtpThemeOffice2007:
        pTheme = new CXTPOffice2007Theme();
        break;
    case xtpThemeWhidbey:
        pTheme = new XTPPaintThemes::CXTPWhidbeyTheme();
        break;
    case xtpThemeNativeWinXP:
        pTheme = new XTPPaintThemes::CXTPNativeXPTheme();
        break;
    default:    // default, custom and unknown ids
        pTheme = new XTPPaintThemes::CXTPDefaultTheme();
        break;
    }
    pTheme->m_themeCurrent = (XTPPaintTheme)nTheme;
    return pTheme;
}

void AFX_CDECL CXTPPaintManager::SetTheme(int nTheme)
{
    CXTPPaintManager* pTheme = CreateTheme(nTheme);
    SetCustomTheme(pTheme);
    pTheme->m_themeCurrent = (XTPPaintTheme)nTheme;
}

void AFX_CDECL CXTPPaintManager::SetCustomTheme(CXTPPaintManager* pTheme)
{
    if (pTheme == NULL)
        return;
    // Windows of the command bars hold fonts of the global paint manager; the
    // fonts they hold are swapped for the new ones before the old ones go,
    // which happens when the old object is released or (the same object
    // installed again) when its refresh rebuilds them.
    CXTPPaintManager* pOld = s_pInstance;
    FontSwap swap;
    if (pOld != NULL)
        GetFontHandles(pOld, swap.hOld);

    s_pInstance = pTheme;
    pTheme->m_themeCurrent = xtpThemeCustom;
    pTheme->RefreshMetrics();

    if (pOld != NULL)
    {
        GetFontHandles(pTheme, swap.hNew);
        ReplaceWindowFonts(swap);
        if (pOld != pTheme)
            pOld->InternalRelease();
    }
}

CXTPPaintManager* AFX_CDECL CXTPPaintManager::GetGlobalPaintManager()
{
    if (s_pInstance == NULL)
        SetTheme(xtpThemeDefault);
    return s_pInstance;
}

void AFX_CDECL CXTPPaintManager::ReleaseGlobalPaintManager()
{
    if (s_pInstance != NULL)
    {
        CXTPPaintManager* pInstance = s_pInstance;
        s_pInstance = NULL;
        pInstance->InternalRelease();
    }
}

CXTPPaintManager* AFX_CDECL XTPPaintManager()
{
    return CXTPPaintManager::GetGlobalPaintManager();
}

COLORREF CXTPPaintManager::GetColor(int nIndex) const
{
    if (nIndex < 0 || nIndex > 62)
        return (COLORREF)nIndex;
    return m_arrColor[nIndex].GetColor();
}

void CXTPPaintManager::SetColors(int nCount, const int* pIndexes, const COLORREF* pColors)
{
    for (int i = 0; i < nCount; i++)
    {
        if (pIndexes[i] >= 0 && pIndexes[i] <= 62)
            m_arrColor[pIndexes[i]].SetStandardValue(pColors[i]);
    }
}

int CXTPPaintManager::GetControlHeight() const
{
    return m_nTextHeight > 22 ? m_nTextHeight : 22;
}

int CXTPPaintManager::GetCurrentSystemTheme() const
{
    if (m_nLunaTheme == xtpSystemThemeDefault)
        return GetColorManager()->IsLunaColorsDisabled() ? xtpSystemThemeUnknown
                                                         : GetColorManager()->GetCurrentSystemTheme();
    if (m_nLunaTheme == xtpSystemThemeAuto)
        return GetColorManager()->GetWinTheme();
    return m_nLunaTheme;
}

void CXTPPaintManager::RefreshMetrics()
{
    UpdateFonts();
    RefreshColorManager();

    for (int i = 0; i < 63; i++)
        m_arrColor[i].SetStandardValue(GetXTPSysColor(i));

    m_clrSpare = 0;
    m_clrStatusTextColor = GetXTPSysColor(COLOR_BTNTEXT);
    m_clrFloatingGripper.SetStandardValue(GetXTPSysColor(COLOR_3DSHADOW));
    m_clrFloatingGripperText.SetStandardValue(GetXTPSysColor(COLOR_3DHIGHLIGHT));
    m_clrDisabledIcon.SetStandardValue(GetXTPSysColor(COLOR_3DFACE), GetXTPSysColor(COLOR_3DSHADOW), 0.5f);

    m_themeStatusBar.CloseThemeData();
    if (m_bThemedStatusBar)
    {
        m_themeStatusBar.OpenThemeData(NULL, L"STATUS");
        COLORREF clrText = 0;
        if (m_themeStatusBar.IsValid() && SUCCEEDED(m_themeStatusBar.GetThemeColor(1, 0, 3803, &clrText)))
            m_clrStatusTextColor = clrText;
    }

    m_themeButton.CloseThemeData();
    if (m_bThemedCheckBox)
        m_themeButton.OpenThemeData(NULL, L"BUTTON");

    if (m_pGalleryPaintManager != NULL)
        m_pGalleryPaintManager->RefreshMetrics();
}

LOGFONT AFX_CDECL CXTPPaintManager::GetCommandBarLogFont(const LOGFONT& lfMenu)
{
    // Only the height, weight, italic flag, character set and face are kept;
    // a small negative height is raised to -11.
    LOGFONTA lf;
    ZeroMemory(&lf, sizeof(lf));
    LONG nHeight = lfMenu.lfHeight;
    if (nHeight < 0 && nHeight >= -10)
        nHeight = -11;
    lf.lfHeight = nHeight;
    lf.lfWeight = lfMenu.lfWeight;
    lf.lfItalic = lfMenu.lfItalic;
    lf.lfCharSet = lfMenu.lfCharSet;
    lstrcpynA(lf.lfFaceName, lfMenu.lfFaceName, LF_FACESIZE);
    if (lstrcmpiA(lf.lfFaceName, "Segoe UI") == 0 && IsClearTypeSupported() && FontExists(lf.lfFaceName))
        lf.lfQuality = kClearTypeNaturalQuality;
    return lf;
}

void CXTPPaintManager::UpdateFonts()
{
    NONCLIENTMETRICSA ncm;
    XTPGetNonClientMetrics(ncm);

    if (m_bUseStandardFont)
    {
        LOGFONTA lf = GetCommandBarLogFont(ncm.lfMenuFont);
        CreateCommandBarFonts(&lf, TRUE);
    }

    LOGFONTA lfIcon;
    ZeroMemory(&lfIcon, sizeof(lfIcon));
    ::SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof(lfIcon), &lfIcon, 0);

    if (m_bClearTypeTextQuality && IsClearTypeSupported())
    {
        lfIcon.lfQuality = kClearTypeNaturalQuality;
        ncm.lfSmCaptionFont.lfQuality = kClearTypeNaturalQuality;
        ncm.lfStatusFont.lfQuality = kClearTypeNaturalQuality;
    }

    m_fontSmCaption.SetStandardFontIndirect(&ncm.lfSmCaptionFont);
    m_fontIcon.SetStandardFontIndirect(&lfIcon);
    LOGFONTA lfIconBold = lfIcon;
    lfIconBold.lfWeight = FW_BOLD;
    m_fontIconBold.SetStandardFontIndirect(&lfIconBold);
    m_fontStatus.SetStandardFontIndirect(&ncm.lfStatusFont);
}

void CXTPPaintManager::CreateCommandBarFonts(const LOGFONT* pRegularFont, BOOL bUseStandardFont)
{
    m_bUseStandardFont = bUseStandardFont;
    if (pRegularFont == NULL)
        return;

    LOGFONTA lf = *pRegularFont;
    if (m_bClearTypeTextQuality && IsClearTypeSupported())
        lf.lfQuality = kClearTypeQuality;

    m_fontRegular.DeleteObject();
    m_fontRegularBold.DeleteObject();
    m_fontVert.DeleteObject();
    m_fontVertBold.DeleteObject();
    // Made again by the next font update (when it is a standard font).
    if (m_fontIconBold.IsStandardFont())
        m_fontIconBold.DeleteObject();

    if (m_strOfficeFont.CompareNoCase(lf.lfFaceName) == 0)
        m_bUseOfficeFont = TRUE;
    if (FontExists(m_strOfficeFont) && m_bUseOfficeFont && bUseStandardFont)
        lstrcpynA(lf.lfFaceName, m_strOfficeFont, LF_FACESIZE);

    m_fontRegular.CreateFontIndirect(&lf);

    LOGFONTA lfBold = lf;
    lfBold.lfWeight = FW_BOLD;
    m_fontRegularBold.CreateFontIndirect(&lfBold);

    LOGFONTA lfVert = lf;
    lfVert.lfEscapement = 2700;
    lfVert.lfOrientation = 900;
    lstrcpynA(lfVert.lfFaceName, CXTPDrawHelpers::GetDefaultFontName(m_bUseOfficeFont), LF_FACESIZE);
    m_fontVert.CreateFontIndirect(&lfVert);
    lfVert.lfWeight = FW_BOLD;
    m_fontVertBold.CreateFontIndirect(&lfVert);

    HDC hScreenDC = ::GetDC(NULL);
    if (hScreenDC != NULL)
    {
        HGDIOBJ hOldFont = ::SelectObject(hScreenDC, m_fontRegular.GetSafeHandle());
        SIZE sz = { 0, 0 };
        ::GetTextExtentPoint32A(hScreenDC, " ", 1, &sz);
        ::SelectObject(hScreenDC, hOldFont);
        ::ReleaseDC(NULL, hScreenDC);
        m_nTextHeight = sz.cy + 6;
    }
}

//////////////////////////////////////////////////////////////////////////
// Drawing helpers

void CXTPPaintManager::Line(CDC* pDC, int x0, int y0, int x1, int y1)
{
    pDC->MoveTo(x0, y0);
    pDC->LineTo(x1, y1);
}

void CXTPPaintManager::Line(CDC* pDC, int x0, int y0, int x1, int y1, int nPen)
{
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, GetColor(nPen));
    CPen* pOldPen = pDC->SelectObject(&pen);
    Line(pDC, x0, y0, x1, y1);
    pDC->SelectObject(pOldPen);
}

void CXTPPaintManager::HorizontalLine(CDC* pDC, int x0, int y, int x1, COLORREF clr)
{
    pDC->FillSolidRect(x0, y, x1 - x0, 1, clr);
}

void CXTPPaintManager::VerticalLine(CDC* pDC, int x, int y0, int y1, COLORREF clr)
{
    pDC->FillSolidRect(x, y0, 1, y1 - y0, clr);
}

void CXTPPaintManager::Triangle(CDC* pDC, CPoint pt0, CPoint pt1, CPoint pt2, COLORREF clr)
{
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, clr);
    CBrush brush;
    brush.CreateSolidBrush(clr);
    CPen* pOldPen = pDC->SelectObject(&pen);
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    POINT pts[3] = { pt0, pt1, pt2 };
    pDC->Polygon(pts, 3);
    pDC->SelectObject(pOldBrush);
    pDC->SelectObject(pOldPen);
}

void CXTPPaintManager::Rectangle(CDC* pDC, CRect rc, int nPen, int nBrush)
{
    if (nBrush != -1)
        pDC->FillSolidRect(rc, GetColor(nBrush));
    if (nPen != -1 && nPen != nBrush)
        pDC->Draw3dRect(rc, GetColor(nPen), GetColor(nPen));
}

void CXTPPaintManager::Draw3dRect(CDC* pDC, CRect rc, int nTopLeft, int nBottomRight)
{
    pDC->Draw3dRect(rc, GetColor(nTopLeft), GetColor(nBottomRight));
}

void CXTPPaintManager::GradientFill(CDC* pDC, LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, BOOL bHorz,
                                    LPCRECT lpRectClip)
{
    XTPDrawHelpers()->GradientFillClipped(pDC, lpRect, crFrom, crTo, bHorz, lpRectClip);
}

void AFX_CDECL CXTPPaintManager::StripMnemonics(CString& strText)
{
    CXTPDrawHelpers::StripMnemonics(strText);
}

BOOL AFX_CDECL CXTPPaintManager::FontExists(LPCTSTR lpszFaceName)
{
    return CXTPDrawHelpers::FontExists(lpszFaceName);
}

COLORREF AFX_CDECL CXTPPaintManager::BlendColor(CDC* pDC, int x, int y, COLORREF clrBase, COLORREF clrOther,
                                                double dFactor)
{
    if (dFactor >= 0)
        clrOther = pDC->GetPixel(x, y);
    else
        dFactor = -dFactor;
    int r = GetRValue(clrBase) + (int)((GetRValue(clrOther) - GetRValue(clrBase)) * dFactor);
    int g = GetGValue(clrBase) + (int)((GetGValue(clrOther) - GetGValue(clrBase)) * dFactor);
    int b = GetBValue(clrBase) + (int)((GetBValue(clrOther) - GetBValue(clrBase)) * dFactor);
    return RGB(r, g, b);
}

void AFX_CDECL CXTPPaintManager::AlphaEllipse(CDC* pDC, CRect rc, COLORREF clrBorder, COLORREF clrFace)
{
    double r = (rc.right - rc.left - 1) * 0.5 - 0.25;
    double cx = (rc.left + rc.right - 1) / 2.0;
    double cy = (rc.top + rc.bottom - 1) / 2.0;
    for (int y = rc.top; y < rc.bottom; y++)
    {
        for (int x = rc.left; x < rc.right; x++)
        {
            double d = sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy));
            if (d >= r - 1 && d <= r + 1)
                pDC->SetPixel(x, y, BlendColor(pDC, x, y, clrBorder, clrFace, d - r));
            else if (d < r - 1)
                pDC->SetPixel(x, y, clrFace);
        }
    }
}

void AFX_CDECL CXTPPaintManager::BlendPixels(LPBYTE pDest, const BYTE* pFirst, int cx, int cy,
                                             const BYTE* pSecond, int nAlpha)
{
    for (long i = 0, n = (long)cx * cy; i < n; i++)
    {
        for (int c = 0; c < 3; c++)
            pDest[c] = (BYTE)((pSecond[c] * nAlpha + pFirst[c] * (255 - nAlpha)) >> 8);
        pDest += 4;
        pFirst += 4;
        pSecond += 4;
    }
}

void CXTPPaintManager::DrawImageByState(CDC* pDC, CPoint pt, CSize sz, CXTPImageManagerIcon* pImage,
                                        BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                                        BOOL bPopuped, BOOL bFlatLook)
{
    if (pDC == NULL || pImage == NULL)
        return;
    if (sz.cx <= 0)
        sz.cx = pImage->GetWidth();
    if (sz.cy <= 0)
        sz.cy = pImage->GetWidth() > 0 ? pImage->GetHeight() * sz.cx / pImage->GetWidth() : sz.cx;
    CPoint ptNext(pt.x + 1, pt.y + 1);
    const BOOL bAlpha = pImage->IsAlpha();

    // A disabled (or indeterminate alpha) icon: generated from the bar-face
    // colours when asked, then the disabled image.
    auto drawDisabledImage = [&]() {
        if (m_iconsInfo.bOfficeStyleDisabledIcons && !pImage->HasDisabledIcon())
            pImage->CreateDisabledIcon(m_clrDisabledIcon.clrLight.GetColor(), m_clrDisabledIcon.clrDark.GetColor());
        pImage->Draw(pDC, pt, pImage->GetDisabledIcon(), sz);
    };

    if (!bEnabled)
    {
        if (!m_iconsInfo.bUseDisabledIcons && !bAlpha)
        {
            if (bFlatLook)
            {
                pImage->DrawMono(pDC, pt, pImage->GetIcon(), sz.cx, sz.cy, GetColor(XPCOLOR_DISABLED));
            }
            else
            {
                pImage->DrawMono(pDC, ptNext, pImage->GetIcon(), sz.cx, sz.cy, GetColor(COLOR_BTNHILIGHT));
                pImage->DrawMono(pDC, pt, pImage->GetIcon(), sz.cx, sz.cy, GetColor(COLOR_3DSHADOW));
            }
        }
        else
        {
            drawDisabledImage();
        }
        return;
    }
    if (bChecked == 2 && !bPressed)
    {
        if (bAlpha)
            drawDisabledImage();
        else if (bFlatLook)
            pImage->DrawMono(pDC, pt, pImage->GetIcon(), sz.cx, sz.cy, GetColor(XPCOLOR_DISABLED));
        else
            pImage->DrawMono(pDC, pt, pImage->GetCheckedIcon(), sz.cx, sz.cy, GetColor(COLOR_3DSHADOW));
        return;
    }
    if (bPopuped)
    {
        pImage->Draw(pDC, pt, bChecked ? pImage->GetCheckedIcon() : pImage->GetIcon(), sz);
        return;
    }
    if (bChecked)
    {
        pImage->Draw(pDC, pt, pImage->GetCheckedIcon(), sz);
        return;
    }
    if (!bSelected && !bPressed)
    {
        pImage->Draw(pDC, pt, m_iconsInfo.bUseFadedIcons ? pImage->GetFadedIcon() : pImage->GetIcon(), sz);
        return;
    }
    if ((IsKeyboardSelected(bPressed) && !bSelected) || (bSelected && bPressed))
    {
        pImage->Draw(pDC, bFlatLook ? pt : ptNext, pImage->GetPressedIcon(), sz);
        return;
    }
    if (m_iconsInfo.bIconsWithShadow && !pImage->GetShadowIcon().IsEmpty())
    {
        pImage->Draw(pDC, ptNext, pImage->GetShadowIcon(), sz);
        pImage->Draw(pDC, CPoint(pt.x - 1, pt.y - 1), pImage->GetHotIcon(), sz);
        return;
    }
    pImage->Draw(pDC, pt, pImage->GetHotIcon(), sz);
}

//////////////////////////////////////////////////////////////////////////
// Base versions of the virtual operations (the drawing of controls and of
// the frame parts of bars is in XTPPaintManagerControls.cpp and
// XTPPaintManagerBars.cpp).

CRect CXTPPaintManager::GetCommandBarBorders(CXTPCommandBar*)
{
    return CRect(2, 2, 2, 2);
}

void CXTPPaintManager::SetCommandBarRegion(CXTPCommandBar*)
{
}

CSize CXTPPaintManager::DrawCheckBoxMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed,
                                         int nChecked, BOOL bEnabled)
{
    if (bDraw && pDC != NULL)
        DrawButtonMark(pDC, rc, m_bThemedCheckBox, m_themeButton, 3, DFCS_BUTTONCHECK, bSelected, bPressed,
                       nChecked, bEnabled);
    return CSize(13, 13);
}

CSize CXTPPaintManager::DrawRadioButtonMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed,
                                            int nChecked, BOOL bEnabled)
{
    if (bDraw && pDC != NULL)
        DrawButtonMark(pDC, rc, m_bThemedCheckBox, m_themeButton, 2, DFCS_BUTTONRADIO, bSelected, bPressed,
                       nChecked, bEnabled);
    return CSize(13, 13);
}

void CXTPPaintManager::FillPopupBarGripper(CDC*, int, int, int, int, BOOL)
{
}

void CXTPPaintManager::DrawCheckMark(CDC* pDC, CRect rcCheck, COLORREF clr)
{
    int x0 = rcCheck.left + rcCheck.Width() / 2 - 10;
    int y0 = rcCheck.top + rcCheck.Height() / 2 - 10;
    BOOL bRTL = CXTPDrawHelpers::IsContextRTL(pDC);

    CPen pen;
    pen.CreatePen(PS_SOLID, 1, clr);
    CPen* pOldPen = pDC->SelectObject(&pen);
    for (int nPass = 0; nPass < (m_bThickCheckMark ? 2 : 1); nPass++)
    {
        int y = y0 + nPass;
        if (bRTL)
        {
            POINT pts1[3] = { { x0 + 6, y + 7 }, { x0 + 10, y + 11 }, { x0 + 13, y + 8 } };
            POINT pts2[3] = { { x0 + 6, y + 8 }, { x0 + 10, y + 12 }, { x0 + 13, y + 9 } };
            pDC->Polyline(pts1, 3);
            pDC->Polyline(pts2, 3);
        }
        else
        {
            POINT pts1[3] = { { x0 + 6, y + 9 }, { x0 + 8, y + 11 }, { x0 + 13, y + 6 } };
            POINT pts2[3] = { { x0 + 6, y + 10 }, { x0 + 8, y + 12 }, { x0 + 13, y + 7 } };
            pDC->Polyline(pts1, 3);
            pDC->Polyline(pts2, 3);
        }
    }
    pDC->SelectObject(pOldPen);
}

void CXTPPaintManager::DrawRadioDot(CDC* pDC, CRect rcCheck, COLORREF clr)
{
    int cx = (rcCheck.left + rcCheck.right) / 2;
    int cy = (rcCheck.top + rcCheck.bottom) / 2;
    AlphaEllipse(pDC, CRect(cx - 3, cy - 3, cx + 3, cy + 3), clr, clr);
}

void CXTPPaintManager::DrawDropDownArrow(CDC* pDC, CRect rc, COLORREF clr)
{
    int x = (rc.left + rc.right) / 2;
    int h = rc.Width() / 2 - 4;
    if (h < 2)
        h = 2;
    int y = (rc.top + rc.bottom) / 2 - h / 2;
    Triangle(pDC, CPoint(x - h, y), CPoint(x + h, y), CPoint(x, y + h), clr);
}

void CXTPPaintManager::DrawDropDownGlyph(CDC* pDC, CXTPControl*, CPoint pt, BOOL bSelected, BOOL bPopuped,
                                         BOOL bEnabled, BOOL bVert)
{
    COLORREF clr = GetRectangleTextColor(bSelected, FALSE, bEnabled, FALSE, bPopuped, 1, 0);
    if (bVert)
        Triangle(pDC, CPoint(pt.x + 2, pt.y - 2), CPoint(pt.x + 2, pt.y + 2), CPoint(pt.x, pt.y), clr);
    else
        Triangle(pDC, CPoint(pt.x - 2, pt.y - 1), CPoint(pt.x + 2, pt.y - 1), CPoint(pt.x, pt.y + 1), clr);
}

void CXTPPaintManager::AnimatePopup(CDC* pDestDC, CDC* pSrcDC, CRect rc, int nAnimation)
{
    int nSteps = m_nAnimationSteps;
    int nTime = m_nAnimationTime;
    int W = rc.Width();
    int H = rc.Height();
    if (nSteps < 1 || W <= 0 || H <= 0)
        return;

    switch (nAnimation)
    {
    case 2:     // unfold
        for (int k = 1; k <= nSteps; k++)
        {
            int w = W * k / nSteps;
            int h = H * k / nSteps;
            pDestDC->BitBlt(0, 0, w, h, pSrcDC, rc.right - w, rc.bottom - h, SRCCOPY);
            ::Sleep(nTime / nSteps);
        }
        break;

    case 3:     // slide
        for (int k = 1; k <= nSteps; k++)
        {
            int h = H * k / nSteps;
            pDestDC->BitBlt(0, 0, W, h, pSrcDC, 0, H - h, SRCCOPY);
            ::Sleep(nTime / nSteps);
        }
        break;

    case 4:     // fade
    {
        if (nSteps <= 1)
            break;
        LPBYTE pSrcBits = NULL;
        LPBYTE pDestBits = NULL;
        LPBYTE pBlendBits = NULL;
        HBITMAP hSrc = CXTPImageManager::Create32BitDIBSection(pDestDC->GetSafeHdc(), W, H, &pSrcBits);
        HBITMAP hDest = CXTPImageManager::Create32BitDIBSection(pDestDC->GetSafeHdc(), W, H, &pDestBits);
        HBITMAP hBlend = CXTPImageManager::Create32BitDIBSection(pDestDC->GetSafeHdc(), W, H, &pBlendBits);
        HDC hMemDC = ::CreateCompatibleDC(pDestDC->GetSafeHdc());
        if (hSrc && hDest && hBlend && hMemDC && pSrcBits && pDestBits && pBlendBits)
        {
            HGDIOBJ hOld = ::SelectObject(hMemDC, hSrc);
            ::BitBlt(hMemDC, 0, 0, W, H, pSrcDC->GetSafeHdc(), 0, 0, SRCCOPY);
            ::SelectObject(hMemDC, hDest);
            ::BitBlt(hMemDC, 0, 0, W, H, pDestDC->GetSafeHdc(), 0, 0, SRCCOPY);
            ::SelectObject(hMemDC, hBlend);
            ::GdiFlush();
            for (int k = 1; k < nSteps; k++)
            {
                DWORD dwStart = ::GetTickCount();
                BlendPixels(pBlendBits, pDestBits, W, H, pSrcBits, 255 * k / nSteps);
                ::BitBlt(pDestDC->GetSafeHdc(), rc.left, rc.top, W, H, hMemDC, 0, 0, SRCCOPY);
                DWORD dwSpent = ::GetTickCount() - dwStart;
                DWORD dwFrame = (DWORD)(nTime / nSteps);
                if (dwSpent < dwFrame)
                    ::Sleep(dwFrame - dwSpent);
            }
            ::SelectObject(hMemDC, hOld);
        }
        if (hMemDC)
            ::DeleteDC(hMemDC);
        if (hSrc)
            ::DeleteObject(hSrc);
        if (hDest)
            ::DeleteObject(hDest);
        if (hBlend)
            ::DeleteObject(hBlend);
        break;
    }

    default:
        break;
    }
}

void CXTPPaintManager::ReservedOperation()
{
}
