// PNG loader on libpng. libpng reports errors with longjmp; no C++ exception
// ever passes through libpng's frames: the read callback catches the file's
// exceptions and turns them into png_error.
#include "XTPPngLoader.h"
#include <png.h>
#include <setjmp.h>

namespace
{
struct CPngSource
{
    CFile* pFile;
};

void PNGCBAPI PngReadData(png_structp png_ptr, png_bytep data, size_t length)
{
    CPngSource* pSource = (CPngSource*)png_get_io_ptr(png_ptr);
    UINT nRead = 0;
    BOOL bFailed = FALSE;
    try
    {
        nRead = pSource->pFile->Read(data, (UINT)length);
    }
    catch (CException* e)
    {
        e->Delete();
        bFailed = TRUE;
    }
    catch (...)
    {
        bFailed = TRUE;
    }
    if (bFailed || nRead < length)
        png_error(png_ptr, "unexpected end of PNG data");
}

void PNGCBAPI PngError(png_structp png_ptr, png_const_charp lpszMessage)
{
    TRACE("PNG refused: %s\n", lpszMessage != NULL ? lpszMessage : "");
    png_longjmp(png_ptr, 1);
}

void PNGCBAPI PngWarning(png_structp, png_const_charp)
{
}

// What the decoder hands back; kept in memory that the longjmp cannot lose.
struct CPngImage
{
    BYTE* pPixels;
    png_bytep* ppRows;
    png_uint_32 nWidth;
    png_uint_32 nHeight;
    size_t nRowBytes;
    int nChannels;
};

// Decodes the stream after the 8 signature bytes. Returns FALSE on any
// error; on success pImage->pPixels holds the decoded rows (malloc).
BOOL DecodePng(png_structp png_ptr, png_infop info_ptr, CPngImage* volatile pImage)
{
    if (setjmp(png_jmpbuf(png_ptr)))
    {
        free(pImage->ppRows);
        pImage->ppRows = NULL;
        free(pImage->pPixels);
        pImage->pPixels = NULL;
        return FALSE;
    }

    png_set_user_limits(png_ptr, CXTPGraphicBitmapPng::MaxDimension, CXTPGraphicBitmapPng::MaxDimension);
    png_set_sig_bytes(png_ptr, 8);
    png_read_info(png_ptr, info_ptr);

    png_uint_32 width = 0, height = 0;
    int bit_depth = 0, color_type = 0;
    png_get_IHDR(png_ptr, info_ptr, &width, &height, &bit_depth, &color_type, NULL, NULL, NULL);
    if ((unsigned long long)width * height * 4 > CXTPGraphicBitmapPng::MaxPixelBytes)
        png_error(png_ptr, "PNG image too large");

    if (bit_depth == 16)
        png_set_strip_16(png_ptr);
    if (color_type == PNG_COLOR_TYPE_PALETTE || bit_depth < 8 || png_get_valid(png_ptr, info_ptr, PNG_INFO_tRNS))
        png_set_expand(png_ptr);
    if (color_type == PNG_COLOR_TYPE_GRAY || color_type == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png_ptr);

    png_color_16p pBackground = NULL;
    if (png_get_bKGD(png_ptr, info_ptr, &pBackground) && pBackground != NULL)
        png_set_background(png_ptr, pBackground, PNG_BACKGROUND_GAMMA_FILE, 1, 1.0);

    double dGamma = 0.0;
    if (png_get_gAMA(png_ptr, info_ptr, &dGamma))
        png_set_gamma(png_ptr, 2.2, dGamma);

    png_set_interlace_handling(png_ptr);
    png_read_update_info(png_ptr, info_ptr);
    png_get_IHDR(png_ptr, info_ptr, &width, &height, &bit_depth, &color_type, NULL, NULL, NULL);

    size_t nRowBytes = png_get_rowbytes(png_ptr, info_ptr);
    int nChannels = png_get_channels(png_ptr, info_ptr);
    if (width == 0 || height == 0 || width > CXTPGraphicBitmapPng::MaxDimension ||
        height > CXTPGraphicBitmapPng::MaxDimension || (nChannels != 3 && nChannels != 4) || bit_depth != 8 ||
        nRowBytes < (size_t)width * nChannels)
        png_error(png_ptr, "unsupported PNG layout");

    // width and height are at most 16384, so the product fits in 64 bits.
    unsigned long long nTotal = (unsigned long long)nRowBytes * height;
    if (nTotal > CXTPGraphicBitmapPng::MaxPixelBytes)
        png_error(png_ptr, "PNG image too large");

    pImage->pPixels = (BYTE*)malloc((size_t)nTotal);
    pImage->ppRows = (png_bytep*)malloc(sizeof(png_bytep) * height);
    if (pImage->pPixels == NULL || pImage->ppRows == NULL)
        png_error(png_ptr, "out of memory");

    for (png_uint_32 y = 0; y < height; y++)
        pImage->ppRows[y] = pImage->pPixels + (size_t)y * nRowBytes;

    png_read_image(png_ptr, pImage->ppRows);
    png_read_end(png_ptr, NULL);

    free(pImage->ppRows);
    pImage->ppRows = NULL;

    pImage->nWidth = width;
    pImage->nHeight = height;
    pImage->nRowBytes = nRowBytes;
    pImage->nChannels = nChannels;
    return TRUE;
}
}

