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
        pFrame = new CMDIFrameWnd;
        ASSERT_TRUE(pFrame->Create(NULL, "mdi", WS_POPUP, CRect(0, 0, 600, 400)));
        CLIENTCREATESTRUCT ccs = { NULL, 1000 };
        pFrame->m_hWndMDIClient =
            ::CreateWindowExA(0, "MDICLIENT", NULL, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 600, 400,
                              pFrame->m_hWnd, NULL, ::GetModuleHandleA(NULL), &ccs);
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
} // namespace
