// CDC: device-context wrapper.  Output goes to m_hDC, queries to the
// attribute DC, and state changes to both when they differ.
#include <afxgdi.h>

#include <stdlib.h>

IMPLEMENT_DYNCREATE(CDC, CObject)

// ---------------------------------------------------------------------------
// Temporaries

CDC* CDCHandleTraits::CreateTemp(HDC h)
{
    CDC* p = new CDC;
    p->m_hDC = h;
    p->m_hAttribDC = h;
    return p;
}

void CDCHandleTraits::DetachTemp(CDC* p)
{
    p->m_hDC = NULL;
    p->m_hAttribDC = NULL;
}

// ---------------------------------------------------------------------------
// Construction and handles

CDC::CDC() : m_hDC(NULL), m_hAttribDC(NULL), m_bPrinting(FALSE)
{
}

CDC::~CDC()
{
    if (m_hDC != NULL)
        ::DeleteDC(Detach());
}

CDC* PASCAL CDC::FromHandle(HDC hDC)
{
    return CDCHandleMap::GetThreadMap()->FromHandle(hDC);
}

void PASCAL CDC::DeleteTempMap()
{
    CDCHandleMap::GetThreadMap()->DeleteTemp();
}

BOOL CDC::Attach(HDC hDC)
{
    if (hDC == NULL)
        return FALSE;
    if (m_hDC != NULL && m_hDC != hDC)
        ::DeleteDC(Detach());
    m_hDC = hDC;
    SetAttribDC(hDC);
    CDCHandleMap::GetThreadMap()->SetPermanent(hDC, this);
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    if (hDC != NULL)
    {
        CDCHandleMap* pMap = CDCHandleMap::GetThreadMap();
        pMap->RemovePermanent(hDC, this);
        pMap->RetireTemporary(hDC, this);
    }
    ReleaseAttribDC();
    m_hDC = NULL;
    return hDC;
}

void CDC::SetAttribDC(HDC hDC)
{
    m_hAttribDC = hDC;
}

void CDC::SetOutputDC(HDC hDC)
{
    m_hDC = hDC;
}

void CDC::ReleaseAttribDC()
{
    m_hAttribDC = NULL;
}

void CDC::ReleaseOutputDC()
{
    m_hDC = NULL;
}

BOOL CDC::CreateDC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput,
                   const void* lpInitData)
{
    return Attach(::CreateDC(lpszDriverName, lpszDeviceName, lpszOutput, (const DEVMODE*)lpInitData));
}

BOOL CDC::CreateIC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput,
                   const void* lpInitData)
{
    return Attach(::CreateIC(lpszDriverName, lpszDeviceName, lpszOutput, (const DEVMODE*)lpInitData));
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    HDC hRef = pDC != NULL ? pDC->m_hDC : NULL;
    return Attach(::CreateCompatibleDC(hRef));
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == NULL)
        return FALSE;
    return ::DeleteDC(Detach());
}

// ---------------------------------------------------------------------------
// Device state

int CDC::SaveDC()
{
    int nRet = 0;
    if (m_hAttribDC != NULL && m_hAttribDC != m_hDC)
        ::SaveDC(m_hAttribDC);
    if (m_hDC != NULL)
        nRet = ::SaveDC(m_hDC);
    return nRet;
}

BOOL CDC::RestoreDC(int nSavedDC)
{
    BOOL bRet = TRUE;
    // SaveDC saves both DCs in step, so the same level restores both.
    if (m_hAttribDC != NULL && m_hAttribDC != m_hDC)
        bRet = ::RestoreDC(m_hAttribDC, nSavedDC);
    if (m_hDC != NULL)
        bRet = ::RestoreDC(m_hDC, nSavedDC) && bRet;
    return bRet;
}

int CDC::GetDeviceCaps(int nIndex) const
{
    return ::GetDeviceCaps(AttribDC(), nIndex);
}

UINT CDC::SetBoundsRect(LPCRECT lpRectBounds, UINT flags)
{
    return ::SetBoundsRect(m_hDC, lpRectBounds, flags);
}

UINT CDC::GetBoundsRect(LPRECT lpRectBounds, UINT flags)
{
    return ::GetBoundsRect(AttribDC(), lpRectBounds, flags);
}

BOOL CDC::ResetDC(const DEVMODE* lpDevMode)
{
    return ::ResetDC(AttribDC(), lpDevMode) != NULL;
}

// ---------------------------------------------------------------------------
// Drawing tools

CPoint CDC::GetBrushOrg() const
{
    POINT pt = {0, 0};
    ::GetBrushOrgEx(m_hDC, &pt);
    return CPoint(pt);
}

CPoint CDC::SetBrushOrg(int x, int y)
{
    POINT pt = {0, 0};
    ::SetBrushOrgEx(m_hDC, x, y, &pt);
    return CPoint(pt);
}

CPoint CDC::SetBrushOrg(POINT point)
{
    return SetBrushOrg(point.x, point.y);
}

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject)
{
    if (hObject == NULL)
        return NULL;
    HGDIOBJ hOld = NULL;
    if (m_hDC != NULL && m_hDC != m_hAttribDC)
        hOld = ::SelectObject(m_hDC, hObject);
    if (m_hAttribDC != NULL)
        hOld = ::SelectObject(m_hAttribDC, hObject);
    if (hOld == HGDI_ERROR)
        hOld = NULL;
    return hOld;
}

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    HGDIOBJ hObject = ::GetStockObject(nIndex);
    if (hObject == NULL)
        return NULL;
    return CGdiObject::FromHandle(SelectObject(hObject));
}

CPen* CDC::SelectObject(CPen* pPen)
{
    if (pPen == NULL)
        return NULL;
    return static_cast<CPen*>(CGdiObject::FromHandle(SelectObject(pPen->m_hObject)));
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    if (pBrush == NULL)
        return NULL;
    return static_cast<CBrush*>(CGdiObject::FromHandle(SelectObject(pBrush->m_hObject)));
}

CFont* CDC::SelectObject(CFont* pFont)
{
    if (pFont == NULL)
        return NULL;
    return static_cast<CFont*>(CGdiObject::FromHandle(SelectObject(pFont->m_hObject)));
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    if (pBitmap == NULL || pBitmap->m_hObject == NULL || m_hDC == NULL)
        return NULL;
    // A bitmap goes into one DC only: the output DC.
    HGDIOBJ hOld = ::SelectObject(m_hDC, pBitmap->m_hObject);
    if (hOld == HGDI_ERROR)
        hOld = NULL;
    return static_cast<CBitmap*>(CGdiObject::FromHandle(hOld));
}

int CDC::SelectObject(CRgn* pRgn)
{
    if (pRgn == NULL || pRgn->m_hObject == NULL)
        return ERROR;
    int nRet = ERROR;
    if (m_hDC != NULL && m_hDC != m_hAttribDC)
        nRet = (int)(INT_PTR)::SelectObject(m_hDC, pRgn->m_hObject);
    if (m_hAttribDC != NULL)
        nRet = (int)(INT_PTR)::SelectObject(m_hAttribDC, pRgn->m_hObject);
    return nRet;
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject)
{
    if (pObject == NULL)
        return NULL;
    switch (pObject->GetObjectType())
    {
    case OBJ_BITMAP:
        return SelectObject(static_cast<CBitmap*>(pObject));
    case OBJ_REGION:
        // Selecting a region answers a region type, not an object.
        SelectObject(static_cast<CRgn*>(pObject));
        return NULL;
    default:
        return CGdiObject::FromHandle(SelectObject(pObject->m_hObject));
    }
}

