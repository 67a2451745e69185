// The game's dialogs and its profile panes: commands chosen from the
// keyboard, the tutorial, the New Puzzle dialog's lists and buttons, and
// the Appearance and Difficulty Info panes, their tips and their keyboard,
// and what a question leaves behind.
// ctest: run-serial
// ctest: lock registry
#include "brindlemark_fixture.h"

#include "support/gdi_count.h"
#include "support/mouseinput.h"
#include "support/snapshot.h"
#include "support/tooltips.h"
#include "support/watchdog.h"

#include "resource.h"

#include <cmath>
#include <cstddef>
#include <set>
#include <string>
#include <vector>

using namespace gametest;

namespace
{
// Once the dialog a menu command opened is closed the menu bar has left
// its keyboard mode: Down opens no menu.
void ExpectMenuBarLeftKeyboardMode(const Game& game, const char* pszCommand)
{
    Wait(300);
    EXPECT_FALSE(AnyPopupBarVisible(game.Pid())) << pszCommand;
    ::SetForegroundWindow(game.Frame());
    PressKeys({VK_DOWN});
    EXPECT_FALSE(AnyPopupBarVisible(game.Pid())) << pszCommand << ": Down opened a menu";
    PressKeys({VK_ESCAPE});
}
} // namespace

// Return on a menu command is spent choosing it: the dialog or question the
// command opens waits for the player instead of taking the same key.
TEST_F(Brindlemark, DialogsOfCommandsChosenWithTheKeyboardWaitForThePlayer)
{
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    HWND hFrame = game.Frame();

    // File > New > Puzzle: the New Puzzle dialog waits; OK makes the puzzle.
    ChooseWithKeys(hFrame, 'F', {VK_RETURN, VK_RETURN});
    HWND hNew = WaitForDialogOtherThan(game.Pid(), NULL);
    ASSERT_TRUE(hNew != NULL) << "File > New > Puzzle";
    Wait(700);
    ASSERT_TRUE(::IsWindowVisible(hNew)) << "the New Puzzle dialog answered itself";
    EXPECT_EQ("New Puzzle", WindowText(hNew));
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "new_puzzle_from_the_keyboard").empty());
    ClickButton(hNew, "OK");
    WaitForPuzzleMade(game, hNew);
    Wait(500);
    ::SetForegroundWindow(hFrame);
    for (int n = 0; n < 100 && !::IsWindowEnabled(hFrame); n++)
        Wait(50);
    ExpectMenuBarLeftKeyboardMode(game, "New Puzzle");

    // A move, so that Revert to start has something to take back.
    ::SetForegroundWindow(hFrame);
    ClickScreen(game.SquareCentre(9, 1, 1), true);

    // The commands that ask or open a dialog, each reached with the arrows
    // and chosen with Return; the question or dialog waits, and is closed.
    const struct
    {
        const char* pszCommand;
        WORD chMenu;
        std::vector<WORD> keys;
        const char* pszTitle;    // the dialog's title, or NULL
        const char* pszMessage;  // the question's text, or NULL
    } commands[] = {
        {"Edit > Revert to start...", 'E', {VK_END, VK_UP, VK_RETURN}, NULL, "Are you sure you want to start again?"},
        {"Edit > Show Solution...", 'E', {VK_END, VK_RETURN}, NULL,
         "Are you sure you want to see the solution and finish the puzzle?"},
        {"File > Load Puzzle...", 'F', {VK_DOWN, VK_DOWN, VK_RETURN}, NULL, NULL},
        {"File > Print Puzzle Book...", 'F', {VK_END, VK_UP, VK_RETURN}, NULL, NULL},
        {"View > Appearance Profile > Show Appearance Profile List...", 'V', {VK_RETURN, VK_DOWN, VK_RETURN},
         "Appearance Profile List", NULL},
        {"Help > About Brindlemark...", 'H', {VK_END, VK_RETURN}, NULL, NULL},
        {"File > Exit", 'F', {VK_END, VK_RETURN}, NULL, NULL},
    };
    for (const auto& command : commands)
    {
        ChooseWithKeys(hFrame, command.chMenu, command.keys);
        HWND hDialog = WaitForDialogOtherThan(game.Pid(), NULL);
        ASSERT_TRUE(hDialog != NULL) << command.pszCommand << ": nothing opened";
        Wait(700);
        EXPECT_TRUE(::IsWindowVisible(hDialog)) << command.pszCommand << ": answered itself";
        EXPECT_TRUE(::IsWindow(hFrame)) << command.pszCommand;
        if (command.pszTitle != NULL)
        {
            EXPECT_EQ(command.pszTitle, WindowText(hDialog)) << command.pszCommand;
        }
        if (command.pszMessage != NULL)
        {
            EXPECT_EQ(command.pszMessage, MessageText(hDialog)) << command.pszCommand;
        }
        ::PostMessage(hDialog, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(WaitUntilGone(hDialog)) << command.pszCommand;
        ExpectMenuBarLeftKeyboardMode(game, command.pszCommand);
    }

    // Help > Show Tutorial... opens on its first page: Prev is disabled.
    ChooseWithKeys(hFrame, 'H', {VK_RETURN});
    HWND hTutorial = WaitForDialogOtherThan(game.Pid(), NULL);
    ASSERT_TRUE(hTutorial != NULL) << "Help > Show Tutorial...";
    Wait(500);
    ASSERT_TRUE(::GetDlgItem(hTutorial, 2056) != NULL);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hTutorial, 2056))) << "the tutorial opened past its first page";
    ::PostMessage(hTutorial, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitUntilGone(hTutorial));
    ExpectMenuBarLeftKeyboardMode(game, "Show Tutorial");

    // The game was not touched by any of it: the puzzle still runs, so
    // closing asks to save it.
    ::PostMessage(hFrame, WM_CLOSE, 0, 0);
    HWND hQuestion = WaitForDialogOtherThan(game.Pid(), NULL);
    ASSERT_TRUE(hQuestion != NULL);
    ClickButton(hQuestion, "Don't Save");
    EXPECT_EQ(0, game.WaitForExit());
    ClearSettings();
}

