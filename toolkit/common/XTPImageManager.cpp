// The image manager: icon sets by command id, strips from resources, files
// and image lists, and custom ids.
#include "XTPImageManager.h"
#include "XTPPngLoader.h"
#include "XTPSystemHelpers.h"
#include <commctrl.h>
#include <algorithm>
#include <climits>
#include <vector>

namespace
{
// Calls fn for every value of map that is not NULL.
template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE, class TFunc>
void ForEachMapValue(const CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>& map, TFunc fn)
{
    POSITION pos = map.GetStartPosition();
    while (pos != NULL)
    {
        KEY key = KEY();
        VALUE value = NULL;
        map.GetNextAssoc(pos, key, value);
        if (value != NULL)
            fn(value);
    }
}

// The largest BMP file (and picture side) the manager reads: far more than
// any toolbar or button picture.
const DWORD kMaxBmpFileSize = 64u * 1024u * 1024u;
const LONG kMaxBmpSide = 16384;

// TRUE when the bytes are a BMP file whose headers, colour table and pixel
// rows all lie within the file, with sane dimensions and an uncompressed
// (or bit-field) layout; the system's loader is given nothing else. *pbAlpha
// tells whether it has 32 bits a pixel.
BOOL IsSoundBmpFile(const BYTE* pData, DWORD nSize, BOOL* pbAlpha)
{
    *pbAlpha = FALSE;
    if (nSize < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPCOREHEADER) || pData[0] != 'B' || pData[1] != 'M')
        return FALSE;
    const BITMAPFILEHEADER* pFile = reinterpret_cast<const BITMAPFILEHEADER*>(pData);
    const BYTE* pInfo = pData + sizeof(BITMAPFILEHEADER);
    DWORD nInfoRoom = nSize - (DWORD)sizeof(BITMAPFILEHEADER);
    DWORD nHeaderSize = *reinterpret_cast<const DWORD*>(pInfo);
    if (nHeaderSize > nInfoRoom)
        return FALSE;

    LONG nWidth, nHeight;
    WORD nPlanes, nBitCount;
    DWORD nCompression = BI_RGB, nColorsUsed = 0, nColorEntrySize;
    if (nHeaderSize == sizeof(BITMAPCOREHEADER))
    {
        const BITMAPCOREHEADER* pCore = reinterpret_cast<const BITMAPCOREHEADER*>(pInfo);
        nWidth = pCore->bcWidth;
        nHeight = pCore->bcHeight;
        nPlanes = pCore->bcPlanes;
        nBitCount = pCore->bcBitCount;
        nColorEntrySize = sizeof(RGBTRIPLE);
    }
    else if (nHeaderSize >= sizeof(BITMAPINFOHEADER) && nHeaderSize <= 124)
    {
        const BITMAPINFOHEADER* pHeader = reinterpret_cast<const BITMAPINFOHEADER*>(pInfo);
        nWidth = pHeader->biWidth;
        nHeight = pHeader->biHeight;
        nPlanes = pHeader->biPlanes;
        nBitCount = pHeader->biBitCount;
        nCompression = pHeader->biCompression;
        nColorsUsed = pHeader->biClrUsed;
        nColorEntrySize = sizeof(RGBQUAD);
    }
    else
    {
        return FALSE;
    }
    if (nWidth <= 0 || nWidth > kMaxBmpSide || nHeight == 0 || nHeight < -kMaxBmpSide || nHeight > kMaxBmpSide ||
        nPlanes != 1)
        return FALSE;

    DWORD nExtra = 0;   // colour table or bit masks after the header
    switch (nBitCount)
    {
    case 1: case 4: case 8:
        if (nCompression != BI_RGB || nColorsUsed > (1u << nBitCount))
            return FALSE;
        nExtra = (nColorsUsed != 0 ? nColorsUsed : (1u << nBitCount)) * nColorEntrySize;
        break;
    case 24:
        if (nCompression != BI_RGB)
            return FALSE;
        break;
    case 16: case 32:
        if (nCompression == BI_BITFIELDS)
            nExtra = nHeaderSize == sizeof(BITMAPINFOHEADER) ? 3 * sizeof(DWORD) : 0;
        else if (nCompression != BI_RGB)
            return FALSE;
        break;
    default:
        return FALSE;
    }

    // Header, table, then the rows: all inside the file, in that order.
    DWORD nTableEnd = (DWORD)sizeof(BITMAPFILEHEADER) + nHeaderSize + nExtra;
    if (nTableEnd > nSize || pFile->bfOffBits < nTableEnd || pFile->bfOffBits >= nSize)
        return FALSE;
    ULONGLONG nStride = (((ULONGLONG)nWidth * nBitCount + 31) / 32) * 4;
    ULONGLONG nRows = (ULONGLONG)(nHeight < 0 ? -nHeight : nHeight);
    if (nStride * nRows > (ULONGLONG)(nSize - pFile->bfOffBits))
        return FALSE;
    *pbAlpha = nBitCount == 32;
    return TRUE;
}

