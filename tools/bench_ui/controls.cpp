// Extended-control figures: the colour dialog opened to its first painted
// page, and one drag step on the custom page's spectrum (the page, the
// luminance bar, the fields and the swatch following it).
#include "bench_ui.h"

#include "XTColorDialog.h"

#include <stdio.h>

#include <vector>

namespace
{
void RedrawNow(CWnd& wnd)
{
    wnd.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}
} // namespace

BM_UI_BENCH(controls)
{
    static bool s_bStarted = false;
    if (!s_bStarted)
    {
        AfxWinInit(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_SHOWNORMAL);
        s_bStarted = true;
    }

    // Made, laid out, shown and painted with its standard page (the
    // honeycomb drawn pixel by pixel into its picture), then gone.
    double dOpen = bench_ui::MedianMs(20, [] {
        CXTColorDialog dlg(RGB(255, 204, 204), RGB(255, 204, 204), CPS_XT_SHOW3DSELECTION);
        if (!dlg.Create(NULL))
            return;
        dlg.ShowWindow(SW_SHOWNA);
        RedrawNow(dlg);
        bench_ui::Pump();
        dlg.DestroyWindow();
    });
    bench_ui::Report("colour dialog opened to its first painted page", dOpen, "ms", 100);

    // The same opening step by step: where its time goes.
    std::vector<double> create, show, paint, destroy;
    for (int i = 0; i < 20; i++)
    {
        CXTColorDialog dlg(RGB(255, 204, 204), RGB(255, 204, 204), CPS_XT_SHOW3DSELECTION);
        const double t0 = bench_ui::Now();
        if (!dlg.Create(NULL))
        {
            printf("  the colour dialog could not be created\n");
            return;
        }
        const double t1 = bench_ui::Now();
        dlg.ShowWindow(SW_SHOWNA);
        const double t2 = bench_ui::Now();
        RedrawNow(dlg);
        bench_ui::Pump();
        const double t3 = bench_ui::Now();
        dlg.DestroyWindow();
        const double t4 = bench_ui::Now();
        create.push_back((t1 - t0) * 1000.0);
        show.push_back((t2 - t1) * 1000.0);
        paint.push_back((t3 - t2) * 1000.0);
        destroy.push_back((t4 - t3) * 1000.0);
    }
    bench_ui::Report("  of it: sheet and first page created", bench_ui::Median(create), "ms", 0);
    bench_ui::Report("  of it: shown", bench_ui::Median(show), "ms", 0);
    bench_ui::Report("  of it: painted (sheet, tabs, page, buttons)", bench_ui::Median(paint), "ms", 0);
    bench_ui::Report("  of it: destroyed", bench_ui::Median(destroy), "ms", 0);

    CXTColorDialog dlg(RGB(255, 0, 0), RGB(255, 0, 0), CPS_XT_SHOW3DSELECTION);
    if (!dlg.Create(NULL))
    {
        printf("  the colour dialog could not be created\n");
        return;
    }
    dlg.ShowWindow(SW_SHOWNA);
    dlg.SetActivePage(1);
    RedrawNow(dlg);
    bench_ui::Pump();
    CXTColorPageCustom* pPage = dlg.GetCustomPage();
    CRect rc;
    pPage->m_colorWnd.GetClientRect(&rc);
    pPage->m_colorWnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, rc.Height() / 2));
    int x = 1;
    // One mouse move with the button down, and everything it changes
    // painted: the spectrum's marker, the bar, six fields and the swatch.
    double dDrag = bench_ui::MedianMs(100, [&] {
        x = x + 3 < rc.Width() ? x + 3 : 1;
        pPage->m_colorWnd.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, rc.Height() / 2));
        pPage->UpdateWindow();
        pPage->m_colorWnd.UpdateWindow();
        pPage->m_colorLum.UpdateWindow();
        for (CEdit* pEdit : {&pPage->m_editHue, &pPage->m_editSat, &pPage->m_editLum, &pPage->m_editRed,
                             &pPage->m_editGreen, &pPage->m_editBlue})
            pEdit->UpdateWindow();
        dlg.UpdateWindow();
    });
    pPage->m_colorWnd.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, rc.Height() / 2));
    bench_ui::Report("custom page: one drag step on the spectrum, repainted", dDrag, "ms", 16);
    dlg.DestroyWindow();
}
