// Drop shadows.
#include "XTPShadowManager.h"

#include "XTPColorManager.h"
#include "XTPDrawHelpers.h"
#include "XTPImageManager.h"
#include "XTPShadowSettings.h"

namespace
{
// The managers exist from start-up.
struct CShadowManagersStartup
{
    CShadowManagersStartup();
};

const LPCTSTR kShadowClass = _T("XTPShadow");
const LPCTSTR kShadowClassSaveBits = _T("XTPShadowSaveBits");

#ifndef WS_EX_LAYERED
#define WS_EX_LAYERED 0x00080000
#endif
#ifndef ULW_ALPHA
#define ULW_ALPHA 0x00000002
#endif
#ifndef SPI_GETDROPSHADOW
#define SPI_GETDROPSHADOW 0x1024
#endif

CXTPShadowsManager::PFNUPDATELAYEREDWINDOW LookUpUpdateLayeredWindow()
{
    HMODULE hUser32 = ::GetModuleHandleA("USER32");
    if (hUser32 == NULL)
        return NULL;
    return reinterpret_cast<CXTPShadowsManager::PFNUPDATELAYEREDWINDOW>(
        ::GetProcAddress(hUser32, "UpdateLayeredWindow"));
}

DWORD MakePixel(COLORREF clr, double f, int nAlpha)
{
    DWORD r = (DWORD)(GetRValue(clr) * f);
    DWORD g = (DWORD)(GetGValue(clr) * f);
    DWORD b = (DWORD)(GetBValue(clr) * f);
    if (nAlpha > 255)
        nAlpha = 255;
    return b | (g << 8) | (r << 16) | ((DWORD)nAlpha << 24);
}
} // namespace

BOOL CXTPShadowsManager::s_bAlphaShadow = FALSE;

//////////////////////////////////////////////////////////////////////////
// CShadowWnd

CXTPShadowsManager::CShadowWnd::CShadowWnd(CXTPShadowsManager* pManager, BOOL bHorizontal)
    : m_pManager(pManager)
    , m_bHorizontal(bHorizontal)
    , m_nOptions(0)
    , m_clrShadow(0)
    , m_pOwner(NULL)
    , m_hWndOwner(NULL)
{
}

CXTPShadowsManager::CShadowWnd::~CShadowWnd()
{
    if (m_hWnd != NULL)
        DestroyWindow();
}

void CXTPShadowsManager::CShadowWnd::PostNcDestroy()
{
    // The manager deletes the object.
}

BOOL CXTPShadowsManager::CShadowWnd::Create(CXTPTrackableBar* pOwner, BOOL bSaveBits, const CRect& rc)
{
    m_pOwner = pOwner;
    m_hWndOwner = pOwner->GetTrackableHwnd();
    CXTPShadowSettings* pPaintManager = pOwner->GetPaintManager();
    m_nOptions = pPaintManager ? pPaintManager->GetShadowOptions() : 0;
    m_clrShadow = pPaintManager ? pPaintManager->GetShadowColor() : 0;

    LPCTSTR lpszClass = bSaveBits ? kShadowClassSaveBits : kShadowClass;
    if (!CXTPDrawHelpers::RegisterWndClass(NULL, lpszClass, bSaveBits ? CS_SAVEBITS | CS_OWNDC : 0))
        return FALSE;

    DWORD dwExStyle = WS_EX_TOOLWINDOW | (IsAlphaShadow() ? WS_EX_LAYERED : 0);
    CWnd* pSite = pOwner->GetSite();
    return CreateEx(dwExStyle, lpszClass, NULL, WS_POPUP, rc.left, rc.top, rc.Width(), rc.Height(),
                    pSite ? pSite->GetSafeHwnd() : NULL, NULL);
}

void CXTPShadowsManager::CShadowWnd::ExcludeRect(const CRect& rcClip)
{
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    CRect rcIntersect;
    if (!rcIntersect.IntersectRect(&rcWindow, &rcClip))
        return;

    HRGN hRgn = ::CreateRectRgn(0, 0, rcWindow.Width(), rcWindow.Height());
    if (hRgn == NULL)
        return;
    ::GetWindowRgn(m_hWnd, hRgn);   // keeps the whole window when there is no region yet
    rcIntersect.OffsetRect(-rcWindow.left, -rcWindow.top);
    HRGN hRgnClip = ::CreateRectRgnIndirect(&rcIntersect);
    ::CombineRgn(hRgn, hRgn, hRgnClip, RGN_DIFF);
    ::DeleteObject(hRgnClip);
    // The window owns the region from here on.
    if (!::SetWindowRgn(m_hWnd, hRgn, FALSE))
        ::DeleteObject(hRgn);
}

