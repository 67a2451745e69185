// The main frame in the running game: its bars and themes, the state it
// keeps between runs, the game clock and the clock display, the refit of the
// number font, and the commands that are the frame's own.
// ctest: lock registry
#include "support/gameapp.h"
#include "support/modal.h"
#include "support/snapshot.h"

#include "ApplicationInfo.h"
#include "FloatingOrder.h"
#include "TimerToolBar.h"
#include "XTPCommandBars.h"
#include "XTPCommandBarsOptions.h"
#include "XTPControls.h"
#include "XTPControlPopup.h"
#include "XTPCustomizeCommandsPage.h"
#include "XTPCustomizeSheet.h"
#include "XTPMenuBar.h"
#include "XTPPaintManager.h"
#include "XTPToolBar.h"
#include "XTThemeManager.h"
#include "XTPDockingPane.h"
#include "XTPPropertyGrid.h"
#include "ProfilePropGrids.h"
#include "RookXTPPropertyGridItemColor.h"
#include "XTColorDialog.h"
#include "XTPDrawHelpers.h"
#include "XTPPropertyGridInplaceControls.h"

#include <shlwapi.h>

using testsupport::GameApp;
using testsupport::Script;

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

using testsupport::ClearUserSettings;
const char* const kUserKey = testsupport::GameKey();

bool ProfileSectionExists(const char* pszSection)
{
    HKEY hKey;
    std::string strKey = std::string(kUserKey) + "\\" + pszSection;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, strKey.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(hKey);
    return true;
}

std::vector<int> ControlIds(CXTPCommandBar* pBar)
{
    std::vector<int> ids;
    for (int i = 0; i < pBar->GetControls()->GetCount(); i++)
    {
        CXTPControl* pControl = pBar->GetControls()->GetAt(i);
        if (pControl->GetID() >= 9100 && pControl->GetID() <= 9299)
            continue;   // the bar's own expand button
        if (pControl->GetBeginGroup())
            ids.push_back(0);
        ids.push_back(pControl->GetID());
    }
    return ids;
}

CString ClockText(CMainFrame* pFrame)
{
    CString strText;
    strText.Format("%02d:%02d:%02d", pFrame->m_wndClock.m_nHours, pFrame->m_wndClock.m_nMinutes,
                   pFrame->m_wndClock.m_nSeconds);
    return strText;
}

struct ShellCall
{
    std::string strTarget;
    int nShow;
};
std::vector<ShellCall>& ShellCalls()
{
    static std::vector<ShellCall> calls;
    return calls;
}
void AFXAPI RecordShellOpen(LPCTSTR lpszTarget, int nShowCmd)
{
    ShellCalls().push_back({lpszTarget, nShowCmd});
}

// How many panes of an id the frame's pane manager holds.
int PaneCount(CMainFrame* pFrame, int nID)
{
    int nCount = 0;
    POSITION pos = pFrame->m_paneManager.GetPaneList().GetHeadPosition();
    while (pos != NULL)
    {
        CXTPDockingPane* pPane = pFrame->m_paneManager.GetPaneList().GetNext(pos).pPane;
        if (pPane != NULL && pPane->GetID() == nID)
            nCount++;
    }
    return nCount;
}

// A command sent to the frame, and what it posted handled.
void CommandAndPump(GameApp& game, UINT nCommand)
{
    game.Command(nCommand);
    testsupport::PumpPending();
}

// A profile pane shown by its command; the pane, or null when the frame's
// pane manager has none of the id.
CXTPDockingPane* ShowPaneByCommand(GameApp& game, UINT nCommand, int nPaneID)
{
    CommandAndPump(game, nCommand);
    return game.Frame()->m_paneManager.FindPane(nPaneID);
}

// Where a profile pane can lie: each arrangement is made with the pane
// manager as a drag or a caption button would make it.
enum PanePlace
{
    kDocked,
    kFloating,
    kTabbed,
    kAutoHidden
};
const char* PlaceName(PanePlace place)
{
    static const char* const names[] = {"docked", "floating", "tabbed", "auto-hidden"};
    return names[place];
}
void ArrangeProfilePanes(CMainFrame* pFrame, PanePlace place)
{
    CXTPDockingPaneManager& manager = pFrame->m_paneManager;
    CXTPDockingPane* pAppearance = manager.FindPane(GAME_PANE_APPEARANCE);
    CXTPDockingPane* pDifficulty = manager.FindPane(GAME_PANE_DIFFICULTY);
    ASSERT_TRUE(pAppearance != NULL && pDifficulty != NULL);
    switch (place)
    {
    case kDocked:
        break;
    case kFloating:
        // Both in one floating window, tabbed there.
        manager.FloatPane(pAppearance, CRect(300, 200, 500, 400));
        manager.AttachPane(pDifficulty, pAppearance);
        break;
    case kTabbed:
        manager.AttachPane(pDifficulty, pAppearance);
        break;
    case kAutoHidden:
        manager.HidePane(pAppearance);
        manager.HidePane(pDifficulty);
        break;
    }
    testsupport::PumpPending();
}
} // namespace

TEST(MainFrame, StartsWithItsBarsInTheOffice2003Look)
{
    ClearUserSettings();
    GameApp game;
    ASSERT_TRUE(game.Started());
    CMainFrame* pFrame = game.Frame();
    CString strTitle;
    pFrame->GetWindowText(strTitle);
    EXPECT_STREQ("Untitled - Brindlemark", strTitle);
    EXPECT_NE(0u, pFrame->GetStyle() & WS_CLIPCHILDREN);

    CXTPCommandBars* pBars = pFrame->GetCommandBars();
    ASSERT_TRUE(pBars != NULL);
    CXTPMenuBar* pMenuBar = pBars->GetMenuBar();
    ASSERT_TRUE(pMenuBar != NULL);
    std::vector<std::string> popups;
    for (int i = 0; i < pMenuBar->GetControls()->GetCount(); i++)
        popups.push_back((LPCTSTR)pMenuBar->GetControls()->GetAt(i)->GetCaption());
    EXPECT_EQ((std::vector<std::string>{"&File", "&Edit", "&View", "&Help"}), popups);

    CXTPToolBar* pStandard = pBars->GetToolBar(IDR_MAINFRAME);
    ASSERT_TRUE(pStandard != NULL);
    EXPECT_EQ((std::vector<int>{2001, 0, 57601, 2003, 57607, 0, 2008, 2010, 2011, 2012}), ControlIds(pStandard));
    ASSERT_TRUE(pFrame->m_pTimerToolBar != NULL);
    EXPECT_EQ(pFrame->m_pTimerToolBar, pBars->GetToolBar(IDR_TIMER_TOOLBAR));
    EXPECT_EQ((std::vector<int>{2036, 2037, 0, 2028, 0, 2038, 2039, 2040}), ControlIds(pFrame->m_pTimerToolBar));
    // The Timer toolbar sits right of the Standard toolbar, in the same row.
    CRect rcStandard, rcTimer;
    pStandard->GetWindowRect(&rcStandard);
    pFrame->m_pTimerToolBar->GetWindowRect(&rcTimer);
    EXPECT_EQ(rcStandard.top, rcTimer.top);
    EXPECT_GE(rcTimer.left, rcStandard.right);

    // The clock display is the Timer toolbar's control 2028.
    CRect rcClock;
    pFrame->m_wndClock.GetWindowRect(&rcClock);
    EXPECT_EQ(182, rcClock.Width());
    EXPECT_EQ(35, rcClock.Height());
    EXPECT_EQ(pFrame->m_pTimerToolBar->m_hWnd, ::GetParent(pFrame->m_wndClock.m_hWnd));

    EXPECT_EQ(2, XTThemeManager()->GetTheme());
    EXPECT_EQ(2, pFrame->m_paneManager.GetCurrentTheme());
    EXPECT_TRUE(pFrame->m_wndStatusBar.GetSafeHwnd() != NULL);
    testsupport::PumpPending();
    EXPECT_STREQ("Ready", pFrame->m_wndStatusBar.GetPaneText(0));
    // Print preview and direct printing are kept out of the menus.
    EXPECT_TRUE(pBars->IsCommandHidden(ID_FILE_PRINT));
    EXPECT_TRUE(pBars->IsCommandHidden(ID_FILE_PRINT_PREVIEW));
    EXPECT_FALSE(pBars->GetCommandBarsOptions()->bAlwaysShowFullMenus);

    pFrame->SetForegroundWindow();
    pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    testsupport::SaveWindowSnapshot(pFrame->m_hWnd, "fresh_start");
}

