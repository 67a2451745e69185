// Scoped device contexts.
#include "XTPDCHelpers.h"
#include "XTPColorManager.h"
#include "XTPImageManager.h"
#include <algorithm>

namespace
{
// The bitmap of a buffer drawn and then copied to hDestDC. For a window's
// context on a 32-bit screen it is a 32-bit DIB section, which holds the same
// pixels as a bitmap compatible with the screen but is made without asking
// the display for its format (slow on some systems, twice per buffer);
// otherwise it is a compatible bitmap.
HBITMAP CreateBufferBitmap(HDC hDestDC, int cx, int cy)
{
    if (hDestDC != NULL && ::GetObjectType(hDestDC) == OBJ_DC && ::GetDeviceCaps(hDestDC, TECHNOLOGY) == DT_RASDISPLAY &&
        CXTPColorManager::GetScreenBitsPerPixel() == 32)
    {
        HBITMAP hBitmap = CXTPImageManager::Create32BitDIBSection(hDestDC, cx, cy);
        if (hBitmap != NULL)
            return hBitmap;
    }
    return ::CreateCompatibleBitmap(hDestDC, cx, cy);
}
} // namespace

//////////////////////////////////////////////////////////////////////////
// CXTPBufferDC

CXTPBufferDC::CXTPBufferDC(HDC hDestDC, const CRect& rcPaint)
    : m_hDestDC(hDestDC), m_rect(rcPaint), m_hOldBitmap(NULL)
{
    HDC hMemDC = ::CreateCompatibleDC(hDestDC);
    if (hMemDC == NULL)
        return;
    Attach(hMemDC);

    // The bitmap reaches from the origin to the rectangle's far corner so that
    // the memory DC uses the target's coordinates unchanged.
    HBITMAP hBitmap = CreateBufferBitmap(hDestDC, std::max(1, (int)m_rect.right), std::max(1, (int)m_rect.bottom));
    if (hBitmap != NULL)
    {
        m_bitmap.Attach(hBitmap);
        m_hOldBitmap = ::SelectObject(m_hDC, hBitmap);
    }
}

CXTPBufferDC::~CXTPBufferDC()
{
    if (m_hDC == NULL)
        return;

    if (m_hDestDC != NULL)
    {
        ::BitBlt(m_hDestDC, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_hDC, m_rect.left,
                 m_rect.top, SRCCOPY);
    }
    if (m_hOldBitmap != NULL)
        ::SelectObject(m_hDC, m_hOldBitmap);
    m_bitmap.DeleteObject();

    HDC hMemDC = Detach();
    ::DeleteDC(hMemDC);
}

//////////////////////////////////////////////////////////////////////////
// CXTPBitmapDC

CXTPBitmapDC::CXTPBitmapDC(CDC* pDC, CBitmap* pBitmap)
    : m_hDC(pDC != NULL ? pDC->GetSafeHdc() : NULL), m_hOldBitmap(NULL)
{
    m_hOldBitmap = ::SelectObject(m_hDC, pBitmap != NULL ? (HGDIOBJ)pBitmap->GetSafeHandle() : NULL);
}

CXTPBitmapDC::CXTPBitmapDC(CDC* pDC, HBITMAP hBitmap)
    : m_hDC(pDC != NULL ? pDC->GetSafeHdc() : NULL), m_hOldBitmap(NULL)
{
    m_hOldBitmap = ::SelectObject(m_hDC, hBitmap);
}

CXTPBitmapDC::~CXTPBitmapDC()
{
    if (m_hDC != NULL && m_hOldBitmap != NULL)
        ::SelectObject(m_hDC, m_hOldBitmap);
}

//////////////////////////////////////////////////////////////////////////
// CXTPFontDC

CXTPFontDC::CXTPFontDC(CDC* pDC, CFont* pFont)
    : m_pDC(pDC), m_hOldFont(NULL), m_clrOldTextColor(COLORREF_NULL)
{
    if (pFont != NULL)
        SetFont(pFont);
}

CXTPFontDC::CXTPFontDC(CDC* pDC, CFont* pFont, COLORREF clrTextColor)
    : m_pDC(pDC), m_hOldFont(NULL), m_clrOldTextColor(COLORREF_NULL)
{
    if (pFont != NULL)
        SetFont(pFont);
    SetColor(clrTextColor);
}

CXTPFontDC::~CXTPFontDC()
{
    ReleaseFont();
    ReleaseColor();
}

void CXTPFontDC::SetFont(CFont* pFont)
{
    if (m_pDC == NULL || pFont == NULL || m_pDC->GetSafeHdc() == NULL)
        return;

    // The handle, not the returned object, is kept: a temporary wrapper may
    // be freed before the scope ends.
    HGDIOBJ hPrev = ::SelectObject(m_pDC->GetSafeHdc(), pFont->GetSafeHandle());
    if (m_hOldFont == NULL && hPrev != NULL && hPrev != HGDI_ERROR)
        m_hOldFont = (HFONT)hPrev;
}

