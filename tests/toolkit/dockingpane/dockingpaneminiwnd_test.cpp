// Floating windows: the title, captions of several groups, closing, the
// system menu's close item and the stored rectangle.
#include "support/dockingframe.h"
#include "support/pump.h"
#include "support/wndtest.h"

#include <XTPDockingPaneMiniWnd.h>
#include <XTPPropExchange.h>

#include <gtest/gtest.h>

using testsupport::CDockingTestFrame;

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

class MiniWndTest : public testsupport::DockingFrameTest
{
protected:
    void SetUp() override
    {
        CreateFrame(CSize(500, 400));
        CXTPDockingPaneManager& m = manager();
        pFirst = m.CreatePane(1, CRect(0, 0, 150, 100), xtpPaneDockLeft);
        pFirst->SetTitle("First");
        pSecond = m.CreatePane(2, CRect(0, 0, 150, 100), xtpPaneDockRight);
        pSecond->SetTitle("Second");
        Layout();
        pMini = m.FloatPane(pFirst, CRect(600, 100, 800, 250));
        ASSERT_TRUE(pMini != NULL);
        Layout();
    }
    CString Title()
    {
        CString str;
        pMini->GetWindowText(str);
        return str;
    }

    CXTPDockingPane* pFirst = NULL;
    CXTPDockingPane* pSecond = NULL;
    CXTPDockingPaneMiniWnd* pMini = NULL;
};

TEST_F(MiniWndTest, TheTitleFollowsTheSingleGroupAndSeveralGroupsShowTheirCaptions)
{
    EXPECT_TRUE(pFirst->IsFloating());
    EXPECT_EQ(CString("First"), Title());
    auto* pGroup = static_cast<CXTPDockingPaneTabbedContainer*>(pFirst->GetContainer());
    EXPECT_FALSE(pGroup->IsCaptionVisible());   // the window's own caption shows it

    // A second group in the window: both captions show, the title is the default one.
    pFrame->m_paneManager.m_strFloatingFrameCaption = "Tools";
    pFrame->m_paneManager.DockPane(pSecond, xtpPaneDockBottom, pGroup);
    Layout();
    ASSERT_EQ(pMini, pSecond->GetDockingSite());
    EXPECT_EQ(CString("Tools"), Title());
    EXPECT_TRUE(pGroup->IsCaptionVisible());
    EXPECT_TRUE(static_cast<CXTPDockingPaneTabbedContainer*>(pSecond->GetContainer())->IsCaptionVisible());
}

TEST_F(MiniWndTest, ClosingTheWindowClosesThePanesThatMayCloseAndTheCloseItemFollowsThem)
{
    pFrame->m_paneManager.AttachPane(pSecond, pFirst);
    Layout();
    pSecond->SetOptions(xtpPaneNoCloseable);
    pMini->OnChildContainerChanged(NULL);
    CMenu* pSysMenu = pMini->GetSystemMenu(FALSE);
    ASSERT_TRUE(pSysMenu != NULL);
    EXPECT_EQ(0u, pSysMenu->GetMenuState(SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED);

    pMini->SendMessage(WM_CLOSE);
    EXPECT_TRUE(pFirst->IsClosed());
    EXPECT_FALSE(pSecond->IsClosed());
    pMini->OnChildContainerChanged(NULL);
    EXPECT_NE(0u, pSysMenu->GetMenuState(SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(MiniWndTest, TheStoredRectangleIsKeptInRange)
{
    CXTPDockingPaneLayout* pLayout = pFrame->m_paneManager.CreateLayout();
    auto* pLoaded = static_cast<CXTPDockingPaneMiniWnd*>(
        pFrame->m_paneManager.OnCreatePane(xtpPaneTypeMiniWnd, pLayout));
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CXTPPropExchangeArchive px(ar);
        long values[] = { 0, 0, 100000, -5, 200000, 70000 };   // docking size, top, bottom, left, right
        PropExchangeLong(&px, "DockingCX", values[0]);
        PropExchangeLong(&px, "DockingCY", values[1]);
        PropExchangeLong(&px, "WindowRectTopPos", values[2]);
        PropExchangeLong(&px, "WindowRectBottomPos", values[3]);
        PropExchangeLong(&px, "WindowRectLeftPos", values[4]);
        PropExchangeLong(&px, "WindowRectRightPos", values[5]);
        BOOL bCollapsed = FALSE;
        PropExchangeBool(&px, "Collapsed", bCollapsed, FALSE);
        long nExpanded = -40, nTop = 0;
        PropExchangeLong(&px, "ExpandedHeight", nExpanded);
        PropExchangeLong(&px, "TopContaner", nTop);
        ar.Close();
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CXTPPropExchangeArchive px(ar);
    EXPECT_FALSE(pLoaded->DoPropExchange(&px));   // no splitter named
    CRect rc = pLoaded->GetStoredRect();
    EXPECT_EQ(CRect(32000, 32000, 32000, 32000), rc);
    EXPECT_EQ(0, pLoaded->GetExpandedHeight());
    pLayout->InternalRelease();
}
} // namespace
