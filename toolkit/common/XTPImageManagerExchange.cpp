// Icon exchange: saving and loading icon sets through property exchange, the
// binary form of icons and images, and the clipboard transfer.
#include "XTPImageManager.h"

#include <memory>
#include "XTPPropExchange.h"
#include <afxclip.h>
#include <commctrl.h>
#include <algorithm>

namespace
{
// Limits for data read back from a store or the clipboard.
const DWORD g_nMaxDibHeader = sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD);
const DWORD g_nMaxDibPixels = 64u * 1024u * 1024u;
const LONG g_nMaxDibSize = 4096;
const DWORD g_nMaxIconsInSet = 1024;
const DWORD g_nMaxIconSets = 65536;

void WriteDIB(CArchive& ar, HBITMAP hBitmap)
{
    BITMAP bm;
    if (hBitmap == NULL || ::GetObjectA(hBitmap, sizeof(bm), &bm) == 0 || bm.bmWidth <= 0 || bm.bmHeight == 0)
    {
        ar.WriteCount(0);
        return;
    }

    BYTE* pHeader = NULL;
    BYTE* pBits = NULL;
    DWORD nHeaderSize = 0, nPixelSize = 0;
    BOOL bReady = FALSE;
    try
    {
        int nBitCount = bm.bmBitsPixel * bm.bmPlanes;
        int nColors = nBitCount == 4 ? 16 : (nBitCount == 8 ? 256 : 3);
        nHeaderSize = sizeof(BITMAPINFOHEADER) + nColors * sizeof(RGBQUAD);
        pHeader = (BYTE*)calloc(1, nHeaderSize);
        if (pHeader == NULL)
            AfxThrowMemoryException();

        BITMAPINFOHEADER* pbih = (BITMAPINFOHEADER*)pHeader;
        pbih->biSize = sizeof(BITMAPINFOHEADER);
        pbih->biWidth = bm.bmWidth;
        pbih->biHeight = std::abs((int)bm.bmHeight);
        pbih->biPlanes = 1;
        pbih->biBitCount = (WORD)nBitCount;
        pbih->biCompression = BI_RGB;

        HDC hDC = ::GetDC(NULL);
        ::GetDIBits(hDC, hBitmap, 0, pbih->biHeight, NULL, (BITMAPINFO*)pHeader, DIB_RGB_COLORS);
        pbih->biCompression = BI_RGB;
        DWORD nStride = (DWORD)(((bm.bmWidth * nBitCount + 31) / 32) * 4);
        DWORD nNeeded = nStride * (DWORD)pbih->biHeight;
        nPixelSize = pbih->biSizeImage != 0 ? pbih->biSizeImage : (DWORD)bm.bmWidth * pbih->biHeight * 4;
        nPixelSize = std::max(nPixelSize, nNeeded);
        pbih->biSizeImage = nPixelSize;
        pBits = (BYTE*)calloc(1, nPixelSize);
        int nLines = 0;
        if (pBits != NULL)
            nLines = ::GetDIBits(hDC, hBitmap, 0, pbih->biHeight, pBits, (BITMAPINFO*)pHeader, DIB_RGB_COLORS);
        ::ReleaseDC(NULL, hDC);
        if (pBits == NULL)
            AfxThrowMemoryException();
        bReady = nLines == pbih->biHeight;
    }
    catch (CException* e)
    {
        e->Delete();
        bReady = FALSE;
    }

    if (bReady)
    {
        ar.WriteCount(nHeaderSize);
        ar.Write(pHeader, nHeaderSize);
        ar.WriteCount(nPixelSize);
        ar.Write(pBits, nPixelSize);
    }
    else
    {
        ar.WriteCount(0);
    }
    free(pHeader);
    free(pBits);
}

// The header size WriteDIB stores: the header and room for its colour table.
DWORD StoredHeaderSize(WORD nBitCount)
{
    int nColors = nBitCount == 4 ? 16 : (nBitCount == 8 ? 256 : 3);
    return (DWORD)(sizeof(BITMAPINFOHEADER) + nColors * sizeof(RGBQUAD));
}

