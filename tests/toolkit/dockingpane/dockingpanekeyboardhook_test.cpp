// ctest: run-serial
// The docking keyboard hook: registering managers, finding the manager of
// the focus (also from a floating window), and the keys Alt+F6 and
// Alt+minus. Key states are set on the thread; the hook procedure is called
// as the system would.
#include "support/dockingframe.h"
#include "support/pump.h"
#include "support/wndtest.h"

#include <XTPDockingPaneKeyboardHook.h>
#include <XTPDockingPaneMiniWnd.h>

#include <gtest/gtest.h>

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

const LPARAM kAlt = 0x20000000;

class KeyboardHookTest : public testsupport::DockingFrameTest
{
protected:
    void SetUp() override
    {
        CreateFrame(CSize(640, 480));
        CXTPDockingPaneManager& m = manager();
        pFirst = m.CreatePane(1, CRect(0, 0, 150, 100), xtpPaneDockLeft);
        pSecond = m.CreatePane(2, CRect(0, 0, 150, 100), xtpPaneDockRight);
        Layout();
        pHook = CXTPDockingPaneKeyboardHook::GetThreadHook();
        pFrame->GetView()->SetFocus();
    }
    void TearDown() override
    {
        testsupport::SetKeyDown(VK_SHIFT, false);
        DockingFrameTest::TearDown();
    }
    // The system command posted to the manager's window, taken off the queue.
    UINT TakeSysCommand(LPARAM* pParam = NULL)
    {
        MSG msg;
        if (!::PeekMessage(&msg, manager().GetSafeHwnd(), WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE))
            return 0;
        if (pParam != NULL)
            *pParam = msg.lParam;
        return (UINT)msg.wParam;
    }

    CXTPDockingPane* pFirst = NULL;
    CXTPDockingPane* pSecond = NULL;
    CXTPDockingPaneKeyboardHook* pHook = NULL;
};

TEST_F(KeyboardHookTest, AManagerTakesKeysOnlyWhileRegisteredAndItsFrameIsEnabled)
{
    EXPECT_EQ(NULL, pHook->FindFocusedManager());
    EXPECT_FALSE(pHook->ProcessKeyDown(VK_F6, kAlt));
    manager().EnableKeyboardNavigate();
    EXPECT_TRUE(pHook->IsHooked());
    EXPECT_EQ(&manager(), pHook->FindFocusedManager());

    // The focus in a floating pane's window counts for the frame's manager.
    manager().ToggleDocking(pSecond);
    Layout();
    ASSERT_TRUE(pSecond->IsFloating() && pSecond->HasAttachedWindow());
    ::SetFocus(pSecond->GetChild());
    ASSERT_EQ(pSecond->GetChild(), ::GetFocus());
    EXPECT_EQ(&manager(), pHook->FindFocusedManager());

    pFrame->EnableWindow(FALSE);
    EXPECT_EQ(NULL, pHook->FindFocusedManager());
    pFrame->EnableWindow(TRUE);

    // Turning the keys off unregisters the manager, and the last one takes
    // the hook away; so does destroying its window.
    manager().EnableKeyboardNavigate(0);
    EXPECT_FALSE(pHook->IsRegistered(&manager()));
    EXPECT_FALSE(pHook->IsHooked());
    manager().EnableKeyboardNavigate();
    pFrame->DestroyWindow();
    pFrame = NULL;
    EXPECT_FALSE(pHook->IsHooked());
}

TEST_F(KeyboardHookTest, AltF6AsksForTheNextPaneAndWithShiftForThePrevious)
{
    manager().EnableKeyboardNavigate(xtpPaneKeyboardUseAltF6);
    manager().SetActivePane(TRUE, pFirst);
    // Through the hook procedure, as a key-down; its key-up passes.
    EXPECT_EQ(1, CXTPDockingPaneKeyboardHook::KeyboardProc(HC_ACTION, VK_F6, kAlt | 1));
    EXPECT_EQ((UINT)SC_NEXTWINDOW, TakeSysCommand());
    EXPECT_EQ(0, CXTPDockingPaneKeyboardHook::KeyboardProc(HC_ACTION, VK_F6, kAlt | 0xC0000001));
    testsupport::SetKeyDown(VK_SHIFT, true);
    EXPECT_TRUE(pHook->ProcessKeyDown(VK_F6, kAlt));
    EXPECT_EQ((UINT)SC_PREVWINDOW, TakeSysCommand());
    testsupport::SetKeyDown(VK_SHIFT, false);

    // The manager shows the next pane.
    manager().SendMessage(WM_SYSCOMMAND, SC_NEXTWINDOW, 0);
    EXPECT_EQ(pSecond, manager().GetActivePane());
    // Keys it did not take over pass on.
    EXPECT_FALSE(pHook->ProcessKeyDown(VK_OEM_MINUS, kAlt));
}

