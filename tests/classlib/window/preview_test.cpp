// ctest: run-serial (focus and the preview's keys)
// ctest: lock registry
// Printing through a view: direct printing to the printer chosen in Print
// Setup without a dialog, and the print preview in the frame: the pages the
// view prints, the preview bar's commands, the pages named in the status
// bar, and the frame's menu, bars, docking panes, main pane and accelerators
// hidden and given back. In a multiple-document program the preview takes
// the main frame: the MDI client with its children steps aside. A test printer (Wine's
// PostScript driver writing to a file) is installed into the prefix.
#include "support/canvas.h"
#include "support/printer.h"
#include "support/pump.h"
#include "support/snapshot.h"
#include "support/tempfolder.h"
#include "support/wndtest.h"
#include <afxpreview.h>
#include "resource.h"
#include "mdiframe_res.h"

#include <XTPCommandBars.h>
#include <XTPFrameWnd.h>
#include <XTPMenuBar.h>
#include <XTPShortcutManager.h>
#include <XTPTabClientWnd.h>
#include <XTPToolBar.h>
#include <XTPDockingPaneAutoHidePanel.h>
#include <XTPDockingPaneManager.h>
#include <XTPDockingPaneMiniWnd.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using namespace testsupport;

namespace
{
CWinApp theApp;
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new Environment);

// What the printing view was asked to do.
struct PrintLog
{
    int nBegin = 0;
    int nEnd = 0;
    std::vector<UINT> printed;       // pages, in order
    BOOL bPrintingDC = FALSE;        // every DC it printed on said it prints
    int cxPage = 0;                  // the page size the DC reported
    int cyPage = 0;
    UINT nMaxPage = 0;
    int nPrintCommands = 0;          // 57607 (the print dialog's command)
    BOOL bPreviewGoneAtPrint = FALSE;
};
PrintLog g_log;

// A view of a document of nPages pages: each page is a band of blue down
// its left half, and as many black bars across the top as its number.
class CPagesView : public CView
{
    DECLARE_DYNCREATE(CPagesView)
public:
    static UINT s_nPages;
    virtual void OnDraw(CDC*) {}
    // 0 pages: the view does not say how many (it prints one).
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo)
    {
        if (s_nPages != 0)
            pInfo->SetMaxPage(s_nPages);
        return DoPreparePrinting(pInfo);
    }
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
    {
        g_log.nBegin++;
        g_log.bPrintingDC = pDC->IsPrinting();
        g_log.nMaxPage = pInfo->GetMaxPage();
    }
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo)
    {
        g_log.printed.push_back(pInfo->m_nCurPage);
        g_log.bPrintingDC = g_log.bPrintingDC && pDC->IsPrinting();
        const int cx = pDC->GetDeviceCaps(HORZRES), cy = pDC->GetDeviceCaps(VERTRES);
        g_log.cxPage = cx;
        g_log.cyPage = cy;
        EXPECT_EQ(CRect(0, 0, cx, cy), pInfo->m_rectDraw);
        pDC->FillSolidRect(0, 0, cx / 2, cy, RGB(0, 0, 255));
        for (UINT i = 0; i < pInfo->m_nCurPage; i++)
            pDC->FillSolidRect(cx / 2 + cx / 20, cy / 20 + (int)i * cy / 10, cx / 3, cy / 20, RGB(0, 0, 0));
    }
    virtual void OnEndPrinting(CDC*, CPrintInfo*) { g_log.nEnd++; }
    afx_msg void OnPrintCommand()
    {
        g_log.nPrintCommands++;
        g_log.bPreviewGoneAtPrint = GetDlgCtrlID() == AFX_IDW_PANE_FIRST && IsWindowVisible();
    }

protected:
    DECLARE_MESSAGE_MAP()
};
UINT CPagesView::s_nPages = 3;
IMPLEMENT_DYNCREATE(CPagesView, CView)
BEGIN_MESSAGE_MAP(CPagesView, CView)
    ON_COMMAND(ID_FILE_PRINT, OnPrintCommand)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
END_MESSAGE_MAP()

// A toolbar-like bar of a fixed height along the top.
class CTopBar : public CControlBar
{
public:
    BOOL Create(CWnd* pParent, DWORD dwStyle, UINT nID)
    {
        m_dwStyle = dwStyle;
        return CWnd::Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pParent, nID);
    }
    virtual CSize CalcFixedLayout(BOOL, BOOL) { return CSize(32767, 20); }
    virtual void OnUpdateCmdUI(CFrameWnd*, BOOL) {}
};

// The printer chosen in Print Setup: the printer's own description, as the
// setup dialog would leave it in the application.
void ChoosePrinter(const char* pszName)
{
    char szOld[256] = "";
    DWORD cch = sizeof(szOld);
    ::GetDefaultPrinterA(szOld, &cch);
    ::SetDefaultPrinterA(pszName);
    theApp.UpdatePrinterSelection(TRUE);
    ::SetDefaultPrinterA(szOld);
}

void ForgetPrinterChoice()
{
    if (theApp.m_hDevMode != NULL)
        ::GlobalFree(theApp.m_hDevMode);
    if (theApp.m_hDevNames != NULL)
        ::GlobalFree(theApp.m_hDevNames);
    theApp.m_hDevMode = theApp.m_hDevNames = NULL;
}

// Each test starts from no printer choice with the test printers of its own
// installed: A, the default, and B when asked for. The test is skipped
// where the prefix has printers of its own or none can be installed.
class PrinterTest : public ::testing::Test
{
protected:
    void InstallTestPrinters(bool bSecond)
    {
        g_log = PrintLog();
        ForgetPrinterChoice();
        RemoveLeftoverTestPrinters();
        if (!InstalledPrinters().empty())
            GTEST_SKIP() << "the prefix has printers of its own";
        m_pA.reset(new CTestPrinter("Brindlemark Test A", m_folder.Path("a.ps"), true));
        if (bSecond)
            m_pB.reset(new CTestPrinter("Brindlemark Test B", m_folder.Path("b.ps"), false));
        if (!m_pA->Installed() || (bSecond && !m_pB->Installed()))
            GTEST_SKIP() << "no test printer could be installed";
    }
    // Takes the printers away and lets the idle pass free what printing left.
    void RemoveTestPrinters()
    {
        ForgetPrinterChoice();
        m_pA.reset();
        m_pB.reset();
        Pump(0);
        AfxGetThread()->OnIdle(1);
    }