CPen* CDC::GetCurrentPen() const
{
    return static_cast<CPen*>(CGdiObject::FromHandle(::GetCurrentObject(AttribDC(), OBJ_PEN)));
}

CBrush* CDC::GetCurrentBrush() const
{
    return static_cast<CBrush*>(CGdiObject::FromHandle(::GetCurrentObject(AttribDC(), OBJ_BRUSH)));
}

CPalette* CDC::GetCurrentPalette() const
{
    return static_cast<CPalette*>(CGdiObject::FromHandle(::GetCurrentObject(AttribDC(), OBJ_PAL)));
}

CFont* CDC::GetCurrentFont() const
{
    return static_cast<CFont*>(CGdiObject::FromHandle(::GetCurrentObject(AttribDC(), OBJ_FONT)));
}

CBitmap* CDC::GetCurrentBitmap() const
{
    return static_cast<CBitmap*>(CGdiObject::FromHandle(::GetCurrentObject(m_hDC, OBJ_BITMAP)));
}

// ---------------------------------------------------------------------------
// Colours and palettes

COLORREF CDC::GetNearestColor(COLORREF crColor) const
{
    return ::GetNearestColor(AttribDC(), crColor);
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground)
{
    if (pPalette == NULL || pPalette->m_hObject == NULL || m_hDC == NULL)
        return NULL;
    HPALETTE hOld = ::SelectPalette(m_hDC, (HPALETTE)pPalette->m_hObject, bForceBackground);
    if (m_hAttribDC != NULL && m_hAttribDC != m_hDC)
        ::SelectPalette(m_hAttribDC, (HPALETTE)pPalette->m_hObject, bForceBackground);
    return static_cast<CPalette*>(CGdiObject::FromHandle(hOld));
}

UINT CDC::RealizePalette()
{
    return ::RealizePalette(m_hDC);
}

void CDC::UpdateColors()
{
    ::UpdateColors(m_hDC);
}

// ---------------------------------------------------------------------------
// Drawing attributes

COLORREF CDC::GetBkColor() const
{
    return ::GetBkColor(AttribDC());
}

int CDC::GetBkMode() const
{
    return ::GetBkMode(AttribDC());
}

int CDC::GetPolyFillMode() const
{
    return ::GetPolyFillMode(AttribDC());
}

int CDC::GetROP2() const
{
    return ::GetROP2(AttribDC());
}

int CDC::GetStretchBltMode() const
{
    return ::GetStretchBltMode(AttribDC());
}

COLORREF CDC::GetTextColor() const
{
    return ::GetTextColor(AttribDC());
}

// The state setters: applied to the output DC and, when different, to the
// attribute DC, whose previous value is returned.
#define BM_DC_SET_BOTH(type, call, args, failValue) \
    type old = failValue; \
    if (m_hDC != NULL && m_hDC != m_hAttribDC) \
        old = ::call(m_hDC, args); \
    if (m_hAttribDC != NULL) \
        old = ::call(m_hAttribDC, args); \
    return old;

COLORREF CDC::SetBkColor(COLORREF crColor)
{
    BM_DC_SET_BOTH(COLORREF, SetBkColor, crColor, CLR_INVALID)
}

int CDC::SetBkMode(int nBkMode)
{
    BM_DC_SET_BOTH(int, SetBkMode, nBkMode, 0)
}

int CDC::SetPolyFillMode(int nPolyFillMode)
{
    BM_DC_SET_BOTH(int, SetPolyFillMode, nPolyFillMode, 0)
}

int CDC::SetROP2(int nDrawMode)
{
    BM_DC_SET_BOTH(int, SetROP2, nDrawMode, 0)
}

int CDC::SetStretchBltMode(int nStretchMode)
{
    BM_DC_SET_BOTH(int, SetStretchBltMode, nStretchMode, 0)
}

COLORREF CDC::SetTextColor(COLORREF crColor)
{
    BM_DC_SET_BOTH(COLORREF, SetTextColor, crColor, CLR_INVALID)
}

UINT CDC::SetTextAlign(UINT nFlags)
{
    BM_DC_SET_BOTH(UINT, SetTextAlign, nFlags, GDI_ERROR)
}

int CDC::SetMapMode(int nMapMode)
{
    BM_DC_SET_BOTH(int, SetMapMode, nMapMode, 0)
}

int CDC::SetArcDirection(int nArcDirection)
{
    BM_DC_SET_BOTH(int, SetArcDirection, nArcDirection, 0)
}

int CDC::SetTextCharacterExtra(int nCharExtra)
{
    BM_DC_SET_BOTH(int, SetTextCharacterExtra, nCharExtra, 0x80000000)
}

DWORD CDC::SetMapperFlags(DWORD dwFlag)
{
    BM_DC_SET_BOTH(DWORD, SetMapperFlags, dwFlag, GDI_ERROR)
}

#undef BM_DC_SET_BOTH

int CDC::SetTextJustification(int nBreakExtra, int nBreakCount)
{
    int nRet = 0;
    if (m_hDC != NULL && m_hDC != m_hAttribDC)
        nRet = ::SetTextJustification(m_hDC, nBreakExtra, nBreakCount);
    if (m_hAttribDC != NULL)
        nRet = ::SetTextJustification(m_hAttribDC, nBreakExtra, nBreakCount);
    return nRet;
}

// ---------------------------------------------------------------------------
// Layout, bound at run time (GDI of older systems lacks it)

namespace
{
typedef DWORD(WINAPI* PFN_GETLAYOUT)(HDC);
typedef DWORD(WINAPI* PFN_SETLAYOUT)(HDC, DWORD);

struct LayoutEntries
{
    PFN_GETLAYOUT pfnGet;
    PFN_SETLAYOUT pfnSet;
    LayoutEntries() : pfnGet(NULL), pfnSet(NULL)
    {
        HMODULE hGdi = ::GetModuleHandleA("gdi32.dll");
        if (hGdi != NULL)
        {
            pfnGet = (PFN_GETLAYOUT)::GetProcAddress(hGdi, "GetLayout");
            pfnSet = (PFN_SETLAYOUT)::GetProcAddress(hGdi, "SetLayout");
        }
    }
};

const LayoutEntries& GetLayoutEntries()
{
    static const LayoutEntries s_entries;
    return s_entries;
}
} // namespace

DWORD CDC::GetLayout() const
{
    const LayoutEntries& e = GetLayoutEntries();
    if (e.pfnGet == NULL)
        return GDI_ERROR;
    return e.pfnGet(AttribDC());
}

