// The drag-and-dock context: drags driven by mouse messages waiting in the
// queue (the loop reads them as the user's), drop targets, cancelling,
// keyboard drags, the translucent preview's shape and sticky floating
// windows.
// ctest: run-serial (it moves the real pointer)
#include "support/canvas.h"
#include "support/dockingframe.h"
#include "support/pump.h"
#include "support/snapshot.h"
#include "support/wndtest.h"

#include <XTPDockingPaneContext.h>
#include <XTPDockingPaneContextStickerWnd.h>
#include <XTPDockingPaneMiniWnd.h>
#include <XTPSystemHelpers.h>

#include <gtest/gtest.h>

#include <algorithm>

using testsupport::CDockingTestFrame;

namespace
{
using testsupport::GroupOf;
using testsupport::ScreenRect;
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

// Holds the Ctrl key down (in the thread's key state) for a scope.
class CtrlHeld
{
public:
    CtrlHeld() { testsupport::SetKeyDown(VK_CONTROL, true); }
    ~CtrlHeld() { testsupport::SetKeyDown(VK_CONTROL, false); }
};

class ContextTest : public testsupport::TwoPaneFrameTest
{
protected:
    CXTPDockingPaneContext* context() { return manager().GetDockingContext(); }
    // A point in the caption of a container, in screen coordinates.
    static CPoint CaptionPoint(CXTPDockingPaneTabbedContainer* pGroup)
    {
        CRect rc = ScreenRect(pGroup->GetSafeHwnd());
        return CPoint(rc.left + 20, rc.top + 6);
    }
    CRect ViewRect() { return ScreenRect(pFrame->GetView()->GetSafeHwnd()); }
    // Queues the mouse moving through screen points, then the button's
    // release (or Escape), for the drag loop to read.
    void QueueMoves(std::initializer_list<CPoint> points, UINT nEnd = WM_LBUTTONUP)
    {
        for (CPoint pt : points)
        {
            pFrame->ScreenToClient(&pt);
            pFrame->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        }
        if (nEnd == WM_LBUTTONUP)
            pFrame->PostMessage(WM_LBUTTONUP, 0, 0);
        else if (nEnd == WM_KEYDOWN)
            pFrame->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    }
    bool HasAction(int nAction) { return pFrame->FindAction(nAction) != NULL; }

};

TEST_F(ContextTest, APressAndReleaseWithinFourPixelsChangesNothing)
{
    CPoint pt = CaptionPoint(GroupOf(pLeft));
    CRect rcBefore = ScreenRect(GroupOf(pLeft)->GetSafeHwnd());
    pFrame->m_notifications.clear();
    QueueMoves({ pt + CPoint(3, 4), pt + CPoint(-4, 2) });
    context()->Drag(GroupOf(pLeft), pt);
    Layout();
    EXPECT_FALSE(pLeft->IsFloating());
    EXPECT_EQ(rcBefore, ScreenRect(GroupOf(pLeft)->GetSafeHwnd()));
    EXPECT_FALSE(HasAction(xtpPaneActionFloated));
    EXPECT_FALSE(HasAction(xtpPaneActionDocked));
    EXPECT_EQ(NULL, ::GetCapture());
    EXPECT_FALSE(context()->IsDragging());
}

TEST_F(ContextTest, ADragIntoTheMiddleOfTheViewFloatsThePaneMovedByTheDrag)
{
    CPoint pt = CaptionPoint(GroupOf(pLeft));
    CRect rcBefore = ScreenRect(GroupOf(pLeft)->GetSafeHwnd());
    pFrame->m_notifications.clear();
    QueueMoves({ pt + CPoint(100, 40), pt + CPoint(300, 100) });
    context()->Drag(GroupOf(pLeft), pt);
    Layout();
    ASSERT_TRUE(pLeft->IsFloating());
    rcBefore.OffsetRect(300, 100);
    EXPECT_EQ(rcBefore, ScreenRect(pLeft->GetDockingSite()->GetSafeHwnd()));
    EXPECT_TRUE(HasAction(xtpPaneActionFloated));
    // The view takes the room back.
    EXPECT_EQ(0, ViewRect().left);
}

TEST_F(ContextTest, ADropNearTheViewsEdgeDocksThereAndWithCtrlHeldItFloats)
{
    manager().ToggleDocking(pRight);   // floating now
    Layout();
    ASSERT_TRUE(pRight->IsFloating());
    CXTPDockingPaneMiniWnd* pMini = static_cast<CXTPDockingPaneMiniWnd*>(pRight->GetDockingSite());
    CRect rcView = ViewRect();
    CPoint ptNearRight(rcView.right - 10, rcView.CenterPoint().y);

    {
        CtrlHeld ctrl;
        CPoint pt = CaptionPoint(GroupOf(pRight));
        QueueMoves({ ptNearRight });
        context()->Drag(pMini->GetTopPane(), pt);
        Layout();
        EXPECT_TRUE(pRight->IsFloating());
    }

    pFrame->m_notifications.clear();
    CRect rcMini = ScreenRect(pMini->GetSafeHwnd());
    CPoint ptCaption(rcMini.left + 20, rcMini.top + 8);
    QueueMoves({ ptCaption + CPoint(-30, 10), ptNearRight });
    context()->Drag(pMini->GetTopPane(), ptCaption);
    Layout();
    ASSERT_FALSE(pRight->IsFloating());
    EXPECT_EQ(xtpPaneDockRight, manager().GetPaneDirection(pRight));
    CRect rcGroup = ScreenRect(GroupOf(pRight)->GetSafeHwnd());
    EXPECT_EQ(200, rcGroup.Width());
    EXPECT_EQ(rcGroup.left - 4, ViewRect().right);   // a splitter bar between them
    const testsupport::DockingNotification* pDocked = pFrame->FindAction(xtpPaneActionDocked, pRight);
    ASSERT_TRUE(pDocked != NULL);
    EXPECT_EQ(xtpPaneDockRight, pDocked->nDirection);
}

TEST_F(ContextTest, ACaptionDroppedOnAnotherCaptionTabsThePanesTogether)
{
    pFrame->m_notifications.clear();
    CPoint pt = CaptionPoint(GroupOf(pLeft));
    QueueMoves({ pt + CPoint(50, 50), CaptionPoint(GroupOf(pRight)) });
    context()->Drag(GroupOf(pLeft), pt);
    Layout();
    ASSERT_EQ(pLeft->GetContainer(), pRight->GetContainer());
    CXTPDockingPaneTabbedContainer* pGroup = GroupOf(pRight);
    EXPECT_TRUE(pGroup->IsTabsVisible());
    // The tab row lies below the pane shown.
    CRect rcGroup = ScreenRect(pGroup->GetSafeHwnd());
    CXTPDockingPane* pShown = pGroup->GetSelected();
    ASSERT_TRUE(pShown != NULL && pShown->HasAttachedWindow());
    EXPECT_GE(rcGroup.bottom - ScreenRect(pShown->GetChild()).bottom, 24);
    EXPECT_TRUE(HasAction(xtpPaneActionAttaching));
    const testsupport::DockingNotification* pAttached = pFrame->FindAction(xtpPaneActionAttached, pLeft);
    ASSERT_TRUE(pAttached != NULL);
    EXPECT_EQ(static_cast<CXTPDockingPaneBase*>(pGroup), pAttached->pTarget);
}

TEST_F(ContextTest, EscapeLostCaptureAndQuittingCancelTheDrop)
{
    CPoint pt = CaptionPoint(GroupOf(pLeft));
    CRect rcView = ViewRect();
    CPoint ptMiddle = rcView.CenterPoint();

    QueueMoves({ ptMiddle }, WM_KEYDOWN);
    pFrame->PostMessage(WM_LBUTTONUP, 0, 0);   // too late: Escape ended it
    context()->Drag(GroupOf(pLeft), pt);
    testsupport::PumpPending();
    EXPECT_FALSE(pLeft->IsFloating());

    QueueMoves({ ptMiddle }, 0);
    pFrame->PostMessage(WM_CANCELMODE, 0, 0);   // takes the capture away
    pFrame->PostMessage(WM_LBUTTONUP, 0, 0);
    context()->Drag(GroupOf(pLeft), pt);
    testsupport::PumpPending();
    EXPECT_FALSE(pLeft->IsFloating());

    QueueMoves({ ptMiddle }, 0);
    ::PostQuitMessage(7);
    context()->Drag(GroupOf(pLeft), pt);
    EXPECT_FALSE(pLeft->IsFloating());
    // The quit is still there for the program's own loop.
    MSG msg;
    ASSERT_TRUE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7, (int)msg.wParam);
    testsupport::DrainQuit();
    EXPECT_EQ(NULL, ::GetCapture());
    EXPECT_EQ(rcView, ViewRect());
}

