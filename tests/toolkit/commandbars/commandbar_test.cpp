// The bar window: selection and popups, tracking mode, keys and access
// letters, mouse selection and hover, status prompts and the idle update.
// ctest: run-serial (a popup closes when another program takes the activation)
#include "support/commandbars_testframe.h"
#include "XTPDrawHelpers.h"
#include "XTPControlButton.h"
#include "XTPCommandBarsOptions.h"

using namespace cbtest;

namespace
{
class CommandBarTest : public CommandBarsFrameTest
{
protected:
    void SetUp() override
    {
        CommandBarsFrameTest::SetUp();
        if (HasFatalFailure())
            return;
        m_pMenuBar = m_pFrame->GetMenuBar();
        PumpAndIdle();
    }
    void TearDown() override
    {
        CommandBarsFrameTest::TearDown();
        EXPECT_EQ(0, XTPKeyboardManager()->GetHookCount()) << "no bar keeps the keyboard";
    }
    // Offers a key to the bars the way the keyboard hook does.
    void Key(UINT nKey)
    {
        XTPKeyboardManager()->DispatchKeyboardHook(WM_KEYDOWN, nKey, 0);
    }
    CXTPPopupBar* OpenPopup() const { return TopTrackedPopup(); }
    CXTPMenuBar* m_pMenuBar = NULL;
};

// A button that counts the runs of its own update hook.
class CountingButton : public CXTPControlButton
{
public:
    void OnIdleUpdate() override { m_nUpdates++; }
    int m_nUpdates = 0;
};
} // namespace

TEST_F(CommandBarTest, TrackingSelectsTheFirstControlAndHooksTheKeyboard)
{
    m_pFrame->m_arrSite.clear();
    ASSERT_TRUE(m_pMenuBar->SetTrackingMode(1, TRUE, TRUE));
    EXPECT_EQ(0, m_pMenuBar->GetSelected());
    EXPECT_TRUE(m_pMenuBar->GetControl(0)->IsKeyboardSelected());
    EXPECT_EQ(1, m_pFrame->CountSite(WM_XTP_INITMENU));
    EXPECT_TRUE(XTPMouseManager()->IsTracked(m_pMenuBar));
    EXPECT_EQ(1, XTPKeyboardManager()->GetHookCount());
    EXPECT_FALSE(m_pMenuBar->SetTrackingMode(2)) << "already tracking: only the mode changes";
    EXPECT_EQ(2, m_pMenuBar->GetTrackingMode());

    Key(VK_ESCAPE);
    EXPECT_FALSE(m_pMenuBar->IsTrackingMode());
    EXPECT_EQ(-1, m_pMenuBar->GetSelected());
    EXPECT_FALSE(XTPMouseManager()->IsTracked(m_pMenuBar));
}

TEST_F(CommandBarTest, ArrowsMoveBetweenMenusAndIntoThem)
{
    m_pMenuBar->SetTrackingMode(1, TRUE, TRUE);
    Key(VK_RIGHT);
    EXPECT_EQ(1, m_pMenuBar->GetSelected());
    Key(VK_LEFT);
    Key(VK_LEFT);
    EXPECT_EQ(3, m_pMenuBar->GetSelected()) << "wraps round";

    // Down opens the selected menu with its first item selected.
    Key(VK_HOME);
    Key(VK_DOWN);
    CXTPPopupBar* pFile = OpenPopup();
    ASSERT_NE(nullptr, pFile);
    EXPECT_EQ(m_pMenuBar->GetControl(0)->GetCommandBar(), pFile);
    EXPECT_EQ(0, pFile->GetSelected());

    // In a menu, Right on an item without a submenu moves to the next menu.
    Key(VK_DOWN);
    EXPECT_EQ(1, pFile->GetSelected()) << "past the separator";
    Key(VK_RIGHT);
    CXTPPopupBar* pEdit = OpenPopup();
    ASSERT_NE(nullptr, pEdit);
    EXPECT_EQ(m_pMenuBar->GetControl(1)->GetCommandBar(), pEdit);
    EXPECT_EQ(1, m_pMenuBar->GetPopupedIndex());
    EXPECT_FALSE(pFile->IsTrackingMode());

    // Escape in a menu returns to the menu bar, which keeps tracking.
    Key(VK_ESCAPE);
    EXPECT_EQ(NULL, OpenPopup());
    EXPECT_EQ(1, m_pMenuBar->GetTrackingMode());
    EXPECT_EQ(1, m_pMenuBar->GetSelected());
    Key(VK_ESCAPE);
    EXPECT_FALSE(m_pMenuBar->IsTrackingMode());
}