// The bitmap of a BMP file that IsSoundBmpFile accepted, made as the
// system's file loader makes it: a DIB section of the file's own format for
// 32-bit pictures (bDibSection), otherwise a bitmap of the screen's format,
// or a monochrome one for a black-and-white 1-bit picture.
HBITMAP CreateBitmapFromBmpFile(const BYTE* pData, BOOL bDibSection)
{
    const BITMAPFILEHEADER* pFile = reinterpret_cast<const BITMAPFILEHEADER*>(pData);
    // The header and colour table (all that lies before the rows), copied to
    // aligned memory.
    if (pFile->bfOffBits < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPCOREHEADER) || pFile->bfOffBits > kMaxBmpFileSize)
        return NULL;
    const DWORD nInfoSize = pFile->bfOffBits - (DWORD)sizeof(BITMAPFILEHEADER);
    std::vector<DWORD> info((nInfoSize + sizeof(RGBQUAD) * 2 + 3) / 4, 0);
    memcpy(info.data(), pData + sizeof(BITMAPFILEHEADER), nInfoSize);
    const BITMAPINFO* pbmi = reinterpret_cast<const BITMAPINFO*>(info.data());
    const BYTE* pRows = pData + pFile->bfOffBits;

    LONG nWidth, nHeight;
    WORD nBitCount;
    BOOL bMonochrome = FALSE;
    if (pbmi->bmiHeader.biSize == sizeof(BITMAPCOREHEADER))
    {
        const BITMAPCOREINFO* pCore = reinterpret_cast<const BITMAPCOREINFO*>(pbmi);
        nWidth = pCore->bmciHeader.bcWidth;
        nHeight = pCore->bmciHeader.bcHeight;
        nBitCount = pCore->bmciHeader.bcBitCount;
        const RGBTRIPLE* pColors = pCore->bmciColors;
        bMonochrome = nBitCount == 1 && pColors[0].rgbtRed == 0 && pColors[0].rgbtGreen == 0 &&
                      pColors[0].rgbtBlue == 0 && pColors[1].rgbtRed == 0xFF && pColors[1].rgbtGreen == 0xFF &&
                      pColors[1].rgbtBlue == 0xFF;
    }
    else
    {
        nWidth = pbmi->bmiHeader.biWidth;
        nHeight = pbmi->bmiHeader.biHeight;
        nBitCount = pbmi->bmiHeader.biBitCount;
        const RGBQUAD* pColors = reinterpret_cast<const RGBQUAD*>(
            reinterpret_cast<const BYTE*>(pbmi) + pbmi->bmiHeader.biSize);
        bMonochrome = nBitCount == 1 && pbmi->bmiHeader.biClrUsed != 1 &&
                      (pColors[0].rgbRed | pColors[0].rgbGreen | pColors[0].rgbBlue) == 0 &&
                      (pColors[1].rgbRed & pColors[1].rgbGreen & pColors[1].rgbBlue) == 0xFF;
    }
    const LONG nRows = nHeight < 0 ? -nHeight : nHeight;

    HBITMAP hBitmap = NULL;
    if (bDibSection)
    {
        void* pBits = NULL;
        hBitmap = ::CreateDIBSection(NULL, pbmi, DIB_RGB_COLORS, &pBits, NULL, 0);
        if (hBitmap == NULL || pBits == NULL)
        {
            if (hBitmap != NULL)
                ::DeleteObject(hBitmap);
            return NULL;
        }
        // Same header, same layout: the rows are copied as they are.
        const size_t nStride = (((size_t)nWidth * nBitCount + 31) / 32) * 4;
        memcpy(pBits, pRows, nStride * (size_t)nRows);
        ::GdiFlush();
        return hBitmap;
    }

    HDC hScreenDC = ::GetDC(NULL);
    if (hScreenDC == NULL)
        return NULL;
    hBitmap = bMonochrome ? ::CreateBitmap(nWidth, nRows, 1, 1, NULL)
                          : ::CreateCompatibleBitmap(hScreenDC, nWidth, nRows);
    if (hBitmap != NULL && ::SetDIBits(hScreenDC, hBitmap, 0, (UINT)nRows, pRows, pbmi, DIB_RGB_COLORS) == 0)
    {
        ::DeleteObject(hBitmap);
        hBitmap = NULL;
    }
    ::ReleaseDC(NULL, hScreenDC);
    return hBitmap;
}

// Icon and cursor files: a 6-byte header (reserved 0, type 1 icon or 2
// cursor, count), count directory entries of 16 bytes, then the images.
const DWORD kMaxIconFileSize = 4u * 1024u * 1024u;
const int kIconDirHeader = 6;
const int kIconDirEntry = 16;

inline WORD IconWord(const BYTE* p)
{
    return (WORD)(p[0] | (p[1] << 8));
}

inline DWORD IconDword(const BYTE* p)
{
    return (DWORD)p[0] | ((DWORD)p[1] << 8) | ((DWORD)p[2] << 16) | ((DWORD)p[3] << 24);
}

// TRUE when nBytes at pImage hold one sound icon image: a PNG, or a
// BITMAPINFOHEADER of sane size, depth and layout followed by its colour
// table, its colour rows and (except at 32 bits, where it may be left out)
// its mask rows. *pnBitCount receives the depth (0 for a PNG).
BOOL IsSoundIconImage(const BYTE* pImage, DWORD nBytes, WORD* pnBitCount)
{
    *pnBitCount = 0;
    if (CXTPGraphicBitmapPng::IsPngSignature(pImage, nBytes))
        return nBytes >= 8 + 25;   // the signature and a whole IHDR chunk
    if (nBytes < sizeof(BITMAPINFOHEADER))
        return FALSE;
    const DWORD biSize = IconDword(pImage);
    const LONG cx = (LONG)IconDword(pImage + 4);
    const LONG cyBoth = (LONG)IconDword(pImage + 8);   // colour rows and mask rows
    const WORD nPlanes = IconWord(pImage + 12);
    const WORD nBitCount = IconWord(pImage + 14);
    const DWORD nCompression = IconDword(pImage + 16);
    const DWORD nColorsUsed = IconDword(pImage + 32);
    if (biSize != sizeof(BITMAPINFOHEADER) || cx <= 0 || cx > 256 || cyBoth < 2 || cyBoth > 512 || nPlanes != 1)
        return FALSE;
    DWORD nTable = 0;
    switch (nBitCount)
    {
    case 1: case 4: case 8:
        if (nCompression != BI_RGB || nColorsUsed > (1u << nBitCount))
            return FALSE;
        nTable = (nColorsUsed != 0 ? nColorsUsed : (1u << nBitCount)) * 4;
        break;
    case 16: case 24: case 32:
        if (nColorsUsed > 256 || (nCompression != BI_RGB && (nCompression != BI_BITFIELDS || nBitCount == 24)))
            return FALSE;
        nTable = nColorsUsed * 4 + (nCompression == BI_BITFIELDS ? 12 : 0);
        break;
    default:
        return FALSE;
    }
    const ULONGLONG cy = (ULONGLONG)(cyBoth / 2);
    const ULONGLONG nColorRows = (((ULONGLONG)cx * nBitCount + 31) / 32) * 4 * cy;
    const ULONGLONG nMaskRows = (((ULONGLONG)cx + 31) / 32) * 4 * cy;
    const ULONGLONG nNeeded = biSize + nTable + nColorRows + (nBitCount == 32 ? 0 : nMaskRows);
    if (nNeeded > nBytes)
        return FALSE;
    *pnBitCount = nBitCount;
    return TRUE;
}
} // namespace

//////////////////////////////////////////////////////////////////////////
// CXTPImageManagerIconSet

CXTPImageManagerIconSet::CXTPImageManagerIconSet(UINT nID, CXTPImageManager* pImageManager)
    : m_nID(nID), m_pImageManager(pImageManager)
{
}

CXTPImageManagerIconSet::~CXTPImageManagerIconSet()
{
    RemoveAll();
}

