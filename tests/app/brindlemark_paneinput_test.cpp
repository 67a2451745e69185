// The game's profile panes under the player's mouse and keys while a menu of
// the menu bar is open, a floating pane has the keyboard or a pane's dialog
// is open: a click on a row's name closes the open menu and reaches the row,
// a row's name tip shows only for the pane seen under the pointer, Alt+F4 in
// a floating pane closes the game while the pane's close button shows
// greyed, a quick click on a floating pane's border leaves its size, a
// colour dialog of a floating pane holds the whole game (the Customize
// sheet too), a dialog active again after a dialog opened from it closes
// lies above the floating windows clicked meanwhile, and a pane dragged by
// its caption to its neighbour's edge docks there. Run with and
// without a window manager (app_brindlemark_test_desktop runs them again
// with one), the input going through the display as a player's does;
// judged by what the screen shows.
// ctest: run-serial
// ctest: lock registry
#include "brindlemark_fixture.h"
#include "brindlemark_floating.h"

#include "support/hostinput.h"
#include "support/snapshot.h"
#include "support/watchdog.h"

#include "resource.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace gametest;

namespace
{
// Brings the display's pointer to the point (waiting until the program
// sees it there), rests a moment as a player's pointer does (what shows on
// its way, a tip over a cut-off name, shows by then), and clicks the left
// button there. Through the display, as a player's click, which a window
// manager sees too.
void DisplayClickAt(POINT pt)
{
    EXPECT_TRUE(testsupport::DisplayMove(pt));
    POINT ptNow = {-1, -1};
    for (int n = 0; n < 40 && (ptNow.x != pt.x || ptNow.y != pt.y); n++)
    {
        Wait(50);
        ::GetCursorPos(&ptNow);
    }
    EXPECT_TRUE(ptNow.x == pt.x && ptNow.y == pt.y) << "pointer at " << ptNow.x << "," << ptNow.y;
    Wait(300);
    EXPECT_TRUE(testsupport::DisplayClick(pt));
    Wait(300);
}

// Presses keys on the display's keyboard (xdotool's names, "alt+F4").
void PressDisplayKeys(const char* pszKeys)
{
    EXPECT_TRUE(testsupport::DisplayKeys(pszKeys)) << pszKeys;
    Wait(300);
}

// The screen's pixels on a grid over a rectangle (every fourth pixel).
std::vector<COLORREF> ScreenSamples(const RECT& rc)
{
    std::vector<COLORREF> samples;
    HDC hScreen = ::GetDC(NULL);
    for (int y = rc.top + 2; y < rc.bottom - 2; y += 4)
        for (int x = rc.left + 2; x < rc.right - 2; x += 4)
            samples.push_back(::GetPixel(hScreen, x, y));
    ::ReleaseDC(NULL, hScreen);
    return samples;
}

// The share (in hundredths) of two sample sets that agree.
int PercentSame(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b)
{
    if (a.size() != b.size() || a.empty())
        return 0;
    size_t nSame = 0;
    for (size_t i = 0; i < a.size(); i++)
        nSame += a[i] == b[i] ? 1 : 0;
    return (int)(nSame * 100 / a.size());
}

// Floats the docked container of the shown profile pane by a double click
// on its caption and lets the floating pane settle; its window, or NULL.
HWND FloatProfilePanes(const Game& game)
{
    std::vector<HWND> containers = Descendants(game.Frame(), "", "XTPDockingPaneTabbedContainer");
    if (containers.empty())
        return NULL;
    ::PostMessage(containers[0], WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 8));
    HWND hMini = WaitForVisibleTopLevel(game.Pid(), "XTPDockingPaneMiniWnd", 3000);
    if (hMini != NULL)
        Wait(500);
    return hMini;
}

// The game started in front with its profile panes shown and floated, and
// a watchdog that ends it should the test hang.
struct GameWithFloatingProfilePanes
{
    testsupport::Watchdog watchdog;
    Game game;
    HWND hMini = NULL;

    explicit GameWithFloatingProfilePanes(const char* pszWhat) : watchdog(pszWhat, 120000) {}

    void Start()
    {
        ASSERT_TRUE(game.Frame() != NULL);
        watchdog.AlsoEnd(game.Process());
        game.ToFront();
        game.Command(ID_DIFFICULTY_PANE);
        hMini = FloatProfilePanes(game);
        ASSERT_TRUE(hMini != NULL) << "the profile panes did not float";
    }
};

// Opens the File menu with a click on its entry, the first of the menu
// bar, the top bar of the frame; the menu's window once it shows, else NULL.
HWND OpenFileMenuByClick(const Game& game)
{
    HWND hMenuBar = NULL;
    RECT rc = {};
    for (HWND hBar : Descendants(game.Frame(), "", "XTPToolBar"))
    {
        const RECT rcBar = WindowRect(hBar);
        if (::IsWindowVisible(hBar) && (hMenuBar == NULL || rcBar.top < rc.top))
        {
            hMenuBar = hBar;
            rc = rcBar;
        }
    }
    if (hMenuBar == NULL)
        return NULL;
    DisplayClickAt({rc.left + 28, (rc.top + rc.bottom) / 2});
    HWND hMenu = WaitForVisibleTopLevel(game.Pid(), "XTPPopupBar", 3000);
    if (hMenu != NULL)
        Wait(300);  // its animation, if any, has drawn it whole
    return hMenu;
}

