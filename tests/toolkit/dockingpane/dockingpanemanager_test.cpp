// The docking-pane manager in a frame with a view: placing panes, the view's
// room, notifications and vetoes, closing, destroying, themes and the
// next-pane command.
#include "support/dockingframe.h"
#include "support/wndtest.h"
#include "support/pump.h"

#include <XTPDockingPaneLayout.h>
#include <XTPDockingPaneMiniWnd.h>
#include <XTPDockingPanePaintThemes.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using testsupport::CDockingTestFrame;
using testsupport::ChildRect;

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

class ManagerTest : public testsupport::DockingFrameTest
{
protected:
    void SetUp() override { CreateFrame(CSize(640, 480), xtpPaneThemeOffice2003); }
    CRect ContainerRect(CXTPDockingPane* pPane) { return ChildRect(pPane->GetContainer()->GetPaneHwnd()); }
};

TEST_F(ManagerTest, APaneDockedLeftTakesItsWidthAndTheViewTheRest)
{
    CXTPDockingPane* pPane = manager().CreatePane(1000, CRect(0, 0, 200, 120), xtpPaneDockLeft);
    ASSERT_TRUE(pPane != NULL);
    pPane->SetOptions(xtpPaneNoCloseable);
    pPane->SetTitle("This puzzle's Appearance Info");
    Layout();

    CRect rcClient;
    pFrame->GetClientRect(&rcClient);
    EXPECT_EQ(CRect(0, 0, 200, rcClient.bottom), ContainerRect(pPane));

    const CXTPDockingPaneSplitterContainer* pTop = manager().GetTopPane();
    ASSERT_EQ(1, (int)pTop->GetSplitters().GetCount());
    CRect rcBar = ChildRect(pTop->GetSplitters().GetHead()->GetSafeHwnd());
    EXPECT_EQ(CRect(200, 0, 204, rcClient.bottom), rcBar);
    EXPECT_EQ(CRect(204, 0, rcClient.right, rcClient.bottom), ChildRect(pFrame->GetView()->m_hWnd));

    // The owner was asked for the pane's window, which now sits in the
    // container below its caption.
    std::vector<testsupport::DockingNotification> shows = pFrame->Notifications(XTP_DPN_SHOWWINDOW);
    ASSERT_FALSE(shows.empty());
    EXPECT_EQ(pPane, shows[0].pPane);
    ASSERT_TRUE(pPane->HasAttachedWindow());
    EXPECT_EQ(pPane->GetContainer()->GetPaneHwnd(), ::GetParent(pPane->GetChild()));
    CRect rcHosted = ChildRect(pPane->GetChild());
    EXPECT_GT(rcHosted.top, 0);
    EXPECT_NE(0, ::GetWindowLong(pPane->GetChild(), GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ("This puzzle's Appearance Info", std::string(pPane->GetTitle()));
}

TEST_F(ManagerTest, ASecondPaneOnTheLeftComesFirstAndDestroyingTheOtherGivesItsRoomBack)
{
    CXTPDockingPane* p1000 = manager().CreatePane(1000, CRect(0, 0, 200, 120), xtpPaneDockLeft);
    CXTPDockingPane* p1001 = manager().CreatePane(1001, CRect(0, 0, 200, 120), xtpPaneDockLeft);
    Layout();
    CRect rcClient;
    pFrame->GetClientRect(&rcClient);
    EXPECT_EQ(CRect(0, 0, 200, rcClient.bottom), ContainerRect(p1001));
    EXPECT_EQ(CRect(204, 0, 404, rcClient.bottom), ContainerRect(p1000));
    EXPECT_EQ(408, ChildRect(pFrame->GetView()->m_hWnd).left);
    EXPECT_EQ(2, (int)manager().GetTopPane()->GetSplitters().GetCount());

    manager().DestroyPane(p1000);
    Layout();
    EXPECT_EQ(NULL, manager().FindPane(1000));
    EXPECT_EQ(1, (int)manager().GetTopPane()->GetSplitters().GetCount());
    EXPECT_EQ(CRect(0, 0, 200, rcClient.bottom), ContainerRect(p1001));
    EXPECT_EQ(204, ChildRect(pFrame->GetView()->m_hWnd).left);
}

TEST_F(ManagerTest, AnOwnerThatCannotAttachYetIsAskedAgain)
{
    pFrame->m_bAttachWindows = FALSE;
    CXTPDockingPane* pPane = manager().CreatePane(1000, CRect(0, 0, 200, 120), xtpPaneDockLeft);
    Layout();
    EXPECT_FALSE(pPane->HasAttachedWindow());
    size_t nAsked = pFrame->Notifications(XTP_DPN_SHOWWINDOW).size();
    EXPECT_GE(nAsked, 1u);

    pFrame->m_bAttachWindows = TRUE;
    Layout();
    EXPECT_GT(pFrame->Notifications(XTP_DPN_SHOWWINDOW).size(), nAsked);
    EXPECT_TRUE(pPane->HasAttachedWindow());
}

TEST_F(ManagerTest, DockingOnTheLeftOfAVerticalTopWrapsItInAHorizontalSplitter)
{
    CXTPDockingPane* pTopPane = manager().CreatePane(1, CRect(0, 0, 100, 80), xtpPaneDockTop);
    CXTPDockingPaneSplitterContainer* pOldTop = manager().GetTopPane();
    EXPECT_FALSE(pOldTop->IsHoriz());
    CXTPDockingPane* pLeft = manager().CreatePane(2, CRect(0, 0, 150, 80), xtpPaneDockLeft);
    CXTPDockingPaneSplitterContainer* pNewTop = manager().GetTopPane();
    ASSERT_NE(pOldTop, pNewTop);
    EXPECT_TRUE(pNewTop->IsHoriz());
    ASSERT_EQ(2, (int)pNewTop->GetPanes().GetCount());
    EXPECT_EQ(pLeft->GetContainer(), pNewTop->GetPanes().GetHead());
    EXPECT_EQ(pOldTop, pNewTop->GetPanes().GetTail());

    Layout();
    CRect rcClient;
    pFrame->GetClientRect(&rcClient);
    EXPECT_EQ(CRect(0, 0, 150, rcClient.bottom), ContainerRect(pLeft));
    EXPECT_EQ(CRect(154, 0, rcClient.right, 80), ContainerRect(pTopPane));
    EXPECT_EQ(CRect(154, 84, rcClient.right, rcClient.bottom), ChildRect(pFrame->GetView()->m_hWnd));
    EXPECT_EQ(xtpPaneDockLeft, manager().GetPaneDirection(pLeft->GetContainer()));
    EXPECT_EQ(xtpPaneDockTop, manager().GetPaneDirection(pTopPane->GetContainer()));
}

TEST_F(ManagerTest, DockingNextToAClosedPaneDocksAtTheFrame)
{
    CXTPDockingPane* pFirst = manager().CreatePane(1, CRect(0, 0, 100, 80), xtpPaneDockLeft);
    manager().ClosePane(pFirst);
    EXPECT_TRUE(pFirst->IsClosed());
    EXPECT_FALSE(pFirst->IsSelected());
    EXPECT_EQ(pFirst, manager().FindPane(1));   // the record stays

    CXTPDockingPane* pSecond = manager().CreatePane(2, CRect(0, 0, 100, 80), xtpPaneDockBottom, pFirst);
    EXPECT_EQ(manager().GetTopPane(), pSecond->GetContainer()->GetContainer());
    Layout();
    CRect rcClient;
    pFrame->GetClientRect(&rcClient);
    EXPECT_EQ(CRect(0, rcClient.bottom - 80, rcClient.right, rcClient.bottom), ContainerRect(pSecond));
}

TEST_F(ManagerTest, AClosedPaneComesBackToItsContainerAndAnOwnerCanKeepAPaneOpen)
{
    CXTPDockingPane* pFirst = manager().CreatePane(1, CRect(0, 0, 100, 80), xtpPaneDockLeft);
    CXTPDockingPane* pSecond = manager().CreatePane(2, CRect(0, 0, 100, 80), xtpPaneDockLeft, pFirst);
    manager().AttachPane(pSecond, pFirst);
    CXTPDockingPaneBase* pContainer = pFirst->GetContainer();
    ASSERT_EQ(pContainer, pSecond->GetContainer());
    Layout();

    pFrame->m_nCloseAnswer = -1;
    manager().ClosePane(pSecond);
    EXPECT_EQ(pContainer, pSecond->GetContainer());

    pFrame->m_nCloseAnswer = 0;
    manager().ClosePane(pSecond);
    EXPECT_TRUE(pSecond->IsClosed());
    EXPECT_FALSE(::IsWindowVisible(pSecond->GetChild()));
    Layout();
    manager().ShowPane(pSecond);
    EXPECT_EQ(pContainer, pSecond->GetContainer());
    EXPECT_TRUE(pSecond->IsSelected());
}

TEST_F(ManagerTest, ActionsOfAPaneWithoutActionsAllowedArriveVetoed)
{
    CXTPDockingPane* pPane = manager().CreatePane(1, CRect(0, 0, 100, 80), xtpPaneDockLeft);
    Layout();
    pPane->SetEnabled(xtpPaneEnabled);

    struct CVetoWatcher : public CWnd
    {
        std::vector<BOOL> vetoes;
        virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
        {
            if (message == XTPWM_DOCKINGPANE_NOTIFY && wParam == XTP_DPN_ACTION)
                vetoes.push_back(((XTP_DOCKINGPANE_ACTION*)lParam)->bCancel);
            return CWnd::WindowProc(message, wParam, lParam);
        }
    } watcher;
    ASSERT_TRUE(watcher.CreateEx(0, "STATIC", "", WS_CHILD, CRect(0, 0, 0, 0), pFrame, 1));
    manager().m_hWndOwner = watcher.m_hWnd;

    EXPECT_TRUE(manager().NotifyAction(xtpPaneActionFloating, pPane));
    manager().ToggleDocking(pPane);   // refused: floating asks action 0 first
    EXPECT_FALSE(pPane->IsFloating());
    ASSERT_EQ(2u, watcher.vetoes.size());
    EXPECT_TRUE(watcher.vetoes[0]);
    EXPECT_TRUE(watcher.vetoes[1]);
    manager().m_hWndOwner = NULL;
    watcher.DestroyWindow();
}

TEST_F(ManagerTest, ToggleFloatsADockedPaneAndDocksItBackToItsHolder)
{
    CXTPDockingPane* pPane = manager().CreatePane(1, CRect(0, 0, 100, 80), xtpPaneDockLeft);
    Layout();
    CXTPDockingPaneBase* pDocked = pPane->GetContainer();

    manager().ToggleDocking(pPane);
    Layout();
    EXPECT_TRUE(pPane->IsFloating());
    std::vector<int> actions = pFrame->Actions();
    auto itFloating = std::find(actions.begin(), actions.end(), (int)xtpPaneActionFloating);
    ASSERT_TRUE(itFloating != actions.end());
    EXPECT_TRUE(std::find(itFloating, actions.end(), (int)xtpPaneActionFloated) != actions.end());
    EXPECT_EQ(pDocked, manager().GetPaneHolder(pPane, FALSE));

    manager().ToggleDocking(pPane);
    Layout();
    EXPECT_FALSE(pPane->IsFloating());
    EXPECT_EQ(pDocked, pPane->GetContainer());
    actions = pFrame->Actions();
    EXPECT_TRUE(std::find(actions.begin(), actions.end(), (int)xtpPaneActionDocked) != actions.end());

    // A veto keeps the pane where it is.
    pFrame->m_nVetoAction = xtpPaneActionFloating;
    manager().ToggleDocking(pPane);
    EXPECT_EQ(pDocked, pPane->GetContainer());
}

TEST_F(ManagerTest, NextPaneWalksThePanesAndComesBackToASingleActivePane)
{
    CXTPDockingPane* pFirst = manager().CreatePane(1, CRect(0, 0, 100, 80), xtpPaneDockLeft);
    Layout();
    manager().SetActivePane(TRUE, pFirst);
    LRESULT lResult = manager().SendMessage(WM_SYSCOMMAND, SC_NEXTWINDOW, 0);
    EXPECT_EQ(0, lResult);
    EXPECT_EQ(pFirst, manager().GetActivePane());
    EXPECT_TRUE(pFirst->IsSelected());

    CXTPDockingPane* pSecond = manager().CreatePane(2, CRect(0, 0, 100, 80), xtpPaneDockRight);
    pSecond->SetEnabled(xtpPaneEnableActions);   // not enabled: skipped
    CXTPDockingPane* pThird = manager().CreatePane(3, CRect(0, 0, 100, 80), xtpPaneDockBottom);
    Layout();
    manager().SendMessage(WM_SYSCOMMAND, SC_NEXTWINDOW, 0);
    EXPECT_TRUE(pThird->IsSelected());
    EXPECT_EQ(pThird, pFrame->m_paneManager.FindPane(3));
}

TEST_F(ManagerTest, ThemesByNumberAndAnUnknownNumberGivesTheDefault)
{
    manager().SetTheme(11);
    EXPECT_EQ(11, manager().GetCurrentTheme());
    EXPECT_TRUE(dynamic_cast<CXTPDockingPaneDefaultTheme*>(manager().GetPaintManager()) != NULL);
    EXPECT_TRUE(dynamic_cast<CXTPDockingPaneGripperedTheme*>(manager().GetPaintManager()) == NULL);
    manager().SetTheme(xtpPaneThemeVisualStudio2005);
    EXPECT_TRUE(dynamic_cast<CXTPDockingPaneVisualStudio2005Theme*>(manager().GetPaintManager()) != NULL);
    EXPECT_EQ(1, manager().m_nDockingContextStickerStyle);
    manager().SetTheme(xtpPaneThemeOffice2003);
    EXPECT_TRUE(dynamic_cast<CXTPDockingPaneOffice2003Theme*>(manager().GetPaintManager()) != NULL);
}

TEST_F(ManagerTest, AttachingASecondTimeOrToNothingFails)
{
    EXPECT_FALSE(manager().AttachToSite(pFrame));
    CXTPDockingPaneManager other;
    EXPECT_FALSE(other.AttachToSite(NULL));
    EXPECT_EQ(NULL, other.CreatePane(1, CRect(0, 0, 10, 10), xtpPaneDockLeft));
    EXPECT_NE(0u, pFrame->GetStyle() & WS_CLIPSIBLINGS);
}

TEST_F(ManagerTest, HidingTheClientGivesItsRoomToThePanes)
{
    CXTPDockingPane* pPane = manager().CreatePane(1, CRect(0, 0, 100, 80), xtpPaneDockLeft);
    manager().HideClient(TRUE);
    Layout();
    CRect rcClient;
    pFrame->GetClientRect(&rcClient);
    EXPECT_EQ(CRect(0, 0, rcClient.right, rcClient.bottom), ContainerRect(pPane));
    EXPECT_TRUE(ChildRect(pFrame->GetView()->m_hWnd).IsRectEmpty());
}
TEST_F(ManagerTest, DockingRectanglesPreviewThePlaceWithoutMovingAnything)
{
    CXTPDockingPane* pLeft = manager().CreatePane(1, CRect(0, 0, 200, 120), xtpPaneDockLeft);
    Layout();
    CXTPDockingPane* pLoose = manager().CreatePane(2, CRect(0, 0, 100, 100), xtpPaneDockRight);
    manager().ClosePane(pLoose);
    Layout();

    CRect rcLeft;
    pLeft->GetContainer()->GetScreenRect(&rcLeft);
    CRect rcBelow = manager().GetDockingRect(pLoose, xtpPaneDockBottom, pLeft);
    EXPECT_EQ(rcLeft.left, rcBelow.left);
    EXPECT_EQ(rcLeft.right, rcBelow.right);
    EXPECT_EQ(rcLeft.bottom, rcBelow.bottom);
    EXPECT_GT(rcBelow.top, rcLeft.top);

    // Next to the neighbour inside its row: the row is shared again.
    CRect rcBeside = manager().GetDockingRect(pLoose, xtpPaneDockRight, pLeft);
    EXPECT_EQ(rcLeft.top, rcBeside.top);
    EXPECT_GE(rcBeside.left, rcLeft.left);
    EXPECT_EQ(CRect(rcLeft), [&] {
        CRect rc;
        pLeft->GetContainer()->GetScreenRect(&rc);
        return rc;
    }());
    EXPECT_TRUE(manager().GetDockingRect(pLoose, xtpPaneDockLeft, pLoose).IsRectEmpty());
    EXPECT_FALSE(manager().GetDockingRect(pLoose, xtpPaneDockTop, NULL).IsRectEmpty());
}

// Docking at an edge of the frame is previewed where the object lands: it
// keeps its docking size and the view's branch takes the rest, whichever
// way the top container runs, for a loose pane, for a floating window's
// content and for a group that leaves its own row.
TEST_F(ManagerTest, TheRectangleOfADockAtTheFramesEdgeIsWhereTheObjectLands)
{
    const XTPDockingPaneDirection sides[] = {xtpPaneDockLeft, xtpPaneDockRight, xtpPaneDockTop, xtpPaneDockBottom};
    const char* const names[] = {"left", "right", "top", "bottom"};
    for (int nWhat = 0; nWhat < 3; nWhat++)
    {
        for (int i = 0; i < 4; i++)
        {
            SCOPED_TRACE(std::string(names[i]) +
                         (nWhat == 0 ? ", a loose pane" : nWhat == 1 ? ", a floating window" : ", a docked group"));
            pFrame->DestroyWindow();
            testsupport::PumpPending();
            CreateFrame(CSize(822, 560), xtpPaneThemeOffice2003);
            CXTPDockingPane* pLeft = AddPane(1, _T("Left"), xtpPaneDockLeft, CSize(200, 120));
            CXTPDockingPane* pRight = AddPane(2, _T("Right"), xtpPaneDockRight, CSize(180, 120));
            CXTPDockingPane* pMoved = AddPane(3, _T("Moved"), xtpPaneDockLeft, CSize(160, 110));
            ASSERT_TRUE(pLeft != NULL && pRight != NULL && pMoved != NULL);
            Layout();
            CXTPDockingPaneBase* pObject = pMoved;
            if (nWhat == 0)
            {
                manager().ClosePane(pMoved);
            }
            else if (nWhat == 1)
            {
                CXTPDockingPaneMiniWnd* pMini = manager().FloatPane(pMoved, CRect(300, 200, 460, 310));
                ASSERT_TRUE(pMini != NULL);
                pObject = pMini->GetTopPane();
            }
            else
            {
                pObject = pMoved->GetContainer();
            }
            Layout();
            CRect rcTop;
            manager().GetTopPane()->GetScreenRect(&rcTop);

            CRect rcPreview = manager().GetDockingRect(pObject, sides[i], NULL);
            // The top container itself stands for the frame as well.
            EXPECT_EQ(rcPreview, manager().GetDockingRect(pObject, sides[i], manager().GetTopPane()));
            manager().DockPane(pObject, sides[i], NULL);
            Layout();
            ASSERT_TRUE(pMoved->GetContainer() != NULL);
            CRect rcLanded;
            pMoved->GetContainer()->GetScreenRect(&rcLanded);
            EXPECT_EQ(rcLanded, rcPreview);
            // A strip of its own docking size along the whole edge.
            const bool bHoriz = sides[i] == xtpPaneDockLeft || sides[i] == xtpPaneDockRight;
            EXPECT_EQ(bHoriz ? 160 : 110, bHoriz ? rcPreview.Width() : rcPreview.Height());
            if (sides[i] == xtpPaneDockLeft)
                EXPECT_EQ(rcTop.left, rcPreview.left);
            if (sides[i] == xtpPaneDockRight)
                EXPECT_EQ(rcTop.right, rcPreview.right);
            if (sides[i] == xtpPaneDockTop)
                EXPECT_EQ(CRect(rcTop.left, rcTop.top, rcTop.right, rcTop.top + 110), rcPreview);
            if (sides[i] == xtpPaneDockBottom)
                EXPECT_EQ(CRect(rcTop.left, rcTop.bottom - 110, rcTop.right, rcTop.bottom), rcPreview);
        }
    }
}

TEST_F(ManagerTest, AnInvalidLayoutIsIgnoredAndAnEmptyOneGivesTheViewItsRoomBack)
{
    manager().CreatePane(1, CRect(0, 0, 200, 120), xtpPaneDockLeft);
    Layout();
    CXTPDockingPaneLayout invalid(NULL);
    manager().SetLayout(&invalid);
    EXPECT_TRUE(manager().FindPane(1) != NULL);

    CXTPDockingPaneLayout* pEmpty = manager().CreateLayout();
    manager().SetLayout(pEmpty);
    pEmpty->InternalRelease();
    Layout();
    EXPECT_EQ(NULL, manager().FindPane(1));
    CRect rcClient;
    pFrame->GetClientRect(&rcClient);
    EXPECT_EQ(rcClient, ChildRect(pFrame->GetView()->m_hWnd));
}

TEST_F(ManagerTest, TheManagerAndItsPanesAnswerAccessibilityQueries)
{
    CXTPDockingPane* pPane = manager().CreatePane(1, CRect(0, 0, 200, 120), xtpPaneDockLeft);
    pPane->SetTitle("Appearance Info\nAppearance");
    Layout();
    VARIANT varSelf, varOne;
    varSelf.vt = varOne.vt = VT_I4;
    varSelf.lVal = CHILDID_SELF;
    varOne.lVal = 1;
    long nChildren = 0;
    EXPECT_EQ(S_OK, manager().GetAccessible()->get_accChildCount(&nChildren));
    EXPECT_EQ(1, nChildren);
    BSTR bstrName = NULL;
    EXPECT_EQ(S_OK, manager().GetAccessible()->get_accName(varSelf, &bstrName));
    EXPECT_STREQ(L"XTPDockingPaneManager", bstrName);
    ::SysFreeString(bstrName);
    IDispatch* pChild = NULL;
    ASSERT_EQ(S_OK, manager().GetAccessible()->get_accChild(varOne, &pChild)) << "its pane, as an object";
    EXPECT_EQ((IDispatch*)pPane->GetAccessible(), pChild);
    pChild->Release();

    IAccessible* pAccessible = pPane->GetAccessible();
    EXPECT_EQ(S_OK, pAccessible->get_accName(varSelf, &bstrName));
    EXPECT_STREQ(L"Appearance", bstrName);
    ::SysFreeString(bstrName);
    VARIANT varRole, varState;
    EXPECT_EQ(S_OK, pAccessible->get_accRole(varSelf, &varRole));
    EXPECT_EQ(ROLE_SYSTEM_PAGETAB, varRole.lVal);
    EXPECT_EQ(S_OK, pAccessible->get_accState(varSelf, &varState));
    EXPECT_EQ(STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_SELECTED, varState.lVal);
    manager().ClosePane(pPane);
    EXPECT_EQ(S_OK, pAccessible->get_accState(varSelf, &varState));
    EXPECT_EQ(STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_INVISIBLE, varState.lVal);
    IDispatch* pParent = NULL;
    EXPECT_EQ(E_FAIL, pAccessible->get_accParent(&pParent));

    // Its default action brings it back once the call has returned.
    EXPECT_EQ(S_OK, pAccessible->accDoDefaultAction(varSelf));
    testsupport::PumpPending();
    EXPECT_FALSE(pPane->IsClosed());
}

TEST_F(ManagerTest, ShowingAPaneThatWasNeverPlacedDocksItAtTheLeft)
{
    CXTPDockingPaneLayout* pLive = manager().GetCurrentLayout();
    CXTPDockingPane* pPane = static_cast<CXTPDockingPane*>(manager().OnCreatePane(xtpPaneTypeDockingPane, pLive));
    pPane->SetID(5);
    pPane->SetWindowRect(0, 0, 120, 80);
    XTP_DOCKINGPANE_INFO info(pPane);
    pLive->GetPaneList().AddTail(info);
    ASSERT_TRUE(pPane->IsClosed());

    manager().ShowPane(pPane);
    Layout();
    ASSERT_FALSE(pPane->IsClosed());
    CRect rcClient;
    pFrame->GetClientRect(&rcClient);
    EXPECT_EQ(CRect(0, 0, 120, rcClient.bottom), ContainerRect(pPane));
    EXPECT_EQ(pPane->GetContainer(), manager().GetPaneHolder(pPane, FALSE));
}

} // namespace
