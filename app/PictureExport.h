// Pictures of the board as files: a bitmap of the display's format turned
// into a packed device-independent picture (header, colour table, rows last
// row first), written behind a BMP file header or compressed as a JPEG.
#pragma once

#include <afxwin.h>

// Picture kinds of the export commands.
enum GamePictureKind
{
    gpkBitmap = 0,
    gpkJpeg = 1
};

// Writes a bitmap to a file of one picture type; one object per write.
class CImageMaker
{
public:
    virtual ~CImageMaker() {}
    // TRUE when the whole file was written; on failure no file is left.
    virtual BOOL MakeImage(CBitmap* pBitmap, const char* pszPath) = 0;
    // What went wrong in the last MakeImage (empty after success).
    const CString& GetError() const { return m_strError; }

protected:
    CString m_strError;
};

class CImageMaker_Bitmap : public CImageMaker
{
public:
    virtual BOOL MakeImage(CBitmap* pBitmap, const char* pszPath);
};

class CImageMaker_JPEG : public CImageMaker
{
public:
    virtual BOOL MakeImage(CBitmap* pBitmap, const char* pszPath);
};

// The packed picture of a bitmap in global memory (the caller frees it with
// GlobalFree): a 40-byte header with a positive height, the colour table of
// 1, 4 and 8-bit pictures, then the rows padded to 4 bytes, last row first.
// NULL when the bitmap cannot be read or memory runs out. The bitmap must
// not be selected into a DC.
HGLOBAL AFXAPI CreatePackedDib(CBitmap* pBitmap, DWORD dwCompression);
// The size in bytes of a packed picture: header, table and pixel rows.
DWORD AFXAPI GetPackedDibSize(const BITMAPINFOHEADER* pHeader);

// Writes a BMP file: the 14-byte file header, then the packed picture. FALSE
// when the file cannot be opened or written; a partly written file is removed.
BOOL AFXAPI WriteBmpFile(LPCTSTR lpszPath, HGLOBAL hPackedDib);

// Compresses the packed picture into a JPEG file (RGB, quality 75, baseline).
// FALSE with a message on any failure ("Invalid input data", "Cannot open
// <path>", "Invalid bitmap bit count", or the compressor's own message); no
// partial file is left behind.
BOOL AFXAPI WriteJpegFile(CString& strMessage, HGLOBAL hPackedDib, LPCTSTR lpszPath);

// Fills one RGB row of three bytes a pixel per picture row, top row first,
// from a packed picture of 1, 4, 8, 16, 24 or 32 bits per pixel. FALSE with a
// message for no picture, a stride too small for the width or another depth.
BOOL AFXAPI ConvertDibRows(CString& strMessage, BYTE** ppRows, const BITMAPINFOHEADER* pHeader, int nStride);

// A 5-5-5 pixel as blue, green, red and 0; each 5-bit channel is widened
// through a table in which 1 gives 16 and 31 gives 255.
RGBQUAD AFXAPI ExpandRgb555(WORD wPixel);