TEST_F(ContextTest, NoDragStartsWhileAnotherWindowHoldsTheMouse)
{
    pFrame->GetView()->SetCapture();
    QueueMoves({ ViewRect().CenterPoint() });
    context()->Drag(GroupOf(pLeft), CaptionPoint(GroupOf(pLeft)));
    EXPECT_FALSE(context()->IsDragging());
    EXPECT_EQ(pFrame->GetView()->GetSafeHwnd(), ::GetCapture());
    ::ReleaseCapture();
    testsupport::PumpPending();
    EXPECT_FALSE(pLeft->IsFloating());
    // Nothing was left locked: a drag runs as usual afterwards.
    CPoint pt = CaptionPoint(GroupOf(pLeft));
    QueueMoves({ pt + CPoint(300, 100) });
    context()->Drag(GroupOf(pLeft), pt);
    EXPECT_TRUE(pLeft->IsFloating());
}

TEST_F(ContextTest, ACancelledLiveDragPutsThePanesBack)
{
    manager().m_bShowContentsWhileDragging = TRUE;
    CXTPDockingPaneTabbedContainer* pGroup = GroupOf(pLeft);
    CRect rcView = ViewRect();
    CPoint pt = CaptionPoint(pGroup);
    CPoint ptMiddle = rcView.CenterPoint();

    // Moved over the view, the pane floats at once; Escape takes it back.
    QueueMoves({ ptMiddle, ptMiddle + CPoint(20, 20) }, WM_KEYDOWN);
    context()->Drag(pGroup, pt);
    Layout();
    EXPECT_FALSE(pLeft->IsFloating());
    EXPECT_EQ(pGroup, pLeft->GetContainer());
    EXPECT_EQ(xtpPaneDockLeft, manager().GetPaneDirection(pLeft));
    EXPECT_EQ(rcView, ViewRect());

    // Released there, it stays floating where it was let go.
    QueueMoves({ ptMiddle, ptMiddle + CPoint(20, 20) });
    context()->Drag(pGroup, pt);
    Layout();
    ASSERT_TRUE(pLeft->IsFloating());
    EXPECT_TRUE(ScreenRect(pLeft->GetDockingSite()->GetSafeHwnd()).PtInRect(ptMiddle + CPoint(20, 20)));
}

