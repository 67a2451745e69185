// Auto-hidden panes: the pin hides a group to a strip at its side, its tab
// slides the pane out in steps, leaving slides it in, the pin in the
// slid-out caption docks it back, the settings that change this, resizing
// by the edge, and a snapshot. Timer ticks are sent by hand.
// ctest: run-serial (it moves the real pointer)
#include "support/dockingframe.h"
#include "support/pump.h"
#include "support/snapshot.h"
#include "support/wndtest.h"

#include <XTPDockingPaneAutoHidePanel.h>
#include <XTPDockingPaneLayout.h>
#include <XTPTabPaintManager.h>

#include <gtest/gtest.h>

namespace
{
using testsupport::GroupOf;
using testsupport::ScreenRect;
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

class AutoHideTest : public testsupport::TwoPaneFrameTest
{
protected:
    void TearDown() override
    {
        CXTPDockingPaneAutoHideWnd::m_bCloseOnLeave = TRUE;
        CXTPDockingPaneAutoHideWnd::m_dAnimationSpeed = -1.0;
        TwoPaneFrameTest::TearDown();
    }
    CXTPDockingPaneAutoHidePanel* Panel(int nSide)
    {
        return manager().GetCurrentLayout()->GetAutoHidePanel(nSide);
    }
    // The middle of a caption button of a container, in its client
    // coordinates; drawing the container lays its buttons out.
    CPoint ButtonPoint(CXTPDockingPaneTabbedContainer* pGroup, int nID)
    {
        CRect rc;
        pGroup->CWnd::GetClientRect(&rc);
        testsupport::Canvas canvas(rc.Width(), rc.Height());
        manager().GetPaintManager()->DrawPane(canvas.DC(), pGroup, rc);
        return pGroup->GetCaptionButtons()->Find(nID)->GetRect().CenterPoint();
    }
    // Presses a point of a window with the moves and the release queued.
    void Press(CWnd* pWnd, CPoint pt, std::initializer_list<CPoint> moves)
    {
        for (CPoint ptMove : moves)
            pWnd->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptMove.x, ptMove.y));
        pWnd->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        pWnd->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    }
    // Hides the left pane and opens it from its tab.
    CXTPDockingPaneAutoHideWnd* SlideOut()
    {
        manager().HidePane(pLeft);
        Layout();
        CXTPDockingPaneAutoHidePanel* pPanel = Panel(xtpPaneDockLeft);
        if (pPanel == NULL || pPanel->GetGroupCount() != 1)
            return NULL;
        CPoint ptTab = pPanel->GetGroup(0)->GetItem(0)->GetRect().CenterPoint();
        pPanel->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptTab.x, ptTab.y));
        return pPanel->GetActiveWnd();
    }
    void SendTimer(CWnd* pWnd, UINT_PTR nID, int nTimes)
    {
        for (int i = 0; i < nTimes && ::IsWindow(pWnd->GetSafeHwnd()); i++)
            pWnd->SendMessage(WM_TIMER, nID, 0);
    }
    void MoveMouseAway()
    {
        ::SetCursorPos(1200, 1000);
        ::SetFocus(NULL);
    }

};

TEST_F(AutoHideTest, ThePinHidesTheGroupToAStripAtItsSideWithOneTab)
{
    CXTPDockingPaneTabbedContainer* pGroup = GroupOf(pLeft);
    pFrame->m_notifications.clear();
    Press(pGroup, ButtonPoint(pGroup, XTP_IDS_DOCKINGPANE_AUTOHIDE), {});
    Layout();
    ASSERT_TRUE(pLeft->IsAutoHidden());
    EXPECT_TRUE(pFrame->FindAction(xtpPaneActionUnpinning, pLeft) != NULL);
    EXPECT_TRUE(pFrame->FindAction(xtpPaneActionUnpinned, pLeft) != NULL);

    CXTPDockingPaneAutoHidePanel* pPanel = Panel(xtpPaneDockLeft);
    ASSERT_TRUE(pPanel != NULL && pPanel->GetSafeHwnd() != NULL);
    EXPECT_TRUE(testsupport::HasVisibleStyle(pPanel->GetSafeHwnd()));
    CRect rcPanel = testsupport::ChildRect(pPanel->GetSafeHwnd());
    EXPECT_EQ(0, rcPanel.left);
    EXPECT_EQ(pPanel->GetPanelThickness(), rcPanel.Width());
    ASSERT_EQ(1, pPanel->GetGroupCount());
    EXPECT_EQ(1, pPanel->GetGroup(0)->GetItemCount());
    EXPECT_EQ(xtpTabPositionRight, pPanel->GetGroup(0)->GetPosition());
    // The view starts right of the strip; the group's window is out of sight.
    EXPECT_EQ(rcPanel.right, testsupport::ChildRect(pFrame->GetView()->GetSafeHwnd()).left);
    EXPECT_FALSE(GroupOf(pLeft)->GetSafeHwnd() != NULL && testsupport::HasVisibleStyle(GroupOf(pLeft)->GetSafeHwnd()));
}

