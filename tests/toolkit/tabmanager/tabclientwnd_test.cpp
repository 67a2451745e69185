// The tabbed MDI client: its items follow the MDI children, and the
// tab-group commands are available by the groups and their items.
#include "support/wndtest.h"
#include "support/pump.h"

#include <XTPTabClientWnd.h>

#include <gtest/gtest.h>

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

LRESULT CALLBACK ChildProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProc(hWnd, message, wParam, lParam);
}

LPCSTR ChildClass()
{
    static bool s_bRegistered = false;
    if (!s_bRegistered)
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ChildProc;
        wc.hInstance = ::GetModuleHandleA(NULL);
        wc.hCursor = ::LoadCursorA(NULL, IDC_ARROW);
        wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
        wc.lpszClassName = "TabClientTestChild";
        ::RegisterClassA(&wc);
        s_bRegistered = true;
    }
    return "TabClientTestChild";
}

class TabClientTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The class library's MDI frame makes its client.
        pFrame = new CMDIFrameWnd;
        ASSERT_TRUE(pFrame->Create(NULL, "mdi", WS_POPUP, CRect(0, 0, 600, 400)));
        ASSERT_TRUE(pFrame->m_hWndMDIClient != NULL);
    }
    void TearDown() override
    {
        if (client.m_hWnd != NULL)
            client.UnsubclassWindow();
        pFrame->DestroyWindow();
        testsupport::PumpPending();
    }

    HWND AddChild(LPCSTR lpszTitle)
    {
        MDICREATESTRUCTA mcs = {};
        mcs.szClass = ChildClass();
        mcs.szTitle = lpszTitle;
        mcs.hOwner = ::GetModuleHandleA(NULL);
        mcs.x = mcs.y = mcs.cx = mcs.cy = CW_USEDEFAULT;
        mcs.style = WS_VISIBLE;
        return (HWND)::SendMessageA(pFrame->m_hWndMDIClient, WM_MDICREATE, 0, (LPARAM)&mcs);
    }

    CMDIFrameWnd* pFrame = NULL;
    CXTPTabClientWnd client;
};

TEST_F(TabClientTest, TheClientIsKnownByItsClassNameAndItsItemsCarryTheChildren)
{
    CRuntimeClass* pClass = CRuntimeClass::FromName("CXTPTabClientWnd");
    EXPECT_EQ(RUNTIME_CLASS(CXTPTabClientWnd), pClass);

    HWND hFirst = AddChild("first");
    HWND hSecond = AddChild("second");
    ASSERT_TRUE(client.Attach(pFrame, TRUE));
    ASSERT_EQ(1, client.GetWorkspaceCount());
    CXTPTabClientWnd::CWorkspace* pWorkspace = client.GetWorkspace(0);
    EXPECT_EQ(2, pWorkspace->GetItemCount());
    CXTPTabManagerItem* pItem = client.FindItem(hFirst);
    ASSERT_TRUE(pItem != NULL);
    EXPECT_EQ(CString("first"), pItem->GetCaption());
    EXPECT_EQ(0, client.FindWorkspaceIndex(pItem->GetTabManager()));
    EXPECT_EQ(hSecond, client.MDIGetActive());
    EXPECT_EQ(client.FindItem(hSecond), pWorkspace->GetSelectedItem());
    EXPECT_THROW(client.GetWorkspace(1), CException*);

    ::SendMessage(pFrame->m_hWndMDIClient, WM_MDIDESTROY, (WPARAM)hFirst, 0);
    client.Refresh();
    EXPECT_EQ(NULL, client.FindItem(hFirst));
    EXPECT_EQ(1, pWorkspace->GetItemCount());
}

TEST_F(TabClientTest, WithoutGroupingNoWorkspaceActionIsAvailable)
{
    AddChild("a");
    AddChild("b");
    AddChild("c");
    ASSERT_TRUE(client.Attach(pFrame, FALSE));
    for (UINT nID = XTP_ID_WORKSPACE_MOVEPREVIOUS; nID <= XTP_ID_WORKSPACE_NEWVERTICAL; nID++)
        EXPECT_FALSE(client.IsWorkspaceActionEnabled(nID)) << nID;
}