// TRUE for a header WriteDIB could have stored in a block of nHeaderSize
// bytes: the plain form, a size the section can be made at, a known depth.
BOOL IsSoundHeader(const BITMAPINFOHEADER& bih, DWORD nHeaderSize)
{
    if (bih.biSize != sizeof(BITMAPINFOHEADER) || nHeaderSize != StoredHeaderSize(bih.biBitCount) ||
        bih.biPlanes != 1 || bih.biWidth <= 0 || bih.biWidth > g_nMaxDibSize || bih.biHeight == 0 ||
        std::abs((int)bih.biHeight) > g_nMaxDibSize)
        return FALSE;
    switch (bih.biBitCount)
    {
    case 1: case 4: case 8: case 24:
        return bih.biCompression == BI_RGB && (bih.biBitCount > 8 || bih.biClrUsed <= (1u << bih.biBitCount));
    case 16: case 32:
        return bih.biCompression == BI_RGB || bih.biCompression == BI_BITFIELDS;
    default:
        return FALSE;
    }
}

DWORD NeededPixelSize(const BITMAPINFOHEADER& bih)
{
    DWORD nStride = (DWORD)(((bih.biWidth * bih.biBitCount + 31) / 32) * 4);
    return nStride * (DWORD)std::abs((int)bih.biHeight);
}

// TRUE for a pixel size WriteDIB stores with this header: the rows as
// GetDIBits returns them, the header's own image size, or 4 bytes a pixel.
BOOL IsStoredPixelSize(const BITMAPINFOHEADER& bih, DWORD nPixelSize)
{
    DWORD nNeeded = NeededPixelSize(bih);
    return nPixelSize <= g_nMaxDibPixels &&
           (nPixelSize == nNeeded || (nPixelSize == bih.biSizeImage && nPixelSize >= nNeeded) ||
            nPixelSize == (DWORD)bih.biWidth * (DWORD)std::abs((int)bih.biHeight) * 4);
}

// Where a stored DIB block lies, worked out before any of it is read.
struct CDibFrame
{
    BOOL bEmpty;            // a count of 0: no bitmap
    UINT nCountBytes;       // the stored header size: 2 bytes, or 6 with the long form
    DWORD nHeaderSize;
    UINT nPixelCountBytes;
    DWORD nPixelSize;
    BOOL bDamaged;          // a count or the header did not agree with the rest
};

// The bytes ahead of an archive's reading place, without consuming them.
class CLookAhead
{
public:
    CLookAhead(CArchive& ar, UINT nWanted)
    {
        ar.FillBuffer(nWanted);
        m_pData = ar.m_lpBufCur;
        m_nAvail = (UINT)(ar.m_lpBufMax - ar.m_lpBufCur);
    }
    BOOL Word(UINT nOffset, WORD& w) const
    {
        if (nOffset + 2 > m_nAvail)
            return FALSE;
        w = (WORD)(m_pData[nOffset] | (m_pData[nOffset + 1] << 8));
        return TRUE;
    }
    BOOL Dword(UINT nOffset, DWORD& dw) const
    {
        if (nOffset + 4 > m_nAvail)
            return FALSE;
        memcpy(&dw, m_pData + nOffset, 4);
        return TRUE;
    }
    // A count in the archive's compact form; nBytes is 2 or 6.
    BOOL Count(UINT nOffset, DWORD& dwCount, UINT& nBytes) const
    {
        WORD w = 0;
        if (!Word(nOffset, w))
            return FALSE;
        if (w != 0xFFFF)
        {
            dwCount = w;
            nBytes = 2;
            return TRUE;
        }
        nBytes = 6;
        return Dword(nOffset + 2, dwCount);
    }
    BOOL Header(UINT nOffset, BITMAPINFOHEADER& bih) const
    {
        if (nOffset + sizeof(BITMAPINFOHEADER) > m_nAvail)
            return FALSE;
        memcpy(&bih, m_pData + nOffset, sizeof(BITMAPINFOHEADER));
        return TRUE;
    }
    UINT GetAvailable() const { return m_nAvail; }
    const BYTE* GetData() const { return m_pData; }

private:
    const BYTE* m_pData;
    UINT m_nAvail;
};