CXTPGraphicBitmapPng::CXTPGraphicBitmapPng()
    : m_bAlpha(FALSE)
{
}

BOOL AFX_CDECL CXTPGraphicBitmapPng::IsPngSignature(const void* pData, size_t nSize)
{
    return pData != NULL && nSize >= 8 && png_sig_cmp((png_const_bytep)pData, 0, 8) == 0;
}

BOOL CXTPGraphicBitmapPng::LoadFromFile(LPCTSTR lpszFileName)
{
    m_bAlpha = FALSE;
    DeleteObject();

    if (lpszFileName == NULL)
        return FALSE;

    CFile file;
    if (!file.Open(lpszFileName, CFile::modeRead | CFile::shareDenyWrite))
        return FALSE;

    BOOL bResult = LoadFromStream(&file);
    file.Abort();
    return bResult;
}

BOOL CXTPGraphicBitmapPng::LoadFromResource(HMODULE hModule, HRSRC hRes)
{
    m_bAlpha = FALSE;
    DeleteObject();

    if (hRes == NULL)
        return FALSE;

    HGLOBAL hGlobal = ::LoadResource(hModule, hRes);
    if (hGlobal == NULL)
        return FALSE;
    LPVOID pData = ::LockResource(hGlobal);
    DWORD dwSize = ::SizeofResource(hModule, hRes);
    if (pData == NULL || dwSize < 10)
        return FALSE;

    CMemFile file((BYTE*)pData, dwSize);
    BOOL bResult = LoadFromStream(&file);
    file.Detach();
    return bResult;
}

BOOL CXTPGraphicBitmapPng::LoadFromStream(CFile* pFile)
{
    m_bAlpha = FALSE;
    DeleteObject();
    if (pFile == NULL)
        return FALSE;

    BYTE signature[8];
    UINT nRead = 0;
    try
    {
        nRead = pFile->Read(signature, 8);
    }
    catch (CException* e)
    {
        e->Delete();
        return FALSE;
    }
    if (nRead != 8 || !IsPngSignature(signature, 8))
        return FALSE;

    png_structp png_ptr = png_create_read_struct(PNG_LIBPNG_VER_STRING, NULL, PngError, PngWarning);
    if (png_ptr == NULL)
        return FALSE;
    png_infop info_ptr = png_create_info_struct(png_ptr);
    if (info_ptr == NULL)
    {
        png_destroy_read_struct(&png_ptr, NULL, NULL);
        return FALSE;
    }

    CPngSource source = { pFile };
    png_set_read_fn(png_ptr, &source, PngReadData);

    CPngImage image;
    ZeroMemory(&image, sizeof(image));
    BOOL bDecoded = DecodePng(png_ptr, info_ptr, &image);
    png_destroy_read_struct(&png_ptr, &info_ptr, NULL);

    if (!bDecoded || image.pPixels == NULL)
        return FALSE;

    BITMAPINFO bmi;
    ZeroMemory(&bmi, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = (LONG)image.nWidth;
    bmi.bmiHeader.biHeight = -(LONG)image.nHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;

    BYTE* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, (void**)&pBits, NULL, 0);
    if (hBitmap == NULL || pBits == NULL)
    {
        if (hBitmap != NULL)
            ::DeleteObject(hBitmap);
        free(image.pPixels);
        return FALSE;
    }

    for (png_uint_32 y = 0; y < image.nHeight; y++)
    {
        const BYTE* pSrc = image.pPixels + (size_t)y * image.nRowBytes;
        BYTE* pDest = pBits + (size_t)y * image.nWidth * 4;
        for (png_uint_32 x = 0; x < image.nWidth; x++)
        {
            pDest[0] = pSrc[2];
            pDest[1] = pSrc[1];
            pDest[2] = pSrc[0];
            pDest[3] = image.nChannels == 4 ? pSrc[3] : 0;
            pSrc += image.nChannels;
            pDest += 4;
        }
    }
    free(image.pPixels);

    Attach(hBitmap);
    m_bAlpha = image.nChannels == 4;
    return TRUE;
}
