// ctest: run-serial
// The command bars in the class library's context help mode, in a frame that
// maps F1 and Shift+F1 as a program does, driven by the real keyboard and
// pointer: a toolbar button clicked in help mode gives its help and runs
// nothing; a menu of the menu bar opens and the command clicked in it gives
// its help; Escape ends the mode even while a menu is open; F1 on a menu
// item gives that item's help.
#include <gtest/gtest.h>

#include "support/commandbars_testframe.h"
#include "support/helpmode.h"
#include "support/keyinput.h"
#include "support/mouseinput.h"
#include "support/pump.h"
#include "support/wndtest.h"

#include <afxpriv.h>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

using namespace cbtest;

namespace
{
std::vector<std::pair<DWORD_PTR, UINT>> g_help;

class CHelpModeApp : public CWinApp
{
public:
    void WinHelp(DWORD_PTR dwData, UINT nCmd) override { g_help.push_back({dwData, nCmd}); }
};

CHelpModeApp theApp;
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

// The test frame with help mapped and its keys: F1 and Shift+F1.
class CHelpModeFrame : public CTestFrame
{
public:
    CHelpModeFrame()
    {
        ACCEL keys[] = {{FVIRTKEY, VK_F1, ID_HELP}, {FVIRTKEY | FSHIFT, VK_F1, ID_CONTEXT_HELP}};
        m_hHelpKeys = ::CreateAcceleratorTable(keys, 2);
    }
    ~CHelpModeFrame() override { ::DestroyAcceleratorTable(m_hHelpKeys); }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hWnd != NULL &&
            ::TranslateAccelerator(m_hWnd, m_hHelpKeys, pMsg))
            return TRUE;
        return CTestFrame::PreTranslateMessage(pMsg);
    }
    HACCEL m_hHelpKeys;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHelpModeFrame, CTestFrame)
    ON_COMMAND(ID_HELP, OnHelp)
    ON_COMMAND(ID_CONTEXT_HELP, OnContextHelp)
END_MESSAGE_MAP()

using testsupport::ClickAt;
using testsupport::PressKeys;

template <class F>
bool RunUntil(F condition)
{
    for (int i = 0; i < 150 && !condition(); i++)
    {
        PumpAndIdle();
        ::Sleep(20);
    }
    return condition();
}

CPoint ScreenCentre(CXTPControl* pControl)
{
    CPoint pt = pControl->GetRect().CenterPoint();
    pControl->GetParent()->ClientToScreen(&pt);
    return pt;
}

DWORD_PTR HelpIdOf(CXTPControl* pControl)
{
    return HID_BASE_COMMAND + (pControl->GetHelpId() > 0 ? pControl->GetHelpId() : pControl->GetID());
}

class HelpModeTest : public CommandBarsFrameTest
{
protected:
    CTestFrame* MakeFrame() override { return new CHelpModeFrame(); }
    void SetUp() override
    {
        CommandBarsFrameTest::SetUp();
        if (HasFatalFailure())
            return;
        g_help.clear();
        m_pFrame->SetForegroundWindow();
        m_pFrame->SetFocus();
        PumpAndIdle();
    }
    // Shift+F1, then the steps while help mode runs; TRUE when the mode ran
    // every step and has ended.
    bool InHelpMode(std::vector<testsupport::HelpModeStep> steps)
    {
        return testsupport::RunInHelpMode(m_pFrame, std::move(steps), [] { PumpAndIdle(); });
    }
    bool Ran(UINT nID) const
    {
        const std::vector<UINT>& commands = m_pFrame->m_arrCommands;
        return std::find(commands.begin(), commands.end(), nID) != commands.end();
    }
};

