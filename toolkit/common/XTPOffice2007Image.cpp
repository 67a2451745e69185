// Office 2007 theme images and colours.
#include "XTPOffice2007Image.h"

#include "XTPColorManager.h"
#include "XTPDrawHelpers.h"
#include "XTPImageManager.h"

namespace
{
const LPCTSTR kDefaultTheme = _T("OFFICE2007BLUE_INI");
const LPCTSTR kTextFileType = _T("TEXTFILE");

// Turns one line of the theme text into 8-bit characters.
CString NarrowLine(LPCWSTR lpStart, int nLength)
{
    CString strLine;
    if (nLength <= 0)
        return strLine;
    int nBytes = ::WideCharToMultiByte(CP_ACP, 0, lpStart, nLength, NULL, 0, NULL, NULL);
    if (nBytes <= 0)
        return strLine;
    LPSTR pBuffer = strLine.GetBuffer(nBytes);
    ::WideCharToMultiByte(CP_ACP, 0, lpStart, nLength, pBuffer, nBytes, NULL, NULL);
    strLine.ReleaseBuffer(nBytes);
    return strLine;
}

void ReplaceSeparators(CString& strName)
{
    strName.Replace('.', '_');
    strName.Replace('\\', '_');
}

struct FirstResourceSearch
{
    CString strName;
    BOOL bFound;
};

BOOL CALLBACK FindFirstNameProc(HMODULE, LPCSTR, LPSTR lpszName, LONG_PTR lParam)
{
    FirstResourceSearch* pSearch = reinterpret_cast<FirstResourceSearch*>(lParam);
    if (IS_INTRESOURCE(lpszName))
        pSearch->strName.Format("#%u", (unsigned)(UINT_PTR)lpszName);
    else
        pSearch->strName = lpszName;
    pSearch->bFound = TRUE;
    return FALSE;
}
} // namespace

//////////////////////////////////////////////////////////////////////////
// CXTPOffice2007Image

CXTPOffice2007Image::CXTPOffice2007Image(CXTPOffice2007ImageStore* pImages)
    : m_hBitmap(NULL)
    , m_bAlpha(FALSE)
    , m_bImageOrientationPreserved(FALSE)
    , m_bInvert(FALSE)
    , m_pImages(pImages)
    , m_nKeyed(0)
{
}

CXTPOffice2007Image::~CXTPOffice2007Image()
{
    FreeKeyedPictures();
    if (m_hBitmap != NULL)
        ::DeleteObject(m_hBitmap);
}

void CXTPOffice2007Image::FreeKeyedPictures()
{
    for (int i = 0; i < m_nKeyed; i++)
        ::DeleteObject(m_keyed[i].hBitmap);
    m_nKeyed = 0;
}

void CXTPOffice2007Image::SetBitmap(HBITMAP hBitmap, BOOL bAlpha)
{
    FreeKeyedPictures();
    if (m_hBitmap != NULL && m_hBitmap != hBitmap)
        ::DeleteObject(m_hBitmap);
    m_hBitmap = hBitmap;
    m_bAlpha = bAlpha;
    m_bInvert = FALSE;
}

int CXTPOffice2007Image::GetWidth() const
{
    BITMAP bm;
    if (m_hBitmap == NULL || ::GetObjectA(m_hBitmap, sizeof(bm), &bm) == 0)
        return 0;
    return bm.bmWidth;
}

int CXTPOffice2007Image::GetHeight() const
{
    BITMAP bm;
    if (m_hBitmap == NULL || ::GetObjectA(m_hBitmap, sizeof(bm), &bm) == 0)
        return 0;
    return bm.bmHeight;
}

CRect CXTPOffice2007Image::GetSource(int nState, int nCount) const
{
    if (m_hBitmap == NULL)
        return CRect(0, 0, 0, 0);
    if (nCount < 1)
        nCount = 1;
    int nPartHeight = GetHeight() / nCount;
    return CRect(0, nState * nPartHeight, GetWidth(), (nState + 1) * nPartHeight);
}