TEST_F(AutoHideTest, PressingThePinAndLeavingItBeforeTheReleaseDoesNothing)
{
    CXTPDockingPaneTabbedContainer* pGroup = GroupOf(pLeft);
    CPoint ptPin = ButtonPoint(pGroup, XTP_IDS_DOCKINGPANE_AUTOHIDE);
    CPoint ptAway(ptPin.x - 60, ptPin.y + 40);
    Press(pGroup, ptPin, { ptAway });
    Layout();
    EXPECT_FALSE(pLeft->IsAutoHidden());
    Press(pGroup, ptPin, { ptAway, ptPin });
    Layout();
    EXPECT_TRUE(pLeft->IsAutoHidden());
}

TEST_F(AutoHideTest, TheTabSlidesThePaneOutInStepsAndLeavingSlidesItBackIn)
{
    pFrame->m_notifications.clear();
    CXTPDockingPaneAutoHideWnd* pWnd = SlideOut();
    ASSERT_TRUE(pWnd != NULL);
    EXPECT_TRUE(pFrame->FindAction(xtpPaneActionExpanding, pLeft) != NULL);
    const int nSteps = pWnd->GetStepsCount();
    EXPECT_EQ(CXTPDockingPaneAutoHideWnd::m_nAnimationDuration / CXTPDockingPaneAutoHideWnd::m_nAnimationInterval,
              nSteps);
    const int nFull = 200 + 4;
    EXPECT_EQ(nFull, pWnd->GetFullRect().Width());
    // It starts at the panel's edge and grows by one step a tick.
    CRect rcPanel = testsupport::ChildRect(Panel(xtpPaneDockLeft)->GetSafeHwnd());
    CRect rcWnd = testsupport::ChildRect(pWnd->GetSafeHwnd());
    EXPECT_EQ(rcPanel.right, rcWnd.left);
    EXPECT_EQ(nFull / nSteps, rcWnd.Width());
    SendTimer(pWnd, 2, 3);
    EXPECT_EQ(nFull * 4 / nSteps, testsupport::ChildRect(pWnd->GetSafeHwnd()).Width());
    EXPECT_TRUE(pFrame->FindAction(xtpPaneActionExpanded, pLeft) == NULL);
    SendTimer(pWnd, 2, nSteps);
    EXPECT_EQ(nFull, testsupport::ChildRect(pWnd->GetSafeHwnd()).Width());
    EXPECT_TRUE(pFrame->FindAction(xtpPaneActionExpanded, pLeft) != NULL);
    // The container moves with the window, less the splitter edge.
    EXPECT_EQ(nFull - 4, testsupport::ChildRect(GroupOf(pLeft)->GetSafeHwnd()).Width());

    // Five leave checks away: still out; the sixth starts the slide in.
    MoveMouseAway();
    SendTimer(pWnd, 1, 5);
    EXPECT_FALSE(pWnd->IsClosing());
    SendTimer(pWnd, 1, 1);
    EXPECT_TRUE(pWnd->IsClosing());
    EXPECT_TRUE(pFrame->FindAction(xtpPaneActionCollapsing, pLeft) != NULL);
    // The mouse coming back turns it round.
    ::SetCursorPos(ScreenRect(pWnd->GetSafeHwnd()).CenterPoint().x, ScreenRect(pWnd->GetSafeHwnd()).CenterPoint().y);
    SendTimer(pWnd, 3, 2);
    SendTimer(pWnd, 1, 1);
    EXPECT_FALSE(pWnd->IsClosing());
    SendTimer(pWnd, 2, nSteps);

    // Away again: six checks and a slide of all the steps close it, about
    // three quarters of a second with the standard settings.
    MoveMouseAway();
    pFrame->m_notifications.clear();
    SendTimer(pWnd, 1, 6);
    HWND hWnd = pWnd->GetSafeHwnd();
    SendTimer(pWnd, 3, nSteps + 1);
    EXPECT_TRUE(pFrame->FindAction(xtpPaneActionCollapsed, pLeft) != NULL);
    EXPECT_EQ(NULL, Panel(xtpPaneDockLeft)->GetActiveWnd());
    testsupport::PumpPending();
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_LT(6 * CXTPDockingPaneAutoHideWnd::m_nLeaveCheckPeriod +
                  nSteps * CXTPDockingPaneAutoHideWnd::m_nAnimationInterval,
              1000);
    EXPECT_TRUE(pLeft->IsAutoHidden());
}