// The profile panes' sort toolbars have no command bars: the pointer
// resting on either icon-only button brings up its tip.
TEST_F(Brindlemark, ThePanesSortButtonsShowTipsWhenThePointerRestsOnThem)
{
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    HWND hFrame = game.Frame();
    game.Command(ID_APPEARANCE_PANE);
    game.Command(ID_DIFFICULTY_PANE);
    ::SetForegroundWindow(hFrame);
    Wait(300);

    // The panes' toolbars are the toolbars with the standard toolbar id.
    std::vector<HWND> bars;
    for (HWND hBar : Descendants(hFrame, "", "XTPToolBar"))
        if (::GetDlgCtrlID(hBar) == AFX_IDW_TOOLBAR && ::IsWindowVisible(hBar))
            bars.push_back(hBar);
    ASSERT_EQ(2u, bars.size());
    int nShot = 0;
    for (HWND hBar : bars)
    {
        RECT rcBar = WindowRect(hBar);
        const int cy = rcBar.bottom - rcBar.top;
        ASSERT_GT(cy, 16);
        // The two 16 x 16 buttons sit at the bar's left end, one bar height
        // wide each.
        for (int nButton = 0; nButton < 2; nButton++)
        {
            SCOPED_TRACE(nShot);
            POINT pt = {rcBar.left + cy / 2 + nButton * (cy - 1), (rcBar.top + rcBar.bottom) / 2};
            ASSERT_EQ(hBar, ::WindowFromPoint(pt));
            HWND hTip = testsupport::HoverUntilToolTip(pt, [] { Wait(1); }, game.Pid());
            ASSERT_TRUE(hTip != NULL) << "no tip over sort button " << nButton;
            RECT rcTip = WindowRect(hTip);
            EXPECT_GE(rcTip.right - rcTip.left, 40) << "a tip with its text";
            EXPECT_LE(std::abs(rcTip.top - pt.y), 60) << "the tip shows at the pointer";
            const std::string strShot = "pane_sort_button_tip_" + std::to_string(nShot++);
            EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, strShot.c_str()).empty());
            // Away over the board: the tip goes.
            RECT rcView = WindowRect(game.View());
            ::SetCursorPos((rcView.left + rcView.right) / 2, rcView.top + 5);
            for (int n = 0; n < 100 && testsupport::VisibleToolTip(game.Pid()) != NULL; n++)
                Wait(20);
            EXPECT_TRUE(testsupport::VisibleToolTip(game.Pid()) == NULL);
        }
    }
    EXPECT_EQ(0, game.Close());
    ClearSettings();
}

// A keyboard player pages through the tutorial with Return: on the last page
// Next is disabled and the focus moves on, so Escape still closes it.
TEST_F(Brindlemark, TheTutorialPagedWithTheKeyboardClosesWithEscape)
{
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    ChooseWithKeys(game.Frame(), 'H', {VK_RETURN});
    HWND hTutorial = WaitForDialogOtherThan(game.Pid(), NULL);
    ASSERT_TRUE(hTutorial != NULL) << "Help > Show Tutorial...";
    ::SetForegroundWindow(hTutorial);
    Wait(300);
    HWND hNext = ::GetDlgItem(hTutorial, 2055);
    ASSERT_TRUE(hNext != NULL);
    for (int i = 0; i < 7; i++)
        PressKeys({VK_RETURN});
    Wait(300);
    EXPECT_FALSE(::IsWindowEnabled(hNext)) << "the last page";
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(hTutorial, 2056)));
    HWND hFocus = FocusOf(hTutorial);
    EXPECT_TRUE(hFocus != NULL && hFocus != hNext && ::IsWindowEnabled(hFocus)) << "the focus stayed on Next";
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hTutorial, "tutorial_last_page_by_keyboard").empty());
    // More Returns do nothing harmful; Escape closes the tutorial.
    PressKeys({VK_ESCAPE});
    EXPECT_TRUE(WaitUntilGone(hTutorial)) << "Escape on the last page";
    if (::IsWindow(hTutorial))
        ::PostMessage(hTutorial, WM_COMMAND, IDCANCEL, 0);
    Wait(300);
    EXPECT_EQ(0, game.Close());
    ClearSettings();
}

