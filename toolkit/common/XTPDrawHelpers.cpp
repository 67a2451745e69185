// Drawing and layout helpers.
#include "XTPDrawHelpers.h"
#include "XTPColorManager.h"
#include "XTPSystemHelpers.h"
#include <commctrl.h>
#include <algorithm>

//////////////////////////////////////////////////////////////////////////
// CXTPDrawHelpers

CXTPDrawHelpers::CXTPDrawHelpers()
    : m_hMsImgDll(NULL), m_pfnFastGradientFill(NULL)
{
    m_hMsImgDll = ::LoadLibraryA("msimg32.dll");
    if (m_hMsImgDll != NULL)
        m_pfnFastGradientFill = (PFNGRADIENTFILL)::GetProcAddress(m_hMsImgDll, "GradientFill");
}

CXTPDrawHelpers::~CXTPDrawHelpers()
{
    m_pfnFastGradientFill = NULL;
    if (m_hMsImgDll != NULL)
        ::FreeLibrary(m_hMsImgDll);
    m_hMsImgDll = NULL;
}

CXTPDrawHelpers* AFX_CDECL XTPDrawHelpers()
{
    static CXTPDrawHelpers s_drawHelpers;
    return &s_drawHelpers;
}

namespace
{
// Built with the program's global objects, before the application runs.
struct CDrawHelpersStartup
{
    CDrawHelpersStartup() { XTPDrawHelpers(); }
} s_drawHelpersStartup;
}

void CXTPDrawHelpers::GradientFill(CDC* pDC, LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, BOOL bHorz)
{
    if (pDC == NULL || pDC->GetSafeHdc() == NULL || lpRect == NULL || ::IsRectEmpty(lpRect))
        return;

    if (IsLowColorDepth(pDC->GetSafeHdc()) || crFrom == crTo)
    {
        pDC->FillSolidRect(lpRect, crFrom);
        return;
    }

    if (m_pfnFastGradientFill != NULL)
        GradientFillFast(pDC, lpRect, crFrom, crTo, bHorz);
    else
        GradientFillSlow(pDC, lpRect, crFrom, crTo, bHorz);
}

