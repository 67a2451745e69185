// Icons and bitmap blending: icon handles, command icons with their
// generated images, and the 32-bit bitmap helpers with software fallbacks.
#include "XTPImageManager.h"
#include <vector>
#include "XTPColorManager.h"
#include "XTPDrawHelpers.h"
#include "XTPSystemHelpers.h"
#include <commctrl.h>
#include <math.h>
#include <algorithm>

namespace
{
// Icons and images larger than this are refused when read from resources.
const int g_nMaxImageSize = 4096;

// 32-bit pixels of a bitmap, bottom-up, through GetDIBits.
struct CPixels
{
    BITMAPINFO bmi;
    DWORD* pBits;
    int cx, cy;
    CPixels() : pBits(NULL), cx(0), cy(0) { ZeroMemory(&bmi, sizeof(bmi)); }
    ~CPixels() { free(pBits); }

    BOOL Read(HBITMAP hBitmap)
    {
        BITMAP bm;
        if (hBitmap == NULL || ::GetObjectA(hBitmap, sizeof(bm), &bm) == 0 || bm.bmWidth <= 0 || bm.bmHeight <= 0)
            return FALSE;
        if (bm.bmWidth > g_nMaxImageSize * 16 || bm.bmHeight > g_nMaxImageSize * 16)
            return FALSE;
        cx = bm.bmWidth;
        cy = bm.bmHeight;
        ZeroMemory(&bmi, sizeof(bmi));
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = cx;
        bmi.bmiHeader.biHeight = cy;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        pBits = (DWORD*)malloc((size_t)cx * cy * 4);
        if (pBits == NULL)
            return FALSE;
        HDC hDC = ::GetDC(NULL);
        int nLines = ::GetDIBits(hDC, hBitmap, 0, cy, pBits, &bmi, DIB_RGB_COLORS);
        ::ReleaseDC(NULL, hDC);
        return nLines == cy;
    }

    // A new 32-bit DIB section holding these pixels.
    HBITMAP Create() const
    {
        LPBYTE pDest = NULL;
        HBITMAP hBitmap = CXTPImageManager::Create32BitDIBSection(NULL, cx, cy, &pDest);
        if (hBitmap == NULL || pDest == NULL)
        {
            if (hBitmap != NULL)
                ::DeleteObject(hBitmap);
            return NULL;
        }
        memcpy(pDest, pBits, (size_t)cx * cy * 4);
        return hBitmap;
    }
};

inline BYTE PixB(DWORD p) { return (BYTE)(p & 0xFF); }
inline BYTE PixG(DWORD p) { return (BYTE)((p >> 8) & 0xFF); }
inline BYTE PixR(DWORD p) { return (BYTE)((p >> 16) & 0xFF); }
inline BYTE PixA(DWORD p) { return (BYTE)((p >> 24) & 0xFF); }
inline DWORD MakePix(int r, int g, int b, BYTE a) { return ((DWORD)a << 24) | ((DWORD)(BYTE)r << 16) | ((DWORD)(BYTE)g << 8) | (BYTE)b; }

// A colour transform of the generated images.
struct CTransform
{
    enum Kind { faded, shadow, disabled } kind;
    COLORREF clrShadow;
    COLORREF clrLight, clrDark;
    BOOL bTwoColors;

    DWORD Apply(DWORD p) const
    {
        BYTE a = PixA(p);
        switch (kind)
        {
        case faded:
            // trunc(c x 0.7 + 76.5), in whole numbers so that white stays white.
            return MakePix((PixR(p) * 7 + 765) / 10, (PixG(p) * 7 + 765) / 10, (PixB(p) * 7 + 765) / 10, a);
        case shadow:
            return MakePix(GetRValue(clrShadow), GetGValue(clrShadow), GetBValue(clrShadow), a);
        case disabled:
        default:
        {
            // 0.299 R + 0.587 G + 0.114 B over 255, in whole numbers so that white is exactly 1.
            double lum = (299 * PixR(p) + 587 * PixG(p) + 114 * PixB(p)) / 255000.0;
            if (bTwoColors)
            {
                return MakePix((int)(GetRValue(clrLight) * lum + GetRValue(clrDark) * (1 - lum)),
                               (int)(GetGValue(clrLight) * lum + GetGValue(clrDark) * (1 - lum)),
                               (int)(GetBValue(clrLight) * lum + GetBValue(clrDark) * (1 - lum)), a);
            }
            int nGrey = (int)(sqrt(lum) * 255);
            nGrey = std::min(std::max(nGrey, 0), 255);
            return MakePix(nGrey, nGrey, nGrey, a);
        }
        }
    }
};

// Applies a transform to an image and returns the generated image.
BOOL TransformImage(const CXTPImageManagerIconHandle& hSource, const CTransform& transform,
                    CXTPImageManagerIconHandle& hResult)
{
    hResult.Clear();
    if (hSource.IsEmpty())
        return FALSE;

    try
    {
        if (hSource.IsAlpha())
        {
            CPixels pixels;
            if (!pixels.Read(hSource.GetBitmap()))
                return FALSE;
            size_t nCount = (size_t)pixels.cx * pixels.cy;
            for (size_t i = 0; i < nCount; i++)
                pixels.pBits[i] = transform.Apply(pixels.pBits[i]);
            HBITMAP hBitmap = pixels.Create();
            if (hBitmap == NULL)
                return FALSE;
            hResult.AttachBitmap(hBitmap);
            return TRUE;
        }

        ICONINFO info;
        ZeroMemory(&info, sizeof(info));
        if (!::GetIconInfo(hSource.GetIcon(), &info))
            return FALSE;

        BOOL bResult = FALSE;
        if (info.hbmColor != NULL && info.hbmMask != NULL)
        {
            CPixels color, mask;
            if (color.Read(info.hbmColor) && mask.Read(info.hbmMask) && color.cx == mask.cx && color.cy <= mask.cy)
            {
                // A low-colour screen keeps faded images as they are.
                BOOL bApply = transform.kind != CTransform::faded || !CXTPDrawHelpers::IsLowColorDepth(NULL);
                if (bApply)
                {
                    // The mask may hold the colour image's rows and more: match rows from the top.
                    int nMaskOffset = mask.cy - color.cy;
                    for (int y = 0; y < color.cy; y++)
                    {
                        for (int x = 0; x < color.cx; x++)
                        {
                            DWORD m = mask.pBits[(size_t)(y + nMaskOffset) * mask.cx + x] & 0xFFFFFF;
                            if (m == 0)
                            {
                                DWORD& p = color.pBits[(size_t)y * color.cx + x];
                                p = transform.Apply(p);
                            }
                        }
                    }
                }
                HBITMAP hColor = color.Create();
                if (hColor != NULL)
                {
                    ICONINFO infoNew = info;
                    infoNew.fIcon = TRUE;
                    infoNew.hbmColor = hColor;
                    HICON hIcon = ::CreateIconIndirect(&infoNew);
                    ::DeleteObject(hColor);
                    if (hIcon != NULL)
                    {
                        hResult.AttachIcon(hIcon);
                        bResult = TRUE;
                    }
                }
            }
        }
        if (info.hbmColor != NULL)
            ::DeleteObject(info.hbmColor);
        if (info.hbmMask != NULL)
            ::DeleteObject(info.hbmMask);
        return bResult;
    }
    catch (CException* e)
    {
        TRACE_EXCEPTION("Reading an icon", e);
        e->Delete();
    }
    catch (...)
    {
        TRACE_EXCEPTION("Reading an icon", NULL);
    }
    hResult.Clear();
    return FALSE;
}
}

