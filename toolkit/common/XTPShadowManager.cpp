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

// Hidden shadow windows kept for reuse: enough for a popup with two levels
// of submenus and a popup button.
const int kMaxParked = 8;

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
    , m_bSaveBits(FALSE)
    , m_bHasRegion(FALSE)
    , m_bPlacing(FALSE)
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

void CXTPShadowsManager::CShadowWnd::TakeOwner(CXTPTrackableBar* pOwner)
{
    m_pOwner = pOwner;
    m_hWndOwner = pOwner->GetTrackableHwnd();
    CXTPShadowSettings* pPaintManager = pOwner->GetPaintManager();
    m_nOptions = pPaintManager ? pPaintManager->GetShadowOptions() : 0;
    m_clrShadow = pPaintManager ? pPaintManager->GetShadowColor() : 0;
}

BOOL CXTPShadowsManager::CShadowWnd::Create(CXTPTrackableBar* pOwner, BOOL bSaveBits, const CRect& rc)
{
    TakeOwner(pOwner);
    m_bSaveBits = bSaveBits;

    LPCTSTR lpszClass = bSaveBits ? kShadowClassSaveBits : kShadowClass;
    if (!CXTPDrawHelpers::RegisterWndClass(NULL, lpszClass, bSaveBits ? CS_SAVEBITS | CS_OWNDC : 0))
        return FALSE;

    // A layered shadow is also transparent to the mouse: a click on it is a
    // click on what lies beneath, outside the popup (a solid one answers its
    // own hit test only).
    DWORD dwExStyle = WS_EX_TOOLWINDOW | (IsAlphaShadow() ? WS_EX_LAYERED | WS_EX_TRANSPARENT : 0);
    CWnd* pSite = pOwner->GetSite();
    return CreateEx(dwExStyle, lpszClass, NULL, WS_POPUP, rc.left, rc.top, rc.Width(), rc.Height(),
                    pSite ? pSite->GetSafeHwnd() : NULL, NULL);
}

