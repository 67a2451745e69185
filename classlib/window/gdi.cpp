// GDI object wrappers: CGdiObject, CPen, CBrush, CFont, CBitmap, CPalette, CRgn.
#include <afxgdi.h>

#include <stdlib.h>

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CPalette, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)

// ---------------------------------------------------------------------------
// Temporaries

namespace
{
// The wrapper class that matches a handle's GDI object type.
const CRuntimeClass* ClassForObjectType(DWORD type)
{
    switch (type)
    {
    case OBJ_PEN:
    case OBJ_EXTPEN:
        return RUNTIME_CLASS(CPen);
    case OBJ_BRUSH:
        return RUNTIME_CLASS(CBrush);
    case OBJ_FONT:
        return RUNTIME_CLASS(CFont);
    case OBJ_BITMAP:
        return RUNTIME_CLASS(CBitmap);
    case OBJ_PAL:
        return RUNTIME_CLASS(CPalette);
    case OBJ_REGION:
        return RUNTIME_CLASS(CRgn);
    default:
        return RUNTIME_CLASS(CGdiObject);
    }
}
} // namespace

CGdiObject* CGdiHandleTraits::CreateTemp(HGDIOBJ h)
{
    CGdiObject* p;
    switch (::GetObjectType(h))
    {
    case OBJ_PEN:
    case OBJ_EXTPEN:
        p = new CPen;
        break;
    case OBJ_BRUSH:
        p = new CBrush;
        break;
    case OBJ_FONT:
        p = new CFont;
        break;
    case OBJ_BITMAP:
        p = new CBitmap;
        break;
    case OBJ_PAL:
        p = new CPalette;
        break;
    case OBJ_REGION:
        p = new CRgn;
        break;
    default:
        p = new CGdiObject;
        break;
    }
    p->m_hObject = h;
    return p;
}

void CGdiHandleTraits::DetachTemp(CGdiObject* p)
{
    p->m_hObject = NULL;
}

BOOL CGdiHandleTraits::IsTempStale(CGdiObject* p, HGDIOBJ h)
{
    // GDI reuses handle values: a temporary made for a pen must not be handed
    // out as a brush after the pen was deleted and the value reused.
    return p->GetRuntimeClass() != ClassForObjectType(::GetObjectType(h));
}

// ---------------------------------------------------------------------------
// CGdiObject

CGdiObject::CGdiObject() : m_hObject(NULL)
{
}

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

CGdiObject* PASCAL CGdiObject::FromHandle(HGDIOBJ hObject)
{
    return CGdiHandleMap::GetThreadMap()->FromHandle(hObject);
}

void PASCAL CGdiObject::DeleteTempMap()
{
    CGdiHandleMap::GetThreadMap()->DeleteTemp();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (hObject == NULL)
        return FALSE;
    if (m_hObject != NULL && m_hObject != hObject)
        DeleteObject();
    m_hObject = hObject;
    CGdiHandleMap::GetThreadMap()->SetPermanent(hObject, this);
    return TRUE;
}

BOOL CGdiObject::AttachNew(HGDIOBJ hObject)
{
    if (hObject == NULL)
        return FALSE;
    return Attach(hObject);
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ hObject = m_hObject;
    if (hObject != NULL)
        CGdiHandleMap::GetThreadMap()->RemovePermanent(hObject, this);
    m_hObject = NULL;
    return hObject;
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == NULL)
        return FALSE;
    CGdiHandleMap* pMap = CGdiHandleMap::GetThreadMap();
    // A temporary that deletes its handle leaves the map now: the value may
    // come back as another object before the idle pass.
    pMap->RetireTemporary(m_hObject, this);
    return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const
{
    if (m_hObject == NULL)
        return 0;
    return ::GetObject(m_hObject, nCount, lpObject);
}

UINT CGdiObject::GetObjectType() const
{
    return m_hObject != NULL ? (UINT)::GetObjectType(m_hObject) : 0;
}

BOOL CGdiObject::CreateStockObject(int nIndex)
{
    // Stock objects are never really deleted, so owning one is harmless.
    return AttachNew(::GetStockObject(nIndex));
}

BOOL CGdiObject::UnrealizeObject()
{
    return m_hObject != NULL && ::UnrealizeObject(m_hObject);
}

// ---------------------------------------------------------------------------
// CPen

