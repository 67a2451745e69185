// Scoped device contexts: each selects a GDI object into a DC (or creates a
// memory DC) when constructed and undoes it when destroyed, so a drawing
// routine may leave its scope by any path and the DC is left as it was found.
#pragma once

#include "XTPCommon.h"

// An off-screen buffer of a rectangle of the target; drawing uses the
// target's coordinates unchanged. The rectangle is copied to the target when
// the object is destroyed.
class CXTPBufferDC : public CDC
{
public:
    CXTPBufferDC(HDC hDestDC, const CRect& rcPaint);
    virtual ~CXTPBufferDC();

    CDC* GetDestDC() { return CDC::FromHandle(m_hDestDC); }
    // Forgets the target: nothing is copied at destruction.
    void Discard() { m_hDestDC = NULL; }

private:
    CXTPBufferDC(const CXTPBufferDC&);
    CXTPBufferDC& operator=(const CXTPBufferDC&);

    HDC m_hDestDC;
    CBitmap m_bitmap;
    CRect m_rect;
    HGDIOBJ m_hOldBitmap;
};

// Selects a bitmap into a DC for the scope.
class CXTPBitmapDC
{
public:
    CXTPBitmapDC(CDC* pDC, CBitmap* pBitmap);
    CXTPBitmapDC(CDC* pDC, HBITMAP hBitmap);
    virtual ~CXTPBitmapDC();

private:
    CXTPBitmapDC(const CXTPBitmapDC&);
    CXTPBitmapDC& operator=(const CXTPBitmapDC&);

    HDC m_hDC;
    HGDIOBJ m_hOldBitmap;
};

// Selects fonts (and a text colour) for the scope; the font and colour found
// before the first change are restored.
class CXTPFontDC
{
public:
    CXTPFontDC(CDC* pDC, CFont* pFont = NULL);
    CXTPFontDC(CDC* pDC, CFont* pFont, COLORREF clrTextColor);
    virtual ~CXTPFontDC();

    void SetFont(CFont* pFont);
    void SetColor(COLORREF clrTextColor);
    void ReleaseFont();
    void ReleaseColor();

private:
    CXTPFontDC(const CXTPFontDC&);
    CXTPFontDC& operator=(const CXTPFontDC&);

    CDC* m_pDC;
    HFONT m_hOldFont;       // null = none saved
    COLORREF m_clrOldTextColor;  // -1 = none saved
};

// A solid one-pixel pen of a colour, selected for the scope.
class CXTPPenDC
{
public:
    CXTPPenDC(HDC hDC, COLORREF clrColor);
    virtual ~CXTPPenDC();

    // Replaces the pen's colour.
    void Color(COLORREF clrColor);
    COLORREF Color();

private:
    CXTPPenDC(const CXTPPenDC&);
    CXTPPenDC& operator=(const CXTPPenDC&);

    CPen m_pen;
    HDC m_hDC;
    HGDIOBJ m_hOldPen;
};

// A solid brush of a colour, selected for the scope.
class CXTPBrushDC
{
public:
    CXTPBrushDC(HDC hDC, COLORREF clrColor);
    virtual ~CXTPBrushDC();

    void Color(COLORREF clrColor);

private:
    CXTPBrushDC(const CXTPBrushDC&);
    CXTPBrushDC& operator=(const CXTPBrushDC&);

    CBrush m_brush;
    HDC m_hDC;
    HGDIOBJ m_hOldBrush;
};

// A memory DC compatible with a DC (the screen for null) with a bitmap
// selected; the bitmap is selected back out and the DC deleted at destruction.
class CXTPCompatibleDC : public CDC
{
public:
    CXTPCompatibleDC(CDC* pDC, CBitmap* pBitmap);
    CXTPCompatibleDC(CDC* pDC, HBITMAP hBitmap);
    virtual ~CXTPCompatibleDC();

private:
    CXTPCompatibleDC(const CXTPCompatibleDC&);
    CXTPCompatibleDC& operator=(const CXTPCompatibleDC&);
    void Init(CDC* pDC, HBITMAP hBitmap);

    HGDIOBJ m_hOldBitmap;
};