// The screen point on the name of a row of a grid's view, its own row and
// no other: a little right of where the name starts (the rows of a
// category are indented), on the row's middle.
bool RowNamePoint(HWND hView, int nRow, POINT& pt)
{
    RECT rcRow = {}, rcClient = {};
    if (::SendMessage(hView, LB_GETITEMRECT, (WPARAM)nRow, (LPARAM)&rcRow) == LB_ERR)
        return false;
    ::GetClientRect(hView, &rcClient);
    if (rcRow.bottom > rcClient.bottom || rcRow.top < 0)
        return false;
    pt = {rcRow.left + 30, (rcRow.top + rcRow.bottom) / 2};
    ::ClientToScreen(hView, &pt);
    return true;
}

// Closes the open menus with Escape and waits until none shows.
void CloseMenus(const Game& game)
{
    for (int n = 0; n < 4 && !VisibleTopLevels(game.Pid(), "XTPPopupBar").empty(); n++)
        PressDisplayKeys("Escape");
}

// With the File menu open, a click on the name of each row of the grid
// shown in the view (those the menu does not cover) closes the menu (the
// menu goes from the screen) and selects that row.
void ExpectRowNameClicksCloseTheFileMenu(const Game& game, HWND hView, const char* pszWhere)
{
    const int nRows = (int)::SendMessage(hView, LB_GETCOUNT, 0, 0);
    ASSERT_GT(nRows, 1) << pszWhere;
    ::SetForegroundWindow(game.Frame());
    HWND hMenu = OpenFileMenuByClick(game);
    ASSERT_TRUE(hMenu != NULL) << pszWhere << ": the File menu did not open";
    RECT rcCovered = WindowRect(hMenu);
    ::InflateRect(&rcCovered, 8, 8);    // and its shadow
    CloseMenus(game);

    int nClicked = 0;
    for (int nRow = 0; nRow < nRows; nRow++)
    {
        POINT pt;
        if (!RowNamePoint(hView, nRow, pt) || ::PtInRect(&rcCovered, pt))
            continue;
        // Each round starts from the board's frame.
        ::SetForegroundWindow(game.Frame());
        hMenu = OpenFileMenuByClick(game);
        ASSERT_TRUE(hMenu != NULL) << pszWhere << ": the File menu did not open (row " << nRow << ")";
        const RECT rcMenu = WindowRect(hMenu);
        const std::vector<COLORREF> menuShown = ScreenSamples(rcMenu);
        if (nClicked == 0)
        {
            EXPECT_FALSE(testsupport::SaveScreenSnapshot(::GetDesktopWindow(),
                                                         std::string("file_menu_open_") + pszWhere)
                             .empty());
        }

        DisplayClickAt(pt);
        for (int n = 0; n < 40 && ::IsWindowVisible(hMenu); n++)
            Wait(50);
        EXPECT_FALSE(::IsWindowVisible(hMenu)) << pszWhere << ": row " << nRow << " clicked, the menu stays open";
        Wait(300);
        EXPECT_LT(PercentSame(menuShown, ScreenSamples(rcMenu)), 90)
            << pszWhere << ": row " << nRow << " clicked, the screen still shows the menu";
        EXPECT_EQ(nRow, (int)::SendMessage(hView, LB_GETCURSEL, 0, 0))
            << pszWhere << ": the click on the name of row " << nRow << " did not reach the row";
        if (::IsWindowVisible(hMenu))
        {
            EXPECT_FALSE(testsupport::SaveScreenSnapshot(::GetDesktopWindow(),
                                                         std::string("menu_left_open_") + pszWhere)
                             .empty());
            CloseMenus(game);
        }
        nClicked++;
    }
    EXPECT_GT(nClicked, 3) << pszWhere << ": too few rows shown outside the menu to click";
}

// The screen rectangle of a window's caption close button: where the
// window answers HTCLOSE, looked for along its top right.
RECT CloseButtonRect(HWND hWnd)
{
    const RECT rcWindow = WindowRect(hWnd);
    RECT rc = {0, 0, 0, 0};
    for (int y = rcWindow.top; y < rcWindow.top + 40; y++)
        for (int x = rcWindow.right - 40; x < rcWindow.right; x++)
        {
            if (::SendMessage(hWnd, WM_NCHITTEST, 0, MAKELPARAM(x, y)) != HTCLOSE)
                continue;
            if (::IsRectEmpty(&rc))
                rc = {x, y, x + 1, y + 1};
            rc = {std::min(rc.left, (LONG)x), std::min(rc.top, (LONG)y), std::max(rc.right, (LONG)x + 1),
                  std::max(rc.bottom, (LONG)y + 1)};
        }
    return rc;
}

// The pixels of a screen rectangle drawn in a dark colour (a glyph drawn
// as enabled; a greyed one is drawn in shadow and highlight colours).
int DarkPixels(const RECT& rc)
{
    int nDark = 0;
    HDC hScreen = ::GetDC(NULL);
    for (int y = rc.top; y < rc.bottom; y++)
        for (int x = rc.left; x < rc.right; x++)
        {
            const COLORREF cr = ::GetPixel(hScreen, x, y);
            nDark += GetRValue(cr) < 80 && GetGValue(cr) < 80 && GetBValue(cr) < 80 ? 1 : 0;
        }
    ::ReleaseDC(NULL, hScreen);
    return nDark;
}

