// Measures the puzzle core: generation time per puzzle for the usual board
// sizes, the time of one full rule check, and the solver of entered grids
// on 17 x 17 and 64 x 64 grids of several kinds, with the slowest case
// found. Run under Wine:
//   wine bench_core.exe [puzzles per size] [64 x 64 solver grids per kind]
#include "HTGenerator.h"
#include "HTSolver.h"

#include <algorithm>
#include <stdio.h>
#include <stdlib.h>
#include <vector>

namespace
{
// Progress window stand-in: never cancelled, steps and pumps do nothing.
class CQuietProgress : public CHTGeneratorProgress
{
public:
    virtual BOOL IsCancelled() const { return FALSE; }
    virtual void StepProgress() {}
    virtual void PumpMessages() {}
};

double Now()
{
    static LARGE_INTEGER frequency = {};
    if (frequency.QuadPart == 0)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return (double)counter.QuadPart / (double)frequency.QuadPart;
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}
// An n x n grid of one kind for the solver, made from the generator's
// puzzle and the random sequence. The number of changes grows with the
// grid's area.
CHTDataContainer MakeSolverGrid(CHTGenerator& generator, CHTGeneratorProgress& progress, int n, int nKind)
{
    CHTDataContainer grid;
    while (!generator.Generate(&progress, n, n, &grid))
        ;
    auto number = [&](int nHighest) { return CHTGenerator::Random() % nHighest + 1; };
    switch (nKind)
    {
    case 0: // the generator's puzzle as it is
        break;
    case 1: // the puzzle with a few numbers changed: near misses
    case 2:
    case 3:
        for (int i = 0; i < nKind; i++)
            grid.FindSquare(CHTGenerator::Random() % n, CHTGenerator::Random() % n)->m_nNumber = number(n);
        break;
    case 4: // random numbers from the whole range
    case 5: // from a small range: many repeats
    case 6: // from a middle range
    {
        const int nHighest = nKind == 4 ? n : (nKind == 5 ? 5 : 10);
        for (INT_PTR i = 0; i < grid.m_listSquares.GetCount(); i++)
            grid.m_listSquares.GetAt(i).m_nNumber = number(nHighest);
        break;
    }
    case 7: // a Latin square (no repeat) with a few squares changed
    case 8: // more changed: about a third still have a solution
    {
        for (int c = 0; c < n; c++)
            for (int r = 0; r < n; r++)
                grid.FindSquare(c, r)->m_nNumber = (c + r * (nKind == 7 ? 1 : 3)) % n + 1;
        const int nChanges = (nKind == 7 ? 20 : 40) * n * n / (17 * 17);
        for (int i = 0; i < nChanges; i++)
            grid.FindSquare(CHTGenerator::Random() % n, CHTGenerator::Random() % n)->m_nNumber = number(n);
        break;
    }
    default: // every shaded square of the solution takes a number of its row
        for (int c = 0; c < n; c++)
            for (int r = 0; r < n; r++)
                if (grid.FindSquare(c, r)->m_nSolutionState == htsShaded)
                    grid.FindSquare(c, r)->m_nNumber = grid.FindSquare((c + 2) % n, r)->m_nNumber;
        break;
    }
    return grid;
}

// Solves n x n grids of every kind, once for a solution and once counting
// up to two, and prints the median and the slowest time of each kind and
// the slowest grid found, with the random state that makes it again.
void MeasureSolver(CHTGenerator& generator, CHTGeneratorProgress& progress, int n, int nGrids)
{
    const char* kinds[] = {"generated",    "1 changed",     "2 changed",        "3 changed", "random 1-n",
                           "random 1-5",   "random 1-10",   "latin+changes",    "latin+more changes",  "shaded repeats"};
    const int nKinds = (int)(sizeof(kinds) / sizeof(kinds[0]));
    printf("Solver, %dx%d, %d grids per kind (ms; \"count\" searches for a second solution)\n", n, n, nGrids);
    printf("%-18s %8s %10s %10s %10s %10s %9s\n", "kind", "solvable", "median", "max", "count med",
           "count max", "max nodes");
    double fWorst = 0;
    const char* pszWorst = "";
    unsigned nWorstSeed = 0;
    CHTSolver solver;
    for (int nKind = 0; nKind < nKinds; nKind++)
    {
        std::vector<double> first, count;
        int nSolvable = 0;
        long nMaxNodes = 0;
        for (int i = 0; i < nGrids; i++)
        {
            // Each grid starts from a seed of its own, printed for the
            // slowest, so that grid can be made again.
            const unsigned nSeed = (unsigned)(n * 1000003u + nKind * 10007u + i);
            CHTGenerator::SeedRandom(nSeed);
            CHTDataContainer grid = MakeSolverGrid(generator, progress, n, nKind);
            double tStart = Now();
            nSolvable += solver.Solve(grid, 1) > 0;
            const double fFirst = (Now() - tStart) * 1000.0;
            first.push_back(fFirst);
            tStart = Now();
            solver.Solve(grid, 2);
            const double fCount = (Now() - tStart) * 1000.0;
            count.push_back(fCount);
            nMaxNodes = std::max(nMaxNodes, solver.GetNodeCount());
            if (std::max(fFirst, fCount) > fWorst)
            {
                fWorst = std::max(fFirst, fCount);
                pszWorst = kinds[nKind];
                nWorstSeed = nSeed;
            }
        }
        printf("%-18s %8d %10.3f %10.3f %10.3f %10.3f %9ld\n", kinds[nKind], nSolvable, Median(first),
               *std::max_element(first.begin(), first.end()), Median(count),
               *std::max_element(count.begin(), count.end()), nMaxNodes);
    }
    printf("Slowest %dx%d solve: %.3f ms (%s, seed %u)\n", n, n, fWorst, pszWorst, nWorstSeed);
}
} // namespace