//////////////////////////////////////////////////////////////////////////
// CXTPImageManagerIconHandle

CXTPImageManagerIconHandle::CXTPImageManagerIconHandle()
    : m_hIcon(NULL), m_hBitmap(NULL), m_hPremultiplied(NULL), m_bOwns(TRUE), m_szExtent(-1, -1),
      m_hMasked(NULL), m_nMasked(0), m_bIconPending(FALSE)
{
}

CXTPImageManagerIconHandle::CXTPImageManagerIconHandle(HICON hIcon)
    : m_hIcon(hIcon), m_hBitmap(NULL), m_hPremultiplied(NULL), m_bOwns(FALSE), m_szExtent(-1, -1),
      m_hMasked(NULL), m_nMasked(0), m_bIconPending(FALSE)
{
}

CXTPImageManagerIconHandle::CXTPImageManagerIconHandle(HBITMAP hBitmap)
    : m_hIcon(NULL), m_hBitmap(hBitmap), m_hPremultiplied(NULL), m_bOwns(FALSE), m_szExtent(-1, -1),
      m_hMasked(NULL), m_nMasked(0), m_bIconPending(FALSE)
{
}

CXTPImageManagerIconHandle::CXTPImageManagerIconHandle(const CXTPImageManagerIconHandle& hHandle)
    : m_hIcon(hHandle.GetIcon()), m_hBitmap(hHandle.m_hBitmap), m_hPremultiplied(NULL), m_bOwns(FALSE), m_szExtent(-1, -1),
      m_hMasked(NULL), m_nMasked(0), m_bIconPending(FALSE)
{
}

CXTPImageManagerIconHandle::~CXTPImageManagerIconHandle()
{
    Clear();
}

void CXTPImageManagerIconHandle::Clear()
{
    if (m_bOwns)
    {
        if (m_hIcon != NULL)
            ::DestroyIcon(m_hIcon);
        if (m_hBitmap != NULL)
            ::DeleteObject(m_hBitmap);
    }
    if (m_hPremultiplied != NULL)
        ::DeleteObject(m_hPremultiplied);
    if (m_hMasked != NULL)
        ::DeleteObject(m_hMasked);
    m_hIcon = NULL;
    m_hBitmap = NULL;
    m_hPremultiplied = NULL;
    m_szExtent = CSize(-1, -1);
    m_hMasked = NULL;
    m_nMasked = 0;
    m_bIconPending = FALSE;
}

void CXTPImageManagerIconHandle::AttachIcon(HICON hIcon)
{
    Clear();
    m_hIcon = hIcon;
    m_bOwns = TRUE;
}

void CXTPImageManagerIconHandle::AttachIcon(HICON hIcon, CSize szExtent)
{
    AttachIcon(hIcon);
    if (hIcon != NULL)
        m_szExtent = szExtent;
}

void CXTPImageManagerIconHandle::AttachBitmap(HBITMAP hBitmap)
{
    Clear();
    m_hBitmap = hBitmap;
    m_bOwns = TRUE;
}

void CXTPImageManagerIconHandle::AttachMaskedBitmap(HBITMAP hMasked, CSize szExtent)
{
    Clear();
    if (hMasked == NULL)
        return;
    m_hMasked = hMasked;
    m_nMasked = 1;
    m_bIconPending = TRUE;
    m_bOwns = TRUE;
    m_szExtent = szExtent;
}

HICON CXTPImageManagerIconHandle::GetIcon() const
{
    if (m_bIconPending)
    {
        m_bIconPending = FALSE;
        m_hIcon = MakeIconFromMasked();
        if (m_hIcon == NULL)
            TRACE("CXTPImageManagerIconHandle: the icon could not be made from its bitmap\n");
    }
    return m_hIcon;
}

HICON CXTPImageManagerIconHandle::MakeIconFromMasked() const
{
    // The masked bitmap is 32-bit top-down: 0 where transparent, else the
    // colour with an opaque alpha. The icon gets the colour (black where
    // transparent) and a mask that is set where transparent.
    BITMAP bm;
    if (m_hMasked == NULL || ::GetObjectA(m_hMasked, sizeof(bm), &bm) == 0 || bm.bmWidth <= 0 || bm.bmHeight == 0)
        return NULL;
    int cx = bm.bmWidth, cy = std::abs((int)bm.bmHeight);

    std::vector<DWORD> pixels((size_t)cx * cy);
    if (!CXTPImageManager::ReadPixels32(m_hMasked, cx, cy, pixels.data()))
        return NULL;

    // The colour: a top-down DIB section without alpha (all zero), so the
    // icon is a classic one that draws through its mask.
    LPBYTE pColor = NULL;
    HBITMAP hColor = CXTPImageManager::Create32BitDIBSection(NULL, cx, -cy, &pColor);
    int nMaskStride = ((cx + 15) / 16) * 2;  // monochrome rows are whole words
    std::vector<BYTE> mask((size_t)nMaskStride * cy, 0);
    HICON hIcon = NULL;
    if (hColor != NULL && pColor != NULL)
    {
        DWORD* pOut = (DWORD*)pColor;
        for (size_t i = 0; i < pixels.size(); i++)
        {
            if ((pixels[i] >> 24) == 0)
            {
                size_t y = i / cx, x = i % cx;
                mask[y * nMaskStride + x / 8] |= (BYTE)(0x80 >> (x % 8));
                pOut[i] = 0;
            }
            else
            {
                pOut[i] = pixels[i] & 0xFFFFFF;
            }
        }
        HBITMAP hMask = ::CreateBitmap(cx, cy, 1, 1, mask.data());
        if (hMask != NULL)
        {
            ICONINFO info = { TRUE, 0, 0, hMask, hColor };
            hIcon = ::CreateIconIndirect(&info);
            ::DeleteObject(hMask);
        }
    }
    if (hColor != NULL)
        ::DeleteObject(hColor);
    return hIcon;
}

void CXTPImageManagerIconHandle::CopyBitmap(HBITMAP hBitmap)
{
    Clear();
    m_hBitmap = CXTPImageManager::CopyAlphaBitmap(hBitmap);
    m_bOwns = TRUE;
}

void CXTPImageManagerIconHandle::CopyHandle(const CXTPImageManagerIconHandle& hHandle)
{
    if (&hHandle == this)
        return;
    HICON hSource = hHandle.GetIcon();
    HICON hIcon = hSource != NULL ? ::CopyIcon(hSource) : NULL;
    HBITMAP hBitmap = hHandle.m_hBitmap != NULL ? CXTPImageManager::CopyAlphaBitmap(hHandle.m_hBitmap) : NULL;
    CSize szExtent = hHandle.m_szExtent;
    Clear();
    m_hIcon = hIcon;
    m_hBitmap = hBitmap;
    m_bOwns = TRUE;
    if (m_hIcon != NULL || m_hBitmap != NULL)
        m_szExtent = szExtent;  // a copy has the size of its source
}

