// The about box.
#include "AboutDlg.h"

#include <math.h>

#include <algorithm>

#include "resource.h"

namespace
{
const UINT_PTR kAnimationTimer = 1;
const UINT kAnimationMilliseconds = 40;

// The credits; lines that start with a tab are headings, with a carriage
// return sub-headings, the others body text.
const char kCreditsTemplate[] =
    "\tBrindlemark\x99 2006 %s\n"
    "\n"
    "\rProgrammed by:\n"
    "The Orrisfield Games team\n"
    "\n"
    "\r%s\n"
    "[%s]\n"
    "\n"
    "\r\xA9 2006 Orrisfield Software\n"
    "\rwww.orrisfield.example\n"
    "\rAll rights reserved.\n"
    "\n"
    "orrisfield.example/brindlemark\n";
} // namespace

// ---------------------------------------------------------------------------
// CAboutCtrl

BEGIN_MESSAGE_MAP(CAboutCtrl, CStatic)
    ON_WM_TIMER()
    ON_WM_PAINT()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CAboutCtrl::CAboutCtrl()
    : m_nLogoWidth(0), m_nLogoHeight(0), m_nAngle1(0), m_nAngle2(0), m_nWaveSpeed(0), m_nLogoX(0), m_nLogoY(0),
      m_nTextWidth(0), m_nTextHeight(0), m_nTextScrollY(0), m_nWidestCreditLine(0), m_hOldLogo(NULL), m_hOldBackground(NULL),
      m_hOldWork(NULL), m_hOldText(NULL), m_nBackgroundWidth(0), m_nBackgroundHeight(0)
{
}

CAboutCtrl::~CAboutCtrl()
{
    FreeDCs();
}

void CAboutCtrl::FreeDCs()
{
    struct Slot
    {
        CDC* pDC;
        CBitmap* pBitmap;
        HGDIOBJ* phOld;
    };
    Slot slots[] = {{&m_dcLogo, &m_bmpLogo, &m_hOldLogo},
                    {&m_dcBackground, &m_bmpBackground, &m_hOldBackground},
                    {&m_dcWork, &m_bmpWork, &m_hOldWork},
                    {&m_dcText, &m_bmpText, &m_hOldText}};
    for (Slot& slot : slots)
    {
        if (slot.pDC->GetSafeHdc() != NULL)
        {
            if (*slot.phOld != NULL)
                slot.pDC->SelectObject(*slot.phOld);
            slot.pDC->DeleteDC();
        }
        *slot.phOld = NULL;
        slot.pBitmap->DeleteObject();
    }
}

void CAboutCtrl::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    InitAnimation();
    SetTimer(kAnimationTimer, kAnimationMilliseconds, NULL);
}

BOOL CAboutCtrl::LoadBitmapToDC(UINT nID, CDC& dc, CBitmap& bitmap, HGDIOBJ& hOld, int& cx, int& cy)
{
    CClientDC dcControl(this);
    if (!dc.CreateCompatibleDC(&dcControl))
        return FALSE;
    if (nID == 0)
    {
        if (!bitmap.CreateCompatibleBitmap(&dcControl, cx, cy))
            return FALSE;
    }
    else
    {
        CBitmap loaded;
        BITMAP bm;
        if (!loaded.LoadBitmap(nID) || loaded.GetBitmap(&bm) == 0)
        {
            TRACE("about box: bitmap %u missing", nID);
            return FALSE;
        }
        cx = bm.bmWidth;
        cy = bm.bmHeight;
        if (!bitmap.CreateCompatibleBitmap(&dcControl, cx, cy))
            return FALSE;
        CDC dcLoaded;
        dcLoaded.CreateCompatibleDC(&dcControl);
        CBitmap* pOldLoaded = dcLoaded.SelectObject(&loaded);
        hOld = dc.SelectObject(bitmap.GetSafeHandle());
        dc.BitBlt(0, 0, cx, cy, &dcLoaded, 0, 0, SRCCOPY);
        dcLoaded.SelectObject(pOldLoaded);
        return TRUE;
    }
    hOld = dc.SelectObject(bitmap.GetSafeHandle());
    return TRUE;
}