DWORD CDC::SetLayout(DWORD dwLayout)
{
    const LayoutEntries& e = GetLayoutEntries();
    if (e.pfnSet == NULL)
        return GDI_ERROR;
    DWORD dwOld = GDI_ERROR;
    if (m_hDC != NULL && m_hDC != m_hAttribDC)
        dwOld = e.pfnSet(m_hDC, dwLayout);
    if (m_hAttribDC != NULL)
        dwOld = e.pfnSet(m_hAttribDC, dwLayout);
    return dwOld;
}

// ---------------------------------------------------------------------------
// Mapping

int CDC::GetMapMode() const
{
    return ::GetMapMode(AttribDC());
}

CPoint CDC::GetViewportOrg() const
{
    POINT pt = {0, 0};
    ::GetViewportOrgEx(AttribDC(), &pt);
    return CPoint(pt);
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    POINT pt = {0, 0};
    if (m_hDC != NULL && m_hDC != m_hAttribDC)
        ::SetViewportOrgEx(m_hDC, x, y, &pt);
    if (m_hAttribDC != NULL)
        ::SetViewportOrgEx(m_hAttribDC, x, y, &pt);
    return CPoint(pt);
}

CPoint CDC::SetViewportOrg(POINT point)
{
    return SetViewportOrg(point.x, point.y);
}

CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight)
{
    POINT pt = {0, 0};
    if (m_hDC != NULL && m_hDC != m_hAttribDC)
        ::OffsetViewportOrgEx(m_hDC, nWidth, nHeight, &pt);
    if (m_hAttribDC != NULL)
        ::OffsetViewportOrgEx(m_hAttribDC, nWidth, nHeight, &pt);
    return CPoint(pt);
}

CSize CDC::GetViewportExt() const
{
    SIZE size = {0, 0};
    ::GetViewportExtEx(AttribDC(), &size);
    return CSize(size);
}

CSize CDC::SetViewportExt(int cx, int cy)
{
    SIZE size = {0, 0};
    if (m_hDC != NULL && m_hDC != m_hAttribDC)
        ::SetViewportExtEx(m_hDC, cx, cy, &size);
    if (m_hAttribDC != NULL)
        ::SetViewportExtEx(m_hAttribDC, cx, cy, &size);
    return CSize(size);
}

CSize CDC::SetViewportExt(SIZE size)
{
    return SetViewportExt(size.cx, size.cy);
}

CSize CDC::ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom)
{
    SIZE size = {0, 0};
    if (m_hDC != NULL && m_hDC != m_hAttribDC)
        ::ScaleViewportExtEx(m_hDC, xNum, xDenom, yNum, yDenom, &size);
    if (m_hAttribDC != NULL)
        ::ScaleViewportExtEx(m_hAttribDC, xNum, xDenom, yNum, yDenom, &size);
    return CSize(size);
}

CPoint CDC::GetWindowOrg() const
{
    POINT pt = {0, 0};
    ::GetWindowOrgEx(AttribDC(), &pt);
    return CPoint(pt);
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    POINT pt = {0, 0};
    if (m_hDC != NULL && m_hDC != m_hAttribDC)
        ::SetWindowOrgEx(m_hDC, x, y, &pt);
    if (m_hAttribDC != NULL)
        ::SetWindowOrgEx(m_hAttribDC, x, y, &pt);
    return CPoint(pt);
}

CPoint CDC::SetWindowOrg(POINT point)
{
    return SetWindowOrg(point.x, point.y);
}

CPoint CDC::OffsetWindowOrg(int nWidth, int nHeight)
{
    POINT pt = {0, 0};
    if (m_hDC != NULL && m_hDC != m_hAttribDC)
        ::OffsetWindowOrgEx(m_hDC, nWidth, nHeight, &pt);
    if (m_hAttribDC != NULL)
        ::OffsetWindowOrgEx(m_hAttribDC, nWidth, nHeight, &pt);
    return CPoint(pt);
}

CSize CDC::GetWindowExt() const
{
    SIZE size = {0, 0};
    ::GetWindowExtEx(AttribDC(), &size);
    return CSize(size);
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    SIZE size = {0, 0};
    if (m_hDC != NULL && m_hDC != m_hAttribDC)
        ::SetWindowExtEx(m_hDC, cx, cy, &size);
    if (m_hAttribDC != NULL)
        ::SetWindowExtEx(m_hAttribDC, cx, cy, &size);
    return CSize(size);
}

CSize CDC::SetWindowExt(SIZE size)
{
    return SetWindowExt(size.cx, size.cy);
}

CSize CDC::ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom)
{
    SIZE size = {0, 0};
    if (m_hDC != NULL && m_hDC != m_hAttribDC)
        ::ScaleWindowExtEx(m_hDC, xNum, xDenom, yNum, yDenom, &size);
    if (m_hAttribDC != NULL)
        ::ScaleWindowExtEx(m_hAttribDC, xNum, xDenom, yNum, yDenom, &size);
    return CSize(size);
}

// ---------------------------------------------------------------------------
// Coordinate conversion

void CDC::DPtoLP(LPPOINT lpPoints, int nCount) const
{
    if (lpPoints != NULL && nCount > 0)
        ::DPtoLP(AttribDC(), lpPoints, nCount);
}

void CDC::DPtoLP(LPRECT lpRect) const
{
    if (lpRect != NULL)
        ::DPtoLP(AttribDC(), (LPPOINT)lpRect, 2);
}

void CDC::DPtoLP(LPSIZE lpSize) const
{
    if (lpSize == NULL)
        return;
    CSize sizeWinExt = GetWindowExt();
    CSize sizeVpExt = GetViewportExt();
    if (sizeVpExt.cx != 0)
        lpSize->cx = ::MulDiv(lpSize->cx, abs(sizeWinExt.cx), abs(sizeVpExt.cx));
    if (sizeVpExt.cy != 0)
        lpSize->cy = ::MulDiv(lpSize->cy, abs(sizeWinExt.cy), abs(sizeVpExt.cy));
}

void CDC::LPtoDP(LPPOINT lpPoints, int nCount) const
{
    if (lpPoints != NULL && nCount > 0)
        ::LPtoDP(AttribDC(), lpPoints, nCount);
}

void CDC::LPtoDP(LPRECT lpRect) const
{
    if (lpRect != NULL)
        ::LPtoDP(AttribDC(), (LPPOINT)lpRect, 2);
}

void CDC::LPtoDP(LPSIZE lpSize) const
{
    if (lpSize == NULL)
        return;
    CSize sizeWinExt = GetWindowExt();
    CSize sizeVpExt = GetViewportExt();
    if (sizeWinExt.cx != 0)
        lpSize->cx = ::MulDiv(lpSize->cx, abs(sizeVpExt.cx), abs(sizeWinExt.cx));
    if (sizeWinExt.cy != 0)
        lpSize->cy = ::MulDiv(lpSize->cy, abs(sizeVpExt.cy), abs(sizeWinExt.cy));
}

namespace
{
const int HIMETRIC_PER_INCH = 2540;
}

void CDC::DPtoHIMETRIC(LPSIZE lpSize) const
{
    if (lpSize == NULL)
        return;
    int cxPerInch = GetDeviceCaps(LOGPIXELSX);
    int cyPerInch = GetDeviceCaps(LOGPIXELSY);
    if (cxPerInch > 0)
        lpSize->cx = ::MulDiv(lpSize->cx, HIMETRIC_PER_INCH, cxPerInch);
    if (cyPerInch > 0)
        lpSize->cy = ::MulDiv(lpSize->cy, HIMETRIC_PER_INCH, cyPerInch);
}

