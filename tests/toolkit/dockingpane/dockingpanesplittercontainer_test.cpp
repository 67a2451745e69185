// Splitter containers: sharing the room by docking sizes within tracking
// sizes, the client's branch taking the spare room, and moving a bar.
#include "support/dockingframe.h"
#include "support/wndtest.h"
#include "support/pump.h"

#include <XTPDockingPaneLayout.h>

#include <gtest/gtest.h>

using testsupport::CDockingTestFrame;
using testsupport::ChildRect;

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

// A windowless layout of a manager that is not attached: containers are
// laid out by hand.
class SharingTest : public ::testing::Test
{
protected:
    void SetUp() override { pLayout = manager.CreateLayout(); }
    void TearDown() override { pLayout->InternalRelease(); }

    CXTPDockingPaneTabbedContainer* Group(int cx, int cy, CSize szMin = CSize(0, 0))
    {
        CXTPDockingPane* pPane =
            static_cast<CXTPDockingPane*>(manager.OnCreatePane(xtpPaneTypeDockingPane, pLayout));
        pPane->SetID(++nID);
        pPane->SetWindowRect(0, 0, cx, cy);
        pPane->SetMinTrackSize(szMin);
        auto* pGroup =
            static_cast<CXTPDockingPaneTabbedContainer*>(manager.OnCreatePane(xtpPaneTypeTabbedContainer, pLayout));
        pGroup->Init(pPane, NULL);
        return pGroup;
    }
    CXTPDockingPaneSplitterContainer* Row(std::initializer_list<CXTPDockingPaneBase*> children)
    {
        auto* pSplitter =
            static_cast<CXTPDockingPaneSplitterContainer*>(manager.OnCreatePane(xtpPaneTypeSplitterContainer, pLayout));
        pSplitter->SetHoriz(TRUE);
        for (CXTPDockingPaneBase* pChild : children)
            pSplitter->AddPane(pChild);
        return pSplitter;
    }

    CXTPDockingPaneManager manager;
    CXTPDockingPaneLayout* pLayout = NULL;
    int nID = 0;
};

TEST_F(SharingTest, TwoChildrenShareTheRoomByTheirDockingSizes)
{
    CXTPDockingPaneTabbedContainer* pFirst = Group(100, 50);
    CXTPDockingPaneTabbedContainer* pSecond = Group(300, 50);
    CXTPDockingPaneSplitterContainer* pRow = Row({ pFirst, pSecond });
    pRow->OnSizeParent(NULL, CRect(0, 0, 400, 100), NULL);
    EXPECT_EQ(CRect(0, 0, 99, 100), pFirst->GetPaneWindowRect());
    EXPECT_EQ(CRect(103, 0, 400, 100), pSecond->GetPaneWindowRect());
}

TEST_F(SharingTest, AChildBelowItsMinimumKeepsExactlyItAndTheOthersShareTheRest)
{
    CXTPDockingPaneTabbedContainer* pSmall = Group(10, 50, CSize(80, 0));
    CXTPDockingPaneTabbedContainer* pA = Group(200, 50);
    CXTPDockingPaneTabbedContainer* pB = Group(200, 50);
    CXTPDockingPaneSplitterContainer* pRow = Row({ pSmall, pA, pB });
    pRow->OnSizeParent(NULL, CRect(0, 0, 408, 100), NULL);
    EXPECT_EQ(80, pSmall->GetPaneWindowRect().Width());
    EXPECT_EQ(160, pA->GetPaneWindowRect().Width());
    EXPECT_EQ(160, pB->GetPaneWindowRect().Width());
}

TEST_F(SharingTest, TheClientsBranchTakesTheSpareRoomAndTheOthersKeepTheirSizes)
{
    CXTPDockingPaneTabbedContainer* pLeft = Group(120, 50);
    CXTPDockingPaneTabbedContainer* pRight = Group(80, 50);
    CXTPDockingPaneSplitterContainer* pTop = pLayout->GetTopPane();
    pTop->AddPane(pLeft, NULL, FALSE);
    pTop->AddPane(pRight, NULL, TRUE);
    pTop->OnSizeParent(NULL, CRect(0, 0, 600, 300), NULL);
    EXPECT_EQ(CRect(0, 0, 120, 300), pLeft->GetPaneWindowRect());
    EXPECT_EQ(CRect(124, 0, 516, 300), pLayout->GetClientPane()->GetPaneWindowRect());
    EXPECT_EQ(CRect(520, 0, 600, 300), pRight->GetPaneWindowRect());
    EXPECT_EQ(CSize(392, 0), pLayout->GetClientPane()->m_szDocking);

    // With the client hidden it gets nothing and the panes share it all.
    manager.HideClient(TRUE);
    pTop->OnSizeParent(NULL, CRect(0, 0, 600, 300), NULL);
    EXPECT_TRUE(pLayout->GetClientPane()->GetPaneWindowRect().IsRectEmpty());
    EXPECT_EQ(0, pLeft->GetPaneWindowRect().left);
    EXPECT_EQ(600, pRight->GetPaneWindowRect().right);
    EXPECT_EQ(pLeft->GetPaneWindowRect().right + 4, pRight->GetPaneWindowRect().left);
}

