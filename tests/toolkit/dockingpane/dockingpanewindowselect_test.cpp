// ctest: run-serial
// The window selector: its lists and size, the first selection of each way
// of opening it, its keys, accepting and cancelling, opening it by Ctrl+Tab
// through the keyboard hook, and a snapshot. The modal loop is fed from a
// thread timer, as a user's keys would come.
#include "support/dockingframe.h"
#include "support/pump.h"
#include "support/snapshot.h"
#include "support/wndtest.h"

#include <XTPDockingPaneKeyboardHook.h>
#include <XTPDockingPaneWindowSelect.h>

#include <gtest/gtest.h>

#include <functional>

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

// Runs a step once the next modal loop is running.
std::function<void()> g_step;
void CALLBACK RunStep(HWND, UINT, UINT_PTR nID, DWORD)
{
    ::KillTimer(NULL, nID);
    std::function<void()> step = g_step;
    g_step = nullptr;
    if (step)
        step();
}
void WhenLooping(std::function<void()> step)
{
    g_step = step;
    ::SetTimer(NULL, 0, 10, RunStep);
}

class WindowSelectTest : public testsupport::DockingFrameTest
{
protected:
    void SetUp() override
    {
        CreateFrame(CSize(640, 480));
        CXTPDockingPaneManager& m = manager();
        pFirst = AddPane(1, _T("First"), xtpPaneDockLeft, CSize(150, 100));
        pSecond = AddPane(2, _T("Second"), xtpPaneDockLeft, CSize(150, 100));
        pThird = AddPane(3, _T("Third"), xtpPaneDockRight, CSize(150, 100));
        Layout();
        m.SetActivePane(TRUE, pFirst);
    }
    void TearDown() override
    {
        testsupport::SetKeyDown(VK_CONTROL, false);
        testsupport::SetKeyDown(VK_SHIFT, false);
        DockingFrameTest::TearDown();
    }
    // A selector of the frame, laid out but not shown.
    std::unique_ptr<CXTPDockingPaneWindowSelect> Selector(int nStartMode)
    {
        std::unique_ptr<CXTPDockingPaneWindowSelect> pSelect(
            new CXTPDockingPaneWindowSelect(&manager(), nStartMode));
        EXPECT_TRUE(pSelect->Reposition());
        return pSelect;
    }
    CString Selected(CXTPDockingPaneWindowSelect* pSelect)
    {
        return pSelect->GetItemCaption(pSelect->GetSelected());
    }

    CXTPDockingPane* pFirst = NULL;
    CXTPDockingPane* pSecond = NULL;
    CXTPDockingPane* pThird = NULL;
};

TEST_F(WindowSelectTest, EnabledPanesAndTheFrameAreListedInTwoColumns)
{
    pSecond->SetEnabled(xtpPaneEnableActions);   // not enabled: not listed
    auto pSelect = Selector(CXTPDockingPaneWindowSelect::startDocuments);
    ASSERT_EQ(3, pSelect->GetItemCount());
    EXPECT_EQ(CString("First"), pSelect->GetItemCaption(pSelect->GetItem(0)));
    EXPECT_EQ(CString("Third"), pSelect->GetItemCaption(pSelect->GetItem(1)));
    EXPECT_EQ(2, pSelect->GetFirstDocument());
    EXPECT_EQ(CXTPDockingPaneWindowSelect::CItem::itemFrame, pSelect->GetItem(2)->type);

    const int h = pSelect->GetItemHeight();
    EXPECT_EQ(CRect(9, h + 13, 172, 2 * h + 13), pSelect->GetItem(0)->rc);
    EXPECT_EQ(CRect(9, 2 * h + 14, 172, 3 * h + 14), pSelect->GetItem(1)->rc);
    EXPECT_EQ(184, pSelect->GetItem(2)->rc.left);
    EXPECT_EQ(2, pSelect->GetColumnCount());
    EXPECT_EQ(CSize(2 * 175 + 4, (h + 1) * 2 + 123 + h), pSelect->GetWindowSize());
    // With one document, Ctrl+Tab starts on the active pane.
    EXPECT_EQ(CString("First"), Selected(pSelect.get()));

    // Without a pane to list there is nothing to show.
    for (CXTPDockingPane* pPane : { pFirst, pSecond, pThird })
        pPane->SetEnabled(xtpPaneDisabled);
    CXTPDockingPaneWindowSelect empty(&manager(), CXTPDockingPaneWindowSelect::startDocuments);
    EXPECT_FALSE(empty.Reposition());
}

TEST_F(WindowSelectTest, AltF7StartsOnThePaneAfterTheActiveOneOrBeforeItWithShift)
{
    auto pSelect = Selector(CXTPDockingPaneWindowSelect::startToolWindows);
    EXPECT_EQ(CString("Second"), Selected(pSelect.get()));
    testsupport::SetKeyDown(VK_SHIFT, true);
    pSelect = Selector(CXTPDockingPaneWindowSelect::startToolWindows);
    EXPECT_EQ(CString("Third"), Selected(pSelect.get()));   // round to the last
}

