// Command-bar figures on a frame like the game's: building the menu bar and
// the two toolbars from the resources, opening and painting the File popup,
// and the frame's layout with the three bars docked.
#include "bench_ui.h"

#include <afxwin.h>

#include <vector>

#include "XTPCommandBars.h"
#include "XTPCommandBarsOptions.h"
#include "XTPControl.h"
#include "XTPFrameWnd.h"
#include "XTPImageManager.h"
#include "XTPMenuBar.h"
#include "XTPPaintManager.h"
#include "XTPPopupBar.h"
#include "XTPToolBar.h"
#include "resource.h"

namespace
{
const int kRuns = 60;

// The class library needs an application object and its initialisation
// before frames can be made; another measure may have made them already.
void EnsureApplication()
{
    if (AfxGetApp() != NULL)
        return;
    static CWinApp* s_pApp = new CWinApp(_T("BenchCommandBars"));
    AfxWinInit(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_SHOWNORMAL);
    (void)s_pApp;
}

// A frame without bars; BuildBars gives it the game's three bars.
class CBenchFrame : public CXTPFrameWnd
{
public:
    BOOL CreateBenchFrame(BOOL bShow)
    {
        if (!Create(NULL, _T("Bench"), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                    CRect(40, 40, 700, 500)))
            return FALSE;
        if (bShow)
        {
            ShowWindow(SW_SHOWNORMAL);
            UpdateWindow();
        }
        return TRUE;
    }
    BOOL BuildBars()
    {
        if (!InitCommandBars())
            return FALSE;
        CXTPCommandBars* pCommandBars = GetCommandBars();
        pCommandBars->GetCommandBarsOptions()->animationType = 5; // no popup animation
        if (pCommandBars->CreateMenuBar(_T("Menu Bar"), IDR_MAINFRAME) == NULL)
            return FALSE;
        CXTPToolBar* pStandard = pCommandBars->Add(_T("Standard"), xtpBarTop);
        if (pStandard == NULL || !pStandard->LoadToolBar(IDR_MAINFRAME))
            return FALSE;
        CXTPToolBar* pTimer = pCommandBars->Add(_T("Timer"), xtpBarTop);
        if (pTimer == NULL || !pTimer->LoadToolBar(IDR_TIMER_TOOLBAR))
            return FALSE;
        RecalcLayout();
        return TRUE;
    }
};

} // namespace

BM_UI_BENCH(commandbars)
{
    EnsureApplication();
    CXTPPaintManager::SetTheme(xtpThemeOffice2003);
    XTPPaintManager()->EnableShadow(FALSE);
    XTPPaintManager()->m_bEnableAnimation = FALSE;

    // Building: the frame window exists already; only the bars are timed.
    std::vector<double> build;
    for (int i = 0; i <= kRuns; i++)
    {
        CBenchFrame* pFrame = new CBenchFrame();
        if (!pFrame->CreateBenchFrame(FALSE))
        {
            printf("  the frame could not be created\n");
            return;
        }
        const double t0 = bench_ui::Now();
        BOOL bBuilt = pFrame->BuildBars();
        const double t1 = bench_ui::Now();
        pFrame->DestroyWindow();
        bench_ui::Pump();
        if (!bBuilt)
        {
            printf("  the bars could not be built from the resources\n");
            return;
        }
        if (i > 0) // the first run fills caches
            build.push_back((t1 - t0) * 1000.0);
    }
    bench_ui::Report("build the menu bar and two toolbars from the resources", bench_ui::Median(build), "ms", 20.0);

    // Of which: the images of the two toolbars and the menu bar's window
    // buttons (18 icons; each icon is made by the window server).
    const UINT standard[] = { ID_NEW_PUZZLE, ID_FILE_OPEN, ID_SAVE_PUZZLE, ID_FILE_PRINT, ID_UNDO_MOVE,
                              ID_BRANCH_BEGIN, ID_BRANCH_ACCEPT, ID_BRANCH_REVERT };
    const UINT timer[] = { ID_TIMER_PAUSE, ID_TIMER_PLAY, ID_TIMER_CLOCK, ID_TIMER_ELAPSED, ID_TIMER_REMAINING,
                           ID_TIMER_TARGET };
    const UINT window[] = { SC_RESTORE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE };
    double dImages = bench_ui::MedianMs(kRuns, [&]() {
        XTPImageManager()->SetIcons(IDR_MAINFRAME, standard, 8, CSize(16, 15));
        XTPImageManager()->SetIcons(IDR_TIMER_TOOLBAR, timer, 6, CSize(16, 15));
        XTPImageManager()->SetIcons(XTP_IDR_MENUBAR_MDIBUTTONS, window, 4, CSize(16, 16));
    });
    bench_ui::Report("  of which the 18 images", dImages, "ms", 0);

    CBenchFrame* pFrame = new CBenchFrame();
    if (!pFrame->CreateBenchFrame(TRUE) || !pFrame->BuildBars())
    {
        printf("  the frame could not be built\n");
        return;
    }
    bench_ui::Pump();
    CXTPMenuBar* pMenuBar = pFrame->GetCommandBars()->GetMenuBar();

    // Opening the File popup and painting it; closing is not timed.
    std::vector<double> popup;
    for (int i = 0; i <= kRuns; i++)
    {
        const double t0 = bench_ui::Now();
        pMenuBar->SetPopuped(0, FALSE);
        CXTPCommandBar* pPopup = pMenuBar->GetControl(0)->GetCommandBar();
        if (pPopup != NULL && pPopup->GetSafeHwnd() != NULL)
            pPopup->UpdateWindow();
        ::GdiFlush();
        const double t1 = bench_ui::Now();
        pMenuBar->SetTrackingMode(FALSE);
        bench_ui::Pump();
        if (i > 0)
            popup.push_back((t1 - t0) * 1000.0);
    }
    bench_ui::Report("open and paint the File popup", bench_ui::Median(popup), "ms", 10.0);

    double dLayout = bench_ui::MedianMs(kRuns * 10, [&]() { pFrame->RecalcLayout(); });
    bench_ui::Report("frame RecalcLayout with three bars", dLayout, "ms", 2.0);

    pFrame->DestroyWindow();
    bench_ui::Pump();
}