void CXTPDrawHelpers::GradientFillFast(CDC* pDC, LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, BOOL bHorz)
{
    TRIVERTEX vert[2];
    vert[0].x = lpRect->left;
    vert[0].y = lpRect->top;
    vert[0].Red = (COLOR16)(GetRValue(crFrom) << 8);
    vert[0].Green = (COLOR16)(GetGValue(crFrom) << 8);
    vert[0].Blue = (COLOR16)(GetBValue(crFrom) << 8);
    vert[0].Alpha = 0;

    vert[1].x = lpRect->right;
    vert[1].y = lpRect->bottom;
    vert[1].Red = (COLOR16)(GetRValue(crTo) << 8);
    vert[1].Green = (COLOR16)(GetGValue(crTo) << 8);
    vert[1].Blue = (COLOR16)(GetBValue(crTo) << 8);
    vert[1].Alpha = 0;

    GRADIENT_RECT gRect = { 0, 1 };
    m_pfnFastGradientFill(pDC->GetSafeHdc(), vert, 2, &gRect, 1, bHorz ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
}

void CXTPDrawHelpers::GradientFillSlow(CDC* pDC, LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, BOOL bHorz)
{
    CRect rc(lpRect);
    int nSpan = bHorz ? rc.Width() : rc.Height();
    if (nSpan < 1)
        nSpan = 1;

    CRect rcClip;
    CRect rcArea = rc;
    if (::GetClipBox(pDC->GetSafeHdc(), &rcClip) != ERROR && !rcClip.IsRectEmpty())
    {
        if (!rcArea.IntersectRect(&rcClip, &rc))
            return;
    }

    if (bHorz)
    {
        for (int x = rcArea.left; x < rcArea.right; x++)
        {
            COLORREF clr = BlendColors(crFrom, crTo, (float)(1.0 - (double)(x - rc.left) / nSpan));
            pDC->FillSolidRect(x, rcArea.top, 1, rcArea.Height(), clr);
        }
    }
    else
    {
        for (int y = rcArea.top; y < rcArea.bottom; y++)
        {
            COLORREF clr = BlendColors(crFrom, crTo, (float)(1.0 - (double)(y - rc.top) / nSpan));
            pDC->FillSolidRect(rcArea.left, y, rcArea.Width(), 1, clr);
        }
    }
}

void CXTPDrawHelpers::GradientFillClipped(CDC* pDC, LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, BOOL bHorz,
                                          LPCRECT lpRectClip)
{
    if (lpRectClip == NULL)
    {
        GradientFill(pDC, lpRect, crFrom, crTo, bHorz);
        return;
    }
    if (lpRect == NULL)
        return;

    CRect rc(lpRect), rcClip(lpRectClip), rcDraw(lpRect);
    COLORREF crStart = crFrom, crEnd = crTo;

    if (bHorz)
    {
        if (rcClip.top > rcDraw.top)
            rcDraw.top = rcClip.top;
        if (rcClip.bottom < rcDraw.bottom)
            rcDraw.bottom = rcClip.bottom;

        if (rcDraw.left > rcClip.right || rcDraw.right < rcClip.left)
            return;

        float fWidth = (float)std::max(1, (int)rc.Width());
        if (rc.left < rcClip.left)
        {
            crStart = BlendColors(crFrom, crTo, (float)(rc.right - rcClip.left) / fWidth);
            rcDraw.left = rcClip.left;
        }
        if (rc.right > rcClip.right)
        {
            crEnd = BlendColors(crFrom, crTo, (float)(rc.right - rcClip.right) / fWidth);
            rcDraw.right = rcClip.right;
        }
    }
    else
    {
        if (rcClip.left > rcDraw.left)
            rcDraw.left = rcClip.left;
        if (rcClip.right < rcDraw.right)
            rcDraw.right = rcClip.right;

        if (rcDraw.top > rcClip.bottom || rcDraw.bottom < rcClip.top)
            return;

        float fHeight = (float)std::max(1, (int)rc.Height());
        if (rc.top < rcClip.top)
        {
            crStart = BlendColors(crFrom, crTo, (float)(rc.bottom - rcClip.top) / fHeight);
            rcDraw.top = rcClip.top;
        }
        if (rc.bottom > rcClip.bottom)
        {
            crEnd = BlendColors(crFrom, crTo, (float)(rc.bottom - rcClip.bottom) / fHeight);
            rcDraw.bottom = rcClip.bottom;
        }
    }

    GradientFill(pDC, rcDraw, crStart, crEnd, bHorz);
}

void CXTPDrawHelpers::GradientFill(CDC* pDC, LPCRECT lpRect, const CXTPPaintManagerColorGradient& grc, BOOL bHorz,
                                   LPCRECT lpRectClip)
{
    GradientFillFromGradient(pDC, lpRect, grc, bHorz, lpRectClip);
}

void CXTPDrawHelpers::GradientFillFromGradient(CDC* pDC, LPCRECT lpRect, const CXTPPaintManagerColorGradient& grc,
                                               BOOL bHorz, LPCRECT lpRectClip)
{
    if (lpRect == NULL)
        return;

    COLORREF crStart = grc.clrLight.GetColor();
    COLORREF crEnd = grc.clrDark.GetColor();

    if (grc.fGradientFactor == 0.5f)
    {
        GradientFillClipped(pDC, lpRect, crStart, crEnd, bHorz, lpRectClip);
        return;
    }

    COLORREF crMiddle = BlendColors(crStart, crEnd, grc.fGradientFactor);
    CRect rc(lpRect);
    if (bHorz)
    {
        int nSplit = rc.right - (rc.right - rc.left) / 2;
        GradientFillClipped(pDC, CRect(rc.left, rc.top, nSplit, rc.bottom), crStart, crMiddle, TRUE, lpRectClip);
        GradientFillClipped(pDC, CRect(nSplit, rc.top, rc.right, rc.bottom), crMiddle, crEnd, TRUE, lpRectClip);
    }
    else
    {
        int nSplit = rc.bottom - (rc.bottom - rc.top) / 2;
        GradientFillClipped(pDC, CRect(rc.left, rc.top, rc.right, nSplit), crStart, crMiddle, FALSE, lpRectClip);
        GradientFillClipped(pDC, CRect(rc.left, nSplit, rc.right, rc.bottom), crMiddle, crEnd, FALSE, lpRectClip);
    }
}

COLORREF AFX_CDECL CXTPDrawHelpers::BlendColors(COLORREF crA, COLORREF crB, float fAmountA)
{
    float fAmountB = 1.0f - fAmountA;
    int r = (int)(GetRValue(crA) * fAmountA + GetRValue(crB) * fAmountB);
    int g = (int)(GetGValue(crA) * fAmountA + GetGValue(crB) * fAmountB);
    int b = (int)(GetBValue(crA) * fAmountA + GetBValue(crB) * fAmountB);
    return RGB(std::min(std::max(r, 0), 255), std::min(std::max(g, 0), 255), std::min(std::max(b, 0), 255));
}

namespace
{
struct CFontSearch
{
    LPCTSTR lpszFaceName;
    BOOL bFound;
};

int CALLBACK EnumFontFamExProc(const LOGFONTA* lplf, const TEXTMETRICA*, DWORD, LPARAM lParam)
{
    CFontSearch* pSearch = (CFontSearch*)lParam;
    if (lstrcmpiA(lplf->lfFaceName, pSearch->lpszFaceName) == 0)
    {
        pSearch->bFound = TRUE;
        return 0;  // stop: found
    }
    return 1;
}
}

BOOL AFX_CDECL CXTPDrawHelpers::FontExists(LPCTSTR strFaceName)
{
    if (strFaceName == NULL || *strFaceName == 0)
        return FALSE;

    HDC hDC = ::GetDC(NULL);
    if (hDC == NULL)
        return FALSE;

    LOGFONTA lf;
    ZeroMemory(&lf, sizeof(lf));
    lf.lfCharSet = DEFAULT_CHARSET;

    CFontSearch search = { strFaceName, FALSE };
    ::EnumFontFamiliesExA(hDC, &lf, (FONTENUMPROCA)EnumFontFamExProc, (LPARAM)&search, 0);
    ::ReleaseDC(NULL, hDC);
    return search.bFound;
}

CString AFX_CDECL CXTPDrawHelpers::GetDefaultFontName(BOOL bUseTahoma)
{
    LOGFONTA lf;
    ZeroMemory(&lf, sizeof(lf));
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);

    BOOL bNational = lf.lfCharSet > SYMBOL_CHARSET && XTPOSVersionInfo()->IsWin2KOrGreater();

    CString strFont = "Arial";
    if (!bNational && FontExists("Arial"))
    {
        if (bUseTahoma && FontExists("Tahoma"))
            strFont = "Tahoma";
    }
    else
    {
        strFont = lf.lfFaceName;
    }
    return strFont;
}

