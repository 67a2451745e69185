// The order of the game's windows on the screen where a player's action
// once left it wrong: a property-grid row's tip of a floating pane shown for
// a game that is not in front, a click on the floating Timer in customise
// mode, a click on a floating pane that the game's question disables,
// another program brought up just after a question was answered, clicks on
// the floating windows and the frame's caption and a restart, another
// program's minimise and restore, a question asked under another
// program's always-on-top window, exits with another program's window open
// and a round to another program and back, a click on a floating window
// under each of the game's modal windows and beside each modal window of
// the Customize sheet, and the window manager's own switching and lowering.
// Each is judged by what the screen shows. Run on the
// tests' display without a window manager and, by
// app_brindlemark_test_desktop, on a display with one.
// ctest: run-serial
// ctest: lock registry
#include "brindlemark_fixture.h"
#include "brindlemark_floating.h"

#include "support/hostinput.h"
#include "support/snapshot.h"
#include "support/watchdog.h"

#include "resource.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace gametest;

namespace
{
class WindowOrder : public Brindlemark
{
};

// A click of the display's own pointer (xdotool), which a window manager
// sees as a player's click; false when the tool cannot be run. The tests'
// usual input goes to Wine only, which a window manager never sees.
bool ClickOnTheDisplay(POINT pt)
{
    char szCommand[96];
    snprintf(szCommand, sizeof(szCommand), "xdotool mousemove %ld %ld click 1 && echo clicked", (long)pt.x,
             (long)pt.y);
    std::string strOutput;
    if (!testsupport::RunOnHost(szCommand, &strOutput, 3000) || strOutput.find("clicked") == std::string::npos)
        return false;
    Wait(300);
    return true;
}

// The game started again after the Timer was floated, with both profile
// panes floating too: the three floating windows placed over the board and
// seen in front of the frame.
struct FloatingOverTheBoard : GameWithFloatingPanes
{
    explicit FloatingOverTheBoard(const char* pszWhat, DWORD dwMilliseconds = 150000)
        : GameWithFloatingPanes(pszWhat, dwMilliseconds)
    {
    }

    // bStandardToo: the Standard toolbar floats too.
    void Start(bool bStandardToo = false)
    {
        ASSERT_NO_FATAL_FAILURE(GameWithFloatingPanes::Start(true, true, bStandardToo));
        ExpectFloatingWindowsInFront(*pGame, panes, "started", NULL);
    }

    // Activates the game from this program and expects its floating windows
    // in front of it again.
    void ExpectInFrontAgain(const char* pszWhen)
    {
        EXPECT_TRUE(BringFrameToFront(pGame->Frame())) << "the game cannot be activated again";
        ExpectFloatingWindowsInFront(*pGame, panes, pszWhen, NULL);
    }

    // Moves the two panes and the Timer over the board so that each
    // overlaps the others, each caption partly uncovered.
    void Overlap()
    {
        const RECT rcView = WindowRect(pGame->View());
        ASSERT_TRUE(MoveTopLevel(panes[1].hWnd, rcView.left + 5, rcView.top + 10, 0, 0));
        ASSERT_TRUE(MoveTopLevel(panes[2].hWnd, rcView.left + 150, rcView.top + 100, 0, 0));
        ASSERT_TRUE(MoveTopLevel(panes[0].hWnd, rcView.left + 400, rcView.top + 10, 0, 0));
    }
};

// A look at the display, as a command of the host's shell: the lines of the
// root window's tree (xwininfo, top first) that name a top-level window or
// one of the given windows, then a line "V" with those of them the display
// shows (viewable).
std::string DisplayLook(const std::vector<SeenWindow>& windows)
{
    std::string strIds, strPattern;
    for (const SeenWindow& window : windows)
    {
        char szId[32];
        snprintf(szId, sizeof(szId), "0x%lx", XWindowOf(window.hWnd));
        strIds += std::string(" ") + szId;
        strPattern += (strPattern.empty() ? "" : "|") + std::string(szId);
    }
    // xwininfo ends with an error when a window goes while it walks the
    // tree, having printed part of it: such a look is marked "!".
    return "if xwininfo -root -tree >/tmp/bm-tree.$$ 2>/dev/null; then grep -E '^     0x|^ +(" + strPattern +
           ") ' /tmp/bm-tree.$$; else echo '!'; fi; rm -f /tmp/bm-tree.$$; printf V; for i in" +
           strIds + "; do xwininfo -id $i 2>/dev/null | grep -q IsViewable && printf ' %s' $i; done; echo";
}

// Whether a look (DisplayLook, from a line start on) could not read the
// display's tree.
bool LookFailed(const std::string& strLook)
{
    return strLook.find("\n!\n") != std::string::npos;
}

// The names of the given windows the display shows, top first (the place of
// the display's top-level window that holds each: its own, or the window
// manager's frame around it), from one look (DisplayLook); nHidden: how
// many of them it does not show. A look reads the tree first and which
// windows are viewable after: with a window manager, a window the tree holds
// outside a frame (not framed yet as it is mapped, or unframed as it was
// hidden) did not show when the tree was read, though it may be viewable by
// the time it is asked, and its place in the tree is no place on the screen.
std::vector<std::string> OrderInLook(const std::string& strLookWhole, const std::vector<SeenWindow>& windows,
                                     size_t& nHidden)
{
    const bool bFramed = WindowsAreManaged();
    const size_t nShown = strLookWhole.rfind("\nV");
    std::string strShown = (nShown == std::string::npos ? "" : strLookWhole.substr(nShown + 2)) + " ";
    const std::string strLook = strLookWhole.substr(0, nShown);
    std::replace(strShown.begin(), strShown.end(), '\n', ' ');
    std::vector<std::pair<size_t, std::string>> places;
    nHidden = 0;
    for (const SeenWindow& window : windows)
    {
        char szId[32];
        snprintf(szId, sizeof(szId), "0x%lx ", XWindowOf(window.hWnd));
        const size_t nAt = strLook.find(szId);
        if (XWindowOf(window.hWnd) == 0 || nAt == std::string::npos || strShown.find(szId) == std::string::npos ||
            (bFramed && nAt >= 6 && strLook.compare(nAt - 6, 6, "\n     ") == 0))
            nHidden++;
        else   // the root's children are the lines indented by five spaces
            places.push_back({strLook.rfind("\n     0x", nAt), window.strName});
    }
    std::stable_sort(places.begin(), places.end(),
                     [](const std::pair<size_t, std::string>& a, const std::pair<size_t, std::string>& b) {
                         return a.first < b.first;
                     });
    std::vector<std::string> order;
    for (const auto& place : places)
        order.push_back(place.second);
    return order;
}

// The windows' names, top first, as the display stacks them, read from the
// display's tree; empty when it cannot be read or one of them does not show.
std::vector<std::string> OrderOnTheDisplay(const std::vector<SeenWindow>& windows)
{
    std::string strLook;
    size_t nHidden = 0;
    if (!testsupport::RunOnHost(DisplayLook(windows), &strLook, 5000) || LookFailed("\n" + strLook))
        return {};
    std::vector<std::string> order = OrderInLook("\n" + strLook, windows, nHidden);
    return nHidden == 0 ? order : std::vector<std::string>();
}

// Starts the game with its floating windows (the Standard bar too when
// bStandardToo) placed over one another on the board, and reads their order
// on the display.
void StartOverlapping(FloatingOverTheBoard& setup, bool bStandardToo, std::vector<std::string>& order)
{
    ASSERT_NO_FATAL_FAILURE(setup.Start(bStandardToo));
    ASSERT_TRUE(testsupport::HasDisplayInput()) << "the display's pointer cannot be driven (xdotool)";
    ASSERT_EQ(bStandardToo ? 4u : 3u, setup.panes.size());
    ASSERT_NO_FATAL_FAILURE(setup.Overlap());
    order = OrderOnTheDisplay(setup.panes);
    ASSERT_EQ(setup.panes.size(), order.size()) << "the display's order cannot be read";
}

std::string Joined(const std::vector<std::string>& names)
{
    std::string strJoined;
    for (const std::string& strName : names)
        strJoined += (strJoined.empty() ? "" : ", ") + strName;
    return strJoined;
}

// The display's order once it is the expected one, or the last read within
// two seconds.
std::vector<std::string> WaitForOrder(const std::vector<SeenWindow>& windows, const std::vector<std::string>& expected)
{
    std::vector<std::string> order = OrderOnTheDisplay(windows);
    for (int n = 0; n < 10 && order != expected; n++)
    {
        Wait(200);
        order = OrderOnTheDisplay(windows);
    }
    return order;
}

// A click with the display's pointer on the caption of windows[i], where
// none of the others lies: it comes to the top of the display's order and
// the others keep theirs. order: the display's order before (top first),
// the one read after the click on return.
void ClickAndExpectRaised(const std::vector<SeenWindow>& windows, size_t i, std::vector<std::string>& order)
{
    const RECT rc = WindowRect(windows[i].hWnd);
    POINT pt = {rc.left + 20, rc.top + 8};
    auto Covered = [&](POINT ptAt) {
        for (const SeenWindow& other : windows)
        {
            const RECT rcOther = WindowRect(other.hWnd);
            if (other.hWnd != windows[i].hWnd && ::PtInRect(&rcOther, ptAt))
                return true;
        }
        return false;
    };
    while (Covered(pt) && pt.x < rc.right - 40)
        pt.x += 10;
    ASSERT_FALSE(Covered(pt)) << windows[i].strName << "'s caption is covered";
    ASSERT_TRUE(ClickOnTheDisplay(pt)) << "the display's pointer cannot be driven (xdotool)";
    std::vector<std::string> expected = {windows[i].strName};
    for (const std::string& strName : order)
        if (strName != windows[i].strName)
            expected.push_back(strName);
    order = WaitForOrder(windows, expected);
    EXPECT_EQ(Joined(expected), Joined(order)) << "after a click on " << windows[i].strName;
}

// A click on the board without a puzzle asks "To begin playing..."; the
// question's window once it shows, its picture taken.
HWND AskTheBeginQuestion(Game& game, SeenWindow& question)
{
    // The bottom row's middle square: the floating windows lie elsewhere.
    ClickScreen(game.SquareCentre(9, 4, 8), false);
    HWND hQuestion = WaitForMessageWindow(game.Pid(), 5000);
    if (hQuestion == NULL)
        return NULL;
    Wait(800);
    question = SeenWindow{"the question", hQuestion, {}};
    TakeSignature(question);
    return hQuestion;
}

// The share (in hundredths) of a window's samples inside a screen
// rectangle (where another window lies under or over it) that show what its
// signature showed there; -1 when no sample lies there.
int PercentSeenIn(const SeenWindow& window, const RECT& rcPart)
{
    const std::vector<COLORREF> now = ClientSamples(window.hWnd);
    if (now.size() != window.signature.size() || now.empty())
        return 0;
    RECT rc;
    ::GetClientRect(window.hWnd, &rc);
    POINT ptOrigin = {0, 0};
    ::ClientToScreen(window.hWnd, &ptOrigin);
    int nSame = 0, nAll = 0;
    size_t i = 0;
    // The same grid as ClientSamples.
    for (int y = 4; y < rc.bottom - 3; y += 9)
        for (int x = 4; x < rc.right - 3; x += 9, i++)
        {
            const POINT pt = {ptOrigin.x + x, ptOrigin.y + y};
            if (!::PtInRect(&rcPart, pt))
                continue;
            nAll++;
            nSame += now[i] == window.signature[i] ? 1 : 0;
        }
    return nAll == 0 ? -1 : nSame * 100 / nAll;
}

// The property-grid tips of the game that show.
std::vector<HWND> VisibleGridTips(DWORD dwPid)
{
    std::vector<HWND> tips;
    for (HWND hWnd : TopLevels(dwPid, "XTPPropertyGridToolTip"))
        if (::IsWindowVisible(hWnd))
            tips.push_back(hWnd);
    return tips;
}

// Moves the pointer (the display's own, as a hand does) to a point and
// waits a little for what follows.
void RestPointer(POINT pt)
{
    ::SetCursorPos(pt.x, pt.y);
    Wait(100);
    ::SetCursorPos(pt.x + 1, pt.y);
    Wait(500);
}

// A point on a row name of the pane's grid that is cut off (its tip shows
// there while the game is in front); false when none is found.
bool FindRowWithTip(const Game& game, HWND hPane, POINT& ptRow)
{
    std::vector<HWND> grids = Descendants(hPane, "", "XTPPropertyGrid");
    if (grids.empty())
        return false;
    RECT rcGrid;
    ::GetWindowRect(grids[0], &rcGrid);
    for (int y = rcGrid.top + 30; y < rcGrid.bottom - 10; y += 6)
    {
        const POINT pt = {rcGrid.left + 30, y};
        RestPointer(pt);
        if (!VisibleGridTips(game.Pid()).empty())
        {
            ptRow = pt;
            return true;
        }
    }
    return false;
}
} // namespace