TEST_F(AutoHideTest, ThePinInTheSlidOutCaptionDocksThePaneBack)
{
    CRect rcBefore = testsupport::ChildRect(GroupOf(pLeft)->GetSafeHwnd());
    CXTPDockingPaneAutoHideWnd* pWnd = SlideOut();
    ASSERT_TRUE(pWnd != NULL);
    CXTPDockingPaneTabbedContainer* pGroup = GroupOf(pLeft);
    pFrame->m_notifications.clear();
    Press(pGroup, ButtonPoint(pGroup, XTP_IDS_DOCKINGPANE_AUTOHIDE), {});
    Layout();
    EXPECT_FALSE(pLeft->IsAutoHidden());
    EXPECT_EQ(xtpPaneDockLeft, manager().GetPaneDirection(pLeft));
    EXPECT_EQ(rcBefore, testsupport::ChildRect(GroupOf(pLeft)->GetSafeHwnd()));
    EXPECT_TRUE(pFrame->FindAction(xtpPaneActionPinned, pLeft) != NULL);
    EXPECT_TRUE(Panel(xtpPaneDockLeft) == NULL || Panel(xtpPaneDockLeft)->GetSafeHwnd() == NULL);
    // The pin moved away from the pointer with the group: it is not drawn hot.
    CXTPDockingPaneCaptionButton* pPin = GroupOf(pLeft)->GetCaptionButtons()->Find(XTP_IDS_DOCKINGPANE_AUTOHIDE);
    ASSERT_TRUE(pPin != NULL);
    EXPECT_FALSE(pPin->IsHighlighted());
    EXPECT_FALSE(pPin->IsPressed());
}

TEST_F(AutoHideTest, AStoredSizeOutsideTheDockingAreaStillSlidesOutAUsableWindow)
{
    CXTPDockingPaneAutoHideWnd::m_dAnimationSpeed = 0;
    // Sizes as a damaged store may give them: none, and far too wide.
    manager().HidePane(pLeft);
    Layout();
    CRect rcTop;
    manager().GetTopPane()->GetScreenRect(&rcTop);
    pLeft->SetDockingSize(0, 0);
    CXTPDockingPaneAutoHideWnd* pWnd = SlideOut();
    ASSERT_TRUE(pWnd != NULL);
    EXPECT_EQ(manager().m_nSplitterGap + 4, pWnd->GetFullRect().Width());
    Panel(xtpPaneDockLeft)->CloseActiveWindow();
    pLeft->SetDockingSize(30000, 0);
    CPoint ptTab = Panel(xtpPaneDockLeft)->GetGroup(0)->GetItem(0)->GetRect().CenterPoint();
    Panel(xtpPaneDockLeft)->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptTab.x, ptTab.y));
    pWnd = Panel(xtpPaneDockLeft)->GetActiveWnd();
    ASSERT_TRUE(pWnd != NULL);
    EXPECT_EQ(rcTop.Width(), pWnd->GetFullRect().Width());
}

TEST_F(AutoHideTest, PointingAtATabOpensNothingWhileTheProgramIsInactive)
{
    manager().HidePane(pLeft);
    Layout();
    CXTPDockingPaneAutoHidePanel* pPanel = Panel(xtpPaneDockLeft);
    ASSERT_TRUE(pPanel != NULL);
    CPoint ptTab = pPanel->GetGroup(0)->GetItem(0)->GetRect().CenterPoint();
    pPanel->SendMessage(WM_MOUSEHOVER, 0, MAKELPARAM(ptTab.x, ptTab.y));
    EXPECT_EQ(NULL, pPanel->GetActiveWnd());
}

TEST_F(AutoHideTest, WithoutClosingOnLeaveTheWindowStaysUntilAnotherPaneOpens)
{
    CXTPDockingPaneAutoHideWnd::m_bCloseOnLeave = FALSE;
    CXTPDockingPaneAutoHideWnd::m_dAnimationSpeed = 0;   // no animation
    CXTPDockingPaneAutoHideWnd* pWnd = SlideOut();
    ASSERT_TRUE(pWnd != NULL);
    EXPECT_EQ(1, pWnd->GetStepsCount());
    EXPECT_EQ(204, testsupport::ChildRect(pWnd->GetSafeHwnd()).Width());
    MoveMouseAway();
    SendTimer(pWnd, 1, 12);
    EXPECT_FALSE(pWnd->IsClosing());
    CXTPDockingPaneAutoHidePanel* pPanel = Panel(xtpPaneDockLeft);
    pPanel->ClosePane();
    EXPECT_EQ(pWnd, pPanel->GetActiveWnd());

    manager().HidePane(pRight);
    Layout();
    CXTPDockingPaneAutoHidePanel* pRightPanel = Panel(xtpPaneDockRight);
    ASSERT_TRUE(pRightPanel != NULL);
    CPoint ptTab = pRightPanel->GetGroup(0)->GetItem(0)->GetRect().CenterPoint();
    pRightPanel->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptTab.x, ptTab.y));
    EXPECT_EQ(NULL, Panel(xtpPaneDockLeft)->GetActiveWnd());
    ASSERT_TRUE(pRightPanel->GetActiveWnd() != NULL);
}

