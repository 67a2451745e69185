// Tabbed containers: selection when panes leave, caption buttons and their
// clicks, the Menu button, pressing and dragging tabs, the caption's
// direction and the right button.
#include "support/dockingframe.h"
#include "support/wndtest.h"
#include "support/pump.h"

#include <XTPDockingPaneLayout.h>
#include <XTPDockingPaneMiniWnd.h>
#include <XTPPropExchange.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using testsupport::CDockingTestFrame;
using testsupport::GroupOf;
using testsupport::ScreenRect;

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

// The id of the selected pane of the group that holds a pane id, after the
// live arrangement went through an archive into a new layout.
int StoredSelection(CXTPDockingPaneManager& manager, int nPaneID)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CXTPDockingPaneLayout layout(&manager);
        manager.GetLayout(&layout);
        layout.Serialize(ar);
        ar.Close();
    }
    file.SeekToBegin();
    CXTPDockingPaneLayout loaded(&manager);
    {
        CArchive ar(&file, CArchive::load);
        CXTPPropExchangeArchive px(ar);
        if (!loaded.DoPropExchange(&px))
        {
            ADD_FAILURE() << "the stored layout does not load";
            return -1;
        }
    }
    POSITION pos = loaded.GetPaneList().GetHeadPosition();
    while (pos != NULL)
    {
        CXTPDockingPane* pPane = loaded.GetPaneList().GetNext(pos).pPane;
        if (pPane == NULL || pPane->GetID() != nPaneID || pPane->GetContainer() == NULL)
            continue;
        CXTPDockingPane* pSelected = static_cast<CXTPDockingPaneTabbedContainer*>(pPane->GetContainer())->GetSelected();
        return pSelected != NULL ? pSelected->GetID() : 0;
    }
    ADD_FAILURE() << "pane " << nPaneID << " is not in the stored layout";
    return -1;
}

// A whole group that moves keeps the pane that was selected in it: floated,
// docked back and pinned, here and in the stored layout. The first tab is
// the one that a pass over the panes would lose to the last.
TEST_F(TabbedTest, AGroupThatMovesWholeKeepsItsSelectedPane)
{
    for (CXTPDockingPane* pChosen : {p1, p2})
    {
        SCOPED_TRACE(pChosen->GetTitle());
        pContainer = GroupOf(p1);
        pContainer->SelectPane(pChosen);
        Layout();

        CXTPDockingPaneMiniWnd* pMini = manager().FloatPane(pContainer, CRect(300, 200, 520, 360));
        ASSERT_TRUE(pMini != NULL);
        Layout();
        ASSERT_TRUE(p1->IsFloating() && p3->IsFloating());
        EXPECT_EQ(pChosen, GroupOf(p1)->GetSelected()) << "floated";
        EXPECT_EQ(pChosen->GetID(), StoredSelection(manager(), 1)) << "floated, stored";

        manager().DockPane(GroupOf(p1), xtpPaneDockRight);
        Layout();
        ASSERT_FALSE(p1->IsFloating());
        ASSERT_EQ(GroupOf(p1), GroupOf(p3));
        EXPECT_EQ(pChosen, GroupOf(p1)->GetSelected()) << "docked";
        EXPECT_EQ(pChosen->GetID(), StoredSelection(manager(), 1)) << "docked, stored";

        manager().HidePane(GroupOf(p1));
        Layout();
        ASSERT_TRUE(p1->IsAutoHidden() && p3->IsAutoHidden());
        EXPECT_EQ(pChosen, GroupOf(p1)->GetSelected()) << "pinned";
        EXPECT_EQ(pChosen->GetID(), StoredSelection(manager(), 1)) << "pinned, stored";

        // Back in a docked group for the next round.
        manager().ToggleDocking(GroupOf(p1));
        Layout();
        ASSERT_FALSE(p1->IsAutoHidden());
        ASSERT_EQ(GroupOf(p1), GroupOf(p3));
        EXPECT_EQ(pChosen, GroupOf(p1)->GetSelected()) << "unpinned";
    }
}

// Pinned after one of its panes was pinned alone, a group joins that
// pane's group on the side bar and keeps its own selected pane there.
TEST_F(TabbedTest, AGroupPinnedBesideItsOwnPinnedPaneKeepsItsSelectedPane)
{
    // The Auto Hide button pins the selected pane alone.
    manager().m_bHideGroupOnButtonClick = FALSE;
    manager().HidePane(p3);
    Layout();
    ASSERT_TRUE(p3->IsAutoHidden());
    ASSERT_FALSE(p1->IsAutoHidden());
    pContainer = GroupOf(p1);
    pContainer->SelectPane(p1);
    Layout();
    manager().HidePane(pContainer);
    Layout();
    ASSERT_TRUE(p1->IsAutoHidden() && p2->IsAutoHidden());
    ASSERT_EQ(GroupOf(p1), GroupOf(p3)) << "the group did not join the pinned pane's group";
    EXPECT_EQ(p1, GroupOf(p1)->GetSelected());
    EXPECT_EQ(1, StoredSelection(manager(), 1));
}

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

