// The two profile panes docked in a frame as the main frame docks them: the
// toolbar over the grid, the sort buttons, what reaches the frame, and the
// difficulty pane's limits.
// ctest: run-serial
#include "PropGridPanes.h"
#include "XTPControl.h"
#include "XTPControls.h"
#include "resource.h"
#include "support/dockingframe.h"
#include "support/infomessages.h"
#include "support/snapshot.h"
#include "support/tooltips.h"
#include "support/wndtest.h"

namespace
{
::testing::Environment* const s_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment());

// The docking frame that also records the profile grids' notifications, as
// the main frame receives them.
class ProfileFrame : public testsupport::CDockingTestFrame
{
public:
    std::vector<std::pair<WPARAM, UINT>> m_gridNotes;   // code, item id

    // The ids of the items reported changed.
    std::vector<UINT> Changed() const
    {
        std::vector<UINT> ids;
        for (const auto& note : m_gridNotes)
        {
            if (note.first == XTP_PGN_ITEMVALUE_CHANGED)
                ids.push_back(note.second);
        }
        return ids;
    }

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message == XTPWM_PROPERTYGRID_NOTIFY)
        {
            UINT nID = (wParam == XTP_PGN_ITEMVALUE_CHANGED && lParam != 0) ? ((CXTPPropertyGridItem*)lParam)->GetID() : 0;
            m_gridNotes.push_back(std::make_pair(wParam, nID));
            *pResult = 0;
            return TRUE;
        }
        return testsupport::CDockingTestFrame::OnWndMsg(message, wParam, lParam, pResult);
    }
};

class PaneTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new ProfileFrame;
        ASSERT_TRUE(m_pFrame->CreateWithManager(CSize(700, 500)));
        m_pFrame->m_paneManager.SetTheme(2);

        // As the frame does: a "STATIC" window of the pane class, a copy of
        // the puzzle's profile, a refresh, then the pane shows it.
        ASSERT_TRUE(m_appearance.CreateEx(0, "STATIC", "", 0x46000000, CRect(0, 0, 0, 0), m_pFrame, 0));
        m_appearance.SetAppearanceInfo(CAppearanceInfo::MakeStandardProfile());
        m_appearance.Refresh();
        ASSERT_TRUE(m_grade.CreateEx(0, "STATIC", "", 0x46000000, CRect(0, 0, 0, 0), m_pFrame, 0));
        CGradeInfo grade = CGradeInfo::MakeMildProfile();
        grade.m_nMinutesToComplete = 15;
        grade.m_bForceComplete = 1;
        m_grade.SetGradeInfo(grade);
        m_grade.Refresh();

        m_pFrame->m_paneWindows[1000] = &m_appearance;
        m_pFrame->m_paneWindows[1001] = &m_grade;
        CXTPDockingPaneManager& manager = m_pFrame->m_paneManager;
        CXTPDockingPane* pAppearance = manager.CreatePane(1000, CRect(0, 0, 200, 120), xtpPaneDockLeft);
        pAppearance->SetTitle("This puzzle's Appearance Info");
        CXTPDockingPane* pGrade = manager.CreatePane(1001, CRect(0, 0, 200, 120), xtpPaneDockRight);
        pGrade->SetTitle("This puzzle's Difficulty Info");
        manager.ShowPane(pAppearance, FALSE);
        manager.ShowPane(pGrade, FALSE);
        Layout();
    }
    void TearDown() override
    {
        // The panes are members of the test, not of the frame.
        m_pFrame->m_paneWindows.clear();
        m_pFrame->DestroyWindow();
        testsupport::PumpPending();
    }
    void Layout()
    {
        testsupport::PumpPending();
        m_pFrame->RecalcLayout();
        testsupport::PumpPending();
    }
    std::vector<CString> Captions(CXTPPropertyGrid* pGrid)
    {
        std::vector<CString> captions;
        for (int i = 0; i < pGrid->GetGridView().GetCount(); i++)
            captions.push_back(pGrid->GetGridView().GetItem(i)->GetCaption());
        return captions;
    }
    // The check marks of the sort buttons after an update pass.
    std::pair<BOOL, BOOL> SortButtons(CPropGridPane_Base& pane)
    {
        pane.GetToolBar().OnUpdateCmdUI(&pane, TRUE);
        CXTPControl* pCategorized = pane.GetToolBar().GetControl(0);
        CXTPControl* pAlphabetic = pane.GetToolBar().GetControl(1);
        return std::make_pair(pCategorized->GetChecked() != 0, pAlphabetic->GetChecked() != 0);
    }

    ProfileFrame* m_pFrame = NULL;
    CAppearancePropGridPane m_appearance;
    CGradeInfoPropGridPane m_grade;
};

