// Global data of the toolkit's older control family, its memory DC and the
// global window map.
#include "XTAuxData.h"

#include "XTPDrawHelpers.h"
#include "XTPResourceManager.h"
#include "XTPSystemHelpers.h"
#include "XTRegistryManager.h"
#include "../../resources/toolkit_res.h"

namespace
{
void SetFaceName(LOGFONTA& lf, LPCTSTR lpszFaceName)
{
    lstrcpynA(lf.lfFaceName, lpszFaceName, LF_FACESIZE);
}

BOOL IsGivenAndInstalled(LPCTSTR lpszFaceName)
{
    return lpszFaceName != NULL && *lpszFaceName != 0 && CXTPDrawHelpers::FontExists(lpszFaceName);
}
} // namespace

CXTAuxData::PFNLOADSYSCURSOR CXTAuxData::m_pfnLoadSysCursor = ::LoadCursorA;

CXTAuxData::CXTAuxData()
    : hcurDragCopy(NULL)
    , hcurDragMove(NULL)
    , hcurDragNone(NULL)
    , hcurHand(NULL)
    , hcurHSplitBar(NULL)
    , hcurVSplitBar(NULL)
    , hcurMove(NULL)
    , cxSmIcon(0)
    , cySmIcon(0)
    , cxSize(0)
    , cySize(0)
    , cxHThumb(0)
    , cyVThumb(0)
    , cyMenuItem(0)
    , bUseTahoma(FALSE)
    , bReservedFlag1(FALSE)
    , bReservedFlag2(TRUE)
    , iComCtlVersion(-1)
    , pstrIniFileName(CXTRegistryManager::GetINIFileNamePtr())
{
    CXTPOSVersionInfo* pVersion = XTPOSVersionInfo();
    bWin95 = pVersion->IsWin95();
    bWin98 = pVersion->IsWin98();
    bWinNT4 = pVersion->IsWinNT4();
    bWin2K = pVersion->IsWin2K();
    bWinXP = pVersion->IsWinXP();

    iComCtlVersion = (int)XTPGetComCtlVersion();

    UpdateSysColors();
    UpdateSysMetrics();
    LoadSysCursors();
    UpdateFonts();
}

CXTAuxData::~CXTAuxData()
{
    DeleteFonts();
}

void CXTAuxData::UpdateSysColors()
{
    RefreshColorManager();

    static const int kSystemIndexes[20] = {
        COLOR_3DFACE, COLOR_3DSHADOW, COLOR_3DDKSHADOW, COLOR_3DHILIGHT, COLOR_3DLIGHT,
        COLOR_BTNTEXT, COLOR_GRAYTEXT, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT, COLOR_MENU,
        COLOR_MENUTEXT, COLOR_WINDOW, COLOR_WINDOWFRAME, COLOR_WINDOWTEXT, COLOR_ACTIVECAPTION,
        COLOR_INACTIVECAPTION, COLOR_GRADIENTACTIVECAPTION, COLOR_GRADIENTINACTIVECAPTION,
        COLOR_CAPTIONTEXT, COLOR_INACTIVECAPTIONTEXT };
    COLORREF* const kSystemFields[20] = {
        &clr3DFace, &clr3DShadow, &clr3DDkShadow, &clr3DHilight, &clr3DLight,
        &clrBtnText, &clrGrayText, &clrHighlight, &clrHighlightText, &clrMenu,
        &clrMenuText, &clrWindow, &clrWindowFrame, &clrWindowText, &clrActiveCaption,
        &clrInActiveCaption, &clrGradActiveCapt, &clrGradInActiveCapt,
        &clrActiveCaptText, &clrInactiveCaptText };
    for (int i = 0; i < 20; i++)
        *kSystemFields[i] = GetXTPSysColor(kSystemIndexes[i]);

    COLORREF* const kToolkitFields[20] = {
        &clrXPBarFace, &clrXPHighlight, &clrXPHighlightBorder, &clrXPHighlightPushed,
        &clrXPIconShadow, &clrXPGrayText, &clrXPHighlightChecked, &clrXPHighlightCheckedBorder,
        &clrXPGripper, &clrXPSeparator, &clrXPDisabled, &clrXPMenuTextBack, &clrXPMenuExpanded,
        &clrXPMenuBorder, &clrXPMenuText, &clrXPHighlightText, &clrXPBarText, &clrXPBarTextPushed,
        &clrXPTabInactiveBack, &clrXPTabInactiveText };
    for (int i = 0; i < 20; i++)
        *kToolkitFields[i] = GetXTPSysColor(30 + i);
}

