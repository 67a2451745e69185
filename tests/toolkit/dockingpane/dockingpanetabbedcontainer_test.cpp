// Tabbed containers: selection when panes leave, caption buttons and their
// clicks, the Menu button, pressing and dragging tabs, the caption's
// direction and the right button.
#include "support/dockingframe.h"
#include "support/wndtest.h"
#include "support/pump.h"

#include <XTPDockingPaneLayout.h>
#include <XTPDockingPaneMiniWnd.h>

#include <gtest/gtest.h>

#include <algorithm>

using testsupport::CDockingTestFrame;

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

class TabbedTest : public testsupport::DockingFrameTest
{
protected:
    void SetUp() override
    {
        CreateFrame(CSize(640, 480), xtpPaneThemeOffice2003);
        p1 = manager().CreatePane(1, CRect(0, 0, 220, 120), xtpPaneDockLeft);
        p1->SetTitle("One");
        p2 = manager().CreatePane(2, CRect(0, 0, 220, 120), xtpPaneDockLeft);
        p2->SetTitle("Two");
        p3 = manager().CreatePane(3, CRect(0, 0, 220, 120), xtpPaneDockLeft);
        p3->SetTitle("Three");
        manager().AttachPane(p2, p1);
        manager().AttachPane(p3, p1);
        Layout();
        pContainer = static_cast<CXTPDockingPaneTabbedContainer*>(p1->GetContainer());
    }
    CXTPDockingPaneCaptionButton* Button(int nID) { return pContainer->GetCaptionButtons()->Find(nID); }
    // Paints the container so that the caption buttons get their places.
    void Paint()
    {
        testsupport::Canvas canvas(640, 480);
        CRect rc;
        pContainer->CWnd::GetClientRect(&rc);
        manager().GetPaintManager()->DrawPane(canvas.DC(), pContainer, rc);
    }

    CXTPDockingPane* p1 = NULL;
    CXTPDockingPane* p2 = NULL;
    CXTPDockingPane* p3 = NULL;
    CXTPDockingPaneTabbedContainer* pContainer = NULL;
};

TEST_F(TabbedTest, ThreePanesShowTabsAndRemovingTheSelectedOneSelectsTheLast)
{
    ASSERT_EQ(pContainer, p3->GetContainer());
    EXPECT_TRUE(pContainer->IsTabsVisible());
    EXPECT_EQ(3, pContainer->GetItemCount());
    EXPECT_EQ(CString("Two"), pContainer->GetItem(1)->GetCaption());

    pContainer->SelectPane(p1);
    manager().ClosePane(p1);
    EXPECT_EQ(p3, pContainer->GetSelected());
    manager().ClosePane(p3);
    EXPECT_EQ(p2, pContainer->GetSelected());
    EXPECT_FALSE(pContainer->IsTabsVisible());

    manager().ClosePane(p2);
    EXPECT_EQ(NULL, pContainer->GetSelected());
    EXPECT_EQ(NULL, pContainer->GetSafeHwnd());
    EXPECT_TRUE(pContainer->IsHidden());
}

TEST_F(TabbedTest, CaptionButtonsFollowThePaneOptionsAndTheContainersPlace)
{
    EXPECT_TRUE(Button(XTP_IDS_DOCKINGPANE_CLOSE)->IsVisible());
    EXPECT_TRUE(Button(XTP_IDS_DOCKINGPANE_AUTOHIDE)->IsVisible());
    EXPECT_FALSE(Button(XTP_IDS_DOCKINGPANE_MENU)->IsVisible());
    EXPECT_FALSE(Button(XTP_IDS_DOCKINGPANE_MAXIMIZE)->IsVisible());

    p3->SetOptions(xtpPaneNoCloseable | xtpPaneNoHideable | xtpPaneHasMenuButton);
    EXPECT_FALSE(Button(XTP_IDS_DOCKINGPANE_CLOSE)->IsVisible());
    EXPECT_FALSE(Button(XTP_IDS_DOCKINGPANE_AUTOHIDE)->IsVisible());
    EXPECT_TRUE(Button(XTP_IDS_DOCKINGPANE_MENU)->IsVisible());
    p3->SetOptions(0);

    // Floating, the container shows no Auto Hide button.
    manager().FloatPane(pContainer, CRect(700, 100, 900, 300));
    Layout();
    auto* pFloating = static_cast<CXTPDockingPaneTabbedContainer*>(p3->GetContainer());
    ASSERT_TRUE(p3->IsFloating());
    EXPECT_FALSE(pFloating->GetCaptionButtons()->Find(XTP_IDS_DOCKINGPANE_AUTOHIDE)->IsVisible());
    EXPECT_TRUE(pFloating->GetCaptionButtons()->Find(XTP_IDS_DOCKINGPANE_CLOSE)->IsVisible());
}

