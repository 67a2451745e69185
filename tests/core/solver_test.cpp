// The solver of entered grids and the entry operations around it: solutions
// keep the three rules and agree with an exhaustive search, grids with one,
// several or no solution are told apart, blank squares are refused, and a
// finalized grid is a puzzle to play.
#include <gtest/gtest.h>

#include "HTGenerator.h"
#include "HTSolver.h"

#include <random>
#include <string>
#include <vector>

namespace
{
// A grid from rows of digits (a '.' has no number); letters a.. stand for
// 10 and above.
CHTDataContainer MakeNumbers(const std::vector<std::string>& lines)
{
    CHTDataContainer grid;
    const int nRows = (int)lines.size();
    const int nColumns = (int)lines[0].size();
    grid.SetGridSize(nColumns, nRows);
    for (int r = 0; r < nRows; r++)
    {
        for (int c = 0; c < nColumns; c++)
        {
            const char ch = lines[r][c];
            grid.FindSquare(c, r)->m_nNumber =
                ch == '.' ? HT_NO_NUMBER : (ch >= 'a' ? ch - 'a' + 10 : ch - '0');
        }
    }
    grid.m_nGameState = htgsCopyMode;
    return grid;
}

// The solution as rows of '#' (shaded) and '.'.
std::vector<std::string> SolutionMap(const CHTDataContainer& grid)
{
    std::vector<std::string> map(grid.m_nRows, std::string(grid.m_nColumns, '.'));
    for (int c = 0; c < grid.m_nColumns; c++)
        for (int r = 0; r < grid.m_nRows; r++)
            if (grid.FindSquare(c, r)->m_nSolutionState == htsShaded)
                map[r][c] = '#';
    return map;
}

// The game's own rule checks on the solution states.
bool KeepsTheRules(CHTDataContainer grid)
{
    return !grid.MarkDuplicates(TRUE) && !grid.HasAdjacentShaded(TRUE) && AreUnshadedSquaresConnected(grid, TRUE);
}

// Exhaustive count of the shadings that keep the rules and shade only
// squares whose number repeats in their column or row among the squares
// left unshaded (the solver's sense of a solution).
int CountByEnumeration(const std::vector<std::vector<int>>& numbers)
{
    const int nRows = (int)numbers.size(), nColumns = (int)numbers[0].size();
    const int nCells = nRows * nColumns;
    int nCount = 0;
    for (unsigned mask = 0; mask < (1u << nCells); mask++)
    {
        auto shaded = [&](int r, int c) { return ((mask >> (r * nColumns + c)) & 1) != 0; };
        bool bOk = true;
        for (int r = 0; r < nRows && bOk; r++)
        {
            for (int c = 0; c < nColumns && bOk; c++)
            {
                if (shaded(r, c))
                {
                    if ((c + 1 < nColumns && shaded(r, c + 1)) || (r + 1 < nRows && shaded(r + 1, c)))
                        bOk = false;
                    bool bNeeded = false;
                    for (int k = 0; k < nColumns; k++)
                        bNeeded |= k != c && numbers[r][k] == numbers[r][c] && !shaded(r, k);
                    for (int k = 0; k < nRows; k++)
                        bNeeded |= k != r && numbers[k][c] == numbers[r][c] && !shaded(k, c);
                    bOk = bOk && bNeeded;
                }
                else
                {
                    for (int k = c + 1; k < nColumns; k++)
                        bOk = bOk && (shaded(r, k) || numbers[r][k] != numbers[r][c]);
                    for (int k = r + 1; k < nRows; k++)
                        bOk = bOk && (shaded(k, c) || numbers[k][c] != numbers[r][c]);
                }
            }
        }
        if (!bOk)
            continue;
        std::vector<int> stack, seen(nCells, 0);
        int nOpen = 0, nReached = 0;
        for (int i = 0; i < nCells; i++)
        {
            if (!((mask >> i) & 1))
            {
                nOpen++;
                if (stack.empty() && nReached == 0)
                {
                    stack.push_back(i);
                    seen[i] = 1;
                    nReached = 1;
                }
            }
        }
        while (!stack.empty())
        {
            const int i = stack.back();
            stack.pop_back();
            const int r = i / nColumns, c = i % nColumns;
            const int next[4][2] = {{r - 1, c}, {r + 1, c}, {r, c - 1}, {r, c + 1}};
            for (const auto& n : next)
            {
                if (n[0] < 0 || n[1] < 0 || n[0] >= nRows || n[1] >= nColumns)
                    continue;
                const int j = n[0] * nColumns + n[1];
                if (!seen[j] && !((mask >> j) & 1))
                {
                    seen[j] = 1;
                    nReached++;
                    stack.push_back(j);
                }
            }
        }
        if (nReached == nOpen)
            nCount++;
    }
    return nCount;
}

CHTDataContainer Generated(int nSize, unsigned nSeed)
{
    CHTGenerator generator;
    CHTGenerator::SeedRandom(nSeed);
    CHTDataContainer grid;
    while (!generator.Generate(NULL, nSize, nSize, &grid))
        ;
    return grid;
}
} // namespace