// The property-grid name tips of the game that show.
std::vector<HWND> VisibleRowTips(const Game& game)
{
    return VisibleTopLevels(game.Pid(), "XTPPropertyGridToolTip");
}

// The game's fixture; the input goes through the display.
class BrindlemarkPaneInput : public Brindlemark
{
protected:
    void SetUp() override
    {
        Brindlemark::SetUp();
        if (IsSkipped())
            return;
        ASSERT_TRUE(testsupport::HasDisplayInput()) << "xdotool is missing: run scripts/setup.sh";
    }
    void TearDown() override
    {
        Brindlemark::TearDown();
        ClearSettings();
    }
};
} // namespace

// The File menu open, a click on a row's name in a profile pane, docked
// and then floating, closes the menu as a click anywhere outside the menus
// does, and the click selects the row.
TEST_F(BrindlemarkPaneInput, AClickOnARowNameInAProfilePaneClosesTheOpenMenu)
{
    testsupport::Watchdog watchdog("clicks on row names with the File menu open", 240000);
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    watchdog.AlsoEnd(game.Process());
    game.ToFront();

    game.Command(ID_DIFFICULTY_PANE);
    HWND hDocked = LargestGridView(game.Frame());
    ASSERT_TRUE(hDocked != NULL) << "no profile pane with a grid is docked";
    ExpectRowNameClicksCloseTheFileMenu(game, hDocked, "docked");

    HWND hMini = FloatProfilePanes(game);
    ASSERT_TRUE(hMini != NULL) << "the profile panes did not float";
    HWND hFloating = LargestGridView(hMini);
    ASSERT_TRUE(hFloating != NULL) << "the floating pane shows no grid";
    ExpectRowNameClicksCloseTheFileMenu(game, hFloating, "floating");

    EXPECT_TRUE(game.IsRunning());
}

// A click inside a floating profile pane, then Alt+F4: the game closes (the
// pane belongs to the game's frame, as its menus and keys do), and neither
// its frame nor the pane is left on the screen.
TEST_F(BrindlemarkPaneInput, AltF4AfterAClickInAFloatingPaneClosesTheGame)
{
    GameWithFloatingProfilePanes setup("Alt+F4 in a floating pane");
    ASSERT_NO_FATAL_FAILURE(setup.Start());
    Game& game = setup.game;
    HWND hFrame = game.Frame();
    HWND hMini = setup.hMini;

    const RECT rcMini = WindowRect(hMini);
    DisplayClickAt({(rcMini.left + rcMini.right) / 2, rcMini.bottom - 30});
    const std::vector<COLORREF> paneShown = ScreenSamples(rcMini);
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(::GetDesktopWindow(), "floating_pane_clicked").empty());

    PressDisplayKeys("alt+F4");
    const int nExit = game.WaitForExit();
    EXPECT_EQ(0, nExit) << "Alt+F4 in the floating pane did not close the game";
    if (nExit != 0)
    {
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(::GetDesktopWindow(), "after_alt_f4").empty());
        EXPECT_EQ(0u, VisibleTopLevels(game.Pid(), "XTPDockingPaneMiniWnd").size())
            << "the floating pane is still shown";
    }
    else
    {
        // What the screen shows where the pane and the frame were: neither.
        Wait(500);
        EXPECT_LT(PercentSame(paneShown, ScreenSamples(rcMini)), 50) << "the pane's picture stays on the screen";
        EXPECT_FALSE(::IsWindow(hFrame));
    }
}

// The game's profile panes cannot be closed, so a floating pane's caption
// close button shows greyed, before and after a click into the pane, and a
// click on it leaves the pane and the game as they were. (Alt+F4 in the
// pane still closes the game: the test above.)
TEST_F(BrindlemarkPaneInput, AFloatingPanesCloseButtonShowsGreyedAndAClickOnItChangesNothing)
{
    GameWithFloatingProfilePanes setup("the close button of a floating pane");
    ASSERT_NO_FATAL_FAILURE(setup.Start());
    Game& game = setup.game;
    HWND hMini = setup.hMini;

    const RECT rcButton = CloseButtonRect(hMini);
    ASSERT_FALSE(::IsRectEmpty(&rcButton)) << "the floating pane has no close button";
    EXPECT_EQ(0, DarkPixels(rcButton)) << "the close button shows enabled";
    const RECT rcMini = WindowRect(hMini);
    DisplayClickAt({(rcMini.left + rcMini.right) / 2, rcMini.bottom - 30});
    EXPECT_EQ(0, DarkPixels(rcButton)) << "the close button shows enabled once the pane has the keyboard";
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(::GetDesktopWindow(), "floating_pane_close_button").empty());

    DisplayClickAt({(rcButton.left + rcButton.right) / 2, (rcButton.top + rcButton.bottom) / 2});
    Wait(500);
    EXPECT_TRUE(::IsWindowVisible(hMini)) << "the click on the greyed close button closed the pane";
    EXPECT_EQ(1u, VisibleTopLevels(game.Pid(), "XTPDockingPaneMiniWnd").size());
    EXPECT_EQ(0, DarkPixels(rcButton)) << "the close button shows enabled after a click on it";
    EXPECT_TRUE(game.IsRunning());
}