void CXTPFontDC::SetColor(COLORREF clrTextColor)
{
    if (m_pDC == NULL || m_pDC->GetSafeHdc() == NULL)
        return;
    COLORREF clrPrev = ::SetTextColor(m_pDC->GetSafeHdc(), clrTextColor);
    if (m_clrOldTextColor == COLORREF_NULL)
        m_clrOldTextColor = clrPrev;
}

void CXTPFontDC::ReleaseFont()
{
    if (m_hOldFont != NULL)
    {
        if (m_pDC != NULL && m_pDC->GetSafeHdc() != NULL)
            ::SelectObject(m_pDC->GetSafeHdc(), m_hOldFont);
        m_hOldFont = NULL;
    }
}

void CXTPFontDC::ReleaseColor()
{
    if (m_clrOldTextColor != COLORREF_NULL)
    {
        if (m_pDC != NULL && m_pDC->GetSafeHdc() != NULL)
            ::SetTextColor(m_pDC->GetSafeHdc(), m_clrOldTextColor);
        m_clrOldTextColor = COLORREF_NULL;
    }
}

//////////////////////////////////////////////////////////////////////////
// CXTPPenDC

CXTPPenDC::CXTPPenDC(HDC hDC, COLORREF clrColor)
    : m_hDC(hDC), m_hOldPen(NULL)
{
    m_pen.Attach(::CreatePen(PS_SOLID, 1, clrColor));
    if (m_hDC != NULL)
        m_hOldPen = ::SelectObject(m_hDC, m_pen.GetSafeHandle());
}

CXTPPenDC::~CXTPPenDC()
{
    if (m_hDC != NULL && m_hOldPen != NULL)
        ::SelectObject(m_hDC, m_hOldPen);
    m_pen.DeleteObject();
}

void CXTPPenDC::Color(COLORREF clrColor)
{
    if (m_hDC == NULL)
        return;
    HPEN hPen = ::CreatePen(PS_SOLID, 1, clrColor);
    if (hPen == NULL)
        return;
    ::SelectObject(m_hDC, hPen);
    m_pen.DeleteObject();
    m_pen.Attach(hPen);
}

COLORREF CXTPPenDC::Color()
{
    LOGPEN lp;
    if (m_pen.GetSafeHandle() == NULL || ::GetObject(m_pen.GetSafeHandle(), sizeof(lp), &lp) == 0)
        return 0;
    return lp.lopnColor;
}

//////////////////////////////////////////////////////////////////////////
// CXTPBrushDC

CXTPBrushDC::CXTPBrushDC(HDC hDC, COLORREF clrColor)
    : m_hDC(hDC), m_hOldBrush(NULL)
{
    m_brush.Attach(::CreateSolidBrush(clrColor));
    if (m_hDC != NULL)
        m_hOldBrush = ::SelectObject(m_hDC, m_brush.GetSafeHandle());
}

CXTPBrushDC::~CXTPBrushDC()
{
    if (m_hDC != NULL && m_hOldBrush != NULL)
        ::SelectObject(m_hDC, m_hOldBrush);
    m_brush.DeleteObject();
}

void CXTPBrushDC::Color(COLORREF clrColor)
{
    if (m_hDC == NULL)
        return;
    HBRUSH hBrush = ::CreateSolidBrush(clrColor);
    if (hBrush == NULL)
        return;
    ::SelectObject(m_hDC, hBrush);
    m_brush.DeleteObject();
    m_brush.Attach(hBrush);
}

//////////////////////////////////////////////////////////////////////////
// CXTPCompatibleDC

CXTPCompatibleDC::CXTPCompatibleDC(CDC* pDC, CBitmap* pBitmap)
    : m_hOldBitmap(NULL)
{
    Init(pDC, pBitmap != NULL ? (HBITMAP)pBitmap->GetSafeHandle() : NULL);
}

CXTPCompatibleDC::CXTPCompatibleDC(CDC* pDC, HBITMAP hBitmap)
    : m_hOldBitmap(NULL)
{
    Init(pDC, hBitmap);
}

void CXTPCompatibleDC::Init(CDC* pDC, HBITMAP hBitmap)
{
    HDC hMemDC = ::CreateCompatibleDC(pDC != NULL ? pDC->GetSafeHdc() : NULL);
    if (hMemDC == NULL)
        return;
    Attach(hMemDC);
    if (hBitmap != NULL)
        m_hOldBitmap = ::SelectObject(m_hDC, hBitmap);
}

CXTPCompatibleDC::~CXTPCompatibleDC()
{
    if (m_hDC == NULL)
        return;
    if (m_hOldBitmap != NULL)
        ::SelectObject(m_hDC, m_hOldBitmap);
    HDC hMemDC = Detach();
    ::DeleteDC(hMemDC);
}