TEST(SolverTest, AUniqueSolutionIsFoundAndCountedOnce)
{
    CHTDataContainer grid = MakeNumbers({"1422", "2334", "1442", "4131"});
    CHTSolver solver;
    EXPECT_EQ(1, solver.Solve(grid, 5));
    ASSERT_TRUE(solver.ApplySolution(grid));
    EXPECT_EQ((std::vector<std::string>{"#..#", "..#.", ".#..", "...#"}), SolutionMap(grid));
    EXPECT_TRUE(KeepsTheRules(grid));

    // A grid without a repeated number needs no shading at all.
    CHTDataContainer latin = MakeNumbers({"123", "231", "312"});
    EXPECT_EQ(1, solver.Solve(latin, 5));
    ASSERT_TRUE(solver.ApplySolution(latin));
    EXPECT_EQ((std::vector<std::string>{"...", "...", "..."}), SolutionMap(latin));
}

TEST(SolverTest, SeveralSolutionsAreCountedUpToTheLimitAndTheFirstKeepsTheRules)
{
    CHTDataContainer grid = MakeNumbers({"1224", "4312", "2434", "1243"});
    CHTSolver solver;
    EXPECT_EQ(3, solver.Solve(grid, 10));
    EXPECT_EQ(2, solver.Solve(grid, 2)) << "the search stops at the limit";
    EXPECT_EQ(1, solver.Solve(grid, 1));
    ASSERT_TRUE(solver.ApplySolution(grid));
    EXPECT_TRUE(KeepsTheRules(grid));
}

TEST(SolverTest, GridsWithoutASolution)
{
    CHTSolver solver;
    // Both diagonals leave the two unshaded squares apart.
    CHTDataContainer square = MakeNumbers({"11", "11"});
    EXPECT_EQ(0, solver.Solve(square, 5));
    EXPECT_FALSE(solver.ApplySolution(square));
    // Four 1s in a row: three would have to be shaded, and two of them touch.
    EXPECT_EQ(0, solver.Solve(MakeNumbers({"1111"}), 5));
    // Every shading that clears the repeats breaks adjacency or cuts the
    // unshaded squares apart (checked by exhaustive search).
    EXPECT_EQ(0, solver.Solve(MakeNumbers({"3314", "2121", "3424", "1212"}), 5));
}

TEST(SolverTest, BlankSquaresAndNumbersOutsideTheGridAreRefused)
{
    CHTSolver solver;
    EXPECT_EQ(0, solver.Solve(MakeNumbers({"12", "2."}), 5));
    CHTDataContainer grid = MakeNumbers({"12", "21"});
    grid.FindSquare(1, 1)->m_nNumber = 3;
    EXPECT_EQ(0, solver.Solve(grid, 5));
    grid.FindSquare(1, 1)->m_nNumber = 0;
    EXPECT_EQ(0, solver.Solve(grid, 5));
    CHTDataContainer empty;
    EXPECT_EQ(0, solver.Solve(empty, 5));
}

TEST(SolverTest, CountsAgreeWithAnExhaustiveSearchOnSmallGrids)
{
    std::mt19937 random(41);
    CHTSolver solver;
    int nWith[3] = {0, 0, 0};
    const int sizes[][2] = {{4, 4}, {3, 5}, {5, 3}, {2, 6}};
    for (const auto& size : sizes)
    {
        const int nRows = size[0], nColumns = size[1];
        for (int t = 0; t < 60; t++)
        {
            const int nHighest = std::max(nRows, nColumns);
            std::uniform_int_distribution<int> number(1, std::min(nHighest, 2 + t % 3));
            std::vector<std::vector<int>> numbers(nRows, std::vector<int>(nColumns));
            std::vector<std::string> lines(nRows, std::string(nColumns, '1'));
            for (int r = 0; r < nRows; r++)
                for (int c = 0; c < nColumns; c++)
                    lines[r][c] = (char)('0' + (numbers[r][c] = number(random)));
            CHTDataContainer grid = MakeNumbers(lines);
            const int nExpected = CountByEnumeration(numbers);
            ASSERT_EQ(nExpected, solver.Solve(grid, 1000)) << lines[0] << "/" << lines[1];
            nWith[std::min(nExpected, 2)]++;
            if (nExpected > 0)
            {
                ASSERT_TRUE(solver.ApplySolution(grid));
                EXPECT_TRUE(KeepsTheRules(grid)) << lines[0] << "/" << lines[1];
            }
        }
    }
    // The sample holds all three kinds.
    EXPECT_GT(nWith[0], 0);
    EXPECT_GT(nWith[1], 0);
    EXPECT_GT(nWith[2], 0);
}