TEST_F(ContextTest, AReleaseRightAfterALiveFloatStillDrops)
{
    // Floating at once handles a message waiting; the release behind the
    // move must stay for the drag loop, or the drag would run on and the
    // cancel queued after it would put the pane back.
    manager().m_bShowContentsWhileDragging = TRUE;
    CXTPDockingPaneTabbedContainer* pGroup = GroupOf(pLeft);
    CPoint ptMiddle = ViewRect().CenterPoint();
    QueueMoves({ ptMiddle });
    pFrame->PostMessage(WM_CANCELMODE, 0, 0);
    context()->Drag(pGroup, CaptionPoint(pGroup));
    testsupport::PumpPending();
    Layout();
    ASSERT_TRUE(pLeft->IsFloating());
    EXPECT_TRUE(ScreenRect(pLeft->GetDockingSite()->GetSafeHwnd()).PtInRect(ptMiddle));
    EXPECT_FALSE(context()->IsDragging());
}

TEST_F(ContextTest, ATabPulledOffItsRowDragsThatPaneAlone)
{
    CXTPDockingPane* pThird = manager().CreatePane(3, CRect(0, 0, 200, 120), xtpPaneDockLeft);
    manager().AttachPane(pThird, pLeft);
    Layout();
    CXTPDockingPaneTabbedContainer* pGroup = GroupOf(pLeft);
    ASSERT_EQ(2, pGroup->GetItemCount());
    CPoint ptTab = pGroup->GetItem(1)->GetRect().CenterPoint();
    pGroup->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptTab.x, ptTab.y));

    pFrame->m_notifications.clear();
    CPoint ptScreen(ptTab.x, 10);
    pGroup->ClientToScreen(&ptScreen);
    QueueMoves({ ViewRect().CenterPoint() });
    pGroup->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptTab.x, 10));
    Layout();
    EXPECT_TRUE(HasAction(xtpPaneActionDetaching));
    EXPECT_TRUE(pThird->IsFloating());
    EXPECT_FALSE(pLeft->IsFloating());
}