// Frames the DIB block that starts nOffset bytes ahead. Each block repeats
// its layout: the header size follows from the header's depth and the pixel
// size from its width and height. A block whose counts agree with its header
// is whole; when one of them disagrees, the other gives the block's end and
// the block is damaged. FALSE when neither can be trusted.
BOOL FrameDIBBlock(CArchive& ar, UINT nOffset, CDibFrame& frame)
{
    ZeroMemory(&frame, sizeof(frame));
    CLookAhead ahead(ar, nOffset + 6 + g_nMaxDibHeader + 6);
    DWORD nStated = 0;
    UINT nStatedBytes = 0;
    if (!ahead.Count(nOffset, nStated, nStatedBytes))
        return FALSE;
    if (nStated == 0)
    {
        frame.bEmpty = TRUE;
        frame.nCountBytes = nStatedBytes;
        return TRUE;
    }

    // The block as its counts state it.
    BITMAPINFOHEADER bih;
    DWORD nPixels = 0;
    UINT nPixelBytes = 0;
    if (nStated >= sizeof(BITMAPINFOHEADER) && nStated <= g_nMaxDibHeader &&
        ahead.Header(nOffset + nStatedBytes, bih) && IsSoundHeader(bih, nStated) &&
        ahead.Count(nOffset + nStatedBytes + nStated, nPixels, nPixelBytes) && IsStoredPixelSize(bih, nPixels))
    {
        frame.nCountBytes = nStatedBytes;
        frame.nHeaderSize = nStated;
        frame.nPixelCountBytes = nPixelBytes;
        frame.nPixelSize = nPixels;
        return TRUE;
    }

    frame.bDamaged = TRUE;
    // A sound header right after a short count: the header gives its own
    // size, and the pixel size when the stored one disagrees with it.
    if (ahead.Header(nOffset + 2, bih) && IsSoundHeader(bih, StoredHeaderSize(bih.biBitCount)))
    {
        frame.nCountBytes = 2;
        frame.nHeaderSize = StoredHeaderSize(bih.biBitCount);
        if (ahead.Count(nOffset + 2 + frame.nHeaderSize, nPixels, nPixelBytes) && IsStoredPixelSize(bih, nPixels))
        {
            frame.nPixelCountBytes = nPixelBytes;
            frame.nPixelSize = nPixels;
            return TRUE;
        }
        // The header's own size wins over the stated one, unless the data
        // ends before it and the stated one fits.
        DWORD nNeeded = NeededPixelSize(bih);
        frame.nPixelSize = bih.biSizeImage >= nNeeded && bih.biSizeImage <= g_nMaxDibPixels ? bih.biSizeImage
                                                                                            : nNeeded;
        BOOL bStatedRead = ahead.Count(nOffset + 2 + frame.nHeaderSize, nPixels, nPixelBytes);
        frame.nPixelCountBytes = bStatedRead ? nPixelBytes : (frame.nPixelSize < 0xFFFF ? 2 : 6);
        ULONGLONG nLeft = 0;
        if (bStatedRead && ar.GetBytesLeft(nLeft))
        {
            ULONGLONG nBefore = (ULONGLONG)nOffset + 2 + frame.nHeaderSize + nPixelBytes;
            if (nBefore + frame.nPixelSize > nLeft && nBefore + nPixels <= nLeft)
                frame.nPixelSize = nPixels;
        }
        return TRUE;
    }
    // A header size WriteDIB writes, with a damaged header in it: the
    // stated sizes are all there is to go by.
    if (nStatedBytes == 2 &&
        (nStated == StoredHeaderSize(1) || nStated == StoredHeaderSize(4) || nStated == StoredHeaderSize(8)) &&
        ahead.Count(nOffset + 2 + nStated, nPixels, nPixelBytes) && nPixels <= g_nMaxDibPixels)
    {
        frame.nCountBytes = 2;
        frame.nHeaderSize = nStated;
        frame.nPixelCountBytes = nPixelBytes;
        frame.nPixelSize = nPixels;
        return TRUE;
    }
    return FALSE;
}

void SkipBytes(CArchive& ar, ULONGLONG nBytes)
{
    ar.CheckCount(nBytes);
    BYTE buffer[4096];
    while (nBytes > 0)
    {
        UINT nStep = (UINT)std::min(nBytes, (ULONGLONG)sizeof(buffer));
        ar.EnsureRead(buffer, nStep);
        nBytes -= nStep;
    }
}