CPen* PASCAL CPen::FromHandle(HPEN hPen)
{
    return static_cast<CPen*>(CGdiObject::FromHandle(hPen));
}

CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor)
{
    if (!CreatePen(nPenStyle, nWidth, crColor))
        AfxThrowResourceException();
}

CPen::CPen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount,
           const DWORD* lpStyle)
{
    if (!CreatePen(nPenStyle, nWidth, pLogBrush, nStyleCount, lpStyle))
        AfxThrowResourceException();
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
    return AttachNew(::CreatePen(nPenStyle, nWidth, crColor));
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount,
                     const DWORD* lpStyle)
{
    if (pLogBrush == NULL)
        return FALSE;
    return AttachNew(::ExtCreatePen((DWORD)nPenStyle, (DWORD)nWidth, pLogBrush, (DWORD)nStyleCount,
                                    lpStyle));
}

BOOL CPen::CreatePenIndirect(LPLOGPEN lpLogPen)
{
    if (lpLogPen == NULL)
        return FALSE;
    return AttachNew(::CreatePenIndirect(lpLogPen));
}

int CPen::GetLogPen(LOGPEN* pLogPen) const
{
    return GetObject(sizeof(LOGPEN), pLogPen);
}

int CPen::GetExtLogPen(EXTLOGPEN* pLogPen) const
{
    return GetObject(sizeof(EXTLOGPEN), pLogPen);
}

// ---------------------------------------------------------------------------
// CBrush

CBrush* PASCAL CBrush::FromHandle(HBRUSH hBrush)
{
    return static_cast<CBrush*>(CGdiObject::FromHandle(hBrush));
}

CBrush::CBrush(COLORREF crColor)
{
    if (!CreateSolidBrush(crColor))
        AfxThrowResourceException();
}

CBrush::CBrush(int nIndex, COLORREF crColor)
{
    if (!CreateHatchBrush(nIndex, crColor))
        AfxThrowResourceException();
}

CBrush::CBrush(CBitmap* pBitmap)
{
    if (!CreatePatternBrush(pBitmap))
        AfxThrowResourceException();
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    return AttachNew(::CreateSolidBrush(crColor));
}

BOOL CBrush::CreateHatchBrush(int nIndex, COLORREF crColor)
{
    return AttachNew(::CreateHatchBrush(nIndex, crColor));
}

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* lpLogBrush)
{
    if (lpLogBrush == NULL)
        return FALSE;
    return AttachNew(::CreateBrushIndirect(lpLogBrush));
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap)
{
    if (pBitmap == NULL || pBitmap->m_hObject == NULL)
        return FALSE;
    return AttachNew(::CreatePatternBrush((HBITMAP)pBitmap->m_hObject));
}

BOOL CBrush::CreateDIBPatternBrush(HGLOBAL hPackedDIB, UINT nUsage)
{
    if (hPackedDIB == NULL)
        return FALSE;
    const void* pDIB = ::GlobalLock(hPackedDIB);
    if (pDIB == NULL)
        return FALSE;
    BOOL bResult = AttachNew(::CreateDIBPatternBrushPt(pDIB, nUsage));
    ::GlobalUnlock(hPackedDIB);
    return bResult;
}

BOOL CBrush::CreateDIBPatternBrush(const void* lpPackedDIB, UINT nUsage)
{
    if (lpPackedDIB == NULL)
        return FALSE;
    return AttachNew(::CreateDIBPatternBrushPt(lpPackedDIB, nUsage));
}

BOOL CBrush::CreateSysColorBrush(int nIndex)
{
    return AttachNew(::GetSysColorBrush(nIndex));
}

int CBrush::GetLogBrush(LOGBRUSH* pLogBrush) const
{
    return GetObject(sizeof(LOGBRUSH), pLogBrush);
}

// ---------------------------------------------------------------------------
// CFont

CFont* PASCAL CFont::FromHandle(HFONT hFont)
{
    return static_cast<CFont*>(CGdiObject::FromHandle(hFont));
}

