// ctest: run-serial
// The docking panes driven by real input on a shown, active frame: a
// caption dragged into the view floats its pane, pointing at an auto-hide
// tab slides its pane out, and Ctrl+Tab through the keyboard hook switches
// panes. Kept short: every step drives the one pointer and keyboard.
#include "support/dockingframe.h"
#include "support/keyinput.h"
#include "support/mouseinput.h"
#include "support/pump.h"
#include "support/wndtest.h"

#include <XTPDockingPaneAutoHidePanel.h>
#include <XTPDockingPaneKeyboardHook.h>
#include <XTPDockingPaneLayout.h>

#include <gtest/gtest.h>

#include <vector>

namespace
{
using testsupport::GroupOf;
using testsupport::ScreenRect;
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

using testsupport::KeyInput;
using testsupport::MouseInput;
using testsupport::SendInputs;

// Pumps until a condition holds or about two seconds passed.
template <class F>
bool PumpUntil(F condition)
{
    for (int i = 0; i < 100 && !condition(); i++)
        testsupport::Pump(20);
    return condition();
}

// Once the selector is open: Down, and Ctrl released.
void CALLBACK KeysInSelector(HWND, UINT, UINT_PTR nID, DWORD)
{
    if (CXTPDockingPaneKeyboardHook::GetThreadHook()->GetWindowSelect() == NULL)
        return;
    ::KillTimer(NULL, nID);
    SendInputs({ KeyInput(VK_DOWN, false), KeyInput(VK_DOWN, true), KeyInput(VK_CONTROL, true) });
}

class InputTest : public testsupport::TwoPaneFrameTest
{
protected:
    void SetUp() override
    {
        TwoPaneFrameTest::SetUp();
        pFrame->ShowWindow(SW_SHOW);
        pFrame->SetForegroundWindow();
        Layout();
        testsupport::Pump(50);
    }
    void TearDown() override
    {
        SendInputs({ MouseInput(MOUSEEVENTF_LEFTUP), KeyInput(VK_CONTROL, true) });
        testsupport::Pump(20);
        TwoPaneFrameTest::TearDown();
    }

};

TEST_F(InputTest, ACaptionDraggedIntoTheViewFloatsItsPane)
{
    CRect rcGroup;
    GroupOf(pLeft)->GetWindowRect(&rcGroup);
    CPoint pt(rcGroup.left + 30, rcGroup.top + 6);
    CRect rcView;
    pFrame->GetView()->GetWindowRect(&rcView);
    CPoint ptTo = rcView.CenterPoint();
    ::SetCursorPos(pt.x, pt.y);
    testsupport::Pump(20);
    SendInputs({ MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, pt + CPoint(20, 20)),
           MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, ptTo), MouseInput(MOUSEEVENTF_LEFTUP) });
    EXPECT_TRUE(PumpUntil([this]() { return pLeft->IsFloating(); }));
    EXPECT_EQ(NULL, ::GetCapture());
}

TEST_F(InputTest, PointingAtAnAutoHideTabOfTheActiveFrameSlidesItsPaneOut)
{
    manager().HidePane(pLeft);
    Layout();
    CXTPDockingPaneAutoHidePanel* pPanel = manager().GetCurrentLayout()->GetAutoHidePanel(xtpPaneDockLeft);
    ASSERT_TRUE(pPanel != NULL && pPanel->GetGroupCount() == 1);
    CPoint ptTab = pPanel->GetGroup(0)->GetItem(0)->GetRect().CenterPoint();
    pPanel->ClientToScreen(&ptTab);
    SendInputs({ MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, ptTab + CPoint(0, -2)),
           MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, ptTab) });
    EXPECT_TRUE(PumpUntil([pPanel]() { return pPanel->GetActiveWnd() != NULL; }));
}

TEST_F(InputTest, CtrlTabThroughTheKeyboardHookSwitchesToThePaneChosen)
{
    manager().EnableKeyboardNavigate(xtpPaneKeyboardUseCtrlTab);
    pFrame->GetView()->SetFocus();
    manager().SetActivePane(TRUE, pLeft);
    // Ctrl+Tab opens the selector on the active pane; once it has the
    // focus, Down picks the other pane and releasing Ctrl accepts.
    ::SetTimer(NULL, 0, 20, KeysInSelector);
    SendInputs({ KeyInput(VK_CONTROL, false), KeyInput(VK_TAB, false), KeyInput(VK_TAB, true) });
    EXPECT_TRUE(PumpUntil([this]() { return manager().GetActivePane() == pRight; }));
}
} // namespace