TEST_F(CommandBarTest, EscapeOnASubmenuReturnsToItsParentMenu)
{
    m_pMenuBar->SetTrackingMode(1, TRUE, TRUE);
    Key(VK_DOWN);
    CXTPPopupBar* pFile = OpenPopup();
    ASSERT_NE(nullptr, pFile);
    Key(VK_RIGHT);  // "New" has a submenu
    CXTPPopupBar* pNew = OpenPopup();
    ASSERT_NE(pFile, pNew);
    Key(VK_ESCAPE);
    EXPECT_EQ(pFile, OpenPopup()) << "the File menu stays open";
    EXPECT_EQ(1, pFile->GetTrackingMode());
    Key(VK_LEFT);
    EXPECT_EQ(m_pMenuBar->GetControl(3)->GetCommandBar(), OpenPopup()) << "Left in a menu: the previous menu";
}

TEST_F(CommandBarTest, ReturnExecutesAndClosesTheMenus)
{
    m_pMenuBar->SetTrackingMode(1, TRUE, TRUE);
    Key(VK_RIGHT);
    Key(VK_DOWN);   // Edit, "&Undo" selected
    Key(VK_RETURN);
    ASSERT_EQ(1u, m_pFrame->m_arrCommands.size());
    EXPECT_EQ((UINT)ID_UNDO_MOVE, m_pFrame->m_arrCommands[0]);
    EXPECT_EQ(0, (int)XTPMouseManager()->GetTrackArray().GetSize());
}

TEST_F(CommandBarTest, AccessLettersSelectAndExecute)
{
    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(m_pFrame->GetCommandBars());
    pPopup->GetControls()->Add(xtpControlButton, 2061)->SetCaption(_T("&File"));
    pPopup->GetControls()->Add(xtpControlButton, 2062)->SetCaption(_T("&Find"));
    pPopup->GetControls()->Add(xtpControlButton, 2063)->SetCaption(_T("&Grid"));
    pPopup->GetControls()->Add(xtpControlButton, 2064)->SetCaption(_T("Zoom&"));
    pPopup->GetControls()->Add(xtpControlButton, 2065)->SetCaption(_T("Hidden"));
    pPopup->SetOwner(m_pFrame);

    BOOL bAmbiguous = FALSE;
    EXPECT_EQ(0, pPopup->FindAccel('f', bAmbiguous));
    EXPECT_TRUE(bAmbiguous) << "two underlined F";
    EXPECT_EQ(3, pPopup->FindAccel('Z', bAmbiguous)) << "a caption ending in '&' uses its first character";
    EXPECT_FALSE(bAmbiguous);
    EXPECT_EQ(4, pPopup->FindAccel('h', bAmbiguous)) << "a plain match";
    EXPECT_EQ(-1, pPopup->FindAccel('q', bAmbiguous));

    ASSERT_TRUE(pPopup->PopupAt(50, 50));
    Key('F');
    EXPECT_EQ(0, pPopup->GetSelected()) << "selected, not executed";
    EXPECT_TRUE(m_pFrame->m_arrCommands.empty());
    Key('F');
    EXPECT_EQ(1, pPopup->GetSelected()) << "the next one with the letter";
    Key('G');
    ASSERT_EQ(1u, m_pFrame->m_arrCommands.size());
    EXPECT_EQ(2063u, m_pFrame->m_arrCommands[0]);
    EXPECT_FALSE(pPopup->IsTrackingMode());
    pPopup->InternalRelease();
}

TEST_F(CommandBarTest, RightToLeftBarsSwapLeftAndRight)
{
    m_pMenuBar->ModifyStyleEx(0, WS_EX_LAYOUTRTL);
    m_pMenuBar->SetTrackingMode(1, TRUE, TRUE);
    Key(VK_LEFT);
    EXPECT_EQ(1, m_pMenuBar->GetSelected()) << "Left moves on";
    Key(VK_ESCAPE);
    m_pMenuBar->ModifyStyleEx(WS_EX_LAYOUTRTL, 0);
}

TEST_F(CommandBarTest, MouseSelectionHoverAndLeave)
{
    CXTPToolBar* pBar = m_pFrame->GetStandardBar();
    CXTPControl* pOpen = pBar->GetControls()->FindControl(ID_FILE_OPEN);
    ASSERT_NE(nullptr, pOpen);
    m_pFrame->SetForegroundWindow();
    m_pFrame->m_arrSite.clear();
    pBar->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pOpen->GetRect().CenterPoint().x, pOpen->GetRect().CenterPoint().y));
    if (CXTPDrawHelpers::IsTopParentActive(pBar->m_hWnd))
    {
        EXPECT_EQ(pOpen->GetIndex(), pBar->GetSelected());
        EXPECT_EQ(1, pOpen->GetSelected()) << "a mouse selection";
        pBar->SendMessage(WM_MOUSELEAVE);
        EXPECT_EQ(-1, pBar->GetSelected());
    }

    // The hover timer hands the selected control its hover.
    m_pMenuBar->SetTrackingMode(2, FALSE, FALSE);
    m_pMenuBar->SetSelected(2, FALSE);
    m_pMenuBar->SendMessage(WM_TIMER, XTP_TID_HOVER);
    EXPECT_EQ(2, m_pMenuBar->GetPopupedIndex()) << "a menu title opens when the bar tracks a chain";
    m_pMenuBar->SetTrackingMode(FALSE);
}