// Reads one DIB block. A block that cannot be framed throws; a damaged one
// is passed over (bDamaged set) and gives no bitmap, so the reading stays in
// step with what follows it.
HBITMAP ReadDIB(CArchive& ar, BOOL& bDamaged)
{
    CDibFrame frame;
    if (!FrameDIBBlock(ar, 0, frame))
        AfxThrowArchiveException(CArchiveException::badIndex);
    if (frame.bEmpty)
    {
        SkipBytes(ar, frame.nCountBytes);
        return NULL;
    }

    // Room for the largest colour table, so the system never reads past it.
    BYTE headerBuffer[sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD)];
    ZeroMemory(headerBuffer, sizeof(headerBuffer));
    SkipBytes(ar, frame.nCountBytes);
    ar.EnsureRead(headerBuffer, frame.nHeaderSize);
    SkipBytes(ar, frame.nPixelCountBytes);
    if (frame.bDamaged)
    {
        bDamaged = TRUE;
        SkipBytes(ar, frame.nPixelSize);
        return NULL;
    }
    std::unique_ptr<BYTE[]> pixels(ar.ReadNewBuffer(frame.nPixelSize));

    BITMAPINFO* pbmi = (BITMAPINFO*)headerBuffer;
    BITMAPINFOHEADER& bih = pbmi->bmiHeader;
    DWORD nNeeded = NeededPixelSize(bih);
    if (bih.biSizeImage == 0)
        bih.biSizeImage = frame.nPixelSize;
    DWORD nCopy = std::min(std::min(frame.nPixelSize, (DWORD)bih.biSizeImage), nNeeded);
    bih.biSizeImage = nNeeded;

    LPVOID pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, pbmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    if (hBitmap != NULL && pBits != NULL)
    {
        memcpy(pBits, pixels.get(), nCopy);
    }
    else if (hBitmap != NULL)
    {
        ::DeleteObject(hBitmap);
        hBitmap = NULL;
    }
    return hBitmap;
}

// The image form: colour (or alpha) block, then mask block. A damaged block
// drops the whole image.
void ReadImage(CArchive& ar, CXTPImageManagerIconHandle& hIcon, BOOL& bDamaged)
{
    hIcon.Clear();
    BOOL bBlockDamaged = FALSE;
    HBITMAP hColor = ReadDIB(ar, bBlockDamaged);
    HBITMAP hMask = NULL;
    try
    {
        hMask = ReadDIB(ar, bBlockDamaged);
    }
    catch (...)
    {
        if (hColor != NULL)
            ::DeleteObject(hColor);
        throw;
    }
    if (bBlockDamaged)
    {
        bDamaged = TRUE;
        if (hColor != NULL)
            ::DeleteObject(hColor);
        if (hMask != NULL)
            ::DeleteObject(hMask);
        return;
    }

    if (hColor == NULL)
    {
        if (hMask != NULL)
            ::DeleteObject(hMask);
        return;
    }
    if (hMask == NULL)
    {
        hIcon.AttachBitmap(hColor);
        return;
    }

    BITMAP bm;
    ::GetObjectA(hColor, sizeof(bm), &bm);
    HIMAGELIST hImageList = ImageList_Create(bm.bmWidth, std::abs((int)bm.bmHeight), ILC_COLOR24 | ILC_MASK, 1, 1);
    if (hImageList != NULL)
    {
        if (ImageList_Add(hImageList, hColor, hMask) >= 0)
        {
            HICON hNew = ImageList_GetIcon(hImageList, 0, ILD_NORMAL);
            if (hNew != NULL)
                hIcon.AttachIcon(hNew);
        }
        ImageList_Destroy(hImageList);
    }
    ::DeleteObject(hColor);
    ::DeleteObject(hMask);
}

// The images of one icon's stored form in their stored order: normal,
// disabled, hot, and by version checked and pressed.
const int g_arrStoredImages[] = {CXTPImageManagerIcon::imageNormal, CXTPImageManagerIcon::imageDisabled,
                                 CXTPImageManagerIcon::imageHot, CXTPImageManagerIcon::imageChecked,
                                 CXTPImageManagerIcon::imagePressed};

int StoredImageCount(DWORD nVersion)
{
    return nVersion > 16 ? 5 : (nVersion > 7 ? 4 : 3);
}

const char g_szIconsCheckSum[] = "CXTPImageManagerIcons";
}

//////////////////////////////////////////////////////////////////////////
// Binary form of icons and images

void AFX_CDECL CXTPImageManagerIcon::SerializeImage(CXTPImageManagerIconHandle& hIcon, CArchive& ar)
{
    if (ar.IsStoring())
    {
        if (hIcon.IsEmpty())
        {
            ar.WriteCount(0);
            ar.WriteCount(0);
        }
        else if (hIcon.IsAlpha())
        {
            WriteDIB(ar, hIcon.GetBitmap());
            ar.WriteCount(0);
        }
        else
        {
            ICONINFO info;
            ZeroMemory(&info, sizeof(info));
            ::GetIconInfo(hIcon.GetIcon(), &info);
            try
            {
                WriteDIB(ar, info.hbmColor);
                WriteDIB(ar, info.hbmMask);
            }
            catch (...)
            {
                if (info.hbmColor != NULL)
                    ::DeleteObject(info.hbmColor);
                if (info.hbmMask != NULL)
                    ::DeleteObject(info.hbmMask);
                throw;
            }
            if (info.hbmColor != NULL)
                ::DeleteObject(info.hbmColor);
            if (info.hbmMask != NULL)
                ::DeleteObject(info.hbmMask);
        }
        return;
    }

    // A damaged image comes back empty; the caller learns of it.
    BOOL bDamaged = FALSE;
    ReadImage(ar, hIcon, bDamaged);
    if (bDamaged)
        AfxThrowArchiveException(CArchiveException::badIndex);
}