void CXTPOffice2007Image::DrawPart(HDC hDestDC, const CRect& rcDest, HDC hSrcDC, const CRect& rcSrc)
{
    if (rcDest.IsRectEmpty() || rcSrc.IsRectEmpty())
        return;
    if (m_bAlpha)
    {
        CXTPImageManager::AlphaBlend(hDestDC, rcDest, hSrcDC, rcSrc);
    }
    else if (rcDest.Width() == rcSrc.Width() && rcDest.Height() == rcSrc.Height())
    {
        ::BitBlt(hDestDC, rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(), hSrcDC, rcSrc.left, rcSrc.top,
                 SRCCOPY);
    }
    else
    {
        ::StretchBlt(hDestDC, rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(), hSrcDC, rcSrc.left,
                     rcSrc.top, rcSrc.Width(), rcSrc.Height(), SRCCOPY);
    }
}

void CXTPOffice2007Image::DrawNineParts(HDC hDestDC, HDC hSrcDC, const CRect& rcDest, const CRect& rcSrc,
                                        CRect rcMargins)
{
    int nOldMode = ::SetStretchBltMode(hDestDC, COLORONCOLOR);

    if (rcMargins.left == 0 && rcMargins.top == 0 && rcMargins.right == 0 && rcMargins.bottom == 0)
    {
        DrawPart(hDestDC, rcDest, hSrcDC, rcSrc);
        ::SetStretchBltMode(hDestDC, nOldMode);
        return;
    }

    // Destination margins: the corners keep their size unless the destination
    // is too small for them, in which case they shrink in proportion.
    CRect rcDestMargins = rcMargins;
    int nDestHeight = rcDest.Height();
    int nVert = rcMargins.top + rcMargins.bottom;
    if (nVert > 0 && (nDestHeight <= nVert || rcSrc.Height() == nVert))
    {
        rcDestMargins.top = ::MulDiv(nDestHeight, rcMargins.top, nVert);
        rcDestMargins.bottom = nDestHeight - rcDestMargins.top;
        if (rcDestMargins.bottom > 0 && (rcDestMargins.bottom % 2) != (rcMargins.bottom % 2))
            rcDestMargins.bottom++;
    }
    int nDestWidth = rcDest.Width();
    int nHorz = rcMargins.left + rcMargins.right;
    if (nHorz > 0 && (nDestWidth <= nHorz || rcSrc.Width() == nHorz))
    {
        rcDestMargins.left = nDestWidth * rcMargins.left / nHorz;
        rcDestMargins.right = nDestWidth - rcDestMargins.left;
    }

    const int sx[4] = { rcSrc.left, rcSrc.left + rcMargins.left, rcSrc.right - rcMargins.right, rcSrc.right };
    const int sy[4] = { rcSrc.top, rcSrc.top + rcMargins.top, rcSrc.bottom - rcMargins.bottom, rcSrc.bottom };
    const int dx[4] = { rcDest.left, rcDest.left + rcDestMargins.left, rcDest.right - rcDestMargins.right,
                        rcDest.right };
    const int dy[4] = { rcDest.top, rcDest.top + rcDestMargins.top, rcDest.bottom - rcDestMargins.bottom,
                        rcDest.bottom };

    for (int row = 0; row < 3; row++)
    {
        for (int col = 0; col < 3; col++)
        {
            CRect rcPartSrc(sx[col], sy[row], sx[col + 1], sy[row + 1]);
            CRect rcPartDest(dx[col], dy[row], dx[col + 1], dy[row + 1]);
            DrawPart(hDestDC, rcPartDest, hSrcDC, rcPartSrc);
        }
    }
    ::SetStretchBltMode(hDestDC, nOldMode);
}

