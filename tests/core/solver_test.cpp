// The solver of entered grids and the entry operations around it: solutions
// keep the three rules and agree with an exhaustive search, grids with one,
// several or no solution are told apart, blank squares are refused, and a
// finalized grid is a puzzle to play.
#include <gtest/gtest.h>

#include "HTGenerator.h"
#include "HTSolver.h"
#include "support/large_grids.h"

#include <algorithm>
#include <random>
#include <string>
#include <utility>
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
// left unshaded (the solver's sense of a solution). Every shading is
// visited square by square in row order; a branch ends early only on a
// rule that the squares decided so far already break (two shaded squares
// side by side, a number left unshaded twice in a column or row, a square
// shaded that repeats no number of its column and row at all), and the
// need of every shaded square and the connection of the unshaded ones are
// judged on the whole shading.
class CExhaustiveCount
{
public:
    explicit CExhaustiveCount(const std::vector<std::vector<int>>& numbers)
        : m_numbers(numbers), m_nRows((int)numbers.size()), m_nColumns((int)numbers[0].size()),
          m_shaded(numbers.size(), std::vector<char>(numbers[0].size(), 0))
    {
    }

    long Count()
    {
        m_nCount = 0;
        Visit(0);
        return m_nCount;
    }

private:
    void Visit(int nCell)
    {
        if (nCell == m_nRows * m_nColumns)
        {
            if (EveryShadedSquareIsNeeded() && UnshadedAreConnected())
                m_nCount++;
            return;
        }
        const int r = nCell / m_nColumns, c = nCell % m_nColumns;
        bool bOpenAllowed = true;
        for (int k = 0; k < c; k++)
            bOpenAllowed = bOpenAllowed && (m_shaded[r][k] || m_numbers[r][k] != m_numbers[r][c]);
        for (int k = 0; k < r; k++)
            bOpenAllowed = bOpenAllowed && (m_shaded[k][c] || m_numbers[k][c] != m_numbers[r][c]);
        if (bOpenAllowed)
            Visit(nCell + 1);
        // A square with no repeat at all is never needed shaded.
        if ((c == 0 || !m_shaded[r][c - 1]) && (r == 0 || !m_shaded[r - 1][c]) && HasRepeat(r, c))
        {
            m_shaded[r][c] = 1;
            Visit(nCell + 1);
            m_shaded[r][c] = 0;
        }
    }

    bool HasRepeat(int r, int c) const
    {
        bool bRepeat = false;
        for (int k = 0; k < m_nColumns; k++)
            bRepeat |= k != c && m_numbers[r][k] == m_numbers[r][c];
        for (int k = 0; k < m_nRows; k++)
            bRepeat |= k != r && m_numbers[k][c] == m_numbers[r][c];
        return bRepeat;
    }

    bool EveryShadedSquareIsNeeded() const
    {
        for (int r = 0; r < m_nRows; r++)
        {
            for (int c = 0; c < m_nColumns; c++)
            {
                if (!m_shaded[r][c])
                    continue;
                bool bNeeded = false;
                for (int k = 0; k < m_nColumns; k++)
                    bNeeded |= k != c && m_numbers[r][k] == m_numbers[r][c] && !m_shaded[r][k];
                for (int k = 0; k < m_nRows; k++)
                    bNeeded |= k != r && m_numbers[k][c] == m_numbers[r][c] && !m_shaded[k][c];
                if (!bNeeded)
                    return false;
            }
        }
        return true;
    }

    bool UnshadedAreConnected() const
    {
        std::vector<std::vector<char>> seen(m_nRows, std::vector<char>(m_nColumns, 0));
        std::vector<std::pair<int, int>> stack;
        int nOpen = 0, nReached = 0;
        for (int r = 0; r < m_nRows; r++)
        {
            for (int c = 0; c < m_nColumns; c++)
            {
                if (m_shaded[r][c])
                    continue;
                nOpen++;
                if (stack.empty() && nReached == 0)
                {
                    stack.push_back({r, c});
                    seen[r][c] = 1;
                    nReached = 1;
                }
            }
        }
        while (!stack.empty())
        {
            const int r = stack.back().first, c = stack.back().second;
            stack.pop_back();
            const int next[4][2] = {{r - 1, c}, {r + 1, c}, {r, c - 1}, {r, c + 1}};
            for (const auto& n : next)
            {
                if (n[0] < 0 || n[1] < 0 || n[0] >= m_nRows || n[1] >= m_nColumns || seen[n[0]][n[1]] ||
                    m_shaded[n[0]][n[1]])
                    continue;
                seen[n[0]][n[1]] = 1;
                nReached++;
                stack.push_back({n[0], n[1]});
            }
        }
        return nReached == nOpen;
    }

    const std::vector<std::vector<int>>& m_numbers;
    const int m_nRows, m_nColumns;
    std::vector<std::vector<char>> m_shaded;
    long m_nCount = 0;
};

long CountByEnumeration(const std::vector<std::vector<int>>& numbers)
{
    return CExhaustiveCount(numbers).Count();
}

