// Docking panes: a full layout pass of a frame with four panes in two
// containers, storing and reading that layout through the registry, and the
// steps of a drag with the translucent preview and the stickers.
#include "bench_ui.h"
#include "bench_pane_frame.h"

#include <XTPDockingPaneContext.h>
#include <XTPDockingPaneLayout.h>
#include <XTPDockingPaneManager.h>
#include <afxpriv.h>
#include <shlwapi.h>

#include <memory>

using bench_ui::CBenchPaneFrame;
using bench_ui::CBenchPaneView;

BM_UI_BENCH(docking)
{
    AfxWinInit(::GetModuleHandleA(NULL), NULL, (LPTSTR) "", SW_SHOWNORMAL);
    std::unique_ptr<CWinApp> pOwnApp;
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
    {
        pOwnApp.reset(new CWinApp("BrindlemarkBench"));
        pApp = pOwnApp.get();
    }
    if (pApp->m_pszRegistryKey == NULL)
        pApp->SetRegistryKey("Orrisfield");

    CBenchPaneFrame* pFrame = new CBenchPaneFrame;
    if (!pFrame->Create(NULL, "docking", WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 600)))
    {
        printf("  the frame could not be created\n");
        return;
    }
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CBenchPaneView);
    pFrame->CreateView(&context);
    CXTPDockingPaneManager& m = pFrame->m_paneManager;
    m.AttachToSite(pFrame);
    m.SetTheme(xtpPaneThemeOffice2003);
    CXTPDockingPane* p1000 = m.CreatePane(1000, CRect(0, 0, 200, 120), xtpPaneDockLeft);
    CXTPDockingPane* p1001 = m.CreatePane(1001, CRect(0, 0, 200, 120), xtpPaneDockLeft);
    CXTPDockingPane* p1002 = m.CreatePane(1002, CRect(0, 0, 200, 120), xtpPaneDockBottom);
    CXTPDockingPane* p1003 = m.CreatePane(1003, CRect(0, 0, 200, 120), xtpPaneDockBottom);
    m.AttachPane(p1001, p1000);
    m.AttachPane(p1003, p1002);
    bench_ui::Pump();
    pFrame->RecalcLayout();
    bench_ui::Pump();

    double dLayout = bench_ui::MedianMs(200, [&] { pFrame->RecalcLayout(); });
    bench_ui::Report("docking: full layout pass, 4 panes in 2 containers", dLayout, "ms", 2);

    double dStore = bench_ui::MedianMs(50, [&] {
        CXTPDockingPaneLayout saved(&m);
        m.GetLayout(&saved);
        saved.SaveToProfile("BenchLayout");
        CXTPDockingPaneLayout loaded(&m);
        if (!loaded.LoadFromProfile("BenchLayout"))
            printf("  the stored layout could not be read back\n");
    });
    bench_ui::Report("docking: save + load of that layout through the registry", dStore, "ms", 20);

    // Drag steps: back and forth over one container (the stickers stay), and
    // between two containers (the stickers are made again, their window
    // shapes come from the drag's cache).
    m.m_bAlphaDockingContext = TRUE;
    m.m_bShowDockingContextStickers = TRUE;
    pFrame->ShowWindow(SW_SHOWNOACTIVATE);
    bench_ui::Pump();
    CXTPDockingPaneContext* pContext = m.GetDockingContext();
    CRect rcLeft, rcBottom;   // screen rectangles of the two containers
    ::GetWindowRect(p1000->GetContainer()->GetPaneHwnd(), &rcLeft);
    ::GetWindowRect(p1002->GetContainer()->GetPaneHwnd(), &rcBottom);
    pContext->BeginDrag(p1000->GetContainer(), CPoint(rcLeft.left + 20, rcLeft.top + 6));
    pContext->InitLoop();
    CRect rcClient;
    pFrame->GetClientRect(&rcClient);
    pFrame->ClientToScreen(&rcClient);
    // Over the bottom container, a little further, and over the view.
    CPoint ptA = rcBottom.CenterPoint(), ptB = ptA + CPoint(3, 2), ptC = rcClient.CenterPoint();
    bool bFlip = false;
    double dStay = bench_ui::MedianMs(100, [&] {
        bFlip = !bFlip;
        pContext->Move(bFlip ? ptA : ptB);
    });
    // A step within one frame of the screen keeps the preview under the pointer.
    bench_ui::Report("docking: drag step over one container, stickers shown", dStay, "ms", 16);
    double dChange = bench_ui::MedianMs(50, [&] {
        bFlip = !bFlip;
        pContext->Move(bFlip ? ptA : ptC);
    });
    bench_ui::Report("docking: drag step onto another container, stickers remade", dChange, "ms", 50);
    pContext->EndLoop();
    pContext->m_pPane = NULL;

    CString strKey = CString("Software\\Orrisfield\\") + pApp->m_pszProfileName + "\\DockingPaneLayouts\\BenchLayout";
    ::SHDeleteKeyA(HKEY_CURRENT_USER, strKey);
    pFrame->DestroyWindow();
    bench_ui::Pump();
}