void CXTPOffice2007Image::DrawImage(CDC* pDC, const CRect& rcDest, CRect rcSrc, CRect rcSizingMargins)
{
    if (m_hBitmap == NULL || pDC == NULL || pDC->GetSafeHdc() == NULL)
        return;
    if (rcSizingMargins.top + rcSizingMargins.bottom > rcSrc.Height())
        return;

    CXTPSectionLock lock(m_pImages ? &m_pImages->GetLock() : NULL);

    if (rcDest.Width() == rcSrc.Width())
    {
        rcSizingMargins.left = 0;
        rcSizingMargins.right = 0;
    }
    if (rcDest.Height() == rcSrc.Height())
    {
        rcSizingMargins.top = 0;
        rcSizingMargins.bottom = 0;
    }

    HDC hDestDC = pDC->GetSafeHdc();
    BOOL bRTL = CXTPDrawHelpers::IsContextRTL(hDestDC);
    if (m_bAlpha && m_bImageOrientationPreserved && bRTL != m_bInvert)
    {
        HBITMAP hMirrored = CXTPImageManager::MirrorAlphaBitmap(m_hBitmap);
        if (hMirrored != NULL)
        {
            ::DeleteObject(m_hBitmap);
            m_hBitmap = hMirrored;
            m_bInvert = !m_bInvert;
        }
    }

    HDC hSrcDC = ::CreateCompatibleDC(hDestDC);
    if (hSrcDC == NULL)
        return;
    if (!m_bAlpha && !m_bImageOrientationPreserved && bRTL)
        CXTPDrawHelpers::SetContextRTL(hSrcDC, FALSE);
    HGDIOBJ hOldBitmap = ::SelectObject(hSrcDC, m_hBitmap);

    DrawNineParts(hDestDC, hSrcDC, rcDest, rcSrc, rcSizingMargins);

    ::SelectObject(hSrcDC, hOldBitmap);
    ::DeleteDC(hSrcDC);
}

void CXTPOffice2007Image::DrawImageTransparent(CDC* pDC, const CRect& rcDest, CRect rcSrc, CRect rcSizingMargins,
                                               COLORREF clrTransparent)
{
    if (m_bAlpha || clrTransparent == COLORREF_NULL)
    {
        DrawImage(pDC, rcDest, rcSrc, rcSizingMargins);
        return;
    }
    if (m_hBitmap == NULL || pDC == NULL || pDC->GetSafeHdc() == NULL || rcDest.IsRectEmpty())
        return;
    if (rcSizingMargins.top + rcSizingMargins.bottom > rcSrc.Height())
        return;

    HDC hDestDC = pDC->GetSafeHdc();

    // On a true-colour, left-to-right DC the picture drawn at this size
    // is kept and blended; its pixels are those of the keyed copy below.
    // A memory DC has the depth of the screen, which is known: asking the
    // display driver costs far more than blending a kept picture.
    const int nBits = ::GetObjectType(hDestDC) == OBJ_MEMDC ? CXTPColorManager::GetScreenBitsPerPixel()
                                                             : ::GetDeviceCaps(hDestDC, BITSPIXEL);
    if (!CXTPDrawHelpers::IsContextRTL(hDestDC) && nBits >= 24)
    {
        CXTPSectionLock lock(m_pImages ? &m_pImages->GetLock() : NULL);
        HBITMAP hKeyed = GetKeyedPicture(hDestDC, rcDest.Size(), rcSrc, rcSizingMargins, clrTransparent);
        if (BlendPicture(hDestDC, rcDest, hKeyed))
            return;
    }

    // The parts go into a buffer of the destination's size first filled
    // with the transparent colour, which is then left out in the copy.
    HDC hBufferDC = ::CreateCompatibleDC(hDestDC);
    HBITMAP hBuffer = ::CreateCompatibleBitmap(hDestDC, rcDest.Width(), rcDest.Height());
    if (hBufferDC == NULL || hBuffer == NULL)
    {
        if (hBuffer)
            ::DeleteObject(hBuffer);
        if (hBufferDC)
            ::DeleteDC(hBufferDC);
        return;
    }
    HGDIOBJ hOldBuffer = ::SelectObject(hBufferDC, hBuffer);
    CRect rcBuffer(0, 0, rcDest.Width(), rcDest.Height());
    HBRUSH hBrush = ::CreateSolidBrush(clrTransparent);
    ::FillRect(hBufferDC, &rcBuffer, hBrush);
    ::DeleteObject(hBrush);

    {
        CDC* pBufferDC = CDC::FromHandle(hBufferDC);
        DrawImage(pBufferDC, rcBuffer, rcSrc, rcSizingMargins);
    }

    CXTPImageManager::TransparentBlt(hDestDC, rcDest, hBufferDC, rcBuffer, clrTransparent);

    ::SelectObject(hBufferDC, hOldBuffer);
    ::DeleteObject(hBuffer);
    ::DeleteDC(hBufferDC);
}