// The Appearance pane lying over the Difficulty pane, the game started with
// the pointer resting where the Appearance pane hides a Difficulty row's
// cut-off name: a row's name tip shows only for the pane the screen shows
// there, at the start and after a small move of the pointer, and a tip
// shown goes when the other pane comes over its row.
TEST_F(BrindlemarkPaneInput, ARowsNameTipShowsOnlyForThePaneSeenUnderThePointer)
{
    GameWithFloatingPanes setup("row name tips of overlapping panes", 200000);
    ASSERT_NO_FATAL_FAILURE(setup.Start(false, false));
    POINT ptRest = {-1, -1};
    {
        HWND hAppearance = setup.panes[0].hWnd, hDifficulty = setup.panes[1].hWnd;
        ASSERT_TRUE(MoveTopLevel(hDifficulty, 300, 200, 200, 300));
        // The Appearance pane's caption clicked apart from the other pane
        // (it comes up), then the pane moved over the other.
        ASSERT_TRUE(MoveTopLevel(hAppearance, 600, 330, 200, 300));
        DisplayClickAt({660, 337});
        ASSERT_TRUE(MoveTopLevel(hAppearance, 320, 330, 200, 300));
        ASSERT_EQ(hAppearance, AboveOnTheDisplay(hAppearance, hDifficulty)) << "the Appearance pane is not on top";
        // A Difficulty row whose name the Appearance pane's grid hides.
        HWND hView = LargestGridView(hDifficulty);
        ASSERT_TRUE(hView != NULL);
        RECT rcCovering = WindowRect(hAppearance);
        ::InflateRect(&rcCovering, 0, -40);
        const int nRows = (int)::SendMessage(hView, LB_GETCOUNT, 0, 0);
        for (int nRow = 0; nRow < nRows && ptRest.x < 0; nRow++)
        {
            POINT pt;
            if (RowNamePoint(hView, nRow, pt) && ::PtInRect(&rcCovering, pt) && pt.x > rcCovering.left + 5)
                ptRest = pt;
        }
        ASSERT_GE(ptRest.x, 0) << "no Difficulty row lies under the Appearance pane";
        ASSERT_EQ(0, setup.pGame->Close());
    }

    EXPECT_TRUE(testsupport::DisplayMove(ptRest));
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    setup.watchdog.AlsoEnd(game.Process());
    EXPECT_FALSE(SplashStays(game.Pid(), 10000)) << "the splash stays";
    std::vector<SeenWindow> panes = FloatingWindowsOf(game);
    ASSERT_EQ(2u, panes.size()) << "both profile panes float after the restart";
    HWND hAppearance = panes[0].hWnd, hDifficulty = panes[1].hWnd;
    // Each visible name tip belongs to the pane the display shows on top.
    auto ExpectTipsOfTheShownPane = [&](const char* pszWhen) {
        Wait(1500);
        HWND hShown = AboveOnTheDisplay(hAppearance, hDifficulty);
        ASSERT_TRUE(hShown != NULL) << pszWhen << ": the display's order of the panes is unknown";
        for (HWND hTip : VisibleRowTips(game))
        {
            EXPECT_EQ(hShown, ::GetWindow(hTip, GW_OWNER))
                << pszWhen << ": the tip \"" << WindowText(hTip) << "\" shows over the pane that hides its row";
        }
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(::GetDesktopWindow(), std::string("row_tip_") + pszWhen).empty());
    };
    // A pane raised in the system's order (as another program may raise it).
    // Without a window manager the screen follows; with one, what the
    // display then shows decides what is expected.
    auto Raise = [](HWND hWnd) {
        ::SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    };
    ExpectTipsOfTheShownPane("started");
    EXPECT_TRUE(testsupport::DisplayMove({ptRest.x + 2, ptRest.y}));
    ExpectTipsOfTheShownPane("moved");

    // The Difficulty pane on top, its row's tip shown; then the Appearance
    // pane comes over the row.
    Raise(hDifficulty);
    EXPECT_TRUE(testsupport::DisplayMove(ptRest));
    ExpectTipsOfTheShownPane("difficulty_raised");
    Raise(hAppearance);
    ExpectTipsOfTheShownPane("appearance_raised");
    EXPECT_TRUE(testsupport::DisplayMove({ptRest.x + 2, ptRest.y}));
    ExpectTipsOfTheShownPane("moved_over_appearance");
    EXPECT_EQ(0, game.Close());
}

