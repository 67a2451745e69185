// Office 2007 figures: a 10-button tool bar painted in the Office 2007 look
// into a DIB, the refresh that reads every colour of the theme text, and a
// theme picture with a transparent colour drawn at several sizes.
#include "bench_ui.h"

#include <afxcmn.h>

#include "XTPCommandBar.h"
#include "XTPControl.h"
#include "XTPControls.h"
#include "XTPImageManager.h"
#include "XTPOffice2007Image.h"
#include "XTPOffice2007Theme.h"
#include "XTPToolBar.h"

namespace
{
const int kRuns = 300;
const int kFirstCommand = 3101;

void RegisterIcons(int nCount)
{
    for (int i = 0; i < nCount; i++)
    {
        HDC hScreen = ::GetDC(NULL);
        HDC hDC = ::CreateCompatibleDC(hScreen);
        HBITMAP hColor = ::CreateCompatibleBitmap(hScreen, 16, 16);
        HBITMAP hMask = ::CreateBitmap(16, 16, 1, 1, NULL);
        HGDIOBJ hOld = ::SelectObject(hDC, hColor);
        RECT rc = { 2, 2, 14, 14 };
        HBRUSH hBrush = ::CreateSolidBrush(RGB(30 * (i % 7), 110, 210 - 15 * (i % 9)));
        ::FillRect(hDC, &rc, hBrush);
        ::DeleteObject(hBrush);
        ::SelectObject(hDC, hMask);
        RECT rcAll = { 0, 0, 16, 16 };
        ::FillRect(hDC, &rcAll, (HBRUSH)::GetStockObject(WHITE_BRUSH));
        ::FillRect(hDC, &rc, (HBRUSH)::GetStockObject(BLACK_BRUSH));
        ::SelectObject(hDC, hOld);
        ICONINFO info = { TRUE, 0, 0, hMask, hColor };
        HICON hIcon = ::CreateIconIndirect(&info);
        XTPImageManager()->SetIcon(CXTPImageManagerIconHandle(hIcon), kFirstCommand + i, CSize(16, 16));
        ::DestroyIcon(hIcon);
        ::DeleteObject(hColor);
        ::DeleteObject(hMask);
        ::DeleteDC(hDC);
        ::ReleaseDC(NULL, hScreen);
    }
}
} // namespace