CXTPImageManagerIcon* CXTPImageManagerIconSet::GetIcon(UINT nWidth, BOOL bScaled)
{
    if (m_mapIcons.IsEmpty())
        return NULL;

    CXTPImageManagerIcon* pIcon = NULL;
    if (nWidth != 0 && nWidth != 1)
    {
        if (m_mapIcons.Lookup(nWidth, pIcon))
            return pIcon;
        if (!bScaled)
            return NULL;
    }

    CXTPImageManagerIcon* pChosen = NULL;
    UINT nBestKey = 0;
    int nBestDiff = INT_MAX;
    POSITION pos = m_mapIcons.GetStartPosition();
    while (pos != NULL)
    {
        UINT nKey = 0;
        m_mapIcons.GetNextAssoc(pos, nKey, pIcon);
        if (nWidth == 0)
        {
            if (pChosen == NULL || nKey < nBestKey)
            {
                pChosen = pIcon;
                nBestKey = nKey;
            }
        }
        else if (nWidth == 1)
        {
            if (pChosen == NULL || nKey > nBestKey)
            {
                pChosen = pIcon;
                nBestKey = nKey;
            }
        }
        else
        {
            int nDiff = std::abs((int)nKey - (int)nWidth);
            if (pChosen == NULL || nDiff < nBestDiff)
            {
                pChosen = pIcon;
                nBestDiff = nDiff;
            }
        }
    }
    return pChosen;
}

CXTPImageManagerIcon* CXTPImageManagerIconSet::CreateIcon(UINT nWidth)
{
    CXTPImageManagerIcon* pIcon = NULL;
    if (m_mapIcons.Lookup(nWidth, pIcon))
        return pIcon;

    pIcon = new CXTPImageManagerIcon(m_nID, (int)nWidth, 15, this);
    m_mapIcons.SetAt(nWidth, pIcon);
    return pIcon;
}

void CXTPImageManagerIconSet::SetIcon(UINT nWidth, CXTPImageManagerIcon* pIcon)
{
    CXTPImageManagerIcon* pOld = NULL;
    if (m_mapIcons.Lookup(nWidth, pOld) && pOld != NULL)
        pOld->InternalRelease();
    m_mapIcons.SetAt(nWidth, pIcon);
}

void CXTPImageManagerIconSet::RemoveAll()
{
    ForEachMapValue(m_mapIcons, [](CXTPImageManagerIcon* pIcon) { pIcon->InternalRelease(); });
    m_mapIcons.RemoveAll();
}

void CXTPImageManagerIconSet::RefreshIcons()
{
    ForEachMapValue(m_mapIcons, [](CXTPImageManagerIcon* pIcon) { pIcon->ClearGeneratedIcons(); });
}

//////////////////////////////////////////////////////////////////////////
// CXTPImageManager

CXTPImageManager::CXTPImageManager()
    : m_clrMask(COLORREF_NULL), m_nCustomID(68266), m_hMsImgDll(NULL), m_pfnAlphaBlend(NULL),
      m_pfnTransparentBlt(NULL), m_nRTLMode(2)
{
    m_mapImages.InitHashTable(127, FALSE);
    m_hMsImgDll = ::LoadLibraryA("msimg32.dll");
    if (m_hMsImgDll != NULL)
    {
        m_pfnAlphaBlend = (PFNALPHABLEND)::GetProcAddress(m_hMsImgDll, "AlphaBlend");
        m_pfnTransparentBlt = (PFNTRANSPARENTBLT)::GetProcAddress(m_hMsImgDll, "TransparentBlt");
    }
}

CXTPImageManager::~CXTPImageManager()
{
    RemoveAll();
    m_pfnAlphaBlend = NULL;
    m_pfnTransparentBlt = NULL;
    if (m_hMsImgDll != NULL)
        ::FreeLibrary(m_hMsImgDll);
    m_hMsImgDll = NULL;
}

CXTPImageManager* AFX_CDECL XTPImageManager()
{
    static CXTPImageManager s_imageManager;
    return &s_imageManager;
}

BOOL AFXAPI XTPReadImageFile(LPCTSTR lpszFileName, DWORD nMax, std::vector<BYTE>& data)
{
    data.clear();
    CFile file;
    if (lpszFileName == NULL || !file.Open(lpszFileName, CFile::modeRead | CFile::shareDenyWrite))
        return FALSE;
    BOOL bRead = FALSE;
    try
    {
        ULONGLONG nLength = file.GetLength();
        if (nLength > 0 && nLength <= nMax)
        {
            data.resize((size_t)nLength);
            bRead = file.Read(data.data(), (UINT)data.size()) == (UINT)data.size();
        }
    }
    catch (CException* e)
    {
        TRACE("%s: cannot be read\n", lpszFileName);
        e->Delete();
        bRead = FALSE;
    }
    file.Abort();
    if (!bRead)
        data.clear();
    return bRead;
}

namespace
{
// Built with the program's global objects; the clipboard formats are
// registered at start-up too.
struct CImageManagerStartup
{
    CImageManagerStartup()
    {
        XTPImageManager();
        CXTPImageManager::GetImageClipFormat();
        CXTPImageManager::GetAlphaBitmapClipFormat();
    }
} s_imageManagerStartup;
}

UINT AFX_CDECL CXTPImageManager::GetImageClipFormat()
{
    static UINT s_nFormat = ::RegisterClipboardFormatA("Rovudu DiriZur Image");
    return s_nFormat;
}

UINT AFX_CDECL CXTPImageManager::GetAlphaBitmapClipFormat()
{
    static UINT s_nFormat = ::RegisterClipboardFormatA("Alpha Bitmap Image");
    return s_nFormat;
}

COLORREF CXTPImageManager::SetMaskColor(COLORREF clrMask)
{
    COLORREF clrOld = m_clrMask;
    m_clrMask = clrMask;
    return clrOld;
}

BOOL CXTPImageManager::IsAlphaImageListSupported()
{
    return HIWORD(XTPGetComCtlVersion()) > 5;
}

CXTPImageManagerIconSet* CXTPImageManager::GetIconSet(UINT nCommand) const
{
    CXTPImageManagerIconSet* pIconSet = NULL;
    if (m_mapImages.Lookup(nCommand, pIconSet))
        return pIconSet;
    return NULL;
}

CXTPImageManagerIcon* CXTPImageManager::GetImage(UINT nCommand, int nWidth) const
{
    CXTPImageManagerIconSet* pIconSet = GetIconSet(nCommand);
    return pIconSet != NULL ? pIconSet->GetIcon((UINT)nWidth, TRUE) : NULL;
}

