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

#include <afxwin.h>
#include <shlwapi.h>

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

    double dSaveLoad = bench_ui::MedianMs(21, [&]() {
        pBars->SaveOptions("CommandBars");
        pBars->SaveBarState("CommandBars");
        pBars->LoadOptions("CommandBars");
        pBars->LoadBarState("CommandBars");
    });
    bench_ui::Report("save + load of the three bars' state and options", dSaveLoad, "ms", 20);
    bench_ui::Report("  save options", bench_ui::MedianMs(21, [&]() { pBars->SaveOptions("CommandBars"); }), "ms", 0);
    bench_ui::Report("  save bar state", bench_ui::MedianMs(21, [&]() { pBars->SaveBarState("CommandBars"); }), "ms", 0);
    bench_ui::Report("  load options", bench_ui::MedianMs(21, [&]() { pBars->LoadOptions("CommandBars"); }), "ms", 0);
    bench_ui::Report("  load bar state", bench_ui::MedianMs(21, [&]() { pBars->LoadBarState("CommandBars"); }), "ms", 0);

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