void CXTPOffice2007Image::DrawImageBuffered(CDC* pDC, const CRect& rcDest, CRect rcSrc, CRect rcSizingMargins,
                                            COLORREF clrTransparent, DWORD dwFlags)
{
    if ((dwFlags & 1) == 0)
    {
        DrawImageTransparent(pDC, rcDest, rcSrc, rcSizingMargins, clrTransparent);
        return;
    }
    if (m_bAlpha)
    {
        DrawImage(pDC, rcDest, rcSrc, rcSizingMargins);
        return;
    }
    if (m_hBitmap == NULL || pDC == NULL || pDC->GetSafeHdc() == NULL || rcDest.IsRectEmpty())
        return;
    if (rcSizingMargins.top + rcSizingMargins.bottom > rcSrc.Height())
        return;

    HDC hDestDC = pDC->GetSafeHdc();

    // A keyed picture on a left-to-right DC is the one DrawImageTransparent
    // keeps; without a transparent colour, or mirrored, it is made for this
    // drawing alone.
    if (clrTransparent != COLORREF_NULL && !CXTPDrawHelpers::IsContextRTL(hDestDC))
    {
        CXTPSectionLock lock(m_pImages ? &m_pImages->GetLock() : NULL);
        HBITMAP hKeyed = GetKeyedPicture(hDestDC, rcDest.Size(), rcSrc, rcSizingMargins, clrTransparent);
        BlendPicture(hDestDC, rcDest, hKeyed);
        return;
    }

    HBITMAP hPicture = RenderKeyedPicture(hDestDC, rcDest.Size(), rcSrc, rcSizingMargins, clrTransparent);
    if (hPicture != NULL)
    {
        BlendPicture(hDestDC, rcDest, hPicture);
        ::DeleteObject(hPicture);
    }
}

BOOL CXTPOffice2007Image::BlendPicture(HDC hDestDC, const CRect& rcDest, HBITMAP hPicture)
{
    HDC hPictureDC = hPicture != NULL ? ::CreateCompatibleDC(hDestDC) : NULL;
    if (hPictureDC == NULL)
        return FALSE;
    HGDIOBJ hOld = ::SelectObject(hPictureDC, hPicture);
    CXTPImageManager::AlphaBlend(hDestDC, rcDest, hPictureDC, CRect(CPoint(0, 0), rcDest.Size()));
    ::SelectObject(hPictureDC, hOld);
    ::DeleteDC(hPictureDC);
    return TRUE;
}

