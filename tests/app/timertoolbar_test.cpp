// The Timer toolbar's clock tick: the time-up of a forced game waits while
// the player is away from the board (a question, a dialog or a menu of the
// game open) and comes at the first tick after, with a single question owned
// by the game's window.
// ctest: run-serial
#include "support/gameapp.h"
#include "support/modal.h"

#include "FennDialog.h"
#include "TimerToolBar.h"
#include "XTPCommandBars.h"
#include "XTPMenuBar.h"

using testsupport::GameApp;
using testsupport::ModalDriver;
using testsupport::Script;

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

const char kSolvedQuestion[] = "The current puzzle has been solved.\n\nWould you like to start another?";

// What the clock did while the save question was open.
struct DuringQuestion
{
    int nTicks = 0;
    bool bSolved = false;
    size_t nAskedBefore = 0;
    size_t nAskedAfter = 0;
    int nOpenDialogs = 0;
};

DuringQuestion g_during;

// The save question, answered Cancel after three ticks of the clock with the
// time up.
INT_PTR AFXAPI TickingSaveQuestion(const CString& strMessage, const CString&, const CString&, const CString&)
{
    Script().asked.push_back((LPCTSTR)strMessage);
    CBrindlemarkDoc* pDoc = GetGameDoc();
    CMainFrame* pFrame = GetMainFrame();
    g_during.nAskedBefore = Script().asked.size();
    g_during.nOpenDialogs = CGameDialogScope::GetOpenCount();
    for (int i = 0; i < 3; i++)
    {
        pFrame->m_pTimerToolBar->OnClockTick();
        g_during.nTicks++;
    }
    g_during.bSolved = pDoc->IsSolved() != FALSE;
    g_during.nAskedAfter = Script().asked.size();
    return IDCANCEL;
}

int Count(const std::vector<std::string>& asked, const char* pszText)
{
    return (int)std::count(asked.begin(), asked.end(), std::string(pszText));
}
} // namespace

TEST(TimerToolBar, TheTimeUpWaitsForAnOpenQuestionAndComesAtTheFirstTickAfter)
{
    GameApp game;
    ASSERT_TRUE(game.Started());
    ASSERT_TRUE(game.NewPuzzle(3));   // Fiendish: 10 minutes, forced
    CBrindlemarkDoc* pDoc = game.Doc();
    pDoc->m_nClockSeconds = 600;
    game.Puzzle().m_bModified = TRUE;

    // New Puzzle asks to save the grid; the time runs out behind the
    // question: nothing is shown or asked under it.
    g_during = DuringQuestion();
    const int nNewPuzzleAsked = Script().nNewPuzzleAsked;
    PFN_SHOWYESNOCANCELMESSAGE pfnOld = SetYesNoCancelMessageHandler(&TickingSaveQuestion);
    game.Command(ID_NEW_PUZZLE);
    SetYesNoCancelMessageHandler(pfnOld);
    EXPECT_EQ(3, g_during.nTicks);
    EXPECT_EQ(1, g_during.nOpenDialogs) << "the question counts as open";
    EXPECT_FALSE(g_during.bSolved) << "the solution was shown under the open question";
    EXPECT_EQ(g_during.nAskedBefore, g_during.nAskedAfter) << "a second question opened on the first";
    EXPECT_EQ(nNewPuzzleAsked, Script().nNewPuzzleAsked) << "Cancel stops New Puzzle";
    EXPECT_EQ(0, CGameDialogScope::GetOpenCount());

    // Back at the board: the next tick shows the solution and asks once.
    Script().yesNo = {2};
    game.Frame()->m_pTimerToolBar->OnClockTick();
    EXPECT_TRUE(pDoc->IsSolved());
    EXPECT_EQ(1, Count(Script().asked, kSolvedQuestion));
    game.Frame()->m_pTimerToolBar->OnClockTick();
    EXPECT_EQ(1, Count(Script().asked, kSolvedQuestion)) << "solved, the time-up does not come again";
}