BOOL CXTPImageManager::HasIcon(UINT nCommand, int nWidth) const
{
    CXTPImageManagerIconSet* pIconSet = GetIconSet(nCommand);
    return pIconSet != NULL && pIconSet->GetIcon((UINT)nWidth, FALSE) != NULL;
}

void CXTPImageManager::RemoveAll()
{
    ForEachMapValue(m_mapImages, [](CXTPImageManagerIconSet* pIconSet) { pIconSet->InternalRelease(); });
    m_mapImages.RemoveAll();
}

void CXTPImageManager::RefreshAll()
{
    ForEachMapValue(m_mapImages, [](CXTPImageManagerIconSet* pIconSet) { pIconSet->RefreshIcons(); });
}

BOOL CXTPImageManager::SetIcon(const CXTPImageManagerIconHandle& hIcon, UINT nIDCommand, CSize szIcon,
                               int imageState)
{
    CXTPImageManagerIconHandle hWrapped(hIcon);  // wraps: TakeIcon copies what it does not own
    return TakeIcon(hWrapped, nIDCommand, szIcon, imageState);
}

BOOL CXTPImageManager::TakeIcon(CXTPImageManagerIconHandle& hIcon, UINT nIDCommand, CSize szIcon, int imageState)
{
    if (hIcon.IsEmpty())
        return FALSE;

    if (szIcon.cx == 0 && szIcon.cy == 0)
        szIcon = hIcon.GetExtent();
    if (szIcon.cx == 0 && szIcon.cy == 0)
        return FALSE;

    CXTPImageManagerIconSet* pIconSet = GetIconSet(nIDCommand);
    if (pIconSet != NULL)
    {
        CXTPImageManagerIcon* pIcon = pIconSet->CreateIcon((UINT)szIcon.cx);
        switch (imageState)
        {
        case xtpImageNormal: pIcon->TakeIcon(hIcon); break;
        case xtpImageDisabled: pIcon->SetDisabledIcon(hIcon); break;
        case xtpImageHot: pIcon->SetHotIcon(hIcon); break;
        case xtpImageChecked: pIcon->SetCheckedIcon(hIcon); break;
        case xtpImagePressed: pIcon->SetPressedIcon(hIcon); break;
        default: break;
        }
        return TRUE;
    }

    if (imageState != xtpImageNormal)
        return FALSE;

    pIconSet = new CXTPImageManagerIconSet(nIDCommand, this);
    CXTPImageManagerIcon* pIcon = pIconSet->CreateIcon((UINT)szIcon.cx);
    pIcon->TakeIcon(hIcon);
    m_mapImages.SetAt(nIDCommand, pIconSet);
    return TRUE;
}

UINT CXTPImageManager::AddCustomIcon(const CXTPImageManagerIconHandle& hIcon)
{
    m_nCustomID++;
    CXTPImageManagerIconSet* pIconSet = new CXTPImageManagerIconSet(m_nCustomID, this);
    CSize sz = hIcon.GetExtent();
    CXTPImageManagerIcon* pIcon = pIconSet->CreateIcon((UINT)sz.cx);
    pIcon->SetIcon(hIcon);

    CXTPImageManagerIconSet* pOld = NULL;
    if (m_mapImages.Lookup(m_nCustomID, pOld) && pOld != NULL)
        pOld->InternalRelease();
    m_mapImages.SetAt(m_nCustomID, pIconSet);
    return m_nCustomID;
}

BOOL CXTPImageManager::SetIcons(UINT nIDResourceBitmap, const UINT* pCommands, int nCount, CSize szIcon,
                                int imageState)
{
    return SetIconsFromResource(nIDResourceBitmap, pCommands, nCount, szIcon, imageState);
}

namespace
{
// Cuts the classic images of a strip loaded from the resources straight from
// its pixels, read once: each image is kept as its masked bitmap (see
// CXTPImageManagerIconHandle::GetMaskedBitmap) and its icon is made only when
// something asks for it. The result is what an image list with a mask makes
// of the strip (the mask colour is transparent, everything else opaque), but
// without an icon and its copies made by the window server for every image.
// Returns -1 for a strip it does not cut alike (palette or low-colour pixels,
// rows that do not match the image height): the caller then goes the image
// list's way. Otherwise TRUE or FALSE as SetIconsFromBitmap would.
int SetIconsFromTrueColorStrip(CXTPImageManager* pManager, HBITMAP hBitmap, const UINT* pCommands, int nCount,
                               CSize szIcon, int imageState)
{
    BITMAP bm;
    if (hBitmap == NULL || ::GetObjectA(hBitmap, sizeof(bm), &bm) == 0 || nCount < 0)
        return -1;
    if (szIcon.cx == 0 && szIcon.cy == 0 && nCount >= 1)
        szIcon = CSize(bm.bmWidth / nCount, std::abs((int)bm.bmHeight));
    if (nCount == 0 && szIcon.cx >= 1)
        nCount = bm.bmWidth / szIcon.cx;
    if (nCount == 0 || szIcon.cx <= 0 || szIcon.cy <= 0)
        return -1;

    COLORREF clrMask = pManager->GetMaskColor();
    int nImageCount = bm.bmWidth / szIcon.cx;
    if (bm.bmBitsPixel < 24 || bm.bmPlanes != 1 || std::abs((int)bm.bmHeight) != szIcon.cy || nImageCount < 1 ||
        (clrMask != COLORREF_NULL && (clrMask & 0xFF000000) != 0))
        return -1;

    // The strip's pixels, top row first, 0x00RRGGBB.
    int cxStrip = bm.bmWidth, cy = szIcon.cy;
    std::vector<DWORD> pixels((size_t)cxStrip * cy);
    if (!CXTPImageManager::ReadPixels32(hBitmap, cxStrip, cy, pixels.data()))
        return -1;

    // Without a mask colour of the manager's, the strip's top-left pixel is transparent.
    DWORD dwMask = pixels[0] & 0xFFFFFF;
    if (clrMask != COLORREF_NULL)
        dwMask = ((DWORD)GetRValue(clrMask) << 16) | ((DWORD)GetGValue(clrMask) << 8) | GetBValue(clrMask);

    int j = 0;
    for (int i = 0; i < nCount; i++)
    {
        if (pCommands != NULL && nImageCount != nCount && pCommands[i] == 0)
            continue;  // a separator uses no image
        if (j >= nImageCount)
            return FALSE;

        LPBYTE pBits = NULL;
        HBITMAP hMasked = CXTPImageManager::Create32BitDIBSection(NULL, szIcon.cx, -cy, &pBits);
        if (hMasked == NULL || pBits == NULL)
        {
            if (hMasked != NULL)
                ::DeleteObject(hMasked);
            return FALSE;
        }
        DWORD* pDest = (DWORD*)pBits;
        for (int y = 0; y < cy; y++)
        {
            const DWORD* pRow = pixels.data() + (size_t)y * cxStrip + (size_t)j * szIcon.cx;
            for (int x = 0; x < szIcon.cx; x++)
            {
                DWORD p = pRow[x] & 0xFFFFFF;
                pDest[(size_t)y * szIcon.cx + x] = p == dwMask ? 0 : (p | 0xFF000000);
            }
        }
        CXTPImageManagerIconHandle hHandle;
        hHandle.AttachMaskedBitmap(hMasked, szIcon);
        pManager->TakeIcon(hHandle, pCommands != NULL ? pCommands[i] : (UINT)i, szIcon, imageState);
        j++;
    }
    return TRUE;
}
} // namespace

