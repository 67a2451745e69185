// The puzzle position: grid layout, lookups, copies, colours and the
// operations on player states.
#include <gtest/gtest.h>

#include "ApplicationInfo.h"
#include "HTDataContainer.h"
#include "support/canvas.h"
#include "support/coretest.h"

#include <afxwin.h>

#include <vector>

TEST(GridTest, SquaresAreCreatedColumnByColumn)
{
    CHTDataContainer grid;
    EXPECT_EQ(0, grid.m_listSquares.GetCount());
    grid.ShowSolution(); // nothing to do on an empty position
    EXPECT_FALSE(grid.HasPlayerProgress());

    grid.SetGridSize(3, 2);
    const int expected[6][2] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}, {2, 0}, {2, 1}};
    int i = 0;
    for (POSITION pos = grid.m_listSquares.GetHeadPosition(); pos != NULL; i++)
    {
        const CHTSquareData& square = grid.m_listSquares.GetNext(pos);
        EXPECT_EQ(expected[i][0], square.m_nColumn);
        EXPECT_EQ(expected[i][1], square.m_nRow);
        EXPECT_EQ(HT_NO_NUMBER, square.m_nNumber);
        EXPECT_EQ(htsUndecided, square.m_nPlayerState);
        EXPECT_EQ(htsUndecided, square.m_nSolutionState);
    }
    EXPECT_EQ(6, i);
}

TEST(GridTest, AddSquareRefusesExistingCoordinates)
{
    CHTDataContainer grid;
    grid.SetGridSize(2, 2);
    EXPECT_FALSE(grid.AddSquare(1, 1));
    EXPECT_EQ(4, grid.m_listSquares.GetCount());

    EXPECT_TRUE(grid.AddSquare(2, 0));
    EXPECT_EQ(5, grid.m_listSquares.GetCount());
    EXPECT_EQ(2, grid.m_listSquares.GetAt(4).m_nColumn) << "appended at the tail";

    // Coordinates far outside any grid are kept and found too.
    EXPECT_TRUE(grid.AddSquare(-7, 5000));
    EXPECT_FALSE(grid.AddSquare(-7, 5000));
    ASSERT_NE((CHTSquareData*)NULL, grid.FindSquare(-7, 5000));
    EXPECT_EQ(5000, grid.FindSquare(-7, 5000)->m_nRow);
    ASSERT_NE((CHTSquareData*)NULL, grid.FindSquare(2, 0));
}

TEST(GridTest, CopyIsDeepAndKeepsEveryField)
{
    CHTDataContainer source;
    source.SetGridSize(3, 3);
    source.FindSquare(2, 1)->m_nNumber = 3;
    source.FindSquare(2, 1)->m_bIslandMark = 1;
    source.m_bModified = 1;
    source.m_nGameState = htgsPlaying;
    source.m_crBorder = RGB(1, 2, 3);
    source.m_nElapsedSeconds = 77;
    source.m_bUnshadedUpdate = 1;
    source.m_AppearanceInfo.m_strProfileName = "Vivid";
    source.m_AppearanceInfo.m_nMainFontSize = 44;
    source.m_GradeInfo.m_nMinutesToComplete = 12;

    CHTDataContainer copy(source);
    CHTDataContainer assigned; // what the lists of saved positions use
    assigned = source;
    for (const CHTDataContainer* pCopy : {&copy, &assigned})
    {
        EXPECT_EQ(3, pCopy->FindSquare(2, 1)->m_nNumber);
        EXPECT_EQ(1, pCopy->FindSquare(2, 1)->m_bIslandMark);
        EXPECT_EQ(1, pCopy->m_bModified);
        EXPECT_EQ(htgsPlaying, pCopy->m_nGameState);
        EXPECT_EQ(RGB(1, 2, 3), pCopy->m_crBorder);
        EXPECT_EQ(77, pCopy->m_nElapsedSeconds);
        EXPECT_EQ(1, pCopy->m_bUnshadedUpdate);
        EXPECT_STREQ("Vivid", pCopy->m_AppearanceInfo.m_strProfileName);
        EXPECT_EQ(44, pCopy->m_AppearanceInfo.m_nMainFontSize);
        EXPECT_EQ(12, pCopy->m_GradeInfo.m_nMinutesToComplete);
        EXPECT_EQ("", coretest::CheckGridInvariants(*pCopy));
    }
    source.SetGridSize(1, 1);
    EXPECT_EQ(3, copy.FindSquare(2, 1)->m_nNumber) << "the copy shares nothing with its source";
}