// A row's tip of a floating pane shows only while the game is in front and
// the pointer is on that row: the pointer resting on a cut-off row name with
// another program in front shows none, and one shown goes once the pointer
// is elsewhere. Brought to the front again, the game shows each pane in
// front of its window.
TEST_F(WindowOrder, ARowTipShowsOnlyForTheGameInFrontAndThePanesComeBackInFront)
{
    FloatingOverTheBoard setup("row tips of a floating pane");
    ASSERT_NO_FATAL_FAILURE(setup.Start());
    Game& game = *setup.pGame;
    HWND hPane = setup.panes[0].hWnd;
    // Narrow, so that the row names are cut off.
    RECT rcPane = WindowRect(hPane);
    ASSERT_TRUE(MoveTopLevel(hPane, rcPane.left + 80, rcPane.top, 120, rcPane.bottom - rcPane.top));
    for (SeenWindow& pane : setup.panes)
        TakeSignature(pane);   // as they now lie, in front
    POINT ptRow = {};
    ASSERT_TRUE(FindRowWithTip(game, hPane, ptRow)) << "no cut-off row name in the pane";
    testsupport::SaveScreenSnapshot(game.Frame(), "row_tip_shown");

    // The pointer goes away over the empty screen: the tip goes.
    RestPointer({1200, 1000});
    for (int n = 0; n < 20 && !VisibleGridTips(game.Pid()).empty(); n++)
        Wait(100);
    EXPECT_TRUE(VisibleGridTips(game.Pid()).empty()) << "the tip stays with the pointer elsewhere";

    // Another program in front (below the frame's right part, away from the
    // panes), the pointer then on the row: no tip.
    RECT rcFrame = WindowRect(game.Frame());
    HWND hOther = ShowOtherProgramsWindow({rcFrame.right - 200, rcFrame.bottom - 150, rcFrame.right + 100,
                                           rcFrame.bottom + 100},
                                          RGB(30, 140, 110));
    ASSERT_TRUE(hOther != NULL);
    PumpFor(500);
    RestPointer(ptRow);
    PumpFor(700);
    EXPECT_TRUE(VisibleGridTips(game.Pid()).empty()) << "a tip shows while another program is in front";
    testsupport::SaveScreenSnapshot(game.Frame(), "row_tip_with_another_program_in_front");

    // The game activated from outside: its panes are in front of it.
    ::DestroyWindow(hOther);
    PumpFor(200);
    RestPointer({1200, 1000});
    setup.ExpectInFrontAgain("the game activated again");
    setup.Close();
}

// A click on a floating pane while the game's question disables it brings
// the question forward (the system beeps): the question stays seen whole,
// also after a click on the frame's caption. The pane overlaps the
// question's left part; under a window manager the display's stacking is
// read, without one the screen where they overlap.
TEST_F(WindowOrder, AClickOnAPaneTheQuestionDisablesBringsTheQuestionForward)
{
    FloatingOverTheBoard setup("a click on a pane under a question");
    ASSERT_NO_FATAL_FAILURE(setup.Start());
    Game& game = *setup.pGame;
    SeenWindow question;
    HWND hQuestion = AskTheBeginQuestion(game, question);
    ASSERT_TRUE(hQuestion != NULL) << "no question";
    HWND hPane = setup.panes[0].hWnd;
    EXPECT_FALSE(::IsWindowEnabled(hPane)) << "the question disables the floating pane";

    // The pane placed to overlap the question's left part, below it.
    const RECT rcQuestion = WindowRect(hQuestion);
    const RECT rcPane = WindowRect(hPane);
    const int cxPane = rcPane.right - rcPane.left, cyPane = rcPane.bottom - rcPane.top;
    ASSERT_TRUE(MoveTopLevel(hPane, rcQuestion.left - cxPane + 60, rcQuestion.top - 20, cxPane, cyPane));
    EXPECT_GE(PercentSeen(question, NULL), 95) << "the pane moved over the question";

    // A click on the pane's part outside the question, with the display's
    // pointer (a window manager sees it).
    // Under a window manager the display's stacking tells (the screen's
    // pixels are read where the system places the question, which the
    // window manager may have shifted meanwhile, icewm); without one what
    // the screen shows of the question.
    const std::vector<SeenWindow> both = {question, setup.panes[0]};
    auto ExpectQuestionOnTop = [&](const char* pszAfter) {
        if (WindowsAreManaged())
        {
            const std::vector<std::string> expected = {question.strName, setup.panes[0].strName};
            EXPECT_EQ(Joined(expected), Joined(WaitForOrder(both, expected))) << "after " << pszAfter;
            return;
        }
        int nSeen = PercentSeen(question, NULL);
        for (int n = 0; n < 20 && nSeen < 95; n++)
        {
            Wait(100);
            nSeen = PercentSeen(question, NULL);
        }
        EXPECT_GE(nSeen, 95) << "after " << pszAfter << " the pane covers the question (" << nSeen
                             << "% of it seen)";
    };
    const RECT rcMoved = WindowRect(hPane);
    ASSERT_TRUE(ClickOnTheDisplay({rcMoved.left + 30, (rcMoved.top + rcMoved.bottom) / 2}))
        << "the display's pointer cannot be driven (xdotool)";
    Wait(1000);
    ExpectQuestionOnTop("a click on the pane");
    testsupport::SaveScreenSnapshot(game.Frame(), "question_after_a_click_on_a_disabled_pane");

    ClickTheFramesCaption(game.Frame(), hQuestion);
    Wait(800);
    ExpectQuestionOnTop("a click on the frame's caption");

    ClickButton(hQuestion, "No");
    ASSERT_TRUE(WaitUntilGone(hQuestion));
    PlaceOverTheView(game, setup.panes);
    setup.ExpectInFrontAgain("the question answered");
    setup.Close();
}