TEST_F(ContextTest, AKeyboardDragMovesByTenPixelsAndEnterDrops)
{
    CXTPDockingPaneTabbedContainer* pGroup = GroupOf(pRight);
    CRect rcGroup = ScreenRect(pGroup->GetSafeHwnd());
    const WPARAM keys[] = { VK_LEFT, VK_LEFT, VK_LEFT, VK_DOWN, VK_DOWN, VK_RETURN };
    for (WPARAM key : keys)
        pFrame->PostMessage(WM_KEYDOWN, key, 0);
    context()->Drag(pGroup, CPoint(-1, -1));
    Layout();
    ASSERT_TRUE(pRight->IsFloating());
    rcGroup.OffsetRect(-30, 20);
    EXPECT_EQ(rcGroup, ScreenRect(pRight->GetDockingSite()->GetSafeHwnd()));
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    EXPECT_EQ(rcGroup.top + 15, ptCursor.y);
}

TEST_F(ContextTest, APaneThatCannotFloatDocksAtTheNearestSideOfWhereItIsDropped)
{
    pLeft->SetOptions(xtpPaneNoFloatable);
    CRect rcView = ViewRect();
    // Far from every edge, but nearer the top than the other sides.
    CPoint ptDrop(rcView.CenterPoint().x, rcView.top + rcView.Height() / 3);
    CPoint pt = CaptionPoint(GroupOf(pLeft));
    QueueMoves({ ptDrop });
    context()->Drag(GroupOf(pLeft), pt);
    Layout();
    EXPECT_FALSE(pLeft->IsFloating());
    EXPECT_EQ(xtpPaneDockTop, manager().GetPaneDirection(pLeft));
}

TEST_F(ContextTest, ThePointsSideIsFoundTopFirstAndTheFloatingRectangleKeepsInsideTheWorkArea)
{
    CXTPDockingPaneContext* pContext = context();
    CRect rcView = ViewRect();
    CPoint pt = CaptionPoint(GroupOf(pLeft));
    pContext->BeginDrag(GroupOf(pLeft), pt);
    // As far from the top as from the left: the top wins.
    pContext->Move(CPoint(rcView.left + 8, rcView.top + 8));
    EXPECT_EQ(manager().GetClientPane(), pContext->GetTarget());
    EXPECT_EQ(xtpPaneDockTop, pContext->GetTargetDirection());
    // Next to the frame's outer edge the point must lie outside it.
    pContext->Move(CPoint(rcView.right - 2, rcView.CenterPoint().y));
    EXPECT_EQ(xtpPaneDockRight, pContext->GetTargetDirection());

    // Almost off the screen, the floating rectangle keeps 10 pixels on it;
    // wholly off it, the rectangle stays where it was.
    CRect rcWork = XTPMonitorFunctions()->GetWorkAreaFromPoint(pt);
    CRect rcTracked = pContext->m_rectDragFrameScreen;
    CPoint ptLast = pContext->m_ptLast;
    pContext->Move(ptLast + CPoint(rcWork.right - 3 - rcTracked.left, rcWork.bottom - 3 - rcTracked.top));
    CRect rcFloat = pContext->GetFloatingRect();
    EXPECT_EQ(rcWork.right - 10, rcFloat.left);
    EXPECT_EQ(rcWork.bottom - 10, rcFloat.top);
    pContext->Move(pContext->m_ptLast + CPoint(500, 500));
    EXPECT_EQ(rcFloat, pContext->GetFloatingRect());
    pContext->EndLoop();
    pContext->m_pPane = NULL;
}