void CAboutCtrl::BuildTextBitmap()
{
    CClientDC dcControl(this);
    m_dcText.CreateCompatibleDC(&dcControl);
    m_bmpText.CreateCompatibleBitmap(&dcControl, m_nTextWidth, m_nTextHeight);
    m_hOldText = m_dcText.SelectObject(m_bmpText.GetSafeHandle());
    m_dcText.FillSolidRect(0, 0, m_nTextWidth, m_nTextHeight, RGB(255, 255, 255));

    CFont fontHeading, fontSubHeading, fontBody;
    fontHeading.CreateFont(17, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 2, 6, "Arial");
    fontSubHeading.CreateFont(14, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 2, 6, "Arial");
    fontBody.CreateFont(14, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 6, "Arial");
    CFont* pOldFont = m_dcText.SelectObject(&fontBody);
    m_dcText.SetBkMode(OPAQUE);
    m_dcText.SetTextColor(RGB(0, 0, 0));

    int nTop = 0;
    m_nWidestCreditLine = 0;
    CString strLine;
    for (int i = 0; AfxExtractSubString(strLine, m_strCredits, i, '\n'); i++)
    {
        CFont* pFont = &fontBody;
        if (!strLine.IsEmpty() && strLine[0] == '\t')
        {
            pFont = &fontHeading;
            strLine.TrimLeft('\t');
        }
        else if (!strLine.IsEmpty() && strLine[0] == '\r')
        {
            pFont = &fontSubHeading;
            strLine.TrimLeft('\r');
        }
        m_dcText.SelectObject(pFont);
        CRect rect(0, nTop, m_nTextWidth, m_nTextHeight);
        m_dcText.DrawText(strLine, rect, DT_SINGLELINE | DT_LEFT | DT_NOPREFIX);
        m_nWidestCreditLine = std::max(m_nWidestCreditLine, (int)m_dcText.GetTextExtent(strLine).cx);
        TEXTMETRIC tm;
        m_dcText.GetTextMetrics(&tm);
        nTop += tm.tmHeight;
    }
    m_dcText.SelectObject(pOldFont);
}

void CAboutCtrl::InitAnimation()
{
    FreeDCs();
    m_nAngle1 = 180;
    m_nAngle2 = 60;
    m_nWaveSpeed = 6;
    m_nTextWidth = 220;
    m_nTextHeight = 300;
    BuildTextBitmap();
    LoadBitmapToDC(IDB_MESSAGE_PICTURE, m_dcLogo, m_bmpLogo, m_hOldLogo, m_nLogoWidth, m_nLogoHeight);
    LoadBitmapToDC(IDB_ABOUT_BACKGROUND, m_dcBackground, m_bmpBackground, m_hOldBackground, m_nBackgroundWidth,
                   m_nBackgroundHeight);

    // The work picture covers the control too where the background is
    // smaller; what the background leaves is white.
    CRect rect;
    GetClientRect(&rect);
    int cx = rect.Width() > m_nBackgroundWidth ? rect.Width() : m_nBackgroundWidth;
    int cy = rect.Height() > m_nBackgroundHeight ? rect.Height() : m_nBackgroundHeight;
    LoadBitmapToDC(0, m_dcWork, m_bmpWork, m_hOldWork, cx, cy);
    m_nTextScrollY = rect.Height();
    m_nLogoX = 0;
    m_nLogoY = 0;
}

void CAboutCtrl::DrawFrame(CDC* pDC)
{
    if (m_dcWork.GetSafeHdc() == NULL)
        return;
    CRect rect;
    GetClientRect(&rect);
    pDC->BitBlt(0, 0, rect.Width(), rect.Height(), &m_dcWork, 0, 0, SRCCOPY);
}

