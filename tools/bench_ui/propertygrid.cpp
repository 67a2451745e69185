// Property grid figures: the appearance profile grid filled from a profile
// and painted, and a full repaint of it.
#include "bench_ui.h"

#include "ProfilePropGrids.h"

namespace
{
// A visible top-level window holding the grid, as a pane or an editor would.
class BenchHost : public CWnd
{
public:
    BOOL CreateHost()
    {
        LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_3DFACE + 1));
        return CreateEx(0, lpszClass, "bench", WS_POPUP | WS_CAPTION | WS_VISIBLE | WS_CLIPCHILDREN,
                        CRect(40, 40, 340, 460), NULL, 0);
    }
};

void RedrawNow(CWnd& wnd)
{
    wnd.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}
} // namespace

BM_UI_BENCH(propertygrid)
{
    static bool s_bStarted = false;
    if (!s_bStarted)
    {
        AfxWinInit(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_SHOWNORMAL);
        s_bStarted = true;
    }
    BenchHost host;
    CAppearancePropGrid grid;
    if (!host.CreateHost() || !grid.Create(CRect(7, 7, 290, 400), &host, 1013))
    {
        printf("  the grid could not be created\n");
        return;
    }
    const CAppearanceInfo standard = CAppearanceInfo::MakeStandardProfile();

    // RefreshItems builds the rows and, setting the grid's colours, paints
    // the grid at once.
    double dFill = bench_ui::MedianMs(50, [&] {
        grid.SetAppearanceInfo(standard);
        grid.RefreshItems();
    });
    bench_ui::Report("appearance grid filled and painted (15 colours, 2 categories)", dFill, "ms", 10);

    double dRepaint = bench_ui::MedianMs(100, [&] { RedrawNow(grid); });
    bench_ui::Report("appearance grid, full repaint", dRepaint, "ms", 3);

    grid.DestroyWindow();
    host.DestroyWindow();
}