// Another program activated a moment after a question of the game was
// answered comes up over the game's floating panes and stays over them:
// the game asks for none of its windows to be raised while it is not in
// front. Tried at several moments after the answer; judged by the display's
// stacking under a window manager, by the screen's pixels without one.
TEST_F(WindowOrder, AnotherProgramActivatedJustAfterAnAnswerStaysOverTheFloatingPanes)
{
    FloatingOverTheBoard setup("another program after an answer");
    ASSERT_NO_FATAL_FAILURE(setup.Start());
    Game& game = *setup.pGame;
    const COLORREF crOther = RGB(30, 140, 110);
    for (DWORD dwDelay : {200u, 900u, 1500u})
    {
        SeenWindow question;
        HWND hQuestion = AskTheBeginQuestion(game, question);
        ASSERT_TRUE(hQuestion != NULL) << "no question";
        // Answered with the display's pointer, as the player answers.
        const std::vector<HWND> no = Descendants(hQuestion, "No", "Button");
        ASSERT_FALSE(no.empty()) << "the question has no No button";
        const RECT rcNo = WindowRect(no[0]);
        ASSERT_TRUE(ClickOnTheDisplay({(rcNo.left + rcNo.right) / 2, (rcNo.top + rcNo.bottom) / 2}));
        PumpFor(dwDelay > 300 ? dwDelay - 300 : 0);   // ClickOnTheDisplay waited 300 ms
        RECT rcFrame = WindowRect(game.Frame());
        ::InflateRect(&rcFrame, 20, 20);
        HWND hOther = ShowOtherProgramsWindow(rcFrame, crOther);
        ASSERT_TRUE(hOther != NULL);
        // Over two and a half seconds the other program covers each pane:
        // under a window manager (which may place the other window a little
        // aside) it lies above each in the display's stacking, without one
        // the screen shows it at each pane's middle.
        std::vector<SeenWindow> withOther = {SeenWindow{"another program", hOther, {}}};
        withOther.insert(withOther.end(), setup.panes.begin(), setup.panes.end());
        std::string strCovered;
        for (int n = 0; n < 25; n++)
        {
            PumpFor(100);
            if (n < 5)
                continue;   // the display shows the new window
            const std::vector<std::string> order =
                WindowsAreManaged() ? OrderOnTheDisplay(withOther) : std::vector<std::string>();
            for (const SeenWindow& pane : setup.panes)
            {
                const RECT rc = WindowRect(pane.hWnd);
                const POINT pt = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
                const auto itPane = std::find(order.begin(), order.end(), pane.strName);
                const bool bOver = WindowsAreManaged()
                                       ? order.empty() || itPane < std::find(order.begin(), order.end(), "another program")
                                       : ScreenColour(pt) != crOther;
                if (bOver && strCovered.find(pane.strName) == std::string::npos)
                    strCovered += pane.strName + " at " + std::to_string(n * 100) + " ms; ";
            }
        }
        EXPECT_EQ("", strCovered) << "floating panes over the other program started " << dwDelay
                                  << " ms after the answer";
        EXPECT_FALSE(::IsWindowVisible(hQuestion)) << "the question stays after its No was clicked";
        EXPECT_NE(hOther, (HWND)NULL);
        testsupport::SaveScreenSnapshot(game.Frame(), "another_program_after_an_answer");
        ::DestroyWindow(hOther);
        PumpFor(200);
        setup.ExpectInFrontAgain("the game activated again");
    }
    setup.Close();
}

// In customise mode a click on the floating Timer (which selects a button
// and does not activate the bar) leaves the Timer below the Customize
// sheet, and so does a click on the sheet's caption.
TEST_F(WindowOrder, AClickOnTheFloatingTimerInCustomiseModeLeavesItBelowTheSheet)
{
    testsupport::Watchdog watchdog("the floating Timer and the Customize sheet", 150000);
    ASSERT_TRUE(watchdog.IsArmed());
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    watchdog.AlsoEnd(game.Process());
    HWND hFrame = game.Frame();
    ASSERT_TRUE(BringFrameToFront(hFrame));
    ASSERT_TRUE(DragTimerBarOut(game, {500, 400})) << "no Timer toolbar";
    HWND hBar = TimerBar(game);
    ASSERT_TRUE(hBar != NULL && IsFloating(hBar));
    RECT rcFrame = WindowRect(hFrame);
    ASSERT_TRUE(MoveTopLevel(hBar, 10, rcFrame.bottom + 20, 0, 0));

    game.Command(ID_VIEW_CUSTOMIZE);
    HWND hSheet = WaitForWindow(game.Pid(), "Customize", 5000);
    ASSERT_TRUE(hSheet != NULL) << "the Customize sheet did not open";
    ::SetForegroundWindow(hSheet);
    Wait(800);
    SeenWindow sheet{"Customize", hSheet, {}};
    TakeSignature(sheet);

    // The Timer under the sheet's lower right corner, the rest of it out;
    // the screen is read where they overlap.
    const RECT rcSheet = WindowRect(hSheet);
    ASSERT_TRUE(MoveTopLevel(hBar, rcSheet.right - 60, rcSheet.bottom - 50, 0, 0));
    const RECT rcBar = WindowRect(hBar);
    RECT rcOverlap;
    ASSERT_TRUE(::IntersectRect(&rcOverlap, &rcBar, &rcSheet));
    // How much of the sheet shows where they overlap; under a window
    // manager the display's stacking tells (the screen is read where the
    // system places the sheet, which icewm shifts): all or nothing.
    auto SheetSeen = [&]() {
        if (WindowsAreManaged())
            return AboveOnTheDisplay(hSheet, hBar) == hSheet ? 100 : 0;
        return PercentSeenIn(sheet, rcOverlap);
    };
    ASSERT_GE(SheetSeen(), 90) << "the Timer moved over the sheet";

    // A click on a button of the Timer (Target, at its right end).
    ClickScreen({rcBar.right - 25, rcBar.bottom - 20}, false);
    Wait(800);
    int nSeen = SheetSeen();
    EXPECT_GE(nSeen, 90) << "the clicked Timer covers the sheet (" << nSeen << "% of where they overlap seen)";
    testsupport::SaveScreenSnapshot(::GetDesktopWindow(), "timer_clicked_in_customise_mode");

    // A click on the sheet's caption.
    if (WindowsAreManaged())
        ::SetForegroundWindow(hSheet);
    else
        ClickScreen({rcSheet.left + 60, rcSheet.top + 10}, false);
    Wait(800);
    nSeen = SheetSeen();
    EXPECT_GE(nSeen, 90) << "after a click on the sheet's caption the Timer covers it (" << nSeen
                         << "% of where they overlap seen)";

    ::PostMessage(hSheet, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitUntilGone(hSheet));
    EXPECT_EQ(0, game.Close());
    ClearSettings();
}

// A click on a floating window raises it and leaves the others in their
// order; clicks on the frame's caption (the second with the game in front)
// leave every floating window above the frame in that order; and a restart
// shows them stacked as they were left. The two panes and the Timer overlap
// one another, each clicked on its caption, where none of the others lies.
TEST_F(WindowOrder, AClickRaisesWhatWasClickedAndARestartKeepsTheOrder)
{
    FloatingOverTheBoard setup("the floating windows' order");
    std::vector<std::string> order;
    ASSERT_NO_FATAL_FAILURE(StartOverlapping(setup, false, order));
    std::vector<SeenWindow>& windows = setup.panes;   // Appearance, Difficulty, Timer

    for (size_t i : {1, 2, 0, 1})
        ASSERT_NO_FATAL_FAILURE(ClickAndExpectRaised(windows, i, order));
    testsupport::SaveScreenSnapshot(setup.pGame->Frame(), "floating_windows_clicked");

    std::vector<SeenWindow> withFrame = windows;
    withFrame.push_back(SeenWindow{"the frame", setup.pGame->Frame(), {}});
    std::vector<std::string> expected = order;
    expected.push_back("the frame");
    for (int nClick = 0; nClick < 2; nClick++)
    {
        const RECT rcFrame = WindowRect(setup.pGame->Frame());
        ASSERT_TRUE(ClickOnTheDisplay({rcFrame.left + 300, rcFrame.top + 10}));
        Wait(600);
        EXPECT_EQ(Joined(expected), Joined(WaitForOrder(withFrame, expected)))
            << "after click " << nClick + 1 << " on the frame's caption";
    }
    testsupport::SaveScreenSnapshot(setup.pGame->Frame(), "frame_caption_clicked");

    // Started again: stacked as left.
    ASSERT_NO_FATAL_FAILURE(setup.Restart());
    EXPECT_EQ(Joined(order), Joined(WaitForOrder(windows, order))) << "after a restart";
    testsupport::SaveScreenSnapshot(setup.pGame->Frame(), "floating_windows_restarted");
    setup.Close();
}