BOOL CXTPImageManager::SetIconsFromResource(UINT nIDResourceBitmap, const UINT* pCommands, int nCount,
                                            CSize szIcon, int imageState)
{
    BOOL bAlpha = FALSE;
    HBITMAP hBitmap = LoadBitmapFromResource(MAKEINTRESOURCE(nIDResourceBitmap), &bAlpha);
    if (hBitmap == NULL)
        return FALSE;
    int nResult = bAlpha ? -1 : SetIconsFromTrueColorStrip(this, hBitmap, pCommands, nCount, szIcon, imageState);
    BOOL bResult = nResult >= 0 ? nResult : SetIconsFromBitmap(hBitmap, pCommands, nCount, szIcon, imageState, bAlpha);
    ::DeleteObject(hBitmap);
    return bResult;
}

BOOL CXTPImageManager::SetIconsFromBitmap(CBitmap* pBitmap, const UINT* pCommands, int nCount, CSize szIcon,
                                          int imageState, BOOL bAlpha)
{
    if (pBitmap == NULL)
        return FALSE;
    return SetIconsFromBitmap((HBITMAP)pBitmap->GetSafeHandle(), pCommands, nCount, szIcon, imageState, bAlpha);
}

BOOL CXTPImageManager::SetIconsFromBitmap(HBITMAP hBitmap, const UINT* pCommands, int nCount, CSize szIcon,
                                          int imageState, BOOL bAlpha)
{
    BITMAP bm;
    if (hBitmap == NULL || ::GetObjectA(hBitmap, sizeof(bm), &bm) == 0 || nCount < 0)
        return FALSE;

    if (szIcon.cx == 0 && szIcon.cy == 0 && nCount >= 1)
        szIcon = CSize(bm.bmWidth / nCount, std::abs((int)bm.bmHeight));
    if (nCount == 0 && szIcon.cx >= 1)
        nCount = bm.bmWidth / szIcon.cx;
    if (nCount == 0 || szIcon.cx <= 0 || szIcon.cy <= 0)
        return FALSE;

    if (bAlpha)
    {
        if (bm.bmWidth % szIcon.cx != 0)
            return FALSE;
        int nParts = bm.bmWidth / szIcon.cx;
        if (nParts <= 0)
            return FALSE;

        HBITMAP* pParts = NULL;
        try
        {
            pParts = new HBITMAP[nParts];
        }
        catch (...)
        {
            TRACE_EXCEPTION("Splitting a picture into icons", NULL);
            return FALSE;
        }
        if (!SplitAlphaBitmap(hBitmap, nParts, pParts))
        {
            delete[] pParts;
            return FALSE;
        }

        int nPart = 0;
        for (int i = 0; i < nCount; i++)
        {
            if (pCommands != NULL && nParts != nCount && pCommands[i] == 0)
                continue;  // a separator takes no image
            if (nPart >= nParts)
                break;
            CXTPImageManagerIconHandle hIcon;
            hIcon.AttachBitmap(pParts[nPart]);
            pParts[nPart++] = NULL;  // handed over
            TakeIcon(hIcon, pCommands != NULL ? pCommands[i] : (UINT)i, szIcon, imageState);
        }
        for (int i = 0; i < nParts; i++)
        {
            if (pParts[i] != NULL)
                ::DeleteObject(pParts[i]);
        }
        delete[] pParts;
        return TRUE;
    }

    HIMAGELIST hImageList = ImageList_Create(szIcon.cx, szIcon.cy, ILC_COLOR24 | ILC_MASK, nCount, 1);
    if (hImageList == NULL)
        return FALSE;

    COLORREF clrMask = m_clrMask;
    if (clrMask == COLORREF_NULL)
    {
        HDC hDC = ::CreateCompatibleDC(NULL);
        HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
        clrMask = ::GetPixel(hDC, 0, 0);
        ::SelectObject(hDC, hOld);
        ::DeleteDC(hDC);
    }

    BOOL bResult = FALSE;
    if (ImageList_AddMasked(hImageList, hBitmap, clrMask) >= 0)
        bResult = AddIconsFromImageList(hImageList, pCommands, nCount, szIcon, imageState);
    ImageList_Destroy(hImageList);
    return bResult;
}

BOOL CXTPImageManager::SetIconsFromImageList(CImageList* pImageList, const UINT* pCommands, int nCount,
                                             CSize szIcon, int imageState)
{
    if (pImageList == NULL || pImageList->GetSafeHandle() == NULL)
        return FALSE;
    return AddIconsFromImageList(pImageList->GetSafeHandle(), pCommands, nCount, szIcon, imageState);
}

BOOL CXTPImageManager::SetIconsFromImageList(HIMAGELIST hImageList, const UINT* pCommands, int nCount,
                                             CSize szIcon, int imageState)
{
    return AddIconsFromImageList(hImageList, pCommands, nCount, szIcon, imageState);
}

