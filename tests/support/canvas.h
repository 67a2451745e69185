// DIB canvases for tests that check drawn pixels, and builders of test
// bitmaps and icons: pixels are read straight from the bits.
#pragma once

#include "support/gdi_count.h"
#include <afxwin.h>
#include <vector>
#include <algorithm>

namespace testsupport
{
// A top-down 32-bit (or 24-bit) DIB section selected into its own memory DC,
// both held by permanent class-library objects.
class Canvas
{
public:
    Canvas(int cx, int cy, COLORREF clrFill = RGB(255, 255, 255), int nBits = 32)
        : m_cx(cx), m_cy(cy), m_nBits(nBits), m_nStride(nBits == 24 ? ((cx * 3 + 3) & ~3) : cx * 4)
    {
        BITMAPINFO bmi;
        ZeroMemory(&bmi, sizeof(bmi));
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = cx;
        bmi.bmiHeader.biHeight = -cy;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = (WORD)nBits;
        bmi.bmiHeader.biCompression = BI_RGB;
        m_bitmap.Attach(::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, (void**)&m_pBits, NULL, 0));
        m_dc.CreateCompatibleDC(NULL);
        m_pOld = m_dc.SelectObject(&m_bitmap);
        Fill(clrFill);
    }
    ~Canvas() { m_dc.SelectObject(m_pOld); }

    void Fill(COLORREF clr)
    {
        RECT rc = { 0, 0, m_cx, m_cy };
        HBRUSH hBrush = ::CreateSolidBrush(clr);
        ::FillRect(m_dc.m_hDC, &rc, hBrush);
        ::DeleteObject(hBrush);
        ::GdiFlush();
    }
    // A pixel's colour; -1 (no colour) outside the picture.
    COLORREF Pixel(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= m_cx || y >= m_cy)
            return (COLORREF)-1;
        ::GdiFlush();
        const BYTE* p = (const BYTE*)m_pBits + y * m_nStride + x * (m_nBits / 8);
        return RGB(p[2], p[1], p[0]);
    }
    BYTE Alpha(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= m_cx || y >= m_cy)
            return 0;
        ::GdiFlush();
        return m_nBits == 32 ? (BYTE)(m_pBits[y * m_cx + x] >> 24) : 0;
    }

    // The colour seen most often in a rectangle (clipped to the picture); -1
    // when none of it lies inside.
    COLORREF MostCommon(const RECT& rc) const
    {
        std::vector<COLORREF> seen;
        for (int y = std::max(0, (int)rc.top); y < std::min(m_cy, (int)rc.bottom); y++)
            for (int x = std::max(0, (int)rc.left); x < std::min(m_cx, (int)rc.right); x++)
                seen.push_back(Pixel(x, y));
        std::sort(seen.begin(), seen.end());
        COLORREF clrBest = (COLORREF)-1;
        size_t nBest = 0;
        for (size_t i = 0, j = 0; i < seen.size(); i = j)
        {
            for (j = i; j < seen.size() && seen[j] == seen[i]; j++)
                ;
            if (j - i > nBest)
            {
                nBest = j - i;
                clrBest = seen[i];
            }
        }
        return clrBest;
    }

    CDC* DC() { return &m_dc; }
    HDC Handle() const { return m_dc.m_hDC; }
    CBitmap* BitmapObject() { return &m_bitmap; }
    HBITMAP Bitmap() const { return (HBITMAP)m_bitmap.m_hObject; }
    int Width() const { return m_cx; }
    int Height() const { return m_cy; }

private:
    Canvas(const Canvas&);
    Canvas& operator=(const Canvas&);
    int m_cx, m_cy, m_nBits, m_nStride;
    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_pOld = NULL;
    DWORD* m_pBits = NULL;
};

// A 32-bit top-down DIB section filled by a function of (x, y) giving ARGB.
template<class F>
HBITMAP MakeAlphaBitmap(int cx, int cy, F pixel, bool bTopDown = true)
{
    BITMAPINFO bmi;
    ZeroMemory(&bmi, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = bTopDown ? -cy : cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    DWORD* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, (void**)&pBits, NULL, 0);
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
            pBits[(bTopDown ? y : cy - 1 - y) * cx + x] = pixel(x, y);
    return hBitmap;
}

inline DWORD Argb(BYTE a, BYTE r, BYTE g, BYTE b)
{
    return ((DWORD)a << 24) | ((DWORD)r << 16) | ((DWORD)g << 8) | b;
}

// Reads pixel (x, y) (top-down) of any bitmap as 32-bit ARGB.
inline DWORD ReadPixel(HBITMAP hBitmap, int x, int y)
{
    BITMAP bm;
    ::GetObject(hBitmap, sizeof(bm), &bm);
    BITMAPINFO bmi;
    ZeroMemory(&bmi, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = bm.bmWidth;
    bmi.bmiHeader.biHeight = -bm.bmHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> bits((size_t)bm.bmWidth * bm.bmHeight);
    HDC hDC = ::GetDC(NULL);
    ::GetDIBits(hDC, hBitmap, 0, bm.bmHeight, bits.data(), &bmi, DIB_RGB_COLORS);
    ::ReleaseDC(NULL, hDC);
    return bits[(size_t)y * bm.bmWidth + x];
}

// A classic icon of cx x cy: opaque pixels where opaque(x, y), coloured color(x, y).
template<class FColor, class FOpaque>
HICON MakeClassicIcon(int cx, int cy, FColor color, FOpaque opaque)
{
    HDC hScreen = ::GetDC(NULL);
    HBITMAP hColor = ::CreateCompatibleBitmap(hScreen, cx, cy);
    HBITMAP hMask = ::CreateBitmap(cx, cy, 1, 1, NULL);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    HGDIOBJ hOld = ::SelectObject(hDC, hColor);
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
            ::SetPixelV(hDC, x, y, opaque(x, y) ? color(x, y) : RGB(0, 0, 0));
    ::SelectObject(hDC, hMask);
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
            ::SetPixelV(hDC, x, y, opaque(x, y) ? RGB(0, 0, 0) : RGB(255, 255, 255));
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    ::ReleaseDC(NULL, hScreen);
    ICONINFO info = { TRUE, 0, 0, hMask, hColor };
    HICON hIcon = ::CreateIconIndirect(&info);
    ::DeleteObject(hColor);
    ::DeleteObject(hMask);
    return hIcon;
}
} // namespace testsupport