TEST_F(TabbedTest, TheMenuButtonNotifiesTheOwnerWithItsPlaceAndDoesNotClick)
{
    p3->SetOptions(xtpPaneHasMenuButton);
    Layout();
    Paint();
    CXTPDockingPaneCaptionButton* pMenu = Button(XTP_IDS_DOCKINGPANE_MENU);
    CRect rcMenu = pMenu->GetRect();
    ASSERT_FALSE(rcMenu.IsRectEmpty());

    pFrame->m_notifications.clear();
    pContainer->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rcMenu.CenterPoint().x, rcMenu.CenterPoint().y));
    std::vector<testsupport::DockingNotification> menus = pFrame->Notifications(XTP_DPN_CONTEXTMENU);
    ASSERT_EQ(1u, menus.size());
    CRect rcScreen = rcMenu;
    pContainer->ClientToScreen(&rcScreen);
    EXPECT_EQ(p3, menus[0].click.pPane);
    EXPECT_EQ(rcScreen.left, menus[0].click.x);
    EXPECT_EQ(rcScreen.bottom, menus[0].click.y);
    EXPECT_EQ(rcScreen, CRect(menus[0].click.rcExclude));
    EXPECT_TRUE(pFrame->Notifications(XTP_DPN_CLOSEPANE).empty());
    EXPECT_FALSE(pMenu->IsPressed());
    EXPECT_FALSE(p3->IsClosed());
}

TEST_F(TabbedTest, CloseClosesTheSelectedPaneOrTheWholeGroupSkippingPanesThatCannotClose)
{
    Paint();
    CXTPDockingPaneCaptionButton* pClose = Button(XTP_IDS_DOCKINGPANE_CLOSE);
    pContainer->OnCaptionButtonClick(pClose);
    EXPECT_TRUE(p3->IsClosed());
    EXPECT_FALSE(p2->IsClosed());

    manager().ShowPane(p3);
    p2->SetOptions(xtpPaneNoCloseable);
    manager().m_bCloseGroupOnButtonClick = TRUE;
    pFrame->m_notifications.clear();
    pContainer->OnCaptionButtonClick(pClose);
    EXPECT_TRUE(p1->IsClosed());
    EXPECT_FALSE(p2->IsClosed());
    EXPECT_TRUE(p3->IsClosed());
    std::vector<int> actions = pFrame->Actions();
    actions.erase(std::remove_if(actions.begin(), actions.end(),
                                 [](int a) { return a != xtpPaneActionClosing && a != xtpPaneActionClosed; }),
                  actions.end());
    EXPECT_EQ((std::vector<int>{ 2, 3, 2, 3 }), actions);

    // A vetoed close keeps the pane.
    manager().ShowPane(p1);
    pFrame->m_nVetoAction = xtpPaneActionClosing;
    p2->SetOptions(0);
    manager().m_bCloseGroupOnButtonClick = FALSE;
    pContainer->SelectPane(p1);
    pContainer->OnCaptionButtonClick(pClose);
    EXPECT_FALSE(p1->IsClosed());
}