// A random grid of rows x columns with numbers from 1 to nHighest, as
// numbers by row and column and as the lines MakeNumbers reads.
struct RandomGrid
{
    std::vector<std::vector<int>> numbers;
    std::vector<std::string> lines;
};
std::vector<std::string> LinesOf(const std::vector<std::vector<int>>& numbers)
{
    std::vector<std::string> lines;
    for (const std::vector<int>& row : numbers)
    {
        std::string line;
        for (int n : row)
            line += (char)(n >= 10 ? 'a' + n - 10 : '0' + n);
        lines.push_back(line);
    }
    return lines;
}

RandomGrid MakeRandomGrid(std::mt19937& random, int nRows, int nColumns, int nHighest)
{
    std::uniform_int_distribution<int> number(1, nHighest);
    RandomGrid grid;
    grid.numbers.assign(nRows, std::vector<int>(nColumns));
    for (int r = 0; r < nRows; r++)
        for (int c = 0; c < nColumns; c++)
            grid.numbers[r][c] = number(random);
    grid.lines = LinesOf(grid.numbers);
    return grid;
}

std::string Describe(const RandomGrid& grid)
{
    std::string text;
    for (const std::string& line : grid.lines)
        text += (text.empty() ? "" : "/") + line;
    return text;
}

// Solves the grid counting every solution, compares the count with the
// exhaustive one and checks the first solution against the game's rules;
// returns the count (-1 after a failure).
long CompareWithExhaustiveCount(CHTSolver& solver, const RandomGrid& random)
{
    CHTDataContainer grid = MakeNumbers(random.lines);
    const long nExpected = CountByEnumeration(random.numbers);
    const int nFound = solver.Solve(grid, 1 << 30);
    EXPECT_EQ(nExpected, nFound) << Describe(random);
    if (nExpected != nFound)
        return -1;
    if (nFound > 0)
    {
        EXPECT_TRUE(solver.ApplySolution(grid)) << Describe(random);
        EXPECT_TRUE(KeepsTheRules(grid)) << Describe(random);
    }
    return nFound;
}

// A progress that counts the solver's pumps and steps and cancels at a
// given pump (never with 0).
class CCountingProgress : public CHTGeneratorProgress
{
public:
    explicit CCountingProgress(int nCancelAt = 0) : m_nCancelAt(nCancelAt) {}
    virtual BOOL IsCancelled() const { return m_nCancelAt > 0 && m_nPumps >= m_nCancelAt; }
    virtual void StepProgress() { m_nSteps++; }
    virtual void PumpMessages() { m_nPumps++; }
    int m_nCancelAt;
    int m_nPumps = 0;
    int m_nSteps = 0;
};

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

// Every grid shape up to 5 x 5, with numbers from ranges small enough to
// repeat often and up to the longer side.
TEST(SolverTest, CountsEqualAnExhaustiveCountOnEveryShapeUpToFiveByFive)
{
    std::mt19937 random(41);
    CHTSolver solver;
    int nWith[3] = {0, 0, 0};
    for (int nRows = 1; nRows <= 5; nRows++)
    {
        for (int nColumns = 1; nColumns <= 5; nColumns++)
        {
            const int nLongest = std::max(nRows, nColumns);
            for (int t = 0; t < 40; t++)
            {
                const RandomGrid grid = MakeRandomGrid(random, nRows, nColumns, std::min(nLongest, 1 + t % 4));
                const long nCount = CompareWithExhaustiveCount(solver, grid);
                ASSERT_GE(nCount, 0) << nColumns << " x " << nRows;
                nWith[std::min(nCount, 2L)]++;
            }
        }
    }
    // The sample holds all three kinds.
    EXPECT_GT(nWith[0], 0);
    EXPECT_GT(nWith[1], 0);
    EXPECT_GT(nWith[2], 0);
}

