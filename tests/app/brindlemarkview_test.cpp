// The board view in the running game: its layout and hit test, clicks of
// both buttons with undo, the prompt before any puzzle exists, the context
// menu, painting with the rule marks, and pictures of the board.
// ctest: lock clipboard
// ctest: lock registry
// ctest: run-serial (a popup closes when another program takes the activation)
#include "support/snapshot.h"
#include "support/gameapp.h"
#include "support/tempfolder.h"

#include "PictureExport.h"
#include "TimerToolBar.h"
#include "XTPCommandBar.h"
#include "XTPControl.h"
#include "XTPControls.h"
#include "XTPHookManager.h"

using testsupport::GameApp;
using testsupport::Script;

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

// Sizes the view's client area (the frame's layout leaves it alone until
// the frame changes size).
void SetViewClientSize(CBrindlemarkView* pView, int cx, int cy)
{
    CRect rcWindow, rcClient;
    pView->GetWindowRect(&rcWindow);
    pView->GetClientRect(&rcClient);
    pView->SetWindowPos(NULL, 0, 0, cx + rcWindow.Width() - rcClient.Width(),
                        cy + rcWindow.Height() - rcClient.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Ends the context menu (a command-bar popup) once it shows, keeping its
// items; a separator before an item is recorded as an empty item.
struct MenuSpy
{
    static std::vector<std::string>& Items()
    {
        static std::vector<std::string> items;
        return items;
    }
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD)
    {
        CXTPMouseManager* pMouse = XTPMouseManager();
        if (pMouse->GetTrackArray().GetSize() == 0)
            return;
        CXTPCommandBar* pPopup = dynamic_cast<CXTPCommandBar*>(pMouse->GetTrackArray()[0]);
        Items().clear();
        for (int i = 0; pPopup != NULL && i < pPopup->GetControls()->GetCount(); i++)
        {
            CXTPControl* pControl = pPopup->GetControls()->GetAt(i);
            if (pControl->GetBeginGroup())
                Items().push_back("");
            Items().push_back((LPCTSTR)pControl->GetCaption());
        }
        pMouse->CloseAllTracked();
    }
};
} // namespace

TEST(BrindlemarkView, LayoutCentresTheBoardInFourFifthsOfTheView)
{
    CBoardLayout layout = CalcBoardLayout(800, 600, 15, 15);
    EXPECT_EQ(32, layout.nSquareSize);
    EXPECT_EQ(160, layout.nLeft);
    EXPECT_EQ(60, layout.nTop);
    // The hit test's margins come from the client size and agree.
    EXPECT_EQ(CPoint(0, 0), HitTestBoard(800, 600, 15, 15, 32, CPoint(160, 60)));
    EXPECT_EQ(CPoint(-1, 0), HitTestBoard(800, 600, 15, 15, 32, CPoint(159, 100)));
    EXPECT_EQ(CPoint(0, -1), HitTestBoard(800, 600, 15, 15, 32, CPoint(200, 59)));
    EXPECT_EQ(CPoint(14, 14), HitTestBoard(800, 600, 15, 15, 32, CPoint(160 + 32 * 15 - 1, 60 + 32 * 15 - 1)));
    // Exactly on the right edge is outside.
    EXPECT_EQ(CPoint(-1, 0), HitTestBoard(800, 600, 15, 15, 32, CPoint(160 + 32 * 15, 100)));
    EXPECT_EQ(CPoint(0, -1), HitTestBoard(800, 600, 15, 15, 32, CPoint(200, 60 + 32 * 15)));

    // No columns or rows, or a view too small for a square: nothing to hit.
    EXPECT_EQ(0, CalcBoardLayout(800, 600, 0, 9).nSquareSize);
    EXPECT_EQ(0, CalcBoardLayout(800, 600, 9, 0).nSquareSize);
    EXPECT_EQ(0, CalcBoardLayout(5, 5, 9, 9).nSquareSize);
    EXPECT_EQ(CPoint(-1, -1), HitTestBoard(800, 600, 9, 9, 0, CPoint(400, 300)));
}

