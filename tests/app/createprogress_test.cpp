// The progress window: Cancel sets the flag the generator polls and stops a
// run within one pump, a quit request stops it too, and closing gives the
// main window back.
#include "support/wndtest.h"
#include "support/snapshot.h"
#include "CreateProgress.h"
#include "XTThemeManager.h"

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);
CWinApp theApp;
} // namespace

TEST(CreateProgressTest, CancelSetsTheFlagAndKeepsTheWindow)
{
    CCreateProgress progress;
    ASSERT_TRUE(progress.Create(CCreateProgress::IDD, NULL));
    EXPECT_FALSE(progress.IsCancelled());
    progress.SendMessage(WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(progress.IsCancelled());
    EXPECT_EQ(1, progress.m_bCancel);
    EXPECT_TRUE(IsWindow(progress.GetSafeHwnd())) << "the owner closes the window";
    progress.SendMessage(WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(IsWindow(progress.GetSafeHwnd()));
    progress.DestroyWindow();
}

TEST(CreateProgressTest, GeneratorStepsTheBarAndStopsOnCancel)
{
    CCreateProgress progress;
    ASSERT_TRUE(progress.Create(CCreateProgress::IDD, NULL));
    progress.m_wndProgress.SendMessage(PBM_SETRANGE32, 0, 100000);
    progress.m_wndProgress.SendMessage(PBM_SETSTEP, 1, 0);

    CHTGenerator generator;
    CHTDataContainer grid;
    CHTGenerator::SeedRandom(3);
    generator.Generate(&progress, 9, 9, &grid);
    const int nPosition = (int)progress.m_wndProgress.SendMessage(PBM_GETPOS, 0, 0);
    EXPECT_GE(nPosition, 1);

    progress.SendMessage(WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(generator.Generate(&progress, 9, 9, &grid));
    EXPECT_EQ(nPosition, (int)progress.m_wndProgress.SendMessage(PBM_GETPOS, 0, 0));
    progress.DestroyWindow();
}

TEST(CreateProgressTest, OpeningStartsTheStripesAndShowsTheWindow)
{
    CCreateProgress progress;
    ASSERT_TRUE(progress.Open());
    EXPECT_TRUE(progress.IsWindowVisible());
    EXPECT_TRUE(progress.m_wndProgress.m_bIndeterminate);
    EXPECT_EQ(::GetParent(progress.m_hWnd), (HWND)NULL);
    CString strCancel;
    progress.m_btnCancel.GetWindowText(strCancel);
    EXPECT_STREQ("Cancel", strCancel);
    // The stripes move while messages are pumped.
    const int nPhase = progress.m_wndProgress.m_nIndOffset;
    testsupport::Pump(120);
    EXPECT_NE(nPhase, progress.m_wndProgress.m_nIndOffset);
    XTThemeManager()->SetTheme(xtThemeOffice2003);
    progress.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_FALSE(testsupport::SaveWindowSnapshot(progress.m_hWnd, "dialog131_progress").empty());
    XTThemeManager()->SetTheme(xtThemeDefault);
    progress.Close();
    EXPECT_FALSE(::IsWindow(progress.m_hWnd));
}

// The bar sits where the template puts it, 175 x 14 dialog units at 40,7,
// inside a one-pixel border.
TEST(CreateProgressTest, TheBarHasItsBorderAndPlace)
{
    CCreateProgress progress;
    ASSERT_TRUE(progress.Open());
    CRect rcBar, rcClient;
    progress.m_wndProgress.GetWindowRect(&rcBar);
    progress.ScreenToClient(&rcBar);
    CRect rcUnits(40, 7, 40 + 175, 7 + 14);
    progress.MapDialogRect(&rcUnits);
    EXPECT_EQ(rcUnits, rcBar);
    progress.m_wndProgress.GetClientRect(&rcClient);
    EXPECT_TRUE(progress.m_wndProgress.GetStyle() & WS_BORDER);
    EXPECT_EQ(rcBar.Width() - 2, rcClient.Width());
    EXPECT_EQ(rcBar.Height() - 2, rcClient.Height());
    progress.Close();
}

TEST(CreateProgressTest, CancelStopsARealRunWithinOnePumpAndTheMainWindowComesBack)
{
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, "Main"));
    theApp.m_pMainWnd = pFrame;
    pFrame->EnableWindow(FALSE);

    CCreateProgress progress;
    ASSERT_TRUE(progress.Open());
    progress.m_wndProgress.SetRange32(0, 1000);
    // The player's Cancel waits in the queue when the run starts.
    progress.PostMessage(WM_COMMAND, IDCANCEL, 0);
    CHTGenerator generator;
    CHTDataContainer grid;
    EXPECT_FALSE(progress.GenerateUntilDone(generator, 17, 17, &grid));
    EXPECT_TRUE(progress.IsCancelled());
    EXPECT_EQ(1, progress.m_wndProgress.GetPos()) << "one try, one pump, then the run stopped";

    progress.Close();
    EXPECT_FALSE(::IsWindow(progress.m_hWnd));
    EXPECT_TRUE(pFrame->IsWindowEnabled());
    EXPECT_TRUE(pFrame->IsWindowVisible());
    theApp.m_pMainWnd = NULL;
    pFrame->DestroyWindow();
    testsupport::DrainQuit();
}

TEST(CreateProgressTest, AQuitRequestEndsTheRunAndStaysForTheMessageLoop)
{
    CCreateProgress progress;
    ASSERT_TRUE(progress.Open());
    ::PostQuitMessage(0);
    CHTGenerator generator;
    CHTDataContainer grid;
    EXPECT_FALSE(progress.GenerateUntilDone(generator, 9, 9, &grid));
    EXPECT_TRUE(progress.IsCancelled());
    progress.Close();
    EXPECT_TRUE(testsupport::DrainQuit()) << "the quit message is left for the message loop";
}

TEST(CreateProgressTest, AnUncancelledRunEndsWithAPuzzle)
{
    CCreateProgress progress;
    ASSERT_TRUE(progress.Open());
    CHTGenerator::SeedRandom(11);
    CHTGenerator generator;
    CHTDataContainer grid;
    ASSERT_TRUE(progress.GenerateUntilDone(generator, 9, 9, &grid));
    EXPECT_EQ(9, grid.m_nColumns);
    EXPECT_NE(HT_NO_NUMBER, grid.FindSquare(4, 4)->m_nNumber);
    progress.Close();
}

TEST(CreateProgressTest, StepsReachTheBarWhenMessagesArePumped)
{
    CCreateProgress progress;
    ASSERT_TRUE(progress.Open());
    progress.m_wndProgress.SendMessage(PBM_SETRANGE32, 0, 1000);
    const int nStart = (int)progress.m_wndProgress.SendMessage(PBM_GETPOS, 0, 0);
    // The first pump takes the counted steps at once; later ones within the
    // interval only count, the next pump after it hands them all over.
    for (int i = 0; i < 3; i++)
        progress.StepProgress();
    progress.PumpMessages();
    EXPECT_EQ(nStart + 3, (int)progress.m_wndProgress.SendMessage(PBM_GETPOS, 0, 0));
    for (int i = 0; i < 4; i++)
        progress.StepProgress();
    ::Sleep(PROGRESS_PUMP_INTERVAL_MS + 20);
    progress.PumpMessages();
    EXPECT_EQ(nStart + 7, (int)progress.m_wndProgress.SendMessage(PBM_GETPOS, 0, 0));
    // Cancel is seen by the pump after the interval.
    progress.PostMessage(WM_COMMAND, IDCANCEL, 0);
    ::Sleep(PROGRESS_PUMP_INTERVAL_MS + 20);
    progress.PumpMessages();
    EXPECT_TRUE(progress.IsCancelled());
    progress.Close();
}

TEST(CreateProgressTest, TheKeptWindowShowsOnlyForALongRunAndIsHiddenNotDestroyed)
{
    CCreateProgress* pKept = CCreateProgress::GetKept();
    ASSERT_TRUE(pKept != NULL);
    EXPECT_EQ(pKept, CCreateProgress::GetKept()) << "one kept window";

    // A run that ends before the delay never makes or shows the window.
    ASSERT_TRUE(pKept->Open());
    EXPECT_EQ(NULL, CCreateProgress::GetKept()) << "in use: a second caller makes its own";
    CHTGenerator::SeedRandom(5);
    CHTGenerator generator;
    CHTDataContainer grid;
    ASSERT_TRUE(pKept->GenerateUntilDone(generator, 9, 9, &grid));
    EXPECT_FALSE(pKept->IsShown());
    EXPECT_FALSE(::IsWindow(pKept->m_hWnd));
    pKept->Close();

    // A run that lasts shows it at the first pump after the delay.
    ASSERT_TRUE(pKept->Open());
    ::Sleep(PROGRESS_SHOW_DELAY_MS + 20);
    pKept->PumpMessages();
    EXPECT_TRUE(pKept->IsShown());
    ASSERT_TRUE(::IsWindow(pKept->m_hWnd));
    EXPECT_TRUE(pKept->IsWindowVisible());
    EXPECT_TRUE(pKept->m_wndProgress.m_bIndeterminate);
    HWND hWnd = pKept->m_hWnd;
    pKept->SendMessage(WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(pKept->IsCancelled());
    pKept->Close();
    EXPECT_TRUE(::IsWindow(hWnd)) << "kept for the next puzzle";
    EXPECT_FALSE(::IsWindowVisible(hWnd));

    // The next run starts afresh in the same window.
    EXPECT_EQ(pKept, CCreateProgress::GetKept());
    ASSERT_TRUE(pKept->Open());
    EXPECT_FALSE(pKept->IsCancelled());
    ::Sleep(PROGRESS_SHOW_DELAY_MS + 20);
    pKept->PumpMessages();
    EXPECT_EQ(hWnd, pKept->m_hWnd);
    EXPECT_EQ(0, pKept->m_wndProgress.GetPos());
    pKept->Close();
    CCreateProgress::DestroyKept();
    EXPECT_FALSE(::IsWindow(hWnd));
}