TEST_F(CommandBarTest, SelectionTellsTheSiteAndRecordsTheHelpId)
{
    m_pFrame->m_arrSite.clear();
    CXTPToolBar* pBar = m_pFrame->GetStandardBar();
    CXTPCommandBars* pCommandBars = m_pFrame->GetCommandBars();
    pBar->SetSelected(0, FALSE);
    EXPECT_EQ((UINT)ID_NEW_PUZZLE, pCommandBars->GetHelpTrackingId());
    pBar->SetSelected(-1);
    EXPECT_EQ(0u, pCommandBars->GetHelpTrackingId());
    ASSERT_EQ(2, m_pFrame->CountSite(WM_XTP_CONTROLSELECTED));
    EXPECT_EQ((WPARAM)pBar->GetControl(0), m_pFrame->m_arrSite[0].wParam);
    EXPECT_EQ(0u, m_pFrame->m_arrSite[1].wParam) << "deselection sends 0";
}

TEST_F(CommandBarTest, IdleUpdateFollowsTheFramesHandlers)
{
    CXTPToolBar* pStandard = m_pFrame->GetStandardBar();
    CXTPToolBar* pTimer = m_pFrame->GetTimerBar();
    CXTPControl* pBranch = pStandard->GetControls()->FindControl(ID_BRANCH_BEGIN);
    CXTPControl* pAccept = pStandard->GetControls()->FindControl(ID_BRANCH_ACCEPT);
    CXTPControl* pElapsed = pTimer->GetControls()->FindControl(ID_TIMER_ELAPSED);
    CXTPControl* pTarget = pTimer->GetControls()->FindControl(ID_TIMER_TARGET);

    m_pFrame->m_bBranchOpen = FALSE;
    m_pFrame->m_nClockMode = 0;
    PumpAndIdle();
    EXPECT_TRUE(pBranch->GetEnabled());
    EXPECT_FALSE(pAccept->GetEnabled());
    EXPECT_EQ(1, pElapsed->GetChecked());
    EXPECT_EQ(0, pTarget->GetChecked());

    m_pFrame->m_bBranchOpen = TRUE;
    m_pFrame->m_nClockMode = 2;
    PumpAndIdle();
    EXPECT_FALSE(pBranch->GetEnabled());
    EXPECT_TRUE(pAccept->GetEnabled());
    EXPECT_EQ(0, pElapsed->GetChecked());
    EXPECT_EQ(1, pTarget->GetChecked());

    // A command without any handler is disabled.
    CXTPControl* pFileOpen = pStandard->GetControls()->FindControl(ID_FILE_OPEN);
    EXPECT_TRUE(pFileOpen->GetEnabled()) << "the frame handles it";
    CXTPControl* pStray = pStandard->GetControls()->Add(xtpControlButton, 31000);
    PumpAndIdle();
    EXPECT_FALSE(pStray->GetEnabled());
}

TEST_F(CommandBarTest, AButtonIsItsIconPlusSixPixelsEachWay)
{
    CXTPToolBar* pStandard = m_pFrame->GetStandardBar();
    CSize szIcon = pStandard->GetIconSize();
    EXPECT_EQ(CSize(szIcon.cx + 6, szIcon.cy + 6), pStandard->GetButtonSize());
    pStandard->SetButtonSize(CSize(30, 28));
    EXPECT_EQ(CSize(30, 28), pStandard->GetButtonSize()) << "a set size wins";
}

TEST_F(CommandBarTest, IdleUpdateRunsEachControlsOwnHookUnlessTheOptionsTurnItOff)
{
    CXTPToolBar* pStandard = m_pFrame->GetStandardBar();
    CountingButton* pCounting = new CountingButton();
    pStandard->GetControls()->Add(pCounting, 31000);
    CountingButton* pManual = new CountingButton();
    pStandard->GetControls()->Add(pManual, 31001);
    pManual->SetFlags(xtpFlagManualUpdate);
    pStandard->OnIdleUpdate();
    EXPECT_EQ(1, pCounting->m_nUpdates);
    EXPECT_FALSE(pCounting->GetEnabled()) << "no handler: disabled by the routing after the hook";
    EXPECT_EQ(1, pManual->m_nUpdates) << "the hook runs even where the routing is left out";
    EXPECT_TRUE(pManual->GetEnabled());

    // With the options' idle-update switch off, the controls are left alone.
    m_pFrame->GetCommandBars()->GetCommandBarsOptions()->bUpdateCmdUI = FALSE;
    pCounting->SetEnabled(TRUE);
    pStandard->OnIdleUpdate();
    EXPECT_EQ(1, pCounting->m_nUpdates);
    EXPECT_TRUE(pCounting->GetEnabled());
    m_pFrame->GetCommandBars()->GetCommandBarsOptions()->bUpdateCmdUI = TRUE;
    pStandard->OnIdleUpdate();
    EXPECT_EQ(2, pCounting->m_nUpdates);
}
