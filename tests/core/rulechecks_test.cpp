// The rule checks: adjacency, duplicates, connectivity and the unshaded update.
#include <gtest/gtest.h>

#include "HTDataContainer.h"

#include <queue>
#include <random>
#include <vector>

namespace
{
// A grid from rows of text: '#' shaded, anything else not shaded; digits
// are the numbers (a '.' has none). Player state unless bSolution.
CHTDataContainer MakeGrid(const std::vector<std::string>& lines, bool bSolution = false)
{
    CHTDataContainer grid;
    const int nRows = (int)lines.size();
    const int nColumns = (int)lines[0].size();
    grid.SetGridSize(nColumns, nRows);
    for (int r = 0; r < nRows; r++)
    {
        for (int c = 0; c < nColumns; c++)
        {
            CHTSquareData* pSquare = grid.FindSquare(c, r);
            const char ch = lines[r][c];
            const int nState = ch == '#' ? htsShaded : htsUnshaded;
            (bSolution ? pSquare->m_nSolutionState : pSquare->m_nPlayerState) = nState;
        }
    }
    return grid;
}

void SetNumbers(CHTDataContainer& grid, const std::vector<std::string>& lines)
{
    for (int r = 0; r < (int)lines.size(); r++)
        for (int c = 0; c < (int)lines[r].size(); c++)
            grid.FindSquare(c, r)->m_nNumber = lines[r][c] == '.' ? -1 : lines[r][c] - '0';
}

std::vector<std::string> IslandMap(const CHTDataContainer& grid)
{
    std::vector<std::string> map(grid.m_nRows, std::string(grid.m_nColumns, '.'));
    for (int c = 0; c < grid.m_nColumns; c++)
        for (int r = 0; r < grid.m_nRows; r++)
            if (grid.FindSquare(c, r)->m_bIslandMark)
                map[r][c] = 'I';
    return map;
}

std::vector<std::string> DuplicateMap(const CHTDataContainer& grid)
{
    std::vector<std::string> map(grid.m_nRows, std::string(grid.m_nColumns, '.'));
    for (int c = 0; c < grid.m_nColumns; c++)
        for (int r = 0; r < grid.m_nRows; r++)
            if (grid.FindSquare(c, r)->m_bDuplicateMark)
                map[r][c] = 'D';
    return map;
}

// Reference connectivity: breadth-first search from the first open square
// (column-major); shaded squares next to the reached area are reached too.
std::vector<std::string> ReferenceIslands(const CHTDataContainer& grid, bool& bConnected, bool bSolution)
{
    const int C = grid.m_nColumns, R = grid.m_nRows;
    std::vector<std::vector<bool>> reached(C, std::vector<bool>(R, false));
    auto shaded = [&](int c, int r) { return grid.FindSquare(c, r)->IsShaded(bSolution); };
    std::queue<std::pair<int, int>> todo;
    for (int c = 0; c < C && todo.empty(); c++)
        for (int r = 0; r < R; r++)
            if (!shaded(c, r))
            {
                todo.push({c, r});
                reached[c][r] = true;
                break;
            }
    while (!todo.empty())
    {
        auto [c, r] = todo.front();
        todo.pop();
        if (shaded(c, r))
            continue;
        const int dc[] = {0, 0, -1, 1}, dr[] = {-1, 1, 0, 0};
        for (int k = 0; k < 4; k++)
        {
            int nc = c + dc[k], nr = r + dr[k];
            if (nc < 0 || nr < 0 || nc >= C || nr >= R || reached[nc][nr])
                continue;
            reached[nc][nr] = true;
            todo.push({nc, nr});
        }
    }
    std::vector<std::string> map(R, std::string(C, '.'));
    bConnected = true;
    for (int c = 0; c < C; c++)
        for (int r = 0; r < R; r++)
            if (!reached[c][r])
            {
                map[r][c] = 'I';
                bConnected = false;
            }
    return map;
}
} // namespace

TEST(AdjacencyTest, SingleSquareHasNoNeighbours)
{
    CHTDataContainer grid = MakeGrid({"#"});
    EXPECT_FALSE(grid.IsAdjacentShaded(0, 0, FALSE));
    EXPECT_FALSE(grid.HasAdjacentShaded(FALSE));
}

TEST(AdjacencyTest, DiagonalShadesDoNotTouchButSideBySideDo)
{
    CHTDataContainer diagonal = MakeGrid({"#.", ".#"});
    EXPECT_FALSE(diagonal.HasAdjacentShaded(FALSE));

    CHTDataContainer across = MakeGrid({"...", ".##", "..."});
    EXPECT_TRUE(across.HasAdjacentShaded(FALSE));
    EXPECT_TRUE(across.IsAdjacentShaded(1, 1, FALSE));
    EXPECT_TRUE(across.IsAdjacentShaded(2, 1, FALSE));
    EXPECT_FALSE(across.IsAdjacentShaded(0, 1, FALSE)) << "a square that is not shaded is never adjacent-shaded";

    CHTDataContainer down = MakeGrid({"#", "#"});
    EXPECT_TRUE(down.IsAdjacentShaded(0, 0, FALSE));
}