TEST_F(ContextTest, TheTranslucentPreviewShowsATabWhenTheDropWouldTabIn)
{
    manager().m_bAlphaDockingContext = TRUE;
    CXTPDockingPaneContext* pContext = context();
    pContext->BeginDrag(GroupOf(pLeft), CaptionPoint(GroupOf(pLeft)));
    ASSERT_TRUE(pContext->IsAlphaContext());
    pContext->InitLoop();
    pContext->Move(CaptionPoint(GroupOf(pRight)));
    ASSERT_TRUE(pContext->IsAttach());
    HWND hTab = pContext->m_wndAttachedTab.GetSafeHwnd();
    HWND hMain = pContext->m_wndContext.GetSafeHwnd();
    ASSERT_TRUE(hTab != NULL && hMain != NULL);
    EXPECT_EQ((DWORD)(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST),
              (DWORD)::GetWindowLong(hMain, GWL_EXSTYLE) & (WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST));
    CRect rcTarget = pContext->GetTargetRect();
    CRect rcTab = ScreenRect(hTab), rcMain = ScreenRect(hMain);
    // Tabs run along the bottom: the tab under the body, 5 pixels in.
    EXPECT_EQ(rcTarget.left + 5, rcTab.left);
    EXPECT_EQ(std::min(50, (int)rcTarget.Width() - 5), rcTab.Width());
    EXPECT_EQ(std::min(20, (int)rcTarget.Height() / 2), rcTab.Height());
    EXPECT_EQ(rcTarget.bottom, rcTab.bottom);
    EXPECT_EQ(rcTab.top, rcMain.bottom);

    // Over the view the pane would float: one preview at the floating place.
    pContext->Move(ViewRect().CenterPoint());
    EXPECT_EQ(NULL, pContext->m_wndAttachedTab.GetSafeHwnd());
    EXPECT_EQ(pContext->GetFloatingRect(), ScreenRect(pContext->m_wndContext.GetSafeHwnd()));
    pContext->EndLoop();
    pContext->m_pPane = NULL;
    EXPECT_EQ(NULL, pContext->m_wndContext.GetSafeHwnd());
}