BOOL AFX_CDECL CXTPDrawHelpers::IsLowColorDepth(HDC hDC)
{
    GetColorManager();
    return CXTPColorManager::IsLowColorDepth(hDC);
}

BOOL AFX_CDECL CXTPDrawHelpers::IsTopParentActive(HWND hWnd)
{
    if (hWnd == NULL || !::IsWindow(hWnd))
        return FALSE;

    // Up through parents and owners alike: a floating window owned by the
    // frame (and the children in it) belongs to the frame's activation.
    HWND hWndTop = hWnd, hWndParent;
    while ((hWndParent = AfxGetParentOwner(hWndTop)) != NULL)
        hWndTop = hWndParent;

    return ::GetLastActivePopup(hWndTop) == ::GetForegroundWindow();
}

BOOL AFX_CDECL CXTPDrawHelpers::MakeClickThrough(HWND hWnd)
{
    if (hWnd == NULL || !::IsWindow(hWnd))
        return FALSE;
    typedef BOOL(WINAPI * PFNSETLAYEREDWINDOWATTRIBUTES)(HWND, COLORREF, BYTE, DWORD);
    static const PFNSETLAYEREDWINDOWATTRIBUTES s_pfnSetAttributes = (PFNSETLAYEREDWINDOWATTRIBUTES)::GetProcAddress(
        ::GetModuleHandleA("user32.dll"), "SetLayeredWindowAttributes");
    if (s_pfnSetAttributes == NULL)
        return FALSE;
    const LONG_PTR nExStyle = ::GetWindowLongPtr(hWnd, GWL_EXSTYLE);
    if ((nExStyle & WS_EX_LAYERED) != 0)
    {
        // Already layered (drawn through its own layered calls): only the
        // mouse passes through from now on.
        ::SetWindowLongPtr(hWnd, GWL_EXSTYLE, nExStyle | WS_EX_TRANSPARENT);
        return TRUE;
    }
    ::SetWindowLongPtr(hWnd, GWL_EXSTYLE, nExStyle | WS_EX_LAYERED | WS_EX_TRANSPARENT);
    if (!s_pfnSetAttributes(hWnd, 0, 255, LWA_ALPHA))
    {
        ::SetWindowLongPtr(hWnd, GWL_EXSTYLE, nExStyle);
        return FALSE;
    }
    return TRUE;
}