int CXTPShadowsManager::CShadowWnd::OnHookMessage(HWND, UINT nMessage, WPARAM& wParam, LPARAM&, LRESULT&)
{
    if (nMessage == WM_SHOWWINDOW)
    {
        // Shown or hidden without touching activation.
        if (m_hWnd != NULL)
            ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0,
                           (wParam ? SWP_SHOWWINDOW : SWP_HIDEWINDOW) | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER |
                               SWP_NOACTIVATE);
    }
    else if (nMessage == WM_DESTROY)
    {
        // The shadow dies with its owner; nothing of it may be used after this.
        m_pManager->DestroyShadow(this);
    }
    return hookContinue;
}

void CXTPShadowsManager::CShadowWnd::UpdateLayeredPicture(int cx, int cy)
{
    if (!IsAlphaShadow() || m_pOwner == NULL || cx <= 0 || cy <= 0 || m_pManager->m_pfnUpdateLayeredWindow == NULL)
        return;

    HDC hScreenDC = ::GetDC(NULL);
    LPBYTE pBits = NULL;
    HBITMAP hBitmap = CXTPImageManager::Create32BitDIBSection(hScreenDC, cx, cy, &pBits);
    HDC hMemDC = ::CreateCompatibleDC(hScreenDC);
    if (hBitmap != NULL && pBits != NULL && hMemDC != NULL)
    {
        // The section is top-down or bottom-up; the picture is built top-down.
        DIBSECTION ds;
        ZeroMemory(&ds, sizeof(ds));
        ::GetObjectA(hBitmap, sizeof(ds), &ds);
        DWORD* pPixels = static_cast<DWORD*>(calloc((size_t)cx * cy, sizeof(DWORD)));
        if (pPixels != NULL)
        {
            BuildShadowPicture(m_bHorizontal, cx, cy, m_clrShadow, m_nOptions, pPixels);
            BOOL bBottomUp = ds.dsBmih.biHeight > 0;
            for (int y = 0; y < cy; y++)
            {
                int yDest = bBottomUp ? cy - 1 - y : y;
                memcpy(pBits + (size_t)yDest * cx * 4, pPixels + (size_t)y * cx, (size_t)cx * 4);
            }
            free(pPixels);
        }
        HGDIOBJ hOld = ::SelectObject(hMemDC, hBitmap);
        POINT ptSrc = { 0, 0 };
        SIZE size = { cx, cy };
        BLENDFUNCTION blend = { AC_SRC_OVER, 0, 255, AC_SRC_ALPHA };
        m_pManager->m_pfnUpdateLayeredWindow(m_hWnd, NULL, NULL, &size, hMemDC, &ptSrc, 0, &blend, ULW_ALPHA);
        ::SelectObject(hMemDC, hOld);
    }
    if (hMemDC != NULL)
        ::DeleteDC(hMemDC);
    if (hBitmap != NULL)
        ::DeleteObject(hBitmap);
    ::ReleaseDC(NULL, hScreenDC);
}

LRESULT CXTPShadowsManager::CShadowWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_ERASEBKGND:
        return TRUE;
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_PAINT:
    {
        PAINTSTRUCT ps;
        HDC hDC = ::BeginPaint(m_hWnd, &ps);
        RECT rc;
        ::GetClientRect(m_hWnd, &rc);
        HBRUSH hBrush = ::CreateSolidBrush(IsAlphaShadow() ? RGB(0, 0, 0) : GetXTPSysColor(COLOR_BTNSHADOW));
        ::FillRect(hDC, &rc, hBrush);
        ::DeleteObject(hBrush);
        ::EndPaint(m_hWnd, &ps);
        return 0;
    }
    case WM_SIZE:
        UpdateLayeredPicture((short)LOWORD(lParam), (short)HIWORD(lParam));
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

//////////////////////////////////////////////////////////////////////////
// CXTPShadowsManager

CXTPShadowsManager::CXTPShadowsManager()
    : m_pfnUpdateLayeredWindow(LookUpUpdateLayeredWindow())
{
    // Shadows still open at exit unhook themselves from the hook manager
    // when this manager goes, so the hook manager must outlive it: made
    // before this one is complete, it is destroyed after it, whatever order
    // the program's parts are started in.
    XTPHookManager();
    s_bAlphaShadow = m_pfnUpdateLayeredWindow != NULL && !CXTPColorManager::IsLowColorDepth(NULL);
}

CXTPShadowsManager::~CXTPShadowsManager()
{
    while (!m_lstShadow.IsEmpty())
        DestroyShadow(m_lstShadow.GetHead());
}

BOOL AFX_CDECL CXTPShadowsManager::IsAlphaShadow()
{
    XTPShadowsManager();    // the flag is set when the manager is built
    return s_bAlphaShadow;
}