HBITMAP CXTPOffice2007Image::RenderKeyedPicture(HDC hDestDC, CSize szDest, const CRect& rcSrc,
                                                const CRect& rcMargins, COLORREF clrTransparent)
{
    LPBYTE pBits = NULL;
    HBITMAP hPicture = CXTPImageManager::Create32BitDIBSection(hDestDC, szDest.cx, szDest.cy, &pBits);
    HDC hPictureDC = ::CreateCompatibleDC(hDestDC);
    if (hPicture == NULL || pBits == NULL || hPictureDC == NULL)
    {
        if (hPicture)
            ::DeleteObject(hPicture);
        if (hPictureDC)
            ::DeleteDC(hPictureDC);
        return NULL;
    }
    HGDIOBJ hOld = ::SelectObject(hPictureDC, hPicture);
    CRect rcPicture(CPoint(0, 0), szDest);
    if (clrTransparent != COLORREF_NULL)
    {
        HBRUSH hBrush = ::CreateSolidBrush(clrTransparent);
        ::FillRect(hPictureDC, &rcPicture, hBrush);
        ::DeleteObject(hBrush);
    }
    DrawImage(CDC::FromHandle(hPictureDC), rcPicture, rcSrc, rcMargins);
    ::GdiFlush();
    ::SelectObject(hPictureDC, hOld);
    ::DeleteDC(hPictureDC);

    // Transparent-colour pixels become fully transparent (premultiplied:
    // black), every other pixel opaque.
    BOOL bKeyed = clrTransparent != COLORREF_NULL;
    DWORD dwTransparent = (DWORD)(GetBValue(clrTransparent) | (GetGValue(clrTransparent) << 8) |
                                  (GetRValue(clrTransparent) << 16));
    DWORD* pPixel = reinterpret_cast<DWORD*>(pBits);
    for (long i = 0, n = (long)szDest.cx * szDest.cy; i < n; i++, pPixel++)
    {
        if (bKeyed && (*pPixel & 0x00FFFFFF) == dwTransparent)
            *pPixel = 0;
        else
            *pPixel |= 0xFF000000;
    }
    return hPicture;
}

HBITMAP CXTPOffice2007Image::GetKeyedPicture(HDC hDestDC, CSize szDest, const CRect& rcSrc,
                                             const CRect& rcMargins, COLORREF clrTransparent)
{
    int nFound = -1;
    for (int i = 0; i < m_nKeyed && nFound < 0; i++)
    {
        const KEYED_PICTURE& picture = m_keyed[i];
        if (picture.szDest == szDest && picture.rcSrc == rcSrc && picture.rcMargins == rcMargins &&
            picture.clrTransparent == clrTransparent)
            nFound = i;
    }

    KEYED_PICTURE found;
    if (nFound >= 0)
    {
        found = m_keyed[nFound];
    }
    else
    {
        HBITMAP hPicture = RenderKeyedPicture(hDestDC, szDest, rcSrc, rcMargins, clrTransparent);
        if (hPicture == NULL)
            return NULL;
        // The picture drawn longest ago makes room.
        if (m_nKeyed == kKeyedPictures)
            ::DeleteObject(m_keyed[--m_nKeyed].hBitmap);
        nFound = m_nKeyed++;
        found.rcSrc = rcSrc;
        found.szDest = szDest;
        found.rcMargins = rcMargins;
        found.clrTransparent = clrTransparent;
        found.hBitmap = hPicture;
    }

    // The picture just drawn goes to the front.
    for (int i = nFound; i > 0; i--)
        m_keyed[i] = m_keyed[i - 1];
    m_keyed[0] = found;
    return found.hBitmap;
}

//////////////////////////////////////////////////////////////////////////
// CXTPOffice2007ImageStore

CXTPOffice2007ImageStore::CXTPOffice2007ImageStore()
    : m_hResource(NULL)
    , m_lpTextFile(NULL)
    , m_lpTextFileEnd(NULL)
    , m_bFreeOnRelease(FALSE)
{
    m_mapImages.InitHashTable(199);
}

CXTPOffice2007ImageStore::~CXTPOffice2007ImageStore()
{
    RemoveAll();
    ReleaseModule();
}

void CXTPOffice2007ImageStore::ReleaseModule()
{
    if (m_bFreeOnRelease && m_hResource != NULL)
        ::FreeLibrary(m_hResource);
    m_hResource = NULL;
    m_bFreeOnRelease = FALSE;
}