// A profile pane auto-hidden at exit comes back as a tab on the frame's
// edge; its View entry then removes it instead of docking a second copy,
// and the next start has it once.
TEST_F(Brindlemark, AProfilePanePinnedAtExitIsRemovedByItsViewEntryAndNotCopied)
{
    {
        Game game;
        ASSERT_TRUE(game.Frame() != NULL);
        HWND hFrame = game.Frame();
        ChooseProfilePaneEntry(game, false);
        std::vector<HWND> containers = VisibleDescendants(hFrame, "XTPDockingPaneTabbedContainer");
        ASSERT_EQ(1u, containers.size()) << "the appearance pane did not open";
        ASSERT_EQ(1u, VisibleDescendants(hFrame, "XTPPropertyGrid").size());
        ClickPin(containers[0]);
        // Pinned away: the grid is gone from view, a tab stands on the left.
        EXPECT_EQ(0u, VisibleDescendants(hFrame, "XTPPropertyGrid").size()) << "the pin did not hide the pane";
        EXPECT_EQ(1u, VisibleDescendants(hFrame, "XTPDockingPaneAutoHidePanel").size());
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "appearance_pane_pinned").empty());
        EXPECT_EQ(0, game.Close());
    }
    {
        Game again;
        ASSERT_TRUE(again.Frame() != NULL);
        HWND hFrame = again.Frame();
        ASSERT_EQ(1u, VisibleDescendants(hFrame, "XTPDockingPaneAutoHidePanel").size()) << "no tab after the restart";
        EXPECT_EQ(0u, VisibleDescendants(hFrame, "XTPPropertyGrid").size());
        // The entry shows checked (seen in the snapshot of the open menu).
        ChooseWithKeys(hFrame, 'V', {VK_RETURN});
        EXPECT_TRUE(WaitForPopupBar(again.Pid()) != NULL);
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "appearance_entry_of_a_pinned_pane").empty());
        PressKeys({VK_ESCAPE});
        PressKeys({VK_ESCAPE});
        PressKeys({VK_ESCAPE});
        Wait(300);

        // Chosen, it removes the pinned pane; no docked copy appears.
        ChooseProfilePaneEntry(again, false);
        EXPECT_EQ(0u, VisibleDescendants(hFrame, "XTPDockingPaneAutoHidePanel").size()) << "the tab stayed";
        EXPECT_EQ(0u, VisibleDescendants(hFrame, "XTPDockingPaneTabbedContainer").size()) << "a copy was docked";
        EXPECT_EQ(0u, VisibleDescendants(hFrame, "XTPPropertyGrid").size());
        // Chosen again, it docks the pane once.
        ChooseProfilePaneEntry(again, false);
        EXPECT_EQ(1u, VisibleDescendants(hFrame, "XTPDockingPaneTabbedContainer").size());
        EXPECT_EQ(1u, VisibleDescendants(hFrame, "XTPPropertyGrid").size());
        EXPECT_EQ(0u, VisibleDescendants(hFrame, "XTPDockingPaneAutoHidePanel").size());

        // The difficulty pane, opened and pinned in the same run.
        ChooseProfilePaneEntry(again, true);
        EXPECT_EQ(2u, VisibleDescendants(hFrame, "XTPPropertyGrid").size()) << "the difficulty pane did not open";
        std::vector<HWND> containers = VisibleDescendants(hFrame, "XTPDockingPaneTabbedContainer");
        ASSERT_EQ(2u, containers.size());
        RECT rcA, rcB;
        ::GetWindowRect(containers[0], &rcA);
        ::GetWindowRect(containers[1], &rcB);
        // The newer pane docks at the frame's left edge, left of the other.
        ClickPin(rcA.left < rcB.left ? containers[0] : containers[1]);
        EXPECT_EQ(1u, VisibleDescendants(hFrame, "XTPPropertyGrid").size()) << "the pin did not hide the pane";
        EXPECT_EQ(1u, VisibleDescendants(hFrame, "XTPDockingPaneAutoHidePanel").size());
        EXPECT_EQ(0, again.Close());
    }
    {
        // One of each pane: the appearance pane docked, the difficulty pane
        // pinned; its entry removes it at once.
        Game third;
        ASSERT_TRUE(third.Frame() != NULL);
        HWND hFrame = third.Frame();
        EXPECT_EQ(1u, VisibleDescendants(hFrame, "XTPDockingPaneTabbedContainer").size());
        EXPECT_EQ(1u, VisibleDescendants(hFrame, "XTPPropertyGrid").size());
        EXPECT_EQ(1u, VisibleDescendants(hFrame, "XTPDockingPaneAutoHidePanel").size());
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "one_pane_docked_one_pinned").empty());
        ChooseProfilePaneEntry(third, true);
        EXPECT_EQ(0u, VisibleDescendants(hFrame, "XTPDockingPaneAutoHidePanel").size());
        EXPECT_EQ(1u, VisibleDescendants(hFrame, "XTPDockingPaneTabbedContainer").size());
        ChooseProfilePaneEntry(third, false);
        EXPECT_EQ(0u, VisibleDescendants(hFrame, "XTPDockingPaneTabbedContainer").size());
        EXPECT_EQ(0, third.Close());
    }
    Game fourth;
    ASSERT_TRUE(fourth.Frame() != NULL);
    EXPECT_EQ(0u, VisibleDescendants(fourth.Frame(), "XTPDockingPaneTabbedContainer").size());
    EXPECT_EQ(0u, VisibleDescendants(fourth.Frame(), "XTPDockingPaneAutoHidePanel").size());
    EXPECT_EQ(0, fourth.Close());
    ClearSettings();
}

