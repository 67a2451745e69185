// Measures the puzzle core: generation time per puzzle for the usual board
// sizes and the time of one full rule check. Run under Wine:
//   wine bench_core.exe [puzzles per size]
#include "HTGenerator.h"

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
    return 0;
}
