// The Office 2007 command-bar theme.
#include "XTPOffice2007Theme.h"
#include "XTPControlGalleryOffice2007Theme.h"

#include <algorithm>

#include "XTPCommandBarsDefines.h"
#include "XTPControl.h"
#include "XTPControlAction.h"
#include "XTPControls.h"
#include "XTPDCHelpers.h"
#include "XTPDrawHelpers.h"
#include "XTPImageManager.h"
#include "XTPStatusBar.h"

namespace
{
const COLORREF kMagenta = RGB(255, 0, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const int kStatusBarId = 59393;     // AFX_IDW_STATUS_BAR
const DWORD kPrefixTitle = 0x4000;  // FWS_PREFIXTITLE: document name before the application title

// The standard value of one colour-table entry.
void SetColor(CXTPPaintManager* pTheme, int nIndex, COLORREF clr)
{
    pTheme->GetColorEntry(nIndex).SetStandardValue(clr);
}

COLORREF Pick(const COLORREF* pColors, int i)
{
    return pColors[i];
}
} // namespace

//////////////////////////////////////////////////////////////////////////
// CXTPOffice2007FrameInfo

BOOL CXTPOffice2007FrameInfo::IsFrameHasStatusBar(int* pnStatusHeight) const
{
    int nHeight = 0;
    CXTPPaintManager* pPaintManager = XTPPaintManager();
    int nTheme = pPaintManager->BaseTheme();
    if (nTheme == xtpThemeOffice2007 || nTheme == xtpThemeRibbon)
        nHeight = static_cast<CXTPOffice2007Theme*>(pPaintManager)->GetFrameStatusBarHeight(GetFrameHwnd());
    if (pnStatusHeight != NULL)
        *pnStatusHeight = nHeight;
    return nHeight > 0;
}

//////////////////////////////////////////////////////////////////////////
// CXTPOffice2007Theme

CXTPOffice2007Theme::CXTPOffice2007Theme()
    : m_bRecreateCaptionFont(TRUE)
    , m_nRibbonCaptionHeight(18)
    , m_nFrameCaptionHeight(17)
    , m_pImages(XTPOffice2007ImageStore())
    , m_clrFrameCaptionTextActive(COLORREF_NULL)
    , m_clrFrameCaptionTextInActive(COLORREF_NULL)
    , m_clrFrameCaptionTextActiveTitle(COLORREF_NULL)
    , m_clrMenuBarText(COLORREF_NULL)
    , m_clrStatusBarShadow(COLORREF_NULL)
    , m_clrWorkspaceClientTop(COLORREF_NULL)
    , m_clrWorkspaceClientMiddle(COLORREF_NULL)
    , m_clrWorkspaceClientBottom(COLORREF_NULL)
{
    for (int i = 0; i < 4; i++)
    {
        m_clrFrameBorderActive[i] = COLORREF_NULL;
        m_clrFrameBorderInactive[i] = COLORREF_NULL;
    }
    m_bFrameStatusBar = FALSE;
    m_nLunaTheme = 0;
    // Galleries are drawn from this theme's pictures.
    delete m_pGalleryPaintManager;
    m_pGalleryPaintManager = new CXTPControlGalleryOffice2007Theme(this);
    m_bThemedStatusBar = TRUE;
    m_bWideCaptionSpacing = TRUE;
    m_nThirdFlag = 1;
}

CXTPOffice2007Theme::~CXTPOffice2007Theme()
{
    m_fontFrameCaption.DeleteObject();
}

int CXTPOffice2007Theme::BaseTheme()
{
    return xtpThemeOffice2007;
}

CXTPOffice2007Image* CXTPOffice2007Theme::LoadImage(LPCTSTR lpszFileName)
{
    return m_pImages != NULL ? m_pImages->GetImage(lpszFileName) : NULL;
}

COLORREF CXTPOffice2007Theme::GetImageColor(LPCTSTR lpszSectionName, LPCTSTR lpszKeyName) const
{
    return m_pImages != NULL ? m_pImages->GetImageColor(lpszSectionName, lpszKeyName) : COLORREF_NULL;
}

void CXTPOffice2007Theme::DrawImagePart(CDC* pDC, LPCTSTR lpszName, CRect rc, int nState, int nCount,
                                        CRect rcMargins, BOOL bTransparent)
{
    DrawImagePart(pDC, LoadImage(lpszName), rc, nState, nCount, rcMargins, bTransparent);
}

void CXTPOffice2007Theme::DrawImagePart(CDC* pDC, CXTPOffice2007Image* pImage, CRect rc, int nState, int nCount,
                                        CRect rcMargins, BOOL bTransparent)
{
    if (pImage == NULL || rc.IsRectEmpty())
        return;
    if (bTransparent)
        pImage->DrawImageTransparent(pDC, rc, pImage->GetSource(nState, nCount), rcMargins, kMagenta);
    else
        pImage->DrawImage(pDC, rc, pImage->GetSource(nState, nCount), rcMargins);
}

void CXTPOffice2007Theme::RefreshMetrics()
{
    // The Office 2003 colours; its shaded glyph is built once, at the end,
    // from the glyph gradient this refresh sets.
    RefreshColors();

    // The caption font.
    NONCLIENTMETRICSA ncm;
    XTPGetNonClientMetrics(ncm);
    LOGFONT lfCaption = ncm.lfCaptionFont;
    lfCaption.lfWeight = FW_NORMAL;
    if (m_bClearTypeTextQuality && XTPOSVersionInfo()->IsClearTypeTextQualitySupported())
        lfCaption.lfQuality = 6;
    if (m_bUseOfficeFont && FontExists(m_strOfficeFont))
        lstrcpynA(lfCaption.lfFaceName, m_strOfficeFont, LF_FACESIZE);
    if (lfCaption.lfHeight >= -10 && lfCaption.lfHeight <= -1)
        lfCaption.lfHeight = -11;
    if (m_bRecreateCaptionFont || m_fontFrameCaption.GetSafeHandle() == NULL)
    {
        m_fontFrameCaption.DeleteObject();
        if (!m_fontFrameCaption.CreateFontIndirect(&lfCaption))
            TRACE("CXTPOffice2007Theme: the caption font cannot be made\n");
    }

    m_nFrameCaptionHeight = std::max(::GetSystemMetrics(SM_CYCAPTION), 17);
    m_nRibbonCaptionHeight = std::max(::GetSystemMetrics(SM_CYCAPTION) + 1, 18);

    // Every colour from the theme text; a missing key gives -1.
    struct Reader
    {
        CXTPOffice2007Theme* pTheme;
        COLORREF operator()(LPCTSTR lpszSection, LPCTSTR lpszKey) const
        {
            return pTheme->GetImageColor(lpszSection, lpszKey);
        }
    } ini = { this };
    const LPCTSTR S = _T("StatusBar");
    const LPCTSTR T = _T("Toolbar");
    const LPCTSTR W = _T("Window");
    const LPCTSTR K = _T("Workspace");

    m_clrStatusTextColor = ini(S, _T("StatusBarText"));
    m_clrStatusBarShadow = ini(S, _T("StatusBarShadow"));
    m_clrStatusBarTop.SetStandardValue(ini(S, _T("StatusBarFaceTopLight")), ini(S, _T("StatusBarFaceTopDark")), 0.5f);
    m_clrStatusBarBottom.SetStandardValue(ini(S, _T("StatusBarFaceBottomLight")),
                                          ini(S, _T("StatusBarFaceBottomDark")), 0.5f);
    m_clrDockBar.SetStandardValueSolid(ini(T, _T("DockBarFace")));
    m_clrCommandBar.SetStandardValue(ini(T, _T("ToolbarFaceLight")), ini(T, _T("ToolbarFaceDark")), 0.75f);
    m_clrToolbarShadow.SetStandardValue(ini(T, _T("ToolbarFaceShadow")));
    m_clrToolbarExpand.SetStandardValue(ini(T, _T("ControlToolbarExpandLight")),
                                        ini(T, _T("ControlToolbarExpandDark")), 0.75f);
    m_clrPopupControl.SetStandardValue(ini(T, _T("ControlHighlightPopupedLight")),
                                       ini(T, _T("ControlHighlightPopupedDark")), 0.5f);
    m_clrMenuGlyph.SetStandardValueFromGradient(m_clrPopupControl);
    m_clrMenuExpandedGripper.SetStandardValue(ini(T, _T("MenuPopupExpandedGripperLight")),
                                              ini(T, _T("MenuPopupExpandedGripperDark")), 0.5f);
    m_clrSpare = kBlack;
    m_clrTearOffGripper.SetStandardValue(ini(T, _T("MenuPopupTearOffGripper")));
    m_clrMenuBarText = ini(T, _T("MenuBarText"));
    SetColor(this, XPCOLOR_MENUBAR_FACE, RGB(246, 246, 246));
    SetColor(this, XPCOLOR_MENUBAR_BORDER, ini(T, _T("MenuPopupBorder")));
    SetColor(this, XPCOLOR_TOOLBAR_GRIPPER, ini(T, _T("ToolbarGripper")));
    SetColor(this, XPCOLOR_MENUBAR_TEXT, kBlack);
    SetColor(this, XPCOLOR_HIGHLIGHT_TEXT, kBlack);
    SetColor(this, XPCOLOR_TOOLBAR_TEXT, kBlack);
    SetColor(this, XPCOLOR_GRAYTEXT, RGB(141, 141, 141));
    SetColor(this, XPCOLOR_HIGHLIGHT_DISABLED_BORDER, RGB(141, 141, 141));
    SetColor(this, XPCOLOR_TOOLBAR_GRAYTEXT, RGB(141, 141, 141));
    SetColor(this, XPCOLOR_FRAME, ini(W, _T("WindowFrame")));
    m_clrFloatingGripper.SetStandardValue(ini(T, _T("FloatingBarGripper")));
    m_clrFloatingGripperText.SetStandardValue(ini(T, _T("FloatingBarGripperText")));
    SetColor(this, XPCOLOR_FLOATBAR_BORDER, ini(T, _T("FloatingBarBorder")));
    SetColor(this, COLOR_APPWORKSPACE, ini(K, _T("AppWorkspace")));
    SetColor(this, XPCOLOR_3DFACE, ini(W, _T("ButtonFace")));
    SetColor(this, XPCOLOR_3DSHADOW, m_clrToolbarShadow.GetColor());
    SetColor(this, XPCOLOR_TOOLBAR_FACE, ini(T, _T("ToolbarFace")));
    SetColor(this, XPCOLOR_SEPARATOR, ini(T, _T("ToolbarSeparator")));
    SetColor(this, XPCOLOR_DISABLED, ini(T, _T("ControlDisabledIcon")));
    m_clrWorkspaceClientTop = ini(K, _T("WorkspaceClientTop"));
    m_clrWorkspaceClientMiddle = ini(K, _T("WorkspaceClientMiddle"));
    m_clrWorkspaceClientBottom = ini(K, _T("WorkspaceClientBottom"));
    SetColor(this, XPCOLOR_HIGHLIGHT, ini(W, _T("HighlightSelected")));
    SetColor(this, XPCOLOR_HIGHLIGHT_BORDER, ini(W, _T("HighlightSelectedBorder")));
    SetColor(this, XPCOLOR_HIGHLIGHT_PUSHED, ini(W, _T("HighlightPressed")));
    SetColor(this, XPCOLOR_HIGHLIGHT_PUSHED_BORDER, ini(W, _T("HighlightPressedBorder")));
    SetColor(this, XPCOLOR_HIGHLIGHT_CHECKED, ini(W, _T("HighlightChecked")));
    SetColor(this, XPCOLOR_HIGHLIGHT_CHECKED_BORDER, ini(W, _T("HighlightCheckedBorder")));
    SetColor(this, XPCOLOR_PUSHED_TEXT, kBlack);
    m_bLunaTheme = TRUE;
    m_grcLunaSelected.SetStandardValue(ini(W, _T("HighlightSelectedLight")), ini(W, _T("HighlightSelectedDark")),
                                       0.5f);
    m_grcLunaChecked.SetStandardValue(ini(W, _T("HighlightCheckedLight")), ini(W, _T("HighlightCheckedDark")),
                                      0.5f);
    m_grcLunaPushed.SetStandardValue(ini(W, _T("HighlightPressedLight")), ini(W, _T("HighlightPressedDark")), 0.5f);
    for (int i = 0; i < 4; i++)
    {
        CString strKey;
        strKey.Format(_T("BorderActive%d"), i);
        m_clrFrameBorderActive[i] = ini(W, strKey);
        strKey.Format(_T("BorderInactive%d"), i);
        m_clrFrameBorderInactive[i] = ini(W, strKey);
    }
    m_clrFrameCaptionTextActiveTitle = ini(W, _T("CaptionTextActiveTitle"));
    m_clrFrameCaptionTextInActive = ini(W, _T("CaptionTextInActive"));
    m_clrFrameCaptionTextActive = ini(W, _T("CaptionTextActive"));
    SetColor(this, XPCOLOR_LABEL, ini(T, _T("ControlLabel")));
    SetColor(this, XPCOLOR_EDITCTRLBORDER, ini(T, _T("ControlEditBorder")));
    m_clrDisabledIcon.SetStandardValue(ini(T, _T("ControlDisabledIconLight")), ini(T, _T("ControlDisabledIconDark")),
                                       0.5f);

    CreateShadedGlyph();
}

COLORREF CXTPOffice2007Theme::GetRectangleTextColor(BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                                                    BOOL bPopuped, int barType, int barPosition)
{
    if (barType == 0 && bEnabled && !bSelected && !bPressed && !bChecked && !bPopuped)
        return m_clrMenuBarText;
    return CXTPOfficeTheme::GetRectangleTextColor(bSelected, bPressed, bEnabled, bChecked, bPopuped, barType,
                                                  barPosition);
}

void CXTPOffice2007Theme::FillStatusBar(CDC* pDC, CXTPStatusBar* pBar)
{
    CRect rc;
    pBar->GetClientRect(&rc);
    pDC->FillSolidRect(rc.left, rc.top, rc.Width(), 1, m_clrStatusBarShadow);
    CRect rcTop(rc.left, rc.top + 1, rc.right, rc.top + 9);
    XTPDrawHelpers()->GradientFill(pDC, rcTop, m_clrStatusBarTop, FALSE);
    CRect rcBottom(rc.left, rc.top + 9, rc.right, rc.bottom);
    XTPDrawHelpers()->GradientFill(pDC, rcBottom, m_clrStatusBarBottom, FALSE);
}

void CXTPOffice2007Theme::DrawStatusBarPaneBorder(CDC* pDC, CRect rc, BOOL bGripperPane)
{
    if (bGripperPane)
        return;
    int nHeight = rc.Height() - 2;
    if (nHeight <= 0)
        return;
    pDC->FillSolidRect(rc.right - 1, rc.top, 1, nHeight, GetColor(XPCOLOR_SEPARATOR));
    pDC->FillSolidRect(rc.right, rc.top, 1, nHeight, RGB(255, 255, 255));
}

void CXTPOffice2007Theme::DrawStatusBarGripper(CDC* pDC, CRect rcClient)
{
    // Six dots in a triangle, each a white square under a separator-coloured one.
    const int dots[6][2] = { { 3, 3 }, { 7, 3 }, { 11, 3 }, { 3, 7 }, { 7, 7 }, { 3, 11 } };
    COLORREF clrDot = GetColor(XPCOLOR_SEPARATOR);
    for (int i = 0; i < 6; i++)
    {
        int x = rcClient.right - dots[i][0];
        int y = rcClient.bottom - dots[i][1];
        pDC->FillSolidRect(x + 1, y + 1, 2, 2, RGB(255, 255, 255));
        pDC->FillSolidRect(x, y, 2, 2, clrDot);
    }
}

void CXTPOffice2007Theme::FillWorkspace(CDC* pDC, CRect rc, CRect rcExclude)
{
    CRgn rgnClip;
    rgnClip.CreateRectRgnIndirect(&rc);
    if (!rcExclude.IsRectEmpty())
    {
        CRgn rgnExclude;
        rgnExclude.CreateRectRgnIndirect(&rcExclude);
        rgnClip.CombineRgn(&rgnClip, &rgnExclude, RGN_DIFF);
    }
    pDC->SelectClipRgn(&rgnClip);

    int nTop = rc.top;
    CXTPOffice2007Image* pImage = LoadImage(_T("WORKSPACETOPLEFT"));
    if (pImage != NULL)
    {
        int cx = pImage->GetWidth();
        int cy = pImage->GetHeight();
        CRect rcImage(rc.left, rc.top, rc.left + std::max(rc.Width(), cx), rc.top + cy);
        pImage->DrawImage(pDC, rcImage, pImage->GetSource(0, 1), CRect(cx - 1, 0, 0, 0));
        nTop += cy;
    }
    int nRest = rc.bottom - nTop;
    if (nRest > 0)
    {
        int nFirst = nRest * 2 / 3;
        CRect rcFirst(rc.left, nTop, rc.right, nTop + nFirst);
        CRect rcSecond(rc.left, nTop + nFirst, rc.right, rc.bottom);
        XTPDrawHelpers()->GradientFill(pDC, rcFirst, m_clrWorkspaceClientTop, m_clrWorkspaceClientMiddle, FALSE);
        XTPDrawHelpers()->GradientFill(pDC, rcSecond, m_clrWorkspaceClientMiddle, m_clrWorkspaceClientBottom, FALSE);
    }
    pDC->SelectClipRgn(NULL);
}

int CXTPOffice2007Theme::GetFrameStatusBarHeight(HWND hWndFrame) const
{
    if (!m_bFrameStatusBar || hWndFrame == NULL)
        return 0;
    HWND hWndStatus = ::GetDlgItem(hWndFrame, kStatusBarId);
    if (hWndStatus == NULL || !::IsWindowVisible(hWndStatus))
        return 0;
    if (::SendMessage(hWndStatus, WM_XTP_FRAMEDRAWSTATUSBAR, 0, 0) == 0)
        return 0;
    CRect rc;
    ::GetWindowRect(hWndStatus, &rc);
    return rc.Height();
}

int AFX_CDECL CXTPOffice2007Theme::GetCaptionButtonGlyphSize(int nWidth)
{
    return nWidth < 15 ? 13 : nWidth < 27 ? 17 : 23;
}

void CXTPOffice2007Theme::DrawFrame(CDC* pDC, CXTPOffice2007FrameInfo* pFrame)
{
    if (pDC == NULL || pFrame == NULL)
        return;
    HWND hWnd = pFrame->GetFrameHwnd();
    if (hWnd == NULL || !::IsWindow(hWnd))
        return;

    CRect rcWindow;
    ::GetWindowRect(hWnd, &rcWindow);
    CRect rcClient;
    ::GetClientRect(hWnd, &rcClient);
    ::ClientToScreen(hWnd, (LPPOINT)&rcClient);
    ::ClientToScreen(hWnd, ((LPPOINT)&rcClient) + 1);

    const int W = rcWindow.Width();
    const int H = rcWindow.Height();
    const int B = rcClient.left - rcWindow.left;
    const int Bb = rcWindow.bottom - rcClient.bottom;
    const int C = pFrame->GetCaptionHeight();
    const BOOL bActive = pFrame->IsFrameActive();
    const COLORREF* pBorder = bActive ? m_clrFrameBorderActive : m_clrFrameBorderInactive;
    int nStatusHeight = 0;
    const BOOL bStatusBar = pFrame->IsFrameHasStatusBar(&nStatusHeight) && nStatusHeight > 0;
    const int nSideHeight = bStatusBar ? H - C - nStatusHeight - 1 : H - C;

    // Left and right borders: three one-pixel columns, then a strip.
    for (int i = 0; i < 3; i++)
    {
        if (B <= i)
            break;
        int nHeight = i == 0 ? H - C : nSideHeight;
        pDC->FillSolidRect(i, C, 1, nHeight, Pick(pBorder, i));
        pDC->FillSolidRect(W - 1 - i, C, 1, nHeight, Pick(pBorder, i));
    }
    if (B > 3)
    {
        pDC->FillSolidRect(3, C, B - 3, nSideHeight, Pick(pBorder, 3));
        pDC->FillSolidRect(W - B, C, B - 3, nSideHeight, Pick(pBorder, 3));
    }

    // Bottom.
    COLORREF clrBottom = !bActive ? m_clrFrameBorderInactive[0]
                         : ::IsZoomed(hWnd) ? m_clrFrameBorderActive[3]
                                            : m_clrFrameBorderActive[0];
    pDC->FillSolidRect(0, H - 1, W, 1, clrBottom);
    if (Bb > 1)
        pDC->FillSolidRect(1, H - Bb, W - 2, Bb - 1, Pick(pBorder, 3));

    const int nState = bActive ? 0 : 1;
    const CRect rcFrameMargins(0, 5, 0, 3);
    CXTPOffice2007Image* pLeft = LoadImage(_T("FRAMETOPLEFT"));
    CXTPOffice2007Image* pRight = LoadImage(_T("FRAMETOPRIGHT"));
    const int cxLeft = pLeft != NULL ? pLeft->GetWidth() : 0;
    const int cxRight = pRight != NULL ? pRight->GetWidth() : 0;

    if (pFrame->IsCaptionVisible())
    {
        // The caption goes through a 32-bit off-screen buffer (the keyed
        // pictures need exact colours whatever the target is).
        CDC dcBuffer;
        CBitmap bmpBuffer;
        if (!dcBuffer.CreateCompatibleDC(pDC) ||
            !bmpBuffer.Attach(CXTPImageManager::Create32BitDIBSection(pDC->GetSafeHdc(), std::max(W, 1),
                                                                       std::max(C, 1))))
        {
            TRACE("CXTPOffice2007Theme::DrawFrame: no buffer for the caption\n");
            return;
        }
        CBitmap* pOldBuffer = dcBuffer.SelectObject(&bmpBuffer);
        CDC* pBufferDC = &dcBuffer;

        if (pLeft != NULL)
            pLeft->DrawImage(pBufferDC, CRect(0, 0, cxLeft, C), pLeft->GetSource(nState, 2), rcFrameMargins);
        if (pRight != NULL)
            pRight->DrawImage(pBufferDC, CRect(W - cxRight, 0, W, C), pRight->GetSource(nState, 2), rcFrameMargins);
        DrawImagePart(pBufferDC, _T("FRAMETOPCENTER"), CRect(cxLeft, 0, W - cxRight, C), nState, 2, rcFrameMargins,
                      FALSE);

        const int T = pFrame->GetFrameBorder();
        CRect rcText(7, T, W, C - 3);
        CWnd* pSite = CWnd::FromHandle(hWnd);
        HICON hIcon = GetFrameSmallIcon(pSite);
        if (hIcon != NULL)
        {
            int cxIcon = ::GetSystemMetrics(SM_CXSMICON);
            int cyIcon = ::GetSystemMetrics(SM_CYSMICON);
            ::DrawIconEx(pBufferDC->GetSafeHdc(), 7, T + (C - cyIcon - 9) / 2, hIcon, cxIcon, cyIcon, 0, NULL,
                         DI_NORMAL);
            rcText.left = cxIcon + 12;
        }

        CXTPControls* pButtons = pFrame->GetCaptionButtons();
        if (pButtons != NULL)
        {
            for (int i = 0; i < pButtons->GetCount(); i++)
            {
                CXTPControl* pControl = pButtons->GetAt(i);
                if (pControl == NULL || pControl->GetHideFlags() != 0)
                    continue;
                if (pControl->GetAction() != NULL && pControl->GetAction()->IsHidden())
                    continue;
                CRect rcButton = pControl->GetRect();
                DrawFrameCaptionButton(pBufferDC, rcButton, pControl->GetID(), pControl->GetSelected(),
                                       pControl->GetPressed(), bActive && pControl->GetEnabled());
                rcText.right = std::min(rcText.right, rcButton.left);
            }
        }
        rcText.right -= B;
        DrawCaptionText(pBufferDC, rcText, pSite, bActive);
        pDC->BitBlt(0, 0, W, C, pBufferDC, 0, 0, SRCCOPY);
        dcBuffer.SelectObject(pOldBuffer);
    }
    else
    {
        // The ribbon draws the caption: only the side borders beside it.
        if (pLeft != NULL && B > 0)
        {
            CRect rcSrc = pLeft->GetSource(nState, 2);
            rcSrc.right = rcSrc.left + B;
            pLeft->DrawImage(pDC, CRect(0, 0, B, C), rcSrc, rcFrameMargins);
        }
        if (pRight != NULL && B > 0)
        {
            CRect rcSrc = pRight->GetSource(nState, 2);
            rcSrc.left = rcSrc.right - B;
            pRight->DrawImage(pDC, CRect(W - B, 0, W, C), rcSrc, rcFrameMargins);
        }
    }

    if (bStatusBar)
    {
        const int S = nStatusHeight;
        CXTPOffice2007Image* pLight = LoadImage(_T("STATUSBARLIGHT"));
        if (pLight != NULL && B > 1)
        {
            CRect rcSrc = pLight->GetSource(0, 1);
            rcSrc.right = rcSrc.left + std::min(B - 1, rcSrc.Width());
            pLight->DrawImage(pDC, CRect(1, H - Bb - S, B, H - Bb), rcSrc, CRect(0, 0, 0, 0));
        }
        CXTPOffice2007Image* pDark = LoadImage(_T("STATUSBARDARK"));
        if (pDark != NULL && B > 1)
        {
            CRect rcSrc = pDark->GetSource(0, 1);
            rcSrc.right = rcSrc.left + std::min(B - 1, rcSrc.Width());
            pDark->DrawImage(pDC, CRect(W - B, H - Bb - S, W - 1, H - Bb), rcSrc, CRect(0, 0, 0, 0));
        }
        if (B > 3)
        {
            CXTPOffice2007Image* pCorner = LoadImage(_T("FRAMEBOTTOMLEFT"));
            if (pCorner != NULL)
            {
                CRect rcSrc = pCorner->GetSource(nState, 2);
                pCorner->DrawImageTransparent(pDC, CRect(0, H - rcSrc.Height(), rcSrc.Width(), H), rcSrc,
                                              CRect(0, 0, 0, 0), kMagenta);
            }
            pCorner = LoadImage(_T("FRAMEBOTTOMRIGHT"));
            if (pCorner != NULL)
            {
                CRect rcSrc = pCorner->GetSource(nState, 2);
                pCorner->DrawImageTransparent(pDC, CRect(W - rcSrc.Width(), H - rcSrc.Height(), W, H), rcSrc,
                                              CRect(0, 0, 0, 0), kMagenta);
            }
        }
    }
}

HRGN CXTPOffice2007Theme::CalcFrameRegion(CXTPOffice2007FrameInfo* pFrame, int cx, int cy)
{
    if (pFrame == NULL || ::IsZoomed(pFrame->GetFrameHwnd()))
        return NULL;

    const CRect candidates[8] = { CRect(4, 0, cx - 4, 1), CRect(2, 1, cx - 2, 2), CRect(1, 2, cx - 1, 3),
                                  CRect(1, 3, cx - 1, 4), CRect(0, 4, cx, cy - 4), CRect(1, cy - 4, cx - 1, cy - 2),
                                  CRect(2, cy - 2, cx - 2, cy - 1), CRect(4, cy - 1, cx - 4, cy) };
    const BOOL bRoundBottom = pFrame->IsFrameHasStatusBar() && pFrame->GetFrameBorder() > 3;
    RECT rects[8];
    int nCount = 0;
    for (int i = 0; i < (bRoundBottom ? 8 : 5); i++)
    {
        // A frame too small for the corners keeps only the rectangles that
        // are not empty (the region data takes no inverted ones).
        CRect rc;
        if (rc.IntersectRect(candidates[i], CRect(0, 0, cx, cy)))
            rects[nCount++] = rc;
    }
    if (!bRoundBottom)
    {
        CRect rcBottom(0, std::max(cy - 4, 0), cx, cy);
        if (!rcBottom.IsRectEmpty())
            rects[nCount++] = rcBottom;
    }
    if (nCount == 0)
        return NULL;

    // RGNDATA: the header followed by the rectangles.
    DWORD buffer[(sizeof(RGNDATAHEADER) + sizeof(rects)) / sizeof(DWORD)];
    RGNDATA* pData = reinterpret_cast<RGNDATA*>(buffer);
    pData->rdh.dwSize = sizeof(RGNDATAHEADER);
    pData->rdh.iType = RDH_RECTANGLES;
    pData->rdh.nCount = nCount;
    pData->rdh.nRgnSize = nCount * sizeof(RECT);
    ::SetRect(&pData->rdh.rcBound, 0, 0, cx, cy);
    memcpy(pData->Buffer, rects, nCount * sizeof(RECT));
    HRGN hRgn = ::ExtCreateRegion(NULL, sizeof(RGNDATAHEADER) + nCount * sizeof(RECT), pData);
    if (hRgn == NULL)
        TRACE("CXTPOffice2007Theme::CalcFrameRegion: the region cannot be made\n");
    return hRgn;
}

void CXTPOffice2007Theme::DrawFrameCaptionButton(CDC* pDC, CRect rc, int nId, BOOL bSelected, BOOL bPressed,
                                                 BOOL bActive)
{
    int nState = !bActive ? 3 : (bSelected && bPressed) ? 2 : (bSelected || bPressed) ? 1 : 0;
    if (bSelected || bPressed)
        DrawImagePart(pDC, _T("FRAMECAPTIONBUTTON"), rc, bSelected && bPressed ? 1 : 0, 2, CRect(3, 3, 3, 3), TRUE);

    LPCTSTR lpszGlyph = nId == SC_CLOSE      ? _T("CLOSE")
                        : nId == SC_MINIMIZE ? _T("MINIMIZE")
                        : nId == SC_MAXIMIZE ? _T("MAXIMIZE")
                                             : _T("RESTORE");
    CString strName;
    strName.Format(_T("FRAMECAPTION%s%i"), lpszGlyph, GetCaptionButtonGlyphSize(rc.Width()));
    CXTPOffice2007Image* pImage = LoadImage(strName);
    if (pImage == NULL)
        return;
    CRect rcSrc = pImage->GetSource(nState, 5);
    int cx = rcSrc.Width();
    int cy = rcSrc.Height();
    CRect rcGlyph(CPoint((rc.left + rc.right - cx) / 2, (rc.top + rc.bottom - cy) / 2), CSize(cx, cy));
    pImage->DrawImageTransparent(pDC, rcGlyph, rcSrc, CRect(0, 0, 0, 0), kMagenta);
}

void CXTPOffice2007Theme::DrawCaptionText(CDC* pDC, CRect rcCaptionText, CWnd* pSite, BOOL bActive)
{
    if (pSite == NULL || pSite->GetSafeHwnd() == NULL)
        return;
    CString strText;
    pSite->GetWindowText(strText);

    CXTPFontDC font(pDC, &m_fontFrameCaption);
    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const UINT nFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    COLORREF clrText = bActive ? m_clrFrameCaptionTextActive : m_clrFrameCaptionTextInActive;

    BOOL bDrawn = FALSE;
    if ((pSite->GetStyle() & kPrefixTitle) != 0)
    {
        CFrameWnd* pFrameWnd = DYNAMIC_DOWNCAST(CFrameWnd, pSite);
        CString strTitle = pFrameWnd != NULL ? pFrameWnd->GetTitle() : CString();
        BOOL bRTL = (pSite->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
        if (!strTitle.IsEmpty() && strText.GetLength() >= strTitle.GetLength() &&
            strText.Right(strTitle.GetLength()) == strTitle && !bRTL)
        {
            CString strDocument = strText.Left(strText.GetLength() - strTitle.GetLength());
            pDC->SetTextColor(clrText);
            pDC->DrawText(strDocument, rcCaptionText, nFormat);
            CRect rcTitle(rcCaptionText);
            rcTitle.left += (strDocument.IsEmpty() ? 0 : pDC->GetTextExtent(strDocument).cx) + 2;
            if (rcTitle.Width() >= 5)
            {
                pDC->SetTextColor(bActive ? m_clrFrameCaptionTextActiveTitle : m_clrFrameCaptionTextInActive);
                pDC->DrawText(strTitle, rcTitle, nFormat);
            }
            bDrawn = TRUE;
        }
    }
    if (!bDrawn)
    {
        pDC->SetTextColor(clrText);
        pDC->DrawText(strText, rcCaptionText, nFormat);
    }
    pDC->SetBkMode(nOldMode);
}

HICON AFX_CDECL CXTPOffice2007Theme::GetFrameSmallIcon(CWnd* pFrame)
{
    if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL)
        return NULL;
    HWND hWnd = pFrame->GetSafeHwnd();
    DWORD dwStyle = (DWORD)::GetWindowLong(hWnd, GWL_STYLE);
    DWORD dwExStyle = (DWORD)::GetWindowLong(hWnd, GWL_EXSTYLE);
    if ((dwExStyle & WS_EX_TOOLWINDOW) != 0 || (dwStyle & WS_SYSMENU) == 0)
        return NULL;
    HICON hIcon = (HICON)::SendMessage(hWnd, WM_GETICON, ICON_SMALL, 0);
    if (hIcon == NULL)
        hIcon = (HICON)::GetClassLongPtr(hWnd, GCLP_HICONSM);
    if (hIcon != NULL)
        return hIcon;
    if ((dwStyle & WS_CAPTION) == WS_DLGFRAME || (dwExStyle & WS_EX_DLGMODALFRAME) != 0)
        return NULL;
    DWORD_PTR dwResult = 0;
    if (::SendMessageTimeout(hWnd, WM_QUERYDRAGICON, 0, 0, SMTO_NORMAL, 100, &dwResult) && dwResult != 0)
        return (HICON)dwResult;
    return ::LoadIcon(NULL, IDI_WINLOGO);
}

HICON AFX_CDECL CXTPOffice2007Theme::GetFrameLargeIcon(CWnd* pFrame)
{
    if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL)
        return NULL;
    HICON hIcon = (HICON)pFrame->SendMessage(WM_GETICON, ICON_BIG, 0);
    if (hIcon == NULL)
        hIcon = (HICON)::GetClassLongPtr(pFrame->GetSafeHwnd(), GCLP_HICON);
    return hIcon;
}