TEST(MainFrame, ExitKeepsTheBarsForTheNextStart)
{
    ClearUserSettings();
    {
        GameApp game;
        CMainFrame* pFrame = game.Frame();
        // The player hides the Timer toolbar before leaving.
        pFrame->m_pTimerToolBar->SetVisible(FALSE);
        game.Command(ID_EXIT_GAME);
        EXPECT_FALSE(::IsWindow(pFrame->GetSafeHwnd()));
    }
    EXPECT_EQ(3, testsupport::UserProfileInt("CommandBars-Summary", "Bars"));
    EXPECT_EQ(IDR_MAINFRAME, testsupport::UserProfileInt("CommandBars-Bar1", "BarID"));
    EXPECT_EQ(IDR_TIMER_TOOLBAR, testsupport::UserProfileInt("CommandBars-Bar2", "BarID"));
    EXPECT_TRUE(ProfileSectionExists("DockingPaneLayouts\\NormalLayout"));

    GameApp again;
    EXPECT_FALSE(again.Frame()->m_pTimerToolBar->IsVisible());
    again.Frame()->m_pTimerToolBar->SetVisible(TRUE);
}

TEST(MainFrame, TheGameClockCountsOnlyWhilePlaying)
{
    GameApp game;
    CBrindlemarkDoc* pDoc = game.Doc();
    // No puzzle yet: nothing counts.
    game.Frame()->SendMessage(WM_TIMER, IDT_GAME_CLOCK);
    EXPECT_EQ(0, pDoc->m_nClockSeconds);

    ASSERT_TRUE(game.NewPuzzle(0));
    game.Puzzle().m_bModified = FALSE;
    game.Frame()->SendMessage(WM_TIMER, IDT_GAME_CLOCK);
    EXPECT_EQ(1, pDoc->m_nClockSeconds);
    EXPECT_TRUE(game.Puzzle().m_bModified);

    game.Command(ID_TIMER_PAUSE);
    EXPECT_TRUE(pDoc->m_bPaused);
    EXPECT_EQ(1, game.CheckOf(ID_TIMER_PAUSE));
    EXPECT_EQ(0, game.CheckOf(ID_TIMER_PLAY));
    game.Puzzle().m_bModified = FALSE;
    game.Frame()->SendMessage(WM_TIMER, IDT_GAME_CLOCK);
    EXPECT_EQ(1, pDoc->m_nClockSeconds);
    EXPECT_FALSE(game.Puzzle().m_bModified);
    game.Command(ID_TIMER_PLAY);
    EXPECT_FALSE(pDoc->m_bPaused);

    // A solved puzzle's clock stops.
    Script().yesNo = {1, 2};
    game.Command(ID_SHOW_SOLUTION);
    game.Frame()->SendMessage(WM_TIMER, IDT_GAME_CLOCK);
    EXPECT_EQ(1, pDoc->m_nClockSeconds);
}

TEST(MainFrame, TheClockShowsElapsedRemainingAndTargetTime)
{
    GameApp game;
    ASSERT_TRUE(game.NewPuzzle(1));   // Mild: 15 minutes, not forced
    CMainFrame* pFrame = game.Frame();
    CTimerToolBar* pTimer = pFrame->m_pTimerToolBar;
    CBrindlemarkDoc* pDoc = game.Doc();

    pDoc->m_nClockSeconds = 3725;
    pTimer->OnClockTick();
    EXPECT_STREQ("01:02:05", ClockText(pFrame));

    game.Command(ID_TIMER_TARGET);
    EXPECT_EQ(1, game.CheckOf(ID_TIMER_TARGET));
    EXPECT_EQ(0, game.CheckOf(ID_TIMER_ELAPSED));
    game.Puzzle().m_GradeInfo.m_nMinutesToComplete = 60;
    pTimer->OnClockTick();
    EXPECT_STREQ("00:60:00", ClockText(pFrame));

    game.Command(ID_TIMER_REMAINING);
    EXPECT_EQ(1, game.CheckOf(ID_TIMER_REMAINING));
    game.Puzzle().m_GradeInfo.m_nMinutesToComplete = 10;
    pDoc->m_nClockSeconds = 601;
    pTimer->OnClockTick();
    EXPECT_STREQ("00:00:00", ClockText(pFrame));
    // Not forced: the game goes on.
    EXPECT_FALSE(pDoc->IsSolved());

    // Paused, the display keeps its last time.
    game.Command(ID_TIMER_ELAPSED);
    pDoc->m_bPaused = TRUE;
    pDoc->m_nClockSeconds = 30;
    pTimer->OnClockTick();
    EXPECT_STREQ("00:00:00", ClockText(pFrame));
}

TEST(MainFrame, AForcedTargetEndsTheGameWithTheSolution)
{
    GameApp game;
    ASSERT_TRUE(game.NewPuzzle(3));   // Fiendish: 10 minutes, forced
    CBrindlemarkDoc* pDoc = game.Doc();
    pDoc->m_nClockSeconds = 599;
    game.Frame()->m_pTimerToolBar->OnClockTick();
    EXPECT_FALSE(pDoc->IsSolved());

    pDoc->m_nClockSeconds = 600;
    Script().yesNo = {2};
    game.Frame()->m_pTimerToolBar->OnClockTick();
    EXPECT_TRUE(pDoc->IsSolved());
    // No question before the solution, only the offer of another puzzle.
    ASSERT_EQ(1u, Script().asked.size());
    EXPECT_EQ("The current puzzle has been solved.\n\nWould you like to start another?", Script().asked[0]);
    // Solved, the time-up does not come again.
    game.Frame()->m_pTimerToolBar->OnClockTick();
    EXPECT_EQ(1u, Script().asked.size());
}

TEST(MainFrame, TheClockDisplayKeepsItsGlyphsOnTheToolbar)
{
    GameApp game;
    CMainFrame* pFrame = game.Frame();
    pFrame->SetForegroundWindow();
    // The idle update disables the display (no command has its id); it
    // must still show the glyphs, not an empty static.
    game.App()->OnIdle(0);
    testsupport::PumpPending();
    pFrame->m_wndClock.UpdateWindow();
    HDC hDC = ::GetDC(pFrame->m_wndClock.m_hWnd);
    COLORREF crGlyph = ::GetPixel(hDC, 2, 3);   // the first '0's top-left dot, unlit
    ::ReleaseDC(pFrame->m_wndClock.m_hWnd, hDC);
    // In the unlit colour of the start position's profile, 0, 128, 0 (the
    // display draws no channel as 0).
    EXPECT_EQ(RGB(0, 128, 0), game.Doc()->GetCurrent().GetAppearanceInfo().m_crMCOff);
    EXPECT_EQ(RGB(1, 128, 1), crGlyph);

    // A second idle pass that changes no state leaves the toolbar painted:
    // it does not repaint without end.
    pFrame->m_pTimerToolBar->UpdateWindow();
    game.App()->OnIdle(0);
    RECT rcDirty;
    EXPECT_FALSE(pFrame->m_pTimerToolBar->GetUpdateRect(&rcDirty, FALSE));
}