void CDC::HIMETRICtoDP(LPSIZE lpSize) const
{
    if (lpSize == NULL)
        return;
    lpSize->cx = ::MulDiv(lpSize->cx, GetDeviceCaps(LOGPIXELSX), HIMETRIC_PER_INCH);
    lpSize->cy = ::MulDiv(lpSize->cy, GetDeviceCaps(LOGPIXELSY), HIMETRIC_PER_INCH);
}

void CDC::LPtoHIMETRIC(LPSIZE lpSize) const
{
    LPtoDP(lpSize);
    DPtoHIMETRIC(lpSize);
}

void CDC::HIMETRICtoLP(LPSIZE lpSize) const
{
    HIMETRICtoDP(lpSize);
    DPtoLP(lpSize);
}

// ---------------------------------------------------------------------------
// Regions

BOOL CDC::FillRgn(CRgn* pRgn, CBrush* pBrush)
{
    if (pRgn == NULL || pBrush == NULL)
        return FALSE;
    return ::FillRgn(m_hDC, (HRGN)pRgn->m_hObject, (HBRUSH)pBrush->m_hObject);
}

BOOL CDC::FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight)
{
    if (pRgn == NULL || pBrush == NULL)
        return FALSE;
    return ::FrameRgn(m_hDC, (HRGN)pRgn->m_hObject, (HBRUSH)pBrush->m_hObject, nWidth, nHeight);
}

BOOL CDC::InvertRgn(CRgn* pRgn)
{
    if (pRgn == NULL)
        return FALSE;
    return ::InvertRgn(m_hDC, (HRGN)pRgn->m_hObject);
}

BOOL CDC::PaintRgn(CRgn* pRgn)
{
    if (pRgn == NULL)
        return FALSE;
    return ::PaintRgn(m_hDC, (HRGN)pRgn->m_hObject);
}

// ---------------------------------------------------------------------------
// Clipping

int CDC::GetClipBox(LPRECT lpRect) const
{
    if (lpRect == NULL)
        return ERROR;
    return ::GetClipBox(m_hDC, lpRect);
}

BOOL CDC::PtVisible(int x, int y) const
{
    return ::PtVisible(m_hDC, x, y);
}

BOOL CDC::PtVisible(POINT point) const
{
    return PtVisible(point.x, point.y);
}

BOOL CDC::RectVisible(LPCRECT lpRect) const
{
    return lpRect != NULL && ::RectVisible(m_hDC, lpRect);
}

int CDC::SelectClipRgn(CRgn* pRgn)
{
    HRGN hRgn = pRgn != NULL ? (HRGN)pRgn->m_hObject : NULL;
    int nRet = ERROR;
    if (m_hDC != NULL && m_hDC != m_hAttribDC)
        nRet = ::SelectClipRgn(m_hDC, hRgn);
    if (m_hAttribDC != NULL)
        nRet = ::SelectClipRgn(m_hAttribDC, hRgn);
    return nRet;
}

int CDC::SelectClipRgn(CRgn* pRgn, int nMode)
{
    HRGN hRgn = pRgn != NULL ? (HRGN)pRgn->m_hObject : NULL;
    int nRet = ERROR;
    if (m_hDC != NULL && m_hDC != m_hAttribDC)
        nRet = ::ExtSelectClipRgn(m_hDC, hRgn, nMode);
    if (m_hAttribDC != NULL)
        nRet = ::ExtSelectClipRgn(m_hAttribDC, hRgn, nMode);
    return nRet;
}

int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2)
{
    int nRet = ERROR;
    if (m_hDC != NULL && m_hDC != m_hAttribDC)
        nRet = ::ExcludeClipRect(m_hDC, x1, y1, x2, y2);
    if (m_hAttribDC != NULL)
        nRet = ::ExcludeClipRect(m_hAttribDC, x1, y1, x2, y2);
    return nRet;
}

int CDC::ExcludeClipRect(LPCRECT lpRect)
{
    if (lpRect == NULL)
        return ERROR;
    return ExcludeClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2)
{
    int nRet = ERROR;
    if (m_hDC != NULL && m_hDC != m_hAttribDC)
        nRet = ::IntersectClipRect(m_hDC, x1, y1, x2, y2);
    if (m_hAttribDC != NULL)
        nRet = ::IntersectClipRect(m_hAttribDC, x1, y1, x2, y2);
    return nRet;
}