void CAboutCtrl::Animate()
{
    if (m_dcWork.GetSafeHdc() == NULL)
        return;
    CRect rect;
    GetClientRect(&rect);
    const int w = rect.Width(), h = rect.Height();

    m_nLogoX += 2;
    if (m_nLogoX > w)
        m_nLogoX = -(m_nLogoWidth / 2);
    m_nLogoY += 1;
    if (m_nLogoY > h)
        m_nLogoY = -m_nLogoHeight;

    m_dcWork.FillSolidRect(0, 0, w, h, RGB(255, 255, 255));
    if (m_dcBackground.GetSafeHdc() != NULL)
        m_dcWork.BitBlt(0, 0, w, h, &m_dcBackground, 0, 0, SRCCOPY);

    // The logo, one column at a time along a wave.
    if (m_dcLogo.GetSafeHdc() != NULL)
    {
        for (int i = 1; i < m_nLogoWidth; i++)
        {
            int nRow = (int)(sin((m_nAngle2 + i) * 0.0174) * 10.0 + 2.5 + m_nLogoY);
            int nColumn = (int)(cos((m_nAngle1 + i) * 0.0174) * (m_nLogoWidth / 4.25) + m_nLogoX);
            m_dcWork.BitBlt(nColumn, nRow, 1, m_nLogoHeight, &m_dcLogo, i, 0, SRCAND);
        }
    }

    // The credits, ending 100 pixels below the scroll position.
    const int s = m_nTextScrollY;
    int nTextRows = m_nTextHeight - s - 100;
    if (nTextRows > m_nTextHeight)
        nTextRows = m_nTextHeight;
    if (nTextRows > 0)
        m_dcWork.BitBlt(194, s, m_nTextWidth, nTextRows, &m_dcText, 0, 0, SRCAND);
    m_nTextScrollY = s - 1;
    if (m_nTextScrollY < -m_nTextHeight)
        m_nTextScrollY = h;

    CClientDC dc(this);
    DrawFrame(&dc);

    m_nAngle1 += (int)(m_nWaveSpeed * 0.5);
    m_nAngle2 += m_nWaveSpeed * 2;
    if (m_nAngle1 >= 360)
        m_nAngle1 = 0;
    if (m_nAngle1 < -179)
        m_nWaveSpeed = -m_nWaveSpeed;
    if (m_nAngle2 >= 360)
        m_nAngle2 = 0;
}

void CAboutCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kAnimationTimer)
        Animate();
    CStatic::OnTimer(nIDEvent);
}

void CAboutCtrl::OnPaint()
{
    // Frames are drawn by the timer; a paint only validates.
    CPaintDC dc(this);
}

void CAboutCtrl::OnDestroy()
{
    KillTimer(kAnimationTimer);
    CStatic::OnDestroy();
}

// ---------------------------------------------------------------------------
// CFlyingAboutDlg

CFlyingAboutDlg::CFlyingAboutDlg(CWnd* pParentWnd) : CSubvertedHelpDlg(IDD_ABOUT, pParentWnd)
{
    m_wndAbout.m_strCredits = MakeCredits("v2.11", "v2.11.0000", "Jan  6 2007");
}

CString AFXAPI CFlyingAboutDlg::MakeCredits(LPCTSTR lpszShortVersion, LPCTSTR lpszFullVersion,
                                            LPCTSTR lpszBuildDate)
{
    CString strCredits;
    strCredits.Format(kCreditsTemplate, lpszShortVersion, lpszFullVersion, lpszBuildDate);
    return strCredits;
}

void CFlyingAboutDlg::DoDataExchange(CDataExchange* pDX)
{
    CSubvertedHelpDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ABOUT_PICTURE, m_wndAbout);
    DDX_Control(pDX, IDCANCEL, m_btnClose);
}

BOOL CFlyingAboutDlg::OnInitDialog()
{
    CSubvertedHelpDlg::OnInitDialog();
    CRect rect;
    GetClientRect(&rect);
    CRgn region;
    if (region.CreateRoundRectRgn(0, 0, rect.right, rect.bottom, 40, 40))
    {
        // The window owns the region from here on.
        if (SetWindowRgn((HRGN)region.GetSafeHandle(), TRUE))
            region.Detach();
    }
    return TRUE;
}