TEST(AdjacencyTest, MarkUsesPlayerStateOnly)
{
    CHTDataContainer grid = MakeGrid({"##.", "..#"});
    grid.FindSquare(2, 0)->m_nSolutionState = htsShaded; // solution must not matter
    grid.MarkAdjacentShaded();
    EXPECT_EQ(1, grid.FindSquare(0, 0)->m_bAdjacencyMark);
    EXPECT_EQ(1, grid.FindSquare(1, 0)->m_bAdjacencyMark);
    EXPECT_EQ(0, grid.FindSquare(2, 1)->m_bAdjacencyMark);
    EXPECT_EQ(0, grid.FindSquare(2, 0)->m_bAdjacencyMark);
}

TEST(ConnectivityTest, DiagonalShadesCutTheGrid)
{
    CHTDataContainer grid = MakeGrid({"#.", ".#"});
    EXPECT_FALSE(AreUnshadedSquaresConnected(grid, FALSE));
    // The fill starts at (0,1) and never reaches (1,0); the shaded squares
    // next to (0,1) are reached.
    EXPECT_EQ((std::vector<std::string>{".I", ".."}), IslandMap(grid)) << "column 1 row 0 is the island";
}

TEST(ConnectivityTest, AllShadedHasNoStartAndMarksEverything)
{
    CHTDataContainer grid = MakeGrid({"##", "##"});
    EXPECT_FALSE(AreUnshadedSquaresConnected(grid, FALSE));
    EXPECT_EQ((std::vector<std::string>{"II", "II"}), IslandMap(grid));
}

TEST(ConnectivityTest, ShadedSquareWithoutReachedNeighbourIsAnIsland)
{
    // The fill enters (1,0) from (0,0) and stops; (3,0) touches only the
    // cut-off squares (2,0) and (4,0), so it is an island too.
    CHTDataContainer grid = MakeGrid({".#.#."});
    EXPECT_FALSE(AreUnshadedSquaresConnected(grid, FALSE));
    EXPECT_EQ((std::vector<std::string>{"..III"}), IslandMap(grid));
}

TEST(ConnectivityTest, FillStartsAtFirstOpenSquareColumnByColumn)
{
    // (0,0) is walled in; being first it is the start, so the large area is
    // the one marked.
    CHTDataContainer grid = MakeGrid({".#.", "#..", "..."});
    EXPECT_FALSE(AreUnshadedSquaresConnected(grid, FALSE));
    EXPECT_EQ((std::vector<std::string>{"..I", ".II", "III"}), IslandMap(grid));
}

TEST(ConnectivityTest, MatchesReferenceOnRandomGrids)
{
    std::mt19937 random(12345);
    for (int nTrial = 0; nTrial < 400; nTrial++)
    {
        const int C = 1 + random() % 12, R = 1 + random() % 12;
        const int nDensity = random() % 60;
        const bool bSolution = (nTrial & 1) != 0;
        CHTDataContainer grid;
        grid.SetGridSize(C, R);
        for (INT_PTR i = 0; i < grid.m_listSquares.GetCount(); i++)
        {
            CHTSquareData& square = grid.m_listSquares.GetAt(i);
            const int nState = (int)(random() % 100) < nDensity ? htsShaded : (int)(random() % 2);
            (bSolution ? square.m_nSolutionState : square.m_nPlayerState) = nState;
            square.m_bIslandMark = random() % 2;
        }
        bool bExpected = false;
        std::vector<std::string> expected = ReferenceIslands(grid, bExpected, bSolution);
        const BOOL bConnected = AreUnshadedSquaresConnected(grid, bSolution);
        ASSERT_EQ(bExpected, bConnected != FALSE) << "trial " << nTrial;
        ASSERT_EQ(expected, IslandMap(grid)) << "trial " << nTrial;
    }
}

TEST(ConnectivityTest, LargeOpenGridDoesNotRecurse)
{
    // A grid far larger than any puzzle, fully open: a recursive fill would
    // need a deep stack here.
    CHTDataContainer grid;
    grid.SetGridSize(600, 600);
    EXPECT_TRUE(AreUnshadedSquaresConnected(grid, FALSE));
}

