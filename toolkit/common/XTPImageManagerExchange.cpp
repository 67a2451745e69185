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

// Reads one DIB block. The stored header is checked before use and at most
// stride x height bytes are copied into the section made from it.
HBITMAP ReadDIB(CArchive& ar)
{
    DWORD nHeaderSize = (DWORD)ar.ReadCount();
    if (nHeaderSize == 0)
        return NULL;
    if (nHeaderSize > g_nMaxDibHeader)
        AfxThrowArchiveException(CArchiveException::badIndex);

    // Room for the largest colour table, so the system never reads past it.
    BYTE headerBuffer[sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD)];
    ZeroMemory(headerBuffer, sizeof(headerBuffer));
    if (ar.Read(headerBuffer, nHeaderSize) != nHeaderSize)
        AfxThrowArchiveException(CArchiveException::endOfFile);

    DWORD nPixelSize = (DWORD)ar.ReadCount();
    if (nPixelSize > g_nMaxDibPixels)
        AfxThrowArchiveException(CArchiveException::badIndex);
    std::unique_ptr<BYTE[]> pixels(ar.ReadNewBuffer(nPixelSize));
    if (nPixelSize == 0 || nHeaderSize < sizeof(BITMAPINFOHEADER))
        return NULL;

    BITMAPINFO* pbmi = (BITMAPINFO*)headerBuffer;
    BITMAPINFOHEADER& bih = pbmi->bmiHeader;
    BOOL bValid = bih.biSize >= sizeof(BITMAPINFOHEADER) && bih.biSize <= nHeaderSize && bih.biPlanes == 1 &&
                  bih.biWidth > 0 && bih.biWidth <= g_nMaxDibSize && bih.biHeight != 0 &&
                  std::abs((int)bih.biHeight) <= g_nMaxDibSize;
    if (bValid)
    {
        switch (bih.biBitCount)
        {
        case 1: case 4: case 8: case 24: bValid = bih.biCompression == BI_RGB; break;
        case 16: case 32:
            bValid = bih.biCompression == BI_RGB ||
                     (bih.biCompression == BI_BITFIELDS && nHeaderSize >= sizeof(BITMAPINFOHEADER) + 12);
            break;
        default: bValid = FALSE; break;
        }
    }
    if (bValid && bih.biBitCount <= 8)
    {
        DWORD nMaxColors = 1u << bih.biBitCount;
        bValid = bih.biClrUsed <= nMaxColors;
    }
    if (bValid && bih.biSize != sizeof(BITMAPINFOHEADER))
        bValid = FALSE;  // only the plain header form is written

    HBITMAP hBitmap = NULL;
    if (bValid)
    {
        DWORD nStride = (DWORD)(((bih.biWidth * bih.biBitCount + 31) / 32) * 4);
        DWORD nNeeded = nStride * (DWORD)std::abs((int)bih.biHeight);
        if (bih.biSizeImage == 0)
            bih.biSizeImage = nPixelSize;
        DWORD nCopy = std::min(std::min(nPixelSize, (DWORD)bih.biSizeImage), nNeeded);
        bih.biSizeImage = nNeeded;

        LPVOID pBits = NULL;
        hBitmap = ::CreateDIBSection(NULL, pbmi, DIB_RGB_COLORS, &pBits, NULL, 0);
        if (hBitmap != NULL && pBits != NULL)
        {
            memcpy(pBits, pixels.get(), nCopy);
        }
        else if (hBitmap != NULL)
        {
            ::DeleteObject(hBitmap);
            hBitmap = NULL;
        }
    }
    return hBitmap;
}
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

    hIcon.Clear();
    HBITMAP hColor = ReadDIB(ar);
    HBITMAP hMask = NULL;
    try
    {
        hMask = ReadDIB(ar);
    }
    catch (...)
    {
        if (hColor != NULL)
            ::DeleteObject(hColor);
        throw;
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

    DWORD nHeight = 0, nVersion = 0;
    ar >> nHeight;
    ar >> nVersion;

    for (int i = 0; i < imageCount; i++)
        m_arrImages[i].Clear();

    SerializeImage(m_arrImages[imageNormal], ar);
    SerializeImage(m_arrImages[imageDisabled], ar);
    SerializeImage(m_arrImages[imageHot], ar);
    if (nVersion > 7)
        SerializeImage(m_arrImages[imageChecked], ar);
    if (nVersion > 16)
        SerializeImage(m_arrImages[imagePressed], ar);

    // The stored height is the icon's (a 16 x 15 toolbar glyph may come in
    // a 16 x 16 picture); only a stream without one takes the picture's.
    m_nHeight = (int)nHeight;
    if (m_nHeight <= 0 && !m_arrImages[imageNormal].IsEmpty())
    {
        CSize sz = m_arrImages[imageNormal].GetExtent();
        if (sz.cx > 0 && sz.cy > 0)
            m_nHeight = sz.cy;
    }
}