    CTempFolder m_folder;
    std::unique_ptr<CTestPrinter> m_pA, m_pB;
};

class Printing : public PrinterTest
{
protected:
    void SetUp() override
    {
        InstallTestPrinters(true);
        if (IsSkipped())
            return;

        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(NULL, "printing", WS_OVERLAPPEDWINDOW, CRect(0, 0, 700, 600)));
        m_hMenu = ::CreateMenu();
        ::AppendMenuA(m_hMenu, MF_STRING, 100, "&File");
        ::SetMenu(m_pFrame->m_hWnd, m_hMenu);
        ACCEL accel = {FVIRTKEY | FCONTROL, 'N', ID_FILE_NEW};
        m_pFrame->m_hAccelTable = ::CreateAcceleratorTable(&accel, 1);
        m_pToolBar = new CTopBar;
        ASSERT_TRUE(m_pToolBar->Create(m_pFrame, CBRS_TOP, AFX_IDW_TOOLBAR));
        m_pStatusBar = new CTopBar;
        ASSERT_TRUE(m_pStatusBar->Create(m_pFrame, CBRS_BOTTOM, AFX_IDW_STATUS_BAR));
        m_pView = new CPagesView;
        ASSERT_TRUE(m_pView->Create(NULL, "view", AFX_WS_DEFAULT_VIEW, CRect(0, 0, 10, 10), m_pFrame,
                                    AFX_IDW_PANE_FIRST));
        m_pFrame->SetActiveView(m_pView);
        m_pFrame->ShowWindow(SW_SHOW);
        m_pFrame->RecalcLayout();
        ::SetForegroundWindow(m_pFrame->m_hWnd);
        Pump(50);
    }
    void TearDown() override
    {
        if (m_pFrame != NULL && m_pFrame->m_hWnd != NULL)
        {
            HACCEL hAccel = m_pFrame->m_hAccelTable;
            m_pFrame->DestroyWindow();
            if (hAccel != NULL)
                ::DestroyAcceleratorTable(hAccel);
        }
        delete m_pToolBar;
        delete m_pStatusBar;
        RemoveTestPrinters();
    }
    CPreviewView* Preview()
    {
        return DYNAMIC_DOWNCAST(CPreviewView, CWnd::FromHandlePermanent(::GetDlgItem(m_pFrame->m_hWnd,
                                                                                   AFX_IDW_PANE_FIRST)));
    }
    CPreviewBar* Bar()
    {
        return DYNAMIC_DOWNCAST(CPreviewBar,
                                CWnd::FromHandlePermanent(::GetDlgItem(m_pFrame->m_hWnd, AFX_IDW_PREVIEW_BAR)));
    }
    BOOL Enabled(UINT nID)
    {
        CWnd* pButton = Bar() != NULL ? Bar()->GetButton(nID) : NULL;
        return pButton != NULL && pButton->IsWindowEnabled();
    }
    // Runs a bar command as a click on its button does.
    void Click(UINT nID)
    {
        CWnd* pButton = Bar() != NULL ? Bar()->GetButton(nID) : NULL;
        ASSERT_TRUE(pButton != NULL) << "no button " << nID;
        pButton->SendMessage(BM_CLICK);
        PumpPending();
        Pump(30);
    }

    CFrameWnd* m_pFrame = NULL;
    HMENU m_hMenu = NULL;
    CTopBar* m_pToolBar = NULL;
    CTopBar* m_pStatusBar = NULL;
    CPagesView* m_pView = NULL;
};
} // namespace

// Direct printing prints every page on the printer chosen in Print Setup,
// not on the default one, without a dialog, on a DC that says it prints.
TEST_F(Printing, DirectPrintingPrintsEveryPageOnTheChosenPrinter)
{
    ChoosePrinter("Brindlemark Test B");
    m_pView->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
    EXPECT_EQ(1, g_log.nBegin);
    EXPECT_EQ(1, g_log.nEnd);
    EXPECT_EQ(std::vector<UINT>({1, 2, 3}), g_log.printed);
    EXPECT_TRUE(g_log.bPrintingDC);
    EXPECT_EQ(3, CountPostScriptPages(m_folder.Path("b.ps")));
    EXPECT_EQ(-1, CountPostScriptPages(m_folder.Path("a.ps"))) << "the default printer printed";

    // The page set-up chosen with the printer holds too: across the paper.
    DEVMODEA* pMode = (DEVMODEA*)::GlobalLock(theApp.m_hDevMode);
    ASSERT_TRUE(pMode != NULL);
    pMode->dmFields |= DM_ORIENTATION;
    pMode->dmOrientation = DMORIENT_LANDSCAPE;
    ::GlobalUnlock(theApp.m_hDevMode);
    g_log = PrintLog();
    m_pView->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
    EXPECT_EQ(3u, g_log.printed.size());
    EXPECT_GT(g_log.cxPage, g_log.cyPage) << "the page is not across";

    // Without a choice, the default printer.
    ForgetPrinterChoice();
    g_log = PrintLog();
    CPagesView::s_nPages = 1;
    m_pView->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
    CPagesView::s_nPages = 3;
    EXPECT_EQ(std::vector<UINT>({1}), g_log.printed);
    EXPECT_EQ(1, CountPostScriptPages(m_folder.Path("a.ps")));
}

