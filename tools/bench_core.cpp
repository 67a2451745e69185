// Measures the puzzle core: generation time per puzzle for the usual board
// sizes, the time of one full rule check, and the solver of entered grids
// on 17 x 17 grids of several kinds, with the slowest case found. Run under
// Wine:
//   wine bench_core.exe [puzzles per size]
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
// A 17 x 17 grid of one kind for the solver, made from the generator's
// puzzle and the random sequence.
CHTDataContainer MakeSolverGrid(CHTGenerator& generator, CHTGeneratorProgress& progress, int nKind)
{
    const int n = 17;
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
        const int nChanges = nKind == 7 ? 20 : 40;
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

// Solves grids of every kind, once for a solution and once counting up to
// two, and prints the median and the slowest time of each kind.
void MeasureSolver(CHTGenerator& generator, CHTGeneratorProgress& progress)
{
    const char* kinds[] = {"generated",    "1 changed",     "2 changed",        "3 changed", "random 1-17",
                           "random 1-5",   "random 1-10",   "latin+20 changes", "latin+40 changes",  "shaded repeats"};
    const int nKinds = (int)(sizeof(kinds) / sizeof(kinds[0]));
    const int nGrids = 150;
    printf("Solver, 17x17, %d grids per kind (ms; \"count\" searches for a second solution)\n", nGrids);
    printf("%-18s %8s %10s %10s %10s %10s %9s\n", "kind", "solvable", "median", "max", "count med",
           "count max", "max nodes");
    double fWorst = 0;
    const char* pszWorst = "";
    CHTSolver solver;
    for (int nKind = 0; nKind < nKinds; nKind++)
    {
        std::vector<double> first, count;
        int nSolvable = 0;
        long nMaxNodes = 0;
        for (int i = 0; i < nGrids; i++)
        {
            CHTDataContainer grid = MakeSolverGrid(generator, progress, nKind);
            double tStart = Now();
            nSolvable += solver.Solve(grid, 1) > 0;
            first.push_back((Now() - tStart) * 1000.0);
            tStart = Now();
            solver.Solve(grid, 2);
            count.push_back((Now() - tStart) * 1000.0);
            nMaxNodes = std::max(nMaxNodes, solver.GetNodeCount());
        }
        const double fMax = *std::max_element(first.begin(), first.end());
        const double fCountMax = *std::max_element(count.begin(), count.end());
        if (std::max(fMax, fCountMax) > fWorst)
        {
            fWorst = std::max(fMax, fCountMax);
            pszWorst = kinds[nKind];
        }
        printf("%-18s %8d %10.3f %10.3f %10.3f %10.3f %9ld\n", kinds[nKind], nSolvable, Median(first), fMax,
               Median(count), fCountMax, nMaxNodes);
    }
    printf("Slowest 17x17 solve: %.3f ms (%s)\n", fWorst, pszWorst);
}
} // namespace

int main(int argc, char** argv)
{
    int nPuzzles = argc > 1 ? atoi(argv[1]) : 300;
    if (nPuzzles < 1)
        nPuzzles = 300;

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
        AreUnshadedSquaresConnected(position, FALSE);
        position.MarkDuplicates(FALSE);
        position.MarkAdjacentShaded();
        checks.push_back((Now() - tStart) * 1e6);
    }
    printf("Full check of a 17x17 position: median %.2f us over %d checks\n", Median(checks), (int)checks.size());

    MeasureSolver(generator, progress);
    return 0;
}