TEST_F(AutoHideTest, TheEdgeResizesTheWindowWithinThePanesLimits)
{
    manager().UseSplitterTracker(FALSE);   // sized live
    CXTPDockingPaneAutoHideWnd::m_dAnimationSpeed = 0;
    CXTPDockingPaneAutoHideWnd* pWnd = SlideOut();
    ASSERT_TRUE(pWnd != NULL);
    CRect rcClient;
    pWnd->GetClientRect(&rcClient);
    CPoint ptEdge(rcClient.right - 2, rcClient.Height() / 2);
    Press(pWnd, ptEdge, { ptEdge + CPoint(60, 0) });
    EXPECT_EQ(264, pWnd->GetFullRect().Width());
    EXPECT_EQ(260, pLeft->m_szDocking.cx);
    EXPECT_EQ(264, testsupport::ChildRect(pWnd->GetSafeHwnd()).Width());
    // The pane keeps the width without the edge, so it slides out again
    // exactly as wide as it was left.
    Panel(xtpPaneDockLeft)->CloseActiveWindow();
    CPoint ptTab = Panel(xtpPaneDockLeft)->GetGroup(0)->GetItem(0)->GetRect().CenterPoint();
    Panel(xtpPaneDockLeft)->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptTab.x, ptTab.y));
    pWnd = Panel(xtpPaneDockLeft)->GetActiveWnd();
    ASSERT_TRUE(pWnd != NULL);
    EXPECT_EQ(264, pWnd->GetFullRect().Width());

    // Never wider than the docking area less the splitter minimum.
    CRect rcTop;
    manager().GetTopPane()->GetScreenRect(&rcTop);
    pWnd->GetClientRect(&rcClient);
    ptEdge = CPoint(rcClient.right - 2, rcClient.Height() / 2);
    Press(pWnd, ptEdge, { ptEdge + CPoint(2000, 0) });
    EXPECT_EQ(rcTop.Width() - (manager().m_nSplitterGap + 4), pWnd->GetFullRect().Width());
}

TEST_F(AutoHideTest, SnapshotOfAStripWithASlidOutPane)
{
    manager().SetTheme(xtpPaneThemeOffice2003);
    CXTPDockingPane* pBottom = manager().CreatePane(3, CRect(0, 0, 120, 100), xtpPaneDockBottom);
    pBottom->SetTitle("Bottom");
    manager().HidePane(pBottom);
    CXTPDockingPaneAutoHideWnd::m_dAnimationSpeed = 0;
    CXTPDockingPaneAutoHideWnd* pWnd = SlideOut();
    ASSERT_TRUE(pWnd != NULL);
    Layout();
    testsupport::Canvas canvas(640, 480);
    testsupport::DrawDockingFrame(pFrame, canvas);
    EXPECT_FALSE(testsupport::SaveSnapshot(canvas, "autohide_office2003").empty());
}
TEST_F(AutoHideTest, AnAutoHiddenPaneWithAHugeStoredTitleDrawsItShortened)
{
    // A title of 70,000 characters, as a damaged stored layout gives it:
    // the strip's tab shows its start and "...".
    manager().SetTheme(xtpPaneThemeOffice2003);
    CString strTitle = "Appearance of this puzzle ";
    while (strTitle.GetLength() < 70000)
        strTitle += "and more ";
    pLeft->SetTitle(strTitle);
    manager().HidePane(pLeft);
    Layout();
    CXTPDockingPaneAutoHidePanel* pPanel = Panel(xtpPaneDockLeft);
    ASSERT_TRUE(pPanel != NULL && pPanel->GetGroupCount() == 1);
    testsupport::Canvas canvas(640, 480);
    testsupport::DrawDockingFrame(pFrame, canvas);
    EXPECT_FALSE(testsupport::SaveSnapshot(canvas, "autohide_huge_title").empty());
    // The tab is bounded, far shorter than the whole title would be.
    CWindowDC dc(NULL);
    CRect rcTab = pPanel->GetGroup(0)->GetItem(0)->GetRect();
    EXPECT_LT(rcTab.Height(), dc.GetTextExtent(strTitle).cx / 4);
}
} // namespace