namespace
{
// The id of the selected pane of the stored group of two panes, or -1.
int StoredSelectionOfTheGroup()
{
    const std::string strLayout = "DockingPaneLayouts\\NormalLayout\\";
    const int nCount = testsupport::UserProfileInt((strLayout + "Summary").c_str(), "Panes");
    for (int n = 1; n <= nCount; n++)
    {
        const std::string strSection = strLayout + "Pane-" + std::to_string(n);
        if (testsupport::UserProfileInt(strSection.c_str(), "Type") != 1 ||
            testsupport::UserProfileInt(strSection.c_str(), "Panes") != 2)
            continue;
        const int nSelected = testsupport::UserProfileInt(strSection.c_str(), "Selected");
        return testsupport::UserProfileInt((strLayout + "Pane-" + std::to_string(nSelected)).c_str(), "ID");
    }
    return -1;
}

// The one visible tabbed container of the frame, or of a floating window.
HWND TheGroup(const Game& game)
{
    std::vector<HWND> containers = VisibleDescendants(game.Frame(), "XTPDockingPaneTabbedContainer");
    if (containers.empty())
    {
        HWND hMini = FloatingPane(game);
        if (hMini != NULL)
            containers = VisibleDescendants(hMini, "XTPDockingPaneTabbedContainer");
    }
    return containers.size() == 1 ? containers[0] : NULL;
}

// The two docked profile panes tabbed together: the difficulty pane (docked
// last, at the edge) dragged by its caption onto the appearance pane's
// caption. The group, or NULL when the panes were not tabbed together.
HWND TabPanesTogether(const Game& game, const std::vector<HWND>& containers)
{
    RECT rcA = WindowRect(containers[0]), rcB = WindowRect(containers[1]);
    const RECT rcDifficulty = rcA.left < rcB.left ? rcA : rcB;
    const RECT rcAppearance = rcA.left < rcB.left ? rcB : rcA;
    DragScreen({rcDifficulty.left + 30, rcDifficulty.top + 8}, {rcAppearance.left + 40, rcAppearance.top + 8});
    Wait(500);
    return TheGroup(game);
}
} // namespace

// The two profile panes tabbed together with the first tab chosen: moved
// as a whole (dragged out to float, dragged back to dock, pinned), the
// group keeps the first tab, and the next start shows it so.
TEST_F(Brindlemark, AGroupOfBothProfilePanesKeepsItsChosenTabWhenMovedWhole)
{
    {
        Game game;
        ASSERT_TRUE(game.Frame() != NULL);
        HWND hFrame = game.Frame();
        ChooseProfilePaneEntry(game, false);
        ChooseProfilePaneEntry(game, true);
        std::vector<HWND> containers = VisibleDescendants(hFrame, "XTPDockingPaneTabbedContainer");
        ASSERT_EQ(2u, containers.size());
        // The difficulty pane (docked last, at the edge) dragged by its
        // caption onto the appearance pane's caption: tabbed in behind it.
        HWND hGroup = TabPanesTogether(game, containers);
        ASSERT_TRUE(hGroup != NULL) << "the panes were not tabbed together";
        EXPECT_EQ(1u, VisibleDescendants(hFrame, "XTPPropertyGrid").size());
        // The first tab, at the left of the tab row along the bottom.
        RECT rcGroup;
        ::GetWindowRect(hGroup, &rcGroup);
        ClickScreen({rcGroup.left + 25, rcGroup.bottom - 10}, false);
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "profile_group_first_tab").empty());

        // Dragged by its caption into the middle of the board: it floats.
        RECT rcView;
        ::GetWindowRect(game.View(), &rcView);
        DragScreen({rcGroup.left + 30, rcGroup.top + 8}, {(rcView.left + rcView.right) / 2, rcView.top + 100});
        Wait(500);
        ASSERT_TRUE(FloatingPane(game) != NULL) << "the group did not float";
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "profile_group_floated").empty());
        EXPECT_EQ(0, game.Close());
    }
    EXPECT_EQ(1000, StoredSelectionOfTheGroup()) << "floated";
    {
        Game game;
        ASSERT_TRUE(game.Frame() != NULL);
        HWND hMini = FloatingPane(game);
        ASSERT_TRUE(hMini != NULL) << "the floating group did not come back";
        // Dragged by the floating window's caption to the board's left
        // edge: docked there.
        RECT rcMini, rcView;
        ::GetWindowRect(hMini, &rcMini);
        ::GetWindowRect(game.View(), &rcView);
        DragScreen({rcMini.left + 30, rcMini.top + 8}, {rcView.left + 6, (rcView.top + rcView.bottom) / 2});
        Wait(500);
        EXPECT_TRUE(FloatingPane(game) == NULL) << "the group did not dock";
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(game.Frame(), "profile_group_docked").empty());
        EXPECT_EQ(0, game.Close());
    }
    EXPECT_EQ(1000, StoredSelectionOfTheGroup()) << "docked";
    {
        Game game;
        ASSERT_TRUE(game.Frame() != NULL);
        HWND hGroup = TheGroup(game);
        ASSERT_TRUE(hGroup != NULL) << "the docked group did not come back";
        ClickPin(hGroup);
        EXPECT_EQ(1u, VisibleDescendants(game.Frame(), "XTPDockingPaneAutoHidePanel").size()) << "not pinned";
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(game.Frame(), "profile_group_pinned").empty());
        EXPECT_EQ(0, game.Close());
    }
    EXPECT_EQ(1000, StoredSelectionOfTheGroup()) << "pinned";
    ClearSettings();
}

namespace
{
// The visible drop-down list of a property grid of the process (a top-level
// list box), waited for; NULL when none shows within the time.
HWND WaitForDropDown(DWORD dwPid, int nMilliseconds = 5000)
{
    return WaitForVisibleTopLevel(dwPid, "ListBox", nMilliseconds);
}
} // namespace

