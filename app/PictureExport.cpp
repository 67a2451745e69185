// Pictures of the board as BMP and JPEG files.
#include "PictureExport.h"


#include <setjmp.h>
#include <stdio.h>
#include <string.h>

#include <jerror.h>
#include <jpeglib.h>

namespace
{
// Colour-table entries of a depth: 2^bits up to 8 bits, none above.
int ColourTableEntries(int nBits)
{
    return nBits <= 8 ? (1 << nBits) : 0;
}

// Bytes of one stored row, padded to 4.
DWORD StoredRowBytes(LONG lWidth, int nBits)
{
    return (DWORD)((((DWORD)lWidth * (DWORD)nBits) + 31) & ~31u) / 8;
}

// ----- Row conversion (plain C, so the JPEG writer may call it between
// setjmp and longjmp)

// NULL when the rows were filled, else the reason.
const char* FillRgbRows(BYTE** ppRows, const BITMAPINFOHEADER* pHeader, int nStride)
{
    if (pHeader == NULL || ppRows == NULL || nStride < 1)
        return "Invalid input data";
    const int nBits = pHeader->biBitCount;
    int nEntries;
    switch (nBits)
    {
    case 1:
        nEntries = 2;
        break;
    case 4:
        nEntries = 16;
        break;
    case 8:
        nEntries = 256;
        break;
    case 16:
    case 24:
    case 32:
        nEntries = 0;
        break;
    default:
        return "Invalid bitmap bit count";
    }
    const LONG lWidth = pHeader->biWidth;
    const LONG lHeight = pHeader->biHeight;
    if (lWidth <= 0 || lHeight <= 0 || (LONGLONG)nStride < (LONGLONG)lWidth * 3)
        return "Invalid input data";

    const RGBQUAD* pTable = (const RGBQUAD*)((const BYTE*)pHeader + pHeader->biSize);
    const BYTE* pPixels = (const BYTE*)(pTable + nEntries);
    const DWORD dwRowBytes = StoredRowBytes(lWidth, nBits);

    for (LONG r = 0; r < lHeight; r++)
    {
        const BYTE* pSource = pPixels + (size_t)(lHeight - 1 - r) * dwRowBytes;
        BYTE* pTarget = ppRows[r];
        for (LONG x = 0; x < lWidth; x++, pTarget += 3)
        {
            BYTE red, green, blue;
            if (nBits <= 8)
            {
                int nIndex;
                if (nBits == 1)
                    nIndex = (pSource[x / 8] >> (7 - x % 8)) & 1;
                else if (nBits == 4)
                    nIndex = (x % 2 == 0) ? (pSource[x / 2] >> 4) : (pSource[x / 2] & 15);
                else
                    nIndex = pSource[x];
                red = pTable[nIndex].rgbRed;
                green = pTable[nIndex].rgbGreen;
                blue = pTable[nIndex].rgbBlue;
            }
            else if (nBits == 16)
            {
                WORD wPixel = (WORD)(pSource[2 * x] | (pSource[2 * x + 1] << 8));
                RGBQUAD quad = ExpandRgb555(wPixel);
                red = quad.rgbRed;
                green = quad.rgbGreen;
                blue = quad.rgbBlue;
            }
            else
            {
                const BYTE* p = pSource + x * (nBits / 8);
                blue = p[0];
                green = p[1];
                red = p[2];
            }
            pTarget[0] = red;
            pTarget[1] = green;
            pTarget[2] = blue;
        }
    }
    return NULL;
}

// ----- libjpeg with an error manager that jumps back instead of ending
// the process

struct JpegErrorManager
{
    jpeg_error_mgr mgr;
    jmp_buf jump;
    char szMessage[JMSG_LENGTH_MAX];
};

extern "C" void JpegErrorExit(j_common_ptr pInfo)
{
    JpegErrorManager* pError = (JpegErrorManager*)pInfo->err;
    (*pInfo->err->format_message)(pInfo, pError->szMessage);
    longjmp(pError->jump, 1);
}

extern "C" void JpegIgnoreMessage(j_common_ptr)
{
    // Warnings and trace messages are not shown (the default prints them).
}

// Compresses the picture into the open file. TRUE when done; else the reason
// is in pszMessage. Only plain C objects live between setjmp and longjmp.
BOOL CompressPicture(FILE* pFile, const BITMAPINFOHEADER* pHeader, char* pszMessage, size_t cchMessage)
{
    jpeg_compress_struct info;
    JpegErrorManager error;
    memset(&info, 0, sizeof(info));
    memset(&error, 0, sizeof(error));
    info.err = jpeg_std_error(&error.mgr);
    error.mgr.error_exit = JpegErrorExit;
    error.mgr.output_message = JpegIgnoreMessage;
    if (setjmp(error.jump) != 0)
    {
        jpeg_destroy_compress(&info);
        snprintf(pszMessage, cchMessage, "%s", error.szMessage);
        return FALSE;
    }

    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, pFile);
    info.image_width = (JDIMENSION)pHeader->biWidth;
    info.image_height = (JDIMENSION)pHeader->biHeight;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 75, TRUE);
    jpeg_start_compress(&info, TRUE);

    const int nStride = (int)pHeader->biWidth * 3;
    JSAMPARRAY ppRows = (*info.mem->alloc_sarray)((j_common_ptr)&info, JPOOL_IMAGE, (JDIMENSION)nStride,
                                                  (JDIMENSION)pHeader->biHeight);
    const char* pszConvert = FillRgbRows(ppRows, pHeader, nStride);
    if (pszConvert != NULL)
    {
        // Nothing is written: the compressor is dropped without finishing.
        jpeg_destroy_compress(&info);
        snprintf(pszMessage, cchMessage, "%s", pszConvert);
        return FALSE;
    }
    while (info.next_scanline < info.image_height)
        jpeg_write_scanlines(&info, ppRows + info.next_scanline, info.image_height - info.next_scanline);
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return TRUE;
}