// A quick click on the border of a floating pane, made while the frame was
// the active window, starts no sizing: the pane keeps its size however the
// pointer moves afterwards, and the screen beside it shows what it showed. A
// drag on the border sizes the pane, and the sizing ends where the button is
// let go.
TEST_F(BrindlemarkPaneInput, AQuickClickOnAFloatingPanesBorderLeavesItsSizeAndADragEndsAtTheRelease)
{
    GameWithFloatingProfilePanes setup("clicks on a floating pane's border");
    ASSERT_NO_FATAL_FAILURE(setup.Start());
    Game& game = setup.game;
    HWND hFrame = game.Frame();
    HWND hMini = setup.hMini;

    const RECT rcPane = WindowRect(hMini);
    const POINT ptBorder = {rcPane.right - 2, (rcPane.top + rcPane.bottom) / 2};
    ASSERT_EQ(HTRIGHT, (int)::SendMessage(hMini, WM_NCHITTEST, 0, MAKELPARAM(ptBorder.x, ptBorder.y)))
        << "no right border at " << ptBorder.x << "," << ptBorder.y;
    const RECT rcFrame = WindowRect(hFrame);
    const POINT ptFrameCaption = {(rcFrame.left + rcFrame.right) / 2 + 100, rcFrame.top + 8};
    const POINT ptAway = {ptBorder.x + 200, ptBorder.y + 20};
    // A strip beside the pane, where a wider pane would show.
    const RECT rcBeside = {rcPane.right + 20, rcPane.top + 40, rcPane.right + 180, rcPane.bottom - 40};
    const std::vector<COLORREF> besideBefore = ScreenSamples(rcBeside);

    for (int nRound = 0; nRound < 3; nRound++)
    {
        EXPECT_TRUE(testsupport::DisplayClick(ptFrameCaption));
        Wait(500);
        EXPECT_TRUE(testsupport::DisplayClick(ptBorder));
        Wait(300);
        EXPECT_TRUE(testsupport::DisplayMove(ptAway));
        Wait(700);
        const RECT rcNow = WindowRect(hMini);
        EXPECT_EQ(rcPane.right - rcPane.left, rcNow.right - rcNow.left) << "round " << nRound << ": sized by a click";
        EXPECT_GE(PercentSame(besideBefore, ScreenSamples(rcBeside)), 90)
            << "round " << nRound << ": the screen beside the pane changed";
        if (rcNow.right - rcNow.left != rcPane.right - rcPane.left)
        {
            EXPECT_FALSE(testsupport::SaveScreenSnapshot(::GetDesktopWindow(), "pane_sized_by_a_click").empty());
            EXPECT_TRUE(testsupport::DisplayClick(ptAway));     // ends the sizing
            break;
        }
    }

    // A drag of 100 pixels to the right widens the pane by about that much,
    // and the pointer moving on after the release leaves it so.
    EXPECT_TRUE(testsupport::DisplayDrag(ptBorder, {ptBorder.x + 100, ptBorder.y}));
    Wait(700);
    const RECT rcDragged = WindowRect(hMini);
    EXPECT_NEAR(rcPane.right - rcPane.left + 100, rcDragged.right - rcDragged.left, 12) << "the drag";
    EXPECT_TRUE(testsupport::DisplayMove({ptBorder.x + 300, ptBorder.y + 40}));
    Wait(700);
    const RECT rcAfter = WindowRect(hMini);
    EXPECT_EQ(rcDragged.right - rcDragged.left, rcAfter.right - rcAfter.left) << "sized after the release";
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(::GetDesktopWindow(), "pane_border_dragged").empty());
    EXPECT_TRUE(game.IsRunning());
}

namespace
{
// How much of a window the screen shows once it has settled (read again
// for up to two seconds while it is less than all but a little).
int PercentSeenSettled(const SeenWindow& window)
{
    int nSeen = PercentSeen(window, NULL);
    for (int n = 0; n < 20 && nSeen < 95; n++)
    {
        Wait(100);
        nSeen = PercentSeen(window, NULL);
    }
    return nSeen;
}

// The dialog lies whole on the screen over the game's other windows, and
// the display stacks it above each of the windows given; under a window
// manager, above each of the game's other windows in the display's
// stacking.
void ExpectDialogInFront(const SeenWindow& dialog, const char* pszWhen, const std::vector<HWND>& below = {})
{
    if (WindowsAreManaged())
    {
        // The display's stacking once it has settled (read again for up to
        // two seconds): above every other window of the game (the screen's
        // pixels are read where the system places the dialog, which a
        // window manager may have shifted, icewm).
        HWND hAbove = NULL;
        for (int n = 0; n < 20 && (n == 0 || hAbove != NULL); n++)
        {
            if (n > 0)
                Wait(100);
            hAbove = NULL;
            for (HWND hOther : VisibleTopLevelsOfProcess(dialog.hWnd))
                if (hAbove == NULL && AboveOnTheDisplay(dialog.hWnd, hOther) != dialog.hWnd)
                    hAbove = hOther;
        }
        EXPECT_TRUE(hAbove == NULL) << pszWhen << ": " << dialog.strName << " lies under \"" << WindowText(hAbove)
                                    << "\" on the display";
        return;
    }
    const int nSeen = PercentSeenSettled(dialog);
    EXPECT_GE(nSeen, 90) << pszWhen << ": " << dialog.strName << " is covered (" << nSeen << "% of it seen)";
    for (HWND hBelow : below)
        EXPECT_EQ(dialog.hWnd, AboveOnTheDisplay(dialog.hWnd, hBelow))
            << pszWhen << ": " << dialog.strName << " lies under \"" << WindowText(hBelow) << "\" on the display";
    if (nSeen < 90)
    {
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(::GetDesktopWindow(), std::string("dialog_covered_") + pszWhen)
                         .empty());
    }
}

