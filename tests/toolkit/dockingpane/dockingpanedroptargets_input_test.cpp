// ctest: run-serial
// Tabs that open under a drag: something dragged from another window with
// the system's OLE drag and drop selects the pane whose tab it passes over
// in a tabbed group, and slides an auto-hidden pane out over its tab; the
// panes never take the drop.
#include "support/dockingframe.h"
#include "support/oledrag.h"
#include "support/pump.h"
#include "support/wndtest.h"

#include <XTPDockingPaneAutoHidePanel.h>
#include <XTPDockingPaneLayout.h>
#include <XTPTabPaintManager.h>

#include <gtest/gtest.h>

#include <vector>

namespace
{
using testsupport::GroupOf;
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

class DragOverTabsTest : public testsupport::TwoPaneFrameTest
{
protected:
    void SetUp() override
    {
        TwoPaneFrameTest::SetUp();
        LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
        ASSERT_TRUE(m_source.CreateEx(0, lpszClass, "source", WS_POPUP | WS_VISIBLE | WS_BORDER, 760, 100, 200, 150,
                                      NULL, NULL));
        pFrame->ShowWindow(SW_SHOW);
        pFrame->SetForegroundWindow();
        Layout();
        testsupport::Pump(50);
    }
    void TearDown() override
    {
        if (m_source.m_hWnd != NULL)
            m_source.DestroyWindow();
        TwoPaneFrameTest::TearDown();
    }
    CPoint SourcePoint()
    {
        CRect rc;
        m_source.GetWindowRect(&rc);
        return rc.CenterPoint();
    }
    // The two panes as tabs of one group at the left, "Left" selected.
    CXTPDockingPaneTabbedContainer* TabbedGroup()
    {
        manager().AttachPane(pRight, pLeft);
        Layout();
        CXTPDockingPaneTabbedContainer* pGroup = GroupOf(pLeft);
        pGroup->SelectPane(pLeft, FALSE, FALSE);
        Layout();
        return pGroup;
    }
    CPoint TabPoint(CXTPDockingPaneTabbedContainer* pGroup, int nItem)
    {
        CPoint pt = pGroup->GetItem(nItem)->GetRect().CenterPoint();
        pGroup->ClientToScreen(&pt);
        return pt;
    }

    CWnd m_source;
};

TEST_F(DragOverTabsTest, ADragOverAPanesTabSelectsItAndIsNotDropped)
{
    CXTPDockingPaneTabbedContainer* pGroup = TabbedGroup();
    ASSERT_EQ(2, pGroup->GetItemCount());
    ASSERT_EQ(pLeft, pGroup->GetSelected());
    CPoint ptTab = TabPoint(pGroup, 1);
    ASSERT_EQ(pRight, (CXTPDockingPane*)pGroup->GetItem(1)->GetData());

    testsupport::OleDrag drag;
    drag.ptStart = SourcePoint();
    drag.path = {ptTab + CPoint(-3, 0), ptTab, SourcePoint()};
    CXTPDockingPane* pSelectedOver = NULL;
    drag.onPoint = [&](int nStep) {
        if (nStep == 1)
            pSelectedOver = pGroup->GetSelected();
    };
    testsupport::RunOleDrag(drag);
    ASSERT_TRUE(drag.bStarted);
    EXPECT_EQ(pRight, pSelectedOver) << "the pane of the tab under the drag is selected";
    EXPECT_EQ(pRight, pGroup->GetSelected());
    EXPECT_EQ((DWORD)DROPEFFECT_NONE, drag.dwEffect) << "the panes take no drop";
}

TEST_F(DragOverTabsTest, WithSelectOnDragOverOffTheTabsStayAsTheyAre)
{
    CXTPDockingPaneTabbedContainer* pGroup = TabbedGroup();
    CXTPTabPaintManager* pTabs = pGroup->GetPaintManager();
    ASSERT_NE(nullptr, pTabs);
    pTabs->m_bSelectOnDragOver = FALSE;
    CPoint ptTab = TabPoint(pGroup, 1);
    testsupport::OleDrag drag;
    drag.ptStart = SourcePoint();
    drag.path = {ptTab, ptTab + CPoint(2, 0)};
    testsupport::RunOleDrag(drag);
    pTabs->m_bSelectOnDragOver = TRUE;
    ASSERT_TRUE(drag.bStarted);
    EXPECT_EQ(pLeft, pGroup->GetSelected());
    EXPECT_EQ((DWORD)DROPEFFECT_NONE, drag.dwEffect);
}

TEST_F(DragOverTabsTest, ADragOverAnAutoHiddenTabSlidesItsPaneOut)
{
    manager().HidePane(pLeft);
    Layout();
    CXTPDockingPaneAutoHidePanel* pPanel = manager().GetCurrentLayout()->GetAutoHidePanel(xtpPaneDockLeft);
    ASSERT_TRUE(pPanel != NULL && pPanel->GetGroupCount() == 1);
    ASSERT_EQ(nullptr, pPanel->GetActiveWnd());
    CPoint ptTab = pPanel->GetGroup(0)->GetItem(0)->GetRect().CenterPoint();
    pPanel->ClientToScreen(&ptTab);

    testsupport::OleDrag drag;
    drag.ptStart = SourcePoint();
    drag.path = {ptTab + CPoint(0, -2), ptTab};
    CXTPDockingPane* pShownOver = NULL;
    drag.onPoint = [&](int nStep) {
        CXTPDockingPaneAutoHideWnd* pWnd = pPanel->GetActiveWnd();
        if (nStep == 1 && pWnd != NULL && pWnd->GetContainer() != NULL)
            pShownOver = pWnd->GetContainer()->GetSelected();
    };
    testsupport::RunOleDrag(drag);
    ASSERT_TRUE(drag.bStarted);
    EXPECT_EQ(pLeft, pShownOver) << "the auto-hidden pane slides out under the drag";
    EXPECT_EQ((DWORD)DROPEFFECT_NONE, drag.dwEffect);
}
} // namespace