BOOL CXTPImageManager::AddIconsFromImageList(HIMAGELIST hImageList, const UINT* pCommands, int nCount,
                                             CSize szIcon, int imageState)
{
    if (hImageList == NULL)
        return FALSE;

    int nImageCount = ImageList_GetImageCount(hImageList);
    if (pCommands == NULL && nCount == 0)
        nCount = nImageCount;

    if (szIcon.cx == 0 && szIcon.cy == 0 && nCount >= 1)
    {
        IMAGEINFO info;
        if (ImageList_GetImageInfo(hImageList, 0, &info))
            szIcon = CSize(info.rcImage.right - info.rcImage.left, info.rcImage.bottom - info.rcImage.top);
    }

    int cxImage = 0, cyImage = 0;
    ImageList_GetIconSize(hImageList, &cxImage, &cyImage);

    int j = 0;
    for (int i = 0; i < nCount; i++)
    {
        if (pCommands != NULL && nImageCount != nCount && pCommands[i] == 0)
            continue;  // a separator uses no image

        HICON hIcon = ImageList_GetIcon(hImageList, j, ILD_NORMAL);
        if (hIcon == NULL)
            return FALSE;
        // The new icon is handed over, not copied (whatever is not taken is
        // destroyed with the handle).
        CXTPImageManagerIconHandle hHandle;
        hHandle.AttachIcon(hIcon, CSize(cxImage, cyImage));
        TakeIcon(hHandle, pCommands != NULL ? pCommands[i] : (UINT)i, szIcon, imageState);
        j++;
    }
    return TRUE;
}

BOOL AFX_CDECL CXTPImageManager::SplitAlphaBitmap(HBITMAP hBitmap, int nCount, HBITMAP* pDest)
{
    if (hBitmap == NULL || nCount <= 0 || pDest == NULL)
        return FALSE;

    PBITMAPINFO pbmi = NULL;
    LPVOID pBits = NULL;
    UINT nSize = 0;
    if (!GetBitmapBits(NULL, hBitmap, pbmi, pBits, nSize))
        return FALSE;

    int cx = pbmi->bmiHeader.biWidth, cy = std::abs((int)pbmi->bmiHeader.biHeight);
    int nPartWidth = cx / nCount;
    BOOL bResult = nPartWidth > 0;

    for (int i = 0; i < nCount; i++)
        pDest[i] = NULL;

    if (bResult)
    {
        BITMAPINFO bmiPart;
        ZeroMemory(&bmiPart, sizeof(bmiPart));
        bmiPart.bmiHeader = pbmi->bmiHeader;
        bmiPart.bmiHeader.biWidth = nPartWidth;
        bmiPart.bmiHeader.biSizeImage = pbmi->bmiHeader.biSizeImage / nCount;

        for (int i = 0; i < nCount && bResult; i++)
        {
            LPVOID pPartBits = NULL;
            pDest[i] = ::CreateDIBSection(NULL, &bmiPart, DIB_RGB_COLORS, &pPartBits, NULL, 0);
            if (pDest[i] == NULL || pPartBits == NULL)
            {
                bResult = FALSE;
                break;
            }
            for (int y = 0; y < cy; y++)
            {
                memcpy((BYTE*)pPartBits + (size_t)y * nPartWidth * 4,
                       (const BYTE*)pBits + ((size_t)y * cx + (size_t)i * nPartWidth) * 4, (size_t)nPartWidth * 4);
            }
        }
        if (!bResult)
        {
            for (int i = 0; i < nCount; i++)
            {
                if (pDest[i] != NULL)
                    ::DeleteObject(pDest[i]);
                pDest[i] = NULL;
            }
        }
    }

    free(pBits);
    free(pbmi);
    return bResult;
}

HBITMAP AFX_CDECL CXTPImageManager::LoadBitmapFromFile(LPCTSTR lpszFileName, BOOL* pbAlphaBitmap, DWORD nMaxPixels)
{
    if (pbAlphaBitmap != NULL)
        *pbAlphaBitmap = FALSE;

    // The whole file is read and checked, and the bitmap is made from those
    // very bytes: the system's BMP loader trusts the headers and can crash on
    // a damaged file, and the file may change after it was checked.
    std::vector<BYTE> data;
    if (!XTPReadImageFile(lpszFileName, kMaxBmpFileSize, data))
    {
        TRACE("%s: picture file cannot be read or is too large\n", lpszFileName);
        return NULL;
    }
    return LoadBitmapFromBytes(data.data(), (DWORD)data.size(), pbAlphaBitmap, nMaxPixels);
}

BOOL AFX_CDECL CXTPImageManager::GetBitmapFileSize(const BYTE* pData, DWORD nSize, CSize* pSize)
{
    if (pData == NULL || pSize == NULL)
        return FALSE;
    // A PNG file opens with its IHDR chunk: width and height, big-endian.
    if (CXTPGraphicBitmapPng::IsPngSignature(pData, nSize))
    {
        if (nSize < 24 || memcmp(pData + 12, "IHDR", 4) != 0)
            return FALSE;
        const DWORD nWidth = ((DWORD)pData[16] << 24) | ((DWORD)pData[17] << 16) | ((DWORD)pData[18] << 8) | pData[19];
        const DWORD nHeight = ((DWORD)pData[20] << 24) | ((DWORD)pData[21] << 16) | ((DWORD)pData[22] << 8) | pData[23];
        if (nWidth > 0x7FFFFFFF || nHeight > 0x7FFFFFFF)
            return FALSE;
        *pSize = CSize((int)nWidth, (int)nHeight);
        return TRUE;
    }
    if (nSize < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPCOREHEADER) || pData[0] != 'B' || pData[1] != 'M')
        return FALSE;
    const BYTE* pInfo = pData + sizeof(BITMAPFILEHEADER);
    const DWORD nHeaderSize = (DWORD)pInfo[0] | ((DWORD)pInfo[1] << 8) | ((DWORD)pInfo[2] << 16) | ((DWORD)pInfo[3] << 24);
    if (nHeaderSize == sizeof(BITMAPCOREHEADER))
    {
        BITMAPCOREHEADER core;
        memcpy(&core, pInfo, sizeof(core));
        *pSize = CSize(core.bcWidth, core.bcHeight);
        return TRUE;
    }
    if (nHeaderSize < sizeof(BITMAPINFOHEADER) || nSize < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER))
        return FALSE;
    BITMAPINFOHEADER header;
    memcpy(&header, pInfo, sizeof(header));
    if (header.biHeight == LONG_MIN)
        return FALSE;
    *pSize = CSize(header.biWidth, header.biHeight < 0 ? -header.biHeight : header.biHeight);
    return TRUE;
}