// A click with the display's pointer on the middle of a dialog's button.
void DisplayClickButton(HWND hDialog, const char* pszText)
{
    const std::vector<HWND> buttons = Descendants(hDialog, pszText, "Button");
    ASSERT_FALSE(buttons.empty()) << "no button " << pszText;
    const RECT rc = WindowRect(buttons[0]);
    DisplayClickAt({(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
}

// Escape by the display's keyboard closes the dialog (posted Cancel closes
// it when the key did not reach it, so the test goes on).
void EscapeCloses(HWND hDialog)
{
    PressDisplayKeys("Escape");
    EXPECT_TRUE(WaitUntilGone(hDialog, 5000)) << "Escape did not reach the dialog";
    if (::IsWindow(hDialog))
    {
        ::PostMessage(hDialog, WM_COMMAND, IDCANCEL, 0);
        ASSERT_TRUE(WaitUntilGone(hDialog));
    }
}
} // namespace

// The colour dialog of a floating pane's colour row holds the whole game:
// while it is open the frame and every floating window refuse input, a
// click on the game's File menu opens nothing (so File > Exit cannot end the
// game under the dialog), clicks on the frame's title bar and on the other
// pane leave the dialog whole in front, and Escape reaches the dialog. Once
// it is closed the game takes input again, and the next colour dialog
// opens in front too.
TEST_F(BrindlemarkPaneInput, AColourDialogOfAFloatingPaneHoldsTheWholeGame)
{
    GameWithFloatingPanes setup("a colour dialog of a floating pane", 200000);
    ASSERT_NO_FATAL_FAILURE(setup.Start(true, true));
    Game& game = *setup.pGame;
    HWND hFrame = game.Frame();
    const SeenWindow& appearance = setup.panes[0];
    const SeenWindow& difficulty = setup.panes[1];

    for (int nRound = 0; nRound < 2; nRound++)
    {
        HWND hColours = OpenColourDialogOfThePane(game, appearance.hWnd);
        ASSERT_TRUE(hColours != NULL) << "round " << nRound << ": no colour dialog";
        // The other pane lies under the dialog's OK and Cancel buttons (and
        // reaches out right of it, where it is clicked later).
        const RECT rcDialog = WindowRect(hColours);
        EXPECT_TRUE(MoveTopLevel(difficulty.hWnd, rcDialog.right - 120, rcDialog.top + 20, 200, 300));
        const POINT ptOtherPane = {rcDialog.right + 40, rcDialog.top + 170};
        SeenWindow dialog{"Colors", hColours, {}};
        TakeSignature(dialog);
        ExpectDialogInFront(dialog, nRound == 0 ? "opened" : "opened_again");

        EXPECT_FALSE(::IsWindowEnabled(hFrame)) << "the frame takes input under the dialog";
        for (const SeenWindow& window : setup.panes)
            EXPECT_FALSE(::IsWindowEnabled(window.hWnd)) << window.strName << " takes input under the dialog";

        // The File menu's entry, the first of the menu bar.
        const RECT rcFrame = WindowRect(hFrame);
        RECT rcMenuBar = {};
        for (HWND hBar : Descendants(hFrame, "", "XTPToolBar"))
            if (::IsWindowVisible(hBar) && (rcMenuBar.bottom == 0 || WindowRect(hBar).top < rcMenuBar.top))
                rcMenuBar = WindowRect(hBar);
        ASSERT_GT(rcMenuBar.bottom, 0) << "no menu bar";
        DisplayClickAt({rcMenuBar.left + 28, (rcMenuBar.top + rcMenuBar.bottom) / 2});
        Wait(700);
        EXPECT_FALSE(AnyPopupBarVisible(game.Pid())) << "the File menu opens under the dialog";
        ExpectDialogInFront(dialog, "file_menu_clicked");

        // The frame's title bar (the window manager's, where there is one),
        // then the other pane.
        DisplayClickAt({(rcFrame.left + rcFrame.right) / 2 + 100, rcFrame.top + 8});
        ExpectDialogInFront(dialog, "title_bar_clicked");
        DisplayClickAt(ptOtherPane);
        ExpectDialogInFront(dialog, "other_pane_clicked");
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(::GetDesktopWindow(), "colour_dialog_after_clicks").empty());

        ASSERT_NO_FATAL_FAILURE(EscapeCloses(hColours));
        ASSERT_TRUE(game.IsRunning());
        EXPECT_TRUE(::IsWindowEnabled(hFrame)) << "the frame stays disabled";
        for (const SeenWindow& window : setup.panes)
            EXPECT_TRUE(::IsWindowEnabled(window.hWnd)) << window.strName << " stays disabled";
    }
    EXPECT_EQ(0, game.Close());
    ClearSettings();
}

// Both profile panes shown stand side by side, Difficulty then Appearance,
// then the board. The Appearance pane dragged by its caption into the band
// at the Difficulty pane's left edge docks left of it, where the pointer
// said, each keeping its width; the board keeps the rest.
TEST_F(BrindlemarkPaneInput, AProfilePaneDraggedToItsNeighboursLeftEdgeDocksThere)
{
    testsupport::Watchdog watchdog("a profile pane dragged beside the other", 120000);
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    watchdog.AlsoEnd(game.Process());
    game.ToFront();
    ChooseProfilePaneEntry(game, false);
    std::vector<HWND> containers = VisibleDescendants(game.Frame(), "XTPDockingPaneTabbedContainer");
    ASSERT_EQ(1u, containers.size());
    // The Appearance pane's own window moves with it into whatever
    // container holds it.
    HWND hAppearanceWindow = ::FindWindowExA(containers[0], NULL, "Static", NULL);
    ASSERT_TRUE(hAppearanceWindow != NULL);
    ChooseProfilePaneEntry(game, true);
    containers = VisibleDescendants(game.Frame(), "XTPDockingPaneTabbedContainer");
    ASSERT_EQ(2u, containers.size());
    HWND hAppearance = ::GetParent(hAppearanceWindow);
    HWND hDifficulty = containers[0] == hAppearance ? containers[1] : containers[0];
    RECT rcAppearance, rcDifficulty, rcView;
    ::GetWindowRect(hAppearance, &rcAppearance);
    ::GetWindowRect(hDifficulty, &rcDifficulty);
    HWND hView = ::GetDlgItem(game.Frame(), AFX_IDW_PANE_FIRST);
    ASSERT_TRUE(hView != NULL);
    ::GetWindowRect(hView, &rcView);
    ASSERT_LT(rcDifficulty.right, rcAppearance.left) << "Difficulty, then Appearance";
    ASSERT_LT(rcAppearance.right, rcView.left) << "then the board";

    const POINT ptCaption = {rcAppearance.left + 20, rcAppearance.top + 8};
    const POINT ptBand = {rcDifficulty.left + 6, (rcDifficulty.top + rcDifficulty.bottom) / 2};
    ASSERT_TRUE(testsupport::DisplayDrag(ptCaption, ptBand));
    Wait(500);

    hAppearance = ::GetParent(hAppearanceWindow);
    ASSERT_TRUE(hAppearance != NULL && ::IsWindowVisible(hAppearance));
    RECT rcNow, rcDifficultyNow, rcViewNow;
    ::GetWindowRect(hAppearance, &rcNow);
    ::GetWindowRect(hDifficulty, &rcDifficultyNow);
    ::GetWindowRect(hView, &rcViewNow);
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(game.Frame(), "appearance_docked_left_of_difficulty").empty());
    EXPECT_EQ(rcDifficulty.left, rcNow.left) << "Appearance takes the left edge";
    EXPECT_EQ(rcAppearance.right - rcAppearance.left, rcNow.right - rcNow.left);
    EXPECT_EQ(rcDifficulty.top, rcNow.top);
    EXPECT_EQ(rcDifficulty.bottom, rcNow.bottom);
    EXPECT_LT(rcNow.right, rcDifficultyNow.left) << "left of Difficulty";
    EXPECT_EQ(rcDifficulty.right - rcDifficulty.left, rcDifficultyNow.right - rcDifficultyNow.left);
    EXPECT_LT(rcDifficultyNow.right, rcViewNow.left) << "then the board";
    EXPECT_EQ(rcView.left, rcViewNow.left);
    EXPECT_EQ(0, game.Close());
}