BM_UI_BENCH(themes_office2007)
{
    CXTPPaintManager::SetTheme(xtpThemeOffice2007);
    RegisterIcons(10);

    HDC hDC = ::CreateCompatibleDC(NULL);
    HBITMAP hBitmap = CXTPImageManager::Create32BitDIBSection(hDC, 400, 100);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    CDC* pDC = CDC::FromHandle(hDC);

    // A docked tool bar of ten buttons, some hot, checked and disabled.
    CXTPToolBar* pToolBar = new CXTPToolBar();
    pToolBar->m_barPosition = xtpBarTop;
    pToolBar->m_dwStyle |= XTP_CBRS_GRIPPER;
    pToolBar->m_szButtons = CSize(23, 22);
    for (int i = 0; i < 10; i++)
    {
        CXTPControl* pControl = pToolBar->GetControls()->Add(xtpControlButton, kFirstCommand + i);
        pControl->SetBeginGroup(i == 4 || i == 7);
        pControl->m_nSelected = i == 2;
        pControl->SetChecked(i == 5);
        pControl->SetEnabled(i != 8);
    }
    CRect rcBorders = XTPPaintManager()->GetCommandBarBorders(pToolBar);
    rcBorders.left += XTPPaintManager()->DrawCommandBarGripper(NULL, pToolBar, FALSE).cx;
    CSize szToolBar = pToolBar->GetControls()->CalcDynamicSize(pDC, 400, LM_HORZ | LM_HORZDOCK | LM_COMMIT, rcBorders);
    pToolBar->CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), _T(""), WS_POPUP, CRect(CPoint(0, 0), szToolBar),
                       NULL, 0);

    char szWhat[160];
    double dToolBar = bench_ui::MedianMs(kRuns, [&]() {
        CRect rcClient;
        pToolBar->GetClientRect(&rcClient);
        pToolBar->DrawCommandBar(pDC, rcClient);
        ::GdiFlush();
    });
    sprintf(szWhat, "Office 2007 tool bar, 10 buttons (%d x %d), painted into a DIB", (int)szToolBar.cx,
            (int)szToolBar.cy);
    bench_ui::Report(szWhat, dToolBar, "ms", 1.0);

    CXTPPaintManager* pOffice2007 = CXTPPaintManager::CreateTheme(xtpThemeOffice2007);
    double dRefresh = bench_ui::MedianMs(kRuns, [&]() { pOffice2007->RefreshMetrics(); });
    bench_ui::Report("RefreshMetrics of the Office 2007 theme (all theme-text colours read)", dRefresh, "ms", 3.0);
    pOffice2007->InternalRelease();

    // A 22 x 66 picture of three states on magenta, drawn nine-part with a
    // transparent colour: at 8 sizes in turn the kept pictures serve, at 12
    // in turn each is made anew, and on a mirrored DC nothing is kept.
    {
        CXTPOffice2007Image image(NULL);
        HDC hScreen = ::GetDC(NULL);
        HBITMAP hPicture = ::CreateCompatibleBitmap(hScreen, 22, 66);
        ::ReleaseDC(NULL, hScreen);
        HDC hPictureDC = ::CreateCompatibleDC(NULL);
        HGDIOBJ hOldPicture = ::SelectObject(hPictureDC, hPicture);
        RECT rcAll = {0, 0, 22, 66};
        HBRUSH hKey = ::CreateSolidBrush(RGB(255, 0, 255));
        ::FillRect(hPictureDC, &rcAll, hKey);
        ::DeleteObject(hKey);
        for (int i = 0; i < 3; i++)
        {
            RECT rcState = {2, i * 22 + 2, 20, i * 22 + 20};
            HBRUSH hBrush = ::CreateSolidBrush(RGB(60 * i, 140, 220));
            ::FillRect(hPictureDC, &rcState, hBrush);
            ::DeleteObject(hBrush);
        }
        ::SelectObject(hPictureDC, hOldPicture);
        ::DeleteDC(hPictureDC);
        image.SetBitmap(hPicture, FALSE);

        const int kDraws = 12 * 8;
        auto Draw = [&](int nSizes) {
            for (int i = 0; i < kDraws; i++)
            {
                int n = i % nSizes;
                image.DrawImageTransparent(pDC, CRect(0, 0, 30 + n * 4, 22), image.GetSource(n % 3, 3),
                                           CRect(3, 3, 3, 3), RGB(255, 0, 255));
            }
            ::GdiFlush();
        };
        double dKept = bench_ui::MedianMs(kRuns / 10, [&]() { Draw(8); }) / kDraws;
        bench_ui::Report("keyed theme picture at 8 sizes in turn, one drawing (kept pictures)", dKept, "ms", 0.05);
        double dMade = bench_ui::MedianMs(kRuns / 10, [&]() { Draw(12); }) / kDraws;
        bench_ui::Report("keyed theme picture at 12 sizes in turn, one drawing (made anew)", dMade, "ms", 0.4);
        ::SetLayout(hDC, LAYOUT_RTL);
        double dMirrored = bench_ui::MedianMs(kRuns / 10, [&]() { Draw(8); }) / kDraws;
        ::SetLayout(hDC, 0);
        bench_ui::Report("keyed theme picture on a mirrored DC, one drawing (nothing kept)", dMirrored, "ms", 0.5);
    }

    pToolBar->DestroyWindow();
    pToolBar->InternalRelease();
    ::SelectObject(hDC, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hDC);
    CXTPPaintManager::SetTheme(xtpThemeDefault);
}