TEST(GridTest, ApplySquareColoursCopiesElevenColoursAndTheBorder)
{
    CAppearanceInfo appearance;
    for (int i = 0; i <= 18; i++)
        appearance.SetColour(i, RGB(i, 100 + i, 200));
    CHTDataContainer grid;
    grid.SetGridSize(2, 1);
    EXPECT_TRUE(grid.ApplySquareColours(appearance));
    EXPECT_EQ(RGB(0, 100, 200), grid.m_crBorder);
    for (INT_PTR i = 0; i < grid.m_listSquares.GetCount(); i++)
    {
        const CHTSquareData& square = grid.m_listSquares.GetAt(i);
        EXPECT_EQ(RGB(1, 101, 200), square.m_crSquareBorder);
        EXPECT_EQ(RGB(2, 102, 200), square.m_crShadedFill);
        EXPECT_EQ(RGB(3, 103, 200), square.m_crShadedNumber);
        EXPECT_EQ(RGB(4, 104, 200), square.m_crUnshadedFill);
        EXPECT_EQ(RGB(5, 105, 200), square.m_crUnshadedNumber);
        EXPECT_EQ(RGB(6, 106, 200), square.m_crIslandFill);
        EXPECT_EQ(RGB(7, 107, 200), square.m_crIslandNumber);
        EXPECT_EQ(RGB(8, 108, 200), square.m_crUnshadedDupFill);
        EXPECT_EQ(RGB(9, 109, 200), square.m_crUnshadedDupNumber);
        EXPECT_EQ(RGB(10, 110, 200), square.m_crAdjacentShadedFill);
        EXPECT_EQ(RGB(11, 111, 200), square.m_crAdjacentShadedNumber);
    }
}

TEST(PlayerStateTest, ProgressResetAndSolution)
{
    CHTDataContainer grid;
    grid.SetGridSize(2, 2);
    grid.FindSquare(0, 0)->m_nSolutionState = htsShaded;
    EXPECT_FALSE(grid.HasPlayerProgress()) << "a fresh grid is all undecided";

    grid.FindSquare(1, 1)->m_nPlayerState = htsUnshaded;
    EXPECT_TRUE(grid.HasPlayerProgress());

    grid.FindSquare(0, 1)->m_bIslandMark = 1;
    grid.FindSquare(1, 0)->m_bDuplicateMark = 1;
    grid.FindSquare(1, 1)->m_bAdjacencyMark = 1;
    grid.m_nElapsedSeconds = 30;
    grid.ResetPlayerState();
    EXPECT_FALSE(grid.HasPlayerProgress());
    EXPECT_EQ(0, grid.m_nElapsedSeconds);
    EXPECT_EQ(0, grid.FindSquare(0, 1)->m_bIslandMark);
    EXPECT_EQ(0, grid.FindSquare(1, 0)->m_bDuplicateMark);
    EXPECT_EQ(0, grid.FindSquare(1, 1)->m_bAdjacencyMark);
    EXPECT_EQ(htsShaded, grid.FindSquare(0, 0)->m_nSolutionState) << "the solution stays";

    grid.FindSquare(0, 1)->m_bIslandMark = 1;
    grid.ShowSolution();
    EXPECT_EQ(htsShaded, grid.FindSquare(0, 0)->m_nPlayerState);
    EXPECT_EQ(htsUndecided, grid.FindSquare(1, 0)->m_nPlayerState) << "unshaded solution squares stay 0";
    EXPECT_EQ(0, grid.FindSquare(0, 1)->m_bIslandMark);
}