TEST(ConnectivityTest, FloodFillRecordsReachedSquares)
{
    CHTDataContainer grid = MakeGrid({".#.", ".#.", ".#."});
    std::vector<ConnectivityRecord> records(9, ConnectivityRecord());
    FloodFillUnshaded(grid, records.data(), 0, 0, FALSE);
    // Column 0 and the shaded column 1 are reached, column 2 is not.
    for (int r = 0; r < 3; r++)
    {
        EXPECT_EQ(1, records[0 * 3 + r].bReached);
        EXPECT_EQ(1, records[1 * 3 + r].bReached);
        EXPECT_EQ(0, records[2 * 3 + r].bReached);
    }
}

TEST(DuplicateTest, ShadedSquareSeparatesNothingInItsLine)
{
    // Column holding 2, 2, 2 with the middle shaded.
    CHTDataContainer grid = MakeGrid({".", "#", "."});
    SetNumbers(grid, {"2", "2", "2"});
    EXPECT_TRUE(grid.MarkDuplicates(FALSE));
    EXPECT_EQ((std::vector<std::string>{"D", ".", "D"}), DuplicateMap(grid));

    // Two of the three shaded: nothing repeats.
    grid.FindSquare(0, 0)->m_nPlayerState = htsShaded;
    EXPECT_FALSE(grid.MarkDuplicates(FALSE));
    EXPECT_EQ((std::vector<std::string>{".", ".", "."}), DuplicateMap(grid));
}

TEST(DuplicateTest, MatchesValueByValueDefinitionOnRandomGrids)
{
    std::mt19937 random(99);
    for (int nTrial = 0; nTrial < 200; nTrial++)
    {
        const int C = 1 + random() % 9, R = 1 + random() % 9;
        const int N = C > R ? C : R;
        CHTDataContainer grid;
        grid.SetGridSize(C, R);
        for (INT_PTR i = 0; i < grid.m_listSquares.GetCount(); i++)
        {
            CHTSquareData& square = grid.m_listSquares.GetAt(i);
            square.m_nPlayerState = random() % 3;
            square.m_nNumber = (int)(random() % (N + 2)) - 1;
        }
        // The definition: for each value, each line, mark when two or more
        // squares that are not shaded hold it.
        std::vector<std::string> expected(R, std::string(C, '.'));
        bool bAny = false;
        for (int v = 1; v <= N; v++)
        {
            for (int c = 0; c < C; c++)
            {
                int n = 0;
                for (int r = 0; r < R; r++)
                    n += grid.FindSquare(c, r)->m_nNumber == v && grid.FindSquare(c, r)->m_nPlayerState != 2;
                if (n >= 2)
                    for (int r = 0; r < R; r++)
                        if (grid.FindSquare(c, r)->m_nNumber == v && grid.FindSquare(c, r)->m_nPlayerState != 2)
                            expected[r][c] = 'D', bAny = true;
            }
            for (int r = 0; r < R; r++)
            {
                int n = 0;
                for (int c = 0; c < C; c++)
                    n += grid.FindSquare(c, r)->m_nNumber == v && grid.FindSquare(c, r)->m_nPlayerState != 2;
                if (n >= 2)
                    for (int c = 0; c < C; c++)
                        if (grid.FindSquare(c, r)->m_nNumber == v && grid.FindSquare(c, r)->m_nPlayerState != 2)
                            expected[r][c] = 'D', bAny = true;
            }
        }
        ASSERT_EQ(bAny, grid.MarkDuplicates(FALSE) != FALSE) << "trial " << nTrial;
        ASSERT_EQ(expected, DuplicateMap(grid)) << "trial " << nTrial;
    }
}

TEST(UnshadedUpdateTest, WithoutShadesEverythingBecomesUndecided)
{
    CHTDataContainer grid = MakeGrid({"...", "..."});
    grid.UpdateUnshadedSquares();
    for (INT_PTR i = 0; i < grid.m_listSquares.GetCount(); i++)
        EXPECT_EQ(htsUndecided, grid.m_listSquares.GetAt(i).m_nPlayerState);
}

TEST(UnshadedUpdateTest, NeighboursOfShadesBecomeUnshaded)
{
    CHTDataContainer grid = MakeGrid({"....", ".#..", "...."});
    grid.FindSquare(3, 2)->m_nSolutionState = htsShaded; // not read
    grid.UpdateUnshadedSquares();
    const char* expected[] = {".1..", "1#1.", ".1.."};
    for (int r = 0; r < 3; r++)
        for (int c = 0; c < 4; c++)
        {
            const int nState = grid.FindSquare(c, r)->m_nPlayerState;
            const char ch = expected[r][c];
            EXPECT_EQ(ch == '#' ? htsShaded : ch == '1' ? htsUnshaded : htsUndecided, nState)
                << "square " << c << "," << r;
        }
}