void AFX_CDECL CXTPDrawHelpers::StripMnemonics(CString& strText)
{
    if (strText.IsEmpty())
        return;
    StripMnemonics(strText.GetBuffer(strText.GetLength()));
    strText.ReleaseBuffer();
}

void AFX_CDECL CXTPDrawHelpers::StripMnemonics(LPTSTR lpszText)
{
    if (lpszText == NULL || lpszText == (LPTSTR)(LONG_PTR)-1)
        return;

    LPTSTR lpszDest = lpszText;
    for (LPTSTR lpsz = lpszText; *lpsz; lpsz++)
    {
        if (*lpsz == '&')
        {
            if (lpsz[1] == '&')
            {
                *lpszDest++ = '&';
                lpsz++;
            }
            continue;
        }
        *lpszDest++ = *lpsz;
    }
    *lpszDest = 0;
}

void AFX_CDECL CXTPDrawHelpers::DrawTriangle(CDC* pDC, CPoint pt0, CPoint pt1, CPoint pt2)
{
    if (pDC == NULL || pDC->GetSafeHdc() == NULL)
        return;
    POINT pts[3] = { { pt0.x, pt0.y }, { pt1.x, pt1.y }, { pt2.x, pt2.y } };
    ::Polygon(pDC->GetSafeHdc(), pts, 3);
}

void AFX_CDECL CXTPDrawHelpers::BlurPoints(CDC* pDC, LPPOINT pts, int nCount)
{
    if (pDC == NULL || pDC->GetSafeHdc() == NULL || pts == NULL)
        return;

    // Only whole (position, offset) pairs: an odd count must not read past the array.
    HDC hDC = pDC->GetSafeHdc();
    for (int i = 0; i + 1 < nCount; i += 2)
    {
        CPoint ptBlur(pts[i]);
        CPoint ptOffset(pts[i].x + pts[i + 1].x, pts[i].y + pts[i + 1].y);

        COLORREF clr1 = ::GetPixel(hDC, ptBlur.x, ptBlur.y);
        COLORREF clr2 = ::GetPixel(hDC, ptOffset.x, ptOffset.y);
        if (clr1 == CLR_INVALID || clr2 == CLR_INVALID)
            continue;

        COLORREF clrBlur = RGB((GetRValue(clr1) + GetRValue(clr2)) >> 1, (GetGValue(clr1) + GetGValue(clr2)) >> 1,
                               (GetBValue(clr1) + GetBValue(clr2)) >> 1);
        ::SetPixel(hDC, ptBlur.x, ptBlur.y, clrBlur);
    }
}

namespace
{
typedef DWORD (WINAPI* PFNGETLAYOUT)(HDC);
typedef DWORD (WINAPI* PFNSETLAYOUT)(HDC, DWORD);

FARPROC GetGdiEntry(LPCSTR lpszName)
{
    HMODULE hGdi = ::GetModuleHandleA("GDI32.DLL");
    return hGdi != NULL ? ::GetProcAddress(hGdi, lpszName) : NULL;
}
}

BOOL AFX_CDECL CXTPDrawHelpers::IsContextRTL(HDC hDC)
{
    // Looked up once: GDI32 stays loaded while the program runs, and this is
    // asked for every image drawn.
    static const PFNGETLAYOUT pfn = (PFNGETLAYOUT)GetGdiEntry("GetLayout");
    if (pfn == NULL || hDC == NULL)
        return FALSE;
    return pfn(hDC) == 1;
}

BOOL AFX_CDECL CXTPDrawHelpers::IsContextRTL(CDC* pDC)
{
    return IsContextRTL(pDC != NULL ? pDC->GetSafeHdc() : (HDC)NULL);
}

void AFX_CDECL CXTPDrawHelpers::SetContextRTL(HDC hDC, BOOL bLayoutRTL)
{
    PFNSETLAYOUT pfn = (PFNSETLAYOUT)GetGdiEntry("SetLayout");
    if (pfn == NULL || hDC == NULL)
        return;
    pfn(hDC, bLayoutRTL ? 1 : 0);
}