TEST(CopyModeTest, EmptyGridTakesProfilesFromTheGlobalLists)
{
    CAppearanceInfo appearance = CAppearanceInfo::MakePrintingProfile();
    appearance.m_nIndex = 4;
    CGradeInfo grade = CGradeInfo::MakeMildProfile();
    grade.m_nIndex = 6;
    grade.m_nColumns = 7;
    grade.m_nRows = 5;
    g_ApplicationInfo.m_AppearanceInfoList.AddTail(appearance);
    g_ApplicationInfo.m_GradeInfoList.AddTail(grade);

    CHTDataContainer grid;
    EXPECT_TRUE(grid.CreateEmptyGrid(6, 4));
    EXPECT_EQ(htgsCopyMode, grid.m_nGameState);
    EXPECT_EQ(7, grid.m_nColumns);
    EXPECT_EQ(5, grid.m_nRows);
    EXPECT_EQ(35, grid.m_listSquares.GetCount());
    EXPECT_EQ(6, grid.m_GradeInfo.m_nIndex);
    EXPECT_EQ(4, grid.m_AppearanceInfo.m_nIndex);
    EXPECT_EQ(RGB(100, 100, 100), grid.m_crBorder);
    EXPECT_EQ(RGB(100, 100, 100), grid.FindSquare(6, 4)->m_crShadedFill);
    EXPECT_EQ(HT_NO_NUMBER, grid.FindSquare(6, 4)->m_nNumber);

    // Unknown indexes: the default profiles (9 x 9).
    CHTDataContainer fallback;
    EXPECT_TRUE(fallback.CreateEmptyGrid(1234, 5678));
    EXPECT_EQ(9, fallback.m_nColumns);
    EXPECT_EQ(9, fallback.m_nRows);
    EXPECT_STREQ("SetInCtor", fallback.m_AppearanceInfo.m_strProfileName);

    g_ApplicationInfo.m_AppearanceInfoList.RemoveAll();
    g_ApplicationInfo.m_GradeInfoList.RemoveAll();
}

namespace
{
// Red pixels along a horizontal cut through the canvas.
std::vector<int> RedColumns(const testsupport::Canvas& canvas, int y, int nWidth)
{
    std::vector<int> xs;
    for (int x = 0; x < nWidth; x++)
        if (canvas.Pixel(x, y) == RGB(255, 0, 0))
            xs.push_back(x);
    return xs;
}
} // namespace

TEST(DrawBorderTest, FrameOfNineByNineBoard)
{
    CHTDataContainer grid;
    grid.SetGridSize(9, 9);
    grid.m_crBorder = RGB(255, 0, 0);
    testsupport::Canvas canvas(400, 400);
    CDC dc;
    dc.Attach(canvas.Handle());
    HGDIOBJ hPenBefore = GetCurrentObject(canvas.Handle(), OBJ_PEN);
    grid.DrawBorder(&dc, 10, 10, 40, FALSE);
    EXPECT_EQ(hPenBefore, GetCurrentObject(canvas.Handle(), OBJ_PEN)) << "the previous pen is selected back";
    dc.Detach();

    // Vertical edges at x = 12 and x = 368, 4 pixels wide, across the middle row.
    std::vector<int> xs = RedColumns(canvas, 190, 400);
    ASSERT_EQ(8u, xs.size());
    EXPECT_GE(12, xs[0]);
    EXPECT_LE(12, xs[3]);
    EXPECT_EQ(3, xs[3] - xs[0]);
    EXPECT_GE(368, xs[4]);
    EXPECT_LE(368, xs[7]);
    EXPECT_EQ(3, xs[7] - xs[4]);
    // Horizontal edges at y = 12 and y = 368.
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(190, 12));
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(190, 368));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(190, 190));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(190, 380));
}