void AFX_CDECL CXTPShadowsManager::EnableAlphaShadow(BOOL bEnable)
{
    XTPShadowsManager();
    s_bAlphaShadow = bEnable && LookUpUpdateLayeredWindow() != NULL && !CXTPColorManager::IsLowColorDepth(NULL);
}

void AFX_CDECL CXTPShadowsManager::BuildShadowPicture(BOOL bHorizontal, int cx, int cy, COLORREF clrShadow,
                                                      int nOptions, DWORD* pPixels)
{
    if (pPixels == NULL || cx <= 0 || cy <= 0)
        return;
    memset(pPixels, 0, (size_t)cx * cy * sizeof(DWORD));
    const int k = (nOptions & xtpShadowOfficeAlpha) ? 1 : 2;

    auto put = [&](int x, int y, double f, int nAlpha) {
        if (x >= 0 && x < cx && y >= 0 && y < cy)
            pPixels[(size_t)y * cx + x] = MakePixel(clrShadow, f, nAlpha);
    };

    if (!bHorizontal)
    {
        // The right shadow: a faded top corner, then the body.
        for (int i = 1; i <= 4; i++)
            for (int j = 1; j <= 4; j++)
                put(4 - i, j - 1, i * j / 20.0, 3 * k * i * j);
        for (int y = 4; y < cy; y++)
            for (int x = 0; x < 4; x++)
                put(x, y, (4 - x) / 4.0, 15 * k * (4 - x));
        return;
    }

    // The bottom shadow: a faded left corner, the body, a faded right corner.
    for (int i = 1; i <= 4; i++)
        for (int j = 1; j <= 4; j++)
            put(i - 1, 4 - j, i * j / 20.0, 3 * k * i * j);
    if (cx > 8)
    {
        for (int x = 4; x <= cx - 5; x++)
            for (int y = 0; y < 4; y++)
                put(x, y, (4 - y) / 4.0, 15 * k * (4 - y));
    }
    for (int i = 1; i <= 4; i++)
        for (int j = 1; j <= 4; j++)
            put(cx - i, 4 - j, i * j / 20.0, 3 * k * i * j);
}

