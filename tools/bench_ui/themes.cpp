// Paint-theme figures: a 10-button tool bar and an open 20-item popup menu
// painted in the Office 2003 look into a DIB, and a theme's refresh.
#include "bench_ui.h"

#include <afxcmn.h>

#include <vector>

#include "XTPCommandBar.h"
#include "XTPControl.h"
#include "XTPControls.h"
#include "XTPImageManager.h"
#include "XTPOffice2003Theme.h"
#include "XTPPopupBar.h"
#include "XTPToolBar.h"

namespace
{
const int kRuns = 300;

// Gives command ids first .. first + count - 1 coloured 16 x 16 icons, the
// way a tool bar's bitmap reaches the image manager: through an image list.
void RegisterIcons(int nFirst, int nCount)
{
    HDC hScreen = ::GetDC(NULL);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    HBITMAP hStrip = ::CreateCompatibleBitmap(hScreen, 16 * nCount, 16);
    HGDIOBJ hOld = ::SelectObject(hDC, hStrip);
    for (int i = 0; i < nCount; i++)
    {
        RECT rc = { 16 * i, 0, 16 * i + 16, 16 };
        HBRUSH hBrush = ::CreateSolidBrush(RGB(255, 0, 255));
        ::FillRect(hDC, &rc, hBrush);
        ::DeleteObject(hBrush);
        RECT rcInner = { 16 * i + 2, 2, 16 * i + 14, 14 };
        hBrush = ::CreateSolidBrush(RGB(40 * (i % 6), 120, 200 - 20 * (i % 8)));
        ::FillRect(hDC, &rcInner, hBrush);
        ::DeleteObject(hBrush);
    }
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    ::ReleaseDC(NULL, hScreen);

    CImageList imageList;
    imageList.Create(16, 16, ILC_COLOR24 | ILC_MASK, nCount, 0);
    imageList.Add(CBitmap::FromHandle(hStrip), RGB(255, 0, 255));
    std::vector<UINT> commands;
    for (int i = 0; i < nCount; i++)
        commands.push_back((UINT)(nFirst + i));
    XTPImageManager()->SetIconsFromImageList(&imageList, commands.data(), nCount, CSize(16, 16));
    ::DeleteObject(hStrip);
}

// A 32-bit DIB section (the format of the screen here) on a memory DC.
struct Dib
{
    Dib(int cx, int cy)
    {
        hDC = ::CreateCompatibleDC(NULL);
        hBitmap = CXTPImageManager::Create32BitDIBSection(hDC, cx, cy);
        hOld = ::SelectObject(hDC, hBitmap);
    }
    ~Dib()
    {
        ::SelectObject(hDC, hOld);
        ::DeleteObject(hBitmap);
        ::DeleteDC(hDC);
    }
    HDC hDC;
    HBITMAP hBitmap;
    HGDIOBJ hOld;
};

// A bar paints itself over its whole client area.
void PaintBar(CDC* pDC, CXTPCommandBar* pBar)
{
    CRect rcClient;
    pBar->GetClientRect(&rcClient);
    pBar->DrawCommandBar(pDC, rcClient);
}

void CreateHidden(CWnd* pWnd, CSize sz)
{
    pWnd->CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), _T(""), WS_POPUP, CRect(CPoint(0, 0), sz), NULL, 0);
}

XTPPaintThemes::CXTPOffice2003Theme* InstallOffice2003()
{
    XTPPaintThemes::CXTPOffice2003Theme* pTheme = new XTPPaintThemes::CXTPOffice2003Theme();
    pTheme->SetLunaTheme(xtpSystemThemeBlue);
    CXTPPaintManager::SetCustomTheme(pTheme);
    return pTheme;
}
} // namespace

