// The command-bars collection and the frame: building the game's bars from
// its resources, the site messages, tracking, idle update and clean-up.
// ctest: run-serial
#include "support/commandbars_testframe.h"
#include "support/gdi_count.h"
#include "XTPControlButton.h"

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
    std::vector<int> expected = { 0, 2002, 0, 57601, 2003, 2004, 0, 0, 0, 57607, 32771, 0, 2007 };
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


namespace
{
BOOL CALLBACK CountWindow(HWND, LPARAM lParam)
{
    (*(int*)lParam)++;
    return TRUE;
}

int ThreadWindows()
{
    int nCount = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CountWindow, (LPARAM)&nCount);
    return nCount;
}

class SiteControl : public CXTPControlButton
{
};

// A toolbar that records its idle flags as each idle update begins.
class FlagRecordingBar : public CXTPToolBar
{
    DECLARE_DYNCREATE(FlagRecordingBar)
public:
    void OnIdleUpdate() override
    {
        m_arrFlags.push_back(m_dwIdleFlags);
        CXTPToolBar::OnIdleUpdate();
    }
    std::vector<DWORD> m_arrFlags;
};
IMPLEMENT_DYNCREATE(FlagRecordingBar, CXTPToolBar)
} // namespace

TEST_F(CommandBarsTest, SiteMessagesWhileBuildingAndAReplacedControl)
{
    CTestFrame* pFrame = new CTestFrame();
    SiteControl* pReplacement = new SiteControl();
    pFrame->m_pReplacement = pReplacement;
    pFrame->m_nReplaceId = ID_COPY_PUZZLE;
    ASSERT_TRUE(pFrame->CreateTestFrame(CRect(60, 60, 600, 400), FALSE));

    // Every menu item and toolbar button was offered to the site before and after.
    int nBefore = pFrame->CountSite(WM_XTP_BEFORECREATECONTROL);
    EXPECT_EQ(nBefore, pFrame->CountSite(WM_XTP_AFTERCREATECONTROL));
    EXPECT_GT(nBefore, 40);
    // Every popup built from a menu asked the site for its bar.
    EXPECT_GE(pFrame->CountSite(WM_XTP_CREATECOMMANDBAR), 4 + 5);

    CXTPControl* pCopy =
        pFrame->GetMenuBar()->GetControls()->FindControl(xtpControlError, ID_COPY_PUZZLE, FALSE, TRUE);
    EXPECT_EQ(pReplacement, pCopy) << "the site's control stands in the Edit menu";
    EXPECT_STREQ("Copy Puzzle To Clipboard", pCopy->GetCaption());
    pFrame->DestroyTestFrame();
    PumpAndIdle();
}

TEST_F(CommandBarsTest, BarLookupsAndCustomizeMode)
{
    CXTPCommandBars* pCommandBars = m_pFrame->GetCommandBars();
    EXPECT_EQ(m_pFrame->GetMenuBar(), pCommandBars->GetToolBar(1));
    EXPECT_EQ(m_pFrame->GetTimerBar(), pCommandBars->GetToolBar(130));
    CXTPToolBar* pNoId = pCommandBars->Add(_T("No id"), xtpBarBottom);
    ASSERT_NE(nullptr, pNoId);
    EXPECT_EQ(0u, pNoId->GetBarID());
    EXPECT_EQ(NULL, pCommandBars->GetToolBar(0)) << "id 0 finds nothing";
    EXPECT_EQ(3, pCommandBars->FindIndex(pNoId));
    pCommandBars->Remove(pNoId);
    EXPECT_EQ(3, pCommandBars->GetCount());
    EXPECT_EQ(-1, pCommandBars->FindIndex(pNoId));

    EXPECT_TRUE(pCommandBars->IsCustomizable()) << "the frame handles the customize command";
    pCommandBars->SetCustomizeMode(TRUE);
    m_pFrame->SendMessage(WM_CLOSE);
    EXPECT_TRUE(::IsWindow(m_pFrame->m_hWnd)) << "no closing while customizing";
    pCommandBars->SetCustomizeMode(FALSE);

    // A bar toggled off is hidden and marks the options changed.
    pCommandBars->GetCommandBarsOptions()->bDirtyState = FALSE;
    pCommandBars->ToggleVisible(pCommandBars->FindIndex(m_pFrame->GetTimerBar()));
    EXPECT_FALSE(m_pFrame->GetTimerBar()->IsVisible());
    EXPECT_TRUE(pCommandBars->GetCommandBarsOptions()->bDirtyState);
    pCommandBars->ToggleVisible(pCommandBars->FindIndex(m_pFrame->GetTimerBar()));
    EXPECT_TRUE(m_pFrame->GetTimerBar()->IsVisible());
}

TEST_F(CommandBarsTest, FramesComeAndGoWithoutLeaks)
{
    m_pFrame->DestroyTestFrame();
    m_pFrame = NULL;
    PumpAndIdle();
    // One round first, so lazily made shared objects exist.
    CTestFrame* pFrame = new CTestFrame();
    ASSERT_TRUE(pFrame->CreateTestFrame(CRect(60, 60, 600, 400), FALSE));
    pFrame->DestroyTestFrame();
    PumpAndIdle();

    LONG nObjects = LiveObjects();
    int nWindows = ThreadWindows();
    DWORD dwGdi = testsupport::GdiHighWater();
    for (int i = 0; i < 50; i++)
    {
        pFrame = new CTestFrame();
        ASSERT_TRUE(pFrame->CreateTestFrame(CRect(60, 60, 600, 400), i % 10 == 0));
        if (i % 10 == 0)
        {
            // Open and close a menu now and then.
            pFrame->GetMenuBar()->SetPopuped(0);
            PumpAndIdle();
            pFrame->GetMenuBar()->SetTrackingMode(FALSE);
        }
        pFrame->DestroyTestFrame();
        PumpAndIdle();
    }
    EXPECT_EQ(nObjects, LiveObjects()) << "every bar, control and command-bars object is gone";
    EXPECT_EQ(nWindows, ThreadWindows());
    EXPECT_LE(testsupport::GdiHighWater(), dwGdi + 2);
}

TEST_F(CommandBarsTest, TheFramesIdleUpdateGivesFloatingBarsBothFlags)
{
    CXTPCommandBars* pBars = m_pFrame->GetCommandBars();
    FlagRecordingBar* pFloating =
        (FlagRecordingBar*)pBars->Add("Floating", xtpBarFloating, RUNTIME_CLASS(FlagRecordingBar));
    ASSERT_TRUE(pFloating != NULL);
    pFloating->GetControls()->Add(xtpControlButton, ID_FILE_OPEN);
    FlagRecordingBar* pDocked = (FlagRecordingBar*)pBars->Add("Docked", xtpBarTop, RUNTIME_CLASS(FlagRecordingBar));
    ASSERT_TRUE(pDocked != NULL);
    PumpAndIdle();
    pFloating->m_arrFlags.clear();
    pDocked->m_arrFlags.clear();
    m_pFrame->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    ASSERT_EQ(1u, pFloating->m_arrFlags.size());
    EXPECT_EQ((DWORD)(CXTPCommandBar::xtpIdleLayout | CXTPCommandBar::xtpIdleRedraw), pFloating->m_arrFlags[0]);
    EXPECT_EQ(0u, pDocked->m_arrFlags.size()) << "docked bars update through their dock bars";
}