// A dialog opened from a dialog (the Appearance Profile List from New
// Puzzle): clicks on the floating Appearance pane and the Timer, each lying
// over New Puzzle and reaching out beside the list, then the list's Close.
// New Puzzle, active again, is seen whole above both.
TEST_F(BrindlemarkPaneInput, TheDialogActiveAgainWhenADialogOpenedFromItClosesLiesAboveTheFloatingWindows)
{
    GameWithFloatingPanes setup("a dialog opened from a dialog", 200000);
    ASSERT_NO_FATAL_FAILURE(setup.Start(true, true));
    Game& game = *setup.pGame;
    ASSERT_EQ(3u, setup.panes.size()) << "both panes and the Timer float";
    HWND hAppearance = setup.panes[0].hWnd, hTimer = setup.panes[2].hWnd;
    ::PostMessage(game.Frame(), WM_COMMAND, ID_NEW_PUZZLE, 0);
    HWND hNew = WaitForWindow(game.Pid(), "New Puzzle");
    ASSERT_TRUE(hNew != NULL);
    // Its picture as it shows once the "..." was pressed (which then has
    // the focus).
    ::SendMessage(hNew, WM_NEXTDLGCTL, (WPARAM)::GetDlgItem(hNew, IDC_EDIT_APPEARANCE_PROFILES), TRUE);
    Wait(500);
    SeenWindow newPuzzle{"New Puzzle", hNew, {}};
    TakeSignature(newPuzzle);
    ASSERT_NO_FATAL_FAILURE(ClickDialogButton(hNew, IDC_EDIT_APPEARANCE_PROFILES));
    HWND hList = WaitForWindow(game.Pid(), "Appearance Profile List", 5000);
    ASSERT_TRUE(hList != NULL) << "the \"...\" opened no list";
    Wait(500);

    // The pane over New Puzzle's left part, out left of the list; the Timer
    // over its right part, out right of the list.
    const RECT rcNew = WindowRect(hNew), rcList = WindowRect(hList);
    const RECT rcPane = WindowRect(hAppearance);
    const int xPane = rcList.left - 60;
    ASSERT_GE(xPane, 0) << "no room left of the list";
    ASSERT_TRUE(MoveTopLevel(hAppearance, xPane, rcNew.top - 20,
                             std::max<int>(rcPane.right - rcPane.left, rcNew.left + 80 - xPane),
                             rcPane.bottom - rcPane.top));
    const RECT rcBar = WindowRect(hTimer);
    ASSERT_TRUE(MoveTopLevel(hTimer, rcList.right + 60 - (rcBar.right - rcBar.left), rcNew.top + 20, 0, 0));
    const RECT rcTimer = WindowRect(hTimer);
    ASSERT_LT(rcTimer.left, rcNew.right - 20) << "the Timer does not reach New Puzzle";

    DisplayClickAt({rcList.left - 30, (rcNew.top + rcNew.bottom) / 2});
    DisplayClickAt({rcList.right + 30, (rcTimer.top + rcTimer.bottom) / 2});
    ASSERT_NO_FATAL_FAILURE(DisplayClickButton(hList, "Close"));
    EXPECT_TRUE(WaitUntilGone(hList, 5000)) << "the list's Close";
    ASSERT_TRUE(::IsWindowVisible(hNew));
    ExpectDialogInFront(newPuzzle, "the_list_closed", {hAppearance, hTimer});
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(::GetDesktopWindow(), "new_puzzle_after_the_list").empty());

    ClickDialogButton(hNew, IDCANCEL);
    EXPECT_TRUE(WaitUntilGone(hNew));
    EXPECT_EQ(0, game.Close());
}

