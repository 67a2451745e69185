// A hand-made puzzle file of the largest grid the file format allows (64 x
// 64) in the running game: Finalize Grid, which the solver takes seconds
// for, shows the progress window and leaves the game answering all along,
// and the grid becomes a puzzle to play, saved as such.
// ctest: run-serial
// ctest: lock registry
#include "brindlemark_fixture.h"

#include "support/answering.h"
#include "support/large_grids.h"
#include "support/snapshot.h"
#include "support/watchdog.h"
#include "resource.h"

#include <string>

using namespace gametest;

TEST_F(Brindlemark, ALargeHandMadeGridIsFinalizedWithTheGameAnswering)
{
    testsupport::Watchdog watchdog("finalizing a 64 x 64 grid in the game", 240000);
    ASSERT_TRUE(watchdog.IsArmed());
    char szTemp[MAX_PATH];
    ::GetTempPath(MAX_PATH, szTemp);
    const std::string strFile = std::string(szTemp) + "e2e_large.hti";
    {
        CHTDataContainer grid;
        testsupport::MakeSlowLargeGrid(grid);
        CGradeInfo grade = CGradeInfo::MakeEasyProfile();
        grade.m_strProfileName = "Large";
        grade.m_nColumns = grade.m_nRows = testsupport::kSlowGridSide;
        grid.SetGradeInfo(grade);
        CAppearanceInfo appearance;
        grid.ApplySquareColours(appearance);
        grid.m_AppearanceInfo.CopyFrom(appearance);
        ASSERT_TRUE(grid.WriteToFile(strFile.c_str()));
    }
    {
        Game game(" \"" + strFile + "\"", "e2e_large.hti - Brindlemark");
        ASSERT_TRUE(game.Frame() != NULL);
        watchdog.AlsoEnd(game.Process());
        HWND hFrame = game.ToFront(500);

        // The test sends to the frame all through the search: every send is
        // answered (none waits as long as a second).
        testsupport::CAnswerWatch watch(hFrame);
        ::PostMessage(hFrame, WM_COMMAND, ID_PUZZLE_FINALIZE, 0);
        HWND hProgress = WaitForWindow(game.Pid(), "Create Progress", 10000);
        EXPECT_TRUE(hProgress != NULL) << "no progress window while the grid was solved";
        if (hProgress != NULL)
        {
            EXPECT_FALSE(testsupport::SaveScreenSnapshot(hProgress, "large_grid_progress").empty());
            for (int n = 0; n < 2400 && ::IsWindow(hProgress) && ::IsWindowVisible(hProgress); n++)
                Wait(50);
            EXPECT_FALSE(::IsWindowVisible(hProgress)) << "the progress window stayed";
        }
        watch.Stop();
        EXPECT_EQ(0, watch.Unanswered()) << "longest wait " << watch.LongestWait() << " ms";
        EXPECT_GT(watch.Answered(), 20) << "answered while the grid was solved";
        HWND hMessage = WaitForMessageWindow(game.Pid(), 500);
        EXPECT_TRUE(hMessage == NULL) << "Finalize Grid: " << (hMessage ? MessageText(hMessage) : "");
        if (hMessage != NULL)
            ClickButton(hMessage, "OK");
        EXPECT_TRUE(::IsWindowEnabled(hFrame)) << "the frame takes input again";
        Wait(500);
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "large_grid_finalized").empty());

        ::SetForegroundWindow(hFrame);
        PressKeys({VK_CONTROL, 'S'});
        Wait(1500);
        // The clock ran on since: the game may ask again.
        EXPECT_EQ(0, CloseWithoutSaving(game, 3000));
    }
    CHTDataContainer saved;
    ASSERT_TRUE(saved.ReadFromFile(strFile.c_str(), TRUE));
    EXPECT_EQ(htgsPlaying, saved.m_nGameState);
    ASSERT_EQ(testsupport::kSlowGridSide, saved.m_nColumns);
    EXPECT_FALSE(saved.MarkDuplicates(TRUE)) << "the stored solution leaves no number twice";
    EXPECT_FALSE(saved.HasAdjacentShaded(TRUE));
    EXPECT_TRUE(AreUnshadedSquaresConnected(saved, TRUE));
    ::DeleteFile(strFile.c_str());
    ClearSettings();
}