// Larger grids of three kinds that are often solvable in several ways: the
// generator's puzzles with up to three numbers changed, Latin squares with
// 4 to 15 numbers changed, and the generator's puzzles whose shaded squares
// repeat a number of their row or column.
TEST(SolverTest, CountsEqualAnExhaustiveCountOnRandomLargerGrids)
{
    std::mt19937 random(1975);
    CHTSolver solver;
    CHTGenerator generator;
    CHTGenerator::SeedRandom(1975);
    const int sizes[][3] = {{6, 6, 1000}, {5, 7, 200}, {7, 6, 200}, {7, 7, 150}, {8, 8, 40}};
    int nSeveral = 0;
    for (const auto& size : sizes)
    {
        const int nRows = size[0], nColumns = size[1], nLongest = std::max(nRows, nColumns);
        auto pick = [&random](int nCount) { return (int)(random() % (unsigned)nCount); };
        for (int t = 0; t < 3 * size[2]; t++)
        {
            RandomGrid grid;
            grid.numbers.assign(nRows, std::vector<int>(nColumns));
            const int nKind = t % 3;
            if (nKind == 1)
            {
                for (int r = 0; r < nRows; r++)
                    for (int c = 0; c < nColumns; c++)
                        grid.numbers[r][c] = (c + r) % nLongest + 1;
                for (int i = 4 + pick(12); i > 0; i--)
                    grid.numbers[pick(nRows)][pick(nColumns)] = 1 + pick(nLongest);
            }
            else
            {
                CHTDataContainer puzzle;
                while (!generator.Generate(NULL, nColumns, nRows, &puzzle))
                    ;
                for (int r = 0; r < nRows; r++)
                    for (int c = 0; c < nColumns; c++)
                        grid.numbers[r][c] = puzzle.FindSquare(c, r)->m_nNumber;
                if (nKind == 0)
                {
                    for (int i = pick(4); i > 0; i--)
                        grid.numbers[pick(nRows)][pick(nColumns)] = 1 + pick(nLongest);
                }
                else
                {
                    for (int r = 0; r < nRows; r++)
                        for (int c = 0; c < nColumns; c++)
                            if (puzzle.FindSquare(c, r)->m_nSolutionState == htsShaded)
                                grid.numbers[r][c] = pick(2) ? grid.numbers[r][(c + 1 + pick(nColumns - 1)) % nColumns]
                                                             : grid.numbers[(r + 1 + pick(nRows - 1)) % nRows][c];
                }
            }
            grid.lines = LinesOf(grid.numbers);
            const long nCount = CompareWithExhaustiveCount(solver, grid);
            ASSERT_GE(nCount, 0) << nColumns << " x " << nRows << ", kind " << nKind;
            nSeveral += nCount > 1;
        }
    }
    EXPECT_GT(nSeveral, 200) << "the sample holds grids with several solutions";
}

// Grids where a square shaded early loses its last unshaded repeat to a
// square shaded later: such shadings are no solutions.
TEST(SolverTest, AShadedSquareWhoseRepeatsAreAllShadedLaterIsNoSolution)
{
    CHTSolver solver;
    const struct
    {
        std::vector<std::string> lines;
        int nSolutions;
    } cases[] = {
        {{"623456", "234261", "545612", "456123", "564231", "612346"}, 3},
        {{"645526", "532341", "266365", "313264", "464113", "654416"}, 2},
        {{"123426", "234261", "345612", "456123", "621234", "412345"}, 10},
    };
    for (const auto& test : cases)
    {
        RandomGrid grid;
        grid.lines = test.lines;
        for (const std::string& line : test.lines)
        {
            grid.numbers.push_back({});
            for (char ch : line)
                grid.numbers.back().push_back(ch - '0');
        }
        EXPECT_EQ(test.nSolutions, CompareWithExhaustiveCount(solver, grid)) << Describe(grid);
    }
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

// The largest grid, one the search takes seconds for: it pumps messages
// all along, and a cancel ends it at once with no answer.
TEST(SolverTest, ALongSearchPumpsMessagesAndStopsAtOnceWhenCancelled)
{
    CHTDataContainer grid;
    testsupport::MakeSlowLargeGrid(grid);
    CHTSolver solver;

    CCountingProgress cancelling(200);
    solver.SetProgress(&cancelling);
    EXPECT_EQ(0, solver.Solve(grid, 1));
    EXPECT_TRUE(solver.WasCancelled());
    EXPECT_EQ(200, cancelling.m_nPumps) << "nothing more is pumped after the cancel";
    EXPECT_TRUE(solver.GetSolution().empty());
    EXPECT_FALSE(solver.ApplySolution(grid));

    // The next search starts afresh.
    solver.SetProgress(NULL);
    EXPECT_EQ(1, solver.Solve(MakeNumbers({"1422", "2334", "1442", "4131"}), 5));
    EXPECT_FALSE(solver.WasCancelled());

    CCountingProgress patient;
    solver.SetProgress(&patient);
    ASSERT_EQ(1, solver.Solve(grid, 1));
    EXPECT_FALSE(solver.WasCancelled());
    EXPECT_GT(patient.m_nPumps, 1000) << "pumps all through the search";
    EXPECT_EQ(solver.GetNodeCount(), patient.m_nSteps) << "a step per search node";
    ASSERT_TRUE(solver.ApplySolution(grid));
    EXPECT_TRUE(KeepsTheRules(grid));
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

    // A cancelled search: refused, nothing changed.
    CHTDataContainer large;
    testsupport::MakeSlowLargeGrid(large);
    large.m_bModified = FALSE;
    CCountingProgress cancelling(50);
    EXPECT_FALSE(large.FinalizeEnteredGrid(&cancelling));
    EXPECT_EQ(50, cancelling.m_nPumps);
    EXPECT_EQ(htgsCopyMode, large.m_nGameState);
    EXPECT_FALSE(large.m_bModified);
    for (INT_PTR i = 0; i < large.m_listSquares.GetCount(); i++)
        ASSERT_EQ(htsUndecided, large.m_listSquares.GetAt(i).m_nSolutionState);

    // Only an entered grid is finalized.
    EXPECT_FALSE(grid.FinalizeEnteredGrid());
    CHTDataContainer none = MakeNumbers({"12", "21"});
    none.m_nGameState = htgsNone;
    EXPECT_FALSE(none.FinalizeEnteredGrid());
}

