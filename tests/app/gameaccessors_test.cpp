// The game-wide accessors without and with a main window.
#include "support/wndtest.h"
#include "GameAccessors.h"

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);
CWinApp theApp;
} // namespace

TEST(GameAccessors, WithoutAMainWindowThereIsNothingToReachOrRestore)
{
    theApp.m_pMainWnd = NULL;
    EXPECT_EQ(nullptr, GetActiveGameView());
    EXPECT_EQ(nullptr, GetActiveGameDoc());
    EXPECT_EQ(nullptr, GetActiveGamePuzzle());
    RestoreMainWindow();
}

TEST(GameAccessors, RestoringGivesTheMainWindowBackEnabledShownAndFocused)
{
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, "Main"));
    theApp.m_pMainWnd = pFrame;
    EXPECT_EQ(nullptr, GetActiveGameView());     // a frame without a view
    EXPECT_EQ(nullptr, GetActiveGameDoc());
    pFrame->EnableWindow(FALSE);
    pFrame->ShowWindow(SW_HIDE);
    RestoreMainWindow();
    EXPECT_TRUE(pFrame->IsWindowEnabled());
    EXPECT_TRUE(pFrame->IsWindowVisible());
    EXPECT_EQ(pFrame->m_hWnd, ::GetFocus());
    theApp.m_pMainWnd = NULL;
    pFrame->DestroyWindow();
    testsupport::DrainQuit();
}