int CDC::IntersectClipRect(LPCRECT lpRect)
{
    if (lpRect == NULL)
        return ERROR;
    return IntersectClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CDC::OffsetClipRgn(int x, int y)
{
    int nRet = ERROR;
    if (m_hDC != NULL && m_hDC != m_hAttribDC)
        nRet = ::OffsetClipRgn(m_hDC, x, y);
    if (m_hAttribDC != NULL)
        nRet = ::OffsetClipRgn(m_hAttribDC, x, y);
    return nRet;
}

int CDC::OffsetClipRgn(SIZE size)
{
    return OffsetClipRgn(size.cx, size.cy);
}

// ---------------------------------------------------------------------------
// Lines and curves

CPoint CDC::GetCurrentPosition() const
{
    POINT pt = {0, 0};
    ::GetCurrentPositionEx(AttribDC(), &pt);
    return CPoint(pt);
}

CPoint CDC::MoveTo(int x, int y)
{
    POINT pt = {0, 0};
    if (m_hDC != NULL && m_hDC != m_hAttribDC)
        ::MoveToEx(m_hDC, x, y, &pt);
    if (m_hAttribDC != NULL)
        ::MoveToEx(m_hAttribDC, x, y, &pt);
    return CPoint(pt);
}

CPoint CDC::MoveTo(POINT point)
{
    return MoveTo(point.x, point.y);
}

BOOL CDC::LineTo(int x, int y)
{
    // Keep the attribute DC's current position in step with the output DC.
    if (m_hAttribDC != NULL && m_hAttribDC != m_hDC)
        ::MoveToEx(m_hAttribDC, x, y, NULL);
    return ::LineTo(m_hDC, x, y);
}

BOOL CDC::LineTo(POINT point)
{
    return LineTo(point.x, point.y);
}

BOOL CDC::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    return ::Arc(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
}

BOOL CDC::Arc(LPCRECT lpRect, POINT ptStart, POINT ptEnd)
{
    if (lpRect == NULL)
        return FALSE;
    return ::Arc(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, ptStart.x,
                 ptStart.y, ptEnd.x, ptEnd.y);
}

BOOL CDC::ArcTo(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    BOOL bRet = ::ArcTo(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
    if (m_hAttribDC != NULL && m_hAttribDC != m_hDC)
    {
        POINT pt;
        ::GetCurrentPositionEx(m_hDC, &pt);
        ::MoveToEx(m_hAttribDC, pt.x, pt.y, NULL);
    }
    return bRet;
}

BOOL CDC::ArcTo(LPCRECT lpRect, POINT ptStart, POINT ptEnd)
{
    if (lpRect == NULL)
        return FALSE;
    return ArcTo(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, ptStart.x, ptStart.y,
                 ptEnd.x, ptEnd.y);
}

BOOL CDC::AngleArc(int x, int y, int nRadius, float fStartAngle, float fSweepAngle)
{
    if (nRadius < 0)
        return FALSE;
    BOOL bRet = ::AngleArc(m_hDC, x, y, (DWORD)nRadius, fStartAngle, fSweepAngle);
    if (m_hAttribDC != NULL && m_hAttribDC != m_hDC)
    {
        POINT pt;
        ::GetCurrentPositionEx(m_hDC, &pt);
        ::MoveToEx(m_hAttribDC, pt.x, pt.y, NULL);
    }
    return bRet;
}

int CDC::GetArcDirection() const
{
    return ::GetArcDirection(AttribDC());
}

BOOL CDC::Polyline(const POINT* lpPoints, int nCount)
{
    if (lpPoints == NULL || nCount <= 0)
        return FALSE;
    return ::Polyline(m_hDC, lpPoints, nCount);
}

BOOL CDC::PolyPolyline(const POINT* lpPoints, const DWORD* lpPolyPoints, int nCount)
{
    if (lpPoints == NULL || lpPolyPoints == NULL || nCount <= 0)
        return FALSE;
    return ::PolyPolyline(m_hDC, lpPoints, lpPolyPoints, (DWORD)nCount);
}

BOOL CDC::PolylineTo(const POINT* lpPoints, int nCount)
{
    if (lpPoints == NULL || nCount <= 0)
        return FALSE;
    BOOL bRet = ::PolylineTo(m_hDC, lpPoints, (DWORD)nCount);
    if (m_hAttribDC != NULL && m_hAttribDC != m_hDC)
        ::MoveToEx(m_hAttribDC, lpPoints[nCount - 1].x, lpPoints[nCount - 1].y, NULL);
    return bRet;
}

BOOL CDC::PolyBezier(const POINT* lpPoints, int nCount)
{
    if (lpPoints == NULL || nCount <= 0)
        return FALSE;
    return ::PolyBezier(m_hDC, lpPoints, (DWORD)nCount);
}

BOOL CDC::PolyBezierTo(const POINT* lpPoints, int nCount)
{
    if (lpPoints == NULL || nCount <= 0)
        return FALSE;
    BOOL bRet = ::PolyBezierTo(m_hDC, lpPoints, (DWORD)nCount);
    if (m_hAttribDC != NULL && m_hAttribDC != m_hDC)
        ::MoveToEx(m_hAttribDC, lpPoints[nCount - 1].x, lpPoints[nCount - 1].y, NULL);
    return bRet;
}

BOOL CDC::PolyDraw(const POINT* lpPoints, const BYTE* lpTypes, int nCount)
{
    if (lpPoints == NULL || lpTypes == NULL || nCount <= 0)
        return FALSE;
    BOOL bRet = ::PolyDraw(m_hDC, lpPoints, lpTypes, nCount);
    if (m_hAttribDC != NULL && m_hAttribDC != m_hDC)
    {
        POINT pt;
        ::GetCurrentPositionEx(m_hDC, &pt);
        ::MoveToEx(m_hAttribDC, pt.x, pt.y, NULL);
    }
    return bRet;
}

// ---------------------------------------------------------------------------
// Simple shapes

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush)
{
    if (lpRect != NULL && pBrush != NULL)
        ::FillRect(m_hDC, lpRect, (HBRUSH)pBrush->m_hObject);
}

void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush)
{
    if (lpRect != NULL && pBrush != NULL)
        ::FrameRect(m_hDC, lpRect, (HBRUSH)pBrush->m_hObject);
}

void CDC::InvertRect(LPCRECT lpRect)
{
    if (lpRect != NULL)
        ::InvertRect(m_hDC, lpRect);
}

BOOL CDC::DrawIcon(int x, int y, HICON hIcon)
{
    return ::DrawIcon(m_hDC, x, y, hIcon);
}

BOOL CDC::DrawIcon(POINT point, HICON hIcon)
{
    return ::DrawIcon(m_hDC, point.x, point.y, hIcon);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HBITMAP hBitmap, UINT nFlags, HBRUSH hBrush)
{
    return ::DrawState(m_hDC, hBrush, NULL, (LPARAM)hBitmap, 0, pt.x, pt.y, size.cx, size.cy,
                       nFlags | DST_BITMAP);
}

BOOL CDC::DrawState(CPoint pt, CSize size, CBitmap* pBitmap, UINT nFlags, CBrush* pBrush)
{
    return DrawState(pt, size, (HBITMAP)pBitmap->GetSafeHandle(), nFlags,
                     (HBRUSH)pBrush->GetSafeHandle());
}

BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, HBRUSH hBrush)
{
    return ::DrawState(m_hDC, hBrush, NULL, (LPARAM)hIcon, 0, pt.x, pt.y, size.cx, size.cy,
                       nFlags | DST_ICON);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, CBrush* pBrush)
{
    return DrawState(pt, size, hIcon, nFlags, (HBRUSH)pBrush->GetSafeHandle());
}

BOOL CDC::DrawState(CPoint pt, CSize size, LPCTSTR lpszText, UINT nFlags, BOOL bPrefixText,
                    int nTextLen, HBRUSH hBrush)
{
    if (lpszText == NULL)
        return FALSE;
    return ::DrawState(m_hDC, hBrush, NULL, (LPARAM)lpszText, (WPARAM)nTextLen, pt.x, pt.y,
                       size.cx, size.cy, nFlags | (bPrefixText ? DST_PREFIXTEXT : DST_TEXT));
}

BOOL CDC::DrawState(CPoint pt, CSize size, LPCTSTR lpszText, UINT nFlags, BOOL bPrefixText,
                    int nTextLen, CBrush* pBrush)
{
    return DrawState(pt, size, lpszText, nFlags, bPrefixText, nTextLen,
                     (HBRUSH)pBrush->GetSafeHandle());
}

BOOL CDC::DrawState(CPoint pt, CSize size, DRAWSTATEPROC lpDrawProc, LPARAM lData, UINT nFlags,
                    HBRUSH hBrush)
{
    if (lpDrawProc == NULL)
        return FALSE;
    return ::DrawState(m_hDC, hBrush, lpDrawProc, lData, 0, pt.x, pt.y, size.cx, size.cy,
                       nFlags | DST_COMPLEX);
}

BOOL CDC::DrawState(CPoint pt, CSize size, DRAWSTATEPROC lpDrawProc, LPARAM lData, UINT nFlags,
                    CBrush* pBrush)
{
    return DrawState(pt, size, lpDrawProc, lData, nFlags, (HBRUSH)pBrush->GetSafeHandle());
}

// ---------------------------------------------------------------------------
// Ellipses and polygons

BOOL CDC::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    return ::Chord(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
}

BOOL CDC::Chord(LPCRECT lpRect, POINT ptStart, POINT ptEnd)
{
    if (lpRect == NULL)
        return FALSE;
    return ::Chord(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, ptStart.x,
                   ptStart.y, ptEnd.x, ptEnd.y);
}