void CXTPImageManagerIconHandle::TakeHandle(CXTPImageManagerIconHandle& hHandle)
{
    if (&hHandle == this)
        return;
    if (!hHandle.m_bOwns)
    {
        CopyHandle(hHandle);  // images the source only wraps stay with their owner
        hHandle.Clear();
        return;
    }
    Clear();
    m_hIcon = hHandle.m_hIcon;
    m_hBitmap = hHandle.m_hBitmap;
    m_bOwns = hHandle.m_bOwns;
    m_szExtent = hHandle.m_szExtent;
    // The masked bitmap moves along: an icon still to be made is made from it.
    m_hMasked = hHandle.m_hMasked;
    m_nMasked = hHandle.m_nMasked;
    m_bIconPending = hHandle.m_bIconPending;
    // The source no longer holds the images; its other derived bitmaps go with it.
    hHandle.m_hIcon = NULL;
    hHandle.m_hBitmap = NULL;
    hHandle.m_hMasked = NULL;
    hHandle.m_nMasked = 0;
    hHandle.m_bIconPending = FALSE;
    hHandle.Clear();
}

CSize CXTPImageManagerIconHandle::GetExtent() const
{
    if (m_szExtent.cx >= 0)
        return m_szExtent;
    CSize sz(0, 0);
    if (m_hIcon != NULL)
    {
        sz = CXTPImageManagerIcon::GetIconExtent(m_hIcon);
    }
    else if (m_hBitmap != NULL)
    {
        BITMAP bm;
        if (::GetObjectA(m_hBitmap, sizeof(bm), &bm) != 0)
            sz = CSize(bm.bmWidth, std::abs((int)bm.bmHeight));
    }
    if (m_hIcon != NULL || m_hBitmap != NULL)
        m_szExtent = sz;
    return sz;
}

BOOL CXTPImageManagerIconHandle::PreMultiply()
{
    if (m_hPremultiplied != NULL)
        return TRUE;

    if (m_hBitmap != NULL)
    {
        m_hPremultiplied = CXTPImageManager::PreMultiplyAlphaBitmap(m_hBitmap, NULL);
    }
    else if (GetIcon() != NULL)
    {
        ICONINFO info;
        if (::GetIconInfo(m_hIcon, &info))
        {
            if (info.hbmColor != NULL)
                m_hPremultiplied = CXTPImageManager::PreMultiplyAlphaBitmap(info.hbmColor, NULL);
            if (info.hbmColor != NULL)
                ::DeleteObject(info.hbmColor);
            if (info.hbmMask != NULL)
                ::DeleteObject(info.hbmMask);
        }
    }
    return m_hPremultiplied != NULL;
}

HBITMAP CXTPImageManagerIconHandle::GetMaskedBitmap() const
{
    if (m_nMasked != 0)
        return m_hMasked;
    m_nMasked = -1;
    if (m_hIcon == NULL)
        return NULL;

    ICONINFO info;
    if (!::GetIconInfo(m_hIcon, &info))
        return NULL;
    BITMAP bm;
    if (info.hbmColor != NULL && info.hbmMask != NULL && ::GetObjectA(info.hbmColor, sizeof(bm), &bm) != 0 &&
        bm.bmWidth > 0 && bm.bmHeight > 0)
    {
        int cx = bm.bmWidth, cy = std::abs((int)bm.bmHeight);
        std::vector<DWORD> color((size_t)cx * cy), mask((size_t)cx * cy);
        BOOL bRead = CXTPImageManager::ReadPixels32(info.hbmColor, cx, cy, color.data()) &&
                     CXTPImageManager::ReadPixels32(info.hbmMask, cx, cy, mask.data());

        BOOL bUsable = bRead;
        for (size_t i = 0; bUsable && i < color.size(); i++)
        {
            if ((mask[i] & 0xFFFFFF) != 0)
            {
                if ((color[i] & 0xFFFFFF) != 0)
                    bUsable = FALSE;    // a pixel that inverts the background
                color[i] = 0;
            }
            else
            {
                color[i] = (color[i] & 0xFFFFFF) | 0xFF000000;
            }
        }
        if (bUsable)
        {
            LPBYTE pBits = NULL;
            // Top-down, as the pixels were read.
            HBITMAP hBitmap = CXTPImageManager::Create32BitDIBSection(NULL, cx, -cy, &pBits);
            if (hBitmap != NULL && pBits != NULL)
            {
                memcpy(pBits, color.data(), color.size() * sizeof(DWORD));
                m_hMasked = hBitmap;
                m_nMasked = 1;
            }
            else if (hBitmap != NULL)
            {
                ::DeleteObject(hBitmap);
            }
        }
    }
    if (info.hbmColor != NULL)
        ::DeleteObject(info.hbmColor);
    if (info.hbmMask != NULL)
        ::DeleteObject(info.hbmMask);
    return m_hMasked;
}

BOOL CXTPImageManagerIconHandle::LoadIcon(UINT nIDResourceIcon, int cx, int cy, BOOL bGroup)
{
    if (bGroup)
    {
        HMODULE hModule = AfxFindResourceHandle(MAKEINTRESOURCE(nIDResourceIcon), RT_GROUP_ICON);
        if (hModule != NULL && ::FindResourceA(hModule, MAKEINTRESOURCE(nIDResourceIcon), RT_GROUP_ICON) != NULL)
            return LoadIconFromResource(hModule, nIDResourceIcon, cx, cy, TRUE);
    }
    HMODULE hModule = AfxFindResourceHandle(MAKEINTRESOURCE(nIDResourceIcon), RT_ICON);
    return LoadIconFromResource(hModule, nIDResourceIcon, cx, cy, FALSE);
}

BOOL CXTPImageManagerIconHandle::LoadIconFromResource(HMODULE hModule, UINT nIDResourceIcon, int cx, int cy,
                                                      BOOL bGroup)
{
    if (bGroup)
    {
        HRSRC hRsrc = ::FindResourceA(hModule, MAKEINTRESOURCE(nIDResourceIcon), RT_GROUP_ICON);
        if (hRsrc == NULL)
            return FALSE;
        HGLOBAL hGlobal = ::LoadResource(hModule, hRsrc);
        const BYTE* pData = hGlobal != NULL ? (const BYTE*)::LockResource(hGlobal) : NULL;
        DWORD dwSize = ::SizeofResource(hModule, hRsrc);
        if (pData == NULL || dwSize < 6)
            return FALSE;

        // Header: reserved, type, count; then 14-byte entries whose last word is the icon id.
        int nCount = *(const WORD*)(pData + 4);
        if ((DWORD)6 + (DWORD)nCount * 14 > dwSize)
            nCount = (int)((dwSize - 6) / 14);

        for (int i = nCount - 1; i >= 0; i--)
        {
            const BYTE* pEntry = pData + 6 + i * 14;
            if (pEntry[0] == (BYTE)cx && pEntry[1] == (BYTE)cy)
            {
                WORD wID = *(const WORD*)(pEntry + 12);
                if (LoadIconFromResource(hModule, wID, cx, cy, FALSE))
                    return TRUE;
            }
        }
        return FALSE;
    }

    HRSRC hRsrc = ::FindResourceA(hModule, MAKEINTRESOURCE(nIDResourceIcon), RT_ICON);
    if (hRsrc == NULL)
        return FALSE;
    HGLOBAL hGlobal = ::LoadResource(hModule, hRsrc);
    const BYTE* pData = hGlobal != NULL ? (const BYTE*)::LockResource(hGlobal) : NULL;
    DWORD dwSize = ::SizeofResource(hModule, hRsrc);
    if (pData == NULL)
        return FALSE;
    return LoadIconFromData(pData, dwSize, cx, cy);
}