BM_UI_BENCH(themes)
{
    InstallOffice2003();
    RegisterIcons(3001, 20);
    Dib dib(400, 500);
    CDC* pDC = CDC::FromHandle(dib.hDC);

    // A docked tool bar of ten buttons, some hot, checked and disabled.
    CXTPToolBar* pToolBar = new CXTPToolBar();
    pToolBar->m_barPosition = xtpBarTop;
    pToolBar->m_dwStyle |= XTP_CBRS_GRIPPER;
    pToolBar->m_szButtons = CSize(23, 22);
    for (int i = 0; i < 10; i++)
    {
        CXTPControl* pControl = pToolBar->GetControls()->Add(xtpControlButton, 3001 + i);
        pControl->SetBeginGroup(i == 4 || i == 7);
        pControl->m_nSelected = i == 2;
        pControl->SetChecked(i == 5);
        pControl->SetEnabled(i != 8);
    }
    CRect rcBorders = XTPPaintManager()->GetCommandBarBorders(pToolBar);
    rcBorders.left += XTPPaintManager()->DrawCommandBarGripper(NULL, pToolBar, FALSE).cx;
    CSize szToolBar = pToolBar->GetControls()->CalcDynamicSize(pDC, 400, LM_HORZ | LM_HORZDOCK | LM_COMMIT, rcBorders);
    CreateHidden(pToolBar, szToolBar);

    // An open popup menu of twenty items with icons, marks and shortcuts.
    CXTPPopupBar* pPopupBar = new CXTPPopupBar();
    for (int i = 0; i < 20; i++)
    {
        CXTPControl* pControl = pPopupBar->GetControls()->Add(i % 7 == 6 ? xtpControlPopup : xtpControlButton,
                                                              i % 3 ? 3001 + i : 0);
        pControl->SetCaption(_T("&Menu item caption"));
        pControl->SetShortcutText(i % 2 ? _T("Ctrl+M") : _T(""));
        pControl->SetBeginGroup(i % 5 == 0 && i > 0);
        pControl->SetChecked(i % 4 == 0);
        pControl->m_nSelected = i == 3;
    }
    CSize szPopup = pPopupBar->GetControls()->CalcPopupSize(pDC, 2000, XTPPaintManager()->GetCommandBarBorders(pPopupBar));
    CreateHidden(pPopupBar, szPopup);

    char szWhat[128];
    double dToolBar = bench_ui::MedianMs(kRuns, [&]() { PaintBar(pDC, pToolBar); ::GdiFlush(); });
    sprintf(szWhat, "Office 2003 tool bar, 10 buttons (%d x %d), painted into a DIB", (int)szToolBar.cx,
            (int)szToolBar.cy);
    bench_ui::Report(szWhat, dToolBar, "ms", 1.0);

    double dPopup = bench_ui::MedianMs(kRuns, [&]() { PaintBar(pDC, pPopupBar); ::GdiFlush(); });
    sprintf(szWhat, "Office 2003 popup menu, 20 items (%d x %d), painted into a DIB", (int)szPopup.cx,
            (int)szPopup.cy);
    bench_ui::Report(szWhat, dPopup, "ms", 2.0);

    for (int nTheme : { xtpThemeDefault, xtpThemeOffice, xtpThemeOffice2003, xtpThemeWhidbey })
    {
        CXTPPaintManager* pTheme = CXTPPaintManager::CreateTheme(nTheme);
        double dRefresh = bench_ui::MedianMs(kRuns, [&]() { pTheme->RefreshMetrics(); });
        static const char* names[] = { "default", "Office", "Office 2003", "", "Whidbey" };
        sprintf(szWhat, "RefreshMetrics of the %s theme", names[nTheme]);
        bench_ui::Report(szWhat, dRefresh, "ms", 2.0);
        pTheme->InternalRelease();
    }

    pPopupBar->DestroyWindow();
    pPopupBar->InternalRelease();
    pToolBar->DestroyWindow();
    pToolBar->InternalRelease();
    CXTPPaintManager::SetTheme(xtpThemeDefault);
}