TEST(BrindlemarkView, LeftClicksShadeAndUnshadeAndEachCanBeUndone)
{
    GameApp game;
    ASSERT_TRUE(game.NewPuzzle(0));
    EXPECT_FALSE(game.IsEnabled(ID_UNDO_MOVE));

    game.Click(3, 4);
    EXPECT_EQ(2, game.StateAt(3, 4));
    game.Click(3, 4);
    EXPECT_EQ(0, game.StateAt(3, 4));
    game.Click(3, 4);
    EXPECT_EQ(2, game.StateAt(3, 4));
    EXPECT_EQ(3, game.Doc()->m_Controller.m_listSavedStates.GetCount());
    EXPECT_TRUE(game.IsEnabled(ID_UNDO_MOVE));
    EXPECT_TRUE(game.IsEnabled(ID_REVERT_TO_START));

    game.Command(ID_UNDO_MOVE);
    game.Command(ID_UNDO_MOVE);
    game.Command(ID_UNDO_MOVE);
    EXPECT_EQ(0, game.StateAt(3, 4));
    EXPECT_FALSE(game.IsEnabled(ID_UNDO_MOVE));
    EXPECT_FALSE(game.IsEnabled(ID_REVERT_TO_START));

    // A click clears the pause.
    game.Doc()->m_bPaused = TRUE;
    game.Click(0, 0);
    EXPECT_FALSE(game.Doc()->m_bPaused);
}

TEST(BrindlemarkView, RightClicksMarkSquaresUnshaded)
{
    GameApp game;
    ASSERT_TRUE(game.NewPuzzle(0));
    game.Click(2, 2);
    game.Click(2, 2, true);
    EXPECT_EQ(1, game.StateAt(2, 2));   // shaded becomes unshaded, not undecided
    game.Click(2, 2, true);
    EXPECT_EQ(0, game.StateAt(2, 2));
    game.Click(2, 2, true);
    EXPECT_EQ(1, game.StateAt(2, 2));
    EXPECT_EQ(4, game.Doc()->m_Controller.m_listSavedStates.GetCount());
}

// Two quick clicks reach the view as a press and a double click: the double
// click is the second click, of either button, with its own undo point.
TEST(BrindlemarkView, TheSecondOfTwoQuickClicksIsAClickToo)
{
    GameApp game;
    ASSERT_TRUE(game.NewPuzzle(0));
    CBrindlemarkView* pView = game.View();
    EXPECT_NE(0u, ::GetClassLongPtr(pView->m_hWnd, GCL_STYLE) & CS_DBLCLKS) << "the view takes double clicks";
    const int s = pView->m_nSquareSize;
    const CPoint pt(pView->m_nBoardLeft + 3 * s + s / 2, pView->m_nBoardTop + 4 * s + s / 2);
    ASSERT_EQ(CPoint(3, 4), pView->HitTest(pt));

    pView->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(2, game.StateAt(3, 4));
    pView->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(0, game.StateAt(3, 4)) << "the double click unshades again";
    EXPECT_EQ(2, game.Doc()->m_Controller.m_listSavedStates.GetCount());

    pView->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(1, game.StateAt(3, 4));
    pView->SendMessage(WM_RBUTTONDBLCLK, MK_RBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(0, game.StateAt(3, 4)) << "the double click takes the mark away";
    EXPECT_EQ(4, game.Doc()->m_Controller.m_listSavedStates.GetCount());

    // Each double click is undone on its own.
    game.Command(ID_UNDO_MOVE);
    EXPECT_EQ(1, game.StateAt(3, 4));
}

TEST(BrindlemarkView, AClickBeforeAnyPuzzleOffersANewOne)
{
    GameApp game;
    Script().yesNo = {2};
    game.Click(0, 0);
    EXPECT_EQ(0u, Script().asked.back().find("To begin playing, select File|New|Puzzle"));
    EXPECT_EQ(0, Script().nNewPuzzleAsked);
    EXPECT_EQ(0, game.StateAt(0, 0));

    Script().yesNo = {1};
    game.Click(0, 0, true);
    EXPECT_EQ(1, Script().nNewPuzzleAsked);
    EXPECT_EQ(1, game.Puzzle().m_nGameState);
}

TEST(BrindlemarkView, ARightClickBesideTheBoardShowsTheContextMenu)
{
    GameApp game;
    ASSERT_TRUE(game.NewPuzzle(0));
    UINT_PTR nTimer = ::SetTimer(NULL, 0, 50, &MenuSpy::TimerProc);
    game.View()->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(2, 2));
    ::KillTimer(NULL, nTimer);
    std::vector<std::string> expected = {"&New Puzzle", "", "Undo", "", "Branch", "Accept", "Revert", "",
                                         "Update Unshaded Squares", "AutoMark Unshaded Squares", "",
                                         "Revert to start...", "Show Solution..."};
    EXPECT_EQ(expected, MenuSpy::Items());
    EXPECT_EQ(0, game.Doc()->m_Controller.m_listSavedStates.GetCount());
}