TEST_F(TabbedTest, APressedTabFollowsTheMouseAndLeavingTheRowAsksToDetach)
{
    CRect rcFirst = pContainer->GetItem(0)->GetRect();
    CRect rcSecond = pContainer->GetItem(1)->GetRect();
    ASSERT_FALSE(rcFirst.IsRectEmpty());
    CPoint ptFirst = rcFirst.CenterPoint();
    pContainer->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptFirst.x, ptFirst.y));
    EXPECT_EQ(p1, pContainer->GetSelected());
    EXPECT_EQ(pContainer->m_hWnd, ::GetCapture());

    CPoint ptSecond = rcSecond.CenterPoint();
    pContainer->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptSecond.x, ptSecond.y));
    EXPECT_EQ(p2, pContainer->GetPanes().GetHead());
    EXPECT_EQ((DWORD_PTR)p1, pContainer->GetItem(1)->GetData());

    pFrame->m_notifications.clear();
    // The drag that starts ends at once: Escape is waiting.
    pFrame->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    pContainer->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptSecond.x, 5));
    std::vector<int> actions = pFrame->Actions();
    EXPECT_TRUE(std::find(actions.begin(), actions.end(), (int)xtpPaneActionDetaching) != actions.end());
    EXPECT_EQ(NULL, ::GetCapture());
}

TEST_F(TabbedTest, TheRightButtonSelectsItsTabAndNotifiesTheOwner)
{
    CPoint ptSecond = pContainer->GetItem(1)->GetRect().CenterPoint();
    pFrame->m_notifications.clear();
    pContainer->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(ptSecond.x, ptSecond.y));
    EXPECT_EQ(p2, pContainer->GetSelected());
    std::vector<testsupport::DockingNotification> clicks = pFrame->Notifications(XTP_DPN_RCLICK);
    ASSERT_EQ(1u, clicks.size());
    EXPECT_EQ((LPARAM) static_cast<CXTPDockingPaneBase*>(pContainer), clicks[0].lParam);

    // The help of a tab is its pane's.
    p2->SetHelpID(77);
    LRESULT nHelp = pContainer->SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(ptSecond.x, ptSecond.y));
    EXPECT_EQ(0x20000 + 77, nHelp);
    CPoint ptThird = pContainer->GetItem(2)->GetRect().CenterPoint();
    EXPECT_EQ(0x20000 + 3, pContainer->SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(ptThird.x, ptThird.y)));
}

TEST_F(TabbedTest, CaptionsRunAlongTheLongerSideAndASquareKeepsTheCaptionOnTop)
{
    EXPECT_FALSE(pContainer->IsCaptionVertical());
    manager().SetCaptionDirection(xtpPaneCaptionAutoBySize);
    pContainer->m_rcWindow.SetRect(0, 0, 100, 100);
    EXPECT_FALSE(pContainer->IsCaptionVertical());
    pContainer->m_rcWindow.SetRect(0, 0, 101, 100);
    EXPECT_TRUE(pContainer->IsCaptionVertical());
    manager().SetCaptionDirection(xtpPaneCaptionAutoByPosition);
    EXPECT_FALSE(pContainer->IsCaptionVertical());   // docked left
    manager().SetCaptionDirection(xtpPaneCaptionVertical);
    EXPECT_TRUE(pContainer->IsCaptionVertical());
}

TEST_F(TabbedTest, ADoubleClickOnTheCaptionFloatsTheGroupAndTheTitleOnTheCaptionIsThePanes)
{
    EXPECT_TRUE(pContainer->IsCaptionVisible());
    EXPECT_EQ(-2, pContainer->HitTestPane(CPoint(30, 8)));
    pContainer->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(30, 8));
    Layout();
    EXPECT_TRUE(p1->IsFloating());
    EXPECT_TRUE(p3->IsFloating());
    CXTPDockingPaneMiniWnd* pMini = (CXTPDockingPaneMiniWnd*)p3->GetDockingSite();
    CString strTitle;
    pMini->GetWindowText(strTitle);
    EXPECT_EQ(p3->GetContainer() == NULL ? CString() : static_cast<CXTPDockingPaneTabbedContainer*>(
                                                            p3->GetContainer())->GetSelected()->GetTitle(),
              strTitle);
}
} // namespace