HBITMAP AFX_CDECL CXTPImageManager::LoadBitmapFromBytes(const BYTE* pData, DWORD nSize, BOOL* pbAlphaBitmap,
                                                        DWORD nMaxPixels)
{
    if (pbAlphaBitmap != NULL)
        *pbAlphaBitmap = FALSE;
    if (pData == NULL || nSize == 0 || nSize > kMaxBmpFileSize)
        return NULL;
    CSize szPicture(0, 0);
    if (nMaxPixels != 0 && GetBitmapFileSize(pData, nSize, &szPicture) &&
        (szPicture.cx < 0 || szPicture.cy < 0 || (ULONGLONG)szPicture.cx * (ULONGLONG)szPicture.cy > nMaxPixels))
    {
        TRACE("a picture of %ld x %ld pixels is larger than the %lu pixels allowed\n", (long)szPicture.cx, (long)szPicture.cy,
              (unsigned long)nMaxPixels);
        return NULL;
    }

    if (CXTPGraphicBitmapPng::IsPngSignature(pData, nSize))
    {
        CXTPGraphicBitmapPng png;
        CMemFile memFile(const_cast<BYTE*>(pData), (UINT)nSize);
        BOOL bLoaded = png.LoadFromStream(&memFile);
        memFile.Detach();
        if (!bLoaded)
            return NULL;
        if (pbAlphaBitmap != NULL)
            *pbAlphaBitmap = png.IsAlpha();
        return (HBITMAP)png.Detach();
    }

    BOOL bAlpha = FALSE;
    if (!IsSoundBmpFile(pData, nSize, &bAlpha))
    {
        TRACE("not a picture file the manager reads\n");
        return NULL;
    }
    HBITMAP hBitmap = CreateBitmapFromBmpFile(pData, bAlpha);
    if (hBitmap != NULL && pbAlphaBitmap != NULL)
        *pbAlphaBitmap = bAlpha;
    return hBitmap;
}

BOOL AFX_CDECL CXTPImageManager::IsSoundIconFile(const BYTE* pData, DWORD nSize)
{
    if (pData == NULL || nSize < (DWORD)kIconDirHeader)
        return FALSE;
    const WORD nType = IconWord(pData + 2);
    const DWORD nCount = IconWord(pData + 4);
    if (IconWord(pData) != 0 || (nType != 1 && nType != 2) || nCount == 0)
        return FALSE;
    const DWORD nDirEnd = (DWORD)kIconDirHeader + nCount * (DWORD)kIconDirEntry;
    if (nDirEnd > nSize)
        return FALSE;
    // The system's loaders pick an image by their own rules, so every image
    // listed must be sound, not only the one this program would take.
    for (DWORD i = 0; i < nCount; i++)
    {
        const BYTE* pEntry = pData + kIconDirHeader + i * kIconDirEntry;
        const DWORD nBytes = IconDword(pEntry + 8);
        const DWORD nOffset = IconDword(pEntry + 12);
        if (nOffset < nDirEnd || nOffset >= nSize || nBytes > nSize - nOffset)
            return FALSE;
        WORD nBitCount = 0;
        if (!IsSoundIconImage(pData + nOffset, nBytes, &nBitCount))
            return FALSE;
    }
    return TRUE;
}

HBITMAP AFX_CDECL CXTPImageManager::LoadAlphaIconFromFile(LPCTSTR lpszFileName, int nWidth)
{
    std::vector<BYTE> data;
    if (!XTPReadImageFile(lpszFileName, kMaxIconFileSize, data))
        return NULL;
    return LoadAlphaIconFromBytes(data.data(), (DWORD)data.size(), nWidth);
}

HBITMAP AFX_CDECL CXTPImageManager::LoadAlphaIconFromBytes(const BYTE* pData, DWORD nSize, int nWidth)
{
    if (nSize > kMaxIconFileSize || !IsSoundIconFile(pData, nSize))
        return NULL;
    const BYTE* p = pData;
    const int nCount = IconWord(p + 4);

    // The 32-bit image of the width asked for, else the first 32-bit one;
    // the depth is the image header's (a cursor's directory holds its hot
    // spot where an icon's holds the depth).
    const BYTE* pImage = NULL;
    for (int i = 0; i < nCount; i++)
    {
        const BYTE* pEntry = p + kIconDirHeader + i * kIconDirEntry;
        const BYTE* pCandidate = p + IconDword(pEntry + 12);
        WORD nBitCount = 0;
        IsSoundIconImage(pCandidate, IconDword(pEntry + 8), &nBitCount);
        if (nBitCount != 32 || IconDword(pCandidate + 16) != BI_RGB)
            continue;
        const bool bWidthMatches = (LONG)IconDword(pCandidate + 4) == nWidth;
        if (pImage == NULL || bWidthMatches)
            pImage = pCandidate;
        if (bWidthMatches)
            break;
    }
    if (pImage == NULL)
        return NULL;

    const int cx = (int)IconDword(pImage + 4);
    const int cy = (int)IconDword(pImage + 8) / 2;
    const BYTE* pBits = pImage + sizeof(BITMAPINFOHEADER) + IconDword(pImage + 32) * 4;
    LPBYTE pDest = NULL;
    HBITMAP hBitmap = Create32BitDIBSection(NULL, cx, -cy, &pDest);   // top row first
    if (hBitmap == NULL || pDest == NULL)
    {
        if (hBitmap != NULL)
            ::DeleteObject(hBitmap);
        return NULL;
    }
    BOOL bAnyAlpha = FALSE;
    DWORD* pOut = (DWORD*)pDest;
    for (int y = 0; y < cy; y++)
    {
        // The file stores the rows bottom up.
        const BYTE* pRow = pBits + (size_t)(cy - 1 - y) * cx * 4;
        for (int x = 0; x < cx; x++)
        {
            const DWORD dw = IconDword(pRow + x * 4);
            bAnyAlpha = bAnyAlpha || (dw >> 24) != 0;
            pOut[(size_t)y * cx + x] = dw;
        }
    }
    if (!bAnyAlpha)
    {
        // Alpha bytes all 0: the image uses its mask, which the system's
        // loader reads.
        ::DeleteObject(hBitmap);
        return NULL;
    }
    return hBitmap;
}

HICON AFX_CDECL CXTPImageManager::LoadIconFromFile(LPCTSTR lpszFileName, CSize szIcon)
{
    // The system trusts the sizes and offsets it reads: it is given one
    // image of a file checked whole, from the bytes that were checked.
    std::vector<BYTE> data;
    if (!XTPReadImageFile(lpszFileName, kMaxIconFileSize, data))
    {
        TRACE("%s: icon file cannot be read or is too large\n", lpszFileName);
        return NULL;
    }
    return LoadIconFromBytes(data.data(), (DWORD)data.size(), szIcon);
}

