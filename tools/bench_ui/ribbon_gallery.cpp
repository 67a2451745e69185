// Galleries: a gallery of 100 items (in five labelled groups) laid out and
// painted with its scroll bar by the Office 2007 gallery painter.
#include "bench_ui.h"

#include <XTPCommandBars.h>
#include <XTPControlGallery.h>
#include <XTPControls.h>
#include <XTPFrameWnd.h>
#include <XTPPaintManager.h>
#include <XTPPopupBar.h>

#include <memory>

BM_UI_BENCH(ribbon_gallery)
{
    AfxWinInit(::GetModuleHandleA(NULL), NULL, (LPTSTR) "", SW_SHOWNORMAL);
    std::unique_ptr<CWinApp> pOwnApp;
    if (AfxGetApp() == NULL)
        pOwnApp.reset(new CWinApp("BrindlemarkBench"));

    CXTPPaintManager::SetTheme(xtpThemeOffice2007);
    CXTPFrameWnd* pFrame = new CXTPFrameWnd;
    if (!pFrame->Create(NULL, "gallery", WS_OVERLAPPEDWINDOW, CRect(0, 0, 600, 400)) || !pFrame->InitCommandBars())
    {
        printf("  the gallery frame could not be created\n");
        return;
    }
    CXTPPopupBar* pBar = CXTPPopupBar::CreatePopupBar(pFrame->GetCommandBars());
    CXTPControlGalleryItems* pItems = new CXTPControlGalleryItems();
    pItems->SetItemSize(CSize(40, 24));
    for (int i = 0; i < 100; i++)
    {
        if (i % 20 == 0)
        {
            CString strLabel;
            strLabel.Format("Group %d", i / 20 + 1);
            pItems->AddLabel(strLabel);
        }
        CString strItem;
        strItem.Format("%d", i + 1);
        pItems->AddItem(strItem, 4000 + i);
    }
    CXTPControlGallery* pGallery = new CXTPControlGallery();
    pBar->GetControls()->Add(pGallery, 3999);
    pGallery->SetItems(pItems);
    pGallery->ShowBorders(TRUE);

    CClientDC dcWindow(pFrame);
    CDC dcMem;
    dcMem.CreateCompatibleDC(&dcWindow);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&dcWindow, 420, 320);
    CBitmap* pOld = dcMem.SelectObject(&bmp);

    // Alternating widths make each pass a full layout (a new rectangle);
    // the scroll offset moves so that the painted rows differ too.
    int nPass = 0;
    double dLayoutPaint = bench_ui::MedianMs(100, [&]() {
        pGallery->SetRect(CRect(0, 0, (nPass % 2) == 0 ? 400 : 360, 300));
        pGallery->SetScrollPos((nPass * 37) % 400);
        pGallery->Draw(&dcMem);
        nPass++;
    });
    double dLayout = bench_ui::MedianMs(100, [&]() {
        pGallery->SetRect(CRect(0, 0, (nPass % 2) == 0 ? 400 : 360, 300));
        nPass++;
    });
    dcMem.SelectObject(pOld);
    bench_ui::Report("gallery of 100 items laid out and painted", dLayoutPaint, "ms", 5.0);
    bench_ui::Report("gallery of 100 items laid out", dLayout, "ms", 5.0);

    pBar->InternalRelease();
    pItems->InternalRelease();
    pFrame->DestroyWindow();
    bench_ui::Pump();
    CXTPPaintManager::SetTheme(xtpThemeDefault);
}