BOOL CXTPShadowsManager::CShadowWnd::CanReuse(BOOL bSaveBits, BOOL bLayered, HWND hWndParent) const
{
    if (m_hWnd == NULL || !::IsWindow(m_hWnd))
        return FALSE;
    BOOL bIsLayered = (::GetWindowLongPtr(m_hWnd, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
    return m_bSaveBits == bSaveBits && bIsLayered == bLayered && ::GetWindow(m_hWnd, GW_OWNER) == hWndParent;
}

BOOL CXTPShadowsManager::CShadowWnd::Reuse(CXTPTrackableBar* pOwner, BOOL bHorizontal, const CRect& rc)
{
    if (m_hWnd == NULL || !::IsWindow(m_hWnd))
        return FALSE;
    CRect rcOld;
    GetWindowRect(&rcOld);
    const BOOL bOldHorizontal = m_bHorizontal;
    const int nOldOptions = m_nOptions;
    const COLORREF clrOld = m_clrShadow;
    m_bHorizontal = bHorizontal;
    TakeOwner(pOwner);

    // A layered window shows the picture it was last given: the old one
    // serves as long as size, kind, options and colour are the same; else a
    // new one is given together with the new place and size, all while the
    // window is hidden. The caller's showing moves the window otherwise.
    if ((::GetWindowLongPtr(m_hWnd, GWL_EXSTYLE) & WS_EX_LAYERED) != 0 &&
        (rcOld.Size() != rc.Size() || bOldHorizontal != bHorizontal || nOldOptions != m_nOptions ||
         clrOld != m_clrShadow))
    {
        m_bPlacing = TRUE;
        UpdateLayeredPicture(rc.Width(), rc.Height(), &rc.TopLeft());
        m_bPlacing = FALSE;
    }
    return TRUE;
}

void CXTPShadowsManager::CShadowWnd::SetClipRegion(const CRect& rcWindow, const CRect* pClip, int nClip)
{
    HRGN hRgn = NULL;
    for (int i = 0; i < nClip; i++)
    {
        CRect rcIntersect;
        if (!rcIntersect.IntersectRect(&rcWindow, &pClip[i]))
            continue;
        if (hRgn == NULL)
        {
            hRgn = ::CreateRectRgn(0, 0, rcWindow.Width(), rcWindow.Height());
            if (hRgn == NULL)
                return;
        }
        rcIntersect.OffsetRect(-rcWindow.left, -rcWindow.top);
        HRGN hRgnClip = ::CreateRectRgnIndirect(&rcIntersect);
        ::CombineRgn(hRgn, hRgn, hRgnClip, RGN_DIFF);
        ::DeleteObject(hRgnClip);
    }
    if (hRgn != NULL)
    {
        // The window owns the region from here on.
        if (::SetWindowRgn(m_hWnd, hRgn, FALSE))
            m_bHasRegion = TRUE;
        else
            ::DeleteObject(hRgn);
    }
    else if (m_bHasRegion)
    {
        // A kept window loses the region of its last shadow.
        ::SetWindowRgn(m_hWnd, NULL, FALSE);
        m_bHasRegion = FALSE;
    }
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

void CXTPShadowsManager::CShadowWnd::UpdateLayeredPicture(int cx, int cy, const POINT* pptDest)
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
        POINT ptDest = { 0, 0 };
        if (pptDest != NULL)
            ptDest = *pptDest;
        m_pManager->m_pfnUpdateLayeredWindow(m_hWnd, NULL, pptDest != NULL ? &ptDest : NULL, &size, hMemDC, &ptSrc, 0,
                                             &blend, ULW_ALPHA);
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
        if (!m_bPlacing)    // else Reuse gives the picture for the new size
            UpdateLayeredPicture((short)LOWORD(lParam), (short)HIWORD(lParam), NULL);
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
    , m_bClosing(FALSE)
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
    m_bClosing = TRUE;
    while (!m_lstShadow.IsEmpty())
        DestroyShadow(m_lstShadow.GetHead());
    DestroyParked();
}

void CXTPShadowsManager::DestroyParked()
{
    while (!m_lstParked.IsEmpty())
    {
        CShadowWnd* pShadow = m_lstParked.RemoveHead();
        if (pShadow->m_hWnd != NULL)
            pShadow->DestroyWindow();
        delete pShadow;
    }
}

void CXTPShadowsManager::PruneParked()
{
    POSITION pos = m_lstParked.GetHeadPosition();
    while (pos != NULL)
    {
        POSITION posThis = pos;
        CShadowWnd* pShadow = m_lstParked.GetNext(pos);
        if (pShadow->m_hWnd != NULL && ::IsWindow(pShadow->m_hWnd))
            continue;
        // Destroyed with the window that owned it.
        m_lstParked.RemoveAt(posThis);
        if (pShadow->m_hWnd != NULL)
            pShadow->DestroyWindow();
        delete pShadow;
    }
}

CXTPShadowsManager::CShadowWnd* CXTPShadowsManager::TakeParked(BOOL bSaveBits, BOOL bLayered, HWND hWndParent,
                                                               BOOL bHorizontal, const CSize& size)
{
    // The best window is one that already shows the picture wanted (same
    // kind and size: a popup opened again), then one of the same kind.
    PruneParked();
    POSITION posBest = NULL;
    int nBest = 0;
    POSITION pos = m_lstParked.GetHeadPosition();
    while (pos != NULL)
    {
        POSITION posThis = pos;
        CShadowWnd* pShadow = m_lstParked.GetNext(pos);
        if (!pShadow->CanReuse(bSaveBits, bLayered, hWndParent))
            continue;
        int nScore = 1;
        if (pShadow->m_bHorizontal == bHorizontal)
        {
            CRect rcWindow;
            pShadow->GetWindowRect(&rcWindow);
            nScore = rcWindow.Size() == size ? 3 : 2;
        }
        if (nScore > nBest)
        {
            nBest = nScore;
            posBest = posThis;
        }
    }
    if (posBest == NULL)
        return NULL;
    CShadowWnd* pShadow = m_lstParked.GetAt(posBest);
    m_lstParked.RemoveAt(posBest);
    return pShadow;
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

    // A hidden window kept from an earlier shadow serves when it can: a new
    // layered window costs much more than placing and drawing a kept one.
    // A new one is made in its place and size at once, so its picture is
    // made once, for that size.
    const BOOL bSaveBits = pOwner->IsSaveBitsEnabled();
    CWnd* pSite = pOwner->GetSite();
    CShadowWnd* pShadow =
        TakeParked(bSaveBits, IsAlphaShadow(), pSite ? pSite->GetSafeHwnd() : NULL, bHorizontal, rc.Size());
    BOOL bReused = pShadow != NULL;
    if (bReused && !pShadow->Reuse(pOwner, bHorizontal, rc))
    {
        delete pShadow;
        pShadow = NULL;
        bReused = FALSE;
    }
    if (pShadow == NULL)
    {
        pShadow = new CShadowWnd(this, bHorizontal);
        if (!pShadow->Create(pOwner, bSaveBits, rc))
        {
            delete pShadow;
            return NULL;
        }
    }

    m_lstShadow.AddTail(pShadow);

    // Clipped by the excluded rectangle (with that option) and by every
    // shadowed window: the region is worked out for where the window goes
    // and set once, before it shows.
    CArray<CRect, const CRect&> arrClip;
    if ((pShadow->m_nOptions & xtpShadowShowPopupControl) && !rcExclude.IsRectEmpty())
        arrClip.Add(rcExclude);
    pos = m_lstShadow.GetHeadPosition();
    while (pos != NULL)
    {
        CShadowWnd* pOther = m_lstShadow.GetNext(pos);
        if (::IsWindow(pOther->m_hWndOwner))
        {
            CRect rcOtherOwner;
            ::GetWindowRect(pOther->m_hWndOwner, &rcOtherOwner);
            arrClip.Add(rcOtherOwner);
        }
    }
    pShadow->SetClipRegion(rc, arrClip.GetData(), (int)arrClip.GetSize());

    // Placed (a kept window) and shown topmost in one step.
    ::SetWindowPos(pShadow->m_hWnd, HWND_TOPMOST, rc.left, rc.top, rc.Width(), rc.Height(),
                   SWP_NOACTIVATE | SWP_SHOWWINDOW | (bReused ? 0 : SWP_NOMOVE | SWP_NOSIZE));
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
    if (pShadow->m_hWnd != NULL && ::IsWindowVisible(pShadow->m_hWnd))
        ::SetWindowPos(pShadow->m_hWnd, NULL, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    pShadow->m_pOwner = NULL;
    pShadow->m_hWndOwner = NULL;
    // The hidden window is kept for the next shadow.
    if (!m_bClosing)
        PruneParked();
    if (!m_bClosing && pShadow->m_hWnd != NULL && ::IsWindow(pShadow->m_hWnd) && m_lstParked.GetCount() < kMaxParked)
    {
        m_lstParked.AddHead(pShadow);     // the most recent first
        return;
    }
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