HICON AFX_CDECL CXTPImageManager::LoadIconFromBytes(const BYTE* pData, DWORD nSize, CSize szIcon)
{
    if (nSize > kMaxIconFileSize || !IsSoundIconFile(pData, nSize))
    {
        TRACE("not an icon file the manager reads\n");
        return NULL;
    }
    // The image nearest the width, the deepest among equals. A cursor's
    // image is an icon's image; only its directory differs.
    // (CreateIconFromResourceEx only reads the bytes it is given.)
    BYTE* p = const_cast<BYTE*>(pData);
    const int nCount = IconWord(p + 4);
    BYTE* pBest = NULL;
    DWORD nBestBytes = 0;
    int nBestDistance = 0, nBestBits = 0;
    for (int i = 0; i < nCount; i++)
    {
        const BYTE* pEntry = p + kIconDirHeader + i * kIconDirEntry;
        BYTE* pImage = p + IconDword(pEntry + 12);
        const DWORD nBytes = IconDword(pEntry + 8);
        WORD nBitCount = 0;
        IsSoundIconImage(pImage, nBytes, &nBitCount);
        const int cx = nBitCount == 0 ? (pEntry[0] == 0 ? 256 : pEntry[0]) : (int)IconDword(pImage + 4);
        const int nBits = nBitCount == 0 ? 32 : nBitCount;
        const int nDistance = std::abs(cx - (int)szIcon.cx);
        if (pBest == NULL || nDistance < nBestDistance || (nDistance == nBestDistance && nBits > nBestBits))
        {
            pBest = pImage;
            nBestBytes = nBytes;
            nBestDistance = nDistance;
            nBestBits = nBits;
        }
    }
    return ::CreateIconFromResourceEx(pBest, nBestBytes, TRUE, 0x00030000, szIcon.cx, szIcon.cy, LR_DEFAULTCOLOR);
}

HBITMAP AFX_CDECL CXTPImageManager::LoadBitmapFromResource(LPCTSTR lpszResource, BOOL* pbAlphaBitmap)
{
    HMODULE hModule = AfxFindResourceHandle(lpszResource, "PNG");
    if (hModule == NULL || ::FindResourceA(hModule, lpszResource, "PNG") == NULL)
        hModule = AfxFindResourceHandle(lpszResource, RT_BITMAP);
    return LoadBitmapFromResource(hModule, lpszResource, pbAlphaBitmap);
}

namespace
{
const BYTE* LockResourceData(HMODULE hModule, HRSRC hRsrc, DWORD& dwSize)
{
    dwSize = 0;
    if (hRsrc == NULL)
        return NULL;
    HGLOBAL hGlobal = ::LoadResource(hModule, hRsrc);
    if (hGlobal == NULL)
        return NULL;
    dwSize = ::SizeofResource(hModule, hRsrc);
    return (const BYTE*)::LockResource(hGlobal);
}
}

HBITMAP AFX_CDECL CXTPImageManager::LoadBitmapFromResource(HMODULE hModule, LPCTSTR lpszResource,
                                                           BOOL* pbAlphaBitmap)
{
    if (pbAlphaBitmap != NULL)
        *pbAlphaBitmap = FALSE;

    HRSRC hRsrcPng = ::FindResourceA(hModule, lpszResource, "PNG");
    if (hRsrcPng != NULL)
    {
        DWORD dwSize = 0;
        const BYTE* pData = LockResourceData(hModule, hRsrcPng, dwSize);
        if (pData != NULL && CXTPGraphicBitmapPng::IsPngSignature(pData, dwSize))
        {
            CXTPGraphicBitmapPng png;
            if (!png.LoadFromResource(hModule, hRsrcPng))
                return NULL;
            if (pbAlphaBitmap != NULL)
                *pbAlphaBitmap = png.IsAlpha();
            return (HBITMAP)png.Detach();
        }
    }

    HRSRC hRsrc = ::FindResourceA(hModule, lpszResource, RT_BITMAP);
    if (hRsrc == NULL)
        return NULL;
    DWORD dwSize = 0;
    const BYTE* pData = LockResourceData(hModule, hRsrc, dwSize);
    if (pData == NULL || dwSize < sizeof(BITMAPINFOHEADER))
        return NULL;

    const BITMAPINFOHEADER* pbih = (const BITMAPINFOHEADER*)pData;
    if (pbih->biBitCount == 32)
    {
        if (pbAlphaBitmap != NULL)
            *pbAlphaBitmap = TRUE;
        return LoadAlphaBitmap(hModule, lpszResource);
    }
    return (HBITMAP)::LoadImageA(hModule, lpszResource, IMAGE_BITMAP, 0, 0, LR_DEFAULTSIZE);
}

HBITMAP AFX_CDECL CXTPImageManager::LoadAlphaBitmap(UINT nIDResource)
{
    HMODULE hModule = AfxFindResourceHandle(MAKEINTRESOURCE(nIDResource), RT_BITMAP);
    return LoadAlphaBitmap(hModule, MAKEINTRESOURCE(nIDResource));
}

HBITMAP AFX_CDECL CXTPImageManager::LoadAlphaBitmap(HMODULE hModule, LPCTSTR lpszResource)
{
    HRSRC hRsrc = ::FindResourceA(hModule, lpszResource, RT_BITMAP);
    DWORD dwSize = 0;
    const BYTE* pData = LockResourceData(hModule, hRsrc, dwSize);
    if (pData == NULL || dwSize < sizeof(BITMAPINFOHEADER))
        return NULL;

    BITMAPINFOHEADER bih;
    memcpy(&bih, pData, sizeof(bih));
    if (bih.biSize != sizeof(BITMAPINFOHEADER) || bih.biBitCount != 32 || bih.biPlanes != 1 ||
        bih.biCompression != BI_RGB || bih.biWidth <= 0 || bih.biHeight == 0 || bih.biWidth > 0x8000 ||
        std::abs((int)bih.biHeight) > 0x8000)
        return NULL;

    unsigned long long nImage = (unsigned long long)bih.biWidth * std::abs((int)bih.biHeight) * 4;
    if (dwSize - sizeof(BITMAPINFOHEADER) < nImage)
        return NULL;

    BITMAPINFO bmi;
    ZeroMemory(&bmi, sizeof(bmi));
    bmi.bmiHeader = bih;
    bmi.bmiHeader.biSizeImage = (DWORD)nImage;
    LPVOID pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    if (hBitmap == NULL || pBits == NULL)
    {
        if (hBitmap != NULL)
            ::DeleteObject(hBitmap);
        return NULL;
    }
    memcpy(pBits, pData + sizeof(BITMAPINFOHEADER), (size_t)nImage);
    return hBitmap;
}