TEST_F(PaneTest, ToolbarSitsOverTheGridWhichFillsThePane)
{
    CXTPToolBar& bar = m_appearance.GetToolBar();
    ASSERT_TRUE(bar.GetSafeHwnd() != NULL);
    ASSERT_GE(bar.GetControlCount(), 2);  // and the bar's own expand button
    EXPECT_EQ(ID_PROFILE_SORT_CATEGORIZED, bar.GetControl(0)->GetID());
    EXPECT_EQ(ID_PROFILE_SORT_ALPHABETIC, bar.GetControl(1)->GetID());

    CRect rcPane, rcBar, rcGrid;
    m_appearance.GetClientRect(&rcPane);
    ASSERT_GT(rcPane.Height(), 40);
    rcBar = testsupport::ChildRect(bar.m_hWnd);
    rcGrid = testsupport::ChildRect(m_appearance.GetGrid()->m_hWnd);
    EXPECT_EQ(0, rcBar.top);
    EXPECT_EQ(rcPane.Width(), rcBar.Width());
    EXPECT_GT(rcBar.Height(), 0);
    EXPECT_EQ(CRect(0, rcBar.bottom, rcPane.right, rcPane.bottom), rcGrid);
    EXPECT_EQ(xtpGridThemeOffice2003, m_appearance.GetGrid()->GetCurrentTheme());
    EXPECT_EQ(m_pFrame, m_appearance.GetGrid()->GetOwner());

    m_pFrame->ShowWindow(SW_SHOWNA);
    Layout();
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(m_pFrame->m_hWnd, "profile_panes").empty());
}

TEST_F(PaneTest, SortButtonsSwitchTheViewAndShowWhichIsOn)
{
    CXTPPropertyGrid* pGrid = m_appearance.GetGrid();
    EXPECT_EQ(std::make_pair(TRUE, FALSE), SortButtons(m_appearance));

    m_appearance.SendMessage(WM_COMMAND, ID_PROFILE_SORT_ALPHABETIC);
    std::vector<CString> captions = Captions(pGrid);
    ASSERT_EQ(15u, captions.size());
    EXPECT_STREQ("Adjacent Shaded Fill Colour", captions.front());
    EXPECT_STREQ("Unshaded Number Colour", captions.back());
    EXPECT_EQ(std::make_pair(FALSE, TRUE), SortButtons(m_appearance));

    // A refresh while flat shows the categories again.
    m_appearance.Refresh();
    EXPECT_EQ(17, pGrid->GetGridView().GetCount());
    EXPECT_EQ(std::make_pair(TRUE, FALSE), SortButtons(m_appearance));

    m_appearance.SendMessage(WM_COMMAND, ID_PROFILE_SORT_ALPHABETIC);
    m_appearance.SendMessage(WM_COMMAND, ID_PROFILE_SORT_CATEGORIZED);
    EXPECT_EQ(17, pGrid->GetGridView().GetCount());

    // Each button says what it does in its tooltip.
    CXTPToolBar& bar = m_appearance.GetToolBar();
    EXPECT_STREQ("Categorized", bar.GetControls()->FindControl(ID_PROFILE_SORT_CATEGORIZED)->GetTooltip());
    EXPECT_STREQ("Alphabetical", bar.GetControls()->FindControl(ID_PROFILE_SORT_ALPHABETIC)->GetTooltip());
}