void CXTPImageManagerIcon::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << (DWORD)m_nHeight;
        ar << (DWORD)20;
        SerializeImage(m_arrImages[imageNormal], ar);
        SerializeImage(m_arrImages[imageDisabled], ar);
        SerializeImage(m_arrImages[imageHot], ar);
        SerializeImage(m_arrImages[imageChecked], ar);
        SerializeImage(m_arrImages[imagePressed], ar);
        return;
    }

    // Every image is read, so that a damaged one leaves the archive in step
    // with what follows; the damage is reported afterwards.
    BOOL bDamaged = FALSE;
    LoadStoredForm(ar, bDamaged);
    if (bDamaged)
        AfxThrowArchiveException(CArchiveException::badIndex);
}

BOOL CXTPImageManagerIcon::LoadStoredForm(CArchive& ar, BOOL& bDamaged)
{
    DWORD nHeight = 0, nVersion = 0;
    ar >> nHeight;
    ar >> nVersion;

    for (int i = 0; i < imageCount; i++)
        m_arrImages[i].Clear();
    int nImages = StoredImageCount(nVersion);
    for (int i = 0; i < nImages; i++)
        ReadImage(ar, m_arrImages[g_arrStoredImages[i]], bDamaged);

    // The stored height is the icon's (a 16 x 15 toolbar glyph may come in
    // a 16 x 16 picture); only a stream without one takes the picture's.
    m_nHeight = (int)nHeight;
    if (m_nHeight <= 0 && !m_arrImages[imageNormal].IsEmpty())
    {
        CSize sz = m_arrImages[imageNormal].GetExtent();
        if (sz.cx > 0 && sz.cy > 0)
            m_nHeight = sz.cy;
    }
    // A size no image has is damage too.
    if (nHeight > (DWORD)g_nMaxDibSize || m_nWidth <= 0 || m_nWidth > g_nMaxDibSize)
        bDamaged = TRUE;
    // An icon is its normal image: without it the icon is of no use.
    return !m_arrImages[imageNormal].IsEmpty();
}

//////////////////////////////////////////////////////////////////////////
// Property exchange of the image manager

namespace
{
// TRUE when the bytes ahead can be the stored form of an icon: its width,
// height and version, then a normal image whose first block frames (or an
// empty one after sizes an icon can have).
BOOL IconStartsAhead(CArchive& ar)
{
    CLookAhead ahead(ar, 12);
    DWORD nWidth = 0, nHeight = 0, nVersion = 0;
    if (!ahead.Dword(0, nWidth) || !ahead.Dword(4, nHeight) || !ahead.Dword(8, nVersion))
        return FALSE;
    CDibFrame frame;
    if (!FrameDIBBlock(ar, 12, frame))
        return FALSE;
    if (!frame.bEmpty)
        return TRUE;
    CDibFrame mask;
    return nWidth >= 1 && nWidth <= (DWORD)g_nMaxDibSize && nHeight <= (DWORD)g_nMaxDibSize && nVersion >= 1 &&
           nVersion <= 0xFFFF && FrameDIBBlock(ar, 12 + frame.nCountBytes, mask);
}

// Reads the "CheckSum" of an icon set from an archive. One or two damaged
// bytes in it are damage (bDamaged), not another kind of data.
void ReadArchiveCheckSum(CArchive& ar, BOOL& bDamaged)
{
    const UINT nLength = (UINT)sizeof(g_szIconsCheckSum) - 1;
    BYTE expected[1 + sizeof(g_szIconsCheckSum)];
    expected[0] = (BYTE)nLength;
    memcpy(expected + 1, g_szIconsCheckSum, nLength);
    CLookAhead ahead(ar, nLength + 1);
    if (ahead.GetAvailable() >= nLength + 1)
    {
        int nDiffering = 0;
        for (UINT i = 0; i <= nLength; i++)
            nDiffering += ahead.GetData()[i] != expected[i] ? 1 : 0;
        if (nDiffering <= 2)
        {
            if (nDiffering > 0)
            {
                TRACE("CXTPImageManager: the check text of a stored icon set is damaged\n");
                bDamaged = TRUE;
            }
            SkipBytes(ar, nLength + 1);
            return;
        }
    }
    CString strCheckSum;
    ar >> strCheckSum;
    if (strCheckSum != g_szIconsCheckSum)
        AfxThrowArchiveException(CArchiveException::badClass);
}
}

