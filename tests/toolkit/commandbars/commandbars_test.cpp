// The command-bars collection and the frame: building the game's bars from
// its resources, the site messages, tracking, idle update and clean-up.
// ctest: run-serial
#include "commandbars_testframe.h"
#include "support/gdi_count.h"

using namespace cbtest;

class CommandBarsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        PrepareTheme(xtpThemeOffice2003);
        m_pFrame = new CTestFrame();
        ASSERT_TRUE(m_pFrame->CreateTestFrame());
        PumpAndIdle();
    }
    void TearDown() override
    {
        if (m_pFrame != NULL)
            m_pFrame->DestroyTestFrame();
        PumpAndIdle();
    }
    CTestFrame* m_pFrame = NULL;
};

TEST_F(CommandBarsTest, MenuBarHoldsTheGameMenu)
{
    CXTPMenuBar* pMenuBar = m_pFrame->GetMenuBar();
    ASSERT_NE(nullptr, pMenuBar);
    std::vector<CString> titles = Layout(pMenuBar);
    ASSERT_EQ(4u, titles.size());
    EXPECT_STREQ("&File", titles[0]);
    EXPECT_STREQ("&Edit", titles[1]);
    EXPECT_STREQ("&View", titles[2]);
    EXPECT_STREQ("&Help", titles[3]);
    EXPECT_EQ(NULL, ::GetMenu(m_pFrame->m_hWnd)) << "the bar took the native menu away";

    CXTPCommandBar* pFile = pMenuBar->GetControl(0)->GetCommandBar();
    ASSERT_NE(nullptr, pFile);
    std::vector<int> ids = Ids(pFile);
    std::vector<int> expected = { 0, 0, 57601, 2003, 2004, 0, 0, 0, 57607, 32771, 0, 2007 };
    ASSERT_EQ(expected.size(), ids.size());
    EXPECT_EQ(expected, ids);
    EXPECT_STREQ("&Puzzle", pFile->GetControl(0)->GetCommandBar()->GetControl(0)->GetCaption());
    EXPECT_EQ(2001, pFile->GetControl(0)->GetCommandBar()->GetControl(0)->GetID());
}

TEST_F(CommandBarsTest, ToolbarsHoldTheGameButtons)
{
    std::vector<int> standard = { 2001, 0, 57601, 2003, 57607, 0, 2008, 2010, 2011, 2012 };
    EXPECT_EQ(standard, Ids(m_pFrame->GetStandardBar()));
    std::vector<int> timer = { 2036, 2037, 0, 2028, 0, 2038, 2039, 2040 };
    EXPECT_EQ(timer, Ids(m_pFrame->GetTimerBar()));
    EXPECT_EQ(102u, m_pFrame->GetStandardBar()->GetBarID());
    EXPECT_EQ(130u, m_pFrame->GetTimerBar()->GetBarID());
}

TEST_F(CommandBarsTest, SnapshotWithFilePopupOpen)
{
    CXTPMenuBar* pMenuBar = m_pFrame->GetMenuBar();
    EXPECT_TRUE(SaveScreenSnapshot(m_pFrame->m_hWnd, "frame"));
    ASSERT_TRUE(pMenuBar->SetPopuped(0, FALSE));
    PumpAndIdle();
    m_pFrame->UpdateWindow();
    CXTPPopupBar* pPopup = DYNAMIC_DOWNCAST(CXTPPopupBar, pMenuBar->GetControl(0)->GetCommandBar());
    ASSERT_NE(nullptr, pPopup);
    EXPECT_TRUE(pPopup->IsVisible());
    pPopup->UpdateWindow();
    EXPECT_TRUE(SaveScreenSnapshot(m_pFrame->m_hWnd, "frame_file_popup"));
    pMenuBar->SetTrackingMode(FALSE);
    EXPECT_FALSE(pPopup->IsVisible());
}