TEST_F(ContextTest, StickyFloatingWindowsSnapToTheFrameWhileMovedAndSized)
{
    CXTPDockingPaneManager& m = manager();
    m.m_bStickyFloatingFrames = TRUE;
    CRect rcFrame = ScreenRect(pFrame->GetSafeHwnd());

    // A right edge sized to 10 pixels past the frame's right edge snaps to it.
    CRect rc(rcFrame.right - 100, 100, rcFrame.right + 10, 200);
    context()->AdjustSizingRect(NULL, WMSZ_RIGHT, rc);
    EXPECT_EQ(rcFrame.right, rc.right);
    EXPECT_EQ(rcFrame.right - 100, rc.left);
    // Beyond the snap distance nothing changes.
    rc.right = rcFrame.right + 20;
    context()->AdjustSizingRect(NULL, WMSZ_RIGHT, rc);
    EXPECT_EQ(rcFrame.right + 20, rc.right);

    // Moved so that its left edge comes 8 pixels past the frame's right
    // edge, a floating rectangle lines up with it.
    CXTPDockingPaneContext* pContext = context();
    CPoint pt = CaptionPoint(GroupOf(pRight));
    pContext->BeginDrag(GroupOf(pRight), pt);
    CRect rcStart = pContext->GetFloatingRect();
    int dx = rcFrame.right + 8 - rcStart.left;
    {
        CtrlHeld ctrl;   // no docking target: only the floating place counts
        pContext->Move(pt + CPoint(dx, 40));
    }
    EXPECT_EQ(rcFrame.right, pContext->GetFloatingRect().left);
    EXPECT_EQ(rcStart.top + 40, pContext->GetFloatingRect().top);
    pContext->EndLoop();
    pContext->m_pPane = NULL;
}
// The preview stands exactly where the drop puts the dragged object, for
// every side of every container and of the view: for a group leaving its
// own row and a group leaving a column beside another row, with the
// outline, the translucent preview and the stickers' arms; for a floating
// window (whose every drop costs Wine a while) at the sides of one group.
TEST_F(ContextTest, ThePreviewStandsWhereTheDropPutsTheObject)
{
    const XTPDockingPaneDirection sides[] = {xtpPaneDockLeft, xtpPaneDockRight, xtpPaneDockTop, xtpPaneDockBottom};
    const char* const sideNames[] = {"left", "right", "top", "bottom"};
    const char* const sources[] = {"a group from its row", "a group from a column", "a floating window"};
    const char* const modes[] = {"outline", "translucent", "stickers"};
    const char* const targets[] = {"First", "Right", "Below", "Moved", "the view"};
    for (int nMode = 0; nMode < 3; nMode++)
        for (int nSource = 0; nSource < 3; nSource++)
            for (int nTarget = 0; nTarget < 5; nTarget++)
                for (int nSide = 0; nSide < 4; nSide++)
                {
                    // A group is not a target of its own drag.
                    if ((nSource == 0 && nTarget == 3) || (nSource == 1 && nTarget == 2) ||
                        (nSource == 2 && nTarget != 0) || (nMode > 0 && nSource > 0))
                        continue;
                    SCOPED_TRACE(std::string(modes[nMode]) + ", " + sources[nSource] + ", target " +
                                 targets[nTarget] + ", " + sideNames[nSide]);
                    // Left row: "First" then "Moved"; right: "Right" over "Below".
                    TearDown();
                    CreateFrame(CSize(822, 560));
                    manager().m_bAlphaDockingContext = nMode > 0;
                    manager().m_bShowDockingContextStickers = nMode == 2;
                    CXTPDockingPane* pMoved = AddPane(5, _T("Moved"), xtpPaneDockLeft, CSize(170, 120));
                    CXTPDockingPane* pFirst = AddPane(1, _T("First"), xtpPaneDockLeft, CSize(200, 120));
                    pRight = AddPane(2, _T("Right"), xtpPaneDockRight, CSize(180, 300));
                    CXTPDockingPane* pBelow = AddPane(3, _T("Below"), xtpPaneDockBottom, CSize(180, 140));
                    ASSERT_TRUE(pMoved != NULL && pFirst != NULL && pBelow != NULL);
                    manager().DockPane(pBelow, xtpPaneDockBottom, pRight);
                    Layout();
                    CXTPDockingPane* pSource = nSource == 1 ? pBelow : pMoved;
                    CXTPDockingPaneBase* pObject = GroupOf(pSource);
                    CPoint ptPress = CaptionPoint(GroupOf(pSource));
                    if (nSource == 2)
                    {
                        CXTPDockingPaneMiniWnd* pMini = manager().FloatPane(pMoved, CRect(300, 150, 470, 300));
                        ASSERT_TRUE(pMini != NULL);
                        Layout();
                        pObject = pMini->GetTopPane();
                        CRect rcMini = ScreenRect(pMini->GetSafeHwnd());
                        ptPress = CPoint(rcMini.left + 20, rcMini.top + 8);
                    }
                    CXTPDockingPane* const targetPanes[] = {pFirst, pRight, pBelow, pMoved, NULL};
                    CXTPDockingPane* pTargetPane = targetPanes[nTarget];
                    CXTPDockingPaneBase* pTarget =
                        pTargetPane != NULL ? static_cast<CXTPDockingPaneBase*>(GroupOf(pTargetPane))
                                            : manager().GetClientPane();
                    CRect rcTarget = pTargetPane != NULL ? ScreenRect(GroupOf(pTargetPane)->GetSafeHwnd()) : ViewRect();
                    // The top side is taken below the caption, in the hosted window.
                    const int nInnerTop = pTargetPane != NULL ? ScreenRect(pTargetPane->GetChild()).top : rcTarget.top;

                    CXTPDockingPaneContext* pContext = context();
                    pContext->BeginDrag(pObject, ptPress);
                    pContext->InitLoop();
                    const CPoint ptCentre = rcTarget.CenterPoint();
                    CPoint pt;
                    if (nMode == 2)
                    {
                        pContext->Move(ptCentre);
                        CXTPDockingPaneContextStickerWnd* pCross = NULL;
                        POSITION pos = pContext->GetStickers().GetHeadPosition();
                        while (pos != NULL)
                        {
                            CXTPDockingPaneContextStickerWnd* pSticker = pContext->GetStickers().GetNext(pos);
                            if (pSticker->GetKind() & xtpStickerClient)
                                pCross = pSticker;
                        }
                        ASSERT_TRUE(pCross != NULL);
                        CRect rcCross = ScreenRect(pCross->GetSafeHwnd());
                        const CPoint c = rcCross.CenterPoint();
                        const CPoint arms[] = {CPoint(rcCross.left + 12, c.y), CPoint(rcCross.right - 12, c.y),
                                               CPoint(c.x, rcCross.top + 12), CPoint(c.x, rcCross.bottom - 12)};
                        pt = arms[nSide];
                    }
                    else
                    {
                        const CPoint edgePoints[] = {
                            CPoint(rcTarget.left + 6, ptCentre.y), CPoint(rcTarget.right - 6, ptCentre.y),
                            CPoint(ptCentre.x, nInnerTop + 6), CPoint(ptCentre.x, rcTarget.bottom - 6)};
                        pt = edgePoints[nSide];
                    }
                    pContext->Move(pt);
                    ASSERT_EQ(pTarget, pContext->GetTarget());
                    ASSERT_EQ(sides[nSide], pContext->GetTargetDirection());
                    ASSERT_FALSE(pContext->IsAttach());
                    const CRect rcPreview = pContext->GetTargetRect();
                    ASSERT_FALSE(rcPreview.IsRectEmpty());
                    if (nMode == 0)
                        EXPECT_EQ(rcPreview, pContext->GetLastRect()) << "the outline";
                    else
                        EXPECT_EQ(rcPreview, ScreenRect(pContext->m_wndContext.GetSafeHwnd())) << "the preview window";
                    if (nMode == 2 && nSource == 0 && nTarget == 0 && nSide == 0)
                    {
                        // A group dropped on the left arm over its neighbour in the row.
                        testsupport::Canvas canvas(822, 560);
                        testsupport::DrawDockingFrame(pFrame, canvas);
                        testsupport::DrawDragFeedback(pFrame, canvas);
                        EXPECT_FALSE(testsupport::SaveSnapshot(canvas, "preview_left_of_the_neighbour").empty());
                    }

                    pContext->EndLoop();
                    pContext->Drop();
                    pContext->m_pPane = NULL;
                    Layout();
                    ASSERT_FALSE(pSource->IsFloating());
                    EXPECT_EQ(rcPreview, ScreenRect(GroupOf(pSource)->GetSafeHwnd())) << "where it landed";
                }
}
} // namespace