// In the difficulty pane, Force Complete's drop-down takes "True" when it
// is clicked: with the list open, and with the click made so soon after
// the one on the drop-down button that the list is still opening. The list
// opened again shows the value taken. The button clicked again at once
// after the list was closed with Escape (the two clicks make a double
// click) opens the list again.
TEST_F(Brindlemark, AClickOnForceCompletesListTakesTheValue)
{
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    HWND hFrame = game.Frame();
    ASSERT_TRUE(MakePuzzle(game));
    game.Command(ID_DIFFICULTY_PANE);
    Wait(500);
    HWND hView = LargestGridView(hFrame);
    ASSERT_TRUE(hView != NULL) << "no difficulty pane";
    // The rows: name, puzzle size, the five aids, then Timer Settings with
    // Target Time and, last, Force Complete.
    const int nRow = (int)::SendMessage(hView, LB_GETCOUNT, 0, 0) - 1;
    ASSERT_EQ(13, nRow);
    RECT rcRow = {};
    ASSERT_NE(LB_ERR, (int)::SendMessage(hView, LB_GETITEMRECT, nRow, (LPARAM)&rcRow));
    POINT ptCaption = {rcRow.left + 20, (rcRow.top + rcRow.bottom) / 2};
    POINT ptButton = {rcRow.right - 6, ptCaption.y};
    ::ClientToScreen(hView, &ptCaption);
    ::ClientToScreen(hView, &ptButton);
    ::SetForegroundWindow(hFrame);
    ClickScreen(ptCaption, false);

    const auto openList = [&](const char* pszWhen) -> HWND {
        ClickScreen(ptButton, false);
        HWND hList = WaitForDropDown(game.Pid());
        EXPECT_TRUE(hList != NULL) << pszWhen << ": the drop-down button opened no list";
        return hList;
    };
    const auto closeList = [&](HWND hList) {
        ::PostMessage(hList, WM_KEYDOWN, VK_ESCAPE, 0);
        WaitUntilGone(hList, 3000);
        for (int n = 0; n < 60 && ::IsWindowVisible(hList); n++)
            Wait(50);
    };
    // Opened at once after the last list was closed: a double click on the
    // button.
    const auto setFalse = [&]() {
        HWND hList = openList("back to False");
        if (hList == NULL)
            return;
        RECT rcFalse = {};
        ::SendMessage(hList, LB_GETITEMRECT, 1, (LPARAM)&rcFalse);
        POINT ptFalse = {(rcFalse.left + rcFalse.right) / 2, (rcFalse.top + rcFalse.bottom) / 2};
        ::ClientToScreen(hList, &ptFalse);
        ClickScreen(ptFalse, false);
        Wait(300);
    };

    // The list opens on False; a click on True takes it.
    HWND hList = openList("first");
    ASSERT_TRUE(hList != NULL);
    EXPECT_EQ(1, (int)::SendMessage(hList, LB_GETCURSEL, 0, 0)) << "Force Complete starts False";
    RECT rcTrue = {};
    ASSERT_NE(LB_ERR, (int)::SendMessage(hList, LB_GETITEMRECT, 0, (LPARAM)&rcTrue));
    POINT ptTrue = {(rcTrue.left + rcTrue.right) / 2, (rcTrue.top + rcTrue.bottom) / 2};
    ::ClientToScreen(hList, &ptTrue);
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "force_complete_drop_down").empty());
    ClickScreen(ptTrue, false);
    Wait(500);
    EXPECT_FALSE(::IsWindowVisible(hList)) << "the click left the list open";
    hList = openList("after the click on True");
    ASSERT_TRUE(hList != NULL);
    EXPECT_EQ(0, (int)::SendMessage(hList, LB_GETCURSEL, 0, 0)) << "the click on True was lost";
    closeList(hList);

    // Clicks on the button and on True made at once, several times.
    for (int nTry = 0; nTry < 4; nTry++)
    {
        setFalse();
        hList = openList("False taken");
        ASSERT_TRUE(hList != NULL);
        EXPECT_EQ(1, (int)::SendMessage(hList, LB_GETCURSEL, 0, 0)) << "try " << nTry << ": False was not taken";
        closeList(hList);
        ::SetForegroundWindow(hFrame);
        Wait(300);
        using testsupport::MouseInput;
        const DWORD dwAt = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        testsupport::SendInputs({MouseInput(dwAt, ptButton), MouseInput(dwAt | MOUSEEVENTF_LEFTDOWN, ptButton),
                                 MouseInput(dwAt | MOUSEEVENTF_LEFTUP, ptButton), MouseInput(dwAt, ptTrue),
                                 MouseInput(dwAt | MOUSEEVENTF_LEFTDOWN, ptTrue),
                                 MouseInput(dwAt | MOUSEEVENTF_LEFTUP, ptTrue)});
        Wait(800);
        HWND hLeft = WaitForDropDown(game.Pid(), 100);
        EXPECT_TRUE(hLeft == NULL) << "try " << nTry << ": the list stays open";
        if (hLeft != NULL)
            closeList(hLeft);
        hList = openList("after the quick clicks");
        ASSERT_TRUE(hList != NULL);
        EXPECT_EQ(0, (int)::SendMessage(hList, LB_GETCURSEL, 0, 0)) << "try " << nTry << ": the quick click was lost";
        closeList(hList);
    }

    EXPECT_EQ(0, CloseWithoutSaving(game));
    ClearSettings();
}

namespace
{
// The screen pixels of a grid row's value text: a strip from just right of
// the divider (the middle of the view), where "False" and "True" differ.
std::vector<COLORREF> ValueText(HWND hView, int nRow)
{
    RECT rc = {};
    ::SendMessage(hView, LB_GETITEMRECT, nRow, (LPARAM)&rc);
    POINT pt = {(rc.left + rc.right) / 2 + 3, rc.top + 2};
    ::ClientToScreen(hView, &pt);
    const int cx = 40, cy = rc.bottom - rc.top - 4;
    HDC hScreen = ::GetDC(NULL);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, cx, cy);
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    ::BitBlt(hMem, 0, 0, cx, cy, hScreen, pt.x, pt.y, SRCCOPY);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
            pixels.push_back(::GetPixel(hMem, x, y));
    ::SelectObject(hMem, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMem);
    ::ReleaseDC(NULL, hScreen);
    return pixels;
}
} // namespace