// What an accessibility client reads of an object or of its child number n
// (empty or 0 when the call fails), and the name of an object or child
// that an answer (a walk, a hit test) names.
VARIANT Child(long n)
{
    VARIANT var;
    var.vt = VT_I4;
    var.lVal = n;
    return var;
}

std::wstring NameOf(IAccessible* pAcc, long n = CHILDID_SELF)
{
    BSTR bstr = NULL;
    std::wstring str = SUCCEEDED(pAcc->get_accName(Child(n), &bstr)) && bstr != NULL ? bstr : L"";
    ::SysFreeString(bstr);
    return str;
}

long RoleOf(IAccessible* pAcc, long n = CHILDID_SELF)
{
    VARIANT var;
    return SUCCEEDED(pAcc->get_accRole(Child(n), &var)) ? var.lVal : 0;
}

CRect LocationOf(IAccessible* pAcc, long n = CHILDID_SELF)
{
    long x = 0, y = 0, cx = 0, cy = 0;
    EXPECT_EQ(S_OK, pAcc->accLocation(&x, &y, &cx, &cy, Child(n))) << "child " << n;
    return CRect(x, y, x + cx, y + cy);
}

std::wstring NameOfAnswer(IAccessible* pFrom, VARIANT var)
{
    if (var.vt == VT_I4)
        return NameOf(pFrom, var.lVal);
    IAccessible* pAcc = NULL;
    EXPECT_EQ(VT_DISPATCH, var.vt);
    if (var.vt != VT_DISPATCH || var.pdispVal->QueryInterface(IID_IAccessible, (void**)&pAcc) != S_OK)
        return L"(no accessible object)";
    var.pdispVal->Release();
    std::wstring str = NameOf(pAcc);
    pAcc->Release();
    return str;
}