BOOL CFont::CreateFontIndirect(const LOGFONT* lpLogFont)
{
    if (lpLogFont == NULL)
        return FALSE;
    return AttachNew(::CreateFontIndirect(lpLogFont));
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                       BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
                       BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality,
                       BYTE nPitchAndFamily, LPCTSTR lpszFacename)
{
    return AttachNew(::CreateFont(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic,
                                  bUnderline, cStrikeOut, nCharSet, nOutPrecision, nClipPrecision,
                                  nQuality, nPitchAndFamily, lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC)
{
    LOGFONT logFont;
    memset(&logFont, 0, sizeof(logFont));
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfHeight = nPointSize;
    if (lpszFaceName != NULL)
        lstrcpynA(logFont.lfFaceName, lpszFaceName, LF_FACESIZE);
    return CreatePointFontIndirect(&logFont, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC)
{
    if (lpLogFont == NULL)
        return FALSE;
    HDC hDC = NULL;
    BOOL bScreen = FALSE;
    if (pDC != NULL && (pDC->m_hAttribDC != NULL || pDC->m_hDC != NULL))
        hDC = pDC->m_hAttribDC != NULL ? pDC->m_hAttribDC : pDC->m_hDC;
    else
    {
        hDC = ::GetDC(NULL);
        bScreen = TRUE;
    }
    if (hDC == NULL)
        return FALSE;

    // Tenths of a point to device pixels, then to the DC's logical units:
    // the difference of two converted points gives a length whatever the
    // origins are.
    LOGFONT logFont = *lpLogFont;
    POINT pt[2];
    pt[0].x = 0;
    pt[0].y = 0;
    pt[1].x = 0;
    pt[1].y = ::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), lpLogFont->lfHeight, 720);
    ::DPtoLP(hDC, pt, 2);
    logFont.lfHeight = -abs(pt[1].y - pt[0].y);

    if (bScreen)
        ::ReleaseDC(NULL, hDC);
    return CreateFontIndirect(&logFont);
}

int CFont::GetLogFont(LOGFONT* pLogFont) const
{
    return GetObject(sizeof(LOGFONT), pLogFont);
}

// ---------------------------------------------------------------------------
// CBitmap

CBitmap* PASCAL CBitmap::FromHandle(HBITMAP hBitmap)
{
    return static_cast<CBitmap*>(CGdiObject::FromHandle(hBitmap));
}

BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName)
{
    if (lpszResourceName == NULL)
        return FALSE;
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_BITMAP);
    return AttachNew(::LoadBitmap(hInst, lpszResourceName));
}

BOOL CBitmap::LoadBitmap(UINT nIDResource)
{
    return LoadBitmap(MAKEINTRESOURCE(nIDResource));
}

BOOL CBitmap::LoadOEMBitmap(UINT nIDBitmap)
{
    return AttachNew(::LoadBitmap(NULL, MAKEINTRESOURCE(nIDBitmap)));
}