TEST(MainFrame, NoIdleUpdatesWhileALongOperationHoldsTheFrame)
{
    GameApp game;
    CMainFrame* pFrame = game.Frame();
    // The frame is disabled while a puzzle or a book is made: idle work
    // waits until it is enabled again.
    pFrame->EnableWindow(FALSE);
    EXPECT_FALSE(game.App()->OnIdle(0));
    pFrame->EnableWindow(TRUE);
    EXPECT_TRUE(game.App()->OnIdle(0));
}

TEST(MainFrame, TheNumberFontFollowsTheSquareSize)
{
    GameApp game;
    ASSERT_TRUE(game.NewPuzzle(0));
    CBrindlemarkView* pView = game.View();
    int nSmall = 0, nLarge = 0;
    pView->SetWindowPos(NULL, 0, 0, 200, 200, SWP_NOMOVE | SWP_NOZORDER);
    nSmall = game.Puzzle().m_AppearanceInfo.m_nMainFontSize;
    pView->SetWindowPos(NULL, 0, 0, 700, 700, SWP_NOMOVE | SWP_NOZORDER);
    nLarge = game.Puzzle().m_AppearanceInfo.m_nMainFontSize;
    EXPECT_GT(nLarge, nSmall);

    // While the frame is dragged the font stays; the end of the drag refits.
    game.Frame()->SendMessage(WM_ENTERSIZEMOVE);
    pView->SetWindowPos(NULL, 0, 0, 200, 200, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(nLarge, game.Puzzle().m_AppearanceInfo.m_nMainFontSize);
    game.Frame()->SendMessage(WM_EXITSIZEMOVE);
    EXPECT_EQ(nSmall, game.Puzzle().m_AppearanceInfo.m_nMainFontSize);
    EXPECT_FALSE(game.Frame()->m_bInSizeMove);

    // A square too small for any size gives 25.
    pView->SetWindowPos(NULL, 0, 0, 12, 12, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(25, game.Puzzle().m_AppearanceInfo.m_nMainFontSize);
}

TEST(MainFrame, TextBelowIconsIsAnOptionAndASetting)
{
    GameApp game;
    CXTPCommandBarsOptions* pOptions = game.Frame()->GetCommandBars()->GetCommandBarsOptions();
    BOOL bBefore = pOptions->bShowTextBelowIcons;
    EXPECT_EQ(bBefore ? 1 : 0, game.CheckOf(ID_TEXT_BELOW_ICONS));
    game.Command(ID_TEXT_BELOW_ICONS);
    EXPECT_EQ(!bBefore, pOptions->bShowTextBelowIcons);
    EXPECT_EQ(!bBefore, g_ApplicationInfo.m_bTextBelowIcons != 0);
    game.Command(ID_TEXT_BELOW_ICONS);
    EXPECT_EQ(bBefore, pOptions->bShowTextBelowIcons);
}

TEST(MainFrame, WebLinksAndTheUpdaterGoToTheShell)
{
    GameApp game;
    SetShellOpenHandler(&RecordShellOpen);
    ShellCalls().clear();
    for (UINT nID : {ID_WEB_GAME, ID_WEB_GAME2, ID_WEB_GAME3, ID_WEB_GAME4, ID_WEB_MAKER, ID_WEB_FORUM})
        game.Command(nID);
    ASSERT_EQ(6u, ShellCalls().size());
    for (const ShellCall& call : ShellCalls())
    {
        EXPECT_EQ(0u, call.strTarget.find("http://"));
        EXPECT_EQ(SW_SHOWMAXIMIZED, call.nShow);
    }
    game.Command(ID_LAUNCH_UPDATER);
    ASSERT_EQ(7u, ShellCalls().size());
    char szWindows[MAX_PATH];
    ::GetWindowsDirectoryA(szWindows, MAX_PATH);
    EXPECT_EQ(0u, ShellCalls().back().strTarget.find(std::string(szWindows) + "\\"));
    EXPECT_EQ(SW_SHOWNORMAL, ShellCalls().back().nShow);
    testsupport::ScriptGameQuestions();
}

TEST(MainFrame, TheProfilePaneCommandsOpenAndCloseTheirPanes)
{
    ClearUserSettings();
    {
    GameApp game;
    ASSERT_TRUE(game.NewPuzzle(0));
    CMainFrame* pFrame = game.Frame();
    CXTPDockingPaneManager& manager = pFrame->m_paneManager;
    EXPECT_EQ(0, game.CheckOf(ID_APPEARANCE_PANE));

    CommandAndPump(game, ID_APPEARANCE_PANE);
    CXTPDockingPane* pPane = manager.FindPane(GAME_PANE_APPEARANCE);
    ASSERT_TRUE(pPane != NULL);
    EXPECT_STREQ("This puzzle's Appearance Info", pPane->GetTitle());
    EXPECT_EQ((DWORD)xtpPaneNoCloseable, pPane->GetOptions());
    // The window was asked for as the pane showed, filled from the puzzle.
    ASSERT_TRUE(pFrame->m_paneAppearance.GetSafeHwnd() != NULL);
    EXPECT_TRUE(pPane->HasAttachedWindow());
    EXPECT_EQ(1, game.CheckOf(ID_APPEARANCE_PANE));
    CXTPPropertyGridItem* pOn = pFrame->m_paneAppearance.GetGrid()->FindItem(htacMCOn);
    ASSERT_TRUE(pOn != NULL);
    CString strOn;
    strOn.Format("%i; %i; %i", GetRValue(game.Puzzle().m_AppearanceInfo.m_crMCOn),
                 GetGValue(game.Puzzle().m_AppearanceInfo.m_crMCOn), GetBValue(game.Puzzle().m_AppearanceInfo.m_crMCOn));
    EXPECT_STREQ(strOn, pOn->GetValue());
    // A second show request only attaches the same window again.
    HWND hWindow = pFrame->m_paneAppearance.m_hWnd;
    EXPECT_EQ(TRUE, pFrame->SendMessage(XTPWM_DOCKINGPANE_NOTIFY, XTP_DPN_SHOWWINDOW, (LPARAM)pPane));
    EXPECT_EQ(hWindow, pFrame->m_paneAppearance.m_hWnd);
    // Other notification codes are not the frame's.
    EXPECT_EQ(FALSE, pFrame->SendMessage(XTPWM_DOCKINGPANE_NOTIFY, 2, (LPARAM)pPane));

    CommandAndPump(game, ID_DIFFICULTY_PANE);
    ASSERT_TRUE(manager.FindPane(GAME_PANE_DIFFICULTY) != NULL);
    EXPECT_STREQ("This puzzle's Difficulty Info", manager.FindPane(GAME_PANE_DIFFICULTY)->GetTitle());
    EXPECT_TRUE(pFrame->m_paneGradeInfo.GetSafeHwnd() != NULL);
    EXPECT_EQ(1, game.CheckOf(ID_DIFFICULTY_PANE));

    // The second choice closes the pane with its window; a third opens a
    // new one from the profile the puzzle has then.
    game.Command(ID_APPEARANCE_PANE);
    EXPECT_TRUE(manager.FindPane(GAME_PANE_APPEARANCE) == NULL);
    EXPECT_TRUE(pFrame->m_paneAppearance.GetSafeHwnd() == NULL);
    EXPECT_EQ(0, game.CheckOf(ID_APPEARANCE_PANE));
    game.Puzzle().m_AppearanceInfo.m_crMCOn = RGB(10, 20, 30);
    CommandAndPump(game, ID_APPEARANCE_PANE);
    ASSERT_TRUE(pFrame->m_paneAppearance.GetSafeHwnd() != NULL);
    EXPECT_STREQ("10; 20; 30", pFrame->m_paneAppearance.GetGrid()->FindItem(htacMCOn)->GetValue());

    // The open panes are kept with the layout for the next start.
    game.Puzzle().m_bModified = FALSE;
    game.Command(ID_EXIT_GAME);
    }
    // The settings as the end of that run writes them: no longer a first run.
    g_ApplicationInfo.SaveToRegistry();
    {
        GameApp again(true);
        testsupport::PumpPending();
        EXPECT_TRUE(again.Frame()->m_paneManager.FindPane(GAME_PANE_APPEARANCE) != NULL);
        EXPECT_TRUE(again.Frame()->m_paneAppearance.GetSafeHwnd() != NULL);
        EXPECT_TRUE(again.Frame()->m_paneGradeInfo.GetSafeHwnd() != NULL);
    }
    ClearUserSettings();
}

TEST(MainFrame, TheProfilePaneCommandsFollowThePaneManagerWhereverThePanesLie)
{
    for (PanePlace place : {kDocked, kFloating, kTabbed, kAutoHidden})
    {
        SCOPED_TRACE(PlaceName(place));
        ClearUserSettings();
        {
            GameApp game;
            ASSERT_TRUE(game.NewPuzzle(0));
            game.Command(ID_APPEARANCE_PANE);
            CommandAndPump(game, ID_DIFFICULTY_PANE);
            ArrangeProfilePanes(game.Frame(), place);
            game.Puzzle().m_bModified = FALSE;
            game.Command(ID_EXIT_GAME);
        }
        g_ApplicationInfo.SaveToRegistry();
        {
            // The next start shows the panes where they were left; an
            // auto-hidden pane has no window until it first slides out.
            GameApp again(true);
            testsupport::PumpPending();
            CMainFrame* pFrame = again.Frame();
            ASSERT_EQ(1, PaneCount(pFrame, GAME_PANE_APPEARANCE));
            ASSERT_EQ(1, PaneCount(pFrame, GAME_PANE_DIFFICULTY));
            EXPECT_EQ(place == kAutoHidden, pFrame->m_paneManager.FindPane(GAME_PANE_APPEARANCE)->IsAutoHidden() != FALSE);
            EXPECT_EQ(place == kFloating, pFrame->m_paneManager.FindPane(GAME_PANE_DIFFICULTY)->IsFloating() != FALSE);
            EXPECT_EQ(1, again.CheckOf(ID_APPEARANCE_PANE));
            EXPECT_EQ(1, again.CheckOf(ID_DIFFICULTY_PANE));

            // The command removes the pane it finds, and makes no second one.
            again.Command(ID_APPEARANCE_PANE);
            testsupport::PumpPending();
            EXPECT_EQ(0, PaneCount(pFrame, GAME_PANE_APPEARANCE));
            EXPECT_TRUE(pFrame->m_paneAppearance.GetSafeHwnd() == NULL);
            EXPECT_EQ(0, again.CheckOf(ID_APPEARANCE_PANE));
            again.Command(ID_DIFFICULTY_PANE);
            testsupport::PumpPending();
            EXPECT_EQ(0, PaneCount(pFrame, GAME_PANE_DIFFICULTY));
            EXPECT_TRUE(pFrame->m_paneGradeInfo.GetSafeHwnd() == NULL);
            EXPECT_EQ(0, again.CheckOf(ID_DIFFICULTY_PANE));

            // Chosen again, each comes back once, with its window.
            again.Command(ID_APPEARANCE_PANE);
            again.Command(ID_DIFFICULTY_PANE);
            testsupport::PumpPending();
            EXPECT_EQ(1, PaneCount(pFrame, GAME_PANE_APPEARANCE));
            EXPECT_EQ(1, PaneCount(pFrame, GAME_PANE_DIFFICULTY));
            EXPECT_TRUE(pFrame->m_paneAppearance.GetSafeHwnd() != NULL);
            EXPECT_TRUE(pFrame->m_paneGradeInfo.GetSafeHwnd() != NULL);
            EXPECT_EQ(1, again.CheckOf(ID_APPEARANCE_PANE));
            EXPECT_EQ(1, again.CheckOf(ID_DIFFICULTY_PANE));
            again.Command(ID_EXIT_GAME);
        }
        g_ApplicationInfo.SaveToRegistry();
        {
            GameApp third(true);
            testsupport::PumpPending();
            EXPECT_EQ(1, PaneCount(third.Frame(), GAME_PANE_APPEARANCE));
            EXPECT_EQ(1, PaneCount(third.Frame(), GAME_PANE_DIFFICULTY));
        }
    }
    ClearUserSettings();
}

// The floating windows' stored order stacks them as named; a damaged value
// far longer than any real order changes nothing. A window hidden for now
// is still named at its place, a closed pane's is not.
TEST(MainFrame, TheStoredFloatingOrderStacksThePaneWindowsAndADamagedOneIsPassedOver)
{
    ClearUserSettings();
    GameApp game;
    game.Command(ID_APPEARANCE_PANE);
    CommandAndPump(game, ID_DIFFICULTY_PANE);
    CMainFrame* pFrame = game.Frame();
    CXTPDockingPaneManager& manager = pFrame->m_paneManager;
    manager.FloatPane(manager.FindPane(GAME_PANE_APPEARANCE), CRect(300, 200, 500, 400));
    manager.FloatPane(manager.FindPane(GAME_PANE_DIFFICULTY), CRect(350, 250, 550, 450));
    testsupport::PumpPending();
    CString strAppearanceFirst, strDifficultyFirst;
    strAppearanceFirst.Format("P%d,P%d", GAME_PANE_APPEARANCE, GAME_PANE_DIFFICULTY);
    strDifficultyFirst.Format("P%d,P%d", GAME_PANE_DIFFICULTY, GAME_PANE_APPEARANCE);
    for (const CString& strOrder : {strAppearanceFirst, strDifficultyFirst})
    {
        ApplyFloatingOrder(pFrame, strOrder);
        EXPECT_STREQ(strOrder, GetFloatingOrder(pFrame));
    }
    CString strDamaged;
    while (strDamaged.GetLength() <= 1024)
        strDamaged += strAppearanceFirst + ",";
    ApplyFloatingOrder(pFrame, strDamaged);
    EXPECT_STREQ(strDifficultyFirst, GetFloatingOrder(pFrame));

    // A pane window hidden for now (as with its minimised frame) keeps its
    // place in the order; a closed pane's window is left out.
    const CString strDifficulty = strDifficultyFirst.Left(strDifficultyFirst.Find(','));
    HWND hDifficulty = NULL;
    for (HWND hWnd = ::GetWindow(::GetDesktopWindow(), GW_CHILD); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
        if (::GetWindow(hWnd, GW_OWNER) == pFrame->GetSafeHwnd() && FloatingWindowName(hWnd) == strDifficulty)
            hDifficulty = hWnd;
    ASSERT_TRUE(hDifficulty != NULL);
    ::ShowWindow(hDifficulty, SW_HIDE);
    EXPECT_STREQ(strDifficultyFirst, GetFloatingOrder(pFrame));
    ::ShowWindow(hDifficulty, SW_SHOWNOACTIVATE);
    manager.ClosePane(GAME_PANE_APPEARANCE);
    testsupport::PumpPending();
    EXPECT_STREQ(strDifficulty, GetFloatingOrder(pFrame));
    game.Puzzle().m_bModified = FALSE;
    game.Command(ID_EXIT_GAME);
}

TEST(MainFrame, AnAutoHiddenPaneThatSlidOutIsRemovedWithItsWindow)
{
    ClearUserSettings();
    GameApp game;
    ASSERT_TRUE(game.NewPuzzle(0));
    CMainFrame* pFrame = game.Frame();
    CXTPDockingPane* pPane = ShowPaneByCommand(game, ID_APPEARANCE_PANE, GAME_PANE_APPEARANCE);
    ASSERT_TRUE(pPane != NULL);
    pFrame->m_paneManager.HidePane(pPane);
    testsupport::PumpPending();
    // Sliding it out shows its window.
    pFrame->m_paneManager.ShowPane(pPane);
    testsupport::PumpPending();
    ASSERT_TRUE(pFrame->m_paneAppearance.GetSafeHwnd() != NULL);
    EXPECT_EQ(1, game.CheckOf(ID_APPEARANCE_PANE));
    CommandAndPump(game, ID_APPEARANCE_PANE);
    EXPECT_EQ(0, PaneCount(pFrame, GAME_PANE_APPEARANCE));
    EXPECT_TRUE(pFrame->m_paneAppearance.GetSafeHwnd() == NULL);
    EXPECT_EQ(0, game.CheckOf(ID_APPEARANCE_PANE));
}

TEST(MainFrame, AClosedProfilePaneIsUncheckedAndItsEntryShowsItAgain)
{
    ClearUserSettings();
    GameApp game;
    ASSERT_TRUE(game.NewPuzzle(0));
    CMainFrame* pFrame = game.Frame();
    CXTPDockingPane* pPane = ShowPaneByCommand(game, ID_DIFFICULTY_PANE, GAME_PANE_DIFFICULTY);
    ASSERT_TRUE(pPane != NULL);
    // Closed by the manager (as a stored layout may hold it): still known,
    // but not shown.
    pFrame->m_paneManager.ClosePane(pPane);
    testsupport::PumpPending();
    ASSERT_TRUE(pPane->IsClosed());
    EXPECT_EQ(0, game.CheckOf(ID_DIFFICULTY_PANE));
    CommandAndPump(game, ID_DIFFICULTY_PANE);
    EXPECT_EQ(1, PaneCount(pFrame, GAME_PANE_DIFFICULTY));
    EXPECT_FALSE(pPane->IsClosed());
    EXPECT_EQ(1, game.CheckOf(ID_DIFFICULTY_PANE));
    EXPECT_TRUE(pFrame->m_paneGradeInfo.GetSafeHwnd() != NULL && pFrame->m_paneGradeInfo.IsWindowVisible());
}

// A stored profile pane repeated, or a floating pane of an id the game does
// not make (left by another build), is dropped at the start, the rest of
// the layout kept, and neither is stored again.
TEST(MainFrame, AStoredLayoutWithAProfilePaneTwiceOrAPaneOfAnotherBuildStartsWithOneOfEach)
{
    const int nStrangeID = 5000;
    ClearUserSettings();
    {
        // The arrangement earlier versions stored: the auto-hidden pane and
        // a second, docked one of the same id; and a floating pane of an id
        // this build does not make.
        GameApp game;
        ASSERT_TRUE(game.NewPuzzle(0));
        CMainFrame* pFrame = game.Frame();
        CommandAndPump(game, ID_APPEARANCE_PANE);
        CommandAndPump(game, ID_DIFFICULTY_PANE);
        pFrame->m_paneManager.FloatPane(pFrame->m_paneManager.FindPane(GAME_PANE_DIFFICULTY),
                                        CRect(350, 250, 550, 450));
        pFrame->m_paneManager.HidePane(pFrame->m_paneManager.FindPane(GAME_PANE_APPEARANCE));
        CXTPDockingPane* pCopy =
            pFrame->m_paneManager.CreatePane(GAME_PANE_APPEARANCE, CRect(0, 0, 200, 120), xtpPaneDockLeft, NULL);
        ASSERT_TRUE(pCopy != NULL);
        CXTPDockingPane* pStrange =
            pFrame->m_paneManager.CreatePane(nStrangeID, CRect(0, 0, 200, 120), xtpPaneDockLeft, NULL);
        ASSERT_TRUE(pStrange != NULL);
        pStrange->SetTitle("This puzzle's Appearance Info");
        pFrame->m_paneManager.FloatPane(pStrange, CRect(100, 100, 300, 300));
        testsupport::PumpPending();
        ASSERT_EQ(2, PaneCount(pFrame, GAME_PANE_APPEARANCE));
        game.Puzzle().m_bModified = FALSE;
        game.Command(ID_EXIT_GAME);
    }
    std::string strStored = testsupport::UserProfileString(GAME_FLOATING_SECTION, GAME_FLOATING_ORDER);
    EXPECT_NE(std::string::npos, strStored.find("P5000")) << strStored;
    for (int nStart = 0; nStart < 2; nStart++)
    {
        g_ApplicationInfo.SaveToRegistry();
        SCOPED_TRACE(nStart == 0 ? "the start after" : "the next start");
        {
            GameApp again(true);
            testsupport::PumpPending();
            CMainFrame* pFrame = again.Frame();
            EXPECT_EQ(0, PaneCount(pFrame, nStrangeID));
            EXPECT_EQ(1, PaneCount(pFrame, GAME_PANE_APPEARANCE));
            EXPECT_EQ(1, again.CheckOf(ID_APPEARANCE_PANE));
            // The rest as stored: the Difficulty pane floating.
            CXTPDockingPane* pDifficulty = pFrame->m_paneManager.FindPane(GAME_PANE_DIFFICULTY);
            ASSERT_TRUE(pDifficulty != NULL);
            EXPECT_TRUE(pDifficulty->IsFloating());
            if (nStart == 1)
            {
                // One choice of the command removes it.
                again.Command(ID_APPEARANCE_PANE);
                testsupport::PumpPending();
                EXPECT_EQ(0, PaneCount(pFrame, GAME_PANE_APPEARANCE));
                EXPECT_EQ(0, again.CheckOf(ID_APPEARANCE_PANE));
            }
            again.Puzzle().m_bModified = FALSE;
            again.Command(ID_EXIT_GAME);
        }
        strStored = testsupport::UserProfileString(GAME_FLOATING_SECTION, GAME_FLOATING_ORDER);
        EXPECT_EQ(std::string::npos, strStored.find("P5000")) << strStored;
        EXPECT_NE(std::string::npos, strStored.find("P1001")) << strStored;
    }
    ClearUserSettings();
}

TEST(MainFrame, EditsInTheProfilePanesChangeThePuzzle)
{
    GameApp game;
    ASSERT_TRUE(game.NewPuzzle(0));
    CMainFrame* pFrame = game.Frame();
    game.Command(ID_APPEARANCE_PANE);
    CommandAndPump(game, ID_DIFFICULTY_PANE);
    ASSERT_TRUE(pFrame->m_paneAppearance.GetSafeHwnd() != NULL);
    ASSERT_TRUE(pFrame->m_paneGradeInfo.GetSafeHwnd() != NULL);
    CHTDataContainer& puzzle = game.Puzzle();

    // A colour: every square and the clock take it; the puzzle is modified
    // but no undo point is made.
    const int nSaved = (int)game.Doc()->m_Controller.m_listSavedStates.GetCount();
    puzzle.m_bModified = FALSE;
    pFrame->m_paneAppearance.GetGrid()->FindItem(htacShadedFill)->OnValueChanged("1; 2; 300");
    EXPECT_EQ(RGB(1, 2, 255), puzzle.m_AppearanceInfo.m_crShadedFill);
    EXPECT_EQ(RGB(1, 2, 255), puzzle.FindSquare(3, 3)->m_crShadedFill);
    EXPECT_TRUE(puzzle.m_bModified);
    EXPECT_EQ(nSaved, (int)game.Doc()->m_Controller.m_listSavedStates.GetCount());
    pFrame->m_paneAppearance.GetGrid()->FindItem(htacMCOn)->OnValueChanged("200; 0; 0");
    EXPECT_EQ(RGB(200, 0, 0), pFrame->m_wndClock.m_crOn);

    // Island squares switched on: the board shows the islands at once.
    CGradeInfoPropGrid* pGrade = pFrame->m_paneGradeInfo.GetGradeGrid();
    puzzle.m_GradeInfo.m_bShowIslandSquares = FALSE;
    pGrade->SetGradeInfo(puzzle.m_GradeInfo);
    pGrade->RefreshItems(TRUE);
    game.Click(0, 1);
    game.Click(1, 0);   // the corner square is cut off from the rest
    CPoint island(-1, -1);
    for (int c = 0; c < puzzle.m_nColumns && island.x < 0; c++)
        for (int r = 0; r < puzzle.m_nRows && island.x < 0; r++)
            if (puzzle.FindSquare(c, r)->m_bIslandMark)
                island = CPoint(c, r);
    ASSERT_GE(island.x, 0);
    game.View()->UpdateWindow();
    puzzle.m_bModified = FALSE;
    CXTPPropertyGridItem* pIsland = pGrade->FindItem(htgiShowIslandSquares);
    ASSERT_TRUE(pIsland->SelectNextConstraint());
    EXPECT_TRUE(puzzle.m_GradeInfo.m_bShowIslandSquares);
    EXPECT_TRUE(puzzle.m_bModified);
    CRect rcUpdate;
    EXPECT_TRUE(game.View()->GetUpdateRect(&rcUpdate, FALSE));
    CBrindlemarkView* pView = game.View();
    CRect rect;
    pView->GetClientRect(&rect);
    testsupport::Canvas canvas(rect.Width(), rect.Height());
    pView->OnDraw(canvas.DC());
    const int s = pView->m_nSquareSize;
    EXPECT_EQ(puzzle.m_AppearanceInfo.m_crIslandFill,
              canvas.Pixel(pView->m_nBoardLeft + island.x * s + s / 8, pView->m_nBoardTop + island.y * s + s / 8));

    // Force complete: stored without a repaint.
    game.View()->UpdateWindow();
    BYTE bForce = puzzle.m_GradeInfo.m_bForceComplete;
    ASSERT_TRUE(pGrade->FindItem(htgiForceComplete)->SelectNextConstraint());
    EXPECT_NE(bForce, puzzle.m_GradeInfo.m_bForceComplete);
    EXPECT_FALSE(game.View()->GetUpdateRect(&rcUpdate, FALSE));

    // Other notifications change nothing.
    puzzle.m_bModified = FALSE;
    pFrame->SendMessage(XTPWM_PROPERTYGRID_NOTIFY, XTP_PGN_SELECTION_CHANGED, (LPARAM)pIsland);
    EXPECT_FALSE(puzzle.m_bModified);
}

TEST(MainFrame, TheProfileListsApplyOnlyTheChosenAppearance)
{
    GameApp game;
    ASSERT_TRUE(game.NewPuzzle(0, 0));
    CHTDataContainer& puzzle = game.Puzzle();
    CAppearanceInfo second;
    ASSERT_TRUE(g_ApplicationInfo.m_AppearanceInfoList.FindProfile(1, second));
    const COLORREF crOld = puzzle.m_AppearanceInfo.m_crShadedFill;
    ASSERT_NE(crOld, second.m_crShadedFill);

    // The difficulty list never touches the puzzle.
    puzzle.m_bModified = FALSE;
    Script().nProfileListResult = IDOK;
    Script().nProfileListChoice = 2;
    game.Command(ID_DIFFICULTY_LIST);
    EXPECT_EQ(std::vector<int>{1}, Script().profileLists);
    // It only manages the profiles: copying one is not offered there.
    EXPECT_EQ(std::vector<bool>{false}, Script().profileListCopy);
    EXPECT_FALSE(puzzle.m_bModified);

    // Cancel, or a profile that is no longer in the list, applies nothing.
    Script().nProfileListResult = IDCANCEL;
    Script().nProfileListChoice = 1;
    game.Command(ID_APPEARANCE_LIST);
    Script().nProfileListResult = IDOK;
    Script().nProfileListChoice = 99;
    game.Command(ID_APPEARANCE_LIST);
    EXPECT_EQ((std::vector<int>{1, 0, 0}), Script().profileLists);
    EXPECT_EQ(crOld, puzzle.m_AppearanceInfo.m_crShadedFill);
    EXPECT_FALSE(puzzle.m_bModified);
    EXPECT_FALSE(game.IsEnabled(ID_UNDO_MOVE));

    // "Apply To Puzzle": the colours, the modified flag, the open pane and
    // the clock follow; Undo brings the old colours back.
    CommandAndPump(game, ID_APPEARANCE_PANE);
    Script().nProfileListChoice = 1;
    game.Command(ID_APPEARANCE_LIST);
    EXPECT_EQ(second.m_crShadedFill, puzzle.m_AppearanceInfo.m_crShadedFill);
    EXPECT_EQ(second.m_crShadedFill, puzzle.FindSquare(0, 0)->m_crShadedFill);
    EXPECT_TRUE(puzzle.m_bModified);
    EXPECT_EQ(second.m_crMCOn, game.Frame()->m_wndClock.m_crOn);
    CString strFill;
    strFill.Format("%i; %i; %i", GetRValue(second.m_crShadedFill), GetGValue(second.m_crShadedFill),
                   GetBValue(second.m_crShadedFill));
    EXPECT_STREQ(strFill, game.Frame()->m_paneAppearance.GetGrid()->FindItem(htacShadedFill)->GetValue());
    ASSERT_TRUE(game.IsEnabled(ID_UNDO_MOVE));
    game.Command(ID_UNDO_MOVE);
    EXPECT_EQ(crOld, puzzle.m_AppearanceInfo.m_crShadedFill);
    EXPECT_EQ(crOld, puzzle.FindSquare(0, 0)->m_crShadedFill);
    // The pane shows this puzzle's colours again, not the undone ones.
    strFill.Format("%i; %i; %i", GetRValue(crOld), GetGValue(crOld), GetBValue(crOld));
    EXPECT_STREQ(strFill, game.Frame()->m_paneAppearance.GetGrid()->FindItem(htacShadedFill)->GetValue());
    EXPECT_EQ(puzzle.m_AppearanceInfo.m_crMCOn, game.Frame()->m_wndClock.m_crOn);
}

// Every key of the accelerator table reaches a handler of the running game:
// Ctrl+N makes a new puzzle (never an empty document that keeps the old
// puzzle's file name), Ctrl+Z undoes a move, the edit keys act on a focused
// edit box, F6 moves between the board and the panes.
TEST(MainFrame, EveryKeyOfTheAcceleratorTableReachesAHandler)
{
    GameApp game;
    ASSERT_TRUE(game.Started());
    CMainFrame* pFrame = game.Frame();
    HACCEL hAccel = ::LoadAccelerators(AfxGetResourceHandle(), MAKEINTRESOURCE(IDR_MAINFRAME));
    ASSERT_TRUE(hAccel != NULL);
    ACCEL entries[64];
    const int nEntries = ::CopyAcceleratorTable(hAccel, entries, 64);
    ::DestroyAcceleratorTable(hAccel);
    ASSERT_GE(nEntries, 14);
    for (int i = 0; i < nEntries; i++)
    {
        AFX_CMDHANDLERINFO info = {NULL, NULL};
        EXPECT_TRUE(pFrame->OnCmdMsg(entries[i].cmd, CN_COMMAND, NULL, &info)) << "key " << entries[i].key
                                                                              << " command " << entries[i].cmd;
    }

    // Ctrl+N: the New Puzzle dialog, and a new puzzle that has no file yet.
    ASSERT_TRUE(game.NewPuzzle(0, 0));
    game.Doc()->m_strPuzzlePath = "C:\\earlier.hti";
    game.Puzzle().m_bModified = FALSE;
    Script().nNewPuzzleAsked = 0;
    game.Command(ID_FILE_NEW);
    EXPECT_EQ(1, Script().nNewPuzzleAsked);
    EXPECT_EQ(1, game.Puzzle().m_nGameState);
    EXPECT_STREQ("", game.Doc()->m_strPuzzlePath);
    CString strTitle;
    pFrame->GetWindowText(strTitle);
    EXPECT_STREQ("Untitled - Brindlemark", strTitle);

    // Ctrl+Z on the board: the move is undone.
    game.Click(0, 0);
    ASSERT_NE(0, game.StateAt(0, 0));
    EXPECT_TRUE(game.IsEnabled(ID_EDIT_UNDO));
    game.Command(ID_EDIT_UNDO);
    EXPECT_EQ(0, game.StateAt(0, 0));
    EXPECT_FALSE(game.IsEnabled(ID_EDIT_UNDO));
    // Nothing to cut or paste on the board.
    game.View()->SetFocus();
    EXPECT_FALSE(game.IsEnabled(ID_EDIT_CUT));
    EXPECT_FALSE(game.IsEnabled(ID_EDIT_PASTE));

    // In an edit box the edit keys are the box's own.
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(0, 0, 100, 20), pFrame, 4321));
    edit.SetWindowText("abc");
    edit.SetFocus();
    edit.SetSel(0, 3);
    EXPECT_TRUE(game.IsEnabled(ID_EDIT_CUT));
    game.Command(ID_EDIT_CUT);
    CString strText;
    edit.GetWindowText(strText);
    EXPECT_STREQ("", strText);
    game.Command(ID_EDIT_UNDO);
    edit.GetWindowText(strText);
    EXPECT_STREQ("abc", strText);
    edit.SetSel(0, 3);
    game.Command(ID_EDIT_COPY);
    edit.SetSel(3, 3);
    game.Command(ID_EDIT_PASTE);
    edit.GetWindowText(strText);
    EXPECT_STREQ("abcabc", strText);
    edit.DestroyWindow();

    // F6 and Shift+F6 go round the board and the open panes.
    CommandAndPump(game, ID_DIFFICULTY_PANE);
    game.View()->SetFocus();
    game.Command(ID_NEXT_PANE);
    EXPECT_TRUE(::IsChild(pFrame->m_paneGradeInfo.m_hWnd, ::GetFocus())) << (void*)::GetFocus();
    game.Command(ID_NEXT_PANE);
    EXPECT_EQ(game.View()->m_hWnd, ::GetFocus());
    game.Command(ID_PREV_PANE);
    EXPECT_TRUE(::IsChild(pFrame->m_paneGradeInfo.m_hWnd, ::GetFocus()));
}

namespace
{
// The ids of a popup's items, separators as 0, found by the popup's caption
// among the controls; empty when there is no such popup.
std::vector<int> PopupIds(CXTPControls* pControls, const char* pszCaption)
{
    for (int i = 0; i < pControls->GetCount(); i++)
    {
        CXTPControlPopup* pPopup = DYNAMIC_DOWNCAST(CXTPControlPopup, pControls->GetAt(i));
        if (pPopup != NULL && pPopup->GetCaption() == pszCaption && pPopup->GetCommandBar() != NULL)
            return ControlIds(pPopup->GetCommandBar());
    }
    return std::vector<int>();
}

CXTPControls* PopupControls(CXTPControls* pControls, const char* pszCaption)
{
    for (int i = 0; i < pControls->GetCount(); i++)
    {
        CXTPControlPopup* pPopup = DYNAMIC_DOWNCAST(CXTPControlPopup, pControls->GetAt(i));
        if (pPopup != NULL && pPopup->GetCaption() == pszCaption && pPopup->GetCommandBar() != NULL)
            return pPopup->GetCommandBar()->GetControls();
    }
    return NULL;
}
} // namespace

// Entering an own puzzle sits right below File > New, Finalize
// Grid in the Edit menu where the entry's instructions send the player;
// both say what they do in the status bar and are among Customize's
// commands, each in the category of its menu.
TEST(MainFrame, OwnPuzzleEntryAndFinalizeGridAreInTheMenusAndCustomize)
{
    GameApp game;
    ASSERT_TRUE(game.Started());
    CMainFrame* pFrame = game.Frame();
    CXTPControls* pMenus = pFrame->GetCommandBars()->GetMenuBar()->GetControls();
    CXTPControls* pFile = PopupControls(pMenus, "&File");
    ASSERT_TRUE(pFile != NULL);
    EXPECT_EQ((std::vector<int>{ID_NEW_PUZZLE}), PopupIds(pFile, "&New"));
    ASSERT_GE(pFile->GetCount(), 3);
    EXPECT_STREQ("&New", pFile->GetAt(0)->GetCaption());
    EXPECT_EQ(ID_PUZZLE_ENTER_OWN, pFile->GetAt(1)->GetID()) << "right below New";
    EXPECT_STREQ("Enter &Own Puzzle...", pFile->GetAt(1)->GetCaption());
    EXPECT_EQ(ID_FILE_OPEN, pFile->GetAt(2)->GetID());
    EXPECT_TRUE(pFile->GetAt(2)->GetBeginGroup());
    CXTPControls* pEdit = PopupControls(pMenus, "&Edit");
    ASSERT_TRUE(pEdit != NULL);
    const std::vector<int> edit = ControlIds(pEdit->GetParent());
    EXPECT_EQ((std::vector<int>{ID_UNDO_MOVE, 0, ID_COPY_PUZZLE, 0, 0 /*Branching*/, 0, ID_PUZZLE_FINALIZE, 0,
                                ID_UPDATE_UNSHADED, ID_AUTOMARK_UNSHADED, 0, ID_REVERT_TO_START, ID_SHOW_SOLUTION}),
              edit);
    CXTPControl* pFinalize = pEdit->FindControl(ID_PUZZLE_FINALIZE);
    ASSERT_TRUE(pFinalize != NULL);
    EXPECT_STREQ("&Finalize Grid", pFinalize->GetCaption());

    // The status-bar prompts and tooltips.
    CString strPrompt;
    pFrame->GetMessageString(ID_PUZZLE_ENTER_OWN, strPrompt);
    EXPECT_STREQ("Enter a puzzle from elsewhere into a blank grid", strPrompt);
    pFrame->GetMessageString(ID_PUZZLE_FINALIZE, strPrompt);
    EXPECT_STREQ("Check that the entered grid can be solved and make it ready to play", strPrompt);
    CString strString;
    ASSERT_TRUE(strString.LoadString(ID_PUZZLE_FINALIZE));
    EXPECT_NE(-1, strString.Find("\nFinalize Grid"));
    ASSERT_TRUE(strString.LoadString(ID_PUZZLE_ENTER_OWN));
    EXPECT_NE(-1, strString.Find("\nEnter Own Puzzle"));

    // Customize's command list, built as the View menu's Customize... builds it.
    CXTPCustomizeSheet sheet(pFrame->GetCommandBars());
    CXTPCustomizeCommandsPage* pCommands = sheet.GetCommandsPage();
    ASSERT_TRUE(pCommands->AddCategories(IDR_MAINFRAME, FALSE));
    pCommands->InsertAllCommandsCategory(XTP_IDS_ALL_COMMANDS, -1);
    XTP_COMMANDBARS_CATEGORYINFO* pFileCategory = pCommands->FindCategory("File");
    XTP_COMMANDBARS_CATEGORYINFO* pEditCategory = pCommands->FindCategory("Edit");
    XTP_COMMANDBARS_CATEGORYINFO* pAll = pCommands->FindCategory("All Commands");
    ASSERT_TRUE(pFileCategory != NULL && pEditCategory != NULL && pAll != NULL);
    CXTPControl* pOwn = pFileCategory->pControls->FindControl(ID_PUZZLE_ENTER_OWN);
    ASSERT_TRUE(pOwn != NULL) << "File lists the own-puzzle entry";
    EXPECT_STREQ("Enter &Own Puzzle...", pOwn->GetCaption());
    ASSERT_TRUE(pEditCategory->pControls->FindControl(ID_PUZZLE_FINALIZE) != NULL) << "Edit lists Finalize Grid";
    EXPECT_TRUE(pAll->pControls->FindControl(ID_PUZZLE_ENTER_OWN) != NULL);
    EXPECT_TRUE(pAll->pControls->FindControl(ID_PUZZLE_FINALIZE) != NULL);
    EXPECT_TRUE(pFileCategory->pControls->FindControl(ID_PUZZLE_FINALIZE) == NULL);

    // Each runs the document's operation: entry opens the New Puzzle
    // dialog and gives a blank grid in the entry state with its
    // instructions; Finalize Grid is then enabled and says it could not
    // solve the grid.
    EXPECT_FALSE(game.IsEnabled(ID_PUZZLE_FINALIZE));
    EXPECT_TRUE(game.IsEnabled(ID_PUZZLE_ENTER_OWN));
    Script().bNewPuzzleOK = true;
    Script().nNewPuzzleAsked = 0;
    game.Command(ID_PUZZLE_ENTER_OWN);
    EXPECT_EQ(1, Script().nNewPuzzleAsked);
    EXPECT_EQ(2, game.Puzzle().m_nGameState);
    ASSERT_FALSE(Script().asked.empty());
    EXPECT_NE(std::string::npos, Script().asked.back().find("'Edit|Finalize Grid'"));
    EXPECT_TRUE(game.IsEnabled(ID_PUZZLE_FINALIZE));
    game.Command(ID_PUZZLE_FINALIZE);
    EXPECT_EQ(0u, Script().asked.back().find("Brindlemark could not solve the puzzle."));
}

// In the difficulty pane, a value's drop-down list belongs to the pane's
// grid: a click beside it closes it and leaves the focus in the grid, not in
// the main window, so the next click acts on the grid at once.
TEST(MainFrame, AClickBesideAPanesDropDownKeepsTheFocusInThePane)
{
    GameApp game;
    ASSERT_TRUE(game.Started());
    CMainFrame* pFrame = game.Frame();
    CommandAndPump(game, ID_DIFFICULTY_PANE);
    CXTPPropertyGrid* pGrid = pFrame->m_paneGradeInfo.GetGrid();
    ASSERT_TRUE(pGrid != NULL);
    CXTPPropertyGridItem* pItem = pGrid->FindItem(htgiForceComplete);
    ASSERT_TRUE(pItem != NULL);
    const CString strValue = pItem->GetValue();
    pItem->Select();
    CWnd& view = pGrid->GetGridView();
    view.SetFocus();
    view.SendMessage(WM_KEYDOWN, VK_F4, 0);
    CXTPPropertyGridInplaceList& list = pGrid->GetInplaceList();
    ASSERT_TRUE(list.GetSafeHwnd() != NULL && list.IsWindowVisible());
    EXPECT_EQ(view.m_hWnd, ::GetWindow(list.m_hWnd, GW_OWNER));

    CRect rcList;
    list.GetWindowRect(&rcList);
    MOUSEHOOKSTRUCT mhs = {};
    mhs.pt = CPoint(rcList.left - 5, rcList.top - 8);
    mhs.hwnd = view.m_hWnd;
    CXTPOutsideClickMonitor::MouseProc(HC_ACTION, WM_LBUTTONDOWN, (LPARAM)&mhs);
    EXPECT_FALSE(list.GetSafeHwnd() != NULL && list.IsWindowVisible());
    EXPECT_EQ(view.m_hWnd, ::GetFocus());
    EXPECT_STREQ(strValue, pItem->GetValue());
}

TEST(MainFrame, AColourPickedInTheGamesColourDialogRecoloursTheBoard)
{
    GameApp game;
    ASSERT_TRUE(game.NewPuzzle(0));
    CMainFrame* pFrame = game.Frame();
    CHTDataContainer& puzzle = game.Puzzle();
    CommandAndPump(game, ID_APPEARANCE_PANE);
    ASSERT_TRUE(pFrame->m_paneAppearance.GetSafeHwnd() != NULL);
    // A shaded square shows the shaded fill.
    for (int i = 0; i < 3 && game.StateAt(4, 4) != 2; i++)
        game.Click(4, 4);
    ASSERT_EQ(2, game.StateAt(4, 4));
    const COLORREF crOld = puzzle.m_AppearanceInfo.m_crShadedFill;
    const COLORREF crPicked = RGB(255, 204, 204);
    ASSERT_NE(crOld, crPicked);

    // The row's "..." opens the game's own colour dialog with the row's
    // colour; the standard page's cell below the centre is picked, then OK.
    CRookXTPPropertyGridItemColor* pItem =
        static_cast<CRookXTPPropertyGridItemColor*>(pFrame->m_paneAppearance.GetGrid()->FindItem(htacShadedFill));
    ASSERT_TRUE(pItem != NULL);
    DWORD dwOptions = 0;
    CString strCaption;
    COLORREF crOffered = 0, crCurrent = 0;
    testsupport::ModalDriver driver([&](HWND hDlg) {
        CXTColorDialog* pDlg = DYNAMIC_DOWNCAST(CXTColorDialog, CWnd::FromHandlePermanent(hDlg));
        if (pDlg == NULL)
        {
            ::PostMessage(hDlg, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        dwOptions = pDlg->m_dwStyle;
        pDlg->GetWindowText(strCaption);
        crOffered = pDlg->GetColor();
        crCurrent = pDlg->GetCurrentColor();
        testsupport::ModalDriver::ShowNow(hDlg);
        CXTColorHex& hex = pDlg->GetStandardPage()->m_colorHex;
        const CPoint pt = hex.GetCell(76)->pPoints[0];
        hex.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x + 6, pt.y + 4));
        hex.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x + 6, pt.y + 4));
        pDlg->PressButton(PSBTN_OK);
    });
    pItem->OnInplaceButtonDown(pItem->GetInplaceButtons()->Find(XTP_ID_PROPERTYGRID_EXPANDBUTTON));
    ASSERT_TRUE(driver.HasRun());
    EXPECT_EQ((DWORD)CPS_XT_SHOW3DSELECTION, dwOptions);
    EXPECT_STREQ("Colors", strCaption);
    EXPECT_EQ(crOld, crOffered);
    EXPECT_EQ(crOld, crCurrent);

    EXPECT_EQ(crPicked, puzzle.m_AppearanceInfo.m_crShadedFill);
    EXPECT_EQ(crPicked, puzzle.FindSquare(4, 4)->m_crShadedFill);
    EXPECT_STREQ("255; 204; 204", pItem->GetValue());
    CBrindlemarkView* pView = game.View();
    CRect rect;
    pView->GetClientRect(&rect);
    testsupport::Canvas canvas(rect.Width(), rect.Height());
    pView->OnDraw(canvas.DC());
    testsupport::SaveSnapshot(canvas, "board_recoloured_from_colour_dialog");
    // The shaded square is drawn in the new colour (hatched over white).
    const int s = pView->m_nSquareSize;
    int nPicked = 0;
    for (int y = 0; y < s; y++)
        for (int x = 0; x < s; x++)
            nPicked += canvas.Pixel(pView->m_nBoardLeft + 4 * s + x, pView->m_nBoardTop + 4 * s + y) == crPicked;
    EXPECT_GT(nPicked, s * s / 8);

    // Cancelled, the dialog changes nothing.
    testsupport::ModalDriver cancel([&](HWND hDlg) {
        CXTColorDialog* pDlg = DYNAMIC_DOWNCAST(CXTColorDialog, CWnd::FromHandlePermanent(hDlg));
        if (pDlg != NULL)
        {
            CXTColorHex& hex = pDlg->GetStandardPage()->m_colorHex;
            const CPoint pt = hex.GetCell(0)->pPoints[0];
            hex.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x + 6, pt.y + 4));
        }
        ::PostMessage(hDlg, WM_COMMAND, IDCANCEL, 0);
    });
    pItem->OnInplaceButtonDown(pItem->GetInplaceButtons()->Find(XTP_ID_PROPERTYGRID_EXPANDBUTTON));
    ASSERT_TRUE(cancel.HasRun());
    EXPECT_EQ(crPicked, puzzle.m_AppearanceInfo.m_crShadedFill);
}