// A client that starts from the group's window reaches the group, its tabs
// and the shown pane's window, walks, hit-tests and switches them; what it
// still holds once the panes are gone keeps no window and brings no
// destroyed pane back.
TEST_F(TabbedTest, AnAccessibilityClientReachesTheGroupAndItsPanesFromTheWindow)
{
    pFrame->ShowWindow(SW_SHOWNOACTIVATE);
    pContainer->SelectPane(p2);
    Layout();
    IAccessible* pGroup = NULL;
    HRESULT hr = manager().AccessibleObjectFromWindow(pContainer->m_hWnd, (DWORD)OBJID_CLIENT, IID_IAccessible,
                                                      (void**)&pGroup);
    ASSERT_TRUE(hr == S_OK && pGroup != NULL) << std::hex << hr;
    EXPECT_EQ(L"XTPDockingPaneTabbedContainer", NameOf(pGroup));
    EXPECT_EQ(ROLE_SYSTEM_PAGETABLIST, RoleOf(pGroup));
    long nCount = 0;
    EXPECT_EQ(S_OK, pGroup->get_accChildCount(&nCount));
    EXPECT_EQ(4, nCount) << "the shown pane's window, then the three tabs";
    EXPECT_EQ(ScreenRect(pContainer->m_hWnd), LocationOf(pGroup));
    EXPECT_EQ(ScreenRect(p2->GetChild()), LocationOf(pGroup, 1));

    // The tabs by number: their panes answer.
    EXPECT_EQ(L"One", NameOf(pGroup, 2));
    EXPECT_EQ(ROLE_SYSTEM_PAGETAB, RoleOf(pGroup, 3));
    VARIANT var;
    CRect rcTab = pContainer->GetItem(1)->GetRect();
    pContainer->ClientToScreen(&rcTab);
    EXPECT_EQ(rcTab, LocationOf(pGroup, 3));

    // A tab's object, its parent and neighbours; the group's first and
    // last children.
    var.vt = VT_DISPATCH;
    ASSERT_EQ(S_OK, pGroup->get_accChild(Child(3), &var.pdispVal));
    IAccessible* pTwo = NULL;
    ASSERT_EQ(S_OK, var.pdispVal->QueryInterface(IID_IAccessible, (void**)&pTwo));
    var.pdispVal->Release();
    EXPECT_EQ(L"Two", NameOf(pTwo));
    ASSERT_EQ(S_OK, pTwo->get_accParent(&var.pdispVal));
    EXPECT_EQ(L"XTPDockingPaneTabbedContainer", NameOfAnswer(pTwo, var));
    EXPECT_EQ(S_OK, pTwo->accNavigate(NAVDIR_NEXT, Child(CHILDID_SELF), &var));
    EXPECT_EQ(L"Three", NameOfAnswer(pTwo, var));
    pTwo->Release();
    EXPECT_EQ(S_OK, pGroup->accNavigate(NAVDIR_LASTCHILD, Child(CHILDID_SELF), &var));
    EXPECT_EQ(L"Three", NameOfAnswer(pGroup, var));
    EXPECT_EQ(S_FALSE, pGroup->accNavigate(NAVDIR_NEXT, Child(4), &var)) << "past the last tab";
    EXPECT_EQ(S_OK, pGroup->accNavigate(NAVDIR_FIRSTCHILD, Child(CHILDID_SELF), &var));
    EXPECT_TRUE(var.vt == VT_DISPATCH || (var.vt == VT_I4 && var.lVal == 1)) << "the shown pane's window";
    NameOfAnswer(pGroup, var);

    // A tab answers its pane, the shown pane's window child 1 (a client
    // following the pointer goes on into it), the caption the group, a
    // point off it nothing.
    const CPoint ptHosted = ScreenRect(p2->GetChild()).CenterPoint();
    ASSERT_EQ(S_OK, pGroup->accHitTest(ptHosted.x, ptHosted.y, &var));
    EXPECT_TRUE(var.vt == VT_DISPATCH || (var.vt == VT_I4 && var.lVal == 1)) << "the shown pane's window";
    ::VariantClear(&var);
    CRect rcThree = pContainer->GetItem(2)->GetRect();
    pContainer->ClientToScreen(&rcThree);
    ASSERT_EQ(S_OK, pGroup->accHitTest(rcThree.CenterPoint().x, rcThree.CenterPoint().y, &var));
    EXPECT_EQ(L"Three", NameOfAnswer(pGroup, var));
    CPoint pt(30, 8);
    pContainer->ClientToScreen(&pt);
    ASSERT_EQ(S_OK, pGroup->accHitTest(pt.x, pt.y, &var));
    EXPECT_TRUE(var.vt == VT_I4 && var.lVal == CHILDID_SELF);
    EXPECT_EQ(S_FALSE, pGroup->accHitTest(ScreenRect(pContainer->m_hWnd).right + 5, pt.y, &var));

    // Switching by a tab's default action, which runs once the call has
    // returned (its client may be another program); then the panes go.
    EXPECT_EQ(S_OK, pGroup->accDoDefaultAction(Child(4)));
    EXPECT_NE(p3, pContainer->GetSelected()) << "switched inside the call";
    testsupport::PumpPending();
    EXPECT_EQ(p3, pContainer->GetSelected());
    var.vt = VT_DISPATCH;
    ASSERT_EQ(S_OK, pGroup->get_accChild(Child(4), &var.pdispVal));
    IAccessible* pThree = NULL;
    ASSERT_EQ(S_OK, var.pdispVal->QueryInterface(IID_IAccessible, (void**)&pThree));
    var.pdispVal->Release();
    const HWND hGroup = pContainer->m_hWnd;
    // A pane destroyed between the call and its action stays gone.
    EXPECT_EQ(S_OK, pThree->accDoDefaultAction(Child(CHILDID_SELF)));
    manager().DestroyPane(p3);
    testsupport::PumpPending();
    Layout();
    EXPECT_TRUE(p3->IsClosed()) << "the destroyed pane came back";
    EXPECT_EQ(E_FAIL, pThree->accDoDefaultAction(Child(CHILDID_SELF)));
    testsupport::PumpPending();
    EXPECT_TRUE(p3->IsClosed()) << "the destroyed pane came back";
    CXTPDockingPaneLayout* pEmpty = manager().CreateLayout();
    manager().SetLayout(pEmpty);
    pEmpty->InternalRelease();
    Layout();
    EXPECT_FALSE(::IsWindow(hGroup)) << "the group's window outlived its layout";
    EXPECT_EQ(S_OK, pGroup->get_accChildCount(&nCount));
    EXPECT_EQ(1, nCount);
    EXPECT_EQ(L"", NameOf(pGroup, 1)) << "no pane is shown";
    EXPECT_EQ(S_FALSE, pGroup->accHitTest(pt.x, pt.y, &var));
    pThree->Release();
    pGroup->Release();
}
} // namespace