BOOL CXTPImageManagerIconHandle::LoadIconFromData(const BYTE* pData, DWORD dwSize, int cx, int cy)
{
    Clear();

    // Every field of the stored header is checked before it is used.
    if (dwSize < sizeof(BITMAPINFOHEADER))
        return FALSE;
    BITMAPINFOHEADER bih;
    memcpy(&bih, pData, sizeof(bih));
    if (bih.biSize < sizeof(BITMAPINFOHEADER) || bih.biSize > dwSize || bih.biPlanes != 1)
        return FALSE;
    if (bih.biWidth <= 0 || bih.biWidth > g_nMaxImageSize || bih.biHeight <= 0 || bih.biHeight > 2 * g_nMaxImageSize)
        return FALSE;

    if (bih.biBitCount != 32)
    {
        switch (bih.biBitCount)
        {
        case 1: case 4: case 8: case 16: case 24: break;
        default: return FALSE;
        }
        HICON hIcon = ::CreateIconFromResourceEx((PBYTE)pData, dwSize, TRUE, 0x30000, cx, cy, 0);
        if (hIcon != NULL)
            AttachIcon(hIcon);
        return !IsEmpty();
    }

    // 32 bits: the stored height covers the colour image and the mask.
    int nWidth = bih.biWidth;
    int nHeight = bih.biHeight / 2;
    if (nHeight <= 0 || bih.biCompression != BI_RGB || bih.biSize != sizeof(BITMAPINFOHEADER))
        return FALSE;
    DWORD dwImage = (DWORD)nWidth * nHeight * 4;
    if (dwSize - sizeof(BITMAPINFOHEADER) < dwImage)
        return FALSE;

    BITMAPINFO bmi;
    ZeroMemory(&bmi, sizeof(bmi));
    bmi.bmiHeader = bih;
    bmi.bmiHeader.biHeight = nHeight;
    bmi.bmiHeader.biSizeImage = dwImage;
    LPVOID pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    if (hBitmap == NULL || pBits == NULL)
    {
        if (hBitmap != NULL)
            ::DeleteObject(hBitmap);
        return FALSE;
    }
    memcpy(pBits, pData + sizeof(BITMAPINFOHEADER), dwImage);
    AttachBitmap(hBitmap);
    return !IsEmpty();
}

//////////////////////////////////////////////////////////////////////////
// CXTPImageManagerIcon

CXTPImageManagerIcon::CXTPImageManagerIcon(UINT nID, int nWidth, int nHeight, CXTPImageManagerIconSet* pIconSet)
    : m_bDrawWithAlpha(FALSE), m_nID(nID), m_nWidth(nWidth), m_nHeight(nHeight), m_pIconSet(pIconSet)
{
}

CXTPImageManagerIcon::~CXTPImageManagerIcon()
{
    for (int i = 0; i < imageCount; i++)
        m_arrImages[i].Clear();
}

CXTPImageManagerIconHandle& CXTPImageManagerIcon::GetIcon()
{
    return m_arrImages[imageNormal];
}

CXTPImageManagerIconHandle& CXTPImageManagerIcon::GetHotIcon()
{
    return !m_arrImages[imageHot].IsEmpty() ? m_arrImages[imageHot] : m_arrImages[imageNormal];
}

CXTPImageManagerIconHandle& CXTPImageManagerIcon::GetCheckedIcon()
{
    return !m_arrImages[imageChecked].IsEmpty() ? m_arrImages[imageChecked] : GetHotIcon();
}

CXTPImageManagerIconHandle& CXTPImageManagerIcon::GetPressedIcon()
{
    return !m_arrImages[imagePressed].IsEmpty() ? m_arrImages[imagePressed] : GetHotIcon();
}

CXTPImageManagerIconHandle& CXTPImageManagerIcon::GetDisabledIcon(BOOL bCreateIfNotExists)
{
    if (!m_arrImages[imageDisabled].IsEmpty())
        return m_arrImages[imageDisabled];
    if (m_arrImages[imageDisabledAuto].IsEmpty() && bCreateIfNotExists)
        CreateDisabledIcon();
    return m_arrImages[imageDisabledAuto];
}

CXTPImageManagerIconHandle& CXTPImageManagerIcon::GetFadedIcon()
{
    if (m_arrImages[imageFaded].IsEmpty())
        CreateFadedIcon();
    return m_arrImages[imageFaded];
}

CXTPImageManagerIconHandle& CXTPImageManagerIcon::GetShadowIcon()
{
    if (m_arrImages[imageShadow].IsEmpty())
        CreateShadowIcon();
    return m_arrImages[imageShadow];
}

CXTPImageManagerIconHandle& CXTPImageManagerIcon::GetIconByState(int nState)
{
    switch (nState)
    {
    case xtpImageDisabled: return GetDisabledIcon(TRUE);
    case xtpImageHot: return GetHotIcon();
    case xtpImageChecked: return GetCheckedIcon();
    case xtpImagePressed: return GetPressedIcon();
    default: return GetIcon();
    }
}

BOOL CXTPImageManagerIcon::HasDisabledIcon() const
{
    return !m_arrImages[imageDisabled].IsEmpty() || !m_arrImages[imageDisabledAuto].IsEmpty();
}

void CXTPImageManagerIcon::SetIcon(const CXTPImageManagerIconHandle& hIcon)
{
    CXTPImageManagerIconHandle hCopy;
    hCopy.CopyHandle(hIcon);  // hIcon may be one of this icon's own images
    TakeIcon(hCopy);
}

void CXTPImageManagerIcon::TakeIcon(CXTPImageManagerIconHandle& hIcon)
{
    // Moved out first: hIcon may be one of this icon's own images. Moving
    // instead of copying matters: each copy of an icon is a round trip to
    // the window server.
    CXTPImageManagerIconHandle hOwn;
    hOwn.TakeHandle(hIcon);

    for (int i = 0; i < imageCount; i++)
        m_arrImages[i].Clear();
    m_arrImages[imageNormal].TakeHandle(hOwn);

    CSize sz = m_arrImages[imageNormal].GetExtent();
    m_nWidth = sz.cx;
    m_nHeight = sz.cy;

    if (m_pIconSet != NULL)
        m_pIconSet->RefreshIcons();
}

void CXTPImageManagerIcon::SetHotIcon(const CXTPImageManagerIconHandle& hIcon)
{
    ClearGeneratedIcons();
    m_arrImages[imageHot].CopyHandle(hIcon);
}

void CXTPImageManagerIcon::SetCheckedIcon(const CXTPImageManagerIconHandle& hIcon)
{
    ClearGeneratedIcons();
    m_arrImages[imageChecked].CopyHandle(hIcon);
}

void CXTPImageManagerIcon::SetPressedIcon(const CXTPImageManagerIconHandle& hIcon)
{
    ClearGeneratedIcons();
    m_arrImages[imagePressed].CopyHandle(hIcon);
}