TEST_F(HelpModeTest, AToolbarButtonClickedInHelpModeGivesItsHelpAndRunsNothing)
{
    CXTPControl* pOpen = m_pFrame->GetStandardBar()->GetControls()->FindControl(ID_FILE_OPEN);
    ASSERT_NE(nullptr, pOpen);
    CPoint pt = ScreenCentre(pOpen);
    ASSERT_TRUE(InHelpMode({[pt] {
        ClickAt(pt);
        return true;
    }}));
    ASSERT_EQ(1u, g_help.size());
    EXPECT_EQ(HelpIdOf(pOpen), g_help[0].first);
    EXPECT_EQ((UINT)HELP_CONTEXT, g_help[0].second);
    EXPECT_FALSE(Ran(ID_FILE_OPEN));
}

TEST_F(HelpModeTest, AMenuOpensInHelpModeAndTheCommandClickedInItGivesItsHelp)
{
    CXTPControl* pFile = m_pFrame->GetMenuBar()->GetControl(0);
    ASSERT_NE(nullptr, pFile);
    CPoint ptFile = ScreenCentre(pFile);
    DWORD_PTR nExpected = 0;
    ASSERT_TRUE(InHelpMode({[ptFile] {
                                ClickAt(ptFile);
                                return true;
                            },
                            [&nExpected] {
                                // Once the File menu is open, its "Enter Own Puzzle...".
                                CXTPPopupBar* pPopup = TopTrackedPopup();
                                if (pPopup == NULL || !pPopup->IsWindowVisible())
                                    return false;
                                CXTPControl* pEnter = pPopup->GetControls()->FindControl(ID_PUZZLE_ENTER_OWN);
                                if (pEnter == NULL)
                                    return false;
                                nExpected = HelpIdOf(pEnter);
                                ClickAt(ScreenCentre(pEnter));
                                return true;
                            }}));
    ASSERT_EQ(1u, g_help.size());
    EXPECT_EQ(nExpected, g_help[0].first);
    EXPECT_FALSE(Ran(ID_PUZZLE_ENTER_OWN));
    // The menu closed with the help: no later click can run the command.
    PumpAndIdle();
    EXPECT_EQ(nullptr, TopTrackedPopup());
}

TEST_F(HelpModeTest, EscapeEndsHelpModeWhileAMenuIsOpen)
{
    CPoint ptFile = ScreenCentre(m_pFrame->GetMenuBar()->GetControl(0));
    ASSERT_TRUE(InHelpMode({[ptFile] {
                                ClickAt(ptFile);
                                return true;
                            },
                            [] {
                                CXTPPopupBar* pPopup = TopTrackedPopup();
                                if (pPopup == NULL || !pPopup->IsWindowVisible())
                                    return false;
                                PressKeys({VK_ESCAPE});
                                return true;
                            }}));
    EXPECT_TRUE(g_help.empty());
}

TEST_F(HelpModeTest, F1OnAMenuItemGivesThatItemsHelp)
{
    CXTPControl* pFile = m_pFrame->GetMenuBar()->GetControl(0);
    ClickAt(ScreenCentre(pFile));
    ASSERT_TRUE(RunUntil([] { return TopTrackedPopup() != NULL && TopTrackedPopup()->IsWindowVisible(); }));
    CXTPPopupBar* pPopup = TopTrackedPopup();
    CXTPControl* pEnter = pPopup->GetControls()->FindControl(ID_PUZZLE_ENTER_OWN);
    ASSERT_NE(nullptr, pEnter);
    // The pointer rests on the item, which selects it.
    CPoint pt = ScreenCentre(pEnter);
    testsupport::SendInputs({testsupport::MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, pt + CPoint(0, -1)),
                             testsupport::MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, pt)});
    ASSERT_TRUE(RunUntil([pPopup, pEnter] { return pPopup->GetSelectedControl() == pEnter; }));
    PressKeys({VK_F1});
    ASSERT_TRUE(RunUntil([] { return !g_help.empty(); }));
    EXPECT_EQ(HelpIdOf(pEnter), g_help[0].first);
    EXPECT_FALSE(Ran(ID_PUZZLE_ENTER_OWN));
}
} // namespace