void CDC::DrawFocusRect(LPCRECT lpRect)
{
    if (lpRect != NULL)
        ::DrawFocusRect(m_hDC, lpRect);
}

BOOL CDC::Ellipse(int x1, int y1, int x2, int y2)
{
    return ::Ellipse(m_hDC, x1, y1, x2, y2);
}

BOOL CDC::Ellipse(LPCRECT lpRect)
{
    if (lpRect == NULL)
        return FALSE;
    return ::Ellipse(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

BOOL CDC::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    return ::Pie(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
}

BOOL CDC::Pie(LPCRECT lpRect, POINT ptStart, POINT ptEnd)
{
    if (lpRect == NULL)
        return FALSE;
    return ::Pie(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, ptStart.x,
                 ptStart.y, ptEnd.x, ptEnd.y);
}

BOOL CDC::Polygon(const POINT* lpPoints, int nCount)
{
    if (lpPoints == NULL || nCount <= 0)
        return FALSE;
    return ::Polygon(m_hDC, lpPoints, nCount);
}

BOOL CDC::PolyPolygon(const POINT* lpPoints, const INT* lpPolyCounts, int nCount)
{
    if (lpPoints == NULL || lpPolyCounts == NULL || nCount <= 0)
        return FALSE;
    return ::PolyPolygon(m_hDC, lpPoints, lpPolyCounts, nCount);
}

BOOL CDC::Rectangle(int x1, int y1, int x2, int y2)
{
    return ::Rectangle(m_hDC, x1, y1, x2, y2);
}

BOOL CDC::Rectangle(LPCRECT lpRect)
{
    if (lpRect == NULL)
        return FALSE;
    return ::Rectangle(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

BOOL CDC::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3)
{
    return ::RoundRect(m_hDC, x1, y1, x2, y2, x3, y3);
}

BOOL CDC::RoundRect(LPCRECT lpRect, POINT point)
{
    if (lpRect == NULL)
        return FALSE;
    return ::RoundRect(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, point.x,
                       point.y);
}

// ---------------------------------------------------------------------------
// Bitmaps

BOOL CDC::PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop)
{
    return ::PatBlt(m_hDC, x, y, nWidth, nHeight, dwRop);
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                 DWORD dwRop)
{
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC->GetSafeHdc(), xSrc, ySrc, dwRop);
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                     int nSrcWidth, int nSrcHeight, DWORD dwRop)
{
    return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC->GetSafeHdc(), xSrc, ySrc, nSrcWidth,
                        nSrcHeight, dwRop);
}

BOOL CDC::MaskBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                  CBitmap& maskBitmap, int xMask, int yMask, DWORD dwRop)
{
    return ::MaskBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC->GetSafeHdc(), xSrc, ySrc,
                     (HBITMAP)maskBitmap.m_hObject, xMask, yMask, dwRop);
}

BOOL CDC::TransparentBlt(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC,
                         int xSrc, int ySrc, int nSrcWidth, int nSrcHeight, UINT clrTransparent)
{
    if (pSrcDC == NULL)
        return FALSE;
    return ::TransparentBlt(m_hDC, xDest, yDest, nDestWidth, nDestHeight, pSrcDC->m_hDC, xSrc,
                            ySrc, nSrcWidth, nSrcHeight, clrTransparent);
}

BOOL CDC::AlphaBlend(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc,
                     int ySrc, int nSrcWidth, int nSrcHeight, BLENDFUNCTION blend)
{
    if (pSrcDC == NULL)
        return FALSE;
    return ::AlphaBlend(m_hDC, xDest, yDest, nDestWidth, nDestHeight, pSrcDC->m_hDC, xSrc, ySrc,
                        nSrcWidth, nSrcHeight, blend);
}

BOOL CDC::GradientFill(TRIVERTEX* pVertices, ULONG nVertices, void* pMesh, ULONG nMeshElements,
                       DWORD dwMode)
{
    if (pVertices == NULL || pMesh == NULL)
        return FALSE;
    return ::GradientFill(m_hDC, pVertices, nVertices, pMesh, nMeshElements, dwMode);
}

COLORREF CDC::GetPixel(int x, int y) const
{
    if (m_hDC == NULL)
        return CLR_INVALID;
    // On a memory DC, a point off the selected bitmap has no colour.  Checked
    // here as well, so the answer does not depend on how the system clips.
    if (::GetObjectType(m_hDC) == OBJ_MEMDC)
    {
        BITMAP bm;
        HGDIOBJ hBitmap = ::GetCurrentObject(m_hDC, OBJ_BITMAP);
        if (hBitmap == NULL || ::GetObject(hBitmap, sizeof(bm), &bm) == 0)
            return CLR_INVALID;
        POINT pt = {x, y};
        ::LPtoDP(m_hDC, &pt, 1);
        if (pt.x < 0 || pt.y < 0 || pt.x >= bm.bmWidth || pt.y >= bm.bmHeight)
            return CLR_INVALID;
    }
    return ::GetPixel(m_hDC, x, y);
}

COLORREF CDC::GetPixel(POINT point) const
{
    return GetPixel(point.x, point.y);
}

COLORREF CDC::SetPixel(int x, int y, COLORREF crColor)
{
    return ::SetPixel(m_hDC, x, y, crColor);
}

COLORREF CDC::SetPixel(POINT point, COLORREF crColor)
{
    return ::SetPixel(m_hDC, point.x, point.y, crColor);
}

BOOL CDC::SetPixelV(int x, int y, COLORREF crColor)
{
    return ::SetPixelV(m_hDC, x, y, crColor);
}

BOOL CDC::SetPixelV(POINT point, COLORREF crColor)
{
    return ::SetPixelV(m_hDC, point.x, point.y, crColor);
}

BOOL CDC::FloodFill(int x, int y, COLORREF crColor)
{
    return ::FloodFill(m_hDC, x, y, crColor);
}

BOOL CDC::ExtFloodFill(int x, int y, COLORREF crColor, UINT nFillType)
{
    return ::ExtFloodFill(m_hDC, x, y, crColor, nFillType);
}

// ---------------------------------------------------------------------------
// Text

BOOL CDC::TextOut(int x, int y, LPCTSTR lpszString, int nCount)
{
    if (lpszString == NULL || nCount < 0)
        return FALSE;
    return ::TextOut(m_hDC, x, y, lpszString, nCount);
}

BOOL CDC::TextOut(int x, int y, const CString& str)
{
    return TextOut(x, y, (LPCTSTR)str, str.GetLength());
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString, UINT nCount,
                     LPINT lpDxWidths)
{
    if (lpszString == NULL)
        nCount = 0;
    return ::ExtTextOut(m_hDC, x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths);
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str,
                     LPINT lpDxWidths)
{
    return ExtTextOut(x, y, nOptions, lpRect, (LPCTSTR)str, (UINT)str.GetLength(), lpDxWidths);
}