BOOL CXTPImageManager::LoadIconSetFromArchive(CXTPImageManagerIconSet* pIconSet, CArchive& ar)
{
    BOOL bWhole = TRUE;
    // The number of icons: a count no set holds (the long form among them)
    // is damaged, and the icons that follow are counted instead.
    WORD wCount = 0;
    ar >> wCount;
    BOOL bCountKnown = wCount != 0xFFFF && wCount <= g_nMaxIconsInSet;
    if (!bCountKnown)
    {
        TRACE("CXTPImageManager: the stored icon count %u of command %u is damaged\n", (UINT)wCount,
              pIconSet->GetID());
        bWhole = FALSE;
    }

    for (DWORD i = 0;; i++)
    {
        BOOL bExpected = bCountKnown && i < wCount;
        if (!IconStartsAhead(ar))
        {
            // A count larger than the icons stored.
            if (bExpected)
                bWhole = FALSE;
            break;
        }
        if (!bExpected)
        {
            bWhole = FALSE;
            // Reading cannot stop here and stay in step with what follows.
            if (i >= g_nMaxIconsInSet)
                AfxThrowArchiveException(CArchiveException::badIndex);
        }

        LONG lWidth = 0;
        ar >> lWidth;
        CXTPImageManagerIcon* pIcon = new CXTPImageManagerIcon(pIconSet->GetID(), (int)lWidth, 15, pIconSet);
        BOOL bDamaged = FALSE;
        try
        {
            pIcon->LoadStoredForm(ar, bDamaged);
        }
        catch (...)
        {
            pIcon->InternalRelease();
            throw;
        }
        if (bDamaged)
        {
            // The damaged image goes; the reading goes on after it.
            TRACE("CXTPImageManager: a damaged stored image of command %u (width %ld) is dropped\n",
                  pIconSet->GetID(), (long)lWidth);
            pIcon->InternalRelease();
            bWhole = FALSE;
            continue;
        }
        pIconSet->SetIcon((UINT)lWidth, pIcon);
    }
    return bWhole;
}