BOOL CBitmap::LoadMappedBitmap(UINT nIDBitmap, UINT nFlags, LPCOLORMAP lpColorMap, int nMapSize)
{
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nIDBitmap), RT_BITMAP);
    return AttachNew(::CreateMappedBitmap(hInst, (INT_PTR)nIDBitmap, nFlags, lpColorMap, nMapSize));
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits)
{
    return AttachNew(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
}

BOOL CBitmap::CreateBitmapIndirect(LPBITMAP lpBitmap)
{
    if (lpBitmap == NULL)
        return FALSE;
    return AttachNew(::CreateBitmapIndirect(lpBitmap));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    if (pDC == NULL || pDC->m_hDC == NULL)
        return FALSE;
    return AttachNew(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

BOOL CBitmap::CreateDiscardableBitmap(CDC* pDC, int nWidth, int nHeight)
{
    if (pDC == NULL || pDC->m_hDC == NULL)
        return FALSE;
    return AttachNew(::CreateDiscardableBitmap(pDC->m_hDC, nWidth, nHeight));
}

int CBitmap::GetBitmap(BITMAP* pBitMap) const
{
    return GetObject(sizeof(BITMAP), pBitMap);
}

DWORD CBitmap::SetBitmapBits(DWORD dwCount, const void* lpBits)
{
    if (m_hObject == NULL || lpBits == NULL)
        return 0;
    return (DWORD)::SetBitmapBits((HBITMAP)m_hObject, dwCount, lpBits);
}

DWORD CBitmap::GetBitmapBits(DWORD dwCount, LPVOID lpBits) const
{
    if (m_hObject == NULL || lpBits == NULL)
        return 0;
    return (DWORD)::GetBitmapBits((HBITMAP)m_hObject, (LONG)dwCount, lpBits);
}

CSize CBitmap::SetBitmapDimension(int nWidth, int nHeight)
{
    SIZE size = {0, 0};
    if (m_hObject != NULL)
        ::SetBitmapDimensionEx((HBITMAP)m_hObject, nWidth, nHeight, &size);
    return CSize(size.cx, size.cy);
}

CSize CBitmap::GetBitmapDimension() const
{
    SIZE size = {0, 0};
    if (m_hObject != NULL)
        ::GetBitmapDimensionEx((HBITMAP)m_hObject, &size);
    return CSize(size.cx, size.cy);
}

// ---------------------------------------------------------------------------
// CPalette

CPalette* PASCAL CPalette::FromHandle(HPALETTE hPalette)
{
    return static_cast<CPalette*>(CGdiObject::FromHandle(hPalette));
}

BOOL CPalette::CreatePalette(LPLOGPALETTE lpLogPalette)
{
    if (lpLogPalette == NULL)
        return FALSE;
    return AttachNew(::CreatePalette(lpLogPalette));
}

BOOL CPalette::CreateHalftonePalette(CDC* pDC)
{
    if (pDC == NULL || pDC->m_hDC == NULL)
        return FALSE;
    return AttachNew(::CreateHalftonePalette(pDC->m_hDC));
}

int CPalette::GetEntryCount() const
{
    WORD nEntries = 0;
    if (GetObject(sizeof(WORD), &nEntries) == 0)
        return 0;
    return (int)nEntries;
}

UINT CPalette::GetPaletteEntries(UINT nStartIndex, UINT nNumEntries,
                                 LPPALETTEENTRY lpPaletteColors) const
{
    if (m_hObject == NULL)
        return 0;
    return ::GetPaletteEntries((HPALETTE)m_hObject, nStartIndex, nNumEntries, lpPaletteColors);
}

UINT CPalette::SetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors)
{
    if (m_hObject == NULL || lpPaletteColors == NULL)
        return 0;
    return ::SetPaletteEntries((HPALETTE)m_hObject, nStartIndex, nNumEntries, lpPaletteColors);
}

void CPalette::AnimatePalette(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors)
{
    if (m_hObject != NULL && lpPaletteColors != NULL)
        ::AnimatePalette((HPALETTE)m_hObject, nStartIndex, nNumEntries, lpPaletteColors);
}

UINT CPalette::GetNearestPaletteIndex(COLORREF crColor) const
{
    if (m_hObject == NULL)
        return CLR_INVALID;
    return ::GetNearestPaletteIndex((HPALETTE)m_hObject, crColor);
}

BOOL CPalette::ResizePalette(UINT nNumEntries)
{
    return m_hObject != NULL && ::ResizePalette((HPALETTE)m_hObject, nNumEntries);
}

// ---------------------------------------------------------------------------
// CRgn

CRgn* PASCAL CRgn::FromHandle(HRGN hRgn)
{
    return static_cast<CRgn*>(CGdiObject::FromHandle(hRgn));
}

BOOL CRgn::EnsureRegion()
{
    if (m_hObject != NULL)
        return TRUE;
    return AttachNew(::CreateRectRgn(0, 0, 0, 0));
}

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2)
{
    return AttachNew(::CreateRectRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect)
{
    if (lpRect == NULL)
        return FALSE;
    return AttachNew(::CreateRectRgnIndirect(lpRect));
}

BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2)
{
    return AttachNew(::CreateEllipticRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreateEllipticRgnIndirect(LPCRECT lpRect)
{
    if (lpRect == NULL)
        return FALSE;
    return AttachNew(::CreateEllipticRgnIndirect(lpRect));
}

BOOL CRgn::CreatePolygonRgn(LPPOINT lpPoints, int nCount, int nMode)
{
    if (lpPoints == NULL || nCount <= 0)
        return FALSE;
    return AttachNew(::CreatePolygonRgn(lpPoints, nCount, nMode));
}

BOOL CRgn::CreatePolyPolygonRgn(LPPOINT lpPoints, LPINT lpPolyCounts, int nCount, int nPolyFillMode)
{
    if (lpPoints == NULL || lpPolyCounts == NULL || nCount <= 0)
        return FALSE;
    return AttachNew(::CreatePolyPolygonRgn(lpPoints, lpPolyCounts, nCount, nPolyFillMode));
}

BOOL CRgn::CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3)
{
    return AttachNew(::CreateRoundRectRgn(x1, y1, x2, y2, x3, y3));
}

BOOL CRgn::CreateFromPath(CDC* pDC)
{
    if (pDC == NULL || pDC->m_hDC == NULL)
        return FALSE;
    return AttachNew(::PathToRegion(pDC->m_hDC));
}

BOOL CRgn::CreateFromData(const XFORM* lpXForm, int nCount, const RGNDATA* pRgnData)
{
    // The data must at least hold its header, and the header must agree with
    // the size given, before GDI reads the rectangles behind it.
    if (pRgnData == NULL || nCount < (int)sizeof(RGNDATAHEADER))
        return FALSE;
    const RGNDATAHEADER& rdh = pRgnData->rdh;
    if (rdh.dwSize < sizeof(RGNDATAHEADER) || rdh.iType != RDH_RECTANGLES)
        return FALSE;
    unsigned long long need = (unsigned long long)rdh.dwSize + (unsigned long long)rdh.nCount * sizeof(RECT);
    if (need > (unsigned long long)nCount)
        return FALSE;
    return AttachNew(::ExtCreateRegion(lpXForm, (DWORD)nCount, pRgnData));
}

void CRgn::SetRectRgn(int x1, int y1, int x2, int y2)
{
    if (m_hObject == NULL)
        CreateRectRgn(x1, y1, x2, y2);
    else
        ::SetRectRgn((HRGN)m_hObject, x1, y1, x2, y2);
}

void CRgn::SetRectRgn(LPCRECT lpRect)
{
    if (lpRect != NULL)
        SetRectRgn(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CRgn::CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode)
{
    if (pRgn1 == NULL || pRgn1->m_hObject == NULL)
        return ERROR;
    HRGN hRgn2 = pRgn2 != NULL ? (HRGN)pRgn2->m_hObject : NULL;
    if (hRgn2 == NULL && nCombineMode != RGN_COPY)
        return ERROR;
    if (!EnsureRegion())
        return ERROR;
    return ::CombineRgn((HRGN)m_hObject, (HRGN)pRgn1->m_hObject, hRgn2, nCombineMode);
}

int CRgn::CopyRgn(const CRgn* pRgnSrc)
{
    if (pRgnSrc == NULL || pRgnSrc->m_hObject == NULL || !EnsureRegion())
        return ERROR;
    return ::CombineRgn((HRGN)m_hObject, (HRGN)pRgnSrc->m_hObject, NULL, RGN_COPY);
}

BOOL CRgn::EqualRgn(const CRgn* pRgn) const
{
    if (pRgn == NULL || m_hObject == NULL || pRgn->m_hObject == NULL)
        return FALSE;
    return ::EqualRgn((HRGN)m_hObject, (HRGN)pRgn->m_hObject);
}

int CRgn::OffsetRgn(int x, int y)
{
    if (m_hObject == NULL)
        return ERROR;
    return ::OffsetRgn((HRGN)m_hObject, x, y);
}

int CRgn::OffsetRgn(POINT point)
{
    return OffsetRgn(point.x, point.y);
}

int CRgn::GetRgnBox(LPRECT lpRect) const
{
    if (m_hObject == NULL || lpRect == NULL)
        return ERROR;
    return ::GetRgnBox((HRGN)m_hObject, lpRect);
}

BOOL CRgn::PtInRegion(int x, int y) const
{
    return m_hObject != NULL && ::PtInRegion((HRGN)m_hObject, x, y);
}

BOOL CRgn::PtInRegion(POINT point) const
{
    return PtInRegion(point.x, point.y);
}

BOOL CRgn::RectInRegion(LPCRECT lpRect) const
{
    return m_hObject != NULL && lpRect != NULL && ::RectInRegion((HRGN)m_hObject, lpRect);
}

int CRgn::GetRegionData(LPRGNDATA lpRgnData, int nCount) const
{
    if (m_hObject == NULL || nCount < 0)
        return 0;
    return (int)::GetRegionData((HRGN)m_hObject, (DWORD)nCount, lpRgnData);
}