// The Customize sheet open, a quick click on a floating pane's caption
// leaves no drag behind, and the colour dialog of the pane's colour row
// opens: the dialog holds the sheet too (it
// takes no input, and a click on its caption leaves the dialog whole above
// it), and once the dialog is closed the sheet's Close closes it.
TEST_F(BrindlemarkPaneInput, AColourDialogOpenedWhileTheCustomizeSheetIsOpenHoldsTheSheet)
{
    GameWithFloatingPanes setup("a colour dialog with the Customize sheet open", 200000);
    ASSERT_NO_FATAL_FAILURE(setup.Start(true, true));
    Game& game = *setup.pGame;
    HWND hAppearance = setup.panes[0].hWnd;
    HWND hSheet = OpenCustomize(game);
    ASSERT_TRUE(hSheet != NULL) << "the Customize sheet did not open";
    // A quick click on the pane's caption by the display's pointer ends
    // there: the pointer moving away afterwards leaves the pane in place,
    // and no drag holds the mouse.
    const RECT rcPane = WindowRect(hAppearance);
    const POINT ptCaption = {rcPane.left + 40, rcPane.top + 8};
    ASSERT_EQ(HTCAPTION, (int)::SendMessage(hAppearance, WM_NCHITTEST, 0, MAKELPARAM(ptCaption.x, ptCaption.y)));
    DisplayClickAt(ptCaption);
    EXPECT_TRUE(testsupport::DisplayMove({ptCaption.x + 150, ptCaption.y + 120}));
    Wait(700);
    const RECT rcAfter = WindowRect(hAppearance);
    EXPECT_TRUE(::EqualRect(&rcPane, &rcAfter)) << "the pane follows the pointer";
    GUITHREADINFO gti = {};
    gti.cbSize = sizeof(gti);
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(game.Frame(), NULL), &gti);
    EXPECT_TRUE(gti.hwndCapture == NULL) << "a drag holds the mouse after the click";
    // A click on a colour row of the pane, then on its "...".
    HWND hColours = OpenColourDialogOfThePane(game, hAppearance);
    if (hColours == NULL)
        testsupport::SaveScreenSnapshot(::GetDesktopWindow(), "no_colour_dialog_with_the_sheet");
    ASSERT_TRUE(hColours != NULL) << "no colour dialog";
    Wait(500);
    SeenWindow dialog{"Colors", hColours, {}};
    TakeSignature(dialog);
    EXPECT_FALSE(::IsWindowEnabled(hSheet)) << "the sheet takes input under the dialog";

    // The sheet below the dialog, over a side of it, its caption out beside
    // it (on the screen: a window manager keeps windows there).
    const RECT rcDialog = WindowRect(hColours), rcSheet = WindowRect(hSheet);
    const int cxSheet = rcSheet.right - rcSheet.left;
    const bool bLeft = rcDialog.left - cxSheet + 120 >= 0;
    // (A window manager's title bar on it is not where the program draws
    // one: the move is not waited for as MoveTopLevel waits.)
    ::SetWindowPos(hSheet, NULL, bLeft ? rcDialog.left - cxSheet + 120 : rcDialog.right - 120, rcDialog.top + 40, 0, 0,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
    Wait(800);
    ExpectDialogInFront(dialog, "sheet_moved", {hSheet});
    DisplayClickAt({bLeft ? rcDialog.left - 60 : rcDialog.right + 60, WindowRect(hSheet).top + 10});
    ExpectDialogInFront(dialog, "sheet_caption_clicked", {hSheet});
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(::GetDesktopWindow(), "colour_dialog_over_the_sheet").empty());

    ASSERT_NO_FATAL_FAILURE(EscapeCloses(hColours));
    EXPECT_TRUE(::IsWindowEnabled(hSheet)) << "the sheet stays disabled";
    ASSERT_NO_FATAL_FAILURE(DisplayClickButton(hSheet, "Close"));
    EXPECT_TRUE(WaitUntilGone(hSheet, 5000)) << "the sheet's Close does nothing";
    EXPECT_EQ(0, game.Close());
}
