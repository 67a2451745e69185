// The main frame in the running game: its bars and themes, the state it
// keeps between runs, the game clock and the clock display, the refit of the
// number font, and the commands that are the frame's own.
#include "support/gameapp.h"
#include "support/snapshot.h"

#include "ApplicationInfo.h"
#include "TimerToolBar.h"
#include "XTPCommandBars.h"
#include "XTPCommandBarsOptions.h"
#include "XTPControls.h"
#include "XTPMenuBar.h"
#include "XTPPaintManager.h"
#include "XTPToolBar.h"
#include "XTThemeManager.h"

#include <shlwapi.h>

using testsupport::GameApp;
using testsupport::Script;

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

const char kUserKey[] = "Software\\Orrisfield\\Brindlemark";

void ClearUserSettings()
{
    ::SHDeleteKeyA(HKEY_CURRENT_USER, kUserKey);
}

// An integer of the profile (HKCU) section; -1 when missing.
int ProfileInt(const char* pszSection, const char* pszEntry)
{
    HKEY hKey;
    std::string strKey = std::string(kUserKey) + "\\" + pszSection;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, strKey.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return -1;
    DWORD dwValue = 0, dwSize = sizeof(dwValue), dwType = 0;
    LONG lResult = ::RegQueryValueExA(hKey, pszEntry, NULL, &dwType, (BYTE*)&dwValue, &dwSize);
    ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS && dwType == REG_DWORD ? (int)dwValue : -1;
}

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
    EXPECT_NE(0, pFrame->GetStyle() & WS_CLIPCHILDREN);

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
    EXPECT_EQ(3, ProfileInt("CommandBars-Summary", "Bars"));
    EXPECT_EQ(IDR_MAINFRAME, ProfileInt("CommandBars-Bar1", "BarID"));
    EXPECT_EQ(IDR_TIMER_TOOLBAR, ProfileInt("CommandBars-Bar2", "BarID"));
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
    EXPECT_EQ(RGB(1, 64, 1), crGlyph);
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