void CXTPImageManagerIcon::SetDisabledIcon(const CXTPImageManagerIconHandle& hIcon)
{
    ClearGeneratedIcons();
    m_arrImages[imageDisabled].CopyHandle(hIcon);
}

void CXTPImageManagerIcon::ClearGeneratedIcons()
{
    m_arrImages[imageFaded].Clear();
    m_arrImages[imageShadow].Clear();
    m_arrImages[imageDisabledAuto].Clear();
}

void CXTPImageManagerIcon::Clear(BOOL bIcon)
{
    for (int i = 0; i < imageCount; i++)
    {
        if (i != imageNormal || bIcon)
            m_arrImages[i].Clear();
    }
}

CXTPImageManager* CXTPImageManagerIcon::GetImageManager() const
{
    if (m_pIconSet != NULL && m_pIconSet->GetImageManager() != NULL)
        return m_pIconSet->GetImageManager();
    return XTPImageManager();
}

void CXTPImageManagerIcon::CreateFadedIcon()
{
    CTransform transform = { CTransform::faded, 0, 0, 0, FALSE };
    TransformImage(m_arrImages[imageNormal], transform, m_arrImages[imageFaded]);
}

void CXTPImageManagerIcon::CreateShadowIcon()
{
    COLORREF clr = GetXTPSysColor(XPCOLOR_HIGHLIGHT);
    COLORREF clrShadow = RGB((int)(GetRValue(clr) * 0.75), (int)(GetGValue(clr) * 0.75), (int)(GetBValue(clr) * 0.75));
    CTransform transform = { CTransform::shadow, clrShadow, 0, 0, FALSE };
    TransformImage(GetHotIcon(), transform, m_arrImages[imageShadow]);
}

void CXTPImageManagerIcon::CreateDisabledIcon(COLORREF clrDisabledLight, COLORREF clrDisabledDark)
{
    if (!m_arrImages[imageDisabledAuto].IsEmpty())
        return;
    BOOL bTwoColors = clrDisabledLight != COLORREF_NULL && clrDisabledDark != COLORREF_NULL;
    CTransform transform = { CTransform::disabled, 0, clrDisabledLight, clrDisabledDark, bTwoColors };
    TransformImage(m_arrImages[imageNormal], transform, m_arrImages[imageDisabledAuto]);
}

void CXTPImageManagerIcon::Draw(CDC* pDC, CPoint pt, CXTPImageManagerIconHandle& hIcon, CSize szIcon)
{
    if (pDC == NULL || pDC->GetSafeHdc() == NULL || hIcon.IsEmpty())
        return;

    CSize szImage = hIcon.GetExtent();
    if (szImage.cx <= 0 || szImage.cy <= 0)
        return;

    int cx = szIcon.cx != 0 ? szIcon.cx : m_nWidth;
    if (cx == 0)
        cx = szImage.cx;
    int cy = szIcon.cy;
    if (cy == 0)
        cy = m_nWidth != 0 ? m_nHeight * cx / m_nWidth : szImage.cy;

    if (!hIcon.IsAlpha())
    {
        int nMode = GetImageManager()->m_nRTLMode;
        if (nMode == 1 || (nMode == 2 && CXTPDrawHelpers::IsContextRTL(pDC)))
        {
            pt.x += cx;
            cx = -cx;
        }
        if (m_bDrawWithAlpha)
            CXTPImageManager::DrawIconWithAlpha(pDC, pt.x, pt.y, cx, cy, hIcon.GetIcon());
        else if (cx == szImage.cx && cy == szImage.cy && hIcon.GetMaskedBitmap() != NULL)
            CXTPImageManager::DrawAlphaBitmap(pDC, hIcon.GetMaskedBitmap(), pt, CSize(cx, cy));
        else
            ::DrawIconEx(pDC->GetSafeHdc(), pt.x, pt.y, hIcon.GetIcon(), cx, cy, 0, NULL, DI_NORMAL);
        return;
    }

    if (!hIcon.PreMultiply())
        return;

    HBITMAP hBitmap = hIcon.GetPremultipliedBitmap();
    if (pt.y < 0 && cy == szImage.cy)
    {
        if (cy + pt.y <= 0)
            return;
        CXTPImageManager::DrawAlphaBitmap(pDC, hBitmap, CPoint(pt.x, 0), CSize(cx, cy + pt.y), CPoint(0, -pt.y),
                                          CSize(szImage.cx, cy + pt.y));
    }
    else
    {
        CXTPImageManager::DrawAlphaBitmap(pDC, hBitmap, pt, CSize(cx, cy), CPoint(0, 0), szImage);
    }
}

void CXTPImageManagerIcon::DrawMono(CDC* pDC, CPoint pt, CXTPImageManagerIconHandle& hIcon, int cx, int cy,
                                    COLORREF clrColor)
{
    if (pDC == NULL || pDC->GetSafeHdc() == NULL || hIcon.IsEmpty() || hIcon.IsAlpha() || cx <= 0 || cy <= 0)
        return;

    HDC hDC = pDC->GetSafeHdc();
    HDC hMemDC = ::CreateCompatibleDC(hDC);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hDC, cx, cy);
    if (hMemDC != NULL && hBitmap != NULL)
    {
        HGDIOBJ hOld = ::SelectObject(hMemDC, hBitmap);
        RECT rc = { 0, 0, cx, cy };
        ::FillRect(hMemDC, &rc, (HBRUSH)::GetStockObject(WHITE_BRUSH));
        ::DrawIconEx(hMemDC, 0, 0, hIcon.GetIcon(), cx, cy, 0, NULL, DI_NORMAL);
        ::SelectObject(hMemDC, hOld);

        HBRUSH hBrush = ::CreateSolidBrush(clrColor);
        ::DrawStateA(hDC, hBrush, NULL, (LPARAM)hBitmap, 0, pt.x, pt.y, cx, cy, DST_BITMAP | DSS_MONO);
        ::DeleteObject(hBrush);
    }
    if (hBitmap != NULL)
        ::DeleteObject(hBitmap);
    if (hMemDC != NULL)
        ::DeleteDC(hMemDC);
}

CSize AFX_CDECL CXTPImageManagerIcon::GetIconExtent(HICON hIcon)
{
    CSize sz(0, 0);
    if (hIcon == NULL)
        return sz;

    ICONINFO info;
    if (!::GetIconInfo(hIcon, &info))
        return sz;

    BITMAP bm;
    if (info.hbmMask != NULL && ::GetObjectA(info.hbmMask, sizeof(bm), &bm) != 0)
    {
        sz.cx = bm.bmWidth;
        sz.cy = info.hbmColor == NULL ? bm.bmHeight / 2 : bm.bmHeight;
    }
    if (info.hbmColor != NULL)
        ::DeleteObject(info.hbmColor);
    if (info.hbmMask != NULL)
        ::DeleteObject(info.hbmMask);
    return sz;
}