// In the Difficulty Profile editor (the list's Add...), a double click on
// the "False" of a row not yet selected flips it at once, made quickly or
// at a hand's pace (the game sees the first press while the button is
// still held); the rows not clicked stay False.
TEST_F(Brindlemark, ADoubleClickOnTheValueOfADifficultyRowNotYetSelectedFlipsIt)
{
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    game.ToFront();
    game.Command(ID_DIFFICULTY_LIST);
    HWND hList = WaitForWindow(game.Pid(), "Difficulty Profile List");
    ASSERT_TRUE(hList != NULL);
    Wait(300);
    ClickDialogButton(hList, IDC_PROFILE_ADD);
    HWND hEditor = WaitForWindow(game.Pid(), "Difficulty Profile");
    ASSERT_TRUE(hEditor != NULL) << "Add... opened no editor";
    ::SetForegroundWindow(hEditor);
    Wait(300);
    HWND hView = LargestGridView(hEditor);
    ASSERT_TRUE(hView != NULL);
    // The rows: name, puzzle size, the five aids (rows 6 to 10), then Timer
    // Settings with Target Time and, last, Force Complete (row 13); every
    // flag of a new profile is False.
    ASSERT_EQ(14, (int)::SendMessage(hView, LB_GETCOUNT, 0, 0));
    const std::vector<COLORREF> falseText = ValueText(hView, 8);
    ASSERT_TRUE(falseText == ValueText(hView, 9)) << "two False rows look different";

    using testsupport::MouseInput;
    const DWORD dwAt = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    auto ValuePoint = [&](int nRow) {
        RECT rc = {};
        ::SendMessage(hView, LB_GETITEMRECT, nRow, (LPARAM)&rc);
        POINT pt = {(rc.left + rc.right) / 2 + 12, (rc.top + rc.bottom) / 2};
        ::ClientToScreen(hView, &pt);
        return pt;
    };
    for (int nRow : {6, 7})
        ClickScreen(ValuePoint(nRow), false, 2);
    for (int nRow : {10, 13})
    {
        const POINT pt = ValuePoint(nRow);
        // A move there, then each press and release apart.
        for (DWORD dwButton : {0, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP})
        {
            testsupport::SendInputs({MouseInput(dwAt | dwButton, pt)});
            Wait(80);
        }
        Wait(300);
    }

    // The selection moved to a caption, every flag row shows its value as
    // the grid draws it.
    RECT rcColumns = {};
    ::SendMessage(hView, LB_GETITEMRECT, 3, (LPARAM)&rcColumns);
    POINT ptCaption = {rcColumns.left + 30, (rcColumns.top + rcColumns.bottom) / 2};
    ::ClientToScreen(hView, &ptCaption);
    ClickScreen(ptCaption, false);
    for (int nRow : {6, 7, 10, 13})
    {
        std::vector<COLORREF> now = ValueText(hView, nRow);
        for (int n = 0; n < 60 && now == falseText; n++)
        {
            Wait(50);
            now = ValueText(hView, nRow);
        }
        EXPECT_TRUE(now != falseText) << "row " << nRow << " was not flipped by one double click";
    }
    for (int nRow : {8, 9})
        EXPECT_TRUE(ValueText(hView, nRow) == falseText) << "row " << nRow << " changed";
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hEditor, "difficulty_editor_flipped").empty());

    ClickButton(hEditor, "Cancel");
    ASSERT_TRUE(WaitUntilGone(hEditor));
    ::PostMessage(hList, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntilGone(hList));
    EXPECT_EQ(0, game.Close());
}

// Every click on the board takes the keyboard back from a profile pane
// clicked before it, not only the first; and a pane slid out of its
// auto-hide tab and clicked slides back in once the board is clicked.
TEST_F(Brindlemark, EveryClickOnTheBoardTakesTheKeyboardBackFromAProfilePane)
{
    testsupport::Watchdog watchdog("clicks between a pane and the board", 120000);
    StoreOnlyDifficultyProfile(5, 0, false);
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    watchdog.AlsoEnd(game.Process());
    HWND hFrame = game.Frame();
    ASSERT_TRUE(MakePuzzleWithCtrlN(game));
    ChooseProfilePaneEntry(game, true);
    std::vector<HWND> containers = VisibleDescendants(hFrame, "XTPDockingPaneTabbedContainer");
    ASSERT_EQ(1u, containers.size()) << "the difficulty pane did not open";
    std::vector<HWND> grids = VisibleDescendants(hFrame, "XTPPropertyGrid");
    ASSERT_EQ(1u, grids.size());
    // The board's margin, right of its squares.
    RECT rcView;
    ::GetWindowRect(game.View(), &rcView);
    const POINT ptBoard = {rcView.right - 25, (rcView.top + rcView.bottom) / 2};

    for (int i = 0; i < 3; i++)
    {
        ClickScreen(LowerMiddle(grids[0]), false);
        EXPECT_TRUE(HasFocusIn(hFrame, containers[0])) << "click " << i << " in the pane";
        ClickScreen(ptBoard, false);
        EXPECT_EQ(game.View(), FocusOf(hFrame)) << "click " << i << " on the board";
    }

    // Pinned away, slid out by a click on its tab, clicked inside, then the
    // board: the pane slides back in.
    ClickPin(containers[0]);
    ASSERT_EQ(0u, VisibleDescendants(hFrame, "XTPPropertyGrid").size()) << "the pin did not hide the pane";
    std::vector<HWND> panels = VisibleDescendants(hFrame, "XTPDockingPaneAutoHidePanel");
    ASSERT_EQ(1u, panels.size());
    RECT rcPanel;
    ::GetWindowRect(panels[0], &rcPanel);
    ClickScreen({(rcPanel.left + rcPanel.right) / 2, rcPanel.top + 40}, false);
    grids = VisibleDescendants(hFrame, "XTPPropertyGrid");
    ASSERT_EQ(1u, grids.size()) << "the tab's click did not slide the pane out";
    ClickScreen(LowerMiddle(grids[0]), false);
    EXPECT_TRUE(HasFocusIn(hFrame, grids[0])) << "the click in the slid-out pane";
    ClickScreen(ptBoard, false);
    EXPECT_EQ(game.View(), FocusOf(hFrame)) << "the board after the slid-out pane";
    bool bSlidIn = false;
    for (int n = 0; n < 100 && !bSlidIn; n++)
    {
        bSlidIn = VisibleDescendants(hFrame, "XTPPropertyGrid").empty();
        if (!bSlidIn)
            Wait(50);
    }
    EXPECT_TRUE(bSlidIn) << "the pane stays out after the board was clicked";
    EXPECT_EQ(0, CloseWithoutSaving(game, 3000));
    ClearSettings();
}