// The preview takes the main pane's place with the pages the view prints
// on the printer's page, hides the menu and the bars but the status bar,
// turns the accelerators off, and gives everything back when it closes.
TEST_F(Printing, ThePreviewShowsThePrintedPagesAndGivesTheFrameBack)
{
    ChoosePrinter("Brindlemark Test B");
    m_pView->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    CPreviewView* pPreview = Preview();
    ASSERT_TRUE(pPreview != NULL) << "no preview";
    EXPECT_EQ(1, g_log.nBegin);
    EXPECT_EQ(3u, g_log.nMaxPage);
    EXPECT_EQ(pPreview, m_pFrame->GetActiveView());
    EXPECT_EQ(m_pView->GetDocument(), pPreview->GetDocument());

    // The frame in the preview mode.
    EXPECT_FALSE(m_pView->IsWindowVisible());
    EXPECT_EQ(AFX_IDW_PANE_SAVE, m_pView->GetDlgCtrlID());
    EXPECT_EQ(NULL, ::GetMenu(m_pFrame->m_hWnd));
    EXPECT_EQ(NULL, m_pFrame->GetDefaultAccelerator());
    EXPECT_FALSE(m_pToolBar->IsWindowVisible());
    EXPECT_TRUE(m_pStatusBar->IsWindowVisible());
    ASSERT_TRUE(Bar() != NULL);
    CRect rcBar, rcPreview, rcStatus;
    Bar()->GetWindowRect(&rcBar);
    pPreview->GetWindowRect(&rcPreview);
    m_pStatusBar->GetWindowRect(&rcStatus);
    EXPECT_LE(rcBar.bottom, rcPreview.top) << "the bar lies above the pages";
    EXPECT_LE(rcPreview.bottom, rcStatus.top);

    // The first page, drawn as the printer would print it.
    Pump(50);
    EXPECT_NE(g_log.printed.end(), std::find(g_log.printed.begin(), g_log.printed.end(), 1u));
    EXPECT_TRUE(g_log.bPrintingDC);
    EXPECT_EQ(::GetDeviceCaps(pPreview->m_dcPrint.m_hDC, HORZRES), g_log.cxPage);
    CRect rcClient;
    pPreview->GetClientRect(&rcClient);
    Canvas canvas(rcClient.Width(), rcClient.Height(), RGB(255, 0, 255));
    pPreview->DrawPreview(canvas.DC());
    CRect rcPaper, rcPrintable;
    pPreview->GetPageRects(0, rcPaper, rcPrintable);
    EXPECT_GT(rcPaper.Height(), rcClient.Height() / 2) << "the whole page fits, large";
    EXPECT_LE(rcPaper.bottom, rcClient.bottom);
    // The paper's margin is white, the page's left half blue, the gap around grey.
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(rcPaper.left + 2, rcPaper.top + 2));
    const COLORREF clrBlue = canvas.Pixel(rcPrintable.left + rcPrintable.Width() / 4, rcPrintable.CenterPoint().y);
    EXPECT_TRUE(GetBValue(clrBlue) > 200 && GetRValue(clrBlue) < 60) << std::hex << clrBlue;
    EXPECT_EQ(::GetSysColor(COLOR_APPWORKSPACE), canvas.Pixel(1, 1));

    // Paging: Prev is off on the first page, Next off on the last.
    EXPECT_FALSE(Enabled(AFX_ID_PREVIEW_PREV));
    EXPECT_TRUE(Enabled(AFX_ID_PREVIEW_NEXT));
    Click(AFX_ID_PREVIEW_NEXT);
    Click(AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ(3u, pPreview->GetCurrentPage());
    EXPECT_FALSE(Enabled(AFX_ID_PREVIEW_NEXT));
    EXPECT_TRUE(Enabled(AFX_ID_PREVIEW_PREV));
    Click(AFX_ID_PREVIEW_PREV);
    EXPECT_EQ(2u, pPreview->GetCurrentPage());

    // Two pages side by side, then one again.
    CWnd* pNumPage = Bar()->GetButton(AFX_ID_PREVIEW_NUMPAGE);
    ASSERT_TRUE(pNumPage != NULL);
    CString strText;
    pNumPage->GetWindowText(strText);
    EXPECT_STREQ("&Two Page", strText);
    Click(AFX_ID_PREVIEW_NUMPAGE);
    EXPECT_EQ(2, pPreview->GetPageCountShown());
    pNumPage->GetWindowText(strText);
    EXPECT_STREQ("&One Page", strText);
    CRect rcSecond, rcSecondPrintable;
    pPreview->GetPageRects(0, rcPaper, rcPrintable);
    pPreview->GetPageRects(1, rcSecond, rcSecondPrintable);
    EXPECT_LT(rcPaper.right, rcSecond.left);
    Canvas two(rcClient.Width(), rcClient.Height());
    pPreview->DrawPreview(two.DC());
    // Page 3 in the second place: three bars; page 2 in the first: two.
    auto bars = [&](const CRect& rcPage) {
        int nBars = 0;
        bool bInBar = false;
        const int x = rcPage.left + rcPage.Width() * 3 / 4;
        for (int y = rcPage.top; y < rcPage.top + rcPage.Height() / 2; y++)
        {
            const bool bBlack = two.Pixel(x, y) == RGB(0, 0, 0);
            if (bBlack && !bInBar)
                nBars++;
            bInBar = bBlack;
        }
        return nBars;
    };
    EXPECT_EQ(2, bars(rcPrintable));
    EXPECT_EQ(3, bars(rcSecondPrintable));
    Click(AFX_ID_PREVIEW_NUMPAGE);
    EXPECT_EQ(1, pPreview->GetPageCountShown());

    // Zoom in twice (to the paper's real size), then out again.
    EXPECT_FALSE(Enabled(AFX_ID_PREVIEW_ZOOMOUT));
    pPreview->GetPageRects(0, rcPaper, rcPrintable);
    const CRect rcWhole = rcPaper;
    Click(AFX_ID_PREVIEW_ZOOMIN);
    Click(AFX_ID_PREVIEW_ZOOMIN);
    EXPECT_FALSE(Enabled(AFX_ID_PREVIEW_ZOOMIN));
    EXPECT_FALSE(Enabled(AFX_ID_PREVIEW_NUMPAGE)) << "two pages while zoomed";
    pPreview->GetPageRects(0, rcPaper, rcPrintable);
    EXPECT_GT(rcPaper.Width(), rcWhole.Width());
    SCROLLINFO si = {sizeof(si), SIF_ALL};
    ::GetScrollInfo(pPreview->m_hWnd, SB_VERT, &si);
    EXPECT_GT(si.nMax, (int)si.nPage) << "the zoomed page scrolls";
    Click(AFX_ID_PREVIEW_ZOOMOUT);
    Click(AFX_ID_PREVIEW_ZOOMOUT);
    pPreview->GetPageRects(0, rcPaper, rcPrintable);
    EXPECT_EQ(rcWhole, rcPaper);

    // Close: everything back, the job ended once.
    Click(AFX_ID_PREVIEW_CLOSE);
    EXPECT_TRUE(Preview() == NULL);
    EXPECT_TRUE(Bar() == NULL);
    EXPECT_EQ(1, g_log.nEnd);
    EXPECT_EQ(AFX_IDW_PANE_FIRST, m_pView->GetDlgCtrlID());
    EXPECT_TRUE(m_pView->IsWindowVisible());
    EXPECT_EQ(m_pView, m_pFrame->GetActiveView());
    EXPECT_EQ(m_hMenu, ::GetMenu(m_pFrame->m_hWnd));
    EXPECT_TRUE(m_pFrame->GetDefaultAccelerator() != NULL);
    EXPECT_TRUE(m_pToolBar->IsWindowVisible());
    CRect rcView;
    m_pView->GetWindowRect(&rcView);
    EXPECT_GT(rcView.Height(), 400) << "the view has its place back";
    // Nothing was printed on paper.
    EXPECT_EQ(-1, CountPostScriptPages(m_folder.Path("b.ps")));
    EXPECT_EQ(-1, CountPostScriptPages(m_folder.Path("a.ps")));
}