CSize CDC::TabbedTextOut(int x, int y, LPCTSTR lpszString, int nCount, int nTabPositions,
                         LPINT lpnTabStopPositions, int nTabOrigin)
{
    if (lpszString == NULL || nCount < 0)
        return CSize(0, 0);
    LONG lResult = ::TabbedTextOut(m_hDC, x, y, lpszString, nCount, nTabPositions,
                                   lpnTabStopPositions, nTabOrigin);
    return CSize(LOWORD(lResult), HIWORD(lResult));
}

CSize CDC::TabbedTextOut(int x, int y, const CString& str, int nTabPositions,
                         LPINT lpnTabStopPositions, int nTabOrigin)
{
    return TabbedTextOut(x, y, (LPCTSTR)str, str.GetLength(), nTabPositions, lpnTabStopPositions,
                         nTabOrigin);
}

int CDC::DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
{
    if (lpszString == NULL || lpRect == NULL)
        return 0;
    return ::DrawText(m_hDC, lpszString, nCount, lpRect, nFormat);
}

int CDC::DrawText(const CString& str, LPRECT lpRect, UINT nFormat)
{
    // A CString has no room for the ellipsis DT_MODIFYSTRING would write
    // into it: the string is drawn, never changed.
    return DrawText((LPCTSTR)str, str.GetLength(), lpRect, nFormat & ~DT_MODIFYSTRING);
}

int CDC::DrawTextEx(LPTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat,
                    LPDRAWTEXTPARAMS lpDTParams)
{
    if (lpszString == NULL || lpRect == NULL)
        return 0;
    return ::DrawTextEx(m_hDC, lpszString, nCount, lpRect, nFormat, lpDTParams);
}

int CDC::DrawTextEx(const CString& str, LPRECT lpRect, UINT nFormat, LPDRAWTEXTPARAMS lpDTParams)
{
    if (lpRect == NULL)
        return 0;
    // The system's parameter is writable; give it a copy and no licence to
    // change it.
    CString copy(str);
    int nLength = copy.GetLength();
    LPTSTR pBuffer = copy.GetBuffer(nLength + 1);
    int nRet = ::DrawTextEx(m_hDC, pBuffer, nLength, lpRect, nFormat & ~DT_MODIFYSTRING, lpDTParams);
    copy.ReleaseBuffer(nLength);
    return nRet;
}

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const
{
    SIZE size = {0, 0};
    if (lpszString != NULL && nCount > 0)
        ::GetTextExtentPoint32(AttribDC(), lpszString, nCount, &size);
    return CSize(size);
}

CSize CDC::GetTextExtent(const CString& str) const
{
    return GetTextExtent((LPCTSTR)str, str.GetLength());
}

CSize CDC::GetOutputTextExtent(LPCTSTR lpszString, int nCount) const
{
    SIZE size = {0, 0};
    if (lpszString != NULL && nCount > 0)
        ::GetTextExtentPoint32(m_hDC, lpszString, nCount, &size);
    return CSize(size);
}

CSize CDC::GetOutputTextExtent(const CString& str) const
{
    return GetOutputTextExtent((LPCTSTR)str, str.GetLength());
}

CSize CDC::GetTabbedTextExtent(LPCTSTR lpszString, int nCount, int nTabPositions,
                               LPINT lpnTabStopPositions) const
{
    if (lpszString == NULL || nCount <= 0)
        return CSize(0, 0);
    DWORD dw = ::GetTabbedTextExtent(AttribDC(), lpszString, nCount, nTabPositions,
                                     lpnTabStopPositions);
    return CSize(LOWORD(dw), HIWORD(dw));
}

CSize CDC::GetTabbedTextExtent(const CString& str, int nTabPositions, LPINT lpnTabStopPositions) const
{
    return GetTabbedTextExtent((LPCTSTR)str, str.GetLength(), nTabPositions, lpnTabStopPositions);
}

BOOL CDC::GrayString(CBrush* pBrush, BOOL(CALLBACK* lpfnOutput)(HDC, LPARAM, int), LPARAM lpData,
                     int nCount, int x, int y, int nWidth, int nHeight)
{
    return ::GrayString(m_hDC, (HBRUSH)pBrush->GetSafeHandle(), (GRAYSTRINGPROC)lpfnOutput,
                        lpData, nCount, x, y, nWidth, nHeight);
}

UINT CDC::GetTextAlign() const
{
    return ::GetTextAlign(AttribDC());
}

int CDC::GetTextFace(int nCount, LPTSTR lpszFacename) const
{
    if (lpszFacename == NULL || nCount <= 0)
        return 0;
    return ::GetTextFace(AttribDC(), nCount, lpszFacename);
}

int CDC::GetTextFace(CString& rString) const
{
    char szFace[LF_FACESIZE + 1];
    szFace[0] = '\0';
    int nRet = ::GetTextFace(AttribDC(), LF_FACESIZE, szFace);
    szFace[LF_FACESIZE] = '\0';
    rString = szFace;
    return nRet;
}

BOOL CDC::GetTextMetrics(LPTEXTMETRIC lpMetrics) const
{
    if (lpMetrics == NULL)
        return FALSE;
    return ::GetTextMetrics(AttribDC(), lpMetrics);
}

BOOL CDC::GetOutputTextMetrics(LPTEXTMETRIC lpMetrics) const
{
    if (lpMetrics == NULL)
        return FALSE;
    return ::GetTextMetrics(m_hDC, lpMetrics);
}

int CDC::GetTextCharacterExtra() const
{
    return ::GetTextCharacterExtra(AttribDC());
}

// ---------------------------------------------------------------------------
// Edges, frame controls, scrolling

BOOL CDC::DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags)
{
    if (lpRect == NULL)
        return FALSE;
    return ::DrawEdge(m_hDC, lpRect, nEdge, nFlags);
}

BOOL CDC::DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState)
{
    if (lpRect == NULL)
        return FALSE;
    return ::DrawFrameControl(m_hDC, lpRect, nType, nState);
}

BOOL CDC::ScrollDC(int dx, int dy, LPCRECT lpRectScroll, LPCRECT lpRectClip, CRgn* pRgnUpdate,
                   LPRECT lpRectUpdate)
{
    return ::ScrollDC(m_hDC, dx, dy, lpRectScroll, lpRectClip,
                      pRgnUpdate != NULL ? (HRGN)pRgnUpdate->m_hObject : NULL, lpRectUpdate);
}

// ---------------------------------------------------------------------------
// Fonts

BOOL CDC::GetCharWidth(UINT nFirstChar, UINT nLastChar, LPINT lpBuffer) const
{
    if (lpBuffer == NULL || nLastChar < nFirstChar)
        return FALSE;
    return ::GetCharWidth32(AttribDC(), nFirstChar, nLastChar, lpBuffer);
}

BOOL CDC::GetOutputCharWidth(UINT nFirstChar, UINT nLastChar, LPINT lpBuffer) const
{
    if (lpBuffer == NULL || nLastChar < nFirstChar)
        return FALSE;
    return ::GetCharWidth32(m_hDC, nFirstChar, nLastChar, lpBuffer);
}

CSize CDC::GetAspectRatioFilter() const
{
    SIZE size = {0, 0};
    ::GetAspectRatioFilterEx(AttribDC(), &size);
    return CSize(size);
}