TEST(BrindlemarkView, TheBoardShowsTheRuleMarksItsProfileAllows)
{
    GameApp game;
    ASSERT_TRUE(game.NewPuzzle(0));
    CHTDataContainer& puzzle = game.Puzzle();
    // Two neighbours shaded: both get the adjacency mark.
    game.Click(4, 4);
    game.Click(5, 4);
    ASSERT_TRUE(puzzle.FindSquare(4, 4)->m_bAdjacencyMark);

    CBrindlemarkView* pView = game.View();
    CRect rect;
    pView->GetClientRect(&rect);
    testsupport::Canvas canvas(rect.Width(), rect.Height());
    pView->OnDraw(canvas.DC());
    testsupport::SaveSnapshot(canvas, "board_with_marks");
    const int s = pView->m_nSquareSize;
    CPoint centre(pView->m_nBoardLeft + 4 * s + s / 8, pView->m_nBoardTop + 4 * s + s / 8);
    EXPECT_EQ(puzzle.m_AppearanceInfo.m_crAdjacentShadedFill, canvas.Pixel(centre.x, centre.y));

    // With the aid off the same square is drawn as plain shaded.
    puzzle.m_GradeInfo.m_bShowAdjacentShaded = FALSE;
    pView->OnDraw(canvas.DC());
    EXPECT_EQ(puzzle.m_AppearanceInfo.m_crShadedFill, canvas.Pixel(centre.x, centre.y));
}