TEST_F(TabClientTest, NewGroupsNeedSeveralDocumentsAndFollowTheGroupsDirection)
{
    HWND hOnly = AddChild("only");
    ASSERT_TRUE(client.Attach(pFrame, TRUE));
    EXPECT_FALSE(client.IsWorkspaceActionEnabled(XTP_ID_WORKSPACE_NEWHORIZONTAL));
    EXPECT_FALSE(client.IsWorkspaceActionEnabled(XTP_ID_WORKSPACE_NEWVERTICAL));
    CXTPTabManagerItem* pItem = NULL;
    EXPECT_TRUE(client.IsWorkspaceActionEnabled(1234, &pItem));   // other commands: always
    EXPECT_EQ(client.FindItem(hOnly), pItem);

    AddChild("two");
    HWND hThree = AddChild("three");
    client.Refresh();
    EXPECT_TRUE(client.IsWorkspaceActionEnabled(XTP_ID_WORKSPACE_NEWHORIZONTAL));
    EXPECT_TRUE(client.IsWorkspaceActionEnabled(XTP_ID_WORKSPACE_NEWVERTICAL));
    EXPECT_FALSE(client.IsWorkspaceActionEnabled(XTP_ID_WORKSPACE_MOVEPREVIOUS));
    EXPECT_FALSE(client.IsWorkspaceActionEnabled(XTP_ID_WORKSPACE_MOVENEXT));

    // Two vertical groups, the active document alone in the second.
    CXTPTabClientWnd::CWorkspace* pFirst = client.GetWorkspace(0);
    CXTPTabClientWnd::CWorkspace* pSecond = client.AddWorkspace();
    CXTPTabManagerItem* pThree = client.FindItem(hThree);
    pThree->InternalAddRef();
    pFirst->m_arrItems.RemoveAt(pThree->GetIndex());
    pFirst->m_pSelected = NULL;
    pFirst->OnItemsChanged();
    pSecond->InsertItem(-1, pThree);
    client.m_bHorizSplitting = FALSE;

    EXPECT_EQ(hThree, client.MDIGetActive());
    EXPECT_TRUE(client.IsWorkspaceActionEnabled(XTP_ID_WORKSPACE_MOVEPREVIOUS));
    EXPECT_FALSE(client.IsWorkspaceActionEnabled(XTP_ID_WORKSPACE_MOVENEXT));
    EXPECT_FALSE(client.IsWorkspaceActionEnabled(XTP_ID_WORKSPACE_NEWHORIZONTAL));
    EXPECT_FALSE(client.IsWorkspaceActionEnabled(XTP_ID_WORKSPACE_NEWVERTICAL));   // one item in its group

    AddChild("four");
    client.Refresh();   // a new child joins the first group
    ::SendMessage(pFrame->m_hWndMDIClient, WM_MDIACTIVATE, (WPARAM)hOnly, 0);
    EXPECT_TRUE(client.IsWorkspaceActionEnabled(XTP_ID_WORKSPACE_NEWVERTICAL));
    EXPECT_FALSE(client.IsWorkspaceActionEnabled(XTP_ID_WORKSPACE_NEWHORIZONTAL));
    EXPECT_TRUE(client.IsWorkspaceActionEnabled(XTP_ID_WORKSPACE_MOVENEXT));
}
TEST_F(TabClientTest, TheStripLiesAboveTheChildrenWhichTheSystemLaysOutBelowIt)
{
    HWND hFirst = AddChild("first");
    ASSERT_TRUE(client.Attach(pFrame, FALSE));
    int nStrip = client.GetStripHeight();
    EXPECT_GT(nStrip, 10);
    // The client area starts below the strip, which the workspace keeps
    // above it (negative client coordinates).
    CRect rcWindow, rcClient;
    client.GetWindowRect(&rcWindow);
    client.GetClientRect(&rcClient);
    client.ClientToScreen(&rcClient);
    EXPECT_EQ(rcWindow.top + nStrip, rcClient.top);
    EXPECT_EQ(-nStrip, client.GetWorkspace(0)->GetStripRect().top);
    EXPECT_EQ(0, client.GetWorkspace(0)->GetStripRect().bottom);
    // Maximised and cascaded children start below it.
    ::SendMessage(pFrame->m_hWndMDIClient, WM_MDIMAXIMIZE, (WPARAM)hFirst, 0);
    CRect rcChildClient;
    ::GetClientRect(hFirst, &rcChildClient);
    ::ClientToScreen(hFirst, (POINT*)&rcChildClient);
    EXPECT_GE(rcChildClient.top, rcClient.top);
    ::SendMessage(pFrame->m_hWndMDIClient, WM_MDIRESTORE, (WPARAM)hFirst, 0);
    AddChild("second");
    ::SendMessage(pFrame->m_hWndMDIClient, WM_MDICASCADE, 0, 0);
    for (HWND hWnd = ::GetWindow(pFrame->m_hWndMDIClient, GW_CHILD); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
    {
        CRect rc;
        ::GetWindowRect(hWnd, &rc);
        EXPECT_GE(rc.top, rcClient.top);
    }
    // The last child gone, the strip goes too.
    ::SendMessage(pFrame->m_hWndMDIClient, WM_MDIDESTROY, (WPARAM)hFirst, 0);
    ::SendMessage(pFrame->m_hWndMDIClient, WM_MDIDESTROY, (WPARAM)::GetWindow(pFrame->m_hWndMDIClient, GW_CHILD), 0);
    EXPECT_EQ(0, client.GetStripHeight());
}

TEST_F(TabClientTest, ItemsFollowTheChildrenThroughTheClientsMessagesAndTheIdlePass)
{
    ASSERT_TRUE(client.Attach(pFrame, TRUE));
    HWND hFirst = AddChild("first");
    HWND hSecond = AddChild("second");
    // Created through the client: items at once, the new one selected.
    ASSERT_TRUE(client.FindItem(hFirst) != NULL && client.FindItem(hSecond) != NULL);
    EXPECT_EQ(client.FindItem(hSecond), client.GetWorkspace(0)->GetSelectedItem());
    ::SendMessage(pFrame->m_hWndMDIClient, WM_MDIACTIVATE, (WPARAM)hFirst, 0);
    EXPECT_EQ(client.FindItem(hFirst), client.GetWorkspace(0)->GetSelectedItem());
    // Retitled or destroyed behind its back: the idle pass catches up.
    ::SetWindowTextA(hFirst, "renamed");
    ::DestroyWindow(hSecond);
    client.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_EQ(CString("renamed"), client.FindItem(hFirst)->GetCaption());
    EXPECT_EQ(CString("renamed"), client.FindItem(hFirst)->GetTooltip());
    EXPECT_TRUE(client.FindItem(hSecond) == NULL);
    EXPECT_EQ(1, client.GetWorkspace(0)->GetItemCount());
}

TEST_F(TabClientTest, GroupingKeepsTheClientsRoomWithoutCommandBars)
{
    AddChild("a");
    AddChild("b");
    // Refresh sizes a grouping client to nothing and expects the frame's
    // layout to place it again; a frame without command bars must do so too.
    ASSERT_TRUE(client.Attach(pFrame, TRUE));
    EXPECT_TRUE(client.GetCommandBars() == NULL);
    client.Refresh(TRUE);
    CRect rc;
    client.GetWindowRect(&rc);
    EXPECT_GT(rc.Width(), 500);
    EXPECT_GT(rc.Height(), 300);
}

TEST_F(TabClientTest, TheTabGroupCommandsMoveTheActiveDocumentBetweenGroups)
{
    HWND hA = AddChild("a");
    HWND hB = AddChild("b");
    HWND hC = AddChild("c");
    ASSERT_TRUE(client.Attach(pFrame, TRUE));
    // The frame routes the commands to the client, enabled as they apply.
    CTestCmdUI state;
    state.m_nID = XTP_ID_WORKSPACE_NEWVERTICAL;
    EXPECT_TRUE(pFrame->OnCmdMsg(XTP_ID_WORKSPACE_NEWVERTICAL, CN_UPDATE_COMMAND_UI, &state, NULL));
    EXPECT_TRUE(state.m_bEnabled);
    state.m_nID = XTP_ID_WORKSPACE_MOVENEXT;
    EXPECT_TRUE(pFrame->OnCmdMsg(XTP_ID_WORKSPACE_MOVENEXT, CN_UPDATE_COMMAND_UI, &state, NULL));
    EXPECT_FALSE(state.m_bEnabled);

    pFrame->SendMessage(WM_COMMAND, XTP_ID_WORKSPACE_NEWVERTICAL);
    ASSERT_EQ(2, client.GetWorkspaceCount());
    EXPECT_FALSE(client.m_bHorizSplitting);
    EXPECT_EQ(1, client.FindWorkspaceIndex(client.FindItem(hC)->GetTabManager()));
    EXPECT_EQ(hC, client.MDIGetActive());
    // Side by side, each child in its group's part below its strip.
    CRect rcLeft = client.GetWorkspace(0)->GetDocumentRect();
    CRect rcRight = client.GetWorkspace(1)->GetDocumentRect();
    EXPECT_EQ(rcLeft.right, rcRight.left);
    CRect rcC;
    ::GetWindowRect(hC, &rcC);
    client.ScreenToClient(&rcC);
    EXPECT_EQ(rcRight, rcC);
    // Maximising is refused while there are several groups.
    ::SendMessage(pFrame->m_hWndMDIClient, WM_MDIMAXIMIZE, (WPARAM)hC, 0);
    EXPECT_FALSE(::IsZoomed(hC));

    // Back to the first group: the emptied group goes.
    pFrame->SendMessage(WM_COMMAND, XTP_ID_WORKSPACE_MOVEPREVIOUS);
    ASSERT_EQ(1, client.GetWorkspaceCount());
    EXPECT_EQ(3, client.GetWorkspace(0)->GetItemCount());
    // A horizontal group, then "next" from the first moves b below.
    pFrame->SendMessage(WM_COMMAND, XTP_ID_WORKSPACE_NEWHORIZONTAL);
    ASSERT_EQ(2, client.GetWorkspaceCount());
    EXPECT_TRUE(client.m_bHorizSplitting);
    EXPECT_LT(client.GetWorkspace(0)->GetDocumentRect().bottom, client.GetWorkspace(1)->GetDocumentRect().top + 1);
    ::SendMessage(pFrame->m_hWndMDIClient, WM_MDIACTIVATE, (WPARAM)hB, 0);
    pFrame->SendMessage(WM_COMMAND, XTP_ID_WORKSPACE_MOVENEXT);
    EXPECT_EQ(1, client.FindWorkspaceIndex(client.FindItem(hB)->GetTabManager()));
    EXPECT_EQ(0, client.FindWorkspaceIndex(client.FindItem(hA)->GetTabManager()));
    EXPECT_EQ(2, client.GetWorkspace(1)->GetItemCount());
}

TEST_F(TabClientTest, NextWindowFollowsTheTabsAcrossGroups)
{
    HWND hA = AddChild("a");
    HWND hB = AddChild("b");
    HWND hC = AddChild("c");
    ASSERT_TRUE(client.Attach(pFrame, TRUE));
    pFrame->SendMessage(WM_COMMAND, XTP_ID_WORKSPACE_NEWVERTICAL);   // c on the right
    ::SendMessage(pFrame->m_hWndMDIClient, WM_MDIACTIVATE, (WPARAM)hA, 0);
    pFrame->MDINext();
    EXPECT_EQ(hB, client.MDIGetActive());
    pFrame->MDINext();
    EXPECT_EQ(hC, client.MDIGetActive());
    pFrame->MDINext();
    EXPECT_EQ(hA, client.MDIGetActive());
    pFrame->MDIPrev();
    EXPECT_EQ(hC, client.MDIGetActive());
}
} // namespace