namespace
{
// The screen pixels of a window's column, a few pixels in from its left edge.
Patch WindowColumn(HWND hWnd, int nInset)
{
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    Patch column;
    HDC hScreen = ::GetDC(NULL);
    for (int y = rc.top + nInset; y < rc.bottom - nInset; y++)
        column.push_back(::GetPixel(hScreen, rc.left + nInset, y));
    ::ReleaseDC(NULL, hScreen);
    return column;
}

int Differences(const Patch& a, const Patch& b)
{
    int n = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); i++)
        n += a[i] != b[i];
    return n;
}
} // namespace

// Tabbing through the New Puzzle dialog: the push button that has the focus
// shows the focus rectangle, so a keyboard player sees what Space presses.
TEST_F(Brindlemark, TheFocusedPushButtonShowsItsFocusRectangle)
{
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    ::SetForegroundWindow(game.Frame());
    PressKeys({VK_CONTROL, 'N'});
    HWND hDialog = WaitForWindow(game.Pid(), "New Puzzle");
    ASSERT_TRUE(hDialog != NULL);
    Wait(300);
    const std::vector<HWND> ok = Descendants(hDialog, "OK", "");
    const std::vector<HWND> cancel = Descendants(hDialog, "Cancel", "");
    ASSERT_FALSE(ok.empty());
    ASSERT_FALSE(cancel.empty());
    // Both unfocused first: the focus starts in the lists.
    ::SetForegroundWindow(hDialog);
    for (int n = 0; n < 10 && (FocusOf(hDialog) == ok[0] || FocusOf(hDialog) == cancel[0]); n++)
    {
        PressKeys({VK_TAB});
        Wait(150);
    }
    const Patch okPlain = WindowColumn(ok[0], 4), cancelPlain = WindowColumn(cancel[0], 4);
    for (int n = 0; n < 10 && FocusOf(hDialog) != ok[0]; n++)
    {
        PressKeys({VK_TAB});
        Wait(150);
    }
    ASSERT_EQ(ok[0], FocusOf(hDialog)) << "Tab never reached OK";
    Wait(300);
    EXPECT_GT(Differences(okPlain, WindowColumn(ok[0], 4)), 3) << "no focus rectangle on OK";
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hDialog, "new_puzzle_focus_on_ok").empty());
    for (int n = 0; n < 10 && FocusOf(hDialog) != cancel[0]; n++)
    {
        PressKeys({VK_TAB});
        Wait(150);
    }
    ASSERT_EQ(cancel[0], FocusOf(hDialog)) << "Tab never reached Cancel";
    Wait(300);
    EXPECT_GT(Differences(cancelPlain, WindowColumn(cancel[0], 4)), 3) << "no focus rectangle on Cancel";
    EXPECT_EQ(0, Differences(okPlain, WindowColumn(ok[0], 4))) << "OK kept its focus rectangle";
    PressKeys({VK_ESCAPE});
    EXPECT_TRUE(WaitUntilGone(hDialog));
    EXPECT_EQ(0, game.Close());
    ClearSettings();
}

namespace
{
// The height of one line of the status font, which the tips use.
int TipLineHeight()
{
    NONCLIENTMETRICSA ncm = {};
    ncm.cbSize = 340; // the layout without the padded-border field
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0);
    HFONT hFont = ::CreateFontIndirectA(&ncm.lfStatusFont);
    HDC hScreen = ::GetDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hScreen, hFont);
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(hScreen, &tm);
    ::SelectObject(hScreen, hOld);
    ::ReleaseDC(NULL, hScreen);
    ::DeleteObject(hFont);
    return tm.tmHeight;
}

