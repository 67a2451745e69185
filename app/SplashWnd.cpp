// The splash window.
#include "SplashWnd.h"

#include "resource.h"

namespace
{
BOOL s_bSplashEnabled = FALSE;
CSplashWnd* s_pSplash = NULL;

const UINT_PTR kSplashTimer = 1;
const UINT kSplashMilliseconds = 3000;
} // namespace

BEGIN_MESSAGE_MAP(CSplashWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_TIMER()
END_MESSAGE_MAP()

CSplashWnd::CSplashWnd()
{
}

CSplashWnd::~CSplashWnd()
{
    if (s_pSplash == this)
        s_pSplash = NULL;
    m_bitmap.DeleteObject();
}

void AFXAPI CSplashWnd::EnableSplashScreen(BOOL bEnable)
{
    s_bSplashEnabled = bEnable;
}

CSplashWnd* AFXAPI CSplashWnd::GetCurrent()
{
    return s_pSplash;
}

BOOL AFXAPI CSplashWnd::ShowSplashScreen(CWnd* pParentWnd)
{
    if (!s_bSplashEnabled || s_pSplash != NULL)
        return FALSE;

    CSplashWnd* pSplash = new CSplashWnd;
    s_pSplash = pSplash;
    if (!pSplash->m_bitmap.LoadBitmap(IDB_SPLASH))
    {
        TRACE("splash: bitmap %d missing", IDB_SPLASH);
        delete pSplash;
        return FALSE;
    }
    BITMAP bm;
    pSplash->m_bitmap.GetBitmap(&bm);
    LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW));
    if (!pSplash->CreateEx(0, lpszClass, NULL, WS_POPUP | WS_VISIBLE, 0, 0, bm.bmWidth, bm.bmHeight,
                           pParentWnd != NULL ? pParentWnd->GetSafeHwnd() : NULL, NULL))
    {
        TRACE("splash: the window could not be created");
        // A window destroyed during creation has deleted its object already.
        if (s_pSplash == pSplash)
            delete pSplash;
        return FALSE;
    }
    pSplash->CenterWindow();
    pSplash->UpdateWindow();
    pSplash->SetTimer(kSplashTimer, kSplashMilliseconds, NULL);
    return TRUE;
}

void CSplashWnd::HideSplashScreen()
{
    DestroyWindow();
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd != NULL && pMainWnd->GetSafeHwnd() != NULL)
        pMainWnd->UpdateWindow();
}

void CSplashWnd::PostNcDestroy()
{
    delete this;
}

void CSplashWnd::OnPaint()
{
    CPaintDC dc(this);
    CDC dcImage;
    if (!dcImage.CreateCompatibleDC(&dc))
        return;
    BITMAP bm;
    m_bitmap.GetBitmap(&bm);
    CBitmap* pOld = dcImage.SelectObject(&m_bitmap);
    dc.BitBlt(0, 0, bm.bmWidth, bm.bmHeight, &dcImage, 0, 0, SRCCOPY);
    dcImage.SelectObject(pOld);
}

void CSplashWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kSplashTimer)
        HideSplashScreen();
}
