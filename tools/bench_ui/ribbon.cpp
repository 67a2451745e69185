// The ribbon: a full layout of a ribbon with 3 tabs of 4 groups each, a
// repaint of the ribbon, a tab switch up to the painted groups, and a
// gallery's drop-down opened and painted.
#include "bench_ui.h"

#include <XTPCommandBars.h>
#include <XTPControlGallery.h>
#include <XTPFrameWnd.h>
#include <XTPPopupBar.h>
#include <XTPRibbonBar.h>
#include <XTPRibbonTheme.h>

#include <memory>

namespace
{
class CRibbonBenchFrame : public CXTPFrameWnd
{
public:
    CXTPRibbonBar* m_pRibbon = NULL;

    BOOL Build()
    {
        if (!InitCommandBars())
            return FALSE;
        CXTPRibbonTheme* pTheme = new CXTPRibbonTheme();
        pTheme->m_bEnableAnimation = FALSE;
        GetCommandBars()->SetPaintManager(pTheme);
        GetCommandBars()->SetBarClass(CXTPCommandBars::classMenuBar, RUNTIME_CLASS(CXTPRibbonBar));
        m_pRibbon = DYNAMIC_DOWNCAST(CXTPRibbonBar, GetCommandBars()->CreateMenuBar("Ribbon", 0));
        if (m_pRibbon == NULL)
            return FALSE;
        m_pRibbon->EnableAnimation(FALSE);
        int nId = 3000;
        for (int t = 0; t < 3; t++)
        {
            CString strTab;
            strTab.Format("Tab %d", t + 1);
            CXTPRibbonTab* pTab = m_pRibbon->AddTab(strTab);
            for (int g = 0; g < 4; g++)
            {
                CString strGroup;
                strGroup.Format("Group %d", g + 1);
                CXTPRibbonGroup* pGroup = pTab->AddGroup(strGroup, 100 * t + g);
                CXTPControl* pLarge = pGroup->Add(xtpControlButton, nId++, "Large Button");
                pLarge->SetStyle(xtpButtonIconAndCaptionBelow);
                for (int c = 0; c < 3; c++)
                    pGroup->Add(xtpControlButton, nId++, "Small Button")->SetStyle(xtpButtonIconAndCaption);
            }
        }
        m_pRibbon->GetQuickAccessControls()->Add(xtpControlButton, 3000);
        return TRUE;
    }
};
} // namespace

