// ctest: run-serial
// The class library's context help mode over docking panes, with the real
// pointer: a click on a pane's tab gives that pane's help id, and a click on
// the caption the selected pane's.
#include "support/dockingframe.h"
#include "support/mouseinput.h"
#include "support/pump.h"
#include "support/wndtest.h"

#include <gtest/gtest.h>

#include <afxpriv.h>

#include <functional>
#include <utility>
#include <vector>

namespace
{
using testsupport::GroupOf;

std::vector<std::pair<DWORD_PTR, UINT>> g_help;

class CHelpApp : public CWinApp
{
public:
    void WinHelp(DWORD_PTR dwData, UINT nCmd) override { g_help.push_back({dwData, nCmd}); }
};

CHelpApp theApp;
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

// The point clicked once help mode runs (a thread timer that the mode's
// loop dispatches).
CFrameWnd* g_pFrame = NULL;
CPoint g_ptClick;
bool g_bClicked = false;

void CALLBACK ClickInHelpMode(HWND, UINT, UINT_PTR nID, DWORD)
{
    if (g_pFrame == NULL || !g_pFrame->m_bHelpMode)
        return;
    ::KillTimer(NULL, nID);
    testsupport::ClickAt(g_ptClick);
    g_bClicked = true;
}

class PaneHelpTest : public testsupport::TwoPaneFrameTest
{
protected:
    void SetUp() override
    {
        TwoPaneFrameTest::SetUp();
        manager().AttachPane(pRight, pLeft);
        pFrame->ShowWindow(SW_SHOW);
        pFrame->SetForegroundWindow();
        Layout();
        GroupOf(pLeft)->SelectPane(pLeft, FALSE, FALSE);
        Layout();
        g_help.clear();
    }
    void TearDown() override
    {
        g_pFrame = NULL;
        TwoPaneFrameTest::TearDown();
    }
    // Help mode entered as Shift+F1 enters it, and the point clicked.
    void ClickInHelpModeAt(CPoint pt)
    {
        g_pFrame = pFrame;
        g_ptClick = pt;
        g_bClicked = false;
        ::SetTimer(NULL, 0, 40, ClickInHelpMode);
        pFrame->OnContextHelp();
        EXPECT_TRUE(g_bClicked);
        EXPECT_FALSE(pFrame->m_bHelpMode);
    }
};

TEST_F(PaneHelpTest, AClickOnAPanesTabOrCaptionInHelpModeGivesThePanesHelp)
{
    CXTPDockingPaneTabbedContainer* pGroup = GroupOf(pLeft);
    ASSERT_EQ(2, pGroup->GetItemCount());
    ASSERT_EQ(pRight, (CXTPDockingPane*)pGroup->GetItem(1)->GetData());
    CPoint ptTab = pGroup->GetItem(1)->GetRect().CenterPoint();
    pGroup->ClientToScreen(&ptTab);
    ClickInHelpModeAt(ptTab);
    ASSERT_EQ(1u, g_help.size());
    EXPECT_EQ((DWORD_PTR)(HID_BASE_RESOURCE + pRight->GetID()), g_help[0].first) << "the pane's id without a help id";
    EXPECT_EQ((UINT)HELP_CONTEXT, g_help[0].second);
    EXPECT_EQ(pLeft, pGroup->GetSelected()) << "the click in help mode selects nothing";

    // The caption answers for the selected pane, by its help id.
    g_help.clear();
    pLeft->SetHelpID(4711);
    CRect rcGroup;
    pGroup->GetWindowRect(&rcGroup);
    ClickInHelpModeAt(CPoint(rcGroup.left + 30, rcGroup.top + 8));
    ASSERT_EQ(1u, g_help.size());
    EXPECT_EQ((DWORD_PTR)(HID_BASE_RESOURCE + 4711), g_help[0].first);
}
} // namespace