TEST_F(WindowSelectTest, TabStaysInItsGroupWhileTheArrowsGoEverywhere)
{
    auto pSelect = Selector(CXTPDockingPaneWindowSelect::startDocuments);
    CXTPDockingPaneWindowSelect* p = pSelect.get();
    p->OnSelectorKey(VK_TAB);
    EXPECT_EQ(CString("Second"), Selected(p));
    p->OnSelectorKey(VK_TAB);
    p->OnSelectorKey(VK_TAB);
    EXPECT_EQ(CString("First"), Selected(p));   // round within the panes
    testsupport::SetKeyDown(VK_SHIFT, true);
    p->OnSelectorKey(VK_TAB);
    EXPECT_EQ(CString("Third"), Selected(p));
    testsupport::SetKeyDown(VK_SHIFT, false);

    p->OnSelectorKey(VK_DOWN);
    EXPECT_EQ(CXTPDockingPaneWindowSelect::CItem::itemFrame, p->GetSelected()->type);
    p->OnSelectorKey(VK_DOWN);
    EXPECT_EQ(CString("First"), Selected(p));
    p->OnSelectorKey(VK_UP);
    EXPECT_EQ(CXTPDockingPaneWindowSelect::CItem::itemFrame, p->GetSelected()->type);

    // Sideways the row stays, limited to the other column's last item.
    p->SetSelected(p->GetItem(3));   // the frame
    p->OnSelectorKey(VK_LEFT);
    EXPECT_EQ(CString("First"), Selected(p));
    p->SetSelected(p->GetItem(1));
    p->OnSelectorKey(VK_RIGHT);
    EXPECT_EQ(CXTPDockingPaneWindowSelect::CItem::itemFrame, p->GetSelected()->type);
}

TEST_F(WindowSelectTest, ReleasingCtrlAcceptsAndTheHeldModifiersDoNot)
{
    CXTPDockingPaneWindowSelect select(&manager(), CXTPDockingPaneWindowSelect::startDocuments);
    testsupport::SetKeyDown(VK_CONTROL, true);
    WhenLooping([&select, this]() {
        HWND hWnd = select.GetSafeHwnd();
        // The frame waits, disabled; the selector keeps the focus.
        EXPECT_FALSE(pFrame->IsWindowEnabled());
        EXPECT_TRUE(::IsWindowEnabled(hWnd));
        EXPECT_EQ(hWnd, ::GetFocus());
        // Held keys repeat: they choose nothing.
        ::PostMessage(hWnd, WM_KEYDOWN, VK_CONTROL, 0x40000001);
        ::PostMessage(hWnd, WM_SYSKEYDOWN, VK_MENU, 0x60000001);
        ::PostMessage(hWnd, WM_KEYDOWN, VK_DOWN, 1);
        ::PostMessage(hWnd, WM_KEYDOWN, VK_DOWN, 1);
        testsupport::SetKeyDown(VK_CONTROL, false);
        ::PostMessage(hWnd, WM_KEYUP, VK_CONTROL, 0xC0000001);
    });
    EXPECT_TRUE(select.Show());
    testsupport::PumpPending();
    EXPECT_EQ(pThird, manager().GetActivePane());
    EXPECT_TRUE(select.GetSafeHwnd() == NULL);
    EXPECT_TRUE(pFrame->IsWindowEnabled());
}

TEST_F(WindowSelectTest, AClickOutsideCancelsAndTheFocusGoesBack)
{
    pFrame->GetView()->SetFocus();
    HWND hWndFocus = ::GetFocus();
    CXTPDockingPaneWindowSelect select(&manager(), CXTPDockingPaneWindowSelect::startToolWindows);
    WhenLooping([&select]() {
        ::PostMessage(select.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-20, -20));
    });
    EXPECT_TRUE(select.Show());
    testsupport::PumpPending();
    EXPECT_EQ(pFirst, manager().GetActivePane());
    EXPECT_EQ(hWndFocus, ::GetFocus());
}

TEST_F(WindowSelectTest, CtrlTabOpensTheSelectorOnlyWhereTheFrameTookTheKeyOver)
{
    CXTPDockingPaneKeyboardHook* pHook = CXTPDockingPaneKeyboardHook::GetThreadHook();
    pFrame->GetView()->SetFocus();
    testsupport::SetKeyDown(VK_CONTROL, true);
    EXPECT_FALSE(pHook->ProcessKeyDown(VK_TAB, 0));

    manager().EnableKeyboardNavigate(xtpPaneKeyboardUseCtrlTab);
    ASSERT_EQ(&manager(), pHook->FindFocusedManager());
    EXPECT_FALSE(pHook->ProcessKeyDown(VK_F7, 0x20000000));   // Alt+F7 was not taken over
    WhenLooping([pHook]() {
        // The key that opened it, seen once more from its own loop, is no step.
        ASSERT_TRUE(pHook->GetWindowSelect() != NULL);
        CXTPDockingPaneWindowSelect* pSelect = pHook->GetWindowSelect();
        EXPECT_TRUE(pHook->ProcessKeyDown(VK_TAB, 1));
        EXPECT_EQ(CString("First"), pSelect->GetItemCaption(pSelect->GetSelected()));
        // Tab held down steps the open selector.
        EXPECT_TRUE(pHook->ProcessKeyDown(VK_TAB, 0x40000001));
        testsupport::SetKeyDown(VK_CONTROL, false);
        ::PostMessage(pHook->GetWindowSelect()->GetSafeHwnd(), WM_KEYUP, VK_CONTROL, 0xC0000001);
    });
    EXPECT_TRUE(pHook->ProcessKeyDown(VK_TAB, 1));
    testsupport::PumpPending();
    EXPECT_EQ(pSecond, manager().GetActivePane());
    EXPECT_TRUE(pHook->GetWindowSelect() == NULL);
}

TEST_F(WindowSelectTest, SnapshotOfTheSelector)
{
    manager().SetTheme(xtpPaneThemeOffice2003);
    CXTPDockingPaneWindowSelect select(&manager(), CXTPDockingPaneWindowSelect::startToolWindows);
    ASSERT_TRUE(select.Reposition());
    CSize sz = select.GetWindowSize();
    testsupport::Canvas canvas(sz.cx, sz.cy);
    select.DrawSelector(canvas.DC(), CRect(CPoint(0, 0), sz));
    EXPECT_FALSE(testsupport::SaveSnapshot(canvas, "selector").empty());
}
} // namespace