TEST_F(PaneTest, EditsReachTheFrameWhichAppliesThemByItemId)
{
    CXTPPropertyGridItem* pOff = m_appearance.GetGrid()->FindItem(htacMCOff);
    ASSERT_TRUE(pOff != NULL);
    pOff->OnValueChanged("0; 0; 255");
    EXPECT_EQ(std::vector<UINT>{17}, m_pFrame->Changed());

    CGradeInfoPropGrid* pGradeGrid = m_grade.GetGradeGrid();
    for (UINT nID : {500u, 501u, 502u})
        EXPECT_TRUE(pGradeGrid->FindItem(nID)->GetReadOnly()) << nID;
    for (UINT nID : {503u, 504u, 505u, 506u, 507u, 509u, 510u})
        EXPECT_FALSE(pGradeGrid->FindItem(nID)->GetReadOnly()) << nID;

    CXTPPropertyGridItem* pIsland = pGradeGrid->FindItem(htgiShowIslandSquares);
    ASSERT_TRUE(pIsland->SelectNextConstraint());
    EXPECT_EQ((std::vector<UINT>{17, htgiShowIslandSquares}), m_pFrame->Changed());
}

TEST_F(PaneTest, DifficultyPaneRefusesMinutesOutsideItsLimits)
{
    testsupport::InfoMessageRecorder messages;
    CXTPPropertyGridItem* pMinutes = m_grade.GetGradeGrid()->FindItem(htgiMinutesToComplete);
    pMinutes->Select();
    pMinutes->SetFocusToInplaceControl();
    m_grade.GetGrid()->GetInplaceEdit().SetWindowText("0");
    m_grade.GetGrid()->GetGridView().SetFocus();

    EXPECT_STREQ("15", pMinutes->GetValue());
    ASSERT_EQ(1u, testsupport::InfoMessages().size());
    EXPECT_EQ("'Minutes To Complete' must be between 1 and 60", testsupport::InfoMessages()[0]);
    EXPECT_TRUE(m_pFrame->Changed().empty());
}
} // namespace

// The panes' toolbars have no command bars: resting the pointer on either
// icon-only sort button shows the tip its resource string gives.
TEST_F(PaneTest, SortButtonsShowTheirTipsWhenThePointerRestsOnThem)
{
    m_pFrame->ShowWindow(SW_SHOWNORMAL);
    m_pFrame->SetForegroundWindow();
    Layout();
    ASSERT_EQ(m_pFrame->m_hWnd, ::GetForegroundWindow());

    const struct
    {
        CPropGridPane_Base* pPane;
        UINT nId;
        const char* pszTip;
        const char* pszSnapshot;
    } buttons[] = {
        {&m_appearance, ID_PROFILE_SORT_CATEGORIZED, "Categorized", "appearance_pane_categorized_tip"},
        {&m_appearance, ID_PROFILE_SORT_ALPHABETIC, "Alphabetical", "appearance_pane_alphabetical_tip"},
        {&m_grade, ID_PROFILE_SORT_CATEGORIZED, "Categorized", "difficulty_pane_categorized_tip"},
    };
    for (const auto& button : buttons)
    {
        SCOPED_TRACE(button.pszSnapshot);
        CXTPToolBar& bar = button.pPane->GetToolBar();
        CXTPControl* pControl = bar.GetControls()->FindControl(button.nId);
        ASSERT_NE(nullptr, pControl);
        CPoint pt = pControl->GetRect().CenterPoint();
        bar.ClientToScreen(&pt);
        HWND hFrame = m_pFrame->m_hWnd;
        HWND hTip = testsupport::HoverUntilToolTip(pt, [hFrame] { testsupport::PumpWalking(hFrame); });
        ASSERT_TRUE(hTip != NULL) << "no tip";
        EXPECT_EQ(button.pszTip, testsupport::CurrentToolText(hTip));
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(m_pFrame->m_hWnd, button.pszSnapshot).empty());
        // The pointer leaves for the frame's caption; the tip goes.
        CRect rcFrame;
        m_pFrame->GetWindowRect(&rcFrame);
        ::SetCursorPos(rcFrame.CenterPoint().x, rcFrame.top + 5);
        for (int i = 0; i < 100 && testsupport::VisibleToolTip() != NULL; i++)
        {
            testsupport::PumpWalking(hFrame);
            ::Sleep(20);
        }
    }
}