// A file that was started but not finished is of no use to the player.
void RemovePartialFile(LPCTSTR lpszPath)
{
    if (!::DeleteFileA(lpszPath))
        TRACE("picture export: partial file %s not removed (error %lu)", lpszPath, ::GetLastError());
}
} // namespace

// ---------------------------------------------------------------------------

RGBQUAD AFXAPI ExpandRgb555(WORD wPixel)
{
    static BYTE s_table[32];
    if (s_table[31] == 0)
    {
        s_table[0] = 0;
        s_table[1] = 16;
        for (int i = 2; i <= 30; i++)
            s_table[i] = (BYTE)(8 * i);
        s_table[31] = 255;
    }
    RGBQUAD quad;
    quad.rgbBlue = s_table[wPixel & 31];
    quad.rgbGreen = s_table[(wPixel >> 5) & 31];
    quad.rgbRed = s_table[(wPixel >> 10) & 31];
    quad.rgbReserved = 0;
    return quad;
}

DWORD AFXAPI GetPackedDibSize(const BITMAPINFOHEADER* pHeader)
{
    if (pHeader == NULL)
        return 0;
    DWORD dwImage = pHeader->biSizeImage;
    if (dwImage == 0)
        dwImage = StoredRowBytes(pHeader->biWidth, pHeader->biBitCount) * (DWORD)pHeader->biHeight;
    return pHeader->biSize + (DWORD)ColourTableEntries(pHeader->biBitCount) * sizeof(RGBQUAD) + dwImage;
}

HGLOBAL AFXAPI CreatePackedDib(CBitmap* pBitmap, DWORD dwCompression)
{
    BITMAP bm;
    if (pBitmap == NULL || pBitmap->GetSafeHandle() == NULL || pBitmap->GetBitmap(&bm) == 0)
        return NULL;

    HDC hScreen = ::GetDC(NULL);
    HPALETTE hOldPalette = ::SelectPalette(hScreen, (HPALETTE)::GetStockObject(DEFAULT_PALETTE), FALSE);
    ::RealizePalette(hScreen);
    auto finish = [&](HGLOBAL hResult) {
        ::SelectPalette(hScreen, hOldPalette, FALSE);
        ::ReleaseDC(NULL, hScreen);
        return hResult;
    };

    BITMAPINFOHEADER header;
    ZeroMemory(&header, sizeof(header));
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = bm.bmWidth;
    header.biHeight = bm.bmHeight;
    header.biPlanes = 1;
    header.biBitCount = (WORD)(bm.bmPlanes * bm.bmBitsPixel);
    header.biCompression = dwCompression;
    const DWORD dwTable = (DWORD)ColourTableEntries(header.biBitCount) * sizeof(RGBQUAD);

    HGLOBAL hDib = ::GlobalAlloc(GMEM_MOVEABLE, header.biSize + dwTable);
    if (hDib == NULL)
        return finish(NULL);
    BITMAPINFOHEADER* pHeader = (BITMAPINFOHEADER*)::GlobalLock(hDib);
    *pHeader = header;
    // The driver fills in the image size.
    ::GetDIBits(hScreen, (HBITMAP)pBitmap->GetSafeHandle(), 0, (UINT)header.biHeight, NULL, (LPBITMAPINFO)pHeader,
                DIB_RGB_COLORS);
    header = *pHeader;
    ::GlobalUnlock(hDib);
    if (header.biSizeImage == 0)
    {
        header.biSizeImage = StoredRowBytes(header.biWidth, header.biBitCount) * (DWORD)header.biHeight;
        if (dwCompression != BI_RGB)
            header.biSizeImage = header.biSizeImage * 3 / 2;
    }

    HGLOBAL hGrown = ::GlobalReAlloc(hDib, header.biSize + dwTable + header.biSizeImage, GMEM_MOVEABLE);
    if (hGrown == NULL)
    {
        ::GlobalFree(hDib);
        return finish(NULL);
    }
    hDib = hGrown;
    pHeader = (BITMAPINFOHEADER*)::GlobalLock(hDib);
    *pHeader = header;
    int nLines = ::GetDIBits(hScreen, (HBITMAP)pBitmap->GetSafeHandle(), 0, (UINT)header.biHeight,
                             (BYTE*)pHeader + header.biSize + dwTable, (LPBITMAPINFO)pHeader, DIB_RGB_COLORS);
    ::GlobalUnlock(hDib);
    if (nLines == 0)
    {
        TRACE("picture export: the bitmap's bits could not be read");
        ::GlobalFree(hDib);
        return finish(NULL);
    }
    return finish(hDib);
}