void CXTPOffice2007ImageStore::RemoveAll()
{
    CXTPSectionLock lock(&m_lock);
    POSITION pos = m_mapImages.GetStartPosition();
    while (pos != NULL)
    {
        CString strName;
        void* pImage = NULL;
        m_mapImages.GetNextAssoc(pos, strName, pImage);
        delete static_cast<CXTPOffice2007Image*>(pImage);
    }
    m_mapImages.RemoveAll();
}

BOOL CXTPOffice2007ImageStore::LoadTheme(HMODULE hModule, LPCTSTR lpszIniFileName, BOOL bFreeOnRelease)
{
    // The previous module is freed when owned, but never the one about to be
    // read: loading the same module again keeps it (and its ownership).
    if (hModule != m_hResource)
        ReleaseModule();
    else if (m_bFreeOnRelease)
        bFreeOnRelease = TRUE;

    BOOL bDefaultName = lpszIniFileName == NULL || *lpszIniFileName == 0;
    m_strName = bDefaultName ? kDefaultTheme : lpszIniFileName;
    m_strName.Replace('.', '_');

    RemoveAll();
    m_hResource = hModule;
    m_bFreeOnRelease = bFreeOnRelease;
    m_lpTextFile = NULL;
    m_lpTextFileEnd = NULL;
    m_mapValues.RemoveAll();

    if (hModule == NULL)
        return FALSE;

    HRSRC hResource = ::FindResourceA(hModule, m_strName, kTextFileType);
    if (hResource == NULL && bDefaultName)
    {
        // No default theme: take the module's first theme text.
        FirstResourceSearch search;
        search.bFound = FALSE;
        ::EnumResourceNamesA(hModule, kTextFileType, FindFirstNameProc, reinterpret_cast<LONG_PTR>(&search));
        if (search.bFound)
        {
            hResource = ::FindResourceA(hModule, search.strName, kTextFileType);
            if (hResource != NULL)
                m_strName = search.strName;
        }
    }
    if (hResource == NULL)
        return FALSE;

    HGLOBAL hGlobal = ::LoadResource(hModule, hResource);
    LPCWSTR lpText = hGlobal ? static_cast<LPCWSTR>(::LockResource(hGlobal)) : NULL;
    if (lpText == NULL)
        return FALSE;
    DWORD dwSize = ::SizeofResource(hModule, hResource);
    m_lpTextFile = lpText;
    m_lpTextFileEnd = lpText + dwSize / sizeof(WCHAR);
    BuildIndex();
    return TRUE;
}

void CXTPOffice2007ImageStore::BuildIndex()
{
    // Every key of the text, read once: "SECTION\nKEY" -> value. A key is
    // found in the first section of its name only (a section that comes
    // again later is not read), and the first of equal keys wins.
    m_mapValues.RemoveAll();
    if (m_lpTextFile == NULL)
        return;
    m_mapValues.InitHashTable(1021);

    CMapStringToPtr mapSectionsDone;
    CString strSection;
    BOOL bInSection = FALSE;
    LPCWSTR lpLine = m_lpTextFile;
    while (lpLine < m_lpTextFileEnd)
    {
        // A line ends with a carriage return (and an optional line feed); a
        // last line without one is not read.
        LPCWSTR lpEnd = lpLine;
        while (lpEnd < m_lpTextFileEnd && *lpEnd != L'\r')
            lpEnd++;
        if (lpEnd >= m_lpTextFileEnd)
            break;
        CString strLine = NarrowLine(lpLine, (int)(lpEnd - lpLine));
        lpLine = lpEnd + 1;
        if (lpLine < m_lpTextFileEnd && *lpLine == L'\n')
            lpLine++;

        strLine.TrimLeft();
        int nComment = strLine.Find(';');
        if (nComment == 0)
            continue;
        if (nComment > 0)
            strLine = strLine.Left(nComment);
        strLine.TrimRight();
        if (strLine.IsEmpty())
            continue;
        strLine.MakeUpper();

        if (strLine[0] == '[')
        {
            if (bInSection)
                mapSectionsDone.SetAt(strSection, NULL);
            strSection = strLine.GetLength() >= 2 ? strLine.Mid(1, strLine.GetLength() - 2) : CString();
            void* pDone = NULL;
            bInSection = !mapSectionsDone.Lookup(strSection, pDone);
            continue;
        }
        if (!bInSection)
            continue;

        int nEquals = strLine.Find('=');
        if (nEquals < 1)
            continue;
        CString strKey = strLine.Left(nEquals);
        strKey.TrimRight();
        CString strIndex = strSection + '\n' + strKey;
        CString strExisting;
        if (m_mapValues.Lookup(strIndex, strExisting))
            continue;
        CString strValue = strLine.Mid(nEquals + 1);
        strValue.TrimLeft();
        strValue.TrimRight();
        m_mapValues.SetAt(strIndex, strValue);
    }
}