// The status bar's message pane names the pages in view while the preview
// shows, follows paging, two pages and zooming, comes back after whatever
// put the idle prompt there, and gives way to the idle prompt on closing.
TEST_F(Printing, TheStatusBarNamesThePagesInViewUntilThePreviewCloses)
{
    auto status = [&]() {
        CString strText;
        m_pStatusBar->GetWindowText(strText);
        return std::string((LPCTSTR)strText);
    };
    m_pFrame->SetMessageText(AFX_IDS_IDLEMESSAGE);
    ASSERT_EQ("Ready", status());

    m_pView->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    CPreviewView* pPreview = Preview();
    ASSERT_TRUE(pPreview != NULL);
    EXPECT_EQ("Page 1", status());
    Click(AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ("Page 2", status());
    Click(AFX_ID_PREVIEW_NUMPAGE);
    EXPECT_EQ("Pages 2-3", status());
    Click(AFX_ID_PREVIEW_PREV);
    EXPECT_EQ("Pages 1-2", status());
    // Zoomed, one page shows.
    Click(AFX_ID_PREVIEW_ZOOMIN);
    EXPECT_EQ("Page 1", status());
    Click(AFX_ID_PREVIEW_ZOOMOUT);
    EXPECT_EQ("Pages 1-2", status());
    Click(AFX_ID_PREVIEW_NUMPAGE);
    EXPECT_EQ("Page 1", status());

    // The last page with two pages asked for: only it is in view.
    Click(AFX_ID_PREVIEW_NEXT);
    Click(AFX_ID_PREVIEW_NEXT);
    Click(AFX_ID_PREVIEW_NUMPAGE);
    EXPECT_EQ(2, pPreview->GetPageCountShown());
    EXPECT_EQ("Page 3", status());

    // A menu or a tooltip that puts the idle prompt back: the next idle
    // pass names the pages again.
    m_pFrame->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    EXPECT_EQ("Ready", status());
    AfxGetThread()->OnIdle(0);
    EXPECT_EQ("Page 3", status());
    // A command's prompt stays until it is taken back.
    m_pFrame->SetMessageText(ID_FILE_NEW);
    AfxGetThread()->OnIdle(0);
    EXPECT_EQ("Create a new document", status());
    m_pFrame->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    AfxGetThread()->OnIdle(0);
    EXPECT_EQ("Page 3", status());

    Click(AFX_ID_PREVIEW_CLOSE);
    EXPECT_TRUE(Preview() == NULL);
    EXPECT_EQ("Ready", status());
    AfxGetThread()->OnIdle(0);
    EXPECT_EQ("Ready", status());
}

// Docking panes beside the view, docked, auto-hidden and floating, step aside while the
// preview shows, which takes the whole room, and come back afterwards where
// they were.
TEST_F(Printing, DockingPanesStepAsideForThePreviewAndComeBack)
{
    CXTPDockingPaneManager manager;
    ASSERT_TRUE(manager.AttachToSite(m_pFrame));
    CXTPDockingPane* pDocked = manager.CreatePane(1, CRect(0, 0, 180, 120), xtpPaneDockLeft);
    CXTPDockingPane* pFloating = manager.CreatePane(2, CRect(0, 0, 150, 100), xtpPaneDockRight);
    ASSERT_TRUE(pDocked != NULL && pFloating != NULL);
    CXTPDockingPaneMiniWnd* pMini = manager.FloatPane(pFloating, CRect(720, 100, 900, 260));
    ASSERT_TRUE(pMini != NULL);
    // A pane hidden to the bottom edge: its tab in the auto-hide panel.
    CXTPDockingPane* pHidden = manager.CreatePane(3, CRect(0, 0, 150, 100), xtpPaneDockBottom);
    ASSERT_TRUE(pHidden != NULL);
    manager.HidePane(pHidden);
    m_pFrame->RecalcLayout();
    PumpPending();
    AfxGetThread()->OnIdle(0);
    HWND hDocked = pDocked->GetContainer() != NULL ? pDocked->GetContainer()->GetPaneHwnd() : NULL;
    HWND hMini = pMini->GetSafeHwnd();
    CXTPDockingPaneAutoHidePanel* pPanel = manager.GetCurrentLayout()->GetAutoHidePanel(xtpPaneDockBottom);
    ASSERT_TRUE(pPanel != NULL);
    HWND hPanel = pPanel->GetSafeHwnd();
    ASSERT_TRUE(::IsWindowVisible(hDocked));
    ASSERT_TRUE(::IsWindowVisible(hMini));
    ASSERT_TRUE(::IsWindowVisible(hPanel));
    CRect rcViewBefore, rcDockedBefore, rcMiniBefore;
    m_pView->GetWindowRect(&rcViewBefore);
    ::GetWindowRect(hDocked, &rcDockedBefore);
    ::GetWindowRect(hMini, &rcMiniBefore);
    ASSERT_GE(rcViewBefore.left, rcDockedBefore.right) << "the view lies right of the docked pane";

    m_pView->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    CPreviewView* pPreview = Preview();
    ASSERT_TRUE(pPreview != NULL);
    Pump(30);
    EXPECT_TRUE(manager.IsInPreviewMode());
    EXPECT_FALSE(::IsWindowVisible(hDocked));
    EXPECT_FALSE(::IsWindowVisible(hMini));
    EXPECT_FALSE(::IsWindowVisible(hPanel));
    CRect rcClient, rcPreview;
    m_pFrame->GetClientRect(&rcClient);
    m_pFrame->ClientToScreen(&rcClient);
    pPreview->GetWindowRect(&rcPreview);
    EXPECT_EQ(rcClient.left, rcPreview.left) << "the preview takes the docked pane's room";
    EXPECT_EQ(rcClient.right, rcPreview.right);
    CRect rcStatus;
    m_pStatusBar->GetWindowRect(&rcStatus);
    EXPECT_EQ(rcStatus.top, rcPreview.bottom) << "the preview takes the auto-hide panel's room";
    // Another layout pass meanwhile changes nothing.
    m_pFrame->RecalcLayout();
    EXPECT_FALSE(::IsWindowVisible(hDocked));
    pPreview->GetWindowRect(&rcPreview);
    EXPECT_EQ(rcClient.left, rcPreview.left);
    SaveScreenSnapshot(m_pFrame->m_hWnd, "preview_with_docking_panes");

    Click(AFX_ID_PREVIEW_CLOSE);
    ASSERT_TRUE(Preview() == NULL);
    EXPECT_FALSE(manager.IsInPreviewMode());
    EXPECT_TRUE(::IsWindowVisible(hDocked));
    EXPECT_TRUE(::IsWindowVisible(hMini));
    EXPECT_TRUE(::IsWindowVisible(hPanel));
    CRect rcView, rcDocked, rcMini;
    m_pView->GetWindowRect(&rcView);
    ::GetWindowRect(hDocked, &rcDocked);
    ::GetWindowRect(hMini, &rcMini);
    EXPECT_EQ(rcViewBefore, rcView);
    EXPECT_EQ(rcDockedBefore, rcDocked);
    EXPECT_EQ(rcMiniBefore, rcMini);

    // A pane closed before the preview stays closed after it.
    manager.ClosePane(pFloating);
    PumpPending();
    ASSERT_FALSE(::IsWindowVisible(hMini));
    m_pView->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    ASSERT_TRUE(Preview() != NULL);
    Click(AFX_ID_PREVIEW_CLOSE);
    EXPECT_FALSE(::IsWindowVisible(hMini));
    EXPECT_TRUE(::IsWindowVisible(hDocked));

    m_pFrame->DestroyWindow();
    m_pFrame = NULL;
}

// The preview's keys: Page Down and Up page, Alt and an access key press
// the button, Escape and closing the frame close the preview (the frame stays).
TEST_F(Printing, ThePreviewAnswersItsKeysAndClosingTheFrameClosesOnlyThePreview)
{
    m_pView->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    CPreviewView* pPreview = Preview();
    ASSERT_TRUE(pPreview != NULL);
    auto key = [&](UINT nMsg, WPARAM vk, LPARAM lParam) {
        MSG msg = {pPreview->m_hWnd, nMsg, vk, lParam};
        BOOL bTaken = AfxGetThread()->PreTranslateMessage(&msg);
        PumpPending();
        return bTaken;
    };
    EXPECT_TRUE(key(WM_KEYDOWN, VK_NEXT, 0));
    EXPECT_EQ(2u, pPreview->GetCurrentPage());
    EXPECT_TRUE(key(WM_KEYDOWN, VK_PRIOR, 0));
    EXPECT_EQ(1u, pPreview->GetCurrentPage());
    EXPECT_TRUE(key(WM_SYSKEYDOWN, 'N', 1 << 29));   // Alt+N: Next Page
    EXPECT_EQ(2u, pPreview->GetCurrentPage());
    EXPECT_TRUE(key(WM_SYSKEYDOWN, 'I', 1 << 29));   // Alt+I: Zoom In
    EXPECT_TRUE(Enabled(AFX_ID_PREVIEW_ZOOMOUT));

    // Closing the frame closes the preview only.
    m_pFrame->SendMessage(WM_CLOSE);
    PumpPending();
    EXPECT_TRUE(::IsWindow(m_pFrame->m_hWnd));
    EXPECT_TRUE(Preview() == NULL);
    EXPECT_EQ(m_pView, m_pFrame->GetActiveView());
    EXPECT_EQ(1, g_log.nEnd);

    // Escape closes it too.
    m_pView->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    pPreview = Preview();
    ASSERT_TRUE(pPreview != NULL);
    EXPECT_TRUE(key(WM_KEYDOWN, VK_ESCAPE, 0));
    EXPECT_TRUE(Preview() == NULL);
    EXPECT_EQ(2, g_log.nEnd);
}

// Print... in the preview closes it, then runs the view's print command.
TEST_F(Printing, PrintInThePreviewClosesItAndRunsThePrintCommand)
{
    m_pView->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    ASSERT_TRUE(Preview() != NULL);
    Click(AFX_ID_PREVIEW_PRINT);
    EXPECT_TRUE(Preview() == NULL);
    EXPECT_EQ(1, g_log.nPrintCommands);
    EXPECT_TRUE(g_log.bPreviewGoneAtPrint) << "the print command ran inside the preview";
    EXPECT_EQ(m_pView, m_pFrame->GetActiveView());
}

// A view that does not say how many pages it has prints one; a changed
// document is recorded again.
TEST_F(Printing, AViewOfUnknownLengthShowsOnePageAndAChangedDocumentIsDrawnAgain)
{
    CPagesView::s_nPages = 0;
    m_pView->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    CPagesView::s_nPages = 3;
    CPreviewView* pPreview = Preview();
    ASSERT_TRUE(pPreview != NULL);
    EXPECT_EQ(0xFFFFu, g_log.nMaxPage);
    pPreview->UpdateWindow();
    EXPECT_FALSE(Enabled(AFX_ID_PREVIEW_NEXT));
    EXPECT_FALSE(Enabled(AFX_ID_PREVIEW_NUMPAGE));
    EXPECT_EQ(std::vector<UINT>({1}), g_log.printed) << "page 2 was printed or page 1 twice";

    // Drawn again from the recording; recorded again after a change.
    pPreview->Invalidate();
    pPreview->UpdateWindow();
    EXPECT_EQ(1u, g_log.printed.size());
    pPreview->OnUpdate(NULL, 0, NULL);
    pPreview->UpdateWindow();
    EXPECT_EQ(std::vector<UINT>({1, 1}), g_log.printed);
    Click(AFX_ID_PREVIEW_CLOSE);
    EXPECT_TRUE(Preview() == NULL);
}

namespace
{
std::vector<std::string> g_messages;
int AFXAPI RecordMessage(LPCTSTR lpszText, UINT, UINT)
{
    g_messages.push_back(lpszText);
    return IDOK;
}
} // namespace

// The printer that /pt names is the one printed on; a printer that does
// not exist is told, and nothing is printed.
TEST_F(Printing, PrintToPrintsOnTheNamedPrinterAndTellsOfAMissingOne)
{
    CCommandLineInfo cmdInfo;
    cmdInfo.ParseParam("pt", TRUE, FALSE);
    cmdInfo.ParseParam("C:\\puzzle.hti", FALSE, FALSE);
    cmdInfo.ParseParam("Brindlemark Test B", FALSE, TRUE);
    ASSERT_EQ(CCommandLineInfo::FilePrintTo, cmdInfo.m_nShellCommand);
    theApp.m_pCmdInfo = &cmdInfo;
    m_pView->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
    EXPECT_EQ(3, CountPostScriptPages(m_folder.Path("b.ps")));
    EXPECT_EQ(-1, CountPostScriptPages(m_folder.Path("a.ps")));

    g_messages.clear();
    AFX_MSGBOX_HOOK pfnOld = AfxSetMessageBoxHook(&RecordMessage);
    cmdInfo.m_strPrinterName = "No Such Printer";
    g_log = PrintLog();
    m_pView->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
    AfxSetMessageBoxHook(pfnOld);
    theApp.m_pCmdInfo = NULL;
    EXPECT_EQ(std::vector<std::string>({"Could not start print job."}), g_messages);
    EXPECT_EQ(0, g_log.nBegin);
    EXPECT_EQ(-1, CountPostScriptPages(m_folder.Path("a.ps")));
}

/////////////////////////////////////////////////////////////////////////////
// Print preview in a multiple-document program

namespace
{
class CPagesDoc : public CDocument
{
    DECLARE_DYNCREATE(CPagesDoc)
};
IMPLEMENT_DYNCREATE(CPagesDoc, CDocument)

// An MDI main frame with command bars (a menu bar and a toolbar), tabs over
// the MDI client and docking panes, as the toolkit's programs have.
class CBarsMDIFrame : public CXTPMDIFrameWnd
{
    DECLARE_DYNCREATE(CBarsMDIFrame)
public:
    CXTPToolBar* m_pStandard = NULL;
    CXTPTabClientWnd m_wndClient;
    CXTPDockingPaneManager m_panes;
    afx_msg int OnCreate(LPCREATESTRUCT lpcs)
    {
        if (CXTPMDIFrameWnd::OnCreate(lpcs) == -1 || !InitCommandBars())
            return -1;
        if (m_pCommandBars->CreateMenuBar(_T("Menu Bar"), IDR_MDIFRAME_MAIN) == NULL)
            return -1;
        m_pStandard = m_pCommandBars->Add(_T("Standard"), xtpBarTop);
        if (m_pStandard == NULL || !m_pStandard->LoadToolBar(IDR_MAINFRAME))
            return -1;
        return m_wndClient.Attach(this, TRUE) ? 0 : -1;
    }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CBarsMDIFrame, CXTPMDIFrameWnd)
BEGIN_MESSAGE_MAP(CBarsMDIFrame, CXTPMDIFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

class MDIPrinting : public PrinterTest
{
protected:
    void SetUp() override
    {
        InstallTestPrinters(false);
        if (IsSkipped())
            return;
        m_pNotes = new CMultiDocTemplate(IDR_MDIFRAME_NOTE, RUNTIME_CLASS(CPagesDoc), RUNTIME_CLASS(CMDIChildWnd),
                                         RUNTIME_CLASS(CPagesView));
        theApp.AddDocTemplate(m_pNotes);
    }
    void TearDown() override
    {
        if (m_pFrame != NULL && ::IsWindow(m_hWndFrame))
            m_pFrame->DestroyWindow();
        DrainQuit();
        theApp.m_pMainWnd = NULL;
        while (!theApp.m_templateList.IsEmpty())
            delete (CDocTemplate*)theApp.m_templateList.RemoveHead();
        delete m_pStatusBar;
        delete m_pToolBar;
        RemoveTestPrinters();
    }
    // Makes the main frame (already constructed) with a status bar, and two
    // notes, the second one active and maximised.
    void OpenFrame(CMDIFrameWnd* pFrame, BOOL bPlainBars)
    {
        m_pFrame = pFrame;
        ASSERT_TRUE(m_pFrame->LoadFrame(IDR_MDIFRAME_MAIN));
        m_hWndFrame = m_pFrame->m_hWnd;
        theApp.m_pMainWnd = m_pFrame;
        if (bPlainBars)
        {
            m_pToolBar = new CTopBar;
            ASSERT_TRUE(m_pToolBar->Create(m_pFrame, CBRS_TOP, AFX_IDW_TOOLBAR));
        }
        m_pStatusBar = new CTopBar;
        ASSERT_TRUE(m_pStatusBar->Create(m_pFrame, CBRS_BOTTOM, AFX_IDW_STATUS_BAR));
        m_pFrame->SetWindowPos(NULL, 20, 20, 760, 560, SWP_NOZORDER);
        m_pFrame->ShowWindow(SW_SHOWNORMAL);
        ::SetForegroundWindow(m_hWndFrame);
        ASSERT_TRUE(m_pNotes->OpenDocumentFile(NULL) != NULL);
        m_pFirst = m_pFrame->MDIGetActive();
        ASSERT_TRUE(m_pNotes->OpenDocumentFile(NULL) != NULL);
        m_pSecond = m_pFrame->MDIGetActive();
        ASSERT_TRUE(m_pFirst != NULL && m_pSecond != NULL && m_pFirst != m_pSecond);
        m_pFrame->MDIMaximize(m_pSecond);
        m_pFrame->RecalcLayout();
        PumpPending();
        AfxGetThread()->OnIdle(0);
        m_pSecondView = DYNAMIC_DOWNCAST(CPagesView, m_pSecond->GetActiveView());
        ASSERT_TRUE(m_pSecondView != NULL);
        m_pSecondView->SetFocus();
        BOOL bMaximized = FALSE;
        ASSERT_EQ(m_pSecond, m_pFrame->MDIGetActive(&bMaximized));
        ASSERT_TRUE(bMaximized);
    }
    CPreviewView* Preview()
    {
        return DYNAMIC_DOWNCAST(CPreviewView, CWnd::FromHandlePermanent(::GetDlgItem(m_hWndFrame, AFX_IDW_PANE_FIRST)));
    }
    void Click(UINT nID)
    {
        CPreviewBar* pBar =
            DYNAMIC_DOWNCAST(CPreviewBar, CWnd::FromHandlePermanent(::GetDlgItem(m_hWndFrame, AFX_IDW_PREVIEW_BAR)));
        CWnd* pButton = pBar != NULL ? pBar->GetButton(nID) : NULL;
        ASSERT_TRUE(pButton != NULL) << "no button " << nID;
        pButton->SendMessage(BM_CLICK);
        PumpPending();
        Pump(30);
    }
    std::string Status()
    {
        CString strText;
        m_pStatusBar->GetWindowText(strText);
        return std::string((LPCTSTR)strText);
    }
    // A key pressed with Ctrl held, as the message loop's walk sees it.
    BOOL CtrlKey(HWND hWnd, WPARAM vk)
    {
        BYTE state[256];
        ::GetKeyboardState(state);
        BYTE saved = state[VK_CONTROL];
        state[VK_CONTROL] = 0x80;
        ::SetKeyboardState(state);
        MSG msg = {hWnd, WM_KEYDOWN, vk, 0};
        BOOL bTaken = AfxGetThread()->PreTranslateMessage(&msg);
        state[VK_CONTROL] = saved;
        ::SetKeyboardState(state);
        PumpPending();
        return bTaken;
    }

    CMultiDocTemplate* m_pNotes = NULL;
    CMDIFrameWnd* m_pFrame = NULL;
    HWND m_hWndFrame = NULL;
    CTopBar* m_pToolBar = NULL;
    CTopBar* m_pStatusBar = NULL;
    CMDIChildWnd* m_pFirst = NULL;
    CMDIChildWnd* m_pSecond = NULL;
    CPagesView* m_pSecondView = NULL;
};
} // namespace

// The preview of the active child's view opens in the main frame over the
// whole MDI client, with the main frame's bars, menu and keys off; closing
// it gives back the client, both children, the active one maximised, the
// menu and the keyboard.
TEST_F(MDIPrinting, ThePreviewOfAChildsViewTakesTheMainFrameAndGivesEverythingBack)
{
    OpenFrame(new CMDIFrameWnd, TRUE);
    if (HasFatalFailure())
        return;
    HWND hClient = m_pFrame->m_hWndMDIClient;
    HMENU hMenu = ::GetMenu(m_hWndFrame);
    ASSERT_TRUE(hMenu != NULL);
    const int nMenuItems = ::GetMenuItemCount(hMenu);
    ACCEL accel = {FVIRTKEY | FCONTROL, 'U', ID_MDIFRAME_UPPERCASE};
    m_pSecond->SetHandles(m_pSecond->m_hMenuShared, ::CreateAcceleratorTable(&accel, 1));
    ASSERT_TRUE(m_pFrame->GetDefaultAccelerator() != NULL);
    m_pFrame->SetMessageText(AFX_IDS_IDLEMESSAGE);

    m_pSecondView->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    CPreviewView* pPreview = Preview();
    ASSERT_TRUE(pPreview != NULL) << "the preview is not the main frame's pane";
    EXPECT_EQ(m_hWndFrame, ::GetParent(pPreview->m_hWnd));
    EXPECT_EQ(m_pSecondView, pPreview->m_pPrintView);
    EXPECT_TRUE(m_pSecond->GetDlgItem(AFX_IDW_PANE_FIRST) == m_pSecondView) << "the child's view was replaced";
    EXPECT_FALSE(::IsWindowVisible(hClient));
    EXPECT_EQ(AFX_IDW_PANE_SAVE, ::GetDlgCtrlID(hClient));
    EXPECT_FALSE(::IsWindowVisible(m_pToolBar->m_hWnd));
    EXPECT_TRUE(::GetMenu(m_hWndFrame) == NULL);
    EXPECT_TRUE(m_pFrame->GetDefaultAccelerator() == NULL);
    EXPECT_EQ("Page 1", Status());
    EXPECT_EQ(pPreview, m_pFrame->GetActiveView());
    EXPECT_EQ(m_pFrame, m_pFrame->GetActiveFrame());
    EXPECT_EQ(pPreview->m_hWnd, ::GetFocus());
    // The preview fills the room between its bar and the status bar.
    CRect rcClient, rcPreview, rcStatus;
    m_pFrame->GetClientRect(&rcClient);
    m_pFrame->ClientToScreen(&rcClient);
    pPreview->GetWindowRect(&rcPreview);
    m_pStatusBar->GetWindowRect(&rcStatus);
    EXPECT_EQ(rcClient.left, rcPreview.left);
    EXPECT_EQ(rcClient.right, rcPreview.right);
    EXPECT_EQ(rcStatus.top, rcPreview.bottom);
    EXPECT_GT(rcPreview.top, rcClient.top) << "no room for the preview bar";
    pPreview->UpdateWindow();
    SaveScreenSnapshot(m_hWndFrame, "mdi_preview");

    // Neither Ctrl+Tab, Ctrl+F6 nor the document's keys reach the children;
    // another child's preview command does not open a second preview.
    EXPECT_FALSE(CtrlKey(pPreview->m_hWnd, VK_TAB));
    EXPECT_FALSE(CtrlKey(pPreview->m_hWnd, VK_F6));
    EXPECT_FALSE(CtrlKey(pPreview->m_hWnd, 'U'));
    EXPECT_EQ(m_pSecond, m_pFrame->MDIGetActive());
    m_pFirst->GetActiveView()->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    EXPECT_EQ(pPreview, Preview());
    EXPECT_EQ(1, g_log.nBegin);
    // The idle pass puts no menu back meanwhile, not even another one.
    m_pFrame->DelayUpdateFrameMenu(m_pFrame->m_hMenuDefault);
    AfxGetThread()->OnIdle(0);
    EXPECT_TRUE(::GetMenu(m_hWndFrame) == NULL);
    m_pFrame->DelayUpdateFrameMenu(NULL);
    EXPECT_EQ("Page 1", Status());

    Click(AFX_ID_PREVIEW_CLOSE);
    EXPECT_TRUE(Preview() == NULL);
    EXPECT_EQ(1, g_log.nEnd);
    EXPECT_TRUE(::IsWindowVisible(hClient));
    EXPECT_EQ(AFX_IDW_PANE_FIRST, ::GetDlgCtrlID(hClient));
    EXPECT_TRUE(::IsWindowVisible(m_pToolBar->m_hWnd));
    EXPECT_TRUE(::IsWindowVisible(m_pFirst->m_hWnd));
    EXPECT_TRUE(::IsWindowVisible(m_pSecond->m_hWnd));
    BOOL bMaximized = FALSE;
    EXPECT_EQ(m_pSecond, m_pFrame->MDIGetActive(&bMaximized));
    EXPECT_TRUE(bMaximized);
    EXPECT_TRUE(m_pSecond->IsZoomed());
    EXPECT_EQ(m_pSecondView, m_pSecond->GetActiveView());
    EXPECT_EQ(m_pSecond, m_pFrame->GetActiveFrame());
    EXPECT_EQ(m_pSecondView->m_hWnd, ::GetFocus());
    EXPECT_EQ("Ready", Status());
    AfxGetThread()->OnIdle(0);
    EXPECT_EQ(hMenu, ::GetMenu(m_hWndFrame));
    EXPECT_EQ(nMenuItems, ::GetMenuItemCount(hMenu)) << "the maximised child's menu items changed";
    EXPECT_TRUE(m_pFrame->GetDefaultAccelerator() != NULL);
    // The children switch again.
    EXPECT_TRUE(CtrlKey(m_pSecondView->m_hWnd, VK_F6));
    EXPECT_EQ(m_pFirst, m_pFrame->MDIGetActive());
    ::DestroyAcceleratorTable(m_pSecond->m_hAccelShared);
    m_pSecond->SetHandles(m_pSecond->m_hMenuShared, NULL);
}

// A main frame with command bars and docking panes: the command bars are
// told first (bars hidden, shortcuts off) and the panes step aside, and all
// come back when the preview closes.
TEST_F(MDIPrinting, TheMainFramesCommandBarsAndDockingPanesStepAsideForThePreview)
{
    CBarsMDIFrame* pFrame = new CBarsMDIFrame;
    OpenFrame(pFrame, FALSE);
    if (HasFatalFailure())
        return;
    ASSERT_TRUE(pFrame->m_panes.AttachToSite(pFrame));
    CXTPDockingPane* pPane = pFrame->m_panes.CreatePane(1, CRect(0, 0, 160, 120), xtpPaneDockLeft);
    ASSERT_TRUE(pPane != NULL);
    pFrame->RecalcLayout();
    PumpPending();
    AfxGetThread()->OnIdle(0);
    HWND hPane = pPane->GetContainer() != NULL ? pPane->GetContainer()->GetPaneHwnd() : NULL;
    CXTPCommandBars* pBars = pFrame->GetCommandBars();
    ASSERT_TRUE(pBars != NULL);
    CXTPMenuBar* pMenuBar = pBars->GetMenuBar();
    ASSERT_TRUE(pMenuBar != NULL);
    ASSERT_TRUE(::IsWindowVisible(pMenuBar->m_hWnd));
    ASSERT_TRUE(::IsWindowVisible(pFrame->m_pStandard->m_hWnd));
    ASSERT_TRUE(::IsWindowVisible(hPane));
    const int nDisabled = pBars->GetShortcutManager()->m_nDisableShortcuts;
    CRect rcClientBefore;
    ::GetWindowRect(pFrame->m_hWndMDIClient, &rcClientBefore);

    m_pSecondView->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    CPreviewView* pPreview = Preview();
    ASSERT_TRUE(pPreview != NULL);
    Pump(30);
    EXPECT_FALSE(::IsWindowVisible(pMenuBar->m_hWnd));
    EXPECT_FALSE(::IsWindowVisible(pFrame->m_pStandard->m_hWnd));
    EXPECT_GT(pBars->GetShortcutManager()->m_nDisableShortcuts, nDisabled);
    EXPECT_TRUE(pFrame->m_panes.IsInPreviewMode());
    EXPECT_FALSE(::IsWindowVisible(hPane));
    EXPECT_FALSE(::IsWindowVisible(pFrame->m_hWndMDIClient));
    CRect rcClient, rcPreview;
    pFrame->GetClientRect(&rcClient);
    pFrame->ClientToScreen(&rcClient);
    pPreview->GetWindowRect(&rcPreview);
    EXPECT_EQ(rcClient.left, rcPreview.left) << "the preview does not take the docked pane's room";
    EXPECT_EQ("Page 1", Status());
    pPreview->UpdateWindow();
    SaveScreenSnapshot(m_hWndFrame, "mdi_preview_command_bars");

    Click(AFX_ID_PREVIEW_CLOSE);
    ASSERT_TRUE(Preview() == NULL);
    Pump(30);
    EXPECT_TRUE(::IsWindowVisible(pMenuBar->m_hWnd));
    EXPECT_TRUE(::IsWindowVisible(pFrame->m_pStandard->m_hWnd));
    EXPECT_EQ(nDisabled, pBars->GetShortcutManager()->m_nDisableShortcuts);
    EXPECT_FALSE(pFrame->m_panes.IsInPreviewMode());
    EXPECT_TRUE(::IsWindowVisible(hPane));
    EXPECT_TRUE(::IsWindowVisible(pFrame->m_hWndMDIClient));
    CRect rcClientAfter;
    ::GetWindowRect(pFrame->m_hWndMDIClient, &rcClientAfter);
    EXPECT_EQ(rcClientBefore, rcClientAfter);
    BOOL bMaximized = FALSE;
    EXPECT_EQ(m_pSecond, pFrame->MDIGetActive(&bMaximized));
    EXPECT_TRUE(bMaximized);
    EXPECT_EQ(m_pSecondView->m_hWnd, ::GetFocus());
    pFrame->UpdateWindow();
    SaveScreenSnapshot(m_hWndFrame, "mdi_preview_command_bars_closed");
}