//////////////////////////////////////////////////////////////////////////
// Property exchange of the image manager

void CXTPImageManager::DoPropExchangeIconSet(UINT nCommand, CXTPPropExchange* pPX)
{
    if (nCommand > m_nCustomID)
        m_nCustomID = nCommand;

    if (pPX->IsStoring())
    {
        CString strCheckSum = "CXTPImageManagerIcons";
        PropExchangeStringWithDefault(pPX, "CheckSum", strCheckSum, "CXTPImageManagerIcons");

        CXTPImageManagerIconSet* pIconSet = GetIconSet(nCommand);
        CXTPPropExchangeEnumeratorPtr pEnumerator(pPX->CreateEnumerator("Icon"));
        DWORD nCount = pIconSet != NULL ? (DWORD)pIconSet->m_mapIcons.GetCount() : 0;
        POSITION posEnum = pEnumerator->GetPosition(nCount);
        if (pIconSet == NULL)
            return;

        POSITION pos = pIconSet->m_mapIcons.GetStartPosition();
        while (pos != NULL && posEnum != NULL)
        {
            UINT nWidth = 0;
            CXTPImageManagerIcon* pIcon = NULL;
            pIconSet->m_mapIcons.GetNextAssoc(pos, nWidth, pIcon);

            CXTPPropExchangeSection secIcon(pEnumerator->GetNext(posEnum));
            long lWidth = (long)nWidth;
            PropExchangeLong(secIcon, "Width", lWidth);
            PropExchangeSerialize(secIcon, "Data", pIcon);
        }
        return;
    }

    CString strCheckSum;
    PropExchangeStringWithDefault(pPX, "CheckSum", strCheckSum, "CXTPImageManagerIcons");
    if (strCheckSum != "CXTPImageManagerIcons")
        AfxThrowArchiveException(CArchiveException::badClass);

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

    CXTPPropExchangeEnumeratorPtr pEnumerator(pPX->CreateEnumerator("Icon"));
    POSITION posEnum = pEnumerator->GetPosition(0);
    DWORD nIcons = 0;
    while (posEnum != NULL)
    {
        // A count read from a store is bounded before it drives any work.
        if (++nIcons > g_nMaxIconsInSet)
            AfxThrowArchiveException(CArchiveException::badIndex);

        // A stored count may promise more icons than were stored: loading
        // ends at the first one that is not there.
        CXTPPropExchangeSection secIcon(pEnumerator->GetNext(posEnum));
        long lWidth = 16;
        if (!PropExchangeLong(secIcon, "Width", lWidth))
            break;

        CXTPImageManagerIcon* pIcon = new CXTPImageManagerIcon(nCommand, (int)lWidth, 15, pIconSet);
        try
        {
            PropExchangeSerialize(secIcon, "Data", pIcon);
        }
        catch (...)
        {
            pIcon->InternalRelease();
            throw;
        }

        CXTPImageManagerIcon* pOld = NULL;
        if (pIconSet->m_mapIcons.Lookup((UINT)lWidth, pOld) && pOld != NULL)
            pOld->InternalRelease();
        pIconSet->m_mapIcons.SetAt((UINT)lWidth, pIcon);
    }
}

void CXTPImageManager::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPPropExchangeEnumeratorPtr pEnumerator(pPX->CreateEnumerator("IconSet"));

    if (pPX->IsStoring())
    {
        POSITION posEnum = pEnumerator->GetPosition((DWORD)m_mapImages.GetCount());
        POSITION pos = m_mapImages.GetStartPosition();
        while (pos != NULL && posEnum != NULL)
        {
            UINT nCommand = 0;
            CXTPImageManagerIconSet* pIconSet = NULL;
            m_mapImages.GetNextAssoc(pos, nCommand, pIconSet);

            CXTPPropExchangeSection secIconSet(pEnumerator->GetNext(posEnum));
            long lId = (long)nCommand;
            PropExchangeLong(secIconSet, "Id", lId);
            DoPropExchangeIconSet(nCommand, secIconSet);
        }
        return;
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
