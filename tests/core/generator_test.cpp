// The puzzle generator: the rules hold for every puzzle it makes, the numbers
// make the shading necessary, and cancelling and progress behave.
#include <gtest/gtest.h>

#include "HTGenerator.h"
#include "support/coretest.h"

#include <algorithm>
#include <string>

namespace
{
// Records what the generator asks of its progress window; cancels after a
// given number of steps (-1: never).
class CRecordingProgress : public CHTGeneratorProgress
{
public:
    explicit CRecordingProgress(int nCancelAfter = -1) : m_nCancelAfter(nCancelAfter) {}
    virtual BOOL IsCancelled() const { return m_bCancel; }
    virtual void StepProgress()
    {
        m_nSteps++;
        if (m_nCancelAfter >= 0 && m_nSteps >= m_nCancelAfter)
            m_bCancel = TRUE;
    }
    virtual void PumpMessages() { m_nPumps++; }

    BOOL m_bCancel = FALSE;
    int m_nSteps = 0;
    int m_nPumps = 0;
    int m_nCancelAfter;
};

int CountShaded(const CHTDataContainer& grid)
{
    int n = 0;
    for (INT_PTR i = 0; i < grid.m_listSquares.GetCount(); i++)
        n += grid.m_listSquares.GetAt(i).m_nSolutionState == htsShaded;
    return n;
}

// Everything a finished puzzle must satisfy; empty when it does.
std::string CheckPuzzle(CHTDataContainer& grid, int C, int R)
{
    std::string problem = coretest::CheckGridInvariants(grid);
    if (!problem.empty())
        return problem;
    if (grid.m_nColumns != C || grid.m_nRows != R)
        return "size";
    if (grid.HasAdjacentShaded(TRUE))
        return "two shaded squares touch";
    if (!AreUnshadedSquaresConnected(grid, TRUE))
        return "unshaded squares are not connected";
    if (CountShaded(grid) > C * R * 3 / 10)
        return "more shaded squares than the target";
    const int N = C > R ? C : R;
    for (int c = 0; c < C; c++)
    {
        for (int r = 0; r < R; r++)
        {
            const CHTSquareData& square = *grid.FindSquare(c, r);
            if (square.m_nNumber < 1 || square.m_nNumber > N)
                return "number out of range";
            if (square.m_nSolutionState != htsShaded && square.m_nSolutionState != htsUndecided)
                return "solution state other than 0 or 2";
            if (square.m_nPlayerState != htsUndecided)
                return "player state touched";
            bool bRepeatsUnshaded = false, bRepeatsAnywhere = false;
            for (int k = 0; k < C; k++)
            {
                if (k == c)
                    continue;
                const CHTSquareData& other = *grid.FindSquare(k, r);
                if (other.m_nNumber == square.m_nNumber)
                {
                    bRepeatsAnywhere = true;
                    bRepeatsUnshaded |= other.m_nSolutionState != htsShaded;
                }
            }
            for (int k = 0; k < R; k++)
            {
                if (k == r)
                    continue;
                const CHTSquareData& other = *grid.FindSquare(c, k);
                if (other.m_nNumber == square.m_nNumber)
                {
                    bRepeatsAnywhere = true;
                    bRepeatsUnshaded |= other.m_nSolutionState != htsShaded;
                }
            }
            if (square.m_nSolutionState == htsShaded && !bRepeatsAnywhere)
                return "a shaded number occurs nowhere else in its row or column";
            if (square.m_nSolutionState != htsShaded && bRepeatsUnshaded)
                return "an unshaded number repeats among unshaded squares";
        }
    }
    // The duplicate check agrees: the solution has no duplicates.
    if (grid.MarkDuplicates(TRUE))
        return "duplicate marks on the solution";
    return std::string();
}

// Generates like the game does: again while a run fails and is not cancelled.
bool GenerateUntilDone(CHTGenerator& generator, int C, int R, CHTDataContainer& grid, int* pRuns = nullptr)
{
    for (int nRun = 1; nRun <= 1000; nRun++)
    {
        if (generator.Generate(NULL, C, R, &grid))
        {
            if (pRuns)
                *pRuns = nRun;
            return true;
        }
    }
    return false;
}
} // namespace

TEST(GeneratorPropertyTest, EverySizeUpTo25ManySeeds)
{
    CHTGenerator generator;
    int nPuzzles = 0;
    for (int C = 1; C <= 25; C++)
    {
        for (int R = 1; R <= 25; R++)
        {
            const int nSeeds = (C <= 6 || R <= 6) ? 4 : 2;
            for (int nSeed = 0; nSeed < nSeeds; nSeed++)
            {
                CHTGenerator::SeedRandom((unsigned)(C * 1000 + R * 10 + nSeed));
                CHTDataContainer grid;
                ASSERT_TRUE(GenerateUntilDone(generator, C, R, grid)) << C << " x " << R;
                const std::string problem = CheckPuzzle(grid, C, R);
                ASSERT_EQ("", problem) << C << " x " << R << " seed " << nSeed;
                nPuzzles++;
            }
        }
    }
    EXPECT_GT(nPuzzles, 1500);
}