HICON AFX_CDECL CXTPImageManagerIcon::ScaleIcon(HICON hIcon, CSize szOld, int nNewWidth)
{
    if (hIcon == NULL || (szOld.cx == 0 && szOld.cy == 0) || szOld.cx == 0 || nNewWidth <= 0)
        return NULL;
    if (szOld.cx == nNewWidth)
        return ::CopyIcon(hIcon);

    int nNewHeight = ::MulDiv(szOld.cy, nNewWidth, szOld.cx);
    if (nNewHeight <= 0)
        return NULL;

    HIMAGELIST hImageList = ImageList_Create(nNewWidth, nNewHeight, ILC_COLOR32 | ILC_MASK, 1, 1);
    if (hImageList == NULL)
        return NULL;
    HICON hResult = NULL;
    if (ImageList_ReplaceIcon(hImageList, -1, hIcon) >= 0)
        hResult = ImageList_GetIcon(hImageList, 0, ILD_NORMAL);
    ImageList_Destroy(hImageList);
    return hResult;
}

COLORREF AFX_CDECL CXTPImageManagerIcon::LightenColor(COLORREF clr, double dFactor)
{
    int r = (int)(GetRValue(clr) * (1 - dFactor) + 255 * dFactor);
    int g = (int)(GetGValue(clr) * (1 - dFactor) + 255 * dFactor);
    int b = (int)(GetBValue(clr) * (1 - dFactor) + 255 * dFactor);
    return RGB(std::min(std::max(r, 0), 255), std::min(std::max(g, 0), 255), std::min(std::max(b, 0), 255));
}

//////////////////////////////////////////////////////////////////////////
// Bitmap helpers