BOOL CDC::GetCharABCWidths(UINT nFirstChar, UINT nLastChar, LPABC lpabc) const
{
    if (lpabc == NULL || nLastChar < nFirstChar)
        return FALSE;
    return ::GetCharABCWidths(AttribDC(), nFirstChar, nLastChar, lpabc);
}

DWORD CDC::GetFontData(DWORD dwTable, DWORD dwOffset, LPVOID lpData, DWORD cbData) const
{
    return ::GetFontData(AttribDC(), dwTable, dwOffset, lpData, cbData);
}

int CDC::GetKerningPairs(int nPairs, LPKERNINGPAIR lpkrnpair) const
{
    if (nPairs < 0)
        return 0;
    return (int)::GetKerningPairs(AttribDC(), (DWORD)nPairs, lpkrnpair);
}

UINT CDC::GetOutlineTextMetrics(UINT cbData, LPOUTLINETEXTMETRIC lpotm) const
{
    return ::GetOutlineTextMetrics(AttribDC(), cbData, lpotm);
}

DWORD CDC::GetGlyphOutline(UINT nChar, UINT nFormat, LPGLYPHMETRICS lpgm, DWORD cbBuffer,
                           LPVOID lpBuffer, const MAT2* lpmat2) const
{
    return ::GetGlyphOutline(AttribDC(), nChar, nFormat, lpgm, cbBuffer, lpBuffer, lpmat2);
}

// ---------------------------------------------------------------------------
// Printing

int CDC::Escape(int nEscape, int nCount, LPCSTR lpszInData, LPVOID lpOutData)
{
    return ::Escape(m_hDC, nEscape, nCount, lpszInData, lpOutData);
}

int CDC::Escape(int nEscape, int nInputSize, LPCSTR lpszInputData, int nOutputSize,
                LPSTR lpszOutputData)
{
    return ::ExtEscape(m_hDC, nEscape, nInputSize, lpszInputData, nOutputSize, lpszOutputData);
}

int CDC::DrawEscape(int nEscape, int nInputSize, LPCSTR lpszInputData)
{
    return ::DrawEscape(m_hDC, nEscape, nInputSize, lpszInputData);
}

int CDC::StartDoc(LPCTSTR lpszDocName)
{
    DOCINFO di;
    memset(&di, 0, sizeof(di));
    di.cbSize = sizeof(di);
    di.lpszDocName = lpszDocName;
    return StartDoc(&di);
}

int CDC::StartDoc(LPDOCINFO lpDocInfo)
{
    if (lpDocInfo == NULL)
        return SP_ERROR;
    return ::StartDoc(m_hDC, lpDocInfo);
}

int CDC::StartPage()
{
    return ::StartPage(m_hDC);
}

int CDC::EndPage()
{
    return ::EndPage(m_hDC);
}

int CDC::SetAbortProc(BOOL(CALLBACK* lpfn)(HDC, int))
{
    return ::SetAbortProc(m_hDC, (ABORTPROC)lpfn);
}

int CDC::AbortDoc()
{
    return ::AbortDoc(m_hDC);
}

int CDC::EndDoc()
{
    return ::EndDoc(m_hDC);
}

// ---------------------------------------------------------------------------
// Paths

BOOL CDC::AbortPath()
{
    return ::AbortPath(m_hDC);
}

BOOL CDC::BeginPath()
{
    return ::BeginPath(m_hDC);
}

BOOL CDC::CloseFigure()
{
    return ::CloseFigure(m_hDC);
}

BOOL CDC::EndPath()
{
    return ::EndPath(m_hDC);
}

BOOL CDC::FillPath()
{
    return ::FillPath(m_hDC);
}

BOOL CDC::FlattenPath()
{
    return ::FlattenPath(m_hDC);
}

BOOL CDC::StrokeAndFillPath()
{
    return ::StrokeAndFillPath(m_hDC);
}

BOOL CDC::StrokePath()
{
    return ::StrokePath(m_hDC);
}

BOOL CDC::WidenPath()
{
    return ::WidenPath(m_hDC);
}

float CDC::GetMiterLimit() const
{
    float fLimit = 0.0f;
    ::GetMiterLimit(m_hDC, &fLimit);
    return fLimit;
}

BOOL CDC::SetMiterLimit(float fMiterLimit)
{
    if (m_hAttribDC != NULL && m_hAttribDC != m_hDC)
        ::SetMiterLimit(m_hAttribDC, fMiterLimit, NULL);
    return ::SetMiterLimit(m_hDC, fMiterLimit, NULL);
}

int CDC::GetPath(LPPOINT lpPoints, LPBYTE lpTypes, int nCount) const
{
    return ::GetPath(m_hDC, lpPoints, lpTypes, nCount);
}

BOOL CDC::SelectClipPath(int nMode)
{
    // The path lives in the output DC; the attribute DC gets the region it
    // makes, so both clip alike.
    if (m_hAttribDC != NULL && m_hAttribDC != m_hDC)
    {
        BOOL bRet = TRUE;
        HRGN hRgn = ::PathToRegion(m_hDC);
        if (hRgn == NULL)
            return FALSE;
        bRet = ::ExtSelectClipRgn(m_hDC, hRgn, nMode) != ERROR;
        ::ExtSelectClipRgn(m_hAttribDC, hRgn, nMode);
        ::DeleteObject(hRgn);
        return bRet;
    }
    return ::SelectClipPath(m_hDC, nMode);
}

// ---------------------------------------------------------------------------
// Helpers of the layer

CBrush* PASCAL CDC::GetHalftoneBrush()
{
    // Made once and kept for the life of the process; it is deliberately
    // not in any thread's handle map.
    static CBrush* s_pBrush = []() -> CBrush* {
        WORD pattern[8];
        for (int i = 0; i < 8; ++i)
            pattern[i] = (WORD)(0x5555 << (i & 1));
        CBrush* pBrush = new CBrush;
        HBITMAP hBitmap = ::CreateBitmap(8, 8, 1, 1, pattern);
        if (hBitmap != NULL)
        {
            pBrush->m_hObject = ::CreatePatternBrush(hBitmap);
            ::DeleteObject(hBitmap);
        }
        return pBrush;
    }();
    return s_pBrush;
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF crColor)
{
    if (lpRect == NULL)
        return;
    RECT rc = *lpRect;
    if (rc.left > rc.right)
    {
        LONG t = rc.left;
        rc.left = rc.right;
        rc.right = t;
    }
    if (rc.top > rc.bottom)
    {
        LONG t = rc.top;
        rc.top = rc.bottom;
        rc.bottom = t;
    }
    ::SetBkColor(m_hDC, crColor);
    ::ExtTextOut(m_hDC, 0, 0, ETO_OPAQUE, &rc, NULL, 0, NULL);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF crColor)
{
    RECT rc = {x, y, x + cx, y + cy};
    FillSolidRect(&rc, crColor);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    if (lpRect == NULL)
        return;
    Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left,
               lpRect->bottom - lpRect->top, clrTopLeft, clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    // Top and left edges stop one pixel short; the right and bottom edges own
    // the two far corners.
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx - 1, y, 1, cy, clrBottomRight);
    FillSolidRect(x, y + cy - 1, cx, 1, clrBottomRight);
}