void AFX_CDECL CXTPDrawHelpers::SetContextRTL(CDC* pDC, BOOL bLayoutRTL)
{
    SetContextRTL(pDC != NULL ? pDC->GetSafeHdc() : (HDC)NULL, bLayoutRTL);
}

void AFX_CDECL CXTPDrawHelpers::KeyToLayout(CWnd* pWnd, UINT& nChar)
{
    if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL)
        return;
    if ((::GetWindowLongA(pWnd->GetSafeHwnd(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL) == 0)
        return;
    if (nChar == VK_LEFT)
        nChar = VK_RIGHT;
    else if (nChar == VK_RIGHT)
        nChar = VK_LEFT;
}

void AFX_CDECL CXTPDrawHelpers::ScreenToWindow(CWnd* pWnd, LPPOINT lpPoint)
{
    if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL || lpPoint == NULL)
        return;

    RECT rc;
    ::GetWindowRect(pWnd->GetSafeHwnd(), &rc);
    lpPoint->y -= rc.top;
    if (::GetWindowLongA(pWnd->GetSafeHwnd(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL)
        lpPoint->x = rc.right - lpPoint->x;
    else
        lpPoint->x -= rc.left;
}

BOOL AFX_CDECL CXTPDrawHelpers::RegisterWndClass(HINSTANCE hInstance, LPCTSTR lpszClassName, UINT style)
{
    if (hInstance == NULL)
        hInstance = AfxGetInstanceHandle();

    WNDCLASSA wc;
    ZeroMemory(&wc, sizeof(wc));
    wc.style = style;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = hInstance;
    wc.hCursor = GetArrowCursor();
    wc.lpszClassName = lpszClassName;
    return AfxRegisterClass(&wc);
}

HCURSOR AFX_CDECL CXTPDrawHelpers::GetArrowCursor()
{
    static HCURSOR s_hArrow = NULL;
    if (s_hArrow == NULL)
        s_hArrow = ::LoadCursor(NULL, IDC_ARROW);
    return s_hArrow;
}

//////////////////////////////////////////////////////////////////////////
// Rectangle and point helpers

CXTPClientCursorPos::CXTPClientCursorPos(CWnd* pWnd)
{
    x = y = 0;
    POINT pt = { 0, 0 };
    ::GetCursorPos(&pt);
    if (pWnd != NULL && pWnd->GetSafeHwnd() != NULL)
        ::ScreenToClient(pWnd->GetSafeHwnd(), &pt);
    x = pt.x;
    y = pt.y;
}

CXTPWindowRect::CXTPWindowRect(HWND hWnd)
{
    SetRectEmpty();
    if (hWnd != NULL && ::IsWindow(hWnd))
        ::GetWindowRect(hWnd, this);
}

CXTPWindowRect::CXTPWindowRect(const CWnd* pWnd)
{
    SetRectEmpty();
    HWND hWnd = pWnd != NULL ? pWnd->GetSafeHwnd() : NULL;
    if (hWnd != NULL && ::IsWindow(hWnd))
        ::GetWindowRect(hWnd, this);
}

CXTPClientRect::CXTPClientRect(HWND hWnd)
{
    SetRectEmpty();
    if (hWnd != NULL && ::IsWindow(hWnd))
        ::GetClientRect(hWnd, this);
}

CXTPClientRect::CXTPClientRect(const CWnd* pWnd)
{
    SetRectEmpty();
    HWND hWnd = pWnd != NULL ? pWnd->GetSafeHwnd() : NULL;
    if (hWnd != NULL && ::IsWindow(hWnd))
        ::GetClientRect(hWnd, this);
}

//////////////////////////////////////////////////////////////////////////
// CXTPSplitterTracker

CXTPSplitterTracker::CXTPSplitterTracker(BOOL bSolid)
    : m_pDC(NULL), m_bSolid(bSolid)
{
    m_rcBoundRect.SetRectEmpty();
}

void CXTPSplitterTracker::DrawTrackerRect(CRect rc)
{
    if (m_pDC == NULL)
        return;
    HDC hDC = m_pDC->GetSafeHdc();
    if (m_bSolid)
    {
        ::InvertRect(hDC, &rc);
    }
    else
    {
        CBrush* pBrush = CDC::GetHalftoneBrush();
        HGDIOBJ hOldBrush = ::SelectObject(hDC, pBrush != NULL ? pBrush->GetSafeHandle() : ::GetStockObject(GRAY_BRUSH));
        ::PatBlt(hDC, rc.left, rc.top, rc.Width(), rc.Height(), PATINVERT);
        ::SelectObject(hDC, hOldBrush);
    }
}

BOOL CXTPSplitterTracker::Track(CWnd* pTrackWnd, CRect rcAvail, CRect& rectTracker, CPoint point, BOOL bHoriz)
{
    if (pTrackWnd == NULL || pTrackWnd->GetSafeHwnd() == NULL)
        return FALSE;
    HWND hWndTrack = pTrackWnd->GetSafeHwnd();

    ::SetCapture(hWndTrack);
    HWND hWndDesktop = ::GetDesktopWindow();
    BOOL bLocked = ::LockWindowUpdate(hWndDesktop);
    HDC hDC = ::GetDCEx(hWndDesktop, NULL, DCX_WINDOW | DCX_CACHE | (bLocked ? DCX_LOCKWINDOWUPDATE : 0));
    CDC dc;
    if (hDC != NULL)
    {
        dc.Attach(hDC);
        m_pDC = &dc;
    }

    CPoint ptOffset = bHoriz ? CPoint(rectTracker.left - point.x, 0) : CPoint(0, rectTracker.top - point.y);

    DrawTrackerRect(rectTracker);
    if (!m_rcBoundRect.IsRectEmpty())
        DrawTrackerRect(m_rcBoundRect);

    BOOL bAccept = FALSE;
    while (::GetCapture() == hWndTrack)
    {
        MSG msg;
        if (!::GetMessage(&msg, NULL, 0, 0))
        {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }

        if (msg.message == WM_MOUSEMOVE)
        {
            CPoint pt((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
            ::ClientToScreen(hWndTrack, &pt);
            pt += ptOffset;
            pt.x = std::max((int)rcAvail.left, std::min((int)pt.x, (int)rcAvail.right));
            pt.y = std::max((int)rcAvail.top, std::min((int)pt.y, (int)rcAvail.bottom));

            if (bHoriz)
            {
                if (rectTracker.left != pt.x)
                {
                    DrawTrackerRect(rectTracker);
                    rectTracker.OffsetRect(pt.x - rectTracker.left, 0);
                    DrawTrackerRect(rectTracker);
                }
            }
            else
            {
                if (rectTracker.top != pt.y)
                {
                    DrawTrackerRect(rectTracker);
                    rectTracker.OffsetRect(0, pt.y - rectTracker.top);
                    DrawTrackerRect(rectTracker);
                }
            }
        }
        else if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)
        {
            break;
        }
        else if (msg.message == WM_LBUTTONUP)
        {
            bAccept = TRUE;
            break;
        }
        else
        {
            ::DispatchMessage(&msg);
        }
    }

    if (!m_rcBoundRect.IsRectEmpty())
        DrawTrackerRect(m_rcBoundRect);
    DrawTrackerRect(rectTracker);

    if (::GetCapture() == hWndTrack)
        ::ReleaseCapture();
    if (bLocked)
        ::LockWindowUpdate(NULL);

    m_pDC = NULL;
    if (hDC != NULL)
    {
        dc.Detach();
        ::ReleaseDC(hWndDesktop, hDC);
    }
    return bAccept;
}

//////////////////////////////////////////////////////////////////////////
// CXTPOutsideClickMonitor

HHOOK CXTPOutsideClickMonitor::m_hHookMouse = NULL;
CWnd* CXTPOutsideClickMonitor::m_pWndMonitor = NULL;

void AFX_CDECL CXTPOutsideClickMonitor::SetupHook(CWnd* pWndMonitor)
{
    if (pWndMonitor != NULL)
    {
        if (m_hHookMouse == NULL)
            m_hHookMouse = ::SetWindowsHookExA(WH_MOUSE, MouseProc, NULL, ::GetCurrentThreadId());
        m_pWndMonitor = pWndMonitor;
    }
    else
    {
        if (m_hHookMouse != NULL)
            ::UnhookWindowsHookEx(m_hHookMouse);
        m_hHookMouse = NULL;
        m_pWndMonitor = NULL;
    }
}

LRESULT CALLBACK CXTPOutsideClickMonitor::MouseProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    try
    {
        if (nCode == HC_ACTION && m_pWndMonitor != NULL && lParam != 0)
        {
            HWND hWndMonitor = m_pWndMonitor->GetSafeHwnd();
            MOUSEHOOKSTRUCT* pInfo = (MOUSEHOOKSTRUCT*)lParam;
            RECT rc = { 0, 0, 0, 0 };
            if (hWndMonitor != NULL)
                ::GetWindowRect(hWndMonitor, &rc);

            if (hWndMonitor != NULL && !::PtInRect(&rc, pInfo->pt))
            {
                switch (wParam)
                {
                case WM_LBUTTONDOWN:
                case WM_RBUTTONDOWN:
                case WM_MBUTTONDOWN:
                case WM_NCLBUTTONDOWN:
                case WM_NCRBUTTONDOWN:
                case WM_NCMBUTTONDOWN:
                // The second press of a quick pair arrives as a double click.
                case WM_LBUTTONDBLCLK:
                case WM_RBUTTONDBLCLK:
                case WM_MBUTTONDBLCLK:
                case WM_NCLBUTTONDBLCLK:
                case WM_NCRBUTTONDBLCLK:
                case WM_NCMBUTTONDBLCLK:
                {
                    HWND hWndFocus = ::GetWindow(hWndMonitor, GW_OWNER);
                    if (hWndFocus == NULL)
                        hWndFocus = ::GetParent(hWndMonitor);
                    if (hWndFocus != NULL)
                        ::SetFocus(hWndFocus);
                    return 1;
                }
                default:
                    break;
                }
            }
        }
    }
    catch (...)
    {
        TRACE_EXCEPTION("The outside-click monitor's mouse hook", NULL);
    }
    return ::CallNextHookEx(m_hHookMouse, nCode, wParam, lParam);
}

//////////////////////////////////////////////////////////////////////////
// CXTPMaskedBitmap

COLORREF CXTPMaskedBitmap::GetMaskColor()
{
    BITMAP bm;
    if (m_hBitmap == NULL || ::GetObjectA(m_hBitmap, sizeof(bm), &bm) == 0)
        return COLORREF_NULL;

    CXTPCompatibleDC dc(NULL, m_hBitmap);
    if (dc.GetSafeHdc() == NULL)
        return COLORREF_NULL;
    return ::GetPixel(dc.GetSafeHdc(), 0, 0);
}

HICON CXTPMaskedBitmap::CreateIcon()
{
    if (m_hBitmap == NULL)
        return NULL;

    COLORREF clrMask = GetMaskColor();
    BITMAP bm;
    if (::GetObjectA(m_hBitmap, sizeof(bm), &bm) == 0 || bm.bmWidth == 0 || bm.bmHeight == 0)
        return NULL;

    HIMAGELIST hImageList = ImageList_Create(bm.bmWidth, bm.bmHeight, ILC_COLOR24 | ILC_MASK, 1, 1);
    if (hImageList == NULL)
        return NULL;

    HICON hIcon = NULL;
    if (ImageList_AddMasked(hImageList, m_hBitmap, clrMask) >= 0)
        hIcon = ImageList_GetIcon(hImageList, 0, ILD_NORMAL);
    ImageList_Destroy(hImageList);
    return hIcon;
}

//////////////////////////////////////////////////////////////////////////
// Dithered fill

void AFX_CDECL XTPFillDitheredRect(CDC* pDC, LPCRECT lpRect)
{
    if (pDC == NULL || pDC->GetSafeHdc() == NULL || lpRect == NULL)
        return;

    static const WORD pattern[8] = { 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA };
    HBITMAP hBitmap = ::CreateBitmap(8, 8, 1, 1, pattern);
    if (hBitmap == NULL)
        return;
    HBRUSH hBrush = ::CreatePatternBrush(hBitmap);
    if (hBrush != NULL)
    {
        HDC hDC = pDC->GetSafeHdc();
        HGDIOBJ hOldBrush = ::SelectObject(hDC, hBrush);
        COLORREF clrBk = ::SetBkColor(hDC, GetXTPSysColor(COLOR_BTNFACE));
        COLORREF clrText = ::SetTextColor(hDC, GetXTPSysColor(COLOR_BTNHIGHLIGHT));
        ::PatBlt(hDC, lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
                 PATCOPY);
        ::SetTextColor(hDC, clrText);
        ::SetBkColor(hDC, clrBk);
        ::SelectObject(hDC, hOldBrush);
        ::DeleteObject(hBrush);
    }
    ::DeleteObject(hBitmap);
}