namespace
{
// The header of a 32-bit BI_RGB bitmap (cy < 0: top-down).
BITMAPINFO Info32(int cx, int cy)
{
    BITMAPINFO bmi;
    ZeroMemory(&bmi, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    return bmi;
}
} // namespace

HBITMAP AFX_CDECL CXTPImageManager::Create32BitDIBSection(HDC hDC, int cx, int cy, LPBYTE* lpBits)
{
    if (lpBits != NULL)
        *lpBits = NULL;
    if (cx <= 0 || cy == 0)
        return NULL;

    BITMAPINFO bmi = Info32(cx, cy);
    LPVOID pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(hDC, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    if (lpBits != NULL)
        *lpBits = (LPBYTE)pBits;
    return hBitmap;
}

BOOL AFX_CDECL CXTPImageManager::ReadPixels32(HBITMAP hBitmap, int cx, int cy, DWORD* pPixels)
{
    if (hBitmap == NULL || cx <= 0 || cy <= 0 || pPixels == NULL)
        return FALSE;
    BITMAPINFO bmi = Info32(cx, -cy);
    // A memory context serves: the pixels are asked for in 32 bits, without a palette.
    HDC hDC = ::CreateCompatibleDC(NULL);
    int nLines = hDC != NULL ? ::GetDIBits(hDC, hBitmap, 0, cy, pPixels, &bmi, DIB_RGB_COLORS) : 0;
    if (hDC != NULL)
        ::DeleteDC(hDC);
    return nLines == cy;
}

BOOL AFX_CDECL CXTPImageManager::GetBitmapBits(CDC* pDC, HBITMAP hBitmap, PBITMAPINFO& pBitmapInfo, LPVOID& pBits,
                                               UINT& nSize)
{
    pBitmapInfo = NULL;
    pBits = NULL;
    nSize = 0;

    BITMAP bm;
    if (hBitmap == NULL || ::GetObjectA(hBitmap, sizeof(bm), &bm) == 0 || bm.bmBitsPixel != 32 ||
        bm.bmWidth <= 0 || bm.bmHeight == 0)
        return FALSE;

    int cy = std::abs((int)bm.bmHeight);
    unsigned long long nBytes = (unsigned long long)bm.bmWidth * cy * 4;
    if (nBytes > 0x10000000ull)
        return FALSE;

    PBITMAPINFO pbmi = (PBITMAPINFO)malloc(sizeof(BITMAPINFOHEADER) + 3 * sizeof(RGBQUAD));
    if (pbmi == NULL)
        return FALSE;
    ZeroMemory(pbmi, sizeof(BITMAPINFOHEADER) + 3 * sizeof(RGBQUAD));
    pbmi->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    pbmi->bmiHeader.biWidth = bm.bmWidth;
    pbmi->bmiHeader.biHeight = cy;
    pbmi->bmiHeader.biPlanes = 1;
    pbmi->bmiHeader.biBitCount = 32;
    pbmi->bmiHeader.biCompression = BI_RGB;
    pbmi->bmiHeader.biSizeImage = (DWORD)nBytes;

    LPVOID pData = malloc((size_t)nBytes);
    if (pData == NULL)
    {
        free(pbmi);
        return FALSE;
    }

    HDC hDC = pDC != NULL ? pDC->GetSafeHdc() : NULL;
    HDC hScreenDC = hDC == NULL ? ::GetDC(NULL) : NULL;
    int nLines = ::GetDIBits(hDC != NULL ? hDC : hScreenDC, hBitmap, 0, cy, pData, pbmi, DIB_RGB_COLORS);
    if (hScreenDC != NULL)
        ::ReleaseDC(NULL, hScreenDC);

    if (nLines != cy)
    {
        free(pData);
        free(pbmi);
        return FALSE;
    }
    pBitmapInfo = pbmi;
    pBits = pData;
    nSize = (UINT)nBytes;
    return TRUE;
}

namespace
{
// Reads the 32-bit pixels of hBitmap, makes a DIB section with the same header
// and lets fnFill write its pixels from the source ones; returns the new bitmap.
template <class TFill>
HBITMAP CreateAlphaBitmapFrom(HBITMAP hBitmap, TFill fnFill)
{
    PBITMAPINFO pbmi = NULL;
    LPVOID pBits = NULL;
    UINT nSize = 0;
    if (!CXTPImageManager::GetBitmapBits(NULL, hBitmap, pbmi, pBits, nSize))
        return NULL;

    LPVOID pDest = NULL;
    HBITMAP hResult = ::CreateDIBSection(NULL, pbmi, DIB_RGB_COLORS, &pDest, NULL, 0);
    if (hResult != NULL && pDest != NULL)
        fnFill(pbmi, pBits, pDest, nSize);
    free(pBits);
    free(pbmi);
    return hResult;
}
} // namespace

HBITMAP AFX_CDECL CXTPImageManager::CopyAlphaBitmap(HBITMAP hBitmap)
{
    return CreateAlphaBitmapFrom(hBitmap, [](PBITMAPINFO, LPVOID pBits, LPVOID pDest, UINT nSize)
                                 { memcpy(pDest, pBits, nSize); });
}

HBITMAP AFX_CDECL CXTPImageManager::PreMultiplyAlphaBitmap(HBITMAP hBitmap, BOOL* pbAlpha)
{
    return CreateAlphaBitmapFrom(
        hBitmap,
        [pbAlpha](PBITMAPINFO, LPVOID pBits, LPVOID pDest, UINT nSize)
        {
            const BYTE* pSrc = (const BYTE*)pBits;
            BYTE* pDst = (BYTE*)pDest;
            BOOL bZeroSeen = FALSE;
            for (UINT i = 0; i < nSize; i += 4)
            {
                BYTE a = pSrc[i + 3];
                pDst[i + 0] = (BYTE)(pSrc[i + 0] * a / 255);
                pDst[i + 1] = (BYTE)(pSrc[i + 1] * a / 255);
                pDst[i + 2] = (BYTE)(pSrc[i + 2] * a / 255);
                pDst[i + 3] = a;
                if (pbAlpha != NULL && !*pbAlpha)
                {
                    if (a > 0 && (a < 255 || bZeroSeen))
                        *pbAlpha = TRUE;
                    if (a == 0)
                        bZeroSeen = TRUE;
                }
            }
            if (pbAlpha != NULL && !*pbAlpha)
                memcpy(pDest, pBits, nSize);
        });
}

HBITMAP AFX_CDECL CXTPImageManager::MirrorAlphaBitmap(HBITMAP hBitmap)
{
    return CreateAlphaBitmapFrom(
        hBitmap,
        [](PBITMAPINFO pbmi, LPVOID pBits, LPVOID pDest, UINT)
        {
            int cx = pbmi->bmiHeader.biWidth, cy = std::abs((int)pbmi->bmiHeader.biHeight);
            const DWORD* pSrc = (const DWORD*)pBits;
            DWORD* pDst = (DWORD*)pDest;
            for (int y = 0; y < cy; y++)
                for (int x = 0; x < cx; x++)
                    pDst[(size_t)y * cx + x] = pSrc[(size_t)y * cx + (cx - 1 - x)];
        });
}

namespace
{
BOOL SoftwareAlphaBlend(HDC hdcDest, const CRect& rcDest, HDC hdcSrc, const CRect& rcSrc)
{
    int cx = rcDest.Width(), cy = rcDest.Height();
    if (cx <= 0 || cy <= 0)
        return FALSE;

    LPBYTE pSrcBits = NULL, pBackBits = NULL, pResultBits = NULL;
    HBITMAP hSrc = CXTPImageManager::Create32BitDIBSection(hdcDest, cx, cy, &pSrcBits);
    HBITMAP hBack = CXTPImageManager::Create32BitDIBSection(hdcDest, cx, cy, &pBackBits);
    HBITMAP hResult = CXTPImageManager::Create32BitDIBSection(hdcDest, cx, cy, &pResultBits);
    HDC hMemDC = ::CreateCompatibleDC(hdcDest);

    BOOL bResult = FALSE;
    BITMAP bm1, bm2, bm3;
    if (hSrc != NULL && hBack != NULL && hResult != NULL && hMemDC != NULL && pSrcBits && pBackBits && pResultBits &&
        ::GetObjectA(hSrc, sizeof(bm1), &bm1) && ::GetObjectA(hBack, sizeof(bm2), &bm2) &&
        ::GetObjectA(hResult, sizeof(bm3), &bm3) && bm1.bmWidth == bm2.bmWidth && bm2.bmWidth == bm3.bmWidth &&
        bm1.bmHeight == bm2.bmHeight && bm2.bmHeight == bm3.bmHeight && bm1.bmPlanes == 1 && bm2.bmPlanes == 1 &&
        bm3.bmPlanes == 1 && bm1.bmBitsPixel == 32 && bm2.bmBitsPixel == 32 && bm3.bmBitsPixel == 32)
    {
        HGDIOBJ hOld = ::SelectObject(hMemDC, hSrc);
        int nOldMode = ::SetStretchBltMode(hMemDC, COLORONCOLOR);
        ::StretchBlt(hMemDC, 0, 0, cx, cy, hdcSrc, rcSrc.left, rcSrc.top, rcSrc.Width(), rcSrc.Height(), SRCCOPY);
        ::SetStretchBltMode(hMemDC, nOldMode);
        ::SelectObject(hMemDC, hBack);
        ::BitBlt(hMemDC, 0, 0, cx, cy, hdcDest, rcDest.left, rcDest.top, SRCCOPY);
        ::GdiFlush();

        size_t nCount = (size_t)cx * cy;
        for (size_t i = 0; i < nCount; i++)
        {
            const BYTE* s = pSrcBits + i * 4;
            const BYTE* b = pBackBits + i * 4;
            BYTE* r = pResultBits + i * 4;
            int nInv = 255 - s[3];
            r[0] = (BYTE)std::min(255, s[0] + b[0] * nInv / 255);
            r[1] = (BYTE)std::min(255, s[1] + b[1] * nInv / 255);
            r[2] = (BYTE)std::min(255, s[2] + b[2] * nInv / 255);
        }

        ::SelectObject(hMemDC, hResult);
        bResult = ::BitBlt(hdcDest, rcDest.left, rcDest.top, cx, cy, hMemDC, 0, 0, SRCCOPY);
        ::SelectObject(hMemDC, hOld);
    }

    if (hMemDC != NULL)
        ::DeleteDC(hMemDC);
    if (hSrc != NULL)
        ::DeleteObject(hSrc);
    if (hBack != NULL)
        ::DeleteObject(hBack);
    if (hResult != NULL)
        ::DeleteObject(hResult);
    return bResult;
}

BOOL SoftwareTransparentBlt(HDC hdcDest, const CRect& rcDest, HDC hdcSrc, const CRect& rcSrc, UINT clrTransparent)
{
    int cx = rcSrc.Width(), cy = rcSrc.Height();
    if (cx <= 0 || cy <= 0 || rcDest.Width() <= 0 || rcDest.Height() <= 0)
        return FALSE;

    BOOL bResult = FALSE;
    HDC hColorDC = ::CreateCompatibleDC(hdcDest);
    HDC hMaskDC = ::CreateCompatibleDC(hdcDest);
    HBITMAP hColor = ::CreateCompatibleBitmap(hdcDest, cx, cy);
    HBITMAP hMask = ::CreateBitmap(cx, cy, 1, 1, NULL);
    if (hColorDC != NULL && hMaskDC != NULL && hColor != NULL && hMask != NULL)
    {
        HGDIOBJ hOldColor = ::SelectObject(hColorDC, hColor);
        HGDIOBJ hOldMask = ::SelectObject(hMaskDC, hMask);

        bResult = ::BitBlt(hColorDC, 0, 0, cx, cy, hdcSrc, rcSrc.left, rcSrc.top, SRCCOPY);

        // Transparent pixels become white in the mask.
        COLORREF clrOldBk = ::SetBkColor(hColorDC, clrTransparent);
        bResult = ::BitBlt(hMaskDC, 0, 0, cx, cy, hColorDC, 0, 0, SRCCOPY) && bResult;
        ::SetBkColor(hColorDC, clrOldBk);

        // ... and black in the colour copy.
        if (clrTransparent != 0)
        {
            COLORREF clrBk = ::SetBkColor(hColorDC, RGB(0, 0, 0));
            COLORREF clrText = ::SetTextColor(hColorDC, RGB(255, 255, 255));
            bResult = ::BitBlt(hColorDC, 0, 0, cx, cy, hMaskDC, 0, 0, SRCAND) && bResult;
            ::SetTextColor(hColorDC, clrText);
            ::SetBkColor(hColorDC, clrBk);
        }

        COLORREF clrDestBk = ::SetBkColor(hdcDest, RGB(255, 255, 255));
        COLORREF clrDestText = ::SetTextColor(hdcDest, RGB(0, 0, 0));
        if (rcDest.Width() != cx || rcDest.Height() != cy)
        {
            bResult = ::StretchBlt(hdcDest, rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(), hMaskDC, 0, 0,
                                   cx, cy, SRCAND) && bResult;
            bResult = ::StretchBlt(hdcDest, rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(), hColorDC, 0, 0,
                                   cx, cy, SRCPAINT) && bResult;
        }
        else
        {
            bResult = ::BitBlt(hdcDest, rcDest.left, rcDest.top, cx, cy, hMaskDC, 0, 0, SRCAND) && bResult;
            bResult = ::BitBlt(hdcDest, rcDest.left, rcDest.top, cx, cy, hColorDC, 0, 0, SRCPAINT) && bResult;
        }
        ::SetTextColor(hdcDest, clrDestText);
        ::SetBkColor(hdcDest, clrDestBk);

        ::SelectObject(hColorDC, hOldColor);
        ::SelectObject(hMaskDC, hOldMask);
    }
    if (hColor != NULL)
        ::DeleteObject(hColor);
    if (hMask != NULL)
        ::DeleteObject(hMask);
    if (hColorDC != NULL)
        ::DeleteDC(hColorDC);
    if (hMaskDC != NULL)
        ::DeleteDC(hMaskDC);
    return bResult;
}
}

namespace
{
// A memory context with a bitmap selected, to draw from. Making a context is
// slow on some systems and images are drawn one by one, so images drawn on
// the screen or into memory with the ordinary layout share one context, made
// once; other targets, and a drawing while the shared one is in use (another
// thread), get a context of their own as before.
class CImageSourceDC
{
public:
    CImageSourceDC(HDC hTarget, HBITMAP hBitmap) : m_hDC(NULL), m_hOld(NULL), m_bShared(FALSE)
    {
        if (::GetDeviceCaps(hTarget, TECHNOLOGY) == DT_RASDISPLAY && !CXTPDrawHelpers::IsContextRTL(hTarget) &&
            ::InterlockedExchange(&s_nBusy, 1) == 0)
        {
            if (s_hShared == NULL)
                s_hShared = ::CreateCompatibleDC(NULL);
            if (s_hShared != NULL)
            {
                m_hDC = s_hShared;
                m_bShared = TRUE;
            }
            else
            {
                ::InterlockedExchange(&s_nBusy, 0);
            }
        }
        if (m_hDC == NULL)
            m_hDC = ::CreateCompatibleDC(hTarget);
        if (m_hDC != NULL)
            m_hOld = ::SelectObject(m_hDC, hBitmap);
    }
    ~CImageSourceDC()
    {
        if (m_hDC == NULL)
            return;
        if (m_hOld != NULL)
            ::SelectObject(m_hDC, m_hOld);
        if (m_bShared)
            ::InterlockedExchange(&s_nBusy, 0);
        else
            ::DeleteDC(m_hDC);
    }
    HDC GetSafeHdc() const { return m_hDC; }

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
    BOOL m_bShared;
    static HDC s_hShared;
    static LONG volatile s_nBusy;
};
HDC CImageSourceDC::s_hShared = NULL;
LONG volatile CImageSourceDC::s_nBusy = 0;
} // namespace

BOOL AFX_CDECL CXTPImageManager::AlphaBlend(HDC hdcDest, const CRect& rcDest, HDC hdcSrc, const CRect& rcSrc)
{
    CXTPImageManager* pManager = XTPImageManager();
    if (pManager->m_pfnAlphaBlend != NULL &&
        (XTPOSVersionInfo()->IsWin2KOrGreater() || (rcSrc.left == 0 && rcSrc.top == 0)))
    {
        BLENDFUNCTION bf = { AC_SRC_OVER, 0, 255, AC_SRC_ALPHA };
        return pManager->m_pfnAlphaBlend(hdcDest, rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(), hdcSrc,
                                         rcSrc.left, rcSrc.top, rcSrc.Width(), rcSrc.Height(), bf);
    }
    return SoftwareAlphaBlend(hdcDest, rcDest, hdcSrc, rcSrc);
}

BOOL AFX_CDECL CXTPImageManager::TransparentBlt(HDC hdcDest, const CRect& rcDest, HDC hdcSrc, const CRect& rcSrc,
                                                UINT clrTransparent)
{
    CXTPImageManager* pManager = XTPImageManager();
    if (pManager->m_pfnTransparentBlt != NULL && XTPOSVersionInfo()->IsWin2KOrGreater())
    {
        return pManager->m_pfnTransparentBlt(hdcDest, rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(),
                                             hdcSrc, rcSrc.left, rcSrc.top, rcSrc.Width(), rcSrc.Height(),
                                             clrTransparent);
    }
    return SoftwareTransparentBlt(hdcDest, rcDest, hdcSrc, rcSrc, clrTransparent);
}

BOOL AFX_CDECL CXTPImageManager::DrawAlphaBitmap(CDC* pDC, HBITMAP hBitmap, CPoint ptDest, CSize szDest,
                                                 CPoint ptSrc, CSize szSrc)
{
    if (pDC == NULL || pDC->GetSafeHdc() == NULL || hBitmap == NULL)
        return FALSE;
    if (szSrc.cx == 0 && szSrc.cy == 0)
        szSrc = szDest;

    CImageSourceDC dc(pDC->GetSafeHdc(), hBitmap);
    if (dc.GetSafeHdc() == NULL)
        return FALSE;
    return AlphaBlend(pDC->GetSafeHdc(), CRect(ptDest, szDest), dc.GetSafeHdc(), CRect(ptSrc, szSrc));
}

BOOL AFX_CDECL CXTPImageManager::DrawIconWithAlpha(CDC* pDC, int x, int y, int cx, int cy, HICON hIcon)
{
    if (pDC == NULL || pDC->GetSafeHdc() == NULL || hIcon == NULL || cx == 0 || cy <= 0)
        return FALSE;

    int nWidth = std::abs(cx);
    LPBYTE pBits = NULL;
    HBITMAP hBitmap = Create32BitDIBSection(pDC->GetSafeHdc(), nWidth, cy, &pBits);
    if (hBitmap == NULL || pBits == NULL)
    {
        if (hBitmap != NULL)
            ::DeleteObject(hBitmap);
        return FALSE;
    }

    HDC hMemDC = ::CreateCompatibleDC(pDC->GetSafeHdc());
    BOOL bResult = FALSE;
    if (hMemDC != NULL)
    {
        HGDIOBJ hOld = ::SelectObject(hMemDC, hBitmap);
        HBRUSH hBrush = ::CreateSolidBrush(RGB(255, 0, 255));
        RECT rc = { 0, 0, nWidth, cy };
        ::FillRect(hMemDC, &rc, hBrush);
        ::DeleteObject(hBrush);
        ::DrawIconEx(hMemDC, cx < 0 ? -cx : 0, 0, hIcon, cx, cy, 0, NULL, DI_NORMAL);
        ::GdiFlush();

        size_t nCount = (size_t)nWidth * cy;
        DWORD* pPixels = (DWORD*)pBits;
        for (size_t i = 0; i < nCount; i++)
        {
            if ((pPixels[i] & 0xFFFFFF) == 0xFF00FF)
                pPixels[i] = 0;
            else
                pPixels[i] |= 0xFF000000;
        }

        CRect rcDest(x, y, x + cx, y + cy);
        rcDest.NormalizeRect();
        bResult = AlphaBlend(pDC->GetSafeHdc(), rcDest, hMemDC, CRect(0, 0, nWidth, cy));
        ::SelectObject(hMemDC, hOld);
        ::DeleteDC(hMemDC);
    }
    ::DeleteObject(hBitmap);
    return bResult;
}