TEST_F(SharingTest, OneVisibleChildFillsTheRowAndTheSumsOfTrackingSizesAddUp)
{
    CXTPDockingPaneTabbedContainer* pOnly = Group(100, 50, CSize(30, 0));
    CXTPDockingPaneTabbedContainer* pEmpty = Group(100, 50);
    CXTPDockingPaneSplitterContainer* pRow = Row({ pOnly, pEmpty });
    pEmpty->RemovePane(pEmpty->GetSelected());
    ASSERT_TRUE(pEmpty->IsHidden());
    pRow->OnSizeParent(NULL, CRect(0, 0, 400, 100), NULL);
    EXPECT_EQ(CRect(0, 0, 400, 100), pOnly->GetPaneWindowRect());

    CXTPDockingPaneTabbedContainer* pOther = Group(100, 50, CSize(50, 0));
    pRow->AddPane(pOther);
    MINMAXINFO mmi;
    pRow->GetMinMaxInfo(&mmi);
    EXPECT_EQ(30 + 50 + 4, mmi.ptMinTrackSize.x);
}

class SplitterBarTest : public testsupport::DockingFrameTest
{
protected:
    void SetUp() override
    {
        CreateFrame(CSize(640, 480));
        CXTPDockingPaneManager& m = manager();
        pA = m.CreatePane(1, CRect(0, 0, 100, 100), xtpPaneDockLeft);
        pB = m.CreatePane(2, CRect(0, 0, 300, 100), xtpPaneDockRight, pA);
        Layout();
    }
    CXTPDockingPaneSplitterWnd* Bar(int nIndex)
    {
        const auto& lst = pFrame->m_paneManager.GetTopPane()->GetSplitters();
        POSITION pos = lst.FindIndex(nIndex);
        return pos != NULL ? lst.GetAt(pos) : NULL;
    }
    int Width(CXTPDockingPane* pPane) { return ChildRect(pPane->GetContainer()->GetPaneHwnd()).Width(); }

    CXTPDockingPane* pA = NULL;
    CXTPDockingPane* pB = NULL;
};

TEST_F(SplitterBarTest, ABarPutHalfWayIntoItsNeighboursSplitsThemInIntegers)
{
    ASSERT_EQ(100, Width(pA));
    ASSERT_EQ(300, Width(pB));
    CXTPDockingPaneSplitterWnd* pBar = Bar(0);
    ASSERT_TRUE(pBar != NULL);
    CRect rcA;
    pA->GetContainer()->GetScreenRect(&rcA);
    pFrame->m_paneManager.GetTopPane()->NormalizeDockingSize();
    pBar->ApplyPosition(rcA.left + 202);
    Layout();
    EXPECT_EQ(202, Width(pA));
    EXPECT_EQ(198, Width(pB));

    // Back where it was, the sizes are the ones it had.
    CRect rcUnion;
    pA->GetContainer()->GetScreenRect(&rcUnion);
    pFrame->m_paneManager.GetTopPane()->NormalizeDockingSize();
    pBar->ApplyPosition(rcUnion.left + 100);
    Layout();
    EXPECT_EQ(100, Width(pA));
    EXPECT_EQ(300, Width(pB));
}

TEST_F(SplitterBarTest, DraggingTheClientsBarFullyRightLeavesTheViewItsMinimum)
{
    CXTPDockingPaneSplitterWnd* pBar = Bar(1);
    ASSERT_TRUE(pBar != NULL);
    EXPECT_EQ(pB->GetContainer(), pBar->GetFirst());
    CRect rcRange;
    ASSERT_TRUE(pBar->GetTrackingRange(rcRange));

    pFrame->m_paneManager.UseSplitterTracker(FALSE);   // the panes follow live
    CRect rcBar = ChildRect(pBar->m_hWnd);
    pBar->PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(2000, 2));
    pBar->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(2000, 2));
    pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 2));
    Layout();
    EXPECT_EQ(60, ChildRect(pFrame->GetView()->m_hWnd).Width());
    EXPECT_EQ(100, Width(pA));
    EXPECT_GT(ChildRect(pBar->m_hWnd).left, rcBar.left);
}

TEST_F(SplitterBarTest, TheOutlineTrackerAppliesOnReleaseAndEscapeCancels)
{
    CXTPDockingPaneSplitterWnd* pBar = Bar(0);
    ASSERT_TRUE(pBar != NULL);
    pBar->PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(-40, 2));
    pBar->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 2));
    Layout();
    EXPECT_EQ(100, Width(pA));

    pBar->PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(-40, 2));
    pBar->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(-40, 2));
    pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 2));
    Layout();
    EXPECT_EQ(59, Width(pA));
    EXPECT_EQ(341, Width(pB));

    // Locked splitters do not move.
    pFrame->m_paneManager.LockSplitters();
    pBar->PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(40, 2));
    pBar->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(40, 2));
    pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 2));
    testsupport::PumpPending();
    Layout();
    EXPECT_EQ(59, Width(pA));
}
} // namespace