TEST(SolverTest, SeventeenBySeventeenPuzzlesAreSolvedAndBrokenOnesRefused)
{
    CHTSolver solver;
    for (unsigned nSeed = 1; nSeed <= 4; nSeed++)
    {
        CHTDataContainer grid = Generated(17, nSeed);
        ASSERT_GE(solver.Solve(grid, 1), 1) << "seed " << nSeed;
        ASSERT_TRUE(solver.ApplySolution(grid));
        EXPECT_TRUE(KeepsTheRules(grid)) << "seed " << nSeed;
    }

    // A column of one number all the way down cannot be thinned out to one
    // square without two shaded squares touching.
    CHTDataContainer broken = Generated(17, 9);
    for (int r = 0; r < 17; r++)
        broken.FindSquare(5, r)->m_nNumber = 7;
    EXPECT_EQ(0, solver.Solve(broken, 1));
}

TEST(EntryTest, ClicksStepTheNumberRoundThroughBlank)
{
    CHTDataContainer grid;
    grid.SetGridSize(3, 2);
    grid.m_nGameState = htgsCopyMode;
    std::vector<int> seen;
    for (int i = 0; i < 5; i++)
    {
        ASSERT_TRUE(grid.StepEnteredNumber(2, 1, TRUE));
        seen.push_back(grid.FindSquare(2, 1)->m_nNumber);
    }
    EXPECT_EQ((std::vector<int>{1, 2, 3, HT_NO_NUMBER, 1}), seen) << "the highest number is the longer side";
    seen.clear();
    for (int i = 0; i < 5; i++)
    {
        ASSERT_TRUE(grid.StepEnteredNumber(2, 1, FALSE));
        seen.push_back(grid.FindSquare(2, 1)->m_nNumber);
    }
    EXPECT_EQ((std::vector<int>{HT_NO_NUMBER, 3, 2, 1, HT_NO_NUMBER}), seen);
    EXPECT_FALSE(grid.StepEnteredNumber(3, 0, TRUE));
    EXPECT_EQ(HT_NO_NUMBER, grid.FindSquare(0, 0)->m_nNumber) << "other squares keep theirs";
}

TEST(EntryTest, FinalizingMakesAPuzzleToPlayOrChangesNothing)
{
    // A blank square: refused, nothing changed.
    CHTDataContainer blank = MakeNumbers({"1422", "2334", "1442", "413."});
    blank.m_bModified = FALSE;
    EXPECT_FALSE(blank.FinalizeEnteredGrid());
    EXPECT_EQ(htgsCopyMode, blank.m_nGameState);
    EXPECT_FALSE(blank.m_bModified);

    // No solution: the same.
    CHTDataContainer unsolvable = MakeNumbers({"3314", "2121", "3424", "1212"});
    EXPECT_FALSE(unsolvable.FinalizeEnteredGrid());
    EXPECT_EQ(htgsCopyMode, unsolvable.m_nGameState);
    EXPECT_EQ((std::vector<std::string>{"....", "....", "....", "...."}), SolutionMap(unsolvable));

    // Solvable: play state with the solution, a fresh clock and no marks.
    CHTDataContainer grid = MakeNumbers({"1422", "2334", "1442", "4131"});
    grid.m_nElapsedSeconds = 12;
    grid.FindSquare(0, 0)->m_nPlayerState = htsUnshaded;
    grid.FindSquare(1, 1)->m_bDuplicateMark = 1;
    ASSERT_TRUE(grid.FinalizeEnteredGrid());
    EXPECT_EQ(htgsPlaying, grid.m_nGameState);
    EXPECT_TRUE(grid.m_bModified);
    EXPECT_EQ(0, grid.m_nElapsedSeconds);
    EXPECT_FALSE(grid.HasPlayerProgress());
    EXPECT_EQ(0, grid.FindSquare(1, 1)->m_bDuplicateMark);
    EXPECT_EQ((std::vector<std::string>{"#..#", "..#.", ".#..", "...#"}), SolutionMap(grid));

    // Only an entered grid is finalized.
    EXPECT_FALSE(grid.FinalizeEnteredGrid());
    CHTDataContainer none = MakeNumbers({"12", "21"});
    none.m_nGameState = htgsNone;
    EXPECT_FALSE(none.FinalizeEnteredGrid());
}