int main(int argc, char** argv)
{
    int nPuzzles = argc > 1 ? atoi(argv[1]) : 300;
    if (nPuzzles < 1)
        nPuzzles = 300;
    int nSolverGrids64 = argc > 2 ? atoi(argv[2]) : 4;
    if (nSolverGrids64 < 1)
        nSolverGrids64 = 4;

    CHTGenerator generator;
    CQuietProgress progress;
    CHTGenerator::SeedRandom(20240101);

    printf("Generation, %d puzzles per size (a puzzle includes the runs that failed before it)\n", nPuzzles);
    printf("%8s %14s %14s %14s %12s\n", "size", "median ms", "mean ms", "median ms/run", "runs/puzzle");
    const int sizes[] = {9, 12, 15, 17, 25};
    for (int nSize : sizes)
    {
        std::vector<double> perPuzzle, perRun;
        long nRuns = 0;
        for (int i = 0; i < nPuzzles; i++)
        {
            CHTDataContainer grid;
            const double tStart = Now();
            for (;;)
            {
                const double tRun = Now();
                const BOOL bDone = generator.Generate(&progress, nSize, nSize, &grid);
                perRun.push_back((Now() - tRun) * 1000.0);
                nRuns++;
                if (bDone)
                    break;
            }
            perPuzzle.push_back((Now() - tStart) * 1000.0);
        }
        double fSum = 0;
        for (double f : perPuzzle)
            fSum += f;
        printf("%5dx%-3d %14.3f %14.3f %14.3f %12.2f\n", nSize, nSize, Median(perPuzzle), fSum / perPuzzle.size(),
               Median(perRun), (double)nRuns / nPuzzles);
    }

    // One full check of a 17 x 17 position in play: connectivity, duplicates
    // and adjacency on the player state, as after every move.
    CHTDataContainer position;
    while (!generator.Generate(&progress, 17, 17, &position))
        ;
    int n = 0;
    for (INT_PTR i = 0; i < position.m_listSquares.GetCount(); i++, n++)
    {
        CHTSquareData& square = position.m_listSquares.GetAt(i);
        square.m_nPlayerState = (n % 7 == 0) ? htsShaded : (square.m_nSolutionState == htsShaded ? htsShaded : n % 2);
    }
    std::vector<double> checks;
    for (int i = 0; i < 5000; i++)
    {
        const double tStart = Now();
        position.RefreshRuleMarks();
        checks.push_back((Now() - tStart) * 1e6);
    }
    printf("Full check of a 17x17 position: median %.2f us over %d checks\n", Median(checks), (int)checks.size());

    MeasureSolver(generator, progress, 17, 150);
    // The largest grid the puzzle file allows, entered by hand: finalizing
    // such a grid runs the solver while the game shows its progress window.
    MeasureSolver(generator, progress, HT_MAX_GRID_SIDE, nSolverGrids64);
    return 0;
}