BOOL CXTPImageManager::DoPropExchangeIconSet(UINT nCommand, CXTPPropExchange* pPX)
{
    if (nCommand > m_nCustomID)
        m_nCustomID = nCommand;

    if (pPX->IsStoring())
    {
        CString strCheckSum = "CXTPImageManagerIcons";
        PropExchangeStringWithDefault(pPX, "CheckSum", strCheckSum, "CXTPImageManagerIcons");

        CXTPImageManagerIconSet* pIconSet = GetIconSet(nCommand);
        BOOL bStored = TRUE;
        CXTPPropExchangeEnumeratorPtr pEnumerator(pPX->CreateEnumerator("Icon"));
        DWORD nCount = pIconSet != NULL ? (DWORD)pIconSet->m_mapIcons.GetCount() : 0;
        POSITION posEnum = pEnumerator->GetPosition(nCount);
        if (pIconSet == NULL)
            return TRUE;

        POSITION pos = pIconSet->m_mapIcons.GetStartPosition();
        while (pos != NULL && posEnum != NULL)
        {
            UINT nWidth = 0;
            CXTPImageManagerIcon* pIcon = NULL;
            pIconSet->m_mapIcons.GetNextAssoc(pos, nWidth, pIcon);

            CXTPPropExchangeSection secIcon(pEnumerator->GetNext(posEnum));
            long lWidth = (long)nWidth;
            // An image a store cannot take whole (an INI line holds at most
            // 16,000 bytes of it) is not stored, and the save says so.
            if (!PropExchangeLong(secIcon, "Width", lWidth) || !PropExchangeSerialize(secIcon, "Data", pIcon))
            {
                TRACE("CXTPImageManager: the %ld-pixel image of command %u cannot be stored\n", lWidth, nCommand);
                bStored = FALSE;
            }
        }
        return bStored;
    }

    // In an archive the icons follow each other with nothing between them:
    // a damaged one is framed by its own layout and passed over.
    CXTPPropExchangeArchive* pArchivePX = dynamic_cast<CXTPPropExchangeArchive*>(pPX);
    BOOL bWhole = TRUE;
    if (pArchivePX != NULL)
    {
        BOOL bDamaged = FALSE;
        ReadArchiveCheckSum(pArchivePX->GetArchive(), bDamaged);
        bWhole = !bDamaged;
    }
    else
    {
        CString strCheckSum;
        PropExchangeStringWithDefault(pPX, "CheckSum", strCheckSum, "CXTPImageManagerIcons");
        if (strCheckSum != g_szIconsCheckSum)
            AfxThrowArchiveException(CArchiveException::badClass);
    }

    CXTPImageManagerIconSet* pIconSet = GetIconSet(nCommand);
    if (pIconSet != NULL)
    {
        pIconSet->RemoveAll();
    }
    else
    {
        pIconSet = new CXTPImageManagerIconSet(nCommand, this);
        m_mapImages.SetAt(nCommand, pIconSet);
    }

    if (pArchivePX != NULL)
    {
        if (!LoadIconSetFromArchive(pIconSet, pArchivePX->GetArchive()))
            bWhole = FALSE;
    }
    else
    {
        CXTPPropExchangeEnumeratorPtr pEnumerator(pPX->CreateEnumerator("Icon"));
        POSITION posEnum = pEnumerator->GetPosition(0);
        DWORD nIcons = 0;
        while (posEnum != NULL)
        {
            // A count read from a store is bounded before it drives any work.
            if (++nIcons > g_nMaxIconsInSet)
            {
                bWhole = FALSE;
                break;
            }

            // A stored count may promise more icons than were stored: loading
            // ends at the first one that is not there.
            CXTPPropExchangeSection secIcon(pEnumerator->GetNext(posEnum));
            long lWidth = 16;
            if (!PropExchangeLong(secIcon, "Width", lWidth))
                break;

            // Each icon is a block of its own here: a damaged one is dropped.
            CXTPImageManagerIcon* pIcon = new CXTPImageManagerIcon(nCommand, (int)lWidth, 15, pIconSet);
            BOOL bLoaded = FALSE;
            try
            {
                bLoaded = lWidth > 0 && lWidth <= g_nMaxDibSize && PropExchangeSerialize(secIcon, "Data", pIcon);
            }
            catch (CArchiveException* e)
            {
                e->Delete();
            }
            catch (CFileException* e)
            {
                e->Delete();
            }
            catch (...)
            {
                pIcon->InternalRelease();
                throw;
            }
            if (!bLoaded)
            {
                TRACE("CXTPImageManager: a damaged stored image of command %u is dropped\n", nCommand);
                pIcon->InternalRelease();
                bWhole = FALSE;
                continue;
            }

            pIconSet->SetIcon((UINT)lWidth, pIcon);
        }
    }

    // A damaged set that kept no icon is no set at all: the command shows
    // its own image again.
    if (!bWhole && pIconSet->m_mapIcons.GetCount() == 0)
    {
        m_mapImages.RemoveKey(nCommand);
        pIconSet->InternalRelease();
    }
    return bWhole;
}

BOOL CXTPImageManager::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPPropExchangeEnumeratorPtr pEnumerator(pPX->CreateEnumerator("IconSet"));

    if (pPX->IsStoring())
    {
        BOOL bStored = TRUE;
        POSITION posEnum = pEnumerator->GetPosition((DWORD)m_mapImages.GetCount());
        POSITION pos = m_mapImages.GetStartPosition();
        while (pos != NULL && posEnum != NULL)
        {
            UINT nCommand = 0;
            CXTPImageManagerIconSet* pIconSet = NULL;
            m_mapImages.GetNextAssoc(pos, nCommand, pIconSet);

            CXTPPropExchangeSection secIconSet(pEnumerator->GetNext(posEnum));
            long lId = (long)nCommand;
            if (!PropExchangeLong(secIconSet, "Id", lId) || !DoPropExchangeIconSet(nCommand, secIconSet))
                bStored = FALSE;
        }
        return bStored;
    }

    RemoveAll();
    POSITION posEnum = pEnumerator->GetPosition(0);
    DWORD nSets = 0;
    while (posEnum != NULL)
    {
        if (++nSets > g_nMaxIconSets)
            AfxThrowArchiveException(CArchiveException::badIndex);

        // Loading ends at the first set that is not there, whatever the
        // stored count promised.
        CXTPPropExchangeSection secIconSet(pEnumerator->GetNext(posEnum));
        long lId = 0;
        if (!PropExchangeLong(secIconSet, "Id", lId))
            break;
        DoPropExchangeIconSet((UINT)lId, secIconSet);
    }
    return TRUE;
}