BM_UI_BENCH(ribbon)
{
    AfxWinInit(::GetModuleHandleA(NULL), NULL, (LPTSTR) "", SW_SHOWNORMAL);
    std::unique_ptr<CWinApp> pOwnApp;
    if (AfxGetApp() == NULL)
        pOwnApp.reset(new CWinApp("BrindlemarkBench"));

    CRibbonBenchFrame* pFrame = new CRibbonBenchFrame;
    if (!pFrame->Create(NULL, "ribbon", WS_OVERLAPPEDWINDOW, CRect(0, 0, 900, 500)) || !pFrame->Build())
    {
        printf("  the ribbon frame could not be created\n");
        return;
    }
    pFrame->ShowWindow(SW_SHOWNORMAL);
    pFrame->RecalcLayout();
    bench_ui::Pump();
    CXTPRibbonBar* pRibbon = pFrame->m_pRibbon;
    CRect rc;
    pRibbon->GetClientRect(&rc);

    // Full layout: caption, tab row, quick access and every group of the
    // selected tab measured and placed; alternating widths so that every
    // other pass also reduces the groups.
    int nPass = 0;
    double dLayout = bench_ui::MedianMs(60, [&]() {
        int cx = (nPass % 2) == 0 ? rc.Width() : rc.Width() - 400;
        pRibbon->SetCurSel((nPass / 2) % 3);
        pRibbon->CalcDockedSize(cx, LM_HORZ | LM_HORZDOCK | LM_COMMIT);
        nPass++;
    });
    bench_ui::Report("full layout, 3 tabs x 4 groups", dLayout, "ms", 5.0);

    pRibbon->CalcDockedSize(rc.Width(), LM_HORZ | LM_HORZDOCK | LM_COMMIT);
    // The whole ribbon drawn again (not a copy of the back buffer).
    double dPaint = bench_ui::MedianMs(40, [&]() {
        pRibbon->Redraw(NULL, FALSE);
        pRibbon->UpdateWindow();
    });
    // The same drawing straight into a memory DC, without the window.
    CClientDC dcWindow(pRibbon);
    CDC dcMem;
    dcMem.CreateCompatibleDC(&dcWindow);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&dcWindow, rc.Width(), rc.Height());
    CBitmap* pOld = dcMem.SelectObject(&bmp);
    double dDraw = bench_ui::MedianMs(40, [&]() { pRibbon->DrawCommandBar(&dcMem, rc); });
    dcMem.SelectObject(pOld);
    bench_ui::Report("repaint of the ribbon", dPaint, "ms", 8.0);
    bench_ui::Report("ribbon drawn into a memory DC", dDraw, "ms", 8.0);

    int nTab = 0;
    double dSwitch = bench_ui::MedianMs(40, [&]() {
        pRibbon->SetCurSel(++nTab % 3);
        pRibbon->Redraw(NULL, FALSE);
        pRibbon->UpdateWindow();
    });
    bench_ui::Report("tab switch to painted groups", dSwitch, "ms", 15.0);

    // A gallery of 40 items with a drop-down of 12 commands in the first
    // tab's last group.
    pRibbon->SetCurSel(0);
    CXTPControlGalleryItems* pItems = new CXTPControlGalleryItems();
    pItems->SetItemSize(CSize(32, 22));
    for (int i = 0; i < 40; i++)
    {
        CString strItem;
        strItem.Format("%d", i + 1);
        pItems->AddItem(strItem, 5000 + i);
    }
    CXTPControlGallery* pGallery = new CXTPControlGallery();
    pRibbon->GetTab(0)->GetGroups()->GetAt(3)->Add(pGallery, 4999);
    pGallery->SetItems(pItems);
    pGallery->SetWidth(6 * 32 + 18);
    pGallery->SetHeight(3 * 22);
    pGallery->ShowBorders(TRUE);
    CXTPPopupBar* pMore = CXTPPopupBar::CreatePopupBar(pFrame->GetCommandBars());
    for (int i = 0; i < 12; i++)
    {
        CString strCommand;
        strCommand.Format("Gallery Command %d", i + 1);
        pMore->GetControls()->Add(xtpControlButton, 5100 + i)->SetCaption(strCommand);
    }
    pGallery->SetCommandBar(pMore);
    pMore->InternalRelease();
    pFrame->RecalcLayout();
    pRibbon->Redraw(NULL, FALSE);
    bench_ui::Pump();

    // From the click on "more" to the painted popup, with the drop shadow
    // the theme gives popups, then once more without it (the shadow is two
    // layered windows made at each opening and destroyed at each close).
    auto medianOpen = [&]() -> double {
        std::vector<double> opens;
        for (int i = 0; i < 41; i++)
        {
            double dStart = bench_ui::Now();
            pRibbon->SetTrackingMode(TRUE, FALSE);
            pRibbon->SetPopuped(pGallery->GetIndex());
            if (pMore->GetSafeHwnd() != NULL)
                pMore->UpdateWindow();
            double dEnd = bench_ui::Now();
            if (i > 0)     // the first opening creates the window
                opens.push_back((dEnd - dStart) * 1000.0);
            BOOL bOpen = pMore->GetSafeHwnd() != NULL && pMore->IsWindowVisible();
            XTPMouseManager()->CloseAllTracked();
            bench_ui::Pump();
            if (!bOpen)
            {
                printf("  the gallery's drop-down did not open\n");
                return 0;
            }
        }
        return bench_ui::Median(opens);
    };
    CXTPPaintManager* pPaintManager = pFrame->GetCommandBars()->GetPaintManager();
    double dOpen = medianOpen();
    pPaintManager->EnableShadow(FALSE);
    double dOpenNoShadow = medianOpen();
    pPaintManager->EnableShadow(TRUE);
    bench_ui::Report("gallery drop-down on the ribbon opened and painted", dOpen, "ms", 15.0);
    printf("    of which its drop shadow                                %7.3f ms\n", dOpen - dOpenNoShadow);
    pItems->InternalRelease();

    pFrame->DestroyWindow();
    bench_ui::Pump();
}
