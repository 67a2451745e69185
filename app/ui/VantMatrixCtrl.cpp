// The clock's dot-matrix display.
#include "VantMatrixCtrl.h"

#include "resource.h"

namespace
{
const int kGlyphCount = 12;          // 0-9, ':' and '-'
const int kClockGlyphs = 8;          // "hh:mm:ss"
const DWORD kStripRed = 0x00FF0000;  // lit dots of the strip
const DWORD kStripBlue = 0x000000FF; // unlit dots
const DWORD kStripBlack = 0x00000000;

// Index of a character's glyph in the strip; -1 for none.
int GlyphIndex(char ch)
{
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch == ':')
        return 10;
    if (ch == '-')
        return 11;
    return -1;
}

// A colour with every channel at least 1.
DWORD RaiseZeroChannels(DWORD dwPixel)
{
    DWORD dwResult = 0;
    for (int nShift = 0; nShift <= 16; nShift += 8)
    {
        DWORD dwChannel = (dwPixel >> nShift) & 0xFF;
        if (dwChannel == 0)
            dwChannel = 1;
        dwResult |= dwChannel << nShift;
    }
    return dwResult;
}
} // namespace

// ---------------------------------------------------------------------------
// CColourChangeBitmap

CColourChangeBitmap::CColourChangeBitmap() : m_pBits(NULL)
{
}

DWORD AFXAPI CColourChangeBitmap::ToSectionPixel(COLORREF cr)
{
    return ((DWORD)GetRValue(cr) << 16) | ((DWORD)GetGValue(cr) << 8) | GetBValue(cr);
}