void CXTAuxData::UpdateSysMetrics()
{
    cxSmIcon = ::GetSystemMetrics(SM_CXSMICON);
    cySmIcon = ::GetSystemMetrics(SM_CYSMICON);
    cxSize = 18;
    cySize = 18;
    cxHThumb = ::GetSystemMetrics(SM_CXHTHUMB);
    cyVThumb = ::GetSystemMetrics(SM_CYVTHUMB);
    cyMenuItem = ::GetSystemMetrics(SM_CYMENU);
}

BOOL CXTAuxData::LoadSysCursors()
{
    CXTPResourceManager* pResources = XTPResourceManager();

    if ((hcurDragCopy = pResources->LoadCursor(XTP_IDC_DRAGCOPY)) == NULL)
        return FALSE;
    if ((hcurDragMove = pResources->LoadCursor(XTP_IDC_DRAGMOVE)) == NULL)
        return FALSE;
    if ((hcurDragNone = pResources->LoadCursor(XTP_IDC_DRAGNONE)) == NULL)
        return FALSE;

    hcurHand = m_pfnLoadSysCursor(NULL, IDC_HAND);
    if (hcurHand == NULL)
        hcurHand = pResources->LoadCursor(XTP_IDC_HAND);
    if (hcurHand == NULL)
        return FALSE;

    if ((hcurHSplitBar = pResources->LoadCursor(XTP_IDC_HSPLITBAR)) == NULL)
        return FALSE;
    if ((hcurVSplitBar = pResources->LoadCursor(XTP_IDC_VSPLITBAR)) == NULL)
        return FALSE;
    if ((hcurMove = m_pfnLoadSysCursor(NULL, IDC_SIZEALL)) == NULL)
        return FALSE;
    return TRUE;
}

void CXTAuxData::DeleteFonts()
{
    font.DeleteObject();
    fontBold.DeleteObject();
    fontULine.DeleteObject();
    fontVert.DeleteObject();
    fontVertBold.DeleteObject();
    fontIconTitle.DeleteObject();
    fontIconTitleBold.DeleteObject();
    fontMarlett.DeleteObject();
    fontStatus.DeleteObject();
    fontSmCaption.DeleteObject();
}