TEST(BrindlemarkView, PicturesOfTheBoardAreSquareAndSavedOrReported)
{
    testsupport::CTempFolder folder;
    GameApp game;
    ASSERT_TRUE(game.NewPuzzle(0));
    game.Puzzle().SetGridSize(7, 5);
    game.Puzzle().m_nGameState = 1;
    SetViewClientSize(game.View(), 300, 200);

    std::string path = folder.Path("board.bmp");
    BYTE bKind = gpkBitmap;
    ASSERT_TRUE(game.View()->WritePictureFile(path.c_str(), &bKind));
    std::string file = testsupport::ReadFileBytes(path);
    ASSERT_GE(file.size(), 54u);
    auto read32 = [&](size_t at) { return (DWORD)(BYTE)file[at] | ((DWORD)(BYTE)file[at + 1] << 8) |
                                          ((DWORD)(BYTE)file[at + 2] << 16) | ((DWORD)(BYTE)file[at + 3] << 24); };
    EXPECT_EQ(196u, read32(18));
    EXPECT_EQ(196u, read32(22));
    EXPECT_EQ(54u, read32(10));
    EXPECT_GE((BYTE)file[28], 16);

    // The save dialog's filter and extension follow the kind.
    Script().files = {folder.Path("board.jpg")};
    bKind = gpkJpeg;
    EXPECT_TRUE(game.View()->SavePictureAs(&bKind));
    EXPECT_EQ("save jpg", Script().fileQuestions.back());
    EXPECT_EQ(0u, testsupport::ReadFileBytes(folder.Path("board.jpg")).find("\xFF\xD8"));

    // A file that cannot be written is reported and nothing is left.
    std::string bad = folder.Path("no such folder\\board.jpg");
    EXPECT_FALSE(game.View()->WritePictureFile(bad.c_str(), &bKind));
    EXPECT_NE(std::string::npos, Script().asked.back().find("could not be saved to"));
    EXPECT_NE(std::string::npos, Script().asked.back().find("Cannot open"));

    // The clipboard gets a bitmap of the same size.
    ASSERT_TRUE(game.View()->CopyPictureToClipboard());
    ASSERT_TRUE(::OpenClipboard(NULL));
    HBITMAP hBitmap = (HBITMAP)::GetClipboardData(CF_BITMAP);
    BITMAP bm = {};
    ::GetObject(hBitmap, sizeof(bm), &bm);
    ::CloseClipboard();
    EXPECT_EQ(196, bm.bmWidth);
    EXPECT_EQ(196, bm.bmHeight);

    // An empty grid makes no picture.
    game.Puzzle().SetGridSize(0, 0);
    EXPECT_FALSE(game.View()->WritePictureFile(path.c_str(), &bKind));
    EXPECT_FALSE(game.View()->CopyPictureToClipboard());
}

// A 5 x 5 profile with a one-minute forced target, made in the session by
// emptying the difficulty list and adding it: Remaining, eight seconds,
// Pause, four seconds, a click on square (0, 0). The click plays the square
// and ends the pause; the clock runs on to the time-up, which shows the
// solution once.
TEST(BrindlemarkView, AClickOnAPausedBoardPlaysTheSquareAndTheClockRunsOn)
{
    testsupport::GameApp game;
    ASSERT_TRUE(game.Started());
    g_ApplicationInfo.m_GradeInfoList.RemoveAll();
    CGradeInfo grade = CGradeInfo::MakeEasyProfile();
    grade.m_strProfileName = "Timed";
    grade.m_nColumns = grade.m_nRows = 5;
    grade.m_nMinutesToComplete = 1;
    grade.m_bForceComplete = 1;
    const int nIndex = g_ApplicationInfo.m_GradeInfoList.AddProfile(grade);
    ASSERT_TRUE(game.NewPuzzle(nIndex));
    ASSERT_EQ(5, game.Puzzle().m_nColumns);
    CMainFrame* pFrame = game.Frame();
    game.Command(ID_TIMER_REMAINING);
    auto tick = [&]() {
        pFrame->SendMessage(WM_TIMER, IDT_GAME_CLOCK);
        pFrame->m_pTimerToolBar->OnClockTick();
    };
    for (int i = 0; i < 8; i++)
        tick();
    game.Command(ID_TIMER_PAUSE);
    for (int i = 0; i < 4; i++)
        tick();
    EXPECT_EQ(8, game.Doc()->m_nClockSeconds) << "the paused clock counted";
    const int nBefore = game.StateAt(0, 0);
    game.Click(0, 0);
    EXPECT_NE(nBefore, game.StateAt(0, 0)) << "the click did not play the square";
    EXPECT_FALSE(game.Doc()->m_bPaused);
    testsupport::PumpPending();
    game.View()->UpdateWindow();
    for (int i = 0; i < 60 && !game.Doc()->IsSolved(); i++)
        tick();
    EXPECT_TRUE(game.Doc()->IsSolved());
    EXPECT_EQ(1, (int)std::count(testsupport::Script().asked.begin(), testsupport::Script().asked.end(),
                                 std::string("The current puzzle has been solved.\n\nWould you like to start another?")));
}