// Minimises the game as its player does: with a window manager through it
// (as its title bar's button or a taskbar asks it to), which deactivates the
// game before Wine minimises it; without one by the frame's system command.
// False when the display's tool cannot be run.
bool MinimiseAsThePlayer(HWND hFrame)
{
    if (!WindowsAreManaged())
    {
        ::SendMessage(hFrame, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        return true;
    }
    char szCommand[64];
    snprintf(szCommand, sizeof(szCommand), "xdotool windowminimize 0x%lx && echo done", XWindowOf(hFrame));
    std::string strOutput;
    return testsupport::RunOnHost(szCommand, &strOutput, 3000) && strOutput.find("done") != std::string::npos;
}

// The game minimised (by its player and then by another program, by another
// program while the game is in front, and with a window manager also by
// another program while that program is in front) and then restored by
// another program (this one, with ShowWindow) shows its floating windows
// again, in front of the frame and, where they overlap one another, in the
// order they showed before. Each time after a fresh start, with the Timer
// (which, without a window manager, hides itself when the game is
// deactivated and shows itself again a moment after the panes) raised by a
// click above both panes, or between them, before it.
TEST_F(WindowOrder, FloatingWindowsComeBackWhenAnotherProgramRestoresTheGame)
{
    FloatingOverTheBoard setup("another program restores the game");
    std::vector<std::string> order;
    ASSERT_NO_FATAL_FAILURE(StartOverlapping(setup, false, order));
    const char* const minimisedBy[] = {"the player", "another program", "another program in front"};
    const int nWays = WindowsAreManaged() ? 3 : 2;
    for (const char* pszRaised : {"Timer", "This puzzle's Appearance Info", "Timer"})
    {
        size_t nRaised = 0;
        while (nRaised < setup.panes.size() && setup.panes[nRaised].strName != pszRaised)
            nRaised++;
        ASSERT_LT(nRaised, setup.panes.size()) << "no window named " << pszRaised;
        ASSERT_NO_FATAL_FAILURE(ClickAndExpectRaised(setup.panes, nRaised, order));
        ASSERT_NO_FATAL_FAILURE(setup.Restart());
        const HWND hFrame = setup.pGame->Frame();
        order = OrderOnTheDisplay(setup.panes);
        ASSERT_EQ(3u, order.size()) << "the display's order cannot be read";
        for (int nBy = 0; nBy < nWays; nBy++)
        {
            const std::string strWhen = std::string("minimised by ") + minimisedBy[nBy] +
                                        " and restored by another program, " + pszRaised + " raised last";
            HWND hOther = NULL;
            if (nBy == 0)
            {
                ASSERT_TRUE(MinimiseAsThePlayer(hFrame)) << "the display's tool cannot be run";
                for (int n = 0; n < 20 && !::IsIconic(hFrame); n++)
                    Wait(100);
            }
            else if (nBy == 2)
                hOther = ShowOtherProgramsWindow({900, 700, 1200, 950}, RGB(30, 140, 110));
            ::ShowWindow(hFrame, SW_MINIMIZE);
            for (int n = 0; n < 20 && !::IsIconic(hFrame); n++)
                Wait(100);
            ASSERT_TRUE(::IsIconic(hFrame)) << strWhen;
            Wait(500);
            for (const SeenWindow& window : setup.panes)
                EXPECT_FALSE(::IsWindowVisible(window.hWnd)) << window.strName << " shows with the game minimised";
            ::ShowWindow(hFrame, SW_RESTORE);
            Wait(800);
            if (hOther != NULL)
                ::DestroyWindow(hOther);
            setup.ExpectInFrontAgain(strWhen.c_str());
            EXPECT_EQ(Joined(order), Joined(WaitForOrder(setup.panes, order))) << strWhen;
        }
        testsupport::SaveScreenSnapshot(hFrame, "restored_by_another_program");
    }
    setup.Close();
}

// A question of the game asked while another program's always-on-top
// window lies over the board stays below that window on the screen, also a
// while later.
TEST_F(WindowOrder, AQuestionStaysBelowAnotherProgramsAlwaysOnTopWindow)
{
    FloatingOverTheBoard setup("a question under an always-on-top window");
    ASSERT_NO_FATAL_FAILURE(setup.Start());
    Game& game = *setup.pGame;
    // Over the middle of the board, where the question comes.
    const RECT rcView = WindowRect(game.View());
    const POINT ptMiddle = {(rcView.left + rcView.right) / 2, (rcView.top + rcView.bottom) / 2};
    const RECT rcTopmost = {ptMiddle.x - 150, ptMiddle.y - 150, ptMiddle.x + 150, ptMiddle.y + 150};
    const COLORREF crTopmost = RGB(230, 180, 30);
    HWND hTopmost = ShowAlwaysOnTopWindow(rcTopmost, crTopmost);
    ASSERT_TRUE(hTopmost != NULL);
    PumpFor(300);
    SeenWindow question;
    HWND hQuestion = AskTheBeginQuestion(game, question);
    ASSERT_TRUE(hQuestion != NULL) << "no question";
    RECT rcBoth;
    const RECT rcQuestion = WindowRect(hQuestion);
    ASSERT_TRUE(::IntersectRect(&rcBoth, &rcQuestion, &rcTopmost)) << "the question does not come under the window";
    std::string strCovered;
    for (int n = 0; n < 15; n++)
    {
        PumpFor(100);
        for (int y = rcBoth.top + 5; y < rcBoth.bottom; y += 20)
            for (int x = rcBoth.left + 5; x < rcBoth.right; x += 20)
                if (ScreenColour({x, y}) != crTopmost && strCovered.empty())
                    strCovered = "at " + std::to_string(n * 100) + " ms";
    }
    EXPECT_EQ("", strCovered) << "the question lies over the always-on-top window";
    testsupport::SaveScreenSnapshot(game.Frame(), "question_under_an_always_on_top_window");
    ClickButton(hQuestion, "No");
    EXPECT_TRUE(WaitUntilGone(hQuestion));
    ::DestroyWindow(hTopmost);
    setup.Close();
}

namespace
{
// The floating order the game stored at its last exit.
std::string StoredFloatingOrder()
{
    char szValue[256] = "";
    DWORD cb = sizeof(szValue) - 1;
    const std::string strKey = std::string(kUserKey) + "\\DockingPaneLayouts\\NormalLayout";
    if (::RegGetValueA(HKEY_CURRENT_USER, strKey.c_str(), "FloatingOrder", RRF_RT_REG_SZ, NULL, szValue, &cb) !=
        ERROR_SUCCESS)
        return "(none)";
    return szValue;
}

// The order as the game stores it ("B<bar id>" / "P<pane id>", top first)
// of the windows named in a display's order.
std::string AsStored(const std::vector<std::string>& order)
{
    std::string strStored;
    for (const std::string& strName : order)
    {
        std::string strItem = strName;
        if (strName == "Timer")
            strItem = "B" + std::to_string(IDR_TIMER_TOOLBAR);
        else if (strName == "Standard")
            strItem = "B" + std::to_string(IDR_MAINFRAME);
        else if (strName.find("Appearance") != std::string::npos)
            strItem = "P1000";
        else if (strName.find("Difficulty") != std::string::npos)
            strItem = "P1001";
        strStored += (strStored.empty() ? "" : ",") + strItem;
    }
    return strStored;
}

// Brings a window to the front as a player's Alt+Tab does: with a window
// manager, it is asked to activate the window (it focuses and raises it, as
// on Alt+Tab, whose list also holds the game's floating windows); without
// one, the window is made the foreground window. False when the display's
// tool cannot be run.
bool SwitchTo(HWND hWnd)
{
    if (!WindowsAreManaged())
        return ::SetForegroundWindow(hWnd) != FALSE;
    char szCommand[80];
    snprintf(szCommand, sizeof(szCommand), "xdotool windowactivate 0x%lx && echo done", XWindowOf(hWnd));
    std::string strOutput;
    return testsupport::RunOnHost(szCommand, &strOutput, 3000) && strOutput.find("done") != std::string::npos;
}

size_t IndexOf(const std::vector<SeenWindow>& windows, const char* pszPart)
{
    for (size_t i = 0; i < windows.size(); i++)
        if (windows[i].strName.find(pszPart) != std::string::npos)
            return i;
    return windows.size();
}
} // namespace

// The floating windows (both panes, the Timer and the Standard bar) come
// back at each start in the order the screen showed at the exit before:
// over several exits, each after clicks on them and on the frame's caption
// and closed by Alt+F4, some with another program's window open (upon which
// the game's floating toolbars hide themselves as the game closes), one
// after a puzzle was played with the frame maximised (its question to save
// answered Don't Save). The order stored names every floating window.
TEST_F(WindowOrder, EachStartShowsTheOrderOfTheExitBeforeAlsoWithAnotherProgramsWindowOpen)
{
    FloatingOverTheBoard setup("the floating order over exits");
    std::vector<std::string> order;
    ASSERT_NO_FATAL_FAILURE(StartOverlapping(setup, true, order));
    struct Round
    {
        std::vector<const char*> clicks;
        bool bOtherProgram;
        bool bPlayed;   // a puzzle made and played with the frame maximised: the game asks to save
    };
    const Round rounds[] = {{{"Difficulty", "Standard", "Timer"}, true, false},
                            {{"Appearance"}, false, false},
                            {{"Standard", "Appearance"}, true, false},
                            {{"Timer", "Difficulty"}, false, true},
                            {{"Appearance"}, true, false}};
    for (const Round& round : rounds)
    {
        std::string strWhen = round.bPlayed ? "after play with the frame maximised and clicks on" : "after clicks on";
        if (round.bPlayed)
        {
            ASSERT_TRUE(MakePuzzle(*setup.pGame)) << "no puzzle made";
            ::ShowWindow(setup.pGame->Frame(), SW_MAXIMIZE);
            Wait(1500);
            ASSERT_TRUE(BringFrameToFront(setup.pGame->Frame()));
            order = WaitForOrder(setup.panes, order);
        }
        for (const char* pszClicked : round.clicks)
        {
            const size_t i = IndexOf(setup.panes, pszClicked);
            ASSERT_LT(i, setup.panes.size()) << "no window named " << pszClicked;
            ASSERT_NO_FATAL_FAILURE(ClickAndExpectRaised(setup.panes, i, order));
            strWhen += std::string(" ") + pszClicked;
        }
        HWND hOther = NULL;
        if (round.bOtherProgram)
        {
            hOther = ShowOtherProgramsWindow({1000, 780, 1270, 1010}, RGB(30, 140, 110));
            PumpFor(500);
            strWhen += ", another program's window open";
        }
        // The frame's caption clicked, then Alt+F4 on the display's keys.
        const RECT rcFrame = WindowRect(setup.pGame->Frame());
        ASSERT_TRUE(ClickOnTheDisplay({rcFrame.left + 300, rcFrame.top + 10}));
        Wait(600);
        EXPECT_EQ(Joined(order), Joined(WaitForOrder(setup.panes, order))) << strWhen << ", the frame clicked";
        ASSERT_TRUE(testsupport::DisplayKeys("alt+F4"));
        if (round.bPlayed)
        {
            HWND hQuestion = WaitForDialogOtherThan(setup.pGame->Pid(), NULL);
            ASSERT_TRUE(hQuestion != NULL) << "no question to save " << strWhen;
            ClickButton(hQuestion, "Don't Save");
        }
        ASSERT_EQ(0, setup.pGame->WaitForExit()) << "Alt+F4 did not close the game " << strWhen;
        EXPECT_EQ(AsStored(order), StoredFloatingOrder()) << strWhen;
        ASSERT_NO_FATAL_FAILURE(setup.Restart());
        EXPECT_EQ(Joined(order), Joined(WaitForOrder(setup.panes, order))) << "the start " << strWhen;
        if (hOther != NULL)
            ::DestroyWindow(hOther);
        order = OrderOnTheDisplay(setup.panes);
        ASSERT_EQ(4u, order.size()) << "the display's order cannot be read";
    }
    testsupport::SaveScreenSnapshot(setup.pGame->Frame(), "floating_order_over_exits");
    setup.Close();
}

// Another program brought over the floating windows and the game brought
// back, four rounds, as with Alt+Tab: each time the floating
// windows show again over the frame in the order they had before, the
// toolbars (which, without a window manager, hide themselves while the game
// is not in front) among them.
TEST_F(WindowOrder, AfterARoundToAnotherProgramTheFloatingWindowsKeepTheirOrder)
{
    FloatingOverTheBoard setup("a round to another program and back");
    std::vector<std::string> order;
    ASSERT_NO_FATAL_FAILURE(StartOverlapping(setup, true, order));
    // T A S D, as a player leaves them.
    for (const char* pszClicked : {"Difficulty", "Standard", "Appearance", "Timer"})
        ASSERT_NO_FATAL_FAILURE(ClickAndExpectRaised(setup.panes, IndexOf(setup.panes, pszClicked), order));
    const HWND hFrame = setup.pGame->Frame();
    RECT rcOver = WindowRect(hFrame);
    ::InflateRect(&rcOver, -40, -40);
    HWND hOther = ShowOtherProgramsWindow(rcOver, RGB(30, 140, 110));
    ASSERT_TRUE(hOther != NULL);
    PumpFor(500);
    ASSERT_TRUE(BringFrameToFront(hFrame));
    std::vector<SeenWindow> withOthers = setup.panes;
    withOthers.push_back(SeenWindow{"the frame", hFrame, {}});
    withOthers.push_back(SeenWindow{"another program", hOther, {}});
    std::vector<std::string> expected = order;
    expected.push_back("the frame");
    expected.push_back("another program");
    for (int nRound = 1; nRound <= 4; nRound++)
    {
        ASSERT_TRUE(SwitchTo(hOther)) << "the display's tool cannot be run";
        PumpFor(800);
        EXPECT_EQ(hOther, ::GetForegroundWindow()) << "round " << nRound << ": the other program is not in front";
        ASSERT_TRUE(SwitchTo(hFrame)) << "the display's tool cannot be run";
        PumpFor(1500);
        EXPECT_EQ(hFrame, ::GetForegroundWindow()) << "round " << nRound << ": the game is not in front again";
        EXPECT_EQ(Joined(expected), Joined(WaitForOrder(withOthers, expected))) << "round " << nRound;
    }
    testsupport::SaveScreenSnapshot(hFrame, "back_from_another_program");
    ::DestroyWindow(hOther);
    setup.Close();
}

namespace
{
// A point of windows[i] that none of the other floating windows and none of
// the given dialogs (with a margin for a window manager's frame) covers;
// false when there is none.
bool UncoveredPoint(const std::vector<SeenWindow>& windows, size_t i, const std::vector<HWND>& dialogs, POINT& pt)
{
    std::vector<RECT> over;
    for (size_t j = 0; j < windows.size(); j++)
        if (j != i)
            over.push_back(WindowRect(windows[j].hWnd));
    for (HWND hDialog : dialogs)
    {
        RECT rc = WindowRect(hDialog);
        ::InflateRect(&rc, 12, 12);
        over.push_back(rc);
    }
    const RECT rc = WindowRect(windows[i].hWnd);
    for (int y = rc.top + 12; y < rc.bottom - 6; y += 8)
        for (int x = rc.left + 12; x < rc.right - 6; x += 8)
        {
            const POINT ptAt = {x, y};
            if (std::none_of(over.begin(), over.end(), [&](const RECT& r) { return ::PtInRect(&r, ptAt) != FALSE; }))
            {
                pt = ptAt;
                return true;
            }
        }
    return false;
}

// The order after windows[i] was raised over the others (top first).
std::vector<std::string> RaisedFirst(const std::vector<std::string>& order, const std::string& strRaised)
{
    std::vector<std::string> raised = {strRaised};
    for (const std::string& strName : order)
        if (strName != strRaised)
            raised.push_back(strName);
    return raised;
}
} // namespace

// A click on a floating window that a modal window of the game disables
// (the About box, New Puzzle, the Appearance Profile List opened from New
// Puzzle, the question to begin playing): with a window manager it raises
// the window clicked below the modal windows, which stay on top; without
// one nothing moves. Either way, once the modal windows close (a window
// manager may then raise the one window it focuses, and no other moves),
// the order the game keeps is the one the screen shows: after a click on the frame's
// caption, at the exit (as stored) and at the next start, and after a
// minimise and restore. With a window manager, a floating window it
// activates and raises (as its Alt+Tab does) stays on top too, over a round
// to another program, the exit and the next start. The Appearance pane,
// clicked, lies under the Difficulty pane and the Timer before each click.
TEST_F(WindowOrder, AClickOnAWindowAModalDialogHoldsLeavesTheOrderTheScreenShows)
{
    FloatingOverTheBoard setup("a click under a modal dialog", 400000);
    std::vector<std::string> order;
    ASSERT_NO_FATAL_FAILURE(StartOverlapping(setup, true, order));
    const bool bManaged = WindowsAreManaged();
    const size_t nA = IndexOf(setup.panes, "Appearance");
    ASSERT_LT(nA, setup.panes.size());
    const std::string strA = setup.panes[nA].strName;
    // The Standard bar over the Appearance pane's lower edge, clear of the
    // Timer's caption; the Timer lies over the pane's upper part.
    {
        const RECT rcView = WindowRect(setup.pGame->View());
        ASSERT_TRUE(MoveTopLevel(setup.panes[IndexOf(setup.panes, "Standard")].hWnd, rcView.left + 250,
                                 rcView.top + 290, 0, 0));
        RECT rcBoth;
        const RECT rcA = WindowRect(setup.panes[nA].hWnd);
        const RECT rcT = WindowRect(setup.panes[IndexOf(setup.panes, "Timer")].hWnd);
        ASSERT_TRUE(::IntersectRect(&rcBoth, &rcA, &rcT)) << strA << " and the Timer do not overlap";
    }
    enum Then
    {
        kExitAndStart,
        kMinimiseAndRestore
    };
    struct Case
    {
        const char* pszModal;
        Then then;
    };
    const Case cases[] = {{"the About box", kExitAndStart},
                          {"New Puzzle", kMinimiseAndRestore},
                          {"the Appearance Profile List from New Puzzle", kExitAndStart},
                          {"the question to begin playing", kMinimiseAndRestore}};
    for (const Case& test : cases)
    {
        const std::string strWhen = std::string("a click on ") + strA + " under " + test.pszModal;
        // The pane under the Difficulty pane and the Timer.
        ASSERT_NO_FATAL_FAILURE(ClickAndExpectRaised(setup.panes, IndexOf(setup.panes, "Difficulty"), order));
        ASSERT_NO_FATAL_FAILURE(ClickAndExpectRaised(setup.panes, IndexOf(setup.panes, "Timer"), order));
        Game& game = *setup.pGame;
        std::vector<HWND> modal;   // top first
        SeenWindow question;
        if (std::string(test.pszModal) == "the About box")
        {
            ::PostMessage(game.Frame(), WM_COMMAND, ID_ABOUT_GAME, 0);
            modal.push_back(WaitForDialogOtherThan(game.Pid(), NULL));
        }
        else if (std::string(test.pszModal) == "the question to begin playing")
            modal.push_back(AskTheBeginQuestion(game, question));
        else
        {
            ::PostMessage(game.Frame(), WM_COMMAND, ID_NEW_PUZZLE, 0);
            modal.push_back(WaitForWindow(game.Pid(), "New Puzzle"));
            if (modal.back() != NULL && std::string(test.pszModal) != "New Puzzle")
            {
                Wait(300);
                ASSERT_NO_FATAL_FAILURE(ClickDialogButton(modal.back(), IDC_EDIT_APPEARANCE_PROFILES));
                modal.insert(modal.begin(), WaitForWindow(game.Pid(), "Appearance Profile List", 5000));
            }
        }
        ASSERT_TRUE(std::find(modal.begin(), modal.end(), (HWND)NULL) == modal.end()) << test.pszModal << " did not open";
        Wait(800);
        EXPECT_FALSE(::IsWindowEnabled(setup.panes[nA].hWnd)) << test.pszModal << " leaves the pane enabled";

        POINT pt = {};
        ASSERT_TRUE(UncoveredPoint(setup.panes, nA, modal, pt)) << "no part of " << strA << " shows";
        ASSERT_TRUE(ClickOnTheDisplay(pt)) << "the display's pointer cannot be driven (xdotool)";
        Wait(700);
        // The modal windows stay on top; the pane clicked comes up below
        // them only where a window manager raises it.
        std::vector<SeenWindow> withModal;
        std::vector<std::string> expected;
        for (size_t i = 0; i < modal.size(); i++)
        {
            withModal.push_back(SeenWindow{"modal " + std::to_string(i), modal[i], {}});
            expected.push_back(withModal.back().strName);
        }
        if (bManaged)
            order = RaisedFirst(order, strA);
        withModal.insert(withModal.end(), setup.panes.begin(), setup.panes.end());
        expected.insert(expected.end(), order.begin(), order.end());
        EXPECT_EQ(Joined(expected), Joined(WaitForOrder(withModal, expected))) << strWhen;
        testsupport::SaveScreenSnapshot(game.Frame(), "clicked_under_a_modal_window");

        // The modal windows closed (top first), the frame's caption clicked.
        for (HWND hModal : modal)
        {
            if (hModal == question.hWnd)
                ClickButton(hModal, "No");
            else
                ::PostMessage(hModal, WM_COMMAND, IDCANCEL, 0);
            ASSERT_TRUE(WaitUntilGone(hModal)) << test.pszModal << " does not close";
        }
        // A window manager focuses a window of its choice as the modal
        // window goes and may raise it (icewm raises the floating window it
        // focused last, openbox none): the player sees that one on top and
        // the others as they were, in the order the game keeps from then on.
        Wait(700);
        if (bManaged)
        {
            const std::vector<std::string> closed = OrderOnTheDisplay(setup.panes);
            ASSERT_EQ(order.size(), closed.size()) << "the display's order cannot be read";
            EXPECT_EQ(Joined(RaisedFirst(order, closed[0])), Joined(closed)) << strWhen << ", closed";
            order = closed;
        }
        const RECT rcFrame = WindowRect(game.Frame());
        ASSERT_TRUE(ClickOnTheDisplay({rcFrame.left + 300, rcFrame.top + 10}));
        Wait(600);
        EXPECT_EQ(Joined(order), Joined(WaitForOrder(setup.panes, order))) << strWhen << ", the frame clicked";

        if (test.then == kExitAndStart)
        {
            ASSERT_TRUE(testsupport::DisplayKeys("alt+F4"));
            ASSERT_EQ(0, game.WaitForExit()) << "Alt+F4 did not close the game after " << strWhen;
            EXPECT_EQ(AsStored(order), StoredFloatingOrder()) << strWhen;
            ASSERT_NO_FATAL_FAILURE(setup.Restart());
            EXPECT_EQ(Joined(order), Joined(WaitForOrder(setup.panes, order))) << "the start after " << strWhen;
        }
        else
        {
            const HWND hFrame = game.Frame();
            ASSERT_TRUE(MinimiseAsThePlayer(hFrame)) << "the display's tool cannot be run";
            // Wine minimises the frame after it has waited for the window
            // manager to take each window it owns off the screen, which
            // fluxbox does not do (it iconifies them): seconds there.
            for (int n = 0; n < 100 && !::IsIconic(hFrame); n++)
                Wait(100);
            ASSERT_TRUE(::IsIconic(hFrame)) << "not minimised after " << strWhen;
            Wait(500);
            // Restored as a taskbar does: through the window manager.
            if (bManaged)
                ASSERT_TRUE(SwitchTo(hFrame)) << "the display's tool cannot be run";
            else
                ::SendMessage(hFrame, WM_SYSCOMMAND, SC_RESTORE, 0);
            for (int n = 0; n < 20 && ::IsIconic(hFrame); n++)
                Wait(100);
            Wait(1000);
            setup.ExpectInFrontAgain(("restored after " + strWhen).c_str());
            EXPECT_EQ(Joined(order), Joined(WaitForOrder(setup.panes, order))) << "restored after " << strWhen;
        }
        order = OrderOnTheDisplay(setup.panes);
        ASSERT_EQ(4u, order.size()) << "the display's order cannot be read";
    }
    testsupport::SaveScreenSnapshot(setup.pGame->Frame(), "order_after_clicks_under_modal_windows");


    if (bManaged)
    {
        // The window manager's own switch to the pane (under the others),
        // as its Alt+Tab makes, then a round to another program and back.
        ASSERT_NO_FATAL_FAILURE(ClickAndExpectRaised(setup.panes, IndexOf(setup.panes, "Difficulty"), order));
        ASSERT_NO_FATAL_FAILURE(ClickAndExpectRaised(setup.panes, IndexOf(setup.panes, "Timer"), order));
        ASSERT_TRUE(SwitchTo(setup.panes[nA].hWnd)) << "the display's tool cannot be run";
        order = RaisedFirst(order, strA);
        EXPECT_EQ(Joined(order), Joined(WaitForOrder(setup.panes, order))) << "the window manager switched to " << strA;
        const HWND hFrame = setup.pGame->Frame();
        RECT rcOver = WindowRect(hFrame);
        ::InflateRect(&rcOver, -40, -40);
        HWND hOther = ShowOtherProgramsWindow(rcOver, RGB(30, 140, 110));
        ASSERT_TRUE(hOther != NULL);
        PumpFor(500);
        ASSERT_TRUE(SwitchTo(hOther));
        PumpFor(800);
        ASSERT_TRUE(SwitchTo(hFrame));
        PumpFor(1500);
        EXPECT_EQ(Joined(order), Joined(WaitForOrder(setup.panes, order))) << "back from another program";
        ::DestroyWindow(hOther);
        ASSERT_TRUE(testsupport::DisplayKeys("alt+F4"));
        ASSERT_EQ(0, setup.pGame->WaitForExit()) << "Alt+F4 did not close the game";
        EXPECT_EQ(AsStored(order), StoredFloatingOrder()) << "after the window manager's switch";
        ASSERT_NO_FATAL_FAILURE(setup.Restart());
        EXPECT_EQ(Joined(order), Joined(WaitForOrder(setup.panes, order))) << "the start after the switch";
    }
    setup.Close();
}


namespace
{
// The display's stacking of the given windows (their names, top first,
// then "-" for each it does not show), read from its tree every 20 ms or
// so for a while from Start on, as the player would see a window come up in
// another order for a moment.
class StackingWatch
{
public:
    explicit StackingWatch(const std::vector<SeenWindow>& windows) : m_windows(windows) {}

    bool Start(int nPolls = 100)
    {
        static int s_nWatch = 0;
        snprintf(m_szUnix, sizeof(m_szUnix), "/tmp/bm-stacking-%lu-%lu-%d.txt", (unsigned long)::GetCurrentProcessId(),
                 (unsigned long)::GetTickCount(), s_nWatch++);
        const std::string strUnix = m_szUnix;
        return testsupport::RunOnHost("( for n in $(seq " + std::to_string(nPolls) + "); do echo =; " +
                                      DisplayLook(m_windows) + "; sleep 0.01; done > " + strUnix + ".part; mv " +
                                      strUnix + ".part " + strUnix + " ) >/dev/null 2>&1 & :");
    }

    // Each poll's order once the polling is over; empty when it did not end.
    std::vector<std::string> Polls()
    {
        std::string strDos = std::string("Z:") + m_szUnix;
        std::replace(strDos.begin(), strDos.end(), '/', '\\');
        FILE* pFile = NULL;
        for (int n = 0; n < 1000 && pFile == NULL; n++)
            if ((pFile = fopen(strDos.c_str(), "r")) == NULL)
                PumpFor(20);
        std::vector<std::string> polls;
        if (pFile == NULL)
            return polls;
        std::string strAll;
        char szBuffer[4096];
        size_t cb = 0;
        while ((cb = fread(szBuffer, 1, sizeof(szBuffer), pFile)) > 0)
            strAll.append(szBuffer, cb);
        fclose(pFile);
        ::DeleteFileA(strDos.c_str());
        for (size_t nStart = strAll.find("=\n"); nStart != std::string::npos;)
        {
            const size_t nNext = strAll.find("\n=\n", nStart);
            const std::string strLook = "\n" + strAll.substr(nStart + 2, nNext == std::string::npos ? std::string::npos
                                                                                               : nNext + 1 - nStart - 2);
            nStart = nNext == std::string::npos ? nNext : nNext + 1;
            if (LookFailed(strLook))
                continue;
            size_t nHidden = 0;
            std::vector<std::string> order = OrderInLook(strLook, m_windows, nHidden);
            order.insert(order.end(), nHidden, "-");
            polls.push_back(Joined(order));
        }
        return polls;
    }

    // The first poll that shows two of the windows in another order among
    // themselves than expected (top first), as the orders seen up to it;
    // empty when none does (windows not shown yet, as while a restore maps
    // them one after the other, are no other order).
    std::string OtherOrderSeen(const std::vector<std::string>& expected)
    {
        std::string strSeen, strLast;
        for (const std::string& strPoll : Polls())
        {
            if (strPoll != strLast)
                strSeen += (strSeen.empty() ? "" : " -> ") + strPoll;
            strLast = strPoll;
            size_t nAt = 0;
            for (const std::string& strName : expected)
                if (strPoll.find(strName) != std::string::npos && (nAt = strPoll.find(strName, nAt)) == std::string::npos)
                    return strSeen;
        }
        return std::string();
    }

    // The orders the polls showed one after the other, each once.
    std::string Seen()
    {
        std::string strSeen, strLast;
        for (const std::string& strPoll : Polls())
            if (strPoll != strLast)
            {
                strSeen += (strSeen.empty() ? "" : " -> ") + strPoll;
                strLast = strPoll;
            }
        return strSeen;
    }

private:
    std::vector<SeenWindow> m_windows;
    char m_szUnix[160] = {};
};

// The window manager the desktop tests run under (BM_WINDOW_MANAGER).
std::string WindowManagerName()
{
    const char* pszManager = getenv("BM_WINDOW_MANAGER");
    return pszManager != NULL && *pszManager != 0 ? pszManager : "openbox";
}

// The window manager's own key to lower the active window, pressed on the
// display: Alt+Escape under openbox, Alt+F3 under icewm. fluxbox binds no
// key to it (its Alt and middle button, driven by xdotool, lowered nothing).
bool LowerOnTheDisplay()
{
    return testsupport::DisplayKeys(WindowManagerName() == "icewm" ? "alt+F3" : "alt+Escape");
}

// The window named so that the window manager holds active.
std::string ActiveName(const std::vector<SeenWindow>& windows)
{
    const unsigned long nActive = ActiveOnTheDisplay();
    for (const SeenWindow& window : windows)
        if (XWindowOf(window.hWnd) == nActive)
            return window.strName;
    return "another window";
}

// The display's keyboard is the frame's: its input focus is there, and
// Ctrl+O typed at once opens the Open dialog, which Escape closes.
void ExpectTheFrameTakesKeys(const Game& game, const std::string& strWhen)
{
    PumpFor(600);   // a player's key right after the windows showed
    EXPECT_EQ(XWindowOf(game.Frame()), FocusOnTheDisplay()) << strWhen << ": the keyboard is not the frame's";
    ASSERT_TRUE(testsupport::DisplayKeys("ctrl+o"));
    const HWND hOpen = WaitForWindow(game.Pid(), "Open", 3000);
    ASSERT_TRUE(hOpen != NULL) << strWhen << ": Ctrl+O did not reach the game";
    PumpFor(500);
    ASSERT_TRUE(testsupport::DisplayKeys("Escape"));
    ASSERT_TRUE(WaitUntilGone(hOpen, 5000)) << strWhen << ": Escape did not close the Open dialog";
    PumpFor(300);
}
} // namespace

// The game's temporary folder (TEMP and TMP of the programs this one
// starts) set to a folder whose path holds a letter beyond ASCII and the
// shell's own signs, for as long as it lives.
class TemporaryFolderWithOddName
{
public:
    TemporaryFolderWithOddName()
    {
        WCHAR szTemp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, szTemp);
        m_strFolder = std::wstring(szTemp) + L"Brindlemark t\u00e9st $(echo x) `echo y` ;& 'q'";
        ::CreateDirectoryW(m_strFolder.c_str(), NULL);
        for (const WCHAR* pszName : {L"TEMP", L"TMP"})
        {
            WCHAR szOld[MAX_PATH] = {};
            ::GetEnvironmentVariableW(pszName, szOld, MAX_PATH);
            m_old.push_back(szOld);
            ::SetEnvironmentVariableW(pszName, m_strFolder.c_str());
        }
    }
    ~TemporaryFolderWithOddName()
    {
        ::SetEnvironmentVariableW(L"TEMP", m_old[0].c_str());
        ::SetEnvironmentVariableW(L"TMP", m_old[1].c_str());
        ::RemoveDirectoryW(m_strFolder.c_str());
    }
    // The names of the files in the folder.
    std::string Files() const
    {
        std::string strFiles;
        WIN32_FIND_DATAA find;
        HANDLE hFind = ::FindFirstFileA((Narrow() + "\\*").c_str(), &find);
        for (BOOL bMore = hFind != INVALID_HANDLE_VALUE; bMore; bMore = ::FindNextFileA(hFind, &find))
            if ((find.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
                strFiles += std::string(strFiles.empty() ? "" : ", ") + find.cFileName;
        if (hFind != INVALID_HANDLE_VALUE)
            ::FindClose(hFind);
        return strFiles;
    }

private:
    std::string Narrow() const
    {
        char szPath[MAX_PATH * 2] = {};
        ::WideCharToMultiByte(CP_ACP, 0, m_strFolder.c_str(), -1, szPath, sizeof(szPath), NULL, NULL);
        return szPath;
    }
    std::wstring m_strFolder;
    std::vector<std::wstring> m_old;
};

// On a desktop with a window manager, the window manager owns the stacking
// and the game follows it, its temporary folder's path holding a letter
// beyond ASCII and the shell's signs (it reads the display's stacking with
// a host program whose output it finds there, and leaves nothing there): its Alt+Tab to a floating window from another
// program and within the game, its lower (Alt+Escape), a click on a floating
// window with another program in front, and a round to another program and
// back each leave the order the window manager made, with no moment in
// another order (the toolbars stay shown while another program is in
// front), across a minimise and restore and at the next start; and after a
// dialog closes, the keyboard stays the game's even when the window manager
// would hand it to another program it focused last.
TEST_F(WindowOrder, TheWindowManagersSwitchingAndLoweringAreFollowedWithNoFlash)
{
    if (!WindowsAreManaged())
        GTEST_SKIP() << "only a window manager switches and lowers windows";
    TemporaryFolderWithOddName temp;
    FloatingOverTheBoard setup("the window manager's switching", 300000);
    std::vector<std::string> order;
    ASSERT_NO_FATAL_FAILURE(StartOverlapping(setup, true, order));
    // A D S T, and A and D the game's windows focused last.
    for (const char* pszClicked : {"Timer", "Standard", "Difficulty", "Appearance"})
        ASSERT_NO_FATAL_FAILURE(ClickAndExpectRaised(setup.panes, IndexOf(setup.panes, pszClicked), order));
    const std::string strA = setup.panes[IndexOf(setup.panes, "Appearance")].strName;
    const std::string strD = setup.panes[IndexOf(setup.panes, "Difficulty")].strName;
    RECT rcOver = WindowRect(setup.pGame->Frame());
    rcOver.left = rcOver.right - 200;
    HWND hOther = ShowOtherProgramsWindow(rcOver, RGB(30, 140, 110));
    ASSERT_TRUE(hOther != NULL);
    PumpFor(800);
    std::vector<SeenWindow> seen = setup.panes;
    seen.push_back(SeenWindow{"another program", hOther, {}});
    StackingWatch watch(setup.panes);
    // Each step: what it does, and the order the screen shows after it (top
    // first), never another one on the way.
    // (The order expected may depend on what the window manager did: its
    // Alt+Tab back from another program goes to the game's window it
    // focused last, which differs among window managers.)
    auto StepTo = [&](const char* pszWhat, const std::function<bool()>& act,
                      const std::function<std::vector<std::string>()>& expectedAfter) {
        const std::string strBefore = Joined(order);
        ASSERT_TRUE(watch.Start()) << "the display's stacking cannot be polled";
        ASSERT_TRUE(act()) << pszWhat << ": the display's tool cannot be run";
        const std::string strSeen = watch.Seen();
        const std::vector<std::string> expected = expectedAfter();
        const std::string strAfter = Joined(expected);
        EXPECT_TRUE(strSeen == strAfter || strSeen == strBefore + " -> " + strAfter)
            << pszWhat << ": the screen showed " << strSeen << "; expected " << strAfter;
        order = expected;
    };
    auto Step = [&](const char* pszWhat, const std::function<bool()>& act, std::vector<std::string> expected) {
        StepTo(pszWhat, act, [expected] { return expected; });
    };
    auto Reordered = [&](const std::string& strTop) {
        std::vector<std::string> next = {strTop};
        for (const std::string& strName : order)
            if (strName != strTop)
                next.push_back(strName);
        return next;
    };
    // Minimised by the window manager and restored from the other program
    // (as a taskbar activates the frame): polled all along (fluxbox maps
    // the windows of a restored Wine program one every two seconds), the
    // windows end in their order, and the keyboard is the frame's (a key
    // typed at once reaches it).
    auto MinimiseRestoreAndRestart = [&](const char* pszAfter) {
        ASSERT_TRUE(watch.Start(WindowManagerName() == "fluxbox" ? 320 : 150))
            << "the display's stacking cannot be polled";
        ASSERT_TRUE(MinimiseAsThePlayer(setup.pGame->Frame()));
        PumpFor(1200);
        ASSERT_TRUE(SwitchTo(setup.pGame->Frame()));
        std::vector<std::string> restored;
        for (int n = 0; n < 60 && restored != order; n++)
        {
            PumpFor(200);
            restored = OrderOnTheDisplay(setup.panes);
        }
        EXPECT_EQ(Joined(order), Joined(restored)) << "restored " << pszAfter;
        // Mapped again one after the other, they come up bottom first: no
        // moment of another order on the way.
        EXPECT_EQ("", watch.OtherOrderSeen(order)) << "minimised and restored " << pszAfter;
        ExpectTheFrameTakesKeys(*setup.pGame, std::string("restored ") + pszAfter);
        // Stored at exit and shown at the next start: the order the screen
        // shows at the exit.
        order = OrderOnTheDisplay(setup.panes);
        ASSERT_EQ(setup.panes.size(), order.size()) << "the display's order cannot be read";
        ASSERT_TRUE(testsupport::DisplayKeys("alt+F4"));
        ASSERT_EQ(0, setup.pGame->WaitForExit()) << "Alt+F4 did not close the game " << pszAfter;
        EXPECT_EQ(AsStored(order), StoredFloatingOrder()) << pszAfter;
        ASSERT_NO_FATAL_FAILURE(setup.Restart());
        EXPECT_EQ(Joined(order), Joined(WaitForOrder(setup.panes, order))) << "the start " << pszAfter;
        watch = StackingWatch(setup.panes);
    };

    // From the other program, Alt+Tab twice (past A) to D, which stays on
    // top; then a round to the other program and back by Alt+Tab.
    ASSERT_TRUE(SwitchTo(hOther));
    PumpFor(800);
    Step("Alt+Tab to D from another program", [&] { return testsupport::DisplayAltTab(2); }, Reordered(strD));
    EXPECT_EQ(strD, ActiveName(seen));
    StepTo("a round to another program and back by Alt+Tab", [&] {
        const bool bThere = testsupport::DisplayAltTab(1);
        PumpFor(800);
        return bThere && testsupport::DisplayAltTab(1);
    }, [&] { return Reordered(ActiveName(seen)); });
    EXPECT_NE("another window", ActiveName(seen)) << "Alt+Tab did not go back to the game";
    ASSERT_NO_FATAL_FAILURE(MinimiseRestoreAndRestart("after Alt+Tab to D"));

    // The other program clicked, then A's caption: A on top, the toolbars
    // where they lay.
    ::DestroyWindow(hOther);
    hOther = ShowOtherProgramsWindow(rcOver, RGB(30, 140, 110));
    PumpFor(800);
    seen.back().hWnd = hOther;
    Step("the other program clicked", [&] { return ClickOnTheDisplay({rcOver.right - 20, rcOver.bottom - 20}); },
         order);
    const RECT rcA = WindowRect(setup.panes[IndexOf(setup.panes, "Appearance")].hWnd);
    Step("A's caption clicked from the other program",
         [&] { return ClickOnTheDisplay({(rcA.left + rcA.right) / 2, rcA.top + 8}); }, Reordered(strA));
    // The window manager's lower of A (by its own key; fluxbox has none).
    if (WindowManagerName() != "fluxbox")
        Step("the window manager's lower of A", [&] { return LowerOnTheDisplay(); },
             [&] {
                 std::vector<std::string> next;
                 for (const std::string& strName : order)
                     if (strName != strA)
                         next.push_back(strName);
                 next.push_back(strA);
                 return next;
             }());
    ASSERT_NO_FATAL_FAILURE(MinimiseRestoreAndRestart("after A was lowered"));

    // The About box, the other program clicked, Alt+Tab back to the About
    // box and Escape: the keyboard is the game's.
    ::DestroyWindow(hOther);
    hOther = ShowOtherProgramsWindow(rcOver, RGB(30, 140, 110));
    PumpFor(800);
    ASSERT_TRUE(BringFrameToFront(setup.pGame->Frame()));
    ::PostMessage(setup.pGame->Frame(), WM_COMMAND, ID_ABOUT_GAME, 0);
    HWND hAbout = WaitForDialogOtherThan(setup.pGame->Pid(), NULL);
    ASSERT_TRUE(hAbout != NULL) << "no About box";
    PumpFor(800);
    ASSERT_TRUE(ClickOnTheDisplay({rcOver.right - 20, rcOver.bottom - 20}));
    ASSERT_TRUE(testsupport::DisplayAltTab(1));
    PumpFor(600);
    ASSERT_EQ(XWindowOf(hAbout), ActiveOnTheDisplay()) << "Alt+Tab did not go back to the About box";
    ASSERT_TRUE(testsupport::DisplayKeys("Escape"));
    PumpFor(1000);
    EXPECT_FALSE(::IsWindow(hAbout) && ::IsWindowVisible(hAbout)) << "Escape did not close the About box";
    EXPECT_EQ(XWindowOf(setup.pGame->Frame()), ActiveOnTheDisplay()) << "the keyboard went to another program";
    testsupport::SaveScreenSnapshot(setup.pGame->Frame(), "window_manager_switching");
    ::DestroyWindow(hOther);
    setup.Close();
    // The host's shell removes an output nobody took five seconds later.
    PumpFor(6000);
    EXPECT_EQ("", temp.Files()) << "left in the temporary folder";
}

// The Customize sheet's own questions, Reset... on the Toolbars page and
// Reset All on the Keyboard page (the system's message boxes), and its New
// Toolbar dialog: a click on each floating window beside the modal window,
// then Escape, leaves the sheet the active window, above every floating
// window on the screen. The floating windows overlap the sheet's list and
// buttons.
TEST_F(WindowOrder, AClickBesideAModalWindowOfTheCustomizeSheetLeavesTheSheetAboveTheFloatingWindows)
{
    FloatingOverTheBoard setup("a click beside a modal window of the Customize sheet", 200000);
    ASSERT_NO_FATAL_FAILURE(setup.Start());
    Game& game = *setup.pGame;
    HWND hSheet = OpenCustomize(game);
    ASSERT_TRUE(hSheet != NULL) << "the Customize sheet did not open";
    std::vector<SeenWindow> windows = {SeenWindow{"the sheet", hSheet, {}}};
    windows.insert(windows.end(), setup.panes.begin(), setup.panes.end());
    {
        // The panes over the sheet's left and right edges, the Timer over its
        // lower edge: most of each lies outside the sheet.
        const RECT rcSheet = WindowRect(hSheet);
        const RECT rcA = WindowRect(setup.panes[0].hWnd);
        const int cxA = rcA.right - rcA.left;
        ASSERT_TRUE(MoveTopLevel(setup.panes[0].hWnd, rcSheet.left - cxA + 80, rcSheet.top + 30, 0, 0));
        ASSERT_TRUE(MoveTopLevel(setup.panes[1].hWnd, rcSheet.right - 80, rcSheet.top + 30, 0, 0));
        ASSERT_TRUE(MoveTopLevel(setup.panes[2].hWnd, rcSheet.left + 100, rcSheet.bottom - 30, 0, 0));
    }
    // The display's order once the sheet is its first, or the last read
    // within two seconds.
    auto WithTheSheetFirst = [&]() {
        std::vector<std::string> order = OrderOnTheDisplay(windows);
        for (int n = 0; n < 10 && (order.empty() || order[0] != "the sheet"); n++)
        {
            Wait(200);
            order = OrderOnTheDisplay(windows);
        }
        return Joined(order);
    };
    struct Case
    {
        const char* pszButton;
        int nPage;   // Toolbars, Commands, Keyboard, Options
    };
    for (const Case& test : {Case{"R&eset...", 0}, Case{"Re&set All", 2}, Case{"&New...", 0}})
    {
        const char* pszModal = test.pszButton;
        ::SendMessage(hSheet, PSM_SETCURSEL, test.nPage, 0);
        Wait(300);
        HWND hPage = (HWND)::SendMessage(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0);
        ASSERT_TRUE(hPage != NULL);
        if (test.nPage == 0)
        {
            // The Standard toolbar's row: Reset... takes built-in bars only.
            HWND hList = ::GetDlgItem(hPage, 100);
            const int nItem = (int)::SendMessageA(hList, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM) "Standard");
            ASSERT_GE(nItem, 0) << "no row Standard on the Toolbars page";
            ::SendMessage(hList, LB_SETCURSEL, nItem, 0);
            ::PostMessage(hPage, WM_COMMAND, MAKEWPARAM(100, LBN_SELCHANGE), (LPARAM)hList);
            Wait(300);
        }
        ASSERT_EQ(0u, WithTheSheetFirst().find("the sheet,")) << "before " << pszModal;

        const std::vector<HWND> buttons = Descendants(hPage, test.pszButton, "Button");
        ASSERT_FALSE(buttons.empty()) << "no button " << pszModal;
        const RECT rcButton = WindowRect(buttons[0]);
        ASSERT_TRUE(ClickOnTheDisplay({(rcButton.left + rcButton.right) / 2, (rcButton.top + rcButton.bottom) / 2}))
            << "the display's pointer cannot be driven (xdotool)";
        HWND hModal = WaitForDialogOtherThan(game.Pid(), hSheet);
        ASSERT_TRUE(hModal != NULL) << pszModal << " opens nothing";
        Wait(500);

        // A click on each floating window beside the modal window and the sheet.
        for (size_t i = 0; i < setup.panes.size(); i++)
        {
            POINT pt = {};
            ASSERT_TRUE(UncoveredPoint(setup.panes, i, {hSheet, hModal}, pt))
                << "no part of " << setup.panes[i].strName << " shows";
            ASSERT_TRUE(ClickOnTheDisplay(pt));
        }
        Wait(500);
        PressKeys({VK_ESCAPE});
        if (!WaitUntilGone(hModal))
        {
            testsupport::SaveScreenSnapshot(::GetDesktopWindow(), "sheet_question_not_closed_by_escape");
            const HWND hForeground = ::GetForegroundWindow();
            GUITHREADINFO gui = {sizeof(gui)};
            ::GetGUIThreadInfo(::GetWindowThreadProcessId(hModal, NULL), &gui);
            FAIL() << "Escape does not close " << pszModal << "; the foreground: \"" << WindowText(hForeground)
                   << "\"" << (hForeground == hModal ? " (the question)" : "") << ", the focus: \""
                   << WindowText(gui.hwndFocus) << "\", the display's order: " << WithTheSheetFirst();
        }
        Wait(800);
        const std::string strOrder = WithTheSheetFirst();
        EXPECT_EQ(0u, strOrder.find("the sheet,")) << "after " << pszModal << ": " << strOrder;
        EXPECT_EQ(hSheet, ::GetForegroundWindow()) << "the sheet is not the active window after " << pszModal;
        testsupport::SaveScreenSnapshot(::GetDesktopWindow(), "sheet_after_a_click_beside_its_question");
    }
    ::PostMessage(hSheet, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitUntilGone(hSheet));
    setup.Close();
}