BOOL CColourChangeBitmap::CreateFromBitmap(HBITMAP hSource)
{
    BITMAP bm;
    if (hSource == NULL || ::GetObject(hSource, sizeof(bm), &bm) == 0 || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return FALSE;

    DeleteObject();
    m_pBits = NULL;

    BITMAPINFO bmi;
    ZeroMemory(&bmi, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = bm.bmWidth;
    bmi.bmiHeader.biHeight = bm.bmHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    HDC hScreen = ::GetDC(NULL);
    void* pBits = NULL;
    HBITMAP hSection = ::CreateDIBSection(hScreen, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    ::ReleaseDC(NULL, hScreen);
    if (hSection == NULL || !Attach(hSection))
    {
        if (hSection != NULL)
            ::DeleteObject(hSection);
        TRACE("clock display: no %dx%d section for the glyph strip", (int)bm.bmWidth, (int)bm.bmHeight);
        return FALSE;
    }
    m_pBits = (DWORD*)pBits;

    HDC hSourceDC = ::CreateCompatibleDC(NULL);
    HDC hTargetDC = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOldSource = ::SelectObject(hSourceDC, hSource);
    HGDIOBJ hOldTarget = ::SelectObject(hTargetDC, hSection);
    BOOL bCopied = ::BitBlt(hTargetDC, 0, 0, bm.bmWidth, bm.bmHeight, hSourceDC, 0, 0, SRCCOPY);
    ::SelectObject(hSourceDC, hOldSource);
    ::SelectObject(hTargetDC, hOldTarget);
    ::DeleteDC(hSourceDC);
    ::DeleteDC(hTargetDC);
    ::GdiFlush();
    return bCopied;
}

BOOL CColourChangeBitmap::ReplaceColour(DWORD dwFind, DWORD dwReplace)
{
    BITMAP bm;
    if (m_pBits == NULL || GetSafeHandle() == NULL || GetBitmap(&bm) == 0 || bm.bmWidth == 0 || bm.bmHeight == 0)
        return FALSE;
    ::GdiFlush();
    DWORD* pPixel = m_pBits;
    DWORD* pEnd = m_pBits + (size_t)bm.bmWidth * (size_t)bm.bmHeight;
    for (; pPixel < pEnd; ++pPixel)
    {
        if (*pPixel == dwFind)
            *pPixel = dwReplace;
    }
    return TRUE;
}

// ---------------------------------------------------------------------------
// CVantMatrixCtrl

BEGIN_MESSAGE_MAP(CVantMatrixCtrl, CStatic)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_ENABLE()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

CVantMatrixCtrl::CVantMatrixCtrl() : m_crBackground(RGB(0, 0, 0)), m_crOn(RGB(0, 255, 0)), m_crOff(RGB(0, 100, 0))
{
}

CVantMatrixCtrl::~CVantMatrixCtrl()
{
}

BOOL CVantMatrixCtrl::LoadDigitBitmap()
{
    // A section keeps the strip's pure red and blue exact on any screen depth.
    HBITMAP hStrip = (HBITMAP)::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDB_CLOCK_DIGITS), IMAGE_BITMAP,
                                           0, 0, LR_CREATEDIBSECTION);
    if (hStrip == NULL)
    {
        TRACE("clock display: glyph strip %d missing", IDB_CLOCK_DIGITS);
        return FALSE;
    }
    m_bmpSource.DeleteObject();
    m_bmpSource.Attach(hStrip);
    RecolourDigits();

    BITMAP bm;
    m_bmpSource.GetBitmap(&bm);
    if (GetSafeHwnd() != NULL)
    {
        SetWindowPos(NULL, 0, 0, (bm.bmWidth / kGlyphCount) * kClockGlyphs + 6, bm.bmHeight + 4,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return TRUE;
}

void CVantMatrixCtrl::RecolourDigits()
{
    m_bmpWorking.DeleteObject();
    if (m_bmpWorking.CreateFromBitmap((HBITMAP)m_bmpSource.GetSafeHandle()))
    {
        // Red first, then blue, then black: an on or off colour never
        // equals a colour replaced after it, as no channel is 0.
        m_bmpWorking.ReplaceColour(kStripRed, RaiseZeroChannels(CColourChangeBitmap::ToSectionPixel(m_crOn)));
        m_bmpWorking.ReplaceColour(kStripBlue, RaiseZeroChannels(CColourChangeBitmap::ToSectionPixel(m_crOff)));
        m_bmpWorking.ReplaceColour(kStripBlack,
                                   RaiseZeroChannels(CColourChangeBitmap::ToSectionPixel(m_crBackground)));
    }
    if (GetSafeHwnd() != NULL)
        Invalidate(TRUE);
}

void CVantMatrixCtrl::SetText(LPCTSTR lpszText)
{
    if (m_strText == lpszText)
        return;
    m_strText = lpszText;
    if (GetSafeHwnd() != NULL)
        Invalidate(TRUE);
}

CString CVantMatrixCtrl::GetDisplayText() const
{
    return m_strText;
}

void CVantMatrixCtrl::DrawMatrix(CDC* pDC, const CRect& rect) const
{
    CDC dcMemory;
    CBitmap bmpOffscreen;
    if (!dcMemory.CreateCompatibleDC(pDC) || !bmpOffscreen.CreateCompatibleBitmap(pDC, rect.Width(), rect.Height()))
        return;
    CBitmap* pOldOffscreen = dcMemory.SelectObject(&bmpOffscreen);
    dcMemory.FillSolidRect(0, 0, rect.Width(), rect.Height(), m_crBackground);

    BITMAP bm;
    if (m_bmpWorking.GetSafeHandle() != NULL && m_bmpWorking.GetBitmap(&bm) != 0)
    {
        CDC dcGlyphs;
        dcGlyphs.CreateCompatibleDC(pDC);
        HGDIOBJ hOldGlyphs = dcGlyphs.SelectObject(m_bmpWorking.GetSafeHandle());
        const int nGlyphWidth = bm.bmWidth / kGlyphCount;
        CString strText = GetDisplayText();
        int x = 0;
        for (int i = 0; i < strText.GetLength() && x < rect.Width(); i++, x += nGlyphWidth)
        {
            int nGlyph = GlyphIndex(strText[i]);
            if (nGlyph >= 0)
                dcMemory.BitBlt(x, 0, nGlyphWidth, bm.bmHeight, &dcGlyphs, nGlyph * nGlyphWidth, 0, SRCCOPY);
        }
        dcGlyphs.SelectObject(hOldGlyphs);
    }

    pDC->BitBlt(rect.left, rect.top, rect.Width(), rect.Height(), &dcMemory, 0, 0, SRCCOPY);
    dcMemory.SelectObject(pOldOffscreen);
}

void CVantMatrixCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    DrawMatrix(&dc, rect);
}

BOOL CVantMatrixCtrl::OnEraseBkgnd(CDC*)
{
    // The paint covers the whole client area.
    return TRUE;
}

LRESULT CVantMatrixCtrl::OnPrintClient(WPARAM wParam, LPARAM)
{
    CRect rect;
    GetClientRect(&rect);
    DrawMatrix(CDC::FromHandle((HDC)wParam), rect);
    return 0;
}

void CVantMatrixCtrl::OnEnable(BOOL)
{
    // The display looks the same enabled or not (the command bars disable
    // it, having no command for it). The static control's own handling
    // would paint an empty static over the glyphs at once.
    Invalidate(FALSE);
}

// ---------------------------------------------------------------------------
// CVantTimerCtrl

CVantTimerCtrl::CVantTimerCtrl() : m_nHours(0), m_nMinutes(0), m_nSeconds(0)
{
}

void CVantTimerCtrl::SetTime(int nHours, int nMinutes, int nSeconds)
{
    if (nHours == m_nHours && nMinutes == m_nMinutes && nSeconds == m_nSeconds)
        return;
    m_nHours = nHours;
    m_nMinutes = nMinutes;
    m_nSeconds = nSeconds;
    if (GetSafeHwnd() != NULL)
        Invalidate(TRUE);
}

CString CVantTimerCtrl::GetDisplayText() const
{
    CString strText;
    strText.Format("%02d:%02d:%02d", m_nHours, m_nMinutes, m_nSeconds);
    return strText;
}