TEST(GeneratorTest, OneByOneGetsNumberOne)
{
    CHTGenerator generator;
    CHTDataContainer grid;
    ASSERT_TRUE(generator.Generate(NULL, 1, 1, &grid));
    EXPECT_EQ(0, CountShaded(grid));
    EXPECT_EQ(1, grid.FindSquare(0, 0)->m_nNumber);
}

TEST(GeneratorTest, ThreeByThreeReachesItsTargetOfTwo)
{
    CHTGenerator generator;
    int nAtTarget = 0;
    for (int nSeed = 1; nSeed <= 50; nSeed++)
    {
        CHTGenerator::SeedRandom(nSeed);
        CHTDataContainer grid;
        ASSERT_TRUE(GenerateUntilDone(generator, 3, 3, grid));
        const int nShaded = CountShaded(grid);
        EXPECT_GE(nShaded, 1);
        EXPECT_LE(nShaded, 2);
        nAtTarget += nShaded == 2;
    }
    EXPECT_GT(nAtTarget, 40) << "the target drops only after five connectivity failures";
}

TEST(GeneratorTest, ShadesCloseToThirtyPercentForTheBuiltInSizes)
{
    // Targets: 8x8 19, 9x9 24, 12x12 43, 15x15 67, 17x17 86. The target only
    // drops after five connectivity failures in a row, so the count stays
    // close to it and never above it.
    const int sizes[][2] = {{8, 19}, {9, 24}, {12, 43}, {15, 67}, {17, 86}};
    CHTGenerator generator;
    for (const auto& size : sizes)
    {
        int nBest = 0, nWorst = 1 << 30;
        for (int nSeed = 0; nSeed < 20; nSeed++)
        {
            CHTGenerator::SeedRandom(700 + nSeed);
            CHTDataContainer grid;
            ASSERT_TRUE(GenerateUntilDone(generator, size[0], size[0], grid));
            nBest = std::max(nBest, CountShaded(grid));
            nWorst = std::min(nWorst, CountShaded(grid));
        }
        EXPECT_LE(nBest, size[1]) << size[0] << " x " << size[0];
        EXPECT_GE(nBest, size[1] - 2) << size[0] << " x " << size[0];
        EXPECT_GE(nWorst, size[1] * 8 / 10) << size[0] << " x " << size[0];
    }
}

TEST(GeneratorTest, NarrowGridsEndEvenThoughTheTargetCannotBeReached)
{
    // In a single row only the two ends can ever be shaded; the target of
    // 7 drops until the run ends.
    CHTGenerator generator;
    CHTDataContainer grid;
    CHTGenerator::SeedRandom(5);
    ASSERT_TRUE(GenerateUntilDone(generator, 25, 1, grid));
    EXPECT_LE(CountShaded(grid), 2);
    EXPECT_EQ("", CheckPuzzle(grid, 25, 1));
    ASSERT_TRUE(GenerateUntilDone(generator, 1, 25, grid));
    EXPECT_EQ("", CheckPuzzle(grid, 1, 25));
}

TEST(GeneratorTest, SameSeedSamePuzzleNewRunsDiffer)
{
    CHTGenerator generator;
    CHTDataContainer first, second, third;
    CHTGenerator::SeedRandom(31337);
    ASSERT_TRUE(GenerateUntilDone(generator, 9, 9, first));
    CHTGenerator::SeedRandom(31337);
    ASSERT_TRUE(GenerateUntilDone(generator, 9, 9, second));
    ASSERT_TRUE(GenerateUntilDone(generator, 9, 9, third));
    std::string a, b, c;
    for (INT_PTR i = 0; i < 81; i++)
    {
        a += std::to_string(first.m_listSquares.GetAt(i).m_nNumber) + ",";
        b += std::to_string(second.m_listSquares.GetAt(i).m_nNumber) + ",";
        c += std::to_string(third.m_listSquares.GetAt(i).m_nNumber) + ",";
    }
    EXPECT_EQ(a, b);
    EXPECT_NE(b, c) << "a run continues the sequence instead of reseeding from the clock's second";
}

TEST(GeneratorProgressTest, CancelledBeforeStartMakesTheGridAndShadesNothing)
{
    CHTGenerator generator;
    CRecordingProgress progress;
    progress.m_bCancel = TRUE;
    CHTDataContainer grid;
    EXPECT_FALSE(generator.Generate(&progress, 6, 4, &grid));
    EXPECT_EQ(24, grid.m_listSquares.GetCount());
    EXPECT_EQ(0, CountShaded(grid));
    EXPECT_EQ(0, progress.m_nSteps);
    EXPECT_FALSE(generator.Generate(&progress, 6, 4, &grid)) << "every later run stops at once too";
}

TEST(GeneratorProgressTest, CancelDuringShadingStopsTheRun)
{
    CHTGenerator generator;
    CRecordingProgress progress(5);
    CHTDataContainer grid;
    EXPECT_FALSE(generator.Generate(&progress, 17, 17, &grid));
    EXPECT_EQ(5, progress.m_nSteps) << "no try after the cancel request";
    EXPECT_LE(CountShaded(grid), 5);
    for (INT_PTR i = 0; i < grid.m_listSquares.GetCount(); i++)
        EXPECT_EQ(HT_NO_NUMBER, grid.m_listSquares.GetAt(i).m_nNumber) << "no numbering after a cancel";
}