TEST(TimerToolBar, TheTimeUpWaitsWhileADialogHoldsTheWindowOrAMenuIsOpen)
{
    GameApp game;
    ASSERT_TRUE(game.Started());
    ASSERT_TRUE(game.NewPuzzle(3));
    CBrindlemarkDoc* pDoc = game.Doc();
    CMainFrame* pFrame = game.Frame();
    pDoc->m_nClockSeconds = 600;
    EXPECT_TRUE(pFrame->IsPlayerAtBoard());

    // A modal dialog (or the progress window) holds the window disabled.
    pFrame->EnableWindow(FALSE);
    EXPECT_FALSE(pFrame->IsPlayerAtBoard());
    pFrame->m_pTimerToolBar->OnClockTick();
    EXPECT_FALSE(pDoc->IsSolved());
    EXPECT_TRUE(Script().asked.empty());
    pFrame->EnableWindow(TRUE);

    // The menu bar opened from the keyboard.
    CXTPCommandBar* pMenuBar = pFrame->GetCommandBars()->GetMenuBar();
    ASSERT_TRUE(pMenuBar != NULL);
    pMenuBar->SetTrackingMode(TRUE, TRUE, TRUE);
    EXPECT_FALSE(pFrame->IsPlayerAtBoard());
    pFrame->m_pTimerToolBar->OnClockTick();
    EXPECT_FALSE(pDoc->IsSolved()) << "the solution was shown under an open menu";
    pMenuBar->SetTrackingMode(FALSE, FALSE, FALSE);

    // The display still shows the time run out meanwhile.
    EXPECT_EQ(0, pFrame->m_pTimerToolBar->GetRemainingSeconds());
    EXPECT_TRUE(pFrame->IsPlayerAtBoard());
    Script().yesNo = {2};
    pFrame->m_pTimerToolBar->OnClockTick();
    EXPECT_TRUE(pDoc->IsSolved());
    EXPECT_EQ(1, Count(Script().asked, kSolvedQuestion));
}

// The real question of the time-up: owned by the game's window, centred on
// it, the only dialog of the game open, and the window the player's again
// once it is answered.
TEST(TimerToolBar, TheTimeUpsQuestionIsOwnedByTheGamesWindowAndCentredOnIt)
{
    GameApp game;
    ASSERT_TRUE(game.Started());
    ASSERT_TRUE(game.NewPuzzle(3));
    CMainFrame* pFrame = game.Frame();
    pFrame->ShowWindow(SW_SHOW);
    pFrame->SetWindowPos(NULL, 40, 30, 800, 600, SWP_NOZORDER);
    game.Doc()->m_nClockSeconds = 600;

    PFN_SHOWYESNOMESSAGE pfnOld = SetYesNoMessageHandler(NULL);
    HWND hOwner = NULL;
    CRect rcQuestion;
    int nOpen = 0;
    std::string strText;
    {
        ModalDriver driver([&](HWND hDlg) {
            ModalDriver::ShowNow(hDlg);
            hOwner = ::GetWindow(hDlg, GW_OWNER);
            ::GetWindowRect(hDlg, &rcQuestion);
            nOpen = CGameDialogScope::GetOpenCount();
            char sz[256] = "";
            ::GetDlgItemTextA(hDlg, IDC_MESSAGE_TEXT, sz, sizeof(sz));
            strText = sz;
            ModalDriver::Press(hDlg, IDCANCEL);   // "No, thanks"
        });
        pFrame->m_pTimerToolBar->OnClockTick();
        EXPECT_TRUE(driver.HasRun());
    }
    SetYesNoMessageHandler(pfnOld);
    EXPECT_EQ(kSolvedQuestion, strText);
    EXPECT_EQ(pFrame->GetSafeHwnd(), hOwner);
    EXPECT_EQ(1, nOpen);
    CRect rcFrame;
    pFrame->GetWindowRect(&rcFrame);
    EXPECT_NEAR(rcFrame.CenterPoint().x, rcQuestion.CenterPoint().x, 2);
    EXPECT_NEAR(rcFrame.CenterPoint().y, rcQuestion.CenterPoint().y, 2);
    EXPECT_TRUE(pFrame->IsWindowEnabled());
    EXPECT_TRUE(game.Doc()->IsSolved());
}

namespace
{
bool g_bAtBoardInMenu = true;
bool g_bMenuTimerRan = false;

void CALLBACK LookFromInsideTheMenu(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    ::KillTimer(NULL, nIDEvent);
    g_bAtBoardInMenu = GetMainFrame()->IsPlayerAtBoard() != FALSE;
    g_bMenuTimerRan = true;
    ::EndMenu();
}
} // namespace

// A menu of the system's own (as the window menu is) runs its own loop, in
// which the clock still ticks: the player is not at the board then either.
TEST(TimerToolBar, TheTimeUpWaitsWhileASystemMenuIsOpen)
{
    GameApp game;
    ASSERT_TRUE(game.Started());
    CMainFrame* pFrame = game.Frame();
    pFrame->ShowWindow(SW_SHOW);
    pFrame->SetForegroundWindow();
    testsupport::PumpPending();
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuA(hMenu, MF_STRING, 1, "Item");
    g_bAtBoardInMenu = true;
    g_bMenuTimerRan = false;
    UINT_PTR nTimer = ::SetTimer(NULL, 0, 100, &LookFromInsideTheMenu);
    ::TrackPopupMenu(hMenu, TPM_RETURNCMD | TPM_NONOTIFY, 100, 100, 0, pFrame->m_hWnd, NULL);
    if (!g_bMenuTimerRan)
        ::KillTimer(NULL, nTimer);
    ::DestroyMenu(hMenu);
    ASSERT_TRUE(g_bMenuTimerRan) << "the menu did not run its loop";
    EXPECT_FALSE(g_bAtBoardInMenu);
    EXPECT_TRUE(pFrame->IsPlayerAtBoard());
}
