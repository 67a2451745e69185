// Drawing and layout helpers: gradients with a fast path through msimg32's
// GradientFill and a line-by-line fallback, colour blending, triangles, pixel
// blurring, fonts, mnemonics, right-to-left helpers, window classes, and a few
// small helper classes.
#pragma once

#include "XTPCommon.h"
#include "XTPDCHelpers.h"

class CXTPPaintManagerColorGradient;

class CXTPDrawHelpers
{
public:
    typedef BOOL (WINAPI* PFNGRADIENTFILL)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

    CXTPDrawHelpers();
    virtual ~CXTPDrawHelpers();

    void GradientFill(CDC* pDC, LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, BOOL bHorz);
    void GradientFillClipped(CDC* pDC, LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, BOOL bHorz,
                             LPCRECT lpRectClip);
    void GradientFill(CDC* pDC, LPCRECT lpRect, const CXTPPaintManagerColorGradient& grc, BOOL bHorz,
                      LPCRECT lpRectClip = NULL);
    void GradientFillFromGradient(CDC* pDC, LPCRECT lpRect, const CXTPPaintManagerColorGradient& grc, BOOL bHorz,
                                  LPCRECT lpRectClip = NULL);

    static COLORREF AFX_CDECL BlendColors(COLORREF crA, COLORREF crB, float fAmountA);
    static BOOL AFX_CDECL FontExists(LPCTSTR strFaceName);
    static CString AFX_CDECL GetDefaultFontName(BOOL bUseTahoma = TRUE);
    static BOOL AFX_CDECL IsLowColorDepth(HDC hDC = NULL);
    static BOOL AFX_CDECL IsTopParentActive(HWND hWnd);
    // Lets the system pass clicks on a pop-up window that only shows
    // something (a tip, a shadow) to the window beneath it, as its
    // HTTRANSPARENT hit test does for the program's own point tests: the
    // window becomes layered (drawn opaque unless it was layered already)
    // and transparent to the mouse. A press that lands on such a window is
    // otherwise dropped by some window servers before any window or mouse
    // hook sees it. FALSE when the system has no layered windows.
    static BOOL AFX_CDECL MakeClickThrough(HWND hWnd);
    static void AFX_CDECL StripMnemonics(CString& strText);
    static void AFX_CDECL StripMnemonics(LPTSTR lpszText);
    static void AFX_CDECL DrawTriangle(CDC* pDC, CPoint pt0, CPoint pt1, CPoint pt2);
    static void AFX_CDECL BlurPoints(CDC* pDC, LPPOINT pts, int nCount);
    static BOOL AFX_CDECL IsContextRTL(CDC* pDC);
    static BOOL AFX_CDECL IsContextRTL(HDC hDC);
    static void AFX_CDECL SetContextRTL(CDC* pDC, BOOL bLayoutRTL);
    static void AFX_CDECL SetContextRTL(HDC hDC, BOOL bLayoutRTL);
    static void AFX_CDECL KeyToLayout(CWnd* pWnd, UINT& nChar);
    static void AFX_CDECL ScreenToWindow(CWnd* pWnd, LPPOINT lpPoint);
    static void AFX_CDECL ScreenToWindow(CWnd* pWnd, POINT& pt) { ScreenToWindow(pWnd, &pt); }
    static BOOL AFX_CDECL RegisterWndClass(HINSTANCE hInstance, LPCTSTR lpszClassName, UINT style);
    // The system's arrow cursor: its shared handle stays the same while the
    // program runs, so it is loaded once (loading asks the window server).
    static HCURSOR AFX_CDECL GetArrowCursor();

    // Set when msimg32 or its "GradientFill" is missing: the slow path draws.
    HMODULE m_hMsImgDll;
    PFNGRADIENTFILL m_pfnFastGradientFill;

private:
    void GradientFillFast(CDC* pDC, LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, BOOL bHorz);
    void GradientFillSlow(CDC* pDC, LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, BOOL bHorz);
};

// The one draw-helpers object, built with the program's global objects.
CXTPDrawHelpers* AFX_CDECL XTPDrawHelpers();

// The mouse cursor in a window's client coordinates.
class CXTPClientCursorPos : public CPoint
{
public:
    explicit CXTPClientCursorPos(CWnd* pWnd);
};

class CXTPEmptyRect : public CRect
{
public:
    CXTPEmptyRect() { SetRectEmpty(); }
};

// A window's screen rectangle; empty for something that is not a window.
class CXTPWindowRect : public CRect
{
public:
    explicit CXTPWindowRect(HWND hWnd);
    explicit CXTPWindowRect(const CWnd* pWnd);
};

// A window's client rectangle; empty without a valid window.
class CXTPClientRect : public CRect
{
public:
    explicit CXTPClientRect(HWND hWnd);
    explicit CXTPClientRect(const CWnd* pWnd);
};

// Modal drag tracker of a splitter bar, drawn inverted on the desktop.
class CXTPSplitterTracker
{
public:
    explicit CXTPSplitterTracker(BOOL bSolid = FALSE);
    virtual ~CXTPSplitterTracker() {}

    BOOL Track(CWnd* pTrackWnd, CRect rcAvail, CRect& rectTracker, CPoint point, BOOL bHoriz);
    void SetBoundRect(CRect rcBoundRect) { m_rcBoundRect = rcBoundRect; }
    void DrawTrackerRect(CRect rc);

private:
    CDC* m_pDC;
    BOOL m_bSolid;
    CRect m_rcBoundRect;
};

// A thread mouse hook that moves the focus away from a watched drop-down
// window when the user clicks outside it.
class CXTPOutsideClickMonitor
{
public:
    static void AFX_CDECL SetupHook(CWnd* pWndMonitor);
    static BOOL AFX_CDECL IsMonitoring() { return m_pWndMonitor != NULL; }
    static LRESULT CALLBACK MouseProc(int nCode, WPARAM wParam, LPARAM lParam);

    static HHOOK m_hHookMouse;
    static CWnd* m_pWndMonitor;
};

// Turns a bitmap whose top-left pixel is the transparent colour into an icon.
class CXTPMaskedBitmap
{
public:
    explicit CXTPMaskedBitmap(HBITMAP hBitmap) : m_hBitmap(hBitmap) {}
    virtual ~CXTPMaskedBitmap() {}

    COLORREF GetMaskColor();
    HICON CreateIcon();

private:
    HBITMAP m_hBitmap;
};

// Fills a rectangle with the 8 x 8 halftone pattern of button face and 3-D highlight.
void AFX_CDECL XTPFillDitheredRect(CDC* pDC, LPCRECT lpRect);