CString CXTPOffice2007ImageStore::GetValue(LPCTSTR lpszSectionName, LPCTSTR lpszKeyName) const
{
    CString strResult;
    if (m_lpTextFile == NULL || lpszSectionName == NULL || lpszKeyName == NULL)
        return strResult;

    CString strIndex(lpszSectionName);
    strIndex += '\n';
    strIndex += lpszKeyName;
    strIndex.MakeUpper();
    m_mapValues.Lookup(strIndex, strResult);
    return strResult;
}

COLORREF CXTPOffice2007ImageStore::GetImageColor(LPCTSTR lpszSectionName, LPCTSTR lpszKeyName) const
{
    CString strValue = GetValue(lpszSectionName, lpszKeyName);
    if (strValue.IsEmpty())
        return COLORREF_NULL;

    int nRed = 0, nGreen = 0, nBlue = 0;
    sscanf(strValue, "%i %i %i", &nRed, &nGreen, &nBlue);
    return RGB(nRed, nGreen, nBlue);
}

CXTPOffice2007Image* CXTPOffice2007ImageStore::LoadImage(LPCTSTR lpszImageFile)
{
    CString strName = lpszImageFile;
    CString strMapped = GetValue(_T("Images"), lpszImageFile);
    if (!strMapped.IsEmpty())
        strName = strMapped;
    ReplaceSeparators(strName);

    BOOL bAlpha = FALSE;
    HBITMAP hBitmap = CXTPImageManager::LoadBitmapFromResource(m_hResource, strName, &bAlpha);
    if (hBitmap == NULL)
        return NULL;

    CXTPOffice2007Image* pImage = new CXTPOffice2007Image(this);
    pImage->SetBitmap(hBitmap, bAlpha);
    return pImage;
}

CXTPOffice2007Image* CXTPOffice2007ImageStore::GetImage(LPCTSTR lpszImageFile)
{
    if (m_hResource == NULL || lpszImageFile == NULL || *lpszImageFile == 0)
        return NULL;

    CXTPSectionLock lock(&m_lock);
    void* pCached = NULL;
    if (m_mapImages.Lookup(lpszImageFile, pCached))
        return static_cast<CXTPOffice2007Image*>(pCached);

    CXTPOffice2007Image* pImage = LoadImage(lpszImageFile);
    if (pImage != NULL)
        m_mapImages.SetAt(lpszImageFile, pImage);
    return pImage;
}

CXTPOffice2007ImageStore* AFXAPI XTPOffice2007ImageStore()
{
    static CXTPOffice2007ImageStore s_store;
    static BOOL s_bLoaded = FALSE;
    if (!s_bLoaded)
    {
        s_bLoaded = TRUE;
        s_store.LoadTheme(AfxGetInstanceHandle(), NULL, FALSE);
    }
    return &s_store;
}