TEST_F(KeyboardHookTest, AltMinusAsksForTheActivePanesMenuUnlessThePaneIsHidden)
{
    manager().EnableKeyboardNavigate(xtpPaneKeyboardUseAltMinus);
    if (manager().GetActivePane() != NULL)
        manager().SetActivePane(FALSE, manager().GetActivePane());
    EXPECT_FALSE(pHook->ProcessKeyDown(VK_OEM_MINUS, kAlt));   // no active pane
    manager().SetActivePane(TRUE, pFirst);
    EXPECT_TRUE(pHook->ProcessKeyDown(VK_SUBTRACT, kAlt));
    LPARAM nKey = 0;
    EXPECT_EQ((UINT)SC_KEYMENU, TakeSysCommand(&nKey));
    EXPECT_EQ('-', nKey);

    // A hidden pane has no menu; the key is taken all the same.
    manager().HidePane(pFirst);
    Layout();
    ASSERT_TRUE(pFirst->IsAutoHidden());
    manager().SetActivePane(TRUE, pFirst);
    EXPECT_TRUE(pHook->ProcessKeyDown(VK_OEM_MINUS, kAlt));
    EXPECT_EQ(0u, TakeSysCommand());
}
TEST_F(KeyboardHookTest, TheAltOfATakenShortcutIsLetGoForNobody)
{
    manager().EnableKeyboardNavigate(xtpPaneKeyboardUseAltF6 | xtpPaneKeyboardUseAltMinus);
    manager().SetActivePane(TRUE, pFirst);
    const LPARAM kAltUp = kAlt | 0xC0000001;
    // Alt let go alone passes: that is the menu key.
    EXPECT_EQ(0, CXTPDockingPaneKeyboardHook::KeyboardProc(HC_ACTION, VK_MENU, kAlt | 1));
    EXPECT_EQ(0, CXTPDockingPaneKeyboardHook::KeyboardProc(HC_ACTION, VK_MENU, kAltUp));

    // Alt+F6: the release of that Alt is eaten, once.
    EXPECT_EQ(0, CXTPDockingPaneKeyboardHook::KeyboardProc(HC_ACTION, VK_MENU, kAlt | 1));
    EXPECT_EQ(1, CXTPDockingPaneKeyboardHook::KeyboardProc(HC_ACTION, VK_F6, kAlt | 1));
    EXPECT_EQ(1, CXTPDockingPaneKeyboardHook::KeyboardProc(HC_ACTION, VK_MENU, kAltUp));
    EXPECT_EQ(0, CXTPDockingPaneKeyboardHook::KeyboardProc(HC_ACTION, VK_MENU, kAltUp));
    TakeSysCommand();

    // The left Alt key, with Alt+minus.
    EXPECT_EQ(1, CXTPDockingPaneKeyboardHook::KeyboardProc(HC_ACTION, VK_OEM_MINUS, kAlt | 1));
    EXPECT_EQ(1, CXTPDockingPaneKeyboardHook::KeyboardProc(HC_ACTION, VK_LMENU, kAltUp));
    TakeSysCommand();

    // A release that never reached this thread: the next fresh press of Alt
    // is the window's again, and an auto-repeat of a held Alt changes nothing.
    EXPECT_EQ(1, CXTPDockingPaneKeyboardHook::KeyboardProc(HC_ACTION, VK_F6, kAlt | 1));
    TakeSysCommand();
    EXPECT_EQ(0, CXTPDockingPaneKeyboardHook::KeyboardProc(HC_ACTION, VK_MENU, kAlt | 0x40000001));
    EXPECT_EQ(1, CXTPDockingPaneKeyboardHook::KeyboardProc(HC_ACTION, VK_MENU, kAltUp));
    EXPECT_EQ(1, CXTPDockingPaneKeyboardHook::KeyboardProc(HC_ACTION, VK_F6, kAlt | 1));
    TakeSysCommand();
    EXPECT_EQ(0, CXTPDockingPaneKeyboardHook::KeyboardProc(HC_ACTION, VK_MENU, kAlt | 1));
    EXPECT_EQ(0, CXTPDockingPaneKeyboardHook::KeyboardProc(HC_ACTION, VK_MENU, kAltUp));

    // A key the hook does not take leaves the release alone.
    EXPECT_EQ(0, CXTPDockingPaneKeyboardHook::KeyboardProc(HC_ACTION, 'V', kAlt | 1));
    EXPECT_EQ(0, CXTPDockingPaneKeyboardHook::KeyboardProc(HC_ACTION, VK_MENU, kAltUp));
}
} // namespace
