// Measures of the command bars' state and shortcuts: saving and loading the
// game's three bars with their options, a shortcut lookup, and a status-bar
// text update that changes nothing.
#include "bench_ui.h"

#include "XTPCommandBars.h"
#include "XTPCommandBarsOptions.h"
#include "XTPControls.h"
#include "XTPFrameWnd.h"
#include "XTPShortcutManager.h"
#include "XTPStatusBar.h"
#include "XTPToolBar.h"
#include "XTPDockBar.h"

#include <afxwin.h>
#include <shlwapi.h>

#include <vector>

namespace
{
const char* const kBenchKey = "BrindlemarkBenchCommandBars";

class CBenchApp : public CWinApp
{
public:
    CBenchApp() : CWinApp("Brindlemark") { SetRegistryKey(kBenchKey); }
    ~CBenchApp() override { ::SHDeleteKeyA(HKEY_CURRENT_USER, (CString("Software\\") + kBenchKey)); }
};

// The game's frame: menu bar 102, "Standard" 102 and "Timer" 130.
CXTPFrameWnd* CreateGameFrame()
{
    CXTPFrameWnd* pFrame = new CXTPFrameWnd;
    pFrame->Create(NULL, "Bench", WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 480));
    pFrame->InitCommandBars();
    CXTPCommandBars* pBars = pFrame->GetCommandBars();
    pBars->CreateMenuBar("Menu Bar", 102);
    CXTPToolBar* pStandard = pBars->Add("Standard", xtpBarTop);
    pStandard->LoadToolBar(102);
    CXTPToolBar* pTimer = pBars->Add("Timer", xtpBarTop);
    pTimer->GetControls()->Add(xtpControlButton, 2030)->SetCaption("Clock");
    pTimer->SetBarID(130);
    pFrame->ShowWindow(SW_SHOWNA);
    pFrame->RecalcLayout();
    return pFrame;
}

HWND g_hStatusWnd = NULL;
int g_nSetText = 0;
HHOOK g_hHook = NULL;
LRESULT CALLBACK CountSetText(int nCode, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* p = (const CWPSTRUCT*)lParam;
    if (nCode == HC_ACTION && p->hwnd == g_hStatusWnd && p->message == SB_SETTEXT)
        g_nSetText++;
    return ::CallNextHookEx(g_hHook, nCode, wParam, lParam);
}
} // namespace

BM_UI_BENCH(commandbars_state)
{
    CBenchApp app;
    CXTPFrameWnd* pFrame = CreateGameFrame();
    CXTPCommandBars* pBars = pFrame->GetCommandBars();

    // Every run saves state that changed since the last save and loads
    // state that differs from what the bars show: the Timer bar swaps rows
    // and an option flips before the save, and both are put back before the
    // load. The parts are timed within the same runs as the whole.
    CXTPToolBar* pTimer = pBars->GetToolBar(130);
    CXTPCommandBarsOptions* pOptions = pBars->GetCommandBarsOptions();
    std::vector<double> total, saveOptions, saveState, loadOptions, loadState;
    for (int i = 0; i <= 21; i++)
    {
        const BOOL bNewRow = (i % 2) == 0;
        pBars->DockCommandBar(pTimer, NULL, pBars->GetDockBar(bNewRow ? xtpBarBottom : xtpBarTop));
        pOptions->bShowFullAfterDelay = !pOptions->bShowFullAfterDelay;
        pOptions->bDirtyState = TRUE;
        pFrame->RecalcLayout();

        const double t0 = bench_ui::Now();
        pBars->SaveOptions("CommandBars");
        const double t1 = bench_ui::Now();
        pBars->SaveBarState("CommandBars");
        const double t2 = bench_ui::Now();

        pBars->DockCommandBar(pTimer, NULL, pBars->GetDockBar(bNewRow ? xtpBarTop : xtpBarBottom));
        pOptions->bShowFullAfterDelay = !pOptions->bShowFullAfterDelay;
        pFrame->RecalcLayout();

        const double t3 = bench_ui::Now();
        pBars->LoadOptions("CommandBars");
        const double t4 = bench_ui::Now();
        pBars->LoadBarState("CommandBars");
        const double t5 = bench_ui::Now();
        if (pTimer->GetPosition() != (bNewRow ? xtpBarBottom : xtpBarTop))
            printf("  the loaded state did not put the Timer bar back\n");
        if (i == 0)
            continue;   // warm-up
        saveOptions.push_back((t1 - t0) * 1000.0);
        saveState.push_back((t2 - t1) * 1000.0);
        loadOptions.push_back((t4 - t3) * 1000.0);
        loadState.push_back((t5 - t4) * 1000.0);
        total.push_back(((t2 - t0) + (t5 - t3)) * 1000.0);
    }
    bench_ui::Report("save + load of the three bars' state and options (changed)", bench_ui::Median(total), "ms", 20);
    bench_ui::Report("  save options", bench_ui::Median(saveOptions), "ms", 0);
    bench_ui::Report("  save bar state", bench_ui::Median(saveState), "ms", 0);
    bench_ui::Report("  load options", bench_ui::Median(loadOptions), "ms", 0);
    bench_ui::Report("  load bar state", bench_ui::Median(loadState), "ms", 0);

    CXTPShortcutManager* pShortcuts = pBars->GetShortcutManager();
    pShortcuts->LoadAccelerators(102);
    const int nLookups = 10000;
    double dLookups = bench_ui::MedianMs(11, [&]() {
        for (int i = 0; i < nLookups; i++)
        {
            CString str;
            pShortcuts->FindDefaultAccelerator(57601, str);
        }
    });
    bench_ui::Report("shortcut text of a command (one lookup)", dLookups * 1000.0 / nLookups, "us", 2);

    CXTPStatusBar* pStatusBar = new CXTPStatusBar;
    pStatusBar->Create(pFrame);
    static const UINT indicators[] = {0, 59137, 59138, 59139};
    pStatusBar->SetIndicators(indicators, 4);
    pStatusBar->SetPaneText(0, "Ready");
    g_hStatusWnd = pStatusBar->m_hWnd;
    g_hHook = ::SetWindowsHookExA(WH_CALLWNDPROC, CountSetText, NULL, ::GetCurrentThreadId());
    g_nSetText = 0;
    double dSame = bench_ui::MedianMs(11, [&]() {
        for (int i = 0; i < 1000; i++)
            pStatusBar->SetPaneText(0, "Ready");
    });
    ::UnhookWindowsHookEx(g_hHook);
    bench_ui::Report("status text set to what it shows (one update)", dSame * 1000.0 / 1000, "us", 0);
    bench_ui::Report("SB_SETTEXT sent for 12000 unchanged updates", g_nSetText, "", 0.5);

    pStatusBar->DestroyWindow();
    delete pStatusBar;
    pFrame->DestroyWindow();
}