void CXTPImageManager::Serialize(CArchive& ar)
{
    CXTPPropExchangeArchive px(ar);
    DoPropExchange(&px);
}

//////////////////////////////////////////////////////////////////////////
// Clipboard

BOOL CXTPImageManager::CopyImage(UINT nCommand)
{
    HGLOBAL hGlobal = NULL;
    try
    {
        CMemFile file(1024);
        CArchive ar(&file, CArchive::store, 4096);
        {
            CXTPPropExchangeArchive px(ar);
            DoPropExchangeIconSet(nCommand, &px);
        }
        ar.Flush();

        DWORD nLength = (DWORD)file.GetLength();
        BYTE* pData = file.Detach();
        hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, std::max(nLength, (DWORD)1));
        void* pDest = hGlobal != NULL ? ::GlobalLock(hGlobal) : NULL;
        if (pDest != NULL)
        {
            memcpy(pDest, pData, nLength);
            ::GlobalUnlock(hGlobal);
        }
        else if (hGlobal != NULL)
        {
            ::GlobalFree(hGlobal);
            hGlobal = NULL;
        }
        free(pData);
        ar.Abort();
    }
    catch (CException* e)
    {
        e->Delete();
        if (hGlobal != NULL)
            ::GlobalFree(hGlobal);
        return FALSE;
    }

    if (hGlobal == NULL)
        return FALSE;
    if (::SetClipboardData(GetImageClipFormat(), hGlobal) == NULL)
    {
        ::GlobalFree(hGlobal);
        return FALSE;
    }
    return TRUE;
}

UINT CXTPImageManager::PasteCustomImage(COleDataObject* pData)
{
    if (pData == NULL)
        return 0;
    HGLOBAL hGlobal = NULL;
    try
    {
        hGlobal = pData->GetGlobalData((CLIPFORMAT)GetImageClipFormat());
    }
    catch (CException* e)
    {
        e->Delete();
        return 0;
    }
    if (hGlobal == NULL)
        return 0;
    UINT nID = PasteCustomImage(hGlobal);
    ::GlobalFree(hGlobal);
    return nID;
}

UINT CXTPImageManager::PasteCustomImage(HGLOBAL hGlobal)
{
    if (hGlobal == NULL)
        return 0;

    SIZE_T nSize = ::GlobalSize(hGlobal);
    const BYTE* pSrc = (const BYTE*)::GlobalLock(hGlobal);
    if (pSrc == NULL)
        return 0;

    // Read from a private copy: the block belongs to the clipboard's owner.
    BYTE* pCopy = (BYTE*)malloc(nSize != 0 ? nSize : 1);
    if (pCopy != NULL)
        memcpy(pCopy, pSrc, nSize);
    ::GlobalUnlock(hGlobal);
    if (pCopy == NULL)
        return 0;

    UINT nID = m_nCustomID + 1;
    BOOL bLoaded = FALSE;
    try
    {
        CMemFile file(pCopy, (UINT)nSize, 0);
        CArchive ar(&file, CArchive::load, 4096);
        m_nCustomID = nID;
        {
            CXTPPropExchangeArchive px(ar);
            DoPropExchangeIconSet(nID, &px);
        }
        ar.Abort();
        file.Detach();
        bLoaded = TRUE;
    }
    catch (CException* e)
    {
        TRACE_EXCEPTION("Pasting an image", e);
        e->Delete();
    }
    catch (...)
    {
        TRACE_EXCEPTION("Pasting an image", NULL);
    }
    free(pCopy);

    // A failed paste, or one without a single usable image, leaves no icon set behind.
    CXTPImageManagerIconSet* pIconSet = GetIconSet(nID);
    BOOL bUsable = FALSE;
    if (bLoaded && pIconSet != NULL)
    {
        POSITION pos = pIconSet->m_mapIcons.GetStartPosition();
        while (pos != NULL && !bUsable)
        {
            UINT nWidth = 0;
            CXTPImageManagerIcon* pIcon = NULL;
            pIconSet->m_mapIcons.GetNextAssoc(pos, nWidth, pIcon);
            bUsable = pIcon != NULL && !pIcon->GetIcon().IsEmpty();
        }
    }
    if (!bUsable)
    {
        if (pIconSet != NULL)
        {
            m_mapImages.RemoveKey(nID);
            pIconSet->InternalRelease();
        }
        return 0;
    }
    return nID;
}