BOOL AFXAPI WriteBmpFile(LPCTSTR lpszPath, HGLOBAL hPackedDib)
{
    if (lpszPath == NULL || *lpszPath == '\0' || hPackedDib == NULL)
        return FALSE;
    const BITMAPINFOHEADER* pHeader = (const BITMAPINFOHEADER*)::GlobalLock(hPackedDib);
    if (pHeader == NULL)
        return FALSE;
    const DWORD dwPacked = GetPackedDibSize(pHeader);

    BITMAPFILEHEADER fileHeader;
    fileHeader.bfType = 0x4D42;   // "BM"
    fileHeader.bfSize = dwPacked + sizeof(BITMAPFILEHEADER);
    fileHeader.bfReserved1 = 0;
    fileHeader.bfReserved2 = 0;
    fileHeader.bfOffBits = sizeof(BITMAPFILEHEADER) + pHeader->biSize +
                           (DWORD)ColourTableEntries(pHeader->biBitCount) * sizeof(RGBQUAD);

    BOOL bWritten = FALSE;
    CFile file;
    CFileException fileError;
    if (file.Open(lpszPath, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive, &fileError))
    {
        try
        {
            file.Write(&fileHeader, sizeof(fileHeader));
            file.Write(pHeader, dwPacked);
            file.Close();
            bWritten = TRUE;
        }
        catch (CException* e)
        {
            char szCause[256] = "";
            e->GetErrorMessage(szCause, sizeof(szCause));
            TRACE("picture export: writing %s failed: %s", lpszPath, szCause);
            e->Delete();
            file.Abort();
            RemovePartialFile(lpszPath);
        }
    }
    else
        TRACE("picture export: cannot open %s (cause %d)", lpszPath, fileError.m_cause);
    ::GlobalUnlock(hPackedDib);
    return bWritten;
}

BOOL AFXAPI ConvertDibRows(CString& strMessage, BYTE** ppRows, const BITMAPINFOHEADER* pHeader, int nStride)
{
    const char* pszError = FillRgbRows(ppRows, pHeader, nStride);
    if (pszError != NULL)
    {
        strMessage = pszError;
        return FALSE;
    }
    return TRUE;
}

BOOL AFXAPI WriteJpegFile(CString& strMessage, HGLOBAL hPackedDib, LPCTSTR lpszPath)
{
    if (hPackedDib == NULL || lpszPath == NULL || *lpszPath == '\0')
    {
        strMessage = "Invalid input data";
        return FALSE;
    }
    strMessage.Empty();
    const BITMAPINFOHEADER* pHeader = (const BITMAPINFOHEADER*)::GlobalLock(hPackedDib);
    if (pHeader == NULL)
    {
        strMessage = "Invalid input data";
        return FALSE;
    }

    FILE* pFile = fopen(lpszPath, "wb");
    if (pFile == NULL)
    {
        strMessage = CString("Cannot open ") + lpszPath;
        ::GlobalUnlock(hPackedDib);
        return FALSE;
    }
    char szMessage[JMSG_LENGTH_MAX] = "";
    BOOL bDone = CompressPicture(pFile, pHeader, szMessage, sizeof(szMessage));
    ::GlobalUnlock(hPackedDib);
    if (fclose(pFile) != 0 && bDone)
    {
        bDone = FALSE;
        snprintf(szMessage, sizeof(szMessage), "Cannot write %s", lpszPath);
    }
    if (!bDone)
    {
        strMessage = szMessage;
        RemovePartialFile(lpszPath);
        TRACE("picture export: %s", szMessage);
    }
    return bDone;
}

// ---------------------------------------------------------------------------

BOOL CImageMaker_Bitmap::MakeImage(CBitmap* pBitmap, const char* pszPath)
{
    m_strError.Empty();
    HGLOBAL hDib = CreatePackedDib(pBitmap, BI_RGB);
    if (hDib == NULL)
    {
        m_strError = "Invalid input data";
        return FALSE;
    }
    BOOL bWritten = WriteBmpFile(pszPath, hDib);
    ::GlobalFree(hDib);
    if (!bWritten)
        m_strError = CString("Cannot write ") + pszPath;
    return bWritten;
}

BOOL CImageMaker_JPEG::MakeImage(CBitmap* pBitmap, const char* pszPath)
{
    m_strError.Empty();
    HGLOBAL hDib = CreatePackedDib(pBitmap, BI_RGB);
    CString strPath = pszPath;
    BOOL bWritten = WriteJpegFile(m_strError, hDib, strPath);
    if (hDib != NULL)
        ::GlobalFree(hDib);
    return bWritten;
}