// Hovers the point until the game shows a tip; expects one line of text
// (no empty title band above it) and gives the tip's text.
std::string ExpectOneLineTipAt(const Game& game, POINT pt, const char* pszWhat)
{
    HWND hTip = testsupport::HoverUntilToolTip(pt, [] { Wait(1); }, game.Pid());
    EXPECT_TRUE(hTip != NULL) << "no tip over " << pszWhat;
    if (hTip == NULL)
        return std::string();
    char szText[256] = "";
    ::GetWindowTextA(hTip, szText, sizeof(szText));
    RECT rcTip = WindowRect(hTip);
    const int cyLine = TipLineHeight();
    EXPECT_LT(rcTip.bottom - rcTip.top, 2 * cyLine)
        << pszWhat << ": a tip " << rcTip.right - rcTip.left << " x " << rcTip.bottom - rcTip.top
        << " for one line of " << cyLine;
    const std::string strShot = std::string("one_line_tip_") + pszWhat;
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(game.Frame(), strShot.c_str()).empty());
    // Away over the board: the tip goes.
    RECT rcView = WindowRect(game.View());
    ::SetCursorPos((rcView.left + rcView.right) / 2, (rcView.top + rcView.bottom) / 2);
    for (int n = 0; n < 100 && testsupport::VisibleToolTip(game.Pid()) != NULL; n++)
        Wait(20);
    return szText;
}
} // namespace

// The tips of a docked pane's caption buttons and of the tabs of two panes
// tabbed together are one line high, with no empty title band.
TEST_F(Brindlemark, PaneButtonAndTabTipsAreOneLineHigh)
{
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    HWND hFrame = game.Frame();
    ChooseProfilePaneEntry(game, false);
    std::vector<HWND> containers = VisibleDescendants(hFrame, "XTPDockingPaneTabbedContainer");
    ASSERT_EQ(1u, containers.size()) << "the appearance pane did not open";
    ::SetForegroundWindow(hFrame);
    Wait(300);
    // The pin at the right end of the caption.
    RECT rc = WindowRect(containers[0]);
    ExpectOneLineTipAt(game, {rc.right - 12, rc.top + 11}, "pin");

    // Both panes tabbed together: the tab row along the group's bottom.
    ChooseProfilePaneEntry(game, true);
    containers = VisibleDescendants(hFrame, "XTPDockingPaneTabbedContainer");
    ASSERT_EQ(2u, containers.size());
    HWND hGroup = TabPanesTogether(game, containers);
    ASSERT_TRUE(hGroup != NULL) << "the panes were not tabbed together";
    ::SetForegroundWindow(hFrame);
    Wait(300);
    RECT rcGroup = WindowRect(hGroup);
    ExpectOneLineTipAt(game, {rcGroup.left + 25, rcGroup.bottom - 10}, "tab");
    EXPECT_EQ(0, game.Close());
    ClearSettings();
}

namespace
{
// The game's windows, hidden ones and children too.
int WindowsOf(DWORD dwPid)
{
    int nCount = 0;
    for (HWND hWnd : TopLevels(dwPid, ""))
        nCount += 1 + (int)Descendants(hWnd, "", "").size();
    return nCount;
}

// A question's picture shows: the static control of its template holds a
// bitmap, and the screen shows more than one colour where it lies.
void ExpectPictureShows(HWND hQuestion, int nShowing)
{
    HWND hPicture = NULL;
    for (HWND hChild : Descendants(hQuestion, "", "Static"))
        if ((::GetWindowLongA(hChild, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP)
            hPicture = hChild;
    ASSERT_TRUE(hPicture != NULL) << "showing " << nShowing << ": no picture control";
    EXPECT_TRUE(::SendMessage(hPicture, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0) << "showing " << nShowing;
    const RECT rc = WindowRect(hPicture);
    std::set<COLORREF> colours;
    HDC hScreen = ::GetDC(NULL);
    for (int y = rc.top + 2; y < rc.bottom - 2; y += 4)
        for (int x = rc.left + 2; x < rc.right - 2; x += 4)
            colours.insert(::GetPixel(hScreen, x, y));
    ::ReleaseDC(NULL, hScreen);
    EXPECT_GT(colours.size(), 2u) << "showing " << nShowing << ": the picture is blank";
}
} // namespace

// A question shown again and again (Edit > Show Solution..., "No, thanks",
// 20 times, by the keyboard and the pointer) leaves the game's GDI objects
// and windows where they were, and shows its picture every time.
TEST_F(Brindlemark, QuestionsLeaveTheGamesObjectsWhereTheyWereAndShowTheirPicture)
{
    testsupport::Watchdog watchdog("twenty questions", 300000);
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    watchdog.AlsoEnd(game.Process());
    ASSERT_TRUE(MakePuzzleWithCtrlN(game));
    auto ask = [&](int nShowing) {
        ChooseWithKeys(game.Frame(), 'E', {VK_END, VK_RETURN});
        HWND hQuestion = WaitForDialogOtherThan(game.Pid(), NULL);
        ASSERT_TRUE(hQuestion != NULL) << "showing " << nShowing << ": no question";
        Wait(300);
        ExpectPictureShows(hQuestion, nShowing);
        ClickDialogButton(hQuestion, IDCANCEL);
        ASSERT_TRUE(WaitUntilGone(hQuestion)) << "showing " << nShowing << ": the question stays";
    };
    // The first showing also fills the system's caches (the dialog's font).
    ASSERT_NO_FATAL_FAILURE(ask(0));
    Wait(500);
    const testsupport::GdiCensus before = testsupport::TakeGdiCensusOf(game.Process());
    ASSERT_TRUE(before.bValid) << "the game's GDI objects cannot be counted";
    const int nWindowsBefore = WindowsOf(game.Pid());
    for (int n = 1; n <= 20; n++)
        ASSERT_NO_FATAL_FAILURE(ask(n));
    Wait(500);
    const testsupport::GdiCensus after = testsupport::TakeGdiCensusOf(game.Process());
    EXPECT_EQ(before.Total(), after.Total()) << before.Difference(after);
    EXPECT_EQ(nWindowsBefore, WindowsOf(game.Pid()));
    EXPECT_EQ(0, CloseWithoutSaving(game));
    ClearSettings();
}