BOOL CXTAuxData::UpdateFonts(LPCTSTR lpszFaceName, LPCTSTR lpszVertFaceName)
{
    DeleteFonts();

    NONCLIENTMETRICSA ncm;
    XTPGetNonClientMetrics(ncm);

    LOGFONTA lf;
    ZeroMemory(&lf, sizeof(lf));
    HDC hScreenDC = ::GetDC(NULL);
    lf.lfCharSet = (BYTE)::GetTextCharsetInfo(hScreenDC, NULL, 0);
    ::ReleaseDC(NULL, hScreenDC);
    lf.lfHeight = ncm.lfMenuFont.lfHeight;
    lf.lfWeight = ncm.lfMenuFont.lfWeight;
    lf.lfItalic = ncm.lfMenuFont.lfItalic;
    SetFaceName(lf, ncm.lfMenuFont.lfFaceName);

    if (IsGivenAndInstalled(lpszFaceName))
    {
        SetFaceName(lf, lpszFaceName);
        SetFaceName(ncm.lfStatusFont, lpszFaceName);
        SetFaceName(ncm.lfSmCaptionFont, lpszFaceName);
    }
    else if (bUseTahoma && ncm.lfMenuFont.lfCharSet < 3 && CXTPDrawHelpers::FontExists(_T("Tahoma")))
    {
        SetFaceName(lf, _T("Tahoma"));
    }

    if (!font.CreateFontIndirect(&lf))
        return FALSE;

    LOGFONTA lfBold = lf;
    lfBold.lfWeight = FW_BOLD;
    if (!fontBold.CreateFontIndirect(&lfBold))
        return FALSE;

    LOGFONTA lfULine = lf;
    lfULine.lfUnderline = 1;
    if (!fontULine.CreateFontIndirect(&lfULine))
        return FALSE;

    LOGFONTA lfVert = lf;
    if (IsGivenAndInstalled(lpszVertFaceName))
        SetFaceName(lfVert, lpszVertFaceName);
    else if (lstrcmpiA(ncm.lfMenuFont.lfFaceName, "Tahoma") != 0 && CXTPDrawHelpers::FontExists(_T("Arial")))
        SetFaceName(lfVert, _T("Arial"));
    lfVert.lfEscapement = 2700;
    lfVert.lfOrientation = 900;
    if (!fontVert.CreateFontIndirect(&lfVert))
        return FALSE;

    LOGFONTA lfVertBold = lfVert;
    lfVertBold.lfWeight = FW_BOLD;
    if (!fontVertBold.CreateFontIndirect(&lfVertBold))
        return FALSE;

    LOGFONTA lfIconTitle;
    ZeroMemory(&lfIconTitle, sizeof(lfIconTitle));
    ::SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof(lfIconTitle), &lfIconTitle, 0);
    if (!fontIconTitle.CreateFontIndirect(&lfIconTitle))
        return FALSE;
    LOGFONTA lfIconTitleBold = lfIconTitle;
    lfIconTitleBold.lfWeight = FW_BOLD;
    if (!fontIconTitleBold.CreateFontIndirect(&lfIconTitleBold))
        return FALSE;

    if (!fontStatus.CreateFontIndirect(&ncm.lfStatusFont))
        return FALSE;
    if (!fontSmCaption.CreateFontIndirect(&ncm.lfSmCaptionFont))
        return FALSE;

    LOGFONTA lfMarlett;
    ZeroMemory(&lfMarlett, sizeof(lfMarlett));
    lfMarlett.lfHeight = lfIconTitle.lfHeight;
    lfMarlett.lfCharSet = DEFAULT_CHARSET;
    SetFaceName(lfMarlett, _T("Marlett"));
    if (!fontMarlett.CreateFontIndirect(&lfMarlett))
        return FALSE;

    return TRUE;
}

CXTAuxData& AFXAPI XTAuxData()
{
    static CXTAuxData s_auxData;
    return s_auxData;
}

CXTMemDC::CXTMemDC(CDC* pDC, const CRect& rect, const CXTPPaintManagerColorGradient& clrBack, BOOL bHorz)
    : m_pDC(pDC)
    , m_rc(rect)
    , m_bValid(FALSE)
    , m_hOldBitmap(NULL)
{
    if (pDC == NULL || pDC->GetSafeHdc() == NULL)
        return;

    if (m_rc.IsRectEmpty())
        pDC->GetClipBox(&m_rc);

    if (!CreateCompatibleDC(pDC))
        return;

    SetMapMode(pDC->GetMapMode());
    if (!m_bitmap.CreateCompatibleBitmap(pDC, m_rc.Width(), m_rc.Height()))
    {
        DeleteDC();
        return;
    }
    m_hOldBitmap = static_cast<HBITMAP>(::SelectObject(m_hDC, m_bitmap.GetSafeHandle()));

    if (clrBack.clrDark.GetStandardColor() != COLORREF_NULL || clrBack.clrDark.GetCustomColor() != COLORREF_NULL)
    {
        CRect rcFill(0, 0, m_rc.Width(), m_rc.Height());
        XTPDrawHelpers()->GradientFillFromGradient(this, &rcFill, clrBack, bHorz);
    }
    m_bValid = TRUE;
}

CXTMemDC::~CXTMemDC()
{
    if (m_hDC == NULL)
        return;
    if (m_bValid)
        m_pDC->BitBlt(m_rc.left, m_rc.top, m_rc.Width(), m_rc.Height(), this, 0, 0, SRCCOPY);
    if (m_hOldBitmap != NULL)
        ::SelectObject(m_hDC, m_hOldBitmap);
    m_bitmap.DeleteObject();
    DeleteDC();
}

CXTWindowMap& AFXAPI XTWindowMap()
{
    static CXTWindowMap s_windowMap;
    return s_windowMap;
}