CXTPShadowsManager::CShadowWnd* CXTPShadowsManager::CreateShadow(BOOL bHorizontal, const CRect& rcOwner,
                                                                 const CRect& rcExclude, CXTPTrackableBar* pOwner)
{
    CXTPShadowSettings* pPaintManager = pOwner->GetPaintManager();
    if (pPaintManager == NULL || !pPaintManager->IsShadowEnabled())
        return NULL;
    HWND hWndOwner = pOwner->GetTrackableHwnd();
    if (!::IsWindow(hWndOwner))
        return NULL;

    int d = IsAlphaShadow() ? 4 : 2;
    CRect rc = bHorizontal ? CRect(rcOwner.left + d, rcOwner.bottom, rcOwner.right + d, rcOwner.bottom + d)
                           : CRect(rcOwner.right, rcOwner.top + d, rcOwner.right + d, rcOwner.bottom);

    // A shadow that starts at another shadow running the other way continues
    // it, so the two meet without a doubled corner.
    POSITION pos = m_lstShadow.GetHeadPosition();
    while (pos != NULL)
    {
        CShadowWnd* pOther = m_lstShadow.GetNext(pos);
        if (pOther->m_bHorizontal == bHorizontal || pOther->GetSafeHwnd() == NULL)
            continue;
        CRect rcOther;
        pOther->GetWindowRect(&rcOther);
        if (bHorizontal)
        {
            if (rc.left == rcOther.right - 1 && rc.top > rcOther.top && rc.bottom < rcOther.bottom)
                rc.left -= 2 * rcOther.Width() + 1;
        }
        else
        {
            if (rc.top == rcOther.bottom - 1 && rc.right > rcOther.left && rc.right < rcOther.right)
                rc.top -= 2 * rcOther.Height();
        }
    }

    // Made in its place and size at once: one window operation less per
    // shadow, and its picture is made once, for that size.
    CShadowWnd* pShadow = new CShadowWnd(this, bHorizontal);
    if (!pShadow->Create(pOwner, pOwner->IsSaveBitsEnabled(), rc))
    {
        delete pShadow;
        return NULL;
    }

    m_lstShadow.AddTail(pShadow);

    if ((pShadow->m_nOptions & xtpShadowShowPopupControl) && !rcExclude.IsRectEmpty())
        pShadow->ExcludeRect(rcExclude);
    pos = m_lstShadow.GetHeadPosition();
    while (pos != NULL)
    {
        CShadowWnd* pOther = m_lstShadow.GetNext(pos);
        if (::IsWindow(pOther->m_hWndOwner))
        {
            CRect rcOtherOwner;
            ::GetWindowRect(pOther->m_hWndOwner, &rcOtherOwner);
            pShadow->ExcludeRect(rcOtherOwner);
        }
    }

    ::SetWindowPos(pShadow->m_hWnd, HWND_TOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    XTPHookManager()->SetHook(hWndOwner, pShadow);
    return pShadow;
}

void CXTPShadowsManager::DestroyShadow(CShadowWnd* pShadow)
{
    if (pShadow == NULL)
        return;
    POSITION pos = m_lstShadow.Find(pShadow);
    if (pos != NULL)
        m_lstShadow.RemoveAt(pos);
    if (pShadow->m_hWndOwner != NULL)
        XTPHookManager()->RemoveHook(pShadow->m_hWndOwner, pShadow);
    if (pShadow->m_hWnd != NULL)
        ::SetWindowPos(pShadow->m_hWnd, NULL, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    pShadow->m_pOwner = NULL;
    pShadow->m_hWndOwner = NULL;
    if (pShadow->m_hWnd != NULL)
        pShadow->DestroyWindow();
    delete pShadow;
}

void CXTPShadowsManager::SetShadow(CXTPTrackableBar* pPopupBar, const CRect& rcExclude)
{
    if (pPopupBar == NULL || pPopupBar->IsCustomizeMode())
        return;
    CXTPShadowSettings* pPaintManager = pPopupBar->GetPaintManager();
    if (pPaintManager == NULL)
        return;
    if ((pPaintManager->GetShadowOptions() & xtpShadowOfficeAlpha) == 0)
    {
        if (!IsAlphaShadow())
            return;
        BOOL bDropShadow = FALSE;
        if (!::SystemParametersInfoA(SPI_GETDROPSHADOW, 0, &bDropShadow, 0) || !bDropShadow)
            return;
    }
    HWND hWnd = pPopupBar->GetTrackableHwnd();
    if (!::IsWindow(hWnd))
        return;
    CRect rcWindow;
    ::GetWindowRect(hWnd, &rcWindow);
    CreateShadow(TRUE, rcWindow, rcExclude, pPopupBar);
    CreateShadow(FALSE, rcWindow, rcExclude, pPopupBar);
}

void CXTPShadowsManager::SetControlShadow(CXTPTrackableBar* pParentBar, const CRect& rcControl)
{
    if (pParentBar == NULL || pParentBar->IsCustomizeMode())
        return;
    CXTPShadowSettings* pPaintManager = pParentBar->GetPaintManager();
    const int nBoth = xtpShadowOfficeAlpha | xtpShadowShowPopupControl;
    if (pPaintManager == NULL || (pPaintManager->GetShadowOptions() & nBoth) != nBoth)
        return;
    HWND hWnd = pParentBar->GetTrackableHwnd();
    if (!::IsWindow(hWnd))
        return;
    CRect rc = rcControl;
    ::MapWindowPoints(hWnd, NULL, reinterpret_cast<POINT*>(&rc), 2);
    CRect rcEmpty(0, 0, 0, 0);
    CreateShadow(TRUE, rc, rcEmpty, pParentBar);
    CreateShadow(FALSE, rc, rcEmpty, pParentBar);
}

void CXTPShadowsManager::RemoveShadow(CXTPTrackableBar* pOwner)
{
    POSITION pos = m_lstShadow.GetHeadPosition();
    while (pos != NULL)
    {
        CShadowWnd* pShadow = m_lstShadow.GetNext(pos);
        if (pShadow->m_pOwner == pOwner)
        {
            DestroyShadow(pShadow);
            pos = m_lstShadow.GetHeadPosition();    // the list changed
        }
    }
}

CXTPShadowsManager* AFXAPI XTPShadowsManager()
{
    static CXTPShadowsManager s_shadowsManager;
    return &s_shadowsManager;
}

//////////////////////////////////////////////////////////////////////////
// CXTShadowsManager

CXTShadowsManager::CXTShadowsManager()
    : m_lstShadow(10)
    , m_lstPool(10)
    , m_pfnUpdateLayeredWindow(LookUpUpdateLayeredWindow())
{
}

CXTShadowsManager::~CXTShadowsManager()
{
    POSITION pos = m_lstPool.GetHeadPosition();
    while (pos != NULL)
    {
        CWnd* pWnd = static_cast<CWnd*>(m_lstPool.GetNext(pos));
        if (pWnd != NULL)
        {
            if (pWnd->GetSafeHwnd() != NULL)
                pWnd->DestroyWindow();
            delete pWnd;
        }
    }
    m_lstPool.RemoveAll();
    m_lstShadow.RemoveAll();
}

CXTShadowsManager* AFXAPI XTShadowsManager()
{
    static CXTShadowsManager s_shadowsManager;
    return &s_shadowsManager;
}

namespace
{
CShadowManagersStartup::CShadowManagersStartup()
{
    XTPShadowsManager();
    XTShadowsManager();
}

CShadowManagersStartup g_shadowManagersStartup;
} // namespace
