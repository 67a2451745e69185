// PNG loader: decodes a PNG file or resource with libpng into a 32-bit
// top-down DIB section (blue, green, red, alpha; colours not premultiplied).
#pragma once

#include "XTPCommon.h"

class CXTPGraphicBitmapPng : public CBitmap
{
public:
    // Images larger than this in either direction, or whose decoded 32-bit
    // pixels would take more than MaxPixelBytes (far more than any toolbar
    // or theme picture), are refused before any pixel memory is allocated.
    enum { MaxDimension = 16384, MaxPixelBytes = 64 * 1024 * 1024 };

    CXTPGraphicBitmapPng();
    virtual ~CXTPGraphicBitmapPng() {}

    BOOL LoadFromFile(LPCTSTR lpszFileName);
    BOOL LoadFromResource(HMODULE hModule, HRSRC hRes);
    // Decodes from any file object positioned at the start of the image.
    BOOL LoadFromStream(CFile* pFile);

    // TRUE when the decoded image had four channels.
    BOOL IsAlpha() const { return m_bAlpha; }

    // TRUE when the bytes start with the PNG signature.
    static BOOL AFX_CDECL IsPngSignature(const void* pData, size_t nSize);

protected:
    BOOL m_bAlpha;
};
